// What a ship does besides fighting: reconnaissance of a sea node and around a hex, the
// ports where a ship may be placed, and putting the carried land unit ashore.
#include <algorithm>

#include "core/log.h"
#include "core/stringbase.h"
#include "game/consts.h"
#include "game/game.h"
#include "game/play_counts.h"
#include "game/play_state.h"
#include "units/combat_result.h"
#include "units/combat_support.h"
#include "units/land_unit.h"
#include "units/naval_unit.h"
#include "units/unit_access.h"
#include "units/unit_lists.h"
#include "world/city.h"
#include "world/country.h"
#include "world/fleet.h"
#include "world/hex_range.h"
#include "world/map.h"
#include "world/relations.h"
#include "world/sea_graph.h"
#include "world/supply.h"

namespace {

cMapa* GameMap()
{
    return g_Gra ? g_Gra->m_Mapa : nullptr;
}

// 1 to 3 for a member or leader of the Allies, the Axis or the Comintern; 0 neutral.
int SideOfCountry(int countryId)
{
    const cPanstwo* country = GetCountry(countryId);
    if (!country || country->Alliance <= 0)
        return 0;
    return (country->Alliance - 1) % 3 + 1;
}

int CitySupplyOf(const cMiasto& city, int countryId)
{
    if (countryId < 1 || city.SupplyByCountry.size() < size_t(countryId))
        return 0;
    return city.SupplyByCountry[size_t(countryId - 1)];
}

// A unit landed on a coast takes its supply from the nearest supply city its side can
// reach over land, as the supply pass would give it; none leaves it without supply.
void SupplyFromNearestCity(cJednostkaLadowa& unit)
{
    cMapa* map = GameMap();
    cZaopatrzenie* supply = g_Gra && g_Gra->m_PlayState ? g_Gra->m_PlayState->GetSupplyWorkArea() : nullptr;
    if (!map || !supply) {
        unit.SetSupply(0);
        return;
    }
    if (supply->Width != map->width || supply->Height != map->height)
        supply->AllocateGrid(map);
    const int side = SideOfCountry(unit.m_Owner);
    const sSupplySource source = supply->FindNearestSupplyCity(&unit, side == 0 ? -1 : side, side == 0 ? unit.m_Owner : -1);
    if (!source.city) {
        unit.SetSupply(0);
        unit.SetSupplySourceX(-1);
        unit.SetSupplySourceY(-1);
        return;
    }
    unit.SetSupply(std::max(CitySupplyOf(*source.city, unit.m_Owner) - source.cost, 1));
    unit.SetSupplySourceX(source.city->X);
    unit.SetSupplySourceY(source.city->Y);
}

} // namespace

bool cJednostkaMorska::ReconSeaNode(int nodeId, sCombatResult* result)
{
    cGrafMorz* graph = g_Gra ? g_Gra->m_SeaGraph : nullptr;
    sWezelGrafuMorz* node = graph ? graph->GetNode(nodeId) : nullptr;
    // A node id the graph does not have would be read out of bounds.
    if (!node) {
        LogLine(L"Ship %s (ID=%i) cannot reconnoitre sea node %i: there is no such node", m_Name, m_Id, nodeId);
        return false;
    }
    // The effects have no sound of a ship's own: a ship's look-out sounds as a reconnaissance.
    PlayCombatSound(L"AirRecon", this);
    {
        cShowForeignShipsInPorts show;
        node->CalculateVisibility(false);
    }
    m_ReconDone = true;
    if (result) {
        // A look fought by nobody shows no side's flag, as a plane's reconnaissance does.
        result->kind = COMBAT_AIR_RECON;
        AppendLine(result->attackerInfo,
                   LangFormat("recon_result_sea_%s_%i", node->Name, node->CountVisibleEnemyShips()));
    }
    return true;
}

