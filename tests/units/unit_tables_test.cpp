// land_units.csv, air_units.csv, fleets.csv and naval_units.csv: reading, placing,
// boarding, the reserve passes and writing, and what bad rows do.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <memory>

#include "core/fatal.h"
#include "core/format.h"
#include "core/stringbase.h"
#include "core/text.h"
#include "game/load_files.h"
#include "platform/paths.h"
#include "tests/test_support.h"
#include "tests/units/unit_test_game.h"
#include "units/unit_tables.h"
#include "world/fleet.h"

using unit_tests::cTestGame;

namespace {

std::wstring WindowsPatternOf(const std::filesystem::path& folder)
{
    return folder.wstring() + L"\\%s";
}

using testing_support::WriteFile;

// A game with the commanders the fixtures name.
std::unique_ptr<cTestGame> MakeGame()
{
    auto g = std::make_unique<cTestGame>();
    g->SetRuleConstants();
    g->AddCommander(1, 1, 0, 2, 2);
    g->AddCommander(2, 1, 1, 2, 2);
    g->AddCommander(3, 1, 2, 2, 2);
    return g;
}

void LoadAll(const std::wstring& pattern)
{
    LoadLandUnits(pattern, g_Gra->m_LandUnits);
    PlaceLandUnits();
    LoadAirUnits(pattern, g_Gra->m_AirUnits);
    PlaceAirUnits();
    LoadFleets(pattern, g_Gra->m_Fleets);
    LoadNavalUnits(pattern, g_Gra->m_NavalUnits);
    RunUnitLoadPasses();
}

void SaveAll(const std::filesystem::path& folder)
{
    std::filesystem::create_directories(folder);
    std::wstring f = folder.wstring();
    SaveLandUnits(f);
    SaveAirUnits(f);
    SaveFleets(f);
    SaveNavalUnits(f);
}

std::string Read(const std::filesystem::path& path)
{
    return ReadWholeFile(path).value_or("<missing>");
}

template <typename T>
const T* ById(const std::list<T*>& list, int id)
{
    auto it = std::find_if(list.begin(), list.end(), [id](const T* u) { return u->m_Id == id; });
    return it == list.end() ? nullptr : *it;
}

const std::string kLandHeader =
    "#Land units\r\n#ID;Name;Country ID;Hex X;Hex Y;Type;Level (1-5);Current strength (1-100);Action Points;"
    "Attacked [0=false 1=true];Was attacked [0=false 1=true];Supply source X;Supply source Y;Starting AP;"
    "TransporterID (-1=not on transporter);CommanderID (-1=no commander assigned);InReserve [0=false 1=true];"
    "ShoreBombEffect;Freeze time;AI - order;AI - targetX;AI - targetY;AI- ultimate target X;AI - ultimate targetY;"
    "Supply;EventsEffect;Number of turns from last paradrop;mulberry remaining time (months);Turns without supply;"
    "Trench bonus multiplier;Last X;Last Y;Available in turns;Commanding commander ID;Efficiency;"
    "Spotted [0=false 1=true];";

// A land row of 33 fields.
std::string LandRow(int id, const std::string& name, int x, int y, int type = 0, int transporter = -1, int reserve = 0,
                    int life = -1)
{
    return "\r\n" + std::to_string(id) + ";" + name + ";1;" + std::to_string(x) + ";" + std::to_string(y) + ";" +
           std::to_string(type) + ";1;100;3;0;0;-1;-1;3;" + std::to_string(transporter) + ";-1;" +
           std::to_string(reserve) + ";0.000000;0;0;-1;-1;-1;-1;10;0;0;" + std::to_string(life) + ";0;0;-1;-1;0;";
}

const std::string kEmptyAir = "#Air units\r\n#ID\r\n#On map\r\n#In reserve";
const std::string kEmptyFleets = "#Fleets\r\n#ID";
const std::string kEmptyNaval = "#Naval units\r\n#ID\r\n#On map\r\n#In reserve";

} // namespace

