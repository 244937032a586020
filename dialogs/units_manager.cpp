#include "dialogs/units_manager.h"

#include <algorithm>

#include "core/log.h"
#include "core/settings.h"
#include "core/stringbase.h"
#include "dialogs/fleets_manager.h"
#include "game/game.h"
#include "game/play_state.h"
#include "gui/controls.h"
#include "units/air_unit.h"
#include "units/land_unit.h"
#include "units/naval_unit.h"
#include "world/country.h"
#include "world/fleet.h"
#include "world/map.h"
#include "world/sea_graph.h"

uint32_t g_UnitsMgrLandFilter = ~0u;
uint32_t g_UnitsMgrAirFilter = ~0u;
uint32_t g_UnitsMgrNavalFilter = ~0u;
bool g_UnitsMgrAutoCenter = true;
int g_UnitsMgrToDeploy = 0;
sUnitsMgrChoice g_UnitsMgrSelectedUnit;

namespace {

constexpr int kTabLand = 0, kTabAir = 1, kTabNaval = 2;

CDXUTListBox* List(CDXUTDialog& dialog)
{
    return static_cast<CDXUTListBox*>(dialog.GetControl(kUnitsListId, DXUT_CONTROL_LISTBOX));
}

CDXUTTabFrame* Tabs(CDXUTDialog& dialog, int id)
{
    return static_cast<CDXUTTabFrame*>(dialog.GetControl(id, DXUT_CONTROL_TABFRAME));
}

CDXUTCheckBox* Box(CDXUTDialog& dialog, int id)
{
    return static_cast<CDXUTCheckBox*>(dialog.GetControl(id, DXUT_CONTROL_CHECKBOX));
}

int TypeOfFilter(int tab, int index) { return tab == kTabLand ? index : tab == kTabAir ? 20 + index : 40 + index; }

bool Shows(uint32_t mask, const cUnit& unit) { return (mask >> (unit.m_Type % 20)) & 1u; }

wchar_t Mark(bool on) { return on ? L'+' : L' '; }

int CountDeployHexes(cUnit& unit, bool mark)
{
    if (auto* deployable = dynamic_cast<cJednostka*>(&unit))
        return deployable->MarkActionTargets(mark);
    if (auto* ship = dynamic_cast<cJednostkaMorska*>(&unit))
        return ship->MarkActionTargets(mark);
    return 0;
}

template <class List>
cUnit* FindIn(const List& units, int category, int id)
{
    for (cUnit* unit : units)
        if (unit->m_Id == id && unit->m_Category == category)
            return unit;
    return nullptr;
}

} // namespace

void SetFilterBit(uint32_t& mask, int bit, bool on)
{
    if (bit < 0 || bit > 31)
        return;
    if (on)
        mask |= 1u << bit;
    else
        mask &= ~(1u << bit);
}

cUnit* UnitsMgrSelectedUnit()
{
    const sUnitsMgrChoice& c = g_UnitsMgrSelectedUnit;
    if (!g_Gra || c.id == 0)
        return nullptr;
    if (c.category == CATEGORY_LAND)
        if (cUnit* unit = g_Gra->FindLandUnitById(c.id))
            return unit;
    if (c.category == CATEGORY_AIR)
        if (cUnit* unit = g_Gra->FindAirUnitById(c.id))
            return unit;
    if (c.category == CATEGORY_NAVAL)
        if (cUnit* unit = g_Gra->FindNavalUnitById(c.id))
            return unit;
    if (c.category == CATEGORY_NAVAL)
        return FindIn(g_Gra->m_NavalReserve, c.category, c.id);
    return FindIn(g_Gra->m_Reserve, c.category, c.id);
}

