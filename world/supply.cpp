#include "world/supply.h"

#include <algorithm>
#include <deque>

#include "core/lock.h"
#include "core/log.h"
#include "core/stringbase.h"
#include "core/text.h"
#include "game/game.h"
#include "game/play_state.h"
#include "platform/clock.h"
#include "units/air_unit.h"
#include "units/land_unit.h"
#include "units/naval_unit.h"
#include "world/alliances.h"
#include "world/city.h"
#include "world/convoy_execution.h"
#include "world/country.h"
#include "world/fleet.h"
#include "world/hex_geometry.h"
#include "world/map.h"
#include "world/relations.h"
#include "world/world.h"

namespace {

cMapa* Map()
{
    return g_Gra ? g_Gra->m_Mapa : nullptr;
}

int SideOfAlliance(int alliance)
{
    return alliance >= 1 && alliance <= 6 ? (alliance - 1) % 3 + 1 : 0;
}

bool IsSupplyCity(const cMiasto* city)
{
    return city && city->Type >= CITY_SUPPLY && city->Type <= CITY_PORT;
}

int& CitySupplyFor(cMiasto& city, int countryId)
{
    if (city.SupplyByCountry.size() < size_t(countryId))
        city.ResizeCountryTables(CountryCount());
    return city.SupplyByCountry[size_t(countryId - 1)];
}

template <typename T>
bool OwnedBy(const T* unit, int side, int country)
{
    if (side < 0)
        return unit->m_Owner == country;
    const cPanstwo* owner = GetCountry(unit->m_Owner);
    return owner && owner->IsOnSide(side);
}

const wchar_t* SideLeaderLine(int side)
{
    switch (side)
    {
    case 1: return L"Liderem aliantow jest kraj o id=%i";
    case 2: return L"Liderem osi jest kraj o id=%i";
    default: return L"Liderem kominernu jest kraj o id=%i";
    }
}

} // namespace

void ResizeCityCountryFlags()
{
    if (!g_World.cities)
        return;
    const size_t n = size_t(CountryCount());
    for (cMiasto* city : *g_World.cities)
    {
        city->SupplyByCountry.assign(n, 0);
        city->ConvoyInfoByCountry.assign(n, 0);
    }
}

void cZaopatrzenie::AllocateGrid(const cMapa* map)
{
    Width = map ? map->width : 0;
    Height = map ? map->height : 0;
    Grid.assign(size_t(Width) * size_t(Height), kUnreached);
}

void cZaopatrzenie::ClearGrid()
{
    std::fill(Grid.begin(), Grid.end(), kUnreached);
}

tCityGroups& cZaopatrzenie::GroupsOf(int side)
{
    switch (side)
    {
    case 1: return AlliesGroups;
    case 2: return AxisGroups;
    case 3: return CominternGroups;
    default: return NeutralGroups;
    }
}

tSupplySources& cZaopatrzenie::SourcesOf(int side)
{
    switch (side)
    {
    case 1: return AlliesSources;
    case 2: return AxisSources;
    case 3: return CominternSources;
    default: return NeutralSources;
    }
}

void cZaopatrzenie::ClearSources()
{
    for (int side = 0; side <= 3; ++side)
        SourcesOf(side).clear();
}

// ---- Hex predicates ----

bool cZaopatrzenie::IsHexOfSide(int x, int y, int side) const
{
    const cMapa* map = Map();
    if (!map || !map->IsInside(x, y) || Grid.size() != size_t(Width) * size_t(Height))
        return false;
    const sHex& hex = *map->GetHex(x, y);
    const cPanstwo* controller = hex.controller > 0 ? GetCountry(hex.controller) : nullptr;
    return controller && SideOfAlliance(controller->Alliance) == side && Grid[size_t(y * Width + x)] != kVisited;
}

bool cZaopatrzenie::IsHexOfCountry(int x, int y, int country) const
{
    const cMapa* map = Map();
    if (!map || !map->IsInside(x, y) || Grid.size() != size_t(Width) * size_t(Height))
        return false;
    const int controller = map->GetHex(x, y)->controller;
    return controller > 0 && controller == country && Grid[size_t(y * Width + x)] != kVisited;
}

