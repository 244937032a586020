// The computer's attacks: obvious moves into empty enemy cities, attack plans per enemy
// unit from the own units' reachable hexes, their ranking, and the execution of the best
// acceptable plan (air strikes, the moves around the target, the land combat).
#include <algorithm>
#include <deque>

#include "ai/ai.h"
#include "ai/ai_presentation.h"
#include "ai/attack_plans.h"
#include "core/lock.h"
#include "core/log.h"
#include "game/game.h"
#include "game/play_counts.h"
#include "game/play_state.h"
#include "units/air_unit.h"
#include "units/combat_result.h"
#include "units/combat_support.h"
#include "units/land_unit.h"
#include "units/naval_unit.h"
#include "units/unit_access.h"
#include "world/city.h"
#include "world/country.h"
#include "world/hex_geometry.h"
#include "world/fleet.h"
#include "world/map.h"
#include "world/relations.h"

namespace {

cMapa& Map()
{
    return *g_Gra->m_Mapa;
}

bool OnCityHex(const cUnit* unit)
{
    return unit && Map().IsInside(unit->m_X, unit->m_Y) && Map().GetHex(unit->m_X, unit->m_Y)->city;
}

// The direction from (x, y) to the adjacent (nx, ny), or -1.
int DirectionTo(int x, int y, int nx, int ny)
{
    return GetHexDirection(x, y, nx, ny) - 1;
}

cUnit* FindUnit(int category, int id)
{
    if (category == CATEGORY_LAND)
        return g_Gra->FindLandUnitById(id);
    return g_Gra->FindAirUnitById(id);
}

bool StepIsEmpty(const sPathStep& step)
{
    return step.unit == nullptr;
}


// A combat result a person reads, when the attack is shown; the combat's own presentation
// asks the delay setting and waits for the window.
void ShowCombatResult(bool shown, const sCombatResult& result)
{
    if (shown)
        PresentCombatResult(result, true);
}

} // namespace

int AirRangeOfCountry(int countryId)
{
    const cPanstwo* country = GetCountry(countryId);
    if (!g_Gra || !country)
        return 0;
    const sGameConsts& k = g_Gra->m_Consts;
    return RangeInHexes(k.AirRanges[0], k.RangeTechFactor[TableLevelIndex(country->TechLevel[TECH_AIRCRAFT])]);
}

bool FindFreeHexAwayFrom(cJednostka& unit, int x, int y, std::pair<int, int> taken[6], sPathStep& found, int slot)
{
    const sPathStep* best = nullptr;
    for (const sPathStep& step : unit.m_Path)
    {
        if (HexDistance(step.x, step.y, x, y) <= 1 || Map().GetHex(step.x, step.y)->unit)
            continue;
        if (std::any_of(taken, taken + 6, [&](const auto& t) { return t.first == step.x && t.second == step.y; }))
            continue;
        if (step.cost < 99999 && (!best || step.cost < best->cost))
            best = &step;
    }
    if (!best)
        return false;
    found = *best;
    taken[slot] = {best->x, best->y};
    return true;
}

// ---- sPlanAtaku ----

sPlanAtaku::sPlanAtaku()
{
    for (int d = 0; d < 6; ++d)
    {
        m_Withdrawals[d] = sPathStep{nullptr, -1, -1, 0, -1};
        m_Approaches[d] = sPathStep{nullptr, -1, -1, 0, -1};
    }
}

void sPlanAtaku::ResetEntries()
{
    m_Target = nullptr;
    m_Column = 0;
    for (int d = 0; d < 6; ++d)
    {
        m_Withdrawals[d] = sPathStep{nullptr, 0, 0, 0, 9999};
        m_Approaches[d] = sPathStep{nullptr, 0, 0, 0, 9999};
    }
    m_Attack = sLandAttack{};
}

void sPlanAtaku::SetTarget(cUnit* target)
{
    m_Target = target;
    m_TargetId = target->m_Id;
    m_TargetCategory = target->m_Category;
    m_Attack = sLandAttack{};
    m_Attack.defender = target;
    m_Attack.x = target->m_X;
    m_Attack.y = target->m_Y;
}

bool sPlanAtaku::TargetOnCity() const
{
    return OnCityHex(m_Target);
}

