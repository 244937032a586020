// Air attacks and nuclear hits on Testland's ports: port size, ships hit and sunk, reports.
#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <functional>

#include "core/random.h"
#include "tests/units/naval_testland.h"
#include "units/air_unit.h"
#include "units/combat_result.h"
#include "world/city.h"
#include "world/convoy_execution.h"
#include "world/convoys.h"
#include "world/diplomacy.h"

using namespace naval_tests;

namespace {

class PortBombardment : public NavalTestland
{
protected:
    PortBombardment()
    {
        Consts().AirCommanderChances[2] = 0;  // no commander's help in finding ships
        for (int& v : Consts().PortBombHit)
            v = 0;
    }
    cJednostkaLotnicza& Air(int id) { return *game->FindAirUnitById(id); }
    sCombatResult result;
};

} // namespace

TEST_F(PortBombardment, APortOfSizeOneNeverShrinksAndALargerOneLosesOneStep)
{
    Consts().PortDamageFactors[0] = 50;  // Albion's aircraft 3: chance 150, cut to 100
    Consts().PortDamageFactors[1] = 0;
    sWezelGrafuMorz& hamburgum = Node(kHamburgumPort);
    hamburgum.SizeCurrent = 1;
    ScriptRandomRaw({RawFor(1, 1, 100)});
    hamburgum.Bombard(&result, &Air(1), 8, 2);
    EXPECT_EQ(hamburgum.SizeCurrent, 1);
    EXPECT_FALSE(result.portAffected);

    hamburgum.SizeCurrent = 2;
    ScriptRandomRaw({RawFor(1, 1, 100)});
    hamburgum.Bombard(&result, &Air(1), 8, 2);
    EXPECT_EQ(hamburgum.SizeCurrent, 1);
    EXPECT_TRUE(result.portAffected);
    EXPECT_NE(result.defenderInfo.find(L"Port Hamburgum (Borussia): size 2/4 before the attack, 1/4 after it."),
              std::wstring::npos);
    EXPECT_EQ(Reports(16, kAlbion), 2);
    EXPECT_EQ(Reports(16, kBorussia), 0);  // no ship of Borussia's was hit
}

TEST_F(PortBombardment, ThePortsChanceIsAircraftLessArtilleryAndEachShipHitSparesTheNextAQuarter)
{
    Consts().PortDamageFactors[0] = 10;
    Consts().PortDamageFactors[1] = 5;
    Consts().ShipSecondHitChance = Consts().ShipSunkChance = 0;
    Consts().PortBombHit[0] = 40; // a ship in sight
    Consts().PortBombHit[1] = 20; // one unseen
    Consts().PortBombHit[2] = 5;  // per hit point
    Consts().PortBombHit[3] = 50; // a strategic bomber's share, percent
    Country(kAlbion).TechLevel[TECH_AIRCRAFT] = 3;
    Country(kBorussia).TechLevel[TECH_ARTILLERY] = 2;
    // Hamburgum's Bismarck (in sight), Hipper (unseen) and Landungsflotte (in sight), 10 hit
    // points each: chances 90, 70 and 90 before the quarters of those hit before them.
    const int seen[3] = {1, 0, 1};
    const struct
    {
        int portRoll, shipRolls[3], size, hit[3];
    } cases[] = {
        {19, {89, 46, 65}, 2, {1, 1, 1}}, // port 30 - 10; Hipper 70 - 90 / 4; Landungsflotte 90 - 2 x 47 / 4
        {20, {90, 69, 71}, 3, {0, 1, 1}}, // Hipper 70; Landungsflotte 90 - 70 / 4
        {20, {89, 47, 77}, 3, {1, 0, 1}}, // Landungsflotte 90 - 47 / 4
        {20, {90, 70, 89}, 3, {0, 0, 1}},
    };
    for (const auto& c : cases) {
        Node(kHamburgumPort).SizeCurrent = 3;
        for (int id = 4, i = 0; i < 3; id = i == 0 ? 5 : 7, ++i) {
            Ship(id).m_HP = Ship(id).m_MaxHP = 10;
            Ship(id).m_Spotted = seen[i] != 0;
        }
        ClearRandomScript();
        ScriptRandomRaw({RawFor(c.portRoll, 1, 100), RawFor(c.shipRolls[0], 1, 100), RawFor(c.shipRolls[1], 1, 100),
                         RawFor(c.shipRolls[2], 1, 100)});
        Air(1).m_Strength = 10; // the ships' fire never downs it before the last is hit
        sCombatResult r;
        Node(kHamburgumPort).Bombard(&r, &Air(1), 8, 2);
        EXPECT_EQ(Node(kHamburgumPort).SizeCurrent, c.size) << c.portRoll;
        // Without a record or an attacker nothing is bombed.
        Node(kHamburgumPort).Bombard(nullptr, &Air(1), 8, 2);
        Node(kHamburgumPort).Bombard(&r, nullptr, 8, 2);
        EXPECT_EQ(Node(kHamburgumPort).SizeCurrent, c.size);
        EXPECT_EQ(std::vector<int>({10 - Ship(4).m_HP, 10 - Ship(5).m_HP, 10 - Ship(7).m_HP}),
                  std::vector<int>(std::begin(c.hit), std::end(c.hit)))
            << c.shipRolls[0] << " " << c.shipRolls[1] << " " << c.shipRolls[2];
    }

    // The strategic bomber's share of Transport Anna's 40 + 10 x 5.
    Ship(3).m_HP = Ship(3).m_MaxHP = 10;
    Ship(3).m_Spotted = true;
    for (const int roll : {45, 44}) {
        ClearRandomScript();
        ScriptRandomRaw({RawFor(100, 1, 100), RawFor(roll, 1, 100)});
        sCombatResult r;
        Node(kDoverPort).Bombard(&r, &Air(3), 3, 3);
    }
    EXPECT_EQ(Ship(3).m_HP, 9);
}

