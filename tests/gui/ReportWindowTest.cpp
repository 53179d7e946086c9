// Reports in the window: the Create report dialog's rules, the commands that
// run a report through the engine into the report window, and printing and
// saving from the report window (PDF text read back with pdftotext).
#include "FrameFixture.h"

#include "app/Commands.h"
#include "app/FrameReports.h"
#include "core/Locale.h"
#include "report/gui/CDlgCreateReport.h"
#include "report/gui/CReportForm.h"

#include <QComboBox>
#include <QDateEdit>
#include <QLabel>
#include <QPrinter>
#include <QProcess>
#include <QRadioButton>
#include <QRegularExpression>
#include <QTextBrowser>
#include <QTimeEdit>
#include <QtTest>

namespace fs = std::filesystem;

namespace {

void copyDemo(const TestHome& home) { fs::copy(fs::path(QX_PROGRAM_DIR) / "Reports", home / "Reports"); }

std::vector<fs::path> demoCallFiles()
{
    std::vector<fs::path> files;
    for (const fs::directory_entry& entry : fs::directory_iterator(fs::path(QX_PROGRAM_DIR) / "Calls"))
        if (entry.path().extension() == ".bsl")
            files.push_back(entry.path());
    std::sort(files.begin(), files.end());
    return files;
}

// The text of page `page` (from 1) of a PDF, or of all pages for 0.
QString pdfText(const fs::path& pdf, int page = 0)
{
    QStringList args{QStringLiteral("-layout")};
    if (page > 0)
        args << QStringLiteral("-f") << QString::number(page) << QStringLiteral("-l") << QString::number(page);
    args << QString::fromStdString(pdf.string()) << QStringLiteral("-");
    QProcess process;
    process.start(QStringLiteral("pdftotext"), args);
    process.waitForFinished(60000);
    return QString::fromUtf8(process.readAllStandardOutput());
}

int pdfPages(const fs::path& pdf)
{
    QProcess process;
    process.start(QStringLiteral("pdfinfo"), {QString::fromStdString(pdf.string())});
    process.waitForFinished(60000);
    const QRegularExpressionMatch match = QRegularExpression(QStringLiteral("Pages:\\s+(\\d+)"))
                                              .match(QString::fromUtf8(process.readAllStandardOutput()));
    return match.hasMatch() ? match.captured(1).toInt() : 0;
}

// Every page carries its number as its last word, in the right half of the page.
void checkPageNumbers(const fs::path& pdf)
{
    const int pages = pdfPages(pdf);
    QVERIFY2(pages >= 2, "the report should need several pages");
    QProcess process;
    process.start(QStringLiteral("pdftotext"),
                  {QStringLiteral("-bbox"), QString::fromStdString(pdf.string()), QStringLiteral("-")});
    process.waitForFinished(60000);
    const QString boxes = QString::fromUtf8(process.readAllStandardOutput());
    const QRegularExpression pageTag(QStringLiteral("<page width=\"([0-9.]+)\""));
    const QRegularExpression word(QStringLiteral("<word xMin=\"([0-9.]+)\"[^>]*>([^<]*)</word>"));
    const QStringList pageTexts = boxes.split(QStringLiteral("</page>"), Qt::SkipEmptyParts);
    int page = 0;
    for (const QString& text : pageTexts) {
        const QRegularExpressionMatch size = pageTag.match(text);
        if (!size.hasMatch())
            continue;
        ++page;
        QRegularExpressionMatch last;
        for (auto it = word.globalMatch(text); it.hasNext();)
            last = it.next();
        QCOMPARE(last.captured(2), QString::number(page));
        QVERIFY(last.captured(1).toDouble() > size.captured(1).toDouble() / 2);
    }
    QCOMPARE(page, pages);
}

// A report of many lines and its HTML.
fs::path writeLongReport(const TestHome& home, int lines, const std::string& name = "long.htm")
{
    std::string html = "<html><body>";
    for (int i = 1; i <= lines; ++i)
        html += "<p>Line " + std::to_string(i) + "</p>\n";
    html += "</body></html>\n";
    const fs::path path = home / name;
    TestHome::writeBytes(path, html.data(), html.size());
    return path;
}

// Runs `action` on the modal dialog of type T once it is open (without waiting here).
template <typename T> void whenOpen(std::function<void(T*)> action)
{
    auto* timer = new QTimer(qApp);
    QObject::connect(timer, &QTimer::timeout, [timer, action] {
        if (T* dialog = qobject_cast<T*>(QApplication::activeModalWidget())) {
            timer->stop();
            timer->deleteLater();
            action(dialog);
        }
    });
    timer->start(20);
}

} // namespace

