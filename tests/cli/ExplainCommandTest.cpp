// quantorix-cli explain on the demo installation: the JSON cost is the cost the
// rating gives the same record, to the bit, and the text names the steps.

#include "calls/CallFileRecord.h"
#include "core/IniProfile.h"
#include "prefs/Preferences.h"
#include "rating/CallRating.h"
#include "settings/SettingsFile.h"

#include <QProcess>
#include <QStringList>
#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>

namespace {

namespace fs = std::filesystem;

const fs::path kProgram = QX_PROGRAM_DIR;

struct CliRun
{
    int exitCode = -1;
    std::string out;
    std::string err;
};

CliRun explain(const QStringList& args)
{
    QProcess process;
    process.start(QStringLiteral(QX_PROGRAM_DIR "/quantorix-cli"), QStringList{QStringLiteral("explain")} + args);
    process.waitForFinished(60000);
    return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
            process.readAllStandardOutput().toStdString(), process.readAllStandardError().toStdString()};
}

fs::path firstCallFile()
{
    fs::path first;
    for (const fs::directory_entry& e : fs::directory_iterator(kProgram / "Calls"))
        if (e.path().extension() == ".bsl" && (first.empty() || e.path() < first))
            first = e.path();
    return first;
}

CallRecord recordOf(const fs::path& file, int n)
{
    CallFileRecord record;
    std::ifstream in(file, std::ios::binary);
    in.seekg(static_cast<std::streamoff>((n - 1) * CallFileRecord::kSize));
    in.read(reinterpret_cast<char*>(record.bytes.data()), CallFileRecord::kSize);
    return record.toCall();
}

double jsonCost(const std::string& json)
{
    const std::size_t at = json.find("\"cost\": ");
    return at == std::string::npos ? -1.0 : std::strtod(json.c_str() + at + 8, nullptr);
}

} // namespace

TEST(ExplainCommand, JsonCostIsTheRatedCostToTheBit)
{
    const fs::path file = firstCallFile();
    ASSERT_FALSE(file.empty());
    SettingsDatabase db;
    ASSERT_EQ(loadSettings(kProgram / "brisel.dat", db), SettingsLoadResult::Ok);
    db.rebuildIndexes();
    Preferences prefs;
    prefs.load(IniProfile(kProgram / "quantorix.ini"));
    const CallRating rating(db, RatingOptions::from(prefs));

    int priced = 0;
    for (int n = 1; n <= 30; ++n) {
        CallRecord call = recordOf(file, n);
        rating.classify(call);
        const CliRun run = explain({QStringLiteral("--json"), QStringLiteral("--record"), QString::number(n),
                                    QString::fromStdString(file.string())});
        ASSERT_EQ(run.exitCode, 0) << run.err;
        const double cost = jsonCost(run.out);
        ASSERT_EQ(std::memcmp(&cost, &call.cost, sizeof cost), 0) << n << "\n" << run.out;
        priced += call.cost > 0.0;
    }
    EXPECT_GT(priced, 5);
}

TEST(ExplainCommand, CountsOverTheFilesAndRefusesWhatIsNotThere)
{
    const QString file = QString::fromStdString(firstCallFile().string());
    const std::uintmax_t records = fs::file_size(firstCallFile()) / CallFileRecord::kSize;
    // The last record of the first file, then the first of its second naming.
    CliRun run = explain({QStringLiteral("--record=%1").arg(records + 1), file, file});
    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(run.out, explain({QStringLiteral("--record"), QStringLiteral("1"), file}).out);
    EXPECT_NE(run.out.find("Cost: "), std::string::npos) << run.out;

    run = explain({QStringLiteral("--record"), QString::number(records + 1), file});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_NE(run.err.find("fewer than"), std::string::npos) << run.err;
    EXPECT_EQ(explain({QStringLiteral("--record"), QStringLiteral("0"), file}).exitCode, 2);
    EXPECT_EQ(explain({file}).exitCode, 2);
    EXPECT_EQ(explain({QStringLiteral("--record"), QStringLiteral("1"), QStringLiteral("/nonexistent.bsl")}).exitCode,
              1);
}
