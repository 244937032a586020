#include "dialogs/replacements_dialog.h"

#include <algorithm>
#include <cmath>

#include "core/log.h"
#include "core/stringbase.h"
#include "game/game.h"
#include "game/play_state.h"
#include "gui/controls.h"
#include "shell/dialog_builders.h"
#include "units/unit.h"
#include "world/country.h"
#include "world/map.h"

namespace {

cPanstwo* ActiveCountry()
{
    return g_Gra && g_Gra->m_PlayState ? g_Gra->m_PlayState->GetActiveCountry() : nullptr;
}

double ActivePoints()
{
    const cPanstwo* country = ActiveCountry();
    return country ? country->PP : 0.0;
}

float LevelFactor(int surchargePercent, int level) { return 1.0f + float(surchargePercent) * float(level - 1) / 100.0f; }

} // namespace

float ReplacementCostPerPoint(const cJednostka& unit)
{
    const sGameConsts& k = GameConsts();
    if (unit.m_Category == CATEGORY_AIR) {
        const int a = std::clamp(unit.m_Type - UNIT_FIGHTER, 0, 2);
        return k.AirReplacementCost[a] * LevelFactor(k.AirLevelSurcharge, unit.m_Level);
    }
    const int t = std::clamp(int(unit.m_Type), 0, 6);
    return unit.GetFullStrengthValue() * k.LandReplacementCost[t] / 100.0f * LevelFactor(k.LandLevelSurcharge, unit.m_Level);
}

int ReplacementMaximum(const cJednostka& unit, float costPerPoint, double productionPoints)
{
    const sGameConsts& k = GameConsts();
    // A cost of 0 would make the money's bound infinite, and its conversion to int undefined:
    // free points are limited by the other two bounds alone.
    double affordable = 100.0;
    if (costPerPoint > 0.0f && std::isfinite(costPerPoint))
        affordable = std::clamp(std::trunc(productionPoints / double(costPerPoint)), 0.0, 100.0);
    int limit = 0;
    const sHex* hex = g_Gra && g_Gra->m_Mapa && g_Gra->m_Mapa->IsInside(unit.m_X, unit.m_Y)
                          ? g_Gra->m_Mapa->GetHex(unit.m_X, unit.m_Y)
                          : nullptr;
    if (hex && hex->owner != unit.m_Owner) {
        limit = 10;
    } else {
        // A supply beyond the table (damaged data) reads its last entry, not past its end.
        const int band = std::clamp(unit.m_Supply, 0, kSupplyBands - 1);
        limit = unit.m_Category == CATEGORY_AIR ? k.AirReplacementMax[band] : k.LandReplacementMax[band];
    }
    // Never below 0: with the points below zero nothing can be bought, and a slider ending
    // below its start would run backwards.
    return std::max(0, std::min({int(affordable), limit, 100 - unit.GetStrength()}));
}

// Always for a unit: its opener opens nothing without one, where a missing unit would
// otherwise end the program in the middle of a game.
cDialogUzupelnien::cDialogUzupelnien(const cJednostka& unit)
    : cDialog(kReplacementsDialogKind, LayoutRow(kReplacementsDialogKind)), m_Category(unit.m_Category),
      m_UnitId(unit.m_Id)
{
    LogLine(LangText("constructing_replacements_dialog..."));
    m_CostPerPoint = ReplacementCostPerPoint(unit);
    m_Maximum = ReplacementMaximum(unit, m_CostPerPoint, ActivePoints());
    AddText(842, LangFormat("unit_replacement_title", unit.m_Name), true);
    AddReadOnlyEditBox(this, kReplacementsStrengthId, L"", LangText("unit_replacement_strength_after_hint").c_str(), 843,
                       LangText("unit_replacement_strength_after").c_str());
    AddReadOnlyEditBox(this, kReplacementsCostId, L"", LangText("unit_replacement_cost_hint").c_str(), 845,
                       LangText("unit_replacement_cost").c_str());
    AddReadOnlyEditBox(this, kReplacementsPointsId, L"", LangText("unit_replacement_pp_available_hint").c_str(), 847,
                       LangText("unit_replacement_pp_available").c_str());
    AddSliderFromLayout(kReplacementsSliderId, 0, m_Maximum, 0);
    AddButtonFromLayout(kReplacementsMaxId, LangText("unit_replacement_max").c_str(),
                        LangText("unit_replacement_max_hint").c_str());
    AddButtonFromLayout(kReplacementsOkId, LangText("unit_replacement_ok").c_str(),
                        LangText("unit_replacement_ok_hint").c_str());
    AddButtonFromLayout(kReplacementsCancelId, LangText("unit_replacement_cancel").c_str(),
                        LangText("unit_replacement_cancel_hint").c_str());
    UpdateTexts();
}

