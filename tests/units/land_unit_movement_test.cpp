// The movement range of land units on the test scenario: costs, marks, enemies, free
// steps and the hexes a unit falls back to or embarks from.
#include <gtest/gtest.h>

#include "tests/game/testland_game.h"
#include "tests/test_support.h"
#include "world/city.h"

using namespace testland;

namespace {

class LandMovement : public TestlandGame
{
protected:
    LandMovement()
    {
        Activate(kBorussia);
        ClearLand(12, 6, 4, kBorussia);
    }
    // Borussia's 3. Panzerkorps at (12, 6), with action points it has partly spent.
    cJednostkaLadowa& Panzer(int actionPoints, int starting)
    {
        cJednostkaLadowa& unit = Land(7);
        unit.m_ActionPoints = actionPoints;
        unit.m_StartingActionPoints = starting;
        return unit;
    }
};

} // namespace

TEST_F(LandMovement, CostsFollowTerrainWinterAndNeutralHexesAndMarkWhatIsLeft)
{
    cJednostkaLadowa& unit = Panzer(3, 5);
    Hex(12, 5).terrain = 2;  // forest costs 2 in Testland
    Hex(13, 7).terrain = 2;
    Hex(13, 7).weather = WEATHER_WINTER;
    Country(kBorussia).WinterMove = 50;
    game->m_Consts.WinterMoveFactor = 100.0f;
    Hex(11, 6).SetController(kHelvetia);  // a neutral at peace with Borussia
    Place(Land(8), 12, 8);                // a friend the enemy has seen: passable, not marked
    Land(8).m_Spotted = true;
    Hex(11, 7).terrain = 7;               // desert, the dearest land
    Hex(13, 5).weather = WEATHER_MUD;
    Country(kBorussia).MudMove = 100;
    game->m_Consts.MudMoveFactor = 100.0f;

    unit.ComputeMoveRange(false);
    EXPECT_EQ(RangeCost(unit, 12, 6), -1) << "never its own hex";
    EXPECT_EQ(RangeCost(unit, 12, 5), 2);
    EXPECT_EQ(RangeCost(unit, 13, 7), 3) << "winter: 1.5 times the forest's 2";
    EXPECT_EQ(RangeCost(unit, 13, 5), 3) << "mud: twice the clear hex's 1, after (13, 6)";
    EXPECT_EQ(RangeCost(unit, 11, 7), -1) << "the desert's 7";
    EXPECT_EQ(RangeCost(unit, 11, 6), -1);
    EXPECT_EQ(RangeCost(unit, 13, 6), 1);
    EXPECT_EQ(RangeCost(unit, 12, 8), 2);
    EXPECT_EQ(RangeCost(unit, 12, 9), 3);
    EXPECT_EQ(RangeCost(unit, 12, 10), -1);
    for (const sPathStep& step : unit.m_Path) {
        EXPECT_TRUE(Hex(step.x, step.y).IsLand());
        EXPECT_LE(step.cost, 3);
    }

    // Testland's attack costs Borussia 1 action point: 2 left is more, 1 is not.
    EXPECT_EQ(Hex(13, 6).marks & MARK_MOVE_RANGE, uint32_t(MARK_MOVE_ATTACK_LEFT));
    EXPECT_EQ(Hex(13, 6).markValue, 2);
    EXPECT_EQ(Hex(12, 8).marks & MARK_MOVE_RANGE, 0u);
    EXPECT_EQ(Hex(13, 7).marks & MARK_MOVE_RANGE, uint32_t(MARK_MOVE_NONE_LEFT));
    EXPECT_EQ(Hex(11, 8).marks & MARK_MOVE_RANGE, uint32_t(MARK_MOVE_SOME_LEFT));
    EXPECT_EQ(Hex(12, 9).marks & MARK_MOVE_RANGE, uint32_t(MARK_MOVE_NONE_LEFT));
    EXPECT_EQ(Hex(11, 6).marks, 0u);

    // Without marks the map is left alone, and a new range clears the old marks.
    unit.m_ActionPoints = 1;
    unit.ComputeMoveRange(true);
    EXPECT_NE(Hex(12, 9).marks & MARK_MOVE_RANGE, 0u);
    EXPECT_EQ(Hex(13, 6).markValue, 2);
    unit.ComputeMoveRange(false);
    EXPECT_EQ(Hex(12, 9).marks & MARK_MOVE_RANGE, 0u);
    EXPECT_EQ(RangeCost(unit, 13, 6), 1);
}

