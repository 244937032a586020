#include "units/unit.h"

#include <algorithm>
#include <cmath>

#include "core/csv.h"
#include "core/settings.h"
#include "core/stringbase.h"
#include "core/text.h"
#include "game/commanders.h"
#include "game/consts.h"
#include "game/game.h"
#include "game/play_state.h"
#include "units/land_unit.h"
#include "units/air_unit.h"
#include "units/naval_unit.h"
#include "units/unit_access.h"
#include "world/city.h"
#include "world/country.h"
#include "world/fleet.h"
#include "world/hex_geometry.h"
#include "world/hex_range.h"
#include "world/map.h"

int CategoryOfType(int type)
{
    if (IsLandType(type) || type == UNIT_MULBERRY)
        return CATEGORY_LAND;
    if (IsAirType(type))
        return CATEGORY_AIR;
    if (IsNavalType(type))
        return CATEGORY_NAVAL;
    return -1;
}

bool IsLandType(int type) { return type >= UNIT_INFANTRY && type <= UNIT_AIRBORNE; }
bool IsAirType(int type) { return type >= UNIT_FIGHTER && type <= UNIT_STRATEGIC_BOMBER; }
bool IsNavalType(int type) { return type >= UNIT_CARRIER && type <= UNIT_AMPHIBIOUS; }

namespace {

// The subtype key of a land arm at a symbol size of 1 to 6.
const char* LandSubtypeKey(int arm, int size)
{
    static const char* const keys[4][6] = {
        {"unit_subtype_infantry_size_1",
         "unit_subtype_infantry_size_2",
         "unit_subtype_infantry_size_3",
         "unit_subtype_infantry_size_4",
         "unit_subtype_infantry_size_5",
         "unit_subtype_infantry_size_6"},
        {"unit_subtype_mechanized_size_1",
         "unit_subtype_mechanized_size_2",
         "unit_subtype_mechanized_size_3",
         "unit_subtype_mechanized_size_4",
         "unit_subtype_mechanized_size_5",
         "unit_subtype_mechanized_size_6"},
        {"unit_subtype_armoured_size_1",
         "unit_subtype_armoured_size_2",
         "unit_subtype_armoured_size_3",
         "unit_subtype_armoured_size_4",
         "unit_subtype_armoured_size_5",
         "unit_subtype_armoured_size_6"},
        {"unit_subtype_airborne_size_1",
         "unit_subtype_airborne_size_2",
         "unit_subtype_airborne_size_3",
         "unit_subtype_airborne_size_4",
         "unit_subtype_airborne_size_5",
         "unit_subtype_airborne_size_6"},
    };
    // A size number the symbols do not have names the nearest size: a unit is never nameless.
    return keys[arm][std::clamp(size, 1, 6) - 1];
}

} // namespace

std::wstring cUnit::GetSubtypeText(int type)
{
    // Divisions (even types and airborne) take the small symbol size, corps the large one.
    int size = 1;
    if (g_Gra)
        size += (type % 2 == 1) ? g_Gra->m_LargeUnitsSize : g_Gra->m_SmallUnitsSize;
    switch (type) {
    case UNIT_INFANTRY:
    case UNIT_INFANTRY_CORPS: return LangText(LandSubtypeKey(0, size));
    case UNIT_MECHANIZED:
    case UNIT_MECHANIZED_CORPS: return LangText(LandSubtypeKey(1, size));
    case UNIT_ARMOURED:
    case UNIT_ARMOURED_CORPS: return LangText(LandSubtypeKey(2, size));
    case UNIT_AIRBORNE: return LangText(LandSubtypeKey(3, size));
    case UNIT_FIGHTER: return LangText("unit_subtype_air_fighter");
    case UNIT_TACTICAL_BOMBER: return LangText("unit_subtype_tactical_bomber");
    case UNIT_STRATEGIC_BOMBER: return LangText("unit_subtype_strategic_bomber");
    case UNIT_CARRIER: return LangText("unit_subtype_aircraft_carrier");
    case UNIT_BATTLESHIP: return LangText("unit_subtype_battleship");
    case UNIT_CRUISER: return LangText("unit_subtype_cruiser");
    case UNIT_SUBMARINE: return LangText("unit_subtype_submarine");
    case UNIT_CARGO: return LangText("unit_subtype_cargo");
    case UNIT_AMPHIBIOUS: return LangText("unit_subtype_amphibious");
    default: return LangText("unit_subtype_unknown");
    }
}

