// Info.ini: the description of a scenario, and where a saved game stands.
#include <algorithm>
#include <charconv>
#include <climits>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <optional>
#include <vector>

#include "core/fatal.h"
#include "core/format.h"
#include "core/ini.h"
#include "core/log.h"
#include "core/random.h"
#include "core/stringbase.h"
#include "core/text.h"
#include "core/version.h"
#include "game/game.h"
#include "game/load_files.h"
#include "game/paths.h"
#include "game/save_game.h"
#include "game/save_files.h"
#include "game/table_fields.h"
#include "world/sea_graph.h"
#include "platform/paths.h"

namespace {

constexpr size_t kMaxScenarioName = 499;

// A player's name and e-mail address keep 99 characters, the game's name 199; a text cut
// short is logged, as it then differs from the file's.
constexpr size_t kMaxPbemGameNameLength = 199;

std::wstring Truncated(const std::wstring& text, const char* key, size_t limit = kMaxNameLength)
{
    if (text.size() <= limit)
        return text;
    LogLine(L"Info.ini: %S is longer than %i characters and is cut short", key, int(limit));
    return text.substr(0, limit);
}

constexpr int kMaxDateNumber = 9999;
constexpr int kMaxTurns = 1000000;
constexpr int kMaxSavedId = 100000000;

// A generator's state: a number of 0 to 4294967295, or none (an older save, or damage).
std::optional<uint32_t> RandomStateKey(const cIniFile& ini, const char* key)
{
    const std::optional<std::wstring> text = ini.Find(key);
    if (!text)
        return std::nullopt;
    const std::string digits = WideToUtf8(*text);
    if (digits.empty() || digits.size() > 10 || digits.find_first_not_of("0123456789") != std::string::npos) {
        LogLine(L"WARNING: Info.ini: %S is \"%s\", not a state of the random numbers; they start from the clock", key,
                *text);
        return std::nullopt;
    }
    const unsigned long long value = std::stoull(digits);
    if (value > UINT32_MAX)
        return std::nullopt;
    return uint32_t(value);
}

bool IsPlainFolderName(const std::wstring& name)
{
    if (name.empty() || name == L"." || name == L".." || name.size() > kMaxScenarioName)
        return false;
    return name.find_first_of(L"\\/:") == std::wstring::npos;
}

} // namespace

