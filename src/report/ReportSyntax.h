#pragma once
// The vocabulary of report templates and the element search they are read with.
//
// A template looks like XML but is read by plain, case-sensitive substring
// search for five element names; there is no XML parser, no entity decoding and
// no escape. Everything here works on one template text (or a stretch of it) as
// Windows-1252 bytes; offsets are byte offsets into the text passed in.

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

// Element numbers, in the order the template language numbers them.
enum class ReportElement { Report = 0, Group = 1, Record = 2, Var = 3, Text = 4 };

// Attribute numbers: every element's attribute list holds all sixteen, in this order.
enum class ReportAttr {
    Equal = 0,
    Less,
    Greater,
    Type,
    Field,
    Filter,
    Sort,
    Reverse,
    NotEmpty,
    Width,
    Align,
    ZeroFill,
    Modifier,
    MinTotal,
    MinDuration,
    MinCost,
};
inline constexpr int kReportAttrCount = 16;

// The attribute strings of one element, indexed by ReportAttr; an absent attribute is "".
class ReportAttributes
{
public:
    const std::string& operator[](ReportAttr a) const { return m_values[static_cast<std::size_t>(a)]; }
    std::string& operator[](ReportAttr a) { return m_values[static_cast<std::size_t>(a)]; }
    // The attribute read as a decimal integer (see readReportNumber).
    std::int32_t number(ReportAttr a) const;

private:
    std::array<std::string, kReportAttrCount> m_values;
};

// Field numbers. 0 to 18 are the column types of the calls list; 19 to 21 are the
// directory and trunk lists a group can walk; 22 onward print values of the run.
namespace reportfield {
enum : std::int32_t {
    None = -1,
    Date = 0,
    Time,
    Ext,
    Number,
    Destination,
    Duration,
    Cost,
    Employee,
    Department,
    Contact,
    Trunk,
    Group,
    Acc,
    Cd,
    Direction,
    Type,
    Carrier,
    RingTime,
    Project,
    ListExt,
    ListAcc,
    ListTrunk,
    ZeroIndex,
    Index,
    Total,
    FromDate,
    FromTime,
    ToDate,
    ToTime,
    ReportDate,
    ReportTime,
    PageBreak,
    Language,
    ReportType,
    ReportDetail,
    ReportCompany,
    ReportAddress,
    ReportPhone,
    ReportText1,
    ReportText2,
};
inline constexpr std::int32_t kCount = 40;
inline constexpr std::int32_t kLastGroupField = ListTrunk;  // highest a group `field` or `sort` may name
inline constexpr std::int32_t kLastFilterField = ZeroIndex; // highest a `filter` may name
inline constexpr std::int32_t kLastVarField = kCount - 1;
} // namespace reportfield

enum ReportAlign : std::int32_t { AlignLeft = 0, AlignCenter = 1, AlignRight = 2 };

namespace reportmodifier {
enum : std::int32_t { None = -1, Raw = 0, Year, Month, Day, Hour, Min, Sec };
}

// The name of a field number 0..39 (its spelling in templates), "" otherwise.
std::string_view reportFieldName(std::int32_t field);

// Whether two names are equal regardless of the letter case of A to Z, which is how
// templates compare field, alignment, modifier, direction and call-type names.
bool reportNameEquals(std::string_view a, std::string_view b);

// Case-insensitive lookups. lookupField considers only field numbers 0..highest
// and gives -1 for any other name; lookupAlign gives AlignLeft for an unknown
// value; lookupModifier gives -1 for an unknown value.
std::int32_t lookupField(std::string_view name, std::int32_t highest);
std::int32_t lookupAlign(std::string_view name);
std::int32_t lookupModifier(std::string_view name);

// A decimal integer as template attributes write it: leading white space, an
// optional sign, then digits up to the first other character; no digits give 0.
// Values beyond the 32-bit range are held at its limit.
std::int32_t readReportNumber(std::string_view text);

// One element found by findElement. `inner` views the searched text.
struct ReportElementMatch
{
    std::size_t begin = 0;  // offset of the element's "<"
    std::size_t end = 0;    // offset just past the element (past "/>" or past the closing tag)
    std::string_view inner; // text between the opening and closing tag; empty when self-closing
    ReportAttributes attributes;
};

// Finds the first element `element` at or after `from` in `text`. Paired elements
// end at their own closing tag, found by counting nested opening tags of the same
// name; self-closing ones at the first "/>" after the "<". The opening search
// matches any longer name with the same beginning ("<text" also finds "<textarea").
// Returns nothing when no opening tag is found; throws CReportException code 1
// when the opening tag does not end, code 2 when the closing tag is missing.
std::optional<ReportElementMatch> findElement(std::string_view text, std::size_t from, ReportElement element,
                                              bool paired);

// Reads the sixteen attributes from the text of an opening tag between its name and
// its end. Each attribute name is searched as a plain substring from the beginning,
// so a name occurring inside another attribute's name or value is found there.
ReportAttributes readReportAttributes(std::string_view tagText);
