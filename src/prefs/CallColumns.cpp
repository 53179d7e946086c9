#include "prefs/CallColumns.h"

#include "calls/KeySort.h"
#include "core/Locale.h"
#include "core/LocaleTexts.h"
#include "lang/StringTable.h"
#include "prefs/Preferences.h"
#include "settings/CallNameLookup.h"
#include "settings/SettingsDatabase.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <numeric>

namespace {

constexpr std::array<ColumnSpec, kColumnTypeCount> kSpecs = {{
    {sid::kColumnDate, 64, true},          {sid::kColumnTime, 64, true},
    {sid::kColumnExt, 56, true},           {sid::kColumnDialedNumber, 160, false},
    {sid::kColumnDestination, 128, false}, {sid::kColumnDuration, 64, true},
    {sid::kColumnCost, 64, true},          {sid::kColumnEmployee, 80, false},
    {sid::kColumnDepartment, 80, false},   {sid::kColumnContact, 96, false},
    {sid::kColumnTrunk, 80, true},         {sid::kColumnTrunkGroup, 128, false},
    {sid::kColumnAcc, 80, true},           {sid::kColumnCd, 48, false},
    {sid::kColumnDirection, 96, false},    {sid::kColumnType, 96, false},
    {sid::kColumnCarrier, 96, false},      {sid::kColumnRingtime, 56, true},
    {sid::kColumnProject, 96, false},
}};
static_assert(sid::kColumnProject - sid::kColumnDate == kColumnTypeCount - 1);

constexpr ColumnSpec kNoColumn{0, 0, false};

// No key of these orders: a position in a list is never this small.
constexpr int kLocalKey = -2;
constexpr int kNoneKey = -1;

template <class T> int threeWay(T a, T b) { return a < b ? -1 : (b < a ? 1 : 0); }

int bytewise(std::string_view a, std::string_view b)
{
    const int c = a.compare(b); // char_traits<char>::compare orders as unsigned char
    return c < 0 ? -1 : (c > 0 ? 1 : 0);
}

template <class Vector> bool inside(const Vector& v, int index)
{
    return index >= 0 && static_cast<std::size_t>(index) < v.size();
}

// Whole hundredths, rounded as the currency text rounds: first to six
// decimals, then half away from zero. A NaN cost (only a damaged supplied cost
// gives one) sorts before every number.
double hundredths(double cost)
{
    if (std::isnan(cost))
        return -HUGE_VAL;
    return std::round(std::round(cost * 1e6) / 1e4);
}

template <class... Args> void appendFormatted(std::string& out, const char* format, Args... args)
{
    char text[48];
    const int n = std::snprintf(text, sizeof text, format, args...);
    if (n > 0)
        out.append(text, std::min(static_cast<std::size_t>(n), sizeof text - 1));
}

} // namespace

const ColumnSpec& columnSpec(ColumnType type)
{
    const int t = static_cast<int>(type);
    return isColumnType(t) ? kSpecs[static_cast<std::size_t>(t)] : kNoColumn;
}

std::string columnTitle(ColumnType type)
{
    const int id = columnSpec(type).titleId;
    return id != 0 ? LoadText(id) : std::string();
}

CallColumns::CallColumns(const SettingsDatabase& settings, const Preferences& prefs)
    : m_settings(settings)
    , m_prefs(prefs)
    , m_directions{LoadText(sid::kDirectionOutgoing), LoadText(sid::kDirectionIncoming)}
    , m_unknown(LoadText(sid::kDestinationUnknown))
{
    m_callTypes[0] = LoadText(sid::kCallTypeLocal);
    m_callTypes[1] = LoadText(sid::kCallTypeLongDistance);
    m_callTypes[2] = LoadText(sid::kCallTypeInternational);
    const std::string userDefined = LoadText(sid::kUserDefinedCallType);
    for (std::size_t n = 1; n <= prefs.userCallTypes.size(); ++n) {
        std::string& name = m_callTypes[2 + n];
        name = prefs.userCallTypes[n - 1];
        if (name.empty()) {
            name = userDefined;
            appendFormatted(name, " %d", static_cast<int>(n));
        }
    }
    rankEmployees();
    rankDestinations();
}

// ---- cell texts ----

std::string_view CallColumns::callTypeName(std::int32_t callType) const
{
    return callType >= 0 && callType < static_cast<std::int32_t>(m_callTypes.size())
               ? std::string_view(m_callTypes[static_cast<std::size_t>(callType)])
               : std::string_view();
}