int cZaopatrzenie::EntryCost(int x, int y) const
{
    const int terrain = Map()->GetHex(x, y)->terrain;
    const int* costs = GameConsts().MoveCost[CATEGORY_AIR];
    const int cost = terrain >= 1 && terrain <= 7 ? costs[terrain - 1] : costs[7];
    // A cost below 1 would let the search walk forever.
    return std::max(cost, 1);
}

bool cZaopatrzenie::CanRelaxHex(int x, int y, int side, int country, int costSoFar) const
{
    const cMapa* map = Map();
    if (!map || !map->IsInside(x, y))
        return false;
    const int controllerId = map->GetHex(x, y)->controller;
    if (controllerId <= 0)
        return false;
    if (side != -1)
    {
        const cPanstwo* controller = GetCountry(controllerId);
        if (!controller || SideOfAlliance(controller->Alliance) != side)
            return false;
    }
    else if (controllerId != country)
        return false;
    const int value = Grid[size_t(y * Width + x)];
    return value == kUnreached || value > costSoFar + EntryCost(x, y);
}

// ---- City groups ----

void cZaopatrzenie::BuildCityGroups(int side, int country, tCityGroups& out)
{
    if (side != -1)
        LogLine(L"Wyznaczam grupe miast dla sojuszu = %i", side);
    else
        LogLine(L"Wyznaczam grupe miast dla kraju = %i", country);
    out.clear();
    ClearGrid();
    const cMapa* map = Map();
    if (!map || !g_World.cities)
        return;
    for (cMiasto* city : *g_World.cities)
    {
        if (city->Type == CITY_RESOURCES || !map->IsInside(city->X, city->Y))
            continue;
        const int controllerId = map->GetHex(city->X, city->Y)->controller;
        // A city on a hex nobody holds starts and joins no group: no side can draw from it.
        const cPanstwo* controller = controllerId > 0 ? GetCountry(controllerId) : nullptr;
        const bool matches =
            controller && (side != -1 ? SideOfAlliance(controller->Alliance) == side : controllerId == country);
        if (!matches || Grid[size_t(city->Y * Width + city->X)] == kVisited)
            continue;
        out.emplace_back();
        FloodCityGroup(city, side, country, out.back());
    }
}

void cZaopatrzenie::FloodCityGroup(cMiasto* start, int side, int country, tCityGroup& out)
{
    const cMapa* map = Map();
    out.push_back(start);
    Grid[size_t(start->Y * Width + start->X)] = kVisited;
    std::deque<std::pair<int, int>> queue{{start->X, start->Y}};
    while (!queue.empty())
    {
        const auto [x, y] = queue.front();
        queue.pop_front();
        for (int d = 0; d < 6; ++d)
        {
            int nx = x, ny = y;
            GetNeighbourCoordsOut(x, y, d, nx, ny);
            if (side != -1 ? !IsHexOfSide(nx, ny, side) : !IsHexOfCountry(nx, ny, country))
                continue;
            Grid[size_t(ny * Width + nx)] = kVisited;
            queue.emplace_back(nx, ny);
            if (cMiasto* city = map->GetHex(nx, ny)->city; IsSupplyCity(city))
                out.push_back(city);
        }
    }
}

// ---- Supply sources ----

