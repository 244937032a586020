#pragma once
// What the event scripts read of the game, in one place.
#include <cstdint>
#include <string>

// The name of a country, or an empty text when the id names none.
std::wstring EventCountryName(int32_t countryId);
