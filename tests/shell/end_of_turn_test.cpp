// The end of a person's turn on Testland: the autosave and the log, hot-seat play between
// two people, and a play-by-e-mail turn handed over, refused as a second try and taken up
// by the next player.
#include <gtest/gtest.h>

#include "core/console_log.h"
#include "core/lock.h"
#include "core/text.h"
#include "core/stringbase.h"
#include "dialogs/confirm_dialog.h"
#include "dialogs/combat_result_dialog.h"
#include "dialogs/convoy_results_dialog.h"
#include "dialogs/dialog_stack.h"
#include "dialogs/end_turn_dialog.h"
#include "dialogs/info_panel.h"
#include "dialogs/message_dialog.h"
#include "dialogs/new_turn_dialog.h"
#include "dialogs/panel.h"
#include "game/consts.h"
#include "game/game.h"
#include "game/game_state.h"
#include "game/play_state.h"
#include "game/presentation_requests.h"
#include "game/save_game.h"
#include "gui/controls.h"
#include "gui/gui_hooks.h"
#include "platform/clock.h"
#include "platform/messages.h"
#include "platform/paths.h"
#include "shell/dxut.h"
#include "shell/links.h"
#include "shell/shell_presentation.h"
#include "shell/menus/pause_menu.h"
#include "shell/menus/scenario_menu.h"
#include "shell/menus/scenario_settings_menu.h"
#include "shell/menus/sea_battle_menu.h"
#include "tests/shell/program_driver.h"
#include "tests/test_support.h"
#include "units/air_unit.h"
#include "units/land_unit.h"
#include "units/naval_unit.h"
#include "world/map.h"
#include "world/country.h"
#include "world/pbem_repo.h"
#include "world/fleet.h"

