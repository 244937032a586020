#pragma once
// The scenario as the generator assembles it from its sources, before the game's own
// writers put it into files.
#include <map>
#include <set>
#include <string>
#include <vector>

#include "tools/scenariogen/geo.h"

struct sCountrySource
{
    int id = 0;
    std::string code;
    std::string name;
    int alliance = 0, orientation = 0, zone = 0, allianceEntry = 0, politicalStrength = 0;
    int tech[7] = {};
    double pp = 0.0;
    int dp = 0, smp = 0, stp = 0, aip = 0;
    double unrest = 0.0, warEconomy = 0.0;
    int power = 2, region = 3, dpGrowth = 1;
    int doctrineMonths[5] = {};
    double winterBattle = 0.0, winterMove = 0.0, mudBattle = 0.0, mudMove = 0.0;
    unsigned colour = 0xFF808080u;
    std::string capital;
    int human = 0;
    int special = 0; // 1: the dummy country that closes the turn order
};

enum eCityKind { KIND_SUPPLY = 0, KIND_NORMAL = 1, KIND_SUPPLYPORT = 2, KIND_PORT = 3, KIND_RESOURCE = 4 };

struct sCitySource
{
    std::string name;
    double lon = 0.0, lat = 0.0;
    int kind = KIND_NORMAL;
    double production = 0.0;
    int victoryPoints = 0;
    std::string holder; // the code of the country that holds it
    std::string zone;   // for a port: the sea zone it must open on, or empty
    int line = 0;
    // Placed:
    int x = -1, y = -1;
    int country = 0;
    int seaZone = 0;   // the zone node of a port
    int seaNode = 0;   // the port's own node
    int portSize = 0;
};

struct sSeaNode
{
    int id = 0;
    std::string name; // "-" for a port (the city's name)
    int sizeMax = 0;
    int mainX = 0, mainY = 0, ownX = 0, ownY = 0, enemyX = 0, enemyY = 0;
};

struct sSeaEdge
{
    int from = 0, to = 0, controlX = -1, controlY = -1;
};

struct sCityLink
{
    int from = 0, to = 0; // indexes into the city list
    int value = 0;        // 0 land, 1 across the sea
};

struct sCommanderSource
{
    int id = 0;
    std::string name;
    int country = 0;
    int type = 0; // 0 land, 1 air, 2 naval
    int skill = 0, experience = 0, state = 0;
};

struct sUnitSource
{
    int id = 0;
    int category = 0; // 0 land, 1 air
    int country = 0;
    int type = 0;
    int level = 1;
    int strength = 100;
    std::string name;
    std::string place;  // a city name or "lon,lat"
    bool reserve = false;
    int availableIn = 0;
    int commander = -1;
    int line = 0;
    int x = -1, y = -1;
};

struct sShipSource
{
    int id = 0;
    int country = 0;
    int type = 40;
    int hp = 1;
    std::string name;
    int fleet = -1; // -1: in reserve
    int availableIn = 0;
    int commander = -1;
};

struct sFleetSource
{
    int id = 0;
    std::string name;
    int country = 0;
    std::string port;
    int raiders = 0;
    int seaNode = 0;
};

struct sScenario
{
    sGeography geo;
    std::vector<sCountrySource> countries;         // by id - 1
    std::map<std::string, int> countryByCode;
    std::vector<sCitySource> cities;
    std::vector<sSeaNode> seaNodes;                // by id - 1
    std::vector<sSeaEdge> seaEdges;
    std::vector<sCityLink> cityLinks;
    std::map<std::string, int> zoneNodeByCode;
    std::vector<sCommanderSource> commanders;
    std::vector<sUnitSource> units;
    std::vector<sFleetSource> fleets;
    std::vector<sShipSource> ships;
    std::vector<std::vector<int>> landMass;        // land-mass number by hex, -1 at sea
    std::vector<std::string> warnings;

    int CityIndex(const std::string& name) const;
    int CountryIdAt(int x, int y) const;
};

// Sources: each reader fills its part of the scenario; false with `error` naming the
// file and line.
bool ReadCountries(const std::string& path, sScenario& s, std::string& error);
bool ReadCities(const std::string& path, sScenario& s, std::string& error);
bool ReadForces(const std::string& path, sScenario& s, std::string& error);

// Building, in this order after the readers.
void MarkLandMasses(sScenario& s);
bool PlaceCities(sScenario& s, std::string& error);
void BuildSeaGraph(sScenario& s);
void BuildCityGraph(sScenario& s);
bool PlaceUnits(sScenario& s, std::string& error);

// Hex distance on the game's grid.
int Distance(int x1, int y1, int x2, int y2);
