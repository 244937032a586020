#include <gtest/gtest.h>

#include "game/commanders.h"
#include "tests/test_support.h"
#include "tests/world/world_fixture.h"
#include "units/air_unit.h"
#include "units/land_unit.h"
#include "units/naval_unit.h"
#include "units/unit_hooks.h"

using namespace testing_support;

class cFleets : public ::testing::Test
{
protected:
    void SetUp() override
    {
        InstallUnitHooks();
        us = w.AddCountry(1);
        ally = w.AddCountry(4);
        enemy = w.AddCountry(2);
        w.War(us, enemy);
        g_World.consts.fleetRange = 2;
        for (int t = 0; t < 6; ++t)
            g_World.consts.portRequirement[t] = 0;
        g_World.consts.portRequirement[1] = 5; // battleships need a port of size 5
    }
    cFlota* Fleet(int node, int owner)
    {
        auto* f = new cFlota();
        f->ID = int(w.fleets.size()) + 1;
        f->owner = owner;
        f->seaNode = node;
        f->SetName(L"Fleet " + std::to_wstring(f->ID));
        w.fleets.push_back(f);
        return f;
    }
    cJednostkaMorska* Ship(cFlota* f, int type, int hp)
    {
        ships.push_back(std::make_unique<cJednostkaMorska>());
        cJednostkaMorska* s = ships.back().get();
        s->m_Type = type;
        s->m_HP = hp;
        s->m_MaxHP = hp + 1;
        s->m_Owner = f->owner;
        s->m_Fleet = f;
        f->ships.push_back(s);
        return s;
    }
    // A chain of sea zones 1 - 2 - ... - n, both ways.
    void Chain(int n)
    {
        for (int i = 0; i < n; ++i)
            w.AddSeaNode();
        for (int i = 1; i < n; ++i)
            w.TwoWay(i, i + 1);
    }
    cTestWorld w{12, 12};
    int us = 0, ally = 0, enemy = 0;
    std::vector<std::unique_ptr<cJednostkaMorska>> ships;
    cPlacedLandUnits units{w};
};

TEST_F(cFleets, MovesOncePerTurnAndStopsAtTheEdgeOfItsRange)
{
    Chain(5);
    cFlota* f = Fleet(1, us);
    Ship(f, 42, 3);
    ClearLog();
    f->MoveTo(5);
    EXPECT_EQ(f->seaNode, 3);
    EXPECT_EQ(f->movedThisTurn, 1); // saved as 0 or 1
    EXPECT_TRUE(LogContains(L"Fleet Fleet 1 going: node 1 -> 3, final destination = 5."));
    f->MoveTo(4);
    EXPECT_EQ(f->seaNode, 3);
    EXPECT_TRUE(LogContains(L"WARNING: Fleet Fleet 1 wanted to go: node 3 -> 4, but it already moved this turn."));
    f->movedThisTurn = 0;
    f->MoveTo(4);
    EXPECT_TRUE(LogContains(L"Fleet Fleet 1 going: node 3 -> 4, movement finished."));
    f->movedThisTurn = 0;
    f->MoveTo(4);
    EXPECT_EQ(f->movedThisTurn, 1); // staying counts as the move
}

TEST_F(cFleets, NoPathLeavesTheFleetFreeToMove)
{
    Chain(2);
    w.AddSeaNode(); // 3: cut off
    cFlota* f = Fleet(1, us);
    ClearLog();
    f->MoveTo(3);
    EXPECT_EQ(f->seaNode, 1);
    EXPECT_FALSE(f->movedThisTurn);
    EXPECT_TRUE(LogContains(L"WARNING: fleet Fleet 1 (at node 1) wants to go to node 3 but there's no path"));
}

