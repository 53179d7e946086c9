#include "settings/SettingsDatabase.h"

#include "core/Locale.h"

#include <algorithm>
#include <tuple>

namespace {

// Position in `list` of each name, exact bytes first (the common case, no
// collation needed), the collation's binary search for the rest.
template <class Entry, class NameOf>
std::vector<int> positionsIn(const NameList& list, const std::vector<Entry>& entries, NameOf nameOf,
                             const Locale& locale)
{
    std::unordered_map<std::string_view, int> exact;
    exact.reserve(static_cast<std::size_t>(list.size()));
    for (int i = 0; i < list.size(); ++i)
        exact.emplace(list[i], i);
    std::vector<int> out;
    out.reserve(entries.size());
    for (const Entry& e : entries) {
        const std::string_view name = nameOf(e);
        const auto it = exact.find(name);
        out.push_back(it != exact.end() ? it->second : list.find(name, locale));
    }
    return out;
}

template <class Entry, class NameOf>
std::vector<std::string_view> namesOf(const std::vector<Entry>& entries, NameOf nameOf)
{
    std::vector<std::string_view> names;
    names.reserve(entries.size());
    for (const Entry& e : entries)
        names.push_back(nameOf(e));
    return names;
}

} // namespace

void SettingsDatabase::clear()
{
    header = SettingsHeader{};
    header.magic = 0;
    header.version = 0;
    carriers = {};
    destinations.clear();
    directory.clear();
    trunks.clear();
    contacts.clear();
    holidays.clear();
    exchangeRates.clear();
    for (auto& list : prefixes)
        list.clear();
    projects.clear();
    clearIndexes();
}

void SettingsDatabase::copyFrom(const SettingsDatabase& other)
{
    if (this != &other)
        *this = other;
    rebuildCurrencyFormats();
}

void SettingsDatabase::clearIndexes()
{
    m_extensions.clear();
    m_accountCodes.clear();
    m_trunkNumbers.clear();
    m_destinationCodes.clear();
    m_departments.clear();
    m_contactNames.clear();
    m_trunkGroups.clear();
    m_projectNames.clear();
    m_departmentOf.clear();
    m_contactNameOf.clear();
    m_trunkGroupOf.clear();
    m_projectNameOf.clear();
}

void SettingsDatabase::sortLists()
{
    const Locale& locale = Locale::current();
    std::stable_sort(directory.begin(), directory.end(), [&](const DirectoryEntry& a, const DirectoryEntry& b) {
        if (const int c = locale.compare(a.name.view(), b.name.view()); c != 0)
            return c < 0;
        if (const int c = locale.compare(a.department.view(), b.department.view()); c != 0)
            return c < 0;
        return a.extension < b.extension;
    });
    std::stable_sort(trunks.begin(), trunks.end(), [&](const TrunkEntry& a, const TrunkEntry& b) {
        if (const int c = locale.compare(a.group.view(), b.group.view()); c != 0)
            return c < 0;
        return a.number < b.number;
    });
    std::stable_sort(destinations.begin(), destinations.end(),
                     [&](const DestinationEntry& a, const DestinationEntry& b) {
                         if (const int c = locale.compare(a.country.view(), b.country.view()); c != 0)
                             return c < 0;
                         if (const int c = locale.compare(a.city.view(), b.city.view()); c != 0)
                             return c < 0;
                         return a.code.view() < b.code.view();
                     });
    std::stable_sort(holidays.begin(), holidays.end(), [](const HolidayEntry& a, const HolidayEntry& b) {
        return std::tie(a.year, a.month, a.day) < std::tie(b.year, b.month, b.day);
    });
    // Plain character order: a comparison in which "*" equals anything is not
    // an order, and sorting with it is undefined. Matching with "*" is the rating's job.
    std::stable_sort(contacts.begin(), contacts.end(),
                     [](const ContactEntry& a, const ContactEntry& b) { return a.number.view() < b.number.view(); });
    std::stable_sort(projects.begin(), projects.end(), [](const ProjectEntry& a, const ProjectEntry& b) {
        return a.accountCode.view() < b.accountCode.view();
    });
}

