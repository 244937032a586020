// One computer turn: the fixed order of the opponent's phases, long at war and short at
// peace, and the marks that open every turn.
#include <chrono>

#include "ai/ai.h"
#include "ai/ai_presentation.h"
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
    // A thread asked to stop plays no further phase.
    if (!ThreadMayRun())
        return;
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
    // Diplomacy of the computer opponent comes here.
    auto fronts = [this] {
        EvaluateNodeStrengths();
        UpdateFronts();
        SumFrontStrengths();
    };

    if (country.IsAtWar())
    {
        LogLine(L"[AI]: %s ma wojne", country.Name);
        Timed(L"unit lists", [this] { BuildUnitLists(); });
        // The computer's declarations of war come here; the lists are built again after them.
        Timed(L"unit lists", [this] { BuildUnitLists(); });
        Timed(L"fronts", fronts);
        // Commanders, then the replacements (threshold 0.5) and ship repairs.
        LogPhase(country, L"Replacements");
        Timed(L"saving poorly defended fronts", [this] { SavePoorlyDefendedFronts(); });
        // Strategic moves to fronts, air rebasing, purchases.
        LogPhase(country, L"Rebasing air units");
        LogPhase(country, L"Deploying new units");
        Timed(L"deployment", [this] { DeployAll(); });
        LogPhase(country, L"Air fights");
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
        // Build-up on current targets, air strikes on land units and on ships and sea
        // invasions follow, each after its marker.
        LogLine(L"bu 2");
        LogLine(L"bu 3");
        LogLine(L"bu 4");
        LogLine(L"bu 5");
        LogLine(L"bu 6");
        LogPhase(country, L"Executing operational moves...");
        Timed(L"operational moves", [this] { ExecuteOperationalMoves(); });
        LogPhase(country, L"Planning sea transport of units to front...");
        // Sea transport to fronts, strategic bombing and the naval phase.
        Timed(L"operational moves", [this] {
            if (ShouldExecuteMovesAgain())
                ExecuteOperationalMoves();
        });
        // Supply convoys, then the replacements with the threshold 0.98.
    }
    else
    {
        LogLine(L"[AI]: %s nie ma wojny", country.Name);
        // Fronts of an earlier war turn say nothing now.
        m_Fronts.clear();
        Timed(L"unit lists", [this] { BuildUnitLists(); });
        // Purchases.
        LogPhase(country, L"Deploying new units");
        Timed(L"deployment", [this] { DeployAll(); });
        Timed(L"unit lists", [this] { BuildUnitLists(); });
        // The naval phase and the supply convoys.
    }
    LogLine(L"[AI]: Ending turn");
}
