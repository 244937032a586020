// The computer opponent's thread: started once per game, stopped by its flag and joined.
#include <gtest/gtest.h>

#include "ai/ai_thread.h"
#include "platform/clock.h"

TEST(AIThread, StopsAtOnceWhenAskedAndIsJoined)
{
    EXPECT_EQ(StopAIThread(), 0) << "stopping a thread that never ran is harmless";
    EXPECT_FALSE(IsAIThreadRunning());

    EXPECT_EQ(StartAIThread(), 0);
    EXPECT_TRUE(g_AIThreadRun.load());
    EXPECT_TRUE(IsAIThreadRunning());
    // A second start replaces the thread instead of leaving one behind.
    EXPECT_EQ(StartAIThread(), 0);
    EXPECT_TRUE(IsAIThreadRunning());

    const uint32_t before = GetTickMs();
    EXPECT_EQ(StopAIThread(), 0);
    EXPECT_LT(GetTickMs() - before, 1000u) << "an idle thread ends within its short poll";
    EXPECT_FALSE(g_AIThreadRun.load());
    EXPECT_FALSE(IsAIThreadRunning());
}

// The thread plays the test scenario.
#include <atomic>
#include <stdexcept>

#include "core/fatal.h"
#include "core/lock.h"
#include "core/settings.h"
#include "core/text.h"
#include "tests/game/testland_game.h"
#include "tests/test_support.h"

namespace {

using namespace testland;

class AIThreadPlay : public TestlandGame
{
protected:
    // A person's pauses for watching the computer are not what these tests wait for.
    AIThreadPlay() : m_Delays(g_DelayValues) { g_DelayValues.fill(0.0f); }
    ~AIThreadPlay() override
    {
        StopAIThread();
        SetAIThreadOptions({});
        g_DelayValues = m_Delays;
        // A handler a test set must not outlive it: later tests in this process rely on the
        // one that logs the reason before it throws.
        if (previousFatalHandler)
            SetFatalHandler(std::move(previousFatalHandler));
    }
    std::array<float, kDelayCount> m_Delays;
    // Waits (at most 20 s) until the condition holds; false when it never did.
    static bool WaitFor(const std::function<bool()>& condition)
    {
        const uint32_t start = GetTickMs();
        while (!condition()) {
            if (GetTickMs() - start > 20000)
                return false;
            SleepMs(5);
        }
        return true;
    }

    FatalHandler previousFatalHandler;
    std::atomic<int> fatalCode{0}; // written by the thread's handler, which may outlive the test body
};

} // namespace

TEST_F(AIThreadPlay, ThreadOfComputerCountriesEndsImpulseAfterImpulse)
{
    Country(kAlbion).HumanControlled = false;  // Testland's one person
    game->StartGame();
    sAIThreadOptions options;
    options.seed = 1;
    int impulses = 0;
    options.afterImpulse = [&] { return ++impulses < 3; };
    SetAIThreadOptions(options);
    StartAIThread();
    ASSERT_TRUE(WaitFor([] { return !g_AIThreadRun.load(); }));
    StopAIThread();
    EXPECT_EQ(impulses, 3);
    EXPECT_EQ(game->m_Date[0], 2);
    EXPECT_EQ(game->m_Date[1], 10);
    EXPECT_FALSE(game->m_GameOver);
    EXPECT_EQ(game->GetGameState(), kStateComputer) << "nobody to hand the turn to";
    EXPECT_EQ(testing_support::CountLogLinesStartingWith(L"Koniec impulsu wykonany"), 3);
    EXPECT_FALSE(testing_support::LogContains(L"==== AI THREAD FINISHED ====="));
}

TEST_F(AIThreadPlay, TheWarEndedByAnImpulseEndsThePhaseThereAndHandsTheGameBack)
{
    Country(kAlbion).HumanControlled = false;  // otherwise the phase would go on for good
    game->StartGame();
    game->m_Turn += game->m_TurnsLeft - 1;
    game->m_TurnsLeft = 1;
    StartAIThread();
    ASSERT_TRUE(WaitFor([this] { return game->GetGameState() == kStateHuman; }));
    StopAIThread();
    EXPECT_TRUE(game->m_GameOver);
    EXPECT_EQ(screen.Count(eRequestKind::HandOverTurn), 0) << "nobody is announced a turn after the war";
    EXPECT_TRUE(testing_support::LogHasInOrder(
        {L"==== AI THREAD FINISHED =====", L"rekalkuluje fog of war", L"---- Game state = 7"}));
}

TEST_F(AIThreadPlay, ThreadHandsTheTurnToAPersonThroughARequest)
{
    game->StartGame();  // Borussia's computer turn comes first, Albion's person's next
    ASSERT_EQ(game->GetGameState(), kStateComputer);
    StartAIThread();
    ASSERT_TRUE(WaitFor([this] { return game->GetGameState() == kStateHuman; }));
    StopAIThread();
    EXPECT_EQ(Play().GetActiveCountry(), &Country(kAlbion));
    EXPECT_EQ(Play().GetViewCountry(), &Country(kAlbion));
    EXPECT_TRUE(Country(kBorussia).FinishedTurn);
    EXPECT_EQ(screen.Count(eRequestKind::HandOverTurn), 1);
    EXPECT_TRUE(testing_support::LogHasInOrder(
        {L"==== STARTING AI THREAD =====", L"==== AI THREAD FINISHED =====", L"---- Game state = 7"}));
}

