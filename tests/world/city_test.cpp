#include <gtest/gtest.h>

#include "platform/paths.h"
#include "tests/test_support.h"
#include "tests/world/world_fixture.h"
#include "units/land_unit.h"
#include "units/unit_hooks.h"

using namespace testing_support;

TEST(Cities, TableReadsBackAndShortRowsAddNothing)
{
    const auto dir = MakeScratchDir("cities");
    const std::string longName(99, 'L');
    WriteFile(dir / "cities.csv", "#Name;X;Y\n"
                                  "Seven;1;1;2;5;1.5;3\n"
                                  "Eight;1;1;2;5;1.5;3;0\n" +
                                      longName + ";2;2;4;0;0.123456;0;7;extra\n"
                                                 "Over;9;9;1;0;0;0;0\n"
                                                 "Twin;1;1;1;0;0;0;0\n");
    cTestWorld w(4, 4);
    ClearLog();
    LoadCities(PatternOf(dir), w.cities);
    ASSERT_EQ(w.cities.size(), 2u);
    const cMiasto& eight = *w.cities.front();
    EXPECT_EQ(eight.Name, L"Eight");
    EXPECT_EQ(eight.Type, CITY_SUPPLY_PORT);
    EXPECT_TRUE(eight.IsPort());
    EXPECT_EQ(w.Hex(1, 1).city, &eight);
    EXPECT_EQ(w.cities.back()->Name.size(), 99u);
    EXPECT_EQ(w.cities.back()->ProductionPointsLost, 7);
    EXPECT_EQ(w.cities.back()->VictoryPoints, 0);
    const std::wstring path = FolderOf(dir) + L"/cities.csv";
    EXPECT_TRUE(LogContains(L"WARNING: 7 fields instead of 8 in " + path + L" at line 2, line skipped"));
    EXPECT_TRUE(LogContains(L"ERROR: city Over at (9, 9) lies outside the map in " + path + L" at line 5, line skipped"));
    EXPECT_TRUE(LogContains(L"ERROR: city Twin at (1, 1) stands on the hex of Eight in " + path +
                            L" at line 6, line skipped"));
    // A coordinate that is no number, or a type the rules do not know, refuses the table.
    for (const auto& [row, told] : {std::pair{"Typo;x;0;1;0;0;0;0", L"column 2 (Hex X): \"x\" is not a whole number"},
                                    {"Odd;3;3;7;0;0;0;0", L"column 4 (Type): 7 is outside 0 to 4"}}) {
        const auto bad = MakeScratchDir("cities_bad");
        WriteFile(bad / "cities.csv", std::string("#Name;X;Y\nEight;1;1;2;5;1.5;3;0\n") + row + "\n");
        cTestWorld b(4, 4);
        try {
            LoadCities(PatternOf(bad), b.cities);
            ADD_FAILURE() << row << " was read";
        } catch (const sFatalExit& e) {
            EXPECT_EQ(e.reason, FolderOf(bad) + L"/cities.csv, line 3, " + told);
        }
    }

    const auto out = MakeScratchDir("cities_out");
    SaveCities(FolderOf(out), w.cities);
    cTestWorld v(4, 4);
    LoadCities(PatternOf(out), v.cities);
    ASSERT_EQ(v.cities.size(), 2u);
    auto a = w.cities.begin();
    for (const cMiasto* c : v.cities)
    {
        EXPECT_EQ(c->Name, (*a)->Name);
        EXPECT_EQ(c->X, (*a)->X);
        EXPECT_EQ(c->Type, (*a)->Type);
        EXPECT_EQ(c->ProductionPoints, (*a)->ProductionPoints); // written exactly
        EXPECT_EQ(c->ProductionPointsLost, (*a)->ProductionPointsLost);
        ++a;
    }
    auto text = ReadWholeFile(out / "cities.csv");
    ASSERT_TRUE(text);
    EXPECT_NE(text->find("\r\nEight;1;1;2;5;1.5;3;0;"), std::string::npos);
    EXPECT_EQ(text->back(), ';');
}

class cCityOnTheMap : public ::testing::Test
{
protected:
    void SetUp() override
    {
        InstallUnitHooks();
        us = w.AddCountry(1);
        ally = w.AddCountry(4);
        enemy = w.AddCountry(2);
        neutral = w.AddCountry(0);
        w.War(us, enemy);
        city = w.AddCity(L"Town", 2, 2, CITY_NORMAL, us);
    }
    cTestWorld w{5, 5};
    int us = 0, ally = 0, enemy = 0, neutral = 0;
    cMiasto* city = nullptr;
    cPlacedLandUnits units{w};
};

TEST_F(cCityOnTheMap, BesiegedNeedsTwoEnemiesAndNoEmptyLand)
{
    // Every neighbour sea but two.
    std::pair<int, int> n[6];
    for (int d = 0; d < 6; ++d)
        GetNeighbourCoords(2, 2, d, n[d]);
    w.Land(n[0].first, n[0].second, enemy);
    units.Put(2, 2, us);
    units.Put(n[0].first, n[0].second, enemy);
    EXPECT_FALSE(city->IsBesieged()); // one enemy only
    w.Land(n[3].first, n[3].second, enemy);
    EXPECT_FALSE(city->IsBesieged()); // an empty land neighbour
    units.Put(n[3].first, n[3].second, enemy);
    EXPECT_TRUE(city->IsBesieged());
    cUnit* holder = w.Hex(2, 2).unit;
    w.Hex(2, 2).unit = nullptr;
    EXPECT_FALSE(city->IsBesieged()); // nobody inside to besiege
    w.Hex(2, 2).unit = holder;
    w.Land(n[1].first, n[1].second, neutral);
    units.Put(n[1].first, n[1].second, neutral);
    EXPECT_FALSE(city->IsBesieged()); // a unit not at war with the holder
    EXPECT_TRUE(city->IsFullyEnclosed());
}

TEST_F(cCityOnTheMap, FreeHexForACountryAndItsAllies)
{
    EXPECT_EQ(city->FindFreeHexFor(ally), std::make_pair(2, 2));
    units.Put(2, 2, us);
    EXPECT_EQ(city->FindFreeHexFor(us), std::make_pair(-1, -1)); // all neighbours sea
    std::pair<int, int> n;
    GetNeighbourCoords(2, 2, 4, n);
    w.Land(n.first, n.second, neutral);
    EXPECT_EQ(city->FindFreeHexFor(us), std::make_pair(-1, -1));
    GetNeighbourCoords(2, 2, 5, n);
    w.Land(n.first, n.second, ally);
    EXPECT_EQ(city->FindFreeHexFor(us), n);
    EXPECT_EQ(city->FindFreeHexFor(enemy), std::make_pair(-1, -1));
    city->X = 7; // off the map
    EXPECT_EQ(city->FindFreeHexFor(us), std::make_pair(-1, -1));
    city->X = 2;
}

TEST_F(cCityOnTheMap, SeaNodeOfACityWithoutOneIsFatal)
{
    w.AddSeaNode(3, 2, 2);
    EXPECT_EQ(city->GetSeaNodeId(), 1);
    cMiasto* other = w.AddCity(L"Inland", 0, 0, CITY_NORMAL, us);
    try
    {
        other->GetSeaNodeId();
        ADD_FAILURE() << "no sea node accepted";
    }
    catch (const sFatalExit& e)
    {
        EXPECT_EQ(e.code, 1);
    }
}