bool cUnit::TryIntercept(cUnit*, sCombatResult*)
{
    return false;
}

void cUnit::SetType(int type)
{
    m_Type = type;
    int category = CategoryOfType(type);
    if (category >= 0)
        m_Category = category;
}

void cUnit::SetName(std::wstring_view name)
{
    m_Name = CsvFieldText(name.substr(0, kUnitNameMax));
}

void cUnit::SetName2(std::wstring_view name)
{
    m_Name2 = CsvFieldText(name.substr(0, kUnitNameMax));
}

cPanstwo* cUnit::GetOwner() const
{
    return UnitCountry(m_Owner);
}

sDowodca* cUnit::GetCommandingCommander() const
{
    if (m_CommandingCommanderId < 0 || !g_Gra)
        return nullptr;
    for (sDowodca* c : g_Gra->m_Commanders)
        if (c && c->ID == m_CommandingCommanderId)
            return c;
    return nullptr;
}

void cUnit::SetCommandingCommander(const sDowodca* commander)
{
    m_CommandingCommanderId = commander ? commander->ID : -1;
}

float CommanderBonusAt(const sDowodca& commander, int distance)
{
    const sGameConsts* k = UnitConsts();
    if (!k)
        return distance == 0 ? 1.0f : 0.0f;
    float skill = float(k->CommanderSkillWeight) * float(commander.Skill) / 100.0f;
    float experience = float(k->CommanderExperience[1]) * float(commander.Experience) / 100.0f;
    // Both weights are percentages, so their sum is the commander's value in percent:
    // skill 4 and experience 40 under weights 60 and 40 make 18.4, a bonus of 0.184. Taken
    // as the bonus itself, that sum would multiply his unit's efficiency by 19.4.
    float b = (skill + experience) / 100.0f;
    if (distance == 0)
        return b + 1.0f;
    if (distance > k->CommanderRadius[0])
        return b;
    return float(k->CommanderRadius[1]) * 0.01f / float(distance) * b;
}

const cUnit* FindUnitOfCommander(const sDowodca* commander)
{
    if (!commander || !g_Gra)
        return nullptr;
    // A commander may lead a unit off the map too: one waiting in the reserve or aboard a ship.
    const cUnit* found = nullptr;
    auto led = [&](const cUnit& u) {
        if (!found && u.m_Commander == commander)
            found = &u;
    };
    g_Gra->ForEachUnitOf(CATEGORY_LAND, led);
    g_Gra->ForEachUnitOf(CATEGORY_AIR, led);
    for (const cJednostkaMorska* u : g_Gra->m_NavalUnits)
        led(*u);
    for (const cJednostkaMorska* u : g_Gra->m_NavalReserve)
        led(*u);
    return found;
}

namespace {

// Hex distance from a unit to the unit at which a commander stands; -1 when he stands
// at none or either is off the map.
int DistanceToCommander(const cUnit& unit, const sDowodca* commander)
{
    const cUnit* at = FindUnitOfCommander(commander);
    if (!at || !unit.IsOnMap() || !at->IsOnMap())
        return -1;
    return HexDistance(unit.m_X, unit.m_Y, at->m_X, at->m_Y);
}

} // namespace

