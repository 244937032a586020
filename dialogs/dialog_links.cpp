#include "dialogs/dialog_links.h"

#include "core/lock.h"
#include "dialogs/attack_panel.h"
#include "dialogs/cheats_dialog.h"
#include "dialogs/choice_dialog.h"
#include "dialogs/commanders_dialog.h"
#include "dialogs/confirm_dialog.h"
#include "dialogs/convoys_dialog.h"
#include "dialogs/diplomacy_panel.h"
#include "dialogs/purchase_dialog.h"
#include "dialogs/replacements_dialog.h"
#include "dialogs/reports_dialog.h"
#include "dialogs/research_dialog.h"
#include "dialogs/unit_panel.h"
#include "dialogs/units_manager.h"
#include "game/play_state.h"
#include "dialogs/dialog_stack.h"
#include "dialogs/game_panels.h"
#include "dialogs/info_panel.h"
#include "dialogs/list_choice_dialog.h"
#include "dialogs/minimap_panel.h"
#include "dialogs/hex_panel.h"
#include "dialogs/message_dialog.h"
#include "dialogs/panel.h"
#include "dialogs/preferences_dialog.h"
#include "dialogs/request_openers.h"
#include "dialogs/save_dialog.h"
#include "dialogs/text_input_dialog.h"
#include "dialogs/unit_panel.h"
#include "game/game.h"
#include "gui/gui_hooks.h"

void InstallDialogLinks()
{
    sDialogLinks& links = g_DialogLinks;
    links.serveRequest = ServeDialogRequest;
    links.updateCountdown = UpdateDialogCountdown;
    links.closeAllDialogs = [] { CloseTopDialogs(-1); };
    links.pushMessage = [](const std::wstring& text, const std::wstring& title) {
        PushDialog(new cDialogTekstowy(text, title));
    };
    links.createGamePanels = CreateGamePanels;
    links.destroyGamePanels = DestroyGamePanels;
    links.renderPanels = RenderGamePanels;
    links.beginOtherSidePhase = [] {
        if (cInfoPanel* info = InfoPanel()) {
            info->RefreshPoints();
            info->ShowWaitIndicator();
        }
        if (cMinimapPanel* minimap = MinimapPanel())
            minimap->RefreshDateLabel();
        FoldPanelsForOtherSide();
    };
    links.beginPlayerPhase = [] {
        if (cInfoPanel* info = InfoPanel()) {
            info->RefreshPoints();
            info->HideWaitIndicator();
        }
        if (cMinimapPanel* minimap = MinimapPanel())
            minimap->RefreshDateLabel();
        RestorePanelsForPlayer();
    };
    links.hideWaitIndicator = [] {
        if (cInfoPanel* info = InfoPanel())
            info->HideWaitIndicator();
    };
    links.refreshPoints = [] {
        if (cInfoPanel* info = InfoPanel())
            info->RefreshPoints();
    };
    links.refreshDate = [] {
        if (cMinimapPanel* minimap = MinimapPanel())
            minimap->RefreshDateLabel();
    };
    links.setStatusText = [](const std::wstring& text) {
        if (cInfoPanel* info = InfoPanel())
            info->SetStatusText(text);
    };
    links.statusText = [] {
        cInfoPanel* info = InfoPanel();
        return info ? info->StatusText() : std::wstring();
    };
    links.setMinimapRect = [](int x, int y, int width, int height, int pictureWidth, int pictureHeight) {
        if (cMinimapPanel* minimap = MinimapPanel())
            minimap->SetMinimapRect(sLayoutRect{x, y, width, height}, pictureWidth, pictureHeight);
    };
    links.pressInfoPanelButton = [](int id) {
        if (cInfoPanel* info = InfoPanel())
            info->PressButton(id);
    };
    // The info and minimap panels' commands: each panel acts on its own controls.
    links.panelCommand = [](unsigned event, int id, CDXUTControl* control) {
        for (iPanelScreen* panel : {g_InfoPanel, g_MinimapPanel})
            if (panel)
                panel->OnGUIEvent(event, id, control);
    };
    if (!g_GameLink.onGuiEvent)
        g_GameLink.onGuiEvent = links.panelCommand;
    links.refreshHexPanel = [] {
        if (cHexPanel* panel = HexPanel())
            panel->Refresh();
    };
    links.refreshSelectionPanels = [] {
        if (cUnitPanel* unit = UnitPanel())
            unit->Refresh();
        if (cAttackPanel* attack = AttackPanel())
            attack->Refresh();
        if (cDiplomacyPanel* diplomacy = DiplomacyPanel())
            diplomacy->Refresh();
    };
    links.openPreferences = OpenPreferences;
    links.openSaveDialog = [] { PushDialog(new cDialogZapisuGry); };
    links.openCheats = [] { PushDialog(new cDialogCheatow); };
    g_UnitPanelWindows.commanders = [](cJednostka& unit) -> cDialog* { return new cDialogDowodcow(unit); };
    g_UnitPanelWindows.replacements = [](cJednostka& unit) -> cDialog* { return new cDialogUzupelnien(unit); };
    g_InfoPanelWindows.purchases = []() -> cDialog* { return new cDialogZakupow; };
    g_InfoPanelWindows.research = []() -> cDialog* { return new cDialogResearchu; };
    g_InfoPanelWindows.reports = []() -> cDialog* { return new cDialogStatystyk; };
    g_InfoPanelWindows.convoys = []() -> cDialog* { return new cDialogKonwojow; };
    g_InfoPanelWindows.units = []() -> cDialog* {
        const int countryId = g_Gra && g_Gra->m_PlayState ? g_Gra->m_PlayState->GetActiveCountryId() : 0;
        return countryId > 0 ? new cDialogJednostek(countryId) : nullptr;
    };
    SetDialogOpenQuery(IsDialogOpen);
    g_GuiHooks.coveredAbove = IsCoveredByWindowAbove;
}

void ResetWindowsMemory()
{
    g_UnitsMgrLandFilter = g_UnitsMgrAirFilter = g_UnitsMgrNavalFilter = ~0u;
    g_UnitsMgrAutoCenter = true;
    g_UnitsMgrToDeploy = 0;
    g_UnitsMgrSelectedUnit = sUnitsMgrChoice{};
    g_ConvoyPick = sConvoyPick{};
    g_ConfirmAnswer = false;
    g_CheatEventId = 0;
    g_TextInputResult.clear();
    g_DiplomacyChoice = kChoiceCancelled;
    g_ListDialogResult.clear();
    g_OfferedResolutions.clear();
    g_InfoPanelWindows = sInfoPanelWindows{};
    g_UnitPanelWindows = sUnitPanelWindows{};
    SetDialogOpenQuery(nullptr);
}