TEST_F(PortBombardment, ASunkTransportTakesItsCargoDownAndEveryoneHitIsTold)
{
    Consts().PortBombHit[0] = Consts().PortBombHit[1] = 100;
    Consts().PortBombHit[3] = 100;
    // No port damage, Transport Anna hit (1 hit point: sunk), no return fire.
    ScriptRandomRaw({RawFor(50, 1, 100), RawFor(1, 1, 100), RawFor(50, 0, 100)});
    Node(kDoverPort).Bombard(&result, &Air(2), 3, 3);
    EXPECT_EQ(game->FindNavalUnitById(3), nullptr);
    EXPECT_TRUE(game->m_LandUnits2.empty());  // unit 2 went down with it
    EXPECT_TRUE(result.navalDefenderKilled);
    EXPECT_TRUE(result.defenderKilled);
    // The division aboard is named wherever the ship's loss is told.
    EXPECT_NE(result.defenderInfo.find(L"\nTransport Anna destroyed!\nLost with it: 2nd Infantry Corps\n"),
              std::wstring::npos);
    EXPECT_EQ(Reports(33, kAlbion), 1);
    EXPECT_EQ(LastReport(33, kAlbion).rfind(L"Transport Anna with 2nd Infantry Corps aboard\nDover Transports;", 0),
              0u);
    EXPECT_EQ(Reports(16, kBorussia), 1);
    EXPECT_EQ(Reports(16, kAlbion), 1);
    EXPECT_NE(LastReport(16, kAlbion).find(L"Lost with it: 2nd Infantry Corps"), std::wstring::npos);
    for (const cFlota* f : game->m_Fleets)
        EXPECT_NE(f->name, L"Dover Transports");
}

TEST_F(PortBombardment, ANuclearHitOnAPortLeavesSizeOneAndMaySinkEveryShipThere)
{
    cMiasto* hamburgum = Hex(8, 2).city;
    ASSERT_NE(hamburgum, nullptr);
    ScriptRandomRaw({RawFor(1, 1, 100), RawFor(49, 1, 100), RawFor(1, 1, 100)});
    hamburgum->NuclearStrike(&result);
    EXPECT_EQ(Node(kHamburgumPort).SizeCurrent, 1);
    EXPECT_EQ(Node(kHamburgumPort).Kind, SEA_NODE_PORT);
    EXPECT_NE(result.defenderInfo.find(L" Hochseeflotte - Bismarck (Borussia)\n Hochseeflotte - Hipper (Borussia)\n "
                                       L"Hochseeflotte - Landungsflotte (Borussia)\n"),
              std::wstring::npos)
        << result.defenderInfo;
    EXPECT_EQ(Reports(33, kBorussia), 3);
    EXPECT_TRUE(result.defenderKilled); // the ships sunk in the port
    sCombatResult again;
    hamburgum->NuclearStrike(&again); // no ship is left there to sink
    EXPECT_FALSE(again.defenderKilled);
    EXPECT_EQ(game->FindNavalUnitById(4), nullptr);
    for (const cFlota* f : game->m_Fleets)
        EXPECT_NE(f->name, L"Hochseeflotte");
}

