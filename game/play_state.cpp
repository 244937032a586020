#include "game/play_state.h"

#include <deque>

#include "core/log.h"
#include "world/city.h"
#include "world/hex_geometry.h"
#include "world/map.h"
#include "world/supply.h"

cPlayState::cPlayState() = default;
cPlayState::~cPlayState() = default;

void cPlayState::CreateSupplyWorkArea(const cMapa* map)
{
    m_Supply = std::make_unique<cZaopatrzenie>();
    m_Supply->AllocateGrid(map);
}

namespace {

bool IsLandInside(const cMapa& map, int x, int y)
{
    return map.IsInside(x, y) && map.GetHex(x, y)->IsLand();
}

// The row above, the row below, then the four side neighbours.
constexpr int kFloodOrder[6] = {0, 3, 1, 2, 4, 5};

} // namespace

void cPlayState::BuildWorldCityGroups(const cMapa& map, const std::list<cMiasto*>& cities)
{
    m_Width = map.width;
    m_Height = map.height;
    m_CityGroups.clear();
    LogLine(L"Liczďż˝ topografiďż˝ dla Caďż˝ego ďż˝wiata!!");
    std::vector<uint8_t> visited(size_t(m_Width) * size_t(m_Height), 0);
    auto index = [this](int x, int y) { return size_t(y) * size_t(m_Width) + size_t(x); };
    for (cMiasto* start : cities) {
        if (start->Type == CITY_RESOURCES || !map.IsInside(start->X, start->Y) || visited[index(start->X, start->Y)])
            continue;
        LogLine(L"Znalazďż˝em sprzyjajďż˝ce miasto: %s, rozpoczynam tworzenie grupy.", start->Name);
        std::list<cMiasto*> group;
        std::deque<std::pair<int, int>> queue;
        // The city's own hex starts the flood even on a coast marked as sea.
        visited[index(start->X, start->Y)] = 1;
        queue.emplace_back(start->X, start->Y);
        while (!queue.empty()) {
            const auto [x, y] = queue.front();
            queue.pop_front();
            const sHex* hex = map.GetHex(x, y);
            if (hex->city && hex->city->Type < CITY_RESOURCES)
                group.push_back(hex->city);
            for (int d : kFloodOrder) {
                std::pair<int, int> n;
                GetNeighbourCoords(x, y, d, n);
                if (!IsLandInside(map, n.first, n.second) || visited[index(n.first, n.second)])
                    continue;
                visited[index(n.first, n.second)] = 1;
                queue.push_back(n);
            }
        }
        LogLine(L"W grupie sďż˝ nastďż˝pujďż˝ce miasta:");
        for (const cMiasto* c : group)
            LogLine(c->Name);
        m_CityGroups.push_back(std::move(group));
    }
}

void cPlayState::BuildNearestCityMap(const cMapa& map, const std::list<cMiasto*>& cities)
{
    m_Width = map.width;
    m_Height = map.height;
    m_NearestCity.assign(size_t(m_Width) * size_t(m_Height), nullptr);
    auto index = [this](int x, int y) { return size_t(y) * size_t(m_Width) + size_t(x); };
    std::deque<std::pair<int, int>> queue;
    for (cMiasto* city : cities) {
        if (city->Type == CITY_RESOURCES || !map.IsInside(city->X, city->Y))
            continue;
        cMiasto*& slot = m_NearestCity[index(city->X, city->Y)];
        if (slot)
            continue; // two cities on one hex: the first keeps it
        slot = city;
        queue.emplace_back(city->X, city->Y);
    }
    while (!queue.empty()) {
        const auto [x, y] = queue.front();
        queue.pop_front();
        cMiasto* city = m_NearestCity[index(x, y)];
        for (int d : kFloodOrder) {
            std::pair<int, int> n;
            GetNeighbourCoords(x, y, d, n);
            if (!IsLandInside(map, n.first, n.second) || m_NearestCity[index(n.first, n.second)])
                continue;
            m_NearestCity[index(n.first, n.second)] = city;
            queue.push_back(n);
        }
    }
}

cMiasto* cPlayState::NearestCity(int x, int y) const
{
    if (x < 0 || y < 0 || x >= m_Width || y >= m_Height || m_NearestCity.empty())
        return nullptr;
    return m_NearestCity[size_t(y) * size_t(m_Width) + size_t(x)];
}
