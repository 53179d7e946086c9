#include "textfile/SettingsListIo.h"

#include "prefs/Preferences.h"
#include "settings/SettingsDatabase.h"
#include "textfile/ListFieldText.h"
#include "textfile/TollRateColumns.h"
#include "textfile/WildcardKeyIndex.h"

#include "TempDir.h"
#include "TextFiles.h"

#include <fstream>
#include <functional>
#include <gtest/gtest.h>
#include <sstream>

namespace {

using Adjust = std::function<void(TextTableOptions&)>;

ContactEntry contact(const char* number, const char* name)
{
    ContactEntry c;
    c.number.assign(number);
    c.name.assign(name);
    return c;
}

class ListIoTest : public ::testing::Test
{
protected:
    ListIoTest()
    {
        db.carriers[0].name.assign("First");
        db.carriers[1].name.assign("Second");
        db.carriers[3].name.assign("Fourth");
        db.rebuildIndexes();
    }

    // Imports `content` with the list's default layout (";" separated, every
    // field active in field order), changed by `adjust`.
    TextTableFile::Counters import(ListSelector which, const std::string& content, const Adjust& adjust = {},
                                   const ListImportHooks& hooks = {}, bool* completed = nullptr)
    {
        writeAll(path, content);
        TextTableFile file(TextTableMode::Import);
        const ListFileLayout& layout = listFileLayout(which.list);
        file.loadOptions(IniProfile(), layout.section, layout.fieldCount);
        if (adjust)
            adjust(file.options());
        EXPECT_EQ(file.open(path), TextTableFile::OpenResult::Ok);
        const bool done = importList(file, db, prefs, which, hooks);
        if (completed)
            *completed = done;
        const TextTableFile::Counters counters = file.counters();
        EXPECT_TRUE(file.finish().ok);
        return counters;
    }
    TextTableFile::Counters import(SettingsList list, const std::string& content, const Adjust& adjust = {})
    {
        return import(ListSelector{list, 0}, content, adjust);
    }

    std::string exportText(ListSelector which, const Adjust& adjust = {})
    {
        TextTableFile file(TextTableMode::Export);
        const ListFileLayout& layout = listFileLayout(which.list);
        file.loadOptions(IniProfile(), layout.section, layout.fieldCount);
        file.setTitles(listTitles(which.list));
        if (adjust)
            adjust(file.options());
        EXPECT_EQ(file.open(path), TextTableFile::OpenResult::Ok);
        exportList(file, db, prefs, which);
        EXPECT_TRUE(file.finish().ok);
        return readAll(path);
    }

    TempDir dir;
    std::filesystem::path path = dir / "list.csv";
    SettingsDatabase db;
    Preferences prefs;
};

void expectCounts(const TextTableFile::Counters& c, int processed, int added, int updated)
{
    EXPECT_EQ(c.processed, processed);
    EXPECT_EQ(c.added, added);
    EXPECT_EQ(c.updated, updated);
}

const Adjust kDeleteAll = [](TextTableOptions& o) { o.deleteAll = true; };
const Adjust kHeader = [](TextTableOptions& o) { o.firstLineIsHeader = true; };

} // namespace

// ---- field texts ----

TEST(ListFieldText, ReadsLeadingRunsAndIntegers)
{
    EXPECT_EQ(listtext::leadingDigits(" 0301*5x9", 31, true), "0301*5");
    EXPECT_EQ(listtext::leadingDigits("0301*5", 31), "0301");
    EXPECT_EQ(listtext::leadingDigits("1234567890123456789", 15), "123456789012345");
    EXPECT_EQ(listtext::leadingDigits("x12", 15), "");
    EXPECT_EQ(listtext::readInteger("-5%"), -5);
    EXPECT_EQ(listtext::readCount("-5"), 0);
    EXPECT_EQ(listtext::readInteger("99999999999"), 2147483647);
    EXPECT_EQ(listtext::readInteger(""), std::nullopt);
    EXPECT_EQ(listtext::readInteger("-"), std::nullopt);
    EXPECT_EQ(listtext::readFlag(" TRUE "), true);
    EXPECT_EQ(listtext::readFlag("0"), false);
    EXPECT_EQ(listtext::readFlag("maybe"), std::nullopt);
    ASSERT_TRUE(listtext::readTimeOfDay("7:05").has_value());
    EXPECT_EQ(listtext::readTimeOfDay("7:05")->minute, 5);
    ASSERT_TRUE(listtext::readTimeOfDay("24:00").has_value()); // the end of the day
    EXPECT_EQ(listtext::readTimeOfDay("24:00")->hour, 24);
    EXPECT_EQ(listtext::readTimeOfDay("24:01"), std::nullopt);
    EXPECT_EQ(listtext::readTimeOfDay("25:00"), std::nullopt);
    EXPECT_EQ(listtext::readTimeOfDay("12:"), std::nullopt);
    EXPECT_TRUE(listtext::equalIgnoringCase("\xC4RGER", "\xE4rger")); // Windows-1252 umlaut A
    EXPECT_FALSE(listtext::equalIgnoringCase("Local", "Locale"));
}

