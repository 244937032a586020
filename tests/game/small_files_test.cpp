#include <gtest/gtest.h>

#include <filesystem>
#include <map>

#include "core/fatal.h"
#include "core/stringbase.h"
#include "game/game.h"
#include "platform/paths.h"
#include "tests/test_support.h"

namespace {

using testing_support::LogStartsWith;

TEST(Commanders, WrittenFileReadsBackTheSameAndBadRowsAreSkipped)
{
    std::vector<sDowodca*> commanders = {new sDowodca{1, L"Guderian", 5, 0, 4, 2, 2},
                                         new sDowodca{2, L"Göring", 5, 1, 1, 0, 0},
                                         new sDowodca{9, L"Cunningham", 4, 2, 3, 10, 1}};
    const std::string text = EncodeCommanders(commanders);
    EXPECT_EQ(text.substr(0, 13), "#Commanders\r\n");
    EXPECT_TRUE(text.ends_with("\r\n9;Cunningham;4;2;3;10;1;")); // no line end at the end

    std::vector<sDowodca*> back;
    testing_support::ClearLog();
    ReadCommanders(text, back);
    ASSERT_EQ(back.size(), 3u);
    for (size_t i = 0; i < 3; ++i)
        EXPECT_EQ(*back[i], *commanders[i]);
    EXPECT_TRUE(testing_support::LogContains(L"Added commander Göring (ID=2 CountryID=5)"));

    // An empty name drops a field and with it the row; too long a name or no country skips
    // the row with a log line; a type or state out of range refuses the table.
    const std::string longName(120, 'x');
    ReadCommanders("3;;5;0;1;1;0;\n4;" + longName + ";5;0;1;1;0;\n6;B;0;0;1;1;0;\n8;D;2;1;1;1;1;\n", back);
    ASSERT_EQ(back.size(), 1u);
    EXPECT_EQ(back[0]->ID, 8);
    EXPECT_TRUE(LogStartsWith(L"ERROR: commanders.csv, line 2:"));
    EXPECT_TRUE(LogStartsWith(L"ERROR: commanders.csv, line 3:"));
    for (const auto& [row, told] :
         {std::pair{"5;A;5;3;1;1;0;", L"commanders.csv, line 1, column 4 (Type [0=land 1=air 2=naval]): 3 is outside "
                                      L"0 to 2"},
          {"7;C;2;0;1;1;9;", L"commanders.csv, line 1, column 7 (State [0=not assigned 1=on his way to HQ 2=assigned]): "
                             L"9 is outside 0 to 2"}}) {
        try {
            ReadCommanders(row, back);
            ADD_FAILURE() << row << " was read";
        } catch (const sFatalExit& e) {
            EXPECT_EQ(e.reason, told);
        }
    }

    // The writer ends the file without a line end: a last commander without a name is still
    // a whole row, skipped as any other; one cut inside its fields is refused.
    commanders.push_back(new sDowodca{10, L"", 4, 0, 1, 1, 0});
    ReadCommanders(EncodeCommanders(commanders), back);
    EXPECT_EQ(back.size(), 3u);
    EXPECT_TRUE(LogStartsWith(L"ERROR: commanders.csv, line 6: a row of 6 fields, a commander has 7; row skipped"));
    EXPECT_THROW(ReadCommanders(text.substr(0, text.size() - 6), back), sFatalExit);

    // A commander of a country the game does not have is left out once the countries are in.
    back.push_back(new sDowodca{11, L"Nobody", 7, 0, 1, 1, 0});
    std::vector<const sDowodca*> forgotten;
    LeaveOutCommandersBeyond(6, back, [&](const sDowodca* c) { forgotten.push_back(c); });
    ASSERT_EQ(forgotten.size(), 1u);
    EXPECT_EQ(back.size(), 2u); // the two read before the cut
    EXPECT_TRUE(LogStartsWith(L"ERROR: commanders.csv: commander Nobody (ID=11) belongs to country 7; the game has 6"));
    for (auto* c : commanders)
        delete c;
    for (auto* c : back)
        delete c;
}

TEST(Commanders, GameLoadsAndSavesThem)
{
    std::filesystem::create_directories("data/save/C");
    WriteWholeFile("data/save/C/commanders.csv", "#c\n1;Montgomery;4;0;3;1;2;\n");
    cGra game(sGameLoadRequest::ForSave(L"C"), 1);
    game.LoadCommanders(sGameLoadRequest::ForSave(L"C"), game.m_Commanders);
    ASSERT_EQ(game.m_Commanders.size(), 1u);
    std::filesystem::create_directories("data/save/D");
    testing_support::ClearLog();
    WriteCommandersFile(game, L"data\\save\\D");
    EXPECT_TRUE(testing_support::LogHasInOrder(
        {L"Opening file for writing...", L"data\\save\\D\\commanders.csv", L"File opened OK"}));
    EXPECT_EQ(*ReadWholeFile("data/save/D/commanders.csv"),
              EncodeCommanders(game.m_Commanders));
    try {
        game.LoadCommanders(sGameLoadRequest::ForSave(L"Missing"), game.m_Commanders);
        FAIL();
    } catch (const sFatalExit& e) {
        EXPECT_EQ(e.code, 1);
    }
    EXPECT_TRUE(testing_support::LogContains(L"Blad otwarcia pliku! (nie istnieje?)"));
    EXPECT_THROW(WriteCommandersFile(game, L"data\\no such folder"), sFatalExit);
    EXPECT_TRUE(testing_support::LogContains(L"data\\no such folder\\commanders.csv could not be written"));
}

TEST(UnitNames, ColumnsNameTheirCountriesAndTheFileIsKeptByteForByte)
{
    const std::string text = "#names\r\n;;\r\nType;Default;;5;2;-4\r\n1;Infantry;Piechota;Infanterie;;X\r\n"
                             "\r\n18;Bad;a\r\n2;Armour;;Panzer;Tank\r\n3\r\n";
    std::filesystem::create_directories("data/save/U");
    WriteWholeFile("data/save/U/unit_names.csv", text);
    cGra game(sGameLoadRequest::ForSave(L"U"), 1);
    game.m_Countries.resize(3); // three countries; names only go through the setter
    std::map<std::pair<int, int>, std::wstring> names;
    testing_support::ClearLog();
    game.LoadUnitNames(sGameLoadRequest::ForSave(L"U"),
                       [&](int country, int type, const std::wstring& name) { names[{country, type}] = name; });
    const std::map<std::pair<int, int>, std::wstring> expected = {
        {{1, 0}, L"Piechota"}, {{2, 0}, L"Infantry"}, {{1, 1}, L"Armour"}, {{2, 1}, L"Tank"}};
    EXPECT_EQ(names, expected); // country 5 is beyond the three; -4 names none
    EXPECT_TRUE(LogStartsWith(L"ERROR: unit_names.csv, line 6: unit type 18"));
    EXPECT_TRUE(LogStartsWith(L"ERROR: unit_names.csv, line 8: a row needs"));
    std::filesystem::create_directories("data/save/U2");
    WriteUnitNamesFile(game, L"data\\save\\U2");
    EXPECT_EQ(*ReadWholeFile("data/save/U2/unit_names.csv"), text);
}

TEST(AutoEvents, PairsStayUniqueAndRoundTrip)
{
    cAutoEventsRepository repo;
    EXPECT_TRUE(repo.Add(5, 1));
    EXPECT_FALSE(repo.Add(5, 1));
    EXPECT_TRUE(repo.Add(5, 2));
    EXPECT_TRUE(repo.Add(3, 7));
    EXPECT_EQ(repo.Encode(), "5;1\r\n5;2\r\n3;7\r\n");
    std::filesystem::create_directories("data/save/A");
    repo.Save(L"data\\save\\A");
    cAutoEventsRepository back;
    back.Add(99, 99);
    back.Load(L"data\\save\\A\\%s");
    EXPECT_EQ(back.GetPairs(), repo.GetPairs());

    back.Decode("# comment\n4;5\n\n6\n");
    EXPECT_EQ(back.GetPairs(), (std::list<sAutoEvent>{{4, 5}, {6, 0}}));
    // An option that is no number is no option 0: the file is refused.
    try {
        back.Decode("4;5\n6;x\n");
        ADD_FAILURE() << "option x was read";
    } catch (const sFatalExit& e) {
        EXPECT_EQ(e.reason, L"auto_events.csv, line 2, column 2 (option id): \"x\" is not a whole number");
    }
    g_StringBase.LoadFromBytes(
        cStringBase::Encode({{"error:_cannot_handle_word_from_column_%i_for_auto_events_repository.", L"column %i"}}),
        true);
    testing_support::ClearLog();
    EXPECT_THROW(back.Decode("1;2;3\n"), sFatalExit);
    EXPECT_TRUE(testing_support::LogContains(L"auto_events.csv, line 1: column 3"));
    // The column the word stands in, an empty one before it counted.
    EXPECT_THROW(back.Decode("1;;2;3\n"), sFatalExit);
    EXPECT_TRUE(testing_support::LogContains(L"auto_events.csv, line 1: column 4"));
    EXPECT_THROW(back.Load(L"data\\save\\Missing\\%s"), sFatalExit);
}

TEST(Flags, OnlyNonZeroFlagsAreWrittenAndBadIndexesAreSkipped)
{
    EventFlags flags{};
    flags[0] = 3;
    flags[17] = -2;
    flags[39999] = 8;
    const std::string text = EncodeFlags(flags);
    EXPECT_EQ(text, "# flag no;flag value\r\n0;3;\r\n17;-2;\r\n39999;8;\r\n");
    std::filesystem::create_directories("data/save/F");
    SaveFlags(L"data\\save\\F", flags);
    EventFlags back{};
    back[5] = 1;
    LoadFlags(L"data\\save\\F\\%s", back);
    EXPECT_EQ(back, flags);

    testing_support::ClearLog();
    ReadFlags("# flag no;flag value\n40000;1;\n-1;4;\n5;\n;6\n2;9;\n", back);
    EXPECT_EQ(back[2], 9);
    EXPECT_EQ(back[0], 0);
    EXPECT_TRUE(LogStartsWith(L"ERROR: flags.txt, line 2: flag number 40000"));
    EXPECT_TRUE(LogStartsWith(L"ERROR: flags.txt, line 3: flag number -1"));
    ReadFlags("# only the comment\n", back);
    EXPECT_EQ(back, EventFlags{});
    try {
        LoadFlags(L"data\\save\\None\\%s", back);
        FAIL();
    } catch (const sFatalExit& e) {
        EXPECT_EQ(e.code, 1);
    }
    EXPECT_TRUE(testing_support::LogContains(L"Blad otwarcia pliku (nie istnieje?)"));
}

TEST(PlayerPlaces, TenSlotsRoundTripAndExtraLinesFillTheLast)
{
    sCameraBookmarks places;
    places.Set(0, 10, 12);
    places.Set(4, 0, 0);
    std::filesystem::create_directories("data/save/P");
    SavePlayerPlaces(L"data\\save\\P", places);
    EXPECT_EQ(ReadWholeFile("data/save/P/PlayerDefinedPlaces.txt")->substr(0, 23), "#Player defined places\r");
    sCameraBookmarks back;
    back.Set(9, 1, 1);
    LoadPlayerPlaces(L"data\\save\\P\\%s", back, 100, 80);
    EXPECT_EQ(back.slots, places.slots);

    std::string twelve;
    for (int i = 0; i < 12; ++i)
        twelve += std::to_string(i) + ";" + std::to_string(i + 1) + "\n";
    sCameraBookmarks t;
    ReadPlayerPlaces("#x\n5;\n;5\n" + twelve, t, 0, 0);
    EXPECT_EQ(t.Get(8), std::make_pair(8, 9));
    EXPECT_EQ(t.Get(9), std::make_pair(11, 12));

    // Off the map or no number: left unset with a log line, and the places after it keep their digits.
    sCameraBookmarks off;
    testing_support::ClearLog();
    ReadPlayerPlaces("3;4\n100;2\n-5;1\n7;8\n9;y\n1;2\n", off, 100, 80);
    EXPECT_EQ(off.Get(0), std::make_pair(3, 4));
    EXPECT_EQ(off.Get(1), std::make_pair(-1, -1));
    EXPECT_EQ(off.Get(2), std::make_pair(-1, -1));
    EXPECT_EQ(off.Get(3), std::make_pair(7, 8));
    EXPECT_EQ(off.Get(5), std::make_pair(1, 2));
    EXPECT_TRUE(LogStartsWith(L"ERROR: PlayerDefinedPlaces.txt, line 2: (100, 2) is off the map"));

    // A missing file is not fatal.
    LoadPlayerPlaces(L"data\\save\\None\\%s", off, 0, 0);
    EXPECT_EQ(off.Get(0), std::make_pair(-1, -1));
    EXPECT_TRUE(testing_support::LogContains(L"Unable to open PlayerDefinedPlaces.txt"));
}

} // namespace
