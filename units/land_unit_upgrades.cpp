// Upgrades and level-ups of land units, and the unit panel's questions about them.
#include <cmath>

#include "core/lock.h"
#include "core/log.h"
#include "core/settings.h"
#include "core/stringbase.h"
#include "game/consts.h"
#include "game/game.h"
#include "game/play_state.h"
#include "units/land_unit.h"
#include "units/unit.h"
#include "units/unit_access.h"
#include "world/country.h"
#include "world/map.h"

namespace {

bool IsDivisionWithACorps(int type)
{
    return type == UNIT_INFANTRY || type == UNIT_MECHANIZED || type == UNIT_ARMOURED;
}

// The strength table: level 1 to 5, land type 0 to 6.
float TableStrength(const sGameConsts& k, int level, int type)
{
    return k.LandCombatStrength[TableLevelIndex(level)][type];
}

} // namespace

int cJednostkaLadowa::RescaledStrength(float from, float to, bool roundUp) const
{
    if (to <= 0.0f)
        return m_Strength;
    const float value = float((to - from) * 100.0f / to) + float(float(m_Strength) * from / to);
    return int(roundUp ? std::ceil(value) : value);
}

float cJednostkaLadowa::GetUpgradeToCorpsCost() const
{
    const sGameConsts* k = UnitConsts();
    if (!k || !IsDivisionWithACorps(m_Type)) {
        LogLine(LangFormat("error:_wrong_land_unit_type_(%i)_while_calculating_upgrade_to_corps_cost", m_Type));
        // A question about a price never ends the game (exit code 0 would even read as success).
        return 0.0f;
    }
    const int t = m_Type;
    const float x = k->LandPurchaseCost[t + 1] * (TableStrength(*k, m_Level, t + 1) - TableStrength(*k, m_Level, t)) +
                    GetCombatStrength() * (k->LandPurchaseCost[t + 1] - k->LandPurchaseCost[t]);
    return x * (1.0f + float(k->LandLevelSurcharge) * float(m_Level - 1) / 100.0f);
}

bool cJednostkaLadowa::UpgradeToCorps()
{
    const sGameConsts* k = UnitConsts();
    if (!k || !IsDivisionWithACorps(m_Type)) {
        LogLine(LangFormat("error:_wrong_land_unit_type_(%i)_while_calculating_upgrade_to_corps_cost", m_Type));
        return false;
    }
    const float cost = GetUpgradeToCorpsCost();
    const int strength = RescaledStrength(TableStrength(*k, m_Level, m_Type), TableStrength(*k, m_Level, m_Type + 1), false);
    if (cPanstwo* owner = GetOwner())
        owner->AddProductionPoints(-double(cost));
    SetType(m_Type + 1);
    m_Strength = strength;
    m_ActionPoints = 0;
    m_Path.clear();
    if (g_Gra && g_Gra->m_Mapa)
        g_Gra->m_Mapa->ClearMarks(~uint32_t(MARK_SELECTED), false);
    return true;
}

// Level 5 is the table's last row: a sixth level would price and strengthen the unit from
// a row that is not there.
bool cJednostkaLadowa::CanRiseALevel() const
{
    if (UnitConsts() && LandTypeIndex(m_Type) >= 0 && m_Level >= 1 && m_Level < 5)
        return true;
    LogLine(L"Level-up refused: %s (type %i) is at level %i", m_Name, m_Type, m_Level);
    return false;
}

float cJednostkaLadowa::GetLevelUpCost() const
{
    if (!CanRiseALevel())
        return 0.0f;
    const sGameConsts& k = *UnitConsts();
    const int t = m_Type;
    const float a = TableStrength(k, m_Level + 1, t) * k.LandPurchaseCost[t];
    const float b = TableStrength(k, m_Level, t) * k.LandPurchaseCost[t];
    const float surcharge = float(k.LandLevelSurcharge);
    return (a + surcharge * a * float(m_Level) / 100.0f) - (b + surcharge * b * float(m_Level - 1) / 100.0f);
}

