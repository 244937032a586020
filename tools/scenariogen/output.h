#pragma once
// What the generator writes, and the rules it applies on the way.
#include <cstdint>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "tools/scenariogen/scenario.h"

inline constexpr const char* kScenarioName = "Europe1939";
// Pixels per hex of the minimap (and of the diplomacy picture's capital points).
inline constexpr int kMinimapScale = 4;
// The supply a unit starts with: consts.csv row 48, read by ReadRules.
extern int kFullSupply;

struct sClimate
{
    uint8_t mud[12] = {};
    uint8_t winter[12] = {};
};

// The rules that the generator takes from the sources besides the map: the wars of the
// first day, the fortified lines and the action points of consts.csv.
bool ReadRules(const std::string& sourceFolder, sScenario& s, std::string& error);

sClimate ClimateAt(const sGeography& geo, int x, int y);
const std::map<std::pair<int, int>, int>& Fortifications(const sScenario& s);
int CitySupply(const sCitySource& c);
bool AtWar(const sScenario& s, int a, int b);
int LandActionPoints(const sScenario& s, const sUnitSource& u);
int AirActionPoints(const sUnitSource& u);

// The draft: map.qvr through the map's own writer, and the tables.
bool WriteMap(const sScenario& s, const std::string& folder, std::string& error);
bool WriteDraftTables(const sScenario& s, const std::string& folder, std::string& error);
// ai_data.csv from its source, city names turned into hexes.
bool WriteDraftAIData(const sScenario& s, const std::string& sourcePath, const std::string& folder,
                      std::string& error);

// events.xml from its template (country codes, city hexes, territory polygons).
bool WriteDraftEvents(const sScenario& s, const std::string& templatePath, const std::string& folder,
                      std::string& error);

// unit_names.csv from its source: country codes for ids, a cell for every country, a row
// for every unit type.
bool WriteDraftUnitNames(const sScenario& s, const std::string& sourcePath, const std::string& folder,
                         std::string& error);

// The pictures of the scenario folder: image.png and minimap.png.
bool WritePictures(const sScenario& s, const std::string& folder, std::string& error);
