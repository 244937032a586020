#include <gtest/gtest.h>

#include "core/format.h"
#include "core/text.h"

namespace {

TEST(Format, WideAndNarrowStringsAndNumbers)
{
    EXPECT_EQ(FormatText(L"Running %s v%.2f", L"Velmorant", 0.1), L"Running Velmorant v0.10");
    EXPECT_EQ(FormatText(L"%S/%hs/%ls/%lS", "a", std::string("b"), std::wstring(L"c"), L"d"), L"a/b/c/d");
    EXPECT_EQ(FormatText(L"[%3i|%-3d|%03d|%x|%X|%u]", 7, 7, 7, 255, 255, 4000000000u), L"[  7|7  |007|ff|FF|4000000000]");
    EXPECT_EQ(FormatText(L"%c%c 100%%", L'\u0141', 'x'), L"\u0141x 100%");
    EXPECT_EQ(FormatText(L"%.1f %f", 2.25f, 1.5), L"2.2 1.500000");
    EXPECT_EQ(FormatText(L"%+.1f%% %.1f %g %.1f", -0.0, -0.04f, -0.0, -0.05), L"+0.0% 0.0 0 -0.1");
    EXPECT_EQ(FormatText(L"%*d|%.*s", 4, 5, 2, L"abcdef"), L"   5|ab");
    EXPECT_EQ(FormatText(L"[build %3i]", 12), L"[build  12]");
    EXPECT_EQ(FormatText(L"%s", L"\U0001F600"), L"\U0001F600");
}

TEST(Format, MismatchedFormatsFromDataGiveMarkedTextsNotCrashes)
{
    EXPECT_EQ(FormatText(L"%s has %d units", L"Poland"), L"Poland has <?%d> units");
    EXPECT_EQ(FormatText(L"%d", L"text"), L"<?%d>");
    EXPECT_EQ(FormatText(L"%s", 5), L"<?%s>");
    EXPECT_EQ(FormatText(L"%n%p", 1, 2), L"<?%n><?%p>");
    EXPECT_EQ(FormatText(L"tail %", 1), L"tail <?%>");
    EXPECT_EQ(FormatText(L"%99999999d", 1).size(), 4096u) << "widths are bounded";
    EXPECT_EQ(FormatText(L"%.9999f", 1.0).size(), 4098u) << "precisions are bounded";
    EXPECT_FALSE(FormatMatches(L"%s %i", {sFormatArg(L"a")}));
    EXPECT_TRUE(FormatMatches(L"%s %i", {sFormatArg(L"a"), sFormatArg(3)}));
    EXPECT_EQ(CountFormatArgs(L"%s %*d %% %.1f"), 4);
}

TEST(Text, ConversionsRoundTrip)
{
    std::wstring w = L"Za\u017C\u00F3\u0142\u0107 \U0001F3F0";
    EXPECT_EQ(Utf8ToWide(WideToUtf8(w)), w);
    EXPECT_EQ(Utf16ToWide(LEBytesToUtf16(Utf16ToLEBytes(WideToUtf16(w)))), w);
    EXPECT_EQ(WideToUtf16(L"\U0001F3F0").size(), 2u);
    EXPECT_EQ(Utf8ToWide("\xC0\x80"), std::wstring(L"\u00C0\u0080")) << "overlong forms are not decoded";
    int v = 0;
    EXPECT_TRUE(ParseInt(L" -12 ", v));
    EXPECT_EQ(v, -12);
    EXPECT_FALSE(ParseInt(L"12x", v));
    EXPECT_FALSE(ParseInt(L"99999999999", v));
    EXPECT_EQ(AtoiLike("  42abc"), 42);
    EXPECT_EQ(AtoiLike("x"), 0);
    EXPECT_EQ(AtoiLike("99999999999"), 2147483647);
    double d = 0;
    EXPECT_TRUE(ParseDouble(L"0.25", d));
    EXPECT_EQ(d, 0.25);
}

} // namespace
