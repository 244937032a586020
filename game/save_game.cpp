#include "game/save_game.h"

#include <boost/algorithm/string/trim.hpp>
#include <algorithm>
#include <cstdint>
#include <cwctype>
#include <filesystem>
#include <optional>
#include <system_error>
#include <vector>

#include "core/fatal.h"
#include "core/format.h"
#include "core/lock.h"
#include "core/log.h"
#include "core/stringbase.h"
#include "core/text.h"
#include "game/air_tables.h"
#include "game/game.h"
#include "game/load_files.h"
#include "game/paths.h"
#include "game/places_flags.h"
#include "game/play_counts.h"
#include "game/presentation.h"
#include "game/save_files.h"
#include "platform/paths.h"
#include "units/unit_tables.h"
#include "world/city.h"
#include "world/convoys.h"
#include "world/country.h"
#include "world/map.h"
#include "world/relations.h"
#include "world/sea_graph.h"
#include "world/topography.h"

namespace fs = std::filesystem;

const std::array<const wchar_t*, kSaveFileCount> kSaveFileNames = {
    L"PlayerDefinedPlaces.txt", L"ai_data.csv",      L"air_units.csv",          L"cities.csv",
    L"sea_nodes.csv",           L"cities_supply_info.csv", L"cities_convoy_info.csv", L"commanders.csv",
    L"convoys.csv",             L"countries.csv",    L"flags.txt",              L"fleets.csv",
    L"land_units.csv",          L"losses.csv",       L"map.qvr",                L"Info.ini",
    L"naval_units.csv",         L"relations.csv",    L"topography.csv",         L"unit_names.csv",
    L"airship_attacks.csv",     L"airrecon_units.csv", L"reports.dat",          L"auto_events.csv",
};

