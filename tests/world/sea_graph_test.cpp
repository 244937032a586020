#include <gtest/gtest.h>

#include <deque>

#include "core/random.h"
#include "platform/paths.h"
#include "tests/test_support.h"
#include "tests/world/world_fixture.h"
#include "units/naval_unit.h"

using namespace testing_support;

namespace {
// The search exactly as the rule reads: a node is admitted again by every parent of the
// level before it, so the queue grows with the number of shortest routes.
bool ReferencePath(cGrafMorz& g, int from, int to, int country, bool strict, std::list<int>& path)
{
    path.clear();
    for (auto& n : g.Nodes)
    {
        n.Distance = -1;
        n.Predecessor = -1;
    }
    g.GetNode(from)->Distance = 0;
    g.GetNode(from)->Predecessor = 0;
    std::vector<int> queue{from};
    for (size_t i = 0; i < queue.size(); ++i)
    {
        sWezelGrafuMorz& n = *g.GetNode(queue[i]);
        for (const sLukGrafuMorz& e : n.Edges)
        {
            const bool usable = e.ControlX == -1 || WorldMap()->GetHex(e.ControlX, e.ControlY)->IsControlledByFriend(country);
            if (!usable)
                continue;
            sWezelGrafuMorz& x = *g.GetNode(e.Target);
            if (x.Distance != -1 && x.Distance <= n.Distance)
                continue;
            bool ok = x.Kind == SEA_NODE_SEA;
            if (!ok)
            {
                const sHex* h = WorldMap()->GetHex(x.MainX, x.MainY);
                ok = strict ? h->IsControlledByFriend(country)
                            : (h->controller == 0 || !WorldRelations()->IsAtWar(country, h->controller));
            }
            if (!ok)
                continue;
            x.Predecessor = n.ID;
            x.Distance = n.Distance + 1;
            queue.push_back(x.ID);
        }
    }
    if (g.GetNode(to)->Distance == -1)
        return false;
    for (int id = to;; id = g.GetNode(id)->Predecessor)
    {
        path.push_back(id);
        if (id == from)
            break;
    }
    return true;
}

// A grid of sea zones, each joined to its four neighbours (in a shuffled edge order).
void BuildGrid(cTestWorld& w, int n)
{
    for (int i = 0; i < n * n; ++i)
        w.AddSeaNode();
    for (int y = 0; y < n; ++y)
        for (int x = 0; x < n; ++x)
        {
            const int id = y * n + x + 1;
            std::vector<int> targets;
            if (x + 1 < n) targets.push_back(id + 1);
            if (x > 0) targets.push_back(id - 1);
            if (y + 1 < n) targets.push_back(id + n);
            if (y > 0) targets.push_back(id - n);
            for (size_t k = targets.size(); k > 1; --k)
                std::swap(targets[k - 1], targets[size_t(RandomInt(0, int(k) - 1))]);
            for (int t : targets)
                w.Edge(id, t);
        }
}
} // namespace

TEST(SeaGraph, TieGoesToTheLastNodeOfTheNearestLevel)
{
    cTestWorld w(4, 4);
    w.AddCountry(1);
    for (int i = 0; i < 4; ++i)
        w.AddSeaNode();
    // 1 -> 2 -> 4 and 1 -> 3 -> 4: node 3 is queued after node 2.
    w.Edge(1, 2);
    w.Edge(1, 3);
    w.Edge(2, 4);
    w.Edge(3, 4);
    std::list<int> path;
    ASSERT_TRUE(w.sea.FindPath(1, 4, 1, false, path));
    EXPECT_EQ(path, (std::list<int>{4, 3, 1}));
    w.sea.Nodes[0].Edges.reverse();
    ASSERT_TRUE(w.sea.FindPath(1, 4, 1, false, path));
    EXPECT_EQ(path, (std::list<int>{4, 2, 1}));
    ASSERT_TRUE(w.sea.FindPath(2, 2, 1, false, path));
    EXPECT_EQ(path, (std::list<int>{2}));
    EXPECT_FALSE(w.sea.FindPath(4, 1, 1, false, path));
    EXPECT_TRUE(path.empty());
    EXPECT_FALSE(w.sea.FindPath(1, 9, 1, false, path));
}

