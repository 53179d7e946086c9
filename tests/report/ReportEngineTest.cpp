#include "ReportFixtures.h"

#include "lang/StringTable.h"
#include "report/ReportException.h"

#include <gtest/gtest.h>

namespace {

using namespace reporttest;

// A group over `field` printing "[name:total]" per value, with its calls counted by one record child.
std::string groupTemplate(const std::string& attributes, const std::string& line)
{
    return "<report><group " + attributes + ">" + line + "<record></record></group></report>";
}

TEST(ReportEngineTest, ReportTextPrintsOnceWhateverTheCalls)
{
    EngineRig rig;
    const std::string text = "<report>\n  <text>x</text>\n</report>";
    EXPECT_EQ(rig.run(text), "x");
    for (int i = 0; i < 5; ++i)
        rig.add({});
    EXPECT_EQ(rig.run(text), "x");
}

TEST(ReportEngineTest, EmployeeGroupListsTheDirectoryUnlessNotEmpty)
{
    EngineRig rig;
    rig.add({.extension = 100});
    rig.add({.extension = 102});
    rig.add({.extension = 100});
    const std::string line =
        "<text>[</text><var field=\"employee\"/><text> </text><var field=\"department\"/><text>:</text>"
        "<var field=\"total\"/><text>]</text>";
    // Brown has no calls: his line still names him and his department.
    EXPECT_EQ(rig.run(groupTemplate("field=\"employee\"", line)), "[Adams Sales:2][Brown Service:0][Clark Sales:1]");
    EXPECT_EQ(rig.run(groupTemplate("field=\"employee\" notempty=\"1\"", line)), "[Adams Sales:2][Clark Sales:1]");
    // Field and filter values in capitals name the same things.
    EXPECT_EQ(rig.run(groupTemplate("field=\"EMPLOYEE\" notempty=\"1\"",
                                    "<text>[</text><var field=\"Total\"/><text>]</text>")),
              "[2][1]");
}

TEST(ReportEngineTest, MinimumCostKeepsTenOrMoreInWholeCents)
{
    EngineRig rig;
    for (double cost : {3.33, 3.33, 3.34})
        rig.add({.extension = 100, .cost = cost}); // 10.00, summed with binary rounding errors
    rig.add({.extension = 101, .cost = 9.99});
    rig.add({.extension = 102, .cost = 25.0});
    const std::string line = "<text>[</text><var field=\"ext\"/><text>]</text>";
    EXPECT_EQ(rig.run(groupTemplate("field=\"ext\" min_cost=\"10\"", line)), "[100][102]");
    EXPECT_EQ(rig.run(groupTemplate("field=\"ext\" min_total=\"2\"", line)), "[100]");
    EXPECT_EQ(rig.run(groupTemplate("field=\"ext\" min_duration=\"180\"", line)), "[100]");
    // The report element's own minimums apply to its single value.
    EXPECT_EQ(rig.run("<report min_total=\"6\"><text>x</text><record></record></report>"), "");
}

TEST(ReportEngineTest, CallLinesRestartTheirIndexPerGroupValueWithTotalZero)
{
    EngineRig rig;
    rig.add({.extension = 100});
    rig.add({.extension = 102});
    rig.add({.extension = 100});
    const std::string text =
        "<report><group field=\"employee\" notempty=\"1\"><text>{</text><var field=\"index\"/><text>:</text>"
        "<record><text>(</text><var field=\"index\"/><text>,</text><var field=\"zeroindex\"/><text>,</text>"
        "<var field=\"total\"/><text>)</text></record><text>=</text><var field=\"total\"/><text>}</text></group>"
        "<text>all </text><var field=\"total\"/></report>";
    EXPECT_EQ(rig.run(text), "{1:(1,0,0)(2,1,0)=2}{2:(1,0,0)=1}all 3");
}

TEST(ReportEngineTest, EachCallTakesTheFirstRecordChildItPasses)
{
    EngineRig rig;
    rig.add({.direction = 0});
    rig.add({.direction = 1});
    rig.add({.direction = 0});
    rig.add({.direction = 1, .duration = 5});
    EXPECT_EQ(rig.run("<report><record filter=\"direction\" equal=\"INCOMING\"><text>I</text></record>"
                      "<record><text>O</text></record><text>=</text><var field=\"total\"/></report>"),
              "OIOI=4");
    // Calls that pass no record child are neither printed nor counted.
    EXPECT_EQ(rig.run("<report><record filter=\"duration\" greater=\"10\"><text>.</text></record><text>=</text>"
                      "<var field=\"total\"/><text> </text><var field=\"duration\" modifier=\"raw\"/></report>"),
              "...=3 180");
}

TEST(ReportEngineTest, WidthsAlignAndZeroFill)
{
    EngineRig rig;
    rig.add({.extension = 42});
    auto shaped = [&](const std::string& attributes) {
        return rig.run("<report><record><var field=\"ext\" " + attributes + "/></record></report>");
    };
    EXPECT_EQ(shaped("width=\"6\" align=\"right\" zerofill=\"1\""), "000042");
    EXPECT_EQ(shaped("width=\"6\" align=\"Center\" zerofill=\"1\""), "  42  ");
    EXPECT_EQ(shaped("width=\"6\" zerofill=\"1\""), "42    ");
    EXPECT_EQ(shaped("width=\"1\" align=\"right\""), "4");
    EXPECT_EQ(shaped("width=\"5\" field=\"nosuchfield\""), "42   "); // the first `field` attribute wins
    EXPECT_EQ(rig.run("<report><record><var field=\"nosuch\" width=\"5\"/></record></report>"), "     ");
}

TEST(ReportEngineTest, ValueTextsAndModifiers)
{
    EngineRig rig;
    rig.add({.duration = 3725, .cost = 2.5, .start = {2025, 3, 7, 14, 5}});
    rig.context.pageBreak = false;
    rig.context.customTexts[0] = "Acme \"Phones\"";
    auto field = [&](const std::string& attributes) {
        return rig.run("<report><record><var " + attributes + "/></record></report>");
    };
    EXPECT_EQ(field("field=\"duration\""), "1:02:05");
    EXPECT_EQ(field("field=\"duration\" modifier=\"raw\""), "3725");
    EXPECT_EQ(field("field=\"duration\" modifier=\"min\""), "2");
    EXPECT_EQ(field("field=\"cost\" modifier=\"RAW\""), "2.500000");
    EXPECT_EQ(field("field=\"date\" modifier=\"year\""), "2025");
    EXPECT_EQ(field("field=\"date\" modifier=\"day\""), "7");
    EXPECT_EQ(field("field=\"time\" modifier=\"hour\""), "14");
    EXPECT_EQ(field("field=\"page_break\""), "0");
    EXPECT_EQ(field("field=\"report_company\""), "Acme \"Phones\""); // context texts unchanged
    EXPECT_EQ(field("field=\"trunk group\""), "");
    EXPECT_EQ(field("field=\"group\""), "City");
    EXPECT_EQ(field("field=\"list_ext\""), "");
}

TEST(ReportEngineTest, CallTypeFilterInAnyCase)
{
    EngineRig rig;
    rig.add({.callType = 1});
    rig.add({.callType = 2});
    rig.add({.callType = 1});
    auto count = [&](const std::string& equal) {
        return rig.run("<report><group filter=\"type\" equal=\"" + equal
                       + "\"><var field=\"total\"/><record></record></group></report>");
    };
    EXPECT_EQ(count("long DISTANCE"), "2");
    EXPECT_EQ(count("International"), "1");
    EXPECT_EQ(count("Far away"), "3"); // no condition: every call
}

TEST(ReportEngineTest, ListedValuesInTheirOwnOrder)
{
    EngineRig rig;
    rig.add({.direction = 1, .callType = 2, .start = {2025, 3, 10, 17, 0}});
    rig.add({.direction = 0, .callType = 0, .start = {2025, 3, 10, 8, 0}, .carrier = 5});
    rig.add({.direction = 0, .callType = 2, .start = {2025, 3, 10, 8, 59}});
    const std::string totals = "<var field=\"total\"/><record></record>";
    EXPECT_EQ(rig.run("<report><group field=\"direction\">" + totals + "</group></report>"), "21");
    EXPECT_EQ(rig.run("<report><group field=\"type\">" + totals + "</group></report>"), "1020000");
    EXPECT_EQ(rig.run("<report><group field=\"time\" notempty=\"1\"><var field=\"time\" modifier=\"hour\"/>"
                      "<text>:</text>"
                      + totals + "</group></report>"),
              "8:217:1");
    // Every named carrier is a value, the last one too.
    EXPECT_EQ(rig.run("<report><group field=\"carrier\"><var field=\"carrier\"/><text>:</text>" + totals
                      + "<text> </text></group></report>"),
              "Telco:2 Late:1 ");
}

TEST(ReportEngineTest, TrunkListFindsEveryTrunkWhateverTheListOrder)
{
    EngineRig rig;
    using filtertest::trunk;
    rig.db.trunks = {trunk(5, "A"), trunk(6, "A"), trunk(1, "B"), trunk(2, "B")};
    rig.db.rebuildIndexes();
    rig.add({.trunk = 1});
    rig.add({.trunk = 5});
    rig.add({.trunk = 1});
    EXPECT_EQ(rig.run("<report><group field=\"list_trunk\" notempty=\"1\"><var field=\"trunk\"/><text>:</text>"
                      "<var field=\"total\"/><text> </text><record></record></group></report>"),
              "05:1 01:2 ");
    EXPECT_EQ(rig.run("<report><group field=\"group\"><var field=\"group\"/><text>:</text><var field=\"total\"/>"
                      "<text> </text><record></record></group></report>"),
              "A:1 B:2 ");
}

TEST(ReportEngineTest, DepartmentGroupsRestrictTheEmployeesInside)
{
    EngineRig rig;
    rig.add({.extension = 101});
    const std::string text =
        "<report><group field=\"department\"><var field=\"department\"/><text>(</text>"
        "<group field=\"employee\"><var field=\"employee\"/><text>;</text><record></record></group>"
        "<text>)</text></group><text>|</text><group field=\"employee\"><var field=\"employee\"/><text>;</text>"
        "<record></record></group></report>";
    // After the department groups, a sibling employee group walks the whole directory again.
    EXPECT_EQ(rig.run(text), "Sales(Adams;Clark;)Service(Brown;)|Adams;Brown;Clark;");
}

TEST(ReportEngineTest, SortAndReverseOrderTheCallsOfAValue)
{
    EngineRig rig;
    for (std::uint32_t d : {30u, 90u, 60u})
        rig.add({.duration = d});
    EXPECT_EQ(rig.run("<report sort=\"duration\" reverse=\"1\"><record><var field=\"duration\" modifier=\"raw\"/>"
                      "<text> </text></record></report>"),
              "90 60 30 ");
    EXPECT_EQ(rig.run("<report sort=\"duration\"><record><var field=\"duration\" modifier=\"raw\"/>"
                      "<text> </text></record></report>"),
              "30 60 90 ");
    // A group on a field without listed values: one value per distinct duration.
    EXPECT_EQ(rig.run("<report><group field=\"duration\"><var field=\"duration\" modifier=\"raw\"/><text> </text>"
                      "<record></record></group></report>"),
              "30 60 90 ");
}

TEST(ReportEngineTest, ConditionsOnCostAndPosition)
{
    EngineRig rig;
    double tenTimes = 0.0;
    for (int i = 0; i < 10; ++i)
        tenTimes += 0.1; // 1.00 in cents, just below it in binary
    rig.add({.cost = tenTimes});
    rig.add({.cost = 2.0});
    rig.add({.cost = 0.5});
    EXPECT_EQ(rig.run("<report><record filter=\"cost\" equal=\"1\"><text>=</text></record></report>"), "=");
    EXPECT_EQ(rig.run("<report><record filter=\"zeroindex\" less=\"2\"><var field=\"index\"/></record></report>"),
              "12");
}

TEST(ReportEngineTest, CancelUnwindsWithCodeFour)
{
    EngineRig rig;
    rig.add({});
    rig.cancelled = [] { return true; };
    try {
        rig.run("<report><text>x</text><record></record></report>");
        FAIL() << "not cancelled";
    } catch (const CReportException& e) {
        EXPECT_EQ(e.code(), CReportException::Cancelled);
        EXPECT_EQ(reportErrorMessage(e), "");
    }
}

TEST(ReportEngineTest, BrokenGroupFailsWhenReachedAndNestingIsBounded)
{
    EngineRig rig;
    rig.add({});
    try {
        rig.run("<report><group><text>x</group></report>");
        FAIL() << "no error";
    } catch (const CReportException& e) {
        EXPECT_EQ(e.code(), CReportException::NoClosingTag);
    }
    std::string deep;
    for (int i = 0; i <= kMaxGroupDepth; ++i)
        deep += "<group>";
    deep += "<record></record>";
    for (int i = 0; i <= kMaxGroupDepth; ++i)
        deep += "</group>";
    try {
        rig.run("<report>" + deep + "</report>");
        FAIL() << "no error";
    } catch (const CReportException& e) {
        EXPECT_EQ(e.code(), CReportException::NestedTooDeeply);
        EXPECT_NE(reportErrorMessage(e).find("nested too deeply"), std::string::npos);
    }
}

} // namespace

