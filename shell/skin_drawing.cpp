#include "shell/skin_drawing.h"

#include <algorithm>
#include <span>

#include "platform/font.h"
#include "platform/sprite.h"
#include "platform/text_layout.h"
#include "platform/texture.h"
#include "shell/draw_helpers.h"
#include "shell/frame_callbacks.h"
#include "shell/skin_levels.h"
#include "world/country.h"
#include "world/world.h"

void DrawSkinPiece(cTexture* texture, const gui_atlas::sRect& source, float x, float y, float width, float height,
                   float depth, tColor color)
{
    cSprite* sprite = g_Sprite.get();
    if (!sprite || !texture || source.Width() <= 0 || source.Height() <= 0)
        return;
    // Skin pictures are drawn at every zoom: filtered, and from their smaller levels far out.
    if (!texture->IsSmooth())
        texture->SetSmooth(true);
    sprite->DrawStretched(texture, sRectF{float(source.left), float(source.top), float(source.right), float(source.bottom)},
                          sRectF{x, y, x + width, y + height}, depth, color);
}

void DrawSkinPiece(cTexture* texture, const sRect& source, float x, float y, float width, float height, float depth,
                   tColor color)
{
    DrawSkinPiece(texture, gui_atlas::sRect{source.left, source.top, source.right, source.bottom}, x, y, width, height,
                  depth, color);
}

namespace {

// width: the widest the label may be, in the units of the anchor (0: any width).
void DrawLabelAt(const sTextStyle& style, const std::wstring& text, sPointF anchor, bool below, float depth, bool scaled,
                 bool name, float width = 0)
{
    cSprite* sprite = g_Sprite.get();
    if (!sprite || !style.font || text.empty())
        return;
    const sMatrix2D saved = sprite->GetTransform();
    const sPointF at = scaled ? anchor : saved.Apply(anchor);
    if (!scaled)
        sprite->SetTransform(sMatrix2D::Identity());
    const int x = int(at.x), y = int(at.y), h = style.font->LineHeight();
    const uint32_t format = DT_CENTER | (below ? DT_TOP : DT_VCENTER) | DT_SINGLELINE | DT_NOCLIP;
    const int top = below ? y : y - h, bottom = y + h;
    static constexpr sTextOffset kShadow[] = {{1, 1}};
    static constexpr sTextOffset kOutline[] = {{-1, 0}, {1, 0}, {0, -1}, {0, 1}, {1, 1}};
    const sRect place{x - 1000, top, x + 1000, bottom};
    std::wstring shown = text;
    if (width > 0) {
        // The width as drawn: the map's zoom widens or narrows it, not the text's own size.
        const float across = scaled ? width : saved.Apply(sPointF{anchor.x + width, anchor.y}).x - at.x;
        const int half = std::max(1, int(across / 2));
        const sTextLayout fitted = LayoutText(*style.font, text, sRect{x - half, top, x + half, bottom},
                                              DT_CENTER | DT_SINGLELINE | DT_END_ELLIPSIS);
        if (!fitted.lines.empty())
            shown = fitted.lines.front().text;
    }
    style.font->DrawBackedLine(sprite, shown, place, format, style.color1, style.color2,
                               name ? std::span<const sTextOffset>(kOutline) : std::span<const sTextOffset>(kShadow),
                               depth);
    sprite->SetTransform(saved);
}

} // namespace

void DrawSkinLabel(const sTextStyle& style, const std::wstring& text, const sRectF& rect, float depth, bool scaled,
                   bool name, bool fit)
{
    DrawLabelAt(style, text, sPointF{(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2}, false, depth, scaled,
                name, fit ? rect.right - rect.left : 0);
}

void DrawSkinLabelBelow(const sTextStyle& style, const std::wstring& text, const sRectF& rect, float depth)
{
    DrawLabelAt(style, text, sPointF{(rect.left + rect.right) / 2, rect.top}, true, depth, false, true);
}

float MapLayerDepth(int layer) { return g_SpriteDepths[size_t(std::clamp(layer, 0, kSpriteDepthEntries - 1))].scale; }

int MapLayerId(int layer) { return g_SpriteDepths[size_t(std::clamp(layer, 0, kSpriteDepthEntries - 1))].depth; }

tColor CountryMapColor(int countryId)
{
    const std::vector<cPanstwo*>* countries = g_World.countries;
    if (!countries || countryId < 1 || countryId > int(countries->size()))
        return 0xFF9A968A;
    return (*countries)[size_t(countryId - 1)]->Color1 | 0xFF000000u;
}
