// The computer's air war: fighters against enemy air units, tactical bombers against the
// strongest enemy land units and against sea zones with enemy ships, and strategic
// bombers against the richest enemy cities. A unit a fight destroys leaves the game at
// once; the walks hold unit ids, never pointers, across a fight.
#include <set>

#include "ai/ai.h"
#include "ai/ai_presentation.h"
#include "core/log.h"
#include "core/random.h"
#include "core/settings.h"
#include "game/game.h"
#include "game/play_counts.h"
#include "game/play_state.h"
#include "units/air_unit.h"
#include "units/combat_result.h"
#include "units/combat_support.h"
#include "units/land_unit.h"
#include "units/naval_unit.h"
#include "units/unit.h"
#include "units/unit_access.h"
#include "world/city.h"
#include "world/country.h"
#include "world/fleet.h"
#include "world/map.h"
#include "world/relations.h"
#include "world/sea_graph.h"
#include "world/world.h"

namespace {

// A watching person sees the camera go to the hex, the hex marked, and waits.
void ShowTarget(int x, int y)
{
    CenterCameraOn(x, y);
    PauseForPerson(DELAY_AI_COMBAT_BEFORE);
    MarkAttackTarget(x, y, true);
    PauseForPerson(DELAY_AI_COMBAT_BEFORE);
}

// A shown result: the outcome on the map a moment, then its window, as the other strikes
// of the computer's turn; nothing when the result window is switched off.
void ShowResult(bool shown, const sCombatResult& result)
{
    if (!shown || g_DelayValues[DELAY_AI_COMBAT_RESULT] == 0.0f)
        return;
    PauseForPerson(DELAY_AI_COMBAT_AFTER);
    PresentCombatResult(result, true);
}

// A unit that flew a mission and died in it, by the result it came back with.
void RemoveIfKilled(const sCombatResult& result, int airUnitId)
{
    if (!result.attackerKilled)
        return;
    if (cJednostkaLotnicza* unit = g_Gra->FindAirUnitById(airUnitId))
        DestroyInCombat(unit);
}

} // namespace

bool HasEnemyShipInNode(int countryId, int nodeId)
{
    const cRelationsMatrix* relations = WorldRelations();
    if (!g_Gra || !relations)
        return false;
    for (const cFlota* fleet : g_Gra->m_Fleets)
        if (fleet->seaNode == nodeId)
            for (const cJednostkaMorska* ship : fleet->ships)
                if (relations->IsAtWar(countryId, ship->m_Owner))
                    return true;
    return false;
}

void cAI::CollectEnemyShipNodes(const std::set<int>& nodes, std::vector<int>& out) const
{
    out.clear();
    for (int id : nodes)
        if (HasEnemyShipInNode(CountryId(), id))
            out.push_back(id);
}

void cAI::FightInTheAir()
{
    for (int type : {UNIT_FIGHTER, UNIT_STRATEGIC_BOMBER, UNIT_TACTICAL_BOMBER})
        if (FightAirUnitsOfType(type))
            BuildUnitLists();
}

bool cAI::FightAirUnitsOfType(int type)
{
    std::vector<int> fighters;
    for (const cJednostkaLotnicza* unit : m_OwnAirUnits)
        if (unit->m_Type == UNIT_FIGHTER)
            fighters.push_back(unit->m_Id);
    bool changed = false;
    for (int id : fighters)
    {
        cJednostkaLotnicza* fighter = g_Gra->FindAirUnitById(id);
        if (!ThreadMayRun())
            break;
        if (!fighter || fighter->m_ActionPoints <= 0 || fighter->m_Strength < 2)
            continue;
        cJednostkaLotnicza* target = fighter->FindWeakestEnemyAirUnit(type);
        if (!target)
            continue;
        const int x = target->m_X, y = target->m_Y;
        const cPanstwo* defender = target->GetOwner();
        // Seen by the watching person's own side: the spotted flag is every side's.
        const bool seen = (fighter->m_Spotted && SeenByAPerson(fighter)) || (target->m_Spotted && SeenByAPerson(target));
        const bool shown = (seen && ShowsActionsToPerson()) || (defender && defender->HumanControlled);
        if (shown)
            ShowTarget(x, y);
        cUnit* interceptor = defender ? defender->FindBestInterceptor(x, y) : nullptr;
        sCombatResult result;
        ++g_PlayCounts.airStrikes;
        if (interceptor && type != UNIT_FIGHTER && fighter->TryIntercept(interceptor, &result))
        {
            changed = true;
            RemoveIfKilled(result, id);
            ShowResult(shown, result);
        }
        else
        {
            target->AirFight(&result, fighter);
            changed = changed || result.attackerKilled || result.defenderKilled;
            // Told to the person whose country fought, or whose side saw it; not to a person
            // far away, whom it would hold for nothing.
            ShowResult(shown || PersonFought(result), result);
        }
        // A mark set for the person whose unit was attacked goes too, seen or not: it would
        // stay on the map after the fight.
        if (seen || shown)
            MarkAttackTarget(x, y, false);
    }
    return changed;
}

