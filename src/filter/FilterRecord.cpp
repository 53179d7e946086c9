#include "filter/FilterRecord.h"

#include "calls/NumberPattern.h"
#include "core/Locale.h"
#include "settings/CallNameLookup.h"
#include "settings/SettingsDatabase.h"

#include <algorithm>
#include <cstring>

static_assert(std::is_trivially_copyable_v<FilterRecord>);
static_assert(fieldcodec::coversExactly<HourMinute>());
static_assert(fieldcodec::coversExactly<RangeList>());
static_assert(fieldcodec::coversExactly<FilterRecord>());

void FilterRecord::reset()
{
    std::memset(static_cast<void*>(this), 0, sizeof(*this));
    includeOutgoing = includeIncoming = 1;
    includeLocal = includeLongDistance = includeInternational = 1;
    includeUserTypes.fill(1);
    numberExact = contactExact = departmentExact = trunkGroupExact = projectExact = 1;
    to.hour = 23;
    to.minute = 59;
    timeTo = {23, 59};
    minDuration = maxDuration = -1;
    minRing = maxRing = -1;
    minCost = maxCost = -1.0;
}

bool FilterRecord::isActive() const
{
    if (!includeOutgoing || !includeIncoming || !includeLocal || !includeLongDistance || !includeInternational)
        return true;
    if (std::any_of(includeUserTypes.begin(), includeUserTypes.end(), [](std::int32_t f) { return f == 0; }))
        return true;
    return invert || cdOn || numberOn || destinationOn || contactOn || fromOn || toOn || timeOn || durationOn || costOn
           || employeeOn || departmentOn || extensionOn || accountOn || carrierOn || trunkGroupOn || trunkOn || ringOn
           || projectOn;
}

void FilterRecord::setDestination(std::string_view text)
{
    const std::size_t n = std::min(text.size(), destination.size());
    std::copy_n(text.data(), n, destination.data());
    std::fill(destination.begin() + static_cast<std::ptrdiff_t>(n), destination.end(), '\0');
}

namespace {

bool within(std::int64_t value, std::int32_t min, std::int32_t max)
{
    return (min == -1 || value >= min) && (max == -1 || value <= max);
}

bool isBlank(char c) { return c == ' ' || c == '\0'; }

// One position of the CD code: '?' matches anything, a blank or NUL matches a blank or NUL.
bool cdMatches(char callChar, char patternChar)
{
    return callChar == patternChar || patternChar == '?' || (isBlank(patternChar) && isBlank(callChar));
}

// "*" on either side matches any one character; both texts must be equally long.
bool accountMatches(std::string_view code, std::string_view pattern)
{
    if (code.size() != pattern.size())
        return false;
    for (std::size_t i = 0; i < code.size(); ++i) {
        if (code[i] != pattern[i] && code[i] != '*' && pattern[i] != '*')
            return false;
    }
    return true;
}

} // namespace

bool FilterRecord::match(const CallRecord& call, const SettingsDatabase& settings) const
{
    return matchFields(call) && matchNames(call, settings);
}

bool FilterRecord::matchFields(const CallRecord& call) const
{
    if ((call.direction == 0 && !includeOutgoing) || (call.direction == 1 && !includeIncoming))
        return false;
    if (!includesCallType(call.callType))
        return false;
    if (fromOn && call.start < from)
        return false;
    if (toOn && call.start > to)
        return false;
    if (timeOn) {
        const HourMinute at{call.start.hour, call.start.minute};
        if (at < timeFrom || at > timeTo)
            return false;
    }
    if (durationOn && !within(call.duration, minDuration, maxDuration))
        return false;
    if (ringOn && !within(call.ringTime, minRing, maxRing))
        return false;
    if (costOn && ((minCost != -1.0 && call.cost < minCost) || (maxCost != -1.0 && call.cost > maxCost)))
        return false;
    if (cdOn && !(cdMatches(call.cdCode[0], cd[0]) && cdMatches(call.cdCode[1], cd[1])))
        return false;
    if (accountOn && !accountMatches(call.account(), accountText()))
        return false;
    if (numberOn && !matchDialedNumber(call.number(), numberText(), numberExact != 0))
        return false;
    // The call's numbers are unsigned (a call without an extension has the
    // largest one); the bounds are compared with them as numbers.
    if (extensionOn && !extensions.holds(call.extension))
        return false;
    if (carrierOn && call.carrierIndex != carrier)
        return false;
    // The trunk group criterion, when on, replaces the trunk ranges.
    if (!trunkGroupOn && trunkOn && !trunks.holds(call.trunk))
        return false;
    return true;
}

