#pragma once
// Reader of the ';'-separated scenario tables. The whole file is read when the reader
// is made; rows come out one at a time as wide fields. CR, LF or CR LF end a row,
// a row that begins with '#' is a comment, there is no quoting.
#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

class cCsvReader
{
public:
    explicit cCsvReader(const std::filesystem::path& path);
    // Reads from memory, for tests and for files already in memory.
    static cCsvReader FromBytes(std::string bytes);

    // True when the whole file was read.
    bool IsOk() const { return m_Ok; }
    // Reads the next row; returns its number of fields (0 for a comment, an empty row
    // or the end). With keepEmpty false, empty fields are dropped.
    int ReadRow(bool keepEmpty);
    bool AtEnd() const { return m_Pos >= m_Data.size(); }
    void Close();
    // Rows read so far, comments and empty rows included: the line number of the last row.
    int GetRowCount() const { return m_RowCount; }
    // True when the file ends inside the row just read: it is the last and has no line end.
    // The game's writers end the last row with ';' and no line end, so only the separators
    // tell whether such a row is whole.
    bool EndsInsideRow() const { return !m_RowEnded && AtEnd(); }
    // The ';' of the row just read, empty fields' included.
    int GetRowSeparators() const { return m_RowSeparators; }
    // The text of the row just read when it was a comment, without its line end; empty otherwise.
    const std::string& Comment() const { return m_Comment; }

    std::vector<std::wstring> m_Fields;
    // The column of each field in its line, counted from 1 over every ';' of the line: with
    // empty fields dropped, field k may stand further right than column k + 1.
    std::vector<int> m_Columns;

private:
    cCsvReader() = default;
    bool m_Ok = false;
    std::string m_Data;
    uint64_t m_Pos = 0;
    int m_RowCount = 0;
    bool m_RowEnded = true;
    int m_RowSeparators = 0;
    std::string m_Comment;
};

// A text as one field of a ';' table: the separator and the line ends, which no field can
// hold, become spaces. Names are kept so from where they are set, so that a save writes a
// name as the game shows it and reads it back the same, with nothing spilled into other columns.
std::wstring CsvFieldText(std::wstring_view text);
