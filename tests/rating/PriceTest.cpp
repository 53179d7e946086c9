#include "RatingFixtures.h"
#include "rating/CivilTime.h"

#include <gtest/gtest.h>

using namespace ratingtest;

namespace {

// Local calls (no prefixes) on carrier 1, priced with `rate`.
SettingsDatabase localRate(const RateBlock& rate)
{
    SettingsDatabase db = plainSettings();
    db.carriers[0].localRate = rate;
    return db;
}

double costOf(SettingsDatabase& db, std::uint32_t seconds, CallDate start = {2025, 3, 5, 10, 0})
{
    return rated(db, callAt(start, seconds)).cost;
}

ExchangeRateEntry rateFrom(std::uint16_t year, std::uint8_t month, std::uint8_t day, double rate)
{
    ExchangeRateEntry e;
    e.year = year;
    e.month = month;
    e.day = day;
    e.rate = rate;
    return e;
}

HolidayEntry holiday(std::uint16_t year, std::uint8_t month, std::uint8_t day) { return {year, month, day}; }

} // namespace

TEST(PriceDuration, GraceAndMinimumDuration)
{
    RateBlock rate = flatRate(0.60);
    rate.minCost = 0.50;
    rate.minDuration = 10;
    SettingsDatabase db = localRate(rate);
    db.carriers[0].graceLocal = 30;
    EXPECT_EQ(costOf(db, 25), 0.0);         // grace longer than the call, even with a minimum cost
    EXPECT_EQ(costOf(db, 40), 0.0);         // 10 billable seconds: not more than the minimum duration
    EXPECT_DOUBLE_EQ(costOf(db, 41), 0.50); // 11 seconds: the minimum cost
    EXPECT_DOUBLE_EQ(costOf(db, 90), 0.60);
}

TEST(PriceDuration, RoundingWithAndWithoutDiscard)
{
    RateBlock rate = flatRate(1.0);
    rate.roundTo = 60;
    SettingsDatabase db = localRate(rate);
    EXPECT_DOUBLE_EQ(costOf(db, 61), 2.0);
    EXPECT_DOUBLE_EQ(costOf(db, 59), 1.0);
    EXPECT_DOUBLE_EQ(costOf(db, 120), 2.0);

    db.carriers[0].localRate.flags = RateBlock::kDiscardRemainder;
    EXPECT_DOUBLE_EQ(costOf(db, 61), 1.0);
    db.carriers[0].localRate.initialCharge = 0.10;
    db.carriers[0].localRate.minCost = 0.25;
    EXPECT_DOUBLE_EQ(costOf(db, 59), 0.25); // 0 seconds charged; initial charge and minimum still apply
    db.carriers[0].localRate.minCost = 0.0;
    EXPECT_DOUBLE_EQ(costOf(db, 59), 0.10);
}

TEST(PriceDuration, InitialUnitAndCharge)
{
    RateBlock rate = flatRate(0.50);
    rate.initialUnit = 60;
    rate.initialCharge = 1.00;
    SettingsDatabase db = localRate(rate);
    EXPECT_DOUBLE_EQ(costOf(db, 30), 1.50); // at least one more unit after the initial one
    EXPECT_DOUBLE_EQ(costOf(db, 150), 1.75);
    EXPECT_DOUBLE_EQ(costOf(db, 60), 1.50);
}

TEST(PricePeriods, DayAndNightAcrossMidnight)
{
    RateBlock rate;
    rate.periods[0] = timed(1.0, 8, 0, 18, 0);
    rate.periods[1] = timed(10.0, 18, 0, 8, 0, RatePeriod::kCrossesMidnight);
    SettingsDatabase db = localRate(rate);
    EXPECT_DOUBLE_EQ(costOf(db, 240, {2025, 3, 5, 17, 58}), 2 * 1.0 + 2 * 10.0);
    EXPECT_DOUBLE_EQ(costOf(db, 240, {2025, 3, 5, 23, 58}), 40.0); // over midnight, still the night rate
    EXPECT_DOUBLE_EQ(costOf(db, 240, {2025, 3, 6, 7, 58}), 2 * 10.0 + 2 * 1.0);

    db.carriers[0].flags = CarrierBlock::kStartRateForWholeCall;
    EXPECT_DOUBLE_EQ(costOf(db, 240, {2025, 3, 5, 17, 58}), 4.0);
}

