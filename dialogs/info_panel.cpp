#include "dialogs/info_panel.h"

#include <algorithm>
#include <climits>
#include <cmath>

#include "core/stringbase.h"
#include "dialogs/country_flag.h"
#include "dialogs/end_turn_dialog.h"
#include "dialogs/hotkeys_dialog.h"
#include "core/lock.h"
#include "core/settings.h"
#include "game/game.h"
#include "game/play_state.h"
#include "gui/controls.h"
#include "gui/gui_atlas.h"
#include "gui/gui_hooks.h"
#include "shell/frame_callbacks.h"
#include "world/country.h"

sInfoPanelWindows g_InfoPanelWindows;

namespace {

constexpr unsigned kFlagSlot = 3;
constexpr int kWaitFrameMs = 200;
const int kFoldButtons[] = {kFoldUnitPanelId, kFoldHexPanelId, kFoldDiplomacyPanelId, kFoldAttackPanelId};

// A texture area the layout table names (rows kept as left, top, right, bottom).
sRect TextureArea(int row)
{
    const sLayoutRect r = LayoutRow(row);
    return {r.x, r.y, r.width, r.height};
}

CDXUTStatic* Counter(CDXUTDialog& dialog, int id) { return static_cast<CDXUTStatic*>(dialog.GetControl(id, DXUT_CONTROL_STATIC)); }

} // namespace

cInfoPanel* InfoPanel() { return dynamic_cast<cInfoPanel*>(g_InfoPanel); }

bool IsPlayersPhase()
{
    const int state = g_Gra ? g_Gra->GetGameState() : -1;
    return (state == 7 || state == 8) && !g_Gra->m_GameOver;
}

namespace {

// After the war the windows that only show what happened still open; nothing else does.
bool OpensAfterTheWar(int id) { return id == kReportsButtonId || id == kHotkeysButtonId; }

bool IsWarOverOnScreen() { return g_Gra && g_Gra->m_GameOver && g_Gra->GetGameState() == 7; }

bool ButtonActsNow(int id) { return IsPlayersPhase() || (IsWarOverOnScreen() && OpensAfterTheWar(id)); }

struct sWindowButton
{
    int id;
    int column;
    const char* hintKey;
};

const sWindowButton kWindowButtons[] = {
    {kPurchasesButtonId, gui_atlas::kColumnPurchase, "open_purchase_window"},
    {kUnitsButtonId, gui_atlas::kColumnUnits, "open_units_management_window"},
    {kResearchButtonId, gui_atlas::kColumnResearch, "open_research_management_window"},
    {kReportsButtonId, gui_atlas::kColumnReports, "open_reports_window"},
    {kConvoysButtonId, gui_atlas::kColumnConvoys, "open_convoys_management_window"},
    {kPauseButtonId, gui_atlas::kColumnPauseMenu, "open_options_screen"},
    {kEndTurnButtonId, gui_atlas::kColumnEndTurn, "finish_turn"},
    {kHotkeysButtonId, gui_atlas::kColumnHotkeys, "open_hotkeys_screen"},
};

} // namespace

