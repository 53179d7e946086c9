// Hand-over of command lines: this test is the running program (an instance
// link and a main window), and starts the built program as the second start.
#include "GuiTestSupport.h"

#include "app/AppResources.h"
#include "app/CMainFrame.h"
#include "app/CallsModel.h"
#include "app/CommandLine.h"
#include "app/FrameProgress.h"
#include "app/InstanceLink.h"
#include "core/DebugLog.h"
#include "core/Locale.h"
#include "lang/StringTable.h"

#include <QLocalSocket>
#include <QMessageBox>
#include <QProcess>
#include <QtTest>

namespace {

const QString kProgram = QStringLiteral(QX_PROGRAM_DIR "/quantorix");

} // namespace

class HandOverTest : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase()
    {
        Locale::pin("en_US");
        appres::registerResources();
        // The lock and the socket live in the temporary folder: keep this test's apart.
        qputenv("TMPDIR", QByteArray::fromStdString(m_temp.path().string()));
        m_home = std::make_unique<TestHome>();
        debuglog::setProgramFolder(m_home->folder());
        m_ini = std::make_unique<IniProfile>(*m_home / "quantorix.ini");
        m_frame = std::make_unique<CMainFrame>(m_home->folder(), *m_ini);
        QVERIFY(m_frame->loadSettings());
        m_frame->resetToNoFiles();
        m_frame->show();
        m_link = std::make_unique<InstanceLink>();
        QVERIFY(m_link->becomeFirst());
        m_link->setReceiver(
            [this](int origin, const QString& text) { return m_frame->receiveCommandLine(origin, text); });
    }

    void cleanupTestCase()
    {
        m_link.reset();
        m_frame.reset();
        m_ini.reset();
        m_home.reset();
    }

    void aSecondLinkIsNotFirst()
    {
        InstanceLink second;
        QVERIFY(!second.becomeFirst());
    }

    void secondStartOpensQuotedUpperCaseFile()
    {
        if (!QFile::exists(kProgram))
            QSKIP("the program is not built");
        m_frame->openFiles({m_home->writeCalls("first.bsl", 50)});
        m_frame->showMinimized();
        const auto path = m_home->writeCalls("SECOND.BSL", 70, 7);
        const int exitCode = runSecondStart(
            {QLatin1Char('"') + QString::fromStdString(path.string()) + QLatin1Char('"')});
        QCOMPARE(exitCode, 0);
        QCOMPARE(m_frame->model()->rowCount(), 70); // in place of the open file
        QCOMPARE(m_frame->session().calls().openFileCount(), std::size_t{1});
        QCOMPARE(m_frame->session().calls().currentFile(), path);
        QVERIFY(!m_frame->isMinimized());
    }

    void secondStartWithoutArgumentsChangesNothing()
    {
        if (!QFile::exists(kProgram))
            QSKIP("the program is not built");
        m_frame->openFiles({m_home->writeCalls("keep.bsl", 30)});
        QCOMPARE(runSecondStart({}), 0);
        QCOMPARE(m_frame->model()->rowCount(), 30);
    }

    void senderEndedWhileTheMessageIsOpen()
    {
        if (!QFile::exists(kProgram))
            QSKIP("the program is not built");
        m_frame->openFiles({m_home->writeCalls("before.bsl", 25)});
        // The second start waits for the answer while "Error opening file!" is open;
        // it is ended before the message is confirmed.
        QProcess second;
        second.setProcessEnvironment(secondEnvironment());
        int shownId = 0;
        QtMessageSink sink;
        sink.setHandler([&](int id, const std::string&, int boxType) {
            shownId = id;
            second.kill();
            second.waitForFinished(10000);
            QTest::qWait(300); // the receiver sees the sender go while the message is open
            return defaultAnswer(boxType);
        });
        second.start(kProgram, {QString::fromStdString((*m_home / "Calls" / "missing.bsl").string())});
        QTRY_COMPARE_WITH_TIMEOUT(shownId, static_cast<int>(sid::kErrorOpeningFile), 30000);
        QTest::qWait(200);
        sink.setHandler({});

        // Still running and still taking hand-overs.
        const auto next = m_home->writeCalls("after.bsl", 35);
        QCOMPARE(runSecondStart({QString::fromStdString(next.string())}), 0);
        QCOMPARE(m_frame->model()->rowCount(), 35);
    }

    void aSenderThatLeavesEarlyIsDropped()
    {
        m_frame->openFiles({m_home->writeCalls("kept.bsl", 15)});
        const auto other = m_home->writeCalls("dropped.bsl", 45);
        // A sender that connects, sends half a request and goes, and one that
        // sends a whole request and goes before the receiver could take it.
        for (const int bytes : {10, InstanceLink::kRequestSize}) {
            QLocalSocket socket;
            socket.connectToServer(InstanceLink::defaultName());
            QVERIFY(socket.waitForConnected(5000));
            FrameProgress busy(m_frame.get(), *m_frame->status(), sid::kStatusLoading, FrameProgress::Events::Hold);
            socket.write(InstanceLink::encodeRequest(1, QString::fromStdString(other.string())).left(bytes));
            QVERIFY(socket.waitForBytesWritten(5000));
            QTest::qWait(150);
            socket.abort();
            QTest::qWait(150);
        }
        QTest::qWait(300); // past the busy receiver's next try
        QCOMPARE(m_frame->model()->rowCount(), 15);
    }

    void relativePathsAreMadeAbsoluteByTheSecondStart()
    {
        if (!QFile::exists(kProgram))
            QSKIP("the program is not built");
        const auto path = m_home->writeCalls("relative.bsl", 55);
        QCOMPARE(runSecondStart({QStringLiteral("relative.bsl")}, QString::fromStdString(path.parent_path().string())),
                 0);
        QCOMPARE(m_frame->model()->rowCount(), 55);
        QCOMPARE(m_frame->session().calls().currentFile(), path);
        QVERIFY(m_frame->windowTitle().endsWith(QString::fromStdString(path.string())));

        // A task's call folder and an output with a folder; a bare output name
        // (the report folder's) and a task file (the program folder's) stay.
        QCOMPARE(absoluteCommandLine(QStringLiteral(
                                         "from=\"today\" to=\"today\" calls=\"Calls\" report=\"R\" out=\"sub\\x\""),
                                     QStringLiteral("/w")),
                 QStringLiteral("from=\"today\" to=\"today\" calls=\"/w/Calls\" report=\"R\" out=\"/w/sub/x\""));
        const QString kept = QStringLiteral("from=\"today\" to=\"today\" calls=\"/c\" report=\"R\" out=\"x\"");
        QCOMPARE(absoluteCommandLine(kept, QStringLiteral("/w")), kept);
        QCOMPARE(absoluteCommandLine(QStringLiteral("@task.txt"), QStringLiteral("/w")), QStringLiteral("@task.txt"));
        QCOMPARE(absoluteCommandLine(QStringLiteral("\"../a.BSL\""), QStringLiteral("/w/v")),
                 QStringLiteral("/w/a.BSL"));
    }

    void refusedWhileADialogIsOpen()
    {
        m_frame->openFiles({m_home->writeCalls("stay.bsl", 20)});
        const auto other = m_home->writeCalls("other.bsl", 40);
        std::optional<bool> answer;
        QMessageBox* box = new QMessageBox(QMessageBox::Information, QStringLiteral("x"), QStringLiteral("open"),
                                           QMessageBox::Ok, m_frame.get());
        QTimer::singleShot(0, box, [&] {
            answer = m_frame->receiveCommandLine(1, QString::fromStdString(other.string()));
            box->accept();
        });
        box->exec();
        delete box;
        QCOMPARE(answer, std::optional<bool>(false));
        QCOMPARE(m_frame->model()->rowCount(), 20);
        QCOMPARE(m_frame->receiveCommandLine(3, QString::fromStdString(other.string())), std::optional<bool>(false));
        QCOMPARE(m_frame->model()->rowCount(), 20);
    }

    void reportTaskFromSecondStartKeepsTheProgram()
    {
        if (!QFile::exists(kProgram))
            QSKIP("the program is not built");
        copyTemplates(*m_home);
        m_home->writeCalls("2025_01.bsl", 400, 3, 31);
        const auto out = *m_home / "january.html";
        const QString task =
            QStringLiteral("from=\"20250101\" to=\"20250131\" calls=\"%1\" report=\"Summary by employee\" out=\"%2\"")
                .arg(QString::fromStdString((*m_home / "Calls").string()), QString::fromStdString(out.string()));
        QCOMPARE(runSecondStart({task}), 0);
        QVERIFY(std::filesystem::exists(out));
        QVERIFY(m_frame->isVisible());
        QCOMPARE(m_frame->model()->rowCount(), 400); // the task's calls stay loaded
    }

    void reportTaskOnOwnCommandLineEndsTheProgram()
    {
        TestHome home;
        MessageLog messages;
        copyTemplates(home);
        home.writeCalls("2025_01.bsl", 100, 4, 31);
        IniProfile ini(home / "quantorix.ini");
        CMainFrame frame(home.folder(), ini);
        QVERIFY(frame.loadSettings());
        frame.resetToNoFiles();
        frame.show();
        const auto out = home / "own.html";
        const QString task =
            QStringLiteral("from=\"20250101\" to=\"20250131\" calls=\"%1\" report=\"Calls per employee\" out=\"%2\"")
                .arg(QString::fromStdString((home / "Calls").string()), QString::fromStdString(out.string()));
        QCOMPARE(frame.receiveCommandLine(2, task), std::optional<bool>(true));
        QVERIFY(std::filesystem::exists(out));
        QTRY_VERIFY(!frame.isVisible());
        QVERIFY(messages.shown().empty());

        // A task with an error shows its message, and the program ends all the same.
        frame.show();
        QCOMPARE(frame.receiveCommandLine(2, QStringLiteral("from=\"20250101\"")), std::optional<bool>(true));
        QCOMPARE(messages.shown().size(), std::size_t{1});
        QCOMPARE(messages.shown()[0].id, static_cast<int>(sid::kMissingArgument));
        QTRY_VERIFY(!frame.isVisible());
    }

