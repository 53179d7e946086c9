// The text-table options dialog and the list import and export through it: the
// dialog's enabling per mode, an import into a working copy with "Delete all
// existing records" off and on, and the export's column choice and order in
// the written file. The file dialogs are replaced, the options dialog is driven
// through runModal.
#include "FrameFixture.h"
#include "app/CallsView.h"
#include "app/Commands.h"
#include "core/Locale.h"
#include "lang/StringIds.h"
#include "lang/StringTable.h"
#include "prefs/Preferences.h"
#include "settings/LoginRule.h"
#include "settings/SettingsDatabase.h"
#include "settings/SettingsFile.h"
#include "textfile/gui/CDlgTextTableOptions.h"
#include "textfile/gui/ListTransfer.h"
#include "textfile/gui/QtTextTableFrontEnd.h"
#include "textfile/gui/TextTableIds.h"
#include "ui/ModalRunner.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QListWidget>
#include <QtTest>

#include <fstream>
#include <sstream>

namespace {

bool checked(const CDlgTextTableOptions& dialog, int id)
{
    return static_cast<QAbstractButton*>(dialog.control(id))->isChecked();
}

void click(const CDlgTextTableOptions& dialog, int id) { static_cast<QAbstractButton*>(dialog.control(id))->click(); }

std::string readFile(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

// Answers the options dialog with `work` and OK.
ModalOverride optionsHandler(std::function<void(CDlgTextTableOptions&)> work)
{
    return ModalOverride([work = std::move(work)](QDialog& dialog) {
        auto* options = qobject_cast<CDlgTextTableOptions*>(&dialog);
        if (!options)
            return int(QDialog::Rejected);
        work(*options);
        options->accept();
        return options->result();
    });
}

SettingsDatabase demoSettings(const TestHome& home)
{
    SettingsDatabase db;
    if (loadSettings(home / "brisel.dat", db) == SettingsLoadResult::Ok)
        db.rebuildIndexes();
    return db;
}

} // namespace

class TextTableDialogTest : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() { Locale::pin("en_US"); }

    void enablingFollowsModeAndSeparator()
    {
        TextTableOptions options(3);
        CDlgTextTableOptions import(TextTableMode::Import, options, {"A", "B", "C"});
        QCOMPARE(import.windowTitle(), QStringLiteral("Import options"));
        QVERIFY(import.control(ttres::kSeparator)->isEnabled()); // "Other" is the default
        click(import, ttres::kFixedWidth);
        QVERIFY(!import.control(ttres::kSeparator)->isEnabled());
        QVERIFY(import.control(ttres::kWider)->isEnabled() && !import.control(ttres::kSkipMore)->isEnabled());
        QVERIFY(!import.control(ttres::kTrim)->isEnabled() && checked(import, ttres::kTrim));
        QCOMPARE(import.fieldList()->item(0)->text(), QStringLiteral("#1 - A [16]"));
        click(import, ttres::kTab);
        QVERIFY(import.control(ttres::kTrim)->isEnabled() && import.control(ttres::kSkipMore)->isEnabled());
        click(import, ttres::kDeleteAll);
        QVERIFY(!import.control(ttres::kUpdate)->isEnabled());

        CDlgTextTableOptions exportDialog(TextTableMode::Export, options, {"A", "B", "C"});
        QCOMPARE(exportDialog.windowTitle(), QStringLiteral("Export options"));
        QCOMPARE(static_cast<QAbstractButton*>(exportDialog.control(ttres::kTrim))->text(),
                 QStringLiteral("Export selected records"));
        QVERIFY(exportDialog.control(ttres::kAdd)->isHidden() && exportDialog.control(ttres::kUpdate)->isHidden());
        click(exportDialog, ttres::kFixedWidth);
        QVERIFY(exportDialog.control(ttres::kTrim)->isEnabled()); // only an import must trim fixed widths
    }

    void importIntoWorkingCopyKeepsOrDeletesTheList()
    {
        TestHome home;
        MessageLog messages;
        IniProfile ini(home / "quantorix.ini");
        SettingsDatabase working = demoSettings(home);
        const std::size_t before = working.contacts.size();
        QVERIFY(before > 0);
        const std::filesystem::path file = home / "contacts.csv";
        TestHome::writeBytes(file, "555123;New one\r\n\"555124\";\"Semi; colon\"\r\nbroken line\r\n", 55);

        const TextFileChooserOverride chooser([&](TextTableMode mode, const std::filesystem::path&) {
            return mode == TextTableMode::Import ? file : std::filesystem::path();
        });
        const Preferences prefs;
        {
            const ModalOverride handler = optionsHandler([](CDlgTextTableOptions&) {});
            QVERIFY(listtransfer::importInto(nullptr, ini, working, prefs, {SettingsList::Contacts}));
        }
        QCOMPARE(working.contacts.size(), before + 2);
        QVERIFY(messages.has(sid::kRecordsImported));
        QVERIFY(messages.shown().back().text.starts_with("2 records processed\n\n2 records added"));

        {
            const ModalOverride handler = optionsHandler([](CDlgTextTableOptions& d) { click(d, ttres::kDeleteAll); });
            QVERIFY(listtransfer::importInto(nullptr, ini, working, prefs, {SettingsList::Contacts}));
        }
        QCOMPARE(working.contacts.size(), std::size_t(2));
        QCOMPARE(std::string(working.contacts.back().name.view()), std::string("Semi; colon"));
        // The choice is kept in the list's section for the next run.
        QCOMPARE(ini.readInt("ListContact", "DeleteAll", 0), 1);

        // Cancel in the options dialog reads nothing.
        const ModalOverride cancel([](QDialog&) { return int(QDialog::Rejected); });
        QVERIFY(!listtransfer::importInto(nullptr, ini, working, prefs, {SettingsList::Contacts}));
        QCOMPARE(working.contacts.size(), std::size_t(2));
    }

