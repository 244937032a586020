// What an air unit can reach: its rebasing hexes, its targets, reconnaissance of land and
// sea, and the computer's choice of bases.
#include <algorithm>
#include <climits>

#include "core/lock.h"
#include "core/log.h"
#include "core/settings.h"
#include "core/stringbase.h"
#include "game/consts.h"
#include "game/game.h"
#include "game/play_counts.h"
#include "game/play_state.h"
#include "game/presentation.h"
#include "units/air_unit.h"
#include "units/combat_result.h"
#include "units/combat_support.h"
#include "units/land_unit.h"
#include "units/naval_unit.h"
#include "units/unit_access.h"
#include "world/city.h"
#include "world/country.h"
#include "world/fleet.h"
#include "world/hex_range.h"
#include "world/map.h"
#include "world/relations.h"
#include "world/sea_graph.h"
#include "world/world.h"

namespace {

cMapa* GameMap() { return g_Gra ? g_Gra->m_Mapa : nullptr; }

// A fleet of a country at war with the owner lies in the node.
bool HoldsEnemyFleet(int nodeId, int ownerId)
{
    if (!g_Gra)
        return false;
    return std::any_of(g_Gra->m_Fleets.begin(), g_Gra->m_Fleets.end(), [&](const cFlota* fleet) {
        return fleet->seaNode == nodeId && CountriesAtWar(fleet->owner, ownerId);
    });
}

// Marks every hex of the zones; their number.
int MarkZones(cMapa& map, const std::set<int>& zones, bool mark)
{
    if (mark)
        for (int zone : zones)
            map.MarkZoneHexes(zone, MARK_SEA_ZONE);
    return int(zones.size());
}

// Counts, and with mark marks, the land hexes within range of the unit that are targets.
template <typename IsTarget>
int MarkLandTargets(cMapa& map, const cUnit& unit, int range, uint32_t bit, bool mark, IsTarget isTarget)
{
    int count = 0;
    ForEachHexWithin(map, unit.m_X, unit.m_Y, range, [&](sHex& hex) {
        if (hex.IsSea() || !isTarget(hex))
            return;
        ++count;
        if (mark)
            hex.SetMark(bit, -1);
    });
    return count;
}

} // namespace

int MinDistanceToUnits(int x, int y, const std::vector<const cUnit*>& units)
{
    int best = INT_MAX;
    for (const cUnit* u : units)
        if (u && u->IsOnMap())
            best = std::min(best, HexDistance(x, y, u->m_X, u->m_Y));
    return best;
}

int CountUnitsInRange(int x, int y, int range, const std::vector<const cUnit*>& units)
{
    int count = 0;
    for (const cUnit* u : units) {
        const sHex* hex = u ? UnitHexAt(u->m_X, u->m_Y) : nullptr;
        if (hex && hex->fortification < 5 && HexDistance(x, y, u->m_X, u->m_Y) <= range)
            ++count;
    }
    return count;
}

int cJednostkaLotnicza::ComputeMoveRange(bool noMarks)
{
    m_Path.clear();
    cMapa* map = GameMap();
    const sGameConsts* k = UnitConsts();
    const int type = AirTypeIndex(m_Type);
    if (!map || !k || type < 0 || !map->IsInside(m_X, m_Y))
        return 0;
    if (!noMarks) {
        // Every hex is out of reach until found in reach.
        for (sHex& hex : map->Hexes())
            hex.marks |= MARK_BIT24;
    }
    if (RebaseRefusalKey())
        return 0;
    // Terrain 6 stays open: the hex's description shuts it to air units, the rebasing rule names
    // no terrain, and deployment already puts planes there.
    ForEachHexWithin(*map, m_X, m_Y, GetRebaseRange(), [&](sHex& hex) {
        if (hex.IsSea() || hex.unit || !hex.IsControlledByFriend(m_Owner))
            return;
        m_Path.push_back({this, hex.x, hex.y, 0, HexDistance(m_X, m_Y, hex.x, hex.y)});
        if (!noMarks) {
            hex.marks &= ~uint32_t(MARK_BIT24);
            hex.SetMark(MARK_MOVE_NONE_LEFT, 0);
        }
    });
    return int(m_Path.size());
}

const char* cJednostkaLotnicza::RebaseRefusalKey() const
{
    const sGameConsts* k = UnitConsts();
    const int type = AirTypeIndex(m_Type);
    if (!k || type < 0)
        return "statusbar_hint_unit_cannot_move";
    if (m_ActionPoints != m_StartingActionPoints)
        return "statusbar_hint_air_unit_acted";
    const int leastSupply = int(float(k->AirMoveMinSupply[type]) / 100.0f * float(k->MaxSupply));
    if (m_Supply < leastSupply)
        return "statusbar_hint_air_unit_supply_too_low";
    return nullptr;
}

