#pragma once
// What the computer opponent shows a person: only when a human plays and the unit or
// target is visible to the enemy; a game of computers never pauses.
#include "core/settings.h"
#include "units/unit_fwd.h"

// A person plays, and the unit is visible to the enemy.
bool IsShownToPerson(const cUnit* unit);
// Sleeps a delay setting in milliseconds without holding the global lock; returns at
// once when the thread is asked to stop.
void PauseForPerson(eDelay delay);
// The camera of the person's screen moves to the hex.
void CenterForPerson(int x, int y);
// A line in the info panel's status line, when a person plays.
void InfoPanelForPerson(const std::wstring& text);
