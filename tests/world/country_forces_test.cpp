// A country's view of the units: fog of war, interceptors, air superiority, ship
// capacities, the force summary and the hand-over of its air units.
#include <gtest/gtest.h>

#include "core/settings.h"
#include "game/play_counts.h"
#include "tests/test_support.h"
#include "tests/units/unit_test_game.h"
#include "world/city.h"

using unit_tests::cTestGame;

namespace {

class CountryForces : public ::testing::Test
{
protected:
    void SetUp() override
    {
        g.SetRuleConstants();  // fighters: full strength 12, range 6 at aircraft level 1
        g.SetWar(1, 2);
        for (int s = 0; s < kSupplyBands; ++s)
            g.Consts().InterceptorSupplyTerm[s] = s / 10;
    }
    void TearDown() override { g_UserSettings.fogOfWar = 0; }

    cJednostkaLotnicza* Fighter(int owner, int x, int y, int strength, int level = 1)
    {
        cJednostkaLotnicza* f = g.AddAir(owner, UNIT_FIGHTER, x, y);
        f->m_Strength = strength;
        f->m_Level = level;
        f->m_Supply = 10;
        return f;
    }
    cTestGame g{20, 12, 3};
};

} // namespace

TEST_F(CountryForces, FogOfWarShowsWhatTheSideSeesAndWhatReconFound)
{
    cJednostkaLadowa* own = g.AddLand(1, UNIT_INFANTRY, 2, 2);
    cJednostkaLadowa* near = g.AddLand(2, UNIT_INFANTRY, 4, 2);
    cJednostkaLotnicza* farAir = g.AddAir(2, UNIT_FIGHTER, 9, 2);
    cJednostkaLadowa* recon = g.AddLand(2, UNIT_INFANTRY, 15, 8);
    g.Country(1).ReconUnits.push_back(recon);

    g_UserSettings.fogOfWar = 2;
    g.Country(1).RecalculateUnitsVisibility();
    EXPECT_TRUE(own->m_Spotted);
    EXPECT_TRUE(near->m_Spotted);
    EXPECT_FALSE(farAir->m_Spotted);
    EXPECT_TRUE(recon->m_Spotted);  // no own unit near it

    g_UserSettings.fogOfWar = 0;
    g.Country(3).RecalculateUnitsVisibility(); // no unit of its own, yet without the fog it sees all
    EXPECT_TRUE(farAir->m_Spotted);
    EXPECT_TRUE(own->m_Spotted);
    g.Country(1).RecalculateUnitsVisibility();
    EXPECT_TRUE(farAir->m_Spotted);
    EXPECT_TRUE(testing_support::LogContains(L"Recalculating units visibility"));
}

TEST_F(CountryForces, InterceptorIsTheStrongestFighterOfTheSideInRangeFirstOfEquals)
{
    g.Country(1).Alliance = ALLIANCE_ALLIES;
    g.Country(3).Alliance = ALLIANCE_ALLIES_LEADER;
    Fighter(1, 5, 5, 6);                                   // exactly half strength: no candidate
    cJednostkaLotnicza* first = Fighter(3, 6, 5, 9, 2);    // allied, power 1 + 2 + 9
    Fighter(1, 7, 5, 10, 1);                               // power 12 as well: the first stays
    Fighter(1, 19, 11, 12, 5);                             // out of range
    Fighter(2, 5, 6, 12, 5);                               // the enemy's
    EXPECT_EQ(g.Country(1).FindBestInterceptor(5, 4), first);
    EXPECT_TRUE(testing_support::LogContains(L"Possible interceptor: " + first->m_Name + L", power: 12"));

    // The enemy searching against an attack from country 2's side finds only country 2's.
    EXPECT_EQ(FindFighterInterceptor(5, 4, [](int owner) { return CountriesAtWar(owner, 1); }),
              g.Country(2).FindBestInterceptor(5, 4));

    // At sea: the country's carrier in the hex's zone with enough hit points.
    g.Hex(10, 10).terrain = 0;
    g.Hex(10, 10).seaZone = 2;
    cJednostkaMorska* weak = g.AddShip(1, UNIT_CARRIER, 2);
    weak->m_HP = 3;
    cJednostkaMorska* strong = g.AddShip(1, UNIT_CARRIER, 2);
    strong->m_HP = 4;
    g.AddShip(1, UNIT_CARRIER, 3)->m_HP = 9;  // another zone
    EXPECT_EQ(g.Country(1).FindBestInterceptor(10, 10), strong);
    g.Hex(10, 10).seaZone = 0;
    EXPECT_EQ(g.Country(1).FindBestInterceptor(10, 10), nullptr);
}