TEST(SeaGraph, SearchAgreesWithTheRuleAsWrittenOnGridsAndRandomSeas)
{
    SeedRandom(1234);
    for (int n = 2; n <= 6; ++n)
    {
        cTestWorld w(2, 2);
        w.AddCountry(1);
        BuildGrid(w, n);
        for (int to = 1; to <= n * n; ++to)
        {
            std::list<int> fast, slow;
            ASSERT_EQ(w.sea.FindPath(1, to, 1, false, fast), ReferencePath(w.sea, 1, to, 1, false, slow));
            EXPECT_EQ(fast, slow) << "grid " << n << " to " << to;
        }
    }
    // Random seas with ports of three holders, straits, duplicate edges and dead ends.
    for (int round = 0; round < 60; ++round)
    {
        cTestWorld w(6, 6);
        const int us = w.AddCountry(1);
        const int enemy = w.AddCountry(2);
        const int neutral = w.AddCountry(0);
        w.War(us, enemy);
        const int holders[3] = {us, enemy, neutral};
        for (int y = 0; y < 6; ++y)
            for (int x = 0; x < 6; ++x)
                w.Land(x, y, holders[(x + y * 6) % 3]);
        const int count = RandomInt(2, 14);
        for (int i = 0; i < count; ++i)
        {
            const bool port = RandomInt(0, 3) == 0;
            w.AddSeaNode(port ? 3 : 0, RandomInt(0, 5), RandomInt(0, 5));
        }
        const int edges = RandomInt(0, count * 4);
        for (int e = 0; e < edges; ++e)
        {
            const bool strait = RandomInt(0, 4) == 0;
            w.Edge(RandomInt(1, count), RandomInt(1, count), strait ? RandomInt(0, 5) : -1, strait ? RandomInt(0, 5) : -1);
        }
        for (int from = 1; from <= count; ++from)
            for (int to = 1; to <= count; ++to)
                for (bool strict : {false, true})
                {
                    std::list<int> fast, slow;
                    const bool a = w.sea.FindPath(from, to, us, strict, fast);
                    std::vector<int> dist;
                    for (auto& node : w.sea.Nodes)
                        dist.push_back(node.Distance);
                    const bool b = ReferencePath(w.sea, from, to, us, strict, slow);
                    ASSERT_EQ(a, b);
                    ASSERT_EQ(fast, slow) << "round " << round << " " << from << "->" << to;
                    for (auto& node : w.sea.Nodes)
                        ASSERT_EQ(dist[size_t(node.ID - 1)], node.Distance);
                }
    }
}

TEST(SeaGraph, SearchStaysLinearOnALargeGrid)
{
    cTestWorld w(2, 2);
    w.AddCountry(1);
    SeedRandom(7);
    BuildGrid(w, 120); // the rule as written would queue more entries than there are atoms
    std::list<int> path;
    // A search that is not linear never ends here; the test's timeout catches it.
    for (int i = 0; i < 5; ++i)
        ASSERT_TRUE(w.sea.FindPath(1, 120 * 120, 1, false, path));
    EXPECT_EQ(path.size(), size_t(2 * 119 + 1));
}

