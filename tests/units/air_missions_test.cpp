// What an air unit can reach: rebasing hexes, targets, reconnaissance and the computer's
// candidate bases.
#include <gtest/gtest.h>

#include <tuple>

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
    EXPECT_NE(g.Hex(6, 5).marks & MARK_BIT24, 0u);  // the enemy's land is out of reach
    EXPECT_TRUE(plane->IsHexInMoveRange(1, 5));

    plane->m_Supply = 24;
    EXPECT_EQ(plane->ComputeMoveRange(true), 0);
    plane->m_Supply = 30;
    plane->m_ActionPoints = 4;
    EXPECT_EQ(plane->ComputeMoveRange(true), 0);

    EXPECT_TRUE(plane->AiRebase(1, 7));
    EXPECT_EQ(g.Hex(1, 7).unit, plane);
    EXPECT_EQ(g.Hex(2, 2).unit, nullptr);
    EXPECT_EQ(plane->m_ActionPoints, 0);
    EXPECT_FALSE(plane->AiRebase(3, 3));  // taken
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
    for (int x = 0; x < 12; ++x) {
        g.Hex(x, 9).terrain = 0;
        g.Hex(x, 9).seaZone = 2;
    }
    g.AddShip(2, UNIT_CRUISER, 2);  // an enemy fleet in zone 2, out of the search radius
    EXPECT_EQ(bomber->FindBombardmentTargets(false), 2);
    g.Consts().AirSearchRadius = 8;
    EXPECT_EQ(bomber->FindBombardmentTargets(true), 3);
    EXPECT_NE(g.Hex(11, 9).marks & MARK_SEA_ZONE, 0u);  // the whole zone
    EXPECT_GT(bomber->FindNuclearTargets(false), 0);
    bomber->m_ActionPoints = 0;
    EXPECT_EQ(bomber->FindBombardmentTargets(false), 0);
    g.Hex(5, 1).city = nullptr;

    plane->m_AirReconDone = true;
    EXPECT_EQ(plane->FindReconTargets(false), 0);
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
    EXPECT_EQ(plane->m_ActionPoints, 4);

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

    // An enemy counts up to the range itself, and not in a fortress of level 5 or more.
    const int distance = HexDistance(2, 5, 6, 5);
    for (const auto& [range, fortification, counted] : {std::tuple{distance, 4, 1}, std::tuple{distance - 1, 0, 0},
                                                        std::tuple{distance, 5, 0}}) {
        g.Hex(6, 5).fortification = fortification;
        EXPECT_EQ(CountUnitsInRange(2, 5, range, {enemy}), counted) << range << " " << fortification;
    }
}
