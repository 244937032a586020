#include "dialogs/combat_result_dialog.h"

#include <algorithm>
#include <cmath>

#include "core/stringbase.h"
#include "dialogs/country_flag.h"
#include "gui/controls.h"
#include "gui/gui_atlas.h"
#include "gui/gui_hooks.h"
#include "units/combat_result.h"

namespace {

constexpr int kAttackerFlagId = 903;
constexpr int kDefenderFlagId = 910;
constexpr int kAttackerTextId = 907;
constexpr int kDefenderTextId = 914;
constexpr unsigned kAttackerFlagSlot = 3;
constexpr unsigned kDefenderFlagSlot = 4;
constexpr int kFirstIconId = 920; // its place and size; the others follow it

// Formatted whole however long (a nuclear strike lists every unit it destroyed): no fixed
// buffer cuts a side's report.
std::wstring SideText(const std::wstring& first, float loss, const std::wstring& second)
{
    return LangFormat("combat_result_main", first, double(loss), second);
}

} // namespace

cDialogWynikuWalki::cDialogWynikuWalki(const sCombatResult& result, float delayMs)
    : cDialog(kCombatResultDialogKind, LayoutRow(kCombatResultDialogKind))
{
    AddText(902, LangText(CombatTitleKey(result.kind)), true);
    if (result.attackerCountry > 0) {
        AddImageFromLayout(kAttackerFlagId, 0, 0, 0, kFlagPictureWidth, kFlagPictureHeight, nullptr);
        ShowCountryFlag(*this, kAttackerFlagId, result.attackerCountry, kAttackerFlagSlot);
    }
    if (result.defenderCountry > 0) {
        AddImageFromLayout(kDefenderFlagId, 0, 0, 0, kFlagPictureWidth, kFlagPictureHeight, nullptr);
        ShowCountryFlag(*this, kDefenderFlagId, result.defenderCountry, kDefenderFlagSlot);
    }
    AddMemoFromLayout(kAttackerTextId,
                      SideText(result.attackerLossText, result.attackerLoss, result.attackerInfo).c_str());
    AddMemoFromLayout(kDefenderTextId,
                      SideText(result.defenderLossText, result.defenderLoss, result.defenderInfo).c_str());
    AddResultIcons(result);
    AddText(kCombatResultStatusId, LangText("combatresult_waiting_for_click"));
    AddButtonFromLayout(kCombatResultPauseId, LangText("combat_result_pause").c_str(),
                        LangText("combat_result_pause_hint").c_str());
    AddButtonFromLayout(kCombatResultCloseId, LangText("combat_result_close").c_str(),
                        LangText("combat_result_close_hint").c_str());

    FitTexts();

    m_Countdown = delayMs / 1000.0f;
    m_ExpiryAction = EXPIRY_CLOSE_TOP;
    m_CountdownPaused = delayMs < 0.0f;
    // A report that waits for the click has nothing to pause.
    if (CDXUTControl* pause = GetControl(kCombatResultPauseId); pause && m_Countdown < 0.0f)
        pause->SetVisible(false);
    ShowCountdown();
}

void cDialogWynikuWalki::FitTexts()
{
    // A long report (an air strike with its escort and its interceptors) makes the window
    // taller, so that both sides' texts show whole: a report that closes itself in seconds
    // leaves no time to scroll. It moves up rather than leave the screen.
    int growth = 0;
    for (int id : {kAttackerTextId, kDefenderTextId})
        if (auto* memo = dynamic_cast<CDXUTMemo*>(GetControl(id)))
            growth = std::max(growth, memo->HeightForWholeText() - memo->m_height);
    CDXUTControl* frame = GetControl(kCombatResultDialogKind);
    const int screenHeight = LayoutRow(1).height;
    if (growth <= 0 || !frame || screenHeight <= 0)
        return;
    growth = std::min(growth, std::max(0, screenHeight - frame->m_height));
    const int lift = std::max(0, frame->m_y + frame->m_height + growth - screenHeight);
    const sLayoutRect text = LayoutRow(kAttackerTextId);
    const int belowTexts = text.y + text.height;
    for (int i = 0; i < GetControlCount(); ++i) {
        CDXUTControl* control = GetControlByIndex(i);
        const int id = control->GetID();
        if (control == frame || id == kAttackerTextId || id == kDefenderTextId)
            control->SetSize(control->m_width, control->m_height + growth);
        const int down = control->m_y >= belowTexts ? growth : 0;
        control->SetLocation(control->m_x, control->m_y + down - lift);
    }
}

