#include <gtest/gtest.h>

#include <map>

#include "core/fatal.h"
#include "game/ai_data.h"
#include "tests/test_support.h"

namespace {

bool Same(const sAIParameters& a, const sAIParameters& b)
{
    auto arr = [](const auto& x, const auto& y) { return std::equal(std::begin(x), std::end(x), std::begin(y)); };
    const auto &d = a.NewUnitPurchaseData, &e = b.NewUnitPurchaseData;
    return a.MakesSeaInvasions == b.MakesSeaInvasions &&
           a.MaxNumberOfFrontsForSeaInvasion == b.MaxNumberOfFrontsForSeaInvasion &&
           a.CurrentSeaInvasionTarget == b.CurrentSeaInvasionTarget &&
           a.ObligatorySeaInvasionTargets == b.ObligatorySeaInvasionTargets && a.CurrentTargets == b.CurrentTargets &&
           a.DoNotAttackCities == b.DoNotAttackCities && a.ExtraCitiesToGarrison == b.ExtraCitiesToGarrison &&
           a.SeaZonesToPatrol == b.SeaZonesToPatrol && a.PurchaseQueue == b.PurchaseQueue &&
           a.FortLevelToHoldAtAllCost == b.FortLevelToHoldAtAllCost &&
           arr(a.DesiredLandForcesStructure, b.DesiredLandForcesStructure) &&
           arr(a.DesiredTechLevels, b.DesiredTechLevels) &&
           a.DesiredStrategicMovementPoints == b.DesiredStrategicMovementPoints &&
           arr(a.NewUnitPurchasePreferences, b.NewUnitPurchasePreferences) && d.i1 == e.i1 && d.f1 == e.f1 &&
           d.i2 == e.i2 && d.f2 == e.f2 && d.i3 == e.i3 && d.f3 == e.f3 &&
           arr(a.MultipleSideAttackPreferences, b.MultipleSideAttackPreferences) &&
           arr(a.OneSideAttackPreferences, b.OneSideAttackPreferences) &&
           a.AllianceEntryPolicy == b.AllianceEntryPolicy && a.CountriesToPress == b.CountriesToPress &&
           a.TransportsUnitsToFrontsBySea == b.TransportsUnitsToFrontsBySea &&
           a.MinRatioToPatchFront == b.MinRatioToPatchFront && a.MaxUnitCountOnFront == b.MaxUnitCountOnFront &&
           a.MaxCoveringUnitDistance == b.MaxCoveringUnitDistance && a.MaxSafeMoveCost == b.MaxSafeMoveCost &&
           arr(a.ShoreBombardmentSingleUse, b.ShoreBombardmentSingleUse) &&
           arr(a.CarrierTargetsPriorities, b.CarrierTargetsPriorities);
}

// A small world: three countries and three cities, two of them ports. The reader only
// passes city pointers around, so the cities are stand-ins.
struct cWorld
{
    std::vector<sAIParameters> blocks = std::vector<sAIParameters>(3);
    int cityStore[3] = {};
    std::map<std::pair<int, int>, int> cities = {{{10, 12}, 0}, {{3, 4}, 1}, {{7, 7}, 2}};