TEST(PricePeriods, HolidayOnlyPeriodAfterMidnight)
{
    RateBlock rate;
    rate.periods[0] = everyday(5.0);
    rate.periods[0].flags |= RatePeriod::kByKindOfDay | RatePeriod::kHolidaysOnly;
    rate.periods[1] = everyday(1.0);
    SettingsDatabase db = localRate(rate);
    db.holidays = {holiday(2025, 2, 1), holiday(0, 1, 1)};
    // Month end and year end: the cursor finds the holiday on the new day.
    EXPECT_DOUBLE_EQ(costOf(db, 120, {2025, 1, 31, 23, 59}), 1.0 + 5.0);
    EXPECT_DOUBLE_EQ(costOf(db, 120, {2025, 12, 31, 23, 59}), 1.0 + 5.0);
    EXPECT_DOUBLE_EQ(costOf(db, 120, {2025, 3, 31, 23, 59}), 2.0);
    db.header.weeklyHolidays[5] = 1; // Saturdays; 2025-03-08 is one
    EXPECT_DOUBLE_EQ(costOf(db, 120, {2025, 3, 7, 23, 59}), 6.0);
}

TEST(PricePeriods, RestOfTheDayWithoutPeriodIsFree)
{
    RateBlock rate;
    rate.periods[0] = everyday(1.0);
    rate.periods[0].flags |= RatePeriod::kByKindOfDay | RatePeriod::kHolidaysOnly;
    rate.initialCharge = 0.25;
    SettingsDatabase db = localRate(rate);
    EXPECT_DOUBLE_EQ(costOf(db, 3600), 0.25);
    db.holidays = {holiday(2025, 3, 6)};
    // Nothing applies and nothing starts later: the walk ends, the holiday after midnight is not reached.
    EXPECT_DOUBLE_EQ(costOf(db, 120, {2025, 3, 5, 23, 59}), 0.25);
    EXPECT_DOUBLE_EQ(costOf(db, 120, {2025, 3, 6, 23, 59}), 1.25); // only the holiday's last minute
    // An inactive period never applies.
    db.carriers[0].localRate.periods[0].flags &= ~RatePeriod::kActive;
    EXPECT_DOUBLE_EQ(costOf(db, 120, {2025, 3, 6, 23, 59}), 0.25);
}

// A period that ends exactly now starts again tomorrow, like one that ended earlier.
TEST(PricePeriods, PeriodEndingNowStartsTomorrow)
{
    RateBlock rate;
    rate.periods[0] = timed(1.0, 9, 0, 17, 0);
    SettingsDatabase db = localRate(rate);
    const double atFive = costOf(db, 86400, {2025, 3, 5, 17, 0});
    const double justAfter = costOf(db, 86400, {2025, 3, 5, 17, 1});
    EXPECT_DOUBLE_EQ(atFive, 480.0);
    EXPECT_DOUBLE_EQ(justAfter, 480.0);
    EXPECT_DOUBLE_EQ(costOf(db, 7200, {2025, 3, 5, 8, 0}), 60.0); // an hour waiting, an hour charged
}

TEST(PriceMinimum, MinimumCostInTheAlternativeCurrency)
{
    RateBlock rate = flatRate(0.5);
    rate.flags = RateBlock::kAlternativeCurrency;
    rate.minCost = 1.0;
    rate.initialCharge = 0.25;
    SettingsDatabase db = localRate(rate);
    db.header.exchangeRate = 2.0;
    EXPECT_DOUBLE_EQ(costOf(db, 60), 2.0);  // 0.5 + 1.0 is below the converted minimum 2.0
    EXPECT_DOUBLE_EQ(costOf(db, 180), 3.5); // initial 0.5 + 3.0
}

