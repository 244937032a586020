// Forces placed before the fighting: free commanders to the strongest units, strategic
// moves that even out the nodes of a front, air units rebased away from danger or
// toward targets, and one rule of another scenario's making.
#include <algorithm>
#include <climits>

#include "ai/ai.h"
#include "core/lock.h"
#include "core/log.h"
#include "game/commanders.h"
#include "game/game.h"
#include "units/air_unit.h"
#include "units/land_unit.h"
#include "units/naval_unit.h"
#include "units/unit.h"
#include "world/city.h"
#include "world/city_graph.h"
#include "world/country.h"
#include "world/map.h"

void cAI::CollectFreeCommanders(std::vector<sDowodca*>& out) const
{
    out.clear();
    if (!g_Gra)
        return;
    for (sDowodca* commander : g_Gra->m_Commanders)
        if (commander && commander->CountryID == CountryId() && commander->State == 0)
            out.push_back(commander);
}

void cAI::AssignCommanders()
{
    std::vector<sDowodca*> free;
    CollectFreeCommanders(free);
    SortOwnLandUnits();
    std::stable_sort(free.begin(), free.end(), [](const sDowodca* a, const sDowodca* b) { return a->Skill > b->Skill; });
    // A commander leads a unit of his own kind, as the player's commanders window offers
    // them: generals the strongest land units first, and airmen and admirals, who count in air
    // fights and at sea, the air units and ships in the order of the unit lists, as the
    // player may give them.
    auto firstWithout = [](const auto& units) -> cUnit* {
        for (cUnit* unit : units)
            if (!unit->m_Commander)
                return unit;
        return nullptr;
    };
    for (sDowodca* commander : free)
    {
        cUnit* unit = commander->Type == CATEGORY_LAND  ? firstWithout(m_OwnLandUnits)
                      : commander->Type == CATEGORY_AIR ? firstWithout(m_OwnAirUnits)
                      : commander->Type == CATEGORY_NAVAL ? firstWithout(m_OwnNavalUnits)
                                                          : nullptr;
        if (!unit)
            continue;
        unit->m_Commander = commander;
        unit->m_CommandingCommanderId = -1;
        commander->State = 2;
        unit->RecalculateEfficiency();
        LogLine(L"%s has been assigned to command %s", commander->Name, unit->m_Name);
    }
}

void cAI::MoveStrategicallyToFronts()
{
    for (const sFront& front : m_Fronts)
    {
        sWezelDiagramuMiast* weakest = front.GetWeakestNode(CountryId());
        sWezelDiagramuMiast* strongest = front.GetStrongestNode();
        if (!weakest || !strongest || weakest == strongest)
            continue;
        // An empty weakest node is infinitely weaker; with both nodes empty nothing needs evening.
        auto unbalanced = [&] {
            if (weakest->OurLand <= 0.0f)
                return strongest->OurLand > 0.0f;
            return strongest->OurLand / weakest->OurLand > m_Country->AIParameters.MinRatioToPatchFront;
        };
        const std::vector<cJednostkaLadowa*> units = m_OwnLandUnits;
        for (auto unit = units.begin(); unit != units.end() && unbalanced() && ThreadMayRun(); ++unit)
        {
            int x = -1, y = -1;
            if (!(*unit)->CanStrategicMoveTo(weakest->City->X, weakest->City->Y, x, y))
                continue;
            PrzeniesStrategicznieJednostke(*unit, weakest->City, x, y);
            EvaluateNodeStrengths();
        }
    }
}

int cAI::MinDistanceToEnemyLandUnit(int x, int y) const
{
    return MinDistanceToUnits(x, y, std::vector<const cUnit*>(m_EnemyLandUnits.begin(), m_EnemyLandUnits.end()));
}

int cAI::CountEnemyLandUnitsInRange(int x, int y, int range) const
{
    return CountUnitsInRange(x, y, range, std::vector<const cUnit*>(m_EnemyLandUnits.begin(), m_EnemyLandUnits.end()));
}

sAirBaseCandidate cAI::PickRetreatBase(const std::list<sAirBaseCandidate>& candidates) const
{
    const int safe = g_Gra->m_Consts.LandActionPoints[2][4];
    const int far = int(1.3f * float(safe));
    sAirBaseCandidate best;
    for (const sAirBaseCandidate& c : candidates)
    {
        if (c.enemyDistance < far)
            continue;
        if (best.x == -1 || c.enemyDistance < best.enemyDistance ||
            (c.enemyDistance == best.enemyDistance && c.enemiesInRange > best.enemiesInRange))
            best = c;
    }
    return best;
}

sAirBaseCandidate cAI::PickForwardBase(const std::list<sAirBaseCandidate>& candidates) const
{
    const int safe = g_Gra->m_Consts.LandActionPoints[2][4];
    sAirBaseCandidate best;
    for (const sAirBaseCandidate& c : candidates)
        if (c.enemyDistance > safe && c.enemiesInRange >= 1 && (best.x == -1 || c.enemiesInRange > best.enemiesInRange))
            best = c;
    return best;
}

void cAI::RebaseAirUnits()
{
    const sGameConsts& k = g_Gra->m_Consts;
    const int safe = k.LandActionPoints[2][4];
    const std::vector<const cUnit*> enemies(m_EnemyLandUnits.begin(), m_EnemyLandUnits.end());
    std::list<sAirBaseCandidate> candidates;
    // A rebase never kills a unit, so the list's pointers hold for the walk.
    for (cJednostkaLotnicza* unit : std::vector<cJednostkaLotnicza*>(m_OwnAirUnits))
    {
        if (!ThreadMayRun())
            return;
        if (unit->m_ActionPoints != unit->m_StartingActionPoints || unit->m_ActionPoints == 0 ||
            unit->m_Supply < int(0.33f * float(k.MaxSupply)))
            continue;
        unit->AiPlanMissions(candidates, enemies);
        if (MinDistanceToEnemyLandUnit(unit->m_X, unit->m_Y) < safe)
        {
            const sAirBaseCandidate base = PickRetreatBase(candidates);
            if (base.x != -1)
                unit->AiRebase(base.x, base.y);
            continue;
        }
        const int here = CountEnemyLandUnitsInRange(unit->m_X, unit->m_Y, unit->GetRange());
        const sAirBaseCandidate base = PickForwardBase(candidates);
        if (base.x != -1 && base.x != unit->m_X && base.y != unit->m_Y && base.enemiesInRange > 3 * here)
            unit->AiRebase(base.x, base.y);
    }
}

void cAI::ScenarioSpecificStep()
{
    // Written for the European scenarios of that title, where country 53 kept its air
    // force west of column 16; any other scenario is left alone.
    const std::wstring& title = g_Gra->m_ScenarioName;
    if ((title != L"EUROPE 1939" && title != L"EUROPE 1940" && title != L"EUROPE 1941") || CountryId() != 53)
        return;
    cMapa& map = *g_Gra->m_Mapa;
    if (!map.IsInside(37, 78))
        return;
    for (cJednostkaLotnicza* unit : std::vector<cJednostkaLotnicza*>(m_OwnAirUnits))
        if (unit->m_X < 16 && !map.GetHex(37, 78)->unit)
            unit->AiRebase(37, 78);
}