namespace {

std::function<void(const wchar_t*)> g_FileWrittenHook;

// The save being written and the one it replaces lie beside the save's folder; '%'
// never stands in a save name, so neither can be mistaken for a save. So does the lock that
// a program holds while it writes, compares or settles the folders of that name: two
// programs on one game folder (the game and the tool, two players of one game by e-mail)
// would otherwise write into one working folder, or clear it under each other.
constexpr const wchar_t* kWritingSuffix = L"%saving";
constexpr const wchar_t* kReplacedSuffix = L"%old";
constexpr const wchar_t* kComparedSuffix = L"%compared";
constexpr const wchar_t* kLockSuffix = L"%lock";
constexpr const wchar_t* kLeftOverSuffixes[] = {kWritingSuffix, kReplacedSuffix, kComparedSuffix, kLockSuffix};

sAIParameters& ParametersOf(cPanstwo& country) { return country.AIParameters; }

void WriteOne(cGra& game, const std::wstring& folder, int index)
{
    switch (index) {
    case 0: SavePlayerPlaces(game, folder); break;
    case 1: WriteAIDataFile(game, folder, &ParametersOf); break;
    case 2: SaveAirUnits(folder); break;
    case 3: SaveCities(folder, game.m_Cities); break;
    case 4:
        if (game.m_SeaGraph)
            game.m_SeaGraph->SaveNodes(folder);
        break;
    case 5: SaveCitySupplyInfo(folder, game.m_Cities); break;
    case 6: SaveCityConvoyInfo(folder, game.m_Cities); break;
    case 7: WriteCommandersFile(game, folder); break;
    case 8:
        if (game.m_Convoys)
            game.m_Convoys->SaveConvoys(folder);
        break;
    case 9: SaveCountries(folder, game.m_Countries); break;
    case 10: SaveFlags(folder, game.m_Flags); break;
    case 11: SaveFleets(folder); break;
    case 12: SaveLandUnits(folder); break;
    case 13:
        if (game.m_Relations)
            game.m_Relations->SaveLosses(folder);
        break;
    case 14:
        if (game.m_Mapa)
            game.m_Mapa->Save(folder, nullptr);
        break;
    case 15: game.WriteSaveInfoIni(folder); break;
    case 16: SaveNavalUnits(folder); break;
    case 17:
        if (game.m_Relations)
            game.m_Relations->SaveRelations(folder);
        break;
    case 18:
        if (game.m_StrategicMoves)
            game.m_StrategicMoves->Save(folder);
        break;
    case 19: WriteUnitNamesFile(game, folder); break;
    case 20: SaveAirshipAttacks(folder, game.m_Countries); break;
    case 21: SaveAirReconUnits(game, folder); break;
    case 22:
        if (game.m_Reports)
            game.m_Reports->Save(folder);
        break;
    case 23:
        if (game.m_AutoEvents)
            game.m_AutoEvents->Save(folder);
        break;
    default: break;
    }
}

bool Exists(const fs::path& path)
{
    std::error_code ec;
    return fs::exists(path, ec);
}

void RemoveAll(const fs::path& path)
{
    std::error_code ec;
    fs::remove_all(path, ec);
}

// What a failed save tells the player of why it failed; nothing when the save went well. Its
// text comes from the language table and may be empty: it never tells success from failure.
using tSaveFailure = std::optional<std::wstring>;

// Writes every file into the writing folder, and what the caller writes alongside.
tSaveFailure WriteAllCatchingFailure(const std::wstring& folder, const tSaveAlongside& alongside = {})
{
    TakeSaveFileFailure(); // one of before this save is not this save's
    // Every writer ends the program on a failure; here that failure is caught so that
    // the running game survives it.
    const std::optional<std::wstring> failure = RunCatchingFatal([&] {
        WriteSaveFiles(folder);
        if (alongside)
            alongside(folder);
    });
    if (failure)
        LogLine(L"ERROR: %s", failure->empty() ? L"a file could not be written" : *failure);
    // The write that failed, with the system's reason: on a full disk the files after it are
    // missing too, and the first missing one may be a file that was never tried. Some writers
    // only log a failure (the bookmarks, the map), and a file cut short is there all the same.
    if (const std::optional<sSaveFileFailure> written = TakeSaveFileFailure())
        return LangFormat("save_failed_file_not_written_%s_%s", written->file, written->reason);
    // A write refused without one (a path into a scenario's folder): every file must be there,
    // or the player would be told the game was saved when part of it was not.
    for (const wchar_t* name : kSaveFileNames)
        if (!Exists(HostPath(JoinFolder(folder, name))))
            return LangFormat("save_failed_file_not_written_%s", name);
    return failure ? tSaveFailure(LangText("save_failed_files_not_written")) : std::nullopt;
}

// Last, once every file is in: the size of each, which the load compares with what it finds.
tSaveFailure WriteSavedSizes(const std::wstring& folder)
{
    std::string text = "#The files of this save with their sizes in bytes as the game wrote them: a file of another size "
                       "is refused as damaged.\r\n#Delete this file to load files edited by hand: the folder then loads "
                       "as an older save.\r\n#File;Size\r\n";
    for (const wchar_t* name : kSaveFileNames) {
        std::error_code ec;
        const uintmax_t size = fs::file_size(HostPath(JoinFolder(folder, name)), ec);
        if (ec)
            return LangFormat("save_failed_file_not_written_%s", name);
        text += WideToUtf8(name) + ";" + std::to_string(size) + "\r\n";
    }
    if (!WriteSaveFile(JoinFolder(folder, kSavedSizesFileName), text)) {
        const std::optional<sSaveFileFailure> written = TakeSaveFileFailure();
        return written ? LangFormat("save_failed_file_not_written_%s_%s", written->file, written->reason)
                       : LangFormat("save_failed_file_not_written_%s", kSavedSizesFileName);
    }
    return std::nullopt;
}

// What the folder held besides the save's own files (a player's notes) goes into the new
// save too: putting the new save in place must not delete them.
tSaveFailure CarryOtherEntries(const fs::path& from, const fs::path& to)
{
    std::error_code ec;
    for (fs::directory_iterator it(from, ec), end; !ec && it != end; it.increment(ec)) {
        const fs::path name = it->path().filename();
        // The tool's totals of play belong to the game they were counted in, not to the one
        // saved over it.
        if (Exists(to / name) || name == kPlayCountsFileName)
            continue;
        std::error_code copied;
        fs::copy(it->path(), to / name, fs::copy_options::recursive | fs::copy_options::copy_symlinks, copied);
        if (copied)
            return LangFormat("save_failed_entry_not_kept_%s_%s", name.wstring(), Utf8ToWide(copied.message()));
    }
    return ec ? tSaveFailure(LangText("save_failed_old_save_not_read")) : std::nullopt;
}

// The folder that holds the save's folder (data\save or data\pbem) as the player reads paths
// on this system: with forward slashes.
std::wstring ShownParentFolder(const std::wstring& folder)
{
    const size_t slash = folder.find_last_of(L'\\');
    return WithForwardSlashes(slash == std::wstring::npos ? std::wstring(L".") : folder.substr(0, slash));
}

// A working folder its save finished writing: its list of sizes is there, and every file it
// lists has its size.
bool IsWholeSave(const std::wstring& folder)
{
    const std::wstring pattern = JoinFolder(folder, L"%s");
    return Exists(HostPath(JoinPathPattern(pattern, kSavedSizesFileName))) &&
           !RunCatchingFatal([&] { RefuseIfNotAsSaved(pattern); });
}

// What a save of the folder that never ended (its program killed, the power gone) left beside
// it, put right; the name's lock is held. Between its two renames the save had moved the
// earlier one aside: the new one takes the name when it was written whole, else the earlier
// one comes back. Whatever else lies beside the name is left over.
void SettleHeld(const std::wstring& folder)
{
    const fs::path target = HostPath(folder);
    const fs::path writing = HostPath(folder + kWritingSuffix);
    const fs::path replaced = HostPath(folder + kReplacedSuffix);
    std::error_code ec;
    if (!Exists(target) && IsWholeSave(folder + kWritingSuffix)) {
        fs::rename(writing, target, ec);
        if (!ec)
            LogLine(L"The save %s, interrupted before it was in place, is put in place", folder);
    }
    if (!Exists(target) && Exists(replaced)) {
        fs::rename(replaced, target, ec);
        if (!ec)
            LogLine(L"The save %s, which an interrupted save had moved aside, is put back", folder);
    }
    RemoveAll(writing);
    if (Exists(target))
        RemoveAll(replaced);
    RemoveAll(HostPath(folder + kComparedSuffix));
}

// The lock of the name, for as long as the program writes it; else why not.
tSaveFailure LockFailure(const cFileLock& lock, const std::wstring& folder)
{
    if (lock.Held())
        return std::nullopt;
    if (lock.Busy())
        return LangText("save_failed_name_being_saved");
    const std::error_code error = lock.Error() ? lock.Error() : std::make_error_code(std::errc::io_error);
    const std::wstring reason = Utf8ToWide(error.message());
    LogLine(L"ERROR: cannot make the lock %s: %s", folder + kLockSuffix, reason);
    return LangFormat("save_failed_folder_not_writable_%s_%s", ShownParentFolder(folder), reason);
}

// The save into <folder>: written beside it, then put in its place, so that a failed or
// interrupted save never leaves half a game where a good one was.
tSaveFailure SaveIntoFolder(const std::wstring& folder, const tSaveAlongside& alongside)
{
    if (!g_Gra || !g_Gra->m_Mapa) {
        LogLine(L"ERROR: there is no game to save");
        return LangText("save_failed_no_game");
    }
    const std::wstring writing = folder + kWritingSuffix;
    const fs::path target = HostPath(folder);
    const fs::path temp = HostPath(writing);
    const fs::path replaced = HostPath(folder + kReplacedSuffix);
    auto refuse = [&](const std::wstring& why) {
        LogLine(L"ERROR: the game was not saved into %s: %s", folder, why);
        return tSaveFailure(why);
    };

    std::error_code ec;
    if (Exists(target) && !fs::is_directory(target, ec))
        return refuse(LangFormat("save_failed_file_in_the_way_%s", WithForwardSlashes(folder)));
    fs::create_directories(target.parent_path(), ec);
    // Held to the end: a second program saving under the name meanwhile is refused, and told
    // why, rather than both being told the game was saved when one folder holds the other's.
    const cFileLock lock(HostPath(folder + kLockSuffix));
    if (const tSaveFailure locked = LockFailure(lock, folder))
        return refuse(*locked);
    SettleHeld(folder);
    fs::create_directories(temp, ec);
    if (ec || !fs::is_directory(temp)) {
        const std::wstring reason = Utf8ToWide((ec ? ec : std::make_error_code(std::errc::not_a_directory)).message());
        LogLine(L"ERROR: cannot create the folder %s: %s", writing, reason);
        return refuse(LangFormat("save_failed_folder_not_writable_%s_%s", ShownParentFolder(folder), reason));
    }

    tSaveFailure failure = WriteAllCatchingFailure(writing, alongside);
    if (!failure)
        failure = WriteSavedSizes(writing);
    if (!failure && Exists(target))
        failure = CarryOtherEntries(target, temp);
    if (failure) {
        RemoveAll(temp);
        return refuse(*failure);
    }
    if (Exists(target)) {
        fs::rename(target, replaced, ec);
        if (ec) {
            RemoveAll(temp);
            return refuse(LangText("save_failed_old_save_not_moved"));
        }
    }
    fs::rename(temp, target, ec);
    if (ec) {
        std::error_code back;
        fs::rename(replaced, target, back);
        RemoveAll(temp);
        return refuse(LangText("save_failed_new_save_not_placed"));
    }
    RemoveAll(replaced);
    if (g_Gra)
        g_Gra->m_LastSaveFolder = folder;
    return std::nullopt;
}

// The file's bytes, Info.ini without the time of its saving.
std::optional<std::string> SavedBytes(const fs::path& file, bool info)
{
    std::optional<std::string> bytes = ReadWholeFile(file);
    if (!bytes || !info)
        return bytes;
    std::string kept;
    size_t at = 0;
    while (at < bytes->size()) {
        size_t end = bytes->find('\n', at);
        end = end == std::string::npos ? bytes->size() : end + 1;
        if (bytes->compare(at, 5, "Date=") != 0 && bytes->compare(at, 6, "Date =") != 0)
            kept.append(*bytes, at, end - at);
        at = end;
    }
    return kept;
}

// A folder that is no game but holds one a folder deeper, as a turn unzipped into a folder of
// its own name does: that deeper folder, in the game's notation; nothing otherwise.
std::optional<std::wstring> GameOneFolderDeeper(const std::wstring& folder)
{
    std::vector<std::wstring> found;
    std::error_code ec;
    for (const auto& entry : fs::directory_iterator(HostPath(folder), ec)) {
        const std::wstring name = Utf8ToWide(entry.path().filename().string());
        if (!name.empty() && name[0] != L'.' && entry.is_directory(ec) && FileExists(entry.path() / "Info.ini"))
            found.push_back(name);
    }
    if (found.empty())
        return std::nullopt;
    std::sort(found.begin(), found.end());
    return folder + L"\\" + found.front();
}

} // namespace

