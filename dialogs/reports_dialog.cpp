#include "dialogs/reports_dialog.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

#include "core/stringbase.h"
#include "core/text.h"
#include "game/game.h"
#include "game/play_state.h"
#include "gui/controls.h"
#include "shell/dialog_builders.h"
#include "units/unit.h"
#include "world/country.h"

namespace {

struct sKindRow
{
    const char* key;
    int kind;
};
constexpr sKindRow kEventKinds[] = {
    {"reports_raider_activity", 18},       {"reports_battles_at_seas", 20},
    {"reports_sea_zone_attacks", 16},      {"reports_land_combat_(attack)", 0},
    {"reports_land_combat_(defence)", 1},  {"reports_air_strikes", 8},
    {"reports_air_to_air_combat", 2},      {"reports_shore_bombardment", 14},
    {"reports_strategic_bombardment", 12}, {"reports_sieges", 21},
    {"reports_event_results", 25},         {"reports_cheating", 30}};
constexpr sKindRow kStatisticsKinds[] = {
    {"reports_general_summary", kReportKindGeneralSummary}, {"reports_production", 22},
    {"reports_units_upkeep", 26},                          {"reports_research", 23},
    {"reports_convoys", 24},                               {"victory_points", kReportKindVictoryPoints},
    {"lost_naval_units", kReportKindLostNavalUnits}};

constexpr const char* kStatisticsTabs[] = {
    "scenario_settings_tab_stats_general", "scenario_settings_tab_stats_resources",
    "scenario_settings_tab_stats_units", "scenario_settings_tab_stats_technology"};

constexpr int kStatisticsUnitTypes[] = {UNIT_INFANTRY, UNIT_INFANTRY_CORPS, UNIT_MECHANIZED, UNIT_MECHANIZED_CORPS,
                                        UNIT_ARMOURED, UNIT_ARMOURED_CORPS, UNIT_AIRBORNE,   UNIT_FIGHTER,
                                        UNIT_TACTICAL_BOMBER, UNIT_STRATEGIC_BOMBER, UNIT_CARRIER, UNIT_BATTLESHIP,
                                        UNIT_CRUISER,  UNIT_SUBMARINE, UNIT_CARGO,      UNIT_AMPHIBIOUS};

bool IsDummy(const cPanstwo& country) { return (country.SpecialFlags & 1) != 0; }

// The defender's reports of an air fight and of a strategic bombing have kinds of their own
// that no row names: they are read with the attacker's, or the defender would never see them.
int DefendersKindOf(int kind)
{
    return kind == 2 ? 3 : kind == 12 ? 13 : -1;
}

void* Data(intptr_t value) { return reinterpret_cast<void*>(value); }

} // namespace

cDialogStatystyk::cDialogStatystyk() : cDialog(kReportsDialogKind, LayoutRow(kReportsDialogKind))
{
    AddText(811, LangText("reports_title"), true);
    AddTabFrame(kReportsGroupTabsId);
    AddText(814, LangText("reports_type"));
    AddListBoxFromLayout(kReportsKindListId, 0);
    AddText(816, LangText("reports_country"));
    AddListBoxFromLayout(kReportsCountryListId, 0);
    AddMemoFromLayout(kReportsTextId, L"");
    AddText(kReportsPositionTextId, L"");
    AddSliderFromLayout(kReportsSliderId, 0, 0, 0);
    AddReadOnlyEditBox(this, kReportsDateId, L"", LangText("reports_date_hint").c_str(), 822,
                       LangText("reports_date").c_str());
    AddTabFrame(kReportsTableTabsId);
    SetTableTabs(kReportKindGeneralSummary);
    m_TableLayout = -1;
    AddListBoxFromLayout(kReportsTableId, 0);
    if (auto* groups = static_cast<CDXUTTabFrame*>(GetControl(kReportsGroupTabsId, DXUT_CONTROL_TABFRAME))) {
        groups->AddTab(LangText("reports_main_type_tab_statistics").c_str(), 0, 0, -1);
        groups->AddTab(LangText("reports_main_type_tab_events").c_str(), 0, 0, -1);
    }
    AddButtonFromLayout(kReportsExitId, LangText("reports_exit").c_str(), LangText("reports_exit_hint").c_str());
    FillKindList(0);
    ShowOpeningKind();
    // Before any choice the window is about the player's own country, wherever its row falls.
    if (const cPanstwo* own = g_Gra && g_Gra->m_PlayState ? g_Gra->m_PlayState->GetActiveCountry() : nullptr)
        m_SelectedCountryId = own->ID;
    FillCountryList();
    FillView(true);
}

