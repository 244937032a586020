#pragma once
// Strategic movement: for every country the groups of cities connected for it by land;
// topography.csv and the reachability queries.
#include <list>
#include <string>
#include <vector>

#include "units/unit_fwd.h"

class cMiasto;

using tCityGroup = std::list<cMiasto*>;
using tCityGroups = std::list<tCityGroup>;

class cTopografia
{
public:
    // Sizes the per-country entries to the number of countries; new entries are empty.
    void InitStrategicMovementModule(int countryCount);
    void Clear() { Countries.clear(); }
    void SetCountryTopography(int countryId, const tCityGroups& groups);
    const tCityGroups* GetGroups(int countryId) const;

    // A unit seen through what the query needs of it.
    struct sUnitView
    {
        int ownerId = 0;
        int category = 0; // 1 air
        int supplyX = -1;
        int supplyY = -1;
    };
    bool IsHexReachable(const sUnitView& unit, const cMiasto& target) const;
    bool IsCityInGroup(int countryId, const cMiasto* a, const cMiasto* b) const;
    void ShowCountryGroups(const sUnitView& unit) const;

    void Load(const std::wstring& folderPattern);
    void Save(const std::wstring& folder) const;

    std::vector<tCityGroups> Countries;
};

// Sizes the strategic movement module of the world to its countries.
void InitStrategicMovementModule();
