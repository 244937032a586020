// Orders the windows start, carried out by a click on the map of Testland: a fighter's
// reconnaissance of an enemy port that the enemy's fighters guard.
#include <gtest/gtest.h>

#include <numeric>

#include "core/lock.h"
#include "core/random.h"
#include "core/settings.h"
#include "game/play_counts.h"
#include "shell/map_orders.h"
#include "tests/game/testland_game.h"
#include "tests/units/unit_test_game.h"
#include "units/air_unit.h"
#include "units/combat_result.h"
#include "world/sea_graph.h"

using namespace testland;
using unit_tests::RawFor;

namespace {

constexpr int kFighterCommand = 1, kKampfgeschwader = 2, kFernbomber = 3;
constexpr int kHamburgumX = 8, kHamburgumY = 2, kHamburgumPort = 5;

class MapOrders : public TestlandGame
{
protected:
    MapOrders()
    {
        g_DelayValues[DELAY_HUMAN_COMBAT_RESULT] = 1000.0f;
        game->m_Consts.AirRanges[0] = 20;  // every fighter reaches Hamburgum
        // Nothing near the port is left to find: the flight looks into the port.
        for (cJednostkaLadowa* unit : game->m_LandUnits)
            unit->m_Spotted = true;
    }
    cJednostkaLotnicza& Air(int id) { return *game->FindAirUnitById(id); }
    // The bomber becomes a fighter that guards Hamburgum.
    void Guard(int id)
    {
        Air(id).SetType(UNIT_FIGHTER);
        Air(id).m_Strength = game->m_Consts.AirFullStrength[0];
    }
    // Both sides' losses for a die of 1 to 6 in every column.
    void AirLosses(int die, int interceptorLoss, int planeLoss)
    {
        for (int column = 0; column < 9; ++column) {
            game->m_Consts.AirAttackerLosses[die - 1][column] = interceptorLoss;
            game->m_Consts.AirDefenderLosses[die - 1][column] = planeLoss;
        }
    }
    eOrderClick ReconOfHamburgum(cUnit* plane)
    {
        GLOBAL_LOCK_SCOPE();
        Play().SetOrderMode(ORDER_RECONNAISSANCE);
        return CarryOutWindowOrder(sMapClick{Play(), *game->m_Mapa, Hex(kHamburgumX, kHamburgumY), true, plane});
    }
    int EnemyShipsSeenInPort()
    {
        const sWezelGrafuMorz& port = *game->m_SeaGraph->GetNode(kHamburgumPort);
        return std::accumulate(std::begin(port.EnemyCounts), std::end(port.EnemyCounts), 0);
    }
};

} // namespace

TEST_F(MapOrders, AReconOfAGuardedPortIsOneFlightThatShowsItsInterceptionAndMayEndWithThePlane)
{
    cJednostkaLotnicza* plane = &Air(kFighterCommand);
    const int points = plane->m_ActionPoints;
    Guard(kKampfgeschwader);
    const int missions = g_PlayCounts.airMissions.load();
    const int before = EnemyShipsSeenInPort();

    // The guard falls; the plane flies on and looks into the port on the same flight.
    AirLosses(6, 20, 0);
    ScriptRandomRaw({RawFor(6)});
    EXPECT_EQ(ReconOfHamburgum(plane), eOrderClick::Done);
    EXPECT_EQ(game->FindAirUnitById(kKampfgeschwader), nullptr);
    EXPECT_EQ(plane->m_ActionPoints, points - 1);
    EXPECT_EQ(g_PlayCounts.airMissions.load(), missions + 1);
    EXPECT_GT(EnemyShipsSeenInPort(), before);
    EXPECT_EQ(screen.Count(eRequestKind::CombatResult), 1);

    // A second guard shoots the weakened plane down: the window shows it, and nothing of
    // the plane is used after.
    Guard(kFernbomber);
    plane->m_Strength = 1;
    AirLosses(1, 0, 5);
    ScriptRandomRaw({RawFor(1)});
    EXPECT_EQ(ReconOfHamburgum(plane), eOrderClick::Done);
    EXPECT_EQ(game->FindAirUnitById(kFighterCommand), nullptr);
    EXPECT_EQ(g_PlayCounts.airMissions.load(), missions + 2);
    ASSERT_EQ(screen.Count(eRequestKind::CombatResult), 2);
    EXPECT_TRUE(screen.requests.back().combat->attackerKilled);
}

// Unopposed, the flight over the port shows what it saw, as every flown reconnaissance does.
TEST_F(MapOrders, AReconFlownUnopposedShowsItsResult)
{
    EXPECT_EQ(ReconOfHamburgum(&Air(kFighterCommand)), eOrderClick::Done);
    ASSERT_EQ(screen.Count(eRequestKind::CombatResult), 1);
    const sCombatResult& shown = *screen.requests.back().combat;
    EXPECT_EQ(shown.kind, COMBAT_AIR_RECON);
    EXPECT_EQ(shown.attackerCountry, -1);  // a flight fought by nobody shows no side's flag
    EXPECT_FALSE(shown.interceptionFought);
}
