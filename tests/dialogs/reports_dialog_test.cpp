// The reports window: what it opens on, its tables, and browsing the reports of a kind.
#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <tuple>

#include "core/stringbase.h"
#include "dialogs/reports_dialog.h"
#include "game/game.h"
#include "gui/controls.h"
#include "gui/gui_hooks.h"
#include "tests/dialogs/dialog_bench.h"
#include "world/city.h"
#include "world/country.h"

namespace {

class ReportsDialog : public cDialogTest
{
protected:
    cDialogStatystyk* Open()
    {
        dialog = new cDialogStatystyk();
        PushDialog(dialog);
        return dialog;
    }
    CDXUTListBox* List(int id) { return ControlOf<CDXUTListBox>(*dialog, id, DXUT_CONTROL_LISTBOX); }
    CDXUTTabFrame* Tabs(int id) { return ControlOf<CDXUTTabFrame>(*dialog, id, DXUT_CONTROL_TABFRAME); }
    void ChooseTab(int id, int index)
    {
        const DXUTTabFrameTab* tab = Tabs(id)->GetTab(index);
        int x = 0;
        for (int k = 0; k < index; ++k)
            x += Tabs(id)->GetTab(k)->captionWidth + 20;
        const sRect strip = dialog->ToScreenRect(Tabs(id)->GetStripRect());
        ClickAt(strip.left + x + tab->captionWidth / 2 + 8, (strip.top + strip.bottom) / 2);
    }
    std::wstring Cell(int row, int column) { return List(kReportsTableId)->GetItem(row)->cells[size_t(column)]; }
    void AddReport(int country, int kind, const std::wstring& text)
    {
        sRaport r;
        r.kind = kind;
        r.countryKey = country;
        r.text = text;
        g_Gra->m_Reports->AddReport(r);
    }