std::optional<sFolderWithoutGame> FolderWithoutGame(const std::wstring& folder)
{
    const fs::path path = HostPath(folder);
    std::error_code ec;
    if (!fs::is_directory(path, ec) || Exists(path / "Info.ini"))
        return std::nullopt;
    const size_t slash = folder.find_last_of(L'\\');
    const std::wstring name = folder.substr(slash + 1), shown = WithForwardSlashes(folder);
    if (const std::optional<std::wstring> deeper = GameOneFolderDeeper(folder))
        return sFolderWithoutGame{LangText("saved_folder_game_deeper"),
                                  WithForwardSlashes(LangFormat("load_game_one_folder_deeper_%s_%s_%s", folder, *deeper,
                                                                ShownParentFolder(folder)))};
    // A file of a game in it: a game that lost its Info.ini, which its load tells.
    for (const wchar_t* file : kSaveFileNames)
        if (Exists(path / fs::path(std::wstring(file))))
            return std::nullopt;
    const bool empty = fs::is_empty(path, ec);
    return sFolderWithoutGame{LangText("saved_folder_no_game"),
                              LangFormat(empty ? "saved_folder_empty_%s_%s" : "saved_folder_without_game_files_%s_%s",
                                         shown, name)};
}

bool GameIsAsLastSaved()
{
    if (!g_Gra || g_Gra->m_LastSaveFolder.empty())
        return false;
    GLOBAL_LOCK_SCOPE();
    const std::wstring last = g_Gra->m_LastSaveFolder;
    // Another program saving under that name now would leave either copy uncertain.
    const cFileLock lock(HostPath(last + kLockSuffix));
    if (!lock.Held())
        return false;
    const std::wstring compared = last + kComparedSuffix;
    const fs::path scratch = HostPath(compared);
    RemoveAll(scratch);
    std::error_code ec;
    fs::create_directories(scratch, ec);
    bool same = !ec && !WriteAllCatchingFailure(compared);
    for (const wchar_t* name : kSaveFileNames) {
        if (!same)
            break;
        const bool info = std::wstring_view(name) == L"Info.ini";
        const std::optional<std::string> before = SavedBytes(HostPath(JoinFolder(last, name)), info);
        same = before && before == SavedBytes(HostPath(JoinFolder(compared, name)), info);
    }
    RemoveAll(scratch);
    return same;
}

