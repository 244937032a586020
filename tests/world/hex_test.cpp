#include <gtest/gtest.h>

#include "tests/test_support.h"
#include "tests/world/world_fixture.h"

using namespace testing_support;

namespace {
constexpr uint16_t OwnerBit(int side) { return uint16_t(1u << (side - 1)); }
constexpr uint16_t ControllerBit(int side) { return uint16_t(1u << (side + 2)); }
constexpr uint16_t SeaBit(int side) { return uint16_t(1u << (side + 5)); }
} // namespace

TEST(HexBorders, ControllerChangeUpdatesOwnSidesAndTheNeighboursThatStoreTheShared)
{
    cTestWorld w(5, 5);
    w.AddCountry(1);
    w.AddCountry(2);
    w.FillLand(1);
    w.map->PostLoadInit();
    for (const sHex& h : w.map->Hexes())
        EXPECT_EQ(h.borders, 0) << h.x << "," << h.y;

    sHex& centre = w.Hex(2, 2);
    centre.SetController(2);
    for (int s = 1; s <= 3; ++s)
    {
        EXPECT_TRUE(centre.borders & ControllerBit(s));
        EXPECT_FALSE(centre.borders & OwnerBit(s));
    }
    // Up (direction 0) stores the side below it (its 3); lower left (4) its 1; upper left (5) its 2.
    EXPECT_TRUE(w.map->GetNeighbour(2, 2, 0)->borders & ControllerBit(3));
    EXPECT_TRUE(w.map->GetNeighbour(2, 2, 4)->borders & ControllerBit(1));
    EXPECT_TRUE(w.map->GetNeighbour(2, 2, 5)->borders & ControllerBit(2));

    centre.SetOwner(2);
    EXPECT_TRUE(w.map->GetNeighbour(2, 2, 0)->borders & OwnerBit(3));
    centre.SetController(1);
    centre.SetOwner(1);
    EXPECT_EQ(w.map->GetNeighbour(2, 2, 0)->borders, 0);
    EXPECT_EQ(centre.borders, 0);
}

TEST(HexBorders, NoBorderTowardsTheSeaAndSeaZoneBordersBetweenZones)
{
    cTestWorld w(4, 4);
    w.AddCountry(1);
    w.AddCountry(2);
    w.AddSeaNode();          // zone 1
    w.AddSeaNode();          // zone 2
    w.AddSeaNode(3, 3, 3);   // a port node, 3
    w.Land(1, 1, 1);
    w.Land(1, 2, 2); // below (1, 1): side 3
    for (sHex& h : w.map->Hexes())
        if (h.IsSea())
            h.seaZone = h.x < 2 ? 1 : 2;
    w.Hex(3, 0).seaZone = 3;
    w.Hex(0, 2).seaZone = 0; // sea outside every zone
    w.map->PostLoadInit();
    EXPECT_TRUE(w.Hex(0, 2).borders & SeaBit(3)); // (0, 3) below it lies in zone 1
    for (const sHex& h : w.map->Hexes())
        EXPECT_EQ(h.borders >> 9, 0) << h.x << "," << h.y; // three sides each: nine bits
    EXPECT_TRUE(w.Hex(1, 1).borders & ControllerBit(3));
    EXPECT_FALSE(w.Hex(1, 1).borders & ControllerBit(2)); // (2, 1) is sea
    // (1, 0) odd column: side 2 leads to (2, 0), zone 2.
    EXPECT_TRUE(w.Hex(1, 0).borders & SeaBit(2));
    EXPECT_FALSE(w.Hex(0, 0).borders & SeaBit(3));
    EXPECT_EQ(w.Hex(0, 0).borders, 0); // no side of it faces another zone
    // A hex of a port zone gets no sea-zone borders, and none point into it.
    EXPECT_EQ(w.Hex(3, 0).borders, 0);
    EXPECT_FALSE(w.Hex(3, 0).borders & SeaBit(3));
    EXPECT_FALSE(w.Hex(2, 0).borders & SeaBit(2)); // (3, 0) is the port's zone
}

TEST(HexPredicates, FriendsEnemiesAndNeutrals)
{
    cTestWorld w(3, 3);
    const int allies = w.AddCountry(1);
    const int leader = w.AddCountry(4);
    const int axis = w.AddCountry(2);
    const int neutral = w.AddCountry(0);
    w.War(allies, axis);

    sHex& byLeader = w.Land(0, 0, leader);
    sHex& byAxis = w.Land(1, 0, axis);
    sHex& byNeutral = w.Land(2, 0, neutral);
    sHex& nobody = w.Land(0, 1, 0);
    sHex& sea = w.Hex(1, 1);

    EXPECT_TRUE(byLeader.IsControlledByFriend(allies));
    EXPECT_FALSE(byAxis.IsControlledByFriend(allies));
    EXPECT_FALSE(nobody.IsControlledByFriend(allies));
    EXPECT_TRUE(byNeutral.IsControlledByFriend(neutral));

    EXPECT_TRUE(byLeader.IsHeldAndOwnedByFriend(allies));
    byLeader.owner = uint8_t(axis);
    EXPECT_FALSE(byLeader.IsHeldAndOwnedByFriend(allies));

    EXPECT_TRUE(byAxis.IsFriendlyOrEnemyLand(allies));
    EXPECT_TRUE(byLeader.IsFriendlyOrEnemyLand(allies));
    EXPECT_FALSE(byNeutral.IsFriendlyOrEnemyLand(allies));
    EXPECT_FALSE(sea.IsFriendlyOrEnemyLand(allies));

    EXPECT_TRUE(byAxis.CanSupplyThrough(allies));
    EXPECT_FALSE(byNeutral.CanSupplyThrough(allies));
    EXPECT_TRUE(nobody.CanSupplyThrough(allies));
    EXPECT_FALSE(sea.CanSupplyThrough(allies));
    byLeader.terrain = kTerrainNoSupply;
    EXPECT_FALSE(byLeader.CanSupplyThrough(allies));

    EXPECT_EQ(byAxis.GetController(), w.countries[size_t(axis - 1)]);
    EXPECT_EQ(nobody.GetController(), nullptr);
    sHex& own = w.Land(2, 2, allies);
    own.originalOwner = uint8_t(neutral);
    EXPECT_EQ(own.GetOwner(), w.countries[size_t(allies - 1)]);
    EXPECT_EQ(own.GetOriginalOwner(), w.countries[size_t(neutral - 1)]);
    EXPECT_EQ(nobody.GetOriginalOwner(), nullptr);
    // A country with no side holds and owns its own land.
    EXPECT_TRUE(byNeutral.IsHeldAndOwnedByFriend(neutral));

    // Rivers: sides 0 to 5 of the mask; another side, or a mask beyond six bits, has none.
    own.riverMask = 0b100001;
    for (int side = -1; side <= 6; ++side)
        EXPECT_EQ(own.HasRiver(side), side == 0 || side == 5) << side;
    own.riverMask = 63;
    EXPECT_TRUE(own.HasRiver(3));
    own.riverMask = 64 | 1;
    EXPECT_FALSE(own.HasRiver(0));
}

TEST(HexPredicates, AlliedTestWithCountryZeroIsLoggedAndAnswersNo)
{
    cTestWorld w(2, 2);
    w.AddCountry(1);
    sHex& h = w.Land(0, 0, 1);
    EXPECT_FALSE(h.IsControlledByFriend(0));
    EXPECT_TRUE(LogContains(L"ERROR: Country ID parameter was 0 while checking alliance!"));
}
