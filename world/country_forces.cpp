// A country's operations over the units of the game: interceptors, air power, the
// capacities of its ships, a few look-ups, the event operations on all its units and the
// force summary.
#include <algorithm>
#include <vector>

#include "core/log.h"
#include "game/consts.h"
#include "game/game.h"
#include "units/air_unit.h"
#include "units/land_unit.h"
#include "units/naval_unit.h"
#include "units/unit_access.h"
#include "world/city.h"
#include "world/country.h"
#include "world/fleet.h"
#include "world/hex_geometry.h"
#include "world/map.h"
#include "world/relations.h"
#include "world/sea_graph.h"
#include "world/world.h"

namespace {

// The running best of an interceptor search: the first of equal powers stays.
struct sInterceptorChoice
{
    cUnit* best = nullptr;
    int power = 0;
    bool aboveZero = false; // the first candidate too must have power above 0

    void Consider(cUnit* unit, int unitPower)
    {
        LogLine(L"Possible interceptor: %s, power: %i", unit->m_Name, unitPower);
        if ((best || aboveZero) && unitPower <= power)
            return;
        LogLine(L"Interceptor above is best so far!");
        best = unit;
        power = unitPower;
    }

    cUnit* Finish() const
    {
        LogLine(best ? L"Searching for interceptor finished" : L"Searching for interceptor finished, no interceptor found");
        return best;
    }
};

// Fighter range of a country: the base range by its aircraft technology.
int FighterRangeOf(const cPanstwo& country, const sGameConsts& k)
{
    return RangeInHexes(k.AirRanges[0], k.RangeTechFactor[TableLevelIndex(country.TechLevel[TECH_AIRCRAFT])]);
}

// The worth of the fighters within the country's fighter range of the hex whose owner
// qualifies: each counts by its value, as in upkeep and the score.
template <typename Qualifies>
int FighterPowerNear(const cPanstwo& country, int x, int y, Qualifies qualifies)
{
    const sGameConsts* k = UnitConsts();
    if (!g_Gra || !k)
        return 0;
    const int range = FighterRangeOf(country, *k);
    double power = 0.0;
    for (const cJednostkaLotnicza* u : g_Gra->m_AirUnits)
        if (u->m_Type == UNIT_FIGHTER && u->IsOnMap() && qualifies(u->m_Owner) &&
            HexDistance(x, y, u->m_X, u->m_Y) <= range)
            power += u->GetFullStrengthValue();
    return int(power);
}

// The row of the force summary kept by type code, or -1 (a Mulberry has none).
int CodeRowOfType(int type, bool inReserve)
{
    if (IsLandType(type))
        return 16 + type;
    if (IsAirType(type))
        return inReserve ? 16 + type : 3 + type;
    if (IsNavalType(type))
        return type - 14;
    return -1;
}

// The carrier of the node whose owner qualifies, with the hit points its aircraft need.
template <typename Qualifies>
cJednostkaMorska* FindCarrierInterceptor(int nodeId, Qualifies qualifies, bool aboveZero = false)
{
    const sGameConsts* k = UnitConsts();
    sInterceptorChoice choice;
    choice.aboveZero = aboveZero;
    if (g_Gra && k)
        for (cJednostkaMorska* ship : g_Gra->m_NavalUnits)
            if (ship->m_Type == UNIT_CARRIER && ship->m_HP >= k->CarrierHitPointsForAir && qualifies(ship->m_Owner) &&
                ship->m_Fleet && ship->m_Fleet->seaNode == nodeId)
                choice.Consider(ship, ship->m_HP);
    return static_cast<cJednostkaMorska*>(choice.Finish());
}

} // namespace

int DisplayRowOfType(int type)
{
    if (IsLandType(type))
        return type;
    switch (type) {
    case UNIT_STRATEGIC_BOMBER: return 7;
    case UNIT_TACTICAL_BOMBER: return 8;
    case UNIT_FIGHTER: return 9;
    case UNIT_CRUISER: return 10;
    case UNIT_BATTLESHIP: return 11;
    case UNIT_CARRIER: return 12;
    case UNIT_SUBMARINE: return 13;
    case UNIT_CARGO: return 14;
    case UNIT_AMPHIBIOUS: return 15;
    default: return -1;
    }
}

