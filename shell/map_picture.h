#pragma once
// The pictures of the map's still layers (terrain, rivers, weather, ownership, borders, grid,
// fortifications), so that a frame copies them and draws only the few things that change
// over them: square tiles of the screen's pixels that hold the part of the map in view.
#include <cstdint>
#include <memory>
#include <unordered_map>

#include "platform/texture.h"

// Which layers a drawing pass draws: all of them, only the still ones (into a picture), or
// only the others (over the picture).
enum eLayerPass { kEveryLayer, kStillLayers, kMovingLayers };
extern eLayerPass g_MapLayerPass;
// Decides which layers are still with the current skin: those behind everything that moves.
// False when none is.
bool MarkStillLayers();

// The side of a tile in screen pixels.
constexpr int kMapTileSize = 256;

struct sMapTile
{
    std::unique_ptr<cTexture> picture; // a render target
    uint64_t signature = 0;            // of what it shows
};

struct sMapPicture
{
    // The tiles of the view, by column and row of the tile grid at tileScale (tile (0, 0)
    // starts at the map's origin).
    std::unordered_map<uint64_t, sMapTile> tiles;
    float tileScale = 0.0f;
};
