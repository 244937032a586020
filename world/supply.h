#pragma once
// The supply calculator's work area: one integer per hex, reused by every flood and
// search of the supply phase.
#include <vector>

class cMapa;

class cZaopatrzenie
{
public:
    // Sizes the per-hex grid to the map (empty without a map), all zero.
    void AllocateGrid(const cMapa* map);

    std::vector<int> Grid; // row by row: element y * Width + x
    int Width = 0;
    int Height = 0;
};
