#include <gtest/gtest.h>

#include "core/stringbase.h"
#include "platform/paths.h"
#include "tests/test_support.h"
#include "tests/world/world_fixture.h"

using namespace testing_support;

class cConvoys : public ::testing::Test
{
protected:
    void SetUp() override
    {
        us = w.AddCountry(1);
        ally = w.AddCountry(4);
        enemy = w.AddCountry(2);
        w.convoys.Resize(3);
        a = w.AddCity(L"A", 1, 1, CITY_PORT, us);
        b = w.AddCity(L"B", 3, 3, CITY_SUPPLY_PORT, us);
        c = w.AddCity(L"C", 5, 5, CITY_PORT, ally);
        inland = w.AddCity(L"Inland", 2, 5, CITY_NORMAL, us);
        w.AddSeaNode();               // 1
        w.AddSeaNode(4, 1, 1).OwnShipsX = 0; // 2: port of A
        w.AddSeaNode(2, 3, 3);        // 3: port of B
        w.AddSeaNode(6, 5, 5);        // 4: port of C
        w.AddSeaNode(0, 2, 5);        // 5: a sea node over an inland city
        for (cMiasto* city : w.cities)
            city->ResizeCountryTables(3);
        g_World.consts.maxSupply = 10;
    }
    cTestWorld w{7, 7};
    int us = 0, ally = 0, enemy = 0;
    cMiasto *a = nullptr, *b = nullptr, *c = nullptr, *inland = nullptr;
};

TEST_F(cConvoys, CreatingFindingAndRemoving)
{
    b->SupplyByCountry[size_t(us - 1)] = 4;
    EXPECT_EQ(w.convoys.CreateSupplyConvoy(a, b, us), 1);
    const sKonwoj& first = w.convoys.Convoys[size_t(us - 1)].front();
    EXPECT_EQ(first.value, 6);
    EXPECT_EQ(first.portSize, 4);
    b->SupplyByCountry[size_t(us - 1)] = 10;
    ClearLog();
    EXPECT_EQ(w.convoys.CreateSupplyConvoy(a, b, us), 2);
    EXPECT_EQ(w.convoys.Convoys[size_t(us - 1)].back().value, 0);
    EXPECT_TRUE(LogContains(L"Znowu k*wa jakis konwoj z wartoscia <= 0"));
    EXPECT_EQ(w.convoys.CreateSupplyConvoy(a, inland, us), -1);
    EXPECT_EQ(w.nextConvoyId, 2);

    EXPECT_EQ(w.convoys.CreateConvoyBySeaNodes(2, 4, us), 3);
    EXPECT_EQ(w.convoys.CreateConvoyBySeaNodes(9, 4, us), -1);
    EXPECT_TRUE(LogContains(L"ERROR: New convoy has departure sea node with ID=9, there's no such sea node!"));
    EXPECT_EQ(w.convoys.CreateConvoyBySeaNodes(2, 9, us), -1);
    EXPECT_TRUE(LogContains(L"ERROR: New convoy has destination sea node with ID=9, there's no such sea node!"));
    EXPECT_EQ(w.convoys.CreateConvoyBySeaNodes(2, 1, us), -1);
    EXPECT_TRUE(LogContains(
        L"ERROR: New convoy has destination sea node with ID=1, there's no port city for this sea node!"));
    EXPECT_EQ(w.convoys.CreateConvoyBySeaNodes(5, 2, us), -1); // a city, but not a port
    EXPECT_EQ(w.convoys.CreateConvoyBySeaNodes(2, 3, 9), -1);  // no such owner

    EXPECT_EQ(w.convoys.AddConvoy(us, CONVOY_PP, 25, 1, 1, 2, 5), 4); // no port test
    EXPECT_EQ(w.convoys.AddConvoy(us, CONVOY_PP, 25, 0, 0, 2, 5), -1);
    w.AddCity(L"Dry", 6, 1, CITY_NORMAL, us); // on no sea node: a save could not name it
    EXPECT_EQ(w.convoys.AddConvoy(us, CONVOY_PP, 25, 1, 1, 6, 1), -1);
    EXPECT_EQ(w.convoys.AddConvoy(us, CONVOY_PP, 25, 6, 1, 1, 1), -1);
    EXPECT_TRUE(LogContains(L"ERROR: New convoy of country 1 from (6, 1) to (1, 1): a city there lies on no sea node!"));
    EXPECT_TRUE(w.convoys.HasConvoyTo(c, us));
    EXPECT_FALSE(w.convoys.HasConvoyTo(c, ally));

    w.convoys.RemoveConvoy(us, CONVOY_SUPPLIES, 0, 0, 3, 3); // no city at the departure
    EXPECT_EQ(w.convoys.Convoys[size_t(us - 1)].size(), 4u);
    w.convoys.RemoveConvoy(us, CONVOY_SUPPLIES, 1, 1, 3, 3); // both supply convoys A -> B
    EXPECT_EQ(w.convoys.Convoys[size_t(us - 1)].size(), 2u);
    w.convoys.RemoveFirstConvoyOfCountry(us);
    ASSERT_EQ(w.convoys.Convoys[size_t(us - 1)].size(), 1u);
    EXPECT_EQ(w.convoys.Convoys[size_t(us - 1)].front().id, 4);

    // The last country's convoys are kept like the others'.
    EXPECT_EQ(w.convoys.AddConvoy(enemy, CONVOY_PP, 5, 1, 1, 3, 3), 5);
    EXPECT_TRUE(w.convoys.HasConvoyTo(b, enemy));

    // A port one below the maximum still takes one.
    b->SupplyByCountry[size_t(us - 1)] = 9;
    EXPECT_EQ(w.convoys.CreateSupplyConvoy(a, b, us), 6);
    EXPECT_EQ(w.convoys.Convoys[size_t(us - 1)].back().value, 1);
    // A port node whose main hex lies off the map is no port, though hex (0, 0) holds one.
    w.AddCity(L"Corner", 0, 0, CITY_PORT, us);
    w.AddSeaNode(3, 7, 0); // 6
    EXPECT_EQ(w.convoys.CreateConvoyBySeaNodes(2, 6, us), -1);
    EXPECT_FALSE(w.convoys.MayTakePort(us, 0, 6, nullptr));
}

