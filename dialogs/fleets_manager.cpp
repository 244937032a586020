#include "dialogs/fleets_manager.h"

#include <algorithm>

#include "core/log.h"
#include "core/settings.h"
#include "core/stringbase.h"
#include "dialogs/commanders_dialog.h"
#include "dialogs/confirm_dialog.h"
#include "dialogs/list_choice_dialog.h"
#include "dialogs/text_input_dialog.h"
#include "dialogs/unit_pictures.h"
#include "game/game.h"
#include "game/play_state.h"
#include "gui/controls.h"
#include "platform/paths.h"
#include "units/land_unit.h"
#include "units/naval_unit.h"
#include "world/country.h"
#include "world/fleet.h"
#include "world/map.h"
#include "world/sea_graph.h"

namespace {

// The dialog texture slot of the selected ship's picture.
constexpr unsigned kShipPictureSlot = 3;
// The middle piece of a list's background, and how much of it covers the picture under
// the ships list (of 255).
constexpr unsigned kListBodyMiddleElement = 4;
constexpr tColor kListOverPictureAlpha = 150;

cPanstwo* ActiveCountry()
{
    return g_Gra && g_Gra->m_PlayState ? g_Gra->m_PlayState->GetActiveCountry() : nullptr;
}

int ActiveCountryId()
{
    const cPanstwo* country = ActiveCountry();
    return country ? country->ID : 0;
}

cFlota* FindFleet(int id)
{
    if (!g_Gra)
        return nullptr;
    for (cFlota* fleet : g_Gra->m_Fleets)
        if (fleet->ID == id)
            return fleet;
    return nullptr;
}

CDXUTListBox* ListOf(CDXUTDialog& dialog, int id)
{
    return static_cast<CDXUTListBox*>(dialog.GetControl(id, DXUT_CONTROL_LISTBOX));
}

template <class T>
T* ItemData(CDXUTListBox& list, int index, T* (*find)(int))
{
    const DXUTListBoxItem* item = list.GetItem(index);
    return item ? find(int(reinterpret_cast<intptr_t>(item->pData))) : nullptr;
}

cJednostkaMorska* FindShip(int id) { return g_Gra ? g_Gra->FindNavalUnitById(id) : nullptr; }

// Hit points as a share of the maximum; a ship of no maximum (damaged saved data) shows 0.
int Percent(int value, int maximum) { return maximum > 0 ? value * 100 / maximum : 0; }

void RecalculateVisibility()
{
    if (g_Gra && g_Gra->m_SeaGraph)
        g_Gra->m_SeaGraph->CalculateAllVisibility(ActiveCountryId(), false);
}

} // namespace

cDialogFlot* CurrentFleetsDialog()
{
    cDialog* top = CurrentDialog();
    return top && top->KindId() == kFleetsDialogKind ? static_cast<cDialogFlot*>(top) : nullptr;
}

