#include <gtest/gtest.h>

#include <deque>
#include <vector>

#include "world/hex_geometry.h"
#include "world/map.h"

TEST(HexGeometry, DistanceExamplesAndParity)
{
    EXPECT_EQ(HexDistance(3, 5, 4, 4), 1);
    EXPECT_EQ(HexDistance(3, 5, 4, 6), 2);
    EXPECT_EQ(HexDistance(2, 5, 3, 6), 1);
    EXPECT_EQ(HexDistance(2, 5, 3, 4), 2);
    EXPECT_EQ(HexDistance(0, 0, 0, 3), 3);
    EXPECT_EQ(HexDistance(0, 0, 4, 0), 4);
    EXPECT_EQ(HexDistance(0, 0, 4, 5), 7);
    for (int x : {2, 3})
    {
        EXPECT_EQ(HexDistance(x, 5, x, 5), 0);
        for (int d = 0; d < 6; ++d)
        {
            int nx = 0, ny = 0;
            GetNeighbourCoordsOut(x, 5, d, nx, ny);
            EXPECT_EQ(HexDistance(x, 5, nx, ny), 1) << x << " " << d;
            EXPECT_EQ(GetHexDirection(x, 5, nx, ny), d + 1);
            EXPECT_EQ(GetHexDirection(nx, ny, x, 5), OppositeDirection(d) + 1);
        }
    }
}

// The distance is the length of a shortest walk of single steps, from both ends.
TEST(HexGeometry, DistanceMatchesStepsOfABreadthFirstWalk)
{
    const int w = 13, h = 11;
    for (int sx : {0, 5, 6, 12})
        for (int sy : {0, 4, 10})
        {
            std::vector<int> dist(size_t(w * h), -1);
            std::deque<std::pair<int, int>> queue{{sx, sy}};
            dist[size_t(sy * w + sx)] = 0;
            while (!queue.empty())
            {
                auto [x, y] = queue.front();
                queue.pop_front();
                for (int d = 0; d < 6; ++d)
                {
                    int nx = 0, ny = 0;
                    GetNeighbourCoordsOut(x, y, d, nx, ny);
                    if (nx < 0 || ny < 0 || nx >= w || ny >= h || dist[size_t(ny * w + nx)] >= 0)
                        continue;
                    dist[size_t(ny * w + nx)] = dist[size_t(y * w + x)] + 1;
                    queue.push_back({nx, ny});
                }
            }
            for (int y = 0; y < h; ++y)
                for (int x = 0; x < w; ++x)
                {
                    // Far from the edges the walk is unconstrained; near them the grid is still convex.
                    EXPECT_EQ(HexDistance(sx, sy, x, y), dist[size_t(y * w + x)]) << sx << "," << sy << "->" << x << "," << y;
                    EXPECT_EQ(HexDistance(x, y, sx, sy), dist[size_t(y * w + x)]);
                }
        }
}

TEST(HexGeometry, DirectionOfHexesThatAreNotAdjacent)
{
    EXPECT_EQ(GetHexDirection(4, 4, 4, 4), 0);
    EXPECT_EQ(GetHexDirection(4, 4, 6, 4), 0);
    EXPECT_EQ(GetHexDirection(4, 4, 4, 6), 0);
    // The next column, rows beyond the two that touch, in both parities.
    for (int x : {4, 5})
        for (int nx : {x - 1, x + 1})
            for (int y : {1, 7})
                EXPECT_EQ(GetHexDirection(x, 4, nx, y), 0) << x << " " << nx << " " << y;
}

TEST(HexGeometry, NeighbourCoordinatesIgnoreBadDirections)
{
    std::pair<int, int> out{-7, -7};
    GetNeighbourCoords(0, 0, 6, out);
    EXPECT_EQ(out, std::make_pair(-7, -7));
    GetNeighbourCoords(0, 0, 0, out);
    EXPECT_EQ(out, std::make_pair(0, -1));
    int x = 9, y = 9;
    GetNeighbourCoordsOut(1, 1, 7, x, y);
    EXPECT_EQ(x, 9);
    EXPECT_EQ(y, 9);
}

TEST(HexGeometry, MapNeighboursAtTheEdges)
{
    cMapa map(5, 4);
    EXPECT_EQ(map.GetNeighbour(2, 0, 0), nullptr);
    EXPECT_EQ(map.GetNeighbour(4, 2, 1), nullptr);
    EXPECT_EQ(map.GetNeighbour(1, 1, 6), nullptr);
    EXPECT_FALSE(map.HasNeighbour(1, 0, 1)); // odd column, row 0: upper right is off the map
    EXPECT_TRUE(map.HasNeighbour(2, 0, 1));  // even column: the same row
    EXPECT_FALSE(map.HasNeighbour(2, 3, 2)); // even column, last row
    EXPECT_TRUE(map.HasNeighbour(1, 3, 2));
    EXPECT_FALSE(map.HasNeighbour(2, 2, 6));
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 5; ++x)
            for (int d = 0; d < 6; ++d)
            {
                int nx = 0, ny = 0;
                GetNeighbourCoordsOut(x, y, d, nx, ny);
                EXPECT_EQ(map.HasNeighbour(x, y, d), map.IsInside(nx, ny));
                sHex* n = map.GetNeighbour(x, y, d);
                EXPECT_EQ(n != nullptr, map.IsInside(nx, ny));
                if (n)
                {
                    EXPECT_EQ(n, map.GetHex(nx, ny));
                }
            }
}

TEST(HexGeometry, CoverOrderWalksUpDownThenTheSides)
{
    using tSix = std::vector<std::pair<int, int>>;
    std::pair<int, int> n[6];
    EXPECT_EQ(GetNeighboursCoverOrder(3, 5, n), 6);
    EXPECT_EQ(tSix(n, n + 6), (tSix{{3, 4}, {3, 6}, {4, 4}, {4, 5}, {2, 5}, {2, 4}}));
    GetNeighboursCoverOrder(2, 5, n);
    EXPECT_EQ(tSix(n, n + 6), (tSix{{2, 4}, {2, 6}, {3, 5}, {3, 6}, {1, 6}, {1, 5}}));
}