TEST(UnitTables, AllFourTablesRoundTripWithUnitsOnTheMapAboardAndInReserve)
{
    auto scratch = testing_support::MakeScratchDir("roundtrip");
    {
        auto g = MakeGame();
        LoadAll(WindowsPatternOf(testing_support::FixtureDir() / "units" / "roundtrip"));
        cGra& game = *g->game;

        // On the map, holding their hexes.
        const cJednostkaLadowa* infantry = ById(game.m_LandUnits, 1);
        ASSERT_NE(infantry, nullptr);
        EXPECT_EQ(g->Hex(2, 2).unit, infantry);
        EXPECT_EQ(infantry->m_Commander, game.m_Commanders[0]);
        EXPECT_FLOAT_EQ(infantry->m_ShoreBombardmentEffect, 2.5f);
        EXPECT_EQ(g->Hex(7, 3).unit, ById(game.m_LandUnits, 7));
        const cJednostkaLotnicza* spitfires = ById(game.m_AirUnits, 1);
        ASSERT_NE(spitfires, nullptr);
        EXPECT_EQ(g->Hex(5, 5).unit, spitfires);
        EXPECT_TRUE(spitfires->m_AirReconDone);

        // Harbours: the constants' life for -1, their own otherwise; always visible.
        const auto* mulberry = dynamic_cast<const cMulberry*>(ById(game.m_LandUnits, 2));
        ASSERT_NE(mulberry, nullptr);
        EXPECT_EQ(mulberry->m_RemainingMonths, 6);
        EXPECT_EQ(mulberry->GetStrength(), 7);
        EXPECT_TRUE(mulberry->m_Spotted);
        EXPECT_EQ(dynamic_cast<const cMulberry*>(ById(game.m_LandUnits, 6))->m_RemainingMonths, 3);

        // Aboard: cargo and amphibious ships, each carrying its unit.
        ASSERT_EQ(game.m_LandUnits2.size(), 1u);
        ASSERT_EQ(game.m_LandUnits3.size(), 1u);
        EXPECT_EQ(game.m_LandUnits2.front()->m_Id, 3);
        EXPECT_EQ(game.m_LandUnits3.front()->m_Id, 4);
        EXPECT_EQ(game.m_LandUnits2.front()->m_Transporter->m_Id, 2);
        EXPECT_EQ(ById(game.m_NavalUnits, 3)->m_Cargo, game.m_LandUnits3.front());

        // Fleets hold their ships; the reserves hold theirs.
        ASSERT_EQ(game.m_Fleets.size(), 2u);
        EXPECT_EQ(game.m_Fleets.back()->ships.size(), 2u);
        EXPECT_EQ(game.m_Fleets.front()->movedThisTurn, 1);
        ASSERT_EQ(game.m_NavalReserve.size(), 1u);
        EXPECT_EQ(game.m_NavalReserve[0]->m_Id, 4);
        ASSERT_EQ(game.m_Reserve.size(), 2u);
        EXPECT_EQ(game.m_Reserve[0]->m_Id, 5);
        EXPECT_EQ(game.m_Reserve[1]->m_Category, CATEGORY_AIR);
        EXPECT_EQ(static_cast<cJednostka*>(game.m_Reserve[0])->m_Supply, 50);
        EXPECT_EQ(game.m_LandUnits.size(), 4u);

        SaveAll(scratch / "first");
    }
    {
        auto g = MakeGame();
        LoadAll(WindowsPatternOf(scratch / "first"));
        SaveAll(scratch / "second");
    }
    for (const char* file : {"land_units.csv", "air_units.csv", "fleets.csv", "naval_units.csv"})
        EXPECT_EQ(Read(scratch / "first" / file), Read(scratch / "second" / file)) << file;

    std::string naval = Read(scratch / "first" / "naval_units.csv");
    EXPECT_NE(naval.find("\r\n#In reserve\r\n4;HMS Reserve;1;42;-1;8;8;-1;1;0;0;2;0;1;"), std::string::npos);
    std::string land = Read(scratch / "first" / "land_units.csv");
    EXPECT_EQ(land.substr(0, kLandHeader.size()), kLandHeader);
    EXPECT_NE(land.find("\r\n3;Marines;1;-1;-1;1;2;80;3;0;1;1;1;5;2;-1;0;2.5;"), std::string::npos);
    EXPECT_NE(land.find("\r\n5;Reserve Armour;1;-1;-1;4;"), std::string::npos);
    EXPECT_NE(land.back(), '\n');
}

