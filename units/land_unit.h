#pragma once
// Land units (types 0 to 6) and the Mulberry harbour (type 60).
#include <cstdint>
#include <string>

#include "units/unit.h"

class cFlota;
struct sHex;

class cJednostkaLadowa : public cJednostka
{
public:
    // Takes the next land-unit id from the game's counter.
    cJednostkaLadowa();
    cJednostkaLadowa(const cJednostkaLadowa&) = default;

    void RecalculateEfficiency() override;
    // Airborne assault: the hexes within the drop radius it may land on (marked bit 16
    // with one action point or none left, else bit 4); their number.
    int MarkAirborneAssaultRange();
    // The drop onto (x, y): losses by the enemy's air activity, then the unit lands or is
    // eliminated; the report goes to text. False, with the unit where it stands and
    // nothing written, when the hex cannot be dropped onto. landed is 1 or 0 when the
    // dice were rolled and stays as it was when the enemy has no fighters there.
    bool AirborneAssault(int x, int y, std::wstring& text, int& landed);
    // Amphibious assault from the unit's cargo or amphibious ship onto (x, y): a land combat
    // against the enemy there, or the losses of a landing on an empty hex; the ship is used
    // up. True when the unit stands on the hex afterwards. A hex that cannot be assaulted
    // (off the map, sea, or held by a unit not at war with the owner) is refused, logged,
    // and the unit stays aboard. The computer's assault shows a watching person the landing.
    bool AmphibiousAssault(int x, int y);
    bool AiAmphibiousAssault(int x, int y);
    // The fleet's battleships and cruisers (the selected ones, or all with wholeFleet) fire
    // on this unit: its efficiency falls for the impulse; the result and two reports are
    // written. A unit left without combat strength is destroyed.
    void ShoreBombardment(cFlota& fleet, sCombatResult* result, bool wholeFleet);
    // An air strike by a bomber or a carrier's aircraft on this unit.
    void ReceiveAirAttack(sCombatResult* result, cUnit* attacker) override;
    // Removes the unit from the map, its ship or the reserve, and deletes it.
    void Kill() override;
    void DrawCounter(float x, float y, float scale, int style) const override;
    void DrawIcon(const sRect& rect) const override;

    void SetActionPoints(int n) override { m_ActionPoints = n; }
    void ResetActionPoints() override;
    float GetCombatStrength() const override;
    int GetStrength() const override { return m_Strength; }
    void AddStrength(int n) override { m_Strength += n; }
    float GetFullStrengthValue() const override;
    float GetEffectiveStrength() const override;
    void MoveToReservePool() override;
    virtual void SetStrength(int n) { m_Strength = n; }

    // Lifts the freeze and gives the unit its action points.
    void Unfreeze();
    bool IsFrozen() const { return m_FreezeTime >= 1; }

    // Movement range: every hex the unit can reach with the action points it has left.
    int ComputeMoveRange(bool noMarks) override;
    // Action points it costs the unit to enter the hex (terrain and season), at least 1.
    int GetStepCost(const sHex& hex) const;
    // A free neighbour that the unit may fall back to: held by its side or by an enemy.
    bool HasRetreatHex() const;
    // The same for the neighbour in one direction.
    bool IsRetreatHex(int direction) const;
    // The unit's hex, or else the first neighbour, that holds a port of its side; (-1, -1)
    // and false when there is none.
    bool FindPortHex(int& x, int& y) const;

    // Whether the unit may make a strategic move to the city at (x, y), and the hex it
    // would land on: the city's, or the first free neighbour its side holds.
    bool CanStrategicMoveTo(int x, int y, int& outX, int& outY) const;
    // City-graph hops from the unit's hex region to the city at (x, y); -1 when either
    // is missing (a hex without a city also clears the unit's order) or no route joins them.
    int GetHopsToCity(int x, int y);

    // The computer opponent's moves; the range must be computed before ExecuteMoveOrder.
    // Moves to (x, y) when it is free and in range, else to the free step of the range
    // nearest to it; true when the unit moved.
    bool ExecuteMoveOrder(int x, int y);
    // Moves to the cheapest free hex of a new range; false when there is none.
    bool PickOrderStep();
    // Moves toward (x, y) by the step nearest to it that leaves an action point.
    void MoveTowardHex(int x, int y);
    // Moves toward the order's final hex when a walk over land leads there.
    bool StepTowardOrderTarget();
    // Gives the unit an order: direct (mode 0 or 1), or through the city graph.
    void FindOrderPath(int order, int x, int y, int mode);

