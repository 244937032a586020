// Strategic moves, deployment from the reserve pool and the computer's move orders, on
// the test scenario.
#include <gtest/gtest.h>

#include "tests/game/testland_game.h"
#include "tests/test_support.h"
#include "units/air_unit.h"
#include "world/city.h"
#include "world/hex_geometry.h"
#include "world/topography.h"

using namespace testland;
using testing_support::LogContains;

namespace {

class LandOrders : public TestlandGame
{
protected:
    cMiasto* City(int x, int y) { return Hex(x, y).city; }
    std::pair<int, int> At(const cUnit& unit) const { return {unit.m_X, unit.m_Y}; }
    bool InReserve(const cUnit& unit) const
    {
        return std::find(game->m_Reserve.begin(), game->m_Reserve.end(), &unit) != game->m_Reserve.end();
    }
    cJednostkaLadowa* ReserveLand(int id)
    {
        for (cUnit* u : game->m_Reserve)
            if (u->m_Category == CATEGORY_LAND && u->m_Id == id)
                return static_cast<cJednostkaLadowa*>(u);
        return nullptr;
    }
};

} // namespace

TEST_F(LandOrders, AStrategicMoveOntoAnOccupiedCityLandsOnTheFirstFreeFriendlyNeighbour)
{
    Activate(kBorussia);
    game->m_StrategicMoves->SetCountryTopography(kBorussia, {{City(11, 3), City(8, 2), City(9, 5)}});
    cJednostkaLadowa& motorised = Land(5);  // at Colonia, supplied from Berolina
    int x = 0, y = 0;
    ASSERT_TRUE(motorised.CanStrategicMoveTo(8, 2, x, y));
    EXPECT_EQ(std::pair(x, y), std::pair(8, 2));
    ASSERT_TRUE(motorised.CanStrategicMoveTo(11, 3, x, y)) << "Berolina holds 1. Panzer";
    EXPECT_EQ(std::pair(x, y), std::pair(12, 2)) << "(11,2) above it holds bombers";
    int nx = 0, ny = 0;
    EXPECT_FALSE(motorised.CanStrategicMoveTo(10, 8, nx, ny)) << "Berna is Helvetian";
    EXPECT_EQ(std::pair(nx, ny), std::pair(-1, -1));
    EXPECT_FALSE(motorised.CanStrategicMoveTo(10, 7, nx, ny)) << "no city there";

    motorised.m_Spotted = true;
    ASSERT_TRUE(motorised.StrategicMoveTo(x, y));
    EXPECT_EQ(screen.Played(L"StrategicDeployLand"), 1);
    EXPECT_EQ(At(motorised), std::pair(12, 2));
    EXPECT_EQ(Hex(12, 2).unit, &motorised);
    EXPECT_EQ(Hex(9, 5).unit, nullptr);
    EXPECT_EQ(motorised.m_ActionPoints, 0);
    EXPECT_EQ(Country(kBorussia).SMP, 10 - 3) << "row 68 for a mechanized division";
    EXPECT_FALSE(motorised.CanStrategicMoveTo(8, 2, x, y)) << "it has used its action points";

    // An air unit pays production points (row 132, truncated), not movement points.
    cJednostkaLotnicza* bombers = game->FindAirUnitById(2);
    bombers->m_Spotted = true;
    ASSERT_TRUE(bombers->StrategicMoveTo(13, 4));
    EXPECT_EQ(screen.Played(L"PlaneFlying"), 1);
    EXPECT_EQ(Country(kBorussia).PP, 150.0 - 3.0);
    EXPECT_EQ(Country(kBorussia).SMP, 7);
    EXPECT_FALSE(bombers->StrategicMoveTo(12, 2)) << "taken";

    // (11,2) above Berolina is free now: the first direction comes first.
    ASSERT_TRUE(Land(8).CanStrategicMoveTo(11, 3, x, y));
    EXPECT_EQ(std::pair(x, y), std::pair(11, 2));
    // Every neighbour taken or foreign: no landing place.
    for (int d = 0; d < 6; ++d)
        game->m_Mapa->GetNeighbour(11, 3, d)->SetController(kHelvetia);
    EXPECT_FALSE(Land(8).CanStrategicMoveTo(11, 3, x, y));

    // The first land and air types have costs of their own: row 68's 1 and row 132's 2.9.
    game->m_StrategicMoves->SetCountryTopography(kAlbion, {{City(2, 2), City(3, 3)}});
    cJednostkaLadowa& guards = Land(1);
    Country(kAlbion).SMP = 0;
    EXPECT_FALSE(guards.CanStrategicMoveTo(3, 3, x, y));
    Country(kAlbion).SMP = 1;
    ASSERT_TRUE(guards.CanStrategicMoveTo(3, 3, x, y));
    ASSERT_TRUE(guards.StrategicMoveTo(x, y));
    EXPECT_EQ(Country(kAlbion).SMP, 0);
    ASSERT_TRUE(game->FindAirUnitById(1)->StrategicMoveTo(2, 1));
    EXPECT_EQ(Country(kAlbion).PP, 120.0 - 2.0);
}

