// Operational planning: each own land unit gets one task for the rest of the turn
// (garrison, hold, take a city, go to the line or the nearest front), then the tasks are
// carried out; idle units may be given a nearby enemy city and the moves run again.
#include <deque>

#include "ai/ai.h"
#include "ai/ai_presentation.h"
#include "core/log.h"
#include "game/game.h"
#include "game/play_state.h"
#include "units/land_unit.h"
#include "world/city.h"
#include "world/city_graph.h"
#include "world/country.h"
#include "world/map.h"
#include "world/relations.h"
#include "world/topography.h"
#include "world/world.h"

namespace {

// One city that wants a garrison.
struct sGarrisonRequest
{
    cMiasto* city = nullptr;
    bool wantsCorps = false;
    bool satisfied = false;
    bool held = false;
};

bool OnHex(const cJednostkaLadowa* unit, int x, int y)
{
    return unit->m_X == x && unit->m_Y == y;
}

void ClearOrder(cJednostkaLadowa* unit, int order)
{
    unit->m_AiOrder = order;
    unit->m_AiTargetX = unit->m_AiTargetY = -1;
    unit->m_AiUltimateTargetX = unit->m_AiUltimateTargetY = -1;
}

// The two sizes of a garrison; airborne troops and harbours are neither.
bool IsDivision(const cJednostkaLadowa* unit)
{
    return unit->m_Type == UNIT_INFANTRY || unit->m_Type == UNIT_MECHANIZED || unit->m_Type == UNIT_ARMOURED;
}

bool IsOfSize(const cJednostkaLadowa* unit, bool corps)
{
    return corps ? unit->IsCorps() : IsDivision(unit);
}

cMiasto* CityAt(int x, int y)
{
    cMapa* map = g_Gra ? g_Gra->m_Mapa : nullptr;
    return map && map->IsInside(x, y) ? map->GetHex(x, y)->city : nullptr;
}

} // namespace

void cAI::ResetCommittedStrength()
{
    if (!g_Gra)
        return;
    for (cMiasto* city : g_Gra->m_Cities)
        city->CommittedStrength = 0.0f;
}

bool cAI::IsFortified(const cJednostkaLadowa* unit) const
{
    const cMapa* map = g_Gra ? g_Gra->m_Mapa : nullptr;
    return map && map->IsInside(unit->m_X, unit->m_Y) &&
           map->GetHex(unit->m_X, unit->m_Y)->fortification > m_Country->AIParameters.FortLevelToHoldAtAllCost;
}

