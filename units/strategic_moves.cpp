// Strategic moves: a unit goes across its side's land at once, for its owner's points.
#include "core/log.h"
#include "game/consts.h"
#include "game/game.h"
#include "game/play_state.h"
#include "game/presentation.h"
#include "units/land_unit.h"
#include "units/unit_access.h"
#include "world/city.h"
#include "world/country.h"
#include "world/map.h"
#include "world/topography.h"

bool cJednostka::StrategicMoveTo(int x, int y)
{
    if (!RelocateAndPay(x, y))
        return false;
    // The move by rail has a sound of its own in the effects; planes fly.
    if (m_Spotted)
        Presentation().PlaySound(m_Category == CATEGORY_AIR ? L"data\\sound\\PlaneFlying.wav"
                                                            : L"data\\sound\\StrategicDeployLand.wav");
    return true;
}

bool cJednostka::RelocateAndPay(int x, int y)
{
    sHex* target = UnitHexAt(x, y);
    // A hex holds one unit, and a unit off the map has no hex to leave: either would leave a
    // unit the map does not know or two on one hex.
    if (!target || (target->unit && target->unit != this) || !IsOnGameMap(m_X, m_Y)) {
        LogLine(L"Strategic move refused: %s cannot go to hex (%i,%i)", m_Name, x, y);
        return false;
    }
    FreeOwnHex(false);
    m_X = x;
    m_Y = y;
    m_ActionPoints = 0;
    target->unit = this;
    const sGameConsts* k = UnitConsts();
    if (cPanstwo* owner = GetOwner(); owner && k) {
        if (m_Category == CATEGORY_AIR) {
            if (const int t = AirTypeIndex(m_Type); t >= 0)
                owner->AddProductionPoints(-double(k->AirStrategicMoveCost[t]));
        } else if (const int t = LandTypeIndex(m_Type); t >= 0) {
            owner->AddStrategicMovementPoints(-k->StrategicMoveCost[t]);
        }
    }
    return true;
}

bool cJednostkaLadowa::CanStrategicMoveTo(int x, int y, int& outX, int& outY) const
{
    outX = -1;
    outY = -1;
    const sHex* target = UnitHexAt(x, y);
    const cPanstwo* owner = GetOwner();
    const sGameConsts* k = UnitConsts();
    const cTopografia* topography = g_Gra ? g_Gra->m_StrategicMoves : nullptr;
    const int type = LandTypeIndex(m_Type);
    if (!target || !target->city || !owner || !k || !topography || type < 0 || m_ActionPoints != m_StartingActionPoints)
        return false;
    if (!topography->IsHexReachable({m_Owner, m_Category, m_SupplySourceX, m_SupplySourceY}, *target->city) ||
        owner->SMP < k->StrategicMoveCost[type])
        return false;
    if (!target->unit) {
        outX = x;
        outY = y;
        return true;
    }
    for (int d = 0; d < 6; ++d) {
        const sHex* n = g_Gra->m_Mapa->GetNeighbour(x, y, d);
        if (n && n->controller != 0 && !n->unit && IsCountryOrAlly(n->controller, m_Owner)) {
            outX = n->x;
            outY = n->y;
            return true;
        }
    }
    return false;
}
