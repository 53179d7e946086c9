#include "ReportFixtures.h"

#include "core/IniProfile.h"
#include "lang/StringTable.h"
#include "report/ReportRun.h"

#include <gtest/gtest.h>

namespace {

using namespace reporttest;
namespace fs = std::filesystem;

class ReportRunTest : public ::testing::Test, protected SessionRig
{
protected:
    class Hooks : public ReportHooks
    {
    public:
        bool display(const fs::path& file) override
        {
            shown = file;
            existedWhenShown = fs::exists(file);
            return openedInBrowser;
        }
        void status(int id) override { statuses.push_back(id); }
        bool openedInBrowser = false;
        bool existedWhenShown = false;
        fs::path shown;
        std::vector<int> statuses;
    };

    void add(const CallSpec& spec) { prepared.push_back(makeCall(db, spec)); }

    void load()
    {
        const fs::path file = dir / "calls.bsl";
        writeCalls(file, prepared);
        ASSERT_TRUE(loadFiles(std::span(&file, 1)));
        context.from = {2025, 3, 1, 0, 0};
        context.to = {2025, 3, 31, 23, 59};
    }

    void addTemplate(const std::string& name, const std::string& text) { writeFile(reports() / (name + ".xml"), text); }
    fs::path reports() const { return dir.path() / "Reports"; }

    bool run(const ReportRequest& request, fs::path* written = nullptr)
    {
        ReportEnvironment env{session,    db,       prefs, columns,
                              SortKeys{}, selected, ini,   dir.path(),
                              context,    progress, hooks, [] { return DateTimeFields{2025, 3, 1, 9, 30, 5}; }};
        return runReport(request, env, written);
    }

    static ReportRequest task(const std::string& templateName, std::optional<std::string> output = std::nullopt)
    {
        ReportRequest r;
        r.templateName = templateName;
        r.output = std::move(output);
        return r;
    }

