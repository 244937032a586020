#pragma once
// Writing the files of a saved game. A save never writes into a scenario's own folder:
// such a path is refused as if it could not be opened.
#include <optional>
#include <string>
#include <string_view>

// True when the path lies inside data\scenarios.
bool IsInScenarioFolder(std::wstring_view path);
// Writes the bytes to the file; false when the path is refused or the write fails. A failed
// write is logged with the system's reason and kept for TakeSaveFileFailure.
bool WriteSaveFile(std::wstring_view path, std::string_view bytes);

// A file of a save that could not be written: its name and the system's reason.
struct sSaveFileFailure
{
    std::wstring file;
    std::wstring reason;
};
// The first write of this thread that WriteSaveFile could not do since the last call. The
// writers end the program, or only log, with words of their own, and once the disk is full
// every file after the one that failed is missing too: the save names what failed from here.
std::optional<sSaveFileFailure> TakeSaveFileFailure();

// Ends the program with exit code 1, naming the file that could not be written.
[[noreturn]] void FailSaveFile(std::wstring_view path);
// One file of a save: logs "Opening file for writing..." and the path, writes the bytes
// and logs "File opened OK"; a refused or failed write goes to FailSaveFile.
void WriteSaveFileOrFail(std::wstring_view path, std::string_view bytes);
