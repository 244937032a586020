// Air fights and interceptions: the column from strength, level and supply, the die, the
// two loss tables, the commander's save and what happens to the units that die.
#include <gtest/gtest.h>

#include "core/random.h"
#include "core/stringbase.h"
#include "core/text.h"
#include "game/play_counts.h"
#include "game/reports.h"
#include "tests/test_support.h"
#include "tests/units/unit_test_game.h"
#include "units/combat_result.h"
#include "units/combat_support.h"

using unit_tests::cTestGame;
using unit_tests::RawFor;

namespace {

class AirCombat : public ::testing::Test
{
protected:
    void SetUp() override
    {
        g.SetCombatConstants();  // air losses: defender die-1 + column+4, attacker 2(die-1) + column+4
        g.SetWar(1, 2);
        testing_support::ClearLog();
    }
    cJednostkaLotnicza* Air(int owner, int type, int x, int strength, int level, int supply)
    {
        cJednostkaLotnicza* u = g.AddAir(owner, type, x, 3);
        u->m_Strength = strength;
        u->m_Level = level;
        u->m_Supply = supply;
        u->m_ActionPoints = 3;
        return u;
    }
    int Reports(int kind, int country)
    {
        std::list<sRaport> out;
        return int(g.game->m_Reports->CollectReports(out, country, kind).size());
    }
    cTestGame g;
    sCombatResult result;
};

} // namespace

TEST_F(AirCombat, AirFightReadsTheLossTablesByClampedColumnAndDie)
{
    cJednostkaLotnicza* attacker = Air(1, UNIT_FIGHTER, 2, 30, 3, 10);  // 30 + 2 + 1
    cJednostkaLotnicza* defender = Air(2, UNIT_FIGHTER, 3, 5, 1, 10);   // 5 + 1 + 1: column +25, clamped to +4
    defender->m_Spotted = true;
    const std::wstring attackerName = attacker->m_Name, defenderName = defender->m_Name;
    const int missions = g_PlayCounts.airMissions.load();
    ScriptRandomRaw({32767});  // the top of the die: a 6
    defender->AirFight(&result, attacker);
    EXPECT_EQ(g.presentation.Played(L"AirToAirCombat"), 1) << "the fight is heard: the defender is seen";

    EXPECT_TRUE(testing_support::LogContains(L"Column = +4, D6=6, att losses=18, def losses=13"));
    EXPECT_EQ(result.kind, COMBAT_AIR_FIGHT);
    EXPECT_EQ(attacker->m_Strength, 12);
    EXPECT_EQ(attacker->m_ActionPoints, 2);
    EXPECT_FLOAT_EQ(result.attackerLoss, 18.0f);
    EXPECT_FLOAT_EQ(result.defenderLoss, 13.0f);
    EXPECT_TRUE(result.defenderKilled);
    EXPECT_FALSE(result.attackerKilled);
    EXPECT_FALSE(unit_tests::Contains(g.game->m_AirUnits, defender));
    EXPECT_EQ(g.Hex(3, 3).unit, nullptr);
    EXPECT_FLOAT_EQ(g.relations.GetLosses(1, 2), 13.0f);
    EXPECT_FLOAT_EQ(g.relations.GetLosses(2, 1), 18.0f);
    EXPECT_EQ(Reports(2, 1), 1);
    EXPECT_EQ(Reports(3, 2), 1);
    // The defender's report tells it was attacked, by whom and of which country.
    std::list<sRaport> told;
    g.game->m_Reports->CollectReports(told, 2, 3);
    ASSERT_FALSE(told.empty());
    EXPECT_EQ(told.front().text.rfind(L"Air combar\n\n" + defenderName + L" was attacked by " + attackerName + L" (" +
                                          CountryName(1) + L").",
                                      0),
              0u)
        << WideToUtf8(told.front().text);
    EXPECT_EQ(g_PlayCounts.airMissions.load(), missions + 1);

    // Column -4 with a 6: the attacker loses 10 of its 2 points and leaves the game.
    result.Reset();
    cJednostkaLotnicza* weak = Air(1, UNIT_TACTICAL_BOMBER, 5, 2, 1, 10);
    cJednostkaLotnicza* strong = Air(2, UNIT_FIGHTER, 6, 12, 2, 10);
    ScriptRandomRaw({RawFor(6)});
    strong->AirFight(&result, weak);
    EXPECT_EQ(g.presentation.Played(L"AirToAirCombat"), 1) << "neither side seen: not heard";
    EXPECT_TRUE(testing_support::LogContains(L"Column = -4, D6=6, att losses=10, def losses=5"));
    EXPECT_TRUE(result.attackerKilled);
    EXPECT_FALSE(unit_tests::Contains(g.game->m_AirUnits, weak));
    EXPECT_EQ(g.Hex(5, 3).unit, nullptr);
    EXPECT_EQ(strong->m_Strength, 7);
}

