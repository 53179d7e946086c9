// Reports in the window over a large call file: from OK in the "Create report"
// dialog to the summary report painted in the report window, and opening the
// detailed report of every call (some 200 MB of HTML) in the report window
// until it is painted and takes input.
// Run offscreen: QT_QPA_PLATFORM=offscreen bench_gui_report [calls]
#include "GuiBench.h"

#include "app/AppResources.h"
#include "app/CMainFrame.h"
#include "app/Commands.h"
#include "core/DebugLog.h"
#include "core/IniProfile.h"
#include "lang/gui/QtMessageSink.h"
#include "report/ReportRun.h"
#include "report/gui/CDlgCreateReport.h"
#include "report/gui/CReportForm.h"
#include "session/MainSession.h"

#include <QApplication>
#include <QComboBox>
#include <QElapsedTimer>
#include <QLabel>
#include <QRadioButton>
#include <QTextBrowser>
#include <QTimer>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <memory>

namespace fs = std::filesystem;

namespace {

// Answers the "Create report" dialog with `templateName` as a summary report,
// and closes the report window once it is painted; the clock runs from OK.
void driveDialogs(const QString& templateName, QElapsedTimer& clock, qint64& painted, double& processor)
{
    auto* timer = new QTimer(qApp);
    QObject::connect(timer, &QTimer::timeout, [timer, templateName, &clock, &painted, &processor] {
        QWidget* modal = QApplication::activeModalWidget();
        if (auto* dialog = qobject_cast<CDlgCreateReport*>(modal)) {
            dialog->templateCombo()->setCurrentText(templateName);
            dialog->kindButton(0)->click();
            clock.start();
            processor = guibench::processorMs();
            dialog->accept();
        } else if (auto* form = qobject_cast<CReportForm*>(modal)) {
            form->browser()->viewport()->repaint();
            painted = clock.elapsed();
            processor = guibench::processorMs() - processor;
            timer->stop();
            timer->deleteLater();
            form->runCommand(CReportForm::kClose);
        }
    });
    timer->start(1);
}

} // namespace

int main(int argc, char** argv)
{
    QApplication application(argc, argv);
    const std::size_t count = argc > 1 ? std::strtoull(argv[1], nullptr, 10) : 1000000;
    const fs::path file = guibench::makeHome("gui-report", count);
    const fs::path home = file.parent_path().parent_path();
    fs::copy(fs::path(QX_PROGRAM_DIR) / "Reports", home / "Reports");

    QtMessageSink messages;
    appres::registerResources();
    debuglog::setProgramFolder(home);
    IniProfile ini(home / "quantorix.ini");
    CMainFrame frame(home, ini);
    if (!guibench::startFrame(frame, {file}))
        return 1;

    QElapsedTimer clock;
    qint64 painted = -1;
    double processor = 0.0;
    driveDialogs(QStringLiteral("Summary by employee"), clock, painted, processor);
    frame.runCommand(cmd::kReports);
    std::printf("summary report of %zu calls: OK to painted in the report window %lld ms (processor %.0f ms)\n", count,
                static_cast<long long>(painted), processor);

    // The detailed report of every call, written once by the engine.
    ReportRequest request;
    request.templateName = "Calls per employee";
    request.kind = 0;
    request.outputPath = home / "detailed.htm";
    MainSession& session = frame.session();
    ReportContext context;
    context.from = session.calls().loadedRange().from;
    context.to = session.calls().loadedRange().to;
    NoProgress progress;
    ReportHooks hooks;
    ReportEnvironment env = session.reportEnvironment(ini, home, context, progress, hooks);
    QElapsedTimer engine;
    engine.start();
    if (!runReport(request, env))
        return 1;
    const double megabytes = static_cast<double>(fs::file_size(home / "detailed.htm")) / (1024.0 * 1024.0);
    std::printf("detailed report written by the engine: %.0f MB in %lld ms\n", megabytes,
                static_cast<long long>(engine.elapsed()));

    if (const char* shown = std::getenv("QX_BENCH_SHOWN_KB"))
        CReportForm::setShownLimit(std::strtoull(shown, nullptr, 10) << 10);
    clock.start();
    processor = guibench::processorMs();
    {
        CReportForm form(home / "detailed.htm", ini, &frame);
        form.show();
        QApplication::processEvents();
        form.browser()->viewport()->repaint();
        const qint64 usable = clock.elapsed();
        std::printf("detailed report of %.0f MB: report window painted and taking input after %lld ms "
                    "(processor %.0f ms, %s)\n",
                    megabytes, static_cast<long long>(usable), guibench::processorMs() - processor,
                    form.partNotice()->isHidden() ? "whole" : "first part shown");
    }
    fs::remove_all(home);
    return painted >= 0 ? 0 : 1;
}
