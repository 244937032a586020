#pragma once
// A small world built in memory for the world tests, shared with the world code
// through g_World for the life of the fixture.
#include <filesystem>
#include <list>
#include <memory>
#include <string>
#include <vector>

#include "core/fatal.h"
#include "core/stringbase.h"
#include "platform/paths.h"
#include "tests/test_support.h"
#include "core/text.h"
#include "world/city.h"
#include "world/city_graph.h"
#include "world/convoys.h"
#include "world/country.h"
#include "world/fleet.h"
#include "world/map.h"
#include "world/relations.h"
#include "world/sea_graph.h"
#include "world/topography.h"
#include "world/world.h"
#include "units/land_unit.h"

class cTestWorld
{
public:
    cTestWorld(int width, int height) : map(std::make_unique<cMapa>(width, height)) { Bind(); }
    ~cTestWorld()
    {
        g_World = sWorld{};
        for (cFlota* f : fleets)
            delete f;
        DeleteCities(cities);
        DeleteCountries(countries);
    }
    cTestWorld(const cTestWorld&) = delete;
    cTestWorld& operator=(const cTestWorld&) = delete;

    void Bind()
    {
        g_World.map = map.get();
        g_World.cities = &cities;
        g_World.countries = &countries;
        g_World.relations = &relations;
        g_World.seaGraph = &sea;
        g_World.cityGraph = &cityGraph;
        g_World.fleets = &fleets;
        g_World.convoys = &convoys;
        g_World.topography = &topography;
        g_World.nextConvoyId = &nextConvoyId;
        g_World.nextFleetId = &nextFleetId;
    }

    // A country of the alliance; the relations grow with it, all at peace.
    int AddCountry(int alliance, const std::wstring& name = L"")
    {
        auto* c = new cPanstwo();
        c->ID = int(countries.size()) + 1;
        c->Alliance = alliance;
        c->Name = name.empty() ? L"Country " + std::to_wstring(c->ID) : name;
        c->TechLevel[TECH_AIRCRAFT] = 1;
        countries.push_back(c);
        relations.Resize(int(countries.size()));
        return c->ID;
    }
    // Sets both war flags; call after every country is added.
    void War(int a, int b)
    {
        relations.SetWar(a, b, 1);
        relations.SetWar(b, a, 1);
    }

    sHex& Hex(int x, int y) { return *map->GetHex(x, y); }
    sHex& Land(int x, int y, int controller = 0, int owner = -1)
    {
        sHex& h = Hex(x, y);
        h.terrain = 1;
        h.controller = uint8_t(controller);
        h.owner = uint8_t(owner < 0 ? controller : owner);
        return h;
    }
    void FillLand(int controller)
    {
        for (int y = 0; y < map->GetHeight(); ++y)
            for (int x = 0; x < map->GetWidth(); ++x)
                Land(x, y, controller);
    }

    cMiasto* AddCity(const std::wstring& name, int x, int y, int type, int controller)
    {
        Land(x, y, controller);
        auto* c = new cMiasto();
        c->Name = name;
        c->X = x;
        c->Y = y;
        c->Type = type;
        cities.push_back(c);
        Hex(x, y).city = c;
        return c;
    }

    sWezelGrafuMorz& AddSeaNode(int sizeMax = 0, int mainX = 0, int mainY = 0)
    {
        sWezelGrafuMorz n;
        n.ID = int(sea.Nodes.size()) + 1;
        n.SizeMax = n.SizeCurrent = sizeMax;
        n.Kind = sizeMax == 0 ? SEA_NODE_SEA : SEA_NODE_PORT;
        n.MainX = n.OwnShipsX = n.EnemyShipsX = mainX;
        n.MainY = n.OwnShipsY = n.EnemyShipsY = mainY;
        n.Name = L"Node " + std::to_wstring(n.ID);
        sea.Nodes.push_back(n);
        return sea.Nodes.back();
    }
    void Edge(int from, int to, int controlX = -1, int controlY = -1)
    {
        sea.Nodes[size_t(from - 1)].Edges.push_back({to, controlX, controlY});
    }
    void TwoWay(int a, int b)
    {
        Edge(a, b);
        Edge(b, a);
    }

    std::unique_ptr<cMapa> map;
    std::vector<cPanstwo*> countries;
    cRelationsMatrix relations;
    std::list<cMiasto*> cities;
    cGrafMorz sea;
    cDiagramMiast cityGraph;
    std::list<cFlota*> fleets;
    cKonwoje convoys;
    cTopografia topography;
    int32_t nextConvoyId = 0;
    int32_t nextFleetId = 0;
};

// A folder as a path pattern with one %s for the file name.
inline std::wstring PatternOf(const std::filesystem::path& folder)
{
    return Utf8ToWide(folder.string()) + L"/%s";
}
inline std::wstring FolderOf(const std::filesystem::path& folder)
{
    return Utf8ToWide(folder.string());
}
// Land units stood on a test world's hexes; taken off the map again when the list goes,
// so declare it after the world.
class cPlacedLandUnits
{
public:
    explicit cPlacedLandUnits(cTestWorld& world) : m_World(world) {}
    ~cPlacedLandUnits()
    {
        for (auto& u : m_Units)
            if (u->m_X >= 0)
                m_World.Hex(u->m_X, u->m_Y).unit = nullptr;
    }
    cJednostkaLadowa* Put(int x, int y, int owner, bool spotted = false)
    {
        m_Units.push_back(std::make_unique<cJednostkaLadowa>());
        cJednostkaLadowa* u = m_Units.back().get();
        u->m_Owner = owner;
        u->m_Spotted = spotted;
        u->m_X = x;
        u->m_Y = y;
        m_World.Hex(x, y).unit = u;
        return u;
    }

private:
    cTestWorld& m_World;
    std::vector<std::unique_ptr<cJednostkaLadowa>> m_Units;
};

using testing_support::WriteFile;

// The game's English texts, for tests that read a logged language text.
inline void LoadGameTexts()
{
    auto bytes = ReadWholeFile(testing_support::GameRoot() / "lang_ENG.db");
    if (bytes)
        g_StringBase.LoadFromBytes(*bytes, true);
}
