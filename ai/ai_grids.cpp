// The map's working grids and searches for the computer opponent: the mark grid, the
// lattice of front nodes, the same-region test and the invasion searches.
#include <deque>
#include <vector>

#include "core/log.h"
#include "game/game.h"
#include "game/play_state.h"
#include "units/unit.h"
#include "world/city.h"
#include "world/country.h"
#include "world/map.h"
#include "world/relations.h"
#include "world/world.h"

namespace {

bool IsFriendOrEnemyHolder(int holder, int countryId)
{
    if (holder == 0)
        return false;
    if (IsCountryOrAlly(holder, countryId))
        return true;
    const cRelationsMatrix* relations = WorldRelations();
    return relations && countryId != 0 && relations->IsAtWar(countryId, holder);
}

// Breadth-first walk over land from (x, y): a hex nearer than maxDistance to the start adds
// its land neighbours farther from the start, so that what is found lies within the
// distance asked for. Each hex is visited once, which keeps the order in which hexes are
// first reached. The visitor returns true to stop the walk.
template <typename Visit>
void WalkOutward(cMapa& map, int x, int y, int maxDistance, Visit visit)
{
    if (!map.IsInside(x, y))
        return;
    std::vector<uint8_t> seen(size_t(map.GetWidth()) * size_t(map.GetHeight()), 0);
    std::deque<std::pair<int, int>> queue;
    queue.push_back({x, y});
    seen[size_t(y) * size_t(map.GetWidth()) + size_t(x)] = 1;
    while (!queue.empty())
    {
        const auto [hx, hy] = queue.front();
        queue.pop_front();
        sHex& hex = *map.GetHex(hx, hy);
        if (visit(hex))
            return;
        const int distance = HexDistance(x, y, hx, hy);
        if (distance >= maxDistance)
            continue;
        for (int d = 0; d < 6; ++d)
        {
            sHex* next = map.GetNeighbour(hx, hy, d);
            if (!next || !next->IsLand() || HexDistance(x, y, next->x, next->y) <= distance)
                continue;
            uint8_t& mark = seen[size_t(next->y) * size_t(map.GetWidth()) + size_t(next->x)];
            if (mark)
                continue;
            mark = 1;
            queue.push_back({next->x, next->y});
        }
    }
}

} // namespace

// A mark off the map would be written outside the grid: it is not written, and reads 0.
void cMapa::SetAiMark(int x, int y, uint8_t value)
{
    if (IsInside(x, y) && !m_AiGrid.empty())
        m_AiGrid[size_t(y) * size_t(width) + size_t(x)] = value;
}

uint8_t cMapa::GetAiMark(int x, int y) const
{
    if (!IsInside(x, y) || m_AiGrid.empty())
        return 0;
    return m_AiGrid[size_t(y) * size_t(width) + size_t(x)];
}

void cMapa::ClearAiMarks()
{
    std::fill(m_AiGrid.begin(), m_AiGrid.end(), uint8_t(0));
}

const std::list<std::pair<int, int>>& cMapa::SetFrontNodeDistance(int d)
{
    // No exit in the middle of a game: a spacing below 3 is logged and the lattice stays as it was.
    if (d < 3)
    {
        LogLine(L"Blad! Pozadana odleglosc wezlow frontowych musi byc wieksza od 2");
        return frontNodeLattice;
    }
    if (d == frontNodeDistance)
        return frontNodeLattice;
    ClearAiMarks();
    frontNodeLattice.clear(); // points of another spacing would not lie d apart
    int group = 0;
    for (int x = 0; x < width; x += d, ++group)
        for (int y = (group % 2 == 0) ? 0 : (d + 1) / 2; y < height; y += d)
        {
            const sHex& hex = *GetHex(x, y);
            if (hex.IsLand() && hex.controller != 0)
                frontNodeLattice.push_back({x, y});
        }
    frontNodeDistance = d;
    return frontNodeLattice;
}

bool cMapa::FindFrontNode(int& outX, int& outY, int x, int y, int direction) const
{
    // No exit in the middle of a game: without a spacing, or with another direction, no node is found.
    const int d = frontNodeDistance;
    if (d < 0)
    {
        LogLine(L"Error, nieustawiona odlegloscWezlowFrontowych");
        return false;
    }
    const bool odd = IsOddColumn(x);
    switch (direction)
    {
    case 0: outX = x; outY = y - d; break;
    case 1: outX = x + d; outY = odd ? y - (d + 1) / 2 : y - d / 2; break;
    case 2: outX = x + d; outY = odd ? y + d / 2 : y + (d + 1) / 2; break;
    case 3: outX = x; outY = y + d; break;
    case 4: outX = x - d; outY = odd ? y + d / 2 : y + (d + 1) / 2; break;
    case 5: outX = x - d; outY = odd ? y - (d + 1) / 2 : y - d / 2; break;
    default:
        LogLine(L"Error, dopuszczalne wartosci parametru kierunek od 0 do 5");
        return false;
    }
    return true;
}

bool cMapa::AreHexesInSameRegion(int x1, int y1, int x2, int y2) const
{
    if (!g_Gra || !g_Gra->m_PlayState)
        return false;
    const cPlayState& play = *g_Gra->m_PlayState;
    const cMiasto* a = IsInside(x1, y1) ? play.NearestCity(x1, y1) : nullptr;
    const cMiasto* b = IsInside(x2, y2) ? play.NearestCity(x2, y2) : nullptr;
    if (!a || !b)
        return false;
    // The groups never share a city, so the first group holding a city is its only one.
    if (m_RegionGroupOfCity.empty())
    {
        int index = 0;
        for (const auto& group : play.GetWorldCityGroups())
        {
            for (const cMiasto* city : group)
                m_RegionGroupOfCity.emplace(city, index);
            ++index;
        }
    }
    const auto ga = m_RegionGroupOfCity.find(a);
    const auto gb = m_RegionGroupOfCity.find(b);
    return ga != m_RegionGroupOfCity.end() && gb != m_RegionGroupOfCity.end() && ga->second == gb->second;
}

bool cMapa::FindCoastalHex(int countryId, int x, int y, int seaZone, int maxDistance, int& outX, int& outY,
                           bool ownOnly)
{
    bool found = false;
    WalkOutward(*this, x, y, ownOnly ? 0 : maxDistance, [&](const sHex& hex) {
        const bool holder = ownOnly ? hex.controller == countryId : IsFriendOrEnemyHolder(hex.controller, countryId);
        if (hex.IsLand() && !hex.unit && hex.seaZone == seaZone && hex.coastal && holder)
        {
            outX = hex.x;
            outY = hex.y;
            found = true;
        }
        return found;
    });
    return found;
}

bool cMapa::FindWeakestEnemyUnitNear(int countryId, int x, int y, int maxDistance, int& outX, int& outY)
{
    const cRelationsMatrix* relations = WorldRelations();
    float weakest = 0.0f;
    bool found = false;
    WalkOutward(*this, x, y, maxDistance, [&](const sHex& hex) {
        if (!hex.IsLand() || !hex.unit || !IsFriendOrEnemyHolder(hex.controller, countryId))
            return false;
        const int owner = hex.unit->m_Owner;
        if (owner == 0 || !relations || !relations->IsAtWar(countryId, owner))
            return false;
        const auto* unit = dynamic_cast<const cJednostka*>(hex.unit);
        if (!unit || unit->m_Category != CATEGORY_LAND)
            return false;
        const float strength = unit->GetEffectiveStrength();
        if (!found || strength < weakest)
        {
            weakest = strength;
            outX = hex.x;
            outY = hex.y;
            found = true;
        }
        return false;
    });
    return found;
}
