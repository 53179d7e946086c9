#include "RatingFixtures.h"

#include <gtest/gtest.h>

using namespace ratingtest;

namespace {

RatingOptions noDashes()
{
    RatingOptions o;
    o.dashAfterTollPrefix = false;
    o.dashAfterCode = false;
    return o;
}

// Carrier 1 with the usual plan: "" local, "0" long distance, "00" international.
SettingsDatabase planSettings()
{
    SettingsDatabase db = plainSettings();
    db.prefixes[0] = {prefix("", 0), prefix("0", 1), prefix("00", 2)};
    db.destinations = {destination("44", "United Kingdom"), destination("4420", "London"),
                       destination("221", "Cologne")};
    return db;
}

std::string codeOf(const SettingsDatabase& db, const CallRecord& c)
{
    return c.destinationIndex < 0 ? "" : db.destinations[static_cast<std::size_t>(c.destinationIndex)].code.str();
}

} // namespace

TEST(ClassifyEmployee, AccountCodeDecidesUnlessLinkedToProjects)
{
    SettingsDatabase db = plainSettings();
    db.directory = {employee(100, "", "Anna", "Sales"), employee(200, "4711", "Bert", "")};
    ProjectEntry project;
    project.accountCode.assign("4711");
    project.name.assign("Roof");
    db.projects = {project};
    CallRecord c = call("123");
    fixedtext::store(c.accountCode, "4711");

    CallRecord byAccount = rated(db, c);
    EXPECT_EQ(db.directory[static_cast<std::size_t>(byAccount.directoryIndex)].name.view(), "Bert");
    EXPECT_EQ(byAccount.projectIndex, -1);
    EXPECT_EQ(db.departments()[byAccount.departmentIndex], ""); // the empty department is a name too

    db.header.linkAccountCodes = 1;
    CallRecord linked = rated(db, c);
    EXPECT_EQ(db.directory[static_cast<std::size_t>(linked.directoryIndex)].name.view(), "Anna");
    EXPECT_EQ(db.departments()[linked.departmentIndex], "Sales");
    EXPECT_EQ(db.projectNames()[linked.projectIndex], "Roof");

    fixedtext::store(c.accountCode, "");
    EXPECT_EQ(rated(db, c).projectIndex, -1);
    c.extension = 300;
    const CallRecord nobody = rated(db, c);
    EXPECT_EQ(nobody.directoryIndex, -1);
    EXPECT_EQ(nobody.departmentIndex, -1);
}

TEST(ClassifyTrunk, UnknownTrunkAndCarrierOutsideTheBlocksKeepCarrierOne)
{
    SettingsDatabase db = plainSettings();
    db.trunks = {trunk(1, 2, "City"), trunk(2, 6), trunk(3, -1)};
    CallRecord c = call("123");
    const CallRecord known = rated(db, c);
    EXPECT_EQ(known.carrierIndex, 2);
    EXPECT_EQ(db.trunks[static_cast<std::size_t>(known.trunkIndex)].number, 1u);

    for (std::uint32_t number : {2u, 3u}) {
        c.trunk = number;
        const CallRecord odd = rated(db, c);
        EXPECT_GE(odd.trunkIndex, 0) << number; // the trunk is still identified
        EXPECT_EQ(odd.carrierIndex, 0) << number;
    }
    c.trunk = 99;
    const CallRecord unknown = rated(db, c);
    EXPECT_EQ(unknown.trunkIndex, -1);
    EXPECT_EQ(unknown.carrierIndex, 0);
}

TEST(ClassifyContact, FewestWildcardsThenListOrder)
{
    SettingsDatabase db = plainSettings();
    db.contacts = {contact("1*", "Any one"),       contact("10", "Ten"),       contact("11", "Eleven"),
                   contact("12", "Twelve"),        contact("13", "Thirteen"),  contact("5**", "Five hundreds"),
                   contact("5*7", "Five x seven"), contact("56*", "Fifty-six")};
    db.rebuildIndexes();
    CallRating rating(db, {});
    const auto nameOf = [&](const char* number) -> std::string {
        const int at = rating.findContact(number);
        return at < 0 ? "-" : db.contacts[static_cast<std::size_t>(at)].name.str();
    };
    EXPECT_EQ(nameOf("19"), "Any one"); // a search over the sorted list could miss it
    EXPECT_EQ(nameOf("10"), "Ten");     // the exact number beats the wildcard
    EXPECT_EQ(nameOf("13"), "Thirteen");
    EXPECT_EQ(nameOf("567"), "Five x seven"); // one "*" each: "5*7" sorts before "56*"
    EXPECT_EQ(nameOf("568"), "Fifty-six");
    EXPECT_EQ(nameOf("599"), "Five hundreds");
    EXPECT_EQ(nameOf("1"), "-"); // same length only
    EXPECT_EQ(nameOf("100"), "-");
    EXPECT_EQ(nameOf(""), "-");

    // Small list: the index is the name's place among the distinct names.
    CallRecord c = call("12");
    rating.classify(c);
    EXPECT_EQ(db.contactNames()[c.contactIndex], "Twelve");
    c = call("");
    rating.classify(c);
    EXPECT_EQ(c.contactIndex, -1);
}

