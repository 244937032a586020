#include "platform/geometry.h"

#include <algorithm>

sRect IntersectRects(const sRect& a, const sRect& b)
{
    sRect r{std::max(a.left, b.left), std::max(a.top, b.top), std::min(a.right, b.right), std::min(a.bottom, b.bottom)};
    if (r.IsEmpty())
        return sRect{};
    return r;
}

sMatrix2D operator*(const sMatrix2D& a, const sMatrix2D& b)
{
    sMatrix2D r;
    r.m11 = a.m11 * b.m11 + a.m12 * b.m21;
    r.m12 = a.m11 * b.m12 + a.m12 * b.m22;
    r.m21 = a.m21 * b.m11 + a.m22 * b.m21;
    r.m22 = a.m21 * b.m12 + a.m22 * b.m22;
    r.dx = a.dx * b.m11 + a.dy * b.m21 + b.dx;
    r.dy = a.dx * b.m12 + a.dy * b.m22 + b.dy;
    return r;
}