private:
    static void copyTemplates(const TestHome& home)
    {
        std::filesystem::copy(std::filesystem::path(QX_PROGRAM_DIR) / "Reports", home / "Reports",
                              std::filesystem::copy_options::recursive);
    }

    QProcessEnvironment secondEnvironment() const
    {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("QUANTORIX_HOME"), QString::fromStdString(m_home->folder().string()));
        return environment;
    }

    int runSecondStart(const QStringList& arguments, const QString& workingFolder = {})
    {
        QProcess second;
        second.setProcessEnvironment(secondEnvironment());
        if (!workingFolder.isEmpty())
            second.setWorkingDirectory(workingFolder);
        second.start(kProgram, arguments);
        if (!second.waitForStarted(10000))
            return -1;
        // Our event loop must run meanwhile: the second start waits for our answer.
        QDeadlineTimer deadline(30000);
        while (second.state() != QProcess::NotRunning && !deadline.hasExpired())
            QTest::qWait(20);
        if (second.state() != QProcess::NotRunning)
            return -1;
        return second.exitStatus() == QProcess::NormalExit ? second.exitCode() : -1;
    }

    TempDir m_temp;
    std::unique_ptr<TestHome> m_home;
    std::unique_ptr<IniProfile> m_ini;
    std::unique_ptr<CMainFrame> m_frame;
    std::unique_ptr<InstanceLink> m_link;
};

QTEST_MAIN(HandOverTest)
#include "HandOverTest.moc"
