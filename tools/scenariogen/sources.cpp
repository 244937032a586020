// Readers of the generator's hand-written sources.
#include <sstream>

#include "tools/scenariogen/scenario.h"

namespace {

std::string Trim(const std::string& s)
{
    const size_t b = s.find_first_not_of(" \t\r");
    if (b == std::string::npos)
        return "";
    const size_t e = s.find_last_not_of(" \t\r");
    return s.substr(b, e - b + 1);
}

std::vector<std::string> Fields(const std::string& line)
{
    std::vector<std::string> out;
    std::string field;
    std::istringstream in(line);
    while (std::getline(in, field, ';'))
        out.push_back(Trim(field));
    return out;
}

struct sLines
{
    std::string path;
    std::vector<std::pair<int, std::string>> lines; // number, text without comments
};

bool ReadSourceLines(const std::string& path, sLines& out, std::string& error)
{
    std::vector<std::string> lines;
    if (!ReadLines(path, lines, error))
        return false;
    out.path = path;
    int number = 0;
    for (const std::string& raw : lines) {
        ++number;
        const std::string line = Trim(raw);
        if (line.empty() || line[0] == '#')
            continue;
        out.lines.emplace_back(number, line);
    }
    return true;
}

bool ToInt(const std::string& text, int& value)
{
    try {
        size_t used = 0;
        value = std::stoi(text, &used);
        return used == text.size();
    } catch (...) {
        return false;
    }
}

bool ToDouble(const std::string& text, double& value)
{
    try {
        size_t used = 0;
        value = std::stod(text, &used);
        return used == text.size();
    } catch (...) {
        return false;
    }
}

std::string Where(const sLines& src, int line) { return SourceLine(src.path, line); }

} // namespace

int sScenario::CityIndex(const std::string& name) const
{
    for (size_t i = 0; i < cities.size(); ++i)
        if (cities[i].name == name)
            return int(i);
    return -1;
}

int sScenario::CountryIdAt(int x, int y) const
{
    const auto it = countryByCode.find(geo.CountryAt(x, y));
    return it == countryByCode.end() ? 0 : it->second;
}

// code; name; alliance; orientation; zone; entry; political strength; 7 technology levels;
// PP; DP; SMP; STP; AIP; unrest; war economy; power; region; DP growth; 5 doctrine months;
// winter battle; winter move; mud battle; mud move; colour; capital; human
bool ReadCountries(const std::string& path, sScenario& s, std::string& error)
{
    sLines src;
    if (!ReadSourceLines(path, src, error))
        return false;
    for (const auto& [number, line] : src.lines) {
        const std::vector<std::string> f = Fields(line);
        if (f.size() != 37) {
            error = Where(src, number) + "a country needs 37 fields, not " + std::to_string(f.size());
            return false;
        }
        sCountrySource c;
        c.id = int(s.countries.size()) + 1;
        c.code = f[0];
        c.name = f[1];
        int ints[30] = {};
        double doubles[10] = {};
        // Fields 2..6 and 7..13 ints, 14 PP, 15..18 ints, 19..20 doubles, 21..23 ints,
        // 24..28 ints, 29..32 doubles.
        const int intFields[] = {2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 15, 16, 17, 18, 21, 22, 23, 24, 25, 26, 27, 28, 36};
        const int doubleFields[] = {14, 19, 20, 29, 30, 31, 32};
        // The listed fields into out, in order; the first that does not parse is the error.
        auto parseAll = [&](const auto& columns, auto* out, auto parse, const char* what) {
            int k = 0;
            for (int i : columns)
                if (!parse(f[size_t(i)], out[k++])) {
                    error = Where(src, number) + "field " + std::to_string(i + 1) + " must be " + what;
                    return false;
                }
            return true;
        };
        if (!parseAll(intFields, ints, ToInt, "a whole number") || !parseAll(doubleFields, doubles, ToDouble, "a number"))
            return false;
        c.alliance = ints[0];
        c.orientation = ints[1];
        c.zone = ints[2];
        c.allianceEntry = ints[3];
        c.politicalStrength = ints[4];
        for (int t = 0; t < 7; ++t)
            c.tech[t] = ints[5 + t];
        c.dp = ints[12];
        c.smp = ints[13];
        c.stp = ints[14];
        c.aip = ints[15];
        c.power = ints[16];
        c.region = ints[17];
        c.dpGrowth = ints[18];
        for (int m = 0; m < 5; ++m)
            c.doctrineMonths[m] = ints[19 + m];
        c.human = ints[24];
        c.pp = doubles[0];
        c.unrest = doubles[1];
        c.warEconomy = doubles[2];
        c.winterBattle = doubles[3];
        c.winterMove = doubles[4];
        c.mudBattle = doubles[5];
        c.mudMove = doubles[6];
        try {
            c.colour = unsigned(std::stoul(f[33], nullptr, 16));
        } catch (...) {
            error = Where(src, number) + "the colour must be hexadecimal AARRGGBB";
            return false;
        }
        c.capital = f[34];
        if (f[35] == "dummy")
            c.special = 1;
        if (s.countryByCode.count(c.code)) {
            error = Where(src, number) + "country " + c.code + " is given twice";
            return false;
        }
        s.countryByCode[c.code] = c.id;
        s.countries.push_back(c);
    }
    return true;
}

