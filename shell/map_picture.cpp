// The still layers of the map kept in tiles of the screen's pixels: a frame copies the tiles
// in view and draws only what moves over them. A tile is drawn anew when it comes into view,
// at a new zoom, and when anything it shows has changed (a hex, the skin, the map options),
// which its signature tells at every frame: nothing has to announce a change.
#include <algorithm>
#include <cmath>
#include <cstring>

#include "core/settings.h"
#include "platform/renderer.h"
#include "platform/sprite.h"
#include "shell/frame_callbacks.h"
#include "shell/map_picture.h"
#include "shell/map_skin.h"
#include "shell/skin_atlas.h"
#include "shell/skin_drawing.h"
#include "shell/skin_levels.h"
#include "shell/textures.h"
#include "world/country.h"
#include "world/map.h"
#include "world/world.h"

using skin_atlas::kCellSize;
using skin_atlas::kMapLayerCount;

namespace {

struct sHash
{
    uint64_t h = 1469598103934665603ull;
    void Mix(uint64_t v)
    {
        h ^= v;
        h *= 1099511628211ull;
    }
};

// What every tile shows alike: the map options, the skin, the layer table and the zoom.
void MixSettings(sHash& hash)
{
    const sUserSettings& s = g_UserSettings;
    hash.Mix(uint64_t(s.mapMode) | uint64_t(s.ownershipMode) << 8 | uint64_t(s.borderMode) << 16 |
             uint64_t(s.showGrid) << 24 | uint64_t(s.showWeather) << 25 | uint64_t(s.showSeaZonesBorders) << 26 |
             uint64_t(s.borderColor) << 32);
    hash.Mix(uint64_t(MapSkinGeneration()) ^ uint64_t(uintptr_t(g_Textures[TEX_TERRAIN].Get())) << 8 ^
             uint64_t(uintptr_t(g_Textures[TEX_OTHERS].Get())) << 9 ^
             uint64_t(uintptr_t(g_Textures[TEX_EYECANDIES].Get())) << 10);
    for (int layer = 0; layer < kMapLayerCount; ++layer) {
        uint32_t depth = 0;
        const float d = MapLayerDepth(layer);
        std::memcpy(&depth, &d, sizeof depth);
        hash.Mix(uint64_t(MapLayerId(layer)) << 32 | depth);
    }
    uint32_t zoom = 0;
    std::memcpy(&zoom, &g_MapZoom, sizeof zoom);
    hash.Mix(zoom);
    if (const std::vector<cPanstwo*>* countries = g_World.countries)
        for (size_t id = 1; id <= countries->size(); ++id)
            hash.Mix(CountryMapColor(int(id)));
}

uint64_t TileKey(int column, int row) { return uint64_t(uint32_t(column)) << 32 | uint32_t(row); }

} // namespace

void sMapPictureDeleter::operator()(sMapPicture* picture) const { delete picture; }

uint64_t cMapa::StillLayersSignature(int firstColumn, int endColumn, int firstRow, int endRow) const
{
    sHash hash;
    MixSettings(hash);
    const sUserSettings& s = g_UserSettings;
    const bool countries = s.ownershipMode != 0 || s.mapMode == 2;
    uint32_t borderBits = 0;
    if (s.borderMode == 1)
        borderBits |= 0x38;
    else if (s.borderMode == 2)
        borderBits |= 0x07;
    if (s.showSeaZonesBorders)
        borderBits |= 0x1C0;
    const bool decorated = m_Decorations.size() == m_Hexes.size();
    for (int y = firstRow; y < endRow; ++y)
        for (int x = firstColumn; x < endColumn; ++x) {
            const size_t i = size_t(y) * size_t(width) + size_t(x);
            const sHex& h = m_Hexes[i];
            hash.Mix(uint64_t(h.terrain) | uint64_t(h.variant) << 8 | uint64_t(std::min<uint32_t>(h.weather, 3)) << 16 |
                     uint64_t(h.riverMask) << 24 | uint64_t(h.borders & borderBits) << 32 |
                     uint64_t(h.fortification) << 48 | uint64_t(h.city != nullptr) << 56 | uint64_t(h.coastal) << 57);
            if (countries)
                hash.Mix(uint64_t(h.controller) | uint64_t(h.owner) << 8);
            if (decorated && m_Decorations[i].gate > 0.5f) {
                const sHexDecoration& d = m_Decorations[i];
                hash.Mix(uint64_t(uint32_t(d.layer)) ^ uint64_t(uint32_t(d.cell[0])) << 8 ^
                         uint64_t(uint32_t(d.cell[2])) << 24 ^ uint64_t(uint32_t(d.cell[4])) << 40);
                hash.Mix(uint64_t(uint32_t(d.cell[1])) ^ uint64_t(uint32_t(d.cell[3])) << 16 ^
                         uint64_t(uint32_t(d.cell[5])) << 32);
                uint32_t gate = 0;
                std::memcpy(&gate, &d.gate, sizeof gate);
                hash.Mix(gate);
            }
        }
    return hash.h;
}

