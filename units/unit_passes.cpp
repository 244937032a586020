// The passes that put the units read from the tables into place: hexes, fleets, ships
// and the reserve pools; and the removals of whole groups of units.
#include <algorithm>
#include <vector>

#include "core/fatal.h"
#include "core/log.h"
#include "core/stringbase.h"
#include "game/consts.h"
#include "game/game.h"
#include "game/load_files.h"
#include "game/paths.h"
#include "units/land_unit.h"
#include "units/air_unit.h"
#include "units/naval_unit.h"
#include "units/unit_access.h"
#include "units/unit_lists.h"
#include "units/unit_tables.h"
#include "world/fleet.h"
#include "world/map.h"

namespace {

// Places the units of a list on their hexes; a taken hex is logged and, after the whole
// list, ends the program, so that no unit ever stands where another is. The end names the
// first unit that could not be placed, with its row and what holds its hex: the player who
// was sent the file, or its author, can find and mend it.
template <typename T>
void PlaceUnits(const std::list<T*>& units, const wchar_t* kind, const wchar_t* file)
{
    int errors = 0;
    std::wstring first;
    const std::wstring path = JoinPathPattern(g_Gra->m_FolderPattern, file);
    auto refuse = [&](const T& u, const std::wstring& why) {
        if (errors++ == 0)
            first = FormatText(L"%s, line %i: %s %s (ID=%i) could not be placed on the map: %s", path,
                               UnitLine(file, u.m_Id), kind, u.m_Name, u.m_Id, why);
    };
    for (T* u : units) {
        if (u->m_X == -1 && u->m_Y == -1)
            continue;
        // Units bound for the reserve or for a ship never take a hex: else one would hold a hex
        // it does not stand on, or a save would be refused for the unit that does stand there.
        if (u->m_InReserve)
            continue;
        if constexpr (std::is_same_v<T, cJednostkaLadowa>)
            if (u->m_TransporterId != -1)
                continue;
        // Off the map there is no hex: a look-up there would give the first hex, and a unit
        // passed over for one coordinate of -1 would stay among the units on the map with none.
        sHex* hex = UnitHexAt(u->m_X, u->m_Y);
        if (!hex) {
            LogLine(L"ERROR: Trying to place %s %s (ID=%i) to hex (%i, %i) outside the map", kind, u->m_Name, u->m_Id,
                    u->m_X, u->m_Y);
            refuse(*u, FormatText(L"its hex (%i, %i) is outside the map", u->m_X, u->m_Y));
            continue;
        }
        if (hex->unit && hex->unit != u) {
            LogLine(L"ERROR: Trying to place %s %s (ID=%i) to hex (%i, %i) occupied by %s (ID=%i)", kind, u->m_Name,
                    u->m_Id, u->m_X, u->m_Y, hex->unit->m_Name, hex->unit->m_Id);
            refuse(*u, FormatText(L"its hex (%i, %i) is held by %s (ID=%i)", u->m_X, u->m_Y, hex->unit->m_Name,
                                  hex->unit->m_Id));
            continue;
        }
        hex->unit = u;
    }
    if (errors > 0)
        FatalExit(1, errors == 1 ? first : FormatText(L"%s (more such rows: %i)", first, errors - 1));
}

// Every supplied unit in the reserve pool counts as fully supplied.
int ReserveSupply()
{
    const sGameConsts* k = UnitConsts();
    return k ? k->MaxSupply : 0;
}

template <typename T>
void MoveMarkedToReserve(std::list<T*>& units)
{
    for (auto it = units.begin(); it != units.end();) {
        T* u = *it;
        if (!u->m_InReserve) {
            ++it;
            continue;
        }
        u->SetSupply(ReserveSupply());
        // A save of this version carries the efficiency the unit had.
        if (!g_Gra->m_SavedIds)
            u->RecalculateEfficiency();
        // A unit in the pool holds no hex and has no position.
        if (sHex* hex = UnitHexAt(u->m_X, u->m_Y); hex && hex->unit == u)
            hex->unit = nullptr;
        u->m_X = -1;
        u->m_Y = -1;
        g_Gra->m_Reserve.push_back(u);
        it = units.erase(it);
    }
}

} // namespace

void PlaceLandUnits()
{
    if (g_Gra)
        PlaceUnits(g_Gra->m_LandUnits, L"land unit", L"land_units.csv");
}

// An air unit holds its hex as a land unit does: a hex holds one unit, land or air, so
// that no two units are ever drawn, attacked or moved onto one place.
void PlaceAirUnits()
{
    if (g_Gra)
        PlaceUnits(g_Gra->m_AirUnits, L"air unit", L"air_units.csv");
}

void MoveShipsToNavalReserve()
{
    if (!g_Gra)
        return;
    auto& ships = g_Gra->m_NavalUnits;
    for (auto it = ships.begin(); it != ships.end();) {
        if ((*it)->m_InReserve) {
            g_Gra->m_NavalReserve.push_back(*it);
            it = ships.erase(it);
        } else {
            ++it;
        }
    }
}

