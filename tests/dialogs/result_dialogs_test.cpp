// The combat-result and convoy-results windows: what they show, how they close, and when
// their requests open them at all.
#include <gtest/gtest.h>

#include "core/stringbase.h"
#include "core/text.h"
#include "dialogs/combat_result_dialog.h"
#include "dialogs/convoy_results_dialog.h"
#include "dialogs/request_openers.h"
#include "game/game.h"
#include "gui/controls.h"
#include "gui/gui_hooks.h"
#include "platform/font.h"
#include "tests/dialogs/dialog_bench.h"
#include "units/combat_result.h"

namespace {

using ResultDialogs = cDialogTest;

sCombatResult Battle()
{
    sCombatResult r;
    r.kind = COMBAT_LAND_BATTLE;
    r.attackerCountry = 1;
    r.defenderCountry = 2;
    r.attackerLoss = 1.5f;
    r.defenderLoss = 4.0f;
    r.attackerLossText = L"3rd Infantry Corps";
    r.defenderLossText = L"Border Guard Division";
    r.attackerInfo = L"Odds 3 : 1";
    r.defenderInfo = L"Forest, entrenched";
    r.defenderRetreated = true;
    r.defenderKilled = true;
    return r;
}

RequestHandle CombatRequest(const sCombatResult& result, int delayMs)
{
    sPresentationRequest data;
    data.kind = eRequestKind::CombatResult;
    data.combat = std::make_shared<sCombatResult>(result);
    data.delayMs = delayMs;
    return std::make_shared<cPresentationRequest>(data, 1);
}

TEST_F(ResultDialogs, CombatResultShowsBothSidesAndItsIconsInARow)
{
    LoadTestland(1);
    auto* dialog = new cDialogWynikuWalki(Battle(), -1.0f);
    PushDialog(dialog);
    EXPECT_EQ(TextOf(902), LangText("combatresult_land_battle_title"));
    EXPECT_NE(dialog->GetControl(903), nullptr);
    EXPECT_NE(dialog->GetControl(910), nullptr);
    const int column = LayoutRow(914).x;
    EXPECT_EQ(dialog->GetControl(7501)->m_x, column);
    EXPECT_EQ(dialog->GetControl(7503)->m_x, column + 70);
    EXPECT_EQ(dialog->GetControl(7500), nullptr);
    ASSERT_NO_FATAL_FAILURE(CheckScreen("combat_result_dialog"));
}

// An air strike met by interceptors tells more than a land battle: the window grows until
// both texts show whole, its buttons below them.
TEST_F(ResultDialogs, ALongAirStrikeReportShowsWholeInATallerWindow)
{
    LoadTestland(1);
    PushDialog(new cDialogWynikuWalki(LongAirStrike(), -1.0f));
    for (int id : {907, 914}) {
        auto* memo = static_cast<CDXUTMemo*>(Top()->GetControl(id));
        EXPECT_LE(memo->HeightForWholeText(), memo->m_height) << id;
        EXPECT_GT(memo->m_height, LayoutRow(id).height) << id;
        EXPECT_LT(memo->m_y + memo->m_height, Top()->GetControl(kCombatResultCloseId)->m_y);
    }
    ASSERT_NO_FATAL_FAILURE(CheckScreen("combat_result_air_strike"));
}

TEST_F(ResultDialogs, CombatResultTitlesFollowTheKindAndMissingCountriesShowNoFlag)
{
    for (int kind = -1; kind <= 10; ++kind)
        EXPECT_FALSE(LangText(CombatTitleKey(kind)).empty()) << kind;
    sCombatResult odd = Battle();
    odd.kind = 10;
    odd.attackerCountry = 0;
    odd.defenderRetreated = true;
    odd.defenderKilled = false;
    auto* dialog = new cDialogWynikuWalki(odd, 1000.0f);
    PushDialog(dialog);
    EXPECT_EQ(TextOf(902), LangText("combatresult_unknown_battle_title"));
    EXPECT_EQ(dialog->GetControl(903), nullptr);
    EXPECT_EQ(dialog->GetControl(7503)->m_x, LayoutRow(914).x);
}

TEST_F(ResultDialogs, CombatResultCountsDownPausesWithSpaceAndWaitsForAClickWhenAsked)
{
    PushDialog(new cDialogWynikuWalki(Battle(), 0.0f));
    Tick(0.02f);
    EXPECT_TRUE(OpenKinds().empty()) << "a delay of 0 closes on the next frame";

    double frameIn = 1e9;
    g_GuiHooks.frameWanted = [&frameIn](double seconds) { frameIn = std::min(frameIn, seconds); };
    PushDialog(new cDialogWynikuWalki(Battle(), 2000.0f));
    EXPECT_EQ(TextOf(kCombatResultStatusId), LangFormat("combatresult_timeout", 2.0)) << "it counts from the start";
    EXPECT_EQ(frameIn, 0.0) << "opened between two frames, it wakes the sleeping loop";
    frameIn = 1e9;
    Tick(0.5f);
    EXPECT_EQ(TextOf(kCombatResultStatusId), LangFormat("combatresult_timeout", 1.5));
    EXPECT_DOUBLE_EQ(frameIn, 0.5) << "its next frame is when the shown second changes";
    Key(VK_SPACE);
    EXPECT_EQ(TextOf(kCombatResultPauseId), LangText("combat_result_resume"));
    EXPECT_EQ(TextOf(kCombatResultStatusId), LangText("combatresult_waiting_for_click")) << "held, it names no time";
    Tick(5.0f);
    EXPECT_EQ(OpenKinds(), (std::vector<int>{kCombatResultDialogKind}));
    Click(kCombatResultPauseId);
    EXPECT_EQ(TextOf(kCombatResultStatusId), LangFormat("combatresult_timeout", 1.5));
    Tick(2.0f);
    EXPECT_TRUE(OpenKinds().empty());

    PushDialog(new cDialogWynikuWalki(Battle(), -1000.0f));
    Tick(60.0f);
    EXPECT_EQ(TextOf(kCombatResultStatusId), LangText("combatresult_waiting_for_click"));
    EXPECT_FALSE(Top()->GetControl(kCombatResultPauseId)->GetVisible()) << "nothing counts, nothing to pause";
    Key(VK_RETURN);
    EXPECT_TRUE(OpenKinds().empty());
}

TEST_F(ResultDialogs, ComputerCombatsWaitForTheClickThePlayerChoseAndANoShowDelayOpensNothing)
{
    LoadTestland(1);
    RequestHandle hidden = CombatRequest(Battle(), 0);
    ASSERT_TRUE(ServeDialogRequest(hidden));
    EXPECT_TRUE(hidden->IsComplete());
    EXPECT_TRUE(OpenKinds().empty());

    // Outside the player's phase, as in it: a delay of -1 waits for the click.
    for (int state : {9, 7}) {
        g_Gra->SetGameState(state);
        RequestHandle shown = CombatRequest(Battle(), -1);
        ASSERT_TRUE(ServeDialogRequest(shown));
        Tick(60.0f);
        EXPECT_FALSE(shown->IsComplete()) << state;
        EXPECT_EQ(TextOf(kCombatResultStatusId), LangText("combatresult_waiting_for_click")) << state;
        Click(kCombatResultCloseId);
        EXPECT_TRUE(shown->IsComplete()) << state;
    }

    g_Gra->SetGameState(9);
    RequestHandle timed = CombatRequest(Battle(), 2000);
    ASSERT_TRUE(ServeDialogRequest(timed));
    Tick(1.5f);
    EXPECT_FALSE(timed->IsComplete());
    Tick(1.0f);
    EXPECT_TRUE(timed->IsComplete());
}

TEST_F(ResultDialogs, ConvoyResultsListEveryRunAndShowTheChosenOnesDetails)
{
    LoadTestland(1);
    sPresentationRequest data;
    data.kind = eRequestKind::ConvoyResults;
    data.countryId = 1;
    auto& results = g_Gra->m_Convoys->Results[0];
    results.clear(); // what the new scenario's first supply pass ran
    RequestHandle none = std::make_shared<cPresentationRequest>(data, 1);
    ASSERT_TRUE(ServeDialogRequest(none));
    EXPECT_TRUE(none->IsComplete()) << "no results, no window";

    results.push_back({L"Dover", L"Calais", LangFormat("supply_for_%i_units", 12), 4, 4, 0, L"Success",
                       L"Dover - Channel - Calais: arrived.", L"", 0});
    results.push_back({L"Hull", L"Bergen", L"Resources (20 PP)", 6, 3, 3, L"Partial success",
                       L"Hull - North Sea - Bergen: a submarine sank half of it.", L"", 0});
    RequestHandle shown = std::make_shared<cPresentationRequest>(data, 2);
    ASSERT_TRUE(ServeDialogRequest(shown));
    auto* list = ControlOf<CDXUTListBox>(*Top(), kConvoyResultsListId, DXUT_CONTROL_LISTBOX);
    ASSERT_EQ(list->GetSize(), 2);
    cFont* font = Top()->GetFontObject(list->GetElement(0)->iFont);
    EXPECT_GE(list->GetColumns()[2].width, font->TextWidth(list->GetItem(0)->cells[2])) << "the cargo whole";
    EXPECT_EQ(list->GetItem(1)->cells,
              (std::vector<std::wstring>{L"Hull", L"Bergen", L"Resources (20 PP)", L"6", L"3", L"3", L"Partial success"}));
    // The figures are the sea transport points each convoy needed, used and lost, not the supply
    // or production it carries (a refused convoy shows none): the line over the list says so.
    EXPECT_NE(TextOf(964).find(L"sea transport points"), std::wstring::npos) << WideToUtf8(TextOf(964));
    auto* details = ControlOf<CDXUTMemo>(*Top(), kConvoyResultsDetailsId, DXUT_CONTROL_MEMO);
    EXPECT_EQ(details->GetText(), L"Dover - Channel - Calais: arrived.");
    list->SelectItem(1, true);
    EXPECT_EQ(details->GetText(), L"Hull - North Sea - Bergen: a submarine sank half of it.");
    ASSERT_NO_FATAL_FAILURE(CheckScreen("convoy_results_dialog"));
    // Enter closes it at once: no button is clicked, no click sounds.
    int clicks = 0;
    const auto shellSound = g_GuiHooks.playSound;
    g_GuiHooks.playSound = [&](unsigned, int, CDXUTControl*) { ++clicks; };
    Key(VK_RETURN);
    g_GuiHooks.playSound = shellSound;
    EXPECT_EQ(clicks, 0);
    EXPECT_TRUE(shown->IsComplete());
    EXPECT_TRUE(OpenKinds().empty());
    // Escape closes it as well; another key leaves it open.
    RequestHandle again = std::make_shared<cPresentationRequest>(data, 3);
    ASSERT_TRUE(ServeDialogRequest(again));
    Key('A');
    EXPECT_FALSE(again->IsComplete());
    Key(VK_ESCAPE);
    EXPECT_TRUE(again->IsComplete());
    EXPECT_TRUE(OpenKinds().empty());
}

} // namespace
