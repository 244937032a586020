#pragma once
// A land attack: up to six attackers around one defender, the factors that weigh them and
// the odds column that picks the column of the loss tables. The record is filled just
// before it is shown or resolved; the resolution clears the units it destroys.
#include <cstdint>
#include <string>

#include "units/unit_fwd.h"

class cPanstwo;

constexpr int kAttackSlots = 6;
// The highest odds column; a ratio of this plus one or more is an overrun.
constexpr int kMaxOddsColumn = 7;

struct sLandAttack
{
    cUnit* defender = nullptr;
    int32_t x = 0;
    int32_t y = 0;
    // Slot d holds the attacker on the neighbour of the target hex in direction d.
    cUnit* attackers[kAttackSlots] = {};

    void SetAttacker(int slot, cUnit* unit);
    void ClearAttacker(int slot);
    bool HasAttacker(const cUnit* unit) const;
    int CountAttackers() const;
    cPanstwo* GetFirstAttackerOwner() const;

    // Strengths: the attackers' effective strength (a river on their side cuts it), their
    // combat strength without efficiency, and the defender's.
    float GetAttackStrength() const;
    float GetAttackersCombatStrength() const;
    float GetDefenceStrength() const;

    // Factors of the attack and of the defence.
    float GetDirectionsFactor() const;
    float GetArmourFactor() const;
    float GetAttackersWeatherFactor() const;
    float GetFortificationFactor() const;
    float GetAttackFactor() const;
    float GetTerrainFactor() const;
    float GetCityFactor() const;
    float GetDefenderWeatherFactor() const;
    float GetEntrenchmentFactor() const;
    float GetDefenceFactor() const;

    // Weighted attack over weighted defence; a defence of 0 counts as 0.001, so an attack
    // on nothing reads as the overrun it is.
    float GetOddsRatio() const;
    // The ratio truncated into the columns 1 to 7.
    int GetOddsColumn() const;

    // Experience rolls for the commanders of every attacker and of the defender.
    void AwardCommanderExperience();
    // Carries the attack out into the result (reset by the caller): losses, overrun,
    // retreat or surrender, reports. The units it destroys leave the game and their slots.
    // False, with nothing fought, without a defender or without an attacker.
    bool Resolve(sCombatResult* result);

private:
    bool IsDefenderLand() const;
    // Steps of the resolution.
    void RetreatOrSurrender(sCombatResult* result, std::wstring& attackerReport, std::wstring& defenderReport);
    void ShareAttackerLosses(sCombatResult* result, float total, int attackingCountry, std::wstring& attackerReport,
                             std::wstring& defenderReport);
};

// The weather factor of a hex for a country: its winter or mud battle values cut the
// strength of its units fighting there.
float BattleWeatherFactor(int x, int y, int countryId);
