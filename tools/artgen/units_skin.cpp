// The units skin "[UnitsSkin]Counters": the counter card and its markers (units.png), the
// hint of a sea zone (info.png), each country's unit pictures in its own paint and markings
// (units_<name>.png), and the zoom levels of the land, air and naval counters. Cells follow
// shell/skin_atlas.h.
#include <cmath>
#include <sstream>

#include "shell/skin_atlas.h"
#include "tools/artgen/art.h"
#include "tools/artgen/canvas.h"
#include "tools/artgen/pictograms.h"
#include "tools/artgen/silhouettes.h"

using namespace skin_atlas;

namespace {

constexpr const char* kFolder = "[UnitsSkin]Counters/";

// How a country dresses its forces: the paint of its vehicles and the colours of the
// roundel on its aircraft and ships (outer ring to centre; a cross or star by name).
struct sDress {
    const char* name;
    uint32_t paint;
    uint32_t ring[3];
    int mark; // 0 roundel, 1 cross, 2 star
};

const sDress kDress[] = {
    {"Germany", 0x5A5F58, {0xF2F2F2, 0x151515, 0x151515}, 1},
    {"United Kingdom", 0x6E6440, {0x1F3A80, 0xF2F2F2, 0xB22222}, 0},
    {"France", 0x5C6A4C, {0xB22222, 0xF2F2F2, 0x1F3A80}, 0},
    {"Poland", 0x5F6744, {0xF2F2F2, 0xC8102E, 0xF2F2F2}, 0},
    {"Soviet Union", 0x4E5C34, {0xC8102E, 0xC8102E, 0xC8102E}, 2},
    {"Italy", 0x8A7C55, {0x1C7A3E, 0xF2F2F2, 0xC8102E}, 0},
    {"Slovakia", 0x5E6648, {0xF2F2F2, 0x1F3A80, 0xC8102E}, 0},
    {"Hungary", 0x66684A, {0xC8102E, 0xF2F2F2, 0x2E7A3E}, 0},
    {"Romania", 0x6A6A48, {0x1F3A80, 0xF2D33A, 0xC8102E}, 0},
    {"Bulgaria", 0x5E6444, {0xF2F2F2, 0x2E7A3E, 0xC8102E}, 0},
    {"Yugoslavia", 0x5A6446, {0x1F3A80, 0xF2F2F2, 0xC8102E}, 0},
    {"Greece", 0x6A6A50, {0x2A5CAA, 0xF2F2F2, 0x2A5CAA}, 0},
    {"Turkey", 0x6E6A48, {0xC8102E, 0xF2F2F2, 0xC8102E}, 0},
    {"Finland", 0x5E6A54, {0xF2F2F2, 0x1F3A80, 0x1F3A80}, 1},
    {"Estonia", 0x5E6448, {0x2A5CAA, 0x151515, 0xF2F2F2}, 0},
    {"Latvia", 0x606448, {0x8A1E2A, 0xF2F2F2, 0x8A1E2A}, 0},
    {"Lithuania", 0x606648, {0xE0B020, 0x2E7A3E, 0xC8102E}, 0},
    {"Sweden", 0x5C6650, {0x1F4A9A, 0xF2CC2A, 0x1F4A9A}, 0},
    {"Norway", 0x5E6650, {0xC8102E, 0xF2F2F2, 0x1F3A80}, 0},
    {"Denmark", 0x5E6650, {0xC8102E, 0xF2F2F2, 0xC8102E}, 0},
    {"Netherlands", 0x5C6448, {0xE87A1E, 0xF2F2F2, 0xE87A1E}, 0},
    {"Belgium", 0x5E6446, {0x151515, 0xF2CC2A, 0xC8102E}, 0},
    {"Luxembourg", 0x5E6446, {0xC8102E, 0xF2F2F2, 0x4A9AD0}, 0},
    {"Ireland", 0x5E6A46, {0x1C7A3E, 0xF2F2F2, 0xE87A1E}, 0},
    {"Spain", 0x7A7048, {0xC8102E, 0xF2CC2A, 0xC8102E}, 0},
    {"Portugal", 0x66684A, {0x1C7A3E, 0xC8102E, 0xF2CC2A}, 0},
    {"Switzerland", 0x5C6450, {0xC8102E, 0xF2F2F2, 0xC8102E}, 1},
    {"Iraq", 0x8A7A52, {0x151515, 0xF2F2F2, 0x1C7A3E}, 0},
    {"Iran", 0x8A7C56, {0x1C7A3E, 0xF2F2F2, 0xC8102E}, 0},
    {"Saudi Arabia", 0x8A7C56, {0x1C7A3E, 0xF2F2F2, 0x1C7A3E}, 0},
};
// The picture of a country without its own: bare steel, no markings.
const sDress kUndressed = {"", 0x4A4E4A, {0xE8E4D6, 0x4A4E4A, 0xE8E4D6}, 0};

void Marking(cairo_t* cr, double cx, double cy, double r, const sDress& d)
{
    if (d.mark == 1) {
        const double a = r, t = r * 0.42;
        FillRect(cr, cx - a, cy - t / 2 - 1.5, 2 * a, t + 3, Rgb(d.ring[0]));
        FillRect(cr, cx - t / 2 - 1.5, cy - a, t + 3, 2 * a, Rgb(d.ring[0]));
        FillRect(cr, cx - a + 1.5, cy - t / 2, 2 * a - 3, t, Rgb(d.ring[1]));
        FillRect(cr, cx - t / 2, cy - a + 1.5, t, 2 * a - 3, Rgb(d.ring[1]));
        return;
    }
    if (d.mark == 2) {
        StarPath(cr, cx, cy, r * 1.15, r * 0.48);
        SetColor(cr, Rgb(d.ring[0]));
        cairo_fill_preserve(cr);
        StrokePath(cr, Rgb(0xF2F2F2), 1.0);
        return;
    }
    FillCircle(cr, cx, cy, r, Rgb(d.ring[0]));
    FillCircle(cr, cx, cy, r * 0.64, Rgb(d.ring[1]));
    FillCircle(cr, cx, cy, r * 0.3, Rgb(d.ring[2]));
}

// Draws `draw` with a light halo round it, so that a dark silhouette reads on any card.
template <typename Fn>
void WithHalo(cairo_t* cr, const sColor& halo, Fn draw)
{
    cairo_push_group(cr);
    draw();
    cairo_pattern_t* shape = cairo_pop_group(cr);
    SetColor(cr, halo);
    for (int i = 0; i < 8; i++) {
        double a = i * M_PI / 4;
        cairo_save(cr);
        cairo_translate(cr, 1.6 * std::cos(a), 1.6 * std::sin(a));
        cairo_mask(cr, shape);
        cairo_restore(cr);
    }
    cairo_set_source(cr, shape);
    cairo_paint(cr);
    cairo_pattern_destroy(shape);
}

// One unit picture in its 128 x 100 cell at (ox, oy). The silhouette keeps to the middle
// band of the card: its top carries the flag and size, its bottom the figures.
void CounterPicture(cairo_t* cr, double ox, double oy, int type, const sDress& d)
{
    const sColor paint = Rgb(d.paint);
    const sColor shape = Darker(paint, 0.62), lit = Lighter(paint, 0.35);
    const sColor halo = WithAlpha(Rgb(0xF4EEDA), 0.85);
    cairo_save(cr);
    cairo_rectangle(cr, ox, oy, kUnitCellWidth, kUnitCellHeight);
    cairo_clip(cr);
    WithHalo(cr, halo, [&] {
        switch (type) {
        case 0:
        case 1:
            for (int i = 0; i < (type == 1 ? 5 : 3); i++)
                Soldier(cr, ox + (type == 1 ? 24 : 40) + i * 20, oy + 76 - (i % 2) * 3, 40, -0.05, shape);
            break;
        case 2:
        case 3:
            Truck(cr, ox + (type == 3 ? 10 : 30), oy + 76, type == 3 ? 62 : 70, shape, lit);
            if (type == 3)
                Truck(cr, ox + 72, oy + 70, 48, shape, lit);
            break;
        case 4:
        case 5:
            TankSide(cr, ox + (type == 5 ? 8 : 26), oy + 80, type == 5 ? 66 : 76, shape, lit);
            if (type == 5)
                TankSide(cr, ox + 70, oy + 72, 50, shape, lit);
            break;
        case 6:
            DrawPictogram(cr, pict::Parachute, ox + 34, oy + 20, 34, {shape, shape, lit});
            DrawPictogram(cr, pict::Parachute, ox + 70, oy + 30, 26, {shape, shape, lit});
            Soldier(cr, ox + 44, oy + 78, 26, -0.05, shape);
            break;
        case 20:
            DrawPictogram(cr, pict::Fighter, ox + 34, oy + 16, 60, {shape, lit, lit});
            break;
        case 21:
            PlaneSide(cr, ox + 64, oy + 50, 96, 2, false, shape, lit);
            break;
        case 22: // the largest that keeps the tail and its halo inside the cell
            PlaneSide(cr, ox + 60, oy + 50, 108, 4, true, shape, lit);
            break;
        case 40:
        case 41:
        case 42:
        case 43:
            Ship(cr, ox + 10, oy + 70, 108, type - 40, shape, lit);
            break;
        case 44:
            DrawPictogram(cr, pict::Freighter, ox + 24, oy + 8, 80, {shape, Darker(shape, 0.2), lit});
            break;
        case 45:
            DrawPictogram(cr, pict::LandingCraft, ox + 24, oy + 6, 80, {shape, Darker(shape, 0.2), lit});
            break;
        }
    });
    // National markings where they were painted: wings and hulls.
    if (type == 20) {
        Marking(cr, ox + 50, oy + 48, 4.2, d);
        Marking(cr, ox + 78, oy + 48, 4.2, d);
    }
    if (type == 21)
        Marking(cr, ox + 70, oy + 47, 5, d);
    if (type == 22)
        Marking(cr, ox + 66, oy + 47, 5, d);
    if (type >= 40 && type <= 43)
        Marking(cr, ox + 30, oy + 62, 4, d);
    // A turret carries the country's marking over the tank pictogram's own star, which
    // sits at (0.51, 0.40) of the pictogram's square.
    auto turret = [&](double x, double base, double len) { Marking(cr, x + 0.51 * len, base - 0.46 * len, 0.06 * len, d); };
    if (type == 4)
        turret(ox + 26, oy + 80, 76);
    if (type == 5) {
        turret(ox + 8, oy + 80, 66);
        turret(ox + 70, oy + 72, 50);
    }
    cairo_restore(cr);
}

const int kAllTypes[] = {0, 1, 2, 3, 4, 5, 6, 20, 21, 22, 40, 41, 42, 43, 44, 45};

void PictureSet(cairo_t* cr, double ox, double oy, const sDress& d)
{
    for (int type : kAllTypes) {
        tAtlasRect c = UnitPictureCell(type);
        CounterPicture(cr, ox + c.left, oy + c.top, type, d);
    }
}

cairo_surface_t* CountryPicture(const sDress& d)
{
    cairo_surface_t* s = NewSurface(kCountryPictureWidth, kCountryPictureHeight);
    cairo_t* cr = cairo_create(s);
    PictureSet(cr, 0, 0, d);
    cairo_destroy(cr);
    return s;
}

void CardPath(cairo_t* cr, const tAtlasRect& r, double inset) { RoundedRectPath(cr, r.left + inset, r.top + inset, r.Width() - 2 * inset, r.Height() - 2 * inset, 9 - inset); }

void Disc(cairo_t* cr, const tAtlasRect& r, const sColor& back, const sColor& rim)
{
    double cx = (r.left + r.right) / 2.0, cy = (r.top + r.bottom) / 2.0, rad = r.Width() / 2.0 - 1.5;
    FillCircle(cr, cx, cy, rad, back);
    Circle(cr, cx, cy, rad);
    StrokePath(cr, rim, 1.6);
}

void MarkerIcon(cairo_t* cr, const tAtlasRect& r, Pictogram p, const sColor& back, const sColor& ink)
{
    Disc(cr, r, back, ink);
    DrawPictogram(cr, p, r.left + 6, r.top + 6, r.Width() - 12, {ink, ink, back});
}

tAtlasRect Right(const tAtlasRect& r, int steps) { return Cell(r.left + steps * r.Width(), r.top, r.Width(), r.Height()); }
tAtlasRect Down(const tAtlasRect& r, int steps) { return Cell(r.left, r.top + steps * r.Height(), r.Width(), r.Height()); }

cairo_surface_t* Units()
{
    cairo_surface_t* s = NewSurface(kUnitsTextureWidth, kUnitsTextureHeight);
    cairo_t* cr = cairo_create(s);
    UseStableFontOptions(cr);
    PictureSet(cr, 0, 0, kUndressed);
    // The card: white, so that the owner's colour shows as it is; lighter at the top.
    CardPath(cr, kCounterBase, 1);
    cairo_pattern_t* p = cairo_pattern_create_linear(0, kCounterBase.top, 0, kCounterBase.bottom);
    cairo_pattern_add_color_stop_rgba(p, 0, 1, 1, 1, 1);
    cairo_pattern_add_color_stop_rgba(p, 1, 0.8, 0.8, 0.78, 1);
    cairo_set_source(cr, p);
    cairo_fill(cr);
    cairo_pattern_destroy(p);
    // The frame: light top and left, shadowed bottom and right, a dark line round it.
    const tAtlasRect f = kCounterFrame;
    cairo_save(cr);
    CardPath(cr, f, 1);
    cairo_clip(cr);
    CardPath(cr, f, 2.5);
    cairo_set_line_width(cr, 3);
    cairo_pattern_t* bevel = cairo_pattern_create_linear(f.left, f.top, f.right, f.bottom);
    cairo_pattern_add_color_stop_rgba(bevel, 0, 1, 1, 1, 0.65);
    cairo_pattern_add_color_stop_rgba(bevel, 0.5, 1, 1, 1, 0.0);
    cairo_pattern_add_color_stop_rgba(bevel, 0.5, 0, 0, 0, 0.0);
    cairo_pattern_add_color_stop_rgba(bevel, 1, 0, 0, 0, 0.55);
    cairo_set_source(cr, bevel);
    cairo_stroke(cr);
    cairo_pattern_destroy(bevel);
    cairo_restore(cr);
    CardPath(cr, f, 1);
    StrokePath(cr, Rgb(0x15130E), 2);
    // The second colour's band across the top of the card.
    const tAtlasRect st = kCounterStripe;
    cairo_save(cr);
    CardPath(cr, st, 2);
    cairo_clip(cr);
    FillRect(cr, st.left, st.top, st.Width(), 20, Rgb(0xFFFFFF));
    FillRect(cr, st.left, st.top + 20, st.Width(), 2, WithAlpha(Rgb(0x000000), 0.35));
    cairo_restore(cr);
    // The rim of the player's own units: brass.
    CardPath(cr, kOwnUnitRim, 2);
    StrokePath(cr, palette::kBrassLight, 4);
    CardPath(cr, kOwnUnitRim, 0.5);
    StrokePath(cr, WithAlpha(palette::kBrassDark, 0.9), 1.2);
    // Sizes: a division and a corps, light with a dark edge, so that they read on the dark
    // second colours of the stripe as well as on light ones.
    WithHalo(cr, Rgb(0x15130E), [&] {
        CenteredText(cr, "XX", "DejaVu Sans", true, 15, kSizeMarker.left + 24, kSizeMarker.top + 10, Rgb(0xF4EEDA));
        CenteredText(cr, "XXX", "DejaVu Sans", true, 15, kSizeMarker.left + 72, kSizeMarker.top + 10, Rgb(0xF4EEDA));
    });
    // Markers: spent, attacked, frozen; own commander, commander in reach; action points;
    // low supply.
    MarkerIcon(cr, kActionMarker, pict::Hourglass, Rgb(0x3A3D40), Rgb(0xE8E4D6));
    MarkerIcon(cr, Right(kActionMarker, 1), pict::Explosion, Rgb(0x8A2A1A), Rgb(0xF2D080));
    MarkerIcon(cr, Right(kActionMarker, 2), pict::Snowflake, Rgb(0x2A5A7A), Rgb(0xE8F2F6));
    Disc(cr, kCommanderMarker, Rgb(0x2A2418), palette::kBrassLight);
    StarPath(cr, kCommanderMarker.left + 16, kCommanderMarker.top + 16.5, 11, 4.6);
    SetColor(cr, palette::kBrassLight);
    cairo_fill(cr);
    const tAtlasRect reach = Right(kCommanderMarker, 1);
    Disc(cr, reach, Rgb(0x2A2418), Rgb(0xB8BCC0));
    StarPath(cr, reach.left + 16, reach.top + 16.5, 11, 4.6);
    StrokePath(cr, Rgb(0xD8DCE0), 1.8);
    Disc(cr, kActionPointsMarker, Rgb(0x2E5A24), Rgb(0xD8F0C0));
    DrawPictogram(cr, pict::Chevrons, kActionPointsMarker.left + 5, kActionPointsMarker.top + 5, 22,
                  {Rgb(0xE8F6D8), Rgb(0xE8F6D8), Rgb(0x2E5A24)});
    MarkerIcon(cr, kLowSupplyMarker, pict::Crate, Rgb(0xB06A1A), Rgb(0xFFF0D0));
    cairo_move_to(cr, kLowSupplyMarker.left + 7, kLowSupplyMarker.top + 25);
    cairo_line_to(cr, kLowSupplyMarker.left + 25, kLowSupplyMarker.top + 7);
    StrokePath(cr, Rgb(0xC8201A), 3);
    for (int level = 0; level < kLevelPipRows; level++) {
        const tAtlasRect row = Down(kLevelPips, level);
        for (int i = 0; i < level; i++) {
            StarPath(cr, row.left + 5 + i * 9.5, row.top + 6, 5, 2.1);
            SetColor(cr, palette::kBrassLight);
            cairo_fill_preserve(cr);
            StrokePath(cr, palette::kBrassDark, 0.8);
        }
    }
    // A ship's hit points.
    RoundedRectPath(cr, kHitPointsBar.left + 0.5, kHitPointsBar.top + 0.5, kHitPointsBar.Width() - 1, kHitPointsBar.Height() - 1, 3);
    SetColor(cr, Rgb(0x3A1410));
    cairo_fill_preserve(cr);
    StrokePath(cr, Rgb(0x0E0C08), 1);
    cairo_pattern_t* hp = cairo_pattern_create_linear(0, kHitPointsFill.top, 0, kHitPointsFill.bottom);
    cairo_pattern_add_color_stop_rgb(hp, 0, 0.62, 0.78, 0.42);
    cairo_pattern_add_color_stop_rgb(hp, 1, 0.30, 0.46, 0.18);
    cairo_rectangle(cr, kHitPointsFill.left, kHitPointsFill.top + 1, kHitPointsFill.Width(), kHitPointsFill.Height() - 2);
    cairo_set_source(cr, hp);
    cairo_fill(cr);
    cairo_pattern_destroy(hp);
    // Sea-battle marks.
    Disc(cr, kBattleActiveMark, Rgb(0x2E5A24), Rgb(0xD8F0C0));
    double tri[] = {kBattleActiveMark.left + 11.0, kBattleActiveMark.top + 9.0, kBattleActiveMark.left + 24.0,
                    kBattleActiveMark.top + 16.0, kBattleActiveMark.left + 11.0, kBattleActiveMark.top + 23.0};
    Polygon(cr, tri, 3);
    SetColor(cr, Rgb(0xE8F6D8));
    cairo_fill(cr);
    MarkerIcon(cr, kBattleVisibleMark, pict::Binoculars, Rgb(0x22394A), Rgb(0xE8EEF0));
    // The Mulberry harbour.
    DrawPictogram(cr, pict::Harbour, kMulberryPicture.left + 24, kMulberryPicture.top + 6, 80,
                  {Rgb(0x2A2C2A), Rgb(0x4F6A72), Rgb(0xA8B0B0)});
    cairo_destroy(cr);
    return s;
}

// The hint of a sea zone: title, the six ship types, then the rows of counts.
cairo_surface_t* Info()
{
    cairo_surface_t* s = NewSurface(kInfoWidth, kInfoHeight);
    cairo_t* cr = cairo_create(s);
    const double w = kInfoWidth, h = kInfoHeight;
    RoundedRectPath(cr, 0.5, 0.5, w - 1, h - 1, 6);
    SetColor(cr, WithAlpha(palette::kPanelDeep, 0.94));
    cairo_fill(cr);
    VerticalGradient(cr, 3, 3, w - 6, kInfoTitleHeight - 4, palette::kSteel, palette::kSteelDark);
    FillRect(cr, 3, kInfoTitleHeight - 1, w - 6, 2, palette::kBrass);
    const int types[] = {40, 41, 42, 43, 44, 45};
    Pictogram icons[] = {pict::Warship, pict::Warship, pict::Warship, pict::Warship, pict::Freighter, pict::LandingCraft};
    for (int k = 0; k < 6; k++) {
        double x = kInfoColumnsLeft + k * kInfoColumnWidth;
        const sColor ink = palette::kParchment;
        if (types[k] <= 43) {
            cairo_save(cr);
            cairo_rectangle(cr, x, kInfoTitleHeight + 2, kInfoColumnWidth, kInfoIconsHeight - 2);
            cairo_clip(cr);
            Ship(cr, x + 3, kInfoTitleHeight + 22, 30, types[k] - 40, ink, palette::kPanel);
            cairo_restore(cr);
        } else {
            DrawPictogram(cr, icons[k], x + 5, kInfoTitleHeight + 1, 26, {ink, palette::kPanel, palette::kPanel});
        }
    }
    for (int row = 0; row < 3; row++) {
        double y = kInfoTitleHeight + kInfoIconsHeight + row * kInfoRowHeight;
        if (row % 2 == 0)
            FillRect(cr, 3, y, w - 6, kInfoRowHeight, WithAlpha(palette::kOlive, 0.35));
        FillRect(cr, 3, y + kInfoRowHeight - 1, w - 6, 1, WithAlpha(palette::kBrassDark, 0.6));
    }
    RoundedRectPath(cr, 1, 1, w - 2, h - 2, 6);
    StrokePath(cr, palette::kBrass, 2);
    cairo_destroy(cr);
    return s;
}

// ---- Level tables ----

std::string Corners(const tAtlasRect& r)
{
    std::ostringstream out;
    out << r.left << ";" << r.top << ";" << r.right << ";" << r.bottom;
    return out.str();
}

std::string Box(int x, int y, int w, int h)
{
    std::ostringstream out;
    out << x << ";" << y << ";" << w << ";" << h;
    return out.str();
}

const tAtlasRect kNone = {0, 0, 0, 0};

// A text style row: the rectangle (x, y, width, height in the counter cell) and the font
// in screen pixels, light figures with a dark shadow.
std::string TextRow(int x, int y, int w, int h, int height)
{
    if (height == 0)
        return "0;0;0;0";
    std::ostringstream out;
    out << Box(x, y, w, h) << ";Arial;" << height << ";75;250;246;232;18;16;12";
    return out.str();
}

// A counter in the cell of 166: the card, scaled about the hex's centre.
struct sCardGeometry {
    double k; // size of the card against the full-detail card of 90 x 70
    int X(double x) const { return int(std::lround(83.5 + (x - 83.5) * k)); }
    int Y(double y) const { return int(std::lround(85 + (y - 85) * k)); }
    std::string Dest(double x, double y, double w, double h) const
    {
        return Box(X(x), Y(y), int(std::lround(w * k)), int(std::lround(h * k)));
    }
};

struct sCounterLevel {
    const char* name;
    int threshold;
    double size;
    bool markings; // flag, size, frame, stripe
    bool markers;  // action, commander, supply, own rim
    int strength, actionPoints, name_; // text heights, 0 none
};

// Full detail near, fewer pieces and larger cards as the map zooms out, a plain card far.
// A land or air unit's name stands over its card near in, where the name of a city on the
// hex, hung under the card, cannot hide it; from half size out a name is wider than two hexes
// and the names of a front would cover each other and the counters. Down to the zoom where
// the cities' names are largest the cards stand clear of each other (81 pixels in columns
// 83 apart) and leave room under them, inside the hex, for the city's name: no counter hides
// a neighbour's figures or markers, and no city's name meets the unit's name below it.
const sCounterLevel kLevels[] = {
    {"Full detail", 200, 0.9, true, true, 14, 13, 11},
    {"Near", 75, 0.9, true, true, 11, 10, 10},
    {"Half", 60, 0.9, true, true, 11, 10, 0},
    {"Middle", 45, 1.12, true, false, 10, 0, 0},
    {"Far", 22, 1.2, false, false, 0, 0, 0},
    {"Whole map", 11, 1.35, false, false, 0, 0, 0},
};

void Pair(std::ostringstream& out, bool on, const std::string& dest, const tAtlasRect& src)
{
    out << (on ? dest : "0;0;0;0") << "\r\n" << Corners(on ? src : kNone) << "\r\n";
}

// A table of the levels: each begins with its name and threshold, then the family's rows.
template <typename Fn>
std::string LevelTable(Fn rows)
{
    std::ostringstream out;
    out << "Game version;1.03\r\n";
    for (const sCounterLevel& l : kLevels) {
        const sCardGeometry g{l.size};
        out << l.name << "\r\n" << l.threshold << "\r\n";
        rows(out, g, l);
    }
    return out.str();
}

// The texts of a land or air level: strength, action points and name.
void Figures(std::ostringstream& out, const sCardGeometry& g, const sCounterLevel& l)
{
    out << TextRow(g.X(41), g.Y(103), int(44 * l.size), int(17 * l.size), l.strength) << "\r\n";
    out << TextRow(g.X(110), g.Y(103), int(18 * l.size), int(17 * l.size), l.actionPoints) << "\r\n";
    // The name is centred over the card whatever its size.
    out << TextRow(3, g.Y(36), 160, int(14 * l.size), l.name_) << "\r\n";
}

// The place of the rim of the player's own units.
std::string RimPlace(const sCardGeometry& g, const sCounterLevel& l)
{
    return l.markers ? Corners({g.X(37), g.Y(48), g.X(131), g.Y(122)}) : "0;0;0;0";
}

std::string LandUnits()
{
    return LevelTable([](std::ostringstream& out, const sCardGeometry& g, const sCounterLevel& l) {
        Pair(out, true, g.Dest(39, 50, 90, 70), kCounterBase);
        Pair(out, l.markings, g.Dest(39, 50, 90, 70), kCounterStripe);
        Pair(out, l.markings, g.Dest(39, 50, 90, 70), kCounterFrame);
        Pair(out, l.markings, g.Dest(70, 50.5, 28, 12), kSizeMarker);
        Pair(out, l.markings, g.Dest(41, 52, 20, 13), {0, 0, 128, 85});
        Pair(out, l.markers, g.Dest(111, 52, 16, 16), kActionMarker);
        Pair(out, l.markers, g.Dest(111, 69, 16, 16), kCommanderMarker);
        Pair(out, l.markers && l.actionPoints, g.Dest(98, 105, 12, 12), kActionPointsMarker);
        Pair(out, l.markers, g.Dest(111, 86, 16, 16), kLowSupplyMarker);
        Figures(out, g, l);
        // The rim's place, then the freeze marker's, on the left under the flag: a frozen
        // unit shows it to both sides, wherever the card shows its markings.
        out << RimPlace(g, l) << "\r\n";
        out << (l.markings ? Corners({g.X(41), g.Y(69), g.X(57), g.Y(85)}) : "0;0;0;0") << "\r\n";
    });
}

std::string AirUnits()
{
    return LevelTable([](std::ostringstream& out, const sCardGeometry& g, const sCounterLevel& l) {
        Pair(out, true, g.Dest(39, 50, 90, 70), kCounterBase);
        Pair(out, l.markings, g.Dest(41, 52, 20, 13), {0, 0, 128, 85});
        Pair(out, l.markings, g.Dest(39, 50, 90, 70), kCounterFrame);
        Pair(out, l.markings, g.Dest(66, 52, 36, 9), kLevelPips);
        Pair(out, l.markers, g.Dest(111, 52, 16, 16), kActionMarker);
        Pair(out, l.markers && l.actionPoints, g.Dest(98, 105, 12, 12), kActionPointsMarker);
        Pair(out, l.markers, g.Dest(111, 86, 16, 16), kLowSupplyMarker);
        Figures(out, g, l);
        out << RimPlace(g, l) << "\r\n";
        out << Corners(l.markers ? kOwnUnitRim : kNone) << "\r\n";
    });
}

std::string NavalUnits()
{
    return LevelTable([](std::ostringstream& out, const sCardGeometry& g, const sCounterLevel& l) {
        Pair(out, true, g.Dest(39, 50, 90, 70), kCounterBase);
        Pair(out, l.markings, g.Dest(41, 52, 20, 13), {0, 0, 128, 85});
        Pair(out, true, g.Dest(39, 50, 90, 70), {0, 0, kUnitCellWidth, kUnitCellHeight});
        Pair(out, l.markers, g.Dest(111, 52, 16, 16), kBattleActiveMark);
        out << (l.markings ? Corners({g.X(44), g.Y(106), g.X(124), g.Y(114)}) : "0;0;0;0") << "\r\n";
        // No names: the counter of a sea zone stands for every ship seen there.
        out << TextRow(0, 0, 0, 0, 0) << "\r\n";
        out << TextRow(0, 0, 0, 0, 0) << "\r\n";
        out << (l.markers ? Corners({g.X(111), g.Y(69), g.X(127), g.Y(85)}) : "0;0;0;0") << "\r\n";
        out << Corners(l.markers ? kBattleVisibleMark : kNone) << "\r\n";
    });
}

std::string Countries()
{
    return "Game version;1.03\r\n"
           "# Counter colours by country id: ID;Name;first colour;second colour (ARGB, hexadecimal).\r\n"
           "# None here: every country keeps the colours of its scenario.\r\n";
}

} // namespace

void AddUnitsSkin(std::vector<sPictureFile>& pictures, std::vector<sTableFile>& tables)
{
    pictures.push_back({std::string(kFolder) + "units.png", Units});
    pictures.push_back({std::string(kFolder) + "info.png", Info});
    for (const sDress& d : kDress)
        pictures.push_back({std::string(kFolder) + "units_" + d.name + ".png", [&d] { return CountryPicture(d); }});
    tables.push_back({std::string(kFolder) + "land_units.csv", LandUnits});
    tables.push_back({std::string(kFolder) + "air_units.csv", AirUnits});
    tables.push_back({std::string(kFolder) + "naval_units.csv", NavalUnits});
    tables.push_back({std::string(kFolder) + "countries.csv", Countries});
}
