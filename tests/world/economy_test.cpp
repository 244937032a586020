// The periodic economy of a country on Testland: production, upkeep, research, doctrine.
#include "core/format.h"
#include "core/random.h"
#include "tests/game/testland_game.h"
#include "tests/test_support.h"
#include "units/unit_tables.h"
#include "world/city.h"

using namespace testing_support;

using namespace testland;

namespace {

class Economy : public testland::TestlandGame
{
protected:
    // The production points the country collects this month.
    static double Collect(cPanstwo& c, std::wstring* content = nullptr)
    {
        std::wstring heading, text;
        const double before = c.PP;
        c.CollectProduction(heading, text);
        if (content)
            *content = text;
        return c.PP - before;
    }
};

TEST_F(Economy, ProductionFollowsCivilOrderAndTheDifficultyOfComputerCountries)
{
    cPanstwo& borussia = Country(2);
    borussia.DifficultyLevel = 2;
    std::wstring content;
    const double normal = Collect(borussia, &content);
    EXPECT_GT(normal, 0.0);
    const float mines = Hex(10, 6).city->ProductionPoints;
    EXPECT_NE(content.find(FormatText(L"Resources: %.1f PP", mines)), std::wstring::npos) << "the Ruhr mines";
    borussia.DifficultyLevel = 4;
    EXPECT_NEAR(Collect(borussia), 2.0 * normal, 1e-6);

    borussia.SocialUnrest = 100.0f;
    const double before = borussia.PP;
    EXPECT_EQ(Collect(borussia, &content), 0.0);
    EXPECT_EQ(borussia.PP, before);
    EXPECT_TRUE(content.ends_with(L"Collected: 0.0 PP")) << std::string(content.begin(), content.end());

    // A person's country collects the same whatever its difficulty level.
    cPanstwo& albion = Country(1);
    albion.DifficultyLevel = 0;
    const double hard = Collect(albion);
    albion.DifficultyLevel = 4;
    EXPECT_NEAR(Collect(albion), hard, 1e-6);
}

TEST_F(Economy, UpkeepIsPaidForLandAndAirUnitsAndNothingWithoutUnits)
{
    std::wstring heading, summary;
    cPanstwo& dummy = Country(6);
    dummy.PP = 10.0;
    dummy.PayUnitUpkeep(heading, summary);
    EXPECT_EQ(dummy.PP, 10.0);
    EXPECT_NE(summary.find(L"Total strength of the units: 0.00"), std::wstring::npos);
    EXPECT_NE(summary.find(L"Total upkeep: 0.00 PP"), std::wstring::npos);
    // The unit's value times the upkeep factor, then times the country's modifier.
    game->m_Consts.UnitUpkeepFactor = 0.1f;
    dummy.UnitUpkeepCostModifier = 0.3f;
    const cJednostkaLadowa* unit = AddLandUnit(6, 19, 15);
    dummy.PayUnitUpkeep(heading, summary);
    EXPECT_EQ(dummy.PP, 10.0 - double(unit->GetFullStrengthValue()) * 0.1f * 0.3f);

    cPanstwo& albion = Country(1);
    const double before = albion.PP;
    albion.PayUnitUpkeep(heading, summary);
    EXPECT_EQ(heading, L"Unit upkeep of Albion");
    EXPECT_LT(albion.PP, before);
    EXPECT_NE(summary.find(FormatText(L"PP now: %.2f", albion.PP)), std::wstring::npos);

    // Ships pay nothing: without its land and air units Albion pays nothing more.
    while (KillNextLandUnitOfCountry(1) || KillNextAirUnitOfCountry(1))
        ;
    DeleteReserveUnitsOfCountry(1);
    while (KillNextCarriedLandUnitOfCountry(1))
        ;
    const double afterUnits = albion.PP;
    albion.PayUnitUpkeep(heading, summary);
    EXPECT_EQ(albion.PP, afterUnits);
}

TEST_F(Economy, ResearchSpendsTheInvestmentOnlyOnSuccessAndMakesBombsAtTheTop)
{
    cPanstwo& albion = Country(1);
    albion.TechLevel[TECH_ARTILLERY] = 2;
    albion.TechInvestment[TECH_ARTILLERY] = 1;
    albion.TechProgress[TECH_ARTILLERY] = 95; // 100 points make a level
    albion.TechLevel[TECH_TANKS] = 2;
    albion.TechInvestment[TECH_TANKS] = 2;
    albion.TechLevel[TECH_NAVY] = 5; // the highest level
    albion.TechInvestment[TECH_NAVY] = 3;
    albion.TechLevel[TECH_NUCLEAR] = 1; // the highest level of Testland's bombs
    albion.NuclearBombs = 0;
    ScriptRandomRaw({32767, 0, 0}); // artillery rolls 6, tanks 1 and 1

    std::wstring heading, content;
    albion.DoMonthlyResearch(heading, content);
    EXPECT_EQ(albion.TechLevel[TECH_ARTILLERY], 3);
    EXPECT_EQ(albion.TechInvestment[TECH_ARTILLERY], 0);
    EXPECT_EQ(albion.TechProgress[TECH_ARTILLERY], 0);
    EXPECT_EQ(albion.TechProgress[TECH_TANKS], 2);
    EXPECT_EQ(albion.TechInvestment[TECH_TANKS], 2) << "an unfinished investment rolls again next month";
    EXPECT_EQ(albion.TechInvestment[TECH_NAVY], 3);
    EXPECT_EQ(albion.NuclearBombs, 1);
    EXPECT_EQ(content, L"Artillery: level 3 reached!\n"
                       L"Tanks: progress rose from 0 to 2; about 17 months to go.\n"
                       L"Aircraft: no investments.\n"
                       L"Submarines: no investments.\n"
                       L"Warships: the highest level is reached.\n"
                       L"Nuclear bomb: Albion acquires a new nuclear bomb.\n");

    albion.DoMonthlyResearch(heading, content);
    EXPECT_EQ(albion.NuclearBombs, 2) << "one bomb every month without research";

    // The top level reached by research gives its bomb at once, on a line of its own.
    std::fill(albion.TechInvestment, albion.TechInvestment + 7, 0);
    albion.TechLevel[TECH_NUCLEAR] = 0;
    albion.TechInvestment[TECH_NUCLEAR] = 1;
    albion.TechProgress[TECH_NUCLEAR] = GameConsts().ResearchPointsPerLevel[TECH_NUCLEAR] - 1;
    ScriptRandomRaw({0});
    albion.DoMonthlyResearch(heading, content);
    EXPECT_EQ(albion.NuclearBombs, 3);
    EXPECT_TRUE(content.ends_with(L"Nuclear bomb: level 1 reached!\nAlbion acquires a new nuclear bomb.\n"))
        << std::string(content.begin(), content.end());
}

TEST_F(Economy, DoctrineCountersRaiseTheLevelInTheirMonthsAndTellThePerson)
{
    cPanstwo& borussia = Country(2);
    borussia.TechLevel[TECH_DOCTRINE] = 0;
    const int counters[5] = {3, 5, 8, 12, 20};
    std::copy(counters, counters + 5, borussia.MonthsToDoctrineLevel);
    std::vector<int> raisedIn;
    for (int month = 1; month <= 24; ++month)
    {
        const int before = borussia.TechLevel[TECH_DOCTRINE];
        borussia.AdvanceLandWarfareDoctrine();
        if (borussia.TechLevel[TECH_DOCTRINE] != before)
            raisedIn.push_back(month);
    }
    EXPECT_EQ(raisedIn, (std::vector<int>{3, 5, 8, 12, 20}));
    EXPECT_EQ(borussia.TechLevel[TECH_DOCTRINE], 5);
    EXPECT_EQ(CountLogLinesStartingWith(L"Headless answer: message"), 0) << "nobody is told of a computer's doctrine";

    cPanstwo& albion = Country(1); // played by a person
    albion.TechLevel[TECH_DOCTRINE] = 0;
    std::fill(albion.MonthsToDoctrineLevel, albion.MonthsToDoctrineLevel + 5, 1);
    albion.AdvanceLandWarfareDoctrine();
    EXPECT_EQ(albion.TechLevel[TECH_DOCTRINE], 5);
    EXPECT_EQ(CountLogLinesStartingWith(L"Headless answer: message \"New doctrine level!\""), 5);
}

} // namespace
