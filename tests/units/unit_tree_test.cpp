// The unit class tree: categories, names, defaults, ids, copies, the Mulberry's
// invariants, the strength tables and the combat-result record.
#include <gtest/gtest.h>

#include <memory>

#include "core/stringbase.h"

#include "tests/units/unit_test_game.h"
#include "units/combat_result.h"

using unit_tests::cTestGame;

TEST(UnitTree, TypeSetsCategoryAndUnknownCodesKeepIt)
{
    cJednostkaMorska ship;
    ship.SetType(60);
    EXPECT_EQ(ship.m_Category, CATEGORY_LAND);
    ship.SetType(22);
    EXPECT_EQ(ship.m_Category, CATEGORY_AIR);
    ship.SetType(45);
    EXPECT_EQ(ship.m_Category, CATEGORY_NAVAL);
    ship.SetType(7);
    EXPECT_EQ(ship.m_Type, 7);
    EXPECT_EQ(ship.m_Category, CATEGORY_NAVAL);
}

// Without a game there are no rule constants: a plane reaches nowhere and a commander
// strengthens only the unit he stands at.
TEST(UnitTree, WithoutAGamePlanesReachNowhereAndCommandersLeadOnlyTheirOwnUnit)
{
    cJednostkaLotnicza plane;
    plane.SetType(UNIT_FIGHTER);
    EXPECT_EQ(plane.GetRange(), 0);
    EXPECT_EQ(plane.GetRebaseRange(), 0);
    const sDowodca commander{};
    EXPECT_FLOAT_EQ(CommanderBonusAt(commander, 0), 1.0f);
    EXPECT_FLOAT_EQ(CommanderBonusAt(commander, 1), 0.0f);
}

TEST(UnitTree, NamesKeepAtMost99Characters)
{
    cJednostkaMorska ship;
    ship.SetName(std::wstring(150, L'x'));
    EXPECT_EQ(ship.m_Name, std::wstring(99, L'x'));
    ship.SetName(L"Bismarck");
    EXPECT_EQ(ship.m_Name, L"Bismarck");
}

TEST(UnitTree, DefaultsOfEachFamily)
{
    cTestGame g;
    g.Consts().AirborneAssaultWait = 3;
    cJednostkaLadowa land;
    EXPECT_EQ(land.m_TurnsWithoutSupply, 1);
    EXPECT_FALSE(land.m_JustDeployed);
    EXPECT_EQ(land.m_Commander, nullptr);
    EXPECT_EQ(land.m_CommandingCommanderId, -1);
    EXPECT_EQ(land.m_EventsEffect, 0);
    EXPECT_EQ(land.m_TrenchBonus, 0);
    EXPECT_EQ(land.m_LastX, -1);
    EXPECT_EQ(land.m_LastY, -1);
    EXPECT_EQ(land.m_TurnsSinceParadrop, 3);
    EXPECT_EQ(land.m_TransporterId, -1);
    EXPECT_TRUE(land.m_Path.empty());
    EXPECT_EQ(land.m_ShoreBombardmentEffect, 0.0f);
    EXPECT_FALSE(land.m_SpottedEnemy);

    cJednostkaLotnicza air;
    EXPECT_FALSE(air.m_AirReconDone);
    EXPECT_EQ(air.m_TurnsWithoutSupply, 0);

    cJednostkaMorska ship;
    EXPECT_EQ(ship.m_Fleet, nullptr);
    EXPECT_EQ(ship.m_Cargo, nullptr);
    EXPECT_EQ(ship.m_AiSeaZone, -1);
    EXPECT_FALSE(ship.m_ActiveInBattle || ship.m_Selected || ship.m_CanBeRepaired);
}

TEST(UnitTree, EachFamilyCountsItsOwnIds)
{
    cTestGame g;
    g.game->m_NextIds.landUnit = 10;
    g.game->m_NextIds.airUnit = 3;
    cJednostkaLadowa a;
    cMulberry m;
    cJednostkaLotnicza air;
    cJednostkaLadowa b;
    EXPECT_EQ(a.m_Id, 11);
    EXPECT_EQ(m.m_Id, 12);  // harbours count with the land units
    EXPECT_EQ(b.m_Id, 13);
    EXPECT_EQ(air.m_Id, 4);
    cJednostkaLadowa copy(a);  // a copy is the same unit: no new id
    EXPECT_EQ(copy.m_Id, 11);
    EXPECT_EQ(g.game->m_NextIds.landUnit, 13);
}

