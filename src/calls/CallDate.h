#pragma once
// The start of a call: year, month, day, hour and minute, six bytes in the call
// file record (offset 36) and in the in-memory call. There are no seconds.

#include "core/LittleEndian.h"
#include "core/LocaleTexts.h"

#include <compare>
#include <cstdint>
#include <string>
#include <string_view>

struct CallDate
{
    std::uint16_t year = 0;
    std::uint8_t month = 0;
    std::uint8_t day = 0;
    std::uint8_t hour = 0;
    std::uint8_t minute = 0;

    static constexpr std::size_t kDiskSize = 6;
    static constexpr std::size_t kYearAt = 0, kMonthAt = 2, kDayAt = 3, kHourAt = 4, kMinuteAt = 5;

    static CallDate decode(const std::uint8_t* p)
    {
        return {le::loadU16(p + kYearAt), p[kMonthAt], p[kDayAt], p[kHourAt], p[kMinuteAt]};
    }
    void encode(std::uint8_t* p) const
    {
        le::storeU16(p + kYearAt, year);
        p[kMonthAt] = month;
        p[kDayAt] = day;
        p[kHourAt] = hour;
        p[kMinuteAt] = minute;
    }

    // Month 1-12, year 1980-2099, hour <= 23, minute <= 59, day within its month
    // (February has 29 days in leap years).
    bool isValid() const;
    bool isZero() const { return year == 0 && month == 0 && day == 0 && hour == 0 && minute == 0; }
    // The same day at 00:00.
    CallDate dateOnly() const { return {year, month, day, 0, 0}; }
    CallDate at(std::uint8_t h, std::uint8_t m) const { return {year, month, day, h, m}; }

    // Field by field: year, month, day, hour, minute.
    friend constexpr auto operator<=>(const CallDate&, const CallDate&) = default;
};
static_assert(sizeof(CallDate) == CallDate::kDiskSize);

inline DateTimeFields toFields(const CallDate& d) { return {d.year, d.month, d.day, d.hour, d.minute, 0}; }

// The date through a Windows date/time picture (see core/LocaleTexts.h).
inline std::string formatCallDate(std::string_view picture, const CallDate& d,
                                  const LocaleTexts& texts = LocaleTexts::current())
{
    return formatDateTime(picture, toFields(d), texts);
}
