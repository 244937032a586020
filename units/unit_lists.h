#pragma once
// The game's unit containers as the unit code edits them, and the id counters.
#include <algorithm>
#include <list>
#include <vector>

#include "units/unit_fwd.h"

// The next id of a family from the game's counter (the counter is raised first);
// 0 when there is no game.
int NextLandUnitId();
int NextAirUnitId();
int NextNavalUnitId();
int NextFleetId();

// Removes every occurrence of the pointer; true when one was there.
template <typename T, typename U>
bool RemoveFromList(std::list<T*>& list, const U* item)
{
    auto before = list.size();
    list.remove_if([item](const T* p) { return static_cast<const void*>(p) == static_cast<const void*>(item); });
    return list.size() != before;
}

template <typename T, typename U>
bool RemoveFromList(std::vector<T*>& list, const U* item)
{
    auto it = std::remove_if(list.begin(), list.end(),
                             [item](const T* p) { return static_cast<const void*>(p) == static_cast<const void*>(item); });
    bool found = it != list.end();
    list.erase(it, list.end());
    return found;
}

// Takes the unit off every country's list of units it has discovered.
void ForgetSpottedUnit(const cUnit* unit);