TEST(WildcardKeyIndex, FindsTheFirstMatchingPositionWithStarsOnEitherSide)
{
    WildcardKeyIndex index;
    index.add("123", 0);
    index.add("1*", 1);
    index.add("12*", 2);
    index.add("10", 3);
    EXPECT_EQ(index.find("123"), 0);
    EXPECT_EQ(index.find("124"), 2);
    EXPECT_EQ(index.find("10"), 1); // "1*" comes before the exact "10"
    EXPECT_EQ(index.find("**"), 1);
    EXPECT_EQ(index.find("1234"), -1);
    EXPECT_EQ(index.find("12"), 1);
}

TEST(ListValidity, HolidaysAndRateDates)
{
    EXPECT_TRUE(isValidHoliday(0, 2, 29));
    EXPECT_TRUE(isValidHoliday(2004, 2, 29));
    EXPECT_FALSE(isValidHoliday(2001, 2, 29));
    EXPECT_TRUE(isValidHoliday(2000, 2, 29));
    EXPECT_FALSE(isValidHoliday(2100, 1, 1));
    EXPECT_FALSE(isValidHoliday(1899, 12, 31));
    EXPECT_FALSE(isValidHoliday(2004, 13, 1));
    EXPECT_FALSE(isValidHoliday(2004, 4, 31));
    EXPECT_FALSE(isValidRateDate(0, 1, 1));
    EXPECT_TRUE(isValidRateDate(1900, 1, 1));
}

// ---- directory ----

TEST_F(ListIoTest, DirectoryConversionKeyAndUpdate)
{
    DirectoryEntry existing;
    existing.extension = 101;
    existing.name.assign("Adams");
    existing.department.assign("Sales");
    existing.costModifier = 80;
    db.directory.push_back(existing);

    const auto c = import(SettingsList::Directory,
                          " 101 ;;Adams Jr;IT;-5\n" // update by extension; negative modifier is 0
                          "-7;555;Baker;;\n"        // negative extension becomes 0
                          ";4711;Carter;Ops;120%\n" // no extension, account code
                          ";;Nobody;;\n"            // neither: not processed
                          "102;12ab34;Dunn\n");     // incomplete: skipped
    expectCounts(c, 3, 2, 1);
    ASSERT_EQ(db.directory.size(), 3u);
    EXPECT_EQ(db.directory[0].name.view(), "Adams Jr");
    EXPECT_EQ(db.directory[0].department.view(), "IT");
    EXPECT_EQ(db.directory[0].costModifier, 0);
    EXPECT_EQ(db.directory[1].extension, 0);
    EXPECT_EQ(db.directory[1].accountCode.view(), "555");
    EXPECT_EQ(db.directory[1].costModifier, 100); // empty text keeps the default
    EXPECT_EQ(db.directory[2].extension, -1);
    EXPECT_EQ(db.directory[2].costModifier, 120);

    // Matching by account code when the extension is none; only the columns in the
    // file are updated, and the key fields never change.
    const auto d = import(SettingsList::Directory, "4711;Carter Two\n", [](TextTableOptions& o) {
        o.positions[0].active = false; // Ext
        o.positions[3].active = false; // Department
        o.positions[4].active = false; // Cost modifier
    });
    expectCounts(d, 1, 0, 1);
    EXPECT_EQ(db.directory[2].name.view(), "Carter Two");
    EXPECT_EQ(db.directory[2].department.view(), "Ops");
    EXPECT_EQ(db.directory[2].costModifier, 120);
}

