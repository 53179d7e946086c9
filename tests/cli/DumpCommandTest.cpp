// quantorix-cli dump, run as a program.

#include "calls/CallFileRecord.h"
#include "calls/CallGenerator.h"
#include "settings/SettingsFile.h"

#include "TempDir.h"

#include <QProcess>
#include <QStringList>
#include <gtest/gtest.h>

#include <algorithm>
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

std::vector<std::string> fields(const std::string& row)
{
    std::vector<std::string> result(1);
    for (const char c : row) {
        if (c == ',')
            result.emplace_back();
        else
            result.back() += c;
    }
    return result;
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
    std::filesystem::copy_file(std::filesystem::path(QX_PROGRAM_DIR) / "brisel.dat", dir / "brisel.dat");
    const QStringList home{QStringLiteral("--home"), QString::fromStdString(dir.path().string())};
    const QString a = writeCalls(dir, "a.bsl", 40, 1);
    const QString b = writeCalls(dir, "b.bsl", 25, 2);
    const CliRun run = dump(home + QStringList{a, b});
    ASSERT_EQ(run.exitCode, 0) << run.err;
    const std::vector<std::string> rows = lines(run.out);
    ASSERT_EQ(rows.size(), 1u + 40 + 25);
    EXPECT_EQ(rows[0], "ext,trunk,number,acc,year,month,day,hour,minute,duration,cd,ringtime,direction,"
                       "supplied_cost,pulses,name,type,local,free,carrier,destination,employee,department,"
                       "trunk_group,contact,project,cost");
    // The calls of a, then those of b.
    std::vector<std::string> separately = lines(dump(home + QStringList{a}).out);
    const std::vector<std::string> ofB = lines(dump(home + QStringList{b}).out);
    separately.insert(separately.end(), ofB.begin() + 1, ofB.end());
    EXPECT_EQ(rows, separately);
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

// The rated columns come from the settings database and the preferences of the home folder.
TEST(DumpCommandTest, RatedColumnsFromTheHomeSettings)
{
    TempDir dir;
    SettingsDatabase db;
    for (CarrierBlock& c : db.carriers)
        c.costModifier = 100;
    db.trunks.resize(1);
    db.trunks[0].number = 1;
    db.trunks[0].group.assign("Main");
    db.prefixes[0].resize(1);
    db.prefixes[0][0].prefix.assign("00");
    db.prefixes[0][0].callType = 2;
    db.destinations.resize(1);
    db.destinations[0].code.assign("44");
    db.destinations[0].rates[0].periods[0] = {0.5, 60, 0, 0, 0, 0, RatePeriod::kActive};
    db.directory.resize(1);
    db.directory[0].extension = 100;
    db.directory[0].name.assign("Anna");
    db.directory[0].department.assign("Sales");
    db.contacts.resize(1);
    db.contacts[0].number.assign("00442071234567");
    db.contacts[0].name.assign("London office");
    ASSERT_TRUE(saveSettings(dir / "brisel.dat", db));

    CallRecord known{};
    known.extension = 100;
    known.trunk = 1;
    fixedtext::store(known.dialedNumber, "00442071234567");
    known.start = {2025, 3, 5, 10, 0};
    known.duration = 120;
    CallRecord stranger = known;
    stranger.extension = 999;
    stranger.trunk = 7;
    fixedtext::store(stranger.dialedNumber, "123");
    fixedtext::store(stranger.nameText, "CALLER");
    {
        std::ofstream out(dir / "calls.bsl", std::ios::binary);
        for (const CallRecord& c : {known, stranger})
            out.write(reinterpret_cast<const char*>(CallFileRecord::fromCall(c).bytes.data()), CallFileRecord::kSize);
    }
    const CliRun run = dump({QStringLiteral("--home"), QString::fromStdString(dir.path().string()),
                             QString::fromStdString((dir / "calls.bsl").string())});
    ASSERT_EQ(run.exitCode, 0) << run.err;
    const std::vector<std::string> rows = lines(run.out);
    ASSERT_EQ(rows.size(), 3u);
    const std::vector<std::string> header = fields(rows[0]);
    const std::vector<std::string> first = fields(rows[1]);
    const std::vector<std::string> second = fields(rows[2]);
    ASSERT_EQ(first.size(), header.size());
    const auto column = [&](const std::vector<std::string>& row, const char* name) {
        return row[static_cast<std::size_t>(std::find(header.begin(), header.end(), name) - header.begin())];
    };
    EXPECT_EQ(column(first, "number"), "00-44-2071234567");
    EXPECT_EQ(column(first, "type"), "2");
    EXPECT_EQ(column(first, "local"), "0");
    EXPECT_EQ(column(first, "destination"), "44");
    EXPECT_EQ(column(first, "employee"), "Anna");
    EXPECT_EQ(column(first, "department"), "Sales");
    EXPECT_EQ(column(first, "trunk_group"), "Main");
    EXPECT_EQ(column(first, "contact"), "London office");
    EXPECT_EQ(column(first, "cost"), "1.000000");
    EXPECT_EQ(column(second, "employee"), "");
    EXPECT_EQ(column(second, "trunk_group"), "");
    EXPECT_EQ(column(second, "contact"), "CALLER"); // no contact: the call's own name text
    EXPECT_EQ(column(second, "local"), "1");
    EXPECT_EQ(column(second, "cost"), "0.000000");
}

TEST(DumpCommandTest, UnknownOptionIsAUsageError)
{
    TempDir dir;
    const QString calls = writeCalls(dir, "calls.bsl", 3, 1);
    const CliRun run = dump({QStringLiteral("--no-filtr"), calls});
    EXPECT_EQ(run.exitCode, 2);
    EXPECT_NE(run.err.find("unknown option '--no-filtr'"), std::string::npos) << run.err;
    EXPECT_NE(run.err.find("usage:"), std::string::npos);
}

TEST(DumpCommandTest, MissingSettingsDatabase)
{
    TempDir dir;
    const QString calls = writeCalls(dir, "calls.bsl", 3, 1);
    const CliRun run = dump({QStringLiteral("--home"), QString::fromStdString(dir.path().string()), calls});
    EXPECT_EQ(run.exitCode, 3);
    EXPECT_EQ(run.out, "");
    EXPECT_EQ(run.err.rfind("Database is missing or corrupt.", 0), 0u) << run.err;
}