TEST_F(cConvoys, PortsAreHighlightedForThePlayer)
{
    // Every port lies on the open sea of node 1; C's way there passes a strait at (6, 0).
    w.TwoWay(1, 2);
    w.TwoWay(1, 3);
    w.Edge(1, 4, 6, 0);
    w.Edge(4, 1, 6, 0);
    w.Land(6, 0, ally);
    w.map->GetHex(6, 6)->SetMark(0x4000, -1);
    w.convoys.HighlightOwnPortsForConvoy(us);
    EXPECT_EQ(w.Hex(6, 6).marks, 0u);
    EXPECT_TRUE(w.Hex(0, 1).marks & 0x8000); // A's own-ships hex
    EXPECT_TRUE(w.Hex(3, 3).marks & 0x8000);
    EXPECT_FALSE(w.Hex(5, 5).marks & 0x8000);
    EXPECT_FALSE(w.convoys.MayTakePort(us, 0, 4, nullptr)); // the ally's
    w.convoys.HighlightAlliedPortsForConvoy(us, 3);
    EXPECT_FALSE(w.Hex(3, 3).marks & 0x8000); // excluded
    EXPECT_TRUE(w.Hex(5, 5).marks & 0x8000);
    EXPECT_TRUE(w.Hex(0, 1).marks & 0x8000);

    // A port held by the enemy is no destination; one behind a strait the enemy holds is, its
    // convoy sailing once the strait is friendly again.
    w.Land(6, 0, enemy);
    w.Land(1, 1, enemy);
    w.convoys.HighlightAlliedPortsForConvoy(us, 3);
    EXPECT_TRUE(w.Hex(5, 5).marks & 0x8000);
    EXPECT_FALSE(w.Hex(0, 1).marks & 0x8000);
    for (int port : {2, 3})
        EXPECT_FALSE(w.convoys.MayTakePort(us, 3, port, nullptr)) << port;
    // Each refusal says why, with the ports by their cities' names.
    LoadGameTexts();
    std::wstring why;
    EXPECT_FALSE(w.convoys.MayTakePort(us, 3, 3, &why));
    EXPECT_EQ(why, LangFormat("convoy_destination_refused_same_port_%s", b->Name));
    EXPECT_FALSE(w.convoys.MayTakePort(us, 3, 2, &why));
    EXPECT_EQ(why, LangFormat("convoy_destination_refused_%s_held_by_%s", a->Name,
                              w.countries[size_t(enemy - 1)]->Name));
    EXPECT_FALSE(w.convoys.MayTakePort(us, 0, 4, &why));
    EXPECT_EQ(why, LangFormat("convoy_departure_refused_%s", c->Name));
    EXPECT_FALSE(why.empty());
}

