#pragma once
// What a saved game keeps of the values that events and rules change: the loaders of
// countries.csv, cities.csv and the unit tables hold them to these ranges, so a value
// past them would come back otherwise when the game is loaded.

// A country's points, research progress and doctrine counters, far beyond what a game reaches.
constexpr int kMaxCountryPoints = 1000000;
constexpr double kMaxCountryProductionPoints = 1e9;
// The war economy, the upkeep cost and the weather factors.
constexpr double kMaxCountryFactor = 1e6;
// A city's production points.
constexpr double kMaxCityProductionPoints = 1e6;
// Impulses a land unit stays frozen.
constexpr int kMaxFreezeTime = 1000000;
// The events bonus to a land unit's efficiency, in percent: from none left to eleven times.
constexpr int kMinEventsEffect = -100;
constexpr int kMaxEventsEffect = 1000;
