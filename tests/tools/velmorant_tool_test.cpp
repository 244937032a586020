// velmorant-tool and the map compiler run as a scenario author runs them.
#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <tuple>
#include <filesystem>
#include <fstream>
#include <vector>

#include "core/ini.h"
#include "platform/paths.h"
#include "tests/game/hostile_values.h"
#include "tests/test_support.h"

namespace fs = std::filesystem;
using testing_support::BinDir;
using testing_support::ExpectSameSaveFiles;
using testing_support::FixtureDir;
using testing_support::MakeScratchDir;
using testing_support::SourceDir;

namespace {

struct sRun
{
    int code = -1;
    std::string out;
    std::string err;
};

sRun RunTool(const std::string& arguments)
{
    const fs::path dir = MakeScratchDir("run");
    const std::string command = (BinDir() / "velmorant-tool").string() + " " + arguments + " > '" +
                                (dir / "out").string() + "' 2> '" + (dir / "err").string() + "'";
    sRun run;
    const int status = std::system(command.c_str());
    run.code = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    run.out = ReadWholeFile(dir / "out").value_or("");
    run.err = ReadWholeFile(dir / "err").value_or("");
    return run;
}

// A copy of the Testland game root that a test may break.
fs::path CopyOfTestland()
{
    const fs::path root = MakeScratchDir("root");
    fs::copy(FixtureDir() / "testland" / "data", root / "data", fs::copy_options::recursive);
    return root;
}

std::string Quoted(const fs::path& path)
{
    std::string quoted = "'";
    quoted += path.string();
    return quoted + "'";
}

} // namespace

TEST(VelmorantTool, CheckTellsWhatTheTestScenarioHolds)
{
    const sRun run = RunTool("check " + Quoted(FixtureDir() / "testland" / "data" / "scenarios" / "Testland"));
    EXPECT_EQ(run.code, 0) << run.err;
    for (const char* line : {"scenario: Testland\n", "countries: 6\n", "cities: 10\n",
                             "land units: 10 on the map, 1 aboard ships, 1 in reserve\n",
                             "air units: 3 on the map, 1 in reserve\n", "naval units: 7 at sea, 1 in reserve\n",
                             "fleets: 4\n", "sea nodes: 6\n", "events: 2\n"})
        EXPECT_NE(run.out.find(line), std::string::npos) << line << " missing from:\n" << run.out;
    EXPECT_EQ(run.out.find("told while loading"), std::string::npos) << run.out;

    // What the load changed or left out, and the game goes on without, is told as well.
    const fs::path folder = CopyOfTestland() / "data" / "scenarios" / "Testland";
    for (const auto& [file, find, replace] :
         {std::tuple{"countries.csv", "5.000000;40.000000;", "250;40.000000;"},
          {"commanders.csv", "1;Montgomery;1;", "1;Montgomery;99;"}}) {
        std::string text = ReadWholeFile(folder / file).value_or("");
        ASSERT_NE(text.find(find), std::string::npos) << file;
        ASSERT_TRUE(WriteWholeFile(folder / file, text.replace(text.find(find), std::strlen(find), replace)));
    }
    const sRun damaged = RunTool("check " + Quoted(folder));
    EXPECT_EQ(damaged.code, 0) << damaged.err;
    EXPECT_NE(damaged.out.find("told while loading:\n"
                               "  WARNING: data/scenarios/Testland/countries.csv, line 2, column 48 (Social unrest): 250 "
                               "is outside 0 to 100; taken as 100\n"),
              std::string::npos)
        << damaged.out;
    EXPECT_NE(damaged.out.find("\n  1 row of commanders.csv left out\n"), std::string::npos) << damaged.out;
}

