#include <gtest/gtest.h>

#include "core/csv.h"
#include "platform/paths.h"
#include "tests/test_support.h"
#include "tests/world/world_fixture.h"

using namespace testing_support;

namespace {
// One row of countries.csv with every column given; tokens beyond count are dropped.
std::string Row(int id, const std::string& name, int alliance, int tokens = 70, const std::string& unrest = "12.5")
{
    std::vector<std::string> t(70, "0");
    t[0] = std::to_string(id);
    t[1] = "1";
    t[2] = name;
    t[3] = "FF0000";
    t[4] = "ff00ff00";
    t[5] = "1A";
    t[6] = "0";
    t[7] = std::to_string(alliance);
    t[8] = "4";
    t[9] = "2";
    t[10] = "55";
    t[11] = std::to_string(100 - id);
    t[13] = "1";
    for (int i = 14; i <= 20; ++i)
        t[size_t(i)] = std::to_string(i - 13);
    t[21] = "123.4567891";
    t[22] = "7";
    for (int i = 23; i <= 42; ++i)
        t[size_t(i)] = std::to_string(i);
    for (int i = 43; i <= 45; ++i) // flags
        t[size_t(i)] = std::to_string(i % 2);
    for (int i = 29; i <= 34; ++i)  // research investments: 0 to 3 points
        t[size_t(i)] = std::to_string((i - 29) % 4);
    t[47] = unrest;
    t[48] = "33.25";
    t[49] = "2";
    t[50] = "3";
    t[51] = "4";
    for (int i = 52; i <= 58; ++i)
        t[size_t(i)] = std::to_string(i * 2);
    for (int i = 59; i <= 61; ++i) // flags
        t[size_t(i)] = std::to_string(i % 2);
    t[62] = "3";
    t[63] = "1.5";
    t[64] = "0.75";
    t[65] = "0.5";
    t[66] = "0.25";
    t[67] = "0.125";
    t[68] = "0";
    t[69] = name + "Skin";
    std::string row;
    for (int i = 0; i < tokens; ++i)
        row += t[size_t(i)] + ";";
    return row;
}
} // namespace

