#include "units/land_unit.h"

#include <algorithm>

#include "core/fatal.h"
#include "core/lock.h"
#include "core/log.h"
#include "core/text.h"
#include "game/commanders.h"
#include "game/consts.h"
#include "game/game.h"
#include "units/naval_unit.h"
#include "units/unit_access.h"
#include "units/unit_lists.h"
#include "world/country.h"
#include "world/map.h"

cJednostkaLadowa::cJednostkaLadowa()
{
    m_Id = NextLandUnitId();
    m_TurnsWithoutSupply = 1;
    if (const sGameConsts* k = UnitConsts())
        m_TurnsSinceParadrop = k->AirborneAssaultWait;
}

float cJednostkaLadowa::GetFullStrengthValue() const
{
    const sGameConsts* k = UnitConsts();
    int type = LandTypeIndex(m_Type);
    if (!k || type < 0)
        return 0.0f;
    return k->LandCombatStrength[TableLevelIndex(m_Level)][type];
}

float cJednostkaLadowa::GetCombatStrength() const
{
    return GetFullStrengthValue() * float(m_Strength) / 100.0f;
}

float cJednostkaLadowa::GetEffectiveStrength() const
{
    return GetCombatStrength() * float(m_Efficiency) / 100.0f;
}

namespace {

// (1 - t / divisor) x value, truncated; the penalty of impulses without a supply source.
int NoSupplyPenalty(int value, int turnsWithoutSupply, int divisor)
{
    // A divisor of 0 in the data would divide by nothing: no penalty then.
    if (turnsWithoutSupply <= 0 || divisor <= 0)
        return value;
    return TruncateToInt((1.0 - double(turnsWithoutSupply) / double(divisor)) * value);
}

} // namespace

void cJednostkaLadowa::RecalculateEfficiency()
{
    const sGameConsts* k = UnitConsts();
    if (!k)
        return;
    const cPanstwo* owner = GetOwner();
    int doctrine = owner ? owner->TechLevel[TECH_DOCTRINE] : 0;
    float f = float(doctrine * k->DoctrineEfficiencyBonus) / 100.0f + 1.0f;
    if (m_Commander)
        f *= CommanderBonusAt(*m_Commander, 0);
    else if (m_CommandingCommanderId >= 0)
        f *= float(GetCommanderBonus()) / 100.0f + 1.0f;
    float g = float(k->SupplyEfficiency[SupplyIndex(m_Supply)]) / 100.0f * f;
    float h = g * float(m_EventsEffect + 100) / 100.0f;
    // Large rule values may carry the product beyond an int: it is held at its ends.
    int e = TruncateToInt(100.0f * h);
    e = TruncateToInt(float(e) - m_ShoreBombardmentEffect);
    e = NoSupplyPenalty(e, m_TurnsWithoutSupply, k->ImpulsesWithoutSupplySource);
    m_Efficiency = std::max(e, 1);
}

void cJednostkaLadowa::ResetActionPoints()
{
    if (m_FreezeTime >= 1) {
        m_ActionPoints = 0;
        return;
    }
    const sGameConsts* k = UnitConsts();
    int type = LandTypeIndex(m_Type);
    int a = 0;
    if (k && type >= 0) {
        const cPanstwo* owner = GetOwner();
        int doctrine = owner ? owner->TechLevel[TECH_DOCTRINE] : 0;
        int b = k->LandActionPoints[DoctrineIndex(doctrine)][type];
        a = (100 - k->ActionPointCut[SupplyIndex(m_Supply)]) * b / 100;
        a = NoSupplyPenalty(a, m_TurnsWithoutSupply, k->ImpulsesWithoutSupplySource);
    }
    if (a < 0)
        a = 0;
    if (a == 0 && (m_Type == UNIT_INFANTRY || m_Type == UNIT_INFANTRY_CORPS || m_Type == UNIT_AIRBORNE))
        a = 1;
    m_ActionPoints = a;
    m_StartingActionPoints = a;
    m_JustDeployed = false;
}

void cJednostkaLadowa::Unfreeze()
{
    m_FreezeTime = 0;
    ResetActionPoints();
}

void cJednostkaLadowa::MoveToReservePool()
{
    LogLine(L"map --> reserve pool: %s", m_Name);
    FreeOwnHex(true);
    // A unit sent from aboard a ship leaves the ship as well.
    if (m_Transporter) {
        if (m_Transporter->m_Cargo == this)
            m_Transporter->m_Cargo = nullptr;
        m_Transporter = nullptr;
        m_TransporterId = -1;
        if (g_Gra) {
            RemoveFromList(g_Gra->m_LandUnits2, this);
            RemoveFromList(g_Gra->m_LandUnits3, this);
        }
    }
    if (g_Gra)
        RemoveFromList(g_Gra->m_LandUnits, this);
    JoinReservePool();
}

void cJednostkaLadowa::Kill()
{
    ForgetSpottedUnit(this);
    SendCommanderHome();
    if (!m_Transporter) {
        GLOBAL_LOCK_SCOPE();
        FreeOwnHex(true);
        if (g_Gra) {
            RemoveFromList(g_Gra->m_LandUnits, this);
            RemoveFromList(g_Gra->m_Reserve, this); // nor may the pool keep a unit that is gone
        }
    } else {
        cJednostkaMorska* ship = m_Transporter;
        if (!ship->IsTransport()) {
            FatalExit(1, L"Data integrity error. Trying to kill unit loaded into non-transport.");
        }
        if (g_Gra)
            RemoveFromList(ship->m_Type == UNIT_CARGO ? g_Gra->m_LandUnits2 : g_Gra->m_LandUnits3, this);
        // The ship must not keep a pointer to a unit that is gone.
        if (ship->m_Cargo == this)
            ship->m_Cargo = nullptr;
    }
    delete this;
}

int MulberryStrength()
{
    const sGameConsts* k = UnitConsts();
    return k ? int(k->Mulberry[2]) : 0;
}

int MulberryLifeMonths()
{
    const sGameConsts* k = UnitConsts();
    return k ? int(k->Mulberry[3]) : 0;
}

cMulberry::cMulberry()
{
    SetType(UNIT_MULBERRY);
    m_Strength = MulberryStrength();
    m_RemainingMonths = MulberryLifeMonths();
}

int cMulberry::SetSupply(int)
{
    const sGameConsts* k = UnitConsts();
    return m_Supply = k ? k->MaxSupply : 0;
}

void cMulberry::AddStrength(int)
{
    m_Strength = MulberryStrength();
}

void cMulberry::SetStrength(int)
{
    m_Strength = MulberryStrength();
}

// The land strength table has no column for a harbour: its full value is the Mulberry
// strength and its combat strength is its strength, as for an air unit.
float cMulberry::GetFullStrengthValue() const
{
    return float(MulberryStrength());
}

float cMulberry::GetCombatStrength() const
{
    return float(m_Strength);
}
