// Europe 1939 on the game screen, drawn offscreen and compared with the stored pictures
// under tests/data/screens/ within a tolerance. VELMORANT_WRITE_SCREENSHOTS=1 stores new ones.
#include <gtest/gtest.h>

#include "core/settings.h"
#include "game/game.h"
#include "game/play_state.h"
#include "tests/gui/screenshot_check.h"
#include "tests/test_support.h"
#include "tests/shell/map_screen_fixture.h"
#include "units/land_unit.h"
#include "world/map.h"

namespace {

using map_screen::kHeight;
using map_screen::kWidth;

void Shoot(map_screen::cMapScreen& screen, const char* name)
{
    screen.DrawFrame();
    std::vector<uint32_t> pixels = screen.Pixels();
    ASSERT_EQ(pixels.size(), size_t(kWidth) * kHeight);
    const std::filesystem::path expected = testing_support::FixtureDir() / "screens" / (std::string(name) + ".png");
    sScreenshotCheck check;
    ASSERT_NO_FATAL_FAILURE(CheckScreenshot(pixels, kWidth, kHeight, name, expected, check));
    if (!check.stored) {
        EXPECT_LE(check.differing, kWidth * kHeight / 100) << "see " << check.actualFile;
    }
}

// Winter in the north and mud in the south of the map, as in a January of the war.
void January(cMapa& map)
{
    for (sHex& hex : map.Hexes())
        if (hex.IsLand())
            hex.weather = hex.y < 52 ? WEATHER_WINTER : (hex.y > 100 ? WEATHER_MUD : WEATHER_CLEAR);
}

TEST(MapScreenshot, Europe1939AtThreeZoomsInEveryModeLooksAsStored)
{
    map_screen::cMapScreen screen;
    ASSERT_TRUE(screen.Open());
    cMapa& map = screen.Map();
    cGra& game = *screen.Game();
    January(map);
    g_UserSettings.minimapOwnershipMode = 1;
    map.RequestMinimapOverlayUpdate();

    // Near: the mechanised infantry in Berlin selected, with the hexes it can reach.
    game.m_PlayState->SelectHex(81, 61);
    auto* unit = dynamic_cast<cJednostkaLadowa*>(map.GetHex(81, 61)->unit);
    ASSERT_NE(unit, nullptr);
    unit->ComputeMoveRange(false);
    screen.Look(83, 60, 1.0f);
    Shoot(screen, "map_near");
    game.m_PlayState->DeselectAll();

    // Half size: who holds and who owns the land, and the front of 1939 between them.
    g_UserSettings.ownershipMode = 3;
    g_UserSettings.borderMode = 1;
    screen.Look(92, 62, 0.5f);
    Shoot(screen, "map_middle");
    g_UserSettings.ownershipMode = 0;

    // The whole map.
    const float whole = float(kWidth) / (185.0f * 83.0f);
    screen.Look(92, 67, whole);
    Shoot(screen, "map_whole");

    // The other map modes: terrain only, the political map, the landing hexes.
    g_UserSettings.mapMode = 1;
    screen.Look(70, 40, 0.5f);
    Shoot(screen, "map_terrain");
    g_UserSettings.mapMode = 2;
    screen.Look(92, 67, 0.25f);
    Shoot(screen, "map_political");
    g_UserSettings.mapMode = 3;
    screen.Look(54, 64, 0.5f);
    Shoot(screen, "map_landing");
}

} // namespace
