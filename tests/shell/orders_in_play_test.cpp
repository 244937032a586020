// Orders given through the game's windows in a running game of Testland: a unit moved,
// shipped from a port and landed by clicks, a fleet's battle fought on its screen, a
// convoy's ports picked on the map, a fighter's recon, and a bomber's strike on a port.
#include <gtest/gtest.h>

#include "core/lock.h"
#include "core/stringbase.h"
#include "core/text.h"
#include "dialogs/combat_result_dialog.h"
#include "dialogs/convoys_dialog.h"
#include "dialogs/convoy_results_dialog.h"
#include "dialogs/dialog_stack.h"
#include "dialogs/end_turn_dialog.h"
#include "dialogs/fleets_manager.h"
#include "dialogs/info_panel.h"
#include "dialogs/unit_panel.h"
#include "dialogs/units_manager.h"
#include "game/game.h"
#include "game/play_counts.h"
#include "game/play_state.h"
#include "gui/controls.h"
#include "gui/memo.h"
#include "platform/messages.h"
#include "shell/dxut.h"
#include "shell/game_input.h"
#include "shell/hint_display.h"
#include "shell/menus/scenario_settings_menu.h"
#include "shell/menus/sea_battle_menu.h"
#include "units/sea_battle.h"
#include "tests/shell/program_driver.h"
#include "tests/test_support.h"
#include "units/air_unit.h"
#include "units/land_unit.h"
#include "units/naval_unit.h"
#include "world/city.h"
#include "world/convoys.h"
#include "world/fleet.h"
#include "world/country.h"
#include "world/map.h"
#include "world/sea_graph.h"

