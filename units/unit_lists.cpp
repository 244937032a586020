#include "units/unit_lists.h"

#include "game/game.h"
#include "units/unit.h"
#include "world/country.h"

int NextLandUnitId() { return g_Gra ? ++g_Gra->m_NextIds.landUnit : 0; }
int NextAirUnitId() { return g_Gra ? ++g_Gra->m_NextIds.airUnit : 0; }
int NextNavalUnitId() { return g_Gra ? ++g_Gra->m_NextIds.navalUnit : 0; }
int NextFleetId() { return g_Gra ? ++g_Gra->m_NextIds.fleet : 0; }

void ForgetSpottedUnit(const cUnit* unit)
{
    if (!g_Gra)
        return;
    for (cPanstwo* country : g_Gra->m_Countries)
        if (country)
            RemoveFromList(country->ReconUnits, unit);
}
