#include <gtest/gtest.h>

#include <map>

#include "game/gra.h"
#include "game/unit_hooks.h"
#include "world/fleet.h"

namespace {

TEST(Lookups, FindActiveFleetMatchesNodeIdAndActivity)
{
    cGra game(sGameLoadRequest::ForScenario(L"Test"), 0);
    cFlota a, b, c;
    a.ID = 4;
    a.seaNode = 2;
    a.isActive = 0;
    b.ID = 4;
    b.seaNode = 2;
    c.ID = 5;
    c.seaNode = 2;
    game.m_Fleets = {&a, &b, &c};
    EXPECT_EQ(game.FindActiveFleet(2, 4), &b);
    EXPECT_EQ(game.FindActiveFleet(3, 4), nullptr);
    EXPECT_EQ(game.FindActiveFleet(2, 5), &c);
    game.m_Fleets.clear();
}

// Units seen through the hooks: stand-in pointers, each naming its view.
class LookupsOverUnits : public ::testing::Test
{
protected:
    void SetUp() override
    {
        g_GameUnitHooks.land = [this](const cJednostkaLadowa* u) { return views.at(u); };
        g_GameUnitHooks.air = [this](const cJednostkaLotnicza* u) { return views.at(u); };
        g_GameUnitHooks.naval = [this](const cJednostkaMorska* u) { return views.at(u); };
        g_GameUnitHooks.any = [this](const cUnit* u) { return views.at(u); };
    }
    void TearDown() override { g_GameUnitHooks = sGameUnitHooks{}; }

    template <typename T>
    T* Unit(sUnitView view)
    {
        auto* p = reinterpret_cast<T*>(&store[next++]);
        views[p] = view;
        return p;
    }

    int store[32] = {};
    int next = 0;
    std::map<const void*, sUnitView> views;
};

TEST_F(LookupsOverUnits, IdsAreFoundInEveryListTheyMayStandIn)
{
    cGra game(sGameLoadRequest::ForScenario(L"Test"), 0);
    EXPECT_FALSE(IsLandUnitIdUsed(1));
    EXPECT_FALSE(IsAirUnitIdUsed(1));
    game.m_NavalUnits = {Unit<cJednostkaMorska>({21, 2, 1, 0, 3}), Unit<cJednostkaMorska>({22, 2, 1, 0, 2})};
    game.m_LandUnits = {Unit<cJednostkaLadowa>({1, 0, 1, 10, 0})};
    game.m_LandUnits3 = {Unit<cJednostkaLadowa>({3, 0, 2, 5, 0})};
    game.m_AirUnits = {Unit<cJednostkaLotnicza>({7, 1, 1, 4, 0})};
    game.m_Reserve = {Unit<cUnit>({2, 0, 1, 1.5, 0}), Unit<cUnit>({8, 1, 2, 2.25, 0})};
    game.m_NavalReserve = {Unit<cJednostkaMorska>({23, 2, 2, 0, 4})};

    EXPECT_EQ(game.FindNavalUnitById(22), game.m_NavalUnits.back());
    EXPECT_EQ(game.FindNavalUnitById(23), nullptr); // the reserve is not searched
    EXPECT_TRUE(IsLandUnitIdUsed(1));
    EXPECT_TRUE(IsLandUnitIdUsed(2));
    EXPECT_TRUE(IsLandUnitIdUsed(3));
    EXPECT_FALSE(IsLandUnitIdUsed(8)); // an air unit in the reserve
    EXPECT_TRUE(IsAirUnitIdUsed(7));
    EXPECT_TRUE(IsAirUnitIdUsed(8));
    EXPECT_FALSE(IsAirUnitIdUsed(2));

    // Score without cities: unit values and ship hit points, truncated.
    EXPECT_EQ(game.ComputeCountryScore(1), 10 + 4 + 1 + 3 + 2);   // 20.5 -> 20
    EXPECT_EQ(game.ComputeCountryScore(2), 5 + 2 + 4);            // 11.25 -> 11
    game.m_NavalUnits.clear();
    game.m_LandUnits.clear();
    game.m_LandUnits3.clear();
    game.m_AirUnits.clear();
    game.m_Reserve.clear();
    game.m_NavalReserve.clear();
}

} // namespace
