#include "filter/FilterRecord.h"

#include "FilterFixtures.h"
#include "core/LittleEndian.h"
#include "filter/FilterMatcher.h"
#include "filter/RangeText.h"

#include <gtest/gtest.h>

#include <random>

using namespace filtertest;

namespace {

std::int32_t i32At(const std::array<std::uint8_t, 960>& b, std::size_t at) { return le::loadI32(b.data() + at); }

} // namespace

TEST(FilterRecordLayout, NeutralFilterBytes)
{
    const auto b = FilterRecord{}.bytes();
    std::array<std::uint8_t, 960> expected{};
    for (std::size_t at :
         {0x004, 0x008, 0x00C, 0x010, 0x014, 0x042, 0x116, 0x1DE, 0x28A, 0x2EA, 0x32E, 0x332, 0x336, 0x33A})
        le::storeI32(expected.data() + at, 1);
    expected[0x128 + 4] = 23; // To: date 0, 23:59
    expected[0x128 + 5] = 59;
    expected[0x134] = 23; // starting time to 23:59
    expected[0x135] = 59;
    for (std::size_t at : {0x13A, 0x13E, 0x2DE, 0x2E2})
        le::storeI32(expected.data() + at, -1);
    le::storeF64(expected.data() + 0x146, -1.0);
    le::storeF64(expected.data() + 0x14E, -1.0);
    EXPECT_EQ(b, expected);
}

TEST(FilterRecordLayout, FieldsAtTheirOffsets)
{
    FilterRecord f;
    f.invert = 2;
    f.cd = {'T', 'R'};
    FilterRecord::setText(f.number, "12*4");
    f.setDestination("Germany - Berlin");
    FilterRecord::setText(f.contact, "Acme");
    f.from = {2005, 3, 1, 7, 8};
    f.timeFrom = {22, 5};
    f.minDuration = 60;
    f.maxCost = 2.5;
    FilterRecord::setText(f.employee, "Smith");
    FilterRecord::setText(f.department, "Sales");
    f.extensions.setSingle(205);
    FilterRecord::setText(f.account, "12*");
    f.carrier = 4;
    FilterRecord::setText(f.trunkGroup, "City");
    f.trunks.count = 2;
    f.trunks.high[1] = 77;
    f.maxRing = 30;
    FilterRecord::setText(f.project, "Alpha");
    f.includeUserTypes[3] = 0;
    f.reserved[129] = 0xAB;

    const auto b = f.bytes();
    EXPECT_EQ(i32At(b, 0x000), 2);
    EXPECT_EQ(b[0x01C], 'T');
    EXPECT_EQ(b[0x01D], 'R');
    EXPECT_EQ(fixedtext::view(b.data() + 0x022, 32), "12*4");
    EXPECT_EQ(fixedtext::view(b.data() + 0x04E, 132), "Germany - Berlin");
    EXPECT_EQ(fixedtext::view(b.data() + 0x0D6, 64), "Acme");
    EXPECT_EQ(le::loadU16(b.data() + 0x11E), 2005);
    EXPECT_EQ(b[0x11E + 5], 8);
    EXPECT_EQ(b[0x132], 22);
    EXPECT_EQ(b[0x133], 5);
    EXPECT_EQ(i32At(b, 0x13A), 60);
    EXPECT_EQ(le::loadF64(b.data() + 0x14E), 2.5);
    EXPECT_EQ(fixedtext::view(b.data() + 0x15A, 64), "Smith");
    EXPECT_EQ(fixedtext::view(b.data() + 0x19E, 64), "Sales");
    EXPECT_EQ(i32At(b, 0x1E6), 1);
    EXPECT_EQ(i32At(b, 0x1E6 + 4), 205);      // first lower bound
    EXPECT_EQ(i32At(b, 0x1E6 + 4 + 32), 205); // first upper bound
    EXPECT_EQ(fixedtext::view(b.data() + 0x22E, 16), "12*");
    EXPECT_EQ(i32At(b, 0x242), 4);
    EXPECT_EQ(fixedtext::view(b.data() + 0x24A, 64), "City");
    EXPECT_EQ(i32At(b, 0x292), 2);
    EXPECT_EQ(i32At(b, 0x292 + 4 + 32 + 4), 77); // second upper bound
    EXPECT_EQ(i32At(b, 0x2E2), 30);
    EXPECT_EQ(fixedtext::view(b.data() + 0x2EE, 64), "Alpha");
    EXPECT_EQ(i32At(b, 0x33A), 0);
    EXPECT_EQ(b[959], 0xAB);
}

