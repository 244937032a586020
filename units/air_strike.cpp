// Air strikes on land units and nuclear strikes.
#include <algorithm>
#include <set>
#include <vector>

#include "core/log.h"
#include "core/random.h"
#include "core/stringbase.h"
#include "core/text.h"
#include "game/consts.h"
#include "game/game.h"
#include "game/play_counts.h"
#include "units/air_unit.h"
#include "units/combat_result.h"
#include "units/combat_support.h"
#include "units/land_unit.h"
#include "units/naval_unit.h"
#include "units/unit_access.h"
#include "world/city.h"
#include "world/country.h"
#include "world/hex_range.h"
#include "world/map.h"

namespace {

// What the attacker of an air strike brings: its strength fraction, level term and supply.
struct sStrikeTerms
{
    float fraction = 0.0f;
    int levelTerm = 0;
    int supply = 30;
};

sStrikeTerms StrikeTermsOf(const cUnit& attacker)
{
    sStrikeTerms t;
    if (const auto* air = dynamic_cast<const cJednostkaLotnicza*>(&attacker)) {
        // Every bomber is measured against the tactical bomber's full strength; a 0 in the data
        // would divide by nothing, and such a bomber brings no strength.
        const sGameConsts* k = UnitConsts();
        const float full = k ? float(k->AirFullStrength[1]) : 0.0f;
        t.fraction = full > 0.0f ? float(air->m_Strength) / full : 0.0f;
        t.levelTerm = air->m_Level - 1;
        t.supply = air->m_Supply;
    } else if (const auto* ship = dynamic_cast<const cJednostkaMorska*>(&attacker)) {
        // No file gives a ship a maximum of 0: its table and row 73 hold it within 1 and 1000.
        t.fraction = ship->m_MaxHP > 0 ? float(ship->m_HP) / float(ship->m_MaxHP) : 0.0f;
        const cPanstwo* owner = ship->GetOwner();
        t.levelTerm = (owner ? owner->TechLevel[TECH_NAVY] : 0) - 1;
    }
    return t;
}

} // namespace