void SettingsDatabase::rebuildIndexes()
{
    const Locale& locale = Locale::current();
    sortLists();
    clearIndexes();

    const auto department = [](const DirectoryEntry& e) { return e.department.view(); };
    for (std::size_t i = 0; i < directory.size(); ++i) {
        const DirectoryEntry& e = directory[i];
        if (e.extension != -1)
            m_extensions[e.extension] = static_cast<int>(i);
        if (!e.accountCode.empty())
            m_accountCodes[e.accountCode.str()] = static_cast<int>(i);
    }
    m_departments.build(namesOf(directory, department), locale);
    m_departmentOf = positionsIn(m_departments, directory, department, locale);

    const auto group = [](const TrunkEntry& e) { return e.group.view(); };
    for (std::size_t i = 0; i < trunks.size(); ++i)
        m_trunkNumbers[trunks[i].number] = static_cast<int>(i);
    m_trunkGroups.build(namesOf(trunks, group), locale);
    m_trunkGroupOf = positionsIn(m_trunkGroups, trunks, group, locale);

    if (!contactsAreLarge()) {
        const auto name = [](const ContactEntry& e) { return e.name.view(); };
        m_contactNames.build(namesOf(contacts, name), locale);
        m_contactNameOf = positionsIn(m_contactNames, contacts, name, locale);
    }

    for (std::size_t i = 0; i < destinations.size(); ++i)
        m_destinationCodes[destinations[i].code.str()] = static_cast<int>(i);
    const auto project = [](const ProjectEntry& e) { return e.name.view(); };
    m_projectNames.build(namesOf(projects, project), locale);
    m_projectNameOf = positionsIn(m_projectNames, projects, project, locale);

    rebuildCurrencyFormats();
}

void SettingsDatabase::rebuildCurrencyFormats() { m_currency.rebuild(header, Locale::current().data()); }

int SettingsDatabase::findExtension(std::int32_t extension) const
{
    const auto it = m_extensions.find(extension);
    return it == m_extensions.end() ? -1 : checked(it->second, directory.size());
}

int SettingsDatabase::findAccountCode(std::string_view accountCode) const
{
    const auto it = m_accountCodes.find(accountCode);
    return it == m_accountCodes.end() ? -1 : checked(it->second, directory.size());
}

int SettingsDatabase::findTrunk(std::uint32_t number) const
{
    const auto it = m_trunkNumbers.find(number);
    return it == m_trunkNumbers.end() ? -1 : checked(it->second, trunks.size());
}

int SettingsDatabase::findDestination(std::string_view code) const
{
    const auto it = m_destinationCodes.find(code);
    return it == m_destinationCodes.end() ? -1 : checked(it->second, destinations.size());
}

int SettingsDatabase::findProject(std::string_view accountCode) const
{
    if (accountCode.empty())
        return -1;
    const auto it = std::lower_bound(projects.begin(), projects.end(), accountCode,
                                     [](const ProjectEntry& p, std::string_view code) {
                                         return p.accountCode.view() < code;
                                     });
    if (it == projects.end() || it->accountCode.view() != accountCode)
        return -1;
    return static_cast<int>(it - projects.begin());
}

int SettingsDatabase::contactIndexOfEntry(int contactPosition) const
{
    if (contactPosition < 0 || static_cast<std::size_t>(contactPosition) >= contacts.size())
        return -1;
    return contactsAreLarge() ? contactPosition : at(m_contactNameOf, contactPosition);
}

int SettingsDatabase::find(const NameList& list, std::string_view name) const
{
    return list.find(name, Locale::current());
}

std::string SettingsDatabase::destinationText(int index) const
{
    if (index < 0 || static_cast<std::size_t>(index) >= destinations.size())
        return {};
    const DestinationEntry& d = destinations[static_cast<std::size_t>(index)];
    if (d.city.empty())
        return d.country.str();
    return d.country.str() + " - " + d.city.str();
}