TEST_F(ListIoTest, HeaderLineIsNeverImportedAndUpdateOffAddsNothingForKnownKeys)
{
    const auto c = import(SettingsList::Directory, "200;;Header;Row;\n201;;Real;;\n", kHeader);
    expectCounts(c, 1, 1, 0);
    ASSERT_EQ(db.directory.size(), 1u);
    EXPECT_EQ(db.directory[0].extension, 201);

    const auto d = import(SettingsList::Directory, "201;;Changed;;\n202;;New;;\n",
                          [](TextTableOptions& o) { o.update = false; });
    expectCounts(d, 2, 1, 0);
    EXPECT_EQ(db.directory[0].name.view(), "Real");
}

TEST_F(ListIoTest, DeleteAllAddsEveryValidLineAndNeverUpdates)
{
    DirectoryEntry old;
    old.extension = 5;
    db.directory.push_back(old);
    const auto c = import(SettingsList::Directory, "7;;A;;\n8;;B;;\n", kDeleteAll);
    expectCounts(c, 2, 2, 0);
    ASSERT_EQ(db.directory.size(), 2u);
    EXPECT_EQ(db.directory[0].extension, 7);
}

TEST_F(ListIoTest, EmptyFileCountsNothing) { expectCounts(import(SettingsList::Contacts, ""), 0, 0, 0); }

// ---- trunks ----

TEST_F(ListIoTest, TrunkCarrierByExactNameElseCarrierZero)
{
    const auto c = import(SettingsList::Trunks,
                          "3;Berlin;Second\n4;Munich;second\n-2;Rome;Nobody\n3;Berlin 2;Fourth\n");
    expectCounts(c, 4, 3, 1);
    ASSERT_EQ(db.trunks.size(), 3u);
    EXPECT_EQ(db.trunks[0].carrier, 3); // updated by the last line
    EXPECT_EQ(db.trunks[0].group.view(), "Berlin 2");
    EXPECT_EQ(db.trunks[1].carrier, 0); // the case differs
    EXPECT_EQ(db.trunks[2].number, 0u); // negative number
    EXPECT_EQ(db.trunks[2].carrier, 0);
}

// ---- contacts ----

TEST_F(ListIoTest, ContactsMatchWithStarsWhileTheListIsSmall)
{
    db.contacts = {contact("0301*", "Berlin office"), contact("0401234", "Hamburg")};
    const auto c = import(SettingsList::Contacts, "03015;Berlin HQ\n0401234 x;Hamburg HQ\n;No number\n0501\xA0;New\n");
    expectCounts(c, 3, 1, 2);
    ASSERT_EQ(db.contacts.size(), 3u);
    EXPECT_EQ(db.contacts[0].name.view(), "Berlin HQ");
    EXPECT_EQ(db.contacts[1].name.view(), "Hamburg HQ");
    EXPECT_EQ(db.contacts[2].number.view(), "0501");
}

TEST_F(ListIoTest, TheLargeListQuestionComesOnceBeforeTheLineThatIsAddedAt4000)
{
    for (int i = 0; i < 3999; ++i)
        db.contacts.push_back(contact(std::to_string(100000 + i).c_str(), "x"));
    int asked = 0;
    std::size_t sizeWhenAsked = 0;
    ListImportHooks hooks;
    hooks.confirmLargeContactList = [&] {
        ++asked;
        sizeWhenAsked = db.contacts.size();
        return true;
    };
    bool completed = false;
    const auto c = import({SettingsList::Contacts, 0}, "555;First\n666;Second\n777;Third\n100000;Again\n", {}, hooks,
                          &completed);
    EXPECT_TRUE(completed);
    EXPECT_EQ(asked, 1);
    EXPECT_EQ(sizeWhenAsked, 4000u); // the first line was matched and appended before
    // From 4000 on lines are appended unmatched; the repeated 100000 goes in the compaction.
    expectCounts(c, 4, 4, 0);
    ASSERT_EQ(db.contacts.size(), 4002u);
    EXPECT_TRUE(std::is_sorted(db.contacts.begin(), db.contacts.end(),
                               [](const auto& a, const auto& b) { return a.number.view() < b.number.view(); }));
    EXPECT_EQ(db.contacts[0].number.view(), "100000");
    EXPECT_EQ(db.contacts[0].name.view(), "x"); // the first of the run stays
}

