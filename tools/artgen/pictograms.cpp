#include "tools/artgen/pictograms.h"

#include <cmath>

namespace {

void Line(cairo_t* cr, double x0, double y0, double x1, double y1, const sColor& c, double width)
{
    cairo_move_to(cr, x0, y0);
    cairo_line_to(cr, x1, y1);
    StrokePath(cr, c, width);
}

void Poly(cairo_t* cr, std::initializer_list<double> xy, const sColor& c)
{
    Polygon(cr, xy.begin(), int(xy.size() / 2));
    FillPath(cr, c);
}

void Star(cairo_t* cr, double cx, double cy, double r, const sColor& c)
{
    StarPath(cr, cx, cy, r, r * 0.42);
    FillPath(cr, c);
}

void Flame(cairo_t* cr, double cx, double base, double h, const sColor& outer, const sColor& inner)
{
    cairo_move_to(cr, cx - h * 0.35, base);
    cairo_curve_to(cr, cx - h * 0.5, base - h * 0.5, cx - h * 0.05, base - h * 0.6, cx, base - h);
    cairo_curve_to(cr, cx + h * 0.15, base - h * 0.6, cx + h * 0.5, base - h * 0.45, cx + h * 0.35, base);
    cairo_close_path(cr);
    FillPath(cr, outer);
    cairo_move_to(cr, cx - h * 0.18, base);
    cairo_curve_to(cr, cx - h * 0.25, base - h * 0.3, cx, base - h * 0.35, cx + h * 0.02, base - h * 0.6);
    cairo_curve_to(cr, cx + h * 0.1, base - h * 0.35, cx + h * 0.25, base - h * 0.25, cx + h * 0.18, base);
    cairo_close_path(cr);
    FillPath(cr, inner);
}

// An aircraft's body seen from above or below, symmetric about x = 50: the nose at noseY,
// widest (bulge) towards the wing root at shoulderY, narrowing to the tail, ending at endY.
void Fuselage(cairo_t* cr, double noseY, double bulge, double bulgeY, double waist, double shoulderY, double tail,
              double tailY, double endY)
{
    cairo_move_to(cr, 50, noseY);
    cairo_curve_to(cr, 50 + bulge, noseY + 2, 50 + bulge, bulgeY, 50 + waist, shoulderY);
    cairo_line_to(cr, 50 + tail, tailY);
    cairo_line_to(cr, 50, endY);
    cairo_line_to(cr, 50 - tail, tailY);
    cairo_line_to(cr, 50 - waist, shoulderY);
    cairo_curve_to(cr, 50 - bulge, bulgeY, 50 - bulge, noseY + 2, 50, noseY);
    cairo_close_path(cr);
}

void Hull(cairo_t* cr, double left, double right, double deck, double keel, const sColor& c)
{
    Poly(cr, {left, deck, right, deck, right - 8, keel, left + 6, keel}, c);
}

void Magnifier(cairo_t* cr, const sInk& ink)
{
    Circle(cr, 42, 42, 26);
    StrokePath(cr, ink.main, 10);
    Line(cr, 61, 61, 86, 86, ink.main, 14);
}

} // namespace

void DrawPictogram(cairo_t* cr, Pictogram p, double x, double y, double size, const sInk& ink)
{
    cairo_save(cr);
    cairo_translate(cr, x, y);
    cairo_scale(cr, size / 100.0, size / 100.0);
    cairo_new_path(cr);
    p(cr, ink);
    cairo_restore(cr);
}

