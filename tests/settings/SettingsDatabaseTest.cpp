#include "settings/SettingsDatabase.h"

#include <gtest/gtest.h>

#include <chrono>

namespace {

DirectoryEntry employee(std::int32_t extension, const char* code, const char* name, const char* department)
{
    DirectoryEntry e;
    e.extension = extension;
    e.accountCode.assign(code);
    e.name.assign(name);
    e.department.assign(department);
    return e;
}

ContactEntry contact(const char* number, const std::string& name)
{
    ContactEntry c;
    c.number.assign(number);
    c.name.assign(name);
    return c;
}

DestinationEntry destination(const char* code, const char* country, const char* city)
{
    DestinationEntry d;
    d.code.assign(code);
    d.country.assign(country);
    d.city.assign(city);
    return d;
}

std::vector<std::string> numbersOf(const SettingsDatabase& db)
{
    std::vector<std::string> out;
    for (const auto& c : db.contacts)
        out.push_back(c.number.str());
    return out;
}

} // namespace

TEST(SettingsDatabase, DirectoryMapsAndDepartments)
{
    SettingsDatabase db;
    db.directory = {employee(101, "", "Zoe", "Sales"), employee(-1, "123", "Adam", "IT"),
                    employee(102, "", "Mia", "Sales"), employee(103, "", "bob", "")};
    db.rebuildIndexes();

    ASSERT_EQ(db.directory[0].name.view(), "Adam"); // sorted by name in collation order
    EXPECT_EQ(db.directory[1].name.view(), "bob");
    EXPECT_EQ(db.findAccountCode("123"), 0); // extension -1: found by account code only
    EXPECT_EQ(db.findExtension(-1), -1);
    EXPECT_EQ(db.findAccountCode(""), -1);
    EXPECT_EQ(db.directory[static_cast<std::size_t>(db.findExtension(102))].name.view(), "Mia");

    // "Sales" twice is one department; the empty name is a name like any other.
    ASSERT_EQ(db.departments().size(), 3);
    EXPECT_EQ(db.departments()[0], "");
    EXPECT_EQ(db.departments()[1], "IT");
    EXPECT_EQ(db.departments()[2], "Sales");
    EXPECT_EQ(db.departmentIndex("Sales"), 2);
    EXPECT_EQ(db.departmentIndex("Nobody"), -1);
    EXPECT_EQ(db.departmentIndexOfEntry(db.findExtension(101)), 2);
    EXPECT_EQ(db.departmentIndexOfEntry(99), -1);
}

TEST(SettingsDatabase, LaterEntryWinsADuplicateKey)
{
    SettingsDatabase db;
    db.directory = {employee(200, "7", "Bea", "A"), employee(200, "7", "Al", "A")};
    db.trunks.resize(2);
    db.trunks[0].number = 5;
    db.trunks[0].group.assign("B");
    db.trunks[1].number = 5;
    db.trunks[1].group.assign("A");
    db.rebuildIndexes();
    EXPECT_EQ(db.findExtension(200), 1); // "Bea", after "Al"
    EXPECT_EQ(db.findAccountCode("7"), 1);
    EXPECT_EQ(db.findTrunk(5), 1);
    EXPECT_EQ(db.trunks[1].group.view(), "B");
    EXPECT_EQ(db.findTrunk(6), -1);
    EXPECT_EQ(db.trunkGroupIndexOfEntry(1), 1);
}

TEST(SettingsDatabase, SortsListsAsStated)
{
    SettingsDatabase db;
    db.destinations = {destination("4420", "United Kingdom", "London"), destination("44", "United Kingdom", ""),
                       destination("49", "Germany", ""), destination("4930", "Germany", "Berlin")};
    db.holidays = {{2024, 12, 24}, {0, 12, 25}, {2023, 1, 1}, {0, 1, 1}};
    db.projects.resize(3);
    db.projects[0].accountCode.assign("30");
    db.projects[1].accountCode.assign("1000");
    db.projects[2].accountCode.assign("200");
    db.rebuildIndexes();

    EXPECT_EQ(db.destinationText(0), "Germany");
    EXPECT_EQ(db.destinationText(1), "Germany - Berlin");
    EXPECT_EQ(db.destinationText(3), "United Kingdom - London");
    EXPECT_EQ(db.destinationText(4), "");
    EXPECT_EQ(db.destinationText(-1), "");
    EXPECT_EQ(db.findDestination("4420"), 3);
    EXPECT_EQ(db.findDestination("442"), -1);

    EXPECT_EQ(db.holidays[0], (HolidayEntry{0, 1, 1}));
    EXPECT_EQ(db.holidays[1], (HolidayEntry{0, 12, 25}));
    EXPECT_EQ(db.holidays[3], (HolidayEntry{2024, 12, 24}));

    EXPECT_EQ(db.projects[0].accountCode.view(), "1000"); // plain characters, not numbers
    EXPECT_EQ(db.findProject("200"), 1);
    EXPECT_EQ(db.findProject(""), -1);
    EXPECT_EQ(db.findProject("20"), -1);
}

// Sorting with a "*"-equals-anything comparison is not an order (1*, 10, 2*
// run in a circle); the list is sorted by plain characters instead.
TEST(SettingsDatabase, ContactsSortByPlainCharacters)
{
    SettingsDatabase db;
    db.contacts = {contact("2*", "c"), contact("10", "b"), contact("1*", "a"),
                   contact("1", "d"),  contact("*5", "e"), contact("100", "f")};
    db.rebuildIndexes();
    EXPECT_EQ(numbersOf(db), (std::vector<std::string>{"*5", "1", "1*", "10", "100", "2*"}));
}