cDialogFlot::cDialogFlot(int zoneNodeId) : cDialog(kFleetsDialogKind, LayoutRow(kFleetsDialogKind)), m_ZoneId(zoneNodeId)
{
    const sWezelGrafuMorz* zone = Zone();
    AddText(551, LangFormat("fleets_title", zone ? zone->Name : std::wstring(L"-")), true);
    AddText(553, LangText("fleets_fleets_list"));
    AddListBoxFromLayout(kFleetsListId, 0);
    if (CDXUTListBox* list = ListOf(*this, kFleetsListId)) {
        list->SetColumns(7, LangText("fleets_list_fleets_columns"), 30, 5, 20, 15, 15, 13, 2);
        list->SetColumnSortTypes(7, LIST_SORT_TEXT, LIST_SORT_INTEGER, LIST_SORT_PERCENT, LIST_SORT_DECIMAL,
                                 LIST_SORT_TEXT, LIST_SORT_TEXT, LIST_SORT_TEXT);
        list->SetStyle(1);
        list->UpdateRects();
    }
    AddButtonFromLayout(kFleetsRenameId, LangText("fleets_rename_fleet").c_str(),
                        LangText("fleets_rename_fleet_hint").c_str());
    AddButtonFromLayout(kFleetsMoveId, LangText("fleets_move_fleet").c_str(), LangText("fleets_move_fleet_hint").c_str());
    AddCheckBoxFromLayout(kFleetsActiveId, LangText("fleets_active").c_str(), LangText("fleets_active_hint").c_str(),
                          false);
    AddText(559, LangText("fleets_formation"));
    AddRadioButtonFromLayout(kFleetsRegularId, 1, LangText("fleets_regular").c_str(), L"", false);
    AddRadioButtonFromLayout(kFleetsRaidersId, 1, LangText("fleets_raiders").c_str(), L"", false);
    // The ship's picture lies under the ships list, as its background; it starts on the
    // default picture, the scenario's own or else the common one.
    std::wstring fallback = ScenarioUnitPicturePath(L"default.png");
    if (!TryUnitPictureFile(fallback))
        TryUnitPictureFile(fallback = CommonUnitPicturePath(L"default.png"));
    if (TryUnitPictureFile(fallback))
        SetTexture(kShipPictureSlot, fallback);
    const sLayoutRect shipsRow = LayoutRow(kFleetsShipsId);
    AddImage(kFleetsPictureId, int(kShipPictureSlot), 0, 0, 256, 128, shipsRow.x, shipsRow.y, shipsRow.width,
             shipsRow.height);
    AddText(562, LangText("fleets_units_list"));
    if (CDXUTStatic* hint = AddText(563, LangText("fleets_units_list_hint")))
        hint->m_dwTextFormat = DT_RIGHT | DT_VCENTER;
    AddListBoxFromLayout(kFleetsShipsId, 1);
    if (CDXUTListBox* list = ListOf(*this, kFleetsShipsId)) {
        list->SetColumns(5, LangText("fleets_list_units_columns"), 40, 20, 15, 23, 2);
        list->SetColumnSortTypes(5, LIST_SORT_TEXT, LIST_SORT_PERCENT, LIST_SORT_DECIMAL, LIST_SORT_TEXT, LIST_SORT_TEXT);
        // The picture is the list's background: the middle of the list's own background
        // lets it through, dimmed enough that the rows still read over it.
        if (CDXUTElement* middle = list->GetElement(kListBodyMiddleElement))
            for (tColor& colour : middle->TextureColor.States)
                colour = (colour & 0x00FFFFFFu) | ((colour >> 24) * kListOverPictureAlpha / 255u) << 24;
    }
    const struct
    {
        int id;
        const char* key;
        const char* hint;
    } shipButtons[] = {
        {kFleetsNewFleetId, "fleets_create_fleet", "fleets_create_fleet_hint"},
        {kFleetsMoveShipsId, "fleets_move_group", "fleets_move_group_hint"},
        {kFleetsRenameShipId, "fleets_rename_group", "fleets_rename_group_hint"},
        {kFleetsCommanderId, "fleets_group_commander", "fleets_group_commander_hint"},
        {kFleetsRepairId, "fleets_repair_group", "fleets_repair_group_hint"},
        {kFleetsDisbandId, "fleets_disband_group", "fleets_disband_group_hint"},
        {kFleetsUnloadId, "fleets_unload", "fleets_unload_group_hint"},
        {kFleetsAirStrikeId, "fleets_attack_hex", "fleets_attack_hex_hint"},
        {kFleetsBombardId, "fleets_shore_bombardment", "fleets_shore_bombardment_hint"},
        {kFleetsReconId, "fleets_recon", "fleets_recon_hint"},
    };
    for (const auto& b : shipButtons)
        AddButtonFromLayout(b.id, LangText(b.key).c_str(), LangText(b.hint).c_str());
    AddText(576, LangText("fleets_transported"));
    AddText(kFleetsCargoId, LangText("fleets_transported_none"));
    AddButtonFromLayout(kFleetsCloseId, LangText("fleets_close").c_str(), LangText("fleets_close_hint").c_str());
    RefreshFleets(-1);
}

sWezelGrafuMorz* cDialogFlot::Zone() const
{
    return g_Gra && g_Gra->m_SeaGraph ? g_Gra->m_SeaGraph->GetNode(m_ZoneId) : nullptr;
}

std::vector<cFlota*> cDialogFlot::SelectedFleets() const
{
    std::vector<cFlota*> fleets;
    for (int id : m_SelectedFleets)
        if (cFlota* fleet = FindFleet(id))
            fleets.push_back(fleet);
    return fleets;
}

std::vector<cJednostkaMorska*> cDialogFlot::SelectedShips() const
{
    std::vector<cJednostkaMorska*> ships;
    for (int id : m_SelectedShips)
        if (cJednostkaMorska* ship = FindShip(id))
            ships.push_back(ship);
    return ships;
}

void cDialogFlot::RemoveFleetFromList(const cFlota* fleet)
{
    if (!fleet)
        return;
    auto at = std::find(m_SelectedFleets.begin(), m_SelectedFleets.end(), fleet->ID);
    if (at != m_SelectedFleets.end())
        m_SelectedFleets.erase(at);
}

cJednostkaMorska* cDialogFlot::GetSelectedShip(int index) const
{
    const std::vector<cJednostkaMorska*> ships = SelectedShips();
    if (ships.empty())
        return nullptr;
    return ships[size_t(std::clamp(index, 0, int(ships.size()) - 1))];
}

void cDialogFlot::SetButton(int id, bool enabled, const char* hintKey)
{
    CDXUTControl* control = GetControl(id);
    if (!control)
        return;
    control->SetEnabled(enabled);
    control->SetHint(LangText(hintKey));
}

// ---------------------------------------------------------------------------------------
// The fleets