cDialogJednostek::cDialogJednostek(int countryId)
    : cDialog(kUnitsDialogKind, LayoutRow(kUnitsDialogKind)), m_CountryId(countryId)
{
    g_UnitsMgrSelectedUnit = {};
    const cPanstwo* country = GetCountry(countryId);
    AddTabFrame(kUnitsKindTabsId);
    AddText(481, LangFormat("units_mgr_units_list_for_country_%s", country ? country->Name : std::wstring(L"-")), true);
    for (int i = 0; i < 7; ++i)
        AddCheckBoxFromLayout(kUnitsFirstLandFilterId + i, L"", L"", (g_UnitsMgrLandFilter >> i) & 1u);
    const char* air[] = {"unit_type_fighters", "unit_type_tactical_bombers", "unit_type_strategic_bombers"};
    for (int i = 0; i < 3; ++i)
        AddCheckBoxFromLayout(kUnitsFirstAirFilterId + i, LangText(air[i]).c_str(), nullptr, (g_UnitsMgrAirFilter >> i) & 1u);
    const char* naval[] = {"unit_type_carrier", "unit_type_battleship", "unit_type_cruiser",
                           "unit_type_submarine", "unit_type_cargo", "unit_type_amphibious"};
    for (int i = 0; i < 6; ++i)
        AddCheckBoxFromLayout(kUnitsFirstNavalFilterId + i, LangText(naval[i]).c_str(), nullptr,
                              (g_UnitsMgrNavalFilter >> i) & 1u);
    if (CDXUTTabFrame* tabs = Tabs(*this, kUnitsKindTabsId)) {
        tabs->AddTab(LangText("units_mgr_units_list_tab_land").c_str(), 0, 484, 490);
        tabs->AddTab(LangText("units_mgr_units_list_tab_air").c_str(), 0, 491, 493);
        tabs->AddTab(LangText("units_mgr_units_list_tab_naval").c_str(), 0, 494, 499);
        tabs->SelectTab(0, false);
    }
    AddTabFrame(kUnitsPlaceTabsId);
    if (CDXUTTabFrame* tabs = Tabs(*this, kUnitsPlaceTabsId)) {
        tabs->AddTab(LangText("units_mgr_units_list_tab_on_map").c_str(), 0, 0, -1);
        tabs->AddTab(LangText("units_mgr_units_list_tab_to_deploy").c_str(), 1, 0, -1);
        // Without its event: this window is not open yet, so the event would reach the one
        // below; the list is filled for the chosen tab at the end all the same.
        tabs->SelectTab(g_UnitsMgrToDeploy == 1 ? 1 : 0, false);
    }
    AddListBoxFromLayout(kUnitsListId, 0);
    if (CDXUTListBox* list = List(*this))
        list->SetColumns(5, LangText("units_mgr_list_land_onmap_columns"), 35, 15, 5, 25, 20);
    AddButtonFromLayout(kUnitsSelectId, LangText("units_mgr_select").c_str(), LangText("units_mgr_select_hint").c_str());
    AddCheckBoxFromLayout(kUnitsAutoCenterId, LangText("units_mgr_auto_center_view").c_str(), nullptr,
                          g_UnitsMgrAutoCenter);
    // The box belongs to the map tab; switching tabs shows or hides it with the tab.
    if (CDXUTCheckBox* box = Box(*this, kUnitsAutoCenterId))
        box->SetVisible(g_UnitsMgrToDeploy == 0);
    AddButtonFromLayout(kUnitsCloseId, LangText("units_mgr_close").c_str(), LangText("units_mgr_close_hint").c_str());
    RefreshList(-1);
}

// A deployment the window started must not outlive it: the map's next click would place a
// unit the player no longer has before him (or one gone since).
cDialogJednostek::~cDialogJednostek()
{
    g_UnitsMgrSelectedUnit = {};
    if (g_Gra && g_Gra->m_PlayState) {
        const int mode = g_Gra->m_PlayState->GetOrderMode();
        if (mode == ORDER_DEPLOY || mode == ORDER_DEPLOY_2 || mode == ORDER_SHIP_TO_SEA)
            g_Gra->m_PlayState->SetOrderMode(ORDER_SELECT);
    }
}

int cDialogJednostek::KindTab()
{
    CDXUTTabFrame* tabs = Tabs(*this, kUnitsKindTabsId);
    return tabs ? std::clamp(tabs->GetSelectedIndex(), 0, 2) : kTabLand;
}

