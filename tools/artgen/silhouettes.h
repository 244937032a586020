#pragma once
// Side views of soldiers, vehicles, aircraft and ships, in a shape colour with lit details.
#include <cairo.h>

#include "tools/artgen/canvas.h"

// A marching infantryman h high, feet on `base`.
void Soldier(cairo_t* cr, double x, double base, double h, double lean, const sColor& shape);
void Truck(cairo_t* cr, double x, double base, double len, const sColor& shape, const sColor& lit);
void TankSide(cairo_t* cr, double x, double base, double len, const sColor& shape, const sColor& lit);
void PlaneSide(cairo_t* cr, double cx, double cy, double len, int engines, bool bigTail, const sColor& shape,
               const sColor& lit);
// kind: 0 carrier, 1 battleship, 2 cruiser, 3 submarine.
void Ship(cairo_t* cr, double x, double waterline, double len, int kind, const sColor& shape, const sColor& lit);
