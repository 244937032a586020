#include "game/load_files.h"

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstdlib>
#include <map>
#include <mutex>
#include <utility>

#include "core/csv.h"
#include "core/fatal.h"
#include "core/log.h"
#include "core/text.h"
#include "game/paths.h"
#include "platform/paths.h"

std::optional<std::string> ReadLoadTextFile(const std::wstring& path)
{
    std::uintmax_t tooLarge = 0;
    std::optional<std::string> bytes = ReadTextFile(HostPath(path), &tooLarge);
    if (tooLarge > 0)
        FatalExit(1, FormatText(L"%s is %s bytes (%s MB): far beyond any file of a scenario or a save, which holds "
                                L"at most %i MB; it was not read",
                                path, IntToText((long long)tooLarge), IntToText((long long)(tooLarge >> 20)),
                                int(kMaxTextFileBytes >> 20)));
    const size_t nul = bytes ? bytes->find('\0') : std::string::npos;
    if (nul != std::string::npos) {
        // Where an editor shows it: the line, and the character counted from 1 in it.
        const size_t lastEnd = bytes->rfind('\n', nul);
        const size_t lineStart = lastEnd == std::string::npos ? 0 : lastEnd + 1;
        const int line = int(std::count(bytes->begin(), bytes->begin() + std::ptrdiff_t(nul), '\n')) + 1;
        const int character = int(Utf8ToWide(bytes->substr(lineStart, nul - lineStart)).size()) + 1;
        FatalExit(1, FormatText(L"%s, line %i, character %i: a NUL byte, which no text holds (the file is damaged)",
                                path, line, character));
    }
    return bytes;
}

std::string ReadLoadFileOrFail(const std::wstring& path, std::wstring_view openingLine, std::wstring_view failReason,
                               std::wstring_view okLine)
{
    LogLine(openingLine);
    LogLine(path);
    auto bytes = ReadLoadTextFile(path);
    if (!bytes)
        NoteUnreadableFile(path);
    if (!bytes)
        // A reason from the language table is empty when the table is not loaded.
        FatalExit(1, failReason.empty() ? std::wstring(kOpenFailed) + L" " + path : std::wstring(failReason));
    LogLine(okLine);
    RefuseIfHeadingLost(path, *bytes);
    return std::move(*bytes);
}

std::vector<std::string> SplitLines(std::string_view text)
{
    std::vector<std::string> lines = SplitText(text, '\n');
    for (std::string& line : lines)
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
    return lines;
}

std::vector<std::string> SplitTokens(const std::string& line, const char* separators, std::vector<int>* columns)
{
    std::vector<std::string> out;
    std::string current;
    if (columns)
        columns->clear();
    int column = 1;
    auto take = [&] {
        if (current.empty())
            return;
        out.push_back(current);
        if (columns)
            columns->push_back(column);
        current.clear();
    };
    for (char c : line)
    {
        bool sep = false;
        for (const char* s = separators; *s; ++s)
            if (c == *s)
                sep = true;
        if (sep)
        {
            take();
            ++column;
        }
        else
            current.push_back(c);
    }
    take();
    return out;
}

int LeadingInt(const std::string& text)
{
    return AtoiLike(text);
}

double LeadingDouble(const std::string& text)
{
    const char* begin = text.c_str();
    char* end = nullptr;
    const double v = std::strtod(begin, &end);
    return end == begin ? 0.0 : v;
}

int LeadingInt(const std::wstring& text)
{
    return AtoiLike(WideToUtf8(text));
}

double LeadingDouble(const std::wstring& text)
{
    return LeadingDouble(WideToUtf8(text));
}

unsigned long LeadingHex(const std::wstring& text)
{
    const std::string s = WideToUtf8(text);
    const char* begin = s.c_str();
    char* end = nullptr;
    errno = 0;
    const unsigned long long v = std::strtoull(begin, &end, 16);
    if (end == begin || errno == ERANGE || v > 0xFFFFFFFFull)
        return end == begin ? 0 : 0xFFFFFFFFul;
    return static_cast<unsigned long>(v);
}

namespace {

struct sExpected
{
    eLaterCheck kind;
    std::wstring file;
    int line;
    std::wstring what;
    int value;
};

std::vector<sExpected> g_Expected;
std::map<std::pair<std::wstring, int>, int> g_UnitLines;

} // namespace

