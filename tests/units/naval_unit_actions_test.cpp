// What ships do besides fighting, on Testland: unloading, placement ports, reconnaissance.
#include <gtest/gtest.h>

#include "tests/test_support.h"
#include "tests/units/naval_testland.h"
#include "units/combat_result.h"
#include "world/city.h"
#include "world/map.h"

using namespace naval_tests;
using testing_support::LogContains;

namespace {

class NavalActions : public NavalTestland
{
};

} // namespace

TEST_F(NavalActions, AWarshipRefusesToUnloadAndACargoShipInPortLandsItsUnitWithThePortsSupply)
{
    EXPECT_EQ(Ship(2).UnloadToHex(3, 3, 3, 3), nullptr);
    EXPECT_TRUE(LogContains(L"ERR: Trying to unload sea transport from sea unit of subtype of neither cargo nor "
                            L"amphibious! Details below"));

    Activate(kAlbion);
    cJednostkaMorska& anna = Ship(3);
    cJednostkaLadowa* corps = anna.m_Cargo;
    ASSERT_NE(corps, nullptr);
    EXPECT_GT(anna.MarkUnloadHexes(true), 0);
    EXPECT_NE(Hex(3, 3).marks & MARK_ACTION_TARGET, 0u);
    const int stp = Country(kAlbion).STP;
    ASSERT_TRUE(anna.AiUnload(true));
    EXPECT_EQ(anna.m_Cargo, corps);  // only a test
    ASSERT_TRUE(anna.AiUnload(false));
    EXPECT_EQ(Hex(3, 3).unit, corps);  // Dover itself
    EXPECT_EQ(corps->m_Transporter, nullptr);
    EXPECT_EQ(corps->m_TransporterId, -1);
    EXPECT_EQ(anna.m_Cargo, nullptr);
    EXPECT_EQ(corps->m_ActionPoints, 0);
    EXPECT_EQ(corps->m_Supply, Hex(3, 3).city->SupplyByCountry[kAlbion - 1]);
    EXPECT_EQ(corps->m_SupplySourceX, 3);
    EXPECT_EQ(Country(kAlbion).STP, stp + Consts().SeaTransportCost[corps->m_Type]);
    EXPECT_TRUE(unit_tests::Contains(game->m_LandUnits, corps));
    EXPECT_TRUE(game->m_LandUnits2.empty());
    EXPECT_FALSE(anna.AiUnload(true));  // nothing left aboard

    // Infantry, the first land type, pays row 69's 2 to sail and gets them back ashore.
    cJednostkaLadowa& guards = Land(1);
    cFlota* fleet = guards.EmbarkOnFleet(UNIT_CARGO, kDoverPort, -1);
    ASSERT_NE(fleet, nullptr);
    EXPECT_EQ(Country(kAlbion).STP, stp + 3 - 2);
    ASSERT_EQ(fleet->ships.front()->UnloadToHex(2, 3, 3, 3), &guards);
    EXPECT_EQ(Country(kAlbion).STP, stp + 3);
}

TEST_F(NavalActions, AUnitPutAshoreOnACoastDrawsSupplyFromTheNearestSupplyCity)
{
    cJednostkaLadowa& guards = Land(1);
    cFlota* fleet = guards.EmbarkOnFleet(UNIT_AMPHIBIOUS, kChannel, -1);
    ASSERT_NE(fleet, nullptr);
    cJednostkaMorska* ship = fleet->ships.front();
    // Cities that hold nothing for Albion still give the landed unit the least supply.
    for (cMiasto* city : game->m_Cities)
        city->SupplyByCountry[kAlbion - 1] = 0;
    ASSERT_EQ(ship->UnloadToHex(2, 4, 5, 3), &guards);
    EXPECT_EQ(Hex(2, 4).unit, &guards);
    // Londinium (2, 2) or Dover (3, 3), both Albion's supply cities.
    const sHex& source = Hex(guards.m_SupplySourceX, guards.m_SupplySourceY);
    ASSERT_NE(source.city, nullptr);
    EXPECT_TRUE(source.city->Type == CITY_SUPPLY || source.city->Type == CITY_SUPPLY_PORT);
    EXPECT_EQ(guards.m_Supply, 1);
}

