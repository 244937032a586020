// What can befall a city besides capture: strategic bombing of its production, a nuclear
// hit, and the siege test of a surrounded city at the end of an impulse.
#include <algorithm>

#include "core/log.h"
#include "core/random.h"
#include "core/stringbase.h"
#include "core/text.h"
#include "game/consts.h"
#include "game/game.h"
#include "game/presentation.h"
#include "units/air_unit.h"
#include "units/combat_result.h"
#include "units/combat_support.h"
#include "units/land_unit.h"
#include "units/naval_unit.h"
#include "units/unit_access.h"
#include "world/city.h"
#include "world/country.h"
#include "world/map.h"
#include "world/sea_graph.h"
#include "world/world.h"

namespace {

// The air modifier of a bombing column by the defender's air-superiority ratio.
int AirModifier(float ratio)
{
    if (ratio == -1.0f)
        return -4;
    if (ratio < 1.0f)
        return 0;
    if (ratio < 1.5f)
        return -1;
    if (ratio < 2.0f)
        return -2;
    if (ratio < 3.0f)
        return -3;
    return -4;
}

} // namespace

void cMiasto::StrategicBombard(sCombatResult* result, cUnit* attacker)
{
    const sGameConsts* k = UnitConsts();
    const sHex* hex = UnitHexAt(X, Y);
    if (!result || !attacker || !k || !hex)
        return;
    auto* air = dynamic_cast<cJednostkaLotnicza*>(attacker);
    auto* ship = dynamic_cast<cJednostkaMorska*>(attacker);
    const cPanstwo* attackerCountry = attacker->GetOwner();

    // A bomber below full strength does damage in proportion to its strength: a truncated
    // quotient would make any bomber short of full strength do nothing at all.
    float fraction = 0.0f;
    int levelTerm = 0;
    if (air) {
        const float full = float(k->AirFullStrength[2]);
        fraction = full > 0.0f ? float(air->m_Strength) / full : 0.0f;
        levelTerm = air->m_Level - 1;
    } else if (ship) {
        fraction = ship->m_MaxHP > 0 ? float(ship->m_HP) / float(ship->m_MaxHP) : 0.0f;
        levelTerm = (attackerCountry ? attackerCountry->TechLevel[TECH_NAVY] : 0) - 1;
    }
    // A level outside 1..5 (a bad save) takes the nearest row of the table, never one past it.
    const float value = fraction * float(k->StrategicBombLevel[std::clamp(levelTerm, 0, 4)]);
    const int damageRoll = RandomInt(1, 6);
    // A scenario's huge damage takes what the city has, never an undefined whole number.
    int loss = TruncateToInt(float(k->StrategicBombDamage[damageRoll - 1]) * value / 100.0f);
    if (ProductionPoints < float(loss))
        loss = TruncateToInt(ProductionPoints);
    loss = std::max(loss, 0); // a city already below nothing gains nothing from the bombs

    const int defenderId = hex->controller;
    const cPanstwo* defender = hex->GetController();
    const int modifier = defender ? AirModifier(defender->GetAirSuperiorityRatio(X, Y)) : 0;
    const int artillery = defender ? defender->TechLevel[TECH_ARTILLERY] : 0;
    const int column = std::clamp(modifier + (1 - artillery) + levelTerm, -4, 4);
    const int lossRoll = RandomInt(1, 6);
    const int attackerLoss = k->AirAttackerLosses[lossRoll - 1][column + 4];

    const float before = air ? air->GetEffectiveStrength() : float(ship ? ship->m_HP : 0);
    const float left = std::max(before - float(attackerLoss), 0.0f);
    result->attackerInfo += LangFormat("report_bombardment_city_attacker", Name, cUnit::GetSubtypeText(attacker->m_Type),
                                       attacker->m_Name, left, attackerLoss);
    result->defenderInfo += LangFormat("report_bombardment_city", Name, CountryName(defenderId),
                                       ProductionPoints - float(loss), loss) + L"\n\n";
    ProductionPointsLost += loss;
    ProductionPoints -= float(loss);
    if (loss > 0)
        result->cityAffected = true;

    bool destroyed = false;
    if (air) {
        air->AddStrength(-attackerLoss);
        destroyed = air->GetCombatStrength() < 0.1f;
    } else if (ship) {
        ship->ChangeHitPoints(-float(attackerLoss));
        destroyed = ship->m_HP <= 0;
    }
    if (destroyed) {
        result->attackerInfo += LangText("report_unit_killed") + L"\n";
        result->attackerKilled = true;
    }
    result->attackerLossText += LangFormat("report_looses_city_bombardment", double(attackerLoss)) + L"\n";
    result->attackerLoss += float(attackerLoss);
    result->attackerInfo += L"\n\n";
    // The hex's air mission gives a carrier's strike its own kind, the city's bombing the air
    // strike's kind to any attacker: the two disagree, and a carrier's strike keeps its title.
    if (air)
        result->kind = COMBAT_AIR_STRIKE_LAND;
    result->defenderCountry = defenderId;
    result->attackerCountry = attacker->m_Owner;

    AddCombatReport(13, defenderId,
                    FormatText(L"Strategic bombardment\n\nCity %s (%d, %d) was attacked by %s (%s) and lost %d PP", Name, X,
                               Y, attacker->m_Name, CountryName(attacker->m_Owner), loss));
    AddCombatReport(12, attacker->m_Owner,
                    FormatText(L"Strategic bombardment\n\nAttacked city %s (%d, %d) controlled by %s with %s. City lost %d PP",
                               Name, X, Y, CountryName(defenderId), attacker->m_Name, loss));
}

