// The scenario's pictures, drawn from the map: minimap.png (terrain, kMinimapScale pixels
// a hex) and image.png (the countries of the first day, for the scenario list).
#include <SDL2/SDL.h>
#include <SDL2/SDL_image.h>

#include <cmath>

#include "tools/scenariogen/output.h"

namespace {

constexpr uint32_t kSea = 0xFF284A78u;
constexpr uint32_t kLake = 0xFF3A6090u;

uint32_t TerrainColour(int terrain)
{
    static const uint32_t colours[8] = {kSea,        0xFF9DB872u, 0xFF4F7A3Cu, 0xFFA39A6Eu,
                                        0xFF6F8F7Au, 0xFF8C8A58u, 0xFF8E8578u, 0xFFD8C48Eu};
    return colours[terrain & 7];
}

uint32_t Mix(uint32_t a, uint32_t b, double t)
{
    uint32_t out = 0xFF000000u;
    for (int shift = 0; shift < 24; shift += 8) {
        const double ca = double((a >> shift) & 0xFF), cb = double((b >> shift) & 0xFF);
        out |= uint32_t(std::lround(ca + (cb - ca) * t)) << shift;
    }
    return out;
}

bool Save(SDL_Surface* surface, const std::string& path, std::string& error)
{
    const bool ok = surface && IMG_SavePNG(surface, path.c_str()) == 0;
    if (!ok)
        error = path + ": cannot write the picture";
    SDL_FreeSurface(surface);
    return ok;
}

// The colour of hex (x, y) for the picture of the given kind.
uint32_t HexColour(const sScenario& s, int x, int y, bool political)
{
    const sGeography& geo = s.geo;
    const int terrain = geo.TerrainCode(x, y);
    if (terrain == 0)
        return s.zoneNodeByCode.count(geo.ZoneAt(x, y)) ? kSea : kLake;
    if (!political)
        return TerrainColour(terrain);
    const int country = s.CountryIdAt(x, y);
    const uint32_t base = country ? s.countries[size_t(country - 1)].colour | 0xFF000000u : 0xFF909090u;
    // A touch of the terrain keeps the mountains readable.
    return Mix(base, TerrainColour(terrain), 0.2);
}

SDL_Surface* DrawMap(const sScenario& s, int scale, bool political)
{
    const int w = s.geo.grid.width * scale, h = s.geo.grid.height * scale + scale / 2;
    SDL_Surface* surface = SDL_CreateRGBSurfaceWithFormat(0, w, h, 32, SDL_PIXELFORMAT_ARGB8888);
    if (!surface)
        return nullptr;
    SDL_FillRect(surface, nullptr, kSea);
    for (int y = 0; y < s.geo.grid.height; ++y)
        for (int x = 0; x < s.geo.grid.width; ++x) {
            const SDL_Rect r{x * scale, y * scale + (x % 2 == 0 ? scale / 2 : 0), scale, scale};
            SDL_FillRect(surface, &r, HexColour(s, x, y, political));
        }
    // Borders in ink, as on a printed map of the day.
    if (political)
        for (int y = 0; y < s.geo.grid.height; ++y)
            for (int x = 0; x < s.geo.grid.width; ++x) {
                if (!s.geo.IsLand(x, y))
                    continue;
                const int top = y * scale + (x % 2 == 0 ? scale / 2 : 0);
                const int country = s.CountryIdAt(x, y);
                auto differs = [&](int nx, int ny) {
                    return s.geo.Inside(nx, ny) && s.geo.IsLand(nx, ny) && s.CountryIdAt(nx, ny) != country;
                };
                const auto n = Neighbours(x, y);
                if (differs(n[3].first, n[3].second)) {
                    const SDL_Rect r{x * scale, top + scale - 1, scale, 1};
                    SDL_FillRect(surface, &r, 0xFF303030u);
                }
                if (differs(n[1].first, n[1].second) || differs(n[2].first, n[2].second)) {
                    const SDL_Rect r{x * scale + scale - 1, top, 1, scale};
                    SDL_FillRect(surface, &r, 0xFF303030u);
                }
            }
    // Cities as dots, capitals larger.
    for (const sCitySource& c : s.cities) {
        bool capital = false;
        for (const sCountrySource& k : s.countries)
            capital = capital || k.capital == c.name;
        const int size = capital ? scale : std::max(1, scale / 2);
        const SDL_Rect r{c.x * scale + (scale - size) / 2, c.y * scale + (c.x % 2 == 0 ? scale / 2 : 0) + (scale - size) / 2,
                         size, size};
        SDL_FillRect(surface, &r, capital ? 0xFFFFFFFFu : 0xFF202020u);
    }
    return surface;
}

} // namespace

bool WritePictures(const sScenario& s, const std::string& folder, std::string& error)
{
    if (!Save(DrawMap(s, kMinimapScale, false), folder + "/minimap.png", error))
        return false;
    // image.png: the political map fitted into 512 x 512, the rest sea.
    SDL_Surface* map = DrawMap(s, 4, true);
    SDL_Surface* image = SDL_CreateRGBSurfaceWithFormat(0, 512, 512, 32, SDL_PIXELFORMAT_ARGB8888);
    if (!map || !image) {
        SDL_FreeSurface(map);
        SDL_FreeSurface(image);
        error = "cannot make the scenario picture";
        return false;
    }
    SDL_FillRect(image, nullptr, kSea);
    const double scale = std::min(512.0 / map->w, 512.0 / map->h);
    const int w = int(map->w * scale), h = int(map->h * scale);
    const int ox = (512 - w) / 2, oy = (512 - h) / 2;
    // Nearest-pixel scaling: the same pixels on every machine.
    const auto* src = static_cast<const uint32_t*>(map->pixels);
    auto* dst = static_cast<uint32_t*>(image->pixels);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            const int sx = std::min(map->w - 1, int(x / scale)), sy = std::min(map->h - 1, int(y / scale));
            dst[(oy + y) * (image->pitch / 4) + ox + x] = src[sy * (map->pitch / 4) + sx];
        }
    SDL_FreeSurface(map);
    return Save(image, folder + "/image.png", error);
}
