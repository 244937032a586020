#include "game/places_flags.h"

#include <algorithm>
#include <climits>
#include <optional>
#include <vector>

#include "core/fatal.h"
#include "core/log.h"
#include "core/text.h"
#include "game/load_files.h"
#include "game/paths.h"
#include "game/save_files.h"
#include "game/table_fields.h"
#include "platform/paths.h"

namespace {

struct sPair
{
    int line;
    int first;
    int second;
};

// Lines holding a ';' that is neither their first nor their last character, as two
// numbers (names: what the file calls them); comments and empty lines are skipped. A field
// that is no whole number refuses the file with its line and column, unless `lenient`: then
// the line is told in the log and read as (-1, -1).
std::vector<sPair> ReadPairs(std::string_view text, const std::wstring& path, const wchar_t* firstName,
                             const wchar_t* secondName, bool lenient = false)
{
    std::vector<sPair> pairs;
    int lineNumber = 0;
    for (const std::string& line : SplitLines(text)) {
        ++lineNumber;
        if (line.empty() || line[0] == '#')
            continue;
        const size_t semi = line.find(';');
        if (semi == std::string::npos || semi == 0 || semi == line.size() - 1)
            continue;
        const cTableFields row(path, lineNumber, SplitText(std::string_view(line), ';'));
        if (!lenient) {
            pairs.push_back(
                {lineNumber, row.Int(0, INT_MIN, INT_MAX, firstName), row.Int(1, INT_MIN, INT_MAX, secondName)});
            continue;
        }
        sPair pair{lineNumber, -1, -1};
        const std::optional<long long> first = WholeNumberIn(row.Text(0)), second = WholeNumberIn(row.Text(1));
        if (first && second) {
            pair.first = int(std::clamp<long long>(*first, INT_MIN, INT_MAX));
            pair.second = int(std::clamp<long long>(*second, INT_MIN, INT_MAX));
        } else {
            const size_t k = first ? 1 : 0;
            LogLine(L"WARNING: %s: \"%s\" is not a whole number; the place is left unset",
                    row.Where(k, k == 0 ? firstName : secondName), TrimSpaces(row.Text(k)).substr(0, 40));
        }
        pairs.push_back(pair);
    }
    return pairs;
}

} // namespace

void ReadPlayerPlaces(std::string_view text, sCameraBookmarks& places, int mapWidth, int mapHeight,
                      const std::wstring& path)
{
    int slot = 0;
    // A bookmark is no reason to refuse a game: a place that cannot be read is left unset and
    // keeps its slot, so the places after it keep their digits. flags.txt stays strict: a
    // flag read wrong would change what the scripted events do, unseen.
    for (const sPair& p : ReadPairs(text, path, L"hexX", L"hexY", true)) {
        const bool unset = p.first == -1 && p.second == -1;
        const bool offMap = p.first < -1 || p.second < -1 || (mapWidth > 0 && p.first >= mapWidth) ||
                            (mapHeight > 0 && p.second >= mapHeight);
        // A place off the map would send the view where no hex is: its slot stays unset, and
        // the places after it keep their own digits.
        if (!unset && offMap)
            LogLine(L"ERROR: PlayerDefinedPlaces.txt, line %i: (%i, %i) is off the map; the place is left unset", p.line,
                    p.first, p.second);
        places.slots[size_t(slot)] = offMap ? std::make_pair(-1, -1) : std::make_pair(p.first, p.second);
        if (slot < sCameraBookmarks::kSlots - 1)
            ++slot;
    }
}

std::string EncodePlayerPlaces(const sCameraBookmarks& places)
{
    std::string out = "#Player defined places\r\n#Set using by Ctrl+<num> combination\r\n#Go to using <num> key)\r\n"
                      "#Format: hexX;hexY\r\n";
    for (const auto& [x, y] : places.slots)
        out += std::to_string(x) + ";" + std::to_string(y) + "\r\n";
    return out;
}

void LoadPlayerPlaces(std::wstring_view pattern, sCameraBookmarks& places, int mapWidth, int mapHeight)
{
    places.Clear();
    LogLine(L"Opening PlayerDefinedPlaces.txt...");
    const std::wstring path = JoinPathPattern(pattern, L"PlayerDefinedPlaces.txt");
    auto bytes = ReadLoadTextFile(path);
    if (!bytes) {
        LogLine(L"Unable to open PlayerDefinedPlaces.txt");
        return;
    }
    LogLine(L"Opened. Reading...");
    RefuseIfHeadingLost(path, *bytes);
    ReadPlayerPlaces(*bytes, places, mapWidth, mapHeight, path);
}

void SavePlayerPlaces(std::wstring_view folder, const sCameraBookmarks& places)
{
    LogLine(L"Saving PlayerDefinedPlaces.txt...");
    if (!WriteSaveFile(JoinFolder(folder, L"PlayerDefinedPlaces.txt"), EncodePlayerPlaces(places)))
        LogLine(L"Unable to save PlayerDefinedPlaces.txt");
}

void ReadFlags(std::string_view text, EventFlags& flags, const std::wstring& path)
{
    flags.fill(0);
    for (const sPair& p : ReadPairs(text, path, L"flag no", L"flag value")) {
        if (p.first < 0 || p.first >= kFlagCount) {
            LogLine(L"ERROR: flags.txt, line %i: flag number %i is not within 0 and %i; line skipped", p.line, p.first,
                    kFlagCount - 1);
            continue;
        }
        flags[size_t(p.first)] = p.second;
    }
}

std::string EncodeFlags(const EventFlags& flags)
{
    std::string out = "# flag no;flag value\r\n";
    for (int n = 0; n < kFlagCount; ++n)
        if (flags[size_t(n)] != 0)
            out += std::to_string(n) + ";" + std::to_string(flags[size_t(n)]) + ";\r\n";
    return out;
}

void LoadFlags(std::wstring_view pattern, EventFlags& flags)
{
    const std::wstring path = JoinPathPattern(pattern, L"flags.txt");
    std::string bytes = ReadLoadFileOrFail(path, L"Otwieram plik flag ze sciezka...", L"Blad otwarcia pliku (nie istnieje?)");
    ReadFlags(bytes, flags, path);
}

void SaveFlags(std::wstring_view folder, const EventFlags& flags)
{
    const std::wstring path = JoinFolder(folder, L"flags.txt");
    LogLine(L"Opening file for writing...");
    LogLine(path);
    if (!WriteSaveFile(path, EncodeFlags(flags)))
        FailSaveFile(path);
    LogLine(L"Otwarcie OK");
}
