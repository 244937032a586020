#include "world/fleet.h"

#include <algorithm>

#include "core/csv.h"
#include "core/log.h"
#include "core/stringbase.h"
#include "world/city.h"
#include "world/country.h"
#include "world/hex_geometry.h"
#include "world/map.h"
#include "world/relations.h"
#include "world/sea_graph.h"
#include "world/world.h"

namespace {
int HexController(int x, int y)
{
    const cMapa* map = WorldMap();
    return map && map->IsInside(x, y) ? map->GetHex(x, y)->controller : 0;
}

bool AtWar(int a, int b)
{
    const cRelationsMatrix* relations = WorldRelations();
    return a > 0 && b > 0 && relations && relations->IsAtWar(a, b);
}

// The sum of a value over the ships, in fleet order.
template <typename T, typename F>
T SumOverShips(const std::list<cJednostkaMorska*>& ships, const F& value)
{
    T sum = 0;
    for (cJednostkaMorska* ship : ships)
        sum += value(ship);
    return sum;
}
} // namespace

void cFlota::SetName(const std::wstring& text)
{
    name = CsvFieldText(text.size() > size_t(kFleetNameMax) ? text.substr(0, size_t(kFleetNameMax)) : text);
}

cFlota* cFlota::SplitFrom(const cFlota& source)
{
    auto* fleet = new cFlota();
    fleet->owner = source.owner;
    fleet->seaNode = source.seaNode;
    fleet->formation = source.formation;
    fleet->movedThisTurn = source.movedThisTurn;
    fleet->isActive = source.isActive;
    int id = 1;
    if (g_World.nextFleetId)
        id = ++*g_World.nextFleetId;
    fleet->ID = id;
    fleet->SetName(LangFormat("fleet_#%i", id));
    return fleet;
}

void cFlota::TakeSelectedShipsOf(const cFlota& source)
{
    for (cJednostkaMorska* ship : source.ships)
        if (g_World.units.selection(ship))
        {
            ships.push_back(ship);
            g_World.units.setFleet(ship, this);
        }
}

void cFlota::Delete()
{
    // The fleets window keeps fleet ids, not pointers: a deleted fleet drops out of it at its next look.
    g_World.hooks.fleetDeleted(*this);
    if (g_World.fleets)
        g_World.fleets->remove(this);
    delete this;
}

sWezelGrafuMorz* cFlota::GetSeaNode() const
{
    cGrafMorz* graph = WorldSeaGraph();
    return graph ? graph->GetNode(seaNode) : nullptr;
}

// ---- Reach and moves ----

void cFlota::ComputeReachableZones()
{
    reachable.clear();
    cGrafMorz* graph = WorldSeaGraph();
    sWezelGrafuMorz* own = GetSeaNode();
    if (!graph || !own)
        return;
    int requirement = 0;
    for (cJednostkaMorska* ship : ships)
    {
        const int type = g_World.units.shipType(ship);
        if (type >= 40 && type <= 45) // another type has no requirement to read
            requirement = std::max(requirement, g_World.consts.portRequirement[type - 40]);
    }
    for (sWezelGrafuMorz& node : graph->Nodes)
        node.Distance = 0;
    reachable.push_back(seaNode);
    const bool atSea = own->Kind == SEA_NODE_SEA;
    // One range for every fleet, the scenario's: the ships' own allowances do not shorten it.
    for (auto it = reachable.begin(); it != reachable.end(); ++it)
    {
        const sWezelGrafuMorz& c = *graph->GetNode(*it);
        for (const sLukGrafuMorz& edge : c.Edges)
        {
            sWezelGrafuMorz* n = graph->GetNode(edge.Target);
            if (!n)
                continue;
            if (n->Kind == SEA_NODE_PORT &&
                (n->SizeCurrent < requirement || !IsCountryOrAlly(HexController(n->MainX, n->MainY), owner)))
                continue;
            if (c.Distance >= g_World.consts.fleetRange || n->Distance != 0 || n->ID == seaNode)
                continue;
            if (!graph->IsEdgeUsable(edge, owner))
                continue;
            if (!atSea && !(n->Kind == SEA_NODE_SEA || c.Distance == 1))
                continue;
            n->Distance = c.Distance + 1;
            reachable.push_back(n->ID);
        }
    }
}

bool cFlota::IsReachable(int nodeId)
{
    ComputeReachableZones();
    return std::find(reachable.begin(), reachable.end(), nodeId) != reachable.end();
}

void cFlota::Enter(int nodeId)
{
    cGrafMorz* graph = WorldSeaGraph();
    sWezelGrafuMorz* old = GetSeaNode();
    seaNode = nodeId;
    movedThisTurn = 1;
    if (old)
        old->OnFleetLeft(*this);
    // The enemy ships spotted there stay spotted; only hidden ones are looked for again.
    if (sWezelGrafuMorz* node = graph ? graph->GetNode(nodeId) : nullptr)
        node->CalculateVisibility(true);
}

