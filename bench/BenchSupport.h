#pragma once
// Small helpers the benchmarks share: resident memory and a generated call file.

#include "calls/CallGenerator.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <unistd.h>

namespace bench {

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

} // namespace bench
