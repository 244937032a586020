#include "game/load_files.h"

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