TEST(Countries, ReadAndWrittenTableGivesTheSameCountries)
{
    const auto dir = MakeScratchDir("countries");
    // "nan" is no number: the table is refused, naming where it stands. A title line of another
    // table is a comment here.
    std::string notANumber = Row(5, "Epsilon", 1, 70, "nan");
    notANumber.replace(notANumber.find("123.4567891"), 11, "nan");
    notANumber.replace(notANumber.find("33.25"), 5, "nan");
    std::string noArtillery = Row(3, "Gamma", 0, 70, "-5"); // technology level 0 is a level like any other
    noArtillery.replace(noArtillery.find(";1;1;2;3;"), 9, ";1;0;2;3;");
    WriteFile(dir / "countries.csv", "#comment\n#Fleets;of the sea;\n" + Row(1, "Alpha", 1) + "\n" +
                                         Row(2, "Beta", 5, 69) + "\n" + noArtillery + "\n" +
                                         Row(4, "Delta", 3, 70, "250") + "\n" + notANumber + "\n");
    cTestWorld w(2, 2);
    try {
        LoadCountries(PatternOf(dir), w.countries, L"none");
        ADD_FAILURE() << "a production of nan was read";
    } catch (const sFatalExit& e) {
        EXPECT_EQ(e.reason, FolderOf(dir) + L"/countries.csv, line 7, column 22 (PPs): \"nan\" is not a number");
    }
    WriteFile(dir / "countries.csv", "#comment\n#Fleets;of the sea;\n" + Row(1, "Alpha", 1) + "\n" +
                                         Row(2, "Beta", 5, 69) + "\n" + noArtillery + "\n" +
                                         Row(4, "Delta", 3, 70, "250") + "\n" + Row(5, "Epsilon", 1) + "\n");
    ClearLog();
    LoadCountries(PatternOf(dir), w.countries, L"none");
    ASSERT_EQ(w.countries.size(), 5u);
    // -5 and 250 are clamped as the table says, and told.
    EXPECT_EQ(CountLogLinesStartingWith(L"WARNING"), 2);
    EXPECT_TRUE(LogContains(L"WARNING: " + FolderOf(dir) +
                            L"/countries.csv, line 6, column 48 (Social unrest): 250 is outside 0 to 100; taken as 100"));
    const cPanstwo& a = *w.countries[0];
    EXPECT_EQ(a.Name, L"Alpha");
    EXPECT_EQ(a.SkinName, L"AlphaSkin");
    EXPECT_EQ(w.countries[1]->SkinName, L"Beta"); // 69 tokens: the skin is the name
    EXPECT_EQ(a.Color1, 0xFF0000u);
    EXPECT_EQ(a.Color2, 0xFF00FF00u);
    EXPECT_EQ(a.Color3, 0x1Au);
    EXPECT_EQ(a.TechLevel[TECH_DOCTRINE], 3);
    EXPECT_EQ(a.TechInvestment[TECH_DOCTRINE], -1);
    EXPECT_EQ(a.TechProgress[TECH_DOCTRINE], -1);
    EXPECT_EQ(a.TechInvestment[TECH_AIRCRAFT], 2);
    EXPECT_EQ(a.TechProgress[TECH_NUCLEAR], 40);
    EXPECT_EQ(a.TechInvestment[TECH_SUBMARINES], 3);
    EXPECT_EQ(a.TechProgress[TECH_SUBMARINES], 38);
    EXPECT_EQ(w.countries[2]->TechLevel[TECH_ARTILLERY], 0);
    EXPECT_EQ(a.MonthsToDoctrineLevel[0], 108);
    EXPECT_EQ(a.MonthsToDoctrineLevel[4], 116);
    EXPECT_EQ(a.WinterBattle, 0.75f);
    EXPECT_FALSE(a.DoneTurnInOrientation);
    EXPECT_DOUBLE_EQ(a.PP, 123.4567891);
    EXPECT_EQ(a.SocialUnrest, 12.5f);
    EXPECT_EQ(w.countries[2]->SocialUnrest, 0.0f);
    EXPECT_EQ(w.countries[3]->SocialUnrest, 100.0f);
    EXPECT_TRUE(a.HumanControlled);
    EXPECT_TRUE(a.DoneParliamentaryElections);
    EXPECT_EQ(a.PBEMPlayerId, 3);
    EXPECT_EQ(a.MudMove, 0.125f);
    EXPECT_EQ(a.SMPBought, 0); // a table from before the counts of bought points
    w.countries[0]->SMPBought = 3;
    w.countries[1]->AIPBought = 2;

    const auto out = MakeScratchDir("countries_out");
    SaveCountries(FolderOf(out), w.countries);
    cTestWorld v(2, 2);
    LoadCountries(PatternOf(out), v.countries, L"none");
    ASSERT_EQ(v.countries.size(), 5u);
    for (size_t i = 0; i < 5; ++i)
    {
        const cPanstwo& x = *w.countries[i];
        const cPanstwo& y = *v.countries[i];
        EXPECT_EQ(x.ID, y.ID);
        EXPECT_EQ(x.Name, y.Name);
        EXPECT_EQ(x.SkinName, y.SkinName);
        EXPECT_EQ(x.Color2, y.Color2);
        EXPECT_EQ(x.Alliance, y.Alliance);
        EXPECT_EQ(x.PoliticalStrength, y.PoliticalStrength);
        EXPECT_EQ(x.PP, y.PP);
        EXPECT_EQ(x.SMPMax, y.SMPMax);
        EXPECT_EQ(x.AIPMax, y.AIPMax);
        EXPECT_EQ(x.SMPBought, y.SMPBought);
        EXPECT_EQ(x.AIPBought, y.AIPBought);
        for (int k = 0; k < 7; ++k)
        {
            EXPECT_EQ(x.TechLevel[k], y.TechLevel[k]);
            EXPECT_EQ(x.TechInvestment[k], y.TechInvestment[k]);
            EXPECT_EQ(x.TechProgress[k], y.TechProgress[k]);
        }
        for (int k = 0; k < 5; ++k)
            EXPECT_EQ(x.MonthsToDoctrineLevel[k], y.MonthsToDoctrineLevel[k]);
        EXPECT_EQ(x.SocialUnrest, y.SocialUnrest);
        EXPECT_EQ(x.WarEconomy, y.WarEconomy);
        EXPECT_EQ(x.DoneExertPressureComintern, y.DoneExertPressureComintern);
        EXPECT_EQ(x.UnitUpkeepCostModifier, y.UnitUpkeepCostModifier);
        EXPECT_EQ(x.SpecialFlags, y.SpecialFlags);
    }
    // The written file has two comment rows, a row per country, and no line end at its end.
    auto text = ReadWholeFile(out / "countries.csv");
    ASSERT_TRUE(text);
    EXPECT_EQ(text->back(), ';');
    EXPECT_NE(text->find("\r\n1;1;Alpha;FF0000;FF00FF00;1A;0;1;4;2;55;99;0;1;"), std::string::npos);
}

