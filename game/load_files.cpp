#include "game/load_files.h"

#include <cerrno>
#include <cstdlib>
#include <mutex>

#include "core/csv.h"
#include "core/fatal.h"
#include "core/log.h"
#include "core/text.h"
#include "platform/paths.h"

std::string ReadLoadFileOrFail(const std::wstring& path, std::wstring_view openingLine, std::wstring_view failReason,
                               std::wstring_view okLine)
{
    LogLine(openingLine);
    LogLine(path);
    auto bytes = ReadWholeFile(HostPath(path));
    if (!bytes)
        NoteUnreadableFile(path);
    if (!bytes)
        // A reason from the language table is empty when the table is not loaded.
        FatalExit(1, failReason.empty() ? std::wstring(kOpenFailed) + L" " + path : std::wstring(failReason));
    LogLine(okLine);
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

std::vector<std::string> SplitTokens(const std::string& line, const char* separators)
{
    std::vector<std::string> out;
    std::string current;
    for (char c : line)
    {
        bool sep = false;
        for (const char* s = separators; *s; ++s)
            if (c == *s)
                sep = true;
        if (sep)
        {
            if (!current.empty())
                out.push_back(current);
            current.clear();
        }
        else
            current.push_back(c);
    }
    if (!current.empty())
        out.push_back(current);
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
        FatalExit(1, bad == 1 ? first : FormatText(L"%s (and %i more such rows)", first, bad - 1));
}

void ForgetExpected() { g_Expected.clear(); }

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
    if (fields < needed && reader.EndsInsideRow())
        FatalExit(1, FormatText(L"%s, line %i: the file ends inside a row (%i of its %i fields): it was cut short",
                                path, reader.GetRowCount(), fields, needed));
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
    const double kept = value > hi ? hi : lo;
    LogLine(L"WARNING: %s, line %i: %s is %s, outside %.0f to %.0f; taken as %.0f", path, line, what,
            Utf8ToWide(std::to_string(value)), lo, hi, kept);
    return kept;
}
