// Look-ups and counts of the game object over its units.
#include "core/fatal.h"
#include "core/format.h"
#include "game/game.h"
#include "units/land_unit.h"
#include "units/air_unit.h"
#include "units/naval_unit.h"
#include "world/city.h"

cJednostkaMorska* cGra::FindNavalUnitById(int id) const
{
    for (cJednostkaMorska* ship : m_NavalUnits)
        if (ship->m_Id == id)
            return ship;
    return nullptr;
}

cJednostkaLadowa* cGra::FindLandUnitById(int id) const
{
    for (cJednostkaLadowa* unit : m_LandUnits)
        if (unit->m_Id == id)
            return unit;
    return nullptr;
}

cJednostkaLotnicza* cGra::FindAirUnitById(int id) const
{
    for (cJednostkaLotnicza* unit : m_AirUnits)
        if (unit->m_Id == id)
            return unit;
    return nullptr;
}

cJednostka* cGra::FindMapUnit(int category, int id) const
{
    if (category == CATEGORY_LAND)
        return FindLandUnitById(id);
    if (category == CATEGORY_AIR)
        return FindAirUnitById(id);
    return nullptr;
}

int cGra::ComputeCountryScore(int countryId) const
{
    double sum = 0;
    for (const auto* list : {&m_LandUnits, &m_LandUnits2, &m_LandUnits3})
        for (const cJednostkaLadowa* u : *list)
            if (u->m_Owner == countryId)
                sum += u->GetFullStrengthValue();
    for (const cJednostkaLotnicza* u : m_AirUnits)
        if (u->m_Owner == countryId)
            sum += u->GetFullStrengthValue();
    for (const cUnit* u : m_Reserve)
        if (u->m_Owner == countryId && (u->m_Category == CATEGORY_LAND || u->m_Category == CATEGORY_AIR))
            sum += static_cast<const cJednostka*>(u)->GetFullStrengthValue();
    for (const auto* list : {&m_NavalUnits})
        for (const cJednostkaMorska* u : *list)
            if (u->m_Owner == countryId)
                sum += u->m_HP;
    for (const cJednostkaMorska* u : m_NavalReserve)
        if (u->m_Owner == countryId)
            sum += u->m_HP;
    for (const cMiasto* city : m_Cities)
        if (CityControllerId(*city,
                         L"City %s is not controlled by any country (controller id = 0)! (Counting country VPs)") ==
            countryId)
            sum += double(city->VictoryPoints) + double(city->ProductionPoints);
    return int(sum);
}

void cGra::ForEachUnitOf(int category, const std::function<void(const cUnit&)>& visit) const
{
    for (const cUnit* u : m_Reserve)
        if (u->m_Category == category)
            visit(*u);
    if (category == CATEGORY_LAND) {
        for (const auto* list : {&m_LandUnits, &m_LandUnits2, &m_LandUnits3})
            for (const cJednostkaLadowa* u : *list)
                visit(*u);
    } else if (category == CATEGORY_AIR) {
        for (const cJednostkaLotnicza* u : m_AirUnits)
            visit(*u);
    }
}

namespace {
bool IsUnitIdUsed(int category, int id)
{
    bool used = false;
    if (g_Gra)
        g_Gra->ForEachUnitOf(category, [&](const cUnit& u) { used = used || u.m_Id == id; });
    return used;
}
} // namespace

bool IsLandUnitIdUsed(int id)
{
    return IsUnitIdUsed(CATEGORY_LAND, id);
}

bool IsAirUnitIdUsed(int id)
{
    return IsUnitIdUsed(CATEGORY_AIR, id);
}

bool IsUnitInReserve(const cUnit* unit) { return unit->m_InReserve; }
