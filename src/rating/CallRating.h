#pragma once
// Classification and cost of calls: who made a call, what kind of call it is
// and where it went (classify), and what it costs in the main currency (price).
//
// A CallRating reads a SettingsDatabase whose indexes were rebuilt and prepares
// its own look-up structures from it (prefixes per carrier, destination codes,
// contact patterns, holidays, the exchange-rate history), so rating a call never
// scans a list. The database must outlive the rating and must not change under
// it: after a change, rebuildIndexes() the database and then rebuild() here.

#include "calls/CallRecord.h"
#include "rating/CodeTrie.h"
#include "rating/FlatIntMap.h"
#include "rating/PatternIndex.h"
#include "rating/RatingTrace.h"
#include "settings/SettingsDatabase.h"

#include <array>
#include <cstdint>
#include <string_view>
#include <unordered_set>
#include <vector>

struct Preferences;

// The five preference values classification applies ("Prefs" section).
struct RatingOptions
{
    bool incomingLocal = true;         // "IncomingLocal": incoming calls are not classified by prefix
    bool dashAfterLocalPrefix = false; // "Local"
    bool dashAfterTollPrefix = true;   // "Toll"
    bool dashAfterCode = true;         // "Code": after the country/city code
    bool usaFormat = false;            // "USA"

    static RatingOptions from(const Preferences& prefs);
};

class CallRating
{
public:
    // The longest text a dialled number may have in USA format, 1-AAA-rest.
    static constexpr std::size_t kUsaFormatMax = 29;

    CallRating(const SettingsDatabase& settings, const RatingOptions& options);
    CallRating(const CallRating&) = delete;
    CallRating& operator=(const CallRating&) = delete;

    // Prepares the look-up structures again from the database as it is now.
    void rebuild();
    void setOptions(const RatingOptions& options) { m_options = options; }
    const RatingOptions& options() const { return m_options; }
    const SettingsDatabase& settings() const { return m_settings; }

    // Classifies a call as read from its file record (no dashes yet) and prices
    // it: employee, department, project, trunk, carrier, contact, call type,
    // destination, local and free flags, dashes or USA format in the dialled number.
    // With a trace, also notes every decision there (see RatingTrace.h); the
    // call comes out the same either way.
    void classify(CallRecord& call, RatingTrace* trace = nullptr) const;
    // Sets the cost of a classified call.
    void price(CallRecord& call, RatingTrace* trace = nullptr) const;

    // The exchange rate in force on the day of a call start.
    double exchangeRateAt(const CallDate& date) const;
    // Whether the day of a moment (civil seconds, see CivilTime.h) is a holiday:
    // a dated holiday, a yearly one, or a weekly holiday.
    bool isHoliday(std::int64_t moment) const;

    // The look-ups behind classify, by list position (-1 none).
    // The prefix of the carrier's list that decides the number.
    int findPrefix(int carrier, std::string_view number) const;
    // The contact that matches the number: fewest "*", then first in the list.
    int findContact(std::string_view number) const { return m_contacts.find(number); }

private:
    struct Route;
    class Walk;

    void identify(CallRecord& call, RatingTrace* trace) const;
    void route(CallRecord& call, RatingTrace* trace) const;
    void findDestination(CallRecord& call, const Route& r, RatingTrace* trace) const;
    void applyUsaFormat(CallRecord& call) const;

    double ownRateCost(const CallRecord& call, const RateBlock& rate, std::int32_t grace, std::uint32_t carrierFlags,
                       Walk& walk, RatingTrace* trace) const;
    double finish(const CallRecord& call, const CarrierBlock& carrier, double cost, RatingTrace* trace) const;
    double exchangeRateOn(std::int64_t year, int month, int day) const;
    bool isHolidayDate(std::int64_t days) const;

    const SettingsDatabase& m_settings;
    RatingOptions m_options;

    // The database's own answers for every extension and trunk number, flat.
    FlatIntMap m_extensions;
    FlatIntMap m_trunks;
    int m_currencyDigits = 2;

    std::array<CodeTrie, kCarrierCount> m_prefixes;          // per carrier, wildcard prefixes, first wins
    CodeTrie m_destinations{CodeTrie::Duplicates::KeepLast}; // exact codes, as the database's map
    PatternIndex m_contacts;
    std::unordered_set<std::uint64_t> m_holidays; // year, month, day packed; year 0 = every year
    std::array<bool, 7> m_weeklyHolidays{};
    // The exchange-rate history ordered by date, with the latest list position in
    // force up to each entry (the history is searched from its end).
    std::vector<std::int64_t> m_rateDates;
    std::vector<double> m_rateInForce;
};
