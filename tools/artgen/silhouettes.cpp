// Side views of soldiers, vehicles, aircraft and ships, shared by the unit pictures and the
// counters of the units skin.
#include "tools/artgen/silhouettes.h"

#include "tools/artgen/pictograms.h"

void Soldier(cairo_t* cr, double x, double base, double h, double lean, const sColor& shape)
{
    // A marching infantryman with a slung rifle.
    double s = h / 40.0;
    cairo_save(cr);
    cairo_translate(cr, x, base);
    cairo_scale(cr, s, s);
    cairo_matrix_t shear;
    cairo_matrix_init(&shear, 1, 0, lean, 1, 0, 0);
    cairo_transform(cr, &shear);
    SetColor(cr, shape);
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

void Truck(cairo_t* cr, double x, double base, double len, const sColor& shape, const sColor& lit)
{
    double s = len / 60.0;
    cairo_save(cr);
    cairo_translate(cr, x, base);
    cairo_scale(cr, s, s);
    SetColor(cr, shape);
    double cab[] = {40, -8, 40, -22, 50, -22, 56, -14, 60, -12, 60, -6, 40, -6};
    Polygon(cr, cab, 7);
    cairo_fill(cr);
    RoundedRectPath(cr, 0, -26, 40, 20, 3);
    cairo_fill(cr);
    FillRect(cr, 0, -8, 60, 3, shape);
    for (double wx : {10.0, 26.0, 50.0}) {
        FillCircle(cr, wx, -3, 6, shape);
        FillCircle(cr, wx, -3, 2.5, lit);
    }
    FillRect(cr, 44, -20, 7, 6, lit);
    cairo_restore(cr);
}

void TankSide(cairo_t* cr, double x, double base, double len, const sColor& shape, const sColor& lit)
{
    sInk ink{shape, lit, lit};
    DrawPictogram(cr, pict::Tank, x, base - len * 0.86, len, ink);
}

void PlaneSide(cairo_t* cr, double cx, double cy, double len, int engines, bool bigTail, const sColor& shape,
               const sColor& lit)
{
    // A side view: fuselage, wing root, tail, engines and propeller discs.
    double s = len / 100.0;
    cairo_save(cr);
    cairo_translate(cr, cx, cy);
    cairo_scale(cr, s, s);
    SetColor(cr, shape);
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
    FillRect(cr, -30, -8, 12, 3, lit); // cockpit glazing
    for (int e = 0; e < engines; e++) {
        double ex = engines == 1 ? -52 : -20 - 8 * e;
        RoundedRectPath(cr, ex, -2 + 4 * e, 16, 7, 3);
        SetColor(cr, shape);
        cairo_fill(cr);
        cairo_save(cr);
        cairo_scale(cr, 0.25, 1);
        Circle(cr, (ex - 1) / 0.25, 1.5 + 4 * e, 10);
        cairo_restore(cr);
        SetColor(cr, WithAlpha(lit, 0.5));
        cairo_fill(cr);
    }
    cairo_restore(cr);
}

void Ship(cairo_t* cr, double x, double waterline, double len, int kind, const sColor& shape, const sColor& lit)
{
    // kind: 0 carrier, 1 battleship, 2 cruiser, 3 submarine.
    double s = len / 200.0;
    cairo_save(cr);
    cairo_translate(cr, x, waterline);
    cairo_scale(cr, s, s);
    SetColor(cr, shape);
    if (kind == 3) {
        cairo_move_to(cr, 0, 0);
        cairo_curve_to(cr, 20, -10, 180, -10, 200, 0);
        cairo_close_path(cr);
        cairo_fill(cr);
        double tower[] = {80, -6, 84, -24, 108, -24, 112, -6};
        Polygon(cr, tower, 4);
        cairo_fill(cr);
        FillRect(cr, 96, -40, 2, 16, shape);
        FillRect(cr, 120, -10, 24, 3, shape);
        cairo_restore(cr);
        return;
    }
    double hull[] = {0, -18, 200, -22, 190, 6, 14, 6};
    Polygon(cr, hull, 4);
    cairo_fill(cr);
    if (kind == 0) {
        FillRect(cr, -6, -28, 212, 8, shape);
        double island[] = {130, -28, 134, -52, 152, -52, 156, -28};
        Polygon(cr, island, 4);
        cairo_fill(cr);
        FillRect(cr, 140, -66, 3, 14, shape);
        // Aircraft ranged on the flight deck.
        for (int i = 0; i < 3; i++) {
            double px = 20 + i * 30;
            double plane[] = {px, -28, px + 16, -28, px + 14, -32, px + 2, -31};
            SetColor(cr, lit);
            Polygon(cr, plane, 4);
            cairo_fill(cr);
            SetColor(cr, shape);
        }
    } else {
        bool big = kind == 1;
        double sup[] = {70, -22, 78, big ? -46.0 : -40.0, 118, big ? -46.0 : -40.0, 124, -22};
        Polygon(cr, sup, 4);
        cairo_fill(cr);
        double mast[] = {92, -46, 96, big ? -78.0 : -68.0, 100, -46};
        Polygon(cr, mast, 3);
        cairo_fill(cr);
        FillRect(cr, 104, big ? -58 : -52, 10, big ? 14 : 12, shape); // funnel
        int turrets = big ? 4 : 3;
        const double tx[] = {24, 48, 150, 172};
        for (int t = 0; t < turrets; t++) {
            double px = tx[t < 2 ? t : t + (4 - turrets)];
            RoundedRectPath(cr, px - 9, -30, 18, 9, 3);
            cairo_fill(cr);
            double dir = px < 100 ? -1 : 1;
            FillRect(cr, dir < 0 ? px - 9 - (big ? 20 : 14) : px + 9, -28, big ? 20 : 14, 2.5, shape);
        }
    }
    cairo_restore(cr);
}