cJednostkaLotnicza* FindFighterInterceptor(int x, int y, const std::function<bool(int owner)>& qualifies)
{
    LogLine(L"Searching for interceptor while attacking hex (%i, %i / land)", x, y);
    sInterceptorChoice choice;
    const sGameConsts* k = UnitConsts();
    if (g_Gra && k) {
        const int threshold = k->AirFullStrength[0] / 2;
        for (cJednostkaLotnicza* u : g_Gra->m_AirUnits) {
            // A fighter in the reserve pool has no airfield: where it last stood is no place to rise from.
            if (u->m_Type != UNIT_FIGHTER || !u->IsOnMap() || !qualifies(u->m_Owner))
                continue;
            if (HexDistance(x, y, u->m_X, u->m_Y) > u->GetRange() || u->m_Strength <= threshold)
                continue;
            choice.Consider(u, k->InterceptorSupplyTerm[SupplyIndex(u->m_Supply)] + u->m_Level + u->m_Strength);
        }
    }
    return static_cast<cJednostkaLotnicza*>(choice.Finish());
}

cUnit* cPanstwo::FindBestInterceptor(int x, int y) const
{
    const cMapa* map = WorldMap();
    const sHex* hex = map ? map->GetHex(x, y) : nullptr;
    // A hex off the map would be read as the first hex.
    if (!hex || !map->IsInside(x, y))
        return nullptr;
    const int id = ID;
    if (hex->IsLand())
        return FindFighterInterceptor(x, y, [id](int owner) { return IsCountryOrAlly(owner, id); });

    const cGrafMorz* graph = WorldSeaGraph();
    const sWezelGrafuMorz* zone = graph && hex->seaZone != 0 ? graph->GetNode(hex->seaZone) : nullptr;
    if (!zone)
        return nullptr;
    LogLine(L"Searching for interceptor while attacking hex (%i, %i / sea node: %s)", x, y, zone->Name);
    // The defender's own and allied carriers defend it at sea, as its fighters do on land: the
    // opponent asks this of a target's owner, never of the attacker.
    return FindCarrierInterceptor(zone->ID, [id](int owner) { return IsCountryOrAlly(owner, id); });
}

cJednostkaMorska* sWezelGrafuMorz::FindInterceptor(int attackerCountry) const
{
    LogLine(L"Searching for interceptor while attacking sea node: %s)", Name);
    return FindCarrierInterceptor(
        ID, [attackerCountry](int owner) { return CountriesAtWar(owner, attackerCountry); }, true);
}

int cPanstwo::GetOwnFighterPowerNear(int x, int y) const
{
    const int id = ID;
    return FighterPowerNear(*this, x, y, [id](int owner) { return IsCountryOrAlly(owner, id); });
}

int cPanstwo::GetEnemyFighterPowerNear(int x, int y) const
{
    const int id = ID;
    return FighterPowerNear(*this, x, y, [id](int owner) { return CountriesAtWar(owner, id); });
}

float cPanstwo::GetAirSuperiorityRatio(int x, int y) const
{
    const int enemy = GetEnemyFighterPowerNear(x, y);
    if (enemy == 0)
        return -1.0f;
    return float(GetOwnFighterPowerNear(x, y)) / float(enemy);
}

void cPanstwo::AddAmphibiousCapacityOfShips()
{
    const sGameConsts* k = UnitConsts();
    if (!g_Gra || !k)
        return;
    for (const cJednostkaMorska* ship : g_Gra->m_NavalUnits) {
        if (ship->m_Owner != ID || ship->m_Type != UNIT_AMPHIBIOUS || !ship->m_Cargo)
            continue;
        // A Mulberry aboard has no column in the capacity row.
        const int type = LandTypeIndex(ship->m_Cargo->m_Type);
        if (type >= 0)
            AIPMax += k->AmphibiousCost[type];
    }
}

int cPanstwo::GetSeaTransportCapacity() const
{
    int capacity = STP + STPUsedByConvoys;
    const sGameConsts* k = UnitConsts();
    if (!g_Gra || !k)
        return capacity;
    for (const cJednostkaMorska* ship : g_Gra->m_NavalUnits) {
        if (ship->m_Owner != ID || ship->m_Type != UNIT_CARGO || !ship->m_Cargo)
            continue;
        // A Mulberry aboard has no column in the capacity row.
        const int type = LandTypeIndex(ship->m_Cargo->m_Type);
        if (type >= 0)
            capacity += k->SeaTransportCost[type];
    }
    return capacity;
}

int cPanstwo::GetSeaZonePatrolValue(int seaZone) const
{
    for (const sSeaZoneToPatrol& entry : AIParameters.SeaZonesToPatrol)
        if (entry.a == seaZone)
            return entry.b;
    return 0;
}

