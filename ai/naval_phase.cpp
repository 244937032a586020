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
#include "game/play_counts.h"
#include "game/play_state.h"
#include "units/combat_result.h"
#include "units/combat_support.h"
#include "units/land_unit.h"
#include "units/unit.h"
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
        // The passage goes to the first front port the sea leads to from this port: the first
        // of all may lie on another sea, where the transport would never arrive.
        const cMiasto* port = map.GetHex(px, py)->city;
        const cMiasto* landing = nullptr;
        for (const cMiasto* frontPort : frontPorts)
            if (port && (frontPort == port || SeaPath(port->GetSeaNodeId(), frontPort->GetSeaNodeId(), me)))
            {
                landing = frontPort;
                break;
            }
        if (!landing)
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
        cFlota* fleet = unit->EmbarkOnFleet(UNIT_CARGO, port->GetSeaNodeId(), FLEET_TRANSPORT);
        if (!fleet)
            continue;
        if (shown)
            PauseForPerson(DELAY_AI_MOVE_AFTER);
        fleet->aiDestination = landing->GetSeaNodeId();
        embarked.push_back(unit->m_Id);
    }
    std::erase_if(m_OwnLandUnits, [&](const cJednostkaLadowa* u) {
        return std::find(embarked.begin(), embarked.end(), u->m_Id) != embarked.end();
    });
}

// ---- the naval phase ----

namespace {

constexpr int kCarrierTargetKinds = 9;

cFlota* FleetById(int id)
{
    for (cFlota* fleet : g_Gra->m_Fleets)
        if (fleet->ID == id)
            return fleet;
    return nullptr;
}

std::vector<int> OwnFleetIds(int countryId)
{
    std::vector<int> ids;
    for (const cFlota* fleet : g_Gra->m_Fleets)
        if (fleet->owner == countryId)
            ids.push_back(fleet->ID);
    return ids;
}

// The visible enemy ships of a node as the country sees them, those lying in a port
// included; the graph's own viewer gets its counts back, so the map a person watches does
// not show the computer's view.
int VisibleEnemyShipsFor(sWezelGrafuMorz& node, int countryId)
{
    cGrafMorz& graph = *g_Gra->m_SeaGraph;
    const int viewer = graph.ViewingCountry;
    // The phase holds the global lock, so the main thread never draws with the switch off.
    int ships = 0;
    {
        cShowForeignShipsInPorts look;
        node.CalculateVisibilityForCountry(countryId, false);
        ships = node.CountVisibleEnemyShips();
    }
    // A port's counts for its viewer leave foreign ships out again.
    if (viewer != countryId || node.Kind == SEA_NODE_PORT)
    {
        graph.ViewingCountry = viewer;
        node.CalculateVisibility(false);
    }
    return ships;
}

// Where a fleet whose route has closed puts in: the friendly port it lies in, else the
// friendly port nearest by sea; -1 when the sea leads to none.
int PortInReach(const cFlota& fleet)
{
    cGrafMorz& graph = *g_Gra->m_SeaGraph;
    // A port nobody holds (controller 0) is no friend's.
    auto friendly = [&](const cMiasto* city) { return IsCountryOrAlly(city->GetControllerId(), fleet.owner); };
    int best = -1;
    size_t bestLength = 0;
    for (const cMiasto* city : g_Gra->m_Cities)
    {
        if (!city->IsPort() || !friendly(city))
            continue;
        const int node = city->GetSeaNodeId();
        if (node == fleet.seaNode)
            return node;
        std::list<int> path;
        if (graph.FindPath(fleet.seaNode, node, fleet.owner, false, path) && (best == -1 || path.size() < bestLength))
        {
            best = node;
            bestLength = path.size();
        }
    }
    return best;
}

bool CarriesUnits(const cFlota& fleet)
{
    return std::any_of(fleet.ships.begin(), fleet.ships.end(), [](const cJednostkaMorska* s) { return s->m_Cargo; });
}

// The cargo ships of a transport fleet at its port put their units ashore one by one and
// leave the game; the last one takes the fleet with it. Landing ships too: an invasion
// fleet whose route closed puts in as a transport.
void UnloadCargoFleet(int fleetId)
{
    for (;;)
    {
        cFlota* fleet = FleetById(fleetId);
        if (!fleet)
            return;
        cJednostkaMorska* unloaded = nullptr;
        for (cJednostkaMorska* ship : fleet->ships)
            if ((ship->m_Type == UNIT_CARGO || ship->m_Type == UNIT_AMPHIBIOUS) && ship->m_Cargo &&
                ship->AiUnload(false))
            {
                unloaded = ship;
                break;
            }
        if (!unloaded)
            return;
        ++g_PlayCounts.moves;
        unloaded->Kill(false);
    }
}

} // namespace