void cDialogStatystyk::OnGUIEvent(unsigned, int controlId, CDXUTControl*)
{
    switch (controlId) {
    case kReportsGroupTabsId: OnGroupChosen(); break;
    case kReportsKindListId: OnKindChosen(); break;
    case kReportsCountryListId: OnCountryChosen(); break;
    case kReportsSliderId:
    case kReportsTableTabsId: FillView(false); break;
    case kReportsExitId: OnExitPressed(); break;
    default: break;
    }
}

void cDialogStatystyk::OnKeyboard(unsigned key, bool keyDown, bool)
{
    SendOnEnterOrEscape(key, keyDown, kReportsExitId, kReportsExitId);
}

void cDialogStatystyk::OnGroupChosen()
{
    auto* groups = static_cast<CDXUTTabFrame*>(GetControl(kReportsGroupTabsId, DXUT_CONTROL_TABFRAME));
    FillKindList(groups ? groups->GetSelectedIndex() : 0);
    if (!m_KindPicked)
        ShowOpeningKind();
    FillView(true);
}

// What the window shows before the player picks a kind is open: the first kind of the tab in
// view, so that the Events tab shows events. Its row is marked, as the list's own pick would
// mark it. A kind once picked stays shown until another is picked.
void cDialogStatystyk::ShowOpeningKind()
{
    auto* kinds = static_cast<CDXUTListBox*>(GetControl(kReportsKindListId, DXUT_CONTROL_LISTBOX));
    if (!kinds || kinds->GetSize() == 0)
        return;
    kinds->SelectItem(0);
    m_SelectedKind = int(reinterpret_cast<intptr_t>(kinds->GetItem(0)->pData));
}

void cDialogStatystyk::OnKindChosen()
{
    auto* kinds = static_cast<CDXUTListBox*>(GetControl(kReportsKindListId, DXUT_CONTROL_LISTBOX));
    if (!kinds || kinds->GetSelectedIndex() < 0)
        return;
    m_SelectedKind = int(reinterpret_cast<intptr_t>(kinds->GetSelectedData()));
    m_KindPicked = true;
    FillCountryList();
    FillView(true);
}

void cDialogStatystyk::OnCountryChosen()
{
    auto* countries = static_cast<CDXUTListBox*>(GetControl(kReportsCountryListId, DXUT_CONTROL_LISTBOX));
    if (!countries || countries->GetSelectedIndex() < 0)
        return;
    m_SelectedCountryId = int(reinterpret_cast<intptr_t>(countries->GetSelectedData()));
    FillView(true);
}

void cDialogStatystyk::OnExitPressed() { CloseTopDialogs(1); }

void cDialogStatystyk::FillKindList(int group)
{
    auto* kinds = static_cast<CDXUTListBox*>(GetControl(kReportsKindListId, DXUT_CONTROL_LISTBOX));
    if (!kinds)
        return;
    kinds->RemoveAllItems();
    auto add = [kinds](const auto& rows) {
        for (const sKindRow& row : rows)
            kinds->AddItem(LangText(row.key), Data(row.kind));
    };
    if (group == 1)
        add(kEventKinds);
    else
        add(kStatisticsKinds);
}

