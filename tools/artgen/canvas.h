#pragma once
// Small drawing helpers over cairo shared by every picture the art generator makes.
#include <cairo.h>

#include <cstdint>
#include <string>

#include "gui/gui_atlas.h"

struct sColor {
    double r, g, b, a;
};

// 0xRRGGBB with an alpha of 0 to 1.
constexpr sColor Rgb(uint32_t rgb, double a = 1.0)
{
    return {((rgb >> 16) & 0xFF) / 255.0, ((rgb >> 8) & 0xFF) / 255.0, (rgb & 0xFF) / 255.0, a};
}
sColor Mix(const sColor& a, const sColor& b, double t);
sColor WithAlpha(const sColor& c, double a);
sColor Lighter(const sColor& c, double amount);
sColor Darker(const sColor& c, double amount);

// The palette of the whole game: olive drab, gunmetal, brass and parchment.
namespace palette {
constexpr sColor kInk = Rgb(0x121410);
constexpr sColor kPanel = Rgb(0x2A2D22);
constexpr sColor kPanelDeep = Rgb(0x1B1D16);
constexpr sColor kOlive = Rgb(0x4E5628);
constexpr sColor kOliveLight = Rgb(0x6B7540);
constexpr sColor kOliveDark = Rgb(0x323817);
constexpr sColor kSteel = Rgb(0x5C636B);
constexpr sColor kSteelLight = Rgb(0x8A929A);
constexpr sColor kSteelDark = Rgb(0x30353B);
constexpr sColor kBrass = Rgb(0xB38F4A);
constexpr sColor kBrassLight = Rgb(0xE3C77E);
constexpr sColor kBrassDark = Rgb(0x5F4A22);
constexpr sColor kParchment = Rgb(0xE8DCB8);
constexpr sColor kParchmentDark = Rgb(0xB9A77A);
constexpr sColor kRed = Rgb(0x9E2B20);
constexpr sColor kRedLight = Rgb(0xD0502F);
constexpr sColor kSea = Rgb(0x3F5A66);
constexpr sColor kSeaDark = Rgb(0x22343D);
constexpr sColor kGrey = Rgb(0x7A7A74);
constexpr sColor kGreyDark = Rgb(0x44443F);
} // namespace palette

void SetColor(cairo_t* cr, const sColor& c);
// Fill or stroke (round caps and joins) the current path in a colour.
void FillPath(cairo_t* cr, const sColor& c);
void StrokePath(cairo_t* cr, const sColor& c, double width);
void FillRect(cairo_t* cr, double x, double y, double w, double h, const sColor& c);
void FillRect(cairo_t* cr, const gui_atlas::sRect& r, const sColor& c);
void RoundedRectPath(cairo_t* cr, double x, double y, double w, double h, double radius);
// Rectangle with a vertical gradient.
void VerticalGradient(cairo_t* cr, double x, double y, double w, double h, const sColor& top, const sColor& bottom);
void HorizontalGradient(cairo_t* cr, double x, double y, double w, double h, const sColor& left, const sColor& right);
// Light on the top and left edges, dark on the bottom and right (raised), or the reverse.
void Bevel(cairo_t* cr, double x, double y, double w, double h, double width, const sColor& light, const sColor& dark);
void StrokeRect(cairo_t* cr, double x, double y, double w, double h, double lineWidth, const sColor& c);
void Rivet(cairo_t* cr, double cx, double cy, double radius, const sColor& base);
void Circle(cairo_t* cr, double cx, double cy, double radius);
void FillCircle(cairo_t* cr, double cx, double cy, double radius, const sColor& c);
// A disc lit diagonally: a gradient of opaque colours from `from` at (cx - spread, cy - spread)
// to `to` at (cx + spread, cy + spread).
void GradientDisc(cairo_t* cr, double cx, double cy, double radius, double spread, const sColor& from,
                  const sColor& to);
void Polygon(cairo_t* cr, const double* xy, int points);
// A five-pointed star's path, tips on the outer radius (the first one up), notches on the inner.
void StarPath(cairo_t* cr, double cx, double cy, double outer, double inner);
// An ellipse's path: a circle of the radius round (cx, cy), its height squashed by yScale.
void EllipsePath(cairo_t* cr, double cx, double cy, double radius, double yScale);
// Text centred on (cx, cy) with a face from the Debian font packages.
void CenteredText(cairo_t* cr, const std::string& text, const char* face, bool bold, double size, double cx,
                  double cy, const sColor& c);
// Fixed font options, so the output does not depend on the desktop's font settings.
void UseStableFontOptions(cairo_t* cr);

// A deterministic pseudo-random sequence (xorshift), so pictures come out the same every run.
class cArtRandom {
public:
    explicit cArtRandom(uint32_t seed) : m_State(seed ? seed : 1) {}
    uint32_t Next();
    double Fraction(); // 0 to 1
    double Range(double a, double b) { return a + (b - a) * Fraction(); }

private:
    uint32_t m_State;
};

// Writes an ARGB surface as PNG; false on failure.
bool WritePng(cairo_surface_t* surface, const std::string& path);
cairo_surface_t* NewSurface(int width, int height);