TEST(FilterRecordLayout, AnyBytesRoundTripUnchanged)
{
    std::mt19937 random(5);
    for (int round = 0; round < 20; ++round) {
        std::array<std::uint8_t, 960> in;
        for (auto& byte : in)
            byte = static_cast<std::uint8_t>(random());
        EXPECT_EQ(FilterRecord::decode(in).bytes(), in);
    }
}

TEST(FilterRecordLayout, TextsReadBoundedByTheirFields)
{
    std::array<std::uint8_t, 960> in = FilterRecord{}.bytes();
    std::fill(in.begin() + 0x04E, in.begin() + 0x0D2, 'D'); // destination: 132 bytes, no terminator
    std::fill(in.begin() + 0x15A, in.begin() + 0x19A, 'E'); // employee: 64 bytes, no terminator
    std::fill(in.begin() + 0x22E, in.begin() + 0x23E, '7'); // account code: 16 bytes
    const FilterRecord f = FilterRecord::decode(in);
    EXPECT_EQ(f.destinationText(), std::string(132, 'D'));
    EXPECT_EQ(f.employeeText(), std::string(64, 'E'));
    EXPECT_EQ(f.accountText(), std::string(16, '7'));
    EXPECT_TRUE(f.departmentText().empty());

    FilterRecord g;
    g.setDestination(std::string(140, 'x'));
    EXPECT_EQ(g.destinationText().size(), 132u);
    FilterRecord::setText(g.employee, std::string(70, 'y'));
    EXPECT_EQ(g.employeeText().size(), 63u);
}

TEST(FilterRecordActive, OnlyIncludeFlagsInvertAndEnabledCriteriaCount)
{
    FilterRecord f;
    EXPECT_FALSE(f.isActive());
    // Texts, bounds and exact-match flags of disabled criteria.
    FilterRecord::setText(f.employee, "Smith");
    f.minDuration = 10;
    f.numberExact = 0;
    f.extensions.setSingle(100);
    f.carrier = 3;
    EXPECT_FALSE(f.isActive());

    std::int32_t FilterRecord::*flags[] = {
        &FilterRecord::invert,      &FilterRecord::cdOn,      &FilterRecord::numberOn,   &FilterRecord::destinationOn,
        &FilterRecord::contactOn,   &FilterRecord::fromOn,    &FilterRecord::toOn,       &FilterRecord::timeOn,
        &FilterRecord::durationOn,  &FilterRecord::costOn,    &FilterRecord::employeeOn, &FilterRecord::departmentOn,
        &FilterRecord::extensionOn, &FilterRecord::accountOn, &FilterRecord::carrierOn,  &FilterRecord::trunkGroupOn,
        &FilterRecord::trunkOn,     &FilterRecord::ringOn,    &FilterRecord::projectOn};
    for (auto flag : flags) {
        FilterRecord g;
        g.*flag = 1;
        EXPECT_TRUE(g.isActive());
    }
    std::int32_t FilterRecord::*includes[] = {&FilterRecord::includeOutgoing, &FilterRecord::includeIncoming,
                                              &FilterRecord::includeLocal, &FilterRecord::includeLongDistance,
                                              &FilterRecord::includeInternational};
    for (auto flag : includes) {
        FilterRecord g;
        g.*flag = 0;
        EXPECT_TRUE(g.isActive());
    }
    for (std::size_t i = 0; i < 4; ++i) {
        FilterRecord g;
        g.includeUserTypes[i] = 0;
        EXPECT_TRUE(g.isActive());
    }
}

class FilterMatchTest : public ::testing::Test
{
protected:
    SettingsDatabase db = office();
    FilterRecord f;
    bool accepts(const CallRecord& c) const { return f.accept(c, db); }
};

TEST_F(FilterMatchTest, DirectionAndCallTypes)
{
    f.includeOutgoing = 0;
    CallRecord c = call();
    EXPECT_FALSE(accepts(c));
    c.direction = 1;
    EXPECT_TRUE(accepts(c));
    c.direction = 7; // neither outgoing nor incoming
    EXPECT_TRUE(accepts(c));

    f = FilterRecord{};
    f.includeUserTypes[1] = 0; // user type 2 = call type 4
    c.callType = 4;
    EXPECT_FALSE(accepts(c));
    c.callType = 3;
    EXPECT_TRUE(accepts(c));
}

