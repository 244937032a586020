#pragma once
// Placing text in a rectangle: alignment, word wrap and measuring, independent of how
// the glyphs are drawn, so that it can be checked with any font metrics.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "platform/geometry.h"

// Format flags of text drawing.
constexpr uint32_t DT_TOP = 0x0000;
constexpr uint32_t DT_LEFT = 0x0000;
constexpr uint32_t DT_CENTER = 0x0001;
constexpr uint32_t DT_RIGHT = 0x0002;
constexpr uint32_t DT_VCENTER = 0x0004;
constexpr uint32_t DT_BOTTOM = 0x0008;
constexpr uint32_t DT_WORDBREAK = 0x0010;
constexpr uint32_t DT_SINGLELINE = 0x0020;
constexpr uint32_t DT_NOCLIP = 0x0100;
// Measure only: nothing is drawn, the rectangle receives the text's extent.
constexpr uint32_t DT_CALCRECT = 0x0400;
// A line wider than the rectangle keeps its start and ends in an ellipsis.
constexpr uint32_t DT_END_ELLIPSIS = 0x8000;

// What the layout needs of a font.
class iTextMeasure
{
public:
    virtual ~iTextMeasure() = default;
    // The height of one line (the font's cell height).
    virtual int LineHeight() const = 0;
    // The advance width of a piece of text on one line.
    virtual int TextWidth(std::wstring_view text) const = 0;
};

struct sLaidOutLine
{
    std::wstring text;
    int x = 0; // left end of the line's text
    int y = 0; // top of the line
    int width = 0;
};

struct sTextLayout
{
    std::vector<sLaidOutLine> lines;
    int height = 0;      // lines times the line height
    int widestLine = 0;
};

// Lines break at '\n' (a '\r' before it is dropped) unless DT_SINGLELINE; with DT_WORDBREAK
// a line longer than the rectangle breaks at spaces, and a word wider than the rectangle
// stands alone on its line. The block is aligned in the rectangle as the flags say, even
// when it is larger than the rectangle. With DT_END_ELLIPSIS a line wider than the
// rectangle is shortened to fit with "\u2026" at its end, and aligned as it then is.
sTextLayout LayoutText(const iTextMeasure& measure, std::wstring_view text, const sRect& rect, uint32_t format);

// Where a line of the width starts across the rectangle, and a block of lines of the height
// down it, as the alignment flags place them.
int AlignedLineX(const sRect& rect, int width, uint32_t format);
int AlignedBlockY(const sRect& rect, int height, uint32_t format);

// The extent of the text as DT_CALCRECT gives it: the rectangle keeps its top-left corner,
// its width becomes that of the widest line and its height that of all lines, whole lines
// whatever DT_END_ELLIPSIS says. Returns the height.
int CalcTextExtent(const iTextMeasure& measure, std::wstring_view text, sRect& rect, uint32_t format);