TEST(ClassifyContact, LargeListIndexIsTheListPosition)
{
    SettingsDatabase db = plainSettings();
    for (int i = 0; i < 4001; ++i)
        db.contacts.push_back(contact(std::to_string(100000 + i).c_str(), "Same name"));
    db.contacts.push_back(contact("2*****", "Wild"));
    const CallRecord c = rated(db, call("104000"));
    ASSERT_GE(c.contactIndex, 0);
    EXPECT_EQ(db.contacts[static_cast<std::size_t>(c.contactIndex)].number.view(), "104000");
    const CallRecord w = rated(db, call("212345"));
    EXPECT_EQ(db.contacts[static_cast<std::size_t>(w.contactIndex)].name.view(), "Wild");
}

TEST(ClassifyPrefix, LongestMatchThenFirstInList)
{
    SettingsDatabase db = planSettings();
    const CallRecord intl = rated(db, call("00441234"), noDashes());
    EXPECT_EQ(intl.callType, 2);
    const CallRecord ld = rated(db, call("02211234"), noDashes());
    EXPECT_EQ(ld.callType, 1);

    // Equal lengths: the earlier entry decides; "*" on the prefix side matches any digit.
    db.prefixes[0] = {prefix("0*", 5), prefix("01", 6), prefix("", 3, "", 0, PrefixEntry::kTreatAsLocal)};
    EXPECT_EQ(rated(db, call("0123")).callType, 5);
    const CallRecord other = rated(db, call("777"));
    EXPECT_EQ(other.callType, 3); // the empty prefix is the default
    EXPECT_EQ(other.localFlag, 1u);
    EXPECT_EQ(rated(db, call("0")).callType, 3); // the number is shorter than "0*"

    db.prefixes[0] = {prefix("0", 1)};
    const CallRecord none = rated(db, call("7654321"));
    EXPECT_EQ(none.callType, 0);
    EXPECT_EQ(none.localFlag, 1u);
    EXPECT_EQ(none.destinationIndex, -1);
    EXPECT_EQ(none.number(), "7654321");
}

TEST(ClassifyPrefix, ChangeOfCarrierOnlyToCarriersOneToSix)
{
    SettingsDatabase db = plainSettings();
    db.trunks = {trunk(1, 0)};
    db.prefixes[0] = {prefix("010", 0, "", 3), prefix("011", 0, "", 7), prefix("012", 0, "", -2)};
    db.carriers[2].localRate = flatRate(1.0);
    db.carriers[0].localRate = flatRate(0.5);
    const CallRecord changed = rated(db, call("0105551234", 120));
    EXPECT_EQ(changed.carrierIndex, 2);
    EXPECT_DOUBLE_EQ(changed.cost, 2.0); // priced with carrier 3's rates
    EXPECT_EQ(rated(db, call("0115551234")).carrierIndex, 0);
    EXPECT_EQ(rated(db, call("0125551234")).carrierIndex, 0);
}

TEST(ClassifyPrefix, LocalAndFreeFlags)
{
    SettingsDatabase db = plainSettings();
    db.prefixes[0] = {prefix("0800", 3, "", 0, PrefixEntry::kFreeCalls | PrefixEntry::kTreatAsLocal), prefix("0900", 4),
                      prefix("110", 0, "", 0, PrefixEntry::kFreeCalls),
                      prefix("0", 1, "", 0, PrefixEntry::kTreatAsLocal)};
    db.carriers[0].flags = CarrierBlock::kUseSuppliedCost;
    CallRecord c = call("08001234567");
    c.suppliedCost = 3.0;
    const CallRecord free = rated(db, c);
    EXPECT_EQ(free.localFlag, 1u);
    EXPECT_EQ(free.freeFlag, 1u);
    EXPECT_EQ(free.cost, 0.0); // free even with supplied charges
    EXPECT_EQ(rated(db, call("09001234567")).localFlag, 0u);
    EXPECT_EQ(rated(db, call("110")).freeFlag, 1u);
    EXPECT_EQ(rated(db, call("0221")).localFlag, 0u); // "Treat calls as local" counts for types 3-6 only
}

