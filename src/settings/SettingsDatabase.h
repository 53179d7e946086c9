#pragma once
// Everything classification and pricing need and the settings sheet edits.
//
// The stored part (header, six carriers, the lists) is public: the settings
// file reads and writes it record by record, and the editor changes it
// directly. Whoever changes it calls rebuildIndexes() before the next lookup;
// until then the lookups still never return a position outside the lists.

#include "settings/CarrierRecords.h"
#include "settings/CurrencyFormat.h"
#include "settings/ListRecords.h"
#include "settings/NameList.h"
#include "settings/SettingsHeader.h"

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

class SettingsDatabase
{
public:
    // Above this many contacts the contact list is "large": no contact-name
    // list is kept, and a call's contact index is its position in the contact list.
    static constexpr std::size_t kLargeContactList = 4000;

    SettingsHeader header;
    std::array<CarrierBlock, kCarrierCount> carriers{};
    std::vector<DestinationEntry> destinations;
    std::vector<DirectoryEntry> directory;
    std::vector<TrunkEntry> trunks;
    std::vector<ContactEntry> contacts;
    std::vector<HolidayEntry> holidays;
    std::vector<ExchangeRateEntry> exchangeRates;
    std::array<std::vector<PrefixEntry>, kCarrierCount> prefixes; // carrier 1 first
    std::vector<ProjectEntry> projects;

    // Zeroes the header and the carriers and empties every list and index.
    void clear();
    // Takes over everything of `other`, then rebuilds the currency formats.
    void copyFrom(const SettingsDatabase& other);

    // Sorts the lists and rebuilds the maps, the distinct-name lists and the
    // currency formats, in the locale in force (Locale::current()).
    //  - directory: employee name, department (collation), extension;
    //  - trunks: group (collation), number;
    //  - destinations: country, city (collation), code;
    //  - holidays: year, month, day (so the yearly ones, year 0, come first);
    //  - contacts: number in plain character order ("*" before the digits, a
    //    shorter number before a longer one it begins);
    //  - projects: account code in plain character order.
    // Sorts are stable. Where a map key occurs twice (an extension, an account
    // code, a trunk number, a destination code), the later entry of the sorted list wins.
    void rebuildIndexes();
    void rebuildCurrencyFormats();

    // Directory position of the entry with this extension / account code, or -1.
    // An extension of -1 and an empty account code are never found.
    int findExtension(std::int32_t extension) const;
    int findAccountCode(std::string_view accountCode) const;
    // Trunk position by trunk number, or -1.
    int findTrunk(std::uint32_t number) const;
    // Destination position by code, or -1.
    int findDestination(std::string_view code) const;
    // Position in the project list of the first project with this account code, or -1 (also for "").
    int findProject(std::string_view accountCode) const;

    // Positions in the distinct-name lists, or -1.
    int departmentIndex(std::string_view department) const { return find(m_departments, department); }
    int contactNameIndex(std::string_view name) const { return find(m_contactNames, name); }
    int trunkGroupIndex(std::string_view group) const { return find(m_trunkGroups, group); }
    int projectNameIndex(std::string_view name) const { return find(m_projectNames, name); }

    // The same, precomputed for one entry of a list (by its list position):
    // the department index of a directory entry, the project-name index of a
    // project, the trunk-group index of a trunk. -1 for a position outside the list.
    int departmentIndexOfEntry(int directoryIndex) const { return at(m_departmentOf, directoryIndex); }
    int projectNameIndexOfEntry(int projectIndex) const { return at(m_projectNameOf, projectIndex); }
    int trunkGroupIndexOfEntry(int trunkIndex) const { return at(m_trunkGroupOf, trunkIndex); }
    // The contact index of a call that matched contact `contactPosition`: that
    // position itself for a large list, else the position of its name in the
    // contact-name list. -1 for a position outside the list.
    int contactIndexOfEntry(int contactPosition) const;
    bool contactsAreLarge() const { return contacts.size() > kLargeContactList; }

    const NameList& departments() const { return m_departments; }
    const NameList& contactNames() const { return m_contactNames; }
    const NameList& trunkGroups() const { return m_trunkGroups; }
    const NameList& projectNames() const { return m_projectNames; }

    // "%s - %s" with country and city, or the country alone when the city is
    // empty; "" for a position outside the list.
    std::string destinationText(int index) const;

    const CurrencyFormats& currency() const { return m_currency; }
    std::string formatCurrency(double amount, Currency which = Currency::Main, bool plain = false) const
    {
        return m_currency.text(amount, which, plain);
    }
    double parseAmount(std::string_view typed, Currency which = Currency::Main) const
    {
        return m_currency.parse(typed, which);
    }
    // Rounds to the smallest unit of the main currency (see CurrencyFormats::round).
    double roundToCurrencyUnit(double amount) const { return m_currency.round(amount); }

    // The carrier block for an index from the data, or nullptr when it is not 0-5.
    const CarrierBlock* carrierAt(int index) const
    {
        return index >= 0 && index < kCarrierCount ? &carriers[static_cast<std::size_t>(index)] : nullptr;
    }

private:
    struct TextHash
    {
        using is_transparent = void;
        std::size_t operator()(std::string_view s) const { return std::hash<std::string_view>{}(s); }
    };
    using TextMap = std::unordered_map<std::string, int, TextHash, std::equal_to<>>;

    void sortLists();
    void clearIndexes();
    int find(const NameList& list, std::string_view name) const;
    static int at(const std::vector<int>& v, int i)
    {
        return i >= 0 && static_cast<std::size_t>(i) < v.size() ? v[static_cast<std::size_t>(i)] : -1;
    }
    static int checked(int index, std::size_t size)
    {
        return index >= 0 && static_cast<std::size_t>(index) < size ? index : -1;
    }

    std::unordered_map<std::int32_t, int> m_extensions;
    TextMap m_accountCodes;
    std::unordered_map<std::uint32_t, int> m_trunkNumbers;
    TextMap m_destinationCodes;

    NameList m_departments;
    NameList m_contactNames;
    NameList m_trunkGroups;
    NameList m_projectNames;
    std::vector<int> m_departmentOf;  // by directory position
    std::vector<int> m_contactNameOf; // by contact position (small lists only)
    std::vector<int> m_trunkGroupOf;  // by trunk position
    std::vector<int> m_projectNameOf; // by project position

    CurrencyFormats m_currency;
};
