#include "core/csv.h"

#include "core/text.h"
#include "platform/paths.h"

cCsvReader::cCsvReader(const std::filesystem::path& path)
{
    if (auto data = ReadTextFile(path)) {
        m_Data = std::move(*data);
        m_Ok = true;
    }
}

cCsvReader cCsvReader::FromBytes(std::string bytes)
{
    cCsvReader reader;
    reader.m_Data = std::move(bytes);
    reader.m_Ok = true;
    return reader;
}

int cCsvReader::ReadRow(bool keepEmpty)
{
    m_Fields.clear();
    m_Columns.clear();
    m_Comment.clear();
    m_RowEnded = true;
    m_RowSeparators = 0;
    if (m_Pos >= m_Data.size())
        return 0;
    // LF alone ends a row too, as files saved on this system end theirs; an LF right after
    // the CR that ended the previous row belongs to that row.
    if (m_Pos > 0 && m_Data[m_Pos] == '\n' && m_Data[m_Pos - 1] == '\r') {
        ++m_Pos;
        if (m_Pos >= m_Data.size())
            return 0;
    }
    const uint64_t rowStart = m_Pos;
    std::string acc;
    bool comment = false;
    bool sawSeparator = false;
    for (;;) {
        const char c = m_Data[m_Pos++];
        const bool atEnd = m_Pos >= m_Data.size();
        const bool rowEnd = c == '\r' || c == '\n';
        if (!rowEnd && c != ';' && !comment) {
            if (c == '#' && acc.empty() && m_Fields.empty())
                comment = true;
            acc.push_back(c);
        }
        m_RowEnded = rowEnd;
        if (c == ';')
            ++m_RowSeparators;
        // Empty fields are dropped up to the file's end too: its last line end would
        // otherwise read as a row of one empty field.
        if (acc.empty() && !keepEmpty) {
            if (rowEnd || atEnd)
                break;
            continue;
        }
        // A line with nothing on it has no fields, whatever keepEmpty says: callers skip it
        // as they skip comments, where a row of one empty field would be read as data.
        const bool blankLine = rowEnd && acc.empty() && m_Fields.empty() && !sawSeparator;
        if (!comment && !blankLine && (rowEnd || c == ';' || atEnd)) {
            m_Columns.push_back(c == ';' ? m_RowSeparators : m_RowSeparators + 1);
            m_Fields.push_back(Utf8ToWide(acc));
            acc.clear();
        }
        sawSeparator = sawSeparator || c == ';';
        if (rowEnd || atEnd)
            break;
    }
    if (comment) {
        m_Fields.clear();
        m_Columns.clear();
        m_Comment = m_Data.substr(rowStart, m_Pos - rowStart - (m_RowEnded ? 1 : 0));
    }
    ++m_RowCount;
    return int(m_Fields.size());
}

void cCsvReader::Close()
{
    m_Comment.clear();
    m_Data.clear();
    m_Data.shrink_to_fit();
    m_Pos = 0;
    m_Ok = false;
}

std::wstring CsvFieldText(std::wstring_view text)
{
    std::wstring out(text);
    for (wchar_t& c : out)
        if (c == L';' || c == L'\r' || c == L'\n')
            c = L' ';
    return out;
}