TEST_F(cFleets, PortsNeedCapacityAndAFriendlyHolder)
{
    Chain(2);
    w.Land(5, 5, ally);
    w.Land(6, 6, enemy);
    sWezelGrafuMorz& port = w.AddSeaNode(3, 5, 5); // 3
    w.AddSeaNode(9, 6, 6);                          // 4: enemy held
    w.TwoWay(2, 3);
    w.TwoWay(2, 4);
    cFlota* f = Fleet(1, us);
    Ship(f, 42, 3);
    Ship(f, 41, 5);
    EXPECT_FALSE(f->IsReachable(3)); // a battleship needs size 5
    port.SizeCurrent = 5;
    EXPECT_TRUE(f->IsReachable(3));
    EXPECT_FALSE(f->IsReachable(4));
    EXPECT_EQ(f->reachable, (std::list<int32_t>{1, 2, 3}));
    g_World.consts.portRequirement[5] = 6; // the last naval type's requirement counts too
    Ship(f, 45, 1);
    EXPECT_FALSE(f->IsReachable(3));
}

TEST_F(cFleets, FromAPortOnlySeaOrOnePortBeyondIt)
{
    w.Land(1, 1, us);
    w.Land(2, 2, us);
    w.AddSeaNode(9, 1, 1); // 1: the fleet's port
    w.AddSeaNode(9, 2, 2); // 2: another port next to it
    w.TwoWay(1, 2);
    cFlota* f = Fleet(1, us);
    f->ComputeReachableZones();
    EXPECT_EQ(f->reachable, (std::list<int32_t>{1}));
    w.AddSeaNode(); // 3: sea between
    w.TwoWay(1, 3);
    w.TwoWay(3, 2);
    f->ComputeReachableZones();
    EXPECT_EQ(f->reachable, (std::list<int32_t>{1, 3, 2}));
}

TEST_F(cFleets, StraitsHeldByAnEnemyBlockAndByAnAllyDoNot)
{
    Chain(2);
    w.AddSeaNode(); // 3
    w.Land(4, 4, enemy);
    w.Edge(2, 3, 4, 4);
    cFlota* f = Fleet(1, us);
    EXPECT_FALSE(f->IsReachable(3));
    w.Hex(4, 4).controller = uint8_t(ally);
    EXPECT_TRUE(f->IsReachable(3));
}

TEST_F(cFleets, LeavingACapturedPort)
{
    w.Land(1, 1, enemy);
    w.AddSeaNode(5, 1, 1);
    w.AddSeaNode();
    w.TwoWay(1, 2);
    cFlota* f = Fleet(1, us);
    ClearLog();
    EXPECT_TRUE(f->LeaveEnemyPort());
    EXPECT_EQ(f->seaNode, 2);
    EXPECT_FALSE(f->movedThisTurn);
    EXPECT_TRUE(LogContains(L"Fleet 1 left port which became enemy controlled and moved to Node 2"));
    w.sea.Nodes[1].Edges.clear();
    EXPECT_FALSE(f->LeaveEnemyPort());
}

