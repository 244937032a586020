#pragma once
// Saving the running game: a folder of the same files as a scenario, under data\save
// (named by the player, or "autosave") or data\pbem\ (a play-by-e-mail game's turn).
// A save is written into a new folder and put in place only when every file was
// written, so a failed save leaves an older save of that name as it was.
#include <array>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

constexpr int kSaveFileCount = 24;
// The files of a save, in the order they are written.
extern const std::array<const wchar_t*, kSaveFileCount> kSaveFileNames;
// Longest save name: "data\save\" and the name make at most 64 characters.
constexpr size_t kMaxSaveNameLength = 54;

// A name that can be a folder of its own: not empty, no separator, no "..", no '%'
// (paths of a save are patterns), not "." and at most maxLength characters.
bool IsValidSaveName(std::wstring_view name, size_t maxLength);

// The characters that part a row of the game's tables and lists into cells: a name that
// stands as one cell there (a unit's, a player's) cannot hold them.
inline constexpr const wchar_t* kCellSeparators = L";|";
// The language keys a box a player types a name into refuses a name with: blanks alone;
// more characters than the limit (%i the limit, %i the name's length); a refused character
// (%s the name).
struct sNameRefusals
{
    const char* blank;
    const char* tooLong;
    const char* invalid;
};
// Why the name, as it will be kept, is refused; nothing when it is taken. Every name box
// keeps to it: a name is never cut or changed to fit, it is refused with the limit or the
// reason. A folder's name (a save's, a game's by e-mail) is also refused as IsValidSaveName
// refuses it.
std::optional<std::wstring> RefusedName(std::wstring_view name, size_t maxLength, std::wstring_view refused,
                                        bool folder, const sNameRefusals& words);
// Info.ini's "Save/Date" (year.month.day hours:minutes, two digits each) as the player
// reads dates: day.month.year hours:minutes. Any other text is shown as it stands.
std::wstring SaveDateAsShown(const std::wstring& stored);
// True when data\save\<name> exists as a folder.
bool SaveFolderExists(std::wstring_view name);
// Puts right what a save into the folder left beside it when its program ended before the
// save did (killed, the power gone), unless a program is saving under that name now: a save
// caught between its two renames comes back under its name (the new one when it was
// written whole, else the earlier one), and the working folders go.
void SettleInterruptedSave(const std::wstring& folder);
// The same for every name in root (data\save or data\pbem), before a list of its saves
// shows them: no working folder is listed as a save, and no save is missing.
void SettleInterruptedSaves(std::wstring_view root);

// A folder of data\save or data\pbem (in the game's notation) that holds no game of its own,
// told the same in its row of the list (label) and in its description and refusal (text):
// an empty one (a war by e-mail left before its first turn was kept, in earlier versions), one
// without any file of a game, or one with a game a folder deeper. Nothing for any other folder:
// a game, or a damaged one, whose load names what is wrong with it.
struct sFolderWithoutGame
{
    std::wstring label;
    std::wstring text;
};
std::optional<sFolderWithoutGame> FolderWithoutGame(const std::wstring& folder);

// The file a save's writing ends with: each of the files above with its size in bytes. A
// file of another size was cut short or added to on its way (a copy, an e-mail), and the
// load is refused. Sizes, not digests: a value edited by hand in place still loads.
inline constexpr const wchar_t* kSavedSizesFileName = L"file_sizes.txt";
// Ends the load of the folder (a pattern, as the readers take it) as the readers end it when
// a file it lists is missing or of another size, or when the list itself was damaged; each
// named. Nothing for a folder without the list: a scenario, an older save, or one whose list
// a player deleted to load files edited by hand.
void RefuseIfNotAsSaved(const std::wstring& folderPattern);

// Writes the 24 files into the folder. A file that cannot be written ends the program,
// as every writer does; SaveGame and SavePbemGame catch that and keep the game running.
void WriteSaveFiles(std::wstring_view folder);

// The folder name a save under that name gets: blanks around it dropped. It may still be
// refused (RefusedName): a name over the limit is not cut.
std::wstring NormalizeSaveName(const std::wstring& name);
// Saves into data\save\<name> (the name normalized as above). Unless quiet, a message tells
// the player how it went. False when the name is refused or the save could not be written;
// why, when given, then gets the reason as the player reads it. The running game goes on
// either way. Whatever else the folder held stays in it, but for the totals of play the tool
// kept there of the game saved before.
// alongside, when given, writes more files (the tool's totals of play) into the new save's
// folder before it is put in place: a file written into the folder afterwards could land
// in the save another program made of that name meanwhile.
using tSaveAlongside = std::function<void(const std::wstring& folder)>;
bool SaveGame(const std::wstring& name, bool quiet, std::wstring* why = nullptr, const tSaveAlongside& alongside = {});
// Saves into data\pbem\<name>; no message. False and why as for SaveGame.
bool SavePbemGame(const std::wstring& name, std::wstring* why = nullptr);
// What the player is told of a save under that name that failed for that reason.
std::wstring SaveFailedText(const std::wstring& name, const std::wstring& why);
// True when a save of the game as it stands now would hold what its last save holds (the
// time of saving aside): nothing would be lost by leaving it. Writes a save beside the last
// one to compare and removes it; false when there is no last save.
bool GameIsAsLastSaved();

// For tests: called after each file of a save has been written, with its name.
void SetSaveFileWrittenHook(std::function<void(const wchar_t* fileName)> hook);
