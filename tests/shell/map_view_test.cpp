// The map keeps what does not move between frames: a frame must still show every change of a
// hex, of the map options and of the view at once.
#include <gtest/gtest.h>

#include "core/settings.h"
#include "game/game.h"
#include "tests/shell/map_screen_fixture.h"
#include "world/country.h"
#include "world/map.h"

namespace {

using map_screen::kHeight;
using map_screen::kWidth;

// A screen point over land whose hex and neighbours hold no unit and no city, so that only
// the still layers show there.
bool FindBareLand(cMapa& map, int& screenX, int& screenY, int& column, int& row)
{
    for (int y = 200; y < 500; y += 20)
        for (int x = 200; x < 700; x += 20) {
            int c = 0, r = 0;
            if (!map.ScreenToHex(x, y, c, r))
                continue;
            auto bare = [](const sHex* h) { return h && h->IsLand() && !h->unit && !h->city && h->controller != 0; };
            bool ok = bare(map.GetHex(c, r));
            for (int d = 0; d < 6 && ok; ++d)
                ok = bare(map.GetNeighbour(c, r, d));
            if (ok) {
                screenX = x, screenY = y, column = c, row = r;
                return true;
            }
        }
    return false;
}

// The hex and its neighbours, so that the point surely lies on a changed one.
template <typename Fn>
void AroundHex(cMapa& map, int column, int row, Fn change)
{
    change(*map.GetHex(column, row));
    for (int d = 0; d < 6; ++d)
        change(*map.GetNeighbour(column, row, d));
}

TEST(MapView, FramesFollowChangesOfHexesOptionsZoomAndScrolling)
{
    map_screen::cMapScreen screen;
    ASSERT_TRUE(screen.Open());
    cMapa& map = screen.Map();
    cGra& game = *screen.Game();
    auto frame = [&] {
        screen.DrawFrame();
        std::vector<uint32_t> pixels = screen.Pixels();
        EXPECT_EQ(pixels.size(), size_t(kWidth) * kHeight);
        return pixels;
    };
    g_UserSettings.ownershipMode = 1;
    screen.Look(100, 70, 1.0f);
    const std::vector<uint32_t> first = frame();
    int x = 0, y = 0, column = 0, row = 0;
    ASSERT_TRUE(FindBareLand(map, x, y, column, row));
    auto at = [&](const std::vector<uint32_t>& pixels) { return pixels[size_t(y) * kWidth + size_t(x)]; };
    EXPECT_EQ(at(frame()), at(first));

    // Another controller of another colour.
    std::vector<sHex> kept;
    AroundHex(map, column, row, [&](sHex& h) { kept.push_back(h); });
    const int before = map.GetHex(column, row)->controller;
    int other = 0;
    for (size_t i = 0; i < game.m_Countries.size() && !other; ++i)
        if (game.m_Countries[i]->Color1 != game.m_Countries[size_t(before - 1)]->Color1)
            other = int(i + 1);
    ASSERT_NE(other, 0);
    AroundHex(map, column, row, [&](sHex& h) { h.SetController(other); });
    const uint32_t captured = at(frame());
    EXPECT_NE(captured, at(first));

    // Winter on the terrain.
    AroundHex(map, column, row, [](sHex& h) { h.weather = WEATHER_WINTER; });
    const uint32_t winter = at(frame());
    EXPECT_NE(winter, captured);

    // The option that shows who holds the land.
    g_UserSettings.ownershipMode = 0;
    EXPECT_NE(at(frame()), winter);
    g_UserSettings.ownershipMode = 1;
    EXPECT_EQ(at(frame()), winter);
    for (const sHex& h : kept) {
        sHex& back = *map.GetHex(h.x, h.y);
        back.SetController(h.controller);
        back.weather = h.weather;
    }
    EXPECT_EQ(frame(), first);

    // Another zoom and back: the same picture.
    screen.Look(100, 70, 0.5f);
    EXPECT_NE(frame(), first);
    screen.Look(100, 70, 1.0f);
    EXPECT_EQ(frame(), first);

    // Two columns to the west: everything lies two columns further east on the screen.
    map.camera.currentX = map.camera.targetX = map.camera.currentX - 2.0f * kHexWidth;
    map.FrameMove(0.0f);
    const std::vector<uint32_t> moved = frame();
    int differing = 0;
    // Rows above the minimap and the panel, columns that both frames show.
    for (int py = 40; py < 400; ++py)
        for (int px = 0; px + 2 * kHexWidth < kWidth; ++px)
            differing += moved[size_t(py) * kWidth + size_t(px + 2 * kHexWidth)] != first[size_t(py) * kWidth + size_t(px)];
    EXPECT_EQ(differing, 0);
}

} // namespace