void sPlanAtaku::CollectSupportingAirUnits(const cAI& ai)
{
    m_SupportingAirUnits.clear();
    if (!m_Target || m_Target->m_Category != CATEGORY_LAND)
        return;
    const int range = AirRangeOfCountry(m_CountryId);
    for (cJednostkaLotnicza* unit : ai.m_OwnAirUnits)
        if (unit->m_Type == UNIT_TACTICAL_BOMBER && unit->m_ActionPoints >= 1 && unit->m_Strength >= 3 &&
            HexDistance(unit->m_X, unit->m_Y, m_Target->m_X, m_Target->m_Y) <= range)
            m_SupportingAirUnits.push_back(unit);
    std::stable_sort(m_SupportingAirUnits.begin(), m_SupportingAirUnits.end(), CompareStrengthAndLevel);
}

void sPlanAtaku::CollectInterceptors(const cAI& ai)
{
    m_Interceptors.clear();
    if (!m_Target || m_Target->m_Category != CATEGORY_LAND)
        return;
    const int range = AirRangeOfCountry(m_CountryId);
    const int minimum = g_Gra->m_Consts.AirFullStrength[0] / 2;
    for (cJednostkaLotnicza* unit : ai.m_EnemyAirUnits)
        if (unit->m_Type == UNIT_FIGHTER && unit->m_Strength > minimum &&
            HexDistance(unit->m_X, unit->m_Y, m_Target->m_X, m_Target->m_Y) <= range)
            m_Interceptors.push_back(unit);
    std::stable_sort(m_Interceptors.begin(), m_Interceptors.end(), CompareStrengthAndLevel);
}

void sPlanAtaku::CountGoodAirStrikes()
{
    m_GoodAirStrikes = 0;
    const cJednostkaLotnicza* first = m_Interceptors.empty() ? nullptr : m_Interceptors.front();
    const float threshold = g_Gra->m_Consts.AIFrontRatioThreshold;
    for (const cJednostkaLotnicza* unit : m_SupportingAirUnits)
    {
        if (first)
        {
            const float enemy = float(first->m_Strength + first->m_Level);
            if (enemy > 0.0f && float(unit->m_Strength + unit->m_Level) / enemy < threshold)
                continue;
        }
        m_GoodAirStrikes += unit->m_ActionPoints;
    }
}

bool sPlanAtaku::IsTooRisky(const cAI& ai) const
{
    const sAIParameters& parameters = ai.m_Country->AIParameters;
    const int limit = parameters.MaxCoveringUnitDistance;
    cMapa& map = Map();
    const int tx = m_Attack.x, ty = m_Attack.y;
    std::vector<uint8_t> seen(size_t(map.GetWidth()) * size_t(map.GetHeight()), 0);
    std::deque<std::pair<int, int>> queue{{tx, ty}};
    seen[size_t(ty) * size_t(map.GetWidth()) + size_t(tx)] = 1;
    while (!queue.empty())
    {
        const auto [x, y] = queue.front();
        queue.pop_front();
        const cUnit* unit = map.GetHex(x, y)->unit;
        if (unit && unit != m_Target && ai.IsFriend(unit->m_Owner))
            return false;
        for (int d = 0; d < 6; ++d)
        {
            const sHex* n = map.GetNeighbour(x, y, d);
            if (!n || HexDistance(tx, ty, n->x, n->y) > limit)
                continue;
            uint8_t& mark = seen[size_t(n->y) * size_t(map.GetWidth()) + size_t(n->x)];
            if (!mark)
            {
                mark = 1;
                queue.push_back({n->x, n->y});
            }
        }
    }
    int cheapest = 666;
    for (const sPathStep& step : m_Approaches)
        cheapest = std::min(cheapest, StepIsEmpty(step) ? 9999 : step.cost);
    return cheapest >= parameters.MaxSafeMoveCost;
}

bool sPlanAtaku::RanksBelow(const sPlanAtaku& other) const
{
    if (m_Column != other.m_Column)
        return m_Column < other.m_Column;
    const bool city = TargetOnCity(), otherCity = other.TargetOnCity();
    if (city != otherCity)
        return !city;
    return m_Cost > other.m_Cost;
}