int cDialogFlot::RefreshFleets(int keepSelection)
{
    CDXUTListBox* list = ListOf(*this, kFleetsListId);
    if (!list || !g_Gra)
        return 0;
    list->RemoveAllItems();
    const int countryId = ActiveCountryId();
    {
        cWindowLock lock;
        for (cFlota* fleet : g_Gra->m_Fleets) {
            if (fleet->seaNode != m_ZoneId || fleet->owner != countryId)
                continue;
            fleet->ClearShipSelection();
            const int strength = int(fleet->SumStrengthAndUnassign());
            int maximum = int(fleet->SumMaxStrength());
            if (maximum == 0)
                maximum = 1;
            list->AddItem(FormatText(L"%s;%i;%i%% (%i/%i);%.1f;%s;%s;%c", ListCellText(fleet->name), int(fleet->ships.size()),
                                     strength * 100 / maximum, strength, maximum, fleet->SumBombardmentValue(),
                                     LangText(fleet->formation == 0 ? "regular" : "raider"),
                                     LangText(fleet->isActive ? "active" : "passive"),
                                     fleet->GetBestCommander() ? L'+' : L' '),
                          reinterpret_cast<void*>(intptr_t(fleet->ID)));
            const bool wasSelected =
                std::find(m_SelectedFleets.begin(), m_SelectedFleets.end(), fleet->ID) != m_SelectedFleets.end();
            if (keepSelection == -1 && wasSelected)
                list->GetItem(list->GetSize() - 1)->bSelected = true;
        }
    }
    SelectFleets();
    return list->GetSize();
}

namespace {

// The row of the list that holds that id, alone selected and in view; false when none does.
bool SelectOnlyRowOf(CDXUTListBox* list, int id)
{
    for (int row = 0; list && row < list->GetSize(); ++row) {
        if (int(reinterpret_cast<intptr_t>(list->GetItem(row)->pData)) != id)
            continue;
        for (int other = 0; other < list->GetSize(); ++other)
            list->GetItem(other)->bSelected = false;
        list->SelectItem(row);
        list->GetItem(row)->bSelected = true;
        return true;
    }
    return false;
}

} // namespace

void cDialogFlot::ChooseFleetAndShip(int fleetId, int shipId)
{
    if (SelectOnlyRowOf(ListOf(*this, kFleetsListId), fleetId))
        SelectFleets();
    if (SelectOnlyRowOf(ListOf(*this, kFleetsShipsId), shipId))
        SelectShips();
}

void cDialogFlot::SelectFleets()
{
    LogLine(L"-- Selecting fleet");
    CDXUTListBox* list = ListOf(*this, kFleetsListId);
    if (!list)
        return;
    for (cFlota* fleet : SelectedFleets())
        fleet->ClearShipSelection();
    m_SelectedFleets.clear();
    for (int row = 0; row < list->GetSize(); ++row)
        if (list->GetItem(row)->bSelected)
            if (cFlota* fleet = ItemData(*list, row, FindFleet))
                m_SelectedFleets.push_back(fleet->ID);
    if (m_SelectedFleets.empty() && list->GetSize() > 0) {
        list->SelectItem(0);
        list->GetItem(0)->bSelected = true;
        if (cFlota* fleet = ItemData(*list, 0, FindFleet))
            m_SelectedFleets.push_back(fleet->ID);
    }
    const std::vector<cFlota*> fleets = SelectedFleets();
    if (fleets.empty()) {
        for (int id : {kFleetsRegularId, kFleetsRaidersId})
            if (auto* radio = static_cast<CDXUTRadioButton*>(GetControl(id, DXUT_CONTROL_RADIOBUTTON))) {
                radio->SetCheckedInternal(false, false, false, false);
                radio->SetEnabled(false);
            }
        if (auto* box = static_cast<CDXUTCheckBox*>(GetControl(kFleetsActiveId, DXUT_CONTROL_CHECKBOX))) {
            box->SetEnabled(false);
            box->SetCheckedInternal(false, false, false);
        }
        SetButton(kFleetsMoveId, false, "fleets_no_selection");
        SetButton(kFleetsRenameId, false, "fleets_no_selection");
    } else {
        UpdateFormation(fleets);
        UpdateFleetMove(fleets);
        LogLine(L"RENAME");
        if (fleets.size() == 1)
            SetButton(kFleetsRenameId, true, "fleets_rename_fleet_hint");
        else
            SetButton(kFleetsRenameId, false, "fleets_rename_fleet_hint_multiple_selection");
    }
    ReloadShips();
    LogLine(L"-- Selecting fleet done");
}

void cDialogFlot::UpdateFormation(const std::vector<cFlota*>& fleets)
{
    LogLine(L"FORMATION");
    auto* regular = static_cast<CDXUTRadioButton*>(GetControl(kFleetsRegularId, DXUT_CONTROL_RADIOBUTTON));
    auto* raiders = static_cast<CDXUTRadioButton*>(GetControl(kFleetsRaidersId, DXUT_CONTROL_RADIOBUTTON));
    auto* active = static_cast<CDXUTCheckBox*>(GetControl(kFleetsActiveId, DXUT_CONTROL_CHECKBOX));
    if (!regular || !raiders || !active)
        return;
    const bool same = std::all_of(fleets.begin(), fleets.end(),
                                  [&](const cFlota* f) { return f->formation == fleets.front()->formation; });
    for (CDXUTRadioButton* radio : {regular, raiders}) {
        radio->SetEnabled(true);
        radio->SetCheckedInternal(false, false, false, false);
    }
    if (same && fleets.front()->formation != 0) {
        raiders->SetCheckedInternal(true, false, false, false);
        active->SetEnabled(false);
        active->SetCheckedInternal(false, false, false);
        // Greyed, the box says why rather than what a passive fleet does.
        active->SetHint(LangText("fleets_active_hint_raiders"));
        return;
    }
    if (same)
        regular->SetCheckedInternal(true, false, false, false);
    // Raiders are always passive: only the regular fleets decide the box.
    bool isActive = true;
    for (const cFlota* fleet : fleets)
        if (fleet->formation == 0)
            isActive = isActive && fleet->isActive != 0;
    active->SetEnabled(true);
    active->SetCheckedInternal(isActive, false, false);
    active->SetHint(LangText(isActive ? "fleets_active_hint" : "fleets_passive_hint"));
}

