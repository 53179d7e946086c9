#include "session/CallChecks.h"

#include "rating/CallRating.h"
#include "rating/CivilTime.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <utility>

namespace {

constexpr std::array<std::string_view, kCheckRuleCount> kRuleNames = {
    "zero-cost",       "unknown-destination",   "unknown-extension", "unknown-trunk",
    "unknown-account", "supplied-cost-differs", "duplicates",        "invalid-date",
};

constexpr std::uint32_t kNoExtension = 4294967295u;

std::uint64_t mix(std::uint64_t h, std::uint64_t v)
{
    h ^= v + 0x9E3779B97F4A7C15ull + (h << 6) + (h >> 2);
    return h * 0xFF51AFD7ED558CCDull;
}

// What makes two calls copies of each other: start to the minute, extension,
// trunk, dialled number and duration.
bool sameCall(const CallRecord& a, const CallRecord& b)
{
    return a.start == b.start && a.extension == b.extension && a.trunk == b.trunk && a.duration == b.duration
           && a.number() == b.number();
}

std::uint64_t callKey(const CallRecord& c)
{
    std::uint64_t h = mix(0, (std::uint64_t{c.start.year} << 32) | (std::uint64_t{c.start.month} << 24)
                                 | (std::uint64_t{c.start.day} << 16) | (std::uint64_t{c.start.hour} << 8)
                                 | c.start.minute);
    h = mix(h, (std::uint64_t{c.extension} << 32) | c.trunk);
    h = mix(h, c.duration);
    for (const char ch : c.number())
        h = mix(h, static_cast<unsigned char>(ch));
    return h;
}

// The later copies among `rows`, in table order.
void findDuplicates(std::span<const CallRecord> calls, std::span<const std::uint32_t> rows,
                    std::vector<std::uint32_t>& out)
{
    std::vector<std::pair<std::uint64_t, std::uint32_t>> keyed;
    keyed.reserve(rows.size());
    for (const std::uint32_t i : rows)
        keyed.emplace_back(callKey(calls[i]), i);
    std::sort(keyed.begin(), keyed.end());
    for (std::size_t g = 0; g < keyed.size();) {
        std::size_t end = g + 1;
        while (end < keyed.size() && keyed[end].first == keyed[g].first)
            ++end;
        // Within one key (table order), a call is a copy when an earlier one equals it.
        for (std::size_t k = g + 1; k < end; ++k) {
            const CallRecord& c = calls[keyed[k].second];
            for (std::size_t e = g; e < k; ++e) {
                if (sameCall(calls[keyed[e].second], c)) {
                    out.push_back(keyed[k].second);
                    break;
                }
            }
        }
        g = end;
    }
}

} // namespace

std::string_view checkRuleName(CheckRule rule) { return kRuleNames[static_cast<std::size_t>(rule)]; }

std::optional<CheckRule> checkRuleFromName(std::string_view name)
{
    for (const CheckRule rule : allCheckRules()) {
        if (checkRuleName(rule) == name)
            return rule;
    }
    return std::nullopt;
}

bool CheckResults::anyAlarm() const
{
    for (const CheckRule rule : allCheckRules()) {
        if (rule != CheckRule::Duplicates && !(*this)[rule].empty())
            return true;
    }
    return false;
}

// A rating over a copy of the settings whose carriers all take the supplied
// charges the same way.
struct CallChecks::Pricing
{
    Pricing(const SettingsDatabase& source, std::uint32_t setFlags)
    {
        settings.copyFrom(source);
        for (CarrierBlock& c : settings.carriers)
            c.flags = (c.flags & ~(CarrierBlock::kUseSuppliedCost | CarrierBlock::kUseSuppliedPulses)) | setFlags;
        rating = std::make_unique<CallRating>(settings, RatingOptions{});
    }
    double cost(const CallRecord& call) const
    {
        CallRecord copy = call;
        rating->price(copy);
        return copy.cost;
    }

    SettingsDatabase settings;
    std::unique_ptr<CallRating> rating;
};

CallChecks::CallChecks(const SettingsDatabase& settings, double tolerance)
    : m_settings(settings)
    , m_tolerance(tolerance)
    , m_own(std::make_unique<Pricing>(settings, 0))
    , m_byCost(std::make_unique<Pricing>(settings, CarrierBlock::kUseSuppliedCost))
    , m_byPulses(std::make_unique<Pricing>(settings, CarrierBlock::kUseSuppliedPulses))
{ }

CallChecks::~CallChecks() = default;

bool CallChecks::isInvalidDate(const CallDate& start)
{
    const std::int64_t moment = civil::momentOf(start);
    const civil::Date d = civil::civilFromDays(civil::dayOf(moment));
    const std::int64_t time = civil::timeOfDay(moment);
    return d.year != start.year || d.month != start.month || d.day != start.day || time / 3600 != start.hour
           || (time / 60) % 60 != start.minute;
}

double CallChecks::ownRateCost(const CallRecord& call) const { return m_own->cost(call); }

double CallChecks::suppliedCharge(const CallRecord& call) const
{
    // The carrier's own choice decides; without one, the charge the call carries.
    const CarrierBlock* carrier = m_settings.carrierAt(call.carrierIndex);
    const std::uint32_t flags = carrier ? carrier->flags : 0;
    bool byCost = call.suppliedCost != 0.0;
    if (flags & CarrierBlock::kUseSuppliedCost)
        byCost = true;
    else if (flags & CarrierBlock::kUseSuppliedPulses)
        byCost = false;
    return (byCost ? m_byCost : m_byPulses)->cost(call);
}

CheckResults CallChecks::run(std::span<const CallRecord> calls, std::span<const std::uint32_t> rows) const
{
    CheckResults r;
    const auto note = [&r](CheckRule rule, std::uint32_t i) { r.found[static_cast<std::size_t>(rule)].push_back(i); };
    std::vector<std::uint32_t> ordered(rows.begin(), rows.end());
    if (!std::is_sorted(ordered.begin(), ordered.end()))
        std::sort(ordered.begin(), ordered.end());

    for (const std::uint32_t i : ordered) {
        const CallRecord& c = calls[i];
        if (c.direction == 0 && !c.localFlag) {
            if (c.destinationIndex < 0)
                note(CheckRule::UnknownDestination, i);
            else if (!c.freeFlag && c.duration > 0 && c.cost == 0.0)
                note(CheckRule::ZeroCost, i);
        }
        // Rating found the employee by account code or extension, and the trunk,
        // when it could; with account codes linked to projects it looked for
        // the extension only.
        const std::string_view account = c.account();
        const bool accountKnown = !account.empty() && (m_settings.findAccountCode(account) >= 0);
        if (c.directoryIndex < 0 && c.extension != kNoExtension && !accountKnown
            && m_settings.findExtension(static_cast<std::int32_t>(c.extension)) < 0)
            note(CheckRule::UnknownExtension, i);
        if (c.trunkIndex < 0)
            note(CheckRule::UnknownTrunk, i);
        if (!account.empty() && !accountKnown && m_settings.findProject(account) < 0)
            note(CheckRule::UnknownAccount, i);
        if ((c.suppliedCost != 0.0 || c.pulses != 0) && std::fabs(ownRateCost(c) - suppliedCharge(c)) > m_tolerance)
            note(CheckRule::SuppliedCostDiffers, i);
        if (isInvalidDate(c.start))
            note(CheckRule::InvalidDate, i);
    }
    auto& copies = r.found[static_cast<std::size_t>(CheckRule::Duplicates)];
    findDuplicates(calls, ordered, copies);
    std::sort(copies.begin(), copies.end());
    return r;
}
