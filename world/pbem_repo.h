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

// False, with why, when the file cannot be opened or written: the caller tells the player,
// whose game goes on.
bool WritePbemRepositoryEntry(int playerId, const std::wstring& gameName, std::wstring* why = nullptr);
// The stored id; a name without a record is stored with the player id of the next
// country of the turn order, which the callback gives. Nothing, with why, when the file
// cannot be read or the new record written.
std::optional<int> ReadPbemRepositoryEntry(const std::wstring& gameName, const std::function<int()>& nextPlayerId = {},
                                           std::wstring* why = nullptr);
