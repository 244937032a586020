#include "platform/texture.h"

#include <SDL.h>
#include <SDL_image.h>

#include <algorithm>
#include <atomic>
#include <thread>
#include <vector>

namespace {

std::mutex g_GenerationMutex;
SDL_Renderer* g_CurrentRenderer = nullptr;
uint64_t g_Generation = 0;
std::vector<std::pair<SDL_Texture*, uint64_t>> g_Retired;
std::atomic<std::thread::id> g_RenderThread{};

void RetireDeviceTexture(SDL_Texture* texture, uint64_t generation)
{
    if (!texture)
        return;
    std::lock_guard<std::mutex> guard(g_GenerationMutex);
    if (generation != g_Generation)
        return; // its renderer is gone and took the copy with it
    if (IsRenderThread()) {
        SDL_DestroyTexture(texture);
        return;
    }
    g_Retired.emplace_back(texture, generation);
}

// Destroys the retired copies of the current renderer; the caller holds g_GenerationMutex.
void DestroyRetiredTextures()
{
    for (auto& [texture, generation] : g_Retired)
        if (generation == g_Generation)
            SDL_DestroyTexture(texture);
    g_Retired.clear();
}

// Gives the clear pixels next to coloured ones the colour of those: a filtered picture
// then blends its edges with its own colour rather than with black. Growing also makes
// them as opaque as the most opaque of those neighbours, for one pass.
void BleedColours(SDL_Surface* surface, int passes, bool grow = false)
{
    const int w = surface->w, h = surface->h;
    auto* base = static_cast<uint8_t*>(surface->pixels);
    auto at = [&](int x, int y) -> uint32_t& { return reinterpret_cast<uint32_t*>(base + y * surface->pitch)[x]; };
    std::vector<uint8_t> coloured(size_t(w) * size_t(h));
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            coloured[size_t(y) * size_t(w) + size_t(x)] = (at(x, y) >> 24) != 0;
    std::vector<std::pair<int, uint32_t>> fills;
    for (int pass = 0; pass < passes; ++pass) {
        fills.clear();
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x) {
                if (coloured[size_t(y) * size_t(w) + size_t(x)])
                    continue;
                uint32_t r = 0, g = 0, b = 0, n = 0, a = 0;
                for (int dy = -1; dy <= 1; ++dy)
                    for (int dx = -1; dx <= 1; ++dx) {
                        const int nx = x + dx, ny = y + dy;
                        if (nx < 0 || ny < 0 || nx >= w || ny >= h || !coloured[size_t(ny) * size_t(w) + size_t(nx)])
                            continue;
                        const uint32_t p = at(nx, ny);
                        r += (p >> 16) & 0xFF;
                        g += (p >> 8) & 0xFF;
                        b += p & 0xFF;
                        a = std::max(a, p >> 24);
                        ++n;
                    }
                if (n)
                    fills.emplace_back(y * w + x, ((grow && pass == 0 ? a : 0u) << 24) | ((r / n) << 16) |
                                                      ((g / n) << 8) | (b / n));
            }
        if (fills.empty())
            break;
        for (const auto& [index, colour] : fills) {
            at(index % w, index / w) = colour; // clear unless grown: only its colour changes
            coloured[size_t(index)] = 1;
        }
    }
}

// The pixel format of the window the renderer draws on.
Uint32 ScreenFormat(SDL_Renderer* renderer)
{
    SDL_Window* window = SDL_RenderGetWindow(renderer);
    return window ? SDL_GetWindowPixelFormat(window) : Uint32(SDL_PIXELFORMAT_UNKNOWN);
}

} // namespace

uint64_t RendererGenerationOf(SDL_Renderer* renderer)
{
    std::lock_guard<std::mutex> guard(g_GenerationMutex);
    return renderer && renderer == g_CurrentRenderer ? g_Generation : 0;
}

void ReleaseDeviceTexture(SDL_Texture* texture, uint64_t generation) { RetireDeviceTexture(texture, generation); }

void SetRenderThread() { g_RenderThread = std::this_thread::get_id(); }
bool IsRenderThread() { return g_RenderThread.load() == std::this_thread::get_id(); }

void BeginRendererGeneration(SDL_Renderer* renderer)
{
    std::lock_guard<std::mutex> guard(g_GenerationMutex);
    ++g_Generation;
    g_CurrentRenderer = renderer;
    g_Retired.clear();
}

