#pragma once
// Time for the game: a millisecond tick from a steady clock and plain sleeps.
#include <cstdint>

// Milliseconds since the first call in this process; wraps like a 32-bit timer.
uint32_t GetTickMs();
// Seconds since the epoch, from the calendar clock.
int64_t GetCalendarSeconds();
// Sleeps; a negative or zero time returns at once.
void SleepMs(int ms);