std::string_view CallColumns::directionName(std::uint32_t direction) const
{
    return m_directions[direction == 0 ? 0 : 1];
}

int CallColumns::destinationStyle(std::int32_t callType) const
{
    switch (callType) {
    case 1:
        return m_prefs.destinationLongDistance;
    case 2:
        return m_prefs.destinationIntl;
    default:
        return m_prefs.destinationUser;
    }
}

int CallColumns::styleSlot(std::int32_t callType) const { return callType == 1 ? 0 : (callType == 2 ? 1 : 2); }

void CallColumns::appendDestination(int index, int style, std::string& out) const
{
    const DestinationEntry& d = m_settings.destinations[static_cast<std::size_t>(index)];
    if (d.city.empty() || style == Preferences::CountryOnly) {
        out.append(d.country.view());
    } else if (style == Preferences::CityOnly) {
        out.append(d.city.view());
    } else {
        out.append(d.country.view());
        out.append(" - ");
        out.append(d.city.view());
    }
}

void CallColumns::destinationText(const CallRecord& call, std::string& out) const
{
    out.clear();
    if (call.localFlag != 0)
        return;
    if (!inside(m_settings.destinations, call.destinationIndex)) {
        if (call.direction == 0)
            out.assign(m_unknown);
        return;
    }
    appendDestination(call.destinationIndex, destinationStyle(call.callType), out);
}

std::string CallColumns::cellText(const CallRecord& call, ColumnType type) const
{
    std::string out;
    cellText(call, type, out);
    return out;
}

void CallColumns::cellText(const CallRecord& call, ColumnType type, std::string& out) const
{
    out.clear();
    const SettingsDatabase& s = m_settings;
    const CallNameLookup names(s);
    switch (type) {
    case ColumnType::Date:
        out.append(formatCallDate(LocaleTexts::current().shortDateFormat, call.start));
        break;
    case ColumnType::Time:
        out.append(formatCallDate(LocaleTexts::current().timeFormat, call.start));
        break;
    case ColumnType::Ext:
        out.append(m_prefs.formatExtension(static_cast<std::int32_t>(call.extension)));
        break;
    case ColumnType::DialedNumber:
        out.append(call.number());
        break;
    case ColumnType::Destination:
        destinationText(call, out);
        break;
    case ColumnType::Duration:
        appendFormatted(out, "%u:%02u:%02u", call.duration / 3600, call.duration / 60 % 60, call.duration % 60);
        break;
    case ColumnType::Cost:
        out.append(s.formatCurrency(call.cost));
        break;
    case ColumnType::Employee:
        if (const DirectoryEntry* entry = names.employee(call.directoryIndex))
            out.append(entry->name.view());
        break;
    case ColumnType::Department:
        out.append(names.department(call.departmentIndex).value_or(""));
        break;
    case ColumnType::Contact:
        out.append(names.contactOrNameText(call.contactIndex, call.name()).value_or(""));
        break;
    case ColumnType::Trunk:
        out.append(m_prefs.formatTrunk(static_cast<std::int32_t>(call.trunk)));
        break;
    case ColumnType::TrunkGroup:
        out.append(names.trunkGroup(call.trunkIndex).value_or(""));
        break;
    case ColumnType::Acc:
        out.append(call.account());
        break;
    case ColumnType::Cd:
        out.append(call.cd());
        break;
    case ColumnType::Direction:
        out.append(directionName(call.direction));
        break;
    case ColumnType::Type:
        out.append(callTypeName(call.callType));
        break;
    case ColumnType::Carrier:
        if (const CarrierBlock* carrier = s.carrierAt(call.carrierIndex))
            out.append(carrier->name.view());
        break;
    case ColumnType::Ringtime:
        appendFormatted(out, "%u:%02u", call.ringTime / 60, call.ringTime % 60);
        break;
    case ColumnType::Project:
        out.append(names.project(call.projectIndex).value_or(""));
        break;
    }
}

// ---- ranks ----

