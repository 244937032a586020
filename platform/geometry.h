#pragma once
// Rectangles, points, colours and the 2-D transform shared by the drawing code.
#include <cstdint>

// Corner form: right and bottom lie just outside the rectangle.
struct sRect
{
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;

    int Width() const { return right - left; }
    int Height() const { return bottom - top; }
    bool IsEmpty() const { return right <= left || bottom <= top; }
    bool Contains(int x, int y) const { return x >= left && x < right && y >= top && y < bottom; }
    bool operator==(const sRect&) const = default;
};

inline sRect MakeRect(int left, int top, int right, int bottom) { return sRect{left, top, right, bottom}; }
inline sRect OffsetRect(sRect r, int dx, int dy) { return sRect{r.left + dx, r.top + dy, r.right + dx, r.bottom + dy}; }
inline sRect InflateRect(sRect r, int dx, int dy) { return sRect{r.left - dx, r.top - dy, r.right + dx, r.bottom + dy}; }
// The common part; empty (all zero) when the two do not overlap.
sRect IntersectRects(const sRect& a, const sRect& b);

struct sPointF
{
    float x = 0;
    float y = 0;
};

struct sRectF
{
    float left = 0;
    float top = 0;
    float right = 0;
    float bottom = 0;
};

// ARGB, 8 bits a channel: 0xAARRGGBB.
using tColor = uint32_t;
constexpr tColor MakeArgb(unsigned a, unsigned r, unsigned g, unsigned b)
{
    return (tColor(a & 0xFF) << 24) | (tColor(r & 0xFF) << 16) | (tColor(g & 0xFF) << 8) | tColor(b & 0xFF);
}
constexpr unsigned ColorA(tColor c) { return (c >> 24) & 0xFF; }
constexpr unsigned ColorR(tColor c) { return (c >> 16) & 0xFF; }
constexpr unsigned ColorG(tColor c) { return (c >> 8) & 0xFF; }
constexpr unsigned ColorB(tColor c) { return c & 0xFF; }

// A 2-D affine transform in row-vector form: (x', y') = (x * m11 + y * m21 + dx, x * m12 + y * m22 + dy).
// Products read left to right: A * B applies A first, then B.
struct sMatrix2D
{
    float m11 = 1, m12 = 0;
    float m21 = 0, m22 = 1;
    float dx = 0, dy = 0;

    static sMatrix2D Identity() { return {}; }
    static sMatrix2D Scaling(float sx, float sy) { return sMatrix2D{sx, 0, 0, sy, 0, 0}; }
    static sMatrix2D Translation(float x, float y) { return sMatrix2D{1, 0, 0, 1, x, y}; }

    sPointF Apply(sPointF p) const { return sPointF{p.x * m11 + p.y * m21 + dx, p.x * m12 + p.y * m22 + dy}; }
    // True when the transform keeps rectangles axis-aligned and unmirrored.
    bool IsScaleTranslate() const { return m12 == 0 && m21 == 0 && m11 > 0 && m22 > 0; }
    bool operator==(const sMatrix2D&) const = default;
};

sMatrix2D operator*(const sMatrix2D& a, const sMatrix2D& b);
