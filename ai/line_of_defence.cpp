// The line of defence: a chain of hexes between the country's front nodes that face the
// enemy, chosen for rivers, rough ground and own cities, then thinned of spurs and kinks.
#include <algorithm>

#include "ai/ai.h"
#include "ai/ai_presentation.h"
#include "core/lock.h"
#include "core/log.h"
#include "game/game.h"
#include "units/land_unit.h"
#include "world/city.h"
#include "world/country.h"
#include "world/map.h"
#include "world/relations.h"
#include "world/world.h"

namespace {

constexpr int kLatticeSpacing = 4;

// A lattice node that faces an enemy node: the directions in which it does.
struct sLineNode
{
    int x = 0;
    int y = 0;
    bool enemySide[6] = {};
};

cMapa* Map()
{
    return g_Gra ? g_Gra->m_Mapa : nullptr;
}

} // namespace

int CountMarkedNeighbours(int x, int y, std::pair<int, int>& last)
{
    cMapa* map = Map();
    if (!map)
        return 0;
    int count = 0;
    for (int d = 0; d < 6; ++d)
    {
        int nx = x, ny = y;
        GetNeighbourCoordsOut(x, y, d, nx, ny);
        if (map->IsInside(nx, ny) && map->GetAiMark(nx, ny) == 3)
        {
            ++count;
            last = {nx, ny};
        }
    }
    return count;
}

bool IsLineSpur(int x, int y)
{
    std::pair<int, int> only;
    if (CountMarkedNeighbours(x, y, only) != 1)
        return false;
    std::pair<int, int> ignored;
    return CountMarkedNeighbours(only.first, only.second, ignored) > 2;
}

bool IsLineKink(int x, int y)
{
    cMapa* map = Map();
    if (!map)
        return false;
    int directions[6];
    int count = 0;
    for (int d = 0; d < 6; ++d)
    {
        int nx = x, ny = y;
        GetNeighbourCoordsOut(x, y, d, nx, ny);
        if (map->IsInside(nx, ny) && map->GetAiMark(nx, ny) == 3)
            directions[count++] = d;
    }
    return count == 2 && directions[1] == directions[0] + 1;
}

bool cAI::NeedsLineOfDefence() const
{
    for (const sFront& front : m_Fronts)
        if (front.m_State == 1 || front.m_State == 2)
            return true;
    return false;
}

void cAI::CalculateLineOfDefence()
{
    cMapa* map = Map();
    if (!map || !m_Country)
        return;
    map->ClearAiMarks();
    const std::list<std::pair<int, int>>& lattice = map->SetFrontNodeDistance(kLatticeSpacing);
    for (const auto& [x, y] : lattice)
        map->SetAiMark(x, y, 1);

    std::vector<sLineNode> nodes;
    std::vector<int> nodeAt(size_t(map->GetWidth()) * size_t(map->GetHeight()), -1);
    const cRelationsMatrix* relations = WorldRelations();
    for (const auto& [x, y] : lattice)
    {
        const int holder = map->GetHex(x, y)->controller;
        if (!IsFriend(holder))
            continue;
        for (int d = 0; d < 6; ++d)
        {
            int mx = -1, my = -1;
            if (!map->FindFrontNode(mx, my, x, y, d) || !map->IsInside(mx, my) || map->GetAiMark(mx, my) == 0)
                continue;
            const int other = map->GetHex(mx, my)->controller;
            if (other == 0 || !relations || !relations->IsAtWar(holder, other) ||
                !map->AreHexesInSameRegion(x, y, mx, my))
                continue;
            int& index = nodeAt[size_t(y) * size_t(map->GetWidth()) + size_t(x)];
            if (index < 0)
            {
                map->SetAiMark(x, y, 2);
                index = int(nodes.size());
                nodes.push_back(sLineNode{x, y, {}});
            }
            nodes[size_t(index)].enemySide[d] = true;
        }
    }

    m_LineOfDefence.clear();
    for (const sLineNode& node : nodes)
        for (int d = 0; d < 3; ++d)
        {
            int mx = -1, my = -1;
            if (!map->FindFrontNode(mx, my, node.x, node.y, d) || !map->IsInside(mx, my) ||
                map->GetAiMark(mx, my) != 2)
                continue;
            const int other = nodeAt[size_t(my) * size_t(map->GetWidth()) + size_t(mx)];
            if (other < 0)
                continue;
            bool flags[6];
            for (int k = 0; k < 6; ++k)
                flags[k] = node.enemySide[k] || nodes[size_t(other)].enemySide[k];
            for (const auto& hex : FindBestLinePath(node.x, node.y, mx, my, flags))
                m_LineOfDefence.push_back(hex);
        }

    for (const auto& [x, y] : m_LineOfDefence)
        map->SetAiMark(x, y, 3);
    // Each thinning looks at the marks as they stand before it removes anything.
    auto removeWhere = [this](bool (*predicate)(int, int)) {
        std::vector<bool> remove(m_LineOfDefence.size());
        for (size_t i = 0; i < m_LineOfDefence.size(); ++i)
            remove[i] = predicate(m_LineOfDefence[i].first, m_LineOfDefence[i].second);
        size_t kept = 0;
        for (size_t i = 0; i < m_LineOfDefence.size(); ++i)
            if (!remove[i])
                m_LineOfDefence[kept++] = m_LineOfDefence[i];
        m_LineOfDefence.resize(kept);
    };
    removeWhere(IsLineSpur);
    for (;;)
    {
        const size_t before = m_LineOfDefence.size();
        removeWhere(IsLineKink);
        map->ClearAiMarks();
        for (const auto& [x, y] : m_LineOfDefence)
            map->SetAiMark(x, y, 3);
        if (m_LineOfDefence.size() == before)
            break;
    }
}

