// Invasions: forces gathered next to the country's current targets before war is
// declared on their holders, the choice of a port to invade from the sea with the march
// to the embarkation ports and the loading onto amphibious ships, and the landing itself.
#include <algorithm>
#include <map>
#include <set>

#include "ai/ai.h"
#include "ai/ai_presentation.h"
#include "core/lock.h"
#include "core/log.h"
#include "game/game.h"
#include "game/play_counts.h"
#include "game/play_state.h"
#include "units/combat_result.h"
#include "units/land_unit.h"
#include "units/naval_unit.h"
#include "units/unit.h"
#include "units/unit_access.h"
#include "world/city.h"
#include "world/city_graph.h"
#include "world/country.h"
#include "world/fleet.h"
#include "world/map.h"
#include "world/relations.h"
#include "world/sea_graph.h"
#include "world/topography.h"

namespace {

// One staging city of the build-up, with the target it serves and the strength sent.
struct sBuildUpEntry
{
    cMiasto* staging = nullptr;
    sAITarget target;
    float assigned = 0.0f;
};

cTopografia::sUnitView ViewOf(const cJednostkaLadowa& unit)
{
    return {unit.m_Owner, unit.m_Category, unit.m_SupplySourceX, unit.m_SupplySourceY};
}

float EffectiveStrengthOn(const sHex& hex)
{
    const auto* unit = dynamic_cast<const cJednostka*>(hex.unit);
    return unit ? unit->GetEffectiveStrength() : 0.0f;
}

// The hex an order leads to in the end: its final city when it goes through the graph.
std::pair<int, int> FinalTargetOf(const cJednostkaLadowa& unit)
{
    if (unit.m_AiUltimateTargetX != -1)
        return {unit.m_AiUltimateTargetX, unit.m_AiUltimateTargetY};
    return {unit.m_AiTargetX, unit.m_AiTargetY};
}

} // namespace

void cAI::PlanInvasionBuildUp()
{
    cMapa& map = *g_Gra->m_Mapa;
    std::list<sAITarget>& targets = m_Country->AIParameters.CurrentTargets;
    targets.remove_if([&](const sAITarget& t) {
        // A target off the map names no hex: the map would answer with its first one.
        if (!map.IsInside(t.a, t.b))
        {
            LogLine(L"WARNING: Target hex (%i,%i) lies off the map and is dropped", t.a, t.b);
            return true;
        }
        const int owner = map.GetHex(t.a, t.b)->owner;
        return owner != 0 && (IsFriend(owner) || IsEnemy(owner));
    });
    if (targets.empty())
        return;

    std::vector<sBuildUpEntry> entries;
    for (const sAITarget& target : targets)
    {
        cMiasto* city = HomeCityOfHex(target.a, target.b);
        if (!city)
        {
            LogLine(L"WARNING: Target hex (%i,%i) does not belong to any city!", target.a, target.b);
            continue;
        }
        cMiasto* staging = IsFriend(city->GetControllerId()) ? city : nullptr;
        if (!staging)
            if (const sWezelDiagramuMiast* node = NodeOfCity(city))
            {
                int best = 0;
                for (const sLukDiagramuMiast& link : node->Links)
                {
                    cMiasto* next = link.Target->City;
                    const int distance = HexDistance(next->X, next->Y, target.a, target.b);
                    if (IsFriend(next->GetControllerId()) && (!staging || distance < best))
                    {
                        staging = next;
                        best = distance;
                    }
                }
            }
        if (staging)
            entries.push_back({staging, target, 0.0f});
    }
    if (entries.empty())
    {
        LogLine(L"WARNING: cannot build up forces for invasion! No own/allied cities near invasion target!");
        return;
    }

    const cTopografia* topography = g_Gra->m_StrategicMoves;
    if (!topography)
        return;
    for (cJednostkaLadowa* unit : m_OwnLandUnits)
    {
        const int order = unit->m_AiOrder;
        if (order != 0 && order != 3 && order != 6 && order != 8)
            continue;
        // A unit outside every city's area has no way through the graph to count.
        const cMiasto* region = HomeCityOfHex(unit->m_X, unit->m_Y);
        if (!region)
            continue;
        const sBuildUpEntry* chosen = nullptr;
        int chosenHops = 0;
        for (const sBuildUpEntry& entry : entries)
        {
            if (entry.target.c != -1 && entry.assigned >= float(entry.target.c))
                continue;
            if (!topography->IsHexReachable(ViewOf(*unit), *entry.staging))
                continue;
            const int hops = entry.staging->GetGraphDistanceTo(*region);
            if (hops < 0) // no way through the graph: -1 is no "fewest hops"
                continue;
            if (!chosen || hops < chosenHops)
            {
                chosen = &entry;
                chosenHops = hops;
            }
        }
        if (!chosen)
            continue;
        cMiasto* staging = chosen->staging;
        for (sBuildUpEntry& entry : entries)
        {
            if (entry.staging != staging)
                continue;
            if (entry.target.c == -1)
                unit->FindOrderPath(12, staging->X, staging->Y, chosenHops);
            else if (entry.assigned < float(entry.target.c))
            {
                unit->FindOrderPath(12, staging->X, staging->Y, chosenHops);
                entry.assigned += unit->GetEffectiveStrength();
            }
        }
    }
}

