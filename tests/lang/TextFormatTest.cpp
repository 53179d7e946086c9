#include "lang/TextFormat.h"

#include <gtest/gtest.h>

TEST(FormatInserts, ReplacesNumberedInsertsLikeTheMessageFormatter)
{
    EXPECT_EQ(FormatInserts("Error opening file!\n\n%1", {"C:\\Calls\\a.bsl"}),
              "Error opening file!\n\nC:\\Calls\\a.bsl");
    EXPECT_EQ(FormatInserts("%2 before %1", {"one", "two"}), "two before one");
    EXPECT_EQ(FormatInserts("%1!s! and %10", {"a", "b", "c", "d", "e", "f", "g", "h", "i", "j"}), "a and j");
    EXPECT_EQ(FormatInserts("100%% sure%n%tend%0 cut", {}), "100% sure\n\tend");
    // The insert text itself is not formatted again.
    EXPECT_EQ(FormatInserts("[%1]", {"%2 %n"}), "[%2 %n]");
}

TEST(FormatInserts, InsertsBeyondThoseGivenBecomeEmpty)
{
    EXPECT_EQ(FormatInserts("a%1b%3c", {"x"}), "axbc");
    EXPECT_EQ(FormatInserts("trailing %", {"x"}), "trailing %");
}

TEST(FormatPrintf, FillsConversionsFromTypedArguments)
{
    EXPECT_EQ(FormatPrintf("%d records exported", {1234}), "1234 records exported");
    EXPECT_EQ(FormatPrintf("%d:%02d:%02d", {1, 2, 3}), "1:02:03");
    EXPECT_EQ(FormatPrintf("%s - %s", {"Germany", std::string("Berlin")}), "Germany - Berlin");
    EXPECT_EQ(FormatPrintf("%-4s|%5.2f|%x|%c", {"ab", 3.14159, 255, 'Z'}), "ab  | 3.14|ff|Z");
    EXPECT_EQ(FormatPrintf("%ld %I64d %u", {7L, 8LL, -1}), "7 8 4294967295");
    EXPECT_EQ(FormatPrintf("100%%", {}), "100%");
}

TEST(FormatPrintf, MismatchedTranslationsCannotReadPastTheArguments)
{
    // A translation that asks for a text where the program passes a number, or for
    // more values than there are, gives text instead of reading stray memory.
    EXPECT_EQ(FormatPrintf("%s records", {42}), "42 records");
    EXPECT_EQ(FormatPrintf("%d records", {"17"}), "17 records");
    EXPECT_EQ(FormatPrintf("%d of %d, %s", {5}), "5 of , ");
    EXPECT_EQ(FormatPrintf("%n %q %*d", {1}), "%n %q %*d");
    EXPECT_EQ(FormatPrintf("%999999999d|", {1}).size(), 257u); // width capped
}
