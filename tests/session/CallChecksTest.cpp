// Call checks and the carrier comparison over planted calls.

#include "session/CallChecks.h"
#include "../rating/RatingFixtures.h"
#include "session/CarrierComparison.h"

#include <gtest/gtest.h>

#include <map>
#include <numeric>

namespace {

using namespace ratingtest;

constexpr std::uint32_t kSuppliedTrunk = 3; // carrier 2 takes the supplied cost

// Carrier 1: "0" long distance, "00" international, "010" hands over to carrier 3;
// carrier 2 uses supplied costs; carrier 5 has no prices at all.
SettingsDatabase checkSettings()
{
    SettingsDatabase db = plainSettings();
    for (int c : {0, 1, 2}) {
        db.carriers[static_cast<std::size_t>(c)].localRate = flatRate(0.05);
        db.prefixes[static_cast<std::size_t>(c)] = {prefix("0", 1), prefix("00", 2), prefix("010", 1, "", 3)};
    }
    db.carriers[1].flags = CarrierBlock::kUseSuppliedCost;
    db.destinations = {destination("49", "Germany", 0.10), destination("44", "United Kingdom", 0.0)};
    db.destinations[0].rates[2] = flatRate(0.07);
    for (int e = 100; e < 110; ++e)
        db.directory.push_back(employee(e, e == 100 ? "7777" : "", "Staff"));
    ProjectEntry project;
    project.accountCode.assign("5555");
    db.projects.push_back(project);
    db.trunks = {trunk(1, 0), trunk(2, 0), trunk(kSuppliedTrunk, 1)};
    db.rebuildIndexes();
    return db;
}

struct Planted
{
    std::vector<CallRecord> calls;
    std::map<CheckRule, std::vector<std::uint32_t>> expected;

