#include "ai/ai_presentation.h"

#include <cmath>

#include "core/lock.h"
#include "game/game.h"
#include "game/presentation.h"
#include "game/play_state.h"
#include "units/combat_result.h"
#include "units/naval_unit.h"
#include "units/unit.h"
#include "world/country.h"
#include "world/fleet.h"
#include "world/map.h"
#include "world/world.h"

bool IsShownToPerson(const cUnit* unit)
{
    return g_Gra && g_Gra->HasHumanCountry() && g_Gra->m_PlayState && g_Gra->m_PlayState->ShowsActions() && unit &&
           g_World.units.isVisible(unit) && SeenByAPerson(unit);
}

bool ShowsActionsToPerson()
{
    return g_Gra && g_Gra->HasHumanCountry() && g_Gra->m_PlayState && g_Gra->m_PlayState->ShowsActions();
}

bool PersonsShipsInNode(int nodeId)
{
    if (!g_Gra)
        return false;
    for (const cFlota* fleet : g_Gra->m_Fleets)
        if (fleet->seaNode == nodeId)
            for (const cJednostkaMorska* ship : fleet->ships)
                if (OnAPersonsSide(ship->m_Owner))
                    return true;
    return false;
}

bool OnAPersonsSide(int countryId)
{
    if (!g_Gra)
        return false;
    for (const cPanstwo* country : g_Gra->m_Countries)
        if (country->IsActive && country->HumanControlled && IsCountryOrAlly(countryId, country->ID))
            return true;
    return false;
}

bool PersonFought(const sCombatResult& result)
{
    for (int id : {result.attackerCountry, result.defenderCountry})
        if (const cPanstwo* country = GetCountry(id); country && country->HumanControlled)
            return true;
    return false;
}

void MarkAttackTarget(int x, int y, bool on)
{
    cMapa* map = g_Gra ? g_Gra->m_Mapa : nullptr;
    if (!map || !map->IsInside(x, y))
        return;
    if (on)
        map->GetHex(x, y)->SetMark(MARK_ATTACK_TARGET, -1);
    else
        map->GetHex(x, y)->ClearMark(MARK_ATTACK_TARGET, true);
}

void PauseForPerson(eDelay delay)
{
    // Truncated to whole milliseconds, as every sleep of a delay setting is.
    PauseMsForPerson(int(g_DelayValues[size_t(delay)]));
}

void PauseMsForPerson(int ms)
{
    if (ms <= 0 || !g_Gra || !g_Gra->HasHumanCountry() || !Presentation().HasScreen())
        return;
    // The logged sleep gives up every hold of the lock for the pause and takes it again after.
    LOGGED_SLEEP(ms);
}
