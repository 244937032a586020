#include "world/topography.h"

#include <algorithm>
#include <climits>

#include "core/fatal.h"
#include "core/log.h"
#include "core/stringbase.h"
#include "core/text.h"
#include "game/paths.h"
#include "game/table_fields.h"
#include "world/city.h"
#include "world/country.h"
#include "world/map.h"
#include "world/world.h"
#include "world/world_files.h"

void cTopografia::InitStrategicMovementModule(int countryCount)
{
    LogLine(L"Inicjalizacja modulu ruchow strategicznych");
    Countries.resize(size_t(std::max(countryCount, 0)));
}

void InitStrategicMovementModule()
{
    if (g_World.topography)
        g_World.topography->InitStrategicMovementModule(CountryCount());
}

const tCityGroups* cTopografia::GetGroups(int countryId) const
{
    if (countryId < 1 || size_t(countryId) > Countries.size())
        return nullptr;
    return &Countries[size_t(countryId - 1)];
}

void cTopografia::SetCountryTopography(int countryId, const tCityGroups& groups)
{
    // An id beyond the countries is logged and never written past the entries.
    if (countryId < 1 || size_t(countryId) > Countries.size())
    {
        LogLine(L"ERROR: topography for country %i, which does not exist (1 to %i)", countryId, int(Countries.size()));
        return;
    }
    Countries[size_t(countryId - 1)] = groups;
    LogLine(L"Kraj %i ma teraz %i grup", countryId, int(groups.size()));
    LogLine(L"Ustawiam topografie dla kraju %i", countryId);
    LogLine(L"Oto grupy:");
    for (const tCityGroup& group : groups)
    {
        LogLine(L"Nowa Grupa. Oto jej miasta:");
        for (const cMiasto* city : group)
            LogLine(city->Name);
    }
}

namespace {
bool Contains(const tCityGroup& group, const cMiasto* city)
{
    return std::find(group.begin(), group.end(), city) != group.end();
}
} // namespace

bool cTopografia::IsHexReachable(const sUnitView& unit, const cMiasto& target) const
{
    const cMapa* map = WorldMap();
    const cPanstwo* country = GetCountry(unit.ownerId);
    if (!map || !country || unit.supplyX == -1 || unit.supplyY == -1 || !map->IsInside(unit.supplyX, unit.supplyY))
        return false;
    const cMiasto* source = map->GetHex(unit.supplyX, unit.supplyY)->city;
    if (!source)
        return false;
    // Every country searches its own groups: the supply pass fills a neutral's entry too,
    // while nothing fills the neutral list.
    const tCityGroups* groups = GetGroups(unit.ownerId);
    if (!IsCountryOrAlly(target.GetControllerId(), unit.ownerId))
        return false;
    if (unit.category == 1)
        return true;
    if (!groups)
        return false;
    for (const tCityGroup& group : *groups)
        if (Contains(group, &target))
            return Contains(group, source);
    return false;
}

bool cTopografia::IsCityInGroup(int countryId, const cMiasto* a, const cMiasto* b) const
{
    const tCityGroups* groups = GetGroups(countryId);
    if (!groups)
        return false;
    for (const tCityGroup& group : *groups)
        if (Contains(group, b))
            return Contains(group, a);
    return false;
}

void cTopografia::ShowCountryGroups(const sUnitView& unit) const
{
    cMapa* map = WorldMap();
    if (!map)
        return;
    map->ClearMarks(uint32_t(-2), false);
    for (size_t k = 0; k < Countries.size(); ++k)
        LogLine(L"Kraj o id=%i ma %i grup topograficznych", int(k + 1), int(Countries[k].size()));
    if (!g_World.cities)
        return;
    for (const cMiasto* city : *g_World.cities)
    {
        if (!map->IsInside(city->X, city->Y) || !IsHexReachable(unit, *city))
            continue;
        sHex* hex = map->GetHex(city->X, city->Y);
        if (!hex->unit)
            hex->SetMark(32, -1);
        for (int d = 0; d < 6; ++d)
        {
            sHex* n = map->GetNeighbour(city->X, city->Y, d);
            if (n && !n->unit && n->IsLand() && hex->controller != 0 && n->IsControlledByFriend(hex->controller))
                n->SetMark(32, -1);
        }
    }
}

void cTopografia::Save(const std::wstring& folder) const
{
    std::wstring text = L"#Topography of terrain at the beginning of turn:";
    for (size_t k = 0; k < Countries.size(); ++k)
    {
        text += FormatText(L"\nCountry;%i;", int(k + 1));
        for (const tCityGroup& group : Countries[k])
        {
            text += L"\nNew Group;";
            for (const cMiasto* city : group)
                text += FormatText(L"\nCity;%i;%i;", city->X, city->Y);
        }
    }
    WriteSaveTextFile(JoinFolder(folder, L"topography.csv"), text);
}

void cTopografia::Load(const std::wstring& folderPattern)
{
    const std::wstring path = JoinPathPattern(folderPattern, L"topography.csv");
    const std::vector<std::string> lines = ReadTextLinesOrFail(
        path, LangText("opening_topography_file..."), LangMessage("error_opening_file!_(not_exists?)"),
        LangText("open_ok"));
    const cMapa* map = WorldMap();
    tCityGroups* current = nullptr;
    tCityGroup* group = nullptr;
    int lineNo = 0;
    for (const std::string& raw : lines)
    {
        ++lineNo;
        const std::string line = StripLineEnd(raw);
        if (line.empty())
        {
            LogLine(LangText("empty_line..."));
            continue;
        }
        if (line[0] == '#')
            continue;
        std::vector<int> columns;
        const std::vector<std::string> tokens = SplitTokens(line, ";", &columns);
        if (tokens.empty())
            continue;
        const std::string& key = tokens[0];
        if (key == "Country")
        {
            const int id = tokens.size() > 1 ? cTableFields(path, lineNo, tokens, columns).Int(1, INT_MIN, INT_MAX, L"Country")
                                             : 0;
            // A country the game does not have would be written past the entries.
            if (id < 1 || size_t(id) > Countries.size())
                FatalExit(1, FormatText(L"ERROR: country %i does not exist (1 to %i) in %s at line %i", id,
                                        int(Countries.size()), path, lineNo));
            current = &Countries[size_t(id - 1)];
            group = nullptr;
        }
        else if (key == "New Group")
        {
            if (!current)
            {
                LogLine(L"WARNING: group before the first country in %s at line %i, line skipped", path, lineNo);
                continue;
            }
            current->push_back({});
            group = &current->back();
        }
        else if (key == "City")
        {
            if (!group)
            {
                LogLine(L"WARNING: city before the first group in %s at line %i, line skipped", path, lineNo);
                continue;
            }
            // A line without both coordinates, or off the map, would put the first hex's city in
            // the group.
            if (tokens.size() < 3)
            {
                LogLine(L"WARNING: too few fields in %s at line %i, line skipped", path, lineNo);
                continue;
            }
            const cTableFields row(path, lineNo, tokens, columns);
            const int x = row.Int(1, INT_MIN, INT_MAX, L"City hex X");
            const int y = row.Int(2, INT_MIN, INT_MAX, L"City hex Y");
            if (!map || !map->IsInside(x, y))
            {
                LogLine(L"WARNING: hex (%i, %i) lies outside the map in %s at line %i, line skipped", x, y, path,
                        lineNo);
                continue;
            }
            if (cMiasto* city = map->GetHex(x, y)->city)
                group->push_back(city);
        }
        else
            FatalExit(1, FormatText(L"ERROR: unknown word \"%S\" in %s at line %i", key, path, lineNo));
    }
}
