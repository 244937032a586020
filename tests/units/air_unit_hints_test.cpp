// An air unit's level-ups and the unit panel's answers about what it can do now.
#include <functional>
#include <vector>

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
    EXPECT_EQ(text, L"Raise this unit a level for 12.0 production points (18.0 are left afterwards). Rising a level "
                    L"spends all its action points of this turn.");
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

TEST_F(AirUnitHints, TheHintsTurnAtTheirLimits)
{
    // A fighter at (2, 2) with all its 5 action points, full strength is 12, supply 50 of 50,
    // its supply source under it; the owner has 30 PP and one bomb; (4, 2) is held by the enemy. A level costs 12.
    using tHint = bool (cJednostkaLotnicza::*)(std::wstring*) const;
    struct sCase
    {
        const char* what;
        std::function<void(cJednostkaLotnicza&, cPanstwo&)> change;
        tHint hint;
        bool available;
        std::wstring text;
    };
    const auto bomber = [](cJednostkaLotnicza& u) { u.m_Type = UNIT_STRATEGIC_BOMBER; };
    const std::vector<sCase> cases = {
        {"full strength", [](cJednostkaLotnicza& u, cPanstwo&) { u.m_Strength = 12; },
         &cJednostkaLotnicza::GetReinforceHint, false, L"This unit is at full strength."},
        {"a turn without supply", [](cJednostkaLotnicza& u, cPanstwo&) { u.m_TurnsWithoutSupply = 1; },
         &cJednostkaLotnicza::GetReinforceHint, false, L"Reinforcements cannot reach a unit without supply."},
        {"no source across", [](cJednostkaLotnicza& u, cPanstwo&) { u.m_SupplySourceX = -1; },
         &cJednostkaLotnicza::GetStrategicMoveHint, false, L"A strategic move needs a supply source; peace-time supply is not one."},
        {"no source down", [](cJednostkaLotnicza& u, cPanstwo&) { u.m_SupplySourceY = -1; },
         &cJednostkaLotnicza::GetStrategicMoveHint, false, L"A strategic move needs a supply source; peace-time supply is not one."},
        {"the last point of supply", [](cJednostkaLotnicza& u, cPanstwo&) { u.m_Supply = 1; },
         &cJednostkaLotnicza::GetStrategicMoveHint, true, L"Move this unit by rail to a city of its side."},
        {"no supply", [](cJednostkaLotnicza& u, cPanstwo&) { u.m_Supply = 0; },
         &cJednostkaLotnicza::GetStrategicMoveHint, false, L"A unit out of supply cannot make a strategic move."},
        {"a move after a turn without supply", [](cJednostkaLotnicza& u, cPanstwo&) { u.m_TurnsWithoutSupply = 1; },
         &cJednostkaLotnicza::GetStrategicMoveHint, false, L"A unit out of supply cannot make a strategic move."},
        {"a fight on no points", [](cJednostkaLotnicza& u, cPanstwo&) { u.m_ActionPoints = 0; },
         &cJednostkaLotnicza::GetAirFightHint, false, L"This unit has no action points left."},
        {"the last bomb", [&](cJednostkaLotnicza& u, cPanstwo&) { bomber(u); },
         &cJednostkaLotnicza::GetNuclearStrikeHint, true, L"Drop an atomic bomb on an enemy hex."},
        {"a strike on no points", [&](cJednostkaLotnicza& u, cPanstwo&) { bomber(u); u.m_ActionPoints = 0; },
         &cJednostkaLotnicza::GetNuclearStrikeHint, false, L"This unit has no action points left."},
        {"no enemy ground", [&](cJednostkaLotnicza& u, cPanstwo&) { bomber(u); g.Hex(4, 2).controller = 1; },
         &cJednostkaLotnicza::GetNuclearStrikeHint, false, L"No enemy hex is in range."},
        {"recon on the last point", [](cJednostkaLotnicza& u, cPanstwo&) { u.m_ActionPoints = 1; },
         &cJednostkaLotnicza::GetReconHint, true, L"Fly a reconnaissance mission."},
        {"recon on no points", [](cJednostkaLotnicza& u, cPanstwo&) { u.m_ActionPoints = 0; },
         &cJednostkaLotnicza::GetReconHint, false, L"This unit has no action points left."},
        {"a level short of PP", [](cJednostkaLotnicza&, cPanstwo& c) { c.PP = 5.0; },
         &cJednostkaLotnicza::GetLevelUpHint, false, L"You need 7.0 more production points to raise this unit a level."},
    };
    for (const sCase& c : cases) {
        cJednostkaLotnicza& u = *fighter;
        u.m_Type = UNIT_FIGHTER;
        u.m_ActionPoints = u.m_StartingActionPoints = 5;
        u.m_Strength = 11;
        u.m_Supply = 50;
        u.m_TurnsWithoutSupply = 0;
        u.m_SupplySourceX = u.m_X;
        u.m_SupplySourceY = u.m_Y;
        u.m_AirReconDone = false;
        cPanstwo& owner = g.Country(1);
        owner.PP = 30.0;
        owner.NuclearBombs = 1;
        g.Hex(4, 2).controller = 2;
        c.change(u, owner);
        std::wstring text;
        EXPECT_EQ((u.*c.hint)(&text), c.available) << c.what;
        EXPECT_EQ(text, c.text) << c.what;
    }

    // A unit whose type is no air type has no price to rise a level.
    fighter->m_Type = UNIT_INFANTRY;
    EXPECT_EQ(fighter->GetLevelUpCost(), 0.0f);
}
