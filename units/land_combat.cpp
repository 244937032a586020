// The resolution of a land attack: two dice and the loss tables by odds column, overrun,
// the defender's retreat or surrender, the attackers' losses shared out, reports and log.
#include <algorithm>
#include <cstdlib>

#include "core/log.h"
#include "core/random.h"
#include "core/stringbase.h"
#include "core/text.h"
#include "game/consts.h"
#include "game/game.h"
#include "game/play_counts.h"
#include "game/play_state.h"
#include "units/combat_result.h"
#include "units/combat_support.h"
#include "units/land_attack.h"
#include "units/land_unit.h"
#include "units/unit_access.h"
#include "world/country.h"
#include "world/hex_geometry.h"
#include "world/map.h"
#include "world/relations.h"

namespace {

// A ratio of this or more destroys the defender outright.
constexpr float kOverrunRatio = 8.0f;
// A defender that is not a land unit counts as this much combat strength.
constexpr float kNonLandDefenderValue = 0.25f;
// Only a defender of this many strength points or fewer may retreat.
constexpr int kMostStrengthToRetreat = 50;

// A computer country that plays at the hardest difficulty.
bool IsHardComputer(const cPanstwo* country)
{
    return country && !country->HumanControlled && country->DifficultyLevel <= 0;
}

// Points of the direction score: attackers opposite the retreat count most.
int DirectionScore(int slot, int direction)
{
    switch (std::abs(slot - direction)) {
    case 3: return 100;
    case 2:
    case 4: return 10;
    case 1:
    case 5: return 1;
    default: return 0;
    }
}

} // namespace

