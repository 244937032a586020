#include <gtest/gtest.h>

#include <cstring>

#include "core/random.h"
#include "platform/paths.h"
#include "tests/test_support.h"
#include "tests/world/world_fixture.h"

using namespace testing_support;

namespace {
// A map file written by hand: header, then records filled by the callback.
std::string MapBytes(int w, int h, const std::function<void(int, int, unsigned char*)>& fill, const char* magic = "Qvrv1")
{
    std::string out(268, '\0');
    std::memcpy(out.data(), magic, 5);
    std::memcpy(out.data() + 5, "anything at all", 15);
    out[260] = 0x12; // the float is not read
    out[264] = char(w & 0xFF);
    out[265] = char(w >> 8);
    out[266] = char(h & 0xFF);
    out[267] = char(h >> 8);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
        {
            unsigned char r[37] = {};
            fill(x, y, r);
            out.append(reinterpret_cast<char*>(r), 37);
        }
    return out;
}
} // namespace

TEST(MapFile, SavedMapReadsBackHexByHex)
{
    const auto dir = MakeScratchDir("mapfile");
    const int W = 7, H = 5;
    WriteFile(dir / "map.qvr", MapBytes(W, H, [](int x, int y, unsigned char* r) {
                  r[0] = uint8_t((x + y) % 3 == 0 ? 0 : 1 + (x % 7));
                  r[1] = uint8_t(200 + x);
                  r[2] = r[0] ? uint8_t((x * 5 + y) % 64) : 0;
                  r[3] = uint8_t(x + 1);
                  r[4] = uint8_t(y);
                  r[5] = uint8_t(x * y);
                  r[6] = uint8_t(x % 3);
                  r[7] = uint8_t(y % 3);
                  r[8] = uint8_t((x + 1) % 3);
                  r[9] = uint8_t(y % 4);
                  for (int m = 0; m < 12; ++m)
                  {
                      r[10 + m] = uint8_t(m * 7 + x);
                      r[22 + m] = uint8_t(m * 3 + y);
                  }
                  r[34] = uint8_t((x + y) % 3);
                  r[35] = uint8_t((x * 3 + y) % 4); // every combination of coastal and no weather
              }));
    cMapa first(PatternOf(dir));
    ASSERT_EQ(first.width, W);
    ASSERT_EQ(first.height, H);
    const auto out = MakeScratchDir("mapfile_out");
    first.Save(FolderOf(out), nullptr);
    std::filesystem::rename(out / "map.qvr", dir / "map.qvr");
    cMapa second(PatternOf(dir));
    for (int y = 0; y < H; ++y)
        for (int x = 0; x < W; ++x)
        {
            const sHex& a = *first.GetHex(x, y);
            const sHex& b = *second.GetHex(x, y);
            EXPECT_EQ(a.terrain, b.terrain);
            EXPECT_EQ(a.keptByte, b.keptByte);
            EXPECT_EQ(a.riverMask, b.riverMask);
            EXPECT_EQ(a.seaZone, b.seaZone);
            EXPECT_EQ(a.variant, b.variant);
            EXPECT_EQ(a.controller, b.controller);
            EXPECT_EQ(a.owner, b.owner);
            EXPECT_EQ(a.originalOwner, b.originalOwner);
            EXPECT_EQ(a.fortification, b.fortification);
            EXPECT_EQ(0, std::memcmp(a.mudChance, b.mudChance, 12));
            EXPECT_EQ(0, std::memcmp(a.winterChance, b.winterChance, 12));
            EXPECT_EQ(a.weather, b.weather);
            EXPECT_EQ(a.coastal, b.coastal);
            EXPECT_EQ(a.weatherApplies, b.weatherApplies); // both bits survive, coastal or not
            EXPECT_EQ(b.x, x);
            EXPECT_EQ(b.y, y);
        }
}

