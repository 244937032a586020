#include "dialogs/combat_result_dialog.h"

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
constexpr int kIconSize = 40;
constexpr int kIconGap = 5;

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
    AddText(kCombatResultStatusId, LangText("combatresult_waiting_for_click"))->m_dwTextFormat = DT_CENTER | DT_VCENTER;
    AddButtonFromLayout(kCombatResultPauseId, LangText("combat_result_pause").c_str(),
                        LangText("combat_result_pause_hint").c_str());
    AddButtonFromLayout(kCombatResultCloseId, LangText("combat_result_close").c_str(),
                        LangText("combat_result_close_hint").c_str());

    m_Countdown = delayMs / 1000.0f;
    m_ExpiryAction = EXPIRY_CLOSE_TOP;
    m_CountdownPaused = delayMs < 0.0f;
}

void cDialogWynikuWalki::AddResultIcons(const sCombatResult& result)
{
    struct sIcon
    {
        int id;
        bool shown;
        gui_atlas::sRect cell;
        const char* hintKey;
    };
    const sIcon icons[] = {
        {7500, result.attackerKilled, gui_atlas::kResultDestroyed, "combatresult_att_killed_hint"},
        {7501, result.defenderKilled, gui_atlas::kResultDestroyed, "combatresult_def_killed_hint"},
        {7502, result.defenderSurrendered, gui_atlas::kResultSurrenders, "combatresult_def_surrenders_hint"},
        {7503, result.defenderRetreated, gui_atlas::kResultRetreats, "combatresult_def_retreats_hint"},
        {7504, result.cityAffected, gui_atlas::kResultCity, "combatresult_def_city_affected_hint"},
        {7505, result.portAffected, gui_atlas::kResultPort, "combatresult_defport_affected_hint"},
        {7506, result.navalDefenderKilled, gui_atlas::kResultNaval, "combatresult_def_naval_def_killed_hint"},
    };
    const sLayoutRect attacker = LayoutRow(kAttackerTextId);
    const sLayoutRect defender = LayoutRow(kDefenderTextId);
    int defenderX = defender.x;
    int shownForDefender = 0;
    for (const sIcon& icon : icons) {
        if (!icon.shown)
            continue;
        const bool forAttacker = icon.id == 7500;
        const sLayoutRect& column = forAttacker ? attacker : defender;
        const int x = forAttacker ? column.x : defenderX;
        CDXUTImage* image = nullptr;
        AddImage(icon.id, int(kGuiPictureSlot), icon.cell.left, icon.cell.top, icon.cell.right, icon.cell.bottom, x,
                 column.y + column.height + kIconGap, kIconSize, kIconSize, 0, false, &image);
        if (image) {
            image->SetHint(LangText(icon.hintKey));
            image->SetEnabled(true); // so that its hint shows
        }
        if (!forAttacker)
            defenderX += ++shownForDefender == 1 ? 70 : 50;
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

void cDialogWynikuWalki::OnTimer(float)
{
    if (auto* status = static_cast<CDXUTStatic*>(GetControl(kCombatResultStatusId, DXUT_CONTROL_STATIC)))
        status->SetText(LangFormat("combatresult_timeout", double(m_Countdown)));
}

void cDialogWynikuWalki::TogglePause()
{
    m_CountdownPaused = !m_CountdownPaused;
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
