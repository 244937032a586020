#pragma once
// The supply calculator: once per impulse it groups the cities each side holds connected
// by land, finds every unit's nearest city, runs the convoys and gives every land and air
// unit on the map its supply; then Mulberry harbours and ships add theirs.
#include <set>
#include <utility>
#include <vector>

#include "units/unit_fwd.h"
#include "world/topography.h"

class cMapa;
class cMiasto;

// A unit and the city it draws supply from (none when no city is in reach), with the
// path cost to it. Valid only within one supply pass.
struct sSupplySource
{
    cJednostka* unit = nullptr;
    cMiasto* city = nullptr;
    int cost = 0;
};
using tSupplySources = std::vector<sSupplySource>;

class cZaopatrzenie
{
public:
    // Sizes the per-hex grid to the map (empty without a map), every cell unreached.
    void AllocateGrid(const cMapa* map);

    // The whole supply pass of an impulse: groups, topographies, sources, convoys and the
    // supply of every country's units.
    void CalculateSupply();
    // Groups of the cities (not resources cities) connected by land: of side 1 to 3 with
    // country -1, or of one country with side -1.
    void BuildCityGroups(int side, int country, tCityGroups& out);
    void FloodCityGroup(cMiasto* start, int side, int country, tCityGroup& out);
    // Every unit on the map of the side (or country) with its nearest city.
    void FindSupplySources(int side, int country, tSupplySources& out);
    sSupplySource FindNearestSupplyCity(cJednostka* unit, int side, int country);
    // The supply of one country's units, with its convoys.
    void SupplyCountry(int countryId);
    void SupplyFromMulberries();
    // Spreads the supply of the Mulberry harbour at the centre over the friendly land
    // around it, marking the hexes it has visited.
    void SpreadMulberrySupply(int x, int y, int centreX, int centreY, std::set<int>& visited);
    void SupplyFromShips();
    // The friendly coastal land hexes within the radius of (x, y): one per sea zone, the
    // nearest.
    std::vector<std::pair<int, int>> FindCoastalHexesNear(int x, int y, int radius, int owner);

    bool IsHexOfSide(int x, int y, int side) const;
    bool IsHexOfCountry(int x, int y, int country) const;
    bool CanRelaxHex(int x, int y, int side, int country, int costSoFar) const;

    // The groups and sources of one side (1 to 3), or of the neutral country being supplied (0).
    tCityGroups& GroupsOf(int side);
    tSupplySources& SourcesOf(int side);

    static constexpr int kUnreached = 0;
    static constexpr int kVisited = 1;

    std::vector<int> Grid; // row by row: element y * Width + x
    int Width = 0;
    int Height = 0;
    tCityGroups AxisGroups;
    tCityGroups AlliesGroups;
    tCityGroups CominternGroups;
    tCityGroups NeutralGroups;
    tSupplySources AxisSources;
    tSupplySources AlliesSources;
    tSupplySources CominternSources;
    tSupplySources NeutralSources;

private:
    void ClearGrid();
    int EntryCost(int x, int y) const;
    void ClearSources();
};

// Sizes every city's per-country supply values and convoy flags to the countries, all 0.
void ResizeCityCountryFlags();
