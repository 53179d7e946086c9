#include "prefs/CallColumns.h"

#include "prefs/Preferences.h"
#include "settings/SettingsDatabase.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <numeric>
#include <random>

namespace {

DirectoryEntry employee(std::int32_t extension, const char* name, const char* department)
{
    DirectoryEntry e;
    e.extension = extension;
    e.name.assign(name);
    e.department.assign(department);
    return e;
}

DestinationEntry destination(const char* code, const char* country, const char* city)
{
    DestinationEntry d;
    d.code.assign(code);
    d.country.assign(country);
    d.city.assign(city);
    return d;
}

TrunkEntry trunk(std::uint32_t number, const char* group)
{
    TrunkEntry t;
    t.number = number;
    t.group.assign(group);
    return t;
}

CallRecord outgoing()
{
    CallRecord c = CallRecord::empty();
    c.extension = 101;
    c.trunk = 7;
    c.start = {2024, 3, 5, 14, 7};
    return c;
}

void setName(CallRecord& c, std::string_view name)
{
    c.nameText.fill('\0');
    std::copy(name.begin(), name.end(), c.nameText.begin());
}

class CallColumnsTest : public ::testing::Test
{
protected:
    CallColumnsTest()
    {
        // Kept in their sorted order, so list positions are known.
        db.directory = {employee(101, "Adams", "Sales"), employee(102, "Adams", "Sales"),
                        employee(103, "Adams", "Support"), employee(104, "baker", "IT"), employee(105, "Carter", "IT")};
        db.trunks = {trunk(7, "Berlin"), trunk(8, "Berlin"), trunk(3, "Munich")};
        db.destinations = {destination("001416", "Canada", "Toronto"), destination("0044", "Kingdom", ""),
                           destination("004420", "Kingdom", "London"), destination("0049", "Zeta", "London")};
        db.contacts.resize(2);
        db.contacts[0].number.assign("0301234");
        db.contacts[0].name.assign("ACME");
        db.contacts[1].number.assign("0401234");
        db.contacts[1].name.assign("Bolt");
        db.projects.resize(1);
        db.projects[0].accountCode.assign("77");
        db.projects[0].name.assign("Apollo");
        db.carriers[0].name.assign("First");
        db.carriers[1].name.assign("Second");
        db.rebuildIndexes();
    }

    std::string text(const CallRecord& c, ColumnType type) const { return CallColumns(db, prefs).cellText(c, type); }

    SettingsDatabase db;
    Preferences prefs;
};

} // namespace

TEST(CallColumnSpecs, TitlesWidthsAndAlignment)
{
    EXPECT_EQ(columnTitle(ColumnType::Date), "Date");
    EXPECT_EQ(columnTitle(ColumnType::DialedNumber), "Dialed Number");
    EXPECT_EQ(columnTitle(ColumnType::Project), "Project");
    EXPECT_EQ(columnSpec(ColumnType::Date).titleId, 25001);
    EXPECT_EQ(columnSpec(ColumnType::Project).titleId, 25019);
    const int widths[kColumnTypeCount] = {64, 64,  56, 160, 128, 64, 64, 80, 80, 96,
                                          80, 128, 80, 48,  96,  96, 96, 56, 96};
    const bool right[kColumnTypeCount] = {1, 1, 1, 0, 0, 1, 1, 0, 0, 0, 1, 0, 1, 0, 0, 0, 0, 1, 0};
    for (int t = 0; t < kColumnTypeCount; ++t) {
        SCOPED_TRACE(t);
        EXPECT_EQ(columnSpec(ColumnType(t)).titleId, 25001 + t);
        EXPECT_EQ(columnSpec(ColumnType(t)).defaultWidth, widths[t]);
        EXPECT_EQ(columnSpec(ColumnType(t)).rightAligned, right[t]);
    }
    // A damaged layout value names no column: no title, nothing to look up out of range.
    EXPECT_FALSE(isColumnType(19));
    EXPECT_FALSE(isColumnType(-1));
    EXPECT_EQ(columnSpec(ColumnType(19)).defaultWidth, 0);
    EXPECT_EQ(columnTitle(ColumnType(-1)), "");
}

