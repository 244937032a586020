// Air fights and interception: strength, level and supply of both sides give a column
// from -4 to +4, one die reads both losses from the air loss tables.
#include <algorithm>

#include "core/log.h"
#include "core/random.h"
#include "core/stringbase.h"
#include "core/text.h"
#include "game/commanders.h"
#include "game/consts.h"
#include "game/play_counts.h"
#include "units/air_unit.h"
#include "units/combat_result.h"
#include "units/combat_support.h"
#include "units/naval_unit.h"
#include "units/unit_access.h"
#include "world/country.h"

namespace {

// What one side brings to an air fight.
struct sAirSide
{
    int strength = 0;
    int level = 0;
    int supply = 0;
};

int NavyTechOf(const cUnit& unit)
{
    const cPanstwo* owner = unit.GetOwner();
    return owner ? owner->TechLevel[TECH_NAVY] : 0;
}

int AirSupplyTerm(int supply)
{
    const sGameConsts* k = UnitConsts();
    return k ? k->InterceptorSupplyTerm[SupplyIndex(supply)] : 0;
}

int ClampAirColumn(int column) { return std::clamp(column, -4, 4); }

// The losses of the air tables for a die and a column.
int DefenderAirLoss(int die, int column)
{
    const sGameConsts* k = UnitConsts();
    return k ? k->AirDefenderLosses[std::clamp(die, 1, 6) - 1][ClampAirColumn(column) + 4] : 0;
}

int AttackerAirLoss(int die, int column)
{
    const sGameConsts* k = UnitConsts();
    return k ? k->AirAttackerLosses[std::clamp(die, 1, 6) - 1][ClampAirColumn(column) + 4] : 0;
}

// The commander of a unit that rolls for it: its own, else the one commanding it.
const sDowodca* RollingCommander(const cUnit& unit)
{
    return unit.m_Commander ? unit.m_Commander : unit.GetCommandingCommander();
}

bool CommanderRoll(const cUnit& unit, int percentPerSkill)
{
    const sDowodca* commander = RollingCommander(unit);
    if (!commander)
        return false;
    const float skill = float(int64_t(commander->Skill) * percentPerSkill);
    const int chance = TruncateToInt(unit.GetCommanderRangeFactor() * skill);
    return RandomInt(1, 100) < chance;
}

bool IsDestroyed(const cUnit& unit)
{
    if (const auto* ship = dynamic_cast<const cJednostkaMorska*>(&unit))
        return ship->m_HP <= 0;
    const auto* u = dynamic_cast<const cJednostka*>(&unit);
    return u && u->GetCombatStrength() < 0.1f;
}

// The unit takes a loss in strength points, a ship in hit points.
void TakeAirLoss(cUnit& unit, int loss)
{
    if (auto* ship = dynamic_cast<cJednostkaMorska*>(&unit))
        ship->ChangeHitPoints(-float(loss));
    else if (auto* u = dynamic_cast<cJednostka*>(&unit))
        u->AddStrength(-loss);
}

} // namespace

bool cJednostka::CommanderAvertsAirFightLoss() const
{
    const sGameConsts* k = UnitConsts();
    return k && CommanderRoll(*this, k->AirCommanderChances[0]);
}

bool cJednostka::CommanderDoublesAirStrike() const
{
    const sGameConsts* k = UnitConsts();
    return k && CommanderRoll(*this, k->AirCommanderChances[1]);
}

int cJednostka::GetCommanderValue() const
{
    const sDowodca* commander = RollingCommander(*this);
    const sGameConsts* k = UnitConsts();
    if (!commander || !k)
        return 0;
    const float skill = float(int64_t(commander->Skill) * k->AirCommanderChances[2]);
    return TruncateToInt(GetCommanderRangeFactor() * skill);
}

