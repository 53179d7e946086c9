// Applies a filter with five criteria (outgoing only, a date range, a minimum
// duration, a department by its beginning and a trunk range list) to 1,000,000
// loaded, rated calls, as the Filter command does: every call tested, the rows
// sorted by date and extension, the totals summed. Target: <= 150 ms.
// Also prints the same pass with the plain per-call test of the filter record
// (a collation for every name compared) for comparison.
//
//   bench_filter_apply [SETTINGS]    default: ../bin/brisel.dat beside this program

#include "calls/CallGenerator.h"
#include "session/MainSession.h"
#include "settings/SettingsFile.h"

#include <QCoreApplication>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

constexpr std::size_t kCalls = 1'000'000;
constexpr int kRuns = 5;

std::filesystem::path writeCalls(const std::filesystem::path& folder)
{
    const auto path = folder / "calls.bsl";
    CallGeneratorOptions options;
    options.count = kCalls;
    options.days = 365;
    const std::vector<std::uint8_t> bytes = CallGenerator::fileBytes(options);
    std::ofstream(path, std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    return path;
}

double seconds(std::chrono::steady_clock::time_point since)
{
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - since).count();
}

FilterRecord fiveCriteria(const SettingsDatabase& db)
{
    FilterRecord f;
    f.includeIncoming = 0;
    f.fromOn = f.toOn = 1;
    f.from = {2025, 2, 1, 0, 0};
    f.to = {2025, 10, 31, 23, 59};
    f.durationOn = 1;
    f.minDuration = 30;
    f.departmentOn = 1;
    f.departmentExact = 0;
    const std::string department = db.departments().size() > 0 ? db.departments()[0] : std::string();
    FilterRecord::setText(f.department, department.substr(0, 2));
    f.trunkOn = 1;
    f.trunks.count = 2;
    f.trunks.low = {1, 9};
    f.trunks.high = {6, 12};
    return f;
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const std::filesystem::path settingsPath =
        argc > 1 ? std::filesystem::path(argv[1])
                 : std::filesystem::canonical("/proc/self/exe").parent_path().parent_path() / "bin" / "brisel.dat";
    const auto folder = std::filesystem::temp_directory_path() / ("qx-bench-filter-" + std::to_string(::getpid()));
    std::filesystem::create_directories(folder);
    MainSession session(folder);
    if (loadSettings(settingsPath, session.settings()) != SettingsLoadResult::Ok) {
        std::fprintf(stderr, "cannot load %s\n", settingsPath.string().c_str());
        return 1;
    }
    session.settings().rebuildIndexes();
    NoProgress progress;
    session.settingsChanged(progress);
    const std::filesystem::path path = writeCalls(folder);
    if (!session.openFiles(std::span(&path, 1), progress).ok() || session.calls().count() != kCalls) {
        std::fprintf(stderr, "load failed\n");
        return 1;
    }

    const FilterRecord filter = fiveCriteria(session.settings());
    std::vector<double> times;
    for (int run = 0; run < kRuns; ++run) {
        session.clearFilter(progress);
        const auto start = std::chrono::steady_clock::now();
        session.applyFilter(filter, true, progress);
        times.push_back(seconds(start));
    }
    std::sort(times.begin(), times.end());

    // The plain record test over the same table, without sorting.
    const auto start = std::chrono::steady_clock::now();
    std::size_t plain = 0;
    for (const CallRecord& call : session.calls().calls())
        plain += filter.accept(call, session.settings());
    const double plainSeconds = seconds(start);
    std::filesystem::remove_all(folder);

    std::printf("filter_apply: %zu calls, %zu rows after the filter (plain test agrees: %s)\n", kCalls,
                session.totals().rows, plain == session.totals().rows ? "yes" : "NO");
    std::printf("filter_apply: apply with five criteria, re-sort and totals: best %.1f ms, median %.1f ms "
                "(target <= 150 ms)\n",
                times.front() * 1e3, times[times.size() / 2] * 1e3);
    std::printf("filter_apply: plain per-call record test without sorting: %.1f ms\n", plainSeconds * 1e3);
    return 0;
}
