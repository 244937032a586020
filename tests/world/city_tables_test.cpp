#include <gtest/gtest.h>

#include <string>

#include "core/stringbase.h"
#include "platform/paths.h"
#include "tests/test_support.h"
#include "tests/world/world_fixture.h"

using namespace testing_support;

TEST(CityTables, SupplyAndConvoyTablesReadBack)
{
    cTestWorld w(6, 6);
    for (int i = 0; i < 3; ++i)
        w.AddCountry(0);
    cMiasto* a = w.AddCity(L"A", 1, 1, CITY_SUPPLY, 1);
    cMiasto* b = w.AddCity(L"B", 4, 5, CITY_PORT, 2);
    for (cMiasto* c : w.cities)
        c->ResizeCountryTables(3);
    a->SupplyByCountry = {5, 2, 30};
    b->ConvoyInfoByCountry = {0, 1, 1};
    const auto out = MakeScratchDir("citytables");
    SaveCitySupplyInfo(FolderOf(out), w.cities);
    SaveCityConvoyInfo(FolderOf(out), w.cities);
    auto text = ReadWholeFile(out / "cities_supply_info.csv");
    ASSERT_TRUE(text);
    EXPECT_EQ(*text, "# cities supply info:\r\n1;1;5;2;30;\r\n4;5;0;0;0;");

    a->SupplyByCountry = {0, 0, 0};
    b->ConvoyInfoByCountry = {0, 0, 0};
    LoadCitySupplyTables(PatternOf(out), 3);
    EXPECT_EQ(a->SupplyByCountry, (std::vector<int32_t>{5, 2, 30}));
    EXPECT_EQ(b->ConvoyInfoByCountry, (std::vector<uint8_t>{0, 1, 1}));
}

TEST(CityTables, ShortLongAndStrayLines)
{
    cTestWorld w(6, 6);
    w.AddCountry(0);
    w.AddCountry(0);
    cMiasto* a = w.AddCity(L"A", 1, 1, CITY_SUPPLY, 1);
    a->ResizeCountryTables(2);
    a->SupplyByCountry = {7, 8};
    const auto dir = MakeScratchDir("citytables_bad");
    // The last line is read whole: cut after 4,999 characters, its rest would set A to 8 and 8.
    WriteFile(dir / "cities_supply_info.csv", "# header\n1;1;\n5;\n1;1;3;4;5;6;\n2;2;9;\n40;1;9;\n15;\n1;1;3;4;" +
                                                  std::string(4991, ' ') + "1;1;8;8;\n");
    WriteFile(dir / "cities_convoy_info.csv", "# header\n1;1;0;-3;\n");
    LoadGameTexts();
    ClearLog();
    LoadCitySupplyTables(PatternOf(dir), 2);
    EXPECT_EQ(a->SupplyByCountry, (std::vector<int32_t>{3, 4})); // values beyond the countries ignored
    const std::wstring path = FolderOf(dir) + L"/cities_supply_info.csv";
    // (2, 2) holds no city; (40, 1) lies outside the map: one line for each value, naming the hex
    for (const auto& [x, y] : {std::pair{2, 2}, std::pair{40, 1}})
        EXPECT_EQ(CountLogLinesStartingWith(LangFormat("error_while_loading_%s:_no_city_at_coords_(%d,_%d)", path, x, y)),
                  1);
    EXPECT_EQ(CountLogLinesStartingWith(L"(" + path + L" line "), 0);
    EXPECT_EQ(CountLogLinesStartingWith(L"WARNING: "), 1) << "a line of two characters is passed over without a word";
    EXPECT_TRUE(LogContains(L"WARNING: too few fields in " + path + L" at line 7, line skipped"));
    EXPECT_EQ(a->ConvoyInfoByCountry, (std::vector<uint8_t>{0, 1})) << "any value but 0 sets the flag";

    std::filesystem::remove(dir / "cities_convoy_info.csv");
    EXPECT_THROW(LoadCitySupplyTables(PatternOf(dir), 2), sFatalExit);
}
