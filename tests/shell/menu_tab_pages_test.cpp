// The scenario list and the scenario settings show the page of every tab a player clicks;
// a tab with nothing to load shows no details of the last game.
#include <gtest/gtest.h>

#include "core/stringbase.h"
#include "gui/controls.h"
#include "shell/menus/scenario_menu.h"
#include "shell/menus/scenario_settings_menu.h"
#include "tests/gui/page_sheet.h"
#include "tests/shell/program_driver.h"
#include "tests/test_support.h"

namespace {

using D = cProgramDriver;

enum
{
    IDC_LIST_TABS = 178,
    IDC_LIST = 179,
    IDC_SAVE_TURN = 190,
    IDC_DESCRIPTION = 192,
    IDC_PICTURE = 199,
    IDC_START = 200,
    IDC_SETTINGS_TABS = 208,
    IDC_STATS_TABS = 220,
};

// Clicks each tab of the frame; the frame with its page, as the next frame shows it, goes
// into the sheet.
void AddPages(cProgramDriver& driver, cPageSheet& sheet, int tabFrameId, int tabs,
              const std::function<void(int tab)>& check = {})
{
    for (int tab = 0; tab < tabs; ++tab) {
        driver.Then("tab " + std::to_string(tab), D::AfterFrames(2), [=] { D::ClickTab(tabFrameId, tab); })
            .Then("drawn", D::AfterFrames(10),
                  [=] {
                      EXPECT_EQ(D::Control<CDXUTTabFrame>(tabFrameId)->GetSelectedIndex(), tab);
                      if (check)
                          check(tab);
                  })
            .Grab([&sheet, tabFrameId](const std::vector<uint32_t>& frame, int width) {
                CDXUTControl* tabs = D::FindControl(tabFrameId);
                sheet.Add(frame, width, tabs->GetDialog()->ToScreenRect(tabs->GetBoundingBox()));
            });
    }
}

TEST(MenuTabPages, EachTabOfTheScenarioListAndTheScenarioSettingsShowsItsPage)
{
    cProgramDriver driver({}, {"scenarios", "save", "pbem"});
    MakeTestlandFolder(); // no game saved yet
    cPageSheet list, settings;
    driver.StartWith(OpenScenarioMenu).Then("scenario list", [] { return D::InputDialog() != nullptr; });
    AddPages(driver, list, IDC_LIST_TABS, 3, [](int tab) {
        if (tab == 0)
            return;
        // Nothing to load: no picture and no details of the scenario shown before.
        EXPECT_FALSE(D::FindControl(IDC_PICTURE)->GetVisible());
        EXPECT_EQ(dynamic_cast<CDXUTEditBox*>(D::FindControl(IDC_SAVE_TURN))->GetText(), L"-");
        EXPECT_EQ(dynamic_cast<CDXUTMemo*>(D::FindControl(IDC_DESCRIPTION))->GetText(), L"");
        EXPECT_FALSE(D::FindControl(IDC_START)->GetEnabled());
        EXPECT_EQ(std::wstring(D::FindControl(IDC_START)->GetHint()),
                  LangText(tab == 1 ? "scenario_start_hint_no_save" : "scenario_start_hint_no_pbem_game"));
    });
    driver.Then("new games", D::AfterFrames(2), [] { D::ClickTab(IDC_LIST_TABS, 0); })
        .Then("show Testland", [] { return D::ShowListRow(IDC_LIST, L"Testland"); })
        .Then("pick Testland", D::AfterFrames(2), [] { D::ClickListRow(IDC_LIST, L"Testland"); })
        .Then("start", [] { return true; }, [] { D::ClickControl(IDC_START); })
        .Then("settings", [] { return dynamic_cast<cScenarioSettingsMenu*>(g_CurrentMenu) != nullptr; });
    AddPages(driver, settings, IDC_SETTINGS_TABS, 2);
    driver.Then("countries", D::AfterFrames(2), [] { D::ClickTab(IDC_SETTINGS_TABS, 0); });
    AddPages(driver, settings, IDC_STATS_TABS, 4);
    EXPECT_EQ(driver.Run(), 0);
    ASSERT_NO_FATAL_FAILURE(list.Check("tab_pages_scenario_list"));
    ASSERT_NO_FATAL_FAILURE(settings.Check("tab_pages_scenario_settings"));
}

} // namespace
