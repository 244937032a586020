// The flags of the countries of 1939 under "Flags/", one per country name, as the game
// looks them up (data\gfx\Flags\<name>.png). Where the flag of the day bore a symbol that
// some countries ban, the flag is the neutral one war games use instead: Germany flies the
// black, white and red of the Reich with the cross of its armed forces, the Soviet Union a
// plain red banner.
#include <cmath>
#include <iterator>
#include <utility>

#include "gui/gui_atlas.h"
#include "tools/artgen/art.h"
#include "tools/artgen/canvas.h"

using gui_atlas::kFlagHeight;
using gui_atlas::kFlagWidth;

namespace {

constexpr double W = kFlagWidth, H = kFlagHeight;

void Bands(cairo_t* cr, std::initializer_list<uint32_t> colours, bool vertical)
{
    const double n = double(colours.size());
    int i = 0;
    for (uint32_t c : colours) {
        if (vertical)
            FillRect(cr, std::floor(W * i / n), 0, std::ceil(W / n) + 1, H, Rgb(c));
        else
            FillRect(cr, 0, std::floor(H * i / n), W, std::ceil(H / n) + 1, Rgb(c));
        ++i;
    }
}

// A Nordic cross: the field, the cross, and an inner cross when `inner` is not 0.
void NordicCross(cairo_t* cr, uint32_t field, uint32_t cross, uint32_t inner)
{
    FillRect(cr, 0, 0, W, H, Rgb(field));
    const double cx = W * 0.36, cy = H / 2, t = H * 0.22;
    FillRect(cr, cx - t / 2, 0, t, H, Rgb(cross));
    FillRect(cr, 0, cy - t / 2, W, t, Rgb(cross));
    if (inner) {
        const double u = t * 0.5;
        FillRect(cr, cx - u / 2, 0, u, H, Rgb(inner));
        FillRect(cr, 0, cy - u / 2, W, u, Rgb(inner));
    }
}

void Star(cairo_t* cr, double cx, double cy, double r, const sColor& c)
{
    StarPath(cr, cx, cy, r, r * 0.4);
    SetColor(cr, c);
    cairo_fill(cr);
}

void Diagonal(cairo_t* cr, double width, const sColor& c, bool rising)
{
    cairo_save(cr);
    SetColor(cr, c);
    cairo_set_line_width(cr, width);
    cairo_move_to(cr, 0, rising ? H : 0);
    cairo_line_to(cr, W, rising ? 0 : H);
    cairo_stroke(cr);
    cairo_restore(cr);
}

void Germany(cairo_t* cr)
{
    Bands(cr, {0x151515, 0xF2F2F2, 0xC8102E}, false);
    // The straight-armed cross of the armed forces, white-edged.
    const double cx = W / 2, cy = H / 2, a = 26, t = 9;
    FillRect(cr, cx - a - 3, cy - t / 2 - 3, 2 * a + 6, t + 6, Rgb(0xF2F2F2));
    FillRect(cr, cx - t / 2 - 3, cy - a - 3, t + 6, 2 * a + 6, Rgb(0xF2F2F2));
    FillRect(cr, cx - a, cy - t / 2, 2 * a, t, Rgb(0x151515));
    FillRect(cr, cx - t / 2, cy - a, t, 2 * a, Rgb(0x151515));
}

void UnitedKingdom(cairo_t* cr)
{
    FillRect(cr, 0, 0, W, H, Rgb(0x012169));
    Diagonal(cr, 17, Rgb(0xFFFFFF), false);
    Diagonal(cr, 17, Rgb(0xFFFFFF), true);
    Diagonal(cr, 6, Rgb(0xC8102E), false);
    Diagonal(cr, 6, Rgb(0xC8102E), true);
    FillRect(cr, W / 2 - 14, 0, 28, H, Rgb(0xFFFFFF));
    FillRect(cr, 0, H / 2 - 14, W, 28, Rgb(0xFFFFFF));
    FillRect(cr, W / 2 - 8, 0, 16, H, Rgb(0xC8102E));
    FillRect(cr, 0, H / 2 - 8, W, 16, Rgb(0xC8102E));
}

void SovietUnion(cairo_t* cr)
{
    FillRect(cr, 0, 0, W, H, Rgb(0xCC0000));
    StrokeRect(cr, 5, 5, W - 10, H - 10, 3, Rgb(0xE8B830));
}

void Italy(cairo_t* cr)
{
    Bands(cr, {0x009246, 0xF1F2F1, 0xCE2B37}, true);
    // The shield of Savoy.
    FillRect(cr, W / 2 - 12, H / 2 - 16, 24, 30, Rgb(0x1F4FA8));
    FillRect(cr, W / 2 - 9, H / 2 - 13, 18, 24, Rgb(0xCE2B37));
    FillRect(cr, W / 2 - 2.5, H / 2 - 13, 5, 24, Rgb(0xFFFFFF));
    FillRect(cr, W / 2 - 9, H / 2 - 3.5, 18, 5, Rgb(0xFFFFFF));
}

void Slovakia(cairo_t* cr)
{
    Bands(cr, {0xFFFFFF, 0x0B4EA2, 0xEE1C25}, false);
    FillRect(cr, 26, 20, 28, 40, Rgb(0xFFFFFF));
    FillRect(cr, 29, 23, 22, 34, Rgb(0xEE1C25));
    FillRect(cr, 38, 26, 4, 24, Rgb(0xFFFFFF));
    FillRect(cr, 32, 31, 16, 3, Rgb(0xFFFFFF));
    FillRect(cr, 34, 38, 12, 3, Rgb(0xFFFFFF));
    FillRect(cr, 29, 49, 22, 8, Rgb(0x0B4EA2));
}

void Greece(cairo_t* cr)
{
    for (int i = 0; i < 9; ++i)
        FillRect(cr, 0, std::floor(H * i / 9.0), W, std::ceil(H / 9.0) + 1, Rgb(i % 2 ? 0xFFFFFF : 0x0D5EAF));
    FillRect(cr, 0, 0, H * 5 / 9.0, H * 5 / 9.0, Rgb(0x0D5EAF));
    const double s = H * 5 / 9.0, t = H / 9.0;
    FillRect(cr, s / 2 - t / 2, 0, t, s, Rgb(0xFFFFFF));
    FillRect(cr, 0, s / 2 - t / 2, s, t, Rgb(0xFFFFFF));
}

void Turkey(cairo_t* cr)
{
    FillRect(cr, 0, 0, W, H, Rgb(0xE30A17));
    FillCircle(cr, 48, H / 2, 21, Rgb(0xFFFFFF));
    FillCircle(cr, 54, H / 2, 17, Rgb(0xE30A17));
    Star(cr, 78, H / 2, 11, Rgb(0xFFFFFF));
}

void Switzerland(cairo_t* cr)
{
    FillRect(cr, 0, 0, W, H, Rgb(0xDA291C));
    FillRect(cr, W / 2 - 8, H / 2 - 27, 16, 54, Rgb(0xFFFFFF));
    FillRect(cr, W / 2 - 27, H / 2 - 8, 54, 16, Rgb(0xFFFFFF));
}

void Latvia(cairo_t* cr)
{
    FillRect(cr, 0, 0, W, H, Rgb(0x9E3039));
    FillRect(cr, 0, H * 2 / 5, W, H / 5, Rgb(0xFFFFFF));
}

void Portugal(cairo_t* cr)
{
    FillRect(cr, 0, 0, W * 0.4, H, Rgb(0x006600));
    FillRect(cr, W * 0.4, 0, W * 0.6, H, Rgb(0xFF0000));
    FillCircle(cr, W * 0.4, H / 2, 17, Rgb(0xFFE900));
    FillCircle(cr, W * 0.4, H / 2, 10, Rgb(0xFFFFFF));
    FillRect(cr, W * 0.4 - 7, H / 2 - 8, 14, 16, Rgb(0xD21034));
}

void Iraq(cairo_t* cr)
{
    Bands(cr, {0x000000, 0xFFFFFF, 0x007A3D}, false);
    const double xy[] = {0, 0, 38, H / 3, 38, H * 2 / 3, 0, H};
    Polygon(cr, xy, 4);
    SetColor(cr, Rgb(0xCE1126));
    cairo_fill(cr);
    Star(cr, 12, H / 2 - 10, 6, Rgb(0xFFFFFF));
    Star(cr, 12, H / 2 + 10, 6, Rgb(0xFFFFFF));
}

void Iran(cairo_t* cr)
{
    Bands(cr, {0x239F40, 0xFFFFFF, 0xDA0000}, false);
    FillCircle(cr, W / 2, H / 2, 9, Rgb(0xE0B43A));
}

void SaudiArabia(cairo_t* cr)
{
    FillRect(cr, 0, 0, W, H, Rgb(0x006C35));
    FillRect(cr, 24, 54, 80, 4, Rgb(0xFFFFFF));
    FillRect(cr, 96, 50, 6, 12, Rgb(0xFFFFFF));
    FillRect(cr, 30, 24, 68, 16, WithAlpha(Rgb(0xFFFFFF), 0.85));
}

void Spain(cairo_t* cr)
{
    FillRect(cr, 0, 0, W, H, Rgb(0xAA151B));
    FillRect(cr, 0, H / 4, W, H / 2, Rgb(0xF1BF00));
}

void Sweden(cairo_t* cr) { NordicCross(cr, 0x006AA7, 0xFECC00, 0); }
void Norway(cairo_t* cr) { NordicCross(cr, 0xBA0C2F, 0xFFFFFF, 0x00205B); }
void Denmark(cairo_t* cr) { NordicCross(cr, 0xC8102E, 0xFFFFFF, 0); }
void Finland(cairo_t* cr) { NordicCross(cr, 0xFFFFFF, 0x002F6C, 0); }
void France(cairo_t* cr) { Bands(cr, {0x002395, 0xFFFFFF, 0xED2939}, true); }
void Poland(cairo_t* cr) { Bands(cr, {0xFFFFFF, 0xDC143C}, false); }
void Hungary(cairo_t* cr) { Bands(cr, {0xCD2A3E, 0xFFFFFF, 0x436F4D}, false); }
void Romania(cairo_t* cr) { Bands(cr, {0x002B7F, 0xFCD116, 0xCE1126}, true); }
void Bulgaria(cairo_t* cr) { Bands(cr, {0xFFFFFF, 0x00966E, 0xD62612}, false); }
void Yugoslavia(cairo_t* cr) { Bands(cr, {0x003893, 0xFFFFFF, 0xDE0000}, false); }
void Estonia(cairo_t* cr) { Bands(cr, {0x0072CE, 0x000000, 0xFFFFFF}, false); }
void Lithuania(cairo_t* cr) { Bands(cr, {0xFDB913, 0x006A44, 0xC1272D}, false); }
void Netherlands(cairo_t* cr) { Bands(cr, {0xAE1C28, 0xFFFFFF, 0x21468B}, false); }
void Belgium(cairo_t* cr) { Bands(cr, {0x000000, 0xFDDA24, 0xEF3340}, true); }
void Luxembourg(cairo_t* cr) { Bands(cr, {0xEA141D, 0xFFFFFF, 0x51ADDA}, false); }
void Ireland(cairo_t* cr) { Bands(cr, {0x169B62, 0xFFFFFF, 0xFF883E}, true); }

struct sFlag {
    const char* name;
    void (*draw)(cairo_t*);
};

const sFlag kFlags[] = {
    {"Germany", Germany},       {"United Kingdom", UnitedKingdom}, {"France", France},
    {"Poland", Poland},         {"Soviet Union", SovietUnion},     {"Italy", Italy},
    {"Slovakia", Slovakia},     {"Hungary", Hungary},              {"Romania", Romania},
    {"Bulgaria", Bulgaria},     {"Yugoslavia", Yugoslavia},        {"Greece", Greece},
    {"Turkey", Turkey},         {"Finland", Finland},              {"Estonia", Estonia},
    {"Latvia", Latvia},         {"Lithuania", Lithuania},          {"Sweden", Sweden},
    {"Norway", Norway},         {"Denmark", Denmark},              {"Netherlands", Netherlands},
    {"Belgium", Belgium},       {"Luxembourg", Luxembourg},        {"Ireland", Ireland},
    {"Spain", Spain},           {"Portugal", Portugal},            {"Switzerland", Switzerland},
    {"Iraq", Iraq},             {"Iran", Iran},                    {"Saudi Arabia", SaudiArabia},
};

// One render function per flag: the list of pictures holds plain function pointers.
template <size_t I>
cairo_surface_t* RenderFlag()
{
    cairo_surface_t* s = NewSurface(kFlagWidth, kFlagHeight);
    cairo_t* cr = cairo_create(s);
    cairo_set_antialias(cr, CAIRO_ANTIALIAS_GRAY);
    kFlags[I].draw(cr);
    // A thin frame, as the flags hang on the map.
    StrokeRect(cr, 0, 0, W, H, 2, WithAlpha(Rgb(0x000000), 0.35));
    cairo_destroy(cr);
    return s;
}

template <size_t... I>
void AddAll(std::vector<sPictureFile>& files, std::index_sequence<I...>)
{
    (files.push_back({std::string("Flags/") + kFlags[I].name + ".png", RenderFlag<I>}), ...);
}

} // namespace

void AddFlagPictures(std::vector<sPictureFile>& files)
{
    AddAll(files, std::make_index_sequence<std::size(kFlags)>());
}

std::vector<std::string> FlagCountryNames()
{
    std::vector<std::string> names;
    for (const sFlag& flag : kFlags)
        names.push_back(flag.name);
    return names;
}
