#pragma once
// The city graph: directed, valued links between cities drawn by cities_diagram.csv.
#include <cstdint>
#include <list>
#include <string>
#include <utility>
#include <vector>

class cMiasto;
struct sWezelDiagramuMiast;

struct sLukDiagramuMiast
{
    sWezelDiagramuMiast* Target = nullptr;
    int32_t Value = 0; // 0 land connection, 1 the second kind
};

struct sWezelDiagramuMiast
{
    cMiasto* City = nullptr;
    std::list<sLukDiagramuMiast> Links;
    uint8_t Mark = 0;
    uint8_t Visited = 0;
    // The computer opponent's strengths around the city, cleared by ResetSearchFields.
    float OurLand = 0.0f;    // own and allied land units
    float OwnLand = 0.0f;
    float EnemyLand = 0.0f;
    int32_t OurAirCount = 0;
    int32_t OwnAirCount = 0;
    int32_t EnemyAirCount = 0;
    int32_t OwnUnitCount = 0; // own land and air units
    int32_t OurAirStrength = 0;
    int32_t OwnAirStrength = 0;
    int32_t EnemyAirStrength = 0;
};

class cDiagramMiast
{
public:
    cDiagramMiast() = default;
    cDiagramMiast(const cDiagramMiast&) = delete;
    cDiagramMiast& operator=(const cDiagramMiast&) = delete;

    void Build(const std::list<cMiasto*>& cities);
    // Reads data\scenarios\<scenario>\cities_diagram.csv.
    void Load(const std::wstring& scenarioName);
    // Reads a cities_diagram.csv at a path (the file above, or a test's).
    void LoadFile(const std::wstring& path);
    bool FindRoute(cMiasto* from, cMiasto* to, int countryId, std::list<cMiasto*>& route);
    bool HasLinkToAlliedCity(int nodeIndex, int countryId) const;
    void ResetSearchFields();
    void Clear();

    std::vector<sWezelDiagramuMiast> Nodes;
    std::list<std::pair<int32_t, cMiasto*>> CityIndex;
};