TEST(Countries, ShortRowsAreReportedAndIdsMustFollowTheSequence)
{
    const auto dir = MakeScratchDir("countries_bad");
    WriteFile(dir / "countries.csv", Row(1, "Alpha", 1) + "\n" + Row(2, "Beta", 1, 68) + "\n" + Row(2, "Gamma", 2) + "\n");
    cTestWorld w(2, 2);
    ClearLog();
    LoadCountries(PatternOf(dir), w.countries, L"none");
    ASSERT_EQ(w.countries.size(), 2u);
    EXPECT_EQ(w.countries[1]->Name, L"Gamma");
    EXPECT_TRUE(LogContains(L"WARNING: wrong tokens (columns/values) amount (68) in " + FolderOf(dir) +
                            L"/countries.csv at line 2 (counting from 1)"));

    WriteFile(dir / "countries.csv", Row(1, "Alpha", 1) + "\n" + Row(3, "Gamma", 2) + "\n");
    EXPECT_THROW(LoadCountries(PatternOf(dir), w.countries, L"none"), sFatalExit);
    // A lost line end: the refusal gives a row's width, its skin name and bought points optional.
    WriteFile(dir / "countries.csv", Row(1, "Alpha", 1) + Row(2, "Beta", 1) + "\n");
    try {
        LoadCountries(PatternOf(dir), w.countries, L"none");
        ADD_FAILURE() << "two rows run together were read";
    } catch (const sFatalExit& e) {
        EXPECT_EQ(e.reason, FolderOf(dir) + L"/countries.csv, line 1: a row of 140 fields, where a row has 69 to 72: "
                                            L"two rows run together (a line end is missing)");
    }
    std::filesystem::remove(dir / "countries.csv");
    EXPECT_THROW(LoadCountries(PatternOf(dir), w.countries, L"none"), sFatalExit);
}

TEST(Countries, LongNamesAreCutAndReported)
{
    const auto dir = MakeScratchDir("countries_long");
    WriteFile(dir / "countries.csv", Row(1, std::string(120, 'N'), 1) + "\n");
    cTestWorld w(2, 2);
    ClearLog();
    LoadCountries(PatternOf(dir), w.countries, L"none");
    ASSERT_EQ(w.countries.size(), 1u);
    EXPECT_EQ(w.countries[0]->Name.size(), 99u);
    EXPECT_TRUE(LogContains(L"WARNING: skin name longer than 99 characters in " + FolderOf(dir) +
                            L"/countries.csv at line 1, cut"));
}

