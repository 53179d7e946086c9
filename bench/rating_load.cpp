// Loads 1,000,000 generated calls with rating: the shipped default settings
// (brisel.dat of the demo installation) plus 50,000 contacts and 2,000
// directory entries. Prints load + classify + price and Rerate in calls per
// second (target >= 2 million each) and the resident bytes per loaded call
// (target <= 200).
//
//   bench_rating_load [SETTINGS]    default: ../bin/brisel.dat beside this program

#include "BenchSupport.h"
#include "calls/CallGenerator.h"
#include "calls/CallSession.h"
#include "rating/RatingPipeline.h"
#include "settings/SettingsFile.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <unistd.h>

namespace {

constexpr std::size_t kCalls = 1'000'000;
constexpr std::size_t kContacts = 50'000;
constexpr int kDirectory = 2'000;

// Contacts from the numbers the office dials and is called from; one in ten
// stands for a whole block of numbers ("**" at the end).
void addContacts(SettingsDatabase& db)
{
    CallGenerator generator({12345, kContacts * 2, {2025, 1, 1, 0, 0}, 365});
    CallFileRecord record;
    while (db.contacts.size() < kContacts && generator.next(record)) {
        std::string number(record.toCall().number());
        if (number.size() < 6)
            continue;
        if (db.contacts.size() % 10 == 0)
            number.replace(number.size() - 2, 2, "**");
        ContactEntry c;
        c.number.assign(number);
        c.name.assign("Contact " + std::to_string(db.contacts.size()));
        db.contacts.push_back(c);
    }
}

void addDirectory(SettingsDatabase& db)
{
    for (int i = 0; i < kDirectory; ++i) {
        DirectoryEntry e;
        e.extension = 1000 + i;
        if (i % 7 == 0)
            e.accountCode.assign(std::to_string(5000 + i));
        e.name.assign("Employee " + std::to_string(i));
        e.department.assign("Department " + std::to_string(i % 40));
        e.costModifier = i % 5 == 0 ? 90 : 100;
        db.directory.push_back(e);
    }
}

double seconds(std::chrono::steady_clock::time_point since)
{
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - since).count();
}

} // namespace

int main(int argc, char** argv)
{
    const std::filesystem::path settingsPath =
        argc > 1 ? std::filesystem::path(argv[1])
                 : std::filesystem::canonical("/proc/self/exe").parent_path().parent_path() / "bin" / "brisel.dat";
    SettingsDatabase db;
    if (loadSettings(settingsPath, db) != SettingsLoadResult::Ok) {
        std::fprintf(stderr, "cannot load %s\n", settingsPath.string().c_str());
        return 1;
    }
    addContacts(db);
    addDirectory(db);
    auto start = std::chrono::steady_clock::now();
    db.rebuildIndexes();
    const double indexSeconds = seconds(start);
    start = std::chrono::steady_clock::now();
    RatingPipeline pipeline(db, Preferences{});
    const double prepareSeconds = seconds(start);

    const std::filesystem::path path = bench::writeCalls(kCalls, "rating");
    NoProgress progress;
    CallSession session;
    session.setPipeline(&pipeline);
    const auto load = [&] {
        session.close();
        const auto since = std::chrono::steady_clock::now();
        const LoadOutcome outcome = session.openFile(path, progress);
        const double s = seconds(since);
        if (!outcome.ok() || session.count() != kCalls) {
            std::fprintf(stderr, "load failed\n");
            std::exit(1);
        }
        return s;
    };
    // The first load also has the system supply the table's fresh pages; later
    // loads into the same session reuse them and show the rating rate itself.
    const std::size_t before = bench::residentBytes();
    const double cold = load();
    const std::size_t perCall = (bench::residentBytes() - before) / kCalls;
    std::size_t withContact = 0, priced = 0;
    for (const CallRecord& c : session.calls()) {
        withContact += c.contactIndex >= 0;
        priced += c.cost > 0.0;
    }
    double bestLoad = 1e9, bestRerate = 1e9;
    for (int run = 0; run < 5; ++run) {
        bestLoad = std::min(bestLoad, load());
        start = std::chrono::steady_clock::now();
        session.rerate(true, progress);
        bestRerate = std::min(bestRerate, seconds(start));
    }
    std::filesystem::remove(path);

    std::printf("rating_load: settings %zu destinations, %zu contacts, %zu directory entries; "
                "index rebuild %.1f ms, rating structures %.1f ms\n",
                db.destinations.size(), db.contacts.size(), db.directory.size(), indexSeconds * 1e3,
                prepareSeconds * 1e3);
    std::printf("rating_load: load + classify + price of %zu calls in %.1f ms: %.2f million calls/s (target >= 2)\n",
                kCalls, bestLoad * 1e3, kCalls / bestLoad / 1e6);
    std::printf("rating_load: first load with fresh pages %.1f ms: %.2f million calls/s\n", cold * 1e3,
                kCalls / cold / 1e6);
    std::printf("rating_load: Rerate of %zu calls in %.1f ms: %.2f million calls/s (target >= 2)\n", kCalls,
                bestRerate * 1e3, kCalls / bestRerate / 1e6);
    std::printf(
        "rating_load: %zu resident bytes per loaded call (target <= 200); %zu calls with a contact, %zu priced\n",
        perCall, withContact, priced);
    return 0;
}