void cJednostkaLotnicza::AirFight(sCombatResult* result, cUnit* attacker)
{
    if (!result || !attacker || attacker == this)
        return;
    auto* airAttacker = dynamic_cast<cJednostkaLotnicza*>(attacker);
    sAirSide att;
    if (airAttacker) {
        att = {airAttacker->m_Strength, airAttacker->m_Level - 1, airAttacker->m_Supply};
        airAttacker->AddActionPoints(-1);
    } else if (const auto* carrier = dynamic_cast<const cJednostkaMorska*>(attacker)) {
        att = {carrier->m_HP, NavyTechOf(*carrier) - 1, 30};
    }
    ++g_PlayCounts.airMissions;
    PlayCombatSound(L"AirToAirCombat", this, attacker);
    result->kind = COMBAT_AIR_FIGHT;
    result->attackerCountry = attacker->m_Owner;
    result->defenderCountry = m_Owner;
    LogLine(L"%s (strength:%i, level:%i, supply:%i) airfight with %s (strength:%i, level:%i, supply: %i)",
            attacker->m_Name, att.strength, att.level, AirSupplyTerm(att.supply), m_Name, m_Strength, m_Level,
            AirSupplyTerm(m_Supply));

    const int column = ClampAirColumn((att.strength + att.level + AirSupplyTerm(att.supply)) -
                                      (m_Strength + m_Level + AirSupplyTerm(m_Supply)));
    const int die = RandomInt(1, 6);
    int attackerLoss = AttackerAirLoss(die, column);
    int defenderLoss = DefenderAirLoss(die, column);
    if (airAttacker && airAttacker->CommanderAvertsAirFightLoss())
        attackerLoss = 0;
    if (CommanderAvertsAirFightLoss())
        defenderLoss = 0;
    BookLosses(attacker->m_Owner, m_Owner, float(defenderLoss));
    BookLosses(m_Owner, attacker->m_Owner, float(attackerLoss));
    LogLine(L"Column = %+i, D6=%i, att losses=%i, def losses=%i", column, die, attackerLoss, defenderLoss);

    TakeAirLoss(*attacker, attackerLoss);
    const bool attackerDied = IsDestroyed(*attacker);
    if (attackerDied) {
        result->attackerInfo += LangText("report_unit_killed");
        result->attackerKilled = true;
    }
    result->attackerLoss += float(attackerLoss);
    result->attackerLossText += LangFormat("report_looses_air_fight", attackerLoss) + L"\n";

    result->defenderInfo += LangFormat("report_air_fight", GetSubtypeText(m_Type), m_Name, CountryName(m_Owner),
                                       GetEffectiveStrength(), defenderLoss);
    AddStrength(-defenderLoss);
    result->defenderLoss += float(defenderLoss);
    result->defenderLossText += LangFormat("report_looses_air_fight", defenderLoss) + L"\n";

    AddCombatReport(2, attacker->m_Owner,
                    FormatText(L"Air combat\n\n%s attacked %s (%s).\n\nAttacker losses: %.2f\nDefender losses: %.2f",
                               attacker->m_Name, m_Name, CountryName(m_Owner), float(attackerLoss),
                               float(defenderLoss)));
    // Told to the defender, who was attacked: the attacker's order of the names would say the reverse.
    AddCombatReport(3, m_Owner,
                    FormatText(L"Air combar\n\n%s was attacked by %s (%s).\n\nAttacker losses: %.2f\nDefender losses: %.2f",
                               m_Name, attacker->m_Name, CountryName(attacker->m_Owner), float(attackerLoss),
                               float(defenderLoss)));
    // Removed here, not by the callers: the game screen's and the computer's air fights never
    // remove a plane shot down, which would stay on the map without strength.
    if (attackerDied && airAttacker)
        DestroyInCombat(airAttacker);
    if (GetCombatStrength() < 0.1f) {
        result->defenderInfo += LangText("report_unit_killed");
        result->defenderKilled = true;
        DestroyInCombat(this);
    }
}

void cJednostkaLotnicza::ReceiveAirAttack(sCombatResult* result, cUnit* attacker)
{
    if (attacker && attacker->m_Type == UNIT_CARRIER)
        AirFight(result, attacker);
}

