#pragma once
// velmorant-tool play: a loaded game played headlessly by the computer opponent, with the
// invariants checked after every country's turn and a summary of what happened.
#include <cstdint>
#include <functional>
#include <set>
#include <string>
#include <vector>

class cGra;

struct sPlayOptions
{
    int impulses = -1;  // -1: to the end of the game
    uint32_t seed = 0;
    // Without --seed a save that carries the states of its random numbers goes on with them.
    bool seedGiven = false;
    std::vector<int> humanIds;  // empty: no human country
    std::string saveName;
    // A save after every impulse of the war (or only after those of saveAt) as
    // PREFIX-N, N the impulses played since the war began: the unbroken game that
    // continued saves are compared with.
    std::string saveEveryPrefix;
    std::set<int> saveAt;
    std::string summaryPath;
    bool quiet = false;
    int watchdogSeconds = 60;
    // The log's last lines, for the watchdog's report.
    std::function<std::vector<std::wstring>(size_t count)> lastLogLines;
};

// Reads the options that follow PATH; false, with a message, on a bad one. The seed is the
// clock's unless --seed gives one (a save's own dice come before the clock's).
bool ParsePlayOptions(const std::vector<std::string>& args, sPlayOptions& options);

// Saves the game under that name with the totals of play (g_PlayCounts) beside its files:
// the game neither writes nor reads them, the tool reads them with the save, so that a war
// continued from it sums up as the unbroken war does. In the same folder before it is put in
// place. False when the save or the totals could not be written, why then naming the file
// and the system's reason.
bool SaveWithTotalsOfPlay(const std::wstring& saveName, std::wstring* why = nullptr);

// Plays the loaded game: 0 on a clean finish, 1 on a failure or a run that made no
// progress, 2 when an invariant broke.
int RunPlay(cGra& game, const sPlayOptions& options);
