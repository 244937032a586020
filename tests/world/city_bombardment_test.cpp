// Strategic bombing of a city's production and the siege test of a besieged city.
#include <gtest/gtest.h>

#include "core/random.h"
#include "tests/test_support.h"
#include "tests/units/unit_test_game.h"
#include "tests/world/world_fixture.h"
#include "units/combat_result.h"

using unit_tests::cTestGame;
using unit_tests::RawFor;

namespace {

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
    EXPECT_EQ(defender->m_Level, 2);

    g.Consts().SiegeCheck[0] = 1.0f;  // fails only on a roll of 1000
    ScriptRandomRaw({RawFor(999, 1, 1000)});
    city.CheckSiege(text);
    EXPECT_EQ(defender->m_Level, 1);
    const std::wstring surrender = L"Check succeeded: " + defender->m_Name + L" surrenders!";
    ScriptRandomRaw({RawFor(999, 1, 1000)});
    city.CheckSiege(text);
    EXPECT_TRUE(text.size() >= surrender.size() && text.compare(text.size() - surrender.size(), surrender.size(), surrender) == 0)
        << text;
    EXPECT_EQ(g.Hex(6, 6).unit, nullptr);
}
