#include "rating/RatingPipeline.h"
#include "RatingFixtures.h"
#include "TempDir.h"
#include "calls/CallFileRecord.h"
#include "calls/CallGenerator.h"
#include "calls/CallSession.h"
#include "rating/RatedCallNames.h"
#include "settings/SettingsFile.h"

#include <gtest/gtest.h>

#include <cstring>
#include <fstream>

using namespace ratingtest;

namespace {

std::filesystem::path writeCalls(const TempDir& dir, std::size_t count)
{
    CallGeneratorOptions options;
    options.count = count;
    options.days = 60;
    const std::vector<std::uint8_t> bytes = CallGenerator::fileBytes(options);
    const auto path = dir / "calls.bsl";
    std::ofstream(path, std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    return path;
}

SettingsDatabase officeSettings()
{
    SettingsDatabase db = plainSettings();
    db.trunks = {trunk(1, 1, "North"), trunk(2, 0, "South")};
    for (std::size_t k = 0; k < db.prefixes.size(); ++k) {
        db.prefixes[k] = {prefix("", 0), prefix("0", 1, "49"), prefix("00", 2)};
        db.carriers[k].localRate = flatRate(0.02);
    }
    db.destinations = {destination("44", "United Kingdom", 0.25), destination("49221", "Germany", 0.06)};
    db.directory = {employee(100, "", "Anna", "Sales", 50), employee(101, "", "Bert", "IT")};
    db.contacts = {contact("0221*******", "Cologne office")};
    return db;
}

bool sameRecord(const CallRecord& a, const CallRecord& b) { return std::memcmp(&a, &b, sizeof a) == 0; }

} // namespace

TEST(RatingPipeline, LoadAndRerateRateEveryCall)
{
    TempDir dir;
    const auto path = writeCalls(dir, 3000);
    SettingsDatabase db = officeSettings();
    db.rebuildIndexes();
    RatingPipeline pipeline(db, Preferences{});
    CallSession session;
    session.setPipeline(&pipeline);
    NoProgress progress;
    ASSERT_TRUE(session.openFile(path, progress).ok());

    CallGenerator generator({1, 3000, {2025, 1, 1, 0, 0}, 60});
    const CallRating check(db, RatingOptions{});
    CallFileRecord record;
    int withDestination = 0;
    for (std::size_t i = 0; generator.next(record); ++i) {
        CallRecord expected = record.toCall();
        check.classify(expected);
        ASSERT_TRUE(sameRecord(session.call(i), expected)) << i;
        withDestination += expected.destinationIndex >= 0;
    }
    EXPECT_GT(withDestination, 0);

    // A settings change: rebuild, then Rerate from the calls' file form (no dashes twice).
    db.carriers[0].costModifier = 200;
    db.rebuildIndexes();
    pipeline.settingsChanged();
    session.rerate(true, progress);
    for (std::size_t i = 0; i < session.count(); ++i) {
        CallRecord expected = CallFileRecord::fromCall(session.call(i)).toCall();
        check.classify(expected);
        ASSERT_TRUE(sameRecord(session.call(i), expected)) << i;
    }
}

TEST(RatingPipeline, PreferencesChangeTheDialledNumbers)
{
    SettingsDatabase db = officeSettings();
    db.rebuildIndexes();
    RatingPipeline pipeline(db, Preferences{});
    CallRecord c = call("00442071234567");
    pipeline.rate(c);
    EXPECT_EQ(c.number(), "00-44-2071234567");
    Preferences prefs;
    prefs.dashAfterTollPrefix = false;
    prefs.dashAfterCode = false;
    pipeline.preferencesChanged(prefs);
    c = call("00442071234567");
    pipeline.rate(c);
    EXPECT_EQ(c.number(), "00442071234567");
}

TEST(RatedCallNames, NamesOfARatedCall)
{
    SettingsDatabase db = officeSettings();
    db.header.linkAccountCodes = 1;
    ProjectEntry p;
    p.accountCode.assign("12");
    p.name.assign("Roof");
    db.projects = {p};
    db.rebuildIndexes();
    const CallRating rating(db, {});
    const RatedCallNames names(db);

    CallRecord c = call("02211234567");
    fixedtext::store(c.accountCode, "12");
    rating.classify(c);
    EXPECT_EQ(names.destinationCode(c), "49221");
    EXPECT_EQ(names.employee(c), "Anna");
    EXPECT_EQ(names.department(c), "Sales");
    EXPECT_EQ(names.trunkGroup(c), "North");
    EXPECT_EQ(names.contact(c), "Cologne office");
    EXPECT_EQ(names.project(c), "Roof");

    const CallRecord none = CallRecord::empty();
    EXPECT_EQ(names.destinationCode(none), "");
    EXPECT_EQ(names.employee(none), "");
    EXPECT_EQ(names.department(none), "");
    EXPECT_EQ(names.trunkGroup(none), "");
    EXPECT_EQ(names.contact(none), "");
    EXPECT_EQ(names.project(none), "");
}

// The shipped settings over generated calls: every outgoing toll call of the
// numbering plan finds its destination, and nothing costs less than nothing.
TEST(RatingPipeline, ShippedSettingsRateTheDemoCalls)
{
    const std::filesystem::path shipped = std::filesystem::path(QX_PROGRAM_DIR) / "brisel.dat";
    SettingsDatabase db;
    if (loadSettings(shipped, db) != SettingsLoadResult::Ok)
        GTEST_SKIP() << "no default settings at " << shipped;
    db.rebuildIndexes();
    const CallRating rating(db, RatingOptions::from(Preferences{}));
    CallGenerator generator({7, 20000, {2025, 1, 1, 0, 0}, 365});
    CallFileRecord record;
    int toll = 0, tollWithDestination = 0, priced = 0;
    while (generator.next(record)) {
        CallRecord c = record.toCall();
        rating.classify(c);
        ASSERT_GE(c.cost, 0.0) << c.number();
        priced += c.cost > 0.0;
        if (c.direction == 0 && c.localFlag == 0 && c.freeFlag == 0) {
            ++toll;
            tollWithDestination += c.destinationIndex >= 0;
        }
        if (c.number().starts_with("0800")) {
            EXPECT_EQ(c.cost, 0.0);
        }
    }
    EXPECT_GT(toll, 1000);
    EXPECT_EQ(tollWithDestination, toll);
    EXPECT_GT(priced, 5000);
}