void EndRendererGeneration()
{
    std::lock_guard<std::mutex> guard(g_GenerationMutex);
    DestroyRetiredTextures();
    ++g_Generation;
    g_CurrentRenderer = nullptr;
}

void FreeRetiredDeviceTextures()
{
    std::lock_guard<std::mutex> guard(g_GenerationMutex);
    DestroyRetiredTextures();
}

cTexture::cTexture(SDL_Surface* pixels)
    : m_Pixels(pixels), m_Width(pixels ? pixels->w : 0), m_Height(pixels ? pixels->h : 0)
{
}

cTexture::~cTexture()
{
    RetireDeviceTexture(m_Device, m_DeviceGeneration);
    SDL_FreeSurface(m_Pixels);
}

std::unique_ptr<cTexture> cTexture::LoadFromFile(const std::filesystem::path& path, std::string* error)
{
    SDL_Surface* decoded = IMG_Load(path.string().c_str());
    if (!decoded) {
        if (error)
            *error = IMG_GetError();
        return nullptr;
    }
    SDL_Surface* argb = SDL_ConvertSurfaceFormat(decoded, SDL_PIXELFORMAT_ARGB8888, 0);
    SDL_FreeSurface(decoded);
    if (!argb) {
        if (error)
            *error = SDL_GetError();
        return nullptr;
    }
    return std::unique_ptr<cTexture>(new cTexture(argb));
}

std::unique_ptr<cTexture> cTexture::CreateBlank(int width, int height)
{
    if (width < 1 || height < 1)
        return nullptr;
    SDL_Surface* s = SDL_CreateRGBSurfaceWithFormat(0, width, height, 32, SDL_PIXELFORMAT_ARGB8888);
    if (!s)
        return nullptr;
    SDL_FillRect(s, nullptr, 0);
    return std::unique_ptr<cTexture>(new cTexture(s));
}

std::unique_ptr<cTexture> cTexture::AdoptSurface(SDL_Surface* surface)
{
    if (!surface)
        return nullptr;
    SDL_Surface* argb = surface;
    if (surface->format->format != SDL_PIXELFORMAT_ARGB8888) {
        argb = SDL_ConvertSurfaceFormat(surface, SDL_PIXELFORMAT_ARGB8888, 0);
        SDL_FreeSurface(surface);
        if (!argb)
            return nullptr;
    }
    return std::unique_ptr<cTexture>(new cTexture(argb));
}

std::unique_ptr<cTexture> cTexture::CreateTarget(int width, int height)
{
    if (width < 1 || height < 1)
        return nullptr;
    std::unique_ptr<cTexture> target(new cTexture(nullptr));
    target->m_Width = width;
    target->m_Height = height;
    target->m_Target = true;
    return target;
}

uint32_t* cTexture::LockPixels(int* pitch)
{
    if (!m_Pixels)
        return nullptr;
    m_Mutex.lock();
    if (pitch)
        *pitch = m_Pixels->pitch / 4;
    return static_cast<uint32_t*>(m_Pixels->pixels);
}

void cTexture::UnlockPixels()
{
    if (!m_Pixels)
        return;
    m_Dirty = true;
    m_Half.reset();
    m_Mutex.unlock();
}

uint32_t cTexture::PixelAt(int x, int y) const
{
    if (!m_Pixels || x < 0 || y < 0 || x >= m_Width || y >= m_Height)
        return 0;
    std::lock_guard<std::mutex> guard(m_Mutex);
    const auto* row = reinterpret_cast<const uint32_t*>(static_cast<const uint8_t*>(m_Pixels->pixels) + y * m_Pixels->pitch);
    return row[x];
}