bool sLandAttack::Resolve(sCombatResult* result)
{
    const sGameConsts* k = UnitConsts();
    if (!defender || !result || !k)
        return false;
    PlayCombatSound(L"LandCombat", defender);
    AwardCommanderExperience();
    result->kind = COMBAT_LAND_BATTLE;
    result->defenderCountry = defender->m_Owner;

    int attackingCountry = 0;
    bool armour = false;
    std::wstring attackerList;
    for (cUnit* u : attackers) {
        auto* unit = dynamic_cast<cJednostka*>(u);
        if (!unit)
            continue;
        const cPanstwo* owner = unit->GetOwner();
        const int doctrine = owner ? owner->TechLevel[TECH_DOCTRINE] : 0;
        unit->AddActionPoints(-k->AttackActionPoints[DoctrineIndex(doctrine)]);
        if (unit->m_ActionPoints < 0)
            unit->SetActionPoints(0);
        attackingCountry = unit->m_Owner;
        armour = armour || unit->m_Type == UNIT_ARMOURED || unit->m_Type == UNIT_ARMOURED_CORPS;
        if (!attackerList.empty())
            attackerList += L", ";
        attackerList += FormatText(L"%s [%.2f]", unit->m_Name, unit->GetCombatStrength());
    }
    if (attackingCountry == 0)
        return false;
    ++g_PlayCounts.landCombats;
    result->attackerCountry = attackingCountry;
    const int attackerCount = CountAttackers();
    LogLine(L"%s is attacked. Directions=%i, Armor present in attack=%i", defender->m_Name, attackerCount, int(armour));

    const float attackStrength = GetAttackStrength();
    const float armourFactor = GetArmourFactor(), directions = GetDirectionsFactor();
    const float attackWeather = GetAttackersWeatherFactor(), fortification = GetFortificationFactor();
    const float terrain = GetTerrainFactor(), cityFactor = GetCityFactor();
    const float defenceWeather = GetDefenderWeatherFactor(), entrenchment = GetEntrenchmentFactor();

    const auto* defenderUnit = dynamic_cast<const cJednostka*>(defender);
    const float defenderCombat = defenderUnit ? defenderUnit->GetCombatStrength() : 0.0f;
    const std::wstring defenderName = defender->m_Name;
    const int defenderOwner = defender->m_Owner;
    const std::wstring attackInfo = LangFormat("combatresult_land_battle_att_info", directions * 100.0f,
                                               armourFactor * 100.0f, attackWeather * 100.0f, fortification * 100.0f);
    const std::wstring defenceInfo = LangFormat("combatresult_land_battle_def_info", terrain * 100.0f, cityFactor * 100.0f,
                                                defenceWeather * 100.0f, entrenchment * 100.0f);
    const std::wstring columnLine = FormatText(L"\nColumn: %i\n", GetOddsColumn());
    result->attackerInfo += attackInfo + L"\n" + columnLine;
    result->defenderInfo += defenceInfo + L"\n";
    std::wstring attackerReport = FormatText(L"Attacked unit %s (%s) [%.2f] on hex (%d, %d) with unit(s) %s\n\n",
                                             defenderName, CountryName(defenderOwner), defenderCombat, x, y, attackerList);
    const cPanstwo* firstOwner = GetFirstAttackerOwner();
    std::wstring defenderReport =
        FormatText(L"%s [%.2f] was attacked at hex (%i, %i) by unit(s) %s (%s)\n\n", defenderName, defenderCombat, x, y,
                   attackerList, firstOwner ? firstOwner->Name : std::wstring());
    attackerReport += attackInfo + L"\n" + columnLine;
    defenderReport += defenceInfo + L"\n" + columnLine;

    const float attackTotal = armourFactor * attackStrength * directions * attackWeather * fortification;
    const float defenceStrength = GetDefenceStrength();
    result->attackerInfo += FormatText(L"\nEff. strength: %.2f\n", attackStrength);
    result->defenderInfo += FormatText(L"\nEff. strength: %.2f\n", defenceStrength);
    const std::wstring strengths = FormatText(L"\nAttacker eff. strength: %.2f\nDefender eff. strength: %.2f\n",
                                              attackStrength, defenceStrength);
    attackerReport += strengths;
    defenderReport += strengths;
    float defenceTotal = defenceStrength * terrain * cityFactor * defenceWeather * entrenchment;
    if (defenceTotal == 0.0f)
        defenceTotal = 0.001f;

    // The random-number rules log every combat die; the resolution's own steps leave it out.
    int dieA = RandomInt(1, 6);
    LogLine(L"D6=%i", dieA);
    int dieB = RandomInt(1, 6);
    LogLine(L"D6=%i", dieB);
    if (RandomFraction() > 0.1f) {
        const cPanstwo* attacker = GetCountry(attackingCountry);
        const cPanstwo* defenderCountry = GetCountry(defenderOwner);
        if (IsHardComputer(attacker) && !IsHardComputer(defenderCountry))
            dieA = std::min(dieA + 1, 6);
        if (IsHardComputer(defenderCountry) && !IsHardComputer(attacker))
            dieB = std::min(dieB + 1, 6);
    }

    const float ratio = attackTotal / defenceTotal;
    bool weaker = false;
    int column = ratio >= float(kMaxOddsColumn + 1) ? kMaxOddsColumn + 1 : int(ratio);
    if (column <= 0) {
        column = 1;
        weaker = true;
    }
    if (ratio >= kOverrunRatio) {
        LogLine(L"Defender destroyed by overrun!");
        result->defenderLoss += defenderCombat;
        result->defenderKilled = true;
        const std::wstring overrun = FormatText(L"\nDefender destroyed by overrun (%.2f:1)!\n", ratio);
        result->defenderInfo += overrun;
        attackerReport += overrun;
        defenderReport += overrun;
        DestroyInCombat(defender);
        defender = nullptr;
    } else {
        column = std::min(column, kMaxOddsColumn);
        const int percent = k->LandDefenderLosses[dieA - 1][column - 1];
        const float defenderEfficiency = defenderUnit ? float(std::min(defenderUnit->m_Efficiency, 100)) : 100.0f;
        const float factor = k->LandAttackerLossFactor[dieB - 1][column - 1] * defenderEfficiency / 100.0f;
        if (!IsDefenderLand()) {
            LogLine(LangText("air_unit_defense_check"));
            float loss = 0.0f;
            if (weaker) {
                LogLine(LangText("attack_was_weaker_than_1:1!_no_effect!"));
            } else {
                loss = float(percent) * kNonLandDefenderValue / 100.0f;
                // 0.25 - loss < 0.1 as the exact figures have it: (100 - P) x 0.25 < 10 holds no
                // rounding, where the float difference would kill the unit at P = 60.
                if (float(100 - percent) * kNonLandDefenderValue < 10.0f) {
                    result->defenderKilled = true;
                    DestroyInCombat(defender);
                    defender = nullptr;
                }
            }
            result->defenderLoss += loss;
            result->defenderLossText += LangFormat("report_looses_land_combat", loss) + L"\n";
        } else {
            auto* land = static_cast<cJednostkaLadowa*>(defender);
            const int points =
                std::min(TruncateToInt(float(land->GetStrength()) * float(percent) / 100.0f), land->GetStrength());
            const float value = land->GetFullStrengthValue() * float(points) / 100.0f;
            const float before = land->GetCombatStrength();
            if (weaker) {
                LogLine(LangText("attack_was_weaker_than_1:1,_losses_will_be_calculated_for_defender_but_won't_be_inflicted!"));
            } else {
                BookLosses(attackingCountry, defenderOwner, value);
                if (land->m_Type == UNIT_MULBERRY)
                    land->m_Strength -= points;  // a harbour's strength setters keep it whole
                else
                    land->AddStrength(-points);
            }
            const float lost = before - land->GetCombatStrength();
            result->defenderLoss += lost;
            result->defenderLossText += FormatText(L"Land combat: %.1f\n", lost);
            const std::wstring lossLine = FormatText(L"%s losses %.2f strength\n", defenderName, lost);
            attackerReport += lossLine;
            defenderReport += lossLine;
            if (land->GetCombatStrength() < 0.1f) {
                LogLine(LangText("defender_destroyed!"));
                result->defenderKilled = true;
                DestroyInCombat(land);
                defender = nullptr;
                attackerReport += L"\nDefender destroyed!\n";
                defenderReport += L"\nDefender destroyed!\n";
            } else if (!weaker) {
                const sHex* hex = UnitHexAt(x, y);
                if (hex && !hex->city && hex->fortification == 0 && land->GetStrength() <= kMostStrengthToRetreat &&
                    land->m_Type != UNIT_MULBERRY) {
                    const float base = float(std::max(1, k->RetreatBaseChance - land->GetStrength()));
                    const float byColumn = k->RetreatOddsModifier[column - 1];
                    // The map keeps any terrain byte, the row only codes 0 to 7: a code above would read
                    // past the row, so it takes the last multiplier, as it takes the last movement cost.
                    const float byTerrain = k->RetreatTerrainModifier[std::clamp(int(hex->terrain), 0, 7)];
                    // Held at an int's ends: three rule values multiply here, and a float past an
                    // int's range cut to an int is undefined.
                    const int chance = TruncateToInt(base * byColumn * byTerrain);
                    LogLine(L"Retreat chance: Base=%.2f%% Modifiers: Column=%.2f Terrain=%.2f. CHANCE=%i%%", base, byColumn,
                            byTerrain, chance);
                    if (RandomInt(1, 100) < chance)
                        RetreatOrSurrender(result, attackerReport, defenderReport);
                    else
                        LogLine(LangText("retreat_check_failed._defender_stands_fast."));
                }
            }
            ShareAttackerLosses(result, factor * value, attackingCountry, attackerReport, defenderReport);
        }
    }

    if (attackerCount >= 2) {
        if (auto* d = dynamic_cast<cJednostka*>(defender))
            d->m_WasAttacked = true;
        for (cUnit* u : attackers)
            if (auto* a = dynamic_cast<cJednostka*>(u))
                a->m_Attacked = true;
    }
    LogLine(L"===BATTLE END===");
    if (g_Gra && g_Gra->m_PlayState)
        g_Gra->m_PlayState->GetUndo().Clear();
    LogLine(L"===UNDO WYCZYSZCZONE===");
    AddCombatReport(0, attackingCountry, attackerReport);
    AddCombatReport(1, defenderOwner, defenderReport);
    LogLine(L"===REPORTS ADDED===");
    return true;
}

