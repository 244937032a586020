#pragma once
// The outcome of one combat: filled by the combat operations, owned by the caller and
// shown by the combat-result dialog.
#include <cstdint>
#include <string>

enum eCombatKind : int32_t
{
    COMBAT_LAND_BATTLE = 0,
    COMBAT_AIR_FIGHT = 1,
    COMBAT_AIR_STRIKE_LAND = 2,
    COMBAT_AIR_STRIKE_SEA_ZONE = 3,
    COMBAT_NUCLEAR_STRIKE = 4,
    COMBAT_AIR_RECON = 5,
    COMBAT_INTERCEPTION = 6,
    COMBAT_SHORE_BOMBARDMENT = 7,
    COMBAT_CARRIER_STRIKE_LAND = 8,
    COMBAT_CARRIER_STRIKE_SEA_ZONE = 9,
};

struct sCombatResult
{
    int32_t kind = COMBAT_LAND_BATTLE;
    float attackerLoss = 0.0f;  // combat strength lost by the attacking side
    float defenderLoss = 0.0f;
    std::wstring attackerLossText;
    std::wstring defenderLossText;
    std::wstring attackerInfo;  // factors and odds as the dialog shows them
    std::wstring defenderInfo;
    int32_t attackerCountry = -1;
    int32_t defenderCountry = -1;
    bool attackerKilled = false;
    bool defenderKilled = false;
    bool defenderSurrendered = false;
    bool defenderRetreated = false;
    bool cityAffected = false;
    bool portAffected = false;
    bool navalDefenderKilled = false;
    bool interceptionFought = false;
    bool interceptionSucceeded = false;

    sCombatResult() { Reset(); }
    // Ready for the next combat: kind 0, no losses, empty texts, no countries, no flags.
    void Reset();
};

// The language key of the dialog title for a combat kind; an unknown kind has its own.
const char* CombatTitleKey(int32_t kind);
