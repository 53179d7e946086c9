#include "session/CarrierComparison.h"

#include <algorithm>

namespace {

bool hasNoCharge(const RateBlock& rate)
{
    if (rate.initialCharge != 0.0 || rate.minCost != 0.0)
        return false;
    for (const RatePeriod& p : rate.periods) {
        if ((p.flags & RatePeriod::kActive) && p.unitLength != 0)
            return false;
    }
    return true;
}

} // namespace

// The settings as if every trunk belonged to one carrier.
struct CarrierComparison::AsCarrier
{
    AsCarrier(const SettingsDatabase& source, const RatingOptions& options, int carrier)
    {
        settings.copyFrom(source);
        for (TrunkEntry& t : settings.trunks)
            t.carrier = carrier;
        // A number for the calls on trunks the list does not know.
        otherTrunk = 0xFFFFFFFFu;
        while (source.findTrunk(otherTrunk) >= 0)
            --otherTrunk;
        TrunkEntry other;
        other.number = otherTrunk;
        other.carrier = carrier;
        settings.trunks.push_back(other);
        settings.rebuildIndexes();
        rating = std::make_unique<CallRating>(settings, options);
    }

    SettingsDatabase settings;
    std::unique_ptr<CallRating> rating;
    std::uint32_t otherTrunk = 0;
};

CarrierComparison::CarrierComparison(const SettingsDatabase& settings, const RatingOptions& options)
{
    for (int c = 0; c < kCarrierCount; ++c)
        m_as[static_cast<std::size_t>(c)] = std::make_unique<AsCarrier>(settings, options, c);
}

CarrierComparison::~CarrierComparison() = default;

CallRecord CarrierComparison::rateAs(int carrier, const CallRecord& call) const
{
    const AsCarrier& as = *m_as[static_cast<std::size_t>(carrier)];
    // The call as read from its file: the dialled number without the dashes
    // classification put in (classification sets every rating field again).
    CallRecord raw = call;
    const auto end = std::remove(raw.dialedNumber.begin(), raw.dialedNumber.end(), '-');
    std::fill(end, raw.dialedNumber.end(), '\0');
    if (as.settings.findTrunk(raw.trunk) < 0)
        raw.trunk = as.otherTrunk;
    as.rating->classify(raw);
    raw.trunk = call.trunk;
    return raw;
}

bool CarrierComparison::couldPrice(int carrier, const CallRecord& rated) const
{
    const SettingsDatabase& s = m_as[static_cast<std::size_t>(carrier)]->settings;
    const CarrierBlock* block = s.carrierAt(rated.carrierIndex);
    if (rated.freeFlag || !block
        || (block->flags & (CarrierBlock::kUseSuppliedCost | CarrierBlock::kUseSuppliedPulses)))
        return true;
    if (rated.direction != 0)
        return true; // incoming calls without a charge are free by choice; others cost nothing by rule
    if (rated.localFlag)
        return !hasNoCharge(block->localRate);
    const int d = rated.destinationIndex;
    if (d < 0 || static_cast<std::size_t>(d) >= s.destinations.size())
        return false;
    return !hasNoCharge(
        s.destinations[static_cast<std::size_t>(d)].rates[static_cast<std::size_t>(rated.carrierIndex)]);
}

std::array<CarrierTotal, kCarrierCount> CarrierComparison::compare(std::span<const CallRecord> calls,
                                                                   std::span<const std::uint32_t> rows) const
{
    std::array<CarrierTotal, kCarrierCount> table;
    double actual = 0.0;
    for (const std::uint32_t i : rows)
        actual += calls[i].cost;
    for (int c = 0; c < kCarrierCount; ++c) {
        CarrierTotal& t = table[static_cast<std::size_t>(c)];
        t.carrier = c + 1;
        t.name = std::string(
            m_as[static_cast<std::size_t>(c)]->settings.carriers[static_cast<std::size_t>(c)].name.view());
        for (const std::uint32_t i : rows) {
            const CallRecord rated = rateAs(c, calls[i]);
            t.total += rated.cost;
            if (couldPrice(c, rated))
                ++t.priced;
            else
                ++t.unpriced;
        }
        t.difference = t.total - actual;
    }
    return table;
}
