#include "world/convoys.h"

#include <algorithm>
#include <climits>

#include "core/csv.h"
#include "core/fatal.h"
#include "core/log.h"
#include "core/stringbase.h"
#include "game/paths.h"
#include "game/table_fields.h"
#include "world/city.h"
#include "world/country.h"
#include "world/map.h"
#include "world/save_limits.h"
#include "world/sea_graph.h"
#include "world/world.h"
#include "world/world_files.h"

namespace {
cMiasto* CityAt(int x, int y)
{
    cMapa* map = WorldMap();
    return map && map->IsInside(x, y) ? map->GetHex(x, y)->city : nullptr;
}

cMiasto* PortOfNode(int nodeId)
{
    const cGrafMorz* graph = WorldSeaGraph();
    const sWezelGrafuMorz* node = graph ? graph->GetNode(nodeId) : nullptr;
    if (!node)
        return nullptr;
    cMiasto* city = CityAt(node->MainX, node->MainY);
    return city && city->IsPort() ? city : nullptr;
}

// The name a port goes by in the convoy window: its city's.
std::wstring PortName(const sWezelGrafuMorz& node)
{
    const cMiasto* city = CityAt(node.MainX, node.MainY);
    return city ? city->Name : node.Name;
}

// The port's node: the one whose main hex is the city's hex (what the reader looks up).
int NodeIdOnHex(const cMiasto* city)
{
    const cGrafMorz* graph = WorldSeaGraph();
    const int id = city && graph ? graph->FindNodeAtHex(city->X, city->Y) : -1;
    return id < 0 ? 0 : id;
}
} // namespace

sKonwoj::sKonwoj(int owner_, eConvoyType type_, cMiasto* departure_, cMiasto* destination_)
    : owner(owner_), departure(departure_), destination(destination_), type(type_)
{
    id = g_World.nextConvoyId ? ++*g_World.nextConvoyId : 1;
    const cGrafMorz* graph = WorldSeaGraph();
    const sWezelGrafuMorz* node =
        graph && departure ? graph->GetNode(graph->FindNodeAtHex(departure->X, departure->Y)) : nullptr;
    portSize = node ? node->SizeCurrent : 0;
}

void cKonwoje::Resize(int countryCount)
{
    Convoys.resize(size_t(countryCount));
    Results.resize(size_t(countryCount));
}

std::vector<sKonwoj>* cKonwoje::OwnerConvoys(int owner)
{
    if (owner < 1 || size_t(owner) > Convoys.size())
        return nullptr;
    return &Convoys[size_t(owner - 1)];
}

int cKonwoje::Append(sKonwoj convoy)
{
    std::vector<sKonwoj>* list = OwnerConvoys(convoy.owner);
    if (!list)
    {
        LogLine(L"ERROR: New convoy belongs to country %i, there's no such country!", convoy.owner);
        return -1;
    }
    list->push_back(convoy);
    return convoy.id;
}

int cKonwoje::CreateSupplyConvoy(cMiasto* departure, cMiasto* destination, int owner)
{
    if (!departure || !destination || !departure->IsPort() || !destination->IsPort())
        return -1;
    // A country with no list of convoys would index past the lists; asked before the convoy
    // is made, whose constructor takes an id, so that a creation refused changes nothing.
    if (!OwnerConvoys(owner))
    {
        LogLine(L"ERROR: New convoy belongs to country %i, there's no such country!", owner);
        return -1;
    }
    sKonwoj convoy(owner, CONVOY_SUPPLIES, departure, destination);
    const size_t index = size_t(owner - 1);
    const int supply = index < destination->SupplyByCountry.size() ? destination->SupplyByCountry[index] : 0;
    convoy.value = g_World.consts.maxSupply - supply;
    if (convoy.value < 1)
    {
        LogLine(L"Znowu k*wa jakis konwoj z wartoscia <= 0");
        convoy.value = 0;
    }
    return Append(convoy);
}

int cKonwoje::CreateConvoyBySeaNodes(int departureNodeId, int destinationNodeId, int owner)
{
    const cGrafMorz* graph = WorldSeaGraph();
    if (!graph || !graph->GetNode(departureNodeId))
    {
        LogLine(L"ERROR: New convoy has departure sea node with ID=%i, there's no such sea node!", departureNodeId);
        return -1;
    }
    if (!graph->GetNode(destinationNodeId))
    {
        LogLine(L"ERROR: New convoy has destination sea node with ID=%i, there's no such sea node!",
                destinationNodeId);
        return -1;
    }
    cMiasto* departure = PortOfNode(departureNodeId);
    if (!departure)
    {
        LogLine(L"ERROR: New convoy has departure sea node with ID=%i, there's no port city for this sea node!",
                departureNodeId);
        return -1;
    }
    cMiasto* destination = PortOfNode(destinationNodeId);
    if (!destination)
    {
        LogLine(L"ERROR: New convoy has destination sea node with ID=%i, there's no port city for this sea node!",
                destinationNodeId);
        return -1;
    }
    // As for a supplies convoy above: no id taken for a convoy of no country.
    if (!OwnerConvoys(owner))
    {
        LogLine(L"ERROR: New convoy belongs to country %i, there's no such country!", owner);
        return -1;
    }
    return Append(sKonwoj(owner, CONVOY_SUPPLIES, departure, destination));
}

