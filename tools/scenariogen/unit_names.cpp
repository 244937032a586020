// unit_names.csv from its source: the header names countries by code, and the generator
// writes a cell for every country, so that a country without names of its own takes the
// default names instead of none. Every unit type needs its row: a type without one would
// give new units of that type a bare number for a name.
#include <fstream>
#include <set>
#include <sstream>

#include "tools/scenariogen/output.h"

namespace {

constexpr int kUnitTypes = 17;
constexpr int kMulberryType = 17; // its name is a pattern with %d for the harbour's number

std::vector<std::string> SplitCells(const std::string& line)
{
    std::vector<std::string> cells;
    std::string cell;
    std::istringstream split(line);
    while (std::getline(split, cell, ';'))
        cells.push_back(cell);
    return cells;
}

bool IsNumberPattern(const std::string& name)
{
    const size_t at = name.find('%');
    return at != std::string::npos && name.compare(at, 2, "%d") == 0 && name.find('%', at + 1) == std::string::npos;
}

} // namespace

bool WriteDraftUnitNames(const sScenario& s, const std::string& sourcePath, const std::string& folder,
                         std::string& error)
{
    std::vector<std::string> lines;
    if (!ReadLines(sourcePath, lines, error))
        return false;
    const size_t countries = s.countries.size();
    std::vector<int> columnCountry; // country id of each name column of the source
    std::string comment = "#Names of the unit types; an empty cell takes the default name";
    std::vector<std::vector<std::string>> rows(kUnitTypes);
    std::set<int> seen;
    int number = 0;
    for (const std::string& line : lines) {
        ++number;
        const std::string at = SourceLine(sourcePath, number);
        if (line.empty())
            continue;
        if (line[0] == '#') {
            comment = line;
            continue;
        }
        const std::vector<std::string> cells = SplitCells(line);
        if (columnCountry.empty()) {
            if (cells.size() < 3 || cells[0] != "Type" || cells[1] != "Default") {
                error = at + "the header is Type;Default; and the country codes";
                return false;
            }
            for (size_t k = 2; k < cells.size(); ++k) {
                const auto it = s.countryByCode.find(cells[k]);
                if (it == s.countryByCode.end()) {
                    error = at + "unknown country " + cells[k];
                    return false;
                }
                columnCountry.push_back(it->second);
            }
            continue;
        }
        int type = 0;
        if (cells.size() < 2 || std::sscanf(cells[0].c_str(), "%d", &type) != 1 || type < 1 || type > kUnitTypes) {
            error = at + "a row is a unit type from 1 to " + std::to_string(kUnitTypes) + " and its default name";
            return false;
        }
        if (!seen.insert(type).second) {
            error = at + "unit type " + cells[0] + " named twice";
            return false;
        }
        if (cells[1].empty() || cells.size() > columnCountry.size() + 2) {
            error = at + "a row needs a default name and no more cells than the header";
            return false;
        }
        std::vector<std::string> names(countries);
        for (size_t k = 2; k < cells.size(); ++k)
            names[size_t(columnCountry[k - 2] - 1)] = cells[k];
        if (type == kMulberryType)
            for (const std::string& name : names)
                if (!IsNumberPattern(name.empty() ? cells[1] : name)) {
                    error = at + "a Mulberry harbour's name needs one %d, for its number, and no other %";
                    return false;
                }
        rows[size_t(type - 1)] = {cells[1]};
        rows[size_t(type - 1)].insert(rows[size_t(type - 1)].end(), names.begin(), names.end());
    }
    for (int type = 1; type <= kUnitTypes; ++type)
        if (!seen.count(type)) {
            error = sourcePath + ": unit type " + std::to_string(type) + " has no names";
            return false;
        }

    std::ofstream out(folder + "/unit_names.csv", std::ios::binary);
    out << comment << "\nType;Default";
    for (size_t id = 1; id <= countries; ++id)
        out << ";" << id;
    for (int type = 1; type <= kUnitTypes; ++type) {
        out << "\n" << type;
        for (const std::string& cell : rows[size_t(type - 1)])
            out << ";" << cell;
    }
    out << "\n";
    if (!out) {
        error = folder + "/unit_names.csv: cannot write";
        return false;
    }
    return true;
}
