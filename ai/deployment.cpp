// Deployment of the computer's new units: land units toward the weakest front, air units
// away from the fronts, ships into the first port of the country.
#include <set>

#include "ai/ai.h"
#include "ai/ai_presentation.h"
#include "core/lock.h"
#include "core/log.h"
#include "game/game.h"
#include "game/play_state.h"
#include "units/air_unit.h"
#include "units/land_unit.h"
#include "units/naval_unit.h"
#include "world/city.h"
#include "world/country.h"
#include "world/map.h"
#include "world/sea_graph.h"

namespace {

// The running best of the production rule: the best holds the integer part of the best
// value, and a city replaces it when its points are greater than that integer. A city that
// an event took below nothing is still a city, and the only one may be such.
cMiasto* RichestCity(const std::vector<cMiasto*>& cities, bool (*eligible)(const cAI&, const cMiasto*),
                     const cAI& ai)
{
    cMiasto* best = nullptr;
    int bestPoints = -1;
    for (cMiasto* city : cities)
        if (eligible(ai, city) && (!best || city->ProductionPoints > float(bestPoints)))
        {
            best = city;
            bestPoints = int(city->ProductionPoints);
        }
    return best;
}

bool AnyCity(const cAI&, const cMiasto*)
{
    return true;
}

bool OffEveryFront(const cAI& ai, const cMiasto* city)
{
    return !ai.IsCityOnAnyFront(city);
}

// A unit waits in the pool until its available-in-turns count has run out: the unit tables
// make it a delay before a reserve unit can be deployed, which the deployment lists would
// otherwise pass over, putting a unit bought this turn on the map at once.
bool IsAvailable(const cUnit* unit)
{
    return unit->m_AvailableInTurns <= 0;
}

} // namespace

void cAI::CollectDeploymentCities(std::vector<cMiasto*>& out) const
{
    out.clear();
    if (!g_Gra || !g_Gra->m_Mapa || !m_Country)
        return;
    cMapa& map = *g_Gra->m_Mapa;
    const bool atWar = m_Country->IsAtWar();
    const int me = CountryId();
    for (cMiasto* city : g_Gra->m_Cities)
    {
        if (city->Type == CITY_RESOURCES || !map.IsInside(city->X, city->Y) || city->GetControllerId() != me)
            continue;
        if (atWar)
        {
            const size_t index = size_t(me - 1);
            const int supply = index < city->SupplyByCountry.size() ? city->SupplyByCountry[index] : 0;
            if (supply < g_Gra->m_Consts.MaxSupply / 2)
                continue;
        }
        bool free = !map.GetHex(city->X, city->Y)->unit;
        for (int d = 0; d < 6 && !free; ++d)
        {
            const sHex* n = map.GetNeighbour(city->X, city->Y, d);
            free = n && !n->unit && n->IsLand() && n->controller == me;
        }
        if (free)
            out.push_back(city);
    }
}

void cAI::CollectNavalDeploymentCities(std::vector<cMiasto*>& out) const
{
    out.clear();
    if (!g_Gra || !g_Gra->m_SeaGraph || !g_Gra->m_Mapa)
        return;
    cMapa& map = *g_Gra->m_Mapa;
    for (const sWezelGrafuMorz& node : g_Gra->m_SeaGraph->Nodes)
    {
        if (node.Kind != SEA_NODE_PORT || !map.IsInside(node.MainX, node.MainY))
            continue;
        const sHex& hex = *map.GetHex(node.MainX, node.MainY);
        if (hex.controller == CountryId() && hex.city)
            out.push_back(hex.city);
    }
}

void cAI::CollectReserveLandUnits(std::vector<cJednostka*>& out) const
{
    out.clear();
    if (!g_Gra)
        return;
    for (cUnit* unit : g_Gra->m_Reserve)
        if (unit->m_Category == CATEGORY_LAND && unit->m_Owner == CountryId() && IsAvailable(unit))
            out.push_back(static_cast<cJednostka*>(unit));
}

