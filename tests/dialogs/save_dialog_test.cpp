// The save window: the saves it lists, and what a save, an overwrite and a refusal leave
// in data/save.
#include <gtest/gtest.h>

#include <filesystem>

#include "core/fatal.h"
#include "core/ini.h"
#include "core/stringbase.h"
#include "dialogs/confirm_dialog.h"
#include "dialogs/message_dialog.h"
#include "dialogs/save_dialog.h"
#include "game/game.h"
#include "game/save_game.h"
#include "gui/controls.h"
#include "platform/paths.h"
#include "tests/dialogs/dialog_bench.h"
#include "tests/game/testland.h"
#include "tests/test_support.h"

namespace fs = std::filesystem;

namespace {

class SaveWindow : public cDialogTest
{
protected:
    void SetUp() override
    {
        cDialogTest::SetUp();
        SetPresentation(&screen);
        fs::remove_all("data/save");
        LoadTestland(1);
    }
    void TearDown() override
    {
        SetSaveFileWrittenHook(nullptr);
        cDialogTest::TearDown();
    }
    void SaveAs(const std::wstring& name)
    {
        auto* edit = ControlOf<CDXUTEditBox>(*Top(), kSaveNameId, DXUT_CONTROL_EDITBOX);
        edit->SetText(name.c_str());
        Click(kSaveSaveId);
    }
    std::vector<std::vector<std::wstring>> Rows()
    {
        std::vector<std::vector<std::wstring>> rows;
        auto* list = ControlOf<CDXUTListBox>(*Top(), kSaveListId, DXUT_CONTROL_LISTBOX);
        for (int k = 0; k < list->GetSize(); ++k)
            rows.push_back(list->GetItem(k)->cells);
        return rows;
    }
    testland::cRecordingPresentation screen;
};

TEST_F(SaveWindow, ListsSavesSortedAndAFolderWithoutInfoAsUnknown)
{
    // A save as the game writes it, with a fixed date for the screenshot.
    testing_support::WriteFile("data/save/zulu/Info.ini",
                               "[General_ENG]\r\nName=Testland\r\n[Save]\r\nDate=39.09.01 04:45\r\nTurn=3\r\n");
    fs::create_directories("data/save/alpha");
    // A name holding the row's separators, and an empty one, stay in their own columns.
    testing_support::WriteFile("data/save/day 1;Poland|West/Info.ini", "[General_ENG]\r\nName=\r\n[Save]\r\nTurn=2\r\n");
    PushDialog(new cDialogZapisuGry);
    EXPECT_EQ(g_Gra->GetGameState(), 2);
    const auto rows = Rows();
    ASSERT_EQ(rows.size(), 3u);
    EXPECT_EQ(rows[0], (std::vector<std::wstring>{L"alpha", L"Unknown name", L"1", L"--.--.-- --:--"}));
    EXPECT_EQ(rows[1], (std::vector<std::wstring>{L"day 1 Poland West", L" ", L"2", L"--.--.-- --:--"}));
    // Info.ini keeps year.month.day; the window shows day.month.year, as the game's dates read.
    EXPECT_EQ(rows[2], (std::vector<std::wstring>{L"zulu", L"Testland", L"3", L"01.09.39 04:45"}));
    ASSERT_NO_FATAL_FAILURE(CheckScreen("save_dialog"));
    Click(kSaveExitId);
    EXPECT_TRUE(OpenKinds().empty());
    EXPECT_EQ(g_Gra->GetGameState(), 7);
    // A save named in letters beyond ASCII, as a player types them.
    fs::create_directories(fs::path(u8"data/save/\u0142\u00f3d\u017a"));
    // Not the folder another program is writing a save into now.
    const cFileLock saving("data/save/zulu%lock");
    fs::create_directories("data/save/zulu%saving");
    PushDialog(new cDialogZapisuGry);
    EXPECT_EQ(Rows().back()[0], L"\u0142\u00f3d\u017a");
    EXPECT_EQ(Rows().size(), 4u);
    EXPECT_TRUE(fs::exists("data/save/zulu%saving")) << "nor taken from under it";
}

TEST_F(SaveWindow, SavesANewNameAtOnceAndAsksBeforeReplacingOne)
{
    PushDialog(new cDialogZapisuGry);
    SaveAs(L"campaign");
    EXPECT_TRUE(fs::exists("data/save/campaign/Info.ini"));
    EXPECT_EQ(screen.messages.size(), 1u);
    EXPECT_EQ(Rows().size(), 1u);
    EXPECT_EQ(OpenKinds(), (std::vector<int>{kSaveDialogKind}));

    // The same name with blanks around it is the same save: it asks.
    const auto written = fs::last_write_time("data/save/campaign/Info.ini");
    SaveAs(L"  campaign ");
    EXPECT_EQ(OpenKinds(), (std::vector<int>{kSaveDialogKind, kConfirmDialogKind}));
    Click(kConfirmNoId);
    EXPECT_EQ(fs::last_write_time("data/save/campaign/Info.ini"), written);
    EXPECT_EQ(screen.messages.size(), 1u);

    g_Gra->m_Turn = 7;
    SaveAs(L"campaign");
    Click(kConfirmYesId);
    EXPECT_EQ(screen.messages.size(), 2u);
    EXPECT_EQ(Rows()[0][2], L"7");
    EXPECT_EQ(OpenKinds(), (std::vector<int>{kSaveDialogKind}));

    // The list is filled again after a save; the chosen row's place stays chosen.
    auto* list = ControlOf<CDXUTListBox>(*Top(), kSaveListId, DXUT_CONTROL_LISTBOX);
    list->SelectItem(0, true);
    SaveAs(L"alpha");
    EXPECT_EQ(Rows().size(), 2u);
    EXPECT_EQ(list->GetSelectedIndex(), 0);
}

TEST_F(SaveWindow, ARefusedNameOrAFailedSaveSaysSoAndTheWindowStays)
{
    PushDialog(new cDialogZapisuGry);
    SaveAs(L"../escape");
    EXPECT_FALSE(fs::exists("data/escape"));
    EXPECT_EQ(OpenKinds(), (std::vector<int>{kSaveDialogKind, kMessageDialogKind}));
    Key(VK_RETURN);
    // No name is told that a save needs one, a long one the limit, one with a list's column
    // marks why: none is saved, nor cut, nor shown under another name.
    for (const auto& [name, why] : {std::pair{std::wstring(L" "), LangText("save_game_name_empty")},
                                    {std::wstring(300, L's'), LangFormat("save_game_name_too_long_%i_%i", 54, 300)},
                                    {std::wstring(L"a;b|c"), LangFormat("save_game_invalid_name_%s", L"a;b|c")}}) {
        SaveAs(name);
        EXPECT_EQ(TextOf(kMessageDialogRow + 3), why);
        Key(VK_RETURN);
    }
    EXPECT_TRUE(Rows().empty());

    ASSERT_TRUE(SaveGame(L"quick", true));
    CloseTopDialogs(-1);
    PushDialog(new cDialogZapisuGry);
    SetSaveFileWrittenHook([](const wchar_t*) { FatalExit(1, L"Error opening file for writing"); });
    keys[VK_CONTROL] = true;
    ControlOf<CDXUTListBox>(*FindOpenDialogByKind(kSaveDialogKind), kSaveListId, DXUT_CONTROL_LISTBOX)->SelectItem(0, true);
    EXPECT_EQ(OpenKinds(), (std::vector<int>{kSaveDialogKind, kMessageDialogKind}));
    // It says why: the file the writer stopped at.
    EXPECT_EQ(TextOf(kMessageDialogRow + 3),
              SaveFailedText(L"quick", LangFormat("save_failed_file_not_written_%s", L"ai_data.csv")));
}

TEST_F(SaveWindow, CtrlAndAClickOnASaveReplacesItAtOnceAndGoesBackToTheMap)
{
    ASSERT_TRUE(SaveGame(L"quick", true));
    const auto written = fs::last_write_time("data/save/quick/Info.ini");
    PushDialog(new cDialogZapisuGry);
    auto* list = ControlOf<CDXUTListBox>(*Top(), kSaveListId, DXUT_CONTROL_LISTBOX);
    list->SelectItem(0, true);
    EXPECT_EQ(TextOf(kSaveNameId), L"quick") << "without Ctrl a click only takes the name";
    g_Gra->m_Turn = 9;
    keys[VK_CONTROL] = true;
    list->SelectItem(0, true);
    EXPECT_TRUE(OpenKinds().empty());
    EXPECT_EQ(g_Gra->GetGameState(), 7);
    EXPECT_TRUE(screen.messages.empty());
    EXPECT_GE(fs::last_write_time("data/save/quick/Info.ini"), written);
    cIniFile info;
    ASSERT_TRUE(info.Load("data/save/quick/Info.ini"));
    EXPECT_EQ(info.GetInt("Save/Turn", 0), 9);
}

} // namespace