void cFlota::MoveTo(int destinationId)
{
    if (movedThisTurn)
    {
        LogLine(L"WARNING: Fleet %s wanted to go: node %i -> %i, but it already moved this turn.", name, seaNode,
                destinationId);
        return;
    }
    if (destinationId == seaNode)
    {
        movedThisTurn = 1;
        return;
    }
    cGrafMorz* graph = WorldSeaGraph();
    std::list<int> path;
    if (!graph || !graph->FindPath(seaNode, destinationId, owner, false, path))
    {
        LogLine(L"WARNING: fleet %s (at node %i) wants to go to node %i but there's no path", name, seaNode,
                destinationId);
        return;
    }
    const int from = seaNode;
    ComputeReachableZones();
    auto isReachable = [this](int id) { return std::find(reachable.begin(), reachable.end(), id) != reachable.end(); };
    if (isReachable(destinationId))
    {
        LogLine(L"Fleet %s going: node %i -> %i, movement finished.", name, from, destinationId);
        Enter(destinationId);
        return;
    }
    // The path runs from the destination back to the fleet: the first reachable node on it
    // is the farthest the fleet gets this turn.
    for (int id : path)
        if (isReachable(id))
        {
            LogLine(L"Fleet %s going: node %i -> %i, final destination = %i.", name, from, id, destinationId);
            Enter(id);
            return;
        }
    LogLine(L"WARNING: Fleet %s wanted to go: node %i -> %i, but theres no path!", name, from, destinationId);
}

bool cFlota::LeaveEnemyPort()
{
    cGrafMorz* graph = WorldSeaGraph();
    const int target = graph ? graph->FindSeaNeighbour(seaNode) : -1;
    sWezelGrafuMorz* node = graph ? graph->GetNode(target) : nullptr;
    if (!node)
        return false;
    // A retreat, not the fleet's move of the turn: the moved flag stays as it was.
    const uint8_t moved = movedThisTurn;
    Enter(target);
    movedThisTurn = moved;
    LogLine(L"%s left port which became enemy controlled and moved to %s", name, node->Name);
    return true;
}

// ---- Ships ----

void cFlota::ClearShipSelection()
{
    for (cJednostkaMorska* ship : ships)
        g_World.units.setSelection(ship, 0);
}

void cFlota::SelectShipsInZone(int zone)
{
    for (cJednostkaMorska* ship : ships)
        if (g_World.units.assignedZone(ship) == zone)
            g_World.units.setSelection(ship, 1);
}

void cFlota::RemoveSelectedShips()
{
    ships.remove_if([](cJednostkaMorska* ship) { return g_World.units.selection(ship) != 0; });
}

void cFlota::TransferSelectedShips(cFlota& other)
{
    if (&other == this) // into itself the ships would be appended while walked, without end
        return;
    for (cJednostkaMorska* ship : ships)
        if (g_World.units.selection(ship))
        {
            other.ships.push_back(ship);
            g_World.units.setFleet(ship, &other);
        }
    RemoveSelectedShips();
}

float cFlota::SumStrengthAndUnassign()
{
    float sum = 0.0f;
    for (cJednostkaMorska* ship : ships)
    {
        sum += g_World.units.hitPoints(ship);
        g_World.units.setAssignedZone(ship, -1);
    }
    return sum;
}

float cFlota::SumMaxStrength() const
{
    return SumOverShips<float>(ships, g_World.units.maxHitPoints);
}

float cFlota::SumBombardmentValue() const
{
    return SumOverShips<float>(ships, g_World.units.bombardmentValue);
}

bool cFlota::ShipsShareAssignedZone(int& zone) const
{
    zone = -1;
    if (ships.empty())
        return true;
    zone = g_World.units.assignedZone(ships.front());
    if (zone == -1)
        LogLine(L"ERROR: Unexpected assignment of ship to seazone (-1)");
    for (cJednostkaMorska* ship : ships)
        if (g_World.units.assignedZone(ship) != zone)
            return false;
    return true;
}

bool cFlota::ShipsShareAssignedZone() const
{
    int zone = -1;
    return ShipsShareAssignedZone(zone);
}

sDowodca* cFlota::GetBestCommander() const
{
    sDowodca* best = nullptr;
    int bestRating = 0;
    for (cJednostkaMorska* ship : ships)
    {
        sDowodca* commander = g_World.units.commander(ship);
        if (!commander)
            continue;
        const int rating = g_World.units.commanderRating(commander);
        if (!best || rating > bestRating)
        {
            best = commander;
            bestRating = rating;
        }
    }
    return best;
}

int cFlota::RollDamage() const
{
    return SumOverShips<int>(ships, g_World.units.rollDamage);
}

// ---- Markings ----

