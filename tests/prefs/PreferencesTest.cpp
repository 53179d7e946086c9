#include "prefs/Preferences.h"
#include "prefs/ProfileText.h"

#include "TempDir.h"

#include <fstream>
#include <gtest/gtest.h>
#include <sstream>

namespace {

std::string readAll(const std::filesystem::path& p)
{
    std::ifstream in(p, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

void writeAll(const std::filesystem::path& p, const std::string& text) { std::ofstream(p, std::ios::binary) << text; }

void expectSame(const Preferences& a, const Preferences& b)
{
    EXPECT_EQ(a.extensionFormat, b.extensionFormat);
    EXPECT_EQ(a.trunkFormat, b.trunkFormat);
    EXPECT_EQ(a.dashAfterLocalPrefix, b.dashAfterLocalPrefix);
    EXPECT_EQ(a.dashAfterCode, b.dashAfterCode);
    EXPECT_EQ(a.dashAfterTollPrefix, b.dashAfterTollPrefix);
    EXPECT_EQ(a.incomingLocal, b.incomingLocal);
    EXPECT_EQ(a.usaFormat, b.usaFormat);
    EXPECT_EQ(a.destinationIntl, b.destinationIntl);
    EXPECT_EQ(a.destinationLongDistance, b.destinationLongDistance);
    EXPECT_EQ(a.destinationUser, b.destinationUser);
    EXPECT_EQ(a.colorOut, b.colorOut);
    EXPECT_EQ(a.backOut, b.backOut);
    EXPECT_EQ(a.colorIn, b.colorIn);
    EXPECT_EQ(a.backIn, b.backIn);
    EXPECT_EQ(a.colorUnknown, b.colorUnknown);
    EXPECT_EQ(a.backUnknown, b.backUnknown);
    EXPECT_EQ(a.userCallTypes, b.userCallTypes);
    EXPECT_EQ(a.colorUser, b.colorUser);
    EXPECT_EQ(a.backUser, b.backUser);
    EXPECT_EQ(a.delimiters, b.delimiters);
    EXPECT_EQ(a.delimiterColor, b.delimiterColor);
    EXPECT_EQ(a.refresh, b.refresh);
    EXPECT_EQ(a.customTexts, b.customTexts);
}

} // namespace

TEST(Preferences, NoPrefsSectionGivesTheDefaults)
{
    TempDir dir;
    writeAll(dir / "q.ini", "[Other]\r\nExt=4\r\nColorIn=5\r\n");
    Preferences p;
    p.extensionFormat = 0;
    p.customTexts[2] = "left over";
    p.load(IniProfile(dir / "q.ini"));

    EXPECT_EQ(p.extensionFormat, 2);
    EXPECT_EQ(p.trunkFormat, 1);
    EXPECT_FALSE(p.dashAfterLocalPrefix);
    EXPECT_TRUE(p.dashAfterCode);
    EXPECT_TRUE(p.dashAfterTollPrefix);
    EXPECT_TRUE(p.incomingLocal);
    EXPECT_FALSE(p.usaFormat);
    EXPECT_EQ(p.destinationIntl, 0);
    EXPECT_EQ(p.destinationLongDistance, 2);
    EXPECT_EQ(p.destinationUser, 0);
    EXPECT_EQ(p.colorOut, (std::array<ColorRef, 3>{0x000000, 0xFF0000, 0xC8C800}));
    EXPECT_EQ(p.backOut, (std::array<ColorRef, 3>{0xFFFFFF, 0xFFFFFF, 0xFFFFFF}));
    EXPECT_EQ(p.colorIn, 0x008000u);
    EXPECT_EQ(p.backIn, 0xFFFFFFu);
    EXPECT_EQ(p.colorUnknown, 0x0000DCu);
    EXPECT_EQ(p.backUnknown, 0xFFFFFFu);
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(p.userCallTypes[i], "");
        EXPECT_EQ(p.colorUser[i], 0x808040u);
        EXPECT_EQ(p.backUser[i], 0xFFFFFFu);
    }
    EXPECT_TRUE(p.delimiters);
    EXPECT_EQ(p.delimiterColor, 0xC8C8C8u);
    EXPECT_TRUE(p.refresh);
    for (const std::string& text : p.customTexts)
        EXPECT_EQ(text, "");
    expectSame(p, Preferences{});
}

TEST(Preferences, ReadsTheKeysOfThePrefsSection)
{
    TempDir dir;
    writeAll(dir / "q.ini", "[Prefs]\r\nExt=0\r\nCO=5\r\nLocal=1\r\nCode=0\r\nUSA=2\r\nDestLD=1\r\nColorOut2=255\r\n"
                            "BackUser3=-1\r\nUserCallType1=Mobile\r\nCustomText1=Main St. 1\\nSpringfield\r\n"
                            "Refresh=0\r\n");
    Preferences p;
    p.load(IniProfile(dir / "q.ini"));
    EXPECT_EQ(p.extensionFormat, 0);
    EXPECT_EQ(p.trunkFormat, 5);
    EXPECT_TRUE(p.dashAfterLocalPrefix);
    EXPECT_FALSE(p.dashAfterCode);
    EXPECT_TRUE(p.usaFormat); // any non-zero value is on
    EXPECT_EQ(p.destinationLongDistance, 1);
    EXPECT_EQ(p.colorOut[2], 255u);
    EXPECT_EQ(p.backUser[3], 0xFFFFFFFFu);
    EXPECT_EQ(p.userCallTypes[1], "Mobile");
    EXPECT_EQ(p.customTexts[Preferences::Address], "Main St. 1\r\nSpringfield");
    EXPECT_FALSE(p.refresh);
}

TEST(Preferences, ChoicesOutsideTheirListsFallBackToTheDefault)
{
    TempDir dir;
    writeAll(dir / "q.ini", "[Prefs]\r\nExt=5\r\nCO=-1\r\nDestIntl=3\r\nDestUser=2\r\n");
    Preferences p;
    p.load(IniProfile(dir / "q.ini"));
    EXPECT_EQ(p.extensionFormat, 2);
    EXPECT_EQ(p.trunkFormat, 1);
    EXPECT_EQ(p.destinationIntl, 0);
    EXPECT_EQ(p.destinationUser, 2);
}

TEST(Preferences, TextsAreCutToTheirMaximumLength)
{
    TempDir dir;
    writeAll(dir / "q.ini",
             "[Prefs]\r\nUserCallType0=" + std::string(40, 'u') + "\r\nCustomText4=" + std::string(300, 'c') + "\r\n");
    Preferences p;
    p.load(IniProfile(dir / "q.ini"));
    EXPECT_EQ(p.userCallTypes[0], std::string(32, 'u'));
    EXPECT_EQ(p.customTexts[4], std::string(255, 'c'));
}

TEST(Preferences, SaveThenLoadGivesTheSameValues)
{
    TempDir dir;
    Preferences p;
    p.extensionFormat = 4;
    p.trunkFormat = 0;
    p.dashAfterLocalPrefix = true;
    p.incomingLocal = false;
    p.destinationIntl = 2;
    p.colorOut = {1, 2, 3};
    p.backIn = 0x123456;
    p.colorUnknown = 0xFFFFFFFF;
    p.userCallTypes = {"Mobile", " spaced ", "\"quoted\"", ""};
    p.colorUser[3] = 7;
    p.delimiters = false;
    p.customTexts = {"ACME Inc.", "Main St. 1\r\nSpringfield\r\n", "'555'", "  indented", "tab\t"};
    IniProfile ini(dir / "q.ini");
    ASSERT_TRUE(p.save(ini));

    Preferences back;
    back.load(IniProfile(dir / "q.ini"));
    expectSame(back, p);

    const std::string file = readAll(dir / "q.ini");
    EXPECT_NE(file.find("[Prefs]\r\n"), std::string::npos);
    EXPECT_NE(file.find("CustomText1=Main St. 1\\nSpringfield\\n\r\n"), std::string::npos);
    EXPECT_NE(file.find("UserCallType0=Mobile\r\n"), std::string::npos); // plain texts stay as they were
    EXPECT_NE(file.find("Ext=4\r\n"), std::string::npos);
}

TEST(Preferences, LoneLineBreaksAreSavedAsLineBreaksNeverRaw)
{
    TempDir dir;
    Preferences p;
    p.customTexts[0] = "one\ntwo\rthree";
    p.userCallTypes[0] = "a\r\nb";
    IniProfile ini(dir / "q.ini");
    ASSERT_TRUE(p.save(ini));
    IniProfile reread(dir / "q.ini");
    EXPECT_EQ(reread.readString("Prefs", "CustomText0"), "one\\ntwo\\nthree");
    EXPECT_EQ(reread.readString("Prefs", "UserCallType0"), "a  b");
    EXPECT_EQ(reread.readInt("Prefs", "Refresh", -1), 1); // the keys after them are intact
}

TEST(Preferences, NumberFormats)
{
    Preferences p;
    EXPECT_EQ(p.formatExtension(7), "007");
    EXPECT_EQ(p.formatExtension(12345), "12345");
    EXPECT_EQ(p.formatExtension(-1), "");
    EXPECT_EQ(p.formatTrunk(3), "03");
    p.extensionFormat = 0;
    p.trunkFormat = 5;
    EXPECT_EQ(p.formatExtension(7), "7");
    EXPECT_EQ(p.formatTrunk(12), "000012");
    EXPECT_EQ(p.formatTrunk(-1), "");
    EXPECT_EQ(p.formatExtension(0), "0");
    p.extensionFormat = 99; // set by a caller, not loaded: still within the list
    EXPECT_EQ(p.formatExtension(7), "00007");
}

TEST(ProfileText, EncodedTextsReadBackUnchanged)
{
    TempDir dir;
    const std::string texts[] = {"", " ", ";", "\"", "\"a\"", "'x'", " lead", "trail\t", "a=b", "plain"};
    {
        IniProfile ini(dir / "q.ini");
        IniProfile::Batch batch(ini);
        for (std::size_t i = 0; i < std::size(texts); ++i)
            profiletext::write(ini, "S", "K" + std::to_string(i), texts[i]);
    }
    IniProfile ini(dir / "q.ini");
    for (std::size_t i = 0; i < std::size(texts); ++i)
        EXPECT_EQ(ini.readString("S", "K" + std::to_string(i), "missing"), texts[i]) << i;
    EXPECT_EQ(profiletext::encode("plain"), "plain");
    EXPECT_EQ(profiletext::encode(" "), "\" \"");
}
