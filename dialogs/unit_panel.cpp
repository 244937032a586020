#include "dialogs/unit_panel.h"

#include <algorithm>

#include "core/format.h"
#include "core/log.h"
#include "core/stringbase.h"
#include "dialogs/confirm_dialog.h"
#include "dialogs/country_flag.h"
#include "dialogs/text_input_dialog.h"
#include "dialogs/unit_pictures.h"
#include "game/commanders.h"
#include "game/consts.h"
#include "game/game.h"
#include "game/play_state.h"
#include "gui/controls.h"
#include "gui/gui_atlas.h"
#include "platform/paths.h"
#include "shell/dialog_builders.h"
#include "units/air_unit.h"
#include "units/land_unit.h"
#include "units/unit_access.h"
#include "world/city.h"
#include "world/country.h"
#include "world/map.h"
#include "world/sea_graph.h"
#include "world/topography.h"

sUnitPanelWindows g_UnitPanelWindows;

namespace {

constexpr unsigned kPictureSlot = 3;
constexpr unsigned kFlagSlot = 4;
// Answers of the windows the panel opens.
constexpr int kReplacementsDoneId = 851;
constexpr int kReplacementsCancelId = 852;
constexpr int kCommandersClosedId = 871;
// Every mark but the selection's.
constexpr uint32_t kAllButSelection = ~uint32_t(MARK_SELECTED);

struct sValueBox
{
    int id;
    int caption;
    const char* key;
};

const sValueBox kValueBoxes[] = {
    {kUnitPanelNameId, 353, "unitpanel_name"},
    {kUnitPanelOwnerId, 356, "unitpanel_owner"},
    {kUnitPanelSizeId, 359, "unitpanel_size"},
    {kUnitPanelLevelId, 362, "unitpanel_level"},
    {kUnitPanelSupplyId, 365, "unitpanel_supply"},
    {kUnitPanelActionPointsId, 368, "unitpanel_ap"},
    {kUnitPanelCommanderId, 370, "unitpanel_commander"},
    {kUnitPanelStrengthId, 373, "unitpanel_strength"},
    {kUnitPanelEffectivenessId, 376, "unitpanel_effectiveness"},
    {kUnitPanelBonusId, 378, "unitpanel_bonus"},
};

// In the order of gui_atlas::kOrderIcons.
const int kOrderIconIds[gui_atlas::kOrderIconCount] = {
    kUnitPanelRenameId,        kUnitPanelUpgradeId,      kUnitPanelLevelUpId,    kUnitPanelSupplySourceId,
    kUnitPanelCommandersId,    kUnitPanelReplacementsId, kUnitPanelDisbandId,    kUnitPanelUndoId,
    kUnitPanelStrategicMoveId, kUnitPanelAirborneId,     kUnitPanelAmphibiousId, kUnitPanelSeaTransportId,
    kUnitPanelAirFightId,      kUnitPanelBombardmentId,  kUnitPanelReconId,      kUnitPanelNuclearId,
};

cPlayState* PlayState() { return g_Gra ? g_Gra->m_PlayState : nullptr; }

// The first picture file of the unit that loads: the scenario's own, then the common one,
// for each name from the most particular to the default.
std::wstring FindUnitPicture(const cJednostka& unit)
{
    return FindUnitPictureFile({
        UnitNamePictureFile(unit.m_Name),
        FormatText(L"%i_%i_%i.png", unit.m_Type, unit.m_Level, unit.m_Owner),
        FormatText(L"%i_%i.png", unit.m_Type, unit.m_Level),
        FormatText(L"%i.png", unit.m_Type),
        L"default.png",
    });
}

} // namespace

cUnitPanel* UnitPanel() { return dynamic_cast<cUnitPanel*>(g_UnitPanel); }