TEST(MapFile, FlagsDecodeAsTwoIndependentBits)
{
    const auto dir = MakeScratchDir("mapflags");
    WriteFile(dir / "map.qvr", MapBytes(4, 1, [](int x, int, unsigned char* r) {
                  r[0] = 1;
                  r[35] = uint8_t(x);
              }));
    cMapa map(PatternOf(dir));
    EXPECT_EQ(map.GetHex(0, 0)->coastal, 0);
    EXPECT_EQ(map.GetHex(0, 0)->weatherApplies, 1);
    EXPECT_EQ(map.GetHex(1, 0)->coastal, 1);
    EXPECT_EQ(map.GetHex(1, 0)->weatherApplies, 1);
    EXPECT_EQ(map.GetHex(2, 0)->coastal, 0);
    EXPECT_EQ(map.GetHex(2, 0)->weatherApplies, 0);
    EXPECT_EQ(map.GetHex(3, 0)->coastal, 1);
    EXPECT_EQ(map.GetHex(3, 0)->weatherApplies, 0);
}

TEST(MapFile, RiverMouthsAreWrittenAndSetAgainOnReading)
{
    const auto dir = MakeScratchDir("mapmouth");
    WriteFile(dir / "map.qvr", MapBytes(4, 4, [](int x, int y, unsigned char* r) {
                  if (x == 2 && y == 2)
                  {
                      r[0] = 1;
                      r[2] = 1u << 2;
                      r[6] = 1;
                  }
                  else
                      r[6] = 4; // a controller on the sea is cleared
              }));
    cMapa map(PatternOf(dir));
    EXPECT_EQ(map.GetNeighbour(2, 2, 1)->riverMask, (1u << 2) | 64u);
    EXPECT_EQ(map.GetNeighbour(2, 2, 1)->controller, 0);
    const auto out = MakeScratchDir("mapmouth_out");
    map.Save(FolderOf(out), nullptr);
    auto bytes = ReadWholeFile(out / "map.qvr");
    ASSERT_TRUE(bytes);
    ASSERT_EQ(bytes->size(), 268u + 16u * 37u);
    const sHex* up = map.GetNeighbour(2, 2, 1);
    const size_t record = 268 + size_t(up->y * 4 + up->x) * 37;
    EXPECT_EQ(uint8_t((*bytes)[record + 2]), (1u << 2) | 64u);
    EXPECT_EQ(0, std::memcmp(bytes->data(), "Qvrv1", 5));
}

TEST(MapFile, BadFilesEndTheProgramWithTheirLine)
{
    const auto dir = MakeScratchDir("mapbad");
    const std::wstring pattern = PatternOf(dir);
    ClearLog();
    EXPECT_THROW(cMapa{pattern}, sFatalExit); // missing
    EXPECT_TRUE(LogContains(L"Loading from " + FolderOf(dir) + L"/map.qvr... FAILED"));

    WriteFile(dir / "map.qvr", MapBytes(2, 2, [](int, int, unsigned char*) {}, "Qvrv2"));
    try
    {
        cMapa map(pattern);
        FAIL() << "a map of another version was accepted";
    }
    catch (const sFatalExit& e)
    {
        EXPECT_NE(e.reason.find(L"/map.qvr does not begin with \"Qvrv1\""), std::wstring::npos) << WideToUtf8(e.reason);
    }
    EXPECT_TRUE(LogContains(L"ERROR: Wrong map file version"));
    WriteFile(dir / "map.qvr", "");
    ClearLog();
    EXPECT_THROW(cMapa{pattern}, sFatalExit);
    EXPECT_TRUE(LogContains(L"ERROR: Wrong map file version")); // an empty file has no magic either

    std::string cut = MapBytes(3, 2, [](int, int, unsigned char* r) { r[0] = 1; });
    cut.resize(cut.size() - 40); // the last record and a few bytes of the one before
    WriteFile(dir / "map.qvr", cut);
    try
    {
        cMapa map(pattern);
        FAIL() << "a short map file was accepted";
    }
    catch (const sFatalExit& e)
    {
        EXPECT_EQ(e.code, 1);
        EXPECT_NE(e.reason.find(L"ends in the record of hex (1, 1)"), std::wstring::npos) << WideToUtf8(e.reason);
    }

    WriteFile(dir / "map.qvr", MapBytes(3, 2, [](int, int, unsigned char*) {}).substr(0, 100));
    EXPECT_THROW(cMapa{pattern}, sFatalExit);

    WriteFile(dir / "map.qvr", MapBytes(0, 7, [](int, int, unsigned char*) {}));
    ClearLog();
    EXPECT_THROW(cMapa{pattern}, sFatalExit);
    EXPECT_TRUE(LogContains(L"ERROR: Map cannot have 0 heigth or 0 width"));

    // A header of 50000 x 50000 hexes (more than an int holds in all) is refused by its sides.
    std::string huge = MapBytes(0, 0, [](int, int, unsigned char*) {});
    huge[264] = huge[266] = char(50000 & 0xFF);
    huge[265] = huge[267] = char(50000 >> 8);
    WriteFile(dir / "map.qvr", huge);
    try
    {
        cMapa map(pattern);
        FAIL() << "a map of 50000 x 50000 hexes was accepted";
    }
    catch (const sFatalExit& e)
    {
        EXPECT_NE(e.reason.find(L"is 50000x50000 hexes; at most 32767 are allowed each way"), std::wstring::npos)
            << WideToUtf8(e.reason);
    }
}