TEST(SeaGraph, PortsAndStraitsDecideWhoMayPass)
{
    cTestWorld w(4, 4);
    const int us = w.AddCountry(1);
    const int ally = w.AddCountry(4);
    const int enemy = w.AddCountry(2);
    const int neutral = w.AddCountry(0);
    w.War(us, enemy);
    w.Land(1, 1, neutral);
    w.Land(2, 2, enemy);
    w.Land(3, 3, ally);
    w.AddSeaNode();              // 1
    w.AddSeaNode(4, 1, 1);       // 2: a neutral port
    w.AddSeaNode();              // 3
    w.AddSeaNode(2, 2, 2);       // 4: an enemy port
    w.Edge(1, 2);
    w.Edge(2, 3);
    w.Edge(1, 4);
    w.Edge(4, 3);
    std::list<int> path;
    EXPECT_TRUE(w.sea.FindPath(1, 3, us, false, path));
    EXPECT_EQ(path, (std::list<int>{3, 2, 1}));
    EXPECT_FALSE(w.sea.FindPath(1, 3, us, true, path));

    // A strait held by a neutral blocks all but the neutral and its allies.
    w.AddSeaNode();              // 5
    w.Edge(3, 5, 1, 1);
    EXPECT_FALSE(w.sea.CanPass(3, 5, us));
    EXPECT_TRUE(w.sea.CanPass(3, 5, neutral));
    w.Edge(3, 5, 3, 3);          // a second edge, held by an ally
    EXPECT_TRUE(w.sea.CanPass(3, 5, us));
    EXPECT_FALSE(w.sea.CanPass(5, 3, us));
    EXPECT_EQ(w.sea.FindSeaNeighbour(1), -1); // only ports beside it
    EXPECT_EQ(w.sea.FindSeaNeighbour(2), 3);
    EXPECT_EQ(w.sea.FindNodeAtHex(2, 2), 4);
    EXPECT_EQ(w.sea.FindNodeAtHex(3, 2), -1);

    // A port whose hex lies off the map is held by nobody: never by the holder of the first hex.
    w.Land(0, 0, us);
    w.AddSeaNode(4, 9, 9);       // 6
    w.Edge(5, 6);
    EXPECT_FALSE(w.sea.FindPath(5, 6, us, false, path));
    EXPECT_FALSE(w.sea.FindPath(5, 6, us, true, path));
}