TEST(UnitTables, SavedFilesWithoutUnitsEndWithTheirHeaders)
{
    auto g = MakeGame();
    EXPECT_EQ(EncodeLandUnits(), kLandHeader);
    EXPECT_EQ(EncodeFleets(),
              "#Fleets\r\n#ID;Name;Country ID;Sea node ID;Formation [0=regular 1=raiders];Has Moved? [0=false 1=true];"
              "Order (AI);Destination sea node ID (AI);Invasion hex X(AI);Invasion hex Y (AI);"
              "Is active? [0=false 1=true]");
    std::string air = EncodeAirUnits();
    EXPECT_EQ(air.substr(air.size() - 22), "\r\n#On map\r\n#In reserve");
    std::string naval = EncodeNavalUnits();
    EXPECT_NE(naval.find("Recon done? [0=false 1=true] ;Can be repaired?"), std::string::npos);
    EXPECT_EQ(naval.substr(naval.size() - 22), "\r\n#On map\r\n#In reserve");
}

TEST(UnitTables, LandRowsShortNamesDuplicatesAndHarbours)
{
    auto dir = testing_support::MakeScratchDir("land");
    std::string longName(120, 'n');
    std::string shortRow = "\r\n9;Short;1;1;1;0;1;100;3;0;0;-1;-1;3;-1;-1;0;0.000000;0;0;-1;-1;-1;-1;10;0;0;-1;0;0;-1;-1";
    WriteFile(dir / "land_units.csv", kLandHeader + LandRow(1, longName, 1, 1) + shortRow + LandRow(1, "Twin", 2, 1) +
                                          LandRow(2, "Harbour", 3, 1, 60));
    auto g = MakeGame();
    testing_support::ClearLog();
    LoadLandUnits(WindowsPatternOf(dir), g->game->m_LandUnits);
    ASSERT_EQ(g->game->m_LandUnits.size(), 2u);
    EXPECT_EQ(g->game->m_LandUnits.front()->m_Name, std::wstring(99, L'n'));
    EXPECT_TRUE(testing_support::LogContains(L"Blad: Numer ID=1 sie powtarza."));
    for (const auto& line : testing_support::LogLines())
        EXPECT_EQ(line.find(L"Short"), std::wstring::npos) << "a short row is skipped without a word";
    const auto* harbour = dynamic_cast<const cMulberry*>(g->game->m_LandUnits.back());
    ASSERT_NE(harbour, nullptr);
    EXPECT_EQ(harbour->m_RemainingMonths, 6);
    EXPECT_TRUE(testing_support::LogContains(L"Mulberry Harbour (ID=2) added"));
}

TEST(UnitTables, CoordinatesOffTheMapOrAForeignTypeStopTheLoad)
{
    auto dir = testing_support::MakeScratchDir("offmap");
    WriteFile(dir / "land_units.csv", kLandHeader + LandRow(1, "Fine", 1, 1) + LandRow(2, "Lost", 30, 2));
    auto g = MakeGame();
    testing_support::ClearLog();
    std::wstring reason;
    try {
        LoadLandUnits(WindowsPatternOf(dir), g->game->m_LandUnits);
    } catch (const sFatalExit& e) {
        reason = e.reason;
    }
    EXPECT_NE(reason.find(L"land_units.csv, line 4, column 4 (Hex X): 30 is outside -1 to "), std::wstring::npos)
        << WideToUtf8(reason);
    EXPECT_EQ(g->Hex(0, 0).unit, nullptr);

    WriteFile(dir / "land_units.csv", kLandHeader + LandRow(1, "Plane", 1, 1, 20));
    EXPECT_THROW(LoadLandUnits(WindowsPatternOf(dir), g->game->m_LandUnits), sFatalExit);
}

