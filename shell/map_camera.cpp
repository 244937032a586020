// The camera of the map view: easing toward its target, dragging with the right button,
// zooming by the pending shifts, the window of visible hexes, picking a hex under a screen
// point, and the view frame on the minimap.
#include <algorithm>
#include <cmath>

#include "core/settings.h"
#include "shell/hint_display.h"
#include "shell/links.h"
#include "shell/skin_levels.h"
#include "world/map.h"
#include "world/world.h"

namespace {

constexpr int kHumanPhase = 7;
constexpr int kHumanMove = 8;
constexpr int kCameraScroll = 12;
// A right press and release that moved at most this far is a click, not a drag of the map.
constexpr int kRightClickSlack = 9;

float ScreenW() { return float(g_UserSettings.resolutionX); }
float ScreenH() { return float(g_UserSettings.resolutionY); }

// Integer division and remainder that truncate toward zero, as the view's arithmetic wants.
int TruncDiv(int a, int b) { return a / b; }

// Moves a value toward a target by at most step, never past it.
float Approach(float value, float target, float velocity, float factor)
{
    const float step = velocity * factor;
    if (value < target)
        return std::min(target, value + std::max(step, 0.0f));
    if (value > target)
        return std::max(target, value + std::min(step, 0.0f));
    return value;
}

} // namespace

void cMapa::PrepareViewForScale()
{
    const float s = currentScale;
    const float W = ScreenW(), H = ScreenH();
    visibleColumns = int(float(visibleColumnsAtScale1) / s + 2.0f);
    visibleRows = int(float(visibleRowsAtScale1) / s + 2.0f);
    // The view may run five hexes past every edge; the ground goes on there.
    cameraMinX = int(W / (2 * s) - 415.0f);
    cameraMaxX = int(float((width + 5) * kHexWidth) - W / (2 * s));
    cameraMinY = int(H / (2 * s) - 490.0f);
    cameraMaxY = int(float((height + 5) * kHexHeight) - H / (2 * s));
    if (cameraMinX > cameraMaxX)
        cameraMinX = cameraMaxX = (cameraMinX + cameraMaxX) / 2;
    if (cameraMinY > cameraMaxY)
        cameraMinY = cameraMaxY = (cameraMinY + cameraMaxY) / 2;
    mapTransform = sMatrix4{};
    mapTransform.m[0] = s;
    mapTransform.m[5] = s;
    m_PreparedScale = s;
    g_MapZoom = s;
    SelectUnitSkinLevels();
    SelectCityAppearanceLevel();
}

void cMapa::UpdateViewWindow()
{
    const int X = int(camera.currentX);
    viewCentreColumn = TruncDiv(X - 166, kHexWidth);
    viewOffsetX = (X - 166) % kHexWidth;
    viewCentreRow = int((camera.currentY - 166.0f) / float(kHexHeight));
    viewOffsetY = int(camera.currentY - 166.0f) % kHexHeight;
}

void cMapa::UpdateViewFrame()
{
    const float mw = float(minimapRect[2]), mh = float(minimapRect[3]);
    if (width <= 0 || height <= 0 || mw <= 0 || mh <= 0 || currentScale <= 0)
        return;
    const float mapW = float(width * kHexWidth), mapH = float(height * kHexHeight);
    const float halfW = std::min(mw * ScreenW() / currentScale / mapW / 2.0f, mw / 2.0f);
    const float halfH = std::min(mh * ScreenH() / currentScale / mapH / 2.0f, mh / 2.0f);
    const float left = float(minimapRect[0]), top = float(minimapRect[1]);
    const float cx = std::clamp(left + camera.currentX / mapW * mw, left + halfW, left + mw - halfW);
    const float cy = std::clamp(top + camera.currentY / mapH * mh, top + halfH, top + mh - halfH);
    viewFrame[0] = {cx - halfW, cy - halfH};
    viewFrame[1] = {cx + halfW, cy - halfH};
    viewFrame[2] = {cx + halfW, cy + halfH};
    viewFrame[3] = {cx - halfW, cy + halfH};
    viewFrame[4] = viewFrame[0];
}

