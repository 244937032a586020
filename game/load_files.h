#pragma once
// Reading the files of a scenario or a save being loaded.
#include <optional>
#include <string>
#include <string_view>
#include <vector>

class cCsvReader;

inline constexpr std::wstring_view kOpenFailed = L"Blad otwarcia pliku! (nie istnieje?)";
inline constexpr std::wstring_view kOpenOk = L"Otwarcie OK";

// A text file of the scenario or the save being loaded (see ReadTextFile): nothing when it
// cannot be read. A file beyond the size any such file reaches, or one holding a NUL byte,
// which no text holds, refuses the load, naming the file and its size or where the byte stands.
std::optional<std::string> ReadLoadTextFile(const std::wstring& path);
// Logs the opening line and the path, reads the whole text file and logs the OK line. A file
// that cannot be read ends the program with exit code 1 and the fail reason.
std::string ReadLoadFileOrFail(const std::wstring& path, std::wstring_view openingLine,
                               std::wstring_view failReason = kOpenFailed, std::wstring_view okLine = kOpenOk);

// The C library's strtol/strtod semantics: the leading number, 0 when there is none.
int LeadingInt(const std::string& text);
double LeadingDouble(const std::string& text);
int LeadingInt(const std::wstring& text);
double LeadingDouble(const std::wstring& text);
unsigned long LeadingHex(const std::wstring& text);
// The lines of a text split at LF, each without the CR of a CR LF end. A text that ends
// with a line end gives an empty last line, as SplitText does.
std::vector<std::string> SplitLines(std::string_view text);
// Splits at any of the separators, dropping empty fields: runs of separators count as one
// and a line end stays on the last field. `columns`, when given, gets the column of each
// field in the line, counted from 1 over every separator (a refusal names where it stands).
std::vector<std::string> SplitTokens(const std::string& line, const char* separators = ";",
                                     std::vector<int>* columns = nullptr);

// Values a table holds that can be checked only once a later file is read: the country of a
// unit or commander (read before countries.csv), the sea node of a fleet (read before the
// sea graph). The readers note them; the load checks them when the later file is in.
enum class eLaterCheck { kCountry, kSeaNode };
void ExpectLater(eLaterCheck kind, const std::wstring& file, int line, const std::wstring& what, int value);
// Logs every noted value of this kind that is not between 1 and count, with its file and
// line, and ends the load with exit code 1 when there is one. Forgets the values checked.
void CheckExpected(eLaterCheck kind, int count);
// Forgets every noted value and unit line (a new load starts).
void ForgetExpected();
// The line of its table each unit was read from, by the table's file name and the unit's ID:
// the pass that places the units, after every table is read, names the row of one it cannot
// place. 0 for a unit no table row gave.
void NoteUnitLine(const std::wstring& file, int id, int line);
int UnitLine(const std::wstring& file, int id);

// The file a load could not read, noted before the load ends, so that a refusal can name
// it (the log line the readers end with does not); empty when there was none.
void NoteUnreadableFile(const std::wstring& path);
std::wstring UnreadableFile();

// The rows a load leaves out (too few fields, a bad value), counted per file so that the
// player is told once the game has loaded, not only the log.
void CountRowLeftOut(const std::wstring& path);
struct sRowsLeftOut
{
    std::wstring file; // the file's name, without its folder
    int rows = 0;
};
// Per file, in the order first met.
std::vector<sRowsLeftOut> RowsLeftOut();
// Forgets them and the unreadable file (a new load starts).
void ForgetRowsLeftOut();
// A table whose last row is short, has no line end and lacks separators was cut short: the
// load is refused, with the file, the line and what was found. Nothing for any other row.
void RefuseIfEndsInsideRow(const cCsvReader& reader, const std::wstring& path, int fields, int needed);
// A row of about twice a row's columns or more carries the next row as well: a line end was lost.
// The load is refused with the file and the line, so that the row after it is never lost
// unseen. The few trailing columns a newer save adds stay well below that. The refusal names the
// row's width: columns, or columns to mostColumns where the last columns are optional.
void RefuseIfRowsRunTogether(const cCsvReader& reader, const std::wstring& path, int columns, int mostColumns = 0);
// The same for a comment that carries the row after it: a line of column names and a row run
// together (counted as above), or a title line the game writes into that table ("#In reserve")
// and a row.
void RefuseIfCommentCarriesRow(const cCsvReader& reader, const std::wstring& path, int columns);

// The save being loaded ("data\save\<name>\%s"), or empty for a scenario: its tables are
// checked for the heading lines the game writes them with.
void SetSaveBeingLoaded(const std::wstring& folderPattern);
// The game writes every table of a save (but unit_names.csv, copied as the scenario has it,
// and auto_events.csv) beginning with its '#' heading lines: such a table of the save being
// loaded that is empty or begins without them was damaged, and the load is refused with the
// file. Nothing for a scenario's file.
void RefuseIfHeadingLost(const std::wstring& path, std::string_view bytes);

// A number of a table that the rules add to, multiply or convert: kept when it lies within
// lo..hi, otherwise logged ("<path>, line <line>: <what> is <value>, outside ...") and taken
// as the nearer end; a value that is not a number is taken as 0, or the end nearer 0.
int ClampedValue(int value, int lo, int hi, const std::wstring& path, int line, const std::wstring& what);
double ClampedValue(double value, double lo, double hi, const std::wstring& path, int line, const std::wstring& what);
