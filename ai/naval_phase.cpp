// The computer's fleets: transports to the fronts and to an invasion, the escort of an
// invasion and the test whether its zone is safe, carrier strikes, and the patrols of
// the sea zones the country guards. Fleets and ships can sink or be deleted on the way,
// so every walk holds their ids.
#include <algorithm>

#include "ai/ai.h"
#include "ai/ai_presentation.h"
#include "core/lock.h"
#include "core/log.h"
#include "core/random.h"
#include "game/game.h"
#include "game/play_state.h"
#include "units/combat_result.h"
#include "units/combat_support.h"
#include "units/land_unit.h"
#include "units/unit_access.h"
#include "units/naval_unit.h"
#include "world/city.h"
#include "world/city_graph.h"
#include "world/country.h"
#include "world/fleet.h"
#include "world/map.h"
#include "world/relations.h"
#include "world/sea_graph.h"
#include "world/topography.h"

namespace {

enum eFleetMission
{
    FLEET_FREE = 0,
    FLEET_OUTSIDE_ORDER = 1,
    FLEET_INVASION = 2,
    FLEET_TRANSPORT = 3,
    FLEET_ESCORT = 4,
    FLEET_PATROL = 5,
};

bool SeaPath(int from, int to, int countryId)
{
    std::list<int> path;
    return g_Gra->m_SeaGraph && g_Gra->m_SeaGraph->FindPath(from, to, countryId, false, path);
}

} // namespace

// ---- naval strength around a sea zone ----

float cGra::SumFriendlyNavalStrengthInSeaZone(int countryId, int nodeId, std::vector<cJednostkaMorska*>& ships,
                                              int& transports) const
{
    ships.clear();
    transports = 0;
    const cPanstwo* active = m_PlayState ? m_PlayState->GetActiveCountry() : nullptr;
    float sum = 0.0f;
    for (cJednostkaMorska* ship : m_NavalUnits)
    {
        if (!ship->m_Fleet || ship->m_Fleet->seaNode != nodeId)
            continue;
        if (ship->m_Owner != countryId && !(active && active->IsAlliedWith(ship->m_Owner)))
            continue;
        if (RandomInt(1, 100) > m_Consts.AIFriendlyShipChance)
            continue;
        ships.push_back(ship);
        sum += ship->GetBombardmentValue();
        transports += ship->IsTransport() ? 1 : 0;
    }
    return sum;
}

float cGra::SumEnemyNavalStrengthNearSeaZone(int countryId, int nodeId, std::vector<cJednostkaMorska*>& ships) const
{
    ships.clear();
    float sum = 0.0f;
    for (cJednostkaMorska* ship : m_NavalUnits)
    {
        if (!ship->m_Fleet || !m_Relations || !m_Relations->IsAtWar(countryId, ship->m_Owner))
            continue;
        const int at = ship->m_Fleet->seaNode;
        if (at != nodeId && !(m_SeaGraph && m_SeaGraph->CanPass(at, nodeId, ship->m_Owner)))
            continue;
        if (RandomInt(1, 100) > m_Consts.AIEnemyShipChance)
            continue;
        ships.push_back(ship);
        sum += ship->GetBombardmentValue();
    }
    return sum;
}

// ---- the naval phase ----

void cAI::CollectOwnFleets(std::vector<cFlota*>& out) const
{
    out.clear();
    for (cFlota* fleet : g_Gra->m_Fleets)
        if (fleet->owner == CountryId())
            out.push_back(fleet);
}

void cAI::CollectOwnShips(std::vector<cJednostkaMorska*>& out) const
{
    out.clear();
    for (cJednostkaMorska* ship : g_Gra->m_NavalUnits)
        if (ship->m_Owner == CountryId())
            out.push_back(ship);
}

bool cAI::AssessSeaZone(int nodeId)
{
    std::vector<cJednostkaMorska*> friendly, enemy;
    int transports = 0;
    const float f = g_Gra->SumFriendlyNavalStrengthInSeaZone(CountryId(), nodeId, friendly, transports);
    const float e = g_Gra->SumEnemyNavalStrengthNearSeaZone(CountryId(), nodeId, enemy);
    if (enemy.size() <= 1)
        return true;
    // Enemy ships and no friendly strength seen: the zone is not safe.
    if (f <= 0.0f || friendly.empty())
        return false;
    const float r = e / f;
    if (r >= 1.0f)
        return false;
    if (r >= 0.3f)
        return transports < 3;
    return float(transports) / float(friendly.size()) < 0.5f;
}

// ---- patrols ----

