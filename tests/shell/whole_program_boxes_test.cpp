// The real program offscreen: a box that tells or asks takes every click and key until it is
// closed; the menu, the panels and the map beneath it see none of them.
#include <gtest/gtest.h>

#include <filesystem>

#include "dialogs/confirm_dialog.h"
#include "dialogs/dialog_stack.h"
#include "dialogs/end_turn_dialog.h"
#include "dialogs/info_panel.h"
#include "dialogs/message_dialog.h"
#include "dialogs/research_dialog.h"
#include "game/game.h"
#include "game/save_game.h"
#include "gui/controls.h"
#include "platform/messages.h"
#include "shell/menus/pause_menu.h"
#include "shell/menus/scenario_menu.h"
#include "shell/menus/scenario_settings_menu.h"
#include "tests/shell/program_driver.h"

namespace {

namespace fs = std::filesystem;
using D = cProgramDriver;

enum
{
    IDC_LIST_TABS = 178,
    IDC_LIST = 179,
    IDC_START = 200,
    IDC_SETTINGS_TABS = 208,
    IDC_PBEM = 234,
    IDC_OK = 245,
    IDC_BACK = 246,
    IDC_RESUME = 272,
    IDC_ABORT = 275,
};

cScenarioMenu* List() { return dynamic_cast<cScenarioMenu*>(g_CurrentMenu); }
bool Settings() { return dynamic_cast<cScenarioSettingsMenu*>(g_CurrentMenu) != nullptr; }
bool Told() { return dynamic_cast<cDialogTekstowy*>(CurrentDialog()) != nullptr; }
bool Asked() { return dynamic_cast<cDialogPotwierdzenia*>(CurrentDialog()) != nullptr; }

// A click on the first tab's caption of a tab frame beneath the window on top.
void ClickFirstTabBeneath(CDXUTDialog* dialog, int id)
{
    auto* tabs = dynamic_cast<CDXUTTabFrame*>(dialog->GetControl(id));
    ASSERT_NE(tabs, nullptr);
    const sRect strip = dialog->ToScreenRect(tabs->GetBoundingBox());
    D::Click(strip.left + (tabs->GetTab(0)->captionWidth + 20) / 2, strip.top + tabs->GetStripRect().Height() / 2);
}

CDXUTDialog* Menu() { return dynamic_cast<CDXUTDialog*>(g_CurrentMenu); }

TEST(WholeProgram, AMenusRefusalTakesEveryClickAndKeyBeneathItUntilItIsClosed)
{
    cProgramDriver driver({}, {"scenarios", "save", "pbem"});
    MakeTestlandFolder();
    driver.StartWith(LoadTestland)
        // A game by e-mail with no players yet: Albion, a person's, has none, and Start the war
        // is refused.
        .Then("settings", Settings,
              [] {
                  ASSERT_TRUE(SaveGame(L"good", true));
                  fs::copy("data/save/good", "data/save/empty map", fs::copy_options::recursive);
                  fs::resize_file("data/save/empty map/map.qvr", 0);
                  dynamic_cast<CDXUTTabFrame*>(Menu()->GetControl(IDC_SETTINGS_TABS))->SelectTab(1, true);
              })
        .Then("play by e-mail", D::AfterFrames(2), [] { D::ClickControl(IDC_PBEM); })
        .Then("start the war", [] { return g_Gra->m_IsPbem; },
              [] {
                  D::PressKey(VK_RETURN); // read which persons' countries need their players
                  D::ClickControl(IDC_OK);
              })
        .Then("refused", Told,
              [] {
                  ClickFirstTabBeneath(Menu(), IDC_SETTINGS_TABS);
                  ClickOn(Menu(), IDC_BACK);
              })
        .Then("nothing beneath moved", D::AfterFrames(2),
              [] {
                  ASSERT_TRUE(Settings());
                  EXPECT_NE(g_Gra, nullptr);
                  EXPECT_EQ(dynamic_cast<CDXUTTabFrame*>(Menu()->GetControl(IDC_SETTINGS_TABS))->GetSelectedIndex(), 1);
                  EXPECT_TRUE(Told());
                  EXPECT_EQ(g_OpenDialogs.size(), 1u);
                  D::PressKey(VK_RETURN);
              })
        .Then("read", [] { return Settings() && !CurrentDialog(); }, [] { D::ClickControl(IDC_BACK); })
        // The scenario list refuses a save whose map is empty.
        .Then("scenario list", [] { return List() != nullptr; }, [] { D::ClickTab(IDC_LIST_TABS, 1); })
        .Then("saved games", [] { return List() && List()->GetSelectedTab() == 1 && D::ShowListRow(IDC_LIST, L"empty map"); })
        .Then("choose it", D::AfterFrames(2), [] { D::ClickListRow(IDC_LIST, L"empty map"); })
        .Then("load it", [] { return true; }, [] { D::ClickControl(IDC_START); })
        .Then("not loaded", [] { return List() && Told(); },
              [] {
                  ClickFirstTabBeneath(Menu(), IDC_LIST_TABS);
                  ClickOn(Menu(), IDC_START);
              })
        .Then("the list stays", D::AfterFrames(2),
              [] {
                  ASSERT_NE(List(), nullptr);
                  EXPECT_EQ(List()->GetSelectedTab(), 1);
                  EXPECT_EQ(g_Gra, nullptr);
                  EXPECT_TRUE(Told());
                  EXPECT_EQ(g_OpenDialogs.size(), 1u);
                  // Escape is the box's: the list does not go back to the main menu.
                  D::PressKey(VK_ESCAPE);
              })
        .Then("read again", [] { return !CurrentDialog(); }, [] { EXPECT_NE(List(), nullptr); });
    EXPECT_EQ(driver.Run(), 0);
}

TEST(WholeProgram, OnTheGameScreenABoxTakesEveryClickBeneathItAndTheClickThatClosesIt)
{
    cProgramDriver driver({}, {"scenarios", "save", "pbem"});
    MakeTestlandFolder();
    auto researchOpen = [] { return FindOpenDialogByKind(kResearchDialogKind) != nullptr; };
    driver.StartWith(LoadTestland)
        .Then("settings", Settings, [] { D::ClickControl(IDC_OK); })
        // The new turn's box closes on a click anywhere: on the research button, it opens nothing.
        .Then("Albion's turn announced", [] { return TurnOf(L"Albion"); },
              [] { ClickOn(PanelOf(g_InfoPanel), kResearchButtonId); }, 20000)
        .Then("announcement closed", [] { return !CurrentDialog(); },
              [&] {
                  EXPECT_FALSE(researchOpen());
                  D::PressKey('Q');
              })
        .Then("asked to end the turn", [] { return dynamic_cast<cDialogPotwKoncaTury*>(CurrentDialog()) != nullptr; },
              [] { ClickOn(PanelOf(g_InfoPanel), kResearchButtonId); })
        .Then("still asked", D::AfterFrames(2),
              [&] {
                  EXPECT_TRUE(Asked());
                  EXPECT_FALSE(researchOpen());
                  D::PressKey(VK_ESCAPE);
              })
        .Then("the turn goes on", [] { return !CurrentDialog(); }, [] { D::PressKey(VK_ESCAPE); })
        .Then("paused", [] { return dynamic_cast<cPauseMenu*>(g_CurrentMenu) != nullptr; },
              [] { D::ClickControl(IDC_ABORT); })
        .Then("asked to abort", Asked, [] { ClickOn(Menu(), IDC_RESUME); })
        .Then("the pause menu waits", D::AfterFrames(2),
              [] {
                  EXPECT_NE(dynamic_cast<cPauseMenu*>(g_CurrentMenu), nullptr);
                  EXPECT_TRUE(Asked());
                  D::PressKey(VK_ESCAPE);
              })
        .Then("kept", [] { return dynamic_cast<cPauseMenu*>(g_CurrentMenu) && !CurrentDialog(); });
    EXPECT_EQ(driver.Run(), 0);
}

} // namespace
