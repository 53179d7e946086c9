#include "rating/CallRating.h"

#include "prefs/Preferences.h"
#include "rating/CivilTime.h"

#include <algorithm>
#include <numeric>
#include <string>

namespace {

std::uint64_t holidayKey(std::int64_t year, int month, int day)
{
    return (static_cast<std::uint64_t>(year) << 16) | (static_cast<std::uint64_t>(month & 0xFF) << 8)
           | static_cast<std::uint64_t>(day & 0xFF);
}

// Dates compare as year, then month, then day; fields of stored entries may be 0-255.
std::int64_t dateKey(std::int64_t year, int month, int day) { return year * 65536 + month * 256 + day; }

// Inserts "-" at `at` (the rest moves one place right) when the field has room
// for it and the terminator.
bool insertDash(CallRecord& call, std::size_t at)
{
    const std::size_t length = call.number().size();
    if (at > length || length + 2 > call.dialedNumber.size())
        return false;
    std::copy_backward(call.dialedNumber.begin() + static_cast<std::ptrdiff_t>(at),
                       call.dialedNumber.begin() + static_cast<std::ptrdiff_t>(length),
                       call.dialedNumber.begin() + static_cast<std::ptrdiff_t>(length + 1));
    call.dialedNumber[at] = '-';
    call.dialedNumber[length + 1] = '\0';
    return true;
}

} // namespace

RatingOptions RatingOptions::from(const Preferences& prefs)
{
    RatingOptions o;
    o.incomingLocal = prefs.incomingLocal;
    o.dashAfterLocalPrefix = prefs.dashAfterLocalPrefix;
    o.dashAfterTollPrefix = prefs.dashAfterTollPrefix;
    o.dashAfterCode = prefs.dashAfterCode;
    o.usaFormat = prefs.usaFormat;
    return o;
}

// What the prefix scan decided, and where the destination search starts.
struct CallRating::Route
{
    const PrefixEntry* prefix = nullptr;
    int digitsFrom = -1; // d: the position after the prefix (and its dash)
};

CallRating::CallRating(const SettingsDatabase& settings, const RatingOptions& options)
    : m_settings(settings)
    , m_options(options)
{
    rebuild();
}

void CallRating::rebuild()
{
    std::vector<std::pair<std::uint32_t, std::int32_t>> keys;
    for (const DirectoryEntry& e : m_settings.directory) {
        if (e.extension != -1)
            keys.emplace_back(static_cast<std::uint32_t>(e.extension), m_settings.findExtension(e.extension));
    }
    m_extensions.build(keys);
    keys.clear();
    for (const TrunkEntry& t : m_settings.trunks)
        keys.emplace_back(t.number, m_settings.findTrunk(t.number));
    m_trunks.build(keys);
    m_currencyDigits = m_settings.currency().format(Currency::Main).digits;

    for (std::size_t k = 0; k < m_prefixes.size(); ++k) {
        m_prefixes[k].clear();
        const auto& list = m_settings.prefixes[k];
        for (std::size_t i = 0; i < list.size(); ++i)
            m_prefixes[k].insert(list[i].prefix.view(), static_cast<std::int32_t>(i));
    }
    m_destinations.clear();
    for (std::size_t i = 0; i < m_settings.destinations.size(); ++i)
        m_destinations.insert(m_settings.destinations[i].code.view(), static_cast<std::int32_t>(i));

    std::vector<std::string_view> numbers;
    numbers.reserve(m_settings.contacts.size());
    for (const ContactEntry& c : m_settings.contacts)
        numbers.push_back(c.number.view());
    m_contacts.build(numbers);

    m_holidays.clear();
    for (const HolidayEntry& h : m_settings.holidays)
        m_holidays.insert(holidayKey(h.year, h.month, h.day));
    for (std::size_t d = 0; d < m_weeklyHolidays.size(); ++d)
        m_weeklyHolidays[d] = m_settings.header.weeklyHolidays[d] != 0;

    // The history is searched from its last entry back for the first one on or
    // before the date: the answer is the latest list position among the entries
    // up to that date, whatever order the list is in.
    const auto& history = m_settings.exchangeRates;
    std::vector<std::size_t> order(history.size());
    std::iota(order.begin(), order.end(), std::size_t{0});
    const auto keyOf = [&](std::size_t i) { return dateKey(history[i].year, history[i].month, history[i].day); };
    std::stable_sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) { return keyOf(a) < keyOf(b); });
    m_rateDates.clear();
    m_rateInForce.clear();
    std::size_t latest = 0;
    for (std::size_t n = 0; n < order.size(); ++n) {
        latest = n == 0 ? order[0] : std::max(latest, order[n]);
        m_rateDates.push_back(keyOf(order[n]));
        m_rateInForce.push_back(history[latest].rate);
    }
}