void cDialogFlot::UpdateFleetMove(const std::vector<cFlota*>& fleets)
{
    LogLine(L"MOVE");
    if (std::any_of(fleets.begin(), fleets.end(), [](const cFlota* f) { return f->movedThisTurn != 0; })) {
        SetButton(kFleetsMoveId, false, "fleets_move_fleet_hint_already_moved");
        return;
    }
    std::list<int32_t> kept;
    {
        cWindowLock lock;
        for (cFlota* fleet : fleets)
            fleet->ComputeReachableZones();
        kept = fleets.front()->reachable;
        // Fleets that sail together go only where every one of them can.
        for (size_t k = 1; k < fleets.size(); ++k) {
            const std::list<int32_t>& own = fleets[k]->reachable;
            kept.remove_if([&](int zone) { return std::find(own.begin(), own.end(), zone) == own.end(); });
            fleets[k]->reachable = kept;
        }
    }
    if (kept.empty())
        SetButton(kFleetsMoveId, false, "fleets_move_fleet_hint_no_destination_available");
    else
        SetButton(kFleetsMoveId, true, "fleets_move_fleet_hint");
}

// ---------------------------------------------------------------------------------------
// The ships

void cDialogFlot::ReloadShips()
{
    LogLine(L"-- Reloading units");
    CDXUTListBox* list = ListOf(*this, kFleetsShipsId);
    if (!list)
        return;
    list->RemoveAllItems();
    const std::vector<cFlota*> fleets = SelectedFleets();
    if (fleets.size() == 1)
        for (const cJednostkaMorska* ship : fleets.front()->ships) {
            LogLine(L"Adding unit to list");
            list->AddItem(FormatText(L"%s;%i%% (%i/%i);%.1f;%s;%c", ListCellText(ship->m_Name),
                                     Percent(ship->m_HP, ship->m_MaxHP),
                                     ship->m_HP, ship->m_MaxHP, ship->GetBombardmentValue(),
                                     cUnit::GetSubtypeText(ship->m_Type), ship->m_Commander ? L'+' : L' '),
                          reinterpret_cast<void*>(intptr_t(ship->m_Id)));
        }
    SelectShips();
}

void cDialogFlot::DisableShipButtons(const char* hintKey)
{
    for (int id : {kFleetsNewFleetId, kFleetsMoveShipsId, kFleetsRenameShipId, kFleetsRepairId, kFleetsCommanderId,
                   kFleetsDisbandId, kFleetsUnloadId, kFleetsAirStrikeId, kFleetsBombardId, kFleetsReconId})
        SetButton(id, false, hintKey);
}

void cDialogFlot::SelectShips()
{
    LogLine(L"Selecting unit");
    m_SelectedShips.clear();
    LogLine(L"Passengers");
    std::wstring cargo;
    CDXUTListBox* list = ListOf(*this, kFleetsShipsId);
    const std::vector<cFlota*> fleets = SelectedFleets();
    if (!list)
        return;
    auto take = [&](int row) {
        cJednostkaMorska* ship = ItemData(*list, row, FindShip);
        if (!ship)
            return;
        m_SelectedShips.push_back(ship->m_Id);
        ship->m_Selected = true;
        if (ship->IsTransport() && ship->m_Cargo)
            cargo += (cargo.empty() ? L"" : L", ") + ship->m_Cargo->m_Name;
    };
    if (fleets.size() == 1) {
        cWindowLock lock;
        for (int row = 0; row < list->GetSize(); ++row) {
            if (list->GetItem(row)->bSelected)
                take(row);
            else if (cJednostkaMorska* ship = ItemData(*list, row, FindShip))
                ship->m_Selected = false;
        }
        if (m_SelectedShips.empty() && list->GetSize() > 0) {
            list->SelectItem(0);
            list->GetItem(0)->bSelected = true;
            take(0);
        }
    }
    const std::vector<cJednostkaMorska*> ships = SelectedShips();
    if (ships.empty()) {
        DisableShipButtons("fleets_no_unit_selected");
        return;
    }
    const bool one = ships.size() == 1;
    if (one) {
        LogLine(L"Loading image");
        ShowShipPicture(*ships.front());
    } else if (CDXUTControl* picture = GetControl(kFleetsPictureId)) {
        picture->SetVisible(false);
    }
    cFlota& fleet = *fleets.front();

    LogLine(L"NEW FLEET");
    SetButton(kFleetsNewFleetId, true, "fleets_create_fleet_hint");

    LogLine(L"MOVE");
    CDXUTListBox* fleetList = ListOf(*this, kFleetsListId);
    int destinations = 0;
    for (int row = 0; fleetList && row < fleetList->GetSize(); ++row)
        if (const cFlota* other = ItemData(*fleetList, row, FindFleet))
            destinations += other != &fleet && !other->movedThisTurn;
    if (fleet.movedThisTurn)
        SetButton(kFleetsMoveShipsId, false, "fleets_move_group_hint_fleet_already_moved");
    else if (destinations == 0)
        SetButton(kFleetsMoveShipsId, false, "fleets_move_group_hint_no_possible_destination_fleets");
    else
        SetButton(kFleetsMoveShipsId, true, "fleets_move_group_hint");

    LogLine(L"RENAME");
    SetButton(kFleetsRenameShipId, one, one ? "fleets_rename_group_hint" : "fleets_rename_group_hint_multiple_selection");
    LogLine(L"COMMANDER");
    SetButton(kFleetsCommanderId, one,
              one ? "fleets_group_commander_hint" : "fleets_group_commander_hint_multiple_selection");
    LogLine(L"REPAIR");
    if (one)
        UpdateRepair(*ships.front());
    else
        SetButton(kFleetsRepairId, false, "fleets_repair_group_hint_multiple_selection");
    LogLine(L"DISBAND");
    SetButton(kFleetsDisbandId, true, "fleets_disband_group_hint");
    UpdateUnload(ships, cargo);
    UpdateAirStrike(ships, fleet);
    UpdateBombardment(ships);
    UpdateRecon(ships);
}

