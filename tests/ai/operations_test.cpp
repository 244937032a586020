// Operational planning and moves: garrisons, fortified units that hold, and the search
// for a nearby enemy city that stays linear in its radius.
#include <gtest/gtest.h>

#include "tests/ai/ai_test_game.h"
#include "tests/test_support.h"
#include "world/topography.h"

namespace ai_tests {
namespace {

class AIOperations : public cAIGame
{
protected:
    cAI& Borussia()
    {
        game->m_StrategicMoves->SetCountryTopography(
            kBorussia, {{City(L"Berolina"), City(L"Hamburgum"), City(L"Colonia")}});
        cAI& ai = AIOf(kBorussia);
        ai.MarkAttackableCities();
        ai.BuildUnitLists();
        ai.EvaluateNodeStrengths();
        ai.UpdateFronts();
        ai.SumFrontStrengths();
        return ai;
    }
};

TEST_F(AIOperations, AUnitOnAFortAboveTheHoldLevelHoldsIt)
{
    cAI& ai = Borussia();
    cJednostkaLadowa* unit = LandUnit(5);
    Map().GetHex(unit->m_X, unit->m_Y)->fortification = 6;
    ASSERT_EQ(ai.m_Country->AIParameters.FortLevelToHoldAtAllCost, 5);
    unit->FindOrderPath(4, 7, 6, 0);
    const int x = unit->m_X, y = unit->m_Y;
    ai.ExecuteOperationalMoves();
    EXPECT_EQ(unit->m_AiOrder, 9);
    EXPECT_EQ(std::make_pair(unit->m_X, unit->m_Y), std::make_pair(x, y));
}

TEST_F(AIOperations, ADivisionOnACityThatWantsACorpsHoldsItUntilTheCorpsComes)
{
    cAI& ai = Borussia();
    ai.PlanOperations1();
    cJednostkaLadowa* division = LandUnit(4);  // an armoured division in Berolina
    EXPECT_EQ(division->m_AiOrder, 2);
    EXPECT_EQ(std::make_pair(division->m_AiTargetX, division->m_AiTargetY), std::make_pair(11, 3));
    int garrisons = 0;
    for (cJednostkaLadowa* unit : ai.m_OwnLandUnits)
        if (unit->m_AiOrder == 1 && unit->IsCorps() && unit->m_AiTargetX == 11 && unit->m_AiTargetY == 3)
            ++garrisons;
    EXPECT_EQ(garrisons, 1) << "one corps is sent to Berolina";
    EXPECT_TRUE(testing_support::LogHasInOrder({L"bu bu 1", L"bu bu 4", L"bu bu 5", L"bu bu 6", L"bu bu 7"}));
}

TEST_F(AIOperations, AirborneTroopsHoldACityButGarrisonItAsNeitherSize)
{
    cJednostkaLadowa* paras = LandUnit(6);
    Map().GetHex(paras->m_X, paras->m_Y)->unit = nullptr;
    ASSERT_EQ(Map().GetHex(8, 2)->unit, nullptr);
    paras->m_X = 8;
    paras->m_Y = 2;
    Map().GetHex(8, 2)->unit = paras;
    cAI& ai = Borussia();
    ai.PlanOperations1();
    EXPECT_EQ(paras->m_AiOrder, 2) << "Hamburgum wants a division, and paratroops are none";
    EXPECT_EQ(std::make_pair(paras->m_AiTargetX, paras->m_AiTargetY), std::make_pair(8, 2));
}

TEST_F(AIOperations, TheNearestEnemyCitySearchFindsTheFirstCityWithinItsRadius)
{
    cAI& ai = Borussia();
    EXPECT_EQ(ai.FindNearestEnemyCity(9, 5, ai.m_Country, 3), City(L"Valdo"));
    EXPECT_EQ(ai.FindNearestEnemyCity(9, 5, ai.m_Country, 1), nullptr);
    EXPECT_EQ(ai.FindNearestEnemyCity(9, 5, ai.m_Country, 60), City(L"Valdo")) << "a wide radius ends at once";
    EXPECT_EQ(ai.FindNearestEnemyCity(9, 5, game->m_Countries[kRuthenia - 1], 60), nullptr);
}

TEST_F(AIOperations, AStrategicMoveTowardAHexWithoutACityClearsTheUnitsOrder)
{
    cAI& ai = Borussia();
    cJednostkaLadowa* unit = LandUnit(5);
    unit->FindOrderPath(6, 7, 6, 0);
    int x = 0;
    while (Map().GetHex(x, 0)->city)
        ++x;
    EXPECT_FALSE(ai.TryStrategicMoveTo(unit, x, 0, 1));
    EXPECT_EQ(unit->m_AiOrder, 0);
    EXPECT_EQ(std::make_pair(unit->m_AiTargetX, unit->m_AiTargetY), std::make_pair(-1, -1));
    EXPECT_TRUE(testing_support::LogContains(L"ERROR (Returining no. of hops - land unit): City is null"));
}

TEST_F(AIOperations, IdleUnitsNearAnEnemyCityAreSentToTakeIt)
{
    cAI& ai = Borussia();
    game->m_Consts.AIRepeatOperationalMoves = 3;
    cJednostkaLadowa* unit = LandUnit(5);  // at Colonia, two hexes from Valdo
    unit->m_AiOrder = 3;
    EXPECT_TRUE(ai.ShouldExecuteMovesAgain());
    EXPECT_EQ(unit->m_AiOrder, 4);
    EXPECT_EQ(std::make_pair(unit->m_AiTargetX, unit->m_AiTargetY), std::make_pair(7, 6));
}

} // namespace
} // namespace ai_tests
