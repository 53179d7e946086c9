#include "ReportFixtures.h"

#include "core/IniProfile.h"
#include "lang/StringTable.h"
#include "report/ReportTask.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

namespace {

using namespace reporttest;
namespace fs = std::filesystem;

const DateTimeFields kNow{2025, 3, 1, 10, 15, 0};

TEST(ParseTaskTextTest, KeywordsInAnyCaseValuesAsWritten)
{
    const auto v = parseTaskText("FROM=\"20250101\"\nTo =  \" Previous \" Report=\"Summary by Employee\" "
                                 "out=\"monthly\" type=\"1\" detail=\"Adams\" filter=\"Outgoing\"");
    EXPECT_EQ(v[taskkey::From], "20250101");
    EXPECT_EQ(v[taskkey::To], "Previous");
    EXPECT_EQ(v[taskkey::Report], "Summary by Employee");
    EXPECT_EQ(v[taskkey::Out], "monthly");
    EXPECT_EQ(v[taskkey::Type], "1");
    EXPECT_EQ(v[taskkey::Detail], "Adams");
    EXPECT_EQ(v[taskkey::Filter], "Outgoing");
    EXPECT_FALSE(v[taskkey::Calls]);
}

TEST(ParseTaskTextTest, FirstWellFormedOccurrenceCounts)
{
    const auto v = parseTaskText("from yesterday from = \"yesterday\" out=\"a\" out=\"b\" report=\"x");
    EXPECT_EQ(v[taskkey::From], "yesterday");
    EXPECT_EQ(v[taskkey::Out], "a");
    EXPECT_FALSE(v[taskkey::Report]); // no closing quote
    EXPECT_FALSE(v[taskkey::To]);
}

TEST(TaskDateTest, NamedAndDigitValues)
{
    EXPECT_EQ(taskDate("today", false, kNow), (CallDate{2025, 3, 1, 0, 0}));
    EXPECT_EQ(taskDate("Yesterday", true, kNow), (CallDate{2025, 2, 28, 23, 59}));
    EXPECT_EQ(taskDate("yesterday", false, {2024, 3, 1, 0, 0, 0}), (CallDate{2024, 2, 29, 0, 0}));
    EXPECT_EQ(taskDate("current", true, kNow), (CallDate{2025, 3, 31, 23, 59}));
    EXPECT_EQ(taskDate("previous", false, {2025, 1, 20, 0, 0, 0}), (CallDate{2024, 12, 1, 0, 0}));
    EXPECT_EQ(taskDate("previous", true, kNow), (CallDate{2025, 2, 28, 23, 59}));
    EXPECT_EQ(taskDate("20240229", true, kNow), (CallDate{2024, 2, 29, 23, 59}));
    EXPECT_EQ(taskDate("202402291730", true, kNow), (CallDate{2024, 2, 29, 17, 30}));
    for (const char* bad : {"2005-01-31", "20250229", "20251301", "202501011260", "2025010", "", "tomorrow"})
        EXPECT_FALSE(taskDate(bad, false, kNow)) << bad;
}

TEST(TaskCallFilesTest, MonthlyFilesOnceEachElseDailyFiles)
{
    TempDir dir;
    for (const char* name : {"2005_01.bsl", "2005_02.bsl", "2005_03.bsl", "2005_04.bsl", "2005_01_31.bsl"})
        writeFile(dir / name, "");
    EXPECT_EQ(taskCallFiles(dir.path(), {2005, 1, 31, 0, 0}, {2005, 3, 1, 23, 59}),
              (std::vector<fs::path>{dir / "2005_01.bsl", dir / "2005_02.bsl", dir / "2005_03.bsl"}));
    for (const char* name : {"2006_05_02.bsl", "2006_05_04.bsl"})
        writeFile(dir / name, "");
    EXPECT_EQ(taskCallFiles(dir.path(), {2006, 5, 1, 0, 0}, {2006, 5, 31, 23, 59}),
              (std::vector<fs::path>{dir / "2006_05_02.bsl", dir / "2006_05_04.bsl"}));
    EXPECT_TRUE(taskCallFiles(dir.path(), {2007, 1, 1, 0, 0}, {2007, 1, 31, 23, 59}).empty());
    // Only files count; a folder that is missing has none.
    fs::create_directory(dir / "2008_01.bsl");
    EXPECT_TRUE(taskCallFiles(dir.path(), {2008, 1, 1, 0, 0}, {2008, 1, 31, 23, 59}).empty());
    EXPECT_TRUE(taskCallFiles(dir / "missing", {2005, 1, 1, 0, 0}, {2005, 12, 31, 23, 59}).empty());
    // A long period is walked against the one listing.
    EXPECT_EQ(taskCallFiles(dir.path(), {1980, 1, 1, 0, 0}, {2099, 12, 31, 23, 59}).size(), 4u);
}

// The main window's part of a task, over a call session of the office.
class FakeHost : public ReportTaskHost, public SessionRig
{
public:
    explicit FakeHost(const fs::path& folder)
        : m_folder(folder)
    { }