bool cJednostkaLotnicza::TryIntercept(cUnit* interceptor, sCombatResult* result)
{
    if (!interceptor || !result || interceptor == this)
        return false;
    // Also in the reports: a player would otherwise find the fight in no list once its window shut.
    const cInterceptionReport report(*result);
    auto* fighter = dynamic_cast<cJednostkaLotnicza*>(interceptor);
    auto* carrier = dynamic_cast<cJednostkaMorska*>(interceptor);
    int a = 0, b = 0;
    if (carrier && carrier->m_Type == UNIT_CARRIER) {
        a = carrier->m_HP;
        b = NavyTechOf(*carrier);
    } else if (fighter && fighter->m_Type == UNIT_FIGHTER) {
        a = fighter->m_Strength;
        b = fighter->m_Level;
    }
    PlayCombatSound(L"AirToAirCombat", this, interceptor);
    result->kind = COMBAT_INTERCEPTION;
    LogLine(L"%s tries to intercept %s", interceptor->m_Name, m_Name);

    const int column = ClampAirColumn(m_Level + m_Strength - a - b);
    const int die = RandomInt(1, 6);
    int interceptorLoss = AttackerAirLoss(die, column);
    const int ownLoss = DefenderAirLoss(die, column);
    if (carrier) {
        const int before = carrier->m_HP;
        carrier->ChangeHitPoints(-float(interceptorLoss));
        // The air-fight rules give a carrier interceptor no floor, the carriers' own rules keep
        // one after every interception (as after a carrier strike intercepted): the floor holds.
        carrier->EnsureMinimumHitPoints();
        interceptorLoss = before - carrier->m_HP;
    } else {
        TakeAirLoss(*interceptor, interceptorLoss);
    }
    AddStrength(-ownLoss);
    BookLosses(interceptor->m_Owner, m_Owner, float(ownLoss));
    BookLosses(m_Owner, interceptor->m_Owner, float(interceptorLoss));
    result->interceptionFought = true;
    result->attackerLoss += float(ownLoss);
    result->defenderLoss += float(interceptorLoss);
    result->attackerCountry = m_Owner;
    result->defenderCountry = interceptor->m_Owner;

    result->attackerLossText += LangFormat("report_looses_interception", ownLoss);
    result->defenderLossText += LangFormat("report_looses_interception", interceptorLoss);
    const int interceptorStrength = carrier ? carrier->m_HP : (fighter ? fighter->m_Strength : 0);
    result->attackerInfo += LangFormat("report_details_interception_att", m_Name, CountryName(m_Owner), m_Strength, ownLoss);
    // A carrier's planes intercept, and what it has left and lost are the carrier's hit points.
    result->defenderInfo += LangFormat(carrier ? "report_details_interception_carrier" : "report_details_interception",
                                       interceptor->m_Name, CountryName(interceptor->m_Owner), interceptorStrength,
                                       interceptorLoss);

    if (fighter && fighter->GetCombatStrength() < 0.1f) {
        result->defenderKilled = true;
        result->defenderInfo += LangText("report_unit_killed");
        DestroyInCombat(fighter);
        // A plane shot down with its interceptor goes on to the next case: flown on, its
        // mission would go on without strength, and a recon plane stay on the map so.
        if (GetCombatStrength() >= 0.1f) {
            result->defenderInfo += LangText("report_details_interception_failed");
            result->attackerInfo += LangText("report_details_interception_failed_att");
            LogLine(L"Intercepcja nieudana, interceptor zdechl");
            return false;
        }
    }
    if (GetCombatStrength() < 0.1f) {
        result->interceptionSucceeded = true;
        result->attackerKilled = true;
        result->attackerInfo += LangText("report_unit_killed");
        result->attackerInfo += LangText("report_details_interception_succeeded_att");
        result->defenderInfo += LangText("report_details_interception_succeeded");
        LogLine(L"Intercepcja udana, ataker zabity");
        DestroyInCombat(this); // the recon flights that end here never remove a plane shot down
        return true;
    }
    if (interceptorLoss < ownLoss) {
        result->interceptionSucceeded = true;
        result->attackerInfo += LangText("report_details_interception_succeeded_att") + L"\n\n";
        result->defenderInfo += LangText("report_details_interception_succeeded") + L"\n\n";
        return true;
    }
    result->defenderInfo += LangText("report_details_interception_failed") + L"\n\n";
    result->attackerInfo += LangText("report_details_interception_failed_att") + L"\n\n";
    return false;
}