TEST(ClassifyDestination, GrowingKeyWithDashes)
{
    SettingsDatabase db = planSettings();
    const CallRecord london = rated(db, call("00442071234567"));
    EXPECT_EQ(london.number(), "00-4420-71234567");
    EXPECT_EQ(codeOf(db, london), "4420");

    const CallRecord plain = rated(db, call("00442071234567"), noDashes());
    EXPECT_EQ(plain.number(), "00442071234567");
    EXPECT_EQ(codeOf(db, plain), "4420");

    // The last digit never becomes part of a code.
    const CallRecord exact = rated(db, call("0044"));
    EXPECT_EQ(exact.destinationIndex, -1);
    EXPECT_EQ(exact.number(), "00-44");
    EXPECT_EQ(codeOf(db, rated(db, call("00445"))), "44");

    // The international code of the prefix starts the key.
    db.prefixes[0] = {prefix("0", 1, "4", 0)};
    db.destinations.push_back(destination("4221", "Germany - Cologne"));
    const CallRecord cologne = rated(db, call("02213456"));
    EXPECT_EQ(codeOf(db, cologne), "4221");
    EXPECT_EQ(cologne.number(), "0-221-3456");

    // No code found: a toll call without destination and its prefix dash only.
    const CallRecord unknown = rated(db, call("0999123"));
    EXPECT_EQ(unknown.destinationIndex, -1);
    EXPECT_EQ(unknown.number(), "0-999123");
}

TEST(ClassifyDestination, DashOptions)
{
    SettingsDatabase db = planSettings();
    db.prefixes[0].push_back(prefix("9", 0));
    RatingOptions options;
    options.dashAfterLocalPrefix = true;
    EXPECT_EQ(rated(db, call("912345"), options).number(), "9-12345");
    EXPECT_EQ(rated(db, call("912345")).number(), "912345");
    // No dash when only one character follows the prefix.
    EXPECT_EQ(rated(db, call("91"), options).number(), "91");
    EXPECT_EQ(rated(db, call("912"), options).number(), "9-12");
    options.dashAfterTollPrefix = false;
    EXPECT_EQ(rated(db, call("00442071234567"), options).number(), "004420-71234567");
}

TEST(ClassifyDirection, IncomingAndOtherDirections)
{
    SettingsDatabase db = planSettings();
    db.carriers[0].incomingRate = flatRate(0.6);
    db.carriers[0].localRate = flatRate(10.0);
    CallRecord in = call("00442071234567", 60);
    in.direction = 1;
    const CallRecord local = rated(db, in);
    EXPECT_EQ(local.callType, 0);
    EXPECT_EQ(local.localFlag, 0u);
    EXPECT_EQ(local.destinationIndex, -1);
    EXPECT_EQ(local.number(), "00442071234567");
    EXPECT_DOUBLE_EQ(local.cost, 0.6); // the incoming rate

    RatingOptions classified;
    classified.incomingLocal = false;
    const CallRecord byPrefix = rated(db, in, classified);
    EXPECT_EQ(byPrefix.callType, 2);
    EXPECT_EQ(codeOf(db, byPrefix), "4420");
    EXPECT_DOUBLE_EQ(byPrefix.cost, 0.6); // still the incoming rate

    CallRecord other = call("123", 60);
    other.direction = 2;
    const CallRecord two = rated(db, other, classified);
    EXPECT_EQ(two.localFlag, 0u);
    EXPECT_EQ(two.callType, 0);
    EXPECT_EQ(two.cost, 0.0);
}

TEST(ClassifyUsaFormat, RebuildsAndNeverOutgrowsItsLimit)
{
    SettingsDatabase db = plainSettings();
    db.prefixes[0] = {prefix("1", 1)};
    RatingOptions usa;
    usa.usaFormat = true;
    EXPECT_EQ(rated(db, call("12125551234"), usa).number(), "1-212-5551234"); // the prefix dash is rebuilt
    EXPECT_EQ(rated(db, call("1212555123"), usa).number(), "1-212-555123");   // 11 characters with the prefix dash
    EXPECT_EQ(rated(db, call("121255512"), usa).number(), "1-21255512");      // 10: the prefix dash only
    EXPECT_EQ(rated(db, call("22125551234"), usa).number(), "22125551234");

    const std::string longest(27, '1'); // 27 digits give 29 characters
    EXPECT_EQ(rated(db, call(longest.c_str()), usa).number(), "1-111-" + std::string(23, '1'));
    for (const std::size_t digits : {28u, 30u}) {
        const std::string number = "1" + std::string(digits - 1, '2');
        const CallRecord c = rated(db, call(number.c_str()), usa);
        EXPECT_EQ(c.number(), "1-" + number.substr(1)) << digits; // kept as classified, no digit lost
        EXPECT_EQ(c.dialedNumber.back(), '\0');
    }
}
