#include "app/FrameReports.h"

#include "app/CMainFrame.h"
#include "app/CallsView.h"
#include "app/Commands.h"
#include "app/FrameProgress.h"
#include "app/StatusPanel.h"
#include "lang/StringTable.h"
#include "lang/gui/QtTranslate.h"
#include "report/gui/CDlgCreateReport.h"
#include "report/gui/CReportForm.h"

#include <optional>

namespace {

FrameReports::AskSeam s_ask;
FrameReports::DisplaySeam s_display;

// The window's side of a report run: the dialog, the report window, and the
// status bar with the progress of the calls, which lives only while the
// report is made (the dialog and the window come before and after it).
class FrameReportHooks final : public ReportHooks, public Progress
{
public:
    FrameReportHooks(CMainFrame& frame, IniProfile& ini)
        : m_frame(frame)
        , m_ini(ini)
    { }

    bool ask(ReportChoices& choices, ReportContext& context, const std::vector<std::string>& templates,
             bool quick) override
    {
        if (s_ask)
            return s_ask(choices, context, templates, quick);
        const MainSession& session = m_frame.session();
        CDlgCreateReport dialog(choices, context.from, context.to, templates, session.settings(), session.prefs(),
                                quick, &m_frame);
        if (dialog.exec() != QDialog::Accepted)
            return false;
        choices = dialog.choices();
        if (!quick) {
            context.from = dialog.from();
            context.to = dialog.to();
        }
        return true;
    }

    bool display(const std::filesystem::path& file) override
    {
        m_progress.reset();
        m_frame.status()->setMessage(qtText(LoadText(sid::kStatusDisplayingReport)));
        return s_display ? s_display(file) : CReportForm::showModal(file, m_ini, &m_frame);
    }

    void status(int textId) override
    {
        if (textId == sid::kIdleMessage) {
            m_progress.reset();
            m_frame.status()->setIdle();
        } else {
            m_frame.status()->setMessage(qtText(LoadText(textId)));
        }
    }

    bool cancelRequested() override { return m_progress && m_progress->aborted(); }

    void begin(std::size_t total) override
    {
        if (!m_progress)
            m_progress.emplace(&m_frame, *m_frame.status(), sid::kStatusCreating, FrameProgress::Events::Pump);
        m_progress->begin(total);
    }
    bool step(std::size_t done, std::size_t total) override { return !m_progress || m_progress->step(done, total); }
    void end() override
    {
        if (m_progress)
            m_progress->end();
    }

private:
    CMainFrame& m_frame;
    IniProfile& m_ini;
    std::optional<FrameProgress> m_progress;
};

bool sameRange(const DateRange& a, const DateRange& b) { return a.from == b.from && a.to == b.to; }

} // namespace

FrameReports::FrameReports(CMainFrame& frame, IniProfile& ini)
    : m_frame(frame)
    , m_ini(ini)
{ }

void FrameReports::setAskSeam(AskSeam seam) { s_ask = std::move(seam); }
void FrameReports::setDisplaySeam(DisplaySeam seam) { s_display = std::move(seam); }

void FrameReports::syncPeriod()
{
    const CallSession& calls = m_frame.session().calls();
    const DateRange loaded = calls.loadedRange();
    if (calls.openFilePaths() == m_periodFiles && sameRange(loaded, m_periodRange))
        return;
    m_periodFiles = calls.openFilePaths();
    m_periodRange = loaded;
    m_context.from = loaded.from;
    m_context.to = loaded.to;
}

bool FrameReports::run(int commandId)
{
    syncPeriod();
    ReportRequest request;
    request.quick = commandId != cmd::kReports;
    request.ask = commandId != cmd::kQuickReport;
    request.generate = commandId != cmd::kEditQuickReport;
    request.display = request.generate;

    MainSession& session = m_frame.session();
    const std::vector<std::size_t> selected = m_frame.view()->selectedRows();
    FrameReportHooks hooks(m_frame, m_ini);
    ReportEnvironment env = session.reportEnvironment(m_ini, m_frame.programFolder(), m_context, hooks, hooks,
                                                      selected);
    return runReport(request, env);
}