TEST(UnitTables, TwoUnitsOnOneHexStopTheLoadAfterTheList)
{
    auto dir = testing_support::MakeScratchDir("twice");
    WriteFile(dir / "land_units.csv", kLandHeader + LandRow(1, "First", 2, 2) + LandRow(2, "Second", 2, 2) +
                                          LandRow(3, "Third", 2, 2));
    auto g = MakeGame();
    LoadLandUnits(WindowsPatternOf(dir), g->game->m_LandUnits);
    testing_support::ClearLog();
    // The refusal names the first unit with its row and what holds its hex, and counts the others.
    const std::wstring reason = RunCatchingFatal(PlaceLandUnits).value_or(L"");
    EXPECT_NE(reason.find(L"land_units.csv, line 4: land unit Second (ID=2) could not be placed on the map: its hex "
                          L"(2, 2) is held by First (ID=1) (more such rows: 1)"),
              std::wstring::npos)
        << WideToUtf8(reason);
    // Every unit that cannot be placed is named, not only the first.
    EXPECT_TRUE(testing_support::LogHasInOrder(
        {L"ERROR: Trying to place land unit Second (ID=2) to hex (2, 2) occupied by First (ID=1)",
         L"ERROR: Trying to place land unit Third (ID=3) to hex (2, 2) occupied by First (ID=1)"}));
    EXPECT_EQ(g->Hex(2, 2).unit->m_Id, 1);

    // A unit bound for the reserve neither takes the hex its row names nor frees it.
    WriteFile(dir / "land_units.csv", kLandHeader + LandRow(1, "First", 2, 2) + LandRow(4, "Waiting", 2, 2, 0, -1, 1));
    g.reset();
    g = MakeGame();
    LoadLandUnits(WindowsPatternOf(dir), g->game->m_LandUnits);
    PlaceLandUnits();
    MoveUnitsToReserve();
    ASSERT_EQ(g->game->m_Reserve.size(), 1u);
    EXPECT_EQ(g->game->m_Reserve.front()->m_Id, 4);
    ASSERT_NE(g->Hex(2, 2).unit, nullptr);
    EXPECT_EQ(g->Hex(2, 2).unit->m_Id, 1);
}

TEST(UnitTables, AirUnitsMustMatchTheirReserveFlagAndPosition)
{
    auto dir = testing_support::MakeScratchDir("air");
    auto g = MakeGame();
    std::string head = "#Air units\r\n#header\r\n#On map";
    WriteFile(dir / "air_units.csv", head + "\r\n1;Good;1;5;5;20;1;10;-1;0;0;-1;-1;4;4;0;10;0;0;" +
                                         "\r\n2;Parked;1;5;7;21;1;10;-1;0;0;-1;-1;4;4;1;10;0;0;" +
                                         "\r\n3;Nowhere;1;-1;-1;22;1;10;-1;0;0;-1;-1;4;4;0;10;0;0;" +
                                         "\r\n4;Short;1;-1;-1;22;1;10" + "\r\n#In reserve" +
                                         "\r\n5;Waiting;1;-1;-1;22;1;10;-1;0;0;-1;-1;0;0;1;10;0;3;");
    testing_support::ClearLog();
    LoadAirUnits(WindowsPatternOf(dir), g->game->m_AirUnits);
    ASSERT_EQ(g->game->m_AirUnits.size(), 2u);
    EXPECT_EQ(g->game->m_AirUnits.back()->m_Id, 5);
    EXPECT_TRUE(testing_support::LogHasInOrder({L"Invalid entries from air_units.csv:", L"Parked;5;7;1", L"Nowhere;-1;-1;0"}));
    EXPECT_TRUE(testing_support::LogContains(L"air_units.csv:7: row of 8 fields left out: an air unit has 19"));
    ASSERT_EQ(g->presentation.boxes.size(), 1u);

    MoveUnitsToReserve();
    EXPECT_EQ(g->game->m_Reserve.size(), 1u);
    EXPECT_EQ(g->game->m_AirUnits.size(), 1u);

    WriteFile(dir / "air_units.csv", head + "\r\n1;Good;1;5;5;20;1;10;-1;0;0;-1;-1;4;4;0;10;0;0;");
    g->presentation.boxes.clear();
    LoadAirUnits(WindowsPatternOf(dir), g->game->m_AirUnits);
    EXPECT_TRUE(g->presentation.boxes.empty());
}

