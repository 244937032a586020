// Sea-zone visibility on Testland: the counts of a node for the viewing country, the
// spotting of enemy ships, foreign ships hidden in ports, and the best commander.
#include <gtest/gtest.h>

#include <algorithm>
#include <climits>

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

TEST_F(SeaZoneVisibility, TheSpottingChanceGrowsWithFriendsEnemiesAndCarriersWithinNothingAndCertainty)
{
    // In the Channel: Albion's carrier and battleship, and Borussia's four ships.
    Fleet(3).seaNode = Fleet(4).seaNode = kChannel;
    const struct
    {
        int base, friendly[3], enemy[3], carrier, fog, chance;
    } cases[] = {
        {30, {2, 3, 10}, {1, 2, 5}, 15, 2, 50},   // 30 + 0 + 3 / 2 x 5 + 15
        {30, {0, 1, 10}, {1, 2, 5}, 15, 2, 70},   // + 2 / 1 x 10
        {30, {0, 2, 10}, {3, 1, 5}, 15, 2, 60},   // + 2 / 2 x 10 + 1 / 1 x 5
        {30, {1, 2, 10}, {4, 1, 5}, 7, 2, 37},    // 1 / 2 gives nothing; 4 enemies are not above 4
        {61, {0, 1, 10}, {1, 2, 5}, 15, 2, 100},  // 101
        {-200, {2, 3, 10}, {1, 2, 5}, 15, 2, 0},  // -180
        {0, {2, 3, 10}, {1, 2, 5}, 0, 0, 100},    // no fog of war
        {30, {2, 3, 10}, {1, 2, 5}, INT_MAX, 2, 100},                     // past 32 bits
        {1, {INT_MIN, 1, INT_MAX}, {INT_MIN, 1, INT_MAX}, 0, 2, 100},     // past 64 bits
    };
    for (const auto& c : cases) {
        Consts().SpottingBaseChance = c.base;
        std::copy_n(c.friendly, 3, Consts().SpottingFriendly);
        std::copy_n(c.enemy, 3, Consts().SpottingEnemy);
        Consts().SpottingCarrierBonus = c.carrier;
        g_UserSettings.fogOfWar = c.fog;
        testing_support::ClearLog();
        Node(kChannel).CalculateVisibilityForCountry(kAlbion, false);
        EXPECT_TRUE(LogContains(L"Chance of spotting enemy unit = " + std::to_wstring(c.chance))) << c.base;
    }

    // An ally's transport is counted apart; the Home Fleet leaving takes its own ships off.
    Fleet(2).owner = kValdonia;
    Fleet(2).seaNode = kChannel;
    Node(kChannel).CalculateVisibility(false);
    CountsAre(Node(kChannel).AlliedCounts, {0, 0, 0, 0, 1, 0});
    Node(kChannel).OnFleetLeft(Fleet(1));
    CountsAre(Node(kChannel).OwnCounts, {0, 0, 0, 0, 0, 0});
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
    Fleet(4).seaNode = kHamburgumPort; // every Borussian fleet lies here
    Node(kHamburgumPort).ShareBestCommander(-1);
    EXPECT_EQ(Ship(5).m_CommandingCommanderId, 4);  // Raeder, aboard Bismarck
    EXPECT_EQ(Ship(6).m_CommandingCommanderId, 4);
    EXPECT_EQ(Ship(7).m_CommandingCommanderId, 4);
    sDowodca* raeder = game->FindCommander(4);
    Ship(4).Kill(true);
    EXPECT_EQ(raeder->State, 1);  // on his way to headquarters
    EXPECT_EQ(Ship(5).m_CommandingCommanderId, -1);
    EXPECT_EQ(Ship(7).m_CommandingCommanderId, -1);

    Ship(2).m_Commander = game->FindCommander(5); // Albion, id 1, shares out too
    Node(kChannel).ShareBestCommander(-1);
    EXPECT_EQ(Ship(1).m_CommandingCommanderId, 5);
}