namespace {

// The strongest enemy land unit the bomber may strike: within its range and not yet
// worn below half of its base strength.
cJednostkaLadowa* StrikeTarget(const cJednostkaLotnicza& bomber, const std::vector<cJednostkaLadowa*>& enemies)
{
    const sGameConsts& k = g_Gra->m_Consts;
    const int range = bomber.GetRange();
    cJednostkaLadowa* best = nullptr;
    for (cJednostkaLadowa* unit : enemies)
    {
        const int type = LandTypeIndex(unit->m_Type);
        // A harbour has no base combat value in the tables to be measured against.
        if (type < 0 || HexDistance(bomber.m_X, bomber.m_Y, unit->m_X, unit->m_Y) >= range)
            continue;
        const float base = k.LandCombatStrength[TableLevelIndex(unit->m_Level)][type];
        const float strength = unit->GetEffectiveStrength();
        if (strength >= 0.5f * base && (!best || strength > best->GetEffectiveStrength()))
            best = unit;
    }
    return best;
}

} // namespace

void cAI::PlanAirStrikes()
{
    LogLine(L"bu bu bu petla 2.5");
    // Every strike costs the bomber an action point, so the walk ends.
    for (size_t i = 0; i < m_OwnAirUnits.size() && ThreadMayRun();)
    {
        cJednostkaLotnicza* bomber = m_OwnAirUnits[i];
        if (bomber->m_ActionPoints < 1 || bomber->m_Strength < 4 || bomber->m_Type != UNIT_TACTICAL_BOMBER)
        {
            ++i;
            continue;
        }
        cJednostkaLadowa* target = StrikeTarget(*bomber, m_EnemyLandUnits);
        if (!target)
        {
            ++i;
            continue;
        }
        LogLine(L"bu bu bu petla 10");
        const int x = target->m_X, y = target->m_Y;
        const int bomberId = bomber->m_Id;
        const bool shown = IsShownToPerson(target);
        const bool visible = target->m_Spotted && SeenByAPerson(target);
        if (shown)
        {
            MarkAttackTarget(x, y, true);
            CenterCameraOn(x, y);
        }
        const cPanstwo* defender = target->GetOwner();
        cUnit* interceptor = defender ? defender->FindBestInterceptor(x, y) : nullptr;
        bomber->AddActionPoints(-1);
        ++g_PlayCounts.airStrikes;
        sCombatResult attack, interception;
        bool destroyed = false;
        if (!interceptor)
        {
            target->ReceiveAirAttack(&attack, bomber);
            ShowResult(visible, attack);
            destroyed = attack.attackerKilled || attack.defenderKilled;
        }
        else if (bomber->TryIntercept(interceptor, &interception))
        {
            LogLine(L"Przechwycenie udane, nici z ataku!");
            ShowResult(visible || PersonFought(interception), interception);
            destroyed = interception.attackerKilled || interception.defenderKilled;
        }
        else if (!g_Gra->FindAirUnitById(bomberId))
        {
            // The interceptor fell, but took the bomber with it.
            ShowResult(visible || PersonFought(interception), interception);
            interception.attackerKilled = destroyed = true;
        }
        else
        {
            target->ReceiveAirAttack(&attack, bomber);
            ShowResult(visible, attack);
            destroyed = interception.defenderKilled || attack.attackerKilled || attack.defenderKilled;
        }
        MarkAttackTarget(x, y, false);
        LogLine(L"bu bu bu petla 29");
        // A lost bomber ends the walk like any destruction: going on with it would use a
        // unit that is gone.
        RemoveIfKilled(attack.attackerKilled ? attack : interception, bomberId);
        if (!destroyed)
            continue;
        BuildUnitLists();
        if (m_OwnAirUnits.empty() || m_EnemyLandUnits.empty())
            break;
        i = 0;
    }
    LogLine(L"bu bu bu koniec");
}