TEST_F(CallColumnsTest, PlainCellTexts)
{
    CallRecord c = outgoing();
    std::copy_n("0301234", 7, c.dialedNumber.begin());
    std::copy_n("4711", 4, c.accountCode.begin());
    c.cdCode = {'A', '\0', 0, 0};
    c.duration = 3 * 3600 + 5 * 60 + 9;
    c.ringTime = 125;
    c.cost = 12.345;
    c.callType = 1;

    EXPECT_EQ(text(c, ColumnType::Date), "3/5/24"); // en_US: "M/d/yy"
    EXPECT_EQ(text(c, ColumnType::Time), "2:07 PM");
    EXPECT_EQ(text(c, ColumnType::Ext), "101");
    EXPECT_EQ(text(c, ColumnType::DialedNumber), "0301234");
    EXPECT_EQ(text(c, ColumnType::Duration), "3:05:09");
    EXPECT_EQ(text(c, ColumnType::Cost), db.formatCurrency(12.345));
    EXPECT_EQ(text(c, ColumnType::Cost), "$12.35");
    EXPECT_EQ(text(c, ColumnType::Trunk), "07");
    EXPECT_EQ(text(c, ColumnType::Acc), "4711");
    EXPECT_EQ(text(c, ColumnType::Cd), "A"); // the second character is a terminator here
    EXPECT_EQ(text(c, ColumnType::Direction), "Outgoing");
    EXPECT_EQ(text(c, ColumnType::Type), "Long distance");
    EXPECT_EQ(text(c, ColumnType::Ringtime), "2:05");
    EXPECT_EQ(text(c, ColumnType::Carrier), ""); // carrier index -1
    c.carrierIndex = 1;
    EXPECT_EQ(text(c, ColumnType::Carrier), "Second");
    c.direction = 7; // any value but 0 is incoming
    EXPECT_EQ(text(c, ColumnType::Direction), "Incoming");

    c.extension = 0xFFFFFFFFu; // -1: none
    c.trunk = 0xFFFFFFFFu;
    EXPECT_EQ(text(c, ColumnType::Ext), "");
    EXPECT_EQ(text(c, ColumnType::Trunk), "");
    c.extension = 5;
    c.trunk = 5;
    prefs.extensionFormat = 4;
    prefs.trunkFormat = 5;
    EXPECT_EQ(text(c, ColumnType::Ext), "00005");
    EXPECT_EQ(text(c, ColumnType::Trunk), "000005");
    c.duration = 0;
    c.ringTime = 0;
    EXPECT_EQ(text(c, ColumnType::Duration), "0:00:00");
    EXPECT_EQ(text(c, ColumnType::Ringtime), "0:00");
    EXPECT_EQ(text(c, ColumnType(42)), "");
}

TEST_F(CallColumnsTest, NamesOfEmployeeDepartmentTrunkGroupProjectAndCallType)
{
    CallRecord c = outgoing();
    EXPECT_EQ(text(c, ColumnType::Employee), "");
    EXPECT_EQ(text(c, ColumnType::Department), "");
    EXPECT_EQ(text(c, ColumnType::TrunkGroup), "");
    EXPECT_EQ(text(c, ColumnType::Project), "");
    c.directoryIndex = 3;
    c.departmentIndex = db.departmentIndexOfEntry(3);
    c.trunkIndex = 2;
    c.projectIndex = 0;
    EXPECT_EQ(text(c, ColumnType::Employee), "baker");
    EXPECT_EQ(text(c, ColumnType::Department), "IT");
    EXPECT_EQ(text(c, ColumnType::TrunkGroup), "Munich");
    EXPECT_EQ(text(c, ColumnType::Project), "Apollo");
    // Indices of an older settings state must not reach past the lists.
    c.directoryIndex = 5;
    c.departmentIndex = 3;
    c.trunkIndex = 99;
    c.projectIndex = 1;
    c.carrierIndex = 6;
    for (ColumnType t : {ColumnType::Employee, ColumnType::Department, ColumnType::TrunkGroup, ColumnType::Project,
                         ColumnType::Carrier})
        EXPECT_EQ(text(c, t), "");

    const char* types[] = {"Local",  "Long distance",  "International",  "User defined 1",
                           "Mobile", "User defined 3", "User defined 4", ""};
    prefs.userCallTypes[1] = "Mobile";
    CallColumns columns(db, prefs);
    for (int t = 0; t < 8; ++t) {
        c.callType = t;
        EXPECT_EQ(columns.cellText(c, ColumnType::Type), types[t]);
    }
    c.callType = -1;
    EXPECT_EQ(columns.cellText(c, ColumnType::Type), "");
}

