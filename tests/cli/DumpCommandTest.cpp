// quantorix-cli dump, run as a program.

#include "calls/CallGenerator.h"

#include "TempDir.h"

#include <QProcess>
#include <QStringList>
#include <gtest/gtest.h>

#include <fstream>

namespace {

struct CliRun
{
    int exitCode = -1;
    std::string out;
    std::string err;
};

CliRun dump(const QStringList& args)
{
    QProcess process;
    process.start(QStringLiteral(QX_PROGRAM_DIR "/quantorix-cli"), QStringList{QStringLiteral("dump")} + args);
    process.waitForFinished(60000);
    return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
            process.readAllStandardOutput().toStdString(), process.readAllStandardError().toStdString()};
}

QString writeCalls(const TempDir& dir, const std::string& name, std::size_t count, std::uint64_t seed)
{
    CallGeneratorOptions options;
    options.count = count;
    options.seed = seed;
    const auto bytes = CallGenerator::fileBytes(options);
    std::ofstream(dir / name, std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    return QString::fromStdString((dir / name).string());
}

std::vector<std::string> lines(const std::string& text)
{
    std::vector<std::string> result;
    for (std::size_t at = 0, end; (end = text.find('\n', at)) != std::string::npos; at = end + 1)
        result.push_back(text.substr(at, end - at));
    return result;
}

} // namespace

TEST(DumpCommandTest, PrintsEveryCallOfTheFilesInOrder)
{
    TempDir dir;
    const QString a = writeCalls(dir, "a.bsl", 40, 1);
    const QString b = writeCalls(dir, "b.bsl", 25, 2);
    const CliRun run = dump({QStringLiteral("--home"), QString::fromStdString(dir.path().string()), a, b});
    ASSERT_EQ(run.exitCode, 0) << run.err;
    const std::vector<std::string> rows = lines(run.out);
    ASSERT_EQ(rows.size(), 1u + 40 + 25);
    EXPECT_EQ(rows[0], "ext,trunk,number,acc,year,month,day,hour,minute,duration,cd,ringtime,direction,"
                       "supplied_cost,pulses,name,type,local,free,carrier,destination,employee,department,"
                       "trunk_group,contact,project,cost");
    // The calls of a, then those of b.
    std::vector<std::string> separately = lines(dump({a}).out);
    const std::vector<std::string> ofB = lines(dump({b}).out);
    separately.insert(separately.end(), ofB.begin() + 1, ofB.end());
    EXPECT_EQ(rows, separately);
    EXPECT_EQ(rows[1].substr(rows[1].size() - 9), ",0.000000");  // unrated cost
}

TEST(DumpCommandTest, LoadErrorsGoToStandardError)
{
    TempDir dir;
    const QString good = writeCalls(dir, "good.bsl", 3, 1);
    std::ofstream(dir / "bad.bsl") << std::string(65, 'x');
    const QString missing = QString::fromStdString((dir / "missing.bsl").string());

    CliRun run = dump({good, missing});
    EXPECT_NE(run.exitCode, 0);
    EXPECT_EQ(run.out, "");
    EXPECT_EQ(run.err, "Error opening file!\n\n" + missing.toStdString() + "\n");

    run = dump({QString::fromStdString((dir / "bad.bsl").string())});
    EXPECT_NE(run.exitCode, 0);
    EXPECT_EQ(run.err, "Loading failed - file is corrupt!\n\n" + (dir / "bad.bsl").string() + "\n\n");

    EXPECT_EQ(dump({}).exitCode, 2);
}
