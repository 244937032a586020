// The opponent's unit lists and fronts: who counts as own, allied, enemy or other, where
// fronts are born, and how their superiority gives their state.
#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "tests/ai/ai_test_game.h"
#include "tests/test_support.h"
#include "units/air_unit.h"
#include "world/city_graph.h"
#include "world/topography.h"

namespace ai_tests {
namespace {

class AIFronts : public cAIGame
{
};

bool Holds(const std::vector<cJednostkaLadowa*>& list, int id)
{
    return std::any_of(list.begin(), list.end(), [id](const cJednostkaLadowa* u) { return u->m_Id == id; });
}

TEST_F(AIFronts, UnitListsFollowTheRelationsAndOwnUnitsComeStrongestFirst)
{
    cAI& ai = AIOf(kBorussia);
    // Two units worn down to nothing are equally strong: they keep the game's order, last.
    LandUnit(5)->m_Efficiency = 0;
    LandUnit(8)->m_Efficiency = 0;
    ai.BuildUnitLists();
    ASSERT_EQ(ai.m_OwnLandUnits.size(), 5u);
    EXPECT_EQ(ai.m_OwnLandUnits[3]->m_Id, 5);
    EXPECT_EQ(ai.m_OwnLandUnits[4]->m_Id, 8);
    for (int id : {4, 5, 6, 7, 8})
        EXPECT_TRUE(Holds(ai.m_OwnLandUnits, id)) << id;
    EXPECT_TRUE(Holds(ai.m_EnemyLandUnits, 1)) << "Albion is at war with Borussia";
    EXPECT_TRUE(Holds(ai.m_EnemyLandUnits, 12)) << "so is Valdonia";
    EXPECT_TRUE(Holds(ai.m_OtherLandUnits, 9)) << "Ruthenia is at peace";
    EXPECT_TRUE(Holds(ai.m_OtherLandUnits, 11));
    EXPECT_FALSE(Holds(ai.m_EnemyLandUnits, 2)) << "a unit in the reserve pool is on no list";
    // Holder 0 is nobody's: neither friend nor enemy.
    const struct
    {
        int holder;
        bool isFriend, isEnemy;
    } holders[] = {{0, false, false}, {kAlbion, false, true}, {kBorussia, true, false}, {kRuthenia, false, false}};
    for (const auto& h : holders) {
        EXPECT_EQ(ai.IsFriend(h.holder), h.isFriend) << h.holder;
        EXPECT_EQ(ai.IsEnemy(h.holder), h.isEnemy) << h.holder;
    }
    EXPECT_TRUE(AIOf(kAlbion).IsEnemy(kBorussia)) << "country 1 has enemies too";
    AIOf(kBorussia);
    // A harbour of Borussia's is one of its land units too.
    auto* harbour = new cMulberry();
    harbour->m_Owner = kBorussia;
    harbour->m_X = 13;
    harbour->m_Y = 4;
    ASSERT_EQ(Map().GetHex(13, 4)->unit, nullptr);
    Map().GetHex(13, 4)->unit = harbour;
    game->m_LandUnits.push_back(harbour);
    ai.BuildUnitLists();
    EXPECT_TRUE(Holds(ai.m_OwnLandUnits, harbour->m_Id));
    EXPECT_TRUE(std::is_sorted(ai.m_OwnLandUnits.begin(), ai.m_OwnLandUnits.end(), [](auto* a, auto* b) {
        return a->GetEffectiveStrength() > b->GetEffectiveStrength();
    }));
}

TEST_F(AIFronts, AFrontIsBornWhereOwnAndEnemyCitiesTouchByLand)
{
    cAI& ai = AIOf(kBorussia);
    ai.BuildUnitLists();
    ai.EvaluateNodeStrengths();
    ai.UpdateFronts();
    ai.SumFrontStrengths();
    ASSERT_EQ(ai.m_Fronts.size(), 1u);
    const sFront& front = ai.m_Fronts.front();
    EXPECT_EQ(front.m_Name, L"Front miasta Colonia");
    ASSERT_EQ(front.m_Nodes.size(), 2u);
    EXPECT_EQ(front.m_Nodes[1]->City, City(L"Valdo"));
    EXPECT_GT(front.m_EnemyLand, 0.0f);
    EXPECT_EQ(City(L"Colonia")->FrontState, front.m_State);
    EXPECT_EQ(City(L"Moskva")->FrontState, 3) << "a city on no front";
    EXPECT_TRUE(ai.IsCityOnAnyFront(City(L"Valdo")));
    EXPECT_FALSE(ai.IsCityOnAnyFront(City(L"Berolina")));
    int strength = 0;
    EXPECT_TRUE(ai.GetCityFrontStrength(City(L"Colonia"), strength));
    EXPECT_FALSE(ai.GetCityFrontStrength(City(L"Berolina"), strength));
    EXPECT_EQ(strength, -1);
    EXPECT_TRUE(testing_support::LogContains(L"Kraj ID = 2 (Borussia) zaktualizowal liste frontow do liczby 1"));

    // A front runs on through a city an enemy took: Albion's Colonia joins Hamburgum to it.
    Map().GetHex(9, 5)->controller = kAlbion;
    ai.EvaluateNodeStrengths();
    ai.UpdateFronts();
    ASSERT_EQ(ai.m_Fronts.size(), 1u);
    EXPECT_EQ(ai.m_Fronts.front().m_Name, L"Front miasta Berolina");
    std::vector<const cMiasto*> cities;
    for (const sWezelDiagramuMiast* node : ai.m_Fronts.front().m_Nodes)
        cities.push_back(node->City);
    EXPECT_EQ(cities, (std::vector<const cMiasto*>{City(L"Berolina"), City(L"Colonia"), City(L"Hamburgum")}));

    cAI& peaceful = AIOf(kRuthenia);
    peaceful.BuildUnitLists();
    peaceful.EvaluateNodeStrengths();
    peaceful.UpdateFronts();
    EXPECT_TRUE(peaceful.m_Fronts.empty());
}

TEST_F(AIFronts, SuperiorityGivesTheStateAtItsExactBounds)
{
    cAI& ai = AIOf(kBorussia);
    sWezelDiagramuMiast node;
    node.City = City(L"Colonia");
    auto stateFor = [&](float ours, float enemy) {
        node.OurLand = ours;
        node.EnemyLand = enemy;
        ai.m_Fronts.clear();
        ai.m_Fronts.emplace_back();
        ai.m_Fronts.back().m_Nodes.push_back(&node);
        ai.SumFrontStrengths();
        return std::make_pair(ai.m_Fronts.back().m_State, ai.m_Fronts.back().m_Superiority);
    };
    EXPECT_EQ(stateFor(33.0f, 100.0f).first, 1);
    EXPECT_EQ(stateFor(32.9f, 100.0f).first, 2);
    EXPECT_EQ(stateFor(80.0f, 100.0f).first, 0);
    EXPECT_EQ(stateFor(79.9f, 100.0f).first, 1);
    EXPECT_EQ(stateFor(0.0f, 0.0f), std::make_pair(0, 1.0f)) << "nobody on either side";
    EXPECT_EQ(stateFor(5.0f, 0.0f), std::make_pair(0, 99999.0f)) << "no enemy";
    EXPECT_TRUE(ai.NeedsLineOfDefence() == false);
    stateFor(1.0f, 10.0f);
    EXPECT_TRUE(ai.NeedsLineOfDefence());
}

TEST_F(AIFronts, StrategicBombersAndUnitsOutsideEveryCityAreaCountNowhere)
{
    cAI& ai = AIOf(kBorussia);
    ai.BuildUnitLists();
    ASSERT_FALSE(ai.m_OwnAirUnits.empty());
    for (cJednostkaLotnicza* unit : ai.m_OwnAirUnits)
        unit->m_Type = UNIT_STRATEGIC_BOMBER;
    ai.EvaluateNodeStrengths();
    for (const sWezelDiagramuMiast& node : game->m_CityGraph->Nodes)
        EXPECT_EQ(node.OwnAirCount, 0);
}

TEST_F(AIFronts, NearestFrontCityIsTheFewestHopsAway)
{
    cAI& ai = AIOf(kBorussia);
    ai.BuildUnitLists();
    ai.EvaluateNodeStrengths();
    ai.UpdateFronts();
    ai.SumFrontStrengths();
    // The creation pass's supply found routes; without them none is known.
    game->m_StrategicMoves->SetCountryTopography(kBorussia, {});
    EXPECT_EQ(ai.FindNearestFrontCity(LandUnit(4)), nullptr) << "no strategic route known yet";
    game->m_StrategicMoves->SetCountryTopography(kBorussia, {{City(L"Berolina"), City(L"Hamburgum"), City(L"Colonia")}});
    EXPECT_EQ(ai.FindNearestFrontCity(LandUnit(4)), City(L"Colonia")) << "from Berolina the Borussian front city";

    // Among front cities of its own, fewest hops from the unit's home city first, then fewest
    // hexes from the unit, then the first found. Borussia has taken Berna, two hops from Berolina.
    Map().GetHex(10, 8)->controller = kBorussia;
    game->m_StrategicMoves->SetCountryTopography(
        kBorussia, {{City(L"Berolina"), City(L"Hamburgum"), City(L"Colonia"), City(L"Berna")}});
    const struct
    {
        int x, y; // the unit's hex; beside it its home city, then hops/hexes to each city
        std::vector<const wchar_t*> front;
        const wchar_t* nearest;
    } cases[] = {
        {8, 3, {L"Berolina", L"Colonia"}, L"Colonia"},   // Hamburgum: Berolina 1/3, Colonia 1/2
        {8, 3, {L"Colonia", L"Berolina"}, L"Colonia"},
        {8, 3, {L"Colonia", L"Hamburgum"}, L"Hamburgum"}, // Hamburgum 0/1
        {13, 6, {L"Hamburgum", L"Berna"}, L"Hamburgum"},  // Berolina: Hamburgum 1/6, Berna 2/4
        {9, 3, {L"Berolina", L"Colonia"}, L"Berolina"},   // Hamburgum: both 1/2
        {9, 3, {L"Colonia", L"Berolina"}, L"Colonia"},
    };
    cJednostkaLadowa* unit = LandUnit(8);
    for (const auto& c : cases)
    {
        unit->m_X = c.x;
        unit->m_Y = c.y;
        ai.m_Fronts.clear();
        ai.m_Fronts.emplace_back();
        for (const wchar_t* name : c.front)
            ai.m_Fronts.back().m_Nodes.push_back(NodeOfCity(City(name)));
        EXPECT_EQ(ai.FindNearestFrontCity(unit), City(c.nearest)) << c.x << "," << c.y << " " << c.front[0];
    }
}

} // namespace
} // namespace ai_tests

