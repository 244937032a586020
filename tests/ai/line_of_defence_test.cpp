// The line of defence: drawn only when a front is threatened, between own lattice nodes
// facing the enemy, and thinned of spurs and kinks.
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <future>
#include <thread>

#include "core/lock.h"
#include "tests/ai/ai_test_game.h"
#include "tests/test_support.h"
#include "world/city_graph.h"

namespace ai_tests {
namespace {

class LineOfDefence : public cAIGame
{
protected:
    void MarkNeighbours(int x, int y, std::initializer_list<int> directions)
    {
        Map().ClearAiMarks();
        for (int d : directions)
        {
            int nx = x, ny = y;
            GetNeighbourCoordsOut(x, y, d, nx, ny);
            Map().SetAiMark(nx, ny, 3);
        }
    }
};

TEST_F(LineOfDefence, AKinkIsTwoLineNeighboursOnConsecutiveSides)
{
    MarkNeighbours(10, 10, {2, 3});
    EXPECT_TRUE(IsLineKink(10, 10));
    MarkNeighbours(10, 10, {5, 0});
    EXPECT_FALSE(IsLineKink(10, 10)) << "directions 5 and 0 do not count as consecutive";
    MarkNeighbours(10, 10, {1, 4});
    EXPECT_FALSE(IsLineKink(10, 10));
    MarkNeighbours(10, 10, {1, 2, 3});
    EXPECT_FALSE(IsLineKink(10, 10)) << "three neighbours are no kink";
}

TEST_F(LineOfDefence, ASpurHangsOnAHexWithMoreThanTwoLineNeighbours)
{
    // (10,10) touches only (10,9), whose other line neighbours are (10,8), (11,9), (9,9).
    Map().ClearAiMarks();
    Map().SetAiMark(10, 9, 3);
    Map().SetAiMark(10, 8, 3);
    Map().SetAiMark(11, 9, 3);
    EXPECT_FALSE(IsLineSpur(10, 10)) << "(10,9) has only two line neighbours";
    Map().SetAiMark(9, 9, 3);
    EXPECT_TRUE(IsLineSpur(10, 10));
    std::pair<int, int> last;
    EXPECT_EQ(CountMarkedNeighbours(10, 10, last), 1);
    EXPECT_EQ(last, std::make_pair(10, 9));
}

TEST_F(LineOfDefence, AThreatenedFrontDrawsALineBetweenTheFacingNodes)
{
    cAI& ai = AIOf(kBorussia);
    ai.BuildUnitLists();
    ai.EvaluateNodeStrengths();
    ai.UpdateFronts();
    ai.SumFrontStrengths();
    ASSERT_FALSE(ai.NeedsLineOfDefence()) << "Borussia is far stronger than Valdonia";

    ai.CalculateLineOfDefence();
    ASSERT_FALSE(ai.m_LineOfDefence.empty());
    for (const auto& [x, y] : ai.m_LineOfDefence)
    {
        EXPECT_EQ(Map().GetAiMark(x, y), 3);
        EXPECT_TRUE(Map().GetHex(x, y)->IsFriendlyOrEnemyLand(kBorussia));
        EXPECT_FALSE(IsLineKink(x, y)) << x << "," << y;
    }
    // The facing nodes (8,4) of Borussia and (12,6) lie on it, and (12,10), which faces Valdonia's
    // (8,8) too and joins (12,6) from the south.
    auto on = [&](int x, int y) {
        return std::find(ai.m_LineOfDefence.begin(), ai.m_LineOfDefence.end(), std::make_pair(x, y)) !=
               ai.m_LineOfDefence.end();
    };
    EXPECT_TRUE(on(8, 4));
    EXPECT_TRUE(on(12, 6));
    EXPECT_TRUE(on(12, 10));

    // With Valdonia on (12,2) instead of (8,8), (12,6) faces it only northward and (8,4) to the
    // north-east: the line joins the two.
    Map().GetHex(8, 8)->controller = uint8_t(kBorussia);
    Map().GetHex(12, 2)->controller = uint8_t(kValdonia);
    ai.CalculateLineOfDefence();
    EXPECT_TRUE(on(8, 4));
    EXPECT_TRUE(on(12, 6));
    EXPECT_FALSE(on(12, 10));
}

TEST_F(LineOfDefence, TheBestPathPrefersRiversOnTheEnemySideAndOwnCities)
{
    cAI& ai = AIOf(kBorussia);
    const bool none[6] = {};
    const auto path = ai.FindBestLinePath(8, 4, 12, 6, none);
    ASSERT_FALSE(path.empty());
    EXPECT_EQ(path.front(), std::make_pair(8, 4));
    EXPECT_EQ(path.back(), std::make_pair(12, 6));
    const int maxLength = 2 * HexDistance(8, 4, 12, 6) - 2;
    EXPECT_LE(int(path.size()), maxLength + 1);
    const int score = ai.ScoreLinePath(path, maxLength, none);
    EXPECT_GE(score, (maxLength - int(path.size()) - 1) * 10);
    // The score of one path: 10 a hex short of the longest, 4 for rough ground, 6 for each
    // river side toward the enemy, 15 for an own city (Colonia stands on (9,5)).
    sHex& first = *Map().GetHex(8, 4);
    first.terrain = 1;
    first.riverMask = 0;
    struct sCase
    {
        int terrain;
        unsigned riverMask;
        std::initializer_list<int> enemySides;
        int maxLength;
        int expected;
    };
    for (const sCase& c : {sCase{1, 0, {}, 6, 30 + 15}, sCase{1, 0, {}, 9, 60 + 15}, sCase{2, 0, {}, 6, 30 + 4 + 15},
                           sCase{6, 0, {}, 6, 30 + 4 + 15}, sCase{7, 0, {}, 6, 30 + 15},
                           sCase{1, 0b110, {1, 2}, 6, 30 + 12 + 15}, sCase{1, 0b110, {2, 3}, 6, 30 + 6 + 15},
                           sCase{1, 0b110, {}, 6, 30 + 15}, sCase{1, 0b1, {0}, 6, 30 + 6 + 15}})
    {
        first.terrain = uint8_t(c.terrain);
        first.riverMask = uint8_t(c.riverMask);
        bool flags[6] = {};
        for (int d : c.enemySides)
            flags[d] = true;
        EXPECT_EQ(ai.ScoreLinePath({{8, 4}, {9, 5}}, c.maxLength, flags), c.expected)
            << "terrain " << c.terrain << ", rivers " << c.riverMask << ", longest " << c.maxLength;
    }
    EXPECT_TRUE(ai.FindBestLinePath(8, 4, 2, 2, none).empty()) << "no land path to the island";
    // Two hexes apart the longest path is 2 x 2 - 2 + 1 = 3 hexes; of the two through (11,10) and
    // (11,11), both clear Borussian land, the first found (direction 1 before 2) stays the best.
    // Neighbours get a longest path of 0 + 1 hexes: nothing to walk.
    const std::vector<std::pair<int, int>> viaNorth{{10, 10}, {11, 10}, {12, 10}};
    EXPECT_EQ(ai.FindBestLinePath(10, 10, 12, 10, none), viaNorth);
    EXPECT_TRUE(ai.FindBestLinePath(10, 10, 11, 10, none).empty());
}

// A unit sent to the line goes to a free line hex in its reach, unless its own hex is fortified
// above the level its country holds at all cost: then it stays and holds it.
TEST_F(LineOfDefence, AUnitGoesToTheLineUnlessItsHexIsFortifiedAboveTheLevelHeldAtAllCost)
{
    for (const int fortification : {2, 3})
    {
        cAI& ai = AIOf(kBorussia);
        ai.m_Country->AIParameters.FortLevelToHoldAtAllCost = 2;
        ai.BuildUnitLists();
        cJednostkaLadowa* unit = nullptr;
        std::pair<int, int> line{-1, -1};
        for (cJednostkaLadowa* u : ai.m_OwnLandUnits)
        {
            u->ComputeMoveRange(true);
            // A target in the unit's own row: standing on it takes the column and the row.
            for (const sPathStep& step : u->m_Path)
                if (HexDistance(u->m_X, u->m_Y, step.x, step.y) == 2 && step.y == u->m_Y &&
                    !Map().GetHex(step.x, step.y)->unit)
                    line = {step.x, step.y};
            if (line.first >= 0)
            {
                unit = u;
                break;
            }
        }
        ASSERT_NE(unit, nullptr) << "no Borussian unit with a free hex two steps away in its row";
        const std::pair<int, int> from{unit->m_X, unit->m_Y};
        Map().ClearAiMarks();
        Map().SetAiMark(line.first, line.second, 3);
        ai.m_LineOfDefence = {line};
        Map().GetHex(from.first, from.second)->fortification = uint8_t(fortification);
        unit->m_AiOrder = 5;
        unit->m_AiTargetX = line.first;
        unit->m_AiTargetY = line.second;
        ai.MoveUnitsToLineOfDefence();
        const std::pair<int, int> at{unit->m_X, unit->m_Y};
        if (fortification > 2)
        {
            EXPECT_EQ(unit->m_AiOrder, 9);
            EXPECT_EQ(at, from);
        }
        else
        {
            EXPECT_EQ(unit->m_AiOrder, 5);
            EXPECT_EQ(at, line);
        }
    }
}

// A unit that finds no marked hex in reach heads for the free line hex nearest its target: the
// first of two as near, its target itself when every line hex is taken.
TEST_F(LineOfDefence, TheNearestFreeLineHexIsTheFirstOfEqualsAndTheTargetWhenNoneIsFree)
{
    cAI& ai = AIOf(kBorussia);
    struct sCase
    {
        std::vector<std::pair<int, int>> line;
        std::pair<int, int> expected;
    };
    // (10,8), two hexes from the target, holds the Alpine Brigade.
    for (const sCase& c : {sCase{{{10, 9}, {10, 11}}, {10, 9}}, sCase{{{10, 11}, {10, 9}}, {10, 11}},
                           sCase{{{10, 8}, {10, 13}}, {10, 13}}, sCase{{{10, 8}}, {10, 10}}})
    {
        ai.m_LineOfDefence = c.line;
        EXPECT_EQ(ai.FindNearestFreeLineHex(10, 10), c.expected) << c.line.size() << " line hexes";
    }
    // Within a unit's reach the marked hexes count, in the order its move range lists them:
    // the 4. Mech Corps on (8,3) reaches (7,4) before (9,4), both beside (8,4);
    // Albion's 1st Guards, moved to (1,2), reach (0,2) in the map's first column, made land.
    sHex& firstColumn = *Map().GetHex(0, 2);
    firstColumn.terrain = 1;
    firstColumn.controller = firstColumn.owner = uint8_t(kAlbion);
    LandUnit(1)->SetPosition(1, 2);
    struct sReach
    {
        int unitId;
        std::pair<int, int> near;
        std::vector<std::pair<int, int>> marked;
        std::pair<int, int> expected;
    };
    for (const sReach& c : {sReach{8, {8, 4}, {{9, 4}, {7, 4}}, {7, 4}}, sReach{8, {8, 4}, {{9, 2}, {8, 5}}, {8, 5}},
                            sReach{8, {8, 4}, {}, {-1, -1}}, sReach{1, {0, 2}, {{0, 2}, {2, 2}}, {0, 2}}})
    {
        cJednostkaLadowa& unit = *LandUnit(c.unitId);
        unit.ComputeMoveRange(true);
        Map().ClearAiMarks();
        for (const auto& [x, y] : c.marked)
            Map().SetAiMark(x, y, 3);
        EXPECT_EQ(FindNearestFreeMarkedHexInRange(unit, c.near.first, c.near.second), c.expected)
            << "unit " << c.unitId << ", " << c.marked.size() << " marked hexes";
    }
}

// A unit moves onto a marked hex in its reach only when that brings it nearer its target, else
// toward the free line hex nearest the target; the passes go on while any unit moves, so a unit
// blocked by another that makes way afterwards still gets there, and end with a pass that moves
// nobody (a watchdog stops them were they to go on).
TEST_F(LineOfDefence, AUnitStepsOnlyNearerItsTargetAndTakesTheHexAnotherHasLeft)
{
    struct sOrder
    {
        int unitId;
        std::pair<int, int> from;
        std::pair<int, int> target;
        std::pair<int, int> expected;
    };
    struct sCase
    {
        int country;
        std::vector<std::pair<int, int>> line;
        std::vector<sOrder> orders;  // in the order the units are walked
    };
    // The 4. Mech Corps on (8,3) reaches (9,4), two hexes from (8,5) as its own hex is: it
    // heads for (9,6), the line hex nearest (8,5), and stops on (8,5) beside it.
    // On the line at (8,3) it waits for the 2. Motorised to leave its target (9,5) for (11,5),
    // and stays when the Motorised holds it.
    // Albion's 1st Guards on the line at (1,2) take (0,2) in the map's first column, made land.
    for (const sCase& c :
         {sCase{kBorussia, {{9, 4}, {9, 6}}, {{8, {8, 3}, {8, 5}, {8, 5}}}},
          sCase{kBorussia, {{8, 3}, {9, 5}, {11, 5}}, {{8, {8, 3}, {9, 5}, {9, 5}}, {5, {9, 5}, {11, 5}, {11, 5}}}},
          sCase{kBorussia, {{8, 3}, {9, 5}}, {{8, {8, 3}, {9, 5}, {8, 3}}}},
          sCase{kAlbion, {{1, 2}, {0, 2}}, {{1, {1, 2}, {0, 2}, {0, 2}}}}})
    {
        DeleteGameObject();
        game = LoadGame(sGameLoadRequest::ForScenario(L"Testland"));
        sHex& firstColumn = *Map().GetHex(0, 2);
        firstColumn.terrain = 1;
        firstColumn.controller = firstColumn.owner = uint8_t(kAlbion);
        cAI& ai = AIOf(c.country);
        ai.m_OwnLandUnits.clear();
        for (const sOrder& o : c.orders)
        {
            cJednostkaLadowa* unit = LandUnit(o.unitId);
            unit->SetPosition(o.from.first, o.from.second);
            unit->m_AiOrder = 5;
            unit->m_AiTargetX = o.target.first;
            unit->m_AiTargetY = o.target.second;
            ai.m_OwnLandUnits.push_back(unit);
        }
        ai.m_LineOfDefence = c.line;
        Map().ClearAiMarks();
        for (const auto& [x, y] : c.line)
            Map().SetAiMark(x, y, 3);
        std::atomic<bool> mayRun{true};
        std::promise<void> done;
        std::thread watchdog([&mayRun, finished = done.get_future()] {
            if (finished.wait_for(std::chrono::seconds(20)) == std::future_status::timeout)
                mayRun = false;
        });
        SetThreadRunFlag(&mayRun);
        ai.MoveUnitsToLineOfDefence();
        SetThreadRunFlag(nullptr);
        done.set_value();
        watchdog.join();
        EXPECT_TRUE(mayRun) << "the passes went on after one that moved nobody";
        for (const sOrder& o : c.orders)
            EXPECT_EQ(std::make_pair(LandUnit(o.unitId)->m_X, LandUnit(o.unitId)->m_Y), o.expected)
                << "unit " << o.unitId << ", " << c.line.size() << " line hexes";
    }
}

TEST_F(LineOfDefence, NoThreatenedFrontKeepsTheMarksOfTheLastLine)
{
    cAI& ai = AIOf(kBorussia);
    Map().SetAiMark(3, 3, 3);
    ai.PlayTurn();
    EXPECT_FALSE(testing_support::LogStartsWith(L"[AI]: Borussia - Calculating line of defence..."));
    EXPECT_EQ(Map().GetAiMark(3, 3), 3);
}

} // namespace
} // namespace ai_tests