void sPlanAtaku::Print(const cAI& ai) const
{
    LogLine(L"[AI %s] == Wydruk planu ataku ==", ai.m_Country->Name);
    LogLine(L"Cel: %s (%i,%i). KOSZT=%i, KOL=%i:1", m_Target->m_Name, m_Target->m_X, m_Target->m_Y, m_Cost, m_Column);
    LogLine(L"Ruchy:");
    for (int d = 0; d < 6; ++d)
    {
        const sPathStep& w = m_Withdrawals[d];
        if (!StepIsEmpty(w))
            LogLine(L"Odejscie %s -> (%i,%i), kier %i, koszt %i", w.unit->m_Name, w.x, w.y, d, w.cost);
        const sPathStep& a = m_Approaches[d];
        if (!StepIsEmpty(a))
            LogLine(L"Podejscie %s -> (%i,%i), kier %i, koszt %i", a.unit->m_Name, a.x, a.y, d, a.cost);
    }
    LogLine(L"Własne jednostki zdolne do wspomagającego air-strike'u:");
    for (const cJednostkaLotnicza* unit : m_SupportingAirUnits)
        LogLine(L"%s: sila=%i, level=%i, PA=%i", unit->m_Name, unit->m_Strength, unit->m_Level, unit->m_ActionPoints);
    LogLine(L"Wrogie jednostki zdolne do intercepcji air-strike'u:");
    for (const cJednostkaLotnicza* unit : m_Interceptors)
        LogLine(L"%s: sila=%i, level=%i, PA=%i", unit->m_Name, unit->m_Strength, unit->m_Level, unit->m_ActionPoints);
    LogLine(L"Ilosc dobrych nalotow = %i", m_GoodAirStrikes);
    LogLine(L"[AI] == Koniec wydruku planu ataku ==");
}

void sPlanAtaku::PrintShort() const
{
    LogLine(L"Cel=%s Kolumna=%i:1 Miasto=%s Koszt=%i", m_Target->m_Name, m_Column, TargetOnCity() ? L"TAK" : L"NIE",
            m_Cost);
}

bool CompareStrengthAndLevel(const cJednostkaLotnicza* a, const cJednostkaLotnicza* b)
{
    return a->m_Strength + a->m_Level > b->m_Strength + b->m_Level;
}

// ---- the opponent's passes ----

void cAI::ComputeRangeCached(cJednostka& unit)
{
    auto cached = m_RangeCache.find(unit.m_Id);
    if (cached != m_RangeCache.end() && cached->second.x == unit.m_X && cached->second.y == unit.m_Y &&
        cached->second.actionPoints == unit.m_ActionPoints)
    {
        bool valid = true;
        for (size_t i = cached->second.changesSeen; i < m_MapChanges.size() && valid; ++i)
        {
            const sMapChange& change = m_MapChanges[i];
            valid = HexDistance(change.x, change.y, unit.m_X, unit.m_Y) > change.radius + unit.m_ActionPoints + 2;
        }
        if (valid)
        {
            cached->second.changesSeen = m_MapChanges.size();
            return;
        }
    }
    unit.ComputeMoveRange(true);
    m_RangeCache[unit.m_Id] = sRangeStamp{unit.m_X, unit.m_Y, unit.m_ActionPoints, m_MapChanges.size()};
}

void cAI::NoteMapChange(int x, int y, int radius)
{
    m_MapChanges.push_back({x, y, radius});
}

void cAI::ForgetCachedRanges()
{
    m_RangeCache.clear();
    m_MapChanges.clear();
}

bool cAI::MoveUnitTo(cJednostka* unit, int x, int y)
{
    auto* land = dynamic_cast<cJednostkaLadowa*>(unit);
    if (!land || (land->m_X == x && land->m_Y == y))
        return false;
    const int fromX = land->m_X, fromY = land->m_Y;
    NoteMapChange(fromX, fromY, land->m_ActionPoints + 1);
    land->ComputeMoveRange(true);
    WithoutGlobalLock([&] { return land->ExecuteMoveOrder(x, y); });
    return land->m_X != fromX || land->m_Y != fromY;
}

void cAI::ComputeMoveOptions(bool skipAttacked)
{
    m_MoveOptions.clear();
    for (cJednostkaLadowa* unit : m_OwnLandUnits)
    {
        if (OnCityHex(unit) || (skipAttacked && unit->m_Attacked))
            continue;
        ComputeRangeCached(*unit);
        m_MoveOptions.insert(m_MoveOptions.end(), unit->m_Path.begin(), unit->m_Path.end());
        if (unit->m_ActionPoints > 0)
            m_MoveOptions.push_back(sPathStep{unit, unit->m_X, unit->m_Y, 0, 0});
    }
}

