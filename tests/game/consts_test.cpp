#include <gtest/gtest.h>

#include <filesystem>

#include "core/fatal.h"
#include "core/text.h"
#include "game/consts.h"
#include "platform/paths.h"
#include "tests/test_support.h"

namespace {

std::string Fixture()
{
    auto text = ReadWholeFile(testing_support::FixtureDir() / "consts" / "consts.csv");
    EXPECT_TRUE(text.has_value());
    return text.value_or("");
}

// The fixture with one data row replaced (rows counted from 1, comments skipped).
std::string FixtureWithRow(int row, const std::string& replacement)
{
    std::string text = Fixture(), out;
    int n = 0;
    for (const std::string& line : SplitText(text, '\n')) {
        if (line.empty())
            continue;
        std::string l = line;
        if (l[0] != '#' && ++n == row)
            l = replacement + "\r";
        out += l + "\n";
    }
    return out;
}

TEST(GameConsts, CompleteFileFillsEveryRowInItsPlace)
{
    sGameConsts c;
    EXPECT_EQ(c.ReadFromText(Fixture()), kConstsRows);
    EXPECT_TRUE(c.CheckValues());

    for (int m = 0; m < 12; ++m)
        EXPECT_EQ(c.ImpulsesPerMonth[size_t(m)], 3);
    sGameDate date;
    date.calendar = &c.ImpulsesPerMonth;
    int days[3];
    for (int i = 1; i <= 3; ++i) {
        date.impulse = i;
        days[i - 1] = date.GetDayOfMonth();
    }
    EXPECT_EQ(days[0], 1);
    EXPECT_EQ(days[1], 11);
    EXPECT_EQ(days[2], 21);

    // A type-4 land unit with doctrine 2 takes value 5 of row 4; ten values keep seven.
    EXPECT_EQ(c.LandActionPoints[2][4], 6);
    EXPECT_EQ(c.LandActionPoints[2][6], 4);
    EXPECT_FLOAT_EQ(c.LandCombatStrength[2][0], 6.0f); // row 11, value 1
    EXPECT_EQ(c.AirActionPoints[2], 4);                // type 22: value 3 of row 8
    EXPECT_EQ(c.AirFullStrength[2], 14);
    EXPECT_EQ(c.AirStrategicMoveCost[2], 4);           // 4.7 truncated
    EXPECT_EQ(c.AirMoveMinSupply[2], 70);
    // Rows 15-17 keep field 10 apart.
    EXPECT_EQ(c.MoveCost[0][2], 3);
    EXPECT_EQ(c.MoveCost[0][7], 1);
    EXPECT_EQ(c.MoveCostNextToEnemy[0], 2);
    EXPECT_EQ(c.MoveCostNextToEnemy[2], 4);
    EXPECT_EQ(c.MoveCost[1][0], 2);
    // Air combat: die 1 column -4 is value 1 of rows 35 and 41; die 6 column +4 value 9.
    EXPECT_EQ(c.AirDefenderLosses[0][0], 0);
    EXPECT_EQ(c.AirDefenderLosses[5][8], 13);
    EXPECT_EQ(c.AirAttackerLosses[5][8], 18);
    EXPECT_EQ(c.MaxSupply, 30);
    // Row 73: 2, 5, 1, 1, 3, 4 keeps 5; a type-43 ship takes value 4 of the naval rows.
    EXPECT_EQ(c.ShipHitPointsMax, 5);
    EXPECT_EQ(c.ShipHitPoints[3], 1);
    EXPECT_EQ(c.ShipStrengthA[3], 6);
    EXPECT_EQ(c.ShipDamageMax[3], 2);
    EXPECT_EQ(c.PortCapacityToEnter[3], 1);
    EXPECT_EQ(c.PortCapacityToRepair[3], 2);
    EXPECT_DOUBLE_EQ(c.ShipRepairCost[0], 12.5);
    EXPECT_DOUBLE_EQ(c.ShipRepairCost[1], 10.25);
    EXPECT_EQ(c.DeclareWar[0][0], 0);
    EXPECT_EQ(c.DeclareWar[9][0], 54); // first row of the second table
    EXPECT_EQ(c.DeclareWar[17][5], 107);
    EXPECT_FLOAT_EQ(c.ShoreBombardment[12], 2.0f);
    EXPECT_EQ(c.AirborneAssaultWait, 3);
    EXPECT_FLOAT_EQ(c.Mulberry[2], 60.0f);
    EXPECT_FLOAT_EQ(c.UnitUpkeepFactor, 0.125f);
    EXPECT_FLOAT_EQ(c.AIFrontRatioThreshold, 0.25f);
    const float expected150[5] = {10.0f * 0.01f, 20.0f * 0.01f, 30.0f * 0.01f, 40.0f * 0.01f, 50.0f * 0.01f};
    for (int k = 0; k < 5; ++k)
        EXPECT_EQ(c.ShoreBombTechFactor[k], expected150[k]);
    EXPECT_FLOAT_EQ(c.RangeTechFactor[4], 1.4f);
    EXPECT_EQ(c.PurchaseNumber[9], 10);
    EXPECT_EQ(c.PurchaseNumberNaval[0], 11);
    EXPECT_EQ(c.PurchaseNumberNaval[3], 14);
    EXPECT_EQ(c.SpottingFriendly[1], 3);
    EXPECT_EQ(c.SpottingCarrierBonus, 15);
    EXPECT_EQ(c.ShipSunkChance, 20);
    EXPECT_FLOAT_EQ(c.AIShipRepairChance, 0.1f);
}

TEST(GameConsts, BandTablesTakeTheLastColumnReachingEachSupplyLevel)
{
    sGameConsts c;
    c.ReadFromText(Fixture());
    // Limits 50, 45, ..., 5: entries 46-50 from column 1, entries 1-5 from column 10.
    EXPECT_EQ(c.ActionPointCut[50], 90);
    EXPECT_EQ(c.ActionPointCut[46], 90);
    EXPECT_EQ(c.ActionPointCut[45], 80);
    EXPECT_EQ(c.ActionPointCut[5], 0);
    EXPECT_EQ(c.ActionPointCut[1], 0);
    EXPECT_EQ(c.InterceptorSupplyTerm[3], 6);
    EXPECT_EQ(c.BombardSupplyModifier[48], 55);
    EXPECT_EQ(c.LandReplacementMax[1], 10);
    EXPECT_EQ(c.AirReplacementMax[50], 11);
    // The fixed entries 0.
    EXPECT_EQ(c.ActionPointCut[0], 100);
    EXPECT_EQ(c.InterceptorSupplyTerm[0], -4);
    EXPECT_EQ(c.BombardSupplyModifier[0], 50);
    EXPECT_EQ(c.LandReplacementMax[0], 0);
    // Efficiency: 2 per entry sums to 100; thresholds 100 minus the running sums.
    EXPECT_EQ(c.SupplyEfficiency[0], -20);
    EXPECT_EQ(c.SupplyEfficiency[1], 0);
    EXPECT_EQ(c.SupplyEfficiency[2], 2);
    EXPECT_EQ(c.SupplyEfficiency[50], 98);

    // Limits rising 10 to 100: every entry takes column 10.
    sGameConsts up;
    up.ReadFromText(FixtureWithRow(50, "Limits;10;20;30;40;50;60;70;80;90;100;"));
    for (int k = 1; k <= 50; ++k) {
        EXPECT_EQ(up.ActionPointCut[k], 0) << k;
        EXPECT_EQ(up.AirReplacementMax[k], 20) << k;
    }
}

TEST(GameConsts, RowSyntaxCountsBlankRowsAndSkipsComments)
{
    // A comment, then twelve numbers: the impulses per month.
    sGameConsts a;
    EXPECT_EQ(a.ReadFromText("# months\n1;2;3;4;5;6;7;8;9;10;11;12\n"), 1);
    EXPECT_EQ(a.ImpulsesPerMonth[11], 12);

    // A blank line takes a row number: row 1 stores 0 as its first value, a labelled
    // row stores nothing, a label alone changes nothing.
    sGameConsts b;
    b.ImpulsesPerMonth[1] = 7;
    b.LandActionPoints[0][0] = 9;
    b.LandActionPoints[1][0] = 8;
    EXPECT_EQ(b.ReadFromText("\n\nLabel only\n"), 3);
    EXPECT_EQ(b.ImpulsesPerMonth[0], 0);
    EXPECT_EQ(b.ImpulsesPerMonth[1], 7);
    EXPECT_EQ(b.LandActionPoints[0][0], 9);
    EXPECT_EQ(b.LandActionPoints[1][0], 8);

    // Runs of ';' are one separator; a whole-line row takes the number that begins it.
    std::string text;
    for (int r = 1; r <= 17; ++r)
        text += "x;1;\n";
    text += "3;word\n";
    text += ";;;;\n";           // a data row (row 19) of nothing
    text += ";;Lbl;;4;;5";      // row 20, no line end
    text += "\n;;;";            // a last line of only ';' is not a row
    sGameConsts c;
    EXPECT_EQ(c.ReadFromText(text), 20);
    EXPECT_EQ(c.DoctrineEfficiencyBonus, 3);
    EXPECT_EQ(c.LandDefenderLosses[1][0], 4);
    EXPECT_EQ(c.LandDefenderLosses[1][1], 5);

    // A line of any length is one row.
    std::string longLine = "x";
    for (int k = 0; k < 600; ++k)
        longLine += ";7";
    sGameConsts d;
    EXPECT_EQ(d.ReadFromText("1;1;1;1;1;1;1;1;1;1;1;1\n" + longLine + "\n4;4;4\n"), 3);
    EXPECT_EQ(d.LandActionPoints[0][6], 7);
    EXPECT_EQ(d.LandActionPoints[1][0], 4); // the next line is row 3
    // Words behind the number of a whole-line row, after a space, are a note.
    sGameConsts w;
    w.ReadFromText(FixtureWithRow(48, "25 supply maximum"));
    EXPECT_EQ(w.MaxSupply, 25);
    EXPECT_EQ(w.UnusableValues, 0);
}

TEST(GameConsts, ShortFileKeepsLaterFieldsButBuildsDerivedTables)
{
    std::string text;
    int n = 0;
    for (const std::string& line : SplitText(Fixture(), '\n'))
        if (!line.empty() && line[0] != '#' && n < 100) {
            text += line + "\n";
            ++n;
        }
    sGameConsts c;
    c.ShipSunkChance = 77;
    EXPECT_EQ(c.ReadFromText(text), 100);
    EXPECT_EQ(c.ShipSunkChance, 77);
    EXPECT_EQ(c.ImpulsesWithoutSupplySource, 0);
    EXPECT_EQ(c.ActionPointCut[0], 100);
    EXPECT_EQ(c.SupplyEfficiency[1], 0);
    // Row 73 of six zeros: the maximum stays 1.
    sGameConsts z;
    z.ReadFromText(FixtureWithRow(73, "0;0;0;0;0;0;"));
    EXPECT_EQ(z.ShipHitPointsMax, 1);
    // Rows beyond 185 are counted and ignored.
    sGameConsts e;
    EXPECT_EQ(e.ReadFromText(Fixture() + "1\n2\n"), kConstsRows + 2);
    EXPECT_EQ(e.AIShipRepairChance, 0.1f);
}

class GameConstsLoad : public ::testing::Test
{
protected:
    void Put(const std::string& text)
    {
        std::filesystem::create_directories("data/scenarios/Test");
        WriteWholeFile("data/scenarios/Test/consts.csv", text);
        testing_support::ClearLog();
    }
};

TEST_F(GameConstsLoad, ReadsTheScenarioFileAndRefusesUnusableValues)
{
    Put(Fixture());
    sGameConsts c;
    c.LoadGameConsts(L"Test");
    EXPECT_EQ(c.MaxSupply, 30);
    EXPECT_TRUE(testing_support::LogHasInOrder({L"data\\scenarios\\Test\\consts.csv", L"Otwarcie OK"}));

    // Each refused with the file, its line and the column of the value.
    const struct
    {
        int row;
        std::string line;
        int column, value;
    } bad[] = {
        {1, "3;3;3;3;0;3;3;3;3;3;3;3;", 5, 5}, {14, "10;0;14;", 2, 2}, {48, "51", 1, 1}, {88, "R;1;1;0;1;1;1;1;", 4, 3},
        {89, "M;5;5;6;5;5;5;1;", 4, 3}, {129, "0;0;0;0;0;", 1, 1}, {129, "10;10;10;-3;10;", 4, 4},
        {129, "10;10;;10;-3;10;", 5, 4}, {137, "0", 1, 1}, {166, "2;0;10;15;", 2, 2},
        {168, "51", 1, 1}, {167, "1;0;5;", 2, 2}, {15, "L;1;2;0;4;5;6;7;1;2;", 4, 3},
        {16, "A;2;2;3;4;5;6;7;1;-1;", 10, 9}, {17, "N;3;2;3;4;5;6;7;-2;4;", 9, 8},
        {52, "AP cut;-2147483648;80;70;60;50;40;30;20;10;0;", 2, 1},
        // No finite number: a float, a double, a percentage beyond a float, a truncated int.
        {9, "S1;1;nan;3;4;5;6;7;", 3, 2}, {76, "Repair;12.5;inf;1;1;1;1;", 3, 2}, {148, "1e39", 1, 1},
        {132, "1;-inf;4.7;", 2, 2},
        // No number, or no whole one where the row holds whole numbers: never read as 0 or as its first digits.
        {48, "abc", 1, 1}, {149, "", 1, 1}, {149, "1e9", 1, 1}, {2, "AP;2;abc;3;3;4;4;2;", 3, 2}, {2, "AP;;2;abc;3;3;4;4;2;", 4, 2},
        {1, "3;3;3;nan;3;3;3;3;3;3;3;3;", 4, 4}, {34, "2;2;1;2.5;1;1;", 4, 4}, {135, "50;3;x4;6;", 3, 3},
        // What a save reads back, or a strike of no hex.
        {73, "2;5;1;0;3;4;", 4, 4}, {73, "2;5;1001;1;3;4;", 3, 3}, {163, "-1", 1, 1}, {164, "-1", 1, 1},
        {175, "-1", 1, 1}, {14, "10;101;14;", 2, 2}, {130, "1001;30;15;5;", 1, 1}, {134, "-1", 1, 1},
        {135, "200;2;60;-1;", 4, 4}, {143, "1001", 1, 1}, {143, "-1", 1, 1}};
    for (const auto& [row, line, column, value] : bad) {
        Put(FixtureWithRow(row, line));
        sGameConsts r;
        std::wstring reason;
        try {
            r.LoadGameConsts(L"Test");
            ADD_FAILURE() << "row " << row << " was accepted";
        } catch (const sFatalExit& e) {
            EXPECT_EQ(e.code, 1);
            reason = e.reason;
        }
        EXPECT_EQ(reason.rfind(L"data\\scenarios\\Test\\consts.csv, line ", 0), 0u) << "row " << row << ": "
                                                                                     << WideToUtf8(reason);
        EXPECT_NE(reason.find(L", column " + std::to_wstring(column) + L" (row " + std::to_wstring(row) + L", value " +
                              std::to_wstring(value) + L"): "),
                  std::wstring::npos)
            << "row " << row << ": " << WideToUtf8(reason);
    }

    // The value is told as the file gives it.
    Put(FixtureWithRow(9, "S1;1;-0.5;3;4;5;6;7;"));
    sGameConsts strength;
    try {
        strength.LoadGameConsts(L"Test");
        ADD_FAILURE() << "a strength of -0.5 was accepted";
    } catch (const sFatalExit& e) {
        EXPECT_NE(e.reason.find(L"(row 9, value 2): -0.5, but"), std::wstring::npos) << WideToUtf8(e.reason);
    }

    // A file of only 100 rows leaves row 137 at 0, which nothing may divide by.
    std::string shortText;
    int n = 0;
    for (const std::string& line : SplitText(Fixture(), '\n'))
        if (!line.empty() && line[0] != '#' && n++ < 100)
            shortText += line + "\n";
    Put(shortText);
    sGameConsts s;
    EXPECT_THROW(s.LoadGameConsts(L"Test"), sFatalExit);
}

TEST_F(GameConstsLoad, MissingFileEndsTheProgram)
{
    sGameConsts c;
    try {
        c.LoadGameConsts(L"Nowhere");
        FAIL();
    } catch (const sFatalExit& e) {
        EXPECT_EQ(e.code, 1);
    }
    EXPECT_TRUE(testing_support::LogHasInOrder({L"data\\scenarios\\Nowhere\\consts.csv",
                                                L"Blad otwarcia pliku! (nie istnieje?)"}));
}

} // namespace
