#pragma once
// A small game for the unit tests: a game object with a map of clear hexes, a few
// countries, a sea graph of a few nodes and constants that the tests set as they need.
#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "game/game.h"
#include "game/presentation.h"
#include "units/land_unit.h"
#include "units/air_unit.h"
#include "units/naval_unit.h"
#include "world/country.h"
#include "world/fleet.h"
#include "world/map.h"
#include "world/relations.h"
#include "world/sea_graph.h"

namespace unit_tests {

// True when the list of unit or fleet pointers holds this one.
template <typename T>
bool Contains(const T& list, const void* item)
{
    return std::any_of(list.begin(), list.end(), [item](const auto* p) { return p == item; });
}

// Counts the message boxes the game shows and the sounds it plays.
class cRecordingPresentation : public cNullPresentation
{
public:
    void MessageBox(const std::wstring& text, const std::wstring& title) override
    {
        boxes.push_back(title + L": " + text);
    }
    void PlaySound(std::wstring_view path) override { sounds.emplace_back(path); }
    int Played(std::wstring_view name) const
    {
        const std::wstring path = L"data\\sound\\" + std::wstring(name) + L".wav";
        return int(std::count(sounds.begin(), sounds.end(), path));
    }
    std::vector<std::wstring> boxes;
    std::vector<std::wstring> sounds;
};

// The raw random value that makes RandomInt(a, b) give value (a die: a = 1, b = 6).
inline int RawFor(int value, int a = 1, int b = 6)
{
    return int(((long long)(value - a) * 32768 + (b - a)) / (b - a + 1));
}

class cTestGame
{
public:
    // A map of width x height land hexes, countryCount countries with ids 1.., and
    // seaNodes nodes of the sea graph with ids 1...
    explicit cTestGame(int width = 12, int height = 10, int countryCount = 3, int seaNodes = 4);
    ~cTestGame();
    cTestGame(const cTestGame&) = delete;
    cTestGame& operator=(const cTestGame&) = delete;

    sGameConsts& Consts() { return game->m_Consts; }
    cPanstwo& Country(int id) { return *game->m_Countries[id - 1]; }
    sHex& Hex(int x, int y) { return *map->GetHex(x, y); }

    // Units put on the map (hex taken) and into the game's lists.
    cJednostkaLadowa* AddLand(int owner, int type, int x, int y);
    cMulberry* AddMulberry(int owner, int x, int y);
    cJednostkaLotnicza* AddAir(int owner, int type, int x, int y);
    // A ship in a fleet at the node (a new fleet when fleet is null).
    cJednostkaMorska* AddShip(int owner, int type, int node, cFlota* fleet = nullptr);
    sDowodca* AddCommander(int id, int owner, int type, int skill, int experience);

    // Sets the constants the unit rules read to simple, distinct values.
    void SetRuleConstants();
    // The combat tables: land and air losses, factors, bombing, sieges, each value distinct.
    void SetCombatConstants();
    // Both countries at war with each other.
    void SetWar(int a, int b);

    cGra* game = nullptr;
    cMapa* map = nullptr;
    cGrafMorz seaGraph;
    cRelationsMatrix relations;
    cRecordingPresentation presentation;
};

} // namespace unit_tests
