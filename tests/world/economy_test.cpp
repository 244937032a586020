// The periodic economy of a country on Testland: production, upkeep, research, doctrine.
#include "core/format.h"
#include "core/random.h"
#include "tests/game/testland_game.h"
#include "tests/test_support.h"
#include "units/unit_tables.h"
#include "world/city.h"
#include "world/relations.h"
#include "world/world.h"

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
    // Borussia's cities all yield nothing but Berolina's 8 PP.
    for (cMiasto* city : game->m_Cities)
        city->ProductionPoints = 0.0f;
    Hex(11, 3).city->ProductionPoints = 8.0f;
    cPanstwo& borussia = Country(kBorussia);
    const struct
    {
        bool human;
        int level;
        float unrest, warEconomy;
        double collected;
        const wchar_t* modifiers;
    } cases[] = {
        {false, 0, 0, 100, 4.0, L"Civil Order: 100.0%\nWar Economy: 100.0%\nDifficulty level: 50.0%\n\nTotal modifier: 50.0%"},
        {false, 1, 0, 100, 6.0, L"Difficulty level: 75.0%"},
        {false, 2, 0, 100, 8.0, L"Difficulty level: 100.0%"},
        {false, 3, 0, 100, 12.0, L"Difficulty level: 150.0%"},
        {false, 4, 0, 100, 16.0, L"Difficulty level: 200.0%"},
        {false, 7, 0, 100, 8.0, L"Difficulty level: 100.0%"},
        // A person's country collects the same whatever its difficulty level.
        {true, 0, 0, 100, 8.0, L"Difficulty level: 100.0%"},
        {true, 4, 0, 100, 8.0, L"Difficulty level: 100.0%"},
        {false, 2, 25, 50, 3.0, L"Civil Order: 75.0%\nWar Economy: 50.0%\nDifficulty level: 100.0%\n\nTotal modifier: 37.5%"},
        {false, 4, 100, 100, 0.0, L"Civil Order: 0.0%"},
    };
    for (const auto& c : cases)
    {
        borussia.HumanControlled = c.human;
        borussia.DifficultyLevel = c.level;
        borussia.SocialUnrest = c.unrest;
        borussia.WarEconomy = c.warEconomy;
        std::wstring content;
        EXPECT_NEAR(Collect(borussia, &content), c.collected, 1e-9) << c.modifiers;
        EXPECT_NE(content.find(c.modifiers), std::wstring::npos) << std::string(content.begin(), content.end());
        EXPECT_TRUE(content.ends_with(FormatText(L"Collected: %.1f PP", c.collected))) << c.modifiers;
    }
}

