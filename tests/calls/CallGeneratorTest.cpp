#include "calls/CallGenerator.h"

#include <gtest/gtest.h>

#include <set>

TEST(CallGeneratorTest, SameSeedSameBytes)
{
    CallGeneratorOptions options;
    options.count = 300;
    options.seed = 42;
    const auto a = CallGenerator::fileBytes(options);
    EXPECT_EQ(a, CallGenerator::fileBytes(options));
    EXPECT_EQ(a.size(), 300u * 64);
    options.seed = 43;
    EXPECT_NE(a, CallGenerator::fileBytes(options));
}

TEST(CallGeneratorTest, OfficeMixInTimeOrderWithinTheDays)
{
    CallGeneratorOptions options;
    options.count = 5000;
    options.firstDay = {2025, 2, 24, 0, 0};
    options.days = 7;
    CallGenerator generator(options);
    CallFileRecord record;
    CallDate previous{};
    int incoming = 0, international = 0, withAccount = 0, workingHours = 0, weekend = 0, longCalls = 0;
    std::set<std::uint32_t> trunks;
    while (generator.next(record)) {
        const CallRecord c = record.toCall();
        ASSERT_TRUE(c.start.isValid());
        ASSERT_LE(previous, c.start);
        previous = c.start;
        ASSERT_GE(c.start, (CallDate{2025, 2, 24, 0, 0}));
        ASSERT_LE(c.start, (CallDate{2025, 3, 2, 23, 59}));
        ASSERT_GE(c.extension, 100u);
        ASSERT_LE(c.extension, 199u);
        ASSERT_EQ(CallFileRecord::fromCall(c).bytes, record.bytes); // follows the layout exactly
        trunks.insert(c.trunk);
        incoming += c.direction == 1;
        international += c.number().starts_with("00");
        withAccount += !c.account().empty();
        workingHours += c.start.hour >= 8 && c.start.hour < 18;
        weekend += c.start.day >= 1 && c.start.month == 3; // 1 and 2 March 2025 are Saturday and Sunday
        longCalls += c.duration >= 1800;
    }
    EXPECT_EQ(trunks.size(), 16u);
    EXPECT_GT(*trunks.begin(), 0u);
    EXPECT_NEAR(incoming, 1500, 200);
    EXPECT_GT(international, 200);
    EXPECT_GT(withAccount, 100);
    EXPECT_GT(workingHours, 4000);
    EXPECT_LT(weekend, 300);
    EXPECT_GT(longCalls, 50);
}