TEST_F(LandOrders, DeploymentNeedsACityOfTheMovingCountryAndAFreeHex)
{
    Activate(kAlbion);  // at war: a city must be half supplied and not flagged
    cMiasto& londinium = *City(2, 2);
    cMiasto& dover = *City(3, 3);
    londinium.SupplyByCountry[kAlbion - 1] = 20;
    dover.SupplyByCountry[kAlbion - 1] = 15;
    cJednostkaLadowa& armour = *ReserveLand(3);
    // Londinium's hex holds a unit, its neighbours but Fighter Command's (1,3) count; Dover
    // and its two free land neighbours count.
    EXPECT_EQ(armour.MarkActionTargets(true), 8);
    EXPECT_EQ(Hex(2, 1).marks, uint32_t(MARK_ACTION_TARGET));
    EXPECT_EQ(Hex(2, 2).marks, 0u);
    dover.ConvoyInfoByCountry[kAlbion - 1] = 1;
    EXPECT_EQ(armour.MarkActionTargets(false), 5);
    dover.SupplyByCountry[kAlbion - 1] = 14;
    dover.ConvoyInfoByCountry[kAlbion - 1] = 0;
    EXPECT_EQ(armour.MarkActionTargets(false), 5) << "below half of row 48's 30";
    Hex(2, 1).owner = kHelvetia;
    EXPECT_EQ(armour.MarkActionTargets(false), 4) << "held but not owned";
    Hex(2, 1).owner = kAlbion;

    EXPECT_FALSE(armour.DeployNearCity(1, 4));
    EXPECT_TRUE(LogContains(L"Error while deploying unit: cant find appropriate city near (1,4)"));
    EXPECT_FALSE(armour.DeployNearCity(1, 3)) << "taken";
    EXPECT_TRUE(InReserve(armour));

    cJednostkaLadowa& guards = Land(1);
    guards.m_ActionPoints = guards.m_StartingActionPoints = 3;
    guards.ComputeMoveRange(false);
    ASSERT_TRUE(Play().PlayMove(guards, 2, 3));
    armour.m_TurnsWithoutSupply = 1; // as a unit just bought has it
    ASSERT_TRUE(armour.DeployNearCity(2, 1));
    EXPECT_FALSE(InReserve(armour));
    EXPECT_FALSE(armour.m_InReserve);
    EXPECT_EQ(Hex(2, 1).unit, &armour);
    EXPECT_EQ(game->FindLandUnitById(3), &armour);
    EXPECT_EQ(std::pair(armour.m_SupplySourceX, armour.m_SupplySourceY), std::pair(2, 2));
    EXPECT_EQ(armour.m_Supply, 20);
    EXPECT_EQ(armour.m_TurnsWithoutSupply, 0) << "supplied by Londinium, not cut off";
    EXPECT_TRUE(armour.m_JustDeployed);
    EXPECT_TRUE(Play().GetUndo().IsEmpty()) << "a deployment ends what could be taken back";
    EXPECT_FALSE(armour.DeployNearCity(2, 1)) << "not in the pool any more";

    armour.MoveToReservePool();
    EXPECT_TRUE(InReserve(armour));
    EXPECT_TRUE(LogContains(L"map --> reserve pool: Albion Armour"));

    // Ruthenia is at peace: a city that holds nothing for it still takes the unit, which
    // stays cut off.
    cJednostkaLadowa& rifles = Land(9);
    rifles.MoveToReservePool();
    Activate(kRuthenia);
    City(17, 4)->SupplyByCountry[kRuthenia - 1] = 0;
    rifles.m_TurnsWithoutSupply = 1;
    ASSERT_TRUE(rifles.DeployNearCity(17, 5)) << "the city lies in the first direction";
    EXPECT_EQ(std::pair(rifles.m_SupplySourceX, rifles.m_SupplySourceY), std::pair(17, 4));
    EXPECT_EQ(rifles.m_Supply, 0);
    EXPECT_EQ(rifles.m_TurnsWithoutSupply, 1);

    // The flag counts against a computer's unit that a person plays by e-mail.
    cJednostkaLadowa& motorised = Land(5);
    motorised.MoveToReservePool();
    Activate(kBorussia);
    City(9, 5)->SupplyByCountry[kBorussia - 1] = 30;
    City(9, 5)->ConvoyInfoByCountry[kBorussia - 1] = 1;
    Country(kBorussia).PBEMPlayerId = 1;
    EXPECT_FALSE(motorised.DeployNearCity(9, 6));
    Country(kBorussia).PBEMPlayerId = 0;
    EXPECT_TRUE(motorised.DeployNearCity(9, 6));
}

