#include "core/IniProfile.h"

#include "TempDir.h"

#include <fstream>
#include <gtest/gtest.h>
#include <sstream>
#include <sys/stat.h>

namespace {

std::string readAll(const std::filesystem::path& p)
{
    std::ifstream in(p, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

void writeAll(const std::filesystem::path& p, const std::string& text) { std::ofstream(p, std::ios::binary) << text; }

} // namespace

TEST(IniProfile, ReadsCaseInsensitivelyTrimmedAndUnquoted)
{
    TempDir dir;
    writeAll(
        dir / "q.ini",
        "[Prefs]\r\n  Local = 1 \r\nTitle=\"a,b\"\r\n[prefs]\r\nLocal=7\r\n[Network]\r\nPath=C:\\Calls\\x.bsl\r\n");
    IniProfile ini(dir / "q.ini");
    EXPECT_EQ(ini.readInt("PREFS", "local", 5), 1); // the first section of that name wins
    EXPECT_EQ(ini.readString("prefs", "TITLE"), "a,b");
    EXPECT_EQ(ini.readString("Network", "Path"), "C:\\Calls\\x.bsl"); // backslashes stay
    EXPECT_EQ(ini.readString("Network", "Missing", "dflt"), "dflt");
    EXPECT_EQ(ini.readInt("Nowhere", "x", -3), -3);
}

TEST(IniProfile, IntegersReadLikeThePrivateProfileReader)
{
    EXPECT_EQ(IniProfile::parseInt("42", 9), 42);
    EXPECT_EQ(IniProfile::parseInt("-17", 9), -17);
    EXPECT_EQ(IniProfile::parseInt("+8", 9), 8);
    EXPECT_EQ(IniProfile::parseInt("12ab", 9), 12);
    EXPECT_EQ(IniProfile::parseInt("abc", 9), 0);
    EXPECT_EQ(IniProfile::parseInt("", 9), 9);
    EXPECT_EQ(IniProfile::parseInt("4294967295", 9), -1); // 32-bit wrap
}

TEST(IniProfile, WritesKeepEveryOtherLineAndItsOrder)
{
    TempDir dir;
    const auto path = dir / "q.ini";
    writeAll(path, "; comment\r\n[B]\r\nx=1\r\n\r\n[A]\r\ny=2\r\n");
    IniProfile ini(path);
    ASSERT_TRUE(ini.writeInt("b", "X", 5));        // replaces in place
    ASSERT_TRUE(ini.writeString("B", "z", "new")); // appended to its section, before the blank line
    ASSERT_TRUE(ini.writeString("C", "k", "v"));   // new section at the end
    EXPECT_EQ(readAll(path), "; comment\r\n[B]\r\nX=5\r\nz=new\r\n\r\n[A]\r\ny=2\r\n[C]\r\nk=v\r\n");
    ASSERT_TRUE(ini.removeKey("A", "y"));
    EXPECT_FALSE(IniProfile(path).find("A", "y"));
    EXPECT_EQ(IniProfile(path).readString("c", "K"), "v");
}

TEST(IniProfile, BatchWritesOnceAtTheEnd)
{
    TempDir dir;
    const auto path = dir / "q.ini";
    IniProfile ini(path);
    {
        IniProfile::Batch batch(ini);
        ini.writeInt("S", "a", 1);
        ini.writeInt("S", "b", 2);
        EXPECT_FALSE(std::filesystem::exists(path));
    }
    EXPECT_EQ(readAll(path), "[S]\r\na=1\r\nb=2\r\n");
}

TEST(IniProfile, FailedWriteLeavesTheFileAsItWas)
{
    TempDir dir;
    const auto path = dir / "missing-folder" / "q.ini";
    IniProfile ini(path);
    EXPECT_FALSE(ini.writeInt("S", "a", 1));
    EXPECT_FALSE(std::filesystem::exists(path));
}

TEST(IniProfile, FifoIsNotWaitedOn)
{
    TempDir dir;
    const auto path = dir / "quantorix.ini";
    ASSERT_EQ(::mkfifo(path.c_str(), 0666), 0);
    IniProfile ini(path); // reads nothing, does not wait for a writer
    EXPECT_EQ(ini.readString("Layout", "X"), "");
}
