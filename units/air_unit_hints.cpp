// Level-ups of air units and the unit panel's questions about an air unit.
#include "core/log.h"
#include "core/settings.h"
#include "core/stringbase.h"
#include "game/consts.h"
#include "game/game.h"
#include "game/play_state.h"
#include "game/presentation.h"
#include "units/air_unit.h"
#include "units/combat_support.h"
#include "units/unit_access.h"
#include "world/country.h"

namespace {

// The price of a level: the type's value grows by a percentage with every level.
float LevelValue(const sGameConsts& k, int type, int level)
{
    const float base = float(k.AirFullStrength[type]) * k.AirPurchaseCost[type];
    return base + float(k.AirLevelSurcharge) * base * float(level) / 100.0f;
}

} // namespace

float cJednostkaLotnicza::GetLevelUpCost() const
{
    const sGameConsts* k = UnitConsts();
    const int type = AirTypeIndex(m_Type);
    if (!k || type < 0)
        return 0.0f;
    return LevelValue(*k, type, m_Level) - LevelValue(*k, type, m_Level - 1);
}

bool cJednostkaLotnicza::PayForLevelUp()
{
    // Levels run from 1 to 5: a sixth would be read from tables that stop at the fifth.
    if (m_Level >= 5 || AirTypeIndex(m_Type) < 0) {
        LogLine(L"Level-up refused: %s (type %i) is at level %i", m_Name, m_Type, m_Level);
        return false;
    }
    if (cPanstwo* owner = GetOwner())
        owner->AddProductionPoints(-double(GetLevelUpCost()));
    return true;
}

bool cJednostkaLotnicza::LevelUp()
{
    if (!PayForLevelUp())
        return false;
    ++m_Level;
    m_ActionPoints = 0;
    return true;
}

bool cJednostkaLotnicza::AiLevelUp()
{
    const cPanstwo* owner = GetOwner();
    if (!owner || !PayForLevelUp())
        return false;
    LogLine(L"[AI]: %s - upgrading %s (level up)", owner->Name, m_Name);
    ShowComputerStep(*this, m_X, m_Y, DELAY_AI_REPLACEMENT_BEFORE);
    ++m_Level;
    m_ActionPoints = 0;
    ShowComputerStep(*this, m_X, m_Y, DELAY_AI_REPLACEMENT_AFTER);
    return true;
}

float cJednostkaLotnicza::GetUpgradeToCorpsCost() const
{
    LogLine(L"Error: jednostek lotniczych nie da sie upgradeowac na korpus");
    return 0.0f;
}

bool cJednostkaLotnicza::UpgradeToCorps()
{
    LogLine(L"Error: jednostek lotniczych nie da sie upgradeowac na korpus");
    return false;
}

bool cJednostkaLotnicza::GetEffectivenessHint(std::wstring* text) const
{
    return Answer(text, true, LangText("unitpanel_effectiveness_air_hint"));
}

bool cJednostkaLotnicza::GetUpgradeToCorpsHint(std::wstring* text) const
{
    return Answer(text, false, LangText("unitpanel_upgrade_hint_air_unit"));
}

bool cJednostkaLotnicza::GetLevelUpHint(std::wstring* text) const
{
    const cPanstwo* owner = GetOwner();
    if (m_Level >= 5)
        return Answer(text, false, LangText("unitpanel_levelup_hint_max_level"));
    if (!owner || m_Level >= owner->TechLevel[TECH_AIRCRAFT])
        // The text is shared with land units, which name only the research: the level is not passed.
        return Answer(text, false, LangFormat("unitpanel_levelup_hint_no_technology", LangText("research_aircraft")));
    if (m_ActionPoints != m_StartingActionPoints)
        return Answer(text, false, LangText("unitpanel_levelup_hint_not_full_ap_or_frozen"));
    const double cost = GetLevelUpCost();
    if (cost > owner->PP)
        return Answer(text, false, LangFormat("unitpanel_levelup_hint_not_enough_pp", cost - owner->PP));
    return Answer(text, true, LangFormat("unitpanel_levelup_icon_hint", cost, owner->PP - cost));
}

bool cJednostkaLotnicza::GetReinforceHint(std::wstring* text) const
{
    if (m_ActionPoints != m_StartingActionPoints || m_ActionPoints <= 0)
        return Answer(text, false, LangText("unitpanel_strength_icon_hint_other_action_performed_or_no_ap"));
    if (float(m_Strength) >= GetFullStrengthValue())
        return Answer(text, false, LangText("unitpanel_strength_icon_hint_max_strength"));
    if (m_Supply <= 0 || m_TurnsWithoutSupply > 0)
        return Answer(text, false, LangText("unitpanel_strength_icon_hint_no_supply"));
    return Answer(text, true, LangText("unitpanel_strength_icon_hint"));
}