void cDialogFlot::ShowShipPicture(const cJednostkaMorska& ship)
{
    const std::wstring file = FindUnitPictureFile({
        UnitNamePictureFile(ship.m_Name),
        FormatText(L"%i_1_%i.png", ship.m_Type, ship.m_Owner),
        FormatText(L"%i_1.png", ship.m_Type),
        FormatText(L"%i.png", ship.m_Type),
        L"default.png",
    });
    const bool loaded = !file.empty() && SetTexture(kShipPictureSlot, file) == S_OK;
    if (CDXUTControl* picture = GetControl(kFleetsPictureId))
        picture->SetVisible(loaded);
}

void cDialogFlot::UpdateRepair(const cJednostkaMorska& ship)
{
    const sWezelGrafuMorz* zone = Zone();
    const cPanstwo* country = ActiveCountry();
    const sGameConsts& k = GameConsts();
    const int t = std::clamp(ship.m_Type - UNIT_CARRIER, 0, 5);
    if (!zone || zone->Kind != SEA_NODE_PORT)
        SetButton(kFleetsRepairId, false, "fleets_repair_group_hint_move_to_port");
    else if (ship.m_HP >= ship.m_MaxHP)
        SetButton(kFleetsRepairId, false, "fleets_repair_group_hint_full_hp");
    else if (!ship.m_CanBeRepaired)
        SetButton(kFleetsRepairId, false, "fleets_repair_group_hint_already_repaired");
    else if (!country || k.ShipRepairCost[t] > country->PP)
        SetButton(kFleetsRepairId, false, "fleets_repair_group_hint_not_enough_pp");
    else if (zone->SizeCurrent < k.PortCapacityToRepair[t])
        SetButton(kFleetsRepairId, false, "fleets_repair_group_hint_port_to_small");
    else
        SetButton(kFleetsRepairId, true, "fleets_repair_group_hint");
}

void cDialogFlot::UpdateUnload(const std::vector<cJednostkaMorska*>& ships, const std::wstring& cargo)
{
    LogLine(L"UNLOAD");
    auto setCargo = [this](const std::wstring& text) {
        if (auto* line = static_cast<CDXUTStatic*>(GetControl(kFleetsCargoId, DXUT_CONTROL_STATIC)))
            line->SetText(text);
    };
    if (ships.size() > 1) {
        SetButton(kFleetsUnloadId, false, "fleets_unload_hint_multiple_selection");
        setCargo(cargo);
        return;
    }
    cJednostkaMorska& ship = *ships.front();
    if (!ship.IsTransport()) {
        SetButton(kFleetsUnloadId, false, "fleets_unload_hint_not_a_transport_unit");
        setCargo(LangText("fleets_transported_none"));
        return;
    }
    if (!ship.m_Cargo) {
        // Nothing aboard, nothing to put ashore.
        SetButton(kFleetsUnloadId, false, "fleets_unload_hint_nothing_aboard");
        setCargo(LangText("fleets_transported_none"));
        return;
    }
    const cJednostkaLadowa& unit = *ship.m_Cargo;
    const std::wstring commander = unit.m_Commander ? LangFormat("fleets_cargo_commander_%s", unit.m_Commander->Name)
                                                    : LangText("fleets_cargo_no_commander");
    setCargo(LangFormat("fleets_cargo_%s_%.2f_%d_%s", unit.m_Name, unit.GetCombatStrength(), int(unit.m_Level), commander));
    if (ship.MarkUnloadHexes(false) > 0) {
        SetButton(kFleetsUnloadId, true, "fleets_unload_hint");
        return;
    }
    const sWezelGrafuMorz* zone = Zone();
    const int kind = zone ? zone->Kind : SEA_NODE_SEA;
    if (ship.m_Type == UNIT_CARGO && kind == SEA_NODE_PORT)
        SetButton(kFleetsUnloadId, false, "fleets_unload_hint_move_to_sea_zone");
    else if (ship.m_Type == UNIT_AMPHIBIOUS && kind == SEA_NODE_SEA)
        SetButton(kFleetsUnloadId, false, "fleets_unload_hint_move_to_port");
    else
        SetButton(kFleetsUnloadId, false, "fleets_unload_hint_no_hex_available");
}

