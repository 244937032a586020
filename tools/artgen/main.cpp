// Draws every picture the game loads from data/gfx/, from code.
// Usage: velmorant-artgen OUTPUT_DIR            (writes GUI.png, wallpapers, logos, the skins, ...)
//        velmorant-artgen --contact-sheet FILE  (a sheet of every element in each state)
#include <fontconfig/fontconfig.h>

#include <filesystem>
#include <fstream>
#include <iostream>
#include <string>

#include "tools/artgen/art.h"
#include "tools/artgen/canvas.h"

namespace {

int WriteAll(const std::filesystem::path& dir)
{
    for (const sPictureFile& file : PictureFiles()) {
        std::filesystem::path path = dir / file.path;
        std::error_code ec;
        std::filesystem::create_directories(path.parent_path(), ec);
        cairo_surface_t* surface = file.render();
        bool ok = WritePng(surface, path.string());
        cairo_surface_destroy(surface);
        if (!ok) {
            std::cerr << path.string() << ": cannot write\n";
            return 1;
        }
    }
    for (const sTableFile& file : TableFiles()) {
        std::filesystem::path path = dir / file.path;
        std::error_code ec;
        std::filesystem::create_directories(path.parent_path(), ec);
        std::ofstream out(path, std::ios::binary);
        out << file.text();
        if (!out.flush()) {
            std::cerr << path.string() << ": cannot write\n";
            return 1;
        }
    }
    return 0;
}

int WriteContactSheet(const std::string& path)
{
    cairo_surface_t* atlas = RenderGuiAtlas();
    cairo_surface_t* sheet = RenderContactSheet(atlas);
    bool ok = WritePng(sheet, path);
    cairo_surface_destroy(sheet);
    cairo_surface_destroy(atlas);
    if (!ok) {
        std::cerr << path << ": cannot write\n";
        return 1;
    }
    return 0;
}

} // namespace

// Frees cairo's and fontconfig's caches, so leak checkers see a clean exit.
int Finish(int code)
{
    cairo_debug_reset_static_data();
    FcFini();
    return code;
}

int main(int argc, char** argv)
{
    if (argc == 3 && std::string(argv[1]) == "--contact-sheet")
        return Finish(WriteContactSheet(argv[2]));
    if (argc == 2 && argv[1][0] != '-')
        return Finish(WriteAll(argv[1]));
    std::cerr << "usage: velmorant-artgen OUTPUT_DIR\n"
                 "       velmorant-artgen --contact-sheet FILE\n";
    return 2;
}
