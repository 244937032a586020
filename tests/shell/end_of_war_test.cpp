// The end of the war on Testland, played through the window: each way a war ends shows its
// Game over window; after it the map is only looked at, the status line says how to leave,
// the loop sleeps, at each edge of the map too, and leaving asks nothing, since nothing can be lost.
#include <gtest/gtest.h>

#include <filesystem>
#include <utility>

#include "core/lock.h"
#include "core/settings.h"
#include "core/stringbase.h"
#include "dialogs/dialog_stack.h"
#include "dialogs/info_panel.h"
#include "dialogs/panel.h"
#include "game/game.h"
#include "game/play_state.h"
#include "gui/controls.h"
#include "platform/messages.h"
#include "shell/dxut.h"
#include "shell/game_frame.h"
#include "shell/menus/pause_menu.h"
#include "shell/menus/scenario_menu.h"
#include "tests/game/testland_game.h"
#include "tests/shell/program_driver.h"
#include "units/land_unit.h"
#include "world/city.h"
#include "world/country.h"
#include "world/map.h"

namespace {

using D = cProgramDriver;

constexpr int kReportsKind = 810;

// Each way of ending, brought about in a person's turn (under the lock) so that the end of
// that impulse ends the war.
void RunOutOfTime(cGra& game)
{
    game.m_Turn += game.m_TurnsLeft;
    game.m_TurnsLeft = 0;
}
void LeaveOnlyTheAxis(cGra& game)
{
    for (cPanstwo* c : game.m_Countries)
        if (c->ID != testland::kBorussia)
            c->Alliance = 0;
}
void EndEveryAlliance(cGra& game)
{
    for (cPanstwo* c : game.m_Countries)
        c->Alliance = 0;
}
// Ruthenia holds every city that wins the war for the country.
void TakeVictoryCities(cGra& game, int countryId)
{
    for (const cMiasto* city : game.m_Cities)
        if (sHex* hex = game.m_Mapa->GetHex(city->X, city->Y); city->VictoryPoints > 0 && hex->owner == countryId)
            hex->controller = testland::kRuthenia;
}
void ConquerBorussia(cGra& game) { TakeVictoryCities(game, testland::kBorussia); }

struct sEnding
{
    const char* name;
    const char* reasonKey;
    void (*bring)(cGra&);
};

void PrintTo(const sEnding& ending, std::ostream* out) { *out << ending.name; }

const sEnding kEndings[] = {
    {"TimeRunsOut", "game_over:_time_has_run_out", RunOutOfTime},
    {"OnlyOneAllianceIsLeft", "game_over:_only_one_major_alliance_left", LeaveOnlyTheAxis},
    {"EveryAllianceIsGone", "game_over:_all_alliances_eliminated_(uncommon_ending)", EndEveryAlliance},
    {"ThePersonsCountryIsConquered", "game_over:_all_human-controlled_countries_annexed", ConquerBorussia},
};

void Bring(void (*ending)(cGra&))
{
    GLOBAL_LOCK_SCOPE();
    ending(*g_Gra);
}

// From the end of the person's last turn: the Game over window with the reason, closed with
// Escape as it says; then the map of the person's country, which takes no order, a status line
// that tells how to leave, a loop that sleeps, and a way out without a question: the pause
// menu's Abort or Exit.
void TheWarEndsAndIsLeft(cProgramDriver& driver, const char* reasonKey, const wchar_t* personsCountry,
                         int leaveBy = kPauseAbort)
{
    auto settled = [] {
        const cMapa& map = *g_Gra->m_Mapa;
        return map.camera.currentX == map.camera.targetX && map.camera.currentY == map.camera.targetY &&
               map.currentScale == map.targetScale;
    };
    driver
        .Then("game over", D::ReadingMessages([] { return MessageTitle() == LangText("game_over"); }),
              [=] {
                  EXPECT_NE(MessageTitle(kMessageDialogRow + 3).find(LangText(reasonKey)), std::wstring::npos);
                  EXPECT_NE(MessageTitle(kMessageDialogRow + 3).find(LangText("individual_score:")), std::wstring::npos);
              },
              20000)
        .Then("faded in", D::AfterFrames(60))
        .Picture("game_over")
        // Under the open window nothing moves any more: the person's side, no radar turning.
        .SleepsUntilTheScreenMayChange(60)
        .StaysStill(1000)
        .Then("read", [] { return true; },
              [=] {
                  cPanel* info = PanelOf(g_InfoPanel);
                  EXPECT_EQ(static_cast<CDXUTStatic*>(info->GetControl(kInfoCountryNameId))->GetText(), personsCountry);
                  EXPECT_FALSE(info->GetControl(kWaitImageId)->GetVisible());
                  D::PressKey(VK_ESCAPE);
              })
        .Then("the war is over",
              [] {
                  return g_Gra->GetGameState() == 7 && !CurrentDialog() &&
                         StatusLine() == LangText("statusbar_hint_war_over");
              },
              [=] {
                  EXPECT_EQ(g_Gra->m_PlayState->GetActiveCountry()->Name, personsCountry);
                  cPanel* info = PanelOf(g_InfoPanel);
                  EXPECT_TRUE(info->GetControl(kFoldUnitPanelId)->GetVisible()) << "the wait image";
                  EXPECT_FALSE(info->GetControl(kEndTurnButtonId)->GetEnabled());
                  EXPECT_FALSE(info->GetControl(kPurchasesButtonId)->GetEnabled());
                  EXPECT_TRUE(info->GetControl(kReportsButtonId)->GetEnabled());
              })
        .Then("the view has arrived", settled)
        .Picture("war_over")
        .StaysStill(1000);
    // The view pushed against each edge of the map and zoomed out there, where the map's range
    // narrows, comes to rest within it, and the loop sleeps.
    for (const auto& [dx, dy] : {std::pair(-1e6f, 0.0f), std::pair(0.0f, -1e6f), std::pair(1e6f, 0.0f), std::pair(0.0f, 1e6f)})
        driver.Then("to the edge", [] { return true; }, [=] { g_Gra->m_Mapa->ScrollBy(dx, dy, 1.0f); })
            .Then("there", settled, [] { D::PressKey(VK_SUBTRACT); })
            .Then("zoomed out", settled)
            .StaysStill(300)
            .Then("zoomed in again", [] { return true; }, [] { D::PressKey(VK_ADD); });
    driver
        .Then("orders", [] { return true; },
              [] {
                  for (const cJednostkaLadowa* unit : g_Gra->m_LandUnits)
                      if (unit->IsOnMap()) {
                          g_Gra->m_Mapa->CenterAtHex(unit->m_X, unit->m_Y);
                          D::ArriveCamera();
                          D::ClickHex(unit->m_X, unit->m_Y);
                          break;
                      }
                  for (unsigned key : {unsigned(VK_TAB), unsigned('Q'), unsigned('P'), unsigned(VK_F1 + 11)})
                      D::PressKey(key);
              })
        .Then("none taken", [] { return true; },
              [] {
                  EXPECT_EQ(g_Gra->m_PlayState->GetSelectedHex(), nullptr);
                  EXPECT_EQ(g_Gra->m_PlayState->GetOrderMode(), ORDER_SELECT);
                  EXPECT_EQ(CurrentDialog(), nullptr);
                  D::PressKey('R');
              })
        .Then("the reports still open", [] { return CurrentDialog() && CurrentDialog()->KindId() == kReportsKind; },
              [] { D::PressKey(VK_ESCAPE); })
        .Then("pause", [] { return !CurrentDialog(); }, [] { D::PressKey(VK_ESCAPE); })
        .Then("leave", [] { return dynamic_cast<cPauseMenu*>(g_CurrentMenu) != nullptr; },
              [=] {
                  EXPECT_FALSE(D::FindControl(kPauseSave)->GetEnabled()) << "a finished war would go on once loaded";
                  D::ClickControl(leaveBy);
                  EXPECT_EQ(g_Gra, nullptr) << "asked";
              });
    if (leaveBy == kPauseAbort)
        driver.Then("the scenario list", [] { return dynamic_cast<cScenarioMenu*>(g_CurrentMenu) != nullptr; });
}

class EndOfWar : public testing::TestWithParam<sEnding>
{
};

TEST_P(EndOfWar, ShowsItsWindowThenAMapThatTakesNoOrderSleepsAndIsLeftUnasked)
{
    cProgramDriver driver({}, {"scenarios", "save", "pbem", "Music"}); // no track's end wakes the loop
    MakeTestlandFolder();
    driver.StartWith(LoadTestland);
    StartAsBorussia(driver);
    driver.Then("the ending", [] { return true; }, [] { Bring(GetParam().bring); });
    EndTheTurn(driver, "Borussia");
    TheWarEndsAndIsLeft(driver, GetParam().reasonKey, L"Borussia");
    EXPECT_EQ(driver.Run(), 0);
}

INSTANTIATE_TEST_SUITE_P(EveryEnding, EndOfWar, testing::ValuesIn(kEndings),
                         [](const testing::TestParamInfo<sEnding>& info) { return std::string(info.param.name); });

// A second war in the same program, after Abort from a finished one, ends as the first did:
// nothing of the first war's end is left to it (the wait image, greyed windows, a busy loop).
TEST(EndOfWarTwiceInOneProgram, TheSecondWarEndsAsTheFirst)
{
    constexpr int kScenarios = 179, kStart = 200;
    cProgramDriver driver({}, {"scenarios", "save", "pbem", "Music"});
    MakeTestlandFolder();
    driver.StartWith(LoadTestland);
    StartAsBorussia(driver);
    driver.Then("the time runs out", [] { return true; }, [] { Bring(RunOutOfTime); });
    EndTheTurn(driver, "Borussia");
    driver
        .Then("the first war is over", D::ReadingMessages([] { return MessageTitle() == LangText("game_over"); }),
              [] { D::PressKey(VK_ESCAPE); }, 20000)
        .Then("its map", [] { return !CurrentDialog() && StatusLine() == LangText("statusbar_hint_war_over"); },
              [] {
                  // Left at the map's edge: the next war's map must not scroll by itself to it.
                  D::MovePointer(g_UserSettings.resolutionX / 2, 0);
                  D::PressKey(VK_ESCAPE);
              })
        .Then("pause", [] { return dynamic_cast<cPauseMenu*>(g_CurrentMenu) != nullptr; },
              [] { D::ClickControl(kPauseAbort); })
        .Then("Testland again", [] { return D::ShowListRow(kScenarios, L"Testland"); })
        .Then("start it", D::AfterFrames(2),
              [] {
                  D::ClickListRow(kScenarios, L"Testland");
                  D::ClickControl(kStart);
              });
    StartAsBorussia(driver);
    driver.Then("the second war's map stays where it is", [] { return true; },
                [] {
                    cMapa& map = *g_Gra->m_Mapa;
                    map.CenterAtHex(7, 5);
                    D::ArriveCamera();
                    ScrollMapByInput(map, DXUTGetTime() + 0.05);
                    EXPECT_FLOAT_EQ(map.camera.targetY, 5.0f * 98) << "the first war's pointer scrolled it";
                })
        .Then("Borussia falls", [] { return true; }, [] { Bring(ConquerBorussia); });
    EndTheTurn(driver, "Borussia");
    TheWarEndsAndIsLeft(driver, "game_over:_all_human-controlled_countries_annexed", L"Borussia");
    EXPECT_EQ(driver.Run(), 0);
}

// Two people at one screen: the last of their countries falls in the computer's part of the
// impulse, and nobody is announced a turn after the war; Exit leaves the program unasked.
TEST(EndOfWarInHotSeatPlay, TheLastPersonsCountryFallsAndTheWindowComesWithoutANewTurn)
{
    cProgramDriver driver({}, {"scenarios", "save", "pbem", "Music"});
    MakeTestlandFolder();
    driver.StartWith(LoadTestland)
        .Then("Borussia to a person too", InScenarioSettings, [] { GivePersonTheRow(1); })
        .Then("start", D::AfterFrames(2), [] { D::ClickControl(kSettingsOk); })
        .Then("Borussia's turn", [] { return TurnOf(L"Borussia", false); },
              [] {
                  if (CurrentDialog())
                      D::PressKey(VK_ESCAPE);
              },
              20000)
        .Then("both conquered", [] { return !CurrentDialog(); },
              [] {
                  Bring(ConquerBorussia);
                  Bring([](cGra& game) { TakeVictoryCities(game, testland::kAlbion); });
              });
    EndTheTurn(driver, "Borussia");
    driver.Then("Albion's turn", [] { return TurnOf(L"Albion"); }, [] { D::PressKey(VK_ESCAPE); }, 20000);
    EndTheTurn(driver, "Albion");
    TheWarEndsAndIsLeft(driver, "game_over:_all_human-controlled_countries_annexed", L"Albion", kPauseExit);
    EXPECT_EQ(driver.Run(), 0);
}

// By e-mail the impulse ends on the machine of the player who opens the turn after it:
// Bob opens the turn after the last impulse and sees the end of the war there.
TEST(EndOfWarByEmail, ThePlayerWhoOpensTheTurnAfterTheLastImpulseSeesTheEnd)
{
    cProgramDriver driver({}, {"scenarios", "save", "pbem", "Music"});
    MakeTestlandFolder();
    driver.StartWith(LoadTestland);
    SetUpGameByEmail(driver);
    driver.Then("Bob's turn, in the last impulse", [] { return TurnOf(L"Borussia", false); },
                [] { Bring(RunOutOfTime); }, 20000);
    for (const char* player : {"Borussia", "Albion"}) {
        EndTheTurn(driver, player);
        driver.Then("handed over", [] { return MessageTitle() == L"Your turn is over"; },
                    [] {
                        ClickDialogButton(kMessageDialogRow + 4);
                        // The game is opened on the other player's machine.
                        std::filesystem::remove("data/pbem/repo.dat");
                    });
        AbortAndOpenTheGameByEmail(driver, L"Summer War");
        driver.Then("settings", InScenarioSettings, [] { D::ClickControl(kSettingsOk); });
        if (std::string(player) == "Borussia")
            driver.Then("Ada's turn", [] { return TurnOf(L"Albion", false); }, {}, 20000);
    }
    TheWarEndsAndIsLeft(driver, "game_over:_time_has_run_out", L"Borussia");
    EXPECT_EQ(driver.Run(), 0);
}

} // namespace