void cDialogFlot::UpdateAirStrike(const std::vector<cJednostkaMorska*>& ships, cFlota& fleet)
{
    LogLine(L"HEX ATTACK");
    const cJednostkaMorska& ship = *ships.front();
    if (ships.size() != 1)
        SetButton(kFleetsAirStrikeId, false, "fleets_attack_hex_hint_multiple_selection");
    else if (ship.m_Type != UNIT_CARRIER)
        SetButton(kFleetsAirStrikeId, false, "fleets_attack_hex_hint_not_a_carrier_unit");
    // A carrier at exactly the minimum still sends its aircraft.
    else if (ship.m_HP < GameConsts().CarrierHitPointsForAir)
        SetButton(kFleetsAirStrikeId, false, "fleets_attack_hex_hint_hp_to_low");
    else if (ship.m_AirstrikeDone)
        SetButton(kFleetsAirStrikeId, false, "fleets_attack_hex_hint_already_attacked_using_planes");
    else if (fleet.MarkAttackTargets(false) <= 0)
        SetButton(kFleetsAirStrikeId, false, "fleets_attack_hex_hint_no_target_hexes_in_range");
    else
        SetButton(kFleetsAirStrikeId, true, "fleets_attack_hex_hint");
}

void cDialogFlot::UpdateBombardment(const std::vector<cJednostkaMorska*>& ships)
{
    LogLine(L"SHORE BOMBARDMENT");
    int gunships = 0, done = 0;
    for (const cJednostkaMorska* ship : ships)
        if (ship->m_Type == UNIT_BATTLESHIP || ship->m_Type == UNIT_CRUISER) {
            ++gunships;
            done += ship->m_ShoreBombardmentDone;
        }
    cFlota* fleet = ships.front()->m_Fleet;
    if (gunships == 0)
        SetButton(kFleetsBombardId, false, "fleets_shorebombardment_hint_no_battleship_or_cruiser_selected");
    else if (done == gunships)
        SetButton(kFleetsBombardId, false,
                  "fleets_shorebombardment_hint_all_selected_battleships_and_cruisers_already_bombed");
    else if (!fleet || fleet->MarkShoreBombardmentTargets(false) == 0)
        SetButton(kFleetsBombardId, false, "fleets_shorebombardment_hint_no_target_hexes_in_range");
    else
        SetButton(kFleetsBombardId, true, "fleets_shorebombardment_hint");
}

void cDialogFlot::UpdateRecon(const std::vector<cJednostkaMorska*>& ships)
{
    LogLine(L"RECON");
    int carriers = 0, done = 0;
    for (const cJednostkaMorska* ship : ships)
        if (ship->m_Type == UNIT_CARRIER) {
            ++carriers;
            done += ship->m_ReconDone;
        }
    cFlota* fleet = ships.front()->m_Fleet;
    if (carriers == 0)
        SetButton(kFleetsReconId, false, "fleets_recon_hint_no_aircraft_carrier_selected");
    else if (done == carriers)
        SetButton(kFleetsReconId, false, "fleets_recon_hint_all_selected_aircraft_carriers_already_used_recon");
    else if (!fleet || fleet->MarkReconTargets(false) == 0)
        SetButton(kFleetsReconId, false, "fleets_recon_hint_no_target_hexes_in_range");
    else
        SetButton(kFleetsReconId, true, "fleets_recon_hint");
}

// ---------------------------------------------------------------------------------------
// Commands

void cDialogFlot::OnGUIEvent(unsigned, int controlId, CDXUTControl*)
{
    switch (controlId) {
    case kFleetsListId: SelectFleets(); break;
    case kFleetsShipsId: SelectShips(); break;
    case kFleetsRenameId: OnRenameFleetPressed(); break;
    case kFleetsMoveId: OnMoveFleetPressed(); break;
    case kFleetsActiveId: OnActiveChanged(); break;
    case kFleetsRegularId: OnRegularPressed(); break;
    case kFleetsRaidersId: OnRaidersPressed(); break;
    case kFleetsCloseId: OnClosePressed(); break;
    case kFleetsNewFleetId: OnNewFleetPressed(); break;
    case kFleetsMoveShipsId: OnMoveShipsPressed(); break;
    case kFleetsRenameShipId: OnRenameShipPressed(); break;
    case kFleetsCommanderId: OnCommanderPressed(); break;
    case kFleetsRepairId: OnRepairPressed(); break;
    case kFleetsDisbandId: OnDisbandPressed(); break;
    case kConfirmYesId: OnDisbandConfirmed(); break;
    case kFleetsUnloadId: OnUnloadPressed(); break;
    case kFleetsReconId: OnReconPressed(); break;
    case kFleetsAirStrikeId: OnAirStrikePressed(); break;
    case kFleetsBombardId: OnBombardPressed(); break;
    default: break;
    }
}

void cDialogFlot::OnKeyboard(unsigned key, bool keyDown, bool)
{
    if (!keyDown || (key != VK_RETURN && key != VK_ESCAPE))
        return;
    EnableNonUserEvents(true);
    SendEvent(EVENT_BUTTON_CLICKED, false, GetControl(kFleetsCloseId), false);
    EnableNonUserEvents(false);
}

