#pragma once
// Drawing pieces of the skins into the frame's sprite batch: a rectangle of a skin picture
// stretched over a destination at a depth, the depth and id of a map layer, and a label of
// a skin's text style. Labels are drawn at the screen place of their rectangle but at the
// font's own size, so that names and figures stay readable at every zoom.
#include <string>

#include "gui/gui_atlas.h"
#include "platform/geometry.h"

class cTexture;
struct sTextStyle;

// The destination is in the units of the sprite's transform (map pixels on the map).
void DrawSkinPiece(cTexture* texture, const gui_atlas::sRect& source, float x, float y, float width, float height,
                   float depth, tColor color = 0xFFFFFFFF);
void DrawSkinPiece(cTexture* texture, const sRect& source, float x, float y, float width, float height, float depth,
                   tColor color = 0xFFFFFFFF);
// Shadow (the style's second colour, a pixel right and down), then the text in the first
// colour, centred on the centre of the rectangle. Nothing without the style's font. A
// scaled label is drawn through the sprite's transform like the pieces (panel icons). A
// name is outlined in the second colour all round: it lies over neighbouring counters and
// hexes, and must read on any of them. A fitted label is no wider than the rectangle: a
// longer text ends in an ellipsis.
void DrawSkinLabel(const sTextStyle& style, const std::wstring& text, const sRectF& rect, float depth,
                   bool scaled = false, bool name = false, bool fit = false);
// A name hanging from the middle of the rectangle's top edge: the text keeps its size in
// screen pixels at every zoom, so a name under a counter stays under it however far out.
void DrawSkinLabelBelow(const sTextStyle& style, const std::wstring& text, const sRectF& rect, float depth);

// The names of units and cities stand in front of every map layer (whose depths run from
// 0.6 to 0.99): a neighbour's counter or a marked hex's outline never hides one.
constexpr float kMapNameDepth = 0.599f;

// A map layer's depth (0 front, 1 back) and its id, the depth level that a hex's
// decoration names to hide it (shell/skin_atlas.h lists the layers).
float MapLayerDepth(int layer);
int MapLayerId(int layer);

// The colour a country is drawn in on the map, opaque; grey for no country.
tColor CountryMapColor(int countryId);