int cDialogJednostek::FirstFilterId(int tab) const
{
    return tab == kTabLand ? kUnitsFirstLandFilterId : tab == kTabAir ? kUnitsFirstAirFilterId : kUnitsFirstNavalFilterId;
}

int cDialogJednostek::FilterCount(int tab) const { return tab == kTabLand ? 7 : tab == kTabAir ? 3 : 6; }

uint32_t& cDialogJednostek::FilterOf(int tab) const
{
    return tab == kTabLand ? g_UnitsMgrLandFilter : tab == kTabAir ? g_UnitsMgrAirFilter : g_UnitsMgrNavalFilter;
}

void cDialogJednostek::LabelFilters(int tab)
{
    if (!g_Gra)
        return;
    const cPanstwo* country = GetCountry(m_CountryId);
    if (!country)
        return;
    // Units of each type: on the map (ships in fleets), then waiting in the reserve.
    ForceSummary forces;
    country->CollectForceSummary(forces);
    for (int i = 0; i < FilterCount(tab); ++i) {
        const int type = TypeOfFilter(tab, i);
        const auto& row = forces[size_t(DisplayRowOfType(type))];
        if (CDXUTCheckBox* box = Box(*this, FirstFilterId(tab) + i))
            box->SetText(FormatText(L"%s (%i+[%i])", cUnit::GetSubtypeText(type), row[0], row[1]));
    }
}

void cDialogJednostek::RefreshList(int unitId)
{
    CDXUTListBox* list = List(*this);
    if (!list)
        return;
    list->RemoveAllItems();
    const int tab = KindTab();
    const bool deploy = g_UnitsMgrToDeploy == 1;
    const char* kinds[] = {"land", "air", "naval"};
    const std::string titleKey =
        std::string("units_mgr_list_") + kinds[tab] + (deploy ? "_todeploy_columns" : "_onmap_columns");
    const std::wstring& titles = LangText(titleKey);
    if (!deploy && tab != kTabNaval) {
        list->SetColumns(14, titles, 30, 12, 3, 8, 18, 3, 2, 2, 2, 2, 2, 2, 2, 2);
        list->SetColumnSortTypes(14, LIST_SORT_TEXT, LIST_SORT_PERCENT_OF, LIST_SORT_INTEGER, LIST_SORT_INTEGER,
                                 LIST_SORT_TEXT, LIST_SORT_INTEGER, LIST_SORT_TEXT, LIST_SORT_TEXT, LIST_SORT_TEXT,
                                 LIST_SORT_TEXT, LIST_SORT_TEXT, LIST_SORT_TEXT, LIST_SORT_TEXT, LIST_SORT_TEXT);
    } else if (!deploy) {
        // The names take 23 per cent, not 20: at 20 the longest ships' names of Europe 1939
        // ("Seetransportgruppe Hamburg") are cut, and an earlier report asked for them whole.
        list->SetColumns(6, titles, 23, 12, 15, 22, 24, 4);
        list->SetColumnSortTypes(6, LIST_SORT_TEXT, LIST_SORT_PERCENT_OF, LIST_SORT_TEXT, LIST_SORT_TEXT, LIST_SORT_TEXT,
                                 LIST_SORT_TEXT);
    } else if (tab != kTabNaval) {
        list->SetColumns(4, titles, 30, 18, 3, 40);
        list->SetColumnSortTypes(4, LIST_SORT_TEXT, LIST_SORT_TEXT, LIST_SORT_INTEGER, LIST_SORT_TEXT);
    } else {
        list->SetColumns(3, titles, 30, 18, 40);
        list->SetColumnSortTypes(3, LIST_SORT_TEXT, LIST_SORT_TEXT, LIST_SORT_TEXT);
    }
    if (!deploy)
        list->SetColumnHints(LangText(titleKey + "_hint"));
    if (auto* button = static_cast<CDXUTButton*>(GetControl(kUnitsSelectId, DXUT_CONTROL_BUTTON)))
        button->SetText(LangText(deploy ? "units_mgr_deploy" : "units_mgr_select"));
    LabelFilters(tab);
    ListUnits(tab);
    SelectUnit(list->GetSize() > 0 ? unitId : -1);
}