void cAI::StrikeShipsFromTheAir()
{
    LogLine(L"bu bu bu bu 1");
    cGrafMorz* graph = g_Gra->m_SeaGraph;
    if (!graph)
        return;
    std::set<int> around;
    std::vector<int> targets;
    for (size_t i = 0; i < m_OwnAirUnits.size() && ThreadMayRun();)
    {
        cJednostkaLotnicza* bomber = m_OwnAirUnits[i];
        if (bomber->m_ActionPoints <= 0 || bomber->m_Type != UNIT_TACTICAL_BOMBER)
        {
            ++i;
            continue;
        }
        around.clear();
        bomber->CollectSeaNodesInRadius(around);
        CollectEnemyShipNodes(around, targets);
        if (targets.empty())
        {
            ++i;
            continue;
        }
        LogLine(L"bu bu bu bu 10");
        // The game's dice: a war is the same for the same seed.
        const sWezelGrafuMorz* node = graph->GetNode(targets[size_t(RandomInt(0, int(targets.size()) - 1))]);
        if (!node || !g_Gra->m_Mapa->IsInside(node->MainX, node->MainY))
        {
            ++i;
            continue;
        }
        const int x = node->MainX, y = node->MainY;
        // The zone's own ships are a person's side's: its count of own ships is of whichever
        // country looked at it last, the striking computer itself as likely as not.
        const bool shown = (IsShownToPerson(bomber) || PersonsShipsInNode(node->ID)) && ShowsActionsToPerson();
        if (shown)
        {
            CenterCameraOn(x, y);
            PauseForPerson(DELAY_AI_COMBAT_BEFORE);
            PauseForPerson(DELAY_AI_COMBAT_BEFORE);
        }
        sCombatResult result;
        // The bombardment spends the bomber's action point and removes it if it dies.
        g_Gra->m_Mapa->GetHex(x, y)->AirBombard(&result, bomber);
        ++g_PlayCounts.airStrikes;
        BuildUnitLists();
        if (m_OwnAirUnits.empty())
            break;
        // Its window goes to the person whose ship was hit, and to a watching person whose side
        // struck or lost a ship or a plane: a strike that hit none of his side's ships tells
        // him nothing, its defender's side empty.
        const bool sideFought = OnAPersonsSide(result.attackerCountry) || OnAPersonsSide(result.defenderCountry);
        ShowResult(PersonFought(result) || (shown && sideFought), result);
        LogLine(L"bu bu bu bu 21");
        i = 0;
    }
}

void cAI::BombEnemyCities()
{
    const sGameConsts& k = g_Gra->m_Consts;
    // Bombers shot down stay in the list walked until the walk is over.
    std::vector<cJednostkaLotnicza*> destroyed;
    for (cJednostkaLotnicza* bomber : m_OwnAirUnits)
    {
        if (!ThreadMayRun())
            break;
        if (bomber->m_Type != UNIT_STRATEGIC_BOMBER || bomber->m_Strength < k.AirFullStrength[2] / 2 ||
            bomber->m_ActionPoints < 1)
            continue;
        const int range = bomber->GetRange();
        cMiasto* best = nullptr;
        for (cMiasto* city : g_Gra->m_Cities)
        {
            if (city->ProductionPoints <= 0.0f || (best && city->ProductionPoints <= best->ProductionPoints) ||
                !IsEnemy(city->GetControllerId()) || HexDistance(bomber->m_X, bomber->m_Y, city->X, city->Y) >= range)
                continue;
            const float superiority = m_Country->GetAirSuperiorityRatio(city->X, city->Y);
            if (superiority == -1.0f || superiority >= k.AISeaTransportAirRatio)
                best = city;
        }
        if (!best)
            continue;
        sCombatResult result;
        best->StrategicBombard(&result, bomber);
        ++g_PlayCounts.airStrikes;
        if (result.attackerKilled)
            destroyed.push_back(bomber);
        // The city's player is told at once: the pause before the other strikes' windows shows
        // their outcome on the map, and a city's lost production shows nothing there.
        const cPanstwo* defender = GetCountry(best->GetControllerId());
        if (defender && (defender->HumanControlled || defender->PBEMPlayerId >= 1))
            PresentCombatResult(result, true);
    }
    if (destroyed.empty())
        return;
    for (auto bomber = destroyed.rbegin(); bomber != destroyed.rend(); ++bomber)
        DestroyInCombat(*bomber);
    BuildUnitLists();
}