TEST_F(ListIoTest, AnsweringNoStopsTheContactImportAtThatLine)
{
    for (int i = 0; i < 3999; ++i)
        db.contacts.push_back(contact(std::to_string(100000 + i).c_str(), "x"));
    ListImportHooks hooks;
    hooks.confirmLargeContactList = [] { return false; };
    bool completed = true;
    const auto c = import({SettingsList::Contacts, 0}, "555;First\n666;Second\n", {}, hooks, &completed);
    EXPECT_FALSE(completed);
    expectCounts(c, 1, 1, 0);
    EXPECT_EQ(db.contacts.size(), 4000u); // not large: no compaction
}

TEST_F(ListIoTest, ContactCountIsReportedEvery500Lines)
{
    std::string content;
    for (int i = 0; i < 1200; ++i)
        content += std::to_string(200000 + i) + ";n\n";
    std::vector<std::size_t> counts;
    ListImportHooks hooks;
    hooks.contactCount = [&](std::size_t n) { counts.push_back(n); };
    import({SettingsList::Contacts, 0}, content, {}, hooks);
    EXPECT_EQ(counts, (std::vector<std::size_t>{500, 1000}));
}

// ---- projects ----

TEST_F(ListIoTest, ProjectsKeyedByAccountCode)
{
    const auto c = import(SettingsList::Projects, "77;Apollo\n77x;Apollo 2\nabc;None\n88;Gemini\n");
    expectCounts(c, 3, 2, 1);
    ASSERT_EQ(db.projects.size(), 2u);
    EXPECT_EQ(db.projects[0].name.view(), "Apollo 2");
}

// ---- prefixes ----

TEST_F(ListIoTest, PrefixCallTypesAndCarriersInAnyCase)
{
    db.carriers[2].name.assign(""); // an empty name never matches
    const auto c = import({SettingsList::Prefixes, 1}, "00;;international;FIRST\n"
                                                       "01;49;LONG DISTANCE;\n"
                                                       "02;;User defined 2;nobody\n"
                                                       "03;;no such type;fourth\n"
                                                       "04;;local; \n");
    expectCounts(c, 5, 5, 0);
    const auto& list = db.prefixes[1];
    ASSERT_EQ(list.size(), 5u);
    EXPECT_EQ(list[0].callType, 2);
    EXPECT_EQ(list[0].changeCarrierTo, 1);
    EXPECT_EQ(list[1].callType, 1);
    EXPECT_EQ(list[1].internationalCode.view(), "49");
    EXPECT_EQ(list[2].callType, 4);
    EXPECT_EQ(list[2].changeCarrierTo, 0);
    EXPECT_EQ(list[3].callType, 2); // no match: the new record's "International"
    EXPECT_EQ(list[3].changeCarrierTo, 4);
    EXPECT_EQ(list[4].callType, 0);
    EXPECT_EQ(list[4].changeCarrierTo, 0);
    EXPECT_TRUE(db.prefixes[0].empty());
}

TEST_F(ListIoTest, PrefixesWithAStarAreTheSameKeyOnlyAtEqualLength)
{
    PrefixEntry p;
    p.prefix.assign("12*");
    p.callType = 1;
    p.flags = PrefixEntry::kFreeCalls;
    db.prefixes[0].push_back(p);
    const auto c = import({SettingsList::Prefixes, 0}, "123;44;international;\n12;;local;\n");
    expectCounts(c, 2, 1, 1);
    ASSERT_EQ(db.prefixes[0].size(), 2u);
    EXPECT_EQ(db.prefixes[0][0].prefix.view(), "12*"); // the key stays
    EXPECT_EQ(db.prefixes[0][0].callType, 2);
    EXPECT_EQ(db.prefixes[0][0].flags, PrefixEntry::kFreeCalls); // flags are never imported
    EXPECT_EQ(db.prefixes[0][1].prefix.view(), "12");
}

// ---- holidays ----

TEST_F(ListIoTest, HolidayValidityAndYearlyMarks)
{
    const auto c = import(SettingsList::Holidays,
                          "2;30;2004;0\n"  // no 30 February: not processed
                          "2;29;2001;10\n" // "10" holds a 1: yearly, and a yearly 29 February is valid
                          "12;25;2024;\n"
                          "12;25;2024;no\n" // the same holiday again: processed, not added
                          "1;1;2100;\n");   // year out of range
    expectCounts(c, 3, 2, 0);
    ASSERT_EQ(db.holidays.size(), 2u);
    EXPECT_EQ(db.holidays[0], (HolidayEntry{0, 2, 29}));
    EXPECT_EQ(db.holidays[1], (HolidayEntry{2024, 12, 25}));
}

