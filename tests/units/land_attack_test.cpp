// The odds of a land attack: strengths, the attack and defence factors and the column.
#include <gtest/gtest.h>

#include "tests/units/unit_test_game.h"
#include "units/land_attack.h"
#include "world/hex_geometry.h"

using unit_tests::cTestGame;

namespace {

class LandAttackOdds : public ::testing::Test
{
protected:
    void SetUp() override
    {
        g.SetCombatConstants();
        g.SetWar(1, 2);
        sGameConsts& k = g.Consts();
        for (float& f : k.LandAttackFactors)
            f = 1.0f;
        for (float& f : k.LandDefenceFactors)
            f = 1.0f;
        attack.defender = g.AddLand(2, UNIT_INFANTRY, 5, 5);  // level 1: effective strength 10
        attack.x = 5;
        attack.y = 5;
    }
    cJednostkaLadowa* Attacker(int slot, int type = UNIT_INFANTRY, int efficiency = 100)
    {
        std::pair<int, int> at;
        GetNeighbourCoords(5, 5, slot, at);
        cJednostkaLadowa* u = g.AddLand(1, type, at.first, at.second);
        u->m_Efficiency = efficiency;
        attack.SetAttacker(slot, u);
        return u;
    }
    cTestGame g;
    sLandAttack attack;
};

} // namespace

TEST_F(LandAttackOdds, RatioTruncatesIntoColumnsOneToSeven)
{
    EXPECT_EQ(attack.GetOddsColumn(), 1);  // no attacker
    cJednostkaLadowa* a = Attacker(0, UNIT_INFANTRY, 790);
    EXPECT_TRUE(attack.HasAttacker(a));
    EXPECT_FALSE(attack.HasAttacker(attack.defender));
    EXPECT_FLOAT_EQ(attack.GetOddsRatio(), 7.9f);
    EXPECT_EQ(attack.GetOddsColumn(), 7);
    a->m_Efficiency = 99;
    EXPECT_EQ(attack.GetOddsColumn(), 1);
    a->m_Efficiency = 1200;
    EXPECT_EQ(attack.GetOddsColumn(), 7);
    a->m_Efficiency = 350;
    EXPECT_EQ(attack.GetOddsColumn(), 3);

    // A defence of nothing reads as the overrun it is, not as column 1.
    attack.defender = g.AddAir(2, UNIT_FIGHTER, 9, 9);
    g.Consts().NonLandDefenceStrength = 0.0f;
    EXPECT_EQ(attack.GetOddsColumn(), 7);
    EXPECT_FLOAT_EQ(attack.GetFortificationFactor(), 1.0f);
    EXPECT_FLOAT_EQ(attack.GetEntrenchmentFactor(), 1.0f);
}

TEST_F(LandAttackOdds, FactorsOfDirectionsArmourRiverWeatherAndTheDefence)
{
    sGameConsts& k = g.Consts();
    for (int n = 1; n <= 6; ++n)
        k.LandAttackFactors[1 + n] = 1.0f + 0.1f * float(n);
    k.LandAttackFactors[0] = 0.5f;   // armour defended against infantry
    k.LandAttackFactors[11] = 0.8f;  // river
    k.LandAttackFactors[12] = 10.0f; // per fortification level
    k.LandAttackFactors[1] = 0.25f;  // a defender not on land: not the factor of no attacker
    EXPECT_FLOAT_EQ(attack.GetDirectionsFactor(), 1.0f);
    Attacker(0);
    EXPECT_FLOAT_EQ(attack.GetDirectionsFactor(), 1.1f);
    for (int slot = 1; slot < 6; ++slot)
        Attacker(slot);
    EXPECT_FLOAT_EQ(attack.GetDirectionsFactor(), 1.6f);  // six attackers: row 31 field 8

    g.Hex(5, 5).riverMask = 1 << 2;
    EXPECT_FLOAT_EQ(attack.GetAttackStrength(), 5 * 10.0f + 10.0f * 0.8f);

    cJednostkaLadowa* armour = g.AddLand(2, UNIT_ARMOURED, 8, 8);
    attack.defender = armour;
    EXPECT_FLOAT_EQ(attack.GetArmourFactor(), 0.5f);
    attack.attackers[3]->SetType(UNIT_ARMOURED_CORPS);
    EXPECT_FLOAT_EQ(attack.GetArmourFactor(), 1.0f);

    // One attacker on a winter hex of a country fighting at 60 percent in winter.
    g.Country(1).WinterBattle = 80.0f;  // 1 - 0.8 x 0.5
    g.Hex(attack.attackers[0]->m_X, attack.attackers[0]->m_Y).weather = WEATHER_WINTER;
    EXPECT_FLOAT_EQ(attack.GetAttackersWeatherFactor(), (0.6f + 5.0f) / 6.0f);

    g.Hex(5, 5).fortification = 2;
    attack.defender = g.Hex(5, 5).unit;
    EXPECT_FLOAT_EQ(attack.GetFortificationFactor(), 0.8f);
    static_cast<cJednostkaLadowa*>(attack.defender)->m_TrenchBonus = 3;  // 10 percent a level
    k.LandDefenceFactors[4] = 2.0f;
    g.Hex(5, 5).terrain = 4;
    EXPECT_FLOAT_EQ(attack.GetDefenceFactor(), 2.0f * 1.3f);
    k.LandDefenceFactors[0] = 3.0f;
    k.LandDefenceFactors[7] = 1.75f;
    k.LandDefenceFactors[8] = 2.5f;  // the city's, not a terrain's
    for (const auto& [terrain, factor] : {std::pair{0, 1.0f}, {7, 1.75f}, {8, 1.0f}, {9, 1.0f}}) {
        g.Hex(5, 5).terrain = uint8_t(terrain);
        EXPECT_FLOAT_EQ(attack.GetTerrainFactor(), factor) << terrain;
    }

    // The attack factor multiplies all four: six directions, armour against infantry only, the
    // winter of one attacker, two fortification levels.
    attack.defender = armour;
    attack.attackers[3]->SetType(UNIT_INFANTRY);
    EXPECT_FLOAT_EQ(attack.GetAttackFactor(), 1.6f * 0.5f * ((0.6f + 5.0f) / 6.0f) * 0.8f);
}
