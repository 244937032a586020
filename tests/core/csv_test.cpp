#include <gtest/gtest.h>

#include "core/csv.h"

namespace {

using Fields = std::vector<std::wstring>;

Fields Row(cCsvReader& r, bool keepEmpty)
{
    r.ReadRow(keepEmpty);
    return r.m_Fields;
}

TEST(CsvReader, RowsEndWithCrLfCrOrLfAndTheLastNeedsNoEnd)
{
    auto r = cCsvReader::FromBytes("a;b;c\r\nd;e\nf\rg;h");
    EXPECT_EQ(Row(r, false), (Fields{L"a", L"b", L"c"}));
    EXPECT_EQ(Row(r, false), (Fields{L"d", L"e"}));
    EXPECT_EQ(Row(r, false), (Fields{L"f"}));
    EXPECT_EQ(Row(r, false), (Fields{L"g", L"h"}));
    EXPECT_TRUE(r.AtEnd());
    EXPECT_EQ(r.ReadRow(false), 0);
}

TEST(CsvReader, EmptyFieldsDependOnKeepEmpty)
{
    auto a = cCsvReader::FromBytes("1;;2\r\n1;;2\r\n");
    EXPECT_EQ(Row(a, false), (Fields{L"1", L"2"}));
    EXPECT_EQ(Row(a, true), (Fields{L"1", L"", L"2"}));

    auto b = cCsvReader::FromBytes("x;y;\r\nx;y;\r\n");
    EXPECT_EQ(Row(b, false), (Fields{L"x", L"y"}));
    EXPECT_EQ(Row(b, true), (Fields{L"x", L"y", L""}));
}

TEST(CsvReader, CommentsAndEmptyLines)
{
    auto r = cCsvReader::FromBytes("# header;1;2\r\n\r\nv;#not a comment\r\n #kept\r\n\n");
    EXPECT_EQ(r.ReadRow(true), 0);
    EXPECT_EQ(r.ReadRow(true), 0) << "an empty line has no fields";
    EXPECT_EQ(Row(r, false), (Fields{L"v", L"#not a comment"}));
    EXPECT_EQ(Row(r, false), (Fields{L" #kept"}));
    EXPECT_EQ(r.ReadRow(false), 0);
    EXPECT_EQ(r.GetRowCount(), 5);
}

TEST(CsvReader, MissingFileAndUtf8Text)
{
    cCsvReader missing("/nonexistent/file.csv");
    EXPECT_FALSE(missing.IsOk());
    EXPECT_TRUE(missing.AtEnd());
    EXPECT_EQ(missing.ReadRow(false), 0);

    auto r = cCsvReader::FromBytes("Krak\xC3\xB3w;Gda\xF1sk");
    EXPECT_EQ(Row(r, false), (Fields{L"Krak\u00F3w", L"Gda\u00F1sk"})) << "bad UTF-8 falls back to Latin-1";
}

} // namespace
