// The full pictures under data/gfx/: wallpapers, logos, cursor, console and the unknown flag.
#include <algorithm>
#include <cmath>
#include <vector>

#include "tools/artgen/art.h"
#include "tools/artgen/canvas.h"
#include "tools/artgen/pictograms.h"

using namespace gui_atlas;
using namespace palette;

namespace {

constexpr double kW = kWallpaperWidth, kH = kWallpaperHeight;

void Vignette(cairo_t* cr, double w, double h, double strength)
{
    cairo_pattern_t* p = cairo_pattern_create_radial(w / 2, h / 2, h * 0.35, w / 2, h / 2, w * 0.75);
    cairo_pattern_add_color_stop_rgba(p, 0, 0, 0, 0, 0);
    cairo_pattern_add_color_stop_rgba(p, 1, 0, 0, 0, strength);
    cairo_set_source(cr, p);
    cairo_paint(cr);
    cairo_pattern_destroy(p);
}

// A smooth closed outline through points around a centre (Catmull-Rom turned into Béziers).
void BlobPath(cairo_t* cr, double cx, double cy, double rx, double ry, int points, cArtRandom& rnd, double rough)
{
    std::vector<double> xs(points), ys(points);
    for (int i = 0; i < points; i++) {
        double a = 2 * M_PI * i / points;
        double k = 1 - rough + 2 * rough * rnd.Fraction();
        xs[i] = cx + rx * k * std::cos(a);
        ys[i] = cy + ry * k * std::sin(a);
    }
    cairo_move_to(cr, xs[0], ys[0]);
    for (int i = 0; i < points; i++) {
        int i0 = (i + points - 1) % points, i1 = i, i2 = (i + 1) % points, i3 = (i + 2) % points;
        cairo_curve_to(cr, xs[i1] + (xs[i2] - xs[i0]) / 6, ys[i1] + (ys[i2] - ys[i0]) / 6,
                       xs[i2] - (xs[i3] - xs[i1]) / 6, ys[i2] - (ys[i3] - ys[i1]) / 6, xs[i2], ys[i2]);
    }
    cairo_close_path(cr);
}

void HexGrid(cairo_t* cr, double w, double h, double size, const sColor& c)
{
    double dx = size * 1.5, dy = size * std::sqrt(3.0);
    SetColor(cr, c);
    cairo_set_line_width(cr, 1);
    for (int col = 0; col * dx < w + size; col++)
        for (int row = 0; row * dy < h + dy; row++) {
            double cx = col * dx, cy = row * dy + ((col % 2) ? dy / 2 : 0);
            for (int i = 0; i < 6; i++) {
                double a = i * M_PI / 3;
                double x = cx + size * std::cos(a), y = cy + size * std::sin(a);
                if (i == 0)
                    cairo_move_to(cr, x, y);
                else
                    cairo_line_to(cr, x, y);
            }
            cairo_close_path(cr);
        }
    cairo_stroke(cr);
}

void CompassRose(cairo_t* cr, double cx, double cy, double r, const sColor& ink, const sColor& accent)
{
    Circle(cr, cx, cy, r);
    SetColor(cr, ink);
    cairo_set_line_width(cr, 2);
    cairo_stroke(cr);
    Circle(cr, cx, cy, r * 0.85);
    cairo_set_line_width(cr, 1);
    cairo_stroke(cr);
    for (int i = 0; i < 8; i++) {
        double a = -M_PI / 2 + i * M_PI / 4, len = (i % 2) ? r * 0.6 : r * 1.05, wid = r * 0.12;
        double tx = cx + len * std::cos(a), ty = cy + len * std::sin(a);
        double lx = cx + wid * std::cos(a - M_PI / 2), ly = cy + wid * std::sin(a - M_PI / 2);
        double rx = cx + wid * std::cos(a + M_PI / 2), ry = cy + wid * std::sin(a + M_PI / 2);
        double left[] = {cx, cy, lx, ly, tx, ty};
        double right[] = {cx, cy, rx, ry, tx, ty};
        SetColor(cr, i == 0 ? accent : ink);
        Polygon(cr, left, 3);
        cairo_fill(cr);
        SetColor(cr, Lighter(i == 0 ? accent : ink, 0.35));
        Polygon(cr, right, 3);
        cairo_fill(cr);
    }
    CenteredText(cr, "N", "DejaVu Serif", true, r * 0.3, cx, cy - r * 1.25, ink);
}

// A war-room chart: parchment sea and land, hex grid, compass, front lines.
void MapChart(cairo_t* cr, uint32_t seed, double dim)
{
    cArtRandom rnd(seed);
    VerticalGradient(cr, 0, 0, kW, kH, Rgb(0x6F7F7A), Rgb(0x4F625F));
    struct sLand {
        double x, y, rx, ry;
    };
    const sLand lands[] = {{520, 420, 330, 230}, {210, 250, 120, 150}, {860, 200, 180, 150},
                           {300, 660, 170, 90},  {760, 640, 130, 100}, {90, 520, 70, 60}};
    // Shallow water around the coasts, then the coast line, then the land over it, so that
    // overlapping shapes merge into one coast.
    auto landPath = [&](const sLand& l, double grow) {
        cArtRandom shape(seed * 31 + uint32_t(l.x));
        BlobPath(cr, l.x, l.y, l.rx + grow, l.ry + grow, 26, shape, 0.14);
    };
    for (const sLand& l : lands)
        landPath(l, 18);
    SetColor(cr, WithAlpha(Rgb(0x8FA39A), 0.7));
    cairo_fill(cr);
    for (const sLand& l : lands)
        landPath(l, 0);
    SetColor(cr, Rgb(0x4A3F2A));
    cairo_set_line_width(cr, 4);
    cairo_stroke(cr);
    for (const sLand& l : lands) {
        landPath(l, 0);
        cairo_pattern_t* p = cairo_pattern_create_radial(l.x, l.y, 0, l.x, l.y, std::max(l.rx, l.ry));
        cairo_pattern_add_color_stop_rgb(p, 0, 0.86, 0.81, 0.66);
        cairo_pattern_add_color_stop_rgb(p, 1, 0.76, 0.70, 0.52);
        cairo_set_source(cr, p);
        cairo_fill(cr);
        cairo_pattern_destroy(p);
    }
    // Forest and hill marks, on land only.
    cairo_save(cr);
    for (const sLand& l : lands)
        landPath(l, -6);
    cairo_clip(cr);
    for (int i = 0; i < 140; i++) {
        double x = rnd.Range(0, kW), y = rnd.Range(0, kH);
        SetColor(cr, WithAlpha(Rgb(0x5E6B3A), 0.35));
        Circle(cr, x, y, rnd.Range(4, 9));
        cairo_fill(cr);
    }
    cairo_restore(cr);
    HexGrid(cr, kW, kH, 22, WithAlpha(Rgb(0x2A2A20), 0.16));
    // Front lines and an arrow of advance.
    SetColor(cr, WithAlpha(kRed, 0.75));
    cairo_set_line_width(cr, 4);
    double dash[] = {14, 8};
    cairo_set_dash(cr, dash, 2, 0);
    cairo_move_to(cr, 430, 230);
    cairo_curve_to(cr, 470, 330, 420, 430, 480, 560);
    cairo_stroke(cr);
    cairo_set_dash(cr, nullptr, 0, 0);
    SetColor(cr, WithAlpha(kRed, 0.55));
    cairo_move_to(cr, 600, 380);
    cairo_curve_to(cr, 560, 360, 530, 370, 500, 390);
    cairo_set_line_width(cr, 14);
    cairo_stroke(cr);
    double head[] = {476, 404, 506, 368, 514, 408};
    Polygon(cr, head, 3);
    cairo_fill(cr);
    CompassRose(cr, 930, 660, 55, Rgb(0x3A3222), kRed);
    if (dim > 0)
        FillRect(cr, 0, 0, kW, kH, WithAlpha(kInk, dim));
}

void TitleText(cairo_t* cr, double cy, double size)
{
    CenteredText(cr, "VELMORANT", "DejaVu Serif", true, size, kW / 2 + 3, cy + 3, WithAlpha(kInk, 0.8));
    CenteredText(cr, "VELMORANT", "DejaVu Serif", true, size, kW / 2, cy, kBrassLight);
    CenteredText(cr, "EUROPE AT WAR  \xC2\xB7  1939 \xE2\x80\x93 1945", "DejaVu Sans", true, size * 0.26, kW / 2,
                 cy + size * 0.62, kParchment);
}

void Searchlight(cairo_t* cr, double x, double y, double angle, double length, double spread)
{
    double a0 = angle - spread, a1 = angle + spread;
    cairo_pattern_t* p = cairo_pattern_create_linear(x, y, x + length * std::cos(angle), y + length * std::sin(angle));
    cairo_pattern_add_color_stop_rgba(p, 0, 1, 0.96, 0.82, 0.32);
    cairo_pattern_add_color_stop_rgba(p, 1, 1, 0.96, 0.82, 0);
    cairo_set_source(cr, p);
    cairo_move_to(cr, x, y);
    cairo_line_to(cr, x + length * std::cos(a0), y + length * std::sin(a0));
    cairo_line_to(cr, x + length * std::cos(a1), y + length * std::sin(a1));
    cairo_close_path(cr);
    cairo_fill(cr);
    cairo_pattern_destroy(p);
}

// Dusk over a front: sky, searchlights, a bomber formation, armour on the horizon.
void DuskScene(cairo_t* cr)
{
    cairo_pattern_t* sky = cairo_pattern_create_linear(0, 0, 0, kH);
    cairo_pattern_add_color_stop_rgb(sky, 0, 0.08, 0.10, 0.09);
    cairo_pattern_add_color_stop_rgb(sky, 0.55, 0.30, 0.28, 0.20);
    cairo_pattern_add_color_stop_rgb(sky, 0.78, 0.72, 0.48, 0.24);
    cairo_pattern_add_color_stop_rgb(sky, 1, 0.30, 0.20, 0.12);
    cairo_set_source(cr, sky);
    cairo_paint(cr);
    cairo_pattern_destroy(sky);
    Searchlight(cr, 180, 640, -M_PI * 0.38, 700, 0.03);
    Searchlight(cr, 820, 650, -M_PI * 0.66, 720, 0.03);
    Searchlight(cr, 560, 660, -M_PI * 0.55, 650, 0.025);
    // Clouds: soft ellipses.
    cArtRandom rnd(77);
    for (int i = 0; i < 14; i++) {
        double x = rnd.Range(-50, kW), y = rnd.Range(380, 520), w = rnd.Range(120, 260);
        EllipsePath(cr, x, y, w, 0.18);
        SetColor(cr, WithAlpha(Rgb(0x2C2A22), 0.35));
        cairo_fill(cr);
    }
    sInk shadow{Rgb(0x141512), Rgb(0x141512), Rgb(0x26261F)};
    const double formation[][3] = {{640, 230, 70}, {580, 270, 56}, {700, 280, 56}, {520, 310, 44}, {760, 320, 44}};
    for (const auto& f : formation) {
        cairo_save(cr);
        cairo_translate(cr, f[0], f[1]);
        cairo_rotate(cr, -0.35);
        DrawPictogram(cr, pict::Bomber, -f[2] / 2, -f[2] / 2, f[2], shadow);
        cairo_restore(cr);
    }
    // The ground: rolling hills and tanks in silhouette.
    SetColor(cr, Rgb(0x16170F));
    cairo_move_to(cr, 0, 640);
    cairo_curve_to(cr, 200, 600, 350, 660, 520, 630);
    cairo_curve_to(cr, 700, 600, 850, 650, kW, 620);
    cairo_line_to(cr, kW, kH);
    cairo_line_to(cr, 0, kH);
    cairo_close_path(cr);
    cairo_fill(cr);
    DrawPictogram(cr, pict::Tank, 90, 575, 110, shadow);
    DrawPictogram(cr, pict::Tank, 230, 590, 80, shadow);
    DrawPictogram(cr, pict::Tank, 800, 560, 120, shadow);
    // Ruins on the ridge.
    const double ruins[][4] = {{420, 600, 18, 40}, {444, 585, 14, 55}, {462, 610, 22, 30}, {650, 596, 16, 44}};
    for (const auto& r : ruins)
        FillRect(cr, r[0], r[1], r[2], r[3], Rgb(0x16170F));
    Vignette(cr, kW, kH, 0.55);
}

void Blueprint(cairo_t* cr)
{
    VerticalGradient(cr, 0, 0, kW, kH, Rgb(0x24343F), Rgb(0x17222A));
    SetColor(cr, WithAlpha(Rgb(0x9FC0D4), 0.08));
    cairo_set_line_width(cr, 1);
    for (int x = 0; x < kW; x += 16) {
        cairo_move_to(cr, x + 0.5, 0);
        cairo_line_to(cr, x + 0.5, kH);
    }
    for (int y = 0; y < kH; y += 16) {
        cairo_move_to(cr, 0, y + 0.5);
        cairo_line_to(cr, kW, y + 0.5);
    }
    cairo_stroke(cr);
    SetColor(cr, WithAlpha(Rgb(0x9FC0D4), 0.16));
    for (int x = 0; x < kW; x += 80) {
        cairo_move_to(cr, x + 0.5, 0);
        cairo_line_to(cr, x + 0.5, kH);
    }
    for (int y = 0; y < kH; y += 80) {
        cairo_move_to(cr, 0, y + 0.5);
        cairo_line_to(cr, kW, y + 0.5);
    }
    cairo_stroke(cr);
    sInk line{WithAlpha(Rgb(0xCFE3EE), 0.22), WithAlpha(Rgb(0xCFE3EE), 0.35), Rgb(0x1D2B33)};
    DrawPictogram(cr, pict::Gear, 60, 440, 300, line);
    DrawPictogram(cr, pict::Gear, 300, 560, 170, line);
    DrawPictogram(cr, pict::Gear, 760, 40, 220, line);
    DrawPictogram(cr, pict::Tank, 620, 470, 360, {WithAlpha(Rgb(0xCFE3EE), 0.14), WithAlpha(Rgb(0xCFE3EE), 0.3), Rgb(0x1D2B33)});
    // Dimension lines.
    SetColor(cr, WithAlpha(Rgb(0xCFE3EE), 0.3));
    cairo_set_line_width(cr, 1.5);
    cairo_move_to(cr, 620, 760);
    cairo_line_to(cr, 980, 760);
    cairo_move_to(cr, 620, 750);
    cairo_line_to(cr, 620, 766);
    cairo_move_to(cr, 980, 750);
    cairo_line_to(cr, 980, 766);
    cairo_stroke(cr);
    Vignette(cr, kW, kH, 0.5);
}

void LoadingScene(cairo_t* cr)
{
    MapChart(cr, 5, 0.55);
    // A big plotting ring with bearing marks over the chart.
    double cx = kW / 2, cy = kH / 2;
    for (int ring = 1; ring <= 4; ring++) {
        Circle(cr, cx, cy, ring * 80);
        SetColor(cr, WithAlpha(kBrassLight, 0.25));
        cairo_set_line_width(cr, 1.5);
        cairo_stroke(cr);
    }
    for (int i = 0; i < 72; i++) {
        double a = i * M_PI / 36, r0 = (i % 6) ? 312 : 300;
        cairo_move_to(cr, cx + r0 * std::cos(a), cy + r0 * std::sin(a));
        cairo_line_to(cr, cx + 320 * std::cos(a), cy + 320 * std::sin(a));
    }
    SetColor(cr, WithAlpha(kBrassLight, 0.45));
    cairo_stroke(cr);
    TitleText(cr, 120, 84);
    Vignette(cr, kW, kH, 0.6);
}

cairo_surface_t* Wallpaper(void (*paint)(cairo_t*))
{
    cairo_surface_t* s = NewSurface(kWallpaperWidth, kWallpaperHeight);
    cairo_t* cr = cairo_create(s);
    paint(cr);
    cairo_destroy(cr);
    return s;
}

cairo_surface_t* WallpaperMain()
{
    return Wallpaper([](cairo_t* cr) {
        DuskScene(cr);
        TitleText(cr, 110, 96);
    });
}

cairo_surface_t* WallpaperScenario()
{
    return Wallpaper([](cairo_t* cr) {
        MapChart(cr, 11, 0.15);
        Vignette(cr, kW, kH, 0.6);
    });
}

cairo_surface_t* WallpaperScenarioSettings()
{
    return Wallpaper([](cairo_t* cr) {
        MapChart(cr, 23, 0.2);
        // Pins with pennants for the powers in play.
        const double pins[][2] = {{330, 300}, {600, 420}, {860, 230}, {280, 640}, {720, 600}};
        const sColor colours[] = {Rgb(0x3F5F8A), Rgb(0x5A5A58), kRed, Rgb(0x3F5F8A), Rgb(0xB8A040)};
        for (int i = 0; i < 5; i++) {
            double x = pins[i][0], y = pins[i][1];
            cairo_move_to(cr, x, y);
            cairo_line_to(cr, x, y - 44);
            SetColor(cr, kInk);
            cairo_set_line_width(cr, 2.5);
            cairo_stroke(cr);
            double flag[] = {x, y - 44, x + 30, y - 36, x, y - 28};
            SetColor(cr, colours[i]);
            Polygon(cr, flag, 3);
            cairo_fill(cr);
            FillCircle(cr, x, y, 4, kInk);
        }
        Vignette(cr, kW, kH, 0.6);
    });
}

cairo_surface_t* WallpaperPreferences() { return Wallpaper(Blueprint); }
cairo_surface_t* WallpaperLoading() { return Wallpaper(LoadingScene); }

cairo_surface_t* WallpaperPause()
{
    return Wallpaper([](cairo_t* cr) {
        MapChart(cr, 37, 0.45);
        Vignette(cr, kW, kH, 0.7);
    });
}

// The first logo: the maker's mark, a stamped seal on black.
cairo_surface_t* LogoMaker()
{
    cairo_surface_t* s = NewSurface(kLogoWidth, kLogoHeight);
    cairo_t* cr = cairo_create(s);
    FillRect(cr, 0, 0, kLogoWidth, kLogoHeight, Rgb(0x000000));
    double cx = kLogoWidth / 2.0, cy = 160;
    GradientDisc(cr, cx, cy, 110, 110, kBrassLight, kBrassDark);
    FillCircle(cr, cx, cy, 98, Rgb(0x1E2117));
    Circle(cr, cx, cy, 90);
    SetColor(cr, kBrass);
    cairo_set_line_width(cr, 2);
    cairo_stroke(cr);
    // Laurel leaves around the seal.
    for (int side = -1; side <= 1; side += 2)
        for (int i = 0; i < 9; i++) {
            double a = M_PI / 2 + side * (0.35 + i * 0.24);
            double x = cx + 76 * std::cos(a), y = cy + 76 * std::sin(a);
            cairo_save(cr);
            cairo_translate(cr, x, y);
            cairo_rotate(cr, a + side * M_PI / 2.6);
            cairo_scale(cr, 1, 0.42);
            Circle(cr, 0, 0, 10);
            cairo_restore(cr);
            SetColor(cr, kOliveLight);
            cairo_fill(cr);
        }
    CenteredText(cr, "V", "DejaVu Serif", true, 110, cx, cy - 4, kBrassLight);
    CenteredText(cr, "VELMORANT WORKS", "DejaVu Serif", true, 34, cx, 318, kParchment);
    CenteredText(cr, "PRESENTS", "DejaVu Sans", false, 16, cx, 352, kParchmentDark);
    cairo_destroy(cr);
    return s;
}

// The second logo: the game's title over an olive banner.
cairo_surface_t* LogoGame()
{
    cairo_surface_t* s = NewSurface(kLogoWidth, kLogoHeight);
    cairo_t* cr = cairo_create(s);
    FillRect(cr, 0, 0, kLogoWidth, kLogoHeight, Rgb(0x000000));
    double cx = kLogoWidth / 2.0;
    // A star behind the title.
    cairo_save(cr);
    StarPath(cr, cx, 170, 150, 60);
    SetColor(cr, Rgb(0x2A2E1C));
    cairo_fill(cr);
    cairo_restore(cr);
    FillRect(cr, 20, 140, kLogoWidth - 40, 70, kOliveDark);
    Bevel(cr, 20, 140, kLogoWidth - 40, 70, 3, kBrassLight, kBrassDark);
    CenteredText(cr, "VELMORANT", "DejaVu Serif", true, 52, cx + 3, 178, kInk);
    CenteredText(cr, "VELMORANT", "DejaVu Serif", true, 52, cx, 175, kBrassLight);
    CenteredText(cr, "EUROPE AT WAR", "DejaVu Sans", true, 24, cx, 252, kParchment);
    CenteredText(cr, "1939 \xE2\x80\x93 1945", "DejaVu Serif", false, 20, cx, 286, kParchmentDark);
    cairo_destroy(cr);
    return s;
}

// The mouse pointer: a brass arrow with a dark outline, hot spot at the top-left pixel.
cairo_surface_t* Cursor()
{
    cairo_surface_t* s = NewSurface(kCursorSize, kCursorSize);
    cairo_t* cr = cairo_create(s);
    double arrow[] = {1, 1, 1, 24, 7, 18.5, 11.5, 28, 15.5, 26, 11, 17, 19, 17};
    Polygon(cr, arrow, 7);
    SetColor(cr, WithAlpha(kInk, 0.45));
    cairo_save(cr);
    cairo_translate(cr, 1.5, 1.5);
    Polygon(cr, arrow, 7);
    cairo_fill(cr);
    cairo_restore(cr);
    Polygon(cr, arrow, 7);
    cairo_pattern_t* p = cairo_pattern_create_linear(0, 0, 16, 28);
    cairo_pattern_add_color_stop_rgb(p, 0, kBrassLight.r, kBrassLight.g, kBrassLight.b);
    cairo_pattern_add_color_stop_rgb(p, 1, kBrass.r, kBrass.g, kBrass.b);
    cairo_set_source(cr, p);
    cairo_fill_preserve(cr);
    cairo_pattern_destroy(p);
    SetColor(cr, kInk);
    cairo_set_line_width(cr, 1.5);
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_MITER);
    cairo_stroke(cr);
    cairo_destroy(cr);
    return s;
}