std::wstring SaveDateAsShown(const std::wstring& stored)
{
    // Info.ini keeps "yy.mm.dd hh:mm". Shown as stored, beside the turn's date that the same
    // lists show day first, a save of 1 September 2024 ("24.09.01") reads as the 24th of
    // September 2001: the scenario list and the save window both show it day.month.year.
    static const wchar_t kShape[] = L"00.00.00 00:00";
    if (stored.size() != std::size(kShape) - 1)
        return stored;
    for (size_t k = 0; k < stored.size(); ++k)
        if (kShape[k] == L'0' ? !std::iswdigit(stored[k]) : stored[k] != kShape[k])
            return stored;
    return stored.substr(6, 2) + L"." + stored.substr(3, 2) + L"." + stored.substr(0, 2) + stored.substr(8);
}

bool IsValidSaveName(std::wstring_view name, size_t maxLength)
{
    if (name.empty() || name.size() > maxLength || name == L"." || name.find(L"..") != std::wstring_view::npos)
        return false;
    for (wchar_t c : name)
        if (c == L'\\' || c == L'/' || c == L'%' || c == L':' || c < 32)
            return false;
    return true;
}

std::optional<std::wstring> RefusedName(std::wstring_view name, size_t maxLength, std::wstring_view refused,
                                        bool folder, const sNameRefusals& words)
{
    if (std::all_of(name.begin(), name.end(), [](wchar_t c) { return std::iswspace(wint_t(c)) != 0; }))
        return LangText(words.blank);
    if (name.size() > maxLength)
        return LangFormat(words.tooLong, int(maxLength), int(name.size()));
    if (name.find_first_of(refused) != std::wstring_view::npos || (folder && !IsValidSaveName(name, maxLength)))
        return LangFormat(words.invalid, std::wstring(name));
    return std::nullopt;
}

