// Air attacks and nuclear hits on a port or a sea zone: the port loses size, and the ships
// lying there may be hit and sunk.
#include <algorithm>
#include <set>
#include <vector>

#include "core/format.h"
#include "core/random.h"
#include "core/stringbase.h"
#include "core/text.h"
#include "game/consts.h"
#include "game/game.h"
#include "game/play_state.h"
#include "units/air_unit.h"
#include "units/combat_result.h"
#include "units/combat_support.h"
#include "units/naval_unit.h"
#include "world/country.h"
#include "world/fleet.h"
#include "world/map.h"
#include "world/sea_graph.h"
#include "world/world.h"

namespace {

const std::wstring& ActiveCountryName()
{
    const cPanstwo* active = g_Gra && g_Gra->m_PlayState ? g_Gra->m_PlayState->GetActiveCountry() : nullptr;
    return CountryName(active ? active->ID : 0);
}

int Tech(int countryId, int category)
{
    const cPanstwo* country = GetCountry(countryId);
    return country ? country->TechLevel[category] : 0;
}

// The lost-ship line of the reports window: "ship\nfleet;country;zone\nhow". The ship is
// named with the unit it carried, as every sinking names it: the unit is lost with it, and a
// player looking for where a division went finds it here.
void ReportShipLost(const cJednostkaMorska& ship, const wchar_t* how)
{
    const cFlota* fleet = ship.m_Fleet;
    const cGrafMorz* graph = WorldSeaGraph();
    const sWezelGrafuMorz* node = fleet && graph ? graph->GetNode(fleet->seaNode) : nullptr;
    AddCombatReport(33, fleet ? fleet->owner : ship.m_Owner,
                    FormatText(L"%s\n%s;%s;%s\n%s", ship.NameWithCargo(), fleet ? fleet->name : std::wstring(),
                               ActiveCountryName(), node ? node->Name : std::wstring(), how));
}

} // namespace