void sLandAttack::RetreatOrSurrender(sCombatResult* result, std::wstring& attackerReport, std::wstring& defenderReport)
{
    auto* land = static_cast<cJednostkaLadowa*>(defender);
    cMapa* map = g_Gra ? g_Gra->m_Mapa : nullptr;
    if (!map || !land->HasRetreatHex()) {
        LogLine(LangFormat("retreat_check_passed,_but_retreat_impossible._%s_surrenders!", land->m_Name));
        result->defenderSurrendered = true;
        DestroyInCombat(land);
        defender = nullptr;
        return;
    }
    const std::wstring retreats = FormatText(L"\n%s retreats!\n", land->m_Name);
    LogLine(retreats);
    attackerReport += retreats;
    defenderReport += retreats;
    result->defenderInfo += retreats;
    result->defenderRetreated = true;

    int best = 0, chosen = -1, firstFree = -1;
    for (int d = 0; d < 6; ++d) {
        if (!land->IsRetreatHex(d))
            continue;
        if (firstFree < 0)
            firstFree = d;
        int score = 0;
        for (int slot = 0; slot < kAttackSlots; ++slot)
            if (attackers[slot] && slot != d && map->HasNeighbour(x, y, slot))
                score += DirectionScore(slot, d);
        LogLine(L"Retreat direction %i: score %i", d, score);
        if (score > best || (score == best && RandomInt(1, 2) == 1)) {
            best = score;
            chosen = d;
        }
    }
    // When every coin fell the other way the unit still takes a free hex: without a direction
    // it would move to no hex at all.
    if (chosen < 0)
        chosen = firstFree;

    std::pair<int, int> to;
    GetNeighbourCoords(x, y, chosen, to);
    sHex* from = map->GetHex(x, y);
    sHex* into = map->GetHex(to.first, to.second);
    if (from->unit == land)
        from->unit = nullptr;
    into->unit = land;
    land->m_X = to.first;
    land->m_Y = to.second;
    const int owner = land->m_Owner;
    if (CountriesAtWar(into->controller, owner)) {
        // Taken as any captured hex is: the map's rule sends the fleets out of a port that changes hands.
        const bool backToOwner =
            into->owner != into->controller && into->owner != owner && into->owner != 0 && IsCountryOrAlly(into->owner, owner);
        TakeHexInCombat(to.first, to.second, backToOwner ? into->owner : owner);
    }
}

