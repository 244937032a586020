// The game screen's input on Testland: picking hexes, selecting and moving a unit with the
// mouse, the keys that move the view and walk the units, and Escape's pause.
#include <gtest/gtest.h>

#include "dialogs/dialog_stack.h"
#include "dialogs/end_turn_dialog.h"
#include "dialogs/info_panel.h"
#include "dialogs/preferences_dialog.h"
#include "gui/controls.h"
#include "gui/layout.h"
#include "core/lock.h"
#include "core/settings.h"
#include "core/stringbase.h"
#include "game/game.h"
#include "game/play_counts.h"
#include "game/play_state.h"
#include "platform/messages.h"
#include "shell/dxut.h"
#include "shell/game_frame.h"
#include "shell/game_input.h"
#include "shell/menus/pause_menu.h"
#include "tests/game/testland_game.h"
#include "tests/shell/program_driver.h"
#include "tests/test_support.h"
#include "units/air_unit.h"
#include "units/land_unit.h"
#include "world/country.h"
#include "world/hex_geometry.h"
#include "world/map.h"

namespace {

using namespace testing_support;
using D = cProgramDriver;

TEST(GameInput, PickingFloorsPixelsLeftOfTheMapAndKeepsTheSlantedEdges)
{
    int c = 0, r = 0;
    // Camera at the map's origin, scale 1: map pixel x is the screen's x - 512 - 30.
    PickHex(832, 665, 1024, 768, 0, 0, 1.0f, c, r); // the middle of (3, 2), an odd column
    EXPECT_EQ(std::make_pair(c, r), std::make_pair(3, 2));
    PickHex(832 + 83, 665 + 49, 1024, 768, 0, 0, 1.0f, c, r); // (4, 2), even columns sit lower
    EXPECT_EQ(std::make_pair(c, r), std::make_pair(4, 2));
    PickHex(512 + 30 - 1, 665, 1024, 768, 0, 0, 1.0f, c, r); // one pixel left of the map
    EXPECT_LT(c, 0);
    PickHex(512 + 30 + 3 * 83 + 2, 384 + 36 + 2 * 98 + 5, 1024, 768, 0, 0, 1.0f, c, r); // top-left slant of (3, 2)
    EXPECT_EQ(std::make_pair(c, r), std::make_pair(2, 1));
    PickHex(832, 665, 1024, 768, 0, 0, 0.0f, c, r); // a scale of 0 picks as 1 does
    EXPECT_EQ(std::make_pair(c, r), std::make_pair(3, 2));
}

// Albion's first land unit that can move, and a hex of its range away from it.
struct sMoveOrder
{
    int unitId = 0;
    int fromX = -1, fromY = -1, toX = -1, toY = -1;
};

// Taps, as a touchpad or xdotool gives them (press and release before the next frame):
// the first closes the new-turn window, the next selects a unit.
TEST(GameInput, AClickSelectsTheUnitAndAClickOnItsRangeMovesIt)
{
    cProgramDriver driver({}, {"scenarios", "save", "pbem"});
    MakeTestlandFolder();
    static sMoveOrder order;
    driver.StartWith(LoadTestland)
        .Then("start", [] { return dynamic_cast<iMenuScreen*>(g_CurrentMenu) != nullptr && g_Gra; },
              [] { D::ClickControl(245); })
        .Then("Albion's turn", [] { return g_Gra->GetGameState() == 7 && CurrentDialog(); }, {}, 20000)
        .Then("announced", D::AfterFrames(2),
              [] {
                  // The game waits for the window, and says so.
                  EXPECT_EQ(StatusLine(), LangText("statusbar_hint_new_turn"));
                  cDialog* window = CurrentDialog();
                  D::Tap(window->GetX() + window->GetWidth() / 2, window->GetY() + window->GetHeight() / 2);
              })
        .Then("select", [] { return !CurrentDialog(); },
              [] {
                  // A unit that can walk more than one hex, given the points: its walk takes more
                  // than a frame.
                  auto walksFar = [](cJednostkaLadowa& u) {
                      GLOBAL_LOCK_SCOPE();
                      u.SetActionPoints(std::max(u.m_ActionPoints, 6));
                      if (u.ComputeMoveRange(true) < 1)
                          return false;
                      for (const sPathStep& step : u.m_Path)
                          if (!g_Gra->m_Mapa->GetHex(step.x, step.y)->unit && HexDistance(u.m_X, u.m_Y, step.x, step.y) >= 2)
                              return true;
                      return false;
                  };
                  for (cJednostkaLadowa* u : g_Gra->m_LandUnits)
                      if (u->m_Owner == 1 && u->m_ActionPoints >= 1 && u->IsOnMap() && walksFar(*u)) {
                          order = {u->m_Id, u->m_X, u->m_Y};
                          break;
                      }
                  ASSERT_NE(order.unitId, 0);
                  g_Gra->m_Mapa->CenterAtHex(order.fromX, order.fromY);
                  D::ArriveCamera();
                  D::TapHex(order.fromX, order.fromY);
              })
        .Then("its range", D::AfterFrames(2),
              [] {
                  EXPECT_EQ(g_Gra->m_PlayState->GetOrderMode(), ORDER_MOVE);
                  EXPECT_EQ(StatusLine(), LangText("statusbar_hint_move_destination_hex"));
                  cJednostkaLadowa* unit = g_Gra->FindLandUnitById(order.unitId);
                  // The farthest free hex of its range: the walk takes more than a frame.
                  for (const sPathStep& step : unit->m_Path)
                      if (!g_Gra->m_Mapa->GetHex(step.x, step.y)->unit &&
                          (order.toX < 0 || HexDistance(order.fromX, order.fromY, step.x, step.y) >
                                                HexDistance(order.fromX, order.fromY, order.toX, order.toY))) {
                          order.toX = step.x;
                          order.toY = step.y;
                      }
                  ASSERT_GE(HexDistance(order.fromX, order.fromY, order.toX, order.toY), 2);
                  EXPECT_NE(g_Gra->m_Mapa->GetHex(order.toX, order.toY)->marks & 0x1FFFCu, 0u);
                  D::ClickHex(order.toX, order.toY);
                  // The move is shown: the game belongs to the animation until it ends.
                  EXPECT_EQ(g_Gra->GetGameState(), 8);
                  // A window's key acts as its button does, while the unit walks too.
                  D::PressKey('R');
                  EXPECT_NE(FindOpenDialogByKind(810), nullptr);
                  D::PressKey(VK_ESCAPE);
                  // The preferences asked for on the way open once the unit has arrived: their
                  // OK, which gives the map back, would leave it between two hexes.
                  D::PressKey(VK_F1);
              })
        .Then("preferences", [] { return dynamic_cast<cDialogUstawien*>(CurrentDialog()) != nullptr; },
              [] {
                  EXPECT_EQ(g_Gra->GetGameState(), 7);
                  const CDXUTStatic* title = D::Control<CDXUTStatic>(kPreferencesTitleId);
                  EXPECT_EQ(title ? title->GetText() : std::wstring(), LangText("pref_title"));
                  D::ClickControl(kPreferencesOkId);
              },
              2000)
        .Then("moved", [] { return g_Gra->GetGameState() == 7 && !CurrentDialog(); },
              [] {
                  const cJednostkaLadowa* unit = g_Gra->FindLandUnitById(order.unitId);
                  EXPECT_EQ(std::make_pair(int(unit->m_X), int(unit->m_Y)), std::make_pair(order.toX, order.toY));
                  EXPECT_EQ(g_Gra->m_Mapa->GetHex(order.toX, order.toY)->unit, unit);
                  const sHex* selected = g_Gra->m_PlayState->GetSelectedHex();
                  ASSERT_NE(selected, nullptr);
                  EXPECT_EQ(std::make_pair(int(selected->x), int(selected->y)), std::make_pair(order.toX, order.toY));
              },
              2000);
    EXPECT_EQ(driver.Run(), 0);
    EXPECT_TRUE(LogStartsWith(L"Player action: Move / "));
}

// A click on an enemy next to the selected unit makes the plan; Escape gives it up; a click on
// the enemy again fights it.
TEST(GameInput, AnAssaultPlannedByClicksIsGivenUpByEscapeAndFoughtByAClickOnTheDefender)
{
    cProgramDriver driver({}, {"scenarios", "save", "pbem"});
    MakeTestlandFolder();
    static int defenderX = -1, defenderY = -1, combatsBefore = 0;
    static std::wstring planeName;
    defenderX = defenderY = -1, planeName.clear(); // a repeat in the same process looks again
    driver.StartWith(LoadTestland)
        .Then("start", [] { return dynamic_cast<iMenuScreen*>(g_CurrentMenu) != nullptr && g_Gra; },
              [] { D::ClickControl(245); })
        .Then("Albion's turn", D::ReadingMessages([] { return g_Gra->GetGameState() == 7 && CurrentDialog(); }),
              [] { D::PressKey(VK_ESCAPE); }, 20000)
        .Then("select", [] { return !CurrentDialog(); },
              [] {
                  // Albion's Guards stand next to a Borussian unit.
                  cJednostkaLadowa* guards = g_Gra->FindLandUnitById(1);
                  for (const cJednostkaLadowa* enemy : g_Gra->m_LandUnits)
                      for (int d = 0; d < 6 && enemy->m_Owner == 2 && enemy->IsOnMap() && defenderX < 0; ++d) {
                          int x = 0, y = 0;
                          GetNeighbourCoordsOut(enemy->m_X, enemy->m_Y, d, x, y);
                          const sHex* hex = g_Gra->m_Mapa->IsInside(x, y) ? g_Gra->m_Mapa->GetHex(x, y) : nullptr;
                          if (hex && !hex->IsSea() && !hex->unit) {
                              guards->SetPosition(x, y);
                              if (guards->m_X == x && guards->m_Y == y) {
                                  defenderX = enemy->m_X;
                                  defenderY = enemy->m_Y;
                              }
                          }
                      }
                  ASSERT_GE(defenderX, 0);
                  guards->m_ActionPoints = guards->m_StartingActionPoints;
                  combatsBefore = g_PlayCounts.landCombats.load();
                  g_Gra->m_Mapa->CenterAtHex(defenderX, defenderY);
                  D::ArriveCamera();
                  D::ClickHex(guards->m_X, guards->m_Y);
              })
        .Then("plan", [] { return true; }, [] { D::ClickHex(defenderX, defenderY); })
        // As a right click does, and without the pause menu.
        .Then("give it up", [] { return g_Gra->m_PlayState->GetOrderMode() == ORDER_ASSAULT_PLAN; },
              [] {
                  D::PressKey(VK_ESCAPE);
                  EXPECT_EQ(g_Gra->m_PlayState->GetAssaultPlan(), nullptr);
                  EXPECT_EQ(g_Gra->m_PlayState->GetOrderMode(), ORDER_SELECT);
                  EXPECT_EQ(g_CurrentMenu, nullptr);
                  // The defender is still selected: a click on the Guards plans again.
                  const cJednostkaLadowa* guards = g_Gra->FindLandUnitById(1);
                  D::ClickHex(guards->m_X, guards->m_Y);
              })
        .Then("another unit", [] { return g_Gra->m_PlayState->GetOrderMode() == ORDER_ASSAULT_PLAN; },
              [] {
                  ASSERT_NE(g_Gra->m_PlayState->GetAssaultPlan(), nullptr);
                  EXPECT_TRUE(g_Gra->m_PlayState->GetAssaultPlan()->HasAttacker(1));
                  // Albion's aircraft cannot join a land assault.
                  for (const cJednostkaLotnicza* u : g_Gra->m_AirUnits)
                      if (u->m_Owner == 1 && u->IsOnMap() && planeName.empty()) {
                          planeName = u->m_Name;
                          g_Gra->m_Mapa->CenterAtHex(u->m_X, u->m_Y);
                          D::ArriveCamera();
                          D::ClickHex(u->m_X, u->m_Y);
                      }
                  ASSERT_FALSE(planeName.empty());
              })
        .Then("told why", [] { return StatusLine() == LangFormat("assault_plan_not_a_land_unit_%s", planeName); },
              [] {
                  // The plan stands.
                  EXPECT_EQ(g_Gra->m_PlayState->GetOrderMode(), ORDER_ASSAULT_PLAN);
                  ASSERT_NE(g_Gra->m_PlayState->GetAssaultPlan(), nullptr);
                  g_Gra->m_Mapa->CenterAtHex(defenderX, defenderY);
                  D::ArriveCamera();
              },
              100)
        .Then("fight", D::AfterFrames(2), [] { D::ClickHex(defenderX, defenderY); })
        .Then("fought", [] { return g_PlayCounts.landCombats.load() > combatsBefore; },
              [] {
                  EXPECT_EQ(g_Gra->m_PlayState->GetAssaultPlan(), nullptr);
                  EXPECT_EQ(g_Gra->m_PlayState->GetOrderMode(), ORDER_SELECT);
                  g_Gra->m_PlayState->SelectHex(defenderX, defenderY);
              },
              200)
        // Escape lets the chosen hex go with its marks before any pause menu.
        .Then("let go", [] { return !CurrentDialog(); },
              [] {
                  D::PressKey(VK_ESCAPE);
                  EXPECT_EQ(g_Gra->m_PlayState->GetSelectedHex(), nullptr);
                  EXPECT_TRUE(g_Gra->m_Mapa->GetMarkedHexes().empty());
                  EXPECT_EQ(g_CurrentMenu, nullptr);
              });
    EXPECT_EQ(driver.Run(), 0);
    EXPECT_TRUE(LogContains(L"Player action: Executing assault "));
}

// Clicks on the map of Testland handed straight to the game's mouse handler in Albion's phase.
class MapClicks : public testland::TestlandGame
{
protected:
    MapClicks()
    {
        Activate(testland::kAlbion);
        game->SetGameState(kStateHuman);
    }
    void Click(int column, int row)
    {
        int x = 0, y = 0;
        cProgramDriver::HexOnScreen(column, row, x, y);
        game->OnPlayerAction(true, false, false, false, false, 0, x, y);
        game->OnPlayerAction(false, false, false, false, false, 0, x, y);
    }
};

// An enemy chosen first, then one's own land unit beside it: the plan's defender may be an
// aircraft on its field as well as a land unit.
TEST_F(MapClicks, AnEnemyAircraftSelectedFirstIsPlannedAgainstByTheOwnUnitClickedBesideIt)
{
    const cJednostkaLotnicza& bombers = *game->FindAirUnitById(2);
    ASSERT_EQ(Hex(bombers.m_X, bombers.m_Y).unit, &bombers);
    SetWar(testland::kAlbion, bombers.m_Owner, true);
    cJednostkaLadowa& guards = Land(1);
    for (int d = 0; d < 6 && HexDistance(guards.m_X, guards.m_Y, bombers.m_X, bombers.m_Y) != 1; ++d) {
        int x = 0, y = 0;
        GetNeighbourCoordsOut(bombers.m_X, bombers.m_Y, d, x, y);
        if (game->m_Mapa->IsInside(x, y) && Hex(x, y).IsLand() && !Hex(x, y).unit)
            Place(guards, x, y);
    }
    ASSERT_EQ(HexDistance(guards.m_X, guards.m_Y, bombers.m_X, bombers.m_Y), 1);
    guards.m_ActionPoints = guards.m_StartingActionPoints = 3;
    guards.m_Attacked = false;

    Click(bombers.m_X, bombers.m_Y);
    Click(guards.m_X, guards.m_Y);
    const sAssaultPlan* plan = Play().GetAssaultPlan();
    ASSERT_NE(plan, nullptr);
    EXPECT_EQ(std::make_pair(plan->defenderCategory, plan->defenderId), std::make_pair(int(CATEGORY_AIR), 2));
    EXPECT_TRUE(plan->HasAttacker(1));
    EXPECT_EQ(Play().GetOrderMode(), ORDER_ASSAULT_PLAN);
}

// The end of a turn checks the map: a unit on a sea hex, or on a hex its position does not
// name, is a line of the "DBG WARNING" box; a sound map has none.
TEST_F(MapClicks, TheMapCheckAtTheEndOfATurnNamesEveryHexWhereAUnitIsNotWhereItSaysItIs)
{
    EXPECT_EQ(CheckMapConsistency(), std::nullopt);
    cJednostkaLadowa& guards = Land(1);
    sHex& sea = Hex(5, 3);  // the Channel
    ASSERT_TRUE(sea.IsSea());
    ASSERT_EQ(sea.unit, nullptr);
    sea.unit = &guards;
    const std::optional<std::wstring> told = CheckMapConsistency();
    sea.unit = nullptr;
    ASSERT_TRUE(told.has_value());
    EXPECT_EQ(*told, FormatText(L"DBGINF: sea hex (5, 3) is occupied by unit\nDBGINF: hex (5, 3) is occupied by unit "
                                L"1st Guards owned by Albion which location field is different: (%d, %d)",
                                int(guards.m_X), int(guards.m_Y)));
    // A map wrong in many hexes shows its first eight lines and how many more the log holds.
    std::vector<sHex*> seas;
    for (int y = 0; y < game->m_Mapa->height && seas.size() < 5; ++y)
        for (int x = 0; x < game->m_Mapa->width && seas.size() < 5; ++x)
            if (Hex(x, y).IsSea() && !Hex(x, y).unit)
                seas.push_back(&Hex(x, y));
    ASSERT_EQ(seas.size(), 5u);
    for (sHex* hex : seas)
        hex->unit = &guards;
    const std::optional<std::wstring> many = CheckMapConsistency();
    for (sHex* hex : seas)
        hex->unit = nullptr;
    ASSERT_TRUE(many.has_value());
    EXPECT_EQ(std::count(many->begin(), many->end(), L'\n'), 8);
    EXPECT_TRUE(many->ends_with(L"\n(more lines in the log: 2)"));
}

// A strike ordered on the unit panel and clicked beside its targets is given up, its marks with
// it, and the status line says why.
TEST_F(MapClicks, AnAirStrikeClickedBesideItsTargetsIsGivenUpWithItsReason)
{
    cJednostkaLotnicza& fighter = *game->FindAirUnitById(1);
    ASSERT_EQ(fighter.m_Owner, testland::kAlbion);
    const int beside = fighter.m_X + 1; // Albion's own land, no target of any strike
    ASSERT_EQ(Hex(beside, fighter.m_Y).controller, testland::kAlbion);
    for (auto [mode, key] : {std::pair{ORDER_AIR_ATTACK, "air_fight_refused_%s"},
                             {ORDER_AIR_BOMBARDMENT, "bombardment_refused_%s"},
                             {ORDER_NUCLEAR_STRIKE, "nuclear_strike_refused_%s"}}) {
        Click(fighter.m_X, fighter.m_Y);
        // As the unit panel gives the order: the range goes, a target is marked.
        game->m_Mapa->ClearMarks(~uint32_t(MARK_SELECTED), false);
        Play().SetOrderMode(mode);
        Hex(fighter.m_X, fighter.m_Y + 1).SetMark(MARK_AIR_BOMBARD_TARGET, -1);
        const size_t before = screen.requests.size();
        Click(beside, fighter.m_Y);
        EXPECT_EQ(Play().GetOrderMode(), ORDER_SELECT) << key;
        EXPECT_EQ(Hex(fighter.m_X, fighter.m_Y + 1).marks & MARK_AIR_BOMBARD_TARGET, 0u) << key;
        ASSERT_GT(screen.requests.size(), before) << key;
        EXPECT_EQ(screen.requests.back().kind, eRequestKind::InfoMessage) << key;
        EXPECT_EQ(screen.requests.back().text, LangFormat(key, fighter.m_Name));
    }
}

// A bomber clicked onto an enemy in sight is told which order of the unit panel strikes it, and
// stays selected.
TEST_F(MapClicks, ABomberClickedOntoAnEnemyIsToldWhichOrderStrikesIt)
{
    cJednostkaLotnicza& plane = *game->FindAirUnitById(1);
    plane.SetType(UNIT_TACTICAL_BOMBER);
    cJednostkaLadowa& enemy = Land(8);
    ASSERT_TRUE(Country(testland::kAlbion).IsAtWarWith(enemy.m_Owner));
    enemy.m_Spotted = true;
    Click(plane.m_X, plane.m_Y);
    Click(enemy.m_X, enemy.m_Y);
    EXPECT_EQ(Play().GetSelectedUnit(), &plane);
    ASSERT_FALSE(screen.requests.empty());
    EXPECT_EQ(screen.requests.back().text, LangFormat("air_attack_refused_bomber_%s", plane.m_Name));
}

// Orders the game refuses say why on the status line, and the unit stays selected: an attack
// by a unit without action points, a move to a hex it cannot reach.
TEST(GameInput, ARefusedAttackOrMoveSaysWhyAndKeepsTheUnitSelected)
{
    cProgramDriver driver({}, {"scenarios", "save", "pbem"});
    MakeTestlandFolder();
    static int defenderX = -1, defenderY = -1;
    static sMoveOrder order;
    defenderX = defenderY = -1; // a repeat in the same process looks again
    driver.StartWith(LoadTestland)
        .Then("start", [] { return dynamic_cast<iMenuScreen*>(g_CurrentMenu) != nullptr && g_Gra; },
              [] { D::ClickControl(245); })
        .Then("Albion's turn", D::ReadingMessages([] { return g_Gra->GetGameState() == 7 && CurrentDialog(); }),
              [] { D::PressKey(VK_ESCAPE); }, 20000)
        .Then("select", [] { return !CurrentDialog(); },
              [] {
                  // Albion's Guards, spent, stand next to a Borussian unit.
                  cJednostkaLadowa* guards = g_Gra->FindLandUnitById(1);
                  for (const cJednostkaLadowa* enemy : g_Gra->m_LandUnits)
                      for (int d = 0; d < 6 && enemy->m_Owner == 2 && enemy->IsOnMap() && defenderX < 0; ++d) {
                          int x = 0, y = 0;
                          GetNeighbourCoordsOut(enemy->m_X, enemy->m_Y, d, x, y);
                          const sHex* hex = g_Gra->m_Mapa->IsInside(x, y) ? g_Gra->m_Mapa->GetHex(x, y) : nullptr;
                          if (hex && !hex->IsSea() && !hex->unit) {
                              guards->SetPosition(x, y);
                              if (guards->m_X == x && guards->m_Y == y) {
                                  defenderX = enemy->m_X;
                                  defenderY = enemy->m_Y;
                              }
                          }
                      }
                  ASSERT_GE(defenderX, 0);
                  guards->m_ActionPoints = 0;
                  g_Gra->m_Mapa->CenterAtHex(defenderX, defenderY);
                  D::ArriveCamera();
                  D::ClickHex(guards->m_X, guards->m_Y);
              })
        .Then("attack", D::AfterFrames(2), [] { D::ClickHex(defenderX, defenderY); })
        .Then("told why",
              [] {
                  return StatusLine() ==
                         LangFormat("attack_refused_no_action_points_%s", g_Gra->FindLandUnitById(1)->m_Name);
              },
              [] {
                  const sHex* selected = g_Gra->m_PlayState->GetSelectedHex();
                  ASSERT_NE(selected, nullptr);
                  EXPECT_EQ(selected->unit, g_Gra->FindLandUnitById(1));
                  EXPECT_EQ(g_Gra->m_PlayState->GetAssaultPlan(), nullptr);
              },
              100)
        .Then("settled", D::AfterFrames(5))
        .Screenshot("refused_attack")
        .Then("a hex out of reach", [] { return true; },
              [] {
                  // A mark that promises more than the way holds, as one beyond an enemy not
                  // yet seen does.
                  cJednostkaLadowa* guards = g_Gra->FindLandUnitById(1);
                  guards->m_ActionPoints = 1;
                  order = {guards->m_Id, guards->m_X, guards->m_Y, guards->m_X, guards->m_Y + 3};
                  ASSERT_TRUE(g_Gra->m_Mapa->IsInside(order.toX, order.toY));
                  g_Gra->m_Mapa->GetHex(order.toX, order.toY)->SetMark(MARK_MOVE_SOME_LEFT, 1);
                  D::ClickHex(order.toX, order.toY);
              })
        .Then("told why again",
              [] {
                  return StatusLine() ==
                         LangFormat("move_refused_cannot_reach_%s", g_Gra->FindLandUnitById(1)->m_Name);
              },
              [] {
                  const cJednostkaLadowa* guards = g_Gra->FindLandUnitById(1);
                  EXPECT_EQ(std::make_pair(int(guards->m_X), int(guards->m_Y)), std::make_pair(order.fromX, order.fromY));
                  EXPECT_EQ(g_Gra->m_PlayState->GetSelectedHex()->unit, guards);
                  EXPECT_EQ(g_Gra->m_PlayState->GetOrderMode(), ORDER_MOVE);
              },
              100);
    EXPECT_EQ(driver.Run(), 0);
    EXPECT_TRUE(LogContains(L"Player action: attack refused"));
}

// Borussia's land unit of that id.
cJednostkaLadowa* Borussian(int id)
{
    cJednostkaLadowa* unit = g_Gra->FindLandUnitById(id);
    EXPECT_TRUE(unit && unit->m_Owner == 2 && unit->IsOnMap()) << id;
    return unit;
}

// The nearest free land hex four or more steps from the unit, with no mark of its range.
std::pair<int, int> FarFreeLandHex(const cJednostkaLadowa& unit)
{
    const cMapa& map = *g_Gra->m_Mapa;
    std::pair<int, int> best{-1, -1};
    int bestDistance = 0;
    for (int y = 0; y < map.height; ++y)
        for (int x = 0; x < map.width; ++x) {
            const sHex* hex = map.GetHex(x, y);
            const int distance = HexDistance(x, y, unit.m_X, unit.m_Y);
            if (hex->IsLand() && !hex->unit && !hex->city && !(hex->marks & 0x1FFFCu) && distance >= 4 &&
                (best.first < 0 || distance < bestDistance)) {
                best = {x, y};
                bestDistance = distance;
            }
        }
    EXPECT_GE(best.first, 0) << "no free land hex far from " << unit.m_X << "," << unit.m_Y;
    return best;
}

// The status line gives the reason of that key about the Borussian unit.
std::function<bool()> ToldAbout(const char* key, int unitId)
{
    return [=] { return StatusLine() == LangFormat(key, Borussian(unitId)->m_Name); };
}

void ClickHexInView(int x, int y)
{
    g_Gra->m_Mapa->CenterAtHex(x, y);
    D::ArriveCamera();
    D::ClickHex(x, y);
}

// The status line says why a move is refused, and never what is no longer true: a refusal
// about one unit goes when another is chosen, the move hint goes when a right click lets the
// unit go.
TEST(GameInput, TheStatusLineSaysWhyAMoveIsRefusedAndNothingThatIsNoLongerTrue)
{
    constexpr int kPanzer = 4, kMotorised = 5, kMechCorps = 8;
    cProgramDriver driver({}, {"scenarios", "save", "pbem"});
    MakeTestlandFolder();
    static std::pair<int, int> far, pointer;
    driver.StartWith(LoadTestland);
    StartAsBorussia(driver);
    driver
        .Then("select", [] { return true; },
              [] {
                  cJednostkaLadowa* panzer = Borussian(kPanzer);
                  panzer->m_ActionPoints = 2;
                  ClickHexInView(panzer->m_X, panzer->m_Y);
              })
        .Then("beyond its reach", [] { return StatusLine() == LangText("statusbar_hint_move_destination_hex"); },
              [] {
                  far = FarFreeLandHex(*Borussian(kPanzer));
                  ClickHexInView(far.first, far.second);
              },
              100)
        .Then("told why", ToldAbout("move_refused_beyond_reach_%s", kPanzer),
              [] {
                  // The click chose the hex, as a click beside the marks does.
                  EXPECT_EQ(g_Gra->m_PlayState->GetOrderMode(), ORDER_SELECT);
                  const sHex* selected = g_Gra->m_PlayState->GetSelectedHex();
                  ASSERT_NE(selected, nullptr);
                  EXPECT_EQ(std::make_pair(int(selected->x), int(selected->y)), far);
                  // The unit and the hex in view, clear of the minimap panel.
                  const cJednostkaLadowa* panzer = Borussian(kPanzer);
                  g_Gra->m_Mapa->CenterAtHex(panzer->m_X - 1, panzer->m_Y + 2);
                  D::ArriveCamera();
              },
              100)
        .Then("settled", D::AfterFrames(5))
        .Screenshot("refused_move_beyond_reach")
        .Then("a spent unit", [] { return true; },
              [] {
                  cJednostkaLadowa* motorised = Borussian(kMotorised);
                  motorised->m_ActionPoints = 0;
                  ClickHexInView(motorised->m_X, motorised->m_Y);
                  far = FarFreeLandHex(*motorised);
                  ClickHexInView(far.first, far.second);
              })
        .Then("told it cannot move", ToldAbout("move_refused_no_action_points_%s", kMotorised),
              [] {
                  // A refusal that keeps the unit and its order: a mark that promises more
                  // than the way holds, as one beyond an enemy not yet seen does.
                  cJednostkaLadowa* panzer = Borussian(kPanzer);
                  ClickHexInView(panzer->m_X, panzer->m_Y);
                  far = FarFreeLandHex(*panzer);
                  g_Gra->m_Mapa->GetHex(far.first, far.second)->SetMark(MARK_MOVE_SOME_LEFT, 1);
                  ClickHexInView(far.first, far.second);
              },
              100)
        .Then("blocked", ToldAbout("move_refused_cannot_reach_%s", kPanzer),
              [] {
                  EXPECT_EQ(g_Gra->m_PlayState->GetOrderMode(), ORDER_MOVE);
                  const cJednostkaLadowa* mech = Borussian(kMechCorps);
                  ClickHexInView(mech->m_X, mech->m_Y);
              },
              100)
        .Then("another unit", D::AfterFrames(3),
              [] {
                  // The refusal was about the Panzer: the line asks for the new unit's move.
                  EXPECT_EQ(g_Gra->m_PlayState->GetSelectedUnit(), Borussian(kMechCorps));
                  EXPECT_EQ(StatusLine(), LangText("statusbar_hint_move_destination_hex"));
                  const cJednostkaLadowa* mech = Borussian(kMechCorps);
                  D::HexOnScreen(mech->m_X + 1, mech->m_Y, pointer.first, pointer.second);
                  D::MovePointer(pointer.first, pointer.second);
              })
        .Then("pointed", D::AfterFrames(3),
              [] {
                  // A right click on the map lets the unit go, and its order with it.
                  DXUTStaticWndProc(WM_RBUTTONDOWN, MK_RBUTTON, MakeLParam(pointer.first, pointer.second));
                  DXUTStaticWndProc(WM_RBUTTONUP, 0, MakeLParam(pointer.first, pointer.second));
              })
        // The frame that shows the unit let go shows the line that goes with it: a sleeping
        // program may draw no other for a long while.
        .Then("let go", [] { return true; },
              [] {
                  EXPECT_EQ(g_Gra->m_PlayState->GetSelectedHex(), nullptr);
                  EXPECT_EQ(g_Gra->m_PlayState->GetOrderMode(), ORDER_SELECT);
                  EXPECT_EQ(StatusLine(), LangText("statusbar_hint_no_action"));
              });
    EXPECT_EQ(driver.Run(), 0);
}

// With one's own unit selected the status line says what a click on the map does: move it,
// attack the enemy beside it, or nothing for a unit whose points are spent or that cannot
// move from where it stands (an aircraft says why it cannot rebase). An attack a click
// cannot give, on an enemy not next to the land unit or by an aircraft, says why and leaves
// the unit selected.
TEST(GameInput, TheStatusLineSaysWhatAClickDoesAndWhyAClickOnAnEnemyCannotAttackIt)
{
    cProgramDriver driver({}, {"scenarios", "save", "pbem"});
    MakeTestlandFolder();
    static std::pair<int, int> far;
    auto guards = [] { return g_Gra->FindLandUnitById(1); };
    auto selected = [] { return g_Gra->m_PlayState->GetSelectedUnit(); };
    auto says = [](const char* key) { return [=] { return StatusLine() == LangText(key); }; };
    driver.StartWith(LoadTestland)
        .Then("start", [] { return dynamic_cast<iMenuScreen*>(g_CurrentMenu) != nullptr && g_Gra; },
              [] { D::ClickControl(245); })
        .Then("Albion's turn", D::ReadingMessages([] { return g_Gra->GetGameState() == 7 && CurrentDialog(); }),
              [] { D::PressKey(VK_ESCAPE); }, 20000)
        .Then("beside the enemy", [] { return !CurrentDialog(); },
              [=] {
                  // Albion's Guards stand next to a Borussian unit that is seen, with a free
                  // hex beside them; another Borussian unit in sight stands further away.
                  cJednostkaLadowa* unit = guards();
                  const cJednostkaLadowa* next = nullptr;
                  for (cJednostkaLadowa* enemy : g_Gra->m_LandUnits) {
                      if (enemy->m_Owner != 2 || !enemy->IsOnMap())
                          continue;
                      enemy->m_Spotted = true;
                      for (int d = 0; d < 6 && !next; ++d) {
                          int x = 0, y = 0;
                          GetNeighbourCoordsOut(enemy->m_X, enemy->m_Y, d, x, y);
                          const sHex* hex = g_Gra->m_Mapa->IsInside(x, y) ? g_Gra->m_Mapa->GetHex(x, y) : nullptr;
                          if (hex && hex->IsLand() && !hex->unit) {
                              unit->SetPosition(x, y);
                              if (unit->m_X == x && unit->m_Y == y)
                                  next = enemy;
                          }
                      }
                  }
                  ASSERT_NE(next, nullptr);
                  far = {-1, -1};
                  for (const cJednostkaLadowa* enemy : g_Gra->m_LandUnits)
                      if (enemy->m_Owner == 2 && enemy->IsOnMap() && far.first < 0 &&
                          HexDistance(enemy->m_X, enemy->m_Y, unit->m_X, unit->m_Y) >= 2)
                          far = {enemy->m_X, enemy->m_Y};
                  ASSERT_GE(far.first, 0);
                  unit->m_ActionPoints = unit->m_StartingActionPoints;
                  ClickHexInView(unit->m_X, unit->m_Y);
              })
        .Then("move or attack", says("statusbar_hint_move_or_attack"),
              [] {
                  // As the end of a move leaves a unit with no hex in its reach: selected, with
                  // no order of its own.
                  GLOBAL_LOCK_SCOPE();
                  g_Gra->m_PlayState->SetOrderMode(ORDER_SELECT);
              },
              100)
        .Then("attack", says("statusbar_hint_attack_next_to_unit"),
              [=] {
                  guards()->m_ActionPoints = 0;
                  D::ClickHex(guards()->m_X, guards()->m_Y);
              },
              100)
        .Then("spent", says("statusbar_hint_unit_no_action_points"),
              [=] {
                  guards()->m_ActionPoints = guards()->m_StartingActionPoints;
                  ClickHexInView(far.first, far.second);
              },
              100)
        .Then("too far",
              [=] { return StatusLine() == LangFormat("attack_refused_not_next_to_it_%s", guards()->m_Name); },
              [=] {
                  EXPECT_EQ(selected(), guards());
                  EXPECT_EQ(g_Gra->m_PlayState->GetOrderMode(), ORDER_MOVE);
                  const cJednostkaLotnicza* fighter = g_Gra->FindAirUnitById(1);
                  ClickHexInView(fighter->m_X, fighter->m_Y);
                  ClickHexInView(far.first, far.second);
              },
              100)
        .Then("by air",
              [] {
                  return StatusLine() == LangFormat("air_attack_refused_fighter_%s", g_Gra->FindAirUnitById(1)->m_Name);
              },
              [=] {
                  cJednostkaLotnicza* fighter = g_Gra->FindAirUnitById(1);
                  EXPECT_EQ(selected(), fighter);
                  // An aircraft that has acted rebases no more, though it has points left.
                  fighter->m_ActionPoints = fighter->m_StartingActionPoints - 1;
                  ASSERT_GE(fighter->m_ActionPoints, 1);
                  ClickHexInView(fighter->m_X, fighter->m_Y);
              },
              100)
        .Then("acted", says("statusbar_hint_air_unit_acted"),
              [=] {
                  cJednostkaLotnicza* fighter = g_Gra->FindAirUnitById(1);
                  fighter->m_ActionPoints = fighter->m_StartingActionPoints;
                  fighter->m_Supply = 0;
                  ClickHexInView(fighter->m_X, fighter->m_Y);
              },
              100)
        .Then("short of supply", says("statusbar_hint_air_unit_supply_too_low"),
              [=] {
                  cJednostkaLotnicza* fighter = g_Gra->FindAirUnitById(1);
                  fighter->m_Supply = GameConsts().MaxSupply;
                  g_Gra->m_Consts.AirRanges[1] = 0;
                  ClickHexInView(fighter->m_X, fighter->m_Y);
              },
              100)
        .Then("nowhere to fly", says("statusbar_hint_air_unit_no_free_hex_in_reach"), {}, 100);
    EXPECT_EQ(driver.Run(), 0);
}

// The pixels of a unit's 166-pixel counter cell on the screen at the nearest zoom.
std::vector<uint32_t> CounterCell(const std::vector<uint32_t>& frame, int width, int column, int row)
{
    int x = 0, y = 0;
    D::HexOnScreen(column, row, x, y);
    std::vector<uint32_t> cell;
    for (int dy = -85; dy < 81; ++dy)
        for (int dx = -83; dx < 83; ++dx)
            cell.push_back(frame[size_t((y + dy) * width + x + dx)]);
    return cell;
}

size_t Differing(const std::vector<uint32_t>& a, const std::vector<uint32_t>& b)
{
    size_t n = 0;
    for (size_t k = 0; k < a.size() && k < b.size(); ++k)
        n += a[k] != b[k];
    return n;
}

// At the nearest zoom a counter carries its unit's name; F5 takes it off and puts it back.
TEST(GameInput, F5HidesAndShowsTheUnitsNamesOnTheCountersAtTheNearestZoom)
{
    cProgramDriver driver({{"MapDisplay/Zoom", "100"}}, {"scenarios", "save", "pbem"});
    MakeTestlandFolder();
    static int column = -1, row = -1;
    static std::vector<uint32_t> named, nameless, namedAgain;
    auto keep = [](std::vector<uint32_t>& into) {
        return [&into](const std::vector<uint32_t>& frame, int width) { into = CounterCell(frame, width, column, row); };
    };
    driver.StartWith(LoadTestland)
        .Then("start", [] { return g_Gra && dynamic_cast<iMenuScreen*>(g_CurrentMenu); }, [] { D::ClickControl(245); })
        .Then("Albion's turn", [] { return g_Gra->GetGameState() == 7 && CurrentDialog(); },
              [] { D::PressKey(VK_ESCAPE); }, 20000)
        .Then("to a unit", [] { return !CurrentDialog(); },
              [] {
                  for (cJednostkaLadowa* u : g_Gra->m_LandUnits)
                      if (u->m_Owner == 1 && u->IsOnMap() && column < 0) {
                          column = u->m_X;
                          row = u->m_Y;
                      }
                  ASSERT_GE(column, 0);
                  g_Gra->m_Mapa->CenterAtHex(column, row);
                  D::ArriveCamera();
                  EXPECT_FLOAT_EQ(g_Gra->m_Mapa->currentScale, 1.0f);
              })
        .Then("settled", D::AfterFrames(3))
        .Grab(keep(named))
        .Then("F5", [] { return true; }, [] { D::PressKey(VK_F1 + 4); })
        .Grab(keep(nameless))
        .Then("F5 again", [] { return true; }, [] { D::PressKey(VK_F1 + 4); })
        .Grab(keep(namedAgain));
    EXPECT_EQ(driver.Run(), 0);
    ASSERT_FALSE(named.empty());
    EXPECT_GT(Differing(named, nameless), 100u);
    EXPECT_EQ(Differing(named, namedAgain), 0u);
}

TEST(GameInput, KeysStoreAndRecallPlacesWalkTheUnitsAndPauseInEveryPhase)
{
    cProgramDriver driver({{"InterfaceSettings/ConfirmEndTurn", "false"}}, {"scenarios", "save", "pbem"});
    MakeTestlandFolder();
    driver.StartWith(LoadTestland)
        .Then("start", [] { return g_Gra && dynamic_cast<iMenuScreen*>(g_CurrentMenu); },
              [] { D::ClickControl(245); })
        .Then("the computer plays", [] { return g_Gra->GetGameState() == 9; },
              [] { D::PressKey(VK_ESCAPE); })
        // Only Resume closes the pause menu: a second Escape leaves it open.
        .Then("paused over its play", [] { return true; },
              [] {
                  auto* pause = dynamic_cast<cPauseMenu*>(g_CurrentMenu);
                  ASSERT_NE(pause, nullptr);
                  EXPECT_TRUE(pause->IsOverComputerPlay());
                  D::PressKey(VK_ESCAPE);
                  EXPECT_EQ(g_CurrentMenu, pause);
                  D::ClickControl(272);
                  EXPECT_EQ(g_CurrentMenu, nullptr);
              })
        .Then("Albion's turn", [] { return g_Gra->GetGameState() == 7 && CurrentDialog(); },
              [] { D::PressKey(VK_ESCAPE); }, 20000)
        // An arrow held when the pause menu opens does not scroll the map after it.
        .Then("hold an arrow", [] { return !CurrentDialog(); },
              [] {
                  DXUTStaticWndProc(WM_KEYDOWN, VK_RIGHT, 1);
                  EXPECT_EQ(g_ArrowKeys, 4);
                  D::PressKey(VK_ESCAPE);
              })
        .Then("paused", [] { return dynamic_cast<cPauseMenu*>(g_CurrentMenu) != nullptr; },
              [] { D::ClickControl(272); })
        .Then("places", [] { return !g_CurrentMenu && !CurrentDialog() && g_Gra->GetGameState() == 7; },
              [] {
                  EXPECT_EQ(g_ArrowKeys, 0);
                  cMapa& map = *g_Gra->m_Mapa;
                  map.CenterAtHex(7, 5);
                  D::ArriveCamera();
                  DXUTStaticWndProc(WM_KEYDOWN, VK_CONTROL, 1);
                  D::PressKey('3');
                  DXUTStaticWndProc(WM_KEYUP, VK_CONTROL, 1);
                  map.CenterAtHex(1, 1);
                  D::ArriveCamera();
                  D::PressKey('3');
                  EXPECT_FLOAT_EQ(map.camera.targetX, 7.0f * 83);
                  EXPECT_FLOAT_EQ(map.camera.targetY, 5.0f * 98);
                  map.CenterAtHex(1, 1);
                  const float before = map.camera.targetX; // the camera stops at the map's edge
                  D::PressKey('4'); // never stored: nothing moves
                  EXPECT_FLOAT_EQ(map.camera.targetX, before);
                  // One tap of an arrow, let go before the frame, moves the view.
                  map.CenterAtHex(7, 5);
                  D::ArriveCamera();
                  D::MovePointer(g_UserSettings.resolutionX / 2, g_UserSettings.resolutionY / 2);
                  D::PressKey(VK_DOWN);
                  ScrollMapByInput(map, DXUTGetTime());
                  EXPECT_GT(map.camera.targetY, 5.0f * 98);
                  // The four values of row 291 scroll from their own pixel on; a right or a bottom
                  // cause wins over a left or a top one, arrows held or pointer at the edge.
                  const sLayoutRect& edge = g_GuiLayout[291];
                  const struct
                  {
                      int x, y;
                      uint8_t arrows;
                      int dx, dy;
                  } edges[] = {{edge.width, edge.height, 0, 1, 1},  {edge.width - 1, edge.height - 1, 0, 0, 0},
                               {edge.x, edge.y, 0, -1, -1},          {edge.x + 1, edge.y + 1, 0, 0, 0},
                               {edge.x, edge.y, 4 | 2 | 8, 1, 1},    {edge.x + 1, edge.y + 1, 1 | 2, -1, -1}};
                  for (const auto& e : edges) {
                      int dx = 0, dy = 0;
                      g_ArrowKeys = e.arrows;
                      EdgeScrollDirection(e.x, e.y, dx, dy);
                      EXPECT_EQ(std::make_pair(dx, dy), std::make_pair(e.dx, e.dy)) << e.x << " " << e.y;
                  }
                  g_ArrowKeys = 0;
                  // The pointer at the screen's top edge scrolls, also while a window is open away
                  // from it; on a panel's control no arrow scrolls.
                  D::MovePointer(g_UserSettings.resolutionX / 2, 0);
                  map.CenterAtHex(7, 5);
                  D::ArriveCamera();
                  EXPECT_TRUE(ScrollMapByInput(map, DXUTGetTime() + 0.05));
                  EXPECT_LT(map.camera.targetY, 5.0f * 98);
                  // Held against the map's top edge the view stays: no next frame is owed.
                  map.ScrollBy(0.0f, -1e6f, 1.0f);
                  D::ArriveCamera();
                  EXPECT_FALSE(ScrollMapByInput(map, DXUTGetTime() + 0.05));
                  // - and + zoom out and in from the main keyboard as from the number pad.
                  const float zoom = map.zoomFactor;
                  D::PressKey(VK_OEM_MINUS);
                  EXPECT_GT(map.zoomFactor, zoom);
                  D::PressKey(VK_OEM_PLUS);
                  EXPECT_NEAR(map.zoomFactor, zoom, 1e-6f);
                  D::PressKey(VK_SUBTRACT);
                  EXPECT_GT(map.zoomFactor, zoom);
                  D::PressKey(VK_ADD);
                  EXPECT_NEAR(map.zoomFactor, zoom, 1e-6f);
                  map.CenterAtHex(7, 5);
                  D::ArriveCamera();
                  D::MovePointer(g_UserSettings.resolutionX / 2, g_UserSettings.resolutionY / 2);
                  D::PressKey('U');
                  ASSERT_NE(CurrentDialog(), nullptr);
                  D::MovePointer(g_UserSettings.resolutionX / 2, 0);
                  ScrollMapByInput(map, DXUTGetTime() + 0.05);
                  EXPECT_LT(map.camera.targetY, 5.0f * 98);
                  D::MovePointer(g_UserSettings.resolutionX / 2, g_UserSettings.resolutionY / 2);
                  D::PressKey(VK_ESCAPE);
                  map.CenterAtHex(7, 5);
                  D::ArriveCamera();
                  const sLayoutRect& endTurn = g_GuiLayout[kEndTurnButtonId];
                  D::MovePointer(endTurn.x + endTurn.width / 2, endTurn.y + endTurn.height / 2);
                  DXUTStaticWndProc(WM_KEYDOWN, VK_DOWN, 1);
                  ScrollMapByInput(map, DXUTGetTime() + 0.05);
                  DXUTStaticWndProc(WM_KEYUP, VK_DOWN, 1);
                  EXPECT_FLOAT_EQ(map.camera.targetY, 5.0f * 98);
                  D::MovePointer(g_UserSettings.resolutionX / 2, g_UserSettings.resolutionY / 2);
              })
        .Then("tab", [] { return !CurrentDialog(); },
              [] {
                  D::PressKey(VK_TAB);
                  const sHex* selected = g_Gra->m_PlayState->GetSelectedHex();
                  ASSERT_TRUE(selected && selected->unit);
                  EXPECT_EQ(selected->unit->m_Owner, 1);
                  EXPECT_EQ(g_Gra->m_PlayState->GetOrderMode(), ORDER_MOVE);
                  // With no confirmation asked, Q ends the turn at once.
                  D::PressKey('Q');
                  EXPECT_EQ(dynamic_cast<cDialogPotwKoncaTury*>(CurrentDialog()), nullptr);
                  EXPECT_NE(g_Gra->GetGameState(), 7);
              });
    EXPECT_EQ(driver.Run(), 0);
}

} // namespace