TEST_F(FilterMatchTest, DateBoundsAreInclusiveToTheMinute)
{
    f.fromOn = f.toOn = 1;
    f.from = {2005, 3, 1, 0, 0};
    f.to = {2005, 3, 1, 23, 59};
    CallRecord c = call();
    for (const auto& [start, passes] : {std::pair{CallDate{2005, 3, 1, 0, 0}, true},
                                        {CallDate{2005, 3, 1, 23, 59}, true},
                                        {CallDate{2005, 2, 28, 23, 59}, false},
                                        {CallDate{2005, 3, 2, 0, 0}, false}}) {
        c.start = start;
        EXPECT_EQ(accepts(c), passes) << int(start.day) << " " << int(start.hour);
    }
}

TEST_F(FilterMatchTest, StartingTimeDoesNotWrapPastMidnight)
{
    f.timeOn = 1;
    f.timeFrom = {22, 0};
    f.timeTo = {6, 0};
    CallRecord c = call();
    for (std::uint8_t hour : {0, 5, 22, 23}) {
        c.start.hour = hour;
        EXPECT_FALSE(accepts(c));
    }
    f.timeFrom = {9, 30};
    f.timeTo = {9, 30};
    c.start = {2025, 1, 1, 9, 30};
    EXPECT_TRUE(accepts(c));
}

TEST_F(FilterMatchTest, DurationRingTimeAndCostBounds)
{
    CallRecord c = call();
    f.durationOn = 1;
    f.minDuration = f.maxDuration = 60;
    EXPECT_TRUE(accepts(c));
    c.duration = 61;
    EXPECT_FALSE(accepts(c));
    f.minDuration = -1;
    f.maxDuration = 60;
    c.duration = 0;
    EXPECT_TRUE(accepts(c));

    f = FilterRecord{};
    f.ringOn = 1;
    f.minRing = 10;
    EXPECT_FALSE(accepts(c)); // ring time 5

    f = FilterRecord{};
    f.costOn = 1;
    f.minCost = -1.0; // entered as -1: no bound
    f.maxCost = 1.0;
    c.cost = 1.0;
    EXPECT_TRUE(accepts(c));
    c.cost = 1.01;
    EXPECT_FALSE(accepts(c));
    f.minCost = 0.5;
    f.maxCost = -1.0;
    c.cost = 1000.0;
    EXPECT_TRUE(accepts(c));
}

TEST_F(FilterMatchTest, CdPatternsWithQuestionMarkAndBlanks)
{
    f.cdOn = 1;
    f.cd = {'T', '?'};
    CallRecord c = call();
    const auto withCd = [&](char a, char b) {
        c.cdCode = {a, b, 0, 0};
        return accepts(c);
    };
    EXPECT_TRUE(withCd('T', 'R'));
    EXPECT_TRUE(withCd('T', 'X'));
    EXPECT_FALSE(withCd('D', 'R'));
    f.cd = {'D', ' '};
    EXPECT_TRUE(withCd('D', ' '));
    EXPECT_TRUE(withCd('D', '\0'));
    EXPECT_FALSE(withCd('D', 'S'));
    f.cd = {'\0', '\0'}; // an empty pattern wants an empty code
    EXPECT_TRUE(withCd(' ', '\0'));
    EXPECT_FALSE(withCd('F', 'W'));
}

TEST_F(FilterMatchTest, DialledNumberOverDashesWithAndWithoutExactMatch)
{
    f.numberOn = 1;
    f.numberExact = 0;
    FilterRecord::setText(f.number, "12");
    CallRecord c = call();
    const auto withNumber = [&](std::string_view n) {
        fixedtext::store(c.dialedNumber, n);
        return accepts(c);
    };
    EXPECT_TRUE(withNumber("1234"));
    EXPECT_TRUE(withNumber("1-234"));
    EXPECT_FALSE(withNumber("1"));
    f.numberExact = 1;
    EXPECT_TRUE(withNumber("12"));
    EXPECT_TRUE(withNumber("1-2"));
    EXPECT_FALSE(withNumber("1234"));
    FilterRecord::setText(f.number, "0*1");
    EXPECT_TRUE(withNumber("0 7 1"));
    EXPECT_FALSE(withNumber("0712"));
    f.numberExact = 0;
    EXPECT_TRUE(withNumber("0-71"));
    FilterRecord::setText(f.number, "");
    EXPECT_TRUE(withNumber("555"));
    f.numberExact = 1;
    EXPECT_FALSE(withNumber("555"));
    EXPECT_TRUE(withNumber(""));
}

