#include "ReportFixtures.h"

#include "calls/CallGenerator.h"
#include "core/IniProfile.h"
#include "rating/RatingPipeline.h"
#include "report/ReportRun.h"
#include "settings/SettingsFile.h"

#include <gtest/gtest.h>

namespace {

using namespace reporttest;
namespace fs = std::filesystem;

// Every shipped template over the demo installation's calls and settings.
TEST(ShippedTemplatesRunTest, EveryTemplateRunsOverTheDemoCalls)
{
    const fs::path program = QX_PROGRAM_DIR;
    SettingsDatabase db;
    ASSERT_EQ(loadSettings(program / "brisel.dat", db), SettingsLoadResult::Ok);
    db.rebuildIndexes();
    Preferences prefs;
    prefs.customTexts = {"Acme Trading", "1 Main Street", "555-0100", "", ""};
    RatingPipeline rating(db, prefs);
    CallColumns columns(db, prefs);

    TempDir dir;
    CallGeneratorOptions demo;
    demo.seed = 20250301;
    demo.count = 20000;
    demo.firstDay = {2025, 1, 1, 0, 0};
    demo.days = 59;
    ASSERT_TRUE(CallGenerator::writeFile(demo, dir / "demo.bsl"));
    CallSession session;
    session.setPipeline(&rating);
    NoProgress progress;
    ASSERT_TRUE(session.openFile(dir / "demo.bsl", progress).ok());

    IniProfile ini;
    ReportContext context;
    context.from = session.loadedRange().from;
    context.to = session.loadedRange().to;
    ReportHooks hooks;
    CapturingSink sink;
    const std::vector<std::string> names = listTemplates(reportTemplatesFolder(program));
    ASSERT_GE(names.size(), 8u);
    const std::string someone(db.directory.front().name.view());
    for (const std::string& name : names) {
        for (int kind : {ReportSummary, ReportEmployee}) {
            SCOPED_TRACE(name + " kind " + std::to_string(kind));
            ReportEnvironment env{session, db, prefs, columns, SortKeys{}, {}, ini, program, context, progress, hooks};
            ReportRequest request;
            request.templateName = name;
            request.output = (dir / ("report-" + std::to_string(kind))).string();
            request.kind = kind;
            if (kind == ReportEmployee)
                request.detail = someone;
            fs::path written;
            ASSERT_TRUE(runReport(request, env, &written));
            const std::string text = readFile(written);
            EXPECT_GT(text.size(), 100u);
            if (written.extension() == ".htm") {
                EXPECT_NE(text.find("Acme Trading"), std::string::npos);
                EXPECT_NE(text.find("</html>"), std::string::npos);
            }
            fs::remove(written);
        }
    }
    EXPECT_TRUE(sink.shown.empty()) << sink.shown.front().text;
}

} // namespace
