#include "tools/artgen/canvas.h"

#include <algorithm>
#include <cmath>

sColor Mix(const sColor& a, const sColor& b, double t)
{
    return {a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t, a.a + (b.a - a.a) * t};
}

sColor WithAlpha(const sColor& c, double a) { return {c.r, c.g, c.b, a}; }
sColor Lighter(const sColor& c, double amount) { return Mix(c, {1, 1, 1, c.a}, amount); }
sColor Darker(const sColor& c, double amount) { return Mix(c, {0, 0, 0, c.a}, amount); }

void SetColor(cairo_t* cr, const sColor& c) { cairo_set_source_rgba(cr, c.r, c.g, c.b, c.a); }

void FillPath(cairo_t* cr, const sColor& c)
{
    SetColor(cr, c);
    cairo_fill(cr);
}

void StrokePath(cairo_t* cr, const sColor& c, double width)
{
    SetColor(cr, c);
    cairo_set_line_width(cr, width);
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
    cairo_stroke(cr);
}

void FillRect(cairo_t* cr, double x, double y, double w, double h, const sColor& c)
{
    SetColor(cr, c);
    cairo_rectangle(cr, x, y, w, h);
    cairo_fill(cr);
}

void FillRect(cairo_t* cr, const gui_atlas::sRect& r, const sColor& c)
{
    FillRect(cr, r.left, r.top, r.Width(), r.Height(), c);
}

void RoundedRectPath(cairo_t* cr, double x, double y, double w, double h, double radius)
{
    radius = std::min({radius, w / 2, h / 2});
    cairo_new_sub_path(cr);
    cairo_arc(cr, x + w - radius, y + radius, radius, -M_PI / 2, 0);
    cairo_arc(cr, x + w - radius, y + h - radius, radius, 0, M_PI / 2);
    cairo_arc(cr, x + radius, y + h - radius, radius, M_PI / 2, M_PI);
    cairo_arc(cr, x + radius, y + radius, radius, M_PI, 3 * M_PI / 2);
    cairo_close_path(cr);
}

namespace {
// A rectangle filled with a linear gradient running from (x0, y0) to (x1, y1).
void GradientRect(cairo_t* cr, double x, double y, double w, double h, double x0, double y0, double x1, double y1,
                  const sColor& from, const sColor& to)
{
    cairo_pattern_t* p = cairo_pattern_create_linear(x0, y0, x1, y1);
    cairo_pattern_add_color_stop_rgba(p, 0, from.r, from.g, from.b, from.a);
    cairo_pattern_add_color_stop_rgba(p, 1, to.r, to.g, to.b, to.a);
    cairo_set_source(cr, p);
    cairo_rectangle(cr, x, y, w, h);
    cairo_fill(cr);
    cairo_pattern_destroy(p);
}
} // namespace

void VerticalGradient(cairo_t* cr, double x, double y, double w, double h, const sColor& top, const sColor& bottom)
{
    GradientRect(cr, x, y, w, h, 0, y, 0, y + h, top, bottom);
}

void HorizontalGradient(cairo_t* cr, double x, double y, double w, double h, const sColor& left, const sColor& right)
{
    GradientRect(cr, x, y, w, h, x, 0, x + w, 0, left, right);
}

void Bevel(cairo_t* cr, double x, double y, double w, double h, double width, const sColor& light, const sColor& dark)
{
    // Top and left in the light colour, bottom and right in the dark one, mitred at the corners.
    SetColor(cr, light);
    cairo_move_to(cr, x, y);
    cairo_line_to(cr, x + w, y);
    cairo_line_to(cr, x + w - width, y + width);
    cairo_line_to(cr, x + width, y + width);
    cairo_line_to(cr, x + width, y + h - width);
    cairo_line_to(cr, x, y + h);
    cairo_close_path(cr);
    cairo_fill(cr);
    SetColor(cr, dark);
    cairo_move_to(cr, x + w, y + h);
    cairo_line_to(cr, x, y + h);
    cairo_line_to(cr, x + width, y + h - width);
    cairo_line_to(cr, x + w - width, y + h - width);
    cairo_line_to(cr, x + w - width, y + width);
    cairo_line_to(cr, x + w, y);
    cairo_close_path(cr);
    cairo_fill(cr);
}

void StrokeRect(cairo_t* cr, double x, double y, double w, double h, double lineWidth, const sColor& c)
{
    SetColor(cr, c);
    cairo_set_line_width(cr, lineWidth);
    cairo_rectangle(cr, x + lineWidth / 2, y + lineWidth / 2, w - lineWidth, h - lineWidth);
    cairo_stroke(cr);
}

void Circle(cairo_t* cr, double cx, double cy, double radius)
{
    cairo_new_sub_path(cr);
    cairo_arc(cr, cx, cy, radius, 0, 2 * M_PI);
    cairo_close_path(cr);
}

