// Reading the skins: the city appearance levels, the units skin's level tables and counter
// colours, and a scenario's eyecandies.
#include <gtest/gtest.h>

#include <climits>
#include <filesystem>
#include <sstream>

#include "shell/draw_helpers.h"
#include "shell/map_skin.h"
#include "shell/skin_levels.h"
#include "shell/textures.h"
#include "shell/units_skin.h"
#include "tests/test_support.h"
#include "world/country.h"
#include "world/map.h"
#include "world/world.h"

using testing_support::WriteFile;

namespace {

// A level of appearance.csv: its threshold, six markers and three labels.
std::string AppearanceLevel(int threshold, int nameWidth)
{
    std::ostringstream out;
    out << "threshold;" << threshold << "\n";
    for (int k = 0; k < 6; ++k)
        out << "marker;10;10;20;20\nsource;" << 100 * k << ";0;" << 100 * k + 40 << ";40\n";
    out << "vp;0;0;0;0\nproduction;0;0;0;0\n";
    out << "name;5;100;" << nameWidth << ";20;Arial;13;75;255;255;255;0;0;0\n";
    return out.str();
}

TEST(CityAppearance, OnlyFourLevelsAreReadAndALabelWithoutWidthIsNotShown)
{
    std::string text = "; comment\n#AP;43;100;80;26;Arial;16;75;255;244;216;21;19;14\n" + AppearanceLevel(200, 160);
    for (int level = 1; level < 6; ++level)
        text += "#level\n" + AppearanceLevel(100 - level * 10, level == 2 ? 0 : 150);
    WriteFile("skin/appearance.csv", text);
    ASSERT_TRUE(LoadCityAppearance(L"skin\\appearance.csv"));
    EXPECT_EQ(g_CityAppearanceLevels[0].zoomThreshold, 200);
    EXPECT_EQ(g_CityAppearanceLevels[3].zoomThreshold, 70);
    for (int level = 4; level < kSkinLevels; ++level)
        EXPECT_EQ(g_CityAppearanceLevels[size_t(level)].zoomThreshold, -100) << level;
    const sSkinLevel& first = g_CityAppearanceLevels[0];
    EXPECT_EQ(first.rects[size_t(CityMarkerDest(0))], (sRect{10, 10, 30, 30}));
    EXPECT_EQ(first.rects[size_t(CityMarkerSource(5))], (sRect{500, 0, 540, 40}));
    EXPECT_TRUE(first.present[size_t(CityMarkerDest(0))]);
    EXPECT_FALSE(first.present[size_t(CityLabelFlag(0))]);
    EXPECT_TRUE(first.present[size_t(CityLabelFlag(2))]);
    EXPECT_FALSE(g_CityAppearanceLevels[2].present[size_t(CityLabelFlag(2))]);
    EXPECT_EQ(first.styles[2].weight, 700);
    EXPECT_EQ(g_CityLabelRect, (sRect{43, 100, 123, 126}));
    EXPECT_EQ(g_CityLabelStyle.color1, 0xFFFFF4D8u);
    EXPECT_FALSE(LoadCityAppearance(L"skin\\missing.csv"));
}

TEST(MapSkin, ASkinWithoutADepthTableTakesTheDefaultDepthsAndAMissingOneChangesNone)
{
    std::filesystem::create_directories("data/gfx/[MapSkin]Bare");
    g_SpriteDepths = {};
    LoadMapSkin(L"Bare");
    EXPECT_EQ(g_SpriteDepths[5].depth, 10);
    EXPECT_FLOAT_EQ(g_SpriteDepths[5].scale, 0.9f);
    EXPECT_EQ(g_SpriteDepths[17].depth, 34);
    EXPECT_FLOAT_EQ(g_SpriteDepths[17].scale, 0.66f);
    // The appearance is still looked for in a folder that is not there.
    g_SpriteDepths[5].depth = 77;
    testing_support::ClearLog();
    LoadMapSkin(L"Gone");
    EXPECT_EQ(g_SpriteDepths[5].depth, 77);
    EXPECT_TRUE(testing_support::LogHasInOrder(
        {L"Opening file with cities appearance definition...", L"data\\gfx\\[MapSkin]Gone\\appearance.csv"}));
}

// A units skin level of `rows` rows whose first rectangle pair is present.
std::string UnitLevel(const std::string& name, int threshold, int rows)
{
    std::ostringstream out;
    out << name << "\n" << threshold << "\n1;2;3;4\n10;20;30;40\n";
    for (int r = 4; r < rows; ++r)
        out << "0;0;0;0\n";
    return out.str();
}

TEST(UnitsSkin, TheNavalTableOfVersion103HasFifteenRowsALevel)
{
    WriteFile("skin/naval_new.csv", "Game version;1.03\n" + UnitLevel("Near", 200, 15) + UnitLevel("Far", 40, 15));
    ASSERT_TRUE(LoadUnitSkinTable(kFamilyNaval, "skin/naval_new.csv", L"naval_new.csv"));
    EXPECT_EQ(g_UnitSkinLevels[kFamilyNaval][1].name, L"Far");
    EXPECT_EQ(g_UnitSkinLevels[kFamilyNaval][0].rects[0], (sRect{1, 2, 4, 6}));
    EXPECT_EQ(g_UnitSkinLevels[kFamilyNaval][0].rects[9], (sRect{10, 20, 30, 40}));
    EXPECT_TRUE(g_UnitSkinLevels[kFamilyNaval][0].present[0]);
    EXPECT_EQ(g_UnitSkinLevels[kFamilyNaval][2].zoomThreshold, -100);
    // Past its four pairs a piece is present on its own rectangle alone (row 10 gives R13).
    std::string alone = "Alone\n200\n";
    for (int r = 2; r < 15; ++r)
        alone += r == 10 ? "5;5;9;9\n" : "0;0;0;0\n";
    WriteFile("skin/naval_alone.csv", "Game version;1.03\n" + alone);
    ASSERT_TRUE(LoadUnitSkinTable(kFamilyNaval, "skin/naval_alone.csv", L"naval_alone.csv"));
    EXPECT_EQ(g_UnitSkinLevels[kFamilyNaval][0].rects[13], (sRect{5, 5, 9, 9}));
    EXPECT_TRUE(g_UnitSkinLevels[kFamilyNaval][0].present[4]);
    EXPECT_FALSE(g_UnitSkinLevels[kFamilyNaval][0].present[3]);

    WriteFile("skin/naval_old.csv", "Game version;1.02\n" + UnitLevel("Near", 200, 13) + UnitLevel("Far", 40, 13));
    ASSERT_TRUE(LoadUnitSkinTable(kFamilyNaval, "skin/naval_old.csv", L"naval_old.csv"));
    EXPECT_EQ(g_UnitSkinLevels[kFamilyNaval][1].name, L"Far");
    EXPECT_EQ(g_UnitSkinLevels[kFamilyNaval][1].zoomThreshold, 40);
}

TEST(UnitsSkin, ALandTableReadsTenLevelsAndAMissingOneIsLogged)
{
    std::string text;
    for (int level = 0; level < 11; ++level)
        text += UnitLevel("Level " + std::to_string(level), 200 - level, 25);
    WriteFile("skin/land.csv", text);
    ASSERT_TRUE(LoadUnitSkinTable(kFamilyLand, "skin/land.csv", L"land.csv"));
    EXPECT_EQ(g_UnitSkinLevels[kFamilyLand][9].name, L"Level 9");
    EXPECT_EQ(g_UnitSkinLevels[kFamilyLand][9].zoomThreshold, 191);

    testing_support::ClearLog();
    EXPECT_FALSE(LoadUnitSkinTable(kFamilyAir, "skin/none.csv", L"data\\gfx\\[UnitsSkin]X\\air_units.csv"));
    EXPECT_TRUE(testing_support::LogContains(L"ERROR during opening CSV file data\\gfx\\[UnitsSkin]X\\air_units.csv"));
    EXPECT_EQ(g_UnitSkinLevels[kFamilyAir][0].zoomThreshold, -100);
}

TEST(UnitsSkin, TheSkinsCounterColoursOverTheScenariosAndNoneForIdsOutsideTheGame)
{
    std::vector<cPanstwo*> countries = {new cPanstwo(), new cPanstwo()};
    countries[0]->Color1 = 0xFF112233;
    countries[1]->Color1 = 0xFF445566;
    countries[1]->Color2 = 0xFF778899;
    g_World.countries = &countries;
    WriteFile("data/gfx/[UnitsSkin]Test/countries.csv",
              "Game version;1.03\n0;Nobody;FF000000;FF000000\n1;First;FFAABBCC\n3;Third;FF000000;FF000000\n");
    LoadUnitsSkin(L"Test");
    EXPECT_EQ(countries[0]->CounterColor1, 0xFFAABBCCu);
    EXPECT_EQ(countries[1]->CounterColor1, 0xFF445566u);
    EXPECT_EQ(countries[1]->CounterColor2, 0xFF778899u);
    g_World = sWorld{};
    for (cPanstwo* c : countries)
        delete c;
}

TEST(Eyecandies, EntriesOffTheMapOrMalformedAreSkippedWithALogLine)
{
    cMapa map(4, 4);
    g_Textures[TEX_EYECANDIES].CreateEmpty(8, 8);
    // The file is optional: without it there is nothing to report as an error.
    testing_support::ClearLog();
    LoadEyecandies(map, L"data\\scenarios\\Nowhere");
    EXPECT_FALSE(testing_support::LogStartsWith(L"ERROR"));
    EXPECT_TRUE(testing_support::LogContains(L"No eyecandies in data\\scenarios\\Nowhere: it has no eyecandies.csv"));
    // One that is there but cannot be read is.
    std::filesystem::create_directories("data/scenarios/Unreadable/eyecandies.csv");
    testing_support::ClearLog();
    LoadEyecandies(map, L"data\\scenarios\\Unreadable");
    EXPECT_TRUE(testing_support::LogContains(L"ERROR unable to load eyecandies data from data\\scenarios\\Unreadable/eyecandies.csv"));

    WriteFile("data/scenarios/Deco/eyecandies.csv",
              "1;2;20;0;0;167;0;2;0\n9;1;20;0;0;0;0;0;0\n1;1;2\n2;2;20;x;0;0;0;0;0\n# no comment lines\n"
              "3;3;20;2147483647;0;0;0;99999999;-99999999\n");
    testing_support::ClearLog();
    LoadEyecandies(map, L"data\\scenarios\\Deco");
    const sHexDecoration& d = map.Decorations()[size_t(2 * 4 + 1)];
    EXPECT_FLOAT_EQ(d.gate, 0.79f);
    EXPECT_EQ(d.layer, 20);
    EXPECT_EQ(d.cell[0], 1);
    EXPECT_EQ(d.cell[2], 168);
    EXPECT_EQ(d.cell[4], 335);
    // An edited file's numbers beyond an int stop at its ends.
    const sHexDecoration& far = map.Decorations()[size_t(3 * 4 + 3)];
    EXPECT_EQ(far.cell[0], INT_MAX);
    EXPECT_EQ(far.cell[4], INT_MAX);
    EXPECT_EQ(far.cell[5], INT_MIN);
    EXPECT_TRUE(testing_support::LogStartsWith(L"WARNING eyecandy outside the map in data\\scenarios\\Deco/eyecandies.csv"));
    EXPECT_EQ(testing_support::CountLogLinesStartingWith(L"WARNING incorrect entry in data\\scenarios\\Deco/eyecandies.csv"), 2);
    EXPECT_TRUE(testing_support::LogStartsWith(L"ERROR incorrect entry data format in data\\scenarios\\Deco/eyecandies.csv"));
    EXPECT_FLOAT_EQ(map.Decorations()[size_t(2 * 4 + 2)].gate, -1.0f);
    g_Textures[TEX_EYECANDIES].Release();
}

} // namespace
