#pragma once
// The device the game draws on: one back buffer of the screen size, textured and plain
// quads, four-colour rectangles, lines and a clip rectangle. The window's renderer draws
// with SDL; the recording renderer keeps the list of calls for tests.
#include <memory>
#include <optional>

#include "platform/geometry.h"

class cTexture;

// A quad to draw: corners in the order top-left, top-right, bottom-right, bottom-left;
// src is in texture pixels. Without a texture the quad is filled with the colour.
struct sQuad
{
    cTexture* texture = nullptr;
    sRectF src;
    sPointF corners[4];
    tColor color = 0xFFFFFFFF; // modulates the texture
};

class cRenderer
{
public:
    virtual ~cRenderer() = default;

    int BackBufferWidth() const { return m_Width; }
    int BackBufferHeight() const { return m_Height; }

    virtual bool BeginScene() = 0;
    virtual void EndScene() = 0;
    virtual void Clear(tColor color) = 0;
    virtual void DrawQuad(const sQuad& quad) = 0;
    virtual void FillRect(const sRectF& rect, tColor color) = 0;
    virtual void FillGradientRect(const sRectF& rect, tColor topLeft, tColor topRight, tColor bottomLeft, tColor bottomRight) = 0;
    virtual void DrawLine(sPointF from, sPointF to, float width, tColor color) = 0;
    // Draws into a render target (cTexture::CreateTarget) from now on; null is the back buffer.
    // False when the target cannot be drawn into; drawing then goes on where it went before.
    virtual bool SetRenderTarget(cTexture* target) = 0;
    // Limits drawing to the rectangle (back-buffer pixels); null switches the limit off.
    void SetClipRect(const sRect* clip)
    {
        if (clip)
            m_Clip = *clip;
        else
            m_Clip.reset();
        ApplyClipRect(clip);
    }
    std::optional<sRect> GetClipRect() const { return m_Clip; }

protected:
    cRenderer(int width, int height) : m_Width(width), m_Height(height) {}

    // What the device does when the clip rectangle changes.
    virtual void ApplyClipRect(const sRect* clip) = 0;

private:
    int m_Width;
    int m_Height;
    std::optional<sRect> m_Clip;
};
