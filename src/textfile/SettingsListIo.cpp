#include "textfile/SettingsListIo.h"

#include "core/LocaleTexts.h"
#include "lang/StringIds.h"
#include "lang/StringTable.h"
#include "prefs/CallColumns.h"
#include "prefs/Preferences.h"
#include "settings/SettingsDatabase.h"
#include "textfile/ListFieldText.h"
#include "textfile/TollRateColumns.h"
#include "textfile/WildcardKeyIndex.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <map>
#include <span>
#include <unordered_map>
#include <unordered_set>

namespace {

constexpr std::array<ListFileLayout, 8> kLayouts = {{
    {"ListUser", 5, sid::kDirectoryExt},
    {"ListTrunk", 3, sid::kTrunkNumber},
    {"ListContact", 2, sid::kContactPhoneNumber},
    {"ListProject", 2, sid::kProjectAccCode},
    {"ListPrefix", 4, sid::kPrefixPrefix},
    {"ListHoliday", 4, sid::kHolidayMonth},
    {"ListCurrency", 4, sid::kExchangeRateMonth},
    {"ListRateToll", tollrates::kColumnCount, 0},
}};

constexpr std::size_t kAccountCodeMax = 15;
constexpr std::size_t kNumberMax = 31;
constexpr std::size_t kCountInterval = 500;

template <class Map, class Key> int lookup(const Map& map, const Key& key)
{
    const auto it = map.find(key);
    return it == map.end() ? -1 : it->second;
}

// One import run: the options in force and the counters of the file.
class ImportRun
{
public:
    explicit ImportRun(TextTableFile& file)
        : m_file(file)
        , m_add(file.options().add)
        , m_update(file.options().update && !file.options().deleteAll) // the dialog disables Update then
    { }

    bool deleteAll() const { return m_file.options().deleteAll; }
    bool adds() const { return m_add; }
    bool active(int field) const { return m_file.isFieldActive(field); }

    // Reads every line into a fresh entry; `use` takes each complete line and
    // returns false to stop.
    template <class Entry, class SetField, class Use>
    void readEntries(const Entry& defaults, SetField&& setField, Use&& use)
    {
        TextTableFile::Field field;
        while (m_file.readLine()) {
            Entry entry = defaults;
            while (m_file.readField(field))
                setField(entry, field.number, field.text);
            if (m_file.lineComplete() && !use(entry))
                return;
        }
    }

    // A valid line: it updates the entry found (position, or -1) or is added.
    template <class Update, class Add> void take(int found, Update&& update, Add&& add)
    {
        TextTableFile::Counters& c = m_file.counters();
        ++c.processed;
        if (found >= 0) {
            if (m_update) {
                update(found);
                ++c.updated;
            }
        } else if (m_add) {
            add();
            ++c.added;
        }
    }

    // Copies the listed fields that the file holds.
    template <class Copy> void copyActive(std::initializer_list<int> fields, Copy&& copy) const
    {
        for (int field : fields) {
            if (active(field))
                copy(field);
        }
    }

