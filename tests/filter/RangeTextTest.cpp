#include "filter/RangeText.h"

#include "prefs/Preferences.h"

#include <gtest/gtest.h>

namespace {

std::string plain(int n) { return std::to_string(n); }

} // namespace

TEST(RangeText, ParsesTheFourItemFormsAndShowsThemBack)
{
    const RangeList r = rangetext::parse("100-199,205,-50,7-");
    ASSERT_EQ(r.count, 4);
    EXPECT_EQ(r.low[0], 100);
    EXPECT_EQ(r.high[0], 199);
    EXPECT_EQ(r.low[1], 205);
    EXPECT_EQ(r.high[1], 205);
    EXPECT_EQ(r.low[2], -1);
    EXPECT_EQ(r.high[2], 50);
    EXPECT_EQ(r.low[3], 7);
    EXPECT_EQ(r.high[3], -1);
    EXPECT_EQ(rangetext::format(r, plain), "100-199,205,-50,7-");
}

TEST(RangeText, KeepsEightRangesAndSkipsBadItems)
{
    const RangeList nine = rangetext::parse("1,2,3,4,5,6,7,8,9");
    EXPECT_EQ(nine.count, 8);
    EXPECT_EQ(rangetext::format(nine, plain), "1,2,3,4,5,6,7,8");

    const RangeList r = rangetext::parse(",1-2-3,,40,");
    ASSERT_EQ(r.count, 1);
    EXPECT_EQ(r.low[0], 40);
    EXPECT_EQ(rangetext::parse("").count, 0);
    EXPECT_EQ(rangetext::format(RangeList{}, plain), "");

    const RangeList open = rangetext::parse("-");
    ASSERT_EQ(open.count, 1);
    EXPECT_EQ(open.low[0], -1);
    EXPECT_EQ(open.high[0], -1);
    EXPECT_EQ(rangetext::format(open, plain), "-");
    EXPECT_EQ(rangetext::parse("99999999999").low[0], 2147483647);
}

TEST(RangeText, ShowsNumbersInTheExtensionAndTrunkFormats)
{
    Preferences prefs;
    prefs.extensionFormat = 2; // "%03d"
    prefs.trunkFormat = 1;     // "%02d"
    const RangeList r = rangetext::parse("7-12,5");
    EXPECT_EQ(rangetext::formatExtensions(r, prefs), "007-012,005");
    EXPECT_EQ(rangetext::formatTrunks(r, prefs), "07-12,05");
    // A stored count above eight shows eight ranges.
    RangeList many = rangetext::parse("1,2,3,4,5,6,7,8");
    many.count = 50;
    EXPECT_EQ(rangetext::format(many, plain), "1,2,3,4,5,6,7,8");
}
