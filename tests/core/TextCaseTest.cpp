#include "core/TextCase.h"

#include <gtest/gtest.h>

// The ASCII rule folds A-Z only; the Windows-1252 rule also folds the accented
// capitals and the four capitals of the 0x80 row, but never the multiplication
// sign 0xD7 into the division sign 0xF7.
TEST(TextCaseTest, AsciiAndWindows1252RulesDifferOnlyAboveAscii)
{
    EXPECT_TRUE(textcase::equalAscii("Section", "sECTION"));
    EXPECT_TRUE(textcase::equalCp1252("Section", "sECTION"));
    EXPECT_FALSE(textcase::equalAscii("abc", "abcd"));
    EXPECT_FALSE(textcase::equalCp1252("abc", "ab"));

    EXPECT_FALSE(textcase::equalAscii("\xC4rger", "\xE4rger")); // Ärger / ärger
    EXPECT_TRUE(textcase::equalCp1252("\xC4rger", "\xE4rger"));
    EXPECT_TRUE(textcase::equalCp1252("\x8A\x8C\x8E\x9F", "\x9A\x9C\x9E\xFF"));
    EXPECT_FALSE(textcase::equalCp1252("\xD7", "\xF7"));
    EXPECT_FALSE(textcase::equalCp1252("\xDF", "\xFF")); // sharp s has no capital here

    EXPECT_EQ(textcase::lowerAscii("Daily \xC4"), "daily \xC4");
}

TEST(TextCaseTest, OrderIgnoresCaseThenLength)
{
    EXPECT_TRUE(textcase::lessCp1252("deutsch", "English"));
    EXPECT_FALSE(textcase::lessCp1252("English", "deutsch"));
    EXPECT_TRUE(textcase::lessCp1252("\xC9tat", "\xE9tats")); // État < états
    EXPECT_FALSE(textcase::lessCp1252("\xC9TAT", "\xE9tat"));
    EXPECT_FALSE(textcase::lessCp1252("\xE9tat", "\xC9TAT"));
}
