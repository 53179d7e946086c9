#pragma once
// Wall-clock time for pricing: seconds on a civil timeline that counts every
// day as 86,400 seconds (no time zone, no daylight-saving shifts), day 0 being
// 1970-01-01 in the proleptic Gregorian calendar. The cost of a call depends
// only on the clock times its periods name, so a call priced on any workstation
// costs the same.

#include "calls/CallDate.h"
#include "core/CivilDate.h"

#include <cstdint>

namespace civil {

inline constexpr std::int64_t kSecondsPerDay = 86400;

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
