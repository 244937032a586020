#include "units/air_unit.h"

#include <algorithm>

#include "core/lock.h"
#include "core/log.h"
#include "game/commanders.h"
#include "game/consts.h"
#include "game/game.h"
#include "game/presentation.h"
#include "units/unit_access.h"
#include "units/unit_lists.h"
#include "world/country.h"
#include "world/hex_geometry.h"
#include "world/map.h"

cJednostkaLotnicza::cJednostkaLotnicza()
{
    m_Id = NextAirUnitId();
    m_TurnsWithoutSupply = 0;
}

void cJednostkaLotnicza::ResetActionPoints()
{
    const sGameConsts* k = UnitConsts();
    int type = AirTypeIndex(m_Type);
    int a = (k && type >= 0 && m_Supply > 0) ? k->AirActionPoints[type] : 0;
    m_ActionPoints = a;
    m_StartingActionPoints = a;
}

float cJednostkaLotnicza::GetFullStrengthValue() const
{
    const sGameConsts* k = UnitConsts();
    int type = AirTypeIndex(m_Type);
    return (k && type >= 0) ? float(k->AirFullStrength[type]) : 0.0f;
}

float cJednostkaLotnicza::GetRangeFactor() const
{
    const sGameConsts* k = UnitConsts();
    const cPanstwo* owner = GetOwner();
    if (!k)
        return 0.0f;
    int tech = owner ? owner->TechLevel[TECH_AIRCRAFT] : 1;
    return k->RangeTechFactor[TableLevelIndex(tech)];
}

int cJednostkaLotnicza::GetRange() const
{
    const sGameConsts* k = UnitConsts();
    if (!k)
        return 0;
    int base = m_Type == UNIT_STRATEGIC_BOMBER ? k->AirRanges[2] : k->AirRanges[0];
    return RangeInHexes(base, GetRangeFactor());
}

int cJednostkaLotnicza::GetRebaseRange() const
{
    const sGameConsts* k = UnitConsts();
    if (!k)
        return 0;
    int base = m_Type == UNIT_STRATEGIC_BOMBER ? k->AirRanges[3] : k->AirRanges[1];
    return RangeInHexes(base, GetRangeFactor());
}

bool cJednostkaLotnicza::RelocateTo(int x, int y)
{
    return FlyTo(x, y, true);
}

bool cJednostkaLotnicza::FlyTo(int x, int y, bool sound)
{
    sHex* target = UnitHexAt(x, y);
    if (!target || (target->unit && target->unit != this)) {
        LogLine(L"Air unit %s (ID=%i) cannot rebase to hex (%i, %i): the hex is off the map or taken", m_Name, m_Id, x, y);
        return false;
    }
    if (sound)
        Presentation().PlaySound(L"data\\sound\\PlaneFlying.wav");
    FreeOwnHex(false);
    target->unit = this;
    m_X = x;
    m_Y = y;
    m_ActionPoints = 0;
    return true;
}

void cJednostkaLotnicza::MoveToReservePool()
{
    LogLine(L"map --> reserve pool: %s", m_Name);
    FreeOwnHex(true);
    if (g_Gra)
        RemoveFromList(g_Gra->m_AirUnits, this);
    JoinReservePool();
}

void cJednostkaLotnicza::Kill()
{
    ForgetSpottedUnit(this);
    SendCommanderHome();
    {
        // As a land unit's: the main thread draws the hex and the lists emptied here.
        GLOBAL_LOCK_SCOPE();
        FreeOwnHex(true);
        if (g_Gra) {
            RemoveFromList(g_Gra->m_AirUnits, this);
            RemoveFromList(g_Gra->m_Reserve, this);
        }
    }
    delete this;
}
