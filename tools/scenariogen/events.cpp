// events.xml from its template: country codes, city hexes and stretches of territory
// written the way the event scripts name them.
//   {GE}                      the id of a country
//   {Paris.x} {Paris.y}       the hex of a city
//   {Kiel.port}               the sea node of a port city
//   <territory from="PL" to="SU" original="1">lon,lat lon,lat ...</territory>
//                             the hexes of one country inside the polygon handed to
//                             another, as stripe effects, one per run of a column
#include <fstream>
#include <regex>
#include <sstream>

#include "tools/scenariogen/output.h"

namespace {

bool InPolygon(const std::vector<std::pair<double, double>>& ring, double lon, double lat)
{
    bool inside = false;
    for (size_t i = 0, j = ring.size() - 1; i < ring.size(); j = i++) {
        const auto [xi, yi] = ring[i];
        const auto [xj, yj] = ring[j];
        if ((yi > lat) != (yj > lat) && lon < (xj - xi) * (lat - yi) / (yj - yi) + xi)
            inside = !inside;
    }
    return inside;
}

bool Territory(const sScenario& s, const std::smatch& m, std::string& out, std::string& error)
{
    const auto from = s.countryByCode.find(m[1]);
    const auto to = s.countryByCode.find(m[2]);
    if (from == s.countryByCode.end() || to == s.countryByCode.end()) {
        error = "territory names an unknown country";
        return false;
    }
    std::vector<std::pair<double, double>> ring;
    std::istringstream points(m[4].str());
    std::string point;
    while (points >> point) {
        double lon = 0, lat = 0;
        if (std::sscanf(point.c_str(), "%lf,%lf", &lon, &lat) != 2) {
            error = "territory: bad point " + point;
            return false;
        }
        ring.emplace_back(lon, lat);
    }
    if (ring.size() < 3) {
        error = "territory needs a polygon of three points or more";
        return false;
    }
    const char* method = m[3] == "1" ? "HexStripe.ChangeControllerOwnerAndOriginalOwner"
                                     : "HexStripe.ChangeControllerAndOwner";
    int stripes = 0;
    for (int x = 0; x < s.geo.grid.width; ++x) {
        int start = -1;
        for (int y = 0; y <= s.geo.grid.height; ++y) {
            bool in = false;
            if (y < s.geo.grid.height && s.geo.IsLand(x, y) && s.CountryIdAt(x, y) == from->second) {
                const auto [lon, lat] = HexLonLat(s.geo.grid, x, y);
                in = InPolygon(ring, lon, lat);
            }
            if (in && start < 0)
                start = y;
            if (!in && start >= 0) {
                out += "<effect method=\"" + std::string(method) + "\" param0=\"" + std::to_string(x) + "\" param1=\"" +
                       std::to_string(start) + "\" param2=\"" + std::to_string(y - start) + "\" param3=\"" +
                       std::to_string(to->second) + "\"/>\n          ";
                ++stripes;
                start = -1;
            }
        }
    }
    if (stripes == 0) {
        error = "territory from " + m[1].str() + " to " + m[2].str() + " holds no hex";
        return false;
    }
    return true;
}

} // namespace

bool WriteDraftEvents(const sScenario& s, const std::string& templatePath, const std::string& folder,
                      std::string& error)
{
    std::ifstream in(templatePath, std::ios::binary);
    if (!in) {
        error = templatePath + ": cannot read";
        return false;
    }
    std::stringstream buffer;
    buffer << in.rdbuf();
    std::string text = buffer.str();

    std::string out;
    const std::regex territory(
        R"re(<territory from="([A-Z]{2})" to="([A-Z]{2})" original="([01])">([^<]*)</territory>\s*)re");
    std::smatch m;
    std::string rest = text;
    while (std::regex_search(rest, m, territory)) {
        out += m.prefix();
        if (!Territory(s, m, out, error)) {
            error = templatePath + ": " + error;
            return false;
        }
        rest = m.suffix();
    }
    out += rest;

    const std::regex placeholder(R"(\{([A-Za-z .'-]+?)(?:\.([xy]|port))?\})");
    text.clear();
    rest = out;
    while (std::regex_search(rest, m, placeholder)) {
        text += m.prefix();
        const std::string name = m[1];
        if (m[2].matched) {
            const int city = s.CityIndex(name);
            if (city < 0) {
                error = templatePath + ": no city " + name;
                return false;
            }
            const sCitySource& c = s.cities[size_t(city)];
            if (m[2] == "port" && c.seaNode < 1) {
                error = templatePath + ": " + name + " is no port";
                return false;
            }
            text += std::to_string(m[2] == "x" ? c.x : m[2] == "y" ? c.y : c.seaNode);
        } else {
            const auto it = s.countryByCode.find(name);
            if (it == s.countryByCode.end()) {
                error = templatePath + ": no country " + name;
                return false;
            }
            text += std::to_string(it->second);
        }
        rest = m.suffix();
    }
    text += rest;
    std::ofstream file(folder + "/events.xml", std::ios::binary);
    file << text;
    if (!file) {
        error = folder + "/events.xml: cannot write";
        return false;
    }
    return true;
}