namespace pict {

void Swords(cairo_t* cr, const sInk& ink)
{
    for (int side = 0; side < 2; side++) {
        cairo_save(cr);
        cairo_translate(cr, 50, 50);
        cairo_rotate(cr, side ? M_PI / 4 : -M_PI / 4);
        Poly(cr, {-5, -44, 0, -50, 5, -44, 5, 22, -5, 22}, ink.main);
        FillRect(cr, -15, 22, 30, 6, ink.accent);
        FillRect(cr, -4, 28, 8, 14, ink.main);
        FillCircle(cr, 0, 45, 5, ink.accent);
        cairo_restore(cr);
    }
}

void Helmet(cairo_t* cr, const sInk& ink)
{
    // A brodie-style steel helmet: wide brim, low dome.
    cairo_move_to(cr, 22, 60);
    cairo_curve_to(cr, 22, 25, 78, 25, 78, 60);
    cairo_close_path(cr);
    FillPath(cr, ink.main);
    cairo_save(cr);
    cairo_scale(cr, 1, 0.22);
    Circle(cr, 50, 64 / 0.22, 44);
    cairo_restore(cr);
    FillPath(cr, ink.main);
    cairo_move_to(cr, 30, 50);
    cairo_curve_to(cr, 34, 36, 48, 31, 58, 32);
    StrokePath(cr, ink.accent, 3);
}

void HexMarker(cairo_t* cr, const sInk& ink)
{
    for (int i = 0; i < 6; i++) {
        double a = i * M_PI / 3;
        double x = 50 + 40 * std::cos(a), y = 50 + 40 * std::sin(a);
        if (i == 0)
            cairo_move_to(cr, x, y);
        else
            cairo_line_to(cr, x, y);
    }
    cairo_close_path(cr);
    StrokePath(cr, ink.main, 8);
    // A map pin in the middle.
    Circle(cr, 50, 42, 12);
    FillPath(cr, ink.accent);
    Poly(cr, {40, 47, 60, 47, 50, 68}, ink.accent);
    FillCircle(cr, 50, 42, 5, ink.back);
}

void Handshake(cairo_t* cr, const sInk& ink)
{
    // Two sleeves meeting in a clasp.
    Poly(cr, {4, 36, 26, 30, 34, 56, 10, 64}, ink.accent);
    Poly(cr, {96, 36, 74, 30, 66, 56, 90, 64}, ink.accent);
    cairo_move_to(cr, 28, 36);
    cairo_curve_to(cr, 44, 28, 56, 30, 72, 36);
    cairo_line_to(cr, 70, 56);
    cairo_curve_to(cr, 58, 70, 44, 70, 32, 58);
    cairo_close_path(cr);
    FillPath(cr, ink.main);
    for (int i = 0; i < 3; i++)
        Line(cr, 44 + i * 7, 44, 48 + i * 7, 60, ink.back, 2.5);
}

void ZoomIn(cairo_t* cr, const sInk& ink)
{
    Magnifier(cr, ink);
    Line(cr, 30, 42, 54, 42, ink.accent, 8);
    Line(cr, 42, 30, 42, 54, ink.accent, 8);
}

void ZoomOut(cairo_t* cr, const sInk& ink)
{
    Magnifier(cr, ink);
    Line(cr, 30, 42, 54, 42, ink.accent, 8);
}

void Flag(cairo_t* cr, const sInk& ink)
{
    Line(cr, 22, 12, 22, 92, ink.main, 7);
    cairo_move_to(cr, 25, 14);
    cairo_curve_to(cr, 45, 6, 60, 24, 84, 16);
    cairo_line_to(cr, 84, 52);
    cairo_curve_to(cr, 60, 60, 45, 42, 25, 50);
    cairo_close_path(cr);
    FillPath(cr, ink.accent);
}

void Borders(cairo_t* cr, const sInk& ink)
{
    // A dashed frontier around a shaded country.
    cairo_move_to(cr, 16, 30);
    cairo_line_to(cr, 48, 14);
    cairo_line_to(cr, 86, 26);
    cairo_line_to(cr, 80, 72);
    cairo_line_to(cr, 46, 88);
    cairo_line_to(cr, 14, 70);
    cairo_close_path(cr);
    cairo_path_t* path = cairo_copy_path(cr);
    FillPath(cr, WithAlpha(ink.accent, ink.accent.a * 0.45));
    cairo_append_path(cr, path);
    cairo_path_destroy(path);
    double dash[] = {10, 6};
    cairo_set_dash(cr, dash, 2, 0);
    StrokePath(cr, ink.main, 7);
    cairo_set_dash(cr, nullptr, 0, 0);
}

void Layers(cairo_t* cr, const sInk& ink)
{
    for (int i = 2; i >= 0; i--) {
        double y = 30 + i * 18;
        Poly(cr, {50, y - 16, 90, y, 50, y + 16, 10, y}, i == 0 ? ink.accent : ink.main);
        cairo_move_to(cr, 50, y + 16);
        cairo_line_to(cr, 90, y);
        StrokePath(cr, ink.back, 2);
    }
}

void Pen(cairo_t* cr, const sInk& ink)
{
    cairo_save(cr);
    cairo_translate(cr, 50, 50);
    cairo_rotate(cr, M_PI / 4);
    FillRect(cr, -9, -42, 18, 58, ink.main);
    FillRect(cr, -9, -42, 18, 10, ink.accent);
    Poly(cr, {-9, 16, 9, 16, 0, 36}, ink.accent);
    Poly(cr, {-3, 29, 3, 29, 0, 36}, ink.back);
    cairo_restore(cr);
    Line(cr, 12, 90, 40, 90, ink.main, 4);
}

void Stars(cairo_t* cr, const sInk& ink)
{
    Star(cr, 50, 32, 22, ink.accent);
    Star(cr, 25, 68, 19, ink.main);
    Star(cr, 75, 68, 19, ink.main);
}

void Reinforce(cairo_t* cr, const sInk& ink)
{
    // A soldier's bust with a plus: fresh men for the unit.
    FillCircle(cr, 38, 30, 14, ink.main);
    cairo_move_to(cr, 12, 88);
    cairo_curve_to(cr, 12, 56, 64, 56, 64, 88);
    cairo_close_path(cr);
    FillPath(cr, ink.main);
    Line(cr, 78, 30, 78, 66, ink.accent, 10);
    Line(cr, 60, 48, 96, 48, ink.accent, 10);
}

void Crate(cairo_t* cr, const sInk& ink)
{
    FillRect(cr, 16, 30, 68, 56, ink.main);
    StrokeRect(cr, 16, 30, 68, 56, 5, ink.back);
    Line(cr, 18, 32, 82, 84, ink.back, 4);
    Line(cr, 82, 32, 18, 84, ink.back, 4);
    Poly(cr, {16, 30, 30, 14, 98, 14, 84, 30}, ink.accent);
    Poly(cr, {84, 30, 98, 14, 98, 70, 84, 86}, Darker(ink.main, 0.3));
}

void Chevrons(cairo_t* cr, const sInk& ink)
{
    for (int i = 0; i < 3; i++) {
        double y = 26 + i * 20;
        cairo_move_to(cr, 18, y + 20);
        cairo_line_to(cr, 50, y);
        cairo_line_to(cr, 82, y + 20);
        StrokePath(cr, i == 0 ? ink.accent : ink.main, 11);
    }
}

void LevelUp(cairo_t* cr, const sInk& ink)
{
    Star(cr, 38, 58, 30, ink.main);
    Poly(cr, {76, 12, 96, 38, 84, 38, 84, 74, 68, 74, 68, 38, 56, 38}, ink.accent);
}

void Cross(cairo_t* cr, const sInk& ink)
{
    Line(cr, 22, 22, 78, 78, ink.accent, 16);
    Line(cr, 78, 22, 22, 78, ink.accent, 16);
    Circle(cr, 50, 50, 42);
    StrokePath(cr, ink.main, 6);
}

void Undo(cairo_t* cr, const sInk& ink)
{
    cairo_arc(cr, 52, 54, 28, -M_PI * 0.95, M_PI * 0.7);
    StrokePath(cr, ink.main, 11);
    Poly(cr, {4, 40, 42, 36, 22, 70}, ink.accent);
}

void LandingCraft(cairo_t* cr, const sInk& ink)
{
    Poly(cr, {8, 50, 76, 50, 92, 36, 96, 42, 84, 70, 14, 70}, ink.main);
    FillRect(cr, 20, 40, 18, 10, ink.main);
    for (int i = 0; i < 3; i++)
        FillCircle(cr, 46 + i * 10, 45, 4, ink.accent);
    cairo_move_to(cr, 2, 80);
    cairo_curve_to(cr, 20, 74, 30, 86, 50, 80);
    cairo_curve_to(cr, 70, 74, 80, 86, 98, 80);
    StrokePath(cr, ink.accent, 4);
}

void Freighter(cairo_t* cr, const sInk& ink)
{
    Hull(cr, 4, 96, 56, 74, ink.main);
    FillRect(cr, 60, 36, 22, 20, ink.main);
    FillRect(cr, 66, 24, 8, 12, ink.accent);
    FillRect(cr, 16, 44, 14, 12, ink.main);
    FillRect(cr, 34, 44, 14, 12, ink.main);
    Line(cr, 40, 20, 40, 44, ink.main, 3);
    Line(cr, 40, 22, 22, 40, ink.main, 2);
    for (int i = 0; i < 3; i++)
        FillRect(cr, 63 + i * 6, 40, 3, 4, ink.back);
    cairo_move_to(cr, 2, 84);
    cairo_curve_to(cr, 20, 78, 30, 90, 50, 84);
    cairo_curve_to(cr, 70, 78, 80, 90, 98, 84);
    StrokePath(cr, ink.accent, 4);
}

void Parachute(cairo_t* cr, const sInk& ink)
{
    cairo_move_to(cr, 10, 44);
    cairo_curve_to(cr, 12, 4, 88, 4, 90, 44);
    for (int i = 3; i >= 0; i--)
        cairo_curve_to(cr, 10 + i * 20 + 15, 36, 10 + i * 20 + 5, 36, 10 + i * 20, 44);
    cairo_close_path(cr);
    FillPath(cr, ink.main);
    for (int i = 0; i < 5; i++)
        Line(cr, 10 + i * 20, 44, 50, 74, ink.accent, 2);
    FillCircle(cr, 50, 74, 6, ink.accent);
    FillRect(cr, 45, 79, 10, 16, ink.accent);
}

void Locomotive(cairo_t* cr, const sInk& ink)
{
    FillRect(cr, 10, 40, 56, 28, ink.main);
    FillRect(cr, 60, 24, 28, 44, ink.main);
    FillRect(cr, 66, 30, 16, 12, ink.back);
    FillRect(cr, 20, 22, 12, 18, ink.main);
    Poly(cr, {4, 68, 10, 56, 10, 68}, ink.main);
    for (int i = 0; i < 3; i++) {
        FillCircle(cr, 22 + i * 22, 74, 10, ink.accent);
        FillCircle(cr, 22 + i * 22, 74, 4, ink.back);
    }
    FillCircle(cr, 80, 76, 8, ink.accent);
    Line(cr, 2, 88, 98, 88, ink.main, 4);
    FillCircle(cr, 30, 12, 7, WithAlpha(ink.accent, ink.accent.a * 0.6));
    FillCircle(cr, 42, 6, 5, WithAlpha(ink.accent, ink.accent.a * 0.4));
}

void Bomb(cairo_t* cr, const sInk& ink)
{
    cairo_save(cr);
    cairo_translate(cr, 50, 46);
    cairo_rotate(cr, M_PI / 10);
    cairo_scale(cr, 0.55, 1);
    Circle(cr, 0, 0, 34);
    cairo_restore(cr);
    FillPath(cr, ink.main);
    Poly(cr, {40, 8, 54, 8, 50, 18, 44, 18}, ink.main);
    Poly(cr, {34, 2, 60, 4, 54, 14, 38, 12}, ink.accent);
    Flame(cr, 58, 98, 20, ink.accent, ink.back);
    Flame(cr, 38, 98, 14, ink.accent, ink.back);
}

void Fighter(cairo_t* cr, const sInk& ink)
{
    // Top view of a single-engined fighter.
    Fuselage(cr, 6, 6, 20, 5, 30, 4, 80, 88);
    FillPath(cr, ink.main);
    Poly(cr, {6, 40, 94, 40, 90, 50, 10, 50}, ink.main);
    Poly(cr, {30, 80, 70, 80, 66, 88, 34, 88}, ink.main);
    FillCircle(cr, 50, 33, 4, ink.back);
    FillCircle(cr, 24, 45, 4, ink.accent);
    FillCircle(cr, 76, 45, 4, ink.accent);
}

void AirFight(cairo_t* cr, const sInk& ink)
{
    cairo_save(cr);
    cairo_translate(cr, 8, 8);
    cairo_scale(cr, 0.84, 0.84);
    Fighter(cr, ink);
    cairo_restore(cr);
    Circle(cr, 50, 50, 40);
    StrokePath(cr, ink.accent, 4);
    Line(cr, 50, 2, 50, 20, ink.accent, 4);
    Line(cr, 50, 80, 50, 98, ink.accent, 4);
    Line(cr, 2, 50, 20, 50, ink.accent, 4);
    Line(cr, 80, 50, 98, 50, ink.accent, 4);
}

void Binoculars(cairo_t* cr, const sInk& ink)
{
    for (int side = 0; side < 2; side++) {
        double cx = side ? 70 : 30;
        FillRect(cr, cx - 12, 24, 24, 40, ink.main);
        FillCircle(cr, cx, 68, 20, ink.main);
        FillCircle(cr, cx, 68, 11, ink.accent);
        FillCircle(cr, cx - 4, 64, 4, ink.back);
    }
    FillRect(cr, 40, 34, 20, 14, ink.main);
    FillRect(cr, 46, 22, 8, 12, ink.accent);
}

void Harbour(cairo_t* cr, const sInk& ink)
{
    // A floating pier on pontoons: the artificial harbour.
    FillRect(cr, 6, 44, 88, 10, ink.main);
    for (int i = 0; i < 4; i++)
        FillRect(cr, 12 + i * 24, 54, 12, 16, ink.accent);
    FillRect(cr, 70, 24, 8, 20, ink.main);
    Line(cr, 74, 26, 92, 36, ink.main, 3);
    cairo_move_to(cr, 2, 78);
    cairo_curve_to(cr, 20, 72, 30, 84, 50, 78);
    cairo_curve_to(cr, 70, 72, 80, 84, 98, 78);
    StrokePath(cr, ink.accent, 4);
    cairo_move_to(cr, 2, 90);
    cairo_curve_to(cr, 20, 84, 30, 96, 50, 90);
    cairo_curve_to(cr, 70, 84, 80, 96, 98, 90);
    StrokePath(cr, ink.accent, 4);
}

void Atom(cairo_t* cr, const sInk& ink)
{
    // The trefoil.
    FillCircle(cr, 50, 50, 46, ink.accent);
    for (int i = 0; i < 3; i++) {
        double a0 = -M_PI / 2 + i * 2 * M_PI / 3 - M_PI / 6, a1 = a0 + M_PI / 3;
        cairo_move_to(cr, 50 + 12 * std::cos(a0), 50 + 12 * std::sin(a0));
        cairo_arc(cr, 50, 50, 40, a0, a1);
        cairo_arc_negative(cr, 50, 50, 12, a1, a0);
        cairo_close_path(cr);
        FillPath(cr, ink.main);
    }
    FillCircle(cr, 50, 50, 8, ink.main);
}

void Explosion(cairo_t* cr, const sInk& ink)
{
    for (int pass = 0; pass < 2; pass++) {
        double r0 = pass ? 18 : 30, r1 = pass ? 32 : 48;
        for (int i = 0; i < 24; i++) {
            double a = i * M_PI / 12;
            double r = (i % 2) ? r0 : r1 * (0.8 + 0.2 * ((i * 7) % 5) / 4.0);
            double x = 50 + r * std::cos(a), y = 52 + r * std::sin(a);
            if (i == 0)
                cairo_move_to(cr, x, y);
            else
                cairo_line_to(cr, x, y);
        }
        cairo_close_path(cr);
        FillPath(cr, pass ? ink.main : ink.accent);
    }
}

void WhiteFlag(cairo_t* cr, const sInk& ink)
{
    Line(cr, 24, 8, 24, 94, ink.main, 6);
    cairo_move_to(cr, 27, 12);
    cairo_curve_to(cr, 46, 4, 62, 22, 88, 14);
    cairo_line_to(cr, 86, 54);
    cairo_curve_to(cr, 62, 62, 46, 44, 27, 52);
    cairo_close_path(cr);
    FillPath(cr, Rgb(0xF4F1E6, ink.main.a));
    cairo_move_to(cr, 27, 12);
    cairo_curve_to(cr, 46, 4, 62, 22, 88, 14);
    cairo_line_to(cr, 86, 54);
    cairo_curve_to(cr, 62, 62, 46, 44, 27, 52);
    cairo_close_path(cr);
    StrokePath(cr, ink.back, 2);
}

void Retreat(cairo_t* cr, const sInk& ink)
{
    Poly(cr, {6, 50, 44, 16, 44, 36, 94, 36, 94, 64, 44, 64, 44, 84}, ink.main);
    Line(cr, 56, 50, 84, 50, ink.accent, 4);
}

void BurningCity(cairo_t* cr, const sInk& ink)
{
    FillRect(cr, 8, 50, 22, 44, ink.main);
    FillRect(cr, 32, 34, 26, 60, ink.main);
    FillRect(cr, 62, 56, 30, 38, ink.main);
    for (int r = 0; r < 3; r++)
        for (int c = 0; c < 2; c++)
            FillRect(cr, 37 + c * 11, 42 + r * 14, 6, 7, ink.back);
    Flame(cr, 46, 38, 34, ink.accent, Rgb(0xF7D36A, ink.accent.a));
    Flame(cr, 76, 58, 24, ink.accent, Rgb(0xF7D36A, ink.accent.a));
}

void BurningAnchor(cairo_t* cr, const sInk& ink)
{
    Circle(cr, 50, 18, 8);
    StrokePath(cr, ink.main, 5);
    Line(cr, 50, 26, 50, 86, ink.main, 8);
    Line(cr, 32, 38, 68, 38, ink.main, 7);
    cairo_arc_negative(cr, 50, 56, 34, M_PI * 0.95, M_PI * 0.05);
    StrokePath(cr, ink.main, 8);
    Flame(cr, 80, 40, 30, ink.accent, Rgb(0xF7D36A, ink.accent.a));
}

void SinkingShip(cairo_t* cr, const sInk& ink)
{
    cairo_save(cr);
    cairo_translate(cr, 50, 54);
    cairo_rotate(cr, -0.45);
    Poly(cr, {-44, -6, 44, -6, 36, 12, -38, 12}, ink.main);
    FillRect(cr, -14, -22, 22, 16, ink.main);
    FillRect(cr, -8, -34, 8, 12, ink.main);
    cairo_restore(cr);
    FillRect(cr, 0, 66, 100, 34, WithAlpha(ink.back, ink.back.a * 0.9));
    cairo_move_to(cr, 0, 66);
    cairo_curve_to(cr, 20, 60, 30, 72, 50, 66);
    cairo_curve_to(cr, 70, 60, 80, 72, 100, 66);
    StrokePath(cr, ink.accent, 5);
}

void Coins(cairo_t* cr, const sInk& ink)
{
    for (int i = 0; i < 4; i++) {
        double y = 78 - i * 12;
        cairo_save(cr);
        cairo_scale(cr, 1, 0.4);
        Circle(cr, 40, y / 0.4, 26);
        cairo_restore(cr);
        FillPath(cr, ink.main);
        FillRect(cr, 14, y - 6, 52, 6, Darker(ink.main, 0.25));
    }
    cairo_save(cr);
    cairo_scale(cr, 1, 0.4);
    Circle(cr, 40, 36 / 0.4, 24);
    cairo_restore(cr);
    FillPath(cr, ink.accent);
    FillCircle(cr, 76, 62, 20, ink.main);
    Circle(cr, 76, 62, 14);
    StrokePath(cr, ink.back, 3);
}

void Tank(cairo_t* cr, const sInk& ink)
{
    // Side view: tracks, hull, turret, gun.
    RoundedRectPath(cr, 8, 60, 84, 24, 12);
    FillPath(cr, ink.main);
    for (int i = 0; i < 5; i++)
        FillCircle(cr, 20 + i * 15, 72, 6, ink.back);
    Poly(cr, {14, 60, 22, 46, 82, 46, 90, 60}, ink.main);
    cairo_move_to(cr, 34, 46);
    cairo_curve_to(cr, 36, 30, 66, 30, 68, 46);
    cairo_close_path(cr);
    FillPath(cr, ink.main);
    FillRect(cr, 66, 35, 32, 5, ink.main);
    Star(cr, 51, 40, 5, ink.accent);
}

void Flask(cairo_t* cr, const sInk& ink)
{
    cairo_move_to(cr, 40, 10);
    cairo_line_to(cr, 60, 10);
    cairo_line_to(cr, 60, 38);
    cairo_line_to(cr, 86, 84);
    cairo_curve_to(cr, 88, 90, 84, 94, 78, 94);
    cairo_line_to(cr, 22, 94);
    cairo_curve_to(cr, 16, 94, 12, 90, 14, 84);
    cairo_line_to(cr, 40, 38);
    cairo_close_path(cr);
    FillPath(cr, ink.main);
    Poly(cr, {29, 64, 71, 64, 82, 86, 18, 86}, ink.accent);
    FillCircle(cr, 44, 76, 4, ink.back);
    FillCircle(cr, 58, 72, 3, ink.back);
    FillRect(cr, 36, 6, 28, 6, ink.main);
}

void Report(cairo_t* cr, const sInk& ink)
{
    FillRect(cr, 18, 14, 64, 80, ink.main);
    FillRect(cr, 36, 6, 28, 14, ink.accent);
    for (int i = 0; i < 5; i++)
        FillRect(cr, 28, 32 + i * 11, i == 4 ? 26 : 44, 4, ink.back);
    Line(cr, 56, 84, 74, 66, ink.accent, 5);
}

void Convoy(cairo_t* cr, const sInk& ink)
{
    cairo_save(cr);
    cairo_translate(cr, 30, 2);
    cairo_scale(cr, 0.7, 0.7);
    Freighter(cr, ink);
    cairo_restore(cr);
    cairo_save(cr);
    cairo_translate(cr, 0, 34);
    cairo_scale(cr, 0.7, 0.7);
    Freighter(cr, ink);
    cairo_restore(cr);
}

void Gear(cairo_t* cr, const sInk& ink)
{
    for (int i = 0; i < 16; i++) {
        double a = i * M_PI / 8;
        double r = (i % 2) ? 34 : 44;
        double a0 = a - M_PI / 16, a1 = a + M_PI / 16;
        if (i == 0)
            cairo_move_to(cr, 50 + r * std::cos(a0), 50 + r * std::sin(a0));
        else
            cairo_line_to(cr, 50 + r * std::cos(a0), 50 + r * std::sin(a0));
        cairo_line_to(cr, 50 + r * std::cos(a1), 50 + r * std::sin(a1));
    }
    cairo_close_path(cr);
    FillPath(cr, ink.main);
    FillCircle(cr, 50, 50, 16, ink.back);
    Circle(cr, 50, 50, 24);
    StrokePath(cr, ink.accent, 3);
}

void Hourglass(cairo_t* cr, const sInk& ink)
{
    FillRect(cr, 20, 6, 60, 8, ink.main);
    FillRect(cr, 20, 86, 60, 8, ink.main);
    cairo_move_to(cr, 26, 14);
    cairo_line_to(cr, 74, 14);
    cairo_curve_to(cr, 74, 40, 54, 44, 54, 50);
    cairo_curve_to(cr, 54, 56, 74, 60, 74, 86);
    cairo_line_to(cr, 26, 86);
    cairo_curve_to(cr, 26, 60, 46, 56, 46, 50);
    cairo_curve_to(cr, 46, 44, 26, 40, 26, 14);
    cairo_close_path(cr);
    StrokePath(cr, ink.main, 5);
    Poly(cr, {34, 26, 66, 26, 52, 44, 48, 44}, ink.accent);
    Poly(cr, {50, 66, 70, 84, 30, 84}, ink.accent);
    Line(cr, 50, 46, 50, 70, ink.accent, 2);
}

void Key(cairo_t* cr, const sInk& ink)
{
    // A keyboard key cap with a letter bar.
    RoundedRectPath(cr, 12, 16, 76, 70, 10);
    FillPath(cr, ink.main);
    RoundedRectPath(cr, 22, 22, 56, 48, 6);
    FillPath(cr, Lighter(ink.main, 0.3));
    Poly(cr, {38, 60, 50, 30, 62, 60, 55, 60, 52, 52, 48, 52, 45, 60}, ink.back);
}

void Sun(cairo_t* cr, const sInk& ink)
{
    FillCircle(cr, 50, 50, 22, ink.accent);
    for (int i = 0; i < 12; i++) {
        double a = i * M_PI / 6;
        Line(cr, 50 + 30 * std::cos(a), 50 + 30 * std::sin(a), 50 + 44 * std::cos(a), 50 + 44 * std::sin(a),
             ink.accent, 6);
    }
}

void Snowflake(cairo_t* cr, const sInk& ink)
{
    for (int i = 0; i < 6; i++) {
        double a = i * M_PI / 3;
        double cx = std::cos(a), sy = std::sin(a);
        Line(cr, 50, 50, 50 + 42 * cx, 50 + 42 * sy, ink.main, 6);
        for (int s = -1; s <= 1; s += 2) {
            double b = a + s * M_PI / 4;
            Line(cr, 50 + 26 * cx, 50 + 26 * sy, 50 + 26 * cx + 12 * std::cos(b), 50 + 26 * sy + 12 * std::sin(b),
                 ink.main, 5);
        }
    }
    FillCircle(cr, 50, 50, 8, ink.accent);
}

void Mud(cairo_t* cr, const sInk& ink)
{
    // A rain cloud over a churned track.
    FillCircle(cr, 36, 30, 16, ink.main);
    FillCircle(cr, 56, 24, 20, ink.main);
    FillCircle(cr, 72, 34, 14, ink.main);
    FillRect(cr, 28, 32, 50, 16, ink.main);
    for (int i = 0; i < 4; i++)
        Line(cr, 34 + i * 12, 56, 30 + i * 12, 66, ink.accent, 4);
    cairo_save(cr);
    cairo_scale(cr, 1, 0.3);
    Circle(cr, 50, 84 / 0.3, 42);
    cairo_restore(cr);
    FillPath(cr, ink.accent);
    Line(cr, 22, 84, 44, 84, ink.back, 3);
    Line(cr, 56, 88, 78, 88, ink.back, 3);
}

void Factory(cairo_t* cr, const sInk& ink)
{
    Poly(cr, {6, 92, 6, 50, 28, 36, 28, 50, 50, 36, 50, 50, 72, 36, 72, 92}, ink.main);
    FillRect(cr, 76, 16, 14, 76, ink.main);
    for (int i = 0; i < 3; i++)
        FillRect(cr, 14 + i * 20, 62, 10, 10, ink.accent);
    FillCircle(cr, 84, 10, 6, WithAlpha(ink.accent, ink.accent.a * 0.5));
    FillCircle(cr, 92, 4, 4, WithAlpha(ink.accent, ink.accent.a * 0.35));
}

void Compass(cairo_t* cr, const sInk& ink)
{
    Circle(cr, 50, 50, 44);
    StrokePath(cr, ink.main, 5);
    Circle(cr, 50, 50, 36);
    StrokePath(cr, ink.main, 1.5);
    Poly(cr, {50, 8, 58, 50, 50, 92, 42, 50}, ink.main);
    Poly(cr, {8, 50, 50, 42, 92, 50, 50, 58}, ink.main);
    Poly(cr, {50, 8, 58, 50, 42, 50}, ink.accent);
    FillCircle(cr, 50, 50, 5, ink.back);
}

void Medal(cairo_t* cr, const sInk& ink)
{
    Poly(cr, {30, 4, 46, 4, 56, 44, 40, 44}, ink.accent);
    Poly(cr, {70, 4, 54, 4, 44, 44, 60, 44}, Darker(ink.accent, 0.25));
    for (int i = 0; i < 8; i++) {
        double a = i * M_PI / 4;
        double x0 = 50 + 30 * std::cos(a - 0.22), y0 = 66 + 30 * std::sin(a - 0.22);
        double x1 = 50 + 30 * std::cos(a + 0.22), y1 = 66 + 30 * std::sin(a + 0.22);
        Poly(cr, {50, 66, x0, y0, x1, y1}, ink.main);
    }
    FillCircle(cr, 50, 66, 12, ink.accent);
    FillCircle(cr, 50, 66, 6, ink.main);
}

void Radio(cairo_t* cr, const sInk& ink)
{
    RoundedRectPath(cr, 10, 38, 80, 54, 6);
    FillPath(cr, ink.main);
    Line(cr, 76, 38, 88, 6, ink.main, 4);
    FillCircle(cr, 32, 64, 14, ink.back);
    FillCircle(cr, 32, 64, 9, ink.accent);
    for (int i = 0; i < 3; i++)
        FillRect(cr, 54, 50 + i * 10, 26, 4, ink.back);
    cairo_arc(cr, 88, 6, 10, M_PI * 0.6, M_PI * 1.1);
    StrokePath(cr, ink.accent, 3);
}

void Warship(cairo_t* cr, const sInk& ink)
{
    Poly(cr, {2, 58, 98, 58, 88, 72, 10, 72}, ink.main);
    FillRect(cr, 34, 44, 30, 14, ink.main);
    FillRect(cr, 42, 30, 12, 14, ink.main);
    Line(cr, 48, 12, 48, 30, ink.main, 3);
    FillRect(cr, 14, 50, 14, 8, ink.main);
    FillRect(cr, 68, 50, 14, 8, ink.main);
    Line(cr, 20, 52, 6, 48, ink.main, 3);
    Line(cr, 76, 52, 94, 48, ink.main, 3);
    cairo_move_to(cr, 0, 80);
    cairo_curve_to(cr, 20, 74, 30, 86, 50, 80);
    cairo_curve_to(cr, 70, 74, 80, 86, 100, 80);
    StrokePath(cr, ink.accent, 4);
}

void Bomber(cairo_t* cr, const sInk& ink)
{
    // A twin-engined bomber seen from below.
    Fuselage(cr, 8, 8, 24, 7, 34, 5, 84, 92);
    FillPath(cr, ink.main);
    Poly(cr, {2, 38, 98, 38, 94, 48, 6, 48}, ink.main);
    Poly(cr, {28, 84, 72, 84, 68, 92, 32, 92}, ink.main);
    FillRect(cr, 24, 30, 8, 18, ink.main);
    FillRect(cr, 68, 30, 8, 18, ink.main);
    FillCircle(cr, 50, 16, 4, ink.back);
    Star(cr, 14, 43, 4, ink.accent);
    Star(cr, 86, 43, 4, ink.accent);
}

} // namespace pict
