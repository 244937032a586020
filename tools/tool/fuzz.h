#pragma once
// velmorant-tool fuzz: loads damaged copies of a scenario's or a save's files, each in a
// process of its own, and reports every copy that neither loads nor is refused with a reason.
// A copy that loads is played for two impulses in a second process with the same limits,
// and reported when the play does not end cleanly.
#include <filesystem>
#include <string>

#include "game/load_request.h"

struct sFuzzOptions
{
    std::filesystem::path root;   // the game root that holds data/
    std::filesystem::path folder; // the scenario, save or play-by-e-mail folder, under root
    sGameLoadRequest request;     // how the game names that folder
    int cases = 300;
    uint32_t seed = 1;
    int jobs = 2;
    int timeoutSeconds = 20;
};

// Runs the cases; prints one line per finding and a summary. Exit code 0 when every case
// loaded and played or was refused with a reason, 1 otherwise.
int RunFuzz(const sFuzzOptions& options);
