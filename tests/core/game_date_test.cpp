#include <gtest/gtest.h>

#include "core/game_date.h"
#include "core/stringbase.h"

namespace {

std::vector<int> Days(int t)
{
    ImpulsesPerMonth cal;
    cal.fill(t);
    sGameDate d;
    d.calendar = &cal;
    std::vector<int> days;
    for (int i = 1; i <= t; ++i) {
        d.impulse = i;
        days.push_back(d.GetDayOfMonth());
    }
    return days;
}

TEST(GameDate, ImpulsesFallOnEvenlySpreadDays)
{
    EXPECT_EQ(Days(1), (std::vector<int>{1}));
    EXPECT_EQ(Days(2), (std::vector<int>{1, 16}));
    EXPECT_EQ(Days(3), (std::vector<int>{1, 11, 21}));
    EXPECT_EQ(Days(4), (std::vector<int>{1, 9, 16, 24}));
}

TEST(GameDate, ComparisonsUseTheMonthsOwnCalendar)
{
    ImpulsesPerMonth cal{3, 3, 3, 3, 3, 3, 3, 3, 3, 3, 3, 2};
    sGameDate d;
    d.calendar = &cal;
    d.impulse = 2;
    d.month = 5;
    d.year = 1941;
    EXPECT_TRUE(d.IsSameDay(11, 5, 1941));
    EXPECT_TRUE(d.IsBefore(12, 5, 1941));
    EXPECT_TRUE(d.IsAfter(10, 5, 1941));
    EXPECT_FALSE(d.IsAfter(11, 5, 1941));
    d.month = 12;
    EXPECT_EQ(d.GetDayOfMonth(), 16) << "December has two impulses here";
    d.year = 1940;
    EXPECT_TRUE(d.IsBefore(1, 1, 1941));
    EXPECT_FALSE(d.IsAfter(1, 1, 1941));
}

TEST(GameDate, TextUsesTranslatedMonthNames)
{
    g_StringBase.LoadFromBytes(cStringBase::Encode({{"september", L"September"}}), true);
    ImpulsesPerMonth cal;
    cal.fill(3);
    sGameDate d{1, 9, 1939, L"", &cal};
    EXPECT_EQ(FormatGameDate(d), L"1-September-1939");
    EXPECT_EQ(d.text, L"1-September-1939");
    d.month = 13;
    EXPECT_EQ(FormatGameDate(d), L"1--1939");
}

} // namespace