sSupplySource cZaopatrzenie::FindNearestSupplyCity(cJednostka* unit, int side, int country)
{
    sSupplySource found{unit, nullptr, 0};
    cMapa* map = Map();
    if (!map || !map->IsInside(unit->m_X, unit->m_Y))
        return found;
    const int maxSupply = GameConsts().MaxSupply;
    if (cMiasto* own = map->GetHex(unit->m_X, unit->m_Y)->city; IsSupplyCity(own))
    {
        found.city = own;
        return found;
    }
    int bound = maxSupply + 1;
    // In the order reached, not cheapest first: that order picks the source of two cities at one
    // cost (the later one). The bound keeps the search within the maximum supply of the unit.
    std::deque<int> queue;
    std::vector<int> touched;
    const int start = unit->m_Y * Width + unit->m_X;
    Grid[size_t(start)] = 0;
    touched.push_back(start);
    queue.push_back(start);
    while (!queue.empty())
    {
        const int index = queue.front();
        queue.pop_front();
        const int cost = Grid[size_t(index)];
        if (cost >= bound)
            continue;
        const int x = index % Width;
        const int y = index / Width;
        for (int d = 0; d < 6; ++d)
        {
            int nx = x, ny = y;
            GetNeighbourCoordsOut(x, y, d, nx, ny);
            if (!CanRelaxHex(nx, ny, side, country, cost))
                continue;
            const int next = ny * Width + nx;
            const int nextCost = cost + EntryCost(nx, ny);
            if (Grid[size_t(next)] == kUnreached)
                touched.push_back(next);
            Grid[size_t(next)] = nextCost;
            queue.push_back(next);
            cMiasto* city = map->GetHex(nx, ny)->city;
            if (IsSupplyCity(city) && nextCost <= maxSupply && nextCost <= bound)
            {
                found.city = city;
                bound = nextCost;
            }
        }
    }
    for (int index : touched)
        Grid[size_t(index)] = kUnreached;
    found.cost = found.city ? bound : 0;
    return found;
}

void cZaopatrzenie::FindSupplySources(int side, int country, tSupplySources& out)
{
    ClearGrid();
    if (!g_Gra)
        return;
    auto find = [&](cJednostka* unit, const wchar_t* line) {
        LogLine(line, unit->m_Name);
        const sSupplySource source = FindNearestSupplyCity(unit, side, country);
        if (source.city)
            LogLine(L"Najblizsze miasto: %s, koszt %i", source.city->Name, source.cost);
        else
            LogLine(L"%s nie ma polaczenia z zadnym wlasnym ani sojuszniczym miastem", unit->m_Name);
        out.push_back(source);
    };
    for (cJednostkaLadowa* unit : g_Gra->m_LandUnits)
        if (unit->IsOnMap() && OwnedBy(unit, side, country))
            find(unit, L"Szukam najbl. miasta dla jedn. ladowej: %s");
    for (cJednostkaLotnicza* unit : g_Gra->m_AirUnits)
        if (unit->IsOnMap() && OwnedBy(unit, side, country))
            find(unit, L"Szukam najbl. miasta dla j. lot: %s");
}

// ---- The pass ----