void cMiasto::NuclearStrike(sCombatResult* result)
{
    const sGameConsts* k = UnitConsts();
    if (!result || !k)
        return;
    int loss = TruncateToInt(float(k->NuclearStrike[0]) * ProductionPoints / 100.0f);
    if (ProductionPoints < float(loss))
        loss = TruncateToInt(ProductionPoints);
    loss = std::max(loss, 0); // a city already below nothing gains nothing from the bomb
    ProductionPoints -= float(loss);
    // The record's city mark says a city took damage, and the nuclear steps leave it unset:
    // a city that lost production to the bomb is marked as one that lost it to bombs.
    if (loss > 0)
        result->cityAffected = true;
    result->defenderInfo += LangFormat("report_nuclear_on_city_pp_decreased", Name, loss) + L"\n";
    if (IsPort()) {
        cGrafMorz* graph = WorldSeaGraph();
        sWezelGrafuMorz* node = graph ? graph->GetNode(graph->FindNodeAtHex(X, Y)) : nullptr;
        // Ships sunk in the port are the defenders the strike's caller passes on.
        if (node && node->Kind == SEA_NODE_PORT && node->SizeCurrent > 0 && node->NuclearStrike(result->defenderInfo) > 0)
            result->defenderKilled = true;
    }
    result->defenderInfo += L"\n";
}

void cMiasto::CheckSiege(std::wstring& text)
{
    const sGameConsts* k = UnitConsts();
    cMapa* map = g_Gra ? g_Gra->m_Mapa : nullptr;
    sHex* hex = UnitHexAt(X, Y);
    auto* defender = hex ? dynamic_cast<cJednostka*>(hex->unit) : nullptr;
    if (!k || !map || !defender)
        return;
    // The camera is the main thread's, and it moves only for a person watching.
    if (g_Gra->HasHumanCountry()) {
        sPresentationRequest camera;
        camera.kind = eRequestKind::CenterCamera;
        camera.x = X;
        camera.y = Y;
        Presentation().Post(camera);
    }

    float besiegers = 0.0f;
    int commanders = 0;
    for (int d = 0; d < 6; ++d) {
        const sHex* n = map->GetNeighbour(X, Y, d);
        const auto* unit = n ? dynamic_cast<const cJednostka*>(n->unit) : nullptr;
        if (!unit)
            continue;
        besiegers += unit->GetEffectiveStrength();
        if (unit->m_Commander)
            commanders += unit->m_Commander->Skill;
    }
    const float defence = std::max(defender->GetEffectiveStrength(), 0.001f); // never a division by zero
    const int defenderCommander = defender->m_Commander ? defender->m_Commander->Skill : 0;

    const float* f = k->SiegeCheck;
    const float q = besiegers / defence;
    const float ratioTerm = q < 1.0f ? q * f[1] : (q - 1.0f) * f[1] / f[6];
    const float commanderTerm = float(commanders - defenderCommander) * f[2];
    const float supplyTerm = -float(Supply) * f[3];
    const cPanstwo* owner = defender->GetOwner();
    const float ratio = owner ? owner->GetAirSuperiorityRatio(X, Y) : -1.0f;
    float airTerm = f[4];
    if (ratio != -1.0f)
        airTerm = ratio <= 1.0f ? (1.0f - ratio) * f[4] : -((ratio - 1.0f) * f[4] / f[5]);
    const float chance = f[0] + ratioTerm + commanderTerm / 100.0f + supplyTerm / 100.0f + airTerm;

    text = LangFormat("siege_report", defender->m_Name, double(f[0]) * 100.0, double(ratioTerm) * 100.0,
                      double(supplyTerm), double(commanderTerm), double(airTerm) * 100.0, double(chance) * 100.0);
    const int roll = RandomInt(1, 1000);
    if (chance * 1000.0f <= float(roll)) {
        text += LangText("check_failed,_siege_continues...");
        return;
    }
    if (defender->m_Level >= 2) {
        defender->AddLevel(-1);
        text += LangFormat("check_succeeded,_%s_loses_1_level", defender->m_Name);
        return;
    }
    text += LangFormat("check_succeeded,_%s_surrenders!", defender->m_Name);
    DestroyInCombat(defender);
}
