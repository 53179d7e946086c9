// The filter editor through the main window: a filter built on the pages
// applies as the same record through the engine, Cancel, saved filters across
// a restart, the "Save / Load" page by login level, and the refusal of range
// lists and numbers typed wrongly.
#include "FrameFixture.h"

#include "app/Commands.h"
#include "filter/RangeText.h"
#include "filter/gui/CDlgFTSaveAs.h"
#include "filter/gui/CPageFTDate.h"
#include "filter/gui/CPageFTLine.h"
#include "filter/gui/CPageFTSave.h"
#include "filter/gui/CPageFTType.h"
#include "filter/gui/CSheetFE.h"
#include "lang/StringIds.h"
#include "lang/StringTable.h"
#include "ui/ModalRunner.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QLineEdit>
#include <QMenu>
#include <QTimeEdit>
#include <QToolButton>
#include <QtTest>

#include <algorithm>
#include <set>

namespace {

using Frame = TestFrame;

enum class Press { Ok, Cancel };

// Runs the filter editor with `work` done on the open sheet, then presses OK or
// Cancel. A "Save Filter As" dialog opened meanwhile takes `saveAsName`.
// Returns whether the sheet closed with OK.
bool runEditor(CMainFrame& frame, Press press, const std::function<void(CSheetFE&)>& work,
               const QString& saveAsName = {})
{
    bool accepted = false;
    const ModalOverride handler([&](QDialog& dialog) {
        if (auto* saveAs = qobject_cast<CDlgFTSaveAs*>(&dialog)) {
            saveAs->nameEdit()->setText(saveAsName);
            return int(QDialog::Accepted);
        }
        auto* sheet = qobject_cast<CSheetFE*>(&dialog);
        if (!sheet)
            return int(QDialog::Rejected);
        work(*sheet);
        if (press == Press::Ok)
            sheet->accept(); // a refusing page keeps the sheet open
        else
            sheet->reject();
        accepted = sheet->result() == QDialog::Accepted;
        return sheet->result();
    });
    frame.runCommand(cmd::kFilter);
    return accepted;
}

std::set<std::uint32_t> visibleSet(const MainSession& session)
{
    const auto rows = session.calls().visible();
    return {rows.begin(), rows.end()};
}

// The calls the engine lets through `filter`.
std::set<std::uint32_t> engineSet(const MainSession& session, const FilterRecord& filter)
{
    std::set<std::uint32_t> out;
    for (std::size_t i = 0; i < session.calls().count(); ++i)
        if (!filter.isActive() || filter.accept(session.calls().call(i), session.settings()))
            out.insert(static_cast<std::uint32_t>(i));
    return out;
}

} // namespace

class FilterEditorTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void filterBuiltOnEveryPageAppliesAsTheEngineRecord()
    {
        TestHome home;
        MessageLog messages;
        Frame frame(home);
        QVERIFY(frame->openFiles({home.writeCalls("demo.bsl", 3000)}));
        MainSession& session = frame->session();
        const CallRecord& first = session.calls().call(0);
        const int extension = first.extension;

        FilterRecord expected = session.prepareFilterEditor().filter;
        const bool ok = runEditor(*frame.window, Press::Ok, [&](CSheetFE& sheet) {
            sheet.selectPage(0);
            sheet.typePage()->international()->setChecked(false);
            sheet.typePage()->incoming()->setChecked(false);
            QVERIFY2(sheet.selectPage(1), "type page left");
            CPageFTDate* date = sheet.datePage();
            date->durationOn()->click();
            date->minDuration()->setText(QStringLiteral("30"));
            date->fromOn()->click();
            date->fromDate()->setDate(QDate(2025, 1, 10));
            date->fromTime()->setTime(QTime(8, 0));
            QVERIFY(sheet.selectPage(2));
            CPageFTLine* line = sheet.linePage();
            line->extensionOn()->click();
            line->extension()->setEditText(QStringLiteral("%1-%2,-5").arg(extension).arg(extension + 40));
        });
        QVERIFY(ok);

        expected.includeInternational = 0;
        expected.includeIncoming = 0;
        expected.durationOn = 1;
        expected.minDuration = 30;
        expected.fromOn = 1;
        expected.from = CallDate{2025, 1, 10, 8, 0};
        expected.extensionOn = 1;
        expected.extensions = rangetext::parse(std::to_string(extension) + "-" + std::to_string(extension + 40)
                                               + ",-5");
        QCOMPARE(session.currentFilter().bytes(), expected.bytes());
        const std::set<std::uint32_t> shown = visibleSet(session);
        QVERIFY(!shown.empty() && shown.size() < session.calls().count());
        QVERIFY(shown == engineSet(session, expected));
        QCOMPARE(session.undoStack().size(), std::size_t{1});
        QCOMPARE(frame.ini.readInt("LastPage", "Filter", -1), 2);
        QVERIFY(messages.shown().empty());

        // Reopened, the pages show the filter again and write it back unchanged.
        QVERIFY(runEditor(*frame.window, Press::Ok, [&](CSheetFE& sheet) {
            QCOMPARE(sheet.activeIndex(), 2);
            QCOMPARE(sheet.linePage()->extension()->currentText(),
                     QString::fromStdString(rangetext::formatExtensions(expected.extensions, session.prefs())));
            sheet.selectPage(1);
            QCOMPARE(sheet.datePage()->minDuration()->text(), QStringLiteral("30"));
            QVERIFY(!sheet.datePage()->maxDuration()->isEnabled() == !sheet.datePage()->durationOn()->isChecked());
            sheet.selectPage(0);
            QVERIFY(!sheet.typePage()->incoming()->isChecked());
        }));
        QCOMPARE(session.currentFilter().bytes(), expected.bytes());
    }

    void cancelChangesNothing()
    {
        TestHome home;
        Frame frame(home);
        QVERIFY(frame->openFiles({home.writeCalls("demo.bsl", 500)}));
        const FilterRecord before = frame->session().currentFilter();
        const std::size_t rows = frame->session().calls().visible().size();
        QVERIFY(!runEditor(*frame.window, Press::Cancel, [](CSheetFE& sheet) {
            // Enter and Escape do not close the sheet.
            sheet.show();
            QTest::keyClick(sheet.typePage()->number(), Qt::Key_Return);
            QTest::keyClick(&sheet, Qt::Key_Escape);
            QVERIFY(sheet.isVisible());
            QVERIFY(!(sheet.windowFlags() & Qt::WindowMinimizeButtonHint));
            sheet.typePage()->outgoing()->setChecked(false);
            sheet.selectPage(3);
            sheet.savePage()->reset();
        }));
        QCOMPARE(frame->session().currentFilter().bytes(), before.bytes());
        QCOMPARE(frame->session().calls().visible().size(), rows);
        QVERIFY(frame->session().undoStack().empty());
        QCOMPARE(frame.ini.readInt("LastPage", "Filter", -1), -1);
    }

    void savedFilterSurvivesRestartAndFillsTheDropDown()
    {
        TestHome home;
        MessageLog messages;
        {
            Frame frame(home);
            QVERIFY(frame->openFiles({home.writeCalls("demo.bsl", 500)}));
            QVERIFY(runEditor(
                *frame.window, Press::Ok,
                [](CSheetFE& sheet) {
                    sheet.typePage()->incoming()->setChecked(false);
                    sheet.selectPage(3);
                    sheet.savePage()->saveAs();
                    QCOMPARE(sheet.savePage()->loadList()->currentText(), QStringLiteral("Only outgoing"));
                    sheet.savePage()->chooseDefault(0);
                },
                QStringLiteral("Only outgoing")));
        }
        QVERIFY(messages.shown().empty());

        Frame restarted(home);
        QCOMPARE(restarted->session().savedFilters().size(), std::size_t{1});
        QCOMPARE(restarted->session().defaultFilterName(), std::string("Only outgoing"));
        QCOMPARE(restarted->session().currentFilter().includeIncoming, 0); // the default filter
        auto* button = restarted->findChild<QToolButton*>();
        QVERIFY(button);
        for (QToolButton* candidate : restarted->findChildren<QToolButton*>())
            if (candidate->menu())
                button = candidate;
        QVERIFY(button->menu());
        Q_EMIT button->menu()->aboutToShow();
        QCOMPARE(button->menu()->actions().size(), 1);
        QCOMPARE(button->menu()->actions().front()->text(), QStringLiteral("Only outgoing"));

        // Deleting it (Yes) empties the list again.
        QVERIFY(restarted->openFiles({home.writeCalls("demo.bsl", 500)}));
        QVERIFY(runEditor(*restarted.window, Press::Ok, [](CSheetFE& sheet) {
            sheet.selectPage(3);
            // Loading a filter without dates keeps the pickers on the loaded calls' days.
            const CallDate from = sheet.state().filter.from;
            QVERIFY(from.year != 0);
            sheet.savePage()->load(0);
            QVERIFY(sheet.state().filter.from == from);
            QCOMPARE(sheet.state().filter.includeIncoming, 0);
            sheet.savePage()->loadList()->setCurrentIndex(0);
            sheet.savePage()->deleteChosen();
            QCOMPARE(sheet.savePage()->loadList()->count(), 0);
        }));
        QVERIFY(messages.has(sid::kDeleteFilter));
        QVERIFY(restarted->session().savedFilters().empty());
    }

    void savePageOnlyFromManagerUp()
    {
        TestHome home;
        Frame frame(home);
        for (const int level : {2, 3}) {
            frame->session().setLoginLevel(level);
            int pages = 0;
            runEditor(*frame.window, Press::Cancel, [&](CSheetFE& sheet) {
                pages = sheet.pageCount();
                QCOMPARE(sheet.savePage() != nullptr, level == 2);
            });
            QCOMPARE(pages, level == 2 ? 4 : 3);
        }
    }

    void wrongRangeListsAndNumbersAreRefusedAtTheControl()
    {
        TestHome home;
        Frame frame(home);
        QVERIFY(frame->openFiles({home.writeCalls("demo.bsl", 200)}));
        const QString badRange = QString::fromStdString(LoadText(sid::kBadRangeList));
        QVERIFY(runEditor(*frame.window, Press::Ok, [&](CSheetFE& sheet) {
            sheet.selectPage(2);
            CPageFTLine* line = sheet.linePage();
            line->trunkOn()->click();
            for (const QString text : {QStringLiteral("1-2-3"), QStringLiteral("1,2,3,4,5,6,7,8,9")}) {
                line->trunk()->setEditText(text);
                sheet.accept();
                QVERIFY(!sheet.result());
                QCOMPARE(line->lastRefusal(), badRange);
                QVERIFY(!sheet.selectPage(0)); // the page stays in front
            }
            line->trunk()->setEditText(QStringLiteral("100-199,205,-50,7-"));
            QVERIFY(sheet.selectPage(1));
            sheet.datePage()->costOn()->click();
            sheet.datePage()->minCost()->setText(QStringLiteral("1x"));
            QVERIFY(!sheet.selectPage(0));
            QCOMPARE(sheet.datePage()->lastRefusal(), QString::fromStdString(LoadText(sid::kBadAmount)));
            sheet.datePage()->minCost()->setText(QString());
        }));
        const RangeList& trunks = frame->session().currentFilter().trunks;
        QCOMPARE(trunks.count, 4);
        QCOMPARE(rangetext::format(trunks, [](int n) { return std::to_string(n); }), std::string("100-199,205,-50,7-"));
    }

    void linePageExclusionsAndEnabling()
    {
        TestHome home;
        Frame frame(home);
        runEditor(*frame.window, Press::Cancel, [&](CSheetFE& sheet) {
            sheet.selectPage(2);
            CPageFTLine* line = sheet.linePage();
            line->extensionOn()->click();
            line->employee()->setCurrentIndex(0);
            line->employeeOn()->click();
            QVERIFY(!line->extensionOn()->isChecked());
            QVERIFY(line->employee()->isEnabled() && !line->extension()->isEnabled());
            const DirectoryEntry& entry = frame->session().settings().directory[0];
            QCOMPARE(line->department()->currentText(), QString::fromStdString(entry.department.str()));
            line->projectOn()->click();
            line->accountOn()->click();
            QVERIFY(!line->projectOn()->isChecked());
            sheet.selectPage(0);
            CPageFTType* type = sheet.typePage();
            type->destinationOn()->click();
            type->destination()->setEditText(QStringLiteral("Ger"));
            type->unknownDestinations()->click();
            QVERIFY(!type->destination()->isEnabled());
            QCOMPARE(type->destination()->currentText(), QStringLiteral("Ger"));
        });
    }
};

QTEST_MAIN(FilterEditorTest)
#include "FilterEditorTest.moc"