void cDialogStatystyk::FillCountryList()
{
    auto* list = static_cast<CDXUTListBox*>(GetControl(kReportsCountryListId, DXUT_CONTROL_LISTBOX));
    if (!list || !g_Gra)
        return;
    const cPanstwo* active = g_Gra->m_PlayState ? g_Gra->m_PlayState->GetActiveCountry() : nullptr;
    std::vector<const cPanstwo*> shown;
    for (const cPanstwo* c : g_Gra->m_Countries)
        if (c && c->IsActive && c->PoliticalStrength >= 0 && !IsDummy(*c) &&
            (c == active || (active && c->IsAlliedWith(active->ID))))
            shown.push_back(c);
    std::sort(shown.begin(), shown.end(),
              [](const cPanstwo* a, const cPanstwo* b) { return WideToUtf16(a->Name) < WideToUtf16(b->Name); });
    list->RemoveAllItems();
    int chosen = 0;
    for (size_t k = 0; k < shown.size(); ++k) {
        if (shown[k]->ID == m_SelectedCountryId)
            chosen = int(k);
        list->AddItem(ListCellText(shown[k]->Name), Data(shown[k]->ID));
    }
    m_SelectedCountryId = shown.empty() ? 0 : shown[size_t(chosen)]->ID;
    if (!shown.empty()) {
        EnableNonUserEvents(true);
        list->SelectItem(chosen, true);
        EnableNonUserEvents(false);
    }
}

void cDialogStatystyk::ShowTable(bool table)
{
    for (int id : {kReportsPositionTextId, kReportsSliderId, 822, kReportsDateId, kReportsTextId})
        if (CDXUTControl* control = GetControl(id))
            control->SetVisible(!table);
    for (int id : {kReportsTableTabsId, kReportsTableId})
        if (CDXUTControl* control = GetControl(id))
            control->SetVisible(table);
}

void cDialogStatystyk::SetTableTabs(int layout)
{
    auto* tabs = static_cast<CDXUTTabFrame*>(GetControl(kReportsTableTabsId, DXUT_CONTROL_TABFRAME));
    if (!tabs || m_TableLayout == layout)
        return;
    tabs->RemoveAllTabs();
    if (layout == kReportKindVictoryPoints) {
        tabs->AddTab(LangText("reports_victory_points_tab_alliances").c_str(), 0, 0, -1);
        tabs->AddTab(LangText("reports_victory_points_tab_countries").c_str(), 0, 0, -1);
    } else if (layout == kReportKindLostNavalUnits) {
        // "Naval units": every text a player reads comes from the language table.
        tabs->AddTab(LangText("reports_naval_units_tab").c_str(), 0, 0, -1);
    } else {
        for (const char* key : kStatisticsTabs)
            tabs->AddTab(LangText(key).c_str(), 0, 0, -1);
    }
    m_TableLayout = layout;
}

void cDialogStatystyk::FillView(bool reset)
{
    auto* table = static_cast<CDXUTListBox*>(GetControl(kReportsTableId, DXUT_CONTROL_LISTBOX));
    auto* tabs = static_cast<CDXUTTabFrame*>(GetControl(kReportsTableTabsId, DXUT_CONTROL_TABFRAME));
    const bool isTable = m_SelectedKind == kReportKindGeneralSummary || m_SelectedKind == kReportKindVictoryPoints ||
                         m_SelectedKind == kReportKindLostNavalUnits;
    if (!isTable || !table || !tabs) {
        BrowseReports(reset);
        return;
    }
    SetTableTabs(m_SelectedKind);
    ShowTable(true);
    table->SetStyle(m_SelectedKind == kReportKindLostNavalUnits ? DXUTLISTBOX_TALLROWS : 0);
    table->RemoveAllItems();
    const int tab = tabs->GetSelectedIndex();
    if (m_SelectedKind == kReportKindVictoryPoints)
        FillVictoryPoints(tab);
    else if (m_SelectedKind == kReportKindGeneralSummary)
        FillStatistics(tab);
    else
        FillNavalLosses();
    table->UpdateRects();
}

