#pragma once
// data\pbem\repo.dat: for every play-by-e-mail game played here, the player whose turn it is.
#include <cstdint>
#include <functional>
#include <string>

constexpr int kPbemRepoRecordSize = 504;
constexpr int kPbemRepoNameUnits = 250; // 249 characters and the terminator

struct sPbemRepoEntry
{
    std::u16string name;
    int32_t playerId = 0;
};

void WritePbemRepositoryEntry(int playerId, const std::wstring& gameName);
// The stored id; a name without a record is stored with the player id of the next
// country of the turn order, which the callback gives.
int ReadPbemRepositoryEntry(const std::wstring& gameName, const std::function<int()>& nextPlayerId = {});
