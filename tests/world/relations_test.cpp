#include <gtest/gtest.h>

#include "core/stringbase.h"
#include "platform/paths.h"
#include "tests/test_support.h"
#include "tests/world/world_fixture.h"

using namespace testing_support;

TEST(Relations, WarFlagsSharesAndPeace)
{
    cRelationsMatrix r;
    r.Resize(3);
    r.SetWar(1, 1, 1);
    EXPECT_FALSE(r.IsAtWar(1, 1));
    r.SetWar(1, 2, 1);
    EXPECT_TRUE(r.IsAtWar(1, 2));
    EXPECT_FALSE(r.IsAtWar(2, 1)); // the matrix does not tie the two directions
    r.SetWar(3, 1, 1);
    r.MakePeaceWithAll(1);
    EXPECT_FALSE(r.IsAtWar(1, 2));
    EXPECT_FALSE(r.IsAtWar(2, 1));
    EXPECT_TRUE(r.IsAtWar(3, 1)); // (1, 3) was not set, so (3, 1) stays
    r.SetWar(1, 3, 1);
    r.MakePeaceWithAll(1);
    EXPECT_FALSE(r.IsAtWar(1, 3)); // the last country too
    EXPECT_FALSE(r.IsAtWar(3, 1));

    r.AddLosses(1, 3, 30.0f);
    r.AddLosses(2, 3, 10.0f);
    r.AddLosses(3, 1, 2.0f);
    r.RecomputeLossShares();
    EXPECT_FLOAT_EQ(r.GetLossShare(1, 3), 0.75f);
    EXPECT_FLOAT_EQ(r.GetLossShare(2, 3), 0.25f);
    EXPECT_EQ(r.GetLossShare(1, 2), 0.0f);
    EXPECT_EQ(r.GetLossShare(3, 1), 1.0f);
    EXPECT_FLOAT_EQ(r.GetLossesColumnSum(3), 40.0f);

    // Nobody (id 0) is logged and answered as peace without losses; the game goes on.
    LoadGameTexts();
    r.SetWar(1, 0, 1);
    r.AddLosses(0, 1, 1.0f);
    EXPECT_FALSE(r.IsAtWar(0, 1));
    EXPECT_EQ(r.GetLosses(0, 1), 0.0f);
    EXPECT_EQ(r.GetLossShare(1, 0), 0.0f);
    EXPECT_FLOAT_EQ(r.GetLossesColumnSum(1), 2.0f);
    EXPECT_TRUE(LogContains(L"ERROR: Country ID parameter was 0 while checking relations"));
    EXPECT_EQ(CountLogLinesStartingWith(LangMessage("country_id_parameter_was_0_while_setting_war.")), 1);
    // Beyond the matrix: answered as peace without losses, never read out of it.
    EXPECT_FALSE(r.IsAtWar(1, 4));
    EXPECT_EQ(r.GetLosses(9, 1), 0.0f);
    EXPECT_FALSE(r.IsAtWar(-1, 2));
    EXPECT_TRUE(LogContains(L"ERROR: Country ID -1 or 2 is outside the relations of 3 countries"));
}

TEST(Relations, FilesReadBackAndShortRowsStayAtPeace)
{
    const auto dir = MakeScratchDir("relations");
    // A comment longer than any line buffer is one line.
    WriteFile(dir / "relations.csv", "#Relations" + std::string(5000, '-') + "\n1;One;1;1;1\n2;Two;1\n3;Three;0;1\n");
    WriteFile(dir / "losses.csv", "#Losses\n1;One;0;5.5;2;\n2;Two;1.25;\n");
    cTestWorld w(2, 2);
    for (int i = 0; i < 3; ++i)
        w.AddCountry(0);
    w.relations.Load(3, PatternOf(dir));
    EXPECT_FALSE(w.relations.IsAtWar(1, 1));
    EXPECT_TRUE(w.relations.IsAtWar(1, 2));
    EXPECT_TRUE(w.relations.IsAtWar(2, 1));
    EXPECT_FALSE(w.relations.IsAtWar(2, 3)); // missing value
    EXPECT_TRUE(w.relations.IsAtWar(1, 3));  // the last column
    EXPECT_TRUE(w.relations.IsAtWar(3, 2));
    EXPECT_FLOAT_EQ(w.relations.GetLosses(1, 2), 5.5f);
    EXPECT_FLOAT_EQ(w.relations.GetLosses(2, 1), 1.25f);
    EXPECT_FLOAT_EQ(w.relations.GetLosses(1, 3), 2.0f);
    // Nobody (id 0) is asked about all the time, a hex nobody holds: no error line for it.
    ClearLog();
    EXPECT_FALSE(CountriesAtWar(0, 2));
    EXPECT_FALSE(CountriesAtWar(2, 0));
    EXPECT_TRUE(LogLines().empty());
    EXPECT_TRUE(CountriesAtWar(1, 2)); // the first country is somebody, either way round
    EXPECT_TRUE(CountriesAtWar(2, 1));

    const auto out = MakeScratchDir("relations_out");
    w.relations.SaveRelations(FolderOf(out));
    w.relations.SaveLosses(FolderOf(out));
    auto text = ReadWholeFile(out / "relations.csv");
    ASSERT_TRUE(text);
    EXPECT_EQ(*text, "#Relations matrix [0=peace, 1=war]\r\n#Country ID;Country Name;Relations with all countries "
                     "[0=peace, 1=war]\r\n1;Country 1;0;1;1\r\n2;Country 2;1;0;0\r\n3;Country 3;0;1;0");
    cRelationsMatrix again;
    again.Load(3, PatternOf(out));
    for (int a = 1; a <= 3; ++a)
        for (int b = 1; b <= 3; ++b)
        {
            EXPECT_EQ(again.IsAtWar(a, b), w.relations.IsAtWar(a, b));
            EXPECT_FLOAT_EQ(again.GetLosses(a, b), w.relations.GetLosses(a, b));
        }
}

TEST(Relations, BadCountryIdsEndTheProgramWithTheFileAndLine)
{
    const auto dir = MakeScratchDir("relations_bad");
    WriteFile(dir / "relations.csv", "#x\n1;One;0;1\n3;Three;0;1\n");
    WriteFile(dir / "losses.csv", "#x\n");
    cRelationsMatrix r;
    ClearLog();
    EXPECT_THROW(r.Load(2, PatternOf(dir)), sFatalExit);
    EXPECT_TRUE(LogContains(L"Error in file " + FolderOf(dir) + L"/relations.csv line no. 3"));
    std::filesystem::remove(dir / "losses.csv");
    WriteFile(dir / "relations.csv", "1;One;0;1\n");
    EXPECT_THROW(r.Load(2, PatternOf(dir)), sFatalExit);
}
