// The first draft of the scenario's files, in the formats the game's readers take. The
// game then loads the draft and its own writers write the files that are kept, so a
// draft the readers refuse fails the generator instead of drifting from the game.
#include <cstdarg>
#include <cstdio>
#include <fstream>
#include <sstream>

#include "core/text.h"
#include "tools/scenariogen/output.h"
#include "world/map.h"

namespace {

std::string Format(const char* format, ...) __attribute__((format(printf, 1, 2)));
std::string Format(const char* format, ...)
{
    char buffer[2048];
    va_list args;
    va_start(args, format);
    std::vsnprintf(buffer, sizeof buffer, format, args);
    va_end(args);
    return buffer;
}

// Lines joined with CR LF, as every file of the game is written.
bool WriteLines(const std::string& path, const std::vector<std::string>& lines, std::string& error)
{
    std::ofstream out(path, std::ios::binary);
    for (const std::string& line : lines)
        out << line << "\r\n";
    if (!out) {
        error = path + ": cannot write";
        return false;
    }
    return true;
}

unsigned Shade(unsigned colour, double factor)
{
    unsigned out = colour & 0xFF000000u;
    for (int shift = 0; shift < 24; shift += 8) {
        double c = double((colour >> shift) & 0xFF);
        c = factor < 1.0 ? c * factor : c + (255.0 - c) * (factor - 1.0);
        out |= unsigned(std::min(255.0, std::max(0.0, c))) << shift;
    }
    return out;
}

} // namespace

bool WriteMap(const sScenario& s, const std::string& folder, std::string& error)
{
    const sGeography& geo = s.geo;
    cMapa map(geo.grid.width, geo.grid.height);
    for (int y = 0; y < geo.grid.height; ++y)
        for (int x = 0; x < geo.grid.width; ++x) {
            sHex& hex = *map.GetHex(x, y);
            hex.terrain = uint8_t(geo.TerrainCode(x, y));
            const int country = hex.terrain ? s.CountryIdAt(x, y) : 0;
            hex.owner = hex.controller = hex.originalOwner = uint8_t(country);
            const auto zone = s.zoneNodeByCode.find(geo.ZoneAt(x, y));
            hex.seaZone = hex.terrain == 0 && zone != s.zoneNodeByCode.end() ? uint16_t(zone->second) : 0;
            const auto river = geo.rivers.find({x, y});
            if (river != geo.rivers.end() && hex.terrain)
                hex.riverMask = uint8_t(river->second);
            const sClimate climate = ClimateAt(geo, x, y);
            for (int m = 0; m < 12; ++m) {
                hex.mudChance[m] = hex.terrain ? climate.mud[m] : 0;
                hex.winterChance[m] = hex.terrain ? climate.winter[m] : 0;
            }
        }
    // Coastal land takes the zone of the sea beside it.
    for (int y = 0; y < geo.grid.height; ++y)
        for (int x = 0; x < geo.grid.width; ++x) {
            sHex& hex = *map.GetHex(x, y);
            if (hex.IsSea())
                continue;
            for (int d = 0; d < 6; ++d) {
                const sHex* n = map.GetNeighbour(x, y, d);
                if (n && n->IsSea() && n->seaZone != 0) {
                    hex.coastal = 1;
                    if (hex.seaZone == 0)
                        hex.seaZone = n->seaZone;
                }
            }
        }
    // A port's hex lies in the zone its node opens on.
    for (const sCitySource& c : s.cities)
        if (c.seaZone != 0)
            map.GetHex(c.x, c.y)->seaZone = uint16_t(c.seaZone);
    for (const auto& [hex, level] : Fortifications(s))
        map.GetHex(hex.first, hex.second)->fortification = uint8_t(level);
    map.Save(Utf8ToWide(folder), nullptr);
    if (!std::ifstream(folder + "/map.qvr")) {
        error = folder + "/map.qvr: cannot write";
        return false;
    }
    return true;
}

