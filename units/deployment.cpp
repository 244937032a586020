// Deployment: units leave the reserve pool for a hex at a city of the moving country.
#include "core/lock.h"
#include "core/log.h"
#include "game/consts.h"
#include "game/game.h"
#include "game/play_state.h"
#include "units/air_unit.h"
#include "units/land_unit.h"
#include "units/unit_access.h"
#include "units/unit_lists.h"
#include "world/city.h"
#include "world/country.h"
#include "world/map.h"

namespace {

// The country whose turn it is; the unit's owner outside a turn.
cPanstwo* MovingCountryFor(const cUnit& unit)
{
    cPanstwo* active = g_Gra && g_Gra->m_PlayState ? g_Gra->m_PlayState->GetActiveCountry() : nullptr;
    return active ? active : unit.GetOwner();
}

// A city the country may deploy at: not a resources city and, while the country is at
// war, supplied for it to at least half the maximum and not flagged for it.
bool CanDeployAt(const cMiasto& city, const cPanstwo& country, bool atWar, bool flagCounts)
{
    if (city.Type == CITY_RESOURCES)
        return false;
    if (!atWar)
        return true;
    const size_t i = size_t(country.ID - 1);
    const int supply = i < city.SupplyByCountry.size() ? city.SupplyByCountry[i] : 0;
    const bool flagged = flagCounts && i < city.ConvoyInfoByCountry.size() && city.ConvoyInfoByCountry[i];
    const sGameConsts* k = UnitConsts();
    return k && supply >= k->MaxSupply / 2 && !flagged;
}

} // namespace

bool cJednostka::DeployNearCity(int x, int y)
{
    GLOBAL_LOCK_SCOPE();
    sHex* target = UnitHexAt(x, y);
    cPanstwo* country = MovingCountryFor(*this);
    // Only a unit of the pool onto a free hex: anything else would put a unit twice in the
    // game's lists or two on one hex.
    if (!g_Gra || !m_InReserve || std::find(g_Gra->m_Reserve.begin(), g_Gra->m_Reserve.end(), this) == g_Gra->m_Reserve.end()) {
        LogLine(L"Deployment refused: %s is not in the reserve pool", m_Name);
        return false;
    }
    if (!target || target->unit || !country) {
        LogLine(L"Deployment refused: %s cannot be put on hex (%i,%i)", m_Name, x, y);
        return false;
    }
    const cMiasto* city = target->city;
    if (!city) {
        // The flag of a city counts only against a person's units.
        const cPanstwo* owner = GetOwner();
        const bool flagCounts = owner && (owner->HumanControlled || owner->PBEMPlayerId >= 1);
        const bool atWar = country->IsAtWar();
        for (int d = 0; d < 6; ++d) {
            const sHex* n = g_Gra->m_Mapa->GetNeighbour(x, y, d);
            if (n && n->city && n->controller == country->ID && CanDeployAt(*n->city, *country, atWar, flagCounts))
                city = n->city;
        }
    }
    if (!city) {
        LogLine(L"Error while deploying unit: cant find appropriate city near (%i,%i)", x, y);
        // A refused deployment keeps the unit in the pool; ending the game mid-play would lose it.
        return false;
    }
    SetSupplySourceX(city->X);
    SetSupplySourceY(city->Y);
    const size_t i = size_t(country->ID - 1);
    const int supply = i < city->SupplyByCountry.size() ? city->SupplyByCountry[i] : 0;
    SetSupply(supply);
    RemoveFromList(g_Gra->m_Reserve, this);
    if (auto* land = dynamic_cast<cJednostkaLadowa*>(this)) {
        g_Gra->m_LandUnits.push_back(land);
        land->m_TurnsSinceParadrop = 0;
        land->m_JustDeployed = true;
        // Placed beside a city that supplies it, a new unit is not cut off.
        if (supply > 0)
            land->m_TurnsWithoutSupply = 0;
    } else if (auto* air = dynamic_cast<cJednostkaLotnicza*>(this)) {
        g_Gra->m_AirUnits.push_back(air);
    }
    m_InReserve = false;
    target->unit = this;
    m_X = x;
    m_Y = y;
    // Nothing moved before can be taken back now.
    if (g_Gra->m_PlayState)
        g_Gra->m_PlayState->GetUndo().Clear();
    return true;
}

// Air units' too: their rule does not clear the marks first nor halve the supply maximum as an
// integer, the land units' does both, and one deployment takes both families.
int cJednostka::MarkActionTargets(bool mark)
{
    cMapa* map = g_Gra ? g_Gra->m_Mapa : nullptr;
    const cPanstwo* country = MovingCountryFor(*this);
    if (!map || !country)
        return 0;
    if (mark)
        map->ClearMarks(~uint32_t(MARK_SELECTED), false);
    const int id = country->ID;
    const bool atWar = country->IsAtWar();
    auto ownAndHeld = [id](const sHex& hex) { return hex.owner == id && hex.controller == id; };
    int count = 0;
    auto countHex = [&](sHex& hex) {
        ++count;
        if (mark)
            hex.SetMark(MARK_ACTION_TARGET, -1);
    };
    for (const cMiasto* city : g_Gra->m_Cities) {
        if (!map->IsInside(city->X, city->Y))
            continue;
        sHex& hex = *map->GetHex(city->X, city->Y);
        if (!ownAndHeld(hex) || !CanDeployAt(*city, *country, atWar, true))
            continue;
        if (!hex.unit)
            countHex(hex);
        for (int d = 0; d < 6; ++d)
            if (sHex* n = map->GetNeighbour(city->X, city->Y, d); n && !n->unit && ownAndHeld(*n))
                countHex(*n);
    }
    return count;
}
