// quantorix-cli dump [--home DIR] FILE.bsl...
// Loads the call files as File > Open does, rated with the settings database and
// the preference values of the program folder, and prints every call, in table
// order, as CSV to standard output.

#include "calls/CallDump.h"
#include "calls/CallSession.h"
#include "cli/CliCommand.h"
#include "cli/CliHome.h"
#include "core/DebugLog.h"
#include "prefs/Preferences.h"
#include "rating/RatedCallNames.h"
#include "rating/RatingPipeline.h"

#include <cstdio>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

namespace {

std::string loadMessage(const LoadOutcome& outcome)
{
    const std::string path = outcome.path.string();
    if (outcome.result == LoadResult::CannotOpen)
        return "Error opening file!\n\n" + path;
    return "Loading failed - file is corrupt!\n\n" + path + "\n";
}

bool writeOut(const std::string& text)
{
    return std::fwrite(text.data(), 1, text.size(), stdout) == text.size();
}

int dump(std::vector<std::string> args)
{
    std::vector<std::string> files = args;
    takeHomeOption(files);
    if (files.empty()) {
        std::fprintf(stderr, "usage: quantorix-cli dump [--home DIR] FILE.bsl...\n");
        return 2;
    }
    const std::unique_ptr<CliHome> home = CliHome::open(args);
    if (!home)
        return CliHome::kExitNoDatabase;
    debuglog::setProgramFolder(home->programFolder);
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

    std::string out(calldump::header());
    for (const CallRecord& call : session.calls()) {
        calldump::appendRow(out, call, names);
        if (out.size() >= (1u << 16)) {
            if (!writeOut(out))
                return 1;
            out.clear();
        }
    }
    return writeOut(out) && std::fflush(stdout) == 0 ? 0 : 1;
}

const CliCommand dumpCommand("dump", "[--home DIR] FILE.bsl...  print the calls of call files as CSV", dump);

} // namespace