bool cJednostkaLotnicza::GetStrategicMoveHint(std::wstring* text) const
{
    const sGameConsts* k = UnitConsts();
    const cPanstwo* owner = GetOwner();
    const int type = AirTypeIndex(m_Type);
    if (m_SupplySourceX == -1 || m_SupplySourceY == -1)
        return Answer(text, false, LangText("unitpanel_strategic_move_icon_hint_no_supply_source_or_peace-time_supply"));
    if (m_Supply <= 0 || m_TurnsWithoutSupply > 0)
        return Answer(text, false, LangText("unitpanel_strategic_move_icon_out_of_supply"));
    if (m_ActionPoints != m_StartingActionPoints)
        return Answer(text, false, LangText("unitpanel_strategic_move_icon_hint_not_full_ap_or_frozen"));
    // The move itself charges an air unit production points (row 132 prices it in them), so
    // the hint asks for those and says so, not for strategic movement points.
    if (!k || !owner || type < 0 || owner->PP < double(k->AirStrategicMoveCost[type]))
        return Answer(text, false, LangText("unitpanel_strategic_move_icon_hint_no_pp"));
    return Answer(text, true, LangText("unitpanel_strategic_move_icon_hint"));
}

bool cJednostkaLotnicza::GetAirborneAssaultHint(std::wstring* text) const
{
    return Answer(text, false, LangText("unitpanel_airborne_assault_icon_hint_not_airborne"));
}

bool cJednostkaLotnicza::GetSeaTransportHint(std::wstring* text) const
{
    return Answer(text, false, LangText("unitpanel_sea_transport_icon_hint_not_land_unit"));
}

bool cJednostkaLotnicza::GetAmphibiousTransportHint(std::wstring* text) const
{
    return Answer(text, false, LangText("unitpanel_amph_transport_icon_hint_not_land_unit"));
}

bool cJednostkaLotnicza::GetAirFightHint(std::wstring* text) const
{
    if (m_Type != UNIT_FIGHTER)
        return Answer(text, false, LangText("unitpanel_airfight_icon_hint_not_airfighter_unit"));
    if (m_ActionPoints <= 0)
        return Answer(text, false, LangText("unitpanel_airfight_icon_hint_not_enough_ap_or_frozen"));
    if (FindAirFightTargets(false) == 0)
        return Answer(text, false, LangText("unitpanel_airfight_icon_hint_no_target"));
    return Answer(text, true, LangText("unitpanel_airfight_icon_hint"));
}

bool cJednostkaLotnicza::GetBombardmentHint(std::wstring* text) const
{
    if (m_Type != UNIT_TACTICAL_BOMBER && m_Type != UNIT_STRATEGIC_BOMBER)
        return Answer(text, false, LangText("unitpanel_bombardment_icon_hint_not_bomber_unit"));
    if (m_ActionPoints <= 0)
        return Answer(text, false, LangText("unitpanel_bombardment_icon_hint_not_enough_ap_or_frozen"));
    if (FindBombardmentTargets(false) == 0)
        return Answer(text, false, LangText("unitpanel_bombardment_icon_hint_no_target"));
    return Answer(text, true, LangText("unitpanel_bombardment_icon_hint"));
}

bool cJednostkaLotnicza::GetNuclearStrikeHint(std::wstring* text) const
{
    const cPanstwo* owner = GetOwner();
    if (m_Type != UNIT_STRATEGIC_BOMBER)
        return Answer(text, false, LangText("unitpanel_nuclear_icon_hint_not_strategic_bomber"));
    if (!owner || owner->NuclearBombs < 1)
        return Answer(text, false, LangText("unitpanel_nuclear_icon_hint_no_nuclear_bomb"));
    if (m_ActionPoints <= 0)
        return Answer(text, false, LangText("unitpanel_nuclear_icon_hint_not_enough_ap_or_frozen"));
    if (FindNuclearTargets(false) == 0)
        return Answer(text, false, LangText("unitpanel_nuclear_icon_hint_no_target"));
    return Answer(text, true, LangText("unitpanel_nuclear_icon_hint"));
}

bool cJednostkaLotnicza::GetReconHint(std::wstring* text) const
{
    if (m_ActionPoints <= 0)
        return Answer(text, false, LangText("unitpanel_recon_icon_hint_not_enough_ap"));
    if (m_AirReconDone)
        return Answer(text, false, LangText("unitpanel_recon_icon_hint_already_performed"));
    if (FindReconTargets(false) == 0)
        return Answer(text, false, LangText("unitpanel_recon_icon_hint_no_hexes_in_range"));
    return Answer(text, true, LangText("unitpanel_recon_icon_hint"));
}