bool ReadCities(const std::string& path, sScenario& s, std::string& error)
{
    sLines src;
    if (!ReadSourceLines(path, src, error))
        return false;
    for (const auto& [number, line] : src.lines) {
        const std::vector<std::string> f = Fields(line);
        sCitySource c;
        c.line = number;
        if ((f.size() != 7 && f.size() != 8) || !ToDouble(f[1], c.lon) || !ToDouble(f[2], c.lat) || !ToDouble(f[4], c.production) ||
            !ToInt(f[5], c.victoryPoints)) {
            error = Where(src, number) + "a city is: name; longitude; latitude; kind; production; victory points; holder [; sea zone]";
            return false;
        }
        c.name = f[0];
        c.holder = f[6];
        if (f.size() == 8)
            c.zone = f[7];
        if (!s.countryByCode.count(c.holder)) {
            error = Where(src, number) + "unknown holder " + c.holder;
            return false;
        }
        const std::string& kind = f[3];
        if (kind == "supply")
            c.kind = KIND_SUPPLY;
        else if (kind == "normal")
            c.kind = KIND_NORMAL;
        else if (kind == "supplyport")
            c.kind = KIND_SUPPLYPORT;
        else if (kind == "port")
            c.kind = KIND_PORT;
        else if (kind == "resource")
            c.kind = KIND_RESOURCE;
        else {
            error = Where(src, number) + "unknown kind " + kind;
            return false;
        }
        if (s.CityIndex(c.name) >= 0) {
            error = Where(src, number) + "city " + c.name + " is given twice";
            return false;
        }
        s.cities.push_back(c);
    }
    return true;
}