void cAI::CollectPortsLinkedBySea(int countryId, const cMiasto* target, std::vector<cMiasto*>& out, bool firstOnly) const
{
    out.clear();
    cGrafMorz* graph = g_Gra->m_SeaGraph;
    if (!graph || !target)
        return;
    const cMapa& map = *g_Gra->m_Mapa;
    if (!map.IsInside(target->X, target->Y))
        return;
    // Searched the way the invasion fleet sails, from the port to the zone it is bound for.
    // Sea edges run one way: a path from the target back to a port is no voyage, and a port
    // linked only that way got its units marched there every turn for a fleet that never sailed.
    const int zone = map.GetHex(target->X, target->Y)->seaZone;
    std::list<int> path;
    for (cMiasto* city : g_Gra->m_Cities)
    {
        if (!city->IsPort() || !IsCountryOrAlly(city->GetControllerId(), CountryId()))
            continue;
        if (!graph->FindPath(city->GetSeaNodeId(), zone, countryId, false, path))
            continue;
        out.push_back(city);
        if (firstOnly)
            return;
    }
}

cMiasto* cAI::ChooseSeaInvasionTarget()
{
    cMapa& map = *g_Gra->m_Mapa;
    sAIParameters& parameters = m_Country->AIParameters;
    // A port off the coast cannot be landed on: it is logged and passed over, and the game
    // goes on rather than ending on a scenario's slip.
    auto usable = [&](const cMiasto* city) {
        if (!map.IsInside(city->X, city->Y) || !map.GetHex(city->X, city->Y)->coastal)
        {
            LogLine(L"Error! Hex(%i,%i) was targeted for amphib invasion but tasksIt has no seazone attribute", city->X,
                    city->Y);
            return false;
        }
        return true;
    };
    while (!parameters.ObligatorySeaInvasionTargets.empty())
    {
        cMiasto* city = parameters.ObligatorySeaInvasionTargets.front();
        parameters.ObligatorySeaInvasionTargets.pop_front();
        if (city && usable(city))
            return city;
    }

    cMiasto* best = nullptr;
    float bestScore = -2147483648.0f;
    std::vector<cMiasto*> linked;
    for (cMiasto* city : g_Gra->m_Cities)
    {
        LogLine(L"Checking city %s", city->GetName());
        if (!city->IsPort() || !IsEnemy(city->GetControllerId()) || !map.IsInside(city->X, city->Y))
            continue;
        LogLine(L"Condition 1 passed");
        CollectPortsLinkedBySea(CountryId(), city, linked, true);
        if (linked.empty())
            continue;
        LogLine(L"Condition 2 passed");
        const sHex& hex = *map.GetHex(city->X, city->Y);
        LogLine(L"Checking bonus for unit");
        float score = -EffectiveStrengthOn(hex);
        LogLine(L"Checking bonus for sea connection");
        if (g_Gra->m_CityGraph && g_Gra->m_CityGraph->HasLinkToAlliedCity(city->GraphIndex, CountryId()))
            score += 10.0f;
        for (int d = 0; d < 5; ++d)
        {
            const sHex* n = map.GetNeighbour(city->X, city->Y, d);
            if (!n)
                continue;
            LogLine(L"Checking bonus for empty hexes");
            if (n->IsLand() && !n->unit)
                score += 2.0f;
            LogLine(L"Checking bonus for nearby units");
            if (n->unit && n->unit->m_Category == CATEGORY_LAND)
                score -= EffectiveStrengthOn(*n) / 2.0f;
        }
        LogLine(L"Getting node");
        if (const sWezelDiagramuMiast* node = NodeOfCity(city))
            score += float(node->OwnAirStrength);
        LogLine(L"----- Sofar the best! :)");
        if (score > bestScore && hex.coastal)
        {
            best = city;
            bestScore = score;
        }
    }
    return best;
}

