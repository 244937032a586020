#pragma once
// The pages of a tabbed window, each cut out of a frame drawn after a click on its tab,
// laid out in rows of three and compared as one stored picture, each page within its own
// tolerance (a page left blank differs from its picture by little of the whole sheet).
#include <cstdint>
#include <string>
#include <vector>

#include "platform/geometry.h"

class cPageSheet
{
public:
    // The part `page` (screen pixels) of a frame `frameWidth` pixels wide.
    void Add(const std::vector<uint32_t>& frame, int frameWidth, const sRect& page);
    // Compares with tests/data/screens/<name>.png (VELMORANT_WRITE_SCREENSHOTS=1 stores
    // it); call under ASSERT_NO_FATAL_FAILURE.
    void Check(const std::string& name) const;

private:
    struct sPage
    {
        std::vector<uint32_t> pixels;
        int width = 0;
        int height = 0;
    };
    std::vector<sPage> m_Pages;
};
