// The start of play on the test scenario: whose phase begins, who watches, which music.
#include <gtest/gtest.h>

#include "ai/ai_thread.h"
#include "core/settings.h"
#include "tests/game/testland_game.h"
#include "tests/test_support.h"

using namespace testland;

namespace {

// A screen whose music has only the playlists it is given.
class cPlaylistScreen : public cRequestRecorder
{
public:
    bool SelectPlaylist(int number) override
    {
        tried.push_back(number);
        const bool exists = number == -1 || number == existing;
        if (exists)
            selected = number;
        return exists;
    }
    bool HasScreen() const override { return true; }
    int existing = 0;
    int selected = 0;
    std::vector<int> tried;
};

class StartOfPlay : public TestlandGame
{
protected:
    StartOfPlay()
    {
        SetPresentation(&music);
        Country(kAlbion).HumanControlled = false;  // Testland's one person
    }
    // The base's teardown still talks to a screen.
    ~StartOfPlay() override { SetPresentation(&screen); }
    cPlaylistScreen music;
};

} // namespace

TEST_F(StartOfPlay, AGameWithoutAPersonStartsInTheComputerPhaseWatchedByNobody)
{
    game->StartGame();
    EXPECT_EQ(game->GetGameState(), kStateComputer);
    EXPECT_EQ(Play().GetViewCountry(), nullptr);
    EXPECT_EQ(Play().GetActiveCountry(), &Country(kBorussia));
    EXPECT_TRUE(testing_support::LogHasInOrder(
        {L"============== Starting game ==============", L"Initializing music", L"Closing menu",
         L"Setting callbacks", L"============== Enjoy your game :)", L"---- Game state = 9"}));
}

TEST_F(StartOfPlay, APersonWhoseCountryMovesFirstBeginsTheGame)
{
    Country(kBorussia).HumanControlled = true;
    game->StartGame();
    EXPECT_EQ(game->GetGameState(), kStateScroll) << "the turn opens in the glide to the capital";
    EXPECT_EQ(Play().GetViewCountry(), &Country(kBorussia));
}

TEST_F(StartOfPlay, APersonWhoseCountryMovesLaterWatchesTheComputerFirst)
{
    Country(kRuthenia).HumanControlled = true;
    game->StartGame();
    EXPECT_EQ(game->GetGameState(), kStateComputer);
    EXPECT_EQ(Play().GetViewCountry(), &Country(kRuthenia));
}

TEST_F(StartOfPlay, MusicIsTheFirstHumanCountrysPlaylistThatExists)
{
    Country(kAlbion).HumanControlled = true;
    Country(kRuthenia).HumanControlled = true;
    music.existing = 3;
    EXPECT_TRUE(game->StartMusic());
    EXPECT_EQ(music.selected, 3);
    EXPECT_EQ(music.tried, (std::vector<int>{1, 3}));

    music.existing = 0;
    EXPECT_TRUE(game->StartMusic());
    EXPECT_EQ(music.selected, -1);
}

TEST_F(StartOfPlay, SightingsAreLookedAtAnewUnlessASaveUnderFogOfWarKeptThem)
{
    Country(kBorussia).HumanControlled = true;
    struct Case { bool fromSave; int fog; bool lookedAnew; };
    for (const Case& c : {Case{false, 1, true}, Case{true, 0, true}, Case{true, 1, false}})
    {
        game->m_LoadedFromSave = c.fromSave ? 1 : 0;
        if (c.fromSave)
            game->m_SavedIds = sNextIds{};
        g_UserSettings.fogOfWar = c.fog;
        for (cJednostkaLadowa* unit : game->m_LandUnits)
            unit->m_Spotted = false;  // as a save under fog may hold them
        game->StartGame();
        EXPECT_EQ(Land(4).m_Spotted, c.lookedAnew) << "Borussia sees its own Panzers; from a save " << c.fromSave
                                                   << ", fog " << c.fog;
    }
}

TEST_F(StartOfPlay, OnlyAPlayByEmailGameChecksItsEventsWhenTheTurnEndCountryOpensPlay)
{
    constexpr int kTurnEnd = 6;
    struct Case { int active; bool pbem; bool checks; };
    for (const Case& c : {Case{kTurnEnd, true, true}, Case{kTurnEnd, false, false}, Case{kBorussia, true, false}})
    {
        g_EventCheckRequested = false;
        game->m_IsPbem = c.pbem;
        Activate(c.active);
        game->StartGame();
        EXPECT_EQ(g_EventCheckRequested.load(), c.checks) << "country " << c.active << ", by e-mail " << c.pbem;
    }
    g_EventCheckRequested = false;
    game->m_IsPbem = false;
}