TEST_F(AIThreadPlay, ThreadServesTheEventCheckOutsideTheComputerPhase)
{
    game->SetGameState(kStateHuman);
    g_EventCheckRequested = true;
    StartAIThread();
    ASSERT_TRUE(WaitFor([] { return !g_EventCheckRequested.load(); }));
    EXPECT_LE(testing_support::WakeUpsOfNewestThread(500), 3) << "idle, it sleeps until a request wakes it";
    RequestEventCheck();
    ASSERT_TRUE(WaitFor([] { return !g_EventCheckRequested.load(); }));
    StopAIThread();
    EXPECT_TRUE(testing_support::LogHasInOrder({L"CHECKING EVENTS...", L"CHECKING EVENTS FINISHED"}));
    EXPECT_EQ(game->GetGameState(), kStateHuman);
}

TEST_F(AIThreadPlay, ThreadStopsInTheMiddleOfPlayAndASlowStopIsLoggedWithItsPlace)
{
    Country(kAlbion).HumanControlled = false;
    game->StartGame();
    sAIThreadOptions options;
    options.seed = 2;
    std::atomic<int> turns{0};
    options.afterCountryTurn = [&](const cPanstwo&) { return ++turns > 0; };
    SetAIThreadOptions(options);
    StartAIThread();
    ASSERT_TRUE(WaitFor([&] { return turns.load() >= 3; }));
    EXPECT_EQ(StopAIThread(), 0) << "a war of computers leaves off at once";
    EXPECT_FALSE(IsAIThreadRunning());

    // A step that does not heed the stop holds the thread past the limit: the stop says
    // where it was and still ends with the thread joined.
    game->SetGameState(kStateComputer);
    std::atomic<bool> stuck{false};
    options.afterCountryTurn = [&](const cPanstwo&) {
        stuck = true;
        SleepMs(5300);
        return true;
    };
    SetAIThreadOptions(options);
    StartAIThread();
    ASSERT_TRUE(WaitFor([&] { return stuck.load(); }));
    const std::wstring place = AIThreadPlace();
    EXPECT_EQ(place.rfind(L"after the turn of ", 0), 0u) << WideToUtf8(place);
    EXPECT_EQ(StopAIThread(), 1);
    EXPECT_FALSE(IsAIThreadRunning());
    EXPECT_TRUE(testing_support::LogContains(
        L"The computer opponent's thread has not stopped within 5000 ms; it is at " + place));
}

TEST_F(AIThreadPlay, ThreadExceptionEndsInTheFatalExit)
{
    previousFatalHandler = SetFatalHandler([this](int code, const std::wstring& reason) {
        fatalCode = code;
        throw sFatalExit(code, reason);
    });
    game->StartGame();
    sAIThreadOptions options;
    options.afterCountryTurn = [](const cPanstwo&) -> bool {
        ACQUIRE_GLOBAL_LOCK();
        throw std::runtime_error("a broken rule");
    };
    SetAIThreadOptions(options);
    StartGlobalLock();  // the lock the failing step held is given up
    StartAIThread();
    ASSERT_TRUE(WaitFor([] { return !g_AIThreadRun.load(); }));
    StopAIThread();
    EXPECT_EQ(fatalCode.load(), 1);
    EXPECT_NE(AIThreadFailure().find(L"a broken rule"), std::wstring::npos);
    EXPECT_TRUE(g_GlobalLock.try_lock());
    g_GlobalLock.unlock();
    StopGlobalLock();
}

// In a game by e-mail the order reaches the country that closes it: the thread checks the
// events, hands the turn over and only then tells the main loop, which ends the turn when
// told. Told before the hand-over, the main loop's end of the turn was undone by it.
TEST_F(AIThreadPlay, ThreadTellsTheMainLoopOfTheEventCheckByEmailOnlyAfterTheHandOver)
{
    constexpr int kClosesTheOrder = 6;
    ASSERT_EQ(Country(kClosesTheOrder).SpecialFlags, 1);
    class cWatchedLoop : public cRequestRecorder
    {
    public:
        void WakeMainLoop() override
        {
            int none = -1;
            if (g_PbemEventCheckDone.load())
                stateWhenTold.compare_exchange_strong(none, g_Gra->GetGameState());
        }
        std::atomic<int> stateWhenTold{-1};
    } loop;
    SetPresentation(&loop);
    game->m_IsPbem = true;
    for (cPanstwo* c : game->m_Countries)
        c->HumanControlled = c->ID == kClosesTheOrder;
    game->StartGame();
    StartAIThread();
    const bool told = WaitFor([] { return g_PbemEventCheckDone.load(); });
    StopAIThread();
    SetPresentation(&screen);
    g_PbemEventCheckDone = false;
    ASSERT_TRUE(told);
    EXPECT_EQ(loop.stateWhenTold.load(), kStateHuman);
}