// The bonus of the commanding commander at this unit, in whole percent: truncated as a bare
// fraction (0.15) it would always be 0, and the efficiency and its hint both read percent.
int cUnit::GetCommanderBonus() const
{
    const sDowodca* c = GetCommandingCommander();
    int d = DistanceToCommander(*this, c);
    if (d < 0)
        return 0;
    return TruncateToInt(CommanderBonusAt(*c, d) * 100.0f);
}

int cUnit::GetHexRegion() const
{
    const cMiasto* home = g_Gra && g_Gra->m_PlayState ? g_Gra->m_PlayState->NearestCity(m_X, m_Y) : nullptr;
    return home ? home->GraphIndex : -1;
}

int cUnit::GetCommanderDistance() const
{
    const sDowodca* c = m_Commander ? m_Commander : GetCommandingCommander();
    int d = DistanceToCommander(*this, c);
    return d < 0 ? 100 : d;
}

float cUnit::GetCommanderRangeFactor() const
{
    if (m_Commander || m_CommandingCommanderId < 1)
        return 1.0f;
    const sGameConsts* k = UnitConsts();
    int d = GetCommanderDistance();
    if (!k || d <= 0)
        return 1.0f;
    // The command range value is a percentage, as in the commander's bonus at a distance.
    return float(k->CommanderRadius[1]) * 0.01f / float(d);
}

void cUnit::UpdateCommandingCommander()
{
    if (m_Category == CATEGORY_NAVAL) {
        m_CommandingCommanderId = -1;
        return;
    }
    if (m_X < 0 || m_Y < 0 || m_Commander || !g_Gra)
        return;
    const sGameConsts* k = UnitConsts();
    if (!k)
        return;
    int bestScore = 0;
    const sDowodca* best = nullptr;
    auto consider = [&](const cUnit* other) {
        // A commander in the pool or aboard a ship stands nowhere: no distance leads to him.
        if (other == this || other->m_Owner != m_Owner || !other->m_Commander || !other->IsOnMap())
            return;
        if (other->m_Commander->Type != m_Category)
            return;
        int d = HexDistance(m_X, m_Y, other->m_X, other->m_Y);
        if (d > k->CommanderRadius[0])
            return;
        int score = TruncateToInt(CommanderBonusAt(*other->m_Commander, d) * 100.0f);
        if (score > bestScore) {
            bestScore = score;
            best = other->m_Commander;
        }
    };
    // Air commanders stand only at air units: searched after the land units, or no air
    // commander would ever lead from a distance.
    for (const cJednostkaLadowa* u : g_Gra->m_LandUnits)
        consider(u);
    for (const cJednostkaLotnicza* u : g_Gra->m_AirUnits)
        consider(u);
    m_CommandingCommanderId = best ? best->ID : -1;
}

void cUnit::FreeOwnHex(bool leavesMap)
{
    // Whatever the play held of a unit that leaves the map (selection, plan, undo) lets go.
    if (leavesMap && g_Gra && g_Gra->m_PlayState)
        g_Gra->m_PlayState->ForgetUnit(this);
    sHex* hex = UnitHexAt(m_X, m_Y);
    if (hex && hex->unit == this)
        hex->unit = nullptr;
}

void cUnit::SendCommanderHome()
{
    if (m_Commander) {
        m_Commander->State = 1; // on his way to HQ
        m_Commander = nullptr;
    }
}

void cJednostka::JoinReservePool()
{
    if (g_Gra && std::find(g_Gra->m_Reserve.begin(), g_Gra->m_Reserve.end(), this) == g_Gra->m_Reserve.end())
        g_Gra->m_Reserve.push_back(this);
    m_InReserve = true;
    m_X = -1;
    m_Y = -1;
}

void cUnit::SetPosition(int x, int y)
{
    sHex* target = UnitHexAt(x, y);
    if (!target || target->unit)
        return;
    FreeOwnHex(false);
    m_X = x;
    m_Y = y;
    target->unit = this;
}

void cUnit::AddLevel(int n)
{
    if (GetLevelForRules() + n > 0) {
        AddLevelRaw(n);
        RecalculateEfficiency();
    }
}