    cMiasto* City(int k) { return reinterpret_cast<cMiasto*>(&cityStore[k]); }
    sAIDataWorld Access()
    {
        sAIDataWorld w;
        w.countryCount = 3;
        w.parameters = [this](int id) -> sAIParameters& { return blocks[size_t(id - 1)]; };
        w.cityAt = [this](int x, int y) -> cMiasto* {
            auto it = cities.find({x, y});
            return it == cities.end() ? nullptr : City(it->second);
        };
        w.isPort = [this](const cMiasto* c) { return c != City(0); };
        w.cityHex = [this](const cMiasto* c) {
            for (auto& [hex, k] : cities)
                if (City(k) == c)
                    return hex;
            return std::make_pair(-1, -1);
        };
        return w;
    }
};

TEST(AIData, WrittenFileReadsBackIntoTheSameBlocks)
{
    cWorld world;
    sAIParameters& p = world.blocks[1];
    p.MakesSeaInvasions = true;
    p.MaxNumberOfFrontsForSeaInvasion = 4;
    p.CurrentSeaInvasionTarget = 12;
    p.ObligatorySeaInvasionTargets = {world.City(1), world.City(2)};
    p.CurrentTargets = {{1, 2, 3}, {4, 5, 6}};
    p.DoNotAttackCities = {world.City(0)};
    p.ExtraCitiesToGarrison = {world.City(2), world.City(0)};
    p.SeaZonesToPatrol = {{7, 8}};
    p.PurchaseQueue = {20, 0, 41};
    p.FortLevelToHoldAtAllCost = 2;
    p.DesiredLandForcesStructure[4] = 99;
    p.DesiredTechLevels[6] = 3;
    p.NewUnitPurchasePreferences[13] = 6;
    p.NewUnitPurchaseData = {1, 0.5f, 2, 0.25f, 3, 1.75f};
    p.CountriesToPress = {3};
    p.TransportsUnitsToFrontsBySea = true;
    p.MinRatioToPatchFront = 1.5f;
    p.ShoreBombardmentSingleUse[0] = 0.75f;
    p.CarrierTargetsPriorities[8] = 1;
    const std::string text = EncodeAIData(world.Access());
    EXPECT_EQ(text.substr(0, 22), "# ai data\r\nCountry;1\r\n");
    EXPECT_NE(text.find("\r\nPurchaseQueue\r\n"), std::string::npos); // an empty list still has its line
    EXPECT_NE(text.find("\r\nShoreBombardmentSingleUse;75.000000;100.000000\r\n"), std::string::npos);
    EXPECT_NE(text.back(), '\n');

    cWorld back;
    ReadAIData(text, back.Access());
    for (int c = 0; c < 3; ++c) {
        // The stand-in cities of the two worlds differ; compare through their hexes.
        sAIParameters& b = back.blocks[size_t(c)];
        for (auto* list : {&b.ObligatorySeaInvasionTargets, &b.DoNotAttackCities, &b.ExtraCitiesToGarrison})
            for (auto& city : *list)
                city = world.City(int(reinterpret_cast<int*>(city) - back.cityStore));
        EXPECT_TRUE(Same(b, world.blocks[size_t(c)])) << c;
    }
}

TEST(AIData, ValuesGroupWrapAndAppend)
{
    cWorld world;
    ReadAIData("Country;2\nCurrentTargets;1;2;3;4;5\nDoNotAttackCities;10;12;11\nDesiredLandForcesStructure;1;2;3;4;5;6\n"
               "CountriesToPress;4\nCountriesToPress;5;6\nCarrierTargetsPriorities;1;2;3;4;5;6;7;8;9;10;11\n"
               "MaxSafeMoveCost\nShoreBombardmentSingleUse;50;25;12\n",
               world.Access());
    const sAIParameters& p = world.blocks[1];
    EXPECT_EQ(p.CurrentTargets, (std::list<sAITarget>{{1, 2, 3}}));
    EXPECT_EQ(p.DoNotAttackCities, (std::list<cMiasto*>{world.City(0)}));
    EXPECT_EQ(p.DesiredLandForcesStructure[0], 6);
    EXPECT_EQ(p.DesiredLandForcesStructure[1], 2);
    EXPECT_EQ(p.CountriesToPress, (std::list<int>{4, 5, 6}));
    EXPECT_EQ(p.CarrierTargetsPriorities[8], 9);
    EXPECT_EQ(p.MaxSafeMoveCost, 5);
    EXPECT_FLOAT_EQ(p.ShoreBombardmentSingleUse[0], 0.5f);
    EXPECT_FLOAT_EQ(p.ShoreBombardmentSingleUse[1], 0.25f);
    EXPECT_TRUE(Same(world.blocks[0], sAIParameters{})); // a country without lines keeps the defaults
}

TEST(AIData, BadLinesAreSkippedOrEndTheProgramWithTheirLine)
{
    cWorld world;
    testing_support::ClearLog();
    ReadAIData("# head\nMaxSafeMoveCost;9\nCountry;7\nMaxSafeMoveCost;8\nCountry;3\nMaxSafeMoveCost;2\n", world.Access());
    EXPECT_EQ(world.blocks[0].MaxSafeMoveCost, 5);
    EXPECT_EQ(world.blocks[2].MaxSafeMoveCost, 2);
    EXPECT_TRUE(testing_support::LogContains(
        L"ERROR: ai_data.csv, line 2: MaxSafeMoveCost stands before the first Country line; line skipped"));
    EXPECT_TRUE(testing_support::LogContains(L"ERROR: ai_data.csv, line 3: there is no country 7; its lines are skipped"));

    const std::pair<std::string, std::wstring> fatal[] = {
        {"#c\nCountry;1\nMaxSafeMove;3\n", L"ERROR: line 3 in ai_data.csv has incorrect variable name (MaxSafeMove)!"},
        {"Country;1\nExtraCitiesToGarrison;10;12;5;5\n", L"ERROR (ai_data.csv, line 2): There is no city at coords (5,5)"},
        {"Country;1\nObligatorySeaInvasionTargets;10;12\n",
         L"ERROR(ai_data.csv, line 2): City at coords (10, 12) is not a port"},
        {"Country;1\nDoNotAttackCities;-1;999999\n",
         L"ERROR (ai_data.csv, line 2): There is no city at coords (-1,999999)"}};
    for (const auto& [text, line] : fatal) {
        try {
            ReadAIData(text, world.Access());
            ADD_FAILURE() << text;
        } catch (const sFatalExit& e) {
            EXPECT_EQ(e.code, 1);
            EXPECT_EQ(e.reason, line);
        }
    }
    // A wrong name with no value is ignored.
    ReadAIData("Country;1\nNoSuchThing\n", world.Access());
}

} // namespace
