// The Preferences sheet through the main window: column order, colours and a
// user call-type name reach the calls list after OK; Cancel changes nothing;
// the list keeps at least one column; the delimiter colour follows its box.
#include "FrameFixture.h"

#include "app/CallsListController.h"
#include "app/CallsModel.h"
#include "app/Commands.h"
#include "calls/CallPipeline.h"
#include "prefs/gui/CPagePFColor.h"
#include "prefs/gui/CPagePFColumn.h"
#include "prefs/gui/CPagePFView.h"
#include "prefs/gui/CSheetPF.h"
#include "ui/ColorButton.h"
#include "ui/ModalRunner.h"

#include <QCheckBox>
#include <QColorDialog>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTreeWidget>
#include <QtTest>

namespace {

// Rates every call as user-defined call type 1 (call type 3), local.
class UserTypeRating : public CallPipeline
{
public:
    void rate(CallRecord& call) override
    {
        call.callType = 3;
        call.localFlag = 1;
    }
};

enum class Press { Ok, Cancel };

// Runs the sheet with `work` on it; a colour chooser opened meanwhile takes `color`.
bool runSheet(CMainFrame& frame, Press press, const std::function<void(CSheetPF&)>& work, QColor color = {})
{
    bool accepted = false;
    const ModalOverride handler([&](QDialog& dialog) {
        if (auto* chooser = qobject_cast<QColorDialog*>(&dialog)) {
            chooser->setCurrentColor(color);
            return int(QDialog::Accepted);
        }
        auto* sheet = qobject_cast<CSheetPF*>(&dialog);
        if (!sheet)
            return int(QDialog::Rejected);
        work(*sheet);
        press == Press::Ok ? sheet->accept() : sheet->reject();
        accepted = sheet->result() == QDialog::Accepted;
        return sheet->result();
    });
    frame.runCommand(cmd::kPreferences);
    return accepted;
}

int outgoingRow(CMainFrame& frame)
{
    const CallSession& calls = frame.session().calls();
    for (std::size_t row = 0; row < calls.visible().size(); ++row)
        if (calls.visibleCall(row).direction == 0)
            return static_cast<int>(row);
    return -1;
}

} // namespace

class PreferencesSheetTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void columnsColoursAndTypeNameReachTheList()
    {
        TestHome home;
        TestFrame frame(home);
        UserTypeRating rating;
        frame->session().setRating(&rating);
        QVERIFY(frame->openFiles({home.writeCalls("prefs.bsl", 300)}));
        const int shownBefore = frame->model()->columnCount();
        const ColumnType lastAvailable = frame->callsList().columns().typeAt(kColumnTypeCount - 1);

        QVERIFY(runSheet(
            *frame.window, Press::Ok,
            [](CSheetPF& sheet) {
                QVERIFY(sheet.selectPage(1));
                CPagePFColumn* columns = sheet.columnPage();
                // All columns shown; the last one added goes up to the top.
                columns->availableList()->setCurrentItem(columns->availableList()->topLevelItem(0));
                while (columns->availableList()->topLevelItemCount() > 0)
                    columns->addColumn();
                QCOMPARE(columns->selectedList()->currentItem(),
                         columns->selectedList()->topLevelItem(kColumnTypeCount - 1));
                while (columns->upButton()->isEnabled())
                    columns->moveUp();
                QVERIFY(sheet.selectPage(2));
                CPagePFColor* colors = sheet.colorPage();
                colors->textColor(5)->click(); // the chooser answers with the colour below
                colors->backColor(5)->setColor(0x00E0F0FF);
                colors->userName(0)->setText(QStringLiteral("Mobile"));
            },
            QColor(10, 20, 30)));

        QVERIFY(shownBefore < kColumnTypeCount);
        QCOMPARE(frame->model()->columnCount(), kColumnTypeCount);
        QCOMPARE(frame->model()->typeAt(0), lastAvailable);
        QCOMPARE(frame.ini.readInt("LastPage", "Prefs", -1), 2);
        const int row = outgoingRow(*frame.window);
        QVERIFY(row >= 0);
        const QModelIndex any = frame->model()->index(row, 0);
        QCOMPARE(frame->model()->data(any, Qt::ForegroundRole).value<QColor>(), QColor(10, 20, 30));
        QCOMPARE(frame->model()->data(any, Qt::BackgroundRole).value<QColor>(), CColorButton::toQColor(0x00E0F0FF));
        int typeColumn = -1;
        for (int c = 0; c < frame->model()->columnCount(); ++c)
            if (frame->model()->typeAt(c) == ColumnType::Type)
                typeColumn = c;
        QVERIFY(typeColumn >= 0);
        QCOMPARE(frame->model()->data(frame->model()->index(row, typeColumn)).toString(), QStringLiteral("Mobile"));
        // Written at once: a new window reads the same preferences.
        TestFrame again(home);
        QCOMPARE(again->session().prefs().userCallTypes[0], std::string("Mobile"));
        QCOMPARE(again->session().prefs().colorUser[0], CColorButton::fromQColor(QColor(10, 20, 30)));
    }

    void cancelChangesNothing()
    {
        TestHome home;
        TestFrame frame(home);
        QVERIFY(frame->openFiles({home.writeCalls("prefs.bsl", 100)}));
        const Preferences before = frame->session().prefs();
        const int columns = frame->model()->columnCount();
        QVERIFY(!runSheet(*frame.window, Press::Cancel, [](CSheetPF& sheet) {
            sheet.viewPage()->incomingLocal()->setChecked(false);
            sheet.selectPage(2);
            for (int row = 0; row < CPagePFColor::kRows; ++row)
                sheet.colorPage()->textColor(row)->setColor(0x123456);
            sheet.selectPage(1);
            sheet.columnPage()->removeColumn();
        }));
        QCOMPARE(frame->session().prefs().colorOut, before.colorOut);
        QCOMPARE(frame->session().prefs().incomingLocal, before.incomingLocal);
        QCOMPARE(frame->model()->columnCount(), columns);
        QCOMPARE(frame.ini.readInt("LastPage", "Prefs", -1), -1);
    }

    void listKeepsOneColumnAndDelimiterColourFollowsItsBox()
    {
        TestHome home;
        TestFrame frame(home);
        QVERIFY(runSheet(*frame.window, Press::Ok, [](CSheetPF& sheet) {
            sheet.selectPage(1);
            CPagePFColumn* columns = sheet.columnPage();
            for (int i = 0; i < kColumnTypeCount; ++i) {
                columns->selectedList()->setCurrentItem(columns->selectedList()->topLevelItem(0));
                columns->removeColumn();
            }
            QCOMPARE(columns->selectedList()->topLevelItemCount(), 1);
            QVERIFY(!columns->removeButton()->isEnabled());
            sheet.selectPage(2);
            sheet.colorPage()->delimiters()->click();
            QCOMPARE(sheet.colorPage()->delimiterColor()->isEnabled(), sheet.colorPage()->delimiters()->isChecked());
        }));
        QCOMPARE(frame->model()->columnCount(), 1);
        runSheet(*frame.window, Press::Cancel, [](CSheetPF& sheet) {
            sheet.selectPage(2);
            QVERIFY(!sheet.colorPage()->delimiters()->isChecked());
            QVERIFY(!sheet.colorPage()->delimiterColor()->isEnabled());
        });
    }

    void onlyFromSupervisorUp()
    {
        TestHome home;
        TestFrame frame(home);
        frame->session().setLoginLevel(1);
        QVERIFY(frame->isCommandEnabled(cmd::kPreferences));
        frame->session().setLoginLevel(2);
        QVERIFY(!frame->isCommandEnabled(cmd::kPreferences));
    }
};

QTEST_MAIN(PreferencesSheetTest)
#include "PreferencesSheetTest.moc"