int cKonwoje::AddConvoy(int owner, int type, int value, int depX, int depY, int destX, int destY)
{
    cMiasto* departure = CityAt(depX, depY);
    cMiasto* destination = CityAt(destX, destY);
    if (!departure || !destination)
        return -1;
    // A script's convoy of no country or of a third type would run as nothing the game knows.
    if (!OwnerConvoys(owner) || (type != CONVOY_SUPPLIES && type != CONVOY_PP))
    {
        LogLine(L"ERROR: New convoy of country %i has type %i; there's no such country or type!", owner, type);
        return -1;
    }
    // A city on no sea node gives no route to run, and a save could not name its port: every
    // later load would be refused.
    if (NodeIdOnHex(departure) == 0 || NodeIdOnHex(destination) == 0)
    {
        LogLine(L"ERROR: New convoy of country %i from (%i, %i) to (%i, %i): a city there lies on no sea node!", owner,
                depX, depY, destX, destY);
        return -1;
    }
    sKonwoj convoy(owner, eConvoyType(type), departure, destination);
    convoy.value = value;
    return Append(convoy);
}

void cKonwoje::RemoveConvoy(int owner, int type, int depX, int depY, int destX, int destY)
{
    cMiasto* departure = CityAt(depX, depY);
    cMiasto* destination = CityAt(destX, destY);
    std::vector<sKonwoj>* list = OwnerConvoys(owner);
    if (!departure || !destination || !list)
        return;
    std::erase_if(*list, [&](const sKonwoj& c) {
        return c.owner == owner && int(c.type) == type && c.departure == departure && c.destination == destination;
    });
}

void cKonwoje::RemoveFirstConvoyOfCountry(int owner)
{
    std::vector<sKonwoj>* list = OwnerConvoys(owner);
    if (!list)
        return;
    for (auto it = list->begin(); it != list->end(); ++it)
        if (it->owner == owner)
        {
            list->erase(it);
            return;
        }
}

bool cKonwoje::HasConvoyTo(const cMiasto* destination, int owner) const
{
    if (owner < 1 || size_t(owner) > Convoys.size())
        return false;
    for (const sKonwoj& c : Convoys[size_t(owner - 1)])
        if (c.owner == owner && c.destination == destination)
            return true;
    return false;
}

bool cKonwoje::MayTakePort(int countryId, int departureNodeId, int nodeId, std::wstring* why) const
{
    auto refuse = [why](std::wstring text) {
        if (why)
            *why = std::move(text);
        return false;
    };
    cMapa* map = WorldMap();
    cGrafMorz* graph = WorldSeaGraph();
    const sWezelGrafuMorz* node = graph ? graph->GetNode(nodeId) : nullptr;
    const cPanstwo* country = GetCountry(countryId);
    if (!map || !node || node->Kind != SEA_NODE_PORT || !map->IsInside(node->MainX, node->MainY) || !country)
        return refuse(LangText("convoy_port_refused_no_port"));
    const int holder = map->GetHex(node->MainX, node->MainY)->controller;
    const std::wstring name = PortName(*node);
    if (departureNodeId == 0)
        return holder == countryId || refuse(LangFormat("convoy_departure_refused_%s", name));
    const sWezelGrafuMorz* departure = graph->GetNode(departureNodeId);
    if (nodeId == departureNodeId || !departure)
        return refuse(LangFormat("convoy_destination_refused_same_port_%s", name));
    if (holder == 0 || !country->IsAlliedWith(holder))
        return refuse(LangFormat("convoy_destination_refused_%s_held_by_%s", name,
                                 GetCountry(holder) ? GetCountry(holder)->Name : std::wstring()));
    return true;
}

bool cKonwoje::MayCarry(const sKonwoj& convoy, int type, std::wstring* why) const
{
    if (type != CONVOY_PP || !convoy.departure || !convoy.destination)
        return true;
    // Production points need no convoy between two ports of one country.
    const int holder = convoy.departure->GetControllerId();
    if (holder != convoy.destination->GetControllerId())
        return true;
    if (why)
        *why = LangFormat("convoys_type_pp_hint_within_one_country_%s_%s_%s", convoy.departure->Name,
                          convoy.destination->Name, GetCountry(holder) ? GetCountry(holder)->Name : std::wstring());
    return false;
}

void cKonwoje::HighlightPorts(int countryId, int departureNodeId) const
{
    cMapa* map = WorldMap();
    const cGrafMorz* graph = WorldSeaGraph();
    if (!map || !graph)
        return;
    map->ClearMarks(0x4000 | 0x8000, false);
    for (const sWezelGrafuMorz& node : graph->Nodes)
        if (node.Kind == SEA_NODE_PORT && map->IsInside(node.OwnShipsX, node.OwnShipsY) &&
            MayTakePort(countryId, departureNodeId, node.ID, nullptr))
            map->GetHex(node.OwnShipsX, node.OwnShipsY)->SetMark(0x8000, -1);
}