void cAI::RunNavalPhase()
{
    if (!g_Gra || !g_Gra->m_SeaGraph || !g_Gra->m_Mapa || !m_Country)
        return;
    const int me = CountryId();
    int target = -1, arrived = 0, sailing = 0;
    CarrierStrikes();
    for (int id : OwnFleetIds(me))
    {
        cFlota* fleet = FleetById(id);
        if (!fleet || !ThreadMayRun())
            continue;
        const bool closed = (fleet->aiOrder == FLEET_TRANSPORT || fleet->aiOrder == FLEET_INVASION) &&
                            fleet->aiDestination >= 0 && fleet->aiDestination != fleet->seaNode &&
                            !SeaPath(fleet->seaNode, fleet->aiDestination, me);
        if (closed)
        {
            // The route has closed since the fleet set out: it puts in at a port it can reach
            // and its units go ashore there; asking for the route every turn, they would stay
            // aboard for the rest of the war.
            fleet->aiOrder = FLEET_TRANSPORT;
            fleet->aiDestination = PortInReach(*fleet);
        }
        // A fleet that found no port looks again: the sea may have opened since, and its
        // units would otherwise stay aboard for the rest of the war.
        else if (fleet->aiOrder == FLEET_TRANSPORT && fleet->aiDestination == -1)
            fleet->aiDestination = PortInReach(*fleet);
        if (fleet->aiOrder == FLEET_TRANSPORT)
        {
            const int destination = fleet->aiDestination;
            if (destination != -1 && destination != -2 && destination != fleet->seaNode)
                fleet->MoveTo(destination);
            if (fleet->seaNode == destination)
            {
                UnloadCargoFleet(id);
                // Warships deployed into the convoy's port joined its fleet: once every unit
                // is ashore they are free to patrol, instead of keeping its order for ever.
                if (cFlota* left = FleetById(id); left && !CarriesUnits(*left))
                    left->aiOrder = FLEET_FREE;
            }
        }
        else if (fleet->aiOrder == FLEET_INVASION)
        {
            if (fleet->aiDestination == fleet->seaNode)
                ++arrived;
            else
            {
                fleet->MoveTo(fleet->aiDestination);
                ++sailing;
            }
            target = fleet->aiDestination;
        }
    }
    // An escort ends with the invasion it guarded: once no invasion fleet is at sea (it
    // landed, sank or turned for a port) the escorts are free to patrol again, instead of
    // waiting in the invasion's zone for the rest of the war.
    if (arrived + sailing == 0)
        for (cFlota* fleet : g_Gra->m_Fleets)
            if (fleet->owner == me && fleet->aiOrder == FLEET_ESCORT)
                fleet->aiOrder = FLEET_FREE;
    if (arrived + sailing >= 1 && target != -1)
        for (int id : OwnFleetIds(me))
        {
            cFlota* fleet = FleetById(id);
            if (!fleet || fleet->aiOrder == FLEET_OUTSIDE_ORDER || fleet->aiOrder == FLEET_INVASION ||
                fleet->aiOrder == FLEET_TRANSPORT || !SeaPath(fleet->seaNode, target, fleet->owner))
                continue;
            fleet->aiOrder = FLEET_ESCORT;
            fleet->aiDestination = target;
            fleet->MoveTo(target);
        }
    // Without an invasion fleet of its own there is no zone to judge; a fleet the scenario
    // sent still lands once it is there.
    bool landing = false;
    if (target != -1)
        landing = AssessSeaZone(target);
    else
        for (const cFlota* fleet : g_Gra->m_Fleets)
            landing = landing || (fleet->owner == me && fleet->aiOrder == FLEET_OUTSIDE_ORDER &&
                                  fleet->aiDestination == fleet->seaNode);
    if (landing && ThreadMayRun())
    {
        ConductAmphibiousInvasion();
        for (cFlota* fleet : g_Gra->m_Fleets)
            if (fleet->owner == me && fleet->aiOrder == FLEET_ESCORT)
                fleet->aiOrder = FLEET_FREE;
    }
    CarrierStrikes();
    PatrolSeaZones();
}

