// The computer opponent's orders to land units and the moves that carry them out.
#include <list>

#include "core/lock.h"
#include "core/log.h"
#include "core/settings.h"
#include "game/game.h"
#include "game/play_state.h"
#include "units/land_unit.h"
#include "units/unit.h"
#include "units/unit_access.h"
#include "world/city.h"
#include "world/city_graph.h"
#include "world/hex_geometry.h"
#include "world/map.h"

namespace {

// The city-graph node of the unit's hex region, or null.
const sWezelDiagramuMiast* RegionNode(const cUnit& unit)
{
    const cDiagramMiast* graph = g_Gra ? g_Gra->m_CityGraph : nullptr;
    const int region = unit.GetHexRegion();
    if (!graph || region < 0 || size_t(region) >= graph->Nodes.size())
        return nullptr;
    return &graph->Nodes[size_t(region)];
}

} // namespace

bool cJednostkaLadowa::MoveAsComputer(int x, int y)
{
    cPlayState* play = g_Gra ? g_Gra->m_PlayState : nullptr;
    if (!play)
        return false;
    // The camera and the pause are for a person watching; a game of computers waits for nobody.
    const bool shown = m_Spotted && play->ShowsActions() && SeenByAPerson(this);
    if (shown)
        CenterCameraOn(m_X, m_Y);
    if (!play->PlayMove(*this, x, y))
        return false;
    if (shown)
        LOGGED_SLEEP(int(g_DelayValues[DELAY_AI_MOVE_AFTER]));
    return true;
}

int cJednostkaLadowa::GetHopsToCity(int x, int y)
{
    const sHex* hex = UnitHexAt(x, y);
    const cMiasto* target = hex ? hex->city : nullptr;
    if (!target) {
        LogLine(L"ERROR (Returining no. of hops - land unit): City is null");
        m_AiOrder = 0;
        m_AiTargetX = m_AiTargetY = m_AiUltimateTargetX = m_AiUltimateTargetY = -1;
        // The graph has no distance to no city: asking it would read a city that is not there.
        return -1;
    }
    const sWezelDiagramuMiast* node = RegionNode(*this);
    return node && node->City ? node->City->GetGraphDistanceTo(*target) : -1;
}

void cJednostkaLadowa::FindOrderPath(int order, int x, int y, int mode)
{
    if (mode <= 1) {
        m_AiOrder = order;
        m_AiTargetX = x;
        m_AiTargetY = y;
        m_AiUltimateTargetX = m_AiUltimateTargetY = -1;
        return;
    }
    GLOBAL_LOCK_SCOPE(); // the route search uses the city graph's shared marks
    const sHex* source = UnitHexAt(m_SupplySourceX, m_SupplySourceY);
    const sWezelDiagramuMiast* region = RegionNode(*this);
    cMiasto* from = source && source->city ? source->city : region ? region->City : nullptr;
    const sHex* target = UnitHexAt(x, y);
    // A unit supplied by the very city it is sent to finds no route: the search starts
    // from that city and never reaches it again.
    std::list<cMiasto*> route;
    cDiagramMiast* graph = g_Gra ? g_Gra->m_CityGraph : nullptr;
    if (from && target && target->city && graph && graph->FindRoute(from, target->city, m_Owner, route) && !route.empty()) {
        // The route runs from the destination back; its last city is the next on the way. The
        // order's "first city of the route" is read as the first on the way: the list's first
        // entry is the destination itself, which would make both targets one city.
        m_AiOrder = order;
        m_AiTargetX = route.back()->X;
        m_AiTargetY = route.back()->Y;
        m_AiUltimateTargetX = x;
        m_AiUltimateTargetY = y;
        return;
    }
    m_AiOrder = 0;
    m_AiTargetX = m_AiTargetY = -1;
    LogLine(L"ERROR: Nie znaleziono sciezki dla rozkazu nr %i", order);
}

bool cJednostkaLadowa::ExecuteMoveOrder(int x, int y)
{
    if (x == m_X && y == m_Y) {
        LogLine(L"Jednostka dostaďż˝a rozkaz by iďż˝ďż˝ na pole na ktďż˝rym juďż˝ stoi. No to stoi dalej.");
        return false;
    }
    const sHex* target = UnitHexAt(x, y);
    if (IsHexInMoveRange(x, y) && target && !target->unit)
        return MoveAsComputer(x, y);
    const sPathStep* best = nullptr;
    int bestDistance = HexDistance(m_X, m_Y, x, y);
    for (const sPathStep& step : m_Path) {
        const sHex* hex = UnitHexAt(step.x, step.y);
        const int distance = HexDistance(step.x, step.y, x, y);
        if (hex && !hex->unit && distance < bestDistance) {
            best = &step;
            bestDistance = distance;
        }
    }
    return best && MoveAsComputer(best->x, best->y);
}

bool cJednostkaLadowa::PickOrderStep()
{
    ComputeMoveRange(true);
    const sPathStep* best = nullptr;
    for (const sPathStep& step : m_Path) {
        const sHex* hex = UnitHexAt(step.x, step.y);
        if (hex && !hex->unit && (!best || step.cost < best->cost))
            best = &step;
    }
    return best && MoveAsComputer(best->x, best->y);
}

void cJednostkaLadowa::MoveTowardHex(int x, int y)
{
    if (x == m_X && y == m_Y)
        return;
    ComputeMoveRange(true);
    const sPathStep* best = nullptr;
    int bestDistance = 0;
    for (const sPathStep& step : m_Path) {
        if (step.cost > m_ActionPoints - 1)
            continue;
        const int distance = HexDistance(step.x, step.y, x, y);
        if (!best || distance < bestDistance || (distance == bestDistance && step.cost > best->cost)) {
            best = &step;
            bestDistance = distance;
        }
    }
    if (best) {
        const sPathStep chosen = *best;
        ExecuteMoveOrder(chosen.x, chosen.y);
    }
}

bool cJednostkaLadowa::StepTowardOrderTarget()
{
    const int tx = m_AiUltimateTargetX, ty = m_AiUltimateTargetY;
    cMapa* map = g_Gra ? g_Gra->m_Mapa : nullptr;
    if (tx == -1 || ty == -1 || !map || !map->IsInside(tx, ty) || !map->IsInside(m_X, m_Y))
        return false;
    // A greedy walk over land its side holds or fights for; every step comes nearer.
    int cx = m_X, cy = m_Y;
    while (cx != tx || cy != ty) {
        const int distance = HexDistance(cx, cy, tx, ty);
        const sHex* next = nullptr;
        for (int d = 0; d < 6 && !next; ++d) {
            const sHex* n = map->GetNeighbour(cx, cy, d);
            if (n && ((n->x == tx && n->y == ty) ||
                      (n->IsFriendlyOrEnemyLand(m_Owner) && HexDistance(n->x, n->y, tx, ty) < distance)))
                next = n;
        }
        if (!next)
            return false;
        cx = next->x;
        cy = next->y;
    }
    ComputeMoveRange(true);
    ExecuteMoveOrder(tx, ty);
    return true;
}
