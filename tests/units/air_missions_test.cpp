// What an air unit can reach: rebasing hexes, targets, reconnaissance and the computer's
// candidate bases.
#include <gtest/gtest.h>

#include <set>
#include <tuple>
#include <utility>
#include <vector>

#include "core/random.h"
#include "tests/test_support.h"
#include "tests/units/unit_test_game.h"
#include "units/combat_result.h"
#include "units/combat_support.h"
#include "world/city.h"

using unit_tests::cTestGame;
using unit_tests::RawFor;

namespace {

class AirMissions : public ::testing::Test
{
protected:
    void SetUp() override
    {
        g.SetCombatConstants();  // ranges at aircraft level 1: missions 6, rebasing 8
        g.SetWar(1, 2);
        g.Consts().AirMoveMinSupply[0] = 50;  // a fighter needs supply 25 of 50 to rebase
        g.Consts().AirSearchRadius = 3;
        for (int y = 0; y < 10; ++y)
            for (int x = 0; x < 12; ++x)
                g.Hex(x, y).controller = x < 4 ? 1 : 2;
        plane = g.AddAir(1, UNIT_FIGHTER, 2, 2);
        plane->m_Supply = 30;
        plane->m_ActionPoints = plane->m_StartingActionPoints = 5;
    }
    cTestGame g;
    cJednostkaLotnicza* plane = nullptr;
    sCombatResult result;
};

} // namespace

TEST_F(AirMissions, RebaseReachesFreeFriendlyLandOnlyBeforeTheUnitActsAndWithSupply)
{
    for (int y = 0; y < 10; ++y)
        g.Hex(0, y).terrain = 0;           // a sea column
    g.AddLand(1, UNIT_INFANTRY, 3, 3);     // a taken hex
    const int friendly = 3 * 10 - 1 - 1;   // columns 1 to 3, less its own hex and the taken one
    EXPECT_EQ(plane->ComputeMoveRange(false), friendly);
    EXPECT_NE(g.Hex(1, 5).marks & MARK_MOVE_NONE_LEFT, 0u);
    EXPECT_EQ(g.Hex(1, 5).markValue, 0);  // no action points left after the flight
    EXPECT_NE(g.Hex(6, 5).marks & MARK_BIT24, 0u);  // the enemy's land is out of reach
    EXPECT_NE(plane->FindPathStep(1, 5), nullptr);

    for (const auto& [supply, reachable] : {std::pair{24, 0}, std::pair{25, friendly}}) {
        plane->m_Supply = supply;
        EXPECT_EQ(plane->ComputeMoveRange(true), reachable) << supply;
    }
    plane->m_Supply = 30;
    plane->m_ActionPoints = 4;
    EXPECT_EQ(plane->ComputeMoveRange(true), 0);

    EXPECT_TRUE(plane->AiRebase(1, 7));
    EXPECT_EQ(g.Hex(1, 7).unit, plane);
    EXPECT_EQ(g.Hex(2, 2).unit, nullptr);
    EXPECT_EQ(plane->m_ActionPoints, 0);
    EXPECT_FALSE(plane->AiRebase(3, 3));  // taken

    plane->m_ActionPoints = 5;
    plane->MoveToReservePool();
    EXPECT_EQ(plane->ComputeMoveRange(true), 0);  // the reserve pool's place off the map lies near
}

TEST_F(AirMissions, TargetsNeedAnActionPointAndAnEnemyTheOwnerCanSee)
{
    cJednostkaLotnicza* seen = g.AddAir(2, UNIT_TACTICAL_BOMBER, 6, 2);
    seen->m_Spotted = true;
    g.AddAir(2, UNIT_FIGHTER, 6, 4);  // never seen
    EXPECT_EQ(plane->FindAirFightTargets(true), 1);
    EXPECT_NE(g.Hex(6, 2).marks & MARK_AIR_FIGHT_TARGET, 0u);

    cJednostkaLotnicza* bomber = g.AddAir(1, UNIT_STRATEGIC_BOMBER, 1, 1);
    bomber->m_ActionPoints = 1;
    cMiasto city;
    g.Hex(5, 1).city = &city;
    g.AddLand(2, UNIT_INFANTRY, 5, 3)->m_Spotted = true;
    g.AddLand(2, UNIT_INFANTRY, 4, 2)->m_Spotted = true;
    for (int x = 0; x < 12; ++x) {
        g.Hex(x, 9).terrain = 0;
        g.Hex(x, 9).seaZone = 1;
    }
    g.AddShip(2, UNIT_CRUISER, 1);  // an enemy fleet in zone 1, out of the search radius
    g.Hex(2, 1).seaZone = 1;        // a coast of that zone is land, no sea target
    g.Hex(3, 3).seaZone = 4;        // nor is a coast whose sea lies out of every reach
    g.Hex(0, 0).terrain = 0;        // a sea of zone 3 without fleets
    g.Hex(0, 0).seaZone = 3;
    g.Hex(0, 6).terrain = 0;        // a sea of zone 1 out of the search radius
    g.Hex(0, 6).seaZone = 1;
    EXPECT_EQ(bomber->FindBombardmentTargets(false), 3);
    std::set<int> seas;
    bomber->CollectSeaNodesInRadius(seas);
    EXPECT_EQ(seas, std::set<int>{3});
    g.Consts().AirSearchRadius = 8;
    EXPECT_EQ(bomber->FindBombardmentTargets(true), 4);
    EXPECT_NE(g.Hex(11, 9).marks & MARK_SEA_ZONE, 0u);  // the whole zone
    EXPECT_GT(bomber->FindNuclearTargets(false), 0);
    bomber->m_ActionPoints = 0;
    EXPECT_EQ(bomber->FindBombardmentTargets(false), 0);
    g.Hex(5, 1).city = nullptr;

    // Each mission needs one action point, and reconnaissance flies once a turn. Within the
    // fighter's 6 lie the enemy's 36 hexes (columns 4 to 8), and the seas of zones 1 and 3.
    for (const auto& [actionPoints, done, recon, fights, nuclear] :
         {std::tuple{1, false, 38, 1, 36}, std::tuple{0, false, 0, 0, 0}, std::tuple{1, true, 0, 1, 36}}) {
        plane->m_ActionPoints = actionPoints;
        plane->m_AirReconDone = done;
        EXPECT_EQ(plane->FindReconTargets(false), recon) << actionPoints << " " << done;
        EXPECT_EQ(plane->FindAirFightTargets(false), fights) << actionPoints << " " << done;
        EXPECT_EQ(plane->FindNuclearTargets(false), nuclear) << actionPoints << " " << done;
    }
    // The reserve pool's place off the map lies near a sea.
    plane->MoveToReservePool();
    seas.clear();
    plane->CollectSeaNodesInRadius(seas);
    EXPECT_TRUE(seas.empty());
}