cInfoPanel::cInfoPanel() : cPanel(-1, LayoutRow(kInfoPanelRow))
{
    auto addPicture = [this](int id, int textureRow) {
        const sRect area = TextureArea(textureRow);
        AddGuiPicture(id, area.left, area.top, area.right, area.bottom);
    };
    addPicture(kInfoPanelRow, 3);
    // A long report of the computer's breaks onto a second line rather than being cut off.
    AddText(kInfoStatusId, L"-")->m_dwTextFormat = DT_CENTER | DT_VCENTER | DT_WORDBREAK;
    addPicture(330, 6);
    AddImageFromLayout(kInfoFlagId, 0, 0, 0, kFlagPictureWidth, kFlagPictureHeight, LangText("your_country_flag").c_str());
    if (CDXUTControl* flag = GetControl(kInfoFlagId))
        flag->SetVisible(false);
    AddText(kInfoCountryNameId, L"-")->m_dwTextFormat = DT_CENTER | DT_VCENTER;
    struct sCounter
    {
        int id;
        const char* label;
        const char* hint;
    };
    const sCounter counters[] = {
        {kInfoProductionId, "infopanel_production_points", "infopanel_production_points_hint"},
        {kInfoDiplomacyId, "infopanel_diplomacy_points", "infopanel_diplomacy_points_hint"},
        {kInfoStrategicId, "infopanel_strategic_moves_points", "infopanel_strategic_moves_points_hint"},
        {kInfoSeaTransportId, "infopanel_sea_transport_points", "infopanel_sea_transport_points_hint"},
        {kInfoInvasionId, "infopanel_sea_invasion_points", "infopanel_sea_invasion_points_hint"},
        {kInfoNuclearId, "infopanel_nuclear_bombs", "infopanel_nuclear_bombs_hint"},
    };
    for (const sCounter& counter : counters) {
        // Each number has its caption beside it, at the next id: our panel picture carries
        // no words (every text comes from the language table), so the names stand as texts.
        AddText(counter.id + 1, LangText(counter.label));
        CDXUTStatic* value = AddText(counter.id, L"-");
        value->m_dwTextFormat = DT_RIGHT | DT_VCENTER;
        value->SetHint(LangText(counter.hint));
        value->SetEnabled(true);
    }
    struct sFold
    {
        int id;
        int column; // in gui_atlas::kFoldButtonOrder
        uint32_t hotkey;
        const char* hint;
    };
    const sFold folds[] = {
        {kFoldUnitPanelId, 0, 'U', "unitpanel_hint"},
        {kFoldHexPanelId, 1, 'H', "hexpanel_hint"},
        {kFoldAttackPanelId, 2, 'A', "attackpanel_hint"},
        {kFoldDiplomacyPanelId, 3, 'D', "diplomacypanel_hint"},
    };
    for (const sFold& fold : folds) {
        const sLayoutRect at = LayoutRow(fold.id);
        CDXUTIcon* icon = nullptr;
        // The pictures drawn at the button's own size, where the atlas has them.
        const gui_atlas::sRect cell = gui_atlas::FoldButton(fold.column, at.width);
        AddIcon(fold.id, cell.left, cell.top, cell.right, cell.bottom, at.x, at.y, at.width, at.height, fold.hotkey,
                false, &icon);
        if (icon) {
            icon->SetHint(LangText(fold.hint));
            icon->m_bDraggable = true;
        }
    }
    // The wait image is placed by the fold buttons' rows, as every control by its screen
    // size's layout file rather than at a fixed corner, where our panel has its counters: a
    // square in the middle of the buttons' home place, placed once (a button dragged away
    // leaves that place to it). Its two frames are our art generator's (gui_atlas.h).
    sRect folded{INT_MAX, INT_MAX, INT_MIN, INT_MIN};
    for (const sFold& fold : folds) {
        const sLayoutRect at = LayoutRow(fold.id);
        folded = sRect{std::min(folded.left, at.x), std::min(folded.top, at.y), std::max(folded.right, at.x + at.width),
                       std::max(folded.bottom, at.y + at.height)};
    }
    const int side = std::min(folded.Width(), folded.Height());
    const gui_atlas::sRect wait = gui_atlas::kWaitFrames[0];
    CDXUTImage* waitImage = nullptr;
    AddImage(kWaitImageId, int(kGuiPictureSlot), wait.left, wait.top, wait.right, wait.bottom,
             folded.left + (folded.Width() - side) / 2, folded.top + (folded.Height() - side) / 2, side, side, 0, false,
             &waitImage);
    if (waitImage)
        waitImage->SetVisible(false);
    addPicture(335, 5);
    for (const sWindowButton& button : kWindowButtons)
        AddWindowButton(button.id, button.column, button.hintKey);
    SetCallback(CommandGUIEvent);
}

void cInfoPanel::AddWindowButton(int id, int column, const char* hintKey)
{
    // Row 14: the first cell of the buttons' grid and the size of a cell.
    const sLayoutRect grid = LayoutRow(14);
    const sLayoutRect at = LayoutRow(id);
    const int left = grid.x + column * grid.width;
    CDXUTIcon* icon = nullptr;
    AddIcon(id, left, grid.y, left + grid.width, grid.y + grid.height, at.x, at.y, at.width, at.height, 0, false, &icon);
    if (icon)
        icon->SetHint(LangText(hintKey));
}

void cInfoPanel::OnRender(float elapsed)
{
    auto* wait = static_cast<CDXUTImage*>(GetControl(kWaitImageId, DXUT_CONTROL_IMAGE));
    // The radar turns while the computer plays. While a window waits for the person's answer,
    // or the pause menu holds play, nothing plays: the radar stands, and no frame is drawn
    // until the person does something (turning, it redrew the whole screen five times a second).
    if (wait && wait->GetVisible() && !IsAnswerAwaited() && !IsPlayPaused()) {
        // The GUI's clock, which the main loop wakes for and tests drive.
        const long long ms = (long long)(GuiTime() * 1000.0);
        const int frame = int((ms / kWaitFrameMs) % 2);
        const gui_atlas::sRect cell = gui_atlas::kWaitFrames[frame];
        wait->SetTextureRect(sRect{cell.left, cell.top, cell.right, cell.bottom});
        GuiWantFrameIn(double(kWaitFrameMs - ms % kWaitFrameMs) / 1000.0);
    }
    cDialog::OnRender(elapsed);
}

