// Peak memory of the readers and the report over hostile or very large input,
// each case in a process of its own (its peak resident size is what it printed):
//  - language: a 500 KB language file whose 50,000 entries share one 100 KB text;
//  - import:   an import of 1 GB of data without a line break;
//  - report:   "Calls per employee" over 1,000,000 generated, rated calls, as a
//              report task makes it (the resident size after loading is given too).
//
//   bench_file_limits [PROGRAMFOLDER]    default: ../bin beside this program

#include "BenchSupport.h"

#include "core/IniProfile.h"
#include "lang/LanguageFile.h"
#include "report/ReportRun.h"
#include "session/MainSession.h"
#include "settings/SettingsFile.h"
#include "textfile/TextTableFile.h"

#include <QCoreApplication>

#include <cstring>
#include <functional>
#include <sys/resource.h>
#include <sys/wait.h>
#include <vector>

namespace {

namespace fs = std::filesystem;

void storeU32(std::uint8_t* p, std::uint32_t v)
{
    for (int i = 0; i < 4; ++i)
        p[i] = static_cast<std::uint8_t>(v >> (8 * i));
}

int languageCase()
{
    constexpr std::uint32_t kEntries = 50'000;
    const std::string text(100'000, 't');
    std::vector<std::uint8_t> file(64 + 8 * std::size_t{kEntries} + text.size() + 1, 0);
    std::memcpy(file.data(), "LANG", 4);
    storeU32(&file[4], kEntries);
    storeU32(&file[12], static_cast<std::uint32_t>(text.size() + 1));
    for (std::uint32_t i = 0; i < kEntries; ++i)
        storeU32(&file[64 + 8 * std::size_t{i}], i); // every offset 0
    std::memcpy(&file[64 + 8 * std::size_t{kEntries}], text.data(), text.size());
    LanguageTable table;
    const LanguageFileResult result = decodeLanguageFile(file, table);
    std::printf("file_limits: language file of %zu bytes: result %d, %zu entries\n", file.size(),
                static_cast<int>(result), table.size());
    return 0;
}

int importCase()
{
    const fs::path path = fs::temp_directory_path() / ("qx-bench-endless-" + std::to_string(::getpid()) + ".csv");
    std::ofstream(path).put('x');
    fs::resize_file(path, std::uintmax_t{1} << 30); // zeros, no line break
    TextTableFile file(TextTableMode::Import);
    file.options() = TextTableOptions(2);
    if (file.open(path) != TextTableFile::OpenResult::Ok)
        return 1;
    int lines = 0;
    while (file.readLine())
        ++lines;
    const TextTableFile::Outcome outcome = file.finish();
    fs::remove(path);
    std::printf("file_limits: import of 1 GB without a line break: %d lines, ok %d\n", lines, outcome.ok ? 1 : 0);
    return 0;
}

int reportCase(const fs::path& program)
{
    int argc = 1;
    char name[] = "bench_file_limits";
    char* argv[] = {name, nullptr};
    QCoreApplication app(argc, argv);
    const fs::path folder = fs::temp_directory_path() / ("qx-bench-limits-" + std::to_string(::getpid()));
    fs::create_directories(folder);
    MainSession session(folder);
    if (loadSettings(program / "brisel.dat", session.settings()) != SettingsLoadResult::Ok)
        return 1;
    session.settings().rebuildIndexes();
    NoProgress progress;
    session.settingsChanged(progress);
    CallGeneratorOptions options;
    options.count = 1'000'000;
    options.days = 365;
    const fs::path calls = folder / "calls.bsl";
    if (!CallGenerator::writeFile(options, calls) || !session.openFiles(std::span(&calls, 1), progress).ok())
        return 1;
    const std::size_t loaded = bench::residentBytes();
    IniProfile ini;
    ReportContext context;
    context.from = session.calls().loadedRange().from;
    context.to = session.calls().loadedRange().to;
    ReportHooks hooks;
    ReportEnvironment env = session.reportEnvironment(ini, program, context, progress, hooks);
    ReportRequest request;
    request.templateName = "Calls per employee";
    request.output = (folder / "report").string();
    fs::path written;
    const bool ok = runReport(request, env, &written);
    const std::uintmax_t size = ok ? fs::file_size(written) : 0;
    fs::remove_all(folder);
    std::printf("file_limits: report \"Calls per employee\": %.1f MB written; resident after loading %.0f MB\n",
                static_cast<double>(size) / 1e6, static_cast<double>(loaded) / 1e6);
    return ok ? 0 : 1;
}

// Runs `work` in a child process and prints its peak resident size.
void measure(const char* what, const std::function<int()>& work)
{
    std::fflush(stdout);
    const pid_t child = ::fork();
    if (child == 0) {
        const int code = work();
        std::fflush(stdout);
        ::_exit(code);
    }
    int status = 0;
    struct rusage usage
    {
    };
    ::wait4(child, &status, 0, &usage);
    std::printf("file_limits: %s: peak resident %.1f MB (exit %d)\n", what,
                static_cast<double>(usage.ru_maxrss) / 1024.0, WIFEXITED(status) ? WEXITSTATUS(status) : -1);
}

} // namespace

int main(int argc, char** argv)
{
    const fs::path program = argc > 1 ? fs::path(argv[1])
                                      : fs::canonical("/proc/self/exe").parent_path().parent_path() / "bin";
    measure("language", languageCase);
    measure("import", importCase);
    measure("report", [&] { return reportCase(program); });
    return 0;
}