void cAI::PlanOperations1()
{
    LogLine(L"bu bu 1");
    LogLine(L"bu bu 2");
    LogLine(L"bu bu 3");
    ResetCommittedStrength();
    BuildUnitLists();
    cMapa& map = *g_Gra->m_Mapa;
    const int me = CountryId();
    const sAIParameters& parameters = m_Country->AIParameters;

    for (cJednostkaLadowa* unit : m_OwnLandUnits)
    {
        if (unit->m_AiOrder == 7)
            unit->m_AiOrder = 2;
        else
            ClearOrder(unit, 0);
    }

    std::vector<sGarrisonRequest> requests;
    for (cMiasto* city : g_Gra->m_Cities)
    {
        if (city->Type == CITY_RESOURCES)
            continue;
        const bool held = city->GetControllerId() == me;
        const int home = city->GetOriginalOwnerId();
        int wanted = -1; // 1 a corps, 0 a division
        if (home == me && held && (city->Type == CITY_SUPPLY || city->Type == CITY_SUPPLY_PORT))
            wanted = 1;
        else if (held && (IsCityOnFrontWithState(city, 1) || IsCityOnFrontWithState(city, 2)))
            wanted = 1;
        else if (held && city->IsPort())
            wanted = 0;
        else if (held && home != me && city->VictoryPoints > 0)
            wanted = 0;
        else if (held && IsCityOnFrontWithState(city, 0))
            wanted = 0;
        else if (std::find(parameters.ExtraCitiesToGarrison.begin(), parameters.ExtraCitiesToGarrison.end(), city) !=
                 parameters.ExtraCitiesToGarrison.end())
            wanted = 0;
        if (wanted >= 0)
            requests.push_back({city, wanted == 1, false, false});
    }

    LogLine(L"bu bu 4");
    for (sGarrisonRequest& request : requests)
    {
        cUnit* standing = map.GetHex(request.city->X, request.city->Y)->unit;
        auto* unit = dynamic_cast<cJednostkaLadowa*>(standing);
        if (!unit || unit->m_Owner != me)
            continue;
        if (IsOfSize(unit, request.wantsCorps))
        {
            unit->FindOrderPath(1, request.city->X, request.city->Y, 0);
            request.satisfied = true;
        }
        else
        {
            unit->FindOrderPath(2, request.city->X, request.city->Y, 0);
            request.held = true;
        }
    }
    std::erase_if(requests, [](const sGarrisonRequest& r) { return r.satisfied; });

    LogLine(L"bu bu 5");
    const cTopografia* topography = g_Gra->m_StrategicMoves;
    for (const sGarrisonRequest& request : requests)
    {
        struct sCandidate
        {
            cJednostkaLadowa* unit = nullptr;
            int hops = 0;
            int distance = 0;
        } division, corps;
        for (cJednostkaLadowa* unit : m_OwnLandUnits)
        {
            if (unit->m_AiOrder != 0 || !topography || (!unit->IsCorps() && !IsDivision(unit)))
                continue;
            const cTopografia::sUnitView view{unit->m_Owner, unit->m_Category, unit->m_SupplySourceX,
                                              unit->m_SupplySourceY};
            const cMiasto* region = HomeCityOfHex(unit->m_X, unit->m_Y);
            if (!region || !topography->IsHexReachable(view, *request.city))
                continue;
            const int hops = region->GetGraphDistanceTo(*request.city);
            if (hops < 0)
                continue;
            const int distance = HexDistance(unit->m_X, unit->m_Y, request.city->X, request.city->Y);
            sCandidate& best = unit->IsCorps() ? corps : division;
            if (!best.unit || hops < best.hops || (hops == best.hops && distance < best.distance))
                best = {unit, hops, distance};
        }
        sCandidate& preferred = request.wantsCorps ? corps : division;
        sCandidate& substitute = request.wantsCorps ? division : corps;
        const int x = request.city->X, y = request.city->Y;
        if (!preferred.unit && !substitute.unit)
            continue;
        if (!preferred.unit || !substitute.unit)
        {
            const sCandidate& only = preferred.unit ? preferred : substitute;
            only.unit->FindOrderPath(1, x, y, only.hops);
        }
        else if (preferred.hops < substitute.hops ||
                 (preferred.hops == substitute.hops && preferred.distance <= substitute.distance))
            preferred.unit->FindOrderPath(1, x, y, preferred.hops);
        else
        {
            preferred.unit->FindOrderPath(1, x, y, preferred.hops);
            preferred.unit->ComputeMoveRange(true);
            if (!preferred.unit->IsHexInMoveRange(x, y) && !request.held)
                substitute.unit->FindOrderPath(2, x, y, substitute.hops);
        }
    }

    LogLine(L"bu bu 6");
    for (cJednostkaLadowa* unit : m_OwnLandUnits)
        if (unit->m_AiOrder == 7)
            ClearOrder(unit, 0);

    for (cJednostkaLadowa* unit : m_OwnLandUnits)
    {
        if (unit->m_AiOrder != 0)
            continue;
        cMiasto* region = HomeCityOfHex(unit->m_X, unit->m_Y);
        sWezelDiagramuMiast* node = NodeOfCity(region);
        std::vector<cMiasto*> neighbours;
        if (node)
            for (const sLukDiagramuMiast& link : node->Links)
                if (link.Value == 0)
                    neighbours.push_back(link.Target->City);
        if (region && IsCityOnFrontWithState(region, 0))
        {
            cMiasto* target = nullptr;
            neighbours.push_back(region);
            for (cMiasto* city : neighbours)
            {
                const sWezelDiagramuMiast* cityNode = NodeOfCity(city);
                if (!city->MayBeAttacked || !IsEnemy(city->GetControllerId()) || !cityNode ||
                    cityNode->OwnUnitCount > parameters.MaxUnitCountOnFront)
                    continue;
                if (!target || city->CommittedStrength < target->CommittedStrength)
                    target = city;
            }
            if (target)
            {
                unit->FindOrderPath(4, target->X, target->Y, 0);
                target->CommittedStrength += unit->GetEffectiveStrength();
            }
            else
                ClearOrder(unit, 8);
        }
        else if (region && (IsCityOnFrontWithState(region, 1) || IsCityOnFrontWithState(region, 2)))
        {
            cMiasto* target = nullptr;
            int best = 0;
            for (cMiasto* city : neighbours)
            {
                if (!IsFriend(city->GetControllerId()) || !IsCityOnAnyFront(city))
                    continue;
                const int distance = HexDistance(unit->m_X, unit->m_Y, city->X, city->Y);
                if (!target || distance <= best)
                {
                    target = city;
                    best = distance;
                }
            }
            if (IsFriend(region->GetControllerId()) &&
                (!target || HexDistance(unit->m_X, unit->m_Y, region->X, region->Y) < best))
                target = region;
            if (target)
                unit->FindOrderPath(5, target->X, target->Y, 0);
        }
        else if (region && !IsCityOnAnyFront(region))
        {
            if (cMiasto* front = FindNearestFrontCity(unit))
                unit->FindOrderPath(6, front->X, front->Y, region->GetGraphDistanceTo(*front));
            else
                ClearOrder(unit, 3);
        }
        else
            LogLine(L"ERROR: Jednostka %s nieprzyporządkowana do żadnego przypadku!", unit->m_Name);
    }
    LogLine(L"bu bu 7");
}

