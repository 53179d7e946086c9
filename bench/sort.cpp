// Sorts the visible list of 1,000,000 generated, rated calls by every column
// type as the first key (with a second key), through the keys per row that
// the calls list uses, and prints one line per sort:
//
//   sort FIRST, SECOND: N ms
//
// Target: under 150 ms each. With --compare each sort is also run by a
// comparison per pair (the stable sort the keys replace), for comparison.
//
//   bench_sort [--compare] [--only TYPE] [PROGRAMFOLDER]    default: ../bin beside this program

#include "BenchSession.h"
#include "BenchSupport.h"

#include <QCoreApplication>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

constexpr std::size_t kCalls = 1'000'000;

double millisecondsSince(std::chrono::steady_clock::time_point since)
{
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - since).count();
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    namespace fs = std::filesystem;
    bool compare = false;
    int only = -1;
    const char* programArgument = nullptr;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--compare") == 0)
            compare = true;
        else if (std::strcmp(argv[i], "--only") == 0 && i + 1 < argc)
            only = std::atoi(argv[++i]);
        else
            programArgument = argv[i];
    }
    const fs::path program = bench::programFolder(programArgument);
    const fs::path folder = fs::temp_directory_path() / ("qx-bench-sort-" + std::to_string(::getpid()));
    fs::create_directories(folder);

    MainSession session(folder);
    bench::loadProgramSettings(session, program);
    bench::openGeneratedCalls(session, folder, kCalls);
    fs::remove_all(folder);
    std::printf("sort: %zu calls, %zu rows\n", session.calls().count(), session.calls().visible().size());

    const CallColumns& columns = session.columns();
    const std::span<const CallRecord> table = session.calls().calls();
    const std::vector<std::uint32_t> loaded(session.calls().visible().begin(), session.calls().visible().end());
    double worst = 0;
    for (int first = 0; first < kColumnTypeCount; ++first) {
        if (only >= 0 && first != only)
            continue;
        // The second key: the default Date, or Ext when Date is first.
        const SortKeys keys{{ColumnType(first), false}, {first == 0 ? ColumnType::Ext : ColumnType::Date, false}};
        const std::string name = columnTitle(keys.primary.type) + ", " + columnTitle(keys.secondary.type);
        std::vector<std::uint32_t> rows = loaded;
        const auto start = std::chrono::steady_clock::now();
        const double cpuStart = bench::processorSeconds();
        columns.sortRows(table, rows, keys);
        const double ms = millisecondsSince(start);
        const double cpu = (bench::processorSeconds() - cpuStart) * 1e3;
        worst = std::max(worst, ms);
        std::printf("sort %s: %.0f ms  (processor %.0f ms)\n", name.c_str(), ms, cpu);
        if (compare) {
            std::vector<std::uint32_t> old = loaded;
            const auto begin = std::chrono::steady_clock::now();
            std::stable_sort(old.begin(), old.end(),
                             [&](std::uint32_t a, std::uint32_t b) { return columns.less(table[a], table[b], keys); });
            std::printf("  by comparison %s: %.0f ms%s\n", name.c_str(), millisecondsSince(begin),
                        old == rows ? "" : "  ORDER DIFFERS");
        }
    }
    std::printf("sort: slowest %.0f ms (target < 150 ms)\n", worst);
    return 0;
}
