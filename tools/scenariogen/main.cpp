// velmorant-scenariogen: builds the bundled scenario from the sources beside it.
//   velmorant-scenariogen SOURCES OUTPUT
// SOURCES is tools/scenariogen (europe/ the geography, europe1939/ the rest); OUTPUT the
// scenario folder, data/scenarios/Europe1939. The generator writes a draft into a game
// root of its own, lets the game load it, and keeps what the game's writers write back.
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <iostream>
#include <sstream>

#include "core/fatal.h"
#include "core/ini.h"
#include "core/console_log.h"
#include "core/log.h"
#include "core/text.h"
#include "game/game.h"
#include "game/load_request.h"
#include "game/save_game.h"
#include "platform/paths.h"
#include "tools/scenariogen/output.h"

namespace fs = std::filesystem;

namespace {

// The files of a scenario that the game writes back after loading them.
const char* const kWrittenByTheGame[] = {
    "PlayerDefinedPlaces.txt", "ai_data.csv", "air_units.csv",  "airrecon_units.csv", "cities.csv",
    "commanders.csv",          "convoys.csv", "countries.csv",  "flags.txt",          "fleets.csv",
    "land_units.csv",          "losses.csv",  "map.qvr",        "naval_units.csv",    "relations.csv",
    "sea_nodes.csv",           "unit_names.csv"};
// The files only a scenario holds: the game reads them and never writes them.
const char* const kScenarioOnly[] = {"Info.ini",       "consts.csv",  "events.xml",
                                     "event_files.txt", "sea_edges.csv", "cities_diagram.csv"};

// The lines of the game's log that warn or report an error: a scenario must load
// without any.
std::vector<std::string> LoadComplaints()
{
    g_Console.Flush();
    std::vector<std::string> out;
    auto bytes = ReadWholeFile(g_Console.GetPath());
    if (!bytes)
        return out;
    std::string data = *bytes;
    if (data.size() >= 2 && uint8_t(data[0]) == 0xFF && uint8_t(data[1]) == 0xFE)
        data.erase(0, 2);
    const std::string text = WideToUtf8(Utf16ToWide(LEBytesToUtf16(data)));
    std::istringstream lines(text);
    std::string line;
    while (std::getline(lines, line))
        if (line.find("WARNING") != std::string::npos || line.find("ERROR") != std::string::npos ||
            line.find("Warning") != std::string::npos)
            out.push_back(line);
    return out;
}

int Fail(const std::string& what)
{
    std::cerr << "velmorant-scenariogen: " << what << "\n";
    return 1;
}

bool CopyFile(const fs::path& from, const fs::path& to, std::string& error)
{
    std::error_code ec;
    fs::copy_file(from, to, fs::copy_options::overwrite_existing, ec);
    if (ec)
        error = "cannot copy " + from.string() + " to " + to.string() + ": " + ec.message();
    return !ec;
}

// Info.ini through the game's INI writer, the map's size taken from the grid.
bool WriteInfo(const sScenario& s, const fs::path& source, const fs::path& target, std::string& error)
{
    cIniFile ini;
    if (!ini.Load(source)) {
        error = source.string() + ": cannot read";
        return false;
    }
    ini.SetInt("Map/SizeX", s.geo.grid.width);
    ini.SetInt("Map/SizeY", s.geo.grid.height);
    if (!ini.SaveAs(target)) {
        error = target.string() + ": cannot write";
        return false;
    }
    return true;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 3) {
        std::cerr << "usage: velmorant-scenariogen SOURCES OUTPUT\n";
        return 2;
    }
    std::error_code ec;
    const fs::path sources = fs::absolute(argv[1], ec);
    const fs::path output = fs::absolute(argv[2], ec);
    const fs::path europe = sources / "europe";
    const fs::path scenario = sources / "europe1939";

    sScenario s;
    std::string error;
    if (!ReadGeography(europe.string(), s.geo, error) ||
        !ReadCountries((scenario / "countries.txt").string(), s, error) ||
        !ReadCities((europe / "cities_1939.txt").string(), s, error) || !ReadRules(scenario.string(), s, error))
        return Fail(error);
    MarkLandMasses(s);
    if (!PlaceCities(s, error))
        return Fail(error);
    BuildSeaGraph(s);
    BuildCityGraph(s);
    if (!ReadForces((scenario / "forces.txt").string(), s, error) || !PlaceUnits(s, error))
        return Fail(error);

    // The draft, in a game root of its own.
    const fs::path root = fs::temp_directory_path() / ("velmorant-scenariogen-" + std::to_string(getpid()));
    const fs::path draft = root / "data" / "scenarios" / kScenarioName;
    fs::remove_all(root, ec);
    fs::create_directories(draft, ec);
    fs::create_directories(output, ec);
    if (!fs::is_directory(draft) || !fs::is_directory(output))
        return Fail("cannot create " + draft.string() + " or " + output.string());
    bool ok = WriteMap(s, draft.string(), error) && WriteDraftTables(s, draft.string(), error) &&
              WriteDraftAIData(s, (scenario / "ai_data.txt").string(), draft.string(), error) &&
              WriteDraftEvents(s, (scenario / "events.xml").string(), draft.string(), error) &&
              WriteDraftUnitNames(s, (scenario / "unit_names.csv").string(), draft.string(), error) &&
              WriteInfo(s, scenario / "Info.ini", draft / "Info.ini", error);
    ok = ok && CopyFile(scenario / "consts.csv", draft / "consts.csv", error);
    if (!ok) {
        fs::remove_all(root, ec);
        return Fail(error);
    }

    // The game loads the draft and writes it back.
    const fs::path log = root / "generator.log";
    g_Console.Reopen(log);
    UseThrowingFatalHandler();
    const fs::path started = fs::current_path(ec);
    fs::current_path(root, ec);
    int result = 0;
    try {
        sGameLoadRequest request = sGameLoadRequest::ForScenario(Utf8ToWide(kScenarioName));
        request.asWritten = true;
        if (!LoadGame(request))
            throw sFatalExit(1, L"the game was not created");
        const std::vector<std::string> complaints = LoadComplaints();
        for (const std::string& line : complaints)
            std::cerr << "velmorant-scenariogen: the game's log: " << line << "\n";
        if (!complaints.empty())
            throw sFatalExit(1, L"the draft loads with warnings");
        fs::create_directories(root / "written", ec);
        WriteSaveFiles(L"written");
        DeleteGameObject();
        for (const char* name : kWrittenByTheGame)
            if (!CopyFile(root / "written" / name, output / name, error))
                throw sFatalExit(1, Utf8ToWide(error));
        for (const char* name : kScenarioOnly)
            if (!CopyFile(draft / name, output / name, error))
                throw sFatalExit(1, Utf8ToWide(error));
    } catch (const sFatalExit& e) {
        g_Console.Flush();
        std::cerr << "velmorant-scenariogen: the game refused the draft: " << WideToUtf8(e.reason)
                  << "\nthe draft and its log stay in " << root.string() << "\n";
        result = 1;
    }
    fs::current_path(started, ec);
    if (result == 0 && !WritePictures(s, output.string(), error))
        result = Fail(error);
    for (const std::string& w : s.warnings)
        std::cout << "note: " << w << "\n";
    if (result == 0)
        fs::remove_all(root, ec);
    return result;
}
