#include "core/Locale.h"

#include <gtest/gtest.h>

TEST(Locale, PinnedUsLocaleGivesItsConventions)
{
    const LocaleData& d = Locale::current().data();
    EXPECT_EQ(d.monthNames[0], "January");
    EXPECT_EQ(d.dayNames[0], "Monday");
    EXPECT_EQ(d.firstDayOfWeek, 1);  // Sunday
    EXPECT_FALSE(d.time24);
    EXPECT_EQ(d.currencySymbol, "$");
    EXPECT_EQ(d.currencyPositiveOrder, 0);
    EXPECT_EQ(d.currencyDigits, 2);
    EXPECT_EQ(d.monetaryDecimal, ".");
}

TEST(Locale, CollationIsCaseSensitiveAndLinguistic)
{
    const Locale& l = Locale::current();
    EXPECT_NE(l.compare("Smith", "smith"), 0);
    EXPECT_LT(l.compare("apple", "Banana"), 0);  // not byte order
    EXPECT_EQ(l.compare("same", "same"), 0);
}
