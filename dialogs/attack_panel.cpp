#include "dialogs/attack_panel.h"

#include "core/format.h"
#include "core/stringbase.h"
#include "dialogs/country_flag.h"
#include "game/game.h"
#include "game/play_state.h"
#include "gui/controls.h"
#include "shell/dialog_builders.h"
#include "units/land_attack.h"
#include "units/unit.h"
#include "world/country.h"

namespace {

constexpr unsigned kAttackerFlagSlot = 3;
constexpr unsigned kDefenderFlagSlot = 4;

} // namespace

cAttackPanel* AttackPanel() { return dynamic_cast<cAttackPanel*>(g_AttackPanel); }

cAttackPanel::cAttackPanel() : cPanel(kAttackPanelFrameId, LayoutRow(kAttackPanelFrameId))
{
    AddMemoWithCaption(this, kAttackPanelAttackerNamesId, L"", nullptr, 463, LangText("attack_panel_att_name").c_str());
    if (CDXUTControl* memo = GetControl(kAttackPanelAttackerNamesId))
        memo->SetHint(LangText("attack_panel_att_name_hint"));
    AddImageFromLayout(kAttackPanelAttackerFlagId, 0, 0, 0, kFlagPictureWidth, kFlagPictureHeight, nullptr);
    struct sBox
    {
        int id;
        int caption;
        const char* key;
        const wchar_t* text;
    };
    const sBox boxes[] = {
        {kAttackPanelAttackerStrengthId, 466, "attack_panel_att_strength", L"-"},
        {kAttackPanelAttackerModId, 468, "attack_panel_att_mod", L""},
        {kAttackPanelAttackerEffectiveId, 470, "attack_panel_att_effective_strength", L"-"},
        {kAttackPanelDefenderNameId, 453, "attack_panel_def_name", L""},
        {kAttackPanelDefenderStrengthId, 456, "attack_panel_def_strength", L"-"},
        {kAttackPanelDefenderModId, 458, "attack_panel_def_mod", L""},
        {kAttackPanelDefenderEffectiveId, 460, "attack_panel_def_effective_strength", L"-"},
        {kAttackPanelOddsId, 472, "attack_panel_def_column", L"-"},
    };
    for (const sBox& box : boxes) {
        const std::string key = box.key;
        AddReadOnlyEditBox(this, box.id, box.text, LangText(key + "_hint").c_str(), box.caption,
                           LangText(key).c_str());
        // The defender's flag stands after its name, as the attacker's after theirs.
        if (box.id == kAttackPanelDefenderNameId)
            AddImageFromLayout(kAttackPanelDefenderFlagId, 0, 0, 0, kFlagPictureWidth, kFlagPictureHeight, nullptr);
    }
    if (auto* name = static_cast<CDXUTEditBox*>(GetControl(kAttackPanelDefenderNameId, DXUT_CONTROL_EDITBOX)))
        name->SetBorderWidth(4);
}

void cAttackPanel::SetBox(int id, const std::wstring& text)
{
    if (auto* box = static_cast<CDXUTEditBox*>(GetControl(id, DXUT_CONTROL_EDITBOX)))
        box->SetText(text.c_str());
}

void cAttackPanel::SetBoxHint(int id, const std::wstring& hint)
{
    if (CDXUTControl* control = GetControl(id))
        control->SetHint(hint);
}

void cAttackPanel::Refresh()
{
    // Under the lock: the units read here are the opponent's thread's to change.
    cWindowLock lock;
    // The plan holds ids, as every record that outlives a click (a unit may die while it is
    // planned): the attack is built anew at each refresh and never kept.
    sLandAttack attack;
    const bool planned = g_Gra && g_Gra->m_PlayState && g_Gra->m_PlayState->BuildAssault(attack);
    const sLandAttack* shown = planned ? &attack : nullptr;
    ShowAttackers(shown && attack.CountAttackers() > 0 ? shown : nullptr);
    ShowDefender(shown && attack.defender ? shown : nullptr);
    // The column comes as the combat will read it: a defence of nothing is the overrun.
    if (shown && attack.CountAttackers() > 0 && attack.defender)
        SetBox(kAttackPanelOddsId, FormatText(L"%i : 1", attack.GetOddsColumn()));
    else
        SetBox(kAttackPanelOddsId, L"-");
}