TEST_F(LandMovement, EnemiesCloseTheirHexWhenSeenAndMakeStepsBesideThemDearer)
{
    // Mountains all round, so that only the hexes under test are cheap.
    ClearLand(12, 6, 4, kBorussia);
    for (int y = 2; y <= 10; ++y)
        for (int x = 8; x <= 16; ++x)
            Hex(x, y).terrain = 4;
    for (auto [x, y] : {std::pair{13, 6}, {13, 5}, {13, 7}, {14, 6}})
        Hex(x, y).terrain = 1;
    cJednostkaLadowa& unit = Panzer(3, 5);
    Place(unit, 13, 6);
    cJednostkaLadowa& enemy = Land(12);  // Valdonia is at war with Borussia
    Place(enemy, 14, 6);
    enemy.m_Spotted = true;
    unit.ComputeMoveRange(false);
    EXPECT_EQ(RangeCost(unit, 13, 5), 1) << "out of the enemy's reach: the terrain alone";
    EXPECT_EQ(RangeCost(unit, 13, 7), 3) << "beside the enemy to beside the enemy: terrain plus row 15's 2";
    EXPECT_EQ(RangeCost(unit, 14, 6), -1) << "a seen enemy closes its hex";

    enemy.m_Spotted = false;
    unit.ComputeMoveRange(false);
    EXPECT_EQ(RangeCost(unit, 14, 6), 1) << "a hidden enemy does not close its hex to the player";
    unit.ComputeMoveRange(true);
    EXPECT_EQ(RangeCost(unit, 14, 6), -1) << "the computer's planning sees every enemy";
    EXPECT_EQ(RangeCost(unit, 13, 7), 3);

    // An enemy straight above the unit counts too: (14, 5), beside both, is cheaper round
    // over (14, 6).
    Place(enemy, 13, 5);
    Hex(14, 5).terrain = 1;
    unit.ComputeMoveRange(true);
    EXPECT_EQ(RangeCost(unit, 14, 5), 2);
}

TEST_F(LandMovement, OfTwoWaysOfTheSameCostTheFirstOneSearchedLeadsTheWalk)
{
    // Dear hills all round; (14, 5) costs 3 both over (12, 5) and (13, 5), searched first
    // (up before upper right), and over the forest at (13, 6), cheaper on its own.
    for (int y = 2; y <= 10; ++y)
        for (int x = 8; x <= 16; ++x)
            Hex(x, y).terrain = 3;
    for (auto [x, y] : {std::pair{12, 5}, {13, 5}, {14, 5}, {12, 6}})
        Hex(x, y).terrain = 1;
    Hex(13, 6).terrain = 2;
    cJednostkaLadowa& unit = Panzer(3, 5);
    unit.ComputeMoveRange(true);
    const sPathStep* step = unit.FindPathStep(14, 5);
    ASSERT_NE(step, nullptr);
    EXPECT_EQ(step->cost, 3);
    EXPECT_EQ(step->direction, 5) << "back to (13, 5), upper left";
    EXPECT_EQ(unit.FindPathStep(13, 6)->direction, 4) << "and the forest back to the unit, lower left";
}

TEST_F(LandMovement, AnUnmovedUnitMayAlwaysStepOntoAFreeNeighbour)
{
    for (int d = 0; d < 6; ++d)
        game->m_Mapa->GetNeighbour(12, 6, d)->terrain = 2;
    cJednostkaLadowa& unit = Panzer(1, 1);
    EXPECT_EQ(unit.ComputeMoveRange(false), 6);
    for (const sPathStep& step : unit.m_Path) {
        EXPECT_EQ(step.cost, 1);
        EXPECT_EQ(Hex(step.x, step.y).marks & MARK_MOVE_RANGE, uint32_t(MARK_MOVE_NONE_LEFT));
        EXPECT_EQ(Hex(step.x, step.y).markValue, 0);
    }

    unit.m_StartingActionPoints = 2;  // it has spent some
    EXPECT_EQ(unit.ComputeMoveRange(false), 0);
    EXPECT_FALSE(unit.IsHexInMoveRange(12, 5));
    EXPECT_TRUE(testing_support::LogContains(L"Pole jest poza zasiďż˝giem ruchu jednostki"));

    // A unit without action points of its own steps for nothing, unless just deployed.
    unit.m_ActionPoints = unit.m_StartingActionPoints = 0;
    EXPECT_EQ(unit.ComputeMoveRange(false), 6);
    EXPECT_EQ(unit.m_Path.front().cost, 0);
    unit.m_JustDeployed = true;
    EXPECT_EQ(unit.ComputeMoveRange(false), 0);
    unit.m_JustDeployed = false;
    unit.m_FreezeTime = 2;
    EXPECT_EQ(unit.ComputeMoveRange(false), 0);

    // A harbour never has a range, yet asking for it takes the last unit's marks away.
    unit.m_FreezeTime = 0;
    ASSERT_EQ(unit.ComputeMoveRange(false), 6);
    cMulberry harbour;
    harbour.m_Owner = kBorussia;
    harbour.m_X = 12;
    harbour.m_Y = 6;
    EXPECT_EQ(harbour.ComputeMoveRange(false), 0);
    for (int d = 0; d < 6; ++d)
        EXPECT_EQ(game->m_Mapa->GetNeighbour(12, 6, d)->marks & MARK_MOVE_RANGE, 0u);

    // Never onto the sea, a bystander's hex or a hex that holds a unit.
    Hex(12, 5).terrain = 0;
    Hex(13, 6).SetController(kHelvetia);
    Place(Land(12), 13, 7);
    unit.ComputeMoveRange(false);
    std::vector<std::pair<int, int>> free;
    for (const sPathStep& step : unit.m_Path)
        free.emplace_back(step.x, step.y);
    EXPECT_EQ(free, (std::vector<std::pair<int, int>>{{12, 7}, {11, 7}, {11, 6}}));
}

