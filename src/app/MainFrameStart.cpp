// The main window's part in the start-up and the hand-over of command lines.
#include "app/CDlgLogin.h"
#include "app/CMainFrame.h"
#include "app/CallsModel.h"
#include "app/FrameProgress.h"
#include "core/Cp1252.h"
#include "core/DebugLog.h"
#include "core/FileTypes.h"
#include "lang/StringTable.h"

#include <QApplication>

namespace {

// A command line names a call file when its extension, quotes taken away, is ".bsl" in any case.
std::optional<std::filesystem::path> callFileOf(const QString& text)
{
    QString name = text;
    name.replace(QLatin1Char('"'), QLatin1Char(' '));
    name = name.trimmed();
    const auto extension = QString::fromLatin1(filetypes::extension(filetypes::kCallDatabase));
    if (!name.endsWith(extension, Qt::CaseInsensitive) || name.size() <= extension.size())
        return std::nullopt;
    return std::filesystem::path(name.toStdString());
}

} // namespace

bool CMainFrame::loadSettings()
{
    std::filesystem::path failed;
    if (m_session->loadSettings(failed)) {
        m_model->setSources(&m_session->calls(), &m_session->columns(), &m_session->prefs());
        updateStatus();
        return true;
    }
    MessageById(sid::kDatabaseMissing, mb::kOk | mb::kIconStop, {PathText(failed)});
    return false;
}

bool CMainFrame::logIn()
{
    const auto level = CDlgLogin::run(this, m_session->settings().header);
    if (!level)
        return false;
    m_session->setLoginLevel(*level);
    updateCommandStates();
    return true;
}

void CMainFrame::resetToNoFiles()
{
    closeFiles();
}

std::optional<bool> CMainFrame::receiveCommandLine(int origin, const QString& text)
{
    if (FrameProgress::busy())
        return std::nullopt;
    if (origin != 1 && origin != 2)
        return false;
    // Not while a dialog, a message box or a menu of this program is open.
    if (QApplication::activeModalWidget() || QApplication::activePopupWidget())
        return false;
    if (const auto file = callFileOf(text)) {
        if (isMinimized()) {
            if (m_maximize)
                showMaximized();
            else
                showNormal();
        }
        openFiles({*file});
        updateCommandStates();
        return true;
    }
    runReportTask(text, origin);
    return true;
}

void CMainFrame::runReportTask(const QString& task, int origin)
{
    debuglog::write("ProcessTask() %s", cp1252::fromQString(task).c_str());
    // ADAPTER: report tasks run through the report engine once it offers them.
    MessageById(sid::kReportTasksUnavailable, mb::kOk | mb::kIconExclamation, {cp1252::fromQString(task)});
    if (origin == 2) {
        debuglog::write("Closing");
        QMetaObject::invokeMethod(this, &QWidget::close, Qt::QueuedConnection);
    }
}