cUnitPanel::cUnitPanel() : cPanel(kUnitPanelFrameId, LayoutRow(kUnitPanelFrameId))
{
    // The picture starts on the default one, the scenario's own or else the common one. The
    // panel holds it alone: shared with the fleets window, which loads the default picture,
    // the shown unit's picture would change under the panel.
    const std::wstring fallback = FindUnitPictureFile({L"default.png"});
    if (!fallback.empty())
        SetTexture(kPictureSlot, fallback);
    AddImageFromLayout(kUnitPanelPictureId, int(kPictureSlot), 0, 0, gui_atlas::kUnitPictureWidth,
                       gui_atlas::kUnitPictureHeight, nullptr);
    SetControlEnabled(kUnitPanelPictureId, true);
    // The controls in the order of their ids: each value box with its caption, the flag
    // after the owner's box, each order icon in its place among them.
    auto addBox = [this](const sValueBox& box) {
        AddReadOnlyEditBox(this, box.id, L"-", nullptr, box.caption, LangText(box.key).c_str());
    };
    auto addIcon = [this](int index) {
        const sLayoutRect at = LayoutRow(kOrderIconIds[index]);
        // The pictures drawn at the icon's size on this screen.
        const gui_atlas::sRect cell = gui_atlas::OrderIcon(index, at.width, at.height);
        AddIcon(kOrderIconIds[index], cell.left, cell.top, cell.right, cell.bottom, at.x, at.y, at.width, at.height);
    };
    for (int id = kUnitPanelPictureId + 1; id <= kUnitPanelNuclearId; ++id) {
        for (const sValueBox& box : kValueBoxes)
            if (box.caption == id)
                addBox(box);
        if (id == kUnitPanelFlagId)
            AddImageFromLayout(kUnitPanelFlagId, int(kFlagSlot), 0, 0, kFlagPictureWidth, kFlagPictureHeight, nullptr);
        for (int index = 0; index < gui_atlas::kOrderIconCount; index++)
            if (kOrderIconIds[index] == id)
                addIcon(index);
    }
    // The name and the commander are texts, not figures: no border.
    for (int id : {kUnitPanelNameId, kUnitPanelCommanderId})
        if (auto* edit = static_cast<CDXUTEditBox*>(GetControl(id, DXUT_CONTROL_EDITBOX)))
            edit->SetBorderWidth(0);
    // Filled at once: an order icon left enabled before the first selection would give an
    // order to no unit.
    Refresh();
}

cJednostka* cUnitPanel::ShownUnit() const
{
    return g_Gra && m_ShownId != 0 ? g_Gra->FindMapUnit(m_ShownCategory, m_ShownId) : nullptr;
}

void cUnitPanel::SetBox(int id, const std::wstring& text, const std::wstring& hint)
{
    if (auto* box = static_cast<CDXUTEditBox*>(GetControl(id, DXUT_CONTROL_EDITBOX))) {
        box->SetText(text.c_str());
        box->SetHint(hint);
    }
}

void cUnitPanel::SetIcon(int id, bool enabled, const std::wstring& hint)
{
    if (CDXUTControl* icon = GetControl(id)) {
        icon->SetEnabled(enabled);
        icon->SetHint(hint);
    }
}

void cUnitPanel::SetIconFromUnit(int id, bool (cJednostka::*question)(std::wstring*) const, const cJednostka& unit)
{
    std::wstring hint;
    const bool possible = (unit.*question)(&hint);
    SetIcon(id, possible, hint);
}

void cUnitPanel::Reset()
{
    const std::wstring none = LangText("unitpanel_no_unit_selected");
    for (int id : {kUnitPanelPictureId, kUnitPanelFlagId})
        if (CDXUTControl* picture = GetControl(id))
            picture->SetVisible(false);
    for (const sValueBox& box : kValueBoxes)
        SetBox(box.id, L"-", none);
    for (int id : kOrderIconIds)
        SetIcon(id, false, none);
    m_SourceX = m_SourceY = -1;
}

