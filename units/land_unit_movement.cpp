// Land units on the map: the movement range, the price of a step, and the hexes a unit
// can fall back to or embark from.
#include "units/land_unit.h"

#include <algorithm>
#include <cstdint>
#include <vector>

#include "core/log.h"
#include "game/consts.h"
#include "game/game.h"
#include "units/unit_access.h"
#include "world/city.h"
#include "world/country.h"
#include "world/map.h"
#include "world/relations.h"

const sPathStep* cJednostka::FindPathStep(int x, int y) const
{
    for (const sPathStep& step : m_Path)
        if (step.x == x && step.y == y)
            return &step;
    return nullptr;
}

bool cJednostka::IsHexInMoveRange(int x, int y) const
{
    if (m_Category == CATEGORY_AIR)
        return false;  // air units take no land orders: their m_Path holds rebasing hexes
    const bool inRange = FindPathStep(x, y) != nullptr;
    LogLine(inRange ? L"Pole jest w zasiďż˝gu ruchu jednostki" : L"Pole jest poza zasiďż˝giem ruchu jednostki");
    return inRange;
}

namespace {

// The fill visits the neighbours up, down, upper right, lower right, lower left, upper left.
constexpr int kFillOrder[6] = {0, 3, 1, 2, 4, 5};

bool HoldsEnemyOf(const sHex& hex, int owner)
{
    return hex.unit && CountriesAtWar(owner, hex.unit->m_Owner);
}

// A hex held by a country that is neither at war with the owner nor on its side.
bool IsHeldByNeutral(const sHex& hex, int owner)
{
    return hex.controller != 0 && hex.controller != owner && !CountriesAtWar(owner, hex.controller) &&
           !IsCountryOrAlly(hex.controller, owner);
}

// The part of the search square (side 2 x AP + 3 around the unit) that lies on the map.
class cRangeGrid
{
public:
    static constexpr int64_t kUnreached = INT64_MAX;

    cRangeGrid(const cMapa& map, int ux, int uy, int actionPoints)
    {
        const int64_t half = int64_t(actionPoints) + 1;
        x0 = int(std::max<int64_t>(0, ux - half));
        y0 = int(std::max<int64_t>(0, uy - half));
        const int x1 = int(std::min<int64_t>(map.width - 1, ux + half));
        const int y1 = int(std::min<int64_t>(map.height - 1, uy + half));
        w = x1 - x0 + 1;
        h = y1 - y0 + 1;
        cost.assign(size_t(w) * size_t(h), kUnreached);
        back.assign(cost.size(), 0);
    }
    bool Contains(int x, int y) const { return x >= x0 && y >= y0 && x < x0 + w && y < y0 + h; }
    size_t Index(int x, int y) const { return size_t(y - y0) * size_t(w) + size_t(x - x0); }

    int x0 = 0, y0 = 0, w = 0, h = 0;
    std::vector<int64_t> cost;
    std::vector<int> back;
};

} // namespace

int cJednostkaLadowa::GetStepCost(const sHex& hex) const
{
    const sGameConsts* k = UnitConsts();
    if (!k)
        return 1;
    const int* row = k->MoveCost[CATEGORY_LAND];
    int cost = hex.terrain >= 1 && hex.terrain <= 7 ? row[hex.terrain - 1] : row[7];
    // A step for nothing (a zero or negative cost in the data) would let a unit cross the
    // whole map in one impulse.
    return std::max(cost, 1);
}

