// Amphibious assaults on Testland: German troops storm Albion's coast from the Channel.
#include <gtest/gtest.h>

#include <algorithm>
#include <iterator>
#include <utility>
#include <vector>

#include "core/random.h"
#include "core/settings.h"
#include "tests/test_support.h"
#include "tests/units/naval_testland.h"
#include "units/combat_result.h"
#include "units/combat_support.h"

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
    Consts().LandCombatStrength[motorised.m_Level - 1][motorised.m_Type] = 6.0f;
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
    // 10 points of a full strength worth 6.
    EXPECT_EQ(acting.requests.back().text,
              L"The troops have landed. Losses at sea and on the beach: 0.60 combat strength.");

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

    // The die's first face reads the table's first loss; at a full strength worth 1, what is
    // left must be worth at least 0.1.
    game->m_Consts.AmphibiousLandingLosses[0] = 10;
    game->m_Consts.AmphibiousLandingLosses[1] = 20;
    cJednostkaLadowa& mech = Land(8);
    game->m_Consts.LandCombatStrength[mech.m_Level - 1][mech.m_Type] = 1.0f;
    for (const auto& [strength, lands] : {std::pair{20, true}, std::pair{19, false}}) {
        cJednostkaLadowa* unit = AddLandUnit(kBorussia, 9, 4, mech.m_Type);
        unit->m_Level = mech.m_Level;
        unit->m_Strength = strength;
        ASSERT_NE(unit->EmbarkOnFleet(UNIT_AMPHIBIOUS, kChannel, -1), nullptr);
        const int id = unit->m_Id;
        ScriptRandomRaw({RawFor(1)});
        EXPECT_EQ(unit->AiAmphibiousAssault(1, 4), lands) << strength;
        EXPECT_EQ(game->FindLandUnitById(id) != nullptr, lands) << strength;
        if (lands) {
            EXPECT_EQ(Hex(1, 4).unit, unit);
            EXPECT_EQ(unit->m_Strength, strength);  // the loss is not kept
            DestroyInCombat(unit);
        }
    }
    cJednostkaLadowa& lost = Land(4);
    lost.m_Strength = 20;
    ASSERT_NE(lost.EmbarkOnFleet(UNIT_AMPHIBIOUS, kChannel, -1), nullptr);
    game->m_Consts.AmphibiousLandingLosses[4] = 25;
    game->m_Consts.AmphibiousLandingLosses[5] = 0;
    ScriptRandomRaw({RawFor(6) - 1});  // the top of the fifth face
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

// A defender that neither falls nor gives way decides the landing by effective strength:
// its own times the factor against the lander's, whose efficiency is cut for the fight.
// Equal values land the attacker; one that gives way leaves the beach to it.
TEST_F(AmphibiousAssault, ABeachHeldThroughTheFightIsWonByTheStrongerSideTimesTheFactor)
{
    for (auto& row : Consts().LandDefenderLosses)
        std::fill(std::begin(row), std::end(row), 0);
    for (auto& row : Consts().LandAttackerLossFactor)
        std::fill(std::begin(row), std::end(row), 0.0f);
    std::fill(std::begin(Consts().RetreatOddsModifier), std::end(Consts().RetreatOddsModifier), 1.0f);
    std::fill(std::begin(Consts().RetreatTerrainModifier), std::end(Consts().RetreatTerrainModifier), 1.0f);
    Consts().RetreatBaseChance = 200;  // any unit that may give way does
    Consts().AmphibiousEfficiencyCut = 0.5f;  // the lander fights at 50
    std::vector<std::pair<uint32_t, int>> marksSeen;
    acting.onRequest = [&](const sPresentationRequest& r) {
        if (r.kind == eRequestKind::CenterCamera && r.x == 2 && r.y == 4)
            marksSeen.emplace_back(Hex(2, 4).marks, Hex(2, 4).markValue);
    };
    const struct
    {
        int defenderStrength, defenderEfficiency, factor;
        bool byComputer, cornered, landed, defenderLives;
    } cases[] = {
        // Above the strength that may give way, the defender holds the beach.
        {80, 50, 1, false, false, true, false},   // 80 x 50 % each: equal
        {80, 50, 2, false, false, false, true},   // twice the lander's
        {80, 60, 1, false, false, false, true},
        {80, 40, 1, true, false, true, false},
        {40, 100, 1, false, false, true, true},   // gives way
        {40, 100, 1, false, true, true, false},   // cannot, and surrenders
    };
    for (const auto& c : cases) {
        Consts().AmphibiousStrengthFactor = c.factor;
        Hex(2, 4).SetController(kAlbion);
        // The beach's only land neighbours; nobody's land is no way back.
        Hex(2, 3).SetController(c.cornered ? 0 : kAlbion);
        Hex(1, 4).SetController(c.cornered ? 0 : kAlbion);
        cJednostkaLadowa* defender = AddLandUnit(kAlbion, 2, 4, motorised.m_Type);
        defender->m_Level = motorised.m_Level;
        defender->m_Strength = c.defenderStrength;
        defender->m_Efficiency = c.defenderEfficiency;
        cJednostkaLadowa* lander = AddLandUnit(kBorussia, 9, 4, motorised.m_Type);
        lander->m_Level = motorised.m_Level;
        lander->m_Strength = 80;
        ASSERT_NE(lander->EmbarkOnFleet(UNIT_AMPHIBIOUS, kChannel, -1), nullptr);
        const int defenderId = defender->m_Id, landerId = lander->m_Id;
        marksSeen.clear();
        const bool landed = c.byComputer ? lander->AiAmphibiousAssault(2, 4) : lander->AmphibiousAssault(2, 4);
        SCOPED_TRACE(testing::Message() << c.defenderStrength << " " << c.defenderEfficiency << " x " << c.factor);
        EXPECT_EQ(landed, c.landed);
        EXPECT_EQ(game->FindLandUnitById(landerId) != nullptr, c.landed);
        EXPECT_EQ(game->FindLandUnitById(defenderId) != nullptr, c.defenderLives);
        ASSERT_NE(Hex(2, 4).unit, nullptr);
        EXPECT_EQ(Hex(2, 4).unit->m_Id, c.landed ? landerId : defenderId);
        // The record shown tells which side the weighing destroyed.
        const auto record = std::find_if(acting.requests.rbegin(), acting.requests.rend(),
                                         [](const auto& r) { return r.kind == eRequestKind::CombatResult; });
        ASSERT_TRUE(record != acting.requests.rend() && record->combat);
        const sCombatResult& shown = *record->combat;
        EXPECT_EQ(shown.attackerKilled, !c.landed);
        EXPECT_EQ(shown.defenderKilled, c.landed && !c.defenderLives && !c.cornered);
        EXPECT_EQ(shown.defenderSurrendered, c.cornered);
        DestroyInCombat(Hex(2, 4).unit);
        if (c.landed && c.defenderLives)
            DestroyInCombat(defender);  // gone back off the beach
        // The computer's target is marked while the view waits on it, and no longer.
        const bool marked =
            std::find(marksSeen.begin(), marksSeen.end(), std::pair<uint32_t, int>(2u, -1)) != marksSeen.end();
        EXPECT_EQ(marked, c.byComputer);
        EXPECT_EQ(Hex(2, 4).marks, 0u);
    }
    acting.onRequest = nullptr;
}
