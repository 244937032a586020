// Amphibious assaults on Testland: German troops storm Albion's coast from the Channel.
#include <gtest/gtest.h>

#include "core/random.h"
#include "core/settings.h"
#include "tests/test_support.h"
#include "tests/units/naval_testland.h"

using namespace naval_tests;
using testing_support::LogContains;

namespace {

class AmphibiousAssault : public NavalTestland
{
protected:
    AmphibiousAssault()
    {
        cFlota* fleet = motorised.EmbarkOnFleet(UNIT_AMPHIBIOUS, kChannel, -1);
        shipId = fleet ? fleet->ships.front()->m_Id : 0;
    }
    cJednostkaLadowa& motorised = Land(5);  // 2. Motorised, strength 80
    int shipId = 0;
};

} // namespace

TEST_F(AmphibiousAssault, APersonsLandingOnAnEmptyEnemyBeachPaysTheDiceAndTakesTheHex)
{
    ScriptRandomRaw({RawFor(3)});  // 10 strength points
    ASSERT_TRUE(motorised.AmphibiousAssault(2, 4));
    EXPECT_EQ(motorised.m_Strength, 70);
    EXPECT_EQ(Hex(2, 4).unit, &motorised);
    EXPECT_EQ(Hex(2, 4).controller, kBorussia);
    EXPECT_EQ(motorised.m_Supply, Consts().MaxSupply);
    EXPECT_EQ(motorised.m_Transporter, nullptr);
    EXPECT_EQ(motorised.m_TransporterId, -1);
    EXPECT_EQ(game->FindNavalUnitById(shipId), nullptr);  // the landing craft is used up
    EXPECT_TRUE(game->m_LandUnits3.empty());
    EXPECT_EQ(Requests(eRequestKind::Message, L"Amphibious landing"), 1);

    // A beach its own side holds and owns costs nothing, and no die is thrown for it.
    cJednostkaLadowa& mech = Land(8);
    ASSERT_NE(mech.EmbarkOnFleet(UNIT_AMPHIBIOUS, kChannel, -1), nullptr);
    Hex(1, 4).SetController(kBorussia);
    Hex(1, 4).owner = kBorussia;
    const int strength = mech.m_Strength;
    const uint32_t dice = GetRandomState();
    ASSERT_TRUE(mech.AmphibiousAssault(1, 4));
    EXPECT_EQ(mech.m_Strength, strength);
    EXPECT_EQ(GetRandomState(), dice);

    // A beach nobody holds becomes the lander's.
    cJednostkaLadowa& panzer = Land(4);
    ASSERT_NE(panzer.EmbarkOnFleet(UNIT_AMPHIBIOUS, kChannel, -1), nullptr);
    Hex(2, 3).SetController(0);
    game->m_Consts.AmphibiousLandingLosses[0] = 0; // the die's first face costs nothing here
    game->m_Consts.AmphibiousLandingLosses[1] = 5;
    const int full = panzer.m_Strength;
    ScriptRandomRaw({RawFor(1)});
    ASSERT_TRUE(panzer.AmphibiousAssault(2, 3));
    EXPECT_EQ(Hex(2, 3).controller, kBorussia);
    EXPECT_EQ(panzer.m_Strength, full);
}

TEST_F(AmphibiousAssault, TheComputersLandingOnAnEmptyBeachLandsWholeOrIsLost)
{
    ScriptRandomRaw({RawFor(6)});  // 25 points would be lost: it lands at full strength
    ASSERT_TRUE(motorised.AiAmphibiousAssault(2, 4));
    EXPECT_EQ(motorised.m_Strength, 80);
    EXPECT_TRUE(LogContains(L"[AI] 2. Motorised lands from the sea on hex (2, 4)"));

    cJednostkaLadowa& mech = Land(8);
    mech.m_Strength = 20;
    cFlota* fleet = mech.EmbarkOnFleet(UNIT_AMPHIBIOUS, kChannel, -1);
    ASSERT_NE(fleet, nullptr);
    // The die's first face reads the table's first loss, which this one survives; the second
    // would not.
    game->m_Consts.AmphibiousLandingLosses[0] = 10;
    game->m_Consts.AmphibiousLandingLosses[1] = 20;
    ScriptRandomRaw({RawFor(1)});
    ASSERT_TRUE(mech.AiAmphibiousAssault(1, 4));
    EXPECT_EQ(mech.m_Strength, 20);
    cJednostkaLadowa& lost = Land(4);
    lost.m_Strength = 20;
    ASSERT_NE(lost.EmbarkOnFleet(UNIT_AMPHIBIOUS, kChannel, -1), nullptr);
    ScriptRandomRaw({RawFor(6)});
    ASSERT_TRUE(Hex(2, 3).IsLand() && !Hex(2, 3).unit);
    EXPECT_FALSE(lost.AiAmphibiousAssault(2, 3));
    EXPECT_EQ(Hex(2, 3).unit, nullptr);
    EXPECT_EQ(game->FindLandUnitById(4), nullptr);
}

TEST_F(AmphibiousAssault, AnOverrunDefenderIsGoneAndTheAttackerLandsButAFriendlyHexIsRefused)
{
    cJednostkaLadowa* defender = AddLandUnit(kAlbion, 2, 4);
    defender->m_Strength = 1;
    const int defenderId = defender->m_Id;
    ASSERT_TRUE(motorised.AmphibiousAssault(2, 4));
    EXPECT_EQ(Hex(2, 4).unit, &motorised);
    EXPECT_EQ(game->FindLandUnitById(defenderId), nullptr);

    // Valdonia's hex holds a unit of a country Borussia is at peace with: nothing happens.
    cJednostkaLadowa& mech = Land(8);
    ASSERT_NE(mech.EmbarkOnFleet(UNIT_AMPHIBIOUS, kChannel, -1), nullptr);
    SetWar(kBorussia, kValdonia, false);
    EXPECT_FALSE(mech.AmphibiousAssault(7, 6));
    EXPECT_TRUE(LogContains(L"Critical Error: Cannot assault with a friendly unit during the amphibious invasion!"));
    // Nor onto the sea or off the map, nor by a unit that is not aboard.
    EXPECT_FALSE(mech.AmphibiousAssault(5, 3));
    EXPECT_FALSE(mech.AmphibiousAssault(99, 4));
    EXPECT_FALSE(Land(4).AmphibiousAssault(2, 4));
    EXPECT_EQ(Hex(2, 4).unit, &motorised);
    EXPECT_NE(mech.m_Transporter, nullptr);
    EXPECT_EQ(Hex(7, 6).unit, &Land(12));

    // The computer's storm of a beach is heard even where nobody has seen either side.
    const int sight = g_UserSettings.fogOfWar;
    g_UserSettings.fogOfWar = 1;
    SetWar(kBorussia, kValdonia, true);
    Land(12).m_Spotted = false;
    const int heard = acting.Played(L"Invasion");
    mech.AiAmphibiousAssault(7, 6);
    g_UserSettings.fogOfWar = sight;
    EXPECT_EQ(acting.Played(L"Invasion"), heard + 1);
}
