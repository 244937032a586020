// Shore bombardment on Testland: the Home Fleet fires on a German unit on the coast.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "core/random.h"
#include "core/stringbase.h"
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

// Bismarck and Hipper of the Borussian fleet shell an Albion corps of combat strength 10 at
// efficiency 80; mostly a 3 is rolled: a battleship's value 4, a cruiser's 2, massing divisor 2.
TEST_F(ShoreBombardment, EachShipCountsByItsHitPointsAndTheFleetsSizeUpToTheTargetsStrength)
{
    sGameConsts& k = Consts();
    k.ShoreBombardment[0] = 1.0f;  // die 1
    k.ShoreBombardment[2] = 4.0f;  // die 3
    k.ShoreBombardment[5] = 6.0f;  // die 6
    k.ShoreBombardment[6] = 0.5f;
    k.ShoreBombardment[8] = 2.0f;
    k.ShoreBombardment[11] = 3.0f;
    k.ShoreBombardment[12] = 2.0f;
    k.ShipHitPoints[2] = 20;
    k.ShoreBombTechFactor[0] = 0.5f;  // Navy level 1, and below it
    k.ShoreBombTechFactor[1] = 1.5f;  // Navy level 2
    k.LandCombatStrength[0][UNIT_INFANTRY] = 10.0f;
    const float both = 6.0f / std::sqrt(2.0f);  // two ships: each adds its value / 2^(1/2)
    const struct
    {
        int bismarckHP, bismarckMaxHP, baseHP;
        bool hipperAlone;
        int strength, navy, raw;
        float effect;  // total x Navy factor / combat strength x efficiency
    } cases[] = {
        {40, 40, 40, false, 100, 2, RawFor(3), both * 1.5f / 10.0f * 80.0f},
        {20, 40, 40, false, 100, 2, RawFor(3), 4.0f / std::sqrt(2.0f) * 1.5f / 10.0f * 80.0f},  // half the hit points
        {20, 0, 40, false, 100, 2, RawFor(3), both * 1.5f / 10.0f * 80.0f},   // no maximum: counts whole
        {20, 40, 0, false, 100, 2, RawFor(3), both * 1.5f / 10.0f * 80.0f},   // no base in the data: whole too
        {40, 40, 40, false, 25, 2, RawFor(3), 2.5f * 1.5f / 2.5f * 80.0f},    // capped at strength 2.5
        {40, 40, 40, false, 1, 2, RawFor(3), 0.1f * 1.5f / 0.1f * 80.0f},     // 0.1 is not below 0.1: it stands
        {40, 40, 40, true, 100, 2, RawFor(3), 2.0f * 1.5f / 10.0f * 80.0f},   // one cruiser alone: massing 1
        {40, 40, 40, false, 100, 0, RawFor(3), both * 0.5f / 10.0f * 80.0f},  // Navy 0 fires as 1
        {40, 40, 40, false, 100, 2, 0, 1.5f / std::sqrt(2.0f) * 12.0f},       // the die's bottom, 1
        {40, 40, 40, false, 100, 2, 32767, 9.0f / std::sqrt(2.0f) * 12.0f},   // and its top, 6
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.effect);
        cJednostkaLadowa* corps = AddLandUnit(kAlbion, 2, 4);
        corps->m_Level = 1;
        corps->m_Strength = c.strength;
        corps->m_Efficiency = 80;
        corps->m_Spotted = false;
        k.ShipHitPoints[1] = c.baseHP;
        Ship(4).m_HP = c.bismarckHP;
        Ship(4).m_MaxHP = c.bismarckMaxHP;
        Ship(5).m_HP = Ship(5).m_MaxHP = 20;
        Ship(4).m_Selected = false;
        Ship(5).m_Selected = true;
        Country(kBorussia).TechLevel[TECH_NAVY] = c.navy;
        sCombatResult shelled;
        ScriptRandomRaw({c.raw});
        corps->ShoreBombardment(Fleet(3), &shelled, !c.hipperAlone);
        EXPECT_NEAR(corps->m_ShoreBombardmentEffect, c.effect, 1e-4f);
        EXPECT_EQ(shelled.defenderInfo, LangFormat("report_details_shorebombardment_def", int(c.effect)));
        EXPECT_TRUE(corps->m_Spotted);
        EXPECT_FALSE(shelled.defenderKilled);
        EXPECT_EQ(Ship(4).m_ShoreBombardmentDone, !c.hipperAlone);
        EXPECT_TRUE(Ship(5).m_ShoreBombardmentDone);
        Ship(4).m_ShoreBombardmentDone = Ship(5).m_ShoreBombardmentDone = false;
        Hex(2, 4).unit = nullptr;
    }
}

TEST_F(ShoreBombardment, ATargetWithoutStrengthTakesNoDivisionAndIsDestroyed)
{
    target.m_Strength = 0;
    ScriptRandomRaw({RawFor(4)});
    ASSERT_TRUE(Fleet(1).BombardHex(8, 3, &result, true));
    EXPECT_EQ(result.defenderInfo, LangFormat("report_details_shorebombardment_def", 0));
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
    EXPECT_EQ(Reports(14, kAlbion), 1);
    EXPECT_EQ(Reports(14, kBorussia), 1);
    EXPECT_TRUE(Ship(2).m_ShoreBombardmentDone);
    sCombatResult again;
    ASSERT_TRUE(Fleet(1).BombardHex(8, 3, &again, true));
    EXPECT_EQ(again.attackerInfo.find(L"HMS Warspite"), std::wstring::npos);
}
