// Puts the sources onto the grid: cities on their hexes, the sea graph, the city graph
// and the units where they stood.
#include <algorithm>
#include <cmath>
#include <deque>
#include <functional>
#include <set>

#include "tools/scenariogen/scenario.h"
#include "world/hex_geometry.h"

namespace {

using tHex = std::pair<int, int>;

// Nearest hex, by steps over the grid from (x, y), that passes the test; (-1, -1) when none
// lies within `limit` steps.
tHex NearestHex(const sGeography& geo, int x, int y, int limit, const std::function<bool(int, int)>& ok)
{
    std::vector<std::vector<int>> seen(size_t(geo.grid.height), std::vector<int>(size_t(geo.grid.width), -1));
    std::deque<tHex> queue;
    if (!geo.Inside(x, y))
        return {-1, -1};
    seen[size_t(y)][size_t(x)] = 0;
    queue.push_back({x, y});
    while (!queue.empty()) {
        const auto [cx, cy] = queue.front();
        queue.pop_front();
        if (ok(cx, cy))
            return {cx, cy};
        if (seen[size_t(cy)][size_t(cx)] >= limit)
            continue;
        for (const auto& [nx, ny] : Neighbours(cx, cy))
            if (geo.Inside(nx, ny) && seen[size_t(ny)][size_t(nx)] < 0) {
                seen[size_t(ny)][size_t(nx)] = seen[size_t(cy)][size_t(cx)] + 1;
                queue.push_back({nx, ny});
            }
    }
    return {-1, -1};
}

bool IsOpenSea(const sScenario& s, int x, int y)
{
    if (!s.geo.Inside(x, y) || s.geo.IsLand(x, y))
        return false;
    return s.zoneNodeByCode.count(s.geo.ZoneAt(x, y)) != 0;
}

// The zone node a coastal hex borders most.
int CoastZone(const sScenario& s, int x, int y)
{
    std::map<int, int> count;
    for (const auto& [nx, ny] : Neighbours(x, y))
        if (IsOpenSea(s, nx, ny))
            ++count[s.zoneNodeByCode.at(s.geo.ZoneAt(nx, ny))];
    int best = 0, bestCount = 0;
    for (const auto& [zone, n] : count)
        if (n > bestCount) {
            best = zone;
            bestCount = n;
        }
    return best;
}

double KmBetween(const sScenario& s, int x1, int y1, int x2, int y2)
{
    const double dx = (x1 - x2) * s.geo.grid.columnKm;
    const double dy = ((y1 + (x1 % 2 == 0 ? 0.5 : 0.0)) - (y2 + (x2 % 2 == 0 ? 0.5 : 0.0))) * s.geo.grid.rowKm;
    return std::hypot(dx, dy);
}

// Steps over land from a to b, at most `limit`; -1 when b is farther or not reachable.
int LandSteps(const sScenario& s, tHex a, tHex b, int limit)
{
    std::map<tHex, int> seen{{a, 0}};
    std::deque<tHex> queue{a};
    while (!queue.empty()) {
        const tHex h = queue.front();
        queue.pop_front();
        const int d = seen[h];
        if (h == b)
            return d;
        if (d >= limit)
            continue;
        for (const tHex& n : Neighbours(h.first, h.second))
            if (s.geo.Inside(n.first, n.second) && s.geo.IsLand(n.first, n.second) && !seen.count(n)) {
                seen[n] = d + 1;
                queue.push_back(n);
            }
    }
    return -1;
}

} // namespace

int Distance(int x1, int y1, int x2, int y2) { return HexDistance(x1, y1, x2, y2); }

void MarkLandMasses(sScenario& s)
{
    const sGeography& geo = s.geo;
    s.landMass.assign(size_t(geo.grid.height), std::vector<int>(size_t(geo.grid.width), -1));
    int next = 0;
    for (int y = 0; y < geo.grid.height; ++y)
        for (int x = 0; x < geo.grid.width; ++x) {
            if (!geo.IsLand(x, y) || s.landMass[size_t(y)][size_t(x)] >= 0)
                continue;
            std::deque<tHex> queue{{x, y}};
            s.landMass[size_t(y)][size_t(x)] = next;
            while (!queue.empty()) {
                const tHex h = queue.front();
                queue.pop_front();
                for (const auto& [nx, ny] : Neighbours(h.first, h.second))
                    if (geo.Inside(nx, ny) && geo.IsLand(nx, ny) && s.landMass[size_t(ny)][size_t(nx)] < 0) {
                        s.landMass[size_t(ny)][size_t(nx)] = next;
                        queue.push_back({nx, ny});
                    }
            }
            ++next;
        }
}