// ---- exchange rates ----

TEST_F(ListIoTest, ExchangeRatesReplaceByDateAndStayInDateOrder)
{
    db.header.overrideCurrency = 1;
    db.header.mainCurrency.decimalSymbol.assign(",");
    db.header.mainCurrency.digits = 2;
    db.rebuildCurrencyFormats();
    ExchangeRateEntry first{};
    first.year = 2024;
    first.month = 1;
    first.day = 1;
    first.rate = 1.1;
    ExchangeRateEntry second = first;
    second.month = 6;
    second.rate = 1.2;
    db.exchangeRates = {first, second};

    const auto c = import(SettingsList::ExchangeRates,
                          "6;1;2024;1,25\n"  // replaces June
                          "3;15;2024;1,15\n" // goes between
                          "2;30;2024;9\n"    // invalid date
                          "1;1;2030;2\n"
                          "1;1;2030;2,5\n" // the later line of a date wins
                          "7;1;2024;0\n"   // not positive: not a rate
                          "8;1;2024;-1,5\n");
    expectCounts(c, 4, 4, 0);
    ASSERT_EQ(db.exchangeRates.size(), 4u);
    EXPECT_EQ(db.exchangeRates[0].rate, 1.1);
    EXPECT_EQ(db.exchangeRates[1].month, 3);
    EXPECT_EQ(db.exchangeRates[1].rate, 1.15);
    EXPECT_EQ(db.exchangeRates[2].month, 6);
    EXPECT_EQ(db.exchangeRates[2].rate, 1.25);
    EXPECT_EQ(db.exchangeRates[3].year, 2030);
    EXPECT_EQ(db.exchangeRates[3].rate, 2.5);

    EXPECT_EQ(exportText({SettingsList::ExchangeRates, 0}),
              "1;1;2024;1,10\r\n3;15;2024;1,15\r\n6;1;2024;1,25\r\n1;1;2030;2,50\r\n");
}

// ---- toll rates ----

TEST_F(ListIoTest, TollRateImportBuildsTheSelectedCarriersRates)
{
    std::string line = "0049 30;Germany;Berlin;-10;0.5;60;1.25;yes;30;0;"
                       "true;0.10;60;22:00;06:00;HOLIDAYS;"
                       "0;0.2;-1;;;weekdays;"
                       "1;0.3;1;08:00;08:00;x;"
                       ";;;;;\n";
    const auto c = import({SettingsList::TollRates, 2}, line + ";Nowhere" + std::string(32, ';') + "\n");
    expectCounts(c, 1, 1, 0);
    ASSERT_EQ(db.destinations.size(), 1u);
    const DestinationEntry& d = db.destinations[0];
    EXPECT_EQ(d.code.view(), "0049");
    EXPECT_EQ(d.city.view(), "Berlin");
    const RateBlock& r = d.rates[2];
    EXPECT_EQ(r.minDuration, 0);
    EXPECT_EQ(r.minCost, 0.5);
    EXPECT_EQ(r.initialUnit, 60);
    EXPECT_EQ(r.initialCharge, 1.25);
    EXPECT_EQ(r.flags, RateBlock::kAlternativeCurrency);
    EXPECT_EQ(r.roundTo, 30);
    EXPECT_EQ(r.periods[0].flags, 0x800Cu | RatePeriod::kTimed | RatePeriod::kCrossesMidnight);
    EXPECT_EQ(r.periods[0].rate, 0.10);
    EXPECT_EQ(r.periods[1].flags, RatePeriod::kByKindOfDay); // inactive, restricted to weekdays
    EXPECT_EQ(r.periods[1].unitLength, 0);
    EXPECT_EQ(r.periods[2].flags, RatePeriod::kActive); // 08:00-08:00: no times, the whole day
    EXPECT_EQ(r.periods[3].unitLength, 60);             // empty texts keep the new destination's values
    for (int k : {0, 1, 3, 4, 5}) {
        EXPECT_EQ(d.rates[static_cast<std::size_t>(k)].periods[0].unitLength, 60);
        EXPECT_EQ(d.rates[static_cast<std::size_t>(k)].periods[0].flags, 0u);
    }
}

