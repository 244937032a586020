#include "platform/texture.h"

#include <SDL.h>
#include <SDL_image.h>

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

cTexture::cTexture(SDL_Surface* pixels) : m_Pixels(pixels), m_Width(pixels->w), m_Height(pixels->h) {}

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

uint32_t* cTexture::LockPixels(int* pitch)
{
    m_Mutex.lock();
    if (pitch)
        *pitch = m_Pixels->pitch / 4;
    return static_cast<uint32_t*>(m_Pixels->pixels);
}

void cTexture::UnlockPixels()
{
    m_Dirty = true;
    m_Mutex.unlock();
}

uint32_t cTexture::PixelAt(int x, int y) const
{
    if (x < 0 || y < 0 || x >= m_Width || y >= m_Height)
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
        m_Device = SDL_CreateTexture(renderer, SDL_PIXELFORMAT_ARGB8888, SDL_TEXTUREACCESS_STATIC, m_Width, m_Height);
        if (!m_Device)
            return nullptr;
        SDL_SetTextureBlendMode(m_Device, SDL_BLENDMODE_BLEND);
        m_DeviceGeneration = generation;
        m_Dirty = true;
    }
    if (m_Dirty) {
        SDL_UpdateTexture(m_Device, nullptr, m_Pixels->pixels, m_Pixels->pitch);
        m_Dirty = false;
    }
    return m_Device;
}