TEST_F(NavalActions, AnAmphibiousShipAtSeaLandsOnCoastsAtWarButNotOnTheMapsLastRowOrColumn)
{
    cFlota* fleet = Land(4).EmbarkOnFleet(UNIT_AMPHIBIOUS, kNorthSea, -1);
    ASSERT_NE(fleet, nullptr);
    cJednostkaMorska& ship = *fleet->ships.front();
    // Albion's five coastal hexes on the North Sea, one of them held by Fighter Command.
    EXPECT_EQ(ship.MarkUnloadHexes(false), 5);
    // Ruthenia's coast runs from column 14 to the last, 19.
    SetWar(kBorussia, kRuthenia, true);
    EXPECT_EQ(ship.MarkUnloadHexes(false), 10);
    // A hex held by a country at war counts whoever owns it.
    Hex(2, 1).owner = kHelvetia;
    EXPECT_EQ(ship.MarkUnloadHexes(false), 10);

    // On the Southern Sea (node 3), Borussia's seven coastal hexes down to row 14; Ruthenia's
    // (14,15) lies on the last row.
    cFlota* landing = Land(1).EmbarkOnFleet(UNIT_AMPHIBIOUS, 3, -1);
    ASSERT_NE(landing, nullptr);
    SetWar(kAlbion, kRuthenia, true);
    EXPECT_EQ(landing->ships.front()->MarkUnloadHexes(false), 7);
}

TEST_F(NavalActions, ShipsArePlacedOnlyInOwnPortsLargeEnoughForTheirType)
{
    EXPECT_EQ(Ship(2).MarkActionTargets(false), 0);  // Dover (size 3) is too small for a battleship
    EXPECT_EQ(Ship(3).MarkActionTargets(true), 1);
    EXPECT_NE(Hex(Node(kDoverPort).OwnShipsX, Node(kDoverPort).OwnShipsY).marks & MARK_ACTION_TARGET, 0u);
    EXPECT_EQ(Hex(Node(kDoverPort).OwnShipsX, Node(kDoverPort).OwnShipsY).markValue, -1);
    // Row 162: a cruiser needs a port of 3, a carrier one of 4.
    cJednostkaMorska* exeter = game->m_NavalReserve.front();
    ASSERT_EQ(exeter->m_Type, UNIT_CRUISER);
    EXPECT_EQ(exeter->MarkActionTargets(false), 1);
    EXPECT_EQ(Ship(1).MarkActionTargets(false), 0);
    Node(kDoverPort).SizeCurrent = 4;
    EXPECT_EQ(Ship(1).MarkActionTargets(false), 1);
}

TEST_F(NavalActions, ReconnaissanceLooksIntoAPortButNotIntoANodeThatDoesNotExist)
{
    EXPECT_FALSE(Ship(1).ReconSeaNode(77));
    EXPECT_FALSE(Ship(1).m_ReconDone);
    game->m_SeaGraph->ViewingCountry = kAlbion;
    ASSERT_TRUE(Ship(1).ReconSeaNode(kHamburgumPort));
    EXPECT_TRUE(Ship(1).m_ReconDone);
    EXPECT_EQ(Node(kHamburgumPort).CountVisibleEnemyShips(), 3);
    EXPECT_TRUE(g_HideForeignShipsInPorts);

    // A look around a hex spots what stands near it and tells it when asked.
    Land(5).m_Spotted = false;
    Ship(1).m_ReconDone = false;
    Ship(1).ReconAroundHex(9, 5);
    EXPECT_TRUE(Land(5).m_Spotted);
    EXPECT_TRUE(Ship(1).m_ReconDone);
    sCombatResult told;
    Ship(1).ReconAroundHex(9, 5, &told);
    EXPECT_EQ(told.kind, COMBAT_AIR_RECON);
    EXPECT_EQ(told.attackerCountry, -1);  // no side's flag, as over a plane's look
    EXPECT_FALSE(told.attackerInfo.empty());
    sCombatResult outside;
    Ship(1).ReconAroundHex(-1, -1, &outside);
    EXPECT_EQ(outside.kind, COMBAT_LAND_BATTLE) << "nothing to tell off the map";
}
