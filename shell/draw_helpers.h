#pragma once
// Small drawing routines shared by the screens: a scaled sprite draw, the nine-piece GUI
// box, the map skin's sprite-depth table and the square fit for pictures.
#include <array>
#include <string>

#include "gui/layout.h"
#include "platform/sprite.h"

// Draws the source rectangle of the texture stretched over the destination rectangle
// through the sprite's transform: scaling first, then (with combine) the transform the
// sprite had. The sprite's transform is put back afterwards.
tResult DrawSpriteScaled(cSprite* sprite, cTexture* texture, const sRect& src, float x, float y, float width, float height,
                         tColor color, float depth, bool combine);

// A box of GUI picture pieces (corners, stretched edges and centre) at x, y of the size,
// and, when pictureIndex is 0 or more, that picture of the GUI picture's grid drawn into
// pictureDest (x, y, width, height).
void DrawGuiBox(int x, int y, int width, int height, int pictureIndex, const sLayoutRect& pictureDest);

struct sSpriteDepth
{
    int depth = 0;
    float scale = 0.0f;
};
constexpr int kSpriteDepthEntries = 18;
extern std::array<sSpriteDepth, kSpriteDepthEntries> g_SpriteDepths;

// Reads the map skin's sprites_depth.csv; a missing file changes nothing.
void LoadSpriteDepthTable(const std::wstring& path);

// Makes the rectangle (x, y, width, height) a square of its shorter side, placed by the
// modes (0 start, 2 end, other centre); returns the new side over the old width.
float FitSquareInRect(sLayoutRect& rect, int horizontalMode, int verticalMode);
