#pragma once
// data\pbem\repo.dat: for every play-by-e-mail game played here, the player whose turn it is.
#include <cstdint>
#include <functional>
#include <optional>
#include <string>

constexpr int kPbemRepoRecordSize = 504;
constexpr int kPbemRepoNameUnits = 250; // 249 characters and the terminator

struct sPbemRepoEntry
{
    std::u16string name;
    int32_t playerId = 0;
};

// False, with why, when the file cannot be opened or written (a full disk, a read-only
// folder: the system's reason): the caller tells the player, whose game goes on. A record
// that fails on its way leaves the file as it was.
bool WritePbemRepositoryEntry(int playerId, const std::wstring& gameName, std::wstring* why = nullptr);
// Makes the file empty, and its folder, when nothing is there yet: without it the first game
// by e-mail of a fresh machine could not be played. Why it could not be made, in the
// system's words (a read-only folder, a full disk), or nothing.
std::optional<std::wstring> MakePbemRepository();
// The stored id; a name without a record is stored with the player id of the next
// country of the turn order, which the callback gives. Nothing, with why, when the file
// cannot be read or the new record written.
std::optional<int> ReadPbemRepositoryEntry(const std::wstring& gameName, const std::function<int()>& nextPlayerId = {},
                                           std::wstring* why = nullptr);