int cJednostkaLadowa::PayForLevelUp()
{
    const sGameConsts& k = *UnitConsts();
    const int strength = RescaledStrength(TableStrength(k, m_Level, m_Type), TableStrength(k, m_Level + 1, m_Type), true);
    if (cPanstwo* owner = GetOwner())
        owner->AddProductionPoints(-double(GetLevelUpCost()));
    return strength;
}

bool cJednostkaLadowa::LevelUp()
{
    if (!CanRiseALevel())
        return false;
    m_Strength = PayForLevelUp();
    ++m_Level;
    m_ActionPoints = 0;
    m_Path.clear();
    if (g_Gra && g_Gra->m_Mapa)
        g_Gra->m_Mapa->ClearMarks(~uint32_t(MARK_SELECTED), false);
    return true;
}

bool cJednostkaLadowa::AiLevelUp()
{
    const cPanstwo* owner = GetOwner();
    if (!owner || !CanRiseALevel())
        return false;
    const int strength = PayForLevelUp();
    LogLine(L"[AI]: %s - upgrading %s (level up)", owner->Name, m_Name);
    const cPlayState* play = g_Gra ? g_Gra->m_PlayState : nullptr;
    // The camera follows only a unit the person may see; the pauses come also for one he
    // cannot, and a game of computers never waits.
    const bool person = g_Gra && g_Gra->HasHumanCountry();
    if (person && play && m_Spotted && play->ShowsActions() && SeenByAPerson(this))
        CenterCameraOn(m_X, m_Y);
    if (person)
        LOGGED_SLEEP(int(g_DelayValues[DELAY_AI_REPLACEMENT_BEFORE]));
    ++m_Level;
    m_Strength = strength;
    m_ActionPoints = 0;
    if (person)
        LOGGED_SLEEP(int(g_DelayValues[DELAY_AI_REPLACEMENT_AFTER]));
    return true;
}

bool cJednostkaLadowa::GetUpgradeToCorpsHint(std::wstring* text) const
{
    const cPanstwo* owner = GetOwner();
    const sHex* hex = UnitHexAt(m_X, m_Y);
    if (m_Type == UNIT_MULBERRY)
        return Answer(text, false, LangText("unitpanel_upgrade_hint_mulberry"));
    if (m_Type == UNIT_AIRBORNE)
        return Answer(text, false, LangText("unitpanel_upgrade_hint_airborne_division"));
    // Just upgraded, a corps has no action points left: the hint says so beside the reason.
    if (IsCorps())
        return Answer(text, false,
                      LangText("unitpanel_upgrade_hint_already_corp") +
                          (m_ActionPoints <= 0 ? L" " + LangText("unitpanel_hint_action_points_spent") : L""));
    if (!hex || hex->owner != m_Owner)
        return Answer(text, false, LangText("unitpanel_upgrade_hint_not_in_owned_hex"));
    if (m_ActionPoints != m_StartingActionPoints || IsFrozen())
        return Answer(text, false, LangText("unitpanel_upgrade_hint_not_full_ap_or_frozen"));
    const double cost = GetUpgradeToCorpsCost();
    const double points = owner ? owner->PP : 0.0;
    if (cost > points)
        return Answer(text, false, LangFormat("unitpanel_upgrade_hint_not_enough_pp", cost - points));
    // What is left after paying: the difference taken the other way would read as a debt
    // where points remain.
    return Answer(text, true, LangFormat("unitpanel_upgrade_hint", cost, points - cost));
}

