#include <gtest/gtest.h>

#include <vector>

#include "core/random.h"
#include "tests/test_support.h"
#include "tests/world/world_fixture.h"

using namespace testing_support;

TEST(Weather, RollFollowsTheChancesOfTheMonth)
{
    cMapa map(4, 1);
    for (int x = 1; x < 4; ++x)
        map.GetHex(x, 0)->terrain = 1;
    sHex& winter = *map.GetHex(1, 0);
    sHex& mud = *map.GetHex(2, 0);
    sHex& clear = *map.GetHex(3, 0);
    winter.winterChance[2] = 100;
    mud.mudChance[2] = 100;
    map.GetHex(0, 0)->winterChance[2] = 100; // sea
    for (int i = 0; i < 50; ++i)
    {
        map.RollWeather(2);
        EXPECT_EQ(winter.weather, 1u);
        EXPECT_EQ(mud.weather, 2u);
        EXPECT_EQ(clear.weather, 0u);
        EXPECT_EQ(map.GetHex(0, 0)->weather, 0u);
    }
    winter.weatherApplies = 0;
    winter.weather = 2;
    map.RollWeather(2);
    EXPECT_EQ(winter.weather, 2u);
    // A month outside the year rolls nothing: a hex has twelve chances.
    for (int month : {-1, 12}) {
        clear.weather = 7;
        map.RollWeather(month);
        EXPECT_EQ(clear.weather, 7u) << month;
    }
    EXPECT_TRUE(LogContains(L"ERROR: weather roll for month 12, which does not exist"));
}

TEST(Weather, WinterIsRolledFirstAndMudOnlyWhereWinterMissed)
{
    // The raw value that rolls v in 1..100.
    auto roll = [](int v) { return int((v - 0.5) / 100 * 32768); };
    struct sCase
    {
        int month;
        std::vector<int> rolls;
        uint32_t weather;
    } cases[] = {
        {0, {50}, WEATHER_WINTER},     // a roll equal to the chance hits
        {0, {51, 50}, WEATHER_MUD},    // winter missed, mud hit
        {11, {51, 51}, WEATHER_CLEAR}, // both missed, in December too
    };
    for (const sCase& c : cases)
    {
        cMapa map(1, 1);
        sHex& h = *map.GetHex(0, 0);
        h.terrain = 1;
        h.winterChance[c.month] = 50;
        h.mudChance[c.month] = 50;
        h.weather = 7; // every case writes its state
        std::vector<int> raw;
        for (int v : c.rolls)
            raw.push_back(roll(v));
        ScriptRandomRaw(raw);
        map.RollWeather(c.month);
        EXPECT_EQ(h.weather, c.weather) << c.month << " " << c.rolls.front();
        ClearRandomScript();
    }
}

TEST(Weather, AreaTablesAddOverRectanglesAndWrap)
{
    const auto dir = MakeScratchDir("areas");
    WriteFile(dir / "winter_area.csv",
              "# rectangles\n"
              "2;3;4;5;10;10;10;10;10;10;10;10;10;10;10;10\n"
              "\n"
              "0;0;1;1;200;200;200;200;200;200;200;200;200;200;200;200\n"
              "0;0;1;1;200;200;200;200;200;200;200;200;200;200;200;200\n");
    WriteFile(dir / "mud_area.csv", "-5;-5;99;99;1;;3;;;;;;;;;\n1;2;3\n1;1;1;x;1;1;1;1;1;1;1;1;1;1;1;1\n");
    cMapa map(8, 8);
    ClearLog();
    map.ApplyWeatherTables(PatternOf(dir));
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 8; ++x)
        {
            const bool inside = x >= 2 && x <= 4 && y >= 3 && y < 5;
            const bool overlap = x <= 1 && y < 1;
            EXPECT_EQ(map.GetHex(x, y)->winterChance[11], inside ? 10 : overlap ? 144 : 0) << x << "," << y;
            EXPECT_EQ(map.GetHex(x, y)->mudChance[0], 1);
            EXPECT_EQ(map.GetHex(x, y)->mudChance[1], 0);
            EXPECT_EQ(map.GetHex(x, y)->mudChance[2], 3);
        }
    const std::wstring mudPath = PatternOf(dir).replace(PatternOf(dir).size() - 2, 2, L"mud_area.csv");
    EXPECT_EQ(CountLogLinesStartingWith(L"WARNING: empty field in file"), 1);
    EXPECT_TRUE(LogContains(L"WARNING: empty field in file " + mudPath + L" (line 1)"));
    EXPECT_TRUE(LogContains(L"WARNING: too few fields in file " + mudPath + L" (line 2), line skipped"));
    EXPECT_TRUE(LogContains(L"WARNING: field 4 is not a whole number in file " + mudPath + L" (line 3), line skipped"));
    EXPECT_TRUE(LogContains(L"ERROR: file does not exist")); // weather.csv
}

TEST(Weather, WeatherCsvSetsStateAndFlagAndReportsBadLines)
{
    const auto dir = MakeScratchDir("weathercsv");
    // The comment on line 3, longer than any line buffer, is one line.
    WriteFile(dir / "weather.csv", "1;0;1;1\r\n2;0;2;2\r\n#3;0;1;1" + std::string(1 << 20, '-') +
                                       "\r\n9;0;1;1\r\n0;0;7;1\r\n0;0\r\n0;0;3;1\r\n0;0;-1;1\r\n3;0;0;1");
    cMapa map(4, 1);
    for (int x = 0; x < 4; ++x)
        map.GetHex(x, 0)->terrain = 1;
    map.GetHex(3, 0)->weather = WEATHER_MUD;
    ClearLog();
    map.ApplyWeatherTables(PatternOf(dir));
    EXPECT_EQ(map.GetHex(1, 0)->weather, 1u);
    EXPECT_EQ(map.GetHex(1, 0)->weatherApplies, 1);
    EXPECT_EQ(map.GetHex(2, 0)->weather, 2u);
    EXPECT_EQ(map.GetHex(2, 0)->weatherApplies, 0);
    EXPECT_EQ(map.GetHex(0, 0)->weather, 0u) << "states 7, 3 and -1 are refused";
    EXPECT_EQ(map.GetHex(3, 0)->weather, 0u) << "a last line without its end, of state 0";
    EXPECT_EQ(map.GetHex(3, 0)->weatherApplies, 1);
    const std::wstring path = FolderOf(dir) + L"/weather.csv";
    EXPECT_TRUE(LogContains(L"WARNING: hex (9, 0) lies outside the map in file " + path + L" (line 4), line skipped"));
    EXPECT_TRUE(LogContains(L"WARNING: weather state 7 is not 0, 1 or 2 in file " + path + L" (line 5), line skipped"));
    EXPECT_TRUE(LogContains(L"WARNING: too few fields in file " + path + L" (line 6), line skipped"));
}
