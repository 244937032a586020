#pragma once
// The game date: the impulse within the month, the month and the year. A month is
// taken as 30 days divided evenly between its impulses.
#include <array>
#include <string>

// Impulses of January to December (consts.csv row 1); each at least 1.
using ImpulsesPerMonth = std::array<int, 12>;

struct sGameDate
{
    int impulse = 1;
    int month = 1;
    int year = 1939;
    std::wstring text;
    // The calendar of the game's constants; the game object sets it. Without one
    // every month has one impulse.
    const ImpulsesPerMonth* calendar = nullptr;

    int ImpulsesInMonth(int m) const;
    int GetDayOfMonth() const;
    bool IsBefore(int day, int m, int y) const;
    bool IsSameDay(int day, int m, int y) const;
    bool IsAfter(int day, int m, int y) const;
};

// Language keys of the months, January first.
extern const char* const kMonthKeys[12];
// The month's name from the language table ("january" to "december").
const std::wstring& MonthName(int month);
// "D-Month-YYYY" into the date's text, which is returned.
const std::wstring& FormatGameDate(sGameDate& date);
