// The map view's camera: dragging with the right button, a plain right click, the zoom the
// skin levels follow, and picking the hex under a point of the screen.
#include <gtest/gtest.h>

#include <cmath>

#include "core/settings.h"
#include "shell/hint_display.h"
#include "shell/skin_levels.h"
#include "world/map.h"
#include "world/world.h"

namespace {

class MapCamera : public ::testing::Test
{
protected:
    MapCamera() : map(40, 30)
    {
        ResetSettingsToDefaults();
        g_HintDisplay = cHintDisplay{};
        g_World.hooks.gameState = [this] { return state; };
        g_World.hooks.setGameState = [this](int s) { state = s; };
        g_World.hooks.clearSelection = [this] { ++cleared; };
        map.FrameMove(1.0f);
        map.CenterAtHex(20, 15);
        map.FrameMove(1.0f);
    }
    ~MapCamera() override { g_World = sWorld{}; }

    // The right button pressed at (x, y), moved by (dx, dy) over some frames, released.
    void RightDrag(int x, int y, int dx, int dy)
    {
        g_HintDisplay.UpdateMouse(false, true, x, y);
        map.FrameMove(0.02f);
        g_HintDisplay.UpdateMouse(false, true, x + dx, y + dy);
        map.FrameMove(0.02f);
        g_HintDisplay.UpdateMouse(false, false, x + dx, y + dy);
        map.FrameMove(0.02f);
    }

    cMapa map;
    int state = 7;
    int cleared = 0;
};

TEST_F(MapCamera, AShortRightClickClearsTheSelectionAndADragMovesTheViewThere)
{
    const float x = map.camera.currentX, y = map.camera.currentY;
    RightDrag(500, 400, 6, -9);
    EXPECT_EQ(cleared, 1);
    // The view went with the mouse and stays where the drag left it.
    EXPECT_FLOAT_EQ(map.camera.currentX, x - 6);
    EXPECT_FLOAT_EQ(map.camera.targetX, map.camera.currentX);

    RightDrag(500, 400, -200, 100);
    EXPECT_EQ(cleared, 1);
    EXPECT_FLOAT_EQ(map.camera.currentX, x - 6 + 200);
    EXPECT_FLOAT_EQ(map.camera.currentY, y + 9 - 100);
    EXPECT_FLOAT_EQ(map.camera.targetY, map.camera.currentY);
    map.FrameMove(1.0f);
    EXPECT_FLOAT_EQ(map.camera.currentY, y + 9 - 100);

    // Out of the player's phase a click leaves the selection alone.
    state = 9;
    RightDrag(500, 400, 0, 0);
    EXPECT_EQ(cleared, 1);
}

TEST_F(MapCamera, WithTheModifierADragGoesTwiceAsFar)
{
    const float x = map.camera.currentX;
    g_HintDisplay.UpdateMouse(false, true, 500, 400);
    g_HintDisplay.dragModifier = true;
    g_HintDisplay.UpdateMouse(false, true, 400, 400);
    g_HintDisplay.dragModifier = true;
    map.FrameMove(0.02f);
    EXPECT_FLOAT_EQ(map.camera.currentX, x + 200);
}

TEST_F(MapCamera, TheZoomReachesItsTargetAndTheSkinLevelsFollowIt)
{
    // Two used levels; the others are not (another test may have left thresholds there).
    for (auto& level : g_CityAppearanceLevels)
        level.zoomThreshold = 0;
    g_CityAppearanceLevels[0].zoomThreshold = 200;
    g_CityAppearanceLevels[1].zoomThreshold = 40;
    g_SelectedCityAppearanceLevel = 0;
    map.Zoom(-80.0f, 512, 384);
    EXPECT_LT(map.targetScale, 1.0f);
    map.FrameMove(1.0f);
    EXPECT_FLOAT_EQ(map.currentScale, map.targetScale);
    EXPECT_FLOAT_EQ(g_MapZoom, map.currentScale);
    EXPECT_LT(g_MapZoom, 0.4f);
    EXPECT_EQ(g_SelectedCityAppearanceLevel, 1);
}

TEST_F(MapCamera, TheViewRunsFiveHexesPastEveryEdge)
{
    const float W = float(g_UserSettings.resolutionX), H = float(g_UserSettings.resolutionY);
    map.Zoom(-2.0f, 0, 0); // a new scale sets the ranges anew
    map.FrameMove(1.0f);
    const float s = map.currentScale;
    // The screen's edges in map pixels, once the view has gone as far as it goes.
    auto edgesAfterScroll = [&](float dx, float dy) {
        map.ScrollBy(dx, dy, 1.0f);
        for (int k = 0; k < 5; ++k)
            map.FrameMove(1.0f);
        return std::make_pair(map.camera.currentX + (dx < 0 ? -1 : 1) * W / (2 * s),
                              map.camera.currentY + (dy < 0 ? -1 : 1) * H / (2 * s));
    };
    auto [left, top] = edgesAfterScroll(-1e6f, -1e6f);
    EXPECT_NEAR(left, -5.0f * kHexWidth, 1.0f);
    EXPECT_NEAR(top, -5.0f * kHexHeight, 1.0f);
    auto [right, bottom] = edgesAfterScroll(1e6f, 1e6f);
    EXPECT_NEAR(right, float((map.width + 5) * kHexWidth), 1.0f);
    EXPECT_NEAR(bottom, float((map.height + 5) * kHexHeight), 1.0f);
}

TEST_F(MapCamera, APointOnTheScreenPicksTheHexDrawnThere)
{
    // Where the drawing puts a hex's centre, on the screen.
    auto centre = [&](int x, int y) {
        const float s = map.currentScale;
        const float ox = float(int(1024.0f / (2 * s) - map.camera.currentX));
        const float oy = float(int(768.0f / (2 * s) - map.camera.currentY));
        const float px = float(x * 83) + ox + 83.5f, py = float(y * 98 + (x % 2 ? 0 : 49)) + oy + 85.0f;
        return std::make_pair(int(std::lround(px * s)), int(std::lround(py * s)));
    };
    for (int x : {17, 18, 20, 23})
        for (int y : {13, 14, 16}) {
            auto [sx, sy] = centre(x, y);
            int column = -1, row = -1;
            ASSERT_TRUE(map.ScreenToHex(sx, sy, column, row));
            EXPECT_EQ(column, x);
            EXPECT_EQ(row, y);
        }
    // Left of the slanted edge lies the upper-left neighbour: in an odd column one row up.
    auto [sx, sy] = centre(21, 15);
    int column = -1, row = -1;
    ASSERT_TRUE(map.ScreenToHex(sx - 52, sy - 30, column, row));
    EXPECT_EQ(column, 20);
    EXPECT_EQ(row, 14);
    // Off the map's left edge nothing is picked, however near column 0.
    map.CenterAtHex(0, 15);
    for (int i = 0; i < 3; ++i)
        map.FrameMove(1.0f);
    auto [ex, ey] = centre(0, 15);
    EXPECT_FALSE(map.ScreenToHex(ex - 120, ey, column, row));
}

} // namespace
