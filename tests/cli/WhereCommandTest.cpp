// The program folder of an installed quantorix-cli: a copy of the tool in
// "<root>/usr/bin" beside shared defaults in "<root>/usr/share/quantorix", run
// with a fresh HOME as a user's first and later starts.

#include "TempDir.h"

#include <QProcess>
#include <QProcessEnvironment>
#include <QStringList>
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

namespace {

namespace fs = std::filesystem;

std::string readAll(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

class InstalledCliTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        fs::create_directories(root / "usr/bin");
        fs::copy_file(fs::path(QX_PROGRAM_DIR) / "quantorix-cli", root / "usr/bin/quantorix-cli");
        fs::create_directories(shared / "Reports");
        for (const char* name : {"brisel.dat", "quantorix.ini"})
            fs::copy_file(fs::path(QX_PROGRAM_DIR) / name, shared / name);
        std::ofstream(shared / "Reports/Empty.xml") << "<report/>";
    }

    std::string where(const QStringList& extra = {}, const std::string& xdg = {}) const
    {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.remove(QStringLiteral("QUANTORIX_HOME"));
        environment.remove(QStringLiteral("XDG_DATA_HOME"));
        if (!xdg.empty())
            environment.insert(QStringLiteral("XDG_DATA_HOME"), QString::fromStdString(xdg));
        environment.insert(QStringLiteral("HOME"), QString::fromStdString((root / "home").string()));
        QProcess process;
        process.setProcessEnvironment(environment);
        process.start(QString::fromStdString((root / "usr/bin/quantorix-cli").string()),
                      QStringList{QStringLiteral("where")} + extra);
        process.waitForFinished(60000);
        EXPECT_EQ(process.exitCode(), 0) << process.readAllStandardError().toStdString();
        return process.readAllStandardOutput().toStdString();
    }

    TempDir root;
    const fs::path shared = root / "usr/share/quantorix";
    const fs::path user = root / "home/.local/share/quantorix";
};

} // namespace

TEST_F(InstalledCliTest, FirstStartFillsThePerUserFolderAndLaterStartsKeepTheUsersFiles)
{
    std::string out = where();
    EXPECT_NE(out.find("Program folder: " + user.string() + "\n  chosen as the per-user folder"), std::string::npos)
        << out;
    EXPECT_NE(out.find("brisel.dat     " + (user / "brisel.dat").string() + " (as shipped in"), std::string::npos)
        << out;
    EXPECT_EQ(readAll(user / "Reports/Empty.xml"), "<report/>");
    EXPECT_EQ(fs::status(user).permissions(), fs::perms::owner_all);

    std::ofstream(user / "quantorix.ini", std::ios::app) << "[File]\nName=mine.bsl\n";
    const std::string changed = readAll(user / "quantorix.ini");
    out = where();
    EXPECT_EQ(readAll(user / "quantorix.ini"), changed);
    EXPECT_NE(out.find("quantorix.ini  " + (user / "quantorix.ini").string() + " (changed here)"), std::string::npos)
        << out;
}

TEST_F(InstalledCliTest, XdgDataHomeAndAPortableFolderWin)
{
    const fs::path data = root / "data";
    EXPECT_NE(where({}, data.string()).find("Program folder: " + (data / "quantorix").string()), std::string::npos);
    EXPECT_TRUE(fs::exists(data / "quantorix/brisel.dat"));

    std::ofstream(root / "usr/bin/quantorix.ini") << "";
    const std::string out = where();
    EXPECT_NE(out.find("Program folder: " + (root / "usr/bin").string() + "\n  chosen as the executable's folder"),
              std::string::npos)
        << out;
    EXPECT_FALSE(fs::exists(user));
}
