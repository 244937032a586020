// Ships against aircraft: a ship under an air strike (of a bomber or a carrier's planes),
// and a carrier's strike met by an interceptor.
#include <algorithm>

#include "core/log.h"
#include "core/random.h"
#include "core/stringbase.h"
#include "core/text.h"
#include "game/consts.h"
#include "units/air_unit.h"
#include "units/combat_result.h"
#include "units/combat_support.h"
#include "units/naval_unit.h"
#include "units/unit_access.h"
#include "world/country.h"
#include "world/fleet.h"

namespace {

int NavyTech(const cUnit& unit)
{
    const cPanstwo* owner = unit.GetOwner();
    return owner ? owner->TechLevel[TECH_NAVY] : 0;
}

// A ship's loss from the air tables takes hit points, never below the least a carrier
// keeps after an interception; the hit points it really lost.
int TakeInterceptionLoss(cJednostkaMorska& ship, int loss)
{
    const int before = ship.m_HP;
    ship.ChangeHitPoints(-float(loss));
    ship.EnsureMinimumHitPoints();
    return before - ship.m_HP;
}

} // namespace

void cJednostkaMorska::ReceiveAirAttack(sCombatResult* result, cUnit* attacker)
{
    const sGameConsts* k = UnitConsts();
    if (!result || !attacker || !k)
        return;
    auto* carrier = dynamic_cast<cJednostkaMorska*>(attacker);
    auto* air = dynamic_cast<cJednostkaLotnicza*>(attacker);
    float factor = 0.0f;
    // A maximum of 0 hit points would divide by zero and end the program.
    if (carrier)
        factor = carrier->m_MaxHP > 0 ? float(carrier->m_HP / carrier->m_MaxHP) : 0.0f;
    else if (auto* unit = dynamic_cast<cJednostka*>(attacker))
        factor = unit->GetEffectiveStrength();
    result->attackerCountry = attacker->m_Owner;
    result->defenderCountry = m_Owner;
    const int before = m_HP;

    ChangeHitPoints(-1.0f);
    result->defenderLoss += 1.0f;
    if (m_HP >= 1 && RandomInt(1, 100) <= k->ShipSecondHitChance) {
        ChangeHitPoints(-1.0f);
        result->defenderLoss += 1.0f;
    }
    if (m_HP >= 1 && RandomInt(1, 100) <= k->ShipSunkChance) {
        result->defenderLoss += float(m_HP);
        ChangeHitPoints(-float(m_HP));
    }
    result->defenderInfo += FormatText(L" - %s %s\n   (%s, %s)\n   Strength lost: %.2f", GetSubtypeText(m_Type), m_Name,
                                       FleetName(*this), CountryName(m_Owner), float(before - m_HP));

    // The ship's guns answer. An attacker's navy level of 0 counts as 1: the ratio would
    // otherwise divide by nothing.
    const int attackerNavy = std::max(NavyTech(*attacker), 1);
    const float ratio = float(NavyTech(*this)) / float(attackerNavy) + (m_Type == UNIT_CARRIER ? 1.0f : 0.0f);
    const int chance = TruncateToInt(ratio * factor * float(m_HP));
    if (RandomInt(0, 100) >= chance)
        return;
    result->attackerInfo += LangFormat("report_bombardment_naval_unit_attacker_losses_1_strength_point", m_Name,
                                       GetSubtypeText(m_Type), FleetName(*this), CountryName(m_Owner));
    if (air) {
        // A commander who averts the loss spares the unit everything.
        if (air->CommanderAvertsAirFightLoss())
            return;
        air->AddStrength(-1);
        if (air->GetCombatStrength() < 0.1f) {
            result->attackerInfo += L"\n" + LangText("report_unit_killed");
            result->attackerKilled = true;
            // Removed here rather than by the caller: the air fight removes its losses itself,
            // and the missions that end in either must find the unit gone alike.
            DestroyInCombat(air);
        }
    } else if (carrier) {
        carrier->ChangeHitPoints(-1.0f);
        if (carrier->m_HP <= 0) {
            result->attackerInfo += L"\n" + LangText("report_unit_killed");
            result->attackerKilled = true;
        }
    }
}

