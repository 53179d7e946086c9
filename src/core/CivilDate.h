#pragma once
// Civil-date arithmetic of the proleptic Gregorian calendar: day numbers
// counted from 1970-01-01 (day 0), and back. Every day is a whole day here (no
// time zone, no daylight saving), so the same date gives the same day number
// on every workstation.

#include <cstdint>

namespace civil {

constexpr std::int64_t floorDiv(std::int64_t a, std::int64_t b)
{
    const std::int64_t q = a / b;
    return (a % b != 0 && ((a < 0) != (b < 0))) ? q - 1 : q;
}
constexpr std::int64_t floorMod(std::int64_t a, std::int64_t b) { return a - floorDiv(a, b) * b; }

// Days from 1970-01-01 to year-month-day, month 1-12 (any day count is carried on).
constexpr std::int64_t daysFromCivil(std::int64_t year, int month, std::int64_t day)
{
    const std::int64_t y = year - (month <= 2 ? 1 : 0);
    const std::int64_t era = floorDiv(y, 400);
    const std::int64_t yearOfEra = y - era * 400;
    const std::int64_t dayOfYear = (153 * (month > 2 ? month - 3 : month + 9) + 2) / 5 + day - 1;
    const std::int64_t dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
    return era * 146097 + dayOfEra - 719468;
}

struct Date
{
    std::int64_t year;
    int month; // 1-12
    int day;   // 1-31
    friend constexpr bool operator==(const Date&, const Date&) = default;
};

constexpr Date civilFromDays(std::int64_t days)
{
    const std::int64_t z = days + 719468;
    const std::int64_t era = floorDiv(z, 146097);
    const std::int64_t dayOfEra = z - era * 146097;
    const std::int64_t yearOfEra = (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
    const std::int64_t dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
    const std::int64_t mp = (5 * dayOfYear + 2) / 153;
    const int day = static_cast<int>(dayOfYear - (153 * mp + 2) / 5 + 1);
    const int month = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
    return {yearOfEra + era * 400 + (month <= 2 ? 1 : 0), month, day};
}

// The Gregorian rule; year 0 is a leap year.
constexpr bool isLeapYear(std::int64_t year)
{
    return floorMod(year, 4) == 0 && (floorMod(year, 100) != 0 || floorMod(year, 400) == 0);
}

// 28-31; 0 for a month outside 1-12.
constexpr int daysInMonth(std::int64_t year, int month)
{
    constexpr int kDays[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (month < 1 || month > 12)
        return 0;
    return month == 2 && isLeapYear(year) ? 29 : kDays[month - 1];
}

// 0 Monday .. 6 Sunday (1970-01-01 was a Thursday).
constexpr int weekday(std::int64_t days) { return static_cast<int>(floorMod(days + 3, 7)); }

static_assert(daysFromCivil(1970, 1, 1) == 0 && daysFromCivil(2000, 3, 1) == 11017);
static_assert(civilFromDays(-1) == Date{1969, 12, 31} && civilFromDays(11016) == Date{2000, 2, 29});
static_assert(weekday(0) == 3 && daysInMonth(1900, 2) == 28 && daysInMonth(2000, 2) == 29);

} // namespace civil