TEST_F(cFleets, SplittingSelectingAndSums)
{
    Chain(1);
    w.nextFleetId = 7;
    cFlota* f = Fleet(1, us);
    f->formation = 1;
    cJednostkaMorska* a = Ship(f, 41, 4);
    cJednostkaMorska* b = Ship(f, 42, 2);
    cJednostkaMorska* c = Ship(f, 43, 1);
    a->m_AiSeaZone = 3;
    b->m_AiSeaZone = 5;
    c->m_AiSeaZone = 3;
    int zone = 0;
    EXPECT_FALSE(f->ShipsShareAssignedZone(zone));
    EXPECT_EQ(zone, 3);
    f->SelectShipsInZone(3);
    EXPECT_TRUE(a->m_Selected);
    EXPECT_FALSE(b->m_Selected);

    cFlota* g = cFlota::SplitFrom(*f);
    w.fleets.push_back(g);
    EXPECT_EQ(g->ID, 8);
    EXPECT_EQ(w.nextFleetId, 8);
    EXPECT_EQ(g->owner, us);
    EXPECT_EQ(g->formation, 1);
    EXPECT_TRUE(g->ships.empty());
    g->TakeSelectedShipsOf(*f);
    f->RemoveSelectedShips();
    EXPECT_EQ(g->ships, (std::list<cJednostkaMorska*>{a, c}));
    EXPECT_EQ(f->ships, (std::list<cJednostkaMorska*>{b}));
    EXPECT_EQ(a->m_Fleet, g);
    EXPECT_TRUE(g->ShipsShareAssignedZone());

    g->ClearShipSelection();
    c->m_Selected = true;
    g->TransferSelectedShips(*f);
    EXPECT_EQ(f->ships, (std::list<cJednostkaMorska*>{b, c}));
    EXPECT_EQ(c->m_Fleet, f);
    EXPECT_TRUE(c->m_Selected); // the selection stays

    EXPECT_EQ(f->SumMaxStrength(), 5.0f);
    EXPECT_EQ(f->SumStrengthAndUnassign(), 3.0f);
    EXPECT_EQ(b->m_AiSeaZone, -1);
    ClearLog();
    EXPECT_TRUE(f->ShipsShareAssignedZone());
    EXPECT_TRUE(LogContains(L"ERROR: Unexpected assignment of ship to seazone (-1)"));

    g_World.units.rollDamage = [](cJednostkaMorska* s) { return s->m_HP * 10; };
    EXPECT_EQ(f->RollDamage(), 30);

    sDowodca weak{1, L"Weak", us, 2, 3}, strong{2, L"Strong", us, 2, 8}, equal{3, L"Equal", us, 2, 8};
    EXPECT_EQ(f->GetBestCommander(), nullptr);
    b->m_Commander = &weak;
    c->m_Commander = &strong;
    a->m_Commander = &equal;
    f->ships.push_back(a);
    EXPECT_EQ(f->GetBestCommander(), &strong); // the first of equals
    f->ships.pop_back();

    int deleted = 0;
    g_World.hooks.fleetDeleted = [&deleted](cFlota&) { ++deleted; };
    g->Delete();
    EXPECT_EQ(deleted, 1);
    EXPECT_EQ(w.fleets.size(), 1u);
}

class cFleetTargets : public cFleets
{
protected:
    void SetUp() override
    {
        cFleets::SetUp();
        // Zone 1: sea in columns 0 and 1; zone 2: sea in column 11.
        for (int y = 0; y < 12; ++y)
            for (int x = 2; x < 11; ++x)
                w.Land(x, y, us);
        for (int y = 0; y < 12; ++y)
        {
            w.Hex(0, y).seaZone = 1;
            w.Hex(1, y).seaZone = 1;
            w.Hex(11, y).seaZone = 2;
        }
        w.Hex(2, 5).seaZone = 1; // two coastal hexes of zone 1
        w.Hex(2, 6).seaZone = 1;
        w.map->BuildSeaZoneHexSets();
        w.AddSeaNode(0, 0, 5); // 1
        w.AddSeaNode(0, 11, 5); // 2
        w.AddSeaNode(0, 0, 0); // 3
        w.Edge(1, 2);
        w.Edge(1, 3);
        fleet = Fleet(1, us);
        w.countries[size_t(us - 1)]->TechLevel[TECH_AIRCRAFT] = 2;
        g_World.consts.aircraftRangeFactor[2] = 1.5f;
        g_World.consts.shoreBombardmentRange = 3; // 4.5: four hexes
        g_World.consts.carrierStrikeRange = 2;    // 3 hexes
    }
    cFlota* fleet = nullptr;
};