void cInfoPanel::RefreshPoints()
{
    cWindowLock lock;
    const cPlayState* play = g_Gra ? g_Gra->m_PlayState : nullptr;
    const cPanstwo* country = play ? play->GetActiveCountry() : nullptr;
    // The country that closes the turn order is nobody's: the panel names the side the screen
    // shows instead, once that is a real country's.
    if (const cPanstwo* view = play ? play->GetViewCountry() : nullptr;
        country && country->SpecialFlags == 1 && view && view->SpecialFlags != 1)
        country = view;
    if (!country)
        return;
    if (CDXUTControl* flag = GetControl(kInfoFlagId)) {
        ShowCountryFlag(*this, kInfoFlagId, country->ID, kFlagSlot);
        flag->SetVisible(true);
    }
    Counter(*this, kInfoCountryNameId)->SetText(country->Name);
    // Under a computer's flag the person's points would read as that country's: none are shown;
    // nor a person's outside their own phase, theirs to see once their turn is announced. A
    // country handed to the computer in its person's phase (F12) is still played by that person
    // to the end of the turn, and its points are still theirs to spend.
    const int state = g_Gra->GetGameState();
    const bool ownPhase = state == 2 || state == 7 || state == 8 || state == 12;
    if (!ownPhase || (!country->HumanControlled && g_Gra->m_GameOver)) {
        for (int id : {kInfoProductionId, kInfoDiplomacyId, kInfoStrategicId, kInfoSeaTransportId, kInfoInvasionId,
                       kInfoNuclearId})
            Counter(*this, id)->SetText(L"-");
        return;
    }
    // The whole points the country has, not rounded up: 47.62 shown as 48 would promise a
    // purchase of 47.9 that cannot be paid.
    Counter(*this, kInfoProductionId)->SetText(FormatText(L"%.0f", std::floor(country->PP)));
    Counter(*this, kInfoDiplomacyId)->SetText(FormatText(L"%i", country->DP));
    Counter(*this, kInfoStrategicId)->SetText(LangFormat("%i/%i", country->SMP, country->SMPMax));
    Counter(*this, kInfoSeaTransportId)->SetText(FormatText(L"%i", country->STP));
    Counter(*this, kInfoInvasionId)->SetText(LangFormat("%i/%i", country->AIP, country->AIPMax));
    Counter(*this, kInfoNuclearId)->SetText(FormatText(L"%i", country->NuclearBombs));
}

void cInfoPanel::SetStatusText(const std::wstring& text)
{
    // In the states of the computer's play (end of impulse, sea battles, its phase and the
    // states between) the line changes under the global lock, traced as every hold is.
    const int state = g_Gra ? g_Gra->GetGameState() : -1;
    if (state == 3 || state == 4 || state == 9 || state == 10 || state == 11) {
        GLOBAL_LOCK_SCOPE();
        Counter(*this, kInfoStatusId)->SetText(text);
        return;
    }
    Counter(*this, kInfoStatusId)->SetText(text);
}

std::wstring cInfoPanel::StatusText()
{
    cWindowLock lock;
    return Counter(*this, kInfoStatusId)->GetText();
}

void cInfoPanel::ShowFoldButtons(bool shown)
{
    for (int id : kFoldButtons)
        if (CDXUTControl* button = GetControl(id))
            button->SetVisible(shown);
    if (CDXUTControl* wait = GetControl(kWaitImageId))
        wait->SetVisible(!shown);
}

void cInfoPanel::EnableWindowButtons(bool enabled)
{
    // The pause button stays, as Escape does: without it a person could leave a long
    // computer turn only by closing the window.
    const bool warOver = g_Gra && g_Gra->m_GameOver;
    for (const sWindowButton& b : kWindowButtons) {
        CDXUTControl* button = b.id == kPauseButtonId ? nullptr : GetControl(b.id);
        if (!button)
            continue;
        const bool acts = enabled && (!warOver || OpensAfterTheWar(b.id));
        button->SetEnabled(acts);
        // A greyed button says why, as every order that cannot be given does.
        const char* why = acts ? nullptr : warOver ? "infopanel_button_hint_war_over" : "infopanel_button_hint_not_your_turn";
        button->SetHint(why ? LangText(b.hintKey) + L"\n" + LangText(why) : LangText(b.hintKey));
    }
}

