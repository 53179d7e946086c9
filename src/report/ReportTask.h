#pragma once
// Report tasks: a report made without any dialog from a task text such as
//
//   from="previous" to="previous" filter="Outgoing only" report="Summary by employee" out="monthly"
//
// or from "@" and the name of a task file that holds one. The task names the
// period, optionally the folder of the call files and a saved filter, and the
// report's template, output file, kind and individual. processTask loads the
// call files of the period, applies the filter, sets the report period and runs
// the report unattended. A scheduler starts the program (or quantorix-cli task)
// with the task; the main window runs tasks handed over by a second start.
//
// Whoever owns the loaded calls (the main window, the command-line tool) takes
// part through ReportTaskHost.

#include "calls/CallDate.h"
#include "core/LocaleTexts.h"
#include "filter/FilterRecord.h"
#include "report/ReportRun.h"

#include <array>
#include <filesystem>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

class ReportTaskHost
{
public:
    virtual ~ReportTaskHost() = default;
    virtual std::filesystem::path programFolder() const = 0;
    // Where call files are looked for when the task names no "calls" folder: the
    // folder of the call file opened last, else the data folder's "Calls".
    virtual std::filesystem::path defaultCallsFolder() const = 0;
    virtual DateTimeFields now() const { return localNow(); }
    // The first saved filter of that name, or nullptr.
    virtual const FilterRecord* savedFilter(std::string_view name) const = 0;
    // Makes `filter` the current filter; applyCurrentFilter() applies it to the data.
    virtual void setCurrentFilter(const FilterRecord& filter) = 0;
    virtual void applyCurrentFilter() = 0;
    // Loads the files in place of the loaded calls. False after the host has shown
    // why they could not be loaded.
    virtual bool loadCallFiles(std::span<const std::filesystem::path> files) = 0;
    // What a report run of the loaded calls works on (the context is the one
    // whose period the task sets).
    virtual ReportEnvironment reportEnvironment() = 0;
    // Brings a minimised main window back before an error box.
    virtual void restoreWindow() { }
};

// The keywords of a task, in the order they are taken over.
namespace taskkey {
enum : int { From = 0, To, Calls, Filter, Report, Out, Type, Detail };
inline constexpr int kCount = 8;
inline constexpr std::array<std::string_view, kCount> kNames = {"from",   "to",  "calls", "filter",
                                                                "report", "out", "type",  "detail"};
inline constexpr std::array<bool, kCount> kRequired = {true, true, false, false, true, true, false, false};
} // namespace taskkey

// The values of a task text; a keyword without a well-formed assignment gives
// nothing. Keywords are found in any letter case; values keep theirs.
std::array<std::optional<std::string>, taskkey::kCount> parseTaskText(std::string_view text);

// A date value of "from" (`end` false: time 00:00 unless given) or "to" (`end`
// true: 23:59 unless given): today, yesterday, current, previous, YYYYMMDD or
// YYYYMMDDhhmm. Nothing for any other value or a date that does not exist.
std::optional<CallDate> taskDate(std::string_view value, bool end, const DateTimeFields& now);

// The call files of the period in `folder`: the monthly files "YYYY_MM.bsl" that
// exist, each once; when there is none, the daily files "YYYY_MM_DD.bsl" that exist.
std::vector<std::filesystem::path> taskCallFiles(const std::filesystem::path& folder, const CallDate& from,
                                                 const CallDate& to);

struct TaskResult
{
    bool reportWritten = false;
    std::filesystem::path file; // the report file, when written
};

// Runs a task. `task` is UTF-8, as a command line gives it; a task file may be
// UTF-8 or Windows-1252. The folder and file values (calls, out, "@" file) keep
// every character; the names (report, filter, detail) are taken in Windows-1252
// as the settings and templates keep them. Errors in the task show their message
// (25170 for a task file that cannot be read, 25650 for a missing required value,
// 25651 for an invalid one) and nothing is loaded or written; so does a period
// for which the calls folder holds no call file (25652). Report errors show
// their own.
TaskResult processTask(std::string_view task, ReportTaskHost& host);
