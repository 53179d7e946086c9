// The hand-over of command lines to the running window, and the report tasks
// they carry.
#include "app/FrameHandOver.h"

#include "app/CMainFrame.h"
#include "app/CommandLine.h"
#include "app/FrameProgress.h"
#include "app/StatusPanel.h"
#include "core/DebugLog.h"
#include "lang/StringTable.h"
#include "lang/gui/QtTranslate.h"
#include "report/ReportTask.h"
#include "session/LoadFailure.h"

#include <QApplication>

namespace {

// The main window as a report task sees it: the task loads files, applies a
// saved filter and runs the report on what the window shows.
class FrameTaskHost final : public ReportTaskHost, public ReportHooks
{
public:
    FrameTaskHost(CMainFrame& frame, IniProfile& ini, ReportContext& context, StatusPanel& status)
        : m_frame(frame)
        , m_ini(ini)
        , m_context(context)
        , m_progress(&frame, status, sid::kStatusCreating, FrameProgress::Events::Pump)
        , m_status(status)
    { }

    std::filesystem::path programFolder() const override { return m_frame.programFolder(); }
    std::filesystem::path defaultCallsFolder() const override { return m_frame.defaultCallsFolder(); }
    const FilterRecord* savedFilter(std::string_view name) const override
    {
        const SavedFilter* saved = m_frame.session().findSavedFilter(name);
        return saved ? &saved->filter : nullptr;
    }
    void setCurrentFilter(const FilterRecord& filter) override { m_filter = filter; }
    void applyCurrentFilter() override
    {
        if (m_filter)
            m_frame.session().applyFilter(*m_filter, true, m_progress);
    }
    bool loadCallFiles(std::span<const std::filesystem::path> files) override
    {
        const LoadOutcome outcome = m_frame.session().openFiles(files, m_progress);
        if (outcome.ok())
            return true;
        MessageById(loadFailureMessageId(outcome.result), mb::kOk | mb::kIconStop, {PathText(outcome.path)});
        return false;
    }
    ReportEnvironment reportEnvironment() override
    {
        MainSession& session = m_frame.session();
        return session.reportEnvironment(m_ini, m_frame.programFolder(), m_context, m_progress, *this);
    }
    void restoreWindow() override { m_frame.restoreFromMinimized(); }

    void status(int textId) override { m_status.setMessage(qtText(LoadText(textId))); }
    bool cancelRequested() override { return m_progress.aborted(); }

private:
    CMainFrame& m_frame;
    IniProfile& m_ini;
    ReportContext& m_context;
    FrameProgress m_progress;
    StatusPanel& m_status;
    std::optional<FilterRecord> m_filter;
};

} // namespace

FrameHandOver::FrameHandOver(CMainFrame& frame, IniProfile& ini)
    : m_frame(frame)
    , m_ini(ini)
{ }

std::optional<bool> FrameHandOver::receive(int origin, const QString& text)
{
    if (FrameProgress::busy())
        return std::nullopt;
    if (origin != 1 && origin != 2)
        return false;
    // Not while a dialog, a message box or a menu of this program is open.
    if (QApplication::activeModalWidget() || QApplication::activePopupWidget())
        return false;
    if (const auto file = callFileOf(text)) {
        m_frame.restoreFromMinimized();
        m_frame.openFiles({*file});
        m_frame.updateCommandStates();
        return true;
    }
    runReportTask(text, origin);
    return true;
}

void FrameHandOver::runReportTask(const QString& task, int origin)
{
    m_frame.beginReportTask();
    {
        FrameTaskHost host(m_frame, m_ini, m_reportContext, *m_frame.status());
        processTask(task.toStdString(), host);
    }
    m_frame.endReportTask();
    if (origin == 2) {
        debuglog::write("Closing");
        // After the start-up has returned to the event loop, which then ends with the window.
        QMetaObject::invokeMethod(&m_frame, &QWidget::close, Qt::QueuedConnection);
    }
}
