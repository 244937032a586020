// The pause menu over a game of Testland, and a second game after the first is aborted.
#include <gtest/gtest.h>

#include "ai/ai_thread.h"
#include "core/lock.h"
#include "core/random.h"
#include "core/stringbase.h"
#include "dialogs/confirm_dialog.h"
#include "dialogs/dialog_stack.h"
#include "dialogs/info_panel.h"
#include "dialogs/minimap_panel.h"
#include "dialogs/message_dialog.h"
#include "dialogs/preferences_dialog.h"
#include "dialogs/save_dialog.h"
#include "gui/controls.h"
#include "gui/gui_hooks.h"
#include "game/play_counts.h"
#include "game/game.h"
#include "game/load_request.h"
#include "game/play_state.h"
#include "game/save_game.h"
#include "platform/messages.h"
#include "platform/paths.h"
#include "shell/dxut.h"
#include "shell/menus/loading_menu.h"
#include "shell/menus/pause_menu.h"
#include "shell/menus/scenario_menu.h"
#include "shell/menus/scenario_settings_menu.h"
#include "shell/textures.h"
#include "units/land_unit.h"
#include "units/naval_unit.h"
#include "world/map.h"
#include "world/sea_graph.h"
#include "tests/shell/program_driver.h"
#include "tests/test_support.h"

