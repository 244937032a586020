// The minimap: the scenario's picture fitted into the minimap area of the layout, the
// ownership overlay written texel by texel over it, and the red frame of the visible area.
#include <algorithm>
#include <cmath>

#include "core/settings.h"
#include "gui/layout.h"
#include "platform/sprite.h"
#include "platform/texture.h"
#include "shell/draw_helpers.h"
#include "shell/frame_callbacks.h"
#include "shell/links.h"
#include "shell/skin_drawing.h"
#include "shell/textures.h"
#include "world/map.h"
#include "world/world.h"

namespace {

constexpr int kMinimapArea = 315;

// A land texel of the overlay: the country's colour, half seen through; nothing for no country.
uint32_t OverlayTexel(const sHex& hex, int mode)
{
    if (hex.IsSea())
        return 0;
    if (mode == 3)
        return 0x80000000u;
    const int id = mode == 1 ? hex.controller : hex.owner;
    if (id == 0)
        return 0;
    return (CountryMapColor(id) & 0x00FFFFFFu) | 0x80000000u;
}

} // namespace

void cMapa::BuildMinimap(const std::wstring& picturePath)
{
    cTextureHolder& picture = g_Textures[TEX_PREVIEW_MINIMAP];
    picture.Release();
    picture.Load(picturePath.c_str(), 1, 1);
    if (!picture.Get() || width <= 0 || height <= 0)
        return;
    const int pw = picture.Get()->Width(), ph = picture.Get()->Height();
    picture.Get()->SetSmooth(true);
    cTextureHolder& overlay = g_Textures[TEX_MINIMAP_OVERLAY];
    overlay.Release();
    overlay.CreateEmpty(pw, ph);
    if (overlay.Get())
        overlay.Get()->SetSmooth(true);
    const float r = float(width) / float(height);
    int ow = 0, oh = 0;
    if (r <= 1.0f) {
        oh = ph;
        ow = int(float(ph) * r);
    } else {
        ow = pw;
        oh = int(float(pw) / r);
    }
    const sLayoutRect& area = g_GuiLayout[kMinimapArea];
    // A picture too small to hold the map's shape, or no area to fit it in, shows nothing.
    if (ow <= 0 || oh <= 0 || area.width <= 0 || area.height <= 0)
        return;
    float scale = 0;
    int left = area.x, top = area.y, w = area.width, h = area.height;
    if (float(area.width) / float(area.height) < r) {
        scale = float(area.width) / float(ow);
        top = int((float(area.height) - float(oh) * scale) * 0.5f + float(area.y));
        h = int(float(oh) * scale);
    } else {
        scale = float(area.height) / float(oh);
        left = int((float(area.width) - float(ow) * scale) * 0.5f + float(area.x));
        w = int(float(ow) * scale);
    }
    minimapRect[0] = left;
    minimapRect[1] = top;
    minimapRect[2] = w;
    minimapRect[3] = h;
    minimapScale = scale;
    minimapMatrix = sMatrix4{};
    minimapMatrix.m[0] = scale;
    minimapMatrix.m[5] = scale;
    minimapOverlay[0] = int(float(left) / scale);
    minimapOverlay[1] = int(float(top) / scale);
    minimapOverlay[2] = ow;
    minimapOverlay[3] = oh;
    // The minimap panel shows the part of the picture that the map covers, in this place.
    if (g_DialogLinks.setMinimapRect)
        g_DialogLinks.setMinimapRect(left, top, w, h, ow, oh);
    RequestMinimapOverlayUpdate();
    UpdateViewFrame();
}

void cMapa::UpdateMinimapOverlay()
{
    m_MinimapOverlayDirty = false;
    const int mode = g_UserSettings.minimapOwnershipMode;
    cTexture* overlay = g_Textures[TEX_MINIMAP_OVERLAY].Get();
    if (mode == 0 || !overlay || m_Hexes.empty() || minimapOverlay[2] <= 0 || minimapOverlay[3] <= 0)
        return;
    int pitch = 0;
    uint32_t* texels = overlay->LockPixels(&pitch);
    if (!texels)
        return;
    // A texture made anew by the device may be smaller than the overlay.
    const int ow = minimapOverlay[2], oh = minimapOverlay[3];
    const int w = std::min(ow, overlay->Width()), h = std::min(oh, overlay->Height());
    for (int j = 0; j < h; ++j)
        for (int i = 0; i < w; ++i) {
            const int x = int(int64_t(i) * width / ow), y = int(int64_t(j) * height / oh);
            texels[size_t(j) * size_t(pitch) + size_t(i)] = OverlayTexel(*GetHex(x, y), mode);
        }
    overlay->UnlockPixels();
}

void cMapa::DrawMinimapOverlay()
{
    cSprite* sprite = g_Sprite.get();
    cTexture* overlay = g_Textures[TEX_MINIMAP_OVERLAY].Get();
    if (!sprite || !overlay || g_UserSettings.minimapOwnershipMode == 0 || minimapRect[2] <= 0)
        return;
    if (m_MinimapOverlayDirty)
        UpdateMinimapOverlay();
    const bool begun = !sprite->IsBegun() && Succeeded(sprite->Begin(SPRITE_ALPHABLEND));
    DrawSpriteScaled(sprite, overlay, sRect{0, 0, minimapOverlay[2], minimapOverlay[3]}, float(minimapRect[0]),
                     float(minimapRect[1]), float(minimapRect[2]), float(minimapRect[3]), 0xFFFFFFFF, 0.0f, false);
    if (begun)
        sprite->End();
}

void cMapa::DrawMinimapViewFrame()
{
    cLine* line = g_Line.get();
    if (!line || minimapRect[2] <= 0)
        return;
    sPointF points[5];
    for (int i = 0; i < 5; ++i)
        points[i] = {viewFrame[i].x, viewFrame[i].y};
    line->SetWidth(1.0f);
    line->Begin();
    line->Draw(points, 5, 0xFFFF0000);
    line->End();
}
