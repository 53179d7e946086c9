#pragma once
// Carrier comparison: what the calls would have cost with each of the six
// carriers. Each call is classified and priced again as if its trunk belonged
// to carrier c (c's prefixes, rate blocks and options; everything else of the
// call and the settings as it is), by the same rating code as every call, over
// a copy of the settings whose trunks all point at c. A call whose trunk is not
// in the list goes through a trunk of c that is not in the list either.
//
// An outgoing call counts as unpriced when the carrier has no price for it: a
// toll call without a destination, or a rate block without any charge (no
// initial charge, no minimum cost, no active period with a unit length). Free
// calls, calls priced from supplied charges and all other directions count as
// priced (an incoming rate without charges makes incoming calls free).

#include "calls/CallRecord.h"
#include "rating/CallRating.h"
#include "settings/SettingsDatabase.h"

#include <array>
#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <vector>

struct CarrierTotal
{
    int carrier = 0;  // 1-6
    std::string name; // the carrier's name (Windows-1252)
    std::size_t priced = 0;
    std::size_t unpriced = 0;
    double total = 0.0;      // cost of every call with this carrier
    double difference = 0.0; // total minus the calls' actual total
};

class CarrierComparison
{
public:
    // `settings` (indexes rebuilt) is copied; it need not outlive the comparison.
    CarrierComparison(const SettingsDatabase& settings, const RatingOptions& options);
    ~CarrierComparison();
    CarrierComparison(const CarrierComparison&) = delete;
    CarrierComparison& operator=(const CarrierComparison&) = delete;

    // The call (as rated in the table) classified and priced with carrier 0-5.
    CallRecord rateAs(int carrier, const CallRecord& call) const;
    // Whether the carrier had a price for a call rated with it.
    bool couldPrice(int carrier, const CallRecord& rated) const;

    // The table of the calls at the table indices `rows`, carrier 1 first.
    std::array<CarrierTotal, kCarrierCount> compare(std::span<const CallRecord> calls,
                                                    std::span<const std::uint32_t> rows) const;

private:
    struct AsCarrier;
    std::array<std::unique_ptr<AsCarrier>, kCarrierCount> m_as;
};
