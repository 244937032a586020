// Taking back the last move (or rebase) of the turn.
#include "game/unit_move.h"

#include "core/lock.h"
#include "core/log.h"
#include "core/stringbase.h"
#include "game/game.h"
#include "game/play_state.h"
#include "game/presentation.h"
#include "units/air_unit.h"
#include "units/land_unit.h"

void cMoveUndo::Record(const cJednostka& unit)
{
    Record(unit, unit.m_X, unit.m_Y, unit.m_ActionPoints);
}

void cMoveUndo::Record(const cJednostka& unit, int startX, int startY, int actionPoints)
{
    m_Category = unit.m_Category;
    m_UnitId = unit.m_Id;
    m_ActionPoints = actionPoints;
    m_StartX = startX;
    m_StartY = startY;
    const auto* land = dynamic_cast<const cJednostkaLadowa*>(&unit);
    m_JustDeployed = land && land->m_JustDeployed;
    changedHexes.clear();
    NoteMoveEnd(unit);
}

void cMoveUndo::NoteMoveEnd(const cJednostka& unit)
{
    m_EndX = unit.m_X;
    m_EndY = unit.m_Y;
    m_EndActionPoints = unit.m_ActionPoints;
    m_EndAttacked = unit.m_Attacked;
}

void cMoveUndo::Clear()
{
    m_UnitId = 0;
    changedHexes.clear();
    Presentation().RefreshPanels();
}

bool cMoveUndo::IsFor(const cUnit& unit) const
{
    return m_UnitId != 0 && unit.m_Category == m_Category && unit.m_Id == m_UnitId;
}

cJednostka* cMoveUndo::FindUnit() const
{
    return g_Gra && m_UnitId != 0 ? g_Gra->FindMapUnit(m_Category, m_UnitId) : nullptr;
}

bool cMoveUndo::Undo(cJednostka* unit)
{
    cMapa* map = g_Gra ? g_Gra->m_Mapa : nullptr;
    // A unit that has died since the move has nothing left to take back.
    if (!map || !FindUnit()) {
        LogLine(LangText("undo_impossible._no_unit_has_moved_yet!"));
        return false;
    }
    if (!unit || !IsFor(*unit)) {
        LogLine(LangText("undo_impossible._only_last_unit_moved_may_undo_its_movement."));
        return false;
    }
    // Whatever the unit did after the move (an attack, say) cannot be taken back with it.
    if (unit->m_X != m_EndX || unit->m_Y != m_EndY || unit->m_ActionPoints != m_EndActionPoints ||
        unit->m_Attacked != m_EndAttacked || !map->IsInside(m_StartX, m_StartY)) {
        LogLine(LangText("undo_impossible._the_unit_has_acted_since_it_moved."));
        Clear();
        return false;
    }
    sHex* start = map->GetHex(m_StartX, m_StartY);
    // A unit that has come to the start hex since (a drop, a deployment) would lose its hex.
    if (start->unit && start->unit != unit) {
        LogLine(LangText("undo_impossible._its_starting_hex_is_taken."));
        return false;
    }
    LogLine(LangFormat("conducting_undo_movement._hexes_to_change:%i,_start_coords(%i,%i)", int(changedHexes.size()),
                       m_StartX, m_StartY));
    // Its hex let go before the start hex takes it: a move stopped before its first step
    // ends where it began, and would otherwise leave the unit on no hex.
    if (sHex* at = map->GetHex(unit->m_X, unit->m_Y); at->unit == unit)
        at->unit = nullptr;
    start->unit = unit;
    unit->m_X = m_StartX;
    unit->m_Y = m_StartY;
    unit->SetActionPoints(m_ActionPoints);
    // The one-step mark goes back to what it was before the move: one a deployment set stays.
    if (auto* land = dynamic_cast<cJednostkaLadowa*>(unit))
        land->m_JustDeployed = m_JustDeployed;
    // Newest first: a hex changed twice ends with the controller it had before the move.
    for (auto it = changedHexes.rbegin(); it != changedHexes.rend(); ++it)
        map->GetHex(it->x, it->y)->SetController(it->previousController);
    return true;
}

void cPlayState::UndoLastMove(cJednostka* unit)
{
    GLOBAL_LOCK_SCOPE();
    // The walk still under way would carry the unit on from where the undo put it.
    if (m_Move.GetUnit()) {
        LogLine(L"Undo refused: %s is still moving", m_Move.GetUnit()->m_Name);
        return;
    }
    if (!m_Undo.Undo(unit))
        return;
    SelectHex(unit->m_X, unit->m_Y);
    unit->ComputeMoveRange(false);
    SetOrderMode(unit->m_Category == CATEGORY_LAND ? ORDER_MOVE : ORDER_REBASE);
    m_Undo.Clear();
}

bool cPlayState::RebaseAirUnit(cJednostkaLotnicza& unit, int x, int y)
{
    GLOBAL_LOCK_SCOPE();
    const int startX = unit.m_X, startY = unit.m_Y, actionPoints = unit.m_ActionPoints;
    // Recorded once the unit has flown: a refused rebase leaves the last move undoable.
    if (!unit.RelocateTo(x, y))
        return false;
    m_Undo.Record(unit, startX, startY, actionPoints);
    return true;
}