TEST(UnitTree, CopiesTakeEveryFieldAndTheirOwnPathLists)
{
    cJednostkaLadowa a;
    a.SetName(L"1st Division");
    a.m_Strength = 55;
    a.m_FreezeTime = 2;
    a.m_AiTargetX = 7;
    a.m_Path.push_back(sPathStep{&a, 1, 2, 3, 4});
    cJednostkaLadowa b(a);
    EXPECT_EQ(b.m_Name, L"1st Division");
    EXPECT_EQ(b.m_Strength, 55);
    EXPECT_EQ(b.m_FreezeTime, 2);
    EXPECT_EQ(b.m_AiTargetX, 7);
    ASSERT_EQ(b.m_Path.size(), 1u);
    b.m_Path.front().cost = 99;
    EXPECT_EQ(a.m_Path.front().cost, 4);
}

TEST(UnitTree, UnitsAreDestroyedThroughTheRoot)
{
    // Each of these goes through the virtual destructor; the sanitizer checks the rest.
    std::unique_ptr<cUnit> units[] = {std::make_unique<cJednostkaLadowa>(), std::make_unique<cMulberry>(),
                                      std::make_unique<cJednostkaLotnicza>(), std::make_unique<cJednostkaMorska>()};
    static_cast<cJednostka*>(units[0].get())->m_Path.push_back({});
    EXPECT_EQ(units[1]->m_Type, UNIT_MULBERRY);
}

TEST(UnitTree, MulberryIgnoresSuppliesActionPointsAndStrengthGiven)
{
    cTestGame g;
    g.SetRuleConstants();
    cMulberry* m = g.AddMulberry(1, 2, 2);
    EXPECT_EQ(m->m_Strength, 7);  // the ceiling, truncated
    EXPECT_EQ(m->m_RemainingMonths, 6);
    m->SetSupply(3);
    EXPECT_EQ(m->m_Supply, 50);
    m->AddActionPoints(5);
    EXPECT_EQ(m->m_ActionPoints, 0);
    m->SetActionPoints(4);
    m->SetStartingActionPoints(4);
    m->ResetActionPoints();
    EXPECT_EQ(m->m_ActionPoints, 0);
    EXPECT_EQ(m->m_StartingActionPoints, 0);
    m->SetStrength(40);
    EXPECT_EQ(m->GetStrength(), 7);
    m->AddStrength(40);
    EXPECT_EQ(m->GetStrength(), 7);
    m->SetSupplySourceX(4);
    m->SetSupplySourceY(5);
    EXPECT_EQ(m->m_SupplySourceX, -1);
    EXPECT_EQ(m->m_SupplySourceY, -1);
    // No column of the land strength table is a harbour's: its strength is its value.
    EXPECT_FLOAT_EQ(m->GetCombatStrength(), 7.0f);
    EXPECT_FLOAT_EQ(m->GetFullStrengthValue(), 7.0f);
}

TEST(UnitTree, LandStrengthComesFromTheLevelAndTypeTable)
{
    cTestGame g;
    g.SetRuleConstants();
    cJednostkaLadowa* u = g.AddLand(1, UNIT_INFANTRY, 1, 1);
    u->m_Level = 3;
    EXPECT_FLOAT_EQ(u->GetFullStrengthValue(), 30.0f);
    u->m_Strength = 50;
    EXPECT_FLOAT_EQ(u->GetCombatStrength(), 15.0f);
    u->m_Efficiency = 80;
    EXPECT_FLOAT_EQ(u->GetEffectiveStrength(), 12.0f);
    u->SetType(UNIT_ARMOURED_CORPS);
    EXPECT_FLOAT_EQ(u->GetFullStrengthValue(), 35.0f);
    // Level 0 and level 9 read the first and the last row of the table, nothing else.
    u->m_Level = 0;
    EXPECT_FLOAT_EQ(u->GetFullStrengthValue(), 15.0f);
    u->m_Level = 9;
    EXPECT_FLOAT_EQ(u->GetFullStrengthValue(), 55.0f);
}

TEST(UnitTree, AirStrengthIsInStrengthPoints)
{
    cTestGame g;
    g.SetRuleConstants();
    cJednostkaLotnicza* a = g.AddAir(1, UNIT_STRATEGIC_BOMBER, 3, 3);
    a->m_Strength = 9;
    EXPECT_FLOAT_EQ(a->GetFullStrengthValue(), 16.0f);
    EXPECT_FLOAT_EQ(a->GetCombatStrength(), 9.0f);
    EXPECT_FLOAT_EQ(a->GetEffectiveStrength(), 9.0f);
    a->m_Efficiency = 3;
    a->RecalculateEfficiency();
    EXPECT_EQ(a->m_Efficiency, 100);
    // The first air type reads the first column; a type that is no air type, none.
    cJednostkaLotnicza* fighter = g.AddAir(1, UNIT_FIGHTER, 4, 3);
    EXPECT_FLOAT_EQ(fighter->GetFullStrengthValue(), 12.0f);
    fighter->m_Type = UNIT_CARGO;
    EXPECT_FLOAT_EQ(fighter->GetFullStrengthValue(), 0.0f);
}

