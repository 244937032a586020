#include "units/combat_result.h"

void sCombatResult::Reset()
{
    kind = COMBAT_LAND_BATTLE;
    attackerLoss = 0.0f;
    defenderLoss = 0.0f;
    attackerLossText.clear();
    defenderLossText.clear();
    attackerInfo.clear();
    defenderInfo.clear();
    attackerCountry = -1;
    defenderCountry = -1;
    attackerKilled = false;
    defenderKilled = false;
    defenderSurrendered = false;
    defenderRetreated = false;
    cityAffected = false;
    portAffected = false;
    navalDefenderKilled = false;
    interceptionFought = false;
    interceptionSucceeded = false;
}

const char* CombatTitleKey(int32_t kind)
{
    switch (kind) {
    case COMBAT_LAND_BATTLE: return "combatresult_land_battle_title";
    case COMBAT_AIR_FIGHT: return "combatresult_air_fight_title";
    case COMBAT_AIR_STRIKE_LAND: return "combatresult_air_strike_land_title";
    case COMBAT_AIR_STRIKE_SEA_ZONE: return "combatresult_air_strike_sea_zone_title";
    case COMBAT_NUCLEAR_STRIKE: return "combatresult_nuclear_title";
    case COMBAT_AIR_RECON: return "combatresult_recon_title";
    case COMBAT_INTERCEPTION: return "combatresult_interception_title";
    case COMBAT_SHORE_BOMBARDMENT: return "combatresult_shore_bombardment_title";
    case COMBAT_CARRIER_STRIKE_LAND: return "combatresult_carrier_airstrike_land_title";
    case COMBAT_CARRIER_STRIKE_SEA_ZONE: return "combatresult_carrier_airstrike_sea_zone_title";
    default: return "combatresult_unknown_battle_title";
    }
}
