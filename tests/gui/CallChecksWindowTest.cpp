// The "Call checks" and "Compare carriers" windows on the main window: the
// commands open them over the shown calls, and double-clicking a rule shows its
// calls until Undo.
#include "GuiTestSupport.h"

#include "app/CDlgCallChecks.h"
#include "app/CDlgCompareCarriers.h"
#include "app/CMainFrame.h"
#include "app/Commands.h"

#include <QTableWidget>
#include <QTreeWidget>
#include <QtTest>

namespace {

struct Frame
{
    explicit Frame(const TestHome& home)
        : ini(home / "quantorix.ini")
        , window(std::make_unique<CMainFrame>(home.folder(), ini))
    {
        window->resize(1000, 600);
        window->loadSettings();
        window->resetToNoFiles();
    }
    IniProfile ini;
    std::unique_ptr<CMainFrame> window;
};

} // namespace

class CallChecksWindowTest : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void ruleShowsItsCallsUntilUndo()
    {
        TestHome home;
        Frame f(home);
        CMainFrame& frame = *f.window;
        CallRecord stranger = makeCall("0301234567", 60);
        stranger.extension = 4711; // not in the directory
        QVERIFY(
            frame.openFiles({home.writeRecords("c.bsl", {makeCall("0301234567", 30), stranger, makeCall("1234567")})}));
        const std::size_t all = frame.session().calls().visible().size();

        QVERIFY(frame.isCommandEnabled(cmd::kCallChecks));
        frame.runCommand(cmd::kCallChecks);
        auto* checks = frame.findChild<CDlgCallChecks*>();
        QVERIFY(checks);
        const auto& found = checks->results()[CheckRule::UnknownExtension];
        QCOMPARE(found.size(), std::size_t{1});
        QCOMPARE(checks->ruleList()->topLevelItem(static_cast<int>(CheckRule::UnknownExtension))->text(2),
                 QStringLiteral("1"));
        checks->showRule(CheckRule::UnknownExtension);
        QCOMPARE(frame.session().calls().visible().size(), std::size_t{1});
        QCOMPARE(frame.session().calls().visibleCall(0).extension, 4711u);

        QVERIFY(frame.isCommandEnabled(cmd::kUndoFilter));
        frame.runCommand(cmd::kUndoFilter);
        QCOMPARE(frame.session().calls().visible().size(), all);
    }

    void compareShowsSixCarriers()
    {
        TestHome home;
        Frame f(home);
        QVERIFY(f.window->openFiles({home.writeCalls("c.bsl", 200)}));
        f.window->runCommand(cmd::kCompareCarriers);
        auto* compare = f.window->findChild<CDlgCompareCarriers*>();
        QVERIFY(compare);
        QCOMPARE(compare->tableWidget()->rowCount(), 6);
        QCOMPARE(compare->table()[0].priced + compare->table()[0].unpriced, std::size_t{200});
    }

    // For scripts/screenshot-check: with QX_SCREENSHOT_DIR set, both windows on
    // generated calls are saved as pictures there.
    void screenshots()
    {
        const QByteArray folder = qgetenv("QX_SCREENSHOT_DIR");
        if (folder.isEmpty())
            QSKIP("QX_SCREENSHOT_DIR is not set");
        TestHome home;
        Frame f(home);
        QVERIFY(f.window->openFiles({home.writeCalls("c.bsl", 2000)}));
        f.window->show();
        for (const int command : {cmd::kCallChecks, cmd::kCompareCarriers}) {
            f.window->runCommand(command);
            QDialog* dialog = command == cmd::kCallChecks
                                  ? static_cast<QDialog*>(f.window->findChild<CDlgCallChecks*>())
                                  : f.window->findChild<CDlgCompareCarriers*>();
            QVERIFY(dialog);
            QVERIFY(QTest::qWaitForWindowExposed(dialog));
            QTest::qWait(200);
            const QString name = command == cmd::kCallChecks ? QStringLiteral("call-checks")
                                                             : QStringLiteral("compare-carriers");
            QVERIFY(dialog->grab().save(QString::fromUtf8(folder) + QLatin1Char('/') + name + QStringLiteral(".png")));
            dialog->close();
            QTest::qWait(50);
        }
    }
};

QTEST_MAIN(CallChecksWindowTest)
#include "CallChecksWindowTest.moc"
