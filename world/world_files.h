#pragma once
// Small file helpers shared by the world's readers and writers.
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/csv.h"
#include "game/load_files.h"

// The lines of a text file, each whole however long and keeping its '\n'; CR LF reads as
// '\n'. Read with ReadLoadTextFile: nothing when the file cannot be read. A line is never cut into pieces of a buffer's
// size: the tail of a long line, or of a long comment, would be read as a line of its own,
// a row that the file does not hold, with every line number after it shifted.
std::optional<std::vector<std::string>> ReadTextLines(const std::wstring& path);
// The same lines of a file read with ReadLoadFileOrFail: logged, and the end of the program
// when it cannot be read.
std::vector<std::string> ReadTextLinesOrFail(const std::wstring& path, std::wstring_view openingLine,
                                             std::wstring_view failReason = kOpenFailed,
                                             std::wstring_view okLine = kOpenOk);
// A scenario table read with ReadLoadFileOrFail.
cCsvReader OpenTableOrFail(const std::wstring& path, std::wstring_view openingLine);
// Moves to the next row of at least minFields fields; false at the end. Comments and empty
// rows are passed over; a shorter row is logged with its file and line and skipped; a row that
// carries the next one too (see RefuseIfRowsRunTogether, with the columns of the widest row the
// game writes, minFields when 0) refuses the load.
bool NextTableRow(cCsvReader& reader, bool keepEmpty, int minFields, const std::wstring& path, int rowColumns = 0);
// Writes a text file of a save the way every save writer does (see WriteSaveFileOrFail):
// UTF-8, every '\n' written as CR LF.
void WriteSaveTextFile(const std::wstring& path, const std::wstring& text);
// Logs "<path>, line <line>:" and ends the program with exit code 1 and the reason, after the
// same file and line.
[[noreturn]] void FailAtLine(const std::wstring& path, int line, const std::wstring& reason);
// Logs "WARNING: <what> name longer than <max> characters in <path> at line <line>, cut"
// when the name is longer than max; true then.
bool WarnIfNameTooLong(const std::wstring& name, int max, const wchar_t* what, const std::wstring& path, int line);
// Strips a trailing '\n' and '\r'.
std::string StripLineEnd(std::string line);
