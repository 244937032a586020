// The unit pictures under data/gfx/Units images/: one 256 x 128 scene per unit type code
// (what the unit panel and the fleets dialog fall back on) and default.png.
#include <cmath>

#include "tools/artgen/art.h"
#include "tools/artgen/canvas.h"
#include "tools/artgen/pictograms.h"
#include "tools/artgen/silhouettes.h"

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
            PlaneSide(cr, 60, 26, 90, 2, false, kShape, kShapeLit);
        }
        for (int i = 0; i < (typeCode == 1 ? 9 : 5); i++)
            Soldier(cr, 20 + i * (typeCode == 1 ? 26 : 34) + (i % 2) * 4, 118 - (i % 2) * 6, typeCode == 1 ? 36 : 44,
                    -0.05, kShape);
        break;
    case 2: // mechanized
    case 3:
        Scene(cr, kLand, seed);
        Truck(cr, 20, 116, 96, kShape, kShapeLit);
        Truck(cr, 130, 110, 78, kShape, kShapeLit);
        if (typeCode == 3)
            Truck(cr, 200, 104, 52, kShape, kShapeLit);
        break;
    case 4: // armoured
    case 5:
        Scene(cr, kLand, seed);
        TankSide(cr, typeCode == 5 ? 4 : 50, 126, typeCode == 5 ? 120 : 150, kShape, kShapeLit);
        if (typeCode == 5) {
            TankSide(cr, 126, 116, 90, kShape, kShapeLit);
            TankSide(cr, 196, 108, 60, kShape, kShapeLit);
        }
        break;
    case 20: // fighter
        Scene(cr, kAir, seed);
        PlaneSide(cr, 110, 60, 150, 1, false, kShape, kShapeLit);
        PlaneSide(cr, 210, 30, 60, 1, false, kShape, kShapeLit);
        break;
    case 21: // tactical bomber
        Scene(cr, kAir, seed);
        PlaneSide(cr, 120, 58, 170, 2, false, kShape, kShapeLit);
        break;
    case 22: // strategic bomber
        Scene(cr, kAir, seed);
        PlaneSide(cr, 128, 56, 200, 4, true, kShape, kShapeLit);
        PlaneSide(cr, 36, 20, 60, 4, true, kShape, kShapeLit);
        break;
    case 40:
    case 41:
    case 42:
    case 43:
        Scene(cr, kSea, seed);
        Ship(cr, 28, 96, 200, typeCode - 40, kShape, kShapeLit);
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
        TankSide(cr, 120, 124, 120, kShape, kShapeLit);
        Soldier(cr, 30, 118, 40, -0.05, kShape);
        Soldier(cr, 60, 114, 38, -0.05, kShape);
        Soldier(cr, 88, 118, 40, -0.05, kShape);
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
