// Shore bombardment on Testland: the Home Fleet fires on a German unit on the coast.
#include <gtest/gtest.h>

#include <algorithm>

#include "core/random.h"
#include "tests/units/naval_testland.h"
#include "units/combat_result.h"

using namespace naval_tests;

namespace {

class ShoreBombardment : public NavalTestland
{
protected:
    ShoreBombardment()
    {
        Ship(2).m_HP = Ship(2).m_MaxHP = Consts().ShipHitPoints[1];  // Warspite at its type's full hit points
        Consts().LandCombatStrength[1][3] = 20.0f;                    // a level-2 mechanized corps: strength 20
    }
    cJednostkaLadowa& target = Land(8);  // 4. Mech Corps at (8, 3)
    sCombatResult result;
};

} // namespace

TEST_F(ShoreBombardment, OneBattleshipRollingSixDealsItsTableValueOnceAndOnlyOncePerImpulse)
{
    const float strength = target.GetCombatStrength();
    const float efficiency = float(target.m_Efficiency);
    Ship(1).m_Spotted = false; // unseen by the enemy, the guns are heard all the same
    ScriptRandomRaw({RawFor(6)});
    ASSERT_TRUE(Fleet(1).BombardHex(8, 3, &result, true));
    EXPECT_EQ(std::count(acting.sounds.begin(), acting.sounds.end(), L"data\\sound\\ShoreBombardment.wav"), 1);
    const float dealt = Consts().ShoreBombardment[5];  // consts.csv row 117 field 7
    const float navy = Consts().ShoreBombTechFactor[3];  // Albion's navy level 4
    EXPECT_FLOAT_EQ(target.m_ShoreBombardmentEffect, dealt * navy / strength * efficiency);
    EXPECT_EQ(result.kind, COMBAT_SHORE_BOMBARDMENT);
    EXPECT_NE(result.attackerInfo.find(L" Fleet: Home Fleet\n Battleships:\n  HMS Warspite\n"), std::wstring::npos);
    EXPECT_TRUE(Ship(2).m_ShoreBombardmentDone);
    EXPECT_TRUE(Ship(1).m_ShoreBombardmentDone) << "the carrier's fleet has bombarded for this impulse";
    EXPECT_EQ(Reports(14, kAlbion), 1);
    EXPECT_EQ(Reports(14, kBorussia), 1);
    EXPECT_EQ(LastReport(14, kBorussia).rfind(L"Shore bombardment: hex (8, 3)\n\nUnit 4. Mech Corps was attacked from "
                                              L"sea by Home Fleet (Albion)\n\n",
                                              0),
              0u);
    // The fleet's owner reads what it lost, not the roll call of the ships that fired.
    EXPECT_EQ(LastReport(14, kAlbion), L"Shore bombardment: hex (8, 3)\n\nAttacked unit 4. Mech Corps (Borussia) from sea "
                                       L"with Home Fleet\n\n" + result.attackerLossText);
    // The effect lasts until the end of the impulse: no second bombardment of the unit.
    EXPECT_FALSE(Fleet(1).BombardHex(8, 3, &result, true));
}

TEST_F(ShoreBombardment, ATargetWithoutStrengthTakesNoDivisionAndIsDestroyed)
{
    target.m_Strength = 0;
    ScriptRandomRaw({RawFor(4)});
    ASSERT_TRUE(Fleet(1).BombardHex(8, 3, &result, true));
    EXPECT_TRUE(result.defenderKilled);
    EXPECT_EQ(Hex(8, 3).unit, nullptr);
    EXPECT_EQ(game->FindLandUnitById(8), nullptr);
}

TEST_F(ShoreBombardment, ShipsLeftOutOfTheFleetsBombardmentCannotFireLaterInTheImpulse)
{
    Ship(2).m_Selected = false;  // nothing selected: no gun fires
    ScriptRandomRaw({RawFor(6)});
    ASSERT_TRUE(Fleet(1).BombardHex(8, 3, &result, false));
    EXPECT_FLOAT_EQ(target.m_ShoreBombardmentEffect, 0.0f);
    EXPECT_TRUE(Ship(2).m_ShoreBombardmentDone);
    sCombatResult again;
    ASSERT_TRUE(Fleet(1).BombardHex(8, 3, &again, true));
    EXPECT_EQ(again.attackerInfo.find(L"HMS Warspite"), std::wstring::npos);
}