void cFlota::MarkReachableZones()
{
    cMapa* map = WorldMap();
    cGrafMorz* graph = WorldSeaGraph();
    if (!map || !graph)
        return;
    map->ClearMarks(MARK_SEA_ZONE | MARK_REACHABLE_SEA_NODE, true);
    ComputeReachableZones();
    // A sea zone by its main hex, a port by its own-ships hex: both lie at sea, where the fleet goes.
    for (int id : reachable)
    {
        const sWezelGrafuMorz* node = graph->GetNode(id);
        const int x = node->Kind == SEA_NODE_SEA ? node->MainX : node->OwnShipsX;
        const int y = node->Kind == SEA_NODE_SEA ? node->MainY : node->OwnShipsY;
        if (map->IsInside(x, y))
            map->GetHex(x, y)->SetMark(MARK_REACHABLE_SEA_NODE, -1);
    }
}

namespace {
enum eTargetKind
{
    TARGET_ATTACK,
    TARGET_SHORE,
    TARGET_RECON,
};
} // namespace

int cFlota::MarkAttackTargets(bool mark) { return MarkTargets(TARGET_ATTACK, mark); }
int cFlota::MarkShoreBombardmentTargets(bool mark) { return MarkTargets(TARGET_SHORE, mark); }
int cFlota::MarkReconTargets(bool mark) { return MarkTargets(TARGET_RECON, mark); }

int cFlota::MarkTargets(int kind, bool mark)
{
    cMapa* map = WorldMap();
    cGrafMorz* graph = WorldSeaGraph();
    const cPanstwo* country = GetCountry(owner);
    if (!map || !graph || !country)
        return 0;
    // A level outside the table (a bad countries.csv) reads its nearest row, never past it.
    const int level = std::clamp(country->TechLevel[TECH_AIRCRAFT], 0, 5);
    const float factor = g_World.consts.aircraftRangeFactor[level];
    const int k = kind == TARGET_SHORE ? g_World.consts.shoreBombardmentRange : g_World.consts.carrierStrikeRange;
    const int range = RangeInHexes(k, factor);
    const uint32_t hexMark = kind == TARGET_RECON ? MARK_RECON_TARGET : MARK_ATTACK_TARGET;
    int count = 0;
    if (mark)
        map->ClearMarks(~uint32_t(MARK_SELECTED), true);
    for (const auto& [cx, cy] : map->GetCoastalHexesOfZone(seaNode))
    {
        const long long reach = range; // a huge range reaches the map's edge, not past an int's end
        const int y0 = int(std::max(0LL, cy - reach)), y1 = int(std::min(cy + reach, map->GetHeight() - 1LL));
        const int x0 = int(std::max(0LL, cx - reach)), x1 = int(std::min(cx + reach, map->GetWidth() - 1LL));
        for (int y = y0; y <= y1; ++y)
            for (int x = x0; x <= x1; ++x)
            {
                sHex& h = *map->GetHex(x, y);
                if (h.IsSea() || HexDistance(cx, cy, x, y) > range || (h.marks & hexMark))
                    continue;
                bool target = false;
                const int unitOwner = h.unit ? g_World.units.ownerId(h.unit) : 0;
                const bool visible = h.unit && g_World.units.isVisible(h.unit);
                switch (kind)
                {
                case TARGET_ATTACK:
                    target = (visible && AtWar(unitOwner, owner)) || (h.city && AtWar(h.city->GetControllerId(), owner));
                    break;
                case TARGET_SHORE:
                    // Only a land unit can be shelled: a hex the bombardment would refuse is no target.
                    target = visible && g_World.units.isLandUnit(h.unit) &&
                             int(g_World.units.shoreBombEffect(h.unit) * 100.0f) == 0 && AtWar(unitOwner, owner);
                    break;
                default:
                    target = true;
                    break;
                }
                if (!target)
                    continue;
                ++count;
                if (mark)
                    h.SetMark(hexMark, -1);
            }
    }
    const sWezelGrafuMorz* own = GetSeaNode();
    if (!own || kind == TARGET_SHORE)
        return count;
    if (kind == TARGET_ATTACK)
    {
        std::vector<int> zones{own->ID};
        for (const sLukGrafuMorz& edge : own->Edges)
            zones.push_back(edge.Target);
        for (int id : zones)
        {
            const sWezelGrafuMorz* node = graph->GetNode(id);
            if (!node || node->CountVisibleEnemyShips() < 1)
                continue;
            ++count;
            if (mark)
                map->MarkZoneHexes(id, MARK_SEA_ZONE);
        }
        return count;
    }
    // Reconnaissance: the own zone is shown but never counted.
    if (mark)
        map->MarkZoneHexes(own->ID, MARK_SEA_ZONE);
    for (const sLukGrafuMorz& edge : own->Edges)
    {
        if (!graph->GetNode(edge.Target))
            continue;
        ++count;
        if (mark)
            map->MarkZoneHexes(edge.Target, MARK_SEA_ZONE);
    }
    return count;
}
