#include "rating/RatedCallNames.h"

namespace {

template <class List, class Text> std::string entryText(const List& list, int index, Text text)
{
    if (index < 0 || static_cast<std::size_t>(index) >= list.size())
        return {};
    return std::string(text(list[static_cast<std::size_t>(index)]));
}

std::string nameAt(const NameList& names, int index)
{
    return index >= 0 && index < names.size() ? names[index] : std::string();
}

} // namespace

std::string RatedCallNames::destinationCode(const CallRecord& call) const
{
    return entryText(m_settings.destinations, call.destinationIndex, [](const auto& e) { return e.code.view(); });
}

std::string RatedCallNames::employee(const CallRecord& call) const
{
    return entryText(m_settings.directory, call.directoryIndex, [](const auto& e) { return e.name.view(); });
}

std::string RatedCallNames::department(const CallRecord& call) const
{
    return nameAt(m_settings.departments(), call.departmentIndex);
}

std::string RatedCallNames::trunkGroup(const CallRecord& call) const
{
    return entryText(m_settings.trunks, call.trunkIndex, [](const auto& e) { return e.group.view(); });
}

std::string RatedCallNames::contact(const CallRecord& call) const
{
    if (m_settings.contactsAreLarge())
        return entryText(m_settings.contacts, call.contactIndex, [](const auto& e) { return e.name.view(); });
    return nameAt(m_settings.contactNames(), call.contactIndex);
}

std::string RatedCallNames::project(const CallRecord& call) const
{
    return nameAt(m_settings.projectNames(), call.projectIndex);
}