namespace {

using namespace testing_support;
using D = cProgramDriver;

constexpr int kGuards = 1;                  // 1st Guards in Londinium (2,2)
constexpr int kDoverX = 3, kDoverY = 3;     // the port of sea node 4
constexpr int kQuayX = 2, kQuayY = 3;       // beside it
constexpr int kDoverShipsX = 4, kDoverShipsY = 2;
constexpr int kChannelX = 5, kChannelY = 3; // the Channel's own hex
constexpr int kNorthSeaX = 12, kNorthSeaY = 0;
constexpr int kNorthSea = 1;
constexpr int kArkRoyal = 1, kHomeFleet = 1, kHochseeflotte = 3;
constexpr int IDC_OK = 245;
constexpr int IDC_CLOSE_BATTLE = 658, IDC_AUTO_END = 661;

bool PlayersTurn() { return g_Gra && g_Gra->GetGameState() == 7 && !CurrentDialog(); }

// Play starts on Testland and Albion, the person's country, gets its turn: the messages
// before it are read and its new-turn window is closed.
cProgramDriver& StartTestlandUntilAlbionsTurn(cProgramDriver& driver)
{
    return driver.StartWith(LoadTestland)
        .Then("settings", [] { return dynamic_cast<cScenarioSettingsMenu*>(g_CurrentMenu) != nullptr; },
              [] { D::ClickControl(IDC_OK); })
        .Then("Albion's turn", D::ReadingMessages([] { return g_Gra && g_Gra->GetGameState() == 7 && CurrentDialog(); }),
              [] { D::PressKey(VK_ESCAPE); }, 20000);
}
// On the map or aboard a ship.
cJednostkaLadowa* Guards()
{
    for (auto* units : {&g_Gra->m_LandUnits, &g_Gra->m_LandUnits2})
        for (cJednostkaLadowa* unit : *units)
            if (unit->m_Id == kGuards)
                return unit;
    return nullptr;
}
cFlota* Fleet(int id)
{
    for (cFlota* fleet : g_Gra->m_Fleets)
        if (fleet->ID == id)
            return fleet;
    return nullptr;
}
void ClickInWindow(int id)
{
    cDialog* window = CurrentDialog();
    ASSERT_NE(window, nullptr);
    const sRect r = window->ToScreenRect(window->GetControl(id)->GetBoundingBox());
    D::Click((r.left + r.right) / 2, (r.top + r.bottom) / 2);
}
void ShowHex(int x, int y)
{
    g_Gra->m_Mapa->CenterAtHex(x, y);
    D::ArriveCamera();
}
// The condition, while a person reads the computer's messages and the convoys' results.
std::function<bool()> Reading(std::function<bool()> condition)
{
    return D::ReadingMessages([condition = std::move(condition)] {
        if (cDialog* window = CurrentDialog(); window && window->KindId() == kConvoyResultsDialogKind) {
            D::PressKey(VK_RETURN);
            return false;
        }
        return condition();
    });
}
// Picks a fleet, then one of its ships, in the fleets window on top.
void PickShip(cProgramDriver& driver, std::function<std::wstring()> fleetName, std::function<std::wstring()> shipName)
{
    driver.Then("fleet row", [=] { return CurrentFleetsDialog() && D::ShowListRow(kFleetsListId, fleetName()); })
        .Then("fleet", D::AfterFrames(2), [=] { D::ClickListRow(kFleetsListId, fleetName()); })
        .Then("ship row", [=] { return D::ShowListRow(kFleetsShipsId, shipName()); })
        .Then("ship", D::AfterFrames(2), [=] { D::ClickListRow(kFleetsShipsId, shipName()); });
}

TEST(OrdersInPlay, AUnitIsMovedShippedAndLandedByClicksAndAFleetsBattleIsFoughtOnItsScreen)
{
    cProgramDriver driver({}, {"scenarios", "save", "pbem"});
    MakeTestlandFolder();
    static int turn = 0;
    StartTestlandUntilAlbionsTurn(driver)
        // The Guards march from Londinium to the port of Dover.
        .Then("select", PlayersTurn,
              [] {
                  {
                      // A step to the quay leaves them one point to go aboard with.
                      GLOBAL_LOCK_SCOPE();
                      Guards()->SetActionPoints(2);
                  }
                  ShowHex(kDoverX, kDoverY);
                  D::ClickHex(2, 2);
              })
        .Then("move", [] { return g_Gra->m_PlayState->GetOrderMode() == ORDER_MOVE; },
              [] {
                  EXPECT_NE(g_Gra->m_Mapa->GetHex(kQuayX, kQuayY)->marks & MARK_MOVE_RANGE, 0u);
                  D::ClickHex(kQuayX, kQuayY);
              })
        .Then("by the port", [] { return PlayersTurn() && Guards()->m_X == kQuayX && Guards()->m_Y == kQuayY; },
              [] { D::ClickControl(kFoldUnitPanelId); })
        .Then("unit panel", [] { return D::FindControl(kUnitPanelSeaTransportId) != nullptr; },
              [] {
                  // What the computer did last is no part of the picture.
                  PostInfoPanelMessage(L"");
                  ShowHex(kDoverX, kDoverY);
              })
        .Then("settled", D::AfterFrames(20))
        .Screenshot("unit_panel_in_play")
        .Then("ship", [] { return true; },
              [] {
                  EXPECT_TRUE(D::FindControl(kUnitPanelSeaTransportId)->GetEnabled());
                  D::ClickControl(kUnitPanelSeaTransportId);
              })
        .Then("aboard", [] { return Guards()->m_Transporter != nullptr; },
              [] {
                  EXPECT_EQ(g_Gra->m_Mapa->GetHex(kQuayX, kQuayY)->unit, nullptr);
                  D::ClickHex(kDoverShipsX, kDoverShipsY);
              });
    // In the port's fleets window the new transport unloads onto the quay again.
    PickShip(
        driver, [] { return Guards()->m_Transporter->m_Fleet->name; }, [] { return Guards()->m_Transporter->m_Name; });
    driver.Then("unload", D::AfterFrames(2), [] { ClickInWindow(kFleetsUnloadId); })
        // While the window is hidden for the target, an arrow held is the map's; the window
        // takes it again when it comes back.
        .Then("target", [] { return g_Gra->m_PlayState->GetOrderMode() == ORDER_UNLOAD; },
              [] {
                  EXPECT_FALSE(CurrentDialog()->GetVisible());
                  DXUTStaticWndProc(WM_KEYDOWN, VK_LEFT, 1);
              })
        .Then("arrow held", D::AfterFrames(3),
              [] {
                  EXPECT_EQ(g_ArrowKeys, 1);
                  D::ClickHex(kDoverX, kDoverY);
              })
        .Then("landed", [] { return Guards()->m_X == kDoverX && Guards()->m_Y == kDoverY; },
              [] {
                  EXPECT_EQ(Guards()->m_Transporter, nullptr);
                  EXPECT_EQ(g_Gra->m_PlayState->GetOrderMode(), ORDER_SELECT);
                  EXPECT_TRUE(LogContains(L"Player action: Move / 1st Guards from (2, 2) to (2, 3)"));
              })
        // The window comes back after its pause, and goes.
        .Then("window back", [] { return CurrentDialog() && CurrentDialog()->GetVisible(); }, {})
        .Then("the window's keys", D::AfterFrames(2),
              [] {
                  EXPECT_EQ(g_ArrowKeys, 0);
                  ClickInWindow(kFleetsCloseId);
              })
        // The Home Fleet sails into the North Sea, where the High Seas Fleet waits.
        .Then("to the Channel", PlayersTurn,
              [] {
                  GLOBAL_LOCK_SCOPE();
                  // Every ship joins and sees the enemy; no carrier strikes before the board.
                  g_Gra->m_Consts.SeaBattleParticipation = 100;
                  std::fill(std::begin(g_Gra->m_Consts.SeaBattleDetection), std::end(g_Gra->m_Consts.SeaBattleDetection),
                            1000);
                  g_Gra->FindNavalUnitById(kArkRoyal)->Kill(false);
                  Fleet(kHochseeflotte)->movedThisTurn = 0;
                  Fleet(kHochseeflotte)->MoveTo(kNorthSea);
                  ShowHex(kChannelX, kChannelY);
                  D::ClickHex(kChannelX, kChannelY);
              })
        .Then("fleets", [] { return CurrentFleetsDialog() && D::ShowListRow(kFleetsListId, L"Home Fleet"); })
        .Then("home fleet", D::AfterFrames(2), [] { D::ClickListRow(kFleetsListId, L"Home Fleet"); })
        .Then("sail", D::AfterFrames(2), [] { ClickInWindow(kFleetsMoveId); })
        .Then("destination", [] { return g_Gra->m_PlayState->GetOrderMode() == ORDER_FLEET_MOVE; },
              [] {
                  EXPECT_NE(g_Gra->m_Mapa->GetHex(kNorthSeaX, kNorthSeaY)->marks & MARK_REACHABLE_SEA_NODE, 0u);
                  ShowHex(kNorthSeaX, kNorthSeaY);
                  D::ClickHex(kNorthSeaX, kNorthSeaY);
              })
        .Then("sailed", [] { return Fleet(kHomeFleet)->seaNode == kNorthSea; },
              [] { EXPECT_EQ(g_Gra->m_PlayState->GetOrderMode(), ORDER_SELECT); })
        .Then("end the turn", PlayersTurn,
              [] {
                  turn = g_Gra->m_Turn;
                  D::PressKey('Q');
              })
        .Then("confirm", [] { return dynamic_cast<cDialogPotwKoncaTury*>(CurrentDialog()) != nullptr; },
              [] { ClickInWindow(kConfirmYesId); })
        .Then("battle", Reading([] { return dynamic_cast<cSeaBattleMenu*>(g_CurrentMenu) != nullptr; }),
              {}, 20000)
        .Then("settled", D::AfterFrames(20))
        .Picture("sea_battle_in_play")
        .Then("fight it out", [] { return true; }, [] { D::ClickControl(IDC_AUTO_END); })
        // Any further battle of the impulse is fought out the same way.
        .Then("Albion's next turn", Reading([] {
                  if (dynamic_cast<cSeaBattleMenu*>(g_CurrentMenu)) {
                      if (D::FindControl(IDC_CLOSE_BATTLE)->GetEnabled())
                          D::ClickControl(IDC_CLOSE_BATTLE);
                      else if (D::FindControl(IDC_AUTO_END)->GetEnabled())
                          D::ClickControl(IDC_AUTO_END);
                      return false;
                  }
                  return g_Gra->GetGameState() == 7 && g_Gra->m_Turn > turn;
              }),
              {}, 20000);
    EXPECT_EQ(driver.Run(), 0);
    EXPECT_TRUE(LogContains(L"Check succeeded, starting battle"));
}

// On a 1920 x 1080 screen the sea battle's board opens as it looks on a 1024 x 768 one,
// and each of the side bar's buttons has its own hint.
TEST(OrdersInPlay, OnAScreenOf1920By1080TheSeaBattleBoardOpensAtItsOwnSizeAndFireNextShotHasItsOwnHint)
{
    constexpr int IDC_FIRE_NEXT_SHOT = 660;
    cProgramDriver driver({{"Main/ResolutionX", "1920"}, {"Main/ResolutionY", "1080"}}, {"scenarios", "save", "pbem"});
    MakeTestlandFolder();
    auto battle = [] { return dynamic_cast<cSeaBattleMenu*>(g_CurrentMenu); };
    StartTestlandUntilAlbionsTurn(driver)
        // The Home Fleet and the High Seas Fleet meet in the North Sea, where every ship
        // joins and sees the enemy, for two turns of fire; no carrier strikes before the board.
        .Then("to sea", PlayersTurn,
              [] {
                  {
                      MakeFleetsThatMeetFightOnTheBoard();
                      GLOBAL_LOCK_SCOPE();
                      Fleet(kHochseeflotte)->movedThisTurn = 0;
                      Fleet(kHochseeflotte)->MoveTo(kNorthSea);
                      Fleet(kHomeFleet)->MoveTo(kNorthSea);
                  }
                  D::PressKey('Q');
              })
        .Then("confirm", [] { return dynamic_cast<cDialogPotwKoncaTury*>(CurrentDialog()) != nullptr; },
              [] { ClickInWindow(kConfirmYesId); })
        .Then("battle", Reading([=] { return battle() != nullptr; }), {}, 20000)
        .Then("point at the shot", D::AfterFrames(5),
              [] {
                  const sRect r = D::InputDialog()->ToScreenRect(D::FindControl(IDC_FIRE_NEXT_SHOT)->GetBoundingBox());
                  D::MovePointer((r.left + r.right) / 2, (r.top + r.bottom) / 2);
              })
        .Then("its hint", [] { return g_HintDisplay.IsShown(); },
              [=] {
                  // The board opens at the zoom it has on every screen, grown with the screen
                  // as the side bar is; the wheel brings it closer.
                  EXPECT_FLOAT_EQ(battle()->Zoom(), 0.4f);
                  ASSERT_EQ(g_HintDisplay.Control(), D::FindControl(IDC_FIRE_NEXT_SHOT));
                  EXPECT_EQ(std::wstring(g_HintDisplay.Control()->GetHint()), LangText("seabattle_execute_shot_hint"));
              },
              200)
        .Screenshot("sea_battle_1920x1080")
        // Fought out, the battle gives the impulse back.
        .Then("fight it out", [] { return true; }, [] { D::ClickControl(IDC_AUTO_END); })
        .Then("close", [] { return D::FindControl(IDC_CLOSE_BATTLE)->GetEnabled(); },
              [] { D::ClickControl(IDC_CLOSE_BATTLE); }, 2000);
    EXPECT_EQ(driver.Run(), 0);
}

// A ship of one's own that the battle will not let fire (here a transport) is still chosen
// by its click: the board marks it, and Retreat, which speaks of the chosen ship, acts on it.
TEST(OrdersInPlay, AClickOnATransportInABattleChoosesItAndRetreatActsOnTheShipMarked)
{
    static constexpr int kWarspite = 2, kAnna = 3, kDoverTransports = 2, kRetreat = 657, kFireNextShot = 660;
    cProgramDriver driver({}, {"scenarios", "save", "pbem"});
    MakeTestlandFolder();
    auto battle = [] { return dynamic_cast<cSeaBattleMenu*>(g_CurrentMenu); };
    auto clickShip = [=](int id) {
        const cJednostkaMorska* ship = g_Gra->FindNavalUnitById(id);
        const sPointF p = battle()->CellScreenPoint(ship->m_X, ship->m_Y);
        D::Click(int(p.x), int(p.y));
    };
    auto chosen = [=](int id) {
        const cJednostkaMorska* ship = g_Gra->FindNavalUnitById(id);
        return (battle()->Marks(ship->m_X, ship->m_Y) & cSeaBattleMenu::kChosenMark) != 0;
    };
    StartTestlandUntilAlbionsTurn(driver)
        // The Home Fleet and the Dover transports meet the High Seas Fleet in the North Sea.
        .Then("to sea", PlayersTurn,
              [] {
                  {
                      MakeFleetsThatMeetFightOnTheBoard();
                      GLOBAL_LOCK_SCOPE();
                      for (int fleet : {kHochseeflotte, kHomeFleet, kDoverTransports})
                          Fleet(fleet)->seaNode = kNorthSea;
                  }
                  D::PressKey('Q');
              })
        .Then("confirm", [] { return dynamic_cast<cDialogPotwKoncaTury*>(CurrentDialog()) != nullptr; },
              [] { ClickInWindow(kConfirmYesId); })
        // The enemy's shots are fired until Albion's Warspite may fire.
        .Then("Albion aims", Reading([=] {
                  if (!battle())
                      return false;
                  const cSeaBattle* fight = CurrentSeaBattle();
                  if (fight && fight->m_FirstSideActs && g_Gra->FindNavalUnitById(kWarspite)->m_ActiveInBattle)
                      return true;
                  D::ClickControl(kFireNextShot);
                  return false;
              }),
              [=] { clickShip(kWarspite); }, 20000)
        .Then("Warspite chosen", D::AfterFrames(2),
              [=] {
                  EXPECT_TRUE(chosen(kWarspite));
                  clickShip(kAnna);
              })
        .Then("the transport chosen", D::AfterFrames(2),
              [=] {
                  EXPECT_TRUE(chosen(kAnna));
                  EXPECT_FALSE(chosen(kWarspite));
                  EXPECT_EQ(battle()->OrderMode(), 1);
                  ASSERT_TRUE(D::FindControl(kRetreat)->GetEnabled());
                  D::ClickControl(kRetreat);
              })
        .Then("it tried", D::AfterFrames(2),
              [=] {
                  const std::wstring& log = CurrentSeaBattle()->m_Log;
                  EXPECT_NE(log.find(L"Transport Anna (Albion) tried to retreat"), std::wstring::npos) << WideToUtf8(log);
                  EXPECT_EQ(log.find(L"HMS Warspite (Albion) tried to retreat"), std::wstring::npos);
                  EXPECT_EQ(battle()->OrderMode(), 0);
                  D::ClickControl(IDC_AUTO_END);
              })
        .Then("close", [] { return D::FindControl(IDC_CLOSE_BATTLE)->GetEnabled(); },
              [] { D::ClickControl(IDC_CLOSE_BATTLE); }, 2000);
    EXPECT_EQ(driver.Run(), 0);
}

// The first land hex that carries none of the order's target marks and holds no unit: where
// a train cannot go.
std::pair<int, int> UnmarkedLandHex()
{
    const cMapa& map = *g_Gra->m_Mapa;
    for (int y = 0; y < map.height; ++y)
        for (int x = 0; x < map.width; ++x) {
            const sHex* hex = map.GetHex(x, y);
            if (hex->IsLand() && !hex->unit && !(hex->marks & 0x1FFFCu) && hex->seaNodeDisplay == 0)
                return {x, y};
        }
    ADD_FAILURE() << "every hex is a target";
    return {0, 0};
}

// The first hex of the sea zone that is neither its marked hex nor a port's, and holds no ship.
std::pair<int, int> OpenWaterOf(int zone)
{
    const cMapa& map = *g_Gra->m_Mapa;
    for (int y = 0; y < map.height; ++y)
        for (int x = 0; x < map.width; ++x) {
            const sHex* hex = map.GetHex(x, y);
            if (hex->IsSea() && hex->seaZone == zone && !hex->unit && hex->seaNodeDisplay == 0)
                return {x, y};
        }
    ADD_FAILURE() << "no open water in zone " << zone;
    return {0, 0};
}

// The units window's Select chooses a ship's fleet as a click on its sea zone does, and an
// order to a place out of reach says why: a fleet's move, a unit's rail move. Any water of a
// sea zone in reach is a fleet's destination, not only the zone's marked hex.
TEST(OrdersInPlay, TheUnitsWindowSelectsAShipsFleetAndAFleetOrRailMoveOutOfReachSaysWhy)
{
    static constexpr int kWarspite = 2, kChannel = 2, kSouthernSea = 3;
    static constexpr int kStraitX = 6, kStraitY = 6, kBorussia = 2;
    cProgramDriver driver({}, {"scenarios", "save", "pbem"});
    MakeTestlandFolder();
    static std::pair<int, int> away;
    StartTestlandUntilAlbionsTurn(driver)
        .Then("units", PlayersTurn,
              [] {
                  // The view stands elsewhere: Select brings it to the fleet.
                  ShowHex(15, 12);
                  D::PressKey('U');
              })
        .Then("naval", [] { return CurrentDialog() && CurrentDialog()->KindId() == kUnitsDialogKind; },
              [] { D::ClickTab(kUnitsKindTabsId, 2); })
        .Then("Warspite", [] { return D::ShowListRow(kUnitsListId, L"HMS Warspite"); })
        .Then("chosen", D::AfterFrames(2), [] { D::ClickListRow(kUnitsListId, L"HMS Warspite"); })
        .Then("select", D::AfterFrames(2), [] { ClickInWindow(kUnitsSelectId); })
        .Then("its fleet", [] { return CurrentFleetsDialog() != nullptr; },
              [] {
                  cDialogFlot* fleets = CurrentFleetsDialog();
                  ASSERT_EQ(fleets->SelectedFleets().size(), 1u);
                  EXPECT_EQ(fleets->SelectedFleets().front()->ID, kHomeFleet);
                  EXPECT_EQ(fleets->GetSelectedShip(0), g_Gra->FindNavalUnitById(kWarspite));
                  EXPECT_EQ(fleets->SelectedShips().size(), 1u);
                  // The view went to the Channel, which is selected as a click selects it.
                  const sWezelGrafuMorz* channel = g_Gra->m_SeaGraph->GetNode(kChannel);
                  EXPECT_FLOAT_EQ(g_Gra->m_Mapa->camera.targetX, float(channel->MainX * 83));
                  EXPECT_NE(g_Gra->m_Mapa->GetHex(kChannelX, kChannelY)->marks & MARK_SEA_ZONE, 0u);
                  D::ArriveCamera();
              })
        .Then("settled", D::AfterFrames(20))
        .Screenshot("units_naval_select")
        .Then("sail", [] { return true; },
              [] {
                  {
                      // Borussia holds the strait: the Southern Sea is out of reach.
                      GLOBAL_LOCK_SCOPE();
                      g_Gra->m_Mapa->GetHex(kStraitX, kStraitY)->controller = kBorussia;
                  }
                  ClickInWindow(kFleetsMoveId);
              })
        .Then("beyond reach", [] { return g_Gra->m_PlayState->GetOrderMode() == ORDER_FLEET_MOVE; },
              [] {
                  away = OpenWaterOf(kSouthernSea);
                  ShowHex(away.first, away.second);
                  D::ClickHex(away.first, away.second);
              })
        .Then("told why",
              [] { return StatusLine() == LangFormat("fleet_move_refused_%s", std::wstring(L"Home Fleet")); },
              [] {
                  // The order stands, with the zones in reach marked, while its window is away.
                  EXPECT_EQ(Fleet(kHomeFleet)->seaNode, kChannel);
                  EXPECT_EQ(g_Gra->m_PlayState->GetOrderMode(), ORDER_FLEET_MOVE);
                  EXPECT_FALSE(CurrentDialog()->GetVisible());
                  EXPECT_NE(g_Gra->m_Mapa->GetHex(kNorthSeaX, kNorthSeaY)->marks & MARK_REACHABLE_SEA_NODE, 0u);
                  const sWezelGrafuMorz* south = g_Gra->m_SeaGraph->GetNode(kSouthernSea);
                  EXPECT_EQ(g_Gra->m_Mapa->GetHex(south->MainX, south->MainY)->marks & MARK_REACHABLE_SEA_NODE, 0u);
                  ShowHex(kChannelX, kChannelY);
              },
              100)
        .Then("settled", D::AfterFrames(5))
        .Screenshot("refused_fleet_move")
        // A right click gives the order up; the window comes back for another, and closed, the
        // Guards take the train.
        .Then("give up", [] { return true; },
              [] {
                  int x = 0, y = 0;
                  D::HexOnScreen(kChannelX, kChannelY, x, y);
                  DXUTStaticWndProc(WM_RBUTTONDOWN, MK_RBUTTON, MakeLParam(x, y));
                  DXUTStaticWndProc(WM_RBUTTONUP, 0, MakeLParam(x, y));
              })
        .Then("window back", [] { return CurrentDialog() && CurrentDialog()->GetVisible(); },
              [] {
                  EXPECT_EQ(g_Gra->m_PlayState->GetOrderMode(), ORDER_SELECT);
                  ClickInWindow(kFleetsMoveId);
              })
        // Open water of the North Sea, away from its marked hex, is the North Sea.
        .Then("sail again", [] { return g_Gra->m_PlayState->GetOrderMode() == ORDER_FLEET_MOVE; },
              [] {
                  away = OpenWaterOf(kNorthSea);
                  EXPECT_NE(away, std::make_pair(kNorthSeaX, kNorthSeaY));
                  ShowHex(away.first, away.second);
                  D::ClickHex(away.first, away.second);
              })
        .Then("sailed", [] { return Fleet(kHomeFleet)->seaNode == kNorthSea; },
              [] { EXPECT_EQ(g_Gra->m_PlayState->GetOrderMode(), ORDER_SELECT); })
        .Then("guards", PlayersTurn,
              [] {
                  ShowHex(2, 2);
                  D::ClickHex(2, 2);
                  D::ClickControl(kFoldUnitPanelId);
              })
        .Then("rail", [] { return D::FindControl(kUnitPanelStrategicMoveId) != nullptr; },
              [] {
                  ASSERT_TRUE(D::FindControl(kUnitPanelStrategicMoveId)->GetEnabled());
                  D::ClickControl(kUnitPanelStrategicMoveId);
              })
        .Then("no line there", [] { return g_Gra->m_PlayState->GetOrderMode() == ORDER_STRATEGIC_MOVE; },
              [] {
                  away = UnmarkedLandHex();
                  ShowHex(away.first, away.second);
                  D::ClickHex(away.first, away.second);
              })
        .Then("told why again", [] { return StatusLine() == LangFormat("rail_move_refused_%s", Guards()->m_Name); },
              [] {
                  EXPECT_EQ(std::make_pair(int(Guards()->m_X), int(Guards()->m_Y)), std::make_pair(2, 2));
                  ShowHex(2, 2);
              },
              100)
        .Then("settled", D::AfterFrames(5))
        .Screenshot("refused_rail_move");
    EXPECT_EQ(driver.Run(), 0);
}

TEST(OrdersInPlay, AConvoysPortsArePickedOnTheMapARightClickGivesThePickUpAndAFighterFliesRecon)
{
    cProgramDriver driver({}, {"scenarios", "save", "pbem"});
    MakeTestlandFolder();
    constexpr int kValdoShipsX = 6, kValdoShipsY = 5;
    constexpr int kFighterX = 1, kFighterY = 3;
    static int missions = 0;
    static std::pair<int, int> target{-1, -1};
    auto albionsConvoys = [] { return g_Gra->m_Convoys->OwnerConvoys(1)->size(); };
    auto windowShown = [] {
        cDialog* window = CurrentDialog();
        return window && window->KindId() == kConvoysDialogKind && window->GetVisible();
    };
    StartTestlandUntilAlbionsTurn(driver)
        .Then("convoys", PlayersTurn, [] { D::PressKey('C'); })
        .Then("new", windowShown,
              [=] {
                  EXPECT_EQ(albionsConvoys(), 2u);
                  ClickInWindow(kConvoysNewId);
              })
        .Then("departure", [] { return g_Gra->m_PlayState->GetOrderMode() == ORDER_CONVOY_START; },
              [] {
                  ShowHex(kDoverShipsX, kDoverShipsY);
                  D::ClickHex(kDoverShipsX, kDoverShipsY);
              })
        .Then("destination", [] { return g_Gra->m_PlayState->GetOrderMode() == ORDER_CONVOY_END; },
              [] {
                  EXPECT_NE(g_Gra->m_Mapa->GetHex(kValdoShipsX, kValdoShipsY)->marks & MARK_REACHABLE_SEA_NODE, 0u);
                  D::ClickHex(kValdoShipsX, kValdoShipsY);
              })
        .Then("made", windowShown,
              [=] {
                  EXPECT_EQ(albionsConvoys(), 3u);
                  EXPECT_EQ(g_ConvoyPick.departureNode, 0);
                  ClickInWindow(kConvoysNewId);
              })
        .Then("given up", [] { return g_Gra->m_PlayState->GetOrderMode() == ORDER_CONVOY_START; },
              [] {
                  int x = 0, y = 0;
                  D::HexOnScreen(2, 2, x, y);
                  DXUTStaticWndProc(WM_RBUTTONDOWN, MK_RBUTTON, MakeLParam(x, y));
                  DXUTStaticWndProc(WM_RBUTTONUP, 0, MakeLParam(x, y));
                  EXPECT_EQ(g_Gra->m_PlayState->GetOrderMode(), ORDER_SELECT);
              })
        .Then("window back", windowShown,
              [=] {
                  EXPECT_EQ(albionsConvoys(), 3u);
                  EXPECT_EQ(g_Gra->m_Mapa->GetHex(kDoverShipsX, kDoverShipsY)->marks & MARK_REACHABLE_SEA_NODE, 0u);
                  ClickInWindow(kConvoysExitId);
              })
        // Fighter Command, chosen on the map, flies recon from the unit panel.
        .Then("fighter", PlayersTurn,
              [] {
                  ShowHex(kFighterX, kFighterY);
                  D::ClickHex(kFighterX, kFighterY);
                  D::ClickControl(kFoldUnitPanelId);
              })
        .Then("recon", [] { return D::FindControl(kUnitPanelReconId) != nullptr; },
              [] { D::ClickControl(kUnitPanelReconId); })
        .Then("target", [] { return g_Gra->m_PlayState->GetOrderMode() == ORDER_RECONNAISSANCE; },
              [] {
                  missions = g_PlayCounts.airMissions.load();
                  const cMapa& map = *g_Gra->m_Mapa;
                  for (int y = 0; y < map.height && target.first < 0; ++y)
                      for (int x = 0; x < map.width && target.first < 0; ++x)
                          if (map.GetHex(x, y)->marks & MARK_RECON_TARGET)
                              target = {x, y};
                  ASSERT_GE(target.first, 0);
                  ShowHex(target.first, target.second);
                  D::ClickHex(target.first, target.second);
              })
        .Then("flown", [] { return g_Gra->m_PlayState->GetOrderMode() == ORDER_SELECT; },
              [] {
                  EXPECT_EQ(g_PlayCounts.airMissions.load(), missions + 1);
                  EXPECT_EQ(g_Gra->m_Mapa->GetHex(target.first, target.second)->marks & MARK_RECON_TARGET, 0u);
              });
    EXPECT_EQ(driver.Run(), 0);
}

// A port, recon target or drop hex the order does not offer is refused with its reason on the
// status line, the click on a port that shares its hex with another's picks the one marked
// there, a cargo a convoy cannot carry is not offered and says why, a flown reconnaissance
// tells what it found, and a drop onto a unit not seen finds it from the air.
TEST(OrdersInPlay, APortOrHexNotOfferedIsRefusedWithItsReasonAndAFlownReconTellsWhatItFound)
{
    cProgramDriver driver({}, {"scenarios", "save", "pbem"});
    MakeTestlandFolder();
    constexpr int kHamburgumX = 8, kHamburgumY = 2, kHamburgum = 5, kDover = 4;
    constexpr int kValdoShipsX = 6, kValdoShipsY = 5, kFighterX = 1, kFighterY = 3, kMechCorps = 8;
    constexpr int kInlandX = 1, kInlandY = 2, kPanzer = 4;
    static std::pair<int, int> own{-1, -1};
    auto mode = [] { return g_Gra->m_PlayState->GetOrderMode(); };
    auto marked = [](int x, int y) { return (g_Gra->m_Mapa->GetHex(x, y)->marks & MARK_REACHABLE_SEA_NODE) != 0; };
    auto told = [](std::function<std::wstring()> why) { return [=] { return StatusLine() == why(); }; };
    auto windowShown = [] {
        cDialog* window = CurrentDialog();
        return window && window->KindId() == kConvoysDialogKind && window->GetVisible();
    };
    auto mechCorps = [] { return g_Gra->FindLandUnitById(kMechCorps); };
    StartTestlandUntilAlbionsTurn(driver)
        .Then("convoys", PlayersTurn, [] { D::PressKey('C'); })
        .Then("new", windowShown, [] { ClickInWindow(kConvoysNewId); })
        .Then("inland", [=] { return mode() == ORDER_CONVOY_START; },
              [] {
                  ShowHex(kInlandX, kInlandY);
                  ASSERT_FALSE(g_Gra->m_Mapa->GetHex(kInlandX, kInlandY)->unit);
                  D::ClickHex(kInlandX, kInlandY);
              })
        .Then("given up", told([] { return LangText("convoy_pick_given_up_no_port"); }), {}, 100)
        .Then("new again", windowShown, [] { ClickInWindow(kConvoysNewId); })
        .Then("from Hamburgum", [=] { return mode() == ORDER_CONVOY_START; },
              [] {
                  ShowHex(kHamburgumX, kHamburgumY);
                  D::ClickHex(kHamburgumX, kHamburgumY);
              })
        .Then("not Albion's",
              told([] { return LangFormat("convoy_departure_refused_%s", std::wstring(L"Hamburgum")); }),
              [=] {
                  // The pick stands with Dover marked; there a hex Dover shares with another
                  // port's ships, showing that port, picks the port whose mark it carries.
                  EXPECT_EQ(mode(), ORDER_CONVOY_START);
                  EXPECT_TRUE(marked(kDoverShipsX, kDoverShipsY));
                  g_Gra->m_Mapa->GetHex(kDoverShipsX, kDoverShipsY)->seaNodeDisplay = kHamburgum;
                  ShowHex(kDoverShipsX, kDoverShipsY);
                  D::ClickHex(kDoverShipsX, kDoverShipsY);
              },
              100)
        .Then("to Hamburgum", [=] { return mode() == ORDER_CONVOY_END; },
              [=] {
                  g_Gra->m_Mapa->GetHex(kDoverShipsX, kDoverShipsY)->seaNodeDisplay = kDover;
                  EXPECT_EQ(g_ConvoyPick.departureNode, kDover);
                  ShowHex(kHamburgumX, kHamburgumY);
                  D::ClickHex(kHamburgumX, kHamburgumY);
              })
        .Then("the enemy's",
              told([] {
                  return LangFormat("convoy_destination_refused_%s_held_by_%s", std::wstring(L"Hamburgum"),
                                    g_Gra->m_Countries[1]->Name);
              }),
              [=] {
                  EXPECT_EQ(mode(), ORDER_CONVOY_END);
                  EXPECT_FALSE(marked(kHamburgumX, kHamburgumY - 1));
                  EXPECT_TRUE(marked(kValdoShipsX, kValdoShipsY));
                  ShowHex(kValdoShipsX, kValdoShipsY);
                  D::ClickHex(kValdoShipsX, kValdoShipsY);
              },
              100)
        .Then("made", windowShown,
              [] {
                  const sKonwoj& made = g_Gra->m_Convoys->OwnerConvoys(1)->back();
                  EXPECT_EQ(made.departure->Name + L" to " + made.destination->Name, L"Dover to Valdo");
                  // Valdo held by Albion too: production points would never sail there.
                  GLOBAL_LOCK_SCOPE();
                  g_Gra->m_Mapa->GetHex(made.destination->X, made.destination->Y)->controller = 1;
              })
        .Then("its row", [] { return D::ShowListRow(kConvoysListId, L"Dover"); })
        .Then("chosen", D::AfterFrames(2), [] { D::ClickListRow(kConvoysListId, L"Dover"); })
        .Then("pointed", D::AfterFrames(2),
              [] {
                  const sRect r = CurrentDialog()->ToScreenRect(
                      CurrentDialog()->GetControl(kConvoysProductionId)->GetBoundingBox());
                  D::MovePointer((r.left + r.right) / 2, (r.top + r.bottom) / 2);
              })
        .Then("no points within one country",
              [] { return g_HintDisplay.IsShown() && g_HintDisplay.Control() == D::FindControl(kConvoysProductionId); },
              [] {
                  CDXUTControl* points = g_HintDisplay.Control();
                  EXPECT_FALSE(points->GetEnabled());
                  EXPECT_EQ(std::wstring(points->GetHint()),
                            LangFormat("convoys_type_pp_hint_within_one_country_%s_%s_%s", std::wstring(L"Dover"),
                                       std::wstring(L"Valdo"), g_Gra->m_Countries[0]->Name));
                  ClickInWindow(kConvoysExitId);
              })
        // Fighter Command reconnoitres: not Albion's own land, and then the 4. Mech Corps,
        // unseen so far.
        .Then("fighter", PlayersTurn,
              [] {
                  g_Gra->m_Consts.AirRanges[0] = 20;
                  ShowHex(kFighterX, kFighterY);
                  D::ClickHex(kFighterX, kFighterY);
                  D::ClickControl(kFoldUnitPanelId);
              })
        .Then("recon", [] { return D::FindControl(kUnitPanelReconId) != nullptr; },
              [] { D::ClickControl(kUnitPanelReconId); })
        .Then("at home", [=] { return mode() == ORDER_RECONNAISSANCE; },
              [] {
                  const cMapa& map = *g_Gra->m_Mapa;
                  for (int y = 0; y < map.height && own.first < 0; ++y)
                      for (int x = 0; x < map.width && own.first < 0; ++x)
                          if (const sHex* hex = map.GetHex(x, y); hex->IsLand() && hex->controller == 1 && !hex->unit)
                              own = {x, y};
                  ASSERT_GE(own.first, 0);
                  EXPECT_EQ(map.GetHex(own.first, own.second)->marks & MARK_RECON_TARGET, 0u);
                  ShowHex(own.first, own.second);
                  D::ClickHex(own.first, own.second);
              })
        .Then("not there",
              told([] { return LangFormat("recon_refused_%s", g_Gra->FindAirUnitById(1)->m_Name); }),
              [] {
                  ShowHex(kFighterX, kFighterY);
                  D::ClickHex(kFighterX, kFighterY);
                  D::ClickControl(kUnitPanelReconId);
              },
              100)
        .Then("over the enemy", [=] { return mode() == ORDER_RECONNAISSANCE; },
              [=] {
                  cJednostkaLadowa* corps = mechCorps();
                  corps->m_Spotted = false;
                  EXPECT_NE(g_Gra->m_Mapa->GetHex(corps->m_X, corps->m_Y)->marks & MARK_RECON_TARGET, 0u);
                  ShowHex(corps->m_X, corps->m_Y);
                  D::ClickHex(corps->m_X, corps->m_Y);
              })
        .Then("found", [] { return CurrentDialog() && CurrentDialog()->KindId() == kCombatResultDialogKind; },
              [=] {
                  const auto* title = dynamic_cast<CDXUTStatic*>(CurrentDialog()->GetControl(902));
                  ASSERT_NE(title, nullptr);
                  EXPECT_EQ(std::wstring(title->GetText()), LangText("combatresult_recon_title"));
                  const auto* text = dynamic_cast<CDXUTMemo*>(CurrentDialog()->GetControl(907));
                  ASSERT_NE(text, nullptr);
                  const std::wstring found = LangFormat("recon_result_unit_%s_%s", mechCorps()->m_Name,
                                                        g_Gra->m_Countries[1]->Name);
                  EXPECT_NE(text->GetText().find(found), std::wstring::npos) << text->GetText();
                  EXPECT_TRUE(mechCorps()->m_Spotted);
                  D::PressKey(VK_RETURN);
              })
        // The Guards, made paratroopers, drop: beside the marked hexes, then onto the 1. Panzer
        // unseen there, which the aircraft find.
        .Then("paratroopers", PlayersTurn,
              [] {
                  {
                      GLOBAL_LOCK_SCOPE();
                      Guards()->SetType(UNIT_AIRBORNE);
                      Guards()->m_TurnsSinceParadrop = 99;
                      g_Gra->m_Consts.AirRanges[4] = 20;
                  }
                  ShowHex(2, 2);
                  D::ClickHex(2, 2);
              })
        .Then("airborne", [] { return D::FindControl(kUnitPanelAirborneId) && D::FindControl(kUnitPanelAirborneId)->GetEnabled(); },
              [] { D::ClickControl(kUnitPanelAirborneId); })
        .Then("beside the marks", [=] { return mode() == ORDER_AIRBORNE_ASSAULT; },
              [] {
                  own = UnmarkedLandHex();
                  ShowHex(own.first, own.second);
                  D::ClickHex(own.first, own.second);
              })
        .Then("cannot drop there", told([] { return LangFormat("airborne_drop_refused_%s", Guards()->m_Name); }),
              [] {
                  EXPECT_EQ(std::make_pair(int(Guards()->m_X), int(Guards()->m_Y)), std::make_pair(2, 2));
                  g_Gra->FindLandUnitById(kPanzer)->m_Spotted = false;
                  ShowHex(2, 2);
                  D::ClickHex(2, 2);
                  D::ClickControl(kUnitPanelAirborneId);
              },
              100)
        .Then("onto the unseen", [=] { return mode() == ORDER_AIRBORNE_ASSAULT; },
              [] {
                  const cJednostkaLadowa* panzer = g_Gra->FindLandUnitById(kPanzer);
                  EXPECT_NE(g_Gra->m_Mapa->GetHex(panzer->m_X, panzer->m_Y)->marks & MARK_MOVE_RANGE, 0u);
                  ShowHex(panzer->m_X, panzer->m_Y);
                  D::ClickHex(panzer->m_X, panzer->m_Y);
              })
        .Then("called off", [] { return !MessageTitle().empty(); },
              [] {
                  const cJednostkaLadowa* panzer = g_Gra->FindLandUnitById(kPanzer);
                  EXPECT_EQ(MessageTitle(kMessageDialogRow + 3),
                            LangFormat("airborne_assault_called_off_%s_%s", panzer->m_Name, g_Gra->m_Countries[1]->Name));
                  EXPECT_TRUE(panzer->m_Spotted);
                  EXPECT_EQ(std::make_pair(int(Guards()->m_X), int(Guards()->m_Y)), std::make_pair(2, 2));
                  EXPECT_EQ(Guards()->m_ActionPoints, Guards()->m_StartingActionPoints - 1);
                  D::PressKey(VK_RETURN);
              })
        // Fighter Command, made a bomber, sinks the landing ship in Hamburgum with the 4. Mech
        // Corps aboard: the strike's window names the corps that went down with it.
        .Then("a loaded landing ship", PlayersTurn,
              [=] {
                  {
                      GLOBAL_LOCK_SCOPE();
                      cFlota* landing = mechCorps()->LoadIntoTransport(UNIT_AMPHIBIOUS, kHamburgum);
                      ASSERT_NE(landing, nullptr);
                      landing->ships.back()->m_HP = 1;
                      landing->ships.back()->m_Spotted = true;
                      sGameConsts& k = g_Gra->m_Consts;
                      k.PortBombHit[0] = k.PortBombHit[1] = 1000;
                      std::fill(std::begin(k.AirRanges), std::end(k.AirRanges), 20);
                      cJednostkaLotnicza* bomber = g_Gra->FindAirUnitById(1);
                      bomber->m_Type = UNIT_TACTICAL_BOMBER;
                      bomber->m_ActionPoints = bomber->m_StartingActionPoints;
                  }
                  ShowHex(kFighterX, kFighterY);
                  D::ClickHex(kFighterX, kFighterY);
              })
        .Then("bombardment",
              [] { return D::FindControl(kUnitPanelBombardmentId) && D::FindControl(kUnitPanelBombardmentId)->GetEnabled(); },
              [] { D::ClickControl(kUnitPanelBombardmentId); })
        .Then("the port", [=] { return mode() == ORDER_AIR_BOMBARDMENT; },
              [] {
                  const cMapa& map = *g_Gra->m_Mapa;
                  for (int y = 0; y < map.height; ++y)
                      for (int x = 0; x < map.width; ++x)
                          if (const sHex* hex = map.GetHex(x, y);
                              hex->seaNodeDisplay == kHamburgum && (hex->marks & MARK_AIR_BOMBARD_TARGET)) {
                              ShowHex(x, y);
                              D::ClickHex(x, y);
                              return;
                          }
                  ADD_FAILURE() << "Hamburgum's ships are no target";
              })
        .Then("sunk with the corps", [] { return CurrentDialog() && CurrentDialog()->GetControl(914) != nullptr; },
              [] {
                  const auto* text = dynamic_cast<CDXUTMemo*>(CurrentDialog()->GetControl(914));
                  ASSERT_NE(text, nullptr);
                  EXPECT_NE(text->GetText().find(L"destroyed!\n" + LangFormat("report_lost_aboard_%s", std::wstring(L"4. Mech Corps"))),
                            std::wstring::npos)
                      << WideToUtf8(text->GetText());
              });
    EXPECT_EQ(driver.Run(), 0);
}

} // namespace
