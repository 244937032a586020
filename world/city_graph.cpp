#include "world/city_graph.h"

#include <algorithm>
#include <climits>
#include <deque>

#include "core/fatal.h"
#include "core/log.h"
#include "core/stringbase.h"
#include "core/text.h"
#include "game/load_files.h"
#include "game/paths.h"
#include "game/table_fields.h"
#include "world/city.h"
#include "world/country.h"
#include "world/map.h"
#include "world/world.h"
#include "world/world_files.h"

void cDiagramMiast::Clear()
{
    Nodes.clear();
    CityIndex.clear();
}

void cDiagramMiast::Build(const std::list<cMiasto*>& cities)
{
    Clear();
    size_t count = 0;
    for (const cMiasto* city : cities)
        if (city->Type != CITY_RESOURCES)
            ++count;
    Nodes.reserve(count); // links point into the vector: it must never move
    for (cMiasto* city : cities)
    {
        if (city->Type == CITY_RESOURCES)
        {
            city->GraphIndex = -1;
            continue;
        }
        const int index = int(Nodes.size());
        Nodes.push_back(sWezelDiagramuMiast{});
        Nodes.back().City = city;
        CityIndex.push_back({index, city});
        city->GraphIndex = index;
    }
}

void cDiagramMiast::Load(const std::wstring& scenarioName)
{
    LoadFile(JoinPathPattern(MakeFolderPattern(L"data\\scenarios", scenarioName), L"cities_diagram.csv"));
}

void cDiagramMiast::LoadFile(const std::wstring& path)
{
    cMapa* map = WorldMap();
    // With the window shut down there is nothing left to play: the program ends here.
    if (!map)
        FatalExit(1, LangMessage("error_while_reading_cities_diagram._cannot_retrieve_map_pointer._end."));
    LogLine(L"Wczytuje diagram miast...");
    LogLine(path);
    auto lines = ReadTextLines(path);
    if (!lines)
    {
        Clear();
        NoteUnreadableFile(path);
        FatalExit(1, L"Blad otwarcia pliku! (nie istnieje?)");
    }
    LogLine(L"Otwarcie OK");
    int lineNo = 0;
    int v[5] = {}; // a field a line leaves out keeps its value of the line before
    for (const std::string& line : *lines)
    {
        ++lineNo;
        if (line.size() <= 2 || line[0] == '#')
            continue;
        std::vector<int> columns;
        const std::vector<std::string> fields = SplitTokens(StripLineEnd(line), ";", &columns);
        const size_t given = std::min<size_t>(fields.size(), 5);
        // A coordinate that is no number would read as 0 and link whatever city stands at
        // (0, 0): refused with the column. A link of another kind than 0 or 1 is kept, and
        // nothing follows it.
        const cTableFields row(path, lineNo, fields, columns);
        static const wchar_t* const kNames[] = {L"From hex X", L"From hex Y", L"To hex X", L"To hex Y",
                                                L"Link [0=land 1=sea]"};
        for (size_t i = 0; i < given; ++i)
            v[i] = row.Int(i, INT_MIN, INT_MAX, kNames[i]);
        // A hex off the map holds no city. The map's look-up would give hex (0, 0) for it and
        // link the city standing there, one the line does not name.
        cMiasto* first = map->IsInside(v[0], v[1]) ? map->GetHex(v[0], v[1])->city : nullptr;
        cMiasto* second = map->IsInside(v[2], v[3]) ? map->GetHex(v[2], v[3])->city : nullptr;
        if (!first || !second)
        {
            LogLine(L"%s: (%i, %i) -> (%i, %i)", path, v[0], v[1], v[2], v[3]);
            FatalExit(1, path + L": " + LangMessage("critical_error_at_line_%i._no_city_at_given_coordinates", lineNo));
        }
        int target = -1;
        for (const auto& [index, city] : CityIndex)
            if (city == second)
                target = index;
        if (target < 0)
            FatalExit(1, path + L": " +
                             LangMessage("critical_error._cannot_find_node_index_for_city_%s_(line_%i)", second->Name,
                                         lineNo));
        if (first->GraphIndex >= 0 && size_t(first->GraphIndex) < Nodes.size())
            Nodes[size_t(first->GraphIndex)].Links.push_back({&Nodes[size_t(target)], v[4]});
    }
}

bool cDiagramMiast::FindRoute(cMiasto* from, cMiasto* to, int countryId, std::list<cMiasto*>& route)
{
    if (!from || !to)
        return false;
    route.clear();
    for (sWezelDiagramuMiast& node : Nodes)
        node.Visited = 0;
    if (from->GraphIndex < 0 || to->GraphIndex < 0 || from->GetGraphDistanceTo(*to) == -1)
        return false;
    if (!IsCountryOrAlly(from->GetControllerId(), countryId))
        return false;
    struct sEntry
    {
        sWezelDiagramuMiast* node;
        int back; // index of the entry it came from; -1 at the start
    };
    std::vector<sEntry> queue;
    queue.push_back({&Nodes[size_t(from->GraphIndex)], -1});
    queue.front().node->Visited = 1;
    for (size_t i = 0; i < queue.size(); ++i)
    {
        for (const sLukDiagramuMiast& link : queue[i].node->Links)
        {
            if (link.Value != 0 || link.Target->Visited || !IsCountryOrAlly(link.Target->City->GetControllerId(), countryId))
                continue;
            link.Target->Visited = 1;
            queue.push_back({link.Target, int(i)});
            if (link.Target->City == to)
            {
                for (int e = int(queue.size()) - 1; e > 0; e = queue[size_t(e)].back)
                    route.push_back(queue[size_t(e)].node->City);
                return true;
            }
        }
    }
    return false;
}

bool cDiagramMiast::HasLinkToAlliedCity(int nodeIndex, int countryId) const
{
    if (nodeIndex < 0 || size_t(nodeIndex) >= Nodes.size())
        return false;
    const cPanstwo* country = GetCountry(countryId);
    if (!country)
        return false;
    for (const sLukDiagramuMiast& link : Nodes[size_t(nodeIndex)].Links)
    {
        if (link.Value != 1)
            continue;
        const int holder = link.Target->City->GetControllerId();
        if (holder != 0 && country->IsAlliedWith(holder))
            return true;
    }
    return false;
}

void cDiagramMiast::ResetSearchFields()
{
    for (sWezelDiagramuMiast& node : Nodes)
    {
        node.Mark = 0;
        node.Visited = 0;
        node.OurLand = node.OwnLand = node.EnemyLand = 0.0f;
        node.OurAirCount = node.OwnAirCount = node.EnemyAirCount = node.OwnUnitCount = 0;
        node.OurAirStrength = node.OwnAirStrength = node.EnemyAirStrength = 0;
    }
}
