// The real program offscreen, driven as a player would drive it.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <utility>

#include "game/game.h"
#include "core/lock.h"
#include "core/settings.h"
#include "core/stringbase.h"
#include "dialogs/confirm_dialog.h"
#include "dialogs/dialog_stack.h"
#include "dialogs/diplomacy_panel.h"
#include "dialogs/end_turn_dialog.h"
#include "dialogs/event_dialog.h"
#include "dialogs/info_panel.h"
#include "dialogs/message_dialog.h"
#include "dialogs/new_turn_dialog.h"
#include "events/events.h"
#include "game/reports.h"
#include "gui/controls.h"
#include "gui/gui_hooks.h"
#include "shell/dxut.h"
#include "shell/links.h"
#include "shell/menus/scenario_menu.h"
#include "shell/menus/scenario_settings_menu.h"
#include "world/relations.h"
#include "game/play_state.h"
#include "units/land_unit.h"
#include "world/map.h"
#include "platform/messages.h"
#include "dialogs/minimap_panel.h"
#include "dialogs/panel.h"
#include "dialogs/unit_panel.h"
#include "tests/shell/program_driver.h"
#include "tests/test_support.h"
#include "world/country.h"

namespace {

using namespace testing_support;
using D = cProgramDriver;

enum
{
    IDC_START = 71,
    IDC_SCENARIOS = 179,
    IDC_LOAD = 200,
    IDC_SETTINGS_TABS = 208,
    IDC_COUNTRIES = 216,
    IDC_AI = 224,
    IDC_HUMAN = 225,
    IDC_BY_EMAIL = 234,
    IDC_PLAYER_NAME = 240,
    IDC_PLAYER_EMAIL = 242,
    IDC_SAVE_PLAYER = 243,
    IDC_OK = 245,
};

cPanstwo* CountryNamed(const std::wstring& name)
{
    for (cPanstwo* c : g_Gra->m_Countries)
        if (c->Name == name)
            return c;
    return nullptr;
}

struct sMove
{
    int unitId = 0;
    int fromX = -1, fromY = -1, toX = -1, toY = -1;
};

// A Polish land unit that can move, and a free hex of its range.
sMove FindPolishMove()
{
    const cPanstwo* poland = CountryNamed(L"Poland");
    for (cJednostkaLadowa* unit : g_Gra->m_LandUnits) {
        if (unit->m_Owner != poland->ID || unit->m_ActionPoints < 1 || !unit->IsOnMap())
            continue;
        unit->ComputeMoveRange(true);
        for (const sPathStep& step : unit->m_Path)
            if ((step.x != unit->m_X || step.y != unit->m_Y) && !g_Gra->m_Mapa->GetHex(step.x, step.y)->unit)
                return {unit->m_Id, unit->m_X, unit->m_Y, step.x, step.y};
    }
    return {};
}

// Brings a row into view, then clicks it once it has been drawn.
void ClickRow(cProgramDriver& driver, int list, const std::wstring& row)
{
    driver.Then("show " + std::to_string(list), [=] { return D::ShowListRow(list, row); })
        .Then("click " + std::to_string(list), D::AfterFrames(2), [=] { D::ClickListRow(list, row); });
}

TEST(WholeProgram, FromTheIntroToPolandsFirstTurnInEurope1939)
{
    cProgramDriver driver({}, {"save"});
    // The autosave at the end of the turn goes into a folder of the test's own.
    std::filesystem::create_directories("data/save");
    // Two seconds into the second movie (a frame every 50 ms).
    auto secondMovie = D::LogHas(L"Loading intro movie from dataintro2.avi [OK]");
    auto twoSeconds = D::AfterFrames(40);
    driver.ScreenshotWhen("intro_movie", [=]() mutable { return secondMovie() && twoSeconds(); })
        .Then("main menu", D::LogHas(L"----- Main Menu -----"), {}, 10000)
        .Then("settled", D::AfterFrames(30))
        .Screenshot("main_menu")
        .Then("start", [] { return true; }, [] { D::ClickControl(IDC_START); })
        .Then("scenario list", D::LogHas(L"----- SinglePlayer Menu -----"))
        .Then("settled", D::AfterFrames(30))
        .Screenshot("scenario_list");
    ClickRow(driver, IDC_SCENARIOS, L"Europe 1939");
    driver.Then("load", [] { return true; }, [] { D::ClickControl(IDC_LOAD); })
        .Then("loaded", D::LogHas(L" Progress = 100%"))
        .Then("settings", D::LogHas(L"Country selected"))
        .Then("settled", D::AfterFrames(30))
        .Screenshot("scenario_settings");
    ClickRow(driver, IDC_COUNTRIES, L" Germany");
    driver.Then("Germany to the computer", [] { return true; }, [] { D::ClickControl(IDC_AI); });
    ClickRow(driver, IDC_COUNTRIES, L" Poland");
    driver.Then("Poland to the player", [] { return true; }, [] { D::ClickControl(IDC_HUMAN); })
        .Then("settled", D::AfterFrames(10))
        .Screenshot("scenario_settings_poland")
        // A player needs a name and an e-mail, a sample text is neither, and no two share a name.
        .Then("by e-mail", [] { return true; }, [] { D::Control<CDXUTTabFrame>(IDC_SETTINGS_TABS)->SelectTab(1, true); })
        .Then("players", D::AfterFrames(2),
              [] {
                  D::ClickControl(IDC_BY_EMAIL);
                  D::PressKey(VK_RETURN); // Poland still needs its player
                  auto saveRefused = [](const std::wstring& why) {
                      D::ClickControl(IDC_SAVE_PLAYER);
                      EXPECT_EQ(MessageTitle(kMessageDialogRow + 3), why);
                      D::PressKey(VK_RETURN);
                  };
                  saveRefused(LangText("scenario_settings_pbem_player_needs_name")); // both boxes empty
                  AddEmailPlayer(L"Bo");
                  CountryNamed(L"Poland")->PBEMPlayerId = 1; // Bo's, until the war starts at one screen
                  saveRefused(LangText("scenario_settings_pbem_player_needs_name")); // the samples after a save
                  D::SetEditText(IDC_PLAYER_NAME, L"Bo");
                  D::SetEditText(IDC_PLAYER_EMAIL, L"Bo at home");
                  saveRefused(LangText("scenario_settings_pbem_player_needs_email"));
                  // Nothing cut or dropped: a name over the limit, or with a list's separator.
                  D::SetEditText(IDC_PLAYER_NAME, std::wstring(200, L'B'));
                  saveRefused(LangFormat("scenario_settings_pbem_player_name_too_long_%i_%i", 99, 200));
                  D::SetEditText(IDC_PLAYER_NAME, L"Bo;b");
                  saveRefused(LangFormat("scenario_settings_pbem_player_name_invalid_%s", L"Bo;b"));
                  D::SetEditText(IDC_PLAYER_NAME, L"Bo");
                  D::SetEditText(IDC_PLAYER_EMAIL, L"bo2@example.com");
                  saveRefused(LangFormat("scenario_settings_pbem_player_name_taken_%s_%s", L"Bo", L"Bo@example.com"));
                  D::ClickControl(IDC_BY_EMAIL); // Poland is played at this screen again
                  D::PressKey(VK_RETURN);
                  D::Control<CDXUTTabFrame>(IDC_SETTINGS_TABS)->SelectTab(0, true);
              })
        .Then("ok", D::AfterFrames(2),
              [] {
                  EXPECT_FALSE(CountryNamed(L"Germany")->HumanControlled);
                  EXPECT_TRUE(CountryNamed(L"Poland")->HumanControlled);
                  D::ClickControl(IDC_OK);
              })
        .Then("play", D::LogHas(L"============== Enjoy your game :)"),
              [] { EXPECT_EQ(CountryNamed(L"Poland")->PBEMPlayerId, 0); })
        .Then("Poland's turn", D::ReadingMessages([] { return g_Gra->GetGameState() == 7; }), {}, 100000)
        .Then("settled", D::AfterFrames(30),
              [] {
                  EXPECT_EQ(g_Gra->m_PlayState->GetActiveCountry(), CountryNamed(L"Poland"));
                  // The minimap panel shows the scenario's picture, and the first turn the day
                  // the scenario starts on.
                  EXPECT_NE(PanelOf(g_MinimapPanel)->GetControl(kMinimapPictureId), nullptr);
                  auto* date = dynamic_cast<CDXUTStatic*>(PanelOf(g_MinimapPanel)->GetControl(kMinimapDateId));
                  ASSERT_NE(date, nullptr);
                  EXPECT_EQ(date->GetText(), L"1-September-1939 (turn 1 of 227)");
                  // The camera's glide depends on how many frames the computer's phase took.
                  D::ArriveCamera();
              })
        .Then("arrived", D::AfterFrames(2))
        .Picture("new_turn");
    // A Polish unit moves: a click on it, a click on a hex of its range.
    static sMove move;
    driver.Then("to the map", [] { return true; }, [] { D::PressKey(VK_ESCAPE); })
        .Then("select", [] { return !CurrentDialog(); },
              [] {
                  move = FindPolishMove();
                  ASSERT_NE(move.unitId, 0);
                  g_Gra->m_Mapa->CenterAtHex(move.fromX, move.fromY);
                  D::ArriveCamera();
                  D::ClickHex(move.fromX, move.fromY);
              })
        .Then("order", [] { return g_Gra->m_PlayState->GetOrderMode() == ORDER_MOVE; },
              [] { D::ClickHex(move.toX, move.toY); })
        .Then("moved", [] { return g_Gra->GetGameState() == 7; },
              [] {
                  const cJednostkaLadowa* unit = g_Gra->FindLandUnitById(move.unitId);
                  EXPECT_NE(std::make_pair(int(unit->m_X), int(unit->m_Y)), std::make_pair(move.fromX, move.fromY));
              },
              2000)
        .Then("settled", D::AfterFrames(10), D::ArriveCamera)
        .Then("arrived", D::AfterFrames(2))
        .Picture("game_screen");
    // Poland ends its turn; the computer's countries play; Poland is greeted at its next one.
    static int turn = 0;
    driver.Then("end the turn", [] { return true; },
                [] {
                    turn = g_Gra->m_Turn;
                    D::PressKey('Q');
                })
        .Then("confirm", [] { return dynamic_cast<cDialogPotwKoncaTury*>(CurrentDialog()) != nullptr; },
              [] {
                  cDialog* dialog = CurrentDialog();
                  const sRect r = dialog->ToScreenRect(dialog->GetControl(kConfirmYesId)->GetBoundingBox());
                  D::Click((r.left + r.right) / 2, (r.top + r.bottom) / 2);
              })
        .Then("the computer plays", [] { return g_Gra->GetGameState() == 9; })
        .Then("Poland's next turn", D::ReadingMessages([] {
                  return g_Gra->GetGameState() == 7 && g_Gra->m_Turn > turn &&
                         g_Gra->m_PlayState->GetActiveCountry() == CountryNamed(L"Poland") &&
                         dynamic_cast<cDialogNowejTury*>(CurrentDialog());
              }),
              {}, 200000)
        .Then("settled", D::AfterFrames(30), D::ArriveCamera)
        .Then("arrived", D::AfterFrames(2))
        .Picture("next_turn");
    EXPECT_EQ(driver.Run(), 0);
}

// Windows of the info panel's buttons, each opened, kept as a stored screen and closed with a
// second click on its button.
void PictureWindows(cProgramDriver& driver, const std::vector<std::pair<int, std::string>>& windows)
{
    for (const auto& [button, picture] : windows) {
        const int id = button;
        driver.Then("open " + picture, [] { return !CurrentDialog(); },
                    [id] { ClickOn(dynamic_cast<CDXUTDialog*>(g_InfoPanel), id); })
            .Then("opened", [] { return CurrentDialog() != nullptr; })
            .Then("settled", D::AfterFrames(60))
            .Picture(picture)
            .Then("close", [] { return true; }, [id] { ClickOn(dynamic_cast<CDXUTDialog*>(g_InfoPanel), id); });
    }
}

// The program set to a 1920 x 1080 screen: its own layout, the menus, the map and the windows
// fill it, and Poland plays a turn on it.
TEST(WholeProgram, OnAScreenOf1920By1080PolandPlaysATurnBetweenItsWindows)
{
    cProgramDriver driver({{"Main/ResolutionX", "1920"}, {"Main/ResolutionY", "1080"}}, {"save"});
    std::filesystem::create_directories("data/save");
    // The movies fill the wide screen at their own proportions.
    auto secondMovie = D::LogHas(L"Loading intro movie from dataintro2.avi [OK]");
    auto twoSeconds = D::AfterFrames(40);
    driver.ScreenshotWhen("intro_movie_1920x1080", [=]() mutable { return secondMovie() && twoSeconds(); })
        .Then("main menu", D::LogHas(L"----- Main Menu -----"), {}, 10000)
        .Then("settled", D::AfterFrames(30),
              [] {
                  EXPECT_TRUE(LogContains(L"Loading GUI coordinates nad fonts from \"data\\GUI_1920x1080.csv\"... OK"));
              })
        .Screenshot("main_menu_1920x1080")
        .Then("start", [] { return true; }, [] { D::ClickControl(IDC_START); })
        .Then("scenario list", D::LogHas(L"----- SinglePlayer Menu -----"));
    ClickRow(driver, IDC_SCENARIOS, L"Europe 1939");
    driver.Then("load", [] { return true; }, [] { D::ClickControl(IDC_LOAD); })
        .Then("settings", D::LogHas(L"Country selected"));
    ClickRow(driver, IDC_COUNTRIES, L" Germany");
    driver.Then("Germany to the computer", [] { return true; }, [] { D::ClickControl(IDC_AI); });
    ClickRow(driver, IDC_COUNTRIES, L" Poland");
    static int turn = 0;
    driver.Then("Poland to the player", [] { return true; }, [] { D::ClickControl(IDC_HUMAN); })
        .Then("ok", D::AfterFrames(2), [] { D::ClickControl(IDC_OK); })
        .Then("Poland's turn", D::ReadingMessages([] { return g_Gra && g_Gra->GetGameState() == 7; }), {}, 100000)
        .Then("to the map", D::AfterFrames(30), [] { D::PressKey(VK_ESCAPE); })
        .Then("settled", [] { return !CurrentDialog(); },
              [] {
                  turn = g_Gra->m_Turn;
                  D::ArriveCamera();
              })
        .Then("arrived", D::AfterFrames(2))
        .Picture("game_screen_1920x1080");
    PictureWindows(driver, {{kPurchasesButtonId, "purchases_1920x1080"},
                            {kResearchButtonId, "research_1920x1080"},
                            {kReportsButtonId, "reports_1920x1080"}});
    driver.Then("end the turn", [] { return !CurrentDialog(); }, [] { D::PressKey('Q'); })
        .Then("confirm", [] { return dynamic_cast<cDialogPotwKoncaTury*>(CurrentDialog()) != nullptr; },
              [] { ClickOn(CurrentDialog(), kConfirmYesId); })
        .Then("Poland's next turn", D::ReadingMessages([] {
                  return g_Gra->GetGameState() == 7 && g_Gra->m_Turn > turn &&
                         g_Gra->m_PlayState->GetActiveCountry() == CountryNamed(L"Poland");
              }),
              {}, 200000);
    EXPECT_EQ(driver.Run(), 0);
}


// On a 2560 x 1440 screen the panels and windows show the pictures drawn at their own size:
// stored screens of the scenario list's framed box, the game screen's panels, the unit
// panel's orders, and the research, purchase and convoys windows, to look at.
TEST(WholeProgram, OnAScreenOf2560By1440ThePanelsAndWindowsShowPicturesDrawnAtTheirSize)
{
    cProgramDriver driver({{"Main/ResolutionX", "2560"}, {"Main/ResolutionY", "1440"}}, {"scenarios", "save", "pbem"});
    MakeTestlandFolder();
    driver.StartWith(OpenScenarioMenu)
        .Then("scenario list", [] { return D::InputDialog() != nullptr; },
              [] {
                  EXPECT_TRUE(LogContains(L"Loading GUI coordinates nad fonts from \"data\\GUI_2560x1440.csv\"... OK"));
              })
        .Then("drawn", D::AfterFrames(10))
        .Picture("scenario_list_2560x1440");
    ClickRow(driver, IDC_SCENARIOS, L"Testland");
    driver.Then("start", D::AfterFrames(2), [] { D::ClickControl(IDC_LOAD); });
    StartAsBorussia(driver);
    driver.Then("settled", [] { return true; }, [] { D::ArriveCamera(); })
        .Then("arrived", D::AfterFrames(10))
        .Picture("game_screen_2560x1440");
    PictureWindows(driver, {{kResearchButtonId, "research_2560x1440"},
                            {kPurchasesButtonId, "purchases_2560x1440"},
                            {kConvoysButtonId, "convoys_2560x1440"}});
    static const cJednostkaLadowa* unit = nullptr;
    unit = nullptr; // a repeat in the same process picks a unit of its own game
    driver
        .Then("select a unit", [] { return !CurrentDialog(); },
              [] {
                  for (const cJednostkaLadowa* u : g_Gra->m_LandUnits)
                      if (!unit && u->IsOnMap() && u->m_Owner == g_Gra->m_PlayState->GetActiveCountryId())
                          unit = u;
                  ASSERT_NE(unit, nullptr);
                  g_Gra->m_Mapa->CenterAtHex(unit->m_X, unit->m_Y);
                  D::ArriveCamera();
                  D::ClickHex(unit->m_X, unit->m_Y);
              })
        .Then("selected", D::AfterFrames(2), [] { D::ClickControl(kFoldUnitPanelId); })
        .Then("unit panel", [] { return D::FindControl(kUnitPanelRenameId) != nullptr; })
        .Then("settled", D::AfterFrames(10))
        .Picture("unit_panel_2560x1440");
    EXPECT_EQ(driver.Run(), 0);
}

TEST(WholeProgram, OnTestlandBorussiaDeclaresWarFromTheDiplomacyPanelAndAnswersAnEventInItsWindow)
{
    cProgramDriver driver({}, {"scenarios", "save", "pbem"});
    MakeTestlandFolder();
    static int impulse = 0;
    driver.StartWith(LoadTestland);
    StartAsBorussia(driver);
    driver
        .Then("unfold the diplomacy panel", [] { return true; },
              [] {
                  impulse = g_Gra->m_Turn;
                  ClickOn(dynamic_cast<CDXUTDialog*>(g_InfoPanel), kFoldDiplomacyPanelId);
              })
        .Then("select Moskva", [] { return !DiplomacyPanel()->GetMinimized(); },
              [] {
                  {
                      // Enough diplomatic points for the declaration.
                      GLOBAL_LOCK_SCOPE();
                      CountryNamed(L"Borussia")->DP = 1000;
                  }
                  g_Gra->m_Mapa->CenterAtHex(17, 4);
                  D::ArriveCamera();
                  D::ClickHex(17, 4);
              })
        .Then("declare war", [] { return DiplomacyPanel()->GetControl(kDiplomacyDeclareWarId)->GetEnabled(); },
              [] { ClickOn(DiplomacyPanel(), kDiplomacyDeclareWarId); })
        .Then("yes", [] { return dynamic_cast<cDialogPotwierdzenia*>(CurrentDialog()) != nullptr; },
              [] { ClickOn(CurrentDialog(), kConfirmYesId); })
        .Then("the result", [] { return dynamic_cast<cDialogTekstowy*>(CurrentDialog()) != nullptr; },
              [] {
                  EXPECT_TRUE(g_Gra->m_Relations->IsAtWar(CountryNamed(L"Borussia")->ID, CountryNamed(L"Ruthenia")->ID));
                  ClickOn(CurrentDialog(), kMessageDialogRow + 4);
              })
        // What the cheats window's fire button does: Borussia's ultimatum comes at once,
        // whatever its date and condition, from the opponent's thread. The turn ends only
        // once it is answered, so that the end-turn key never lands on the event's window.
        .Then("force the event", [] { return !CurrentDialog(); }, [] { EXPECT_TRUE(g_GameLink.forceEvent(1)); })
        .Then("the event window", D::ReadingMessages([] { return dynamic_cast<cDialogEventu*>(CurrentDialog()) != nullptr; }),
              [] { ClickOn(CurrentDialog(), kEventFirstOptionId); }, 20000)
        .Then("end the turn", D::ReadingMessages([] { return !CurrentDialog(); }), [] { D::PressKey('Q'); })
        .Then("confirm", [] { return dynamic_cast<cDialogPotwKoncaTury*>(CurrentDialog()) != nullptr; },
              [] { ClickOn(CurrentDialog(), kConfirmYesId); })
        .Then("Borussia's next turn",
              D::ReadingMessages([] { return BorussiasTurn() && g_Gra->m_Turn > impulse; }),
              [] {
                  std::list<sRaport> reports;
                  g_Gra->m_Reports->CollectReports(reports, CountryNamed(L"Borussia")->ID, 25);
                  bool chosen = false;
                  for (const sRaport& report : reports)
                      chosen |= report.text.find(L"Chosen option: Demand passage through Helvetia") != std::wstring::npos;
                  EXPECT_TRUE(chosen);
              },
              20000)
        .Then("greeted", [] { return dynamic_cast<cDialogNowejTury*>(CurrentDialog()) != nullptr; }, {}, 200)
        .Then("the status line", D::AfterFrames(2),
              [] {
                  // The person is told what the game waits for, not what the computer said last.
                  auto* status = dynamic_cast<CDXUTStatic*>(InfoPanel()->GetControl(kInfoStatusId));
                  ASSERT_NE(status, nullptr);
                  EXPECT_EQ(status->GetText(), LangText("statusbar_hint_new_turn"));
                  // The log holds what happened since the person ended the turn, not the start
                  // of play before it, and no trace of the lock.
                  EXPECT_FALSE(LogContains(L"============== Enjoy your game :)"));
                  EXPECT_FALSE(LogStartsWith(L"AC:"));
              });
    EXPECT_EQ(driver.Run(), 0);
}

// The messages an event leaves are read one at a time in their order, each alone on top of
// the windows, while the opponent's thread waits for each to be closed.
TEST(WholeProgram, OnTestlandTheMessagesOfAnEventAreReadInTheirOrderOneAtATime)
{
    cProgramDriver driver({}, {"scenarios", "save", "pbem"});
    MakeTestlandFolder();
    static std::vector<std::wstring> read;
    static std::vector<std::wstring> left;
    read.clear();
    left.clear();
    driver.StartWith(LoadTestland);
    StartAsBorussia(driver);
    driver
        .Then("the ultimatum declares three wars", [] { return true; },
              [] {
                  GLOBAL_LOCK_SCOPE();
                  for (cZdarzenie& event : g_Gra->m_Events->events)
                      if (event.eventID == 1)
                          for (int target : {3, 1, 5}) {
                              cEventEffect war;
                              war.method = L"Country.DeclareWarOnCountry";
                              war.line = 100 + target;
                              war.param[0] = 2;
                              war.param[1] = target;
                              war.valid = true;
                              event.options.front().effects.push_back(war);
                          }
              })
        .Then("force the event", [] { return !CurrentDialog(); }, [] { EXPECT_TRUE(g_GameLink.forceEvent(1)); })
        .Then("the event window", D::ReadingMessages([] { return dynamic_cast<cDialogEventu*>(CurrentDialog()) != nullptr; }),
              [] { ClickOn(CurrentDialog(), kEventFirstOptionId); }, 20000)
        .Then("every message read",
              [] {
                  {
                      GLOBAL_LOCK_SCOPE();
                      left = g_Gra->m_Events->messages;
                  }
                  auto* message = dynamic_cast<cDialogTekstowy*>(CurrentDialog());
                  if (message) {
                      int open = 0;
                      for (iStackDialog* window : g_OpenDialogs)
                          open += window->KindId() == kMessageDialogKind;
                      EXPECT_EQ(open, 1) << "a message lies under the one read";
                      auto* text = dynamic_cast<CDXUTStatic*>(message->GetControl(kMessageDialogRow + 3));
                      read.push_back(text ? text->GetText() : L"");
                      D::PressKey(VK_RETURN);
                      return false;
                  }
                  std::vector<std::wstring> ours;
                  for (const std::wstring& text : read)
                      if (std::find(left.begin(), left.end(), text) != left.end())
                          ours.push_back(text);
                  return left.size() == 3 && ours.size() == 3;
              },
              [] {
                  std::vector<std::wstring> ours;
                  for (const std::wstring& text : read)
                      if (std::find(left.begin(), left.end(), text) != left.end())
                          ours.push_back(text);
                  EXPECT_EQ(ours, left);
              },
              20000);
    EXPECT_EQ(driver.Run(), 0);
}

// A panel unfolded over another lies on top of it, is drawn there and takes the clicks there:
// the unit panel again after the hex panel (which opens beside it); the four panels open
// together each in its own place, the attack panel's odds beside the diplomacy panel.
TEST(WholeProgram, OnTestlandAPanelThatOpensComesToTheFrontOfTheOthers)
{
    cProgramDriver driver({}, {"scenarios", "save", "pbem"});
    MakeTestlandFolder();
    driver.StartWith(LoadTestland);
    StartAsBorussia(driver);
    static int unitId = 0;
    auto info = [] { return dynamic_cast<CDXUTDialog*>(g_InfoPanel); };
    driver
        .Then("select a unit", [] { return true; },
              [] {
                  const cJednostkaLadowa* unit = nullptr;
                  for (const cJednostkaLadowa* u : g_Gra->m_LandUnits)
                      if (!unit && u->IsOnMap() && u->m_Owner == g_Gra->m_PlayState->GetActiveCountryId())
                          unit = u;
                  ASSERT_NE(unit, nullptr);
                  unitId = unit->m_Id;
                  g_Gra->m_Mapa->CenterAtHex(unit->m_X, unit->m_Y);
                  D::ArriveCamera();
                  D::ClickHex(unit->m_X, unit->m_Y);
              })
        .Then("the unit panel", D::AfterFrames(2), [=] { ClickOn(info(), kFoldUnitPanelId); })
        .Then("the hex panel", [] { return !PanelOf(g_UnitPanel)->GetMinimized(); },
              [=] { ClickOn(info(), kFoldHexPanelId); })
        .Then("settled", [] { return !PanelOf(g_HexPanel)->GetMinimized(); })
        // Drawn once the panels have faded in: the picture shows them as a player sees them.
        .Then("drawn", D::AfterFrames(60))
        .Screenshot("hex_panel_over_unit_panel")
        .Then("the unit panel again", [] { return true; },
              [=] {
                  ClickOn(info(), kFoldUnitPanelId);
                  ClickOn(info(), kFoldUnitPanelId);
              })
        // With the hex panel open too, the click on Disband reaches the unit panel.
        .Then("disband", D::AfterFrames(2), [] { ClickOn(PanelOf(g_UnitPanel), kUnitPanelDisbandId); })
        .Then("asked", [] { return dynamic_cast<cDialogPotwierdzenia*>(CurrentDialog()) != nullptr; },
              [] { ClickOn(CurrentDialog(), kConfirmNoId); }, 20)
        .Then("kept", [] { return !CurrentDialog(); },
              [=] {
                  EXPECT_NE(g_Gra->FindLandUnitById(unitId), nullptr);
                  ClickOn(info(), kFoldDiplomacyPanelId);
              })
        .Then("the attack panel", [] { return !PanelOf(g_DiplomacyPanel)->GetMinimized(); },
              [=] { ClickOn(info(), kFoldAttackPanelId); })
        .Then("drawn", D::AfterFrames(60))
        .Screenshot("four_panels_open");
    EXPECT_EQ(driver.Run(), 0);
}

// Every window a key opens on the map, dragged by its title bar far past each corner of the
// screen and back: a corner of its title bar stays on the screen, where the pointer takes it.
TEST(WholeProgram, OnTestlandNoWindowIsDraggedWhereItsTitleBarCannotBeReached)
{
    cProgramDriver driver({}, {"scenarios", "save", "pbem"});
    MakeTestlandFolder();
    driver.StartWith(LoadTestland);
    StartAsBorussia(driver);
    for (unsigned key : {unsigned('P'), unsigned('U'), unsigned('T'), unsigned('R'), unsigned('C'), unsigned('I'),
                         unsigned(VK_F1), unsigned(VK_F1 + 11)})
        driver.Then("open", [] { return !CurrentDialog(); }, [=] { D::PressKey(key); })
            .Then("drag", [] { return CurrentDialog() != nullptr; }, [] {
                cDialog* window = CurrentDialog();
                const CDXUTControl* frame = window->GetControl(window->KindId(), DXUT_CONTROL_FRAME);
                ASSERT_NE(frame, nullptr) << window->KindId();
                const int w = g_UserSettings.resolutionX, h = g_UserSettings.resolutionY;
                // A pointer held down goes on past the game's window, where it still drags.
                for (auto [x, y] : {std::pair(-w, 2 * h), std::pair(2 * w, -h), std::pair(2 * w, 2 * h), std::pair(w / 2, h / 2)}) {
                    const sRect r = window->ToScreenRect(frame->GetBoundingBox());
                    const int grabX = std::max(r.left, 0) + 3, grabY = r.top + 3; // its title bar's corner
                    ASSERT_TRUE(grabY >= 0 && grabY < h && window->GetControlAtPoint(grabX, grabY) == frame) << window->KindId();
                    D::MovePointer(grabX, grabY);
                    DXUTStaticWndProc(WM_LBUTTONDOWN, MK_LBUTTON, MakeLParam(grabX, grabY));
                    DXUTStaticWndProc(WM_MOUSEMOVE, MK_LBUTTON, MakeLParam(x, y));
                    DXUTStaticWndProc(WM_LBUTTONUP, 0, MakeLParam(x, y));
                }
                CloseTopDialogs(-1);
            });
    EXPECT_EQ(driver.Run(), 0);
}

// Outside the person's turn the info panel shows the country that plays without the person's
// points, and while a window waits for the person the status line says so, and only then: the
// computer's combat results close by themselves.
TEST(WholeProgram, OnTestlandTheOtherSidesTurnShowsNoPersonsPointsAndSaysWhenItWaitsForThePerson)
{
    cProgramDriver driver({{"Delay/AICombatResult", "300"}}, {"scenarios", "save", "pbem"});
    MakeTestlandFolder();
    static std::wstring albion;
    static int toldWithoutAWindow = 0, framesAsked = 0;
    driver.StartWith(LoadTestland)
        .Then("start", [] { return dynamic_cast<iMenuScreen*>(g_CurrentMenu) != nullptr && g_Gra; },
              [] { D::ClickControl(IDC_OK); })
        .Then("Albion's turn", D::ReadingMessages([] { return g_Gra->GetGameState() == 7 && CurrentDialog(); }),
              [] { D::PressKey(VK_ESCAPE); }, 20000)
        .Then("end the turn", [] { return !CurrentDialog(); },
              [] {
                  albion = g_Gra->m_PlayState->GetActiveCountry()->Name;
                  D::PressKey('Q');
              })
        .Then("confirm", [] { return dynamic_cast<cDialogPotwKoncaTury*>(CurrentDialog()) != nullptr; },
              [] { ClickOn(CurrentDialog(), kConfirmYesId); })
        .Then("another country plays",
              [] {
                  return g_Gra->GetGameState() != 7 && InfoText(kInfoCountryNameId) != albion;
              },
              [] {
                  EXPECT_EQ(InfoText(kInfoProductionId), L"-");
                  EXPECT_EQ(InfoText(kInfoDiplomacyId), L"-");
              },
              20000)
        .Then("a window waits for Albion",
              [] {
                  cDialog* window = CurrentDialog();
                  return g_Gra->GetGameState() != 7 && window && window->GetVisible() &&
                         InfoText(kInfoStatusId) == LangText("statusbar_hint_waiting_for_answer");
              },
              {}, 20000)
        .Then("settled", D::AfterFrames(5))
        .Picture("waiting_for_answer")
        // Nothing plays while the window waits: the radar stands, and asks for no frame.
        .Then("faded in", D::AfterFrames(60), [] { g_GuiHooks.frameWanted = [](double) { ++framesAsked; }; })
        .Then("none asked", D::AfterFrames(10), [] { g_GuiHooks.frameWanted = DXUTWantFrameIn; EXPECT_EQ(framesAsked, 0); })
        .Then("read it", [] { return true; }, [] { D::PressKey(VK_RETURN); })
        .Then("the game goes on", [] { return !CurrentDialog() || g_Gra->GetGameState() == 7; },
              [] { EXPECT_NE(InfoText(kInfoStatusId), LangText("statusbar_hint_waiting_for_answer")); }, 2000)
        .Then("Albion's next turn",
              D::ReadingMessages([] {
                  const cDialog* window = CurrentDialog();
                  toldWithoutAWindow += g_Gra->GetGameState() != 7 && !(window && window->GetVisible()) &&
                                        InfoText(kInfoStatusId) == LangText("statusbar_hint_waiting_for_answer");
                  return TurnOf(L"Albion");
              }),
              [] { EXPECT_EQ(toldWithoutAWindow, 0) << "frames that said the game waits with no window open"; },
              20000);
    EXPECT_EQ(driver.Run(), 0);
}

} // namespace