TEST_F(FilterMatchTest, AccountCodeWildcardsOnEitherSide)
{
    f.accountOn = 1;
    FilterRecord::setText(f.account, "12*4");
    CallRecord c = call();
    const auto withCode = [&](std::string_view code) {
        fixedtext::store(c.accountCode, code);
        return accepts(c);
    };
    EXPECT_TRUE(withCode("1234"));
    EXPECT_TRUE(withCode("1294"));
    EXPECT_FALSE(withCode("123"));
    EXPECT_FALSE(withCode("12345"));
    EXPECT_TRUE(withCode("1*34")); // "*" in the call's code matches too
    FilterRecord::setText(f.account, "***");
    EXPECT_TRUE(withCode("999"));
    EXPECT_FALSE(withCode("99"));
    EXPECT_FALSE(withCode("9999"));
    EXPECT_FALSE(withCode(""));
}

TEST_F(FilterMatchTest, RangeLists)
{
    f.extensionOn = 1;
    CallRecord c = call();
    EXPECT_FALSE(accepts(c)); // count 0 keeps nothing
    f.extensions.count = 2;
    f.extensions.low = {200, -1};
    f.extensions.high = {299, 100}; // open to 100
    EXPECT_TRUE(accepts(c));
    c.extension = 101;
    EXPECT_FALSE(accepts(c));
    c.extension = 250;
    EXPECT_TRUE(accepts(c));

    // A count above eight is taken as eight: the ninth slot does not exist.
    f.extensions = RangeList{};
    f.extensions.count = 1000;
    f.extensions.low.fill(1);
    f.extensions.high.fill(1);
    f.extensions.low[7] = f.extensions.high[7] = 250;
    EXPECT_TRUE(accepts(c));
    f.extensions.count = -3;
    EXPECT_FALSE(accepts(c));
}

TEST_F(FilterMatchTest, RangesCompareTheCallsUnsignedNumbers)
{
    // A call without extension or trunk carries the largest unsigned number: it
    // lies above "7-" and not below "-50", in the record and in the fast path.
    CallRecord c = call();
    c.extension = c.trunk = 0xFFFFFFFFu;
    for (RangeList FilterRecord::*ranges : {&FilterRecord::extensions, &FilterRecord::trunks}) {
        f = FilterRecord{};
        f.extensionOn = f.trunkOn = 1;
        f.extensions = f.trunks = rangetext::parse("-");
        (f.*ranges) = rangetext::parse("-50");
        EXPECT_FALSE(accepts(c));
        EXPECT_FALSE(FilterMatcher(f, db).accept(c));
        (f.*ranges) = rangetext::parse("7-");
        EXPECT_TRUE(accepts(c));
        EXPECT_TRUE(FilterMatcher(f, db).accept(c));
    }
}

TEST_F(FilterMatchTest, TrunkGroupReplacesTrunkRanges)
{
    CallRecord c = call();
    c.trunk = 3;
    c.trunkIndex = trunkOf(db, 3); // "Mobile"
    f.trunkOn = 1;
    f.trunks.setSingle(1);
    EXPECT_FALSE(accepts(c));
    f.trunkGroupOn = 1;
    FilterRecord::setText(f.trunkGroup, "Mob");
    f.trunkGroupExact = 0;
    EXPECT_TRUE(accepts(c)); // trunk ranges ignored
    f.trunkGroupExact = 1;
    EXPECT_FALSE(accepts(c));
    c.trunkIndex = -1;
    FilterRecord::setText(f.trunkGroup, "");
    f.trunkGroupExact = 0;
    EXPECT_FALSE(accepts(c)); // no trunk entry: fails even an empty name
}

