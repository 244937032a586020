// The path search of the play state on the test scenario.
#include <gtest/gtest.h>

#include "tests/game/testland_game.h"
#include "tests/test_support.h"

using namespace testland;
using testing_support::CountLogLinesStartingWith;

namespace {

class PathSearch : public TestlandGame
{
protected:
    PathSearch()
    {
        Activate(kBorussia);
        ClearLand(12, 6, 4, kBorussia);
        unit.m_ActionPoints = 3;
        unit.m_StartingActionPoints = 5;
    }
    std::vector<sPathNode> Path() const
    {
        const auto& path = game->m_PlayState->GetCurrentMove().GetPath();
        return {path.begin(), path.end()};
    }
    cJednostkaLadowa& unit = Land(7);  // at (12, 6)
};

} // namespace

TEST_F(PathSearch, AStepByStepPathFromTheRangeLoggedFromTheTargetBack)
{
    unit.ComputeMoveRange(true);
    unit.m_SpottedEnemy = true;
    testing_support::ClearLog();
    Play().FindPath(unit, 12, 3);
    EXPECT_EQ(Path(), (std::vector<sPathNode>{{12, 5, 1}, {12, 4, 1}, {12, 3, 1}}));
    EXPECT_FALSE(unit.m_SpottedEnemy) << "a unit that starts a move has spotted nobody yet";
    EXPECT_EQ(CountLogLinesStartingWith(L"Adding hex ("), 3);
    EXPECT_TRUE(testing_support::LogHasInOrder({L"Adding hex (12,3) to path (cost 1)", L"Adding hex (12,4) to path (cost 1)",
                                                L"Adding hex (12,5) to path (cost 1)"}));
    EXPECT_EQ(Play().GetCurrentMove().GetUnit(), &unit);
    EXPECT_EQ(Play().GetCurrentMove().GetController(), kBorussia);
    EXPECT_TRUE(Play().GetUndo().IsFor(unit));
    EXPECT_EQ(Play().GetUndo().GetStartX(), 12);
    EXPECT_EQ(Play().GetUndo().GetActionPoints(), 3);

    // An adjacent target is one step at its range cost, unlogged.
    Hex(12, 5).terrain = 2;
    unit.ComputeMoveRange(true);
    testing_support::ClearLog();
    Play().FindPath(unit, 12, 5);
    EXPECT_EQ(Path(), (std::vector<sPathNode>{{12, 5, 2}}));
    EXPECT_EQ(CountLogLinesStartingWith(L"Adding hex ("), 0);
    EXPECT_FALSE(unit.m_JustDeployed) << "a unit with action points of its own is not held to one step";

    // A range no wider than the path (a corridor) leads back through every one of its hexes.
    unit.m_Path = {{&unit, 12, 5, 3, 1}, {&unit, 12, 4, 3, 3}};
    Play().FindPath(unit, 12, 4);
    EXPECT_EQ(Path(), (std::vector<sPathNode>{{12, 5, 1}, {12, 4, 2}}));
}

TEST_F(PathSearch, WhatTheRangeCannotReachGivesNoPathAndChangesNothing)
{
    unit.ComputeMoveRange(true);
    Play().FindPath(unit, 12, 4);
    ASSERT_FALSE(Path().empty());

    Play().FindPath(unit, 12, 1);  // four steps for three action points
    EXPECT_TRUE(Path().empty());
    EXPECT_EQ(Play().GetCurrentMove().GetUnit(), nullptr);
    EXPECT_TRUE(testing_support::LogContains(L"No path for 3. Panzerkorps to (12,1): the hex is not in its range"));

    unit.m_ActionPoints = -2;
    Play().FindPath(unit, 12, 4);
    EXPECT_TRUE(Path().empty());
    // At -1 the unit still has its neighbours.
    unit.m_ActionPoints = -1;
    Play().FindPath(unit, 12, 5);
    EXPECT_EQ(Path(), (std::vector<sPathNode>{{12, 5, 1}}));

    // A unit off the map (its range left from before) has no hex to walk from.
    unit.m_ActionPoints = 3;
    unit.m_X = 20;
    unit.m_Path = {{&unit, 19, 6, 1, 1}};
    Play().FindPath(unit, 19, 6);
    EXPECT_EQ(Play().GetCurrentMove().GetUnit(), nullptr);
    unit.m_X = 12;

    // A range that leads in a circle (an event's doing, say) ends the walk at once.
    unit.m_ActionPoints = 3;
    unit.m_Path = {{&unit, 12, 3, 3, 2}, {&unit, 12, 4, 0, 2}};
    Play().FindPath(unit, 12, 3);
    EXPECT_TRUE(Path().empty());
    EXPECT_TRUE(testing_support::LogContains(L"No path for 3. Panzerkorps to (12,3): its range does not lead back to it") ||
                testing_support::LogContains(L"No path for 3. Panzerkorps to (12,3): a step of its range costs nothing"));
}

TEST_F(PathSearch, AUnitWithoutActionPointsOfItsOwnTakesOneStepAnImpulse)
{
    unit.m_ActionPoints = unit.m_StartingActionPoints = 0;
    unit.m_Spotted = true;
    unit.ComputeMoveRange(true);
    Play().FindPath(unit, 12, 5);
    EXPECT_EQ(Path(), (std::vector<sPathNode>{{12, 5, 0}}));
    EXPECT_TRUE(unit.m_JustDeployed);
    unit.ComputeMoveRange(true);
    EXPECT_TRUE(unit.m_Path.empty()) << "the step is taken";
}

TEST_F(PathSearch, AMoveSeenByTheEnemyIsHeardByTheUnitsType)
{
    struct Case
    {
        int type;
        bool seen;
        const wchar_t* sound;  // null: none
    };
    const Case cases[] = {{UNIT_INFANTRY, true, L"InfantryMarching"},  {UNIT_INFANTRY_CORPS, true, L"InfantryMarching"},
                          {UNIT_MECHANIZED, true, L"TruckDriving"},     {UNIT_MECHANIZED_CORPS, true, L"TruckDriving"},
                          {UNIT_ARMOURED, true, L"TankRolling"},        {UNIT_ARMOURED_CORPS, true, L"TankRolling"},
                          {UNIT_AIRBORNE, true, nullptr},               {UNIT_ARMOURED, false, nullptr}};
    for (const Case& c : cases) {
        screen.sounds.clear();
        unit.m_Type = c.type;
        unit.m_Spotted = c.seen;
        unit.ComputeMoveRange(true);
        Play().FindPath(unit, 12, 5);
        ASSERT_EQ(Path().size(), 1u) << c.type;
        EXPECT_EQ(screen.sounds, c.sound ? std::vector<std::wstring>{std::wstring(L"data\\sound\\") + c.sound + L".wav"}
                                         : std::vector<std::wstring>{})
            << c.type << " seen " << c.seen;
    }
}
