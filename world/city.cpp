#include "world/city.h"

#include <climits>
#include <deque>
#include <set>

#include "core/csv.h"
#include "core/fatal.h"
#include "core/log.h"
#include "core/stringbase.h"
#include "core/text.h"
#include "game/paths.h"
#include "game/table_fields.h"
#include "world/city_graph.h"
#include "world/country.h"
#include "world/map.h"
#include "world/relations.h"
#include "world/save_limits.h"
#include "world/sea_graph.h"
#include "world/world.h"
#include "world/world_files.h"

cMiasto::cMiasto(const cMiasto& other)
    : X(other.X), Y(other.Y), Name(other.Name), Type(other.Type), VictoryPoints(other.VictoryPoints),
      ProductionPoints(other.ProductionPoints), Supply(other.Supply),
      ProductionPointsLost(other.ProductionPointsLost), GraphIndex(other.GraphIndex)
{
}

void cMiasto::SetName(const std::wstring& name)
{
    Name = name.size() > size_t(kCityNameMax) ? name.substr(0, size_t(kCityNameMax)) : name;
}

namespace {
const sHex* CityHex(const cMiasto& city)
{
    const cMapa* map = WorldMap();
    return map ? map->GetHex(city.X, city.Y) : nullptr;
}
} // namespace

int cMiasto::GetControllerId() const
{
    const sHex* hex = CityHex(*this);
    return hex ? hex->controller : 0;
}

int cMiasto::GetOwnerId() const
{
    const sHex* hex = CityHex(*this);
    return hex ? hex->owner : 0;
}

int cMiasto::GetOriginalOwnerId() const
{
    const sHex* hex = CityHex(*this);
    return hex ? hex->originalOwner : 0;
}

std::pair<int, int> cMiasto::FindFreeHexFor(int countryId) const
{
    cMapa* map = WorldMap();
    if (!map || !map->IsInside(X, Y))
        return {-1, -1};
    const sHex* hex = map->GetHex(X, Y);
    if (IsCountryOrAlly(hex->controller, countryId) && !hex->unit)
        return {X, Y};
    for (int d = 0; d < 6; ++d)
    {
        const sHex* n = map->GetNeighbour(X, Y, d);
        if (n && n->IsLand() && n->controller != 0 && !n->unit && IsCountryOrAlly(n->controller, countryId))
            return {n->x, n->y};
    }
    return {-1, -1};
}

bool cMiasto::IsFullyEnclosed() const
{
    cMapa* map = WorldMap();
    if (!map)
        return false;
    for (int d = 0; d < 6; ++d)
    {
        const sHex* n = map->GetNeighbour(X, Y, d);
        if (n && n->IsLand() && !n->unit)
            return false;
    }
    return true;
}

bool cMiasto::IsBesieged() const
{
    cMapa* map = WorldMap();
    const cRelationsMatrix* relations = WorldRelations();
    if (!map || !relations || !map->IsInside(X, Y))
        return false;
    const sHex* hex = map->GetHex(X, Y);
    if (!hex->unit || hex->controller == 0)
        return false;
    int besiegers = 0;
    for (int d = 0; d < 6; ++d)
    {
        const sHex* n = map->GetNeighbour(X, Y, d);
        if (!n)
            continue;
        if (n->unit)
        {
            const int owner = g_World.units.ownerId(n->unit);
            if (owner <= 0 || !relations->IsAtWar(owner, hex->controller))
                return false;
            ++besiegers;
        }
        else if (n->IsLand())
            return false;
    }
    return besiegers >= 2;
}

int cMiasto::GetSeaNodeId() const
{
    const cGrafMorz* graph = WorldSeaGraph();
    const int id = graph ? graph->FindNodeAtHex(X, Y) : -1;
    if (id < 0)
        FatalExit(1, FormatText(L"ERROR! Cannot find sea node for city %s (%i,%i). City type=%i", Name, X, Y, Type));
    return id;
}

int cMiasto::GetGraphDistanceTo(const cMiasto& other) const
{
    // A resources city has no node and no distances: it reaches nothing, and nothing past the table is read.
    if (other.GraphIndex < 0 || size_t(other.GraphIndex) >= GraphDistances.size())
        return -1;
    return GraphDistances[size_t(other.GraphIndex)];
}