void cZaopatrzenie::CalculateSupply()
{
    if (!g_Gra || !Map())
        return;
    // The lock's own rule (all that both threads share is guarded) and the pass's "no lock of
    // its own" disagree; the rule holds: the main thread draws the units' supply, the cities'
    // values and the topographies this rewrites, and a frame could read a list being rebuilt.
    GLOBAL_LOCK_SCOPE();
    LogLine(L"Rozpoczynam obliczanie zaopatrzenia...");
    if (Width != Map()->width || Height != Map()->height)
        AllocateGrid(Map());
    // The groups of the last pass are dropped: no convoy may keep pointing at them.
    if (g_World.convoys)
        for (auto& owner : g_World.convoys->Convoys)
            for (sKonwoj& convoy : owner)
                convoy.group = nullptr;
    ResizeCityCountryFlags();
    PostInfoPanelMessage(LangText("calculating_supply:_determining_groups_of_cities..."));
    const int countries = CountryCount();
    cTopografia* topography = g_World.topography;
    if (topography)
    {
        topography->Clear();
        topography->InitStrategicMovementModule(countries);
    }
    for (int side = 1; side <= 3; ++side)
        BuildCityGroups(side, -1, GroupsOf(side));
    for (int id = 1; id <= countries && topography; ++id)
    {
        const int side = SideOfAlliance(GetCountry(id)->Alliance);
        if (side != 0)
            topography->SetCountryTopography(id, GroupsOf(side));
    }
    PostInfoPanelMessage(LangText("calculating_supply:_supply_goes_to_units..."));
    LogLine(L"Wyznaczanie grup miast dla sojuszy skonczone.");

    ClearSources();
    uint32_t started = GetTickMs();
    for (int side = 1; side <= 3; ++side)
        FindSupplySources(side, -1, SourcesOf(side));
    LogLine(L"PERFORMANCE: Determining supply sources for units of alliance countries TIME = %i ms",
            int(GetTickMs() - started));

    LogLine(L"Rozpatrzenie zaopatrzenia juz dla pojedynczych panstw sojuszniczych");
    LogLine(L"%i", countries);
    started = GetTickMs();
    for (int index = 0; index < countries; ++index)
    {
        const cPanstwo* c = (*g_World.countries)[size_t(index)];
        // A country that surrendered keeps its code but has no units left, and the convoys its
        // surrender left must not run for it.
        if (c->Alliance == ALLIANCE_NEUTRAL || !c->IsActive)
            continue;
        if (c->ID != index + 1)
            LogLine(L"ERROR: country %s has id %i at place %i", c->Name, c->ID, index + 1);
        LogLine(L"Panstwo o ID %d (%s) nie jest neutralne, licze mu zaopatrzenie", c->ID, c->Name);
        SupplyCountry(c->ID);
    }
    LogLine(L"PERFORMANCE: Calculating supply for units of alliance countries (including convoy executions) TIME = "
            L"%i ms",
            int(GetTickMs() - started));

    ClearGrid();
    for (int id = 1; id <= countries; ++id)
    {
        const cPanstwo* c = GetCountry(id);
        // A neutral that surrendered has no units left, and its convoys must not run (see above).
        if (c->Alliance != ALLIANCE_NEUTRAL || !c->IsActive)
            continue;
        LogLine(L"*** Licze zaopatrzenie dla kraju neutralnego %s ***", c->Name);
        NeutralGroups.clear();
        NeutralSources.clear();
        if (c->IsAtWar())
        {
            BuildCityGroups(-1, id, NeutralGroups);
            if (topography)
                topography->SetCountryTopography(id, NeutralGroups);
            FindSupplySources(-1, id, NeutralSources);
        }
        SupplyCountry(id);
    }
    // The records point at units, which may die before the next pass.
    ClearSources();
}

void cZaopatrzenie::SupplyCountry(int countryId)
{
    cPanstwo* country = GetCountry(countryId);
    if (!country || !g_Gra)
        return;
    GLOBAL_LOCK_SCOPE(); // the units' and cities' supply is drawn by the main thread (see CalculateSupply)
    LogLine(L"=== %s liczy zaopatrzenie dla swoich jednostek ===", country->Name);
    const int maxSupply = GameConsts().MaxSupply;
    const int side = SideOfAlliance(country->Alliance);
    tCityGroups& groups = GroupsOf(side);
    tSupplySources& sources = SourcesOf(side);
    const cPanstwo* leader = nullptr;
    if (side == 0)
    {
        LogLine(L"%s to kraj neutralny.", country->Name);
        if (!country->IsAtWar())
        {
            ExecuteConvoysOfCountry(countryId, groups, sources);
            if (!country->IsAtWar())
            {
                // Peace-time supply: half the maximum, wherever the unit stands.
                for (cJednostkaLadowa* u : g_Gra->m_LandUnits)
                    if (u->m_Owner == countryId && u->IsOnMap())
                        u->SetSupply(maxSupply / 2);
                for (cJednostkaLotnicza* u : g_Gra->m_AirUnits)
                    if (u->m_Owner == countryId && u->IsOnMap())
                        u->SetSupply(maxSupply / 2);
                return;
            }
        }
    }
    else
    {
        leader = FindAllianceLeader(side);
        LogLine(SideLeaderLine(side), leader ? leader->ID : 0);
    }

    // A side without a leader: only the country's own supply cities make a source group.
    const cMapa* map = Map();
    for (tCityGroup& group : groups)
    {
        const bool sourceGroup = std::any_of(group.begin(), group.end(), [&](const cMiasto* city) {
            if (city->Type != CITY_SUPPLY && city->Type != CITY_SUPPLY_PORT)
                return false;
            const int controller = map->GetHex(city->X, city->Y)->controller;
            return controller == countryId || (leader && controller == leader->ID);
        });
        for (cMiasto* city : group)
            CitySupplyFor(*city, countryId) = sourceGroup ? maxSupply : city->Supply;
    }

    LogLine(L"PRZED KONWOJAMI %s, STP obecne:%i  z konwojow z poprzedniej tury:%i", country->Name, country->STP,
            country->STPUsedByConvoys);
    ExecuteConvoysOfCountry(countryId, groups, sources);
    LogLine(L"PO KONWOJACH %s, STP obecne:%i  z konwojow z poprzedniej tury:%i", country->Name, country->STP,
            country->STPUsedByConvoys);

    const int limit = GameConsts().ImpulsesWithoutSupplySource;
    for (const sSupplySource& record : sources)
    {
        cJednostka* unit = record.unit;
        if (unit->m_Owner != countryId)
            continue;
        const bool land = unit->m_Category == CATEGORY_LAND;
        if (record.city)
        {
            const int cityValue = CitySupplyFor(*record.city, countryId);
            const int value = cityValue - record.cost;
            LogLine(L"%s ciagnie zaop z %s(%i). Odl.%i daje zaop = %i", unit->m_Name, record.city->Name, cityValue,
                    record.cost, value);
            unit->SetSupplySourceX(record.city->X);
            unit->SetSupplySourceY(record.city->Y);
            unit->SetSupply(std::max(value, 1));
            if (land && unit->m_TurnsWithoutSupply >= 1)
                --unit->m_TurnsWithoutSupply;
        }
        else if (land && unit->m_TurnsWithoutSupply + 1 < limit)
            ++unit->m_TurnsWithoutSupply;
        else
        {
            LogLine(L"%s jest odciety od zaopatrzenia", unit->m_Name);
            unit->SetSupplySourceX(-1);
            unit->SetSupplySourceY(-1);
            unit->SetSupply(0);
        }
    }
}