bool PlaceCities(sScenario& s, std::string& error)
{
    // The zone nodes come first: ids 1.. in the order of sea_zones_1939.txt.
    for (const sSeaZoneSource& z : s.geo.zones) {
        const int id = int(s.seaNodes.size()) + 1;
        s.zoneNodeByCode[z.code] = id;
        sSeaNode node;
        node.id = id;
        node.name = z.name;
        s.seaNodes.push_back(node);
    }
    std::set<tHex> taken;
    for (sCitySource& c : s.cities) {
        const bool port = c.kind == KIND_PORT || c.kind == KIND_SUPPLYPORT;
        const auto [hx, hy] = LonLatToHex(s.geo.grid, c.lon, c.lat);
        if (hx < 0) {
            error = "cities_1939.txt:" + std::to_string(c.line) + ": " + c.name + " lies off the map";
            return false;
        }
        auto fits = [&](int x, int y) {
            if (!s.geo.IsLand(x, y) || taken.count({x, y}) || s.geo.CountryAt(x, y) != c.holder)
                return false;
            if (!port)
                return true;
            if (c.zone.empty())
                return CoastZone(s, x, y) != 0;
            for (const auto& [nx, ny] : Neighbours(x, y))
                if (IsOpenSea(s, nx, ny) && s.geo.ZoneAt(nx, ny) == c.zone)
                    return true;
            return false;
        };
        if (!c.zone.empty() && !s.zoneNodeByCode.count(c.zone)) {
            error = "cities_1939.txt:" + std::to_string(c.line) + ": no sea zone " + c.zone;
            return false;
        }
        const tHex at = NearestHex(s.geo, hx, hy, 6, fits);
        if (at.first < 0) {
            error = "cities_1939.txt:" + std::to_string(c.line) + ": no free " + (port ? "coastal " : "") +
                    "land hex near " + c.name;
            return false;
        }
        if (at != tHex{hx, hy})
            s.warnings.push_back(c.name + " moved from (" + std::to_string(hx) + ", " + std::to_string(hy) +
                                 ") to (" + std::to_string(at.first) + ", " + std::to_string(at.second) + ")");
        taken.insert(at);
        c.x = at.first;
        c.y = at.second;
        c.country = s.CountryIdAt(c.x, c.y);
        if (port)
            c.seaZone = c.zone.empty() ? CoastZone(s, c.x, c.y) : s.zoneNodeByCode.at(c.zone);
    }
    return true;
}