// The console's backing: a dark, slightly transparent plate with a brass edge.
cairo_surface_t* Console()
{
    cairo_surface_t* s = NewSurface(kConsoleWidth, kConsoleHeight);
    cairo_t* cr = cairo_create(s);
    FillRect(cr, 0, 0, kConsoleWidth, kConsoleHeight, WithAlpha(kInk, 0.9));
    VerticalGradient(cr, 2, 2, kConsoleWidth - 4, kConsoleHeight - 4, WithAlpha(kPanelDeep, 0.88),
                     WithAlpha(Darker(kPanelDeep, 0.4), 0.88));
    StrokeRect(cr, 0, 0, kConsoleWidth, kConsoleHeight, 2, kBrass);
    SetColor(cr, WithAlpha(kOliveLight, 0.08));
    for (int y = 4; y < kConsoleHeight - 4; y += 3)
        cairo_rectangle(cr, 2, y, kConsoleWidth - 4, 1);
    cairo_fill(cr);
    cairo_destroy(cr);
    return s;
}

// The flag of a country without one: undyed cloth with a stencilled question mark.
cairo_surface_t* UnknownFlag()
{
    cairo_surface_t* s = NewSurface(kFlagWidth, kFlagHeight);
    cairo_t* cr = cairo_create(s);
    VerticalGradient(cr, 0, 0, kFlagWidth, kFlagHeight, Rgb(0x9A9B90), Rgb(0x6E6F66));
    for (int i = 0; i < 3; i++)
        FillRect(cr, 0, 8 + i * 28, kFlagWidth, 10, WithAlpha(Rgb(0xFFFFFF), 0.05));
    StrokeRect(cr, 0, 0, kFlagWidth, kFlagHeight, 2, Rgb(0x3A3B35));
    CenteredText(cr, "?", "DejaVu Serif", true, 62, kFlagWidth / 2.0 + 2, kFlagHeight / 2.0 + 2, WithAlpha(kInk, 0.5));
    CenteredText(cr, "?", "DejaVu Serif", true, 62, kFlagWidth / 2.0, kFlagHeight / 2.0, Rgb(0xEDE8D6));
    cairo_destroy(cr);
    return s;
}

} // namespace

