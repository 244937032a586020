// The intro: a convoy at dawn, a night raid under searchlights, the offensives over a chart
// (the studio's seal and the title follow as the intro's two stills, so no movie shows them);
// then the credits rolling over a dark chart.
#include "tools/moviegen/movies.h"

#include <algorithm>
#include <cmath>

#include "tools/artgen/canvas.h"
#include "tools/artgen/pictograms.h"

namespace {

using namespace palette;

constexpr double kW = kMovieWidth, kH = kMovieHeight;

double Clamp01(double x) { return std::clamp(x, 0.0, 1.0); }
// 0 before a, 1 after b, smooth in between.
double Ease(double t, double a, double b)
{
    double x = Clamp01((t - a) / (b - a));
    return x * x * (3 - 2 * x);
}

// Darkens the whole frame: 1 leaves it, 0 is black.
void Fade(cairo_t* cr, double light)
{
    if (light < 1)
        FillRect(cr, 0, 0, kW, kH, Rgb(0x000000, 1 - Clamp01(light)));
}

void Beam(cairo_t* cr, double x, double y, double angle, double length, double spread, double alpha)
{
    cairo_pattern_t* p = cairo_pattern_create_linear(x, y, x + length * std::cos(angle), y + length * std::sin(angle));
    cairo_pattern_add_color_stop_rgba(p, 0, 1, 0.96, 0.82, alpha);
    cairo_pattern_add_color_stop_rgba(p, 1, 1, 0.96, 0.82, 0);
    cairo_set_source(cr, p);
    cairo_move_to(cr, x, y);
    cairo_line_to(cr, x + length * std::cos(angle - spread), y + length * std::sin(angle - spread));
    cairo_line_to(cr, x + length * std::cos(angle + spread), y + length * std::sin(angle + spread));
    cairo_close_path(cr);
    cairo_fill(cr);
    cairo_pattern_destroy(p);
}

// A convoy at dawn: freighters and their escort steam along the horizon over a rolling sea.
void ConvoyAtSea(cairo_t* cr, double t)
{
    const double horizon = 250;
    cairo_pattern_t* sky = cairo_pattern_create_linear(0, 0, 0, horizon);
    cairo_pattern_add_color_stop_rgb(sky, 0, 0.10, 0.12, 0.16);
    cairo_pattern_add_color_stop_rgb(sky, 1, 0.55, 0.42, 0.28);
    cairo_set_source(cr, sky);
    cairo_rectangle(cr, 0, 0, kW, horizon);
    cairo_fill(cr);
    cairo_pattern_destroy(sky);
    VerticalGradient(cr, 0, horizon, kW, kH - horizon, Rgb(0x2C3A3E), Rgb(0x111A1D));
    // Ships in line ahead, the escort last, drifting right.
    const sInk shadow{Rgb(0x0C0E0D), Rgb(0x0C0E0D), Rgb(0x1E2322)};
    const double line[][2] = {{0, 0}, {-150, 0}, {-300, 0}, {-470, 1}};
    for (const auto& ship : line) {
        const double size = 110;
        const double x = 520 + ship[0] + t * 38;
        DrawPictogram(cr, ship[1] > 0 ? pict::Warship : pict::Freighter, x - size / 2, horizon - size * 0.62, size,
                      shadow);
    }
    // Rows of waves, nearer rows larger and faster.
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    for (int row = 0; row < 9; row++) {
        const double y = horizon + 12 + row * row * 3.2 + row * 8;
        const double scale = 0.5 + row * 0.22;
        const double shift = std::fmod(t * (10 + row * 6) + row * 37, 60 * scale);
        cairo_set_line_width(cr, scale * 1.6);
        SetColor(cr, WithAlpha(kParchment, 0.10 + row * 0.02));
        for (double x = -60 * scale + shift; x < kW + 60; x += 60 * scale) {
            cairo_move_to(cr, x, y);
            cairo_curve_to(cr, x + 10 * scale, y - 5 * scale, x + 20 * scale, y - 5 * scale, x + 30 * scale, y);
        }
        cairo_stroke(cr);
    }
    Fade(cr, Ease(t, 0, 0.5) * (1 - Ease(t, 3.1, 3.5)));
}

// A night raid: searchlights sweep, a bomber formation crosses, the date comes up.
void NightRaid(cairo_t* cr, double t)
{
    cairo_pattern_t* sky = cairo_pattern_create_linear(0, 0, 0, kH);
    cairo_pattern_add_color_stop_rgb(sky, 0, 0.06, 0.07, 0.10);
    cairo_pattern_add_color_stop_rgb(sky, 0.6, 0.17, 0.18, 0.20);
    cairo_pattern_add_color_stop_rgb(sky, 1, 0.34, 0.25, 0.15);
    cairo_set_source(cr, sky);
    cairo_paint(cr);
    cairo_pattern_destroy(sky);
    cArtRandom stars(1939);
    for (int i = 0; i < 60; i++)
        FillCircle(cr, stars.Range(0, kW), stars.Range(0, kH * 0.6), stars.Range(0.4, 1.2),
                   WithAlpha(kParchment, stars.Range(0.2, 0.6)));
    Beam(cr, 110, 440, -M_PI * 0.5 + 0.45 * std::sin(t * 0.9), 520, 0.028, 0.35);
    Beam(cr, 330, 450, -M_PI * 0.5 + 0.5 * std::sin(t * 0.7 + 2.0), 540, 0.024, 0.3);
    Beam(cr, 540, 445, -M_PI * 0.5 + 0.4 * std::sin(t * 1.1 + 4.0), 520, 0.03, 0.35);
    const sInk shadow{Rgb(0x050604), Rgb(0x050604), Rgb(0x1A1B16)};
    const double formation[][3] = {{0, 0, 70}, {-64, 36, 56}, {64, 42, 56}, {-122, 70, 44}, {124, 78, 44}};
    const double x0 = -160 + t * 230, y0 = 210 - t * 20;
    for (const auto& f : formation) {
        cairo_save(cr);
        cairo_translate(cr, x0 + f[0], y0 + f[1]);
        cairo_rotate(cr, 1.25);
        DrawPictogram(cr, pict::Bomber, -f[2] / 2, -f[2] / 2, f[2], shadow);
        cairo_restore(cr);
    }
    SetColor(cr, Rgb(0x0E0F0B));
    cairo_move_to(cr, 0, 440);
    cairo_curve_to(cr, 160, 410, 300, 460, 420, 436);
    cairo_curve_to(cr, 520, 416, 600, 446, kW, 430);
    cairo_line_to(cr, kW, kH);
    cairo_line_to(cr, 0, kH);
    cairo_close_path(cr);
    cairo_fill(cr);
    CenteredText(cr, "1 SEPTEMBER 1939", "DejaVu Serif", true, 36, kW / 2, 392,
                 WithAlpha(kBrassLight, Ease(t, 1.5, 2.3)));
    Fade(cr, Ease(t, 0, 0.5) * (1 - Ease(t, 3.5, 4.0)));
}

// The offensives: advancing arrows cross a chart of Europe.
void OffensivesOverChart(cairo_t* cr, double t)
{
    VerticalGradient(cr, 0, 0, kW, kH, Rgb(0x2E3B33), Rgb(0x1C2620));
    cArtRandom land(45);
    for (int i = 0; i < 22; i++) {
        EllipsePath(cr, land.Range(0, kW), land.Range(0, kH), land.Range(40, 130), land.Range(0.4, 0.9));
        SetColor(cr, WithAlpha(kParchmentDark, 0.16));
        cairo_fill(cr);
    }
    SetColor(cr, WithAlpha(kParchment, 0.07));
    cairo_set_line_width(cr, 1);
    for (int x = 0; x < kMovieWidth; x += 40) {
        cairo_move_to(cr, x + 0.5, 0);
        cairo_line_to(cr, x + 0.5, kH);
    }
    for (int y = 0; y < kMovieHeight; y += 40) {
        cairo_move_to(cr, 0, y + 0.5);
        cairo_line_to(cr, kW, y + 0.5);
    }
    cairo_stroke(cr);
    // Arrows of the offensives, drawn out over the first seconds.
    const double arrows[][4] = {{120, 330, 300, 250}, {560, 120, 420, 210}, {540, 380, 380, 300}};
    for (int i = 0; i < 3; i++) {
        const auto& a = arrows[i];
        const double k = Ease(t, 0.2 + i * 0.4, 1.6 + i * 0.4);
        const double x = a[0] + (a[2] - a[0]) * k, y = a[1] + (a[3] - a[1]) * k;
        cairo_set_line_width(cr, 9);
        cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
        SetColor(cr, WithAlpha(i == 0 ? Rgb(0x3F5F8A) : kRed, 0.85));
        cairo_move_to(cr, a[0], a[1]);
        cairo_line_to(cr, x, y);
        cairo_stroke(cr);
        const double angle = std::atan2(a[3] - a[1], a[2] - a[0]);
        const double head[] = {x + 26 * std::cos(angle), y + 26 * std::sin(angle),
                               x + 18 * std::cos(angle + 2.3), y + 18 * std::sin(angle + 2.3),
                               x + 18 * std::cos(angle - 2.3), y + 18 * std::sin(angle - 2.3)};
        Polygon(cr, head, 3);
        cairo_fill(cr);
    }
    Fade(cr, Ease(t, 0, 0.4) * (1 - Ease(t, 3.5, 4.0)));
}

struct sCreditLine
{
    const char* text;
    bool heading;
};

const sCreditLine kCredits[] = {
    {"VELMORANT", true},
    {"Europe at War, 1939 \xE2\x80\x93 1945", false},
    {"", false},
    {"Design and programming", true},
    {"The Velmorant team", false},
    {"", false},
    {"Pictures, sounds, music and movies", true},
    {"Drawn and played by the game's own generators", false},
    {"", false},
    {"The map of Europe", true},
    {"Made from Natural Earth, free vector and raster map data", false},
    {"", false},
    {"Built with", true},
    {"SDL, FFmpeg, cairo, Boost, TinyXML and fontconfig", false},
    {"DejaVu and Liberation fonts", false},
    {"", false},
    {"Thank you for playing", true},
};

constexpr double kCreditsSeconds = 16.0;
constexpr double kLineHeight = 40;

// The credits roll upward over a dark chart, and the last line stops in the middle.
void Credits(cairo_t* cr, double t)
{
    VerticalGradient(cr, 0, 0, kW, kH, Rgb(0x181B14), Rgb(0x0D0F0B));
    DrawPictogram(cr, pict::Compass, kW / 2 - 150, kH / 2 - 150, 300,
                  {WithAlpha(kBrass, 0.08), WithAlpha(kBrass, 0.12), Rgb(0x121410)});
    const int lines = int(sizeof(kCredits) / sizeof(kCredits[0]));
    const double total = (lines - 1) * kLineHeight;
    // From below the frame to the last line in the middle, in the first 13 seconds.
    const double scroll = Ease(t, 0.3, 13.0);
    const double top = kH + 20 - scroll * (kH + 20 - kH / 2 + total);
    for (int i = 0; i < lines; i++) {
        const double y = top + i * kLineHeight;
        if (y < -40 || y > kH + 40 || !*kCredits[i].text)
            continue;
        // Lines fade at the top and bottom edges.
        const double edge = Clamp01(std::min(y, kH - y) / 70);
        if (kCredits[i].heading)
            CenteredText(cr, kCredits[i].text, "DejaVu Serif", true, i == 0 ? 40 : 22, kW / 2, y,
                         WithAlpha(kBrassLight, edge));
        else
            CenteredText(cr, kCredits[i].text, "DejaVu Sans", false, 17, kW / 2, y, WithAlpha(kParchment, edge));
    }
    Fade(cr, Ease(t, 0, 0.5) * (1 - Ease(t, kCreditsSeconds - 1.0, kCreditsSeconds)));
}

} // namespace

std::vector<sMovie> GameMovies()
{
    return {{"intro.avi", 3.5, ConvoyAtSea},
            {"intro2.avi", 4.0, NightRaid},
            {"intro3.avi", 4.0, OffensivesOverChart},
            {"credits.avi", kCreditsSeconds, Credits}};
}

double CreditsSeconds() { return kCreditsSeconds; }
