#include <gtest/gtest.h>

#include <thread>

#include "core/lock.h"
#include "core/log.h"
#include "platform/clock.h"
#include "tests/test_support.h"

namespace {

using testing_support::LogContains;
using testing_support::LogLines;

class GlobalLock : public ::testing::Test
{
protected:
    void SetUp() override { testing_support::ClearLog(); }
    void TearDown() override
    {
        SetDialogOpenQuery(nullptr);
        StopGlobalLock();
        g_TraceGlobalLock = false;
    }
};

TEST_F(GlobalLock, WrappersDoNothingBeforeStartAndAfterStop)
{
    AcquireGlobalLock("a.cpp", 1);
    EXPECT_EQ(GlobalLockDepthOfThisThread(), 0);
    ReleaseGlobalLock("a.cpp", 2);
    StartGlobalLock();
    StopGlobalLock();
    AcquireGlobalLock("a.cpp", 3);
    EXPECT_EQ(GlobalLockDepthOfThisThread(), 0);
    EXPECT_TRUE(LogLines().empty());
}

TEST_F(GlobalLock, NestedHoldsAreCountedAndLoggedOnlyWhenTraced)
{
    StartGlobalLock();
    // Untraced by default: a turn would write about a thousand lines.
    AcquireGlobalLock("gra.cpp", 9);
    ReleaseGlobalLock("gra.cpp", 9);
    EXPECT_TRUE(LogLines().empty());
    g_TraceGlobalLock = true;
    AcquireGlobalLock("gra.cpp", 10);
    AcquireGlobalLock(nullptr, 11); // no log line, still a hold
    EXPECT_EQ(g_LockCount.load(), 2);
    EXPECT_EQ(GlobalLockDepthOfThisThread(), 2);
    ReleaseGlobalLock(nullptr, 12);
    ReleaseGlobalLock("gra.cpp", 13);
    EXPECT_EQ(g_LockCount.load(), 0);
    // A place's file name is logged whole, however long; only the sleep's line cuts it.
    const std::string longName(300, 'f');
    AcquireGlobalLock(longName.c_str(), 14);
    ReleaseGlobalLock(longName.c_str(), 15);
    LoggedSleep(0, longName.c_str(), 16);
    const std::wstring wideName(300, L'f');
    EXPECT_EQ(LogLines(), (std::vector<std::wstring>{L"AC:gra.cpp:10", L"RC:gra.cpp:13", L"AC:" + wideName + L":14",
                                                     L"RC:" + wideName + L":15",
                                                     L"S: " + wideName.substr(0, 256) + L" : 16 : 0 ms"}));
}

TEST_F(GlobalLock, ReleaseWithoutHoldIsLoggedAndIgnored)
{
    StartGlobalLock();
    ReleaseGlobalLock("x.cpp", 5);
    EXPECT_TRUE(LogContains(L"LCS przy C<=0"));
    EXPECT_EQ(g_LockCount.load(), 0);
}

TEST_F(GlobalLock, ReleaseByThreadThatHoldsNothingKeepsOtherThreadsHold)
{
    StartGlobalLock();
    AcquireGlobalLock(nullptr, 1);
    std::thread other([] { ReleaseGlobalLock(nullptr, 2); });
    other.join();
    EXPECT_TRUE(LogContains(L"LCS przy C<=0"));
    EXPECT_EQ(g_LockCount.load(), 1);
    ReleaseGlobalLock(nullptr, 3);
    EXPECT_EQ(g_LockCount.load(), 0);
}

TEST_F(GlobalLock, LongSleepWarnsAndNegativeSleepReturnsAtOnce)
{
    LoggedSleep(0, "ai2.cpp", 7);
    uint32_t before = GetTickMs();
    LoggedSleep(-5, "ai2.cpp", 8);
    EXPECT_LT(GetTickMs() - before, 50u);
    auto lines = LogLines();
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0], L"S: ai2.cpp : 7 : 0 ms");
    EXPECT_EQ(lines[1], L"S: ai2.cpp : 8 : -5 ms");

    // A long sleep on a thread that is asked to stop warns, then returns at once.
    std::atomic<bool> run{false};
    std::thread t([&] {
        SetThreadRunFlag(&run);
        LoggedSleep(11001, "ai3.cpp", 9);
        LoggedSleep(11000, "ai3.cpp", 10);
    });
    t.join();
    lines = LogLines();
    ASSERT_EQ(lines.size(), 5u);
    EXPECT_EQ(lines[2], L"Oj chyba b\u0119dzie zwis");
    EXPECT_EQ(lines[3], L"S: ai3.cpp : 9 : 11001 ms");
    EXPECT_EQ(lines[4], L"S: ai3.cpp : 10 : 11000 ms");
}

TEST_F(GlobalLock, AThreadPausedInALoggedSleepLeavesTheLockToTheOtherThreadAndTakesItBack)
{
    StartGlobalLock();
    std::atomic<bool> sleeping{false};
    std::atomic<int> depthAfter{-1};
    std::thread computer([&] {
        AcquireGlobalLock(nullptr, 1);
        AcquireGlobalLock(nullptr, 2);
        sleeping = true;
        LoggedSleep(400, "ai5.cpp", 3);
        depthAfter = GlobalLockDepthOfThisThread();
        ReleaseGlobalLock(nullptr, 4);
        ReleaseGlobalLock(nullptr, 5);
    });
    while (!sleeping)
        SleepMs(1);
    // The main thread gets the lock while the other one pauses, long before the pause ends.
    const uint32_t before = GetTickMs();
    AcquireGlobalLock(nullptr, 6);
    EXPECT_LT(GetTickMs() - before, 300u);
    ReleaseGlobalLock(nullptr, 7);
    computer.join();
    EXPECT_EQ(depthAfter.load(), 2);
    EXPECT_EQ(g_LockCount.load(), 0);
}

TEST_F(GlobalLock, WaitOnClosedDialogMakesExactlyOnePass)
{
    StartGlobalLock();
    SetDialogOpenQuery([](uint64_t) { return false; });
    uint32_t before = GetTickMs();
    WaitUntilDialogClosed(7, "cDialogTest", "ai4.cpp", 21);
    EXPECT_GE(GetTickMs() - before, 95u);
    int wbc = 0;
    for (const auto& l : LogLines())
        wbc += l == L"WBC:cDialogTest:ai4.cpp:21";
    EXPECT_EQ(wbc, 1);
}

TEST_F(GlobalLock, WaitEndsWhenDialogClosesOrThreadIsStopped)
{
    StartGlobalLock();
    std::atomic<bool> open{true};
    SetDialogOpenQuery([&](uint64_t) { return open.load(); });
    std::thread closer([&] {
        SleepMs(250);
        GLOBAL_LOCK_SCOPE();
        open = false;
    });
    WaitUntilDialogClosed(1, "cDialog", "f.cpp", 1);
    closer.join();
    int passes = 0;
    for (const auto& l : LogLines())
        passes += l == L"WBC:cDialog:f.cpp:1";
    EXPECT_GE(passes, 2);

    // A never-closed dialog does not hold up a thread whose run flag is cleared.
    std::atomic<bool> run{true};
    open = true;
    std::thread ai([&] {
        SetThreadRunFlag(&run);
        WaitUntilDialogClosed(2, "cDialog", "g.cpp", 2);
    });
    SleepMs(150);
    run = false;
    ai.join();
}

} // namespace