TEST_F(AirCombat, CarrierAttackerCountsSupplyThirtyAndOnlyCarriersFightAnAirUnitOnItsHex)
{
    cJednostkaLotnicza* defender = Air(2, UNIT_FIGHTER, 3, 12, 1, 0);  // 12 + 1 - 4 = 9
    cJednostkaMorska* carrier = g.AddShip(1, UNIT_CARRIER, 1);        // 10 hit points, navy 1: 10 + 0 + 3
    g.Consts().InterceptorSupplyTerm[31] = 9;                            // no other entry counts
    cJednostkaLotnicza* bomber = Air(1, UNIT_TACTICAL_BOMBER, 2, 10, 1, 10);

    defender->ReceiveAirAttack(&result, bomber);  // no fight, no die
    EXPECT_EQ(defender->m_Strength, 12);
    EXPECT_FALSE(testing_support::LogStartsWith(L"Column ="));

    ScriptRandomRaw({RawFor(1)});
    defender->ReceiveAirAttack(&result, carrier);
    EXPECT_TRUE(testing_support::LogContains(carrier->m_Name + L" (strength:10, level:0, supply:3) airfight with " + defender->m_Name +
                                             L" (strength:12, level:1, supply: -4)"));
    EXPECT_TRUE(testing_support::LogContains(L"Column = +4, D6=1, att losses=8, def losses=8"));
    EXPECT_EQ(carrier->m_HP, 2);
    EXPECT_EQ(defender->m_Strength, 4);

    // The carrier's 2 hit points against a table loss of 10: the record keeps the table's 10.
    result.Reset();
    cJednostkaLotnicza* other = Air(2, UNIT_FIGHTER, 5, 12, 1, 0);  // column 5 - 9, clamped -4
    ScriptRandomRaw({RawFor(6)});
    other->ReceiveAirAttack(&result, carrier);
    EXPECT_EQ(carrier->m_HP, 0);
    EXPECT_TRUE(result.attackerKilled);
    EXPECT_FLOAT_EQ(result.attackerLoss, 10.0f);
}

TEST_F(AirCombat, CommanderSparesHisUnitItsAirFightLoss)
{
    cJednostkaLotnicza* attacker = Air(1, UNIT_FIGHTER, 2, 12, 3, 10);
    cJednostkaLotnicza* defender = Air(2, UNIT_FIGHTER, 3, 12, 1, 10);  // column 15 - 14
    defender->m_Commander = g.AddCommander(7, 2, 1, 20, 0);  // 20 skill x 5 percent: a roll below 100 saves
    ScriptRandomRaw({RawFor(3), RawFor(99, 1, 100)});
    defender->AirFight(&result, attacker);
    EXPECT_TRUE(testing_support::LogContains(L"Column = +1, D6=3, att losses=9, def losses=0"));
    EXPECT_EQ(defender->m_Strength, 12);
    EXPECT_EQ(attacker->m_Strength, 3);
}

