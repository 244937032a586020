// velmorant-tool: a headless tool for scenario authors and tests.
//   velmorant-tool check PATH        loads the scenario, save or play-by-e-mail folder at
//                                    PATH and tells what it holds and what the load changed
//                                    or left out (exit 0), or why it does not load (exit 1)
//   velmorant-tool resave PATH NAME  loads PATH and saves it as the save NAME of the same
//                                    game root (data/save/NAME)
//   velmorant-tool fuzz PATH [CASES [SEED]]
//                                    loads CASES damaged copies of the files of PATH and
//                                    reports each that neither loads nor is refused with a
//                                    reason, or loads but does not play two impulses
//                                    cleanly (exit 1 when there is one)
//   velmorant-tool ai-turns PATH [SEED]
//                                    plays one computer turn of every country (all of
//                                    them computers) and prints the seconds per country
//                                    and per phase of the turn
//   velmorant-tool play PATH [--impulses N] [--seed S] [--human none|ID,ID...] [--save NAME]
//                       [--save-every PREFIX [--save-at N,N...]] [--summary FILE] [--quiet]
//                                    plays PATH headlessly (see play.h)
//   velmorant-tool bench-supply PATH [N]  loads PATH and times N supply passes (default 5)
//   velmorant-tool events PATH       loads PATH and writes each of its event files as plain
//                                    text beside it (the file's name without ".xml")
//   velmorant-tool build-map PATH    rebuilds the map of the scenario at PATH with its
//                                    weather.csv, winter_area.csv and mud_area.csv into
//                                    output_map.qvr beside its map.qvr
// PATH is <root>/data/scenarios/<name>, <root>/data/save/<name> or <root>/data/pbem/<name>;
// the files are read from <root> as the game reads them.
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <iostream>
#include <string>
#include <vector>

#include "core/fatal.h"
#include "core/console_log.h"
#include "core/log.h"
#include "core/stringbase.h"
#include "core/text.h"
#include "events/events.h"
#include "game/game.h"
#include "game/load_files.h"
#include "game/load_request.h"
#include "game/paths.h"
#include "game/play_counts.h"
#include "game/save_game.h"
#include "platform/paths.h"
#include "units/land_unit.h"
#include "world/map.h"
#include "world/sea_graph.h"
#include "tools/tool/ai_turns.h"
#include "tools/tool/bench_supply.h"
#include "tools/tool/fuzz.h"
#include "tools/tool/play.h"
#include "core/random.h"

namespace fs = std::filesystem;

