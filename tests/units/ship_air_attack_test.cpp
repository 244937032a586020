// Ships under air attack and carriers' strikes met by interceptors, on Testland.
#include <gtest/gtest.h>

#include "core/format.h"
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
    const std::wstring fighterName = fighter.m_Name;
    for (int die = 0; die < 6; ++die) {
        Consts().AirAttackerLosses[die][0] = 10;  // column -4: the fighter loses everything
        Consts().AirDefenderLosses[die][0] = 9;
    }
    ScriptRandomRaw({RawFor(3)});
    EXPECT_FALSE(Ship(1).TryIntercept(&fighter, &result));  // the strike goes on
    EXPECT_EQ(result.defenderInfo.rfind(L"Interceptor " + fighterName + L" (Borussia): strength left 0, lost 10\n", 0), 0u);
    EXPECT_EQ(game->FindAirUnitById(1), nullptr);
    EXPECT_TRUE(result.defenderKilled);
    EXPECT_TRUE(result.interceptionFought);
    EXPECT_EQ(result.kind, COMBAT_INTERCEPTION);
    // 9 hit points off 5, but a carrier keeps floor(5 x 20 / 100) = 1 after an interception.
    EXPECT_EQ(Ship(1).m_HP, 1);
    EXPECT_FLOAT_EQ(result.attackerLoss, 4.0f);
    // What the window shows stays in both sides' reports of air combat.
    for (auto [kind, country] : {std::pair{2, kAlbion}, std::pair{3, kBorussia}}) {
        EXPECT_EQ(Reports(kind, country), 1) << kind;
        EXPECT_NE(LastReport(kind, country).find(L"Interceptor " + fighterName + L" (Borussia): strength left 0, lost 10\n"),
                  std::wstring::npos);
    }
}

// A second hit and a sinking each by their percent chance, then the answer: the navies' ratio,
// one more for a carrier, times the factor (1 for a carrier at full hit points) and the hit
// points left is the percent chance that the attacking carrier loses a hit point.
TEST_F(ShipsUnderAirAttack, SecondHitsSinkingsAndTheAnswerFollowTheirChances)
{
    Country(kBorussia).TechLevel[TECH_NAVY] = 2;
    Country(kAlbion).TechLevel[TECH_NAVY] = 1;
    Consts().ShipSecondHitChance = 50;
    Consts().ShipSunkChance = 30;
    cJednostkaMorska& bismarck = Ship(4);
    cJednostkaMorska& arkRoyal = Ship(1);
    const int fullCarrier = arkRoyal.m_MaxHP;
    const struct
    {
        int before, carrier;       // the ship's and the carrier's hit points
        int second, sunk, answer;  // the three rolls
        int hitPoints, carrierLoss;
    } cases[] = {
        {6, fullCarrier, 50, 31, 7, 4, 1},   // second hit; 2 x 1 x 4 = 8
        {6, fullCarrier, 51, 31, 10, 5, 0},  // 2 x 1 x 5 = 10 is not below 10
        {6, fullCarrier, 51, 31, 9, 5, 1},
        {6, fullCarrier, 51, 30, 0, 0, 0},   // sunk: no hit points left to fire
        {2, fullCarrier, 50, 31, 0, 0, 0},   // the second hit takes the last point
        {2, fullCarrier, 51, 30, 0, 0, 0},   // a ship left with 1 point can be sunk
        {6, 2, 51, 31, 0, 5, 1},             // a carrier left with 1 point flies on
        {6, 1, 51, 31, 0, 5, 1},             // a carrier's last point: it is lost
    };
    for (const auto& c : cases) {
        bismarck.m_HP = c.before;
        arkRoyal.m_HP = arkRoyal.m_MaxHP = c.carrier;
        sCombatResult r;
        ClearRandomScript();  // a roll a row does not make is not left to the next
        ScriptRandomRaw({RawFor(c.second, 1, 100), RawFor(c.sunk, 1, 100), RawFor(c.answer, 0, 100)});
        bismarck.ReceiveAirAttack(&r, &arkRoyal);
        SCOPED_TRACE(testing::Message() << c.before << " " << c.carrier << ": " << c.second << " " << c.sunk << " "
                                        << c.answer);
        EXPECT_EQ(bismarck.m_HP, c.hitPoints);
        EXPECT_FLOAT_EQ(r.defenderLoss, float(c.before - c.hitPoints));
        EXPECT_EQ(r.defenderInfo.substr(r.defenderInfo.size() - 19),
                  L"Strength lost: " + std::to_wstring(c.before - c.hitPoints) + L".00");
        EXPECT_EQ(arkRoyal.m_HP, c.carrier - c.carrierLoss);
        EXPECT_EQ(r.attackerKilled, arkRoyal.m_HP == 0);
    }
    // A wing's strength is its factor: 2 x 10 x 5 = 100, a sure answer.
    bismarck.m_HP = 6;
    sCombatResult wing;
    ClearRandomScript();
    ScriptRandomRaw({RawFor(100, 1, 100), RawFor(100, 1, 100), RawFor(99, 0, 100)});
    bismarck.ReceiveAirAttack(&wing, &Fighter());
    EXPECT_FALSE(wing.attackerInfo.empty());
    // Equal navies, a full carrier of 1 hit point and 1 left: a chance of 1, the lowest roll's.
    Country(kBorussia).TechLevel[TECH_NAVY] = 1;
    bismarck.m_HP = 2;
    arkRoyal.m_HP = arkRoyal.m_MaxHP = 1;
    ClearRandomScript();
    ScriptRandomRaw({RawFor(100, 1, 100), RawFor(100, 1, 100), RawFor(0, 0, 100)});
    sCombatResult lowest;
    bismarck.ReceiveAirAttack(&lowest, &arkRoyal);
    EXPECT_EQ(arkRoyal.m_HP, 0);
    // No attacker, no attack.
    const int hitPoints = bismarck.m_HP;
    bismarck.ReceiveAirAttack(&result, nullptr);
    EXPECT_EQ(bismarck.m_HP, hitPoints);
    EXPECT_TRUE(result.defenderInfo.empty());
}

