#include "platform/sdl_renderer.h"

#include <SDL.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "platform/texture.h"

namespace {

SDL_Color ToSdl(tColor c) { return SDL_Color{Uint8(ColorR(c)), Uint8(ColorG(c)), Uint8(ColorB(c)), Uint8(ColorA(c))}; }

SDL_Vertex Vertex(sPointF p, tColor c, float u = 0, float v = 0)
{
    SDL_Vertex vertex;
    vertex.position = SDL_FPoint{p.x, p.y};
    vertex.color = ToSdl(c);
    vertex.tex_coord = SDL_FPoint{u, v};
    return vertex;
}

const int kQuadIndices[6] = {0, 1, 2, 0, 2, 3};

} // namespace

std::unique_ptr<cSdlRenderer> cSdlRenderer::Create(SDL_Window* window, int width, int height)
{
    SDL_Renderer* r = SDL_CreateRenderer(window, -1, SDL_RENDERER_ACCELERATED);
    if (!r)
        r = SDL_CreateRenderer(window, -1, SDL_RENDERER_SOFTWARE);
    if (!r)
        return nullptr;
    SDL_RenderSetLogicalSize(r, width, height);
    SDL_SetRenderDrawBlendMode(r, SDL_BLENDMODE_BLEND);
    BeginRendererGeneration(r);
    return std::unique_ptr<cSdlRenderer>(new cSdlRenderer(r, width, height));
}

cSdlRenderer::cSdlRenderer(SDL_Renderer* renderer, int width, int height)
    : cRenderer(width, height), m_Renderer(renderer)
{
}

cSdlRenderer::~cSdlRenderer()
{
    EndRendererGeneration();
    SDL_DestroyRenderer(m_Renderer);
}

bool cSdlRenderer::BeginScene()
{
    if (m_InScene)
        return false;
    FreeRetiredDeviceTextures();
    m_InScene = true;
    return true;
}

void cSdlRenderer::EndScene()
{
    m_InScene = false;
    SetClipRect(nullptr);
}

void cSdlRenderer::Clear(tColor color)
{
    SDL_Color c = ToSdl(color);
    SDL_SetRenderDrawBlendMode(m_Renderer, SDL_BLENDMODE_NONE);
    SDL_SetRenderDrawColor(m_Renderer, c.r, c.g, c.b, c.a);
    SDL_RenderClear(m_Renderer);
    SDL_SetRenderDrawBlendMode(m_Renderer, SDL_BLENDMODE_BLEND);
}

void cSdlRenderer::DrawQuad(const sQuad& quad)
{
    if (!quad.texture) {
        SDL_Vertex v[4];
        for (int i = 0; i < 4; ++i)
            v[i] = Vertex(quad.corners[i], quad.color);
        SDL_RenderGeometry(m_Renderer, nullptr, v, 4, kQuadIndices, 6);
        return;
    }
    SDL_Texture* t = quad.texture->GetDeviceTexture(m_Renderer);
    if (!t)
        return;
    const sPointF* p = quad.corners;
    bool axisAligned = p[0].y == p[1].y && p[2].y == p[3].y && p[0].x == p[3].x && p[1].x == p[2].x && p[1].x > p[0].x &&
                       p[3].y > p[0].y;
    float srcW = quad.src.right - quad.src.left;
    float srcH = quad.src.bottom - quad.src.top;
    bool wholePixels = std::floor(quad.src.left) == quad.src.left && std::floor(quad.src.top) == quad.src.top &&
                       std::floor(srcW) == srcW && std::floor(srcH) == srcH;
    if (axisAligned && wholePixels && srcW > 0 && srcH > 0) {
        SDL_Color c = ToSdl(quad.color);
        SDL_SetTextureColorMod(t, c.r, c.g, c.b);
        SDL_SetTextureAlphaMod(t, c.a);
        SDL_Rect src{int(quad.src.left), int(quad.src.top), int(srcW), int(srcH)};
        SDL_FRect dst{p[0].x, p[0].y, p[1].x - p[0].x, p[3].y - p[0].y};
        SDL_RenderCopyF(m_Renderer, t, &src, &dst);
        return;
    }
    float tw = float(quad.texture->Width());
    float th = float(quad.texture->Height());
    SDL_Vertex v[4] = {
        Vertex(p[0], quad.color, quad.src.left / tw, quad.src.top / th),
        Vertex(p[1], quad.color, quad.src.right / tw, quad.src.top / th),
        Vertex(p[2], quad.color, quad.src.right / tw, quad.src.bottom / th),
        Vertex(p[3], quad.color, quad.src.left / tw, quad.src.bottom / th),
    };
    SDL_SetTextureColorMod(t, 255, 255, 255);
    SDL_SetTextureAlphaMod(t, 255);
    SDL_RenderGeometry(m_Renderer, t, v, 4, kQuadIndices, 6);
}