TEST_F(LandMovement, HugeActionPointsFromAnEventStayOnTheMapAndOnLand)
{
    Hex(7, 1).terrain = Hex(7, 0).terrain = 1;  // up to the map's first row
    for (int x = 0; x < 6; ++x)  // out to its first column over the sea's row 6,
        Hex(x, 6).terrain = 1;
    for (int x = 17; x < 20; ++x)  // its last column through Ruthenia,
        Hex(x, 6).SetController(kBorussia);
    Hex(13, 15).terrain = 1;  // and its last row
    cJednostkaLadowa& unit = Panzer(1000000, 5);
    const int count = unit.ComputeMoveRange(true);
    EXPECT_GT(count, 50);
    EXPECT_LT(count, game->m_Mapa->width * game->m_Mapa->height);
    for (const sPathStep& step : unit.m_Path) {
        ASSERT_TRUE(game->m_Mapa->IsInside(step.x, step.y));
        EXPECT_TRUE(Hex(step.x, step.y).IsLand());
        EXPECT_FALSE(step.x == 12 && step.y == 6);
        EXPECT_NE(Hex(step.x, step.y).controller, kRuthenia) << "Ruthenia is at peace with Borussia";
    }
    EXPECT_GE(RangeCost(unit, 8, 9), 1) << "Valdonia, at war with Borussia, is open";
    EXPECT_GE(RangeCost(unit, 7, 0), 1);
    EXPECT_EQ(RangeCost(unit, 0, 6), 13);
    EXPECT_EQ(RangeCost(unit, 19, 6), 7);
    EXPECT_EQ(RangeCost(unit, 13, 15), 9);
}

TEST_F(LandMovement, RetreatAndPortHexes)
{
    cJednostkaLadowa& unit = Land(12);  // Valdo Infantry on Valdo, a port
    int x = 0, y = 0;
    ASSERT_TRUE(unit.FindPortHex(x, y));
    EXPECT_EQ(std::pair(x, y), std::pair(7, 6));
    Place(unit, 8, 6);
    ASSERT_TRUE(unit.FindPortHex(x, y)) << "a neighbour's port";
    EXPECT_EQ(std::pair(x, y), std::pair(7, 6));
    Hex(7, 6).SetController(kBorussia);
    EXPECT_FALSE(unit.FindPortHex(x, y));
    EXPECT_EQ(std::pair(x, y), std::pair(-1, -1));

    // A free neighbour of its own, an ally's or an enemy's will do; a neutral's will not.
    EXPECT_TRUE(unit.HasRetreatHex());
    for (int d = 0; d < 6; ++d)
        game->m_Mapa->GetNeighbour(8, 6, d)->SetController(kHelvetia);
    EXPECT_FALSE(unit.HasRetreatHex());
    Hex(8, 7).SetController(kAlbion);  // Valdonia's ally
    EXPECT_TRUE(unit.HasRetreatHex());
    Place(Land(1), 8, 7);
    EXPECT_FALSE(unit.HasRetreatHex()) << "taken by a unit";
    Hex(8, 5).SetController(kAlbion);  // the hex above
    EXPECT_TRUE(unit.HasRetreatHex());
}
