// Europe 1939 on the game screen, drawn offscreen and compared with the stored pictures
// under tests/data/screens/ within a tolerance. VELMORANT_WRITE_SCREENSHOTS=1 stores new ones.
#include <gtest/gtest.h>

#include "core/settings.h"
#include "tests/gui/screenshot_check.h"
#include "tests/test_support.h"
#include "tests/world/map_screen_fixture.h"

namespace {

using map_screen::kHeight;
using map_screen::kWidth;

void Shoot(map_screen::cMapScreen& screen, const char* name)
{
    screen.DrawFrame();
    std::vector<uint32_t> pixels = screen.Pixels();
    ASSERT_EQ(pixels.size(), size_t(kWidth) * kHeight);
    const std::filesystem::path expected = testing_support::FixtureDir() / "screens" / (std::string(name) + ".png");
    sScreenshotCheck check;
    ASSERT_NO_FATAL_FAILURE(CheckScreenshot(pixels, kWidth, kHeight, name, expected, check));
    if (!check.stored) {
        EXPECT_LE(check.differing, kWidth * kHeight / 100) << "see " << check.actualFile;
    }
}

TEST(MapScreenshot, Europe1939AtThreeZoomsLooksAsStored)
{
    map_screen::cMapScreen screen;
    ASSERT_TRUE(screen.Open());
    for (auto& l : testing_support::LogLines()) if (l.find(L"Loading file")!=std::wstring::npos || l.find(L"ERROR")!=std::wstring::npos) printf("%ls\n", l.c_str());
    screen.Look(81, 62, 1.0f);
    Shoot(screen, "map_near");
    screen.Look(92, 62, 0.5f);
    Shoot(screen, "map_middle");
    screen.Look(92, 67, float(kWidth) / (185.0f * 83.0f));
    Shoot(screen, "map_whole");
}

} // namespace
