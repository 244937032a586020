#pragma once
// The picture of the map's still layers (terrain, rivers, weather, ownership, borders, grid,
// fortifications) drawn once at the current zoom when the whole map is far out, so that a
// frame draws one picture and the few things that change over it.
#include <cstdint>
#include <memory>

#include "platform/texture.h"

struct sMapPicture
{
    std::unique_ptr<cTexture> picture; // a render target
    float scale = 0.0f;                 // the zoom it was drawn at
    uint64_t signature = 0;             // of what it shows
    uint32_t drawnAtMs = 0;
    uint32_t scaleSettledAtMs = 0;
    float lastSeenScale = 0.0f;
};
