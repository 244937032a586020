#include <gtest/gtest.h>

#include <thread>

#include "events/events.h"
#include "game/game.h"
#include "game/presentation.h"
#include "world/world.h"
#include "tests/test_support.h"

namespace {

class cRecordingPresentation : public cNullPresentation
{
public:
    void UseMenuInput() override { calls.push_back(L"menu input at state " + std::to_wstring(g_Gra->GetGameState())); }
    void UseGameInput() override { calls.push_back(L"game input at state " + std::to_wstring(g_Gra->GetGameState())); }
    std::vector<std::wstring> calls;
};

TEST(GameState, EveryChangeIsLoggedAndMenusHandInputInOrder)
{
    cGra game(sGameLoadRequest::ForScenario(L"Test"), 0);
    EXPECT_EQ(g_Gra, &game);
    EXPECT_EQ(game.GetGameState(), kStateConstructed);
    cRecordingPresentation screen;
    SetPresentation(&screen);
    testing_support::ClearLog();

    game.SetGameState(kStateComputer);
    game.SetGameState(kStateComputer); // the same value is logged again
    game.EnterMenuState();
    game.ReturnToMap(); // always 7, whatever came before the menu
    EXPECT_EQ(game.GetGameState(), kStateHuman);
    EXPECT_EQ(testing_support::LogLines(),
              (std::vector<std::wstring>{L"---- Game state = 9", L"---- Game state = 9", L"---- Game state = 2",
                                         L"---- Game state = 7"}));
    // The menu state is set before the menu takes the input; the map takes it before 7.
    EXPECT_EQ(screen.calls, (std::vector<std::wstring>{L"menu input at state 2", L"game input at state 2"}));
    SetPresentation(nullptr);
}

TEST(GameState, AnimationLowersOnlyItsOwnStatesWithoutALogLine)
{
    cGra game(sGameLoadRequest::ForScenario(L"Test"), 0);
    game.SetGameState(kStateHumanMove);
    game.SetGameState(kStateComputerMove);
    testing_support::ClearLog();
    EXPECT_TRUE(game.LowerAnimatedState());
    EXPECT_EQ(game.GetGameState(), kStateComputer);
    game.SetGameState(kStateHumanMove);
    EXPECT_TRUE(game.LowerAnimatedState());
    EXPECT_EQ(game.GetGameState(), kStateHuman);
    game.SetGameState(kStateTeardown);
    EXPECT_FALSE(game.LowerAnimatedState());
    EXPECT_EQ(game.GetGameState(), kStateTeardown);
    EXPECT_EQ(testing_support::LogLines(),
              (std::vector<std::wstring>{L"---- Game state = 8", L"---- Game state = 15"}));
}

TEST(GameState, TheOtherThreadSeesEveryStoreWhole)
{
    cGra game(sGameLoadRequest::ForScenario(L"Test"), 0);
    game.SetGameState(kStateComputer);
    std::thread ai([&] {
        for (int i = 0; i < 200; ++i) {
            game.SetGameState(kStateComputerMove);
            while (game.GetGameState() == kStateComputerMove)
                std::this_thread::yield();
        }
    });
    int lowered = 0;
    while (lowered < 200)
        if (game.LowerAnimatedState())
            ++lowered;
    ai.join();
    EXPECT_EQ(game.GetGameState(), kStateComputer);
}

TEST(GameObject, StartsEmptyAndClearsTheGlobalWhenDestroyed)
{
    {
        cGra game(sGameLoadRequest::ForSave(L"Save 1"), 1);
        EXPECT_EQ(game.m_LoadedFromSave, 1);
        EXPECT_EQ(game.m_Date[0], 1);
        EXPECT_EQ(game.m_Date[1], 9);
        EXPECT_EQ(game.m_Date[2], 1939);
        EXPECT_EQ(game.m_MulberryMonth, -666);
        EXPECT_EQ(game.FolderPath(L"Info.ini"), L"data\\save\\Save 1\\Info.ini");
        // Folder names are joined, never formatted.
        cGra odd(sGameLoadRequest::ForPbem(L"100%s %i done"), 1);
        EXPECT_EQ(odd.FolderPath(L"flags.txt"), L"data\\pbem\\100%s %i done\\flags.txt");
        EXPECT_EQ(game.m_NextIds.fleet, 1);
        ASSERT_NE(game.m_Reports, nullptr);
        ASSERT_NE(game.m_AutoEvents, nullptr);
    }
    EXPECT_EQ(g_Gra, nullptr);
}

TEST(GameObject, CameraBookmarksClampTheirIndex)
{
    sCameraBookmarks b;
    EXPECT_EQ(b.Set(12, 4, 5), 9);
    EXPECT_EQ(b.Get(9), std::make_pair(4, 5));
    EXPECT_EQ(b.Get(40), std::make_pair(4, 5));
    EXPECT_EQ(b.Set(-3, 1, 2), 0);
    EXPECT_EQ(b.Get(-1), std::make_pair(1, 2));
    EXPECT_EQ(b.Get(5), std::make_pair(-1, -1));
}

TEST(GameObject, CommandersAreFoundByIdOrLogged)
{
    cGra game(sGameLoadRequest::ForScenario(L"Test"), 0);
    game.m_Commanders.push_back(new sDowodca{7, L"Rommel", 2, 0, 5, 1, 2});
    testing_support::ClearLog();
    EXPECT_EQ(game.FindCommander(7)->Name, L"Rommel");
    EXPECT_EQ(game.FindCommander(-1), nullptr);
    EXPECT_EQ(game.FindCommander(8), nullptr);
    EXPECT_EQ(testing_support::LogLines(), (std::vector<std::wstring>{L"Commander with ID=8 not found"}));
}

TEST(GameObject, AutoEventsTakeTheLikeliestOptionOfEachEvent)
{
    cGra game(sGameLoadRequest::ForScenario(L"Test"), 0);
    game.m_Events = new cZdarzenia;
    auto event = [&](int id, std::vector<std::pair<int, int>> options) {
        cZdarzenie e;
        e.eventID = id;
        for (auto [option, chance] : options) {
            cEventOption o;
            o.optionID = option;
            o.chanceAI = chance;
            e.options.push_back(o);
        }
        game.m_Events->events.push_back(e);
    };
    event(10, {{1, 20}, {2, 50}, {3, 50}}); // a tie keeps the first
    event(11, {});                          // no options: the previous event's option
    event(12, {{4, 0}});
    event(10, {{2, 1}});                    // the same pair again is not added twice
    game.InitAutoEvents();
    EXPECT_EQ(game.m_AutoEvents->GetPairs(),
              (std::list<sAutoEvent>{{10, 2}, {11, 2}, {12, 4}}));
}

TEST(GameObject, ReportsAreStampedWithTheGameDate)
{
    cGra game(sGameLoadRequest::ForScenario(L"Test"), 0);
    game.m_Consts.ImpulsesPerMonth.fill(3);
    game.m_Date[0] = 2;
    game.m_Date[1] = 5;
    game.m_Date[2] = 1941;
    game.m_Turn = 17;
    sRaport r;
    r.kind = 22;
    r.countryKey = 3;
    r.year = 1900;
    r.text = L"Production";
    game.m_Reports->AddReport(r);
    game.m_Reports->AddReport(r);
    ASSERT_EQ(game.m_Reports->GetReports().size(), 2u);
    const sRaport& added = game.m_Reports->GetReports().front();
    EXPECT_EQ(added.year, 1941);
    EXPECT_EQ(added.month, 5);
    EXPECT_EQ(added.day, 11);
    EXPECT_EQ(added.impulse, 17);
    EXPECT_EQ(added.extra, 1);
}

} // namespace

