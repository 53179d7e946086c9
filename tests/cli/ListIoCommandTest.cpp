// quantorix-cli import-list / export-list / export, run as a program on a temporary home.

#include "calls/CallFileRecord.h"
#include "core/IniProfile.h"
#include "filter/SavedFilters.h"
#include "settings/SettingsFile.h"

#include "TempDir.h"

#include <QProcess>
#include <QStringList>
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

namespace {

struct CliRun
{
    int exitCode = -1;
    std::string out;
    std::string err;
};

class CliHomeTest : public ::testing::Test
{
protected:
    CliRun run(const QString& command, QStringList args) const
    {
        QProcess process;
        args.prepend(QString::fromStdString(dir.path().string()));
        args.prepend(QStringLiteral("--home"));
        args.prepend(command);
        process.start(QStringLiteral(QX_PROGRAM_DIR "/quantorix-cli"), args);
        process.waitForFinished(60000);
        return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
                process.readAllStandardOutput().toStdString(), process.readAllStandardError().toStdString()};
    }

    QString file(const std::string& name) const { return QString::fromStdString((dir / name).string()); }
    void write(const std::string& name, const std::string& text) const
    {
        std::ofstream(dir / name, std::ios::binary) << text;
    }
    std::string read(const std::string& name) const
    {
        std::ifstream in(dir / name, std::ios::binary);
        std::stringstream s;
        s << in.rdbuf();
        return s.str();
    }
    SettingsDatabase settings() const
    {
        SettingsDatabase db;
        EXPECT_EQ(loadSettings(dir / "brisel.dat", db), SettingsLoadResult::Ok);
        return db;
    }

    TempDir dir;
};

class ListIoCommandTest : public CliHomeTest
{
protected:
    ListIoCommandTest()
    {
        SettingsDatabase db;
        for (CarrierBlock& c : db.carriers)
            c.costModifier = 100;
        db.carriers[1].name.assign("Second");
        EXPECT_TRUE(saveSettings(dir / "brisel.dat", db));
    }
};

} // namespace

TEST_F(ListIoCommandTest, BulkLoadsADirectoryFromAnHrFileAndSaves)
{
    // The HR system writes tab-separated files with a header line and the
    // department before the name; the layout is set once in the INI file.
    IniProfile ini(dir / "quantorix.ini");
    ini.writeInt("ListUser", "SepType", 0);
    ini.writeInt("ListUser", "First", 1);
    ini.writeInt("ListUser", "Order2", 3);
    ini.writeInt("ListUser", "Order3", 2);
    ini.writeInt("ListUser", "Active4", 0);
    ini.writeInt("ListUser", "Skip3", 1); // an unused column before the name
    write("hr.txt", "Ext\tAcc\tDept\tStaff no\tName\r\n"
                    "101\t\tSales\t4711\tAnna Adams\r\n"
                    "102\t0815\tIT\t4712\tBen Brown\r\n"
                    "\t\tNobody\t0\tNo Key\r\n");
    const CliRun result = run(QStringLiteral("import-list"), {QStringLiteral("directory"), file("hr.txt")});
    ASSERT_EQ(result.exitCode, 0) << result.err;
    EXPECT_EQ(result.out, "2 records processed\n\n2 records added\n0 records updated\n");

    const SettingsDatabase db = settings();
    ASSERT_EQ(db.directory.size(), 2u);
    EXPECT_EQ(db.directory[0].name.view(), "Anna Adams");
    EXPECT_EQ(db.directory[0].department.view(), "Sales");
    EXPECT_EQ(db.directory[1].accountCode.view(), "0815");
    EXPECT_EQ(db.directory[1].costModifier, 100);
    EXPECT_EQ(db.carriers[1].name.view(), "Second"); // the rest of the settings stays

    // Exported in the same layout, it reads back the same.
    const CliRun exported = run(QStringLiteral("export-list"), {QStringLiteral("directory"), file("out.txt")});
    ASSERT_EQ(exported.exitCode, 0) << exported.err;
    EXPECT_EQ(exported.out, "2 records exported\n");
    EXPECT_EQ(read("out.txt"), "Ext\tAcc code\tDepartment\t\tEmployee\r\n"
                               "101\t\tSales\t\tAnna Adams\r\n"
                               "102\t0815\xA0\tIT\t\tBen Brown\r\n");
}

TEST_F(ListIoCommandTest, LoadsACarriersPriceListFromASpreadsheet)
{
    // Only code, country, the first period's rate and unit, in a comma-separated sheet.
    IniProfile ini(dir / "quantorix.ini");
    ini.writeString("ListRateToll", "Separator", ",");
    ini.writeInt("ListRateToll", "First", 1);
    for (int i = 0; i < 34; ++i)
        ini.writeInt("ListRateToll", "Active" + std::to_string(i), i == 0 || i == 1 || i == 10 || i == 11 || i == 12);
    write("prices.csv", "Code,Country,Active,Rate,Unit\r\n"
                        "0044,United Kingdom,1,0.12,60\r\n"
                        "0049,\"Germany, Federal Republic\",TRUE,0.095,1\r\n");
    const CliRun result = run(QStringLiteral("import-list"), {QStringLiteral("tolls:2"), file("prices.csv")});
    ASSERT_EQ(result.exitCode, 0) << result.err;
    EXPECT_EQ(result.out, "2 records processed\n\n2 records added\n0 records updated\n");
    const SettingsDatabase db = settings();
    ASSERT_EQ(db.destinations.size(), 2u);
    EXPECT_EQ(db.destinations[1].country.view(), "United Kingdom"); // sorted by country
    EXPECT_EQ(db.destinations[0].code.view(), "0049");
    EXPECT_EQ(db.destinations[0].rates[1].periods[0].rate, 0.095);
    EXPECT_EQ(db.destinations[0].rates[1].periods[0].unitLength, 1);
    EXPECT_EQ(db.destinations[0].rates[1].periods[0].flags, 0x8000u);
    EXPECT_EQ(db.destinations[0].rates[0].periods[0].flags, 0u);
}

