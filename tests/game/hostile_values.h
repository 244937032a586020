#pragma once
// Hostile values in the files the game loads: one value set in one column of one row of a
// Testland file (its scenario or a save of it), then the game loaded, as a player's hand edit
// would be. Each is refused naming the file, the line and the column, or kept within what the
// rules can play with a warning naming them: never silently read as 0.
#include <string>
#include <vector>

namespace hostile {

struct sHostileValue
{
    const char* row;     // the text that begins the row
    int column;          // counted from 1
    const char* value;   // what the column is set to
    bool refused;        // or kept with a warning
    const wchar_t* told; // what follows "<path>, line <L>, column <C> (" in the refusal or the warning
    // A second column set with the first, and the column the refusal names when not the first.
    int column2 = 0;
    const char* value2 = nullptr;
    int toldColumn = 0;
};

enum class eFolder { kScenario, kSave };

// Sets each value in turn in a fresh copy of the file and loads the game: a refusal must be
// exactly "<path>, line <L>, column <C> (<told>", a warning the log line "WARNING: " and the same.
void ExpectEachTold(eFolder folder, const char* file, const std::vector<sHostileValue>& values);

// The file's text with column `column` (from 1) of the line that begins with `row` set to
// `value`; the line's number (from 1) in `line`.
std::string WithValue(const std::string& text, const char* row, int column, const std::string& value, int& line);

} // namespace hostile
