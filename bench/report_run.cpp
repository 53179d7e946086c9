// Runs the shipped "Summary by employee" and "Calls per employee" templates
// over 1,000,000 generated, rated calls with the default settings, as a report
// task does: selection by the report filter, evaluation and the report file.
// Targets: <= 1 s and <= 3 s.
//
//   bench_report_run [PROGRAMFOLDER]    default: ../bin beside this program

#include "BenchSession.h"
#include "core/IniProfile.h"
#include "report/ReportEngine.h"
#include "report/ReportRun.h"
#include "session/MainSession.h"
#include "settings/SettingsFile.h"

#include <QCoreApplication>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

constexpr std::size_t kCalls = 1'000'000;
constexpr int kRuns = 3;

double seconds(std::chrono::steady_clock::time_point since)
{
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - since).count();
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    namespace fs = std::filesystem;
    const fs::path program = bench::programFolder(argc > 1 ? argv[1] : nullptr);
    const fs::path folder = fs::temp_directory_path() / ("qx-bench-report-" + std::to_string(::getpid()));
    fs::create_directories(folder);

    MainSession session(folder);
    bench::loadProgramSettings(session, program);
    bench::openGeneratedCalls(session, folder, kCalls);
    NoProgress progress;

    IniProfile ini;
    ReportContext context;
    context.from = session.calls().loadedRange().from;
    context.to = session.calls().loadedRange().to;
    ReportHooks hooks;
    std::printf("report_run: %zu calls loaded, %zu rows\n", session.calls().count(), session.calls().visible().size());
    for (const auto& [name, target] : {std::pair<const char*, double>{"Summary by employee", 1.0},
                                       std::pair<const char*, double>{"Calls per employee", 3.0}}) {
        std::vector<double> times;
        std::uintmax_t size = 0;
        for (int run = 0; run < kRuns; ++run) {
            ReportEnvironment env = session.reportEnvironment(ini, program, context, progress, hooks);
            ReportRequest request;
            request.templateName = name;
            request.output = (folder / "report").string();
            fs::path written;
            const auto start = std::chrono::steady_clock::now();
            if (!runReport(request, env, &written)) {
                std::fprintf(stderr, "report %s failed\n", name);
                return 1;
            }
            times.push_back(seconds(start));
            size = fs::file_size(written);
        }
        std::sort(times.begin(), times.end());

        // The evaluation alone, over every row, without the selection and the file.
        std::ifstream in(program / "Reports" / (std::string(name) + ".xml"), std::ios::binary);
        std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        const ReportTemplate report = ReportTemplate::parse(std::move(text));
        const std::span<const std::uint32_t> rows = session.calls().visible();
        const ReportData data{session.calls().calls(), session.settings(), session.prefs(), session.columns(),
                              session.sortKeys()};
        const auto start = std::chrono::steady_clock::now();
        ReportEngine engine(data, context, progress);
        const std::size_t evaluated = engine.run(report, rows).size();
        const double evaluation = seconds(start);
        std::printf("report_run: \"%s\": evaluation alone %.3f s (%zu bytes)\n", name, evaluation, evaluated);
        std::printf("report_run: \"%s\": best %.3f s, median %.3f s, %.1f MB written (target <= %.0f s)\n", name,
                    times.front(), times[times.size() / 2], static_cast<double>(size) / 1e6, target);
    }
    fs::remove_all(folder);
    return 0;
}