TEST_F(CountryForces, AirSuperiorityRatioIsMinusOneWithoutEnemyFighters)
{
    Fighter(1, 3, 3, 8);
    Fighter(1, 4, 3, 3);
    EXPECT_FLOAT_EQ(g.Country(1).GetAirSuperiorityRatio(4, 4), -1.0f);
    Fighter(2, 6, 3, 4);
    g.AddAir(2, UNIT_TACTICAL_BOMBER, 5, 5)->m_Strength = 10;  // bombers do not count
    Fighter(2, 19, 11, 12);                                    // out of range
    // A worn-down fighter is worth what a fresh one is, as in its upkeep.
    EXPECT_EQ(g.Country(1).GetOwnFighterPowerNear(4, 4), 2 * 12);
    EXPECT_EQ(g.Country(1).GetEnemyFighterPowerNear(4, 4), 12);
    EXPECT_FLOAT_EQ(g.Country(1).GetAirSuperiorityRatio(4, 4), 2.0f);
}

TEST_F(CountryForces, ShipCapacitiesAndForceSummarySkipTheMulberry)
{
    cJednostkaMorska* cargo = g.AddShip(1, UNIT_CARGO, 1);
    cargo->m_Cargo = g.AddLand(1, UNIT_ARMOURED, -1, -1);
    cJednostkaMorska* amphibious = g.AddShip(1, UNIT_AMPHIBIOUS, 1);
    amphibious->m_Cargo = g.AddMulberry(1, 3, 3);
    g.Country(1).STP = 5;
    g.Country(1).STPUsedByConvoys = 1;
    EXPECT_EQ(g.Country(1).GetSeaTransportCapacity(), 5 + 1 + 6);  // row 69: 2 + type
    g.Country(1).AddAmphibiousCapacityOfShips();
    EXPECT_EQ(g.Country(1).AIPMax, 0);

    cJednostkaLotnicza* reserved = g.AddAir(1, UNIT_STRATEGIC_BOMBER, 5, 5);
    reserved->MoveToReservePool();
    g.AddAir(1, UNIT_FIGHTER, 6, 6);
    g.AddLand(1, UNIT_INFANTRY, 2, 2);
    ForceSummary table;
    g.Country(1).CollectForceSummary(table);
    ForceSummary expected{};
    expected[0][0] = expected[16][0] = 1;  // infantry, by display row and by code
    expected[4][0] = expected[20][0] = 1;  // armour aboard the cargo ship
    expected[9][0] = expected[23][0] = 1;  // fighter on the map
    expected[7][1] = expected[38][1] = 1;  // strategic bomber in the reserve
    expected[14][0] = expected[30][0] = 1; // cargo ship
    expected[15][0] = expected[31][0] = 1; // amphibious ship; its Mulberry has no row
    EXPECT_EQ(table, expected);
    // Land types, then air 22, 21, 20 and naval 42, 41, 40, 43, 44, 45.
    const int byRow[16] = {0, 1, 2, 3, 4, 5, 6, 22, 21, 20, 42, 41, 40, 43, 44, 45};
    for (int row = 0; row < 16; ++row)
        EXPECT_EQ(DisplayRowOfType(byRow[row]), row);
    EXPECT_EQ(DisplayRowOfType(UNIT_MULBERRY), -1);
}

