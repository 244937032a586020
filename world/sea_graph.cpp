#include "world/sea_graph.h"

#include <algorithm>
#include <climits>

#include "core/csv.h"
#include "core/fatal.h"
#include "core/log.h"
#include "core/text.h"
#include "game/load_files.h"
#include "game/paths.h"
#include "game/table_fields.h"
#include "units/naval_unit.h"
#include "world/city.h"
#include "world/country.h"
#include "world/fleet.h"
#include "world/map.h"
#include "world/relations.h"
#include "world/world.h"
#include "world/world_files.h"

void sWezelGrafuMorz::CollectFleets(std::list<cFlota*>& out) const
{
    out.clear();
    if (!g_World.fleets)
        return;
    for (cFlota* fleet : *g_World.fleets)
        if (fleet->seaNode == ID)
            out.push_back(fleet);
}

int sWezelGrafuMorz::CountOwnShips() const
{
    int sum = 0;
    for (int v : OwnCounts)
        sum += v;
    return sum;
}

int sWezelGrafuMorz::CountVisibleEnemyShips() const
{
    int sum = 0;
    for (int v : EnemyCounts)
        sum += v;
    return sum;
}

sWezelGrafuMorz* cGrafMorz::GetNode(int id)
{
    if (id < 1 || size_t(id) > Nodes.size())
        return nullptr;
    return &Nodes[size_t(id - 1)];
}

const sWezelGrafuMorz* cGrafMorz::GetNode(int id) const
{
    return const_cast<cGrafMorz*>(this)->GetNode(id);
}

// ---- sea_nodes.csv ----

namespace {
constexpr int kMaxShipCount = 100000;

// The ship of a fleet with the id, or none.
cJednostkaMorska* ShipOnTheMap(int id)
{
    if (g_World.fleets && id >= 0)
        for (cFlota* fleet : *g_World.fleets)
            for (cJednostkaMorska* ship : fleet->ships)
                if (ship->m_Id == id)
                    return ship;
    return nullptr;
}
constexpr int kSavedSeaNodeColumns = 31;
} // namespace