SDL_Texture* cTexture::GetDeviceTexture(SDL_Renderer* renderer)
{
    uint64_t generation;
    {
        std::lock_guard<std::mutex> guard(g_GenerationMutex);
        if (renderer != g_CurrentRenderer)
            return nullptr;
        generation = g_Generation;
    }
    std::lock_guard<std::mutex> guard(m_Mutex);
    if (m_Device && m_DeviceGeneration != generation) {
        m_Device = nullptr; // made for a renderer that no longer exists
        m_Dirty = true;
    }
    if (!m_Device) {
        // An opaque picture drawn into has no alpha to keep: in the screen's own format it is
        // copied onto it as it stands, where a format with alpha is converted pixel by pixel.
        const Uint32 format =
            m_Target && m_Opaque && ScreenFormat(renderer) == SDL_PIXELFORMAT_RGB888 ? SDL_PIXELFORMAT_RGB888
                                                                                   : SDL_PIXELFORMAT_ARGB8888;
        m_Device = SDL_CreateTexture(renderer, format, m_Target ? SDL_TEXTUREACCESS_TARGET : SDL_TEXTUREACCESS_STATIC,
                                     m_Width, m_Height);
        if (!m_Device)
            return nullptr;
        SDL_SetTextureBlendMode(m_Device, m_Opaque ? SDL_BLENDMODE_NONE : SDL_BLENDMODE_BLEND);
        SDL_SetTextureScaleMode(m_Device, m_Smooth ? SDL_ScaleModeLinear : SDL_ScaleModeNearest);
        m_DeviceGeneration = generation;
        m_Dirty = true;
        m_TargetLost = true;
    }
    if (m_Target)
        return m_Device;
    if (m_Dirty) {
        SDL_UpdateTexture(m_Device, nullptr, m_Pixels->pixels, m_Pixels->pitch);
        m_Dirty = false;
    }
    return m_Device;
}

void cTexture::SetSmooth(bool smooth, eCover cover)
{
    std::lock_guard<std::mutex> guard(m_Mutex);
    if (smooth && !m_Smooth && m_Pixels) {
        BleedColours(m_Pixels, 2);
        m_Dirty = true;
    }
    m_Smooth = smooth;
    if (m_Cover != cover)
        m_Half.reset();
    m_Cover = cover;
    if (m_Device)
        SDL_SetTextureScaleMode(m_Device, smooth ? SDL_ScaleModeLinear : SDL_ScaleModeNearest);
}

void cTexture::SetOpaque(bool opaque)
{
    std::lock_guard<std::mutex> guard(m_Mutex);
    m_Opaque = opaque;
    if (m_Device)
        SDL_SetTextureBlendMode(m_Device, opaque ? SDL_BLENDMODE_NONE : SDL_BLENDMODE_BLEND);
}

bool cTexture::TakeTargetLost()
{
    std::lock_guard<std::mutex> guard(m_Mutex);
    const bool lost = m_TargetLost;
    m_TargetLost = false;
    return lost;
}

cTexture* cTexture::Reduced(int level)
{
    if (level <= 0 || !m_Pixels || (m_Width == 1 && m_Height == 1))
        return this;
    if (!m_Half) {
        std::lock_guard<std::mutex> guard(m_Mutex);
        const int w = (m_Width + 1) / 2, h = (m_Height + 1) / 2;
        SDL_Surface* half = SDL_CreateRGBSurfaceWithFormat(0, w, h, 32, SDL_PIXELFORMAT_ARGB8888);
        if (!half)
            return this;
        const auto* src = static_cast<const uint8_t*>(m_Pixels->pixels);
        auto* dst = static_cast<uint8_t*>(half->pixels);
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x) {
                // The colours are averaged by their coverage, so that edges do not darken.
                uint32_t sumA = 0, sumR = 0, sumG = 0, sumB = 0, maxA = 0;
                for (int dy = 0; dy < 2; ++dy)
                    for (int dx = 0; dx < 2; ++dx) {
                        const int sx = std::min(2 * x + dx, m_Width - 1), sy = std::min(2 * y + dy, m_Height - 1);
                        const uint32_t p = reinterpret_cast<const uint32_t*>(src + sy * m_Pixels->pitch)[sx];
                        const uint32_t a = p >> 24;
                        sumA += a;
                        maxA = std::max(maxA, a);
                        sumR += ((p >> 16) & 0xFF) * a;
                        sumG += ((p >> 8) & 0xFF) * a;
                        sumB += (p & 0xFF) * a;
                    }
                uint32_t out = 0;
                if (sumA > 0)
                    out = ((m_Cover == kAverageCover ? sumA / 4 : maxA) << 24) | ((sumR / sumA) << 16) | ((sumG / sumA) << 8) |
                          (sumB / sumA);
                reinterpret_cast<uint32_t*>(dst + y * half->pitch)[x] = out;
            }
        // Tiles grow by a texel at every level, so that neighbours still overlap at any size.
        BleedColours(half, 2, m_Cover == kGrowCover);
        m_Half.reset(new cTexture(half));
        m_Half->m_Smooth = m_Smooth;
        m_Half->m_Cover = m_Cover;
    }
    return m_Half->Reduced(level - 1);
}
