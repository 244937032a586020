// ai_data.csv from its source: the same lines, with country codes for ids, city names for
// the hexes of the cities and the names of sea zones and ports for the ids of their nodes.
#include <algorithm>
#include <fstream>
#include <sstream>

#include "tools/scenariogen/output.h"

bool WriteDraftAIData(const sScenario& s, const std::string& sourcePath, const std::string& folder,
                      std::string& error)
{
    std::vector<std::string> lines;
    if (!ReadLines(sourcePath, lines, error))
        return false;
    std::ofstream out(folder + "/ai_data.csv", std::ios::binary);
    out << "# ai data\r\n";
    int number = 0;
    for (const std::string& line : lines) {
        ++number;
        if (line.empty() || line[0] == '#')
            continue;
        std::vector<std::string> fields;
        std::string f;
        std::istringstream split(line);
        while (std::getline(split, f, ';'))
            fields.push_back(f);
        const std::string at = SourceLine(sourcePath, number);
        if (fields.empty())
            continue;
        std::string row = fields[0];
        if (fields[0] == "Country") {
            const auto it = fields.size() == 2 ? s.countryByCode.find(fields[1]) : s.countryByCode.end();
            if (it == s.countryByCode.end()) {
                error = at + "Country needs a country code";
                return false;
            }
            row += ";" + std::to_string(it->second);
        } else if (fields[0] == "CountriesToPress") {
            for (size_t i = 1; i < fields.size(); ++i) {
                const auto it = s.countryByCode.find(fields[i]);
                if (it == s.countryByCode.end()) {
                    error = at + "unknown country " + fields[i];
                    return false;
                }
                row += ";" + std::to_string(it->second);
            }
        } else if (fields[0] == "SeaZonesToPatrol") {
            // Pairs of a sea zone, by its name, and the mode of the fleet that patrols it.
            for (size_t i = 1; i < fields.size(); ++i) {
                if (i % 2 == 0) {
                    row += ";" + fields[i];
                    continue;
                }
                const auto zone = std::find_if(s.seaNodes.begin(), s.seaNodes.end(),
                                               [&](const sSeaNode& n) { return n.name == fields[i]; });
                // A port, by its city's name: the fleet that patrols it lies in its base.
                const int city = zone == s.seaNodes.end() ? s.CityIndex(fields[i]) : -1;
                const int node = zone != s.seaNodes.end() ? zone->id : city >= 0 ? s.cities[size_t(city)].seaNode : 0;
                if (node <= 0) {
                    error = at + "no sea zone or port " + fields[i];
                    return false;
                }
                row += ";" + std::to_string(node);
            }
        } else {
            for (size_t i = 1; i < fields.size(); ++i) {
                const std::string& v = fields[i];
                const bool number = !v.empty() && v.find_first_not_of("-0123456789.") == std::string::npos;
                if (number) {
                    row += ";" + v;
                    continue;
                }
                const int city = s.CityIndex(v);
                if (city < 0) {
                    error = at + "no city " + v;
                    return false;
                }
                row += ";" + std::to_string(s.cities[size_t(city)].x) + ";" + std::to_string(s.cities[size_t(city)].y);
            }
        }
        out << row << "\r\n";
    }
    if (!out) {
        error = folder + "/ai_data.csv: cannot write";
        return false;
    }
    return true;
}
