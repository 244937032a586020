#include "tools/scenariogen/geo.h"

#include <cmath>
#include <fstream>
#include <regex>
#include <sstream>

#include "world/hex_geometry.h"

namespace {

constexpr double kDeg = M_PI / 180.0;
constexpr double kPhi1 = 40 * kDeg, kPhi2 = 60 * kDeg, kPhi0 = 52 * kDeg, kLam0 = 15 * kDeg;
constexpr double kEarthKm = 6371.0;

struct sConic
{
    double n, f, rho0;
    sConic()
    {
        n = std::log(std::cos(kPhi1) / std::cos(kPhi2)) /
            std::log(std::tan(M_PI / 4 + kPhi2 / 2) / std::tan(M_PI / 4 + kPhi1 / 2));
        f = std::cos(kPhi1) * std::pow(std::tan(M_PI / 4 + kPhi1 / 2), n) / n;
        rho0 = f / std::pow(std::tan(M_PI / 4 + kPhi0 / 2), n);
    }
};
const sConic kConic;

std::pair<double, double> Unproject(double x, double y)
{
    x /= kEarthKm;
    y /= kEarthKm;
    const double rho = (kConic.n > 0 ? 1 : -1) * std::hypot(x, kConic.rho0 - y);
    const double theta = std::atan2(x, kConic.rho0 - y);
    const double lat = 2 * std::atan(std::pow(kConic.f / rho, 1 / kConic.n)) - M_PI / 2;
    return {(kLam0 + theta / kConic.n) / kDeg, lat / kDeg};
}

// A layer of `perHex` characters a hex, comment lines skipped.
bool ReadLayer(const std::string& path, const sGrid& grid, size_t perHex, std::vector<std::string>& rows,
               std::string& error)
{
    std::vector<std::string> lines;
    if (!ReadLines(path, lines, error))
        return false;
    for (const std::string& line : lines) {
        if (line.empty() || line[0] == '#')
            continue;
        if (line.size() != size_t(grid.width) * perHex) {
            error = path + ": row " + std::to_string(rows.size() + 1) + " has " + std::to_string(line.size()) +
                    " characters, not " + std::to_string(size_t(grid.width) * perHex);
            return false;
        }
        rows.push_back(line);
    }
    if (rows.size() != size_t(grid.height)) {
        error = path + ": " + std::to_string(rows.size()) + " rows, not " + std::to_string(grid.height);
        return false;
    }
    return true;
}

} // namespace

bool ReadLines(const std::string& path, std::vector<std::string>& lines, std::string& error)
{
    std::ifstream in(path);
    if (!in) {
        error = path + ": cannot read";
        return false;
    }
    std::string line;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        lines.push_back(line);
    }
    return true;
}

std::string SourceLine(const std::string& path, int line) { return path + ":" + std::to_string(line) + ": "; }

std::pair<double, double> Project(double lon, double lat)
{
    const double rho = kConic.f / std::pow(std::tan(M_PI / 4 + lat * kDeg / 2), kConic.n);
    const double theta = kConic.n * (lon * kDeg - kLam0);
    return {kEarthKm * rho * std::sin(theta), kEarthKm * (kConic.rho0 - rho * std::cos(theta))};
}

std::pair<int, int> LonLatToHex(const sGrid& grid, double lon, double lat)
{
    const auto [px, py] = Project(lon, lat);
    const int x = int(std::floor((px - grid.west) / grid.columnKm));
    if (x < 0 || x >= grid.width)
        return {-1, -1};
    const int y = int(std::floor((grid.north - py) / grid.rowKm - (x % 2 == 0 ? 0.5 : 0.0)));
    if (y < 0 || y >= grid.height)
        return {-1, -1};
    return {x, y};
}

std::pair<double, double> HexLonLat(const sGrid& grid, int x, int y)
{
    const double px = grid.west + (x + 0.5) * grid.columnKm;
    const double py = grid.north - (y + 0.5 + (x % 2 == 0 ? 0.5 : 0.0)) * grid.rowKm;
    return Unproject(px, py);
}

std::array<std::pair<int, int>, 6> Neighbours(int x, int y)
{
    std::array<std::pair<int, int>, 6> out;
    for (int d = 0; d < 6; ++d)
        GetNeighbourCoords(x, y, d, out[size_t(d)]);
    return out;
}

