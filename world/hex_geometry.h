#pragma once
// Geometry of the hex grid: columns of flat-topped hexes, even columns half a hex lower,
// directions 0..5 clockwise from straight up.
#include <utility>

constexpr int kHexWidth = 83;      // pixels of a hex cell at scale 1
constexpr int kHexHeight = 98;
constexpr int kHexHalfHeight = 49; // the drop of an even column
constexpr float kHexHalfWidth = 41.5f;
constexpr int kHexSpriteCell = 167;

// Division that rounds toward minus infinity: a pixel left of or above an origin falls in
// the cell before it (a hex, a board square), not in cell 0.
inline int FloorDiv(int a, int b) { return a >= 0 ? a / b : -((-a + b - 1) / b); }

inline bool IsOddColumn(int x) { return (x & 1) != 0; }
inline int OppositeDirection(int d) { return (d + 3) % 6; }

// A range in whole hexes: the base of consts.csv times its technology factor, in single
// precision; a product beyond an int (a huge row) is the largest int, never a wrapped negative.
int RangeInHexes(int base, float factor);

// Steps between two hexes along the grid.
int HexDistance(int x1, int y1, int x2, int y2);
// 1 + the direction from (x1, y1) to an adjacent (x2, y2); 0 when they are not adjacent.
int GetHexDirection(int x1, int y1, int x2, int y2);
// Coordinates of the neighbour in a direction, unchecked against the map. A direction
// outside 0..5 leaves the pair as the caller initialised it.
void GetNeighbourCoords(int x, int y, int direction, std::pair<int, int>& out);
// The same through two outputs; nothing is written for a direction outside 0..5.
void GetNeighbourCoordsOut(int x, int y, int direction, int& outX, int& outY);

// The second walk order over the neighbours: up, down, then the right and left
// neighbours of the column's parity. Fills six pairs; returns 6.
int GetNeighboursCoverOrder(int x, int y, std::pair<int, int> out[6]);
