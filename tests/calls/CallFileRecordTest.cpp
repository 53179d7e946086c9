#include "calls/CallFileRecord.h"

#include "core/LittleEndian.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

// A record with every field set to a distinct value at its offset.
CallFileRecord sampleRecord()
{
    CallFileRecord r;
    std::uint8_t* p = r.bytes.data();
    le::storeU32(p + 0, 7);          // trunk
    le::storeU32(p + 4, 0x01020304); // extension
    le::storeU32(p + 8, 3725);       // duration
    p[12] = 4;
    p[13] = 3;
    p[14] = 'T';
    p[15] = 'R';
    p[16] = 0x21; // "1234"
    p[17] = 0x43;
    p[31] = 0x98; // "897"
    p[32] = 0x07;
    le::storeU16(p + 36, 2024);
    p[38] = 2;
    p[39] = 29;
    p[40] = 23;
    p[41] = 59;
    p[42] = 1;
    le::storeU16(p + 46, 0xFFFE);
    le::storeF32(p + 48, 1.25f);
    le::storeU16(p + 52, 0xABCD);
    std::memcpy(p + 54, "ABCDEFGHIJ", 10);
    return r;
}

} // namespace

TEST(CallFileRecordTest, ReadsEveryFieldAtItsOffset)
{
    const CallRecord c = sampleRecord().toCall();
    EXPECT_EQ(c.trunk, 7u);
    EXPECT_EQ(c.extension, 0x01020304u);
    EXPECT_EQ(c.duration, 3725u);
    EXPECT_EQ(c.number(), "1234");
    EXPECT_EQ(c.account(), "897");
    EXPECT_EQ(c.cd(), "TR");
    EXPECT_EQ(c.start, (CallDate{2024, 2, 29, 23, 59}));
    EXPECT_EQ(c.direction, 1u);
    EXPECT_EQ(c.pulses, 0xFFFEu);
    EXPECT_EQ(c.suppliedCost, 1.25);
    EXPECT_EQ(c.ringTime, 0xABCDu);
    // All ten name characters, terminated in memory although the file has no terminator.
    EXPECT_EQ(c.name(), "ABCDEFGHIJ");
    EXPECT_EQ(c.nameText[10], '\0');
    EXPECT_EQ(c.callType, 0);
    EXPECT_EQ(c.cost, 0.0);
    EXPECT_EQ(c.directoryIndex, 0);
    EXPECT_EQ(c.projectIndex, 0);
}

TEST(CallFileRecordTest, WriteIsTheInverseOfRead)
{
    const CallFileRecord original = sampleRecord();
    EXPECT_EQ(CallFileRecord::fromCall(original.toCall()).bytes, original.bytes);
}

TEST(CallFileRecordTest, DigitCountsAreCapped)
{
    CallFileRecord r;
    r.bytes.fill(0x11); // every nibble 1
    r.bytes[12] = 0xC5; // the top two bits are not part of the count
    r.bytes[13] = 12;
    CallRecord c = r.toCall();
    EXPECT_EQ(c.number(), "11111");
    EXPECT_EQ(c.account(), "1111111111");

    r.bytes[12] = 0x3F; // 63 -> 30
    c = r.toCall();
    EXPECT_EQ(c.number(), std::string(30, '1'));
    // Written back, the counts are what was stored: 30 and 10, top bits clear.
    const CallFileRecord back = CallFileRecord::fromCall(c);
    EXPECT_EQ(back.bytes[12], 30);
    EXPECT_EQ(back.bytes[13], 10);
}

TEST(CallFileRecordTest, NibblesAboveNineReadAsPunctuationAndAreDroppedOnWrite)
{
    CallFileRecord r;
    r.bytes[12] = 6;
    r.bytes[16] = 0xBA; // digits 0, 1: nibbles 10, 11
    r.bytes[17] = 0xDC;
    r.bytes[18] = 0xFE;
    const CallRecord c = r.toCall();
    EXPECT_EQ(c.number(), ":;<=>?");
    EXPECT_EQ(CallFileRecord::fromCall(c).bytes[12], 0);

    r.bytes[12] = 3;
    r.bytes[16] = 0xC1; // "1<5"
    r.bytes[17] = 0x05;
    const CallRecord once = CallFileRecord::fromCall(r.toCall()).toCall();
    EXPECT_EQ(once.number(), "15");
}