TEST(SeaGraph, NodesFileReadsWritesAndMarksTheMap)
{
    const auto dir = MakeScratchDir("seanodes");
    cTestWorld w(6, 6);
    w.AddCountry(1);
    w.AddCity(L"Harbour", 2, 2, CITY_PORT, 1);
    WriteFile(dir / "sea_nodes.csv", "#ID;Name\n"
                                     "1;North Sea;0;5;0;0;1;0;0;1\n"
                                     "2;-;5;3;2;2;2;3;3;2\n"
                                     "3;Shallow;4;0;4;4;9;9;4;5\n"
                                     "4;Far;0;0;-1;1;1;1;1;1\n"
                                     "short;row\n");
    ClearLog();
    w.sea.LoadNodes(PatternOf(dir));
    ASSERT_EQ(w.sea.NodeCount(), 4);
    EXPECT_TRUE(LogContains(L"WARNING. Main hex for sea node Far (ID=4) is placed outside the map!"));
    w.sea.Nodes.pop_back();
    EXPECT_EQ(w.sea.Nodes[0].Kind, SEA_NODE_SEA);
    EXPECT_EQ(w.sea.Nodes[0].SizeCurrent, 0);
    EXPECT_EQ(w.sea.Nodes[1].Name, L"Harbour");
    EXPECT_EQ(w.sea.Nodes[1].Kind, SEA_NODE_PORT);
    EXPECT_EQ(w.sea.Nodes[1].SizeCurrent, 3);
    EXPECT_EQ(w.sea.Nodes[2].Kind, SEA_NODE_SEA); // a port of current size 0 is crossed like sea
    EXPECT_EQ(w.Hex(2, 2).seaNodeDisplay, 2);
    EXPECT_EQ(w.Hex(2, 3).seaZone, 2); // the display hexes of a port carry its zone
    EXPECT_EQ(w.Hex(2, 2).seaZone, 0); // the port city's own hex keeps what the map gave it
    EXPECT_TRUE(LogContains(L"WARNING. Player unit in sea node Shallow (ID=3) is placed outside the map!"));
    EXPECT_TRUE(LogContains(L"WARNING: 2 fields instead of 10 in " + FolderOf(dir) +
                            L"/sea_nodes.csv at line 6, line skipped"));
    // A hex in letters refuses the file: a typo never lands on the first hex.
    {
        const auto typo = MakeScratchDir("seanodes_typo");
        WriteFile(typo / "sea_nodes.csv", "#ID;Name\n1;Typo;0;0;a;1;1;1;1;1\n");
        cTestWorld t(6, 6);
        try {
            t.sea.LoadNodes(PatternOf(typo));
            ADD_FAILURE() << "a hex in letters was read";
        } catch (const sFatalExit& e) {
            EXPECT_EQ(e.reason, FolderOf(typo) + L"/sea_nodes.csv, line 2, column 5 (Hex X (city hex X for ports)): "
                                                 L"\"a\" is not a whole number");
        }
        EXPECT_NE(t.Hex(0, 1).seaNodeDisplay, 1);
    }

    const auto out = MakeScratchDir("seanodes_out");
    w.sea.SaveNodes(FolderOf(out));
    auto text = ReadWholeFile(out / "sea_nodes.csv");
    ASSERT_TRUE(text);
    EXPECT_NE(text->find("\r\n2;Harbour;5;3;2;2;2;3;3;2;"), std::string::npos);
    cTestWorld v(6, 6);
    v.AddCountry(1);
    v.AddCity(L"Harbour", 2, 2, CITY_PORT, 1);
    v.sea.LoadNodes(PatternOf(out));
    ASSERT_EQ(v.sea.NodeCount(), 3);
    for (int i = 0; i < 3; ++i)
    {
        EXPECT_EQ(v.sea.Nodes[size_t(i)].Name, w.sea.Nodes[size_t(i)].Name);
        EXPECT_EQ(v.sea.Nodes[size_t(i)].SizeCurrent, w.sea.Nodes[size_t(i)].SizeCurrent);
        EXPECT_EQ(v.sea.Nodes[size_t(i)].EnemyShipsY, w.sea.Nodes[size_t(i)].EnemyShipsY);
    }

    // Sizes from 0 to 10 are kept; others are told and taken into 0 to 10, the current never above the most.
    struct sSizes
    {
        const char* sizes;
        int max, current;
        bool told;
    };
    for (const sSizes& c : {sSizes{"0;0", 0, 0, false}, sSizes{"10;10", 10, 10, false}, sSizes{"4;9", 4, 4, false},
                            sSizes{"11;3", 10, 3, true}, sSizes{"-1;2", 0, 0, true}, sSizes{"5;-2", 5, 0, true}})
    {
        cTestWorld u(6, 6);
        WriteFile(dir / "sea_nodes.csv", std::string("1;A;") + c.sizes + ";0;0;0;0;0;0\n");
        ClearLog();
        u.sea.LoadNodes(PatternOf(dir));
        EXPECT_EQ(u.sea.Nodes[0].SizeMax, c.max) << c.sizes;
        EXPECT_EQ(u.sea.Nodes[0].SizeCurrent, c.current) << c.sizes;
        EXPECT_EQ(CountLogLinesStartingWith(L"WARNING: " + FolderOf(dir) + L"/sea_nodes.csv, line 1, column "),
                  c.told ? 1 : 0)
            << c.sizes;
    }

    // A save keeps the kind whatever the size (a port bombed down to 0 stays a port), and the
    // shown ship by its id, 0 too.
    cTestWorld u(6, 6);
    cJednostkaMorska ship;
    ship.m_Id = 0;
    u.fleets.push_back(new cFlota());
    u.fleets.back()->ships.push_back(&ship);
    std::string counts;
    for (int t = 0; t < 18; ++t)
        counts += "0;";
    WriteFile(dir / "sea_nodes.csv", "1;A;5;0;0;0;0;0;0;0;" + counts + std::to_string(SEA_NODE_PORT) + ";-1;-1;\n" +
                                         "2;B;5;5;0;0;0;0;0;0;" + counts + std::to_string(SEA_NODE_SEA) + ";0;-1;\n");
    u.sea.LoadNodes(PatternOf(dir));
    EXPECT_EQ(u.sea.Nodes[0].Kind, SEA_NODE_PORT);
    EXPECT_EQ(u.sea.Nodes[1].Kind, SEA_NODE_SEA);
    EXPECT_EQ(u.sea.Nodes[1].ShownOwnShip, &ship);
    EXPECT_EQ(u.sea.Nodes[1].ShownEnemyShip, nullptr);
    u.fleets.back()->ships.clear();
}

