// Moves over the test scenario, hex by hex, and their undo.
#include <gtest/gtest.h>

#include <thread>

#include "core/lock.h"
#include "core/settings.h"
#include "game/play_counts.h"
#include "tests/game/testland_game.h"
#include "tests/test_support.h"
#include "units/air_unit.h"

using namespace testland;
using testing_support::LogContains;

namespace {

class UnitMoves : public TestlandGame
{
protected:
    UnitMoves()
    {
        g_PlayCounts.Reset();
        Activate(kBorussia);
        ClearLand(12, 5, 3, kBorussia);
        panzer.m_ActionPoints = panzer.m_StartingActionPoints = 4;
        Place(Land(12), 8, 10);  // Valdo Infantry, out of the way
        cJednostkaLotnicza* bombers = game->FindAirUnitById(3);  // Fernbomber, on (12, 3)
        Hex(12, 3).unit = nullptr;
        bombers->m_X = 14;
        bombers->m_Y = 2;
        Hex(14, 2).unit = bombers;
    }
    // Computes the range the way the player's selection does, then moves.
    bool Move(cJednostkaLadowa& unit, int x, int y)
    {
        unit.ComputeMoveRange(false);
        return Play().PlayMove(unit, x, y);
    }
    std::pair<int, int> At(const cUnit& unit) const { return {unit.m_X, unit.m_Y}; }

    cJednostkaLadowa& panzer = Land(7);  // at (12, 6)
};

} // namespace

TEST_F(UnitMoves, AMoveStopsBeforeAnEnemyKeepingItsActionPointsAndNeverEndsOnAnotherUnit)
{
    cJednostkaLadowa& enemy = Land(12);
    enemy.m_Spotted = false;  // hidden: the range leads through it
    // Stopped before its first step, the move ends, and is taken back, where it began.
    Place(enemy, 12, 5);
    ASSERT_TRUE(Move(panzer, 12, 4));
    Play().UndoLastMove(&panzer);
    EXPECT_EQ(Hex(12, 6).unit, &panzer);

    Place(enemy, 12, 4);
    ASSERT_TRUE(Move(panzer, 12, 2));
    EXPECT_EQ(At(panzer), std::pair(12, 5));
    EXPECT_EQ(panzer.m_ActionPoints, 3);
    EXPECT_EQ(Hex(12, 5).unit, &panzer);
    EXPECT_EQ(Hex(12, 6).unit, nullptr);
    EXPECT_EQ(Hex(12, 4).unit, &enemy);
    EXPECT_EQ(Play().GetCurrentMove().GetUnit(), nullptr);
    EXPECT_EQ(Play().GetCurrentMove().GetController(), 0);
    EXPECT_EQ(std::pair(Play().GetLastMoveEndX(), Play().GetLastMoveEndY()), std::pair(12, 5));

    // Through a bystander's unit the walk goes on; onto it, it stops a hex short.
    cJednostkaLadowa& ruthenian = Land(10);
    Place(ruthenian, 12, 4);
    Place(enemy, 8, 10);
    panzer.m_ActionPoints = panzer.m_StartingActionPoints = 4;
    ASSERT_TRUE(Move(panzer, 12, 2));
    EXPECT_EQ(At(panzer), std::pair(12, 2));
    EXPECT_EQ(Hex(12, 4).unit, &ruthenian);

    panzer.m_ActionPoints = panzer.m_StartingActionPoints = 4;
    Place(Land(8), 12, 5);
    ASSERT_TRUE(Move(panzer, 12, 5));
    EXPECT_EQ(At(panzer), std::pair(12, 3)) << "it rests before the run of occupied hexes";
    EXPECT_EQ(Hex(12, 5).unit, &Land(8));
    EXPECT_EQ(Hex(12, 4).unit, &ruthenian) << "the bystander keeps its hex";
    EXPECT_EQ(Hex(12, 2).unit, nullptr);
    EXPECT_EQ(g_PlayCounts.moves.load(), 4);
}