void cSdlRenderer::FillRect(const sRectF& rect, tColor color)
{
    SDL_Color c = ToSdl(color);
    SDL_SetRenderDrawColor(m_Renderer, c.r, c.g, c.b, c.a);
    SDL_FRect r{rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top};
    SDL_RenderFillRectF(m_Renderer, &r);
}

void cSdlRenderer::FillGradientRect(const sRectF& rect, tColor topLeft, tColor topRight, tColor bottomLeft, tColor bottomRight)
{
    SDL_Vertex v[4] = {
        Vertex({rect.left, rect.top}, topLeft),
        Vertex({rect.right, rect.top}, topRight),
        Vertex({rect.right, rect.bottom}, bottomRight),
        Vertex({rect.left, rect.bottom}, bottomLeft),
    };
    SDL_RenderGeometry(m_Renderer, nullptr, v, 4, kQuadIndices, 6);
}

void cSdlRenderer::DrawLine(sPointF from, sPointF to, float width, tColor color)
{
    SDL_Color c = ToSdl(color);
    if (width <= 1.5f) {
        SDL_SetRenderDrawColor(m_Renderer, c.r, c.g, c.b, c.a);
        SDL_RenderDrawLineF(m_Renderer, from.x, from.y, to.x, to.y);
        return;
    }
    float dx = to.x - from.x;
    float dy = to.y - from.y;
    float length = std::sqrt(dx * dx + dy * dy);
    if (length <= 0)
        return;
    float nx = -dy / length * width / 2;
    float ny = dx / length * width / 2;
    SDL_Vertex v[4] = {
        Vertex({from.x + nx, from.y + ny}, color),
        Vertex({to.x + nx, to.y + ny}, color),
        Vertex({to.x - nx, to.y - ny}, color),
        Vertex({from.x - nx, from.y - ny}, color),
    };
    SDL_RenderGeometry(m_Renderer, nullptr, v, 4, kQuadIndices, 6);
}

void cSdlRenderer::ApplyClipRect(const sRect* clip)
{
    if (!clip) {
        SDL_RenderSetClipRect(m_Renderer, nullptr);
        return;
    }
    SDL_Rect r{clip->left, clip->top, std::max(0, clip->Width()), std::max(0, clip->Height())};
    SDL_RenderSetClipRect(m_Renderer, &r);
}

void cSdlRenderer::Present() { SDL_RenderPresent(m_Renderer); }

std::vector<uint32_t> cSdlRenderer::ReadPixels()
{
    std::vector<uint32_t> pixels(size_t(BackBufferWidth()) * size_t(BackBufferHeight()));
    // The logical size scales only drawing; reading uses the output size, which equals
    // the back buffer in a window of that size (the case of the tests and screenshots).
    int outW = 0, outH = 0;
    SDL_GetRendererOutputSize(m_Renderer, &outW, &outH);
    if (outW != BackBufferWidth() || outH != BackBufferHeight())
        return {};
    SDL_RenderReadPixels(m_Renderer, nullptr, SDL_PIXELFORMAT_ARGB8888, pixels.data(), BackBufferWidth() * 4);
    return pixels;
}

bool cSdlRenderer::SetRenderTarget(cTexture* target)
{
    SDL_Texture* device = nullptr;
    if (target) {
        device = target->IsTarget() ? target->GetDeviceTexture(m_Renderer) : nullptr;
        if (!device)
            return false;
    }
    return SDL_SetRenderTarget(m_Renderer, device) == 0;
}

