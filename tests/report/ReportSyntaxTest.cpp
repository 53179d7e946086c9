#include "report/ReportSyntax.h"
#include "report/ReportException.h"

#include <gtest/gtest.h>

#include <string>

namespace {

// Runs `f`, which must throw CReportException, and returns its code and carried text.
template <class F> std::pair<int, std::string> thrown(F&& f)
{
    try {
        f();
    } catch (const CReportException& e) {
        return {e.code(), e.text()};
    }
    ADD_FAILURE() << "no CReportException";
    return {0, {}};
}

TEST(FindElementTest, PairedElementGivesBoundsInnerTextAndAttributes)
{
    const std::string text = R"(xx<group field="employee" notempty=" 1 ">body</group>yy)";
    const auto group = findElement(text, 0, ReportElement::Group, true);
    ASSERT_TRUE(group);
    EXPECT_EQ(group->begin, 2u);
    EXPECT_EQ(text.substr(group->end), "yy");
    EXPECT_EQ(group->inner, "body");
    EXPECT_EQ(group->attributes[ReportAttr::Field], "employee");
    EXPECT_EQ(group->attributes[ReportAttr::NotEmpty], "1"); // trimmed
    EXPECT_EQ(group->attributes[ReportAttr::Sort], "");
    EXPECT_FALSE(findElement(text, 3, ReportElement::Group, true));
}

TEST(FindElementTest, SearchIsCaseSensitiveAndMatchesLongerNames)
{
    EXPECT_FALSE(findElement("<Group></Group>", 0, ReportElement::Group, true));
    // "<text" also stops at a textarea tag, whose own closing tag is not "</text>".
    const std::string text = "<textarea>a</textarea><text>b</text>";
    EXPECT_EQ(thrown([&] { findElement(text, 0, ReportElement::Text, true); }).first, CReportException::NoClosingTag);
}

TEST(FindElementTest, NestedGroupsCloseByCounting)
{
    const std::string text = "<group a><group b><group c></group></group><text>t</text></group>tail";
    const auto outer = findElement(text, 0, ReportElement::Group, true);
    ASSERT_TRUE(outer);
    EXPECT_EQ(outer->inner, "<group b><group c></group></group><text>t</text>");
    EXPECT_EQ(text.substr(outer->end), "tail");
    // Siblings after a nested pair do not extend the element.
    const std::string siblings = "<group><group></group></group><group></group>";
    EXPECT_EQ(findElement(siblings, 0, ReportElement::Group, true)->end, 30u);
}

TEST(FindElementTest, TagErrorsCarryTheStartOfTheTag)
{
    const auto [code1, text1] = thrown([] { findElement("ab<report type=\"csv\"", 0, ReportElement::Report, true); });
    EXPECT_EQ(code1, CReportException::TagNotClosed);
    EXPECT_EQ(text1, "<report type=\"csv\"");
    const auto [code2, text2] = thrown([] { findElement("<report><text>x</text>", 0, ReportElement::Report, true); });
    EXPECT_EQ(code2, CReportException::NoClosingTag);
    EXPECT_EQ(text2, "<report><text>x</text>");
    // The nested opening tag takes the only closing tag.
    EXPECT_EQ(thrown([] { findElement("<group><group></group>", 0, ReportElement::Group, true); }).first,
              CReportException::NoClosingTag);
}

TEST(FindElementTest, VarWithoutSlashRunsOnToTheNextOne)
{
    const std::string text = R"(<var field="ext"><text>lost</text><var field="cost" width="4"/>after)";
    const auto var = findElement(text, 0, ReportElement::Var, false);
    ASSERT_TRUE(var);
    EXPECT_EQ(var->begin, 0u);
    EXPECT_EQ(text.substr(var->end), "after");
    EXPECT_TRUE(var->inner.empty());
    EXPECT_EQ(var->attributes[ReportAttr::Field], "ext"); // the first occurrence wins
    EXPECT_EQ(var->attributes[ReportAttr::Width], "4");   // taken from the second tag
    EXPECT_EQ(thrown([] { findElement("<var field=\"ext\">", 0, ReportElement::Var, false); }).first,
              CReportException::TagNotClosed);
}

TEST(ReportAttributesTest, PlainSubstringSearchWithDoubleQuotesOnly)
{
    // "type" is found inside the value "report_type" and takes the next quoted value.
    const auto a = readReportAttributes(R"( field="report_type" width="7" align='right' modifier = "  raw  " )");
    EXPECT_EQ(a[ReportAttr::Field], "report_type");
    EXPECT_EQ(a[ReportAttr::Type], "7");
    EXPECT_EQ(a[ReportAttr::Width], "7");
    EXPECT_EQ(a[ReportAttr::Align], "raw"); // single quotes do not delimit: the next '"' pair is used
    EXPECT_EQ(a[ReportAttr::Modifier], "raw");
    const auto b = readReportAttributes(R"( reverse sort="cost" min_cost="5)");
    EXPECT_EQ(b[ReportAttr::Reverse], "cost"); // "=" is searched after the name, wherever it is
    EXPECT_EQ(b[ReportAttr::Sort], "cost");
    EXPECT_EQ(b[ReportAttr::MinCost], ""); // no closing quote
}

TEST(ReportVocabularyTest, NumbersReadLikeTheCRuntime)
{
    EXPECT_EQ(readReportNumber("  -12abc"), -12);
    EXPECT_EQ(readReportNumber("+7"), 7);
    EXPECT_EQ(readReportNumber("abc"), 0);
    EXPECT_EQ(readReportNumber(""), 0);
    EXPECT_EQ(readReportNumber("99999999999999999999"), 2147483647);
    EXPECT_EQ(readReportNumber("-99999999999999999999"), -2147483647 - 1);
}

TEST(ReportVocabularyTest, LookupsIgnoreCaseAndRespectTheHighestField)
{
    EXPECT_EQ(lookupField("EMPLOYEE", reportfield::kLastGroupField), reportfield::Employee);
    EXPECT_EQ(lookupField("List_Trunk", reportfield::kLastGroupField), reportfield::ListTrunk);
    EXPECT_EQ(lookupField("zeroindex", reportfield::kLastGroupField), -1);
    EXPECT_EQ(lookupField("zeroindex", reportfield::kLastFilterField), reportfield::ZeroIndex);
    EXPECT_EQ(lookupField("index", reportfield::kLastFilterField), -1);
    EXPECT_EQ(lookupField("Report_Text2", reportfield::kLastVarField), reportfield::ReportText2);
    EXPECT_EQ(lookupField("employees", reportfield::kLastVarField), -1);
    EXPECT_EQ(lookupField("", reportfield::kLastVarField), -1);
    for (int f = 0; f < reportfield::kCount; ++f)
        EXPECT_EQ(lookupField(reportFieldName(f), reportfield::kLastVarField), f);

    EXPECT_EQ(lookupAlign("Center"), AlignCenter);
    EXPECT_EQ(lookupAlign("RIGHT"), AlignRight);
    EXPECT_EQ(lookupAlign("middle"), AlignLeft);
    EXPECT_EQ(lookupModifier("Hour"), reportmodifier::Hour);
    EXPECT_EQ(lookupModifier("SEC"), reportmodifier::Sec);
    EXPECT_EQ(lookupModifier("minute"), reportmodifier::None);
}

} // namespace
