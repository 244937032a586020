// The rules a unit applies to itself: efficiency, action points, the choice of a
// commanding commander, being spotted, levels and placing by the scripts.
#include <gtest/gtest.h>

#include <climits>

#include "core/settings.h"
#include "tests/units/unit_test_game.h"

using unit_tests::cTestGame;

namespace {

class UnitRules : public ::testing::Test
{
protected:
    void SetUp() override
    {
        g.SetRuleConstants();
        // A commander's skill and experience weigh in percent, as in the scenario.
        g.Consts().CommanderSkillWeight = 60;
        g.Consts().CommanderExperience[1] = 40;
        unit = g.AddLand(1, UNIT_INFANTRY, 2, 2);
        unit->m_Supply = 10;
        unit->m_TurnsWithoutSupply = 0;
    }
    cTestGame g;
    cJednostkaLadowa* unit = nullptr;
};

} // namespace

TEST_F(UnitRules, EfficiencyStepsDoctrineSupplyEventsBombardmentAndNoSupply)
{
    unit->RecalculateEfficiency();
    EXPECT_EQ(unit->m_Efficiency, 110);  // doctrine 1 x 10 percent
    unit->m_EventsEffect = 20;
    unit->RecalculateEfficiency();
    EXPECT_EQ(unit->m_Efficiency, 132);
    unit->m_EventsEffect = 0;
    unit->m_ShoreBombardmentEffect = 15.5f;
    unit->RecalculateEfficiency();
    EXPECT_EQ(unit->m_Efficiency, 94);  // 110 - 15.5, truncated
    unit->m_ShoreBombardmentEffect = 0.0f;
    unit->m_TurnsWithoutSupply = 2;
    unit->RecalculateEfficiency();
    EXPECT_EQ(unit->m_Efficiency, 55);  // (1 - 2/4) x 110
    unit->m_TurnsWithoutSupply = 0;
    unit->m_Supply = 0;
    unit->RecalculateEfficiency();
    EXPECT_EQ(unit->m_Efficiency, 44);  // the supply table's 40 percent
    unit->m_Supply = 99;                // beyond the table: its last entry
    unit->RecalculateEfficiency();
    EXPECT_EQ(unit->m_Efficiency, 110);
}

TEST_F(UnitRules, EfficiencyNeverFallsBelowOne)
{
    unit->m_ShoreBombardmentEffect = 500.0f;
    unit->RecalculateEfficiency();
    EXPECT_EQ(unit->m_Efficiency, 1);
    unit->m_ShoreBombardmentEffect = 0.0f;
    unit->m_TurnsWithoutSupply = 9;
    unit->RecalculateEfficiency();
    EXPECT_EQ(unit->m_Efficiency, 1);
}

TEST_F(UnitRules, EfficiencyOfHugeRuleValuesStopsAtTheLargestInt)
{
    // 100 x 5001 (supply) x 10001 (doctrine 100 at 10000 percent): past an int.
    g.Consts().SupplyEfficiency[10] = 500100;
    g.Consts().DoctrineEfficiencyBonus = 10000;
    g.Country(1).TechLevel[TECH_DOCTRINE] = 100;
    unit->RecalculateEfficiency();
    EXPECT_EQ(unit->m_Efficiency, INT_MAX);
}

TEST_F(UnitRules, CommandersRaiseEfficiencyByTheirBonus)
{
    // 60 x skill 10 / 100 + 40 x experience 85 / 100: a bonus of 40 percent, not 40 times.
    sDowodca* own = g.AddCommander(5, 1, 0, 10, 85);
    unit->m_Commander = own;
    unit->RecalculateEfficiency();
    EXPECT_EQ(unit->m_Efficiency, 154);  // 1.1 x 1.4

    // The same commander two hexes away reaches with 50 percent / 2 of his bonus: 10 percent.
    unit->m_Commander = nullptr;
    cJednostkaLadowa* hq = g.AddLand(1, UNIT_INFANTRY, 4, 2);
    hq->m_Commander = own;
    unit->m_CommandingCommanderId = own->ID;
    EXPECT_EQ(unit->GetCommanderBonus(), 10);
    EXPECT_EQ(unit->GetCommanderDistance(), 2);
    EXPECT_FLOAT_EQ(unit->GetCommanderRangeFactor(), 0.25f);  // 50 percent over 2 hexes
    unit->RecalculateEfficiency();
    EXPECT_EQ(unit->m_Efficiency, 121);  // 1.1 x 1.1
}

