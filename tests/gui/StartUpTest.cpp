// The program's start-up as a whole: the arguments, the first and a second
// start, a missing settings database and an own command line too long to take.
#include "GuiTestSupport.h"

#include "app/CMainFrame.h"
#include "app/CallsModel.h"
#include "app/QuantorixApp.h"
#include "core/Locale.h"

#include <QAbstractButton>
#include <QMessageBox>
#include <QtTest>

#include <array>
#include <filesystem>
#include <fstream>

namespace {

// Answers every message box as it opens with its default button, keeping its text.
class BoxAnswerer
{
public:
    BoxAnswerer()
    {
        QObject::connect(&m_timer, &QTimer::timeout, [this] {
            if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
                m_texts.append(box->text());
                box->button(box->standardButtons() & QMessageBox::Yes ? QMessageBox::Yes : QMessageBox::Ok)->click();
            }
        });
        m_timer.start(20);
    }
    const QStringList& texts() const { return m_texts; }

private:
    QTimer m_timer;
    QStringList m_texts;
};

} // namespace

class StartUpTest : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase()
    {
        Locale::pin("en_US");
        qputenv("TMPDIR", QByteArray::fromStdString(m_temp.path().string()));
    }

    void argumentsMakeTheCommandLine()
    {
        const QuantorixApp app({QStringLiteral("--home"), QStringLiteral("/somewhere"),
                                QStringLiteral("from=\"today\""), QStringLiteral("to=\"today\"")});
        QCOMPARE(app.commandLine(), QStringLiteral("from=\"today\" to=\"today\""));
        QCOMPARE(QuantorixApp({QStringLiteral("--home=/x")}).commandLine(), QString());
    }

    void missingDatabaseEndsTheStart()
    {
        TestHome home;
        std::filesystem::remove(home / "brisel.dat");
        BoxAnswerer boxes;
        QuantorixApp app({QStringLiteral("--home"), QString::fromStdString(home.folder().string())});
        QCOMPARE(app.start(), QuantorixApp::Start::Failed);
        QCOMPARE(boxes.texts().size(), 1);
        QVERIFY(boxes.texts().front().startsWith(QStringLiteral("Database is missing or corrupt.")));
    }

    void databaseTooLargeForMemorySaysSo()
    {
        TestHome home;
        const std::filesystem::path file = home / "brisel.dat";
        std::fstream data(file, std::ios::in | std::ios::out | std::ios::binary);
        std::array<unsigned char, 4> count{};
        data.seekg(892); // the contacts' count
        data.read(reinterpret_cast<char*>(count.data()), 4);
        const std::uint64_t had = count[0] | count[1] << 8 | count[2] << 16 | std::uint64_t{count[3]} << 24;
        data.seekp(892);
        data.write("\xFF\xFF\xFF\xFF", 4);
        data.close();
        // As long as four billion contacts need (sparse): consistent, but beyond memory.
        std::filesystem::resize_file(file, std::filesystem::file_size(file) + (0xFFFFFFFFu - had) * 128);
        BoxAnswerer boxes;
        QuantorixApp app({QStringLiteral("--home"), QString::fromStdString(home.folder().string())});
        QCOMPARE(app.start(), QuantorixApp::Start::Failed);
        QCOMPARE(boxes.texts().size(), 1);
        QVERIFY(boxes.texts().front().startsWith(QStringLiteral("Not enough memory to load the file!")));
    }

    void firstStartThenASecondOne()
    {
        TestHome home;
        const QString folder = QString::fromStdString(home.folder().string());
        BoxAnswerer boxes;
        QuantorixApp first({QStringLiteral("--home"), folder, QString(300, QLatin1Char('x')) + QStringLiteral(".bsl")});
        QCOMPARE(first.start(), QuantorixApp::Start::Run);
        // The own command line is refused whole, not cut to a file name that happens to exist.
        QCOMPARE(boxes.texts().size(), 1);
        QVERIFY(boxes.texts().front().startsWith(QStringLiteral("The command line is too long!")));
        QVERIFY(first.frame());
        QCOMPARE(first.frame()->model()->rowCount(), 0);
        QVERIFY(first.frame()->isVisible());

        QuantorixApp second({QStringLiteral("--home"), folder});
        QCOMPARE(second.start(), QuantorixApp::Start::SecondStart);
        QVERIFY(!second.frame());
        QCOMPARE(boxes.texts().size(), 1);
    }

private:
    TempDir m_temp;
};

QTEST_MAIN(StartUpTest)
#include "StartUpTest.moc"