void BuildSeaGraph(sScenario& s)
{
    const sGeography& geo = s.geo;
    // Every zone: the main hex nearest the middle of its hexes, the two display hexes
    // beside it.
    std::map<int, std::vector<tHex>> hexesOf;
    for (int y = 0; y < geo.grid.height; ++y)
        for (int x = 0; x < geo.grid.width; ++x)
            if (IsOpenSea(s, x, y))
                hexesOf[s.zoneNodeByCode.at(geo.ZoneAt(x, y))].push_back({x, y});
    std::set<tHex> used;
    // Ports first take the sea beside them for their ships.
    static const std::set<std::string> kNavalBases = {
        "Scapa Flow", "Portsmouth", "Plymouth", "Gibraltar", "Malta", "Alexandria", "Wilhelmshaven", "Kiel",
        "Toulon", "Brest", "Taranto", "La Spezia", "Kronstadt", "Sevastopol", "Leningrad"};
    for (sCitySource& c : s.cities) {
        if (c.seaZone == 0)
            continue;
        sSeaNode node;
        node.id = int(s.seaNodes.size()) + 1;
        node.name = "-";
        const int base = c.kind == KIND_SUPPLYPORT ? 3 : 2;
        node.sizeMax = std::clamp(base + int(c.production) / 2, 1, 9);
        if (kNavalBases.count(c.name))
            node.sizeMax = std::max(node.sizeMax, 6);
        node.mainX = c.x;
        node.mainY = c.y;
        // Each port's ships have hexes of their own: two ports that shared one would draw their
        // ships on it together, and a click there could not tell which port was meant.
        std::vector<tHex> sea;
        for (const auto& [nx, ny] : Neighbours(c.x, c.y))
            if (IsOpenSea(s, nx, ny) && s.zoneNodeByCode.at(geo.ZoneAt(nx, ny)) == c.seaZone && !used.count({nx, ny}))
                sea.push_back({nx, ny});
        // The ships' hexes take the port's node as their zone when the game loads, so they
        // must lie at sea: on the city's own hex they would make the city a port node, and
        // a landing there would sail for the enemy's harbour instead of the sea before it.
        auto nearbySea = [&](const tHex& besides) {
            const tHex h = NearestHex(geo, c.x, c.y, 3, [&](int x, int y) {
                return tHex{x, y} != besides && !used.count({x, y}) && IsOpenSea(s, x, y) &&
                       s.zoneNodeByCode.at(geo.ZoneAt(x, y)) == c.seaZone;
            });
            return h.first < 0 ? besides : h;
        };
        const tHex own = sea.empty() ? nearbySea({c.x, c.y}) : sea[0];
        const tHex enemy = sea.size() > 1 ? sea[1] : nearbySea(own);
        used.insert(own);
        used.insert(enemy);
        node.ownX = own.first;
        node.ownY = own.second;
        node.enemyX = enemy.first;
        node.enemyY = enemy.second;
        c.seaNode = node.id;
        c.portSize = node.sizeMax;
        s.seaNodes.push_back(node);
        s.seaEdges.push_back({node.id, c.seaZone, -1, -1});
        s.seaEdges.push_back({c.seaZone, node.id, -1, -1});
    }
    for (sSeaNode& node : s.seaNodes) {
        if (node.name == "-")
            continue;
        std::vector<tHex>& hexes = hexesOf[node.id];
        if (hexes.empty())
            continue;
        double mx = 0, my = 0;
        for (const tHex& h : hexes) {
            mx += h.first;
            my += h.second;
        }
        mx /= double(hexes.size());
        my /= double(hexes.size());
        // The hex nearest the middle whose neighbours give two free hexes of the zone.
        std::vector<tHex> order = hexes;
        std::sort(order.begin(), order.end(), [&](const tHex& a, const tHex& b) {
            const double da = std::hypot(a.first - mx, a.second - my), db = std::hypot(b.first - mx, b.second - my);
            return da != db ? da < db : a < b;
        });
        for (const tHex& h : order) {
            if (used.count(h))
                continue;
            std::vector<tHex> free;
            for (const tHex& n : Neighbours(h.first, h.second))
                if (IsOpenSea(s, n.first, n.second) && s.zoneNodeByCode.at(geo.ZoneAt(n.first, n.second)) == node.id &&
                    !used.count(n))
                    free.push_back(n);
            if (free.size() < 2 && &h != &order.back())
                continue;
            node.mainX = h.first;
            node.mainY = h.second;
            const tHex own = free.size() > 0 ? free[0] : h;
            const tHex enemy = free.size() > 1 ? free[1] : h;
            node.ownX = own.first;
            node.ownY = own.second;
            node.enemyX = enemy.first;
            node.enemyY = enemy.second;
            used.insert(h);
            used.insert(own);
            used.insert(enemy);
            break;
        }
    }
    // Zones that touch are joined, and so are the two sides of every strait, however
    // narrow; a strait is held by the land hex at its point.
    std::vector<std::pair<std::string, std::string>> links = geo.zoneLinks;
    for (const sStrait& st : geo.straits) {
        bool known = false;
        for (const auto& [a, b] : links)
            known = known || (a == st.a && b == st.b) || (a == st.b && b == st.a);
        if (!known)
            links.emplace_back(st.a, st.b);
    }
    for (const auto& [a, b] : links) {
        if (!s.zoneNodeByCode.count(a) || !s.zoneNodeByCode.count(b))
            continue;
        int cx = -1, cy = -1;
        for (const sStrait& st : geo.straits)
            if ((st.a == a && st.b == b) || (st.a == b && st.b == a)) {
                const auto [hx, hy] = LonLatToHex(geo.grid, st.lon, st.lat);
                const tHex land = NearestHex(geo, hx, hy, 3, [&](int x, int y) {
                    return geo.IsLand(x, y) && s.CountryIdAt(x, y) != 0;
                });
                cx = land.first;
                cy = land.second;
            }
        const int ia = s.zoneNodeByCode.at(a), ib = s.zoneNodeByCode.at(b);
        s.seaEdges.push_back({ia, ib, cx, cy});
        s.seaEdges.push_back({ib, ia, cx, cy});
    }
    std::stable_sort(s.seaEdges.begin(), s.seaEdges.end(),
                     [](const sSeaEdge& a, const sSeaEdge& b) { return a.from < b.from; });
}