// Directory positions in collation order of employee and department name;
// entries with the same two names share a rank.
void CallColumns::rankEmployees()
{
    const auto& directory = m_settings.directory;
    const Locale& locale = Locale::current();
    std::vector<int> order(directory.size());
    std::iota(order.begin(), order.end(), 0);
    auto cmp = [&](int a, int b) {
        const DirectoryEntry& x = directory[static_cast<std::size_t>(a)];
        const DirectoryEntry& y = directory[static_cast<std::size_t>(b)];
        if (const int c = locale.compare(x.name.view(), y.name.view()); c != 0)
            return c;
        return locale.compare(x.department.view(), y.department.view());
    };
    std::stable_sort(order.begin(), order.end(), [&](int a, int b) { return cmp(a, b) < 0; });
    m_employeeRank.assign(directory.size(), 0);
    int rank = 0;
    for (std::size_t i = 0; i < order.size(); ++i) {
        if (i > 0 && cmp(order[i - 1], order[i]) != 0)
            ++rank;
        m_employeeRank[static_cast<std::size_t>(order[i])] = rank;
    }
}

// For each style in use and each destination, the first list position whose
// text (in any style in use) is the same. In a sorted list equal texts of one
// style are neighbours, so this is the position order with equal texts merged.
void CallColumns::rankDestinations()
{
    const auto& destinations = m_settings.destinations;
    const std::array<int, 3> styles = {destinationStyle(1), destinationStyle(2), destinationStyle(0)};
    RankMap first;
    std::string text;
    for (auto& ranks : m_destinationRank)
        ranks.assign(destinations.size(), 0);
    for (std::size_t i = 0; i < destinations.size(); ++i) {
        for (std::size_t slot = 0; slot < styles.size(); ++slot) {
            text.clear();
            appendDestination(static_cast<int>(i), styles[slot], text);
            auto it = first.find(text);
            if (it == first.end())
                it = first.emplace(text, static_cast<int>(i)).first;
            m_destinationRank[slot][i] = it->second;
        }
    }
}

namespace {

bool nameKey(std::string_view name, std::uint64_t& low, std::uint64_t& high)
{
    if (name.size() > 16)
        return false;
    std::array<char, 16> bytes{};
    std::copy(name.begin(), name.end(), bytes.begin());
    std::memcpy(&low, bytes.data(), 8);
    std::memcpy(&high, bytes.data() + 8, 8);
    return true;
}

// Every bit of the key reaches the low bits that pick the slot.
std::uint64_t mix(std::uint64_t k)
{
    k ^= k >> 33;
    k *= 0xFF51AFD7ED558CCDu;
    k ^= k >> 33;
    k *= 0xC4CEB9FE1A85EC53u;
    return k ^ (k >> 33);
}

std::size_t nameHash(std::uint64_t low, std::uint64_t high) { return static_cast<std::size_t>(mix(low ^ mix(high))); }

} // namespace

const CallColumns::NameSlot* CallColumns::findName(std::string_view name) const
{
    std::uint64_t low, high;
    if (m_callNameRanks.empty() || !nameKey(name, low, high))
        return nullptr;
    const std::size_t mask = m_callNameRanks.size() - 1;
    for (std::size_t i = nameHash(low, high) & mask;; i = (i + 1) & mask) {
        const NameSlot& slot = m_callNameRanks[i];
        if (slot.rank < 0)
            return nullptr;
        if (slot.low == low && slot.high == high)
            return &slot;
    }
}

void CallColumns::rankCallNames(std::span<const CallRecord> calls)
{
    RankMap distinct;
    std::vector<std::string_view> names;
    for (const CallRecord& call : calls) {
        if (call.contactIndex < 0 && distinct.try_emplace(std::string(call.name()), 0).second)
            names.push_back(call.name());
    }
    const Locale& locale = Locale::current();
    std::sort(names.begin(), names.end(),
              [&](std::string_view a, std::string_view b) { return locale.compare(a, b) < 0; });

    std::size_t size = 16;
    while (size < 2 * names.size())
        size *= 2;
    m_callNameRanks.assign(size, NameSlot{});
    // The collation finds no two different texts equal, so every name has its own rank.
    for (std::size_t rank = 0; rank < names.size(); ++rank) {
        NameSlot slot;
        nameKey(names[rank], slot.low, slot.high); // a call's name is at most 10 bytes
        slot.rank = static_cast<std::int32_t>(rank);
        std::size_t i = nameHash(slot.low, slot.high) & (size - 1);
        while (m_callNameRanks[i].rank >= 0)
            i = (i + 1) & (size - 1);
        m_callNameRanks[i] = slot;
    }
}

// ---- comparison ----

int CallColumns::employeeRank(const CallRecord& call) const
{
    return inside(m_employeeRank, call.directoryIndex) ? m_employeeRank[static_cast<std::size_t>(call.directoryIndex)]
                                                       : kNoneKey;
}

