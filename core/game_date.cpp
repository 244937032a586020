#include "core/game_date.h"

#include "core/format.h"
#include "core/stringbase.h"

int sGameDate::ImpulsesInMonth(int m) const
{
    // A month outside the year (a scenario that stores no date) has no row to read.
    if (!calendar || m < 1 || m > 12)
        return 1;
    int t = (*calendar)[size_t(m - 1)];
    // A month of no impulses (loading refuses one) would divide the day by zero.
    return t >= 1 ? t : 1;
}

int sGameDate::GetDayOfMonth() const
{
    const int t = ImpulsesInMonth(month);
    return (impulse * 30) / t - 30 / t + 1;
}

bool sGameDate::IsBefore(int day, int m, int y) const
{
    if (year != y)
        return year < y;
    if (month != m)
        return month < m;
    return GetDayOfMonth() < day;
}

bool sGameDate::IsSameDay(int day, int m, int y) const
{
    return year == y && month == m && GetDayOfMonth() == day;
}

bool sGameDate::IsAfter(int day, int m, int y) const
{
    return !IsSameDay(day, m, y) && !IsBefore(day, m, y);
}

const char* const kMonthKeys[12] = {"january", "february", "march",     "april",   "may",      "june",
                                    "july",    "august",   "september", "october", "november", "december"};

const std::wstring& MonthName(int month)
{
    static const std::wstring none;
    if (month < 1 || month > 12)
        return none;
    return g_StringBase.GetText(kMonthKeys[month - 1]);
}

const std::wstring& FormatGameDate(sGameDate& date)
{
    date.text = FormatText(L"%lS-%lS-%lS", FormatText(L"%i", date.GetDayOfMonth()), MonthName(date.month),
                           FormatText(L"%i", date.year));
    return date.text;
}