void FillCircle(cairo_t* cr, double cx, double cy, double radius, const sColor& c)
{
    SetColor(cr, c);
    Circle(cr, cx, cy, radius);
    cairo_fill(cr);
}

void Rivet(cairo_t* cr, double cx, double cy, double radius, const sColor& base)
{
    FillCircle(cr, cx + radius * 0.25, cy + radius * 0.3, radius, WithAlpha(palette::kInk, 0.6));
    cairo_pattern_t* p = cairo_pattern_create_radial(cx - radius * 0.35, cy - radius * 0.35, radius * 0.1, cx, cy, radius);
    sColor hi = Lighter(base, 0.55), lo = Darker(base, 0.45);
    cairo_pattern_add_color_stop_rgba(p, 0, hi.r, hi.g, hi.b, 1);
    cairo_pattern_add_color_stop_rgba(p, 1, lo.r, lo.g, lo.b, 1);
    cairo_set_source(cr, p);
    Circle(cr, cx, cy, radius);
    cairo_fill(cr);
    cairo_pattern_destroy(p);
}

void GradientDisc(cairo_t* cr, double cx, double cy, double radius, double spread, const sColor& from,
                  const sColor& to)
{
    cairo_pattern_t* p = cairo_pattern_create_linear(cx - spread, cy - spread, cx + spread, cy + spread);
    cairo_pattern_add_color_stop_rgb(p, 0, from.r, from.g, from.b);
    cairo_pattern_add_color_stop_rgb(p, 1, to.r, to.g, to.b);
    cairo_set_source(cr, p);
    Circle(cr, cx, cy, radius);
    cairo_fill(cr);
    cairo_pattern_destroy(p);
}

void Polygon(cairo_t* cr, const double* xy, int points)
{
    cairo_move_to(cr, xy[0], xy[1]);
    for (int i = 1; i < points; i++)
        cairo_line_to(cr, xy[2 * i], xy[2 * i + 1]);
    cairo_close_path(cr);
}

void StarPath(cairo_t* cr, double cx, double cy, double outer, double inner)
{
    double xy[20];
    for (int k = 0; k < 10; ++k) {
        const double a = -M_PI / 2 + k * M_PI / 5, r = k % 2 ? inner : outer;
        xy[2 * k] = cx + r * std::cos(a);
        xy[2 * k + 1] = cy + r * std::sin(a);
    }
    Polygon(cr, xy, 10);
}

void EllipsePath(cairo_t* cr, double cx, double cy, double radius, double yScale)
{
    cairo_save(cr);
    cairo_translate(cr, cx, cy);
    cairo_scale(cr, 1, yScale);
    Circle(cr, 0, 0, radius);
    cairo_restore(cr);
}

void UseStableFontOptions(cairo_t* cr)
{
    cairo_font_options_t* options = cairo_font_options_create();
    cairo_font_options_set_antialias(options, CAIRO_ANTIALIAS_GRAY);
    cairo_font_options_set_hint_style(options, CAIRO_HINT_STYLE_NONE);
    cairo_font_options_set_hint_metrics(options, CAIRO_HINT_METRICS_OFF);
    cairo_set_font_options(cr, options);
    cairo_font_options_destroy(options);
}

void CenteredText(cairo_t* cr, const std::string& text, const char* face, bool bold, double size, double cx,
                  double cy, const sColor& c)
{
    UseStableFontOptions(cr);
    cairo_select_font_face(cr, face, CAIRO_FONT_SLANT_NORMAL, bold ? CAIRO_FONT_WEIGHT_BOLD : CAIRO_FONT_WEIGHT_NORMAL);
    cairo_set_font_size(cr, size);
    cairo_text_extents_t ext;
    cairo_text_extents(cr, text.c_str(), &ext);
    SetColor(cr, c);
    cairo_move_to(cr, cx - ext.width / 2 - ext.x_bearing, cy - ext.height / 2 - ext.y_bearing);
    cairo_show_text(cr, text.c_str());
    cairo_new_path(cr);
}

uint32_t cArtRandom::Next()
{
    m_State ^= m_State << 13;
    m_State ^= m_State >> 17;
    m_State ^= m_State << 5;
    return m_State;
}

double cArtRandom::Fraction() { return (Next() & 0xFFFFFF) / double(0xFFFFFF); }

bool WritePng(cairo_surface_t* surface, const std::string& path)
{
    cairo_surface_flush(surface);
    return cairo_surface_write_to_png(surface, path.c_str()) == CAIRO_STATUS_SUCCESS;
}

cairo_surface_t* NewSurface(int width, int height)
{
    return cairo_image_surface_create(CAIRO_FORMAT_ARGB32, width, height);
}
