// Upgrades, level-ups and the unit panel's hints of land units, on the test scenario.
#include <gtest/gtest.h>

#include <functional>
#include <vector>

#include "core/settings.h"
#include "tests/game/testland_game.h"
#include "tests/test_support.h"

using namespace testland;
using testing_support::LogContains;

namespace {

class LandUpgrades : public TestlandGame
{
protected:
    LandUpgrades()
    {
        sGameConsts& k = game->m_Consts;
        k.LandPurchaseCost[0] = 10.0f;
        k.LandPurchaseCost[1] = 16.0f;
        k.LandLevelSurcharge = 10;
        // Valdo Infantry: a level 1 infantry division at half strength, on its own land.
        unit.m_Strength = 50;
        unit.m_Level = 1;
        unit.m_ActionPoints = unit.m_StartingActionPoints = 3;
        Country(kValdonia).PP = 100.0;
        Country(kValdonia).TechLevel[TECH_ARTILLERY] = 3;
    }
    std::wstring Hint(bool (cJednostkaLadowa::*hint)(std::wstring*) const, bool expected)
    {
        std::wstring text;
        EXPECT_EQ((unit.*hint)(&text), expected);
        return text;
    }
    cJednostkaLadowa& unit = Land(12);
};

} // namespace

TEST_F(LandUpgrades, ADivisionBecomesACorpsForItsCostAndKeepsItsMenInTheNewStrength)
{
    // Strengths 2.0 and 2.5 at level 1 (rows 9): 16 x 0.5 + 1.0 x 6 = 14, no surcharge at level 1.
    EXPECT_FLOAT_EQ(unit.GetUpgradeToCorpsCost(), 14.0f);
    EXPECT_EQ(Hint(&cJednostkaLadowa::GetUpgradeToCorpsHint, true),
              L"Upgrade this unit to a corps for 14.0 production points (86.0 are left afterwards). The upgrade "
              L"spends all its action points of this turn.");
    ASSERT_TRUE(unit.UpgradeToCorps());
    EXPECT_EQ(unit.m_Type, UNIT_INFANTRY_CORPS);
    EXPECT_EQ(unit.m_Strength, 60) << "0.5 x 100 / 2.5 + 50 x 2.0 / 2.5";
    EXPECT_EQ(unit.m_ActionPoints, 0);
    EXPECT_DOUBLE_EQ(Country(kValdonia).PP, 86.0);
    EXPECT_EQ(Hint(&cJednostkaLadowa::GetUpgradeToCorpsHint, false),
              L"This unit is already a corps. Its action points of this turn are spent: it acts again in its next turn.");

    // A corps asked for its cost: a log line and nothing to pay, never an exit.
    EXPECT_EQ(unit.GetUpgradeToCorpsCost(), 0.0f);
    EXPECT_TRUE(LogContains(L"Error: a unit of type 1 has no corps to be upgraded to."));
    EXPECT_FALSE(unit.UpgradeToCorps());
    EXPECT_EQ(unit.m_Type, UNIT_INFANTRY_CORPS);
}

TEST_F(LandUpgrades, ALevelUpCostsTheDifferenceOfTheSurchargedPrices)
{
    // Levels 1 and 2 of infantry: 2.0 and 4.0; (40 + 10 x 40 x 1 / 100) - (20 + 0) = 24.
    EXPECT_FLOAT_EQ(unit.GetLevelUpCost(), 24.0f);
    unit.m_Strength = 60;
    ASSERT_TRUE(unit.LevelUp());
    EXPECT_EQ(unit.m_Level, 2);
    EXPECT_EQ(unit.m_ActionPoints, 0);
    EXPECT_EQ(unit.m_Strength, 80) << "ceiling of 2 x 100 / 4 + 60 x 2 / 4";
    EXPECT_DOUBLE_EQ(Country(kValdonia).PP, 76.0);
    EXPECT_FLOAT_EQ(unit.GetLevelUpCost(), 28.0f) << "(60 + 10 x 60 x 2 / 100) - (40 + 10 x 40 x 1 / 100)";

    unit.m_Level = 5;
    EXPECT_EQ(unit.GetLevelUpCost(), 0.0f);
    EXPECT_FALSE(unit.LevelUp());
    EXPECT_FALSE(unit.AiLevelUp());
    EXPECT_EQ(unit.m_Level, 5);
    EXPECT_TRUE(LogContains(L"Level-up refused: Valdo Infantry (type 0) is at level 5"));

    // The computer's level-up takes its pauses even where the person cannot see the unit.
    struct sRestore
    {
        ~sRestore() { ResetSettingsToDefaults(); }
    } restore;
    ASSERT_TRUE(game->HasHumanCountry());
    unit.m_Spotted = false;
    g_DelayValues[DELAY_AI_REPLACEMENT_BEFORE] = 3.0f;
    g_DelayValues[DELAY_AI_REPLACEMENT_AFTER] = 4.0f;
    unit.m_Level = 1;
    testing_support::ClearLog();
    ASSERT_TRUE(unit.AiLevelUp());
    EXPECT_EQ(unit.m_Level, 2);
    EXPECT_TRUE(LogContains(L"[AI]: Valdonia - upgrading Valdo Infantry (level up)"));
    std::vector<std::wstring> pauses;
    for (const std::wstring& line : testing_support::LogLines())
        if (line.starts_with(L"S: "))
            pauses.push_back(line.substr(line.rfind(L" : ") + 3));
    EXPECT_EQ(pauses, (std::vector<std::wstring>{L"3 ms", L"4 ms"}));

    for (cPanstwo* c : game->m_Countries)
        c->HumanControlled = false;
    testing_support::ClearLog();
    ASSERT_TRUE(unit.AiLevelUp());
    EXPECT_EQ(testing_support::CountLogLinesStartingWith(L"S: "), 0) << "a game of computers never waits";
}