void cGrafMorz::LoadNodes(const std::wstring& folderPattern)
{
    const std::wstring path = JoinPathPattern(folderPattern, L"sea_nodes.csv");
    Nodes.clear();
    cCsvReader reader = OpenTableOrFail(path, L"Otwieram plik z wezlami morskimi ze sciezka...");
    ShownShipsSaved = false;
    cMapa* map = WorldMap();
    int rowsRead = 0;
    // A save's rows carry 31 columns; two of a scenario's rows of 10 that ran together are
    // found by the ids, which must follow one another. A short row is skipped and told, so
    // that the author sees why the ids after it no longer follow.
    while (NextTableRow(reader, true, 10, path, kSavedSeaNodeColumns))
    {
        const int line = reader.GetRowCount();
        const std::vector<std::wstring>& f = reader.m_Fields;
        ++rowsRead;
        const cTableFields row(path, line, f);
        sWezelGrafuMorz node;
        node.ID = row.Int(0, INT_MIN, INT_MAX, L"ID");
        // Exit code 0 is never a failure: a script would take the refused load for a good one.
        if (node.ID != rowsRead)
            FailAtLine(path, line, FormatText(L"ERROR. Sea node %i has ID=%i (should be equal!)", rowsRead, node.ID));
        node.Name = f[1];
        // Scripted events may raise a port to 10, and a save keeps it.
        node.SizeMax = row.ClampedInt(2, 0, 10, L"Size max (0-sea / 1 to 9-port)");
        node.SizeCurrent = std::min(row.ClampedInt(3, 0, 10, L"Size current"), node.SizeMax);
        // A hex off the map is told below; one in letters is no hex at all.
        static const wchar_t* const kCoordinateNames[] = {L"Hex X (city hex X for ports)",
                                                          L"Hex Y (city hex Y for ports)",
                                                          L"Player unit hex X",
                                                          L"Player unit hex Y",
                                                          L"Enemy unit hex X",
                                                          L"Enemy unit hex Y"};
        int32_t* coords[6] = {&node.MainX, &node.MainY, &node.OwnShipsX, &node.OwnShipsY, &node.EnemyShipsX,
                              &node.EnemyShipsY};
        for (size_t i = 0; i < 6; ++i)
            *coords[i] = row.Int(4 + i, INT_MIN, INT_MAX, kCoordinateNames[i]);
        if (node.Name == L"-" && map && map->IsInside(node.MainX, node.MainY) && map->GetHex(node.MainX, node.MainY)->city)
            node.Name = map->GetHex(node.MainX, node.MainY)->city->Name;
        if (WarnIfNameTooLong(node.Name, kSeaNodeNameMax, L"sea node", path, line))
            node.Name.resize(size_t(kSeaNodeNameMax));
        node.Kind = node.SizeCurrent == 0 ? SEA_NODE_SEA : SEA_NODE_PORT;
        // What a save keeps of play: whether the node is a port (one bombed down to size 0 is
        // still a port in play), and the ships the node counted for the country that last
        // looked, from which spotting goes on.
        if (row.Has(28))
            node.Kind = row.Int(28, SEA_NODE_PORT, SEA_NODE_SEA, L"Kind");
        // The ships the node showed: the dice pick another when one of them goes down.
        if (f.size() >= 31)
        {
            ShownShipsSaved = true;
            node.ShownOwnShip = ShipOnTheMap(row.Int(29, -1, INT_MAX, L"Own ship shown (ID, -1 none)"));
            node.ShownEnemyShip = ShipOnTheMap(row.Int(30, -1, INT_MAX, L"Enemy ship shown (ID, -1 none)"));
        }
        if (f.size() >= 28)
            for (size_t t = 0; t < 6; ++t)
            {
                node.OwnCounts[t] = row.ClampedInt(10 + t, 0, kMaxShipCount, FormatText(L"own ships %i", int(t) + 1));
                node.AlliedCounts[t] =
                    row.ClampedInt(16 + t, 0, kMaxShipCount, FormatText(L"allied ships %i", int(t) + 1));
                node.EnemyCounts[t] =
                    row.ClampedInt(22 + t, 0, kMaxShipCount, FormatText(L"enemy ships %i", int(t) + 1));
            }
        Nodes.push_back(node);
        if (!map)
            continue;
        if (map->IsInside(node.MainX, node.MainY))
            map->GetHex(node.MainX, node.MainY)->seaNodeDisplay = uint16_t(node.ID);
        else
            LogLine(L"WARNING. Main hex for sea node %s (ID=%i) is placed outside the map!", node.Name, node.ID);
        // The hexes where the node's own and enemy ships stand show the node; in a port they are its zone too.
        auto placeShips = [&](int x, int y, const wchar_t* whose) {
            if (!map->IsInside(x, y))
            {
                LogLine(L"WARNING. %s unit in sea node %s (ID=%i) is placed outside the map!", whose, node.Name,
                        node.ID);
                return;
            }
            sHex* hex = map->GetHex(x, y);
            hex->seaNodeDisplay = uint16_t(node.ID);
            if (node.Kind == SEA_NODE_PORT)
                hex->seaZone = uint16_t(node.ID);
        };
        placeShips(node.OwnShipsX, node.OwnShipsY, L"Player");
        placeShips(node.EnemyShipsX, node.EnemyShipsY, L"Enemy");
    }
    if (map && g_World.cities)
    {
        bool missing = false;
        for (const cMiasto* city : *g_World.cities)
            if (city->IsPort() && map->GetHex(city->X, city->Y)->seaNodeDisplay == 0)
            {
                LogLine(L"ERROR. There is no sea node for port city %s (%i, %i)", city->Name, city->X, city->Y);
                missing = true;
            }
        // Exit code 0 is never a failure: a script would take the refused load for a good one.
        if (missing)
            FatalExit(1, FormatText(L"ERROR: port cities without a sea node in %s", path));
    }
}

