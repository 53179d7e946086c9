#pragma once
// The locale's date and time texts as the program shows them: month and day
// names (day names begin with the locale's first day of the week), the shortest
// long-date format and its year-less form, the short date format and the time
// format, plus a formatter of Windows date/time pictures:
//   d dd ddd dddd  day, with leading zero, abbreviated name, full name
//   M MM MMM MMMM  month likewise
//   y yy yyyy      year without century (no leading zero), two digits, full year
//   h hh H HH      12-hour and 24-hour clock, without and with leading zero
//   m mm s ss      minutes, seconds
//   t tt           first character of the AM/PM text, the whole text
//   '...'          literal text ('' inside it is one quote)
// Any other character is copied. Texts are Windows-1252 bytes.

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

struct LocaleData;

struct DateTimeFields
{
    int year = 0;
    int month = 0; // 1-12
    int day = 0;   // 1-31
    int hour = 0;
    int minute = 0;
    int second = 0;
};

struct LocaleTexts
{
    std::array<std::string, 12> monthNames; // January first
    std::array<std::string, 12> monthAbbrevs;
    std::array<std::string, 7> dayNames; // the locale's first day of the week first
    std::array<std::string, 7> dayAbbrevs;
    int firstDayOfWeek = 1; // 1 = Sunday ... 7 = Saturday

    std::string longDateFormat;     // the shortest of the locale's long-date formats
    std::string yearlessDateFormat; // longDateFormat without its year (every-year dates)
    std::string shortDateFormat;
    std::string timeFormat; // hours and minutes, see timeFormatFor()
    std::string amText;
    std::string pmText;

    static LocaleTexts from(const LocaleData& data);
    // Built from Locale::current() on first use and kept; refresh() builds it again
    // (after the locale was pinned or installed anew).
    static const LocaleTexts& current();
    static void refresh();

    // Index into dayNames/dayAbbrevs of the weekday of a date; -1 when the date is not a real one.
    int dayIndex(int year, int month, int day) const;
};

// 0 "h':'mm tt", 1 "hh':'mm tt", 2 "H':'mm", 3 "HH':'mm": index 2 x (24-hour) + (leading zero), capped at 3.
std::string_view timeFormatFor(int hours24, int leadingZero);

// The format cut at its first year letter, without trailing blanks and commas. A format
// that begins with the year (as in "yyyy. MMMM d.") instead loses the year and the
// separators after it, so the day and month remain.
std::string yearlessFormat(std::string_view longDateFormat);

std::string formatDateTime(std::string_view picture, const DateTimeFields& when,
                           const LocaleTexts& texts = LocaleTexts::current());

// 0 = Sunday ... 6 = Saturday, for a Gregorian date; -1 when month or day is out of range.
int weekday(int year, int month, int day);
// Days since 1970-01-01 of a Gregorian date, and back (the time fields 0).
std::int64_t daysFromCivil(int year, int month, int day);
DateTimeFields civilFromDays(std::int64_t days);
// Days of a month of the Gregorian calendar (29 in February of leap years); 0 for a month outside 1-12.
int daysInMonth(int year, int month);