void cAI::PatrolSeaZones()
{
    const std::list<sSeaZoneToPatrol>& zones = m_Country->AIParameters.SeaZonesToPatrol;
    std::vector<cFlota*> fleets;
    std::vector<cJednostkaMorska*> ships;
    CollectOwnFleets(fleets);
    CollectOwnShips(ships);
    // A patrol ends here; a fleet with no mission of the opponent's (a scenario's -1) is free.
    for (cFlota* fleet : fleets)
        if (fleet->aiOrder == FLEET_PATROL || fleet->aiOrder < FLEET_FREE || fleet->aiOrder > FLEET_PATROL)
            fleet->aiOrder = FLEET_FREE;
    const int n = int(zones.size());
    if (n < 1)
        return;
    float total = 0.0f;
    for (cFlota* fleet : fleets)
        if (fleet->aiOrder == FLEET_FREE)
            total += fleet->SumStrengthAndUnassign();
    const int share = int(total) / n;
    int sum = 0;
    auto zone = zones.begin();
    for (cJednostkaMorska* ship : ships)
    {
        if (!ship->m_Fleet || ship->m_Fleet->aiOrder != FLEET_FREE)
            continue;
        ship->m_AiSeaZone = zone->a;
        sum += ship->m_HP;
        if (sum > share)
        {
            sum = 0;
            if (std::next(zone) != zones.end())
                ++zone;
        }
    }

    // Free fleets split until each holds the ships of one zone, which it then patrols.
    for (size_t passes = 0; passes <= ships.size() + fleets.size(); ++passes)
    {
        CollectOwnFleets(fleets);
        cFlota* mixed = nullptr;
        for (cFlota* fleet : fleets)
        {
            if (fleet->aiOrder != FLEET_FREE || fleet->ships.empty())
                continue;
            int shared = -1;
            if (fleet->ShipsShareAssignedZone(shared))
            {
                fleet->aiOrder = FLEET_PATROL;
                fleet->aiDestination = shared;
                fleet->formation = m_Country->GetSeaZonePatrolValue(shared);
                continue;
            }
            mixed = fleet;
            break;
        }
        if (!mixed)
            break;
        const int first = mixed->ships.front()->m_AiSeaZone;
        auto other = std::find_if(mixed->ships.begin(), mixed->ships.end(),
                                  [&](const cJednostkaMorska* s) { return s->m_AiSeaZone != first; });
        mixed->ClearShipSelection();
        mixed->SelectShipsInZone((*other)->m_AiSeaZone);
        cFlota* split = cFlota::SplitFrom(*mixed);
        split->aiOrder = FLEET_FREE;
        split->TakeSelectedShipsOf(*mixed);
        g_Gra->m_Fleets.push_back(split);
        mixed->RemoveSelectedShips();
        mixed->ClearShipSelection();
        split->ClearShipSelection();
        for (cFlota* fleet : std::vector<cFlota*>(g_Gra->m_Fleets.begin(), g_Gra->m_Fleets.end()))
            if (fleet->ships.empty())
                fleet->Delete();
    }
    CollectOwnFleets(fleets);
    for (cFlota* fleet : fleets)
        if (fleet->aiOrder == FLEET_PATROL)
            fleet->MoveTo(fleet->aiDestination);
}

// ---- sea transport to fronts ----

bool cAI::HasIdleLandUnit() const
{
    return std::any_of(m_OwnLandUnits.begin(), m_OwnLandUnits.end(),
                       [](const cJednostkaLadowa* u) { return u->m_AiOrder == 3; });
}