void cDialogJednostek::ListUnits(int tab)
{
    CDXUTListBox* list = List(*this);
    if (!list || !g_Gra)
        return;
    const uint32_t mask = FilterOf(tab);
    auto add = [&](const cUnit& unit, const std::wstring& row) {
        list->AddItem(row, reinterpret_cast<void*>(intptr_t(unit.m_Id)));
    };
    auto landOrAirRow = [](const cJednostka& u, bool land) {
        const float full = u.GetFullStrengthValue();
        const float effective = u.GetEffectiveStrength();
        std::wstring marks;
        const bool checks[8] = {
            land ? u.GetUpgradeToCorpsHint(nullptr) : u.GetLevelUpHint(nullptr),
            land ? u.GetLevelUpHint(nullptr) : u.m_Commander != nullptr,
            land ? u.m_Commander != nullptr : u.GetStrategicMoveHint(nullptr),
            land ? u.GetStrategicMoveHint(nullptr) : u.GetReinforceHint(nullptr),
            land ? u.GetReinforceHint(nullptr) : u.GetAirFightHint(nullptr),
            land ? u.GetAirborneAssaultHint(nullptr) : u.GetBombardmentHint(nullptr),
            land ? u.GetSeaTransportHint(nullptr) : u.GetNuclearStrikeHint(nullptr),
            land ? u.GetAmphibiousTransportHint(nullptr) : u.GetReconHint(nullptr),
        };
        for (bool check : checks)
            marks += FormatText(L";%c", Mark(check));
        // A unit of no full strength (damaged data) shows 0 rather than a division by nothing.
        return FormatText(L"%s;%.0f%% (%.1f/%.1f);%i;%i;%s;%i", ListCellText(u.m_Name), full > 0 ? effective * 100.0f / full : 0.0f,
                          effective, full, u.m_ActionPoints, u.m_Supply, cUnit::GetSubtypeText(u.m_Type), u.m_Level) +
               marks;
    };
    auto availability = [](const cUnit& u) {
        return u.m_AvailableInTurns >= 1 ? LangFormat("units_mgr_units_list_avail_in_%i_turns", u.m_AvailableInTurns)
                                         : LangText("units_mgr_units_list_avail_now");
    };
    auto ours = [&](const cUnit& u) { return u.m_Owner == m_CountryId && Shows(mask, u); };

    if (g_UnitsMgrToDeploy == 0) {
        if (tab == kTabLand) {
            for (const cJednostkaLadowa* u : g_Gra->m_LandUnits)
                if (ours(*u))
                    add(*u, landOrAirRow(*u, true));
        } else if (tab == kTabAir) {
            for (const cJednostkaLotnicza* u : g_Gra->m_AirUnits)
                if (ours(*u))
                    add(*u, landOrAirRow(*u, false));
        } else {
            for (const cJednostkaMorska* s : g_Gra->m_NavalUnits) {
                if (!ours(*s))
                    continue;
                const sWezelGrafuMorz* zone = s->m_Fleet ? s->m_Fleet->GetSeaNode() : nullptr;
                // A ship of no maximum (damaged data) shows 0 rather than a division by nothing.
                add(*s, FormatText(L"%s;%i%% (%i/%i);%s;%s;%s;%c", ListCellText(s->m_Name), s->m_MaxHP > 0 ? s->m_HP * 100 / s->m_MaxHP : 0,
                                   s->m_HP, s->m_MaxHP, cUnit::GetSubtypeText(s->m_Type),
                                   s->m_Fleet ? ListCellText(s->m_Fleet->name) : std::wstring(L"-"),
                                   zone ? ListCellText(zone->Name) : std::wstring(L"-"), Mark(s->m_Commander != nullptr)));
            }
        }
        return;
    }
    if (tab != kTabNaval) {
        for (const cUnit* u : g_Gra->m_Reserve) {
            const auto* unit = dynamic_cast<const cJednostka*>(u);
            if (unit && u->m_Category == tab && ours(*u))
                add(*u, FormatText(L"%s;%s;%i;%s", ListCellText(u->m_Name), cUnit::GetSubtypeText(u->m_Type), unit->m_Level,
                                   availability(*u)));
        }
        return;
    }
    for (const cJednostkaMorska* s : g_Gra->m_NavalReserve)
        if (ours(*s)) {
            const std::wstring row = FormatText(L"%s;%s;%s", ListCellText(s->m_Name), cUnit::GetSubtypeText(s->m_Type), availability(*s));
            LogLine(row);
            add(*s, row);
        }
}

