// Invasions: the build-up keeps only targets held by countries not yet at war, and units
// march toward a friendly city beside them; a sea invasion waits while such targets remain,
// asks for invasion points first, and loads the units onto amphibious ships for the target.
#include <gtest/gtest.h>

#include "game/play_counts.h"
#include "tests/ai/ai_test_game.h"
#include "tests/test_support.h"
#include "units/naval_unit.h"
#include "world/fleet.h"

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

    Parameters().CurrentTargets = {{10, 8, -1}};
    Borussia(0).PlanInvasionBuildUp();
    marching = 0;
    for (const cJednostkaLadowa* unit : ai.m_OwnLandUnits)
        marching += unit->m_AiOrder == 12 ? 1 : 0;
    EXPECT_GT(marching, 1) << "no limit: every unit that can reach the staging city goes";
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
}

TEST_F(AIInvasions, UnitsReadyAtThePortWaitForInvasionPointsThenBoardForTheTarget)
{
    Parameters().MakesSeaInvasions = true;
    Parameters().MaxNumberOfFrontsForSeaInvasion = 10;
    Parameters().PurchaseQueue = {5, 0};
    Parameters().ObligatorySeaInvasionTargets = {City(L"Dover")};
    cJednostkaLadowa* corps = LandUnit(8);
    corps->SetPosition(8, 2);  // on Hamburgum, Borussia's port
    cAI& ai = Borussia(1);
    corps->m_AiOrder = 0;
    game->m_Countries[kBorussia - 1]->AIP = 0;

    testing_support::ClearLog();
    ai.PlanSeaInvasion();
    EXPECT_TRUE(testing_support::LogContains(L"Target for invasion: 4")) << "Dover's node";
    EXPECT_TRUE(Parameters().ObligatorySeaInvasionTargets.empty()) << "an obligatory target is taken once";
    EXPECT_EQ(corps->m_AiOrder, 15);
    EXPECT_TRUE(testing_support::LogContains(L"Need to buy more AIP for invasion! Exiting sea invasion procedure"));
    EXPECT_EQ(Parameters().PurchaseQueue, (std::list<int>{0, 5}));
    EXPECT_EQ(corps->m_Transporter, nullptr);

    game->m_Countries[kBorussia - 1]->AIP = 10;
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
    EXPECT_EQ(game->m_Countries[kBorussia - 1]->AIP, 10 - game->m_Consts.AmphibiousCost[UNIT_MECHANIZED_CORPS]);
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
    fleet->seaNode = fleet->aiDestination;  // it has sailed there
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
}

} // namespace
} // namespace ai_tests
