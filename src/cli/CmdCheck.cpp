// quantorix-cli check [--home DIR] [--filter NAME | --no-filter] [--list RULE] FILE.bsl...
// quantorix-cli compare-carriers [--home DIR] [--filter NAME | --no-filter] [--csv] FILE.bsl...
// Load the call files as dump does and check the calls the filter lets through,
// or price them with each carrier. check prints "RULE<TAB>COUNT" per rule (with
// --list, the calls of one rule as dump's CSV) and exits 1 when a rule other
// than duplicates found calls, so that cron mails the administrator.

#include "calls/CallDump.h"
#include "calls/CallSession.h"
#include "cli/CliCommand.h"
#include "cli/CliHome.h"
#include "core/Cp1252.h"
#include "core/DebugLog.h"
#include "filter/FilterMatcher.h"
#include "lang/StringTable.h"
#include "prefs/Preferences.h"
#include "rating/RatedCallNames.h"
#include "rating/RatingPipeline.h"
#include "session/CallChecks.h"
#include "session/CarrierComparison.h"
#include "session/FilterOption.h"
#include "session/LoadFailure.h"

#include <cstdio>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace {

constexpr int kExitUsage = 2;

// The loaded calls and the table indices of those the filter lets through.
struct CheckedCalls
{
    std::unique_ptr<CliHome> home;
    Preferences prefs;
    CallSession session;
    std::vector<std::uint32_t> rows;
};

// Loads the files; on failure returns nothing with the exit code in `exitCode`.
std::unique_ptr<CheckedCalls> load(std::vector<std::string> args, const char* usage, int& exitCode)
{
    std::vector<std::string> files = args;
    takeHomeOption(files);
    FilterOption filterOption;
    std::string error;
    if (!filterOption.take(files, &error) || files.empty() || files.front().starts_with("--")) {
        std::fprintf(stderr, "usage: quantorix-cli %s\n", usage);
        exitCode = kExitUsage;
        return nullptr;
    }
    auto checked = std::make_unique<CheckedCalls>();
    checked->home = CliHome::open(args);
    if (!checked->home) {
        exitCode = CliHome::kExitNoDatabase;
        return nullptr;
    }
    const CliHome& home = *checked->home;
    debuglog::setProgramFolder(home.programFolder);
    const std::optional<FilterRecord> filter = filterOption.resolve(home.programFolder, home.ini, &error);
    if (!filter) {
        std::fprintf(stderr, "%s\n", error.c_str());
        exitCode = kExitUsage;
        return nullptr;
    }
    checked->prefs.load(home.ini);
    RatingPipeline rating(home.settings, checked->prefs);
    checked->session.setPipeline(&rating);
    NoProgress progress;
    const std::vector<std::filesystem::path> paths(files.begin(), files.end());
    const LoadOutcome outcome = checked->session.openFiles(paths, progress);
    checked->session.setPipeline(nullptr);
    if (!outcome.ok()) {
        printLine(stderr, LoadText(loadFailureMessageId(outcome.result)), outcome.path);
        exitCode = 1;
        return nullptr;
    }
    const FilterMatcher matcher(*filter, home.settings);
    const auto calls = checked->session.calls();
    for (std::uint32_t i = 0; i < calls.size(); ++i) {
        if (matcher.accept(calls[i]))
            checked->rows.push_back(i);
    }
    return checked;
}

// Takes "--OPTION VALUE" (or "--OPTION=VALUE") out of the arguments.
bool takeValue(std::vector<std::string>& args, std::string_view option, std::optional<std::string>& value)
{
    const std::string is = std::string(option) + "=";
    for (std::size_t i = 0; i < args.size(); ++i) {
        if (args[i].starts_with(is)) {
            value = args[i].substr(is.size());
        } else if (args[i] == option) {
            if (i + 1 >= args.size())
                return false;
            value = args[i + 1];
            args.erase(args.begin() + static_cast<std::ptrdiff_t>(i));
        } else {
            continue;
        }
        args.erase(args.begin() + static_cast<std::ptrdiff_t>(i));
        --i;
    }
    return true;
}

bool takeFlag(std::vector<std::string>& args, std::string_view flag)
{
    bool found = false;
    std::erase_if(args, [&](const std::string& a) { return a == flag && (found = true); });
    return found;
}

