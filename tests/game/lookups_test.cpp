#include <gtest/gtest.h>

#include "game/game.h"
#include "units/land_unit.h"
#include "units/air_unit.h"
#include "units/naval_unit.h"
#include "world/country.h"
#include "world/fleet.h"

namespace {

TEST(Lookups, FindActiveFleetMatchesNodeOwnerAndActivity)
{
    cGra game(sGameLoadRequest::ForScenario(L"Test"), 0);
    cFlota a, b, c;
    a.owner = 4;
    a.seaNode = 2;
    a.isActive = 0;
    b.owner = 4;
    b.seaNode = 2;
    c.owner = 5;
    c.seaNode = 2;
    game.m_Fleets = {&a, &b, &c};
    EXPECT_EQ(game.FindActiveFleet(2, 4), &b);
    EXPECT_EQ(game.FindActiveFleet(3, 4), nullptr);
    EXPECT_EQ(game.FindActiveFleet(2, 5), &c);
    game.m_Fleets.clear();
}

template <typename T>
T Unit(int id, int owner, int type)
{
    T u;
    u.m_Id = id;
    u.m_Owner = owner;
    u.SetType(type);
    return u;
}

// A bought unit is numbered on from the country's units of its type, in their numerals.
TEST(Lookups, ANewUnitIsNumberedOnFromTheCountrysUnitsOfItsType)
{
    cGra game(sGameLoadRequest::ForScenario(L"Test"), 0);
    cPanstwo country;
    country.ID = 1;
    country.SetUnitTypeName(1, L"Armeekorps");
    country.SetUnitTypeName(4, L"Panzer-Division");
    auto named = [](int id, int owner, int type, const wchar_t* name) {
        auto unit = Unit<cJednostkaLadowa>(id, owner, type);
        unit.m_Name = name;
        return unit;
    };
    auto corps1 = named(1, 1, UNIT_INFANTRY_CORPS, L"XXXVIII. Armeekorps");
    auto corps2 = named(2, 1, UNIT_INFANTRY_CORPS, L"Korps Wodrig");
    auto corps3 = named(3, 2, UNIT_INFANTRY_CORPS, L"XLIX. Armeekorps"); // another country's
    auto corps4 = named(4, 1, UNIT_INFANTRY_CORPS, L"IV. Armeekorps");
    auto panzer = named(5, 1, UNIT_ARMOURED, L"1 Panzer-Division");
    // A third country's first corps, and a number too long to be one a country counts on from.
    auto corps5 = named(6, 3, UNIT_INFANTRY_CORPS, L"I Armeekorps");
    auto panzer3 = named(7, 3, UNIT_ARMOURED, L"100000 Panzer-Division");
    game.m_LandUnits = {&corps1, &corps2, &corps3, &panzer, &corps5, &panzer3};
    game.m_Reserve = {&corps4};
    EXPECT_EQ(NewUnitName(country, UNIT_INFANTRY_CORPS, 74), L"XXXIX. Armeekorps");
    EXPECT_EQ(NewUnitName(country, UNIT_ARMOURED, 74), L"2 Panzer-Division");
    EXPECT_EQ(NewUnitName(country, UNIT_INFANTRY, 74), L"74 " + country.GetUnitTypeName(UNIT_INFANTRY));
    for (int id : {2, 3}) {
        country.ID = id;
        EXPECT_EQ(NewUnitName(country, UNIT_INFANTRY_CORPS, 74), id == 2 ? L"L. Armeekorps" : L"II Armeekorps");
        EXPECT_EQ(NewUnitName(country, UNIT_ARMOURED, 74), L"74 Panzer-Division");
    }
    game.m_LandUnits.clear();
    game.m_Reserve.clear();
}

TEST(Lookups, UnitIdsAreFoundInEveryListTheyMayStandInAndScoresSumThem)
{
    cGra game(sGameLoadRequest::ForScenario(L"Test"), 0);
    EXPECT_FALSE(IsLandUnitIdUsed(1));
    EXPECT_FALSE(IsAirUnitIdUsed(1));
    game.m_Consts.LandCombatStrength[0][0] = 2.5f; // level 1 infantry
    game.m_Consts.LandCombatStrength[1][4] = 8.0f; // level 2 armour
    game.m_Consts.AirFullStrength[0] = 10;        // fighters

    auto ship1 = Unit<cJednostkaMorska>(21, 1, UNIT_BATTLESHIP);
    auto ship2 = Unit<cJednostkaMorska>(22, 1, UNIT_CRUISER);
    auto ship3 = Unit<cJednostkaMorska>(23, 2, UNIT_CRUISER);
    ship1.m_HP = 3;
    ship2.m_HP = 2;
    ship3.m_HP = 4;
    auto land1 = Unit<cJednostkaLadowa>(1, 1, UNIT_INFANTRY);
    auto land3 = Unit<cJednostkaLadowa>(3, 2, UNIT_ARMOURED);
    land3.m_Level = 2;
    auto air7 = Unit<cJednostkaLotnicza>(7, 1, UNIT_FIGHTER);
    auto reserveLand = Unit<cJednostkaLadowa>(2, 1, UNIT_INFANTRY);
    auto reserveAir = Unit<cJednostkaLotnicza>(8, 2, UNIT_FIGHTER);
    reserveAir.m_InReserve = true;
    game.m_NavalUnits = {&ship1, &ship2};
    game.m_NavalReserve = {&ship3};
    game.m_LandUnits = {&land1};
    game.m_LandUnits3 = {&land3};
    game.m_AirUnits = {&air7};
    game.m_Reserve = {&reserveLand, &reserveAir};

    EXPECT_EQ(game.FindNavalUnitById(22), &ship2);
    EXPECT_EQ(game.FindNavalUnitById(23), nullptr); // the reserve is not searched
    EXPECT_EQ(game.FindMapUnit(CATEGORY_LAND, 1), &land1);
    EXPECT_EQ(game.FindMapUnit(CATEGORY_AIR, 7), &air7);
    EXPECT_EQ(game.FindMapUnit(CATEGORY_AIR, 1), nullptr);
    EXPECT_EQ(game.FindMapUnit(CATEGORY_NAVAL, 21), nullptr);
    EXPECT_TRUE(IsLandUnitIdUsed(1));
    EXPECT_TRUE(IsLandUnitIdUsed(2));
    EXPECT_TRUE(IsLandUnitIdUsed(3));
    EXPECT_FALSE(IsLandUnitIdUsed(8)); // an air unit in the reserve
    EXPECT_TRUE(IsAirUnitIdUsed(7));
    EXPECT_TRUE(IsAirUnitIdUsed(8));
    EXPECT_FALSE(IsAirUnitIdUsed(2));
    EXPECT_TRUE(IsUnitInReserve(&reserveAir));
    EXPECT_FALSE(IsUnitInReserve(&reserveLand));

    // Without cities: the units' values and the ships' hit points, truncated.
    EXPECT_EQ(game.ComputeCountryScore(1), 20); // 2.5 + 10 + 2.5 + 3 + 2
    EXPECT_EQ(game.ComputeCountryScore(2), 8 + 10 + 4);
    game.m_NavalUnits.clear();
    game.m_NavalReserve.clear();
    game.m_LandUnits.clear();
    game.m_LandUnits3.clear();
    game.m_AirUnits.clear();
    game.m_Reserve.clear();
}

} // namespace
