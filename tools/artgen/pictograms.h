#pragma once
// Pictograms: simple silhouettes drawn in a 100 x 100 box, used by icons, strips and pictures.
#include <cairo.h>

#include "tools/artgen/canvas.h"

struct sInk {
    sColor main;   // the silhouette
    sColor accent; // details: flames, stars, signs
    sColor back;   // what lies behind: cut-outs and windows
};

using Pictogram = void (*)(cairo_t* cr, const sInk& ink);

// Draws a pictogram into the square (x, y, size).
void DrawPictogram(cairo_t* cr, Pictogram p, double x, double y, double size, const sInk& ink);

namespace pict {
void Swords(cairo_t* cr, const sInk& ink);
void Helmet(cairo_t* cr, const sInk& ink);
void HexMarker(cairo_t* cr, const sInk& ink);
void Handshake(cairo_t* cr, const sInk& ink);
void ZoomIn(cairo_t* cr, const sInk& ink);
void ZoomOut(cairo_t* cr, const sInk& ink);
void Flag(cairo_t* cr, const sInk& ink);
void Borders(cairo_t* cr, const sInk& ink);
void Layers(cairo_t* cr, const sInk& ink);
void Pen(cairo_t* cr, const sInk& ink);
void Stars(cairo_t* cr, const sInk& ink);
void Reinforce(cairo_t* cr, const sInk& ink);
void Crate(cairo_t* cr, const sInk& ink);
void Chevrons(cairo_t* cr, const sInk& ink);
void LevelUp(cairo_t* cr, const sInk& ink);
void Cross(cairo_t* cr, const sInk& ink);
void Undo(cairo_t* cr, const sInk& ink);
void LandingCraft(cairo_t* cr, const sInk& ink);
void Freighter(cairo_t* cr, const sInk& ink);
void Parachute(cairo_t* cr, const sInk& ink);
void Locomotive(cairo_t* cr, const sInk& ink);
void Bomb(cairo_t* cr, const sInk& ink);
void Fighter(cairo_t* cr, const sInk& ink);
void AirFight(cairo_t* cr, const sInk& ink);
void Binoculars(cairo_t* cr, const sInk& ink);
void Harbour(cairo_t* cr, const sInk& ink);
void Atom(cairo_t* cr, const sInk& ink);
void Explosion(cairo_t* cr, const sInk& ink);
void WhiteFlag(cairo_t* cr, const sInk& ink);
void Retreat(cairo_t* cr, const sInk& ink);
void BurningCity(cairo_t* cr, const sInk& ink);
void BurningAnchor(cairo_t* cr, const sInk& ink);
void SinkingShip(cairo_t* cr, const sInk& ink);
void Coins(cairo_t* cr, const sInk& ink);
void Tank(cairo_t* cr, const sInk& ink);
void Flask(cairo_t* cr, const sInk& ink);
void Report(cairo_t* cr, const sInk& ink);
void Convoy(cairo_t* cr, const sInk& ink);
void Gear(cairo_t* cr, const sInk& ink);
void Hourglass(cairo_t* cr, const sInk& ink);
void Key(cairo_t* cr, const sInk& ink);
void Sun(cairo_t* cr, const sInk& ink);
void Snowflake(cairo_t* cr, const sInk& ink);
void Mud(cairo_t* cr, const sInk& ink);
void Factory(cairo_t* cr, const sInk& ink);
void Compass(cairo_t* cr, const sInk& ink);
void Medal(cairo_t* cr, const sInk& ink);
void Radio(cairo_t* cr, const sInk& ink);
void Warship(cairo_t* cr, const sInk& ink);
void Bomber(cairo_t* cr, const sInk& ink);
} // namespace pict
