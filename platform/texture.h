#pragma once
// A picture for drawing. Its pixels live in memory (ARGB, 8 bits a channel) and can be
// decoded or written on any thread; the copy on the renderer is made on the main thread
// at the picture's first use, and refreshed there after the pixels were written.
#include <cstdint>
#include <filesystem>
#include <memory>
#include <mutex>
#include <string>

struct SDL_Surface;
struct SDL_Texture;
struct SDL_Renderer;

class cTexture
{
public:
    ~cTexture();
    cTexture(const cTexture&) = delete;
    cTexture& operator=(const cTexture&) = delete;

    // Decodes a picture file (PNG and the other formats of SDL_image). Null when the file
    // cannot be read or decoded; error then says why.
    static std::unique_ptr<cTexture> LoadFromFile(const std::filesystem::path& path, std::string* error = nullptr);
    // A transparent black picture whose pixels the code writes. Null for a size below 1.
    static std::unique_ptr<cTexture> CreateBlank(int width, int height);
    // Takes over a surface of any pixel format (freed here); null when it cannot be converted.
    static std::unique_ptr<cTexture> AdoptSurface(SDL_Surface* surface);
    // A picture that the renderer draws into (cRenderer::SetRenderTarget); it has no pixels in
    // memory, and its content is lost with its renderer. Null for a size below 1.
    static std::unique_ptr<cTexture> CreateTarget(int width, int height);

    int Width() const { return m_Width; }
    int Height() const { return m_Height; }

    // Direct access to the pixels: row y starts at pixels + y * pitch (pitch in pixels).
    // Unlock marks the picture for a new upload. Null for a render target (then no unlock).
    uint32_t* LockPixels(int* pitch);
    void UnlockPixels();
    // One pixel, ARGB; 0 outside the picture.
    uint32_t PixelAt(int x, int y) const;

    // Main thread only: the renderer's copy, made or refreshed as needed; null on failure.
    SDL_Texture* GetDeviceTexture(SDL_Renderer* renderer);

    // A smooth picture is filtered when drawn larger or smaller, and drawn from a copy of
    // half, a quarter ... of its size when it is drawn much smaller (its levels).
    enum eCover {
        kAverageCover, // a pixel of a level is as opaque as the pixels it stands for, on average
        kKeepCover,    // as opaque as the most opaque of them: thin lines stay seen
        kGrowCover,    // that, and what it shows grows by a pixel at every level: pieces that
                       // tile edge to edge overlap, and meet without a seam, at any level
    };
    void SetSmooth(bool smooth, eCover cover = kAverageCover);
    bool IsSmooth() const { return m_Smooth; }
    // Level 0 is the picture itself, each further level half the size of the one before;
    // made at first use from the pixels (main thread), dropped when the pixels change.
    cTexture* Reduced(int level);
    bool IsTarget() const { return m_Target; }
    // An opaque picture replaces what lies under it instead of blending with it: the same
    // where every pixel is opaque, and much faster for a renderer without a graphics card.
    void SetOpaque(bool opaque);
    bool IsOpaque() const { return m_Opaque; }
    // True once after the renderer made a render target anew: what was drawn into it is gone.
    bool TakeTargetLost();

private:
    cTexture(SDL_Surface* pixels);

    SDL_Surface* m_Pixels = nullptr; // ARGB8888, owned
    int m_Width = 0;
    int m_Height = 0;
    mutable std::mutex m_Mutex;
    bool m_Dirty = true;
    SDL_Texture* m_Device = nullptr;
    uint64_t m_DeviceGeneration = 0;
    bool m_Smooth = false;
    eCover m_Cover = kAverageCover;
    bool m_Target = false;
    bool m_Opaque = false;
    bool m_TargetLost = true;
    std::unique_ptr<cTexture> m_Half;
};

// The renderer's lifetime, as the textures see it. Each new renderer starts a new
// generation, so copies made for an old one are never used or freed again.
void BeginRendererGeneration(SDL_Renderer* renderer);
void EndRendererGeneration();
// Frees, on the main thread, the renderer copies of textures deleted on other threads.
void FreeRetiredDeviceTextures();
// For device textures made outside cTexture (a movie's frames): the generation of the
// renderer when it is the current one (else 0), and the release of such a texture, which
// does nothing when its renderer has gone and taken it along.
uint64_t RendererGenerationOf(SDL_Renderer* renderer);
void ReleaseDeviceTexture(SDL_Texture* texture, uint64_t generation);
// Marks the calling thread as the one that owns the renderer.
void SetRenderThread();
bool IsRenderThread();