void LinkShipsToFleets()
{
    if (!g_Gra)
        return;
    int errors = 0;
    std::wstring first;
    for (cJednostkaMorska* ship : g_Gra->m_NavalUnits) {
        auto fleet = std::find_if(g_Gra->m_Fleets.begin(), g_Gra->m_Fleets.end(),
                                  [ship](const cFlota* f) { return f->ID == ship->m_FleetId; });
        if (fleet == g_Gra->m_Fleets.end()) {
            LogLine(L"Data integrity error: %s belongs to fleet id=%i, but no such fleet exists", ship->m_Name,
                    ship->m_FleetId);
            if (errors++ == 0)
                first = FormatText(L"%s (ID=%i) belongs to fleet ID=%i", ship->m_Name, ship->m_Id, ship->m_FleetId);
            continue;
        }
        ship->m_Fleet = *fleet;
        if (std::find((*fleet)->ships.begin(), (*fleet)->ships.end(), ship) == (*fleet)->ships.end())
            (*fleet)->ships.push_back(ship);
        LogLine(LangFormat("%s_belongs_to_fleet_%s", ship->m_Name, (*fleet)->name));
    }
    // The refusal names both tables: either may be the damaged one.
    if (errors > 0)
        FatalExit(1, FormatText(L"Data integrity error: in %s, %s, which %s does not hold%s",
                                JoinPathPattern(g_Gra->m_FolderPattern, L"naval_units.csv"), first,
                                JoinPathPattern(g_Gra->m_FolderPattern, L"fleets.csv"),
                                errors == 1 ? std::wstring() : FormatText(L" (more such ships: %i)", errors - 1)));
}

void LoadMarkedLandUnitsIntoFleets()
{
    if (!g_Gra)
        return;
    std::vector<cJednostkaLadowa*> marked;
    for (cJednostkaLadowa* u : g_Gra->m_LandUnits)
        if (u->m_TransporterId != -1)
            marked.push_back(u);
    // A unit bound for a ship that is not there (or full) would be aboard nothing: the load
    // is refused, naming both tables, rather than the unit lost.
    int errors = 0;
    std::wstring first;
    for (cJednostkaLadowa* u : marked)
        if (!u->LoadIntoFleet() && errors++ == 0)
            first = FormatText(L"%s (ID=%i) cannot be put aboard ship ID=%i", u->m_Name, u->m_Id, u->m_TransporterId);
    if (errors > 0)
        FatalExit(1, FormatText(L"Data integrity error: in %s, %s of %s%s",
                                JoinPathPattern(g_Gra->m_FolderPattern, L"land_units.csv"), first,
                                JoinPathPattern(g_Gra->m_FolderPattern, L"naval_units.csv"),
                                errors == 1 ? std::wstring() : FormatText(L" (more such units: %i)", errors - 1)));
}

void MoveUnitsToReserve()
{
    if (!g_Gra)
        return;
    MoveMarkedToReserve(g_Gra->m_LandUnits);
    MoveMarkedToReserve(g_Gra->m_AirUnits);
}

void RunUnitLoadPasses()
{
    MoveShipsToNavalReserve();
    LinkShipsToFleets();
    LoadMarkedLandUnitsIntoFleets();
    MoveUnitsToReserve();
}

void SendFleetlessShipsToReserve()
{
    if (!g_Gra)
        return;
    auto& ships = g_Gra->m_NavalUnits;
    for (auto it = ships.begin(); it != ships.end();) {
        cJednostkaMorska* ship = *it;
        bool inFleet = ship->m_Fleet &&
                       std::find(g_Gra->m_Fleets.begin(), g_Gra->m_Fleets.end(), ship->m_Fleet) != g_Gra->m_Fleets.end();
        if (inFleet) {
            ++it;
            continue;
        }
        LogLine(L"Naval unit %s (ID=%i) belongs to no fleet: moved to the naval reserve", ship->m_Name, ship->m_Id);
        ship->m_Fleet = nullptr;
        ship->m_FleetId = -1;
        ship->m_InReserve = true;
        g_Gra->m_NavalReserve.push_back(ship);
        it = ships.erase(it);
    }
}

void DeleteReserveUnitsOfCountry(int countryId)
{
    if (!g_Gra)
        return;
    std::vector<cUnit*> kept;
    for (cUnit* u : g_Gra->m_Reserve) {
        if (u->m_Owner == countryId)
            delete u;
        else
            kept.push_back(u);
    }
    g_Gra->m_Reserve = std::move(kept);
}

void DeleteNavalReserveUnitsOfCountry(int countryId)
{
    if (!g_Gra)
        return;
    std::vector<cJednostkaMorska*> kept;
    for (cJednostkaMorska* s : g_Gra->m_NavalReserve) {
        if (s->m_Owner == countryId) {
            if (s->m_Cargo)
                s->m_Cargo->Kill();
            delete s;
        } else {
            kept.push_back(s);
        }
    }
    g_Gra->m_NavalReserve = std::move(kept);
}

void DestroyAllUnits()
{
    if (!g_Gra)
        return;
    if (g_Gra->m_Mapa)
        for (sHex& hex : g_Gra->m_Mapa->Hexes())
            hex.unit = nullptr;
    auto destroy = [](auto& list) {
        for (auto* item : list)
            delete item;
        list.clear();
    };
    destroy(g_Gra->m_LandUnits);
    destroy(g_Gra->m_LandUnits2);
    destroy(g_Gra->m_LandUnits3);
    destroy(g_Gra->m_AirUnits);
    destroy(g_Gra->m_NavalUnits);
    destroy(g_Gra->m_Reserve);
    destroy(g_Gra->m_NavalReserve);
    destroy(g_Gra->m_Fleets);
}
