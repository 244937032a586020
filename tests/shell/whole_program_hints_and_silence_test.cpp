// The real program offscreen: the hints of the map's ports and sea zones under the pointer,
// and a machine whose sound output cannot be opened.
#include <gtest/gtest.h>

#include "dialogs/dialog_stack.h"
#include "game/game.h"
#include "game/play_state.h"
#include "gui/controls.h"
#include "platform/messages.h"
#include "shell/hint_display.h"
#include "shell/menus/scenario_settings_menu.h"
#include "tests/shell/program_driver.h"
#include "world/country.h"
#include "world/map.h"
#include "world/sea_graph.h"

namespace {

using D = cProgramDriver;

enum
{
    IDC_COUNTRIES = 216,
    IDC_AI = 224,
    IDC_HUMAN = 225,
    IDC_OK = 245,
};

bool BorussiasTurn()
{
    if (!g_Gra || g_Gra->GetGameState() != 7)
        return false;
    const cPanstwo* active = g_Gra->m_PlayState->GetActiveCountry();
    return active && active->Name == L"Borussia";
}

// Testland with Borussia played by a person, from its scenario settings to its first turn.
void StartAsBorussia(cProgramDriver& driver)
{
    driver.Then("Borussia to a person, Albion to the computer",
                [] { return dynamic_cast<cScenarioSettingsMenu*>(g_CurrentMenu) != nullptr; },
                [] {
                    auto* countries = D::Control<CDXUTListBox>(IDC_COUNTRIES);
                    countries->SelectItem(0, true);
                    D::ClickControl(IDC_AI);
                    countries->SelectItem(1, true);
                    D::ClickControl(IDC_HUMAN);
                })
        .Then("start", D::AfterFrames(2), [] { D::ClickControl(IDC_OK); })
        .Then("Borussia's turn", D::ReadingMessages(BorussiasTurn),
              [] {
                  if (CurrentDialog())
                      D::PressKey(VK_ESCAPE);
              },
              20000)
        .Then("to the map", [] { return !CurrentDialog(); });
}

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

} // namespace
