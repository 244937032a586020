#include <gtest/gtest.h>

#include "core/stringbase.h"
#include "platform/paths.h"
#include "tests/test_support.h"

namespace {

using Records = std::vector<std::pair<std::string, std::wstring>>;

TEST(StringBase, LoadRulesForDuplicatesEmptyKeysAndTexts)
{
    std::string bytes = cStringBase::Encode(
        {{"", L"empty key"}, {"january", L"January"}, {"dup", L"first"}, {"dup", L"second"}, {"blank", L""}});
    cStringBase over;
    ASSERT_TRUE(over.LoadFromBytes(bytes, true));
    EXPECT_EQ(over.GetText(""), L"empty key");
    EXPECT_EQ(over.GetText("dup"), L"second");
    EXPECT_EQ(over.GetText("blank"), L"");
    EXPECT_TRUE(over.HasKey("blank"));
    cStringBase keep;
    keep.LoadFromBytes(bytes, false);
    EXPECT_EQ(keep.GetText("dup"), L"first");
}

TEST(StringBase, MissingKeyYieldsEmptyTextWithoutChangingTable)
{
    cStringBase base;
    base.LoadFromBytes(cStringBase::Encode({{"a", L"A"}}), true);
    size_t size = base.Size();
    EXPECT_EQ(base.GetText("nothing_here"), L"");
    EXPECT_EQ(base.Size(), size);
}

TEST(StringBase, AMessageWithoutItsTextShowsItsKeyAndValues)
{
    // A refusal made before the table is loaded, or without one, still says what it is.
    EXPECT_EQ(LangMessage("critical_error_at_line_%i._no_city", 12), L"critical_error_at_line_%i._no_city (12)");
    EXPECT_EQ(LangMessage("no_such_key_%s_%.1f", std::wstring(L"Berolina"), 2.5),
              L"no_such_key_%s_%.1f (Berolina, 2.5)");
    EXPECT_EQ(LangMessage("no_such_key"), L"no_such_key");
}

TEST(StringBase, TruncatedOrLyingFileIsNeverReadPastItsData)
{
    std::string good = cStringBase::Encode({{"one", L"1"}, {"two", L"\u0414\u0432\u0430"}});
    // The count claims a million records.
    std::string lying = good;
    lying[1] = char(0x40);
    lying[3] = char(0x0F);
    cStringBase a;
    a.LoadFromBytes(lying, true);
    EXPECT_EQ(a.GetText("two"), L"\u0414\u0432\u0430");
    // Cut inside the second record's text, and inside the header.
    for (size_t cut : {good.size() - 1, size_t(15), size_t(4), size_t(0)}) {
        cStringBase b;
        b.LoadFromBytes(std::string_view(good).substr(0, cut), true);
        EXPECT_FALSE(b.HasKey("two")) << cut;
    }
}

TEST(StringBase, LoadReplacesLanguageIdInPatternAndReportsMissingFile)
{
    auto dir = testing_support::MakeScratchDir("lang");
    WriteWholeFile(dir / "lang_ENG.db", cStringBase::Encode({{"may", L"May"}}));
    cStringBase base;
    base.SetLanguage(L"ENG");
    EXPECT_TRUE(base.Load((dir / "lang_LANGID.db").string(), true));
    EXPECT_EQ(base.GetText("may"), L"May");
    base.SetLanguage(L"POL");
    EXPECT_FALSE(base.Load((dir / "lang_LANGID.db").string(), true));
    EXPECT_TRUE(testing_support::LogContains(L"Failed opening string base"));
    EXPECT_EQ(base.GetText("may"), L"May") << "a failed load keeps the table";
}

} // namespace
