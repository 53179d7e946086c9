// The explanation of a call's rating as text: what it names for a toll call
// through a prefix, a destination and two periods, and for the cases where
// the price stops early.

#include "RatingFixtures.h"
#include "rating/RatingExplanation.h"

#include <gtest/gtest.h>

using namespace ratingtest;

namespace {

std::string explain(SettingsDatabase& db, const CallRecord& c, const RatingOptions& options = {})
{
    db.rebuildIndexes();
    const CallRating rating(db, options);
    return explanationText(explainCall(rating, c), db);
}

bool has(const std::string& text, const std::string& part) { return text.find(part) != std::string::npos; }

} // namespace

TEST(Explanation, TollCallThroughTwoPeriods)
{
    SettingsDatabase db = plainSettings();
    db.trunks.push_back(trunk(1, 0));
    db.prefixes[0].push_back(prefix("00", 2));
    db.destinations.push_back(destination("44", "United Kingdom"));
    db.destinations.push_back(destination("4420", "United Kingdom"));
    db.destinations.back().city.assign("London");
    RateBlock& rate = db.destinations.back().rates[0];
    rate.periods[0] = timed(1.0, 8, 0, 18, 0);
    rate.periods[1] = timed(10.0, 18, 0, 8, 0, RatePeriod::kCrossesMidnight);
    db.directory.push_back(employee(100, "", "Ann", "Sales", 50));
    db.carriers[0].costModifier = 110;
    db.header.roundCost = 1;

    CallRecord c = callAt({2025, 3, 5, 17, 58}, 240);
    fixedtext::store(c.dialedNumber, "00-4420-71234567"); // as the list shows it: the dashes go
    const std::string text = explain(db, c);
    EXPECT_TRUE(has(text, "Employee Ann (directory entry 1), found by the extension 100")) << text;
    EXPECT_TRUE(has(text, "Department Sales")) << text;
    EXPECT_TRUE(has(text, "Prefix '00' (entry 1 of the prefixes of carrier 1): call type International")) << text;
    EXPECT_TRUE(has(text, "Destination United Kingdom - London, code 4420 (destination entry 2)")) << text;
    EXPECT_TRUE(has(text, "the key started with '' and was tried up to 4 digits")) << text;
    EXPECT_TRUE(has(text, "The number is shown as 00-4420-71234567")) << text;
    EXPECT_TRUE(has(text, "2025-03-05 17:58:00-18:00:00, weekday, period 1: 120 s at 1 per 60 s = 2 units: "
                              + db.formatCurrency(2.0)))
        << text;
    EXPECT_TRUE(has(text, "2025-03-05 18:00:00-18:02:00, weekday, period 2: 120 s at 10 per 60 s = 2 units: "
                              + db.formatCurrency(20.0)))
        << text;
    EXPECT_TRUE(has(text, "Carrier cost modifier 110%: " + db.formatCurrency(24.2))) << text;
    EXPECT_TRUE(has(text, "Employee cost modifier 50%: " + db.formatCurrency(12.1))) << text;
    EXPECT_TRUE(has(text, "Cost: " + db.formatCurrency(12.1) + "\n")) << text;
}

TEST(Explanation, PriceStopsEarly)
{
    SettingsDatabase db = plainSettings();
    db.prefixes[0].push_back(prefix("0", 1));
    db.prefixes[0].push_back(prefix("0800", 1, "", 0, PrefixEntry::kFreeCalls));
    db.carriers[0].localRate = flatRate(1.0);
    db.carriers[0].localRate.minDuration = 10;

    std::string text = explain(db, call("01234567"));
    EXPECT_TRUE(has(text, "No destination code found")) << text;
    EXPECT_TRUE(has(text, "A toll call without destination costs nothing")) << text;

    text = explain(db, call("08001234"));
    EXPECT_TRUE(has(text, "The prefix marks the call as free")) << text;
    EXPECT_TRUE(has(text, "Free call: cost 0")) << text;

    text = explain(db, call("1234", 10));
    EXPECT_TRUE(has(text, "No prefix of carrier 1 matches: local call")) << text;
    EXPECT_TRUE(has(text, "Trunk 1 is not in the trunk list")) << text;
    EXPECT_TRUE(has(text, "Not longer than the minimum call duration of 10 s: cost 0")) << text;

    db.carriers[0].flags = CarrierBlock::kUseSuppliedPulses;
    db.carriers[0].pulseValue = 0.05;
    CallRecord pulses = call("1234");
    pulses.pulses = 12;
    text = explain(db, pulses);
    EXPECT_TRUE(has(text, "supplied metering pulses: 12 x 0.05 = 0.6")) << text;
}