void sLandAttack::ShareAttackerLosses(sCombatResult* result, float total, int attackingCountry,
                                      std::wstring& attackerReport, std::wstring& defenderReport)
{
    const float shared = GetAttackersCombatStrength();
    const int defenderOwner = result->defenderCountry;
    for (int slot = 0; slot < kAttackSlots; ++slot) {
        auto* unit = dynamic_cast<cJednostkaLadowa*>(attackers[slot]);
        if (!unit)
            continue;
        const float share = shared > 0.0f ? unit->GetCombatStrength() / shared * total : 0.0f;
        const float full = unit->GetFullStrengthValue();
        const int points = full > 0.0f ? std::max(TruncateToInt(share * 100.0f / full), 0) : 0;
        BookLosses(defenderOwner, attackingCountry, share);
        const std::wstring line = FormatText(L"%s losses %.2f strength", unit->m_Name, share);
        LogLine(line);
        attackerReport += line + L"\n";
        defenderReport += line + L"\n";
        unit->AddStrength(-points);
        if (unit->GetCombatStrength() < 0.1f) {
            const std::wstring destroyed = FormatText(L"%s destroyed!\n", unit->m_Name);
            attackerReport += destroyed;
            defenderReport += destroyed;
            LogLine(LangText("attacker_destroyed!"));
            result->attackerKilled = true;
            DestroyInCombat(unit);
            attackers[slot] = nullptr;
        }
    }
    result->attackerLoss += total;
    result->attackerLossText += FormatText(L"Land combat: %.1f\n", total);
}