bool cJednostkaLotnicza::AiRebase(int x, int y)
{
    const sHex* target = UnitHexAt(x, y);
    if (!target || (target->unit && target->unit != this)) {
        LogLine(L"Air unit %s (ID=%i) cannot rebase to hex (%i, %i): the hex is off the map or taken", m_Name, m_Id, x, y);
        return false;
    }
    // A watching person hears the planes leave, sees the old base emptied, then the new one
    // taken, with the move pauses between.
    const cPlayState* play = g_Gra ? g_Gra->m_PlayState : nullptr;
    if (play && play->IsMoveShown(*this))
        Presentation().PlaySound(L"data\\sound\\PlaneFlying.wav");
    const int fromX = m_X, fromY = m_Y;
    ShowComputerStep(*this, fromX, fromY, DELAY_AI_MOVE_BEFORE);
    {
        GLOBAL_LOCK_SCOPE();
        FreeOwnHex(false);
    }
    ShowComputerStep(*this, fromX, fromY, DELAY_AI_MOVE_BETWEEN);
    ShowComputerStep(*this, x, y, DELAY_AI_MOVE_BETWEEN);
    {
        GLOBAL_LOCK_SCOPE();
        if (!FlyTo(x, y, false)) {
            if (sHex* from = UnitHexAt(fromX, fromY); from && !from->unit)
                from->unit = this;
            return false;
        }
    }
    ShowComputerStep(*this, x, y, DELAY_AI_MOVE_AFTER);
    return true;
}

int cJednostkaLotnicza::FindAirFightTargets(bool mark) const
{
    cMapa* map = GameMap();
    if (!map || m_ActionPoints < 1 || !IsOnMap())
        return 0;
    return MarkLandTargets(*map, *this, GetRange(), MARK_AIR_FIGHT_TARGET, mark, [&](const sHex& hex) {
        return hex.unit && hex.unit->m_Category == CATEGORY_AIR && hex.unit->m_Spotted &&
               CountriesAtWar(hex.unit->m_Owner, m_Owner);
    });
}

int cJednostkaLotnicza::FindBombardmentTargets(bool mark) const
{
    cMapa* map = GameMap();
    const sGameConsts* k = UnitConsts();
    if (!map || !k || m_ActionPoints < 1 || !IsOnMap())
        return 0;
    const int count = MarkLandTargets(*map, *this, GetRange(), MARK_AIR_BOMBARD_TARGET, mark, [&](const sHex& hex) {
        const bool unitTarget = hex.unit && hex.unit->m_Category == CATEGORY_LAND && hex.unit->m_Spotted &&
                                CountriesAtWar(hex.unit->m_Owner, m_Owner);
        return unitTarget || (hex.city && CountriesAtWar(hex.controller, m_Owner));
    });
    std::set<int> zones;
    ForEachHexWithin(*map, m_X, m_Y, k->AirSearchRadius, [&](sHex& hex) {
        if (hex.IsSea() && hex.seaZone != 0 && HoldsEnemyFleet(hex.seaZone, m_Owner))
            zones.insert(hex.seaZone);
    });
    return count + MarkZones(*map, zones, mark);
}

int cJednostkaLotnicza::FindNuclearTargets(bool mark) const
{
    cMapa* map = GameMap();
    if (!map || m_ActionPoints < 1 || !IsOnMap())
        return 0;
    return MarkLandTargets(*map, *this, GetRange(), MARK_NUCLEAR_TARGET, mark,
                           [&](const sHex& hex) { return CountriesAtWar(hex.controller, m_Owner); });
}

int cJednostkaLotnicza::FindReconTargets(bool mark) const
{
    cMapa* map = GameMap();
    const sGameConsts* k = UnitConsts();
    if (!map || !k || m_ActionPoints < 1 || m_AirReconDone || !IsOnMap())
        return 0;
    // The selected hex keeps its mark: the unit that flies is still the selection.
    if (mark)
        map->ClearMarks(~uint32_t(MARK_SELECTED), true);
    // Reconnaissance flies the range of a fighter, whatever the type.
    const int range = RangeInHexes(k->AirRanges[0], GetRangeFactor());
    const int count = MarkLandTargets(*map, *this, range, MARK_RECON_TARGET, mark,
                                      [&](const sHex& hex) { return CountriesAtWar(hex.controller, m_Owner); });
    std::set<int> zones;
    ForEachHexWithin(*map, m_X, m_Y, range, [&](sHex& hex) {
        if (hex.IsSea() && hex.seaZone != 0)
            zones.insert(hex.seaZone);
    });
    return count + MarkZones(*map, zones, mark);
}

void cJednostkaLotnicza::CollectSeaNodesInRadius(std::set<int>& nodes) const
{
    cMapa* map = GameMap();
    const sGameConsts* k = UnitConsts();
    if (!map || !k || !IsOnMap())
        return;
    ForEachHexWithin(*map, m_X, m_Y, k->AirSearchRadius, [&](sHex& hex) {
        if (hex.IsSea() && hex.seaZone != 0)
            nodes.insert(hex.seaZone);
    });
}

