// Climate, fortifications, the wars of the first day and the action points of units.
#include <cmath>
#include <sstream>

#include "game/load_files.h"
#include "tools/scenariogen/output.h"

int kFullSupply = 10;

namespace {

std::map<std::pair<int, int>, int> g_Forts;
std::vector<std::pair<int, int>> g_Wars;
int g_LandAP[6][7] = {};
int g_AirAP[3] = {};

// A file that cannot be read has no rows: the count check below reports it.
std::vector<std::string> DataRows(const std::string& path)
{
    std::vector<std::string> lines;
    std::string unread;
    ReadLines(path, lines, unread);
    std::vector<std::string> rows;
    for (const std::string& line : lines)
        if (!line.empty() && line[0] != '#')
            rows.push_back(line);
    return rows;
}

// A month's chance: the table's value, never above 100.
uint8_t Chance(int v) { return uint8_t(std::max(0, std::min(100, v))); }

} // namespace

bool ReadRules(const std::string& sourceFolder, sScenario& s, std::string& error)
{
    // consts.csv: rows 2-7 (land action points), 8 (air), 48 (supply maximum), 154 (delivery).
    const std::vector<std::string> rows = DataRows(sourceFolder + "/consts.csv");
    if (rows.size() != 185) {
        error = sourceFolder + "/consts.csv: " + std::to_string(rows.size()) + " data rows, not 185";
        return false;
    }
    for (int d = 0; d < 6; ++d) {
        const std::vector<std::string> f = SplitTokens(rows[size_t(1 + d)]);
        for (int t = 0; t < 7 && t + 1 < int(f.size()); ++t)
            g_LandAP[d][t] = std::atoi(f[size_t(t + 1)].c_str());
    }
    const std::vector<std::string> air = SplitTokens(rows[7]);
    for (int t = 0; t < 3 && t < int(air.size()); ++t)
        g_AirAP[t] = std::atoi(air[size_t(t)].c_str());
    kFullSupply = std::atoi(rows[47].c_str());
    // Row 154: the impulses each purchasable type takes to be delivered. Counting 1, 2, 3 ...
    // is a placeholder, not a choice: it would make a submarine take 14 impulses, an infantry
    // division one.
    const std::vector<std::string> delivery = SplitTokens(rows[153]);
    bool counts = delivery.size() >= 14;
    bool positive = delivery.size() >= 14;
    for (size_t k = 0; k < 14 && k < delivery.size(); ++k) {
        const int impulses = std::atoi(delivery[k].c_str());
        positive = positive && impulses >= 1;
        counts = counts && impulses == int(k) + 1;
    }
    if (!positive || counts) {
        error = sourceFolder + "/consts.csv: row 154 needs the delivery time of each of the 14 purchasable types, " +
                (positive ? "not their numbers 1 to 14" : "each at least 1 impulse");
        return false;
    }

    // wars.txt: "A B" the codes of two countries at war on the first day.
    const std::string warsPath = sourceFolder + "/wars.txt";
    std::vector<std::string> lines;
    if (!ReadLines(warsPath, lines, error))
        return false;
    int number = 0;
    for (const std::string& line : lines) {
        ++number;
        if (line.empty() || line[0] == '#')
            continue;
        std::istringstream words(line);
        std::string a, b;
        words >> a >> b;
        if (!s.countryByCode.count(a) || !s.countryByCode.count(b)) {
            error = SourceLine(warsPath, number) + "unknown country";
            return false;
        }
        g_Wars.emplace_back(s.countryByCode[a], s.countryByCode[b]);
    }

    // fortifications.txt: "LEVEL CODE: lon,lat lon,lat ..." a line of forts along the
    // points, on the hexes of that country.
    const std::string fortsPath = sourceFolder + "/fortifications.txt";
    lines.clear();
    if (!ReadLines(fortsPath, lines, error))
        return false;
    number = 0;
    for (const std::string& line : lines) {
        ++number;
        if (line.empty() || line[0] == '#')
            continue;
        const size_t colon = line.find(':');
        std::istringstream head(line.substr(0, colon));
        int level = 0;
        std::string code;
        head >> level >> code;
        if (colon == std::string::npos || level < 1 || level > 5 || !s.countryByCode.count(code)) {
            error = SourceLine(fortsPath, number) + "needs LEVEL CODE: points";
            return false;
        }
        std::vector<std::pair<double, double>> points;
        std::istringstream rest(line.substr(colon + 1));
        std::string point;
        while (rest >> point) {
            double lon = 0, lat = 0;
            if (std::sscanf(point.c_str(), "%lf,%lf", &lon, &lat) != 2) {
                error = SourceLine(fortsPath, number) + "bad point " + point;
                return false;
            }
            points.emplace_back(lon, lat);
        }
        const int country = s.countryByCode[code];
        auto mark = [&](double lon, double lat) {
            const auto [x, y] = LonLatToHex(s.geo.grid, lon, lat);
            if (x >= 0 && s.geo.IsLand(x, y) && s.CountryIdAt(x, y) == country)
                g_Forts[{x, y}] = std::max(g_Forts[{x, y}], level);
        };
        for (size_t i = 0; i < points.size(); ++i) {
            if (i + 1 == points.size()) {
                mark(points[i].first, points[i].second);
                break;
            }
            for (int k = 0; k < 40; ++k) {
                const double t = k / 40.0;
                mark(points[i].first + (points[i + 1].first - points[i].first) * t,
                     points[i].second + (points[i + 1].second - points[i].second) * t);
            }
        }
    }
    return true;
}