void cKonwoje::HighlightOwnPortsForConvoy(int countryId) const
{
    HighlightPorts(countryId, 0);
}

void cKonwoje::HighlightAlliedPortsForConvoy(int countryId, int excludedNodeId) const
{
    HighlightPorts(countryId, excludedNodeId);
}

void cKonwoje::LoadConvoys(const std::wstring& folderPattern)
{
    const std::wstring path = JoinPathPattern(folderPattern, L"convoys.csv");
    cCsvReader reader = OpenTableOrFail(path, L"Otwieram plik z miastami ze sciezka...");
    Convoys.clear();
    Results.clear();
    Resize(CountryCount());
    const cGrafMorz* graph = WorldSeaGraph();
    const int nodeCount = graph ? graph->NodeCount() : 0;
    while (NextTableRow(reader, false, 6, path))
    {
        const int line = reader.GetRowCount();
        const std::vector<std::wstring>& f = reader.m_Fields;
        // Each a whole number; what each may be is checked below.
        const cTableFields row(path, line, f, reader.m_Columns);
        sKonwoj convoy;
        convoy.id = row.Int(0, INT_MIN, INT_MAX, L"ID");
        convoy.owner = row.Int(1, INT_MIN, INT_MAX, L"Owner ID");
        const int type = row.Int(2, INT_MIN, INT_MAX, L"Type [0=supplies 1=PP]");
        convoy.value = row.Int(3, INT_MIN, INT_MAX, L"Value (PP amount)");
        const int dep = row.Int(4, INT_MIN, INT_MAX, L"Departure port ID");
        const int dest = row.Int(5, INT_MIN, INT_MAX, L"Destination port ID");
        auto fail = [&](const std::wstring& text) { FailAtLine(path, line, text); };
        if (dep < 1 || dep > nodeCount)
            fail(FormatText(L"ERROR: Convoy with ID=%i has departure sea node with ID=%i, there's no such sea node!",
                            convoy.id, dep));
        if (dest < 1 || dest > nodeCount)
            fail(FormatText(L"ERROR: Convoy with ID=%i has destination sea node with ID=%i, there's no such sea node!",
                            convoy.id, dest));
        convoy.departure = PortOfNode(dep);
        if (!convoy.departure)
            fail(FormatText(
                L"ERROR: Convoy with ID=%i has departure sea node with ID=%i, there's no port city for this sea node!",
                convoy.id, dep));
        convoy.destination = PortOfNode(dest);
        if (!convoy.destination)
            fail(FormatText(
                L"ERROR: Convoy with ID=%i has destination sea node with ID=%i, there's no port city for this sea node!",
                convoy.id, dest));
        // A convoy of a country the game does not have would be kept past the owners' lists.
        if (!OwnerConvoys(convoy.owner))
            fail(FormatText(L"ERROR: Convoy with ID=%i belongs to country %i, there's no such country!", convoy.id,
                            convoy.owner));
        // The next convoy's id is one above the highest read, and the Convoys window takes an
        // id below 0 for no convoy chosen: such a convoy could never be chosen there.
        if (convoy.id < 0 || convoy.id > 99999999)
            fail(FormatText(L"ERROR: Convoy with ID=%i: convoy ids run from 0 to 99999999", convoy.id));
        // No convoy the game makes carries below 0, or more than a script or the Convoys window gives.
        if (convoy.value < 0 || convoy.value > kMaxConvoyValue)
            fail(FormatText(L"ERROR: Convoy with ID=%i carries %i, outside 0 to %i", convoy.id, convoy.value,
                            kMaxConvoyValue));
        // A third type would run as nothing the game knows.
        if (type != CONVOY_SUPPLIES && type != CONVOY_PP)
            fail(FormatText(L"ERROR: Convoy with ID=%i has type %i, there's no such type (0 supplies, 1 PP)!",
                            convoy.id, type));
        // The convoy window finds the chosen convoy by its id: of two with one id, its orders
        // would change the other.
        for (const std::vector<sKonwoj>& list : Convoys)
            for (const sKonwoj& earlier : list)
                if (earlier.id == convoy.id)
                    fail(FormatText(L"ERROR: Convoy with ID=%i is given twice", convoy.id));
        convoy.type = eConvoyType(type);
        OwnerConvoys(convoy.owner)->push_back(convoy);
    }
}

void cKonwoje::SaveConvoys(const std::wstring& folder) const
{
    std::wstring text = L"#Convoys\n#ID;Owner ID;Type [0=supplies 1=PP];Value (PP amount);Departure port "
                        L"ID;Destination port ID;";
    for (const std::vector<sKonwoj>& list : Convoys)
        for (const sKonwoj& c : list)
            text += FormatText(L"\n%i;%i;%i;%i;%i;%i;", c.id, c.owner, int(c.type), c.value,
                               NodeIdOnHex(c.departure), NodeIdOnHex(c.destination));
    WriteSaveTextFile(JoinFolder(folder, L"convoys.csv"), text);
}