bool cJednostkaLadowa::GetLevelUpHint(std::wstring* text) const
{
    const cPanstwo* owner = GetOwner();
    if (m_Type == UNIT_MULBERRY)
        return Answer(text, false, LangText("unitpanel_levelup_hint_mulberry"));
    if (m_Level >= 5)
        return Answer(text, false, LangText("unitpanel_levelup_hint_max_level"));
    const bool armour = m_Type == UNIT_ARMOURED || m_Type == UNIT_ARMOURED_CORPS;
    const int technology = owner ? owner->TechLevel[armour ? TECH_TANKS : TECH_ARTILLERY] : 0;
    if (m_Level >= technology)
        return Answer(text, false,
                      LangFormat("unitpanel_levelup_hint_no_technology", LangText(armour ? "research_tanks" : "research_artillery")));
    if (m_ActionPoints != m_StartingActionPoints || IsFrozen())
        return Answer(text, false, LangText("unitpanel_levelup_hint_not_full_ap_or_frozen"));
    const double cost = GetLevelUpCost();
    const double points = owner ? owner->PP : 0.0;
    if (cost > points)
        return Answer(text, false, LangFormat("unitpanel_levelup_hint_not_enough_pp", cost - points));
    // What is left after paying, as for the upgrade.
    return Answer(text, true, LangFormat("unitpanel_levelup_icon_hint", cost, points - cost));
}

bool cJednostkaLadowa::GetReinforceHint(std::wstring* text) const
{
    if (m_ActionPoints != m_StartingActionPoints)
        return Answer(text, false, LangText("unitpanel_strength_icon_hint_other_action_performed_or_frozen"));
    if (m_Strength >= 100)
        return Answer(text, false, LangText("unitpanel_strength_icon_hint_max_strength"));
    if (m_Supply <= 0 || m_TurnsWithoutSupply >= 1)
        return Answer(text, false, LangText("unitpanel_strength_icon_hint_no_supply"));
    return Answer(text, true, LangText("unitpanel_strength_icon_hint"));
}

bool cJednostkaLadowa::GetStrategicMoveHint(std::wstring* text) const
{
    const sGameConsts* k = UnitConsts();
    const cPanstwo* owner = GetOwner();
    const int t = LandTypeIndex(m_Type);
    // The points are asked for last: more of them would not lift the unit's own bars.
    if (m_ActionPoints != m_StartingActionPoints || IsFrozen())
        return Answer(text, false, LangText("unitpanel_strategic_move_icon_hint_not_full_ap_or_frozen"));
    if (m_SupplySourceX == -1 || m_SupplySourceY == -1)
        return Answer(text, false, LangText("unitpanel_strategic_move_icon_hint_no_supply_source_or_peace-time_supply"));
    if (m_Supply <= 0 || m_TurnsWithoutSupply > 0)
        return Answer(text, false, LangText("unitpanel_strategic_move_icon_out_of_supply"));
    if (!k || !owner || t < 0 || owner->SMP < k->StrategicMoveCost[t])
        return Answer(text, false, LangText("unitpanel_strategic_move_icon_hint_no_smp"));
    return Answer(text, true, LangText("unitpanel_strategic_move_icon_hint"));
}

bool cJednostkaLadowa::GetAirborneAssaultHint(std::wstring* text) const
{
    const sGameConsts* k = UnitConsts();
    if (m_Type != UNIT_AIRBORNE || !k)
        return Answer(text, false, LangText("unitpanel_airborne_assault_icon_hint_not_airborne"));
    if (m_ActionPoints != m_StartingActionPoints || IsFrozen())
        return Answer(text, false, LangText("unitpanel_airborne_assault_hint_not_full_ap_or_frozen"));
    if (m_Supply < k->MaxSupply * 2 / 3)
        return Answer(text, false, LangText("unitpanel_airborne_assault_hint_supply_too_low"));
    if (const int wait = k->AirborneAssaultWait - m_TurnsSinceParadrop; wait > 0)
        return Answer(text, false, LangFormat("unitpanel_airborne_assault_hint_not_prepared", wait));
    return Answer(text, true, LangText("unitpanel_airborne_assault_icon_hint"));
}