TEST(VelmorantTool, CheckFailsWithAClearLineOnABrokenFile)
{
    const fs::path root = CopyOfTestland();
    const fs::path folder = root / "data" / "scenarios" / "Testland";
    // Sea node ids must run 1, 2, 3 ...
    auto nodes = ReadWholeFile(folder / "sea_nodes.csv");
    ASSERT_TRUE(nodes);
    std::string text = *nodes;
    text.replace(text.find("\n2;Channel"), 10, "\n7;Channel");
    ASSERT_TRUE(WriteWholeFile(folder / "sea_nodes.csv", text));
    sRun run = RunTool("check " + Quoted(folder));
    EXPECT_EQ(run.code, 1);
    EXPECT_NE(run.err.find("does not load: data/scenarios/Testland/sea_nodes.csv, line 3: ERROR. Sea node 2 has ID=7 "
                           "(should be equal!)"),
              std::string::npos)
        << run.err;
    EXPECT_TRUE(run.out.empty());

    // Two rows of land_units.csv run together: refused, not one unit fewer.
    text = *nodes;
    ASSERT_TRUE(WriteWholeFile(folder / "sea_nodes.csv", text));
    std::string units = ReadWholeFile(folder / "land_units.csv").value_or("");
    units.erase(units.find("\n2;2nd Infantry Corps;"), 1);
    ASSERT_TRUE(WriteWholeFile(folder / "land_units.csv", units));
    run = RunTool("check " + Quoted(folder));
    EXPECT_EQ(run.code, 1);
    EXPECT_NE(run.err.find("does not load: data/scenarios/Testland/land_units.csv, line 3: a row of "),
              std::string::npos)
        << run.err;

    // A save edited by hand, its Borussia given the alliance 99 and the production "abc": refused
    // naming the first of them, never played as a country of no side with production 0.
    ASSERT_TRUE(WriteWholeFile(folder / "land_units.csv", ReadWholeFile(FixtureDir() / "testland" / "data" /
                                                                        "scenarios" / "Testland" / "land_units.csv")
                                                              .value_or("")));
    ASSERT_EQ(RunTool("resave " + Quoted(folder) + " edited").code, 0);
    const fs::path save = root / "data" / "save" / "edited";
    int line = 0;
    std::string countries = ReadWholeFile(save / "countries.csv").value_or("");
    countries = hostile::WithValue(countries, "2;1;Borussia;", 8, "99", line);
    countries = hostile::WithValue(countries, "2;1;Borussia;", 22, "abc", line);
    ASSERT_TRUE(WriteWholeFile(save / "countries.csv", countries));
    run = RunTool("check " + Quoted(save));
    EXPECT_EQ(run.code, 1);
    EXPECT_NE(run.err.find("does not load: data/save/edited/countries.csv, line 4, column 8 (Alliance): 99 is outside "
                           "0 to 6"),
              std::string::npos)
        << run.err;

    // A missing file: the log lines before the failure name it.
    fs::remove(folder / "commanders.csv");
    run = RunTool("check " + Quoted(folder));
    EXPECT_EQ(run.code, 1);
    EXPECT_NE(run.err.find("Blad otwarcia pliku! (nie istnieje?)"), std::string::npos) << run.err;
    EXPECT_NE(run.err.find("data\\scenarios\\Testland\\commanders.csv"), std::string::npos) << run.err;

    // Not a folder of a game root at all.
    run = RunTool("check " + Quoted(root));
    EXPECT_EQ(run.code, 1);
    EXPECT_NE(run.err.find("not a folder of data/scenarios, data/save or data/pbem"), std::string::npos);
    EXPECT_EQ(RunTool("check").code, 2);
}

TEST(VelmorantTool, LeavesTheLogOfAGameInTheFolderItRunsFromAlone)
{
    const fs::path root = CopyOfTestland();
    ASSERT_TRUE(WriteWholeFile(root / "ConsoleOut.txt", "the game's log"));
    const std::string tool = (BinDir() / "velmorant-tool").string();
    ASSERT_EQ(std::system(("cd " + Quoted(root) + " && " + tool + " check data/scenarios/Testland > /dev/null").c_str()),
              0);
    EXPECT_EQ(ReadWholeFile(root / "ConsoleOut.txt").value_or(""), "the game's log");
}