bool writeOut(const std::string& text)
{
    return std::fwrite(text.data(), 1, text.size(), stdout) == text.size() && std::fflush(stdout) == 0;
}

constexpr const char* kCheckUsage = "check [--home DIR] [--filter NAME | --no-filter] [--list RULE] FILE.bsl...";

int check(std::vector<std::string> args)
{
    std::optional<std::string> listName;
    std::optional<CheckRule> listRule;
    if (!takeValue(args, "--list", listName) || (listName && !(listRule = checkRuleFromName(*listName)))) {
        std::fprintf(stderr, "usage: quantorix-cli %s\n", kCheckUsage);
        return kExitUsage;
    }
    int exitCode = 0;
    const std::unique_ptr<CheckedCalls> checked = load(std::move(args), kCheckUsage, exitCode);
    if (!checked)
        return exitCode;
    const auto calls = checked->session.calls();
    const CheckResults results = CallChecks(checked->home->settings).run(calls, checked->rows);
    std::string out;
    if (listRule) {
        const RatedCallNames names(checked->home->settings);
        out = calldump::header();
        for (const std::uint32_t i : results[*listRule])
            calldump::appendRow(out, calls[i], names);
    } else {
        for (const CheckRule rule : allCheckRules())
            out += std::string(checkRuleName(rule)) + '\t' + std::to_string(results[rule].size()) + '\n';
    }
    if (!writeOut(out))
        return 1;
    return results.anyAlarm() ? 1 : 0;
}

constexpr const char* kCompareUsage = "compare-carriers [--home DIR] [--filter NAME | --no-filter] [--csv] FILE.bsl...";

std::string amount(double value, int digits)
{
    char text[64];
    std::snprintf(text, sizeof text, "%.*f", digits, value);
    return text;
}

int compareCarriers(std::vector<std::string> args)
{
    const bool csv = takeFlag(args, "--csv");
    int exitCode = 0;
    const std::unique_ptr<CheckedCalls> checked = load(std::move(args), kCompareUsage, exitCode);
    if (!checked)
        return exitCode;
    const SettingsDatabase& settings = checked->home->settings;
    const int digits = static_cast<int>(settings.currency().format(Currency::Main).digits);
    const CarrierComparison comparison(settings, RatingOptions::from(checked->prefs));
    const auto table = comparison.compare(checked->session.calls(), checked->rows);

    std::string out;
    if (csv) {
        out = "carrier,name,priced,unpriced,total,difference\n";
        for (const CarrierTotal& t : table) {
            out += std::to_string(t.carrier) + ',';
            calldump::appendField(out, cp1252::toUtf8(t.name));
            out += ',' + std::to_string(t.priced) + ',' + std::to_string(t.unpriced) + ',' + amount(t.total, digits)
                   + ',' + amount(t.difference, digits) + '\n';
        }
        return writeOut(out) ? 0 : 1;
    }
    char line[512];
    const auto heading = [](int id) { return cp1252::toUtf8(LoadText(id)); };
    std::snprintf(line, sizeof line, "%-14s %-24s %10s %10s %14s %14s\n", heading(sid::kCompareCarrier).c_str(),
                  heading(sid::kCompareName).c_str(), heading(sid::kComparePriced).c_str(),
                  heading(sid::kCompareUnpriced).c_str(), heading(sid::kCompareTotal).c_str(),
                  heading(sid::kCompareDifference).c_str());
    out += line;
    for (const CarrierTotal& t : table) {
        std::snprintf(line, sizeof line, "%-14d %-24s %10zu %10zu %14s %14s\n", t.carrier,
                      cp1252::toUtf8(t.name).c_str(), t.priced, t.unpriced, amount(t.total, digits).c_str(),
                      amount(t.difference, digits).c_str());
        out += line;
    }
    return writeOut(out) ? 0 : 1;
}

const CliCommand checkCommand("check", std::string(kCheckUsage).substr(6) + "  check the calls for pricing gaps",
                              check);
const CliCommand compareCommand("compare-carriers",
                                std::string(kCompareUsage).substr(17) + "  what the calls cost with each carrier",
                                compareCarriers);

} // namespace
