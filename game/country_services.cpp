// Services of the game object for the surrender of a country and the scripted effects:
// removing its forces one by one, its supply cities, its commanders, the succession of
// alliance leaders and the events effect of units.
#include <algorithm>

#include "core/lock.h"
#include "core/log.h"
#include "core/stringbase.h"
#include "game/game.h"
#include "game/play_counts.h"
#include "units/air_unit.h"
#include "units/land_unit.h"
#include "units/naval_unit.h"
#include "world/alliances.h"
#include "world/city.h"
#include "world/country.h"
#include "world/map.h"
#include "world/save_limits.h"

namespace {

template <typename T>
T* FirstOfCountry(const std::list<T*>& units, int countryId)
{
    auto it = std::find_if(units.begin(), units.end(), [countryId](const T* u) { return u->m_Owner == countryId; });
    return it == units.end() ? nullptr : *it;
}

template <typename T>
bool KillFirstOfCountry(const std::list<T*>& units, int countryId)
{
    GLOBAL_LOCK_SCOPE();
    T* unit = FirstOfCountry(units, countryId);
    if (!unit)
        return false;
    unit->Kill();
    ++g_PlayCounts.unitsDestroyed;
    return true;
}

// Kills the ship that carries the unit, and the unit with it.
bool KillCarried(std::list<cJednostkaLadowa*>& carried, int countryId)
{
    GLOBAL_LOCK_SCOPE();
    cJednostkaLadowa* unit = FirstOfCountry(carried, countryId);
    if (!unit)
        return false;
    if (cJednostkaMorska* ship = unit->m_Transporter)
    {
        ship->MarkLoss("event", 0);
        ship->Kill(true);
        g_PlayCounts.unitsDestroyed += 2;
        return true;
    }
    // A unit listed aboard without a ship goes alone.
    carried.remove(unit);
    unit->Kill();
    ++g_PlayCounts.unitsDestroyed;
    return true;
}

template <typename T>
void ForLandUnitsOfSide(int side, T&& change)
{
    if (!g_Gra)
        return;
    for (cJednostkaLadowa* u : g_Gra->m_LandUnits)
    {
        const cPanstwo* owner = u->GetOwner();
        if (owner && owner->GetAllianceOrder() == side)
            change(*u);
    }
}

} // namespace

bool KillNextLandUnitOfCountry(int countryId)
{
    return g_Gra && KillFirstOfCountry(g_Gra->m_LandUnits, countryId);
}

bool KillNextCarriedLandUnitOfCountry(int countryId)
{
    return g_Gra && KillCarried(g_Gra->m_LandUnits2, countryId);
}

bool KillNextCarriedLandUnitOfCountry2(int countryId)
{
    return g_Gra && KillCarried(g_Gra->m_LandUnits3, countryId);
}

bool KillNextAirUnitOfCountry(int countryId)
{
    return g_Gra && KillFirstOfCountry(g_Gra->m_AirUnits, countryId);
}

bool KillNextNavalUnitOfCountry(int countryId)
{
    if (!g_Gra)
        return false;
    GLOBAL_LOCK_SCOPE();
    cJednostkaMorska* ship = FirstOfCountry(g_Gra->m_NavalUnits, countryId);
    if (!ship)
        return false;
    g_PlayCounts.unitsDestroyed += ship->m_Cargo ? 2 : 1;
    ship->MarkLoss("event", 0);
    ship->Kill(true);
    return true;
}

void DowngradeSupplyCitiesOfCountry(int countryId)
{
    if (!g_Gra || !g_Gra->m_Mapa)
        return;
    GLOBAL_LOCK_SCOPE();
    for (cMiasto* city : g_Gra->m_Cities)
    {
        if (!g_Gra->m_Mapa->IsInside(city->X, city->Y) ||
            g_Gra->m_Mapa->GetHex(city->X, city->Y)->originalOwner != countryId)
            continue;
        if (city->Type == CITY_SUPPLY)
            city->Type = CITY_NORMAL;
        else if (city->Type == CITY_SUPPLY_PORT)
            city->Type = CITY_PORT;
    }
}

void UnassignCommandersOfCountry(int countryId)
{
    if (!g_Gra)
        return;
    GLOBAL_LOCK_SCOPE();
    for (sDowodca* c : g_Gra->m_Commanders)
        if (c->CountryID == countryId)
            c->State = 0;
}

namespace {

// The bonus stays within what a saved game keeps: past it, a game saved before the end of the
// impulse would fight on with another bonus when it is loaded.
void AddEventsEffect(cJednostkaLadowa& u, int amount)
{
    u.m_EventsEffect = int(std::clamp<int64_t>(int64_t(u.m_EventsEffect) + amount, kMinEventsEffect, kMaxEventsEffect));
}

} // namespace

void ChangeEffectivenessOfCountryUnits(int originalOwnerId, int side, int amount)
{
    GLOBAL_LOCK_SCOPE();
    ForLandUnitsOfSide(side, [&](cJednostkaLadowa& u) {
        const sHex* hex = g_Gra->m_Mapa ? g_Gra->m_Mapa->GetHex(u.m_X, u.m_Y) : nullptr;
        if (hex && u.IsOnMap() && hex->originalOwner == originalOwnerId)
            AddEventsEffect(u, amount);
    });
}

void ChangeEffectivenessInArea(int columnFrom, int rowFrom, int columnTo, int rowTo, int side, int amount)
{
    GLOBAL_LOCK_SCOPE();
    ForLandUnitsOfSide(side, [&](cJednostkaLadowa& u) {
        if (u.m_X >= columnFrom && u.m_X <= columnTo && u.m_Y >= rowFrom && u.m_Y <= rowTo)
            AddEventsEffect(u, amount);
    });
}

cPanstwo* cGra::DetermineNewAllianceLeader(int k) const
{
    LogLine(LangFormat("determining_new_leader_of_alliance_%i", k));
    cPanstwo* best = FindAllianceLeader(m_Countries, k, eLeaderPick::kSuccessor);
    if (best)
        LogLine(LangFormat("%s_becomes_new_leader", best->Name));
    else
        LogLine(L"Could not determine new leader - no countries left in alliance!");
    return best;
}

void cGra::ClearCityMarks()
{
    for (cMiasto* city : m_Cities)
        city->Visited = 0;
}