// ---- Mulberry harbours ----

void cZaopatrzenie::SupplyFromMulberries()
{
    if (!g_Gra || !Map())
        return;
    GLOBAL_LOCK_SCOPE(); // the units' supply is drawn by the main thread (see CalculateSupply)
    LogLine(L"Ciagne zaopatrzenie z mulberry...");
    for (cJednostkaLadowa* u : g_Gra->m_LandUnits)
    {
        if (u->m_Type != UNIT_MULBERRY || !u->IsOnMap())
            continue;
        u->m_TurnsWithoutSupply = 0;
        std::set<int> visited;
        SpreadMulberrySupply(u->m_X, u->m_Y, u->m_X, u->m_Y, visited);
    }
}

void cZaopatrzenie::SpreadMulberrySupply(int x, int y, int centreX, int centreY, std::set<int>& visited)
{
    cMapa* map = Map();
    if (!map || !map->IsInside(centreX, centreY))
        return;
    const cUnit* harbour = map->GetHex(centreX, centreY)->unit;
    const int owner = harbour ? harbour->m_Owner : 0;
    const cPanstwo* harbourOwner = GetCountry(owner);
    const float radius = GameConsts().Mulberry[1];
    // Breadth first, not recursing: the radius comes from the constants, and one as wide as
    // the map would recurse a hex deep per hex. Which hexes are reached, and what each unit
    // gets, does not depend on the order.
    std::deque<std::pair<int, int>> queue{{x, y}};
    visited.insert(y * Width + x);
    while (!queue.empty())
    {
        const auto [hx, hy] = queue.front();
        queue.pop_front();
        const int distance = HexDistance(centreX, centreY, hx, hy);
        if (!(radius > float(distance)))
            continue;
        sHex& hex = *map->GetHex(hx, hy);
        auto* unit = dynamic_cast<cJednostka*>(hex.unit);
        if (unit && harbourOwner && (unit->m_Owner == owner || harbourOwner->IsAlliedWith(unit->m_Owner)))
        {
            const int value = TruncateToInt(radius - float(distance));
            const bool land = unit->m_Category == CATEGORY_LAND;
            if (unit->m_Supply < value || (land && unit->m_TurnsWithoutSupply >= 1))
            {
                unit->SetSupply(value);
                if (land)
                    unit->m_TurnsWithoutSupply = 0;
            }
        }
        for (int d = 0; d < 6; ++d)
        {
            const sHex* next = map->GetNeighbour(hx, hy, d);
            if (!next || next->IsSea() || !next->IsControlledByFriend(owner) ||
                !visited.insert(next->y * Width + next->x).second)
                continue;
            queue.emplace_back(next->x, next->y);
        }
    }
}

