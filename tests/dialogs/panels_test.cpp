// The info and minimap panels: what they show, their buttons and hotkeys, and the other
// side's phase.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <utility>

#include "core/game_date.h"
#include "core/ini.h"
#include "core/settings.h"
#include "core/stringbase.h"
#include "dialogs/confirm_dialog.h"
#include "dialogs/convoys_dialog.h"
#include "dialogs/end_turn_dialog.h"
#include "dialogs/game_panels.h"
#include "dialogs/hotkeys_dialog.h"
#include "dialogs/info_panel.h"
#include "dialogs/units_manager.h"
#include "dialogs/minimap_panel.h"
#include "dialogs/reports_dialog.h"
#include "dialogs/research_dialog.h"
#include "dialogs/request_openers.h"
#include "game/game.h"
#include "game/game_state.h"
#include "gui/controls.h"
#include "gui/gui_atlas.h"
#include "platform/messages.h"
#include "shell/dxut.h"
#include "tests/dialogs/dialog_bench.h"
#include "tests/game/testland_game.h"
#include "world/country.h"
#include "world/map.h"

namespace {

constexpr int kPurchaseKind = 740;

class GamePanels : public cDialogTest
{
protected:
    void SetUp() override
    {
        cDialogTest::SetUp();
        LoadTestland(1);
        g_DialogLinks.createGamePanels();
        g_InfoPanelWindows.purchases = [] { return new cDialog(kPurchaseKind, sLayoutRect{100, 100, 300, 200}); };
    }
    void TearDown() override
    {
        g_InfoPanelWindows = sInfoPanelWindows{};
        cDialogTest::TearDown();
    }
    void Press(int button) { g_DialogLinks.pressInfoPanelButton(button); }
    cInfoPanel& Info() { return *InfoPanel(); }
    cMinimapPanel& Minimap() { return *MinimapPanel(); }
};

TEST_F(GamePanels, CountersShowAPersonsCountryAndOnlyTheFlagAndNameOfAComputersOne)
{
    cPanstwo& albion = *GetCountry(1);
    albion.PP = 120.62;
    albion.SMP = 3;
    albion.SMPMax = 5;
    g_DialogLinks.refreshPoints();
    EXPECT_TRUE(Info().GetControl(kInfoFlagId)->GetVisible());
    EXPECT_EQ(TextOf(Info(), kInfoCountryNameId), albion.Name);
    // The whole points there are: 121 would be more than the country can spend.
    EXPECT_EQ(TextOf(Info(), kInfoProductionId), L"120");
    EXPECT_EQ(TextOf(Info(), kInfoStrategicId), L"3/5");
    g_DialogLinks.refreshDate();
    ASSERT_NO_FATAL_FAILURE(CheckScreen("game_panels"));
    // Handed to the computer (F12) in its person's phase, it is theirs to the end of the turn.
    albion.HumanControlled = false;
    g_DialogLinks.refreshPoints();
    EXPECT_EQ(TextOf(Info(), kInfoProductionId), L"120");
    // The computer's turn: its flag over no counters, not over the person's.
    g_Gra->SetGameState(kStateComputer);
    g_DialogLinks.refreshPoints();
    EXPECT_EQ(TextOf(Info(), kInfoProductionId), L"-");
    EXPECT_EQ(TextOf(Info(), kInfoStrategicId), L"-");

    LoadTestland(2);
    GetCountry(2)->HumanControlled = false;
    g_Gra->SetGameState(kStateComputer);
    g_DialogLinks.destroyGamePanels();
    g_DialogLinks.createGamePanels();
    g_DialogLinks.refreshPoints();
    EXPECT_EQ(TextOf(Info(), kInfoCountryNameId), GetCountry(2)->Name);
    EXPECT_EQ(TextOf(Info(), kInfoProductionId), L"-");
}

TEST_F(GamePanels, WindowButtonsToggleTheirWindowAndCloseWhatLiesAbove)
{
    Press(kPurchasesButtonId);
    EXPECT_EQ(OpenKinds(), (std::vector<int>{kPurchaseKind}));
    Press(kHotkeysButtonId);
    EXPECT_EQ(OpenKinds(), (std::vector<int>{kPurchaseKind, kHotkeysDialogKind}));
    Click(Info(), kPurchasesButtonId);
    EXPECT_TRUE(OpenKinds().empty());
    Press(kHotkeysButtonId);
    Press(kHotkeysButtonId);
    EXPECT_TRUE(OpenKinds().empty());
    Press(kUnitsButtonId);
    EXPECT_EQ(OpenKinds(), (std::vector<int>{kUnitsDialogKind}));
    Press(kUnitsButtonId);
    EXPECT_TRUE(OpenKinds().empty());
    Press(kResearchButtonId);
    Press(kReportsButtonId);
    Press(kConvoysButtonId);
    EXPECT_EQ(OpenKinds(), (std::vector<int>{kResearchDialogKind, kReportsDialogKind, kConvoysDialogKind}));
    Press(kReportsButtonId);
    EXPECT_EQ(OpenKinds(), (std::vector<int>{kResearchDialogKind}));
}

TEST_F(GamePanels, AWindowHidesThePanelControlsUnderItFromHoverHintAndClick)
{
    const sRect button = Info().ToScreenRect(Info().GetControl(kEndTurnButtonId)->GetBoundingBox());
    const tLParam onButton = MakeLParam((button.left + button.right) / 2, (button.top + button.bottom) / 2);
    DXUTStaticWndProc(WM_MOUSEMOVE, 0, onButton);
    EXPECT_EQ(Info().GetHoveredControl(), Info().GetControl(kEndTurnButtonId));

    // A window over the button: the pointer on it leaves the button, whose hint goes.
    PushDialog(new cDialog(kPurchaseKind, sLayoutRect{button.left - 20, button.top - 20, 200, 100}));
    DXUTStaticWndProc(WM_MOUSEMOVE, 0, onButton);
    EXPECT_EQ(Info().GetHoveredControl(), nullptr);
    ClickAt((button.left + button.right) / 2, (button.top + button.bottom) / 2);
    EXPECT_EQ(OpenKinds(), (std::vector<int>{kPurchaseKind})) << "the end-turn question opened under the window";

    CloseTopDialogs(-1);
    DXUTStaticWndProc(WM_MOUSEMOVE, 0, onButton);
    EXPECT_EQ(Info().GetHoveredControl(), Info().GetControl(kEndTurnButtonId));
}

TEST_F(GamePanels, ButtonsActOnlyInThePlayersPhaseAndNeverWhileAnAnswerIsAwaited)
{
    g_Gra->SetGameState(9);
    Press(kPurchasesButtonId);
    Press(kEndTurnButtonId);
    EXPECT_TRUE(OpenKinds().empty());

    g_Gra->SetGameState(7);
    sPresentationRequest question;
    question.kind = eRequestKind::Question;
    auto asked = std::make_shared<cPresentationRequest>(question, 1);
    ASSERT_TRUE(ServeDialogRequest(asked));
    Press(kPurchasesButtonId);
    Press(kEndTurnButtonId);
    EXPECT_EQ(OpenKinds(), (std::vector<int>{kConfirmDialogKind}));
    EXPECT_FALSE(asked->IsComplete());
}

TEST_F(GamePanels, EndTurnAsksOrEndsAtOnceAsTheSettingSays)
{
    int ended = 0;
    g_ShellLinks.endTurnFromMainThread = [&] { ++ended; };
    Press(kEndTurnButtonId);
    EXPECT_EQ(OpenKinds(), (std::vector<int>{kConfirmDialogKind}));
    Key(VK_ESCAPE);
    g_UserSettings.skipEndTurnConfirmation = true;
    Press(kEndTurnButtonId);
    EXPECT_TRUE(OpenKinds().empty());
    EXPECT_EQ(ended, 1);
}

TEST_F(GamePanels, OtherSidesPhaseHidesTheFoldButtonsBlinksTheWaitImageAndKeepsOnlyThePauseButton)
{
    Click(Info(), kPauseButtonId); // nothing installed: nothing happens
    int pauses = 0;
    g_ShellLinks.openPauseMenu = [&] { ++pauses; };
    g_DialogLinks.beginOtherSidePhase();
    g_Gra->SetGameState(9);
    auto* wait = ControlOf<CDXUTImage>(Info(), kWaitImageId, DXUT_CONTROL_IMAGE);
    EXPECT_TRUE(wait->GetVisible());
    EXPECT_FALSE(Info().GetControl(kFoldUnitPanelId)->GetVisible());
    EXPECT_FALSE(Info().GetControl(kPurchasesButtonId)->GetEnabled());
    EXPECT_FALSE(Info().GetControl(kEndTurnButtonId)->GetEnabled());
    EXPECT_EQ(std::wstring(Info().GetControl(kEndTurnButtonId)->GetHint()),
              LangText("finish_turn") + L"\n" + LangText("infopanel_button_hint_not_your_turn")) << "greyed, it says why";
    // The way out of the computer's play.
    Click(Info(), kPauseButtonId);
    EXPECT_EQ(pauses, 1);
    g_ShellLinks.openPauseMenu = nullptr;
    clock = 0.05;
    Info().OnRender(0.0f);
    const int first = wait->m_rcTexture.left;
    clock = 0.25;
    Info().OnRender(0.0f);
    EXPECT_NE(wait->m_rcTexture.left, first);
    EXPECT_EQ(wait->m_rcTexture.left % gui_atlas::kWaitFrames[1].left, 0);

    g_DialogLinks.beginPlayerPhase();
    EXPECT_FALSE(wait->GetVisible());
    EXPECT_TRUE(Info().GetControl(kFoldUnitPanelId)->GetVisible());
    EXPECT_TRUE(Info().GetControl(kPurchasesButtonId)->GetEnabled());
}

TEST_F(GamePanels, StatusLinesFromRequestsAndFoldButtonsFoldTheirPanel)
{
    sPresentationRequest line;
    line.kind = eRequestKind::InfoMessage;
    line.text = L"Choose the hex to attack";
    auto posted = std::make_shared<cPresentationRequest>(line, 1);
    ASSERT_TRUE(ServeDialogRequest(posted));
    EXPECT_TRUE(posted->IsComplete());
    EXPECT_EQ(TextOf(Info(), kInfoStatusId), L"Choose the hex to attack");

    // The game's unit panel starts folded too.
    cPanel* unitPanel = PanelOf(g_UnitPanel);
    ASSERT_NE(unitPanel, nullptr);
    EXPECT_TRUE(unitPanel->GetMinimized());
    Click(Info(), kFoldUnitPanelId);
    EXPECT_FALSE(unitPanel->GetMinimized());
    Click(Info(), kFoldUnitPanelId);
    EXPECT_TRUE(unitPanel->GetMinimized());

    // The game's diplomacy panel starts folded.
    auto* diplomacy = dynamic_cast<cPanel*>(g_DiplomacyPanel);
    ASSERT_NE(diplomacy, nullptr);
    EXPECT_TRUE(diplomacy->GetMinimized());
    Click(Info(), kFoldDiplomacyPanelId);
    EXPECT_FALSE(diplomacy->GetMinimized());
}

TEST_F(GamePanels, MinimapButtonsCycleTheDrawingModesAndStoreThem)
{
    g_UserSettings.ownershipMode = 1;
    for (int k = 0; k < 4; ++k)
        Click(Minimap(), kMinimapOwnershipModeId);
    EXPECT_EQ(g_UserSettings.ownershipMode, 1);
    EXPECT_EQ(g_Settings.GetInt("MapDisplay/OwnershipMode", -1), 1);
    g_UserSettings.borderMode = 2;
    Click(Minimap(), kMinimapBorderModeId);
    EXPECT_EQ(g_UserSettings.borderMode, 0);
    // Out of its range (drawn as none) it steps to the first borders shown, as F6 does, and
    // the status line says what the map shows now: a step between held and owned land
    // changes nothing to be seen at the start of a war.
    testland::cRequestRecorder screen;
    SetPresentation(&screen);
    g_UserSettings.borderMode = 5;
    Click(Minimap(), kMinimapBorderModeId);
    EXPECT_EQ(g_UserSettings.borderMode, 1);
    SetPresentation(nullptr);
    EXPECT_EQ(screen.Count(eRequestKind::InfoMessage), 1);
    EXPECT_EQ(screen.requests.empty() ? std::wstring() : screen.requests.back().text, LangText("map_borders_mode_1"));
    Click(Minimap(), kMinimapMapModeId);
    EXPECT_EQ(g_UserSettings.mapMode, 2);
    EXPECT_EQ(g_Settings.GetInt("MapDisplay/Mode", -1), 2);
    Click(Minimap(), kMinimapMapModeId);
    EXPECT_EQ(g_UserSettings.mapMode, 0);
    Click(Minimap(), kMinimapMapModeId);

    // The choice outlives the game: the next one, loaded or new, is drawn the same way,
    // also after the program has started again.
    LoadTestland(1);
    EXPECT_EQ(g_UserSettings.ownershipMode, 1);
    EXPECT_EQ(g_UserSettings.mapMode, 2);
    cIniFile saved;
    ASSERT_TRUE(saved.Load("Settings.ini"));
    EXPECT_EQ(saved.GetInt("MapDisplay/Mode", -1), 2);
}

TEST_F(GamePanels, MinimapZoomButtonsZoomAtTheMiddleOfTheView)
{
    g_Gra->SetGameState(7);
    cMapa& map = *g_Gra->m_Mapa;
    map.zoomFactor = 0.5f;
    Click(Minimap(), kMinimapZoomInId);
    EXPECT_LT(map.zoomFactor, 0.5f);
    Click(Minimap(), kMinimapZoomOutId);
    Click(Minimap(), kMinimapZoomOutId);
    EXPECT_GT(map.zoomFactor, 0.5f);
    // The camera stays on the middle of the view.
    EXPECT_EQ(map.camera.zoomShiftX, 0.0f);
    EXPECT_EQ(map.camera.zoomShiftY, 0.0f);
}

TEST_F(GamePanels, TheMinimapPictureIsMadeOnceAtTheLatestPlace)
{
    g_DialogLinks.setMinimapRect(736, 444, 280, 200, 740, 538);
    g_DialogLinks.setMinimapRect(740, 450, 270, 190, 740, 538);
    int pictures = 0;
    for (int k = 0; k < Minimap().GetControlCount(); ++k)
        pictures += Minimap().GetControlByIndex(k)->GetID() == kMinimapPictureId;
    EXPECT_EQ(pictures, 1);
    EXPECT_EQ(Minimap().GetControl(kMinimapPictureId)->m_x, 740);
    // Held on the picture and dragged out over the map, the view follows to the picture's edge.
    cMapa& map = *g_Gra->m_Mapa;
    const sRect at = Minimap().ToScreenRect(Minimap().GetControl(kMinimapPictureId)->GetBoundingBox());
    std::copy_n(std::array{at.left, at.top, at.Width(), at.Height()}.begin(), 4, map.minimapRect);
    Minimap().MsgProc(WM_LBUTTONDOWN, MK_LBUTTON, MakeLParam(at.right - 5, at.bottom - 5));
    Minimap().MsgProc(WM_MOUSEMOVE, MK_LBUTTON, MakeLParam(0, 0));
    const std::pair<float, float> dragged{map.camera.targetX, map.camera.targetY};
    map.CenterAtHex(0, 0);
    EXPECT_EQ(dragged, std::make_pair(map.camera.targetX, map.camera.targetY));

    int frames = 0;
    g_ShellLinks.drawMinimapViewFrame = [&] { ++frames; };
    Minimap().OnRender(0.0f);
    Minimap().SetMinimized(true);
    Minimap().OnRender(0.0f);
    EXPECT_EQ(frames, 1) << "a minimized minimap draws nothing";
}

TEST_F(GamePanels, TheDateOfTheFirstTurnNamesAClampedMonth)
{
    g_Gra->m_Turn = 1;
    g_Gra->m_TurnsLeft = 99;
    g_Gra->m_DisplayedDate[0] = 3;
    g_Gra->m_DisplayedDate[1] = 13; // as a damaged save may carry it
    g_Gra->m_DisplayedDate[2] = 1939;
    g_DialogLinks.refreshDate();
    EXPECT_EQ(TextOf(Minimap(), kMinimapDateId),
              LangFormat("%s_(turn_%i/%i)", L"3-" + LangText("december") + L"-1939", 1, 100));
    // Without a calendar day the game's own date stands there.
    g_Gra->m_DisplayedDate[0] = 0;
    g_DialogLinks.refreshDate();
    sGameDate date = g_Gra->GetGameDate();
    EXPECT_EQ(TextOf(Minimap(), kMinimapDateId), LangFormat("%s_(turn_%i/%i)", FormatGameDate(date), 1, 100));
}

} // namespace
