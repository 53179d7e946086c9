// quantorix-cli dump with the filter options, run as a program.

#include "calls/CallGenerator.h"
#include "core/FixedText.h"
#include "filter/SavedFilters.h"

#include "TempDir.h"

#include <QProcess>
#include <QStringList>
#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>

namespace {

class DumpFilterTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        std::filesystem::copy_file(std::filesystem::path(QX_PROGRAM_DIR) / "brisel.dat", dir / "brisel.dat");
        CallGeneratorOptions options;
        options.count = 200;
        const auto bytes = CallGenerator::fileBytes(options);
        std::ofstream(dir / "calls.bsl", std::ios::binary)
            .write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
        SavedFilter incoming;
        incoming.setName("Incoming");
        incoming.filter.includeOutgoing = 0;
        ASSERT_TRUE(savedfilters::save(dir.path(), {incoming}));
    }

    // Exit code and the direction column of each printed call (the header dropped).
    std::pair<int, std::string> dump(QStringList options, std::string* err = nullptr)
    {
        QProcess process;
        process.start(QStringLiteral(QX_PROGRAM_DIR "/quantorix-cli"),
                      QStringList{QStringLiteral("dump"), QStringLiteral("--home"),
                                  QString::fromStdString(dir.path().string())}
                          + options + QStringList{QString::fromStdString((dir / "calls.bsl").string())});
        process.waitForFinished(60000);
        if (err)
            *err = process.readAllStandardError().toStdString();
        const std::string out = process.readAllStandardOutput().toStdString();
        std::string directions;
        for (std::size_t at = out.find('\n') + 1, end; (end = out.find('\n', at)) != std::string::npos; at = end + 1) {
            const std::string row = out.substr(at, end - at);
            std::size_t field = 0, i = 0;
            for (; i < row.size() && field < 12; ++i) // "direction" is the 13th column
                field += row[i] == ',';
            directions += row[i];
        }
        return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1, directions};
    }

    TempDir dir;
};

} // namespace

TEST_F(DumpFilterTest, SavedFilterNoneAndTheDefault)
{
    const auto [allCode, all] = dump({QStringLiteral("--no-filter")});
    ASSERT_EQ(allCode, 0);
    ASSERT_EQ(all.size(), 200u);
    const std::size_t incomingCalls = static_cast<std::size_t>(std::count(all.begin(), all.end(), '1'));
    ASSERT_GT(incomingCalls, 0u);
    ASSERT_LT(incomingCalls, 200u);

    const auto [namedCode, named] = dump({QStringLiteral("--filter"), QStringLiteral("Incoming")});
    EXPECT_EQ(namedCode, 0);
    EXPECT_EQ(named, std::string(incomingCalls, '1'));

    EXPECT_EQ(dump({}).second, all); // no default filter
    std::ofstream(dir / "quantorix.ini") << "[File]\nFilter=Incoming\n";
    EXPECT_EQ(dump({}).second, named);
    EXPECT_EQ(dump({QStringLiteral("--no-filter")}).second, all);
}

TEST_F(DumpFilterTest, UnknownFilterNameFails)
{
    std::string err;
    const auto [code, rows] = dump({QStringLiteral("--filter=Outgoing")}, &err);
    EXPECT_NE(code, 0);
    EXPECT_EQ(rows, "");
    EXPECT_EQ(err, "Invalid command line argument:\nfilter=\"Outgoing\"\n");
}