TEST_F(CallColumnsTest, ContactNameOrTheCallsOwnName)
{
    CallRecord c = outgoing();
    setName(c, "Caller 10c");
    EXPECT_EQ(text(c, ColumnType::Contact), "Caller 10c");
    c.contactIndex = db.contactIndexOfEntry(1);
    EXPECT_EQ(text(c, ColumnType::Contact), "Bolt");
    c.contactIndex = 2; // beyond the contact-name list
    EXPECT_EQ(text(c, ColumnType::Contact), "");

    // A large contact list: the index is the position in the contact list itself.
    db.contacts.resize(SettingsDatabase::kLargeContactList + 1);
    for (std::size_t i = 2; i < db.contacts.size(); ++i) {
        db.contacts[i].number.assign("09" + std::to_string(100000 + i));
        db.contacts[i].name.assign("N" + std::to_string(i));
    }
    db.rebuildIndexes();
    ASSERT_TRUE(db.contactsAreLarge());
    c.contactIndex = 3000;
    EXPECT_EQ(text(c, ColumnType::Contact), db.contacts[3000].name.str());
    c.contactIndex = static_cast<std::int32_t>(db.contacts.size());
    EXPECT_EQ(text(c, ColumnType::Contact), "");
}

TEST_F(CallColumnsTest, DestinationTextByStyleOfTheCallType)
{
    CallRecord c = outgoing();
    c.callType = 2;
    EXPECT_EQ(text(c, ColumnType::Destination), "Unknown"); // outgoing, no destination
    c.direction = 1;
    EXPECT_EQ(text(c, ColumnType::Destination), ""); // incoming, no destination
    c.direction = 0;
    c.destinationIndex = 4; // beyond the list counts as none
    EXPECT_EQ(text(c, ColumnType::Destination), "Unknown");

    c.destinationIndex = 2;
    EXPECT_EQ(text(c, ColumnType::Destination), "Kingdom - London"); // DestIntl 0: country and city
    c.callType = 1;
    EXPECT_EQ(text(c, ColumnType::Destination), "London"); // DestLD 2: city
    prefs.destinationLongDistance = Preferences::CountryOnly;
    EXPECT_EQ(text(c, ColumnType::Destination), "Kingdom");
    c.callType = 4;
    prefs.destinationUser = Preferences::CityOnly;
    EXPECT_EQ(text(c, ColumnType::Destination), "London"); // user types use DestUser
    c.destinationIndex = 1;
    EXPECT_EQ(text(c, ColumnType::Destination), "Kingdom"); // no city: country whatever the style
    c.localFlag = 1;
    EXPECT_EQ(text(c, ColumnType::Destination), ""); // local: never a destination
}

TEST_F(CallColumnsTest, OneBufferServesManyCells)
{
    CallColumns columns(db, prefs);
    CallRecord c = outgoing();
    c.destinationIndex = 0;
    c.callType = 2;
    std::string out = "left over";
    columns.cellText(c, ColumnType::Destination, out);
    EXPECT_EQ(out, "Canada - Toronto");
    columns.cellText(c, ColumnType::Employee, out); // empty cells clear the buffer too
    EXPECT_EQ(out, "");
    columns.cellText(c, ColumnType::Duration, out);
    EXPECT_EQ(out, "0:00:00");
}