int CallColumns::destinationKey(const CallRecord& call) const
{
    if (call.localFlag != 0)
        return kLocalKey;
    const auto& ranks = m_destinationRank[static_cast<std::size_t>(styleSlot(call.callType))];
    return inside(ranks, call.destinationIndex) ? ranks[static_cast<std::size_t>(call.destinationIndex)] : kNoneKey;
}

int CallColumns::compareNames(std::string_view a, std::string_view b) const
{
    if (a == b)
        return 0;
    const NameSlot* x = findName(a);
    const NameSlot* y = x ? findName(b) : nullptr;
    if (x && y)
        return threeWay(x->rank, y->rank);
    const int c = Locale::current().compare(a, b);
    return c < 0 ? -1 : (c > 0 ? 1 : 0);
}

int CallColumns::compare(const CallRecord& a, const CallRecord& b, ColumnType type) const
{
    switch (type) {
    case ColumnType::Date:
        return threeWay(a.start.dateOnly(), b.start.dateOnly());
    case ColumnType::Time:
        return threeWay(a.start.hour, b.start.hour);
    case ColumnType::Ext:
        return threeWay(static_cast<std::int32_t>(a.extension), static_cast<std::int32_t>(b.extension));
    case ColumnType::DialedNumber:
        return bytewise(a.number(), b.number());
    case ColumnType::Destination:
        return threeWay(destinationKey(a), destinationKey(b));
    case ColumnType::Duration:
        return threeWay(a.duration, b.duration);
    case ColumnType::Cost:
        return threeWay(hundredths(a.cost), hundredths(b.cost));
    case ColumnType::Employee:
        return threeWay(employeeRank(a), employeeRank(b));
    case ColumnType::Department:
        return threeWay(a.departmentIndex, b.departmentIndex);
    case ColumnType::Contact:
        if (a.contactIndex < 0 && b.contactIndex < 0)
            return compareNames(a.name(), b.name());
        return threeWay(std::max(a.contactIndex, -1), std::max(b.contactIndex, -1));
    case ColumnType::Trunk:
        return threeWay(static_cast<std::int32_t>(a.trunk), static_cast<std::int32_t>(b.trunk));
    case ColumnType::TrunkGroup:
        return threeWay(m_settings.trunkGroupIndexOfEntry(a.trunkIndex),
                        m_settings.trunkGroupIndexOfEntry(b.trunkIndex));
    case ColumnType::Acc:
        return bytewise(a.account(), b.account());
    case ColumnType::Cd:
        return bytewise(a.cd(), b.cd());
    case ColumnType::Direction:
        return threeWay(a.direction, b.direction);
    case ColumnType::Type:
        return threeWay(a.callType, b.callType);
    case ColumnType::Carrier:
        return threeWay(a.carrierIndex, b.carrierIndex);
    case ColumnType::Ringtime:
        return threeWay(a.ringTime, b.ringTime);
    case ColumnType::Project:
        return threeWay(a.projectIndex, b.projectIndex);
    }
    return 0;
}

int CallColumns::compare(const CallRecord& a, const CallRecord& b, const SortKeys& keys) const
{
    if (const int c = compare(a, b, keys.primary.type); c != 0)
        return keys.primary.descending ? -c : c;
    if (keys.secondary.type == keys.primary.type)
        return 0;
    const int c = compare(a, b, keys.secondary.type);
    return keys.secondary.descending ? -c : c;
}

CallSession::CallLess CallColumns::order(const SortKeys& keys) const
{
    return [this, keys](const CallRecord& a, const CallRecord& b) { return compare(a, b, keys) < 0; };
}

bool CallColumns::sameGroup(const CallRecord& a, const CallRecord& b, ColumnType type) const
{
    if (type == ColumnType::Duration)
        return a.duration / 60 == b.duration / 60;
    return compare(a, b, type) == 0;
}

// ---- sorting by keys ----

