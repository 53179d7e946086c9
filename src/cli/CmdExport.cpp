// quantorix-cli export [--home DIR] [--filter NAME | --no-filter] --out FILE FILE.bsl...
//
// File > Export... for scripts: loads the call files as File > Open does,
// rated with the settings and preference values of the program folder and
// filtered with the default filter (section "File", key "Filter"), the saved
// filter NAME, or no filter; sorts them by the calls list's two sort keys; and
// writes them to FILE in the layout of INI section "ListCalls". A command line
// has no selected rows, so every row is written whatever "Selection" says.

#include "cli/CliCommand.h"
#include "cli/CliHome.h"
#include "core/Cp1252.h"
#include "core/DebugLog.h"
#include "lang/StringIds.h"
#include "lang/StringTable.h"
#include "lang/TextFormat.h"
#include "session/LoadFailure.h"
#include "session/MainSession.h"
#include "textfile/CallsExport.h"

#include <cstdio>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace {

constexpr int kExitUsage = 2;
constexpr int kExitFailed = 1;

constexpr const char* kUsage =
    "usage: quantorix-cli export [--home DIR] [--filter NAME | --no-filter] --out FILE FILE.bsl...\n";

struct ExportArgs
{
    std::optional<std::string> filter; // as typed (UTF-8)
    bool noFilter = false;
    std::filesystem::path out;
    std::vector<std::filesystem::path> files;
};

// Takes "--name VALUE" or "--name=VALUE" out of the arguments; false when the value is missing.
bool takeValue(std::vector<std::string>& args, std::size_t& i, const std::string& name,
               std::optional<std::string>& value)
{
    if (args[i] == name) {
        if (i + 1 >= args.size())
            return false;
        value = args[i + 1];
        ++i;
    } else {
        value = args[i].substr(name.size() + 1);
    }
    return true;
}

std::optional<ExportArgs> parse(std::vector<std::string> args)
{
    takeHomeOption(args);
    ExportArgs parsed;
    std::optional<std::string> out;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        if (a == "--no-filter") {
            parsed.noFilter = true;
        } else if (a == "--filter" || a.rfind("--filter=", 0) == 0) {
            if (!takeValue(args, i, "--filter", parsed.filter))
                return std::nullopt;
        } else if (a == "--out" || a.rfind("--out=", 0) == 0) {
            if (!takeValue(args, i, "--out", out))
                return std::nullopt;
        } else if (a.rfind("--", 0) == 0) {
            return std::nullopt;
        } else {
            parsed.files.emplace_back(a);
        }
    }
    if (!out || out->empty() || parsed.files.empty() || (parsed.noFilter && parsed.filter))
        return std::nullopt;
    parsed.out = *out;
    return parsed;
}

// The calls list's sort keys as the main window stores them: [CallsSort0] and
// [CallsSort1], keys "Type" (column type) and "Order" (1 = descending).
SortKeys readSortKeys(const IniProfile& ini)
{
    SortKeys keys;
    for (SortKey* key : {&keys.primary, &keys.secondary}) {
        const std::string section = "CallsSort" + std::to_string(key == &keys.primary ? 0 : 1);
        if (const int type = ini.readInt(section, "Type", -1); isColumnType(type))
            key->type = static_cast<ColumnType>(type);
        key->descending = ini.readInt(section, "Order", key->descending ? 1 : 0) != 0;
    }
    return keys;
}

int exportCalls(std::vector<std::string> args)
{
    const std::optional<ExportArgs> parsed = parse(args);
    if (!parsed) {
        std::fputs(kUsage, stderr);
        return kExitUsage;
    }
    const std::unique_ptr<CliHome> home = CliHome::open(args);
    if (!home)
        return CliHome::kExitNoDatabase;
    debuglog::setProgramFolder(home->programFolder);
    home->startLanguage(); // the titles of the header line

    MainSession session(home->programFolder);
    home->prepareSession(session);
    NoProgress progress;
    session.setSortKeys(readSortKeys(home->ini));
    // With no files open, the filter in force is the one the files are loaded
    // through: the default filter unless another is applied now.
    if (parsed->filter) {
        // Saved filter names are Windows-1252 texts; the command line is UTF-8.
        const SavedFilter* saved = session.findSavedFilter(cp1252::fromUtf8(*parsed->filter));
        if (!saved) {
            std::fprintf(stderr, "quantorix-cli export: no saved filter named '%s'\n", parsed->filter->c_str());
            return kExitUsage;
        }
        session.applyFilter(saved->filter, false, progress);
    } else if (parsed->noFilter) {
        session.clearFilter(progress);
    }

    const LoadOutcome outcome = session.openFiles(parsed->files, progress);
    if (!outcome.ok()) {
        printLine(stderr, LoadText(loadFailureMessageId(outcome.result)), outcome.path);
        return kExitFailed;
    }

    // The export replaces its file: never one of the call files just read.
    for (const std::filesystem::path& input : parsed->files) {
        std::error_code ec;
        if (std::filesystem::equivalent(input, parsed->out, ec)) {
            printLine(stderr, LoadText(sid::kOverwritePrimaryCalls));
            return kExitUsage;
        }
    }

    TextTableFile file(TextTableMode::Export);
    if (callsexport::open(file, home->ini, parsed->out) != TextTableFile::OpenResult::Ok) {
        printLine(stderr, LoadText(sid::kErrorOpeningFile), parsed->out);
        return kExitFailed;
    }
    file.options().selection = false;
    const CallSession& calls = session.calls();
    callsexport::write(file, calls.calls(), calls.visible(), {}, session.columns(), session.settings(), progress);
    const TextTableFile::Outcome result = file.finish();
    printLine(result.ok ? stdout : stderr, result.message);
    return result.ok ? 0 : kExitFailed;
}

const CliCommand exportCommand("export",
                               "[--home DIR] [--filter NAME | --no-filter] --out FILE FILE.bsl...  export calls "
                               "to a text file",
                               exportCalls);

} // namespace
