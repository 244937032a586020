#include "platform/sprite.h"

#include <algorithm>
#include <cmath>

#include "platform/texture.h"

tResult cSprite::Begin(uint32_t flags)
{
    if (m_Begun)
        return E_FAIL;
    m_Begun = true;
    m_Flags = flags;
    m_Items.clear();
    return S_OK;
}

tResult cSprite::Flush()
{
    if (!m_Begun)
        return E_FAIL;
    if (m_Flags & SPRITE_SORT_DEPTH_BACKTOFRONT)
        std::stable_sort(m_Items.begin(), m_Items.end(), [](const sItem& a, const sItem& b) { return a.depth > b.depth; });
    else if (m_Flags & SPRITE_SORT_DEPTH_FRONTTOBACK)
        std::stable_sort(m_Items.begin(), m_Items.end(), [](const sItem& a, const sItem& b) { return a.depth < b.depth; });
    for (const auto& item : m_Items)
        m_Device->DrawQuad(item.quad);
    m_Items.clear();
    return S_OK;
}

tResult cSprite::End()
{
    tResult r = Flush();
    m_Begun = false;
    return r;
}

tResult cSprite::Draw(cTexture* texture, const sRect* src, const sVector3* center, const sVector3* position, tColor color)
{
    if (!m_Begun || !texture)
        return E_FAIL;
    sRectF s = src ? sRectF{float(src->left), float(src->top), float(src->right), float(src->bottom)}
                   : sRectF{0, 0, float(texture->Width()), float(texture->Height())};
    sPointF topLeft{position ? position->x : 0.0f, position ? position->y : 0.0f};
    if (center) {
        topLeft.x -= center->x;
        topLeft.y -= center->y;
    }
    return DrawF(texture, s, topLeft, position ? position->z : 0.0f, color);
}

tResult cSprite::DrawF(cTexture* texture, const sRectF& src, sPointF topLeft, float depth, tColor color)
{
    float w = src.right - src.left;
    float h = src.bottom - src.top;
    return DrawStretched(texture, src, sRectF{topLeft.x, topLeft.y, topLeft.x + w, topLeft.y + h}, depth, color);
}

tResult cSprite::DrawStretched(cTexture* texture, const sRectF& src, const sRectF& dest, float depth, tColor color)
{
    if (!m_Begun || !texture)
        return E_FAIL;
    sItem item;
    item.depth = depth;
    item.quad.texture = texture;
    item.quad.src = src;
    sRectF to = dest;
    if (texture->IsSmooth() && src.right > src.left && src.bottom > src.top) {
        // Drawn at a fraction of its size: from the smaller copy that is nearest above it.
        const float sx = std::fabs(m_Transform.m11) * (dest.right - dest.left) / (src.right - src.left);
        const float sy = std::fabs(m_Transform.m22) * (dest.bottom - dest.top) / (src.bottom - src.top);
        const float shown = std::max(sx, sy);
        int level = 0;
        while (level < kSmoothLevels && shown * float(2 << level) <= 1.0f)
            ++level;
        if (level > 0) {
            // The piece widened to whole texels of that level, and the destination with it,
            // so that no renderer drops a part of a texel at its edges.
            const float k = 1.0f / float(1 << level);
            const sRectF exact{src.left * k, src.top * k, src.right * k, src.bottom * k};
            const sRectF whole{std::floor(exact.left), std::floor(exact.top), std::ceil(exact.right), std::ceil(exact.bottom)};
            const float perX = (dest.right - dest.left) / (exact.right - exact.left);
            const float perY = (dest.bottom - dest.top) / (exact.bottom - exact.top);
            to = sRectF{dest.left - (exact.left - whole.left) * perX, dest.top - (exact.top - whole.top) * perY,
                        dest.right + (whole.right - exact.right) * perX, dest.bottom + (whole.bottom - exact.bottom) * perY};
            item.quad.texture = texture->Reduced(level);
            item.quad.src = whole;
        }
    }
    item.quad.color = color;
    item.quad.corners[0] = m_Transform.Apply({to.left, to.top});
    item.quad.corners[1] = m_Transform.Apply({to.right, to.top});
    item.quad.corners[2] = m_Transform.Apply({to.right, to.bottom});
    item.quad.corners[3] = m_Transform.Apply({to.left, to.bottom});
    m_Items.push_back(item);
    return S_OK;
}

tResult cLine::Begin()
{
    if (m_Begun)
        return E_FAIL;
    m_Begun = true;
    return S_OK;
}

tResult cLine::Draw(const sPointF* points, int count, tColor color)
{
    if (!points || count < 2)
        return E_INVALIDARG;
    for (int i = 1; i < count; ++i)
        m_Device->DrawLine(points[i - 1], points[i], m_Width, color);
    return S_OK;
}

tResult cLine::End()
{
    if (!m_Begun)
        return E_FAIL;
    m_Begun = false;
    return S_OK;
}
