#pragma once
// Writing the movies (MPEG-4 video in AVI) and the credits music (Vorbis in Ogg) with
// libavformat and libavcodec. Both write bit-exact files: the same input gives the same
// bytes on every run.
#include <cairo.h>

#include <memory>
#include <string>
#include <vector>

class cMovieWriter
{
public:
    cMovieWriter();
    ~cMovieWriter();
    // False (with the reason on stderr) when the file cannot be written.
    bool Open(const std::string& path, int width, int height, int framesPerSecond);
    // One frame: an ARGB32 surface of the movie's size.
    bool AddFrame(cairo_surface_t* frame);
    bool Close();

private:
    struct sImpl;
    std::unique_ptr<sImpl> m;
};

// Mono samples from -1 to 1 at the rate, as Ogg Vorbis.
bool WriteOggVorbis(const std::string& path, const std::vector<float>& samples, int sampleRate);