void cUnitPanel::Refresh()
{
    // The opponent's thread may be changing the units being read.
    cWindowLock lock;
    cUnit* selected = PlayState() && PlayState()->GetSelectedHex() ? PlayState()->GetSelectedHex()->unit : nullptr;
    m_ShownCategory = selected ? selected->m_Category : -1;
    m_ShownId = selected ? selected->m_Id : 0;
    Reset();
    // Ships never stand on a hex; what stands there and is seen is a land or air unit.
    auto* unit = dynamic_cast<cJednostka*>(selected);
    const bool own = unit && unit->m_Owner == PlayState()->GetActiveCountryId();
    // A player always sees his own units, whatever the last visibility pass left.
    if (!unit || (!own && !unit->m_Spotted)) {
        // A unit not seen is not shown, so its picture is not looked for: once seen (a recon
        // of its hex) it must be, or the picture of the unit shown before would stand for it.
        m_ShownId = 0;
        m_LastCategory = -1;
        m_LastId = 0;
        return;
    }
    auto* land = dynamic_cast<cJednostkaLadowa*>(unit);

    if (unit->m_Category != m_LastCategory || unit->m_Id != m_LastId)
        ShowPicture(*unit);
    m_LastCategory = unit->m_Category;
    m_LastId = unit->m_Id;
    if (CDXUTControl* picture = GetControl(kUnitPanelPictureId))
        picture->SetVisible(m_PictureLoaded);

    SetBox(kUnitPanelNameId, unit->m_Name, LangText("unitpanel_name_hint"));
    if (own)
        SetIcon(kUnitPanelRenameId, true, LangText("unitpanel_rename_hint_allowed"));
    else
        SetIcon(kUnitPanelRenameId, false, LangText("unitpanel_rename_hint_not_owned"));

    const cPanstwo* owner = unit->GetOwner();
    SetBox(kUnitPanelOwnerId, owner ? owner->Name : L"-", LangText("unitpanel_owner_hint"));
    ShowCountryFlag(*this, kUnitPanelFlagId, unit->m_Owner, kFlagSlot);
    if (CDXUTControl* flag = GetControl(kUnitPanelFlagId))
        flag->SetVisible(true);

    SetBox(kUnitPanelSizeId, cUnit::GetSubtypeText(unit->m_Type), LangText("unitpanel_size_hint"));
    SetIconFromUnit(kUnitPanelUpgradeId, &cJednostka::GetUpgradeToCorpsHint, *unit);
    SetBox(kUnitPanelLevelId, FormatText(L"%i", unit->m_Level), LangText("unitpanel_level_hint"));
    SetIconFromUnit(kUnitPanelLevelUpId, &cJednostka::GetLevelUpHint, *unit);
    ShowSupply(*unit);

    SetBox(kUnitPanelActionPointsId,
           land && land->m_FreezeTime > 0 ? LangText("unitpanel_ap_frozen") : FormatText(L"%i", unit->m_ActionPoints),
           LangText("unitpanel_ap_hint"));
    const sGameConsts* k = UnitConsts();
    SetBox(kUnitPanelBonusId,
           land && k ? FormatText(L"%i%%", int(float(land->m_TrenchBonus) * k->EntrenchmentFactor)) : L"-",
           LangText("unitpanel_bonus_hint"));

    std::wstring commander = L"-";
    if (const sDowodca* own = unit->m_Commander)
        commander = FormatText(L"%s (%i/%i)", own->Name, own->Skill, own->Experience);
    else if (const sDowodca* commanding = unit->m_CommandingCommanderId > 0 ? unit->GetCommandingCommander() : nullptr)
        commander = FormatText(L"[ %s (%i/%i) ]", commanding->Name, commanding->Skill, commanding->Experience);
    SetBox(kUnitPanelCommanderId, commander, LangText("unitpanel_commander_hint"));
    SetIcon(kUnitPanelCommandersId, true, LangText("unitpanel_commander_icon_hint"));

    SetBox(kUnitPanelStrengthId,
           FormatText(L"%.1f (%.1f)", double(unit->GetCombatStrength()), double(unit->GetEffectiveStrength())),
           LangText("unitpanel_strength_hint"));
    // The unit rules call this check GetReinforceHint, the unit panel GetReplacementsHint: the rules' name.
    SetIconFromUnit(kUnitPanelReplacementsId, &cJednostka::GetReinforceHint, *unit);
    std::wstring effectiveness;
    unit->GetEffectivenessHint(&effectiveness);
    SetBox(kUnitPanelEffectivenessId, FormatText(L"%i%%", unit->m_Efficiency), effectiveness);

    ShowUndo(*unit);
    SetIconFromUnit(kUnitPanelStrategicMoveId, &cJednostka::GetStrategicMoveHint, *unit);
    SetIconFromUnit(kUnitPanelAirborneId, &cJednostka::GetAirborneAssaultHint, *unit);
    SetIconFromUnit(kUnitPanelSeaTransportId, &cJednostka::GetSeaTransportHint, *unit);
    SetIconFromUnit(kUnitPanelAmphibiousId, &cJednostka::GetAmphibiousTransportHint, *unit);
    SetIconFromUnit(kUnitPanelAirFightId, &cJednostka::GetAirFightHint, *unit);
    SetIconFromUnit(kUnitPanelBombardmentId, &cJednostka::GetBombardmentHint, *unit);
    SetIconFromUnit(kUnitPanelNuclearId, &cJednostka::GetNuclearStrikeHint, *unit);
    SetIconFromUnit(kUnitPanelReconId, &cJednostka::GetReconHint, *unit);
    SetIcon(kUnitPanelDisbandId, true, LangText("unitpanel_disband_icon_hint"));

    if (!own) {
        const std::wstring notOwned = LangText("unitpanel_not_owned_unit");
        for (int id : kOrderIconIds)
            SetIcon(id, false, notOwned);
        m_SourceX = m_SourceY = -1;
    }
}