TEST(VelmorantTool, ARefusalPrintsItsReasonAndTheLinesThatLedToItNotTheTeardown)
{
    const fs::path root = CopyOfTestland();
    const fs::path folder = root / "data" / "scenarios" / "Testland";
    ASSERT_TRUE(WriteWholeFile(folder / "cities.csv", ""));
    const sRun run = RunTool("check " + Quoted(folder));
    EXPECT_EQ(run.code, 1);
    const std::string reason = "cities.csv holds no city";
    EXPECT_NE(run.err.find("does not load: data/scenarios/Testland/" + reason + "\n"), std::string::npos) << run.err;
    EXPECT_NE(run.err.find("data\\scenarios\\Testland\\cities.csv\n  Otwarcie OK\n  data\\scenarios\\Testland\\" +
                           reason + "\n"),
              std::string::npos)
        << run.err;
    EXPECT_EQ(run.err.substr(run.err.size() - reason.size() - 1), reason + "\n") << "the log ends at the refusal";
}

TEST(VelmorantTool, FuzzedCopiesOfTestlandAndItsSaveLoadOrAreRefusedWithAReason)
{
    const fs::path root = CopyOfTestland();
    ASSERT_EQ(RunTool("resave " + Quoted(root / "data" / "scenarios" / "Testland") + " Fuzzed").code, 0);
    for (const auto& [folder, cases] : {std::pair{root / "data" / "scenarios" / "Testland", 200},
                                        std::pair{root / "data" / "save" / "Fuzzed", 150}}) {
        const sRun run = RunTool("fuzz " + Quoted(folder) + " " + std::to_string(cases) + " 14");
        EXPECT_EQ(run.code, 0) << run.out << run.err;
        EXPECT_NE(run.out.find(" refused with a reason, 0 findings\n"), std::string::npos) << run.out << run.err;
    }
}

TEST(VelmorantTool, ResaveWritesASaveThatChecksAgain)
{
    const fs::path root = CopyOfTestland();
    sRun run = RunTool("resave " + Quoted(root / "data" / "scenarios" / "Testland") + " First");
    ASSERT_EQ(run.code, 0) << run.err;
    EXPECT_EQ(std::distance(fs::directory_iterator(root / "data" / "save" / "First"), fs::directory_iterator()), 26);
    run = RunTool("check " + Quoted(root / "data" / "save" / "First"));
    EXPECT_EQ(run.code, 0) << run.err;
    EXPECT_NE(run.out.find("countries: 6\n"), std::string::npos);
    EXPECT_NE(RunTool("resave " + Quoted(root / "data" / "save" / "First") + " ../out").code, 0);
    EXPECT_FALSE(fs::exists(root / "data" / "out"));
    // A name over the limit is refused with it, not saved cut short while the whole is printed.
    run = RunTool("resave " + Quoted(root / "data" / "save" / "First") + " " + std::string(300, 's'));
    EXPECT_NE(run.code, 0);
    EXPECT_NE(run.err.find("at most 54 characters, and this one has 300"), std::string::npos) << run.out << run.err;
}

namespace {

// A saved play passes check, and a resave of it writes the same files.
void ExpectSaveChecksAndResavesTheSame(const fs::path& root, const std::string& name)
{
    const fs::path save = root / "data" / "save" / name;
    sRun run = RunTool("check " + Quoted(save));
    EXPECT_EQ(run.code, 0) << run.err;
    run = RunTool("resave " + Quoted(save) + " " + name + "Again");
    ASSERT_EQ(run.code, 0) << run.err;
    ExpectSameSaveFiles(save, root / "data" / "save" / (name + "Again"));
}

std::string WithoutSeconds(std::string summary)
{
    const size_t at = summary.find("\"seconds_per_impulse\"");
    if (at != std::string::npos)
        summary.erase(at, summary.find('\n', at) - at);
    return summary;
}

} // namespace

