#pragma once
// Standing convoys of supplies or production points between two ports of one country;
// convoys.csv.
#include <cstdint>
#include <list>
#include <string>
#include <vector>

class cMiasto;

enum eConvoyType
{
    CONVOY_SUPPLIES = 0,
    CONVOY_PP = 1,
};

struct sKonwoj
{
    sKonwoj() = default;
    // A new convoy: takes the next convoy id and the departure port's current size.
    sKonwoj(int owner, eConvoyType type, cMiasto* departure, cMiasto* destination);

    int32_t id = 0;
    int32_t owner = 0;
    cMiasto* departure = nullptr;
    cMiasto* destination = nullptr;
    eConvoyType type = CONVOY_SUPPLIES;
    int32_t value = 0;
    int32_t portSize = 0;
    int32_t unitsServed = 0;
    float need = 0.0f;
    const std::list<cMiasto*>* group = nullptr; // the destination's city group last time
};

// What one convoy run did, as the convoy-results window lists it.
struct sConvoyResult
{
    std::wstring departure;   // city names
    std::wstring destination;
    std::wstring cargo;       // what it carried
    int32_t transportNeeded = 0; // sea-transport points
    int32_t transportUsed = 0;
    int32_t transportLost = 0;
    std::wstring result;      // success, partial success or failure, translated
    std::wstring details;     // the route and what happened on it
    std::wstring firstHitZone; // where enemy ships first hit it, and whose they were
    int firstHitBy = 0;
};

class cKonwoje
{
public:
    int CreateSupplyConvoy(cMiasto* departure, cMiasto* destination, int owner);
    int CreateConvoyBySeaNodes(int departureNodeId, int destinationNodeId, int owner);
    int AddConvoy(int owner, int type, int value, int depX, int depY, int destX, int destY);
    void RemoveConvoy(int owner, int type, int depX, int depY, int destX, int destY);
    void RemoveFirstConvoyOfCountry(int owner);
    bool HasConvoyTo(const cMiasto* destination, int owner) const;
    // The ports a new convoy of the country may take (below) to sail from, then (after the
    // departure's node) to: their own-ships hexes are marked.
    void HighlightOwnPortsForConvoy(int countryId) const;
    void HighlightAlliedPortsForConvoy(int countryId, int excludedNodeId) const;
    // Whether the country's new convoy may sail from the port of that sea node (departure
    // node 0), or to it from the departure's; when not, why says why (unless null).
    bool MayTakePort(int countryId, int departureNodeId, int nodeId, std::wstring* why) const;
    // Whether the convoy may carry that cargo between its ports at all; when not, why says why
    // (unless null). A cargo refused here would be refused at every turn's end.
    bool MayCarry(const sKonwoj& convoy, int type, std::wstring* why) const;
    void LoadConvoys(const std::wstring& folderPattern);
    void SaveConvoys(const std::wstring& folder) const;

    // Sizes the per-owner vectors to the number of countries (existing convoys stay).
    void Resize(int countryCount);
    std::vector<sKonwoj>* OwnerConvoys(int owner);

    std::vector<std::vector<sKonwoj>> Convoys;
    std::vector<std::vector<sConvoyResult>> Results;

private:
    int Append(sKonwoj convoy);
    void HighlightPorts(int countryId, int departureNodeId) const;
};
