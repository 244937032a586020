// The end of an impulse: units, countries, cities and sea nodes age and refresh, the
// economy, the scripted events and the game-over test run, supply is computed, and the
// impulse counter and the date move on.
#include <vector>

#include "core/lock.h"
#include "core/log.h"
#include "core/stringbase.h"
#include "game/game.h"
#include "game/play_state.h"
#include "game/presentation.h"
#include "units/air_unit.h"
#include "units/land_unit.h"
#include "units/naval_unit.h"
#include "units/sea_battle.h"
#include "world/city.h"
#include "world/country.h"
#include "world/fleet.h"
#include "world/map.h"
#include "world/sea_graph.h"
#include "world/supply.h"

namespace {

// Values of consts.csv row 115 that the end of an impulse reads.
constexpr int kWarEconomyGrowth = 3;
constexpr int kWarEconomyGrowthOfRegimes = 4;
constexpr int kUnrestDecay = 5;
constexpr int kFullWarEconomyChange = 6;

void ExpireMulberries(cGra& game)
{
    if (game.m_Date[1] == game.m_MulberryMonth)
        return;
    LogLine(L"Zmniejszam liczniki zycia mulberry");
    game.m_MulberryMonth = game.m_Date[1];
    std::vector<cJednostkaLadowa*> expired;
    for (cJednostkaLadowa* unit : game.m_LandUnits)
        if (unit->m_Type == UNIT_MULBERRY) {
            auto* mulberry = static_cast<cMulberry*>(unit);
            // Compared before the month is taken off: the lowest life would wrap round to the
            // highest and the harbour would stand for ever.
            if (mulberry->m_RemainingMonths <= 1)
                expired.push_back(unit);
            else
                --mulberry->m_RemainingMonths;
        }
    // Killed after the pass: a kill takes the unit off the list being walked.
    for (cJednostkaLadowa* unit : expired)
        unit->Kill();
}

void Entrench(cGra& game)
{
    LogLine(L"Modyfikuje jednostkam bonusy z okopania");
    for (cJednostkaLadowa* u : game.m_LandUnits) {
        if (u->m_StartingActionPoints == 0 && !u->m_JustDeployed)
            ++u->m_TrenchBonus;
        else if (u->m_ActionPoints == u->m_StartingActionPoints && u->m_StartingActionPoints > 0)
            ++u->m_TrenchBonus;
        else if (u->m_X != u->m_LastX || u->m_Y != u->m_LastY)
            u->m_TrenchBonus = 0;
        u->m_LastX = u->m_X;
        u->m_LastY = u->m_Y;
        if (u->m_TrenchBonus > game.m_Consts.EntrenchmentCeiling)
            u->m_TrenchBonus = game.m_Consts.EntrenchmentCeiling;
    }
}

void CommandersReachHeadquarters(cGra& game)
{
    LogLine(L"Dow\u0102\u0142dcy w drodze do sztabu docieraja do nich");
    for (sDowodca* commander : game.m_Commanders)
        if (commander->State == 1)
            commander->State = 0;
}

void ClearCountryImpulseFlags(cGra& game)
{
    LogLine(L"Zaznaczam kazdemu panstwu rozne pierdoly");
    for (cPanstwo* c : game.m_Countries)
        if (c->IsActive) {
            c->FinishedTurn = false;
            c->DoneDelayWarEntry = false;
            c->DoneHasteWarEntry = false;
            c->DoneTurnInOrientation = false;
            c->DoneExertPressureAxis = false;
            c->DoneExertPressureAllied = false;
            c->DoneExertPressureComintern = false;
        }
}

void RebuildBombedProduction(cGra& game)
{
    LogLine(L"Odbudowuje zniszczenia produkcji");
    for (cMiasto* city : game.m_Cities)
        if (city->ProductionPointsLost > 0) {
            city->ProductionPoints += 1.0f;
            --city->ProductionPointsLost;
        }
}

void RepairPorts(cGra& game)
{
    LogLine(L"Odbudowuje zniszczenia z portow");
    if (!game.m_SeaGraph)
        return;
    for (sWezelGrafuMorz& node : game.m_SeaGraph->Nodes) {
        if (node.Kind == SEA_NODE_PORT && node.SizeCurrent < node.SizeMax)
            ++node.SizeCurrent;
        node.ShareBestCommander(-1);
    }
}

void ClearEventsEffects(cGra& game)
{
    LogLine(L"Zeruje efektywnosci z eventu dla jedn ladowych");
    for (cJednostkaLadowa* u : game.m_LandUnits)
        u->m_EventsEffect = 0;
}

void ComputeSupply(cGra& game)
{
    if (cZaopatrzenie* supply = game.m_PlayState ? game.m_PlayState->GetSupplyWorkArea() : nullptr) {
        supply->CalculateSupply();
        supply->SupplyFromMulberries();
        supply->SupplyFromShips();
    }
    if (game.m_Mapa)
        game.m_Mapa->AbsorbUnsuppliedHexes();
}

void RefreshLandUnits(cGra& game)
{
    LogLine(L"Refreshuje wspolczynniki dla jednostek ladowych");
    const float mulberryCeiling = game.m_Consts.Mulberry[2];
    for (cJednostkaLadowa* u : game.m_LandUnits) {
        if (u->m_Type == UNIT_MULBERRY && u->GetCombatStrength() > mulberryCeiling)
            u->SetStrength(-1);
        if (u->m_FreezeTime < 10000)
            --u->m_FreezeTime;
        if (u->m_FreezeTime < 0)
            u->m_FreezeTime = 0;
        u->m_ShoreBombardmentEffect = 0.0f;
        u->ResetActionPoints();
        u->UpdateCommandingCommander();
        u->RecalculateEfficiency();
        u->m_Attacked = false;
        u->m_WasAttacked = false;
        u->m_SpottedEnemy = false;
    }
}

void RefreshAirUnits(cGra& game)
{
    LogLine(L"Refreshuje wspolczynniki dla jednostek lotniczych");
    for (cJednostkaLotnicza* u : game.m_AirUnits) {
        u->ResetActionPoints();
        u->UpdateCommandingCommander();
        u->RecalculateEfficiency();
        u->m_Attacked = false;
        u->m_WasAttacked = false;
        u->m_SpottedEnemy = false;
        u->m_AirReconDone = false;
    }
}

void RefreshNavalUnits(cGra& game)
{
    LogLine(L"Refreshuje wspolczynniki dla jednostek morskich");
    for (cJednostkaMorska* ship : game.m_NavalUnits) {
        ship->m_ShoreBombardmentDone = false;
        ship->m_AirstrikeDone = false;
        ship->m_ReconDone = false;
        ship->m_CanBeRepaired = true;
    }
}

void RefreshFleets(cGra& game)
{
    LogLine(L"Refreshuje wspolczynniki dla flot");
    for (cFlota* fleet : game.m_Fleets)
        fleet->movedThisTurn = 0;
}

void CountDownReserve(cGra& game)
{
    LogLine(L"Zmniejszam czas produkcji...");
    for (cUnit* u : game.m_Reserve)
        if (u->m_AvailableInTurns > 0)
            --u->m_AvailableInTurns;
    for (cJednostkaMorska* ship : game.m_NavalReserve)
        if (ship->m_AvailableInTurns > 0)
            --ship->m_AvailableInTurns;
}

void ClearDiscoveredUnits(cGra& game)
{
    LogLine(L"Czyszcze listy odkrytych jednostek");
    for (cPanstwo* c : game.m_Countries)
        c->ReconUnits.clear();
}

void RefreshCountries(cGra& game, bool full)
{
    LogLine(L"Odswiezam rozne wspolczynniki dla wszystkich krajow");
    const float* shares = game.m_Consts.ProductionShares;
    const bool monthStarts = game.IsFirstImpulseOfMonth();
    for (cPanstwo* c : game.m_Countries) {
        if (!c->IsActive)
            continue;
        c->ChangeSocialUnrest(-shares[kUnrestDecay]);
        c->SMP = c->SMPMax;
        c->AIPMax = c->AIP;
        c->AddAmphibiousCapacityOfShips();
        if (!full || !monthStarts || !c->IsAtWar())
            continue;
        if (c->WarEconomy < 100.0f) {
            const bool regime = c->Orientation == ORIENTATION_NATIONALIST || c->Orientation == ORIENTATION_COMMUNIST;
            c->WarEconomy += shares[regime ? kWarEconomyGrowthOfRegimes : kWarEconomyGrowth];
            if (c->WarEconomy > 100.0f)
                c->WarEconomy = 100.0f;
        } else {
            c->WarEconomy += shares[kFullWarEconomyChange];
        }
    }
}

void FightSeaBattles(cGra& game)
{
    LogLine(L"Rozgrywam bitwy morskie");
    PostInfoPanelMessage(LangText("statusbar_hint_determining_sea_battles"));
    game.SetGameState(kStateSeaBattles);
    // A battle a person fights waits for the screen without the global lock.
    RunSeaBattles();
}

} // namespace