// country CODE
// commander NAME; land|air|naval; SKILL; EXPERIENCE
// land TYPE; LEVEL; STRENGTH; NAME; PLACE [; COMMANDER]   (PLACE: a city, "lon,lat" or "reserve N")
// air TYPE; LEVEL; STRENGTH; NAME; PLACE [; COMMANDER]
// fleet NAME; PORT [; raiders]
// ship TYPE; HP; NAME [; COMMANDER]                       (into the last fleet)
// reserveship TYPE; HP; NAME; TURNS
bool ReadForces(const std::string& path, sScenario& s, std::string& error)
{
    sLines src;
    if (!ReadSourceLines(path, src, error))
        return false;
    int country = 0;
    auto commanderId = [&](const std::string& name, int& id) {
        id = -1;
        if (name.empty())
            return true;
        for (const sCommanderSource& c : s.commanders)
            if (c.name == name && c.country == country) {
                id = c.id;
                return true;
            }
        return false;
    };
    for (const auto& [number, line] : src.lines) {
        const size_t space = line.find(' ');
        const std::string word = line.substr(0, space);
        const std::vector<std::string> f = Fields(space == std::string::npos ? "" : line.substr(space + 1));
        const std::string at = Where(src, number);
        if (word == "country") {
            const auto it = f.empty() ? s.countryByCode.end() : s.countryByCode.find(f[0]);
            if (it == s.countryByCode.end()) {
                error = at + "unknown country";
                return false;
            }
            country = it->second;
            continue;
        }
        if (country == 0) {
            error = at + "a country line must come first";
            return false;
        }
        if (word == "commander") {
            sCommanderSource c;
            c.id = int(s.commanders.size()) + 1;
            c.country = country;
            if (f.size() != 4 || !ToInt(f[2], c.skill) || !ToInt(f[3], c.experience) ||
                (f[1] != "land" && f[1] != "air" && f[1] != "naval")) {
                error = at + "a commander is: NAME; land|air|naval; SKILL; EXPERIENCE";
                return false;
            }
            c.name = f[0];
            c.type = f[1] == "land" ? 0 : f[1] == "air" ? 1 : 2;
            s.commanders.push_back(c);
        } else if (word == "land" || word == "air") {
            sUnitSource u;
            u.id = int(s.units.size()) + 1;
            u.category = word == "air" ? 1 : 0;
            u.country = country;
            u.line = number;
            if (f.size() < 5 || f.size() > 6 || !ToInt(f[0], u.type) || !ToInt(f[1], u.level) ||
                !ToInt(f[2], u.strength)) {
                error = at + "a unit is: TYPE; LEVEL; STRENGTH; NAME; PLACE [; COMMANDER]";
                return false;
            }
            const bool typeOk = u.category == 0 ? (u.type >= 0 && u.type <= 6) : (u.type >= 20 && u.type <= 22);
            if (!typeOk || u.level < 1 || u.level > 5 || u.strength < 1 || u.strength > 100) {
                error = at + "type, level or strength out of range";
                return false;
            }
            u.name = f[3];
            u.place = f[4];
            if (u.place.rfind("reserve", 0) == 0) {
                u.reserve = true;
                if (!ToInt(Trim(u.place.substr(7)), u.availableIn)) {
                    error = at + "reserve needs the turns until the unit is available";
                    return false;
                }
            }
            if (!commanderId(f.size() == 6 ? f[5] : "", u.commander)) {
                error = at + "no commander " + f[5] + " of this country";
                return false;
            }
            s.units.push_back(u);
        } else if (word == "fleet") {
            sFleetSource fl;
            fl.id = int(s.fleets.size()) + 1;
            fl.country = country;
            if (f.size() < 2 || f.size() > 3) {
                error = at + "a fleet is: NAME; PORT [; raiders]";
                return false;
            }
            fl.name = f[0];
            fl.port = f[1];
            fl.raiders = f.size() == 3 && f[2] == "raiders";
            s.fleets.push_back(fl);
        } else if (word == "ship" || word == "reserveship") {
            sShipSource sh;
            sh.id = int(s.ships.size()) + 1;
            sh.country = country;
            if (f.size() < 3 || f.size() > 4 || !ToInt(f[0], sh.type) || !ToInt(f[1], sh.hp) || sh.type < 40 ||
                sh.type > 45 || sh.hp < 1) {
                error = at + "a ship is: TYPE; HIT POINTS; NAME [; COMMANDER or TURNS]";
                return false;
            }
            sh.name = f[2];
            if (word == "ship") {
                if (s.fleets.empty() || s.fleets.back().country != country) {
                    error = at + "a ship needs a fleet of its country before it";
                    return false;
                }
                sh.fleet = s.fleets.back().id;
                if (!commanderId(f.size() == 4 ? f[3] : "", sh.commander)) {
                    error = at + "no commander " + f[3] + " of this country";
                    return false;
                }
            } else if (f.size() == 4 && !ToInt(f[3], sh.availableIn)) {
                error = at + "the turns until the ship is available must be a whole number";
                return false;
            }
            s.ships.push_back(sh);
        } else {
            error = at + "unknown statement " + word;
            return false;
        }
    }
    // A commander who leads a unit is assigned.
    for (const sUnitSource& u : s.units)
        if (u.commander > 0)
            s.commanders[size_t(u.commander - 1)].state = 2;
    for (const sShipSource& sh : s.ships)
        if (sh.commander > 0)
            s.commanders[size_t(sh.commander - 1)].state = 2;
    return true;
}
