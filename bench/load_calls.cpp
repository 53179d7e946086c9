// Loads 1,000,000 generated call records (64 MB) and prints how fast they are
// decoded and stored, and how much resident memory one loaded call costs
// (call table plus visible list). Targets: >= 20 million records per second with
// the unrated pipeline, <= 200 bytes per call.

#include "BenchSupport.h"
#include "calls/CallGenerator.h"
#include "calls/CallSession.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <sys/resource.h>
#include <unistd.h>

namespace {

constexpr std::size_t kCalls = 1'000'000;

struct Usage
{
    double processor = 0; // seconds
    long faults = 0;      // page faults served without reading a file
};

Usage usage()
{
    rusage u{};
    ::getrusage(RUSAGE_SELF, &u);
    return {bench::processorSeconds(), u.ru_minflt};
}

Usage lastLoad;

double loadSeconds(CallSession& session, const std::filesystem::path& path)
{
    NoProgress progress;
    session.close();
    const Usage before = usage();
    const auto start = std::chrono::steady_clock::now();
    const LoadOutcome outcome = session.openFile(path, progress);
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    const Usage after = usage();
    lastLoad = {after.processor - before.processor, after.faults - before.faults};
    if (!outcome.ok() || session.count() != kCalls) {
        std::fprintf(stderr, "load failed\n");
        std::exit(1);
    }
    return seconds;
}

} // namespace

int main()
{
    const std::filesystem::path path = bench::writeCalls(kCalls, "load");
    const std::size_t before = bench::residentBytes();
    auto session = std::make_unique<CallSession>();
    // The first load also has the system supply 170 MB of fresh pages; later loads
    // into the same session reuse them and show the decode and store rate alone.
    const double cold = loadSeconds(*session, path);
    const Usage coldUsage = lastLoad;
    const std::size_t perCall = (bench::residentBytes() - before) / kCalls;
    double warm = 1e9;
    for (int run = 0; run < 10; ++run)
        warm = std::min(warm, loadSeconds(*session, path));
    std::filesystem::remove(path);

    const auto rate = [](double seconds) { return static_cast<double>(kCalls) / seconds / 1e6; };
    std::printf("load_calls: %zu records (%zu MB)\n", kCalls, kCalls * CallFileRecord::kSize / 1000000);
    std::printf("  decode + store:          %7.1f ms  %6.1f million records/s (target >= 20)\n", warm * 1e3,
                rate(warm));
    std::printf("  first load, fresh pages: %7.1f ms  %6.1f million records/s (target >= 5; processor %.0f ms, %ld "
                "page faults)\n",
                cold * 1e3, rate(cold), coldUsage.processor * 1e3, coldUsage.faults);
    std::printf("  resident memory:         %zu bytes per loaded call (target <= 200; record %zu + 4 visible)\n",
                perCall, sizeof(CallRecord));
    return 0;
}