class ReportWindowTest : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() { Locale::pin("en_US"); }
    void cleanup()
    {
        FrameReports::setAskSeam({});
        FrameReports::setDisplaySeam({});
        CReportForm::setPrintDialog({});
        CReportForm::setSaveDialog({});
        CReportForm::setUrlOpener({});
    }

    void createReportDialogRules()
    {
        TestHome home;
        TestFrame frame(home);
        const MainSession& session = frame->session();
        ReportChoices stored;
        stored.kind = ReportEmployee;
        CDlgCreateReport dialog(stored, {2025, 1, 1, 0, 0}, {2025, 1, 31, 23, 59}, {"A", "B", "C"}, session.settings(),
                                session.prefs(), false);
        // No stored template: the last one.
        QCOMPARE(dialog.templateCombo()->currentText(), QStringLiteral("C"));
        // Only the chosen individual's combo is enabled, following the radios.
        QVERIFY(dialog.individualCombo(ReportEmployee)->isEnabled());
        QVERIFY(!dialog.individualCombo(ReportDepartment)->isEnabled());
        dialog.kindButton(ReportDepartment)->click();
        QVERIFY(dialog.individualCombo(ReportDepartment)->isEnabled());
        QVERIFY(!dialog.individualCombo(ReportEmployee)->isEnabled());
        dialog.kindButton(ReportSelectedRecords)->click();
        for (int kind = ReportEmployee; kind <= ReportProject; ++kind)
            QVERIFY(!dialog.individualCombo(kind)->isEnabled());
        QVERIFY(dialog.fromDate()->isEnabled() && dialog.toTime()->isEnabled());

        // Choosing an employee selects the department of that directory entry.
        QComboBox* employee = dialog.individualCombo(ReportEmployee);
        QVERIFY(employee->count() > 2);
        const std::size_t entry = static_cast<std::size_t>(employee->itemData(2).toInt());
        employee->setCurrentIndex(2);
        Q_EMIT employee->activated(2);
        const std::string department(session.settings().directory[entry].department.view());
        QCOMPARE(dialog.individualCombo(ReportDepartment)->currentText(), QString::fromStdString(department));
        const ReportChoices chosen = dialog.choices();
        QCOMPARE(chosen.kind, int(ReportSelectedRecords));
        QCOMPARE(chosen.department, department);
        QCOMPARE(chosen.extension, -1);
        QCOMPARE(dialog.to(), (CallDate{2025, 1, 31, 23, 59}));

        // The quick report's period is not asked.
        CDlgCreateReport quick(stored, {}, {}, {"A"}, session.settings(), session.prefs(), true);
        QVERIFY(!quick.fromDate()->isEnabled() && !quick.fromTime()->isEnabled());
        QVERIFY(!quick.toDate()->isEnabled() && !quick.toTime()->isEnabled());
    }

    void commandsFollowTheLoadedFiles()
    {
        TestHome home;
        copyDemo(home);
        TestFrame frame(home);
        QVERIFY(!frame->isCommandEnabled(cmd::kReports));
        QVERIFY(!frame->isCommandEnabled(cmd::kQuickReport));
        QVERIFY(frame->isCommandEnabled(cmd::kEditQuickReport));
        QVERIFY(frame->openFiles({home.writeCalls("c.bsl", 300)}));
        QVERIFY(frame->isCommandEnabled(cmd::kReports));

        // Edit quick report stores the quick report's choices and makes no report.
        bool displayed = false;
        bool askedQuick = false;
        FrameReports::setAskSeam(
            [&askedQuick](ReportChoices& choices, ReportContext&, const std::vector<std::string>&, bool quick) {
                askedQuick = quick;
                choices.templateName = "Summary by department";
                choices.kind = ReportTrunk;
                choices.trunk = 7;
                return true;
            });
        FrameReports::setDisplaySeam([&displayed](const fs::path&) { return displayed = true; });
        frame->runCommand(cmd::kEditQuickReport);
        QVERIFY(askedQuick && !displayed);
        QCOMPARE(frame.ini.readString("QuickReport", "Template"), std::string("Summary by department"));
        QCOMPARE(frame.ini.readInt("QuickReport", "Trunk", 0), 7);
        QVERIFY(frame.ini.readString("Report", "Template").empty());

        // Quick report runs those choices without asking and shows the file,
        // which is kept when the user opened it in the browser.
        FrameReports::setAskSeam(
            [](ReportChoices&, ReportContext&, const std::vector<std::string>&, bool) { return false; });
        fs::path shown;
        FrameReports::setDisplaySeam([&shown](const fs::path& file) {
            shown = file;
            return true;
        });
        frame->runCommand(cmd::kQuickReport);
        QVERIFY(fs::exists(shown));
    }

    void summaryReportThroughTheDialogShowsItsTotals()
    {
        TestHome home;
        copyDemo(home);
        TestFrame frame(home);
        frame->show();
        QVERIFY(frame->openFiles(demoCallFiles()));
        QString shownText;
        whenOpen<CDlgCreateReport>([&shownText](CDlgCreateReport* dialog) {
            dialog->templateCombo()->setCurrentText(QStringLiteral("Summary by employee"));
            dialog->kindButton(ReportSummary)->click();
            whenOpen<CReportForm>([&shownText](CReportForm* form) {
                QTest::keyClick(form, Qt::Key_Escape);
                if (form->isVisible()) // Escape does not close the report
                    shownText = form->browser()->toPlainText();
                form->runCommand(CReportForm::kClose);
            });
            dialog->accept();
        });
        frame->runCommand(cmd::kReports);
        QCOMPARE(frame.ini.readString("Report", "Template"), std::string("Summary by employee"));
        QCOMPARE(frame.ini.readInt("Report", "Type", -1), 0);
        QVERIFY(frame.ini.readInt("ReportLayout", "Width", 0) > 0);

        // The same report made by the engine alone: its total line is what the window showed.
        ReportRequest request;
        request.templateName = "Summary by employee";
        request.kind = ReportSummary;
        request.outputPath = home / "reference.htm";
        MainSession& session = frame->session();
        ReportContext context = {};
        const DateRange range = session.calls().loadedRange();
        context.from = range.from;
        context.to = range.to;
        NoProgress progress;
        ReportHooks hooks;
        ReportEnvironment env = session.reportEnvironment(frame.ini, home.folder(), context, progress, hooks);
        QVERIFY(runReport(request, env));
        QFile reference(QString::fromStdString((home / "reference.htm").string()));
        QVERIFY(reference.open(QIODevice::ReadOnly));
        const QString html = QString::fromLatin1(reference.readAll());
        const QString totalRow = html.mid(html.indexOf(QStringLiteral("class=\"total\"")));
        const QRegularExpression cell(QStringLiteral("<td align=\"right\">([^<]+)</td>"));
        int cells = 0;
        QVERIFY(!shownText.isEmpty());
        for (auto it = cell.globalMatch(totalRow); it.hasNext(); ++cells)
            QVERIFY2(shownText.contains(it.next().captured(1).trimmed().left(8)), qPrintable(totalRow));
        QCOMPARE(cells, 3); // calls, duration, cost
    }

    void printAndPdfCarryEveryPageNumber()
    {
        TestHome home;
        home.writeIni("[PageSettings]\nPageNo=1\nPagePos=1\nPageAlign=2\n");
        IniProfile ini(home / "quantorix.ini");
        CReportForm form(writeLongReport(home, 200), ini);
        const fs::path printed = home / "printed.pdf";
        CReportForm::setPrintDialog([&printed](QPrinter& printer) {
            printer.setOutputFormat(QPrinter::PdfFormat);
            printer.setOutputFileName(QString::fromStdString(printed.string()));
            return true;
        });
        form.runCommand(CReportForm::kPrint);
        checkPageNumbers(printed);
        QVERIFY(pdfText(printed).contains(QStringLiteral("Line 200")));

        const fs::path saved = home / "saved";
        CReportForm::setSaveDialog(
            [&saved](bool pdfOnly) { return pdfOnly ? QString::fromStdString(saved.string()) : QString(); });
        form.runCommand(CReportForm::kSavePdf);
        checkPageNumbers(home / "saved.pdf");
    }

    void pageSettingsBecomeThePageLayoutAndBack()
    {
        TestHome home;
        home.writeIni("[PageSettings]\nPageNo=1\nPagePos=0\nPageAlign=1\nheader=typed\nmargin_left=1\n"
                      "orientation=2\npaper_size=1\n");
        IniProfile ini(home / "quantorix.ini");
        PageSettings page = PageSettings::load(ini);
        page.applyPageNumbers();
        QCOMPARE(page.values[PageSettings::Header], std::string("&b&p&b"));
        QVERIFY(page.values[PageSettings::Footer].empty());
        const QPageLayout layout = page.pageLayout();
        QCOMPARE(layout.pageSize().id(), QPageSize::Letter);
        QCOMPARE(layout.orientation(), QPageLayout::Landscape);
        QCOMPARE(layout.margins(QPageLayout::Inch).left(), 1.0);
        QCOMPARE(layout.margins(QPageLayout::Inch).top(), 0.5);

        page.setPageLayout(QPageLayout(QPageSize(QPageSize::A5), QPageLayout::Portrait, QMarginsF(0.25, 1, 0.5, 2),
                                       QPageLayout::Inch));
        QVERIFY(page.save(ini));
        const IniProfile stored(home / "quantorix.ini");
        QCOMPARE(stored.readString("PageSettings", "paper_size"), std::string("11"));
        QCOMPARE(stored.readString("PageSettings", "orientation"), std::string("1"));
        QCOMPARE(stored.readString("PageSettings", "margin_bottom"), std::string("2"));
        QCOMPARE(stored.readString("PageSettings", "header"), std::string("typed")); // read, never written
    }

    void aVeryLongReportShowsItsFirstPartAndSavesWhole()
    {
        TestHome home;
        IniProfile ini(home / "quantorix.ini");
        const fs::path file = writeLongReport(home, 120000);
        QVERIFY(fs::file_size(file) > CReportForm::kShownLimit);
        CReportForm form(file, ini);
        QVERIFY(!form.partNotice()->isHidden());
        QVERIFY(form.partNotice()->text().contains(QStringLiteral("MB")));
        QVERIFY(form.browser()->toPlainText().contains(QStringLiteral("Line 1\n")));
        QVERIFY(!form.browser()->toPlainText().contains(QStringLiteral("Line 120000")));

        CReportForm::setSaveDialog([&home](bool) { return QString::fromStdString((home / "copy.htm").string()); });
        form.runCommand(CReportForm::kSave);
        QCOMPARE(fs::file_size(home / "copy.htm"), fs::file_size(file));
        QUrl opened;
        CReportForm::setUrlOpener([&opened](const QUrl& url) {
            opened = url;
            return true;
        });
        form.runCommand(CReportForm::kOpenInBrowser);
        QVERIFY(form.openedInBrowser());
        QCOMPARE(opened.toLocalFile().toStdString(), file.string());
    }

    // For scripts/screenshot-check: with QX_SCREENSHOT_DIR set, the Create report
    // dialog and the report window with the summary of the demo calls are saved there.
    void screenshots()
    {
        const QString folder = QString::fromUtf8(qgetenv("QX_SCREENSHOT_DIR"));
        if (folder.isEmpty())
            QSKIP("QX_SCREENSHOT_DIR is not set");
        TestHome home;
        copyDemo(home);
        home.writeIni("[ReportLayout]\nLeft=40\nTop=40\nWidth=1100\nHeight=700\nMaximized=0\n");
        TestFrame frame(home);
        frame->show();
        QVERIFY(frame->openFiles(demoCallFiles()));
        const auto shoot = [folder](QWidget* window, const char* name) {
            (void)QTest::qWaitForWindowExposed(window);
            QTest::qWait(300);
            window->grab().save(folder + QLatin1Char('/') + QLatin1String(name) + QStringLiteral(".png"));
        };
        whenOpen<CDlgCreateReport>([shoot](CDlgCreateReport* dialog) {
            dialog->templateCombo()->setCurrentText(QStringLiteral("Summary by employee"));
            dialog->kindButton(ReportSummary)->click();
            shoot(dialog, "create-report");
            whenOpen<CReportForm>([shoot](CReportForm* form) {
                shoot(form, "report-window");
                form->runCommand(CReportForm::kClose);
            });
            dialog->accept();
        });
        frame->runCommand(cmd::kReports);
        QVERIFY(QFile::exists(folder + QStringLiteral("/report-window.png")));
    }
};

QTEST_MAIN(ReportWindowTest)
#include "ReportWindowTest.moc"