TEST_F(AirMissions, ReconnaissanceRevealsTheAreaAndAPlaneShotDownLeavesTheGame)
{
    cJednostkaLadowa* hidden = g.AddLand(2, UNIT_INFANTRY, 7, 5);
    cJednostkaLadowa* far = g.AddLand(2, UNIT_INFANTRY, 10, 5);
    EXPECT_EQ(plane->FlyReconMission(6, 5, &result), 1);  // aircraft level 1: one hex around
    EXPECT_EQ(result.kind, COMBAT_AIR_RECON);
    EXPECT_TRUE(hidden->m_Spotted);
    EXPECT_FALSE(far->m_Spotted);
    EXPECT_TRUE(unit_tests::Contains(g.Country(1).ReconUnits, hidden));
    EXPECT_TRUE(plane->m_AirReconDone);
    EXPECT_EQ(plane->m_ActionPoints, 4);

    EXPECT_FALSE(plane->ReconSeaNode(99, &result));  // no such node: nothing spent
    EXPECT_EQ(plane->FlyReconMission(-1, 5, &result), 0);  // off the map: nothing spent
    EXPECT_EQ(plane->m_ActionPoints, 4);
    // A carrier's interception that fails lets the plane see the node.
    g.AddShip(2, UNIT_CARRIER, 1)->m_HP = 8;
    plane->m_Strength = 10;
    result.Reset();
    ScriptRandomRaw({RawFor(1)});
    EXPECT_TRUE(plane->ReconSeaNode(1, &result));
    EXPECT_TRUE(result.interceptionFought);
    EXPECT_EQ(result.kind, COMBAT_AIR_RECON);
    EXPECT_EQ(plane->m_ActionPoints, 3);

    // A weak recon plane meets a strong fighter and loses all it has.
    plane->m_Strength = 2;
    cJednostkaLotnicza* fighter = g.AddAir(2, UNIT_FIGHTER, 8, 8);
    fighter->m_Strength = 12;
    fighter->m_Supply = 10;
    result.Reset();
    ScriptRandomRaw({RawFor(6)});
    EXPECT_EQ(plane->FlyReconMission(6, 5, &result), 0);
    EXPECT_TRUE(result.attackerKilled);
    EXPECT_FALSE(unit_tests::Contains(g.game->m_AirUnits, plane));
    EXPECT_EQ(g.Hex(2, 2).unit, nullptr);

    // A plane found is seen, but the list of units found holds land units alone; a look
    // off the map finds and tells nothing.
    const size_t listed = g.Country(1).ReconUnits.size();
    NoteDiscovered(1, fighter);
    EXPECT_TRUE(fighter->m_Spotted);
    EXPECT_EQ(g.Country(1).ReconUnits.size(), listed);
    std::wstring told;
    EXPECT_EQ(DiscoverAroundHex(1, -1, 5, 1, told), 0);
    EXPECT_EQ(told, L"");
}

