#include "report/ReportTemplate.h"

#include "lang/StringTable.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>

namespace {

int codeOf(const std::function<void()>& f)
{
    try {
        f();
    } catch (const CReportException& e) {
        return e.code();
    }
    return 0;
}

TEST(CompileSegmentTest, KeepsOnlyTextContentsAroundTheFields)
{
    const auto segment = compileSegment("stray <b>\n<text>A</text>\r\n <text>B</text><var field=\"Ext\" width=\"6\" "
                                        "align=\"right\" zerofill=\"1\"/>lost<text>C\n</text><var field=\"cost\" "
                                        "modifier=\"RAW\"/>");
    ASSERT_EQ(segment.pieces.size(), 3u);
    EXPECT_EQ(segment.pieces[0], "AB");
    EXPECT_EQ(segment.pieces[1], "C\n");
    EXPECT_EQ(segment.pieces[2], "");
    ASSERT_EQ(segment.fields.size(), 2u);
    EXPECT_EQ(segment.fields[0].field, reportfield::Ext);
    EXPECT_EQ(segment.fields[0].width, 6);
    EXPECT_EQ(segment.fields[0].align, AlignRight);
    EXPECT_EQ(segment.fields[0].zeroFill, 1);
    EXPECT_EQ(segment.fields[0].modifier, reportmodifier::None);
    EXPECT_EQ(segment.fields[1].field, reportfield::Cost);
    EXPECT_EQ(segment.fields[1].modifier, reportmodifier::Raw);
    EXPECT_EQ(segment.fields[1].zeroFill, 0);

    const auto empty = compileSegment("\n  \n");
    EXPECT_EQ(empty.pieces, std::vector<std::string>{""});
    EXPECT_TRUE(empty.fields.empty());
}

TEST(CompileSegmentTest, OddFieldsAndWidths)
{
    const auto segment = compileSegment(R"(<var field="nothing" width="5"/><var field="ext" width="-3"/>)"
                                        R"(<var field="ext" width="2000000000" zerofill="7"/>)");
    ASSERT_EQ(segment.fields.size(), 3u);
    EXPECT_EQ(segment.fields[0].field, reportfield::None);
    EXPECT_EQ(segment.fields[0].width, 5);
    EXPECT_EQ(segment.fields[1].width, 0);
    EXPECT_EQ(segment.fields[2].width, kMaxFieldWidth);
    EXPECT_EQ(segment.fields[2].zeroFill, 1);
}

TEST(CompileSegmentTest, VarInsideTextSplitsItAndFails)
{
    EXPECT_EQ(codeOf([] { compileSegment(R"(<text>a<var field="ext"/>b</text>)"); }), CReportException::NoClosingTag);
    EXPECT_EQ(codeOf([] { compileSegment(R"(<text>a</text><var field="ext">)"); }), CReportException::TagNotClosed);
}

TEST(ReportConditionTest, ConvertsValuesByTheFilterField)
{
    auto spec = [](std::string filter, std::string equal, std::string less = {}, std::string greater = {}) {
        ReportAttributes a;
        a[ReportAttr::Filter] = filter;
        a[ReportAttr::Equal] = equal;
        a[ReportAttr::Less] = less;
        a[ReportAttr::Greater] = greater;
        return readReportCondition(a);
    };
    EXPECT_EQ(spec("TYPE", "lONG DISTANCE").field, reportfield::Type);
    EXPECT_EQ(spec("type", "lONG DISTANCE").equal, 1);
    EXPECT_EQ(spec("type", "international").equal, 2);
    EXPECT_EQ(spec("type", "User1").equal, 3);
    EXPECT_EQ(spec("type", "USER4").equal, 6);
    EXPECT_EQ(spec("type", "user5").equal, -1); // no condition: every call passes
    EXPECT_EQ(spec("type", "Long-distance").equal, -1);
    EXPECT_EQ(spec("direction", "incoming").equal, 1);
    EXPECT_EQ(spec("Direction", "OUTGOING").equal, 0);

    const auto cost = spec("cost", "10", "", "-5");
    EXPECT_EQ(cost.equal, 10);
    EXPECT_EQ(cost.less, -1);
    EXPECT_EQ(cost.greater, -5);
    EXPECT_EQ(spec("zeroindex", "", "20").less, 20);
    EXPECT_EQ(spec("employee", "7").equal, 1); // has-a-value fields hold 0 or 1
    EXPECT_EQ(spec("project", "0").equal, 0);
    EXPECT_EQ(spec("number", "yes").equal, 0);

    EXPECT_EQ(spec("date", "1").equal, -1);
    EXPECT_EQ(spec("list_ext", "1").equal, -1);
    const auto none = spec("index", "3");
    EXPECT_EQ(none.field, reportfield::None);
    EXPECT_EQ(none.equal, -1);
    EXPECT_EQ(spec("", "3").equal, -1);
}

TEST(CompileContainerTest, GroupChildrenWinOverRecords)
{
    const auto c = compileContainer(R"(<text>head</text><record><text>R</text><var field="ext"/></record>)"
                                    R"(<group field="Employee" sort="cost" reverse="1"><text>g1</text></group>)"
                                    "\n<group field=\"index\"></group><text>tail</text>");
    EXPECT_TRUE(c.childrenAreGroups);
    ASSERT_EQ(c.children.size(), 2u);
    ASSERT_EQ(c.segments.size(), 3u);
    EXPECT_EQ(c.segments[0].pieces, (std::vector<std::string>{"headR", ""})); // the record is literal text
    ASSERT_EQ(c.segments[0].fields.size(), 1u);
    EXPECT_EQ(c.segments[1].pieces, std::vector<std::string>{""});
    EXPECT_EQ(c.segments[2].pieces, std::vector<std::string>{"tail"});
    EXPECT_EQ(c.children[0].kind, ReportElement::Group);
    EXPECT_EQ(c.children[0].field, reportfield::Employee);
    EXPECT_EQ(c.children[0].options.sort, reportfield::Cost);
    EXPECT_TRUE(c.children[0].options.reverse);
    EXPECT_EQ(c.children[0].content().segments[0].pieces, std::vector<std::string>{"g1"});
    EXPECT_EQ(c.children[1].field, reportfield::None); // not a group field
}

TEST(CompileContainerTest, RecordsWithTheirOwnSegmentsAndFilters)
{
    const auto c = compileContainer(R"(<record filter="direction" equal="Incoming"><text>in </text><var field="ext"/>)"
                                    R"(</record><record><text>out</text></record>)");
    EXPECT_FALSE(c.childrenAreGroups);
    ASSERT_EQ(c.children.size(), 2u);
    EXPECT_EQ(c.segments.size(), 3u);
    EXPECT_EQ(c.children[0].filter.field, reportfield::Direction);
    EXPECT_EQ(c.children[0].filter.equal, 1);
    EXPECT_EQ(c.children[0].segment.pieces, (std::vector<std::string>{"in ", ""}));
    EXPECT_EQ(c.children[1].segment.pieces, std::vector<std::string>{"out"});
    EXPECT_EQ(c.children[1].filter.field, reportfield::None);

    const auto plain = compileContainer("<text>x</text>");
    EXPECT_TRUE(plain.children.empty());
    ASSERT_EQ(plain.segments.size(), 1u);
    EXPECT_EQ(plain.segments[0].pieces, std::vector<std::string>{"x"});
}

TEST(CompileContainerTest, ErrorsInsideAGroupWaitUntilItIsEvaluated)
{
    const auto c = compileContainer(R"(<group field="employee"><text>broken</group><text>after</text>)");
    ASSERT_EQ(c.children.size(), 1u);
    EXPECT_EQ(c.segments[1].pieces, std::vector<std::string>{"after"});
    EXPECT_EQ(codeOf([&] { c.children[0].content(); }), CReportException::NoClosingTag);
    // An error in the container's own text is raised at once.
    EXPECT_EQ(codeOf([] { compileContainer(R"(<group field="employee"><text>x</text>)"); }),
              CReportException::NoClosingTag);
}

std::string nestedGroups(int depth)
{
    std::string text;
    for (int i = 0; i < depth; ++i)
        text += "<group field=\"employee\">";
    text += "<text>deep</text>";
    for (int i = 0; i < depth; ++i)
        text += "</group>";
    return text;
}

TEST(CompileContainerTest, NestingDepthIsBounded)
{
    const auto walk = [](const ReportContainer& top, int levels) {
        const ReportContainer* c = &top;
        for (int i = 0; i < levels; ++i)
            c = &c->children.at(0).content();
        return c;
    };
    const auto allowed = compileContainer(nestedGroups(kMaxGroupDepth));
    EXPECT_EQ(walk(allowed, kMaxGroupDepth)->segments[0].pieces, std::vector<std::string>{"deep"});

    const auto tooDeep = compileContainer(nestedGroups(kMaxGroupDepth + 1));
    const ReportContainer* last = walk(tooDeep, kMaxGroupDepth);
    try {
        last->children.at(0).content();
        FAIL() << "no error";
    } catch (const CReportException& e) {
        EXPECT_EQ(e.code(), CReportException::NestedTooDeeply);
        EXPECT_EQ(e.text(), "<group field=\"employee\"><text>deep</text></group>");
        EXPECT_EQ(reportErrorMessage(e).find("Report generator XML template parsing error!\n"), 0u);
    }
    // A hostile depth fails the same way instead of exhausting the stack.
    const auto hostile = compileContainer(nestedGroups(20000));
    EXPECT_EQ(codeOf([&] { walk(hostile, kMaxGroupDepth + 1); }), CReportException::NestedTooDeeply);
}

TEST(ReportTemplateTest, FindsTheFirstReportElement)
{
    const auto t = ReportTemplate::parse(
        "<?xml?>\n<report type=\"csv\" filter=\"type\" equal=\"local\" sort=\"duration\" min_cost=\"10\">"
        "<text>x</text></report><report type=\"txt\"></report>");
    EXPECT_EQ(t.outputExtension(), "csv");
    EXPECT_EQ(t.filter().field, reportfield::Type);
    EXPECT_EQ(t.filter().equal, 0);
    EXPECT_EQ(t.options().sort, reportfield::Duration);
    EXPECT_EQ(t.options().minCost, 10);
    EXPECT_EQ(t.content().segments.at(0).pieces, std::vector<std::string>{"x"});
    EXPECT_EQ(ReportTemplate::parse("<report></report>").outputExtension(), "htm");

    // The tree stays valid when the template moves.
    auto moved = ReportTemplate::parse("<report><record><text>r</text></record></report>");
    const ReportTemplate kept = std::move(moved);
    EXPECT_EQ(kept.content().children.at(0).inner, "<text>r</text>");
}

TEST(ReportTemplateTest, ParseErrorsShowTheirMessages)
{
    try {
        ReportTemplate::parse("<Report></Report>");
        FAIL() << "no error";
    } catch (const CReportException& e) {
        EXPECT_EQ(e.code(), CReportException::NoReportElement);
        EXPECT_EQ(reportErrorMessageId(e.code()), 25177);
        EXPECT_EQ(reportErrorMessage(e),
                  "Report generator XML template parsing error!\nMain <report> tag not found.\n");
    }
    const std::string longTag = "<report type=\"htm\"><text>" + std::string(100, 'a') + "</text>";
    try {
        ReportTemplate::parse("\n" + longTag);
        FAIL() << "no error";
    } catch (const CReportException& e) {
        EXPECT_EQ(e.code(), CReportException::NoClosingTag);
        EXPECT_EQ(reportErrorMessage(e), "Report generator XML template parsing error!\nCan't find closing tag for "
                                         "the following opening tag:\n\n"
                                             + longTag.substr(0, 64) + "...");
    }
    try {
        ReportTemplate::parse("<report><var field=\"ext\"\n width=\"3\"></report>");
        FAIL() << "no error";
    } catch (const CReportException& e) {
        EXPECT_EQ(e.code(), CReportException::TagNotClosed);
        EXPECT_EQ(e.text(), "<var field=\"ext\"..."); // stops at the line break
        EXPECT_EQ(reportErrorMessageId(e.code()), 25175);
    }
    EXPECT_EQ(reportErrorMessage(CReportException(CReportException::Cancelled, {})), "");
    EXPECT_EQ(CReportException::shortenForMessage(std::string(64, 'b')), std::string(64, 'b'));
}

} // namespace