    fs::path programFolder() const override { return m_folder; }
    fs::path defaultCallsFolder() const override { return m_folder / "Calls"; }
    DateTimeFields now() const override { return kNow; }
    const FilterRecord* savedFilter(std::string_view name) const override
    {
        return name == "Incoming only" ? &incomingOnly : nullptr;
    }
    void setCurrentFilter(const FilterRecord& filter) override { current = filter; }
    void applyCurrentFilter() override { ++applied; }
    bool loadCallFiles(std::span<const fs::path> files) override
    {
        loaded.assign(files.begin(), files.end());
        return loadFiles(files);
    }
    ReportEnvironment reportEnvironment() override
    {
        return {session, db, prefs, columns, SortKeys{}, {}, ini, m_folder, context, progress, hooks};
    }

    ReportHooks hooks;
    FilterRecord incomingOnly;
    std::optional<FilterRecord> current;
    int applied = 0;
    std::vector<fs::path> loaded;

private:
    fs::path m_folder;
};

class ProcessTaskTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        const CallDate february{2025, 2, 10, 9, 30};
        host.prepared = {makeCall(host.db, {.extension = 100, .start = february}),
                         makeCall(host.db, {.extension = 101, .start = february})};
        writeCalls(dir / "Calls" / "2025_02.bsl", host.prepared);
        writeFile(dir / "Reports" / "count.xml", "<report><var field=\"from_date\" modifier=\"day\"/><text>-</text>"
                                                 "<var field=\"to_date\" modifier=\"day\"/><text>:</text>"
                                                 "<var field=\"total\"/><record></record></report>");
        host.incomingOnly.includeOutgoing = 0;
    }

    TempDir dir;
    FakeHost host{dir.path()};
    CapturingSink sink;
};

TEST_F(ProcessTaskTest, RunsTheReportOverTheFilesOfThePeriod)
{
    const TaskResult result = processTask("  from = \"previous\"\tto=\"previous\" report=\"count\" out=\"feb\" ", host);
    ASSERT_TRUE(result.reportWritten);
    EXPECT_EQ(result.file, dir / "Reports" / "feb.htm");
    EXPECT_EQ(readFile(result.file), "1-28:2");
    EXPECT_EQ(host.loaded, (std::vector<fs::path>{dir / "Calls" / "2025_02.bsl"}));
    EXPECT_EQ(host.applied, 0);
    EXPECT_TRUE(sink.shown.empty());
}

TEST_F(ProcessTaskTest, TaskFileRelativeToTheProgramFolder)
{
    writeFile(dir / "monthly.txt", "; the monthly report\r\nFROM=\"20250201\" TO=\"20250228\"\r\n"
                                   "REPORT=\"count\" OUT=\""
                                       + (dir / "out" / "feb.txt").string()
                                       + "\"\r\n"
                                         "calls=\""
                                       + (dir / "Calls").string() + "\" type=\"4\" detail=\"100\"");
    fs::create_directories(dir / "out");
    const TaskResult result = processTask("@\"monthly.txt\"", host);
    ASSERT_TRUE(result.reportWritten);
    EXPECT_EQ(result.file, dir / "out" / "feb.txt");
    EXPECT_EQ(readFile(result.file), "1-28:1");
}