TEST_F(CountryForces, UnfreezingAndTheComputersListsKeepToTheirCountryAndPlace)
{
    cJednostkaLadowa* own = g.AddLand(1, UNIT_INFANTRY, 1, 1);
    cJednostkaLadowa* other = g.AddLand(2, UNIT_INFANTRY, 3, 1);
    own->m_FreezeTime = other->m_FreezeTime = 2;
    g.Country(1).UnFreezeAllUnits();
    EXPECT_EQ(own->m_FreezeTime, 0);
    EXPECT_EQ(other->m_FreezeTime, 2);

    g.Country(1).AIParameters.SeaZonesToPatrol = {{3, 7}};
    EXPECT_EQ(g.Country(1).GetSeaZonePatrolValue(3), 7);
    EXPECT_EQ(g.Country(1).GetSeaZonePatrolValue(4), 0);
    cMiasto a, b;
    a.X = 1, a.Y = 2, b.X = 2, b.Y = 1;
    g.Country(1).AIParameters.DoNotAttackCities = {&a, &b};
    g.Country(1).RemoveDoNotAttackCity(2, 1);
    EXPECT_EQ(g.Country(1).AIParameters.DoNotAttackCities, std::list<cMiasto*>{&a});
}

TEST_F(CountryForces, AirUnitsHandedToAnEnemyOfTheirHexGoToTheReserve)
{
    g.Hex(4, 4).controller = 1;
    g.Hex(8, 4).controller = 3;
    cJednostkaLotnicza* onEnemyHex = g.AddAir(1, UNIT_FIGHTER, 4, 4);
    cJednostkaLotnicza* stays = g.AddAir(1, UNIT_FIGHTER, 8, 4);
    g.Country(1).ChangeOwnershipOfAllAirUnits(2);
    EXPECT_EQ(onEnemyHex->m_Owner, 2);
    EXPECT_TRUE(onEnemyHex->m_InReserve);
    EXPECT_EQ(g.Hex(4, 4).unit, nullptr);
    EXPECT_TRUE(unit_tests::Contains(g.game->m_Reserve, onEnemyHex));
    EXPECT_FALSE(unit_tests::Contains(g.game->m_AirUnits, onEnemyHex));
    EXPECT_EQ(stays->m_Owner, 2);
    EXPECT_EQ(g.Hex(8, 4).unit, stays);
}

TEST_F(CountryForces, KillingAllUnitsOfACountryLeavesTheOthersUnits)
{
    g.AddLand(1, UNIT_INFANTRY, 1, 1);
    g.AddLand(1, UNIT_ARMOURED, 2, 1);
    cJednostkaLadowa* other = g.AddLand(2, UNIT_INFANTRY, 3, 1);
    g.AddAir(1, UNIT_FIGHTER, 4, 1);
    g.AddShip(1, UNIT_CRUISER, 1);
    // One aboard its ship, which goes down with it; one listed aboard without a ship goes alone.
    cJednostkaMorska* transport = g.AddShip(1, UNIT_CARGO, 1);
    cJednostkaLadowa* aboard = g.AddLand(1, UNIT_ARMOURED, -1, -1);
    cJednostkaLadowa* shipless = g.AddLand(1, UNIT_INFANTRY, -1, -1);
    g.game->m_LandUnits.remove(aboard);
    g.game->m_LandUnits.remove(shipless);
    g.game->m_LandUnits2 = {aboard};
    g.game->m_LandUnits3 = {shipless};
    transport->m_Cargo = aboard;
    aboard->m_Transporter = transport;
    const int destroyed = g_PlayCounts.unitsDestroyed.load();
    const size_t lost = g_PlayCounts.ShipLosses().size();
    g.Country(1).KillAllLandUnits();
    g.Country(1).KillAllAirUnits();
    g.Country(1).KillAllNavalUnits();
    EXPECT_EQ(g_PlayCounts.unitsDestroyed.load() - destroyed, 2 + 2 + 1 + 1 + 1);
    const std::vector<sShipLossRecord> losses = g_PlayCounts.ShipLosses();
    ASSERT_EQ(losses.size(), lost + 2);
    for (size_t i = lost; i < losses.size(); ++i) {
        EXPECT_EQ(losses[i].by, "event");
        EXPECT_EQ(losses[i].byCountry, L"") << "no country sank it";
    }
    EXPECT_TRUE(g.game->m_LandUnits2.empty());
    EXPECT_TRUE(g.game->m_LandUnits3.empty());
    EXPECT_EQ(g.game->m_LandUnits.size(), 1u);
    EXPECT_EQ(g.game->m_LandUnits.front(), other);
    EXPECT_TRUE(g.game->m_AirUnits.empty());
    EXPECT_TRUE(g.game->m_NavalUnits.empty());
    EXPECT_EQ(g.Hex(1, 1).unit, nullptr);
}