void CallRating::classify(CallRecord& call, RatingTrace* trace) const
{
    call.callType = 0;
    call.cost = 0.0;
    call.localFlag = 0;
    call.freeFlag = 0;
    if (trace)
        *trace = RatingTrace{};
    identify(call, trace);
    call.destinationIndex = -1;
    if (call.direction == 0 || (call.direction == 1 && !m_options.incomingLocal))
        route(call, trace);
    if (m_options.usaFormat) {
        if (trace) {
            const std::string before(call.number());
            applyUsaFormat(call);
            trace->usaFormat = call.number() != before;
        } else {
            applyUsaFormat(call);
        }
    }
    price(call, trace);
}

// Employee, project, department, trunk, carrier and contact.
void CallRating::identify(CallRecord& call, RatingTrace* trace) const
{
    const SettingsDatabase& db = m_settings;
    const std::string_view account = call.account();
    int byAccount = -1;
    if (db.header.linkAccountCodes) {
        const int project = db.findProject(account);
        call.projectIndex = db.projectNameIndexOfEntry(project);
        call.directoryIndex = m_extensions.find(call.extension);
        if (trace)
            trace->projectEntry = project;
    } else {
        call.projectIndex = -1;
        byAccount = account.empty() ? -1 : db.findAccountCode(account);
        call.directoryIndex = byAccount >= 0 ? byAccount : m_extensions.find(call.extension);
    }
    call.departmentIndex = db.departmentIndexOfEntry(call.directoryIndex);

    call.trunkIndex = m_trunks.find(call.trunk);
    call.carrierIndex = 0;
    if (call.trunkIndex >= 0) {
        // A carrier outside 1-6 in the file still identifies the trunk, but no
        // carrier block is indexed with it.
        const std::int32_t carrier = db.trunks[static_cast<std::size_t>(call.trunkIndex)].carrier;
        if (carrier >= 0 && carrier < kCarrierCount)
            call.carrierIndex = carrier;
    }

    const std::string_view number = call.number();
    const int contact = db.contacts.empty() || number.empty() ? -1 : findContact(number);
    call.contactIndex = contact < 0 ? -1 : db.contactIndexOfEntry(contact);

    if (trace) {
        trace->directoryEntry = call.directoryIndex;
        if (call.directoryIndex >= 0)
            trace->employeeBy = byAccount >= 0 ? RatingTrace::EmployeeBy::AccountCode
                                               : RatingTrace::EmployeeBy::Extension;
        trace->trunkEntry = call.trunkIndex;
        trace->trunkCarrier = call.trunkIndex >= 0 ? db.trunks[static_cast<std::size_t>(call.trunkIndex)].carrier : 0;
        trace->contactEntry = contact;
    }
}

int CallRating::findPrefix(int carrier, std::string_view number) const
{
    if (carrier < 0 || carrier >= kCarrierCount)
        return -1;
    return m_prefixes[static_cast<std::size_t>(carrier)].longestPrefix(number);
}

// Call type, carrier, local and free flags, destination and the dashes.
void CallRating::route(CallRecord& call, RatingTrace* trace) const
{
    call.localFlag = 1;
    Route r;
    const int found = findPrefix(call.carrierIndex, call.number());
    if (trace) {
        trace->routed = true;
        trace->prefixCarrier = call.carrierIndex;
        trace->prefixEntry = found;
    }
    if (found >= 0) {
        const PrefixEntry& p =
            m_settings.prefixes[static_cast<std::size_t>(call.carrierIndex)][static_cast<std::size_t>(found)];
        r.prefix = &p;
        r.digitsFrom = static_cast<int>(p.prefix.view().size());
        call.callType = p.callType;
        // "Change carrier to" holds carrier 1-6; anything else keeps the carrier.
        if (p.changeCarrierTo > 0 && p.changeCarrierTo <= kCarrierCount) {
            call.carrierIndex = p.changeCarrierTo - 1;
            if (trace)
                trace->carrierChangedTo = call.carrierIndex;
        }
        const bool local = p.callType == 0 || (p.callType >= 3 && (p.flags & PrefixEntry::kTreatAsLocal));
        call.localFlag = local ? 1 : 0;
        call.freeFlag = (p.flags & PrefixEntry::kFreeCalls) ? 1 : 0;
    }

    const int d = r.digitsFrom;
    const int length = static_cast<int>(call.number().size());
    const bool dash = call.localFlag ? m_options.dashAfterLocalPrefix : m_options.dashAfterTollPrefix;
    if (d > 0 && d < length - 1 && dash && insertDash(call, static_cast<std::size_t>(d))) {
        r.digitsFrom = d + 1;
        if (trace)
            trace->dashAfterPrefix = true;
    }

    if (call.localFlag == 0)
        findDestination(call, r, trace);
}