TEST_F(ListIoTest, TollRateUpdateWritesOnlyTheColumnsInTheFileForTheSelectedCarrier)
{
    DestinationEntry d = tollrates::newDestination();
    d.code.assign("0044");
    d.country.assign("United Kingdom");
    d.rates[0].minCost = 7.0;
    d.rates[1].minCost = 3.0;
    d.rates[1].periods[0].rate = 0.5;
    d.rates[1].periods[0].flags = RatePeriod::kActive;
    db.destinations.push_back(d);

    const auto c = import({SettingsList::TollRates, 1}, "0044;1.5;0.75;20:00;08:00\n", [](TextTableOptions& o) {
        for (auto& p : o.positions)
            p.active = p.field == 0 || p.field == 4 || p.field == 11 || p.field == 13 || p.field == 14;
    });
    expectCounts(c, 1, 0, 1);
    const DestinationEntry& after = db.destinations[0];
    EXPECT_EQ(after.country.view(), "United Kingdom");
    EXPECT_EQ(after.rates[0].minCost, 7.0);
    EXPECT_EQ(after.rates[1].minCost, 1.5);
    EXPECT_EQ(after.rates[1].periods[0].rate, 0.75);
    EXPECT_EQ(after.rates[1].periods[0].flags, RatePeriod::kActive | RatePeriod::kTimed | RatePeriod::kCrossesMidnight);
}

// ---- export, then import, gives the same list ----

TEST_F(ListIoTest, ExportWritesTheListsCellTexts)
{
    DirectoryEntry e;
    e.extension = 7;
    e.accountCode.assign("0815");
    e.name.assign("Smith; John");
    db.directory.push_back(e);
    e.extension = -1;
    e.costModifier = 80;
    db.directory.push_back(e);
    EXPECT_EQ(exportText({SettingsList::Directory, 0}, kHeader), "Ext;Acc code;Employee;Department;Cost modifier\r\n"
                                                                 "007;0815\xA0;\"Smith; John\";;\r\n"
                                                                 ";0815\xA0;\"Smith; John\";;80%\r\n");

    PrefixEntry p;
    p.prefix.assign("0*");
    p.internationalCode.assign("49");
    p.callType = 0; // local: no international code shown
    p.changeCarrierTo = 2;
    db.prefixes[0].push_back(p);
    p.callType = 3;
    p.flags = PrefixEntry::kTreatAsLocal;
    db.prefixes[0].push_back(p);
    p.flags = 0;
    p.changeCarrierTo = 0;
    db.prefixes[0].push_back(p);
    EXPECT_EQ(exportText({SettingsList::Prefixes, 0}),
              "0*\xA0;;Local;Second\r\n0*\xA0;;User defined 1;Second\r\n0*\xA0;49;User defined 1;\r\n");
}