bool cAI::TryStrategicMoveTo(cJednostkaLadowa* unit, int x, int y, int minimum)
{
    if (x == -1 || y == -1 || unit->m_FreezeTime > 0)
        return false;
    // A target without a city is told and clears the unit's order there.
    const int hops = unit->GetHopsToCity(x, y);
    if (hops == -1 || hops < minimum)
        return false;
    cMiasto* city = CityAt(x, y);
    int landX = -1, landY = -1;
    if (!city || !unit->CanStrategicMoveTo(x, y, landX, landY))
        return false;
    PrzeniesStrategicznieJednostke(unit, city, landX, landY);
    return true;
}

bool cAI::TryFinalTarget(cJednostkaLadowa* unit)
{
    if (TryStrategicMoveTo(unit, unit->m_AiUltimateTargetX, unit->m_AiUltimateTargetY, 1))
        return true;
    return WithoutGlobalLock([&] { return unit->StepTowardOrderTarget(); });
}

void cAI::MoveToward(cJednostkaLadowa* unit, int x, int y)
{
    unit->ComputeMoveRange(true);
    WithoutGlobalLock([&] { return unit->ExecuteMoveOrder(x, y); });
}

void cAI::ExecuteOperationalMoves()
{
    if (!g_Gra || !g_Gra->m_Mapa || !m_Country)
        return;
    cMapa& map = *g_Gra->m_Mapa;
    const int me = CountryId();
    // The list is walked by value: a move never kills a unit, but it may reorder nothing
    // either, so the pointers stay valid for the whole walk.
    const std::vector<cJednostkaLadowa*> units = m_OwnLandUnits;
    auto notOnTarget = [](const cJednostkaLadowa* u) { return !OnHex(u, u->m_AiTargetX, u->m_AiTargetY); };

    for (cJednostkaLadowa* unit : units)
    {
        if (unit->m_AiOrder != 1 || !notOnTarget(unit))
            continue;
        const int tx = unit->m_AiTargetX, ty = unit->m_AiTargetY;
        unit->ComputeMoveRange(true);
        if (unit->IsHexInMoveRange(tx, ty))
        {
            auto* holder = dynamic_cast<cJednostkaLadowa*>(map.GetHex(tx, ty)->unit);
            if (holder && holder->m_Owner == me && WithoutGlobalLock([&] { return holder->PickOrderStep(); }))
                for (cJednostkaLadowa* other : units)
                    if (other->m_AiOrder == 2 && other->m_AiTargetX == tx && other->m_AiTargetY == ty)
                        ClearOrder(other, 0);
            MoveToward(unit, tx, ty);
        }
        else if (!TryFinalTarget(unit))
            MoveToward(unit, tx, ty);
    }
    for (cJednostkaLadowa* unit : units)
        if (unit->m_AiOrder == 2 && notOnTarget(unit) && !TryFinalTarget(unit))
            MoveToward(unit, unit->m_AiTargetX, unit->m_AiTargetY);

    for (cJednostkaLadowa* unit : units)
    {
        if (unit->m_AiOrder != 4 || !notOnTarget(unit))
            continue;
        if (IsFortified(unit))
        {
            unit->m_AiOrder = 9;
            continue;
        }
        if (unit->ComputeMoveRange(true) == 0 || unit->m_Path.empty())
            continue;
        const int tx = unit->m_AiTargetX, ty = unit->m_AiTargetY;
        const sPathStep* best = nullptr;
        int bestDistance = 0;
        for (const sPathStep& step : unit->m_Path)
        {
            const sHex& hex = *map.GetHex(step.x, step.y);
            if (IsFriend(hex.controller))
                continue;
            bool nextToForeign = false;
            for (int d = 0; d < 6 && !nextToForeign; ++d)
            {
                const sHex* n = map.GetNeighbour(step.x, step.y, d);
                nextToForeign = n && n->unit && n->unit->m_Owner != 0 && !IsFriend(n->unit->m_Owner);
            }
            if (!nextToForeign)
                continue;
            const int distance = HexDistance(step.x, step.y, tx, ty);
            if (!best || distance < bestDistance)
            {
                best = &step;
                bestDistance = distance;
            }
        }
        const int mx = best ? best->x : tx, my = best ? best->y : ty;
        WithoutGlobalLock([&] { return unit->ExecuteMoveOrder(mx, my); });
    }

    MoveUnitsToLineOfDefence();

    for (cJednostkaLadowa* unit : units)
    {
        if (unit->m_AiOrder != 6 || !notOnTarget(unit))
            continue;
        if (IsFortified(unit))
            unit->m_AiOrder = 9;
        else if (unit->m_AiUltimateTargetX == -1 || !TryFinalTarget(unit))
            MoveToward(unit, unit->m_AiTargetX, unit->m_AiTargetY);
    }

    const std::list<sAITarget>& targets = m_Country->AIParameters.CurrentTargets;
    for (cJednostkaLadowa* unit : units)
    {
        if (unit->m_AiOrder != 12)
            continue;
        if (IsFortified(unit))
            unit->m_AiOrder = 9;
        else if (unit->m_AiUltimateTargetX != -1)
        {
            if (!TryFinalTarget(unit))
                MoveToward(unit, unit->m_AiTargetX, unit->m_AiTargetY);
        }
        else if (!targets.empty())
        {
            const sAITarget* nearest = nullptr;
            for (const sAITarget& target : targets)
                if (!nearest || HexDistance(unit->m_X, unit->m_Y, target.a, target.b) <
                                    HexDistance(unit->m_X, unit->m_Y, nearest->a, nearest->b))
                    nearest = &target;
            const int before = unit->m_ActionPoints;
            MoveToward(unit, nearest->a, nearest->b);
            if (unit->m_ActionPoints == before && before != 0)
                unit->m_AiOrder = 13;
        }
    }
}