TEST_F(CallColumnsTest, OrderWithinEachColumn)
{
    CallColumns columns(db, prefs);
    auto cmp = [&](const CallRecord& a, const CallRecord& b, ColumnType t) { return columns.compare(a, b, t); };
    CallRecord a = outgoing(), b = outgoing();

    b.start = {2024, 3, 5, 14, 59};
    EXPECT_EQ(cmp(a, b, ColumnType::Date), 0);
    EXPECT_EQ(cmp(a, b, ColumnType::Time), 0); // the same hour
    b.start = {2024, 3, 4, 23, 0};
    EXPECT_GT(cmp(a, b, ColumnType::Date), 0);
    EXPECT_LT(cmp(a, b, ColumnType::Time), 0);

    b.extension = 0xFFFFFFFFu; // none before every number
    EXPECT_GT(cmp(a, b, ColumnType::Ext), 0);

    a.cost = 1.004;
    b.cost = 0.996;
    EXPECT_EQ(cmp(a, b, ColumnType::Cost), 0); // both 1.00
    b.cost = 1.006;
    EXPECT_LT(cmp(a, b, ColumnType::Cost), 0);

    std::copy_n("09", 2, a.dialedNumber.begin());
    std::copy_n("1", 1, b.dialedNumber.begin());
    EXPECT_LT(cmp(a, b, ColumnType::DialedNumber), 0); // characters, not numbers
    a.cdCode = {'b', 'A', 0, 0};
    b.cdCode = {'B', 'a', 0, 0};
    EXPECT_GT(cmp(a, b, ColumnType::Cd), 0); // byte-wise, case-sensitive

    // Employees: the same names are one employee whatever the extension.
    a.directoryIndex = 0;
    b.directoryIndex = 1;
    EXPECT_EQ(cmp(a, b, ColumnType::Employee), 0);
    b.directoryIndex = 2; // same name, other department
    EXPECT_LT(cmp(a, b, ColumnType::Employee), 0);
    b.directoryIndex = -1;
    EXPECT_GT(cmp(a, b, ColumnType::Employee), 0);

    // Trunk groups by name, not by trunk: trunks 7 and 8 are both "Berlin".
    a.trunkIndex = 0;
    b.trunkIndex = 1;
    EXPECT_EQ(cmp(a, b, ColumnType::TrunkGroup), 0);
    b.trunkIndex = 2;
    EXPECT_LT(cmp(a, b, ColumnType::TrunkGroup), 0);
    b.trunkIndex = -1;
    EXPECT_GT(cmp(a, b, ColumnType::TrunkGroup), 0);
}

TEST_F(CallColumnsTest, ContactsByIndexThenOwnNamesInCollation)
{
    CallColumns columns(db, prefs);
    CallRecord a = outgoing(), b = outgoing();
    setName(a, "bob");
    setName(b, "Carl");
    EXPECT_LT(columns.compare(a, b, ColumnType::Contact), 0); // collation, not bytes ("C" < "b")
    setName(b, "bob");
    EXPECT_EQ(columns.compare(a, b, ColumnType::Contact), 0);
    b.contactIndex = 0;
    EXPECT_LT(columns.compare(a, b, ColumnType::Contact), 0); // no contact first, whatever the name
    a.contactIndex = 1;
    EXPECT_GT(columns.compare(a, b, ColumnType::Contact), 0);
}

TEST_F(CallColumnsTest, DestinationOrderKeepsEqualTextsTogether)
{
    prefs.destinationLongDistance = Preferences::CityOnly;
    CallColumns columns(db, prefs);
    auto call = [](std::int32_t type, std::int32_t dest, std::uint32_t local) {
        CallRecord c = outgoing();
        c.callType = type;
        c.destinationIndex = dest;
        c.localFlag = local;
        return c;
    };
    const CallRecord local = call(0, 3, 1), none = call(1, -1, 0), ny = call(1, 0, 0);
    const CallRecord londonUk = call(1, 2, 0), londonZeta = call(1, 3, 0), zetaIntl = call(2, 3, 0);
    EXPECT_LT(columns.compare(local, none, ColumnType::Destination), 0);
    EXPECT_LT(columns.compare(none, ny, ColumnType::Destination), 0);
    EXPECT_LT(columns.compare(ny, londonUk, ColumnType::Destination), 0);
    // "London" at positions 2 and 3: equal, and both still before "Zeta - London".
    EXPECT_EQ(columns.compare(londonUk, londonZeta, ColumnType::Destination), 0);
    EXPECT_LT(columns.compare(londonZeta, zetaIntl, ColumnType::Destination), 0);
    EXPECT_LT(columns.compare(londonUk, zetaIntl, ColumnType::Destination), 0);
}

TEST_F(CallColumnsTest, TwoKeysWithDirections)
{
    CallColumns columns(db, prefs);
    CallRecord a = outgoing(), b = outgoing();
    a.duration = 10;
    b.duration = 20;
    b.extension = 100;
    const SortKeys byDate{{ColumnType::Date, false}, {ColumnType::Duration, false}};
    EXPECT_LT(columns.compare(a, b, byDate), 0); // same day: the duration decides
    const SortKeys durationDown{{ColumnType::Date, true}, {ColumnType::Duration, true}};
    EXPECT_GT(columns.compare(a, b, durationDown), 0);
    const SortKeys sameTwice{{ColumnType::Date, false}, {ColumnType::Date, true}};
    EXPECT_EQ(columns.compare(a, b, sameTwice), 0);
    const SortKeys byExt{{ColumnType::Ext, true}, {ColumnType::Duration, false}};
    EXPECT_LT(columns.compare(a, b, byExt), 0); // 101 before 100 descending
    EXPECT_TRUE(columns.order(byExt)(a, b));
    EXPECT_FALSE(columns.order(byExt)(b, a));
    EXPECT_EQ(columns.less(a, b, byExt), columns.order(byExt)(a, b));
}

