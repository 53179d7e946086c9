#include "report/ReportTask.h"

#include "core/Cp1252.h"
#include "core/DebugLog.h"
#include "core/InputFile.h"
#include "core/TextCase.h"
#include "lang/StringTable.h"
#include "report/ReportSyntax.h"

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <string>
#include <system_error>
#include <unordered_set>

namespace fs = std::filesystem;

namespace {

// Only the beginning of a task file is read.
constexpr std::size_t kTaskFileLimit = 2048;

bool isBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\v' || c == '\f'; }

std::string_view trim(std::string_view s)
{
    while (!s.empty() && isBlank(s.front()))
        s.remove_prefix(1);
    while (!s.empty() && isBlank(s.back()))
        s.remove_suffix(1);
    return s;
}

bool allDigits(std::string_view s)
{
    return !s.empty() && std::all_of(s.begin(), s.end(), [](char c) { return c >= '0' && c <= '9'; });
}

int digitsValue(std::string_view s)
{
    int value = 0;
    for (char c : s)
        value = value * 10 + (c - '0');
    return value;
}

CallDate dayOf(const DateTimeFields& t, bool end)
{
    return {static_cast<std::uint16_t>(t.year), static_cast<std::uint8_t>(t.month), static_cast<std::uint8_t>(t.day),
            static_cast<std::uint8_t>(end ? 23 : 0), static_cast<std::uint8_t>(end ? 59 : 0)};
}

std::int64_t dayNumber(const CallDate& d) { return daysFromCivil(d.year, d.month, d.day); }

// "%s%s%04d_%02d%s" and "%s%s%04d_%02d_%02d%s" with the call file extension.
fs::path monthlyFile(const fs::path& folder, const DateTimeFields& day)
{
    char name[32];
    std::snprintf(name, sizeof name, "%04d_%02d.bsl", day.year, day.month);
    return folder / name;
}

fs::path dailyFile(const fs::path& folder, const DateTimeFields& day)
{
    char name[32];
    std::snprintf(name, sizeof name, "%04d_%02d_%02d.bsl", day.year, day.month, day.day);
    return folder / name;
}

std::optional<std::string> readTaskFile(const fs::path& path)
{
    InputFile file(path); // a regular file only, never waited on
    if (!file.isOpen())
        return std::nullopt;
    std::string text(kTaskFileLimit, '\0');
    const long long got = file.read(text.data(), text.size());
    if (got < 0)
        return std::nullopt;
    text.resize(static_cast<std::size_t>(got));
    return text;
}

std::string assignmentText(std::string_view keyword, std::string_view value)
{
    std::string text(keyword);
    text += "=\"";
    text += value;
    text += '"';
    return text;
}

} // namespace

std::array<std::optional<std::string>, taskkey::kCount> parseTaskText(std::string_view text)
{
    std::array<std::optional<std::string>, taskkey::kCount> values;
    const std::string lower = textcase::lowerAscii(text);
    for (int k = 0; k < taskkey::kCount; ++k) {
        const std::string_view keyword = taskkey::kNames[static_cast<std::size_t>(k)];
        for (std::size_t at = lower.find(keyword); at != std::string::npos; at = lower.find(keyword, at + 1)) {
            std::size_t p = at + keyword.size();
            while (p < lower.size() && isBlank(lower[p]))
                ++p;
            if (p >= lower.size() || lower[p] != '=')
                continue;
            ++p;
            while (p < lower.size() && isBlank(lower[p]))
                ++p;
            if (p >= lower.size() || lower[p] != '"')
                continue;
            const std::size_t close = lower.find('"', p + 1);
            if (close == std::string::npos)
                continue;
            const std::string value(trim(text.substr(p + 1, close - p - 1)));
            debuglog::write("attrib %.*s @ %d = %s", static_cast<int>(keyword.size()), keyword.data(),
                            static_cast<int>(at), value.c_str());
            values[static_cast<std::size_t>(k)] = value;
            break;
        }
    }
    return values;
}

