#pragma once
// A report template read into the tree the report engine evaluates.
//
// The `report` element and every `group` are containers: their content is the
// list of child elements (all `group` children, or, when there are none, all
// `record` children) and the compiled text around them. A group's content is
// compiled once, when the template is read, but an error in it is kept and
// raised only when the engine evaluates that group, so a broken group that no
// group value ever reaches does not stop a report.

#include "report/ReportCondition.h"
#include "report/ReportException.h"
#include "report/ReportSegment.h"
#include "report/ReportSyntax.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

struct ReportContainer;

// Groups nested deeper than this below the `report` element are not evaluated;
// reaching one raises CReportException::NestedTooDeeply. Real reports use a few
// levels; the bound keeps a hostile template from exhausting the stack.
inline constexpr int kMaxGroupDepth = 64;

// Compiles the inner text of a container at nesting depth `depth` (0 for the
// `report` element, 1 for its groups, ...). Throws CReportException for tag errors
// in the container's own text; errors inside child groups are kept in them.
ReportContainer compileContainer(std::string_view inner, int depth = 0);

// What a container's own attributes ask of each of its group values.
struct ReportGroupOptions
{
    std::int32_t sort = reportfield::None; // order of the calls in a group value; among fields 0..21
    bool reverse = false;                  // `sort` descending
    bool notEmpty = false;                 // group values without calls print nothing
    std::int32_t minTotal = 0;             // 0: no minimum
    std::int32_t minDuration = 0;          // seconds
    std::int32_t minCost = 0;              // whole money units

    static ReportGroupOptions read(const ReportAttributes& attributes);
};

// One child element, `group` or `record`, of a container.
struct ReportNode
{
    ReportNode();
    ReportNode(ReportNode&&) noexcept;
    ReportNode& operator=(ReportNode&&) noexcept;
    ~ReportNode();

    ReportElement kind = ReportElement::Record;
    std::string_view inner; // raw inner text, a view into the template text
    ReportAttributes attributes;
    std::int32_t field = reportfield::None; // `field` among fields 0..21
    ReportCondition filter;
    ReportGroupOptions options; // a group's own sort, reverse, notempty and minimums
    ReportSegment segment;      // a record's compiled inner text

    // A group's compiled content. Throws the CReportException met while compiling
    // it (a tag error inside it, or groups nested too deeply).
    const ReportContainer& content() const;

private:
    friend ReportContainer compileContainer(std::string_view inner, int depth);
    std::unique_ptr<ReportContainer> m_content;
    std::optional<CReportException> m_error;
};

struct ReportContainer
{
    bool childrenAreGroups = false;
    std::vector<ReportNode> children;
    std::vector<ReportSegment> segments; // before, between and after the children: children.size() + 1
};

class ReportTemplate
{
public:
    // Reads the first `report` element of `text`. Throws CReportException:
    // NoReportElement when there is none, TagNotClosed or NoClosingTag for the
    // `report` element or a tag of its own content.
    static ReportTemplate parse(std::string text);

    const ReportAttributes& attributes() const { return m_attributes; }
    const ReportCondition& filter() const { return m_filter; }
    const ReportGroupOptions& options() const { return m_options; }
    const ReportContainer& content() const { return m_content; }
    // The extension of the report file: the `type` attribute, or "htm" when empty.
    std::string outputExtension() const;

private:
    ReportTemplate() = default;

    std::unique_ptr<const std::string> m_text; // held where moves cannot shift it: the tree views into it
    ReportAttributes m_attributes;
    ReportCondition m_filter;
    ReportGroupOptions m_options;
    ReportContainer m_content;
};
