#pragma once
// Running totals of what happened in play, for the headless player's summary and for tests
// that want to know a rule really ran. Each rule adds to its own counter where it acts.
#include <atomic>

struct sPlayCounts
{
    std::atomic<int> moves{0};            // a land unit walked a path (one per order)
    std::atomic<int> landCombats{0};      // one per resolved land combat or assault
    std::atomic<int> airMissions{0};      // one per air strike, bombardment, recon or air fight
    std::atomic<int> seaBattles{0};       // one per sea battle fought
    std::atomic<int> eventsFired{0};      // one per fired option of a scripted event
    std::atomic<int> hexesCaptured{0};    // one per hex whose controller changed by capture
    std::atomic<int> unitsDestroyed{0};   // one per land, air or naval unit killed
    std::atomic<int> convoysExecuted{0};  // one per convoy that sailed

    void Reset()
    {
        for (std::atomic<int>* c : {&moves, &landCombats, &airMissions, &seaBattles, &eventsFired, &hexesCaptured,
                                    &unitsDestroyed, &convoysExecuted})
            c->store(0);
    }
};

extern sPlayCounts g_PlayCounts;
