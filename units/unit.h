#pragma once
// The root of every unit (cUnit) and the common part of land and air units (cJednostka).
#include <cstdint>
#include <list>
#include <string>
#include <string_view>

#include "units/unit_fwd.h"

class cPanstwo;
struct sRect;

// Type codes.
enum eUnitType : int32_t
{
    UNIT_INFANTRY = 0,
    UNIT_INFANTRY_CORPS = 1,
    UNIT_MECHANIZED = 2,
    UNIT_MECHANIZED_CORPS = 3,
    UNIT_ARMOURED = 4,
    UNIT_ARMOURED_CORPS = 5,
    UNIT_AIRBORNE = 6,
    UNIT_FIGHTER = 20,
    UNIT_TACTICAL_BOMBER = 21,
    UNIT_STRATEGIC_BOMBER = 22,
    UNIT_CARRIER = 40,
    UNIT_BATTLESHIP = 41,
    UNIT_CRUISER = 42,
    UNIT_SUBMARINE = 43,
    UNIT_CARGO = 44,
    UNIT_AMPHIBIOUS = 45,
    UNIT_MULBERRY = 60,
};

enum eUnitCategory : int32_t
{
    CATEGORY_LAND = 0,
    CATEGORY_AIR = 1,
    CATEGORY_NAVAL = 2,
};

// Names hold at most this many characters.
constexpr size_t kUnitNameMax = 99;

// The category of a type code; -1 for a code that names no unit.
int CategoryOfType(int type);
bool IsLandType(int type);   // 0 to 6 (not the Mulberry)
bool IsAirType(int type);    // 20 to 22
bool IsNavalType(int type);  // 40 to 45

// One hex a unit can reach, or one hex of its order path.
struct sPathStep
{
    cUnit* unit = nullptr;  // the unit that computed it
    int32_t x = -1;
    int32_t y = -1;
    int32_t direction = 0;  // from this hex back toward the hex it was entered from
    int32_t cost = 0;       // summed movement cost from the unit's hex
};

class cUnit
{
public:
    cUnit() = default;
    cUnit(const cUnit&) = default;
    cUnit& operator=(const cUnit&) = delete;
    virtual ~cUnit() = default;

    // Virtual operations.
    // Picks the commander whose bonus reaches this unit from a distance.
    virtual void UpdateCommandingCommander();
    // Called on the unit whose mission is intercepted; true when the mission is stopped.
    virtual bool TryIntercept(cUnit* interceptor, sCombatResult* result);
    virtual void RecalculateEfficiency() {}
    // Called on the unit an air strike or a carrier's aircraft attack; a unit that cannot
    // be hit from the air ignores it. An air unit that dies in it, on either side, is
    // removed from the game (the result says so); a ship is left to the naval rules.
    virtual void ReceiveAirAttack(sCombatResult* result, cUnit* attacker)
    {
        (void)result;
        (void)attacker;
    }
    // Removes the unit from the game; the object is deleted.
    virtual void Kill() {}
    // The counter on the map, its 166-pixel cell at (x, y) in the units of the sprite's
    // transform, scaled; style is the animation frame's parity.
    virtual void DrawCounter(float x, float y, float scale, int style) const;
    // The counter scaled into a rectangle of a panel (screen pixels).
    virtual void DrawIcon(const sRect& rect) const;

    // Type and category.
    void SetType(int type);
    // Copies at most kUnitNameMax characters.
    void SetName(std::wstring_view name);
    void SetName2(std::wstring_view name);

    cPanstwo* GetOwner() const;

    // Commanders.
    sDowodca* GetCommandingCommander() const;
    void SetCommandingCommander(const sDowodca* commander);
    int GetCommanderBonus() const;
    int GetCommanderDistance() const;
    float GetCommanderRangeFactor() const;

    // The city-graph node of the city whose area holds the unit's hex (the home city the
    // computer plans with); -1 off the map or where no city reaches.
    int GetHexRegion() const;

