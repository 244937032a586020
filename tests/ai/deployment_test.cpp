// Deployment of the computer's new units: land units to the weakest front, a city with
// too little supply at war skipped, units and ships not yet available kept in the pool.
#include <gtest/gtest.h>

#include <algorithm>

#include "tests/ai/ai_test_game.h"
#include "tests/test_support.h"
#include "world/city_graph.h"
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
    cUnit* Reserved(int id, int category)
    {
        for (cUnit* unit : game->m_Reserve)
            if (unit->m_Id == id && unit->m_Category == category)
                return unit;
        return nullptr;
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
    // Albion's armour and Ruthenia's fighters are due too: no Borussian step takes them.
    cUnit* armour = Reserved(3, CATEGORY_LAND);
    cUnit* falcons = Reserved(4, CATEGORY_AIR);
    ASSERT_NE(armour, nullptr);
    ASSERT_NE(falcons, nullptr);
    armour->m_AvailableInTurns = falcons->m_AvailableInTurns = 0;

    ai.DeployNewAirUnits();
    EXPECT_TRUE(InReserve(corps)) << "the air step leaves land units alone";
    ai.DeployNewUnits();
    EXPECT_FALSE(InReserve(corps));
    EXPECT_LE(HexDistance(corps->m_X, corps->m_Y, City(L"Colonia")->X, City(L"Colonia")->Y), 1)
        << "Colonia is Borussia's only front city";
    EXPECT_TRUE(InReserve(later)) << "a unit due in two turns stays in the pool";
    EXPECT_TRUE(InReserve(armour));
    EXPECT_TRUE(InReserve(falcons));
}

TEST_F(AIDeployment, AtWarACityShortOfSupplyIsNoPlaceToDeploy)
{
    cJednostkaLadowa* corps = LandUnit(8);
    cAI& ai = Borussia();
    corps->MoveToReservePool();
    std::vector<cMiasto*> cities;
    City(L"Colonia")->SupplyByCountry[kBorussia - 1] = game->m_Consts.MaxSupply / 2;
    ai.CollectDeploymentCities(cities);
    EXPECT_EQ(std::count(cities.begin(), cities.end(), City(L"Colonia")), 1) << "half is enough";
    City(L"Colonia")->SupplyByCountry[kBorussia - 1] = game->m_Consts.MaxSupply / 2 - 1;
    ai.CollectDeploymentCities(cities);
    EXPECT_EQ(std::count(cities.begin(), cities.end(), City(L"Colonia")), 0);
    EXPECT_EQ(ai.ChooseLandDeploymentCity(cities), City(L"Berolina")) << "no front city left: the richest";
    ai.DeployNewUnits();
    EXPECT_LE(HexDistance(corps->m_X, corps->m_Y, City(L"Berolina")->X, City(L"Berolina")->Y), 1);
}

// Colonia (9,5) holds the 2. Motorised: it serves while one neighbour is free land of Borussia's,
// not a free sea hex nor another country's free land.
TEST_F(AIDeployment, AnOccupiedCityServesThroughAFreeOwnLandNeighbour)
{
    cAI& ai = Borussia();
    const cMiasto* colonia = City(L"Colonia");
    for (int d = 0; d < 6; ++d)
        Map().GetNeighbour(9, 5, d)->controller = uint8_t(kValdonia);
    sHex& north = *Map().GetNeighbour(9, 5, 0);
    north.controller = uint8_t(kBorussia);
    std::vector<cMiasto*> cities;
    for (const int terrain : {0, 1})
    {
        north.terrain = uint8_t(terrain);
        ai.CollectDeploymentCities(cities);
        EXPECT_EQ(std::count(cities.begin(), cities.end(), colonia), terrain) << "north of it terrain " << terrain;
    }
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

// The weakest front city by its whole strength, the first of equals; off the fronts the richest,
// the running best holding only the whole part of the best figure.
TEST_F(AIDeployment, TheWeakestFrontCityOrTheRichestIsChosenByWholeFigures)
{
    cAI& ai = Borussia();
    cMiasto* colonia = City(L"Colonia");
    cMiasto* berolina = City(L"Berolina");
    struct sCase
    {
        float first, second;
        bool secondWins;
    };
    sWezelDiagramuMiast coloniaNode, berolinaNode;
    coloniaNode.City = colonia;
    berolinaNode.City = berolina;
    sFront front;
    front.m_Nodes = {&coloniaNode, &berolinaNode};
    const std::list<sFront> fronts = ai.m_Fronts;
    ai.m_Fronts = {front};
    // Own land 3.0 plus the figure as ours land.
    for (const sCase& c : {sCase{2.9f, 2.0f, false}, sCase{3.0f, 2.9f, true}, sCase{2.0f, 3.0f, false}})
    {
        coloniaNode.OwnLand = berolinaNode.OwnLand = 3.0f;
        coloniaNode.OurLand = c.first;
        berolinaNode.OurLand = c.second;
        EXPECT_EQ(ai.ChooseLandDeploymentCity({colonia, berolina}), c.secondWins ? berolina : colonia)
            << c.first << " against " << c.second;
    }
    ai.m_Fronts = fronts;
    cMiasto* hamburgum = City(L"Hamburgum");
    for (const sCase& c : {sCase{5.2f, 5.7f, true}, sCase{5.7f, 5.2f, true}, sCase{5.0f, 5.0f, false},
                           sCase{5.7f, 4.9f, false}})
    {
        berolina->ProductionPoints = c.first;
        hamburgum->ProductionPoints = c.second;
        EXPECT_EQ(ai.ChooseLandDeploymentCity({berolina, hamburgum}), c.secondWins ? hamburgum : berolina)
            << c.first << " against " << c.second;
        EXPECT_EQ(ai.ChooseAirDeploymentCity({berolina, hamburgum}), c.secondWins ? hamburgum : berolina);
    }
}

TEST_F(AIDeployment, ShipsEnterTheFirstPortWhenTheyAreDue)
{
    cJednostkaMorska* exeter = Ship(8);
    ASSERT_NE(exeter, nullptr);
    ASSERT_GT(exeter->m_AvailableInTurns, 0);
    std::vector<cMiasto*> ports;
    AIOf(kBorussia).CollectNavalDeploymentCities(ports);
    EXPECT_EQ(ports, std::vector<cMiasto*>{City(L"Hamburgum")}) << "the only port Borussia holds";
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