TEST(SettingsDatabase, ContactNamesUpTo4000Contacts)
{
    SettingsDatabase db;
    for (int i = 0; i < 4000; ++i)
        db.contacts.push_back(contact(std::to_string(100000 + i).c_str(), i % 2 ? "Odd" : "Even"));
    db.rebuildIndexes();
    EXPECT_FALSE(db.contactsAreLarge());
    ASSERT_EQ(db.contactNames().size(), 2);
    EXPECT_EQ(db.contactNameIndex("Odd"), 1);
    EXPECT_EQ(db.contactIndexOfEntry(1), 1); // contact 100001 is "Odd"
    EXPECT_EQ(db.contactIndexOfEntry(2), 0);

    db.contacts.push_back(contact("999", "Extra"));
    db.rebuildIndexes();
    EXPECT_TRUE(db.contactsAreLarge());
    EXPECT_EQ(db.contactNames().size(), 0);
    EXPECT_EQ(db.contactNameIndex("Odd"), -1);
    EXPECT_EQ(db.contactIndexOfEntry(4000), 4000); // the position in the contact list itself
    EXPECT_EQ(db.contactIndexOfEntry(4001), -1);
}

TEST(SettingsDatabase, ProjectsByAccountCodeAndName)
{
    SettingsDatabase db;
    db.projects.resize(3);
    db.projects[0].accountCode.assign("11");
    db.projects[0].name.assign("Zeta");
    db.projects[1].accountCode.assign("12");
    db.projects[1].name.assign("Alpha");
    db.projects[2].accountCode.assign("13");
    db.projects[2].name.assign("Zeta");
    db.rebuildIndexes();
    ASSERT_EQ(db.projectNames().size(), 2);
    EXPECT_EQ(db.projectNameIndexOfEntry(db.findProject("13")), 1);
    EXPECT_EQ(db.projectNameIndexOfEntry(db.findProject("12")), 0);
    EXPECT_EQ(db.projectNameIndex("Zeta"), 1);
}

// An editor may change a list and look something up before the next rebuild:
// stale maps must never hand out a position beyond the list.
TEST(SettingsDatabase, StaleIndexesStayInsideTheLists)
{
    SettingsDatabase db;
    db.directory = {employee(101, "9", "A", "D"), employee(102, "8", "B", "D")};
    db.destinations = {destination("1", "X", ""), destination("2", "Y", "")};
    db.trunks.resize(2);
    db.trunks[1].number = 4;
    db.rebuildIndexes();
    db.directory.pop_back();
    db.destinations.clear();
    db.trunks.resize(1);
    EXPECT_EQ(db.findExtension(102), -1);
    EXPECT_EQ(db.findAccountCode("8"), -1);
    EXPECT_EQ(db.findDestination("2"), -1);
    EXPECT_EQ(db.findTrunk(4), -1);
    EXPECT_EQ(db.departmentIndexOfEntry(5), -1);
}

TEST(SettingsDatabase, ClearAndCopy)
{
    SettingsDatabase db;
    db.directory = {employee(101, "", "A", "D")};
    db.header.mainCurrency.symbol.assign("EUR");
    db.header.overrideCurrency = 1;
    db.header.mainCurrency.digits = 3;
    db.header.mainCurrency.decimalSymbol.assign(",");
    db.carriers[2].name.assign("Third");
    db.rebuildIndexes();

    SettingsDatabase copy;
    copy.copyFrom(db);
    EXPECT_EQ(copy.carriers[2].name.view(), "Third");
    EXPECT_EQ(copy.findExtension(101), 0);
    EXPECT_EQ(copy.formatCurrency(1.5), "EUR1,500");

    db.clear();
    EXPECT_TRUE(db.directory.empty());
    EXPECT_EQ(db.findExtension(101), -1);
    EXPECT_EQ(db.carriers[2].name.view(), "");
    EXPECT_EQ(db.header.magic, 0u);
    EXPECT_EQ(copy.directory.size(), 1u);
}

TEST(SettingsDatabase, CarrierIndexesFromTheFileAreChecked)
{
    SettingsDatabase db;
    EXPECT_NE(db.carrierAt(0), nullptr);
    EXPECT_NE(db.carrierAt(5), nullptr);
    EXPECT_EQ(db.carrierAt(6), nullptr);
    EXPECT_EQ(db.carrierAt(-1), nullptr);
}

// 50,000 contacts with 50,000 distinct names and 2,000 employees: the rebuild
// stays well clear of quadratic work.
TEST(SettingsDatabase, RebuildOfLargeListsIsQuick)
{
    SettingsDatabase db;
    for (int i = 0; i < 50000; ++i)
        db.contacts.push_back(
            contact(std::to_string((i * 7919) % 100000 + 100000).c_str(), "Name " + std::to_string(i)));
    for (int i = 0; i < 2000; ++i)
        db.directory.push_back(employee(i, std::to_string(i).c_str(), ("Emp " + std::to_string(i * 37 % 2000)).c_str(),
                                        ("Dept " + std::to_string(i % 40)).c_str()));
    const auto start = std::chrono::steady_clock::now();
    db.rebuildIndexes();
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(20));
    EXPECT_EQ(db.departments().size(), 40);
    EXPECT_EQ(db.findExtension(1999), db.findAccountCode("1999"));
    EXPECT_TRUE(std::is_sorted(db.contacts.begin(), db.contacts.end(),
                               [](const auto& a, const auto& b) { return a.number.view() < b.number.view(); }));
}