TEST_F(LandOrders, HopsAndOrdersGoThroughTheCityGraph)
{
    cJednostkaLadowa& valdonians = Land(12);  // on Valdo
    ASSERT_NE(Hex(7, 6).city, nullptr);
    EXPECT_EQ(valdonians.GetHexRegion(), Hex(7, 6).city->GraphIndex) << "the hex's home city";
    EXPECT_EQ(game->m_Reserve.front()->GetHexRegion(), -1) << "off the map";
    EXPECT_EQ(valdonians.GetHopsToCity(11, 3), 2) << "Valdo, Colonia, Berolina";
    valdonians.FindOrderPath(3, 9, 5, 0);
    EXPECT_EQ(valdonians.m_AiOrder, 3);
    EXPECT_EQ(valdonians.GetHopsToCity(10, 7), -1);
    EXPECT_TRUE(LogContains(L"ERROR (Returining no. of hops - land unit): City is null"));
    EXPECT_EQ(valdonians.m_AiOrder, 0);
    EXPECT_EQ(std::pair(valdonians.m_AiTargetX, valdonians.m_AiTargetY), std::pair(-1, -1));

    valdonians.FindOrderPath(5, 11, 3, 2);
    EXPECT_EQ(valdonians.m_AiOrder, 0) << "Colonia and Berolina are Borussian";
    EXPECT_TRUE(LogContains(L"ERROR: Nie znaleziono sciezki dla rozkazu nr 5"));
    Hex(9, 5).SetController(kValdonia);
    Hex(11, 3).SetController(kAlbion);
    valdonians.FindOrderPath(5, 11, 3, 2);
    EXPECT_EQ(valdonians.m_AiOrder, 5);
    EXPECT_EQ(std::pair(valdonians.m_AiTargetX, valdonians.m_AiTargetY), std::pair(9, 5)) << "the next city on the way";
    EXPECT_EQ(std::pair(valdonians.m_AiUltimateTargetX, valdonians.m_AiUltimateTargetY), std::pair(11, 3));

    // Supplied by the very city it is sent to: no route, as for a city out of reach.
    valdonians.m_SupplySourceX = 11;
    valdonians.m_SupplySourceY = 3;
    testing_support::ClearLog();
    valdonians.FindOrderPath(1, 11, 3, 2);
    EXPECT_EQ(valdonians.m_AiOrder, 0);
    EXPECT_EQ(std::pair(valdonians.m_AiTargetX, valdonians.m_AiTargetY), std::pair(-1, -1));
    EXPECT_TRUE(LogContains(L"ERROR: Nie znaleziono sciezki dla rozkazu nr 1"));

    // Colonia falls again: no friendly chain of cities leads to Berolina. The order goes,
    // even when the unit's own land would reach the city.
    Hex(9, 5).SetController(kBorussia);
    valdonians.m_SupplySourceX = 7;
    valdonians.m_SupplySourceY = 6;
    game->m_StrategicMoves->SetCountryTopography(kValdonia, {{City(7, 6), City(11, 3)}});
    testing_support::ClearLog();
    valdonians.FindOrderPath(1, 11, 3, 2);
    EXPECT_EQ(valdonians.m_AiOrder, 0);
    EXPECT_EQ(std::pair(valdonians.m_AiTargetX, valdonians.m_AiTargetY), std::pair(-1, -1));
    EXPECT_TRUE(LogContains(L"ERROR: Nie znaleziono sciezki dla rozkazu nr 1"));
}