TEST(VelmorantTool, PlayPlaysTheTestScenarioToItsEndAndItsSaveChecksAndResavesTheSame)
{
    const fs::path root = CopyOfTestland();
    const fs::path summary = MakeScratchDir("summary") / "summary.json";
    const sRun run = RunTool("play " + Quoted(root / "data" / "scenarios" / "Testland") +
                             " --seed 5 --human 1,3 --save Played --summary " + Quoted(summary));
    ASSERT_EQ(run.code, 0) << run.err;
    EXPECT_NE(run.out.find("impulse 1, now impulse 3 of 9.1939: "), std::string::npos) << run.out;
    EXPECT_NE(run.out.find("; events fired: 1 Borussian ultimatum (option "), std::string::npos) << run.out;
    // Valdonia falls to Borussia: the impulse line and the summary date it.
    EXPECT_NE(run.out.find("; surrenders: Valdonia (surrender) 3.7.1941\n"), std::string::npos) << run.out;
    const std::string json = ReadWholeFile(summary).value_or("");
    // The war ends with the last impulse of 1941, the scenario's last year.
    for (const char* part : {"\"game_over\": true", "\"seed\": 5", "\"impulses\": 83",
                             "\"date\": {\"impulse\": 3, \"month\": 12, \"year\": 1941}",
                             "{\"id\": 1, \"name\": \"Albion\", \"active\": true, \"alliance\": 4,",
                             "\"dialogs_answered\": ", "\"events\": [\n    {\"id\": 1, \"title\": \"Borussian ultimatum\"",
                             "\"sea_battles\": [", "\"ships_sunk\": [", "\"convoys_hit\": [",
                             "\"surrenders\": [\n    {\"country\": \"Valdonia\", \"kind\": \"surrender\", \"date\": "
                             "{\"impulse\": 3, \"month\": 7, \"year\": 1941}}\n  ]",
                             "\"result\": {\"outcome\": \"Result: victory of the Axis!\", \"reason\": \"The war has reached "
                             "its last day.\", \"victory_points\": {\"allies\": "})
        EXPECT_NE(json.find(part), std::string::npos) << part << " missing from " << json;
    // The war ends on the turn that the scenario counts as its last.
    cIniFile info;
    ASSERT_TRUE(info.Load(root / "data" / "save" / "Played" / "Info.ini"));
    EXPECT_EQ(info.GetInt("Save/Turn", -1), 83);
    EXPECT_EQ(info.GetInt("Duration/Turns", -1), 83);
    ExpectSaveChecksAndResavesTheSame(root, "Played");
}

TEST(VelmorantTool, PlayOnTheOpponentsThreadGivesOneGameForOneSeed)
{
    const fs::path root = CopyOfTestland();
    const fs::path out = MakeScratchDir("summaries");
    for (const char* name : {"One", "Two"}) {
        const sRun run = RunTool("play " + Quoted(root / "data" / "scenarios" / "Testland") +
                                 " --impulses 7 --seed 11 --human 2 --quiet --save " + name + " --summary " +
                                 Quoted(out / name));
        ASSERT_EQ(run.code, 0) << run.err;
        EXPECT_EQ(run.out, "");
    }
    EXPECT_EQ(WithoutSeconds(ReadWholeFile(out / "One").value_or("1")),
              WithoutSeconds(ReadWholeFile(out / "Two").value_or("2")));
    ExpectSameSaveFiles(root / "data" / "save" / "One", root / "data" / "save" / "Two");
}

TEST(VelmorantTool, PlayPlaysTwelveImpulsesOfEurope1939AndTheSameSeedPlaysTheSameWar)
{
    const fs::path root = MakeScratchDir("europe");
    fs::create_directories(root / "data" / "scenarios");
    fs::copy(SourceDir() / "data" / "scenarios" / "Europe1939", root / "data" / "scenarios" / "Europe1939",
             fs::copy_options::recursive);
    const fs::path out = MakeScratchDir("europe_summaries");
    for (const char* name : {"E12", "E12b"}) {
        const sRun run = RunTool("play " + Quoted(root / "data" / "scenarios" / "Europe1939") +
                                 " --impulses 12 --seed 1939 --save " + name + " --summary " + Quoted(out / name));
        ASSERT_EQ(run.code, 0) << run.err;
        EXPECT_NE(run.out.find("impulse 12, now impulse 2 of 1.1940: "), std::string::npos) << run.out;
    }
    // Who holds each capital, by the names of the scenario; a game that goes on has no reason.
    const std::string json = ReadWholeFile(out / "E12").value_or("");
    for (const char* part : {"\"capitals\": [\n    {\"country\": \"Germany\", \"city\": \"Berlin\", \"controller\": \"Germany\"},",
                             "{\"country\": \"Poland\", \"city\": \"Warsaw\", \"controller\": ", "\"reason\": null"})
        EXPECT_NE(json.find(part), std::string::npos) << part << " missing from " << json;
    // The same seed plays the same war.
    EXPECT_EQ(WithoutSeconds(ReadWholeFile(out / "E12").value_or("1")),
              WithoutSeconds(ReadWholeFile(out / "E12b").value_or("2")));
    ExpectSameSaveFiles(root / "data" / "save" / "E12", root / "data" / "save" / "E12b");
    ExpectSaveChecksAndResavesTheSame(root, "E12");
}

