// An air unit's level-ups and the unit panel's answers about what it can do now.
#include <gtest/gtest.h>

#include "tests/test_support.h"
#include "tests/units/unit_test_game.h"
#include "tests/world/world_fixture.h"

using unit_tests::cTestGame;

namespace {

class AirUnitHints : public ::testing::Test
{
protected:
    void SetUp() override
    {
        LoadGameTexts();
        g.SetCombatConstants();
        g.SetWar(1, 2);
        g.Consts().AirPurchaseCost[0] = 2.0f;  // a fighter's value: 12 x 2
        g.Consts().AirLevelSurcharge = 50;     // each level: half of it
        g.Country(1).TechLevel[TECH_AIRCRAFT] = 3;
        g.Country(1).PP = 30.0;
        fighter = g.AddAir(1, UNIT_FIGHTER, 2, 2);
        fighter->m_ActionPoints = fighter->m_StartingActionPoints = 5;
        fighter->m_Strength = 12;
    }
    cTestGame g;
    cJednostkaLotnicza* fighter = nullptr;
    std::wstring text;
};

} // namespace

TEST_F(AirUnitHints, LevelUpNeedsTechnologyAnUnspentTurnAndThePrice)
{
    EXPECT_FLOAT_EQ(fighter->GetLevelUpCost(), 12.0f);
    EXPECT_TRUE(fighter->GetLevelUpHint(&text));
    EXPECT_EQ(text, L"Raise this unit a level for 12.0 production points (18.0 are left afterwards).");
    EXPECT_TRUE(fighter->LevelUp());
    EXPECT_EQ(fighter->m_Level, 2);
    EXPECT_DOUBLE_EQ(g.Country(1).PP, 18.0);
    EXPECT_FALSE(fighter->GetLevelUpHint(&text));  // it has acted
    EXPECT_EQ(text, L"A unit can rise a level only before it acts in this turn, and not while it is frozen.");

    fighter->m_ActionPoints = 5;
    fighter->m_Level = 3;
    EXPECT_FALSE(fighter->GetLevelUpHint(&text));
    EXPECT_EQ(text, L"Your research in Aircraft must advance before this unit can rise a level.");
    fighter->m_Level = 5;
    EXPECT_FALSE(fighter->GetLevelUpHint(nullptr));
    EXPECT_FALSE(fighter->LevelUp());

    fighter->m_Level = 1;
    EXPECT_TRUE(fighter->AiLevelUp());
    EXPECT_TRUE(testing_support::LogContains(L"[AI]: Country1 - upgrading " + fighter->m_Name + L" (level up)"));
}

TEST_F(AirUnitHints, MissionHintsSayWhyNot)
{
    EXPECT_FALSE(fighter->GetAirFightHint(&text));
    EXPECT_EQ(text, L"No enemy air unit that you can see is in range.");
    g.AddAir(2, UNIT_TACTICAL_BOMBER, 4, 2)->m_Spotted = true;
    EXPECT_TRUE(fighter->GetAirFightHint(&text));
    EXPECT_FALSE(fighter->GetBombardmentHint(&text));
    EXPECT_EQ(text, L"Only bombers can bombard.");
    fighter->m_AirReconDone = true;
    EXPECT_FALSE(fighter->GetReconHint(&text));
    EXPECT_EQ(text, L"This unit has already flown a reconnaissance mission in this turn.");
    EXPECT_FALSE(fighter->GetUpgradeToCorpsHint(&text));
    EXPECT_FALSE(fighter->GetSeaTransportHint(nullptr));

    // A strategic move of an air unit is paid in production points.
    fighter->m_SupplySourceX = fighter->m_SupplySourceY = 1;
    fighter->m_Supply = 10;
    g.Consts().AirStrategicMoveCost[0] = 40;
    EXPECT_FALSE(fighter->GetStrategicMoveHint(&text));
    EXPECT_EQ(text, L"You do not have enough production points to move this air unit strategically.");
    g.Country(1).PP = 40.0;
    EXPECT_TRUE(fighter->GetStrategicMoveHint(nullptr));
}