void cJednostkaLadowa::ReceiveAirAttack(sCombatResult* result, cUnit* attacker)
{
    const sGameConsts* k = UnitConsts();
    const sHex* hex = UnitHexAt(m_X, m_Y);
    if (!result || !attacker || !k || !hex)
        return;
    LogLine(L"%s is bombed by %s", m_Name, attacker->m_Name);
    auto* air = dynamic_cast<cJednostkaLotnicza*>(attacker);
    const sStrikeTerms terms = StrikeTermsOf(*attacker);
    result->kind = COMBAT_AIR_STRIKE_LAND;
    result->attackerCountry = attacker->m_Owner;
    result->defenderCountry = m_Owner;

    const float strength = terms.fraction * 100.0f;
    // Navy level 0 gives a carrier the term -1, for which the row has no field: the first serves.
    const float level = float(k->BombardLevelModifier[std::clamp(terms.levelTerm, 0, 4)]);
    const float supply = float(k->BombardSupplyModifier[SupplyIndex(terms.supply)]);
    // The map keeps any terrain byte: a code above 7 would read the city's field or past the row.
    const float terrain = float(k->BombardTerrainModifier[std::clamp(int(hex->terrain), 0, 7)]);
    float fort = float(100 - int(hex->fortification) * k->BombardFortificationFactor);
    if (fort <= 0.0f) {
        // Bad data in a hex must not end a game in its middle: the strike goes on with the fort
        // taking all of its attack, at the least effectiveness.
        LogLine(LangFormat("error:_fort_in_hex_(%i,%i)_is_%i_which_exceeds_max._allowed_value!", m_X, m_Y,
                           int(hex->fortification)));
        fort = 0.0f;
    }
    const float city = hex->city ? float(k->BombardTerrainModifier[8]) : 100.0f;
    // The row holds the three weather states; any other would be read past it.
    const float weather = float(k->BombardWeatherModifier[std::clamp(int(hex->weather), 0, 2)]);
    const float enforcement = 100.0f - float(m_TrenchBonus) * k->EntrenchmentFactor;
    LogLine(L"Modifiers: Strength(%.1f) Level(%.0f) Supply(%.0f) Terrain(%.0f) Weather(%.0f) City(%.0f) Fort(%.0f) "
            L"Enforcement(%.0f)",
            strength, level, supply, terrain, weather, city, fort, enforcement);
    const float effectiveness = std::max(strength * level / 100.0f * supply / 100.0f * terrain / 100.0f *
                                             weather / 100.0f * city / 100.0f * fort / 100.0f * enforcement / 100.0f,
                                         1.0f);
    LogLine(L"Attack effectiveness = %.1f", effectiveness);

    const int attackerDie = RandomInt(1, 6);
    const int defenderDie = RandomInt(1, 6);
    float loss = k->BombardTargetLosses[defenderDie - 1] * effectiveness / 100.0f;
    if (air && air->CommanderDoublesAirStrike())
        loss *= 2.0f;
    BookLosses(attacker->m_Owner, m_Owner, loss);
    LogLine(L"Obronca: D6=%i Straty=%.2f", defenderDie, loss);

    const int penalty = (100 - m_Strength) / 20;
    const int column = std::clamp(m_Level - penalty, 1, 5);
    LogLine(L"Wyznaczenie kolumny. Poziom obroncy(%i)-Kara(%i) = KOLUMNA %i", m_Level, penalty, column);
    int attackerLoss = k->BombardAttackerLosses[attackerDie - 1][column - 1];
    if (air && air->CommanderAvertsAirFightLoss())
        attackerLoss = 0;
    LogLine(L"Atakujacy: D6=%i Straty=%i", attackerDie, attackerLoss);

    if (air) {
        air->AddStrength(-attackerLoss);
        if (air->GetCombatStrength() < 0.1f) {
            result->attackerInfo += LangText("report_unit_killed");
            result->attackerKilled = true;
        }
    } else if (auto* ship = dynamic_cast<cJednostkaMorska*>(attacker)) {
        if (ship->ChangeHitPoints(-float(attackerLoss)) <= 0) {
            result->attackerInfo += LangText("report_unit_killed");
            result->attackerKilled = true;
        }
    }
    result->attackerLoss += float(attackerLoss);
    result->attackerLossText += LangFormat("report_looses_bombardment", float(attackerLoss)) + L"\n";
    BookLosses(m_Owner, attacker->m_Owner, float(attackerLoss));
    const std::wstring attackerText =
        LangFormat("report_bombardment_land_unit_attacker", GetSubtypeText(attacker->m_Type), attacker->m_Name,
                   CountryName(attacker->m_Owner)) +
        LangFormat("report_bombardment_land_unit_attacker_parameters", effectiveness, attackerDie, attackerLoss) +
        L"\n\n";
    result->attackerInfo += attackerText;

    const float full = GetFullStrengthValue();
    // The product of the strike's percentages may pass an int when the rule values are large.
    const int points = full > 0.0f ? TruncateToInt(loss * 100.0f / full) : 0;
    AddStrength(-points);
    const std::wstring name = m_Name;
    const int owner = m_Owner;
    const int x = m_X, y = m_Y;
    std::wstring defenderText =
        LangFormat("report_bombardment_land_unit", GetSubtypeText(m_Type), m_Name, CountryName(m_Owner)) +
        // What is left in the measure of what was lost: combat strength, not strength points.
        LangFormat("report_bombardment_land_unit_parameters", defenderDie, loss, std::max(GetCombatStrength(), 0.0f));
    if (GetCombatStrength() < 0.1f) {
        DestroyInCombat(this);  // nothing below touches the unit
        defenderText += LangText("report_unit_killed");
        result->defenderKilled = true;
        LogLine(L"Defender killed");
    }
    result->defenderInfo += defenderText;
    result->defenderLoss += loss;
    result->defenderLossText += LangFormat("report_looses_bombardment", loss);

    const std::wstring head = FormatText(L"\n%s (%s) bombed %s (%s) on hex (%d, %d)\n\n", attacker->m_Name,
                                         CountryName(attacker->m_Owner), name, CountryName(owner), x, y);
    AddCombatReport(8, attacker->m_Owner, head + attackerText);
    AddCombatReport(8, owner, head + defenderText);
    LogLine(L"Bombowanie skonczone");
    // Removed here, not by the callers: the computer's air strikes never remove a bomber shot
    // down, which would stay on the map without strength.
    if (air && air->GetCombatStrength() < 0.1f)
        DestroyInCombat(air);
}