void cAI::ClearEnemyAttackerLists()
{
    m_PossibleAttackers.clear();
}

void cAI::CollectPossibleAttackers()
{
    cMapa& map = Map();
    for (const sPathStep& option : m_MoveOptions)
    {
        const auto* unit = static_cast<const cJednostka*>(option.unit);
        if (option.cost >= unit->m_ActionPoints)
            continue;
        for (int d = 0; d < 6; ++d)
        {
            const sHex* n = map.GetNeighbour(option.x, option.y, d);
            if (n && n->unit && n->unit != unit && IsEnemy(n->unit->m_Owner))
                m_PossibleAttackers[n->unit].push_back(option);
        }
    }
}

bool cAI::FindObviousMoves(const std::vector<sPathStep>& options)
{
    LogLine(L"[AI-RO] SZUKANIE RUCHÓW OCZYWISTYCH");
    cMapa& map = Map();
    const sPathStep* best = nullptr;
    for (const sPathStep& option : options)
    {
        const sHex& hex = *map.GetHex(option.x, option.y);
        if (!hex.city || hex.city->Type >= CITY_RESOURCES || !IsEnemy(hex.controller) || hex.unit ||
            OnCityHex(option.unit))
            continue;
        if (!best || option.cost < best->cost)
            best = &option;
    }
    if (!best)
        return false;
    auto* unit = static_cast<cJednostkaLadowa*>(best->unit);
    const int x = best->x, y = best->y;
    if (IsShownToPerson(unit))
    {
        CenterCameraOn(x, y);
        PauseForPerson(DELAY_AI_MOVE_BEFORE);
    }
    // A move that could not be made is no move: the search would find it again without end.
    if (!MoveUnitTo(unit, x, y))
        return false;
    unit->m_AiOrder = 7;
    unit->m_AiTargetX = x;
    unit->m_AiTargetY = y;
    unit->m_AiUltimateTargetX = unit->m_AiUltimateTargetY = -1;
    return true;
}

void cAI::FindWithdrawalsAround(int x, int y, sPathStep steps[6], int states[6])
{
    std::pair<int, int> taken[6];
    for (int d = 0; d < 6; ++d)
    {
        taken[d] = {-1, -1};
        steps[d] = sPathStep{nullptr, 0, 0, 0, 9999};
        states[d] = 0;
    }
    cMapa& map = Map();
    for (int d = 0; d < 6; ++d)
    {
        sHex* n = map.GetNeighbour(x, y, d);
        if (!n)
            continue;
        if (!n->unit)
        {
            states[d] = 2;
            continue;
        }
        auto* own = dynamic_cast<cJednostkaLadowa*>(n->unit);
        if (own && own->m_Owner == CountryId())
        {
            ComputeRangeCached(*own);
            if (FindFreeHexAwayFrom(*own, x, y, taken, steps[d], d))
                states[d] = 1;
        }
    }
}

const sPathStep* cAI::ChooseStrongestAttacker(const cUnit* target, const std::vector<sPathStep>& attackers) const
{
    const sHex& hex = *Map().GetHex(target->m_X, target->m_Y);
    const float riverFactor = g_Gra->m_Consts.LandAttackFactors[11];
    const sPathStep* best = nullptr;
    float bestStrength = 0.0f;
    for (const sPathStep& step : attackers)
    {
        const int side = DirectionTo(target->m_X, target->m_Y, step.x, step.y);
        float strength = static_cast<const cJednostka*>(step.unit)->GetEffectiveStrength();
        if (side >= 0 && hex.HasRiver(side))
            strength *= riverFactor;
        if (strength > bestStrength || (best && strength == bestStrength && step.cost < best->cost))
        {
            best = &step;
            bestStrength = strength;
        }
    }
    return bestStrength > 0.0f ? best : nullptr;
}