    // Upgrades: a division to the corps of its arm, and any unit one level up.
    float GetUpgradeToCorpsCost() const;
    bool UpgradeToCorps();
    float GetLevelUpCost() const override;
    bool LevelUp();
    // The computer's level-up, logged and paced for a watching person.
    bool AiLevelUp() override;

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

    bool IsCorps() const { return m_Type == UNIT_INFANTRY_CORPS || m_Type == UNIT_MECHANIZED_CORPS || m_Type == UNIT_ARMOURED_CORPS; }

    // Embarks the unit onto a new cargo (44) or amphibious (45) ship in a new fleet of
    // one ship at the sea node; returns the fleet, or null when the unit cannot embark.
    cFlota* EmbarkOnFleet(int shipType, int seaNodeId, int fleetOrder);
    // The player's loading: the owner pays the points, and a new cargo or amphibious ship
    // carrying the unit joins the owner's active fleet at the node, or a new fleet there
    // that may still sail this impulse. The fleet, or null when the unit cannot embark.
    cFlota* LoadIntoTransport(int shipType, int seaNodeId);
    // Puts the unit aboard the ship named by m_TransporterId (loading a game). False,
    // with a log line, when that ship does not exist, cannot carry or already carries.
    bool LoadIntoFleet();

    int32_t m_Strength = 100;
    cJednostkaMorska* m_Transporter = nullptr;
    int32_t m_FreezeTime = 0;  // 10000 or more never counts down
    int32_t m_EventsEffect = 0;
    int32_t m_AiOrder = 0;
    int32_t m_AiTargetX = -1;
    int32_t m_AiTargetY = -1;
    int32_t m_AiUltimateTargetX = -1;
    int32_t m_AiUltimateTargetY = -1;
    int32_t m_TurnsSinceParadrop = 0;
    bool m_JustDeployed = false;
    int32_t m_TrenchBonus = 0;
    int32_t m_LastX = -1;
    int32_t m_LastY = -1;
    int32_t m_TransporterId = -1;  // as read from the file

protected:
    // The move of the computer opponent to a hex of its range, shown when a person watches.
    bool MoveAsComputer(int x, int y);
    // The sea or amphibious transport hint.
    bool GetTransportHint(std::wstring* text, bool amphibious) const;
    // A land unit below level 5 can rise a level; otherwise a log line says why not.
    bool CanRiseALevel() const;
    // The owner pays the level-up; the strength the unit will have at the new level.
    int PayForLevelUp();
    // The new strength after a change between two table strengths.
    int RescaledStrength(float from, float to, bool roundUp) const;
    // Both amphibious assaults; the computer's shows a watching person the landing.
    bool Assault(int x, int y, bool byComputer);
    // The end of a successful assault: the unit stands on (x, y), supplied and rested.
    void LandAfterAssault(int x, int y, bool byComputer);
    // Puts the unit aboard ship, moving it from wherever it is to the ship's list.
    void BoardShip(cJednostkaMorska* ship);
    // A land unit on the map can go aboard a cargo or amphibious ship at an existing sea
    // node; otherwise a log line says why not.
    bool CanEmbark(int shipType, int seaNodeId) const;
};

// An artificial harbour: never moves, never acts, always fully supplied, and always of
// the Mulberry strength.
class cMulberry : public cJednostkaLadowa
{
public:
    cMulberry();
    cMulberry(const cMulberry&) = default;

    // A harbour supplies itself: it never takes a city as its source.
    int SetSupplySourceX(int) override { return m_SupplySourceX = -1; }
    int SetSupplySourceY(int) override { return m_SupplySourceY = -1; }
    int SetSupply(int value) override;
    void AddActionPoints(int) override { m_ActionPoints = 0; }
    void SetStartingActionPoints(int) override { m_StartingActionPoints = 0; }
    void SetActionPoints(int) override { m_ActionPoints = 0; }
    void ResetActionPoints() override { m_ActionPoints = 0; }
    void AddStrength(int) override;
    void SetStrength(int) override;
    float GetCombatStrength() const override;
    float GetFullStrengthValue() const override;

    int32_t m_RemainingMonths = 0;
};

// The Mulberry strength and life of the game's constants (0 without a game).
int MulberryStrength();
int MulberryLifeMonths();