namespace {

using namespace reporttest;

TEST(ReportEngineTest, RunsFollowTheCallsListOrderUnlessSorted)
{
    EngineRig rig;
    // Selected in table order, which is not the list's order (date, then extension).
    rig.add({.extension = 102, .duration = 1, .start = {2025, 3, 12, 8, 0}});
    rig.add({.extension = 101, .duration = 2, .start = {2025, 3, 11, 8, 0}});
    rig.add({.extension = 100, .duration = 3, .start = {2025, 3, 11, 9, 0}});
    rig.add({.extension = 100, .duration = 4, .start = {2025, 3, 10, 8, 0}});
    const std::string line = "<var field=\"duration\" modifier=\"raw\"/>";
    EXPECT_EQ(rig.run("<report><record>" + line + "</record></report>"), "4321");
    EXPECT_EQ(rig.run("<report><group field=\"department\"><record>" + line
                      + "</record><text>|</text></group>"
                        "</report>"),
              "431|2|");
    EXPECT_EQ(rig.run("<report sort=\"ext\" reverse=\"1\"><group filter=\"duration\" greater=\"1\"><record>" + line
                      + "</record></group></report>"),
              "432"); // a group without `sort` puts its run back into the list's order
}

// A run over most of the call table reads each call once into columns; one over a
// few calls of a large table reads the calls themselves. Both print the same.
TEST(ReportEngineTest, CallsTakenAsColumnsPrintAsCallsReadOneByOne)
{
    EngineRig rig;
    const std::int32_t extensions[] = {101, 200, 100, 102, 100};
    for (int n = 0; n < 300; ++n)
        rig.add({.extension = extensions[n % 5],
                 .direction = static_cast<std::uint32_t>(n % 3 == 1),
                 .duration = static_cast<std::uint32_t>(n * 41 % 500),
                 .cost = (n * 29 % 83) * 0.11,
                 .callType = n % 4,
                 .trunk = static_cast<std::uint32_t>(n % 3 + 1),
                 .start = {2025, 3, static_cast<std::uint8_t>(1 + n % 28), static_cast<std::uint8_t>(n % 24), 0}});
    const ReportTemplate report = ReportTemplate::parse(
        "<report filter=\"duration\" greater=\"10\"><group field=\"employee\" sort=\"duration\" reverse=\"1\">"
        "<var field=\"employee\"/><var field=\"total\"/><var field=\"cost\"/>"
        "<group filter=\"direction\" equal=\"Incoming\"><text>in</text><var field=\"total\"/>"
        "<record filter=\"cost\" greater=\"5\"><var field=\"duration\" modifier=\"raw\"/><text>,</text></record>"
        "<record filter=\"zeroindex\" less=\"2\"><var field=\"index\"/></record><record></record></group>"
        "<group field=\"time\" mintotal=\"2\"><var field=\"time\" modifier=\"hour\"/><text>=</text>"
        "<var field=\"total\"/><record filter=\"type\" equal=\"Local\"></record></group></group>"
        "<group filter=\"employee\" equal=\"0\" notempty=\"1\"><text>none</text><var field=\"total\"/>"
        "<var field=\"duration\"/><record></record></group></report>");
    auto print = [&](const std::vector<CallRecord>& table, std::span<const std::uint32_t> selected) {
        ReportEngine engine(ReportData{table, rig.db, rig.prefs, rig.columns, SortKeys{}}, rig.context, rig.progress);
        return engine.run(report, selected).str();
    };
    std::vector<std::uint32_t> all(rig.calls.size());
    std::iota(all.begin(), all.end(), 0u);
    const std::string taken = print(rig.calls, all);
    // The same calls, in the same list order, among many others.
    std::vector<CallRecord> large(rig.calls.size() * 20, rig.calls.front());
    std::vector<std::uint32_t> few;
    for (std::size_t i = 0; i < rig.calls.size(); ++i) {
        large[i * 20 + 7] = rig.calls[i];
        few.push_back(static_cast<std::uint32_t>(i * 20 + 7));
    }
    EXPECT_EQ(print(large, few), taken);
    EXPECT_NE(taken.find("none"), std::string::npos);
    EXPECT_NE(taken.find("in"), std::string::npos);
}

TEST(ReportOutputTest, ChunksJoinInOrder)
{
    ReportOutput a;
    a.append("head ");
    ReportOutput big;
    const std::string block(3000, 'x');
    for (int i = 0; i < 1000; ++i)
        big.append(block);
    ReportOutput small;
    small.append("small ");
    a.append(std::move(small));
    a.append(std::move(big));
    a.append(" tail");
    EXPECT_TRUE(big.empty());
    EXPECT_EQ(a.size(), 5 + 6 + 3'000'000 + 5u);
    const std::string text = a.str();
    EXPECT_EQ(text.size(), a.size());
    EXPECT_EQ(text.substr(0, 11), "head small ");
    EXPECT_EQ(text.substr(text.size() - 6), "x tail");
    std::ostringstream written;
    EXPECT_TRUE(a.writeTo(written));
    EXPECT_EQ(written.str(), text);
}

} // namespace

