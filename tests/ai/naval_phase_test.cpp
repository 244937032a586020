// The computer's fleets: whether an invasion zone is safe by the naval strength seen
// around it, and free fleets split and sent to patrol the zones the country guards.
#include <gtest/gtest.h>

#include <algorithm>

#include "core/random.h"
#include "tests/ai/ai_test_game.h"
#include "tests/test_support.h"
#include "game/reports.h"
#include "units/air_unit.h"
#include "units/naval_unit.h"
#include "world/fleet.h"
#include "world/hex_geometry.h"
#include "world/sea_graph.h"

namespace ai_tests {
namespace {

class AINavalPhase : public cAIGame
{
protected:
    AINavalPhase()
    {
        sGameConsts& k = game->m_Consts;
        k.AIFriendlyShipChance = k.AIEnemyShipChance = 100;  // every ship is seen
        // Bombardment values: battleships 10, cruisers 5, every other ship 0.
        for (int t = 0; t < 6; ++t)
            k.ShipStrengthA[t] = k.ShipStrengthB[t] = 0;
        k.ShipStrengthA[1] = k.ShipStrengthB[1] = 10;
        k.ShipStrengthA[2] = k.ShipStrengthB[2] = 5;
        for (cPanstwo* country : game->m_Countries)
            country->TechLevel[TECH_NAVY] = country->TechLevel[TECH_SUBMARINES] = 6;
    }
    cJednostkaMorska* AddShip(int owner, int type, cFlota* fleet)
    {
        auto* ship = new cJednostkaMorska();
        ship->m_Id = ++game->m_NextIds.navalUnit;
        ship->m_Owner = owner;
        ship->SetType(type);
        ship->m_HP = ship->m_MaxHP = 3;
        ship->m_Fleet = fleet;
        ship->m_FleetId = fleet->ID;
        fleet->ships.push_back(ship);
        game->m_NavalUnits.push_back(ship);
        return ship;
    }
    cFlota* Fleet(int id)
    {
        for (cFlota* fleet : game->m_Fleets)
            if (fleet->ID == id)
                return fleet;
        return nullptr;
    }
};

TEST_F(AINavalPhase, WithTheEnemyAtHalfTheStrengthThreeTransportsMakeTheZoneUnsafeAndTwoDoNot)
{
    cAI& ai = AIOf(kBorussia);
    // The North Sea holds Borussia's U-boats; Albion's Home Fleet lies one passage away
    // in the Channel: a carrier (0) and a battleship (10).
    cFlota* fleet = Fleet(4);
    ASSERT_EQ(fleet->seaNode, 1);
    EXPECT_TRUE(ai.AssessSeaZone(1) == false) << "enemy ships and no friendly strength: unsafe";
    sGameConsts& k = game->m_Consts;
    k.ShipStrengthA[1] = k.ShipStrengthB[1] = 0;
    EXPECT_FALSE(ai.AssessSeaZone(1)) << "nor when neither side shows any strength";
    k.ShipStrengthA[1] = k.ShipStrengthB[1] = 10;
    AddShip(kBorussia, UNIT_BATTLESHIP, fleet);
    AddShip(kBorussia, UNIT_BATTLESHIP, fleet);
    AddShip(kBorussia, UNIT_CARGO, fleet);
    AddShip(kBorussia, UNIT_AMPHIBIOUS, fleet);
    EXPECT_TRUE(ai.AssessSeaZone(1)) << "enemy 10 against 20 with two transports";
    AddShip(kBorussia, UNIT_CARGO, fleet);
    EXPECT_FALSE(ai.AssessSeaZone(1)) << "three transports";

    // One enemy ship or none approves even a zone of transports.
    Fleet(1)->ships.front()->m_Fleet = nullptr;
    EXPECT_TRUE(ai.AssessSeaZone(1));
    Fleet(1)->ships.front()->m_Fleet = Fleet(1);
}

TEST_F(AINavalPhase, BelowAThirdOfTheStrengthHalfTheShipsAsTransportsIsTooMany)
{
    cAI& ai = AIOf(kBorussia);
    cFlota* fleet = Fleet(4);
    for (int i = 0; i < 4; ++i)
        AddShip(kBorussia, UNIT_BATTLESHIP, fleet);  // 40 against 10
    for (int i = 0; i < 4; ++i)
        AddShip(kBorussia, UNIT_CARGO, fleet);
    EXPECT_TRUE(ai.AssessSeaZone(1)) << "4 transports of 9 ships (the U-boat counts)";
    AddShip(kBorussia, UNIT_AMPHIBIOUS, fleet);
    EXPECT_FALSE(ai.AssessSeaZone(1)) << "5 of 10";
}

// Each ship around a zone counts on a percent roll of at most its side's chance. In the
// North Sea Borussia has the U-boat; Albion's carrier and battleship lie a passage away.
TEST_F(AINavalPhase, AShipAroundAZoneCountsOnAPercentRollOfAtMostTheChance)
{
    AIOf(kBorussia);
    sGameConsts& k = game->m_Consts;
    std::vector<cJednostkaMorska*> friendly, enemy;
    int transports = 0;
    const struct
    {
        int chance, raw; // raw 0 rolls 1, 328 rolls 2, 32767 rolls 100
        bool counted;
    } cases[] = {{1, 0, true}, {1, 328, false}, {99, 32767, false}, {100, 32767, true}};
    for (const auto& c : cases)
    {
        k.AIFriendlyShipChance = k.AIEnemyShipChance = c.chance;
        ScriptRandomRaw({c.raw, c.raw, c.raw});
        game->SumFriendlyNavalStrengthInSeaZone(kBorussia, 1, friendly, transports);
        game->SumEnemyNavalStrengthNearSeaZone(kBorussia, 1, enemy);
        EXPECT_EQ(friendly.size(), c.counted ? 1u : 0u) << c.chance << " " << c.raw;
        EXPECT_EQ(enemy.size(), c.counted ? 2u : 0u) << c.chance << " " << c.raw;
    }
    ClearRandomScript();
}

TEST_F(AINavalPhase, FreeShipsAreSharedOutOverThePatrolZonesAndTheirFleetsSplit)
{
    cAI& ai = AIOf(kBorussia);
    sAIParameters& parameters = game->m_Countries[kBorussia - 1]->AIParameters;
    // Bismarck 6, Hipper 3 and Landungsflotte 1 at Hamburgum; U-47 2 in the North Sea.
    parameters.SeaZonesToPatrol = {{1, 0}, {3, 1}};
    ai.PatrolSeaZones();
    EXPECT_EQ(game->FindNavalUnitById(4)->m_AiSeaZone, 1) << "6 is exactly the share of 12 / 2";
    EXPECT_EQ(game->FindNavalUnitById(5)->m_AiSeaZone, 1) << "the ship that goes over the share is the zone's last";
    EXPECT_EQ(game->FindNavalUnitById(6)->m_AiSeaZone, 3);
    EXPECT_EQ(game->FindNavalUnitById(7)->m_AiSeaZone, 3);
    const cFlota* home = game->FindNavalUnitById(4)->m_Fleet;
    const cFlota* split = game->FindNavalUnitById(7)->m_Fleet;
    ASSERT_NE(home, split);
    EXPECT_EQ(home->aiOrder, 5);
    EXPECT_EQ(home->aiDestination, 1);
    EXPECT_EQ(home->formation, 0);
    EXPECT_EQ(split->aiOrder, 5);
    EXPECT_EQ(split->aiDestination, 3);
    EXPECT_EQ(split->formation, 1);
    EXPECT_EQ(home->ships.size(), 2u);

    // Each zone's sum starts again from nought: with Bismarck at 9 of 15 Hipper and U-47 make
    // exactly the share of 5, and the landing ships go over it in the second zone.
    parameters.SeaZonesToPatrol = {{1, 0}, {3, 1}, {2, 0}};
    game->FindNavalUnitById(4)->m_HP = game->FindNavalUnitById(4)->m_MaxHP = 9;
    ai.PatrolSeaZones();
    EXPECT_EQ(game->FindNavalUnitById(6)->m_AiSeaZone, 3);
    EXPECT_EQ(game->FindNavalUnitById(7)->m_AiSeaZone, 3);

    parameters.SeaZonesToPatrol.clear();
    ai.PatrolSeaZones();
    for (const cFlota* fleet : game->m_Fleets)
    {
        if (fleet->owner == kBorussia)
        {
            EXPECT_EQ(fleet->aiOrder, 0) << "no zone to patrol: every patrol ends";
        }
    }
}

TEST_F(AINavalPhase, ACarrierSeesTheShipsInAnEnemyPortAndStrikesTheKindItRanksHighest)
{
    cAI& ai = AIOf(kAlbion);
    // The Home Fleet's carrier sails to the North Sea, next to Hamburgum where the
    // Hochseeflotte lies; U-47 shares its zone.
    cFlota& home = *Fleet(1);
    home.seaNode = 1;
    cJednostkaMorska& arkRoyal = *game->FindNavalUnitById(1);
    arkRoyal.m_HP = arkRoyal.m_MaxHP = 50;  // the ships' guns never sink it here
    const sWezelGrafuMorz& hamburgum = *game->m_SeaGraph->GetNode(5);
    ASSERT_EQ(hamburgum.Kind, SEA_NODE_PORT);
    std::vector<std::pair<int, int>> hexes;
    std::vector<int> nodes;
    auto targets = [&](int kind) {
        ai.CollectCarrierTargets(home, hexes, nodes, kind);
        return std::pair(hexes, nodes);
    };
    using Targets = std::pair<std::vector<std::pair<int, int>>, std::vector<int>>;
    EXPECT_EQ(targets(1), Targets({}, {5})) << "a port of enemy ships with nobody on its hex";
    EXPECT_EQ(targets(4), Targets({}, {5}));
    EXPECT_EQ(targets(3), Targets({}, {1})) << "the U-boat in the carrier's own zone";
    home.seaNode = 2;
    EXPECT_EQ(targets(4), Targets({}, {1})) << "the U-boat alone a passage away";
    home.seaNode = 1;
    EXPECT_EQ(targets(0), Targets());
    EXPECT_EQ(targets(2), Targets()) << "the port holds ships";
    EXPECT_TRUE(g_HideForeignShipsInPorts) << "the map goes on hiding them";

    cJednostkaLadowa& mech = *LandUnit(8);
    mech.SetPosition(8, 2);
    mech.m_Spotted = true;
    EXPECT_EQ(targets(0), Targets({{8, 2}}, {})) << "ships in the port and an enemy seen on its hex";
    EXPECT_EQ(targets(1), Targets());
    EXPECT_EQ(targets(2), Targets());
    Fleet(3)->seaNode = 3;
    EXPECT_EQ(targets(2), Targets({}, {5})) << "the port is empty: its hex's unit is the target";
    EXPECT_EQ(targets(0), Targets());
    mech.SetPosition(8, 3);
    EXPECT_EQ(targets(1), Targets()) << "an empty port with nobody on its hex";
    Fleet(3)->seaNode = 5;
    sWezelGrafuMorz& port = *game->m_SeaGraph->GetNode(5);
    port.MainX = -1;
    EXPECT_EQ(targets(4), Targets()) << "a node without a hex on the map is passed over";
    port.MainX = 8;

    // Kinds 3 and 4 rank first and alike: the earlier kind, the carrier's own zone, is struck.
    int* priorities = game->m_Countries[kAlbion - 1]->AIParameters.CarrierTargetsPriorities;
    std::fill(priorities, priorities + 9, 0);
    priorities[3] = priorities[4] = 5;
    auto strikesOn = [&](const std::wstring& zone) {
        int n = 0;
        const std::wstring heading = L"HMS Ark Royal (Albion) attacked " + zone + L"\n\n";
        for (const sRaport& report : game->m_Reports->GetReports())
            n += report.kind == 16 && report.countryKey == kAlbion && report.text.rfind(heading, 0) == 0 ? 1 : 0;
        return n;
    };
    ai.CarrierStrikes();
    EXPECT_EQ(strikesOn(L"North Sea"), 1);
    EXPECT_TRUE(arkRoyal.m_AirstrikeDone);
    ai.CarrierStrikes();
    EXPECT_EQ(strikesOn(L"North Sea"), 1) << "one strike a phase";

    priorities[3] = 0;
    arkRoyal.m_AirstrikeDone = false;
    arkRoyal.m_HP = game->m_Consts.CarrierHitPointsForAir - 1;
    ai.CarrierStrikes();
    EXPECT_FALSE(arkRoyal.m_AirstrikeDone) << "too weak to fly its planes";
    arkRoyal.m_HP = game->m_Consts.CarrierHitPointsForAir = 50; // just strong enough
    ai.CarrierStrikes();
    EXPECT_EQ(strikesOn(hamburgum.Name), 1) << "the ships in port";
}

// On the coast of its zone a carrier strikes air or land units in an enemy city, seen or
// not, and outside cities only the enemy's units it has seen.
TEST_F(AINavalPhase, ACarrierFindsTheCoastsTargetsByCityAndByWhatItHasSeen)
{
    cAI& ai = AIOf(kAlbion);
    cFlota& home = *Fleet(1);
    home.seaNode = 1;
    cMapa& map = Map();
    // Hamburgum: the mechanised corps; Berolina: bombers; outside the cities bombers seen,
    // paratroops unseen and armour seen.
    const struct
    {
        int x, y;
        cUnit* unit;
        bool spotted;
    } coast[] = {{8, 2, LandUnit(8), true},
                 {12, 2, LandUnit(4), true},
                 {11, 3, game->FindAirUnitById(2), false},
                 {9, 2, game->FindAirUnitById(3), true},
                 {10, 2, LandUnit(6), false}};
    for (const auto& c : coast)
    {
        map.GetHex(c.x, c.y)->seaZone = 1;
        c.unit->SetPosition(c.x, c.y);
        ASSERT_EQ(map.GetHex(c.x, c.y)->unit, c.unit);
        c.unit->m_Spotted = c.spotted;
    }
    map.BuildSeaZoneHexSets();
    using Hexes = std::vector<std::pair<int, int>>;
    const std::pair<int, Hexes> cases[] = {{5, {{11, 3}}}, {6, {{9, 2}}}, {7, {{8, 2}}}, {8, {{12, 2}}}};
    std::vector<std::pair<int, int>> hexes;
    std::vector<int> nodes;
    for (const auto& [kind, expected] : cases)
    {
        ai.CollectCarrierTargets(home, hexes, nodes, kind);
        EXPECT_EQ(hexes, expected) << kind;
        EXPECT_TRUE(nodes.empty()) << kind;
    }
}

TEST_F(AINavalPhase, ATransportPutsItsUnitAshoreAtItsPortAndAnInvasionAtSeaDrawsTheFreeFleetsAsEscorts)
{
    // Albion's transport carries the 2nd Infantry Corps from Dover to allied Valdo; its
    // carrier stays on deck, whatever the dice earlier tests left.
    game->m_Consts.CarrierHitPointsForAir = 100;
    cFlota& transports = *Fleet(2);
    transports.aiOrder = 3;
    transports.aiDestination = 6;
    AIOf(kAlbion).RunNavalPhase();
    EXPECT_EQ(Fleet(2), nullptr) << "its last ship unloaded, the fleet is gone";
    EXPECT_EQ(game->FindNavalUnitById(3), nullptr);
    const cJednostkaLadowa* corps = game->FindLandUnitById(2);
    ASSERT_NE(corps, nullptr) << "ashore";
    EXPECT_LE(HexDistance(corps->m_X, corps->m_Y, 7, 6), 1) << "at Valdo";

    // The Hochseeflotte sails to invade by the North Sea, where the Royal Navy is too
    // strong to land: the U-boats escort it, a fleet on an order from elsewhere does not.
    for (int i = 0; i < 3; ++i)
        AddShip(kAlbion, UNIT_BATTLESHIP, Fleet(1));
    Fleet(3)->aiOrder = 2;
    Fleet(3)->aiDestination = 1;
    Fleet(4)->seaNode = 2;
    cFlota* elsewhere = cFlota::SplitFrom(*Fleet(3));
    game->m_Fleets.push_back(elsewhere);
    AddShip(kBorussia, UNIT_CRUISER, elsewhere);
    elsewhere->aiOrder = 1;
    // A second invasion fleet is already there; an escort behind Valdonia's strait cannot
    // reach the zone and stays an escort.
    auto fleetOfOne = [&](int node, int order) {
        cFlota* fleet = cFlota::SplitFrom(*Fleet(3));
        game->m_Fleets.push_back(fleet);
        AddShip(kBorussia, UNIT_SUBMARINE, fleet);
        fleet->seaNode = node;
        fleet->aiOrder = order;
        fleet->aiDestination = 1;
        return fleet;
    };
    cFlota* arrived = fleetOfOne(1, 2);
    cFlota* cutOff = fleetOfOne(3, 4);
    AIOf(kBorussia).RunNavalPhase();
    EXPECT_EQ(cutOff->aiOrder, 4);
    EXPECT_EQ(Fleet(3)->seaNode, 1);
    EXPECT_EQ(Fleet(4)->aiOrder, 4);
    EXPECT_EQ(Fleet(4)->aiDestination, 1);
    EXPECT_EQ(Fleet(4)->seaNode, 1) << "escorts go where the invasion goes";
    EXPECT_EQ(elsewhere->aiOrder, 1);
    EXPECT_EQ(elsewhere->seaNode, 5);

    // The invasion gives up: its escorts do not wait for it in the North Sea for ever.
    Fleet(3)->aiOrder = arrived->aiOrder = 0;
    Fleet(4)->movedThisTurn = 0;
    AIOf(kBorussia).RunNavalPhase();
    EXPECT_EQ(Fleet(4)->aiOrder, 0);
    EXPECT_EQ(elsewhere->aiOrder, 1);
    // The fleet sent from elsewhere lands where it lies and keeps its order.
    elsewhere->aiDestination = elsewhere->seaNode;
    elsewhere->aiInvasionX = 8;
    elsewhere->aiInvasionY = 3;
    AIOf(kBorussia).RunNavalPhase();
    EXPECT_EQ(elsewhere->aiOrder, 1);
}

TEST_F(AINavalPhase, WarshipsThatSailedWithAConvoyPatrolOnceItsUnitsAreAshore)
{
    // A cruiser deployed at Dover joined Albion's transport to Valdo; Albion guards zone 1.
    game->m_Consts.CarrierHitPointsForAir = 100;
    game->m_Countries[kAlbion - 1]->AIParameters.SeaZonesToPatrol = {{1, 0}};
    cFlota& transports = *Fleet(2);
    transports.aiOrder = 3;
    transports.aiDestination = 6;
    AddShip(kAlbion, UNIT_CRUISER, &transports);
    AIOf(kAlbion).RunNavalPhase();
    ASSERT_EQ(Fleet(2), &transports) << "the cruiser keeps the fleet";
    EXPECT_EQ(transports.ships.size(), 1u) << "the cargo ship is gone with its corps ashore";
    EXPECT_EQ(transports.aiOrder, 5) << "no convoy left to keep it in port";
    EXPECT_EQ(transports.aiDestination, 1);
}

TEST_F(AINavalPhase, AFleetWhoseRouteIsClosedPutsInAtAPortItCanReachInsteadOfAskingEveryTurn)
{
    // Albion's transport is bound for Hamburgum, an enemy port no route leads into: the
    // corps goes ashore at Dover, where the fleet lies. Its carrier stays on deck, so that
    // the dice left by earlier tests never sink the U-boats this test sails.
    game->m_Consts.CarrierHitPointsForAir = 100;
    cFlota& transports = *Fleet(2);
    transports.aiOrder = 3;
    transports.aiDestination = 5;
    // The Home Fleet in the Channel, bound to invade there too, has Dover and Valdo as near:
    // it puts in at the first.
    Fleet(1)->aiOrder = 2;
    Fleet(1)->aiDestination = 5;
    testing_support::ClearLog();
    AIOf(kAlbion).RunNavalPhase();
    EXPECT_EQ(Fleet(2), nullptr);
    const cJednostkaLadowa* corps = game->FindLandUnitById(2);
    ASSERT_NE(corps, nullptr) << "ashore";
    EXPECT_LE(HexDistance(corps->m_X, corps->m_Y, 3, 3), 1) << "at Dover";
    EXPECT_EQ(Fleet(1)->seaNode, 4);

    // The U-boats at sea were to land in Albion's port: they turn for Hamburgum, their own,
    // passing over Valdo, a port nobody holds now, and are free there with nothing to land.
    game->m_Mapa->GetHex(7, 6)->controller = 0;
    cFlota& uboats = *Fleet(4);
    uboats.aiOrder = 2;
    uboats.aiDestination = 4;
    AIOf(kBorussia).RunNavalPhase();
    EXPECT_EQ(uboats.aiOrder, 0);
    EXPECT_EQ(uboats.aiDestination, 5);
    EXPECT_EQ(uboats.seaNode, 5);
    EXPECT_FALSE(testing_support::LogStartsWith(L"WARNING: fleet ")) << "no fleet asked for the closed route";

    // Bound for Dover from the Southern Sea behind Valdonia's strait, they find no port and
    // wait; once the strait is Borussia's they make for Hamburgum.
    uboats.seaNode = 3;
    uboats.movedThisTurn = 0;
    uboats.aiOrder = 2;
    uboats.aiDestination = 4;
    AIOf(kBorussia).RunNavalPhase();
    EXPECT_EQ(uboats.aiDestination, -1);
    EXPECT_EQ(uboats.seaNode, 3);
    Map().GetHex(6, 6)->controller = kBorussia;
    uboats.movedThisTurn = 0;
    AIOf(kBorussia).RunNavalPhase();
    EXPECT_EQ(uboats.aiDestination, 5);
    EXPECT_EQ(uboats.seaNode, 5);
}

TEST_F(AINavalPhase, SeaTransportToFrontsNeedsASecondPortAndItsPointsAndAsksForThemOnce)
{
    cAI& ai = AIOf(kBorussia);
    ai.BuildUnitLists();
    ai.EvaluateNodeStrengths();
    ai.UpdateFronts();
    ai.SumFrontStrengths();
    ASSERT_FALSE(ai.m_Fronts.empty());
    for (cJednostkaLadowa* unit : ai.m_OwnLandUnits)
        unit->m_AiOrder = 0;
    ai.TransportUnitsToFrontsBySea();
    EXPECT_TRUE(testing_support::LogContains(L"No own idle land units (idle = no order). Aborting procedure."));

    // Hamburgum, the one Borussian port, serves the front but has no other port to sail
    // from; two units wait next to it without the points for a passage.
    cPanstwo& borussia = *game->m_Countries[kBorussia - 1];
    cJednostkaLadowa& idle = *LandUnit(4);
    idle.m_AiOrder = 3;
    cJednostkaLadowa& mech = *LandUnit(8);       // (8,3), by Hamburgum
    cJednostkaLadowa& paratroops = *LandUnit(6);
    paratroops.SetPosition(9, 2);
    for (cJednostkaLadowa* unit : {&mech, &paratroops})
    {
        unit->m_AiOrder = 11;
        unit->m_ActionPoints = 1;
    }
    for (int& cost : game->m_Consts.SeaTransportCost)
        cost = 5;
    borussia.STP = 4;
    borussia.AIParameters.PurchaseQueue = {2, 1, 3, 1};
    ai.TransportUnitsToFrontsBySea();
    EXPECT_EQ(idle.m_AiOrder, 3) << "no port with a sea road to a front port";
    EXPECT_EQ(mech.m_AiOrder, 11);
    EXPECT_EQ(paratroops.m_AiOrder, 11);
    EXPECT_EQ(borussia.AIParameters.PurchaseQueue, (std::list<int>{1, 2, 3}));

    borussia.STP = 5;
    ai.TransportUnitsToFrontsBySea();
    // The points pay for one passage: one unit sails for the front's port, the other waits.
    cJednostkaLadowa& aboard = paratroops.m_Transporter ? paratroops : mech;
    cJednostkaLadowa& waiting = &aboard == &mech ? paratroops : mech;
    ASSERT_NE(aboard.m_Transporter, nullptr);
    ASSERT_NE(aboard.m_Transporter->m_Fleet, nullptr);
    EXPECT_EQ(aboard.m_Transporter->m_Type, UNIT_CARGO);
    EXPECT_EQ(aboard.m_Transporter->m_Fleet->aiOrder, 3);
    EXPECT_EQ(aboard.m_Transporter->m_Fleet->aiDestination, 5) << "Hamburgum serves the front";
    EXPECT_EQ(game->FindLandUnitById(aboard.m_Id), nullptr);
    EXPECT_TRUE(std::find(ai.m_OwnLandUnits.begin(), ai.m_OwnLandUnits.end(), &aboard) == ai.m_OwnLandUnits.end());
    EXPECT_EQ(waiting.m_Transporter, nullptr);
    EXPECT_EQ(waiting.m_AiOrder, 11);
    EXPECT_EQ(borussia.STP, 0);
}

// Albion's one front is at Valdo, which Dover reaches by sea: the Guards in London go to
// Dover by a strategic move, a city away; from Dover itself they sail at once.
TEST_F(AINavalPhase, AnIdleUnitTakesTheStrategicMoveToItsEmbarkationPortAndSailsFromThere)
{
    cAI& ai = AIOf(kAlbion);
    cPanstwo& albion = *game->m_Countries[kAlbion - 1];
    game->m_Consts.StrategicMoveCost[0] = 2;
    albion.STP = 100;
    const int smp = albion.SMP;
    ai.BuildUnitLists();
    ai.EvaluateNodeStrengths();
    ai.UpdateFronts();
    ai.SumFrontStrengths();
    cJednostkaLadowa& guards = *LandUnit(1);
    guards.m_AiOrder = 3;
    ai.TransportUnitsToFrontsBySea();
    EXPECT_EQ(guards.m_AiOrder, 10);
    EXPECT_EQ(std::pair(guards.m_AiTargetX, guards.m_AiTargetY), std::pair(3, 3));
    EXPECT_EQ(std::pair(guards.m_X, guards.m_Y), std::pair(3, 3));
    EXPECT_EQ(albion.SMP, smp - 2);

    guards.m_AiOrder = 3;
    guards.m_ActionPoints = guards.m_StartingActionPoints;
    ai.TransportUnitsToFrontsBySea();
    ASSERT_NE(guards.m_Transporter, nullptr);
    EXPECT_EQ(guards.m_Transporter->m_Fleet->aiDestination, 6) << "bound for Valdo";
}

} // namespace
} // namespace ai_tests