    // Places the unit at another hex at once (scripted events). Nothing happens when the
    // hex lies off the map or already holds a unit.
    void SetPosition(int x, int y);
    // Adds n to the level when the result stays above 0; recomputes the efficiency.
    void AddLevel(int n);

    // Fog of war.
    void CheckSpottedByEnemy(const cPanstwo* country);
    void RevealNearbyEnemies(bool markSpotter);
    // Whether the country's side sees the unit now, as its own turn would show it: its own
    // and its allies' units, the units its reconnaissance found, and any within the fog-of-war
    // distance of a land or air unit of its side (a ship: one of its side's ships in the zone).
    bool IsSeenBySide(const cPanstwo* country) const;

    // The player's name of a unit subtype; land types name the size of the unit symbols.
    static std::wstring GetSubtypeText(int type);

    bool IsOnMap() const { return m_X >= 0 && m_Y >= 0; }

    int32_t m_Category = CATEGORY_LAND;
    int32_t m_Type = UNIT_INFANTRY;
    std::wstring m_Name;
    std::wstring m_Name2;  // a second text that travels with the unit
    int32_t m_Owner = 0;
    sDowodca* m_Commander = nullptr;  // the unit's own commander
    int32_t m_CommandingCommanderId = -1;
    int32_t m_Id = 0;
    int32_t m_X = -1;
    int32_t m_Y = -1;
    bool m_InReserve = false;
    bool m_Spotted = false;
    int32_t m_TurnsWithoutSupply = 0;
    int32_t m_AvailableInTurns = 0;

protected:
    // The unit leaves its hex: the hex is cleared when it holds this unit. A unit that
    // leaves the map (for the reserve, a ship or death) is forgotten by the play state.
    void FreeOwnHex(bool leavesMap);
    // The unit's own commander, if any, leaves it for HQ.
    void SendCommanderHome();

    // Level for the commander and efficiency code; units without one answer 0.
    virtual int GetLevelForRules() const { return 0; }
    virtual void AddLevelRaw(int) {}
};

// The bonus of a commander at a distance from the unit it reaches: a multiplier
// (bonus + 1) at distance 0, the bare bonus beyond the command range, and the bonus
// scaled by the range percentage over the distance within it.
float CommanderBonusAt(const sDowodca& commander, int distance);
// The unit on the map whose own commander this is, or null: where the commander stands.
const cUnit* FindUnitOfCommander(const sDowodca* commander);
// Whether the side of some person's country sees the unit (a game of computers: no one).
// The spotted flag is one for every side: a computer's move that another computer spotted
// is no watching person's to see.
bool SeenByAPerson(const cUnit* unit);

class cJednostka : public cUnit
{
public:
    cJednostka() = default;
    cJednostka(const cJednostka&) = default;

    // Supply and action points; a Mulberry ignores the arguments.
    virtual int SetSupplySourceX(int x) { return m_SupplySourceX = x; }
    virtual int SetSupplySourceY(int y) { return m_SupplySourceY = y; }
    virtual int SetSupply(int value) { return m_Supply = value; }
    virtual void AddActionPoints(int n) { m_ActionPoints += n; }
    virtual void SetStartingActionPoints(int n) { m_StartingActionPoints = n; }
    virtual void SetActionPoints(int n) = 0;
    virtual void ResetActionPoints() = 0;
    // Strength.
    virtual float GetCombatStrength() const = 0;
    virtual int GetStrength() const = 0;
    virtual void AddStrength(int n) = 0;
    virtual float GetFullStrengthValue() const = 0;
    virtual float GetEffectiveStrength() const = 0;
    // Takes the unit off the map into the reserve pool.
    virtual void MoveToReservePool() = 0;
    // Fills m_Path with the hexes the unit can reach now and, unless noMarks, marks them
    // on the map; the number of hexes. A unit without a range of its own has none.
    virtual int ComputeMoveRange(bool noMarks)
    {
        (void)noMarks;
        m_Path.clear();
        return 0;
    }

