#include "report/ReportCondition.h"

#include "lang/StringTable.h"

#include <string>

namespace {

// Templates name directions and call types by the program's built-in English
// texts, so one template serves every user-interface language.
std::int32_t directionOf(std::string_view text)
{
    const int ids[] = {sid::kDirectionOutgoing, sid::kDirectionIncoming};
    for (std::int32_t d = 0; d < 2; ++d)
        if (reportNameEquals(text, BuiltInText(ids[d])))
            return d;
    return -1;
}

std::int32_t callTypeOf(std::string_view text)
{
    const int ids[] = {sid::kCallTypeLocal, sid::kCallTypeLongDistance, sid::kCallTypeInternational};
    for (std::int32_t t = 0; t < 3; ++t)
        if (reportNameEquals(text, BuiltInText(ids[t])))
            return t;
    for (std::int32_t user = 1; user <= 4; ++user)
        if (reportNameEquals(text, "user" + std::to_string(user)))
            return 2 + user;
    return -1;
}

std::int32_t conditionValue(std::int32_t field, const std::string& text)
{
    using namespace reportfield;
    switch (field) {
    case Ext:
    case Trunk:
    case Duration:
    case RingTime:
    case Cost:
    case ZeroIndex:
        return readReportNumber(text);
    case Number:
    case Employee:
    case Department:
    case Contact:
    case Group:
    case Acc:
    case Carrier:
    case Project:
        return readReportNumber(text) != 0 ? 1 : 0;
    case Direction:
        return directionOf(text);
    case Type:
        return callTypeOf(text);
    default:
        return -1; // date, time, destination, cd and the list fields set no condition
    }
}

} // namespace

ReportCondition readReportCondition(const ReportAttributes& attributes)
{
    ReportCondition condition;
    condition.field = lookupField(attributes[ReportAttr::Filter], reportfield::kLastFilterField);
    if (condition.field == reportfield::None)
        return condition;
    auto value = [&](ReportAttr a) {
        const std::string& text = attributes[a];
        return text.empty() ? -1 : conditionValue(condition.field, text);
    };
    condition.equal = value(ReportAttr::Equal);
    condition.less = value(ReportAttr::Less);
    condition.greater = value(ReportAttr::Greater);
    return condition;
}
