// Attack plans and attacks: plans ranked by column, city target and cost; a distant
// uncovered target is too risky; Borussia's turn attacks Valdonia's infantry.
#include <gtest/gtest.h>

#include <algorithm>

#include "core/settings.h"
#include "game/play_counts.h"
#include "tests/ai/ai_test_game.h"
#include "tests/test_support.h"
#include "units/air_unit.h"
#include "units/naval_unit.h"
#include "world/fleet.h"

namespace ai_tests {
namespace {

class AIAttacks : public cAIGame
{
protected:
    // Borussia's units with a full impulse of action points, whatever the supply left them.
    cAI& Borussia()
    {
        for (int id : {4, 5, 6, 7, 8})
            LandUnit(id)->m_ActionPoints = LandUnit(id)->m_StartingActionPoints = 5;
        return AIOf(kBorussia);
    }
};

TEST_F(AIAttacks, PlansRankByColumnThenCityTargetThenCost)
{
    cJednostkaLadowa* onCity = LandUnit(12);     // Valdo
    cJednostkaLadowa* offCity = LandUnit(6);     // (10,4)
    sPlanAtaku a, b;
    a.SetTarget(offCity);
    b.SetTarget(onCity);
    a.m_Column = b.m_Column = 4;
    EXPECT_TRUE(a.RanksBelow(b)) << "a city target first";
    EXPECT_FALSE(b.RanksBelow(a));
    a.SetTarget(onCity);
    a.m_Cost = 5;
    b.m_Cost = 3;
    EXPECT_TRUE(a.RanksBelow(b)) << "then the cheaper";
    a.m_Column = 5;
    EXPECT_FALSE(a.RanksBelow(b)) << "the column before everything";
}

TEST_F(AIAttacks, AnUncoveredTargetIsTooRiskyUnlessAnApproachIsCheap)
{
    cAI& ai = AIOf(kBorussia);
    ai.m_Country->AIParameters.MaxCoveringUnitDistance = 1;
    ai.m_Country->AIParameters.MaxSafeMoveCost = 3;
    sPlanAtaku plan;
    plan.ResetEntries();
    plan.SetTarget(LandUnit(12));  // Valdo: no Borussian unit next to it
    plan.m_Approaches[1] = sPathStep{LandUnit(5), 8, 5, 1, 4};
    EXPECT_TRUE(plan.IsTooRisky(ai));
    plan.m_Approaches[2] = sPathStep{LandUnit(5), 8, 6, 2, 2};
    EXPECT_FALSE(plan.IsTooRisky(ai));
    ai.m_Country->AIParameters.MaxCoveringUnitDistance = 2;  // Colonia's unit covers it
    plan.m_Approaches[2] = sPathStep{};
    EXPECT_FALSE(plan.IsTooRisky(ai));
}

// Within the air range of the country: its tactical bombers with an action point and at least
// 3 strength support the attack; the enemy's fighters above half a fighter's full strength
// may intercept.
TEST_F(AIAttacks, SupportAndInterceptorsAreTheAircraftInRangeAndStrongEnough)
{
    cAI& ai = AIOf(kBorussia);
    sGameConsts& k = game->m_Consts;
    k.AirRanges[0] = 3;
    std::fill(k.RangeTechFactor, k.RangeTechFactor + 5, 1.0f);
    k.AirFullStrength[0] = 10;
    sPlanAtaku plan;
    plan.ResetEntries();
    plan.m_CountryId = kBorussia;
    cJednostkaLadowa* target = LandUnit(12);
    plan.SetTarget(target);
    ai.m_OwnAirUnits.clear();
    ai.m_EnemyAirUnits.clear();
    auto aircraft = [&](std::vector<cJednostkaLotnicza*>& list, int type, int strength, int points, int distance) {
        auto* unit = new cJednostkaLotnicza();
        unit->SetType(type);
        unit->m_Strength = strength;
        unit->m_ActionPoints = points;
        unit->m_X = target->m_X + distance;
        unit->m_Y = target->m_Y;
        game->m_AirUnits.push_back(unit); // the game deletes it
        list.push_back(unit);
        return unit;
    };
    cJednostkaLotnicza* support = aircraft(ai.m_OwnAirUnits, UNIT_TACTICAL_BOMBER, 3, 1, 3);
    aircraft(ai.m_OwnAirUnits, UNIT_TACTICAL_BOMBER, 10, 0, 1);
    aircraft(ai.m_OwnAirUnits, UNIT_TACTICAL_BOMBER, 2, 2, 1);
    aircraft(ai.m_OwnAirUnits, UNIT_TACTICAL_BOMBER, 10, 2, 4);
    aircraft(ai.m_OwnAirUnits, UNIT_FIGHTER, 10, 2, 1);
    cJednostkaLotnicza* interceptor = aircraft(ai.m_EnemyAirUnits, UNIT_FIGHTER, 6, 0, -3);
    aircraft(ai.m_EnemyAirUnits, UNIT_FIGHTER, 5, 2, 1);
    aircraft(ai.m_EnemyAirUnits, UNIT_FIGHTER, 10, 2, -4);
    aircraft(ai.m_EnemyAirUnits, UNIT_TACTICAL_BOMBER, 10, 2, 1);
    plan.CollectSupportingAirUnits(ai);
    plan.CollectInterceptors(ai);
    EXPECT_EQ(plan.m_SupportingAirUnits, std::vector<cJednostkaLotnicza*>{support});
    EXPECT_EQ(plan.m_Interceptors, std::vector<cJednostkaLotnicza*>{interceptor});
}

TEST_F(AIAttacks, PossibleAttackersAreTheOpponentsOwnListNotTheTargetsOrderPath)
{
    cAI& ai = Borussia();
    cJednostkaLadowa* valdo = LandUnit(12);
    valdo->m_OrderPath = {sPathStep{valdo, 7, 7, 0, 1}};
    ai.BuildUnitLists();
    ai.ComputeMoveOptions(false);
    ai.CollectPossibleAttackers();
    EXPECT_FALSE(ai.m_PossibleAttackers[valdo].empty());
    ASSERT_EQ(valdo->m_OrderPath.size(), 1u);
    EXPECT_EQ(valdo->m_OrderPath.front().y, 7) << "Valdonia's own order path is left alone";
}

TEST_F(AIAttacks, BorussiasTurnAttacksValdoniasInfantry)
{
    cAI& ai = Borussia();
    // Behind Valdo's walls the infantry holds Borussia's approach to 2:1, and that is enough.
    sAIParameters& parameters = ai.m_Country->AIParameters;
    parameters.MultipleSideAttackPreferences[0] = parameters.OneSideAttackPreferences[0] = 2;
    const int combats = g_PlayCounts.landCombats.load();
    testing_support::ClearLog();
    ai.PlayTurn();
    EXPECT_TRUE(testing_support::LogHasInOrder({L"[AI] ATAKI WIELOKIERUNKOWE", L"[AI] ATAKI JEDNOKIERUNKOWE"}));
    EXPECT_TRUE(testing_support::LogStartsWith(L"Cel=Valdo Infantry"));
    EXPECT_GT(g_PlayCounts.landCombats.load(), combats);
    // Every unit the opponent still lists is alive on the map.
    ai.BuildUnitLists();
    for (cJednostkaLadowa* unit : ai.m_OwnLandUnits)
        EXPECT_EQ(Map().GetHex(unit->m_X, unit->m_Y)->unit, unit) << unit->m_Id;
}

TEST_F(AIAttacks, AFleetOffTheCoastShellsTheTargetBeforeTheAttack)
{
    // The Axis countries' moves are not shown to Albion's player.
    g_UserSettings.showAlliesActions = false;
    cAI& ai = Borussia();
    const int zone = Map().GetHex(7, 6)->seaZone;  // the water off Valdo
    ASSERT_NE(zone, 0);
    cJednostkaMorska* bismarck = game->FindNavalUnitById(4);
    cJednostkaMorska* hipper = game->FindNavalUnitById(5);
    cFlota* fleet = bismarck->m_Fleet;
    EXPECT_EQ(game->PickShoreBombardmentFleet(kBorussia, zone), nullptr) << "no gun in that zone yet";
    fleet->seaNode = zone;
    hipper->m_ShoreBombardmentDone = true;
    EXPECT_EQ(game->PickShoreBombardmentFleet(kBorussia, zone), fleet);
    EXPECT_TRUE(bismarck->m_Selected);
    EXPECT_FALSE(hipper->m_Selected) << "a cruiser that has fired this impulse stays silent";
    EXPECT_FALSE(game->FindNavalUnitById(7)->m_Selected) << "a landing ship has no guns";
    hipper->m_ShoreBombardmentDone = false;
    // A defender strong enough that the attack, taken at 1:1, wants every help.
    cJednostkaLadowa* valdo = LandUnit(12);
    valdo->m_Level = 3;
    valdo->m_Strength = 100;
    valdo->RecalculateEfficiency();
    sAIParameters& parameters = ai.m_Country->AIParameters;
    parameters.MultipleSideAttackPreferences[0] = parameters.OneSideAttackPreferences[0] = 1;

    // Valdonia's player is told of the shelling all the same.
    game->m_Countries[kValdonia - 1]->HumanControlled = true;
    const int shelled = g_PlayCounts.shoreBombardments.load();
    ai.PlayTurn();
    EXPECT_EQ(g_PlayCounts.shoreBombardments.load(), shelled + 1);
    EXPECT_EQ(screen.PostedOf(eRequestKind::CombatResult), 1) << "the attack itself he does not see";
    g_UserSettings.showAlliesActions = true;
    EXPECT_TRUE(bismarck->m_ShoreBombardmentDone);
    EXPECT_TRUE(hipper->m_ShoreBombardmentDone);
}

} // namespace
} // namespace ai_tests
