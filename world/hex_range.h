#pragma once
// Walks the hexes within a hex distance of a centre: only the box around the centre is
// read, never the whole map, so that searches stay small on a map of 25,000 hexes.
#include <algorithm>

#include "world/hex_geometry.h"
#include "world/map.h"

// Calls visit(hex) for every hex of the map within distance r of (x, y), row by row.
template <typename Visit>
void ForEachHexWithin(cMapa& map, int x, int y, int r, Visit visit)
{
    if (r < 0)
        return;
    // A radius as large as consts.csv can write reaches the whole map, not past an int's end.
    const long long reach = r;
    const int x0 = int(std::max(0LL, x - reach)), x1 = int(std::min(map.GetWidth() - 1LL, x + reach));
    const int y0 = int(std::max(0LL, y - reach)), y1 = int(std::min(map.GetHeight() - 1LL, y + reach));
    for (int row = y0; row <= y1; ++row)
        for (int column = x0; column <= x1; ++column)
            if (HexDistance(x, y, column, row) <= r)
                visit(*map.GetHex(column, row));
}
