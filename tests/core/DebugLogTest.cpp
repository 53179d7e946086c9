#include "core/DebugLog.h"

#include "TempDir.h"

#include <gtest/gtest.h>

#include <fstream>
#include <regex>
#include <sstream>

namespace {

std::string readAll(const std::filesystem::path& path)
{
    std::ifstream in(path);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

void writeIni(const TempDir& dir, const std::string& text) { std::ofstream(dir / "quantorix.ini") << text; }

} // namespace

TEST(DebugLogTest, AppendsPrefixedLinesWhenSwitchedOn)
{
    TempDir dir;
    writeIni(dir, "[debug]\nlog = 1\n");
    std::ofstream(dir / "debug.txt") << "earlier line\n";
    debuglog::setProgramFolder(dir.path());
    EXPECT_TRUE(debuglog::enabled());
    debuglog::write("new calls array size: %d", 2048);
    debuglog::write("Closing");
    const std::regex expected("earlier line\n"
                              "\\d\\d\\.\\d\\d\\.\\d{4} \\d\\d:\\d\\d:\\d\\d - new calls array size: 2048\n"
                              "\\d\\d\\.\\d\\d\\.\\d{4} \\d\\d:\\d\\d:\\d\\d - Closing\n");
    EXPECT_TRUE(std::regex_match(readAll(dir / "debug.txt"), expected)) << readAll(dir / "debug.txt");
    debuglog::setProgramFolder(dir / "gone");
}

TEST(DebugLogTest, SwitchedOffCreatesNoFile)
{
    TempDir dir;
    writeIni(dir, "[Debug]\nLog=0\n");
    debuglog::setProgramFolder(dir.path());
    debuglog::write("Closing");
    EXPECT_FALSE(std::filesystem::exists(dir / "debug.txt"));

    // The switch is read once: turning it on later needs a new start.
    writeIni(dir, "[Debug]\nLog=1\n");
    debuglog::write("Closing");
    EXPECT_FALSE(std::filesystem::exists(dir / "debug.txt"));
    debuglog::setProgramFolder(dir / "gone");
}
