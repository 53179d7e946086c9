#include "report/ReportSyntax.h"

#include "core/TextCase.h"
#include "report/ReportException.h"

#include <climits>

namespace {

constexpr std::string_view kElementNames[] = {"report", "group", "record", "var", "text"};

constexpr std::string_view kAttributeNames[kReportAttrCount] = {
    "equal",    "less",  "greater", "type",     "field",    "filter",    "sort",         "reverse",
    "notempty", "width", "align",   "zerofill", "modifier", "min_total", "min_duration", "min_cost",
};

constexpr std::string_view kFieldNames[reportfield::kCount] = {
    "date",           "time",           "ext",          "number",       "destination",  "duration",    "cost",
    "employee",       "department",     "contact",      "trunk",        "group",        "acc",         "cd",
    "direction",      "type",           "carrier",      "ringtime",     "project",      "list_ext",    "list_acc",
    "list_trunk",     "zeroindex",      "index",        "total",        "from_date",    "from_time",   "to_date",
    "to_time",        "report_date",    "report_time",  "page_break",   "language",     "report_type", "report_detail",
    "report_company", "report_address", "report_phone", "report_text1", "report_text2",
};

constexpr std::string_view kAlignNames[] = {"left", "center", "right"};
constexpr std::string_view kModifierNames[] = {"raw", "year", "month", "day", "hour", "min", "sec"};

template <std::size_t N>
std::int32_t lookup(const std::string_view (&names)[N], std::string_view name, std::size_t count)
{
    for (std::size_t i = 0; i < count && i < N; ++i)
        if (reportNameEquals(names[i], name))
            return static_cast<std::int32_t>(i);
    return -1;
}

bool isSpace(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f'; }

std::string_view trimmed(std::string_view s)
{
    while (!s.empty() && isSpace(s.front()))
        s.remove_prefix(1);
    while (!s.empty() && isSpace(s.back()))
        s.remove_suffix(1);
    return s;
}

std::string_view elementName(ReportElement element) { return kElementNames[static_cast<int>(element)]; }

// Offset just past the closing tag that ends a paired element whose opening tag
// ends at `contentBegin`; `closing` is the offset of that closing tag. Every
// further opening tag of the same name met before the current closing tag moves
// the end on to the next closing tag.
std::size_t findClosingTag(std::string_view text, std::size_t openAt, std::size_t contentBegin, std::string_view name)
{
    const std::string closeTag = "</" + std::string(name) + ">";
    const std::string openTag = "<" + std::string(name);
    std::size_t close = text.find(closeTag, contentBegin);
    if (close == std::string_view::npos)
        throw CReportException(CReportException::NoClosingTag, text.substr(openAt));
    for (std::size_t pos = contentBegin;;) {
        const std::size_t nested = text.find(openTag, pos);
        if (nested == std::string_view::npos || nested > close)
            return close;
        pos = nested + openTag.size();
        close = text.find(closeTag, close + closeTag.size());
        if (close == std::string_view::npos)
            throw CReportException(CReportException::NoClosingTag, text.substr(openAt));
    }
}

} // namespace

bool reportNameEquals(std::string_view a, std::string_view b) { return textcase::equalAscii(a, b); }

std::int32_t ReportAttributes::number(ReportAttr a) const { return readReportNumber((*this)[a]); }

std::string_view reportFieldName(std::int32_t field)
{
    return (field >= 0 && field < reportfield::kCount) ? kFieldNames[field] : std::string_view{};
}

std::int32_t lookupField(std::string_view name, std::int32_t highest)
{
    if (highest < 0)
        return -1;
    return lookup(kFieldNames, name, static_cast<std::size_t>(highest) + 1);
}

std::int32_t lookupAlign(std::string_view name)
{
    const std::int32_t align = lookup(kAlignNames, name, std::size(kAlignNames));
    return align < 0 ? AlignLeft : align;
}

std::int32_t lookupModifier(std::string_view name) { return lookup(kModifierNames, name, std::size(kModifierNames)); }

std::int32_t readReportNumber(std::string_view text)
{
    std::size_t i = 0;
    while (i < text.size() && isSpace(text[i]))
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-'))
        negative = text[i++] == '-';
    long long value = 0;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
        value = value * 10 + (text[i] - '0');
        if (value > static_cast<long long>(INT_MAX) + 1)
            value = static_cast<long long>(INT_MAX) + 1; // held at the limit; keeps the loop overflow-free
    }
    if (negative)
        return static_cast<std::int32_t>(-value);
    return static_cast<std::int32_t>(value > INT_MAX ? INT_MAX : value);
}

ReportAttributes readReportAttributes(std::string_view tagText)
{
    ReportAttributes attributes;
    for (int a = 0; a < kReportAttrCount; ++a) {
        const std::size_t name = tagText.find(kAttributeNames[a]);
        if (name == std::string_view::npos)
            continue;
        const std::size_t equals = tagText.find('=', name + kAttributeNames[a].size());
        if (equals == std::string_view::npos)
            continue;
        const std::size_t open = tagText.find('"', equals + 1);
        if (open == std::string_view::npos)
            continue;
        const std::size_t close = tagText.find('"', open + 1);
        if (close == std::string_view::npos)
            continue;
        attributes[static_cast<ReportAttr>(a)] = std::string(trimmed(tagText.substr(open + 1, close - open - 1)));
    }
    return attributes;
}

std::optional<ReportElementMatch> findElement(std::string_view text, std::size_t from, ReportElement element,
                                              bool paired)
{
    const std::string_view name = elementName(element);
    const std::string openTag = "<" + std::string(name);
    if (from > text.size())
        return std::nullopt;
    const std::size_t begin = text.find(openTag, from);
    if (begin == std::string_view::npos)
        return std::nullopt;

    const std::string_view tagEnd = paired ? ">" : "/>";
    const std::size_t tagEndAt = text.find(tagEnd, begin);
    if (tagEndAt == std::string_view::npos)
        throw CReportException(CReportException::TagNotClosed, text.substr(begin));

    ReportElementMatch match;
    match.begin = begin;
    const std::size_t attributesAt = begin + openTag.size(); // the name holds neither ">" nor "/>"
    match.attributes = readReportAttributes(text.substr(attributesAt, tagEndAt - attributesAt));
    if (!paired) {
        match.end = tagEndAt + 2;
        return match;
    }
    const std::size_t contentBegin = tagEndAt + 1;
    const std::size_t close = findClosingTag(text, begin, contentBegin, name);
    match.inner = text.substr(contentBegin, close - contentBegin);
    match.end = close + name.size() + 3;
    return match;
}
