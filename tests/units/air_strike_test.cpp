// Air strikes on land units (modifiers, effectiveness, the two dice, the attacker's column)
// and nuclear strikes (radius, cities, unrest).
#include <gtest/gtest.h>

#include <climits>

#include "core/random.h"
#include "core/stringbase.h"
#include "tests/test_support.h"
#include "tests/units/unit_test_game.h"
#include "tests/world/world_fixture.h"
#include "units/combat_result.h"
#include "world/city.h"

using unit_tests::cTestGame;
using unit_tests::RawFor;

namespace {

class AirStrike : public ::testing::Test
{
protected:
    void SetUp() override
    {
        g.SetCombatConstants();
        g.Consts().BombardLevelModifier[0] = 100;
        g.SetWar(1, 2);
        bomber = g.AddAir(1, UNIT_TACTICAL_BOMBER, 2, 2);
        bomber->m_Strength = 14;  // the full strength of its type
        bomber->m_Supply = 10;
        testing_support::ClearLog();
    }
    cJednostkaLadowa* Target(int level, int strength)
    {
        cJednostkaLadowa* u = g.AddLand(2, UNIT_INFANTRY, 5, 5);
        u->m_Level = level;
        u->m_Strength = strength;
        return u;
    }
    cTestGame g;
    cJednostkaLotnicza* bomber = nullptr;
    sCombatResult result;
};

} // namespace