bool SaveFolderExists(std::wstring_view name)
{
    // A name with a path in it ("..", a backslash) would look outside data\save.
    if (!IsValidSaveName(name, kMaxSaveNameLength))
        return false;
    std::error_code ec;
    return fs::is_directory(HostPath(JoinFolder(L"data\\save", name)), ec);
}

void SettleInterruptedSave(const std::wstring& folder)
{
    const bool leftOver = std::any_of(
        std::begin(kLeftOverSuffixes), std::end(kLeftOverSuffixes),
        [&](const wchar_t* suffix) { return Exists(HostPath(folder + suffix)); });
    if (!leftOver)
        return;
    // A program saving under the name now still needs what lies beside it.
    const cFileLock lock(HostPath(folder + kLockSuffix));
    if (lock.Held())
        SettleHeld(folder);
}

void SettleInterruptedSaves(std::wstring_view root)
{
    std::vector<std::wstring> names;
    std::error_code ec;
    for (fs::directory_iterator it(HostPath(root), ec), end; !ec && it != end; it.increment(ec)) {
        const std::wstring entry = Utf8ToWide(it->path().filename().string());
        // A name with a path in it ("..", a backslash) would reach outside the root.
        const size_t mark = entry.find(L'%');
        if (mark != std::wstring::npos && IsValidSaveName(entry.substr(0, mark), entry.size()))
            names.push_back(entry.substr(0, mark));
    }
    std::sort(names.begin(), names.end());
    names.erase(std::unique(names.begin(), names.end()), names.end());
    for (const std::wstring& name : names)
        SettleInterruptedSave(JoinFolder(root, name));
}

namespace {
[[noreturn]] void RefuseDamagedSizes(const std::wstring& list, const std::wstring& what)
{
    FatalExit(1, FormatText(L"%s%s: the list of the files the game saved was damaged", list, what));
}
} // namespace