void sWezelGrafuMorz::Bombard(sCombatResult* result, cUnit* attacker, int x, int y)
{
    if (!result || !attacker || !g_World.fleets)
        return;
    const sGameConsts& k = GameConsts();
    const int attackerId = attacker->m_Owner;
    // The ships' fire may remove a plane: the report keeps its name.
    const std::wstring attackerName = attacker->m_Name;
    const cMapa* map = WorldMap();
    const sHex* target = map && map->IsInside(x, y) ? map->GetHex(x, y) : nullptr;
    const int defenderId = target ? target->controller : 0;
    const bool port = Kind == SEA_NODE_PORT;

    std::wstring text;
    if (port) {
        // Wide: a scenario's huge factor is a certain or an impossible hit, never an overflow.
        const int chance = int(std::clamp(int64_t(k.PortDamageFactors[0]) * Tech(attackerId, TECH_AIRCRAFT) -
                                              int64_t(k.PortDamageFactors[1]) * Tech(defenderId, TECH_ARTILLERY),
                                          int64_t(0), int64_t(100)));
        const int before = SizeCurrent;
        int loss = 0;
        // A port of size 1 keeps what it has.
        if (RandomInt(1, 100) < chance && SizeCurrent > 1) {
            loss = 1;
            result->portAffected = true;
        }
        SizeCurrent = std::max(1, SizeCurrent - loss);
        text = LangFormat("report_bombardment_port", Name, CountryName(defenderId), before, SizeMax, SizeCurrent, SizeMax);
    } else {
        text = LangFormat("report_bombardment_sea_zone", Name);
    }
    result->defenderInfo += text + L"\n";

    const cPanstwo* attackingCountry = GetCountry(attackerId);
    auto* air = dynamic_cast<cJednostkaLotnicza*>(attacker);
    std::vector<cJednostkaMorska*> hit;
    int previous = 0;
    for (const cFlota* fleet : *g_World.fleets) {
        if (fleet->seaNode != ID || !attackingCountry || !attackingCountry->IsAtWarWith(fleet->owner))
            continue;
        for (cJednostkaMorska* ship : fleet->ships) {
            // A scenario's huge values stop at an int's ends: a certain hit, or none.
            int64_t sum =
                (ship->m_Spotted ? k.PortBombHit[0] : k.PortBombHit[1]) + int64_t(ship->m_HP) * k.PortBombHit[2];
            if (air)
                sum += air->GetCommanderValue();
            int c = TruncateToInt(sum);
            if (attacker->m_Type == UNIT_STRATEGIC_BOMBER)
                c = TruncateToInt(float(c) * float(k.PortBombHit[3]) / 100.0f);
            // Each ship already hit spreads the bombs over the next one.
            const int p = TruncateToInt(float(c) - float(hit.size()) * 0.25f * float(previous));
            previous = p;
            if (RandomInt(1, 100) < p)
                hit.push_back(ship);
        }
    }

    if (hit.empty()) {
        result->defenderInfo += port ? LangText("report_bombardment_port_no_naval_units_affected")
                                     : LangText("report_bombardment_sea_zone_no_naval_units_affected");
    } else {
        result->defenderInfo += port ? LangText("report_bombardment_port_naval_units_affected")
                                     : LangText("report_bombardment_sea_zone_naval_units_affected");
    }
    int hits = 0;
    std::set<int> hitOwners;
    for (auto it = hit.rbegin(); it != hit.rend(); ++it) {
        // The ships' fire removes a plane it shoots down: the next ship would be attacked by a
        // unit no longer in the game.
        if (result->attackerKilled)
            break;
        cJednostkaMorska* ship = *it;
        ship->ReceiveAirAttack(result, attacker);
        ++hits;
        hitOwners.insert(ship->m_Owner);
        if (ship->m_HP > 0)
            continue;
        result->defenderInfo += FormatText(L"\n%s destroyed!\n", ship->m_Name);
        // Else the unit lost aboard would be named nowhere in the result.
        if (ship->m_Cargo)
            result->defenderInfo += ship->LostAboardLine() + L"\n";
        ReportShipLost(*ship, port ? L"Port bombardment" : L"Sea bombardment");
        ship->MarkLoss("air", attackerId);
        // The combat record's table gives this flag to a ship sunk, the port's bombardment to a
        // ship hit: they disagree, and it marks a sunk ship, as its icon's hint says.
        result->navalDefenderKilled = true;
        result->defenderKilled = true;
        DestroyInCombat(ship);
    }
    result->defenderInfo += LangFormat("report_looses_sea_zone_port_bombardment", hits) + L"\n\n";

    const std::wstring summary =
        FormatText(L"%s (%s) attacked %s\n\n", attackerName, CountryName(attackerId), Name) + result->defenderInfo;
    AddCombatReport(16, attackerId, summary);
    for (int owner : hitOwners)
        AddCombatReport(16, owner, summary);
}

int sWezelGrafuMorz::NuclearStrike(std::wstring& text)
{
    SizeCurrent = 1;
    text += LangText("report_nuclear_on_port_size_decreased") + L"\n";
    if (!g_World.fleets)
        return 0;
    // The ships are chosen first and sunk afterwards: a sinking changes the fleet lists.
    std::vector<cJednostkaMorska*> destroyed;
    for (const cFlota* fleet : *g_World.fleets)
        if (fleet->seaNode == ID)
            for (cJednostkaMorska* ship : fleet->ships)
                if (RandomInt(1, 100) < 50)
                    destroyed.push_back(ship);
    if (destroyed.empty()) {
        text += LangText("report_nuclear_on_port_no_naval_units_destroyed");
        return 0;
    }
    text += LangText("report_nuclear_on_port_destroyed_naval_units") + L"\n";
    // Each ship with the unit aboard it, which goes down with it.
    for (cJednostkaMorska* ship : destroyed) {
        text += FormatText(L" %s - %s (%s)\n", ship->m_Fleet ? ship->m_Fleet->name : std::wstring(),
                           ship->NameWithCargo(), CountryName(ship->m_Owner));
        ReportShipLost(*ship, L"Nuclear hit");
        ship->MarkLoss("air", 0);
        DestroyInCombat(ship);
    }
    return int(destroyed.size());
}
