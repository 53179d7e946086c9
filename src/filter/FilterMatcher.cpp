#include "filter/FilterMatcher.h"

#include "settings/CallNameLookup.h"
#include "settings/SettingsDatabase.h"

FilterMatcher::FilterMatcher(const FilterRecord& filter, const SettingsDatabase& settings)
    : m_filter(filter)
    , m_settings(&settings)
    , m_active(filter.isActive())
    , m_invert(filter.invert != 0)
{
    const FilterRecord& f = m_filter;
    m_names = f.destinationOn || f.contactOn || f.projectOn || f.employeeOn || f.departmentOn || f.trunkGroupOn;
    if (f.destinationOn && !f.unknownDestinations)
        m_destinations.size(settings.destinations.size());
    if (f.contactOn && !f.unknownNumbers) {
        m_contacts.size(settings.contactsAreLarge() ? settings.contacts.size()
                                                    : static_cast<std::size_t>(settings.contactNames().size()));
    }
    if (f.projectOn)
        m_projects.size(static_cast<std::size_t>(settings.projectNames().size()));
    if (f.employeeOn)
        m_employees.size(settings.directory.size());
    else if (f.departmentOn)
        m_departments.size(static_cast<std::size_t>(settings.departments().size()));
    if (f.trunkGroupOn)
        m_trunkGroups.size(settings.trunks.size());
}

bool FilterMatcher::matchNames(const CallRecord& call) const
{
    if (!m_names)
        return true;
    const FilterRecord& f = m_filter;
    const CallNameLookup names(*m_settings);
    if (f.destinationOn) {
        if (f.unknownDestinations) {
            if (call.localFlag || call.destinationIndex >= 0)
                return false;
        } else if (!m_destinations.get(call.destinationIndex, [&](int i) { return f.destinationPasses(i, names); })) {
            return false;
        }
    }
    if (f.contactOn) {
        if (f.unknownNumbers) {
            if (call.contactIndex >= 0 || !call.name().empty())
                return false;
        } else if (call.contactIndex >= 0) {
            if (!m_contacts.get(call.contactIndex, [&](int i) { return f.contactPasses(i, names); }))
                return false;
        } else {
            const std::string_view text = call.name();
            auto it = m_nameTexts.find(std::string(text));
            if (it == m_nameTexts.end())
                it = m_nameTexts.emplace(std::string(text), f.nameTextPasses(text)).first;
            if (!it->second)
                return false;
        }
    }
    if (f.projectOn && !m_projects.get(call.projectIndex, [&](int i) { return f.projectPasses(i, names); }))
        return false;
    if (f.employeeOn) {
        if (!m_employees.get(call.directoryIndex, [&](int i) { return f.employeePasses(i, names); }))
            return false;
    } else if (f.departmentOn
               && !m_departments.get(call.departmentIndex, [&](int i) { return f.departmentPasses(i, names); })) {
        return false;
    }
    if (f.trunkGroupOn && !m_trunkGroups.get(call.trunkIndex, [&](int i) { return f.trunkGroupPasses(i, names); }))
        return false;
    return true;
}
