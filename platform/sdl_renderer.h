#pragma once
// The window's renderer, over SDL_Renderer. Main thread only.
#include <cstdint>
#include <memory>
#include <vector>

#include "platform/renderer.h"

struct SDL_Window;
struct SDL_Renderer;

class cSdlRenderer : public cRenderer
{
public:
    // The back buffer has the given size whatever the window's size: the picture is
    // scaled to the window. Null when SDL cannot make a renderer for the window.
    static std::unique_ptr<cSdlRenderer> Create(SDL_Window* window, int width, int height);
    ~cSdlRenderer() override;

    bool BeginScene() override;
    void EndScene() override;
    void Clear(tColor color) override;
    void DrawQuad(const sQuad& quad) override;
    void FillRect(const sRectF& rect, tColor color) override;
    void FillGradientRect(const sRectF& rect, tColor topLeft, tColor topRight, tColor bottomLeft, tColor bottomRight) override;
    void DrawLine(sPointF from, sPointF to, float width, tColor color) override;
    bool SetRenderTarget(cTexture* target) override;

    void Present();
    // The back buffer as ARGB pixels, row by row (screenshots and tests).
    std::vector<uint32_t> ReadPixels();
    SDL_Renderer* GetSdlRenderer() const { return m_Renderer; }

protected:
    void ApplyClipRect(const sRect* clip) override;

private:
    cSdlRenderer(SDL_Renderer* renderer, int width, int height);

    SDL_Renderer* m_Renderer;
    bool m_InScene = false;
};