bool cJednostkaMorska::TryIntercept(cUnit* interceptor, sCombatResult* result)
{
    const sGameConsts* k = UnitConsts();
    if (!interceptor || !result || !k || interceptor == this)
        return false;
    // Else Reports would keep no word of the interception: only its window would tell it.
    const cInterceptionReport report(*result);
    auto* fighter = dynamic_cast<cJednostkaLotnicza*>(interceptor);
    auto* carrier = dynamic_cast<cJednostkaMorska*>(interceptor);
    if (fighter && fighter->m_Type != UNIT_FIGHTER)
        fighter = nullptr;
    if (carrier && carrier->m_Type != UNIT_CARRIER)
        carrier = nullptr;
    int a = 0, b = 0;
    if (carrier) {
        a = carrier->m_HP;
        b = NavyTech(*carrier);
    } else if (fighter) {
        a = fighter->m_Strength;
        b = fighter->m_Level;
    }
    // The effects hold no interception sound of its own: it is an air fight.
    PlayCombatSound(L"AirToAirCombat", this, interceptor);
    result->kind = COMBAT_INTERCEPTION;
    LogLine(L"%s tries to intercept %s", interceptor->m_Name, m_Name);

    const int column = std::clamp(m_HP - b - a + NavyTech(*interceptor), -4, 4);
    const int die = RandomInt(1, 6);
    int interceptorLoss = k->AirAttackerLosses[die - 1][column + 4];
    int ownLoss = k->AirDefenderLosses[die - 1][column + 4];
    if (fighter)
        fighter->AddStrength(-interceptorLoss);
    else if (carrier)
        interceptorLoss = TakeInterceptionLoss(*carrier, interceptorLoss);
    // Hit points are a ship's: another air unit has none to lose (the searches send only fighters).
    else if (auto* ship = dynamic_cast<cJednostkaMorska*>(interceptor))
        ship->ChangeHitPoints(-float(interceptorLoss));
    ownLoss = TakeInterceptionLoss(*this, ownLoss);
    BookLosses(m_Owner, interceptor->m_Owner, float(interceptorLoss));
    BookLosses(interceptor->m_Owner, m_Owner, float(ownLoss));

    result->attackerLoss += float(ownLoss);
    result->defenderLoss += float(interceptorLoss);
    result->interceptionFought = true;
    result->attackerLossText += LangFormat("report_looses_interception", ownLoss) + L"\n";
    result->attackerCountry = m_Owner;
    result->defenderLossText += LangFormat("report_looses_interception", interceptorLoss) + L"\n";
    result->defenderCountry = interceptor->m_Owner;
    const int interceptorLeft = carrier ? carrier->m_HP : (fighter ? fighter->m_Strength : 0);
    // The air fight's rules fill these texts with name, owner, what is left and what was lost,
    // the ship's with five numbers in another order: one text serves both, filled alike.
    // The ship's planes are intercepted, and what it has left and lost are its hit points.
    result->attackerInfo += LangFormat("report_details_interception_carrier_att", m_Name, CountryName(m_Owner),
                                       std::max(m_HP, 0), ownLoss) +
                            L"\n";
    result->defenderInfo += LangFormat(carrier ? "report_details_interception_carrier" : "report_details_interception",
                                       interceptor->m_Name, CountryName(interceptor->m_Owner),
                                       std::max(interceptorLeft, 0), interceptorLoss) +
                            L"\n";

    auto succeeded = [result] {
        result->interceptionSucceeded = true;
        result->attackerInfo += LangText("report_details_interception_succeeded_att") + L"\n";
        result->defenderInfo += LangText("report_details_interception_succeeded") + L"\n";
        return true;
    };
    if (fighter && fighter->GetCombatStrength() < 0.1f) {
        result->defenderKilled = true;
        result->defenderInfo += LangText("report_unit_killed") + L"\n";
        result->defenderInfo += LangText("report_details_interception_failed") + L"\n";
        result->attackerInfo += LangText("report_details_interception_failed_att") + L"\n";
        DestroyInCombat(fighter);
        return false;
    }
    if (m_HP <= 0) {
        result->attackerKilled = true;
        result->attackerInfo += LangText("report_unit_killed") + L"\n";
        return succeeded();
    }
    if (ownLoss > interceptorLoss)
        return succeeded();
    result->attackerInfo += LangText("report_details_interception_failed_att") + L"\n";
    result->defenderInfo += LangText("report_details_interception_failed") + L"\n";
    return false;
}
