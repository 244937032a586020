// One computer turn: the fixed order of the opponent's phases, long at war and short at
// peace, and the marks that open every turn.
#include "ai/ai.h"
#include "ai/ai_presentation.h"
#include "core/log.h"
#include "game/game.h"
#include "game/play_state.h"
#include "world/city.h"
#include "world/country.h"

namespace {

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
    InfoPanelForPerson(opening);
    LogLine(opening);
    MarkAttackableCities();
    // Diplomacy of the computer opponent comes here.

    if (country.IsAtWar())
    {
        LogLine(L"[AI]: %s ma wojne", country.Name);
        BuildUnitLists();
        // The computer's declarations of war come here; the lists are built again after them.
        BuildUnitLists();
        EvaluateNodeStrengths();
        UpdateFronts();
        SumFrontStrengths();
        // Commanders, then the replacements (threshold 0.5) and ship repairs.
        LogPhase(country, L"Replacements");
        // Strategic moves to fronts, air rebasing, purchases.
        LogPhase(country, L"Rebasing air units");
        LogPhase(country, L"Deploying new units");
        LogPhase(country, L"Air fights");
        LogPhase(country, L"Checking the state of fronts (before operational planning)");
        EvaluateNodeStrengths();
        UpdateFronts();
        SumFrontStrengths();
        if (NeedsLineOfDefence())
        {
            LogPhase(country, L"Calculating line of defence...");
            CalculateLineOfDefence();
        }
        LogPhase(country, L"Operational planning...");
        LogLine(L"bu 1");
        LogLine(L"bu 2");
        LogLine(L"bu 3");
        LogLine(L"bu 4");
        LogLine(L"bu 5");
        LogLine(L"bu 6");
        LogPhase(country, L"Executing operational moves...");
        LogPhase(country, L"Planning sea transport of units to front...");
    }
    else
    {
        LogLine(L"[AI]: %s nie ma wojny", country.Name);
        // Fronts of an earlier war turn say nothing now.
        m_Fronts.clear();
        BuildUnitLists();
        LogPhase(country, L"Deploying new units");
        BuildUnitLists();
    }
    LogLine(L"[AI]: Ending turn");
}
