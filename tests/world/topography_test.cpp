#include <gtest/gtest.h>

#include "platform/paths.h"
#include "tests/test_support.h"
#include "tests/world/world_fixture.h"

using namespace testing_support;

class cTopography : public ::testing::Test
{
protected:
    void SetUp() override
    {
        us = w.AddCountry(1);
        ally = w.AddCountry(4);
        neutral = w.AddCountry(0);
        a = w.AddCity(L"A", 1, 1, CITY_SUPPLY, us);
        b = w.AddCity(L"B", 3, 1, CITY_NORMAL, us);
        c = w.AddCity(L"C", 5, 1, CITY_NORMAL, ally);
        n = w.AddCity(L"N", 1, 4, CITY_SUPPLY, neutral);
        w.topography.InitStrategicMovementModule(3);
        w.topography.SetCountryTopography(us, {{a, b}, {c}});
    }
    cTestWorld w{7, 7};
    int us = 0, ally = 0, neutral = 0;
    cMiasto *a = nullptr, *b = nullptr, *c = nullptr, *n = nullptr;
};

TEST_F(cTopography, ReachabilityByGroupsAndKinds)
{
    cTopografia::sUnitView land{us, 0, 1, 1};
    EXPECT_TRUE(w.topography.IsHexReachable(land, *b));
    EXPECT_FALSE(w.topography.IsHexReachable(land, *c)); // another group
    EXPECT_FALSE(w.topography.IsHexReachable(land, *n)); // not held by a friend
    cTopografia::sUnitView air{us, 1, 1, 1};
    EXPECT_TRUE(w.topography.IsHexReachable(air, *c));
    cTopografia::sUnitView unsupplied{us, 0, -1, -1};
    EXPECT_FALSE(w.topography.IsHexReachable(unsupplied, *b));
    cTopografia::sUnitView noCity{us, 0, 2, 2};
    EXPECT_FALSE(w.topography.IsHexReachable(noCity, *b));
    cTopografia::sUnitView neutralUnit{neutral, 0, 1, 4};
    EXPECT_FALSE(w.topography.IsHexReachable(neutralUnit, *n)); // no groups of its own yet
    w.topography.SetCountryTopography(neutral, {{n}});
    EXPECT_TRUE(w.topography.IsHexReachable(neutralUnit, *n)); // a neutral's own groups
    EXPECT_TRUE(w.topography.IsCityInGroup(us, a, b));
    EXPECT_FALSE(w.topography.IsCityInGroup(us, a, c));
    EXPECT_FALSE(w.topography.IsCityInGroup(ally, a, b));
    EXPECT_FALSE(w.topography.IsCityInGroup(9, a, b));

    ClearLog();
    w.topography.SetCountryTopography(4, {{a}});
    EXPECT_TRUE(LogContains(L"ERROR: topography for country 4, which does not exist (1 to 3)"));
    EXPECT_EQ(w.topography.Countries.size(), 3u);
    cTopografia none;
    none.InitStrategicMovementModule(0);
    EXPECT_TRUE(none.Countries.empty());

    w.Land(2, 1, us);
    w.Hex(6, 6).SetMark(1 | 2, -1);
    ClearLog();
    w.topography.ShowCountryGroups(land);
    EXPECT_EQ(w.Hex(6, 6).marks, 1u); // all but the selection is cleared
    EXPECT_EQ(CountLogLinesStartingWith(L"Kraj o id="), 3);
    EXPECT_TRUE(LogContains(L"Kraj o id=1 ma 2 grup topograficznych"));
    EXPECT_TRUE(w.Hex(1, 1).marks & 32);
    EXPECT_TRUE(w.Hex(3, 1).marks & 32);
    EXPECT_TRUE(w.Hex(2, 1).marks & 32); // a friendly land neighbour of a reachable city
    EXPECT_EQ(w.Hex(2, 1).markValue, -1);
    EXPECT_FALSE(w.Hex(5, 1).marks & 32);
}

TEST_F(cTopography, FileReadsBackGroupsInOrder)
{
    const auto out = MakeScratchDir("topography");
    w.topography.Save(FolderOf(out));
    auto text = ReadWholeFile(out / "topography.csv");
    ASSERT_TRUE(text);
    EXPECT_EQ(*text, "#Topography of terrain at the beginning of turn:\r\nCountry;1;\r\nNew Group;\r\nCity;1;1;\r\nCity;3;1;"
                     "\r\nNew Group;\r\nCity;5;1;\r\nCountry;2;\r\nCountry;3;");
    cTopografia again;
    again.InitStrategicMovementModule(3);
    again.Load(PatternOf(out));
    EXPECT_EQ(again.Countries, w.topography.Countries);
    EXPECT_TRUE(again.Countries[1].empty());
}

TEST_F(cTopography, BadLinesAreReportedOrFatal)
{
    const auto dir = MakeScratchDir("topography_bad");
    // The last, a comment longer than any line buffer, is one line.
    WriteFile(dir / "topography.csv", "City;1;1;\nNew Group;\nCountry;1;\nNew Group\nCity;9;9;\nCity;2;2;\nCity;3;1;\n#" +
                                          std::string(600, '-') + "\n");
    cTopografia t;
    t.InitStrategicMovementModule(3);
    ClearLog();
    t.Load(PatternOf(dir));
    ASSERT_EQ(t.Countries[0].size(), 1u);
    EXPECT_EQ(t.Countries[0].front(), (tCityGroup{b}));
    const std::wstring path = FolderOf(dir) + L"/topography.csv";
    EXPECT_TRUE(LogContains(L"WARNING: city before the first group in " + path + L" at line 1, line skipped"));
    EXPECT_TRUE(LogContains(L"WARNING: group before the first country in " + path + L" at line 2, line skipped"));
    EXPECT_TRUE(LogContains(L"WARNING: hex (9, 9) lies outside the map in " + path + L" at line 5, line skipped"));
    WriteFile(dir / "topography.csv", "Country;4;\n");
    EXPECT_THROW(t.Load(PatternOf(dir)), sFatalExit);
    WriteFile(dir / "topography.csv", "Country;1;\nTown;1;1;\n");
    EXPECT_THROW(t.Load(PatternOf(dir)), sFatalExit);
    std::filesystem::remove(dir / "topography.csv");
    EXPECT_THROW(t.Load(PatternOf(dir)), sFatalExit);
}
