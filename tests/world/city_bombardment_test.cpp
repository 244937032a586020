// Strategic bombing of a city's production and the siege test of a besieged city.
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "core/format.h"
#include "core/random.h"
#include "core/stringbase.h"
#include "game/consts.h"
#include "tests/test_support.h"
#include "tests/units/unit_test_game.h"
#include "tests/world/world_fixture.h"
#include "units/combat_result.h"

using unit_tests::cTestGame;
using unit_tests::RawFor;

namespace {

// The highest raw value that still makes RandomInt(a, b) give value: a die read at the top of
// its band tells a range one wider from the right one.
int Top(int value, int a = 1, int b = 6)
{
    return RawFor(value + 1, a, b) - 1;
}

class CityBombardment : public ::testing::Test
{
protected:
    void SetUp() override
    {
        LoadGameTexts();
        g.SetCombatConstants();
        g.SetWar(1, 2);
        city.Name = L"Ruhrstadt";
        city.X = 6;
        city.Y = 6;
        city.ProductionPoints = 100.0f;
        g.Hex(6, 6).city = &city;
        g.Hex(6, 6).controller = 2;
        bomber = g.AddAir(1, UNIT_STRATEGIC_BOMBER, 2, 2);
        bomber->m_Strength = 8;  // half of the full 16
        bomber->m_Supply = 10;
    }
    void TearDown() override { g.Hex(6, 6).city = nullptr; }
    // The defender's (country 2) and the attacker's fighters within range of the city, each
    // worth its full strength; the rest of the seven stay off the map.
    void Sky(int own, int enemy)
    {
        while (fighters.size() < 7)
            fighters.push_back(g.AddAir(fighters.size() < 4 ? 2 : 1, UNIT_FIGHTER, -1, -1));
        for (int i = 0; i < 7; ++i) {
            const bool flies = i < 4 ? i < own : i - 4 < enemy;
            fighters[size_t(i)]->m_X = flies ? 3 + i : -1;
            fighters[size_t(i)]->m_Y = flies ? 3 : -1;
        }
    }
    std::vector<cJednostkaLotnicza*> fighters;
    cTestGame g;
    cMiasto city;
    cJednostkaLotnicza* bomber = nullptr;
    sCombatResult result;
};

} // namespace

TEST_F(CityBombardment, HalfStrengthBomberDoesHalfTheDamageAndTheLossStopsAtTheProduction)
{
    // 0.5 x 60 (level 1) x 30 percent (a 6) = 9; no fighters anywhere: column -4, a 2 costs 2.
    ScriptRandomRaw({RawFor(6), RawFor(2)});
    city.StrategicBombard(&result, bomber);
    EXPECT_FLOAT_EQ(city.ProductionPoints, 91.0f);
    EXPECT_EQ(city.ProductionPointsLost, 9);
    EXPECT_TRUE(result.cityAffected);
    EXPECT_EQ(bomber->m_Strength, 6);
    EXPECT_EQ(result.kind, COMBAT_AIR_STRIKE_LAND);
    EXPECT_EQ(result.defenderCountry, 2);
    std::list<sRaport> out;
    EXPECT_EQ(g.game->m_Reports->CollectReports(out, 2, 13).front().text,
              L"Strategic bombardment\n\nCity Ruhrstadt (6, 6) was attacked by " + bomber->m_Name +
                  L" (Country1) and lost 9 PP");
    EXPECT_EQ(g.game->m_Reports->CollectReports(out, 1, 12).size(), 1u);

    city.ProductionPoints = 4.5f;
    result.Reset();
    ScriptRandomRaw({RawFor(6), RawFor(1)});
    city.StrategicBombard(&result, bomber);
    EXPECT_FLOAT_EQ(city.ProductionPoints, 0.5f);  // the whole points that were left
    EXPECT_EQ(city.ProductionPointsLost, 13);
}