    std::uint32_t add(CallRecord c, std::optional<CheckRule> rule = std::nullopt)
    {
        const auto at = static_cast<std::uint32_t>(calls.size());
        calls.push_back(c);
        if (rule)
            expected[*rule].push_back(at);
        return at;
    }
};

// 200 clean calls to Germany with the planted ones between them.
Planted plant(const SettingsDatabase& db)
{
    CallRating rating(db, RatingOptions{});
    Planted p;
    std::vector<CallRecord> clean;
    for (int i = 0; i < 200; ++i) {
        CallRecord c = call(("004930" + std::to_string(1000000 + i)).c_str(), 30 + static_cast<std::uint32_t>(i));
        c.extension = 100 + static_cast<std::uint32_t>(i % 10);
        c.trunk = 1 + static_cast<std::uint32_t>(i % 2);
        c.start = {2025, 3, 5, static_cast<std::uint8_t>(8 + i / 60), static_cast<std::uint8_t>(i % 60)};
        if (i % 7 == 0)
            fixedtext::store(c.dialedNumber, ("01049" + std::to_string(300000 + i)).c_str());
        clean.push_back(c);
    }
    const auto with = [](CallRecord c, auto change) {
        change(c);
        return c;
    };
    for (std::size_t i = 0; i < clean.size(); ++i) {
        p.add(clean[i]);
        switch (i) {
        case 10:
            p.add(call("00441234567", 60), CheckRule::ZeroCost);
            p.add(with(call("00441234567", 0), [](CallRecord& c) { c.start.minute = 1; })); // no seconds: fine
            break;
        case 20:
            p.add(call("00991234567"), CheckRule::UnknownDestination);
            break;
        case 30:
            p.add(with(clean[3], [](CallRecord& c) { c.extension = 555; }), CheckRule::UnknownExtension);
            p.add(with(clean[4], [](CallRecord& c) {
                c.extension = 555;
                fixedtext::store(c.accountCode, "7777");
            }));
            p.add(with(clean[5], [](CallRecord& c) { c.extension = 4294967295u; }));
            break;
        case 40:
            p.add(with(clean[6], [](CallRecord& c) { c.trunk = 9; }), CheckRule::UnknownTrunk);
            break;
        case 50:
            p.add(with(clean[7],
                       [](CallRecord& c) {
                           fixedtext::store(c.accountCode, "4242");
                           c.duration += 1000; // the account code alone does not make it another call
                       }),
                  CheckRule::UnknownAccount);
            p.add(with(clean[8], [](CallRecord& c) {
                fixedtext::store(c.accountCode, "5555");
                c.duration += 1000;
            }));
            break;
        case 60:
            // Local on carrier 2: 0.05 a minute from our rates.
            p.add(with(call("7654321", 120), [](CallRecord& c) {
                c.trunk = kSuppliedTrunk;
                c.suppliedCost = 0.10;
            }));
            p.add(with(call("7654322", 120),
                       [](CallRecord& c) {
                           c.trunk = kSuppliedTrunk;
                           c.suppliedCost = 0.50;
                       }),
                  CheckRule::SuppliedCostDiffers);
            // Carrier 1 prices from its rates; the charge the call carries still counts.
            p.add(with(call("7654323", 60), [](CallRecord& c) { c.suppliedCost = 0.055; }));
            p.add(with(call("7654324", 60), [](CallRecord& c) { c.suppliedCost = 0.20; }),
                  CheckRule::SuppliedCostDiffers);
            break;
        case 70:
            p.add(clean[9], CheckRule::Duplicates);
            p.add(clean[9], CheckRule::Duplicates);
            p.add(with(clean[11], [](CallRecord& c) { c.duration += 1; }));
            break;
        case 80:
            p.add(with(clean[12], [](CallRecord& c) { c.start = {2025, 2, 29, 10, 0}; }), CheckRule::InvalidDate);
            p.add(with(clean[13], [](CallRecord& c) { c.start = {2025, 13, 1, 10, 0}; }), CheckRule::InvalidDate);
            p.add(with(clean[14], [](CallRecord& c) { c.start = {2024, 2, 29, 23, 59}; }));
            break;
        default:
            break;
        }
    }
    for (CallRecord& c : p.calls)
        rating.classify(c);
    return p;
}

std::vector<std::uint32_t> allRows(std::size_t n)
{
    std::vector<std::uint32_t> rows(n);
    std::iota(rows.begin(), rows.end(), 0u);
    return rows;
}

TEST(CallChecksTest, EachRuleFindsExactlyThePlantedCalls)
{
    const SettingsDatabase db = checkSettings();
    const Planted p = plant(db);
    const CheckResults r = CallChecks(db).run(p.calls, allRows(p.calls.size()));
    for (const CheckRule rule : allCheckRules()) {
        const auto it = p.expected.find(rule);
        EXPECT_EQ(r[rule], it == p.expected.end() ? std::vector<std::uint32_t>{} : it->second) << checkRuleName(rule);
    }
    EXPECT_TRUE(r.anyAlarm());
}

TEST(CallChecksTest, OnlyTheGivenRowsAreChecked)
{
    const SettingsDatabase db = checkSettings();
    const Planted p = plant(db);
    // The visible calls in display order, without the first zero-cost call and
    // the first copy: the second copy is a copy of a checked call still.
    std::vector<std::uint32_t> rows;
    for (std::uint32_t i = 0; i < p.calls.size(); ++i) {
        if (i != p.expected.at(CheckRule::ZeroCost)[0] && i != p.expected.at(CheckRule::Duplicates)[0])
            rows.insert(rows.begin(), i);
    }
    const CheckResults r = CallChecks(db).run(p.calls, rows);
    EXPECT_TRUE(r[CheckRule::ZeroCost].empty());
    EXPECT_EQ(r[CheckRule::Duplicates], std::vector<std::uint32_t>{p.expected.at(CheckRule::Duplicates)[1]});
}

TEST(CallChecksTest, ToleranceAndOnlyDuplicatesRaiseNoAlarm)
{
    const SettingsDatabase db = checkSettings();
    Planted p = plant(db);
    const std::uint32_t differs = p.expected.at(CheckRule::SuppliedCostDiffers)[0];
    EXPECT_TRUE(
        CallChecks(db, 0.5).run(p.calls, std::vector<std::uint32_t>{differs})[CheckRule::SuppliedCostDiffers].empty());

    const std::vector<std::uint32_t> copies = {9, p.expected.at(CheckRule::Duplicates)[0]};
    const CheckResults r = CallChecks(db).run(p.calls, copies);
    EXPECT_EQ(r[CheckRule::Duplicates].size(), 1u);
    EXPECT_FALSE(r.anyAlarm());
}

TEST(CallChecksTest, RuleNamesRoundTrip)
{
    for (const CheckRule rule : allCheckRules())
        EXPECT_EQ(checkRuleFromName(checkRuleName(rule)), rule);
    EXPECT_FALSE(checkRuleFromName("zero"));
}

int trunkCarrier(const SettingsDatabase& db, const CallRecord& c)
{
    const int t = db.findTrunk(c.trunk);
    return t < 0 ? 0 : db.trunks[static_cast<std::size_t>(t)].carrier;
}

TEST(CarrierComparisonTest, OwnCarrierColumnIsTheActualCost)
{
    const SettingsDatabase db = checkSettings();
    const Planted p = plant(db);
    const CarrierComparison comparison(db, RatingOptions{});
    for (const CallRecord& c : p.calls) {
        const CallRecord as = comparison.rateAs(trunkCarrier(db, c), c);
        EXPECT_EQ(as.cost, c.cost) << c.number();
        EXPECT_EQ(as.number(), c.number());
    }
    // Carrier 3 is cheaper for Germany and for the supplied costs of carrier 2.
    const auto table = comparison.compare(p.calls, allRows(p.calls.size()));
    EXPECT_EQ(table[0].carrier, 1);
    EXPECT_LT(table[2].difference, 0.0);
    EXPECT_EQ(table[0].unpriced, 1u); // the call without a destination
    EXPECT_EQ(table[0].priced + table[0].unpriced, p.calls.size());
}

TEST(CarrierComparisonTest, CarrierWithoutPricesCountsTheCallsItCouldNotPrice)
{
    SettingsDatabase db = checkSettings();
    db.carriers[4].name.assign("Nobody");
    db.rebuildIndexes();
    const Planted p = plant(db);
    const auto table = CarrierComparison(db, RatingOptions{}).compare(p.calls, allRows(p.calls.size()));
    EXPECT_EQ(table[4].name, "Nobody");
    // Without prefixes every call is local, and the local rate charges nothing.
    EXPECT_EQ(table[4].priced, 0u);
    EXPECT_EQ(table[4].unpriced, p.calls.size());
    EXPECT_DOUBLE_EQ(table[4].total, 0.0);
}

} // namespace