void cDialogJednostek::SelectUnit(int unitId)
{
    CDXUTListBox* list = List(*this);
    if (!list)
        return;
    const int tab = KindTab();
    if (unitId < 1 && list->GetSize() > 0)
        unitId = int(reinterpret_cast<intptr_t>(list->GetItem(0)->pData));
    g_UnitsMgrSelectedUnit = {};
    for (int row = 0; row < list->GetSize(); ++row)
        if (int(reinterpret_cast<intptr_t>(list->GetItem(row)->pData)) == unitId) {
            list->SelectItem(row);
            g_UnitsMgrSelectedUnit = {tab, unitId};
            break;
        }
    cUnit* unit = UnitsMgrSelectedUnit();
    CDXUTControl* button = GetControl(kUnitsSelectId);
    if (!button)
        return;
    auto set = [&](bool enabled, const char* hintKey) {
        button->SetEnabled(enabled);
        button->SetHint(LangText(hintKey));
    };
    if (!unit)
        set(false, "units_mgr_select_hint_no_unit_selected");
    else if (g_UnitsMgrToDeploy == 0)
        set(true, "units_mgr_select_hint");
    else if (unit->m_AvailableInTurns >= 1)
        set(false, "units_mgr_deploy_hint_not_ready_to_deploy");
    else if (CountDeployHexes(*unit, false) == 0)
        set(false, "units_mgr_deploy_hint_no_destination_hexes");
    else
        set(true, "units_mgr_deploy_hint");
}

void cDialogJednostek::CenterOnSelected(bool afterAutoCenter)
{
    cUnit* unit = UnitsMgrSelectedUnit();
    if (!unit || !g_Gra || !g_Gra->m_PlayState)
        return;
    if (auto* ship = dynamic_cast<cJednostkaMorska*>(unit)) {
        const sWezelGrafuMorz* zone = ship->m_Fleet ? ship->m_Fleet->GetSeaNode() : nullptr;
        if (zone) {
            if (zone->Kind == SEA_NODE_PORT)
                CenterCameraOn(zone->OwnShipsX, zone->OwnShipsY);
            else
                CenterCameraOn(zone->MainX, zone->MainY);
        }
        if (!afterAutoCenter)
            return;
    } else if (unit->IsOnMap()) {
        CenterCameraOn(unit->m_X, unit->m_Y);
    }
    // A ship, or a unit in the reserve, has no hex of its own to select.
    if (!unit->IsOnMap())
        return;
    cWindowLock lock;
    g_Gra->m_PlayState->DeselectAll();
    g_Gra->m_PlayState->SelectHex(unit->m_X, unit->m_Y);
}

void cDialogJednostek::OnGUIEvent(unsigned, int controlId, CDXUTControl*)
{
    if (controlId >= kUnitsFirstLandFilterId && controlId < kUnitsFirstNavalFilterId + 6) {
        OnFilterChanged(controlId);
        return;
    }
    switch (controlId) {
    case kUnitsKindTabsId: OnKindTabChosen(); break;
    case kUnitsListId: OnUnitChosen(); break;
    case kUnitsSelectId: OnSelectPressed(); break;
    case kUnitsAutoCenterId: OnAutoCenterChanged(); break;
    case kUnitsPlaceTabsId: OnPlaceTabChosen(); break;
    case kUnitsCloseId: OnClosePressed(); break;
    default: break;
    }
}

