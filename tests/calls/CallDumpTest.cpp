#include "calls/CallDump.h"

#include <gtest/gtest.h>

namespace {

class Names : public CallNames
{
public:
    std::string destinationCode(const CallRecord&) const override { return "4930"; }
    std::string employee(const CallRecord&) const override { return "Ren\xE9, \"Boss\""; }
    std::string contact(const CallRecord& c) const override { return c.contactIndex >= 0 ? "Acme" : ""; }
};

} // namespace

TEST(CallDumpTest, HeaderHasTheTwentySevenColumns)
{
    const std::string_view h = calldump::header();
    EXPECT_EQ(std::count(h.begin(), h.end(), ','), 26);
    EXPECT_TRUE(h.starts_with("ext,trunk,number,acc,year,"));
    EXPECT_TRUE(h.ends_with(",contact,project,cost\n"));
}

TEST(CallDumpTest, RowQuotesAndConvertsTexts)
{
    CallRecord c = CallRecord::empty();
    c.extension = 101;
    c.trunk = 3;
    fixedtext::store(c.dialedNumber, "030-1234");
    fixedtext::store(c.accountCode, "1001");
    c.start = {2025, 1, 2, 9, 5};
    c.duration = 61;
    c.cdCode = {'T', 'R', 0, 0};
    c.ringTime = 4;
    c.direction = 1;
    c.suppliedCost = 0.1f;
    c.pulses = 2;
    fixedtext::store(c.nameText, "M\xDCLLER,A");
    c.callType = 1;
    c.cost = 1.0 / 3;
    c.carrierIndex = 2;
    std::string row;
    calldump::appendRow(row, c, CallNames{});
    EXPECT_EQ(row, "101,3,030-1234,1001,2025,1,2,9,5,61,TR,4,1,0.100000,2,\"M\xC3\x9CLLER,A\",1,0,0,2,,,,,"
                   "\"M\xC3\x9CLLER,A\",,0.333333\n");

    row.clear();
    c.contactIndex = 0;
    calldump::appendRow(row, c, Names{});
    EXPECT_NE(row.find(",2,4930,\"Ren\xC3\xA9, \"\"Boss\"\"\",,,Acme,,0.333333\n"), std::string::npos) << row;
}

TEST(CallDumpTest, FieldsAreQuotedOnlyWhenNeeded)
{
    std::string out;
    calldump::appendField(out, "plain text");
    calldump::appendField(out, "line\nbreak");
    calldump::appendField(out, "cr\r");
    EXPECT_EQ(out, "plain text\"line\nbreak\"\"cr\r\"");
}