    TempDir dir;
    Hooks hooks;
    std::vector<std::size_t> selected;
    CapturingSink sink;
};

TEST(ReportOutputPathTest, PlacesAndCompletesTheName)
{
    const fs::path folder = "/prog/Reports";
    const DateTimeFields created{2025, 3, 1, 9, 30, 5};
    EXPECT_EQ(reportOutputPath(folder, std::string("monthly"), "csv", created), folder / "monthly.csv");
    EXPECT_EQ(reportOutputPath(folder, std::string("monthly.txt"), "csv", created), folder / "monthly.txt");
    EXPECT_EQ(reportOutputPath(folder, std::string("/data/out/monthly"), "htm", created), "/data/out/monthly.htm");
    EXPECT_EQ(reportOutputPath(folder, std::string("out\\monthly.htm"), "htm", created), "out/monthly.htm");
    EXPECT_EQ(reportOutputPath(folder, std::nullopt, "htm", created), folder / "20250301_093005.htm");
    EXPECT_EQ(reportOutputPath(folder, std::string(), "csv", created), folder / "20250301_093005.csv");
}

TEST_F(ReportRunTest, ListsTemplatesSortedAndUnique)
{
    addTemplate("b", "");
    addTemplate("a", "");
    writeFile(reports() / "c.XML", "");
    writeFile(reports() / "notes.txt", "");
    EXPECT_EQ(listTemplates(reports()), (std::vector<std::string>{"a", "b", "c"}));
    EXPECT_TRUE(listTemplates(dir / "none").empty());
}

TEST_F(ReportRunTest, WritesTheOutputByteForByteUnderItsName)
{
    add({});
    load();
    const std::string text = "<report type=\"csv\"><text>Caf\xE9;\r\n</text><record><var field=\"ext\"/>"
                             "<text>\r\n</text></record></report>";
    addTemplate("export", text);
    fs::path written;
    ASSERT_TRUE(run(task("export", "result"), &written));
    EXPECT_EQ(written, reports() / "result.csv");
    EXPECT_EQ(readFile(written), "Caf\xE9;\r\n100\r\n");
    EXPECT_TRUE(sink.shown.empty());
    // Without a name: the creation moment names the file.
    ASSERT_TRUE(run(task("export"), &written));
    EXPECT_EQ(written, reports() / "20250301_093005.csv");
}

TEST_F(ReportRunTest, AnOutputThatCannotBeWrittenIsAnError)
{
    load();
    addTemplate("plain", "<report><text>x</text></report>");
    const fs::path target = dir / "no-such-folder" / "out.htm";
    fs::path written;
    EXPECT_FALSE(run(task("plain", target.string()), &written));
    EXPECT_TRUE(written.empty());
    EXPECT_FALSE(fs::exists(target));
    ASSERT_EQ(sink.shown.size(), 1u);
    EXPECT_EQ(sink.shown[0].id, sid::kErrorSavingFile);
    EXPECT_NE(sink.shown[0].text.find(target.string()), std::string::npos);
}

TEST_F(ReportRunTest, TemplateErrorsWriteNothing)
{
    load();
    EXPECT_FALSE(run(task("missing", "out")));
    addTemplate("broken", "<html>no report here</html>");
    EXPECT_FALSE(run(task("broken", "out")));
    addTemplate("open", "<report><text>x</text>");
    EXPECT_FALSE(run(task("open", "out")));
    ASSERT_EQ(sink.shown.size(), 3u);
    EXPECT_EQ(sink.shown[0].id, sid::kErrorOpeningFile);
    EXPECT_EQ(sink.shown[1].id, sid::kTemplateNoReportTag);
    EXPECT_EQ(sink.shown[2].id, sid::kTemplateNoClosingTag);
    EXPECT_NE(sink.shown[2].text.find("<report><text>x</text>"), std::string::npos);
    EXPECT_FALSE(fs::exists(reports() / "out.htm"));
    // No template chosen at all: nothing happens.
    EXPECT_FALSE(run(ReportRequest{}));
    EXPECT_EQ(sink.shown.size(), 3u);
}

TEST_F(ReportRunTest, SelectsCallsByPeriodKindAndKnownDestination)
{
    add({.extension = 100});
    add({.extension = 102});
    add({.extension = 100, .start = {2025, 4, 1, 8, 0}});            // after the period
    add({.extension = 100, .callType = 1});                          // outgoing, destination not found
    CallSpec known{.extension = 100, .direction = 1, .callType = 1}; // incoming: needs none
    add(known);
    load();
    addTemplate("count", "<report><var field=\"report_type\"/><var field=\"report_detail\"/><text>=</text>"
                         "<var field=\"total\"/><record></record></report>");
    fs::path written;
    ASSERT_TRUE(run(task("count", "n"), &written));
    EXPECT_EQ(readFile(written), "=3");

    // An employee named by a request: the employee's department comes from the directory.
    ReportRequest employee = task("count", "n");
    employee.kind = ReportEmployee;
    employee.detail = "Adams";
    ASSERT_TRUE(run(employee, &written));
    EXPECT_EQ(readFile(written), "Employee:Adams=2");

    ReportRequest extension = task("count", "n");
    extension.kind = ReportExtension;
    extension.detail = "102";
    ASSERT_TRUE(run(extension, &written));
    EXPECT_EQ(readFile(written), "Ext:102=1");

    // Only the selected rows; none selected makes no report.
    ReportRequest rows = task("count", "n");
    rows.kind = ReportSelectedRecords;
    EXPECT_FALSE(run(rows));
    ASSERT_EQ(sink.shown.size(), 1u); // says so instead of failing silently
    EXPECT_EQ(sink.shown[0].id, sid::kNoSelectedRecords);
    sink.shown.clear();
    selected = {3, 2};
    ASSERT_TRUE(run(rows, &written));
    EXPECT_EQ(readFile(written), "=2");
}

TEST_F(ReportRunTest, DisplayedReportsAreRemovedUnlessOpenedInTheBrowser)
{
    load();
    addTemplate("plain", "<report><text>x</text></report>");
    ReportRequest request = task("plain", "shown");
    request.display = true;
    fs::path written;
    ASSERT_TRUE(run(request, &written));
    EXPECT_EQ(hooks.shown, reports() / "shown.htm");
    EXPECT_TRUE(hooks.existedWhenShown);
    EXPECT_FALSE(fs::exists(hooks.shown));
    EXPECT_TRUE(written.empty());
    EXPECT_EQ(hooks.statuses,
              (std::vector<int>{sid::kStatusCreating, sid::kStatusDisplayingReport, sid::kIdleMessage}));

    hooks.openedInBrowser = true;
    ASSERT_TRUE(run(request, &written));
    EXPECT_TRUE(fs::exists(written));
}

TEST_F(ReportRunTest, StoredChoicesAndEditingOnly)
{
    ini = IniProfile(dir / "quantorix.ini");
    ini.writeString("Report", "Template", "plain");
    ini.writeInt("Report", "PageBreak", 0);
    load();
    addTemplate("plain", "<report><var field=\"page_break\"/></report>");
    ReportRequest stored;
    stored.output = "stored";
    fs::path written;
    ASSERT_TRUE(run(stored, &written));
    EXPECT_EQ(readFile(written), "0");
    // Editing the quick report's choices only stores them.
    ReportRequest edit;
    edit.generate = false;
    edit.ask = true;
    edit.quick = true;
    edit.templateName = "plain";
    EXPECT_TRUE(run(edit));
    EXPECT_EQ(ini.readString("QuickReport", "Template"), "plain");
}

} // namespace
