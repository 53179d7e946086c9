// Every page of the filter editor, the Preferences sheet and the Settings
// sheet, as the main window opens them on loaded calls, in English and German:
// no text of a label, button or check box is cut off, and lists that the
// settings fill are not empty. With QX_SHOT_DIR set, each page is also saved as a picture there
// (scripts/screenshot-check runs this under a virtual display).
#include "FrameFixture.h"

#include "app/Commands.h"
#include "filter/gui/CSheetFE.h"
#include "lang/LanguageService.h"
#include "prefs/gui/CSheetPF.h"
#include "ui/ModalRunner.h"

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QTabWidget>
#include <QTableView>
#include <QtTest>

namespace {

// The controls of the page whose text does not fit.
QStringList clippedTexts(QWidget* page)
{
    QStringList out;
    for (QAbstractButton* button : page->findChildren<QAbstractButton*>())
        if (button->isVisible() && !button->text().isEmpty() && button->width() < button->minimumSizeHint().width())
            out << button->text();
    for (QLabel* label : page->findChildren<QLabel*>())
        if (label->isVisible() && !label->text().isEmpty() && !label->wordWrap()
            && label->width() < label->fontMetrics().horizontalAdvance(label->text()))
            out << label->text();
    return out;
}

void checkEachPage(CPropertySheet& sheet, const QString& name)
{
    for (int i = 0; i < sheet.pageCount(); ++i) {
        sheet.selectPage(i);
        QTest::qWait(50);
        const QStringList clipped = clippedTexts(sheet.page(i));
        QVERIFY2(clipped.isEmpty(),
                 qPrintable(name + QStringLiteral(" page %1: ").arg(i) + clipped.join(QStringLiteral(" | "))));
        for (QTableView* list : sheet.page(i)->findChildren<QTableView*>())
            QVERIFY2(list->model()->rowCount() > 0,
                     qPrintable(name + QStringLiteral(" page %1: an empty list").arg(i)));
        const QString dir = qEnvironmentVariable("QX_SHOT_DIR");
        if (!dir.isEmpty())
            QVERIFY(sheet.grab().save(QDir(dir).filePath(QStringLiteral("%1-%2.png").arg(name).arg(i + 1))));
    }
}

// Shows each page of the sheet opened by `command`, checks it and saves its picture.
void checkPages(CMainFrame& frame, int command, const QString& name)
{
    const ModalOverride handler([&](QDialog& dialog) {
        auto* sheet = qobject_cast<CPropertySheet*>(&dialog);
        if (!sheet)
            return int(QDialog::Rejected);
        sheet->show();
        checkEachPage(*sheet, name);
        sheet->reject();
        return int(QDialog::Rejected);
    });
    frame.runCommand(command);
}

} // namespace

class SheetPagesTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void pagesShowTheirTextsWhole_data()
    {
        QTest::addColumn<QString>("language");
        QTest::newRow("English") << QString();
        QTest::newRow("German") << QStringLiteral("Deutsch");
    }

    void pagesShowTheirTextsWhole()
    {
        QFETCH(QString, language);
        TestHome home;
        for (const char* file : {"quantorix.lna", "Deutsch.lng"})
            std::filesystem::copy_file(std::filesystem::path(QX_PROGRAM_DIR) / file, home / file);
        home.writeIni("[Language]\nBrisel=" + language.toStdString() + "\n");
        IniProfile languageIni(home / "quantorix.ini");
        LanguageService service(home.folder(), &languageIni);
        service.install();
        service.start();
        TestFrame frame(home);
        QVERIFY(frame->openFiles({home.writeCalls("shots.bsl", 2000)}));
        const QString suffix = language.isEmpty() ? QString() : QStringLiteral("-de");
        checkPages(*frame.window, cmd::kFilter, QStringLiteral("filter") + suffix);
        checkPages(*frame.window, cmd::kPreferences, QStringLiteral("prefs") + suffix);
        checkPages(*frame.window, cmd::kSettings, QStringLiteral("settings") + suffix);
    }
};

QTEST_MAIN(SheetPagesTest)
#include "SheetPagesTest.moc"
