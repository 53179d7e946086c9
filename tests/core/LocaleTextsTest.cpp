#include "core/LocaleTexts.h"
#include "core/Locale.h"

#include <gtest/gtest.h>

namespace {

LocaleData sampleLocale()
{
    LocaleData d;
    d.monthNames = {"January", "February", "March",     "April",   "May",      "June",
                    "July",    "August",   "September", "October", "November", "December"};
    d.monthAbbrevs = {"Jan", "Feb", "Mar", "Apr", "May", "Jun", "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
    d.dayNames = {"Monday", "Tuesday", "Wednesday", "Thursday", "Friday", "Saturday", "Sunday"};
    d.dayAbbrevs = {"Mon", "Tue", "Wed", "Thu", "Fri", "Sat", "Sun"};
    d.firstDayOfWeek = 1;
    d.longDateFormats = {"dddd, MMMM d, yyyy", "MMMM d, yyyy", "dddd, d MMMM yyyy"};
    d.shortDateFormat = "M/d/yyyy";
    return d;
}

} // namespace

TEST(LocaleTextsTest, DayNamesBeginWithTheFirstDayOfTheWeek)
{
    LocaleData d = sampleLocale();
    LocaleTexts t = LocaleTexts::from(d);
    EXPECT_EQ(t.dayNames[0], "Sunday");
    EXPECT_EQ(t.dayAbbrevs[6], "Sat");
    EXPECT_EQ(t.dayNames[t.dayIndex(2025, 3, 10)], "Monday");

    d.firstDayOfWeek = 2;
    t = LocaleTexts::from(d);
    EXPECT_EQ(t.dayNames[0], "Monday");
    EXPECT_EQ(t.dayNames[6], "Sunday");
    EXPECT_EQ(t.dayNames[t.dayIndex(2024, 2, 29)], "Thursday");
    EXPECT_EQ(t.dayIndex(2023, 2, 29), -1);
}

TEST(LocaleTextsTest, ShortestLongDateAndItsYearlessCut)
{
    const LocaleTexts t = LocaleTexts::from(sampleLocale());
    EXPECT_EQ(t.longDateFormat, "MMMM d, yyyy");
    EXPECT_EQ(t.yearlessDateFormat, "MMMM d");
    EXPECT_EQ(yearlessFormat("dddd, MMMM d, yyyy"), "dddd, MMMM d");
    EXPECT_EQ(yearlessFormat("dddd, d. MMMM yyyy"), "dddd, d. MMMM");
    EXPECT_EQ(yearlessFormat("d' de 'MMMM' de 'yyyy"), "d' de 'MMMM' de '");
    // A format that starts with the year keeps its day and month.
    EXPECT_EQ(yearlessFormat("yyyy. MMMM d., dddd"), "MMMM d., dddd");
    EXPECT_EQ(yearlessFormat("'year' d MMMM yyyy"), "'year' d MMMM");
}

TEST(LocaleTextsTest, TimeFormatFromClockAndLeadingZero)
{
    EXPECT_EQ(timeFormatFor(0, 0), "h':'mm tt");
    EXPECT_EQ(timeFormatFor(0, 1), "hh':'mm tt");
    EXPECT_EQ(timeFormatFor(1, 0), "H':'mm");
    EXPECT_EQ(timeFormatFor(1, 1), "HH':'mm");
    EXPECT_EQ(timeFormatFor(1, 5), "HH':'mm"); // capped at 3
    LocaleData d = sampleLocale();
    d.time24 = true;
    EXPECT_EQ(LocaleTexts::from(d).timeFormat, "H':'mm");
}

TEST(LocaleTextsTest, FormatsWindowsPictures)
{
    LocaleData d = sampleLocale();
    d.amText = "AM";
    d.pmText = "PM";
    const LocaleTexts t = LocaleTexts::from(d);
    const DateTimeFields morning{2009, 3, 5, 0, 7, 9};
    const DateTimeFields evening{2024, 12, 31, 23, 59, 0};
    EXPECT_EQ(formatDateTime("dddd, MMMM d, yyyy", morning, t), "Thursday, March 5, 2009");
    EXPECT_EQ(formatDateTime("ddd dd MMM MM yy y", morning, t), "Thu 05 Mar 03 09 9");
    EXPECT_EQ(formatDateTime("h':'mm tt", morning, t), "12:07 AM");
    EXPECT_EQ(formatDateTime("hh:mm:ss t", evening, t), "11:59:00 P");
    EXPECT_EQ(formatDateTime("HH':'mm", morning, t), "00:07");
    EXPECT_EQ(formatDateTime("H 'o''clock' s", morning, t), "0 o'clock 9");
    EXPECT_EQ(formatDateTime("dddddd/yyyyy", evening, t), "Tuesday/2024");
    // A month outside 1-12 gives no name rather than reading beyond the table.
    EXPECT_EQ(formatDateTime("[MMMM][ddd]", DateTimeFields{2024, 13, 1}, t), "[][]");
}

TEST(LocaleTextsTest, CurrentFollowsThePinnedLocale)
{
    const LocaleTexts& t = LocaleTexts::current();
    EXPECT_EQ(t.monthNames[0], "January");
    EXPECT_EQ(t.dayNames[0], "Sunday"); // en_US weeks begin on Sunday
    EXPECT_EQ(t.timeFormat, "h':'mm tt");
    EXPECT_FALSE(t.longDateFormat.empty());
    EXPECT_EQ(t.yearlessDateFormat.find('y'), std::string::npos);
}

TEST(LocaleTextsTest, CalendarDays)
{
    EXPECT_EQ(daysFromCivil(1970, 1, 1), 0);
    EXPECT_EQ(daysFromCivil(2000, 3, 1), 11017);
    const DateTimeFields back = civilFromDays(daysFromCivil(2024, 2, 29) + 1);
    EXPECT_EQ(back.year, 2024);
    EXPECT_EQ(back.month, 3);
    EXPECT_EQ(back.day, 1);
    EXPECT_EQ(weekday(2025, 3, 9), 0); // a Sunday
    EXPECT_EQ(daysInMonth(1900, 2), 28);
    EXPECT_EQ(daysInMonth(2000, 2), 29);
    EXPECT_EQ(daysInMonth(2024, 0), 0);
}
