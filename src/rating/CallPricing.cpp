// The cost of a classified call: supplied charges or the system's own rates,
// then the carrier's and the employee's modifiers and the rounding to the
// smallest currency unit. The operations run in their documented order, in
// double precision, so that every workstation bills a call to the same cent.

#include "rating/CallRating.h"
#include "rating/CivilTime.h"
#include "rating/CostRounding.h"

#include <algorithm>

// The call's progress through the day: the time cursor, with the exchange rate
// of the call's day and the holiday test of the cursor's day remembered.
class CallRating::Walk
{
public:
    Walk(const CallRating& rating, const CallRecord& call)
        : m_rating(rating)
        , m_start(civil::momentOf(call.start))
    { }

    std::int64_t start() const { return m_start; }

    double exchangeRate()
    {
        if (!m_haveRate) {
            const civil::Date d = civil::civilFromDays(civil::dayOf(m_start));
            m_rate = m_rating.exchangeRateOn(d.year, d.month, d.day);
            m_haveRate = true;
        }
        return m_rate;
    }

    bool holiday(std::int64_t moment)
    {
        const std::int64_t day = civil::dayOf(moment);
        if (day != m_holidayDay || !m_haveHoliday) {
            m_holiday = m_rating.isHolidayDate(day);
            m_holidayDay = day;
            m_haveHoliday = true;
        }
        return m_holiday;
    }

private:
    const CallRating& m_rating;
    std::int64_t m_start;
    double m_rate = 0.0;
    bool m_haveRate = false;
    std::int64_t m_holidayDay = 0;
    bool m_holiday = false;
    bool m_haveHoliday = false;
};

namespace {

// The period that applies at a moment: `seconds` of it are left, or none
// applies and the nearest later start is `next` seconds away (0 = none today or tomorrow).
struct PeriodChoice
{
    const RatePeriod* period = nullptr;
    std::int64_t seconds = 0;
    std::int64_t next = 0;
};

std::int64_t secondsUntil(int hour, int minute, std::int64_t timeOfDay)
{
    return (std::int64_t{hour} * 60 + minute) * 60 - timeOfDay;
}

void noteNext(std::int64_t& next, std::int64_t candidate)
{
    if (next == 0 || candidate < next)
        next = candidate;
}

// One timed period at `timeOfDay`: the seconds it applies for, or 0 (with `next`
// noted when it starts later).
std::int64_t timedPeriod(const RatePeriod& p, std::int64_t timeOfDay, std::int64_t& next)
{
    const std::int64_t f = secondsUntil(p.fromHour, p.fromMinute, timeOfDay);
    const std::int64_t e = secondsUntil(p.toHour, p.toMinute, timeOfDay);
    if (p.flags & RatePeriod::kCrossesMidnight) {
        if (f > 0 && e > 0)
            return e; // before its end in the early hours
        if (f > 0)
            noteNext(next, f); // starts later today
        else if (e < 0)
            return civil::kSecondsPerDay - timeOfDay; // after its start in the evening
        return 0;
    }
    if (f > 0 && e > 0)
        noteNext(next, f); // starts later today
    else if (f <= 0 && e > 0)
        return e;
    else if (f < 0 && e <= 0)
        noteNext(next, f + civil::kSecondsPerDay); // over for today (also when it ends right now): tomorrow
    return 0;
}

template <class IsHoliday> PeriodChoice choosePeriod(const RateBlock& rate, std::int64_t moment, IsHoliday isHoliday)
{
    const std::int64_t timeOfDay = civil::timeOfDay(moment);
    PeriodChoice choice;
    for (const RatePeriod& p : rate.periods) {
        if (!(p.flags & RatePeriod::kActive))
            continue;
        if ((p.flags & RatePeriod::kByKindOfDay) && isHoliday(moment) != ((p.flags & RatePeriod::kHolidaysOnly) != 0))
            continue;
        if (!(p.flags & RatePeriod::kTimed))
            return {&p, civil::kSecondsPerDay - timeOfDay, choice.next};
        if (const std::int64_t seconds = timedPeriod(p, timeOfDay, choice.next); seconds > 0)
            return {&p, seconds, choice.next};
    }
    return choice;
}

std::int32_t graceFor(const CarrierBlock& c, std::int32_t callType)
{
    switch (callType) {
    case 0:
        return c.graceLocal;
    case 1:
        return c.graceLongDistance;
    case 2:
        return c.graceInternational;
    default:
        return c.graceUserDefined;
    }
}

} // namespace