void RefuseIfNotAsSaved(const std::wstring& folderPattern)
{
    const std::wstring list = JoinPathPattern(folderPattern, kSavedSizesFileName);
    std::error_code ec;
    if (!fs::exists(HostPath(list), ec))
        return;
    const std::string bytes = ReadLoadFileOrFail(list, L"Reading the sizes of the saved files...");
    // The game ends every line: a list without its last line end was cut short.
    if (bytes.empty() || bytes.back() != '\n')
        RefuseDamagedSizes(list, L" ends inside a line");
    std::vector<std::optional<uintmax_t>> sizes(kSaveFileNames.size());
    const std::vector<std::string> lines = SplitLines(bytes);
    for (size_t k = 0; k < lines.size(); ++k) {
        const std::string& line = lines[k];
        if (line.empty() || line[0] == '#')
            continue;
        const size_t semicolon = line.find(';');
        const std::string name = line.substr(0, semicolon);
        const std::string size = semicolon == std::string::npos ? std::string() : line.substr(semicolon + 1);
        const auto file = std::find_if(kSaveFileNames.begin(), kSaveFileNames.end(),
                                       [&](const wchar_t* n) { return WideToUtf8(n) == name; });
        std::optional<uintmax_t>* slot =
            file == kSaveFileNames.end() ? nullptr : &sizes[size_t(file - kSaveFileNames.begin())];
        const bool number =
            !size.empty() && size.size() <= 18 && size.find_first_not_of("0123456789") == std::string::npos;
        // A name the game does not save, one listed twice or a size that is no number.
        if (!slot || *slot || !number)
            RefuseDamagedSizes(list, FormatText(L", line %i", int(k + 1)));
        *slot = std::stoull(size);
    }
    for (size_t k = 0; k < sizes.size(); ++k)
        if (!sizes[k])
            RefuseDamagedSizes(list, FormatText(L" does not list %s", kSaveFileNames[k]));
    for (size_t k = 0; k < sizes.size(); ++k) {
        const std::wstring path = JoinPathPattern(folderPattern, kSaveFileNames[k]);
        const uintmax_t found = fs::file_size(HostPath(path), ec);
        if (ec)
            FatalExit(1, FormatText(L"%s is missing, where the game saved it (%s lists it)", path, kSavedSizesFileName));
        if (found != *sizes[k])
            FatalExit(1, FormatText(L"%s is %u bytes long where the game saved %u (%s): the file was %s", path, found,
                                    *sizes[k], kSavedSizesFileName, found < *sizes[k] ? L"cut short" : L"added to"));
    }
}

void WriteSaveFiles(std::wstring_view folder)
{
    if (!g_Gra)
        return;
    const std::wstring path(folder);
    for (int k = 0; k < kSaveFileCount; ++k) {
        WriteOne(*g_Gra, path, k);
        if (g_FileWrittenHook)
            g_FileWrittenHook(kSaveFileNames[size_t(k)]);
    }
}

std::wstring NormalizeSaveName(const std::wstring& name)
{
    std::wstring trimmed = name;
    boost::algorithm::trim(trimmed, std::locale::classic());
    return trimmed;
}

std::wstring SaveFailedText(const std::wstring& name, const std::wstring& why)
{
    return LangFormat("save_game_failed_%s_%s", name, why);
}

namespace {

// The save under a name that must make a folder of its own in root. The name comes from the
// player or the game's files: one with a path in it would write elsewhere.
tSaveFailure SaveUnder(std::wstring_view root, const std::wstring& name, size_t maxLength, std::wstring* why,
                       const tSaveAlongside& alongside = {})
{
    tSaveFailure failure;
    if (!IsValidSaveName(name, maxLength)) {
        LogLine(L"ERROR: \"%s\" cannot be the name of a folder in %s", name, root);
        failure = LangText("save_failed_invalid_name");
    } else {
        failure = SaveIntoFolder(JoinFolder(root, name), alongside);
    }
    if (why)
        *why = failure.value_or(std::wstring());
    return failure;
}

} // namespace

bool SaveGame(const std::wstring& name, bool quiet, std::wstring* why, const tSaveAlongside& alongside)
{
    const std::wstring trimmed = NormalizeSaveName(name);
    // A name over the limit is refused, not cut: the save would stand under another name
    // than the one the player is told.
    tSaveFailure failure = RefusedName(trimmed, kMaxSaveNameLength, kCellSeparators, true,
                                       {"save_failed_no_name", "save_failed_name_too_long_%i_%i", "save_failed_invalid_name"});
    if (failure) {
        LogLine(L"ERROR: \"%s\" cannot be the name of a save: %s", trimmed, *failure);
        if (why)
            *why = *failure;
    } else {
        failure = SaveUnder(L"data\\save", trimmed, kMaxSaveNameLength, why, alongside);
    }
    // Named as saved, not as typed: blanks around it are no part of the save's name.
    if (!quiet)
        Presentation().PushMessage(
            failure ? SaveFailedText(trimmed, *failure) : LangFormat("save_game_successfull", trimmed), L"Save game");
    return !failure;
}

bool SavePbemGame(const std::wstring& name, std::wstring* why)
{
    LogLine(L"Zapisuej gre PBEM to katalogu %s", JoinFolder(L"data\\pbem", name));
    // A file in the folder's way refuses the save (SaveIntoFolder) rather than end the game.
    return !SaveUnder(L"data\\pbem", name, kMaxNameLength, why);
}

void SetSaveFileWrittenHook(std::function<void(const wchar_t*)> hook) { g_FileWrittenHook = std::move(hook); }