int sGeography::TerrainCode(int x, int y) const
{
    if (!Inside(x, y))
        return 0;
    static const std::string kLetters = ".pfrshmd";
    const size_t code = kLetters.find(terrain[size_t(y)][size_t(x)]);
    return code == std::string::npos ? 1 : int(code);
}

std::string sGeography::CountryAt(int x, int y) const
{
    if (!Inside(x, y))
        return "..";
    return countries[size_t(y)].substr(size_t(x) * 2, 2);
}

std::string sGeography::ZoneAt(int x, int y) const
{
    if (!Inside(x, y))
        return "..";
    return seaZones[size_t(y)].substr(size_t(x) * 2, 2);
}

bool ReadGeography(const std::string& folder, sGeography& geo, std::string& error)
{
    std::vector<std::string> lines;
    if (!ReadLines(folder + "/grid.txt", lines, error) || lines.empty())
        return error.empty() ? (error = folder + "/grid.txt: empty", false) : false;
    {
        std::istringstream words(lines[0]);
        std::string hash, key;
        words >> hash;
        while (words >> key) {
            if (key == "width")
                words >> geo.grid.width;
            else if (key == "height")
                words >> geo.grid.height;
            else if (key == "column_km")
                words >> geo.grid.columnKm;
            else if (key == "west")
                words >> geo.grid.west;
            else if (key == "north")
                words >> geo.grid.north;
        }
        geo.grid.rowKm = geo.grid.columnKm * 98.0 / 83.0;
        if (geo.grid.width < 1 || geo.grid.height < 1 || geo.grid.width > 1000 || geo.grid.height > 1000) {
            error = folder + "/grid.txt: no size";
            return false;
        }
    }
    if (!ReadLayer(folder + "/terrain.txt", geo.grid, 1, geo.terrain, error) ||
        !ReadLayer(folder + "/countries_1939.txt", geo.grid, 2, geo.countries, error) ||
        !ReadLayer(folder + "/seazones.txt", geo.grid, 2, geo.seaZones, error))
        return false;

    lines.clear();
    if (!ReadLines(folder + "/rivers.txt", lines, error))
        return false;
    for (size_t i = 0; i < lines.size(); ++i) {
        if (lines[i].empty() || lines[i][0] == '#')
            continue;
        std::istringstream words(lines[i]);
        int x = -1, y = -1, mask = 0;
        if (!(words >> x >> y >> mask) || !geo.Inside(x, y) || mask < 0 || mask > 127) {
            error = folder + "/rivers.txt:" + std::to_string(i + 1) + ": needs x y mask on the map";
            return false;
        }
        geo.rivers[{x, y}] |= mask;
    }

    lines.clear();
    if (!ReadLines(folder + "/sea_zones_1939.txt", lines, error))
        return false;
    const std::regex zoneLine(R"(^([A-Z]{2}) ([^:]+):.*$)");
    const std::regex straitLine(R"(^strait ([A-Z]{2}) ([A-Z]{2}): *(-?[0-9.]+),(-?[0-9.]+)\s*$)");
    for (size_t i = 0; i < lines.size(); ++i) {
        const std::string& line = lines[i];
        std::smatch m;
        if (line.empty() || line[0] == '#')
            continue;
        if (std::regex_match(line, m, straitLine))
            geo.straits.push_back({m[1], m[2], std::stod(m[3]), std::stod(m[4])});
        else if (std::regex_match(line, m, zoneLine))
            geo.zones.push_back({m[1], m[2]});
        else {
            error = folder + "/sea_zones_1939.txt:" + std::to_string(i + 1) + ": cannot read";
            return false;
        }
    }

    for (const sStrait& st : geo.straits) {
        bool a = false, b = false;
        for (const sSeaZoneSource& z : geo.zones) {
            a = a || z.code == st.a;
            b = b || z.code == st.b;
        }
        if (!a || !b) {
            error = folder + "/sea_zones_1939.txt: the strait " + st.a + " " + st.b + " names a zone that is not given";
            return false;
        }
    }

    lines.clear();
    if (!ReadLines(folder + "/sea_zone_links.txt", lines, error))
        return false;
    for (const std::string& line : lines) {
        if (line.empty() || line[0] == '#')
            continue;
        std::istringstream words(line);
        std::string a, b;
        words >> a >> b;
        geo.zoneLinks.emplace_back(a, b);
    }
    return true;
}