void cAI::PlanSeaInvasion()
{
    sAIParameters& parameters = m_Country->AIParameters;
    parameters.CurrentSeaInvasionTarget = -1;
    if (!parameters.MakesSeaInvasions || !parameters.CurrentTargets.empty() ||
        int(m_Fronts.size()) > parameters.MaxNumberOfFrontsForSeaInvasion)
        return;
    parameters.ObligatorySeaInvasionTargets.remove_if([&](const cMiasto* city) {
        return !city || city->GetControllerId() == CountryId() || !IsEnemy(city->GetControllerId());
    });
    LogLine(L"%s plannning sea invasion. Determining target", m_Country->Name);
    cMiasto* target = ChooseSeaInvasionTarget();
    const int targetNode = target ? target->GetSeaNodeId() : -1;
    LogLine(L"Target for invasion: %i", targetNode);
    parameters.CurrentSeaInvasionTarget = targetNode;
    const sWezelGrafuMorz* node = g_Gra->m_SeaGraph ? g_Gra->m_SeaGraph->GetNode(targetNode) : nullptr;
    cMapa& map = *g_Gra->m_Mapa;
    if (!node || !map.IsInside(node->MainX, node->MainY))
        return;

    // A defender of no strength left counts as an empty port: twelve times nothing would
    // send nobody against it.
    float defence = EffectiveStrengthOn(*map.GetHex(node->MainX, node->MainY));
    if (defence == 0.0f)
        defence = 0.1f;
    std::vector<cMiasto*> ports;
    CollectPortsLinkedBySea(CountryId(), target, ports, false);

    // Candidates by the route from some embarkation port to their region, a region once.
    std::map<const cMiasto*, bool> joined;
    std::vector<cJednostkaLadowa*> candidates;
    for (cJednostkaLadowa* unit : m_OwnLandUnits)
    {
        if (unit->m_AiOrder != 0 && unit->m_AiOrder != 3)
            continue;
        cMiasto* region = HomeCityOfHex(unit->m_X, unit->m_Y);
        if (!region)
            continue;
        auto known = joined.find(region);
        if (known == joined.end())
        {
            std::list<cMiasto*> route;
            bool any = false;
            // A unit in a port's own area is there already, and the route search finds no way
            // from a city to itself.
            for (cMiasto* port : ports)
                if (port == region || g_Gra->m_CityGraph->FindRoute(port, region, CountryId(), route))
                {
                    any = true;
                    break;
                }
            known = joined.emplace(region, any).first;
        }
        if (known->second)
            candidates.push_back(unit);
    }
    if (candidates.empty())
    {
        LogLine(L"No land units applicable for invasion. Exiting sea invasion procedure.");
        return;
    }
    std::stable_sort(candidates.begin(), candidates.end(), [](const cJednostkaLadowa* a, const cJednostkaLadowa* b) {
        return a->GetEffectiveStrength() > b->GetEffectiveStrength();
    });
    float assigned = 0.0f;
    for (cJednostkaLadowa* unit : candidates)
    {
        if (assigned >= 12.0f * defence)
            break;
        const cMiasto* region = HomeCityOfHex(unit->m_X, unit->m_Y);
        cMiasto* port = nullptr;
        int hops = 0;
        for (cMiasto* p : ports)
        {
            const int h = p->GetGraphDistanceTo(*region);
            if (h >= 0 && (!port || h < hops))
            {
                port = p;
                hops = h;
            }
        }
        if (!port)
            continue;
        unit->FindOrderPath(14, port->X, port->Y, hops);
        assigned += unit->GetEffectiveStrength();
    }

    // The march to the embarkation ports. One that has arrived, or cannot get on, waits
    // there with order 15: left at 14 it would hold the loading back for ever.
    for (cJednostkaLadowa* unit : std::vector<cJednostkaLadowa*>(m_OwnLandUnits))
    {
        if (unit->m_AiOrder != 14 || !ThreadMayRun())
            continue;
        const auto [fx, fy] = FinalTargetOf(*unit);
        if (unit->m_X == fx && unit->m_Y == fy)
        {
            unit->m_AiOrder = 15;
            continue;
        }
        if (TryFinalTarget(unit))
            continue;
        const int before = unit->m_ActionPoints;
        const bool onStep = unit->m_X == unit->m_AiTargetX && unit->m_Y == unit->m_AiTargetY;
        MoveToward(unit, onStep ? fx : unit->m_AiTargetX, onStep ? fy : unit->m_AiTargetY);
        if (unit->m_ActionPoints == before && before != 0)
            unit->m_AiOrder = 15;
    }

    int marching = 0, cost = 0;
    std::vector<cJednostkaLadowa*> ready;
    const sGameConsts& k = g_Gra->m_Consts;
    for (cJednostkaLadowa* unit : m_OwnLandUnits)
    {
        if (unit->m_AiOrder == 14)
            ++marching;
        else if (unit->m_AiOrder == 15 && LandTypeIndex(unit->m_Type) >= 0)
        {
            ready.push_back(unit);
            cost += k.AmphibiousCost[unit->m_Type];
        }
    }
    if (marching > 0)
        return;
    LogLine(L"All units ready for invasion!");
    if (cost > m_Country->AIP)
    {
        std::list<int>& queue = parameters.PurchaseQueue;
        queue.remove(0);
        queue.push_front(0);
        LogLine(L"Need to buy more AIP for invasion! Exiting sea invasion procedure");
        return;
    }
    LogLine(L"We have enough AIP. Starting loading units.");
    const sHex& targetHex = *map.GetHex(target->X, target->Y);
    for (cJednostkaLadowa* unit : ready)
    {
        const auto [px, py] = FinalTargetOf(*unit);
        cMiasto* port = map.IsInside(px, py) ? map.GetHex(px, py)->city : nullptr;
        if (!port)
        {
            LogLine(L"ERROR: No target for unit!");
            continue;
        }
        if (!port->IsPort())
        {
            LogLine(L"ERROR: cannot load %s, %s is not a port (!)", unit->m_Name, port->GetName());
            continue;
        }
        const bool shown = IsShownToPerson(unit);
        if (shown)
        {
            CenterCameraOn(unit->m_X, unit->m_Y);
            PauseForPerson(DELAY_AI_MOVE_BEFORE);
        }
        cFlota* fleet = unit->EmbarkOnFleet(UNIT_AMPHIBIOUS, port->GetSeaNodeId(), 2);
        if (!fleet)
            continue;
        fleet->aiDestination = targetHex.seaZone;
        fleet->aiInvasionX = target->X;
        fleet->aiInvasionY = target->Y;
        if (shown)
            PauseForPerson(DELAY_AI_MOVE_AFTER);
    }
    // The embarked units left the map.
    BuildUnitLists();
}

