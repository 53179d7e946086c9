#include "core/LittleEndian.h"
#include "settings/CarrierRecords.h"
#include "settings/ListRecords.h"
#include "settings/SettingsHeader.h"

#include <gtest/gtest.h>

#include <cstring>
#include <random>
#include <vector>

namespace {

std::vector<std::uint8_t> randomBytes(std::size_t n, unsigned seed)
{
    std::mt19937 rng(seed);
    std::vector<std::uint8_t> v(n);
    for (auto& b : v)
        b = static_cast<std::uint8_t>(rng());
    return v;
}

template <class Record> void expectIdenticalBytes()
{
    for (unsigned seed = 1; seed <= 20; ++seed) {
        const std::vector<std::uint8_t> in = randomBytes(Record::kDiskSize, seed);
        const Record r = Record::decode(std::span<const std::uint8_t, Record::kDiskSize>(in.data(), in.size()));
        std::vector<std::uint8_t> out(Record::kDiskSize, 0xEE);
        r.encode(std::span<std::uint8_t, Record::kDiskSize>(out.data(), out.size()));
        ASSERT_EQ(in, out) << "seed " << seed;
    }
}

template <class Record> Record decodeFrom(const std::vector<std::uint8_t>& bytes)
{
    return Record::decode(std::span<const std::uint8_t, Record::kDiskSize>(bytes.data(), Record::kDiskSize));
}

template <class Record> std::vector<std::uint8_t> encodeOf(const Record& r)
{
    std::vector<std::uint8_t> out(Record::kDiskSize);
    r.encode(std::span<std::uint8_t, Record::kDiskSize>(out.data(), out.size()));
    return out;
}

} // namespace

// Any bytes at all, reserved ranges and text after a terminator included, come back unchanged.
TEST(SettingsRecords, EveryRecordGivesBackItsBytes)
{
    expectIdenticalBytes<RatePeriod>();
    expectIdenticalBytes<RateBlock>();
    expectIdenticalBytes<CurrencyBlock>();
    expectIdenticalBytes<CarrierBlock>();
    expectIdenticalBytes<SettingsHeader>();
    expectIdenticalBytes<DestinationEntry>();
    expectIdenticalBytes<DirectoryEntry>();
    expectIdenticalBytes<TrunkEntry>();
    expectIdenticalBytes<PrefixEntry>();
    expectIdenticalBytes<HolidayEntry>();
    expectIdenticalBytes<ContactEntry>();
    expectIdenticalBytes<ProjectEntry>();
    expectIdenticalBytes<ExchangeRateEntry>();
}

TEST(SettingsRecords, ExchangeRateKeepsItsUnalignedDouble)
{
    std::vector<std::uint8_t> b(ExchangeRateEntry::kDiskSize, 0);
    le::storeU16(&b[0], 2005);
    b[2] = 6;
    b[3] = 1;
    le::storeF64(&b[4], 32.5);
    const auto e = decodeFrom<ExchangeRateEntry>(b);
    EXPECT_EQ(e.year, 2005);
    EXPECT_EQ(e.month, 6);
    EXPECT_EQ(e.day, 1);
    EXPECT_EQ(e.rate, 32.5);
}

TEST(SettingsRecords, CarrierFieldsSitAtTheirOffsets)
{
    CarrierBlock c;
    c.name.assign("Carrier");
    c.graceLocal = 1;
    c.graceLongDistance = 2;
    c.graceInternational = 3;
    c.graceIncoming = 4;
    c.localRate.minCost = 0.25;
    c.localRate.periods[3].toMinute = 59;
    c.incomingRate.roundTo = 60;
    c.flags = 0x104;
    c.pulseValue = 0.05;
    c.costModifier = 110;
    c.graceUserDefined = 7;
    const auto b = encodeOf(c);
    EXPECT_EQ(std::memcmp(&b[0], "Carrier", 8), 0);
    EXPECT_EQ(le::loadI32(&b[68]), 1);
    EXPECT_EQ(le::loadI32(&b[72]), 2);
    EXPECT_EQ(le::loadI32(&b[76]), 3);
    EXPECT_EQ(le::loadI32(&b[80]), 4);
    EXPECT_EQ(le::loadF64(&b[84]), 0.25);
    EXPECT_EQ(b[84 + 28 + 3 * 20 + 15], 59); // rate 4 "To" minute
    EXPECT_EQ(le::loadI32(&b[212 + 108]), 60);
    EXPECT_EQ(le::loadU32(&b[340]), 0x104u);
    EXPECT_EQ(le::loadF64(&b[344]), 0.05);
    EXPECT_EQ(le::loadI32(&b[352]), 110);
    EXPECT_EQ(le::loadI32(&b[356]), 7);
}

