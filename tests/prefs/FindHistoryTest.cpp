#include "prefs/FindHistory.h"

#include "core/IniProfile.h"

#include "TempDir.h"

#include <gtest/gtest.h>

TEST(FindHistoryTest, KeepsSixteenAndTheirPlaces)
{
    TempDir dir;
    IniProfile ini(dir / "quantorix.ini");
    FindHistory history;
    for (int i = 0; i < 16; ++i)
        EXPECT_TRUE(history.add(std::to_string(1000 + i)));
    EXPECT_TRUE(history.write(ini));
    FindHistory back = FindHistory::read(IniProfile(dir / "quantorix.ini"));
    ASSERT_EQ(back.entries().size(), 16u);
    EXPECT_EQ(back.entries().front(), "1015");

    EXPECT_FALSE(back.add("1007")); // present: keeps its place
    EXPECT_EQ(back.entries()[8], "1007");
    EXPECT_TRUE(back.add("555"));
    ASSERT_EQ(back.entries().size(), 16u);
    EXPECT_EQ(back.entries().front(), "555");
    EXPECT_EQ(back.entries().back(), "1001"); // "1000" dropped out
    EXPECT_TRUE(back.write(ini));
    EXPECT_EQ(ini.readInt("MRU", "Size", 0), 16);
    EXPECT_EQ(ini.readString("MRU", "Str0"), "555");

    // A damaged size is bounded by what the history can hold.
    ini.writeInt("MRU", "Size", 100000);
    EXPECT_EQ(FindHistory::read(ini).entries().size(), 16u);
}