TEST_F(LandUpgrades, TheHintsSayWhyInTheirOrder)
{
    unit.m_Level = 5;
    Country(kValdonia).TechLevel[TECH_ARTILLERY] = 0;
    EXPECT_EQ(Hint(&cJednostkaLadowa::GetLevelUpHint, false), L"This unit has reached the highest level.");

    unit.SetType(UNIT_ARMOURED);
    unit.m_Level = 2;
    Country(kValdonia).TechLevel[TECH_TANKS] = 2;
    EXPECT_EQ(Hint(&cJednostkaLadowa::GetLevelUpHint, false),
              L"Your research in Tanks must advance before this unit can rise a level.");

    unit.SetType(UNIT_INFANTRY);
    unit.m_Level = 1;
    Country(kValdonia).TechLevel[TECH_ARTILLERY] = 3;
    unit.m_FreezeTime = 2;
    EXPECT_EQ(Hint(&cJednostkaLadowa::GetUpgradeToCorpsHint, false),
              L"A unit can be upgraded only before it acts in this turn, and not while it is frozen.");
    EXPECT_EQ(Hint(&cJednostkaLadowa::GetLevelUpHint, false),
              L"A unit can rise a level only before it acts in this turn, and not while it is frozen.");
    EXPECT_EQ(Hint(&cJednostkaLadowa::GetStrategicMoveHint, false),
              L"A strategic move must be the unit's only action in this turn, and it may not be frozen.");
    unit.m_FreezeTime = 0;
    Country(kValdonia).PP = 5.0;
    EXPECT_EQ(Hint(&cJednostkaLadowa::GetLevelUpHint, false),
              L"You need 19.0 more production points to raise this unit a level.");

    unit.SetType(UNIT_MULBERRY);
    EXPECT_EQ(Hint(&cJednostkaLadowa::GetUpgradeToCorpsHint, false), L"A Mulberry harbour cannot be upgraded.");
    EXPECT_EQ(Hint(&cJednostkaLadowa::GetLevelUpHint, false), L"A Mulberry harbour cannot rise a level.");

    unit.SetType(UNIT_AIRBORNE);
    unit.m_Supply = 30;
    unit.m_TurnsSinceParadrop = 0;
    game->m_Consts.AirborneAssaultWait = 3;
    EXPECT_EQ(Hint(&cJednostkaLadowa::GetAirborneAssaultHint, false), L"Turns the unit must still wait before its next drop: 3.");
    unit.m_TurnsSinceParadrop = 2;
    EXPECT_EQ(Hint(&cJednostkaLadowa::GetAirborneAssaultHint, false), L"Turns the unit must still wait before its next drop: 1.");
    unit.m_TurnsSinceParadrop = 3;
    EXPECT_TRUE(unit.GetAirborneAssaultHint(nullptr));

    // In Valdo, a port: sea transport for row 69's price.
    unit.SetType(UNIT_INFANTRY);
    Country(kValdonia).STP = 0;
    EXPECT_FALSE(unit.GetSeaTransportHint(nullptr));
    Country(kValdonia).STP = 50;
    EXPECT_TRUE(unit.GetSeaTransportHint(nullptr));
    Place(unit, 8, 8);
    EXPECT_EQ(Hint(&cJednostkaLadowa::GetSeaTransportHint, false), L"The unit must stand in or next to a port of its side.");
    EXPECT_FALSE(unit.GetReconHint(nullptr));

    std::wstring effect;
    EXPECT_TRUE(unit.GetEffectivenessHint(&effect));
    EXPECT_EQ(effect.rfind(L"Effectiveness changes in percent\nDoctrine: 0\n", 0), 0u) << "Valdonia's doctrine is 0";
}

