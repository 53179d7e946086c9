// The settings database that ships with the program (written by
// tools/make_default_settings into the program folder at build time).

#include "settings/SettingsFile.h"

#include <gtest/gtest.h>

namespace {

class DefaultSettingsTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        const std::filesystem::path path = std::filesystem::path(QX_PROGRAM_DIR) / "brisel.dat";
        if (!std::filesystem::exists(path))
            GTEST_SKIP() << "not built yet: " << path;
        ASSERT_EQ(loadSettings(path, db), SettingsLoadResult::Ok);
        db.rebuildIndexes();
    }

    // The longest matching prefix of a carrier, as classification picks it ("*" = any digit).
    const PrefixEntry* prefixFor(int carrier, std::string_view number) const
    {
        const PrefixEntry* best = nullptr;
        for (const PrefixEntry& p : db.prefixes[static_cast<std::size_t>(carrier)]) {
            const std::string_view prefix = p.prefix.view();
            if (prefix.size() > number.size() || (best && prefix.size() <= best->prefix.view().size()))
                continue;
            bool match = true;
            for (std::size_t i = 0; i < prefix.size() && match; ++i)
                match = prefix[i] == number[i] || prefix[i] == '*';
            if (match)
                best = &p;
        }
        return best;
    }

    // The destination text a number reaches through its prefix: the longest
    // code among international code + digits, never using the last digit.
    std::string destinationFor(int carrier, std::string_view number) const
    {
        const PrefixEntry* p = prefixFor(carrier, number);
        if (!p)
            return "(no prefix)";
        std::string key(p->internationalCode.view());
        int found = -1;
        for (std::size_t i = p->prefix.view().size();; ++i) {
            if (const int d = db.findDestination(key); d >= 0)
                found = d;
            if (i >= number.size())
                break;
            key += number[i];
        }
        return db.destinationText(found);
    }

    SettingsDatabase db;
};

} // namespace

TEST_F(DefaultSettingsTest, ShipsTheDemoOffice)
{
    for (const CarrierBlock& c : db.carriers)
        EXPECT_FALSE(c.name.empty());
    EXPECT_GE(db.directory.size(), 50u);
    for (std::int32_t ext = 100; ext < 150; ++ext)
        EXPECT_GE(db.findExtension(ext), 0) << ext;
    EXPECT_GE(db.findAccountCode("1001"), 0);
    EXPECT_GE(db.findProject("2001"), 0);
    EXPECT_GE(db.departments().size(), 5);
    for (std::uint32_t trunk = 1; trunk <= 16; ++trunk) {
        const int t = db.findTrunk(trunk);
        ASSERT_GE(t, 0) << trunk;
        EXPECT_NE(db.carrierAt(db.trunks[static_cast<std::size_t>(t)].carrier), nullptr);
    }
    EXPECT_NE(db.header.weeklyHolidays[5], 0);
    EXPECT_NE(db.header.weeklyHolidays[6], 0);
    EXPECT_EQ(db.header.weeklyHolidays[0], 0);
    EXPECT_EQ(db.holidays.front().year, 0); // yearly holidays first
    EXPECT_FALSE(db.contacts.empty());
    EXPECT_EQ(db.formatCurrency(1234.5), "1.234,50 \x80");
}

TEST_F(DefaultSettingsTest, NumbersOfTheCallGeneratorReachTheirDestinations)
{
    for (int carrier = 0; carrier < kCarrierCount; ++carrier) {
        SCOPED_TRACE(carrier);
        EXPECT_EQ(destinationFor(carrier, "00442071234567"), "United Kingdom");
        EXPECT_EQ(destinationFor(carrier, "0012125551234"), "USA / Canada");
        EXPECT_EQ(destinationFor(carrier, "00420212345678"), "Czech Republic");
        EXPECT_EQ(destinationFor(carrier, "0221123456"), "Germany - K\xF6ln");
        EXPECT_EQ(destinationFor(carrier, "03012345678"), "Germany - Berlin");
        EXPECT_EQ(destinationFor(carrier, "017612345678"), "Germany - Mobile (017x)");
        EXPECT_EQ(prefixFor(carrier, "1234567")->callType, 0);
        EXPECT_TRUE(prefixFor(carrier, "08001234567")->flags & PrefixEntry::kFreeCalls);
        // Free numbers and directory enquiries have a destination of their own (reports list them by it).
        EXPECT_EQ(destinationFor(carrier, "08001234567"), "Germany - Free numbers (0800)");
        EXPECT_EQ(destinationFor(carrier, "11833"), "Germany - Directory enquiries (118xx)");
        EXPECT_TRUE(prefixFor(carrier, "112")->flags & PrefixEntry::kFreeCalls);
    }
    // Call-by-call selection on the main carrier switches to carrier 4.
    EXPECT_EQ(prefixFor(0, "01088004420712345")->changeCarrierTo, 4);
}

TEST_F(DefaultSettingsTest, RatesHaveDayEveningAndWeekendPeriods)
{
    const int uk = db.findDestination("44");
    ASSERT_GE(uk, 0);
    const RateBlock& r = db.destinations[static_cast<std::size_t>(uk)].rates[1];
    EXPECT_TRUE(r.periods[0].flags & RatePeriod::kActive);
    EXPECT_TRUE(r.periods[1].flags & RatePeriod::kCrossesMidnight);
    EXPECT_TRUE(r.periods[2].flags & RatePeriod::kHolidaysOnly);
    EXPECT_GT(r.periods[0].rate, r.periods[1].rate);
    for (const DestinationEntry& d : db.destinations)
        for (const RateBlock& rate : d.rates)
            EXPECT_GT(rate.periods[0].unitLength, 0) << d.code.view();
}
