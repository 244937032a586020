// The preferences: what each tab offers and what OK leaves in Settings.ini.
#include <SDL_image.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <system_error>
#include <unistd.h>

#include "core/ini.h"
#include "core/settings.h"
#include "core/stringbase.h"
#include "core/text.h"
#include "dialogs/message_dialog.h"
#include "dialogs/preferences_dialog.h"
#include "game/game.h"
#include "game/presentation.h"
#include "gui/controls.h"
#include "shell/dxut.h"
#include "shell/hint_display.h"
#include "shell/music_player.h"
#include "platform/messages.h"
#include "platform/paths.h"
#include "platform/window.h"
#include "tests/dialogs/dialog_bench.h"
#include "tests/test_support.h"

namespace fs = std::filesystem;

namespace {

class cSkinCounter : public cNullPresentation
{
public:
    void LoadMapSkin() override { ++mapSkins; }
    void LoadUnitsSkin() override { ++unitsSkins; }
    int mapSkins = 0;
    int unitsSkins = 0;
};

class Preferences : public cDialogTest
{
protected:
    void SetUp() override
    {
        cDialogTest::SetUp();
        SetPresentation(&skins);
    }
    cDialogUstawien* Open()
    {
        OpenPreferences();
        return dynamic_cast<cDialogUstawien*>(Top());
    }
    void ShowTab(int index)
    {
        ControlOf<CDXUTTabFrame>(*Top(), kPreferencesTabsId, DXUT_CONTROL_TABFRAME)->SelectTab(index, false);
    }
    void Slide(int id, int value)
    {
        ControlOf<CDXUTSlider>(*Top(), id, DXUT_CONTROL_SLIDER)->SetValueInternal(value, true, true);
    }
    void Choose(int comboId, const std::wstring& text)
    {
        auto* combo = ControlOf<CDXUTComboBox>(*Top(), comboId, DXUT_CONTROL_COMBOBOX);
        const int index = combo->FindItem(text.c_str());
        ASSERT_GE(index, 0) << "no item " << testing::PrintToString(text);
        combo->SetSelectedByIndex(unsigned(index));
        Top()->SendEvent(EVENT_COMBOBOX_SELECTION_CHANGED, true, combo);
    }
    std::wstring Shown(int comboId)
    {
        auto* combo = ControlOf<CDXUTComboBox>(*Top(), comboId, DXUT_CONTROL_COMBOBOX);
        return combo->GetSelectedItem() ? combo->GetSelectedItem()->strText : L"<none>";
    }
    cSkinCounter skins;
};

TEST_F(Preferences, OkWritesEveryChangeIntoSettingsIniAndGoesBackToTheMap)
{
    LoadTestland(1);
    Open();
    ASSERT_NO_FATAL_FAILURE(CheckScreen("preferences_dialog_general"));
    Choose(kPreferencesFpsLimitId, LangText("fps_30"));
    EXPECT_EQ(g_UserSettings.FrameSleepMs(), 33);
    ShowTab(5);
    Slide(kPreferencesSoundVolumeId, 13);
    EXPECT_EQ(TextOf(kPreferencesSoundVolumeId - 1), L"65%");
    ShowTab(3);
    Click(kPreferencesGridId);
    Choose(kPreferencesBorderColourId, LangText("border_color_red"));
    ShowTab(1);
    Slide(g_DelayTable[DELAY_AI_COMBAT_RESULT].controlId, -1);
    EXPECT_EQ(TextOf(g_DelayTable[DELAY_AI_COMBAT_RESULT].controlId - 1), LangText("pref_delay_wait_for_click"));
    ASSERT_NO_FATAL_FAILURE(CheckScreen("preferences_dialog_gameplay"));
    ShowTab(4);
    Click(kPreferencesEndTurnQuestionId);
    g_Gra->EnterMenuState();
    g_MapZoom = 0.5f; // zoomed out since the start
    Click(kPreferencesOkId);

    EXPECT_TRUE(OpenKinds().empty());
    EXPECT_EQ(g_Gra->GetGameState(), 7);
    cIniFile saved;
    ASSERT_TRUE(saved.Load("Settings.ini"));
    EXPECT_EQ(saved.GetInt("Main/FPSLimit", -1), 30);
    EXPECT_EQ(saved.GetInt("Audio/SFXVolume", -1), 65);
    EXPECT_FALSE(saved.GetBool("MapDisplay/ShowGrid", true));
    EXPECT_EQ(saved.GetInt("Border/ColorR", -1), 255);
    EXPECT_EQ(saved.GetInt("Border/ColorG", -1), 0);
    EXPECT_EQ(saved.GetInt("Delay/AICombatResult", 0), -1000);
    EXPECT_FALSE(saved.GetBool("InterfaceSettings/ConfirmEndTurn", true));
    EXPECT_EQ(saved.GetInt("MapDisplay/Zoom", 0), 50) << "the zoom the map is shown at";

    // On a full disk Settings.ini stays as it was, and the player is told why.
    const std::optional<std::string> before = ReadWholeFile("Settings.ini");
    Open();
    fs::create_symlink("/dev/full", "Settings.ini." + std::to_string(getpid()) + ".tmp");
    Click(kPreferencesOkId);
    EXPECT_EQ(ReadWholeFile("Settings.ini"), before);
    EXPECT_EQ(OpenKinds(), std::vector<int>{kMessageDialogKind});
    EXPECT_EQ(TextOf(kMessageDialogRow + 3),
              LangFormat("pref_settings_not_written_%s",
                         Utf8ToWide(std::make_error_code(std::errc::no_space_on_device).message())));
}

// The music of a running game follows the slider at once, is silent while the window is
// minimised and comes back at the slider's volume.
TEST_F(Preferences, TheMusicSliderAndAMinimisedWindowReachTheMusicOfTheRunningGame)
{
    LoadTestland(1);
    cMusicPlayer music;
    g_Gra->m_Music = &music;
    Open();
    ShowTab(5);
    Slide(kPreferencesMusicVolumeId, 6);
    EXPECT_EQ(TextOf(kPreferencesMusicVolumeId - 1), L"30%");
    EXPECT_FLOAT_EQ(music.GetVolume(), 0.3f);
    DXUTStaticWndProc(WM_SIZE, SIZE_MINIMIZED, 0);
    EXPECT_FLOAT_EQ(music.GetVolume(), 0.0f);
    DXUTStaticWndProc(WM_SIZE, SIZE_RESTORED, 0);
    EXPECT_FLOAT_EQ(music.GetVolume(), 0.3f);
    g_Gra->m_Music = nullptr;
}

TEST_F(Preferences, SizesWithALayoutFileThatFitTheDesktopAndTheSizeInUseAreOfferedOpenOnTheSizeInUse)
{
    // The offscreen driver's desktop is 1024 x 768: a window of 1280 x 1024 would not fit on it.
    int desktopWidth = 0, desktopHeight = 0;
    ASSERT_TRUE(DesktopSize(desktopWidth, desktopHeight));
    ASSERT_EQ(std::make_pair(desktopWidth, desktopHeight), std::make_pair(1024, 768));
    testing_support::WriteFile("data/GUI_800x600.csv", "1;0;0;800;600\n");
    testing_support::WriteFile("data/GUI_1280x1024.csv", "1;0;0;1280;1024\n");
    testing_support::WriteFile("data/GUI_notes.csv", "\n");
    testing_support::WriteFile(fs::path(u8"data/GUI_gr\u00f6\u00dfe.csv"), "\n");
    g_UserSettings.resolutionX = 800;
    g_UserSettings.resolutionY = 600;
    Open();
    std::vector<std::wstring> offered;
    auto* combo = ControlOf<CDXUTComboBox>(*Top(), kPreferencesResolutionId, DXUT_CONTROL_COMBOBOX);
    for (int k = 0; k < combo->GetNumItems(); ++k)
        offered.push_back(combo->GetItem(k)->strText);
    EXPECT_EQ(offered, (std::vector<std::wstring>{L"800x600", L"1024x768"}));
    EXPECT_EQ(Shown(kPreferencesResolutionId), L"800x600");
    Choose(kPreferencesResolutionId, L"1024x768");
    EXPECT_EQ(g_Settings.GetInt("Main/ResolutionX", 0), 1024);
    CloseTopDialogs(1);

    g_UserSettings.resolutionX = 1280;
    g_UserSettings.resolutionY = 1024;
    Open();
    EXPECT_EQ(ControlOf<CDXUTComboBox>(*Top(), kPreferencesResolutionId, DXUT_CONTROL_COMBOBOX)->GetNumItems(), 3);
    EXPECT_EQ(Shown(kPreferencesResolutionId), L"1280x1024");
}

TEST_F(Preferences, ControlsOpenOnTheSettingsInForce)
{
    g_UserSettings.fpsLimit = 30;
    g_UserSettings.borderColor = 0xFF123456u;
    g_DelayValues[DELAY_CONTROL_HINT] = 0;
    g_DelayValues[DELAY_AI_MOVE_BEFORE] = 0;
    g_DelayValues[DELAY_HUMAN_COMBAT_RESULT] = 0;
    g_DelayValues[DELAY_AI_MOVE_BETWEEN] = 150;
    g_DelayValues[DELAY_AI_COMBAT_RESULT] = 1500;
    g_UserSettings.seaBattleTimeout = 2;
    g_UserSettings.fogOfWar = 0;
    Open();
    EXPECT_EQ(TextOf(kPreferencesVisibilityId - 1), LangText("pref_visibility_disabled"));
    // A slider stands at the whole seconds, the text at the delay in force.
    EXPECT_EQ(ControlOf<CDXUTSlider>(*Top(), g_DelayTable[DELAY_AI_COMBAT_RESULT].controlId, DXUT_CONTROL_SLIDER)->GetValue(), 1);
    EXPECT_EQ(TextOf(g_DelayTable[DELAY_AI_MOVE_BETWEEN].controlId - 1), L"0.15 sec");
    EXPECT_EQ(TextOf(g_DelayTable[DELAY_AI_COMBAT_RESULT].controlId - 1), L"1.50 sec");
    EXPECT_EQ(TextOf(kPreferencesSeaBattleId - 1), L"2.0 sec");
    EXPECT_EQ(Shown(kPreferencesFpsLimitId), LangText("fps_30"));
    EXPECT_EQ(Shown(kPreferencesBorderColourId), LangText("border_color_default"));
    // Its list is 300 pixels long, as far as its window holds it: 250 at 1024 x 768.
    auto* colours = ControlOf<CDXUTComboBox>(*Top(), kPreferencesBorderColourId, DXUT_CONTROL_COMBOBOX);
    EXPECT_EQ(colours->GetDropdownRect().Height() - colours->GetBoundingBox().Height(), 250);
    EXPECT_EQ(TextOf(g_DelayTable[DELAY_CONTROL_HINT].controlId - 1), LangText("pref_delay_immediately"));
    EXPECT_EQ(TextOf(g_DelayTable[DELAY_AI_MOVE_BEFORE].controlId - 1), LangFormat("pref_delay_%.1f", 0.0));
    EXPECT_EQ(TextOf(g_DelayTable[DELAY_HUMAN_COMBAT_RESULT].controlId - 1), LangText("pref_delay_dont_show"));
    // A sight below 0 (Settings.ini's) is the thickest fog, not none.
    CloseTopDialogs(1);
    g_UserSettings.fogOfWar = -7;
    Open();
    EXPECT_EQ(TextOf(kPreferencesVisibilityId - 1), LangText("pref_visibility_own_units_only"));
}

// A sample of the border colour shows the map's border piece of a hex's first side, in the
// border colour.
TEST_F(Preferences, TheBorderSamplesShowTheMapsBorderPieceInTheBorderColour)
{
    g_UserSettings.borderColor = 0xFF123456u;
    Open();
    for (int id = 105; id <= 110; ++id) {
        auto* sample = static_cast<CDXUTImage*>(Top()->GetControl(id, DXUT_CONTROL_IMAGE));
        ASSERT_NE(sample, nullptr);
        EXPECT_EQ(sample->m_Color, 0xFF123456u);
        EXPECT_EQ(sample->m_rcTexture, (sRect{1, 669, 167, 835})) << id;
    }
    const fs::path picture = fs::path("data/gfx") / ("[MapSkin]" + WideToUtf8(g_UserSettings.mapSkin)) / "others.png";
    SDL_Surface* loaded = IMG_Load(picture.string().c_str());
    ASSERT_NE(loaded, nullptr) << picture;
    SDL_Surface* argb = SDL_ConvertSurfaceFormat(loaded, SDL_PIXELFORMAT_ARGB8888, 0);
    SDL_FreeSurface(loaded);
    ASSERT_NE(argb, nullptr);
    int opaque = 0;
    for (int y = 669; y < 835; ++y)
        for (int x = 1; x < 167; ++x)
            opaque += (static_cast<const uint32_t*>(argb->pixels)[y * argb->pitch / 4 + x] >> 24) >= 128;
    SDL_FreeSurface(argb);
    EXPECT_GT(opaque, 0) << "the piece holds the border's line";
}

TEST_F(Preferences, OnlyAnotherSkinIsLoaded)
{
    fs::create_directories("data/gfx/[MapSkin]Normal");
    fs::create_directories("data/gfx/[MapSkin]Winter");
    fs::create_directories(fs::path(u8"data/gfx/[MapSkin]\u015anieg"));
    Open();
    auto* list = ControlOf<CDXUTListBox>(*Top(), kPreferencesMapSkinId, DXUT_CONTROL_LISTBOX);
    ASSERT_EQ(list->GetSize(), 3);
    EXPECT_EQ(list->GetItem(2)->cells[0], L"\u015anieg");
    EXPECT_EQ(list->GetSelectedIndex(), 0);
    list->SelectItem(0, true);
    EXPECT_EQ(skins.mapSkins, 0);
    list->SelectItem(1, true);
    EXPECT_EQ(skins.mapSkins, 1);
    EXPECT_EQ(g_UserSettings.mapSkin, L"Winter");
    EXPECT_EQ(g_Settings.GetString("MapDisplay/Skin", L""), L"Winter");
}

TEST_F(Preferences, OpenOnlyInThePlayersPhaseOrOverThePauseMenuAndWithoutAGameBackToTheMainMenu)
{
    int mainMenus = 0;
    g_ShellLinks.openMainMenu = [&] { ++mainMenus; };
    Open();
    Click(kPreferencesOkId);
    EXPECT_EQ(mainMenus, 1);

    LoadTestland(1);
    g_Gra->SetGameState(9);
    EXPECT_EQ(Open(), nullptr);
    g_Gra->SetGameState(2);
    EXPECT_NE(Open(), nullptr);
}

} // namespace

TEST_F(Preferences, ANewHintDelayHoldsForTheNextHintAtOnce)
{
    g_HintDisplay.delayMs = 60000;
    Open();
    ShowTab(4);
    // The shipped half second shows as 0 on the slider: a move away first, so 0 is a change.
    Slide(g_DelayTable[DELAY_CONTROL_HINT].controlId, 2);
    Slide(g_DelayTable[DELAY_CONTROL_HINT].controlId, 0);
    g_HintDisplay.SetText(L"Buy units");
    g_HintDisplay.Render();
    EXPECT_TRUE(g_HintDisplay.IsShown()) << "no wait with a delay of 0";
    Slide(g_DelayTable[DELAY_CONTROL_HINT].controlId, 3);
    EXPECT_EQ(g_HintDisplay.delayMs, 3000);
    Slide(g_DelayTable[DELAY_AI_MOVE_BEFORE].controlId, 5);
    EXPECT_EQ(g_HintDisplay.delayMs, 3000) << "another delay leaves the hint's alone";
    g_HintDisplay.SetText(nullptr);
}