bool FilterRecord::includesCallType(std::int32_t callType) const
{
    switch (callType) {
    case 0:
        return includeLocal != 0;
    case 1:
        return includeLongDistance != 0;
    case 2:
        return includeInternational != 0;
    case 3:
    case 4:
    case 5:
    case 6:
        return includeUserTypes[static_cast<std::size_t>(callType - 3)] != 0;
    default:
        return true;
    }
}

bool FilterRecord::matchNames(const CallRecord& call, const SettingsDatabase& settings) const
{
    const CallNameLookup names(settings);
    if (destinationOn) {
        if (unknownDestinations) {
            // Looked up and not found: not local, no destination.
            if (call.localFlag || call.destinationIndex >= 0)
                return false;
        } else if (!destinationPasses(call.destinationIndex, names)) {
            return false;
        }
    }
    if (contactOn) {
        if (unknownNumbers) {
            if (call.contactIndex >= 0 || !call.name().empty())
                return false;
        } else if (call.contactIndex >= 0 ? !contactPasses(call.contactIndex, names) : !nameTextPasses(call.name())) {
            return false;
        }
    }
    if (projectOn && !projectPasses(call.projectIndex, names))
        return false;
    // The employee criterion, when on, replaces the department criterion.
    if (employeeOn) {
        if (!employeePasses(call.directoryIndex, names))
            return false;
    } else if (departmentOn && !departmentPasses(call.departmentIndex, names)) {
        return false;
    }
    if (trunkGroupOn && !trunkGroupPasses(call.trunkIndex, names))
        return false;
    return true;
}

bool FilterRecord::destinationPasses(int destinationIndex, const CallNameLookup& names) const
{
    char buffer[CallNameLookup::kDestinationTextMax];
    const auto text = names.destinationText(destinationIndex, buffer);
    return text && filtertext::beginsWith(*text, destinationText());
}

bool FilterRecord::contactPasses(int contactIndex, const CallNameLookup& names) const
{
    const auto text = names.contact(contactIndex);
    return text && filtertext::matches(*text, contactText(), contactExact != 0);
}

bool FilterRecord::nameTextPasses(std::string_view nameText) const
{
    return !nameText.empty() && filtertext::matches(nameText, contactText(), contactExact != 0);
}

bool FilterRecord::projectPasses(int projectIndex, const CallNameLookup& names) const
{
    const auto text = names.project(projectIndex);
    return text && filtertext::matches(*text, projectText(), projectExact != 0);
}

bool FilterRecord::employeePasses(int directoryIndex, const CallNameLookup& names) const
{
    // The department text is the employee's department here, always compared as equal.
    const DirectoryEntry* entry = names.employee(directoryIndex);
    return entry && filtertext::equal(entry->name.view(), employeeText())
           && filtertext::equal(entry->department.view(), departmentText());
}

bool FilterRecord::departmentPasses(int departmentIndex, const CallNameLookup& names) const
{
    const auto text = names.department(departmentIndex);
    return text && filtertext::matches(*text, departmentText(), departmentExact != 0);
}

bool FilterRecord::trunkGroupPasses(int trunkIndex, const CallNameLookup& names) const
{
    const auto text = names.trunkGroup(trunkIndex);
    return text && filtertext::matches(*text, trunkGroupText(), trunkGroupExact != 0);
}

std::array<std::uint8_t, FilterRecord::kDiskSize> FilterRecord::bytes() const
{
    std::array<std::uint8_t, kDiskSize> out{};
    encode(out);
    return out;
}

namespace filtertext {

bool equal(std::string_view callText, std::string_view filterText)
{
    return Locale::current().compare(callText, filterText) == 0;
}

bool beginsWith(std::string_view callText, std::string_view filterText)
{
    if (callText.size() < filterText.size())
        return false;
    return Locale::current().compare(callText.substr(0, filterText.size()), filterText) == 0;
}

} // namespace filtertext
