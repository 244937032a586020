#include "world/hex_geometry.h"

#include <cmath>
#include <cstdlib>

#include "core/text.h"

int RangeInHexes(int base, float factor)
{
    // The product in single precision, as the rules compute it.
    return TruncateToInt(float(base) * factor);
}

int HexDistance(int x1, int y1, int x2, int y2)
{
    const int dx = std::abs(x2 - x1);
    const int dy = y2 - y1;
    const int ady = std::abs(dy);
    const int h = dx / 2;
    const int H = (dx + 1) / 2;
    if ((dx & 1) == 0)
        return ady <= h ? dx : ady + h;
    if (IsOddColumn(x1))
    {
        // An odd column reaches one row further up.
        if (dy < -H)
            return ady + h;
        if (dy > h)
            return ady + h + 1;
        return dx;
    }
    // An even column reaches one row further down.
    if (dy > H)
        return ady + h;
    if (dy < -h)
        return ady + h + 1;
    return dx;
}

int GetHexDirection(int x1, int y1, int x2, int y2)
{
    if (x2 == x1)
    {
        if (y2 == y1 - 1)
            return 1;
        if (y2 == y1 + 1)
            return 4;
        return 0;
    }
    const bool odd = IsOddColumn(x1);
    if (x2 == x1 + 1)
    {
        const int upper = odd ? y1 - 1 : y1;
        if (y2 == upper)
            return 2;
        if (y2 == upper + 1)
            return 3;
        return 0;
    }
    if (x2 == x1 - 1)
    {
        const int lower = odd ? y1 : y1 + 1;
        if (y2 == lower)
            return 5;
        if (y2 == lower - 1)
            return 6;
        return 0;
    }
    return 0;
}

void GetNeighbourCoordsOut(int x, int y, int direction, int& outX, int& outY)
{
    const bool odd = IsOddColumn(x);
    switch (direction)
    {
    case 0: outX = x; outY = y - 1; break;
    case 1: outX = x + 1; outY = odd ? y - 1 : y; break;
    case 2: outX = x + 1; outY = odd ? y : y + 1; break;
    case 3: outX = x; outY = y + 1; break;
    case 4: outX = x - 1; outY = odd ? y : y + 1; break;
    case 5: outX = x - 1; outY = odd ? y - 1 : y; break;
    default: break;
    }
}

void GetNeighbourCoords(int x, int y, int direction, std::pair<int, int>& out)
{
    GetNeighbourCoordsOut(x, y, direction, out.first, out.second);
}

int GetNeighboursCoverOrder(int x, int y, std::pair<int, int> out[6])
{
    out[0] = {x, y - 1};
    out[1] = {x, y + 1};
    if (IsOddColumn(x))
    {
        out[2] = {x + 1, y - 1};
        out[3] = {x + 1, y};
        out[4] = {x - 1, y};
        out[5] = {x - 1, y - 1};
    }
    else
    {
        out[2] = {x + 1, y};
        out[3] = {x + 1, y + 1};
        out[4] = {x - 1, y + 1};
        out[5] = {x - 1, y};
    }
    return 6;
}
