// Sea-zone visibility: per node, the ships of the viewing country, of its allies and of its
// enemies by type, which enemy ships it has spotted, the ship shown on each display hex,
// and the sharing of the best commander among a country's ships in the zone.
#include <set>
#include <vector>

#include "core/log.h"
#include "core/random.h"
#include "core/settings.h"
#include "game/commanders.h"
#include "game/consts.h"
#include "game/game.h"
#include "units/naval_unit.h"
#include "units/unit_access.h"
#include "world/country.h"
#include "world/fleet.h"
#include "world/sea_graph.h"
#include "world/world.h"

bool g_HideForeignShipsInPorts = true;

namespace {

enum eRelation
{
    RELATION_NONE = -1,
    RELATION_OWN = 0,
    RELATION_ALLIED = 1,
    RELATION_ENEMY = 2,
};

int ViewingCountry()
{
    const cGrafMorz* graph = WorldSeaGraph();
    return graph ? graph->ViewingCountry : 0;
}

// How a fleet's owner stands to the viewing country; neutral owners are not seen at all.
eRelation RelationTo(int owner, int viewer)
{
    if (owner == viewer)
        return RELATION_OWN;
    const cPanstwo* view = GetCountry(viewer);
    if (!view || owner < 1)
        return RELATION_NONE;
    if (view->IsAlliedWith(owner))
        return RELATION_ALLIED;
    if (view->IsAtWarWith(owner))
        return RELATION_ENEMY;
    return RELATION_NONE;
}

// Calls visit(fleet, relation) for every fleet at the node the viewing country counts.
template <typename Visit>
void ForEachCountedFleet(const sWezelGrafuMorz& node, int viewer, Visit visit)
{
    if (!g_World.fleets)
        return;
    for (cFlota* fleet : *g_World.fleets) {
        if (fleet->seaNode != node.ID)
            continue;
        const eRelation r = RelationTo(fleet->owner, viewer);
        if (r == RELATION_NONE)
            continue;
        if (g_HideForeignShipsInPorts && node.Kind == SEA_NODE_PORT && r != RELATION_OWN)
            continue;
        visit(*fleet, r);
    }
}

// One of the list's spotted ships at random (the first without dice), or null.
cJednostkaMorska* PickSpotted(const std::vector<cJednostkaMorska*>& ships, bool dice = true)
{
    std::vector<cJednostkaMorska*> seen;
    for (cJednostkaMorska* ship : ships)
        if (ship->m_Spotted)
            seen.push_back(ship);
    if (seen.empty())
        return nullptr;
    if (!dice)
        return seen.front();
    return seen[size_t(RandomInt(0, int(seen.size()) - 1))];
}

int SpottingChance(const sWezelGrafuMorz& node)
{
    const sGameConsts& k = GameConsts();
    // In 128 bits: the constants take any 32-bit value, and their products and sums pass 64
    // bits; wrapped, a sure sighting would turn into none before the chance is cut to 0..100.
    using tWide = __int128;
    tWide friendly = 0, enemy = 0;
    for (int t = 0; t < 6; ++t) {
        friendly += tWide(node.OwnCounts[t]) + node.AlliedCounts[t];
        enemy += node.EnemyCounts[t];
    }
    const tWide carriers = tWide(node.OwnCounts[0]) + node.AlliedCounts[0];
    tWide chance = k.SpottingBaseChance;
    // The divisors are refused at load when 0; a game without constants has none.
    if (friendly > k.SpottingFriendly[0] && k.SpottingFriendly[1] != 0)
        chance += (friendly - k.SpottingFriendly[0]) / k.SpottingFriendly[1] * k.SpottingFriendly[2];
    if (enemy > k.SpottingEnemy[0] && k.SpottingEnemy[1] != 0)
        chance += (enemy - k.SpottingEnemy[0]) / k.SpottingEnemy[1] * k.SpottingEnemy[2];
    chance += carriers * k.SpottingCarrierBonus;
    if (chance > 100 || g_UserSettings.fogOfWar == 0)
        chance = 100;
    if (chance < 0)
        chance = 0;
    return int(chance);
}

} // namespace

void sWezelGrafuMorz::ResetCounts(bool keep)
{
    ShownOwnShip = nullptr;
    ShownEnemyShip = nullptr;
    for (int t = 0; t < 6; ++t) {
        OwnCounts[t] = 0;
        AlliedCounts[t] = 0;
        if (!keep)
            EnemyCounts[t] = 0;
    }
}