TEST_F(CallColumnsTest, DelimiterGroups)
{
    CallColumns columns(db, prefs);
    CallRecord a = outgoing(), b = outgoing();
    a.duration = 59;
    b.duration = 100;
    EXPECT_FALSE(columns.sameGroup(a, b, ColumnType::Duration));
    a.duration = 61;
    EXPECT_TRUE(columns.sameGroup(a, b, ColumnType::Duration));
    a.cost = 0.995;
    b.cost = 1.004;
    EXPECT_TRUE(columns.sameGroup(a, b, ColumnType::Cost));
    b.cost = 1.006;
    EXPECT_FALSE(columns.sameGroup(a, b, ColumnType::Cost));
    a.cost = 0.994; // 0.99 and 1.00 as shown, though only 0.002 apart
    b.cost = 0.996;
    EXPECT_FALSE(columns.sameGroup(a, b, ColumnType::Cost));
    b.start = {2024, 3, 5, 0, 0};
    EXPECT_TRUE(columns.sameGroup(a, b, ColumnType::Date));
    EXPECT_FALSE(columns.sameGroup(a, b, ColumnType::Time));
    a.directoryIndex = 0;
    b.directoryIndex = 2; // "Adams" of another department: another employee
    EXPECT_FALSE(columns.sameGroup(a, b, ColumnType::Employee));
    b.directoryIndex = 1;
    EXPECT_TRUE(columns.sameGroup(a, b, ColumnType::Employee));
}

// Every column must be a strict weak order (sorting is undefined otherwise), and
// ranking the calls' names must not change any result.
TEST_F(CallColumnsTest, EveryColumnIsAStrictWeakOrder)
{
    prefs.destinationLongDistance = Preferences::CityOnly;
    CallColumns plain(db, prefs);
    CallColumns ranked(db, prefs);
    std::mt19937 random(7);
    auto pick = [&](int n) { return static_cast<int>(random() % static_cast<unsigned>(n)); };
    const char* names[] = {"", "bob", "Bob", "Carl", "\xC9mile", "Eve", "adam"};
    std::vector<CallRecord> calls(36);
    for (CallRecord& c : calls) {
        c = outgoing();
        c.start = {2024, 3, static_cast<std::uint8_t>(1 + pick(3)), static_cast<std::uint8_t>(pick(3)), 0};
        c.cost = pick(7) * 0.004 - 0.01;
        c.duration = static_cast<std::uint32_t>(pick(4));
        c.callType = pick(4);
        c.localFlag = pick(5) == 0;
        c.destinationIndex = pick(6) - 1;
        c.directoryIndex = pick(6) - 1;
        c.trunkIndex = pick(4) - 1;
        c.contactIndex = pick(4) - 2;
        setName(c, names[pick(7)]);
    }
    ranked.rankCallNames(std::span(calls).first(20)); // some names stay unranked
    for (int t = 0; t < kColumnTypeCount; ++t) {
        SCOPED_TRACE(t);
        const auto type = ColumnType(t);
        for (const CallRecord& a : calls) {
            for (const CallRecord& b : calls) {
                const int ab = plain.compare(a, b, type);
                ASSERT_EQ(ab, -plain.compare(b, a, type));
                ASSERT_EQ(ab, ranked.compare(a, b, type));
                for (const CallRecord& c : calls) {
                    const int bc = plain.compare(b, c, type);
                    if (ab <= 0 && bc <= 0) {
                        ASSERT_LE(plain.compare(a, c, type), std::min(ab, bc)) << "not transitive";
                    }
                }
            }
        }
    }
}