void cDialogJednostek::OnKindTabChosen() { RefreshList(-1); }

void cDialogJednostek::OnFilterChanged(int controlId)
{
    const int tab = controlId < kUnitsFirstAirFilterId ? kTabLand : controlId < kUnitsFirstNavalFilterId ? kTabAir : kTabNaval;
    if (CDXUTCheckBox* box = Box(*this, controlId))
        SetFilterBit(FilterOf(tab), controlId - FirstFilterId(tab), box->GetChecked());
    RefreshList(-1);
}

void cDialogJednostek::OnUnitChosen()
{
    CDXUTListBox* list = List(*this);
    // Nothing chosen, nothing to read.
    if (!list || list->GetSelectedIndex() < 0)
        return;
    SelectUnit(int(reinterpret_cast<intptr_t>(list->GetSelectedData())));
    if (g_UnitsMgrAutoCenter && g_UnitsMgrToDeploy == 0)
        CenterOnSelected(false);
}

void cDialogJednostek::OnSelectPressed()
{
    cUnit* unit = UnitsMgrSelectedUnit();
    if (!unit || !g_Gra || !g_Gra->m_PlayState)
        return;
    cPlayState& play = *g_Gra->m_PlayState;
    if (g_UnitsMgrToDeploy == 1) {
        {
            cWindowLock lock;
            play.DeselectAll();
            play.SetOrderMode(unit->m_Category == CATEGORY_LAND  ? ORDER_DEPLOY
                              : unit->m_Category == CATEGORY_AIR ? ORDER_DEPLOY_2
                                                                 : ORDER_SHIP_TO_SEA);
            CountDeployHexes(*unit, true);
        }
        SetVisible(false);
        return;
    }
    if (auto* ship = dynamic_cast<cJednostkaMorska*>(unit)) {
        SelectFleetOf(*ship);
        return;
    }
    if (unit->IsOnMap()) {
        CenterCameraOn(unit->m_X, unit->m_Y);
        cWindowLock lock;
        play.SelectHex(unit->m_X, unit->m_Y);
        if (auto* movable = dynamic_cast<cJednostka*>(unit))
            movable->ComputeMoveRange(false);
    }
    play.SetOrderMode(unit->m_Category == CATEGORY_LAND  ? ORDER_MOVE
                      : unit->m_Category == CATEGORY_AIR ? ORDER_REBASE
                                                         : ORDER_SELECT);
    CloseTopDialogs(1);
}

// A ship stands on no hex of its own: Select shows its zone and selects that hex, which
// brings up the zone's fleets as a click there does, with the ship chosen.
void cDialogJednostek::SelectFleetOf(const cJednostkaMorska& ship)
{
    const sWezelGrafuMorz* node = ship.m_Fleet ? ship.m_Fleet->GetSeaNode() : nullptr;
    const int fleetId = ship.m_Fleet ? ship.m_Fleet->ID : 0, shipId = ship.m_Id;
    // In a port its ships stand on the port's own hex for them, at sea on the zone's main hex.
    const int x = !node ? -1 : node->Kind == SEA_NODE_PORT ? node->OwnShipsX : node->MainX;
    const int y = !node ? -1 : node->Kind == SEA_NODE_PORT ? node->OwnShipsY : node->MainY;
    if (node) {
        CenterCameraOn(x, y);
        cWindowLock lock;
        cPlayState& play = *g_Gra->m_PlayState;
        play.SetOrderMode(ORDER_SELECT);
        play.SelectHex(x, y);
    }
    CloseTopDialogs(1);
    if (!node)
        return;
    // The fleets window there, with the fleet and the ship chosen, ready for their orders.
    auto* fleets = new cDialogFlot(node->ID);
    fleets->ChooseFleetAndShip(fleetId, shipId);
    PushDialog(fleets);
}

void cDialogJednostek::OnAutoCenterChanged()
{
    CDXUTCheckBox* box = Box(*this, kUnitsAutoCenterId);
    if (!box)
        return;
    g_UnitsMgrAutoCenter = box->GetChecked();
    if (g_UnitsMgrAutoCenter)
        CenterOnSelected(true);
}

