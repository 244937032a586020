// Draws the intro movies and the credits movie (MPEG-4 in AVI, 640 x 480 at 20 frames a
// second) and writes the credits music (Ogg Vorbis) into the game's data folder.
// Usage: velmorant-moviegen DATA_DIR
#include <cairo.h>

#include <filesystem>
#include <iostream>
#include <string>

#include "tools/moviegen/encoders.h"
#include "tools/moviegen/movies.h"
#include "tools/soundgen/synth.h"

namespace {

bool WriteMovie(const sMovie& movie, const std::filesystem::path& dir)
{
    cMovieWriter writer;
    const std::string path = (dir / movie.file).string();
    if (!writer.Open(path, kMovieWidth, kMovieHeight, kMovieFps))
        return false;
    cairo_surface_t* frame = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, kMovieWidth, kMovieHeight);
    bool ok = true;
    const int frames = int(movie.seconds * kMovieFps + 0.5);
    for (int i = 0; ok && i < frames; ++i) {
        cairo_t* cr = cairo_create(frame);
        movie.draw(cr, double(i) / kMovieFps);
        cairo_destroy(cr);
        ok = writer.AddFrame(frame);
    }
    cairo_surface_destroy(frame);
    return writer.Close() && ok;
}

} // namespace

int main(int argc, char** argv)
{
    const char* usage = "usage: velmorant-moviegen DATA_DIR\n";
    // An option is never a folder: "--help" would otherwise fill a folder of that name.
    if (argc == 2 && (std::string(argv[1]) == "--help" || std::string(argv[1]) == "-h")) {
        std::cout << usage;
        return 0;
    }
    if (argc != 2 || argv[1][0] == '-') {
        std::cerr << usage;
        return 2;
    }
    const std::filesystem::path dir = argv[1];
    std::error_code ec;
    std::filesystem::create_directories(dir, ec);
    for (const sMovie& movie : GameMovies())
        if (!WriteMovie(movie, dir)) {
            std::cerr << (dir / movie.file).string() << ": cannot write\n";
            return 1;
        }
    if (!WriteOggVorbis((dir / "credits.ogg").string(), CreditsMusic(), kSampleRate))
        return 1;
    return 0;
}