void cUnitPanel::ShowPicture(const cJednostka& unit)
{
    const std::wstring file = FindUnitPicture(unit);
    m_PictureLoaded = !file.empty() && SetTexture(kPictureSlot, file) == S_OK;
}

void cUnitPanel::ShowSupply(const cJednostka& unit)
{
    std::wstring text;
    std::wstring hint;
    const sGameConsts* k = UnitConsts();
    const int limit = k ? k->ImpulsesWithoutSupplySource : 0;
    if (unit.m_Supply == 0) {
        text = LangFormat("unitpanel_supply_out_of_supply_more", limit);
        hint = LangFormat("unitpanel_supply_out_of_supply_more_hint", limit);
    } else if (unit.m_TurnsWithoutSupply > 0) {
        text = LangFormat("unitpanel_supply_out_of_supply", unit.m_TurnsWithoutSupply);
        hint = LangFormat("unitpanel_supply_out_of_supply_hint", unit.m_TurnsWithoutSupply);
    } else if (unit.m_SupplySourceX != -1 && unit.m_SupplySourceY != -1) {
        const sHex* source = g_Gra->m_Mapa ? g_Gra->m_Mapa->GetHex(unit.m_SupplySourceX, unit.m_SupplySourceY) : nullptr;
        if (!source || !source->city) {
            text = L"-! BUG !-";
            hint = FormatText(L"No city at given coordinates (%i, %i)", unit.m_SupplySourceX, unit.m_SupplySourceY);
        } else {
            m_SourceX = unit.m_SupplySourceX;
            m_SourceY = unit.m_SupplySourceY;
            text = LangFormat("unitpanel_supply_value_from_city", unit.m_Supply, source->city->Name);
            hint = LangFormat("unitpanel_supply_value_from_city_hint", unit.m_Supply, source->city->Name);
            SetBox(kUnitPanelSupplyId, text, hint);
            SetIcon(kUnitPanelSupplySourceId, true, LangText("unitpanel_supply_icon_hint"));
            return;
        }
    } else {
        text = LangFormat("unitpanel_supply_peace_time", unit.m_Supply);
        hint = LangFormat("unitpanel_supply_peace_time_hint", unit.m_Supply);
    }
    SetBox(kUnitPanelSupplyId, text, hint);
    SetIcon(kUnitPanelSupplySourceId, false, hint);
}

