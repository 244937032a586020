#include "game/load_files.h"

#include <cerrno>
#include <cstdlib>

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
        FatalExit(1, std::wstring(failReason));
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
