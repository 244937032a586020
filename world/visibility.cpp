// Fog of war: which units a country sees. Each unit of the country's side looks only at
// the hexes within the fog-of-war distance, so the work grows with units x sight radius.
#include "core/log.h"
#include "core/settings.h"
#include "game/game.h"
#include "units/air_unit.h"
#include "units/land_unit.h"
#include "world/country.h"
#include "world/sea_graph.h"
#include "world/world.h"

namespace {

// The sea zones show this country's view of the ships in them.
void RecalculateSeaVisibility(int countryId)
{
    if (cGrafMorz* graph = WorldSeaGraph())
        graph->CalculateAllVisibility(countryId, false);
}

} // namespace

void cPanstwo::RecalculateUnitsVisibility()
{
    LogLine(L"Recalculating units visibility");
    if (!g_Gra)
        return;
    if (g_UserSettings.fogOfWar == 0) {
        for (cJednostkaLadowa* u : g_Gra->m_LandUnits)
            u->m_Spotted = true;
        for (cJednostkaLotnicza* u : g_Gra->m_AirUnits)
            u->m_Spotted = true;
        RecalculateSeaVisibility(ID);
        return;
    }
    for (cJednostkaLadowa* u : g_Gra->m_LandUnits)
        u->m_Spotted = false;
    for (cJednostkaLotnicza* u : g_Gra->m_AirUnits)
        u->m_Spotted = false;
    auto look = [this](cUnit* u) {
        if (!u->IsOnMap() || !IsCountryOrAlly(u->m_Owner, ID))
            return;
        u->m_Spotted = true;
        u->RevealNearbyEnemies(false);
    };
    for (cJednostkaLadowa* u : g_Gra->m_LandUnits)
        look(u);
    for (cJednostkaLotnicza* u : g_Gra->m_AirUnits)
        look(u);
    for (cJednostkaLadowa* u : ReconUnits)
        u->m_Spotted = true;
    RecalculateSeaVisibility(ID);
}