void cDialogFlot::OnRenameFleetPressed()
{
    const std::vector<cFlota*> fleets = SelectedFleets();
    if (fleets.size() != 1)
        return;
    m_Pending = PENDING_RENAME_FLEET;
    PushDialog(new cDialogPobraniaTekstu(LangText("fleet_rename_title"), LangText("fleet_rename_name"),
                                         fleets.front()->name));
}

void cDialogFlot::BeginTargeting(int pending, int orderMode)
{
    SetVisible(false);
    if (pending != PENDING_NONE)
        m_Pending = pending;
    if (g_Gra && g_Gra->m_PlayState)
        g_Gra->m_PlayState->SetOrderMode(orderMode);
}

void cDialogFlot::OnMoveFleetPressed()
{
    const std::vector<cFlota*> fleets = SelectedFleets();
    if (fleets.empty())
        return;
    {
        cWindowLock lock;
        fleets.front()->MarkReachableZones();
    }
    BeginTargeting(PENDING_NONE, ORDER_FLEET_MOVE);
}

void cDialogFlot::OnActiveChanged()
{
    auto* box = static_cast<CDXUTCheckBox*>(GetControl(kFleetsActiveId, DXUT_CONTROL_CHECKBOX));
    const std::vector<cFlota*> fleets = SelectedFleets();
    if (!box || fleets.empty())
        return;
    {
        cWindowLock lock;
        for (cFlota* fleet : fleets)
            if (fleet->formation == 0)
                fleet->isActive = box->GetChecked() ? 1 : 0;
    }
    RefreshFleets(-1);
}

void cDialogFlot::OnRegularPressed()
{
    const std::vector<cFlota*> fleets = SelectedFleets();
    if (fleets.empty())
        return;
    {
        cWindowLock lock;
        for (cFlota* fleet : fleets)
            fleet->formation = 0;
    }
    RefreshFleets(-1);
}

void cDialogFlot::OnRaidersPressed()
{
    const std::vector<cFlota*> fleets = SelectedFleets();
    if (fleets.empty())
        return;
    {
        cWindowLock lock;
        for (cFlota* fleet : fleets) {
            fleet->formation = 1;
            fleet->isActive = 0;
        }
    }
    RefreshFleets(-1);
}

void cDialogFlot::OnClosePressed() { CloseTopDialogs(1); }

void cDialogFlot::OnNewFleetPressed()
{
    const std::vector<cFlota*> fleets = SelectedFleets();
    CDXUTListBox* ships = ListOf(*this, kFleetsShipsId);
    if (fleets.size() != 1 || !ships || ships->GetSelectedIndex() < 0 || !g_Gra)
        return;
    {
        cWindowLock lock;
        cFlota* source = fleets.front();
        cFlota* fleet = cFlota::SplitFrom(*source);
        fleet->TakeSelectedShipsOf(*source);
        g_Gra->m_Fleets.push_back(fleet);
        source->RemoveSelectedShips();
        if (source->ships.empty()) {
            m_SelectedFleets.clear();
            source->Delete();
            m_SelectedFleets.push_back(fleet->ID);
        }
        RecalculateVisibility();
    }
    RefreshFleets(-1);
}

void cDialogFlot::OnMoveShipsPressed()
{
    const std::vector<cFlota*> fleets = SelectedFleets();
    CDXUTListBox* fleetList = ListOf(*this, kFleetsListId);
    if (fleets.size() != 1 || m_SelectedShips.empty() || !fleetList)
        return;
    m_Pending = PENDING_MOVE_SHIPS;
    auto* choice = new cDialogPobraniaListy(LangText("fleets_move_group_title"), LangText("fleets_move_group_list"));
    PushDialog(choice);
    for (int row = 0; row < fleetList->GetSize(); ++row) {
        const cFlota* other = ItemData(*fleetList, row, FindFleet);
        if (other && other != fleets.front() && !other->movedThisTurn)
            choice->AddRow(ListCellText(other->name), other->ID);
    }
    if (auto* list = static_cast<CDXUTListBox*>(choice->GetControl(kListChoiceListId, DXUT_CONTROL_LISTBOX)))
        if (list->GetSize() > 0)
            list->SelectItem(0, true);
}

void cDialogFlot::OnRenameShipPressed()
{
    const std::vector<cJednostkaMorska*> ships = SelectedShips();
    if (SelectedFleets().size() != 1 || ships.size() != 1)
        return;
    m_Pending = PENDING_RENAME_SHIP;
    PushDialog(new cDialogPobraniaTekstu(LangText("fleets_rename_group_title"), LangText("fleets_rename_group_name"),
                                         ships.front()->m_Name));
}

void cDialogFlot::OnCommanderPressed()
{
    cJednostkaMorska* ship = GetSelectedShip(0);
    if (!ship)
        return;
    SetVisible(false);
    // Not its owner: the commanders window names the fleets manager its owner, the ship
    // commands open it without one; this window hears of the close through its reactivation.
    PushDialog(new cDialogDowodcow(*ship));
    m_Pending = PENDING_COMMANDER;
}