bool cJednostkaLadowa::GetTransportHint(std::wstring* text, bool amphibious) const
{
    const sGameConsts* k = UnitConsts();
    const cPanstwo* owner = GetOwner();
    const int t = LandTypeIndex(m_Type);
    int x = -1, y = -1;
    if (!FindPortHex(x, y))
        return Answer(text, false,
                      amphibious ? LangText("unitpanel_amph_transport_icon_hint_not_in_or_near_friendly_port")
                                 : LangText("unitpanel_sea_transport_icon_hint_not_in_or_near_friendly_port"));
    if (m_ActionPoints <= 0 || IsFrozen())
        return Answer(text, false,
                      amphibious ? LangText("unitpanel_amph_transport_hint_not_enough_ap_or_frozen")
                                 : LangText("unitpanel_sea_transport_hint_not_enough_ap_or_frozen"));
    // The landing's supply bar is told before the points, which would not lift it.
    if (amphibious && (!k || m_Supply < k->MaxSupply * 2 / 3))
        return Answer(text, false, LangText("unitpanel_amph_transport_icon_hint_not_enough_supply"));
    const int cost = k && t >= 0 ? (amphibious ? k->AmphibiousCost[t] : k->SeaTransportCost[t]) : 0;
    const int points = owner ? (amphibious ? owner->AIP : owner->STP) : 0;
    // The points left are named: the price alone read as the reason where none are left.
    if (!owner || t < 0 || points < cost)
        return Answer(text, false,
                      amphibious ? LangFormat("unitpanel_amph_transport_icon_hint_not_enough_sea_invasion_points", points, cost)
                                 : LangFormat("unitpanel_sea_transport_icon_hint_not_enough_sea_transport_points", points, cost));
    return Answer(text, true,
                  amphibious ? LangFormat("unitpanel_amph_transport_icon_hint", cost)
                             : LangFormat("unitpanel_sea_transport_icon_hint", cost));
}

bool cJednostkaLadowa::GetSeaTransportHint(std::wstring* text) const
{
    return GetTransportHint(text, false);
}

bool cJednostkaLadowa::GetAmphibiousTransportHint(std::wstring* text) const
{
    return GetTransportHint(text, true);
}

bool cJednostkaLadowa::GetAirFightHint(std::wstring* text) const
{
    return Answer(text, false, LangText("unitpanel_airfight_icon_hint_not_airfighter_unit"));
}

bool cJednostkaLadowa::GetBombardmentHint(std::wstring* text) const
{
    return Answer(text, false, LangText("unitpanel_bombardment_icon_hint_not_bomber_unit"));
}

bool cJednostkaLadowa::GetNuclearStrikeHint(std::wstring* text) const
{
    return Answer(text, false, LangText("unitpanel_nuclear_icon_hint_not_strategic_bomber"));
}

bool cJednostkaLadowa::GetReconHint(std::wstring* text) const
{
    return Answer(text, false, LangText("unitpanel_recon_icon_hint_not_air_unit"));
}

bool cJednostkaLadowa::GetEffectivenessHint(std::wstring* text) const
{
    const sGameConsts* k = UnitConsts();
    if (!text || !k)
        return true;
    const cPanstwo* owner = GetOwner();
    const double doctrine = owner ? double(owner->TechLevel[TECH_DOCTRINE]) * k->DoctrineEfficiencyBonus : 0.0;
    double commander = 0.0;
    if (m_Commander)
        commander = (double(CommanderBonusAt(*m_Commander, 0)) - 1.0) * 100.0;
    else if (m_CommandingCommanderId >= 0)
        commander = double(GetCommanderBonus()); // already in percent
    const double supply = double(k->SupplyEfficiency[SupplyIndex(m_Supply)]) - 100.0;
    // The cut takes a share of the efficiency: shown in percent like the other five, since
    // the bare fraction would read as less than one percent.
    const double noSupply = m_TurnsWithoutSupply > 0 && k->ImpulsesWithoutSupplySource > 0
                                ? -100.0 * double(m_TurnsWithoutSupply) / double(k->ImpulsesWithoutSupplySource)
                                : 0.0;
    *text = LangFormat("unitpanel_effectiveness_land_hint", doctrine, commander, supply, noSupply,
                       -double(m_ShoreBombardmentEffect), double(m_EventsEffect));
    return true;
}