void cGra::ReadInfoIni(const sGameLoadRequest& request)
{
    const std::wstring path = JoinPathPattern(request.folderPattern, L"Info.ini");
    cIniFile ini;
    // Read as every file of a load is: a file beyond any Info.ini's size, or with a NUL byte,
    // is refused with its place before it is taken.
    const std::optional<std::string> text = ReadLoadTextFile(path);
    const bool read = text.has_value();
    if (read)
        ini.LoadFromText(*text, HostPath(path));
    if (!read && request.loadedFromSave != 0) {
        // A save whose folder has gone since the list was filled, or that lost its Info.ini:
        // with the defaults it would look for the consts of a scenario "unknown" and stop there
        // with the wrong file named, so it stops here with its own.
        std::wstring folder = JoinPathPattern(request.folderPattern, L"");
        if (!folder.empty() && folder.back() == L'\\')
            folder.pop_back();
        std::error_code ec;
        const bool folderGone = !std::filesystem::is_directory(HostPath(folder), ec);
        // Told as a missing file, the player would look for a damage that is not there.
        if (const std::optional<sFolderWithoutGame> none = FolderWithoutGame(folder))
            FatalExit(1, none->text);
        NoteUnreadableFile(folderGone ? folder : path);
        FatalExit(1, FormatText(L"ERROR: %s is missing or cannot be read", folderGone ? folder : path));
    }

    // A number of the file is a whole number: a slip that reads as 0 (or as its first digits)
    // would start the game on another date or turn, so it refuses the file with its line and key.
    auto whole = [&](const char* key, int def) {
        const std::optional<std::wstring> text = ini.Find(key);
        if (!text)
            return def;
        const std::optional<long long> value = WholeNumberIn(*text);
        if (!value)
            FatalExit(1, FormatText(L"%s, line %i (%S): \"%s\" is not a whole number", path, ini.LineOf(key), key,
                                    TrimSpaces(*text).substr(0, 40)));
        return int(std::clamp<long long>(*value, INT_MIN, INT_MAX));
    };
    // The date and the turns are counted on every impulse: kept to what a game can reach.
    auto clamped = [&](const char* key, int def, int lo, int hi) {
        return ClampedValue(whole(key, def), lo, hi, path, ini.LineOf(key), Utf8ToWide(key));
    };
    m_Date[0] = clamped("Save/Impulse", 0, 0, kMaxDateNumber);
    m_Date[1] = clamped("Save/GameMonth", 0, 0, 12);
    m_Date[2] = clamped("Save/GameYear", 0, 0, kMaxDateNumber);
    // Every save is written with the name of its scenario: a save without one was cut short.
    // Without it the tables would be looked for in a scenario "unknown", and the refusal would
    // name a file of that folder rather than this one.
    if (!ini.HasKey("Save/ScenarioName"))
        FatalExit(1, !read ? FormatText(L"ERROR: %s is missing or cannot be read", path)
                     : request.loadedFromSave != 0
                         ? FormatText(L"ERROR: %s names no scenario (Save/ScenarioName): the file is damaged or cut "
                                      L"short",
                                      path)
                         : FormatText(L"ERROR: %s has no ScenarioName in its [Save] section (Save/ScenarioName), "
                                      L"the name of the scenario's folder",
                                      path));
    m_ScenarioName = ini.GetString("Save/ScenarioName", L"unknown");
    // The name becomes a path: ".." or a separator would read (and save) outside data\scenarios.
    if (!IsPlainFolderName(m_ScenarioName))
        FatalExit(1, FormatText(L"ERROR: Info.ini: the scenario name \"%s\" is not the name of a scenario folder",
                                m_ScenarioName));
    m_Turn = clamped("Save/Turn", 0, 0, kMaxTurns);
    m_TurnsLeft = clamped("Duration/Turns", m_Turn, 0, kMaxTurns) - m_Turn;

    m_PbemPlayers.clear();
    m_IsPbem = ini.HasKey("Save/PBEMGameName");
    m_PbemGameName = m_IsPbem ? Truncated(ini.GetString("Save/PBEMGameName", L""), "Save/PBEMGameName",
                                          kMaxPbemGameNameLength)
                              : L"unknown";
    for (int n = 1; n <= kMaxPbemPlayers; ++n) {
        const std::string nameKey = "Save/PBEMPlayer" + std::to_string(n) + "Name";
        const std::string emailKey = "Save/PBEMPlayer" + std::to_string(n) + "Email";
        if (!ini.HasKey(nameKey) || !ini.HasKey(emailKey))
            break;
        m_PbemPlayers.push_back({n, Truncated(ini.GetString(nameKey, L""), nameKey.c_str()),
                                 Truncated(ini.GetString(emailKey, L""), emailKey.c_str())});
    }

    // The version is read as far as it is a number ("1.03b" is 1.03). Text that begins with no
    // number is a damaged file: told with its line, not taken as a save too old to load.
    double version = 1.0;
    if (const std::optional<std::wstring> text = ini.Find("Save/GameVersion")) {
        const std::string t = WideToUtf8(TrimSpaces(*text));
        const char* begin = t.data() + (!t.empty() && t[0] == '+' ? 1 : 0);
        const auto [end, ec] = std::from_chars(begin, t.data() + t.size(), version);
        if (ec != std::errc() || end == begin || !std::isfinite(version) || std::fabs(version) > 1e6)
            FatalExit(1, FormatText(L"%s, line %i (Save/GameVersion): \"%s\" is not a version number", path,
                                    ini.LineOf("Save/GameVersion"), TrimSpaces(*text).substr(0, 40)));
    }
    m_SaveGameVersion = float(version);
    m_DisplayedDate[0] = clamped("Save/GameDay", 1, 0, 31);
    // A save of the first turn shows again the day its scenario starts on, which may lie in
    // the month before the game's date.
    m_DisplayedDate[1] = clamped("Save/GameMonthDisplayed", m_Date[1], 0, 12);
    m_DisplayedDate[2] = clamped("Save/GameYearDisplayed", m_Date[2], 0, kMaxDateNumber);

    // Compared before the 1 is taken off, so that no value read can overflow. A size outside 1
    // to 6, or no whole number, takes the smallest, as it always has; a warning says so. Only
    // the name of a unit's size (division, corps...) hangs on it: no reason to refuse the game.
    auto unitSize = [&](const char* key, int smallest) {
        const std::optional<std::wstring> text = ini.Find(key);
        const std::optional<long long> value = text ? WholeNumberIn(*text) : std::optional<long long>(smallest);
        if (value && *value >= 1 && *value <= 6)
            return int(*value);
        if (value)
            LogLine(L"WARNING: %s, line %i (%S): %s is outside 1 to 6; taken as %i", path, ini.LineOf(key), key,
                    IntToText(*value), smallest);
        else
            LogLine(L"WARNING: %s, line %i (%S): \"%s\" is not a whole number; taken as %i", path, ini.LineOf(key),
                    key, TrimSpaces(*text).substr(0, 40), smallest);
        return smallest;
    };
    const int small = unitSize("Map/SmallUnitsSize", 1);
    m_SmallUnitsSize = small >= 2 ? small - 1 : 0;
    const int large = unitSize("Map/LargeUnitsSize", 2);
    m_LargeUnitsSize = large >= 2 ? large - 1 : 1;

    m_ScenarioFolderPattern = MakeFolderPattern(L"data\\scenarios", m_ScenarioName);

    // The month whose Mulberry lives were counted down (none in a new scenario): a loaded
    // game counts a month down once, as the unbroken game does, not again at its first impulse.
    if (ini.HasKey("Save/MulberryMonth"))
        m_MulberryMonth = clamped("Save/MulberryMonth", -666, -666, 12);

    // Whose view of the sea zones the counts of sea_nodes.csv are, so that a loaded game reads
    // them as the side they were counted for.
    m_SeaViewingCountry = clamped("Save/SeaViewingCountry", 0, 0, 255);

    m_SavedIds.reset();
    if (ini.HasKey("Save/LastLandUnitId")) {
        // A counter above the ids a table accepts could not give a next one.
        auto last = [&](const char* key) { return clamped(key, 0, 0, kMaxSavedId); };
        m_SavedIds = sNextIds{last("Save/LastConvoyId"), last("Save/LastFleetId"), last("Save/LastNavalUnitId"),
                              last("Save/LastLandUnitId"), last("Save/LastAirUnitId")};
    }
    m_SavedRandomStates.reset();
    const std::optional<uint32_t> main = RandomStateKey(ini, "Save/RandomMain");
    const std::optional<uint32_t> opponent = RandomStateKey(ini, "Save/RandomOpponent");
    if (main && opponent)
        m_SavedRandomStates = std::array<uint32_t, 2>{*main, *opponent};
}