    TextTableFile::Counters& counters() { return m_file.counters(); }

private:
    TextTableFile& m_file;
    bool m_add;
    bool m_update;
};

// Every entry in list order, or only the listed ones (indices past the end are passed over).
template <class Entry, class CellText>
void writeEntries(TextTableFile& file, const std::vector<Entry>& list, const std::span<const std::size_t>* only,
                  CellText&& cellText)
{
    std::string text;
    const std::size_t count = only ? only->size() : list.size();
    for (std::size_t i = 0; i < count; ++i) {
        const std::size_t index = only ? (*only)[i] : i;
        if (index >= list.size())
            continue;
        const Entry& entry = list[index];
        file.beginLine();
        for (int field = file.nextField(); field != TextTableFile::kEndOfLine; field = file.nextField()) {
            text.clear();
            cellText(entry, field, text);
            file.writeField(text, true);
        }
        file.endLine();
    }
}

void appendCode(std::string& out, std::string_view code)
{
    out += code;
    if (!code.empty())
        out += listtext::kNoBreakSpace;
}

std::string_view trimmed(std::string_view text)
{
    const auto blank = [](char c) { return c == ' ' || c == '\t'; };
    while (!text.empty() && blank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && blank(text.back()))
        text.remove_suffix(1);
    return text;
}

// The call-type names as the calls list shows them: the three built-in ones,
// then the four user-defined ones of the preferences.
std::array<std::string, 7> callTypeNames(const SettingsDatabase& db, const Preferences& prefs)
{
    const CallColumns columns(db, prefs);
    std::array<std::string, 7> names;
    for (std::size_t i = 0; i < names.size(); ++i)
        names[i] = std::string(columns.callTypeName(static_cast<std::int32_t>(i)));
    return names;
}

std::string_view carrierName(const SettingsDatabase& db, int index)
{
    const CarrierBlock* carrier = db.carrierAt(index);
    return carrier ? carrier->name.view() : std::string_view();
}

// ---- Directory: "Ext", "Acc code", "Employee", "Department", "Cost modifier" ----

void setDirectoryField(DirectoryEntry& e, int field, std::string_view text)
{
    switch (field) {
    case 0:
        text = trimmed(text);
        if (text.empty())
            e.extension = -1;
        else if (const auto value = listtext::readCount(text))
            e.extension = *value;
        break;
    case 1:
        e.accountCode.assign(listtext::leadingDigits(text, kAccountCodeMax));
        break;
    case 2:
        e.name.assign(text);
        break;
    case 3:
        e.department.assign(text);
        break;
    case 4:
        if (const auto value = listtext::readCount(text))
            e.costModifier = *value;
        break;
    default:
        break;
    }
}

void importDirectory(ImportRun& run, SettingsDatabase& db)
{
    auto& list = db.directory;
    std::unordered_map<std::int32_t, int> byExtension;
    std::unordered_map<std::string, int> byAccountCode;
    const auto index = [&](const DirectoryEntry& e, int position) {
        if (e.extension != -1)
            byExtension.try_emplace(e.extension, position);
        if (!e.accountCode.empty())
            byAccountCode.try_emplace(e.accountCode.str(), position);
    };
    for (std::size_t i = 0; i < list.size(); ++i)
        index(list[i], static_cast<int>(i));

    run.readEntries(DirectoryEntry{}, setDirectoryField, [&](const DirectoryEntry& e) {
        if (e.extension == -1 && e.accountCode.empty())
            return true;
        int found = e.extension != -1 ? lookup(byExtension, e.extension) : -1;
        if (found < 0 && !e.accountCode.empty())
            found = lookup(byAccountCode, e.accountCode.str());
        run.take(
            found,
            [&](int at) {
                DirectoryEntry& existing = list[static_cast<std::size_t>(at)];
                run.copyActive({2, 3, 4}, [&](int field) {
                    if (field == 2)
                        existing.name = e.name;
                    else if (field == 3)
                        existing.department = e.department;
                    else
                        existing.costModifier = e.costModifier;
                });
            },
            [&] {
                index(e, static_cast<int>(list.size()));
                list.push_back(e);
            });
        return true;
    });
}

void directoryCell(const DirectoryEntry& e, int field, const Preferences& prefs, std::string& out)
{
    switch (field) {
    case 0:
        out += prefs.formatExtension(e.extension);
        break;
    case 1:
        appendCode(out, e.accountCode.view());
        break;
    case 2:
        out += e.name.view();
        break;
    case 3:
        out += e.department.view();
        break;
    case 4:
        if (e.costModifier != 100) {
            listtext::appendInteger(out, e.costModifier);
            out += '%';
        }
        break;
    default:
        break;
    }
}

// ---- Trunks: "Trunk", "Trunk group", "Carrier" ----

void importTrunks(ImportRun& run, SettingsDatabase& db)
{
    auto& list = db.trunks;
    std::unordered_map<std::uint32_t, int> byNumber;
    for (std::size_t i = 0; i < list.size(); ++i)
        byNumber.try_emplace(list[i].number, static_cast<int>(i));

    const auto setField = [&](TrunkEntry& e, int field, std::string_view text) {
        switch (field) {
        case 0:
            if (const auto value = listtext::readCount(text))
                e.number = static_cast<std::uint32_t>(*value);
            break;
        case 1:
            e.group.assign(text);
            break;
        case 2:
            // The carrier's name exactly, letter case included; no match keeps carrier 0.
            for (int k = 0; k < kCarrierCount; ++k) {
                if (db.carriers[static_cast<std::size_t>(k)].name.view() == text) {
                    e.carrier = k;
                    break;
                }
            }
            break;
        default:
            break;
        }
    };
    run.readEntries(TrunkEntry{}, setField, [&](const TrunkEntry& e) {
        run.take(
            lookup(byNumber, e.number),
            [&](int at) {
                TrunkEntry& existing = list[static_cast<std::size_t>(at)];
                run.copyActive({1, 2}, [&](int field) {
                    if (field == 1)
                        existing.group = e.group;
                    else
                        existing.carrier = e.carrier;
                });
            },
            [&] {
                byNumber.try_emplace(e.number, static_cast<int>(list.size()));
                list.push_back(e);
            });
        return true;
    });
}

void trunkCell(const TrunkEntry& e, int field, const SettingsDatabase& db, const Preferences& prefs, std::string& out)
{
    switch (field) {
    case 0:
        out += prefs.formatTrunk(static_cast<int>(e.number));
        break;
    case 1:
        out += e.group.view();
        break;
    case 2:
        out += carrierName(db, e.carrier);
        break;
    default:
        break;
    }
}

// ---- Contacts: "Phone number", "Contact name" ----

// Matching against the existing contacts runs while the list is below 4000
// records; from then on lines are appended unmatched (after the question,
// asked once), and afterwards a large list is sorted by number and keeps only
// the first of each run of equal numbers.
bool importContacts(ImportRun& run, SettingsDatabase& db, const ListImportHooks& hooks)
{
    auto& list = db.contacts;
    const std::size_t matchLimit = SettingsDatabase::kLargeContactList;
    WildcardKeyIndex byNumber;
    if (list.size() < matchLimit) {
        for (std::size_t i = 0; i < list.size(); ++i)
            byNumber.add(list[i].number.view(), static_cast<int>(i));
    }
    bool asked = false;
    bool stopped = false;
    std::size_t lines = 0;

    const auto setField = [](ContactEntry& e, int field, std::string_view text) {
        if (field == 0)
            e.number.assign(listtext::leadingDigits(text, kNumberMax, true));
        else if (field == 1)
            e.name.assign(text);
    };
    run.readEntries(ContactEntry{}, setField, [&](const ContactEntry& e) {
        if (e.number.empty())
            return true;
        const bool matching = list.size() < matchLimit;
        if (!matching && run.adds() && !asked) {
            asked = true;
            if (hooks.confirmLargeContactList && !hooks.confirmLargeContactList()) {
                stopped = true;
                return false;
            }
        }
        run.take(
            matching ? byNumber.find(e.number.view()) : -1,
            [&](int at) {
                if (run.active(1))
                    list[static_cast<std::size_t>(at)].name = e.name;
            },
            [&] {
                if (matching)
                    byNumber.add(e.number.view(), static_cast<int>(list.size()));
                list.push_back(e);
            });
        if (++lines % kCountInterval == 0 && hooks.contactCount)
            hooks.contactCount(list.size());
        return true;
    });

    if (db.contactsAreLarge()) {
        std::stable_sort(list.begin(), list.end(), [](const ContactEntry& a, const ContactEntry& b) {
            return a.number.view() < b.number.view();
        });
        const auto end = std::unique(list.begin(), list.end(), [](const ContactEntry& a, const ContactEntry& b) {
            return a.number.view() == b.number.view();
        });
        list.erase(end, list.end());
    }
    return !stopped;
}

// ---- Projects: "Acc code", "Project" ----

void importProjects(ImportRun& run, SettingsDatabase& db)
{
    auto& list = db.projects;
    std::unordered_map<std::string, int> byCode;
    for (std::size_t i = 0; i < list.size(); ++i)
        byCode.try_emplace(list[i].accountCode.str(), static_cast<int>(i));

    const auto setField = [](ProjectEntry& e, int field, std::string_view text) {
        if (field == 0)
            e.accountCode.assign(listtext::leadingDigits(text, kAccountCodeMax));
        else if (field == 1)
            e.name.assign(text);
    };
    run.readEntries(ProjectEntry{}, setField, [&](const ProjectEntry& e) {
        if (e.accountCode.empty())
            return true;
        run.take(
            lookup(byCode, e.accountCode.str()),
            [&](int at) {
                if (run.active(1))
                    list[static_cast<std::size_t>(at)].name = e.name;
            },
            [&] {
                byCode.try_emplace(e.accountCode.str(), static_cast<int>(list.size()));
                list.push_back(e);
            });
        return true;
    });
}

// ---- Prefixes of a carrier: "Prefix", "International code", "Call type", "Carrier" ----

void importPrefixes(ImportRun& run, SettingsDatabase& db, const Preferences& prefs, int carrier)
{
    auto& list = db.prefixes[static_cast<std::size_t>(carrier)];
    const std::array<std::string, 7> typeNames = callTypeNames(db, prefs);
    WildcardKeyIndex byPrefix;
    for (std::size_t i = 0; i < list.size(); ++i)
        byPrefix.add(list[i].prefix.view(), static_cast<int>(i));

    const auto setField = [&](PrefixEntry& e, int field, std::string_view text) {
        switch (field) {
        case 0:
            e.prefix.assign(listtext::leadingDigits(text, kNumberMax, true));
            break;
        case 1:
            e.internationalCode.assign(listtext::leadingDigits(text, kNumberMax));
            break;
        case 2:
            for (std::size_t t = 0; t < typeNames.size(); ++t) {
                if (listtext::equalIgnoringCase(text, typeNames[t])) {
                    e.callType = static_cast<std::int32_t>(t);
                    break;
                }
            }
            break;
        case 3:
            if (text.empty())
                break;
            for (int k = 0; k < kCarrierCount; ++k) {
                const std::string_view name = db.carriers[static_cast<std::size_t>(k)].name.view();
                if (!name.empty() && listtext::equalIgnoringCase(text, name)) {
                    e.changeCarrierTo = k + 1;
                    break;
                }
            }
            break;
        default:
            break;
        }
    };
    PrefixEntry defaults;
    defaults.callType = 2; // "International"
    run.readEntries(defaults, setField, [&](const PrefixEntry& e) {
        run.take(
            byPrefix.find(e.prefix.view()),
            [&](int at) {
                PrefixEntry& existing = list[static_cast<std::size_t>(at)];
                run.copyActive({1, 2, 3}, [&](int field) {
                    if (field == 1)
                        existing.internationalCode = e.internationalCode;
                    else if (field == 2)
                        existing.callType = e.callType;
                    else
                        existing.changeCarrierTo = e.changeCarrierTo;
                });
            },
            [&] {
                byPrefix.add(e.prefix.view(), static_cast<int>(list.size()));
                list.push_back(e);
            });
        return true;
    });
}

void prefixCell(const PrefixEntry& e, int field, const SettingsDatabase& db,
                const std::array<std::string, 7>& typeNames, std::string& out)
{
    switch (field) {
    case 0:
        appendCode(out, e.prefix.view());
        break;
    case 1: {
        const bool userDefined = e.callType >= 3 && e.callType <= 6;
        if (e.callType != 0 && !(userDefined && (e.flags & PrefixEntry::kTreatAsLocal) != 0))
            out += e.internationalCode.view();
        break;
    }
    case 2:
        if (e.callType >= 0 && static_cast<std::size_t>(e.callType) < typeNames.size())
            out += typeNames[static_cast<std::size_t>(e.callType)];
        break;
    case 3:
        if (e.changeCarrierTo > 0)
            out += carrierName(db, e.changeCarrierTo - 1);
        break;
    default:
        break;
    }
}

// ---- Holidays: "Month", "Day", "Year", "Yearly" ----

struct DateLine
{
    int month = 0;
    int day = 0;
    int year = 0;
    bool yearly = false;
    double rate = 0.0;
};

std::uint32_t dateKey(int year, int month, int day)
{
    return (static_cast<std::uint32_t>(year) << 16) | (static_cast<std::uint32_t>(month) << 8)
           | static_cast<std::uint32_t>(day);
}

void setDateField(DateLine& line, int field, std::string_view text)
{
    int* const target = field == 0 ? &line.month : field == 1 ? &line.day : field == 2 ? &line.year : nullptr;
    if (target) {
        if (const auto value = listtext::readInteger(text))
            *target = *value;
    }
}

void importHolidays(ImportRun& run, SettingsDatabase& db)
{
    auto& list = db.holidays;
    std::unordered_set<std::uint32_t> known;
    for (const HolidayEntry& h : list)
        known.insert(dateKey(h.year, h.month, h.day));

    const auto setField = [](DateLine& line, int field, std::string_view text) {
        if (field == 3)
            line.yearly = text.find('1') != std::string_view::npos;
        else
            setDateField(line, field, text);
    };
    run.readEntries(DateLine{}, setField, [&](DateLine line) {
        if (line.yearly)
            line.year = 0;
        if (!isValidHoliday(line.year, line.month, line.day))
            return true;
        // Holidays have no other fields: an existing one is never updated.
        TextTableFile::Counters& c = run.counters();
        ++c.processed;
        if (run.adds() && known.insert(dateKey(line.year, line.month, line.day)).second) {
            HolidayEntry h;
            h.year = static_cast<std::uint16_t>(line.year);
            h.month = static_cast<std::uint8_t>(line.month);
            h.day = static_cast<std::uint8_t>(line.day);
            list.push_back(h);
            ++c.added;
        }
        return true;
    });
}

void holidayCell(const HolidayEntry& h, int field, std::string& out)
{
    switch (field) {
    case 0:
        listtext::appendInteger(out, h.month);
        break;
    case 1:
        listtext::appendInteger(out, h.day);
        break;
    case 2:
        listtext::appendInteger(out, h.year);
        break;
    case 3:
        out += h.year == 0 ? '1' : '0';
        break;
    default:
        break;
    }
}

// ---- Exchange-rate history: "Month", "Day", "Year", "Exch. Rate" ----

// Each valid line is inserted as Add inserts: it replaces the rate of an entry
// with the same date, or goes before the first entry with a later date. Done
// as one merge of the imported dates (the last line of a date wins, as it
// would replace the earlier ones) into the list in date order.
void importExchangeRates(ImportRun& run, SettingsDatabase& db)
{
    auto& list = db.exchangeRates;
    std::map<std::uint32_t, double> imported;
    const auto setField = [&](DateLine& line, int field, std::string_view text) {
        if (field == 3)
            line.rate = db.parseAmount(text);
        else
            setDateField(line, field, text);
    };
    run.readEntries(DateLine{}, setField, [&](const DateLine& line) {
        // A rate multiplies every amount in the other currency: only a positive finite number is one.
        if (!isValidRateDate(line.year, line.month, line.day) || !std::isfinite(line.rate) || !(line.rate > 0.0))
            return true;
        TextTableFile::Counters& c = run.counters();
        ++c.processed;
        if (run.adds()) {
            imported[dateKey(line.year, line.month, line.day)] = line.rate;
            ++c.added;
        }
        return true;
    });
    if (imported.empty())
        return;

    const auto keyOf = [](const ExchangeRateEntry& e) { return dateKey(e.year, e.month, e.day); };
    std::stable_sort(list.begin(), list.end(), [&](const auto& a, const auto& b) { return keyOf(a) < keyOf(b); });
    std::vector<ExchangeRateEntry> merged;
    merged.reserve(list.size() + imported.size());
    auto next = imported.begin();
    const auto insertNew = [&] {
        ExchangeRateEntry e;
        e.year = static_cast<std::uint16_t>(next->first >> 16);
        e.month = static_cast<std::uint8_t>(next->first >> 8);
        e.day = static_cast<std::uint8_t>(next->first);
        e.rate = next->second;
        merged.push_back(e);
        ++next;
    };
    for (ExchangeRateEntry e : list) {
        while (next != imported.end() && next->first < keyOf(e))
            insertNew();
        if (next != imported.end() && next->first == keyOf(e)) {
            e.rate = next->second;
            ++next;
        }
        merged.push_back(e);
    }
    while (next != imported.end())
        insertNew();
    list = std::move(merged);
}

void exchangeRateCell(const ExchangeRateEntry& e, int field, const SettingsDatabase& db, std::string& out)
{
    switch (field) {
    case 0:
        listtext::appendInteger(out, e.month);
        break;
    case 1:
        listtext::appendInteger(out, e.day);
        break;
    case 2:
        listtext::appendInteger(out, e.year);
        break;
    case 3:
        out += db.formatCurrency(e.rate, Currency::Main, true);
        break;
    default:
        break;
    }
}

// ---- Toll rates of a carrier: the destinations, 34 columns ----

void importTollRates(ImportRun& run, SettingsDatabase& db, int carrier)
{
    auto& list = db.destinations;
    std::unordered_map<std::string, int> byCode;
    for (std::size_t i = 0; i < list.size(); ++i)
        byCode.try_emplace(list[i].code.str(), static_cast<int>(i));
    const std::size_t slot = static_cast<std::size_t>(carrier);

    const auto setField = [&](DestinationEntry& d, int column, std::string_view text) {
        tollrates::setField(d, carrier, column, text, db);
    };
    run.readEntries(tollrates::newDestination(), setField, [&](DestinationEntry& d) {
        if (d.code.empty())
            return true;
        run.take(
            lookup(byCode, d.code.str()),
            [&](int at) {
                DestinationEntry& existing = list[static_cast<std::size_t>(at)];
                for (int column = tollrates::kCountry; column < tollrates::kColumnCount; ++column) {
                    if (run.active(column))
                        tollrates::copyField(existing, d, carrier, column);
                }
                tollrates::normalisePeriods(existing.rates[slot]);
            },
            [&] {
                tollrates::normalisePeriods(d.rates[slot]);
                byCode.try_emplace(d.code.str(), static_cast<int>(list.size()));
                list.push_back(d);
            });
        return true;
    });
}

bool validCarrier(const ListSelector& which) { return which.carrier >= 0 && which.carrier < kCarrierCount; }

} // namespace

