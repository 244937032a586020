#pragma once
// Time for the game: a millisecond tick from a steady clock and plain sleeps. Tests of the
// whole program can switch to a virtual clock that only moves when they advance it.
#include <cstdint>

// Milliseconds since the first call in this process; wraps like a 32-bit timer.
uint32_t GetTickMs();
// Seconds of the same clock, for the frame timer.
double ClockSeconds();
// Seconds since the epoch, from the calendar clock.
int64_t GetCalendarSeconds();
// Sleeps; a negative or zero time returns at once.
void SleepMs(int ms);

// While on, GetTickMs and ClockSeconds read a clock that stands still until advanced.
void SetVirtualClock(bool on);
bool IsVirtualClock();
void AdvanceVirtualClock(int ms);
