// Units leaving the map: killed, sent to the reserve pool, rebased, embarked and put
// back aboard their ships. A unit that leaves clears only the hex it really holds.
#include <gtest/gtest.h>

#include <algorithm>

#include "core/fatal.h"
#include "core/stringbase.h"
#include "tests/test_support.h"
#include "tests/units/unit_test_game.h"

using unit_tests::Contains;
using unit_tests::cTestGame;

namespace {

class UnitLifecycle : public ::testing::Test
{
protected:
    void SetUp() override
    {
        g.SetRuleConstants();
        g_StringBase.LoadFromBytes(cStringBase::Encode({{"fleet_transporter_#%i", L"Transports %i"},
                                                        {"fleet_amphibious_#%i", L"Landing %i"},
                                                        {"loading_%s_into_%s", L"Loading %s into %s"}}),
                                   true);
    }
    cTestGame g;
};

} // namespace

TEST_F(UnitLifecycle, KilledLandUnitLeavesItsHexListsAndTheSpottedLists)
{
    cJednostkaLadowa* u = g.AddLand(1, UNIT_INFANTRY, 3, 3);
    sDowodca* general = g.AddCommander(1, 1, 0, 1, 1);
    general->State = 2;
    u->m_Commander = general;
    g.Country(2).ReconUnits.push_back(u);
    u->Kill();
    EXPECT_EQ(g.Hex(3, 3).unit, nullptr);
    EXPECT_TRUE(g.game->m_LandUnits.empty());
    EXPECT_TRUE(g.Country(2).ReconUnits.empty());
    EXPECT_EQ(general->State, 1);
}

TEST_F(UnitLifecycle, LeavingNeverClearsAHexThatAnotherUnitHolds)
{
    cJednostkaLadowa* holder = g.AddLand(2, UNIT_INFANTRY, 4, 4);
    cJednostkaLadowa* stray = g.AddLand(1, UNIT_INFANTRY, 5, 5);
    cJednostkaLotnicza* wing = g.AddAir(1, UNIT_FIGHTER, 6, 6);
    g.Hex(5, 5).unit = nullptr;
    stray->m_X = 4;  // a position whose hex belongs to another unit
    wing->m_X = 4;
    wing->m_Y = 4;
    g.Hex(6, 6).unit = nullptr;
    stray->MoveToReservePool();
    EXPECT_EQ(g.Hex(4, 4).unit, holder);
    wing->Kill();
    EXPECT_EQ(g.Hex(4, 4).unit, holder);
    EXPECT_TRUE(g.game->m_AirUnits.empty());
}

TEST_F(UnitLifecycle, KillingAReserveOrCarriedUnitEmptiesItsPlace)
{
    cJednostkaLadowa* reserve = g.AddLand(1, UNIT_INFANTRY, 1, 1);
    reserve->MoveToReservePool();
    ASSERT_TRUE(Contains(g.game->m_Reserve, reserve));
    reserve->Kill();
    EXPECT_TRUE(g.game->m_Reserve.empty());

    cJednostkaLadowa* carried = g.AddLand(1, UNIT_INFANTRY, 2, 2);
    ASSERT_NE(carried->EmbarkOnFleet(UNIT_CARGO, 1, -1), nullptr);
    cJednostkaMorska* ship = carried->m_Transporter;
    carried->Kill();
    EXPECT_TRUE(g.game->m_LandUnits2.empty());
    EXPECT_EQ(ship->m_Cargo, nullptr);
}

TEST_F(UnitLifecycle, KillingAUnitAboardAWarshipIsADataError)
{
    cJednostkaMorska* cruiser = g.AddShip(1, UNIT_CRUISER, 1);
    cJednostkaLadowa* u = g.AddLand(1, UNIT_INFANTRY, -1, -1);
    u->m_Transporter = cruiser;
    testing_support::ClearLog();
    try {
        u->Kill();
        ADD_FAILURE() << "the program goes on";
    } catch (const sFatalExit& e) {
        EXPECT_EQ(e.code, 1);
    }
    EXPECT_EQ(testing_support::CountLogLinesStartingWith(L"Data integrity error. Trying to kill unit"), 1);
    u->m_Transporter = nullptr;
}