// Sorting by keys per row must give exactly the stable sort by compare(): every
// column first, in both directions, with every column second.
TEST_F(CallColumnsTest, KeySortEqualsComparisonSort)
{
    prefs.destinationLongDistance = Preferences::CityOnly;
    const CallColumns columns(db, prefs);
    std::mt19937 random(11);
    auto pick = [&](int n) { return static_cast<int>(random() % static_cast<unsigned>(n)); };
    const char* names[] = {"", "bob", "Bob", "Carl", "\xC9mile", "Eve", "adam", "\xFF"};
    const char* prefixes[] = {"", "0049-89-", "0049-89-1234567", "0049-89-12345678901234", "0049-8", "1-", "*31#0"};
    auto text = [&](auto& field, std::string_view head, int digits) {
        std::string s(head);
        for (int i = 0; i < digits; ++i)
            s += static_cast<char>('0' + pick(3));
        s.resize(std::min(s.size(), field.size() - 1));
        field.fill('\0');
        std::copy(s.begin(), s.end(), field.begin());
    };
    for (const bool extremeCosts : {false, true}) {
        std::vector<CallRecord> table(700);
        for (CallRecord& c : table) {
            c = outgoing();
            c.start = {static_cast<std::uint16_t>(2023 + pick(2)), static_cast<std::uint8_t>(1 + pick(12)),
                       static_cast<std::uint8_t>(1 + pick(3)), static_cast<std::uint8_t>(pick(3)), 0};
            c.extension = pick(3) == 0 ? 0xFFFFFFFFu - static_cast<unsigned>(pick(3)) : static_cast<unsigned>(pick(5));
            c.trunk = static_cast<unsigned>(pick(3) - 1);
            // Digits and dashes, except with some odd characters among the extreme costs.
            text(c.dialedNumber, prefixes[pick(extremeCosts ? 7 : 6)], pick(4));
            text(c.accountCode, pick(2) ? "12345678" : "", pick(9));
            c.cdCode = {static_cast<char>(pick(2) ? 'A' : '\xE4'), static_cast<char>(pick(2) ? 'B' : 0), 0, 0};
            c.cost = pick(7) * 0.004 - 0.01;
            if (extremeCosts && pick(10) == 0) {
                const double odd[] = {std::nan(""), HUGE_VAL, -HUGE_VAL, 1e300, -0.0, -1e20};
                c.cost = odd[pick(6)];
            }
            c.duration = static_cast<std::uint32_t>(pick(150));
            c.ringTime = static_cast<std::uint32_t>(pick(3));
            c.direction = static_cast<std::uint32_t>(pick(3));
            c.callType = pick(5) - 1;
            c.localFlag = pick(5) == 0;
            c.destinationIndex = pick(6) - 1;
            c.directoryIndex = pick(7) - 1;
            c.trunkIndex = pick(4) - 1;
            c.contactIndex = pick(4) - 2;
            c.carrierIndex = pick(3) - 1;
            c.departmentIndex = pick(3) - 1;
            c.projectIndex = pick(3) - 1;
            setName(c, names[pick(8)]);
        }
        std::vector<std::uint32_t> start(table.size());
        std::iota(start.begin(), start.end(), 0u);
        std::shuffle(start.begin(), start.end(), random); // a list already sorted some other way
        for (int first = 0; first < kColumnTypeCount; ++first) {
            for (int second = 0; second < kColumnTypeCount; ++second) {
                for (const bool descending : {false, true}) {
                    const SortKeys keys{{ColumnType(first), descending},
                                        {ColumnType(second), (first + second) % 2 == 1}};
                    SCOPED_TRACE(testing::Message() << first << (descending ? " desc, " : ", ") << second
                                                    << (extremeCosts ? " extreme costs" : ""));
                    std::vector<std::uint32_t> expected = start;
                    std::stable_sort(expected.begin(), expected.end(), [&](std::uint32_t a, std::uint32_t b) {
                        return columns.less(table[a], table[b], keys);
                    });
                    std::vector<std::uint32_t> rows = start;
                    columns.sortRows(table, rows, keys);
                    ASSERT_EQ(rows, expected);
                }
            }
            // The delimiter lines follow: every group of the first column is one run.
            std::vector<std::uint32_t> rows = start;
            columns.sortRows(table, rows, SortKeys{{ColumnType(first), false}, {ColumnType::Ext, false}});
            for (std::size_t i = 0; i + 1 < rows.size(); ++i) {
                if (!columns.sameGroup(table[rows[i]], table[rows[i + 1]], ColumnType(first))) {
                    for (std::size_t j = i + 1; j < std::min(rows.size(), i + 60); ++j)
                        ASSERT_FALSE(columns.sameGroup(table[rows[i]], table[rows[j]], ColumnType(first)))
                            << i << " " << j;
                }
            }
        }
    }
}
