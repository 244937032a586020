// The effects on country values, war and peace, flags and technology, fired on Testland.
#include <gtest/gtest.h>

#include <cmath>
#include <functional>

#include "world/city.h"
#include "world/convoys.h"

#include "tests/events/effect_test_support.h"
#include "tests/test_support.h"
#include "world/relations.h"

using namespace testland;
using event_testing::EffectsOnTestland;
using testing_support::LogContains;
using testing_support::LogStartsWith;

namespace {

using CountryEffects = EffectsOnTestland;

TEST_F(CountryEffects, CountryValuesWarPeaceFlagsAndTechnologyChangeAsScripted)
{
    cPanstwo& albion = Country(kAlbion);
    cPanstwo& helvetia = Country(kHelvetia);
    cPanstwo& valdonia = Country(kValdonia);

    // Points; a country id of 3.9 names country 3.
    const int dp = Country(kRuthenia).DP;
    Fire(L"Country.ChangeDiplomaticPoints", {3.9, 5});
    EXPECT_EQ(Country(kRuthenia).DP, dp + 5);
    Fire(L"Country.SetDiplomaticPoints", {1, 7});
    EXPECT_EQ(albion.DP, 7);
    Fire(L"Country.ChangeDiplomaticPoints", {1, 3e12});
    EXPECT_EQ(albion.DP, 1000000) << "a huge amount stops where a saved game's points do";
    const double pp = albion.PP;
    Fire(L"Country.ChangeProductionPoints", {1, 2.5});
    EXPECT_DOUBLE_EQ(albion.PP, pp + 2.5);
    Fire(L"Country.SetProductionPoints", {1, 99.5});
    EXPECT_DOUBLE_EQ(albion.PP, 99.5);
    Fire(L"Country.ChangeSTP", {1, 4});
    Fire(L"Country.ChangeAIP", {1, -1});
    const int stp = albion.STP, aip = albion.AIP;
    albion.SMP = 20;
    Fire(L"Country.ChangeSMP", {1, -50});
    EXPECT_EQ(albion.SMP, 0);
    Fire(L"Country.ChangeSTP", {1, 1});
    Fire(L"Country.ChangeAIP", {1, 1});
    EXPECT_EQ(albion.STP, stp + 1);
    EXPECT_EQ(albion.AIP, aip + 1);

    // Political strength, unrest, war economy, upkeep and the weather factors.
    valdonia.PoliticalStrength = 20;
    Fire(L"Country.ChangePoliticalStrength", {5, -30});
    EXPECT_EQ(valdonia.PoliticalStrength, 0);
    albion.PoliticalStrength = 90;
    Fire(L"Country.ChangePoliticalStrength", {1, 30});
    EXPECT_EQ(albion.PoliticalStrength, 100);
    Fire(L"Country.SetPoliticalStrength", {5, 55});
    EXPECT_EQ(valdonia.PoliticalStrength, 55);
    // Within what a save keeps: -1 (never surrenders) to 100.
    Fire(L"Country.SetPoliticalStrength", {5, 2000000});
    EXPECT_EQ(valdonia.PoliticalStrength, 100);
    Fire(L"Country.SetPoliticalStrength", {5, 55});
    Fire(L"Country.SetSocialUnrest", {5, -5});
    EXPECT_EQ(valdonia.SocialUnrest, 0.0f);
    Fire(L"Country.SetSocialUnrest", {5, 120});
    EXPECT_EQ(valdonia.SocialUnrest, 100.0f);
    Fire(L"Country.SetSocialUnrest", {5, 37.5});
    Fire(L"Country.ChangeSocialUnrest", {5, 2.5});
    EXPECT_EQ(valdonia.SocialUnrest, 40.0f);
    Fire(L"Country.SetWarEconomy", {5, 55});
    Fire(L"Country.ChangeWarEconomy", {5, 10});
    EXPECT_EQ(valdonia.WarEconomy, 65.0f);
    Fire(L"Country.SetUpkeepCost", {5, 2});
    Fire(L"Country.ChangeUpkeepCost", {5, 0.5});
    EXPECT_EQ(valdonia.UnitUpkeepCostModifier, 2.5f);
    Fire(L"Country.SetWinterBattle", {5, 11});
    Fire(L"Country.SetWinterMove", {5, 12});
    Fire(L"Country.SetMudBattle", {5, 13});
    Fire(L"Country.SetMudMove", {5, 14});
    EXPECT_EQ(valdonia.WinterBattle + valdonia.WinterMove + valdonia.MudBattle + valdonia.MudMove, 50.0f);

    // A zone of no side is kept as written, for the script to read back; the orientation stays
    // within its codes.
    Fire(L"Country.SetZoneOfInfluence", {4, 2});
    EXPECT_EQ(helvetia.ZoneOfInfluence, 2);
    Fire(L"Country.SetZoneOfInfluence", {4, 9});
    EXPECT_EQ(helvetia.ZoneOfInfluence, 9);
    EXPECT_EQ(helvetia.GetZoneOfInfluenceName(true), L"");
    Fire(L"Country.SetOrientation", {4, 7});
    EXPECT_EQ(helvetia.Orientation, 5);
    EXPECT_TRUE(LogContains(L"WARNING: effect Country.SetOrientation at line 42 sets the orientation to 7, outside 0 to "
                            L"5; 5 is used"));

    // Alliance entry: helvetia, now pro-Allied, joins the Allies at 100 and takes on their wars.
    Fire(L"Country.SetOrientation", {4, 3});
    EXPECT_TRUE(Fire(L"Country.ChangeAllianceEntry", {4, 5}).empty());
    EXPECT_EQ(helvetia.AllianceEntry, 5);
    Fire(L"Country.ChangeAllianceEntry", {4, -50});
    EXPECT_EQ(helvetia.AllianceEntry, 0);
    Fire(L"Country.SetAllianceEntry", {4, 99});
    EXPECT_EQ(helvetia.Alliance, 0);
    const auto joined = Fire(L"Country.ChangeAllianceEntry", {4, 1});
    EXPECT_EQ(joined, std::vector<std::wstring>{L"The alliance entry level of Helvetia has reached 100%, and Helvetia "
                                                L"joins the Allies."});
    EXPECT_EQ(helvetia.Alliance, 1);
    EXPECT_TRUE(game->m_Relations->IsAtWar(kHelvetia, kBorussia));
    // The leader of the Allies set to 100 again keeps its place.
    EXPECT_TRUE(Fire(L"Country.SetAllianceEntry", {1, 150}).empty());
    EXPECT_EQ(albion.Alliance, 4);
    EXPECT_EQ(albion.AllianceEntry, 100) << "an entry stops at 100";

    // War and peace.
    EXPECT_EQ(Fire(L"Country.DeclareWarOnCountry", {kRuthenia, kValdonia}),
              std::vector<std::wstring>{L"Ruthenia declares war on Valdonia!"});
    EXPECT_TRUE(game->m_Relations->IsAtWar(kRuthenia, kValdonia));
    EXPECT_TRUE(Fire(L"Country.DeclareWarOnCountry", {kRuthenia, 77}).empty());
    EXPECT_TRUE(LogContains(L"ERROR: effect Country.DeclareWarOnCountry at line 42 names country 77, which does not "
                            L"exist; ignored"));
    Fire(L"Country.MakePeace", {kValdonia, 1});
    EXPECT_FALSE(valdonia.IsAtWar());
    Fire(L"Country.SetActive", {kValdonia, 0});
    EXPECT_FALSE(valdonia.IsActive);

    // Flags.
    Fire(L"Flag.SetValue", {39999, 8});
    Fire(L"Flag.ChangeValue", {39999, -3});
    EXPECT_EQ(game->m_Flags[39999], 5);
    Fire(L"Flag.SetValue", {40000, 1});
    EXPECT_TRUE(LogContains(L"ERR: Flag.SetValue arg out of range: 40000, max is 40000"));
    Fire(L"Flag.SetValue", {-1, 1});
    Fire(L"Flag.ChangeValue", {40000, 1});
    EXPECT_FALSE(LogStartsWith(L"ERR: Flag.SetValue arg out of range: -1")) << "a negative index changes nothing";
    EXPECT_FALSE(LogStartsWith(L"ERR: Flag.ChangeValue"));

    // Technology: categories 0 to 6, levels 0 to 5, investments 0 to 3.
    Fire(L"Country.SetTechLevel", {1, 0, 4});
    EXPECT_EQ(albion.TechLevel[0], 4);
    Fire(L"Country.ChangeTechLevel", {1, 0, 9});
    EXPECT_EQ(albion.TechLevel[0], 5);
    const auto before = std::vector<int32_t>(std::begin(albion.TechLevel), std::end(albion.TechLevel));
    Fire(L"Country.SetTechLevel", {1, 7, 1});
    Fire(L"Country.ChangeTechLevel", {1, -1, 1});
    EXPECT_EQ(std::vector<int32_t>(std::begin(albion.TechLevel), std::end(albion.TechLevel)), before);
    EXPECT_FALSE(LogStartsWith(L"ERROR: effect Country.SetTechLevel")) << "a category outside 0 to 6 changes nothing";
    EXPECT_FALSE(LogStartsWith(L"ERROR: effect Country.ChangeTechLevel"));
    Fire(L"Country.SetTechResearchProgress", {1, 3, 40});
    EXPECT_EQ(albion.TechProgress[3], 40);
    Fire(L"Country.ChangeTechResearchProgress", {1, 3, -100});
    EXPECT_EQ(albion.TechProgress[3], 0);
    Fire(L"Country.SetTechInvestment", {1, 3, 1});
    Fire(L"Country.ChangeTechInvestment", {1, 3, 5});
    EXPECT_EQ(albion.TechInvestment[3], 3);
    Fire(L"Country.ChangeTechInvestment", {1, 3, -5});
    EXPECT_EQ(albion.TechInvestment[3], 0);
    Fire(L"Country.SetTechInvestment", {1, 3, 1e9});
    EXPECT_EQ(albion.TechInvestment[3], 3) << "research would roll a die per point";

    // Doctrine: +2 on 0, 3, 5, 0, 1 gives 0, 5, 7, 0, 3, then a month of the count-down.
    albion.TechLevel[TECH_DOCTRINE] = 1;
    const int counters[5] = {0, 3, 5, 0, 1};
    std::copy(std::begin(counters), std::end(counters), albion.MonthsToDoctrineLevel);
    Fire(L"Country.ChangeMonthsToReachWarfareDoctrineLevel", {1, 2});
    EXPECT_EQ(albion.MonthsToDoctrineLevel[1], 4);
    EXPECT_EQ(albion.MonthsToDoctrineLevel[2], 6);
    EXPECT_EQ(albion.TechLevel[TECH_DOCTRINE], 1);

    // A method the game does not know does nothing.
    EXPECT_TRUE(Fire(L"Country.NoSuchChange", {kAlbion, 5}).empty());
}

// A hostile file's value stops where countries.csv and cities.csv keep it, so that a saved
// game goes on from the values played; "nan" reads as 0.
TEST_F(CountryEffects, HugeAndNanValuesStopWhereASavedGameKeepsThem)
{
    cPanstwo& albion = Country(kAlbion);
    cMiasto& berolina = *Hex(11, 3).city;
    const double nan = std::nan("");
    const struct
    {
        const wchar_t* method;
        std::initializer_list<double> params;
        std::function<double()> value;
        double expected;
    } cases[] = {
        {L"Country.SetDiplomaticPoints", {1, 3e9}, [&] { return albion.DP; }, 1e6},
        {L"Country.SetProductionPoints", {1, 2e9}, [&] { return albion.PP; }, 1e9},
        {L"Country.ChangeProductionPoints", {1, -3e9}, [&] { return albion.PP; }, -1e9},
        {L"Country.SetProductionPoints", {1, nan}, [&] { return albion.PP; }, 0},
        {L"Country.ChangeSTP", {1, 3e9}, [&] { return albion.STP; }, 1e6},
        {L"Country.ChangeAIP", {1, -3e9}, [&] { return albion.AIP; }, -1e6},
        {L"Country.ChangeSMP", {1, 3e9}, [&] { return albion.SMP; }, 1e6},
        {L"Country.SetWarEconomy", {1, 5e7}, [&] { return albion.WarEconomy; }, 1e6},
        {L"Country.ChangeWarEconomy", {1, -3e9}, [&] { return albion.WarEconomy; }, -1e6},
        {L"Country.SetWarEconomy", {1, nan}, [&] { return albion.WarEconomy; }, 0},
        {L"Country.SetSocialUnrest", {1, nan}, [&] { return albion.SocialUnrest; }, 0},
        {L"Country.SetUpkeepCost", {1, -5e7}, [&] { return albion.UnitUpkeepCostModifier; }, -1e6},
        {L"Country.ChangeUpkeepCost", {1, 3e9}, [&] { return albion.UnitUpkeepCostModifier; }, 1e6},
        {L"Country.SetWinterBattle", {1, 5e7}, [&] { return albion.WinterBattle; }, 1e6},
        {L"Country.SetWinterMove", {1, -5e7}, [&] { return albion.WinterMove; }, -1e6},
        {L"Country.SetMudBattle", {1, 5e7}, [&] { return albion.MudBattle; }, 1e6},
        {L"Country.SetMudMove", {1, 5e7}, [&] { return albion.MudMove; }, 1e6},
        {L"Country.SetTechResearchProgress", {1, 3, -5}, [&] { return albion.TechProgress[3]; }, 0},
        {L"Country.SetTechResearchProgress", {1, 3, 2e9}, [&] { return albion.TechProgress[3]; }, 1e6},
        {L"Country.ChangeTechResearchProgress", {1, 3, -3e9}, [&] { return albion.TechProgress[3]; }, 0},
        {L"Country.ChangeTechResearchProgress", {1, 3, 3e9}, [&] { return albion.TechProgress[3]; }, 1e6},
        {L"City.SetProductionPoints", {11, 3, 5e7}, [&] { return berolina.ProductionPoints; }, 1e6},
        {L"City.ChangeProductionPoints", {11, 3, -3e9}, [&] { return berolina.ProductionPoints; }, -1e6},
        {L"Country.SetAllianceEntry", {1, -50}, [&] { return albion.AllianceEntry; }, 0},
        {L"Country.AddConvoy", {1, 1, 2e9, 3, 3, 7, 6}, [&] { return game->m_Convoys->Convoys[0].back().value; }, 1e6},
        {L"Country.SetActive", {1, 0}, [&] { return double(albion.IsActive); }, 0},
        {L"Country.SetActive", {1, nan}, [&] { return double(albion.IsActive); }, 1}, // any value but 0 is yes
    };
    for (const auto& c : cases) {
        Fire(c.method, c.params);
        EXPECT_EQ(c.value(), c.expected) << c.method;
    }
    EXPECT_TRUE(LogContains(L"WARNING: effect Country.SetWarEconomy at line 42 sets the war economy to 5e+07, "
                            L"outside -1000000 to 1000000; 1000000 is used"));

    // A doctrine counter stops there too, then loses the month of the count-down.
    albion.TechLevel[TECH_DOCTRINE] = 1;
    albion.MonthsToDoctrineLevel[2] = 5;
    Fire(L"Country.ChangeMonthsToReachWarfareDoctrineLevel", {1, 3e9});
    EXPECT_EQ(albion.MonthsToDoctrineLevel[2], 999999);
}

} // namespace