void cUnitPanel::ShowUndo(const cJednostka& unit)
{
    const cMoveUndo& undo = PlayState()->GetUndo();
    if (undo.IsEmpty())
        SetIcon(kUnitPanelUndoId, false, LangText("unitpanel_undo_move_icon_hint_no_undo_possible"));
    else if (!undo.IsFor(unit))
        SetIcon(kUnitPanelUndoId, false, LangText("unitpanel_undo_move_icon_hint_wrong_unit_selected"));
    else if (unit.m_SpottedEnemy)
        SetIcon(kUnitPanelUndoId, false, LangText("unitpanel_undo_move_icon_hint_enemy_unit_discovered"));
    else
        SetIcon(kUnitPanelUndoId, true, LangText("unitpanel_undo_move_icon_hint"));
}

void cUnitPanel::OnGUIEvent(unsigned, int controlId, CDXUTControl*)
{
    // The four panels hear every event; the answers' ids are shared, so an answer counts
    // only while this panel waits for that window.
    switch (controlId) {
    case kUnitPanelRenameId: OnRenamePressed(); break;
    case kUnitPanelUpgradeId: OnUpgradePressed(); break;
    case kUnitPanelLevelUpId: OnLevelUpPressed(); break;
    case kUnitPanelSupplySourceId: OnSupplySourcePressed(); break;
    case kUnitPanelCommandersId: OnCommandersPressed(); break;
    case kUnitPanelReplacementsId: OnReplacementsPressed(); break;
    case kUnitPanelDisbandId: OnDisbandPressed(); break;
    case kUnitPanelUndoId: OnUndoPressed(); break;
    case kUnitPanelStrategicMoveId: OnStrategicMovePressed(); break;
    case kUnitPanelAirborneId: OnAirborneAssaultPressed(); break;
    case kUnitPanelAirFightId: OnAirOrderPressed(ORDER_AIR_ATTACK); break;
    case kUnitPanelBombardmentId: OnAirOrderPressed(ORDER_AIR_BOMBARDMENT); break;
    case kUnitPanelNuclearId: OnAirOrderPressed(ORDER_NUCLEAR_STRIKE); break;
    case kUnitPanelReconId: OnAirOrderPressed(ORDER_RECONNAISSANCE); break;
    case kUnitPanelSeaTransportId: OnTransportPressed(false); break;
    case kUnitPanelAmphibiousId: OnTransportPressed(true); break;
    case kTextInputOkId: OnRenameAnswered(); break;
    case kConfirmYesId: OnDisbandAnswered(); break;
    // A cancel or a no ends any wait.
    case kTextInputCancelId:
    case kConfirmNoId: m_Pending = PENDING_NONE; break;
    case kReplacementsDoneId: OnReplacementsAnswered(true); break;
    case kReplacementsCancelId: OnReplacementsAnswered(false); break;
    case kCommandersClosedId: OnCommandersAnswered(); break;
    default: break;
    }
}

bool cUnitPanel::IsIdle()
{
    // A window closed without its answer (any close-all) leaves the panel free again.
    if (m_Pending != PENDING_NONE && !HasOpenDialogOwnedBy(this))
        m_Pending = PENDING_NONE;
    return m_Pending == PENDING_NONE;
}

void cUnitPanel::Open(cDialog* window, ePending pending)
{
    if (!window)
        return;
    m_Pending = pending;
    window->SetOwner(this);
    PushDialog(window);
}

void cUnitPanel::BeginOrder(int orderMode)
{
    cWindowLock lock;
    if (g_Gra->m_Mapa)
        g_Gra->m_Mapa->ClearMarks(kAllButSelection, false);
    PlayState()->SetOrderMode(orderMode);
}