void cInfoPanel::ShowWaitIndicator()
{
    cWindowLock lock;
    EnableNonUserEvents(false);
    EnableKeyboardInput(false);
    // Mouse input stays on for the pause button: else a person could leave a long computer turn
    // only by closing the window.
    EnableMouseInput(true);
    EnableWindowButtons(false);
    ShowFoldButtons(false);
}

void cInfoPanel::HideWaitIndicator()
{
    cWindowLock lock;
    EnableMouseInput(true);
    EnableKeyboardInput(false);
    EnableWindowButtons(true);
    ShowFoldButtons(true);
}

void cInfoPanel::PressButton(int id)
{
    if (!ButtonActsNow(id) || IsAnswerAwaited())
        return;
    CDXUTControl* button = GetControl(id);
    if (!button)
        return;
    EnableNonUserEvents(true);
    SendEvent(EVENT_BUTTON_CLICKED, true, button);
    EnableNonUserEvents(false);
}

void cInfoPanel::OnGUIEvent(unsigned, int controlId, CDXUTControl*)
{
    switch (controlId) {
    case kFoldUnitPanelId: OnFoldPressed(g_UnitPanel); return;
    case kFoldHexPanelId: OnFoldPressed(g_HexPanel); return;
    case kFoldAttackPanelId: OnFoldPressed(g_AttackPanel); return;
    case kFoldDiplomacyPanelId: OnFoldPressed(g_DiplomacyPanel); return;
    default: break;
    }
    // The pause menu opens in every phase; in the player's it closes the top window, so not
    // while a window waits for its answer there.
    if (controlId == kPauseButtonId) {
        if (!IsPlayersPhase() || !IsAnswerAwaited())
            OnPausePressed();
        return;
    }
    // The window buttons act in the player's phase only, and never while a window waits
    // for its answer: closing it unanswered would lose the answer.
    if (!ButtonActsNow(controlId) || IsAnswerAwaited())
        return;
    switch (controlId) {
    case kPurchasesButtonId: OnPurchasesPressed(); break;
    case kUnitsButtonId: OnUnitsPressed(); break;
    case kResearchButtonId: OnResearchPressed(); break;
    case kReportsButtonId: OnReportsPressed(); break;
    case kConvoysButtonId: OnConvoysPressed(); break;
    case kEndTurnButtonId: OnEndTurnPressed(); break;
    case kHotkeysButtonId: OnHotkeysPressed(); break;
    default: break;
    }
}

void cInfoPanel::ToggleWindow(int kind, const std::function<cDialog*()>& make)
{
    if (FindOpenDialogByKind(kind))
        CloseDialogsDownToKind(kind);
    else if (make)
        PushDialog(make());
}

void cInfoPanel::OnPurchasesPressed() { ToggleWindow(740, g_InfoPanelWindows.purchases); }
void cInfoPanel::OnUnitsPressed() { ToggleWindow(480, g_InfoPanelWindows.units); }
void cInfoPanel::OnResearchPressed() { ToggleWindow(790, g_InfoPanelWindows.research); }
void cInfoPanel::OnReportsPressed() { ToggleWindow(810, g_InfoPanelWindows.reports); }
void cInfoPanel::OnConvoysPressed() { ToggleWindow(940, g_InfoPanelWindows.convoys); }

void cInfoPanel::OnHotkeysPressed()
{
    ToggleWindow(kHotkeysDialogKind, [] { return new cDialogSkrotowKlawiszowych; });
}

void cInfoPanel::OnPausePressed()
{
    if (g_ShellLinks.openPauseMenu)
        g_ShellLinks.openPauseMenu();
}

void cInfoPanel::OnEndTurnPressed()
{
    // Only the player's own phase ends, not a move still on its way.
    if (!g_Gra || g_Gra->GetGameState() != 7)
        return;
    if (!g_UserSettings.skipEndTurnConfirmation)
        PushDialog(new cDialogPotwKoncaTury);
    else if (g_ShellLinks.endTurnFromMainThread)
        g_ShellLinks.endTurnFromMainThread();
}

void cInfoPanel::OnFoldPressed(iPanelScreen* screen)
{
    cPanel* panel = PanelOf(screen);
    if (!panel)
        return;
    // A panel folded away is not being dragged any more.
    if (!panel->GetMinimized())
        CDXUTDialog::CancelControlDrag();
    panel->SetMinimized(!panel->GetMinimized());
    if (!panel->GetMinimized())
        BringPanelToFront(screen);
}
