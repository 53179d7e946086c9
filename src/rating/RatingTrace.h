#pragma once
// What CallRating decided for one call, step by step: filled by classify and
// price when they are handed a trace, so the explanation of a price is always
// the computation that made it. List positions are -1 when nothing was found.

#include <cstdint>
#include <string>
#include <vector>

// One stretch of the call's walk through the time-of-day periods.
struct RatingSlice
{
    std::int64_t from = 0; // civil seconds (rating/CivilTime.h)
    std::int64_t to = 0;
    bool holiday = false;  // the kind of day at `from`
    int period = 0;        // 1-4; 0: no period applies, the time is not charged
    double rate = 0.0;     // per unit, in the rate block's currency
    std::int32_t unit = 0; // unit length in seconds; 0 charges nothing
    std::int64_t seconds = 0;
    double amount = 0.0; // seconds x rate (converted) / unit, as added to the cost
};

struct RatingTrace
{
    // --- Classification ---
    enum class EmployeeBy { None, AccountCode, Extension };
    EmployeeBy employeeBy = EmployeeBy::None;
    int directoryEntry = -1;
    int projectEntry = -1; // position in the project list (account codes linked to projects)
    int trunkEntry = -1;
    int trunkCarrier = 0;  // the trunk's carrier as stored, also when it is outside 1-6
    int contactEntry = -1; // position of the matching pattern in the contact list

    bool routed = false;   // the prefix and destination steps ran
    int prefixCarrier = 0; // the carrier whose prefix list was searched
    int prefixEntry = -1;
    int carrierChangedTo = -1;
    bool dashAfterPrefix = false;
    bool destinationSearched = false;
    std::string searchStart; // the prefix's international code the key starts with
    int keyLength = 0;       // the longest key that starts any destination code
    int destinationEntry = -1;
    int codeLength = 0; // digits of the number that are part of the code found
    bool dashAfterCode = false;
    bool usaFormat = false;

    // --- Price ---
    enum class Source { Free, NoCarrier, SuppliedCost, SuppliedPulses, NoDestination, OwnRate };
    enum class Block { None, Incoming, Local, Destination };
    Source source = Source::Free;
    Block block = Block::None;
    int carrier = 0; // the carrier whose block priced the call

    double supplied = 0.0; // supplied cost, or pulses x pulse value, before conversion
    double exchangeRate = 0.0;
    bool converted = false; // amounts taken from the alternative currency

    std::int64_t duration = 0;
    std::int32_t grace = 0;
    std::int64_t afterGrace = 0;
    std::int32_t minDuration = 0;
    bool belowMinDuration = false;
    double initialCharge = 0.0; // converted
    std::int32_t initialUnit = 0;
    std::int32_t roundTo = 0;
    bool discardRemainder = false;
    std::int64_t billable = 0; // after the initial unit, rounding and the raise to it
    bool raisedToInitialUnit = false;
    bool startRateForWholeCall = false;
    std::vector<RatingSlice> slices;
    std::int64_t notCharged = 0; // seconds left when no period applied for the rest of the call
    double periodsCost = 0.0;    // initial charge plus the slices
    double minCost = 0.0;        // converted
    bool minCostApplied = false;

    double beforeModifiers = 0.0;
    std::int32_t carrierModifier = 100;
    double afterCarrier = 0.0;
    std::int32_t employeeModifier = 100;
    double beforeRounding = 0.0;
    bool rounded = false;
    int currencyDigits = 2;
    double cost = 0.0;
};