bool cPanstwo::IsExtraCityToGarrison(const cMiasto* city) const
{
    const auto& list = AIParameters.ExtraCitiesToGarrison;
    return std::find(list.begin(), list.end(), city) != list.end();
}

void cPanstwo::RemoveDoNotAttackCity(int x, int y)
{
    auto& list = AIParameters.DoNotAttackCities;
    auto it = std::find_if(list.begin(), list.end(), [x, y](const cMiasto* c) { return c && c->X == x && c->Y == y; });
    if (it != list.end())
        list.erase(it);
}

void cPanstwo::KillAllLandUnits()
{
    while (KillNextLandUnitOfCountry(ID)) {
    }
    while (KillNextCarriedLandUnitOfCountry(ID)) {
    }
    while (KillNextCarriedLandUnitOfCountry2(ID)) {
    }
}

void cPanstwo::KillAllAirUnits()
{
    while (KillNextAirUnitOfCountry(ID)) {
    }
}

void cPanstwo::KillAllNavalUnits()
{
    while (KillNextNavalUnitOfCountry(ID)) {
    }
}

void cPanstwo::ChangeOwnershipOfAllNavalUnits(int newOwner)
{
    if (!g_Gra)
        return;
    for (cFlota* fleet : g_Gra->m_Fleets)
        if (fleet->owner == ID)
            fleet->owner = newOwner;
    for (cJednostkaMorska* ship : g_Gra->m_NavalUnits)
        if (ship->m_Owner == ID) {
            ship->m_Owner = newOwner;
            if (ship->m_Cargo)
                ship->m_Cargo->m_Owner = newOwner;
        }
    for (cJednostkaMorska* ship : g_Gra->m_NavalReserve)
        if (ship->m_Owner == ID)
            ship->m_Owner = newOwner;
}

void cPanstwo::ChangeOwnershipOfAllAirUnits(int newOwner)
{
    if (!g_Gra)
        return;
    // A unit sent to the reserve leaves the list being walked.
    const std::vector<cJednostkaLotnicza*> onMap(g_Gra->m_AirUnits.begin(), g_Gra->m_AirUnits.end());
    for (cJednostkaLotnicza* u : onMap) {
        if (u->m_Owner != ID)
            continue;
        u->m_Owner = newOwner;
        const sHex* hex = UnitHexAt(u->m_X, u->m_Y);
        // The whole way to the reserve pool: a flag alone would leave it on the hex and in the
        // list of units on the map.
        if (hex && CountriesAtWar(hex->controller, newOwner))
            u->MoveToReservePool();
    }
    for (cUnit* u : g_Gra->m_Reserve)
        if (u->m_Category == CATEGORY_AIR && u->m_Owner == ID)
            u->m_Owner = newOwner;
}

void cPanstwo::SetFreezeLevelForAllFrozenUnits(int freezeTime)
{
    if (!g_Gra)
        return;
    for (cJednostkaLadowa* u : g_Gra->m_LandUnits)
        if (u->m_Owner == ID && u->m_FreezeTime >= 1)
            u->m_FreezeTime = freezeTime;
}

void cPanstwo::UnFreezeAllUnits()
{
    if (!g_Gra)
        return;
    for (cJednostkaLadowa* u : g_Gra->m_LandUnits)
        if (u->m_Owner == ID && u->m_FreezeTime > 0)
            u->Unfreeze();
}

void cPanstwo::CollectForceSummary(ForceSummary& table) const
{
    for (auto& row : table)
        row = {0, 0};
    if (!g_Gra)
        return;
    auto count = [&](const cUnit& u, int column) {
        if (u.m_Owner != ID)
            return;
        for (int row : {DisplayRowOfType(u.m_Type), CodeRowOfType(u.m_Type, column == 1)})
            if (row >= 0 && row < kForceSummaryRows)
                ++table[size_t(row)][size_t(column)];
    };
    for (const auto* list : {&g_Gra->m_LandUnits, &g_Gra->m_LandUnits2, &g_Gra->m_LandUnits3})
        for (const cJednostkaLadowa* u : *list)
            count(*u, 0);
    for (const cJednostkaLotnicza* u : g_Gra->m_AirUnits)
        count(*u, 0);
    for (const cJednostkaMorska* u : g_Gra->m_NavalUnits)
        count(*u, 0);
    for (const cUnit* u : g_Gra->m_Reserve)
        count(*u, 1);
    for (const cJednostkaMorska* u : g_Gra->m_NavalReserve)
        count(*u, 1);
}
