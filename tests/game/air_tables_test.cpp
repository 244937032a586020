#include <gtest/gtest.h>

#include <filesystem>

#include "core/text.h"
#include "game/air_tables.h"
#include "platform/paths.h"
#include "tests/test_support.h"

namespace {

TEST(AirshipAttacks, FileBytesAreFixedAndReadBack)
{
    const std::vector<std::vector<std::wstring>> reports = {{L"Zeppelin over Hull", L"Raid; 3 ships hit"}, {}, {L"Łódź"}};
    const std::string bytes = EncodeAirshipAttacks(reports);
    const std::u16string expected =
        u"#Defender country ID;report\n1;Zeppelin over Hull;\n1;Raid; 3 ships hit;\n3;Łódź;";
    EXPECT_EQ(bytes, Utf16ToLEBytes(expected)); // no byte-order mark, single line feeds, no end
    EXPECT_EQ(DecodeAirshipAttacks(bytes, 3), reports);

    // Without reports only the header; it reads back as empty lists.
    const std::string empty = EncodeAirshipAttacks({{}, {}});
    EXPECT_EQ(empty, Utf16ToLEBytes(u"#Defender country ID;report"));
    EXPECT_EQ(DecodeAirshipAttacks(empty, 2), (std::vector<std::vector<std::wstring>>(2)));

    // Country numbers out of range are skipped with a log line.
    testing_support::ClearLog();
    const auto read = DecodeAirshipAttacks(Utf16ToLEBytes(u"#h\n0;a;\n4;b;\n2;c;\n\n2;d"), 3);
    EXPECT_EQ(read[1], (std::vector<std::wstring>{L"c", L"d"}));
    EXPECT_TRUE(testing_support::LogContains(L"ERROR: airship_attacks.csv, line 2: there is no country 0; line skipped"));
    EXPECT_TRUE(testing_support::LogContains(L"ERROR: airship_attacks.csv, line 3: there is no country 4; line skipped"));
}

TEST(AirReconUnits, OnlyCountriesWithSpottedUnitsWriteLines)
{
    const std::vector<std::vector<std::pair<int, int>>> spotted = {{}, {{3, 4}, {10, 2}}, {}, {{0, 0}}};
    const std::string text = EncodeAirReconUnits(spotted);
    EXPECT_EQ(text, "#Hexes with units spoted with air recon\r\nCountry;2;\r\n3;4;\r\n10;2;\r\nCountry;4;\r\n0;0;");
    EXPECT_EQ(DecodeAirReconUnits(text, 4, 20, 20),
              (std::vector<sReconHex>{{2, 3, 4}, {2, 10, 2}, {4, 0, 0}}));
    EXPECT_EQ(EncodeAirReconUnits({{}, {}}), "#Hexes with units spoted with air recon");

    testing_support::ClearLog();
    const auto read = DecodeAirReconUnits("1;1;\nCountry;9;\n2;2;\nCountry;1;\n30;1;\n-1;0;\n5;5;\n", 2, 20, 20);
    EXPECT_EQ(read, (std::vector<sReconHex>{{1, 5, 5}}));
    EXPECT_TRUE(testing_support::LogContains(
        L"ERROR: airrecon_units.csv, line 1: a hex before the first Country line; line skipped"));
    EXPECT_TRUE(testing_support::LogContains(L"ERROR: airrecon_units.csv, line 5: (30, 1) is off the map; line skipped"));

    std::filesystem::create_directories("data/save/R");
    SaveAirReconUnits(L"data\\save\\R", spotted);
    EXPECT_EQ(LoadAirReconUnits(L"data\\save\\R\\%s", 4, 0, 0).size(), 3u);
    EXPECT_TRUE(LoadAirReconUnits(L"data\\save\\None\\%s", 4, 0, 0).empty());
    EXPECT_TRUE(testing_support::LogContains(
        L"Nie uda?o si? otworzy? pliku - mo?e nie istnie? (zadnych odkrytych jednostek)"));
}

} // namespace
