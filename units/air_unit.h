#pragma once
// Air units: fighters (20), tactical bombers (21) and strategic bombers (22). An air
// unit stands on one land hex and takes the hex's unit place like a land unit.
#include <cstdint>
#include <list>
#include <set>
#include <string>
#include <vector>

#include "units/unit.h"

// A hex the computer may rebase an air unit to, with what the front looks like from it:
// the distance to the nearest enemy land unit and the enemy land units in range.
struct sAirBaseCandidate
{
    int x = -1;
    int y = -1;
    int enemyDistance = 0;
    int enemiesInRange = 0;
};

class cJednostkaLotnicza : public cJednostka
{
public:
    // Takes the next air-unit id from the game's counter.
    cJednostkaLotnicza();
    cJednostkaLotnicza(const cJednostkaLotnicza&) = default;

    // Air fights (the unit attacked) and interception (the unit flying a mission).
    // An attack on this air unit by an air unit or a carrier's aircraft. An air unit that
    // the fight destroys is removed from the game here; a carrier is left to its caller.
    void AirFight(sCombatResult* result, cUnit* attacker);
    // Only a carrier's aircraft fight an air unit on its hex.
    void ReceiveAirAttack(sCombatResult* result, cUnit* attacker) override;
    // True when the interceptor stops this unit's mission. A unit shot down (the result's
    // attackerKilled) is removed from the game: the caller must not touch it again.
    bool TryIntercept(cUnit* interceptor, sCombatResult* result) override;

    // A strategic bomber's nuclear strike on the hex: every other unit within the radius is
    // destroyed, the cities there are hit and the social unrest of the countries hit rises.
    void NuclearStrike(int x, int y, sCombatResult* result);

    // Efficiency is always 100.
    void RecalculateEfficiency() override { m_Efficiency = 100; }
    // Removes the unit from the map or the reserve, and deletes it.
    void Kill() override;
    void DrawCounter(float x, float y, float scale, int style) const override;
    void DrawIcon(const sRect& rect) const override;

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

    // Level-ups: the cost grows with the type's value; the computer's is shown to a person.
    float GetLevelUpCost() const;
    bool LevelUp();
    bool AiLevelUp();
    // Air units never become corps: both only log the error.
    float GetUpgradeToCorpsCost() const;
    bool UpgradeToCorps();

    // The unit panel's questions about an air unit.
    bool GetEffectivenessHint(std::wstring* text) const override;
    bool GetUpgradeToCorpsHint(std::wstring* text) const override;
    bool GetLevelUpHint(std::wstring* text) const override;
    bool GetReinforceHint(std::wstring* text) const override;
    bool GetStrategicMoveHint(std::wstring* text) const override;
    bool GetAirborneAssaultHint(std::wstring* text) const override;
    bool GetSeaTransportHint(std::wstring* text) const override;
    bool GetAmphibiousTransportHint(std::wstring* text) const override;
    bool GetAirFightHint(std::wstring* text) const override;
    bool GetBombardmentHint(std::wstring* text) const override;
    bool GetNuclearStrikeHint(std::wstring* text) const override;
    bool GetReconHint(std::wstring* text) const override;

    // Rebasing: the free friendly land hexes within the rebase range, while the unit has
    // not acted and has the supply to move; marked unless told not to. Their number.
    int ComputeMoveRange(bool noMarks) override;
    // Why the unit may not rebase now (it has acted, or lacks the supply), as the key of the
    // status line's text; null when it may.
    const char* RebaseRefusalKey() const;
    // The computer's rebase, shown to a person who watches.
    bool AiRebase(int x, int y);

    // Targets within range, counted and (with mark) marked; none without an action point.
    int FindAirFightTargets(bool mark) const;
    int FindBombardmentTargets(bool mark) const;
    int FindNuclearTargets(bool mark) const;
    int FindReconTargets(bool mark) const;
    // The sea nodes of the sea hexes within the air search radius.
    void CollectSeaNodesInRadius(std::set<int>& nodes) const;
    // Reconnaissance of a sea node: its fleets are shown unless an interceptor stops the
    // flight (the result then holds the interception). False when nothing was seen.
    bool ReconSeaNode(int nodeId, sCombatResult* result);
    // The same look at a sea node by a flight already paid for (the port beside a land hex
    // just reconnoitred). The plane may not survive it: check the result before using it.
    bool FlyOverSeaNode(int nodeId, sCombatResult* result);
    // Reconnaissance of a land hex: every unit within the owner's aircraft level of it is
    // seen and kept as discovered. The number of units found; 0 too when an interceptor
    // stopped the flight (the result's interceptionSucceeded, attackerKilled if shot down).
    int FlyReconMission(int x, int y, sCombatResult* result);
    // The enemy air unit of the type in range with the lowest supply term + strength + level.
    cJednostkaLotnicza* FindWeakestEnemyAirUnit(int type) const;
    // The computer's candidate bases near friendly cities, scored against the enemy's land
    // units it knows of.
    void AiPlanMissions(std::list<sAirBaseCandidate>& candidates, const std::vector<const cUnit*>& enemyLandUnits) const;

    int32_t m_Strength = 0;
    bool m_AirReconDone = false;

private:
    // The range factor of the owner's aircraft technology.
    float GetRangeFactor() const;
    // Leaves its hex for (x, y), with no action points left; false when that hex is taken.
    bool FlyTo(int x, int y, bool sound);
    // The owner pays for the next level; false, logged, at the highest level.
    bool PayForLevelUp();
};

// The hex distance from (x, y) to the nearest of the units; the largest int when none.
int MinDistanceToUnits(int x, int y, const std::vector<const cUnit*>& units);
// The units within range of (x, y) that stand on a hex fortified below level 5.
int CountUnitsInRange(int x, int y, int range, const std::vector<const cUnit*>& units);
