#pragma once
// A sprite batch: pictures (and text) drawn between Begin and End through one transform,
// modulated by a colour, and put in depth order when the batch asks for it. A smooth
// picture drawn much smaller than its size is drawn from one of its smaller levels.
#include <cstdint>
#include <vector>

#include "platform/messages.h"
#include "platform/renderer.h"

// Begin flags.
constexpr uint32_t SPRITE_ALPHABLEND = 0x0010;
// Larger depths are drawn first; equal depths keep their order.
constexpr uint32_t SPRITE_SORT_DEPTH_BACKTOFRONT = 0x0040;
// Smaller depths are drawn first.
constexpr uint32_t SPRITE_SORT_DEPTH_FRONTTOBACK = 0x0080;

struct sVector3
{
    float x = 0;
    float y = 0;
    float z = 0;
};

// The smallest level a smooth picture is drawn from: a sixteenth of its size.
constexpr int kSmoothLevels = 4;

class cSprite
{
public:
    explicit cSprite(cRenderer* device) : m_Device(device) {}

    // Fails when the batch has begun already.
    tResult Begin(uint32_t flags);
    // Draws what was collected; the batch stays open.
    tResult Flush();
    // Draws what was collected and closes the batch.
    tResult End();
    bool IsBegun() const { return m_Begun; }
    // Pieces collected and not yet drawn.
    size_t PendingCount() const { return m_Items.size(); }

    void SetTransform(const sMatrix2D& transform) { m_Transform = transform; }
    const sMatrix2D& GetTransform() const { return m_Transform; }

    // Draws the source rectangle of the texture (null: all of it) with its centre point
    // (null: the top-left corner) at the position; position z is the depth (0 front, 1 back).
    tResult Draw(cTexture* texture, const sRect* src, const sVector3* center, const sVector3* position, tColor color);
    // The same with a fractional source rectangle (text pieces cut by a clip rectangle).
    tResult DrawF(cTexture* texture, const sRectF& src, sPointF topLeft, float depth, tColor color);
    // The source rectangle stretched over the destination rectangle (before the transform).
    tResult DrawStretched(cTexture* texture, const sRectF& src, const sRectF& dest, float depth, tColor color);

    cRenderer* GetDevice() const { return m_Device; }

private:
    struct sItem
    {
        sQuad quad;
        float depth;
    };

    cRenderer* m_Device;
    bool m_Begun = false;
    uint32_t m_Flags = 0;
    sMatrix2D m_Transform;
    std::vector<sItem> m_Items;
};

// A line drawer: polylines of one width in one colour.
class cLine
{
public:
    explicit cLine(cRenderer* device) : m_Device(device) {}

    void SetWidth(float width) { m_Width = width; }
    float GetWidth() const { return m_Width; }
    tResult Begin();
    // Draws the segments between consecutive points.
    tResult Draw(const sPointF* points, int count, tColor color);
    tResult End();

private:
    cRenderer* m_Device;
    float m_Width = 1.0f;
    bool m_Begun = false;
};
