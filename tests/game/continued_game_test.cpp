// A saved game goes on as the game that was saved: what play holds from one impulse to the
// next is saved, or rebuilt on loading as play has it. Each case plays the same step on the
// game as it stands and on its save loaded, and compares the saves written after it.
#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <sstream>

#include "core/settings.h"
#include "core/text.h"
#include "game/save_game.h"
#include "platform/paths.h"
#include "tests/game/testland_game.h"
#include "tests/test_support.h"
#include "units/combat_support.h"
#include "units/naval_unit.h"
#include "world/city.h"
#include "world/fleet.h"
#include "world/sea_graph.h"

using namespace testland;

namespace {

class ContinuedGame : public TestlandGame
{
protected:
    ContinuedGame()
    {
        for (cPanstwo* c : game->m_Countries)
            c->HumanControlled = false;
        game->StartGame();
    }
    ~ContinuedGame() override { g_UserSettings.fogOfWar = m_Sight; }
    // Saves the game, plays the step on and saves it as "unbroken"; loads the first save,
    // starts it as a loaded game starts, plays the same step and saves it as "continued".
    void ExpectTheSaveGoesOnAsTheGame(const std::function<void(cGra&)>& step)
    {
        ASSERT_TRUE(SaveGame(L"before", true));
        step(*game);
        ASSERT_TRUE(SaveGame(L"unbroken", true));
        DeleteGameObject();
        game = LoadGame(sGameLoadRequest::ForSave(L"before"));
        ASSERT_NE(game, nullptr);
        game->StartGame();
        step(*game);
        ASSERT_TRUE(SaveGame(L"continued", true));
        testing_support::ExpectSameSaveFiles("data/save/unbroken", "data/save/continued");
    }

private:
    int m_Sight = g_UserSettings.fogOfWar;
};

} // namespace

TEST_F(ContinuedGame, AUnitAboardAShipIsAsSeenAsItWasSaved)
{
    // An event puts units aboard in sight of the enemy; the ship sails with them so.
    cJednostkaLadowa* aboard = nullptr;
    for (cJednostkaLadowa* u : game->m_LandUnits2)
        aboard = u;
    ASSERT_NE(aboard, nullptr);
    aboard->m_Spotted = true;
    ExpectTheSaveGoesOnAsTheGame([](cGra& g) { g.EndImpulse(true); });
}

TEST_F(ContinuedGame, AnArtificialHarbourCountsIsDugInAndIsSeenAsItWasSaved)
{
    auto* harbour = new cMulberry();
    harbour->m_Owner = kAlbion;
    harbour->SetName(L"Artificial harbour");
    harbour->m_Level = 1;
    game->m_LandUnits.push_back(harbour);
    Place(*harbour, 3, 2);
    // Play made it worth more than its strength and dug it in, and nobody has seen it.
    harbour->m_Efficiency = 120;
    harbour->m_TrenchBonus = 2;
    harbour->m_LastX = 3;
    harbour->m_LastY = 2;
    harbour->m_Spotted = false;
    const int id = harbour->m_Id;
    std::vector<float> weighed;  // what the opponent weighs at the front before the impulse ends
    ExpectTheSaveGoesOnAsTheGame([&weighed, id](cGra& g) {
        weighed.push_back(g.FindLandUnitById(id)->GetEffectiveStrength());
        g.EndImpulse(true);
    });
    ASSERT_EQ(weighed.size(), 2u);
    EXPECT_EQ(weighed[0], weighed[1]);
}

TEST_F(ContinuedGame, ASeaZoneShowsTheShipItShowedWhenSavedAndRollsAnewWhenItSinks)
{
    constexpr int kChannel = 2, kWarspite = 2;
    // Under fog of war a loaded game keeps the sightings it was saved with.
    g_UserSettings.fogOfWar = 1;
    game->m_SeaGraph->CalculateAllVisibility(kAlbion, false);
    // The dice showed the Home Fleet's second ship; a load must not show the first instead.
    game->m_SeaGraph->GetNode(kChannel)->ShownOwnShip = game->FindNavalUnitById(kWarspite);
    ExpectTheSaveGoesOnAsTheGame([](cGra& g) {
        EXPECT_EQ(g.m_SeaGraph->GetNode(kChannel)->ShownOwnShip, g.FindNavalUnitById(kWarspite));
        DestroyInCombat(g.FindNavalUnitById(kWarspite));
        g.EndImpulse(true);
    });
}

TEST_F(ContinuedGame, ACityThatAnEventTookBelowNothingRebuildsFromThere)
{
    // Bombed down, then an event took two points more: the rebuilding starts below nothing.
    cMiasto* city = game->m_Cities.front();
    city->ProductionPoints = -1.0f;
    city->ProductionPointsLost = 2;
    ExpectTheSaveGoesOnAsTheGame([](cGra& g) { g.EndImpulse(true); });
}

// A save written before the sea zones kept the ships they show lacks those two last columns:
// it loads, each zone shows a ship of its own as before, and play goes on.
TEST_F(ContinuedGame, AnOlderSaveWithoutTheShipsTheSeaZonesShowLoadsAndPlaysOn)
{
    g_UserSettings.fogOfWar = 1;
    game->m_SeaGraph->CalculateAllVisibility(kAlbion, false);
    ASSERT_TRUE(SaveGame(L"older", true));
    const std::string file = "data/save/older/sea_nodes.csv";
    std::string older;
    std::istringstream lines(*ReadWholeFile(file));
    for (std::string line; std::getline(lines, line);) {
        line = line.substr(0, line.find_last_not_of("\r;") + 1);
        for (int column = 0; column < 2; ++column)
            line.erase(line.rfind(';'));
        older += line + (line[0] == '#' ? "\r\n" : ";\r\n");
    }
    ASSERT_TRUE(WriteWholeFile(file, older));
    std::filesystem::remove(std::filesystem::path("data/save/older") / kSavedSizesFileName);
    DeleteGameObject();
    game = LoadGame(sGameLoadRequest::ForSave(L"older"));
    ASSERT_NE(game, nullptr);
    game->StartGame();
    int shown = 0;
    for (const sWezelGrafuMorz& node : game->m_SeaGraph->Nodes)
        if (const cJednostkaMorska* ship = node.ShownOwnShip) {
            EXPECT_EQ(ship->m_Fleet ? ship->m_Fleet->seaNode : -1, node.ID) << WideToUtf8(node.Name);
            ++shown;
        }
    EXPECT_GT(shown, 0) << "Albion's fleets in sight of their own zones";
    game->EndImpulse(true);
    EXPECT_TRUE(SaveGame(L"played on", true));
}