void cAI::StartPlan(sPlanAtaku& plan, cUnit* target, std::vector<sPathStep>& attackers)
{
    sPathStep withdrawals[6];
    int states[6];
    FindWithdrawalsAround(target->m_X, target->m_Y, withdrawals, states);
    plan.ResetEntries();
    plan.SetTarget(target);
    // The air support's range is the attacking country's, so every plan names it.
    plan.m_CountryId = CountryId();
    plan.m_Cost = 0;
    plan.m_HasAttacker = false;
    for (int d = 0; d < 6; ++d)
    {
        int nx = -1, ny = -1;
        GetNeighbourCoordsOut(target->m_X, target->m_Y, d, nx, ny);
        if (states[d] == 0)
            std::erase_if(attackers, [&](const sPathStep& s) { return s.x == nx && s.y == ny; });
        else if (states[d] == 1)
            plan.m_Withdrawals[d] = withdrawals[d];
    }
}

void cAI::AddAttacker(sPlanAtaku& plan, const sPathStep& step)
{
    const int side = DirectionTo(plan.m_Attack.x, plan.m_Attack.y, step.x, step.y);
    if (side < 0)
        return;
    plan.m_Attack.SetAttacker(side, step.unit);
    plan.m_Cost += step.cost;
    plan.m_HasAttacker = true;
    if (StepIsEmpty(plan.m_Approaches[side]))
        plan.m_Approaches[side] = step;
}

void cAI::FinishPlan(sPlanAtaku& plan, bool landTarget)
{
    if (landTarget)
    {
        plan.Print(*this);
        plan.CollectSupportingAirUnits(*this);
        plan.CollectInterceptors(*this);
        plan.CountGoodAirStrikes();
    }
    else
        plan.Print(*this);
    m_AttackPlans.push_back(plan);
}

void cAI::BuildOneSidePlans()
{
    for (cJednostkaLadowa* target : m_EnemyLandUnits)
    {
        std::vector<sPathStep> attackers = m_PossibleAttackers[target];
        sPlanAtaku plan;
        StartPlan(plan, target, attackers);
        if (const sPathStep* chosen = ChooseStrongestAttacker(target, attackers))
            AddAttacker(plan, *chosen);
        plan.m_Column = plan.m_Attack.GetOddsColumn();
        if (plan.m_HasAttacker)
            FinishPlan(plan, true);
    }
}

void cAI::BuildMultipleDirectionPlans()
{
    std::vector<cUnit*> targets;
    for (cJednostkaLadowa* unit : m_EnemyLandUnits)
        if (!unit->m_WasAttacked)
            targets.push_back(unit);
    for (cJednostkaLotnicza* unit : m_EnemyAirUnits)
        if (!unit->m_WasAttacked)
            targets.push_back(unit);
    for (cUnit* target : targets)
    {
        PlanAttackWithAdjacentUnits(target);
        std::vector<sPathStep> attackers = m_PossibleAttackers[target];
        sPlanAtaku plan;
        StartPlan(plan, target, attackers);
        for (;;)
        {
            const sPathStep* chosen = ChooseStrongestAttacker(target, attackers);
            if (!chosen)
                break;
            const sPathStep step = *chosen;
            AddAttacker(plan, step);
            plan.m_Column = plan.m_Attack.GetOddsColumn();
            std::erase_if(attackers, [&](const sPathStep& s) {
                return s.unit == step.unit || (s.x == step.x && s.y == step.y);
            });
            if (attackers.empty() || plan.m_Column >= kMaxOddsColumn)
                break;
        }
        if (plan.m_HasAttacker)
            FinishPlan(plan, target->m_Category == CATEGORY_LAND);
    }
}

void cAI::PlanAttackWithAdjacentUnits(cUnit* target)
{
    sPlanAtaku plan;
    plan.ResetEntries();
    plan.SetTarget(target);
    plan.m_CountryId = CountryId();
    plan.m_Cost = 0;
    cMapa& map = Map();
    for (int d = 0; d < 6 && plan.m_Column < kMaxOddsColumn; ++d)
    {
        sHex* n = map.GetNeighbour(target->m_X, target->m_Y, d);
        auto* unit = n ? dynamic_cast<cJednostkaLadowa*>(n->unit) : nullptr;
        // A Mulberry harbour stands on the map as a land unit but never fights.
        if (!unit || unit->m_Owner != CountryId() || unit->m_Attacked || unit->m_ActionPoints < 1 ||
            !IsLandType(unit->m_Type))
            continue;
        plan.m_Approaches[d] = sPathStep{unit, n->x, n->y, d, 0};
        plan.m_Attack.SetAttacker(d, unit);
        plan.m_HasAttacker = true;
        plan.m_Column = plan.m_Attack.GetOddsColumn();
    }
    if (!plan.m_HasAttacker)
        return;
    plan.CollectSupportingAirUnits(*this);
    plan.CollectInterceptors(*this);
    plan.CountGoodAirStrikes();
    plan.Print(*this);
    m_AttackPlans.push_back(plan);
}