const std::vector<sPictureFile>& PictureFiles()
{
    static const std::vector<sPictureFile> files = [] {
        std::vector<sPictureFile> list = {
        {"GUI.png", RenderGuiAtlas},
        {"GUI_page2.png", [] { return RenderGuiAtlasPage(1); }},
        {"GUI_page3.png", [] { return RenderGuiAtlasPage(2); }},
        {"GUI_page4.png", [] { return RenderGuiAtlasPage(3); }},
        {"wallpaper_main.png", WallpaperMain},
        {"wallpaper_preferences.png", WallpaperPreferences},
        {"wallpaper_scenario.png", WallpaperScenario},
        {"wallpaper_scenariosettings.png", WallpaperScenarioSettings},
        {"wallpaper_loading.png", WallpaperLoading},
        {"wallpaper_pause.png", WallpaperPause},
        {"logof.png", LogoMaker},
        {"logog.png", LogoGame},
        {"cur.png", Cursor},
        {"console.png", Console},
        {"Flags/unknown.png", UnknownFlag},
        };
        AddUnitPictures(list);
        AddFlagPictures(list);
        std::vector<sTableFile> tables;
        AddMapSkin(list, tables);
        AddUnitsSkin(list, tables);
        return list;
    }();
    return files;
}

const std::vector<sTableFile>& TableFiles()
{
    static const std::vector<sTableFile> files = [] {
        std::vector<sPictureFile> pictures;
        std::vector<sTableFile> tables;
        AddMapSkin(pictures, tables);
        AddUnitsSkin(pictures, tables);
        return tables;
    }();
    return files;
}
