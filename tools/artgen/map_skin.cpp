// The map skin "[MapSkin]Normal": the terrain of every hex, the overlays that lie on it
// (rivers, borders, ownership, grid, weather, fortifications, marks, cities and their
// markers) and the eyecandies, in the look of a 1940s staff map: parchment land, olive
// woods, hatched hills, steel-blue sea. Cells and the hex inside them follow
// shell/skin_atlas.h.
#include <cmath>
#include <sstream>

#include "shell/skin_atlas.h"
#include "tools/artgen/art.h"
#include "tools/artgen/canvas.h"
#include "tools/artgen/pictograms.h"

using namespace skin_atlas;

namespace {

constexpr const char* kFolder = "[MapSkin]Normal/";

struct sPt {
    double x, y;
};

sPt Corner(int i) { return {double(kHexCorners[i % 6].x), double(kHexCorners[i % 6].y)}; }

// The hex of a cell whose origin is (ox, oy), grown outward by `grow` pixels (negative shrinks).
void HexPath(cairo_t* cr, double ox, double oy, double grow)
{
    for (int i = 0; i < 6; i++) {
        sPt p = Corner(i);
        double dx = p.x - kHexCentreX, dy = p.y - kHexCentreY;
        double len = std::sqrt(dx * dx + dy * dy);
        double k = (len + grow) / len;
        double x = ox + kHexCentreX + dx * k, y = oy + kHexCentreY + dy * k;
        if (i == 0)
            cairo_move_to(cr, x, y);
        else
            cairo_line_to(cr, x, y);
    }
    cairo_close_path(cr);
}

// The end points of side s (direction 0 up, clockwise) of the hex in a cell at (ox, oy).
void SideEnds(int side, double ox, double oy, sPt& a, sPt& b)
{
    sPt p = Corner(side + 1), q = Corner(side + 2);
    a = {ox + p.x, oy + p.y};
    b = {ox + q.x, oy + q.y};
}

// ---- Terrain ----

struct sTerrainLook {
    sColor base;
    sColor detail;
};

const sTerrainLook kTerrain[kTerrainCount] = {
    {Rgb(0x4D6F7D), Rgb(0x86A3AB)}, // sea
    {Rgb(0xB4AD74), Rgb(0x8E8852)}, // plains
    {Rgb(0x75834A), Rgb(0x3C4A22)}, // forest
    {Rgb(0xA79A70), Rgb(0x6E6449)}, // rough
    {Rgb(0x8F9A72), Rgb(0x4F6E70)}, // swamp
    {Rgb(0xA99B62), Rgb(0x6A5D35)}, // hills
    {Rgb(0x8E8170), Rgb(0x4E4538)}, // mountains
    {Rgb(0xD8C38D), Rgb(0xA98F5A)}, // desert
};
const sColor kSnow = Rgb(0xE9EDEE);
const sColor kMud = Rgb(0x6F5838);

sColor WeatherTint(const sColor& c, int weather)
{
    if (weather == 1)
        return Mix(c, kSnow, 0.72);
    if (weather == 2)
        return Mix(c, kMud, 0.42);
    return c;
}

// A speckle of paper grain over the clipped hex.
void Grain(cairo_t* cr, double ox, double oy, cArtRandom& rnd, const sColor& c, int dots)
{
    for (int i = 0; i < dots; i++) {
        double x = ox + rnd.Range(28, 140), y = oy + rnd.Range(34, 136);
        bool dark = rnd.Fraction() < 0.5;
        FillCircle(cr, x, y, rnd.Range(0.5, 1.4), WithAlpha(dark ? Darker(c, 0.35) : Lighter(c, 0.35), 0.28));
    }
}

// Feature positions inside the hex, kept away from its edges; the same for a variant in
// every weather, so the winter and mud hexes are the same land under snow and mud.
sPt Inside(cArtRandom& rnd, double ox, double oy, double margin)
{
    for (;;) {
        double x = rnd.Range(36 + margin, 131 - margin), y = rnd.Range(42 + margin, 128 - margin);
        // Inside the slanted sides as well.
        double dx = std::fabs(x - kHexCentreX), dy = std::fabs(y - kHexCentreY);
        if (dx + dy * 24.0 / 49.0 < 53.5 - margin)
            return {ox + x, oy + y};
    }
}

void Tree(cairo_t* cr, double x, double y, double r, int weather, const sColor& ink)
{
    FillCircle(cr, x + r * 0.35, y + r * 0.45, r, WithAlpha(Rgb(0x000000), 0.18));
    sColor crown = weather == 1 ? Rgb(0x47553A) : (weather == 2 ? Rgb(0x4D5430) : ink);
    FillCircle(cr, x, y, r, crown);
    FillCircle(cr, x - r * 0.3, y - r * 0.3, r * 0.55, weather == 1 ? kSnow : Lighter(crown, 0.22));
}

void Peak(cairo_t* cr, double x, double base, double w, double h, int weather, const sColor& rock)
{
    double left[] = {x - w / 2, base, x, base - h, x + w * 0.08, base};
    double right[] = {x, base - h, x + w / 2, base, x + w * 0.08, base};
    Polygon(cr, left, 3);
    FillPath(cr, Lighter(rock, 0.28));
    Polygon(cr, right, 3);
    FillPath(cr, Darker(rock, 0.25));
    // The snow cap (all year on the high peaks, down the slopes in winter).
    double capH = weather == 1 ? h * 0.6 : h * 0.3;
    double k = capH / h;
    double cap[] = {x - w / 2 * k, base - h + capH, x, base - h, x + w / 2 * k, base - h + capH, x + w * 0.04 * k,
                    base - h + capH * 0.8};
    Polygon(cr, cap, 4);
    FillPath(cr, kSnow);
    cairo_move_to(cr, x - w / 2, base);
    cairo_line_to(cr, x, base - h);
    cairo_line_to(cr, x + w / 2, base);
    StrokePath(cr, WithAlpha(Darker(rock, 0.5), 0.8), 1.2);
}

void Hill(cairo_t* cr, double x, double base, double w, double h, const sColor& ink)
{
    cairo_move_to(cr, x - w / 2, base);
    cairo_curve_to(cr, x - w / 4, base - h, x + w / 4, base - h, x + w / 2, base);
    StrokePath(cr, ink, 2.2);
    // Hachures on the shaded side.
    for (int i = 1; i <= 4; i++) {
        double t = i / 5.0;
        double px = x + w / 2 * t * 0.9, py = base - h * 0.75 * (1 - t * t);
        cairo_move_to(cr, px, py + 1);
        cairo_line_to(cr, px + 1.5, py + 5);
    }
    StrokePath(cr, WithAlpha(ink, 0.7), 1.2);
}

void Rock(cairo_t* cr, double x, double y, double r, cArtRandom& rnd, const sColor& ink)
{
    double pts[10];
    for (int i = 0; i < 5; i++) {
        double a = i * 2 * M_PI / 5 + rnd.Range(-0.3, 0.3);
        double k = rnd.Range(0.7, 1.1);
        pts[2 * i] = x + std::cos(a) * r * k;
        pts[2 * i + 1] = y + std::sin(a) * r * k * 0.7;
    }
    Polygon(cr, pts, 5);
    FillPath(cr, Lighter(ink, 0.25));
    Polygon(cr, pts, 5);
    StrokePath(cr, ink, 1.0);
}

void Reeds(cairo_t* cr, double x, double y, const sColor& ink)
{
    for (int i = -2; i <= 2; i++) {
        cairo_move_to(cr, x + i * 2.2, y);
        cairo_line_to(cr, x + i * 3.0, y - 7 + std::abs(i));
    }
    StrokePath(cr, ink, 1.1);
    cairo_move_to(cr, x - 8, y + 1);
    cairo_line_to(cr, x + 8, y + 1);
    StrokePath(cr, ink, 1.0);
}

void Wave(cairo_t* cr, double x, double y, double w, const sColor& c)
{
    cairo_move_to(cr, x, y);
    cairo_curve_to(cr, x + w * 0.25, y - 2.5, x + w * 0.5, y - 2.5, x + w * 0.5, y);
    cairo_curve_to(cr, x + w * 0.5, y + 2.5, x + w * 0.75, y + 2.5, x + w, y);
    StrokePath(cr, c, 1.1);
}

void Puddle(cairo_t* cr, double x, double y, double r)
{
    EllipsePath(cr, x, y, r, 0.45);
    FillPath(cr, WithAlpha(Rgb(0x5A4A30), 0.35));
    EllipsePath(cr, x - r * 0.2, y - r * 0.1, r * 0.5, 0.35);
    FillPath(cr, WithAlpha(Rgb(0xA7A48E), 0.35));
}

void TerrainHex(cairo_t* cr, double ox, double oy, int terrain, int variant, int weather)
{
    const sTerrainLook& look = kTerrain[terrain];
    const sColor base = terrain == 0 ? look.base : WeatherTint(look.base, weather);
    const sColor ink = terrain == 0 ? look.detail : WeatherTint(look.detail, weather == 1 ? 0 : weather);
    cairo_save(cr);
    // Two pixels past the hex, so that neighbours overlap, and with a hard edge: a half-clear
    // edge would let the black under the map show between two hexes.
    HexPath(cr, ox, oy, 2.0);
    cairo_set_antialias(cr, CAIRO_ANTIALIAS_NONE);
    cairo_clip(cr);
    cairo_set_antialias(cr, CAIRO_ANTIALIAS_DEFAULT);
    SetColor(cr, base);
    cairo_paint(cr);

    cArtRandom grain(uint32_t(1000 + terrain * 97 + variant * 13 + weather * 5));
    Grain(cr, ox, oy, grain, base, terrain == 7 ? 140 : 70);
    cArtRandom rnd(uint32_t(17 + terrain * 31 + variant * 7));
    switch (terrain) {
    case 0:
        for (int i = 0; i < 4; i++) {
            sPt q = Inside(rnd, ox, oy, 10);
            Wave(cr, q.x - 8, q.y, 16, WithAlpha(ink, 0.55));
        }
        break;
    case 1:
        for (int i = 0; i < 3; i++) {
            sPt q = Inside(rnd, ox, oy, 14);
            double w = rnd.Range(14, 22);
            for (int k = 0; k < 3; k++) {
                cairo_move_to(cr, q.x - w / 2, q.y + k * 4);
                cairo_line_to(cr, q.x + w / 2, q.y + k * 4 - 2);
            }
            StrokePath(cr, WithAlpha(ink, weather == 1 ? 0.25 : 0.35), 1.0);
        }
        if (weather == 2)
            for (int i = 0; i < 3; i++) {
                sPt q = Inside(rnd, ox, oy, 12);
                Puddle(cr, q.x, q.y, rnd.Range(5, 8));
            }
        break;
    case 2: {
        const int trees = 11;
        std::vector<sPt> spots;
        for (int i = 0; i < trees; i++)
            spots.push_back(Inside(rnd, ox, oy, 9));
        std::sort(spots.begin(), spots.end(), [](const sPt& a, const sPt& b) { return a.y < b.y; });
        for (const sPt& q : spots)
            Tree(cr, q.x, q.y, 7.5, weather, ink);
        break;
    }
    case 3:
        for (int i = 0; i < 6; i++) {
            sPt q = Inside(rnd, ox, oy, 8);
            Rock(cr, q.x, q.y, rnd.Range(3, 6), rnd, ink);
        }
        for (int i = 0; i < 3; i++) {
            sPt q = Inside(rnd, ox, oy, 12);
            cairo_move_to(cr, q.x - 8, q.y);
            cairo_line_to(cr, q.x - 2, q.y - 3);
            cairo_line_to(cr, q.x + 4, q.y + 1);
            cairo_line_to(cr, q.x + 9, q.y - 2);
            StrokePath(cr, WithAlpha(ink, 0.6), 1.1);
        }
        break;
    case 4:
        for (int i = 0; i < 4; i++) {
            sPt q = Inside(rnd, ox, oy, 14);
            EllipsePath(cr, q.x, q.y, rnd.Range(9, 14), 0.35);
            FillPath(cr, WithAlpha(weather == 1 ? Rgb(0xB8C8CE) : Rgb(0x557A80), 0.6));
        }
        for (int i = 0; i < 7; i++) {
            sPt q = Inside(rnd, ox, oy, 10);
            Reeds(cr, q.x, q.y, weather == 1 ? Rgb(0x59604A) : Rgb(0x46542E));
        }
        break;
    case 5:
        for (int i = 0; i < 4; i++) {
            sPt q = Inside(rnd, ox, oy, 16);
            Hill(cr, q.x, q.y + 6, rnd.Range(22, 32), rnd.Range(10, 15), weather == 1 ? Rgb(0x7C7C70) : ink);
        }
        break;
    case 6: {
        // A ridge of broad peaks, the tallest behind.
        std::vector<sPt> spots;
        for (int i = 0; i < 3; i++)
            spots.push_back(Inside(rnd, ox, oy, 22));
        std::sort(spots.begin(), spots.end(), [](const sPt& a, const sPt& b) { return a.y < b.y; });
        for (const sPt& q : spots)
            Peak(cr, q.x, q.y + 12, rnd.Range(44, 56), rnd.Range(24, 30), weather, look.base);
        break;
    }
    case 7:
        for (int i = 0; i < 4; i++) {
            sPt q = Inside(rnd, ox, oy, 14);
            double w = rnd.Range(22, 32);
            cairo_move_to(cr, q.x - w / 2, q.y);
            cairo_curve_to(cr, q.x - w / 4, q.y - 6, q.x + w / 4, q.y - 6, q.x + w / 2, q.y + 1);
            StrokePath(cr, WithAlpha(ink, 0.7), 1.4);
        }
        break;
    }
    cairo_restore(cr);
}

// The political map: a flat hex of no country, and a white hex for the country's colour,
// hard-edged like the terrain.
void OwnershipHexes(cairo_t* cr)
{
    const tAtlasRect none = kOwnershipNone, country = kOwnershipCountry;
    for (const tAtlasRect& c : {none, country}) {
        cairo_save(cr);
        HexPath(cr, c.left, c.top, 2.0);
        cairo_set_antialias(cr, CAIRO_ANTIALIAS_NONE);
        cairo_clip(cr);
        cairo_set_antialias(cr, CAIRO_ANTIALIAS_DEFAULT);
        if (c.left == none.left) {
            SetColor(cr, Rgb(0xC9C3AF));
            cairo_paint(cr);
        } else {
            cairo_pattern_t* p = cairo_pattern_create_radial(c.left + kHexCentreX, c.top + kHexCentreY, 10,
                                                             c.left + kHexCentreX, c.top + kHexCentreY, 62);
            cairo_pattern_add_color_stop_rgba(p, 0, 1, 1, 1, 1);
            cairo_pattern_add_color_stop_rgba(p, 1, 0.88, 0.88, 0.86, 1);
            cairo_set_source(cr, p);
            cairo_paint(cr);
            cairo_pattern_destroy(p);
        }
        cairo_restore(cr);
    }
}

cairo_surface_t* Terrain()
{
    cairo_surface_t* s = NewSurface(kMapTextureSize, kMapTextureSize);
    cairo_t* cr = cairo_create(s);
    for (int t = 0; t < kTerrainCount; t++)
        for (int v = 0; v < kTerrainVariants; v++)
            for (int w = 0; w < kWeatherStates; w++)
                if (t != 0 || w == 0) {
                    tAtlasRect c = TerrainCell(t, v, w);
                    TerrainHex(cr, c.left, c.top, t, v, w);
                }
    OwnershipHexes(cr);
    cairo_destroy(cr);
    return s;
}

// ---- Overlays ----

void RiverAlong(cairo_t* cr, sPt a, sPt b, int variant, double widthAtA, double widthAtB)
{
    // A river meanders about the side; both ends meet the rivers of the next sides.
    double dx = b.x - a.x, dy = b.y - a.y;
    double len = std::sqrt(dx * dx + dy * dy), nx = -dy / len, ny = dx / len;
    double k = variant ? -1 : 1;
    const int steps = 12;
    for (int pass = 0; pass < 2; pass++) {
        for (int i = 0; i < steps; i++) {
            double t0 = double(i) / steps, t1 = double(i + 1) / steps;
            double w0 = std::sin(t0 * M_PI * 2) * 3.5 * k, w1 = std::sin(t1 * M_PI * 2) * 3.5 * k;
            cairo_move_to(cr, a.x + dx * t0 + nx * w0, a.y + dy * t0 + ny * w0);
            cairo_line_to(cr, a.x + dx * t1 + nx * w1, a.y + dy * t1 + ny * w1);
            double width = widthAtA + (widthAtB - widthAtA) * (t0 + t1) / 2;
            StrokePath(cr, pass == 0 ? Rgb(0x2F5266) : Rgb(0x5F8FA6), pass == 0 ? width + 2 : width);
        }
    }
}

void RiverCells(cairo_t* cr)
{
    for (int side = 1; side <= 3; side++)
        for (int v = 0; v < 2; v++) {
            tAtlasRect c = RiverCell(side, v);
            sPt a, b;
            SideEnds(side, c.left, c.top, a, b);
            RiverAlong(cr, a, b, v, 3.4, 3.4);
        }
    // A mouth: the river leaves the coast along side k and spreads into the sea.
    for (int k = 0; k < 6; k++)
        for (int v = 0; v < 2; v++) {
            tAtlasRect c = RiverMouthCell(k, v);
            sPt a, b;
            SideEnds(k, c.left, c.top, a, b);
            cairo_save(cr);
            HexPath(cr, c.left, c.top, 3);
            cairo_clip(cr);
            sPt mid{(a.x + b.x) / 2, (a.y + b.y) / 2};
            sPt centre{c.left + kHexCentreX, c.top + kHexCentreY};
            sPt in{mid.x + (centre.x - mid.x) * 0.45, mid.y + (centre.y - mid.y) * 0.45};
            cairo_move_to(cr, a.x, a.y);
            cairo_curve_to(cr, mid.x, mid.y, in.x + (v ? 6 : -6), in.y, in.x, in.y);
            cairo_move_to(cr, b.x, b.y);
            cairo_curve_to(cr, mid.x, mid.y, in.x + (v ? 6 : -6), in.y, in.x, in.y);
            StrokePath(cr, WithAlpha(Rgb(0x6F98AA), 0.55), 5);
            RiverAlong(cr, a, b, v, 3.4, 3.4);
            cairo_restore(cr);
        }
}

// A border along side `side`: a dashed band of the border colour (the cell is white, so the
// drawing tints it) or, for sea zones, a dotted pale line.
void BorderCells(cairo_t* cr)
{
    for (int column = 0; column < 6; column++) {
        tAtlasRect c = BorderCell(column);
        int side = column % 3 + 1;
        sPt a, b;
        SideEnds(side, c.left, c.top, a, b);
        if (column < 3) {
            cairo_move_to(cr, a.x, a.y);
            cairo_line_to(cr, b.x, b.y);
            StrokePath(cr, WithAlpha(Rgb(0x1A1A16), 0.55), 6);
            const double dashes[] = {9, 4, 2, 4};
            cairo_set_dash(cr, dashes, 4, 0);
            cairo_move_to(cr, a.x, a.y);
            cairo_line_to(cr, b.x, b.y);
            StrokePath(cr, Rgb(0xFFFFFF), 3.2);
            cairo_set_dash(cr, nullptr, 0, 0);
        } else {
            const double dots[] = {0.1, 6};
            cairo_set_dash(cr, dots, 2, 0);
            cairo_move_to(cr, a.x, a.y);
            cairo_line_to(cr, b.x, b.y);
            StrokePath(cr, WithAlpha(Rgb(0xD8E6EA), 0.85), 2.6);
            cairo_set_dash(cr, nullptr, 0, 0);
        }
    }
}

// The arrows of an assault, from side d into the hex.
void MoveFlagCells(cairo_t* cr)
{
    for (int d = 0; d < 6; d++) {
        tAtlasRect c = MoveFlagCell(d);
        sPt a, b;
        SideEnds(d, c.left, c.top, a, b);
        sPt mid{(a.x + b.x) / 2, (a.y + b.y) / 2};
        sPt centre{c.left + kHexCentreX, c.top + kHexCentreY};
        double dx = centre.x - mid.x, dy = centre.y - mid.y, len = std::sqrt(dx * dx + dy * dy);
        double ux = dx / len, uy = dy / len, nx = -uy, ny = ux;
        sPt tail{mid.x - ux * 6, mid.y - uy * 6}, tip{mid.x + ux * 26, mid.y + uy * 26};
        double shaft = 5, head = 11;
        sPt neck{tip.x - ux * 13, tip.y - uy * 13};
        double pts[] = {tail.x + nx * shaft, tail.y + ny * shaft, neck.x + nx * shaft, neck.y + ny * shaft,
                        neck.x + nx * head,  neck.y + ny * head,  tip.x,               tip.y,
                        neck.x - nx * head,  neck.y - ny * head,  neck.x - nx * shaft, neck.y - ny * shaft,
                        tail.x - nx * shaft, tail.y - ny * shaft};
        Polygon(cr, pts, 7);
        FillPath(cr, Rgb(0xB23A24));
        Polygon(cr, pts, 7);
        StrokePath(cr, palette::kBrassLight, 1.6);
    }
}

void OwnershipCells(cairo_t* cr)
{
    // Who holds the hex: hatching; whose it is: a band inside the edge. Both white, tinted.
    const tAtlasRect ctl = kControllerOverlay;
    cairo_save(cr);
    HexPath(cr, ctl.left, ctl.top, 0.5);
    cairo_clip(cr);
    for (int i = -12; i < 20; i++) {
        double x = ctl.left + i * 10;
        cairo_move_to(cr, x, ctl.top + 166);
        cairo_line_to(cr, x + 166, ctl.top);
    }
    StrokePath(cr, WithAlpha(Rgb(0xFFFFFF), 0.5), 3.4);
    cairo_restore(cr);
    const tAtlasRect own = kOwnerOverlay;
    cairo_save(cr);
    HexPath(cr, own.left, own.top, 0.5);
    cairo_clip(cr);
    HexPath(cr, own.left, own.top, -4.0);
    StrokePath(cr, WithAlpha(Rgb(0xFFFFFF), 0.78), 8);
    cairo_restore(cr);
    // The grid: the hex's outline, faint (neighbours draw the shared sides again).
    const tAtlasRect grid = kGridCell;
    HexPath(cr, grid.left, grid.top, 0.0);
    StrokePath(cr, WithAlpha(Rgb(0x1E1C14), 0.22), 1.3);
}

void WeatherIcons(cairo_t* cr)
{
    for (int v = 0; v < 2; v++) {
        // Clear weather shows nothing: the cells stay empty.
        tAtlasRect winter = WeatherIconCell(v, 1), mud = WeatherIconCell(v, 2);
        double x = v ? 98 : 68, y = 52;
        FillCircle(cr, winter.left + x, winter.top + y, 10, WithAlpha(Rgb(0x24323A), 0.55));
        DrawPictogram(cr, pict::Snowflake, winter.left + x - 9, winter.top + y - 9, 18,
                      {Rgb(0xF4F8FA), Rgb(0xF4F8FA), Rgb(0xF4F8FA)});
        FillCircle(cr, mud.left + x, mud.top + y, 10, WithAlpha(Rgb(0x2A2214), 0.55));
        DrawPictogram(cr, pict::Mud, mud.left + x - 9, mud.top + y - 9, 18,
                      {Rgb(0xC9A46A), Rgb(0xE0C28A), Rgb(0x6F5838)});
    }
}

void FortificationCells(cairo_t* cr)
{
    const sColor concrete = Rgb(0x55554C), edge = Rgb(0xD8D2B8);
    for (int level = 1; level <= kFortificationLevels; level++) {
        tAtlasRect c = FortificationCell(level);
        int lines = std::min(level, 3);
        for (int l = 0; l < lines; l++) {
            double y = c.top + 112 - l * 9, x0 = c.left + 50, x1 = c.left + 117;
            cairo_move_to(cr, x0, y);
            for (double x = x0; x + 6 <= x1; x += 6) {
                cairo_line_to(cr, x + 3, y - 5);
                cairo_line_to(cr, x + 6, y);
            }
            StrokePath(cr, edge, 4.2);
            cairo_move_to(cr, x0, y);
            for (double x = x0; x + 6 <= x1; x += 6) {
                cairo_line_to(cr, x + 3, y - 5);
                cairo_line_to(cr, x + 6, y);
            }
            StrokePath(cr, concrete, 2.2);
        }
        // Levels above three add bunkers.
        for (int b = 0; b < level - 3; b++) {
            double x = c.left + 60 + b * 16, y = c.top + 78;
            RoundedRectPath(cr, x, y, 13, 9, 3);
            FillPath(cr, concrete);
            RoundedRectPath(cr, x, y, 13, 9, 3);
            StrokePath(cr, edge, 1.2);
            FillRect(cr, x + 3, y + 3, 7, 2, Rgb(0x111111));
        }
    }
    // The landing mark: a dashed yellow outline and an anchor.
    const tAtlasRect land = kLandingMark;
    const double dashes[] = {7, 5};
    cairo_set_dash(cr, dashes, 2, 0);
    HexPath(cr, land.left, land.top, -5);
    StrokePath(cr, Rgb(0xF0C850), 3);
    cairo_set_dash(cr, nullptr, 0, 0);
    FillCircle(cr, land.left + 84, land.top + 60, 13, WithAlpha(Rgb(0x1E2A30), 0.7));
    DrawPictogram(cr, pict::Harbour, land.left + 73, land.top + 49, 22, {Rgb(0xF0C850), Rgb(0xF0C850), Rgb(0x1E2A30)});
}

struct sMarkLook {
    sColor fill;  // over the whole hex
    sColor rim;   // along its edge
    double rimWidth;
    Pictogram icon; // at the top right, or none
    sColor iconInk;
};

sMarkLook MarkLook(int bit)
{
    const sColor none = WithAlpha(Rgb(0), 0);
    const sColor red = Rgb(0xC8412C), brass = palette::kBrassLight, blue = Rgb(0x9FC6DA);
    switch (bit) {
    case 0: return {none, brass, 5, nullptr, none};                                       // selected
    case 1: return {WithAlpha(red, 0.22), red, 4, pict::Swords, Rgb(0xF2E2C0)};            // assault target
    case 2: return {WithAlpha(Rgb(0xF4F0DA), 0.30), WithAlpha(Rgb(0xF4F0DA), 0.8), 2, nullptr, none}; // move, fresh
    case 3: return {WithAlpha(Rgb(0xE8D27A), 0.30), WithAlpha(Rgb(0xE8D27A), 0.8), 2, nullptr, none}; // move, little left
    case 4: return {WithAlpha(Rgb(0xD89A5A), 0.30), WithAlpha(Rgb(0xD89A5A), 0.8), 2, nullptr, none}; // move, spent
    case 6: return {WithAlpha(Rgb(0x9CCB7A), 0.32), Rgb(0x9CCB7A), 3, nullptr, none};      // deploy, unload
    case 8: return {WithAlpha(blue, 0.20), blue, 3, pict::Binoculars, Rgb(0xF4F8FA)};       // recon
    case 9: return {WithAlpha(red, 0.22), red, 4, pict::Swords, Rgb(0xF2E2C0)};            // attack
    case 10: return {WithAlpha(red, 0.20), red, 4, pict::Bomb, Rgb(0xF2E2C0)};             // air bombardment
    case 12: return {WithAlpha(Rgb(0xE8C23A), 0.25), Rgb(0xE8C23A), 4, pict::Atom, Rgb(0x1A1A10)}; // nuclear
    case 13: return {WithAlpha(red, 0.20), red, 4, pict::Fighter, Rgb(0xF2E2C0)};          // air fight
    case 14: return {WithAlpha(Rgb(0xBFE0F0), 0.28), none, 0, nullptr, none};             // sea zone
    case 15: return {WithAlpha(Rgb(0x7FB6D8), 0.30), Rgb(0x7FB6D8), 3, pict::Warship, Rgb(0xF4F8FA)}; // fleet range
    case 17: return {WithAlpha(Rgb(0x10120C), 0.35), none, 0, nullptr, none};             // out of reach
    case 18: return {WithAlpha(Rgb(0x9CCB7A), 0.28), Rgb(0x9CCB7A), 3, pict::Fighter, Rgb(0xF4F8FA)}; // rebase
    case 19: return {WithAlpha(red, 0.18), red, 3, pict::Bomb, Rgb(0xF2E2C0)};             // sea bombardment
    case 20: return {WithAlpha(blue, 0.18), blue, 3, pict::Binoculars, Rgb(0xF4F8FA)};      // sea recon
    default: return {WithAlpha(Rgb(0xFFFFFF), 0.15), WithAlpha(Rgb(0xFFFFFF), 0.7), 2, nullptr, none};
    }
}

void MarkIcons(cairo_t* cr)
{
    for (int bit = 0; bit < kMarkIconBits; bit++) {
        tAtlasRect c = MarkIconCell(bit);
        if (c.bottom > kMapTextureSize)
            continue;
        sMarkLook look = MarkLook(bit);
        cairo_save(cr);
        HexPath(cr, c.left, c.top, 0.5);
        cairo_clip(cr);
        HexPath(cr, c.left, c.top, 0.5);
        FillPath(cr, look.fill);
        if (look.rimWidth > 0) {
            HexPath(cr, c.left, c.top, -look.rimWidth / 2);
            StrokePath(cr, look.rim, look.rimWidth);
        }
        cairo_restore(cr);
        if (look.icon) {
            double x = c.left + 104, y = c.top + 56;
            FillCircle(cr, x, y, 14, WithAlpha(Rgb(0x1A1C14), 0.75));
            Circle(cr, x, y, 14);
            StrokePath(cr, look.rim, 1.5);
            DrawPictogram(cr, look.icon, x - 10, y - 10, 20, {look.iconInk, look.iconInk, Rgb(0x1A1C14)});
        }
    }
}

void Building(cairo_t* cr, double x, double base, double w, double h, const sColor& wall, const sColor& roof)
{
    FillRect(cr, x, base - h, w, h, wall);
    double r[] = {x - 1.5, base - h, x + w / 2, base - h - w * 0.45, x + w + 1.5, base - h};
    Polygon(cr, r, 3);
    FillPath(cr, roof);
    cairo_rectangle(cr, x, base - h, w, h);
    StrokePath(cr, Rgb(0x2A241A), 1.0);
}

void CityPicture(cairo_t* cr, double ox, double oy, int type, int variant)
{
    cArtRandom rnd(uint32_t(500 + type * 11 + variant));
    const sColor walls[] = {Rgb(0xE4D8B6), Rgb(0xD7C7A0), Rgb(0xCFC2A6)};
    const sColor roofs[] = {Rgb(0x9A4A32), Rgb(0x7E3E2C), Rgb(0x5E5A52)};
    double cx = ox + kHexCentreX, base = oy + kHexCentreY + 20;
    // The town's shadow and ground.
    EllipsePath(cr, cx, base - 2, 36, 0.32);
    FillPath(cr, WithAlpha(Rgb(0x2A2418), 0.28));
    if (type == 4) {
        if (variant == 0) {
            // An oil derrick by its tank.
            double tower[] = {cx - 12, base, cx - 2, base - 40, cx + 2, base - 40, cx + 12, base};
            Polygon(cr, tower, 4);
            StrokePath(cr, Rgb(0x2A241A), 2.2);
            for (int i = 1; i < 4; i++) {
                double y = base - i * 10, half = 12 - i * 2.5;
                cairo_move_to(cr, cx - half, y);
                cairo_line_to(cr, cx + half, y);
            }
            StrokePath(cr, Rgb(0x2A241A), 1.4);
            RoundedRectPath(cr, cx + 14, base - 16, 18, 16, 4);
            FillPath(cr, Rgb(0xA8A49A));
            RoundedRectPath(cr, cx + 14, base - 16, 18, 16, 4);
            StrokePath(cr, Rgb(0x2A241A), 1.2);
        } else {
            // A mine's headframe over a spoil heap.
            cairo_move_to(cr, cx - 30, base);
            cairo_curve_to(cr, cx - 20, base - 22, cx - 4, base - 22, cx + 4, base);
            cairo_close_path(cr);
            FillPath(cr, Rgb(0x4A4438));
            double frame[] = {cx + 4, base, cx + 14, base - 38, cx + 24, base};
            Polygon(cr, frame, 3);
            StrokePath(cr, Rgb(0x2A241A), 2.4);
            FillCircle(cr, cx + 14, base - 38, 5, Rgb(0x6A5A40));
        }
        return;
    }
    int houses = 5 + variant + (type == 1 ? 1 : 0);
    std::vector<sPt> spots;
    for (int i = 0; i < houses; i++)
        spots.push_back({cx + rnd.Range(-30, 22), base - rnd.Range(0, 16)});
    std::sort(spots.begin(), spots.end(), [](const sPt& a, const sPt& b) { return a.y < b.y; });
    for (size_t i = 0; i < spots.size(); i++)
        Building(cr, spots[i].x, spots[i].y, rnd.Range(9, 14), rnd.Range(8, 14), walls[i % 3], roofs[(i + variant) % 3]);
    // A church spire over the roofs.
    double sx = cx + (variant - 1) * 8;
    FillRect(cr, sx - 3, base - 36, 6, 22, walls[1]);
    double spire[] = {sx - 4, base - 36, sx, base - 50, sx + 4, base - 36};
    Polygon(cr, spire, 3);
    FillPath(cr, roofs[2]);
    cairo_rectangle(cr, sx - 3, base - 36, 6, 22);
    StrokePath(cr, Rgb(0x2A241A), 1.0);
    if (type == 2 || type == 3) {
        // A quay with a crane.
        FillRect(cr, cx + 18, base - 4, 22, 5, Rgb(0x6E6A5E));
        cairo_move_to(cr, cx + 30, base - 4);
        cairo_line_to(cr, cx + 30, base - 28);
        cairo_line_to(cr, cx + 42, base - 22);
        StrokePath(cr, Rgb(0x2A241A), 1.8);
    }
}

void CityCells(cairo_t* cr)
{
    for (int type = 0; type <= 4; type += 4)
        for (int v = 0; v < (type == 4 ? 2 : 3); v++) {
            tAtlasRect c = CityCell(type, v);
            CityPicture(cr, c.left, c.top, type, v);
        }
}

void Badge(cairo_t* cr, const tAtlasRect& r, const sColor& back, const sColor& rim)
{
    double cx = (r.left + r.right) / 2.0, cy = (r.top + r.bottom) / 2.0, rad = r.Width() / 2.0 - 2;
    FillCircle(cr, cx + 1, cy + 1.5, rad, WithAlpha(Rgb(0), 0.35));
    FillCircle(cr, cx, cy, rad, back);
    Circle(cr, cx, cy, rad);
    StrokePath(cr, rim, 2.5);
}

void CityMarkers(cairo_t* cr)
{
    // The town symbol of a staff map: a black ring round a white disc.
    const tAtlasRect city = kCityMarker;
    double cx = (city.left + city.right) / 2.0, cy = (city.top + city.bottom) / 2.0;
    FillCircle(cr, cx + 2, cy + 3, 30, WithAlpha(Rgb(0), 0.35));
    FillCircle(cr, cx, cy, 30, Rgb(0x171510));
    FillCircle(cr, cx, cy, 20, Rgb(0xF2EAD2));
    FillCircle(cr, cx, cy, 9, Rgb(0x171510));
    // Fortification levels 0 (nothing) to 7: battlements with the level.
    for (int level = 1; level < kCityFortificationMarkers; level++) {
        tAtlasRect c = Cell(kCityFortificationMarker.left, kCityFortificationMarker.top + level * kCityFortificationMarker.Height(),
                       kCityFortificationMarker.Width(), kCityFortificationMarker.Height());
        double x = c.left + 4, y = c.top + 6, w = c.Width() - 8, h = c.Height() - 12;
        cairo_move_to(cr, x, y + h);
        cairo_line_to(cr, x, y);
        for (int i = 0; i < 4; i++) {
            double bx = x + i * w / 4;
            cairo_line_to(cr, bx + w / 8, y);
            cairo_line_to(cr, bx + w / 8, y + 7);
            cairo_line_to(cr, bx + w / 4, y + 7);
            cairo_line_to(cr, bx + w / 4, y);
        }
        cairo_line_to(cr, x + w, y + h);
        cairo_close_path(cr);
        FillPath(cr, Rgb(0x5A584E));
        CenteredText(cr, std::to_string(level), "DejaVu Sans", true, 14, c.left + c.Width() / 2.0, y + h / 2 + 4,
                     Rgb(0xF2EAD2));
    }
    Badge(cr, kPortMarker, Rgb(0x22394A), Rgb(0xB8D0DA));
    DrawPictogram(cr, pict::Harbour, kPortMarker.left + 9, kPortMarker.top + 9, 30,
                  {Rgb(0xE8EEF0), Rgb(0xE8EEF0), Rgb(0x22394A)});
    Badge(cr, kSupplyMarker, Rgb(0x3A4A22), palette::kBrassLight);
    DrawPictogram(cr, pict::Crate, kSupplyMarker.left + 9, kSupplyMarker.top + 9, 30,
                  {palette::kBrassLight, Rgb(0x3A4A22), Rgb(0x3A4A22)});
    Badge(cr, kResourcesMarker, Rgb(0x3A3228), Rgb(0xC8B080));
    DrawPictogram(cr, pict::Factory, kResourcesMarker.left + 9, kResourcesMarker.top + 9, 30,
                  {Rgb(0xE0D0A8), Rgb(0xE0D0A8), Rgb(0x3A3228)});
    const tAtlasRect vp = kVictoryMarker;
    StarPath(cr, (vp.left + vp.right) / 2.0 + 1, (vp.top + vp.bottom) / 2.0 + 2, 22, 9);
    FillPath(cr, WithAlpha(Rgb(0), 0.4));
    StarPath(cr, (vp.left + vp.right) / 2.0, (vp.top + vp.bottom) / 2.0, 22, 9);
    FillPath(cr, palette::kBrassLight);
    StarPath(cr, (vp.left + vp.right) / 2.0, (vp.top + vp.bottom) / 2.0, 22, 9);
    StrokePath(cr, palette::kBrassDark, 1.6);
}

cairo_surface_t* Others()
{
    cairo_surface_t* s = NewSurface(kMapTextureSize, kMapTextureSize);
    cairo_t* cr = cairo_create(s);
    UseStableFontOptions(cr);
    RiverCells(cr);
    CityCells(cr);
    BorderCells(cr);
    MoveFlagCells(cr);
    OwnershipCells(cr);
    WeatherIcons(cr);
    FortificationCells(cr);
    MarkIcons(cr);
    CityMarkers(cr);
    cairo_destroy(cr);
    return s;
}

// ---- Eyecandies: larger decorations a scenario may place over hexes ----

void Eyecandy(cairo_t* cr, double ox, double oy, int kind, int weather)
{
    cArtRandom rnd(uint32_t(900 + kind * 17));
    const sColor rock = kTerrain[6].base;
    switch (kind) {
    case 0: { // a wood
        std::vector<sPt> spots;
        for (int i = 0; i < 16; i++)
            spots.push_back(Inside(rnd, ox, oy, 6));
        std::sort(spots.begin(), spots.end(), [](const sPt& a, const sPt& b) { return a.y < b.y; });
        for (const sPt& q : spots)
            Tree(cr, q.x, q.y, 9, weather, kTerrain[2].detail);
        break;
    }
    case 1: // a massif
        Peak(cr, ox + 66, oy + 118, 64, 54, weather, rock);
        Peak(cr, ox + 104, oy + 124, 52, 44, weather, rock);
        Peak(cr, ox + 84, oy + 108, 56, 62, weather, rock);
        break;
    case 2: // downs
        for (int i = 0; i < 3; i++)
            Hill(cr, ox + 60 + i * 22, oy + 96 + (i % 2) * 18, 44, 20, weather == 1 ? Rgb(0x7C7C70) : kTerrain[5].detail);
        break;
    case 3: // a walled town
        CityPicture(cr, ox, oy, 1, 2);
        Circle(cr, ox + kHexCentreX, oy + kHexCentreY + 8, 40);
        StrokePath(cr, Rgb(0x5A5448), 3);
        break;
    case 4: // an oasis
        for (int i = 0; i < 4; i++) {
            double x = ox + 60 + i * 14, y = oy + 100 - (i % 2) * 10;
            cairo_move_to(cr, x, y);
            cairo_curve_to(cr, x + 2, y - 12, x + 4, y - 20, x + 2, y - 28);
            StrokePath(cr, Rgb(0x5A4A30), 2.4);
            for (int l = 0; l < 5; l++) {
                double a = -M_PI / 2 + (l - 2) * 0.7;
                cairo_move_to(cr, x + 2, y - 28);
                cairo_curve_to(cr, x + 2 + std::cos(a) * 8, y - 32, x + 2 + std::cos(a) * 14, y - 28 + std::sin(a) * 2,
                               x + 2 + std::cos(a) * 16, y - 22);
            }
            StrokePath(cr, weather == 1 ? Rgb(0x6F7A5A) : Rgb(0x4E6A2A), 2.0);
        }
        break;
    default: // a marsh
        for (int i = 0; i < 12; i++) {
            sPt q = Inside(rnd, ox, oy, 8);
            Reeds(cr, q.x, q.y, Rgb(0x46542E));
        }
        break;
    }
}

cairo_surface_t* Eyecandies()
{
    cairo_surface_t* s = NewSurface(kMapTextureSize, 2 * kCellPitch + 1);
    cairo_t* cr = cairo_create(s);
    for (int kind = 0; kind < kEyecandyKinds; kind++)
        for (int w = 0; w < kWeatherStates; w++) {
            tAtlasRect c = EyecandyCell(kind, w);
            Eyecandy(cr, c.left, c.top, kind, w);
        }
    cairo_destroy(cr);
    return s;
}

// ---- Tables ----

// One line a layer, in the order of eMapLayer: the depth level (0 back to 39 front).
std::string SpritesDepth()
{
    struct sLine {
        int level;
        const char* name;
    };
    const sLine lines[kMapLayerCount] = {
        {0, "sea"},          {2, "plains"},     {4, "forest"},      {4, "rough"},  {3, "swamp"},
        {5, "hills"},        {6, "mountains"},  {2, "desert"},      {8, "rivers"}, {10, "weather"},
        {11, "ownership"},   {30, "marks"},     {13, "borders"},    {12, "grid"},  {18, "cities"},
        {15, "fortifications"}, {20, "sea zones and ports"}, {25, "units"},
    };
    std::ostringstream out;
    out << "# Depth level of each map layer, 0 (back) to 39 (front), one line a layer in this order:\r\n";
    out << "# terrain codes 0 to 7, rivers, weather, ownership, marks, borders, grid, cities,\r\n";
    out << "# fortifications, sea zones and ports, units.\r\n";
    for (const sLine& l : lines)
        out << l.level << ";" << l.name << "\r\n";
    return out.str();
}

std::string Rect(const tAtlasRect& r, bool corners)
{
    std::ostringstream out;
    if (corners)
        out << r.left << ";" << r.top << ";" << r.right << ";" << r.bottom;
    else
        out << r.left << ";" << r.top << ";" << r.Width() << ";" << r.Height();
    return out.str();
}

struct sLabelStyle {
    int height;
    int weight; // the file's weight code (weight = code x 8 + 100)
};

std::string Style(const char* face, sLabelStyle s, uint32_t text, uint32_t shadow)
{
    std::ostringstream out;
    out << face << ";" << s.height << ";" << s.weight << ";" << ((text >> 16) & 0xFF) << ";" << ((text >> 8) & 0xFF) << ";"
        << (text & 0xFF) << ";" << ((shadow >> 16) & 0xFF) << ";" << ((shadow >> 8) & 0xFF) << ";" << (shadow & 0xFF);
    return out.str();
}

// The city appearance: up to four levels by zoom. Destinations are in the 166-pixel cell
// of the hex; texts are drawn in screen pixels, so their heights hold at every zoom.
std::string Appearance()
{
    struct sLevel {
        int threshold;
        int marker;     // side of the city marker in the cell; 0: none (the town shows)
        bool badges;    // port, supply, resources, fortification
        bool victory;
        bool values;    // the victory and production figures
        int nameHeight; // 0: no names
        int nameTop;    // under the largest unit card of these zooms
    };
    // Near in, the cards end at 117 and the name stays inside its hex: hung lower it would
    // meet the name over the card of the hex below. Further out the cards end at 127.
    const sLevel levels[] = {
        {200, 0, true, true, true, 15, 118},
        {55, 44, true, true, false, 13, 130},
        {26, 70, false, true, false, 12, 130},
        {12, 116, false, false, false, 0, 130},
    };
    const uint32_t parchment = 0xF2EAD2, ink = 0x15130E, brass = 0xE3C77E;
    std::ostringstream out;
    out << "; City appearance by map zoom (percent): markers (destination x;y;width;height in the hex's\r\n";
    out << "; 166-pixel cell, then the source left;top;right;bottom in others.png), then the labels\r\n";
    out << "; (victory points, production, name): rectangle and text style.\r\n";
    out << "; The AP line holds the style of the action points shown on marked hexes.\r\n";
    const tAtlasRect apRect = Cell(83 - 40, 100, 80, 26);
    out << "#AP;" << Rect(apRect, false) << ";" << Style("Arial", {16, 75}, 0xFFF4D8, ink) << "\r\n";
    const int cx = int(kHexCentreX), cy = int(kHexCentreY);
    for (size_t i = 0; i < std::size(levels); i++) {
        const sLevel& l = levels[i];
        if (i > 0)
            out << "#level " << i << "\r\n";
        out << "threshold;" << l.threshold << "\r\n";
        auto marker = [&](const char* name, bool on, const tAtlasRect& dest, const tAtlasRect& src) {
            out << name << ";" << (on ? Rect(dest, false) : "0;0;0;0") << "\r\n";
            out << name << " source;" << (on ? Rect(src, true) : "0;0;0;0") << "\r\n";
        };
        // The town's place: the marker, or the town picture itself near.
        const int side = l.marker ? l.marker : 64;
        const tAtlasRect town = Cell(cx - side / 2, cy - side / 2 + (l.marker ? 0 : 4), side, side);
        const int badge = l.marker ? std::max(18, side / 2) : 24;
        marker("city", l.marker > 0, town, kCityMarker);
        marker("fortification", l.badges, Cell(town.left - badge / 3, town.top - badge / 3, badge, badge),
               kCityFortificationMarker);
        const tAtlasRect lowerRight = Cell(town.right - badge * 2 / 3, town.bottom - badge * 2 / 3, badge, badge);
        const tAtlasRect lowerLeft = Cell(town.left - badge / 3, town.bottom - badge * 2 / 3, badge, badge);
        const tAtlasRect upperRight = Cell(town.right - badge * 2 / 3, town.top - badge / 3, badge + 2, badge + 2);
        marker("port", l.badges, lowerRight, kPortMarker);
        marker("supply", l.badges, lowerLeft, kSupplyMarker);
        marker("resources", l.badges, lowerLeft, kResourcesMarker);
        marker("victory", l.victory, upperRight, kVictoryMarker);
        if (l.values) {
            out << "victory points;" << Rect(upperRight, false) << ";" << Style("Arial", {11, 75}, ink, brass) << "\r\n";
            out << "production;" << Rect(Cell(town.left - 30, town.top - 8, 30, 18), false) << ";"
                << Style("Arial", {12, 75}, brass, ink) << "\r\n";
        } else {
            out << "victory points;0;0;0;0\r\n";
            out << "production;0;0;0;0\r\n";
        }
        if (l.nameHeight)
            out << "name;" << Rect(Cell(cx - 80, l.nameTop, 160, 20), false) << ";"
                << Style("DejaVu Serif", {l.nameHeight, 75}, parchment, ink) << "\r\n";
        else
            out << "name;0;0;0;0\r\n";
    }
    return out.str();
}

} // namespace

void AddMapSkin(std::vector<sPictureFile>& pictures, std::vector<sTableFile>& tables)
{
    pictures.push_back({std::string(kFolder) + "terrain.png", Terrain});
    pictures.push_back({std::string(kFolder) + "others.png", Others});
    pictures.push_back({std::string(kFolder) + "eyecandies.png", Eyecandies});
    tables.push_back({std::string(kFolder) + "sprites_depth.csv", SpritesDepth});
    tables.push_back({std::string(kFolder) + "appearance.csv", Appearance});
}