    // A strategic move: the unit goes to (x, y) at once, with no action points left, for its
    // owner's points (production points for an air unit, strategic movement points for
    // the others). False, logged, when the hex is off the map or taken.
    bool StrategicMoveTo(int x, int y);
    // The same move and price with nothing heard: the computer's strategic moves to its
    // fronts are shown only by the camera and their pauses.
    bool RelocateAndPay(int x, int y);
    // Puts the unit from the reserve pool on (x, y), supplied by the city there or by the
    // moving country's neighbouring city that can deploy. False, logged, with nothing
    // changed, when the unit is not in the pool, the hex is off the map or taken, or no
    // city qualifies.
    bool DeployNearCity(int x, int y);
    // The hexes where the moving country may deploy a unit (bit 64 when mark); their count.
    virtual int MarkActionTargets(bool mark);

    // The unit panel's questions: whether the action is possible now, and with a text, why
    // or why not. A unit without such an action answers no and writes nothing.
    virtual bool GetEffectivenessHint(std::wstring* text) const { return NoHint(text); }
    virtual bool GetUpgradeToCorpsHint(std::wstring* text) const { return NoHint(text); }
    virtual bool GetLevelUpHint(std::wstring* text) const { return NoHint(text); }
    virtual bool GetReinforceHint(std::wstring* text) const { return NoHint(text); }
    virtual bool GetStrategicMoveHint(std::wstring* text) const { return NoHint(text); }
    virtual bool GetAirborneAssaultHint(std::wstring* text) const { return NoHint(text); }
    virtual bool GetSeaTransportHint(std::wstring* text) const { return NoHint(text); }
    virtual bool GetAmphibiousTransportHint(std::wstring* text) const { return NoHint(text); }
    virtual bool GetAirFightHint(std::wstring* text) const { return NoHint(text); }
    virtual bool GetBombardmentHint(std::wstring* text) const { return NoHint(text); }
    virtual bool GetNuclearStrikeHint(std::wstring* text) const { return NoHint(text); }
    virtual bool GetReconHint(std::wstring* text) const { return NoHint(text); }

    // Level-ups: the price of the next level (0 for a unit that cannot rise), and the
    // computer's level-up, which pays it; false when the unit did not rise.
    virtual float GetLevelUpCost() const { return 0.0f; }
    virtual bool AiLevelUp() { return false; }

    // The step of m_Path at (x, y), or null; m_Path as the last ComputeMoveRange left it.
    const sPathStep* FindPathStep(int x, int y) const;
    // The same as a yes or no, logged; always no for an air unit.
    bool IsHexInMoveRange(int x, int y) const;

    // The unit's commander (its own, else the one commanding it from a distance) rolls
    // against his skill: to spare the unit its loss in an air fight, to double the damage
    // of its air strike; his value adds to the chance of hitting ships.
    bool CommanderAvertsAirFightLoss() const;
    bool CommanderDoublesAirStrike() const;
    int GetCommanderValue() const;

    int32_t m_SupplySourceX = -1;
    int32_t m_SupplySourceY = -1;
    int32_t m_Level = 1;
    int32_t m_Efficiency = 100;
    int32_t m_ActionPoints = 0;
    int32_t m_StartingActionPoints = 0;
    int32_t m_Supply = 0;
    bool m_Attacked = false;
    bool m_WasAttacked = false;
    std::list<sPathStep> m_Path;       // hexes reachable in this impulse
    std::list<sPathStep> m_OrderPath;  // the path of the current order
    float m_ShoreBombardmentEffect = 0.0f;
    bool m_SpottedEnemy = false;

protected:
    // The end of a move to the reserve pool, once the unit is off its own list: in the pool
    // once, and off the map.
    void JoinReservePool();
    static bool NoHint(std::wstring* text)
    {
        if (text)
            text->clear();
        return false;
    }

    int GetLevelForRules() const override { return m_Level; }
    void AddLevelRaw(int n) override { m_Level += n; }
};