namespace ai_tests {
namespace {

TEST_F(AIFronts, SavingACollapsingFrontMovesEachUnitAtMostOnceAndEnds)
{
    cAI& ai = AIOf(kBorussia);
    LandUnit(12)->m_Strength = 100000;  // Valdonia overwhelms the front at Colonia
    game->m_StrategicMoves->SetCountryTopography(kBorussia, {{City(L"Berolina"), City(L"Hamburgum"), City(L"Colonia")}});
    ai.m_Country->SMP = 1000;
    ai.BuildUnitLists();
    // A move without a target city or off the map is refused and leaves the unit standing.
    const struct
    {
        cMiasto* target;
        int x, y;
    } refused[] = {{nullptr, 10, 3}, {City(L"Colonia"), -1, 3}, {City(L"Colonia"), 20, 3}};
    for (const auto& r : refused)
    {
        ai.PrzeniesStrategicznieJednostke(LandUnit(4), r.target, r.x, r.y);
        EXPECT_EQ(Map().GetHex(11, 3)->unit, LandUnit(4)) << r.x;
        EXPECT_EQ(LandUnit(4)->m_X, 11) << r.x;
    }
    EXPECT_EQ(ai.m_Country->SMP, 1000);
    EXPECT_EQ(testing_support::CountLogLinesStartingWith(L"[AI] PrzeniesStrategicznieJednostke"), 0);
    // A person's last move stays undoable, and the moves are heard by nobody, spotted or not.
    game->m_PlayState->GetUndo().Record(*LandUnit(1));
    for (cJednostkaLadowa* unit : ai.m_OwnLandUnits)
        unit->m_Spotted = true;
    ai.SavePoorlyDefendedFronts();
    EXPECT_TRUE(game->m_PlayState->GetUndo().IsFor(*LandUnit(1)));
    EXPECT_TRUE(screen.sounds.empty());
    EXPECT_GE(testing_support::CountLogLinesStartingWith(L"Wroga "), 1) << "the node strengths are traced";
    ASSERT_FALSE(ai.m_Fronts.empty());
    EXPECT_EQ(ai.m_Fronts.front().m_State, 2);
    EXPECT_TRUE(testing_support::LogContains(
        L"Cannot find other units. Ending saving poorly defended front procedure."));
    EXPECT_GE(testing_support::CountLogLinesStartingWith(L"[AI] PrzeniesStrategicznieJednostke"), 1);
    EXPECT_LE(testing_support::CountLogLinesStartingWith(L"[AI] PrzeniesStrategicznieJednostke"),
              int(ai.m_OwnLandUnits.size()));
}

} // namespace
} // namespace ai_tests