TEST(PriceModifiers, CarrierThenEmployee)
{
    SettingsDatabase db = localRate(flatRate(1.0));
    db.carriers[0].costModifier = 110;
    db.directory = {employee(100, "", "Anna", "", 50)};
    EXPECT_DOUBLE_EQ(costOf(db, 60), 110 * 1.0 * 0.01 * 50 * 0.01);
    db.directory[0].costModifier = 100;
    EXPECT_DOUBLE_EQ(costOf(db, 60), 1.1);
}

TEST(PriceSupplied, PulsesAndCostOfAnyDirection)
{
    SettingsDatabase db = localRate(flatRate(9.0));
    CarrierBlock& c = db.carriers[0];
    c.flags = CarrierBlock::kUseSuppliedPulses;
    c.pulseValue = 0.05;
    c.graceLocal = 1000;
    c.localRate.minCost = 7.0;
    CallRecord call = callAt({2025, 3, 5, 10, 0}, 30);
    call.pulses = 12;
    call.suppliedCost = 4.0;
    EXPECT_DOUBLE_EQ(rated(db, call).cost, 12 * 0.05); // no grace, rate or minimum

    c.costModifier = 200;
    EXPECT_DOUBLE_EQ(rated(db, call).cost, 200 * (12 * 0.05) * 0.01);
    c.costModifier = 100;

    c.flags = CarrierBlock::kUseSuppliedCost | CarrierBlock::kUseSuppliedPulses
              | CarrierBlock::kSuppliedInAlternativeCurrency;
    db.header.exchangeRate = 1.5;
    EXPECT_DOUBLE_EQ(rated(db, call).cost, 6.0); // the supplied cost wins over pulses, converted
    for (std::uint32_t direction : {1u, 2u, 7u}) {
        call.direction = direction;
        EXPECT_DOUBLE_EQ(rated(db, call).cost, 6.0) << direction;
    }
}

TEST(PriceRouting, TollCallWithoutDestinationCostsNothing)
{
    SettingsDatabase db = localRate(flatRate(1.0));
    db.prefixes[0] = {prefix("0", 1)};
    db.destinations = {destination("49221", "Cologne", 2.0)};
    db.prefixes[0][0].internationalCode.assign("49");
    db.carriers[0].costModifier = 50;
    EXPECT_EQ(rated(db, call("0999123", 600)).cost, 0.0);
    EXPECT_DOUBLE_EQ(rated(db, call("02211234", 60)).cost, 1.0); // 2.0 at 50 %
    db.carriers[0].graceLongDistance = 60;
    EXPECT_EQ(rated(db, call("02211234", 60)).cost, 0.0);
}

TEST(PriceRounding, SmallestCurrencyUnit)
{
    SettingsDatabase db = localRate(flatRate(1.0));
    db.header.roundCost = 1;
    EXPECT_DOUBLE_EQ(costOf(db, 20), 0.33);
    db.carriers[0].localRate.periods[0] = everyday(0.125, 1);
    EXPECT_DOUBLE_EQ(costOf(db, 1), 0.13); // half away from zero
    db.header.mainCurrency.digits = 0;
    EXPECT_DOUBLE_EQ(costOf(db, 12), 2.0);
    db.header.roundCost = 0;
    EXPECT_DOUBLE_EQ(costOf(db, 12), 1.5);
}