// The column is the carrier's hit points less the fighter's level and strength plus its
// owner's navy, kept within -4 and 4; the strike is stopped only when the carrier lost more.
TEST_F(ShipsUnderAirAttack, TheInterceptionsColumnAndLossesDecideWhetherTheStrikeGoesOn)
{
    cJednostkaLotnicza& fighter = Fighter();
    fighter.m_Owner = kBorussia;
    Country(kBorussia).TechLevel[TECH_NAVY] = 1;
    for (int die = 0; die < 6; ++die)
        for (int column = 0; column < 9; ++column) {
            Consts().AirAttackerLosses[die][column] = die == 4 ? 0 : 8 - column;
            Consts().AirDefenderLosses[die][column] = die == 4 ? 9 : column == 4 ? 4 : 1;
        }
    Consts().CarrierMinHitPointsPercent = 0;
    cJednostkaMorska& arkRoyal = Ship(1);
    const struct
    {
        int die, strength, level;
        bool stopped;
        int strengthLeft, hitPointsLeft;
    } cases[] = {
        {3, 1, 0, true, 1, 4},    // 5 - 0 - 1 + 1 = 5 counts as 4: loses 0 against 1
        {3, 10, 1, false, 2, 4},  // -5 counts as -4: loses 8 against 1
        {3, 6, 0, false, 2, 1},   // column 0: 4 against 4
        {5, 3, 0, true, 3, 0},    // the carrier is lost, and so is the strike
    };
    for (const auto& c : cases) {
        arkRoyal.m_HP = arkRoyal.m_MaxHP;
        fighter.m_Strength = c.strength;
        fighter.m_Level = c.level;
        sCombatResult r;
        ScriptRandomRaw({RawFor(c.die)});
        SCOPED_TRACE(testing::Message() << c.die << " " << c.strength << " " << c.level);
        EXPECT_EQ(arkRoyal.TryIntercept(&fighter, &r), c.stopped);
        EXPECT_EQ(fighter.m_Strength, c.strengthLeft);
        EXPECT_EQ(arkRoyal.m_HP, c.hitPointsLeft);
        EXPECT_EQ(r.attackerKilled, c.hitPointsLeft == 0);
        EXPECT_EQ(r.attackerInfo.rfind(FormatText(L"Planes of HMS Ark Royal (Albion): the ship's hit points left %i, lost %i\n", c.hitPointsLeft,
                                                  arkRoyal.m_MaxHP - c.hitPointsLeft),
                                       0),
                  0u);
    }
}
