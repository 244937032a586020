// The unit pictures under data/gfx/Units images/: one 256 x 128 scene per unit type code
// (what the unit panel and the fleets dialog fall back on) and default.png.
#include <cmath>

#include "tools/artgen/art.h"
#include "tools/artgen/canvas.h"
#include "tools/artgen/pictograms.h"

using namespace palette;

namespace {

constexpr double kW = gui_atlas::kUnitPictureWidth, kH = gui_atlas::kUnitPictureHeight;
constexpr sColor kShape = Rgb(0x1E2119);
constexpr sColor kShapeLit = Rgb(0x3A4030);

enum eScene { kLand, kAir, kSea };

void Scene(cairo_t* cr, eScene scene, uint32_t seed)
{
    cArtRandom rnd(seed);
    if (scene == kSea) {
        VerticalGradient(cr, 0, 0, kW, 78, Rgb(0x8E9A90), Rgb(0xCFC7A6));
        VerticalGradient(cr, 0, 78, kW, kH - 78, Rgb(0x4F6A72), Rgb(0x22343D));
        SetColor(cr, WithAlpha(Rgb(0xDDE6E0), 0.35));
        cairo_set_line_width(cr, 1.2);
        for (int i = 0; i < 18; i++) {
            double x = rnd.Range(0, kW), y = rnd.Range(84, kH - 4), w = rnd.Range(8, 26);
            cairo_move_to(cr, x, y);
            cairo_line_to(cr, x + w, y);
        }
        cairo_stroke(cr);
        return;
    }
    if (scene == kAir) {
        VerticalGradient(cr, 0, 0, kW, kH, Rgb(0x6F8796), Rgb(0xD9CFAE));
        for (int i = 0; i < 5; i++) {
            double x = rnd.Range(-20, kW), y = rnd.Range(70, 120), w = rnd.Range(40, 90);
            EllipsePath(cr, x, y, w, 0.25);
            SetColor(cr, WithAlpha(Rgb(0xF2EEDD), 0.55));
            cairo_fill(cr);
        }
        return;
    }
    VerticalGradient(cr, 0, 0, kW, 90, Rgb(0x9AA4A0), Rgb(0xD8CBA0));
    // Distant hills and the field.
    SetColor(cr, Rgb(0x7D8466));
    cairo_move_to(cr, 0, 84);
    for (int x = 0; x <= 256; x += 32)
        cairo_line_to(cr, x, 76 + 8 * std::sin(x * 0.05 + seed));
    cairo_line_to(cr, kW, kH);
    cairo_line_to(cr, 0, kH);
    cairo_close_path(cr);
    cairo_fill(cr);
    VerticalGradient(cr, 0, 96, kW, kH - 96, Rgb(0x6B6A45), Rgb(0x3F3E28));
}

void Soldier(cairo_t* cr, double x, double base, double h, double lean)
{
    // A marching infantryman with a slung rifle.
    double s = h / 40.0;
    cairo_save(cr);
    cairo_translate(cr, x, base);
    cairo_scale(cr, s, s);
    cairo_matrix_t shear;
    cairo_matrix_init(&shear, 1, 0, lean, 1, 0, 0);
    cairo_transform(cr, &shear);
    SetColor(cr, kShape);
    Circle(cr, 0, -34, 3.5);
    cairo_fill(cr);
    cairo_save(cr);
    cairo_scale(cr, 1, 0.45);
    Circle(cr, 0, -37 / 0.45, 6);
    cairo_restore(cr);
    cairo_fill(cr);
    double body[] = {-4, -30, 4, -30, 5, -14, -5, -14};
    Polygon(cr, body, 4);
    cairo_fill(cr);
    cairo_set_line_width(cr, 3.2);
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    cairo_move_to(cr, -2, -15);
    cairo_line_to(cr, -6, 0);
    cairo_move_to(cr, 2, -15);
    cairo_line_to(cr, 6, 0);
    cairo_stroke(cr);
    cairo_set_line_width(cr, 1.6);
    cairo_move_to(cr, 3, -30);
    cairo_line_to(cr, 9, -44);
    cairo_stroke(cr);
    cairo_restore(cr);
}

void Truck(cairo_t* cr, double x, double base, double len)
{
    double s = len / 60.0;
    cairo_save(cr);
    cairo_translate(cr, x, base);
    cairo_scale(cr, s, s);
    SetColor(cr, kShape);
    double cab[] = {40, -8, 40, -22, 50, -22, 56, -14, 60, -12, 60, -6, 40, -6};
    Polygon(cr, cab, 7);
    cairo_fill(cr);
    RoundedRectPath(cr, 0, -26, 40, 20, 3);
    cairo_fill(cr);
    FillRect(cr, 0, -8, 60, 3, kShape);
    for (double wx : {10.0, 26.0, 50.0}) {
        FillCircle(cr, wx, -3, 6, kShape);
        FillCircle(cr, wx, -3, 2.5, kShapeLit);
    }
    FillRect(cr, 44, -20, 7, 6, kShapeLit);
    cairo_restore(cr);
}

void TankSide(cairo_t* cr, double x, double base, double len)
{
    sInk ink{kShape, kShapeLit, kShapeLit};
    DrawPictogram(cr, pict::Tank, x, base - len * 0.86, len, ink);
}

void PlaneSide(cairo_t* cr, double cx, double cy, double len, int engines, bool bigTail)
{
    // A side view: fuselage, wing root, tail, engines and propeller discs.
    double s = len / 100.0;
    cairo_save(cr);
    cairo_translate(cr, cx, cy);
    cairo_scale(cr, s, s);
    SetColor(cr, kShape);
    cairo_move_to(cr, -50, -2);
    cairo_curve_to(cr, -45, -9, -30, -9, -10, -8);
    cairo_line_to(cr, 38, -5);
    cairo_line_to(cr, 50, -16 - (bigTail ? 6 : 0));
    cairo_line_to(cr, 55, -16 - (bigTail ? 6 : 0));
    cairo_line_to(cr, 52, 0);
    cairo_line_to(cr, 40, 2);
    cairo_curve_to(cr, 0, 5, -30, 6, -46, 4);
    cairo_close_path(cr);
    cairo_fill(cr);
    double wing[] = {-22, 0, 10, 0, 4, 6, -18, 6};
    Polygon(cr, wing, 4);
    cairo_fill(cr);
    double tail[] = {40, -2, 58, -2, 58, 1, 40, 2};
    Polygon(cr, tail, 4);
    cairo_fill(cr);
    FillRect(cr, -30, -8, 12, 3, kShapeLit); // cockpit glazing
    for (int e = 0; e < engines; e++) {
        double ex = engines == 1 ? -52 : -20 - 8 * e;
        RoundedRectPath(cr, ex, -2 + 4 * e, 16, 7, 3);
        SetColor(cr, kShape);
        cairo_fill(cr);
        cairo_save(cr);
        cairo_scale(cr, 0.25, 1);
        Circle(cr, (ex - 1) / 0.25, 1.5 + 4 * e, 10);
        cairo_restore(cr);
        SetColor(cr, WithAlpha(kShapeLit, 0.5));
        cairo_fill(cr);
    }
    cairo_restore(cr);
}

void Ship(cairo_t* cr, double x, double waterline, double len, int kind)
{
    // kind: 0 carrier, 1 battleship, 2 cruiser, 3 submarine.
    double s = len / 200.0;
    cairo_save(cr);
    cairo_translate(cr, x, waterline);
    cairo_scale(cr, s, s);
    SetColor(cr, kShape);
    if (kind == 3) {
        cairo_move_to(cr, 0, 0);
        cairo_curve_to(cr, 20, -10, 180, -10, 200, 0);
        cairo_close_path(cr);
        cairo_fill(cr);
        double tower[] = {80, -6, 84, -24, 108, -24, 112, -6};
        Polygon(cr, tower, 4);
        cairo_fill(cr);
        FillRect(cr, 96, -40, 2, 16, kShape);
        FillRect(cr, 120, -10, 24, 3, kShape);
        cairo_restore(cr);
        return;
    }
    double hull[] = {0, -18, 200, -22, 190, 6, 14, 6};
    Polygon(cr, hull, 4);
    cairo_fill(cr);
    if (kind == 0) {
        FillRect(cr, -6, -28, 212, 8, kShape);
        double island[] = {130, -28, 134, -52, 152, -52, 156, -28};
        Polygon(cr, island, 4);
        cairo_fill(cr);
        FillRect(cr, 140, -66, 3, 14, kShape);
        // Aircraft ranged on the flight deck.
        for (int i = 0; i < 3; i++) {
            double px = 20 + i * 30;
            double plane[] = {px, -28, px + 16, -28, px + 14, -32, px + 2, -31};
            SetColor(cr, kShapeLit);
            Polygon(cr, plane, 4);
            cairo_fill(cr);
            SetColor(cr, kShape);
        }
    } else {
        bool big = kind == 1;
        double sup[] = {70, -22, 78, big ? -46.0 : -40.0, 118, big ? -46.0 : -40.0, 124, -22};
        Polygon(cr, sup, 4);
        cairo_fill(cr);
        double mast[] = {92, -46, 96, big ? -78.0 : -68.0, 100, -46};
        Polygon(cr, mast, 3);
        cairo_fill(cr);
        FillRect(cr, 104, big ? -58 : -52, 10, big ? 14 : 12, kShape); // funnel
        int turrets = big ? 4 : 3;
        const double tx[] = {24, 48, 150, 172};
        for (int t = 0; t < turrets; t++) {
            double px = tx[t < 2 ? t : t + (4 - turrets)];
            RoundedRectPath(cr, px - 9, -30, 18, 9, 3);
            cairo_fill(cr);
            double dir = px < 100 ? -1 : 1;
            FillRect(cr, dir < 0 ? px - 9 - (big ? 20 : 14) : px + 9, -28, big ? 20 : 14, 2.5, kShape);
        }
    }
    cairo_restore(cr);
}

void WaterFoam(cairo_t* cr, double x, double y, double w)
{
    SetColor(cr, WithAlpha(Rgb(0xE8EEE8), 0.5));
    cairo_set_line_width(cr, 2);
    cairo_move_to(cr, x, y);
    cairo_curve_to(cr, x + w * 0.3, y - 2, x + w * 0.7, y + 2, x + w, y);
    cairo_stroke(cr);
}

cairo_surface_t* Picture(int typeCode)
{
    cairo_surface_t* surface = NewSurface(int(kW), int(kH));
    cairo_t* cr = cairo_create(surface);
    uint32_t seed = uint32_t(typeCode * 7 + 3);
    switch (typeCode) {
    case 0: // infantry
    case 1: // infantry corps
    case 6: // airborne
        Scene(cr, kLand, seed);
        if (typeCode == 6) {
            sInk ink{kShape, kShapeLit, Rgb(0xD8CBA0)};
            DrawPictogram(cr, pict::Parachute, 150, 6, 44, ink);
            DrawPictogram(cr, pict::Parachute, 200, 22, 34, ink);
            PlaneSide(cr, 60, 26, 90, 2, false);
        }
        for (int i = 0; i < (typeCode == 1 ? 9 : 5); i++)
            Soldier(cr, 20 + i * (typeCode == 1 ? 26 : 34) + (i % 2) * 4, 118 - (i % 2) * 6, typeCode == 1 ? 36 : 44,
                    -0.05);
        break;
    case 2: // mechanized
    case 3:
        Scene(cr, kLand, seed);
        Truck(cr, 20, 116, 96);
        Truck(cr, 130, 110, 78);
        if (typeCode == 3)
            Truck(cr, 200, 104, 52);
        break;
    case 4: // armoured
    case 5:
        Scene(cr, kLand, seed);
        TankSide(cr, typeCode == 5 ? 4 : 50, 126, typeCode == 5 ? 120 : 150);
        if (typeCode == 5) {
            TankSide(cr, 126, 116, 90);
            TankSide(cr, 196, 108, 60);
        }
        break;
    case 20: // fighter
        Scene(cr, kAir, seed);
        PlaneSide(cr, 110, 60, 150, 1, false);
        PlaneSide(cr, 210, 30, 60, 1, false);
        break;
    case 21: // tactical bomber
        Scene(cr, kAir, seed);
        PlaneSide(cr, 120, 58, 170, 2, false);
        break;
    case 22: // strategic bomber
        Scene(cr, kAir, seed);
        PlaneSide(cr, 128, 56, 200, 4, true);
        PlaneSide(cr, 36, 20, 60, 4, true);
        break;
    case 40:
    case 41:
    case 42:
    case 43:
        Scene(cr, kSea, seed);
        Ship(cr, 28, 96, 200, typeCode - 40);
        WaterFoam(cr, 16, 100, 40);
        break;
    case 44: // cargo ship
        Scene(cr, kSea, seed);
        DrawPictogram(cr, pict::Freighter, 40, -20, 180, {kShape, Rgb(0x4F6A72), kShapeLit});
        break;
    case 45: // amphibious ship
        Scene(cr, kSea, seed);
        DrawPictogram(cr, pict::LandingCraft, 40, -30, 180, {kShape, Rgb(0x4F6A72), kShapeLit});
        break;
    case 60: // Mulberry harbour
        Scene(cr, kSea, seed);
        DrawPictogram(cr, pict::Harbour, 30, -30, 200, {kShape, Rgb(0x4F6A72), kShapeLit});
        break;
    default: // the default picture: a column of armour and infantry
        Scene(cr, kLand, seed);
        TankSide(cr, 120, 124, 120);
        Soldier(cr, 30, 118, 40, -0.05);
        Soldier(cr, 60, 114, 38, -0.05);
        Soldier(cr, 88, 118, 40, -0.05);
        break;
    }
    cairo_destroy(cr);
    return surface;
}

template <int Code>
cairo_surface_t* PictureOf()
{
    return Picture(Code);
}

} // namespace

void AddUnitPictures(std::vector<sPictureFile>& files)
{
    files.push_back({"Units images/default.png", PictureOf<-1>});
    files.push_back({"Units images/0.png", PictureOf<0>});
    files.push_back({"Units images/1.png", PictureOf<1>});
    files.push_back({"Units images/2.png", PictureOf<2>});
    files.push_back({"Units images/3.png", PictureOf<3>});
    files.push_back({"Units images/4.png", PictureOf<4>});
    files.push_back({"Units images/5.png", PictureOf<5>});
    files.push_back({"Units images/6.png", PictureOf<6>});
    files.push_back({"Units images/20.png", PictureOf<20>});
    files.push_back({"Units images/21.png", PictureOf<21>});
    files.push_back({"Units images/22.png", PictureOf<22>});
    files.push_back({"Units images/40.png", PictureOf<40>});
    files.push_back({"Units images/41.png", PictureOf<41>});
    files.push_back({"Units images/42.png", PictureOf<42>});
    files.push_back({"Units images/43.png", PictureOf<43>});
    files.push_back({"Units images/44.png", PictureOf<44>});
    files.push_back({"Units images/45.png", PictureOf<45>});
    files.push_back({"Units images/60.png", PictureOf<60>});
}