namespace {

int Usage()
{
    std::cerr << "usage: velmorant-tool check PATH\n"
                 "       velmorant-tool resave PATH NAME\n"
                 "       velmorant-tool fuzz PATH [CASES [SEED]]\n"
                 "       velmorant-tool ai-turns PATH [SEED]\n"
                 "       velmorant-tool play PATH [--impulses N] [--seed S] [--human none|ID,ID...] [--save NAME]\n"
                 "                           [--save-every PREFIX [--save-at N,N...]] [--summary FILE] [--quiet]\n"
                 "       velmorant-tool bench-supply PATH [N]\n"
                 "       velmorant-tool events PATH\n"
                 "       velmorant-tool build-map PATH\n"
                 "PATH is a folder ROOT/data/scenarios/NAME, ROOT/data/save/NAME or ROOT/data/pbem/NAME\n";
    return 2;
}

// The request for the folder, with the working folder moved to its game root.
bool PrepareRequest(const std::string& pathText, sGameLoadRequest& request, fs::path* rootOut = nullptr,
                    fs::path* folderOut = nullptr)
{
    std::error_code ec;
    fs::path folder = fs::weakly_canonical(fs::absolute(pathText, ec), ec);
    if (ec || !fs::is_directory(folder, ec)) {
        std::cerr << "velmorant-tool: " << pathText << ": no such folder\n";
        return false;
    }
    const std::string name = folder.filename().string();
    const std::string kind = folder.parent_path().filename().string();
    const fs::path data = folder.parent_path().parent_path();
    if (data.filename() != "data" || (kind != "scenarios" && kind != "save" && kind != "pbem")) {
        std::cerr << "velmorant-tool: " << pathText
                  << ": not a folder of data/scenarios, data/save or data/pbem under a game root\n";
        return false;
    }
    fs::current_path(data.parent_path(), ec);
    if (ec) {
        std::cerr << "velmorant-tool: cannot enter the game root " << data.parent_path().string() << "\n";
        return false;
    }
    if (rootOut)
        *rootOut = data.parent_path();
    if (folderOut)
        *folderOut = folder;
    const std::wstring wname = Utf8ToWide(name);
    request = kind == "scenarios" ? sGameLoadRequest::ForScenario(wname)
              : kind == "save"    ? sGameLoadRequest::ForSave(wname)
                                  : sGameLoadRequest::ForPbem(wname);
    return true;
}

// How many log lines there were when the load failed: the teardown's lines come after.
size_t g_LinesAtFailure = 0;

std::vector<std::wstring> LogLinesOfRun();

// The throwing handler, which also remembers where in the log the failure stands.
void UseReportingFatalHandler()
{
    SetFatalHandler([](int code, const std::wstring& reason) {
        if (!reason.empty())
            g_Console.WriteLine(reason);
        g_LinesAtFailure = LogLinesOfRun().size();
        throw sFatalExit(code, reason);
    });
}

// The texts of the refusals come from the language table: the game root's, or else the one
// of the build the tool belongs to; without either the keys themselves are looked up.
void LoadLanguageTable()
{
    if (g_StringBase.Load("lang_LANGID.db", true))
        return;
    std::error_code ec;
    const fs::path exe = fs::read_symlink("/proc/self/exe", ec);
    if (!ec)
        g_StringBase.Load((exe.parent_path().parent_path() / "game" / "lang_LANGID.db").string(), true);
}

std::vector<std::wstring> LogLinesOfRun()
{
    g_Console.Flush();
    std::vector<std::wstring> lines;
    auto bytes = ReadWholeFile(g_Console.GetPath());
    if (!bytes)
        return lines;
    std::string data = *bytes;
    if (data.size() >= 2 && uint8_t(data[0]) == 0xFF && uint8_t(data[1]) == 0xFE)
        data.erase(0, 2);
    const std::wstring text = Utf16ToWide(LEBytesToUtf16(data));
    size_t start = 0;
    for (size_t end; (end = text.find(L"\r\n", start)) != std::wstring::npos; start = end + 2) {
        std::wstring line = text.substr(start, end - start);
        // The lock's trace says nothing to an author.
        if (line.rfind(L"AC:", 0) != 0 && line.rfind(L"RC:", 0) != 0 && !line.empty())
            lines.push_back(std::move(line));
    }
    return lines;
}

// The last log lines before the failure (or the log's end when nothing failed).
std::vector<std::wstring> LogBeforeFailure(size_t count)
{
    std::vector<std::wstring> lines = LogLinesOfRun();
    const size_t end = g_LinesAtFailure > 0 ? std::min(g_LinesAtFailure, lines.size()) : lines.size();
    const size_t begin = end - std::min(count, end);
    return std::vector<std::wstring>(lines.begin() + std::ptrdiff_t(begin), lines.begin() + std::ptrdiff_t(end));
}

// Loads the game; on a load error prints the reason with the log lines before it.
cGra* Load(const std::string& pathText, const sGameLoadRequest& request)
{
    try {
        cGra* game = LoadGame(request);
        // A save the tool wrote carries its totals of play beside the game's files.
        if (game && request.loadedFromSave)
            g_PlayCounts.Load(request.folderPattern);
        return game;
    } catch (const sFatalExit& e) {
        std::cerr << "velmorant-tool: " << pathText << " does not load: " << WideToUtf8(WithForwardSlashes(e.reason))
                  << "\n";
        std::cerr << "the log before it:\n";
        for (const std::wstring& line : LogBeforeFailure(e.reason.empty() ? 7 : 6))
            std::cerr << "  " << WideToUtf8(line) << "\n";
        return nullptr;
    }
}

void PrintSummary(const cGra& game)
{
    size_t reserveLand = 0, reserveAir = 0;
    for (const cUnit* u : game.m_Reserve)
        (u->m_Category == CATEGORY_AIR ? reserveAir : reserveLand)++;
    std::cout << "scenario: " << WideToUtf8(game.m_ScenarioName) << "\n"
              << "date: impulse " << game.m_Date[0] << ", month " << game.m_Date[1] << ", year " << game.m_Date[2]
              << ", turn " << game.m_Turn << "\n"
              << "countries: " << game.m_Countries.size() << "\n"
              << "cities: " << game.m_Cities.size() << "\n"
              << "land units: " << game.m_LandUnits.size() << " on the map, "
              << game.m_LandUnits2.size() + game.m_LandUnits3.size() << " aboard ships, " << reserveLand
              << " in reserve\n"
              << "air units: " << game.m_AirUnits.size() << " on the map, " << reserveAir << " in reserve\n"
              << "naval units: " << game.m_NavalUnits.size() << " at sea, " << game.m_NavalReserve.size()
              << " in reserve\n"
              << "fleets: " << game.m_Fleets.size() << "\n"
              << "sea nodes: " << (game.m_SeaGraph ? game.m_SeaGraph->NodeCount() : 0) << "\n"
              << "events: " << (game.m_Events ? game.m_Events->events.size() : 0) << "\n"
              << "commanders: " << game.m_Commanders.size() << "\n";
}

// What the load told of its files: every value it changed and every row it left out. The
// game goes on with them, so the author reads them here rather than in a log.
void PrintLoadWarnings()
{
    std::vector<std::wstring> told;
    for (const std::wstring& line : LogLinesOfRun())
        if (line.rfind(L"WARNING", 0) == 0 || line.rfind(L"ERROR", 0) == 0)
            told.push_back(line);
    for (const sRowsLeftOut& entry : RowsLeftOut())
        told.push_back(FormatText(entry.rows == 1 ? L"%i row of %s left out" : L"%i rows of %s left out", entry.rows,
                                  entry.file));
    if (told.empty())
        return;
    std::cout << "told while loading:\n";
    for (const std::wstring& line : told)
        std::cout << "  " << WideToUtf8(WithForwardSlashes(line)) << "\n";
}

// Writes the plain-text dump of every event file of the loaded game; 1 when one of them
// could not be written. The author reaches the dump here: the scenario settings, whose
// controls are all the player's, have none for it.
int DumpEvents(cGra& game)
{
    if (!game.m_Events || game.m_Events->documents.empty()) {
        std::cout << "no event files\n";
        return 0;
    }
    const std::vector<std::string> written = game.m_Events->DumpAllEvents();
    for (const std::string& path : written)
        std::cout << "wrote " << fs::absolute(HostPath(path)).string() << "\n";
    if (written.size() == game.m_Events->documents.size())
        return 0;
    std::cerr << "velmorant-tool: " << game.m_Events->documents.size() - written.size()
              << " event files were not dumped:\n";
    for (const std::wstring& line : LogBeforeFailure(4))
        std::cerr << "  " << WideToUtf8(line) << "\n";
    return 1;
}

// The map rebuild of a scenario folder, with the log lines of its tables (missing files,
// skipped lines) printed for the author.
int BuildMap(const std::string& pathText, const sGameLoadRequest& request, const fs::path& folder)
{
    if (folder.parent_path().filename() != "scenarios") {
        std::cerr << "velmorant-tool: " << pathText << ": build-map works on a folder of data/scenarios\n";
        return 1;
    }
    try {
        cMapa map(request.folderPattern);
        const size_t linesBefore = LogLinesOfRun().size();
        const bool built = map.BuildFromScenario(request.folderPattern);
        const std::vector<std::wstring> lines = LogLinesOfRun();
        for (size_t i = std::min(linesBefore, lines.size()); i < lines.size(); ++i)
            std::cout << "  " << WideToUtf8(lines[i]) << "\n";
        if (!built) {
            std::cerr << "velmorant-tool: " << pathText << ": output_map.qvr was not written\n";
            return 1;
        }
        std::cout << "wrote " << (folder / "output_map.qvr").string() << ": " << map.width << "x" << map.height
                  << " hexes\n";
        return 0;
    } catch (const sFatalExit& e) {
        std::cerr << "velmorant-tool: " << pathText << ": the map does not load: " << WideToUtf8(e.reason) << "\n";
        for (const std::wstring& line : LogBeforeFailure(4))
            std::cerr << "  " << WideToUtf8(line) << "\n";
        return 1;
    }
}

} // namespace

