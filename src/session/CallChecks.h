#pragma once
// Call checks: named rules that find calls the settings priced wrongly or not
// at all, or that look wrong themselves. Each rule is defined exactly, so that
// scripts (quantorix-cli check) can rely on its count:
//  - zero-cost: outgoing, not free, not local, a destination found, duration
//    above 0, cost 0;
//  - unknown-destination: outgoing, not local, no destination found;
//  - unknown-extension: an extension other than 4294967295 with no directory
//    entry, neither by account code nor by extension;
//  - unknown-trunk: the trunk number is not in the trunk list;
//  - unknown-account: a non-empty account code found neither in the directory
//    nor in the projects;
//  - supplied-cost-differs: the call carries a supplied cost or pulses, and the
//    price from our own rates differs from the supplied charge (priced as the
//    carrier's "Use supplied ..." options price it) by more than the tolerance;
//  - duplicates: equal to an earlier checked call of the table in start (to the
//    minute), extension, trunk, dialled number and duration; each later copy
//    counts once;
//  - invalid-date: a start outside the calendar that pricing carried over.

#include "calls/CallRecord.h"
#include "settings/SettingsDatabase.h"

#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <string_view>
#include <vector>

class CallRating;

enum class CheckRule : int {
    ZeroCost,
    UnknownDestination,
    UnknownExtension,
    UnknownTrunk,
    UnknownAccount,
    SuppliedCostDiffers,
    Duplicates,
    InvalidDate,
};
inline constexpr int kCheckRuleCount = 8;

// The rule's name on the command line ("zero-cost", ...).
std::string_view checkRuleName(CheckRule rule);
std::optional<CheckRule> checkRuleFromName(std::string_view name);
inline constexpr std::array<CheckRule, kCheckRuleCount> allCheckRules()
{
    return {CheckRule::ZeroCost,     CheckRule::UnknownDestination, CheckRule::UnknownExtension,
            CheckRule::UnknownTrunk, CheckRule::UnknownAccount,     CheckRule::SuppliedCostDiffers,
            CheckRule::Duplicates,   CheckRule::InvalidDate};
}

struct CheckResults
{
    // Per rule, the table indices of the calls it found, ascending.
    std::array<std::vector<std::uint32_t>, kCheckRuleCount> found;

    const std::vector<std::uint32_t>& operator[](CheckRule rule) const { return found[static_cast<std::size_t>(rule)]; }
    // Whether a rule other than duplicates found calls (a reason to tell the administrator).
    bool anyAlarm() const;
};

class CallChecks
{
public:
    static constexpr double kDefaultTolerance = 0.01;

    // `settings` (indexes rebuilt) must outlive the checks; the rating copies
    // its carriers for the supplied-cost rule.
    explicit CallChecks(const SettingsDatabase& settings, double tolerance = kDefaultTolerance);
    ~CallChecks();
    CallChecks(const CallChecks&) = delete;
    CallChecks& operator=(const CallChecks&) = delete;

    // Checks the rated calls of the table `calls` at the table indices `rows`
    // (any order, each at most once: the loaded or the visible calls).
    CheckResults run(std::span<const CallRecord> calls, std::span<const std::uint32_t> rows) const;

    // Whether a start is outside the calendar (pricing carries it over).
    static bool isInvalidDate(const CallDate& start);
    // The call's cost from our own rates, and its supplied charge priced as the
    // supplied-charge options price it.
    double ownRateCost(const CallRecord& call) const;
    double suppliedCharge(const CallRecord& call) const;

private:
    struct Pricing;

    const SettingsDatabase& m_settings;
    double m_tolerance;
    std::unique_ptr<Pricing> m_own;      // no carrier uses supplied charges
    std::unique_ptr<Pricing> m_byCost;   // every carrier uses the supplied cost
    std::unique_ptr<Pricing> m_byPulses; // every carrier uses the metering pulses
};