TEST_F(UnitLifecycle, ReservePoolTakesUnitsOffTheMap)
{
    cJednostkaLadowa* land = g.AddLand(1, UNIT_MECHANIZED, 2, 3);
    cJednostkaLotnicza* air = g.AddAir(1, UNIT_TACTICAL_BOMBER, 3, 3);
    testing_support::ClearLog();
    land->MoveToReservePool();
    air->MoveToReservePool();
    EXPECT_TRUE(testing_support::LogHasInOrder(
        {L"map --> reserve pool: " + land->m_Name, L"map --> reserve pool: " + air->m_Name}));
    for (cJednostka* u : std::initializer_list<cJednostka*>{land, air}) {
        EXPECT_TRUE(u->m_InReserve);
        EXPECT_EQ(u->m_X, -1);
        EXPECT_EQ(u->m_Y, -1);
        EXPECT_TRUE(Contains(g.game->m_Reserve, u));
    }
    EXPECT_EQ(g.Hex(2, 3).unit, nullptr);
    EXPECT_EQ(g.Hex(3, 3).unit, nullptr);
    EXPECT_TRUE(g.game->m_LandUnits.empty());
    EXPECT_TRUE(g.game->m_AirUnits.empty());

    // From aboard a ship, the unit leaves the ship too.
    cJednostkaLadowa* sailor = g.AddLand(1, UNIT_INFANTRY, 4, 4);
    ASSERT_NE(sailor->EmbarkOnFleet(UNIT_AMPHIBIOUS, 1, -1), nullptr);
    cJednostkaMorska* ship = sailor->m_Transporter;
    sailor->MoveToReservePool();
    EXPECT_EQ(ship->m_Cargo, nullptr);
    EXPECT_EQ(sailor->m_Transporter, nullptr);
    EXPECT_EQ(sailor->m_TransporterId, -1) << "nor does a save put it back aboard";
    EXPECT_TRUE(g.game->m_LandUnits3.empty());
}

TEST_F(UnitLifecycle, RebaseGoesOnlyToAFreeHexOnTheMap)
{
    cJednostkaLotnicza* air = g.AddAir(1, UNIT_FIGHTER, 3, 3);
    cJednostkaLadowa* land = g.AddLand(1, UNIT_INFANTRY, 4, 4);
    air->m_ActionPoints = 5;
    EXPECT_FALSE(air->RelocateTo(4, 4));
    EXPECT_FALSE(air->RelocateTo(40, 4));
    EXPECT_EQ(g.Hex(3, 3).unit, air);
    EXPECT_EQ(g.Hex(4, 4).unit, land);
    EXPECT_EQ(air->m_ActionPoints, 5);
    EXPECT_TRUE(air->RelocateTo(7, 1));
    EXPECT_EQ(g.Hex(3, 3).unit, nullptr);
    EXPECT_EQ(g.Hex(7, 1).unit, air);
    EXPECT_EQ(air->m_X, 7);
    EXPECT_EQ(air->m_Y, 1);
    EXPECT_EQ(air->m_ActionPoints, 0);
}

TEST_F(UnitLifecycle, EmbarkingMakesAShipAndAFleetOfOneAndFreesTheHex)
{
    cJednostkaLadowa* a = g.AddLand(1, UNIT_INFANTRY, 2, 2);
    cJednostkaLadowa* b = g.AddLand(1, UNIT_ARMOURED, 3, 3);
    g.Country(1).STP = 20;
    g.Country(1).AIP = 20;
    cFlota* first = a->EmbarkOnFleet(UNIT_CARGO, 2, 7);
    cFlota* second = b->EmbarkOnFleet(UNIT_AMPHIBIOUS, 3, -1);
    ASSERT_NE(first, nullptr);
    ASSERT_NE(second, nullptr);
    EXPECT_EQ(second->ID, first->ID + 1);
    EXPECT_EQ(first->name, FormatText(L"Transports %i", first->ID));
    EXPECT_EQ(second->name, FormatText(L"Landing %i", second->ID));
    EXPECT_EQ(first->aiOrder, 7);
    EXPECT_EQ(first->seaNode, 2);
    EXPECT_EQ(first->movedThisTurn, 1);
    EXPECT_EQ(first->formation, 0);
    ASSERT_EQ(first->ships.size(), 1u);

    cJednostkaMorska* ship = first->ships.front();
    EXPECT_EQ(ship->m_Type, UNIT_CARGO);
    EXPECT_EQ(ship->m_HP, 14);
    EXPECT_EQ(ship->m_MaxHP, ship->m_HP);
    EXPECT_TRUE(ship->m_CanBeRepaired);
    EXPECT_EQ(ship->m_AvailableInTurns, 0);
    EXPECT_EQ(ship->m_CommandingCommanderId, -1);
    EXPECT_EQ(ship->m_Fleet, first);
    EXPECT_EQ(ship->m_Cargo, a);
    EXPECT_EQ(ship->m_Name.substr(0, 1), L"#");
    EXPECT_NE(ship->m_Name.find(a->m_Name), std::wstring::npos);
    EXPECT_EQ(g.Country(1).STP, 18);  // infantry costs 2 transport points
    EXPECT_EQ(g.Country(1).AIP, 13);  // armour costs 7 amphibious points

    EXPECT_EQ(g.Hex(2, 2).unit, nullptr);
    EXPECT_EQ(a->m_X, -1);
    EXPECT_EQ(a->m_Transporter, ship);
    EXPECT_FALSE(a->m_Spotted);
    EXPECT_FALSE(Contains(g.game->m_LandUnits, a));
    EXPECT_TRUE(Contains(g.game->m_LandUnits2, a));
    EXPECT_TRUE(Contains(g.game->m_LandUnits3, b));
    EXPECT_TRUE(Contains(g.game->m_NavalUnits, ship));
}

