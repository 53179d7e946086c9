// The main window on a test program folder: opening files, the list and its
// sort keys, delimiter lines, colours, totals, find, hiding rows, refresh and
// the layout keys.
#include "GuiTestSupport.h"

#include "app/AppResources.h"
#include "app/CDlgLogin.h"
#include "app/CMainFrame.h"
#include "app/CallsListController.h"
#include "app/CallsModel.h"
#include "app/CallsView.h"
#include "app/Commands.h"
#include "app/FrameProgress.h"
#include "app/StatusPanel.h"
#include "core/DebugLog.h"
#include "core/Locale.h"
#include "filter/SavedFilters.h"
#include "lang/StringTable.h"
#include "lang/gui/QtTranslate.h"

#include <QAbstractButton>
#include <QAbstractItemModelTester>
#include <QClipboard>
#include <QHeaderView>
#include <QLineEdit>
#include <QMenuBar>
#include <QMessageBox>
#include <QScreen>
#include <QToolBar>
#include <QtTest>

namespace {

// A main window on a test program folder, with the settings loaded and no files open.
struct Frame
{
    explicit Frame(const TestHome& home)
        : ini(home / "quantorix.ini")
    {
        debuglog::setProgramFolder(home.folder());
        window = std::make_unique<CMainFrame>(home.folder(), ini);
        window->resize(1000, 600);
        loaded = window->loadSettings();
        window->resetToNoFiles();
    }
    CMainFrame& operator*() { return *window; }

    IniProfile ini;
    std::unique_ptr<CMainFrame> window;
    bool loaded = false;
};

int columnOf(const CallsModel& model, ColumnType type)
{
    for (int c = 0; c < model.columnCount(); ++c)
        if (model.typeAt(c) == type)
            return c;
    return -1;
}

void clickHeader(CMainFrame& frame, ColumnType type)
{
    QHeaderView* header = frame.view()->horizontalHeader();
    const int column = columnOf(*frame.model(), type);
    const QPoint at(header->sectionViewportPosition(column) + header->sectionSize(column) / 2, header->height() / 2);
    QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, at);
}

std::vector<std::uint32_t> durations(const CMainFrame& frame)
{
    std::vector<std::uint32_t> out;
    const CallSession& calls = const_cast<CMainFrame&>(frame).session().calls();
    for (std::size_t row = 0; row < calls.visible().size(); ++row)
        out.push_back(calls.visibleCall(row).duration);
    return out;
}

QString cell(const CMainFrame& frame, int row, ColumnType type)
{
    const CallsModel& model = *frame.model();
    return model.data(model.index(row, columnOf(model, type))).toString();
}

} // namespace