namespace {

ReportOutput runWithLimits(reporttest::EngineRig& rig, const std::string& text, ReportEngine::Limits limits)
{
    const ReportTemplate report = ReportTemplate::parse(text);
    std::vector<std::uint32_t> selected(rig.calls.size());
    std::iota(selected.begin(), selected.end(), 0u);
    ReportEngine engine(ReportData{rig.calls, rig.db, rig.prefs, rig.columns, SortKeys{}}, rig.context, rig.progress);
    engine.setLimits(limits);
    return engine.run(report, selected);
}

} // namespace

TEST(ReportEngineBoundsTest, EmptyValuesOfNotEmptyGroupsAreNotEvaluated)
{
    reporttest::EngineRig rig;
    rig.add({.extension = 100});
    // Nested groups over every employee: only the values with calls go deeper.
    const std::string level = "<group field=\"employee\" notempty=\"1\">";
    const std::string text = "<report>" + level + level + level + level
                             + "<var field=\"employee\"/><record></record></group></group></group></group></report>";
    EXPECT_EQ(runWithLimits(rig, text, {.work = 20}).str(), "Adams");
}

TEST(ReportEngineBoundsTest, TooMuchWorkOrOutputStopsWithItsMessage)
{
    reporttest::EngineRig rig;
    for (int i = 0; i < 50; ++i)
        rig.add({.extension = 100});
    const std::string text = "<report><record><text>0123456789</text></record></report>";
    for (const ReportEngine::Limits limits : {ReportEngine::Limits{.work = 30}, ReportEngine::Limits{.output = 200}}) {
        try {
            runWithLimits(rig, text, limits);
            ADD_FAILURE() << "not stopped";
        } catch (const CReportException& error) {
            EXPECT_EQ(error.code(), CReportException::TooLarge);
            EXPECT_EQ(reportErrorMessageId(error.code()), sid::kReportTooLarge);
        }
    }
    EXPECT_EQ(runWithLimits(rig, text, {}).size(), 500u);
}

TEST(ReportEngineBoundsTest, LargeOutputIsSpooledNotHeld)
{
    reporttest::EngineRig rig;
    for (int i = 0; i < 3000; ++i)
        rig.add({.extension = 100});
    const std::string line(2000, 'x');
    const ReportOutput out = runWithLimits(rig,
                                           "<report><text>head</text><group field=\"employee\"><record><text>" + line
                                               + "</text></record></group></report>",
                                           {});
    EXPECT_EQ(out.size(), 4 + 3000 * line.size());
    EXPECT_LT(out.memoryHeld(), 3u << 20); // of 6 MB
    std::ostringstream written;
    ASSERT_TRUE(out.writeTo(written));
    EXPECT_EQ(written.str().size(), out.size());
    EXPECT_EQ(written.str().substr(0, 6), "headxx");
}