TEST(SeaGraph, NodeIdsOutOfSequenceAndPortsWithoutNodesAreFatal)
{
    const auto dir = MakeScratchDir("seanodes_bad");
    cTestWorld w(6, 6);
    w.AddCountry(1);
    WriteFile(dir / "sea_nodes.csv", "1;A;0;0;0;0;0;0;0;0\n3;B;0;0;0;0;0;0;0;0\n");
    try
    {
        w.sea.LoadNodes(PatternOf(dir));
        FAIL();
    }
    catch (const sFatalExit& e)
    {
        EXPECT_EQ(e.code, 1); // never 0: a failure is never reported as success
        EXPECT_EQ(e.reason, FolderOf(dir) + L"/sea_nodes.csv, line 2: ERROR. Sea node 2 has ID=3 (should be equal!)");
    }
    // Sixty fields are two rows of a save run together.
    std::string joined = "1;A";
    for (int f = 2; f < 60; ++f)
        joined += ";0";
    WriteFile(dir / "sea_nodes.csv", joined + "\n");
    EXPECT_THROW(w.sea.LoadNodes(PatternOf(dir)), sFatalExit);
    w.AddCity(L"Dry dock", 4, 4, CITY_SUPPLY_PORT, 1);
    WriteFile(dir / "sea_nodes.csv", "1;A;0;0;0;0;0;0;0;0\n");
    ClearLog();
    EXPECT_THROW(w.sea.LoadNodes(PatternOf(dir)), sFatalExit);
    EXPECT_TRUE(LogContains(L"ERROR. There is no sea node for port city Dry dock (4, 4)"));
}

TEST(SeaGraph, EdgesFileSkipsLinesNamingMissingNodesOrHexes)
{
    const auto dir = MakeScratchDir("seaedges");
    cTestWorld w(4, 4);
    w.AddCountry(1);
    for (int i = 0; i < 3; ++i)
        w.AddSeaNode();
    // A comment longer than any line buffer is one line.
    WriteFile(dir / "sea_edges.csv", "#from;to;x;y" + std::string(600, '-') +
                                         "\n"
                                         "1;2;-1;-1\n"
                                     "2;3;1;1\n"
                                     "3;9;-1;-1\n"
                                     "0;1;-1;-1\n"
                                     "1;3;7;7\n"
                                     "1;3;;\n"
                                     "3;2;-1\n");
    ClearLog();
    w.sea.LoadEdgesFile(FolderOf(dir) + L"/sea_edges.csv");
    EXPECT_EQ(w.sea.Nodes[0].Edges.size(), 1u);
    EXPECT_EQ(w.sea.Nodes[1].Edges.size(), 1u);
    EXPECT_EQ(w.sea.Nodes[1].Edges.front().ControlX, 1);
    // A field a line leaves out keeps its value of the line before: 3 -> 2, free.
    ASSERT_EQ(w.sea.Nodes[2].Edges.size(), 1u);
    EXPECT_EQ(w.sea.Nodes[2].Edges.front().Target, 2);
    EXPECT_EQ(w.sea.Nodes[2].Edges.front().ControlX, -1);
    const std::wstring path = FolderOf(dir) + L"/sea_edges.csv";
    EXPECT_TRUE(LogContains(L"ERROR: edge 3 -> 9 names a sea node that does not exist (1 to 3) in " + path +
                            L" at line 4, line skipped"));
    EXPECT_TRUE(LogContains(L"ERROR: edge 1 -> 3 is held by hex (7, 7) outside the map in " + path +
                            L" at line 6, line skipped"));
    EXPECT_TRUE(LogContains(L"ERROR: edge 1 -> 3 is held by hex (7, 7) outside the map in " + path +
                            L" at line 7, line skipped")); // the hex of the line before
    // A hex or a node in letters refuses the file.
    for (const auto& [line, told] : {std::pair{"2;1;b;1", L"column 3 (Controlling hex X (-1 = free)): \"b\" is not a "
                                                          L"whole number"},
                                     {"x;1;-1;-1", L"column 1 (From sea node ID): \"x\" is not a whole number"}}) {
        WriteFile(dir / "sea_edges.csv", std::string("#from;to;x;y\n") + line + "\n");
        try {
            w.sea.LoadEdgesFile(path);
            ADD_FAILURE() << line << " was read";
        } catch (const sFatalExit& e) {
            EXPECT_EQ(e.reason, path + L", line 2, " + told);
        }
    }
    EXPECT_THROW(w.sea.LoadEdgesFile(FolderOf(dir) + L"/none.csv"), sFatalExit);
}
