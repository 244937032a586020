// Invasions: the build-up keeps only targets held by countries not yet at war, and units
// march toward a friendly city beside them; a sea invasion waits while such targets remain,
// asks for invasion points first, and loads the units onto amphibious ships for the target.
#include <gtest/gtest.h>

#include <list>
#include <tuple>

#include "game/play_counts.h"
#include "tests/ai/ai_test_game.h"
#include "tests/test_support.h"
#include "units/naval_unit.h"
#include "world/fleet.h"
#include "world/hex_geometry.h"
#include "world/sea_graph.h"

namespace ai_tests {
namespace {

class AIInvasions : public cAIGame
{
protected:
    AIInvasions() { game->m_Countries[kAlbion - 1]->HumanControlled = false; }
    sAIParameters& Parameters() { return game->m_Countries[kBorussia - 1]->AIParameters; }
    // Borussia's opponent with its lists built and every unit given the order.
    cAI& Borussia(int order)
    {
        cAI& ai = AIOf(kBorussia);
        ai.BuildUnitLists();
        for (cJednostkaLadowa* unit : ai.m_OwnLandUnits)
            unit->m_AiOrder = order;
        return ai;
    }
};

TEST_F(AIInvasions, BuildUpKeepsTargetsOfCountriesAtPeaceAndFillsTheWantedStrengthOnly)
{
    Parameters().CurrentTargets = {{10, 8, 1}, {7, 6, -1}, {30, 30, -1}, {11, 3, -1}};
    cAI& ai = Borussia(0);
    testing_support::ClearLog();
    ai.PlanInvasionBuildUp();
    EXPECT_EQ(Parameters().CurrentTargets, (std::list<sAITarget>{{10, 8, 1}}))
        << "Valdo is at war already, Berolina is Borussia's own, (30,30) is off the map";
    EXPECT_TRUE(testing_support::LogStartsWith(L"WARNING: Target hex (30,30) lies off the map"));

    int marching = 0;
    for (const cJednostkaLadowa* unit : ai.m_OwnLandUnits)
        if (unit->m_AiOrder == 12)
        {
            ++marching;
            const int x = unit->m_AiUltimateTargetX != -1 ? unit->m_AiUltimateTargetX : unit->m_AiTargetX;
            const int y = unit->m_AiUltimateTargetX != -1 ? unit->m_AiUltimateTargetY : unit->m_AiTargetY;
            ASSERT_NE(Map().GetHex(x, y)->city, nullptr);
            EXPECT_EQ(Map().GetHex(x, y)->city->GetControllerId(), kBorussia) << "a staging city of its own";
        }
    EXPECT_EQ(marching, 1) << "the first unit already brings more than the wanted strength of 1";

    // No limit: every unit free for it goes, each one hop at most from Colonia, the staging city.
    struct sCase
    {
        int order;
        bool joins;
    };
    for (const sCase c : {sCase{0, true}, {3, true}, {6, true}, {8, true}, {1, false}, {4, false}, {7, false},
                          {9, false}})
    {
        Parameters().CurrentTargets = {{10, 8, -1}};
        Borussia(c.order).PlanInvasionBuildUp();
        for (const cJednostkaLadowa* unit : ai.m_OwnLandUnits)
        {
            EXPECT_EQ(unit->m_AiOrder, c.joins ? 12 : c.order) << "order " << c.order << ", unit " << unit->m_Id;
            if (c.joins)
            {
                EXPECT_EQ(std::make_pair(unit->m_AiTargetX, unit->m_AiTargetY), std::make_pair(9, 5));
            }
        }
    }

    // Two staging cities: a unit goes to the one fewest hops away, the first of equals.
    Parameters().CurrentTargets = {{10, 8, -1}, {17, 4, -1}};
    Borussia(0).PlanInvasionBuildUp();
    for (const auto& [id, x, y] : {std::tuple{4, 11, 3}, {5, 9, 5}, {6, 9, 5}, {7, 9, 5}, {8, 9, 5}})
        EXPECT_EQ(std::make_pair(LandUnit(id)->m_AiTargetX, LandUnit(id)->m_AiTargetY), std::make_pair(x, y))
            << "unit " << id << ": Berolina for Moskva, Colonia for Berna; Hamburgum is one hop from both";
}

TEST_F(AIInvasions, NoSeaInvasionIsPlannedWhileBuildUpTargetsRemain)
{
    Parameters().MakesSeaInvasions = true;
    Parameters().CurrentTargets = {{10, 8, -1}};
    Parameters().CurrentSeaInvasionTarget = 4;
    testing_support::ClearLog();
    Borussia(0).PlanSeaInvasion();
    EXPECT_EQ(Parameters().CurrentSeaInvasionTarget, -1);
    EXPECT_FALSE(testing_support::LogContains(L"Borussia plannning sea invasion. Determining target"));

    // Only more fronts than allowed hold it back: as many as allowed still plan.
    Parameters().CurrentTargets.clear();
    cAI& ai = AIOf(kBorussia);
    for (const auto& [spare, plans] : {std::pair{-1, false}, {0, true}})
    {
        Parameters().MaxNumberOfFrontsForSeaInvasion = int(ai.m_Fronts.size()) + spare;
        testing_support::ClearLog();
        ai.PlanSeaInvasion();
        EXPECT_EQ(testing_support::LogContains(L"Borussia plannning sea invasion. Determining target"), plans) << spare;
    }
}

TEST_F(AIInvasions, UnitsReadyAtThePortWaitForInvasionPointsThenBoardForTheTarget)
{
    Parameters().MakesSeaInvasions = true;
    Parameters().MaxNumberOfFrontsForSeaInvasion = 10;
    Parameters().PurchaseQueue = {5, 0};
    Parameters().ObligatorySeaInvasionTargets = {City(L"Hamburgum"), City(L"Dover")};
    cJednostkaLadowa* corps = LandUnit(8);
    corps->SetPosition(8, 2);  // on Hamburgum, Borussia's port
    cAI& ai = Borussia(1);
    corps->m_AiOrder = 0;
    const int cost = game->m_Consts.AmphibiousCost[UNIT_MECHANIZED_CORPS];
    game->m_Countries[kBorussia - 1]->AIP = cost - 1;

    testing_support::ClearLog();
    ai.PlanSeaInvasion();
    EXPECT_TRUE(testing_support::LogContains(L"Target for invasion: 4")) << "Dover's node";
    EXPECT_FALSE(testing_support::LogContains(L"Error! Hex(8,2)")) << "Borussia's own port is dropped unseen";
    EXPECT_TRUE(Parameters().ObligatorySeaInvasionTargets.empty()) << "an obligatory target is taken once";
    EXPECT_EQ(corps->m_AiOrder, 15);
    EXPECT_TRUE(testing_support::LogContains(L"Need to buy more AIP for invasion! Exiting sea invasion procedure"));
    EXPECT_EQ(Parameters().PurchaseQueue, (std::list<int>{0, 5}));
    EXPECT_EQ(corps->m_Transporter, nullptr);

    // With the North Sea open into the Channel only from the other side, Dover reaches
    // Hamburgum but no fleet sails from there to Dover: nobody is sent to the port.
    std::list<sLukGrafuMorz>& northSea = game->m_SeaGraph->Nodes[0].Edges;
    const std::list<sLukGrafuMorz> bothWays = northSea;
    northSea.remove_if([](const sLukGrafuMorz& edge) { return edge.Target == 2; });
    corps->m_AiOrder = 0;
    Parameters().ObligatorySeaInvasionTargets = {City(L"Dover")};
    ai.PlanSeaInvasion();
    EXPECT_EQ(corps->m_AiOrder, 0);
    northSea = bothWays;

    game->m_Countries[kBorussia - 1]->AIP = cost;
    // One hex short of the port, in its column or its row, it marches on and boards on a later
    // turn; a unit of another order that stands where its own order leads is no part of it.
    cJednostkaLadowa* other = LandUnit(5);
    other->m_AiTargetX = other->m_X;
    other->m_AiTargetY = other->m_Y;
    for (const auto& [x, y] : {std::pair{8, 3}, {9, 2}})
    {
        corps->SetPosition(x, y);
        corps->m_AiOrder = 0;
        Parameters().ObligatorySeaInvasionTargets = {City(L"Dover")};
        ai.PlanSeaInvasion();
        EXPECT_EQ(corps->m_AiOrder, 14) << x << "," << y;
        EXPECT_EQ(std::make_pair(corps->m_X, corps->m_Y), std::make_pair(8, 2));
        EXPECT_EQ(corps->m_Transporter, nullptr);
    }
    EXPECT_EQ(other->m_AiOrder, 1);

    corps->m_AiOrder = 0;  // the next turn's operational planning starts it afresh
    Parameters().ObligatorySeaInvasionTargets = {City(L"Dover")};
    ai.PlanSeaInvasion();
    ASSERT_NE(corps->m_Transporter, nullptr);
    EXPECT_EQ(corps->m_Transporter->m_Type, UNIT_AMPHIBIOUS);
    const cFlota* fleet = corps->m_Transporter->m_Fleet;
    ASSERT_NE(fleet, nullptr);
    EXPECT_EQ(fleet->aiOrder, 2);
    EXPECT_EQ(fleet->aiDestination, Map().GetHex(3, 3)->seaZone);
    EXPECT_EQ(fleet->aiInvasionX, 3);
    EXPECT_EQ(fleet->aiInvasionY, 3);
    EXPECT_EQ(game->m_Countries[kBorussia - 1]->AIP, 0) << "exactly enough points load it";
}

TEST_F(AIInvasions, TheInvasionForceStopsWhenItReachesTwelveTimesTheDefence)
{
    Parameters().MakesSeaInvasions = true;
    Parameters().MaxNumberOfFrontsForSeaInvasion = 10;
    Parameters().ObligatorySeaInvasionTargets = {City(L"Dover")};
    cJednostkaLadowa* defender = LandUnit(1);
    defender->SetPosition(3, 3);
    defender->m_Level = 1;  // 2.0 at full strength
    defender->m_Strength = 25;
    defender->m_Efficiency = 100;
    cJednostkaLadowa* panzer = LandUnit(4);  // 8.0 at full strength, the strongest
    panzer->m_Strength = 75;
    panzer->m_Efficiency = 100;
    cAI& ai = Borussia(1);
    panzer->m_AiOrder = 0;
    LandUnit(8)->m_AiOrder = 0;
    ai.PlanSeaInvasion();
    EXPECT_EQ(panzer->m_AiOrder, 14) << "6.0 sent, 12 x 0.5 wanted";
    EXPECT_EQ(std::make_pair(panzer->m_AiTargetX, panzer->m_AiTargetY), std::make_pair(8, 2));
    EXPECT_EQ(LandUnit(8)->m_AiOrder, 0);
}

TEST_F(AIInvasions, TheInvasionTargetIsThePortWithTheBestScore)
{
    // Dover: two free land neighbours, +4; its neighbour Londinium (direction 5) does not
    // count. Valdo: five free land neighbours, +10, less its defender's strength.
    cJednostkaLadowa* defender = LandUnit(12);
    defender->m_Level = 3;  // 6.0 at full strength
    defender->m_Efficiency = 100;
    Parameters().ObligatorySeaInvasionTargets.clear();
    cAI& ai = Borussia(0);
    for (const auto& [strength, target] : {std::pair{100, L"Dover"}, {50, L"Valdo"}})
    {
        defender->m_Strength = strength;
        EXPECT_EQ(ai.ChooseSeaInvasionTarget(), City(target)) << "defender at " << strength << "%; equal scores keep the first";
    }
    // A land unit beside Valdo takes that hex's 2 and half its own strength: 8 - 3 - 0.5 beats
    // Dover's 4, 8 - 3 - 1.5 does not.
    cJednostkaLadowa* guard = LandUnit(1);
    int gx = -1, gy = -1;
    GetNeighbourCoordsOut(7, 6, 0, gx, gy);
    guard->SetPosition(gx, gy);
    guard->m_Strength = 50;
    guard->m_Efficiency = 100;
    for (const auto& [level, target] : {std::pair{1, L"Valdo"}, {3, L"Dover"}})
    {
        guard->m_Level = level;
        EXPECT_EQ(ai.ChooseSeaInvasionTarget(), City(target)) << "a guard of level " << level;
    }
}

TEST_F(AIInvasions, AFleetAtItsZoneLandsItsUnitAndAFleetWithATargetOffTheMapOnlyEndsItsMission)
{
    Parameters().MakesSeaInvasions = true;
    Parameters().MaxNumberOfFrontsForSeaInvasion = 10;
    Parameters().ObligatorySeaInvasionTargets = {City(L"Dover")};
    cJednostkaLadowa* corps = LandUnit(8);
    corps->SetPosition(8, 2);
    cAI& ai = Borussia(1);
    corps->m_AiOrder = 0;
    cPanstwo& borussia = *game->m_Countries[kBorussia - 1];
    borussia.AIP = 10;
    ai.PlanSeaInvasion();
    ASSERT_NE(corps->m_Transporter, nullptr);
    cFlota* fleet = corps->m_Transporter->m_Fleet;
    fleet->seaNode = fleet->aiDestination;  // the naval phase sailed it there
    fleet->aiOrder = 1;
    LandUnit(1)->SetPosition(3, 3);  // Dover is held: the landing is beside it
    int bx = -1, by = -1;
    ASSERT_TRUE(Map().FindCoastalHex(kBorussia, 3, 3, fleet->seaNode, 4, bx, by, false));
    borussia.PP = double(game->m_Consts.Mulberry[0]);
    const int shelled = g_PlayCounts.shoreBombardments.load();
    cFlota* lost = game->FindNavalUnitById(6)->m_Fleet;
    lost->aiOrder = 2;
    lost->aiInvasionX = 99;
    lost->aiInvasionY = 0;

    const int landings = g_PlayCounts.seaInvasions.load();
    testing_support::ClearLog();
    ai.ConductAmphibiousInvasion();
    EXPECT_TRUE(testing_support::LogContains(L"ERROR Amphibious invasion of U-Boote (ID=4) destination hex (99, 0) out of map!"));
    EXPECT_EQ(lost->aiOrder, 0);
    EXPECT_TRUE(testing_support::LogContains(L"[AI] Borussia: Amphibious invasion - unloading 4. Mech Corps"));
    EXPECT_EQ(g_PlayCounts.seaInvasions.load(), landings + 1);
    EXPECT_EQ(corps->m_Transporter, nullptr);
    EXPECT_TRUE(corps->IsOnMap());
    EXPECT_EQ(Map().GetHex(corps->m_X, corps->m_Y)->unit, corps);
    const cUnit* harbour = Map().GetHex(bx, by)->unit;
    ASSERT_NE(harbour, nullptr) << "the corps went on toward Dover and left its beach to the harbour";
    EXPECT_EQ(harbour->m_Type, UNIT_MULBERRY);
    EXPECT_EQ(harbour->m_Owner, kBorussia);
    EXPECT_EQ(borussia.PP, 0.0) << "exactly its price buys it";
    EXPECT_EQ(g_PlayCounts.shoreBombardments.load(), shelled) << "an amphibious ship cannot shell the shore";
}

} // namespace
} // namespace ai_tests