// ---- Ships ----

std::vector<std::pair<int, int>> cZaopatrzenie::FindCoastalHexesNear(int x, int y, int radius, int owner)
{
    std::vector<std::pair<int, int>> found;
    cMapa* map = Map();
    if (!map || !map->IsInside(x, y))
        return found;
    std::vector<int> zones; // the sea zone of each entry of found
    std::vector<int> seen{y * Width + x};
    std::deque<std::pair<int, int>> queue{{x, y}};
    while (!queue.empty())
    {
        const auto [hx, hy] = queue.front();
        queue.pop_front();
        const sHex& hex = *map->GetHex(hx, hy);
        if (hex.IsCoastalLand())
        {
            const int distance = HexDistance(x, y, hx, hy);
            auto zone = std::find(zones.begin(), zones.end(), int(hex.seaZone));
            if (zone == zones.end())
            {
                zones.push_back(hex.seaZone);
                found.emplace_back(hx, hy);
            }
            else
            {
                auto& kept = found[size_t(zone - zones.begin())];
                if (distance < HexDistance(x, y, kept.first, kept.second))
                    kept = {hx, hy};
            }
        }
        for (int d = 0; d < 6; ++d)
        {
            const sHex* next = map->GetNeighbour(hx, hy, d);
            if (!next || HexDistance(x, y, next->x, next->y) > radius || !next->IsControlledByFriend(owner))
                continue;
            const int index = next->y * Width + next->x;
            if (std::find(seen.begin(), seen.end(), index) != seen.end())
                continue;
            seen.push_back(index);
            queue.emplace_back(next->x, next->y);
        }
    }
    return found;
}

void cZaopatrzenie::SupplyFromShips()
{
    if (!g_Gra || !Map())
        return;
    GLOBAL_LOCK_SCOPE(); // the units' supply is drawn by the main thread (see CalculateSupply)
    LogLine(L"Ciagne zaopatrzenie ze statkow");
    const sGameConsts& k = GameConsts();
    for (cJednostkaLadowa* unit : g_Gra->m_LandUnits)
    {
        if (!unit->IsOnMap() || (unit->m_Supply >= k.ShipSupplyThreshold && unit->m_TurnsWithoutSupply < 1))
            continue;
        const cPanstwo* owner = unit->GetOwner();
        if (!owner)
            continue;
        const bool fullFromOwnShips = !owner->HumanControlled && (owner->PBEMPlayerId < 1 || !g_Gra->m_IsPbem) &&
                                      k.ShipSupplyComputerMax != 0;
        int best = 0;
        for (const auto& [hx, hy] : FindCoastalHexesNear(unit->m_X, unit->m_Y, k.ShipSupplyRadius, unit->m_Owner))
        {
            const int zone = Map()->GetHex(hx, hy)->seaZone;
            int sum = 0;
            bool ownShip = false;
            for (const cFlota* fleet : g_Gra->m_Fleets)
            {
                if (fleet->seaNode != zone)
                    continue;
                for (const cJednostkaMorska* ship : fleet->ships)
                {
                    const int type = ship->m_Type - UNIT_CARRIER;
                    if (type < 0 || type > 5)
                        continue;
                    if (ship->m_Owner == unit->m_Owner)
                    {
                        sum += k.ShipSupplyAdd[type];
                        ownShip = true;
                    }
                    else if (CountriesAtWar(ship->m_Owner, unit->m_Owner))
                        sum -= k.ShipSupplyTake[type];
                }
            }
            if (fullFromOwnShips && ownShip)
                sum = k.ShipSupplyThreshold;
            sum = std::min(sum, k.ShipSupplyThreshold);
            best = std::max(best, sum - HexDistance(unit->m_X, unit->m_Y, hx, hy));
        }
        if (best > 0 && (best > unit->m_Supply || unit->m_TurnsWithoutSupply >= 1))
        {
            unit->m_TurnsWithoutSupply = 0;
            unit->SetSupply(best);
        }
    }
}
