// The computer's declarations of war: only once more than seven tenths of the units sent
// toward the targets stand ready, and never on a country it may not declare war on.
#include <gtest/gtest.h>

#include <atomic>
#include <memory>
#include <string>
#include <vector>

#include "core/lock.h"
#include "tests/ai/ai_test_game.h"
#include "tests/test_support.h"
#include "world/diplomacy.h"
#include "world/relations.h"

namespace ai_tests {
namespace {

constexpr int kHelvetia = 4;

class AIDiplomacy : public cAIGame
{
protected:
    AIDiplomacy()
    {
        // Nobody watches: a declaration pauses only for a person.
        game->m_Countries[kAlbion - 1]->HumanControlled = false;
        cPanstwo& borussia = *game->m_Countries[kBorussia - 1];
        borussia.DP = 1000;
        borussia.AIParameters.CurrentTargets = {{10, 8, -1}};  // Berna, Helvetian and neutral
    }
    // Units that exist only in the opponent's list, with the orders of a build-up.
    void Orders(cAI& ai, int ready, int marching)
    {
        ai.m_OwnLandUnits.clear();
        units.clear();
        for (int i = 0; i < ready + marching; ++i)
        {
            units.push_back(std::make_unique<cJednostkaLadowa>());
            units.back()->m_Owner = kBorussia;
            units.back()->m_AiOrder = i < ready ? 13 : 12;
            ai.m_OwnLandUnits.push_back(units.back().get());
        }
    }
    bool AtWarWithHelvetia() const { return game->m_Relations->IsAtWar(kBorussia, kHelvetia); }
    std::vector<std::unique_ptr<cJednostkaLadowa>> units;
};

TEST_F(AIDiplomacy, WarWaitsUntilMoreThanSevenTenthsOfTheUnitsAreReady)
{
    cAI& ai = AIOf(kBorussia);
    Orders(ai, 7, 3);
    ai.DeclareWars();
    EXPECT_FALSE(AtWarWithHelvetia()) << "exactly 0.7 is not enough";

    Orders(ai, 8, 2);
    ai.DeclareWars();
    EXPECT_TRUE(AtWarWithHelvetia());
    ai.m_OwnLandUnits.clear();
}

TEST_F(AIDiplomacy, ATargetOffTheMapIsSkippedAndTheNextStillCounts)
{
    cAI& ai = AIOf(kBorussia);
    game->m_Countries[kBorussia - 1]->AIParameters.CurrentTargets = {{500, 500, -1}, {11, 3, -1}, {10, 8, -1}};
    Orders(ai, 1, 0);
    testing_support::ClearLog();
    ai.DeclareWars();
    EXPECT_TRUE(testing_support::LogContains(L"[AI]: Borussia - target hex (500,500) lies off the map"));
    EXPECT_TRUE(AtWarWithHelvetia()) << "its own Berolina is no one to declare war on; Berna is";
    EXPECT_EQ(testing_support::CountLogLinesStartingWith(L"[AI]: Borussia DECLARED WAR ON "), 1);
    ai.m_OwnLandUnits.clear();
}

TEST_F(AIDiplomacy, APeacefulCountryDeclaresOnTheFirstCountryAndPausesTwoSecondsForAWatcher)
{
    class cWatched : public testland::cRecordingPresentation
    {
        bool HasScreen() const override { return true; }
    } watched;
    SetPresentation(&watched);
    game->m_Countries[kAlbion - 1]->HumanControlled = true;
    cPanstwo& ruthenia = *game->m_Countries[kRuthenia - 1];
    ruthenia.DP = 1000;
    ruthenia.AIParameters.CurrentTargets = {{2, 2, -1}};  // Londinium
    cAI& ai = AIOf(kRuthenia);
    Orders(ai, 1, 0);
    // A thread asked to stop logs its pause but does not sit through it.
    const std::atomic<bool> stopped{false};
    SetThreadRunFlag(&stopped);
    testing_support::ClearLog();
    ai.DeclareWars();
    SetThreadRunFlag(nullptr);
    SetPresentation(&screen);
    EXPECT_TRUE(game->m_Relations->IsAtWar(kRuthenia, kAlbion));
    EXPECT_TRUE(testing_support::LogHasInOrder({L"[AI]: Ruthenia DECLARED WAR ON Albion!!"}));
    std::vector<std::wstring> pauses;
    for (const std::wstring& line : testing_support::LogLines())
        if (line.starts_with(L"S: "))
            pauses.push_back(line.substr(line.rfind(L" : ")));
    EXPECT_EQ(pauses, std::vector<std::wstring>{L" : 2000 ms"});
    ai.m_OwnLandUnits.clear();
}

TEST_F(AIDiplomacy, ANeutralDelaysItsEntryFromTwentyOneAndIsPressedWhenItLeansAlikeOrStandsAtThirty)
{
    cPanstwo& helvetia = *game->m_Countries[kHelvetia - 1];
    helvetia.DP = 1000;
    helvetia.AIParameters.AllianceEntryPolicy = 0;
    helvetia.AllianceEntry = 20;
    AIOf(kHelvetia).ConductDiplomacy();
    EXPECT_FALSE(helvetia.DoneDelayWarEntry);
    EXPECT_EQ(helvetia.AllianceEntry, 20);
    helvetia.AllianceEntry = 21;
    testing_support::ClearLog();
    AIOf(kHelvetia).ConductDiplomacy();
    EXPECT_TRUE(helvetia.DoneDelayWarEntry);
    EXPECT_FALSE(testing_support::LogStartsWith(L"[AI]: Helvetia - ")) << "the outcome is shown, not logged";
    EXPECT_LE(helvetia.AllianceEntry, 21);
    helvetia.AIParameters.AllianceEntryPolicy = 1;
    AIOf(kHelvetia).ConductDiplomacy();
    EXPECT_TRUE(helvetia.DoneHasteWarEntry);

    // Borussia presses Helvetia, which leans another way.
    cPanstwo& borussia = *game->m_Countries[kBorussia - 1];
    borussia.Orientation = ORIENTATION_NATIONALIST;
    helvetia.Orientation = ORIENTATION_DEMOCRACY;
    borussia.AIParameters.CountriesToPress = {kHelvetia};
    std::wstring text;
    helvetia.AllianceEntry = 29;
    AIOf(kBorussia).ConductDiplomacy();
    EXPECT_TRUE(CanExertPressure(kBorussia, kHelvetia, text)) << "not pressed at 29";
    helvetia.AllianceEntry = 30;
    const std::atomic<bool> stopped{false};
    SetThreadRunFlag(&stopped);
    AIOf(kBorussia).ConductDiplomacy();
    SetThreadRunFlag(nullptr);
    EXPECT_TRUE(CanExertPressure(kBorussia, kHelvetia, text)) << "a thread asked to stop presses nobody";
    // A person whose side is neither the presser's nor the pressed's is not stopped for it.
    game->m_Countries[kRuthenia - 1]->HumanControlled = true;
    const int told = screen.PostedOf(eRequestKind::Message);
    AIOf(kBorussia).ConductDiplomacy();
    EXPECT_FALSE(CanExertPressure(kBorussia, kHelvetia, text)) << "pressed at 30, once this turn";
    EXPECT_EQ(screen.PostedOf(eRequestKind::Message), told);
    helvetia.DoneExertPressureAxis = false;
    helvetia.HumanControlled = true;
    AIOf(kBorussia).ConductDiplomacy();
    EXPECT_EQ(screen.PostedOf(eRequestKind::Message), told + 1) << "the pressed country's person is told";

    cAI idle;  // no country yet: nothing to do, nothing to log
    testing_support::ClearLog();
    idle.ConductDiplomacy();
    idle.DeclareWars();
    EXPECT_TRUE(testing_support::LogLines().empty());
}

} // namespace
} // namespace ai_tests