namespace {

// An id past the graph names no node: it is refused rather than read off the list's end.
sWezelGrafuMorz* NodeToReconnoitre(const cJednostkaLotnicza& plane, int nodeId)
{
    cGrafMorz* graph = WorldSeaGraph();
    sWezelGrafuMorz* node = graph && nodeId > 0 ? graph->GetNode(nodeId) : nullptr;
    if (!node)
        LogLine(L"Air unit %s (ID=%i) cannot reconnoitre sea node %i: there is no such node", plane.m_Name, plane.m_Id,
                nodeId);
    return node;
}

} // namespace

bool cJednostkaLotnicza::ReconSeaNode(int nodeId, sCombatResult* result)
{
    if (!NodeToReconnoitre(*this, nodeId))
        return false;
    AddActionPoints(-1);
    m_AirReconDone = true;
    ++g_PlayCounts.airMissions;
    return FlyOverSeaNode(nodeId, result);
}

bool cJednostkaLotnicza::FlyOverSeaNode(int nodeId, sCombatResult* result)
{
    sWezelGrafuMorz* node = NodeToReconnoitre(*this, nodeId);
    if (!node)
        return false;
    sCombatResult local;
    if (!result)
        result = &local;
    // An interception that stops the flight removes a plane it shoots down.
    if (cJednostkaMorska* interceptor = node->FindInterceptor(m_Owner); interceptor && TryIntercept(interceptor, result))
        return false;
    PlayCombatSound(L"AirRecon", this);
    result->kind = COMBAT_AIR_RECON;
    // The node's ships as the owner's side now sees them, foreign ships in a port included.
    cShowForeignShipsInPorts show;
    node->CalculateVisibilityForCountry(m_Owner, false);
    // Told in the result: the player would otherwise learn nothing of what the flight saw there.
    AppendLine(result->attackerInfo, LangFormat("recon_result_sea_%s_%i", node->Name, node->CountVisibleEnemyShips()));
    return true;
}

int cJednostkaLotnicza::FlyReconMission(int x, int y, sCombatResult* result)
{
    cMapa* map = GameMap();
    sHex* target = UnitHexAt(x, y);
    if (!map || !target)
        return 0;
    sCombatResult local;
    if (!result)
        result = &local;
    AddActionPoints(-1);
    m_AirReconDone = true;
    ++g_PlayCounts.airMissions;
    if (cJednostkaLotnicza* interceptor = target->FindInterceptor(m_Owner);
        interceptor && TryIntercept(interceptor, result))
        return 0;
    PlayCombatSound(L"AirRecon", this);
    result->kind = COMBAT_AIR_RECON;
    const cPanstwo* owner = GetOwner();
    return DiscoverAroundHex(m_Owner, x, y, owner ? owner->TechLevel[TECH_AIRCRAFT] : 0, result->attackerInfo);
}

cJednostkaLotnicza* cJednostkaLotnicza::FindWeakestEnemyAirUnit(int type) const
{
    const sGameConsts* k = UnitConsts();
    if (!g_Gra || !k || !IsOnMap())
        return nullptr;
    const int range = GetRange();
    cJednostkaLotnicza* weakest = nullptr;
    int lowest = INT_MAX;
    for (cJednostkaLotnicza* u : g_Gra->m_AirUnits) {
        if (u->m_Type != type || !u->IsOnMap() || !CountriesAtWar(u->m_Owner, m_Owner) ||
            HexDistance(m_X, m_Y, u->m_X, u->m_Y) > range)
            continue;
        const int score = k->InterceptorSupplyTerm[SupplyIndex(u->m_Supply)] + u->m_Strength + u->m_Level;
        if (score < lowest) {
            lowest = score;
            weakest = u;
        }
    }
    return weakest;
}

void cJednostkaLotnicza::AiPlanMissions(std::list<sAirBaseCandidate>& candidates,
                                        const std::vector<const cUnit*>& enemyLandUnits) const
{
    candidates.clear();
    cMapa* map = GameMap();
    if (!g_Gra || !map || !IsOnMap())
        return;
    const int range = GetRange();
    auto consider = [&](const sHex* hex) {
        if (!hex || hex->IsSea() || hex->unit || !hex->IsControlledByFriend(m_Owner))
            return false;
        candidates.push_back({hex->x, hex->y, MinDistanceToUnits(hex->x, hex->y, enemyLandUnits),
                              CountUnitsInRange(hex->x, hex->y, range, enemyLandUnits)});
        return true;
    };
    for (const cMiasto* city : g_Gra->m_Cities) {
        const sHex* at = UnitHexAt(city->X, city->Y);
        if (!at || city->Type == CITY_RESOURCES || !IsCountryOrAlly(at->controller, m_Owner) ||
            HexDistance(m_X, m_Y, city->X, city->Y) >= GetRebaseRange() - 2)
            continue;
        for (int d = 0; d < 6; ++d) {
            const sHex* n = map->GetNeighbour(city->X, city->Y, d);
            if (!n || n->IsSea() || n->unit || !n->IsControlledByFriend(m_Owner))
                continue;
            consider(n);
            for (int e = 0; e < 6; ++e)
                consider(map->GetNeighbour(n->x, n->y, e));
        }
    }
}