std::optional<CallDate> taskDate(std::string_view value, bool end, const DateTimeFields& now)
{
    const std::string word = textcase::lowerAscii(value);
    if (word == "today")
        return dayOf(now, end);
    if (word == "yesterday")
        return dayOf(civilFromDays(daysFromCivil(now.year, now.month, now.day) - 1), end);
    if (word == "current" || word == "previous") {
        DateTimeFields month = now;
        if (word == "previous") {
            month.month = now.month == 1 ? 12 : now.month - 1;
            month.year = now.month == 1 ? now.year - 1 : now.year;
        }
        month.day = end ? daysInMonth(month.year, month.month) : 1;
        return dayOf(month, end);
    }
    if (!allDigits(value) || (value.size() != 8 && value.size() != 12))
        return std::nullopt;
    const int year = digitsValue(value.substr(0, 4));
    const int month = digitsValue(value.substr(4, 2));
    const int day = digitsValue(value.substr(6, 2));
    int hour = end ? 23 : 0;
    int minute = end ? 59 : 0;
    if (value.size() == 12) {
        hour = digitsValue(value.substr(8, 2));
        minute = digitsValue(value.substr(10, 2));
    }
    if (year < 1 || month < 1 || month > 12 || day < 1 || day > daysInMonth(year, month) || hour > 23 || minute > 59)
        return std::nullopt;
    return CallDate{static_cast<std::uint16_t>(year), static_cast<std::uint8_t>(month), static_cast<std::uint8_t>(day),
                    static_cast<std::uint8_t>(hour), static_cast<std::uint8_t>(minute)};
}

std::vector<fs::path> taskCallFiles(const fs::path& folder, const CallDate& from, const CallDate& to)
{
    // The folder is listed once; the names of the period are looked up in that list.
    std::unordered_set<std::string> present;
    std::error_code error;
    for (fs::directory_iterator it(folder, error), end; !error && it != end; it.increment(error)) {
        std::error_code kind;
        if (it->is_regular_file(kind))
            present.insert(it->path().filename().string());
    }
    auto exists = [&](const fs::path& path) { return present.count(path.filename().string()) != 0; };
    const std::int64_t first = dayNumber(from);
    const std::int64_t last = dayNumber(to);
    std::vector<fs::path> files;
    for (std::int64_t d = first; d <= last; ++d) {
        const fs::path path = monthlyFile(folder, civilFromDays(d));
        if ((files.empty() || files.back() != path) && exists(path)) // the days of a month are neighbours
            files.push_back(path);
    }
    if (!files.empty())
        return files;
    for (std::int64_t d = first; d <= last; ++d) {
        const fs::path path = dailyFile(folder, civilFromDays(d));
        if (exists(path))
            files.push_back(path);
    }
    return files;
}

