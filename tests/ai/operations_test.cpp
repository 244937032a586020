// Operational planning and moves: garrisons, fortified units that hold, and the search
// for a nearby enemy city that stays linear in its radius.
#include <gtest/gtest.h>

#include "tests/ai/ai_test_game.h"
#include "tests/test_support.h"
#include "world/hex_geometry.h"
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
    // Each unit's order and target hex after the planning.
    struct sTask
    {
        int id, order, x, y;
    };
    void ExpectTasks(std::initializer_list<sTask> tasks)
    {
        for (const sTask& t : tasks)
        {
            const cJednostkaLadowa* unit = LandUnit(t.id);
            EXPECT_EQ(unit->m_AiOrder, t.order) << "unit " << t.id;
            EXPECT_EQ(std::make_pair(unit->m_AiTargetX, unit->m_AiTargetY), std::make_pair(t.x, t.y)) << "unit " << t.id;
        }
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
    // Berolina wants a corps and holds a division (4); Colonia wants a division and has one
    // (5). The corps nearer Berolina (8, three hexes against four) goes there, the other
    // (7) to Hamburgum, the port that wants a division, and the paratroops attack Valdo.
    ExpectTasks({{4, 2, 11, 3}, {5, 1, 9, 5}, {6, 4, 7, 6}, {7, 1, 8, 2}, {8, 1, 11, 3}});
    EXPECT_TRUE(testing_support::LogHasInOrder({L"bu bu 1", L"bu bu 4", L"bu bu 5", L"bu bu 6", L"bu bu 7"}));
}

TEST_F(AIOperations, AGarrisonOfTheWantedSizeIsPreferredWhenItIsNoFurther)
{
    // The corps 7 in Berolina, the division 5 in Hamburgum: only Colonia is left, and the
    // division 4 in Colonia's area beats the corps 8 a hop away, which goes to the front.
    LandUnit(7)->SetPosition(12, 7);
    LandUnit(4)->SetPosition(12, 6);
    LandUnit(7)->SetPosition(11, 3);
    LandUnit(5)->SetPosition(8, 2);
    cAI& ai = Borussia();
    ai.PlanOperations1();
    ExpectTasks({{4, 1, 9, 5}, {5, 1, 8, 2}, {6, 4, 7, 6}, {7, 1, 11, 3}, {8, 6, 9, 5}});
}

TEST_F(AIOperations, AUnitOnAThreatenedFrontGoesToTheNearestFriendlyCityOfIt)
{
    // Valdo's defender at 10.0 against 2.6 and 4.27 on the front: 0.69, threatened. Colonia
    // then wants a corps; the paratroops in Valdo's area go back to Colonia, the line.
    cJednostkaLadowa* defender = LandUnit(12);
    defender->m_Level = 5;
    defender->m_Strength = 100;
    defender->m_Efficiency = 100;
    LandUnit(6)->SetPosition(7, 5);
    LandUnit(7)->SetPosition(12, 2);
    cAI& ai = Borussia();
    ASSERT_TRUE(ai.IsCityOnFrontWithState(City(L"Colonia"), 1));
    ai.PlanOperations1();
    ExpectTasks({{4, 2, 11, 3}, {5, 2, 9, 5}, {6, 5, 9, 5}, {7, 1, 11, 3}, {8, 1, 8, 2}});
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

    paras->SetPosition(10, 4);
    cJednostkaLadowa* corps = LandUnit(8);
    corps->SetPosition(8, 2);
    ai.PlanOperations1();
    EXPECT_EQ(corps->m_AiOrder, 2) << "a port wants a division, and a corps only holds it";
}

TEST_F(AIOperations, TheNearestEnemyCitySearchFindsTheFirstCityWithinItsRadius)
{
    cAI& ai = Borussia();
    EXPECT_EQ(ai.FindNearestEnemyCity(9, 5, ai.m_Country, 3), City(L"Valdo"));
    EXPECT_EQ(ai.FindNearestEnemyCity(9, 5, ai.m_Country, 1), nullptr);
    EXPECT_EQ(ai.FindNearestEnemyCity(9, 5, ai.m_Country, 60), City(L"Valdo")) << "a wide radius ends at once";
    EXPECT_EQ(ai.FindNearestEnemyCity(9, 5, game->m_Countries[kRuthenia - 1], 60), nullptr);
    // From Ruhr Mines, for Borussia's enemy: the mines only when no other city is in reach.
    EXPECT_EQ(ai.FindNearestEnemyCity(10, 6, game->m_Countries[kValdonia - 1], 1), City(L"Ruhr Mines"));
    EXPECT_EQ(ai.FindNearestEnemyCity(10, 6, game->m_Countries[kValdonia - 1], 2), City(L"Colonia"));
}

TEST_F(AIOperations, AStrategicMoveNeedsAnUnfrozenUnitAndTheLeastHopsAsked)
{
    cAI& ai = Borussia();
    cJednostkaLadowa* corps = LandUnit(8);  // in Hamburgum's area, a hop from Berolina
    corps->m_ActionPoints = corps->m_StartingActionPoints;
    struct sCase
    {
        int freeze, minimum;
        bool moves;
    };
    for (const sCase c : {sCase{1, 1, false}, {0, 2, false}, {0, 1, true}})
    {
        corps->m_FreezeTime = c.freeze;
        EXPECT_EQ(ai.TryStrategicMoveTo(corps, 11, 3, c.minimum), c.moves) << c.freeze << " " << c.minimum;
        EXPECT_EQ(HexDistance(corps->m_X, corps->m_Y, 11, 3), c.moves ? 1 : 3) << "beside Berolina's garrison";
    }
}

TEST_F(AIOperations, AGarrisonThatReachesItsCityReleasesTheUnitHoldingIt)
{
    cAI& ai = Borussia();
    cJednostkaLadowa* holder = LandUnit(4);
    cJednostkaLadowa* garrison = LandUnit(6);
    garrison->SetPosition(10, 3);  // beside Berolina, on its hills
    garrison->m_ActionPoints = 6;
    holder->FindOrderPath(2, 11, 3, 0);
    garrison->FindOrderPath(1, 11, 3, 0);
    ai.ExecuteOperationalMoves();
    EXPECT_EQ(std::make_pair(garrison->m_X, garrison->m_Y), std::make_pair(11, 3));
    EXPECT_NE(std::make_pair(holder->m_X, holder->m_Y), std::make_pair(11, 3));
    EXPECT_EQ(holder->m_AiOrder, 0);
    EXPECT_EQ(std::make_pair(holder->m_AiTargetX, holder->m_AiTargetY), std::make_pair(-1, -1));
}

TEST_F(AIOperations, AnAttackerStopsOnEnemyGroundBesideAnEnemyUnit)
{
    cAI& ai = Borussia();
    cJednostkaLadowa* unit = LandUnit(5);  // at Colonia, two hexes from Valdo
    unit->FindOrderPath(4, 7, 6, 0);
    ai.ExecuteOperationalMoves();
    EXPECT_EQ(HexDistance(unit->m_X, unit->m_Y, 7, 6), 1);
    EXPECT_EQ(Map().GetHex(unit->m_X, unit->m_Y)->owner, kValdonia);
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
