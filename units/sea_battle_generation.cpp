// Where sea battles break out at the end of an impulse: in every open-sea node, each
// side (and each neutral country at war) rolls to find the enemy ships lying there, and
// raider fleets are found by a detection roll of their own. Each battle is fought to its
// end before the search goes on.
#include <algorithm>
#include <vector>

#include "core/lock.h"
#include "core/log.h"
#include "core/random.h"
#include "core/stringbase.h"
#include "game/consts.h"
#include "game/game.h"
#include "game/play_state.h"
#include "units/combat_support.h"
#include "units/naval_unit.h"
#include "units/sea_battle.h"
#include "world/alliances.h"
#include "world/country.h"
#include "world/fleet.h"
#include "world/relations.h"
#include "world/sea_graph.h"

namespace {

// The generator's working lists: the two sides of the next battle and the raiders found.
tSeaBattleSide g_FirstSide;
tSeaBattleSide g_SecondSide;
std::vector<int> g_Raiders;

bool At(const cJednostkaMorska& ship, const sWezelGrafuMorz& node)
{
    return ship.m_Fleet && ship.m_Fleet->seaNode == node.ID;
}

bool IsRaider(const cJednostkaMorska& ship)
{
    return ship.m_Fleet && ship.m_Fleet->formation == 1;
}

bool IsShown(const cJednostkaMorska& ship)
{
    return ship.m_Fleet && ship.m_Fleet->isActive != 0;
}

int DetectionValue(const cJednostkaMorska& ship)
{
    const int t = ship.m_Type - UNIT_CARRIER;
    return t >= 0 && t < 6 ? GameConsts().SeaBattleDetection[t] : 0;
}

bool Joins()
{
    return RandomInt(1, 100) <= GameConsts().SeaBattleParticipation;
}

// The second side never holds two countries at war with each other.
bool FitsSecondSide(const cJednostkaMorska& ship)
{
    for (const cJednostkaMorska* other : g_SecondSide)
        if (CountriesAtWar(other->m_Owner, ship.m_Owner))
            return false;
    return true;
}

bool OnSide(const cJednostkaMorska& ship, int side)
{
    const cPanstwo* owner = ship.GetOwner();
    return owner && owner->IsOnSide(side);
}

// Every country learns of a battle; the text is the status line too.
void AnnounceSeaBattle(const std::wstring& text)
{
    LogLine(text);
    PostInfoPanelMessage(text);
    for (int id = 1; id <= CountryCount(); ++id)
        AddCombatReport(20, id, text);
}

void Fight(const std::wstring& text)
{
    cSeaBattle battle(g_FirstSide, g_SecondSide);
    AnnounceSeaBattle(text);
    battle.Run();
    g_FirstSide.clear();
    g_SecondSide.clear();
}

// The first side is built again from the ships that qualify, each joining by a roll.
template <typename Qualifies>
void RollFirstSide(const sWezelGrafuMorz& node, Qualifies qualifies)
{
    g_FirstSide.clear();
    for (cJednostkaMorska* ship : g_Gra->m_NavalUnits)
        if (At(*ship, node) && !IsRaider(*ship) && IsShown(*ship) && qualifies(*ship) && Joins())
            g_FirstSide.push_back(ship);
}

// Steps 5 and 6: the regular battle of one side (or one neutral country) in the node.
template <typename OwnShip, typename EnemyShip>
void RegularBattle(const sWezelGrafuMorz& node, OwnShip own, EnemyShip enemy, bool neutral, const std::wstring& text)
{
    g_FirstSide.clear();
    g_SecondSide.clear();
    int detection = 0;
    for (cJednostkaMorska* ship : g_Gra->m_NavalUnits) {
        if (!At(*ship, node) || IsRaider(*ship))
            continue;
        if (own(*ship) && IsShown(*ship)) {
            detection += DetectionValue(*ship);
            if (Joins())
                g_FirstSide.push_back(ship);
        }
        if (enemy(*ship) && Joins() && FitsSecondSide(*ship))
            g_SecondSide.push_back(ship);
    }
    if (g_FirstSide.empty() || g_SecondSide.empty())
        return;
    if (RandomInt(1, 1000) > detection) {
        LogLine(LangText("check_failed._no_battle_here_this_time."));
        return;
    }
    LogLine(neutral ? LangText("check_succeeded._starting_battle.") : std::wstring(L"Check succeeded, starting battle"));
    Fight(text);
}

// The raiders at the node that the side's (or country's) shown ships may detect, and the
// detection those ships bring.
template <typename OwnShip, typename EnemyRaider>
int FindRaiders(const sWezelGrafuMorz& node, OwnShip own, EnemyRaider enemyRaider)
{
    g_Raiders.clear();
    int detection = 0;
    for (const cJednostkaMorska* ship : g_Gra->m_NavalUnits) {
        if (!At(*ship, node))
            continue;
        if (own(*ship) && !IsRaider(*ship) && IsShown(*ship))
            detection += DetectionValue(*ship);
        if (IsRaider(*ship) && enemyRaider(*ship))
            g_Raiders.push_back(ship->m_Id);
    }
    return detection;
}

std::wstring FleetsMetText(int side, const std::wstring& node)
{
    switch (side) {
    case 1: return LangFormat("allied_fleets_have_met_enemy_formations_in_%s", node);
    case 2: return LangFormat("axis_fleets_have_met_enemy_formations_in_%s", node);
    default: return LangFormat("comintern_fleets_have_met_enemy_formations_in_%s", node);
    }
}

std::wstring RaiderMetText(int side, const std::wstring& raider, const std::wstring& node)
{
    switch (side) {
    case 1: return LangFormat("allied_fleets_have_met_enemy_raider_(%s)_in_%s", raider, node);
    case 2: return LangFormat("axis_fleets_have_met_enemy_raider_(%s)_in_%s", raider, node);
    default: return LangFormat("comintern_fleets_have_met_enemy_raider_(%s)_in_%s", raider, node);
    }
}

void BattlesAtNode(const sWezelGrafuMorz& node, const int leaders[4])
{
    // A side without a leader fights no battle of its own, but the others still do: one
    // alliance's lost leader must not end the war at sea between the others.
    for (int side = 1; side <= 3; ++side) {
        const int leader = leaders[side];
        if (leader < 1)
            continue;
        RegularBattle(
            node, [side](const cJednostkaMorska& s) { return OnSide(s, side); },
            [leader](const cJednostkaMorska& s) { return s.m_Fleet && CountriesAtWar(s.m_Fleet->owner, leader); }, false,
            FleetsMetText(side, node.Name));
    }
    for (const cPanstwo* country : g_Gra->m_Countries) {
        if (country->Alliance != ALLIANCE_NEUTRAL || !country->IsAtWar())
            continue;
        const int id = country->ID;
        RegularBattle(
            node, [id](const cJednostkaMorska& s) { return s.m_Owner == id; },
            [id](const cJednostkaMorska& s) { return CountriesAtWar(s.m_Owner, id); }, true,
            LangFormat("fleets_of_%s_have_met_enemy_formations_in_%s", country->Name, node.Name));
    }
    for (int side = 1; side <= 3; ++side) {
        const int leader = leaders[side];
        if (leader < 1)
            continue; // as above: a side without a leader does not end the others' search
        const int detection = FindRaiders(
            node, [side](const cJednostkaMorska& s) { return OnSide(s, side); },
            [leader](const cJednostkaMorska& s) { return s.m_Fleet && CountriesAtWar(s.m_Fleet->owner, leader); });
        if (g_Raiders.empty())
            continue;
        const int chance = detection / int(g_Raiders.size());
        for (int raiderId : std::vector<int>(g_Raiders)) {
            if (RandomInt(1, 1000) > chance)
                continue;
            // An earlier battle here may have sunk it.
            cJednostkaMorska* raider = g_Gra->FindNavalUnitById(raiderId);
            if (!raider)
                continue;
            RollFirstSide(node, [side](const cJednostkaMorska& s) { return OnSide(s, side); });
            if (g_FirstSide.empty())
                continue;
            g_SecondSide.assign(1, raider);
            Fight(RaiderMetText(side, raider->m_Name, node.Name));
        }
    }
    for (const cPanstwo* country : g_Gra->m_Countries) {
        if (country->Alliance != ALLIANCE_NEUTRAL || !country->IsAtWar())
            continue;
        const int id = country->ID;
        const int detection = FindRaiders(
            node, [id](const cJednostkaMorska& s) { return s.m_Owner == id; },
            [id](const cJednostkaMorska& s) { return CountriesAtWar(s.m_Owner, id); });
        if (g_Raiders.empty())
            continue;
        const int chance = detection / int(g_Raiders.size());
        LogLine(L"Szansa wykrycia 1 rajdera na %s wynosi %i", node.Name, chance);
        for (int raiderId : std::vector<int>(g_Raiders)) {
            // Every raider found is rolled for, as for the sides, even one an earlier battle
            // here has sunk; that one has no name left to log and fights no more.
            const bool detected = RandomInt(1, 1000) <= chance;
            cJednostkaMorska* raider = g_Gra->FindNavalUnitById(raiderId);
            if (!raider)
                continue;
            if (!detected) {
                LogLine(LangFormat("check_for_raider_detection_(for_%s)_failed!", raider->m_Name));
                continue;
            }
            LogLine(LangFormat("check_for_raider_detection_(for_%s)_succeeded!", raider->m_Name));
            const int raiderOwner = raider->m_Owner;
            RollFirstSide(node, [id, raiderOwner](const cJednostkaMorska& s) {
                return s.m_Owner == id && CountriesAtWar(s.m_Owner, raiderOwner);
            });
            if (g_FirstSide.empty())
                continue;
            g_SecondSide.assign(1, raider);
            Fight(LangFormat("fleets_of_%s_have_met_enemy_raider_(%s)_in_%s", country->Name, raider->m_Name, node.Name));
        }
    }
}

void RemoveSunkShips()
{
    for (;;) {
        auto it = std::find_if(g_Gra->m_NavalUnits.begin(), g_Gra->m_NavalUnits.end(),
                               [](const cJednostkaMorska* s) { return s->m_HP < 1; });
        if (it == g_Gra->m_NavalUnits.end())
            return;
        DestroyInCombat(*it);
    }
}

} // namespace