void cDialogWynikuWalki::AddResultIcons(const sCombatResult& result)
{
    struct sIcon
    {
        int id;
        bool shown;
        int picture; // in gui_atlas::kResultPictures
        const char* hintKey;
    };
    const sIcon icons[] = {
        {7500, result.attackerKilled, 0, "combatresult_att_killed_hint"},
        {7501, result.defenderKilled, 0, "combatresult_def_killed_hint"},
        {7502, result.defenderSurrendered, 1, "combatresult_def_surrenders_hint"},
        {7503, result.defenderRetreated, 2, "combatresult_def_retreats_hint"},
        {7504, result.cityAffected, 3, "combatresult_def_city_affected_hint"},
        {7505, result.portAffected, 4, "combatresult_defport_affected_hint"},
        {7506, result.navalDefenderKilled, 5, "combatresult_def_naval_def_killed_hint"},
    };
    // The toolkit puts every position in the screen size's layout file, where this window's
    // icons are given in pixels: row 920 holds them (at 1024 x 768 40 x 40, 5 under the text).
    const sLayoutRect first = LayoutRow(kFirstIconId);
    // The defender's pictures start under its text as the attacker's do under theirs, the
    // first a little apart from the rest.
    int defenderX = first.x + LayoutRow(kDefenderTextId).x - LayoutRow(kAttackerTextId).x;
    int shownForDefender = 0;
    for (const sIcon& icon : icons) {
        if (!icon.shown)
            continue;
        const bool forAttacker = icon.id == 7500;
        const int x = forAttacker ? first.x : defenderX;
        // Our GUI picture is our art generator's: it draws each result picture at every size a
        // layout shows it, where gui_atlas.h says, and the cell of the shown size is cut.
        const gui_atlas::sRect cell = gui_atlas::ResultPicture(icon.picture, first.width, first.height);
        CDXUTImage* image = nullptr;
        AddImage(icon.id, int(kGuiPictureSlot), cell.left, cell.top, cell.right, cell.bottom, x, first.y, first.width,
                 first.height, 0, false, &image);
        if (image) {
            image->SetHint(LangText(icon.hintKey));
            image->SetEnabled(true); // so that its hint shows
        }
        if (!forAttacker)
            defenderX += first.width * (++shownForDefender == 1 ? 70 : 50) / 40;
    }
}

void cDialogWynikuWalki::OnGUIEvent(unsigned, int controlId, CDXUTControl*)
{
    if (controlId == kCombatResultPauseId)
        TogglePause();
    else if (controlId == kCombatResultCloseId)
        OnClosePressed();
}

void cDialogWynikuWalki::OnKeyboard(unsigned key, bool keyDown, bool)
{
    if (!keyDown)
        return;
    if (key == VK_RETURN || key == VK_ESCAPE)
        OnClosePressed();
    else if (key == VK_SPACE)
        TogglePause();
}

void cDialogWynikuWalki::OnTimer(float) { ShowCountdown(); }

void cDialogWynikuWalki::ShowCountdown()
{
    // Held, it closes only at a click: a time left standing would say it closes by itself.
    const bool counting = !m_CountdownPaused && m_Countdown >= 0.0f;
    // Whole seconds, rounded up: the next frame is due when the shown second changes, not
    // on every frame the loop could draw.
    const double shown = std::ceil(double(m_Countdown));
    if (counting)
        GuiWantFrameIn(double(m_Countdown) - (shown - 1.0));
    if (auto* status = static_cast<CDXUTStatic*>(GetControl(kCombatResultStatusId, DXUT_CONTROL_STATIC)))
        status->SetText(counting ? LangFormat("combatresult_timeout", shown)
                                 : LangText("combatresult_waiting_for_click"));
}

void cDialogWynikuWalki::TogglePause()
{
    if (m_Countdown < 0.0f)
        return;
    m_CountdownPaused = !m_CountdownPaused;
    ShowCountdown();
    auto* button = static_cast<CDXUTButton*>(GetControl(kCombatResultPauseId, DXUT_CONTROL_BUTTON));
    if (!button)
        return;
    if (m_CountdownPaused) {
        button->SetText(LangText("combat_result_resume"));
        button->SetHint(LangText("combat_result_resume_hint"));
    } else {
        button->SetText(LangText("combat_result_pause"));
        button->SetHint(LangText("combat_result_pause_hint"));
    }
    GuiSetHintControl(button, true);
}

void cDialogWynikuWalki::OnClosePressed()
{
    m_Countdown = 0.0f;
    CloseTopDialogs(1);
}
