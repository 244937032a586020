// The computer's supply convoys: one standing supply convoy is given up each turn, then
// every group of cities cut off from its supply sources gets a convoy from the nearest
// supplied port by sea.
#include <algorithm>

#include "ai/ai.h"
#include "core/lock.h"
#include "core/log.h"
#include "game/game.h"
#include "game/play_counts.h"
#include "world/city.h"
#include "world/convoys.h"
#include "world/country.h"
#include "world/sea_graph.h"
#include "world/topography.h"

namespace {

bool IsSupplyCity(const cMiasto* city)
{
    return city->Type == CITY_SUPPLY || city->Type == CITY_SUPPLY_PORT;
}

bool SeaPathExists(int from, int to, int countryId)
{
    std::list<int> path;
    return g_Gra->m_SeaGraph && g_Gra->m_SeaGraph->FindPath(from, to, countryId, true, path);
}

} // namespace

void cAI::CollectSuppliedPorts(std::vector<cMiasto*>& out) const
{
    out.clear();
    if (!g_Gra || !g_Gra->m_StrategicMoves || !m_Country)
        return;
    const int me = CountryId();
    int leader = 0;
    if (m_Country->Alliance >= ALLIANCE_ALLIES && m_Country->Alliance <= ALLIANCE_COMINTERN)
        if (const cPanstwo* head = g_Gra->GetAllianceLeader(m_Country->Alliance + 3))
            leader = head->ID;
    std::vector<const cMiasto*> sources;
    for (const cMiasto* city : g_Gra->m_Cities)
        if (IsSupplyCity(city) && (city->GetOwnerId() == me || (leader != 0 && city->GetOwnerId() == leader)))
            sources.push_back(city);
    const cTopografia& topography = *g_Gra->m_StrategicMoves;
    for (cMiasto* city : g_Gra->m_Cities)
    {
        if (!city->IsPort() || !IsFriend(city->GetControllerId()))
            continue;
        if (std::any_of(sources.begin(), sources.end(),
                        [&](const cMiasto* source) { return topography.IsCityInGroup(me, source, city); }))
            out.push_back(city);
    }
}

cMiasto* cAI::FindConvoyTarget(const std::vector<cMiasto*>& suppliedPorts) const
{
    const int me = CountryId();
    const tCityGroups* groups = g_Gra->m_StrategicMoves ? g_Gra->m_StrategicMoves->GetGroups(me) : nullptr;
    if (!groups || !g_Gra->m_Convoys)
        return nullptr;
    const int maxSupply = g_Gra->m_Consts.MaxSupply;
    for (const tCityGroup& group : *groups)
    {
        auto served = [&](const cMiasto* city) {
            return std::find(suppliedPorts.begin(), suppliedPorts.end(), city) != suppliedPorts.end() ||
                   g_Gra->m_Convoys->HasConvoyTo(city, me);
        };
        if (std::any_of(group.begin(), group.end(), served))
            continue;
        for (cMiasto* city : group)
        {
            if (!city->IsPort())
                continue;
            const size_t index = size_t(me - 1);
            const int supply = index < city->SupplyByCountry.size() ? city->SupplyByCountry[index] : 0;
            if (supply >= maxSupply)
                continue;
            for (const cMiasto* port : suppliedPorts)
                if (SeaPathExists(port->GetSeaNodeId(), city->GetSeaNodeId(), me))
                    return city;
        }
    }
    return nullptr;
}

void cAI::PlanSupplyConvoys()
{
    if (!g_Gra || !g_Gra->m_Convoys || !m_Country)
        return;
    const int me = CountryId();
    // Only a supply convoy is given up: the production-point convoys that a scenario gives
    // would otherwise be lost, one a turn.
    if (std::vector<sKonwoj>* convoys = g_Gra->m_Convoys->OwnerConvoys(me))
    {
        auto first = std::find_if(convoys->begin(), convoys->end(),
                                  [&](const sKonwoj& c) { return c.owner == me && c.type == CONVOY_SUPPLIES; });
        if (first != convoys->end())
            convoys->erase(first);
    }
    std::vector<cMiasto*> ports;
    CollectSuppliedPorts(ports);
    for (cMiasto* target = FindConvoyTarget(ports); target && ThreadMayRun(); target = FindConvoyTarget(ports))
    {
        cMiasto* best = nullptr;
        size_t bestSteps = 0;
        for (cMiasto* port : ports)
        {
            std::list<int> path;
            if (!g_Gra->m_SeaGraph->FindPath(port->GetSeaNodeId(), target->GetSeaNodeId(), me, true, path))
                continue;
            if (!best || path.size() < bestSteps)
            {
                best = port;
                bestSteps = path.size();
            }
        }
        if (!best)
            return;
        // A convoy that cannot be made would leave the same target for ever.
        if (g_Gra->m_Convoys->CreateSupplyConvoy(best, target, me) < 0)
            return;
        ++g_PlayCounts.convoysPlanned;
    }
}