void RunSeaBattles()
{
    if (!g_Gra || !g_Gra->m_SeaGraph)
        return;
    // Sunk ships removed and battles fought change the lists the main thread draws, so the
    // generator holds the lock throughout; each wait for a battle's screen gives it up.
    GLOBAL_LOCK_SCOPE();
    g_FirstSide.clear();
    g_SecondSide.clear();
    g_Raiders.clear();
    PostInfoPanelMessage(LangText("please_wait"));
    LogLine(LangText("sea_battles_generator_thread_started"));
    // The sea battles' own scan takes the last holder of a leader's code, the game's alliance
    // leader (GetAllianceLeader) the first: they disagree, and one leader leads both.
    int leaders[4] = {0, -1, -1, -1};
    for (int side = 1; side <= 3; ++side)
        if (const cPanstwo* leader = FindAllianceLeader(g_Gra->m_Countries, side))
            leaders[side] = leader->ID;

    RunSurpriseAttacks();
    RemoveSunkShips();
    for (const sWezelGrafuMorz& node : g_Gra->m_SeaGraph->Nodes)
        if (node.Kind == SEA_NODE_SEA)
            BattlesAtNode(node, leaders);
    LogLine(LangText("ending_sea_battle_generator_thread"));
    g_Gra->SetGameState(kStateEndOfImpulse);
}