TEST_F(ListIoTest, EveryListSurvivesExportAndImport)
{
    SettingsDatabase original;
    original.carriers = db.carriers;
    {
        DirectoryEntry e;
        e.extension = 101;
        e.accountCode.assign("0042");
        e.name.assign("Adams; \"Ann\"");
        e.department.assign("Sales");
        e.costModifier = 90;
        original.directory.push_back(e);
        e = DirectoryEntry{};
        e.accountCode.assign("77");
        e.name.assign("Pool");
        original.directory.push_back(e);
        TrunkEntry t;
        t.number = 12;
        t.carrier = 3;
        t.group.assign("Berlin");
        original.trunks.push_back(t);
        t.number = 0;
        t.carrier = 0;
        t.group.assign("");
        original.trunks.push_back(t);
        original.contacts = {contact("0301*", "ACME"), contact("0049123", "Bolt\xE4")};
        ProjectEntry pr;
        pr.accountCode.assign("0815");
        pr.name.assign("Apollo");
        original.projects.push_back(pr);
        PrefixEntry p;
        p.prefix.assign("00*");
        p.internationalCode.assign("44");
        p.callType = 2;
        p.changeCarrierTo = 2;
        original.prefixes[4].push_back(p);
        p.prefix.assign("");
        p.internationalCode.assign("");
        p.callType = 0;
        p.changeCarrierTo = 0;
        original.prefixes[4].push_back(p);
        original.holidays = {HolidayEntry{0, 2, 29}, HolidayEntry{2024, 12, 24}};
        ExchangeRateEntry r{};
        r.year = 2023;
        r.month = 7;
        r.day = 1;
        r.rate = 0.9125;
        original.exchangeRates.push_back(r);
        DestinationEntry d = tollrates::newDestination();
        d.code.assign("0044");
        d.country.assign("United Kingdom");
        d.city.assign("London");
        RateBlock& b = d.rates[5];
        b.minCost = 0.25;
        b.minDuration = 10;
        b.initialCharge = 1.5;
        b.initialUnit = 30;
        b.roundTo = 6;
        b.flags = RateBlock::kDiscardRemainder;
        b.periods[0] = {0.0975,
                        60,
                        22,
                        0,
                        6,
                        30,
                        RatePeriod::kActive | RatePeriod::kByKindOfDay | RatePeriod::kTimed
                            | RatePeriod::kCrossesMidnight};
        b.periods[1] = {
            0.12, 1, 0, 0, 0, 0, RatePeriod::kActive | RatePeriod::kByKindOfDay | RatePeriod::kHolidaysOnly};
        b.periods[2] = {0.08, 60, 16, 0, 24, 0, RatePeriod::kActive | RatePeriod::kTimed}; // until the end of the day
        original.destinations.push_back(d);
    }
    original.rebuildCurrencyFormats();

    const ListSelector lists[] = {{SettingsList::Directory, 0},     {SettingsList::Trunks, 0},
                                  {SettingsList::Contacts, 0},      {SettingsList::Projects, 0},
                                  {SettingsList::Prefixes, 4},      {SettingsList::Holidays, 0},
                                  {SettingsList::ExchangeRates, 0}, {SettingsList::TollRates, 5}};
    for (bool header : {false, true}) {
        for (SeparatorType type : {SeparatorType::Other, SeparatorType::Tab, SeparatorType::FixedWidth}) {
            const Adjust layout = [&](TextTableOptions& o) {
                o.firstLineIsHeader = header;
                o.separatorType = type;
                for (auto& p : o.positions)
                    p.size = 40;
            };
            db.copyFrom(original);
            const std::vector<std::string> texts = [&] {
                std::vector<std::string> out;
                for (const ListSelector& which : lists)
                    out.push_back(exportText(which, layout));
                return out;
            }();
            db.clear();
            db.carriers = original.carriers;
            db.rebuildCurrencyFormats();
            for (std::size_t i = 0; i < std::size(lists); ++i) {
                writeAll(path, texts[i]);
                const Adjust reading = [&](TextTableOptions& o) {
                    layout(o);
                    o.deleteAll = true;
                };
                SCOPED_TRACE(texts[i]);
                TextTableFile file(TextTableMode::Import);
                const ListFileLayout& l = listFileLayout(lists[i].list);
                file.loadOptions(IniProfile(), l.section, l.fieldCount);
                reading(file.options());
                ASSERT_EQ(file.open(path), TextTableFile::OpenResult::Ok);
                importList(file, db, prefs, lists[i]);
            }
            EXPECT_EQ(db.directory, original.directory);
            EXPECT_EQ(db.trunks, original.trunks);
            EXPECT_EQ(db.contacts, original.contacts);
            EXPECT_EQ(db.projects, original.projects);
            EXPECT_EQ(db.prefixes, original.prefixes);
            EXPECT_EQ(db.holidays, original.holidays);
            EXPECT_EQ(db.exchangeRates, original.exchangeRates);
            EXPECT_EQ(db.destinations, original.destinations);
        }
    }
}

TEST_F(ListIoTest, OpeningThroughTheDialogsTitlesTheTollRateColumns)
{
    struct FrontEnd : TextTableFrontEnd
    {
        std::filesystem::path path;
        std::filesystem::path chooseFile(TextTableMode, const std::filesystem::path&) override { return path; }
        bool editOptions(TextTableFile& file) override
        {
            file.options().firstLineIsHeader = true;
            return file.titles().size() == tollrates::kColumnCount;
        }
        void showError(const std::string&) override { }
    } frontEnd;
    frontEnd.path = path;
    IniProfile ini(dir / "quantorix.ini");
    TextTableFile file(TextTableMode::Export);
    ASSERT_TRUE(openListWithOptions(file, ini, SettingsList::TollRates, frontEnd));
    exportList(file, db, prefs, {SettingsList::TollRates, 0});
    EXPECT_EQ(file.finish().message, "0 records exported");
    const std::string text = readAll(path);
    EXPECT_EQ(text.substr(0, 30), "Code;Country;City;Min. time;Mi");
    EXPECT_NE(text.find(";Rate4_To;Rate4_Apply\r\n"), std::string::npos);
    EXPECT_EQ(ini.readInt("ListRateToll", "First", 0), 1); // the options were stored
}
