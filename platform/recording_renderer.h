#pragma once
// A renderer that draws nothing and keeps the list of calls, so that tests can check
// what the drawing code asked for without a display.
#include <string>
#include <vector>

#include "platform/renderer.h"

struct sRecordedCall
{
    enum eKind { kClear, kQuad, kFillRect, kGradientRect, kLine, kClip, kBeginScene, kEndScene, kTarget };
    eKind kind = kClear;
    sQuad quad;              // kQuad
    sRectF rect;             // kFillRect, kGradientRect
    tColor colors[4] = {};   // kClear, kFillRect, kGradientRect (top-left, top-right, bottom-left, bottom-right), kLine
    sPointF from, to;        // kLine
    float width = 0;         // kLine
    bool clipOn = false;     // kClip
    sRect clip;              // kClip
    cTexture* target = nullptr; // kTarget: null is the back buffer
};

class cRecordingRenderer : public cRenderer
{
public:
    cRecordingRenderer(int width = 1024, int height = 768) : cRenderer(width, height) {}

    bool BeginScene() override;
    void EndScene() override;
    void Clear(tColor color) override;
    void DrawQuad(const sQuad& quad) override;
    void FillRect(const sRectF& rect, tColor color) override;
    void FillGradientRect(const sRectF& rect, tColor topLeft, tColor topRight, tColor bottomLeft, tColor bottomRight) override;
    void DrawLine(sPointF from, sPointF to, float width, tColor color) override;
    bool SetRenderTarget(cTexture* target) override;

    const std::vector<sRecordedCall>& Calls() const { return m_Calls; }
    // Only the textured and plain quads, in drawing order.
    std::vector<sQuad> Quads() const;
    void ClearCalls() { m_Calls.clear(); }

protected:
    void ApplyClipRect(const sRect* clip) override;

private:
    std::vector<sRecordedCall> m_Calls;
};
