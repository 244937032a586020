// The real program offscreen: the hints of the map's ports and sea zones under the pointer,
// and a machine whose sound output cannot be opened.
#include <gtest/gtest.h>

#include <cstdlib>

#include "core/settings.h"
#include "dialogs/confirm_dialog.h"
#include "dialogs/dialog_stack.h"
#include "dialogs/end_turn_dialog.h"
#include "dialogs/fleets_manager.h"
#include "dialogs/preferences_dialog.h"
#include "game/game.h"
#include "game/play_state.h"
#include "gui/controls.h"
#include "platform/messages.h"
#include "shell/dxut.h"
#include "shell/game_frame.h"
#include "shell/game_input.h"
#include "shell/hint_display.h"
#include "shell/menus/scenario_settings_menu.h"
#include "tests/shell/program_driver.h"
#include "tests/test_support.h"
#include "world/country.h"
#include "world/map.h"
#include "world/sea_graph.h"

namespace {

using D = cProgramDriver;

enum
{
    IDC_START = 71,
    IDC_PREFERENCES = 72,
    IDC_SCENARIOS = 179,
    IDC_LOAD = 200,
};

// A hex of the sea zone in the open map on the screen, that shows the zone itself, not a
// port or the zone's ships.
void FindOpenSea(int zone, int& column, int& row)
{
    const cMapa& map = *g_Gra->m_Mapa;
    for (int y = 0; y < map.height; ++y)
        for (int x = 0; x < map.width; ++x) {
            const sHex* hex = map.GetHex(x, y);
            int sx = 0, sy = 0;
            D::HexOnScreen(x, y, sx, sy);
            const bool inView = sx > 100 && sx < 700 && sy > 150 && sy < 600;
            if (inView && hex->IsSea() && hex->seaZone == zone && hex->seaNodeDisplay == 0 && !hex->unit) {
                column = x;
                row = y;
                return;
            }
        }
}

// A point of open sea on the screen where the map does not scroll and no control of the
// window (shown or not) nor of a panel lies: once the window is shown, only the window itself
// stands between the pointer there and the map.
bool FindOpenSeaBeside(CDXUTDialog& window, int& x, int& y)
{
    const cMapa& map = *g_Gra->m_Mapa;
    auto underWindow = [&] {
        for (int k = 0; k < window.GetControlCount(); ++k) {
            CDXUTControl* control = window.GetControlByIndex(k);
            const sRect box = window.ToScreenRect(control->GetBoundingBox());
            if (control->GetVisible() && x >= box.left && x < box.right && y >= box.top && y < box.bottom)
                return true;
        }
        return false;
    };
    for (y = 0; y < g_UserSettings.resolutionY; y += 4)
        for (x = 0; x < g_UserSettings.resolutionX; x += 4) {
            int column = 0, row = 0, dx = 0, dy = 0;
            PickHex(x, y, g_UserSettings.resolutionX, g_UserSettings.resolutionY, map.camera.currentX,
                    map.camera.currentY, map.currentScale, column, row);
            const sHex* hex = map.IsInside(column, row) ? map.GetHex(column, row) : nullptr;
            EdgeScrollDirection(x, y, dx, dy);
            if (hex && hex->IsSea() && hex->seaZone != 0 && hex->seaNodeDisplay == 0 && !hex->unit && dx == 0 &&
                dy == 0 && !IsControlUnderPointer(x, y, false) && !underWindow())
                return true;
        }
    return false;
}

TEST(WholeProgram, PointingAtAPortOrASeaZoneShowsItsShipsByTypeAndSideItsNameAndAPortsSize)
{
    cProgramDriver driver({}, {"scenarios", "save", "pbem"});
    MakeTestlandFolder();
    driver.StartWith(LoadTestland);
    StartAsBorussia(driver);
    static int seaColumn = -1, seaRow = -1;
    // Hamburgum holds the Hochseeflotte: Borussia's own and allied rows and the port's size.
    driver
        .Then("point at Hamburgum", [] { return true; },
              [] {
                  g_Gra->m_Mapa->CenterAtHex(8, 3);
                  D::ArriveCamera();
                  D::PointAtHex(8, 2);
              })
        .Then("the port's hint", [] { return g_HintDisplay.IsShown(); })
        .Then("drawn", D::AfterFrames(2))
        .Screenshot("map_hint_port")
        // The North Sea: three rows (own, allied, spotted enemy), its name and no size.
        .Then("point at the North Sea", [] { return true; },
              [] {
                  FindOpenSea(1, seaColumn, seaRow);
                  ASSERT_GE(seaColumn, 0);
                  D::PointAtHex(seaColumn, seaRow);
              })
        .Then("the zone's hint", [] { return g_HintDisplay.IsShown(); },
              [] { EXPECT_EQ(g_HintDisplay.Hoverable(), g_Gra->m_SeaGraph->GetNode(1)); })
        .Then("drawn", D::AfterFrames(2))
        .Screenshot("map_hint_sea_zone")
        // Land under the pointer takes the hint away.
        .Then("point at Berolina", [] { return true; }, [] { D::PointAtHex(11, 3); })
        .Then("no hint", D::AfterFrames(2), [] { EXPECT_FALSE(g_HintDisplay.HasHint()); });
    EXPECT_EQ(driver.Run(), 0);
}

// The map's hint belongs to what is under the pointer now: a window that comes back over the
// map while the fleet's destination was being picked (the pointer on open sea beside it), or the map scrolled with the arrow keys
// under a pointer at rest, takes it away.
TEST(WholeProgram, AMapHintGoesWhenAWindowComesOverTheMapAndWhenTheMapMovesUnderThePointer)
{
    constexpr int kChannelX = 5, kChannelY = 3, kNorthSeaX = 12, kNorthSeaY = 0;
    cProgramDriver driver({}, {"scenarios", "save", "pbem"});
    MakeTestlandFolder();
    static float viewX = 0.0f;
    auto show = [](int x, int y) {
        g_Gra->m_Mapa->CenterAtHex(x, y);
        D::ArriveCamera();
    };
    driver.StartWith(LoadTestland)
        .Then("settings", [] { return dynamic_cast<cScenarioSettingsMenu*>(g_CurrentMenu) != nullptr; },
              [] { D::ClickControl(245); })
        .Then("Albion's turn", D::ReadingMessages([] { return TurnOf(L"Albion"); }), [] { D::PressKey(VK_ESCAPE); },
              20000)
        // The Home Fleet in the Channel is to sail; the pointer rests on the North Sea.
        .Then("the Channel", [] { return !CurrentDialog(); }, [=] {
                  show(kChannelX, kChannelY);
                  D::ClickHex(kChannelX, kChannelY);
              })
        .Then("its fleets", [] { return CurrentFleetsDialog() && D::ShowListRow(kFleetsListId, L"Home Fleet"); })
        .Then("the Home Fleet", D::AfterFrames(2), [] { D::ClickListRow(kFleetsListId, L"Home Fleet"); })
        .Then("move it", D::AfterFrames(2), [] { D::ClickControl(kFleetsMoveId); })
        .Then("the window stands aside", [] { return g_Gra->m_PlayState->GetOrderMode() == ORDER_FLEET_MOVE; },
              [=] {
                  show(kNorthSeaX, kNorthSeaY);
                  int x = 0, y = 0;
                  ASSERT_TRUE(FindOpenSeaBeside(*CurrentFleetsDialog(), x, y));
                  D::MovePointer(x, y);
              })
        // A right click where the pointer rests gives the order up: the window comes back.
        .Then("the zone's hint", [] { return g_HintDisplay.IsShown(); },
              [] {
                  const auto at = MakeLParam(g_HintDisplay.pointerX, g_HintDisplay.pointerY);
                  DXUTStaticWndProc(WM_RBUTTONDOWN, MK_RBUTTON, at);
                  DXUTStaticWndProc(WM_RBUTTONUP, 0, at);
              })
        .Then("the window is back", [] { return CurrentFleetsDialog() && CurrentFleetsDialog()->GetVisible(); })
        .Then("over the map, no hint", D::AfterFrames(2),
              [] {
                  EXPECT_FALSE(g_HintDisplay.HasHint());
                  D::PressKey(VK_ESCAPE);
              })
        // The pointer rests on the North Sea; the arrow keys move the map under it.
        .Then("the map again", [] { return !CurrentDialog(); },
              [=] {
                  show(kNorthSeaX, kNorthSeaY);
                  D::PointAtHex(kNorthSeaX, kNorthSeaY);
              })
        .Then("the zone's hint again", [] { return g_HintDisplay.IsShown(); },
              [] {
                  viewX = g_Gra->m_Mapa->camera.currentX;
                  D::PressKey(VK_RIGHT);
                  ScrollMapByInput(*g_Gra->m_Mapa, DXUTGetTime());
              })
        .Then("the map moved",
              [] {
                  const sCamera& camera = g_Gra->m_Mapa->camera;
                  return camera.currentX > viewX && camera.currentX == camera.targetX;
              },
              [] { EXPECT_FALSE(g_HintDisplay.HasHint()); });
    EXPECT_EQ(driver.Run(), 0);
}

// SDL's audio driver for one test: a name that no driver has makes every sound output fail.
class cAudioDriver
{
public:
    explicit cAudioDriver(const char* name)
    {
        if (const char* old = std::getenv("SDL_AUDIODRIVER"))
            m_Old = old;
        setenv("SDL_AUDIODRIVER", name, 1);
    }
    ~cAudioDriver()
    {
        if (m_Old.empty())
            unsetenv("SDL_AUDIODRIVER");
        else
            setenv("SDL_AUDIODRIVER", m_Old.c_str(), 1);
    }

private:
    std::string m_Old;
};

TEST(WholeProgram, WithoutASoundOutputTheGameRunsSilentThroughTheMenusAndATurnAndThePreferencesSayWhy)
{
    cAudioDriver noSound("no-such-audio-driver");
    cProgramDriver driver({}, {"scenarios", "save", "pbem"});
    MakeTestlandFolder();
    static int impulse = 0;
    driver.SkipIntro()
        .Then("main menu", D::LogHas(L"----- Main Menu -----"),
              [] {
                  // Said once, before the language table; the log of the start is emptied by
                  // the person's first turn.
                  EXPECT_EQ(testing_support::CountLogLinesStartingWith(L"No sound: "), 1);
                  D::ClickControl(IDC_PREFERENCES);
              },
              10000)
        .Then("the sound tab", [] { return dynamic_cast<cDialogUstawien*>(CurrentDialog()) != nullptr; },
              [] {
                  D::Control<CDXUTTabFrame>(kPreferencesTabsId)->SelectTab(5, true);
                  CDXUTControl* note = D::FindControl(kPreferencesSoundOffId);
                  ASSERT_NE(note, nullptr);
                  EXPECT_TRUE(note->GetVisible());
              })
        .Then("settled", D::AfterFrames(30))
        .Screenshot("preferences_without_sound")
        .Then("back to the main menu", [] { return true; }, [] { D::ClickControl(kPreferencesOkId); })
        .Then("start", D::LogHas(L"----- Main Menu -----"), [] { D::ClickControl(IDC_START); })
        .Then("show Testland", [] { return D::ShowListRow(IDC_SCENARIOS, L"Testland"); })
        .Then("choose Testland", D::AfterFrames(2), [] { D::ClickListRow(IDC_SCENARIOS, L"Testland"); })
        .Then("load", [] { return true; }, [] { D::ClickControl(IDC_LOAD); });
    StartAsBorussia(driver);
    driver
        .Then("end the turn", [] { return true; },
              [] {
                  impulse = g_Gra->m_Turn;
                  D::PressKey('Q');
              })
        .Then("confirm", [] { return dynamic_cast<cDialogPotwKoncaTury*>(CurrentDialog()) != nullptr; },
              [] { D::ClickControl(kConfirmYesId); })
        .Then("Borussia's next turn", D::ReadingMessages([] { return BorussiasTurn() && g_Gra->m_Turn > impulse; }),
              {}, 20000);
    EXPECT_EQ(driver.Run(), 0);
}

} // namespace
