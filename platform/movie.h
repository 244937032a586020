#pragma once
// A movie file decoded with libavformat and libavcodec; its frames are converted with
// libswscale straight into a streaming texture and drawn over the back buffer at its own shape.
// Video only: movies that carry sound have it played from a file of its own.
#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>

struct SDL_Renderer;
struct SDL_Texture;

class cMovie
{
public:
    // Null when the file cannot be opened or holds no video stream that can be decoded;
    // error then says why.
    static std::unique_ptr<cMovie> Open(const std::filesystem::path& path, std::string* error = nullptr);
    ~cMovie();
    cMovie(const cMovie&) = delete;
    cMovie& operator=(const cMovie&) = delete;

    int Width() const;
    int Height() const;

    // Decodes up to the frame due at that many seconds from the start. False once the
    // movie is over: the last frame has been shown for its whole duration.
    bool AdvanceTo(double seconds);
    // Frames decoded so far.
    int FramesDecoded() const;

    // Draws the current frame over the whole back buffer of the renderer (main thread).
    void Draw(SDL_Renderer* renderer);

private:
    cMovie();
    struct sImpl;
    std::unique_ptr<sImpl> m;
};
