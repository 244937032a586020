#pragma once
// What the computer opponent shows a person: only when a human plays, the play state
// shows the active country's actions and the unit or target is visible to the enemy and to
// the side of a person's country; a game of computers never pauses.
#include "core/lock.h"
#include "core/settings.h"
#include "units/unit_fwd.h"

struct sCombatResult;

bool IsShownToPerson(const cUnit* unit);
// A person plays and the play state shows the moving country's actions.
bool ShowsActionsToPerson();
// Whether the sea zone holds a ship of a person's country or of its allies.
bool PersonsShipsInNode(int nodeId);
// Whether the country is a person's or an ally of one.
bool OnAPersonsSide(int countryId);
// Whether a person's country fought: its person is told of the fight, seen or not.
bool PersonFought(const sCombatResult& result);
// Sets or clears the attack-target mark of a hex on the map; nothing off the map.
void MarkAttackTarget(int x, int y, bool on);
// Sleeps a delay setting, or a time in milliseconds, without holding the global lock;
// nothing when no person plays or nobody sees a screen, and it returns at once when the
// thread is asked to stop.
void PauseForPerson(eDelay delay);
void PauseMsForPerson(int ms);

// Runs a move of the play state, which takes the global lock itself and may wait for the
// screen or sleep for a watching person, with every hold of this thread's lock given up.
template <typename Move>
auto WithoutGlobalLock(Move move)
{
    struct sHolds
    {
        int depth;
        sHolds() : depth(GlobalLockDepthOfThisThread())
        {
            for (int i = 0; i < depth; ++i)
                RELEASE_GLOBAL_LOCK();
        }
        ~sHolds()
        {
            for (int i = 0; i < depth; ++i)
                ACQUIRE_GLOBAL_LOCK();
        }
    } holds;
    return move();
}