TEST_F(ProcessTaskTest, SavedFilterIsMadeCurrentAndApplied)
{
    const TaskResult result =
        processTask("from=\"20250201\" to=\"20250228\" filter=\"Incoming only\" report=\"count\" out=\"x\"", host);
    EXPECT_TRUE(result.reportWritten);
    ASSERT_TRUE(host.current);
    EXPECT_EQ(host.current->includeOutgoing, 0);
    EXPECT_EQ(host.applied, 1);
}

TEST_F(ProcessTaskTest, ErrorsNameTheArgumentAndLoadNothing)
{
    struct Case
    {
        const char* task;
        int id;
        const char* text;
    };
    const Case cases[] = {
        {"from=\"20250201\" to=\"20250228\" report=\"count\"", sid::kMissingArgument, "out=\"...\""},
        {"from=\"20250201\" out=\"\"", sid::kMissingArgument, "out=\"...\""},
        {"from=\"2005-01-31\" to=\"20050301\" report=\"count\" out=\"x\"", sid::kInvalidArgument,
         "from=\"2005-01-31\""},
        {"from=\"20250201\" to=\"20250228\" filter=\"Nope\" report=\"count\" out=\"x\"", sid::kInvalidArgument,
         "filter=\"Nope\""},
        {"from=\"20250201\" to=\"20250228\" report=\"count\" out=\"x\" type=\"12\"", sid::kInvalidArgument,
         "type=\"12\""},
        {"@missing-task.txt", sid::kErrorOpeningFile, "missing-task.txt"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.task);
        sink.shown.clear();
        EXPECT_FALSE(processTask(c.task, host).reportWritten);
        ASSERT_EQ(sink.shown.size(), 1u);
        EXPECT_EQ(sink.shown[0].id, c.id);
        EXPECT_NE(sink.shown[0].text.find(c.text), std::string::npos) << sink.shown[0].text;
    }
    EXPECT_TRUE(host.loaded.empty());
    EXPECT_FALSE(fs::exists(dir / "Reports" / "x.htm"));
}

TEST_F(ProcessTaskTest, PathsKeepEveryCharacter)
{
    const fs::path folder = dir / "Anrufe \u65E5\u672C"; // outside Windows-1252
    writeCalls(folder / "2025_02.bsl", host.prepared);
    const std::string task = "from=\"20250201\" to=\"20250228\" report=\"count\" calls=\"" + folder.string()
                             + "\" out=\"" + (folder / "r\u00E9sum\u00E9 \u6708").string() + "\"";
    const TaskResult result = processTask(task, host);
    ASSERT_TRUE(result.reportWritten);
    EXPECT_EQ(host.loaded, (std::vector<fs::path>{folder / "2025_02.bsl"}));
    EXPECT_EQ(result.file, folder / "r\u00E9sum\u00E9 \u6708.htm");
    EXPECT_EQ(readFile(result.file), "1-28:2");

    // A task file in Windows-1252 names its paths in it.
    writeFile(dir / "task.txt", "from=\"20250201\" to=\"20250228\" report=\"count\" out=\"caf\xE9\"");
    const TaskResult fromFile = processTask("@task.txt", host);
    ASSERT_TRUE(fromFile.reportWritten);
    EXPECT_EQ(fromFile.file, dir / "Reports" / "caf\u00E9.htm");
}

TEST_F(ProcessTaskTest, TaskFileThatIsAFifoIsNotWaitedOn)
{
    ASSERT_EQ(::mkfifo((dir / "task.fifo").c_str(), 0666), 0);
    EXPECT_FALSE(processTask("@task.fifo", host).reportWritten);
    ASSERT_EQ(sink.shown.size(), 1u);
    EXPECT_EQ(sink.shown[0].id, sid::kErrorOpeningFile);
    // Nor a template.
    ASSERT_EQ(::mkfifo((dir / "Reports" / "pipe.xml").c_str(), 0666), 0);
    EXPECT_FALSE(processTask("from=\"20250201\" to=\"20250228\" report=\"pipe\" out=\"x\"", host).reportWritten);
    EXPECT_EQ(sink.shown.back().id, sid::kErrorOpeningFile);
}

