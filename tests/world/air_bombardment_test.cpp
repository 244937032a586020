// An air mission against a hex: met by the defender's best interceptor, paid for when it
// flies on, then striking the unit, the city (heavy bombers only) and the port, in that order.
#include <gtest/gtest.h>

#include "core/random.h"
#include "tests/test_support.h"
#include "tests/units/unit_test_game.h"
#include "tests/world/world_fixture.h"
#include "units/combat_result.h"

using unit_tests::cTestGame;
using unit_tests::RawFor;

namespace {

class AirBombardment : public ::testing::Test
{
protected:
    void SetUp() override
    {
        LoadGameTexts();
        g.SetCombatConstants();
        g.SetWar(1, 2);
        g.Hex(6, 6).controller = 2;
        testing_support::ClearLog();
    }
    cJednostkaLotnicza* Bomber(int type, int strength)
    {
        cJednostkaLotnicza* u = g.AddAir(1, type, 2, 2);
        u->m_Strength = strength;
        u->m_Supply = 10;
        u->m_ActionPoints = 3;
        return u;
    }
    cTestGame g;
    sCombatResult result;
};

} // namespace

TEST_F(AirBombardment, StrategicBomberOverAnEmptyHexReportsNoUnitNoCityThenThePort)
{
    cJednostkaLotnicza* bomber = Bomber(UNIT_STRATEGIC_BOMBER, 16);
    g.Hex(6, 6).AirBombard(&result, bomber);
    EXPECT_EQ(bomber->m_ActionPoints, 2);
    EXPECT_EQ(result.kind, COMBAT_AIR_STRIKE_LAND);
    EXPECT_EQ(result.defenderCountry, 2);
    EXPECT_EQ(result.defenderInfo, L"No unit on the hex.\n\nNo city on the hex.\n\nNo port on the hex.\n\n");
    EXPECT_TRUE(testing_support::LogContains(L"Searching for interceptor finished, no interceptor found"));

    // Nobody holds the hex and nothing stands there: nobody is asked to intercept.
    testing_support::ClearLog();
    g.Hex(6, 7).controller = 0;
    g.Hex(6, 7).AirBombard(&result, bomber);
    EXPECT_FALSE(testing_support::LogStartsWith(L"Searching for interceptor"));
}

TEST_F(AirBombardment, TacticalBomberStrikesTheUnitButNeverTheCity)
{
    cMiasto city;
    city.ProductionPoints = 50.0f;
    g.Hex(6, 6).city = &city;
    cJednostkaLadowa* target = g.AddLand(2, UNIT_INFANTRY, 6, 6);
    cJednostkaLotnicza* bomber = Bomber(UNIT_TACTICAL_BOMBER, 14);
    ScriptRandomRaw({RawFor(1), RawFor(6)});
    g.Hex(6, 6).AirBombard(&result, bomber);
    EXPECT_TRUE(target->m_Spotted);
    EXPECT_TRUE(unit_tests::Contains(g.Country(1).ReconUnits, target));
    EXPECT_LT(target->m_Strength, 100);
    EXPECT_FLOAT_EQ(city.ProductionPoints, 50.0f);
    EXPECT_EQ(result.defenderInfo.find(L"city"), std::wstring::npos) << result.defenderInfo;
    EXPECT_TRUE(result.defenderInfo.ends_with(L"No port on the hex.\n\n")) << result.defenderInfo;
    g.Hex(6, 6).seaNodeDisplay = 1; // a node's symbol beside a city that is no port
    result.Reset();
    g.Hex(6, 6).AirBombard(&result, bomber);
    EXPECT_TRUE(result.defenderInfo.ends_with(L"No port on the hex.\n\n")) << result.defenderInfo;

    // A port city with its node's symbol on the hex: the port is struck too, or only told of
    // when the node there is no port.
    city.Type = CITY_PORT;
    for (const int kind : {SEA_NODE_PORT, SEA_NODE_SEA})
    {
        g.seaGraph.Nodes[0].Kind = kind;
        result.Reset();
        g.Hex(6, 6).AirBombard(&result, bomber);
        EXPECT_NE(result.defenderInfo.find(L"The port on the hex was attacked.\n"), std::wstring::npos);
        EXPECT_EQ(result.defenderInfo.find(L"Sea1") != std::wstring::npos, kind == SEA_NODE_PORT)
            << result.defenderInfo;
    }
    // Without a record nothing is flown.
    const int points = bomber->m_ActionPoints;
    g.Hex(6, 6).AirBombard(nullptr, bomber);
    EXPECT_EQ(bomber->m_ActionPoints, points);
    g.Hex(6, 6).seaNodeDisplay = 0;
    g.Hex(6, 6).city = nullptr;
}

