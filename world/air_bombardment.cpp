// Air missions against one hex: the interceptor that meets them, and the bombardment of
// the hex's unit, city and port, or of its sea zone.
#include "core/log.h"
#include "core/stringbase.h"
#include "game/play_counts.h"
#include "units/air_unit.h"
#include "units/combat_result.h"
#include "units/combat_support.h"
#include "units/land_unit.h"
#include "units/naval_unit.h"
#include "world/city.h"
#include "world/country.h"
#include "world/map.h"
#include "world/relations.h"
#include "world/sea_graph.h"
#include "world/world.h"

cJednostkaLotnicza* sHex::FindInterceptor(int attackingCountry) const
{
    return FindFighterInterceptor(x, y, [attackingCountry](int owner) { return CountriesAtWar(owner, attackingCountry); });
}

namespace {

// The part of the mission just flown killed the attacker: the mission ends. A fight has
// removed an air unit already, the city's bombing only counts it (plane); a carrier sunk by
// the defence goes down here. True if it died.
bool EndsWithAttackerKilled(const sCombatResult& result, cJednostkaMorska* carrier, const wchar_t* logLine,
                            cJednostkaLotnicza* plane = nullptr)
{
    if (!result.attackerKilled)
        return false;
    LogLine(logLine);
    if (carrier && carrier->m_HP < 1)
        DestroyInCombat(carrier);
    if (plane && plane->GetCombatStrength() < 0.1f)
        DestroyInCombat(plane);
    return true;
}

} // namespace

void sHex::AirBombard(sCombatResult* result, cUnit* attacker)
{
    if (!result || !attacker)
        return;
    ++g_PlayCounts.airMissions;
    auto* air = dynamic_cast<cJednostkaLotnicza*>(attacker);
    auto* carrier = dynamic_cast<cJednostkaMorska*>(attacker);

    cGrafMorz* graph = WorldSeaGraph();
    sWezelGrafuMorz* zone = IsSea() && graph && seaZone != 0 ? graph->GetNode(seaZone) : nullptr;
    int defenderId = 0;
    cUnit* interceptor = nullptr;
    if (IsSea()) {
        if (zone)
            interceptor = zone->FindInterceptor(attacker->m_Owner);
    } else {
        defenderId = unit ? unit->m_Owner : controller;
        // Nobody holds the hex: nobody rises to meet the mission.
        if (const cPanstwo* defender = GetCountry(defenderId))
            interceptor = defender->FindBestInterceptor(x, y);
    }
    // A mission the interceptor stops is not flown: it costs nothing, and an attacker shot
    // down is gone before anything could be charged to it.
    if (interceptor && attacker->TryIntercept(interceptor, result)) {
        EndsWithAttackerKilled(*result, carrier, L"Przechwycenie przy bombowaniu heksa udane, ataker zabijany");
        return;
    }
    if (air)
        air->AddActionPoints(-1);
    else if (carrier)
        carrier->m_AirstrikeDone = true;

    const bool heavy = attacker->m_Type == UNIT_STRATEGIC_BOMBER || attacker->m_Type == UNIT_CARRIER;
    PlayCombatSound(heavy ? L"StrategicBombardment" : L"AirStrike", attacker);
    if (air)
        result->kind = IsSea() ? COMBAT_AIR_STRIKE_SEA_ZONE : COMBAT_AIR_STRIKE_LAND;
    else
        result->kind = IsSea() ? COMBAT_CARRIER_STRIKE_SEA_ZONE : COMBAT_CARRIER_STRIKE_LAND;
    result->attackerCountry = attacker->m_Owner;
    result->defenderCountry = defenderId;

    if (IsSea()) {
        result->defenderInfo += LangText("report_bombardment_sea_zone_affected");
        if (zone && zone->Kind == SEA_NODE_SEA) {
            zone->Bombard(result, attacker, x, y);
            EndsWithAttackerKilled(*result, carrier, L"Attacker zabity podczas nalotu na hex (sea zone na heksie)");
        }
        return;
    }
    if (!unit) {
        result->defenderInfo += LangText("report_bombardment_no_unit");
    } else {
        NoteDiscovered(attacker->m_Owner, unit);
        result->defenderInfo += LangText("report_bombardment_affected_unit");
        unit->ReceiveAirAttack(result, attacker);
        if (EndsWithAttackerKilled(*result, carrier, L"Attacker zabity podczas nalotu na hex (jednostke na heksie)"))
            return;
    }
    if (heavy) {
        if (!city) {
            result->defenderInfo += LangText("report_bombardment_no_city");
        } else {
            result->defenderInfo += LangText("report_bombardment_affected_city");
            city->StrategicBombard(result, attacker);
            if (EndsWithAttackerKilled(*result, carrier, L"Attacker zabity podczas nalotu na hex (miasto na heksie)", air))
                return;
        }
    }
    if (city && city->IsPort() && seaNodeDisplay != 0) {
        result->defenderInfo += LangText("report_bombardment_port_affected");
        if (sWezelGrafuMorz* port = graph ? graph->GetNode(seaNodeDisplay) : nullptr; port && port->Kind == SEA_NODE_PORT) {
            port->Bombard(result, attacker, x, y);
            EndsWithAttackerKilled(*result, carrier, L"Attacker zabity podczas nalotu na hex (port na heksie)");
        }
    } else {
        result->defenderInfo += LangText("report_bombardment_no_port");
    }
}
