// Cell texts and column sorting of the calls list over 1,000,000 rated calls:
// nanoseconds and heap allocations per cell for each column, and the time of a
// full sort of the visible list by several keys (with the name ranks, and for
// comparison by employee names through the collation on every comparison).
// Times are processor seconds.

#include "core/Locale.h"
#include "prefs/CallColumns.h"
#include "prefs/Preferences.h"
#include "settings/SettingsDatabase.h"

#include <QCoreApplication>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <new>
#include <numeric>
#include <random>
#include <string>
#include <vector>

namespace {
std::atomic<std::size_t> g_allocations{0};
}

void* operator new(std::size_t size)
{
    g_allocations.fetch_add(1, std::memory_order_relaxed);
    if (void* p = std::malloc(size == 0 ? 1 : size))
        return p;
    throw std::bad_alloc();
}
void operator delete(void* p) noexcept { std::free(p); }
void operator delete(void* p, std::size_t) noexcept { std::free(p); }

namespace {

constexpr std::size_t kCalls = 1'000'000;

// Processor time of this (single-threaded) process: the figures stay meaningful
// on a machine busy with other work.
using CpuClock = std::chrono::duration<double>;
CpuClock cpuNow()
{
    timespec t{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return CpuClock(static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_nsec) * 1e-9);
}
double secondsSince(CpuClock start) { return (cpuNow() - start).count(); }

std::string word(std::mt19937& random, const char* prefix)
{
    static const char* syllables[] = {"an", "ber", "co", "dor", "el", "fa", "gun", "ha", "is", "jo", "ka", "lu"};
    std::string s = prefix;
    for (int i = 0; i < 3; ++i)
        s += syllables[random() % 12];
    return s;
}

void fillSettings(SettingsDatabase& db, std::mt19937& random)
{
    for (int i = 0; i < 300; ++i) {
        DirectoryEntry e;
        e.extension = 100 + i;
        e.name.assign(word(random, i % 2 ? "M" : "s"));
        e.department.assign(word(random, "D").substr(0, 4));
        db.directory.push_back(e);
    }
    for (int i = 0; i < 40; ++i) {
        TrunkEntry t;
        t.number = static_cast<std::uint32_t>(i + 1);
        t.group.assign(word(random, "G").substr(0, 3));
        db.trunks.push_back(t);
    }
    for (int i = 0; i < 5000; ++i) {
        DestinationEntry d;
        d.code.assign(std::to_string(1000 + i));
        d.country.assign(word(random, "C").substr(0, 5));
        d.city.assign(i % 5 ? word(random, "c") : "");
        db.destinations.push_back(d);
    }
    for (int i = 0; i < 2000; ++i) {
        ContactEntry c;
        c.number.assign(std::to_string(5'000'000 + i));
        c.name.assign(word(random, "K"));
        db.contacts.push_back(c);
    }
    for (int i = 0; i < 30; ++i) {
        ProjectEntry p;
        p.accountCode.assign(std::to_string(10 + i));
        p.name.assign(word(random, "P"));
        db.projects.push_back(p);
    }
    db.carriers[0].name.assign("Carrier One");
    db.carriers[1].name.assign("Carrier Two");
    db.rebuildIndexes();
}

std::vector<CallRecord> makeCalls(const SettingsDatabase& db, std::mt19937& random)
{
    auto below = [&](std::size_t n) { return static_cast<std::int32_t>(random() % n); };
    std::vector<CallRecord> calls(kCalls);
    for (std::size_t i = 0; i < kCalls; ++i) {
        CallRecord& c = calls[i];
        c = CallRecord::empty();
        c.extension = static_cast<std::uint32_t>(100 + below(300));
        c.trunk = static_cast<std::uint32_t>(1 + below(40));
        const std::string number = "0" + std::to_string(10'000'000 + below(90'000'000));
        std::copy(number.begin(), number.end(), c.dialedNumber.begin());
        c.start = {2025, static_cast<std::uint8_t>(1 + below(12)), static_cast<std::uint8_t>(1 + below(28)),
                   static_cast<std::uint8_t>(below(24)), static_cast<std::uint8_t>(below(60))};
        c.duration = static_cast<std::uint32_t>(below(3600));
        c.ringTime = static_cast<std::uint32_t>(below(90));
        c.direction = below(4) == 0;
        c.callType = below(4);
        c.cost = below(100000) / 1000.0;
        c.directoryIndex = below(310) - 10;
        c.departmentIndex = c.directoryIndex < 0 ? -1 : db.departmentIndexOfEntry(c.directoryIndex);
        c.trunkIndex = below(41) - 1;
        c.carrierIndex = below(2);
        c.destinationIndex = below(5100) - 100;
        c.localFlag = below(10) == 0;
        c.contactIndex = below(3) == 0 ? db.contactIndexOfEntry(below(2000)) : -1;
        if (c.contactIndex < 0 && below(2) == 0) {
            const std::string name = "N" + std::to_string(below(20000));
            std::copy(name.begin(), name.end(), c.nameText.begin());
        }
        c.projectIndex = below(40) - 10;
    }
    return calls;
}

void cellTexts(const CallColumns& columns, const std::vector<CallRecord>& calls)
{
    std::printf("Cell texts, %zu calls per column:\n", calls.size());
    std::string out;
    out.reserve(256);
    double all = 0;
    for (int t = 0; t < kColumnTypeCount; ++t) {
        const std::size_t before = g_allocations.load();
        std::size_t bytes = 0;
        const auto start = cpuNow();
        for (const CallRecord& c : calls) {
            columns.cellText(c, ColumnType(t), out);
            bytes += out.size();
        }
        const double s = secondsSince(start);
        all += s;
        std::printf("  %-14s %7.1f ns/cell  %5.3f allocations/cell  (%zu bytes)\n", columnTitle(ColumnType(t)).c_str(),
                    s * 1e9 / static_cast<double>(calls.size()),
                    static_cast<double>(g_allocations.load() - before) / static_cast<double>(calls.size()), bytes);
    }
    std::printf("  all 19 columns: %.2f s for %zu rows\n", all, calls.size());
}

void sortBy(const std::vector<CallRecord>& calls, const char* what, const auto& less)
{
    std::vector<std::uint32_t> rows(calls.size());
    std::iota(rows.begin(), rows.end(), 0u);
    std::size_t comparisons = 0;
    const auto start = cpuNow();
    std::stable_sort(rows.begin(), rows.end(), [&](std::uint32_t a, std::uint32_t b) {
        ++comparisons;
        return less(calls[a], calls[b]);
    });
    const double s = secondsSince(start);
    std::printf("  %-44s %6.2f s  (%5.1f ns per comparison)\n", what, s, s * 1e9 / static_cast<double>(comparisons));
}

void sorting(CallColumns& columns, const SettingsDatabase& db, const std::vector<CallRecord>& calls)
{
    std::printf("Stable sort of %zu rows:\n", calls.size());
    auto keys = [](ColumnType primary, ColumnType secondary) { return SortKeys{{primary, false}, {secondary, false}}; };
    auto by = [&](SortKeys k) {
        return [&columns, k](const CallRecord& a, const CallRecord& b) { return columns.less(a, b, k); };
    };
    sortBy(calls, "Date, Ext", by(keys(ColumnType::Date, ColumnType::Ext)));
    sortBy(calls, "Cost descending, Date", by(SortKeys{{ColumnType::Cost, true}, {ColumnType::Date, false}}));
    sortBy(calls, "Employee, Duration", by(keys(ColumnType::Employee, ColumnType::Duration)));
    sortBy(calls, "Department, Date", by(keys(ColumnType::Department, ColumnType::Date)));
    sortBy(calls, "Trunk group, Date", by(keys(ColumnType::TrunkGroup, ColumnType::Date)));
    sortBy(calls, "Destination, Date", by(keys(ColumnType::Destination, ColumnType::Date)));
    sortBy(calls, "Contact, Date (names not ranked)", by(keys(ColumnType::Contact, ColumnType::Date)));
    auto start = cpuNow();
    columns.rankCallNames(calls);
    std::printf("  %-44s %6.2f s\n", "ranking the calls' own names", secondsSince(start));
    sortBy(calls, "Contact, Date (names ranked)", by(keys(ColumnType::Contact, ColumnType::Date)));

    // Callers' names only (incoming calls from numbers that are no contact).
    std::vector<CallRecord> named(calls.begin(), calls.begin() + 200'000);
    for (std::size_t i = 0; i < named.size(); ++i) {
        named[i].contactIndex = -1;
        const std::string name = "Name " + std::to_string(i % 50000); // at most 10 characters
        std::copy(name.begin(), name.end(), named[i].nameText.begin());
    }
    const Preferences prefs;
    CallColumns fresh(db, prefs);
    auto byContact = [](const CallColumns& c) {
        return [&c](const CallRecord& a, const CallRecord& b) { return c.compare(a, b, ColumnType::Contact) < 0; };
    };
    sortBy(named, "Contact, 200,000 named, names not ranked", byContact(fresh));
    fresh.rankCallNames(named);
    sortBy(named, "Contact, 200,000 named, names ranked", byContact(fresh));

    // What the ranks save: the employee names through the collation on every comparison.
    const std::vector<CallRecord> part(calls.begin(), calls.begin() + 100'000);
    const Locale& locale = Locale::current();
    auto employeeText = [&](const CallRecord& c) {
        return c.directoryIndex < 0 ? std::string_view()
                                    : db.directory[static_cast<std::size_t>(c.directoryIndex)].name.view();
    };
    sortBy(part, "Employee by collation per comparison, 100,000", [&](const CallRecord& a, const CallRecord& b) {
        return locale.compare(employeeText(a), employeeText(b)) < 0;
    });
    sortBy(part, "Employee by rank, 100,000", by(keys(ColumnType::Employee, ColumnType::Employee)));
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    Locale::pin("en_US");
    std::mt19937 random(42);
    SettingsDatabase db;
    fillSettings(db, random);
    const std::vector<CallRecord> calls = makeCalls(db, random);
    Preferences prefs;

    const auto start = cpuNow();
    CallColumns columns(db, prefs);
    std::printf("CallColumns for %zu directory entries and %zu destinations: %.1f ms\n", db.directory.size(),
                db.destinations.size(), secondsSince(start) * 1e3);
    cellTexts(columns, calls);
    sorting(columns, db, calls);
    return 0;
}