// ---- carrier strikes ----

void cAI::CollectCarrierTargets(const cFlota& fleet, std::vector<std::pair<int, int>>& hexes, std::vector<int>& nodes,
                                int kind)
{
    hexes.clear();
    nodes.clear();
    cGrafMorz& graph = *g_Gra->m_SeaGraph;
    cMapa& map = *g_Gra->m_Mapa;
    const int owner = fleet.owner;
    const cRelationsMatrix* relations = g_Gra->m_Relations;
    auto enemy = [&](int holder) { return holder != 0 && relations && relations->IsAtWar(owner, holder); };
    sWezelGrafuMorz* own = graph.GetNode(fleet.seaNode);
    if (!own)
        return;
    if (kind == 3)
    {
        if (own->Kind == SEA_NODE_SEA && VisibleEnemyShipsFor(*own, owner) > 0)
            nodes.push_back(own->ID);
        return;
    }
    if (kind <= 4)
    {
        for (const sLukGrafuMorz& edge : own->Edges)
        {
            sWezelGrafuMorz* node = graph.GetNode(edge.Target);
            if (!node || !map.IsInside(node->MainX, node->MainY))
                continue;
            const int ships = VisibleEnemyShipsFor(*node, owner);
            const cUnit* unit = map.GetHex(node->MainX, node->MainY)->unit;
            const bool enemyUnitSeen = unit && unit->m_Spotted && enemy(unit->m_Owner);
            const bool port = node->Kind == SEA_NODE_PORT;
            if (kind == 0 && port && ships > 0 && enemyUnitSeen)
                hexes.push_back({node->MainX, node->MainY});
            else if ((kind == 1 && port && ships > 0 && !unit) || (kind == 2 && port && ships == 0 && enemyUnitSeen) ||
                     (kind == 4 && ships > 0))
                nodes.push_back(node->ID);
        }
        return;
    }
    for (const auto& [x, y] : map.GetCoastalHexesOfZone(fleet.seaNode))
    {
        const sHex& hex = *map.GetHex(x, y);
        if (!hex.unit)
            continue;
        const bool air = hex.unit->m_Category == CATEGORY_AIR;
        const bool land = hex.unit->m_Category == CATEGORY_LAND;
        // Only an enemy's unit is struck, in an enemy city or, seen, in the open.
        const bool enemyCity = hex.city && enemy(hex.city->GetControllerId()) && enemy(hex.unit->m_Owner);
        const bool seenEnemy = !hex.city && hex.unit->m_Spotted && enemy(hex.unit->m_Owner);
        if ((kind == 5 && enemyCity && air) || (kind == 6 && seenEnemy && air) || (kind == 7 && enemyCity && land) ||
            (kind == 8 && seenEnemy && land))
            hexes.push_back({x, y});
    }
}

