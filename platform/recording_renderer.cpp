#include "platform/recording_renderer.h"

bool cRecordingRenderer::BeginScene()
{
    sRecordedCall call;
    call.kind = sRecordedCall::kBeginScene;
    m_Calls.push_back(call);
    return true;
}

void cRecordingRenderer::EndScene()
{
    sRecordedCall call;
    call.kind = sRecordedCall::kEndScene;
    m_Calls.push_back(call);
}

void cRecordingRenderer::Clear(tColor color)
{
    sRecordedCall call;
    call.kind = sRecordedCall::kClear;
    call.colors[0] = color;
    m_Calls.push_back(call);
}

void cRecordingRenderer::DrawQuad(const sQuad& quad)
{
    sRecordedCall call;
    call.kind = sRecordedCall::kQuad;
    call.quad = quad;
    m_Calls.push_back(call);
}

void cRecordingRenderer::FillRect(const sRectF& rect, tColor color)
{
    sRecordedCall call;
    call.kind = sRecordedCall::kFillRect;
    call.rect = rect;
    call.colors[0] = color;
    m_Calls.push_back(call);
}

void cRecordingRenderer::FillGradientRect(const sRectF& rect, tColor topLeft, tColor topRight, tColor bottomLeft,
                                          tColor bottomRight)
{
    sRecordedCall call;
    call.kind = sRecordedCall::kGradientRect;
    call.rect = rect;
    call.colors[0] = topLeft;
    call.colors[1] = topRight;
    call.colors[2] = bottomLeft;
    call.colors[3] = bottomRight;
    m_Calls.push_back(call);
}

void cRecordingRenderer::DrawLine(sPointF from, sPointF to, float width, tColor color)
{
    sRecordedCall call;
    call.kind = sRecordedCall::kLine;
    call.from = from;
    call.to = to;
    call.width = width;
    call.colors[0] = color;
    m_Calls.push_back(call);
}

void cRecordingRenderer::ApplyClipRect(const sRect* clip)
{
    sRecordedCall call;
    call.kind = sRecordedCall::kClip;
    call.clipOn = clip != nullptr;
    if (clip)
        call.clip = *clip;
    m_Calls.push_back(call);
}

std::vector<sQuad> cRecordingRenderer::Quads() const
{
    std::vector<sQuad> quads;
    for (const auto& call : m_Calls)
        if (call.kind == sRecordedCall::kQuad)
            quads.push_back(call.quad);
    return quads;
}

bool cRecordingRenderer::SetRenderTarget(cTexture* target)
{
    sRecordedCall call;
    call.kind = sRecordedCall::kTarget;
    call.target = target;
    m_Calls.push_back(call);
    return true;
}