void cGrafMorz::SaveNodes(const std::wstring& folder) const
{
    std::wstring text = L"#ID;Name (seas only);Size max (0-sea / 1 to 9-port);Size current;Hex X (city hex X for "
                        L"ports);Hex Y (city hex Y for ports);Player unit hex X;Player unit hex Y;Enemy unit hex "
                        L"X;Enemy unit hex Y;Own, allied and enemy ships counted (6 types each);Kind;Own ship "
                        L"shown (ID, -1 none);Enemy ship shown (ID, -1 none)";
    // The counts, the kind and the shown ships go with the save: a loaded game goes on as the saved one.
    for (const sWezelGrafuMorz& n : Nodes)
    {
        text += FormatText(L"\n%i;%s;%i;%i;%i;%i;%i;%i;%i;%i;", n.ID, n.Name, n.SizeMax, n.SizeCurrent, n.MainX,
                           n.MainY, n.OwnShipsX, n.OwnShipsY, n.EnemyShipsX, n.EnemyShipsY);
        for (const int32_t* counts : {n.OwnCounts, n.AlliedCounts, n.EnemyCounts})
            for (int t = 0; t < 6; ++t)
                text += FormatText(L"%i;", counts[t]);
        text += FormatText(L"%i;%i;%i;", n.Kind, n.ShownOwnShip ? n.ShownOwnShip->m_Id : -1,
                           n.ShownEnemyShip ? n.ShownEnemyShip->m_Id : -1);
    }
    WriteSaveTextFile(JoinFolder(folder, L"sea_nodes.csv"), text);
}

// ---- sea_edges.csv ----

void cGrafMorz::Load(const std::wstring& scenarioName)
{
    LoadEdgesFile(JoinPathPattern(MakeFolderPattern(L"data\\scenarios", scenarioName), L"sea_edges.csv"));
}

void cGrafMorz::LoadEdgesFile(const std::wstring& path)
{
    const std::vector<std::string> lines =
        ReadTextLinesOrFail(path, L"Otwieram plik z krawedziami grafu morskiego ze sciezka...");
    const cMapa* map = WorldMap();
    int lineNo = 0;
    int v[4] = {}; // a field a line leaves out keeps its value of the line before
    for (const std::string& line : lines)
    {
        ++lineNo;
        if (line.empty() || line[0] == '#' || line.size() <= 5)
            continue;
        std::vector<int> columns;
        const std::vector<std::string> fields = SplitTokens(StripLineEnd(line), ";", &columns);
        const size_t given = std::min<size_t>(fields.size(), 4);
        // A hex in letters would be read as column or row 0, and the strait held by whoever
        // holds that other hex: no number refuses the file, as everywhere.
        const cTableFields row(path, lineNo, fields, columns);
        static const wchar_t* const kNames[] = {L"From sea node ID", L"To sea node ID",
                                                L"Controlling hex X (-1 = free)", L"Controlling hex Y"};
        for (size_t i = 0; i < given; ++i)
            v[i] = row.Int(i, INT_MIN, INT_MAX, kNames[i]);
        const int from = v[0];
        sLukGrafuMorz edge;
        edge.Target = v[1];
        edge.ControlX = v[2];
        edge.ControlY = v[3];
        // An edge of or to a node that does not exist would be kept outside the graph.
        if (!GetNode(from) || !GetNode(edge.Target))
        {
            LogLine(L"ERROR: edge %i -> %i names a sea node that does not exist (1 to %i) in %s at line %i, line "
                    L"skipped",
                    from, edge.Target, NodeCount(), path, lineNo);
            CountRowLeftOut(path);
            continue;
        }
        // A hex off the map would be read as the first hex: the edge would be held by its holder.
        if (edge.ControlX != -1 && (!map || !map->IsInside(edge.ControlX, edge.ControlY)))
        {
            LogLine(L"ERROR: edge %i -> %i is held by hex (%i, %i) outside the map in %s at line %i, line skipped",
                    from, edge.Target, edge.ControlX, edge.ControlY, path, lineNo);
            CountRowLeftOut(path);
            continue;
        }
        GetNode(from)->Edges.push_back(edge);
    }
}

// ---- Look-ups ----

int cGrafMorz::FindNodeAtHex(int x, int y) const
{
    for (const sWezelGrafuMorz& node : Nodes)
        if (node.MainX == x && node.MainY == y)
            return node.ID;
    return -1;
}

