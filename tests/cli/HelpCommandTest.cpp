// quantorix-cli --help and COMMAND --help, run as a program.

#include "TempDir.h"

#include <QProcess>
#include <QProcessEnvironment>
#include <QStringList>
#include <gtest/gtest.h>

#include <filesystem>

namespace {

struct CliRun
{
    int exitCode = -1;
    std::string out;
    std::string err;
};

// Runs in an empty program folder: asking for help needs no settings database.
CliRun run(const QStringList& args, const TempDir& home)
{
    QProcess process;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("QUANTORIX_HOME"), QString::fromStdString(home.path().string()));
    process.setProcessEnvironment(environment);
    process.start(QStringLiteral(QX_PROGRAM_DIR "/quantorix-cli"), args);
    process.waitForFinished(60000);
    return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
            process.readAllStandardOutput().toStdString(), process.readAllStandardError().toStdString()};
}

} // namespace

TEST(CliHelp, ListsTheCommands)
{
    TempDir home;
    const CliRun help = run({QStringLiteral("--help")}, home);
    EXPECT_EQ(help.exitCode, 0);
    for (const char* command : {"dump", "export", "task", "import-list", "export-list"})
        EXPECT_NE(help.out.find(std::string("  ") + command + " "), std::string::npos) << command;
    const CliRun none = run({}, home);
    EXPECT_EQ(none.exitCode, 2); // no command at all is a usage error
    EXPECT_NE(none.err.find("usage: quantorix-cli"), std::string::npos);
}

TEST(CliHelp, EachCommandDescribesItself)
{
    TempDir home;
    for (const char* command : {"dump", "export", "task", "import-list", "export-list"}) {
        const QString name = QString::fromLatin1(command);
        for (const QStringList& args :
             {QStringList{name, QStringLiteral("--help")}, QStringList{QStringLiteral("help"), name},
              QStringList{name, QStringLiteral("-h")}}) {
            const CliRun help = run(args, home);
            EXPECT_EQ(help.exitCode, 0) << args.join(u' ').toStdString();
            EXPECT_EQ(help.out.rfind(std::string("usage: quantorix-cli ") + command + " ", 0), 0u) << help.out;
            EXPECT_NE(help.out.find("--home DIR"), std::string::npos);
        }
    }
}

TEST(CliHelp, HelpAmongOtherArgumentsDoesNothingElse)
{
    TempDir home;
    const std::filesystem::path out = home / "calls.csv";
    const CliRun help = run({QStringLiteral("export"), QStringLiteral("--out"), QString::fromStdString(out.string()),
                             QStringLiteral("x.bsl"), QStringLiteral("--help")},
                            home);
    EXPECT_EQ(help.exitCode, 0);
    EXPECT_NE(help.out.find("--out FILE"), std::string::npos);
    EXPECT_FALSE(std::filesystem::exists(out));
    EXPECT_EQ(run({QStringLiteral("help"), QStringLiteral("nonsense")}, home).exitCode, 2);
}
