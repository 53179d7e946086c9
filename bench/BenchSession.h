#pragma once
// A main-window session for the benchmarks: the settings of a program folder,
// rated with them, and generated calls opened in it.

#include "calls/CallGenerator.h"
#include "session/MainSession.h"
#include "settings/SettingsFile.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>

namespace bench {

// The program folder given on the command line, else ../bin beside the benchmark.
inline std::filesystem::path programFolder(const char* argument)
{
    return argument ? std::filesystem::path(argument)
                    : std::filesystem::canonical("/proc/self/exe").parent_path().parent_path() / "bin";
}

// Loads "brisel.dat" of `program` into the session; exits on failure.
inline void loadProgramSettings(MainSession& session, const std::filesystem::path& program)
{
    if (loadSettings(program / "brisel.dat", session.settings()) != SettingsLoadResult::Ok) {
        std::fprintf(stderr, "cannot load %s\n", (program / "brisel.dat").string().c_str());
        std::exit(1);
    }
    session.settings().rebuildIndexes();
    NoProgress progress;
    session.settingsChanged(progress);
}

// Writes `count` generated calls over a year to `folder`/calls.bsl and opens them; exits on failure.
inline void openGeneratedCalls(MainSession& session, const std::filesystem::path& folder, std::size_t count)
{
    CallGeneratorOptions options;
    options.count = count;
    options.days = 365;
    const std::filesystem::path calls = folder / "calls.bsl";
    NoProgress progress;
    if (!CallGenerator::writeFile(options, calls) || !session.openFiles(std::span(&calls, 1), progress).ok()) {
        std::fprintf(stderr, "load failed\n");
        std::exit(1);
    }
}

} // namespace bench
