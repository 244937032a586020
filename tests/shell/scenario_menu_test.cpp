// The scenario list over folders of every kind: rows, details, tabs, Start and Back.
#include <gtest/gtest.h>

#include "gui/controls.h"
#include "platform/messages.h"
#include "platform/paths.h"
#include "shell/menus/loading_menu.h"
#include "shell/menus/main_menu.h"
#include "shell/menus/scenario_menu.h"
#include "shell/textures.h"
#include "tests/shell/program_driver.h"
#include "tests/test_support.h"

namespace {

using namespace testing_support;
using D = cProgramDriver;

enum
{
    IDC_TABS = 178,
    IDC_LIST = 179,
    IDC_SAVE_DATE = 188,
    IDC_SAVE_TURN = 190,
    IDC_START = 200,
};

cScenarioMenu* Menu() { return dynamic_cast<cScenarioMenu*>(g_CurrentMenu); }
CDXUTListBox* List() { return dynamic_cast<CDXUTListBox*>(D::FindControl(IDC_LIST)); }

std::vector<std::wstring> Rows()
{
    std::vector<std::wstring> rows;
    for (int i = 0; i < List()->GetSize(); ++i) {
        std::wstring row;
        for (const std::wstring& cell : List()->GetItem(i)->cells)
            row += (row.empty() ? L"" : L"|") + cell;
        rows.push_back(row);
    }
    return rows;
}

std::wstring EditText(int id) { return dynamic_cast<CDXUTEditBox*>(D::FindControl(id))->GetText(); }

void SelectTab(int tab) { dynamic_cast<CDXUTTabFrame*>(D::FindControl(IDC_TABS))->SelectTab(tab, true); }

// Scenario, save and play-by-e-mail folders of every kind the list meets.
void MakeFolders()
{
    std::filesystem::create_directories("data/scenarios");
    std::filesystem::create_directory_symlink(FixtureDir() / "testland" / "data" / "scenarios" / "Testland",
                                              "data/scenarios/Testland");
    std::filesystem::create_directories("data/scenarios/No Info");
    std::filesystem::create_directories("data/scenarios/.hidden");
    // Not listed: with the game's separator the name leads out of the folder.
    WriteFile("data/scenarios/up\\..\\..\\x/Info.ini", "[General_ENG]\r\nName=Escaped\r\n");
    WriteFile("data/scenarios/readme.txt", "not a folder");
    // Listed: dots between other characters lead nowhere.
    WriteFile("data/scenarios/Wait..and see/Info.ini", "[General_ENG]\r\nName=Phoney War\r\n");
    WriteFile("data/scenarios/Blank/Info.ini", "[General_ENG]\r\nName=\r\n");
    WriteFile("data/scenarios/100% War/Info.ini", "[General_ENG]\r\nName=Percent\r\n[Duration]\r\nTurns=1\r\n"
                                                  "[Map]\r\nSizeX=30\r\nSizeY=20\r\n");
    WriteFile("data/save/first save/Info.ini",
              "[General_ENG]\r\nName=Testland\r\n[Save]\r\nDate=24.05.31 10:15\r\nTurn=7\r\nGameDayDisplayed=15\r\n"
              "GameMonthDisplayed=10\r\nGameYearDisplayed=1939\r\nScenarioName=..\\..\\elsewhere\r\n");
    WriteFile("data/save/the third; day/Info.ini", "[General_ENG]\r\nName=Testland | Borussia\r\n");
    // A turn another program is handing over now: no game of its own.
    std::filesystem::create_directories("data/pbem/late%saving");
}

TEST(ScenarioList, ListsEachKindOfFolderAndShowsTheDetailsOfTheChosenRow)
{
    cProgramDriver driver({}, {"scenarios", "save", "pbem"});
    MakeFolders();
    const cFileLock handingOver("data/pbem/late%lock");
    driver.StartWith(OpenScenarioMenu)
        .Then("new games", [] { return Menu() != nullptr; },
              [] {
                  EXPECT_EQ(Rows(), (std::vector<std::wstring>{L"Percent|1|30x20", L"-|0|0x0", L"Unknown name|0|0x0",
                                                               L"Testland|83|20x16", L"Phoney War|0|0x0"}));
                  EXPECT_TRUE(D::FindControl(IDC_START)->GetEnabled());
                  EXPECT_FALSE(D::FindControl(IDC_SAVE_DATE)->GetVisible());
              })
        .Then("pick Percent", [] { return D::ShowListRow(IDC_LIST, L"Percent"); })
        .Then("click Percent", D::AfterFrames(2), [] { D::ClickListRow(IDC_LIST, L"Percent"); })
        .Then("one turn", [] { return true; },
              [] { EXPECT_EQ(EditText(186), L"--.--.-- --:-- to --.--.-- --:--, turns: 1"); })
        .Then("pick Testland", [] { return D::ShowListRow(IDC_LIST, L"Testland"); })
        .Then("click Testland", D::AfterFrames(2), [] { D::ClickListRow(IDC_LIST, L"Testland"); })
        .Then("details", [] { return true; },
              [] {
                  EXPECT_EQ(EditText(186), L"1.9.1939 to 31.12.1941, turns: 83");
                  EXPECT_EQ(EditText(198), L"20x16");
                  EXPECT_EQ(EditText(182), L"Velmorant developers");
                  EXPECT_EQ(g_SelectedEntryName, L"Testland");
                  SelectTab(1);
              })
        .Then("saved games", [] { return Menu()->GetSelectedTab() == 1; },
              [] {
                  // Info.ini keeps year.month.day; the player reads day.month.year, as the game's dates.
                  EXPECT_EQ(Rows(), (std::vector<std::wstring>{L"first save|Testland|31.05.24 10:15",
                                                               L"the third, day|Testland / Borussia|--.--.-- --:--"}));
                  EXPECT_EQ(List()->GetColumns()[2].title, L"Saved on");
                  EXPECT_TRUE(D::FindControl(IDC_SAVE_DATE)->GetVisible());
                  EXPECT_EQ(EditText(IDC_SAVE_DATE), L"31.05.24 10:15");
                  EXPECT_EQ(EditText(IDC_SAVE_TURN), L"15.10.1939, turn 7");
                  // A scenario name that leaves the scenarios folder shows no picture.
                  EXPECT_EQ(g_Textures[TEX_PREVIEW_MINIMAP].Get(), nullptr);
              })
        .Then("settled", D::AfterFrames(20))
        .Screenshot("scenario_list_saved_games")
        .Then("play by e-mail", [] { return true; }, [] { SelectTab(2); })
        .Then("empty list", [] { return Menu()->GetSelectedTab() == 2; },
              [] {
                  EXPECT_EQ(List()->GetSize(), 0);
                  EXPECT_FALSE(D::FindControl(IDC_START)->GetEnabled());
                  D::PressKey(VK_ESCAPE);
              })
        .Then("main menu", [] { return dynamic_cast<cMainMenu*>(g_CurrentMenu) != nullptr; });
    EXPECT_EQ(driver.Run(), 0);
}

TEST(ScenarioList, StartLoadsTheChosenScenarioBehindTheLoadingScreen)
{
    cProgramDriver driver({}, {"scenarios", "save", "pbem"});
    MakeFolders();
    driver.StartWith(OpenScenarioMenu)
        .Then("pick Testland", [] { return Menu() && D::ShowListRow(IDC_LIST, L"Testland"); })
        .Then("click Testland", D::AfterFrames(2), [] { D::ClickListRow(IDC_LIST, L"Testland"); })
        .Then("start", [] { return true; }, [] { D::ClickControl(IDC_START); })
        .ScreenshotWhen("loading", D::LogHas(L" Progress = 50%"))
        .Then("loaded", D::LogHas(L"Creating next menu"));
    EXPECT_EQ(driver.Run(), 0);
    EXPECT_TRUE(LogHasInOrder({L"----- Loading -----", L" Progress = 5%", L" Progress = 100%",
                               L"-- Loading new scenario done!", L"Creating next menu"}));
}

} // namespace
