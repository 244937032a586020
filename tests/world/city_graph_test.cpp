#include <gtest/gtest.h>

#include "tests/test_support.h"
#include "tests/world/world_fixture.h"

using namespace testing_support;

class cCityGraph : public ::testing::Test
{
protected:
    void SetUp() override
    {
        us = w.AddCountry(1);
        ally = w.AddCountry(4);
        other = w.AddCountry(2);
        a = w.AddCity(L"A", 0, 0, CITY_SUPPLY, us);
        b = w.AddCity(L"B", 2, 0, CITY_NORMAL, ally);
        c = w.AddCity(L"C", 4, 0, CITY_NORMAL, us);
        d = w.AddCity(L"D", 2, 2, CITY_NORMAL, other);
        e = w.AddCity(L"E", 4, 2, CITY_NORMAL, us);
        res = w.AddCity(L"Res", 6, 6, CITY_RESOURCES, us);
        island = w.AddCity(L"Island", 6, 4, CITY_NORMAL, us);
        dir = MakeScratchDir("diagram");
        w.cityGraph.Build(w.cities);
    }
    void Load(const std::string& text)
    {
        WriteFile(dir / "cities_diagram.csv", text);
        w.cityGraph.LoadFile(FolderOf(dir) + L"/cities_diagram.csv");
        for (cMiasto* city : w.cities)
            if (city->Type != CITY_RESOURCES)
                city->ComputeGraphDistances();
    }
    cTestWorld w{8, 8};
    int us = 0, ally = 0, other = 0;
    cMiasto *a = nullptr, *b = nullptr, *c = nullptr, *d = nullptr, *e = nullptr, *res = nullptr, *island = nullptr;
    std::filesystem::path dir;
};

TEST_F(cCityGraph, DistancesFollowLandLinksInTheirDirection)
{
    Load("# from;to;value\n"
         "0;0;2;0;0\n"
         "2;0;4;0;0\n"
         "\n"
         "0;0;2;2;0\n"
         "2;2;4;2;0\n"
         "4;2;6;4;1\n"
         "6;6;0;0;0\n"); // from a resources city: nothing, no error
    EXPECT_EQ(res->GraphIndex, -1);
    EXPECT_EQ(a->GetGraphDistanceTo(*a), 0);
    EXPECT_EQ(a->GetGraphDistanceTo(*b), 1);
    EXPECT_EQ(a->GetGraphDistanceTo(*c), 2);
    EXPECT_EQ(a->GetGraphDistanceTo(*e), 2);
    EXPECT_EQ(c->GetGraphDistanceTo(*a), -1); // links are directed
    EXPECT_EQ(a->GetGraphDistanceTo(*island), -1); // only a value-1 link leads there
    EXPECT_TRUE(res->GraphDistances.empty());
    EXPECT_TRUE(w.cityGraph.HasLinkToAlliedCity(e->GraphIndex, ally));
    EXPECT_FALSE(w.cityGraph.HasLinkToAlliedCity(a->GraphIndex, ally));
    EXPECT_FALSE(w.cityGraph.HasLinkToAlliedCity(99, ally));
}

TEST_F(cCityGraph, RoutesPassOnlyFriendlyCities)
{
    Load("0;0;2;0;0\n2;0;4;0;0\n0;0;2;2;0\n2;2;4;2;0\n4;0;4;2;0\n");
    std::list<cMiasto*> route;
    ASSERT_TRUE(w.cityGraph.FindRoute(a, c, us, route));
    EXPECT_EQ(route, (std::list<cMiasto*>{c, b}));
    // E is two hops away through D (held by another side) but the friendly way is three.
    ASSERT_TRUE(w.cityGraph.FindRoute(a, e, us, route));
    EXPECT_EQ(route, (std::list<cMiasto*>{e, c, b}));
    EXPECT_EQ(a->GetGraphDistanceTo(*e), 2);
    w.Hex(4, 0).controller = uint8_t(other);
    EXPECT_FALSE(w.cityGraph.FindRoute(a, e, us, route));
    EXPECT_TRUE(route.empty());
    EXPECT_FALSE(w.cityGraph.FindRoute(a, a, us, route));
    EXPECT_FALSE(w.cityGraph.FindRoute(d, e, us, route)); // the start is not held by a friend
    EXPECT_FALSE(w.cityGraph.FindRoute(a, island, us, route));
}

TEST_F(cCityGraph, BadLinesEndTheProgramOrAreReported)
{
    LoadGameTexts();
    ClearLog();
    EXPECT_THROW(Load("#\n\n0;0;3;0;0\n"), sFatalExit); // no city at (3, 0)
    EXPECT_TRUE(LogContains(FolderOf(dir) +
                            L"/cities_diagram.csv: Critical error at line 3: there is no city at the given coordinates."));
    EXPECT_THROW(Load("0;0;-1;0;0\n"), sFatalExit); // outside the map: never the hex (0, 0)
    EXPECT_THROW(Load("0;0;6;6;0\n"), sFatalExit);  // to a resources city
    ClearLog();
    Load("0;0;2;0;0\n2;0;4\n"); // a missing field keeps its value of the line before: to (4, 0), value 0
    EXPECT_FALSE(LogContains(L"WARNING"));
    EXPECT_EQ(a->GetGraphDistanceTo(*c), 2);
    EXPECT_THROW(w.cityGraph.LoadFile(FolderOf(dir) + L"/missing.csv"), sFatalExit);
}
