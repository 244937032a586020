// The factors of a land attack and its odds column.
#include "units/land_attack.h"

#include <algorithm>

#include "core/random.h"
#include "game/commanders.h"
#include "game/consts.h"
#include "units/land_unit.h"
#include "units/unit_access.h"
#include "world/country.h"
#include "world/map.h"

namespace {

// The defence of a hex that nobody defends, kept above zero so the ratio stays finite: a
// defence of nothing is overrun. Taken as the worst column instead, as a zero denominator
// would be by the odds rule, a defender of no strength would be the hardest to attack.
constexpr float kLeastDefence = 0.001f;

bool IsArmour(const cUnit* unit)
{
    return unit && (unit->m_Type == UNIT_ARMOURED || unit->m_Type == UNIT_ARMOURED_CORPS);
}

float EffectiveStrengthOf(const cUnit* unit)
{
    const auto* u = dynamic_cast<const cJednostka*>(unit);
    return u ? u->GetEffectiveStrength() : 0.0f;
}

} // namespace

float BattleWeatherFactor(int x, int y, int countryId)
{
    const sHex* hex = UnitHexAt(x, y);
    const cPanstwo* country = UnitCountry(countryId);
    const sGameConsts* k = UnitConsts();
    if (!hex || !country || !k)
        return 1.0f;
    if (hex->weather == WEATHER_WINTER)
        return 1.0f - (country->WinterBattle / 100.0f) * (k->WinterBattleFactor / 100.0f);
    if (hex->weather == WEATHER_MUD)
        return 1.0f - (country->MudBattle / 100.0f) * (k->MudBattleFactor / 100.0f);
    return 1.0f;
}

void sLandAttack::SetAttacker(int slot, cUnit* unit)
{
    if (slot >= 0 && slot < kAttackSlots)
        attackers[slot] = unit;
}

void sLandAttack::ClearAttacker(int slot)
{
    SetAttacker(slot, nullptr);
}

bool sLandAttack::HasAttacker(const cUnit* unit) const
{
    return unit && std::find(std::begin(attackers), std::end(attackers), unit) != std::end(attackers);
}

int sLandAttack::CountAttackers() const
{
    return int(std::count_if(std::begin(attackers), std::end(attackers), [](const cUnit* u) { return u != nullptr; }));
}

cPanstwo* sLandAttack::GetFirstAttackerOwner() const
{
    for (const cUnit* u : attackers)
        if (u)
            return u->GetOwner();
    return nullptr;
}

bool sLandAttack::IsDefenderLand() const
{
    return defender && defender->m_Category == CATEGORY_LAND;
}

float sLandAttack::GetAttackStrength() const
{
    const sGameConsts* k = UnitConsts();
    const sHex* target = UnitHexAt(x, y);
    float sum = 0.0f;
    for (int slot = 0; slot < kAttackSlots; ++slot) {
        if (!attackers[slot])
            continue;
        float strength = EffectiveStrengthOf(attackers[slot]);
        if (k && target && target->HasRiver(slot))
            strength *= k->LandAttackFactors[11];
        sum += strength;
    }
    return sum;
}

float sLandAttack::GetAttackersCombatStrength() const
{
    float sum = 0.0f;
    for (const cUnit* u : attackers)
        if (const auto* unit = dynamic_cast<const cJednostka*>(u))
            sum += unit->GetCombatStrength();
    return sum;
}

float sLandAttack::GetDefenceStrength() const
{
    if (IsDefenderLand())
        return EffectiveStrengthOf(defender);
    const sGameConsts* k = UnitConsts();
    return k ? k->NonLandDefenceStrength : 0.0f;
}

float sLandAttack::GetDirectionsFactor() const
{
    const int n = CountAttackers();
    const sGameConsts* k = UnitConsts();
    if (n == 0 || !k)
        return 1.0f;
    return k->LandAttackFactors[1 + n];
}

float sLandAttack::GetArmourFactor() const
{
    const sGameConsts* k = UnitConsts();
    if (!k || !defender)
        return 1.0f;
    if (IsArmour(defender)) {
        const bool armourAttacks = std::any_of(std::begin(attackers), std::end(attackers), IsArmour);
        return armourAttacks ? 1.0f : k->LandAttackFactors[0];
    }
    return IsDefenderLand() ? 1.0f : k->LandAttackFactors[1];
}

float sLandAttack::GetAttackersWeatherFactor() const
{
    float sum = 0.0f;
    int n = 0;
    for (const cUnit* u : attackers) {
        if (!u)
            continue;
        ++n;
        sum += u->IsOnMap() ? BattleWeatherFactor(u->m_X, u->m_Y, u->m_Owner) : 1.0f;
    }
    return n == 0 ? 1.0f : sum / float(n);
}

float sLandAttack::GetFortificationFactor() const
{
    const sGameConsts* k = UnitConsts();
    const sHex* target = UnitHexAt(x, y);
    if (!IsDefenderLand() || !k || !target)
        return 1.0f;
    return 1.0f - float(target->fortification) * k->LandAttackFactors[12] / 100.0f;
}

float sLandAttack::GetAttackFactor() const
{
    return GetDirectionsFactor() * GetArmourFactor() * GetAttackersWeatherFactor() * GetFortificationFactor();
}

float sLandAttack::GetTerrainFactor() const
{
    const sGameConsts* k = UnitConsts();
    const sHex* target = UnitHexAt(x, y);
    if (!k || !target || target->terrain < 1 || target->terrain > 7)
        return 1.0f;
    return k->LandDefenceFactors[target->terrain];
}

float sLandAttack::GetCityFactor() const
{
    const sGameConsts* k = UnitConsts();
    const sHex* target = UnitHexAt(x, y);
    return k && target && target->city ? k->LandDefenceFactors[8] : 1.0f;
}

float sLandAttack::GetDefenderWeatherFactor() const
{
    return defender ? BattleWeatherFactor(x, y, defender->m_Owner) : 1.0f;
}

float sLandAttack::GetEntrenchmentFactor() const
{
    const auto* land = dynamic_cast<const cJednostkaLadowa*>(defender);
    const sGameConsts* k = UnitConsts();
    if (!IsDefenderLand() || !land || !k)
        return 1.0f;
    return 1.0f + float(land->m_TrenchBonus) * k->EntrenchmentFactor / 100.0f;
}

float sLandAttack::GetDefenceFactor() const
{
    return GetTerrainFactor() * GetCityFactor() * GetDefenderWeatherFactor() * GetEntrenchmentFactor();
}

float sLandAttack::GetOddsRatio() const
{
    const float attack = GetAttackFactor() * GetAttackStrength();
    float defence = GetDefenceFactor() * GetDefenceStrength();
    if (defence == 0.0f)
        defence = kLeastDefence;
    return attack / defence;
}

int sLandAttack::GetOddsColumn() const
{
    const float ratio = GetOddsRatio();
    if (!(ratio >= 1.0f))
        return 1;
    return ratio >= float(kMaxOddsColumn) ? kMaxOddsColumn : int(ratio);
}

void sLandAttack::AwardCommanderExperience()
{
    const sGameConsts* k = UnitConsts();
    if (!k)
        return;
    auto roll = [k](const cUnit* unit, int chance) {
        if (!unit)
            return;
        sDowodca* commander = unit->m_Commander ? unit->m_Commander : unit->GetCommandingCommander();
        if (commander && commander->Experience < k->CommanderExperience[0] && RandomInt(1, 100) <= chance)
            ++commander->Experience;
    };
    for (const cUnit* u : attackers)
        roll(u, k->CommanderExperience[3]);
    roll(defender, k->CommanderExperience[2]);
}