void cUnitPanel::OnRenamePressed()
{
    cJednostka* unit = ShownUnit();
    if (!unit || !IsIdle())
        return;
    Open(new cDialogPobraniaTekstu(LangText("rename_title"), LangFormat("rename_label_%s", unit->m_Name), unit->m_Name),
         PENDING_RENAME);
}

void cUnitPanel::OnUpgradePressed()
{
    auto* land = dynamic_cast<cJednostkaLadowa*>(ShownUnit());
    if (!land)
        return;
    {
        cWindowLock lock;
        land->UpgradeToCorps();
    }
    Refresh();
}

void cUnitPanel::OnLevelUpPressed()
{
    cJednostka* unit = ShownUnit();
    if (!unit)
        return;
    {
        cWindowLock lock;
        if (auto* land = dynamic_cast<cJednostkaLadowa*>(unit))
            land->LevelUp();
        else if (auto* air = dynamic_cast<cJednostkaLotnicza*>(unit))
            air->LevelUp();
    }
    Refresh();
}

void cUnitPanel::OnSupplySourcePressed()
{
    if (m_SourceX < 0 || m_SourceY < 0)
        return;
    const int x = m_SourceX;
    const int y = m_SourceY;
    CenterCameraOn(x, y);
    cWindowLock lock;
    PlayState()->SelectHex(x, y);
}

void cUnitPanel::OnCommandersPressed()
{
    cJednostka* unit = ShownUnit();
    if (!unit || !IsIdle() || !g_UnitPanelWindows.commanders)
        return;
    Open(g_UnitPanelWindows.commanders(*unit), PENDING_COMMANDERS);
}

void cUnitPanel::OnReplacementsPressed()
{
    cJednostka* unit = ShownUnit();
    if (!unit || !IsIdle() || !g_UnitPanelWindows.replacements)
        return;
    Open(g_UnitPanelWindows.replacements(*unit), PENDING_REPLACEMENTS);
}

void cUnitPanel::OnDisbandPressed()
{
    cJednostka* unit = ShownUnit();
    if (!unit || !IsIdle())
        return;
    Open(new cDialogPotwierdzenia(LangText("disband_title"), LangFormat("disband_question_%s", unit->m_Name),
                                  LangText("disband_yes"), LangText("disband_yes_hint"), LangText("disband_no"),
                                  LangText("disband_no_hint")),
         PENDING_DISBAND);
}

void cUnitPanel::OnUndoPressed()
{
    cJednostka* unit = ShownUnit();
    if (!unit)
        return;
    {
        cWindowLock lock;
        PlayState()->UndoLastMove(unit);
        if (cPanstwo* active = PlayState()->GetActiveCountry())
            active->RecalculateUnitsVisibility();
    }
    Refresh();
}

void cUnitPanel::OnStrategicMovePressed()
{
    cJednostka* unit = ShownUnit();
    if (!unit)
        return;
    BeginOrder(ORDER_STRATEGIC_MOVE);
    if (g_Gra->m_StrategicMoves) {
        cWindowLock lock;
        g_Gra->m_StrategicMoves->ShowCountryGroups(cTopografia::sUnitView{unit->m_Owner, unit->m_Category,
                                                                          unit->m_SupplySourceX, unit->m_SupplySourceY});
    }
}

void cUnitPanel::OnAirborneAssaultPressed()
{
    auto* land = dynamic_cast<cJednostkaLadowa*>(ShownUnit());
    if (!land || !IsIdle())
        return;
    BeginOrder(ORDER_AIRBORNE_ASSAULT);
    cWindowLock lock;
    // The unit rules call this marking MarkAirborneAssaultRange, the unit panel MarkSupplyRadius: the rules' name.
    land->MarkAirborneAssaultRange();
}