bool cAI::ExecuteAttack(sPlanAtaku& plan)
{
    cMapa& map = Map();
    const int tx = plan.m_Attack.x, ty = plan.m_Attack.y;
    auto clearMark = [&] { map.GetHex(tx, ty)->ClearMark(MARK_ATTACK_TARGET, true); };
    auto targetAlive = [&] { return FindUnit(plan.m_TargetCategory, plan.m_TargetId) == plan.m_Target; };

    for (int d = 0; d < 6; ++d)
    {
        const cUnit* approaching = plan.m_Approaches[d].unit;
        if (!approaching)
            continue;
        bool withdraws = false;
        for (const sPathStep& w : plan.m_Withdrawals)
            withdraws = withdraws || w.unit == approaching;
        const cUnit* holder = map.GetHex(plan.m_Approaches[d].x, plan.m_Approaches[d].y)->unit;
        bool holderApproaches = false;
        for (const sPathStep& a : plan.m_Approaches)
            holderApproaches = holderApproaches || (holder && a.unit == holder);
        if (withdraws && holder && holder != approaching && holderApproaches)
        {
            clearMark();
            return false;
        }
    }

    const bool shown = IsShownToPerson(plan.m_Target);
    if (shown)
    {
        CenterCameraOn(tx, ty);
        PauseForPerson(DELAY_AI_COMBAT_BEFORE);
        GLOBAL_LOCK_SCOPE();
        map.GetHex(tx, ty)->SetMark(MARK_ATTACK_TARGET, -1);
    }
    if (shown)
        PauseForPerson(DELAY_AI_COMBAT_BEFORE);

    // A fleet off the coast shells the defender first.
    const sHex& targetHex = *map.GetHex(tx, ty);
    if (plan.m_Column < kMaxOddsColumn && plan.m_Target->m_Category == CATEGORY_LAND && targetHex.IsLand() &&
        targetHex.seaZone != 0)
        if (cFlota* fleet = g_Gra->PickShoreBombardmentFleet(CountryId(), targetHex.seaZone))
        {
            sCombatResult shelling;
            bool fired = false;
            {
                GLOBAL_LOCK_SCOPE();
                fired = fleet->BombardHex(tx, ty, &shelling, false);
            }
            if (fired)
            {
                ++g_PlayCounts.shoreBombardments;
                PauseForPerson(DELAY_AI_COMBAT_AFTER);
                // The shelling is told to the person it concerns, whether he saw the target or
                // not, and to one whose side saw it; not to a person far away.
                if (shown || PersonFought(shelling))
                    PresentCombatResult(shelling, true);
                NoteMapChange(tx, ty, 1);
                // A defender the shells killed is struck no more: the strikes would name a dead unit.
                if (shelling.defenderKilled || !targetAlive())
                {
                    clearMark();
                    return true;
                }
            }
        }

    sCombatResult first, second;
    while (plan.m_Target->m_Category == CATEGORY_LAND && plan.m_Column < kMaxOddsColumn &&
           !plan.m_SupportingAirUnits.empty() && plan.m_GoodAirStrikes > 0)
    {
        // The strike supports the attack of the approach units, side by side.
        plan.m_Attack = sLandAttack{};
        plan.m_Attack.defender = plan.m_Target;
        plan.m_Attack.x = tx;
        plan.m_Attack.y = ty;
        for (int d = 0; d < 6; ++d)
            if (plan.m_Approaches[d].unit)
                plan.m_Attack.SetAttacker(d, plan.m_Approaches[d].unit);
        cJednostkaLotnicza* bomber = plan.m_SupportingAirUnits.front();
        first.Reset();
        second.Reset();
        {
            GLOBAL_LOCK_SCOPE();
            bomber->AddActionPoints(-1);
            bool intercepted = false;
            if (!plan.m_Interceptors.empty())
            {
                intercepted = bomber->TryIntercept(plan.m_Interceptors.front(), &second);
                LogLine(intercepted ? L"Przechwycenie udane, nici z ataku!" : L"Przechwycenie nieudane, bombardujemy!");
                if (intercepted)
                    first.defenderKilled = false;
            }
            if (!intercepted)
                plan.m_Target->ReceiveAirAttack(&first, bomber);
            g_PlayCounts.airMissions++;
            if (intercepted)
                ShowCombatResult(shown, second);
            else
                ShowCombatResult(shown, first);
        }
        NoteMapChange(tx, ty, 2);
        if (first.defenderKilled || !targetAlive())
        {
            LogLine(L"Obronca nie przezyl bombardowania... koniec ataku");
            clearMark();
            return true;
        }
        BuildUnitLists();
        plan.m_Column = plan.m_Attack.GetOddsColumn();
        plan.CollectSupportingAirUnits(*this);
        plan.CollectInterceptors(*this);
        plan.CountGoodAirStrikes();
    }
    plan.Print(*this);

    // The moves around the target: the approach units of free sides first, then each
    // withdrawal before its side's approach. A pass repeats only while some unit's hex
    // changed, so a move that cannot be made ends it.
    auto isApproachUnit = [&](const cUnit* unit) {
        return std::any_of(std::begin(plan.m_Approaches), std::end(plan.m_Approaches),
                           [&](const sPathStep& a) { return unit && a.unit == unit; });
    };
    for (bool moved = true; moved;)
    {
        moved = false;
        for (int d = 0; d < 6; ++d)
        {
            sPathStep& a = plan.m_Approaches[d];
            if (!a.unit)
                continue;
            if (StepIsEmpty(plan.m_Withdrawals[d]) && (a.unit->m_X != a.x || a.unit->m_Y != a.y))
                moved = MoveUnitTo(static_cast<cJednostka*>(a.unit), a.x, a.y) || moved;
            for (sPathStep& w : plan.m_Withdrawals)
                if (w.unit == a.unit)
                    w = sPathStep{nullptr, 0, 0, 0, 9999};
        }
    }
    for (int d = 0; d < 6; ++d)
    {
        sPathStep& a = plan.m_Approaches[d];
        sPathStep& w = plan.m_Withdrawals[d];
        if (!a.unit || !w.unit || w.unit == a.unit || isApproachUnit(w.unit))
            continue;
        MoveUnitTo(static_cast<cJednostka*>(w.unit), w.x, w.y);
        MoveUnitTo(static_cast<cJednostka*>(a.unit), a.x, a.y);
    }
    for (int d = 0; d < 6; ++d)
    {
        sPathStep& a = plan.m_Approaches[d];
        if (a.unit && plan.m_Withdrawals[d].unit && (a.unit->m_X != a.x || a.unit->m_Y != a.y))
            MoveUnitTo(static_cast<cJednostka*>(a.unit), a.x, a.y);
    }

    // The land attack of the approach units; one that did not reach its side cannot strike
    // from afar, and with none there is no combat.
    sLandAttack attack;
    attack.defender = plan.m_Target;
    attack.x = tx;
    attack.y = ty;
    for (int d = 0; d < 6; ++d)
    {
        const sPathStep& a = plan.m_Approaches[d];
        int nx = -1, ny = -1;
        GetNeighbourCoordsOut(tx, ty, d, nx, ny);
        if (a.unit && a.unit->m_X == nx && a.unit->m_Y == ny)
        {
            attack.SetAttacker(d, a.unit);
            if (shown)
                a.unit->m_Spotted = true;
        }
    }
    if (attack.CountAttackers() == 0)
    {
        clearMark();
        return true;
    }
    // Only a watched attack goes onto the attack panel for its second: an unseen one would
    // show a person units the fog hides. Nothing but the computer's own thread changes the
    // panel's attack meanwhile, so the combat follows without asking the panel whether it
    // still holds the attack.
    if (shown)
    {
        sAssaultPlan shownPlan;
        shownPlan.defenderCategory = plan.m_TargetCategory;
        shownPlan.defenderId = plan.m_TargetId;
        shownPlan.x = tx;
        shownPlan.y = ty;
        for (int d = 0; d < 6; ++d)
            shownPlan.attackerIds[d] = attack.attackers[d] ? attack.attackers[d]->m_Id : 0;
        {
            GLOBAL_LOCK_SCOPE();
            g_Gra->m_PlayState->SetAssaultPlan(shownPlan);
        }
        PauseMsForPerson(1000);
    }
    sCombatResult result;
    NoteMapChange(tx, ty, 2);
    {
        GLOBAL_LOCK_SCOPE();
        attack.Resolve(&result);
        if (shown)
            g_Gra->m_PlayState->CancelAssaultPlan();
    }
    ShowCombatResult(shown, result);
    clearMark();
    return true;
}