namespace {

cFlota* FleetWithId(int id)
{
    for (cFlota* fleet : g_Gra->m_Fleets)
        if (fleet->ID == id)
            return fleet;
    return nullptr;
}

bool CanShellTheShore(const cJednostkaMorska* ship)
{
    return (ship->m_Type == UNIT_BATTLESHIP || ship->m_Type == UNIT_CRUISER) && !ship->m_ShoreBombardmentDone;
}

// An artificial harbour on the beach, paid from the country's production.
void BuildMulberry(cPanstwo& country, int x, int y)
{
    const sGameConsts& k = g_Gra->m_Consts;
    sHex* hex = g_Gra->m_Mapa->GetHex(x, y);
    if (!hex || hex->unit)
        return;
    if (country.PP < double(k.Mulberry[0]))
    {
        LogLine(L"Not enough PP for Mulberry purcharse");
        return;
    }
    auto* mulberry = new cMulberry();
    mulberry->m_Owner = country.ID;
    mulberry->SetName(L"Artificial harbour");
    mulberry->m_Level = 1;  // its strength and life come with it from the rules
    mulberry->m_SupplySourceX = mulberry->m_SupplySourceY = -1;
    mulberry->m_TurnsWithoutSupply = 0;
    mulberry->SetSupply(k.MaxSupply);
    mulberry->RecalculateEfficiency();
    mulberry->ResetActionPoints();
    mulberry->m_X = x;
    mulberry->m_Y = y;
    g_Gra->m_LandUnits.push_back(mulberry);
    hex->unit = mulberry;
    country.AddProductionPoints(-double(k.Mulberry[0]));
    LogLine(L"Mulberry created at (%d, %d) for country %s", x, y, country.Name);
}

} // namespace

