// The effects on the computer opponent's parameters, fired on Testland.
#include <gtest/gtest.h>

#include <numeric>

#include "game/ai_params.h"
#include "tests/events/effect_test_support.h"
#include "tests/test_support.h"
#include "world/city.h"

using namespace testland;
using event_testing::EffectsOnTestland;
using testing_support::LogContains;

namespace {

using AIEffects = EffectsOnTestland;

TEST_F(AIEffects, TheOpponentsParametersChangeAsScriptedAndWhatItReadsLaterIsChecked)
{
    sAIParameters& albion = Country(kAlbion).AIParameters;
    sAIParameters& borussia = Country(kBorussia).AIParameters;
    cMiasto* hamburgum = Hex(8, 2).city;
    cMiasto* berolina = Hex(11, 3).city;

    // Invasion targets as given (the opponent drops one off the map itself); removal by hex,
    // whatever the strength.
    Fire(L"AI.AddInvasionTarget", {kAlbion, 16, 9, 60});
    Fire(L"AI.AddInvasionTarget", {kAlbion, 11, 3, -1});
    Fire(L"AI.AddInvasionTarget", {kAlbion, 16, 90, -1});
    EXPECT_EQ(albion.CurrentTargets, (std::list<sAITarget>{{11, 3, 1}, {16, 9, 60}, {11, 3, -1}, {16, 90, -1}}));
    Fire(L"AI.RemoveInvasionTarget", {kAlbion, 11, 3});
    EXPECT_EQ(albion.CurrentTargets, (std::list<sAITarget>{{16, 9, 60}, {16, 90, -1}}));

    // Sea invasions: obligatory targets are ports.
    Fire(L"AI.SetMakesSeaInvasionsParameter", {kBorussia, 1});
    Fire(L"AI.SetMaxNumberOfFrontsForSeaInvasion", {kBorussia, 4});
    EXPECT_TRUE(borussia.MakesSeaInvasions);
    EXPECT_EQ(borussia.MaxNumberOfFrontsForSeaInvasion, 4);
    Fire(L"AI.AddPortForObligatoryInvasion", {kAlbion, 8, 2, 0});
    Fire(L"AI.AddPortForObligatoryInvasion", {kAlbion, 7, 6, 1});
    Fire(L"AI.AddPortForObligatoryInvasion", {kAlbion, 11, 3, 1});
    EXPECT_TRUE(LogContains(L"ERROR: effect AI.AddPortForObligatoryInvasion at line 42 names Berolina, which is no "
                            L"port; ignored"));
    ASSERT_EQ(albion.ObligatorySeaInvasionTargets.size(), 2u);
    EXPECT_EQ(albion.ObligatorySeaInvasionTargets.front(), Hex(7, 6).city);
    Fire(L"AI.RemovePortForObligatoryInvasion", {kAlbion, 7, 6});
    EXPECT_EQ(albion.ObligatorySeaInvasionTargets, std::list<cMiasto*>{hamburgum});

    // City lists hold each city once.
    const size_t doNotAttack = albion.DoNotAttackCities.size();
    Fire(L"AI.AddDoNotAttackCity", {kAlbion, 3, 3});
    Fire(L"AI.AddDoNotAttackCity", {kAlbion, 11, 3});
    Fire(L"AI.AddDoNotAttackCity", {kAlbion, 11, 3});
    Fire(L"AI.AddDoNotAttackCity", {kAlbion, 12, 3});
    EXPECT_EQ(albion.DoNotAttackCities.size(), doNotAttack + 2);
    Fire(L"AI.RemoveDoNotAttackCity", {kAlbion, 11, 3});
    EXPECT_EQ(albion.DoNotAttackCities.size(), doNotAttack + 1);
    EXPECT_EQ(albion.DoNotAttackCities.back(), Hex(3, 3).city) << "only the city on that very hex goes";
    Fire(L"AI.AddExtraCityToGarrison", {kBorussia, 11, 3});
    Fire(L"AI.AddExtraCityToGarrison", {kBorussia, 11, 3});
    EXPECT_EQ(std::count(borussia.ExtraCitiesToGarrison.begin(), borussia.ExtraCitiesToGarrison.end(), berolina), 1);

    // Patrols: one pair per sea node, a port's as well.
    Fire(L"AI.AddSeaZoneToPatrolList", {kAlbion, 2, 5});
    Fire(L"AI.AddSeaZoneToPatrolList", {kAlbion, 2, 7});
    Fire(L"AI.AddSeaZoneToPatrolList", {kAlbion, 4, 7});
    Fire(L"AI.AddSeaZoneToPatrolList", {kAlbion, 99, 7});
    EXPECT_EQ(albion.SeaZonesToPatrol, (std::list<sSeaZoneToPatrol>{{2, 7}, {4, 7}}));
    Fire(L"AI.RemoveSeaZoneFromPatrolList", {kAlbion, 2});
    EXPECT_EQ(albion.SeaZonesToPatrol, (std::list<sSeaZoneToPatrol>{{4, 7}}));

    // Pressing: countries that exist, as often as the script says.
    Fire(L"AI.AddCountryToPress", {kAlbion, kHelvetia});
    Fire(L"AI.AddCountryToPress", {kAlbion, kHelvetia});
    Fire(L"AI.AddCountryToPress", {kAlbion, 99});
    EXPECT_EQ(albion.CountriesToPress, (std::list<int>{kHelvetia, kHelvetia}));

    // Plain values.
    Fire(L"AI.SetDesiredStrategicMovementPoints", {kAlbion, 12});
    Fire(L"AI.SetDesiredTechLevel", {kAlbion, 6, 9});
    Fire(L"AI.TransportUnitsToFrontsBySea", {kAlbion, 1});
    Fire(L"AI.SetMultipleSideAttackPreferences", {kAlbion, 6, 4, 2});
    Fire(L"AI.SetOneSideAttackPreferences", {kAlbion, 5, 3, 1});
    Fire(L"AI.SetFortLevelToHoldAtAllCost", {kAlbion, 3});
    Fire(L"Country.SetMaxSafeMoveCost", {kAlbion, 7});
    Fire(L"Country.SetMinRatioToPatchFront", {kAlbion, 1.5});
    Fire(L"Country.SetMaxUnitCountOnFront", {kAlbion, 9});
    Fire(L"Country.SetMaxCoveringUnitDistance", {kAlbion, 2});
    EXPECT_EQ(albion.DesiredStrategicMovementPoints, 12);
    EXPECT_EQ(albion.DesiredTechLevels[6], 9);
    Fire(L"AI.SetDesiredTechLevel", {kAlbion, 0, 4});
    Fire(L"AI.SetDesiredTechLevel", {kAlbion, 7, 5});
    EXPECT_EQ(albion.DesiredTechLevels[0], 4);
    EXPECT_EQ(albion.DesiredStrategicMovementPoints, 12) << "a category outside the seven writes nowhere";
    EXPECT_TRUE(albion.TransportsUnitsToFrontsBySea);
    EXPECT_EQ(albion.MultipleSideAttackPreferences[0] + albion.OneSideAttackPreferences[2], 7);
    EXPECT_EQ(albion.FortLevelToHoldAtAllCost + albion.MaxSafeMoveCost + albion.MaxUnitCountOnFront +
                  albion.MaxCoveringUnitDistance,
              21);
    EXPECT_EQ(albion.MinRatioToPatchFront, 1.5f);
    Fire(L"Country.SetMinRatioToPatchFront", {kAlbion, 2e9});
    EXPECT_EQ(albion.MinRatioToPatchFront, 1e6f) << "the most a save reads back";

    // Numbered entries count from 1; a number outside changes nothing.
    const int smp = albion.DesiredStrategicMovementPoints;
    Fire(L"Country.NewUnitPurchasePreferences", {kAlbion, 1, 7});
    Fire(L"Country.NewUnitPurchasePreferences", {kAlbion, 0, 7});
    Fire(L"Country.NewUnitPurchasePreferences", {kAlbion, 15, 7});
    EXPECT_EQ(albion.NewUnitPurchasePreferences[0], 7);
    EXPECT_EQ(albion.DesiredStrategicMovementPoints, smp);
    // Any weight is stored; the purchases themselves pass over one that is not above 0.
    Fire(L"Country.NewUnitPurchasePreferences", {kAlbion, 2, -4});
    EXPECT_EQ(albion.NewUnitPurchasePreferences[1], -4);
    for (int n = 1; n <= 14; ++n)
        Fire(L"Country.NewUnitPurchasePreferences", {kAlbion, double(n), 0});
    const auto& weights = albion.NewUnitPurchasePreferences;
    EXPECT_EQ(std::accumulate(std::begin(weights), std::end(weights), 0), 0);
    Fire(L"Country.SetDesiredLandForcesStructure", {kAlbion, 5, 33});
    EXPECT_EQ(albion.DesiredLandForcesStructure[4], 33);

    // Carrier priorities: every country at once, or one entry of one country.
    Fire(L"Country.SetAICarrierTargetsPriorities", {9, 8, 7, 6, 5, 4, 3, 2, 1});
    EXPECT_EQ(Country(kValdonia).AIParameters.CarrierTargetsPriorities[0], 9);
    EXPECT_EQ(borussia.CarrierTargetsPriorities[8], 1);
    Fire(L"Country.ChangeAICarrierTargetsPriorities", {kBorussia, 9, 50});
    EXPECT_EQ(borussia.CarrierTargetsPriorities[8], 50);
    EXPECT_EQ(albion.CarrierTargetsPriorities[8], 1);
}

} // namespace
