#include "tests/gui/screenshot_check.h"

#include <gtest/gtest.h>

#include <SDL.h>
#include <SDL_image.h>

#include <algorithm>
#include <cstdlib>

#include "tests/test_support.h"

void CheckScreenshot(const std::vector<uint32_t>& pixels, int width, int height, const std::string& scratchName,
                     const std::filesystem::path& expectedFile, sScreenshotCheck& check)
{
    // SDL only reads the pixels here.
    SDL_Surface* shot = SDL_CreateRGBSurfaceWithFormatFrom(const_cast<uint32_t*>(pixels.data()), width, height, 32,
                                                           width * 4, SDL_PIXELFORMAT_ARGB8888);
    check.actualFile = std::filesystem::absolute(testing_support::MakeScratchDir(scratchName) / "actual.png");
    IMG_SavePNG(shot, check.actualFile.string().c_str());
    const char* write = std::getenv("VELMORANT_WRITE_SCREENSHOTS");
    if (write && *write == '1') {
        IMG_SavePNG(shot, expectedFile.string().c_str());
        check.stored = true;
    }
    SDL_FreeSurface(shot);
    if (check.stored)
        return;

    SDL_Surface* loaded = IMG_Load(expectedFile.string().c_str());
    ASSERT_NE(loaded, nullptr) << expectedFile;
    SDL_Surface* expected = SDL_ConvertSurfaceFormat(loaded, SDL_PIXELFORMAT_ARGB8888, 0);
    SDL_FreeSurface(loaded);
    ASSERT_EQ(expected->w, width);
    ASSERT_EQ(expected->h, height);
    check.differing = 0;
    check.differingAt.assign(size_t(width) * size_t(height), false);
    for (int y = 0; y < height; ++y) {
        const auto* row =
            reinterpret_cast<const uint32_t*>(static_cast<const uint8_t*>(expected->pixels) + y * expected->pitch);
        for (int x = 0; x < width; ++x) {
            uint32_t a = pixels[size_t(y) * size_t(width) + size_t(x)];
            uint32_t e = row[x];
            int worst = 0;
            for (int shift : {0, 8, 16})
                worst = std::max(worst, std::abs(int((a >> shift) & 0xFF) - int((e >> shift) & 0xFF)));
            check.differing += worst > 48;
            check.differingAt[size_t(y) * size_t(width) + size_t(x)] = worst > 48;
        }
    }
    SDL_FreeSurface(expected);
}