namespace {

using namespace testing_support;
using D = cProgramDriver;

enum
{
    IDC_TABS_LIST = 178,
    IDC_SCENARIOS = 179,
    IDC_LOAD = 200,
    IDC_OK = 245,
    IDC_RESUME = 272,
    IDC_SAVE = 273,
    IDC_PREFERENCES = 274,
    IDC_ABORT = 275,
    IDC_EXIT = 276,
    IDC_COMPUTER_PLAYS_NOTE = 277,
};

bool Settings() { return dynamic_cast<cScenarioSettingsMenu*>(g_CurrentMenu) != nullptr; }
bool Inside(const sRect& inner, const sRect& outer)
{
    return inner.left >= outer.left && inner.right <= outer.right && inner.top >= outer.top &&
           inner.bottom <= outer.bottom;
}
// Where the pause menu shows the version line.
sRect VersionLine()
{
    CDXUTDialog* menu = dynamic_cast<CDXUTDialog*>(g_CurrentMenu);
    return menu->ToScreenRect(menu->GetControl(7001)->GetBoundingBox());
}
bool PlayersTurn() { return g_Gra && g_Gra->GetGameState() == 7; }
bool Paused() { return dynamic_cast<cPauseMenu*>(g_CurrentMenu) != nullptr; }

// Play starts and Albion, the person's country, gets its turn; its new-turn window closes.
void PlayUntilAlbionsTurn(cProgramDriver& driver)
{
    driver.Then("settings", Settings, [] { D::ClickControl(IDC_OK); })
        .Then("Albion's turn", [] { return PlayersTurn() && CurrentDialog(); }, [] { D::PressKey(VK_ESCAPE); }, 20000);
}

TEST(PauseMenu, OpensOverTheMapResumesAndAbortsToTheScenarioList)
{
    cProgramDriver driver({}, {"scenarios", "save", "pbem"});
    MakeTestlandFolder();
    driver.StartWith(LoadTestland);
    PlayUntilAlbionsTurn(driver);
    driver.Then("map", [] { return !CurrentDialog(); }, [] { D::PressKey(VK_ESCAPE); })
        .Then("paused", Paused,
              [] {
                  EXPECT_EQ(g_Gra->GetGameState(), 2);
                  // The version line stands in the menu's frame: it covers neither the map
                  // nor the game screen's panels.
                  auto* menu = dynamic_cast<cPauseMenu*>(g_CurrentMenu);
                  const sRect line = VersionLine(), frame = menu->ToScreenRect(menu->GetControl(270)->GetBoundingBox());
                  EXPECT_TRUE(Inside(line, frame));
                  for (CDXUTDialog* panel : {static_cast<CDXUTDialog*>(InfoPanel()), static_cast<CDXUTDialog*>(MinimapPanel())})
                      for (int k = 0; panel && k < panel->GetControlCount(); ++k) {
                          CDXUTControl* control = panel->GetControlByIndex(k);
                          const sRect box = panel->ToScreenRect(control->GetBoundingBox());
                          EXPECT_FALSE(control->GetVisible() && line.left < box.right && box.left < line.right &&
                                       line.top < box.bottom && box.top < line.bottom)
                              << "control " << control->GetID();
                      }
                  // What the computer did last (its message, where it moved the camera) is no
                  // part of the pause menu's look.
                  PostInfoPanelMessage(L"");
                  g_Gra->m_Mapa->CenterAtHex(2, 5);
                  D::ArriveCamera();
              })
        .Then("settled", D::AfterFrames(20))
        .Screenshot("pause_menu")
        .Then("preferences", [] { return true; }, [] { D::ClickControl(IDC_PREFERENCES); })
        .Then("their window", [] { return dynamic_cast<cDialogUstawien*>(CurrentDialog()) != nullptr; },
              [] {
                  const CDXUTStatic* title = D::Control<CDXUTStatic>(kPreferencesTitleId);
                  EXPECT_EQ(title ? title->GetText() : std::wstring(), LangText("pref_title"));
                  D::ClickControl(kPreferencesOkId);
              })
        // Their OK goes back to the pause menu: only Resume returns to the map.
        .Then("paused still", [] { return !CurrentDialog(); },
              [] {
                  ASSERT_TRUE(Paused());
                  auto* menu = dynamic_cast<cPauseMenu*>(g_CurrentMenu);
                  EXPECT_TRUE(menu->GetVisible());
                  // Its Preferences button, pointed at before, does not look pointed at now.
                  EXPECT_EQ(menu->GetHoveredControl(), nullptr);
                  EXPECT_EQ(g_Gra->GetGameState(), 2);
                  D::ClickControl(IDC_RESUME);
              })
        .Then("map again", [] { return !g_CurrentMenu && PlayersTurn(); }, [] { D::PressKey(VK_ESCAPE); })
        .Then("abort", Paused, [] { D::ClickControl(IDC_ABORT); })
        // The question first: Escape keeps the game, yes ends it.
        .Then("asked", [] { return dynamic_cast<cDialogPotwierdzenia*>(CurrentDialog()) != nullptr; },
              [] { D::PressKey(VK_ESCAPE); })
        .Then("kept", [] { return Paused() && !CurrentDialog(); }, [] { D::ClickControl(IDC_ABORT); })
        .Then("asked again", [] { return dynamic_cast<cDialogPotwierdzenia*>(CurrentDialog()) != nullptr; },
              [] { D::ClickControl(kConfirmYesId); })
        .Then("scenario list", [] { return dynamic_cast<cScenarioMenu*>(g_CurrentMenu) != nullptr; },
              [] {
                  // Nothing of the game is left.
                  EXPECT_EQ(g_Gra, nullptr);
                  EXPECT_FALSE(IsAIThreadRunning());
                  EXPECT_TRUE(g_OpenDialogs.empty());
                  EXPECT_EQ(g_CurrentDialog, nullptr);
                  for (int holder = TEX_MINIMAP_OVERLAY; holder < kSharedTextureCount; ++holder) {
                      if (holder == TEX_WALLPAPER_SCENARIO)
                          continue;
                      EXPECT_EQ(g_Textures[size_t(holder)].Get(), nullptr) << holder;
                  }
              });
    EXPECT_EQ(driver.Run(), 0);
    EXPECT_TRUE(LogHasInOrder({L"----- Pause Menu -----", L"---- Game state = 2", L"---- Game state = 7",
                               L"----- Pause Menu -----", L"----- Ending game ----"}));
}

TEST(PauseMenu, ExitAsksFirstAsAbortDoes)
{
    cProgramDriver driver({}, {"scenarios", "save", "pbem"});
    MakeTestlandFolder();
    driver.StartWith(LoadTestland);
    PlayUntilAlbionsTurn(driver);
    driver.Then("map", [] { return !CurrentDialog(); }, [] { D::PressKey(VK_ESCAPE); })
        .Then("exit", Paused, [] { D::ClickControl(IDC_EXIT); })
        // Play since the last save would be lost: Escape keeps the game, yes leaves.
        .Then("asked", [] { return dynamic_cast<cDialogPotwierdzenia*>(CurrentDialog()) != nullptr; },
              [] { D::PressKey(VK_ESCAPE); })
        .Then("kept", [] { return Paused() && !CurrentDialog() && g_Gra; }, [] { D::ClickControl(IDC_EXIT); })
        .Then("asked again", [] { return dynamic_cast<cDialogPotwierdzenia*>(CurrentDialog()) != nullptr; },
              [] { D::ClickControl(kConfirmYesId); });
    EXPECT_EQ(driver.Run(), 0);
    EXPECT_EQ(g_Gra, nullptr);
    EXPECT_TRUE(LogHasInOrder({L"----- Pause Menu -----", L"----- Ending game ----"}));
}

// Right after a save nothing can be lost, and leaving asks nothing; once play goes on, it asks.
TEST(PauseMenu, RightAfterASaveLeavingAsksNothingButOncePlayGoesOnItAsks)
{
    cProgramDriver driver({}, {"scenarios", "save", "pbem"});
    MakeTestlandFolder();
    driver.StartWith(LoadTestland);
    PlayUntilAlbionsTurn(driver);
    driver
        .Then("saved, then played on", [] { return !CurrentDialog(); },
              [] {
                  ASSERT_TRUE(SaveGame(L"kept", true));
                  GLOBAL_LOCK_SCOPE();
                  for (cJednostkaLadowa* unit : g_Gra->m_LandUnits)
                      if (unit->m_Owner == 1 && unit->m_ActionPoints > 0) {
                          --unit->m_ActionPoints;
                          break;
                      }
                  D::PressKey(VK_ESCAPE);
              })
        .Then("abort", Paused, [] { D::ClickControl(IDC_ABORT); })
        .Then("asked", [] { return dynamic_cast<cDialogPotwierdzenia*>(CurrentDialog()) != nullptr; },
              [] { D::PressKey(VK_ESCAPE); })
        .Then("kept", [] { return Paused() && !CurrentDialog(); }, [] { D::ClickControl(IDC_RESUME); })
        .Then("saved again", [] { return !g_CurrentMenu && PlayersTurn(); },
              [] {
                  ASSERT_TRUE(SaveGame(L"kept", true));
                  D::PressKey(VK_ESCAPE);
              })
        // Exit ends the program at once, unasked.
        .Then("exit", Paused,
              [] {
                  D::ClickControl(IDC_EXIT);
                  EXPECT_EQ(g_Gra, nullptr) << "asked";
              });
    EXPECT_EQ(driver.Run(), 0);
}

// The computer's turns and the end of the impulse that its thread plays.
bool ComputersPlay()
{
    const int state = g_Gra ? g_Gra->GetGameState() : -1;
    return state == 9 || state == 10 || state == 3;
}
bool Asked() { return dynamic_cast<cDialogPotwierdzenia*>(CurrentDialog()) != nullptr; }

int Holds()
{
    int holds = 0;
    for (const std::wstring& line : LogLines())
        holds += line == L"The computer's play waits while the game is paused";
    return holds;
}

// Escape while the computer plays; its thread stops at its next safe point (a window it
// waits on is read and closed first). The computer pauses after each move, so that its play
// lasts a while.
void PauseTheComputersPlay(cProgramDriver& driver)
{
    static int holdsBefore = 0;
    driver
        // With no window open, Escape reaches the map.
        .Then("the computer plays", D::ReadingMessages([] { return ComputersPlay() && !CurrentDialog(); }),
              [] {
                  holdsBefore = Holds();
                  D::PressKey(VK_ESCAPE);
              },
              20000)
        .Then("its thread waits", D::ReadingMessages([] { return Holds() > holdsBefore; }),
              [] {
                  auto* pause = dynamic_cast<cPauseMenu*>(g_CurrentMenu);
                  ASSERT_NE(pause, nullptr);
                  EXPECT_TRUE(pause->IsOverComputerPlay());
                  // Saving and the preferences wait for the player's own turn; the menu says so.
                  EXPECT_FALSE(D::FindControl(IDC_SAVE)->GetEnabled());
                  EXPECT_FALSE(D::FindControl(IDC_PREFERENCES)->GetEnabled());
                  EXPECT_EQ(D::FindControl(IDC_SAVE)->GetHint(),
                            LangText("pause_save_hint") + L"\n" + LangText("pause_save_hint_computer_plays"));
                  EXPECT_NE(D::FindControl(IDC_COMPUTER_PLAYS_NOTE), nullptr);
                  // The frame grows over the note, and the version line stays in it, under the note.
                  const sRect line = VersionLine();
                  EXPECT_TRUE(Inside(line, pause->ToScreenRect(pause->GetControl(270)->GetBoundingBox())));
                  const CDXUTControl* note = D::FindControl(IDC_COMPUTER_PLAYS_NOTE);
                  EXPECT_GE(line.top, pause->ToScreenRect(note->GetBoundingBox()).bottom);
              });
}

const std::vector<std::pair<std::string, std::string>> kSlowComputer = {{"Delay/AIMoveAfter", "200"},
                                                                          {"InterfaceSettings/ConfirmEndTurn", "false"}};

TEST(PauseMenu, OverTheComputersPlayItHoldsItsThreadUntilResumedAndAbortEndsTheGameAtOnce)
{
    cProgramDriver driver(kSlowComputer, {"scenarios", "save", "pbem"});
    MakeTestlandFolder();
    std::filesystem::create_directories("data/save");
    static int moves = 0, activeId = 0;
    driver.StartWith(LoadTestland).Then("settings", Settings, [] { D::ClickControl(IDC_OK); });
    PauseTheComputersPlay(driver);
    driver
        .Then("held", [] { return true; },
              [] {
                  moves = g_PlayCounts.moves.load();
                  activeId = g_Gra->m_PlayState->GetActiveCountryId();
              })
        .Then("a while later", D::AfterFrames(60),
              [] {
                  EXPECT_EQ(g_PlayCounts.moves.load(), moves);
                  EXPECT_EQ(g_Gra->m_PlayState->GetActiveCountryId(), activeId);
                  EXPECT_NE(g_Gra->GetGameState(), 7);
                  EXPECT_TRUE(Paused());
                  D::ClickControl(IDC_RESUME);
              })
        .Then("Albion's turn", D::ReadingMessages([] { return PlayersTurn() && CurrentDialog(); }),
              [] {
                  EXPECT_TRUE(LogHasInOrder({L"The computer's play waits while the game is paused",
                                             L"The computer's play resumes", L"The computer's play goes on"}));
                  D::PressKey(VK_ESCAPE);
              },
              20000)
        // In the player's own turn the game is saved from the menu; the message answers Escape.
        .Then("map", [] { return !CurrentDialog(); }, [] { D::PressKey(VK_ESCAPE); })
        .Then("save", Paused, [] { D::ClickControl(IDC_SAVE); })
        .Then("name", [] { return CurrentDialog() != nullptr; },
              [] {
                  D::SetEditText(kSaveNameId, L"paused");
                  D::ClickControl(kSaveSaveId);
              })
        .Then("saved", [] { return dynamic_cast<cDialogTekstowy*>(CurrentDialog()) != nullptr; },
              [] { D::PressKey(VK_ESCAPE); })
        .Then("read", [] { return dynamic_cast<cDialogZapisuGry*>(CurrentDialog()) != nullptr; },
              [] { D::ClickControl(kSaveExitId); })
        .Then("end the turn", [] { return PlayersTurn() && !CurrentDialog(); }, [] { D::PressKey('Q'); });
    PauseTheComputersPlay(driver);
    driver.Then("abort", [] { return true; }, [] { D::ClickControl(IDC_ABORT); })
        .Then("yes", Asked, [] { D::ClickControl(kConfirmYesId); })
        .Then("scenario list", [] { return dynamic_cast<cScenarioMenu*>(g_CurrentMenu) != nullptr; },
              [] {
                  EXPECT_EQ(g_Gra, nullptr);
                  EXPECT_FALSE(IsAIThreadRunning());
                  EXPECT_FALSE(IsPlayPaused());
              });
    EXPECT_EQ(driver.Run(), 0);
    EXPECT_TRUE(std::filesystem::exists("data/save/paused/Info.ini"));
    // The log holds the last turn.
    EXPECT_TRUE(LogHasInOrder({L"The computer's play waits while the game is paused", L"----- Ending game ----"}));
}

TEST(PauseMenu, ExitOverTheComputersPlayEndsTheProgramOnceAnswered)
{
    cProgramDriver driver(kSlowComputer, {"scenarios", "save", "pbem"});
    MakeTestlandFolder();
    driver.StartWith(LoadTestland).Then("settings", Settings, [] { D::ClickControl(IDC_OK); });
    PauseTheComputersPlay(driver);
    // Nothing plays under the menu: the radar asks for no frame, and the computer's thread sleeps.
    static int framesAsked = 0;
    driver.Then("faded in", D::AfterFrames(60), [] { g_GuiHooks.frameWanted = [](double) { ++framesAsked; }; })
        .Then("none asked", D::AfterFrames(10), [] { g_GuiHooks.frameWanted = DXUTWantFrameIn; EXPECT_EQ(framesAsked, 0); })
        .Then("asleep", [] { return true; }, [] { EXPECT_LE(testing_support::WakeUpsOfNewestThread(300), 3); });
    driver.Then("exit", [] { return true; }, [] { D::ClickControl(IDC_EXIT); })
        .Then("yes", Asked, [] { D::ClickControl(kConfirmYesId); });
    EXPECT_EQ(driver.Run(), 0);
    EXPECT_FALSE(IsAIThreadRunning());
    EXPECT_TRUE(LogHasInOrder({L"The computer's play waits while the game is paused", L"----- Ending game ----"}));
}

// The files of a save, Info.ini without the time it was written and without the state of
// the opponent's dice, which a new game rolls from the clock.
std::map<std::string, std::string> SaveFiles(const std::string& name)
{
    std::map<std::string, std::string> files;
    for (const auto& entry : std::filesystem::directory_iterator(std::filesystem::path("data/save") / name)) {
        std::string bytes = ReadWholeFile(entry.path()).value_or("");
        if (entry.path().filename() == "Info.ini") {
            // The lines of their own, not StartDate or EndDate.
            for (const char* key : {"\nDate = ", "\nRandomOpponent = "}) {
                const size_t at = bytes.find(key);
                if (at != std::string::npos)
                    bytes.erase(at + 1, bytes.find('\n', at + 1) - at - 1);
            }
        }
        files[entry.path().filename().string()] = bytes;
    }
    return files;
}

TEST(PauseMenu, AGameAfterAnAbortedOneIsTheGameAFreshProgramLoads)
{
    cProgramDriver driver({}, {"scenarios", "save", "pbem"});
    MakeTestlandFolder();
    driver.StartWith(LoadTestland)
        .Then("first game", Settings, [] { SaveGame(L"first", true); });
    PlayUntilAlbionsTurn(driver);
    driver.Then("map", [] { return !CurrentDialog(); }, [] { D::PressKey(VK_ESCAPE); })
        .Then("abort", Paused, [] { D::ClickControl(IDC_ABORT); })
        .Then("yes", [] { return CurrentDialog() != nullptr; }, [] { D::ClickControl(kConfirmYesId); })
        .Then("scenario list", [] { return D::ShowListRow(IDC_SCENARIOS, L"Testland"); })
        .Then("pick", D::AfterFrames(2),
              [] {
                  D::ClickListRow(IDC_SCENARIOS, L"Testland");
                  SeedRandom(1939);
                  D::ClickControl(IDC_LOAD);
              })
        .Then("second game", Settings,
              [] {
                  // The main thread's dice as the driver left the first game's: seeded after its load.
                  SeedRandom(1939);
                  SaveGame(L"second", true);
              });
    EXPECT_EQ(driver.Run(), 0);
    const auto first = SaveFiles("first"), second = SaveFiles("second");
    ASSERT_FALSE(first.empty());
    ASSERT_EQ(first.size(), second.size());
    for (const auto& [file, bytes] : first)
        EXPECT_TRUE(second.count(file) && second.at(file) == bytes) << file << " differs in the second game";
}

TEST(PauseMenu, AGameSavedAndLoadedAgainShowsThePersonsFleetsFromItsFirstTurn)
{
    constexpr int kChannel = 2, kHomeFleetX = 5, kHomeFleetY = 2;
    cProgramDriver driver({}, {"scenarios", "save", "pbem"});
    MakeTestlandFolder();
    driver.StartWith(LoadTestland);
    PlayUntilAlbionsTurn(driver);
    driver
        .Then("save", [] { return !CurrentDialog(); },
              [] {
                  ASSERT_NE(g_Gra->m_SeaGraph->GetNode(kChannel)->ShownOwnShip, nullptr);
                  // The loaded game's thread rolls from the driver's seed: so that it is the
                  // game saved to the last die, the save carries that state.
                  SetOpponentRandomState(kOpponentSeed);
                  ASSERT_TRUE(SaveGame(L"fleets", true));
                  D::PressKey(VK_ESCAPE);
              })
        // Just saved: nothing is lost, and nothing is asked.
        .Then("abort", Paused, [] { D::ClickControl(IDC_ABORT); })
        .Then("scenario list", [] { return D::ShowListRow(IDC_SCENARIOS, L"Testland"); },
              [] { D::Control<CDXUTTabFrame>(IDC_TABS_LIST)->SelectTab(1, true); })
        .Then("the save", [] { return D::ShowListRow(IDC_SCENARIOS, L"fleets"); })
        .Then("load", D::AfterFrames(2),
              [] {
                  D::ClickListRow(IDC_SCENARIOS, L"fleets");
                  D::ClickControl(IDC_LOAD);
              })
        .Then("settings", Settings, [] { D::ClickControl(IDC_OK); })
        .Then("Albion's turn again", [] { return PlayersTurn() && g_Gra->m_LoadedFromSave != 0; },
              [] {
                  if (CurrentDialog())
                      D::PressKey(VK_ESCAPE);
              }, 20000)
        .Then("the Channel", [] { return !CurrentDialog(); },
              [] {
                  const sWezelGrafuMorz* channel = g_Gra->m_SeaGraph->GetNode(kChannel);
                  ASSERT_NE(channel->ShownOwnShip, nullptr);
                  EXPECT_EQ(channel->ShownOwnShip->m_Owner, 1);
                  g_Gra->m_Mapa->CenterAtHex(kHomeFleetX, kHomeFleetY);
                  D::ArriveCamera();
              })
        .Then("settled", D::AfterFrames(10))
        .Picture("fleets_after_load")
        // Just loaded: nothing is lost, and Exit asks nothing.
        .Then("pause", [] { return true; }, [] { D::PressKey(VK_ESCAPE); })
        .Then("exit", Paused,
              [] {
                  D::ClickControl(IDC_EXIT);
                  EXPECT_EQ(g_Gra, nullptr) << "asked";
              });
    EXPECT_EQ(driver.Run(), 0);
}

} // namespace
