// One computer turn: the phases in their fixed order, the war sequence for a country at
// war and the short one at peace.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/ai/ai_test_game.h"
#include "tests/test_support.h"

namespace ai_tests {
namespace {

class AITurn : public cAIGame
{
};

TEST_F(AITurn, ACountryAtWarPlaysTheLongSequence)
{
    testing_support::ClearLog();
    AIOf(kBorussia).PlayTurn();
    EXPECT_TRUE(testing_support::LogHasInOrder({
        L"[AI] Borussia: NEW TURN",
        L"[AI]: Borussia ma wojne",
        L"[AI Borussia] Wyznaczam listy jednostek",
        L"Kraj ID = 2 (Borussia) zaktualizowal liste frontow do liczby 1",
        L"[AI]: Borussia - Replacements",
        L"[AI]: Borussia - Deploying new units",
        L"[AI]: Borussia - Checking the state of fronts (before operational planning)",
        L"[AI]: Borussia - Operational planning...",
        L"bu 1",
        L"bu 6",
        L"[AI]: Borussia - Executing operational moves...",
        L"[AI]: Ending turn",
    }));
}

TEST_F(AITurn, ACountryAtPeaceNeitherBuildsFrontsNorPlans)
{
    cAI& ai = AIOf(kRuthenia);
    ai.m_Fronts.emplace_back();
    testing_support::ClearLog();
    g_AIPhaseClock.Reset();
    ai.PlayTurn();
    // A phase that runs twice is timed under its one name.
    std::vector<std::wstring> timed;
    for (const auto& [phase, seconds] : g_AIPhaseClock.totals)
        timed.push_back(phase);
    EXPECT_EQ(timed, (std::vector<std::wstring>{L"turn start", L"diplomacy", L"unit lists", L"purchases", L"deployment",
                                                L"naval phase", L"supply convoys"}));
    EXPECT_TRUE(testing_support::LogHasInOrder(
        {L"[AI] Ruthenia: NEW TURN", L"[AI]: Ruthenia nie ma wojny", L"[AI]: Ruthenia - Deploying new units",
         L"[AI]: Ending turn"}));
    EXPECT_FALSE(testing_support::LogContains(L"bu 1"));
    EXPECT_TRUE(ai.m_Fronts.empty()) << "fronts of an earlier war turn are dropped";
}

TEST_F(AITurn, EveryCityMayBeAttackedButThoseTheCountryListsAsNot)
{
    cAI& ai = AIOf(kBorussia);
    City(L"Moskva")->MayBeAttacked = 0;
    ai.MarkAttackableCities();
    EXPECT_EQ(City(L"Berna")->MayBeAttacked, 0);
    EXPECT_EQ(City(L"Moskva")->MayBeAttacked, 1);
    AIOf(kRuthenia).MarkAttackableCities();
    EXPECT_EQ(City(L"Berna")->MayBeAttacked, 1) << "the marks are the country's whose turn runs";

    // No country, no marks and no turn.
    cAI idle;
    City(L"Berna")->MayBeAttacked = 0;
    idle.MarkAttackableCities();
    game->m_PlayState->SetActiveCountry(nullptr);
    testing_support::ClearLog();
    idle.PlayTurn();
    EXPECT_EQ(City(L"Berna")->MayBeAttacked, 0);
    EXPECT_FALSE(testing_support::LogContains(L"[AI]: Ending turn"));
}

} // namespace
} // namespace ai_tests