TEST_F(LandUpgrades, TheHintsTurnAtTheirLimits)
{
    // Valdo Infantry in Valdo, a port, fully supplied (Testland's maximum is 30, so an
    // airborne or amphibious action needs 20); infantry's prices are 1 SMP, 2 STP and 3 AMP.
    using tHint = bool (cJednostkaLadowa::*)(std::wstring*) const;
    struct sCase
    {
        const char* what;
        std::function<void(cJednostkaLadowa&, cPanstwo&)> change;
        tHint hint;
        bool available;
        std::wstring text;
    };
    const std::vector<sCase> cases = {
        {"a turn without supply", [](cJednostkaLadowa& u, cPanstwo&) { u.m_TurnsWithoutSupply = 1; },
         &cJednostkaLadowa::GetReinforceHint, false, L"Reinforcements cannot reach a unit without supply."},
        {"rail for the last point", [](cJednostkaLadowa&, cPanstwo& c) { c.SMP = 1; },
         &cJednostkaLadowa::GetStrategicMoveHint, true, L"Move this unit by rail to a city of its side."},
        {"no supply source", [](cJednostkaLadowa& u, cPanstwo&) { u.m_SupplySourceX = -1; },
         &cJednostkaLadowa::GetStrategicMoveHint, false, L"A strategic move needs a supply source; peace-time supply is not one."},
        {"no source nor rail points", [](cJednostkaLadowa& u, cPanstwo& c) { u.m_SupplySourceX = -1; c.SMP = 0; },
         &cJednostkaLadowa::GetStrategicMoveHint, false, L"A strategic move needs a supply source; peace-time supply is not one."},
        {"supplied, but a turn without it", [](cJednostkaLadowa& u, cPanstwo&) { u.m_TurnsWithoutSupply = 1; },
         &cJednostkaLadowa::GetStrategicMoveHint, false, L"A unit out of supply cannot make a strategic move."},
        {"a drop on two thirds", [](cJednostkaLadowa& u, cPanstwo&) { u.SetType(UNIT_AIRBORNE); u.m_Supply = 20; },
         &cJednostkaLadowa::GetAirborneAssaultHint, true, L"Drop this unit behind the enemy's lines."},
        {"a drop on less", [](cJednostkaLadowa& u, cPanstwo&) { u.SetType(UNIT_AIRBORNE); u.m_Supply = 19; },
         &cJednostkaLadowa::GetAirborneAssaultHint, false, L"The unit's supply is too low for an airborne assault."},
        {"a ship for the last points", [](cJednostkaLadowa&, cPanstwo& c) { c.STP = 2; },
         &cJednostkaLadowa::GetSeaTransportHint, true, L"Embark this unit on a cargo ship (sea transport points: 2)."},
        {"one point short", [](cJednostkaLadowa&, cPanstwo& c) { c.STP = 1; },
         &cJednostkaLadowa::GetSeaTransportHint, false, L"Sea transport points left: 1, fewer than the 2 this unit needs to embark."},
        {"no landing points left", [](cJednostkaLadowa&, cPanstwo& c) { c.AIP = 0; }, &cJednostkaLadowa::GetAmphibiousTransportHint,
         false, L"Amphibious invasion points left: 0, fewer than the 3 this unit needs to embark."},
        {"a landing on two thirds", [](cJednostkaLadowa& u, cPanstwo& c) { c.AIP = 3; u.m_Supply = 20; },
         &cJednostkaLadowa::GetAmphibiousTransportHint, true,
         L"Embark this unit on an amphibious ship (amphibious invasion points: 3)."},
        {"a landing on less", [](cJednostkaLadowa& u, cPanstwo& c) { c.AIP = 3; u.m_Supply = 19; },
         &cJednostkaLadowa::GetAmphibiousTransportHint, false, L"The unit's supply is too low for an amphibious invasion."},
        {"a landing short of points and supply", [](cJednostkaLadowa& u, cPanstwo& c) { c.AIP = 0; u.m_Supply = 19; },
         &cJednostkaLadowa::GetAmphibiousTransportHint, false, L"The unit's supply is too low for an amphibious invasion."},
        {"full strength", [](cJednostkaLadowa& u, cPanstwo&) { u.m_Strength = 100; },
         &cJednostkaLadowa::GetReinforceHint, false, L"This unit is at full strength."},
    };
    for (const sCase& c : cases) {
        cJednostkaLadowa& u = unit;
        u.SetType(UNIT_INFANTRY);
        u.m_Supply = 30;
        u.m_TurnsWithoutSupply = 0;
        u.m_SupplySourceX = u.m_X;
        u.m_SupplySourceY = u.m_Y;
        u.m_TurnsSinceParadrop = game->m_Consts.AirborneAssaultWait;
        cPanstwo& owner = Country(kValdonia);
        owner.SMP = owner.STP = owner.AIP = 50;
        c.change(u, owner);
        std::wstring text;
        EXPECT_EQ((u.*c.hint)(&text), c.available) << c.what;
        EXPECT_EQ(text, c.text) << c.what;
    }

    // A third of the efficiency lost to one impulse without a source of supply.
    unit.m_TurnsWithoutSupply = 1;
    std::wstring effect;
    ASSERT_TRUE(unit.GetEffectivenessHint(&effect));
    EXPECT_NE(effect.find(L"\nWithout a supply source: -33\n"), std::wstring::npos);
}