void cAI::ShowStrikeOnHex(sCombatResult& result, int x, int y, bool visible)
{
    // The pauses are for a person watching; a game of computers goes straight on.
    const bool shown = visible && ShowsActionsToPerson();
    if (shown)
    {
        CenterCameraOn(x, y);
        PauseForPerson(DELAY_AI_COMBAT_BEFORE);
        MarkAttackTarget(x, y, true);
        PauseForPerson(DELAY_AI_COMBAT_BEFORE);
    }
    // An unseen strike takes its time too, as a seen one does.
    PauseForPerson(DELAY_AI_COMBAT_AFTER);
    if (shown)
        PresentCombatResult(result, true);
    result.Reset();
    MarkAttackTarget(x, y, false);
}

void cAI::ShowStrikeOnSeaNode(sCombatResult& result, const sWezelGrafuMorz& node)
{
    const bool visible = node.ShownEnemyShip && node.ShownEnemyShip->m_Spotted && SeenByAPerson(node.ShownEnemyShip);
    ShowStrikeOnHex(result, node.EnemyShipsX, node.EnemyShipsY, visible);
}

void cAI::CarrierStrikes()
{
    if (!g_Gra || !g_Gra->m_SeaGraph || !g_Gra->m_Mapa || !m_Country)
        return;
    const int* priorities = m_Country->AIParameters.CarrierTargetsPriorities;
    int kinds[kCarrierTargetKinds];
    for (int k = 0; k < kCarrierTargetKinds; ++k)
        kinds[k] = k;
    std::stable_sort(kinds, kinds + kCarrierTargetKinds, [&](int a, int b) { return priorities[a] > priorities[b]; });
    std::vector<int> carriers;
    for (const cJednostkaMorska* ship : g_Gra->m_NavalUnits)
        if (ship->m_Owner == CountryId() && ship->m_Type == UNIT_CARRIER)
            carriers.push_back(ship->m_Id);
    std::vector<std::pair<int, int>> hexes;
    std::vector<int> nodes;
    cMapa& map = *g_Gra->m_Mapa;
    for (int id : carriers)
    {
        cJednostkaMorska* carrier = g_Gra->FindNavalUnitById(id);
        if (!carrier || !carrier->m_Fleet || carrier->m_AirstrikeDone ||
            carrier->m_HP < g_Gra->m_Consts.CarrierHitPointsForAir || !ThreadMayRun())
            continue;
        for (int kind : kinds)
        {
            sCombatResult result;
            CollectCarrierTargets(*carrier->m_Fleet, hexes, nodes, kind);
            if (!hexes.empty())
            {
                std::pair<int, int> best = hexes.front();
                float strongest = -1.0f;
                for (const auto& [x, y] : hexes)
                {
                    const auto* unit = dynamic_cast<const cJednostka*>(map.GetHex(x, y)->unit);
                    const float strength = unit ? unit->GetCombatStrength() : 0.0f;
                    if (strength > strongest)
                    {
                        strongest = strength;
                        best = {x, y};
                    }
                }
                const cUnit* unit = map.GetHex(best.first, best.second)->unit;
                const bool visible = unit && unit->m_Spotted && SeenByAPerson(unit);
                carrier->m_AirstrikeDone = true;
                // The carrier may go down on its strike: nothing of it is used after.
                map.GetHex(best.first, best.second)->AirBombard(&result, carrier);
                ++g_PlayCounts.airStrikes;
                ShowStrikeOnHex(result, best.first, best.second, visible);
                break;
            }
            if (!nodes.empty())
            {
                sWezelGrafuMorz* best = nullptr;
                int fewest = 0;
                for (int nodeId : nodes)
                {
                    sWezelGrafuMorz* node = g_Gra->m_SeaGraph->GetNode(nodeId);
                    const int ships = VisibleEnemyShipsFor(*node, carrier->m_Owner);
                    if (!best || ships < fewest)
                    {
                        best = node;
                        fewest = ships;
                    }
                }
                carrier->m_AirstrikeDone = true;
                best->Bombard(&result, carrier, best->MainX, best->MainY);
                ++g_PlayCounts.airStrikes;
                ShowStrikeOnSeaNode(result, *best);
                break;
            }
        }
    }
}