// The search key starts as the prefix's international code and grows by one
// digit of the number at a time; the last digit never becomes part of it, and
// the longest code found wins. A trie walk does what looking up each key would.
void CallRating::findDestination(CallRecord& call, const Route& r, RatingTrace* trace) const
{
    const std::string_view number = call.number();
    const int length = static_cast<int>(number.size());
    const std::string_view start = r.prefix->internationalCode.view();
    std::int32_t node = m_destinations.walk(CodeTrie::root(), start);
    int found = -1;
    int i = r.digitsFrom;
    for (; i <= length && node != CodeTrie::kNone; ++i) {
        if (const std::int32_t at = m_destinations.value(node); at != CodeTrie::kNone) {
            call.destinationIndex = at;
            found = i;
        }
        if (i < length - 1)
            node = m_destinations.child(node, number[static_cast<std::size_t>(i)]);
    }
    const bool dash = m_options.dashAfterCode && found >= 0 && found - r.digitsFrom > 0 && found < length
                      && insertDash(call, static_cast<std::size_t>(found));
    if (trace) {
        trace->destinationSearched = true;
        trace->searchStart = std::string(start);
        // Step i looked up the code plus the digits from d up to i (never the last
        // one); the walk ends where no code begins with the key any more.
        const int last = std::min(i - 1, length - 1);
        trace->keyLength = static_cast<int>(start.size()) + std::max(last - r.digitsFrom, 0);
        trace->destinationEntry = call.destinationIndex;
        trace->codeLength = found >= 0 ? found - r.digitsFrom : 0;
        trace->dashAfterCode = dash;
    }
}

// 1-AAA-rest from the number's characters other than dashes, when it has at
// least 11 characters and begins with 1. A number too long for that form in 29
// characters keeps its classified form: cutting it would lose digits.
void CallRating::applyUsaFormat(CallRecord& call) const
{
    const std::string_view number = call.number();
    if (number.size() < 11 || number[0] != '1')
        return;
    std::string digits;
    for (const char c : number) {
        if (c != '-')
            digits += c;
    }
    if (digits.size() < 4 || digits.size() + 2 > kUsaFormatMax)
        return;
    const std::string text = digits.substr(0, 1) + '-' + digits.substr(1, 3) + '-' + digits.substr(4);
    fixedtext::store(call.dialedNumber, text);
}

double CallRating::exchangeRateAt(const CallDate& date) const
{
    const civil::Date day = civil::civilFromDays(civil::dayOf(civil::momentOf(date)));
    return exchangeRateOn(day.year, day.month, day.day);
}

double CallRating::exchangeRateOn(std::int64_t year, int month, int day) const
{
    if (m_settings.header.useRateHistory && !m_rateDates.empty()) {
        const auto it = std::upper_bound(m_rateDates.begin(), m_rateDates.end(), dateKey(year, month, day));
        if (it != m_rateDates.begin())
            return m_rateInForce[static_cast<std::size_t>(it - m_rateDates.begin()) - 1];
    }
    return m_settings.header.exchangeRate;
}

bool CallRating::isHoliday(std::int64_t moment) const { return isHolidayDate(civil::dayOf(moment)); }

bool CallRating::isHolidayDate(std::int64_t days) const
{
    if (m_weeklyHolidays[static_cast<std::size_t>(civil::weekday(days))])
        return true;
    if (m_holidays.empty())
        return false;
    const civil::Date d = civil::civilFromDays(days);
    if (d.year >= 0 && d.year <= 0xFFFF && m_holidays.count(holidayKey(d.year, d.month, d.day)))
        return true;
    return m_holidays.count(holidayKey(0, d.month, d.day)) != 0;
}