void cUnitPanel::OnAirOrderPressed(int orderMode)
{
    auto* air = dynamic_cast<cJednostkaLotnicza*>(ShownUnit());
    if (!air || !IsIdle())
        return;
    BeginOrder(orderMode);
    cWindowLock lock;
    switch (orderMode) {
    case ORDER_AIR_ATTACK: air->FindAirFightTargets(true); break;
    case ORDER_AIR_BOMBARDMENT: air->FindBombardmentTargets(true); break;
    case ORDER_NUCLEAR_STRIKE: air->FindNuclearTargets(true); break;
    default: air->FindReconTargets(true); break;
    }
}

void cUnitPanel::OnTransportPressed(bool amphibious)
{
    auto* land = dynamic_cast<cJednostkaLadowa*>(ShownUnit());
    if (!land || !IsIdle())
        return;
    cWindowLock lock;
    g_Gra->m_Mapa->ClearMarks(MARK_MOVE_RANGE, false);
    // The order is what the icon offered: a panel that has not caught up pays nothing.
    if (land->m_Owner != PlayState()->GetActiveCountryId() ||
        !(amphibious ? land->GetAmphibiousTransportHint(nullptr) : land->GetSeaTransportHint(nullptr)))
        return;
    // The port and its node are found before anything is paid: a load that cannot be made
    // must not cost the points.
    int portX = -1;
    int portY = -1;
    if (!land->FindPortHex(portX, portY)) {
        LogLine(L"ERROR! Unit tries to load into transport but isn't in or near friendle port");
        return;
    }
    const int node = g_Gra->m_SeaGraph ? g_Gra->m_SeaGraph->FindNodeAtHex(portX, portY) : -1;
    if (node == -1) {
        LogLine(L"ERROR! While loading unit to transporter or amphibious, there is no port at coordinates %i %i", portX,
                portY);
        return;
    }
    if (!land->LoadIntoTransport(amphibious ? UNIT_AMPHIBIOUS : UNIT_CARGO, node))
        return;
    PlayState()->DeselectAll();
    // The unit's move is over: the status line stops asking for its destination.
    PlayState()->SetOrderMode(ORDER_SELECT);
    if (const cPanstwo* active = PlayState()->GetActiveCountry())
        g_Gra->m_SeaGraph->CalculateAllVisibility(active->ID, false);
    Refresh();
}

void cUnitPanel::OnRenameAnswered()
{
    if (m_Pending != PENDING_RENAME)
        return;
    m_Pending = PENDING_NONE;
    if (cJednostka* unit = ShownUnit()) {
        cWindowLock lock;
        unit->SetName(g_TextInputResult);
    }
    Refresh();
}

void cUnitPanel::OnDisbandAnswered()
{
    if (m_Pending != PENDING_DISBAND)
        return;
    m_Pending = PENDING_NONE;
    cJednostka* unit = ShownUnit();
    if (!unit)
        return;
    {
        cWindowLock lock;
        const sGameConsts* k = UnitConsts();
        double refund = 0.0;
        if (const int land = LandTypeIndex(unit->m_Type); k && land >= 0)
            refund = unit->GetCombatStrength() * 0.5 * k->LandReplacementCost[land];
        else if (const int air = AirTypeIndex(unit->m_Type); k && air >= 0)
            refund = unit->GetCombatStrength() * 0.5 * k->AirReplacementCost[air];
        if (cPanstwo* owner = unit->GetOwner())
            owner->AddProductionPoints(refund);
        m_ShownId = 0;
        unit->Kill();
        PlayState()->DeselectAll();
    }
    Refresh();
}

void cUnitPanel::OnReplacementsAnswered(bool changed)
{
    if (m_Pending != PENDING_REPLACEMENTS)
        return;
    m_Pending = PENDING_NONE;
    if (changed) {
        cWindowLock lock;
        if (g_Gra->m_Mapa)
            g_Gra->m_Mapa->ClearMarks(kAllButSelection, false);
        PlayState()->SetOrderMode(ORDER_SELECT);
    }
    Refresh();
}

void cUnitPanel::OnCommandersAnswered()
{
    if (m_Pending != PENDING_COMMANDERS)
        return;
    m_Pending = PENDING_NONE;
    Refresh();
}
