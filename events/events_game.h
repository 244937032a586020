#pragma once
// What the event scripts read of the game, in one place.
#include <cstdint>
#include <functional>
#include <string>

class cPanstwo;
struct sAIParameters;

// The name of a country, or an empty text when the id names none.
std::wstring EventCountryName(int32_t countryId);

// Where the computer opponent's parameters of a country live; the game installs it when
// the blocks exist, and clears it (an empty function) when they go.
using EventAIParametersOf = std::function<sAIParameters&(cPanstwo&)>;
void SetEventAIParameters(EventAIParametersOf parameters);
// The computer opponent's parameters of the country; null while the game has none.
sAIParameters* EventAIParameters(cPanstwo& country);