TEST_F(UnitMoves, CapturesAlongThePathAreUndoneNewestFirstWithTheUnit)
{
    cJednostkaLadowa& mech = Land(5);
    Place(mech, 8, 4);
    mech.m_ActionPoints = mech.m_StartingActionPoints = 4;
    ASSERT_TRUE(Move(mech, 8, 7));
    EXPECT_EQ(At(mech), std::pair(8, 7));
    EXPECT_EQ(mech.m_ActionPoints, 1);
    const std::vector<sCapturedHex> expected = {
        {8, 6, kValdonia}, {8, 7, kValdonia}, {7, 7, kValdonia}, {8, 8, kValdonia}, {7, 8, kValdonia}};
    EXPECT_EQ(Play().GetUndo().changedHexes, expected);
    for (const sCapturedHex& c : expected)
        EXPECT_EQ(Hex(c.x, c.y).controller, kBorussia) << c.x << "," << c.y;
    EXPECT_EQ(Hex(7, 6).controller, kValdonia) << "Valdo, a city, is not taken in passing";
    EXPECT_EQ(g_PlayCounts.hexesCaptured.load(), 5);

    Play().UndoLastMove(&mech);
    EXPECT_EQ(At(mech), std::pair(8, 4));
    EXPECT_EQ(mech.m_ActionPoints, 4);
    EXPECT_EQ(Hex(8, 4).unit, &mech);
    EXPECT_EQ(Hex(8, 7).unit, nullptr);
    for (const sCapturedHex& c : expected)
        EXPECT_EQ(Hex(c.x, c.y).controller, kValdonia) << c.x << "," << c.y;
    EXPECT_TRUE(LogContains(L"Taking the move back: hexes that change hands: 5; the unit returns to (8, 4)."));
    EXPECT_EQ(Play().GetSelectedUnit(), &mech);
    EXPECT_EQ(Play().GetOrderMode(), ORDER_MOVE);
    EXPECT_NE(mech.FindPathStep(8, 7), nullptr) << "ready to move again";

    Play().UndoLastMove(&mech);
    EXPECT_TRUE(LogContains(L"Undo is not possible: no unit has moved yet."));
}

TEST_F(UnitMoves, AnEnemyHexEnteredGoesToTheMoverTheAllyItCameFromOrItsAlliedOwnerByStrength)
{
    Country(kHelvetia).Alliance = 2;  // an Axis member beside Borussia (strength 100)
    SetWar(kHelvetia, kValdonia, true);
    game->m_Consts.ControlMargin = 10;
    struct Case
    {
        int left, entered, owner, helvetia, taken;
        const char* why;
    };
    const Case cases[] = {
        {kHelvetia, kValdonia, kValdonia, 90, kBorussia, "100 reaches 90 + 10"},
        {kHelvetia, kValdonia, kValdonia, 91, kHelvetia, "for the ally whose hex it left"},
        {kBorussia, kValdonia, kValdonia, 20, kBorussia, "taken from the enemy"},
        {kBorussia, kValdonia, kHelvetia, 20, kHelvetia, "back to its owner, Borussia's ally"},
        {kBorussia, kValdonia, kRuthenia, 20, kBorussia, "kept: its owner is no ally of Borussia"},
    };
    for (const Case& c : cases) {
        Place(panzer, 12, 6);
        panzer.m_ActionPoints = panzer.m_StartingActionPoints = 4;
        Hex(12, 6).SetController(c.left);
        Hex(12, 5).SetController(c.entered);
        Hex(12, 5).SetOwner(c.owner);
        Country(kHelvetia).PoliticalStrength = c.helvetia;
        ASSERT_TRUE(Move(panzer, 12, 5)) << c.why;
        EXPECT_EQ(Hex(12, 5).controller, c.taken) << c.why;
    }

    // An ally's hex keeps its holder, who takes the enemy hexes around it.
    Activate(kValdonia);
    cJednostkaLadowa* valdo = AddLandUnit(kValdonia, 13, 8, UNIT_ARMOURED);
    valdo->m_StartingActionPoints = 4;
    Hex(13, 8).SetController(kValdonia);
    // Each step starts rested, onto a hex held by one country and owned by another.
    const auto stepOnto = [&](int y, int controller, int owner) {
        valdo->m_ActionPoints = 4;
        Hex(13, y).SetController(controller);
        Hex(13, y).SetOwner(owner);
        return Move(*valdo, 13, y);
    };
    ASSERT_TRUE(stepOnto(7, kAlbion, kAlbion));
    EXPECT_EQ(Hex(13, 7).controller, kAlbion);
    EXPECT_EQ(Hex(14, 7).controller, kAlbion);
    // Leaving the ally's hex, the mover must outweigh the ally (90 + 10) to hold what it takes.
    ASSERT_TRUE(stepOnto(6, kAlbion, kAlbion));
    EXPECT_EQ(Hex(14, 5).controller, kAlbion);
    // A hex of its own side taken by the enemy goes back to its owner.
    ASSERT_TRUE(stepOnto(5, kBorussia, kValdonia));
    EXPECT_EQ(Hex(13, 5).controller, kValdonia);
    ASSERT_TRUE(stepOnto(4, kBorussia, kAlbion));
    EXPECT_EQ(Hex(13, 4).controller, kAlbion);
}

