// Look-ups and small services of the game object.
#include "core/fatal.h"
#include "core/format.h"
#include "core/log.h"
#include "events/zdarzenia.h"
#include "game/gra.h"
#include "game/unit_hooks.h"
#include "world/city.h"
#include "world/country.h"
#include "world/fleet.h"
#include "world/map.h"
#include "platform/paths.h"

void cGra::LoadCommanders(const sGameLoadRequest& request, std::vector<sDowodca*>& commanders)
{
    const std::wstring path = JoinPathPattern(request.folderPattern, L"commanders.csv");
    LogLine(L"Otwieram plik z dowďż˝dcami ze ďż˝cieďż˝kďż˝...");
    LogLine(path);
    auto bytes = ReadWholeFile(HostPath(path));
    if (!bytes)
        FatalExit(1, L"Blad otwarcia pliku! (nie istnieje?)");
    LogLine(L"Otwarcie OK");
    ReadCommanders(*bytes, commanders);
}

sDowodca* cGra::FindCommander(int id) const
{
    if (id < 0)
        return nullptr;
    for (sDowodca* c : m_Commanders)
        if (c->ID == id)
            return c;
    LogLine(L"Commander with ID=%i not found", id);
    return nullptr;
}

void cGra::InitAutoEvents()
{
    if (!m_Events)
        return;
    int option = 0; // an event without options repeats the previous event's option
    for (const cZdarzenie& e : m_Events->events) {
        bool first = true;
        int best = 0;
        for (const cEventOption& o : e.options)
            if (first || o.chanceAI > best) {
                option = o.optionID;
                best = o.chanceAI;
                first = false;
            }
        m_AutoEvents->Add(e.eventID, option);
    }
}

sGameUnitHooks g_GameUnitHooks;

cJednostkaMorska* cGra::FindNavalUnitById(int id) const
{
    for (cJednostkaMorska* ship : m_NavalUnits)
        if (g_GameUnitHooks.naval(ship).id == id)
            return ship;
    return nullptr;
}

cFlota* cGra::FindActiveFleet(int seaNode, int id) const
{
    for (cFlota* fleet : m_Fleets)
        if (fleet->seaNode == seaNode && fleet->ID == id && fleet->isActive)
            return fleet;
    return nullptr;
}

cPanstwo* cGra::GetAllianceLeader(int k) const
{
    if (k < 1 || k > 6)
        return nullptr;
    const int code = k < 4 ? k + 3 : k;
    for (cPanstwo* c : m_Countries)
        if (c->Alliance == code)
            return c;
    return nullptr;
}

bool cGra::HasHumanCountry() const
{
    for (const cPanstwo* c : m_Countries)
        if (c->IsActive && c->HumanControlled)
            return true;
    return false;
}

namespace {

// The id of the country controlling the city's hex; a city that nobody controls (or
// that stands off the map) ends the program with the caller's log line.
int ControllerOf(const cGra& game, const cMiasto& city, const wchar_t* failure)
{
    cMapa* map = game.m_Mapa;
    int controller = 0;
    if (map && map->IsInside(city.X, city.Y)) {
        const size_t index = size_t(city.Y) * size_t(map->width) + size_t(city.X);
        if (index < map->Hexes().size())
            controller = map->Hexes()[index].controller;
    }
    if (controller == 0)
        FatalExit(1, FormatText(failure, city.Name));
    return controller;
}

int SideOf(int alliance) { return alliance > 3 ? alliance - 3 : alliance; }

} // namespace

int cGra::CountAllianceVictoryPoints(int k) const
{
    if (k < 1 || k > 6)
        return -1;
    const int side = SideOf(k);
    int sum = 0;
    for (const cMiasto* city : m_Cities) {
        const int controller = ControllerOf(
            *this, *city, L"City %s is not controlled by any country (controller id = 0)! (Counting alliance VPs)");
        if (controller <= int(m_Countries.size()) && SideOf(m_Countries[size_t(controller - 1)]->Alliance) == side)
            sum += city->VictoryPoints;
    }
    return sum;
}

int cGra::CountCountryVictoryPoints(int countryId) const
{
    int sum = 0;
    for (const cMiasto* city : m_Cities)
        if (ControllerOf(*this, *city,
                         L"ERROR: City %s is not controlled by any country (controller id = 0)! (Counting country "
                         L"VPs)") == countryId)
            sum += city->VictoryPoints;
    return sum;
}

int cGra::ComputeCountryScore(int countryId) const
{
    double sum = 0;
    const sGameUnitHooks& h = g_GameUnitHooks;
    for (const auto* list : {&m_LandUnits, &m_LandUnits2, &m_LandUnits3})
        for (const cJednostkaLadowa* u : *list)
            if (const sUnitView v = h.land(u); v.owner == countryId)
                sum += v.value;
    for (const cJednostkaLotnicza* u : m_AirUnits)
        if (const sUnitView v = h.air(u); v.owner == countryId)
            sum += v.value;
    for (const cUnit* u : m_Reserve)
        if (const sUnitView v = h.any(u); v.owner == countryId && (v.category == 0 || v.category == 1))
            sum += v.value;
    for (const auto* list : {&m_NavalUnits})
        for (const cJednostkaMorska* u : *list)
            if (const sUnitView v = h.naval(u); v.owner == countryId)
                sum += v.hitPoints;
    for (const cJednostkaMorska* u : m_NavalReserve)
        if (const sUnitView v = h.naval(u); v.owner == countryId)
            sum += v.hitPoints;
    for (const cMiasto* city : m_Cities)
        if (ControllerOf(*this, *city,
                         L"City %s is not controlled by any country (controller id = 0)! (Counting country VPs)") ==
            countryId)
            sum += double(city->VictoryPoints) + double(city->ProductionPoints);
    return int(sum);
}

bool IsLandUnitIdUsed(int id)
{
    if (!g_Gra)
        return false;
    for (const cUnit* u : g_Gra->m_Reserve)
        if (const sUnitView v = g_GameUnitHooks.any(u); v.category == 0 && v.id == id)
            return true;
    for (const auto* list : {&g_Gra->m_LandUnits, &g_Gra->m_LandUnits2, &g_Gra->m_LandUnits3})
        for (const cJednostkaLadowa* u : *list)
            if (g_GameUnitHooks.land(u).id == id)
                return true;
    return false;
}

bool IsAirUnitIdUsed(int id)
{
    if (!g_Gra)
        return false;
    for (const cUnit* u : g_Gra->m_Reserve)
        if (const sUnitView v = g_GameUnitHooks.any(u); v.category == 1 && v.id == id)
            return true;
    for (const cJednostkaLotnicza* u : g_Gra->m_AirUnits)
        if (g_GameUnitHooks.air(u).id == id)
            return true;
    return false;
}

bool IsUnitInReserve(const cUnit* unit) { return g_GameUnitHooks.any(unit).inReserve; }