TEST_F(CityBombardment, SiegeWithBaseChanceZeroNeverSucceedsAndALevelOneDefenderSurrenders)
{
    cJednostkaLadowa* defender = g.AddLand(2, UNIT_INFANTRY, 6, 6);
    defender->m_Level = 2;
    const std::wstring surrender = L"Check succeeded: " + defender->m_Name + L" surrenders!";
    g.AddLand(1, UNIT_INFANTRY, 6, 5);
    for (float& f : g.Consts().SiegeCheck)
        f = 0.0f;
    g.Consts().SiegeCheck[5] = g.Consts().SiegeCheck[6] = 1.0f;
    city.Supply = 0;
    std::wstring text;
    ScriptRandomRaw({RawFor(1, 1, 1000)});
    city.CheckSiege(text);
    EXPECT_NE(text.find(L"chance 0.0%"), std::wstring::npos) << text;
    EXPECT_NE(text.find(L"Check failed, the siege continues..."), std::wstring::npos);
    // A defender that surrendered too soon is gone: nothing of it may be read after.
    ASSERT_EQ(g.Hex(6, 6).unit, defender);
    EXPECT_EQ(defender->m_Level, 2);

    g.Consts().SiegeCheck[0] = 1.0f;  // fails only on a roll of 1000
    ScriptRandomRaw({RawFor(999, 1, 1000)});
    city.CheckSiege(text);
    ASSERT_EQ(g.Hex(6, 6).unit, defender);
    EXPECT_EQ(defender->m_Level, 1);
    ScriptRandomRaw({RawFor(999, 1, 1000)});
    city.CheckSiege(text);
    EXPECT_TRUE(text.size() >= surrender.size() && text.compare(text.size() - surrender.size(), surrender.size(), surrender) == 0)
        << text;
    EXPECT_EQ(g.Hex(6, 6).unit, nullptr);
}

