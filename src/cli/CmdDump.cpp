// quantorix-cli dump [--home DIR] FILE.bsl...
// Loads the call files as File > Open does and prints every call, in table order,
// as CSV to standard output.

#include "calls/CallDump.h"
#include "calls/CallSession.h"
#include "cli/CliCommand.h"
#include "core/DebugLog.h"
#include "core/ProgramFolder.h"

#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

namespace {

// How the dump rates calls and names what they refer to. The calls are shown as
// read from their files (unrated, no names) until the command line loads the
// settings database; then a rating pipeline and a name lookup go in here.
struct DumpRating
{
    CallPipeline* pipeline = nullptr;  // nullptr: unrated
    CallNames unnamed;
    const CallNames* names = &unnamed;
};

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
    const std::string home = takeHomeOption(args);
    if (args.empty()) {
        std::fprintf(stderr, "usage: quantorix-cli dump [--home DIR] FILE.bsl...\n");
        return 2;
    }
    debuglog::setProgramFolder(programfolder::resolve(home));
    const std::vector<std::filesystem::path> paths(args.begin(), args.end());

    DumpRating rating;
    CallSession session;
    session.setPipeline(rating.pipeline);
    NoProgress progress;
    const LoadOutcome outcome = session.openFiles(paths, progress);
    if (!outcome.ok()) {
        std::fprintf(stderr, "%s\n", loadMessage(outcome).c_str());
        return 1;
    }

    std::string out(calldump::header());
    for (const CallRecord& call : session.calls()) {
        calldump::appendRow(out, call, *rating.names);
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
