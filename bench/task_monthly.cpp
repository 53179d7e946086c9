// A report task over 1,000,000 generated calls of three years, split into 36
// monthly call files as the collector writes them ("2023_01.bsl" ...): the time
// from the task's start (the files are found, loaded, rated and sorted) to the
// report "Summary by employee" written, in calls per second. Beside it, what an
// administrator would do by hand: sqlite3 importing the same calls as CSV into
// a new database and grouping them by extension (needs the sqlite3 program).
// Targets: >= 2 million calls/s, >= 5x faster than sqlite3.
//
//   bench_task_monthly [PROGRAMFOLDER]    default: ../bin beside this program

#include "BenchSession.h"
#include "BenchSupport.h"
#include "core/IniProfile.h"
#include "report/ReportTask.h"

#include <QCoreApplication>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <string>
#include <sys/resource.h>
#include <unistd.h>

namespace {

namespace fs = std::filesystem;

constexpr std::size_t kCalls = 1'000'000;

double secondsSince(std::chrono::steady_clock::time_point since)
{
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - since).count();
}

// The main session as a report task sees it, timing the loading.
class BenchTaskHost final : public ReportTaskHost
{
public:
    BenchTaskHost(MainSession& session, fs::path program, fs::path calls)
        : m_session(session)
        , m_program(std::move(program))
        , m_calls(std::move(calls))
    { }
    fs::path programFolder() const override { return m_program; }
    fs::path defaultCallsFolder() const override { return m_calls; }
    const FilterRecord* savedFilter(std::string_view) const override { return nullptr; }
    void setCurrentFilter(const FilterRecord&) override { }
    void applyCurrentFilter() override { }
    bool loadCallFiles(std::span<const fs::path> files) override
    {
        const auto start = std::chrono::steady_clock::now();
        const double processor = bench::processorSeconds();
        files_ = files.size();
        const bool ok = m_session.openFiles(files, m_progress).ok();
        loadSeconds = secondsSince(start);
        loadProcessor = bench::processorSeconds() - processor;
        return ok;
    }
    ReportEnvironment reportEnvironment() override
    {
        return m_session.reportEnvironment(m_ini, m_program, m_context, m_progress, m_hooks);
    }

    double loadSeconds = 0;
    double loadProcessor = 0;
    std::size_t files_ = 0;

private:
    MainSession& m_session;
    fs::path m_program;
    fs::path m_calls;
    IniProfile m_ini;
    ReportContext m_context;
    NoProgress m_progress;
    ReportHooks m_hooks;
};

// The generated calls, one file per month, and the same calls as CSV.
void writeCalls(const fs::path& folder, const fs::path& csv)
{
    CallGeneratorOptions options;
    options.count = kCalls;
    options.firstDay = {2023, 1, 1, 0, 0};
    options.days = 365 + 366 + 365;
    CallGenerator generator(options);
    std::map<int, std::ofstream> months;
    std::ofstream table(csv);
    table << "extension,trunk,number,date,time,duration,cost\n";
    CallFileRecord record;
    while (generator.next(record)) {
        const CallDate start = CallDate::decode(record.bytes.data() + CallFileRecord::kStartAt);
        const int month = start.year * 100 + start.month;
        auto it = months.find(month);
        if (it == months.end()) {
            char name[32];
            std::snprintf(name, sizeof name, "%04d_%02d.bsl", start.year, start.month);
            it = months.emplace(month, std::ofstream(folder / name, std::ios::binary)).first;
        }
        it->second.write(reinterpret_cast<const char*>(record.bytes.data()), CallFileRecord::kSize);
        CallRecord call;
        CallFileRecord::read(record.bytes, call);
        char line[160];
        std::snprintf(line, sizeof line, "%u,%u,%s,%04d-%02d-%02d,%02d:%02d,%u,%.2f\n", call.extension, call.trunk,
                      std::string(call.number()).c_str(), start.year, start.month, start.day, start.hour, start.minute,
                      call.duration, call.suppliedCost);
        table << line;
    }
    std::printf("task_monthly: %zu calls in %zu monthly files\n", kCalls, months.size());
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const fs::path program = bench::programFolder(argc > 1 ? argv[1] : nullptr);
    const fs::path folder = fs::temp_directory_path() / ("qx-bench-task-" + std::to_string(::getpid()));
    const fs::path calls = folder / "Calls";
    fs::create_directories(calls);
    writeCalls(calls, folder / "calls.csv");

    MainSession session(folder);
    bench::loadProgramSettings(session, program);
    BenchTaskHost host(session, program, calls);
    const std::string task = "from=\"20230101\" to=\"20251231\" calls=\"" + calls.string()
                             + "\" report=\"Summary by employee\" out=\"" + (folder / "summary").string() + "\"";
    double best = 1e9, bestLoad = 0, processor = 0, loadProcessor = 0;
    for (int run = 0; run < 3; ++run) {
        const auto start = std::chrono::steady_clock::now();
        const double processorStart = bench::processorSeconds();
        const TaskResult result = processTask(task, host);
        const double seconds = secondsSince(start);
        if (!result.reportWritten || session.calls().count() != kCalls) {
            std::fprintf(stderr, "task failed (%zu calls loaded)\n", session.calls().count());
            return 1;
        }
        if (seconds < best) {
            best = seconds;
            bestLoad = host.loadSeconds;
            processor = bench::processorSeconds() - processorStart;
            loadProcessor = host.loadProcessor;
        }
    }
    std::printf("task_monthly: task over %zu files, start to report written: %.0f ms (loading %.0f ms), "
                "%.2f million calls/s (target >= 2)\n",
                host.files_, best * 1e3, bestLoad * 1e3, static_cast<double>(kCalls) / best / 1e6);
    std::printf("task_monthly: processor time of the task %.0f ms (loading %.0f ms), %.2f million calls/s\n",
                processor * 1e3, loadProcessor * 1e3, static_cast<double>(kCalls) / processor / 1e6);

    const fs::path db = folder / "calls.sqlite";
    const std::string command = "sqlite3 '" + db.string() + "' '.import --csv " + (folder / "calls.csv").string()
                                + " calls' 'SELECT extension, COUNT(*), SUM(duration), SUM(cost) FROM calls GROUP BY "
                                  "extension ORDER BY extension;' > /dev/null";
    const auto start = std::chrono::steady_clock::now();
    const int status = std::system(command.c_str());
    const double sqlite = secondsSince(start);
    rusage children{};
    ::getrusage(RUSAGE_CHILDREN, &children);
    const double sqliteProcessor = static_cast<double>(children.ru_utime.tv_sec + children.ru_stime.tv_sec)
                                   + static_cast<double>(children.ru_utime.tv_usec + children.ru_stime.tv_usec) / 1e6;
    if (status != 0) {
        std::printf("task_monthly: sqlite3 not available (status %d)\n", status);
    } else {
        std::printf("task_monthly: sqlite3 import as CSV and group: %.0f ms; the task is %.1fx faster (target >= 5)\n",
                    sqlite * 1e3, sqlite / best);
        std::printf("task_monthly: processor time of sqlite3 %.0f ms; the task is %.1fx faster by processor time\n",
                    sqliteProcessor * 1e3, sqliteProcessor / processor);
    }
    fs::remove_all(folder);
    return 0;
}