sClimate ClimateAt(const sGeography& geo, int x, int y)
{
    const auto [lon, lat] = HexLonLat(geo.grid, x, y);
    const int terrain = geo.TerrainCode(x, y);
    // Chances January to December.
    static const int kArcticWinter[12] = {95, 95, 85, 60, 15, 0, 0, 0, 10, 45, 80, 90};
    static const int kArcticMud[12] = {0, 0, 5, 25, 45, 10, 0, 0, 15, 35, 10, 0};
    static const int kRussianWinter[12] = {85, 80, 55, 10, 0, 0, 0, 0, 0, 10, 45, 75};
    static const int kRussianMud[12] = {0, 5, 25, 60, 25, 0, 0, 0, 10, 50, 35, 5};
    static const int kSteppeWinter[12] = {65, 55, 30, 0, 0, 0, 0, 0, 0, 0, 25, 50};
    static const int kSteppeMud[12] = {5, 15, 40, 45, 10, 0, 0, 0, 5, 40, 35, 10};
    static const int kCentralWinter[12] = {40, 35, 15, 0, 0, 0, 0, 0, 0, 0, 10, 30};
    static const int kCentralMud[12] = {10, 15, 25, 20, 5, 0, 0, 0, 5, 20, 25, 15};
    static const int kMaritimeWinter[12] = {15, 12, 5, 0, 0, 0, 0, 0, 0, 0, 3, 10};
    static const int kMaritimeMud[12] = {20, 20, 15, 10, 5, 0, 0, 0, 5, 15, 25, 20};
    static const int kMediterraneanWinter[12] = {5, 5, 0, 0, 0, 0, 0, 0, 0, 0, 0, 3};
    static const int kMediterraneanMud[12] = {20, 20, 10, 5, 0, 0, 0, 0, 0, 10, 20, 25};
    static const int kDesertMud[12] = {5, 5, 0, 0, 0, 0, 0, 0, 0, 0, 0, 5};
    static const int kNone[12] = {};
    const int* winter = kCentralWinter;
    const int* mud = kCentralMud;
    if (terrain == 7 || lat < 33.5) {
        winter = kNone;
        mud = kDesertMud;
    } else if (lat > 62.0) {
        winter = kArcticWinter;
        mud = kArcticMud;
    } else if (lon > 24.0 && lat > 50.0) {
        winter = kRussianWinter;
        mud = kRussianMud;
    } else if (lon > 28.0 && lat > 44.0) {
        winter = kSteppeWinter;
        mud = kSteppeMud;
    } else if (lat < 42.5 || (lat < 44.0 && lon < 10.0 && lon > -1.0)) {
        winter = kMediterraneanWinter;
        mud = kMediterraneanMud;
    } else if (lon < 6.0) {
        winter = kMaritimeWinter;
        mud = kMaritimeMud;
    } else if (lat > 56.0) {
        winter = kRussianWinter;
        mud = kRussianMud;
    }
    sClimate c;
    for (int m = 0; m < 12; ++m) {
        int w = winter[m];
        // Mountains keep the snow longer and get it earlier.
        if (terrain == 6 && (m <= 3 || m >= 9))
            w = std::max(w, 0) + 30;
        else if (terrain == 5 && (m <= 2 || m >= 10))
            w += 10;
        c.winter[m] = Chance(w);
        c.mud[m] = Chance(terrain == 4 ? mud[m] + 15 : mud[m]);
    }
    return c;
}

const std::map<std::pair<int, int>, int>& Fortifications(const sScenario&) { return g_Forts; }

int CitySupply(const sCitySource& c)
{
    if (c.kind == KIND_SUPPLY)
        return c.victoryPoints >= 5 ? 10 : 6;
    if (c.kind == KIND_SUPPLYPORT)
        return c.victoryPoints >= 5 ? 10 : 5;
    return 0;
}

bool AtWar(const sScenario&, int a, int b)
{
    for (const auto& [x, y] : g_Wars)
        if ((x == a && y == b) || (x == b && y == a))
            return true;
    return false;
}

int LandActionPoints(const sScenario& s, const sUnitSource& u)
{
    const int doctrine = std::max(0, std::min(5, s.countries[size_t(u.country - 1)].tech[2]));
    return g_LandAP[doctrine][std::max(0, std::min(6, u.type))];
}

int AirActionPoints(const sUnitSource& u) { return g_AirAP[std::max(0, std::min(2, u.type - 20))]; }