TEST_F(LandOrders, TheComputersMovesHeadForFreeHexesNearTheirGoal)
{
    Activate(kBorussia);
    ClearLand(12, 6, 4, kBorussia);
    for (int y = 2; y <= 10; ++y)
        for (int x = 8; x <= 16; ++x)
            Hex(x, y).terrain = 4;  // mountains: 4 action points
    Hex(13, 6).terrain = 1;
    Hex(13, 7).terrain = 2;
    cJednostkaLadowa& panzer = Land(7);  // at (12, 6)
    panzer.m_ActionPoints = 3;
    panzer.m_StartingActionPoints = 5;
    panzer.m_Spotted = false;  // nobody watches, nobody waits

    EXPECT_FALSE(panzer.ExecuteMoveOrder(12, 6));
    EXPECT_TRUE(LogContains(L"Jednostka dostaďż˝a rozkaz by iďż˝ďż˝ na pole na ktďż˝rym juďż˝ stoi. No to stoi dalej."));

    panzer.MoveTowardHex(12, 6);
    EXPECT_EQ(At(panzer), std::pair(12, 6)) << "already there";
    EXPECT_EQ(panzer.m_ActionPoints, 3);

    // Two steps as near to the goal: the dearer one.
    ASSERT_EQ(HexDistance(13, 6, 16, 6), HexDistance(13, 7, 16, 6));
    panzer.MoveTowardHex(16, 6);
    EXPECT_EQ(At(panzer), std::pair(13, 7));
    EXPECT_EQ(panzer.m_ActionPoints, 1);

    // The cheapest free hex.
    Place(panzer, 12, 6);
    panzer.m_ActionPoints = 3;
    ASSERT_TRUE(panzer.PickOrderStep());
    EXPECT_EQ(At(panzer), std::pair(13, 6));

    // Toward a taken hex in range: the free reachable hex nearest to it.
    ClearLand(12, 6, 4, kBorussia);
    Place(panzer, 12, 6);
    panzer.m_ActionPoints = 3;
    const cUnit* occupant = Hex(12, 3).unit;  // Fernbomber
    ASSERT_NE(occupant, nullptr);
    panzer.ComputeMoveRange(true);
    ASSERT_TRUE(panzer.ExecuteMoveOrder(12, 3));
    EXPECT_EQ(HexDistance(panzer.m_X, panzer.m_Y, 12, 3), 1);
    EXPECT_EQ(Hex(12, 3).unit, occupant);

    // A final target across the sea cannot be walked to; one over land can.
    Place(panzer, 12, 6);
    panzer.m_ActionPoints = 3;
    panzer.m_AiUltimateTargetX = -1;
    EXPECT_FALSE(panzer.StepTowardOrderTarget());
    panzer.m_AiUltimateTargetX = 2;
    panzer.m_AiUltimateTargetY = 2;
    EXPECT_FALSE(panzer.StepTowardOrderTarget());
    EXPECT_EQ(At(panzer), std::pair(12, 6));
    panzer.m_AiUltimateTargetX = 12;
    panzer.m_AiUltimateTargetY = 10;
    EXPECT_TRUE(panzer.StepTowardOrderTarget());
    EXPECT_EQ(At(panzer), std::pair(12, 9));
    // Straight up, only the first direction comes nearer.
    panzer.m_AiUltimateTargetY = 7;
    EXPECT_TRUE(panzer.StepTowardOrderTarget());
}