TEST_F(AirMissions, ComputerBasesAroundFriendlyCitiesAreScoredAgainstTheEnemy)
{
    cMiasto city;
    city.X = 2;
    city.Y = 5;
    city.Type = CITY_NORMAL;
    g.game->m_Cities.push_back(&city);
    const cUnit* enemy = g.AddLand(2, UNIT_INFANTRY, 6, 5);
    std::list<sAirBaseCandidate> candidates;
    plane->AiPlanMissions(candidates, {enemy});
    g.game->m_Cities.clear();
    ASSERT_FALSE(candidates.empty());
    for (const sAirBaseCandidate& c : candidates) {
        EXPECT_LT(c.x, 4);  // only friendly hexes
        EXPECT_EQ(c.enemyDistance, HexDistance(c.x, c.y, 6, 5));
        EXPECT_EQ(c.enemiesInRange, 1);
    }
    EXPECT_EQ(MinDistanceToUnits(0, 0, {}), INT_MAX);

    // Bases lie one or two hexes from a friendly city on free friendly land, each counted once
    // for every neighbour it is reached through; the city must lie nearer than 6, rebasing range
    // less 2. A sea column, the enemy's columns, the map's edge and two taken hexes narrow them.
    for (int y = 0; y < 10; ++y)
        g.Hex(0, y).terrain = 0;
    g.AddLand(1, UNIT_INFANTRY, 2, 6);
    g.AddLand(1, UNIT_INFANTRY, 2, 3);
    for (const auto& [x, y, type, count] :
         {std::tuple{2, 5, CITY_NORMAL, 24}, std::tuple{2, 5, CITY_RESOURCES, 0}, std::tuple{4, 5, CITY_NORMAL, 0},
          std::tuple{2, 7, CITY_NORMAL, 25}, std::tuple{2, 8, CITY_NORMAL, 0}, std::tuple{2, 0, CITY_NORMAL, 22}}) {
        city.X = x;
        city.Y = y;
        city.Type = type;
        g.game->m_Cities.push_back(&city);
        plane->AiPlanMissions(candidates, {enemy});
        g.game->m_Cities.clear();
        EXPECT_EQ(int(candidates.size()), count) << x << " " << y << " " << type;
    }
    // A plane in the reserve pool plans no bases, though its place off the map lies near the city.
    plane->MoveToReservePool();
    city.Y = 0;
    g.game->m_Cities.push_back(&city);
    plane->AiPlanMissions(candidates, {enemy});
    g.game->m_Cities.clear();
    EXPECT_TRUE(candidates.empty());

    // An enemy counts up to the range itself, and not in a fortress of level 5 or more.
    const int distance = HexDistance(2, 5, 6, 5);
    for (const auto& [range, fortification, counted] : {std::tuple{distance, 4, 1}, std::tuple{distance - 1, 0, 0},
                                                        std::tuple{distance, 5, 0}}) {
        g.Hex(6, 5).fortification = fortification;
        EXPECT_EQ(CountUnitsInRange(2, 5, range, {enemy}), counted) << range << " " << fortification;
    }
}

TEST_F(AirMissions, TheWeakestEnemyInRangeHasTheLowestSumOfSupplyTermStrengthAndLevel)
{
    struct sEnemy
    {
        int owner, type, x, y, supply, strength, level;
    };
    constexpr int F = UNIT_FIGHTER;
    // The supply term is supply / 10, and -4 without supply; the fighter's range is 6.
    const std::vector<std::pair<std::vector<sEnemy>, int>> cases = {
        {{{2, F, 4, 2, 10, 3, 1}, {2, F, 5, 2, 10, 1, 2}}, 1},  // 5 against 4: strength counts
        {{{2, F, 4, 2, 10, 1, 3}, {2, F, 5, 2, 10, 2, 1}}, 1},  // 5 against 4: level counts
        {{{2, F, 4, 2, 0, 6, 0}, {2, F, 5, 2, 50, 1, 0}}, 0},   // 2 against 6: supply counts
        {{{2, F, 4, 2, 10, 2, 0}, {2, F, 5, 2, 20, 1, 0}}, 0},  // a tie keeps the first
        {{{2, F, 2, 9, 0, 1, 0}, {2, F, 2, 8, 50, 12, 3}}, 1},  // 7 hexes away is out of range, 6 in
        // A country at peace and another type are passed over.
        {{{3, F, 4, 2, 0, 1, 0}, {2, UNIT_TACTICAL_BOMBER, 5, 2, 0, 1, 0}, {2, F, 6, 2, 50, 12, 3}}, 2},
        {{{3, F, 4, 2, 0, 1, 0}}, -1},
    };
    for (size_t c = 0; c < cases.size(); ++c) {
        std::vector<cJednostkaLotnicza*> enemies;
        for (const sEnemy& e : cases[c].first) {
            cJednostkaLotnicza* u = g.AddAir(e.owner, e.type, e.x, e.y);
            u->m_Supply = e.supply;
            u->m_Strength = e.strength;
            u->m_Level = e.level;
            enemies.push_back(u);
        }
        const int weakest = cases[c].second;
        EXPECT_EQ(plane->FindWeakestEnemyAirUnit(F), weakest < 0 ? nullptr : enemies[size_t(weakest)]) << c;
        for (cJednostkaLotnicza* u : enemies)
            u->Kill();
    }
    // A plane in the reserve pool meets nobody, though its place off the map lies near.
    g.AddAir(2, F, 1, 1);
    plane->MoveToReservePool();
    EXPECT_EQ(plane->FindWeakestEnemyAirUnit(F), nullptr);
}
