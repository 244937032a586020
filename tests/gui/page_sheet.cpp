#include "tests/gui/page_sheet.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "tests/gui/screenshot_check.h"
#include "tests/test_support.h"

namespace {
constexpr int kColumns = 3;
constexpr uint32_t kBetweenPages = 0xFF000000;
} // namespace

void cPageSheet::Add(const std::vector<uint32_t>& frame, int frameWidth, const sRect& page)
{
    sPage cut;
    cut.width = page.Width();
    cut.height = page.Height();
    for (int y = page.top; y < page.bottom; ++y)
        for (int x = page.left; x < page.right; ++x)
            cut.pixels.push_back(frame[size_t(y) * size_t(frameWidth) + size_t(x)]);
    m_Pages.push_back(std::move(cut));
}

void cPageSheet::Check(const std::string& name) const
{
    ASSERT_FALSE(m_Pages.empty());
    int cellWidth = 0, cellHeight = 0;
    for (const sPage& page : m_Pages) {
        cellWidth = std::max(cellWidth, page.width);
        cellHeight = std::max(cellHeight, page.height);
    }
    const int count = int(m_Pages.size());
    const int columns = std::min(kColumns, count);
    const int rows = (count + kColumns - 1) / kColumns;
    const int width = columns * cellWidth, height = rows * cellHeight;
    std::vector<uint32_t> sheet(size_t(width) * size_t(height), kBetweenPages);
    auto origin = [&](int k, int& x0, int& y0) {
        x0 = (k % kColumns) * cellWidth;
        y0 = (k / kColumns) * cellHeight;
    };
    for (int k = 0; k < count; ++k) {
        const sPage& page = m_Pages[size_t(k)];
        int x0 = 0, y0 = 0;
        origin(k, x0, y0);
        for (int y = 0; y < page.height; ++y)
            std::copy_n(page.pixels.begin() + y * page.width, page.width,
                        sheet.begin() + (y0 + y) * width + x0);
    }
    const auto expected = testing_support::FixtureDir() / "screens" / (name + ".png");
    sScreenshotCheck check;
    ASSERT_NO_FATAL_FAILURE(CheckScreenshot(sheet, width, height, "pages_" + name, expected, check));
    if (check.stored)
        return;
    // Glyph edges may move by a pixel between font builds; a page's controls may not, and
    // a window whose page of two sliders is left blank differs by a third of a per cent.
    for (int k = 0; k < count; ++k) {
        const sPage& page = m_Pages[size_t(k)];
        int x0 = 0, y0 = 0, differing = 0;
        origin(k, x0, y0);
        for (int y = 0; y < page.height; ++y)
            for (int x = 0; x < page.width; ++x)
                differing += check.differingAt[size_t(y0 + y) * size_t(width) + size_t(x0 + x)];
        EXPECT_LE(differing, page.width * page.height / 600) << name << ", page " << k + 1 << ": see "
                                                              << check.actualFile;
    }
}