TEST_F(ListIoCommandTest, UsageAndFileErrors)
{
    EXPECT_EQ(run(QStringLiteral("import-list"), {QStringLiteral("directory")}).exitCode, 2);
    EXPECT_EQ(run(QStringLiteral("import-list"), {QStringLiteral("prefixes"), file("x")}).exitCode, 2);
    EXPECT_EQ(run(QStringLiteral("export-list"), {QStringLiteral("tolls:7"), file("x")}).exitCode, 2);
    const CliRun missing = run(QStringLiteral("import-list"), {QStringLiteral("holidays"), file("missing.csv")});
    EXPECT_EQ(missing.exitCode, 1);
    EXPECT_EQ(missing.err, "Error opening file!\n\n" + (dir / "missing.csv").string() + "\n");
}

TEST_F(ListIoCommandTest, ExportsTheShownCallsWithTheListCallsLayout)
{
    {
        SettingsDatabase db = settings();
        db.directory.resize(2);
        db.directory[0].extension = 100;
        db.directory[0].name.assign("Anna");
        db.directory[1].extension = 200;
        db.directory[1].name.assign("Ben");
        ASSERT_TRUE(saveSettings(dir / "brisel.dat", db));
    }
    {
        std::ofstream out(dir / "calls.bsl", std::ios::binary);
        for (std::uint32_t ext : {200u, 100u, 200u}) {
            CallRecord c{};
            c.extension = ext;
            c.start = {2025, 3, static_cast<std::uint8_t>(ext / 100), 9, 30};
            c.duration = 61;
            out.write(reinterpret_cast<const char*>(CallFileRecord::fromCall(c).bytes.data()), CallFileRecord::kSize);
        }
    }
    SavedFilter onlyAnna;
    onlyAnna.setName("Anna only");
    onlyAnna.filter.reset();
    onlyAnna.filter.extensionOn = 1;
    onlyAnna.filter.extensions.setSingle(100);
    ASSERT_TRUE(savedfilters::save(dir.path(), {onlyAnna}));

    IniProfile ini(dir / "quantorix.ini");
    for (int i = 0; i < 19; ++i)
        ini.writeInt("ListCalls", "Active" + std::to_string(i), i == 0 || i == 2 || i == 7);
    ini.writeInt("ListCalls", "Excel", 1);
    ini.writeInt("ListCalls", "Selection", 1); // no selection on a command line: every row
    ini.writeInt("CallsSort0", "Type", 2);     // by Ext, descending
    ini.writeInt("CallsSort0", "Order", 1);
    ini.writeString("File", "Filter", "Anna only");

    const QString calls = file("calls.bsl");
    CliRun result = run(QStringLiteral("export"),
                        {QStringLiteral("--no-filter"), QStringLiteral("--out"), file("a.csv"), calls});
    ASSERT_EQ(result.exitCode, 0) << result.err;
    EXPECT_EQ(result.out, "3 records exported\n");
    EXPECT_EQ(read("a.csv"), "03/02/25;200;Ben\r\n03/02/25;200;Ben\r\n03/01/25;100;Anna\r\n");

    result = run(QStringLiteral("export"), {QStringLiteral("--out=") + file("b.csv"), calls}); // the default filter
    ASSERT_EQ(result.exitCode, 0) << result.err;
    EXPECT_EQ(read("b.csv"), "03/01/25;100;Anna\r\n");

    ini.writeString("File", "Filter", "");
    result = run(QStringLiteral("export"), {QStringLiteral("--filter"), QStringLiteral("Anna only"),
                                            QStringLiteral("--out"), file("c.csv"), calls});
    ASSERT_EQ(result.exitCode, 0) << result.err;
    EXPECT_EQ(read("c.csv"), "03/01/25;100;Anna\r\n");

    EXPECT_EQ(run(QStringLiteral("export"),
                  {QStringLiteral("--filter"), QStringLiteral("Nobody"), QStringLiteral("--out"), file("d.csv"), calls})
                  .exitCode,
              2);
    EXPECT_EQ(run(QStringLiteral("export"), {QStringLiteral("--no-filter"), calls}).exitCode, 2); // no --out
    const std::string before = read("calls.bsl");
    result = run(QStringLiteral("export"), {QStringLiteral("--out"), calls, calls});
    EXPECT_EQ(result.exitCode, 2);
    EXPECT_EQ(result.err.rfind("It's not allowed to overwrite primary calls database files!", 0), 0u) << result.err;
    EXPECT_EQ(read("calls.bsl"), before);
}