void sWezelGrafuMorz::CalculateVisibility(bool keep)
{
    LogLine(L"Calculating naval units visibility for zone %s (ID=%i)", Name, ID);
    ResetCounts(keep);
    std::vector<cJednostkaMorska*> own, enemy;
    ForEachCountedFleet(*this, ViewingCountry(), [&](cFlota& fleet, eRelation r) {
        for (cJednostkaMorska* ship : fleet.ships) {
            const int t = NavalTypeIndex(ship->m_Type);
            // Loading refuses such a ship; one made later is left out rather than ending the game.
            if (t < 0) {
                LogLine(L"ERROR: Unknown naval unit type (%i) while calculating ships for node id=%i", ship->m_Type, ID);
                continue;
            }
            if (r == RELATION_ENEMY) {
                enemy.push_back(ship);
                if (!keep) {
                    ship->m_Spotted = true;
                    ++EnemyCounts[t];
                }
                continue;
            }
            own.push_back(ship);
            ship->m_Spotted = true;
            ++(r == RELATION_OWN ? OwnCounts : AlliedCounts)[t];
        }
    });

    const int chance = SpottingChance(*this);
    LogLine(L"Chance of spotting enemy unit = %i", chance);
    for (cJednostkaMorska* ship : enemy) {
        const int t = NavalTypeIndex(ship->m_Type);
        if (!keep) {
            if (RandomInt(0, 100) > chance) {
                ship->m_Spotted = false;
                --EnemyCounts[t];
            }
        } else if (!ship->m_Spotted && RandomInt(0, 100) <= chance) {
            ship->m_Spotted = true;
            ++EnemyCounts[t];
        }
    }
    // A port never shows an enemy ship at its enemy hex.
    ShownEnemyShip = Kind == SEA_NODE_SEA ? PickSpotted(enemy) : nullptr;
    ShownOwnShip = PickSpotted(own);
}

void sWezelGrafuMorz::CalculateVisibilityForCountry(int countryId, bool keep)
{
    if (cGrafMorz* graph = WorldSeaGraph())
        graph->ViewingCountry = countryId;
    CalculateVisibility(keep);
}

void cGrafMorz::CalculateAllVisibility(int countryId, bool keep)
{
    ViewingCountry = countryId;
    for (sWezelGrafuMorz& node : Nodes)
        node.CalculateVisibility(keep);
}

void sWezelGrafuMorz::OnFleetLeft(const cFlota& fleet)
{
    if (fleet.owner != ViewingCountry())
        return;
    // Counts made for another viewer never go below nothing.
    for (const cJednostkaMorska* ship : fleet.ships)
        if (const int t = NavalTypeIndex(ship->m_Type); t >= 0 && OwnCounts[t] > 0)
            --OwnCounts[t];
    RefreshDisplayedShips(true, false);
}

void sWezelGrafuMorz::RefreshDisplayedShips(bool own, bool enemy, bool dice)
{
    std::vector<cJednostkaMorska*> ours, theirs;
    ForEachCountedFleet(*this, ViewingCountry(), [&](cFlota& fleet, eRelation r) {
        auto& list = r == RELATION_ENEMY ? theirs : ours;
        list.insert(list.end(), fleet.ships.begin(), fleet.ships.end());
    });
    // The enemy ship is drawn first, as in the full pass.
    if (enemy)
        ShownEnemyShip = Kind == SEA_NODE_SEA ? PickSpotted(theirs, dice) : nullptr;
    if (own)
        ShownOwnShip = PickSpotted(ours, dice);
}

void cGrafMorz::ShowKeptSightings()
{
    // An older save names no shown ships: the first ship in sight stands for each side.
    if (ShownShipsSaved)
        return;
    for (sWezelGrafuMorz& node : Nodes)
        node.RefreshDisplayedShips(true, true, false);
}

void sWezelGrafuMorz::ShareBestCommander(int countryId)
{
    if (!g_World.fleets)
        return;
    if (countryId < 1) {
        std::set<int> owners;
        for (const cFlota* fleet : *g_World.fleets)
            if (fleet->seaNode == ID)
                owners.insert(fleet->owner);
        // A fleet of no country (owner below 1) would call this again for "every owner" without end.
        for (int owner : owners)
            if (owner >= 1)
                ShareBestCommander(owner);
        return;
    }
    const sDowodca* best = nullptr;
    for (const cFlota* fleet : *g_World.fleets)
        if (fleet->seaNode == ID && fleet->owner == countryId)
            for (const cJednostkaMorska* ship : fleet->ships)
                if (ship->m_Commander && (!best || ship->m_Commander->Skill > best->Skill))
                    best = ship->m_Commander;
    for (const cFlota* fleet : *g_World.fleets)
        if (fleet->seaNode == ID && fleet->owner == countryId)
            for (cJednostkaMorska* ship : fleet->ships)
                if (!ship->m_Commander)
                    ship->m_CommandingCommanderId = best ? best->ID : -1;
}
