// Look-ups and counts of the game object over its units.
#include "core/fatal.h"
#include "core/format.h"
#include "game/gra.h"
#include "units/jednostka_ladowa.h"
#include "units/jednostka_lotnicza.h"
#include "units/jednostka_morska.h"
#include "world/city.h"

cJednostkaMorska* cGra::FindNavalUnitById(int id) const
{
    for (cJednostkaMorska* ship : m_NavalUnits)
        if (ship->m_Id == id)
            return ship;
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

bool IsLandUnitIdUsed(int id)
{
    if (!g_Gra)
        return false;
    for (const cUnit* u : g_Gra->m_Reserve)
        if (u->m_Category == CATEGORY_LAND && u->m_Id == id)
            return true;
    for (const auto* list : {&g_Gra->m_LandUnits, &g_Gra->m_LandUnits2, &g_Gra->m_LandUnits3})
        for (const cJednostkaLadowa* u : *list)
            if (u->m_Id == id)
                return true;
    return false;
}

bool IsAirUnitIdUsed(int id)
{
    if (!g_Gra)
        return false;
    for (const cUnit* u : g_Gra->m_Reserve)
        if (u->m_Category == CATEGORY_AIR && u->m_Id == id)
            return true;
    for (const cJednostkaLotnicza* u : g_Gra->m_AirUnits)
        if (u->m_Id == id)
            return true;
    return false;
}

bool IsUnitInReserve(const cUnit* unit) { return unit->m_InReserve; }