TEST(PriceCalendar, ExchangeRateHistory)
{
    SettingsDatabase db = plainSettings();
    db.header.exchangeRate = 25.0;
    db.exchangeRates = {rateFrom(2005, 1, 1, 30.0), rateFrom(2005, 6, 1, 32.0)};
    db.rebuildIndexes();
    {
        CallRating rating(db, {});
        EXPECT_EQ(rating.exchangeRateAt({2005, 5, 31, 23, 59}), 25.0); // history off
    }
    db.header.useRateHistory = 1;
    CallRating rating(db, {});
    EXPECT_EQ(rating.exchangeRateAt({2005, 5, 31, 23, 59}), 30.0);
    EXPECT_EQ(rating.exchangeRateAt({2005, 6, 1, 0, 0}), 32.0);
    EXPECT_EQ(rating.exchangeRateAt({2004, 12, 31, 0, 0}), 25.0);
    EXPECT_EQ(rating.exchangeRateAt({2005, 1, 1, 0, 0}), 30.0);

    // The history is searched from its end: the last entry in the list that has begun counts.
    db.exchangeRates = {rateFrom(2005, 6, 1, 32.0), rateFrom(2005, 1, 1, 30.0)};
    rating.rebuild();
    EXPECT_EQ(rating.exchangeRateAt({2005, 7, 1, 0, 0}), 30.0);
    EXPECT_EQ(rating.exchangeRateAt({2005, 5, 1, 0, 0}), 30.0);
}

TEST(PriceCalendar, Holidays)
{
    SettingsDatabase db = plainSettings();
    db.holidays = {holiday(2025, 4, 18), holiday(0, 12, 25)};
    db.header.weeklyHolidays[6] = 1; // Sundays
    db.rebuildIndexes();
    CallRating rating(db, {});
    const auto at = [&](CallDate d) { return rating.isHoliday(civil::momentOf(d)); };
    EXPECT_TRUE(at({2025, 4, 18, 12, 0}));
    EXPECT_FALSE(at({2026, 4, 18, 12, 0}));
    EXPECT_TRUE(at({1999, 12, 25, 0, 0}));
    EXPECT_TRUE(at({2025, 3, 9, 0, 0}));   // a Sunday
    EXPECT_FALSE(at({2025, 3, 10, 0, 0})); // a Monday
}

// Starts outside the calendar are carried over as mktime does and priced from there.
TEST(PriceCalendar, InvalidStartsAreNormalised)
{
    EXPECT_EQ(civil::momentOf({2025, 3, 0, 10, 0}), civil::momentOf({2025, 2, 28, 10, 0}));
    EXPECT_EQ(civil::momentOf({2025, 13, 1, 0, 0}), civil::momentOf({2026, 1, 1, 0, 0}));
    EXPECT_EQ(civil::momentOf({2025, 0, 1, 0, 0}), civil::momentOf({2024, 12, 1, 0, 0}));
    EXPECT_EQ(civil::momentOf({2025, 3, 5, 24, 0}), civil::momentOf({2025, 3, 6, 0, 0}));
    EXPECT_EQ(civil::momentOf({2024, 2, 30, 23, 75}), civil::momentOf({2024, 3, 2, 0, 15}));

    RateBlock rate;
    rate.periods[0] = everyday(5.0);
    rate.periods[0].flags |= RatePeriod::kByKindOfDay | RatePeriod::kHolidaysOnly;
    rate.periods[1] = everyday(1.0);
    SettingsDatabase db = localRate(rate);
    db.holidays = {holiday(0, 1, 1)};
    EXPECT_DOUBLE_EQ(costOf(db, 60, {2025, 13, 1, 10, 0}), 5.0);
    EXPECT_DOUBLE_EQ(costOf(db, 60, {2025, 12, 32, 10, 0}), 5.0);
    EXPECT_DOUBLE_EQ(costOf(db, 120, {2025, 12, 31, 23, 59}), 6.0);
    EXPECT_DOUBLE_EQ(costOf(db, 60, {0, 0, 0, 0, 0}), 1.0); // an all-zero start is still priced
    EXPECT_DOUBLE_EQ(costOf(db, 60, {65535, 255, 255, 255, 255}), 1.0);
}
