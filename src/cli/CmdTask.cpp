// quantorix-cli task [--home DIR] [--pdf FILE.pdf] TEXT
// Runs a report task as the program does when a scheduler starts it with one:
// TEXT is the task text or "@" and a task file. With --pdf the report is also
// written as a PDF file with the stored page setup and page numbers. The settings, preferences, saved
// filters and report choices are those of the program folder. Exit 0 when the
// report file was written; otherwise the message goes to standard error and
// the exit code is 1. SIGINT or SIGTERM cancels the report (exit 130).

#include "calls/Progress.h"
#include "cli/CliCommand.h"
#include "cli/CliHome.h"
#include "core/Cp1252.h"
#include "core/DebugLog.h"
#include "lang/StringTable.h"
#include "prefs/Preferences.h"
#include "report/ReportTask.h"
#include "report/print/ReportPrint.h"
#include "session/LoadFailure.h"
#include "session/MainSession.h"
#include "settings/SettingsLocation.h"

#include <csignal>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;

// Set by SIGINT or SIGTERM: the report in progress stops at its next check.
volatile std::sig_atomic_t g_stopRequested = 0;

extern "C" void requestStop(int) { g_stopRequested = 1; }

class TaskHooks final : public ReportHooks
{
public:
    bool cancelRequested() override { return g_stopRequested != 0; }
};

// The main session as a report task sees it.
class SessionTaskHost final : public ReportTaskHost
{
public:
    SessionTaskHost(CliHome& home, MainSession& session)
        : m_home(home)
        , m_session(session)
    { }

    fs::path programFolder() const override { return m_home.programFolder; }

    fs::path defaultCallsFolder() const override
    {
        // The folder of the call file opened last in the program ("File", "Name").
        const std::string last = m_home.ini.readString("File", "Name");
        if (!last.empty()) {
            const fs::path folder = fs::path(cp1252::toUtf8(last)).parent_path();
            if (!folder.empty())
                return folder;
        }
        return callsFolder(m_home.dataFolder);
    }

    const FilterRecord* savedFilter(std::string_view name) const override
    {
        const SavedFilter* saved = m_session.findSavedFilter(name);
        return saved ? &saved->filter : nullptr;
    }

    void setCurrentFilter(const FilterRecord& filter) override { m_current = filter; }

    void applyCurrentFilter() override
    {
        if (m_current)
            m_session.applyFilter(*m_current, true, m_progress);
    }

    bool loadCallFiles(std::span<const fs::path> files) override
    {
        const LoadOutcome outcome = m_session.openFiles(files, m_progress);
        if (outcome.ok())
            return true;
        MessageById(loadFailureMessageId(outcome.result), mb::kOk | mb::kIconStop, {PathText(outcome.path)});
        return false;
    }

    ReportEnvironment reportEnvironment() override
    {
        return m_session.reportEnvironment(m_home.ini, m_home.programFolder, m_context, m_progress, m_hooks);
    }

private:
    CliHome& m_home;
    MainSession& m_session;
    std::optional<FilterRecord> m_current;
    ReportContext m_context;
    TaskHooks m_hooks;
    NoProgress m_progress;
};

// Takes "--pdf FILE" or "--pdf=FILE" out of the arguments; false when --pdf names no file.
bool takePdfOption(std::vector<std::string>& args, std::string& pdf)
{
    for (std::size_t i = 0; i < args.size(); ++i) {
        const auto at = args.begin() + static_cast<std::ptrdiff_t>(i);
        if (args[i] == "--pdf") {
            if (i + 1 >= args.size() || args[i + 1].empty())
                return false;
            pdf = args[i + 1];
            args.erase(at, at + 2);
            --i;
        } else if (args[i].rfind("--pdf=", 0) == 0) {
            pdf = args[i].substr(6);
            if (pdf.empty())
                return false;
            args.erase(at);
            --i;
        }
    }
    return true;
}

int task(std::vector<std::string> args)
{
    std::vector<std::string> rest = args;
    takeHomeOption(rest);
    std::string pdf;
    const bool pdfNamed = takePdfOption(rest, pdf);
    std::string unknown;
    if (takeUnknownOption(rest, &unknown)) {
        std::fprintf(stderr, "quantorix-cli task: unknown option '%s'\n", unknown.c_str());
        rest.clear();
    }
    if (rest.size() != 1 || !pdfNamed) {
        std::fprintf(stderr, "usage: quantorix-cli task [--home DIR] [--pdf FILE.pdf] TEXT\n");
        return 2;
    }
    const std::unique_ptr<CliHome> home = CliHome::open(args);
    if (!home)
        return CliHome::kExitNoDatabase;
    debuglog::setProgramFolder(home->programFolder);
    home->startLanguage();

    MainSession session(home->programFolder);
    home->prepareSession(session);

    SessionTaskHost host(*home, session);
    std::signal(SIGINT, requestStop);
    std::signal(SIGTERM, requestStop);
    const TaskResult result = processTask(rest.front(), host);
    std::signal(SIGINT, SIG_DFL);
    std::signal(SIGTERM, SIG_DFL);
    if (g_stopRequested) {
        std::fprintf(stderr, "%s\n", cp1252::toUtf8(LoadText(sid::kReportCancelled)).c_str());
        return 130;
    }
    if (!result.reportWritten)
        return 1;
    std::printf("%s\n", result.file.string().c_str());
    if (!pdf.empty()) {
        PageSettings page = PageSettings::load(home->ini);
        page.applyPageNumbers();
        const fs::path pdfPath = reportPathFromUtf8(pdf);
        if (!writeReportPdf(result.file, pdfPath, page)) {
            MessageById(sid::kErrorSavingFile, mb::kOk | mb::kIconStop, {PathText(pdfPath)});
            return 1;
        }
        std::printf("%s\n", pdfPath.string().c_str());
    }
    return 0;
}

const CliCommand
    taskCommand("task", "[--home DIR] [--pdf FILE] TEXT  run a report task (\"@FILE\" reads it from a file)", task);

} // namespace