bool cGra::IsFirstImpulseOfMonth() const
{
    return m_Date[0] == 1;
}

void cGra::AdvanceDate()
{
    ++m_Date[0];
    if (m_Date[0] > GetGameDate().ImpulsesInMonth(m_Date[1])) {
        m_Date[0] = 1;
        ++m_Date[1];
        if (m_Date[1] > 12) {
            m_Date[1] = 1;
            ++m_Date[2];
        }
    }
}

void cGra::EndImpulse(bool full)
{
    // Every step changes what the screen draws, so each holds the global lock; a step that
    // waits for a person gives it up for the wait.
    {
        GLOBAL_LOCK_SCOPE();
        LogLine(L"Zaczynam wykonywanie konca impulsu");
        PostInfoPanelMessage(LangText("end_of_turn"));
    }
    for (void (*step)(cGra&) : {ExpireMulberries}) {
        GLOBAL_LOCK_SCOPE();
        step(*this);
    }
    {
        GLOBAL_LOCK_SCOPE();
        LogLine(L"Losuje pogode");
        if (m_Mapa)
            m_Mapa->RollWeather(m_Date[1] - 1);
    }
    for (void (*step)(cGra&) : {Entrench, CommandersReachHeadquarters, ClearCountryImpulseFlags,
                                RebuildBombedProduction, RepairPorts, ClearEventsEffects}) {
        GLOBAL_LOCK_SCOPE();
        step(*this);
    }
    if (full) {
        for (void (cGra::*step)() : {&cGra::CheckSurrenders, &cGra::CheckSieges, &cGra::CalculateProduction,
                                     &cGra::CalculateUpkeep, &cGra::CalculateResearch}) {
            GLOBAL_LOCK_SCOPE();
            (this->*step)();
        }
        // A play-by-e-mail game checks its events when the order reaches the dummy country.
        // The check takes the lock step by step: a person may be asked to choose.
        if (!m_IsPbem)
            CheckEvents();
        {
            GLOBAL_LOCK_SCOPE();
            CheckGameOver();
        }
        if (m_GameOver)
            return;
    }
    {
        GLOBAL_LOCK_SCOPE();
        ComputeSupply(*this);
    }
    if (full) {
        GLOBAL_LOCK_SCOPE();
        LogLine(L"Rozgrywam dodatkowe");
        PostInfoPanelMessage(LangText("statusbar_hint_convoys_results"));
        ShowConvoyResults();
    }
    for (void (*step)(cGra&) : {RefreshLandUnits, RefreshAirUnits, RefreshNavalUnits, RefreshFleets}) {
        GLOBAL_LOCK_SCOPE();
        step(*this);
    }
    if (full) {
        GLOBAL_LOCK_SCOPE();
        CountDownReserve(*this);
    }
    {
        GLOBAL_LOCK_SCOPE();
        ClearDiscoveredUnits(*this);
        RefreshCountries(*this, full);
    }
    if (full) {
        GLOBAL_LOCK_SCOPE();
        FightSeaBattles(*this);
    }
    GLOBAL_LOCK_SCOPE();
    ++m_Turn;
    --m_TurnsLeft;
    LogLine(L"Zmieniam date");
    AdvanceDate();
    // The first turn of a new scenario shows the day its files start on, though the pass
    // that makes the game moves the date one impulse on; from the next turn on the day
    // shown (and named by a save in the list) is the game's date.
    if (full) {
        m_DisplayedDate[0] = GetGameDate().GetDayOfMonth();
        m_DisplayedDate[1] = m_Date[1];
        m_DisplayedDate[2] = m_Date[2];
    }
    // The land changed hands in the impulse: the minimap's ownership layer follows.
    Presentation().RefreshMinimap();
    LogLine(L"Koniec impulsu wykonany");
}
