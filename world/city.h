#pragma once
// A city on one hex: production, supply, victory points, ports; and cities.csv.
#include <cstdint>
#include <list>
#include <string>
#include <utility>
#include <vector>

#include "units/unit_fwd.h"

class cPanstwo;

enum eCityType
{
    CITY_SUPPLY = 0,
    CITY_NORMAL = 1,
    CITY_SUPPLY_PORT = 2,
    CITY_PORT = 3,
    CITY_RESOURCES = 4,
};

constexpr int kCityNameMax = 99; // characters kept of a name

struct sHex;

class cMiasto
{
public:
    cMiasto() = default;
    // Copies the record's values; the per-country tables and the distances start empty.
    cMiasto(const cMiasto& other);
    cMiasto& operator=(const cMiasto&) = delete;

    const std::wstring& GetName() const { return Name; }
    void SetName(const std::wstring& name); // cut to kCityNameMax characters
    int GetControllerId() const;
    int GetOwnerId() const;
    int GetOriginalOwnerId() const;
    bool IsPort() const { return Type == CITY_SUPPLY_PORT || Type == CITY_PORT; }
    std::pair<int, int> FindFreeHexFor(int countryId) const;
    bool IsFullyEnclosed() const;
    bool IsBesieged() const;
    int GetSeaNodeId() const;
    int GetGraphDistanceTo(const cMiasto& other) const;
    void ComputeGraphDistances();

    // Bombardment, nuclear hits and sieges.
    // The attacker (an air unit or a carrier) bombs the city's production; an attacker
    // that dies is only counted destroyed (the result says so): its caller removes it.
    void StrategicBombard(sCombatResult* result, cUnit* attacker);
    // A nuclear hit destroys a share of the production; the text goes to the defender's.
    // A record, not a bare text: the strike that calls it reads the record's flags as well.
    void NuclearStrike(sCombatResult* result);
    // The besieged city's defender may lose a level or surrender; the report goes to text.
    void CheckSiege(std::wstring& text);

    // The city on the map at the hex's position, at the city layer's depth: its picture
    // (unless a decoration stands in for it), then the markers and labels of the current
    // city appearance level.
    void Draw(float x, float y, float depth, bool showPicture, int parity, const sHex& hex, int variant) const;

    // Per-country tables (cities_supply_info.csv and cities_convoy_info.csv).
    void ResizeCountryTables(int countryCount);

    int32_t X = 0;
    int32_t Y = 0;
    std::wstring Name;
    int32_t Type = 0;
    int32_t VictoryPoints = 0;
    float ProductionPoints = 0.0f;
    int32_t Supply = 0;
    std::vector<int32_t> SupplyByCountry;
    std::vector<uint8_t> ConvoyInfoByCountry;
    int32_t ProductionPointsLost = 0;
    int32_t GraphIndex = -1;
    std::vector<int32_t> GraphDistances;
    uint8_t Visited = 0;
    // Written by the computer opponent in the turn of the country it plays: whether it
    // may attack the city, the state of the front the city lies on (3: none) and the
    // strength it has sent to take the city this turn.
    uint8_t MayBeAttacked = 1;
    int32_t FrontState = 3;
    float CommittedStrength = 0.0f;
};

// cities.csv: the reader clears the list first and links every city to its hex.
void LoadCities(const std::wstring& folderPattern, std::list<cMiasto*>& cities);
void SaveCities(const std::wstring& folder, const std::list<cMiasto*>& cities);
void DeleteCities(std::list<cMiasto*>& cities);

// cities_supply_info.csv and cities_convoy_info.csv.
void SaveCitySupplyInfo(const std::wstring& folder, const std::list<cMiasto*>& cities);
void SaveCityConvoyInfo(const std::wstring& folder, const std::list<cMiasto*>& cities);
void LoadCitySupplyTables(const std::wstring& folderPattern, int countryCount);
