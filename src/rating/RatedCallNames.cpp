#include "rating/RatedCallNames.h"

namespace {

std::string text(std::optional<std::string_view> name) { return std::string(name.value_or(std::string_view())); }

} // namespace

std::string RatedCallNames::destinationCode(const CallRecord& call) const
{
    const DestinationEntry* destination = m_names.destination(call.destinationIndex);
    return destination ? std::string(destination->code.view()) : std::string();
}

std::string RatedCallNames::employee(const CallRecord& call) const
{
    const DirectoryEntry* entry = m_names.employee(call.directoryIndex);
    return entry ? std::string(entry->name.view()) : std::string();
}

std::string RatedCallNames::department(const CallRecord& call) const
{
    return text(m_names.department(call.departmentIndex));
}

std::string RatedCallNames::trunkGroup(const CallRecord& call) const
{
    return text(m_names.trunkGroup(call.trunkIndex));
}

std::string RatedCallNames::contact(const CallRecord& call) const { return text(m_names.contact(call.contactIndex)); }

std::string RatedCallNames::project(const CallRecord& call) const { return text(m_names.project(call.projectIndex)); }