namespace {

// The text of a zero-terminated field (the scan is the hot part of sorting texts).
template <std::size_t N> std::string_view fieldText(const std::array<char, N>& field, std::size_t size = N)
{
    const void* end = std::memchr(field.data(), 0, size);
    return {field.data(), end ? static_cast<std::size_t>(static_cast<const char*>(end) - field.data()) : size};
}

// Signed numbers in their order as unsigned keys.
std::uint64_t signedKey(std::int64_t value) { return static_cast<std::uint64_t>(value) ^ (std::uint64_t{1} << 63); }

// Costs are read as the bits of their hundredths; then they become keys: whole
// numbers directly when all of them are modest, else the bits of the doubles
// turned to order as the numbers do.
std::uint64_t costBits(const CallRecord& call)
{
    return std::bit_cast<std::uint64_t>(hundredths(call.cost) + 0.0);
} // -0 is 0

void costKeysFromBits(std::vector<std::uint64_t>& keys)
{
    const bool whole = std::all_of(keys.begin(), keys.end(),
                                   [](std::uint64_t k) { return std::abs(std::bit_cast<double>(k)) < 0x1p62; });
    for (std::uint64_t& key : keys) {
        if (whole)
            key = signedKey(static_cast<std::int64_t>(std::bit_cast<double>(key)));
        else
            key = (key >> 63) != 0 ? ~key : key | (std::uint64_t{1} << 63);
    }
}

} // namespace

std::vector<std::uint64_t> CallColumns::contactKeys(std::span<const CallRecord> table,
                                                    std::span<const std::uint32_t> rows) const
{
    // Calls without contact by their names in collation order: the distinct names
    // are found by byte order first, so the collation sees each name once.
    auto nameOf = [&](std::size_t i) {
        const CallRecord& call = table[rows[i]];
        return call.contactIndex < 0 ? fieldText(call.nameText, CallRecord::kNameLength) : std::string_view();
    };
    std::vector<std::uint32_t> distinct;
    std::vector<std::uint64_t> keys = keysort::rankTexts(rows.size(), nameOf, keysort::TextPacking(), &distinct);
    const Locale& locale = Locale::current();
    std::vector<std::uint32_t> order(distinct.size());
    std::iota(order.begin(), order.end(), 0u);
    auto collate = [&](std::uint32_t a, std::uint32_t b) {
        return locale.compare(nameOf(distinct[a]), nameOf(distinct[b]));
    };
    std::sort(order.begin(), order.end(), [&](std::uint32_t a, std::uint32_t b) { return collate(a, b) < 0; });
    std::vector<std::uint64_t> collated(distinct.size());
    std::uint64_t rank = 0;
    for (std::size_t i = 0; i < order.size(); ++i) {
        if (i > 0 && collate(order[i - 1], order[i]) != 0)
            ++rank;
        collated[order[i]] = rank;
    }
    const std::uint64_t contacts = rank + 1; // every contact after every name
    for (std::size_t i = 0; i < rows.size(); ++i) {
        const std::int32_t contact = table[rows[i]].contactIndex;
        keys[i] = contact < 0 ? collated[keys[i]] : contacts + static_cast<std::uint64_t>(contact);
    }
    return keys;
}

CallColumns::KeyOf CallColumns::keyFunction(ColumnType type)
{
    switch (type) {
    case ColumnType::Date:
        return [](const CallColumns&, const CallRecord& c) {
            return std::uint64_t{c.start.year} << 16 | c.start.month << 8 | c.start.day;
        };
    case ColumnType::Time:
        return [](const CallColumns&, const CallRecord& c) { return std::uint64_t{c.start.hour}; };
    case ColumnType::Ext:
        return
            [](const CallColumns&, const CallRecord& c) { return signedKey(static_cast<std::int32_t>(c.extension)); };
    case ColumnType::Destination:
        return [](const CallColumns& self, const CallRecord& c) { return signedKey(self.destinationKey(c)); };
    case ColumnType::Duration:
        return [](const CallColumns&, const CallRecord& c) { return std::uint64_t{c.duration}; };
    case ColumnType::Cost:
        return [](const CallColumns&, const CallRecord& c) { return costBits(c); };
    case ColumnType::Employee:
        return [](const CallColumns& self, const CallRecord& c) { return signedKey(self.employeeRank(c)); };
    case ColumnType::Department:
        return [](const CallColumns&, const CallRecord& c) { return signedKey(c.departmentIndex); };
    case ColumnType::Trunk:
        return [](const CallColumns&, const CallRecord& c) { return signedKey(static_cast<std::int32_t>(c.trunk)); };
    case ColumnType::TrunkGroup:
        return [](const CallColumns& self, const CallRecord& c) {
            return signedKey(self.m_settings.trunkGroupIndexOfEntry(c.trunkIndex));
        };
    case ColumnType::Direction:
        return [](const CallColumns&, const CallRecord& c) { return std::uint64_t{c.direction}; };
    case ColumnType::Type:
        return [](const CallColumns&, const CallRecord& c) { return signedKey(c.callType); };
    case ColumnType::Carrier:
        return [](const CallColumns&, const CallRecord& c) { return signedKey(c.carrierIndex); };
    case ColumnType::Ringtime:
        return [](const CallColumns&, const CallRecord& c) { return std::uint64_t{c.ringTime}; };
    case ColumnType::Project:
        return [](const CallColumns&, const CallRecord& c) { return signedKey(c.projectIndex); };
    case ColumnType::DialedNumber:
    case ColumnType::Contact:
    case ColumnType::Acc:
    case ColumnType::Cd:
        break;
    }
    return nullptr;
}