namespace {

using TaskValues = std::array<std::optional<std::string>, taskkey::kCount>;

// What a task asks for, once its values are read.
struct TaskPlan
{
    CallDate from;
    CallDate to;
    fs::path callsFolder;
    bool filtered = false; // the task's saved filter is the current filter
    ReportRequest request;
};

void failTask(ReportTaskHost& host, int id, const std::string& text)
{
    host.restoreWindow();
    MessageById(id, mb::kOk | mb::kIconStop, {text});
}

// The task text: `task` itself, or the beginning of the file that "@name" names.
std::optional<std::string> taskText(std::string_view task, ReportTaskHost& host)
{
    const std::string_view trimmed = trim(task);
    if (trimmed.empty() || trimmed.front() != '@')
        return std::string(task);
    std::string name(trimmed.substr(1));
    std::replace(name.begin(), name.end(), '"', ' ');
    name = std::string(trim(name));
    fs::path path = reportPathFromUtf8(name);
    if (path.is_relative())
        path = host.programFolder() / path;
    std::optional<std::string> content = readTaskFile(path);
    if (!content) {
        failTask(host, sid::kErrorOpeningFile, cp1252::fromUtf8(name));
        return std::nullopt;
    }
    return cp1252::asUtf8(*content);
}

// Whether every required value is there; names the last one missing when not.
bool hasRequiredValues(const TaskValues& values, ReportTaskHost& host)
{
    std::string missing;
    for (std::size_t k = 0; k < taskkey::kCount; ++k) {
        if (taskkey::kRequired[k] && (!values[k] || values[k]->empty()))
            missing = assignmentText(taskkey::kNames[k], "...");
    }
    if (missing.empty())
        return true;
    failTask(host, sid::kMissingArgument, missing);
    return false;
}

// The values taken over in keyword order; none (with the message shown) for an invalid one.
std::optional<TaskPlan> taskPlan(const TaskValues& values, ReportTaskHost& host)
{
    auto valueOf = [&](int k) -> const std::string& { return *values[static_cast<std::size_t>(k)]; };
    // A name as the settings and templates keep it.
    auto nameOf = [&](int k) { return cp1252::fromUtf8(valueOf(k)); };
    auto given = [&](int k) {
        return values[static_cast<std::size_t>(k)] && !values[static_cast<std::size_t>(k)]->empty();
    };
    auto invalid = [&](int k) {
        failTask(host, sid::kInvalidArgument, assignmentText(taskkey::kNames[static_cast<std::size_t>(k)], nameOf(k)));
        return std::nullopt;
    };

    const DateTimeFields now = host.now();
    const std::optional<CallDate> from = taskDate(valueOf(taskkey::From), false, now);
    if (!from)
        return invalid(taskkey::From);
    const std::optional<CallDate> to = taskDate(valueOf(taskkey::To), true, now);
    if (!to)
        return invalid(taskkey::To);
    TaskPlan plan{*from, *to,
                  given(taskkey::Calls) ? reportPathFromUtf8(valueOf(taskkey::Calls)) : host.defaultCallsFolder(),
                  given(taskkey::Filter), ReportRequest{}};
    if (plan.filtered) {
        const FilterRecord* saved = host.savedFilter(nameOf(taskkey::Filter));
        if (!saved)
            return invalid(taskkey::Filter);
        const FilterRecord filter = *saved;
        host.setCurrentFilter(filter);
    }
    ReportRequest& request = plan.request;
    request.generate = true;
    request.templateName = nameOf(taskkey::Report);
    request.outputPath = reportPathFromUtf8(valueOf(taskkey::Out));
    request.kind = ReportSummary;
    if (given(taskkey::Type)) {
        // Only the ten kinds are reports; anything else would run a report nobody asked for.
        const std::string_view type = trim(valueOf(taskkey::Type));
        if (!allDigits(type) || type.size() > 2 || digitsValue(type) >= kReportKindCount)
            return invalid(taskkey::Type);
        request.kind = digitsValue(type);
    }
    if (given(taskkey::Detail))
        request.detail = nameOf(taskkey::Detail);
    return plan;
}

// Loads the call files of the period. Without any, a report of whatever happens
// to be loaded would pass for the period's report: say so and write none.
bool loadTaskCalls(const TaskPlan& plan, ReportTaskHost& host)
{
    const std::vector<fs::path> files = taskCallFiles(plan.callsFolder, plan.from, plan.to);
    if (files.empty()) {
        const std::string_view picture = LocaleTexts::current().shortDateFormat;
        host.restoreWindow();
        MessageById(sid::kNoCallFileForPeriod, mb::kOk | mb::kIconStop,
                    {formatCallDate(picture, plan.from), formatCallDate(picture, plan.to), PathText(plan.callsFolder)});
        return false;
    }
    if (!host.loadCallFiles(files))
        return false;
    if (plan.filtered)
        host.applyCurrentFilter();
    return true;
}

} // namespace

TaskResult processTask(std::string_view task, ReportTaskHost& host)
{
    debuglog::write("processTask() %.*s", static_cast<int>(task.size()), task.data());
    TaskResult result;
    // 1. The task text; 2. its values; 3. taken over; 4. the call files of the period.
    const std::optional<std::string> text = taskText(task, host);
    if (!text)
        return result;
    const TaskValues values = parseTaskText(*text);
    if (!hasRequiredValues(values, host))
        return result;
    const std::optional<TaskPlan> plan = taskPlan(values, host);
    if (!plan || !loadTaskCalls(*plan, host))
        return result;

    // 5. The report over the period.
    ReportEnvironment env = host.reportEnvironment();
    env.context.from = plan->from;
    env.context.to = plan->to;
    fs::path written;
    if (runReport(plan->request, env, &written) && !written.empty()) {
        result.reportWritten = true;
        result.file = written;
    }
    return result;
}