void ExpectLater(eLaterCheck kind, const std::wstring& file, int line, const std::wstring& what, int value)
{
    g_Expected.push_back({kind, file, line, what, value});
}

void CheckExpected(eLaterCheck kind, int count)
{
    int bad = 0;
    std::wstring first;
    std::vector<sExpected> kept;
    for (sExpected& e : g_Expected) {
        if (e.kind != kind) {
            kept.push_back(std::move(e));
            continue;
        }
        if (e.value >= 1 && e.value <= count)
            continue;
        const std::wstring line =
            FormatText(kind == eLaterCheck::kCountry ? L"%s, line %i: %s belongs to country %i; the game has %i"
                                                     : L"%s, line %i: %s is at sea node %i; the game has %i",
                       e.file, e.line, e.what, e.value, count);
        LogLine(line);
        if (bad++ == 0)
            first = line;
    }
    g_Expected = std::move(kept);
    if (bad > 0)
        FatalExit(1, bad == 1 ? first : FormatText(L"%s (more such rows: %i)", first, bad - 1));
}

void ForgetExpected()
{
    g_Expected.clear();
    g_UnitLines.clear();
}

void NoteUnitLine(const std::wstring& file, int id, int line) { g_UnitLines[{file, id}] = line; }

int UnitLine(const std::wstring& file, int id)
{
    const auto found = g_UnitLines.find({file, id});
    return found != g_UnitLines.end() ? found->second : 0;
}

namespace {
std::mutex g_LeftOutMutex;
std::vector<sRowsLeftOut> g_LeftOut;
std::wstring g_UnreadableFile;
} // namespace

void NoteUnreadableFile(const std::wstring& path)
{
    std::lock_guard<std::mutex> guard(g_LeftOutMutex);
    g_UnreadableFile = path;
}

std::wstring UnreadableFile()
{
    std::lock_guard<std::mutex> guard(g_LeftOutMutex);
    return g_UnreadableFile;
}

void CountRowLeftOut(const std::wstring& path)
{
    const size_t slash = path.find_last_of(L"\\/");
    const std::wstring file = slash == std::wstring::npos ? path : path.substr(slash + 1);
    std::lock_guard<std::mutex> guard(g_LeftOutMutex);
    for (sRowsLeftOut& entry : g_LeftOut)
        if (entry.file == file) {
            ++entry.rows;
            return;
        }
    g_LeftOut.push_back({file, 1});
}

std::vector<sRowsLeftOut> RowsLeftOut()
{
    std::lock_guard<std::mutex> guard(g_LeftOutMutex);
    return g_LeftOut;
}

void ForgetRowsLeftOut()
{
    std::lock_guard<std::mutex> guard(g_LeftOutMutex);
    g_LeftOut.clear();
    g_UnreadableFile.clear();
}

void RefuseIfEndsInsideRow(const cCsvReader& reader, const std::wstring& path, int fields, int needed)
{
    // A whole row of the game's writers ends with ';' and no line end: one whose separators are
    // all there is whole, an empty field (a commander without a name) only makes it short.
    if (fields < needed && reader.EndsInsideRow() && reader.GetRowSeparators() + 1 < needed)
        FatalExit(1, FormatText(L"%s, line %i: the file ends inside a row (%i of its %i fields): it was cut short",
                                path, reader.GetRowCount(), fields, needed));
}

namespace {
// Two rows' fields: the field where the first ended and the second began is one, and a file
// without a final line end drops the empty field after the last ';'.
bool HoldsTwoRows(int fields, int columns) { return columns > 1 && fields >= 2 * columns - 2; }

// The lines without ';' that the game writes above and between the rows of its tables, with
// the table each belongs to: in any other table such a line is a comment like any other.
struct sTitleLine
{
    std::wstring_view file;
    std::string_view title;
};
constexpr sTitleLine kTitleLines[] = {
    {L"land_units.csv", "#Land units"}, {L"air_units.csv", "#Air units"},     {L"air_units.csv", "#On map"},
    {L"air_units.csv", "#In reserve"},  {L"naval_units.csv", "#Naval units"}, {L"naval_units.csv", "#On map"},
    {L"naval_units.csv", "#In reserve"}, {L"fleets.csv", "#Fleets"},          {L"commanders.csv", "#Commanders"},
    {L"convoys.csv", "#Convoys"}};

bool IsFileOf(const std::wstring& path, std::wstring_view file)
{
    return path.size() >= file.size() && path.compare(path.size() - file.size(), file.size(), file) == 0 &&
           (path.size() == file.size() || path[path.size() - file.size() - 1] == L'\\' ||
            path[path.size() - file.size() - 1] == L'/');
}
} // namespace