void cGra::WriteSaveInfoIni(std::wstring_view saveFolder) const
{
    const std::wstring target = JoinFolder(saveFolder, L"Info.ini");
    // A save over a scenario's own files would destroy the scenario.
    if (IsInScenarioFolder(target)) {
        LogLine(L"ERROR: a save may not write into a scenario folder: %s", target);
        FailSaveFile(target);
    }
    // The scenario's own description, so that the save carries every key of it.
    cIniFile ini;
    ini.Load(HostPath(JoinPathPattern(MakeFolderPattern(L"data\\scenarios", m_ScenarioName), L"Info.ini")));

    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    ini.SetString("Save/Date", FormatText(L"%02d.%02d.%02d %02d:%02d", local.tm_year % 100, local.tm_mon + 1,
                                          local.tm_mday, local.tm_hour, local.tm_min));
    ini.SetInt("Save/Turn", m_Turn);
    ini.SetInt("Save/Impulse", m_Date[0]);
    ini.SetInt("Save/GameDay", m_DisplayedDate[0]);
    ini.SetInt("Save/GameMonth", m_Date[1]);
    ini.SetInt("Save/GameYear", m_Date[2]);
    ini.SetString("Save/ScenarioName", m_ScenarioName);
    ini.SetInt("Save/GameDayDisplayed", m_DisplayedDate[0]);
    ini.SetInt("Save/GameMonthDisplayed", m_DisplayedDate[1]);
    ini.SetInt("Save/GameYearDisplayed", m_DisplayedDate[2]);
    ini.SetString("Save/GameVersion", FormatText(L"%.2f", double(kGameVersion)));
    // What play reads beyond the description, so that the loaded game goes on exactly as the
    // saved one would: the Mulberry month, the sea zones' viewer, the id counters, the dice.
    ini.SetInt("Save/MulberryMonth", m_MulberryMonth);
    ini.SetInt("Save/SeaViewingCountry", m_SeaGraph ? m_SeaGraph->ViewingCountry : 0);
    ini.SetInt("Save/LastConvoyId", m_NextIds.convoy);
    ini.SetInt("Save/LastFleetId", m_NextIds.fleet);
    ini.SetInt("Save/LastNavalUnitId", m_NextIds.navalUnit);
    ini.SetInt("Save/LastLandUnitId", m_NextIds.landUnit);
    ini.SetInt("Save/LastAirUnitId", m_NextIds.airUnit);
    // The dice of both threads, so that a loaded game rolls what the unbroken one would have
    // rolled and goes on exactly as it; the saving thread is the main thread.
    ini.SetString("Save/RandomMain", IntToText(GetRandomState()));
    ini.SetString("Save/RandomOpponent", IntToText(GetOpponentRandomState()));
    if (m_IsPbem) {
        ini.SetString("Save/PBEMGameName", m_PbemGameName);
        int position = 1;
        for (const sPbemPlayer& p : m_PbemPlayers) {
            ini.SetString("Save/PBEMPlayer" + std::to_string(position) + "Name", p.name);
            ini.SetString("Save/PBEMPlayer" + std::to_string(position) + "Email", p.email);
            ++position;
        }
    }
    // Written as every file of a save is: the save's folder is put in place only once whole.
    WriteSaveFileOrFail(target, ini.BuildText());
}