void cDialogStatystyk::FillVictoryPoints(int tab)
{
    auto* table = static_cast<CDXUTListBox*>(GetControl(kReportsTableId, DXUT_CONTROL_LISTBOX));
    if (!g_Gra)
        return;
    if (tab == 0) {
        table->SetColumns(2, LangText("reports_victory_points_alliances_columns"), 50, 50);
        table->SetColumnSortTypes(2, LIST_SORT_TEXT, LIST_SORT_INTEGER);
        const char* sides[] = {"allies2", "axis2", "comintern2"};
        for (int k = 0; k < 3; ++k)
            table->AddItem(FormatText(L"%s|%d", LangText(sides[k]), g_Gra->CountAllianceVictoryPoints(k + 1)),
                           nullptr);
        return;
    }
    table->SetColumns(3, LangText("reports_victory_points_countries_columns"), 50, 30, 20);
    table->SetColumnSortTypes(3, LIST_SORT_TEXT, LIST_SORT_TEXT, LIST_SORT_INTEGER);
    const int count = CountryCount();
    for (const cPanstwo* c : g_Gra->m_Countries)
        if (c && c->IsActive && !IsDummy(*c) && c->ID != count)
            table->AddItem(FormatText(L"%s;%s;%d", ListCellText(c->Name), ListCellText(c->GetAllianceName(c->Alliance, true)), c->ID),
                           nullptr);
}

void cDialogStatystyk::FillStatistics(int tab)
{
    auto* table = static_cast<CDXUTListBox*>(GetControl(kReportsTableId, DXUT_CONTROL_LISTBOX));
    const cPanstwo* c = GetCountry(m_SelectedCountryId);
    if (!c)
        return;
    auto row = [table](const std::wstring& text) { table->AddItem(text, nullptr); };
    switch (tab) {
    case 0:
        table->SetColumns(2, LangText("scenario_settings_country_stats_general_columns"), 50, 50);
        if (c->Alliance == 0)
            row(FormatText(L"%s;%i%%", LangText("country_stats_alliance_entry"), c->AllianceEntry));
        else
            row(FormatText(L"%s;%s", LangText("country_stats_alliance"), c->GetAllianceName(c->Alliance, true)));
        row(FormatText(L"%s;%s", LangText("country_stats_political_orientation"), c->GetOrientationName(true)));
        row(FormatText(L"%s;%s", LangText("country_stats_zone_of_influence"), c->GetZoneOfInfluenceName(true)));
        row(FormatText(L"%s;%i", LangText("country_stats_political_strength"), c->PoliticalStrength));
        row(FormatText(L"%s;%.0f%%", LangText("country_stats_social_unrest"), double(c->SocialUnrest)));
        row(FormatText(L"%s;%.0f%%", LangText("country_stats_war_economy"), double(c->WarEconomy)));
        row(FormatText(L"%s;%i", LangText("country_stats_land_warfare_doctrine_level"), c->TechLevel[TECH_DOCTRINE]));
        row(FormatText(L"%s;%i", LangText("country_stats_nuclear_bombs"), c->NuclearBombs));
        break;
    case 1:
        table->SetColumns(2, LangText("scenario_settings_country_stats_resources_columns"), 50, 50);
        // Whole points, not rounded up: 47.62 shown as 48 would promise a point that cannot be spent.
        row(FormatText(L"%s;%.0f", LangText("country_stats_production_points"), std::floor(c->PP)));
        row(FormatText(L"%s;%s", LangText("country_stats_diplomacy_points"),
                       LangFormat("country_stats_diplomacy_points_value", c->DP, c->DPGrowthPerMonth)));
        row(FormatText(L"%s;%i", LangText("country_stats_strategic_movement_points"), c->SMP));
        row(FormatText(L"%s;%i", LangText("country_stats_sea_transport_points"), c->STP));
        row(FormatText(L"%s;%i", LangText("country_stats_amphibious_invasion_points"), c->AIP));
        break;
    case 2: {
        table->SetColumns(3, LangText("scenario_settings_country_stats_units_columns"), 60, 20, 20);
        ForceSummary forces{};
        c->CollectForceSummary(forces);
        for (int type : kStatisticsUnitTypes) {
            const int r = DisplayRowOfType(type);
            const int onMap = r >= 0 ? forces[size_t(r)][0] : 0, pooled = r >= 0 ? forces[size_t(r)][1] : 0;
            row(FormatText(L"%s;%i;%i", cUnit::GetSubtypeText(type), onMap, pooled));
        }
        break;
    }
    default: {
        table->SetColumns(2, LangText("scenario_settings_country_stats_technology_columns"), 50, 50);
        const std::pair<const char*, int> techs[] = {
            {"country_stats_technology_artillery", TECH_ARTILLERY},
            {"country_stats_technology_tanks", TECH_TANKS},
            {"country_stats_technology_aircrafts", TECH_AIRCRAFT},
            {"country_stats_technology_submarines", TECH_SUBMARINES},
            {"country_stats_technology_warships", TECH_NAVY},
            {"country_stats_technology_nuclear_bomb", TECH_NUCLEAR}};
        for (const auto& [key, tech] : techs)
            row(FormatText(L"%s;%i", LangText(key), c->TechLevel[tech]));
        break;
    }
    }
}