TEST_F(Economy, ProductionCountsEachCityByWhoHoldsOwnsAndFirstOwnedIt)
{
    // Only Colonia yields (8 PP); Valdonia collects it in full. Valdonia dealt Borussia a
    // quarter of its losses and Albion half of its, and shares that much of an annexation.
    for (cMiasto* city : game->m_Cities)
        city->ProductionPoints = 0.0f;
    cMiasto& colonia = *Hex(9, 5).city;
    colonia.ProductionPoints = 8.0f;
    game->m_Consts.ProductionShares[0] = 0.5f;  // occupied
    game->m_Consts.ProductionShares[1] = 0.25f; // annexed
    game->m_Consts.ProductionShares[2] = 0.1f;  // share of an ally's annexed city
    cRelationsMatrix& relations = *WorldRelations();
    for (int dealer = 1; dealer <= int(game->m_Countries.size()); ++dealer)
        for (int sufferer : {kAlbion, kBorussia})
            relations.AddLosses(dealer, sufferer, -relations.GetLosses(dealer, sufferer));
    relations.AddLosses(kValdonia, kBorussia, 1.0f);
    relations.AddLosses(kAlbion, kBorussia, 3.0f);
    relations.AddLosses(kValdonia, kAlbion, 1.0f);
    relations.AddLosses(kBorussia, kAlbion, 1.0f);
    relations.RecomputeLossShares();
    cPanstwo& valdonia = Country(kValdonia);
    valdonia.HumanControlled = false;
    valdonia.DifficultyLevel = 2;
    valdonia.SocialUnrest = 0.0f;
    valdonia.WarEconomy = 100.0f;
    const struct
    {
        int type, controller, owner, original;
        double resources, own, occupied, annexed, share;
    } cases[] = {
        {CITY_RESOURCES, kValdonia, kBorussia, kBorussia, 8, 0, 0, 0, 0},
        {CITY_NORMAL, kValdonia, kBorussia, kValdonia, 0, 8, 0, 0, 0}, // its own ground first
        {CITY_SUPPLY, kValdonia, kBorussia, kBorussia, 0, 0, 4, 0, 0},
        {CITY_NORMAL, kValdonia, kValdonia, kAlbion, 0, 0, 0, 2, 0.4},
        {CITY_NORMAL, kAlbion, kAlbion, kBorussia, 0, 0, 0, 0, 0.2},
        {CITY_RESOURCES, kAlbion, kAlbion, kBorussia, 0, 0, 0, 0, 0},
        {CITY_NORMAL, kAlbion, kBorussia, kBorussia, 0, 0, 0, 0, 0}, // held, not annexed
        {CITY_NORMAL, kAlbion, kAlbion, kAlbion, 0, 0, 0, 0, 0},
        {CITY_NORMAL, kBorussia, kBorussia, kAlbion, 0, 0, 0, 0, 0}, // an enemy's annexation
        {CITY_NORMAL, kRuthenia, kRuthenia, kBorussia, 0, 0, 0, 0, 0},
    };
    for (const auto& c : cases)
    {
        colonia.Type = c.type;
        sHex& hex = Hex(9, 5);
        hex.controller = uint8_t(c.controller);
        hex.owner = uint8_t(c.owner);
        hex.originalOwner = uint8_t(c.original);
        const double total = c.resources + c.own + c.occupied + c.annexed + c.share;
        std::wstring content;
        EXPECT_NEAR(Collect(valdonia, &content), total, 1e-6) << c.type << " " << c.controller << c.owner << c.original;
        EXPECT_TRUE(content.starts_with(FormatText(L"Resources: %.1f PP\nOwn cities: %.1f PP\nOccupied cities: %.1f PP\n"
                                                   L"Annexed cities: %.1f PP\nShare from annexed cities: %.1f PP\n\n"
                                                   L"Total production: %.1f PP",
                                                   c.resources, c.own, c.occupied, c.annexed, c.share, total)))
            << std::string(content.begin(), content.end());
    }
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
    ScriptRandomRaw({32767, 32767, 0}); // artillery rolls 6, tanks 6 and 1

    std::wstring heading, content;
    albion.DoMonthlyResearch(heading, content);
    EXPECT_EQ(albion.TechLevel[TECH_ARTILLERY], 3);
    EXPECT_EQ(albion.TechInvestment[TECH_ARTILLERY], 0);
    EXPECT_EQ(albion.TechProgress[TECH_ARTILLERY], 0);
    EXPECT_EQ(albion.TechProgress[TECH_TANKS], 7);
    EXPECT_EQ(albion.TechInvestment[TECH_TANKS], 2) << "an unfinished investment rolls again next month";
    EXPECT_EQ(albion.TechInvestment[TECH_NAVY], 3);
    EXPECT_EQ(albion.NuclearBombs, 1);
    EXPECT_EQ(content, L"Artillery: level 3 reached!\n"
                       L"Tanks: progress rose from 0 to 7; estimated months to go: 16.\n"
                       L"Aircraft: no investments.\n"
                       L"Submarines: no investments.\n"
                       L"Warships: the highest level is reached.\n"
                       L"Atomic weapons: Albion acquires a new atomic bomb.\n");

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
    EXPECT_TRUE(content.ends_with(L"Atomic weapons: level 1 reached!\nAlbion acquires a new atomic bomb.\n"))
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
    // Albion's own news: with several people at the screen, it is read under Albion's cover.
    ASSERT_FALSE(screen.requests.empty());
    EXPECT_EQ(screen.requests.back().countryId, 1);
}

} // namespace