bool cMapa::PrepareStillPicture(float offsetX, float offsetY)
{
    cSprite* sprite = g_Sprite.get();
    cRenderer* device = sprite ? sprite->GetDevice() : nullptr;
    const float s = currentScale;
    if (!device || s <= 0.0f || !MarkStillLayers())
        return false;
    if (!m_Picture)
        m_Picture.reset(new sMapPicture());
    sMapPicture& p = *m_Picture;
    if (p.tileScale != s) {
        p.tiles.clear();
        p.tileScale = s;
    }
    constexpr int T = kMapTileSize;
    // The tiles lie at whole pixels, so that each copies without blending or filtering.
    const int ox = int(std::lround(offsetX * s)), oy = int(std::lround(offsetY * s));
    const int W = g_UserSettings.resolutionX, H = g_UserSettings.resolutionY;
    const float mapW = float(width * kHexWidth + kCellSize) * s;
    const float mapH = float(height * kHexHeight + kHexHalfHeight + kCellSize) * s;
    const int firstI = std::max(0, FloorDiv(-ox, T));
    const int endI = std::min(int(std::ceil(mapW / float(T))), FloorDiv(W - 1 - ox, T) + 1);
    const int firstJ = std::max(0, FloorDiv(-oy, T));
    const int endJ = std::min(int(std::ceil(mapH / float(T))), FloorDiv(H - 1 - oy, T) + 1);

    // Tiles more than a tile away from the view go; those next to it stay for scrolling back.
    std::erase_if(p.tiles, [&](const auto& entry) {
        const int i = int(int32_t(entry.first >> 32)), j = int(int32_t(uint32_t(entry.first)));
        return i < firstI - 1 || i > endI || j < firstJ - 1 || j > endJ;
    });

    struct sPlaced
    {
        cTexture* picture;
        int i, j;
    };
    std::vector<sPlaced> placed;
    // Two map pixels more each side at the zoom: a piece drawn from a smaller level grows by
    // part of a pixel.
    const float margin = 2.0f / s;
    for (int j = firstJ; j < endJ; ++j)
        for (int i = firstI; i < endI; ++i) {
            const float left = float(i * T) / s - margin, right = float((i + 1) * T) / s + margin;
            const float top = float(j * T) / s - margin, bottom = float((j + 1) * T) / s + margin;
            const int firstColumn = std::max(0, int(std::floor((left - float(kCellSize)) / float(kHexWidth))));
            const int endColumn = std::min(width, int(std::floor(right / float(kHexWidth))) + 1);
            const int firstRow =
                std::max(0, int(std::floor((top - float(kCellSize + kHexHalfHeight)) / float(kHexHeight))));
            const int endRow = std::min(height, int(std::floor(bottom / float(kHexHeight))) + 1);
            const uint64_t signature = StillLayersSignature(firstColumn, endColumn, firstRow, endRow);
            sMapTile& tile = p.tiles[TileKey(i, j)];
            if (!tile.picture) {
                tile.picture = cTexture::CreateTarget(T, T);
                if (!tile.picture)
                    return false;
                tile.picture->SetOpaque(true);
            }
            const bool lost = tile.picture->TakeTargetLost();
            if (lost || tile.signature != signature) {
                if (!device->SetRenderTarget(tile.picture.get())) {
                    p.tiles.erase(TileKey(i, j));
                    return false;
                }
                // The frame's batch stays as it is; the tile has a batch of its own.
                std::unique_ptr<cSprite> frameSprite = std::move(g_Sprite);
                g_Sprite = std::make_unique<cSprite>(device);
                // Opaque like the frame under it, so that edges blend into the same black as there.
                device->Clear(0xFF000000);
                g_Sprite->Begin(SPRITE_ALPHABLEND | SPRITE_SORT_DEPTH_BACKTOFRONT);
                g_Sprite->SetTransform(sMatrix2D::Scaling(s, s) * sMatrix2D::Translation(-float(i * T), -float(j * T)));
                g_MapLayerPass = kStillLayers;
                DrawHexes(firstColumn, endColumn, firstRow, endRow, 0.0f, 0.0f, 0);
                g_MapLayerPass = kEveryLayer;
                g_Sprite->End();
                g_Sprite = std::move(frameSprite);
                device->SetRenderTarget(nullptr);
                tile.picture->TakeTargetLost();
                tile.signature = signature;
            }
            placed.push_back({tile.picture.get(), i, j});
        }

    // Behind everything the hexes draw over them.
    const sMatrix2D saved = sprite->GetTransform();
    sprite->SetTransform(sMatrix2D::Identity());
    for (const sPlaced& t : placed) {
        const float x = float(t.i * T + ox), y = float(t.j * T + oy);
        sprite->DrawStretched(t.picture, sRectF{0, 0, float(T), float(T)}, sRectF{x, y, x + float(T), y + float(T)}, 1.0f,
                              0xFFFFFFFF);
    }
    sprite->SetTransform(saved);
    return true;
}