TEST(UnitTables, BoardingErrorsStopTheLoadAndLoseNoUnit)
{
    auto dir = testing_support::MakeScratchDir("boarding");
    WriteFile(dir / "fleets.csv", kEmptyFleets + "\r\n1;F;1;1;0;0;-1;-1;-1;-1;1;");
    WriteFile(dir / "naval_units.csv", "#Naval units\r\n#h\r\n#On map\r\n1;Warship;1;41;1;5;5;-1;0;0;0;0;0;1;"
                                       "\r\n2;Freighter;1;44;1;5;5;-1;0;0;0;0;0;1;\r\n#In reserve");
    WriteFile(dir / "air_units.csv", kEmptyAir);
    struct sCase
    {
        std::string rows;
        std::wstring line;
        std::wstring refusal;  // the unit the refusal names, then how it ends
        std::wstring ending = L"\\naval_units.csv";
    } cases[] = {
        {LandRow(1, "Ghost", -1, -1, 0, 7), L"Data integrity error: Ghost (ID=1) is supposed to be loaded into ship ID=7, "
                                            L"but no such ship exists",
         L"Ghost (ID=1) cannot be put aboard ship ID=7 of "},
        {LandRow(1, "Gunner", -1, -1, 0, 1), L"Gunner is supposed to be loaded into Warship,",
         L"Gunner (ID=1) cannot be put aboard ship ID=1 of "},
        {LandRow(1, "One", -1, -1, 0, 2) + LandRow(2, "Two", -1, -1, 0, 2),
         L"Data integrity error: Two (ID=2) is supposed to be loaded into Freighter (ID=2), which already carries One (ID=1)",
         L"Two (ID=2) cannot be put aboard ship ID=2 of "},
        {LandRow(1, "Ghost", -1, -1, 0, 7) + LandRow(2, "Gunner", -1, -1, 0, 1), L"Gunner is supposed to be loaded into Warship,",
         L"Ghost (ID=1) cannot be put aboard ship ID=7 of ", L"\\naval_units.csv (more such units: 1)"},
    };
    g_StringBase.LoadFromBytes(cStringBase::Encode({{"%s_is_supposed_to_be_loaded_into_%s", L"%s is supposed to be loaded into %s,"}}), true);
    for (const auto& c : cases) {
        WriteFile(dir / "land_units.csv", kLandHeader + c.rows);
        auto g = MakeGame();
        testing_support::ClearLog();
        std::wstring reason;
        try {
            LoadAll(WindowsPatternOf(dir));
        } catch (const sFatalExit& e) {
            reason = e.reason;
        }
        EXPECT_TRUE(testing_support::LogContains(c.line)) << WideToUtf8(c.line);
        EXPECT_NE(reason.find(L", " + c.refusal), std::wstring::npos) << WideToUtf8(reason);
        EXPECT_TRUE(reason.ends_with(c.ending)) << WideToUtf8(reason);
    }
}

TEST(UnitTables, AShipOfAFleetThatDoesNotExistStopsTheLoad)
{
    auto dir = testing_support::MakeScratchDir("nofleet");
    WriteFile(dir / "land_units.csv", kLandHeader);
    WriteFile(dir / "air_units.csv", kEmptyAir);
    WriteFile(dir / "fleets.csv", kEmptyFleets);
    WriteFile(dir / "naval_units.csv", "#Naval units\r\n#h\r\n#On map\r\n1;Lonely;1;41;8;5;5;-1;0;0;0;0;0;1;"
                                       "\r\n2;Astray;1;41;9;5;5;-1;0;0;0;0;0;1;\r\n#In reserve");
    std::wstring reason;
    auto load = [&] {
        auto g = MakeGame();
        testing_support::ClearLog();
        reason.clear();
        try {
            LoadAll(WindowsPatternOf(dir));
        } catch (const sFatalExit& e) {
            reason = e.reason;
        }
    };
    load();
    EXPECT_TRUE(testing_support::LogContains(L"Data integrity error: Astray belongs to fleet id=9, but no such fleet exists"));
    // The refusal names the first such ship and counts the others.
    EXPECT_NE(reason.find(L", Lonely (ID=1) belongs to fleet ID=8, which "), std::wstring::npos) << WideToUtf8(reason);
    EXPECT_NE(reason.find(L" does not hold (more such ships: 1)"), std::wstring::npos) << WideToUtf8(reason);

    WriteFile(dir / "naval_units.csv", "#Naval units\r\n#h\r\n#On map\r\n1;Lonely;1;41;8;5;5;-1;0;0;0;0;0;1;\r\n#In reserve");
    load();
    EXPECT_TRUE(testing_support::LogContains(L"Data integrity error: Lonely belongs to fleet id=8, but no such fleet exists"));
    EXPECT_TRUE(reason.ends_with(L"\\fleets.csv does not hold")) << WideToUtf8(reason);
}