void cAI::RunAttackPhase(bool multipleDirections)
{
    LogLine(multipleDirections ? L"[AI] ATAKI WIELOKIERUNKOWE" : L"[AI] ATAKI JEDNOKIERUNKOWE");
    const sAIParameters& parameters = m_Country->AIParameters;
    // Every executed attack spends action points or kills a unit; the bound only guards
    // against rules that would let a pass repeat the same attack for ever.
    size_t passesLeft = 4 * (m_OwnLandUnits.size() + m_EnemyLandUnits.size() + m_EnemyAirUnits.size()) + 8;
    while (passesLeft-- > 0 && ThreadMayRun())
    {
        ComputeMoveOptions(false);
        while (ThreadMayRun() && FindObviousMoves(m_MoveOptions))
            ComputeMoveOptions(false);
        ComputeMoveOptions(multipleDirections);
        ClearEnemyAttackerLists();
        CollectPossibleAttackers();
        m_AttackPlans.clear();
        multipleDirections ? BuildMultipleDirectionPlans() : BuildOneSidePlans();
        if (m_AttackPlans.empty())
            return;
        std::stable_sort(m_AttackPlans.begin(), m_AttackPlans.end(),
                         [](const sPlanAtaku& a, const sPlanAtaku& b) { return a.RanksBelow(b); });
        LogLine(multipleDirections ? L"================= LISTA ATAKÓW WIELOKIER SORT !!!!============="
                                   : L"================= LISTA ATAKÓW JEDN. SORT !!!!=============");
        for (const sPlanAtaku& plan : m_AttackPlans)
            plan.PrintShort();
        bool executed = false;
        for (auto plan = m_AttackPlans.rbegin(); plan != m_AttackPlans.rend() && !executed; ++plan)
        {
            const bool acceptable =
                multipleDirections
                    ? plan->m_Column >= parameters.MultipleSideAttackPreferences[0] ||
                          (plan->m_Column >= parameters.MultipleSideAttackPreferences[1] &&
                           plan->m_GoodAirStrikes >= parameters.MultipleSideAttackPreferences[2])
                    : plan->m_Column >= parameters.OneSideAttackPreferences[0];
            if (!acceptable || plan->IsTooRisky(*this))
                continue;
            if (ExecuteAttack(*plan))
            {
                executed = true;
                BuildUnitLists();
            }
        }
        if (!executed)
        {
            if (multipleDirections)
                LogLine(L"Nie było mozliwosci zrobienia ataku wielokier. na 5:1 lub lepiej, kończe wiec");
            return;
        }
    }
}