TEST_F(ProcessTaskTest, NoCallFileForThePeriodWritesNoReport)
{
    ASSERT_TRUE(host.loadFiles(std::vector<fs::path>{dir / "Calls" / "2025_02.bsl"}));
    const TaskResult result = processTask("from=\"today\" to=\"today\" report=\"count\" out=\"y\"", host);
    EXPECT_FALSE(result.reportWritten);
    EXPECT_FALSE(fs::exists(dir / "Reports" / "y.htm"));
    EXPECT_TRUE(host.loaded.empty());
    ASSERT_EQ(sink.shown.size(), 1u);
    EXPECT_EQ(sink.shown[0].id, sid::kNoCallFileForPeriod);
    EXPECT_NE(sink.shown[0].text.find((dir / "Calls").string()), std::string::npos) << sink.shown[0].text;
}

} // namespace

namespace {

// A quarter of calls of every kind the office makes, in the order they were made.
std::vector<CallRecord> quarterOfCalls(const SettingsDatabase& db)
{
    std::vector<CallRecord> calls;
    const std::int32_t extensions[] = {102, 100, 200, 101};
    for (int day = 0; day < 90; ++day) {
        const DateTimeFields date = civilFromDays(daysFromCivil(2024, 11, 1) + day);
        for (int k = 0; k < 12; ++k) {
            const int n = day * 12 + k;
            calls.push_back(
                makeCall(db, {.extension = extensions[n % 4],
                              .direction = static_cast<std::uint32_t>(n % 3 == 0),
                              .duration = static_cast<std::uint32_t>(n * 37 % 400),
                              .cost = (n * 53 % 97) * 0.07,
                              .start = {static_cast<std::uint16_t>(date.year), static_cast<std::uint8_t>(date.month),
                                        static_cast<std::uint8_t>(date.day), static_cast<std::uint8_t>(8 + k), 0}}));
        }
    }
    return calls;
}

} // namespace

TEST_F(ProcessTaskTest, MonthlyFilesReportAsTheSameCallsInOneFile)
{
    host.prepared = quarterOfCalls(host.db);
    std::vector<CallRecord> months[3];
    for (const CallRecord& c : host.prepared)
        months[(c.start.month + 1) % 12].push_back(c);
    writeCalls(dir / "Monthly" / "2024_11.bsl", months[0]);
    writeCalls(dir / "Monthly" / "2024_12.bsl", months[1]);
    writeCalls(dir / "Monthly" / "2025_01.bsl", months[2]);
    writeCalls(dir / "Single" / "2024_11.bsl", host.prepared);
    writeFile(dir / "Reports" / "by employee.xml",
              "<report><group field=\"employee\" notempty=\"1\"><var field=\"employee\"/><text>:</text>"
              "<var field=\"total\"/><text> </text><var field=\"duration\"/><text> </text><var field=\"cost\"/>"
              "<text>\n</text><group filter=\"direction\" equal=\"Incoming\"><text>in </text><var field=\"total\"/>"
              "<text>\n</text><record filter=\"duration\" greater=\"300\"><var field=\"date\"/><text> </text>"
              "<var field=\"ext\"/><text>\n</text></record><record></record></group></group>"
              "<group filter=\"employee\" equal=\"0\"><text>none </text><var field=\"total\"/><text> </text>"
              "<var field=\"cost\"/><record></record></group></report>");
    std::string reports[2];
    for (int i = 0; i < 2; ++i) {
        const TaskResult result = processTask("from=\"20241101\" to=\"20250131\" report=\"by employee\" calls=\""
                                                  + (dir / (i == 0 ? "Monthly" : "Single")).string() + "\" out=\"r"
                                                  + std::to_string(i) + "\"",
                                              host);
        ASSERT_TRUE(result.reportWritten);
        EXPECT_EQ(host.session.count(), host.prepared.size());
        reports[i] = readFile(result.file);
    }
    EXPECT_EQ(host.loaded.size(), 1u);
    EXPECT_EQ(reports[0], reports[1]);
    for (const char* part : {"Adams:90 ", "Brown:90 ", "Clark:90 ", "in 90\n", "none 270 "})
        EXPECT_NE(reports[0].find(part), std::string::npos) << part;
}