void CallRating::price(CallRecord& call, RatingTrace* trace) const
{
    call.cost = 0.0;
    if (trace) {
        trace->source = RatingTrace::Source::Free;
        trace->carrier = call.carrierIndex;
        trace->duration = static_cast<std::int32_t>(call.duration);
        trace->currencyDigits = m_currencyDigits;
    }
    if (call.freeFlag)
        return;
    const CarrierBlock* carrier = m_settings.carrierAt(call.carrierIndex);
    if (!carrier) {
        if (trace)
            trace->source = RatingTrace::Source::NoCarrier;
        return;
    }
    Walk walk(*this, call);
    if (carrier->flags & (CarrierBlock::kUseSuppliedCost | CarrierBlock::kUseSuppliedPulses)) {
        const bool suppliedCost = (carrier->flags & CarrierBlock::kUseSuppliedCost) != 0;
        double amount = suppliedCost ? call.suppliedCost : static_cast<double>(call.pulses) * carrier->pulseValue;
        if (trace) {
            trace->source = suppliedCost ? RatingTrace::Source::SuppliedCost : RatingTrace::Source::SuppliedPulses;
            trace->supplied = amount;
        }
        if (carrier->flags & CarrierBlock::kSuppliedInAlternativeCurrency) {
            amount = walk.exchangeRate() * amount;
            if (trace) {
                trace->converted = true;
                trace->exchangeRate = walk.exchangeRate();
            }
        }
        call.cost = finish(call, *carrier, amount, trace);
        return;
    }

    const RateBlock* rate = nullptr;
    std::int32_t grace = 0;
    RatingTrace::Block block = RatingTrace::Block::Incoming;
    if (call.direction == 1) {
        rate = &carrier->incomingRate;
        grace = carrier->graceIncoming;
    } else {
        if (call.localFlag) {
            rate = &carrier->localRate;
            block = RatingTrace::Block::Local;
        } else {
            const int d = call.destinationIndex;
            if (d < 0 || static_cast<std::size_t>(d) >= m_settings.destinations.size()) {
                if (trace)
                    trace->source = RatingTrace::Source::NoDestination;
                return; // a toll call without a destination costs nothing, unmodified
            }
            rate = &m_settings.destinations[static_cast<std::size_t>(d)]
                        .rates[static_cast<std::size_t>(call.carrierIndex)];
            block = RatingTrace::Block::Destination;
        }
        grace = graceFor(*carrier, call.callType);
    }
    if (trace) {
        trace->source = RatingTrace::Source::OwnRate;
        trace->block = block;
    }
    call.cost = finish(call, *carrier, ownRateCost(call, *rate, grace, carrier->flags, walk, trace), trace);
}