void cAI::AttackMultipleDirections()
{
    ForgetCachedRanges();
    RunAttackPhase(true);
    // The plans name units that the attacks may have killed.
    m_AttackPlans.clear();
    m_PossibleAttackers.clear();
}

void cAI::AttackOneSide()
{
    ForgetCachedRanges();
    RunAttackPhase(false);
    m_AttackPlans.clear();
    m_PossibleAttackers.clear();
}

cFlota* cGra::PickShoreBombardmentFleet(int countryId, int seaNodeId)
{
    auto canFire = [&](const cJednostkaMorska* ship) {
        return ship->m_Owner == countryId && (ship->m_Type == UNIT_BATTLESHIP || ship->m_Type == UNIT_CRUISER) &&
               !ship->m_ShoreBombardmentDone;
    };
    cFlota* best = nullptr;
    long bestCount = 0;
    for (cFlota* fleet : m_Fleets)
    {
        if (fleet->seaNode != seaNodeId)
            continue;
        const long count = std::count_if(fleet->ships.begin(), fleet->ships.end(), canFire);
        if (count > 0 && (!best || count > bestCount || (count == bestCount && fleet->ID < best->ID)))
        {
            best = fleet;
            bestCount = count;
        }
    }
    if (!best)
        return nullptr;
    for (cJednostkaMorska* ship : m_NavalUnits)
        ship->m_Selected = false;
    for (cJednostkaMorska* ship : best->ships)
        ship->m_Selected = canFire(ship);
    return best;
}
