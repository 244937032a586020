// Ships under air attack and carriers' strikes met by interceptors, on Testland.
#include <gtest/gtest.h>

#include "core/random.h"
#include "tests/units/naval_testland.h"
#include "units/air_unit.h"
#include "units/combat_result.h"

using namespace naval_tests;

namespace {

class ShipsUnderAirAttack : public NavalTestland
{
protected:
    cJednostkaLotnicza& Fighter() { return *game->FindAirUnitById(1); }
    sCombatResult result;
};

} // namespace

TEST_F(ShipsUnderAirAttack, WithoutSecondHitsOrSinkingsEveryAttackCostsOneHitPoint)
{
    Consts().ShipSecondHitChance = 0;
    Consts().ShipSunkChance = 0;
    cJednostkaMorska& bismarck = Ship(4);
    bismarck.ReceiveAirAttack(&result, &Ship(1));
    bismarck.ReceiveAirAttack(&result, &Fighter());
    EXPECT_EQ(bismarck.m_HP, 4);
    EXPECT_FLOAT_EQ(result.defenderLoss, 2.0f);

    // A ship of 1 hit point goes down at once and cannot answer.
    sCombatResult sinking;
    ScriptRandomRaw({RawFor(0, 0, 100)});
    Ship(3).ReceiveAirAttack(&sinking, &Fighter());
    EXPECT_EQ(Ship(3).m_HP, 0);
    EXPECT_TRUE(sinking.attackerInfo.empty());
    EXPECT_FALSE(sinking.attackerKilled);
}

TEST_F(ShipsUnderAirAttack, ACarrierBelowFullHitPointsNeverLosesToTheShipsFire)
{
    cJednostkaMorska& arkRoyal = Ship(1);
    arkRoyal.m_HP = arkRoyal.m_MaxHP - 1;
    ScriptRandomRaw({RawFor(100, 1, 100), RawFor(100, 1, 100), RawFor(0, 0, 100)});
    Ship(4).ReceiveAirAttack(&result, &arkRoyal);
    EXPECT_EQ(arkRoyal.m_HP, arkRoyal.m_MaxHP - 1);
    EXPECT_TRUE(result.attackerInfo.empty());
}

TEST_F(ShipsUnderAirAttack, AnInterceptorShotDownLeavesTheGameAndTheCarrierKeepsItsLeastHitPoints)
{
    cJednostkaLotnicza& fighter = Fighter();
    fighter.m_Owner = kBorussia;
    for (int die = 0; die < 6; ++die) {
        Consts().AirAttackerLosses[die][0] = 10;  // column -4: the fighter loses everything
        Consts().AirDefenderLosses[die][0] = 9;
    }
    ScriptRandomRaw({RawFor(3)});
    EXPECT_FALSE(Ship(1).TryIntercept(&fighter, &result));  // the strike goes on
    EXPECT_EQ(game->FindAirUnitById(1), nullptr);
    EXPECT_TRUE(result.defenderKilled);
    EXPECT_TRUE(result.interceptionFought);
    EXPECT_EQ(result.kind, COMBAT_INTERCEPTION);
    // 9 hit points off 5, but a carrier keeps floor(5 x 20 / 100) = 1 after an interception.
    EXPECT_EQ(Ship(1).m_HP, 1);
    EXPECT_FLOAT_EQ(result.attackerLoss, 4.0f);
}