// Found again by id, not kept as a pointer: a unit that dies while the window stands open
// would leave the pointer dangling.
cJednostka* cDialogUzupelnien::Unit() const { return g_Gra ? g_Gra->FindMapUnit(m_Category, m_UnitId) : nullptr; }

int cDialogUzupelnien::SliderValue()
{
    auto* slider = static_cast<CDXUTSlider*>(GetControl(kReplacementsSliderId, DXUT_CONTROL_SLIDER));
    return slider ? std::clamp(slider->GetValue(), 0, m_Maximum) : 0;
}

void cDialogUzupelnien::UpdateTexts()
{
    const cJednostka* unit = Unit();
    if (!unit)
        return;
    const int v = SliderValue();
    auto setBox = [this](int id, const std::wstring& text) {
        if (auto* box = static_cast<CDXUTEditBox*>(GetControl(id, DXUT_CONTROL_EDITBOX)))
            box->SetText(text.c_str());
    };
    if (unit->m_Category == CATEGORY_LAND) {
        const int level = std::clamp(int(unit->m_Level), 1, 5);
        const int t = std::clamp(int(unit->m_Type), 0, 6);
        const float after = unit->GetCombatStrength() + GameConsts().LandCombatStrength[level - 1][t] * float(v) / 100.0f;
        setBox(kReplacementsStrengthId, FormatText(L"%.2f (%i%%)", after, unit->GetStrength() + v));
    } else {
        setBox(kReplacementsStrengthId, FormatText(L"%i", unit->GetStrength() + v));
    }
    setBox(kReplacementsCostId, LangFormat("%.2f_pp", m_CostPerPoint * float(v)));
    setBox(kReplacementsPointsId, LangFormat("%.2f_pp", ActivePoints()));
}

void cDialogUzupelnien::OnGUIEvent(unsigned event, int controlId, CDXUTControl* control)
{
    switch (controlId) {
    case kReplacementsSliderId: OnSliderMoved(); break;
    case kReplacementsMaxId: OnMaxPressed(); break;
    case kReplacementsOkId: OnOkPressed(event, control); break;
    case kReplacementsCancelId: OnCancelPressed(event, control); break;
    default: break;
    }
}

void cDialogUzupelnien::OnKeyboard(unsigned key, bool keyDown, bool)
{
    if (!keyDown)
        return;
    const int id = key == VK_RETURN && GetControlEnabled(kReplacementsOkId) ? kReplacementsOkId
                   : key == VK_ESCAPE                                      ? kReplacementsCancelId
                   : key == 'M' && GetControlEnabled(kReplacementsMaxId)   ? kReplacementsMaxId
                                                                            : 0;
    if (CDXUTControl* button = id ? GetControl(id) : nullptr) {
        EnableNonUserEvents(true);
        SendEvent(EVENT_BUTTON_CLICKED, false, button, false);
        EnableNonUserEvents(false);
    }
}

void cDialogUzupelnien::OnSliderMoved() { UpdateTexts(); }

void cDialogUzupelnien::OnMaxPressed()
{
    if (auto* slider = static_cast<CDXUTSlider*>(GetControl(kReplacementsSliderId, DXUT_CONTROL_SLIDER)))
        slider->SetValue(m_Maximum);
    UpdateTexts();
}

void cDialogUzupelnien::OnOkPressed(unsigned event, CDXUTControl* control)
{
    const int v = SliderValue();
    cJednostka* unit = Unit();
    if (unit && v > 0) {
        cWindowLock lock;
        unit->SetActionPoints(0);
        unit->AddStrength(v);
        unit->m_OrderPath.clear();
        if (cPanstwo* country = ActiveCountry())
            country->AddProductionPoints(-double(m_CostPerPoint) * v);
    }
    TellOwnerOfClick(event, kReplacementsOkId, control);
    CloseTopDialogs(1);
}

void cDialogUzupelnien::OnCancelPressed(unsigned event, CDXUTControl* control)
{
    TellOwnerOfClick(event, kReplacementsCancelId, control);
    CloseTopDialogs(1);
}