TEST_F(UnitRules, LandActionPointsFromDoctrineTypeSupplyAndTurnsWithoutSupply)
{
    unit->ResetActionPoints();
    EXPECT_EQ(unit->m_ActionPoints, 5);
    EXPECT_EQ(unit->m_StartingActionPoints, 5);
    g.Country(1).TechLevel[TECH_DOCTRINE] = 3;
    unit->SetType(UNIT_ARMOURED);
    unit->m_JustDeployed = true;
    unit->ResetActionPoints();
    EXPECT_EQ(unit->m_ActionPoints, 11);
    EXPECT_FALSE(unit->m_JustDeployed);
    unit->m_TurnsWithoutSupply = 2;
    unit->ResetActionPoints();
    EXPECT_EQ(unit->m_ActionPoints, 5);  // (1 - 2/4) x 11, truncated
    unit->m_TurnsWithoutSupply = 6;
    unit->ResetActionPoints();
    EXPECT_EQ(unit->m_ActionPoints, 0) << "(1 - 6/4) x 11 is less than nothing";
    g.Country(1).TechLevel[TECH_DOCTRINE] = 8;  // beyond the table: doctrine 5
    unit->m_TurnsWithoutSupply = 0;
    unit->ResetActionPoints();
    EXPECT_EQ(unit->m_ActionPoints, 13);
}

TEST_F(UnitRules, WithoutSupplyFootUnitsKeepOneActionPointAndOthersNone)
{
    unit->m_Supply = 0;  // the table cuts 100 percent
    for (int type : {UNIT_INFANTRY, UNIT_INFANTRY_CORPS, UNIT_AIRBORNE}) {
        unit->SetType(type);
        unit->ResetActionPoints();
        EXPECT_EQ(unit->m_ActionPoints, 1) << type;
    }
    for (int type : {UNIT_MECHANIZED, UNIT_ARMOURED, UNIT_ARMOURED_CORPS}) {
        unit->SetType(type);
        unit->ResetActionPoints();
        EXPECT_EQ(unit->m_ActionPoints, 0) << type;
    }
}

TEST_F(UnitRules, FrozenUnitGetsNoActionPointsAndKeepsTheRest)
{
    unit->m_StartingActionPoints = 4;
    unit->m_ActionPoints = 3;
    unit->m_JustDeployed = true;
    unit->m_FreezeTime = 1;
    unit->ResetActionPoints();
    EXPECT_EQ(unit->m_ActionPoints, 0);
    EXPECT_EQ(unit->m_StartingActionPoints, 4);
    EXPECT_TRUE(unit->m_JustDeployed);
}

TEST_F(UnitRules, AirActionPointsByTypeOnlyWithSupply)
{
    cJednostkaLotnicza* fighter = g.AddAir(1, UNIT_FIGHTER, 5, 5);
    cJednostkaLotnicza* tactical = g.AddAir(1, UNIT_TACTICAL_BOMBER, 6, 5);
    cJednostkaLotnicza* strategic = g.AddAir(1, UNIT_STRATEGIC_BOMBER, 7, 5);
    for (auto* a : {fighter, tactical, strategic})
        a->m_Supply = 10;
    fighter->ResetActionPoints();
    tactical->ResetActionPoints();
    strategic->ResetActionPoints();
    EXPECT_EQ(fighter->m_ActionPoints, 5);
    EXPECT_EQ(tactical->m_StartingActionPoints, 4);
    EXPECT_EQ(strategic->m_ActionPoints, 3);
    fighter->m_Supply = 1;  // the least supply is enough
    fighter->ResetActionPoints();
    EXPECT_EQ(fighter->m_ActionPoints, 5);
    fighter->m_Supply = 0;
    fighter->ResetActionPoints();
    EXPECT_EQ(fighter->m_ActionPoints, 0);
    EXPECT_EQ(fighter->m_StartingActionPoints, 0);
}