TEST_F(UnitLifecycle, EmbarkingRefusesWhatCannotSail)
{
    cMulberry* harbour = g.AddMulberry(1, 5, 5);
    cJednostkaLadowa* u = g.AddLand(1, UNIT_INFANTRY, 6, 6);
    EXPECT_EQ(harbour->EmbarkOnFleet(UNIT_CARGO, 1, -1), nullptr);
    EXPECT_EQ(u->EmbarkOnFleet(UNIT_CRUISER, 1, -1), nullptr);
    EXPECT_EQ(u->EmbarkOnFleet(UNIT_CARGO, 99, -1), nullptr);
    // Nor one aboard already, or in the reserve: nothing is paid.
    g.Country(1).STP = 20;
    cJednostkaMorska elsewhere;
    u->m_Transporter = &elsewhere;
    EXPECT_EQ(u->EmbarkOnFleet(UNIT_CARGO, 1, -1), nullptr);
    u->m_Transporter = nullptr;
    u->m_InReserve = true;
    EXPECT_EQ(u->EmbarkOnFleet(UNIT_CARGO, 1, -1), nullptr);
    EXPECT_EQ(g.Country(1).STP, 20);
    EXPECT_EQ(g.Hex(6, 6).unit, u);
    EXPECT_TRUE(g.game->m_Fleets.empty());
    EXPECT_TRUE(g.game->m_NavalUnits.empty());
}

TEST_F(UnitLifecycle, LoadIntoFleetFindsTheShipOrSaysWhyNot)
{
    cJednostkaMorska* cargo = g.AddShip(1, UNIT_CARGO, 1);
    cJednostkaMorska* cruiser = g.AddShip(1, UNIT_CRUISER, 1);
    cJednostkaLadowa* a = g.AddLand(1, UNIT_INFANTRY, 2, 2);
    cJednostkaLadowa* b = g.AddLand(1, UNIT_INFANTRY, 3, 2);
    // A ship in the naval reserve is looked up too, after the ships at sea.
    cJednostkaMorska* held = g.AddShip(1, UNIT_AMPHIBIOUS, 1);
    g.game->m_NavalUnits.pop_back();
    g.game->m_NavalReserve.push_back(held);

    a->m_TransporterId = 999;
    EXPECT_FALSE(a->LoadIntoFleet());
    a->m_TransporterId = cruiser->m_Id;
    EXPECT_FALSE(a->LoadIntoFleet());
    EXPECT_EQ(g.Hex(2, 2).unit, a);

    a->m_TransporterId = cargo->m_Id;
    testing_support::ClearLog();
    EXPECT_TRUE(a->LoadIntoFleet());
    EXPECT_TRUE(testing_support::LogContains(L"Loading " + a->m_Name + L" into " + cargo->m_Name));
    EXPECT_EQ(cargo->m_Cargo, a);
    EXPECT_EQ(g.Hex(2, 2).unit, nullptr);
    EXPECT_TRUE(Contains(g.game->m_LandUnits2, a));

    b->m_TransporterId = cargo->m_Id;  // the ship already carries a
    EXPECT_FALSE(b->LoadIntoFleet());
    EXPECT_EQ(cargo->m_Cargo, a);
    EXPECT_TRUE(Contains(g.game->m_LandUnits, b));
    b->m_TransporterId = held->m_Id;
    EXPECT_TRUE(b->LoadIntoFleet());
    EXPECT_EQ(held->m_Cargo, b);
    EXPECT_TRUE(Contains(g.game->m_LandUnits3, b));
}