TEST(UnitTree, AirRangesFollowTypeAndAircraftTechnology)
{
    cTestGame g;
    g.SetRuleConstants();
    cJednostkaLotnicza* fighter = g.AddAir(1, UNIT_FIGHTER, 3, 3);
    cJednostkaLotnicza* bomber = g.AddAir(1, UNIT_STRATEGIC_BOMBER, 4, 3);
    EXPECT_EQ(fighter->GetRange(), 6);
    EXPECT_EQ(fighter->GetRebaseRange(), 8);
    EXPECT_EQ(bomber->GetRange(), 10);
    EXPECT_EQ(bomber->GetRebaseRange(), 12);
    g.Country(1).TechLevel[TECH_AIRCRAFT] = 2;
    EXPECT_EQ(fighter->GetRange(), 9);
    g.Country(1).TechLevel[TECH_AIRCRAFT] = 0;  // reads the level-1 factor
    EXPECT_EQ(fighter->GetRange(), 6);
    bomber->m_Owner = 0;  // nobody's plane flies with the first level's technology
    EXPECT_EQ(bomber->GetRange(), 10);
    // Taken in single precision, 10 x 0.7 reaches 7; the largest base a file can give stays
    // the largest range, never a negative one.
    g.Consts().AirRanges[0] = 10;
    g.Consts().RangeTechFactor[0] = 0.7f;
    EXPECT_EQ(fighter->GetRange(), 7);
    g.Consts().AirRanges[0] = INT_MAX;
    g.Consts().RangeTechFactor[0] = 1.5f;
    EXPECT_EQ(fighter->GetRange(), INT_MAX);
}

TEST(CombatResult, ResetClearsEverythingAndTitlesFollowTheKind)
{
    sCombatResult r;
    EXPECT_EQ(r.kind, 0);
    EXPECT_EQ(r.attackerCountry, -1);
    r.kind = COMBAT_NUCLEAR_STRIKE;
    r.attackerLoss = 3.5f;
    r.defenderLossText = L"Land combat: 1.0\n";
    r.attackerCountry = 2;
    r.navalDefenderKilled = true;
    r.interceptionSucceeded = true;
    r.Reset();
    EXPECT_EQ(r.kind, 0);
    EXPECT_EQ(r.attackerLoss, 0.0f);
    EXPECT_TRUE(r.defenderLossText.empty());
    EXPECT_EQ(r.attackerCountry, -1);
    EXPECT_FALSE(r.navalDefenderKilled || r.interceptionSucceeded);
    EXPECT_STREQ(CombatTitleKey(0), "combatresult_land_battle_title");
    EXPECT_STREQ(CombatTitleKey(9), "combatresult_carrier_airstrike_sea_zone_title");
    EXPECT_STREQ(CombatTitleKey(10), "combatresult_unknown_battle_title");
    EXPECT_STREQ(CombatTitleKey(-1), "combatresult_unknown_battle_title");
}

TEST(UnitTree, SubtypeTextsFollowTheSymbolSizeOfDivisionsAndCorps)
{
    cTestGame g;
    g_StringBase.LoadFromBytes(cStringBase::Encode({{"unit_subtype_infantry_size_1", L"Infantry division"},
                                                    {"unit_subtype_infantry_size_3", L"Infantry army"},
                                                    {"unit_subtype_infantry_size_6", L"Infantry army group"},
                                                    {"unit_subtype_airborne_size_1", L"Airborne division"},
                                                    {"unit_subtype_cargo", L"Cargo ship"},
                                                    {"unit_subtype_unknown", L"Unknown unit"}}),
                               true);
    g.game->m_SmallUnitsSize = 0;
    g.game->m_LargeUnitsSize = 2;
    EXPECT_EQ(cUnit::GetSubtypeText(UNIT_INFANTRY), L"Infantry division");
    EXPECT_EQ(cUnit::GetSubtypeText(UNIT_INFANTRY_CORPS), L"Infantry army");
    EXPECT_EQ(cUnit::GetSubtypeText(UNIT_AIRBORNE), L"Airborne division");
    EXPECT_EQ(cUnit::GetSubtypeText(UNIT_CARGO), L"Cargo ship");
    EXPECT_EQ(cUnit::GetSubtypeText(UNIT_MULBERRY), L"Unknown unit");
    g.game->m_LargeUnitsSize = 9;  // beyond the symbols: the largest
    EXPECT_EQ(cUnit::GetSubtypeText(UNIT_INFANTRY_CORPS), L"Infantry army group");
    // A number that is no type has no category.
    EXPECT_EQ(CategoryOfType(UNIT_AMPHIBIOUS), CATEGORY_NAVAL);
    EXPECT_EQ(CategoryOfType(-1), -1);
}
