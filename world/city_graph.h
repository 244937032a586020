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
    float ScratchF[3] = {};
    int32_t ScratchI[7] = {};
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