void cJednostkaMorska::ReconAroundHex(int x, int y, sCombatResult* result)
{
    PlayCombatSound(L"AirRecon", this); // as for a sea node: no effect is a ship's own
    const cPanstwo* owner = GetOwner();
    std::wstring told;
    if (owner)
        DiscoverAroundHex(m_Owner, x, y, owner->TechLevel[TECH_AIRCRAFT], told);
    m_ReconDone = true;
    if (result && !told.empty()) {
        result->kind = COMBAT_AIR_RECON;
        AppendLine(result->attackerInfo, told);
    }
}

int cJednostkaMorska::MarkActionTargets(bool mark)
{
    cMapa* map = GameMap();
    const cGrafMorz* graph = g_Gra ? g_Gra->m_SeaGraph : nullptr;
    const sGameConsts* k = UnitConsts();
    const int type = NavalTypeIndex(m_Type);
    if (!map || !graph || !k || type < 0)
        return 0;
    if (mark)
        map->ClearMarks(~uint32_t(MARK_SELECTED), true);
    int count = 0;
    for (const sWezelGrafuMorz& node : graph->Nodes) {
        if (node.Kind != SEA_NODE_PORT || node.SizeCurrent < k->PortCapacityToRepair[type])
            continue;
        // A port hex off the map would be judged by the map's first hex, whose holder it is not.
        const sHex* main = map->IsInside(node.MainX, node.MainY) ? map->GetHex(node.MainX, node.MainY) : nullptr;
        if (!main || main->controller != m_Owner)
            continue;
        ++count;
        if (mark && map->IsInside(node.OwnShipsX, node.OwnShipsY))
            map->GetHex(node.OwnShipsX, node.OwnShipsY)->SetMark(MARK_ACTION_TARGET, -1);
    }
    return count;
}

int cJednostkaMorska::MarkUnloadHexes(bool mark)
{
    cMapa* map = GameMap();
    const sWezelGrafuMorz* node = m_Fleet ? m_Fleet->GetSeaNode() : nullptr;
    if (!map || !node)
        return 0;
    if (mark)
        map->ClearMarks(~uint32_t(0), true);
    int count = 0;
    auto take = [&](sHex& hex) {
        ++count;
        if (mark)
            hex.SetMark(MARK_ACTION_TARGET, -1);
    };
    if (node->Kind == SEA_NODE_SEA) {
        if (m_Type != UNIT_AMPHIBIOUS)
            return 0;
        for (const auto& [x, y] : map->GetCoastalHexesOfZone(node->ID)) {
            sHex& hex = *map->GetHex(x, y);
            if (x >= map->width - 1 || y >= map->height - 1 || !hex.IsLand() || !hex.coastal)
                continue;
            if (!CountriesAtWar(hex.controller, m_Owner) && !CountriesAtWar(hex.owner, m_Owner))
                continue;
            if (hex.unit && !CountriesAtWar(hex.unit->m_Owner, m_Owner))
                continue;
            take(hex);
        }
        return count;
    }
    auto friendlyEmptyLand = [&](sHex* hex) {
        if (hex && hex->IsLand() && !hex->unit && IsCountryOrAlly(hex->controller, m_Owner))
            take(*hex);
    };
    if (map->IsInside(node->MainX, node->MainY))
        friendlyEmptyLand(map->GetHex(node->MainX, node->MainY));
    for (int d = 0; d < 6; ++d)
        if (map->HasNeighbour(node->MainX, node->MainY, d))
            friendlyEmptyLand(map->GetNeighbour(node->MainX, node->MainY, d));
    return count;
}