int main(int argc, char** argv)
{
    const std::vector<std::string> args(argv + 1, argv + argc);
    const bool check = args.size() == 2 && args[0] == "check";
    const bool resave = args.size() == 3 && args[0] == "resave";
    const bool fuzz = args.size() >= 2 && args.size() <= 4 && args[0] == "fuzz";
    const bool aiTurns = (args.size() == 2 || args.size() == 3) && args[0] == "ai-turns";
    const bool play = args.size() >= 2 && args[0] == "play";
    const bool bench = (args.size() == 2 || args.size() == 3) && args[0] == "bench-supply";
    const bool events = args.size() == 2 && args[0] == "events";
    const bool buildMap = args.size() == 2 && args[0] == "build-map";
    if (!check && !resave && !fuzz && !aiTurns && !play && !bench && !events && !buildMap)
        return Usage();
    sPlayOptions playOptions;
    if (play && !ParsePlayOptions(std::vector<std::string>(args.begin() + 2, args.end()), playOptions))
        return Usage();
    unsigned seed = 1;
    if (aiTurns && args.size() == 3) {
        try {
            seed = unsigned(std::stoul(args[2]));
        } catch (const std::exception&) {
            return Usage();
        }
    }

    // The log goes to a file of its own, never into the folder the tool was started in (a
    // game running there keeps its ConsoleOut.txt); it is kept only where VELMORANT_TOOL_LOG
    // names it, for reading what a war's opponent did.
    const char* keptLog = std::getenv("VELMORANT_TOOL_LOG");
    const fs::path log = keptLog && *keptLog ? fs::path(keptLog)
        : fs::temp_directory_path() / ("velmorant-tool-" + std::to_string(getpid()) + ".log");
    g_Console.Reopen(log);
    std::error_code ec;
    UseReportingFatalHandler();

    int result = 1;
    sGameLoadRequest request;
    if (fuzz) {
        sFuzzOptions options;
        try {
            if (args.size() > 2)
                options.cases = std::stoi(args[2]);
            if (args.size() > 3)
                options.seed = uint32_t(std::stoul(args[3]));
        } catch (const std::exception&) {
            return Usage();
        }
        if (PrepareRequest(args[1], options.request, &options.root, &options.folder)) {
            LoadLanguageTable();
            result = RunFuzz(options);
        }
    } else if (fs::path folder; buildMap && PrepareRequest(args[1], request, nullptr, &folder)) {
        LoadLanguageTable();
        result = BuildMap(args[1], request, folder);
    } else if (!buildMap && PrepareRequest(args[1], request)) {
        LoadLanguageTable();
        // One seed gives one game: the creation of a new scenario draws numbers too.
        if (play)
            SeedRandom(playOptions.seed);
        if (cGra* game = Load(args[1], request)) {
            if (play) {
                playOptions.lastLogLines = [](size_t count) { return LogBeforeFailure(count); };
                result = RunPlay(*game, playOptions);
            } else if (check) {
                PrintSummary(*game);
                PrintLoadWarnings();
                result = 0;
            } else if (aiTurns) {
                result = RunAITurns(*game, seed);
            } else if (events) {
                result = DumpEvents(*game);
            } else if (bench) {
                BenchSupply(*game, args.size() == 3 ? std::max(1, std::atoi(args[2].c_str())) : 5);
                result = 0;
            } else if (std::wstring why; SaveWithTotalsOfPlay(Utf8ToWide(args[2]), &why)) {
                // The folder as it stands: the blanks around the name typed are no part of it.
                std::cout << "saved as data/save/" << WideToUtf8(NormalizeSaveName(Utf8ToWide(args[2]))) << "\n";
                result = 0;
            } else {
                std::cerr << "velmorant-tool: the game was not saved as " << args[2] << ": " << WideToUtf8(why) << "\n";
                for (const std::wstring& line : LogBeforeFailure(4))
                    std::cerr << "  " << WideToUtf8(line) << "\n";
            }
            try {
                DeleteGameObject();
            } catch (const sFatalExit& e) {
                std::cerr << "velmorant-tool: teardown: " << WideToUtf8(e.reason) << "\n";
            }
        }
    }
    g_Console.Flush();
    if (!keptLog || !*keptLog)
        fs::remove(log, ec);
    return result;
}