// Grace, minimum duration, initial charge and unit, rounding of the call time,
// the walk through the periods and the minimum cost.
double CallRating::ownRateCost(const CallRecord& call, const RateBlock& rate, std::int32_t grace,
                               std::uint32_t carrierFlags, Walk& walk, RatingTrace* trace) const
{
    // The remaining seconds are a signed 32-bit count of the duration.
    std::int64_t remaining = static_cast<std::int32_t>(call.duration);
    remaining = std::max<std::int64_t>(remaining - grace, 0);
    const bool alternative = (rate.flags & RateBlock::kAlternativeCurrency) != 0;
    if (trace) {
        trace->grace = grace;
        trace->afterGrace = remaining;
        trace->minDuration = rate.minDuration;
        trace->converted = alternative;
        if (alternative)
            trace->exchangeRate = walk.exchangeRate();
    }
    if (remaining <= rate.minDuration) {
        if (trace)
            trace->belowMinDuration = true;
        return 0.0;
    }
    double cost = alternative ? rate.initialCharge * walk.exchangeRate() : rate.initialCharge;
    std::int64_t t = walk.start();
    const std::int64_t initialUnit = rate.initialUnit;
    if (initialUnit != 0) {
        remaining -= initialUnit;
        t += initialUnit;
    }
    const std::int64_t q = rate.roundTo;
    if (remaining > 0 && q > 0 && remaining % q != 0)
        remaining = (rate.flags & RateBlock::kDiscardRemainder) ? q * (remaining / q) : q * (remaining / q + 1);
    const bool raised = initialUnit != 0 && remaining <= initialUnit;
    if (raised)
        remaining = initialUnit;
    if (trace) {
        trace->initialCharge = cost;
        trace->initialUnit = rate.initialUnit;
        trace->roundTo = rate.roundTo;
        trace->discardRemainder = (rate.flags & RateBlock::kDiscardRemainder) != 0;
        trace->raisedToInitialUnit = raised;
        trace->billable = remaining;
        trace->startRateForWholeCall = (carrierFlags & CarrierBlock::kStartRateForWholeCall) != 0;
    }

    const auto isHoliday = [&](std::int64_t moment) { return walk.holiday(moment); };
    while (remaining > 0) {
        const PeriodChoice choice = choosePeriod(rate, t, isHoliday);
        if (!choice.period) {
            if (choice.next == 0) {
                if (trace)
                    trace->notCharged = remaining;
                break; // nothing applies for the rest of the call: it is not charged
            }
            const std::int64_t skip = std::min(remaining, choice.next);
            if (trace)
                trace->slices.push_back({t, t + skip, walk.holiday(t), 0, 0.0, 0, skip, 0.0});
            remaining -= skip;
            t += skip;
            continue;
        }
        std::int64_t chunk = std::min(remaining, choice.seconds);
        if (carrierFlags & CarrierBlock::kStartRateForWholeCall)
            chunk = remaining;
        const std::int64_t from = t;
        remaining -= chunk;
        if (remaining != 0)
            t += chunk;
        double amount = 0.0;
        if (choice.period->unitLength != 0) {
            double product = static_cast<double>(chunk) * choice.period->rate;
            if (alternative)
                product = product * walk.exchangeRate();
            amount = product / static_cast<double>(choice.period->unitLength);
            cost = cost + amount;
        }
        if (trace)
            trace->slices.push_back({from, from + chunk, walk.holiday(from),
                                     static_cast<int>(choice.period - rate.periods.data()) + 1, choice.period->rate,
                                     choice.period->unitLength, chunk, amount});
    }
    const double minimum = alternative ? rate.minCost * walk.exchangeRate() : rate.minCost;
    if (trace) {
        trace->periodsCost = cost;
        trace->minCost = minimum;
        trace->minCostApplied = cost < minimum;
    }
    return cost < minimum ? minimum : cost;
}

// The carrier's and the employee's cost modifiers, then the rounding to the
// smallest unit of the main currency.
double CallRating::finish(const CallRecord& call, const CarrierBlock& carrier, double cost, RatingTrace* trace) const
{
    if (trace) {
        trace->beforeModifiers = cost;
        trace->carrierModifier = carrier.costModifier;
    }
    if (carrier.costModifier != 100)
        cost = static_cast<double>(carrier.costModifier) * cost * 0.01;
    if (trace)
        trace->afterCarrier = cost;
    const int e = call.directoryIndex;
    if (e >= 0 && static_cast<std::size_t>(e) < m_settings.directory.size()) {
        const std::int32_t m = m_settings.directory[static_cast<std::size_t>(e)].costModifier;
        if (trace)
            trace->employeeModifier = m;
        if (m != 100)
            cost = static_cast<double>(m) * cost * 0.01;
    }
    if (trace) {
        trace->beforeRounding = cost;
        trace->rounded = m_settings.header.roundCost != 0;
    }
    if (m_settings.header.roundCost) {
        const std::optional<double> quick = roundCostQuickly(cost, m_currencyDigits);
        cost = quick ? *quick : m_settings.roundToCurrencyUnit(cost);
    }
    if (trace)
        trace->cost = cost;
    return cost;
}
