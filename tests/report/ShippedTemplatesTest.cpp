#include "report/ReportTemplate.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <set>
#include <sstream>
#include <string>

namespace {

namespace fs = std::filesystem;

std::string readFile(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

// Every field a segment prints must name a real field: a misspelt name prints nothing.
void expectKnownFields(const ReportSegment& segment)
{
    EXPECT_EQ(segment.pieces.size(), segment.fields.size() + 1);
    for (const ReportField& field : segment.fields)
        EXPECT_NE(field.field, reportfield::None);
}

// Walks the whole tree as the engine would reach it; returns the deepest group level.
int expectSoundContainer(const ReportContainer& container, int depth = 0)
{
    int deepest = depth;
    for (const ReportSegment& segment : container.segments)
        expectKnownFields(segment);
    for (const ReportNode& child : container.children) {
        if (child.kind == ReportElement::Record) {
            expectKnownFields(child.segment);
            continue;
        }
        // A group names a field it can walk, or none and selects by its filter.
        EXPECT_TRUE(child.field != reportfield::None || child.filter.field != reportfield::None);
        const ReportCondition& f = child.filter;
        EXPECT_TRUE(f.field == reportfield::None || f.equal != -1 || f.less != -1 || f.greater != -1);
        // Without children a group would count none of its calls.
        EXPECT_FALSE(child.content().children.empty());
        deepest = std::max(deepest, expectSoundContainer(child.content(), depth + 1));
    }
    return deepest;
}

TEST(ShippedTemplatesTest, EveryTemplateParsesAndCompiles)
{
    const fs::path folder = fs::path(QX_PROGRAM_DIR) / "Reports";
    ASSERT_TRUE(fs::is_directory(folder)) << folder;
    std::set<std::string> names;
    std::set<std::string> extensions;
    for (const auto& entry : fs::directory_iterator(folder)) {
        if (entry.path().extension() != ".xml")
            continue;
        SCOPED_TRACE(entry.path().filename().string());
        names.insert(entry.path().stem().string());
        try {
            const ReportTemplate report = ReportTemplate::parse(readFile(entry.path()));
            extensions.insert(report.outputExtension());
            EXPECT_FALSE(report.content().segments.front().pieces.front().empty());
            EXPECT_LE(expectSoundContainer(report.content()), 3);
        } catch (const CReportException& e) {
            ADD_FAILURE() << reportErrorMessage(e);
        }
    }
    for (const char* expected :
         {"Summary by employee", "Summary by department", "Trunk groups by carrier", "Calls by destination",
          "Calls per employee", "Top 20 expensive calls", "Calls by hour of day", "Calls export (CSV)"})
        EXPECT_TRUE(names.count(expected)) << expected;
    EXPECT_EQ(extensions, (std::set<std::string>{"csv", "htm"}));
}

} // namespace
