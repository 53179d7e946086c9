// quantorix-cli check and compare-carriers, run as a program.

#include "calls/CallFileRecord.h"
#include "settings/SettingsFile.h"

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
};

class CheckCommandTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        SettingsDatabase db;
        for (CarrierBlock& c : db.carriers)
            c.costModifier = 100;
        db.header.mainCurrency.digits = 2;
        db.header.overrideCurrency = 1;
        db.carriers[2].name.assign("Cheap");
        db.trunks.resize(1);
        db.trunks[0].number = 1;
        for (auto& prefixes : {&db.prefixes[0], &db.prefixes[2]}) {
            prefixes->resize(1);
            (*prefixes)[0].prefix.assign("00");
            (*prefixes)[0].callType = 2;
        }
        db.destinations.resize(1);
        db.destinations[0].code.assign("44");
        db.destinations[0].rates[0].periods[0] = {0.5, 60, 0, 0, 0, 0, RatePeriod::kActive};
        db.destinations[0].rates[2].periods[0] = {0.25, 60, 0, 0, 0, 0, RatePeriod::kActive};
        db.directory.resize(1);
        db.directory[0].extension = 100;
        ASSERT_TRUE(saveSettings(dir / "brisel.dat", db));

        known.extension = 100;
        known.trunk = 1;
        fixedtext::store(known.dialedNumber, "00442071234567");
        known.start = {2025, 3, 5, 10, 0};
        known.duration = 120;
    }

    QString writeCalls(const std::string& name, std::initializer_list<CallRecord> calls)
    {
        std::ofstream out(dir / name, std::ios::binary);
        for (const CallRecord& c : calls)
            out.write(reinterpret_cast<const char*>(CallFileRecord::fromCall(c).bytes.data()), CallFileRecord::kSize);
        return QString::fromStdString((dir / name).string());
    }

    CliRun run(const QString& command, const QStringList& args)
    {
        QProcess process;
        process.start(QStringLiteral(QX_PROGRAM_DIR "/quantorix-cli"),
                      QStringList{command, QStringLiteral("--home"), QString::fromStdString(dir.path().string())}
                          + args);
        process.waitForFinished(60000);
        return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
                process.readAllStandardOutput().toStdString()};
    }

    TempDir dir;
    CallRecord known{};
};

TEST_F(CheckCommandTest, CountsPerRuleAndExitCode)
{
    // A copy alone is no reason to mail the administrator.
    const QString copies = writeCalls("copies.bsl", {known, known});
    CliRun r = run(QStringLiteral("check"), {copies});
    EXPECT_EQ(r.exitCode, 0);
    EXPECT_EQ(r.out, "zero-cost\t0\nunknown-destination\t0\nunknown-extension\t0\nunknown-trunk\t0\n"
                     "unknown-account\t0\nsupplied-cost-differs\t0\nduplicates\t1\ninvalid-date\t0\n");

    CallRecord stranger = known;
    stranger.extension = 999;
    stranger.trunk = 7;
    const QString strangers = writeCalls("strangers.bsl", {known, stranger});
    r = run(QStringLiteral("check"), {strangers});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_NE(r.out.find("unknown-extension\t1\nunknown-trunk\t1\n"), std::string::npos) << r.out;

    r = run(QStringLiteral("check"), {QStringLiteral("--list"), QStringLiteral("unknown-trunk"), strangers});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_EQ(std::count(r.out.begin(), r.out.end(), '\n'), 2) << r.out;
    EXPECT_NE(r.out.find("\n999,7,00-44-2071234567,"), std::string::npos) << r.out;

    EXPECT_EQ(run(QStringLiteral("check"), {QStringLiteral("--list"), QStringLiteral("nothing"), strangers}).exitCode,
              2);
}

TEST_F(CheckCommandTest, CompareCarriersAsCsv)
{
    const QString calls = writeCalls("calls.bsl", {known});
    const CliRun r = run(QStringLiteral("compare-carriers"), {QStringLiteral("--csv"), calls});
    ASSERT_EQ(r.exitCode, 0);
    EXPECT_EQ(r.out, "carrier,name,priced,unpriced,total,difference\n"
                     "1,,1,0,1.00,0.00\n"
                     "2,,0,1,0.00,-1.00\n"
                     "3,Cheap,1,0,0.50,-0.50\n"
                     "4,,0,1,0.00,-1.00\n"
                     "5,,0,1,0.00,-1.00\n"
                     "6,,0,1,0.00,-1.00\n");
}

} // namespace