TEST_F(cConvoys, FileReadsBackAndBadRowsEndTheProgram)
{
    w.convoys.CreateConvoyBySeaNodes(2, 3, us);
    w.convoys.AddConvoy(ally, CONVOY_PP, 12, 5, 5, 1, 1);
    const auto out = MakeScratchDir("convoys");
    w.convoys.SaveConvoys(FolderOf(out));
    auto text = ReadWholeFile(out / "convoys.csv");
    ASSERT_TRUE(text);
    EXPECT_EQ(*text, "#Convoys\r\n#ID;Owner ID;Type [0=supplies 1=PP];Value (PP amount);Departure port ID;Destination "
                     "port ID;\r\n1;1;0;0;2;3;\r\n2;2;1;12;4;2;");
    cKonwoje again;
    again.LoadConvoys(PatternOf(out));
    ASSERT_EQ(again.Convoys.size(), 3u);
    ASSERT_EQ(again.Convoys[1].size(), 1u);
    EXPECT_EQ(again.Convoys[1][0].departure, c);
    EXPECT_EQ(again.Convoys[1][0].destination, a);
    EXPECT_EQ(again.Convoys[1][0].value, 12);
    EXPECT_EQ(again.Convoys[1][0].type, CONVOY_PP);
    EXPECT_EQ(w.nextConvoyId, 2); // reading keeps the file's ids and the counter

    const auto bad = MakeScratchDir("convoys_bad");
    WriteFile(bad / "convoys.csv", "#x\n1;1;0;0;2\n");
    cKonwoje skipped;
    ClearLog();
    skipped.LoadConvoys(PatternOf(bad));
    EXPECT_TRUE(skipped.Convoys[0].empty());
    EXPECT_TRUE(LogContains(L"WARNING: 5 fields instead of 6 in " + FolderOf(bad) + L"/convoys.csv at line 2, line skipped"));
    // The first node is a node like any other: refused only for want of a port.
    const std::pair<const char*, const wchar_t*> refusals[] = {
        {"7;1;0;0;2;9;", L"has destination sea node with ID=9, there's no such sea node!"},
        {"7;1;0;0;1;3;", L"has departure sea node with ID=1, there's no port city for this sea node!"},
        {"7;9;0;0;2;3;", L"belongs to country 9"},
        {"7;1;4;0;2;3;", L"has type 4"},
        {"7;0;0;0;2;3;", L"belongs to country 0"}};
    for (const auto& [row, reason] : refusals)
    {
        WriteFile(bad / "convoys.csv", std::string("#x\n") + row + "\n");
        try
        {
            skipped.LoadConvoys(PatternOf(bad));
            ADD_FAILURE() << row;
        }
        catch (const sFatalExit& e)
        {
            EXPECT_NE(e.reason.find(reason), std::wstring::npos) << row;
        }
    }
    EXPECT_TRUE(LogContains(FolderOf(bad) + L"/convoys.csv, line 2:"));

    // Hostile files: a number that is none, one out of range, a cut last row or an id given
    // twice ends the program.
    struct sRow
    {
        const char* text;
        int loaded; // -1: the program ends
        int value;
    };
    for (const sRow& row : {sRow{"7;1;0;nan;2;3;\n", -1, 0}, sRow{"nan;1;0;4;2;3;", -1, 0}, sRow{"7;1;0;4;2;3", 1, 4},
                            sRow{"7;1;0;;2;3;\n", 0, 0}, sRow{"7;1;0;99999999999;2;3;", -1, 0},
                            sRow{"7;1;0;-5;2;3;", -1, 0}, sRow{"7;-1;0;4;2;3;", -1, 0}, sRow{"7;1;0;4;2", -1, 0},
                            sRow{"7;1;0;4;2;3;\n7;2;0;5;4;2;", -1, 0},
                            sRow{"7;1;0;1000000;2;3;", 1, 1000000}, sRow{"7;1;0;1000001;2;3;", -1, 0},
                            sRow{"0;1;0;4;2;3;", 1, 4}, sRow{"-1;1;0;4;2;3;", -1, 0},
                            sRow{"99999999;1;0;4;2;3;", 1, 4}, sRow{"100000000;1;0;4;2;3;", -1, 0}})
    {
        WriteFile(bad / "convoys.csv", std::string("#x\n") + row.text);
        cKonwoje hostile;
        if (row.loaded < 0)
        {
            EXPECT_THROW(hostile.LoadConvoys(PatternOf(bad)), sFatalExit) << row.text;
            continue;
        }
        hostile.LoadConvoys(PatternOf(bad));
        ASSERT_EQ(int(hostile.Convoys[0].size()), row.loaded) << row.text;
        if (row.loaded > 0) {
            EXPECT_EQ(hostile.Convoys[0][0].value, row.value) << row.text;
        }
    }
}