TEST_F(UnitMoves, UndoIsOnlyForTheLastUnitAndNotAfterItActedOrLostItsStart)
{
    cJednostkaLadowa& other = Land(4);  // 1. Panzer at (11, 3)
    other.m_ActionPoints = other.m_StartingActionPoints = 4;
    ASSERT_TRUE(Move(other, 11, 4));
    ASSERT_TRUE(Move(panzer, 12, 8));
    Play().UndoLastMove(&other);
    EXPECT_TRUE(LogContains(L"Undo is not possible: only the unit that moved last can take its move back."));
    EXPECT_EQ(At(other), std::pair(11, 4));

    // An attack since the move.
    panzer.m_Attacked = true;
    panzer.m_ActionPoints -= 1;
    Play().UndoLastMove(&panzer);
    EXPECT_TRUE(LogContains(L"Undo is not possible: the unit has acted since it moved."));
    EXPECT_EQ(At(panzer), std::pair(12, 8));
    testing_support::ClearLog();
    Play().UndoLastMove(&panzer);
    EXPECT_TRUE(LogContains(L"Undo is not possible: no unit has moved yet."));

    // Its hex, its action points or its attack, any one changed alone, is acting.
    struct Acted
    {
        int dx, dy, dap;
        bool attacked;
    };
    for (const Acted& a : {Acted{1, 0, 0, false}, Acted{0, 1, 0, false}, Acted{0, 0, -1, false}, Acted{0, 0, 0, true}}) {
        Place(panzer, 12, 8);
        panzer.m_Attacked = false;
        panzer.m_ActionPoints = panzer.m_StartingActionPoints = 4;
        ASSERT_TRUE(Move(panzer, 12, 9));
        Place(panzer, 12 + a.dx, 9 + a.dy);
        panzer.m_ActionPoints += a.dap;
        panzer.m_Attacked = a.attacked;
        testing_support::ClearLog();
        Play().UndoLastMove(&panzer);
        EXPECT_TRUE(LogContains(L"Undo is not possible: the unit has acted since it moved."))
            << a.dx << " " << a.dy << " " << a.dap << " " << a.attacked;
    }
    Place(panzer, 12, 8);

    // Another unit on the start hex.
    panzer.m_Attacked = false;
    panzer.m_ActionPoints = panzer.m_StartingActionPoints = 4;
    ASSERT_TRUE(Move(panzer, 12, 10));
    Place(other, 12, 8);
    Play().UndoLastMove(&panzer);
    EXPECT_TRUE(LogContains(L"Undo is not possible: another unit now stands on the hex it started from."));
    EXPECT_EQ(At(panzer), std::pair(12, 10));
    Place(other, 11, 4);
    Play().UndoLastMove(&panzer);
    EXPECT_EQ(At(panzer), std::pair(12, 8));

    // A rebase is taken back the same way, and the air unit may rebase again.
    Activate(kAlbion);
    cJednostkaLotnicza& fighters = *game->FindAirUnitById(1);  // at (1, 3)
    fighters.m_ActionPoints = 4;
    ASSERT_EQ(Hex(2, 4).unit, nullptr);
    ASSERT_TRUE(Play().RebaseAirUnit(fighters, 2, 4));
    Play().UndoLastMove(&fighters);
    EXPECT_EQ(At(fighters), std::pair(1, 3));
    EXPECT_EQ(fighters.m_ActionPoints, 4);
    EXPECT_EQ(Hex(1, 3).unit, &fighters);
    EXPECT_EQ(Hex(2, 4).unit, nullptr);
    EXPECT_EQ(Play().GetOrderMode(), ORDER_REBASE);
    Activate(kBorussia);

    // A unit that dies takes its undo with it.
    ASSERT_TRUE(Move(panzer, 12, 9));
    panzer.Kill();
    testing_support::ClearLog();
    Play().UndoLastMove(&other);
    EXPECT_TRUE(LogContains(L"Undo is not possible: no unit has moved yet."));
}

