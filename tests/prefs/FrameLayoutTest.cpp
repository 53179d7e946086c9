#include "prefs/FrameLayout.h"

#include "core/IniProfile.h"

#include "TempDir.h"

#include <gtest/gtest.h>

TEST(FrameLayoutTest, DefaultsWithoutIniFile)
{
    TempDir dir;
    const IniProfile ini(dir / "quantorix.ini");
    const ListLayout list = ListLayout::read(ini);
    EXPECT_EQ(list.columns, 14);
    EXPECT_EQ(list.sort.primary.type, ColumnType::Date);
    EXPECT_EQ(list.sort.secondary.type, ColumnType::Ext);
    EXPECT_TRUE(!list.sort.primary.descending && !list.sort.secondary.descending);
    EXPECT_EQ(list.typeAt(5), ColumnType::Duration);
    EXPECT_EQ(list.widthOf(ColumnType::DialedNumber), 160);
    EXPECT_EQ(list.widthOf(ColumnType::Cd), 48);

    // Made for a 6-pixel average character; a wider font scales them.
    EXPECT_EQ(ListLayout::defaultWidths()[static_cast<int>(ColumnType::Date)], 64);
    EXPECT_EQ(ListLayout::defaultWidths(9)[static_cast<int>(ColumnType::Date)], 96);
    EXPECT_EQ(ListLayout::defaultWidths(7)[static_cast<int>(ColumnType::Employee)], 93);

    const WindowLayout window = WindowLayout::read(ini, 10, 20, 1000, 700);
    EXPECT_EQ(window.left, 10);
    EXPECT_EQ(window.top, 20);
    EXPECT_EQ(window.width, 1000);
    EXPECT_EQ(window.height, 700);
    EXPECT_TRUE(window.maximize);
}

TEST(FrameLayoutTest, RoundTripAndDamagedValues)
{
    TempDir dir;
    IniProfile ini(dir / "quantorix.ini");
    ListLayout list;
    list.columns = 3;
    std::swap(list.types[0], list.types[5]);
    list.widths[static_cast<int>(ColumnType::Cost)] = 77;
    list.sort.primary = {ColumnType::Duration, true};
    list.sort.secondary = {ColumnType::Date, false};
    list.write(ini);

    const ListLayout back = ListLayout::read(IniProfile(dir / "quantorix.ini"));
    EXPECT_EQ(back.columns, 3);
    EXPECT_EQ(back.typeAt(0), ColumnType::Duration);
    EXPECT_EQ(back.typeAt(5), ColumnType::Date);
    EXPECT_EQ(back.widthOf(ColumnType::Cost), 77);
    EXPECT_EQ(back.sort.primary.type, ColumnType::Duration);
    EXPECT_TRUE(back.sort.primary.descending);
    EXPECT_EQ(back.positionOf(ColumnType::Duration), 0);
    EXPECT_EQ(back.positionOf(ColumnType::Cost), -1); // not among the three shown

    // A column type twice, a type outside the 19, a count of 0, a bad sort type:
    // each falls back to its default rather than showing a column that does not exist.
    ini.writeInt("List", "Type1", 0);
    ini.writeInt("List", "Columns", 0);
    ini.writeInt("CallsSort0", "Type", 19);
    ini.writeInt("List", "Width3", -5);
    const ListLayout damaged = ListLayout::read(ini);
    EXPECT_EQ(damaged.columns, 14);
    for (int i = 0; i < kColumnTypeCount; ++i)
        EXPECT_EQ(static_cast<int>(damaged.typeAt(i)), i);
    EXPECT_EQ(damaged.sort.primary.type, ColumnType::Date);
    EXPECT_EQ(damaged.widthOf(ColumnType::DialedNumber), 160);
}

TEST(FrameLayoutTest, WindowIsPutOnAScreenThatExists)
{
    const QList<QRect> screens = {QRect(0, 0, 1280, 800), QRect(1280, 0, 1024, 768)};
    // Title bar on a screen (also the second one): kept.
    EXPECT_EQ(WindowLayout::placeOnScreens(QRect(100, 100, 800, 600), screens, 30), QRect(100, 100, 800, 600));
    EXPECT_EQ(WindowLayout::placeOnScreens(QRect(1400, 50, 500, 400), screens, 30), QRect(1400, 50, 500, 400));
    // The full-screen rectangle of a window never shown: its title bar lay above the screen.
    EXPECT_EQ(WindowLayout::placeOnScreens(QRect(0, 0, 1280, 800), screens, 30), QRect(0, 30, 1280, 770));
    // A screen that is gone: onto the first one.
    EXPECT_EQ(WindowLayout::placeOnScreens(QRect(3000, 200, 600, 400), screens, 30), QRect(680, 200, 600, 400));
    // Mostly on the second screen, title bar off it: onto the second one.
    EXPECT_EQ(WindowLayout::placeOnScreens(QRect(1500, -200, 400, 500), screens, 30), QRect(1500, 30, 400, 500));
}
