// quantorix-cli dump [--home DIR] [--filter NAME | --no-filter] FILE.bsl...
// Loads the call files as File > Open does, rated with the settings database and
// the preference values of the program folder, and prints every call that the
// filter lets through, in table order, as CSV to standard output. The filter is
// the saved filter NAME, none, or (without either option) the default filter.

#include "calls/CallDump.h"
#include "calls/CallSession.h"
#include "cli/CliCommand.h"
#include "cli/CliHome.h"
#include "core/DebugLog.h"
#include "filter/FilterMatcher.h"
#include "prefs/Preferences.h"
#include "rating/RatedCallNames.h"
#include "rating/RatingPipeline.h"
#include "session/FilterOption.h"

#include <cstdio>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace {

std::string loadMessage(const LoadOutcome& outcome)
{
    const std::string path = outcome.path.string();
    if (outcome.result == LoadResult::CannotOpen)
        return "Error opening file!\n\n" + path;
    if (outcome.result == LoadResult::TooLarge)
        return "Not enough memory to load the file!\n\n" + path;
    return "Loading failed - file is corrupt!\n\n" + path + "\n";
}

bool writeOut(const std::string& text) { return std::fwrite(text.data(), 1, text.size(), stdout) == text.size(); }

int dump(std::vector<std::string> args)
{
    std::vector<std::string> files = args;
    takeHomeOption(files);
    FilterOption filterOption;
    std::string error;
    std::string unknown;
    const bool badOption = filterOption.take(files, &error) && takeUnknownOption(files, &unknown);
    if (badOption)
        std::fprintf(stderr, "quantorix-cli dump: unknown option '%s'\n", unknown.c_str());
    if (!error.empty() || badOption || files.empty()) {
        std::fprintf(stderr, "usage: quantorix-cli dump [--home DIR] [--filter NAME | --no-filter] FILE.bsl...\n");
        return 2;
    }
    const std::unique_ptr<CliHome> home = CliHome::open(args);
    if (!home)
        return CliHome::kExitNoDatabase;
    debuglog::setProgramFolder(home->programFolder);
    const std::optional<FilterRecord> filter = filterOption.resolve(home->programFolder, home->ini, &error);
    if (!filter) {
        std::fprintf(stderr, "%s\n", error.c_str());
        return 2;
    }
    const std::vector<std::filesystem::path> paths(files.begin(), files.end());

    Preferences prefs;
    prefs.load(home->ini);
    RatingPipeline rating(home->settings, prefs);
    const RatedCallNames names(home->settings);
    CallSession session;
    session.setPipeline(&rating);
    NoProgress progress;
    const LoadOutcome outcome = session.openFiles(paths, progress);
    if (!outcome.ok()) {
        std::fprintf(stderr, "%s\n", loadMessage(outcome).c_str());
        return 1;
    }

    const FilterMatcher matcher(*filter, home->settings);
    std::string out(calldump::header());
    for (const CallRecord& call : session.calls()) {
        if (!matcher.accept(call))
            continue;
        calldump::appendRow(out, call, names);
        if (out.size() >= (1u << 16)) {
            if (!writeOut(out))
                return 1;
            out.clear();
        }
    }
    return writeOut(out) && std::fflush(stdout) == 0 ? 0 : 1;
}

const CliCommand dumpCommand("dump",
                             "[--home DIR] [--filter NAME | --no-filter] FILE.bsl...  "
                             "print the calls of call files as CSV",
                             dump);

} // namespace