bool WriteDraftTables(const sScenario& s, const std::string& folder, std::string& error)
{
    std::vector<std::string> lines;

    lines = {"#ID;IsActive?;Name;Color1;Color2;Color3;Color4;..."};
    for (const sCountrySource& c : s.countries) {
        int cx = 0, cy = 0;
        const int capital = s.CityIndex(c.capital);
        if (capital >= 0) {
            cx = s.cities[size_t(capital)].x * kMinimapScale + kMinimapScale / 2;
            cy = s.cities[size_t(capital)].y * kMinimapScale + kMinimapScale / 2;
        }
        const int doctrine = c.tech[2];
        lines.push_back(Format(
            "%d;1;%s;%08X;%08X;%08X;%08X;%d;%d;%d;%d;%d;0;%d;%d;%d;%d;%d;%d;%d;%d;%f;%d;%d;%d;%d;%d;0;%d;"
            "0;0;0;0;0;0;0;0;0;0;0;0;%d;%d;0;0;0;0;%f;%f;%d;%d;2;0;%d;%d;%d;%d;%d;%d;0;0;0;0;1.000000;"
            "%f;%f;%f;%f;%d;;",
            c.id, c.name.c_str(), c.colour, Shade(c.colour, 0.6), Shade(c.colour, 1.5), Shade(c.colour, 0.3),
            c.alliance, c.orientation, c.zone, c.allianceEntry, c.politicalStrength, c.human, c.tech[0], c.tech[1],
            doctrine, c.tech[3], c.tech[4], c.tech[5], c.tech[6], c.pp, c.dp, c.smp, c.stp, c.aip, c.smp, c.aip, cx,
            cy, c.unrest, c.warEconomy, c.power, c.region, c.dpGrowth, c.doctrineMonths[0], c.doctrineMonths[1],
            c.doctrineMonths[2], c.doctrineMonths[3], c.doctrineMonths[4], c.winterBattle, c.winterMove,
            c.mudBattle, c.mudMove, c.special));
    }
    if (!WriteLines(folder + "/countries.csv", lines, error))
        return false;

    lines = {"#Name;Hex X;Hex Y;Type;Victory points;Production points;Supply;Production points lost"};
    for (const sCitySource& c : s.cities)
        lines.push_back(Format("%s;%d;%d;%d;%d;%.1f;%d;0;", c.name.c_str(), c.x, c.y, c.kind, c.victoryPoints,
                               c.production, CitySupply(c)));
    if (!WriteLines(folder + "/cities.csv", lines, error))
        return false;

    lines = {"#From hex X;From hex Y;To hex X;To hex Y;Link [0=land 1=sea]"};
    for (const sCityLink& l : s.cityLinks) {
        const sCitySource &a = s.cities[size_t(l.from)], &b = s.cities[size_t(l.to)];
        lines.push_back(Format("%d;%d;%d;%d;%d", a.x, a.y, b.x, b.y, l.value));
    }
    if (!WriteLines(folder + "/cities_diagram.csv", lines, error))
        return false;

    lines = {"#ID;Name (seas only);Size max (0-sea / 1 to 9-port);Size current;Hex X;Hex Y;Player unit hex X;"
             "Player unit hex Y;Enemy unit hex X;Enemy unit hex Y"};
    for (const sSeaNode& n : s.seaNodes)
        lines.push_back(Format("%d;%s;%d;%d;%d;%d;%d;%d;%d;%d;", n.id, n.name.c_str(), n.sizeMax, n.sizeMax, n.mainX,
                               n.mainY, n.ownX, n.ownY, n.enemyX, n.enemyY));
    if (!WriteLines(folder + "/sea_nodes.csv", lines, error))
        return false;

    lines = {"#From sea node ID;To sea node ID;Controlling hex X (-1 = free);Controlling hex Y"};
    for (const sSeaEdge& e : s.seaEdges)
        lines.push_back(Format("%d;%d;%d;%d", e.from, e.to, e.controlX, e.controlY));
    if (!WriteLines(folder + "/sea_edges.csv", lines, error))
        return false;

    // Relations and losses: the wars of the first day.
    const size_t n = s.countries.size();
    for (const char* file : {"relations.csv", "losses.csv"}) {
        const bool relations = file[0] == 'r';
        lines = {relations ? "#Relations matrix [0=peace, 1=war]" : "#Losses matrix:", "#Country ID;Country Name;..."};
        for (const sCountrySource& c : s.countries) {
            std::string row = Format("%d;%s", c.id, c.name.c_str());
            for (size_t k = 0; k < n; ++k)
                row += relations && AtWar(s, c.id, int(k) + 1) ? ";1" : ";0";
            lines.push_back(row);
        }
        if (!WriteLines(folder + "/" + file, lines, error))
            return false;
    }

    lines = {"#Commanders", "#ID;Name;Country ID;Type;Skill;Experience;State"};
    for (const sCommanderSource& c : s.commanders)
        lines.push_back(Format("%d;%s;%d;%d;%d;%d;%d;", c.id, c.name.c_str(), c.country, c.type, c.skill,
                               c.experience, c.state));
    if (!WriteLines(folder + "/commanders.csv", lines, error))
        return false;

    // Land and air units.
    std::vector<std::string> land = {"#Land units", "#ID;Name;Country ID;Hex X;Hex Y;Type;..."};
    std::vector<std::string> air = {"#Air units", "#ID;Name;Country ID;Hex X;Hex Y;Type;..."};
    int landId = 0, airId = 0;
    for (const sUnitSource& u : s.units) {
        const int reserve = u.reserve ? 1 : 0;
        const int x = u.reserve ? -1 : u.x, y = u.reserve ? -1 : u.y;
        if (u.category == 0) {
            const int ap = LandActionPoints(s, u);
            land.push_back(Format("%d;%s;%d;%d;%d;%d;%d;%d;%d;0;0;-1;-1;%d;-1;%d;%d;0.000000;0;-1;-1;-1;-1;-1;%d;0;"
                                  "0;-1;0;0;%d;%d;%d;",
                                  ++landId, u.name.c_str(), u.country, x, y, u.type, u.level, u.strength, ap, ap,
                                  u.commander, reserve, kFullSupply, x, y, u.availableIn));
        } else {
            const int ap = AirActionPoints(u);
            air.push_back(Format("%d;%s;%d;%d;%d;%d;%d;%d;%d;0;0;-1;-1;%d;%d;%d;%d;0;%d;", ++airId, u.name.c_str(),
                                 u.country, x, y, u.type, u.level, u.strength, u.commander, ap, ap, reserve,
                                 kFullSupply, u.availableIn));
        }
    }
    if (!WriteLines(folder + "/land_units.csv", land, error) || !WriteLines(folder + "/air_units.csv", air, error))
        return false;

    lines = {"#Fleets", "#ID;Name;Country ID;Sea node ID;Formation;Has Moved?;Order (AI);Destination;X;Y;Is active?"};
    for (const sFleetSource& f : s.fleets)
        lines.push_back(Format("%d;%s;%d;%d;%d;0;-1;-1;-1;-1;1;", f.id, f.name.c_str(), f.country, f.seaNode,
                               f.raiders));
    if (!WriteLines(folder + "/fleets.csv", lines, error))
        return false;

    lines = {"#Naval units", "#ID;Name;Country ID;Type;Fleet ID;HP;Max HP;Commander ID;In reserve;..."};
    for (const sShipSource& sh : s.ships)
        lines.push_back(Format("%d;%s;%d;%d;%d;%d;%d;%d;%d;0;0;%d;0;1;", sh.id, sh.name.c_str(), sh.country, sh.type,
                               sh.fleet, sh.hp, sh.hp, sh.commander, sh.fleet < 0 ? 1 : 0, sh.availableIn));
    if (!WriteLines(folder + "/naval_units.csv", lines, error))
        return false;

    if (!WriteLines(folder + "/convoys.csv", {"#Convoys", "#ID;Owner ID;Type;Value;Departure port ID;Destination port ID;"},
                    error) ||
        !WriteLines(folder + "/flags.txt", {"# flag no;flag value"}, error) ||
        !WriteLines(folder + "/airrecon_units.csv", {"#Hexes with units spoted with air recon"}, error))
        return false;

    lines = {"#Player defined places", "#Set using by Ctrl+<num> combination", "#Go to using <num> key)",
             "#Format: hexX;hexY"};
    for (const char* name : {"Berlin", "Warsaw", "Paris", "London", "Moscow", "Rome"}) {
        const int city = s.CityIndex(name);
        if (city >= 0)
            lines.push_back(Format("%d;%d", s.cities[size_t(city)].x, s.cities[size_t(city)].y));
    }
    if (!WriteLines(folder + "/PlayerDefinedPlaces.txt", lines, error))
        return false;

    lines = {"; the event files of " + std::string(kScenarioName),
             "data\\scenarios\\" + std::string(kScenarioName) + "\\events.xml"};
    return WriteLines(folder + "/event_files.txt", lines, error);
}