TEST_F(PortBombardment, ACarrierWithoutHitPointsLeftNeverIntercepts)
{
    Consts().CarrierHitPointsForAir = 0;
    Ship(1).m_HP = 0;
    EXPECT_EQ(Node(kChannel).FindInterceptor(kBorussia), nullptr);
    Ship(1).m_HP = 1;
    EXPECT_EQ(Node(kChannel).FindInterceptor(kBorussia), &Ship(1));
}

// A scenario's constants far beyond any sensible value: a chance becomes certain or impossible
// and a loss takes all there is, instead of a whole number the machine cannot hold.
TEST_F(PortBombardment, HugeConstantsMakeAChanceCertainOrImpossibleAndALossAllThereIs)
{
    const float huge = 1e30f;
    auto city = [this](int x, int y) { return Hex(x, y).city; };
    const struct
    {
        const char* what;
        std::function<void(sGameConsts&)> set;
        std::function<int()> run;
        int expected;
    } cases[] = {
        {"raid base chance", [&](sGameConsts& k) {
             std::fill_n(k.ConvoyRaiding, 5, 1.0f);
             k.ConvoyRaiding[0] = huge;
         },
         [] { return GetConvoyRaidChance(sConvoyResult{}); }, INT_MAX},
        {"raid factor", [&](sGameConsts& k) {
             k.ConvoyRaiding[0] = 50.0f;
             k.ConvoyRaiding[1] = huge;
         },
         [] { return GetConvoyRaidChance(sConvoyResult{}); }, INT_MAX},
        {"transport points per production point", [&](sGameConsts& k) { k.SupplyNeed[10] = huge; },
         [this] {
             game->m_Convoys->AddConvoy(kAlbion, CONVOY_PP, 40, 3, 3, 7, 6);
             return ExecuteConvoy(game->m_Convoys->Convoys[kAlbion - 1].back(), {}, {}).transportNeeded;
         },
         INT_MAX},
        {"coup points per strength", [&](sGameConsts& k) { k.Coup[2] = huge; }, [] { return CoupCost(kHelvetia); },
         INT_MAX},
        {"port damage per aircraft level", [](sGameConsts& k) { k.PortDamageFactors[0] = INT_MAX; },
         [this] {
             Node(kHamburgumPort).SizeCurrent = 3;
             ScriptRandomRaw({RawFor(99, 1, 100)});
             Node(kHamburgumPort).Bombard(&result, &Air(1), 8, 2);
             return Node(kHamburgumPort).SizeCurrent;
         },
         2},
        {"strategic bomber's hit factor", [](sGameConsts& k) {
             k.PortBombHit[0] = k.PortBombHit[1] = 100;
             k.PortBombHit[3] = INT_MAX;
         },
         [this] {
             ScriptRandomRaw({RawFor(100, 1, 100), RawFor(100, 1, 100)});
             Node(kDoverPort).Bombard(&result, &Air(3), 3, 3);
             return game->FindNavalUnitById(3) ? 1 : 0; // Transport Anna, 1 hit point, hit
         },
         0},
        {"strategic bomb damage", [](sGameConsts& k) {
             std::fill_n(k.StrategicBombDamage, 6, INT_MAX);
             std::fill_n(k.StrategicBombLevel, 5, INT_MAX);
         },
         [&] {
             city(2, 2)->StrategicBombard(&result, &Air(3));
             return int(city(2, 2)->ProductionPoints);
         },
         0},
        {"nuclear damage", [](sGameConsts& k) { k.NuclearStrike[0] = INT_MAX; },
         [&] {
             city(11, 3)->ProductionPoints = 1000.0f;
             city(11, 3)->NuclearStrike(&result);
             return int(city(11, 3)->ProductionPoints);
         },
         0},
    };
    for (const auto& c : cases) {
        c.set(Consts());
        EXPECT_EQ(c.run(), c.expected) << c.what;
    }
}
