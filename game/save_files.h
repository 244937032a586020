#pragma once
// Writing the files of a saved game. A save never writes into a scenario's own folder:
// such a path is refused as if it could not be opened.
#include <string>
#include <string_view>

// True when the path lies inside data\scenarios.
bool IsInScenarioFolder(std::wstring_view path);
// Writes the bytes to the file; false when the path is refused or the write fails.
bool WriteSaveFile(std::wstring_view path, std::string_view bytes);
// Logs "Error opening file for writing" and ends the program with exit code 1.
[[noreturn]] void FailSaveFile();
// One file of a save: logs "Opening file for writing..." and the path, writes the bytes
// and logs "File opened OK"; a refused or failed write goes to FailSaveFile.
void WriteSaveFileOrFail(std::wstring_view path, std::string_view bytes);