TEST(Countries, SidesAlliancesAndOrientations)
{
    cTestWorld w(2, 2);
    const int member = w.AddCountry(1);
    const int leader = w.AddCountry(4);
    const int axis = w.AddCountry(5);
    const int neutral = w.AddCountry(0);
    const cPanstwo& m = *w.countries[size_t(member - 1)];
    const cPanstwo& n = *w.countries[size_t(neutral - 1)];
    EXPECT_TRUE(m.IsAlliedWith(leader));
    EXPECT_TRUE(m.IsAlliedWith(member));
    EXPECT_FALSE(m.IsAlliedWith(axis));
    EXPECT_FALSE(n.IsAlliedWith(neutral));
    EXPECT_FALSE(m.IsAlliedWith(0)); // nobody: logged, the game goes on
    EXPECT_TRUE(LogContains(L"ERROR: Country ID parameter was 0 while checking alliance!"));
    EXPECT_FALSE(m.IsAlliedWith(99)); // no such country: logged, never read out of the vector

    EXPECT_TRUE(m.IsOnSide(4));
    EXPECT_TRUE(m.IsOnSide(1));
    EXPECT_FALSE(m.IsOnSide(2));
    cPanstwo comintern;
    comintern.Alliance = 6;
    EXPECT_TRUE(comintern.IsOnSide(3));
    for (int code = 0; code <= 6; ++code)
        EXPECT_FALSE(n.IsOnSide(code));
    // A code outside 1 to 6 is no side, whatever the alliance.
    for (const auto& [alliance, code] : {std::pair{3, 0}, {2, -1}, {4, 7}, {6, 9}}) {
        cPanstwo c;
        c.Alliance = alliance;
        EXPECT_FALSE(c.IsOnSide(code)) << alliance << " on side " << code;
    }
    EXPECT_EQ(w.countries[size_t(axis - 1)]->GetAllianceOrder(), 1);
    EXPECT_EQ(m.GetAllianceOrder(), 2);
    EXPECT_EQ(n.GetAllianceOrder(), 4);

    cPanstwo a, b;
    a.Orientation = 0;
    b.Orientation = 3;
    EXPECT_TRUE(a.HasSimilarOrientation(b));
    b.Orientation = 4;
    EXPECT_FALSE(a.HasSimilarOrientation(b));
    a.Orientation = 6;
    EXPECT_FALSE(a.HasSimilarOrientation(b));
    a.Orientation = 5;
    b.Orientation = 2;
    EXPECT_TRUE(a.HasSimilarOrientation(b));
    EXPECT_TRUE(b.HasSimilarOrientation(a));
    b.Orientation = 4;
    b.ZoneOfInfluence = 2;
    EXPECT_TRUE(b.IsOrientationInZoneOfInfluence());
    b.ZoneOfInfluence = 1;
    EXPECT_FALSE(b.IsOrientationInZoneOfInfluence());
    b.Orientation = 6; // no orientation: in no zone, though 6 would fall in zone 1
    EXPECT_FALSE(b.IsOrientationInZoneOfInfluence());

    // The best own city: a supply city (plain or port) before any other, the most production first.
    EXPECT_EQ(m.FindBestOwnCity(), nullptr);
    w.AddCity(L"Normal", 0, 0, CITY_NORMAL, member)->ProductionPoints = 9;
    EXPECT_EQ(m.FindBestOwnCity()->Name, L"Normal");
    w.AddCity(L"Supply", 1, 0, CITY_SUPPLY, member)->ProductionPoints = 2;
    EXPECT_EQ(m.FindBestOwnCity()->Name, L"Supply");
    w.AddCity(L"Supply port", 0, 1, CITY_SUPPLY_PORT, member)->ProductionPoints = 3;
    EXPECT_EQ(m.FindBestOwnCity()->Name, L"Supply port");

    w.War(member, axis);
    EXPECT_TRUE(m.IsAtWarWith(axis));
    EXPECT_TRUE(m.IsAtWar());
    EXPECT_FALSE(n.IsAtWar());
}

TEST(Countries, UnitTypeNamesPointsAndSavedView)
{
    cTestWorld w(2, 2);
    int refreshes = 0;
    g_World.hooks.refreshPoints = [&refreshes] { ++refreshes; };
    cPanstwo& c = *w.countries[size_t(w.AddCountry(1) - 1)];
    c.SetUnitTypeName(16, L"Harbour");
    c.SetUnitTypeName(9, L"Heavy bomber");
    EXPECT_EQ(c.GetUnitTypeName(60), L"Harbour");
    EXPECT_EQ(c.GetUnitTypeName(22), L"Heavy bomber");
    EXPECT_EQ(c.GetUnitTypeName(7), L"Unknown");
    c.SetUnitTypeName(15, L"Transport");
    EXPECT_EQ(c.GetUnitTypeName(45), L"Transport");
    c.SetUnitTypeName(17, L"nothing"); // logged, no slot written

    c.AddProductionPoints(-2.5);
    c.AddDiplomaticPoints(3);
    c.AddStrategicMovementPoints(4);
    c.AddSeaTransportPoints(5);
    c.AddAmphibiousInvasionPoints(6);
    EXPECT_EQ(c.PP, -2.5);
    EXPECT_EQ(c.DP + c.SMP + c.STP + c.AIP, 18);
    EXPECT_EQ(refreshes, 5);

    EXPECT_EQ(c.GetSavedView()[2], -100.0f);
    c.SetSavedView(1, 2, 3);
    EXPECT_EQ(c.GetSavedView()[1], 2.0f);

    cPanstwo copy(c);
    EXPECT_EQ(copy.GetUnitTypeName(60), L"Harbour");
}
