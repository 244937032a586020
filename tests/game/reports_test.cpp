#include <gtest/gtest.h>

#include <filesystem>

#include "core/fatal.h"
#include "core/text.h"
#include "game/play_counts.h"
#include "game/reports.h"
#include "platform/paths.h"
#include "tests/test_support.h"

namespace {

sRaport Report(int kind, int country, const std::wstring& text)
{
    sRaport r;
    r.kind = kind;
    r.countryKey = country;
    r.text = text;
    r.year = 1940;
    r.month = 5;
    r.day = 11;
    r.impulse = 23;
    r.extra = 7;
    return r;
}

TEST(Reports, FileHasTheFixedLayout)
{
    cReportManager m;
    m.AddReport(Report(25, 3, L"Hi"));
    std::string expected = "Qvrv1";
    AppendLE32(expected, 1);
    for (uint32_t v : {25u, 1940u, 5u, 11u, 23u, 7u, 3u, 2u}) // extra before the country key
        AppendLE32(expected, v);
    expected += std::string("H\0i\0", 4);
    EXPECT_EQ(m.Encode(), expected);
}

TEST(Reports, SaveThenLoadGivesTheSameListAndCollectFilters)
{
    cReportManager m;
    m.AddReport(Report(22, 1, L"Production: 12 PP"));
    m.AddReport(Report(22, 1, L"Production: 12 PP")); // twice stays twice
    m.AddReport(Report(25, 2, L""));                  // an empty text
    m.AddReport(Report(22, 2, L"Żółw ∑ \U0001F600"));
    std::filesystem::create_directories("data/save/R");
    m.Save(L"data\\save\\R");
    cReportManager back;
    back.Load(L"data\\save\\R\\%s");
    EXPECT_EQ(back.GetReports(), m.GetReports());

    std::list<sRaport> out = {Report(1, 1, L"old")};
    back.CollectReports(out, 1, 22);
    ASSERT_EQ(out.size(), 2u);
    back.CollectReports(out, 9, 22);
    EXPECT_TRUE(out.empty());
}

TEST(PlayCounts, TheWarAtSeaTravelsWithASaveInItsOrder)
{
    sPlayCounts counts;
    counts.RecordSeaBattle({{3, 3, 1941}, L"Ionian Sea", {L"United Kingdom", L"Italy"}});
    counts.RecordSeaBattle({{1, 4, 1940}, L"Norwegian Sea", {L"Germany"}});
    counts.RecordShipLoss({{3, 3, 1941}, L"Zara", L"Italy", L"Ionian Sea", "sea battle", L"United Kingdom"});
    counts.RecordShipLoss({{2, 9, 1939}, L"HMS Courageous", L"United Kingdom", L"", "other", L""});
    counts.RecordConvoyHit({{1, 10, 1940}, L"United Kingdom", L"North Atlantic", 4, L"Germany"});
    std::filesystem::create_directories("data/save/Sea");
    counts.Save(L"data\\save\\Sea");
    sPlayCounts back;
    back.Load(L"data\\save\\Sea\\%s");
    EXPECT_EQ(back.SeaBattles(), counts.SeaBattles());
    EXPECT_EQ(back.ShipLosses(), counts.ShipLosses());
    EXPECT_EQ(back.ConvoyHits(), counts.ConvoyHits());
    back.Reset();
    EXPECT_TRUE(back.SeaBattles().empty() && back.ShipLosses().empty() && back.ConvoyHits().empty());
}

TEST(Reports, DamagedFilesNeverReadPastTheirEnd)
{
    cReportManager m;
    std::string empty = "Qvrv1";
    AppendLE32(empty, 0);
    EXPECT_TRUE(m.Decode(empty));
    EXPECT_TRUE(m.GetReports().empty());
    EXPECT_TRUE(m.Decode("NotAReportsFile"));
    EXPECT_TRUE(m.GetReports().empty());

    cReportManager two;
    two.AddReport(Report(1, 1, L"first"));
    two.AddReport(Report(2, 1, L"second"));
    const std::string good = two.Encode();

    // Claims three reports but holds two: the two are kept.
    std::string more = good;
    more[5] = 3;
    testing_support::ClearLog();
    EXPECT_FALSE(m.Decode(more));
    EXPECT_EQ(m.GetReports().size(), 2u);
    EXPECT_TRUE(testing_support::LogContains(L"ERROR: reports.dat holds 2 of the 3 reports it claims"));

    // A text longer than the file, a negative length, a negative count, a cut header.
    std::string longer = good;
    longer[9 + 28] = char(200);
    EXPECT_FALSE(m.Decode(longer));
    EXPECT_TRUE(m.GetReports().empty());
    std::string negative = good;
    for (int k = 0; k < 4; ++k)
        negative[size_t(9 + 28 + k)] = char(0xFF);
    EXPECT_FALSE(m.Decode(negative));
    std::string count = good;
    count[8] = char(0x80);
    EXPECT_FALSE(m.Decode(count));
    EXPECT_FALSE(m.Decode(good.substr(0, 7)));
    // A date no game writes (the second report in month 13): the first report is kept.
    std::string dated = good;
    const size_t second = 9 + 32 + 2 * std::wstring(L"first").size();
    dated[second + 8] = 13;
    testing_support::ClearLog();
    EXPECT_FALSE(m.Decode(dated));
    EXPECT_EQ(m.GetReports().size(), 1u);
    EXPECT_TRUE(testing_support::LogContains(L"ERROR: report 2 of reports.dat has the month 13, outside 0 to 12"));
    for (size_t cut = 9; cut < good.size(); ++cut)
        m.Decode(good.substr(0, cut));
}

TEST(Reports, MissingFilesEndTheProgram)
{
    cReportManager m;
    try {
        m.Load(L"data\\save\\Nope\\%s");
        FAIL();
    } catch (const sFatalExit& e) {
        EXPECT_EQ(e.code, 1);
        EXPECT_EQ(e.reason, L"ERROR: Opening reports file for reading");
    }
    try {
        m.Save(L"data\\save\\Nope");
        FAIL();
    } catch (const sFatalExit& e) {
        EXPECT_EQ(e.reason, L"data\\save\\Nope\\reports.dat could not be written");
    }
}

} // namespace
