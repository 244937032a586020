// The map's grids and searches for the computer opponent: the front-node lattice, its
// neighbours, the same-region test and the invasion searches.
#include <gtest/gtest.h>

#include <list>
#include <vector>

#include "tests/ai/ai_test_game.h"
#include "tests/test_support.h"

namespace ai_tests {
namespace {

class AIGrids : public cAIGame
{
};

TEST_F(AIGrids, FrontNodeNeighboursFollowTheColumnParity)
{
    Map().SetFrontNodeDistance(4);
    int x = 0, y = 0;
    ASSERT_TRUE(Map().FindFrontNode(x, y, 5, 10, 1));
    EXPECT_EQ(std::make_pair(x, y), std::make_pair(9, 8));
    ASSERT_TRUE(Map().FindFrontNode(x, y, 4, 10, 1));
    EXPECT_EQ(std::make_pair(x, y), std::make_pair(8, 8));
    ASSERT_TRUE(Map().FindFrontNode(x, y, 5, 10, 2));
    EXPECT_EQ(std::make_pair(x, y), std::make_pair(9, 12));
    ASSERT_TRUE(Map().FindFrontNode(x, y, 4, 10, 2));
    EXPECT_EQ(std::make_pair(x, y), std::make_pair(8, 12));
    EXPECT_FALSE(Map().FindFrontNode(x, y, 4, 10, 6));
    EXPECT_TRUE(testing_support::LogContains(L"Error, dopuszczalne wartosci parametru kierunek od 0 do 5"));

    // An odd spacing tells the two halves apart: (d + 1) / 2 = 3 against d / 2 = 2.
    struct Case { int d, x, direction, outX, outY; };
    for (const Case& c : std::vector<Case>{{5, 5, 0, 5, 5},   {5, 4, 0, 4, 5},   {5, 5, 1, 10, 7}, {5, 4, 1, 9, 8},
                                           {5, 5, 2, 10, 12}, {5, 4, 2, 9, 13},  {5, 5, 3, 5, 15}, {5, 4, 3, 4, 15},
                                           {5, 5, 4, 0, 12},  {5, 4, 4, -1, 13}, {5, 5, 5, 0, 7},  {5, 4, 5, -1, 8},
                                           {4, 5, 4, 1, 12},  {4, 5, 5, 1, 8},   {4, 4, 5, 0, 8}})
    {
        Map().SetFrontNodeDistance(c.d);
        ASSERT_TRUE(Map().FindFrontNode(x, y, c.x, 10, c.direction));
        EXPECT_EQ(std::make_pair(x, y), std::make_pair(c.outX, c.outY)) << c.d << " from x " << c.x << " way " << c.direction;
    }
}

TEST_F(AIGrids, TheLatticeIsBuiltOnceForADistanceAndHoldsOnlyHeldLand)
{
    EXPECT_TRUE(Map().SetFrontNodeDistance(2).empty());
    EXPECT_TRUE(testing_support::LogContains(L"Blad! Pozadana odleglosc wezlow frontowych musi byc wieksza od 2"));
    int x = 0, y = 0;
    EXPECT_FALSE(Map().FindFrontNode(x, y, 5, 5, 0)) << "a refused distance leaves the spacing unset";

    const auto& lattice = Map().SetFrontNodeDistance(4);
    ASSERT_FALSE(lattice.empty());
    for (const auto& [lx, ly] : lattice)
    {
        EXPECT_TRUE(Map().GetHex(lx, ly)->IsLand());
        EXPECT_NE(Map().GetHex(lx, ly)->controller, 0);
        EXPECT_EQ(lx % 4, 0);
        EXPECT_EQ(ly % 4, (lx / 4) % 2 == 0 ? 0 : 2);
    }
    Map().SetAiMark(8, 4, 3);
    Map().SetFrontNodeDistance(4);
    EXPECT_EQ(Map().GetAiMark(8, 4), 3) << "the same distance neither rebuilds nor clears the marks";
    EXPECT_EQ(Map().SetFrontNodeDistance(3),
              (std::list<std::pair<int, int>>{{3, 2},   {6, 6},   {9, 2},   {9, 5},   {9, 8},   {12, 3},  {12, 6},
                                              {12, 9},  {12, 12}, {15, 2},  {15, 5},  {15, 8},  {15, 11}, {15, 14},
                                              {18, 3},  {18, 6},  {18, 9},  {18, 12}, {18, 15}}));
    EXPECT_EQ(Map().GetAiMark(8, 4), 0);

    // A mark past the row's end would land on the next row's first hex.
    Map().SetAiMark(20, 0, 5);
    EXPECT_EQ(Map().GetAiMark(0, 1), 0);
    EXPECT_EQ(Map().GetAiMark(20, 0), 0);
}

TEST_F(AIGrids, HexesShareARegionOnlyOverLand)
{
    EXPECT_TRUE(Map().AreHexesInSameRegion(8, 4, 17, 4)) << "Borussia and Ruthenia share the continent";
    EXPECT_FALSE(Map().AreHexesInSameRegion(2, 2, 8, 4)) << "Albion lies on its island";
    EXPECT_FALSE(Map().AreHexesInSameRegion(0, 0, 0, 0)) << "a sea hex belongs to no region";
}

TEST_F(AIGrids, LandingSearchFindsTheNearestFreeCoastalHexOfTheZone)
{
    int x = -1, y = -1;
    // From Valdo, the nearest empty coastal hex of the Southern Sea that Borussia may land on.
    ASSERT_TRUE(Map().FindCoastalHex(kBorussia, 7, 6, 3, 4, x, y, false));
    const sHex& hex = *Map().GetHex(x, y);
    EXPECT_TRUE(hex.IsLand());
    EXPECT_EQ(hex.unit, nullptr);
    EXPECT_EQ(hex.seaZone, 3);
    EXPECT_LE(HexDistance(7, 6, x, y), 4);
    EXPECT_FALSE(Map().FindCoastalHex(kBorussia, 7, 6, 3, 4, x, y, true)) << "own-only tests the start hex alone";
    EXPECT_FALSE(Map().FindCoastalHex(kBorussia, 15, 8, 3, 2, x, y, false)) << "nothing coastal within reach";
}

TEST_F(AIGrids, WeakestEnemyUnitIsFoundWithinTheDistance)
{
    int x = -1, y = -1;
    ASSERT_TRUE(Map().FindWeakestEnemyUnitNear(kBorussia, 9, 5, 3, x, y));
    EXPECT_EQ(std::make_pair(x, y), std::make_pair(7, 6)) << "Valdonia's infantry at Valdo";
    EXPECT_FALSE(Map().FindWeakestEnemyUnitNear(kBorussia, 9, 5, 1, x, y));
    EXPECT_FALSE(Map().FindWeakestEnemyUnitNear(kRuthenia, 9, 5, 6, x, y)) << "Ruthenia is at war with nobody";
    ASSERT_TRUE(Map().FindWeakestEnemyUnitNear(kBorussia, 2, 2, 1, x, y));
    EXPECT_EQ(std::make_pair(x, y), std::make_pair(2, 2)) << "Albion's guards on their own island";
    EXPECT_FALSE(Map().FindWeakestEnemyUnitNear(kAlbion, 3, 3, 6, x, y)) << "the walk does not cross the sea";

    // A Borussian landing north of (1,3), the one hex straight up.
    Map().GetHex(1, 2)->controller = kBorussia;
    LandUnit(5)->SetPosition(1, 2);
    ASSERT_TRUE(Map().FindWeakestEnemyUnitNear(kAlbion, 1, 3, 1, x, y));
    EXPECT_EQ(std::make_pair(x, y), std::make_pair(1, 2));
}

} // namespace
} // namespace ai_tests