TEST_F(FilterMatchTest, EmployeeUsesTheDepartmentTextAsItsDepartment)
{
    CallRecord c = call();
    f.employeeOn = 1;
    f.departmentOn = 1;
    f.departmentExact = 0;
    FilterRecord::setText(f.employee, "Smith");
    FilterRecord::setText(f.department, "Service");
    c.directoryIndex = directoryOf(db, 100); // Smith, Sales
    EXPECT_FALSE(accepts(c));
    c.directoryIndex = directoryOf(db, 101); // Smith, Service
    EXPECT_TRUE(accepts(c));
    c.departmentIndex = -1; // the department criterion is not evaluated
    EXPECT_TRUE(accepts(c));
    FilterRecord::setText(f.department, "Serv"); // always equal, never begins-with
    EXPECT_FALSE(accepts(c));
    c.directoryIndex = directoryOf(db, 103); // "smith": case matters
    FilterRecord::setText(f.department, "Sales");
    EXPECT_FALSE(accepts(c));
}

TEST_F(FilterMatchTest, DepartmentProjectAndContactExactOrBeginsWith)
{
    CallRecord c = call();
    f.departmentOn = 1;
    FilterRecord::setText(f.department, "Sal");
    c.departmentIndex = db.departmentIndex("Sales");
    EXPECT_FALSE(accepts(c));
    f.departmentExact = 0;
    EXPECT_TRUE(accepts(c));

    f = FilterRecord{};
    f.projectOn = 1;
    FilterRecord::setText(f.project, "Alpha");
    c.projectIndex = db.projectNameIndex("Alpha 2");
    EXPECT_FALSE(accepts(c));
    f.projectExact = 0;
    EXPECT_TRUE(accepts(c));
    FilterRecord::setText(f.project, "Alpha 2 and more");
    EXPECT_FALSE(accepts(c)); // the project's name is shorter than the filter's

    f = FilterRecord{};
    f.contactOn = 1;
    FilterRecord::setText(f.contact, "Acme");
    c.contactIndex = db.contactNameIndex("Acme Ltd");
    EXPECT_FALSE(accepts(c));
    f.contactExact = 0;
    EXPECT_TRUE(accepts(c));
    c.contactIndex = -1; // no contact: the call's own name text
    EXPECT_FALSE(accepts(c));
    fixedtext::store(c.nameText, "Acme Gmbh");
    EXPECT_TRUE(accepts(c));
    f.unknownNumbers = 1;
    EXPECT_FALSE(accepts(c));
    fixedtext::store(c.nameText, "");
    EXPECT_TRUE(accepts(c));
}

TEST_F(FilterMatchTest, DestinationBeginsWithItsDisplayText)
{
    CallRecord c = call();
    f.destinationOn = 1;
    f.setDestination("Germany");
    c.destinationIndex = destinationOf(db, "4930");
    EXPECT_TRUE(accepts(c)); // every city of the country
    f.setDestination("Germany - Berlin");
    EXPECT_TRUE(accepts(c));
    c.destinationIndex = destinationOf(db, "49");
    EXPECT_FALSE(accepts(c));
    c.destinationIndex = -1;
    f.setDestination("");
    EXPECT_FALSE(accepts(c));

    f.unknownDestinations = 1;
    EXPECT_TRUE(accepts(c));
    c.localFlag = 1; // local calls are never looked up
    EXPECT_FALSE(accepts(c));
    c.localFlag = 0;
    c.destinationIndex = destinationOf(db, "331");
    EXPECT_FALSE(accepts(c));

    // A destination text that fills all 132 bytes compares all of them.
    f.unknownDestinations = 0;
    f.setDestination(std::string(132, 'F'));
    EXPECT_FALSE(accepts(c));
}

TEST_F(FilterMatchTest, InvertShowsCallsRejectedForMissingIndexes)
{
    f.invert = 1;
    EXPECT_FALSE(accepts(call())); // a neutral record matches: inverted, nothing passes

    f.employeeOn = 1;
    FilterRecord::setText(f.employee, "Jones");
    FilterRecord::setText(f.department, "Sales");
    CallRecord c = call();
    EXPECT_TRUE(accepts(c)); // no employee at all
    c.directoryIndex = directoryOf(db, 102);
    EXPECT_FALSE(accepts(c));
    c.directoryIndex = 999; // an index from other settings leads to no name
    EXPECT_TRUE(accepts(c));

    f = FilterRecord{};
    f.invert = 1;
    f.numberOn = 1;
    FilterRecord::setText(f.number, "030");
    f.numberExact = 0;
    EXPECT_FALSE(accepts(c));
    fixedtext::store(c.dialedNumber, "040123");
    EXPECT_TRUE(accepts(c));
}