TEST(UnitTables, AShipWithoutAFleetIsSavedInTheNavalReserve)
{
    auto dir = testing_support::MakeScratchDir("fleetless");
    auto g = MakeGame();
    cJednostkaMorska* drifting = g->AddShip(1, UNIT_CRUISER, 1);
    cFlota* fleet = drifting->m_Fleet;
    fleet->ships.clear();
    g->game->m_Fleets.remove(fleet);
    delete fleet;
    drifting->m_Fleet = nullptr;
    // A ship may also still point at a fleet the game no longer holds.
    cJednostkaMorska* astray = g->AddShip(1, UNIT_CRUISER, 2);
    std::unique_ptr<cFlota> gone(astray->m_Fleet);
    gone->ships.clear();
    g->game->m_Fleets.remove(gone.get());
    testing_support::ClearLog();
    SaveNavalUnits(dir.wstring());
    EXPECT_TRUE(testing_support::LogContains(
        FormatText(L"Naval unit %s (ID=%i) belongs to no fleet: moved to the naval reserve", drifting->m_Name, drifting->m_Id)));
    EXPECT_TRUE(drifting->m_InReserve);
    ASSERT_EQ(g->game->m_NavalReserve.size(), 2u);
    EXPECT_EQ(astray->m_Fleet, nullptr);
    EXPECT_EQ(astray->m_FleetId, -1);
    std::string text = Read(dir / "naval_units.csv");
    EXPECT_NE(text.find("#In reserve\r\n" + std::to_string(drifting->m_Id) + ";"), std::string::npos);
}

TEST(UnitTables, NamesWithSeparatorsAreWrittenSoTheyReadBack)
{
    auto g = MakeGame();
    cJednostkaLadowa* u = g->AddLand(1, UNIT_INFANTRY, 1, 1);
    u->SetName(L"Alpha;Beta\r\nGamma");
    // Cleaned where it is named: the game shows what a save writes.
    EXPECT_EQ(u->m_Name, L"Alpha Beta  Gamma");
    std::string text = EncodeLandUnits();
    EXPECT_NE(text.find(";Alpha Beta  Gamma;"), std::string::npos);

    // A fleet renamed with the separator reads back with the name it had in play, and no
    // column spilled into the next.
    auto* fleet = new cFlota();
    fleet->ID = 5;
    fleet->owner = 1;
    fleet->seaNode = 1;
    fleet->isActive = 1;
    fleet->SetName(L"Evil;fleet|x");
    EXPECT_EQ(fleet->name, L"Evil fleet|x");
    g->game->m_Fleets.push_back(fleet);
    const auto dir = testing_support::MakeScratchDir("separators");
    WriteFile(dir / "fleets.csv", EncodeFleets());
    std::list<cFlota*> back;
    LoadFleets(WindowsPatternOf(dir), back);
    ForgetExpected();
    const auto read = std::find_if(back.begin(), back.end(), [](const cFlota* f) { return f->ID == 5; });
    ASSERT_NE(read, back.end());
    EXPECT_EQ((*read)->name, L"Evil fleet|x");
    EXPECT_EQ((*read)->owner, 1);
    EXPECT_EQ((*read)->seaNode, 1);
    EXPECT_EQ((*read)->isActive, 1);
    for (cFlota* f : back)
        delete f;
}

TEST(UnitTables, SurrenderDeletesOnlyThatCountrysReserve)
{
    auto g = MakeGame();
    cJednostkaLadowa* mine = g->AddLand(1, UNIT_INFANTRY, 1, 1);
    cJednostkaLadowa* theirs = g->AddLand(2, UNIT_INFANTRY, 2, 1);
    mine->MoveToReservePool();
    theirs->MoveToReservePool();
    DeleteReserveUnitsOfCountry(2);
    ASSERT_EQ(g->game->m_Reserve.size(), 1u);
    EXPECT_EQ(g->game->m_Reserve[0], mine);
}