// An armistice that hands a country's land on with its origin (Italy's in Europe 1939) leaves
// its capital city where it stands: the summary still names it, with its new holder.
TEST(VelmorantTool, TheSummaryNamesACapitalHandedOnWithItsLand)
{
    const fs::path root = CopyOfTestland();
    const fs::path scenario = root / "data" / "scenarios" / "Testland";
    // Valdonia's capital at Valdo's hex, as the minimap of a small map would not put it.
    std::string countries = ReadWholeFile(scenario / "countries.csv").value_or("");
    const size_t row = countries.find("\n5;");
    ASSERT_NE(row, std::string::npos);
    std::vector<size_t> fields;
    for (size_t at = row + 1; fields.size() < 43; ++at)
        if (countries[at] == ';')
            fields.push_back(at);
    countries.replace(fields[40] + 1, fields[42] - fields[40] - 1, "7;6");
    testing_support::WriteFile(scenario / "countries.csv", countries);
    std::string events = ReadWholeFile(scenario / "events.xml").value_or("");
    events.insert(events.find("</events>"),
                  "  <event eventID=\"3\" countryID=\"5\" visibleByPlayer=\"0\" oneTimeChecking=\"1\">\n"
                  "    <title>Valdonia handed over</title>\n    <beginDate day=\"1\" month=\"9\" year=\"1939\"/>\n"
                  "    <options><option optionID=\"1\" chanceAI=\"100\"><description>Hand it over</description><effects>"
                  "<effect method=\"Country.ChangeTerritoryControllerOwnerAndOriginalOwner\" param0=\"5\" param1=\"2\"/>"
                  "</effects></option></options>\n  </event>\n");
    testing_support::WriteFile(scenario / "events.xml", events);
    const fs::path summary = MakeScratchDir("summary") / "summary.json";
    const sRun run = RunTool("play " + Quoted(scenario) + " --impulses 2 --seed 5 --quiet --summary " + Quoted(summary));
    ASSERT_EQ(run.code, 0) << run.err;
    const std::string json = ReadWholeFile(summary).value_or("");
    EXPECT_NE(json.find("{\"country\": \"Valdonia\", \"city\": \"Valdo\", \"controller\": \"Borussia\"}"),
              std::string::npos)
        << json;
}