TEST(MapFile, RebuildBakesTheWeatherTablesIntoOutputMap)
{
    const auto dir = MakeScratchDir("rebuild");
    WriteFile(dir / "map.qvr", MapBytes(6, 6, [](int x, int, unsigned char* r) {
                  r[0] = x == 0 ? 0 : 1;
                  r[35] = x == 5 ? 1 : 0; // coastal column
              }));
    WriteFile(dir / "weather.csv", "# x;y;state;flag\n1;1;1;1\n5;2;2;2\n9;9;1;1\n");
    WriteFile(dir / "winter_area.csv", "2;3;4;5;10;10;10;10;10;10;10;10;10;10;10;10\n");
    WriteFile(dir / "mud_area.csv", "0;0;5;0;1;1;1;1;1;1;1;1;1;1;1;1\n");
    cMapa map(PatternOf(dir));
    map.BuildFromScenario(PatternOf(dir));
    ASSERT_TRUE(FileExists(dir / "output_map.qvr"));
    std::filesystem::rename(dir / "map.qvr", dir / "original.qvr");
    std::filesystem::rename(dir / "output_map.qvr", dir / "map.qvr");
    cMapa baked(PatternOf(dir));
    EXPECT_EQ(baked.GetHex(1, 1)->weather, 1u);
    EXPECT_EQ(baked.GetHex(5, 2)->weather, 2u);
    EXPECT_EQ(baked.GetHex(5, 2)->weatherApplies, 0); // flag 2: no roll
    EXPECT_EQ(baked.GetHex(5, 2)->coastal, 1);        // and still coastal
    EXPECT_EQ(baked.GetHex(3, 4)->winterChance[6], 10);
    EXPECT_EQ(baked.GetHex(3, 5)->winterChance[6], 0);
    EXPECT_EQ(baked.GetHex(1, 1)->mudChance[0], 0); // y2 = 0: no rows
}

TEST(MapFile, RebuildOfAnEmptyMapKeepsTheMapInPlay)
{
    const auto dir = MakeScratchDir("rebuild0");
    WriteFile(dir / "map.qvr", MapBytes(3, 3, [](int, int, unsigned char* r) { r[0] = 1; }));
    cMapa map(PatternOf(dir));
    const auto other = MakeScratchDir("rebuild0b");
    WriteFile(other / "map.qvr", MapBytes(0, 0, [](int, int, unsigned char*) {}));
    map.BuildFromScenario(PatternOf(other));
    EXPECT_EQ(map.width, 3);
    EXPECT_FALSE(FileExists(other / "output_map.qvr"));
}

TEST(MapFile, FolderNamesMayHoldPercentSigns)
{
    const auto dir = MakeScratchDir("100%s sure");
    WriteFile(dir / "map.qvr", MapBytes(2, 2, [](int, int, unsigned char* r) { r[0] = 1; }));
    cMapa map(PatternOf(dir));
    EXPECT_EQ(map.width, 2);
    map.BuildFromScenario(PatternOf(dir));
    EXPECT_TRUE(FileExists(dir / "output_map.qvr"));
}
