#include "units/unit_access.h"

#include "game/game.h"
#include "world/country.h"
#include "world/map.h"

const sGameConsts* UnitConsts()
{
    return g_Gra ? &g_Gra->m_Consts : nullptr;
}

sHex* UnitHexAt(int x, int y)
{
    if (!g_Gra || !g_Gra->m_Mapa || !g_Gra->m_Mapa->IsInside(x, y))
        return nullptr;
    return g_Gra->m_Mapa->GetHex(x, y);
}

bool IsOnGameMap(int x, int y)
{
    return g_Gra && g_Gra->m_Mapa && g_Gra->m_Mapa->IsInside(x, y);
}

cPanstwo* UnitCountry(int countryId)
{
    if (!g_Gra || countryId < 1 || countryId > int(g_Gra->m_Countries.size()))
        return nullptr;
    return g_Gra->m_Countries[countryId - 1];
}