namespace {

bool IsOnSameSide(const cPanstwo* country, int otherOwner)
{
    return country && (country->ID == otherOwner || country->IsAlliedWith(otherOwner));
}

bool WithinFog(const cUnit& a, const cUnit& b, int fog)
{
    // A unit in the pool or aboard a ship stands nowhere: it sees nothing and nothing sees it.
    if (!a.IsOnMap() || !b.IsOnMap())
        return false;
    return fog == 0 || HexDistance(a.m_X, a.m_Y, b.m_X, b.m_Y) <= fog;
}

// Whether a land or air unit of the country's side stands within the fog-of-war distance.
bool NearUnitOfSide(const cUnit& unit, const cPanstwo* country, int fog)
{
    if (!country || !g_Gra)
        return false;
    for (const cJednostkaLadowa* u : g_Gra->m_LandUnits)
        if (IsOnSameSide(country, u->m_Owner) && WithinFog(unit, *u, fog))
            return true;
    for (const cJednostkaLotnicza* u : g_Gra->m_AirUnits)
        if (IsOnSameSide(country, u->m_Owner) && WithinFog(unit, *u, fog))
            return true;
    return false;
}

} // namespace

void cUnit::CheckSpottedByEnemy(const cPanstwo* country)
{
    if (m_Spotted)
        return;
    const int fog = g_UserSettings.fogOfWar;
    if (fog == 0 || NearUnitOfSide(*this, country, fog))
        m_Spotted = true;
}

bool cUnit::IsSeenBySide(const cPanstwo* country) const
{
    if (!country || !g_Gra)
        return false;
    if (IsOnSameSide(country, m_Owner) || g_UserSettings.fogOfWar == 0)
        return true;
    if (const auto* ship = dynamic_cast<const cJednostkaMorska*>(this)) {
        if (!ship->m_Fleet)
            return false;
        for (const cJednostkaMorska* other : g_Gra->m_NavalUnits)
            if (other->m_Fleet && other->m_Fleet->seaNode == ship->m_Fleet->seaNode && IsOnSameSide(country, other->m_Owner))
                return true;
        return false;
    }
    for (const cJednostkaLadowa* found : country->ReconUnits)
        if (found == this)
            return true;
    return NearUnitOfSide(*this, country, g_UserSettings.fogOfWar);
}

bool SeenByAPerson(const cUnit* unit)
{
    if (!unit || !g_Gra)
        return false;
    for (const cPanstwo* country : g_Gra->m_Countries)
        if (country->IsActive && country->HumanControlled && unit->IsSeenBySide(country))
            return true;
    return false;
}

void cUnit::RevealNearbyEnemies(bool markSpotter)
{
    if (!g_Gra)
        return;
    int fog = g_UserSettings.fogOfWar;
    const cPanstwo* owner = GetOwner();
    auto reveal = [&](cUnit* other) {
        if (!WithinFog(*this, *other, fog))
            return;
        if (markSpotter && other->m_Owner != m_Owner && !IsOnSameSide(owner, other->m_Owner) && !other->m_Spotted)
            if (auto* self = dynamic_cast<cJednostka*>(this))
                self->m_SpottedEnemy = true;
        other->m_Spotted = true;
    };
    // Only the hexes within the distance are looked at: a unit stands on its hex.
    cMapa* map = g_Gra->m_Mapa;
    if (fog > 0 && map && IsOnMap()) {
        ForEachHexWithin(*map, m_X, m_Y, fog, [&](sHex& hex) {
            if (hex.unit && hex.unit->m_Category != CATEGORY_NAVAL)
                reveal(hex.unit);
        });
        return;
    }
    for (cJednostkaLadowa* u : g_Gra->m_LandUnits)
        reveal(u);
    for (cJednostkaLotnicza* u : g_Gra->m_AirUnits)
        reveal(u);
}