TEST_F(UnitRules, CommandingCommanderIsTheBestWithinRangeFirstOnATie)
{
    sDowodca* near1 = g.AddCommander(1, 1, 0, 2, 40);
    sDowodca* near2 = g.AddCommander(2, 1, 0, 2, 40);
    sDowodca* far = g.AddCommander(3, 1, 0, 9, 90);
    sDowodca* foreign = g.AddCommander(4, 2, 0, 9, 90);
    sDowodca* airman = g.AddCommander(5, 1, 1, 9, 90);
    g.AddLand(1, UNIT_INFANTRY, 4, 2)->m_Commander = near1;  // distance 2
    g.AddLand(1, UNIT_INFANTRY, 0, 2)->m_Commander = near2;  // distance 2
    g.AddLand(1, UNIT_INFANTRY, 8, 2)->m_Commander = far;    // distance 6, beyond 3
    g.AddLand(2, UNIT_INFANTRY, 2, 3)->m_Commander = foreign;
    g.AddLand(1, UNIT_INFANTRY, 2, 1)->m_Commander = airman;
    unit->UpdateCommandingCommander();
    EXPECT_EQ(unit->m_CommandingCommanderId, 1);

    near2->Skill = 9;  // now the better one
    unit->UpdateCommandingCommander();
    EXPECT_EQ(unit->m_CommandingCommanderId, 2);

    near1->Skill = near2->Skill = 0;
    near1->Experience = near2->Experience = 0;  // nobody scores above 0
    unit->UpdateCommandingCommander();
    EXPECT_EQ(unit->m_CommandingCommanderId, -1);

    sDowodca* edge = g.AddCommander(6, 1, 0, 2, 40);
    g.AddLand(1, UNIT_INFANTRY, 5, 2)->m_Commander = edge;  // distance 3, the edge of the range
    unit->UpdateCommandingCommander();
    EXPECT_EQ(unit->m_CommandingCommanderId, 6);
}

TEST_F(UnitRules, OwnCommanderUnitsOffTheMapAndShipsKeepTheirChoice)
{
    sDowodca* hqCommander = g.AddCommander(1, 1, 0, 2, 4);
    g.AddLand(1, UNIT_INFANTRY, 3, 2)->m_Commander = hqCommander;
    unit->m_Commander = g.AddCommander(2, 1, 0, 1, 1);
    unit->m_CommandingCommanderId = 77;
    unit->UpdateCommandingCommander();
    EXPECT_EQ(unit->m_CommandingCommanderId, 77);

    cJednostkaLadowa* offMap = g.AddLand(1, UNIT_INFANTRY, -1, -1);
    offMap->m_CommandingCommanderId = 66;
    offMap->UpdateCommandingCommander();
    EXPECT_EQ(offMap->m_CommandingCommanderId, 66);
    EXPECT_EQ(offMap->GetCommanderDistance(), 100);  // nobody it can reach
    // A unit's own commander gives it his full reach, wherever it stands.
    offMap->m_Commander = g.AddCommander(3, 1, 0, 1, 1);
    EXPECT_FLOAT_EQ(offMap->GetCommanderRangeFactor(), 1.0f);
    // Commander 0 is a commander like any; none is written as -1. Without the play's state no
    // hex has a region.
    sDowodca* first = g.AddCommander(0, 1, 0, 1, 1);
    offMap->SetCommandingCommander(first);
    EXPECT_EQ(offMap->GetCommandingCommander(), first);
    offMap->SetCommandingCommander(nullptr);
    EXPECT_EQ(offMap->m_CommandingCommanderId, -1);
    EXPECT_EQ(unit->GetHexRegion(), -1);

    cJednostkaMorska* ship = g.AddShip(1, UNIT_CRUISER, 1);
    ship->m_CommandingCommanderId = 1;
    ship->UpdateCommandingCommander();
    EXPECT_EQ(ship->m_CommandingCommanderId, -1);
}