    void exportWritesChosenColumnsInOrderAndSelection()
    {
        TestHome home;
        MessageLog messages;
        IniProfile ini(home / "quantorix.ini");
        const SettingsDatabase db = demoSettings(home);
        QVERIFY(db.projects.size() >= 2);
        const std::filesystem::path file = home / "projects.csv";
        const TextFileChooserOverride chooser([&](TextTableMode, const std::filesystem::path&) { return file; });
        const Preferences prefs;
        const std::size_t second[] = {1};
        {
            // Project name first, account code unchecked, header line, only the selection.
            const ModalOverride handler = optionsHandler([](CDlgTextTableOptions& d) {
                d.fieldList()->setCurrentRow(1);
                click(d, ttres::kUp);
                d.fieldList()->item(1)->setCheckState(Qt::Unchecked);
                QCOMPARE(d.fieldList()->item(1)->text(), QStringLiteral("Acc code"));
                click(d, ttres::kFirstLine);
                click(d, ttres::kTrim); // "Export selected records"
            });
            QVERIFY(listtransfer::exportFrom(nullptr, ini, db, prefs, {SettingsList::Projects}, second));
        }
        QCOMPARE(readFile(file), "Project\r\n" + std::string(db.projects[1].name.view()) + "\r\n");
        QCOMPARE(messages.shown().back().id, int(sid::kRecordsExported));
        QCOMPARE(messages.shown().back().text, std::string("1 records exported"));
    }

    // File > Export on the shown calls: Manager and up, the selected rows with
    // the columns checked in the dialog, the count in the closing message.
    void exportCommandWritesTheSelectedRows()
    {
        TestHome home;
        MessageLog messages;
        TestFrame frame(home);
        QVERIFY(frame->openFiles({home.writeCalls("a.bsl", 50)}));
        frame->session().setLoginLevel(login::kOperator);
        QVERIFY(!frame->isCommandEnabled(cmd::kExport));
        frame->session().setLoginLevel(login::kManager);
        QVERIFY(frame->isCommandEnabled(cmd::kExport));

        const std::filesystem::path file = home / "calls.csv";
        const TextFileChooserOverride chooser([&](TextTableMode, const std::filesystem::path&) { return file; });
        const ModalOverride handler = optionsHandler([](CDlgTextTableOptions& d) {
            for (int row = 0; row < d.fieldList()->count(); ++row) // only Ext (2) and Duration (5)
                d.fieldList()->item(row)->setCheckState(row == 2 || row == 5 ? Qt::Checked : Qt::Unchecked);
            click(d, ttres::kTrim); // "Export selected records"
        });
        frame->view()->selectOnly(3);
        frame->runCommand(cmd::kExport);

        const CallSession& calls = frame->session().calls();
        const CallColumns& columns = frame->session().columns();
        const CallRecord& call = calls.visibleCall(3);
        QCOMPARE(readFile(file),
                 columns.cellText(call, ColumnType::Ext) + ";" + columns.cellText(call, ColumnType::Duration) + "\r\n");
        QCOMPARE(messages.shown().back().text, std::string("1 records exported"));
    }

    // For scripts/screenshot-check: with QX_SCREENSHOT_DIR set, the import
    // options of the directory and the export options of the calls are saved there.
    void screenshots()
    {
        const QString folder = qEnvironmentVariable("QX_SCREENSHOT_DIR");
        if (folder.isEmpty())
            QSKIP("QX_SCREENSHOT_DIR is not set");
        TextTableOptions directory(5);
        directory.positions[1].skip = 1;
        CDlgTextTableOptions import(TextTableMode::Import, directory, listTitles(SettingsList::Directory));
        std::vector<std::string> columns;
        for (int i = 0; i < 19; ++i)
            columns.push_back(LoadText(sid::kColumnTitleFirst + i));
        TextTableOptions calls(19);
        calls.separatorType = SeparatorType::FixedWidth;
        calls.positions[3].active = false;
        CDlgTextTableOptions exportDialog(TextTableMode::Export, calls, columns);
        for (auto [dialog, name] : {std::pair<QDialog*, const char*>(&import, "import-options"),
                                    std::pair<QDialog*, const char*>(&exportDialog, "export-options")}) {
            dialog->show();
            QVERIFY(QTest::qWaitForWindowExposed(dialog));
            QTest::qWait(100);
            QVERIFY(dialog->grab().save(folder + QLatin1Char('/') + QLatin1String(name) + QStringLiteral(".png")));
            dialog->close();
        }
    }
};

QTEST_MAIN(TextTableDialogTest)
#include "TextTableDialogTest.moc"