const ListFileLayout& listFileLayout(SettingsList list) { return kLayouts[static_cast<std::size_t>(list)]; }

std::vector<std::string> listTitles(SettingsList list)
{
    const ListFileLayout& layout = listFileLayout(list);
    if (layout.firstTitleId == 0)
        return tollrates::titles();
    std::vector<std::string> titles;
    for (int i = 0; i < layout.fieldCount; ++i)
        titles.push_back(LoadText(layout.firstTitleId + i));
    return titles;
}

TextTableFile::OpenResult openListFile(TextTableFile& file, const IniProfile& ini, SettingsList list,
                                       const std::filesystem::path& path)
{
    const ListFileLayout& layout = listFileLayout(list);
    file.loadOptions(ini, layout.section, layout.fieldCount);
    file.setTitles(listTitles(list));
    return file.open(path);
}

bool openListWithOptions(TextTableFile& file, IniProfile& ini, SettingsList list, TextTableFrontEnd& frontEnd)
{
    const ListFileLayout& layout = listFileLayout(list);
    file.setTitles(listTitles(list));
    return file.openWithOptions(ini, layout.section, layout.fieldCount, 0, frontEnd);
}

bool importList(TextTableFile& file, SettingsDatabase& db, const Preferences& prefs, ListSelector which,
                const ListImportHooks& hooks)
{
    ImportRun run(file);
    const bool perCarrier = which.list == SettingsList::Prefixes || which.list == SettingsList::TollRates;
    if (perCarrier && !validCarrier(which))
        return true;
    if (run.deleteAll()) {
        switch (which.list) {
        case SettingsList::Directory:
            db.directory.clear();
            break;
        case SettingsList::Trunks:
            db.trunks.clear();
            break;
        case SettingsList::Contacts:
            db.contacts.clear();
            break;
        case SettingsList::Projects:
            db.projects.clear();
            break;
        case SettingsList::Prefixes:
            db.prefixes[static_cast<std::size_t>(which.carrier)].clear();
            break;
        case SettingsList::Holidays:
            db.holidays.clear();
            break;
        case SettingsList::ExchangeRates:
            db.exchangeRates.clear();
            break;
        case SettingsList::TollRates:
            db.destinations.clear();
            break;
        }
    }
    switch (which.list) {
    case SettingsList::Directory:
        importDirectory(run, db);
        break;
    case SettingsList::Trunks:
        importTrunks(run, db);
        break;
    case SettingsList::Contacts:
        return importContacts(run, db, hooks);
    case SettingsList::Projects:
        importProjects(run, db);
        break;
    case SettingsList::Prefixes:
        importPrefixes(run, db, prefs, which.carrier);
        break;
    case SettingsList::Holidays:
        importHolidays(run, db);
        break;
    case SettingsList::ExchangeRates:
        importExchangeRates(run, db);
        break;
    case SettingsList::TollRates:
        importTollRates(run, db, which.carrier);
        break;
    }
    return true;
}