TEST(VelmorantTool, AGameSavedLoadedAndPlayedOnIsTheGamePlayedWithoutABreak)
{
    const fs::path europe = MakeScratchDir("europe_continued");
    fs::create_directories(europe / "data" / "scenarios");
    fs::copy(SourceDir() / "data" / "scenarios" / "Europe1939", europe / "data" / "scenarios" / "Europe1939",
             fs::copy_options::recursive);
    struct sCase
    {
        fs::path root;
        std::string scenario, options;
        int before, after;
        std::string carried;  // what the summary tells of play before the save
    };
    for (const sCase& c : {sCase{CopyOfTestland(), "Testland", " --seed 9", 5, 6, "\"impulses\": 11"},
                           sCase{CopyOfTestland(), "Testland", " --seed 2", 51, 3,
                                 "{\"country\": \"Valdonia\", \"kind\": \"surrender\""},
                           sCase{europe, "Europe1939", " --seed 3", 2, 2, "\"impulses\": 4"}}) {
        const fs::path out = MakeScratchDir("continued_summaries");
        const std::string scenario = Quoted(c.root / "data" / "scenarios" / c.scenario);
        // The unbroken game also saves on its way, where the part ends.
        sRun run = RunTool("play " + scenario + c.options + " --quiet --impulses " + std::to_string(c.before + c.after) +
                           " --save Whole --summary " + Quoted(out / "whole") + " --save-every Each --save-at " +
                           std::to_string(c.before));
        ASSERT_EQ(run.code, 0) << run.err;
        run = RunTool("play " + scenario + c.options + " --quiet --impulses " + std::to_string(c.before) +
                      " --save Part");
        ASSERT_EQ(run.code, 0) << run.err;
        const fs::path saves = c.root / "data" / "save";
        ExpectSameSaveFiles(saves / ("Each-" + std::to_string(c.before)), saves / "Part");
        EXPECT_FALSE(fs::exists(saves / ("Each-" + std::to_string(c.before + 1))));
        // Without a seed the save goes on with its own dice.
        run = RunTool("play " + Quoted(c.root / "data" / "save" / "Part") + " --quiet --impulses " +
                      std::to_string(c.after) + " --save Continued --summary " + Quoted(out / "continued"));
        ASSERT_EQ(run.code, 0) << run.err;
        EXPECT_EQ(WithoutSeconds(ReadWholeFile(out / "whole").value_or("1")),
                  WithoutSeconds(ReadWholeFile(out / "continued").value_or("2")))
            << c.scenario;
        EXPECT_NE(ReadWholeFile(out / "continued").value_or("").find(c.carried), std::string::npos) << c.carried;
        ExpectSameSaveFiles(saves / "Whole", saves / "Continued");
    }
}

TEST(VelmorantTool, ALandHexOfNobodyIsMendedAtLoadSoThatPlayKeepsItsInvariants)
{
    // Play holds that every land hex has a controller; loading gives it its owner.
    const fs::path root = CopyOfTestland();
    const fs::path map = root / "data" / "scenarios" / "Testland" / "map.qvr";
    std::string bytes = ReadWholeFile(map).value_or("");
    const size_t controller = 268 + 37 * (10 * 20 + 13) + 6;  // hex (13, 10), land without a city
    ASSERT_GT(bytes.size(), controller);
    bytes[controller] = 0;
    testing_support::WriteFile(map, bytes);
    const sRun run = RunTool("play " + Quoted(root / "data" / "scenarios" / "Testland") + " --impulses 2");
    EXPECT_EQ(run.code, 0) << run.out << run.err;
    EXPECT_EQ(run.err.find("invariant broken"), std::string::npos) << run.err;
}

TEST(VelmorantTool, EventsWritesEachEventFileOfTheScenarioAsTextBesideIt)
{
    const fs::path root = CopyOfTestland();
    const fs::path folder = root / "data" / "scenarios" / "Testland";
    const sRun run = RunTool("events " + Quoted(folder));
    ASSERT_EQ(run.code, 0) << run.err;
    EXPECT_EQ(run.out, "wrote " + (folder / "events").string() + "\n");
    const std::string dump = ReadWholeFile(folder / "events").value_or("");
    for (const char* part : {"(Borussian ultimatum)\r\nID: 1\r\nCountry: Borussia (ID = 2)\r\n",
                             "(Quiet front)\r\nID: 2\r\nCountry: Albion (ID = 1)\r\n"})
        EXPECT_NE(dump.find(part), std::string::npos) << part << " missing from:\n" << dump;
    // The scenario's own file is left as it was.
    EXPECT_EQ(ReadWholeFile(folder / "events.xml"),
              ReadWholeFile(FixtureDir() / "testland" / "data" / "scenarios" / "Testland" / "events.xml"));
}