std::vector<std::uint64_t> CallColumns::textKeys(std::span<const CallRecord> table, std::span<const std::uint32_t> rows,
                                                 ColumnType type) const
{
    // Numbers and account codes are digits and dashes, 16 to a key.
    static const keysort::TextPacking digits("-0123456789");
    static const keysort::TextPacking bytes;
    auto texts = [&](const keysort::TextPacking& expected, auto textOf) {
        return keysort::rankTexts(
            rows.size(), [&](std::size_t i) { return textOf(table[rows[i]]); }, expected);
    };
    switch (type) {
    case ColumnType::DialedNumber:
        return texts(digits, [](const CallRecord& c) { return fieldText(c.dialedNumber); });
    case ColumnType::Acc:
        return texts(digits, [](const CallRecord& c) { return fieldText(c.accountCode); });
    case ColumnType::Cd:
        return texts(bytes, [](const CallRecord& c) { return fieldText(c.cdCode, CallRecord::kCdLength); });
    case ColumnType::Contact:
        return contactKeys(table, rows);
    default:
        return std::vector<std::uint64_t>(rows.size(), 0);
    }
}

void CallColumns::sortRows(std::span<const CallRecord> table, std::span<std::uint32_t> rows, const SortKeys& keys) const
{
    // When most calls are rows, the keys are read from the calls in table order and
    // then picked for the rows: a pass in memory order costs far less than one in
    // display order.
    std::vector<std::uint32_t> every;
    std::span<const std::uint32_t> from = rows;
    if (!rows.empty() && rows.size() >= table.size() / 4) {
        every.resize(table.size());
        std::iota(every.begin(), every.end(), 0u);
        from = every;
    }
    const bool twoKeys = keys.secondary.type != keys.primary.type;
    const KeyOf first = keyFunction(keys.primary.type);
    const KeyOf second = twoKeys ? keyFunction(keys.secondary.type) : nullptr;
    std::vector<std::uint64_t> primary = first ? std::vector<std::uint64_t>(from.size())
                                               : textKeys(table, from, keys.primary.type);
    std::vector<std::uint64_t> secondary;
    if (twoKeys)
        secondary = second ? std::vector<std::uint64_t>(from.size()) : textKeys(table, from, keys.secondary.type);
    // Numeric keys of both columns in one pass over the calls.
    if (first && second) {
        for (std::size_t i = 0; i < from.size(); ++i) {
            const CallRecord& call = table[from[i]];
            primary[i] = first(*this, call);
            secondary[i] = second(*this, call);
        }
    } else if (first || second) {
        std::vector<std::uint64_t>& out = first ? primary : secondary;
        const KeyOf keyOf = first ? first : second;
        for (std::size_t i = 0; i < from.size(); ++i)
            out[i] = keyOf(*this, table[from[i]]);
    }
    auto finish = [&](std::vector<std::uint64_t>& k, const SortKey& key) {
        if (key.type == ColumnType::Cost)
            costKeysFromBits(k);
        if (key.descending) {
            for (std::uint64_t& v : k)
                v = ~v;
        }
        if (!every.empty()) {
            std::vector<std::uint64_t> picked(rows.size());
            for (std::size_t i = 0; i < rows.size(); ++i)
                picked[i] = k[rows[i]];
            k = std::move(picked);
        }
    };
    finish(primary, keys.primary);
    if (!twoKeys) {
        keysort::sortRows(rows, primary, nullptr);
        return;
    }
    finish(secondary, keys.secondary);
    keysort::sortRows(rows, primary, &secondary);
}

CallSession::RowSorter CallColumns::sorter(const SortKeys& keys) const
{
    return
        [this, keys](std::span<const CallRecord> table, std::span<std::uint32_t> rows) { sortRows(table, rows, keys); };
}
