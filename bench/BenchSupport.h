#pragma once
// Small helpers the benchmarks share: resident memory and a generated call file.

#include "calls/CallGenerator.h"
#include "settings/SettingsFile.h"

#include <chrono>

#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <string>
#include <unistd.h>

namespace bench {

// The processor time this process has used, in seconds: on a busy machine closer
// to what an operation costs than the time on the clock.
inline double processorSeconds()
{
    timespec t{};
    ::clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_nsec) / 1e9;
}

inline std::size_t residentBytes()
{
    std::ifstream statm("/proc/self/statm");
    std::size_t pages = 0, resident = 0;
    statm >> pages >> resident;
    return resident * static_cast<std::size_t>(::sysconf(_SC_PAGESIZE));
}

// Writes `count` generated calls over a year to a temporary file and returns its path; exits on failure.
inline std::filesystem::path writeCalls(std::size_t count, const std::string& tag)
{
    const auto path = std::filesystem::temp_directory_path()
                      / ("qx-bench-" + tag + "-" + std::to_string(::getpid()) + ".bsl");
    CallGeneratorOptions options;
    options.count = count;
    options.days = 365;
    if (!CallGenerator::writeFile(options, path)) {
        std::fprintf(stderr, "cannot write %s\n", path.c_str());
        std::exit(1);
    }
    return path;
}

inline double seconds(std::chrono::steady_clock::time_point since)
{
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - since).count();
}

// The settings named by the first argument, or the demo installation's
// brisel.dat (../bin beside this program); exits when they cannot be loaded.
inline void loadBenchSettings(int argc, char** argv, SettingsDatabase& db)
{
    const std::filesystem::path path = argc > 1
                                           ? std::filesystem::path(argv[1])
                                           : std::filesystem::canonical("/proc/self/exe").parent_path().parent_path()
                                                 / "bin" / "brisel.dat";
    if (loadSettings(path, db) != SettingsLoadResult::Ok) {
        std::fprintf(stderr, "cannot load %s\n", path.string().c_str());
        std::exit(1);
    }
}

} // namespace bench