void cDialogJednostek::OnPlaceTabChosen()
{
    CDXUTTabFrame* tabs = Tabs(*this, kUnitsPlaceTabsId);
    g_UnitsMgrToDeploy = tabs && tabs->GetSelectedIndex() == 1 ? 1 : 0;
    if (CDXUTCheckBox* box = Box(*this, kUnitsAutoCenterId)) {
        box->SetEnabled(g_UnitsMgrToDeploy == 0);
        box->SetVisible(g_UnitsMgrToDeploy == 0);
    }
    RefreshList(-1);
}

void cDialogJednostek::OnClosePressed() { CloseTopDialogs(1); }

void cDialogJednostek::OnKeyboard(unsigned key, bool keyDown, bool)
{
    if (!keyDown)
        return;
    const int tab = KindTab();
    CDXUTTabFrame* kinds = Tabs(*this, kUnitsKindTabsId);
    CDXUTTabFrame* places = Tabs(*this, kUnitsPlaceTabsId);
    CDXUTListBox* list = List(*this);
    auto setBox = [&](int index, bool checked) {
        if (CDXUTCheckBox* box = Box(*this, FirstFilterId(tab) + index))
            box->SetCheckedInternal(checked, false, true);
    };
    // The keys' changes are the window's own events: a key makes no click sound.
    auto chooseTab = [this](CDXUTTabFrame* tabs, int index) {
        tabs->SelectTab(index, false);
        SendEvent(EVENT_TABFRAME_CHANGED, false, tabs, false);
    };
    EnableNonUserEvents(true);
    if (key == VK_RETURN) {
        if (GetControlEnabled(kUnitsSelectId))
            SendEvent(EVENT_BUTTON_CLICKED, false, GetControl(kUnitsSelectId), false);
    } else if (key == VK_ESCAPE) {
        SendEvent(EVENT_BUTTON_CLICKED, false, GetControl(kUnitsCloseId), false);
    } else if ((key == VK_LEFT || key == VK_RIGHT) && kinds) {
        chooseTab(kinds, std::clamp(tab + (key == VK_LEFT ? -1 : 1), 0, kinds->GetTabCount() - 1));
    } else if ((key == VK_UP || key == VK_DOWN) && list && list->GetSize() > 0) {
        list->SelectItem(std::clamp(list->GetSelectedIndex() + (key == VK_UP ? -1 : 1), 0, list->GetSize() - 1), false);
        SendEvent(EVENT_LISTBOX_SELECTION, false, list, false);
    } else if (key == '0' || key == VK_NUMPAD0 || key == '9' || key == VK_NUMPAD0 + 9) {
        for (int i = 0; i < FilterCount(tab); ++i)
            setBox(i, key == '9' || key == VK_NUMPAD0 + 9);
    } else if ((key >= '1' && key <= '7') || (key >= VK_NUMPAD0 + 1 && key <= VK_NUMPAD0 + 7)) {
        const int index = int(key >= '1' && key <= '7' ? key - '1' : key - VK_NUMPAD0 - 1);
        if (index < FilterCount(tab))
            if (CDXUTCheckBox* box = Box(*this, FirstFilterId(tab) + index))
                setBox(index, !box->GetChecked());
    } else if (key == 'A') {
        if (CDXUTCheckBox* box = Box(*this, kUnitsAutoCenterId); box && box->GetEnabled())
            box->SetCheckedInternal(!box->GetChecked(), false, true);
    } else if (key == 'D' && places) {
        chooseTab(places, 1);
    } else if (key == 'M' && places) {
        chooseTab(places, 0);
    }
    EnableNonUserEvents(false);
}

void cDialogJednostek::OnReactivate()
{
    RefreshList(-1);
    // A window hidden for a deployment comes back after the player's delay.
    m_CountdownPaused = false;
    m_ExpiryAction = EXPIRY_SHOW;
    m_Countdown = g_DelayValues[3] / 1000.0f;
}
