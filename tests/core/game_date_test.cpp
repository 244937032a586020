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

// A month's impulses come from the scenario's calendar; without one, for a month outside the
// year (a scenario that stores no date) or for a month of none, a month has one.
TEST(GameDate, AMonthHasTheImpulsesOfItsCalendar)
{
    ImpulsesPerMonth cal{4, 3, 3, 3, 3, 3, 3, 3, 3, 3, 3, 2};
    sGameDate withCalendar;
    withCalendar.calendar = &cal;
    const sGameDate without;
    // A month of no impulses would divide its day by zero.
    ImpulsesPerMonth none{};
    sGameDate withNone;
    withNone.calendar = &none;
    const struct
    {
        const sGameDate& date;
        int month, impulses;
    } rows[] = {{withCalendar, 1, 4}, {withCalendar, 5, 3}, {withCalendar, 12, 2}, {withCalendar, 0, 1},
                {withCalendar, 13, 1}, {without, 1, 1},      {without, 12, 1},     {withNone, 6, 1}};
    for (const auto& r : rows)
        EXPECT_EQ(r.date.ImpulsesInMonth(r.month), r.impulses) << r.month << (r.date.calendar ? "" : " without");
}

TEST(GameDate, ComparisonsUseTheMonthsOwnCalendar)
{
    ImpulsesPerMonth cal{4, 3, 3, 3, 3, 3, 3, 3, 3, 3, 3, 2};
    sGameDate d;
    d.calendar = &cal;
    d.impulse = 2;
    d.month = 5;
    d.year = 1941;
    // Impulse 2 of May 1941 falls on the 11th: each day, whether the date is before it, on it
    // or after it.
    const struct
    {
        int day, month, year;
        bool before, same, after;
    } rows[] = {
        {11, 5, 1941, false, true, false},  {12, 5, 1941, true, false, false}, {10, 5, 1941, false, false, true},
        {11, 6, 1941, true, false, false},  {1, 6, 1941, true, false, false},  {11, 4, 1941, false, false, true},
        {30, 4, 1941, false, false, true},  {11, 5, 1942, true, false, false}, {1, 1, 1942, true, false, false},
        {11, 5, 1940, false, false, true},  {30, 12, 1940, false, false, true},
    };
    for (const auto& r : rows) {
        EXPECT_EQ(d.IsBefore(r.day, r.month, r.year), r.before) << r.day << "." << r.month << "." << r.year;
        EXPECT_EQ(d.IsSameDay(r.day, r.month, r.year), r.same) << r.day << "." << r.month << "." << r.year;
        EXPECT_EQ(d.IsAfter(r.day, r.month, r.year), r.after) << r.day << "." << r.month << "." << r.year;
    }
    d.month = 12;
    EXPECT_EQ(d.GetDayOfMonth(), 16) << "December has two impulses here";
    d.month = 1;
    EXPECT_EQ(d.GetDayOfMonth(), 9) << "January four";
    d.year = 1940;
    EXPECT_TRUE(d.IsBefore(1, 1, 1941));
    EXPECT_FALSE(d.IsAfter(1, 1, 1941));
}

TEST(GameDate, TextUsesTranslatedMonthNames)
{
    g_StringBase.LoadFromBytes(
        cStringBase::Encode({{"january", L"January"}, {"september", L"September"}, {"december", L"December"}}), true);
    ImpulsesPerMonth cal;
    cal.fill(3);
    sGameDate d{1, 9, 1939, L"", &cal};
    EXPECT_EQ(FormatGameDate(d), L"1-September-1939");
    EXPECT_EQ(d.text, L"1-September-1939");
    // The year's first and last months have their names too.
    d.month = 1;
    EXPECT_EQ(FormatGameDate(d), L"1-January-1939");
    d.month = 12;
    EXPECT_EQ(FormatGameDate(d), L"1-December-1939");
    d.month = 13;
    EXPECT_EQ(FormatGameDate(d), L"1--1939");
}

} // namespace
