// The play state's path search: from the hexes a unit can reach to the steps of one move.
#include <map>
#include <utility>

#include "core/log.h"
#include "game/game.h"
#include "game/play_state.h"
#include "game/presentation.h"
#include "units/land_unit.h"
#include "world/hex_geometry.h"
#include "world/map.h"

namespace {

const wchar_t* MoveSoundOf(int type)
{
    switch (type) {
    case UNIT_INFANTRY:
    case UNIT_INFANTRY_CORPS: return L"data\\sound\\InfantryMarching.wav";
    case UNIT_MECHANIZED:
    case UNIT_MECHANIZED_CORPS: return L"data\\sound\\TruckDriving.wav";
    case UNIT_ARMOURED:
    case UNIT_ARMOURED_CORPS: return L"data\\sound\\TankRolling.wav";
    default: return nullptr;
    }
}

// The path from the unit's hex to the target through its reachable hexes, each node with
// the cost of the step into it; empty (logged) when the reachable hexes do not lead there:
// walking back from a hex outside the range would never reach the unit.
std::list<sPathNode> WalkBack(const cJednostka& unit, int tx, int ty)
{
    std::list<sPathNode> path;
    auto refuse = [&](const wchar_t* why) {
        LogLine(L"No path for %s to (%i,%i): %s", unit.m_Name, tx, ty, why);
        return std::list<sPathNode>();
    };
    // Below -1 the unit has no hexes around it to search at all.
    if (unit.m_ActionPoints < -1)
        return refuse(L"its action points are below -1");
    // Even a neighbour must be in the range: one outside it (sea, a wall of enemies) is no
    // step for the whole of the unit's action points.
    const sPathStep* target = unit.FindPathStep(tx, ty);
    if (!target)
        return refuse(L"the hex is not in its range");
    if (HexDistance(unit.m_X, unit.m_Y, tx, ty) == 1) {
        path.push_back({tx, ty, target->cost});
        return path;
    }
    // By coordinates, not in a square of 2 x AP + 3 around the unit: a range filled while the
    // unit had more action points than now would lie partly outside such a square.
    std::map<std::pair<int, int>, const sPathStep*> reachable;
    for (const sPathStep& step : unit.m_Path)
        reachable.emplace(std::make_pair(step.x, step.y), &step);
    // Each step back is one entry of the range and every step costs at least 1, so the
    // walk ends within the list's length.
    const sPathStep* cell = target;
    for (size_t steps = 0; steps < unit.m_Path.size(); ++steps) {
        int px = cell->x, py = cell->y;
        GetNeighbourCoordsOut(cell->x, cell->y, cell->direction, px, py);
        const bool home = px == unit.m_X && py == unit.m_Y;
        auto before = reachable.find({px, py});
        if (!home && before == reachable.end())
            return refuse(L"its range does not lead back to it");
        const int cost = cell->cost - (home ? 0 : before->second->cost);
        // A step for nothing means the range leads round in a circle.
        if (cost < 1)
            return refuse(L"a step of its range costs nothing");
        path.push_front({cell->x, cell->y, cost});
        LogLine(L"Adding hex (%i,%i) to path (cost %i)", cell->x, cell->y, cost);
        if (home)
            return path;
        cell = before->second;
    }
    return refuse(L"its range does not lead back to it");
}

} // namespace

void cPlayState::FindPath(cJednostka& unit, int x, int y)
{
    cMapa* map = g_Gra ? g_Gra->m_Mapa : nullptr;
    std::list<sPathNode> path = map && map->IsInside(unit.m_X, unit.m_Y) ? WalkBack(unit, x, y) : std::list<sPathNode>();
    if (path.empty()) {
        m_Move = cUnitMove();
        return;
    }
    unit.m_SpottedEnemy = false;
    m_Undo.Record(unit);
    m_Move = cUnitMove(&unit, map->GetHex(unit.m_X, unit.m_Y)->controller, &m_Undo);
    m_Move.Path() = std::move(path);
    // A unit without action points of its own gets one step an impulse.
    if (auto* land = dynamic_cast<cJednostkaLadowa*>(&unit); land && land->m_StartingActionPoints == 0 &&
                                                              m_Move.GetPath().size() == 1)
        land->m_JustDeployed = true;
    if (unit.m_Spotted)
        if (const wchar_t* sound = MoveSoundOf(unit.m_Type))
            Presentation().PlaySound(sound);
}
