// The call checks and the carrier comparison over 1,000,000 generated calls,
// rated with the shipped default settings (brisel.dat of the demo
// installation). Prints the time of all checks (target < 0.5 s) and of the
// comparison with all six carriers (target < 3 s), with what they found.
//
//   bench_call_checks [SETTINGS]    default: ../bin/brisel.dat beside this program

#include "BenchSupport.h"
#include "calls/CallSession.h"
#include "rating/RatingPipeline.h"
#include "session/CallChecks.h"
#include "session/CarrierComparison.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <numeric>

namespace {

constexpr std::size_t kCalls = 1'000'000;
using bench::seconds;

} // namespace

int main(int argc, char** argv)
{
    SettingsDatabase db;
    bench::loadBenchSettings(argc, argv, db);
    db.rebuildIndexes();
    RatingPipeline pipeline(db, Preferences{});
    const std::filesystem::path path = bench::writeCalls(kCalls, "checks");
    NoProgress progress;
    CallSession session;
    session.setPipeline(&pipeline);
    const LoadOutcome outcome = session.openFile(path, progress);
    std::filesystem::remove(path);
    if (!outcome.ok() || session.count() != kCalls) {
        std::fprintf(stderr, "load failed\n");
        return 1;
    }
    std::vector<std::uint32_t> rows(kCalls);
    std::iota(rows.begin(), rows.end(), 0u);

    double best = 1e9;
    CheckResults results;
    for (int run = 0; run < 3; ++run) {
        const auto since = std::chrono::steady_clock::now();
        results = CallChecks(db).run(session.calls(), rows);
        best = std::min(best, seconds(since));
    }
    std::printf("call_checks: all checks over %zu calls in %.1f ms (target < 500)\n", kCalls, best * 1e3);
    for (const CheckRule rule : allCheckRules())
        std::printf("call_checks:   %-22s %zu\n", std::string(checkRuleName(rule)).c_str(), results[rule].size());

    best = 1e9;
    std::array<CarrierTotal, kCarrierCount> table;
    for (int run = 0; run < 2; ++run) {
        const auto since = std::chrono::steady_clock::now();
        table = CarrierComparison(db, pipeline.rating().options()).compare(session.calls(), rows);
        best = std::min(best, seconds(since));
    }
    std::printf("call_checks: carrier comparison over %zu calls in %.1f ms (target < 3000)\n", kCalls, best * 1e3);
    for (const CarrierTotal& t : table)
        std::printf("call_checks:   carrier %d  priced %zu  unpriced %zu  total %.2f  difference %.2f\n", t.carrier,
                    t.priced, t.unpriced, t.total, t.difference);
    return 0;
}