void cAI::CollectReserveAirUnits(std::vector<cJednostka*>& out) const
{
    out.clear();
    if (!g_Gra)
        return;
    for (cUnit* unit : g_Gra->m_Reserve)
        if (unit->m_Category != CATEGORY_LAND && unit->m_Owner == CountryId() && IsAvailable(unit))
            out.push_back(static_cast<cJednostka*>(unit));
}

void cAI::CollectReserveNavalUnits(std::vector<cJednostkaMorska*>& out) const
{
    out.clear();
    if (!g_Gra)
        return;
    for (cJednostkaMorska* ship : g_Gra->m_NavalReserve)
        if (ship->m_Owner == CountryId() && IsAvailable(ship))
            out.push_back(ship);
}

cMiasto* cAI::ChooseLandDeploymentCity(const std::vector<cMiasto*>& cities) const
{
    cMiasto* weakest = nullptr;
    int weakestStrength = 0;
    for (cMiasto* city : cities)
    {
        int strength = 0;
        if (GetCityFrontStrength(city, strength) && (!weakest || strength < weakestStrength))
        {
            weakest = city;
            weakestStrength = strength;
        }
    }
    return weakest ? weakest : RichestCity(cities, AnyCity, *this);
}

cMiasto* cAI::ChooseAirDeploymentCity(const std::vector<cMiasto*>& cities) const
{
    cMiasto* city = RichestCity(cities, OffEveryFront, *this);
    return city ? city : RichestCity(cities, AnyCity, *this);
}

void cAI::DeployFromReserve(bool air)
{
    std::vector<cMiasto*> cities;
    std::vector<cJednostka*> waiting;
    // A unit whose deployment was refused (no city near the hex) waits for another turn:
    // ending the program over one unit would lose the game.
    std::set<const cUnit*> refused;
    while (ThreadMayRun())
    {
        CollectDeploymentCities(cities);
        air ? CollectReserveAirUnits(waiting) : CollectReserveLandUnits(waiting);
        std::erase_if(waiting, [&](const cUnit* u) { return refused.count(u) != 0; });
        if (cities.empty() || waiting.empty())
            return;
        cJednostka* unit = waiting.front();
        cMiasto* city = air ? ChooseAirDeploymentCity(cities) : ChooseLandDeploymentCity(cities);
        const auto [x, y] = city->FindFreeHexFor(CountryId());
        bool deployed = false;
        {
            GLOBAL_LOCK_SCOPE();
            deployed = unit->DeployNearCity(x, y);
        }
        if (!deployed)
        {
            refused.insert(unit);
            continue;
        }
        {
            GLOBAL_LOCK_SCOPE();
            if (!air)
                unit->m_Spotted = false;
            unit->CheckSpottedByEnemy(g_Gra->m_PlayState->GetViewCountry());
        }
        if (IsShownToPerson(unit))
        {
            unit->m_Spotted = false;
            CenterCameraOn(x, y);
            PauseForPerson(DELAY_AI_DEPLOY_BEFORE);
            unit->m_Spotted = true;
            PauseForPerson(DELAY_AI_DEPLOY_AFTER);
        }
    }
}

void cAI::DeployNewUnits()
{
    DeployFromReserve(false);
}

void cAI::DeployNewAirUnits()
{
    DeployFromReserve(true);
}

void cAI::DeployNewNavalUnits()
{
    std::vector<cMiasto*> ports;
    std::vector<cJednostkaMorska*> ships;
    while (ThreadMayRun())
    {
        CollectNavalDeploymentCities(ports);
        CollectReserveNavalUnits(ships);
        if (ports.empty() || ships.empty())
            return;
        cJednostkaMorska* ship = ships.front();
        cMiasto* port = ports.front();
        LogLine(L"%s is deploying %s in %s", m_Country->Name, ship->m_Name, port->GetName());
        {
            GLOBAL_LOCK_SCOPE();
            ship->JoinOrCreateFleet(port->GetSeaNodeId());
        }
        if (ship->m_Fleet == nullptr)
        {
            // The node took no ship: never try it again this turn.
            LogLine(L"%s could not be deployed in %s", ship->m_Name, port->GetName());
            return;
        }
        LogLine(L"Deployment succesful.");
    }
}