TEST_F(AirStrike, FullBomberWithNeutralModifiersDealsTheTableLossAndTheColumnPicksItsOwn)
{
    LoadGameTexts();
    cJednostkaLadowa* target = Target(3, 100);  // column 3
    ScriptRandomRaw({RawFor(2), RawFor(4)});    // the attacker's die, then the defender's
    target->ReceiveAirAttack(&result, bomber);
    EXPECT_TRUE(testing_support::LogContains(L"Attack effectiveness = 100.0"));
    EXPECT_TRUE(testing_support::LogContains(L"Obronca: D6=4 Straty=2.00"));
    EXPECT_TRUE(testing_support::LogContains(L"Wyznaczenie kolumny. Poziom obroncy(3)-Kara(0) = KOLUMNA 3"));
    EXPECT_EQ(result.kind, COMBAT_AIR_STRIKE_LAND);
    EXPECT_FLOAT_EQ(result.defenderLoss, 2.0f);
    EXPECT_EQ(target->m_Strength, 100 - 6);  // 2.0 of a full value of 30
    // What is left is told in the measure of what was lost: 94 points of 30 are 28.2.
    EXPECT_NE(result.defenderInfo.find(L"Die 4, lost 2.00 combat strength, 28.20 left"), std::wstring::npos)
        << std::string(result.defenderInfo.begin(), result.defenderInfo.end());
    EXPECT_EQ(bomber->m_Strength, 14 - 3);   // die 2, column 3
    EXPECT_FLOAT_EQ(result.attackerLoss, 3.0f);
    std::list<sRaport> out;
    EXPECT_EQ(g.game->m_Reports->CollectReports(out, 1, 8).size(), 1u);
    EXPECT_EQ(g.game->m_Reports->CollectReports(out, 2, 8).size(), 1u);

    cJednostkaLadowa* worn = g.AddLand(2, UNIT_INFANTRY, 7, 7);
    worn->m_Level = 3;
    worn->m_Strength = 40;  // penalty 3: column 0, read as 1
    ScriptRandomRaw({RawFor(1), RawFor(1)});
    worn->ReceiveAirAttack(&result, bomber);
    EXPECT_TRUE(testing_support::LogContains(L"Wyznaczenie kolumny. Poziom obroncy(3)-Kara(3) = KOLUMNA 1"));

    cJednostkaLadowa* elite = g.AddLand(2, UNIT_INFANTRY, 8, 7);
    elite->m_Level = 5;
    ScriptRandomRaw({RawFor(1), RawFor(1)});
    elite->ReceiveAirAttack(&result, bomber);
    EXPECT_TRUE(testing_support::LogContains(L"Wyznaczenie kolumny. Poziom obroncy(5)-Kara(0) = KOLUMNA 5"));

    cJednostkaLadowa* scarred = g.AddLand(2, UNIT_INFANTRY, 8, 8);
    scarred->m_Level = 3;
    scarred->m_Strength = 81;  // 19 points short: no whole penalty yet
    testing_support::ClearLog();
    ScriptRandomRaw({RawFor(1), RawFor(1)});
    scarred->ReceiveAirAttack(&result, bomber);
    EXPECT_TRUE(testing_support::LogContains(L"Wyznaczenie kolumny. Poziom obroncy(3)-Kara(0) = KOLUMNA 3"));

    // Ten of eleven points lost leave combat strength 0.1, which is not below it.
    cJednostkaLadowa* thin = g.AddLand(2, UNIT_INFANTRY, 6, 8);
    thin->m_Level = 1;
    thin->m_Strength = 11;
    bomber->m_Strength = 14;
    result.Reset();
    ScriptRandomRaw({RawFor(1), RawFor(2)});  // the defender's 2: a loss of 1.0 of a full value of 10
    thin->ReceiveAirAttack(&result, bomber);
    EXPECT_EQ(thin->m_Strength, 1);
    EXPECT_FALSE(result.defenderKilled);
    EXPECT_EQ(bomber->m_Strength, 14);  // the attacker's 1 in column 1 reads the table's first field, 0 here

    // A city and two levels of trenches, 10 percent each, take their share of the attack.
    cMiasto city;
    g.Hex(9, 8).city = &city;
    g.Consts().EntrenchmentFactor = 10.0f;
    cJednostkaLadowa* dug = g.AddLand(2, UNIT_INFANTRY, 9, 8);
    dug->m_TrenchBonus = 2;
    bomber->m_Strength = 14;
    testing_support::ClearLog();
    ScriptRandomRaw({RawFor(1), RawFor(1)});
    dug->ReceiveAirAttack(&result, bomber);
    g.Hex(9, 8).city = nullptr;
    EXPECT_TRUE(testing_support::LogContains(L"Modifiers: Strength(100.0) Level(100) Supply(100) Terrain(100) Weather(100) "
                                             L"City(75) Fort(100) Enforcement(80)"));

    // A strategic bomber is measured against the tactical bomber's full strength too: 14 of 14.
    // Of level 3, it takes the level row's third field.
    cJednostkaLotnicza* heavy = g.AddAir(1, UNIT_STRATEGIC_BOMBER, 3, 2);
    heavy->m_Strength = 14;
    heavy->m_Supply = 10;
    heavy->m_Level = 3;
    cJednostkaLadowa* third = g.AddLand(2, UNIT_INFANTRY, 9, 7);
    testing_support::ClearLog();
    ScriptRandomRaw({RawFor(1), RawFor(1)});
    third->ReceiveAirAttack(&result, heavy);
    EXPECT_TRUE(testing_support::LogStartsWith(L"Modifiers: Strength(100.0) Level(80) Supply(100)"));
    // A carrier's planes strike with the supply of 30: that band's own field.
    g.Consts().BombardSupplyModifier[30] = 90;
    testing_support::ClearLog();
    ScriptRandomRaw({RawFor(1), RawFor(1)});
    third->ReceiveAirAttack(&result, g.AddShip(1, UNIT_CARRIER, 1));
    EXPECT_TRUE(testing_support::LogStartsWith(L"Modifiers: Strength(100.0) Level(100) Supply(90)"));
    g.Consts().AirFullStrength[1] = 0;  // no full strength in the data: no strength brought
    testing_support::ClearLog();
    ScriptRandomRaw({RawFor(1), RawFor(1)});
    third->ReceiveAirAttack(&result, heavy);
    EXPECT_TRUE(testing_support::LogStartsWith(L"Modifiers: Strength(0.0)"));
}

TEST_F(AirStrike, TinyEffectivenessCountsAsOneAndAnOverFortifiedHexIsLoggedNotFatal)
{
    cJednostkaLadowa* target = Target(1, 100);
    g.Hex(5, 5).fortification = 12;  // 12 x 10 percent: nothing of the attack is left
    ScriptRandomRaw({RawFor(1), RawFor(6)});
    target->ReceiveAirAttack(&result, bomber);
    EXPECT_TRUE(testing_support::LogStartsWith(L"Modifiers: Strength(100.0) Level(100) Supply(100) Terrain(100) "
                                               L"Weather(100) City(100) Fort(0)"));
    EXPECT_TRUE(testing_support::LogContains(L"Attack effectiveness = 1.0"));
    EXPECT_FLOAT_EQ(result.defenderLoss, 0.03f);  // 3.0 x 1 percent
    EXPECT_EQ(target->m_Strength, 100);           // 0.03 of 10 is no whole point

    // The defender's fire shoots the bomber down: it leaves the game with the strike.
    bomber->m_Strength = 2;
    result.Reset();
    ScriptRandomRaw({RawFor(6), RawFor(1)});  // column 1, a 6: 5 points
    target->ReceiveAirAttack(&result, bomber);
    EXPECT_TRUE(result.attackerKilled);
    EXPECT_FALSE(unit_tests::Contains(g.game->m_AirUnits, bomber));
    EXPECT_EQ(g.Hex(2, 2).unit, nullptr);
}