TEST_F(cFleetTargets, ShoreBombardmentReachesFourHexesOfVisibleUnbombardedEnemies)
{
    units.Put(6, 5, enemy, true);  // four from (2, 5)
    units.Put(7, 5, enemy, true);  // five: out of range
    units.Put(5, 5, enemy, false); // not seen
    cJednostkaLadowa* hit = units.Put(4, 5, enemy, true);
    hit->m_ShoreBombardmentEffect = 0.005f;      // below 0.01: still a target
    cJednostkaLadowa* weakened = units.Put(3, 5, enemy, true);
    weakened->m_ShoreBombardmentEffect = 0.2f;   // bombarded in this impulse
    units.Put(6, 6, ally, true);
    cJednostkaLotnicza plane; // an enemy air unit in range: no land unit to shell
    plane.m_Owner = enemy;
    plane.m_Spotted = true;
    w.Hex(5, 6).unit = &plane;
    EXPECT_EQ(fleet->MarkShoreBombardmentTargets(false), 4); // both targets seen from both coastal hexes
    EXPECT_EQ(w.map->GetMarkedHexes().size(), 0u);
    EXPECT_EQ(fleet->MarkShoreBombardmentTargets(true), 2);
    EXPECT_TRUE(w.Hex(6, 5).marks & MARK_ATTACK_TARGET);
    EXPECT_TRUE(w.Hex(4, 5).marks & MARK_ATTACK_TARGET);
    EXPECT_FALSE(w.Hex(7, 5).marks & MARK_ATTACK_TARGET);
    EXPECT_FALSE(w.Hex(3, 5).marks & MARK_ATTACK_TARGET);
    EXPECT_FALSE(w.Hex(5, 6).marks & MARK_ATTACK_TARGET);
    // A hex that still carries the mark is not counted again.
    EXPECT_EQ(fleet->MarkShoreBombardmentTargets(false), 0);
    w.Hex(5, 6).unit = nullptr;
}

TEST_F(cFleetTargets, AttackTargetsIncludeEnemyCitiesAndZonesWithSpottedShips)
{
    w.AddCity(L"Fort", 4, 5, CITY_NORMAL, enemy);
    for (int x = 2; x < 11; ++x)
        w.Hex(x, 5).controller = uint8_t(x == 4 ? enemy : us);
    units.Put(3, 6, enemy, true);
    w.sea.Nodes[0].EnemyCounts[1] = 1; // the fleet's own zone
    EXPECT_EQ(fleet->MarkAttackTargets(true), 3);
    EXPECT_TRUE(w.Hex(4, 5).marks & MARK_ATTACK_TARGET);
    EXPECT_TRUE(w.Hex(0, 3).marks & MARK_SEA_ZONE);
    EXPECT_FALSE(w.Hex(11, 3).marks & MARK_SEA_ZONE);
    // The attack marks share their bit with shore bombardment: marked hexes are not counted.
    EXPECT_EQ(fleet->MarkShoreBombardmentTargets(false), 0);
    w.map->ClearMarks(~uint32_t(MARK_SELECTED), true);
    EXPECT_EQ(fleet->MarkShoreBombardmentTargets(false), 2); // the unit, seen from two coasts; never the city
}

TEST_F(cFleetTargets, ReconCountsEveryNeighbourZoneAndNeverItsOwn)
{
    w.sea.Nodes[0].EnemyCounts[0] = 2;
    g_World.consts.carrierStrikeRange = 0; // range 0: only the coastal hexes themselves
    const int count = fleet->MarkReconTargets(true);
    EXPECT_EQ(count, 2 + 2); // two coastal hexes, two neighbouring zones
    EXPECT_TRUE(w.Hex(0, 7).marks & MARK_SEA_ZONE); // own zone shown
    EXPECT_TRUE(w.Hex(11, 7).marks & MARK_SEA_ZONE);
    EXPECT_TRUE(w.Hex(2, 5).marks & MARK_RECON_TARGET);
}

TEST_F(cFleetTargets, ReachableZonesAreMarkedOnTheirDisplayHexes)
{
    w.Hex(0, 5).SetMark(MARK_SEA_ZONE, -1);
    fleet->MarkReachableZones();
    EXPECT_FALSE(w.Hex(0, 6).marks & MARK_SEA_ZONE);
    EXPECT_TRUE(w.Hex(0, 5).marks & MARK_REACHABLE_SEA_NODE);
    EXPECT_TRUE(w.Hex(11, 5).marks & MARK_REACHABLE_SEA_NODE);
    EXPECT_TRUE(w.Hex(0, 0).marks & MARK_REACHABLE_SEA_NODE);
}