TEST_F(CityBombardment, TheLossesGoByTheBombersStrengthAndLevelAndTheDefendersFightersAndGuns)
{
    // Production lost: 5 x die percent of strength / 16 x (60 + 10 x (level - 1)); the bomber's loss
    // 2 x (die - 1) + column + 4, the column from the fighters' ratio, the guns and the level.
    struct sCase
    {
        int strength, level, artillery, own, enemy, damageDie, lossDie;
        float production;
        int lost, bomberLoss;
    };
    const sCase cases[] = {
        {16, 2, 1, 0, 0, 6, 2, 100.0f, 21, 3},  // no enemy fighters: column -4 + 1 for the level
        {16, 1, 1, 0, 1, 1, 2, 100.0f, 3, 6},   // ratio 0: column 0
        {16, 1, 1, 1, 1, 2, 2, 100.0f, 6, 5},   // ratio 1.0: -1
        {16, 1, 1, 3, 2, 3, 2, 100.0f, 9, 4},   // ratio 1.5: -2
        {16, 1, 1, 2, 1, 4, 2, 100.0f, 12, 3},  // ratio 2.0: -3
        {16, 2, 1, 3, 1, 5, 2, 100.0f, 17, 3},  // ratio 3.0: -4 + 1
        {16, 5, 0, 1, 2, 6, 3, 100.0f, 30, 12}, // ratio 0.5, level 5, no guns: column 5 taken as 4
        {8, 3, 5, 0, 0, 6, 1, 100.0f, 12, 0},   // half strength; column -8 taken as -4
        {16, 6, 1, 0, 1, 6, 1, 100.0f, 30, 8},  // a level beyond the table reads its last row
        {16, 1, 1, 0, 0, 6, 2, 1.5f, 1, 2},     // the loss stops at the whole points left
        {16, 1, 1, 0, 0, 6, 2, 0.0f, 0, 2},     // nothing left to lose
    };
    for (const sCase& c : cases) {
        SCOPED_TRACE(testing::Message() << "strength " << c.strength << ", level " << c.level << ", fighters " << c.own
                                        << ":" << c.enemy << ", dice " << c.damageDie << " " << c.lossDie);
        Sky(c.own, c.enemy);
        g.Country(2).TechLevel[TECH_ARTILLERY] = c.artillery;
        bomber->m_Strength = c.strength;
        bomber->m_Level = c.level;
        city.ProductionPoints = c.production;
        city.ProductionPointsLost = 0;
        result.Reset();
        ScriptRandomRaw({Top(c.damageDie), Top(c.lossDie)});
        city.StrategicBombard(&result, bomber);
        EXPECT_FLOAT_EQ(city.ProductionPoints, c.production - float(c.lost));
        EXPECT_EQ(city.ProductionPointsLost, c.lost);
        EXPECT_EQ(result.cityAffected, c.lost > 0);
        EXPECT_EQ(bomber->m_Strength, c.strength - c.bomberLoss);
        EXPECT_FLOAT_EQ(result.attackerLoss, float(c.bomberLoss));
        EXPECT_FALSE(result.attackerKilled);
        EXPECT_NE(result.attackerInfo.find(FormatText(L"(strength left %.1f, lost %i)\n\n\n", double(c.strength - c.bomberLoss),
                                                      c.bomberLoss)),
                  std::wstring::npos)
            << result.attackerInfo;
        EXPECT_EQ(result.defenderInfo,
                  FormatText(L"Ruhrstadt (Country2) has %.1f production points left after losing %i\n\n",
                             double(c.production - float(c.lost)), c.lost));
        EXPECT_EQ(result.attackerLossText, FormatText(L"Strategic bombardment: %.1f\n", double(c.bomberLoss)));
    }

    // Shot down: the bombing counts it destroyed and leaves its removal to the mission.
    Sky(0, 1);
    bomber->m_Strength = 2;
    bomber->m_Level = 1;
    result.Reset();
    ScriptRandomRaw({RawFor(1), RawFor(2)});  // column 0: loses 6
    city.StrategicBombard(&result, bomber);
    EXPECT_TRUE(result.attackerKilled);
    EXPECT_EQ(bomber->m_Strength, -4);
    EXPECT_NE(result.attackerInfo.find(L"(strength left 0.0, lost 6)\n\nThe unit was destroyed!\n\n\n"), std::wstring::npos)
        << result.attackerInfo;
    EXPECT_TRUE(unit_tests::Contains(g.game->m_AirUnits, bomber));

    // A carrier strikes with its share of hit points and its country's navy level, and a loss
    // that leaves it no hit point sinks it, which its caller carries out.
    cJednostkaMorska* carrier = g.AddShip(1, UNIT_CARRIER, 2);
    carrier->m_HP = carrier->m_MaxHP = 1;
    g.Country(1).TechLevel[TECH_NAVY] = 2;
    Sky(0, 0);
    city.ProductionPoints = 100.0f;
    result.Reset();
    result.kind = COMBAT_CARRIER_STRIKE_LAND;
    ScriptRandomRaw({Top(6), Top(1)});  // 30 % of 70; column -4 + 1: a 1 costs 1
    city.StrategicBombard(&result, carrier);
    EXPECT_FLOAT_EQ(city.ProductionPoints, 79.0f);
    EXPECT_EQ(carrier->m_HP, 0);
    EXPECT_TRUE(result.attackerKilled);
    EXPECT_EQ(result.kind, COMBAT_CARRIER_STRIKE_LAND);
    EXPECT_TRUE(unit_tests::Contains(g.game->m_NavalUnits, carrier));
    carrier->m_HP = carrier->m_MaxHP = 2;
    result.Reset();
    ScriptRandomRaw({Top(6), Top(1)});
    city.StrategicBombard(&result, carrier);
    EXPECT_EQ(carrier->m_HP, 1);
    EXPECT_FALSE(result.attackerKilled);

    // Without a record, an attacker or a hex under the city nothing happens.
    cMiasto offTheMap;
    offTheMap.X = 99;
    offTheMap.ProductionPoints = 50.0f;
    bomber->m_Strength = 16;
    city.StrategicBombard(nullptr, bomber);
    city.StrategicBombard(&result, nullptr);
    offTheMap.StrategicBombard(&result, bomber);
    city.NuclearStrike(nullptr);
    EXPECT_FLOAT_EQ(city.ProductionPoints, 58.0f);
    EXPECT_FLOAT_EQ(offTheMap.ProductionPoints, 50.0f);
    EXPECT_EQ(bomber->m_Strength, 16);
}

