// Damaged saves picked in the scenario list: a file cut short refuses the game with a message
// and leaves the player in the list as it was; rows left out are told once the game is up.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <functional>
#include <fstream>
#include <sys/wait.h>

#include "ai/ai_thread.h"
#include "core/ini.h"
#include "core/stringbase.h"
#include "core/text.h"
#include "dialogs/dialog_stack.h"
#include "dialogs/message_dialog.h"
#include "dialogs/save_dialog.h"
#include "game/game.h"
#include "game/save_game.h"
#include "gui/controls.h"
#include "platform/messages.h"
#include "shell/menus/pause_menu.h"
#include "shell/menus/scenario_menu.h"
#include "shell/menus/scenario_settings_menu.h"
#include "shell/textures.h"
#include "units/unit.h"
#include "tests/game/hostile_values.h"
#include "tests/shell/program_driver.h"
#include "tests/test_support.h"

namespace {

namespace fs = std::filesystem;
using namespace testing_support;
using D = cProgramDriver;

enum
{
    IDC_TABS = 178,
    IDC_LIST = 179,
    IDC_START = 200,
    IDC_SETTINGS_BACK = 246,
};

cScenarioMenu* Menu() { return dynamic_cast<cScenarioMenu*>(g_CurrentMenu); }
bool Settings() { return dynamic_cast<cScenarioSettingsMenu*>(g_CurrentMenu) != nullptr; }

std::wstring MessageText(int row)
{
    auto* message = dynamic_cast<cDialogTekstowy*>(CurrentDialog());
    auto* text = message ? dynamic_cast<CDXUTStatic*>(message->GetControl(kMessageDialogRow + row)) : nullptr;
    return text ? text->GetText() : std::wstring();
}

void Cut(const fs::path& file, uintmax_t size) { fs::resize_file(file, size); }

std::string ReadBytes(const fs::path& file)
{
    std::ifstream in(file, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

// On the map, aboard ships and in reserve.
size_t LandUnits()
{
    size_t count = 0;
    g_Gra->ForEachUnitOf(CATEGORY_LAND, [&](const cUnit&) { ++count; });
    return count;
}

// Copies of the good save, each damaged as a disk or a copy can damage it.
void MakeDamagedCopies()
{
    const fs::path good = "data/save/good";
    // The list shows when each was saved: a fixed time, so that the screen is the same every day.
    cIniFile info;
    info.Load(good / "Info.ini");
    info.SetString("Save/Date", L"26.12.08 08:04");
    ASSERT_TRUE(info.SaveAs(good / "Info.ini"));
    for (const char* name : {"cut map", "cut units", "every file cut", "short row", "empty fleets", "empty map",
                             "rows run together", "gone", "hand edited", "rows cut"})
        fs::copy(good, fs::path("data/save") / name, fs::copy_options::recursive);
    // Unzipped into a folder of its own name: the save stands one folder deeper.
    fs::create_directories("data/save/nest");
    fs::copy(good, "data/save/nest/good", fs::copy_options::recursive);
    Cut("data/save/cut map/map.qvr", fs::file_size(good / "map.qvr") / 2);
    // Ten bytes into the row in the middle of the table: the file ends inside that row.
    const std::string units = ReadBytes(good / "land_units.csv");
    Cut("data/save/cut units/land_units.csv", units.rfind('\n', units.size() / 2) + 11);
    for (const auto& entry : fs::directory_iterator("data/save/every file cut"))
        Cut(entry.path(), fs::file_size(entry.path()) / 2);
    // One row in the middle keeps its first three fields; the table ends as written.
    const size_t begin = units.rfind('\n', units.size() / 2) + 1;
    size_t third = begin;
    for (int k = 0; k < 3; ++k)
        third = units.find(';', third) + 1;
    std::string shortRow = units.substr(0, third) + units.substr(units.find('\r', begin));
    std::ofstream("data/save/short row/land_units.csv", std::ios::binary | std::ios::trunc) << shortRow;
    // Edited by hand, so its list of the saved sizes is deleted, as a player is told to.
    fs::remove(fs::path("data/save/short row") / kSavedSizesFileName);
    // Whole rows lost: the table ends as a whole one does, at the end of a row.
    Cut("data/save/rows cut/land_units.csv", units.rfind("\r\n", units.size() / 2));
    Cut("data/save/empty fleets/fleets.csv", 0);
    Cut("data/save/empty map/map.qvr", 0);
    // The line end before that row in the middle is lost.
    std::string runTogether = units;
    runTogether.erase(begin - 2, 2);
    std::ofstream("data/save/rows run together/land_units.csv", std::ios::binary | std::ios::trunc) << runTogether;
    // Edited by hand: Borussia in an alliance of 99, with production "abc".
    int line = 0;
    std::string countries = ReadBytes(good / "countries.csv");
    countries = hostile::WithValue(countries, "2;1;Borussia;", 8, "99", line);
    countries = hostile::WithValue(countries, "2;1;Borussia;", 22, "abc", line);
    std::ofstream("data/save/hand edited/countries.csv", std::ios::binary | std::ios::trunc) << countries;
}

// Picks the save in the list and presses Start; between the two, what may happen meanwhile.
void Load(cProgramDriver& driver, const std::wstring& save, std::function<void()> meanwhile = [] {})
{
    const std::string name = WideToUtf8(save);
    driver.Then("show " + name, [save] { return Menu() && D::ShowListRow(IDC_LIST, save); })
        .Then("pick " + name, D::AfterFrames(2), [save] { D::ClickListRow(IDC_LIST, save); })
        .Then("start " + name, D::AfterFrames(2), [meanwhile] {
            meanwhile();
            D::ClickControl(IDC_START);
        });
}

// The message of a refused save over the list, on the saved-games tab with the save chosen;
// nothing of the game is left.
void ExpectRefused(cProgramDriver& driver, const std::wstring& save, std::vector<std::wstring> saying,
                   const std::string& screen = {})
{
    driver.Then("refused " + WideToUtf8(save), [] { return Menu() && MessageText(3) != L""; },
                [save, saying] {
                    EXPECT_EQ(MessageText(1), L"The game was not loaded");
                    for (const std::wstring& part : saying)
                        EXPECT_NE(MessageText(3).find(part), std::wstring::npos) << WideToUtf8(MessageText(3));
                    EXPECT_EQ(MessageText(3).find(L'\\'), std::wstring::npos) << "paths are written with '/'";
                    EXPECT_EQ(Menu()->GetSelectedTab(), 1);
                    auto* list = dynamic_cast<CDXUTListBox*>(Menu()->GetControl(IDC_LIST));
                    // A save that is gone is no longer listed.
                    const bool listed = fs::exists(fs::path("data/save") / save);
                    ASSERT_TRUE(list->GetSelectedItem() || !listed);
                    EXPECT_EQ(list->GetSelectedItem() && list->GetSelectedItem()->Text() == save, listed);
                    EXPECT_EQ(g_Gra, nullptr);
                    EXPECT_FALSE(IsAIThreadRunning());
                    for (int holder = TEX_MINIMAP_OVERLAY; holder < kSharedTextureCount; ++holder) {
                        if (holder == TEX_WALLPAPER_SCENARIO || holder == TEX_PREVIEW_MINIMAP)
                            continue;
                        EXPECT_EQ(g_Textures[size_t(holder)].Get(), nullptr) << holder;
                    }
                });
    if (!screen.empty())
        driver.Then("settled", D::AfterFrames(20)).Screenshot(screen);
    driver.Then("read " + WideToUtf8(save), [] { return true; }, [] { D::PressKey(VK_RETURN); })
        .Then("closed " + WideToUtf8(save), [] { return Menu() && !CurrentDialog(); });
}

TEST(DamagedSaves, AreRefusedInTheListAndRowsLeftOutAreToldAfterLoading)
{
    static size_t unitsInTheGoodSave = 0;
    cProgramDriver driver({}, {"scenarios", "save", "pbem"});
    MakeTestlandFolder();
    driver.StartWith(LoadTestland)
        .Then("settings", Settings,
              [] {
                  unitsInTheGoodSave = LandUnits();
                  ASSERT_TRUE(SaveGame(L"good", true));
                  MakeDamagedCopies();
                  D::ClickControl(IDC_SETTINGS_BACK);
              })
        .Then("scenario list", [] { return Menu() != nullptr; }, [] { D::ClickTab(IDC_TABS, 1); })
        .Then("saved games", [] { return Menu() && Menu()->GetSelectedTab() == 1; });
    Load(driver, L"cut map");
    ExpectRefused(driver, L"cut map", {L"map.qvr"}, "damaged_save_refused");
    Load(driver, L"cut units");
    ExpectRefused(driver, L"cut units", {L"land_units.csv, line", L"cut short"});
    Load(driver, L"every file cut");
    ExpectRefused(driver, L"every file cut", {L"Info.ini names no scenario"});
    Load(driver, L"empty fleets");
    ExpectRefused(driver, L"empty fleets", {L"data/save/empty fleets/fleets.csv is empty"});
    Load(driver, L"empty map");
    ExpectRefused(driver, L"empty map", {L"data/save/empty map/map.qvr is empty"});
    Load(driver, L"rows run together");
    ExpectRefused(driver, L"rows run together",
                  {L"data/save/rows run together/land_units.csv, line ", L"two rows run together"});
    Load(driver, L"hand edited");
    ExpectRefused(driver, L"hand edited",
                  {L"data/save/hand edited/countries.csv, line 4, column 8 (Alliance): 99 is outside 0 to 6"},
                  "hand_edited_save_refused");
    // Listed from the list that follows this refusal on, after the screens of the list.
    Load(driver, L"rows cut", [] { fs::create_directories("data/save/empty"); });
    ExpectRefused(driver, L"rows cut", {L"data/save/rows cut/land_units.csv is ", L"cut short"});
    // No game of its own, and no damage: its row, its description and Start say what it is.
    auto toldAsNoGame = [&driver](const wchar_t* folder, const char* label, std::vector<std::wstring> saying) {
        Load(driver, folder);
        driver.Then("told", [] { return Menu() && MessageText(3) != L""; }, [label] {
            auto* list = dynamic_cast<CDXUTListBox*>(Menu()->GetControl(IDC_LIST));
            EXPECT_EQ(list->GetSelectedItem()->cells.at(1), LangText(label));
            const std::wstring described = dynamic_cast<CDXUTMemo*>(Menu()->GetControl(192))->GetText();
            EXPECT_EQ(MessageText(3), LangFormat("load_folder_without_game_%s", described));
        });
        ExpectRefused(driver, folder, std::move(saying));
    };
    toldAsNoGame(L"nest", "saved_folder_game_deeper",
                 {L"data/save/nest holds no game", L"deeper, in data/save/nest/good", L"into data/save and"});
    toldAsNoGame(L"empty", "saved_folder_no_game", {L"data/save/empty is an empty folder"});
    Load(driver, L"gone", [] { fs::remove_all("data/save/gone"); });
    ExpectRefused(driver, L"gone", {L"data/save/gone is missing or cannot be read."});
    Load(driver, L"short row");
    driver
        .Then("told", [] { return Settings() && MessageText(1) != L""; },
              [] {
                  EXPECT_EQ(MessageText(1), L"Some rows were left out");
                  EXPECT_NE(MessageText(3).find(L"From land_units.csv, one row could not be read and was left out."),
                            std::wstring::npos)
                      << WideToUtf8(MessageText(3));
                  EXPECT_EQ(LandUnits() + 1, unitsInTheGoodSave);
              })
        .Then("settled", D::AfterFrames(20))
        .Screenshot("rows_left_out")
        .Then("read", [] { return true; }, [] { D::PressKey(VK_RETURN); })
        .Then("back", [] { return Settings() && !CurrentDialog(); }, [] { D::ClickControl(IDC_SETTINGS_BACK); })
        .Then("list again", [] { return Menu() != nullptr; }, [] { D::ClickTab(IDC_TABS, 1); })
        .Then("saved games again", [] { return Menu() && Menu()->GetSelectedTab() == 1; });
    Load(driver, L"good");
    driver.Then("good save", [] { return Settings() && g_Gra; },
                [] {
                    EXPECT_EQ(CurrentDialog(), nullptr);
                    EXPECT_EQ(LandUnits(), unitsInTheGoodSave);
                });
    EXPECT_EQ(driver.Run(), 0);
}

// Two programs on one game folder: while the game saves as Mix, velmorant-tool saves another
// game under that name. Mix holds the game told "saved" alone; the other is refused and says why.
TEST(DamagedSaves, TwoProgramsSavingOneNameAtOnceNeverMixTheirGames)
{
    static int toolExit = -1;
    static std::string toolSaid;
    cProgramDriver driver({}, {"scenarios", "save", "pbem"});
    MakeTestlandFolder();
    driver.StartWith(LoadTestland).Then("settings", Settings, [] { ASSERT_TRUE(SaveGame(L"other", true)); });
    StartAsBorussia(driver);
    driver.Then("pause", [] { return !CurrentDialog(); }, [] { D::PressKey(VK_ESCAPE); })
        .Then("save", [] { return dynamic_cast<cPauseMenu*>(g_CurrentMenu) != nullptr; },
              [] { D::ClickControl(kPauseSave); })
        .Then("save as Mix", [] { return dynamic_cast<cDialogZapisuGry*>(CurrentDialog()) != nullptr; },
              [] {
                  // Once the game has written its first file, the tool saves the other game as Mix.
                  SetSaveFileWrittenHook([](const wchar_t*) {
                      if (toolExit >= 0)
                          return;
                      const fs::path said = MakeScratchDir("tool") / "said";
                      const std::string command = (BinDir() / "velmorant-tool").string() + " resave '" +
                                                  (fs::current_path() / "data/save/other").string() + "' Mix 2> '" +
                                                  said.string() + "'";
                      toolExit = WEXITSTATUS(std::system(command.c_str()));
                      toolSaid = ReadBytes(said);
                  });
                  D::SetEditText(kSaveNameId, L"Mix");
                  D::ClickControl(kSaveSaveId);
              })
        .Then("told", [] { return MessageText(3) != L""; },
              [] {
                  SetSaveFileWrittenHook(nullptr);
                  EXPECT_EQ(MessageText(3), L"The game has been saved as Mix.");
                  EXPECT_EQ(toolExit, 1);
                  EXPECT_NE(toolSaid.find("another program is saving under this name"), std::string::npos) << toolSaid;
                  EXPECT_TRUE(GameIsAsLastSaved()) << "Mix holds this game's files";
                  EXPECT_FALSE(fs::exists("data/save/Mix/play_counts.csv")) << "and none of the tool's";
                  EXPECT_EQ(std::distance(fs::directory_iterator("data/save"), {}), 2) << "and no working folder";
              });
    EXPECT_EQ(driver.Run(), 0);
}

} // namespace