    cDialogStatystyk* dialog = nullptr;
};

TEST_F(ReportsDialog, OpensOnTheGeneralSummaryOfTheCountryAndItsAlliesAndSwitchesTables)
{
    LoadTestland(1);
    Open();
    EXPECT_EQ(dialog->SelectedKind(), kReportKindGeneralSummary);
    ASSERT_EQ(List(kReportsCountryListId)->GetSize(), 2) << "Albion and its ally Valdonia";
    EXPECT_EQ(List(kReportsCountryListId)->GetItem(0)->cells[0], GetCountry(1)->Name);
    EXPECT_EQ(dialog->SelectedCountryId(), 1);
    EXPECT_EQ(Tabs(kReportsTableTabsId)->GetTabCount(), 4);
    EXPECT_FALSE(dialog->GetControl(kReportsTextId)->GetVisible());
    EXPECT_EQ(Cell(0, 0), LangText("country_stats_alliance")) << "a member shows its alliance";
    ChooseTab(kReportsTableTabsId, 3);
    EXPECT_EQ(Cell(0, 0), LangText("country_stats_technology_artillery"));
    ASSERT_NO_FATAL_FAILURE(CheckScreen("reports_dialog"));
    // Until a kind is picked each tab shows its first kind: the Events tab the raiders.
    ChooseTab(kReportsGroupTabsId, 1);
    EXPECT_EQ(dialog->SelectedKind(), 18);
    EXPECT_EQ(List(kReportsKindListId)->GetSelectedIndex(), 0);
    EXPECT_TRUE(dialog->GetControl(kReportsTextId)->GetVisible());
    EXPECT_FALSE(dialog->GetControl(kReportsTableId)->GetVisible());
    ChooseTab(kReportsGroupTabsId, 0);
    EXPECT_EQ(dialog->SelectedKind(), kReportKindGeneralSummary);
    EXPECT_TRUE(dialog->GetControl(kReportsTableId)->GetVisible());

    ClickRow(*dialog, *List(kReportsKindListId), 5);
    EXPECT_EQ(dialog->SelectedKind(), kReportKindVictoryPoints);
    EXPECT_EQ(Tabs(kReportsTableTabsId)->GetTabCount(), 2);
    ASSERT_EQ(List(kReportsTableId)->GetSize(), 3);
    EXPECT_EQ(Cell(0, 0), LangText("allies2"));
    ChooseTab(kReportsTableTabsId, 1);
    EXPECT_EQ(Tabs(kReportsTableTabsId)->GetTabCount(), 2) << "the victory-point tabs stay";
    EXPECT_EQ(List(kReportsTableId)->GetSize(), 5) << "every active country but the last id";
    // Once a kind is picked, the events tab lists its kinds with none chosen; the table
    // stays until one is.
    ChooseTab(kReportsGroupTabsId, 1);
    EXPECT_EQ(List(kReportsKindListId)->GetSelectedIndex(), -1);
    EXPECT_EQ(dialog->SelectedKind(), kReportKindVictoryPoints);
    EXPECT_TRUE(dialog->GetControl(kReportsTableId)->GetVisible());
    ClickRow(*dialog, *List(kReportsKindListId), 0);
    EXPECT_FALSE(dialog->GetControl(kReportsTableId)->GetVisible());
    EXPECT_TRUE(dialog->GetControl(kReportsTextId)->GetVisible());
    ChooseTab(kReportsGroupTabsId, 0);
    ClickRow(*dialog, *List(kReportsKindListId), 0);
    EXPECT_EQ(dialog->SelectedKind(), kReportKindGeneralSummary);
    EXPECT_EQ(Tabs(kReportsTableTabsId)->GetTabCount(), 4);
    // Enter closes it as the window's own event: no click sounds.
    int clicks = 0;
    const auto shellSound = g_GuiHooks.playSound;
    g_GuiHooks.playSound = [&](unsigned, int, CDXUTControl*) { ++clicks; };
    Key(VK_RETURN);
    g_GuiHooks.playSound = shellSound;
    EXPECT_EQ(clicks, 0);
    EXPECT_TRUE(OpenKinds().empty());

    // The countries in the order of their UTF-16 code units: a letter past the first 65536
    // comes after every Latin one, not as the letter its low 16 bits would name.
    cPanstwo* ally = nullptr;
    for (cPanstwo* c : g_Gra->m_Countries)
        if (c->ID != 1 && c->IsAlliedWith(1))
            ally = c;
    ASSERT_NE(ally, nullptr);
    const std::wstring name = ally->Name;
    ally->Name = L"\U00010000" + name;
    Open();
    EXPECT_EQ(List(kReportsCountryListId)->GetItem(1)->cells[0], ally->Name);
    CloseTopDialogs(-1);
    // Listed after its ally, the player's country is still the one the window opens on.
    ally->Name = L"Aa" + name;
    Open();
    EXPECT_EQ(List(kReportsCountryListId)->GetSelectedIndex(), 1);
    EXPECT_EQ(dialog->SelectedCountryId(), 1);
    CloseTopDialogs(-1);
    ally->Name = name;
}

// The victory-point tables sort by each column's kind: names and alliances as text, points
// and ids as numbers, so that 120 comes after 95.
TEST_F(ReportsDialog, TheVictoryPointTablesSortNamesAsTextAndPointsAsNumbers)
{
    LoadTestland(1);
    // Axis 120, Allies 95, Comintern 7: each side's first city holds its points.
    std::map<int, int> points = {{ALLIANCE_AXIS, 120}, {ALLIANCE_ALLIES, 95}, {ALLIANCE_COMINTERN, 7}};
    for (cMiasto* city : g_Gra->m_Cities) {
        city->VictoryPoints = 0;
        const cPanstwo* holder = GetCountry(city->GetControllerId());
        if (!holder)
            continue;
        auto side = points.find(holder->Alliance > 3 ? holder->Alliance - 3 : holder->Alliance);
        if (side != points.end()) {
            city->VictoryPoints = side->second;
            points.erase(side);
        }
    }
    ASSERT_TRUE(points.empty()) << "Testland has a city on each side";
    Open();
    ClickRow(*dialog, *List(kReportsKindListId), 5);
    ASSERT_EQ(dialog->SelectedKind(), kReportKindVictoryPoints);
    CDXUTListBox* table = List(kReportsTableId);
    auto column = [&](int k) {
        std::vector<std::wstring> cells;
        for (int row = 0; row < table->GetSize(); ++row)
            cells.push_back(Cell(row, k));
        return cells;
    };
    auto clickHeader = [&](int k) {
        const sRect text = dialog->ToScreenRect(table->GetTextRect());
        int x = text.left + 10;
        for (int c = 0; c < k; ++c)
            x += table->GetColumns()[size_t(c)].width;
        ClickAt(x, text.top - 3);
    };
    clickHeader(1);
    EXPECT_EQ(column(1), (std::vector<std::wstring>{L"7", L"95", L"120"}));
    clickHeader(0);
    EXPECT_EQ(column(0), (std::vector<std::wstring>{LangText("allies2"), LangText("axis2"), LangText("comintern2")}));

    ChooseTab(kReportsTableTabsId, 1);
    ASSERT_EQ(column(0).front(), L"Albion");
    clickHeader(1);
    const std::vector<std::wstring> sides = column(1);
    EXPECT_TRUE(std::is_sorted(sides.begin(), sides.end()));
    EXPECT_EQ(table->GetSortedColumn(), 1);
    clickHeader(0);
    EXPECT_EQ(column(0), (std::vector<std::wstring>{L"Albion", L"Borussia", L"Helvetia", L"Ruthenia", L"Valdonia"}));
    clickHeader(2);
    EXPECT_EQ(column(2), (std::vector<std::wstring>{L"1", L"2", L"3", L"4", L"5"}));
}

TEST_F(ReportsDialog, ANeutralShowsItsWayToWarAndTheBrowserJumpsToTheNewestReport)
{
    LoadTestland(4); // Helvetia, neutral
    for (const wchar_t* text : {L"January", L"February", L"March"})
        AddReport(4, 22, text);
    AddReport(4, 23, L"Only research");
    Open();
    EXPECT_EQ(Cell(0, 0), LangText("country_stats_alliance_entry"));

    ClickRow(*dialog, *List(kReportsKindListId), 1); // production
    auto* slider = ControlOf<CDXUTSlider>(*dialog, kReportsSliderId, DXUT_CONTROL_SLIDER);
    EXPECT_TRUE(dialog->GetControl(kReportsTextId)->GetVisible());
    EXPECT_FALSE(dialog->GetControl(kReportsTableId)->GetVisible());
    EXPECT_EQ(TextOf(kReportsPositionTextId), LangFormat("reports_count", 3, 3));
    EXPECT_EQ(ControlOf<CDXUTMemo>(*dialog, kReportsTextId, DXUT_CONTROL_MEMO)->GetText(), L"March");
    EXPECT_TRUE(slider->GetEnabled());
    slider->SetValueInternal(0, true, true);
    EXPECT_EQ(TextOf(kReportsPositionTextId), LangFormat("reports_count", 1, 3));
    EXPECT_EQ(ControlOf<CDXUTMemo>(*dialog, kReportsTextId, DXUT_CONTROL_MEMO)->GetText(), L"January");
    ASSERT_NO_FATAL_FAILURE(CheckScreen("reports_dialog_browser"));

    ClickRow(*dialog, *List(kReportsKindListId), 3); // research: one report
    EXPECT_EQ(TextOf(kReportsPositionTextId), LangFormat("reports_count", 1, 1));
    EXPECT_FALSE(slider->GetEnabled());
    ClickRow(*dialog, *List(kReportsKindListId), 4); // convoys: none
    EXPECT_EQ(TextOf(kReportsPositionTextId), LangText("reports_count_no_reports"));
    EXPECT_EQ(TextOf(kReportsDateId), L"-");
    EXPECT_EQ(ControlOf<CDXUTMemo>(*dialog, kReportsTextId, DXUT_CONTROL_MEMO)->GetText(), L"");
    EXPECT_FALSE(slider->GetEnabled());

    // The defender's reports of air fights and of strategic bombing have kinds no row names:
    // they are read with the attacker's, in the order they came.
    AddReport(4, 2, L"Fighters attacked");
    AddReport(4, 3, L"Fighters were attacked");
    AddReport(4, 13, L"Berna was bombed");
    ChooseTab(kReportsGroupTabsId, 1);
    for (auto [row, count, newest] : {std::tuple{6, 2, L"Fighters were attacked"}, std::tuple{8, 1, L"Berna was bombed"}}) {
        ClickRow(*dialog, *List(kReportsKindListId), row);
        EXPECT_EQ(TextOf(kReportsPositionTextId), LangFormat("reports_count", count, count)) << row;
        EXPECT_EQ(ControlOf<CDXUTMemo>(*dialog, kReportsTextId, DXUT_CONTROL_MEMO)->GetText(), newest);
    }
    Key(VK_ESCAPE);
    EXPECT_TRUE(OpenKinds().empty());
}

} // namespace
