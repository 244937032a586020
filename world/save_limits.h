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
// A ship's maximum hit points, which consts.csv gives a new ship.
constexpr int kMaxShipHitPoints = 1000;
// What a convoy carries: a script's convoy is held to it, and the window's maximum (a port
// of 10 times consts.csv's 10000 at most) lies below it.
constexpr int kMaxConvoyValue = 1000000;
// A decimal of the computer opponent's parameters, which ai_data.csv reads within +-this.
constexpr double kMaxAIDecimal = 1e6;
// Impulses a land unit stays frozen.
constexpr int kMaxFreezeTime = 1000000;
// The events bonus to a land unit's efficiency, in percent: from none left to eleven times.
constexpr int kMinEventsEffect = -100;
constexpr int kMaxEventsEffect = 1000;