TEST_F(AirCombat, InterceptionStopsTheMissionWhenTheMissionLosesMore)
{
    cJednostkaLotnicza* bomber = Air(1, UNIT_TACTICAL_BOMBER, 2, 14, 2, 10);
    cJednostkaLotnicza* fighter = Air(2, UNIT_FIGHTER, 3, 10, 3, 10);
    // Column 2 + 14 - 10 - 3 = +3; a 4 costs the fighter 13 points: it dies, the mission flies on.
    ScriptRandomRaw({RawFor(4)});
    EXPECT_FALSE(bomber->TryIntercept(fighter, &result));
    EXPECT_EQ(result.kind, COMBAT_INTERCEPTION);
    EXPECT_TRUE(result.interceptionFought);
    EXPECT_TRUE(result.defenderKilled);
    EXPECT_FALSE(result.interceptionSucceeded);
    EXPECT_FALSE(unit_tests::Contains(g.game->m_AirUnits, fighter));
    EXPECT_EQ(bomber->m_Strength, 4);  // table L1: 3 + 7
    EXPECT_FLOAT_EQ(result.attackerLoss, 10.0f);
    EXPECT_FLOAT_EQ(result.defenderLoss, 13.0f);
    EXPECT_FLOAT_EQ(g.relations.GetLosses(2, 1), 10.0f);
    EXPECT_FLOAT_EQ(g.relations.GetLosses(1, 2), 13.0f);
    EXPECT_EQ(result.attackerCountry, 1);
    EXPECT_EQ(result.defenderCountry, 2);
    EXPECT_TRUE(testing_support::LogContains(L"Intercepcja nieudana, interceptor zdechl"));
    // The window's texts stay in the reports of air combat, the mission's side's and the
    // interceptor's.
    EXPECT_EQ(Reports(2, 1), 1);
    EXPECT_EQ(Reports(3, 2), 1);
    std::list<sRaport> told;
    g.game->m_Reports->CollectReports(told, 2, 3);
    ASSERT_FALSE(told.empty());
    EXPECT_NE(told.back().text.find(result.defenderInfo), std::wstring::npos) << WideToUtf8(told.back().text);
    EXPECT_NE(told.back().text.find(result.attackerInfo), std::wstring::npos) << WideToUtf8(told.back().text);

    // Column -4 from here on. The interceptor loses nothing, the bomber 1 point: stopped.
    sGameConsts& k = g.Consts();
    k.AirAttackerLosses[0][0] = 0;
    k.AirDefenderLosses[0][0] = 1;
    cJednostkaLotnicza* interceptor = Air(2, UNIT_FIGHTER, 4, 12, 5, 10);
    result.Reset();
    ScriptRandomRaw({RawFor(1)});
    EXPECT_TRUE(bomber->TryIntercept(interceptor, &result));
    EXPECT_TRUE(result.interceptionSucceeded);
    EXPECT_FALSE(result.attackerKilled);
    EXPECT_EQ(bomber->m_Strength, 3);

    // Both lose a point: the mission flies on.
    k.AirAttackerLosses[0][0] = 1;
    result.Reset();
    ScriptRandomRaw({RawFor(1)});
    EXPECT_FALSE(bomber->TryIntercept(interceptor, &result));
    EXPECT_FALSE(result.interceptionSucceeded);
    EXPECT_EQ(bomber->m_Strength, 2);
    EXPECT_EQ(interceptor->m_Strength, 11);

    // A mission flown to death: stopped, and the plane shot down leaves the game.
    k.AirDefenderLosses[0][0] = 3;
    result.Reset();
    ScriptRandomRaw({RawFor(1)});
    EXPECT_TRUE(bomber->TryIntercept(interceptor, &result));
    EXPECT_TRUE(result.attackerKilled);
    EXPECT_FALSE(unit_tests::Contains(g.game->m_AirUnits, bomber));
    EXPECT_TRUE(testing_support::LogContains(L"Intercepcja udana, ataker zabity"));

    // A carrier intercepts with its hit points and Navy level: column 2 + 10 - 10 - 1 = +1; a 6
    // costs it 15 of its 10 hit points, but it keeps a quarter of them.
    g_StringBase.LoadFromBytes(cStringBase::Encode({{"report_details_interception", L"Interceptor %s"},
                                                    {"report_details_interception_carrier", L"Interceptors from the carrier %s"}}),
                               true);
    cJednostkaMorska* carrier = g.AddShip(2, UNIT_CARRIER, 1);
    cJednostkaLotnicza* raider = Air(1, UNIT_TACTICAL_BOMBER, 6, 10, 2, 10);
    result.Reset();
    ScriptRandomRaw({RawFor(6)});
    EXPECT_TRUE(raider->TryIntercept(carrier, &result));
    EXPECT_EQ(carrier->m_HP, 2);
    EXPECT_FLOAT_EQ(result.defenderLoss, 8.0f);
    EXPECT_FLOAT_EQ(result.attackerLoss, 10.0f);
    EXPECT_EQ(result.defenderInfo.find(L"Interceptors from the carrier "), 0u) << "its planes intercept, not the ship";

    // Both shot down (column 1 + 2 - 3 - 4 = -4): the plane fell with its interceptor, so its
    // mission is stopped and neither stays on the map.
    k.AirAttackerLosses[0][0] = 3;
    cJednostkaLotnicza* scout = Air(1, UNIT_TACTICAL_BOMBER, 7, 2, 1, 10);
    cJednostkaLotnicza* last = Air(2, UNIT_FIGHTER, 8, 3, 4, 10);
    result.Reset();
    ScriptRandomRaw({RawFor(1)});
    EXPECT_TRUE(scout->TryIntercept(last, &result));
    EXPECT_TRUE(result.defenderKilled);
    EXPECT_TRUE(result.attackerKilled);
    EXPECT_TRUE(result.interceptionSucceeded);
    EXPECT_FALSE(unit_tests::Contains(g.game->m_AirUnits, scout));
    EXPECT_FALSE(unit_tests::Contains(g.game->m_AirUnits, last));
}
