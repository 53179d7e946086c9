#pragma once
// Wall-clock time for pricing: seconds on a civil timeline that counts every
// day as 86,400 seconds (no time zone, no daylight-saving shifts), day 0 being
// 1970-01-01 in the proleptic Gregorian calendar. The cost of a call depends
// only on the clock times its periods name, so a call priced on any workstation
// costs the same.

#include "calls/CallDate.h"

#include <cstdint>

namespace civil {

inline constexpr std::int64_t kSecondsPerDay = 86400;

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
    int month;  // 1-12
    int day;    // 1-31
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

// 0 Monday .. 6 Sunday (1970-01-01 was a Thursday).
constexpr int weekday(std::int64_t days) { return static_cast<int>(floorMod(days + 3, 7)); }

constexpr std::int64_t dayOf(std::int64_t moment) { return floorDiv(moment, kSecondsPerDay); }
constexpr std::int64_t timeOfDay(std::int64_t moment) { return floorMod(moment, kSecondsPerDay); }

// The moment a call starts (seconds 0). A start outside the calendar is carried
// over field by field as the C library's mktime does: month 13 is January of the
// next year, month 0 December of the previous one, day 0 the last day of the
// previous month, hour 24 the next day's 00, minute 60 the next hour.
constexpr std::int64_t momentOf(const CallDate& start)
{
    const std::int64_t months = std::int64_t{start.month} - 1;
    const std::int64_t year = std::int64_t{start.year} + floorDiv(months, 12);
    const int month = static_cast<int>(floorMod(months, 12)) + 1;
    const std::int64_t days = daysFromCivil(year, month, 1) + std::int64_t{start.day} - 1;
    return days * kSecondsPerDay + std::int64_t{start.hour} * 3600 + std::int64_t{start.minute} * 60;
}

} // namespace civil
