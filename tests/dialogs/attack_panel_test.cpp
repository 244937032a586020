// The attack panel on Testland: the assault plan as the player assembles it.
#include <gtest/gtest.h>

#include <algorithm>

#include "core/format.h"
#include "dialogs/attack_panel.h"
#include "game/game.h"
#include "game/play_state.h"
#include "gui/controls.h"
#include "shell/links.h"
#include "tests/dialogs/dialog_bench.h"
#include "units/land_unit.h"

namespace {

class AttackPanel : public cDialogTest
{
protected:
    void SetUp() override
    {
        cDialogTest::SetUp();
        LoadTestland(2);
        panel = new cAttackPanel;
        g_AttackPanel = panel;
        panel->SetMinimized(false);
        // Valdonia's infantry at (7,6), attacked by Borussia.
        plan.defenderCategory = CATEGORY_LAND;
        plan.defenderId = 12;
        plan.x = 7;
        plan.y = 6;
    }
    void TearDown() override
    {
        g_AttackPanel = nullptr;
        delete panel;
        cDialogTest::TearDown();
    }
    void Show()
    {
        g_Gra->m_PlayState->SetOrderMode(ORDER_ASSAULT_PLAN);
        g_Gra->m_PlayState->SetAssaultPlan(plan);
        panel->Refresh();
    }
    std::wstring Memo() { return ControlOf<CDXUTMemo>(*panel, kAttackPanelAttackerNamesId, DXUT_CONTROL_MEMO)->GetText(); }
    double Number(int id) { return std::stod(TextOf(*panel, id)); }
    void CheckScreenWithPanel()
    {
        g_DialogLinks.renderPanels = [this](float elapsed) { panel->OnRender(elapsed); };
        CheckScreen("attack_panel");
    }

    cAttackPanel* panel = nullptr;
    sAssaultPlan plan;
};

TEST_F(AttackPanel, EachSideIsShownOnlyWhenItIsThereAndTheOddsOnlyWithBoth)
{
    for (int id : {kAttackPanelAttackerStrengthId, kAttackPanelDefenderStrengthId, kAttackPanelOddsId})
        EXPECT_EQ(TextOf(*panel, id), L"-");
    EXPECT_FALSE(panel->GetControl(kAttackPanelAttackerFlagId)->GetVisible());
    EXPECT_FALSE(panel->GetControl(kAttackPanelDefenderFlagId)->GetVisible());

    Show();
    EXPECT_EQ(TextOf(*panel, kAttackPanelDefenderNameId), L"Valdo Infantry");
    EXPECT_TRUE(panel->GetControl(kAttackPanelDefenderFlagId)->GetVisible());
    EXPECT_EQ(std::wstring(panel->GetControl(kAttackPanelDefenderFlagId)->GetHint()), L"Valdonia");
    EXPECT_EQ(TextOf(*panel, kAttackPanelAttackerStrengthId), L"-");
    EXPECT_EQ(TextOf(*panel, kAttackPanelOddsId), L"-");
    EXPECT_EQ(Memo(), L"");

    // Three attackers in slots 0, 2 and 5: three lines, in slot order.
    plan.attackerIds[0] = 4;
    plan.attackerIds[2] = 5;
    plan.attackerIds[5] = 8;
    Show();
    EXPECT_EQ(Memo(), L"1. Panzer,\n2. Motorised,\n4. Mech Corps");
    EXPECT_TRUE(panel->GetControl(kAttackPanelAttackerFlagId)->GetVisible());
    const std::wstring hint = panel->GetControl(kAttackPanelAttackerModId)->GetHint();
    EXPECT_EQ(hint.rfind(L"Armour: ", 0), 0u) << std::string(hint.begin(), hint.end());
    // The odds are the two shown effective strengths' ratio, truncated into 1 to 7.
    const int column = std::clamp(int(Number(kAttackPanelAttackerEffectiveId) / Number(kAttackPanelDefenderEffectiveId)), 1, 7);
    EXPECT_EQ(TextOf(*panel, kAttackPanelOddsId), FormatText(L"%i : 1", column));
    ASSERT_NO_FATAL_FAILURE(CheckScreenWithPanel());
}

TEST_F(AttackPanel, AWeakAttackIsOneToOneAndAnAttackOnNothingTheOverrunAtSeven)
{
    plan.attackerIds[1] = 5;
    g_Gra->FindLandUnitById(5)->m_Strength = 1;
    Show();
    EXPECT_EQ(TextOf(*panel, kAttackPanelOddsId), L"1 : 1");

    g_Gra->FindLandUnitById(5)->m_Strength = 100;
    g_Gra->FindLandUnitById(12)->m_Strength = 0;
    Show();
    EXPECT_EQ(TextOf(*panel, kAttackPanelOddsId), L"7 : 1");

    // The plan is gone: nothing is shown.
    g_Gra->m_PlayState->CancelAssaultPlan();
    panel->Refresh();
    EXPECT_EQ(TextOf(*panel, kAttackPanelOddsId), L"-");
    EXPECT_EQ(TextOf(*panel, kAttackPanelDefenderNameId), L"");
}

} // namespace