void cJednostkaLotnicza::NuclearStrike(int x, int y, sCombatResult* result)
{
    const sGameConsts* k = UnitConsts();
    cMapa* map = g_Gra ? g_Gra->m_Mapa : nullptr;
    const sHex* target = UnitHexAt(x, y);
    if (!result || !k || !map || !target)
        return;
    ++g_PlayCounts.airMissions;
    PlayCombatSound(L"NuclearAttack", this);
    result->kind = COMBAT_NUCLEAR_STRIKE;
    result->attackerCountry = m_Owner;
    const int targetController = target->controller;
    result->defenderCountry = targetController;

    std::set<int> countriesHit;
    std::vector<cUnit*> units;
    std::vector<cMiasto*> cities;
    ForEachHexWithin(*map, x, y, k->NuclearRadius, [&](sHex& hex) {
        if (hex.controller == 0)
            return;
        countriesHit.insert(hex.controller);
        if (hex.unit && hex.unit != this)
            units.push_back(hex.unit);
        if (hex.city)
            cities.push_back(hex.city);
    });
    for (size_t i = 0; i < units.size(); ++i) {
        if (i == 0)
            result->defenderInfo += LangText("report_nuclear_affected_units");
        result->defenderInfo += FormatText(L" %s (%s)", units[i]->m_Name, CountryName(units[i]->m_Owner)) + L"\n";
        result->defenderKilled = true;
        DestroyInCombat(units[i]);
    }
    if (!cities.empty())
        result->defenderInfo += LangText("report_nuclear_affected_cities");
    for (cMiasto* city : cities) {
        sCombatResult cityResult;
        city->NuclearStrike(&cityResult);
        result->defenderInfo += cityResult.defenderInfo;
        result->defenderKilled = result->defenderKilled || cityResult.defenderKilled;
        // The city's own strike marks a city that lost production: dropped, the window would
        // show no city hit by the bomb.
        result->cityAffected = result->cityAffected || cityResult.cityAffected;
    }

    result->defenderInfo += LangFormat("report_nuclear_social_unrest_results_direct", k->NuclearStrike[1], k->NuclearStrike[2]);
    for (int id : countriesHit)
        if (cPanstwo* country = GetCountry(id)) {
            country->ChangeSocialUnrest(float(k->NuclearStrike[1]));
            result->defenderInfo += FormatText(L" %s\n", country->Name);
        }
    const cPanstwo* controller = GetCountry(targetController);
    result->defenderInfo += LangText("report_nuclear_social_unrest_results_allies");
    for (cPanstwo* country : g_Gra->m_Countries) {
        if (!controller || !country || countriesHit.count(country->ID) || !controller->IsAlliedWith(country->ID))
            continue;
        country->ChangeSocialUnrest(float(k->NuclearStrike[2]));
        result->defenderInfo += FormatText(L" %s\n", country->Name);
    }
    // A count of bombs below none would be carried into the saves.
    if (cPanstwo* owner = GetOwner())
        owner->NuclearBombs = std::max(owner->NuclearBombs - 1, 0);
}
