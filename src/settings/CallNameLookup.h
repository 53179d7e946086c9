#pragma once
// The names a call refers to through the indexes rating gave it, looked up in
// the settings database: the one place of the rules that turn an index into a
// name (the calls list, the filters, the quick filters and the call dump all
// ask here). Every look-up checks its index against its list: an index of -1,
// or one left over from other settings, gives nothing.

#include "settings/SettingsDatabase.h"

#include <cstddef>
#include <optional>
#include <string_view>

class CallNameLookup
{
public:
    // Longest destination text: country, " - ", city.
    static constexpr std::size_t kDestinationTextMax = decltype(DestinationEntry::country)::kSize + 3
                                                       + decltype(DestinationEntry::city)::kSize;

    explicit CallNameLookup(const SettingsDatabase& settings)
        : m_settings(settings)
    { }

    const DirectoryEntry* employee(int directoryIndex) const { return entry(m_settings.directory, directoryIndex); }
    const TrunkEntry* trunk(int trunkIndex) const { return entry(m_settings.trunks, trunkIndex); }
    const DestinationEntry* destination(int index) const { return entry(m_settings.destinations, index); }

    std::optional<std::string_view> department(int departmentIndex) const
    {
        return name(m_settings.departments(), departmentIndex);
    }
    std::optional<std::string_view> project(int projectIndex) const
    {
        return name(m_settings.projectNames(), projectIndex);
    }
    std::optional<std::string_view> trunkGroup(int trunkIndex) const
    {
        const TrunkEntry* t = trunk(trunkIndex);
        return t ? std::optional(t->group.view()) : std::nullopt;
    }
    // The contact's name: with a large contact list the index is a position in the
    // contact list, otherwise in the list of distinct contact names.
    std::optional<std::string_view> contact(int contactIndex) const
    {
        if (m_settings.contactsAreLarge()) {
            const ContactEntry* c = entry(m_settings.contacts, contactIndex);
            return c ? std::optional(c->name.view()) : std::nullopt;
        }
        return name(m_settings.contactNames(), contactIndex);
    }
    // The contact's name, or the call's own name text (`nameText`) when it has
    // no contact (an index below 0); nothing when it has neither.
    std::optional<std::string_view> contactOrNameText(int contactIndex, std::string_view nameText) const
    {
        if (contactIndex >= 0)
            return contact(contactIndex);
        if (nameText.empty())
            return std::nullopt;
        return nameText;
    }
    // "%s - %s" with country and city, or the country alone, written into `buffer`.
    std::optional<std::string_view> destinationText(int index, char (&buffer)[kDestinationTextMax]) const;

private:
    template <class T> static const T* entry(const std::vector<T>& list, int index)
    {
        return index >= 0 && static_cast<std::size_t>(index) < list.size() ? &list[static_cast<std::size_t>(index)]
                                                                           : nullptr;
    }
    static std::optional<std::string_view> name(const NameList& list, int index)
    {
        return index >= 0 && index < list.size() ? std::optional<std::string_view>(list[index]) : std::nullopt;
    }

    const SettingsDatabase& m_settings;
};

inline std::optional<std::string_view> CallNameLookup::destinationText(int index,
                                                                       char (&buffer)[kDestinationTextMax]) const
{
    const DestinationEntry* d = destination(index);
    if (!d)
        return std::nullopt;
    const std::string_view country = d->country.view();
    const std::string_view city = d->city.view();
    std::size_t n = country.copy(buffer, country.size());
    if (!city.empty()) {
        n += std::string_view(" - ").copy(buffer + n, 3);
        n += city.copy(buffer + n, city.size());
    }
    return std::string_view(buffer, n);
}