void cDialogStatystyk::FillNavalLosses()
{
    auto* table = static_cast<CDXUTListBox*>(GetControl(kReportsTableId, DXUT_CONTROL_LISTBOX));
    table->SetColumns(4, LangText("reports_killed_units_naval_columns"), 30, 30, 25, 15);
    if (!g_Gra || !g_Gra->m_Reports || !m_SelectedCountryId)
        return;
    std::list<sRaport> losses;
    g_Gra->m_Reports->CollectReports(losses, m_SelectedCountryId, kReportKindLostNavalUnits);
    for (const sRaport& r : losses)
        table->AddItem(FormatText(L"%s;%i-%i-%i\nTurn %i", r.text, r.day, r.month, r.year, r.impulse), nullptr);
}

void cDialogStatystyk::BrowseReports(bool reset)
{
    ShowTable(false);
    auto* slider = static_cast<CDXUTSlider*>(GetControl(kReportsSliderId, DXUT_CONTROL_SLIDER));
    auto* position = static_cast<CDXUTStatic*>(GetControl(kReportsPositionTextId, DXUT_CONTROL_STATIC));
    auto* date = static_cast<CDXUTEditBox*>(GetControl(kReportsDateId, DXUT_CONTROL_EDITBOX));
    auto* text = static_cast<CDXUTMemo*>(GetControl(kReportsTextId, DXUT_CONTROL_MEMO));
    if (!slider || !position || !date || !text || !m_SelectedCountryId)
        return;
    m_Reports.clear();
    if (g_Gra && g_Gra->m_Reports)
        for (const sRaport& report : g_Gra->m_Reports->GetReports())
            if (report.countryKey == m_SelectedCountryId &&
                (report.kind == m_SelectedKind || report.kind == DefendersKindOf(m_SelectedKind)))
                m_Reports.push_back(report);
    const int count = int(m_Reports.size());
    if (count == 0) {
        slider->SetRange(0, 0);
        slider->SetEnabled(false);
        position->SetText(LangText("reports_count_no_reports").c_str());
        date->SetText(L"-");
        text->SetText(L"");
        return;
    }
    slider->SetEnabled(count > 1);
    if (reset) {
        slider->SetRange(0, count - 1);
        slider->SetValueInternal(count - 1, false, false);
    }
    const int at = std::clamp(slider->GetValue(), 0, count - 1);
    const sRaport& report = *std::next(m_Reports.begin(), at);
    position->SetText(LangFormat("reports_count", at + 1, count).c_str());
    text->SetText(report.text.c_str());
    date->SetText(FormatText(L"%i/%i/%i - turn %i", report.day, report.month, report.year, report.impulse).c_str());
}
