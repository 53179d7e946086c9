#include "report/ReportTemplate.h"

namespace {

ReportNode makeNode(ReportElement kind, const ReportElementMatch& match)
{
    ReportNode node;
    node.kind = kind;
    node.inner = match.inner;
    node.attributes = match.attributes;
    node.field = lookupField(match.attributes[ReportAttr::Field], reportfield::kLastGroupField);
    node.filter = readReportCondition(match.attributes);
    if (kind == ReportElement::Record)
        node.segment = compileSegment(match.inner);
    else
        node.options = ReportGroupOptions::read(match.attributes);
    return node;
}

// Finds the children of one kind in text order, compiling the stretch before each;
// `begins` receives the offset of each child's "<". Adds nothing when there is none.
void findChildren(std::string_view inner, ReportElement kind, ReportContainer& out, std::vector<std::size_t>& begins)
{
    std::size_t pos = 0;
    while (auto child = findElement(inner, pos, kind, true)) {
        out.segments.push_back(compileSegment(inner.substr(pos, child->begin - pos)));
        out.children.push_back(makeNode(kind, *child));
        begins.push_back(child->begin);
        pos = child->end;
    }
    out.segments.push_back(compileSegment(inner.substr(pos)));
}

} // namespace

ReportGroupOptions ReportGroupOptions::read(const ReportAttributes& attributes)
{
    ReportGroupOptions options;
    options.sort = lookupField(attributes[ReportAttr::Sort], reportfield::kLastGroupField);
    options.reverse = attributes.number(ReportAttr::Reverse) != 0;
    options.notEmpty = attributes.number(ReportAttr::NotEmpty) != 0;
    options.minTotal = attributes.number(ReportAttr::MinTotal);
    options.minDuration = attributes.number(ReportAttr::MinDuration);
    options.minCost = attributes.number(ReportAttr::MinCost);
    return options;
}

ReportNode::ReportNode() = default;
ReportNode::ReportNode(ReportNode&&) noexcept = default;
ReportNode& ReportNode::operator=(ReportNode&&) noexcept = default;
ReportNode::~ReportNode() = default;

const ReportContainer& ReportNode::content() const
{
    if (m_error)
        throw *m_error;
    static const ReportContainer kEmpty{false, {}, {ReportSegment{}}};
    return m_content ? *m_content : kEmpty; // a record has no content of its own
}

ReportContainer compileContainer(std::string_view inner, int depth)
{
    ReportContainer container;
    std::vector<std::size_t> begins;
    // Groups win: when there is any, the records beside them are only literal text.
    if (findElement(inner, 0, ReportElement::Group, true)) {
        container.childrenAreGroups = true;
        findChildren(inner, ReportElement::Group, container, begins);
    } else {
        findChildren(inner, ReportElement::Record, container, begins);
    }
    if (!container.childrenAreGroups)
        return container;
    for (std::size_t i = 0; i < container.children.size(); ++i) {
        ReportNode& child = container.children[i];
        if (depth >= kMaxGroupDepth) {
            child.m_error.emplace(CReportException::NestedTooDeeply, inner.substr(begins[i]));
            continue;
        }
        try {
            child.m_content = std::make_unique<ReportContainer>(compileContainer(child.inner, depth + 1));
        } catch (const CReportException& error) {
            child.m_error = error;
        }
    }
    return container;
}

ReportTemplate ReportTemplate::parse(std::string text)
{
    ReportTemplate result;
    result.m_text = std::make_unique<const std::string>(std::move(text));
    const std::string_view all = *result.m_text;
    const auto report = findElement(all, 0, ReportElement::Report, true);
    if (!report)
        throw CReportException(CReportException::NoReportElement, {});
    result.m_attributes = report->attributes;
    result.m_filter = readReportCondition(report->attributes);
    result.m_options = ReportGroupOptions::read(report->attributes);
    result.m_content = compileContainer(report->inner, 0);
    return result;
}

std::string ReportTemplate::outputExtension() const
{
    const std::string& type = m_attributes[ReportAttr::Type];
    return type.empty() ? std::string("htm") : type;
}