bool cAI::ShouldExecuteMovesAgain()
{
    bool again = false;
    const int radius = g_Gra->m_Consts.AIRepeatOperationalMoves;
    for (cJednostkaLadowa* unit : m_OwnLandUnits)
    {
        if ((unit->m_AiOrder != 0 && unit->m_AiOrder != 3) || unit->m_ActionPoints <= 0 ||
            unit->ComputeMoveRange(true) == 0)
            continue;
        if (cMiasto* city = FindNearestEnemyCity(unit->m_X, unit->m_Y, m_Country, radius))
        {
            unit->FindOrderPath(4, city->X, city->Y, 0);
            again = true;
        }
    }
    return again;
}

cMiasto* cAI::FindNearestEnemyCity(int x, int y, const cPanstwo* country, int maxDistance) const
{
    cMapa* map = g_Gra ? g_Gra->m_Mapa : nullptr;
    if (!map || !country || !map->IsInside(x, y))
        return nullptr;
    // The walk keeps each hex once, in the order in which it is first reached, which is
    // the order in which the scan below meets it.
    std::vector<uint8_t> seen(size_t(map->GetWidth()) * size_t(map->GetHeight()), 0);
    std::vector<std::pair<int, int>> walk{{x, y}};
    seen[size_t(y) * size_t(map->GetWidth()) + size_t(x)] = 1;
    for (size_t i = 0; i < walk.size(); ++i)
    {
        const auto [hx, hy] = walk[i];
        const int distance = HexDistance(x, y, hx, hy);
        if (distance >= maxDistance)
            continue;
        for (int d = 0; d < 6; ++d)
        {
            int nx = hx, ny = hy;
            GetNeighbourCoordsOut(hx, hy, d, nx, ny);
            if (!map->IsInside(nx, ny) || HexDistance(x, y, nx, ny) <= distance)
                continue;
            uint8_t& mark = seen[size_t(ny) * size_t(map->GetWidth()) + size_t(nx)];
            if (!mark)
            {
                mark = 1;
                walk.push_back({nx, ny});
            }
        }
    }
    cMiasto* resources = nullptr;
    const cRelationsMatrix* relations = WorldRelations();
    for (const auto& [hx, hy] : walk)
    {
        cMiasto* city = map->GetHex(hx, hy)->city;
        const int holder = city ? city->GetControllerId() : 0;
        if (!city || holder == 0 || !relations || !relations->IsAtWar(country->ID, holder))
            continue;
        if (city->Type != CITY_RESOURCES)
            return city;
        if (!resources)
            resources = city;
    }
    return resources;
}