TEST_F(UnitMoves, BadOrdersAreRefusedWithALogLineAndChangeNothing)
{
    panzer.ComputeMoveRange(false);
    EXPECT_FALSE(Play().PlayMove(panzer, 30, 2));
    EXPECT_TRUE(LogContains(L"Move refused: hex (30,2) lies off the map"));
    EXPECT_FALSE(Play().PlayLandMove(99, 12, 5));
    EXPECT_TRUE(LogContains(L"Move refused: no land unit 99 on the map"));
    cJednostkaLadowa& ruthenian = Land(10);
    ruthenian.ComputeMoveRange(false);
    EXPECT_FALSE(Play().PlayMove(ruthenian, 15, 7));
    EXPECT_TRUE(LogContains(L"Move refused: Guards Tank Corps does not belong to Borussia, whose turn it is"));
    EXPECT_FALSE(Play().PlayMove(panzer, 12, 1));
    EXPECT_TRUE(LogContains(L"Move refused: 3. Panzerkorps cannot reach (12,1)"));
    EXPECT_EQ(At(panzer), std::pair(12, 6));
    EXPECT_EQ(Hex(12, 6).unit, &panzer);
    EXPECT_EQ(panzer.m_ActionPoints, 4);
    EXPECT_TRUE(Play().GetUndo().IsEmpty());
    EXPECT_EQ(g_PlayCounts.moves.load(), 0);
    EXPECT_FALSE(cUnitMove().AdvanceAlongPath()) << "nothing moving, nothing to walk";
}

TEST_F(UnitMoves, AComputerMoveIsAnimatedForAWatchingPersonAndAnsweredHeadlessly)
{
    struct sRestore
    {
        ~sRestore() { ResetSettingsToDefaults(); }
    } restore;
    g_DelayValues[DELAY_AI_MOVE_BETWEEN] = 22.0f;
    game->SetGameState(kStateComputer);
    panzer.m_Spotted = true;
    cJednostkaLadowa& guards = Land(1);  // Albion's, the person's, far from the move
    guards.m_Spotted = true;
    ASSERT_TRUE(Move(panzer, 12, 4));
    EXPECT_TRUE(testing_support::LogHasInOrder(
        {L"---- Game state = 10", L"Headless answer: move animation \"3. Panzerkorps\" -> 0"}));
    EXPECT_EQ(game->GetGameState(), kStateComputer);
    ASSERT_EQ(screen.Count(eRequestKind::AnimateMove), 1);
    EXPECT_EQ(screen.requests.back().path, (std::vector<std::pair<int, int>>{{12, 5}, {12, 4}}));
    EXPECT_EQ(screen.requests.back().delayMs, 22);
    EXPECT_TRUE(guards.m_Spotted) << "the computer's view is not laid over the person's";

    panzer.m_Spotted = false;  // unseen by the person: nothing to show, nobody waits
    ASSERT_TRUE(Move(panzer, 12, 3));
    EXPECT_EQ(screen.Count(eRequestKind::AnimateMove), 1);
    EXPECT_EQ(At(panzer), std::pair(12, 3));

    // A war with no person in it (the tool's) shows no move, seen or not.
    Country(kAlbion).HumanControlled = false;
    panzer.m_Spotted = true;
    panzer.m_ActionPoints = panzer.m_StartingActionPoints = 4;
    ASSERT_TRUE(Move(panzer, 12, 4));
    EXPECT_EQ(screen.Count(eRequestKind::AnimateMove), 1);
}

// The screen of the main thread: it queues requests and serves them when the test says.
class cQueuedScreen : public cNullPresentation
{
public:
    RequestHandle Post(sPresentationRequest request) override { return queue.Push(std::move(request)); }
    cRequestQueue queue;
};

TEST_F(UnitMoves, AMovePostedFromTheOpponentsThreadCompletesWhenTheMainThreadAnimatesIt)
{
    StartGlobalLock();
    cQueuedScreen queued;
    SetPresentation(&queued);
    game->SetGameState(kStateComputer);
    panzer.m_Spotted = true;
    panzer.ComputeMoveRange(true);

    std::atomic<bool> run{true};
    std::atomic<bool> moved{false};
    std::atomic<bool> finished{false};
    std::thread opponent([&] {
        SetThreadRunFlag(&run);
        moved = Play().PlayMove(panzer, 12, 3);
        SetThreadRunFlag(nullptr);
        finished = true;
    });
    RequestHandle served;
    while (!(served = queued.queue.TakeNext()) && !finished)
        std::this_thread::yield();
    if (!served) {
        opponent.join();
        FAIL() << "the move posted nothing";
    }
    int steps = 0;
    for (bool going = true; going; ++steps) {
        GLOBAL_LOCK_SCOPE();
        EXPECT_EQ(game->GetGameState(), kStateComputerMove);
        going = Play().AdvanceMove();
    }
    served->Complete(0);
    opponent.join();

    EXPECT_TRUE(moved);
    EXPECT_EQ(steps, 3);
    EXPECT_EQ(At(panzer), std::pair(12, 3));
    EXPECT_EQ(Hex(12, 3).unit, &panzer);
    EXPECT_EQ(game->GetGameState(), kStateComputer);
    SetPresentation(&screen);
    StopGlobalLock();
}