namespace {

void exportEntries(TextTableFile& file, const SettingsDatabase& db, const Preferences& prefs, ListSelector which,
                   const std::span<const std::size_t>* only)
{
    const bool perCarrier = which.list == SettingsList::Prefixes || which.list == SettingsList::TollRates;
    if (perCarrier && !validCarrier(which))
        return;
    const int carrier = which.carrier;
    switch (which.list) {
    case SettingsList::Directory:
        writeEntries(file, db.directory, only,
                     [&](const auto& e, int f, std::string& out) { directoryCell(e, f, prefs, out); });
        break;
    case SettingsList::Trunks:
        writeEntries(file, db.trunks, only,
                     [&](const auto& e, int f, std::string& out) { trunkCell(e, f, db, prefs, out); });
        break;
    case SettingsList::Contacts:
        writeEntries(file, db.contacts, only, [](const ContactEntry& e, int f, std::string& out) {
            if (f == 0)
                appendCode(out, e.number.view());
            else if (f == 1)
                out += e.name.view();
        });
        break;
    case SettingsList::Projects:
        writeEntries(file, db.projects, only, [](const ProjectEntry& e, int f, std::string& out) {
            if (f == 0)
                appendCode(out, e.accountCode.view());
            else if (f == 1)
                out += e.name.view();
        });
        break;
    case SettingsList::Prefixes: {
        const std::array<std::string, 7> typeNames = callTypeNames(db, prefs);
        writeEntries(file, db.prefixes[static_cast<std::size_t>(carrier)], only,
                     [&](const auto& e, int f, std::string& out) { prefixCell(e, f, db, typeNames, out); });
        break;
    }
    case SettingsList::Holidays:
        writeEntries(file, db.holidays, only, [](const auto& h, int f, std::string& out) { holidayCell(h, f, out); });
        break;
    case SettingsList::ExchangeRates:
        writeEntries(file, db.exchangeRates, only,
                     [&](const auto& e, int f, std::string& out) { exchangeRateCell(e, f, db, out); });
        break;
    case SettingsList::TollRates:
        writeEntries(file, db.destinations, only,
                     [&](const auto& d, int f, std::string& out) { tollrates::cellText(d, carrier, f, db, out); });
        break;
    }
}

} // namespace

void exportList(TextTableFile& file, const SettingsDatabase& db, const Preferences& prefs, ListSelector which)
{
    exportEntries(file, db, prefs, which, nullptr);
}

void exportList(TextTableFile& file, const SettingsDatabase& db, const Preferences& prefs, ListSelector which,
                std::span<const std::size_t> entries)
{
    exportEntries(file, db, prefs, which, &entries);
}

bool isValidHoliday(int year, int month, int day)
{
    if (year != 0 && (year < 1900 || year > 2099))
        return false;
    // The Gregorian rule makes year 0 a leap year, as a yearly 29 February needs.
    return month >= 1 && month <= 12 && day >= 1 && day <= daysInMonth(year, month);
}

bool isValidRateDate(int year, int month, int day) { return year != 0 && isValidHoliday(year, month, day); }