void RefuseIfRowsRunTogether(const cCsvReader& reader, const std::wstring& path, int columns, int mostColumns)
{
    const int fields = int(reader.m_Fields.size());
    if (!HoldsTwoRows(fields, columns))
        return;
    const std::wstring width =
        mostColumns > columns ? FormatText(L"%i to %i", columns, mostColumns) : FormatText(L"%i", columns);
    FatalExit(1, FormatText(L"%s, line %i: a row of %i fields, where a row has %s: two rows run together (a line end "
                            L"is missing)",
                            path, reader.GetRowCount(), fields, width));
}

void RefuseIfCommentCarriesRow(const cCsvReader& reader, const std::wstring& path, int columns)
{
    const std::string& comment = reader.Comment();
    bool carries = HoldsTwoRows(int(std::count(comment.begin(), comment.end(), ';')) + 1, columns);
    for (const auto& [file, title] : kTitleLines)
        carries = carries || (IsFileOf(path, file) && comment.size() > title.size() &&
                              comment.compare(0, title.size(), title) == 0 && comment[title.size()] != '#' &&
                              comment.find(';', title.size()) != std::string::npos);
    if (carries)
        FatalExit(1, FormatText(L"%s, line %i: a row runs on from the comment line before it (a line end is missing)",
                                path, reader.GetRowCount()));
}

namespace {
std::wstring g_SaveBeingLoaded;

// What the game writes beginning with '#' heading lines into every save.
constexpr std::wstring_view kTablesWithHeadings[] = {
    L"ai_data.csv",   L"air_units.csv",  L"airrecon_units.csv",      L"airship_attacks.csv",
    L"cities.csv",    L"sea_nodes.csv",  L"cities_supply_info.csv",  L"cities_convoy_info.csv",
    L"commanders.csv", L"convoys.csv",   L"countries.csv",           L"flags.txt",
    L"fleets.csv",    L"land_units.csv", L"losses.csv",              L"naval_units.csv",
    L"relations.csv", L"topography.csv", L"PlayerDefinedPlaces.txt", L"play_counts.csv",
};
} // namespace

void SetSaveBeingLoaded(const std::wstring& folderPattern)
{
    g_SaveBeingLoaded = folderPattern;
}

void RefuseIfHeadingLost(const std::wstring& path, std::string_view bytes)
{
    if (g_SaveBeingLoaded.empty() || (!bytes.empty() && bytes[0] == '#'))
        return;
    for (std::wstring_view name : kTablesWithHeadings) {
        if (path != JoinPathPattern(g_SaveBeingLoaded, name))
            continue;
        FatalExit(1, bytes.empty() ? FormatText(L"%s is empty: the game writes every table of a save with its "
                                                L"heading lines, so the file was damaged",
                                                path)
                                   : FormatText(L"%s does not begin with its heading lines (#...): the file was "
                                                L"damaged",
                                                path));
    }
}

int ClampedValue(int value, int lo, int hi, const std::wstring& path, int line, const std::wstring& what)
{
    if (value >= lo && value <= hi)
        return value;
    const int kept = value < lo ? lo : hi;
    LogLine(L"WARNING: %s, line %i: %s is %i, outside %i to %i; taken as %i", path, line, what, value, lo, hi, kept);
    return kept;
}

double ClampedValue(double value, double lo, double hi, const std::wstring& path, int line, const std::wstring& what)
{
    if (value >= lo && value <= hi)
        return value;
    // "nan" is no number, as an empty field is: it reads as 0 (or the end of the range nearer 0), never as
    // an end of the range, which for most tables is a figure far beyond any game.
    const double kept = std::isnan(value) ? std::clamp(0.0, lo, hi) : value > hi ? hi : lo;
    LogLine(L"WARNING: %s, line %i: %s is %s, outside %.0f to %.0f; taken as %.0f", path, line, what,
            ExactNumberText(value), lo, hi, kept);
    return kept;
}
