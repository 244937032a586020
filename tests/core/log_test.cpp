#include <gtest/gtest.h>

#include <filesystem>
#include <system_error>
#include <thread>

#include "core/lock.h"
#include "core/console_log.h"
#include "core/log.h"
#include "platform/clock.h"
#include "platform/paths.h"
#include "tests/test_support.h"

namespace {

std::string Bytes(const std::filesystem::path& p) { return ReadWholeFile(p).value_or("<missing>"); }

TEST(ConsoleLog, FirstFileHasNoBomAndEveryLineEndsInCrLf)
{
    auto dir = testing_support::MakeScratchDir("log1");
    {
        cConsoleLog log(dir / "ConsoleOut.txt");
        log.WriteLine(L"Ab");
        log.WriteLine(L"");
        log.WriteLine(L"\u0119");
        log.WriteLine(std::wstring_view(L"c\0hidden", 8)); // a line ends at a NUL
    }
    EXPECT_EQ(Bytes(dir / "ConsoleOut.txt"),
              std::string("A\0b\0\r\0\n\0\r\0\n\0\x19\x01\r\0\n\0c\0\r\0\n\0", 24));
}

TEST(ConsoleLog, RestartStartsAnewWithByteOrderMark)
{
    auto dir = testing_support::MakeScratchDir("log2");
    cConsoleLog log(dir / "ConsoleOut.txt");
    log.WriteLine(L"old");
    log.Restart();
    log.WriteLine(L"x");
    log.Flush();
    EXPECT_EQ(Bytes(dir / "ConsoleOut.txt"), std::string("\xFF\xFEx\0\r\0\n\0", 8));
    // Emptied by a second game started in the same folder: the next line follows, no gap of zeros.
    std::filesystem::resize_file(dir / "ConsoleOut.txt", 0);
    log.WriteLine(L"y");
    log.Flush();
    EXPECT_EQ(Bytes(dir / "ConsoleOut.txt"), std::string("y\0\r\0\n\0", 6));
}

TEST(ConsoleLog, DisabledLogWritesNothingAndLeavesBusyFlag)
{
    auto dir = testing_support::MakeScratchDir("log3");
    cConsoleLog log(dir / "ConsoleOut.txt");
    log.SetEnabled(false);
    g_LogBusy = true; // a disabled log must not even wait for the flag
    log.WriteLine(L"hidden");
    EXPECT_TRUE(g_LogBusy.load());
    g_LogBusy = false;
    EXPECT_EQ(Bytes(dir / "ConsoleOut.txt"), "");
}

TEST(ConsoleLog, UncreatableFileMakesWritesReturnAtOnce)
{
    cConsoleLog log("/nonexistent-folder/ConsoleOut.txt");
    EXPECT_FALSE(log.IsOpen());
    log.WriteLine(L"goes nowhere");
    log.Restart();
    log.WriteLine(L"still nowhere");
    // A log on a full disk says so where it can, once.
    testing::internal::CaptureStderr();
    cConsoleLog full("/dev/full");
    full.WriteLine(L"lost");
    full.WriteLine(L"lost too");
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "velmorant: the log /dev/full could not be written: " +
                                                          std::make_error_code(std::errc::no_space_on_device).message() + "\n");
}

TEST(ConsoleLog, ABufferedThreadsLinesAreWrittenWhenItSleepsOrAfterAWhile)
{
    auto dir = testing_support::MakeScratchDir("log5");
    g_Console.Reopen(dir / "ConsoleOut.txt");
    SetVirtualClock(true);
    auto written = [&] { return Bytes(dir / "ConsoleOut.txt").size() / 2; };
    std::thread opponent([&] {
        cConsoleLog::SetBufferedOnThisThread(true);
        g_Console.Flush();
        LogLine(L"kept");
        EXPECT_EQ(written(), 0u);
        InterruptibleSleep(0);
        EXPECT_EQ(written(), 6u);
        LogLine(L"late");
        AdvanceVirtualClock(100);
        LogLine(L"both");
        EXPECT_EQ(written(), 18u);
    });
    opponent.join();
    SetVirtualClock(false);
    LogLine(L"main");
    EXPECT_EQ(written(), 24u) << "the main thread's lines are written through";
}

TEST(ConsoleLog, LinesFromTwoThreadsNeverInterleave)
{
    auto dir = testing_support::MakeScratchDir("log4");
    g_Console.Reopen(dir / "ConsoleOut.txt");
    auto writer = [](const wchar_t* text) {
        for (int i = 0; i < 200; ++i)
            LogLine(text);
    };
    std::thread a(writer, L"aaaaaaaaaaaaaaaaaaaaaaaaaaaaaa");
    std::thread b(writer, L"bbbbbbbbbbbbbbbbbbbbbbbbbbbbbb");
    a.join();
    b.join();
    auto lines = testing_support::LogLines();
    ASSERT_EQ(lines.size(), 400u);
    for (const auto& line : lines)
        EXPECT_TRUE(line == L"aaaaaaaaaaaaaaaaaaaaaaaaaaaaaa" || line == L"bbbbbbbbbbbbbbbbbbbbbbbbbbbbbb") << "torn line";
}

} // namespace