void cDialogFlot::OnRepairPressed()
{
    cJednostkaMorska* ship = GetSelectedShip(0);
    cPanstwo* country = ActiveCountry();
    if (!ship || !country)
        return;
    const int t = std::clamp(ship->m_Type - UNIT_CARRIER, 0, 5);
    {
        cWindowLock lock;
        ship->ChangeHitPoints(1.0f);
        ship->m_CanBeRepaired = false;
        country->AddProductionPoints(-GameConsts().ShipRepairCost[t]);
    }
    ReloadShips();
}

void cDialogFlot::OnDisbandPressed()
{
    const std::vector<cJednostkaMorska*> ships = SelectedShips();
    if (SelectedFleets().size() != 1 || ships.empty())
        return;
    const std::wstring question = ships.size() == 1 ? LangFormat("disband_question_%s", ships.front()->m_Name)
                                                    : LangText("disband_question_multiple_units");
    auto* confirm = new cDialogPotwierdzenia(LangText("disband_title"), question, LangText("disband_yes"),
                                             LangText("disband_yes_hint"), LangText("disband_no"),
                                             LangText("disband_no_hint"));
    confirm->SetOwner(this);
    PushDialog(confirm);
}

void cDialogFlot::OnDisbandConfirmed()
{
    const std::vector<cFlota*> fleets = SelectedFleets();
    const std::vector<cJednostkaMorska*> ships = SelectedShips();
    if (fleets.empty() || ships.empty())
        return;
    {
        cWindowLock lock;
        if (ships.size() == fleets.front()->ships.size())
            m_SelectedFleets.clear();
        for (cJednostkaMorska* ship : ships)
            ship->Kill(true);
        m_SelectedShips.clear();
        RecalculateVisibility();
    }
    RefreshFleets(m_SelectedFleets.empty() ? -1 : 0);
}

void cDialogFlot::OnUnloadPressed()
{
    cJednostkaMorska* ship = GetSelectedShip(0);
    if (SelectedFleets().size() != 1 || !ship)
        return;
    {
        cWindowLock lock;
        ship->MarkUnloadHexes(true);
    }
    BeginTargeting(PENDING_UNLOAD, ORDER_UNLOAD);
}

void cDialogFlot::OnReconPressed()
{
    const std::vector<cFlota*> fleets = SelectedFleets();
    if (fleets.size() != 1 || m_SelectedShips.empty())
        return;
    {
        cWindowLock lock;
        fleets.front()->MarkReconTargets(true);
    }
    BeginTargeting(PENDING_RECON, ORDER_RECONNAISSANCE);
}

void cDialogFlot::OnAirStrikePressed()
{
    const std::vector<cFlota*> fleets = SelectedFleets();
    if (fleets.size() != 1 || m_SelectedShips.size() != 1)
        return;
    {
        cWindowLock lock;
        fleets.front()->MarkAttackTargets(true);
    }
    BeginTargeting(PENDING_AIR_STRIKE, ORDER_AIR_BOMBARDMENT);
}

void cDialogFlot::OnBombardPressed()
{
    const std::vector<cFlota*> fleets = SelectedFleets();
    if (fleets.size() != 1 || m_SelectedShips.empty())
        return;
    {
        cWindowLock lock;
        fleets.front()->MarkShoreBombardmentTargets(true);
    }
    BeginTargeting(PENDING_BOMBARD, ORDER_SHORE_BOMBARDMENT);
}

void cDialogFlot::OnReactivate()
{
    const std::vector<cFlota*> fleets = SelectedFleets();
    const std::vector<cJednostkaMorska*> ships = SelectedShips();
    {
        cWindowLock lock;
        if (fleets.size() == 1 && m_Pending == PENDING_RENAME_FLEET) {
            fleets.front()->SetName(g_TextInputResult);
        } else if (!fleets.empty() && !ships.empty() && m_Pending == PENDING_RENAME_SHIP) {
            ships.front()->SetName(g_TextInputResult);
        } else if (fleets.size() == 1 && !ships.empty() && m_Pending == PENDING_MOVE_SHIPS) {
            // Only an answer given to this question counts; Cancel leaves none.
            cFlota* target = g_ListDialogResult.empty() ? nullptr : FindFleet(int(g_ListDialogResult.front()));
            cFlota* source = fleets.front();
            if (target && target != source && target->seaNode == source->seaNode) {
                source->TransferSelectedShips(*target);
                if (source->ships.empty()) {
                    source->Delete();
                    m_SelectedFleets.clear();
                }
                RecalculateVisibility();
            }
            g_ListDialogResult.clear();
        } else if (!ships.empty() && m_Pending == PENDING_COMMANDER) {
            // The zone's best commander leads the ships without one of their own.
            if (sWezelGrafuMorz* zone = ships.front()->m_Fleet ? ships.front()->m_Fleet->GetSeaNode() : nullptr)
                zone->ShareBestCommander(ships.front()->m_Owner);
        }
    }
    m_Pending = PENDING_NONE;
    if (RefreshFleets(-1) < 1) {
        CloseTopDialogs(1);
        return;
    }
    // A window hidden for an order on the map comes back after the player's delay.
    m_CountdownPaused = false;
    m_ExpiryAction = EXPIRY_SHOW;
    m_Countdown = g_DelayValues[4] / 1000.0f;
}
