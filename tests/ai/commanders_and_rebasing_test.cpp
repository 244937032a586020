// Forces placed before the fighting: a free land commander to the strongest unit without
// one (never an admiral), and strategic moves toward an empty own node of a front.
#include <gtest/gtest.h>

#include "game/commanders.h"
#include "tests/ai/ai_test_game.h"
#include "world/city_graph.h"

namespace ai_tests {
namespace {

class AIForces : public cAIGame
{
protected:
    sDowodca* AddCommander(int type, int skill)
    {
        auto* commander = new sDowodca{int(game->m_Commanders.size()) + 100, L"C", kBorussia, type, skill, 0, 0};
        game->m_Commanders.push_back(commander);
        return commander;
    }
};

TEST_F(AIForces, TheMoreSkilledLandCommanderLeadsTheOneUnitLeftAndNoAdmiralDoes)
{
    cAI& ai = AIOf(kBorussia);
    ai.BuildUnitLists();
    // Every Borussian unit but the weakest has a commander already.
    for (size_t i = 0; i + 1 < ai.m_OwnLandUnits.size(); ++i)
        if (!ai.m_OwnLandUnits[i]->m_Commander)
            ai.m_OwnLandUnits[i]->m_Commander = AddCommander(0, 1);
    sDowodca* admiral = AddCommander(2, 9);
    sDowodca* weak = AddCommander(0, 2);
    sDowodca* strong = AddCommander(0, 5);
    for (sDowodca* c : {admiral, weak, strong})
        c->State = 0;

    ai.AssignCommanders();
    EXPECT_EQ(ai.m_OwnLandUnits.back()->m_Commander, strong);
    EXPECT_EQ(strong->State, 2);
    EXPECT_EQ(weak->State, 0);
    EXPECT_EQ(admiral->State, 0);
}

TEST_F(AIForces, AnEmptyOwnNodeOfAFrontDrawsAUnitPastAnEmptyEnemyCityAndTwoEmptyNodesDrawNone)
{
    cAI& ai = AIOf(kBorussia);
    cPanstwo& borussia = *game->m_Countries[kBorussia - 1];
    borussia.SMP = 50;
    LandUnit(8)->MoveToReservePool();  // Hamburgum's only defender
    ai.BuildUnitLists();
    for (cJednostkaLadowa* unit : ai.m_OwnLandUnits)
        unit->m_ActionPoints = unit->m_StartingActionPoints = 3;
    ai.EvaluateNodeStrengths();
    sWezelDiagramuMiast* held = NodeOfCity(City(L"Berolina"));
    std::vector<sWezelDiagramuMiast*> empty = {NodeOfCity(City(L"Hamburgum")), NodeOfCity(City(L"Valdo"))};
    ASSERT_GT(held->OurLand, 0.0f);
    ASSERT_EQ(empty[0]->OurLand, 0.0f);
    ASSERT_EQ(empty[1]->OurLand, 0.0f);

    sFront bothEmpty;
    bothEmpty.m_Nodes = {empty[0], empty[1]};
    ai.m_Fronts = {bothEmpty};
    ai.MoveStrategicallyToFronts();
    EXPECT_EQ(borussia.SMP, 50) << "nothing to even out";

    sFront front;
    front.m_Nodes = {held, empty[1], empty[0]};  // Valdo is the enemy's
    ai.m_Fronts = {front};
    ai.MoveStrategicallyToFronts();
    EXPECT_LT(borussia.SMP, 50);
    ai.EvaluateNodeStrengths();
    EXPECT_GT(empty[0]->OurLand, 0.0f) << "the empty node was infinitely weaker";
}

} // namespace
} // namespace ai_tests