void cAttackPanel::ShowAttackers(const sLandAttack* attack)
{
    auto* memo = static_cast<CDXUTMemo*>(GetControl(kAttackPanelAttackerNamesId, DXUT_CONTROL_MEMO));
    CDXUTControl* flag = GetControl(kAttackPanelAttackerFlagId);
    if (!attack) {
        if (memo)
            memo->SetText(L"");
        if (flag)
            flag->SetVisible(false);
        SetBox(kAttackPanelAttackerStrengthId, L"-");
        SetBox(kAttackPanelAttackerModId, L"-");
        SetBoxHint(kAttackPanelAttackerModId, L"");
        SetBox(kAttackPanelAttackerEffectiveId, L"-");
        return;
    }
    std::wstring names;
    for (const cUnit* unit : attack->attackers)
        if (unit)
            names += (names.empty() ? L"" : L",\n") + unit->m_Name;
    if (memo)
        memo->SetText(names.c_str());
    if (const cPanstwo* owner = attack->GetFirstAttackerOwner(); owner && flag) {
        ShowCountryFlag(*this, kAttackPanelAttackerFlagId, owner->ID, kAttackerFlagSlot);
        flag->SetHint(owner->Name);
        flag->SetVisible(true);
    }
    const float strength = attack->GetAttackStrength();
    const float factor = attack->GetAttackFactor();
    SetBox(kAttackPanelAttackerStrengthId, FormatText(L"%.2f", double(strength)));
    SetBox(kAttackPanelAttackerModId, FormatText(L"%.0f%%", double(factor * 100.0f)));
    // The breakdown's words stand in the language table, as every text a player reads.
    SetBoxHint(kAttackPanelAttackerModId,
               LangFormat("attack_panel_att_mod_details", double(attack->GetArmourFactor() * 100.0f),
                          double(attack->GetDirectionsFactor() * 100.0f),
                          double(attack->GetAttackersWeatherFactor() * 100.0f),
                          double(attack->GetFortificationFactor() * 100.0f)));
    SetBox(kAttackPanelAttackerEffectiveId, FormatText(L"%.2f", double(strength * factor)));
}

void cAttackPanel::ShowDefender(const sLandAttack* attack)
{
    CDXUTControl* flag = GetControl(kAttackPanelDefenderFlagId);
    if (!attack) {
        SetBox(kAttackPanelDefenderNameId, L"");
        if (flag)
            flag->SetVisible(false);
        SetBox(kAttackPanelDefenderStrengthId, L"-");
        SetBox(kAttackPanelDefenderModId, L"-");
        SetBoxHint(kAttackPanelDefenderModId, L"");
        SetBox(kAttackPanelDefenderEffectiveId, L"-");
        return;
    }
    SetBox(kAttackPanelDefenderNameId, attack->defender->m_Name);
    if (const cPanstwo* owner = attack->defender->GetOwner(); owner && flag) {
        ShowCountryFlag(*this, kAttackPanelDefenderFlagId, owner->ID, kDefenderFlagSlot);
        flag->SetHint(owner->Name);
        flag->SetVisible(true);
    }
    const float strength = attack->GetDefenceStrength();
    const float factor = attack->GetDefenceFactor();
    SetBox(kAttackPanelDefenderStrengthId, FormatText(L"%.2f", double(strength)));
    SetBox(kAttackPanelDefenderModId, FormatText(L"%.0f%%", double(factor * 100.0f)));
    SetBoxHint(kAttackPanelDefenderModId,
               LangFormat("attack_panel_def_mod_details", double(attack->GetTerrainFactor() * 100.0f),
                          double(attack->GetCityFactor() * 100.0f),
                          double(attack->GetDefenderWeatherFactor() * 100.0f),
                          double(attack->GetEntrenchmentFactor() * 100.0f)));
    SetBox(kAttackPanelDefenderEffectiveId, FormatText(L"%.2f", double(strength * factor)));
}
