// Forces placed before the fighting: a free commander to the strongest unit of his kind
// without one (never an admiral to a land unit), strategic moves toward an empty own node of a front, air bases,
// and the European scenarios' own rule for country 53's air force.
#include <gtest/gtest.h>

#include <list>
#include <vector>

#include "game/commanders.h"
#include "tests/ai/ai_test_game.h"
#include "tests/units/unit_test_game.h"
#include "units/air_unit.h"
#include "world/hex_geometry.h"
#include "world/city_graph.h"

namespace ai_tests {
namespace {

class AIForces : public cAIGame
{
protected:
    sDowodca* AddCommander(int type, int skill)
    {
        auto* commander = new sDowodca{int(game->m_Commanders.size()) + 100, L"C", kBorussia, type, skill, 0, 0};
        game->m_Commanders.push_back(commander);
        return commander;
    }
};

TEST_F(AIForces, TheMoreSkilledLandCommanderLeadsTheOneUnitLeftAndAnAdmiralAShip)
{
    cAI& ai = AIOf(kBorussia);
    ai.BuildUnitLists();
    // Every Borussian unit but the weakest has a commander already.
    for (size_t i = 0; i + 1 < ai.m_OwnLandUnits.size(); ++i)
        if (!ai.m_OwnLandUnits[i]->m_Commander)
            ai.m_OwnLandUnits[i]->m_Commander = AddCommander(0, 1);
    sDowodca* admiral = AddCommander(2, 9);
    sDowodca* airman = AddCommander(1, 3);
    sDowodca* weak = AddCommander(0, 2);
    sDowodca* strong = AddCommander(0, 5);
    sDowodca* alsoFive = AddCommander(0, 5);  // later in the list: the sort keeps it behind
    for (sDowodca* c : {admiral, airman, weak, strong, alsoFive})
        c->State = 0;

    ai.AssignCommanders();
    EXPECT_EQ(ai.m_OwnLandUnits.back()->m_Commander, strong);
    EXPECT_EQ(strong->State, 2);
    EXPECT_EQ(weak->State, 0);
    EXPECT_EQ(alsoFive->State, 0);
    ASSERT_EQ(ai.m_OwnNavalUnits.size(), 4u);
    EXPECT_EQ(ai.m_OwnNavalUnits[1]->m_Commander, admiral) << "Hipper: Bismarck has one";
    EXPECT_EQ(ai.m_OwnAirUnits.front()->m_Commander, airman);
}

TEST_F(AIForces, AnEmptyOwnNodeOfAFrontDrawsAUnitPastAnEmptyEnemyCityAndTwoEmptyNodesDrawNone)
{
    cAI& ai = AIOf(kBorussia);
    cPanstwo& borussia = *game->m_Countries[kBorussia - 1];
    borussia.SMP = 50;
    LandUnit(8)->MoveToReservePool();  // Hamburgum's only defender
    ai.BuildUnitLists();
    for (cJednostkaLadowa* unit : ai.m_OwnLandUnits)
        unit->m_ActionPoints = unit->m_StartingActionPoints = 3;
    ai.EvaluateNodeStrengths();
    sWezelDiagramuMiast* held = NodeOfCity(City(L"Berolina"));
    std::vector<sWezelDiagramuMiast*> empty = {NodeOfCity(City(L"Hamburgum")), NodeOfCity(City(L"Valdo"))};
    ASSERT_GT(held->OurLand, 0.0f);
    ASSERT_EQ(empty[0]->OurLand, 0.0f);
    ASSERT_EQ(empty[1]->OurLand, 0.0f);

    sFront bothEmpty;
    bothEmpty.m_Nodes = {empty[0], empty[1]};
    ai.m_Fronts = {bothEmpty};
    ai.MoveStrategicallyToFronts();
    EXPECT_EQ(borussia.SMP, 50) << "nothing to even out";

    sFront front;
    front.m_Nodes = {held, empty[1], empty[0]};  // Valdo is the enemy's
    ai.m_Fronts = {front};
    ai.MoveStrategicallyToFronts();
    EXPECT_LT(borussia.SMP, 50);
    ai.EvaluateNodeStrengths();
    EXPECT_GT(empty[0]->OurLand, 0.0f) << "the empty node was infinitely weaker";
}

TEST_F(AIForces, AnAirUnitTooCloseToTheEnemyFallsBackToTheNearestSafeBaseAndOneThatHasFlownStays)
{
    cAI& ai = AIOf(kBorussia);
    game->m_Consts.LandActionPoints[2][4] = 3;  // nearer than three hexes to an enemy is too near
    cJednostkaLotnicza& bombers = *game->FindAirUnitById(2);   // (11,2)
    cJednostkaLotnicza& heavy = *game->FindAirUnitById(3);     // (12,3)
    for (cJednostkaLotnicza* unit : {&bombers, &heavy})
    {
        unit->m_Supply = game->m_Consts.MaxSupply;
        unit->m_ActionPoints = unit->m_StartingActionPoints = 4;
    }
    heavy.m_ActionPoints = 3;
    LandUnit(12)->SetPosition(12, 2);  // Valdonia's infantry lands by both airfields
    ai.BuildUnitLists();
    ai.RebaseAirUnits();
    EXPECT_EQ(HexDistance(bombers.m_X, bombers.m_Y, 12, 2), 3) << "the nearest base out of reach";
    EXPECT_EQ(std::pair(heavy.m_X, heavy.m_Y), std::pair(12, 3)) << "it has flown this turn";

    // Short of supply, a unit stays too.
    bombers.SetPosition(11, 2);
    bombers.m_ActionPoints = bombers.m_StartingActionPoints;
    bombers.m_Supply = 0;
    ai.RebaseAirUnits();
    EXPECT_EQ(std::pair(bombers.m_X, bombers.m_Y), std::pair(11, 2));
}

TEST_F(AIForces, ABomberOutOfReachFliesForwardButNeverAlongItsOwnRowOrColumn)
{
    cAI& ai = AIOf(kBorussia);
    game->m_Consts.LandActionPoints[2][4] = 1;
    LandUnit(12)->MoveToReservePool();  // Albion's guards at (2,2) are the one enemy left
    cJednostkaLotnicza& bombers = *game->FindAirUnitById(2);  // range 9
    game->FindAirUnitById(3)->m_ActionPoints = 0;
    bombers.m_Supply = game->m_Consts.MaxSupply;
    bombers.SetPosition(13, 2);
    ai.BuildUnitLists();
    ai.RebaseAirUnits();
    EXPECT_EQ(std::pair(bombers.m_X, bombers.m_Y), std::pair(13, 2)) << "the best base, (11,2), lies in its row";
    bombers.SetPosition(13, 3);
    ai.RebaseAirUnits();
    EXPECT_EQ(std::pair(bombers.m_X, bombers.m_Y), std::pair(11, 2)) << "Berolina's first neighbour, nine hexes from the guards";
}

TEST_F(AIForces, ABaseIsPickedByItsDistanceFromTheEnemyAndTheTargetsInRange)
{
    cAI& ai = AIOf(kBorussia);
    game->m_Consts.LandActionPoints[2][4] = 3;  // safe 3; a retreat goes at least trunc(3.9) = 3 away
    using tBases = std::list<sAirBaseCandidate>;
    // x names the candidate; y unused.
    struct Case { bool retreat; tBases bases; int picked; };
    for (const Case& c : std::vector<Case>{
             {true, {{1, 0, 2, 5}, {2, 0, 5, 1}, {3, 0, 4, 1}, {4, 0, 4, 3}, {5, 0, 4, 3}}, 4},
             {true, {{1, 0, 2, 5}}, -1},
             {false, {{1, 0, 3, 9}, {2, 0, 4, 0}, {3, 0, 5, 2}, {4, 0, 6, 4}, {5, 0, 7, 4}}, 4},
             {false, {{1, 0, 4, 1}}, 1},
         })
        EXPECT_EQ((c.retreat ? ai.PickRetreatBase(c.bases) : ai.PickForwardBase(c.bases)).x, c.picked)
            << (c.retreat ? "retreat, " : "forward, ") << c.bases.size() << " bases";
}

// Only in the three European scenarios so titled, and only for country 53: its air units west
// of column 16 go to (37,78) while that hex is free, so one of them at most. Testland's map is
// too small for that hex: a bare world of 53 countries on a 38 x 79 map (its last hex) holds it.
TEST(AIScenarioRule, CountryFiftyThreeOfTheEuropeanScenariosSendsOneAirUnitFromTheWestToItsBase)
{
    struct sCase
    {
        const wchar_t* title;
        int country;
        bool baseTaken;
        bool rebased;
    };
    for (const sCase& c : {sCase{L"EUROPE 1939", 53, false, true}, sCase{L"EUROPE 1940", 53, false, true},
                           sCase{L"EUROPE 1941", 53, false, true}, sCase{L"Europe 1939", 53, false, false},
                           sCase{L"EUROPE 1942", 53, false, false}, sCase{L"EUROPE 1939", 52, false, false},
                           sCase{L"EUROPE 1939", 53, true, false}})
    {
        unit_tests::cTestGame g(38, 79, 53);
        g.game->m_ScenarioName = c.title;
        if (c.baseTaken)
            g.AddLand(53, UNIT_INFANTRY, 37, 78);
        // Column 16 comes first: were it counted as west, it would take the base. The last unit
        // stands on the map's first hex, (0,0).
        cJednostkaLotnicza* atSixteen = g.AddAir(c.country, UNIT_FIGHTER, 16, 10);
        cJednostkaLotnicza* west = g.AddAir(c.country, UNIT_FIGHTER, 15, 10);
        cJednostkaLotnicza* farWest = g.AddAir(c.country, UNIT_FIGHTER, 0, 0);
        cAI ai;
        ai.m_Country = &g.Country(c.country);
        ai.m_OwnAirUnits = {atSixteen, west, farWest};
        ai.ScenarioSpecificStep();
        const std::wstring what = std::wstring(c.title) + L", country " + std::to_wstring(c.country) +
                                  (c.baseTaken ? L", base taken" : L"");
        EXPECT_EQ(std::pair(west->m_X, west->m_Y), c.rebased ? std::pair(37, 78) : std::pair(15, 10)) << what;
        EXPECT_EQ(std::pair(atSixteen->m_X, atSixteen->m_Y), std::pair(16, 10)) << what;
        EXPECT_EQ(std::pair(farWest->m_X, farWest->m_Y), std::pair(0, 0)) << what;
    }
}

} // namespace
} // namespace ai_tests