TEST_F(AirStrike, NuclearStrikeOfRadiusZeroHitsOnlyItsHex)
{
    g.Consts().NuclearRadius = 0;
    g.Country(2).Alliance = ALLIANCE_AXIS_LEADER;
    g.Country(3).Alliance = ALLIANCE_AXIS;
    g.Country(1).NuclearBombs = 2;
    g.Hex(5, 5).controller = 2;
    g.Hex(5, 4).controller = 2;
    cJednostkaLadowa* target = Target(1, 100);
    const std::wstring targetLine = L" " + target->m_Name + L" (Country2)\n";
    cJednostkaLadowa* neighbour = g.AddLand(2, UNIT_INFANTRY, 5, 4);
    cMiasto city;
    city.X = 5;
    city.Y = 5;
    city.ProductionPoints = 30.0f;
    g.Hex(5, 5).city = &city;

    bomber->NuclearStrike(5, 5, &result);
    EXPECT_EQ(result.kind, COMBAT_NUCLEAR_STRIKE);
    EXPECT_EQ(result.defenderCountry, 2);
    EXPECT_TRUE(result.defenderKilled);
    EXPECT_FALSE(unit_tests::Contains(g.game->m_LandUnits, target));
    EXPECT_EQ(result.defenderInfo.find(LangText("report_nuclear_affected_units") + targetLine), 0u);
    EXPECT_TRUE(unit_tests::Contains(g.game->m_LandUnits, neighbour));
    EXPECT_FLOAT_EQ(city.ProductionPoints, 15.0f);  // half of it
    EXPECT_TRUE(result.cityAffected) << "the window marks a city that lost production";
    EXPECT_FLOAT_EQ(g.Country(2).SocialUnrest, 20.0f);
    EXPECT_FLOAT_EQ(g.Country(3).SocialUnrest, 10.0f);  // the target's ally
    EXPECT_FLOAT_EQ(g.Country(1).SocialUnrest, 0.0f);
    EXPECT_EQ(g.Country(1).NuclearBombs, 1);
    g.Hex(5, 5).city = nullptr;

    g.Consts().NuclearRadius = 1;
    g.Hex(5, 6).controller = 0;  // nobody's hex: not struck
    cJednostkaLadowa* stray = g.AddLand(3, UNIT_INFANTRY, 5, 6);
    result.Reset();
    bomber->NuclearStrike(5, 5, &result);
    EXPECT_FALSE(unit_tests::Contains(g.game->m_LandUnits, neighbour));
    EXPECT_TRUE(unit_tests::Contains(g.game->m_LandUnits, stray));
    EXPECT_EQ(g.Country(1).NuclearBombs, 0);
    EXPECT_TRUE(unit_tests::Contains(g.game->m_AirUnits, bomber));  // never its own victim

    // The largest radius a file can give reaches the map's far corner.
    g.Consts().NuclearRadius = INT_MAX;
    g.Country(1).NuclearBombs = 1;
    g.Hex(11, 9).controller = 2;
    g.Country(3).Alliance = ALLIANCE_NEUTRAL;
    LoadGameTexts();
    cJednostkaLadowa* corner = g.AddLand(2, UNIT_INFANTRY, 11, 9);
    result.Reset();
    bomber->NuclearStrike(5, 5, &result);
    EXPECT_FALSE(unit_tests::Contains(g.game->m_LandUnits, corner));
    const std::wstring allies = LangText("report_nuclear_social_unrest_results_allies");
    EXPECT_EQ(result.defenderInfo.substr(result.defenderInfo.size() - allies.size()), allies) << "the allies' heading over none";
    EXPECT_EQ(g.Country(1).NuclearBombs, 0);
}