cJednostkaLadowa* cJednostkaMorska::UnloadToHex(int x, int y, int fromX, int fromY)
{
    cJednostkaLadowa* unit = m_Cargo;
    if (!IsTransport()) {
        // Ending the game here, with code 0 too, would report a failure as success: it goes on.
        LogLine(L"ERR: Trying to unload sea transport from sea unit of subtype of neither cargo nor amphibious! Details "
                L"below");
        LogLine(L"ERR: Unloading sea transport into friendly-controlled hex %d, %d with land unit %s [ID %d] transported "
                L"by sea unit %s [ID %d] of subtype %d (INVALID SUBTYPE FOR THIS ACTION!)",
                x, y, unit ? unit->m_Name : std::wstring(), unit ? unit->m_Id : -1, m_Name, m_Id, m_Type);
        return nullptr;
    }
    sHex* target = UnitHexAt(x, y);
    // Nothing to put ashore, or no free hex to put it on: a hex holds one unit.
    if (!unit || !g_Gra || !target || target->unit) {
        LogLine(L"ERR: Ship %s [ID %d] cannot unload into hex %d, %d: %s", m_Name, m_Id, x, y,
                unit ? L"the hex is taken or off the map" : L"it carries nothing");
        return nullptr;
    }
    const sGameConsts* k = UnitConsts();
    if (m_Type == UNIT_CARGO) {
        LogLine(L"Unloading sea transport into friendly-controlled hex %d, %d with land unit %s [ID %d] transported by "
                L"cargo unit %s [ID %d]",
                x, y, unit->m_Name, unit->m_Id, m_Name, m_Id);
        // The moving country gets back the transport points; outside a turn none moves: the owner.
        const int type = LandTypeIndex(unit->m_Type);
        cPanstwo* active = g_Gra->m_PlayState ? g_Gra->m_PlayState->GetActiveCountry() : nullptr;
        if (cPanstwo* mover = active ? active : GetOwner(); mover && k && type >= 0)
            mover->AddSeaTransportPoints(k->SeaTransportCost[type]);
    } else {
        LogLine(L"Unloading sea transport into friendly-controlled hex %d, %d with land unit %s [ID %d] transported by "
                L"amphibious unit %s [ID %d]",
                x, y, unit->m_Name, unit->m_Id, m_Name, m_Id);
    }

    unit->SetActionPoints(0);
    unit->m_X = x;
    unit->m_Y = y;
    unit->m_Transporter = nullptr;
    unit->m_TransporterId = -1;
    target->unit = unit;
    RemoveFromList(m_Type == UNIT_CARGO ? g_Gra->m_LandUnits2 : g_Gra->m_LandUnits3, unit);
    g_Gra->m_LandUnits.push_back(unit);
    m_Cargo = nullptr;

    const sHex* from = UnitHexAt(fromX, fromY);
    // An open coast has no city to give the supply the rule reads from one: the supply pass's.
    if (from && from->city) {
        unit->SetSupply(CitySupplyOf(*from->city, m_Owner));
        unit->SetSupplySourceX(fromX);
        unit->SetSupplySourceY(fromY);
    } else {
        SupplyFromNearestCity(*unit);
    }
    unit->RecalculateEfficiency();
    unit->RevealNearbyEnemies(false);
    // The steps return the reveal's result, which gives none; the operation's table the unit.
    return unit;
}

bool cJednostkaMorska::AiUnload(bool testOnly)
{
    if (!m_Cargo) {
        LogLine(L"ERROR! Trying to unload non-existing unit from transport!");
        return false;
    }
    cMapa* map = GameMap();
    const sWezelGrafuMorz* node = m_Fleet ? m_Fleet->GetSeaNode() : nullptr;
    if (!map || !node || !map->IsInside(node->MainX, node->MainY))
        return false;
    // The active country is the one unloading: its side's hexes take the unit.
    const cPanstwo* active = g_Gra && g_Gra->m_PlayState ? g_Gra->m_PlayState->GetActiveCountry() : nullptr;
    const int who = active ? active->ID : m_Owner;
    auto usable = [who](const sHex* hex) {
        return hex && hex->IsLand() && !hex->unit && IsCountryOrAlly(hex->controller, who);
    };
    const sHex* target = map->GetHex(node->MainX, node->MainY);
    if (!usable(target)) {
        target = nullptr;
        for (int d = 0; d < 6 && !target; ++d)
            if (map->HasNeighbour(node->MainX, node->MainY, d) && usable(map->GetNeighbour(node->MainX, node->MainY, d)))
                target = map->GetNeighbour(node->MainX, node->MainY, d);
    }
    if (!target)
        return false;
    if (testOnly)
        return true;
    return UnloadToHex(target->x, target->y, node->MainX, node->MainY) != nullptr;
}