class MainFrameTest : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase()
    {
        Locale::pin("en_US");
        appres::registerResources();
    }

    void startsWithDefaultsWithoutIniFile()
    {
        TestHome home;
        MessageLog messages;
        Frame f(home);
        CMainFrame& frame = *f;
        QCOMPARE(frame.model()->columnCount(), 14);
        QCOMPARE(frame.session().sortKeys().primary.type, ColumnType::Date);
        QCOMPARE(frame.session().sortKeys().secondary.type, ColumnType::Ext);
        QCOMPARE(frame.windowTitle(), QStringLiteral("PBX Call Quantorix Pro"));
        QCOMPARE(frame.status()->countsText(0), QStringLiteral("0 calls"));
        QCOMPARE(frame.status()->message(), QStringLiteral("Press F1 for Help"));
        frame.showAtStart(false);
        QVERIFY(frame.isMaximized());
        QVERIFY(!frame.isCommandEnabled(cmd::kClose));
        QVERIFY(!frame.isCommandEnabled(cmd::kFind));
        QVERIFY(!frame.isCommandEnabled(cmd::kChangeLoginLevel)); // security is off
        QVERIFY(frame.isCommandEnabled(cmd::kOpen));
        QVERIFY(messages.shown().empty());
    }

    void aRunShownOnlyMinimizedWritesNoWindowLayout()
    {
        TestHome home;
        MessageLog messages;
        home.writeIni("[Layout]\nLeft=40\nTop=50\nWidth=700\nHeight=500\nMaximize=1\n");
        {
            Frame f(home);
            (*f).showAtStart(true); // a command line: minimized, as a report task runs
            QVERIFY((*f).isMinimized());
            (*f).close();
        }
        const IniProfile ini(home / "quantorix.ini");
        QCOMPARE(ini.readInt("Layout", "Maximize", -1), 1);
        QCOMPARE(ini.readInt("Layout", "Width", -1), 700);
        {
            Frame f(home);
            (*f).showAtStart(false);
            QVERIFY((*f).isMaximized());
            (*f).showNormal();
            (*f).close();
        }
        QCOMPARE(IniProfile(home / "quantorix.ini").readInt("Layout", "Maximize", -1), 0); // a shown window writes it
    }

    void defaultWidthsShowWholeTextsStoredOnesStay()
    {
        TestHome home;
        MessageLog messages;
        home.writeIni("[List]\nWidth3=50\n");
        Frame f(home);
        CMainFrame& frame = *f;
        frame.openFiles({home.writeRecords("w.bsl", {makeCall("0301234567", 60, 28)})});
        const QFontMetrics metrics(frame.view()->font());
        QHeaderView* header = frame.view()->horizontalHeader();
        const auto widthOf = [&](ColumnType type) { return header->sectionSize(columnOf(*frame.model(), type)); };
        QVERIFY(widthOf(ColumnType::Date) > metrics.horizontalAdvance(cell(frame, 0, ColumnType::Date)) + 6);
        QVERIFY(widthOf(ColumnType::Employee) >= 80 * metrics.averageCharWidth() / 6 - 8);
        QCOMPARE(widthOf(ColumnType::DialedNumber), 50); // as stored
    }

    void disabledToolButtonsLookDisabled()
    {
        TestHome home;
        MessageLog messages;
        Frame f(home);
        const auto meanAlpha = [](const QPixmap& pixmap) {
            const QImage image = pixmap.toImage().convertToFormat(QImage::Format_ARGB32);
            qint64 sum = 0;
            for (int y = 0; y < image.height(); ++y)
                for (int x = 0; x < image.width(); ++x)
                    sum += qAlpha(image.pixel(x, y));
            return static_cast<double>(sum) / std::max<qint64>(1, qint64{image.width()} * image.height());
        };
        auto* toolBar = (*f).findChild<QToolBar*>(QStringLiteral("MainToolBar"));
        QVERIFY(toolBar);
        int checked = 0;
        for (QAction* action : toolBar->actions()) {
            if (commandIdOf(action) == 0)
                continue;
            const QPixmap normal = action->icon().pixmap(16, QIcon::Normal);
            const QPixmap disabled = action->icon().pixmap(16, QIcon::Disabled);
            QVERIFY2(!normal.isNull(), qPrintable(action->text()));
            QVERIFY2(meanAlpha(disabled) < meanAlpha(normal) / 2, qPrintable(action->text()));
            ++checked;
        }
        QCOMPARE(checked, 15); // the filter button is a widget of its own
    }

    void sortGlyphLeavesTheTitleReadable()
    {
        TestHome home;
        MessageLog messages;
        home.writeIni("[CallsSort0]\nType=5\n[List]\nWidth5=64\n");
        Frame f(home);
        CMainFrame& frame = *f;
        auto* header = static_cast<CallsHeader*>(frame.view()->horizontalHeader());
        const int duration = columnOf(*frame.model(), ColumnType::Duration);
        const QFontMetrics metrics(header->font());
        const QString shown = header->shownTitle(duration);
        // Beside the 12-pixel glyph the title is shortened to what fits, never drawn over it.
        QVERIFY(metrics.horizontalAdvance(shown) + 12 <= header->sectionSize(duration));
        QVERIFY(shown.startsWith(QLatin1Char('D')));
        QCOMPARE(header->shownTitle(columnOf(*frame.model(), ColumnType::DialedNumber)),
                 QStringLiteral("Dialed Number"));
    }

    void titleShowsTheAbsolutePath()
    {
        TestHome home;
        MessageLog messages;
        Frame f(home);
        const auto path = home.writeCalls("title.bsl", 5);
        QVERIFY((*f).openFiles({std::filesystem::relative(path)}));
        QCOMPARE((*f).windowTitle(),
                 QStringLiteral("PBX Call Quantorix Pro - ") + QString::fromStdString(path.string()));
    }

    void missingDatabaseStops()
    {
        TestHome home;
        std::filesystem::remove(home / "brisel.dat");
        MessageLog messages;
        IniProfile ini(home / "quantorix.ini");
        CMainFrame frame(home.folder(), ini);
        QVERIFY(!frame.loadSettings());
        QCOMPARE(messages.shown().size(), std::size_t{1});
        QCOMPARE(messages.shown()[0].id, static_cast<int>(sid::kDatabaseMissing));
        QVERIFY(messages.shown()[0].text.find((home / "brisel.dat").string()) != std::string::npos);
    }

    void opensFilesAndSortsByHeaderClicks()
    {
        TestHome home;
        MessageLog messages;
        Frame f(home);
        CMainFrame& frame = *f;
        QAbstractItemModelTester tester(frame.model(), QAbstractItemModelTester::FailureReportingMode::QtTest);
        const auto a = home.writeCalls("a.bsl", 300, 1);
        const auto b = home.writeCalls("b.bsl", 200, 2);
        frame.setFileChooser([&] { return std::vector<std::filesystem::path>{a, b}; });
        frame.show();
        frame.runCommand(cmd::kOpen);
        QCOMPARE(frame.model()->rowCount(), 500);
        QCOMPARE(frame.windowTitle(), QStringLiteral("PBX Call Quantorix Pro - 2 files"));
        QCOMPARE(frame.status()->countsText(0), QStringLiteral("500 calls"));
        QCOMPARE(frame.view()->currentIndex().row(), 0);

        clickHeader(frame, ColumnType::Duration);
        QCOMPARE(frame.session().sortKeys().primary.type, ColumnType::Duration);
        QVERIFY(!frame.session().sortKeys().primary.descending);
        QCOMPARE(frame.session().sortKeys().secondary.type, ColumnType::Date);
        std::vector<std::uint32_t> d1 = durations(frame);
        QVERIFY(std::is_sorted(d1.begin(), d1.end()));

        clickHeader(frame, ColumnType::Duration);
        QVERIFY(frame.session().sortKeys().primary.descending);
        d1 = durations(frame);
        QVERIFY(std::is_sorted(d1.rbegin(), d1.rend()));

        clickHeader(frame, ColumnType::Date);
        const SortKeys keys = frame.session().sortKeys();
        QCOMPARE(keys.primary.type, ColumnType::Date);
        QVERIFY(!keys.primary.descending);
        QCOMPARE(keys.secondary.type, ColumnType::Duration);
        QVERIFY(keys.secondary.descending);
        // Header glyphs: the two sort columns only.
        const CallsModel& model = *frame.model();
        QVERIFY(!model.headerData(columnOf(model, ColumnType::Date), Qt::Horizontal, Qt::DecorationRole)
                     .value<QIcon>()
                     .isNull());
        QVERIFY(!model.headerData(columnOf(model, ColumnType::Duration), Qt::Horizontal, Qt::DecorationRole)
                     .value<QIcon>()
                     .isNull());
        QVERIFY(model.headerData(columnOf(model, ColumnType::Ext), Qt::Horizontal, Qt::DecorationRole)
                    .value<QIcon>()
                    .isNull());
        // Within a day, the secondary key (duration, descending) orders the rows.
        const CallSession& calls = frame.session().calls();
        for (std::size_t row = 1; row < calls.visible().size(); ++row) {
            const CallRecord& p = calls.visibleCall(row - 1);
            const CallRecord& c = calls.visibleCall(row);
            QVERIFY(p.start.dateOnly() <= c.start.dateOnly());
            if (p.start.dateOnly() == c.start.dateOnly())
                QVERIFY(p.duration >= c.duration);
        }
        QVERIFY(messages.shown().empty());

        // The sort keys and column widths are written back when the window closes.
        frame.view()->horizontalHeader()->resizeSection(columnOf(model, ColumnType::Cost), 90);
        frame.close();
        const IniProfile ini(home / "quantorix.ini");
        QCOMPARE(ini.readInt("CallsSort0", "Type", -1), 0);
        QCOMPARE(ini.readInt("CallsSort1", "Type", -1), 5);
        QCOMPARE(ini.readInt("CallsSort1", "Order", -1), 1);
        QCOMPARE(ini.readInt("List", "Width6", -1), 90);
        QCOMPARE(ini.readString("File", "Name"), b.string());
    }

    void delimiterGroups()
    {
        TestHome home;
        MessageLog messages;
        Frame f(home);
        CMainFrame& frame = *f;
        // Sorted by date: a line after the last call of each day.
        frame.openFiles({home.writeRecords("days.bsl", {makeCall("1234567", 10, 3), makeCall("1234568", 20, 3),
                                                        makeCall("1234569", 30, 4)})});
        QVERIFY(!frame.model()->delimiterAfter(0));
        QVERIFY(frame.model()->delimiterAfter(1));
        QVERIFY(!frame.model()->delimiterAfter(2)); // the last row

        frame.openFiles({home.writeRecords("d1.bsl", {makeCall("1234567", 59), makeCall("1234568", 100)})});
        frame.callsList().columnClicked(columnOf(*frame.model(), ColumnType::Duration));
        QVERIFY(frame.model()->delimiterAfter(0));
        frame.openFiles({home.writeRecords("d2.bsl", {makeCall("1234567", 61), makeCall("1234568", 100)})});
        QVERIFY(!frame.model()->delimiterAfter(0));
        QVERIFY(messages.shown().empty());
    }

    void rowColoursAndDestinationTexts()
    {
        TestHome home;
        MessageLog messages;
        Frame f(home);
        CMainFrame& frame = *f;
        frame.openFiles({home.writeRecords("colours.bsl", {makeCall("7654321", 60, 3), makeCall("0099912345", 60, 4),
                                                           makeCall("030123456", 60, 5, 1)})});
        QCOMPARE(frame.model()->rowCount(), 3);
        const CallSession& calls = frame.session().calls();
        const CallRecord& local = calls.visibleCall(0);
        QVERIFY(local.localFlag != 0);
        QCOMPARE(frame.model()->data(frame.model()->index(0, 0), Qt::ForegroundRole).value<QColor>(), QColor(0, 0, 0));
        QCOMPARE(cell(frame, 0, ColumnType::Destination), QString());
        QCOMPARE(calls.visibleCall(1).callType, 2);
        QCOMPARE(calls.visibleCall(1).destinationIndex, -1);
        QCOMPARE(frame.model()->data(frame.model()->index(1, 0), Qt::ForegroundRole).value<QColor>(),
                 QColor(0xDC, 0, 0));
        QCOMPARE(cell(frame, 1, ColumnType::Destination), QStringLiteral("Unknown"));
        QCOMPARE(frame.model()->data(frame.model()->index(2, 0), Qt::ForegroundRole).value<QColor>(),
                 QColor(0, 0x80, 0));
        QVERIFY(!frame.model()->data(frame.model()->index(2, 0), Qt::BackgroundRole).isValid());
        QCOMPARE(frame.session().columns().cellText(calls.visibleCall(2), ColumnType::Direction),
                 std::string("Incoming"));
    }

    void selectionTotals()
    {
        TestHome home;
        MessageLog messages;
        Frame f(home);
        CMainFrame& frame = *f;
        frame.openFiles({home.writeRecords("sel.bsl", {makeCall("1234561", 3600), makeCall("1234562", 61),
                                                       makeCall("1234563", 1), makeCall("1234564", 10)})});
        QCOMPARE(frame.status()->countsText(1), QStringLiteral("1:01:12"));
        frame.view()->selectOnly(0);
        QTRY_COMPARE(frame.status()->countsText(0), QStringLiteral("4 calls"));
        QCOMPARE(frame.status()->countsText(1), QStringLiteral("1:01:12"));

        frame.view()->selectionModel()->select(QItemSelection(frame.model()->index(0, 0), frame.model()->index(2, 0)),
                                               QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
        QTRY_COMPARE(frame.status()->countsText(0), QStringLiteral("4 (3) calls"));
        QCOMPARE(frame.status()->countsText(1), QStringLiteral("1:01:12 (1:01:02)"));
        QVERIFY(frame.status()->countsText(2).contains(QLatin1Char('(')));

        // Another three rows: the sums follow the selection, not only its size.
        frame.view()->selectionModel()->select(QItemSelection(frame.model()->index(1, 0), frame.model()->index(3, 0)),
                                               QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
        QTRY_COMPARE(frame.status()->countsText(1), QStringLiteral("1:01:12 (0:01:12)"));
    }

    void findAndFindNext()
    {
        TestHome home;
        MessageLog messages;
        Frame f(home);
        CMainFrame& frame = *f;
        frame.openFiles({home.writeRecords("find.bsl", {makeCall("5551000"), makeCall("5552000"), makeCall("5551000"),
                                                        makeCall("7771000")})});
        frame.view()->clearSelection();
        frame.find({QStringLiteral("555*000"), true, true}); // Cursor without a selection: from the top
        QCOMPARE(frame.view()->currentIndex().row(), 0);
        frame.runCommand(cmd::kFindNext);
        QCOMPARE(frame.view()->currentIndex().row(), 1);
        QCOMPARE(frame.view()->selectedRowCount(), 1);
        frame.runCommand(cmd::kFindNext);
        QCOMPARE(frame.view()->currentIndex().row(), 2);
        QVERIFY(messages.shown().empty());
        frame.runCommand(cmd::kFindNext);
        QCOMPARE(messages.shown().size(), std::size_t{1});
        QCOMPARE(messages.shown()[0].id, static_cast<int>(sid::kNumberNotFound));
        frame.runCommand(cmd::kFindNext); // reports again until a new search
        QCOMPARE(messages.shown().size(), std::size_t{2});

        // Exact match from the cursor: starts after the selected row.
        frame.view()->selectOnly(0);
        frame.find({QStringLiteral("5551000"), true, true});
        QCOMPARE(frame.view()->currentIndex().row(), 2);
        frame.find({QStringLiteral("555"), false, true});
        QCOMPARE(messages.shown().size(), std::size_t{3});
    }

    void hideSelectedRows()
    {
        TestHome home;
        MessageLog messages;
        Frame f(home);
        CMainFrame& frame = *f;
        QAbstractItemModelTester tester(frame.model(), QAbstractItemModelTester::FailureReportingMode::QtTest);
        frame.openFiles(
            {home.writeRecords("hide.bsl", {makeCall("1000001", 1), makeCall("1000002", 2), makeCall("1000003", 4),
                                            makeCall("1000004", 8), makeCall("1000005", 16)})});
        frame.view()->selectionModel()->select(QItemSelection(frame.model()->index(1, 0), frame.model()->index(3, 0)),
                                               QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
        QTRY_VERIFY(frame.isCommandEnabled(cmd::kHideSelected));
        frame.show();
        QTest::keyClick(frame.view(), Qt::Key_Delete);
        QCOMPARE(frame.model()->rowCount(), 2);
        QCOMPARE(durations(frame), (std::vector<std::uint32_t>{1, 16}));
        QCOMPARE(frame.status()->countsText(1), QStringLiteral("0:00:17"));
        QCOMPARE(frame.view()->selectedRowCount(), 0);
    }

    void quickFiltersThenUndo()
    {
        TestHome home;
        MessageLog messages;
        Frame f(home);
        CMainFrame& frame = *f;
        CallRecord other = makeCall("7000003", 30, 3);
        other.extension = 102;
        frame.openFiles(
            {home.writeRecords("quick.bsl", {makeCall("7000001", 10, 3), makeCall("7000002", 20, 4), other})});
        QCOMPARE(frame.model()->rowCount(), 3);
        QVERIFY(!frame.isCommandEnabled(cmd::kUndoFilter));
        QVERIFY(!frame.isCommandEnabled(cmd::kQuickExtension)); // no current call yet

        frame.prepareContextMenu(0); // extension 101 on the 3rd
        QVERIFY(frame.isCommandEnabled(cmd::kQuickExtension));
        frame.runCommand(cmd::kQuickExtension);
        QCOMPARE(frame.model()->rowCount(), 2);
        frame.prepareContextMenu(0);
        frame.runCommand(cmd::kQuickDate);
        QCOMPARE(frame.model()->rowCount(), 1);
        QCOMPARE(frame.status()->countsText(0), QStringLiteral("1 calls"));
        QVERIFY(frame.isCommandEnabled(cmd::kClearFilter));

        frame.runCommand(cmd::kUndoFilter); // back to the extension alone
        QCOMPARE(frame.model()->rowCount(), 2);
        frame.runCommand(cmd::kUndoFilter); // back to the default filter
        QCOMPARE(frame.model()->rowCount(), 3);
        QVERIFY(!frame.isCommandEnabled(cmd::kUndoFilter));
        QVERIFY(!frame.isCommandEnabled(cmd::kClearFilter));
    }

    void hideRowsThenUndo()
    {
        TestHome home;
        MessageLog messages;
        Frame f(home);
        CMainFrame& frame = *f;
        frame.openFiles({home.writeRecords("undo.bsl", {makeCall("7100001", 1), makeCall("7100002", 2),
                                                        makeCall("7100003", 4), makeCall("7100004", 8)})});
        frame.view()->selectionModel()->select(QItemSelection(frame.model()->index(0, 0), frame.model()->index(2, 0)),
                                               QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
        QTRY_VERIFY(frame.isCommandEnabled(cmd::kHideSelected));
        frame.runCommand(cmd::kHideSelected);
        QCOMPARE(frame.model()->rowCount(), 1);
        QVERIFY(frame.isCommandEnabled(cmd::kUndoFilter));
        frame.runCommand(cmd::kUndoFilter);
        QCOMPARE(frame.model()->rowCount(), 4);
        QCOMPARE(frame.status()->countsText(1), QStringLiteral("0:00:15"));
        QVERIFY(frame.session().undoStack().empty());
        QVERIFY(!frame.isCommandEnabled(cmd::kUndoFilter));
    }

    void savedFiltersInTheMenus()
    {
        TestHome home;
        MessageLog messages;
        SavedFilterList saved(31);
        for (std::size_t i = 0; i < saved.size(); ++i) {
            saved[i].setName("Extension " + std::to_string(100 + i));
            saved[i].filter.extensionOn = 1;
            saved[i].filter.extensions.setSingle(static_cast<std::int32_t>(100 + i));
        }
        QVERIFY(savedfilters::save(home.folder(), saved));
        Frame f(home);
        CMainFrame& frame = *f;
        QAction* applyPopup = nullptr;
        for (QAction* top : frame.menuBar()->actions())
            for (QAction* item : top->menu()->actions())
                if (item->menu() && item->menu()->actions().isEmpty())
                    applyPopup = item;
        QVERIFY(applyPopup);
        frame.updateCommandStates();
        QVERIFY(applyPopup->isEnabled());
        Q_EMIT applyPopup->menu()->aboutToShow();
        QCOMPARE(applyPopup->menu()->actions().size(), 30); // only the first 30
        QCOMPARE(applyPopup->menu()->actions().front()->text(), QStringLiteral("Extension 100"));
        QCOMPARE(commandIdOf(applyPopup->menu()->actions().back()), cmd::kSavedFilterFirst + 29);
        QVERIFY(!applyPopup->menu()->actions().front()->isEnabled()); // no calls loaded

        CallRecord other = makeCall("7200002");
        other.extension = 102;
        frame.openFiles({home.writeRecords("saved.bsl", {makeCall("7200001"), other})});
        frame.runCommand(cmd::kSavedFilterFirst + 2); // "Extension 102"
        QCOMPARE(frame.model()->rowCount(), 1);
        QCOMPARE(frame.session().calls().visibleCall(0).extension, 102u);
        frame.runCommand(cmd::kClearFilter);
        QCOMPARE(frame.model()->rowCount(), 2);
    }

    void loginAsksUntilAPasswordFits()
    {
        MessageLog messages;
        SettingsHeader header;
        header.loginRequired = 1;
        header.passwords[0].assign("root");
        header.passwords[2].assign("boss");
        header.managerEnabled = 1;
        // Types the next answer into each login dialog as it opens; an empty one cancels.
        std::vector<QString> answers{QStringLiteral("Boss"), QStringLiteral("boss")};
        QStringList shownWith;
        QTimer typist;
        QObject::connect(&typist, &QTimer::timeout, [&] {
            auto* dialog = qobject_cast<CDlgLogin*>(QApplication::activeModalWidget());
            if (!dialog)
                return;
            shownWith.append(dialog->password());
            if (answers.empty()) {
                dialog->reject();
                return;
            }
            dialog->setPassword(answers.front());
            answers.erase(answers.begin());
            dialog->accept();
        });
        typist.start(10);
        QCOMPARE(CDlgLogin::run(nullptr, header), std::optional<int>(2));
        QCOMPARE(messages.shown().size(), std::size_t{1});
        QCOMPARE(messages.shown()[0].id, static_cast<int>(sid::kInvalidPassword));
        QCOMPARE(shownWith, (QStringList{QString(), QStringLiteral("Boss")})); // shown again with the typed text
        QCOMPARE(CDlgLogin::run(nullptr, header), std::nullopt);               // Cancel
        header.loginRequired = 0;
        QCOMPARE(CDlgLogin::run(nullptr, header), std::optional<int>(0)); // no dialog at all
    }

    void commandLevels()
    {
        TestHome home;
        MessageLog messages;
        Frame f(home);
        CMainFrame& frame = *f;
        frame.openFiles({home.writeCalls("levels.bsl", 20)});
        frame.view()->selectOnly(0);
        QTRY_VERIFY(frame.isCommandEnabled(cmd::kHideSelected));
        frame.session().setLoginLevel(2); // Manager
        QVERIFY(frame.isCommandEnabled(cmd::kHideSelected));
        QVERIFY(frame.isCommandEnabled(cmd::kSaveAs));
        frame.session().setLoginLevel(3); // Operator
        QVERIFY(!frame.isCommandEnabled(cmd::kHideSelected));
        QVERIFY(!frame.isCommandEnabled(cmd::kSaveAs));
        QVERIFY(frame.isCommandEnabled(cmd::kFind));
    }

    void refreshRulesAndAppendedCalls()
    {
        TestHome home;
        MessageLog messages;
        Frame f(home);
        CMainFrame& frame = *f;
        const auto one = home.writeRecords("one.bsl", {makeCall("1000001", 5)});
        const auto two = home.writeRecords("two.bsl", {makeCall("1000002", 6)});
        frame.openFiles({one, two});
        QVERIFY(!frame.isCommandEnabled(cmd::kRefresh));
        QVERIFY(!frame.isCommandEnabled(cmd::kAutoRefresh));
        QVERIFY(!frame.callsList().autoRefreshRunning());
        frame.runCommand(cmd::kAutoRefresh);
        QVERIFY(!frame.callsList().autoRefreshRunning());

        frame.openFiles({one});
        QCOMPARE(frame.windowTitle(),
                 QStringLiteral("PBX Call Quantorix Pro - ") + QString::fromStdString(one.string()));
        QVERIFY(frame.callsList().autoRefreshRunning()); // Prefs "Refresh" is on by default
        QVERIFY(frame.isCommandChecked(cmd::kAutoRefresh));
        frame.runCommand(cmd::kAutoRefresh);
        QVERIFY(!frame.callsList().autoRefreshRunning());
        home.writeRecords("one.bsl", {makeCall("1000003", 7), makeCall("1000004", 8)}, true);
        frame.runCommand(cmd::kRefresh);
        QCOMPARE(frame.model()->rowCount(), 3);
        QCOMPARE(frame.status()->countsText(0), QStringLiteral("3 calls"));

        // A file gone: by hand the message, by the timer the timer stops silently.
        std::filesystem::remove(one);
        frame.callsList().refresh(false);
        QCOMPARE(messages.shown().size(), std::size_t{1});
        frame.runCommand(cmd::kAutoRefresh);
        QVERIFY(frame.callsList().autoRefreshRunning());
        frame.callsList().refresh(true);
        QVERIFY(!frame.callsList().autoRefreshRunning());
        QCOMPARE(messages.shown().size(), std::size_t{1});

        frame.runCommand(cmd::kClose);
        QCOMPARE(frame.model()->rowCount(), 0);
        QCOMPARE(frame.windowTitle(), QStringLiteral("PBX Call Quantorix Pro"));
    }

    void saveAsWritesTheCallsButNotOverAnOpenFile()
    {
        TestHome home;
        MessageLog messages;
        Frame f(home);
        CMainFrame& frame = *f;
        const auto open = home.writeCalls("open.bsl", 25);
        frame.openFiles({open});
        std::filesystem::path target = home / "copy";
        frame.setSaveChooser([&] { return target; });
        frame.runCommand(cmd::kSaveAs);
        QCOMPARE(std::filesystem::file_size(home / "copy.bsl"), std::uintmax_t{25 * 64}); // the extension added
        QVERIFY(messages.shown().empty());
        // Onto the open file: refused before any question about replacing it.
        target = open;
        frame.runCommand(cmd::kSaveAs);
        QCOMPARE(messages.shown().size(), std::size_t{1});
        QCOMPARE(messages.shown()[0].id, static_cast<int>(sid::kOverwritePrimaryCalls));
        target = home / "Calls" / "." / "open.bsl";
        frame.runCommand(cmd::kSaveAs);
        QCOMPARE(messages.shown().size(), std::size_t{2});
        QCOMPARE(messages.shown()[1].id, static_cast<int>(sid::kOverwritePrimaryCalls));
        target = home / "no-such-folder" / "x.bsl";
        frame.runCommand(cmd::kSaveAs);
        QCOMPARE(messages.shown().size(), std::size_t{3});
        QCOMPARE(messages.shown()[2].id, static_cast<int>(sid::kErrorSavingFile));

        // Another existing file is asked about; No keeps it.
        target = home / "copy.bsl";
        TestHome::writeBytes(target, "x", 1);
        QtMessageSink answerNo;
        answerNo.setHandler([](int, const std::string&, int) { return mb::kIdNo; });
        frame.runCommand(cmd::kSaveAs);
        QCOMPARE(std::filesystem::file_size(target), std::uintmax_t{1});
    }

    void preferencesTakenOver()
    {
        TestHome home;
        MessageLog messages;
        Frame f(home);
        CMainFrame& frame = *f;
        frame.openFiles({home.writeRecords("prefs.bsl", {makeCall("7300001", 10, 3), makeCall("7300002", 20, 4)})});
        QVERIFY(frame.model()->delimiterAfter(0));
        Preferences prefs = frame.session().prefs();
        prefs.delimiters = false;
        prefs.extensionFormat = 4; // five digits
        ListLayout columns = frame.callsList().columns();
        columns.columns = 3;
        std::swap(columns.types[0], columns.types[2]); // Ext first
        frame.takePreferences(prefs, columns);
        QCOMPARE(frame.model()->columnCount(), 3);
        QCOMPARE(frame.model()->typeAt(0), ColumnType::Ext);
        QCOMPARE(cell(frame, 0, ColumnType::Ext), QStringLiteral("00101"));
        QVERIFY(!frame.model()->delimiterAfter(0));
        QCOMPARE(IniProfile(home / "quantorix.ini").readInt("Prefs", "Delimiters", 1), 0); // written at once
        QCOMPARE(frame.model()->rowCount(), 2);
    }

    void openFailuresShowTheirMessages()
    {
        TestHome home;
        MessageLog messages;
        Frame f(home);
        CMainFrame& frame = *f;
        const auto good = home.writeCalls("good.bsl", 10);
        const auto bad = home / "Calls/bad.bsl";
        TestHome::writeBytes(bad, "12345", 5);
        QVERIFY(!frame.openFiles({good, bad}));
        QCOMPARE(messages.shown().size(), std::size_t{1});
        QCOMPARE(messages.shown()[0].id, static_cast<int>(sid::kLoadingFailedCorrupt));
        QCOMPARE(frame.model()->rowCount(), 0); // everything of this open is dropped
        QVERIFY(!frame.openFiles({home / "Calls/none.bsl"}));
        QCOMPARE(messages.shown()[1].id, static_cast<int>(sid::kErrorOpeningFile));
    }

    void progressBarFromThousandRecords()
    {
        TestHome home;
        MessageLog messages;
        Frame f(home);
        CMainFrame& frame = *f;
        frame.show();
        for (const auto& [count, visible] : {std::pair{999, false}, std::pair{1000, true}}) {
            const auto path = home.writeCalls("p" + std::to_string(count) + ".bsl", static_cast<std::size_t>(count));
            bool seen = false;
            QString text, previousTotals;
            // Runs inside the loader's first step, which lets pending events through.
            QTimer::singleShot(0, &frame, [&] {
                seen = frame.status()->progressVisible();
                text = frame.status()->message();
                previousTotals = frame.status()->countsText(0);
            });
            QVERIFY(frame.openFiles({path}));
            QCOMPARE(seen, visible);
            QCOMPARE(text, QStringLiteral("Loading..."));
            QCOMPARE(previousTotals, QString()); // not the totals of the file open before
            QVERIFY(!frame.status()->progressVisible());
            QCOMPARE(frame.status()->message(), QStringLiteral("Press F1 for Help"));
        }
        // The counted loop ends before the sorting: the operation's name stays until the end.
        {
            FrameProgress progress(&frame, *frame.status(), sid::kStatusLoading);
            progress.begin(5000);
            progress.end();
            QVERIFY(!frame.status()->progressVisible());
            QCOMPARE(frame.status()->message(), QStringLiteral("Loading..."));
        }
        QCOMPARE(frame.status()->message(), QStringLiteral("Press F1 for Help"));
    }

    void aTaskErrorIsNotShownAsStillCreating()
    {
        TestHome home;
        Frame f(home);
        CMainFrame& frame = *f;
        frame.show();
        QtMessageSink boxes; // real message boxes
        QString statusWhileOpen, title;
        int boxWidth = 0;
        QTimer closer;
        connect(&closer, &QTimer::timeout, &frame, [&] {
            if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
                statusWhileOpen = frame.status()->message();
                title = box->windowTitle();
                boxWidth = box->width();
                box->accept();
            }
        });
        closer.start(20);
        QCOMPARE(frame.receiveCommandLine(1, QStringLiteral("from=\"20250101\"")), std::optional<bool>(true));
        QCOMPARE(statusWhileOpen, QStringLiteral("Press F1 for Help"));
        // The box is wide enough for its title, the program's name.
        QCOMPARE(title, QStringLiteral("PBX Call Quantorix Pro"));
        QVERIFY(boxWidth > QFontMetrics(QApplication::font("QMdiSubWindowTitleBar")).horizontalAdvance(title) + 100);
    }

    void escapeAbortsLoading()
    {
        TestHome home;
        MessageLog messages;
        Frame f(home);
        CMainFrame& frame = *f;
        frame.show();
        frame.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&frame));
        const auto path = home.writeCalls("big.bsl", 20000);
        QTimer::singleShot(0, &frame, [&] { QTest::keyClick(frame.view(), Qt::Key_Escape); });
        QVERIFY(!frame.openFiles({path}));
        QCOMPARE(frame.model()->rowCount(), 0);
        QCOMPARE(frame.session().calls().openFileCount(), std::size_t{0});
        QVERIFY(messages.shown().empty()); // the user's own abort needs no message
    }

    void busyWindowIgnoresInputButMessagesTakeAnswers()
    {
        TestHome home;
        QtMessageSink boxes; // real message boxes
        Frame f(home);
        CMainFrame& frame = *f;
        frame.show();
        frame.openFiles({home.writeCalls("busy.bsl", 10)});
        QCOMPARE(frame.view()->currentIndex().row(), 0);
        FrameProgress progress(&frame, *frame.status(), sid::kStatusLoading);
        QVERIFY(FrameProgress::busy());
        const int y = frame.view()->rowViewportPosition(3) + 2;
        QTest::mouseClick(frame.view()->viewport(), Qt::LeftButton, {}, QPoint(20, y));
        QCOMPARE(frame.view()->currentIndex().row(), 0); // the click did not reach the list

        // A box shown meanwhile is answered from the keyboard (Escape: No); should the
        // key not arrive, the fallback presses Yes.
        QTimer::singleShot(50, &frame, [] {
            if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget()))
                QTest::keyClick(box, Qt::Key_Escape);
        });
        QTimer::singleShot(2000, &frame, [] {
            if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget()))
                box->button(QMessageBox::Yes)->click();
        });
        QCOMPARE(MessageById(sid::kNetworkDatabaseMissing, mb::kYesNo, {"x"}), mb::kIdNo);
    }

    void modelFormatsOnlyRowsOnScreen()
    {
        TestHome home;
        MessageLog messages;
        Frame f(home);
        CMainFrame& frame = *f;
        frame.resize(900, 500);
        frame.show();
        QVERIFY(QTest::qWaitForWindowExposed(&frame));
        QVERIFY(frame.openFiles({home.writeCalls("many.bsl", 50000)}));
        frame.model()->takeFormatCount();
        frame.view()->viewport()->repaint();
        const int rowsOnScreen = frame.view()->viewport()->height()
                                     / frame.view()->verticalHeader()->defaultSectionSize()
                                 + 2;
        const std::uint64_t formatted = frame.model()->takeFormatCount();
        QVERIFY(formatted > 0);
        QVERIFY2(formatted <= static_cast<std::uint64_t>(rowsOnScreen * frame.model()->columnCount()),
                 qPrintable(QStringLiteral("%1 cells for %2 rows").arg(formatted).arg(rowsOnScreen)));
    }

    void homeAndEndMoveThroughTheRows()
    {
        TestHome home;
        MessageLog messages;
        Frame f(home);
        CMainFrame& frame = *f;
        frame.show();
        frame.openFiles({home.writeCalls("keys.bsl", 60)});
        CallsView* view = frame.view();
        view->setFocus();
        view->selectOnly(20);
        QTest::keyClick(view, Qt::Key_End);
        QCOMPARE(view->currentIndex().row(), 59);
        QCOMPARE(view->selectedRowNumbers(), std::vector<int>{59});
        QTest::keyClick(view, Qt::Key_Home);
        QCOMPARE(view->currentIndex().row(), 0);
        const auto clickRow = [view](int row) {
            view->scrollTo(view->model()->index(row, 0));
            QTest::mouseClick(view->viewport(), Qt::LeftButton, {},
                              view->visualRect(view->model()->index(row, 0)).center());
            QCOMPARE(view->currentIndex().row(), row);
        };
        clickRow(5);
        QTest::keyClick(view, Qt::Key_Home, Qt::ShiftModifier);
        QCOMPARE(view->selectedRowCount(), 6);
        clickRow(57);
        QTest::keyClick(view, Qt::Key_End, Qt::ShiftModifier);
        QCOMPARE(view->selectedRowCount(), 3);
        QTest::keyClick(view, Qt::Key_Home, Qt::ControlModifier);
        QCOMPARE(view->currentIndex().row(), 0);
    }

    void debugLogOnlyWhenSwitchedOn()
    {
        for (const bool on : {false, true}) {
            TestHome home;
            if (on)
                home.writeIni("[Debug]\nLog=1\n");
            MessageLog messages;
            Frame f(home);
            (*f).openFiles({home.writeCalls("log.bsl", 5)});
            QCOMPARE(std::filesystem::exists(home / "debug.txt"), on);
        }
    }

    void contextMenuCommands()
    {
        TestHome home;
        MessageLog messages;
        Frame f(home);
        CMainFrame& frame = *f;
        frame.openFiles({home.writeRecords("ctx.bsl", {makeCall("0301234567"), makeCall("")})});
        QMenu* menu = frame.prepareContextMenu(0);
        QVERIFY(menu);
        QCOMPARE(frame.session().currentCall(), &frame.session().calls().visibleCall(0));
        QVERIFY(frame.isCommandEnabled(cmd::kDialNumber));
        QVERIFY(frame.isCommandEnabled(cmd::kAddEditEmployee));
        frame.session().setLoginLevel(login::kManager);
        QVERIFY(!frame.isCommandEnabled(cmd::kAddEditEmployee)); // Supervisor and up
        frame.session().setLoginLevel(login::kAdministrator);
        frame.runCommand(cmd::kDialNumber);
        QCOMPARE(QGuiApplication::clipboard()->text(), cell(frame, 0, ColumnType::DialedNumber));
        QVERIFY(frame.status()->message().contains(cell(frame, 0, ColumnType::DialedNumber))); // said, not silent
        frame.prepareContextMenu(1);
        QVERIFY(!frame.isCommandEnabled(cmd::kDialNumber)); // no number
        frame.prepareContextMenu(-1);
        QCOMPARE(frame.session().currentCall(), nullptr);
        QVERIFY(!frame.isCommandEnabled(cmd::kDialNumber));
    }
};

QTEST_MAIN(MainFrameTest)
#include "MainFrameTest.moc"
