// Sea-zone visibility on Testland: the counts of a node for the viewing country, the
// spotting of enemy ships, foreign ships hidden in ports, and the best commander.
#include <gtest/gtest.h>

#include "core/random.h"
#include "core/settings.h"
#include "tests/test_support.h"
#include "tests/units/naval_testland.h"

using namespace naval_tests;
using testing_support::LogContains;

namespace {

class SeaZoneVisibility : public NavalTestland
{
protected:
    ~SeaZoneVisibility() override { g_UserSettings.fogOfWar = 0; }
    void CountsAre(const int32_t (&counts)[6], std::vector<int> expected)
    {
        EXPECT_EQ(std::vector<int>(std::begin(counts), std::end(counts)), expected);
    }
};

} // namespace

TEST_F(SeaZoneVisibility, WithoutFogOfWarEveryEnemyShipAtSeaIsSpottedButAPortHidesAndNeverShowsThem)
{
    Fleet(3).seaNode = kChannel;
    game->m_SeaGraph->CalculateAllVisibility(kAlbion, false);
    EXPECT_TRUE(LogContains(L"Chance of spotting enemy unit = 100"));
    const sWezelGrafuMorz& channel = Node(kChannel);
    CountsAre(channel.OwnCounts, {1, 1, 0, 0, 0, 0});
    CountsAre(channel.EnemyCounts, {0, 1, 1, 0, 0, 1});
    ASSERT_NE(channel.ShownEnemyShip, nullptr);
    EXPECT_EQ(channel.ShownEnemyShip->m_Owner, kBorussia);
    ASSERT_NE(channel.ShownOwnShip, nullptr);
    EXPECT_EQ(channel.ShownOwnShip->m_Owner, kAlbion);

    // Back in Hamburgum the German ships are out of Albion's sight...
    Fleet(3).seaNode = kHamburgumPort;
    game->m_SeaGraph->CalculateAllVisibility(kAlbion, false);
    CountsAre(Node(kHamburgumPort).EnemyCounts, {0, 0, 0, 0, 0, 0});
    // ...unless a reconnaissance looks into the port, which still shows no enemy ship.
    {
        cShowForeignShipsInPorts look;
        Node(kHamburgumPort).CalculateVisibility(false);
    }
    EXPECT_TRUE(g_HideForeignShipsInPorts);
    CountsAre(Node(kHamburgumPort).EnemyCounts, {0, 1, 1, 0, 0, 1});
    EXPECT_EQ(Node(kHamburgumPort).ShownEnemyShip, nullptr);
}

TEST_F(SeaZoneVisibility, HiddenShipsAreRolledAgainOnlyWhenTheSpottedOnesAreKept)
{
    g_UserSettings.fogOfWar = 2;
    Consts().SpottingBaseChance = 0;
    Consts().SpottingFriendly[0] = Consts().SpottingEnemy[0] = 100;
    Consts().SpottingCarrierBonus = 0;
    Fleet(3).seaNode = kChannel;
    // Bismarck rolls 0 (spotted at a chance of 0), Hipper and Landungsflotte 1.
    ScriptRandomRaw({RawFor(0, 0, 100), RawFor(1, 0, 100), RawFor(1, 0, 100)});
    Node(kChannel).CalculateVisibilityForCountry(kAlbion, false);
    EXPECT_TRUE(LogContains(L"Chance of spotting enemy unit = 0"));
    CountsAre(Node(kChannel).EnemyCounts, {0, 1, 0, 0, 0, 0});
    EXPECT_TRUE(Ship(4).m_Spotted);
    EXPECT_FALSE(Ship(5).m_Spotted);

    // Kept: Bismarck is not rolled again; the two hidden ships are, now at chance 100.
    Consts().SpottingBaseChance = 100;
    ScriptRandomRaw({RawFor(100, 0, 100), RawFor(100, 0, 100)});
    Node(kChannel).CalculateVisibility(true);
    CountsAre(Node(kChannel).EnemyCounts, {0, 1, 1, 0, 0, 1});
    CountsAre(Node(kChannel).OwnCounts, {1, 1, 0, 0, 0, 0});
}

TEST_F(SeaZoneVisibility, TheBestCommanderLeadsTheShipsWithoutOneAndIsSharedOutAgainWhenHisShipSinks)
{
    Node(kHamburgumPort).ShareBestCommander(-1);
    EXPECT_EQ(Ship(5).m_CommandingCommanderId, 4);  // Raeder, aboard Bismarck
    EXPECT_EQ(Ship(7).m_CommandingCommanderId, 4);
    sDowodca* raeder = game->FindCommander(4);
    Ship(4).Kill(true);
    EXPECT_EQ(raeder->State, 1);  // on his way to headquarters
    EXPECT_EQ(Ship(5).m_CommandingCommanderId, -1);
    EXPECT_EQ(Ship(7).m_CommandingCommanderId, -1);
}