namespace {

TEST(GameObject, TheWorldSeesTheGameItBelongsTo)
{
    {
        cGra game(sGameLoadRequest::ForScenario(L"Test"), 0);
        EXPECT_EQ(g_World.countries, &game.m_Countries);
        EXPECT_EQ(g_World.cities, &game.m_Cities);
        EXPECT_EQ(g_World.nextFleetId, &game.m_NextIds.fleet);
        game.m_Consts.MaxSupply = 30;
        game.m_Consts.RangeTechFactor[0] = 1.0f;
        game.m_Consts.RangeTechFactor[4] = 1.4f;
        game.m_Consts.PortCapacityToEnter[5] = 2;
        game.ShareWithWorld();
        EXPECT_EQ(g_World.consts.maxSupply, 30);
        EXPECT_FLOAT_EQ(g_World.consts.aircraftRangeFactor[1], 1.0f);
        EXPECT_FLOAT_EQ(g_World.consts.aircraftRangeFactor[5], 1.4f);
        EXPECT_EQ(g_World.consts.portRequirement[5], 2);
        testing_support::ClearLog();
        g_World.hooks.setGameState(kStateScroll);
        EXPECT_EQ(g_World.hooks.gameState(), kStateScroll);
        EXPECT_TRUE(testing_support::LogContains(L"---- Game state = 12"));
    }
    EXPECT_EQ(g_World.countries, nullptr);
}

} // namespace