TEST(VelmorantTool, BuildMapBakesTheWeatherTablesIntoOutputMapAndTellsWhatItSkipped)
{
    const fs::path root = CopyOfTestland();
    const fs::path folder = root / "data" / "scenarios" / "Testland";
    testing_support::WriteFile(folder / "weather.csv", "# x;y;state;flag\n1;1;2;2\n99;1;1;1\n");
    testing_support::WriteFile(folder / "winter_area.csv", "2;3;4;5;10;10;10;10;10;10;10;10;10;10;10;\n");
    const auto map = ReadWholeFile(folder / "map.qvr");
    sRun run = RunTool("build-map " + Quoted(folder));
    ASSERT_EQ(run.code, 0) << run.err;
    EXPECT_NE(run.out.find("wrote " + (folder / "output_map.qvr").string() + ": 20x16 hexes\n"), std::string::npos)
        << run.out;
    // The lines an author must see: a hex off the map, an empty month, a missing table.
    for (const char* part : {"hex (99, 1) lies outside the map", "WARNING: empty field in file",
                             "Loading mud_area.csv\n  ERROR: file does not exist\n"})
        EXPECT_NE(run.out.find(part), std::string::npos) << part << " missing from:\n" << run.out;
    EXPECT_EQ(ReadWholeFile(folder / "map.qvr"), map) << "the scenario's own map stays";
    const std::string built = ReadWholeFile(folder / "output_map.qvr").value_or("");
    // A byte of the record of hex (x, y); July's winter chance is its byte 28.
    auto byte = [](const std::string& file, int x, int y, int offset) {
        return int(uint8_t(file.at(size_t(268 + 37 * (y * 20 + x) + offset))));
    };
    ASSERT_EQ(built.size(), map->size());
    EXPECT_EQ(byte(built, 1, 1, 34), 2);     // mud
    EXPECT_EQ(byte(built, 1, 1, 35) & 2, 2); // and no roll
    EXPECT_EQ(byte(built, 3, 4, 28), byte(*map, 3, 4, 28) + 10);
    EXPECT_EQ(byte(built, 3, 5, 28), byte(*map, 3, 5, 28));

    // A save is no place for the tables, and a map that does not load is refused with its reason.
    EXPECT_EQ(RunTool("resave " + Quoted(folder) + " Saved").code, 0);
    run = RunTool("build-map " + Quoted(root / "data" / "save" / "Saved"));
    EXPECT_EQ(run.code, 1);
    EXPECT_NE(run.err.find("build-map works on a folder of data/scenarios"), std::string::npos) << run.err;
    testing_support::WriteFile(folder / "map.qvr", "Qvrv0");
    run = RunTool("build-map " + Quoted(folder));
    EXPECT_EQ(run.code, 1);
    EXPECT_NE(run.err.find("the map does not load"), std::string::npos) << run.err;
}

TEST(MapCompiler, WritesTheCommittedTestlandMapByteForByte)
{
    const fs::path out = MakeScratchDir("map");
    const std::string command = (BinDir() / "velmorant-mapc").string() + " " +
                                Quoted(FixtureDir() / "testland" / "map.txt") + " " + Quoted(out);
    ASSERT_EQ(std::system(command.c_str()), 0);
    auto fresh = ReadWholeFile(out / "map.qvr");
    auto committed = ReadWholeFile(FixtureDir() / "testland" / "data" / "scenarios" / "Testland" / "map.qvr");
    ASSERT_TRUE(fresh && committed);
    EXPECT_TRUE(*fresh == *committed)
        << "run velmorant-mapc tests/data/testland/map.txt tests/data/testland/data/scenarios/Testland";

    // A broken source names its line.
    const fs::path bad = MakeScratchDir("bad") / "map.txt";
    std::ofstream(bad) << "size 2 1\nterrain\n1x\nowner\n11\nseazone\n..\n";
    const std::string failing = (BinDir() / "velmorant-mapc").string() + " " + Quoted(bad) + " " + Quoted(out) +
                                " 2> " + Quoted(out / "err");
    EXPECT_NE(std::system(failing.c_str()), 0);
    EXPECT_NE(ReadWholeFile(out / "err").value_or("").find("terrain at (1, 0)"), std::string::npos);
}
