#include <gtest/gtest.h>

#include "core/fatal.h"
#include "core/lang_source.h"
#include "core/log.h"
#include "tests/test_support.h"

namespace {

TEST(FatalExit, NeverReportsSuccessAndRunsCleanupBeforeExiting)
{
    EXPECT_THROW(
        {
            try {
                FatalExit(0, L"bad sea node ids");
            } catch (const sFatalExit& e) {
                EXPECT_EQ(e.code, 1);
                EXPECT_EQ(e.reason, L"bad sea node ids");
                throw;
            }
        },
        sFatalExit);
    EXPECT_TRUE(testing_support::LogContains(L"bad sea node ids"));

    // Without a handler in the dying child only: later tests in this process need the
    // throwing one.
    EXPECT_EXIT(
        {
            SetFatalHandler(nullptr);
            SetFatalCleanup([] { LogLine(L"cleanup ran"); });
            FatalExit(0, L"reason");
        },
        ::testing::ExitedWithCode(1), "");
    // The dying child wrote into this process's log: its reason, then the clean-up.
    const auto lines = testing_support::LogLines();
    ASSERT_GE(lines.size(), 2u);
    EXPECT_EQ(std::vector<std::wstring>(lines.end() - 2, lines.end()),
              (std::vector<std::wstring>{L"reason", L"cleanup ran"}));
    EXPECT_EXIT(
        {
            SetFatalHandler(nullptr);
            FatalExit(3, L"");
        },
        ::testing::ExitedWithCode(3), "");
}

TEST(LanguageSource, ParsesKeysTextsAndEscapesAndNamesBadLines)
{
    sLangSource s = ParseLangSource(
        "# comment\r\nkey_a = Hello, %s!\r\n\nkey_b=Two\\nlines = here\nno equals\nkey_a = again\nkey_c = Blue\\ \r\n");
    ASSERT_EQ(s.records.size(), 3u);
    EXPECT_EQ(s.records[0].second, L"Hello, %s!");
    EXPECT_EQ(s.records[1].second, L"Two\nlines = here");
    EXPECT_EQ(s.records[2].second, L"Blue ") << "an escaped blank at the end stays";
    ASSERT_EQ(s.errors.size(), 2u);
    EXPECT_EQ(s.errors[0], "5: no '=' on the line");
    EXPECT_EQ(s.errors[1], "6: key 'key_a' given twice");
}

} // namespace