TEST_F(CityBombardment, ANuclearHitTakesItsShareOfTheProductionAndReachesOnlyAWorkingPort)
{
    city.Type = CITY_SUPPLY_PORT;
    sWezelGrafuMorz& port = g.game->m_SeaGraph->Nodes[0];
    port.MainX = 6;
    port.MainY = 6;
    port.Kind = SEA_NODE_PORT;
    port.SizeMax = 4;
    cJednostkaMorska* ship = g.AddShip(2, UNIT_CRUISER, port.ID);
    struct sCase
    {
        float production;
        int portSize;
        float left;
        int portSizeAfter;
    };
    const sCase cases[] = {
        {30.0f, 0, 15.0f, 0},  // half of it; a port of size 0 is out of the bomb's reach
        {1.5f, 0, 1.5f, 0},    // half a point is no point
        {2.5f, 0, 1.5f, 0},    // one whole point
        {30.0f, 3, 15.0f, 1},  // the port drops to size 1
        {30.0f, 1, 15.0f, 1},  // and one of size 1 is reached
    };
    for (const sCase& c : cases) {
        SCOPED_TRACE(c.production);
        city.ProductionPoints = c.production;
        port.SizeCurrent = c.portSize;
        result.Reset();
        if (c.portSize > 0)
            ScriptRandomRaw({RawFor(50, 1, 100)});  // the cruiser rides it out
        city.NuclearStrike(&result);
        const int lost = int(c.production - c.left);
        EXPECT_FLOAT_EQ(city.ProductionPoints, c.left);
        EXPECT_EQ(result.cityAffected, lost > 0);
        EXPECT_EQ(port.SizeCurrent, c.portSizeAfter);
        const std::wstring cityLine = FormatText(L"Production points lost by Ruhrstadt: %i\n", lost);
        EXPECT_EQ(result.defenderInfo, c.portSize == 0 ? cityLine + L"\n"
                                                       : cityLine + LangText("report_nuclear_on_port_size_decreased") + L"\n" +
                                                             LangText("report_nuclear_on_port_no_naval_units_destroyed") + L"\n");
        EXPECT_FALSE(result.defenderKilled);
    }
    port.SizeCurrent = 3;
    result.Reset();
    ScriptRandomRaw({RawFor(49, 1, 100)});
    city.NuclearStrike(&result);
    EXPECT_TRUE(result.defenderKilled);
    EXPECT_FALSE(unit_tests::Contains(g.game->m_NavalUnits, ship));
}

