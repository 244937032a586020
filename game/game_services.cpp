// Look-ups and small services of the game object.
#include "core/fatal.h"
#include "core/format.h"
#include "core/log.h"
#include "events/events.h"
#include "game/game.h"
#include "game/load_files.h"
#include "world/city.h"
#include "world/country.h"
#include "world/fleet.h"
#include "world/alliances.h"
#include "world/map.h"

const sGameConsts& GameConsts()
{
    static const sGameConsts none{};
    return g_Gra ? g_Gra->m_Consts : none;
}

void cGra::LoadCommanders(const sGameLoadRequest& request, std::vector<sDowodca*>& commanders)
{
    const std::wstring path = JoinPathPattern(request.folderPattern, L"commanders.csv");
    std::string bytes = ReadLoadFileOrFail(path, L"Otwieram plik z dowďż˝dcami ze ďż˝cieďż˝kďż˝...");
    ReadCommanders(bytes, commanders, path);
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

cFlota* cGra::FindActiveFleet(int seaNode, int ownerId) const
{
    for (cFlota* fleet : m_Fleets)
        if (fleet->seaNode == seaNode && fleet->owner == ownerId && fleet->isActive)
            return fleet;
    return nullptr;
}

cPanstwo* cGra::GetAllianceLeader(int k) const
{
    return FindAllianceLeader(m_Countries, k);
}

bool cGra::HasHumanCountry() const
{
    for (const cPanstwo* c : m_Countries)
        if (c->IsActive && c->HumanControlled)
            return true;
    return false;
}

bool cGra::SeveralPeopleShareTheScreen() const
{
    if (m_IsPbem)
        return false;
    int people = 0;
    for (const cPanstwo* c : m_Countries)
        // The country that closes the turn order is nobody's.
        people += c->IsActive && c->HumanControlled && c->SpecialFlags != 1 ? 1 : 0;
    return people > 1;
}

// The id of the country controlling the city's hex; a city that nobody controls (or
// that stands off the map) is logged with the given line and gives 0.
int cGra::CityControllerId(const cMiasto& city, const wchar_t* failure) const
{
    int controller = 0;
    if (m_Mapa && m_Mapa->IsInside(city.X, city.Y)) {
        const size_t index = size_t(city.Y) * size_t(m_Mapa->width) + size_t(city.X);
        if (index < m_Mapa->Hexes().size())
            controller = m_Mapa->Hexes()[index].controller;
    }
    // Counted for nobody: a damaged map must not end a game that is being played.
    if (controller == 0)
        LogLine(failure, city.Name);
    return controller;
}

namespace {

int SideOf(int alliance) { return alliance > 3 ? alliance - 3 : alliance; }

} // namespace

int64_t cGra::CountAllianceVictoryPoints(int k) const
{
    if (k < 1 || k > 6)
        return -1;
    const int side = SideOf(k);
    int64_t sum = 0;
    for (const cMiasto* city : m_Cities) {
        const int controller = CityControllerId(
            *city, L"City %s is not controlled by any country (controller id = 0)! (Counting alliance VPs)");
        if (controller >= 1 && controller <= int(m_Countries.size()) && SideOf(m_Countries[size_t(controller - 1)]->Alliance) == side)
            sum += city->VictoryPoints;
    }
    return sum;
}

int64_t cGra::CountCountryVictoryPoints(int countryId) const
{
    int64_t sum = 0;
    for (const cMiasto* city : m_Cities)
        if (CityControllerId(*city,
                         L"ERROR: City %s is not controlled by any country (controller id = 0)! (Counting country "
                         L"VPs)") == countryId)
            sum += city->VictoryPoints;
    return sum;
}