TEST(SettingsRecords, RateFieldsSitAtTheirOffsets)
{
    RateBlock r;
    r.minCost = 1.5;
    r.minDuration = 10;
    r.initialCharge = 0.75;
    r.initialUnit = 60;
    r.flags = RateBlock::kDiscardRemainder;
    r.periods[1] = {0.5, 60, 8, 30, 18, 0, RatePeriod::kActive | RatePeriod::kTimed};
    r.roundTo = 30;
    const auto b = encodeOf(r);
    EXPECT_EQ(le::loadF64(&b[0]), 1.5);
    EXPECT_EQ(le::loadI32(&b[8]), 10);
    EXPECT_EQ(le::loadF64(&b[12]), 0.75);
    EXPECT_EQ(le::loadI32(&b[20]), 60);
    EXPECT_EQ(le::loadU32(&b[24]), 2u);
    const std::uint8_t* p = &b[28 + 20];
    EXPECT_EQ(le::loadF64(p), 0.5);
    EXPECT_EQ(le::loadI32(p + 8), 60);
    EXPECT_EQ(p[12], 8);
    EXPECT_EQ(p[13], 30);
    EXPECT_EQ(p[14], 18);
    EXPECT_EQ(p[15], 0);
    EXPECT_EQ(le::loadU32(p + 16), 0x8010u);
    EXPECT_EQ(le::loadI32(&b[108]), 30);
}

TEST(SettingsRecords, ListFieldsSitAtTheirOffsets)
{
    DirectoryEntry d;
    d.extension = 123;
    d.accountCode.assign("AC");
    d.name.assign("Name");
    d.department.assign("Dept");
    d.costModifier = 50;
    auto b = encodeOf(d);
    EXPECT_EQ(le::loadI32(&b[0]), 123);
    EXPECT_EQ(std::memcmp(&b[4], "AC", 3), 0);
    EXPECT_EQ(std::memcmp(&b[20], "Name", 5), 0);
    EXPECT_EQ(std::memcmp(&b[84], "Dept", 5), 0);
    EXPECT_EQ(le::loadI32(&b[148]), 50);

    PrefixEntry p;
    p.callType = 2;
    p.prefix.assign("00");
    p.internationalCode.assign("49");
    p.changeCarrierTo = 3;
    p.flags = PrefixEntry::kFreeCalls;
    b = encodeOf(p);
    EXPECT_EQ(le::loadI32(&b[0]), 2);
    EXPECT_EQ(std::memcmp(&b[4], "00", 3), 0);
    EXPECT_EQ(std::memcmp(&b[36], "49", 3), 0);
    EXPECT_EQ(le::loadI32(&b[68]), 3);
    EXPECT_EQ(b[72], 2);

    DestinationEntry e;
    e.code.assign("4420");
    e.country.assign("United Kingdom");
    e.city.assign("London");
    e.rates[5].initialUnit = 42;
    b = encodeOf(e);
    EXPECT_EQ(std::memcmp(&b[32], "United Kingdom", 15), 0);
    EXPECT_EQ(std::memcmp(&b[96], "London", 7), 0);
    EXPECT_EQ(le::loadI32(&b[800 + 20]), 42);

    TrunkEntry t;
    t.number = 7;
    t.carrier = 5;
    t.group.assign("G");
    b = encodeOf(t);
    EXPECT_EQ(le::loadU32(&b[0]), 7u);
    EXPECT_EQ(le::loadI32(&b[4]), 5);
    EXPECT_EQ(b[8], 'G');

    ContactEntry c;
    c.number.assign("12*");
    c.name.assign("Bob");
    b = encodeOf(c);
    EXPECT_EQ(std::memcmp(&b[32], "Bob", 4), 0);
    EXPECT_EQ(b[96], 0);

    ProjectEntry pr;
    pr.accountCode.assign("77");
    pr.name.assign("Apollo");
    b = encodeOf(pr);
    EXPECT_EQ(std::memcmp(&b[16], "Apollo", 7), 0);
}

TEST(SettingsRecords, HeaderFieldsSitAtTheirOffsets)
{
    SettingsHeader h;
    h.weeklyHolidays[6] = 1; // Sunday
    h.exchangeRate = 1.25;
    h.overrideCurrency = 1;
    h.mainCurrency.symbol.assign("EUR");
    h.alternativeCurrency.symbolPosition = 3;
    h.linkAccountCodes = 1;
    h.counts.prefixes[5] = 9;
    h.counts.projects = 4;
    h.passwords[3].assign("op");
    const auto b = encodeOf(h);
    EXPECT_EQ(std::memcmp(&b[0], "UDGS", 4), 0);
    EXPECT_EQ(le::loadU32(&b[4]), 0x00010001u);
    EXPECT_EQ(std::memcmp(&b[120], "op", 3), 0); // plain: scrambling belongs to the file
    EXPECT_EQ(le::loadI32(&b[176]), 1);
    EXPECT_EQ(le::loadF64(&b[188]), 1.25);
    EXPECT_EQ(le::loadI32(&b[200]), 1);
    EXPECT_EQ(std::memcmp(&b[204], "EUR", 4), 0);
    EXPECT_EQ(le::loadU32(&b[268 + 24]), 3u);
    EXPECT_EQ(le::loadI32(&b[336]), 1);
    EXPECT_EQ(le::loadU32(&b[920]), 9u);
    EXPECT_EQ(le::loadU32(&b[928]), 4u);
}

TEST(SettingsRecords, TextFieldReadsBoundedAndCutsToFit)
{
    TextField<4> t;
    t.bytes = {'a', 'b', 'c', 'd'}; // no terminator
    EXPECT_EQ(t.view(), "abcd");
    t.assign("wxyz0");
    EXPECT_EQ(t.view(), "wxy");
    EXPECT_EQ(t.bytes[3], '\0');
}