TEST_F(AirBombardment, ABomberShotDownOverACityLeavesTheGameAndACarriersStrikeKeepsItsOwnTitle)
{
    cMiasto city;
    city.Name = L"Essen";
    city.X = 6;
    city.Y = 6;
    city.ProductionPoints = 50.0f;
    g.Hex(6, 6).city = &city;
    cJednostkaLotnicza* bomber = Bomber(UNIT_STRATEGIC_BOMBER, 2);
    ScriptRandomRaw({RawFor(1), RawFor(3)});  // no fighters anywhere: column -4, a 3 costs 4
    g.Hex(6, 6).AirBombard(&result, bomber);
    EXPECT_TRUE(result.attackerKilled);
    EXPECT_FALSE(unit_tests::Contains(g.game->m_AirUnits, bomber));
    EXPECT_EQ(result.defenderInfo.find(L"port"), std::wstring::npos) << "the mission ended over the city";

    cJednostkaMorska* carrier = g.AddShip(1, UNIT_CARRIER, 1);
    result.Reset();
    ScriptRandomRaw({RawFor(6), RawFor(3)});  // 30 % of 60: 18 points; the carrier loses 4
    g.Hex(6, 6).AirBombard(&result, carrier);
    EXPECT_EQ(result.kind, COMBAT_CARRIER_STRIKE_LAND);
    EXPECT_FLOAT_EQ(city.ProductionPoints, 32.0f);
    EXPECT_EQ(carrier->m_HP, 6);
    g.Hex(6, 6).city = nullptr;
}

TEST_F(AirBombardment, InterceptionThatStopsTheMissionSparesTheTargetAndAKilledAttackerLeaves)
{
    cJednostkaLadowa* target = g.AddLand(2, UNIT_INFANTRY, 6, 6);
    cJednostkaLotnicza* fighter = g.AddAir(2, UNIT_FIGHTER, 7, 6);
    fighter->m_Strength = 12;
    fighter->m_Supply = 10;
    cJednostkaLotnicza* bomber = Bomber(UNIT_TACTICAL_BOMBER, 3);
    // Column 1 + 3 - 12 - 1, clamped to -4: a 6 costs the bomber 5 points and the fighter 10.
    ScriptRandomRaw({RawFor(6)});
    g.Hex(6, 6).AirBombard(&result, bomber);
    EXPECT_TRUE(result.interceptionSucceeded);
    EXPECT_TRUE(result.attackerKilled);
    EXPECT_EQ(result.kind, COMBAT_INTERCEPTION);
    EXPECT_FALSE(unit_tests::Contains(g.game->m_AirUnits, bomber));
    EXPECT_EQ(g.Hex(2, 2).unit, nullptr);
    EXPECT_EQ(target->m_Strength, 100);
    EXPECT_EQ(fighter->m_Strength, 2);
    EXPECT_TRUE(testing_support::LogContains(L"Przechwycenie przy bombowaniu heksa udane, ataker zabijany"));
}

TEST_F(AirBombardment, AMissionTheInterceptorTurnsBackCostsNothingAndOneThatGetsThroughPaysOnce)
{
    cJednostkaLadowa* target = g.AddLand(2, UNIT_INFANTRY, 6, 6);
    cJednostkaLotnicza* fighter = g.AddAir(2, UNIT_FIGHTER, 7, 6);
    fighter->m_Strength = 12;
    fighter->m_Supply = 10;
    cJednostkaLotnicza* bomber = Bomber(UNIT_TACTICAL_BOMBER, 10);
    // A 1 costs the fighter nothing and the bomber 3, in every column: turned back.
    sGameConsts& k = g.Consts();
    auto dieOne = [&k](int fighterLoss, int bomberLoss) {
        for (int c = 0; c < 9; ++c) {
            k.AirAttackerLosses[0][c] = fighterLoss;
            k.AirDefenderLosses[0][c] = bomberLoss;
        }
    };
    dieOne(0, 3);
    ScriptRandomRaw({RawFor(1)});
    g.Hex(6, 6).AirBombard(&result, bomber);
    EXPECT_TRUE(result.interceptionSucceeded);
    EXPECT_EQ(result.kind, COMBAT_INTERCEPTION);
    EXPECT_EQ(bomber->m_Strength, 7);
    EXPECT_EQ(bomber->m_ActionPoints, 3);
    EXPECT_EQ(target->m_Strength, 100);

    // Now the 1 shoots the fighter down: the bomber flies on, strikes and pays its point.
    dieOne(20, 0);
    result.Reset();
    ScriptRandomRaw({RawFor(1), RawFor(1), RawFor(6)});
    g.Hex(6, 6).AirBombard(&result, bomber);
    EXPECT_TRUE(result.defenderKilled);
    EXPECT_FALSE(unit_tests::Contains(g.game->m_AirUnits, fighter));
    EXPECT_EQ(result.kind, COMBAT_AIR_STRIKE_LAND);
    EXPECT_EQ(bomber->m_ActionPoints, 2);
}

TEST_F(AirBombardment, OverTheSeaTheZoneIsStruckAndAPortNodesZoneOnlyToldOf)
{
    sHex& sea = g.Hex(4, 4);
    sea.terrain = kTerrainSea;
    sea.seaZone = 1;
    cJednostkaLotnicza* bomber = Bomber(UNIT_TACTICAL_BOMBER, 10);
    g.Hex(4, 4).AirBombard(&result, bomber);
    EXPECT_EQ(result.kind, COMBAT_AIR_STRIKE_SEA_ZONE);
    EXPECT_EQ(result.attackerCountry, 1);
    EXPECT_EQ(result.defenderCountry, 0);
    EXPECT_EQ(bomber->m_ActionPoints, 2);
    EXPECT_EQ(result.defenderInfo.rfind(L"The sea zone was attacked.\nThe sea zone Sea1 was bombed.\n", 0), 0u)
        << result.defenderInfo;

    g.seaGraph.Nodes[1].Kind = SEA_NODE_PORT;
    sea.seaZone = 2;
    result.Reset();
    g.Hex(4, 4).AirBombard(&result, bomber);
    EXPECT_EQ(result.defenderInfo, L"The sea zone was attacked.\n");
}
