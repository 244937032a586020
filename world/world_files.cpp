#include "world/world_files.h"

#include "core/fatal.h"
#include "core/format.h"
#include "core/log.h"
#include "core/text.h"
#include "game/save_files.h"
#include "platform/paths.h"

namespace {
std::vector<std::string> SplitTextLines(const std::string& data)
{
    std::string text;
    text.reserve(data.size());
    for (size_t i = 0; i < data.size(); ++i)
    {
        const char c = data[i];
        if (c == '\r' && i + 1 < data.size() && data[i + 1] == '\n')
            continue;
        text.push_back(c);
    }
    std::vector<std::string> lines;
    size_t pos = 0;
    while (pos < text.size())
    {
        const size_t end = text.find('\n', pos);
        const size_t lineEnd = end == std::string::npos ? text.size() : end + 1;
        lines.push_back(text.substr(pos, lineEnd - pos));
        pos = lineEnd;
    }
    return lines;
}
} // namespace

std::optional<std::vector<std::string>> ReadTextLines(const std::wstring& path)
{
    auto data = ReadLoadTextFile(path);
    if (!data)
        return std::nullopt;
    return SplitTextLines(*data);
}

std::vector<std::string> ReadTextLinesOrFail(const std::wstring& path, std::wstring_view openingLine,
                                             std::wstring_view failReason, std::wstring_view okLine)
{
    return SplitTextLines(ReadLoadFileOrFail(path, openingLine, failReason, okLine));
}

cCsvReader OpenTableOrFail(const std::wstring& path, std::wstring_view openingLine)
{
    return cCsvReader::FromBytes(ReadLoadFileOrFail(path, openingLine));
}

bool NextTableRow(cCsvReader& reader, bool keepEmpty, int minFields, const std::wstring& path, int rowColumns)
{
    while (!reader.AtEnd())
    {
        const int count = reader.ReadRow(keepEmpty);
        const int columns = rowColumns > 0 ? rowColumns : minFields;
        RefuseIfCommentCarriesRow(reader, path, columns);
        if (count == 0)
            continue;
        RefuseIfRowsRunTogether(reader, path, columns);
        if (count >= minFields)
            return true;
        RefuseIfEndsInsideRow(reader, path, count, minFields);
        LogLine(L"WARNING: %i fields instead of %i in %s at line %i, line skipped", count, minFields, path,
                reader.GetRowCount());
        CountRowLeftOut(path);
    }
    return false;
}

void WriteSaveTextFile(const std::wstring& path, const std::wstring& text)
{
    std::wstring crlf;
    crlf.reserve(text.size() + text.size() / 16);
    for (wchar_t c : text)
    {
        if (c == L'\n')
            crlf.push_back(L'\r');
        crlf.push_back(c);
    }
    WriteSaveFileOrFail(path, WideToUtf8(crlf));
}

std::string StripLineEnd(std::string line)
{
    while (!line.empty() && (line.back() == '\n' || line.back() == '\r'))
        line.pop_back();
    return line;
}

bool WarnIfNameTooLong(const std::wstring& name, int max, const wchar_t* what, const std::wstring& path, int line)
{
    if (name.size() <= size_t(max))
        return false;
    LogLine(L"WARNING: %s name longer than %i characters in %s at line %i, cut", what, max, path, line);
    return true;
}

void FailAtLine(const std::wstring& path, int line, const std::wstring& reason)
{
    LogLine(L"%s, line %i:", path, line);
    FatalExit(1, FormatText(L"%s, line %i: %s", path, line, reason));
}
