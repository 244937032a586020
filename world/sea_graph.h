#pragma once
// The sea graph: sea zones and ports joined by directed edges, some of them held by a
// land hex (a strait); sea_nodes.csv, sea_edges.csv and the path search of fleets.
#include <cstdint>
#include <list>
#include <string>
#include <vector>

#include "units/unit_fwd.h"
#include "world/hoverable.h"

class cFlota;
struct sConvoyResult;

// While set (the default), allied and enemy fleets lying in a port are left out of that
// port's counts and lists. Reconnaissance and the computer opponent clear it around their
// own passes (with cShowForeignShipsInPorts), under the global lock.
extern bool g_HideForeignShipsInPorts;

// Clears g_HideForeignShipsInPorts for its lifetime and restores the value it found.
class cShowForeignShipsInPorts
{
public:
    cShowForeignShipsInPorts() : m_Saved(g_HideForeignShipsInPorts) { g_HideForeignShipsInPorts = false; }
    ~cShowForeignShipsInPorts() { g_HideForeignShipsInPorts = m_Saved; }
    cShowForeignShipsInPorts(const cShowForeignShipsInPorts&) = delete;
    cShowForeignShipsInPorts& operator=(const cShowForeignShipsInPorts&) = delete;

private:
    bool m_Saved;
};

enum eSeaNodeKind
{
    SEA_NODE_PORT = 0,
    SEA_NODE_SEA = 1,
};

constexpr int kSeaNodeNameMax = 149;

struct sLukGrafuMorz
{
    int32_t Target = 0;
    int32_t ControlX = -1; // -1: a free edge
    int32_t ControlY = -1;
};

struct sWezelGrafuMorz : public cHoverable
{
    int32_t ID = 0;
    int32_t Kind = SEA_NODE_SEA;
    int32_t SizeMax = 0;
    int32_t SizeCurrent = 0;
    std::wstring Name;
    int32_t MainX = 0;
    int32_t MainY = 0;
    cJednostkaMorska* ShownOwnShip = nullptr;
    int32_t OwnShipsX = 0;
    int32_t OwnShipsY = 0;
    cJednostkaMorska* ShownEnemyShip = nullptr;
    int32_t EnemyShipsX = 0;
    int32_t EnemyShipsY = 0;
    std::list<sLukGrafuMorz> Edges;
    int32_t OwnCounts[6] = {};
    int32_t AlliedCounts[6] = {};
    int32_t EnemyCounts[6] = {};
    int32_t Distance = -1;
    int32_t Predecessor = -1;

    // Visibility for the graph's viewing country: counts its own, allied and spotted enemy
    // ships by type and rolls the spotting of enemy ships. With keep, the enemy counts and
    // spotting stay and only hidden enemy ships are rolled again.
    void CalculateVisibility(bool keep);
    void CalculateVisibilityForCountry(int countryId, bool keep);
    void ResetCounts(bool keep);
    // A fleet sailed away: the viewing country's own ships leave the counts.
    void OnFleetLeft(const cFlota& fleet);
    // Picks the shown own and enemy ships again from the fleets here (counts unchanged).
    void RefreshDisplayedShips(bool own, bool enemy, bool dice = true);
    // The best commander of the country's ships here commands its ships without one of
    // their own; a country below 1 means every owner of a fleet here.
    void ShareBestCommander(int countryId);
    // An air attack on this port or sea zone from the target hex (x, y): port size and
    // the ships of enemy fleets here. Ships it sinks leave the game; the attacker does not.
    void Bombard(sCombatResult* result, cUnit* attacker, int x, int y);
    // A nuclear hit on this port: its size falls to 1 and any ship here may be destroyed;
    // the report goes to text. The number of ships destroyed.
    int NuclearStrike(std::wstring& text);

    // The carrier at war with the attacking country whose aircraft intercept an attack on
    // this node: the most hit points, the first of equals; null when none can.
    cJednostkaMorska* FindInterceptor(int attackerCountry) const;

    // The hint under the mouse: the ships of each side by type, the name, a port's size.
    void GetHintSize(int& width, int& height) const override;
    void DrawHint(float x, float y) const override;

    void CollectFleets(std::list<cFlota*>& out) const;
    int CountOwnShips() const;
    int CountVisibleEnemyShips() const;

    // A convoy of the owner passes the node: enemy fleets and raiders lying here may take
    // sea transport points off it. The last node of the route closes its line.
    void RaidConvoy(int owner, int nodeId, sConvoyResult& record, bool lastNode);
};

// The chance, in percent, that a raid on the convoy hits, by the points it still carries.
int GetConvoyRaidChance(const sConvoyResult& record);

class cGrafMorz
{
public:
    // sea_nodes.csv of the folder pattern (a path with one %s).
    void LoadNodes(const std::wstring& folderPattern);
    // sea_edges.csv of data\scenarios\<scenario>\.
    void Load(const std::wstring& scenarioName);
    // sea_edges.csv at a path.
    void LoadEdgesFile(const std::wstring& path);
    void SaveNodes(const std::wstring& folder) const;

    // The visibility of every node for the country, which becomes the viewing country.
    void CalculateAllVisibility(int countryId, bool keep);
    // The ships each node shows, from the counts and sightings a save brought back; no
    // spotting dice are rolled, so the loaded game goes on as the saved one would.
    void ShowKeptSightings();

    int FindNodeAtHex(int x, int y) const;
    int FindSeaNeighbour(int nodeId) const;
    bool CanPass(int fromId, int toId, int countryId) const;
    // An edge with no control hex, or whose control hex the country or an ally holds.
    bool IsEdgeUsable(const sLukGrafuMorz& edge, int countryId) const;
    // The route from the end back to the start, in `path`; see the source for the tie rule.
    bool FindPath(int fromId, int toId, int countryId, bool strictPorts, std::list<int>& path);

    // Node of an id, null when there is none.
    sWezelGrafuMorz* GetNode(int id);
    const sWezelGrafuMorz* GetNode(int id) const;
    int NodeCount() const { return int(Nodes.size()); }

    std::vector<sWezelGrafuMorz> Nodes;
    int32_t ViewingCountry = 0;
    // The save named the ship each node showed: play goes on with them.
    bool ShownShipsSaved = false;

private:
    bool IsAdmissible(const sWezelGrafuMorz& node, int countryId, bool strictPorts) const;
};
