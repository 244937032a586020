// One computer turn: the fixed order of the opponent's phases, long at war and short at
// peace, and the marks that open every turn.
#include <chrono>

#include "ai/ai.h"
#include "ai/ai_presentation.h"
#include "ai/ai_thread.h"
#include "core/lock.h"
#include "core/log.h"
#include "game/game.h"
#include "game/play_state.h"
#include "world/city.h"
#include "world/country.h"

sAIPhaseClock g_AIPhaseClock;

void sAIPhaseClock::Add(const std::wstring& phase, double seconds)
{
    for (auto& [name, total] : totals)
        if (name == phase)
        {
            total += seconds;
            return;
        }
    totals.push_back({phase, seconds});
}

namespace {

// Times one phase of the turn into the phase clock.
template <typename Phase>
void Timed(const wchar_t* name, Phase phase)
{
    // Before each phase the pause menu holds play, the project's choice (the menu opens in the
    // computer's phase too; else it would play on under it); a thread asked to stop plays none.
    WaitWhilePlayPaused();
    if (!ThreadMayRun())
        return;
    const cPanstwo* country = g_Gra && g_Gra->m_PlayState ? g_Gra->m_PlayState->GetActiveCountry() : nullptr;
    SetAIThreadPlace(FormatText(L"%s: %s", country ? country->Name : std::wstring(), name));
    const auto start = std::chrono::steady_clock::now();
    {
        // Every phase changes game data under the lock; the moves and pauses inside give
        // it up while they wait.
        GLOBAL_LOCK_SCOPE();
        phase();
    }
    g_AIPhaseClock.Add(name, std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
}

void LogPhase(const cPanstwo& country, const wchar_t* what)
{
    LogLine(L"[AI]: %ls - %ls", country.Name, what);
}

} // namespace

void cAI::MarkAttackableCities()
{
    if (!g_Gra || !m_Country)
        return;
    for (cMiasto* city : g_Gra->m_Cities)
        city->MayBeAttacked = 1;
    for (cMiasto* city : m_Country->AIParameters.DoNotAttackCities)
        if (city)
            city->MayBeAttacked = 0;
}

void cAI::PlayTurn()
{
    if (!g_Gra || !g_Gra->m_PlayState || !g_Gra->m_PlayState->GetActiveCountry())
        return;
    m_Country = g_Gra->m_PlayState->GetActiveCountry();
    const cPanstwo& country = *m_Country;
    const std::wstring opening = FormatText(L"[AI] %ls: NEW TURN", country.Name);
    PostInfoPanelMessage(opening);
    LogLine(opening);
    Timed(L"turn start", [this] { MarkAttackableCities(); });
    Timed(L"diplomacy", [this] { ConductDiplomacy(); });
    auto fronts = [this] {
        EvaluateNodeStrengths();
        UpdateFronts();
        SumFrontStrengths();
    };

    if (country.IsAtWar())
    {
        LogLine(L"[AI]: %s ma wojne", country.Name);
        Timed(L"unit lists", [this] { BuildUnitLists(); });
        Timed(L"declarations of war", [this] { DeclareWars(); });
        // The new wars change which units are enemies.
        Timed(L"unit lists", [this] { BuildUnitLists(); });
        Timed(L"fronts", fronts);
        Timed(L"commanders", [this] { AssignCommanders(); });
        LogPhase(country, L"Replacements");
        Timed(L"replacements", [this] {
            BuyAirReplacements(0.5f);
            BuyLandReplacements(0.5f);
            RepairShips();
        });
        Timed(L"saving poorly defended fronts", [this] { SavePoorlyDefendedFronts(); });
        Timed(L"strategic moves to fronts", [this] { MoveStrategicallyToFronts(); });
        LogPhase(country, L"Rebasing air units");
        Timed(L"air rebasing", [this] {
            RebaseAirUnits();
            ScenarioSpecificStep();
        });
        Timed(L"purchases", [this] { PurchaseUnits(); });
        LogPhase(country, L"Deploying new units");
        Timed(L"deployment", [this] { DeployAll(); });
        LogPhase(country, L"Air fights");
        Timed(L"air fights", [this] { FightInTheAir(); });
        Timed(L"attacks", [this] {
            AttackMultipleDirections();
            AttackOneSide();
        });
        LogPhase(country, L"Checking the state of fronts (before operational planning)");
        Timed(L"fronts", fronts);
        if (NeedsLineOfDefence())
        {
            LogPhase(country, L"Calculating line of defence...");
            Timed(L"line of defence", [this] { CalculateLineOfDefence(); });
        }
        LogPhase(country, L"Operational planning...");
        LogLine(L"bu 1");
        Timed(L"operational planning", [this] { PlanOperations1(); });
        LogLine(L"bu 2");
        Timed(L"invasion build-up", [this] { PlanInvasionBuildUp(); });
        LogLine(L"bu 3");
        Timed(L"air strikes", [this] { PlanAirStrikes(); });
        LogLine(L"bu 4");
        Timed(L"air strikes on ships", [this] { StrikeShipsFromTheAir(); });
        LogLine(L"bu 5");
        Timed(L"sea invasion", [this] { PlanSeaInvasion(); });
        LogLine(L"bu 6");
        LogPhase(country, L"Executing operational moves...");
        Timed(L"operational moves", [this] { ExecuteOperationalMoves(); });
        LogPhase(country, L"Planning sea transport of units to front...");
        if (m_Country->AIParameters.TransportsUnitsToFrontsBySea)
            Timed(L"sea transport to fronts", [this] { TransportUnitsToFrontsBySea(); });
        Timed(L"strategic bombing", [this] { BombEnemyCities(); });
        Timed(L"naval phase", [this] { RunNavalPhase(); });
        Timed(L"operational moves", [this] {
            if (ShouldExecuteMovesAgain())
                ExecuteOperationalMoves();
        });
        // Before the last replacements, not after them: the convoys are only planned here (they
        // sail at the impulse's end) and the replacements spend production points alone, so
        // neither sees what the other did.
        Timed(L"supply convoys", [this] { PlanSupplyConvoys(); });
        Timed(L"replacements", [this] {
            BuyAirReplacements(0.98f);
            BuyLandReplacements(0.98f);
        });
    }
    else
    {
        LogLine(L"[AI]: %s nie ma wojny", country.Name);
        // Fronts of an earlier war turn say nothing now.
        m_Fronts.clear();
        Timed(L"unit lists", [this] { BuildUnitLists(); });
        Timed(L"purchases", [this] { PurchaseUnits(); });
        LogPhase(country, L"Deploying new units");
        Timed(L"deployment", [this] { DeployAll(); });
        Timed(L"unit lists", [this] { BuildUnitLists(); });
        Timed(L"naval phase", [this] { RunNavalPhase(); });
        Timed(L"supply convoys", [this] { PlanSupplyConvoys(); });
    }
    LogLine(L"[AI]: Ending turn");
}