void BuildCityGraph(sScenario& s)
{
    std::vector<int> nodes; // cities with a node
    for (size_t i = 0; i < s.cities.size(); ++i)
        if (s.cities[i].kind != KIND_RESOURCE)
            nodes.push_back(int(i));
    auto mass = [&](int i) { return s.landMass[size_t(s.cities[size_t(i)].y)][size_t(s.cities[size_t(i)].x)]; };
    auto km = [&](int i, int j) {
        const sCitySource &a = s.cities[size_t(i)], &b = s.cities[size_t(j)];
        return KmBetween(s, a.x, a.y, b.x, b.y);
    };
    std::set<std::pair<int, int>> links;
    // Land links: the Gabriel graph of each land mass, limited to roads of a sensible
    // length that keep to the land.
    for (size_t a = 0; a < nodes.size(); ++a)
        for (size_t b = a + 1; b < nodes.size(); ++b) {
            const int i = nodes[a], j = nodes[b];
            if (mass(i) != mass(j))
                continue;
            const double dij = km(i, j);
            if (dij > 450.0)
                continue;
            bool blocked = false;
            for (int k : nodes)
                if (k != i && k != j && mass(k) == mass(i) && km(i, k) * km(i, k) + km(k, j) * km(k, j) < dij * dij) {
                    blocked = true;
                    break;
                }
            if (blocked)
                continue;
            const sCitySource &ci = s.cities[size_t(i)], &cj = s.cities[size_t(j)];
            const int straight = Distance(ci.x, ci.y, cj.x, cj.y);
            if (LandSteps(s, {ci.x, ci.y}, {cj.x, cj.y}, straight * 3 / 2 + 1) < 0)
                continue;
            links.insert({i, j});
        }
    // Join what is still apart within a land mass by its shortest land link.
    for (;;) {
        std::map<int, int> group;
        for (int i : nodes)
            group[i] = i;
        std::function<int(int)> find = [&](int i) { return group[i] == i ? i : group[i] = find(group[i]); };
        for (const auto& [i, j] : links)
            group[find(i)] = find(j);
        double best = 1e18;
        std::pair<int, int> join{-1, -1};
        for (size_t a = 0; a < nodes.size(); ++a)
            for (size_t b = a + 1; b < nodes.size(); ++b) {
                const int i = nodes[a], j = nodes[b];
                if (mass(i) == mass(j) && find(i) != find(j) && km(i, j) < best) {
                    best = km(i, j);
                    join = {i, j};
                }
            }
        if (join.first < 0)
            break;
        links.insert(join);
    }
    for (const auto& [i, j] : links) {
        s.cityLinks.push_back({i, j, 0});
        s.cityLinks.push_back({j, i, 0});
    }
    // Sea links: ports of different land masses within a short crossing.
    for (size_t a = 0; a < nodes.size(); ++a)
        for (size_t b = a + 1; b < nodes.size(); ++b) {
            const int i = nodes[a], j = nodes[b];
            const sCitySource &ci = s.cities[size_t(i)], &cj = s.cities[size_t(j)];
            if (ci.seaZone == 0 || cj.seaZone == 0 || mass(i) == mass(j) || km(i, j) > 360.0)
                continue;
            s.cityLinks.push_back({i, j, 1});
            s.cityLinks.push_back({j, i, 1});
        }
}

bool PlaceUnits(sScenario& s, std::string& error)
{
    std::set<tHex> taken;
    for (sUnitSource& u : s.units) {
        if (u.reserve)
            continue;
        int hx = -1, hy = -1;
        const int city = s.CityIndex(u.place);
        if (city >= 0) {
            hx = s.cities[size_t(city)].x;
            hy = s.cities[size_t(city)].y;
        } else {
            double lon = 0, lat = 0;
            if (std::sscanf(u.place.c_str(), "%lf,%lf", &lon, &lat) != 2) {
                error = "forces: line " + std::to_string(u.line) + ": no city " + u.place;
                return false;
            }
            std::tie(hx, hy) = LonLatToHex(s.geo.grid, lon, lat);
        }
        const tHex at = NearestHex(s.geo, hx, hy, 12, [&](int x, int y) {
            return s.geo.IsLand(x, y) && !taken.count({x, y}) && s.CountryIdAt(x, y) == u.country;
        });
        if (at.first < 0) {
            error = "forces: line " + std::to_string(u.line) + ": no free hex of the country near " + u.place;
            return false;
        }
        taken.insert(at);
        u.x = at.first;
        u.y = at.second;
    }
    for (sFleetSource& f : s.fleets) {
        const int city = s.CityIndex(f.port);
        if (city < 0 && s.zoneNodeByCode.count(f.port)) {
            f.seaNode = s.zoneNodeByCode.at(f.port);
            continue;
        }
        if (city < 0 || s.cities[size_t(city)].seaNode == 0) {
            error = "forces: fleet " + f.name + ": " + f.port + " is no port";
            return false;
        }
        f.seaNode = s.cities[size_t(city)].seaNode;
    }
    return true;
}