namespace {

using namespace testing_support;
using D = cProgramDriver;

enum
{
    IDC_TABS_LIST = 178,
    IDC_SCENARIOS = 179,
    IDC_LOAD = 200,
    IDC_SETTINGS_TABS = 208,
    IDC_BY_EMAIL = 234,
    IDC_GAME_NAME = 236,
    IDC_OK = 245,
    IDC_BACK = 246,
};

// Each time the opponent's thread lets go of the game, the main loop may draw a frame: once
// Borussia's side is the view, the window that covers it must already wait to be shown.
std::atomic<int> g_UncoveredLetGoes{0};
thread_local bool t_BorussiaCovered = false;
void CheckBorussiasSideIsCoveredFirst()
{
    if (IsMainThread() || !g_Gra || !g_Gra->m_PlayState)
        return;
    const cPanstwo* view = g_Gra->m_PlayState->GetViewCountry();
    if (!view || view->Name != L"Borussia") {
        t_BorussiaCovered = false;
    } else if (!t_BorussiaCovered) {
        const std::vector<eRequestKind> pending = ShellPresentation().PendingRequestKinds();
        t_BorussiaCovered = std::find(pending.begin(), pending.end(), eRequestKind::HandOverTurn) != pending.end();
        g_UncoveredLetGoes += t_BorussiaCovered ? 0 : 1;
    }
}

// What a frame shows of the cover of a hot-seat window: the cover's dark at its corner, the
// middle of its foot and its right edge.
void ExpectTheCoverHidesTheMap(const std::vector<uint32_t>& frame, int width)
{
    const int height = int(frame.size()) / width;
    for (auto [x, y] : {std::pair{10, 10}, std::pair{width / 2, height - 60}, std::pair{width - 10, height / 2}})
        EXPECT_EQ(frame[size_t(y * width + x)] & 0xFFFFFFu, 0x22211Du) << x << "," << y;
}

// Albion's and Borussia's ships meet twice at the end of the impulse: the Home Fleet and the
// High Seas Fleet in the North Sea (fought on the screen), and two transports alone in the
// Channel (the stage window tells it is called off). Every ship joins and sees the enemy.
void SendTheFleetsToMeet()
{
    constexpr int kHomeFleet = 1, kDoverTransports = 2, kHochseeflotte = 3, kLandungsflotte = 7;
    constexpr int kNorthSea = 1, kChannel = 2;
    MakeFleetsThatMeetFightOnTheBoard();
    GLOBAL_LOCK_SCOPE();
    auto fleet = [](int id) {
        for (cFlota* f : g_Gra->m_Fleets)
            if (f->ID == id)
                return f;
        return static_cast<cFlota*>(nullptr);
    };
    cFlota& hochsee = *fleet(kHochseeflotte);
    for (cJednostkaMorska* ship : hochsee.ships)
        ship->m_Selected = ship->m_Id == kLandungsflotte;
    cFlota* landing = cFlota::SplitFrom(hochsee);
    landing->TakeSelectedShipsOf(hochsee);
    hochsee.RemoveSelectedShips();
    landing->ClearShipSelection();
    g_Gra->m_Fleets.push_back(landing);
    for (auto [f, node] : {std::pair{&hochsee, kNorthSea}, std::pair{fleet(kHomeFleet), kNorthSea},
                           std::pair{fleet(kDoverTransports), kChannel}, std::pair{landing, kChannel}}) {
        f->movedThisTurn = 0;
        f->MoveTo(node);
        if (f->seaNode != node) { // one move may not reach a node two away
            f->movedThisTurn = 0;
            f->MoveTo(node);
        }
        EXPECT_EQ(f->seaNode, node) << WideToUtf8(f->name);
    }
}

// The sea battles' windows of a hot-seat game: each opened by the click of both persons on the
// cover that names them and read over a cover, the battle's screen opened by their click on
// the cover before it, and fought out.
int g_StageWindowsRead = 0, g_ScreensFought = 0;
std::function<bool()> FightingSeaBattles(std::function<bool()> condition)
{
    constexpr int kCloseBattle = 658, kAutoEnd = 661;
    static bool coverSeen = false, screenSeen = false;
    return [reading = D::ReadingMessages(std::move(condition))] {
        if (dynamic_cast<cSeaBattleMenu*>(g_CurrentMenu)) {
            if (!screenSeen) {
                EXPECT_TRUE(coverSeen) << "the battle's screen opened before its cover";
            }
            screenSeen = true;
            coverSeen = false;
            if (D::FindControl(kCloseBattle)->GetEnabled()) {
                D::ClickControl(kCloseBattle);
                screenSeen = false;
                ++g_ScreensFought;
            } else if (D::FindControl(kAutoEnd)->GetEnabled()) {
                D::ClickControl(kAutoEnd);
            }
            return false;
        }
        // A battle's windows are both persons'; a raider's attack before them is its side's.
        if (auto* cover = dynamic_cast<cCoverBeforeScreen*>(CurrentDialog())) {
            coverSeen = cover->CountryIds() == std::vector<int>{1, 2};
            return reading();
        }
        if (MessageTitle() == LangText("sea_battle_fleet_detected_title")) {
            auto* beneath = g_OpenDialogs.size() >= 2 ? dynamic_cast<cDialogStackEntry*>(g_OpenDialogs[g_OpenDialogs.size() - 2])
                                                      : nullptr;
            auto* cover = beneath ? dynamic_cast<cReadingCover*>(&beneath->Dialog()) : nullptr;
            EXPECT_TRUE(cover && cover->CountryIds() == (std::vector<int>{1, 2})) << "the stage window is not covered";
            g_StageWindowsRead += 1;
            // The screen that follows has a cover of its own.
            coverSeen = false;
        }
        return reading();
    };
}

// The turn is over: the status line says so and that the pause menu is the way out (the
// map stays in state 3). The turn was saved as it ended: the abort asks nothing.
void AbortAndOpenThePbemGame(cProgramDriver& driver)
{
    AbortAndOpenTheGameByEmail(driver, L"Summer War", [] {
        EXPECT_EQ(StatusLine(), LangFormat("statusbar_hint_pbem_turn_sent_%s", L"Summer War"));
    });
}

TEST(EndOfTurn, InHotSeatPlayTheTurnPassesFromOnePersonToTheOtherThroughTheNewTurnWindow)
{
    cProgramDriver driver({}, {"scenarios", "save", "pbem"});
    MakeTestlandFolder();
    driver.StartWith(LoadTestland)
        .Then("Borussia to a person too", InScenarioSettings, [] { GivePersonTheRow(1); })
        .Then("start", D::AfterFrames(2),
              [] {
                  EXPECT_TRUE(g_Gra->m_Countries[0]->HumanControlled);
                  EXPECT_TRUE(g_Gra->m_Countries[1]->HumanControlled);
                  D::ClickControl(IDC_OK);
              })
        // The first turn is announced too: nobody else sees Borussia's side before its person.
        .Then("Borussia's turn", [] { return TurnOf(L"Borussia"); }, [] { D::PressKey(VK_ESCAPE); }, 20000)
        // A unit picked for a move, its reachable hexes marked, when the turn ends.
        .Then("pick a unit", [] { return !CurrentDialog(); },
              [] {
                  for (const cJednostkaLadowa* unit : g_Gra->m_LandUnits)
                      if (unit->m_Owner == 2 && unit->m_ActionPoints > 0) {
                          g_Gra->m_Mapa->CenterAtHex(unit->m_X, unit->m_Y);
                          D::ArriveCamera();
                          D::ClickHex(unit->m_X, unit->m_Y);
                          break;
                      }
              })
        .Then("marked", [] { return g_Gra->m_PlayState->GetOrderMode() == ORDER_MOVE; },
              [] { EXPECT_FALSE(g_Gra->m_Mapa->GetMarkedHexes().empty()); });
    EndTheTurn(driver, "Borussia");
    // Albion's person is greeted by the new-turn window, which hides Albion's side of the map
    // from Borussia's person until it is closed, then a map without the marks of the order
    // Borussia's person left.
    driver.Then("Albion's turn", [] { return TurnOf(L"Albion"); }, {}, 20000)
        .Then("settled", D::AfterFrames(20))
        .Screenshot("hot_seat_new_turn")
        .Then("point at a panel under it", [] { return true; },
              [] {
                  CDXUTDialog* info = PanelOf(g_InfoPanel);
                  const sRect r = info->ToScreenRect(info->GetControl(kFoldUnitPanelId)->GetBoundingBox());
                  D::MovePointer((r.left + r.right) / 2, (r.top + r.bottom) / 2);
              })
        .Then("nothing under it is hovered", D::AfterFrames(2),
              [] {
                  EXPECT_EQ(PanelOf(g_InfoPanel)->GetHoveredControl(), nullptr);
                  D::PressKey(VK_ESCAPE);
              })
        .Then("the map", [] { return !CurrentDialog(); },
              [] {
                  EXPECT_EQ(g_Gra->m_PlayState->GetOrderMode(), ORDER_SELECT);
                  EXPECT_TRUE(g_Gra->m_Mapa->GetMarkedHexes().empty());
                  for (const sHex& hex : g_Gra->m_Mapa->Hexes())
                      ASSERT_EQ(hex.marks, 0u) << hex.x << "," << hex.y;
              })
        .Then("settled", D::AfterFrames(60),
              [] {
                  // Albion's own phase: its figures show.
                  auto* production = dynamic_cast<CDXUTStatic*>(PanelOf(g_InfoPanel)->GetControl(kInfoProductionId));
                  EXPECT_NE(production->GetText(), L"-");
              })
        .Picture("next_turn_without_marks");
    // After the computer's countries the window hides the map as well, from its first frame.
    driver.Then("watch the hand-over", [] { return true; }, [] {
        g_UncoveredLetGoes = g_StageWindowsRead = g_ScreensFought = 0;
        SetGlobalLockLetGoHook(CheckBorussiasSideIsCoveredFirst);
        SendTheFleetsToMeet();
    });
    EndTheTurn(driver, "Albion");
    // Albion's convoys of the impulse are read over a cover naming Albion; Borussia's figures
    // wait for Borussia's own turn.
    driver
        .Then("Albion's convoys", D::ReadingMessages([] { return dynamic_cast<cDialogWynikuKonwojow*>(CurrentDialog()); }),
              [] {
                  ASSERT_GE(g_OpenDialogs.size(), 2u);
                  auto* beneath = dynamic_cast<cDialogStackEntry*>(g_OpenDialogs[g_OpenDialogs.size() - 2]);
                  auto* cover = beneath ? dynamic_cast<cReadingCover*>(&beneath->Dialog()) : nullptr;
                  ASSERT_NE(cover, nullptr);
                  EXPECT_EQ(cover->CountryId(), 1);
                  // The cover's flag and line stay in sight beside the window.
                  CDXUTDialog& results = *CurrentDialog();
                  const sRect window =
                      results.ToScreenRect(results.GetControl(kConvoyResultsDialogKind)->GetBoundingBox());
                  for (int id : {732, 733}) {
                      const sRect seen = cover->ToScreenRect(cover->GetControl(id)->GetBoundingBox());
                      EXPECT_TRUE(IntersectRects(seen, window).IsEmpty()) << id;
                  }
                  auto* production = dynamic_cast<CDXUTStatic*>(PanelOf(g_InfoPanel)->GetControl(kInfoProductionId));
                  EXPECT_EQ(production->GetText(), L"-");
                  // Its figures are sea transport points, not the cargo beside them: the line over
                  // the list says so.
                  auto* caption = dynamic_cast<CDXUTStatic*>(results.GetControl(964));
                  ASSERT_NE(caption, nullptr);
                  EXPECT_NE(caption->GetText().find(L"sea transport points"), std::wstring::npos);
                  D::PressKey(VK_RETURN);
              },
              20000)
        .Then("the cover went with them", [] { return !dynamic_cast<cDialogWynikuKonwojow*>(CurrentDialog()); },
              [] { EXPECT_EQ(dynamic_cast<cReadingCover*>(CurrentDialog()), nullptr); });
    // The sea battles of the impulse come next, each for both persons: neither side's map
    // shows around their windows, nor the battle's screen before the cover that names both.
    driver
        .Then("the cover before a battle's screen",
              FightingSeaBattles([] { return dynamic_cast<cCoverBeforeScreen*>(CurrentDialog()) != nullptr; }), {},
              20000)
        .Grab(ExpectTheCoverHidesTheMap)
        .Then("a stage window",
              FightingSeaBattles([] { return MessageTitle() == LangText("sea_battle_fleet_detected_title"); }),
              [] {
                  const std::wstring text = MessageTitle(kMessageDialogRow + 3);
                  // It names the fleets that met and where.
                  EXPECT_EQ(text.rfind(L"Dover Transports (Albion) met ", 0), 0u) << WideToUtf8(text);
                  EXPECT_NE(text.find(L" (Borussia) in Channel."), std::wstring::npos) << WideToUtf8(text);
              },
              20000)
        .Grab(ExpectTheCoverHidesTheMap);
    driver.Then("Borussia's next turn", FightingSeaBattles([] { return TurnOf(L"Borussia"); }),
                [] {
                    SetGlobalLockLetGoHook(nullptr);
                    EXPECT_EQ(g_UncoveredLetGoes.load(), 0) << "Borussia's side could be drawn before its cover";
                    EXPECT_GE(g_ScreensFought, 1);
                    EXPECT_GE(g_StageWindowsRead, 1);
                },
                20000)
        .Grab(ExpectTheCoverHidesTheMap);
    EXPECT_EQ(driver.Run(), 0);
    SetGlobalLockLetGoHook(nullptr);
}

// Valdonia's fighter stands in reach of Borussia's bombers, and meets them in Valdonia's turn:
// having flown already, it is not sent to another base first.
void GiveValdoniaAFighterInReachOfBorussia()
{
    constexpr int kValdonia = 5, kFighterCommand = 1, kX = 8, kY = 7;
    GLOBAL_LOCK_SCOPE();
    cJednostkaLotnicza* fighter = g_Gra->FindAirUnitById(kFighterCommand);
    ASSERT_NE(fighter, nullptr);
    g_Gra->m_Mapa->GetHex(fighter->m_X, fighter->m_Y)->unit = nullptr;
    fighter->m_Owner = kValdonia;
    fighter->m_X = kX;
    fighter->m_Y = kY;
    fighter->m_ActionPoints = fighter->m_StartingActionPoints - 1;
    g_Gra->m_Mapa->GetHex(kX, kY)->unit = fighter;
}

// A report for a person out of their turn waits under the cover that names them: nobody else
// reads it, and its time runs only once they have lifted the cover, however long that takes.
TEST(EndOfTurn, InHotSeatPlayAReportForAPersonWaitsUnderTheirCoverAndItsTimeRunsOnlyOnceTheyLiftIt)
{
    constexpr int kShownMs = 2000;
    cProgramDriver driver({{"Delay/AICombatResult", std::to_string(kShownMs)}}, {"scenarios", "save", "pbem"});
    MakeTestlandFolder();
    static uint32_t coveredAt = 0;
    static int framesAsked = 0;
    auto fightReport = [] { return dynamic_cast<cDialogWynikuWalki*>(CurrentDialog()); };
    driver.StartWith(LoadTestland)
        .Then("Borussia to a person too", InScenarioSettings, [] { GivePersonTheRow(1); })
        .Then("start", D::AfterFrames(2), [] { D::ClickControl(IDC_OK); })
        .Then("Borussia's turn", [] { return TurnOf(L"Borussia"); }, [] { D::PressKey(VK_ESCAPE); }, 20000);
    EndTheTurn(driver, "Borussia");
    driver.Then("Albion's turn", [] { return TurnOf(L"Albion"); },
                [] {
                    D::PressKey(VK_ESCAPE);
                    GiveValdoniaAFighterInReachOfBorussia();
                },
                20000);
    EndTheTurn(driver, "Albion");
    driver
        .Then("Borussia's cover", D::ReadingMessages([] {
                  auto* cover = dynamic_cast<cCoverBeforeScreen*>(CurrentDialog());
                  return cover && cover->CountryIds() == std::vector<int>{2};
              }),
              [] { coveredAt = GetTickMs(); }, 20000)
        .Grab(ExpectTheCoverHidesTheMap)
        // Nothing plays under the cover: the radar behind it asks for no frame.
        .Then("faded in", D::AfterFrames(60), [] { g_GuiHooks.frameWanted = [](double) { ++framesAsked; }; })
        .Then("none asked", D::AfterFrames(10), [] { g_GuiHooks.frameWanted = DXUTWantFrameIn; EXPECT_EQ(framesAsked, 0); })
        // Nobody comes for longer than the report would have stood: it waits, unread.
        .Then("its person is away", [] { return GetTickMs() - coveredAt > uint32_t(2 * kShownMs); },
              [fightReport] {
                  EXPECT_NE(dynamic_cast<cCoverBeforeScreen*>(CurrentDialog()), nullptr);
                  EXPECT_EQ(FindOpenDialogByKind(kCombatResultDialogKind), nullptr);
                  D::PressKey(VK_RETURN);
                  // Lifted, the report is read over a cover that hides the map, its time not yet begun.
                  ASSERT_NE(fightReport(), nullptr);
                  EXPECT_FALSE(fightReport()->m_CountdownPaused);
                  EXPECT_EQ(fightReport()->m_Countdown, float(kShownMs) / 1000.0f);
                  ASSERT_GE(g_OpenDialogs.size(), 2u);
                  auto* beneath = dynamic_cast<cDialogStackEntry*>(g_OpenDialogs[g_OpenDialogs.size() - 2]);
                  auto* cover = beneath ? dynamic_cast<cReadingCover*>(&beneath->Dialog()) : nullptr;
                  ASSERT_NE(cover, nullptr);
                  EXPECT_EQ(cover->CountryId(), 2);
              })
        .Then("it runs", [fightReport] { return fightReport() && fightReport()->m_Countdown < float(kShownMs) / 1000.0f; })
        // Its time run out, it closes by itself, and its cover with it.
        .Then("it closes by itself", [fightReport] { return !fightReport(); },
              [] { EXPECT_EQ(dynamic_cast<cReadingCover*>(CurrentDialog()), nullptr); });
    EXPECT_EQ(driver.Run(), 0);
}

TEST(EndOfTurn, WithoutACountryThatClosesTheTurnOrderThePersonsTurnEndsTheImpulseAndPlayGoesOn)
{
    cProgramDriver driver({{"InterfaceSettings/ConfirmEndTurn", "false"}}, {"scenarios", "save", "pbem"});
    MakeTestlandFolder();
    static int turn = 0;
    driver.StartWith(LoadTestland)
        // Albion is the last to move, and no country closes the turn order after it.
        .Then("no closing country", InScenarioSettings,
              [] {
                  for (size_t later = 2; later < g_Gra->m_Countries.size(); ++later)
                      g_Gra->m_Countries[later]->IsActive = false;
              })
        .Then("start", D::AfterFrames(2), [] { D::ClickControl(IDC_OK); })
        .Then("Albion's turn", D::ReadingMessages([] { return TurnOf(L"Albion"); }), [] { D::PressKey(VK_ESCAPE); },
              20000)
        .Then("end it", [] { return !CurrentDialog(); },
              [] {
                  turn = g_Gra->m_Turn;
                  D::PressKey('Q');
              })
        .Then("Albion's next turn", D::ReadingMessages([] { return TurnOf(L"Albion") && g_Gra->m_Turn > turn; }), {},
              20000);
    EXPECT_EQ(driver.Run(), 0);
    EXPECT_TRUE(LogContains(L"Error at the end of the turn: no country is left to move, and the scenario has no "
                            L"country that closes the turn order."));
    // The person's end of turn started the log anew, marked as UTF-16: the start-up is gone.
    EXPECT_EQ(ReadWholeFile(g_Console.GetPath()).value_or("").substr(0, 2), "\xFF\xFE");
    EXPECT_FALSE(LogStartsWith(L"Running "));
}

TEST(EndOfTurn, APlayByEmailTurnIsHandedOverRefusedASecondTimeAndTakenUpByTheNextPlayer)
{
    cProgramDriver driver({}, {"scenarios", "save", "pbem"});
    MakeTestlandFolder();
    driver.StartWith(LoadTestland);
    SetUpGameByEmail(driver);
    // Whether a file of a save was written while the window that hands the turn over was open.
    static bool writtenUnderTheWindow = false;
    writtenUnderTheWindow = false;
    SetSaveFileWrittenHook([](const wchar_t*) {
        writtenUnderTheWindow = writtenUnderTheWindow || MessageTitle() == L"Your turn is over";
    });
    // The first country to move is Bob's: play starts with his phase, saved in its middle.
    driver.Then("Bob's turn", [] { return TurnOf(L"Borussia", false); }, [] { SaveGame(L"Bob mid-turn", true); },
                20000);
    EndTheTurn(driver, "Borussia");
    driver
        .Then("handed over", [] { return MessageTitle() == L"Your turn is over"; },
              [] {
                  EXPECT_EQ(g_Gra->GetGameState(), 3);
                  // The folder holds the whole turn when the window that says so shows.
                  EXPECT_FALSE(writtenUnderTheWindow);
                  for (const wchar_t* file : kSaveFileNames)
                      EXPECT_TRUE(FileExists(std::filesystem::path("data/pbem/Summer War") / file)) << WideToUtf8(file);
                  EXPECT_FALSE(std::filesystem::exists("data/pbem/Summer War%saving"));
                  EXPECT_TRUE(FileExists("data/pbem/repo.dat"));
                  EXPECT_NE(MessageTitle(kMessageDialogRow + 3).find(L"data/pbem/Summer War."), std::wstring::npos);
              })
        .Then("settled", D::AfterFrames(20))
        .Screenshot("pbem_turn_handed_over")
        .Then("read", [] { return true; }, [] { ClickDialogButton(kMessageDialogRow + 4); });
    AbortAndOpenThePbemGame(driver);
    driver
        // Unticked too: the turn already sent is not played on at one screen.
        .Then("Bob again", InScenarioSettings, [] { D::Control<CDXUTTabFrame>(IDC_SETTINGS_TABS)->SelectTab(1, true); })
        .Then("at one screen", D::AfterFrames(2),
              [] {
                  D::ClickControl(IDC_BY_EMAIL);
                  const char* played =
                      "you_already_played_your_turn_in_this_pbem_game._wait_for_other_players_to_finish_their_turns.";
                  EXPECT_EQ(MessageTitle(kMessageDialogRow + 3),
                            LangFormat("scenario_settings_pbem_off_refused_%s", LangText(played)));
                  CloseTopDialogs(1);
                  D::ClickControl(IDC_OK);
              })
        .Then("refused", [] { return MessageTitle() == L"PBEM saved game"; },
              [] {
                  CloseTopDialogs(1);
                  D::ClickControl(IDC_BACK);
              })
        // The save made in the turn since handed over is refused the same way.
        .Then("saved games", [] { return dynamic_cast<cScenarioMenu*>(g_CurrentMenu) != nullptr; },
              [] { D::Control<CDXUTTabFrame>(IDC_TABS_LIST)->SelectTab(1, true); })
        .Then("the save's row", [] { return D::ShowListRow(IDC_SCENARIOS, L"Bob mid-turn"); })
        .Then("Bob opens it", D::AfterFrames(2), [] {
            D::ClickListRow(IDC_SCENARIOS, L"Bob mid-turn");
            D::ClickControl(IDC_LOAD);
        })
        .Then("its settings", InScenarioSettings, [] { D::ClickControl(IDC_OK); })
        .Then("refused too", [] { return MessageTitle() == L"PBEM saved game"; },
              [] {
                  CloseTopDialogs(1);
                  // On Ada's machine the game is new to the repository.
                  std::filesystem::remove("data/pbem/repo.dat");
                  D::ClickControl(IDC_BACK);
              })
        .Then("list again", [] { return dynamic_cast<cScenarioMenu*>(g_CurrentMenu) != nullptr; },
              [] { D::Control<CDXUTTabFrame>(IDC_TABS_LIST)->SelectTab(2, true); })
        .Then("the row again", [] { return D::ShowListRow(IDC_SCENARIOS, L"Summer War"); })
        .Then("Ada opens it", D::AfterFrames(2), [] {
            D::ClickListRow(IDC_SCENARIOS, L"Summer War");
            D::ClickControl(IDC_LOAD);
        })
        .Then("Ada's settings", InScenarioSettings,
              [] {
                  // A damaged save's player number for a computer's country: nobody's once play starts.
                  g_Gra->m_Countries[2]->PBEMPlayerId = -1;
                  D::ClickControl(IDC_OK);
              })
        .Then("Ada's turn", [] { return TurnOf(L"Albion", false); },
              [] { EXPECT_EQ(g_Gra->m_Countries[2]->PBEMPlayerId, 0); }, 20000);
    // Ada's turn goes to Bob after the computer's countries: nothing is waited for any more,
    // and a message of theirs shown late does not take the line that says how to leave.
    EndTheTurn(driver, "Albion");
    driver
        .Then("handed over to Bob", D::ReadingMessages([] { return g_Gra->m_PbemTurnHandedOver; }),
              [] {
                  EXPECT_TRUE(PanelOf(g_InfoPanel)->GetControl(kFoldUnitPanelId)->GetVisible()) << "the wait image";
                  PostInfoPanelMessage(L"[AI] Valdonia: NEW TURN");
              },
              20000)
        .Then("told", D::AfterFrames(5),
              [] { EXPECT_EQ(StatusLine(), LangFormat("statusbar_hint_pbem_turn_sent_%s", L"Summer War")); });
    EXPECT_EQ(driver.Run(), 0);
    SetSaveFileWrittenHook(nullptr);
}

// A war by e-mail left before its first hand-over opens again at its first turn, with the
// players, their addresses and countries it was set up with.
TEST(EndOfTurn, APlayByEmailGameLeftBeforeItsFirstHandOverOpensAgainAtItsFirstTurn)
{
    cProgramDriver driver({}, {"scenarios", "save", "pbem"});
    MakeTestlandFolder();
    static int turn = 0;
    driver.StartWith(LoadTestland);
    SetUpGameByEmail(driver);
    driver.Then("Bob's turn", [] { return TurnOf(L"Borussia", false); }, [] { turn = g_Gra->m_Turn; }, 20000);
    AbortAndOpenTheGameByEmail(driver, L"Summer War");
    driver
        .Then("its settings", InScenarioSettings,
              [] {
                  std::vector<std::wstring> players;
                  for (const sPbemPlayer& player : g_Gra->m_PbemPlayers)
                      players.push_back(player.name + L" " + player.email);
                  EXPECT_EQ(players, (std::vector<std::wstring>{L"Ada Ada@example.com", L"Bob Bob@example.com"}));
                  EXPECT_EQ(g_Gra->m_Countries[0]->PBEMPlayerId, 1);
                  EXPECT_EQ(g_Gra->m_Countries[1]->PBEMPlayerId, 2);
                  EXPECT_EQ(std::wstring(D::FindControl(IDC_GAME_NAME)->GetHint()),
                            LangText("scenario_settings_pbem_game_name_kept_hint"));
                  D::ClickControl(IDC_OK);
              })
        .Then("Bob's first turn again", [] { return TurnOf(L"Borussia", false); },
              [] { EXPECT_EQ(g_Gra->m_Turn, turn); }, 20000);
    EXPECT_EQ(driver.Run(), 0);
}

// The real loop sleeps while nothing on the screen changes. What the opponent's thread does
// for the main loop wakes it: after the person's last key, the computer's countries play
// their impulse and the person is greeted at the next turn without another key.
TEST(EndOfTurn, TheComputersImpulseBetweenTwoTurnsOfAPersonNeedsNoKeyFromThePerson)
{
    cProgramDriver driver({}, {"scenarios", "save", "pbem", "Music"}); // no track's end wakes the loop
    MakeTestlandFolder();
    static int turn = 0;
    driver.StartWith(LoadTestland);
    StartAsBorussia(driver);
    driver.Then("the impulse", [] { return true; }, [] { turn = g_Gra->m_Turn; }).SleepsUntilTheScreenMayChange(60);
    EndTheTurn(driver, "Borussia");
    driver.Then("Borussia's next turn", [] { return TurnOf(L"Borussia") && g_Gra->m_Turn > turn; });
    EXPECT_EQ(driver.Run(), 0);
}

// A turn ended while the person's unit walks ends with the walk done, the unit on its last hex.
TEST(EndOfTurn, ATurnEndedWhileAUnitWalksEndsWithTheUnitArrived)
{
    cProgramDriver driver({{"InterfaceSettings/ConfirmEndTurn", "false"}}, {"scenarios", "save", "pbem", "Music"});
    MakeTestlandFolder();
    static cJednostkaLadowa* walker = nullptr;
    static int goalX = -1, goalY = -1;
    driver.StartWith(LoadTestland);
    StartAsBorussia(driver);
    driver.Then("walk and end the turn", [] { return true; },
                [] {
                    GLOBAL_LOCK_SCOPE();
                    const int borussia = g_Gra->m_PlayState->GetActiveCountry()->ID;
                    for (cJednostkaLadowa* unit : g_Gra->m_LandUnits)
                        if (!walker && unit->m_Owner == borussia && unit->ComputeMoveRange(true) > 0)
                            for (const sPathStep& step : unit->m_Path)
                                if (step.cost > 0 && !g_Gra->m_Mapa->GetHex(step.x, step.y)->unit) {
                                    walker = unit;
                                    goalX = step.x;
                                    goalY = step.y;
                                }
                    ASSERT_NE(walker, nullptr);
                    // A unit that did not act this turn counts one more turn since its drop; one
                    // that acted starts again from 0.
                    cJednostkaLadowa* idle = nullptr;
                    for (cJednostkaLadowa* unit : g_Gra->m_LandUnits)
                        if (unit != walker && unit->m_Owner == borussia &&
                            unit->m_ActionPoints == unit->m_StartingActionPoints)
                            idle = unit;
                    ASSERT_NE(idle, nullptr);
                    walker->m_TurnsSinceParadrop = 5;
                    idle->m_TurnsSinceParadrop = 3;
                    ASSERT_TRUE(g_Gra->m_PlayState->BeginMove(*walker, goalX, goalY));
                    ASSERT_EQ(g_Gra->GetGameState(), 8);
                    g_ShellLinks.endTurnFromMainThread();
                    EXPECT_NE(g_Gra->GetGameState(), 8);
                    EXPECT_EQ(g_Gra->m_Mapa->GetHex(goalX, goalY)->unit, walker);
                    EXPECT_EQ(std::make_pair(walker->m_X, walker->m_Y), std::make_pair(goalX, goalY));
                    EXPECT_EQ(walker->m_TurnsSinceParadrop, 0);
                    EXPECT_EQ(idle->m_TurnsSinceParadrop, 4);
                });
    EXPECT_EQ(driver.Run(), 0);
}

// In a play-by-e-mail game the opponent's thread checks the events at the country that
// closes the turn order, right after the person's country, and tells the main loop, which
// hands the turn over without another key.
TEST(EndOfTurn, APlayByEmailTurnIsHandedOverAfterTheEventCheckWithoutAKeyFromThePlayer)
{
    cProgramDriver driver({}, {"scenarios", "save", "pbem", "Music"}); // no track's end wakes the loop
    MakeTestlandFolder();
    driver.StartWith(LoadTestland);
    // Bob plays Albion; Ada plays Helvetia, the last country before the one that closes the order.
    SetUpGameByEmail(driver, L"Helvetia", L"Albion");
    driver.Then("Bob's turn", D::ReadingMessages([] { return TurnOf(L"Albion"); }), [] { D::PressKey(VK_ESCAPE); },
                20000);
    EndTheTurn(driver, "Albion");
    driver
        .Then("handed over to Ada", [] { return MessageTitle() == L"Your turn is over"; },
              [] {
                  ClickDialogButton(kMessageDialogRow + 4);
                  // On Ada's machine the game is new to the repository.
                  std::filesystem::remove("data/pbem/repo.dat");
              });
    AbortAndOpenThePbemGame(driver);
    driver
        .Then("Ada's settings", InScenarioSettings, [] { D::ClickControl(IDC_OK); })
        .Then("Ada's turn", D::ReadingMessages([] { return TurnOf(L"Helvetia"); }),
              [] {
                  D::PressKey(VK_ESCAPE);
                  // Borussia's ultimatum is settled: the check fires nothing, so nothing but
                  // its end has the screen look again.
                  GLOBAL_LOCK_SCOPE();
                  g_Gra->m_Flags[1] = 1;
                  // The turn cannot be saved at first.
                  std::filesystem::remove_all("data/pbem/Summer War");
                  WriteWholeFile("data/pbem/Summer War", "in the way");
              },
              20000)
        .SleepsUntilTheScreenMayChange(60);
    EndTheTurn(driver, "Helvetia");
    // Kept at the closing country: Ada's own side is shown, and she is told how to hand it over.
    driver
        .Then("kept", [] { return MessageTitle() == L"Save the game"; },
              [] {
                  const std::wstring why = LangFormat("save_failed_file_in_the_way_%s", L"data/pbem/Summer War");
                  EXPECT_EQ(MessageTitle(kMessageDialogRow + 3),
                            LangFormat("pbem_turn_kept_%s", SaveFailedText(L"Summer War", why)));
                  EXPECT_EQ(InfoText(kInfoCountryNameId), L"Helvetia");
                  std::filesystem::remove("data/pbem/Summer War");
                  CloseTopDialogs(1);
              })
        .Then("told how", [] { return StatusLine() == LangText("statusbar_hint_pbem_turn_kept"); });
    EndTheTurn(driver, "Helvetia again");
    // The panel and the map are Ada's again, not those of the country that closes the order.
    driver.Then("handed over to Bob", [] { return MessageTitle() == L"Your turn is over"; },
                [] {
                    // Only the check's end brings the closing country's end of turn that hands
                    // over, and that end of turn started the log anew: the check's lines are gone.
                    EXPECT_FALSE(LogContains(L"CHECKING EVENTS FINISHED"));
                    // Handed over from the country that closes the order: this machine's record
                    // stays Ada's (1), or her next turn would be refused here.
                    EXPECT_EQ(ReadPbemRepositoryEntry(L"Summer War", [] { return -1; }), 1);
                    EXPECT_EQ(InfoText(kInfoCountryNameId), L"Helvetia");
                    EXPECT_EQ(g_Gra->m_PlayState->GetViewCountry()->Name, L"Helvetia");
                });
    EXPECT_EQ(driver.Run(), 0);
}

TEST(EndOfTurn, APlayByEmailTurnThatCannotBeSavedStaysThePlayersTurnAndIsHandedOverOnceItCanBe)
{
    cProgramDriver driver({}, {"scenarios", "save", "pbem"});
    MakeTestlandFolder();
    static std::optional<std::string> repository;
    driver.StartWith(LoadTestland);
    SetUpGameByEmail(driver);
    driver.Then("Bob's turn", [] { return TurnOf(L"Borussia", false); },
                [] {
                    repository = ReadWholeFile("data/pbem/repo.dat");
                    // A file where the game's folder goes: the turn cannot be saved.
                    std::filesystem::remove_all("data/pbem/Summer War");
                    WriteWholeFile("data/pbem/Summer War", "in the way");
                },
                20000);
    EndTheTurn(driver, "Borussia");
    driver
        .Then("told", [] { return MessageTitle() == L"Save the game"; },
              [] {
                  EXPECT_TRUE(TurnOf(L"Borussia", false));
                  EXPECT_NE(InfoText(kInfoProductionId), L"-") << "his points, as in his turn";
                  EXPECT_FALSE(g_Gra->m_PbemTurnHandedOver);
                  // Nothing records the turn as played.
                  EXPECT_EQ(ReadWholeFile("data/pbem/repo.dat"), repository);
                  CloseTopDialogs(1);
                  std::filesystem::remove("data/pbem/Summer War");
                  // This machine's record of the game cannot be written either: told, nothing lost.
                  std::filesystem::remove("data/pbem/repo.dat");
                  std::filesystem::create_directory("data/pbem/repo.dat");
              });
    EndTheTurn(driver, "Borussia again");
    driver.Then("handed over", [] { return g_Gra->m_PbemTurnHandedOver && MessageTitle() == L"PBEM saved game"; },
                [] {
                    EXPECT_NE(MessageTitle(kMessageDialogRow + 3).find(L"it is a folder"), std::wstring::npos);
                    EXPECT_TRUE(FileExists("data/pbem/Summer War/Info.ini"));
                    CloseTopDialogs(1);
                    EXPECT_EQ(MessageTitle(), L"Your turn is over");
                });
    EXPECT_EQ(driver.Run(), 0);
}

// An autosave that cannot be written is told, with why, once the turn has passed on (the
// other side's phase would close a window opened before), and play goes on.
TEST(EndOfTurn, AnAutosaveThatCannotBeWrittenIsToldWithWhyAndPlayGoesOn)
{
    cProgramDriver driver({}, {"scenarios", "save", "pbem"});
    MakeTestlandFolder();
    static int impulse = 0;
    driver.StartWith(LoadTestland);
    StartAsBorussia(driver);
    driver.Then("nowhere to save", [] { return true; },
                [] {
                    impulse = g_Gra->m_Turn;
                    // A file where the folder of the saves goes: nothing can be written there.
                    std::filesystem::remove_all("data/save");
                    WriteWholeFile("data/save", "in the way");
                });
    driver.Then("end Borussia", [] { return !CurrentDialog(); }, [] { D::PressKey('Q'); })
        .Then("confirm", [] { return dynamic_cast<cDialogPotwKoncaTury*>(CurrentDialog()) != nullptr; },
              [] {
                  // The computer's phase waits for the game until the window is read: on a busy
                  // machine it could end first, and its next turn's window cover this one.
                  GLOBAL_LOCK_SCOPE();
                  ClickDialogButton(kConfirmYesId);
                  const std::wstring why = LangFormat("save_failed_folder_not_writable_%s_%s", L"data/save",
                                                      Utf8ToWide(std::make_error_code(std::errc::not_a_directory).message()));
                  EXPECT_EQ(MessageTitle(), L"Save game");
                  EXPECT_EQ(MessageTitle(kMessageDialogRow + 3), SaveFailedText(L"autosave", why));
                  EXPECT_EQ(g_Gra->GetGameState(), kStateComputer) << "the turn has passed on";
                  std::filesystem::remove("data/save");
                  D::PressKey(VK_RETURN);
              })
        .Then("Borussia's next turn", D::ReadingMessages([] { return BorussiasTurn() && g_Gra->m_Turn > impulse; }), {},
              20000);
    EXPECT_EQ(driver.Run(), 0);
}

} // namespace