TEST_F(CityBombardment, TheSiegeChanceAddsTheStrengthRatioTheCommandersTheCitysSupplyAndTheAir)
{
    // Distinct rules: base 1/8, ratio factor 1/4, commanders 3 % a point, supply 0.5 % a point,
    // air 0.4, its divisor 4, the ratio's divisor 2.
    const float rules[7] = {0.125f, 0.25f, 3.0f, 0.5f, 0.4f, 4.0f, 2.0f};
    // Europe 1939's row, as the scenario ships it.
    sGameConsts europe;
    std::ifstream file(testing_support::SourceDir() / "data" / "scenarios" / "Europe1939" / "consts.csv");
    std::stringstream bytes;
    bytes << file.rdbuf();
    ASSERT_EQ(europe.ReadFromText(bytes.str()), kConstsRows);

    cJednostkaLadowa* defender = g.AddLand(2, UNIT_INFANTRY, 6, 6);
    cJednostkaLadowa* besiegers[6];
    for (int d = 0; d < 6; ++d) {
        const sHex* n = g.map->GetNeighbour(6, 6, d);
        ASSERT_NE(n, nullptr);
        besiegers[d] = g.AddLand(1, UNIT_INFANTRY, n->x, n->y);
    }
    sDowodca* general = g.AddCommander(1, 1, 0, 2, 0);
    sDowodca* marshal = g.AddCommander(2, 1, 0, 3, 0);
    sDowodca* colonel = g.AddCommander(3, 2, 0, 1, 0);
    struct sCase
    {
        const float* rules;
        int besiegerLevels[6]; // 0: the hex is empty
        bool commanders;       // the general and the marshal besiege, the colonel defends
        int defenderLevel, supply, own, enemy, roll;
        double base, ratio, supplyTerm, commanderTerm, air, chance;
        int levelAfter; // 0: surrendered
    };
    const sCase cases[] = {
        // 10 against 20: half the ratio factor; equal fighters: no air term; 25 % fails on 250.
        {rules, {1, 0, 0, 0, 0, 0}, false, 2, 0, 1, 1, 250, 12.5, 12.5, -0.0, 0.0, 0.0, 25.0, 2},
        {rules, {1, 0, 0, 0, 0, 0}, false, 2, 0, 1, 1, 249, 12.5, 12.5, -0.0, 0.0, 0.0, 25.0, 1},
        // Even strength: no ratio term; no enemy fighters: the whole air term.
        {rules, {1, 0, 0, 0, 0, 1}, false, 2, 0, 0, 0, 524, 12.5, 0.0, -0.0, 0.0, 40.0, 52.5, 1},
        // Three to one: (3 - 1) x 1/4 / 2; commanders 2 + 3 - 1; supply 10; twice the enemy's fighters.
        {rules, {0, 2, 2, 2, 0, 0}, true, 2, 10, 2, 1, 344, 12.5, 25.0, -5.0, 12.0, -10.0, 34.5, 1},
        {rules, {0, 2, 2, 2, 0, 0}, true, 2, 10, 2, 1, 346, 12.5, 25.0, -5.0, 12.0, -10.0, 34.5, 2},
        // Europe 1939: a surrounded division in a capital of supply 10, the enemy's fighters above.
        {europe.SiegeCheck, {1, 1, 1, 1, 1, 1}, false, 1, 10, 0, 1, 176, 10.0, 12.5, -10.0, 0.0, 5.0, 17.5, 1},
        // Six to one against a last level, no fighters of its own: it surrenders.
        {rules, {1, 1, 1, 1, 1, 1}, false, 1, 0, 0, 1, 1000, 12.5, 62.5, -0.0, 0.0, 40.0, 115.0, 0},
    };
    for (const sCase& c : cases) {
        SCOPED_TRACE(testing::Message() << "chance " << c.chance << ", roll " << c.roll);
        // A defender that surrendered in an earlier case is gone: nothing of it may be read after.
        ASSERT_EQ(g.Hex(6, 6).unit, defender);
        std::copy(c.rules, c.rules + 7, g.Consts().SiegeCheck);
        for (int d = 0; d < 6; ++d) {
            g.Hex(besiegers[d]->m_X, besiegers[d]->m_Y).unit = c.besiegerLevels[d] > 0 ? besiegers[d] : nullptr;
            besiegers[d]->m_Level = c.besiegerLevels[d];
            besiegers[d]->m_Commander = nullptr;
        }
        besiegers[2]->m_Commander = c.commanders ? general : nullptr;
        besiegers[3]->m_Commander = c.commanders ? marshal : nullptr;
        defender->m_Commander = c.commanders ? colonel : nullptr;
        defender->m_Level = c.defenderLevel;
        defender->m_Efficiency = 100;  // a level lost recomputes it
        city.Supply = c.supply;
        Sky(c.own, c.enemy);
        const std::wstring name = defender->m_Name;
        std::wstring text;
        ScriptRandomRaw({Top(c.roll, 1, 1000)});
        city.CheckSiege(text);
        const std::wstring report =
            LangFormat("siege_report", name, c.base, c.ratio, c.supplyTerm, c.commanderTerm, c.air, c.chance);
        const std::wstring outcome = c.levelAfter == c.defenderLevel ? LangText("check_failed,_siege_continues...")
                                     : c.levelAfter > 0 ? LangFormat("check_succeeded,_%s_loses_1_level", name)
                                                        : LangFormat("check_succeeded,_%s_surrenders!", name);
        EXPECT_EQ(text, report + outcome);
        if (c.levelAfter > 0)
            EXPECT_EQ(defender->m_Level, c.levelAfter);
        else
            EXPECT_EQ(g.Hex(6, 6).unit, nullptr);
    }
    std::wstring untouched = L"no defender left";
    city.CheckSiege(untouched);
    EXPECT_EQ(untouched, L"no defender left");
}
