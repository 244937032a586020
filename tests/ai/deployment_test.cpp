// Deployment of the computer's new units: land units to the weakest front, a city with
// too little supply at war skipped, units and ships not yet available kept in the pool.
#include <gtest/gtest.h>

#include <algorithm>

#include "tests/ai/ai_test_game.h"
#include "tests/test_support.h"
#include "units/naval_unit.h"

namespace ai_tests {
namespace {

class AIDeployment : public cAIGame
{
protected:
    // Borussia at war, its cities fully supplied, its fronts counted.
    cAI& Borussia()
    {
        for (cMiasto* city : game->m_Cities)
            if (city->SupplyByCountry.size() >= 2)
                city->SupplyByCountry[kBorussia - 1] = game->m_Consts.MaxSupply;
        cAI& ai = AIOf(kBorussia);
        ai.BuildUnitLists();
        ai.EvaluateNodeStrengths();
        ai.UpdateFronts();
        ai.SumFrontStrengths();
        return ai;
    }
    bool InReserve(const cUnit* unit) const
    {
        return std::find(game->m_Reserve.begin(), game->m_Reserve.end(), unit) != game->m_Reserve.end();
    }
    cJednostkaMorska* Ship(int id)
    {
        for (cJednostkaMorska* ship : game->m_NavalReserve)
            if (ship->m_Id == id)
                return ship;
        for (cJednostkaMorska* ship : game->m_NavalUnits)
            if (ship->m_Id == id)
                return ship;
        return nullptr;
    }
};

TEST_F(AIDeployment, NewUnitsGoToTheWeakestFrontAndUnitsNotYetDueWait)
{
    cJednostkaLadowa* corps = LandUnit(8);
    cJednostkaLadowa* later = LandUnit(6);
    cAI& ai = Borussia();
    corps->MoveToReservePool();
    later->MoveToReservePool();
    later->m_AvailableInTurns = 2;

    ai.DeployNewUnits();
    EXPECT_FALSE(InReserve(corps));
    EXPECT_LE(HexDistance(corps->m_X, corps->m_Y, City(L"Colonia")->X, City(L"Colonia")->Y), 1)
        << "Colonia is Borussia's only front city";
    EXPECT_TRUE(InReserve(later)) << "a unit due in two turns stays in the pool";
}

TEST_F(AIDeployment, AtWarACityShortOfSupplyIsNoPlaceToDeploy)
{
    cJednostkaLadowa* corps = LandUnit(8);
    cAI& ai = Borussia();
    corps->MoveToReservePool();
    City(L"Colonia")->SupplyByCountry[kBorussia - 1] = game->m_Consts.MaxSupply / 2 - 1;

    std::vector<cMiasto*> cities;
    ai.CollectDeploymentCities(cities);
    EXPECT_EQ(std::count(cities.begin(), cities.end(), City(L"Colonia")), 0);
    EXPECT_EQ(ai.ChooseLandDeploymentCity(cities), City(L"Berolina")) << "no front city left: the richest";
    ai.DeployNewUnits();
    EXPECT_LE(HexDistance(corps->m_X, corps->m_Y, City(L"Berolina")->X, City(L"Berolina")->Y), 1);
}

TEST_F(AIDeployment, AirUnitsKeepAwayFromTheFronts)
{
    cAI& ai = Borussia();
    std::vector<cMiasto*> cities;
    ai.CollectDeploymentCities(cities);
    ASSERT_NE(std::find(cities.begin(), cities.end(), City(L"Colonia")), cities.end());
    EXPECT_EQ(ai.ChooseAirDeploymentCity(cities), City(L"Berolina"));
    EXPECT_EQ(ai.ChooseAirDeploymentCity({City(L"Colonia")}), City(L"Colonia")) << "every candidate on a front";
}

TEST_F(AIDeployment, ACityThatAnEventTookBelowNothingIsStillAPlaceToDeploy)
{
    cAI& ai = Borussia();
    City(L"Berolina")->ProductionPoints = -3.0f;
    EXPECT_EQ(ai.ChooseLandDeploymentCity({City(L"Berolina")}), City(L"Berolina"));
    EXPECT_EQ(ai.ChooseAirDeploymentCity({City(L"Berolina")}), City(L"Berolina"));
}

TEST_F(AIDeployment, ShipsEnterTheFirstPortWhenTheyAreDue)
{
    cJednostkaMorska* exeter = Ship(8);
    ASSERT_NE(exeter, nullptr);
    ASSERT_GT(exeter->m_AvailableInTurns, 0);
    cAI& ai = AIOf(kAlbion);
    ai.DeployNewNavalUnits();
    EXPECT_EQ(exeter->m_Fleet, nullptr) << "not yet due";

    exeter->m_AvailableInTurns = 0;
    ai.DeployNewNavalUnits();
    ASSERT_NE(exeter->m_Fleet, nullptr);
    EXPECT_TRUE(testing_support::LogContains(L"Albion is deploying HMS Exeter in Dover"));
    EXPECT_TRUE(testing_support::LogContains(L"Deployment succesful."));
}

} // namespace
} // namespace ai_tests