void cAI::TransportUnitsToFrontsBySea()
{
    LogLine(L"Transporting sea units to fronts");
    if (m_Fronts.empty())
    {
        LogLine(L"No open fronts... aborting procedure.");
        return;
    }
    if (!HasIdleLandUnit())
    {
        LogLine(L"No own idle land units (idle = no order). Aborting procedure.");
        return;
    }
    LogLine(L"Fronts before sort:");
    for (const sFront& front : m_Fronts)
        front.PrintSummary();
    m_Fronts.sort([](const sFront& a, const sFront& b) { return a.m_Superiority < b.m_Superiority; });
    LogLine(L"Fronts after sort:");
    for (const sFront& front : m_Fronts)
        front.PrintSummary();

    const int me = CountryId();
    std::vector<cMiasto*> friendlyPorts;
    for (cMiasto* city : g_Gra->m_Cities)
        if (city->IsPort() && IsFriend(city->GetControllerId()))
            friendlyPorts.push_back(city);
    std::vector<cMiasto*> frontPorts, embarkationPorts;
    auto listed = [](const std::vector<cMiasto*>& list, const cMiasto* city) {
        return std::find(list.begin(), list.end(), city) != list.end();
    };
    const cTopografia* topography = g_Gra->m_StrategicMoves;
    std::list<cMiasto*> route;
    for (const sFront& front : m_Fronts)
    {
        if (front.HasSingleEnclosedFriendlyCity(me))
            continue;
        for (cMiasto* port : friendlyPorts)
        {
            if (listed(frontPorts, port))
                continue;
            for (const sWezelDiagramuMiast* node : front.m_Nodes)
                if (node->City == port || g_Gra->m_CityGraph->FindRoute(port, node->City, me, route))
                {
                    frontPorts.push_back(port);
                    break;
                }
        }
        for (cMiasto* port : friendlyPorts)
        {
            if (listed(embarkationPorts, port))
                continue;
            for (cMiasto* frontPort : frontPorts)
                if (frontPort != port && SeaPath(port->GetSeaNodeId(), frontPort->GetSeaNodeId(), me))
                {
                    LogLine(L"tempus7 %s: polaczenie %s -> %s jest!", m_Country->Name, port->GetName(),
                            frontPort->GetName());
                    embarkationPorts.push_back(port);
                    break;
                }
        }
        if (frontPorts.empty() || embarkationPorts.empty() || !topography)
            continue;
        for (cJednostkaLadowa* unit : m_OwnLandUnits)
        {
            if (unit->m_AiOrder != 3)
                continue;
            const cMiasto* region = HomeCityOfHex(unit->m_X, unit->m_Y);
            if (!region)
                continue;
            const cTopografia::sUnitView view{unit->m_Owner, unit->m_Category, unit->m_SupplySourceX,
                                              unit->m_SupplySourceY};
            cMiasto* best = nullptr;
            int bestHops = 0;
            for (cMiasto* port : embarkationPorts)
            {
                const int hops = region->GetGraphDistanceTo(*port);
                if (hops < 0 || !topography->IsHexReachable(view, *port))
                    continue;
                if (!best || hops < bestHops)
                {
                    best = port;
                    bestHops = hops;
                }
            }
            if (best)
                unit->FindOrderPath(10, best->X, best->Y, bestHops);
        }
    }

    for (cJednostkaLadowa* unit : std::vector<cJednostkaLadowa*>(m_OwnLandUnits))
    {
        if (unit->m_AiOrder != 10 || !ThreadMayRun())
            continue;
        if (unit->m_AiUltimateTargetX != -1)
        {
            TryFinalTarget(unit);
            continue;
        }
        if (TryStrategicMoveTo(unit, unit->m_AiTargetX, unit->m_AiTargetY, 1))
            continue;
        const int before = unit->m_ActionPoints;
        MoveToward(unit, unit->m_AiTargetX, unit->m_AiTargetY);
        if (unit->m_ActionPoints == before)
            unit->m_AiOrder = 11;
    }

    std::vector<int> embarked;
    const sGameConsts& k = g_Gra->m_Consts;
    cMapa& map = *g_Gra->m_Mapa;
    for (cJednostkaLadowa* unit : std::vector<cJednostkaLadowa*>(m_OwnLandUnits))
    {
        int px = -1, py = -1;
        if (unit->m_AiOrder != 11 || unit->m_ActionPoints <= 0 || LandTypeIndex(unit->m_Type) < 0 ||
            !unit->FindPortHex(px, py) || frontPorts.empty())
            continue;
        if (m_Country->STP < k.SeaTransportCost[unit->m_Type])
        {
            std::list<int>& queue = m_Country->AIParameters.PurchaseQueue;
            queue.remove(1);
            queue.push_front(1);
            continue;
        }
        LogLine(L"%s meets all conditions and will be loaded onto transport to go to front", unit->m_Name);
        const bool shown = IsShownToPerson(unit);
        if (shown)
        {
            CenterCameraOn(unit->m_X, unit->m_Y);
            PauseForPerson(DELAY_AI_MOVE_BEFORE);
        }
        const cMiasto* port = map.GetHex(px, py)->city;
        cFlota* fleet = port ? unit->EmbarkOnFleet(UNIT_CARGO, port->GetSeaNodeId(), FLEET_TRANSPORT) : nullptr;
        if (!fleet)
            continue;
        if (shown)
            PauseForPerson(DELAY_AI_MOVE_AFTER);
        fleet->aiDestination = frontPorts.front()->GetSeaNodeId();
        embarked.push_back(unit->m_Id);
    }
    std::erase_if(m_OwnLandUnits, [&](const cJednostkaLadowa* u) {
        return std::find(embarked.begin(), embarked.end(), u->m_Id) != embarked.end();
    });
}