void cMapa::FrameMove(float elapsed)
{
    if (m_Hexes.empty())
        return;
    if (!m_ViewPrepared) {
        // The first view of the map: the zoom the player left, within what the wheel reaches.
        const float W = ScreenW();
        const float widest = W / float(std::max(1, width * kHexWidth));
        currentScale = targetScale = std::clamp(g_MapZoom, std::min(widest, 1.0f), 1.0f);
        const float span = float(width * kHexWidth) - W;
        zoomFactor = span > 0 ? std::clamp((W / currentScale - W) / span, 0.0f, 1.0f) : 0.0f;
        m_ViewPrepared = true;
        m_PreparedScale = 0.0f;
    }
    // 1. The zoom, and the shift that keeps the point under the mouse in place.
    const float d = currentScale - targetScale;
    if (d != 0.0f) {
        const float change = std::clamp(-d, -50.0f * elapsed, 50.0f * elapsed);
        currentScale += change;
        const float f = std::fabs(change / d);
        camera.currentX += f * camera.zoomShiftX;
        camera.zoomShiftX -= f * camera.zoomShiftX;
        camera.currentY += f * camera.zoomShiftY;
        camera.zoomShiftY -= f * camera.zoomShiftY;
    }
    // The ranges of a new scale hold at once: clamped to the old ones, the view would jerk for a frame.
    const bool scaleChanged = currentScale != m_PreparedScale;
    if (scaleChanged)
        PrepareViewForScale();

    // 2. Dragging with the right button, and its release.
    cHintDisplay& mouse = g_HintDisplay;
    const float m = mouse.dragModifier ? 2.0f : 1.0f;
    auto dragged = [&](float& x, float& y) {
        x = camera.targetX - m * float(mouse.rightDragX) / currentScale;
        y = camera.targetY - m * float(mouse.rightDragY) / currentScale;
    };
    // The target too: one set before this scale's range was known would never be reached,
    // and the view would glide, asking for frames, for ever.
    auto clampCurrent = [&] {
        for (float* x : {&camera.currentX, &camera.targetX})
            *x = std::clamp(*x, float(cameraMinX), float(std::max(cameraMinX, cameraMaxX)));
        for (float* y : {&camera.currentY, &camera.targetY})
            *y = std::clamp(*y, float(cameraMinY), float(std::max(cameraMinY, cameraMaxY)));
    };
    bool released = false;
    if (mouse.rightDragging) {
        dragged(camera.currentX, camera.currentY);
        camera.velocityX = camera.velocityY = 0.0f;
        camera.zoomShiftX = camera.zoomShiftY = 0.0f;
        clampCurrent();
    } else if (mouse.rightUp) {
        float x = 0, y = 0;
        dragged(x, y);
        camera.currentX = camera.targetX = x;
        camera.currentY = camera.targetY = y;
        camera.velocityX = camera.velocityY = 0.0f;
        camera.zoomShiftX = camera.zoomShiftY = 0.0f;
        clampCurrent();
        mouse.rightUp = false;
        released = true;
    } else {
        // 3. Easing toward the target.
        const float factor = elapsed * 50.0f;
        camera.currentX = Approach(camera.currentX, camera.targetX, camera.velocityX, factor);
        camera.currentY = Approach(camera.currentY, camera.targetY, camera.velocityY, factor);
        clampCurrent();
    }
    // 4. Arrived. Only the human phase's scroll waits for the camera: no state of the end of an
    // impulse hands the camera a scroll to finish.
    if (camera.currentX == camera.targetX && camera.currentY == camera.targetY &&
        g_World.hooks.gameState() == kCameraScroll)
        g_World.hooks.setGameState(kHumanPhase);
    // 6 (and at once after a release, then 5).
    UpdateViewWindow();
    if (released && std::abs(mouse.rightDragX) <= kRightClickSlack && std::abs(mouse.rightDragY) <= kRightClickSlack) {
        const int state = g_World.hooks.gameState();
        if (state == kHumanPhase || state == kHumanMove) {
            ClearSelection();
            if (g_CurrentDialog && !g_CurrentDialog->IsVisible())
                g_CurrentDialog->OnReactivate();
        }
    }
    // 7. The view frame on the minimap.
    UpdateViewFrame();
}

bool cMapa::ScreenToHex(int screenX, int screenY, int& column, int& row) const
{
    if (currentScale <= 0 || m_Hexes.empty())
        return false;
    int px = int(std::floor((float(screenX) - ScreenW() / 2) / currentScale + camera.currentX - 30.0f));
    int py = int(std::floor((float(screenY) - ScreenH() / 2) / currentScale + camera.currentY - 36.0f));
    int c = FloorDiv(px, kHexWidth);
    if (!IsOddColumn(c))
        py -= kHexHalfHeight;
    int r = FloorDiv(py, kHexHeight);
    const float fx = float(px - c * kHexWidth), fy = float(py - r * kHexHeight);
    // The slanted left edge: above it lies the upper-left neighbour, below it the lower-left.
    const float slope = 49.0f / 24.0f;
    if (fx < 24.0f) {
        if (fy < 49.0f && 49.0f - fy > slope * fx) {
            if (IsOddColumn(c))
                --r;
            --c;
        } else if (fy > 49.0f && fy - 49.0f > slope * fx) {
            if (!IsOddColumn(c))
                ++r;
            --c;
        }
    }
    if (!IsInside(c, r))
        return false;
    column = c;
    row = r;
    return true;
}
