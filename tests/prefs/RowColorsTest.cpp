#include "prefs/RowColors.h"

#include <gtest/gtest.h>

TEST(RowColorsTest, ByDirectionTypeAndDestination)
{
    const Preferences prefs;
    CallRecord local = CallRecord::empty();
    local.localFlag = 1;
    local.callType = 0;
    RowColors colors = rowColors(local, prefs);
    EXPECT_EQ(colors.text, prefs.colorOut[0]);
    EXPECT_FALSE(colors.background); // white is the list's own background

    CallRecord unknown = CallRecord::empty();
    unknown.callType = 2;
    unknown.destinationIndex = -1;
    EXPECT_EQ(rowColors(unknown, prefs).text, ColorRef{0x0000DC});
    unknown.destinationIndex = 4;
    EXPECT_EQ(rowColors(unknown, prefs).text, ColorRef{0xC8C800});

    CallRecord incoming = CallRecord::empty();
    incoming.direction = 1;
    EXPECT_EQ(rowColors(incoming, prefs).text, ColorRef{0x008000});

    Preferences tinted;
    tinted.backUser[1] = 0x00FFEE;
    CallRecord user = CallRecord::empty();
    user.callType = 4;
    user.destinationIndex = 0;
    colors = rowColors(user, tinted);
    EXPECT_EQ(colors.text, tinted.colorUser[1]);
    EXPECT_EQ(colors.background.value_or(0), ColorRef{0x00FFEE});
}
