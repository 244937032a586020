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
        south = w.AddCity(L"South", 0, 9, CITY_NORMAL, us);
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
    cTestWorld w{8, 10}; // taller than wide: a row below the last column is still on the map
    int us = 0, ally = 0, other = 0;
    cMiasto *a = nullptr, *b = nullptr, *c = nullptr, *d = nullptr, *e = nullptr, *res = nullptr, *island = nullptr, *south = nullptr;
    std::filesystem::path dir;
};

TEST_F(cCityGraph, DistancesFollowLandLinksInTheirDirection)
{
    // A comment longer than any line buffer is one line; a link of another kind than 0 and 1
    // (A to Island) is kept and never followed.
    Load("# from;to;value" + std::string(600, '-') +
         "\n"
         "0;0;2;0;0\n"
         "2;0;4;0;0\n"
         "\n"
         "0;0;2;2;0\n"
         "2;2;4;2;0\n"
         "4;2;6;4;1\n"
         "0;0;6;4;7\n"
         "6;6;0;0;0\n"); // from a resources city: nothing, no error
    EXPECT_EQ(w.cityGraph.Nodes[size_t(a->GraphIndex)].Links.back().Value, 7);
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
    EXPECT_FALSE(w.cityGraph.HasLinkToAlliedCity(int(w.cityGraph.Nodes.size()), ally));

    // The computer opponent's search fields start each search from nothing.
    sWezelDiagramuMiast& node = w.cityGraph.Nodes[0];
    node.Mark = node.Visited = 1;
    node.OurLand = node.OwnLand = node.EnemyLand = 1.0f;
    node.OurAirCount = node.OwnAirCount = node.EnemyAirCount = node.OwnUnitCount = 1;
    node.OurAirStrength = node.OwnAirStrength = node.EnemyAirStrength = 1;
    w.cityGraph.ResetSearchFields();
    for (const float v : {float(node.Mark), float(node.Visited), node.OurLand, node.OwnLand, node.EnemyLand,
                          float(node.OurAirCount), float(node.OwnAirCount), float(node.EnemyAirCount),
                          float(node.OwnUnitCount), float(node.OurAirStrength), float(node.OwnAirStrength),
                          float(node.EnemyAirStrength)})
        EXPECT_EQ(v, 0.0f);
}

TEST_F(cCityGraph, RoutesPassOnlyFriendlyCities)
{
    Load("0;0;2;0;0\n2;0;4;0;0\n0;0;2;2;0\n2;2;4;2;0\n4;0;4;2;0\n2;0;0;0;0\n");
    std::list<cMiasto*> route;
    ASSERT_TRUE(w.cityGraph.FindRoute(b, a, us, route)); // to the first city of the graph
    EXPECT_EQ(route, (std::list<cMiasto*>{a}));
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
    // Each bad line ends the program with code 1.
    for (const char* text : {"#\n\n2;0;3;0;0\n", // no city at (3, 0)
                             "0;0;-1;0;0\n",       // outside the map: never the hex (0, 0)
                             "0;0;6;6;0\n",        // to a resources city
                             "0;0;2;0;x\n"})       // a link that is no number
    {
        try
        {
            Load(text);
            ADD_FAILURE() << text;
        }
        catch (const sFatalExit& e)
        {
            EXPECT_EQ(e.code, 1) << text;
        }
    }
    EXPECT_TRUE(LogContains(FolderOf(dir) +
                            L"/cities_diagram.csv: Critical error at line 3: there is no city at the given coordinates."));
    EXPECT_TRUE(LogContains(FolderOf(dir) + L"/cities_diagram.csv: (2, 0) -> (3, 0)"));
    EXPECT_TRUE(LogContains(FolderOf(dir) + L"/cities_diagram.csv, line 1, column 5 (Link [0=land 1=sea]): \"x\" is not a "
                                            L"whole number"));
    ClearLog();
    // A missing field keeps its value of the line before: to (4, 0), value 0; a last line of
    // three characters, without its line end, is a link too.
    Load("0;0;2;0;0\n2;0;4\n0;9;2;2;0\n4;2");
    EXPECT_FALSE(LogContains(L"WARNING"));
    EXPECT_EQ(a->GetGraphDistanceTo(*c), 2);
    EXPECT_EQ(e->GetGraphDistanceTo(*d), 1);
    EXPECT_EQ(south->GetGraphDistanceTo(*d), 1);
    EXPECT_THROW(w.cityGraph.LoadFile(FolderOf(dir) + L"/missing.csv"), sFatalExit);
}
