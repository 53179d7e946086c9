#include "core/ProgramFolder.h"

#include "TempDir.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

namespace {

namespace fs = std::filesystem;
using programfolder::Source;

std::string readAll(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

void write(const fs::path& path, const std::string& text)
{
    fs::create_directories(path.parent_path());
    std::ofstream(path, std::ios::binary) << text;
}

} // namespace

TEST(ProgramFolderTest, ChoosesOptionThenVariableThenPortableThenPerUser)
{
    TempDir dir;
    const fs::path bin = dir / "usr/bin";
    fs::create_directories(bin);
    programfolder::Inputs in{"/opt/a", "/opt/b", "/data", "/home/u", bin};

    EXPECT_EQ(programfolder::choose(in).folder, "/opt/a");
    EXPECT_EQ(programfolder::choose(in).source, Source::Option);
    in.homeOption.clear();
    EXPECT_EQ(programfolder::choose(in).folder, "/opt/b");
    EXPECT_EQ(programfolder::choose(in).source, Source::Environment);
    in.homeVariable.clear();
    EXPECT_EQ(programfolder::choose(in).folder, "/data/quantorix");
    EXPECT_EQ(programfolder::choose(in).source, Source::PerUser);
    EXPECT_EQ(programfolder::choose(in).defaults, dir.path() / "usr/share/quantorix");

    // A relative XDG_DATA_HOME is ignored; then HOME; with neither, the executable's folder.
    in.xdgDataHome = "relative/data";
    EXPECT_EQ(programfolder::choose(in).folder, "/home/u/.local/share/quantorix");
    in.userHome.clear();
    EXPECT_EQ(programfolder::choose(in).folder, bin);
    EXPECT_EQ(programfolder::choose(in).source, Source::Portable);

    // Either file marks the executable's folder as a portable installation.
    in.userHome = "/home/u";
    for (const char* marker : {programfolder::kSettingsName, programfolder::kIniName}) {
        write(bin / marker, "x");
        EXPECT_EQ(programfolder::choose(in).folder, bin) << marker;
        EXPECT_EQ(programfolder::choose(in).source, Source::Portable);
        fs::remove(bin / marker);
    }
}

TEST(ProgramFolderTest, FillCopiesMissingFilesAndKeepsTheUsersOwn)
{
    TempDir dir;
    const fs::path shared = dir / "share";
    const fs::path user = dir / "user";
    write(shared / "brisel.dat", "shipped settings");
    write(shared / "quantorix.ini", "[Prefs]\nshipped=1\n");
    write(shared / "Reports/Summary.xml", "<report/>");
    write(shared / "Calls/2026_11.bsl", std::string(64, '\0'));
    write(user / "quantorix.ini", "[Prefs]\nmine=1\n");

    EXPECT_EQ(programfolder::fillFromDefaults(shared, user, true), 3);
    EXPECT_EQ(readAll(user / "quantorix.ini"), "[Prefs]\nmine=1\n");
    EXPECT_EQ(readAll(user / "brisel.dat"), "shipped settings");
    EXPECT_EQ(readAll(user / "Reports/Summary.xml"), "<report/>");
    EXPECT_EQ(fs::file_size(user / "Calls/2026_11.bsl"), 64u);

    // Later starts bring back a deleted template but not the deleted demo calls,
    // and leave no temporary files behind.
    fs::remove(user / "Reports/Summary.xml");
    fs::remove_all(user / "Calls");
    write(user / "brisel.dat", "edited");
    EXPECT_EQ(programfolder::fillFromDefaults(shared, user, false), 1);
    EXPECT_TRUE(fs::exists(user / "Reports/Summary.xml"));
    EXPECT_FALSE(fs::exists(user / "Calls"));
    EXPECT_EQ(readAll(user / "brisel.dat"), "edited");
    int entries = 0;
    for ([[maybe_unused]] const auto& entry : fs::recursive_directory_iterator(user))
        ++entries;
    EXPECT_EQ(entries, 5); // quantorix.ini, brisel.dat, Reports/, Reports/Summary.xml, .shipped

    EXPECT_EQ(programfolder::fillFromDefaults(dir / "none", user, true), 0);
}

TEST(ProgramFolderTest, ANewerPackageReplacesOnlyCopiesTheUserLeftAlone)
{
    TempDir dir;
    const fs::path shared = dir / "share";
    const fs::path user = dir / "user";
    write(shared / "quantorix.lna", "base 1");
    write(shared / "Deutsch.lng", "german 1");
    write(shared / "brisel.dat", "settings 1");
    write(user / "brisel.dat", "the user's own settings");
    EXPECT_EQ(programfolder::fillFromDefaults(shared, user, true), 2);

    write(user / "Deutsch.lng", "german, edited");
    write(shared / "quantorix.lna", "base 2");
    write(shared / "Deutsch.lng", "german 2");
    write(shared / "brisel.dat", "settings 2");
    EXPECT_EQ(programfolder::fillFromDefaults(shared, user, false), 1);
    EXPECT_EQ(readAll(user / "quantorix.lna"), "base 2");
    EXPECT_EQ(readAll(user / "Deutsch.lng"), "german, edited");
    EXPECT_EQ(readAll(user / "brisel.dat"), "the user's own settings"); // never a shipped copy

    // A damaged record changes nothing.
    write(user / programfolder::kShippedRecordName, "garbage\n \nx\n");
    write(shared / "quantorix.lna", "base 3");
    EXPECT_EQ(programfolder::fillFromDefaults(shared, user, false), 0);
    EXPECT_EQ(readAll(user / "quantorix.lna"), "base 2");
}