int cJednostkaLadowa::ComputeMoveRange(bool noMarks)
{
    m_Path.clear();
    cMapa* map = g_Gra ? g_Gra->m_Mapa : nullptr;
    const sGameConsts* k = UnitConsts();
    if (map && !noMarks)
        map->ClearMarks(MARK_MOVE_RANGE, false);
    if (m_Type == UNIT_MULBERRY || !map || !k || !map->IsInside(m_X, m_Y))
        return 0;

    const cPanstwo* owner = GetOwner();
    const int doctrine = owner ? owner->TechLevel[TECH_DOCTRINE] : 0;
    const int attackCost = k->AttackActionPoints[DoctrineIndex(doctrine)];
    auto mark = [&](sHex& hex, int left) {
        if (noMarks || (hex.unit && hex.unit->m_Spotted))
            return;
        hex.SetMark(left > attackCost ? MARK_MOVE_ATTACK_LEFT : left > 0 ? MARK_MOVE_SOME_LEFT : MARK_MOVE_NONE_LEFT, left);
    };
    // A unit that has not moved may always step onto a free land neighbour, however dear.
    auto addFreeSteps = [&](int cost) {
        for (int d = 0; d < 6; ++d) {
            sHex* n = map->GetNeighbour(m_X, m_Y, d);
            if (!n || n->unit || n->IsSea() || IsHeldByNeutral(*n, m_Owner) || FindPathStep(n->x, n->y))
                continue;
            m_Path.push_back({this, n->x, n->y, d, cost});
            if (!noMarks)
                n->SetMark(MARK_MOVE_NONE_LEFT, 0);
        }
    };

    if (m_ActionPoints < 1) {
        if (m_StartingActionPoints == 0 && !m_JustDeployed && !IsFrozen())
            addFreeSteps(0);
        return int(m_Path.size());
    }

    const int ownerId = m_Owner;
    auto closed = [&](const sHex& hex) {
        // Land units walk on land; a hex of a bystander is shut, and so is a seen enemy's.
        return hex.IsSea() || IsHeldByNeutral(hex, ownerId) ||
               (HoldsEnemyOf(hex, ownerId) && (noMarks || hex.unit->m_Spotted));
    };
    // Next to an enemy, seen or not: a step between two such hexes costs extra.
    auto nextToEnemy = [&](int x, int y) {
        for (int d = 0; d < 6; ++d)
            if (const sHex* n = map->GetNeighbour(x, y, d); n && HoldsEnemyOf(*n, ownerId))
                return true;
        return false;
    };
    auto seasonal = [&](const sHex& hex, int64_t cost) {
        float modifier = 0.0f, factor = 0.0f;
        if (hex.weather == WEATHER_WINTER) {
            modifier = owner ? owner->WinterMove : 0.0f;
            factor = k->WinterMoveFactor;
        } else if (hex.weather == WEATHER_MUD) {
            modifier = owner ? owner->MudMove : 0.0f;
            factor = k->MudMoveFactor;
        } else {
            return cost;
        }
        return int64_t((modifier / 100.0f * factor / 100.0f + 1.0f) * float(cost));
    };

    cRangeGrid grid(*map, m_X, m_Y, m_ActionPoints);
    // Per cell: 1 closed, 2 next to an enemy, computed when first needed.
    std::vector<uint8_t> state(grid.cost.size(), 0);
    std::vector<bool> known(grid.cost.size(), false);
    auto stateOf = [&](int x, int y) {
        const size_t i = grid.Index(x, y);
        if (!known[i]) {
            const sHex& hex = *map->GetHex(x, y);
            state[i] = uint8_t((closed(hex) ? 1 : 0) | (nextToEnemy(x, y) ? 2 : 0));
            known[i] = true;
        }
        return state[i];
    };

    // Depth first, neighbours in the fill's order: of two ways of the same cost the one found
    // first keeps the hex, and the walk (with the hexes it takes) follows it. A cell is entered
    // again only at a lower cost, so the chain of cells being walked never holds one twice.
    struct sFrame
    {
        int x, y;
        int64_t cost;
        bool nextToEnemy;
        int next;  // index into kFillOrder
    };
    std::vector<sFrame> chain;
    grid.cost[grid.Index(m_X, m_Y)] = 0;
    chain.push_back({m_X, m_Y, 0, (stateOf(m_X, m_Y) & 2) != 0, 0});
    while (!chain.empty()) {
        sFrame& at = chain.back();
        if (at.next == 6) {
            chain.pop_back();
            continue;
        }
        const sFrame from = at;
        const int d = kFillOrder[at.next++];
        const sHex* n = map->GetNeighbour(from.x, from.y, d);
        if (!n || !grid.Contains(n->x, n->y))
            continue;
        const uint8_t s = stateOf(n->x, n->y);
        if (s & 1)
            continue;
        int64_t step = GetStepCost(*n);
        if (from.nextToEnemy && (s & 2))
            step += k->MoveCostNextToEnemy[CATEGORY_LAND];
        step = std::max<int64_t>(seasonal(*n, step), 1); // nor may a season make it free
        const int64_t reached = from.cost + step;
        const size_t i = grid.Index(n->x, n->y);
        if (reached < grid.cost[i] && reached <= m_ActionPoints) {
            grid.cost[i] = reached;
            grid.back[i] = OppositeDirection(d);
            chain.push_back({n->x, n->y, reached, (s & 2) != 0, 0});
        }
    }

    for (int y = grid.y0; y < grid.y0 + grid.h; ++y)
        for (int x = grid.x0; x < grid.x0 + grid.w; ++x) {
            const size_t i = grid.Index(x, y);
            const int64_t cost = grid.cost[i];
            if (cost <= 0 || cost > m_ActionPoints)
                continue;
            m_Path.push_back({this, x, y, grid.back[i], int(cost)});
            mark(*map->GetHex(x, y), m_ActionPoints - int(cost));
        }
    if (m_ActionPoints == m_StartingActionPoints && !IsFrozen())
        addFreeSteps(m_ActionPoints);
    return int(m_Path.size());
}

bool cJednostkaLadowa::IsRetreatHex(int direction) const
{
    const sHex* n = g_Gra && g_Gra->m_Mapa ? g_Gra->m_Mapa->GetNeighbour(m_X, m_Y, direction) : nullptr;
    if (!n || n->unit || n->controller == 0)
        return false;
    return IsCountryOrAlly(n->controller, m_Owner) || CountriesAtWar(m_Owner, n->controller);
}

bool cJednostkaLadowa::HasRetreatHex() const
{
    for (int d = 0; d < 6; ++d)
        if (IsRetreatHex(d))
            return true;
    return false;
}

bool cJednostkaLadowa::FindPortHex(int& x, int& y) const
{
    x = -1;
    y = -1;
    cMapa* map = g_Gra ? g_Gra->m_Mapa : nullptr;
    if (!map || !map->IsInside(m_X, m_Y))
        return false;
    auto friendlyPort = [&](const sHex* hex) {
        return hex && hex->city && hex->city->IsPort() && hex->IsControlledByFriend(m_Owner);
    };
    const sHex* at = map->GetHex(m_X, m_Y);
    for (int d = -1; d < 6; ++d) {
        const sHex* hex = d < 0 ? at : map->GetNeighbour(m_X, m_Y, d);
        if (friendlyPort(hex)) {
            x = hex->x;
            y = hex->y;
            return true;
        }
    }
    return false;
}