int cGrafMorz::FindSeaNeighbour(int nodeId) const
{
    const sWezelGrafuMorz* node = GetNode(nodeId);
    if (!node)
        return -1;
    for (const sLukGrafuMorz& edge : node->Edges)
        if (const sWezelGrafuMorz* target = GetNode(edge.Target); target && target->Kind == SEA_NODE_SEA)
            return edge.Target;
    return -1;
}

namespace {
// Held by the country or an ally; a hex that nobody holds is held by no friend.
bool HexHeldByFriend(int x, int y, int countryId)
{
    const cMapa* map = WorldMap();
    if (!map || !map->IsInside(x, y))
        return false;
    return IsCountryOrAlly(map->GetHex(x, y)->controller, countryId);
}
} // namespace

bool cGrafMorz::IsEdgeUsable(const sLukGrafuMorz& edge, int countryId) const
{
    return edge.ControlX == -1 || HexHeldByFriend(edge.ControlX, edge.ControlY, countryId);
}

bool cGrafMorz::CanPass(int fromId, int toId, int countryId) const
{
    const sWezelGrafuMorz* from = GetNode(fromId);
    if (!from)
        return false;
    for (const sLukGrafuMorz& edge : from->Edges)
        if (edge.Target == toId && IsEdgeUsable(edge, countryId))
            return true;
    return false;
}

bool cGrafMorz::IsAdmissible(const sWezelGrafuMorz& node, int countryId, bool strictPorts) const
{
    if (node.Kind == SEA_NODE_SEA)
        return true;
    const cMapa* map = WorldMap();
    if (!map || !map->IsInside(node.MainX, node.MainY))
        return false;
    const sHex* hex = map->GetHex(node.MainX, node.MainY);
    if (strictPorts)
        return hex->IsControlledByFriend(countryId);
    const cRelationsMatrix* relations = WorldRelations();
    return hex->controller == 0 || !relations || !relations->IsAtWar(countryId, hex->controller);
}

// Breadth-first search by levels. Every node of a level that reaches a node of the next
// level becomes its predecessor in turn, so the predecessor that stays is the last node,
// in queue order, of the nearest level that reached it. The queue order of a level is the
// order of the last admissions of its nodes, which is what a queue that admits a node
// again for every parent would give; keeping one entry per node keeps the search linear.
bool cGrafMorz::FindPath(int fromId, int toId, int countryId, bool strictPorts, std::list<int>& path)
{
    path.clear();
    sWezelGrafuMorz* from = GetNode(fromId);
    sWezelGrafuMorz* to = GetNode(toId);
    for (sWezelGrafuMorz& node : Nodes)
    {
        node.Distance = -1;
        node.Predecessor = -1;
    }
    if (!from || !to)
        return false;
    from->Distance = 0;
    from->Predecessor = 0;
    std::vector<int> level{fromId};
    std::vector<int> admitted;
    std::vector<int> next;
    std::vector<int> stamp(Nodes.size() + 1, -1);
    for (int depth = 0; !level.empty(); ++depth)
    {
        admitted.clear();
        for (int id : level)
        {
            const sWezelGrafuMorz& n = Nodes[size_t(id - 1)];
            for (const sLukGrafuMorz& edge : n.Edges)
            {
                sWezelGrafuMorz* x = GetNode(edge.Target);
                if (!x || !IsEdgeUsable(edge, countryId))
                    continue;
                if ((x->Distance == -1 || x->Distance > depth) && IsAdmissible(*x, countryId, strictPorts))
                {
                    x->Distance = depth + 1;
                    x->Predecessor = n.ID;
                    admitted.push_back(x->ID);
                }
            }
        }
        // The next level in the order of each node's last admission.
        next.clear();
        for (auto it = admitted.rbegin(); it != admitted.rend(); ++it)
            if (stamp[size_t(*it)] != depth)
            {
                stamp[size_t(*it)] = depth;
                next.push_back(*it);
            }
        std::reverse(next.begin(), next.end());
        level.swap(next);
    }
    if (to->Distance == -1)
        return false;
    int id = toId;
    for (size_t steps = 0; steps <= Nodes.size(); ++steps)
    {
        path.push_back(id);
        if (id == fromId)
            return true;
        id = Nodes[size_t(id - 1)].Predecessor;
        if (!GetNode(id))
            break;
    }
    path.clear();
    return false;
}
