// Damaged values in the scenario's tables: refused with the file and line, or kept within
// what the rules can compute with and logged.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <filesystem>

#include "core/fatal.h"
#include "core/text.h"
#include "game/game.h"
#include "game/load_files.h"
#include "game/load_request.h"
#include "game/save_game.h"
#include "platform/paths.h"
#include "units/unit.h"
#include "tests/game/testland.h"
#include "tests/test_support.h"

using testing_support::LogContains;
using namespace std::string_view_literals;

namespace {

struct sDamage
{
    const char* file;
    const char* find;
    std::string_view replace;
    bool refused;
    const wchar_t* line; // the log line that tells what is wrong
};

const sDamage kDamages[] = {
    {"land_units.csv", "1;1st Guards;1;", "1;1st Guards;99;", true,
     L"data\\scenarios\\Testland\\land_units.csv, line 3: land unit ID=1 belongs to country 99; the game has 6"},
    {"land_units.csv", "1;1st Guards;1;", "2147483647;1st Guards;1;", true,
     L"data\\scenarios\\Testland\\land_units.csv, line 3, column 1 (ID of a land unit): 2147483647 is outside 0 to 99999999"},
    // Left out as a commander of no country is; the unit he led goes without.
    {"commanders.csv", "1;Montgomery;1;", "1;Montgomery;99;", false,
     L"ERROR: commanders.csv: commander Montgomery (ID=1) belongs to country 99; the game has 6; row skipped"},
    {"fleets.csv", "1;Home Fleet;1;2;", "1;Home Fleet;1;999;", true,
     L"data\\scenarios\\Testland\\fleets.csv, line 3: fleet ID=1 is at sea node 999; the game has 6"},
    {"convoys.csv", "2;1;1;3;6;4;", "2;1;1;-50;6;4;", true,
     L"data\\scenarios\\Testland\\convoys.csv, line 4: ERROR: Convoy with ID=2 carries -50, outside 0 to 1000000"},
    {"land_units.csv", "1;1st Guards;1;2;2;0;2;100;", "1;1st Guards;1;2;2;0;2;-5;", false,
     L"WARNING: data\\scenarios\\Testland\\land_units.csv, line 3, column 8 (strength of unit ID=1): -5 is outside 1 "
     L"to 100; taken as 1"},
    // Too weak to count in the reserve too, from where the unit would be deployed.
    {"land_units.csv", "3;Albion Armour;1;-1;-1;4;1;100;", "3;Albion Armour;1;-1;-1;4;1;0;", false,
     L"WARNING: land unit ID=3 has strength 0, too little to count; taken as 3"},
    {"land_units.csv", "\n2;2nd Infantry Corps;", "\n9;Short;1;2;2;0;2\n2;2nd Infantry Corps;", false,
     L"land_units.csv:4: row of 7 fields left out: a land unit has 33"},
    {"naval_units.csv", "1;HMS Ark Royal;1;40;1;5;5;", "1;HMS Ark Royal;1;40;1;99;5;", false,
     L"WARNING: data\\scenarios\\Testland\\naval_units.csv, line 4, column 6 (hit points of unit ID=1): 99 is outside 0 "
     L"to 5; taken as 5"},
    {"cities.csv", "Londinium;2;2;0;10;", "Londinium;2;2;0;-10;", false,
     L"WARNING: data\\scenarios\\Testland\\cities.csv, line 2, column 5 (Victory points): -10 is outside 0 to "
     L"1000000; taken as 0"},
    {"losses.csv", "1;Albion;0;12.5;", "1;Albion;0;nan;", true,
     L"data\\scenarios\\Testland\\losses.csv, line 3, column 4 (losses of country 1 to country 2): \"nan\" is not a "
     L"number"},
    // "nan" is no number: refused, never read as 0 or as an end of the range.
    {"countries.csv", "5.000000;40.000000;", "nan;40.000000;", true,
     L"data\\scenarios\\Testland\\countries.csv, line 2, column 48 (Social unrest): \"nan\" is not a number"},
    {"countries.csv", "5.000000;40.000000;", "5.000000;nan;", true,
     L"data\\scenarios\\Testland\\countries.csv, line 2, column 49 (WarEconomy(%)): \"nan\" is not a number"},
    {"countries.csv", ";120.000000;10;", ";nan;10;", true,
     L"data\\scenarios\\Testland\\countries.csv, line 2, column 22 (PPs): \"nan\" is not a number"},
    // A huge number is told in a few characters, not three hundred digits.
    {"countries.csv", "5.000000;40.000000;", "5.000000;1e308;", false,
     L"WARNING: data\\scenarios\\Testland\\countries.csv, line 2, column 49 (WarEconomy(%)): 1e+308 is outside -1000000 "
     L"to 1000000; taken as 1000000"},
    {"cities.csv", "Londinium;2;2;0;10;12.5;", "Londinium;2;2;0;10;nan;", true,
     L"data\\scenarios\\Testland\\cities.csv, line 2, column 6 (Production points): \"nan\" is not a number"},
    {"consts.csv", "\n1.0;1.1;1.2;1.3;", "\n1.0;nan;1.2;1.3;", true,
     L"ERROR: data\\scenarios\\Testland\\consts.csv, line 35, column 2 (row 31, value 2): \"nan\" is not a number"},
    {"consts.csv", "\nRepair;12.5;", "\nRepair;-inf;", true,
     L"ERROR: data\\scenarios\\Testland\\consts.csv, line 81, column 2 (row 76, value 1): \"-inf\" is not a finite number"},
    {"consts.csv", "\n0.125", "\nNaN", true, L"ERROR: data\\scenarios\\Testland\\consts.csv, line 143, column 1 (row 136, value 1): \"NaN\" is not a number"},
    // Beyond the largest float: inf once kept.
    {"consts.csv", "\n0.125", "\n1e40", true, L"ERROR: data\\scenarios\\Testland\\consts.csv, line 143, column 1 (row 136, value 1): \"1e40\" is not a finite number"},
    // Far beyond what a rule needs: products of such values overflow the rules' whole numbers.
    {"consts.csv", "\n60\r", "\n99999999999\r", true,
     L"ERROR: data\\scenarios\\Testland\\consts.csv, line 156, column 1 (row 149, value 1): \"99999999999\" is outside -10000 to 10000"},
    {"consts.csv", "\nRepair;12.5;", "\nRepair;-10000.5;", true,
     L"ERROR: data\\scenarios\\Testland\\consts.csv, line 81, column 2 (row 76, value 1): \"-10000.5\" is outside -10000 to 10000"},
    {"countries.csv", "90;0;1;2;2;1;3;1;4;0;120.000000", "90;0;1;2;2;2147483647;3;1;4;0;inf", false,
     L"WARNING: data\\scenarios\\Testland\\countries.csv, line 2, column 17 (technology level 3, Land warfer doctrine "
     L"(0-5)): 2147483647 is outside 0 to 100; taken as 100"},
    {"unit_names.csv", "\n1;Infantry;", "\n-2147483648;Infantry;", false,
     L"ERROR: unit_names.csv, line 3: unit type -2147483648 is not within 1 and 17; row skipped"},
    {"Info.ini", "SmallUnitsSize=1", "SmallUnitsSize=-2147483648", false, nullptr},
    // A NUL byte is told where it stands, in a name or a value as anywhere else.
    {"unit_names.csv", "\n1;Infantry;", "\n1;Infan\0try;"sv, true,
     L"data\\scenarios\\Testland\\unit_names.csv, line 3, character 8: a NUL byte, which no text holds (the file is "
     L"damaged)"},
    {"Info.ini", "Turn=0", "Turn=0\0"sv, true,
     L"data\\scenarios\\Testland\\Info.ini, line 25, character 7: a NUL byte, which no text holds (the file is "
     L"damaged)"},
    {"Info.ini", "ScenarioName=Testland", "Scenario=Testland", true,
     L"ERROR: data\\scenarios\\Testland\\Info.ini has no ScenarioName in its [Save] section (Save/ScenarioName), the "
     L"name of the scenario's folder"},
    // The date, the turns and a unit's trench bonus count up every impulse; the convoys'
    // points are added to the country's.
    {"Info.ini", "Impulse=1", "Impulse=99999999999", false,
     L"WARNING: data\\scenarios\\Testland\\Info.ini, line 26: Save/Impulse is 2147483647, outside 0 to 9999; taken "
     L"as 9999"},
    {"Info.ini", "Turn=0", "Turn=99999999999", false,
     L"WARNING: data\\scenarios\\Testland\\Info.ini, line 25: Save/Turn is 2147483647, outside 0 to 1000000; taken "
     L"as 1000000"},
    {"Info.ini", "GameYear=1939", "GameYear=99999999999", false,
     L"WARNING: data\\scenarios\\Testland\\Info.ini, line 29: Save/GameYear is 2147483647, outside 0 to 9999; "
     L"taken as 9999"},
    {"land_units.csv", "1;1st Guards;1;2;2;0;2;100;3;0;0;2;2;3;-1;1;0;0.000000;0;",
     "1;1st Guards;1;2;2;0;2;100;3;0;0;2;2;3;-1;1;0;0.000000;-2147483648;", false,
     L"WARNING: data\\scenarios\\Testland\\land_units.csv, line 3, column 19 (freeze time of unit ID=1): -2147483648 "
     L"is outside 0 to 1000000; taken as 0"},
    {"air_units.csv", "3;Fernbomber;2;12;3;22;2;", "3;Fernbomber;2;12;3;22;4294967296;", false,
     L"WARNING: data\\scenarios\\Testland\\air_units.csv, line 6, column 7 (level of unit ID=3): 4294967296 is outside "
     L"1 to 1000; taken as 1000"},
    {"land_units.csv", "10;0;0;-1;0;0;2;2;0;", "10;0;0;-1;0;99999999999;2;2;0;", false,
     L"WARNING: data\\scenarios\\Testland\\land_units.csv, line 3, column 30 (trench bonus of unit ID=1): 99999999999 "
     L"is outside 0 to 1000; taken as 1000"},
    {"countries.csv", "120.000000;10;8;6;4;8;0;4;", "120.000000;10;8;6;4;8;2147483647;4;", false,
     L"WARNING: data\\scenarios\\Testland\\countries.csv, line 2, column 28 (STP used by convoys): 2147483647 is "
     L"outside -1000000 to 1000000; taken as 1000000"},
    // The months to the next doctrine level count down every month.
    {"countries.csv", "4;10;16;22;28;", "4;10;16;-2147483648;28;", false,
     L"WARNING: data\\scenarios\\Testland\\countries.csv, line 3, column 58 (months to doctrine level 4): -2147483648 "
     L"is outside -1000000 to 1000000; taken as -1000000"},
    // The monthly research rolls a die for every point invested and adds up the progress.
    {"countries.csv", "4;0;0;0;0;0;0;0;0;0;0;0;0;120;80", "4;0;0;2147483647;0;0;0;0;0;0;0;0;0;120;80", false,
     L"WARNING: data\\scenarios\\Testland\\countries.csv, line 2, column 32 (technology investment 4, Aircraft): "
     L"2147483647 is outside 0 to 3; taken as 3"},
    {"countries.csv", "4;0;0;0;0;0;0;0;0;0;0;0;0;120;80", "4;0;0;0;0;0;0;0;0;2147483647;0;0;0;120;80", false,
     L"WARNING: data\\scenarios\\Testland\\countries.csv, line 2, column 38 (research progress 4, Aircraft): "
     L"2147483647 is outside 0 to 1000000; taken as 1000000"},
};

TEST(DamagedTables, EachDamageIsRefusedOrKeptInRangeWithItsFileAndLine)
{
    SetPresentation(nullptr);
    for (const sDamage& d : kDamages) {
        testland::InstallTestland();
        const auto path = HostPath(std::string("data\\scenarios\\Testland\\") + d.file);
        std::string text = ReadWholeFile(path).value_or("");
        const size_t at = text.find(d.find);
        ASSERT_NE(at, std::string::npos) << d.file << ": " << d.find;
        text.replace(at, std::strlen(d.find), d.replace);
        testing_support::WriteFile(path, text);
        testing_support::ClearLog();

        bool refused = false;
        try {
            LoadGame(sGameLoadRequest::ForScenario(L"Testland"));
        } catch (const sFatalExit& e) {
            refused = true;
            EXPECT_EQ(e.code, 1) << d.replace;
            EXPECT_FALSE(e.reason.empty()) << d.replace;
        }
        EXPECT_EQ(refused, d.refused) << d.replace;
        if (d.line) {
            EXPECT_TRUE(LogContains(d.line)) << d.replace;
        }
        DeleteGameObject();
    }
}

// A commander of a country the game does not have is left out; the unit he led goes without
// him rather than with a commander that is gone.
TEST(DamagedTables, TheUnitOfACommanderLeftOutGoesWithoutHim)
{
    SetPresentation(nullptr);
    for (const bool damaged : {false, true}) {
        testland::InstallTestland();
        const auto path = HostPath(std::string("data\\scenarios\\Testland\\commanders.csv"));
        std::string text = ReadWholeFile(path).value_or("");
        if (damaged)
            testing_support::WriteFile(path, text.replace(text.find("1;Montgomery;1;"), 15, "1;Montgomery;99;"));
        const cGra* game = LoadGame(sGameLoadRequest::ForScenario(L"Testland"));
        const cUnit* guards = nullptr;
        game->ForEachUnitOf(CATEGORY_LAND, [&](const cUnit& u) { guards = u.m_Id == 1 ? &u : guards; });
        ASSERT_NE(guards, nullptr);
        EXPECT_EQ(guards->m_Commander != nullptr, !damaged);
        EXPECT_EQ(game->m_Commanders.size(), damaged ? 4u : 5u);
        DeleteGameObject();
    }
}

// A table cut short ends inside its last row: the load is refused with the file and line.
// A short row inside a table is left out and counted for the player.
TEST(DamagedTables, ATableCutInsideItsLastRowIsRefusedAndRowsLeftOutAreCounted)
{
    SetPresentation(nullptr);
    for (const char* file : {"land_units.csv", "air_units.csv", "fleets.csv", "naval_units.csv", "commanders.csv",
                             "cities.csv", "sea_nodes.csv", "convoys.csv"}) {
        testland::InstallTestland();
        const auto path = HostPath(std::string("data\\scenarios\\Testland\\") + file);
        std::string text = ReadWholeFile(path).value_or("");
        while (!text.empty() && (text.back() == '\n' || text.back() == '\r'))
            text.pop_back();
        // Just past the first field of the last row.
        const size_t rowStart = text.rfind('\n') + 1;
        testing_support::WriteFile(path, text.substr(0, text.find(';', rowStart) + 2));
        std::wstring reason;
        try {
            LoadGame(sGameLoadRequest::ForScenario(L"Testland"));
        } catch (const sFatalExit& e) {
            reason = e.reason;
        }
        EXPECT_NE(reason.find(Utf8ToWide(file) + L", line "), std::wstring::npos) << file << ": " << WideToUtf8(reason);
        EXPECT_NE(reason.find(L"cut short"), std::wstring::npos) << file << ": " << WideToUtf8(reason);
        EXPECT_EQ(g_Gra, nullptr) << file;
    }

    testland::InstallTestland();
    const auto path = HostPath(std::string("data\\scenarios\\Testland\\land_units.csv"));
    std::string text = ReadWholeFile(path).value_or("");
    text.replace(text.find("\n2;2nd Infantry Corps;"), 1, "\n9;Short;1;2\n8;Shorter\n");
    testing_support::WriteFile(path, text);
    LoadGame(sGameLoadRequest::ForScenario(L"Testland"));
    const std::vector<sRowsLeftOut> leftOut = RowsLeftOut();
    ASSERT_EQ(leftOut.size(), 1u);
    EXPECT_EQ(leftOut[0].file, L"land_units.csv");
    EXPECT_EQ(leftOut[0].rows, 2);
    DeleteGameObject();
    // The next load counts its own.
    testland::InstallTestland();
    LoadGame(sGameLoadRequest::ForScenario(L"Testland"));
    EXPECT_TRUE(RowsLeftOut().empty());
    DeleteGameObject();
}

// The load's refusal; empty when the game loaded.
std::wstring Refusal(const sGameLoadRequest& request)
{
    try {
        LoadGame(request);
    } catch (const sFatalExit& e) {
        return e.reason;
    }
    DeleteGameObject();
    return {};
}

size_t LandUnitsIn(const cGra& game)
{
    size_t count = 0;
    game.ForEachUnitOf(CATEGORY_LAND, [&](const cUnit&) { ++count; });
    return count;
}

// A lost line end runs two rows into one: the load is refused with the file and the line,
// never with the second row gone unseen, in every table read by rows; a newer save's few
// trailing columns still load.
TEST(DamagedTables, TwoRowsRunTogetherAreRefusedAndANewerSavesTrailingColumnsStillLoad)
{
    SetPresentation(nullptr);
    // The line end before the last row (air and naval units: after "#In reserve"), or after the
    // line of column names.
    for (const auto& [file, afterColumnNames] :
         {std::pair{"land_units.csv", false}, {"air_units.csv", false}, {"fleets.csv", false},
          {"naval_units.csv", false}, {"commanders.csv", false}, {"cities.csv", false}, {"convoys.csv", false},
          {"countries.csv", false}, {"unit_names.csv", false}, {"land_units.csv", true}, {"cities.csv", true}}) {
        testland::InstallTestland();
        const auto path = HostPath(std::string("data\\scenarios\\Testland\\") + file);
        std::string text = ReadWholeFile(path).value_or("");
        const size_t columnNames = std::min(text.find("\n#ID;"), text.find("#Name;"));
        const size_t end = afterColumnNames ? text.find('\n', columnNames + 1)
                                            : text.rfind('\n', text.find_last_not_of("\r\n"));
        const size_t from = end > 0 && text[end - 1] == '\r' ? end - 1 : end;
        testing_support::WriteFile(path, text.erase(from, end + 1 - from));
        const std::wstring reason = Refusal(sGameLoadRequest::ForScenario(L"Testland"));
        EXPECT_NE(reason.find(Utf8ToWide(file) + L", line "), std::wstring::npos) << file << ": " << WideToUtf8(reason);
        EXPECT_NE(reason.find(L"(a line end is missing)"), std::wstring::npos) << file << ": " << WideToUtf8(reason);
    }

    testland::InstallTestland();
    const size_t units = LandUnitsIn(*LoadGame(sGameLoadRequest::ForScenario(L"Testland")));
    ASSERT_TRUE(SaveGame(L"newer", true));
    DeleteGameObject();
    for (const char* file : {"land_units.csv", "air_units.csv", "fleets.csv", "naval_units.csv", "cities.csv",
                             "sea_nodes.csv", "commanders.csv", "convoys.csv", "countries.csv"}) {
        const auto path = HostPath(std::string("data\\save\\newer\\") + file);
        std::string newer;
        for (std::string line : SplitLines(ReadWholeFile(path).value_or("")))
            newer += (line.empty() || line[0] == '#' ? line : line + "7;8;9;") + "\r\n";
        testing_support::WriteFile(path, newer);
    }
    // Written here, not by a newer game: without the list of the sizes it would write.
    std::filesystem::remove(HostPath(std::wstring(L"data\\save\\newer\\") + kSavedSizesFileName));
    const cGra* game = LoadGame(sGameLoadRequest::ForSave(L"newer"));
    EXPECT_EQ(LandUnitsIn(*game), units);
    EXPECT_TRUE(RowsLeftOut().empty());
    DeleteGameObject();
}

// The game writes every table of a save with its heading lines ('#'): one that is empty or
// has lost them was damaged, and the save is refused naming it. unit_names.csv is the
// scenario's own, copied as it stands.
TEST(DamagedTables, ASavesTableThatIsEmptyOrHasLostItsHeadingIsRefusedNamingIt)
{
    SetPresentation(nullptr);
    testland::InstallTestland();
    LoadGame(sGameLoadRequest::ForScenario(L"Testland"));
    ASSERT_TRUE(SaveGame(L"headed", true));
    DeleteGameObject();
    const std::filesystem::path folder = HostPath(std::string("data\\save\\headed"));
    int tables = 0;
    for (const auto& entry : std::filesystem::directory_iterator(folder)) {
        const std::string name = entry.path().filename().string();
        const std::string bytes = ReadWholeFile(entry.path()).value_or("");
        if (bytes.empty() || bytes[0] != '#' || name == "unit_names.csv" ||
            entry.path().filename() == kSavedSizesFileName)
            continue;
        ++tables;
        // Every line of the heading gone: the table begins with its first row.
        size_t rows = 0;
        while (rows < bytes.size() && bytes[rows] == '#')
            rows = std::min(bytes.find('\n', rows), bytes.size() - 1) + 1;
        for (const std::string& damaged : {std::string(), bytes.substr(rows)}) {
            testing_support::WriteFile(entry.path(), damaged);
            const std::wstring reason = Refusal(sGameLoadRequest::ForSave(L"headed"));
            EXPECT_NE(reason.find(L"data\\save\\headed\\" + Utf8ToWide(name) +
                                  (damaged.empty() ? L" is empty" : L" does not begin with its heading lines")),
                      std::wstring::npos)
                << name << ": " << WideToUtf8(reason);
            EXPECT_EQ(g_Gra, nullptr);
        }
        testing_support::WriteFile(entry.path(), bytes);
    }
    EXPECT_EQ(tables, 19);
    EXPECT_EQ(Refusal(sGameLoadRequest::ForSave(L"headed")), L"");
}

// A file that is empty or missing is named in the refusal, not a file read after it.
TEST(DamagedTables, AnEmptyOrMissingFileIsTheOneTheRefusalNames)
{
    SetPresentation(nullptr);
    const struct
    {
        const char* file;
        const wchar_t* reason;
    } kEmpty[] = {
        {"countries.csv", L"data\\scenarios\\Testland\\countries.csv holds no country"},
        {"cities.csv", L"data\\scenarios\\Testland\\cities.csv holds no city"},
        {"map.qvr", L"ERROR: Map file data\\scenarios\\Testland\\map.qvr is empty"},
        {"fleets.csv", L"Data integrity error: in data\\scenarios\\Testland\\naval_units.csv, HMS Ark Royal (ID=1) "
                       L"belongs to fleet ID=1, which data\\scenarios\\Testland\\fleets.csv does not hold (more "
                       L"such ships: 6)"},
    };
    for (const auto& e : kEmpty) {
        testland::InstallTestland();
        testing_support::WriteFile(HostPath(std::string("data\\scenarios\\Testland\\") + e.file), "");
        EXPECT_EQ(Refusal(sGameLoadRequest::ForScenario(L"Testland")), e.reason) << e.file;
    }
    // A runaway file is refused before it is read, not read for minutes into gigabytes.
    testland::InstallTestland();
    std::filesystem::resize_file(HostPath("data\\scenarios\\Testland\\cities_diagram.csv"), std::uintmax_t(2) << 30);
    EXPECT_EQ(Refusal(sGameLoadRequest::ForScenario(L"Testland")),
              L"data\\scenarios\\Testland\\cities_diagram.csv is 2147483648 bytes (2048 MB): far beyond any file of a "
              L"scenario or a save, which holds at most 64 MB; it was not read");
}

} // namespace
