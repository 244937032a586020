// The drop of an airborne unit behind the enemy's lines.
#include <algorithm>

#include "core/log.h"
#include "core/random.h"
#include "core/stringbase.h"
#include "game/consts.h"
#include "game/game.h"
#include "units/combat_support.h"
#include "units/land_unit.h"
#include "units/unit_access.h"
#include "world/country.h"
#include "world/hex_range.h"
#include "world/map.h"
#include "world/relations.h"

namespace {

// The drop radius: the base by the owner's aircraft technology.
int DropRadius(const cJednostkaLadowa& unit)
{
    const sGameConsts* k = UnitConsts();
    const cPanstwo* owner = unit.GetOwner();
    if (!k)
        return 0;
    // Units of a file or an event always belong to a country: the load refuses any other owner.
    const int tech = owner ? owner->TechLevel[TECH_AIRCRAFT] : 1;
    // Aircraft level 0 flies as level 1: the table has no factor for it, and the value just
    // before the table (the shore bombardment's last, 1.2) would drop farther than level 1.
    return RangeInHexes(k->AirRanges[4], k->RangeTechFactor[TableLevelIndex(tech)]);
}

// The enemy's air activity modifier and what the report says of the air superiority.
int AirActivityModifier(float ratio, const char*& key)
{
    if (ratio < 1.0f / 3.0f) {
        key = "enemy_has_total_air_superiority_over_target_hex";
        return 2;
    }
    if (ratio < 0.5f) {
        key = "enemy_has_an_air_superiority_over_target_hex";
        return 1;
    }
    if (ratio < 2.0f) {
        key = "neither_side_has_an_air_superiority_over_target_hex";
        return 0;
    }
    if (ratio < 3.0f) {
        key = "you_have_an_air_superiority_over_target_hex";
        return -1;
    }
    key = "you_have_total_air_superiority_over_target_hex";
    return -2;
}

const char* ActivityWord(int activity)
{
    static const char* const words[6] = {"none", "very_low", "low", "medium", "high", "very_high"};
    return words[std::clamp(activity, 1, 6) - 1];
}

const char* LossWord(int loss)
{
    if (loss == 0)
        return "none";
    if (loss < 33)
        return "light";
    if (loss < 66)
        return "medium";
    return "high";
}

} // namespace

int cJednostkaLadowa::MarkAirborneAssaultRange()
{
    cMapa* map = g_Gra ? g_Gra->m_Mapa : nullptr;
    if (!map || !IsOnMap())
        return 0;
    int count = 0;
    ForEachHexWithin(*map, m_X, m_Y, DropRadius(*this), [&](sHex& hex) {
        if (!hex.CanSupplyThrough(m_Owner))
            return;
        ++count;
        hex.SetMark(m_ActionPoints <= 1 ? MARK_MOVE_NONE_LEFT : MARK_MOVE_ATTACK_LEFT, -1);
    });
    return count;
}

bool cJednostkaLadowa::AirborneAssault(int x, int y, std::wstring& text, int& landed)
{
    sHex* target = UnitHexAt(x, y);
    const sGameConsts* k = UnitConsts();
    const cPanstwo* owner = GetOwner();
    // Only a hex the drop may reach, with no unit of its side or seen there: the unit stays
    // where it is otherwise.
    const cUnit* occupant = target ? target->unit : nullptr;
    if (!target || !k || !owner || !IsOnMap() || !target->CanSupplyThrough(m_Owner) ||
        (occupant && (occupant->m_Spotted || IsCountryOrAlly(occupant->m_Owner, m_Owner)))) {
        LogLine(L"Airborne assault of %s onto hex (%i, %i) refused", m_Name, x, y);
        return false;
    }
    PlayCombatSound(L"Paradrop", this);
    // A unit the owner has not seen stands on the hex, which was offered as free. The drop is
    // flown and called off over it: the unit is seen and the drop spent. Refused unflown, it
    // would tell the player for nothing what the enemy hides there.
    if (cUnit* found = target->unit) {
        LogLine(L"Airborne assault of %s onto hex (%i, %i) called off: %s is there", m_Name, x, y, found->m_Name);
        NoteDiscovered(m_Owner, found);
        AddActionPoints(-1);
        text = LangFormat("airborne_assault_called_off_%s_%s", found->m_Name, CountryName(found->m_Owner));
        return true;
    }
    const float ratio = owner->GetAirSuperiorityRatio(x, y);
    auto land = [&]() {
        FreeOwnHex(false);
        target->unit = this;
        m_X = x;
        m_Y = y;
        if (CountriesAtWar(target->controller, m_Owner))
            TakeHexInCombat(x, y, m_Owner);
        AddActionPoints(-1);
    };
    if (ratio == -1.0f) {
        text = LangText("enemy_has_no_air_forces_over_this_hexlanding_was_successful");
        land();
        RevealNearbyEnemies(false);
        return true;
    }
    const char* superiority = nullptr;
    const int modifier = AirActivityModifier(ratio, superiority);
    const int activity = std::clamp(RandomInt(1, 6) + modifier, 1, 6);
    const int loss = k->AirborneDropLosses[activity - 1];
    text = LangText(superiority) + L"\n" + LangText("enemy_air_activity:_") + L" " + LangText(ActivityWord(activity)) +
           L"\n" + LangText("paratroops_losses:_") + L" " + LangText(LossWord(loss)) + L"\n";
    m_Strength = std::max(m_Strength - loss, 0);
    if (GetCombatStrength() < 0.1f) {
        text += LangText("airborne_unit_eliminated");
        landed = 0;
        DestroyInCombat(this);
        return true;
    }
    landed = 1;
    text += LangText("troops_have_landed");
    land();
    RevealNearbyEnemies(false);
    return true;
}