TEST(CallFileRecordTest, DashesAreNotStored)
{
    CallRecord c{};
    fixedtext::store(c.dialedNumber, "8-10-44-207");
    const CallFileRecord r = CallFileRecord::fromCall(c);
    EXPECT_EQ(r.bytes[12], 8);
    EXPECT_EQ(r.toCall().number(), "81044207");
}

TEST(CallFileRecordTest, AccountCharactersAreStoredByTheirLowBits)
{
    CallRecord c{};
    fixedtext::store(c.accountCode, "12A4567890123"); // 'A' - '0' = 17 -> 1; cut at 10 characters
    const CallFileRecord r = CallFileRecord::fromCall(c);
    EXPECT_EQ(r.bytes[13], 10);
    EXPECT_EQ(r.toCall().account(), "1214567890");
}

TEST(CallFileRecordTest, SuppliedCostIsSinglePrecision)
{
    CallFileRecord r;
    le::storeF32(r.bytes.data() + 48, 0.1f);
    const CallRecord c = r.toCall();
    EXPECT_EQ(c.suppliedCost, static_cast<double>(0.1f));
    EXPECT_NEAR(c.suppliedCost, 0.100000001490116, 1e-15);
    EXPECT_EQ(le::loadF32(CallFileRecord::fromCall(c).bytes.data() + 48), 0.1f);
}

TEST(CallFileRecordTest, WriteKeepsLowBitsAndClearsReservedBytes)
{
    CallRecord c{};
    c.direction = 0x1FF;
    c.ringTime = 0x12345;
    c.pulses = 0x10002;
    const CallFileRecord r = CallFileRecord::fromCall(c);
    EXPECT_EQ(r.bytes[42], 0xFF);
    EXPECT_EQ(le::loadU16(r.bytes.data() + 52), 0x2345);
    EXPECT_EQ(le::loadU16(r.bytes.data() + 46), 0x0002);
    EXPECT_EQ(r.bytes[43] | r.bytes[44] | r.bytes[45], 0);
}

TEST(CallDateTest, Validity)
{
    EXPECT_TRUE((CallDate{2024, 2, 29, 0, 0}).isValid());
    EXPECT_FALSE((CallDate{2023, 2, 29, 0, 0}).isValid());
    EXPECT_TRUE((CallDate{2000, 2, 29, 0, 0}).isValid());
    EXPECT_FALSE((CallDate{2100, 2, 28, 0, 0}).isValid()); // beyond 2099
    EXPECT_TRUE((CallDate{1980, 1, 1, 23, 59}).isValid());
    EXPECT_FALSE((CallDate{1979, 12, 31, 0, 0}).isValid());
    EXPECT_FALSE((CallDate{2024, 4, 31, 0, 0}).isValid());
    EXPECT_FALSE((CallDate{2024, 13, 1, 0, 0}).isValid());
    EXPECT_FALSE((CallDate{2024, 1, 0, 0, 0}).isValid());
    EXPECT_FALSE((CallDate{2024, 1, 1, 24, 0}).isValid());
    EXPECT_FALSE((CallDate{2024, 1, 1, 0, 60}).isValid());
}

TEST(CallRecordTest, EmptyCallHasNoIndexes)
{
    const CallRecord e = CallRecord::empty();
    for (const std::int32_t index : {e.directoryIndex, e.trunkIndex, e.destinationIndex, e.contactIndex, e.carrierIndex,
                                     e.departmentIndex, e.projectIndex})
        EXPECT_EQ(index, -1);
    EXPECT_EQ(e.callType, 0);
    EXPECT_EQ(e.number(), "");
}
