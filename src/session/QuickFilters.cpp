// The quick filters of the list's context menu and the hand-over to and from
// the filter editor.
#include "session/MainSession.h"

#include "calls/NumberPattern.h"
#include "settings/CallNameLookup.h"

#include <limits>

namespace {

void employeeOff(FilterRecord& f) { f.employeeOn = f.departmentOn = 0; }

} // namespace

bool MainSession::canQuickFilter(QuickFilter which) const
{
    const CallRecord* call = currentCall();
    if (!call)
        return false;
    const CallNameLookup names(m_settings);
    // A range bound is a signed number whose -1 means "open": a call without an
    // extension or trunk (4294967295), or one beyond 2147483647, cannot be named
    // by one, and a range of it would pass every call.
    constexpr std::uint32_t kLargestBound = std::numeric_limits<std::int32_t>::max();
    switch (which) {
    case QuickFilter::Extension:
        return call->extension <= kLargestBound;
    case QuickFilter::Trunk:
        return call->trunk <= kLargestBound;
    case QuickFilter::AccCode:
    case QuickFilter::DialedNumber:
    case QuickFilter::Date:
        return true;
    case QuickFilter::Employee:
    case QuickFilter::Department:
        return names.employee(call->directoryIndex) != nullptr;
    case QuickFilter::Destination:
        return call->localFlag == 0;
    case QuickFilter::Country:
        return names.destination(call->destinationIndex) != nullptr;
    case QuickFilter::Contact:
        return names.contactOrNameText(call->contactIndex, call->name()).has_value();
    case QuickFilter::Project:
        return names.project(call->projectIndex).has_value();
    }
    return false;
}

std::optional<FilterRecord> MainSession::quickFilter(QuickFilter which) const
{
    if (!canQuickFilter(which))
        return std::nullopt;
    const CallRecord& call = *currentCall();
    const CallNameLookup names(m_settings);
    FilterRecord f = m_filter.current();
    switch (which) {
    case QuickFilter::Extension:
        employeeOff(f);
        f.extensionOn = 1;
        f.extensions.setSingle(static_cast<std::int32_t>(call.extension));
        break;
    case QuickFilter::Trunk:
        f.trunkGroupOn = 0;
        f.trunkOn = 1;
        f.trunks.setSingle(static_cast<std::int32_t>(call.trunk));
        break;
    case QuickFilter::AccCode:
        employeeOff(f);
        f.accountOn = 1;
        FilterRecord::setText(f.account, call.account());
        break;
    case QuickFilter::Employee: {
        const DirectoryEntry& entry = *names.employee(call.directoryIndex);
        f.employeeOn = 1;
        f.departmentOn = f.extensionOn = f.accountOn = 0;
        FilterRecord::setText(f.employee, entry.name.view());
        FilterRecord::setText(f.department, entry.department.view());
        break;
    }
    case QuickFilter::Department: {
        const auto department = names.department(call.departmentIndex);
        f.departmentOn = f.departmentExact = 1;
        f.employeeOn = f.extensionOn = f.accountOn = 0;
        FilterRecord::setText(f.department,
                              department ? *department : names.employee(call.directoryIndex)->department.view());
        break;
    }
    case QuickFilter::DialedNumber:
        f.destinationOn = f.contactOn = 0;
        f.numberOn = f.numberExact = 1;
        FilterRecord::setText(f.number, dialedDigits(call.number()));
        break;
    case QuickFilter::Destination: {
        f.destinationOn = 1;
        f.contactOn = f.numberOn = 0;
        char buffer[CallNameLookup::kDestinationTextMax];
        const auto text = names.destinationText(call.destinationIndex, buffer);
        f.unknownDestinations = call.destinationIndex < 0;
        f.setDestination(text.value_or(std::string_view()));
        break;
    }
    case QuickFilter::Country:
        f.destinationOn = 1;
        f.contactOn = f.numberOn = f.unknownDestinations = 0;
        f.setDestination(names.destination(call.destinationIndex)->country.view());
        break;
    case QuickFilter::Contact:
        f.contactOn = f.contactExact = 1;
        // A contact of its own, not the calls without one.
        f.unknownNumbers = 0;
        f.destinationOn = f.numberOn = 0;
        FilterRecord::setText(f.contact, *names.contactOrNameText(call.contactIndex, call.name()));
        break;
    case QuickFilter::Date:
        f.fromOn = f.toOn = 1;
        f.from = call.start.at(0, 0);
        f.to = call.start.at(23, 59);
        break;
    case QuickFilter::Project:
        f.projectOn = f.projectExact = 1;
        FilterRecord::setText(f.project, *names.project(call.projectIndex));
        break;
    }
    return f;
}

bool MainSession::applyQuickFilter(QuickFilter which, Progress& progress)
{
    const std::optional<FilterRecord> f = quickFilter(which);
    if (!f)
        return false;
    applyFilter(*f, true, progress);
    return true;
}

FilterEditorState MainSession::prepareFilterEditor() const
{
    FilterEditorState state;
    state.filter = m_filter.current();
    // Disabled date pickers show the range of the loaded calls.
    if (!state.filter.fromOn)
        state.filter.from = m_calls.earliestDate().at(0, 0);
    if (!state.filter.toOn)
        state.filter.to = m_calls.latestDate().at(23, 59);
    state.saved = m_filter.saved();
    state.defaultFilterName = m_filter.defaultName();
    return state;
}

bool MainSession::takeFilterEditorResult(const FilterEditorState& result, Progress& progress, std::string* error)
{
    m_filter.setDefaultName(result.defaultFilterName);
    bool saved = true;
    if (result.savedChanged) {
        m_filter.setSaved(result.saved);
        saved = saveSavedFilters(error);
    }
    // With no calls loaded the edited criteria are dropped.
    if (callsLoaded())
        applyFilter(result.filter, true, progress);
    return saved;
}