std::vector<std::pair<int, int>> cAI::FindBestLinePath(int x1, int y1, int x2, int y2, const bool flags[6]) const
{
    std::vector<std::pair<int, int>> best;
    std::vector<std::pair<int, int>> path;
    int bestScore = 0;
    const int maxLength = 2 * HexDistance(x1, y1, x2, y2) - 2;
    EnumerateLinePaths(x1, y1, x2, y2, path, maxLength, flags, best, bestScore);
    return best;
}

void cAI::EnumerateLinePaths(int x, int y, int x2, int y2, std::vector<std::pair<int, int>>& path, int maxLength,
                             const bool flags[6], std::vector<std::pair<int, int>>& best, int& bestScore) const
{
    const bool atTarget = x == x2 && y == y2;
    // The search grows fast with the distance: a thread asked to stop leaves it at once.
    if ((int(path.size()) >= maxLength && !atTarget) || !ThreadMayRun())
        return;
    path.push_back({x, y});
    if (atTarget)
    {
        // Only the best path so far is kept, not every path found (a long segment has thousands):
        // a later one must score strictly higher, so the first of equal scores wins.
        const int score = ScoreLinePath(path, maxLength, flags);
        if (best.empty() || score > bestScore)
        {
            best = path;
            bestScore = score;
        }
        path.pop_back();
        return;
    }
    cMapa& map = *Map();
    const int here = HexDistance(x, y, x2, y2);
    for (int d = 0; d < 6; ++d)
    {
        sHex* next = map.GetNeighbour(x, y, d);
        if (!next || !next->IsFriendlyOrEnemyLand(CountryId()) || HexDistance(next->x, next->y, x2, y2) > here)
            continue;
        if (path.size() >= 2)
        {
            const auto& before = path[path.size() - 2];
            if (HexDistance(before.first, before.second, next->x, next->y) < 2)
                continue;
        }
        EnumerateLinePaths(next->x, next->y, x2, y2, path, maxLength, flags, best, bestScore);
    }
    path.pop_back();
}

int cAI::ScoreLinePath(const std::vector<std::pair<int, int>>& path, int maxLength, const bool flags[6]) const
{
    cMapa& map = *Map();
    int score = (maxLength - int(path.size()) - 1) * 10;
    for (const auto& [x, y] : path)
    {
        const sHex& hex = *map.GetHex(x, y);
        if (hex.terrain >= 2 && hex.terrain <= 6)
            score += 4;
        for (int d = 0; d < 6; ++d)
            if (flags[d] && hex.HasRiver(d))
                score += 6;
        if (hex.city && IsFriend(hex.city->GetControllerId()))
            score += 15;
    }
    return score;
}

std::pair<int, int> cAI::FindNearestFreeLineHex(int x, int y) const
{
    cMapa& map = *Map();
    std::pair<int, int> best{-1, -1};
    int bestDistance = 0;
    for (const auto& hex : m_LineOfDefence)
    {
        if (map.GetHex(hex.first, hex.second)->unit)
            continue;
        const int distance = HexDistance(x, y, hex.first, hex.second);
        if (best.first < 0 || distance < bestDistance)
        {
            best = hex;
            bestDistance = distance;
        }
    }
    // With every line hex taken the unit keeps going toward its target, not toward no hex.
    return best.first < 0 ? std::make_pair(x, y) : best;
}

std::pair<int, int> FindNearestFreeMarkedHexInRange(const cJednostkaLadowa& unit, int x, int y)
{
    cMapa& map = *Map();
    std::pair<int, int> best{-1, -1};
    int bestDistance = 0;
    for (const sPathStep& step : unit.m_Path)
    {
        if (map.GetHex(step.x, step.y)->unit || map.GetAiMark(step.x, step.y) != 3)
            continue;
        const int distance = HexDistance(x, y, step.x, step.y);
        if (best.first < 0 || distance < bestDistance)
        {
            best = {step.x, step.y};
            bestDistance = distance;
        }
    }
    return best;
}

void cAI::MoveUnitsToLineOfDefence()
{
    cMapa* map = Map();
    if (!map || !m_Country)
        return;
    const int fortLevel = m_Country->AIParameters.FortLevelToHoldAtAllCost;
    // A pass counts as moving only when some unit's hex changed; every move spends action
    // points, so the passes come to an end.
    for (bool moved = true; moved && ThreadMayRun();)
    {
        moved = false;
        for (cJednostkaLadowa* unit : m_OwnLandUnits)
        {
            if (unit->m_AiOrder != 5 || (unit->m_X == unit->m_AiTargetX && unit->m_Y == unit->m_AiTargetY))
                continue;
            if (map->GetHex(unit->m_X, unit->m_Y)->fortification > fortLevel)
            {
                unit->m_AiOrder = 9;
                continue;
            }
            const int fromX = unit->m_X, fromY = unit->m_Y;
            const int tx = unit->m_AiTargetX, ty = unit->m_AiTargetY;
            unit->ComputeMoveRange(true);
            const auto h = FindNearestFreeMarkedHexInRange(*unit, tx, ty);
            if (h.first >= 0 && HexDistance(h.first, h.second, tx, ty) < HexDistance(fromX, fromY, tx, ty))
                WithoutGlobalLock([&] { return unit->ExecuteMoveOrder(h.first, h.second); });
            else if (map->GetAiMark(fromX, fromY) != 3)
            {
                const auto g = FindNearestFreeLineHex(tx, ty);
                WithoutGlobalLock([&] { return unit->ExecuteMoveOrder(g.first, g.second); });
            }
            moved = moved || unit->m_X != fromX || unit->m_Y != fromY;
        }
    }
}
