#pragma once
// Air units: fighters (20), tactical bombers (21) and strategic bombers (22). An air
// unit stands on one land hex and takes the hex's unit place like a land unit.
#include <cstdint>

#include "units/unit.h"

class cJednostkaLotnicza : public cJednostka
{
public:
    // Takes the next air-unit id from the game's counter.
    cJednostkaLotnicza();
    cJednostkaLotnicza(const cJednostkaLotnicza&) = default;

    // Air fights (the unit attacked) and interception (the unit flying a mission).
    // An attack on this air unit by an air unit or a carrier's aircraft. An air attacker
    // that the fight destroys is removed from the game here; a carrier is left to its caller.
    void AirFight(sCombatResult* result, cUnit* attacker);
    // Only a carrier's aircraft fight an air unit on its hex.
    void ReceiveAirAttack(sCombatResult* result, cUnit* attacker) override;
    // True when the interceptor stops this unit's mission; this unit is never removed here.
    bool TryIntercept(cUnit* interceptor, sCombatResult* result) override;

    // A strategic bomber's nuclear strike on the hex: every other unit within the radius is
    // destroyed, the cities there are hit and the social unrest of the countries hit rises.
    void NuclearStrike(int x, int y, sCombatResult* result);

    // Efficiency is always 100.
    void RecalculateEfficiency() override { m_Efficiency = 100; }
    // Removes the unit from the map or the reserve, and deletes it.
    void Kill() override;

    void SetActionPoints(int n) override { m_ActionPoints = n; }
    // The action points of the type while the unit has supply, none without.
    void ResetActionPoints() override;
    float GetCombatStrength() const override { return float(m_Strength); }
    int GetStrength() const override { return m_Strength; }
    void AddStrength(int n) override { m_Strength += n; }
    // The full strength of the type, in strength points.
    float GetFullStrengthValue() const override;
    float GetEffectiveStrength() const override { return float(m_Strength); }
    void MoveToReservePool() override;

    // Mission range and rebasing distance in hexes, by the owner's aircraft technology.
    int GetRange() const;
    int GetRebaseRange() const;
    // The player's rebase: the unit flies to a free hex and spends its action points.
    // False, with nothing changed, when the hex is off the map or taken.
    bool RelocateTo(int x, int y);

    int32_t m_Strength = 0;
    bool m_AirReconDone = false;

private:
    // The range factor of the owner's aircraft technology.
    float GetRangeFactor() const;
};