void cMiasto::ComputeGraphDistances()
{
    cDiagramMiast* graph = g_World.cityGraph;
    if (!graph || GraphIndex < 0 || size_t(GraphIndex) >= graph->Nodes.size())
        return;
    GraphDistances.assign(graph->Nodes.size(), -1);
    for (sWezelDiagramuMiast& node : graph->Nodes)
        node.City->Visited = 0;
    std::deque<std::pair<sWezelDiagramuMiast*, int>> queue;
    queue.push_back({&graph->Nodes[size_t(GraphIndex)], 0});
    Visited = 1;
    while (!queue.empty())
    {
        auto [node, distance] = queue.front();
        queue.pop_front();
        GraphDistances[size_t(node->City->GraphIndex)] = distance;
        for (const sLukDiagramuMiast& link : node->Links)
            if (link.Value == 0 && !link.Target->City->Visited)
            {
                link.Target->City->Visited = 1;
                queue.push_back({link.Target, distance + 1});
            }
    }
}

void cMiasto::ResizeCountryTables(int countryCount)
{
    SupplyByCountry.resize(size_t(countryCount), 0);
    ConvoyInfoByCountry.resize(size_t(countryCount), 0);
}

// ---- cities.csv ----

void DeleteCities(std::list<cMiasto*>& cities)
{
    for (cMiasto* city : cities)
        delete city;
    cities.clear();
}

void LoadCities(const std::wstring& folderPattern, std::list<cMiasto*>& cities)
{
    const std::wstring path = JoinPathPattern(folderPattern, L"cities.csv");
    cCsvReader reader = OpenTableOrFail(path, L"Otwieram plik z miastami ze sciezka...");
    DeleteCities(cities);
    cMapa* map = WorldMap();
    // A short row is skipped and told, not silently: a city lost unseen would change the whole war.
    // For the same reason the load is refused where the table would read on without a city: a row
    // of two rows' fields (a lost line end; fields past the eighth are otherwise ignored), a
    // comment carrying a row, or a last row cut short.
    while (NextTableRow(reader, true, 8, path))
    {
        const int line = reader.GetRowCount();
        const std::vector<std::wstring>& f = reader.m_Fields;
        const cTableFields row(path, line, f);
        cMiasto city;
        WarnIfNameTooLong(f[0], kCityNameMax, L"city", path, line);
        city.SetName(f[0]);
        city.X = row.Int(1, INT_MIN, INT_MAX, L"Hex X");
        city.Y = row.Int(2, INT_MIN, INT_MAX, L"Hex Y");
        // A type the rules do not know is no port, no supply city and no resources: nothing would treat it alike.
        city.Type = row.Int(3, CITY_SUPPLY, CITY_RESOURCES, L"Type");
        // Points are summed over every city each turn.
        city.VictoryPoints = row.ClampedInt(4, 0, 1000000, L"Victory points");
        // An event may take more than the bombs left, and the rebuilding brings it back.
        city.ProductionPoints =
            float(row.ClampedNumber(5, -kMaxCityProductionPoints, kMaxCityProductionPoints, L"Production points"));
        // Added up over the cities of a group every supply pass.
        city.Supply = row.ClampedInt(6, 0, 1000000, L"Supply");
        // Bombing adds to it and every impulse gives one point back while it is above 0: a
        // negative loss never comes back, and one beyond what a city yields gives back
        // production the city never had (and overflows with the next bomb at the top).
        city.ProductionPointsLost = row.ClampedInt(7, 0, 1000000, L"Production points lost");
        city.GraphIndex = -1;
        if (map)
        {
            // Off the map the city would be linked to the first hex, and two cities to one hex
            // would leave the first unreachable from its hex.
            if (!map->IsInside(city.X, city.Y))
            {
                LogLine(L"ERROR: city %s at (%i, %i) lies outside the map in %s at line %i, line skipped", city.Name,
                        city.X, city.Y, path, line);
                CountRowLeftOut(path);
                continue;
            }
            sHex* hex = map->GetHex(city.X, city.Y);
            if (hex->city)
            {
                LogLine(L"ERROR: city %s at (%i, %i) stands on the hex of %s in %s at line %i, line skipped",
                        city.Name, city.X, city.Y, hex->city->Name, path, line);
                CountRowLeftOut(path);
                continue;
            }
            cities.push_back(new cMiasto(city));
            hex->city = cities.back();
        }
        else
            cities.push_back(new cMiasto(city));
        LogLine(L"Added city: %s", city.Name);
    }
}

