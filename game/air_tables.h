#pragma once
// The two per-country tables of play that saved games carry: units spotted by air
// reconnaissance (airrecon_units.csv) and airship attack reports (airship_attacks.csv).
#include <functional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

class cPanstwo;

// One airship attack report of a defending country.
struct sAirshipAttack
{
    std::wstring text;
};

// airship_attacks.csv: UTF-16LE without a byte-order mark, lines ended by one 16-bit line
// feed, the last without one. perCountry[k] holds the texts of country k + 1.
std::string EncodeAirshipAttacks(const std::vector<std::vector<std::wstring>>& perCountry);
// The texts by country; a line whose country number is out of range is logged and skipped.
std::vector<std::vector<std::wstring>> DecodeAirshipAttacks(std::string_view bytes, int countryCount,
                                                            const std::wstring& path = L"airship_attacks.csv");
void SaveAirshipAttacks(std::wstring_view folder, const std::vector<cPanstwo*>& countries);
// Optional file: a missing one leaves the lists empty.
void LoadAirshipAttacks(std::wstring_view pattern, const std::vector<cPanstwo*>& countries);

// airrecon_units.csv: per country (perCountry[k] is country k + 1) the hexes of the units
// it spotted; a country with none writes no line.
std::string EncodeAirReconUnits(const std::vector<std::vector<std::pair<int, int>>>& perCountry);
struct sReconHex
{
    int country = 0;
    int x = 0;
    int y = 0;
    bool operator==(const sReconHex&) const = default;
};
// Lines before any "Country" line, of a country out of range or off a map of the given
// size (0 = unknown) are logged and skipped.
std::vector<sReconHex> DecodeAirReconUnits(std::string_view text, int countryCount, int mapWidth, int mapHeight,
                                           const std::wstring& path = L"airrecon_units.csv");
void SaveAirReconUnits(std::wstring_view folder, const std::vector<std::vector<std::pair<int, int>>>& perCountry);
// Optional file: a missing one adds nothing.
std::vector<sReconHex> LoadAirReconUnits(std::wstring_view pattern, int countryCount, int mapWidth, int mapHeight);
