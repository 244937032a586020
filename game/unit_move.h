#pragma once
// A unit's move over the map, one hex per step, and the record that takes the last
// move of a turn back.
#include <list>
#include <vector>

#include "units/unit_fwd.h"
#include "world/map.h"

// One hex of a move's path and the action points the step into it costs.
struct sPathNode
{
    int x = 0;
    int y = 0;
    int cost = 0;
    bool operator==(const sPathNode&) const = default;
};

class cMoveUndo;

class cUnitMove
{
public:
    cUnitMove() = default;
    // A move of the unit that starts empty; the hexes it enters go to `controller` unless
    // a step decides otherwise, and every change of control is recorded in `undo`.
    cUnitMove(cJednostka* unit, int controller, cMoveUndo* undo) : m_Unit(unit), m_Controller(controller), m_Undo(undo) {}

    // Enters the next hex of the path; true while the move goes on, false when it has
    // ended (or nothing was moving). The walk stops before an enemy, and never rests on a
    // hex another unit holds: it stops before a run of occupied hexes it cannot leave.
    bool AdvanceAlongPath();

    cJednostka* GetUnit() const { return m_Unit; }
    int GetController() const { return m_Controller; }
    const std::list<sPathNode>& GetPath() const { return m_Path; }
    std::list<sPathNode>& Path() { return m_Path; }
    // The unit is gone: the move ends without it.
    void Drop() { *this = cUnitMove(); }

private:
    bool CanStepIntoNext() const;

    cJednostka* m_Unit = nullptr;
    int m_Controller = 0;
    std::list<sPathNode> m_Path;
    cMoveUndo* m_Undo = nullptr;
};

class cMoveUndo
{
public:
    // The unit is about to move: its action points and hex now, the changed hexes emptied.
    void Record(const cJednostka& unit);
    // The same for a unit that has already moved (a rebase) from (startX, startY).
    void Record(const cJednostka& unit, int startX, int startY, int actionPoints);
    // The move has ended: what the unit is now, so that an undo after any other action
    // of the unit (an attack, say) is refused.
    void NoteMoveEnd(const cJednostka& unit);
    // Nothing left to undo; the unit panel's undo button says so at once.
    void Clear();
    bool IsFor(const cUnit& unit) const;
    bool IsEmpty() const { return m_UnitId == 0; }

    // Takes the unit back to where it started; see the play state's UndoLastMove.
    bool Undo(cJednostka* unit);

    int GetStartX() const { return m_StartX; }
    int GetStartY() const { return m_StartY; }
    int GetActionPoints() const { return m_ActionPoints; }
    // Every hex whose controller the move changed, with the controller it had, in the
    // order of the changes.
    std::vector<sCapturedHex> changedHexes;

private:
    cJednostka* FindUnit() const;

    int m_Category = 0;
    int m_UnitId = 0;  // 0: no unit
    int m_ActionPoints = 0;
    int m_StartX = -1;
    int m_StartY = -1;
    bool m_JustDeployed = false;
    // The unit as the move left it.
    int m_EndX = -1;
    int m_EndY = -1;
    int m_EndActionPoints = 0;
    bool m_EndAttacked = false;
};