void SaveCities(const std::wstring& folder, const std::list<cMiasto*>& cities)
{
    std::wstring text = L"#Name;Hex X;Hex Y;Type [0=supply 1=normal 2=supply+port 3=port 4=resources];Victory "
                        L"Points;Production Points;Supply;Production Points Losses In Strategic Bombardment";
    // The shortest exact number: a saved game must go on exactly as the unbroken one would.
    for (const cMiasto* c : cities)
        text += FormatText(L"\n%s;%i;%i;%i;%i;%s;%i;%i;", c->Name, c->X, c->Y, c->Type, c->VictoryPoints,
                           ExactNumberText(c->ProductionPoints), c->Supply, c->ProductionPointsLost);
    WriteSaveTextFile(JoinFolder(folder, L"cities.csv"), text);
}

// ---- cities_supply_info.csv and cities_convoy_info.csv ----

namespace {
std::wstring CityTable(const std::list<cMiasto*>& cities, const wchar_t* header, bool convoy)
{
    std::wstring text = header;
    for (const cMiasto* c : cities)
    {
        text += FormatText(L"\n%i;%i;", c->X, c->Y);
        const size_t n = convoy ? c->ConvoyInfoByCountry.size() : c->SupplyByCountry.size();
        for (size_t i = 0; i < n; ++i)
            text += FormatText(L"%i;", convoy ? int(c->ConvoyInfoByCountry[i] ? 1 : 0) : c->SupplyByCountry[i]);
    }
    return text;
}

void ReadCityTable(const std::wstring& path, const std::wstring& openText, int countryCount, bool convoy)
{
    const std::vector<std::string> lines =
        ReadTextLinesOrFail(path, openText, LangMessage("error_opening_file!_(not_exists?)"), LangText("open_ok"));
    cMapa* map = WorldMap();
    int lineNo = 0;
    for (const std::string& raw : lines)
    {
        ++lineNo;
        // The length without the line end: a one-digit number and its ';' is passed over silently.
        if (raw.empty() || raw[0] == '#' || StripLineEnd(raw).size() <= 2)
            continue;
        // A line without both coordinates, coordinates that are no numbers or a hex off the map
        // would put the values on another city.
        std::vector<int> columns;
        const std::vector<std::string> tokens = SplitTokens(StripLineEnd(raw), ";", &columns);
        if (tokens.size() < 2)
        {
            LogLine(L"WARNING: too few fields in %s at line %i, line skipped", path, lineNo);
            CountRowLeftOut(path);
            continue;
        }
        const cTableFields row(path, lineNo, tokens, columns);
        const int x = row.Int(0, INT_MIN, INT_MAX, L"Hex X");
        const int y = row.Int(1, INT_MIN, INT_MAX, L"Hex Y");
        cMiasto* city = map && map->IsInside(x, y) ? map->GetHex(x, y)->city : nullptr;
        for (size_t k = 2; k < tokens.size(); ++k)
        {
            if (!city)
            {
                LogLine(LangFormat("error_while_loading_%s:_no_city_at_coords_(%d,_%d)", path, x, y));
                continue;
            }
            const size_t country = k - 2;
            if (country >= size_t(countryCount))
                break;
            city->ResizeCountryTables(countryCount);
            const std::wstring what = FormatText(convoy ? L"convoy of country %i" : L"supply for country %i",
                                                 int(country) + 1);
            // A value stands until the next supply pass and no pass gives one outside a city's own
            // supply (0 to 1,000,000): a supply convoy set up before it carries the maximum less
            // this, which must stay a load the convoy table reads back.
            if (convoy)
                city->ConvoyInfoByCountry[country] = row.Int(k, INT_MIN, INT_MAX, what) != 0 ? 1 : 0;
            else
                city->SupplyByCountry[country] = row.ClampedInt(k, 0, 1000000, what);
        }
    }
}
} // namespace

void SaveCitySupplyInfo(const std::wstring& folder, const std::list<cMiasto*>& cities)
{
    WriteSaveTextFile(JoinFolder(folder, L"cities_supply_info.csv"),
                  CityTable(cities, L"# cities supply info:", false));
}

void SaveCityConvoyInfo(const std::wstring& folder, const std::list<cMiasto*>& cities)
{
    WriteSaveTextFile(JoinFolder(folder, L"cities_convoy_info.csv"),
                  CityTable(cities, L"# cities convoy info:", true));
}

void LoadCitySupplyTables(const std::wstring& folderPattern, int countryCount)
{
    ReadCityTable(JoinPathPattern(folderPattern, L"cities_supply_info.csv"),
                  LangText("opening_file_with_supply_matrix_for_cities..."), countryCount, false);
    ReadCityTable(JoinPathPattern(folderPattern, L"cities_convoy_info.csv"),
                  LangText("opening_file_with_convoy_info_for_cities..."), countryCount, true);
}
