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
    // A fresh game, for a case that an attack before it would have changed.
    void NewGame()
    {
        DeleteGameObject();
        game = LoadGame(sGameLoadRequest::ForScenario(L"Testland"));
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
    ai.m_Country->AIParameters.MaxCoveringUnitDistance = 1;
    LandUnit(8)->SetPosition(7, 7);  // straight south of Valdo, past its northern neighbour
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

    // The good strikes are the bomber's action points while its strength and level make at
    // least row 148's share of the first interceptor's: 3 + 1 against 6 + level.
    k.AIFrontRatioThreshold = 0.5f;
    support->m_Level = 1;
    support->m_ActionPoints = 2;
    for (const auto& [level, good] : {std::pair{2, 2}, std::pair{5, 0}})
    {
        interceptor->m_Level = level;
        plan.CountGoodAirStrikes();
        EXPECT_EQ(plan.m_GoodAirStrikes, good) << level;
    }
    plan.m_Interceptors.clear();
    plan.CountGoodAirStrikes();
    EXPECT_EQ(plan.m_GoodAirStrikes, 2) << "nobody intercepts";
}

// The move options: the range and, with action points left, the own hex of every own unit
// off the cities that may still attack; a unit's range follows its action points.
TEST_F(AIAttacks, MoveOptionsAreTheRangesOfTheUnitsOffTheCities)
{
    cAI& ai = Borussia();
    ai.BuildUnitLists();
    cJednostkaLadowa* paras = LandUnit(6);
    auto optionsOf = [&](int id) {
        return std::count_if(ai.m_MoveOptions.begin(), ai.m_MoveOptions.end(),
                             [&](const sPathStep& s) { return s.unit == LandUnit(id); });
    };
    const struct
    {
        bool skipAttacked, attacked;
        int points;
        bool options;
    } cases[] = {{false, false, 5, true}, {true, true, 5, false}, {false, true, 5, true}, {false, false, 0, false}};
    for (const auto& c : cases)
    {
        paras->m_Attacked = c.attacked;
        paras->m_ActionPoints = c.points;
        ai.ComputeMoveOptions(c.skipAttacked);
        EXPECT_EQ(optionsOf(4) + optionsOf(5), 0) << "Berolina's and Colonia's units stay";
        const auto ownHex = std::count_if(ai.m_MoveOptions.begin(), ai.m_MoveOptions.end(), [&](const sPathStep& s) {
            return s.unit == paras && s.x == 10 && s.y == 4 && s.cost == 0;
        });
        EXPECT_EQ(ownHex, c.options ? 1 : 0) << c.points;
        EXPECT_EQ(optionsOf(6), c.options ? long(paras->m_Path.size()) + 1 : 0) << c.points;
    }
}

