#pragma once
// Random numbers: one linear congruential generator per thread
// (state = state * 214013 + 2531011, raw value = (state >> 16) & 0x7FFF).
#include <cstdint>
#include <vector>

// Seed and state of the calling thread's generator.
void SeedRandom(uint32_t seed);
uint32_t GetRandomState();

// The computer opponent's generator outlives its thread, so that a save (on the main thread)
// keeps its state and a load gives it back. The opponent's thread calls UseOpponentRandom
// at its start and draws from it from then on.
void UseOpponentRandom();
uint32_t GetOpponentRandomState();
void SetOpponentRandomState(uint32_t state);
// The next raw value, 0 to 32767.
int NextRandomRaw();

// From a to b inclusive, each value equally likely; a == b gives a and still draws.
int RandomInt(int a, int b);
// The sum of n rolls of RandomInt(a, b); 0 for n <= 0.
int RandomDiceSum(int n, int a, int b);
// Raw value / 32767: from 0.0 to 1.0, both included.
float RandomFraction();

// Tests: raw values to hand out before the generator's own, on this thread.
void ScriptRandomRaw(const std::vector<int>& rawValues);
void ClearRandomScript();