void cAI::ConductAmphibiousInvasion()
{
    if (!g_Gra || !g_Gra->m_Mapa || !m_Country)
        return;
    cMapa& map = *g_Gra->m_Mapa;
    const int me = CountryId();
    std::set<int> harbours;
    std::map<int, std::vector<std::pair<int, int>>> landingHexes;
    // Every pass lands one unit at most, and a ship that landed its unit is gone, so the
    // passes end; the bound only guards against a rule that stopped using ships up.
    const size_t maxPasses = g_Gra->m_NavalUnits.size() + 1;
    for (size_t pass = 0; pass < maxPasses && ThreadMayRun(); ++pass)
    {
        bool found = false;
        for (int fleetId : [&] {
                 std::vector<int> ids;
                 for (const cFlota* f : g_Gra->m_Fleets)
                     if (f->owner == me)
                         ids.push_back(f->ID);
                 return ids;
             }())
        {
            cFlota* fleet = FleetWithId(fleetId);
            if (!fleet || !(fleet->aiOrder == 2 || (fleet->aiOrder == 1 && fleet->aiDestination == fleet->seaNode)))
                continue;
            const int lx = fleet->aiInvasionX, ly = fleet->aiInvasionY;
            if (!map.IsInside(lx, ly))
            {
                // A bad target ends the fleet's mission, not the game.
                LogLine(L"ERROR Amphibious invasion of %s (ID=%i) destination hex (%i, %i) out of map!", fleet->name,
                        fleet->ID, lx, ly);
                fleet->aiOrder = 0;
                continue;
            }
            const int node = fleet->seaNode;

            int bx = -1, by = -1;
            if (map.FindWeakestEnemyUnitNear(me, lx, ly, 6, bx, by))
                for (cFlota* gunner : std::vector<cFlota*>(g_Gra->m_Fleets.begin(), g_Gra->m_Fleets.end()))
                {
                    if (gunner->owner != me || gunner->seaNode != node ||
                        std::none_of(gunner->ships.begin(), gunner->ships.end(), CanShellTheShore))
                        continue;
                    const cUnit* defender = map.GetHex(bx, by)->unit;
                    const bool visible = defender && defender->m_Spotted && SeenByAPerson(defender);
                    sCombatResult result;
                    if (gunner->BombardHex(bx, by, &result, true))
                    {
                        ++g_PlayCounts.shoreBombardments;
                        ShowStrikeOnHex(result, bx, by, visible);
                    }
                    if (!map.GetHex(bx, by)->unit) // nothing is left there to shell
                        break;
                }

            fleet = FleetWithId(fleetId);
            std::vector<int> ships;
            if (fleet)
                for (const cJednostkaMorska* ship : fleet->ships)
                    if (ship->m_Type == UNIT_AMPHIBIOUS && ship->m_Cargo)
                        ships.push_back(ship->m_Id);
            for (int shipId : ships)
            {
                cJednostkaMorska* ship = g_Gra->FindNavalUnitById(shipId);
                if (!ship || !ship->m_Cargo)
                    continue;
                LogLine(L"[AI] %ls: Amphibious invasion - finding hex to land...", m_Country->Name);
                int hx = -1, hy = -1;
                if (!map.FindCoastalHex(me, lx, ly, node, 4, hx, hy, false))
                    continue;
                found = true;
                landingHexes[node].push_back({hx, hy});
                cJednostkaLadowa* unit = ship->m_Cargo;
                const int unitId = unit->m_Id;
                LogLine(L"[AI] %ls: Amphibious invasion - unloading %s", m_Country->Name, unit->m_Name);
                if (unit->AiAmphibiousAssault(hx, hy))
                {
                    ++g_PlayCounts.seaInvasions;
                    if (cJednostkaLadowa* ashore = g_Gra->FindLandUnitById(unitId))
                        WithoutGlobalLock([&] { ashore->MoveTowardHex(lx, ly); });
                }
                break;
            }
            if (!found)
                continue;

            if (harbours.insert(node).second)
            {
                int hx = -1, hy = -1;
                for (const auto& [x, y] : landingHexes[node])
                    if (!map.GetHex(x, y)->unit)
                    {
                        hx = x;
                        hy = y;
                        break;
                    }
                if (hx != -1 || map.FindCoastalHex(me, lx, ly, node, 4, hx, hy, true))
                    BuildMulberry(*m_Country, hx, hy);
            }
            break;
        }
        if (!found)
            break;
    }
    if (!ThreadMayRun())
        return;
    // The units ashore attack at once.
    BuildUnitLists();
    AttackMultipleDirections();
    AttackOneSide();
}