// A unit next to the target strikes from its own hex for nothing, and is listed as withdrawing
// first; it joins the plan of adjacent units only while it may still attack and is no harbour.
TEST_F(AIAttacks, AUnitNextToTheTargetAttacksFromItsOwnHex)
{
    cAI& ai = Borussia();
    cJednostkaLadowa* valdo = LandUnit(12);
    cJednostkaLadowa* mech = LandUnit(8);
    mech->SetPosition(7, 5);  // north of Valdo, side 0
    LandUnit(6)->m_ActionPoints = LandUnit(7)->m_ActionPoints = 0;
    ai.BuildUnitLists();
    ai.ComputeMoveOptions(false);
    ai.ClearEnemyAttackerLists();
    ai.CollectPossibleAttackers();
    ai.m_AttackPlans.clear();
    ai.BuildOneSidePlans();
    ASSERT_EQ(ai.m_AttackPlans.size(), 1u);
    const sPlanAtaku& plan = ai.m_AttackPlans.front();
    EXPECT_EQ(plan.m_Target, valdo);
    EXPECT_EQ(plan.m_Approaches[0].unit, mech);
    EXPECT_EQ(plan.m_Cost, 0);
    EXPECT_EQ(plan.m_Attack.attackers[0], mech);
    EXPECT_EQ(plan.m_Withdrawals[0].unit, mech);

    auto* harbour = new cMulberry();
    harbour->m_Owner = kBorussia;
    harbour->m_ActionPoints = 1;
    game->m_LandUnits.push_back(harbour);
    const struct
    {
        cJednostkaLadowa* unit;
        int points;
        bool attacked, plans;
    } cases[] = {{mech, 1, false, true}, {mech, 0, false, false}, {mech, 5, true, false}, {harbour, 1, false, false}};
    for (const auto& c : cases)
    {
        if (c.unit == harbour)
            mech->SetPosition(8, 3);
        c.unit->SetPosition(7, 5);
        c.unit->m_ActionPoints = c.points;
        c.unit->m_Attacked = c.attacked;
        ai.m_AttackPlans.clear();
        ai.PlanAttackWithAdjacentUnits(valdo);
        ASSERT_EQ(ai.m_AttackPlans.size(), c.plans ? 1u : 0u) << c.points << c.attacked;
        if (c.plans)
        {
            EXPECT_EQ(ai.m_AttackPlans.front().m_Approaches[0].unit, c.unit);
        }
    }
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

    // An option that spends every action point leaves none to attack with.
    cJednostkaLadowa* mech = LandUnit(8);
    mech->m_ActionPoints = 2;
    for (const auto& [cost, listed] : {std::pair{1, true}, {2, false}})
    {
        ai.ClearEnemyAttackerLists();
        ai.m_MoveOptions = {sPathStep{mech, 7, 5, 0, cost}};  // north of Valdo
        ai.CollectPossibleAttackers();
        EXPECT_EQ(ai.m_PossibleAttackers[valdo].size(), listed ? 1u : 0u) << cost;
    }
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

// Acceptance in the multiple-direction phase: the first preference's column, or the second's
// with at least the third preference's good air strikes.
TEST_F(AIAttacks, APlanAtTheSecondColumnNeedsEnoughGoodAirStrikes)
{
    cAI& ai = Borussia();
    sAIParameters& parameters = ai.m_Country->AIParameters;
    parameters.MaxCoveringUnitDistance = 2;  // Colonia's unit covers Valdo
    ai.BuildUnitLists();
    const struct
    {
        int strikesWanted;
        bool attacks;
    } cases[] = {{99, false}, {0, true}};
    for (const auto& c : cases)
    {
        parameters.MultipleSideAttackPreferences[0] = kMaxOddsColumn + 1;
        parameters.MultipleSideAttackPreferences[1] = 1;
        parameters.MultipleSideAttackPreferences[2] = c.strikesWanted;
        const int combats = g_PlayCounts.landCombats.load();
        ai.AttackMultipleDirections();
        EXPECT_EQ(g_PlayCounts.landCombats.load() > combats, c.attacks) << c.strikesWanted;
    }
}

// At the top column neither a fleet nor a bomber helps: the land combat follows at once.
TEST_F(AIAttacks, AnAttackAtTheTopColumnTakesNoShellsNorBombs)
{
    cAI& ai = Borussia();
    cJednostkaLadowa* mech = LandUnit(8);
    mech->SetPosition(7, 5);
    game->FindNavalUnitById(4)->m_Fleet->seaNode = Map().GetHex(7, 6)->seaZone;
    cJednostkaLotnicza* bomber = game->FindAirUnitById(2);
    ai.BuildUnitLists();
    sPlanAtaku plan;
    plan.ResetEntries();
    plan.SetTarget(LandUnit(12));
    plan.m_CountryId = kBorussia;
    plan.m_Approaches[0] = sPathStep{mech, 7, 5, 0, 0};
    plan.m_SupportingAirUnits = {bomber};
    plan.m_GoodAirStrikes = bomber->m_ActionPoints;
    plan.m_Column = kMaxOddsColumn;
    const int points = bomber->m_ActionPoints, shelled = g_PlayCounts.shoreBombardments.load(),
              missions = g_PlayCounts.airMissions.load(), combats = g_PlayCounts.landCombats.load();
    EXPECT_TRUE(ai.ExecuteAttack(plan));
    EXPECT_EQ(g_PlayCounts.shoreBombardments.load(), shelled);
    EXPECT_EQ(g_PlayCounts.airMissions.load(), missions);
    EXPECT_EQ(bomber->m_ActionPoints, points);
    EXPECT_EQ(g_PlayCounts.landCombats.load(), combats + 1);
}

// The moves before the attack: a unit on an approach hex makes way first, also when it is to
// attack from another side itself, and then the attacker of that side comes in.
TEST_F(AIAttacks, AUnitOnAnApproachHexMakesWayForItsAttacker)
{
    const struct
    {
        bool mechAttacks;
        std::pair<int, int> mechEnds;
    } cases[] = {{false, {7, 4}}, {true, {8, 5}}};
    for (const auto& c : cases)
    {
        NewGame();
        cAI& ai = Borussia();
        cJednostkaLadowa* valdo = LandUnit(12);
        valdo->m_Strength = 1;  // overrun: no attacker falls
        cJednostkaLadowa* mech = LandUnit(8);
        cJednostkaLadowa* paras = LandUnit(6);
        mech->SetPosition(7, 5);
        ai.BuildUnitLists();
        sPlanAtaku plan;
        plan.ResetEntries();
        plan.SetTarget(valdo);
        plan.m_CountryId = kBorussia;
        plan.m_Withdrawals[0] = sPathStep{mech, 7, 4, 0, 1};
        plan.m_Approaches[0] = sPathStep{paras, 7, 5, 0, 3};
        if (c.mechAttacks)
            plan.m_Approaches[1] = sPathStep{mech, 8, 5, 0, 2};
        EXPECT_TRUE(ai.ExecuteAttack(plan));
        EXPECT_EQ(std::pair(mech->m_X, mech->m_Y), c.mechEnds) << c.mechAttacks;
        EXPECT_EQ(std::pair(paras->m_X, paras->m_Y), std::pair(7, 5)) << c.mechAttacks;
    }
}

// Of the fleets in the zone the one with most guns ready fires, of equal ones the lower id,
// wherever the game lists them.
TEST_F(AIAttacks, TheLowerFleetIdShellsAmongEqualFleets)
{
    const int zone = Map().GetHex(7, 6)->seaZone;
    cJednostkaMorska* bismarck = game->FindNavalUnitById(4);
    cJednostkaMorska* hipper = game->FindNavalUnitById(5);
    cFlota* fleet = bismarck->m_Fleet;
    cFlota* uboats = game->FindNavalUnitById(6)->m_Fleet;
    fleet->ClearShipSelection();
    hipper->m_Selected = true;
    fleet->TransferSelectedShips(*uboats);
    fleet->seaNode = uboats->seaNode = zone;
    game->m_Fleets.reverse();
    EXPECT_EQ(game->PickShoreBombardmentFleet(kBorussia, zone), fleet);
    bismarck->m_ShoreBombardmentDone = true;
    EXPECT_EQ(game->PickShoreBombardmentFleet(kBorussia, zone), uboats);
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
