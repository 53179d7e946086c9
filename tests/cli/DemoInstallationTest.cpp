// The demo installation the build lays out, used as a scheduler would: every
// shipped report template as a task over the previous month, through
// quantorix-cli on a copy of the installation.

#include "TempDir.h"

#include <QProcess>
#include <QStringList>
#include <gtest/gtest.h>

#include <ctime>
#include <fstream>
#include <iterator>

namespace {

namespace fs = std::filesystem;

const fs::path kProgram = QX_PROGRAM_DIR;

std::string readAll(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// "YYYY_MM.bsl" of the month before the current one, as the collector names it.
std::string previousMonthFile()
{
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    const int year = local.tm_mon == 0 ? local.tm_year + 1899 : local.tm_year + 1900;
    const int month = local.tm_mon == 0 ? 12 : local.tm_mon;
    char name[32];
    std::snprintf(name, sizeof name, "%04d_%02d.bsl", year, month);
    return name;
}

} // namespace

TEST(DemoInstallationTest, EveryShippedReportOfThePreviousMonthMeansSomething)
{
    ASSERT_TRUE(fs::exists(kProgram / "Calls" / previousMonthFile())) << previousMonthFile();
    TempDir home;
    for (const char* name : {"brisel.dat", "quantorix.ini"})
        fs::copy_file(kProgram / name, home / name);
    for (const char* folder : {"Calls", "Reports"})
        fs::copy(kProgram / folder, home / folder, fs::copy_options::recursive);

    int templates = 0;
    for (const fs::directory_entry& entry : fs::directory_iterator(home / "Reports")) {
        if (entry.path().extension() != ".xml")
            continue;
        ++templates;
        const std::string report = entry.path().stem().string();
        SCOPED_TRACE(report);
        const std::string task = "from=\"previous\" to=\"previous\" report=\"" + report + "\" out=\""
                                 + (home / ("out-" + std::to_string(templates))).string() + "\"";
        QProcess cli;
        cli.start(QStringLiteral(QX_PROGRAM_DIR "/quantorix-cli"),
                  {QStringLiteral("task"), QStringLiteral("--home"), QString::fromStdString(home.path().string()),
                   QString::fromStdString(task)});
        ASSERT_TRUE(cli.waitForFinished(120000));
        ASSERT_EQ(cli.exitCode(), 0) << cli.readAllStandardError().toStdString();
        const std::string text = readAll(cli.readAllStandardOutput().trimmed().toStdString());
        EXPECT_GT(text.size(), 2000u);
        // The call types have names and the heading the company texts.
        EXPECT_EQ(text.find("User defined"), std::string::npos);
        if (entry.path().filename() != "Calls export (CSV).xml") {
            EXPECT_NE(text.find("Rheinblick Handels GmbH"), std::string::npos);
        }
    }
    EXPECT_GE(templates, 8);
}
