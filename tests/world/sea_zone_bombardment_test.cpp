// Air attacks and nuclear hits on Testland's ports: port size, ships hit and sunk, reports.
#include <gtest/gtest.h>

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

    hamburgum.SizeCurrent = 3;
    ScriptRandomRaw({RawFor(1, 1, 100)});
    hamburgum.Bombard(&result, &Air(1), 8, 2);
    EXPECT_EQ(hamburgum.SizeCurrent, 2);
    EXPECT_TRUE(result.portAffected);
    EXPECT_NE(result.defenderInfo.find(L"Port Hamburgum (Borussia): size 3/4 before the attack, 2/4 after it."),
              std::wstring::npos);
    EXPECT_EQ(Reports(16, kAlbion), 2);
    EXPECT_EQ(Reports(16, kBorussia), 0);  // no ship of Borussia's was hit
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
    EXPECT_NE(result.defenderInfo.find(L"\nTransport Anna destroyed!\n"), std::wstring::npos);
    EXPECT_EQ(Reports(33, kAlbion), 1);
    EXPECT_EQ(LastReport(33, kAlbion).rfind(L"Transport Anna\nDover Transports;", 0), 0u);
    EXPECT_EQ(Reports(16, kBorussia), 1);
    EXPECT_EQ(Reports(16, kAlbion), 1);
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
        {"raid base chance below nothing", [&](sGameConsts& k) { k.ConvoyRaiding[0] = -huge; },
         [] { return GetConvoyRaidChance(sConvoyResult{}); }, INT_MIN},
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
        {"dice bonus", [](sGameConsts&) {}, [&] { return RollDice(0.0f, 6.0f, -huge); }, INT_MIN},
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