// Under fog a unit is seen by the land and air units of the looking country's side within
// the distance; without fog by everyone at once.
TEST_F(UnitRules, AUnitIsSpottedWithinTheFogDistanceOfTheLookingSide)
{
    g.AddAir(1, UNIT_FIGHTER, 8, 8);
    g.AddAir(2, UNIT_FIGHTER, 8, 6);  // the enemy's own plane sees nothing for Albion
    const struct
    {
        int fog, x, y;
        bool spotted;
    } cases[] = {{0, 9, 2, true}, {1, 3, 2, true}, {1, 4, 2, false}, {1, 8, 7, true}, {1, 9, 5, false}};
    for (const auto& c : cases) {
        g_UserSettings.fogOfWar = c.fog;
        cJednostkaLadowa* enemy = g.AddLand(2, UNIT_INFANTRY, c.x, c.y);
        enemy->CheckSpottedByEnemy(&g.Country(1));
        EXPECT_EQ(enemy->m_Spotted, c.spotted) << c.fog << " " << c.x << "," << c.y;
        enemy->Kill();
    }
    ResetSettingsToDefaults();
}

TEST_F(UnitRules, AirUnitsFollowAirCommandersOfAirUnits)
{
    sDowodca* airman = g.AddCommander(1, 1, 1, 2, 40);
    g.AddAir(1, UNIT_TACTICAL_BOMBER, 5, 5)->m_Commander = airman;
    cJednostkaLotnicza* wing = g.AddAir(1, UNIT_FIGHTER, 6, 5);
    wing->UpdateCommandingCommander();
    EXPECT_EQ(wing->m_CommandingCommanderId, 1);
    unit->UpdateCommandingCommander();  // a land unit ignores the air commander
    EXPECT_EQ(unit->m_CommandingCommanderId, -1);
}

TEST_F(UnitRules, AddLevelKeepsTheLevelAboveZeroAndRecomputesEfficiency)
{
    unit->m_Level = 1;
    unit->m_Efficiency = 7;
    unit->AddLevel(-1);
    EXPECT_EQ(unit->m_Level, 1);
    EXPECT_EQ(unit->m_Efficiency, 7);
    unit->AddLevel(2);
    EXPECT_EQ(unit->m_Level, 3);
    EXPECT_EQ(unit->m_Efficiency, 110);
}

TEST_F(UnitRules, SetPositionMovesOnlyToAFreeHexOnTheMap)
{
    cJednostkaLadowa* other = g.AddLand(2, UNIT_INFANTRY, 5, 5);
    unit->SetPosition(5, 5);
    EXPECT_EQ(unit->m_X, 2);
    EXPECT_EQ(g.Hex(5, 5).unit, other);
    unit->SetPosition(12, 3);
    unit->SetPosition(-1, -1);
    EXPECT_EQ(unit->m_X, 2);
    EXPECT_EQ(g.Hex(2, 2).unit, unit);
    unit->SetPosition(6, 7);
    EXPECT_EQ(unit->m_X, 6);
    EXPECT_EQ(unit->m_Y, 7);
    EXPECT_EQ(g.Hex(2, 2).unit, nullptr);
    EXPECT_EQ(g.Hex(6, 7).unit, unit);
}
