// The attack panel on Testland: the assault plan as the player assembles it.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <utility>
#include <vector>

#include "core/format.h"
#include "core/stringbase.h"
#include "dialogs/attack_panel.h"
#include "dialogs/unit_panel.h"
#include "game/game.h"
#include "game/play_state.h"
#include "gui/controls.h"
#include "shell/links.h"
#include "shell/shell_presentation.h"
#include "tests/dialogs/dialog_bench.h"
#include "units/land_unit.h"
#include "world/country.h"

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
    // Before any attack the modifier boxes are empty and tell what they will show.
    for (int id : {kAttackPanelAttackerStrengthId, kAttackPanelDefenderStrengthId, kAttackPanelOddsId})
        EXPECT_EQ(TextOf(*panel, id), L"-");
    EXPECT_EQ(TextOf(*panel, kAttackPanelAttackerModId), L"");
    EXPECT_EQ(HintOf(panel->GetControl(kAttackPanelAttackerModId)), LangText("attack_panel_att_mod_hint"));
    EXPECT_EQ(HintOf(panel->GetControl(kAttackPanelDefenderModId)), LangText("attack_panel_def_mod_hint"));
    panel->Refresh();
    EXPECT_EQ(TextOf(*panel, kAttackPanelAttackerModId), L"-");
    EXPECT_EQ(HintOf(panel->GetControl(kAttackPanelAttackerModId)), L"");
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

// A plan given up by another order or by the turn passing is taken off the panel at once,
// not at the next click on the map.
TEST_F(AttackPanel, APlanGivenUpByTheUnitPanelsStrategicMoveOrTheNextCountryIsShownNoMore)
{
    SetPresentation(&ShellPresentation());
    cUnitPanel units;
    g_UnitPanel = &units;
    units.SetMinimized(false);
    plan.attackerIds[1] = 5;
    const cJednostkaLadowa* attacker = g_Gra->FindLandUnitById(5);
    const std::vector<std::pair<const char*, std::function<void()>>> cases = {
        {"strategic move",
         [&] {
             g_Gra->m_PlayState->SelectHex(attacker->m_X, attacker->m_Y);
             ASSERT_TRUE(units.GetControl(kUnitPanelStrategicMoveId)->GetEnabled());
             Click(units, kUnitPanelStrategicMoveId);
             EXPECT_EQ(g_Gra->m_PlayState->GetOrderMode(), ORDER_STRATEGIC_MOVE);
         }},
        {"next country", [] { g_Gra->m_PlayState->SetActiveCountry(GetCountry(1)); }},
    };
    for (const auto& [name, giveUp] : cases) {
        SCOPED_TRACE(name);
        Show();
        ASSERT_NE(TextOf(*panel, kAttackPanelOddsId), L"-");
        giveUp();
        EXPECT_EQ(TextOf(*panel, kAttackPanelOddsId), L"-");
        EXPECT_EQ(TextOf(*panel, kAttackPanelDefenderNameId), L"");
        EXPECT_EQ(Memo(), L"");
    }
    g_UnitPanel = nullptr;
}

} // namespace
