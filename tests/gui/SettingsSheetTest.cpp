// The Settings sheet and the Add / Edit commands as the main window runs them:
// which pages open, what OK and Cancel leave behind, the list pages' commands,
// the record dialogs' duplicate messages, and the lock and change check
// around an edit of the settings file.
#include "FrameFixture.h"

#include "app/Commands.h"
#include "core/Locale.h"
#include "editor/CPageUDUser.h"
#include "editor/CSheetUD.h"
#include "editor/EditorIds.h"
#include "editor/RecordDialogs.h"
#include "lang/StringIds.h"
#include "settings/SettingsFile.h"
#include "settings/SettingsLock.h"
#include "textfile/gui/QtTextTableFrontEnd.h"
#include "ui/ModalRunner.h"

#include <QComboBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QtTest>

#include <functional>

namespace {

// Takes the place of the sheet and of the record dialogs it opens.
class FakeDialogs
{
public:
    std::function<int(CSheetUD&)> sheet = [](CSheetUD&) { return int(QDialog::Rejected); };
    std::function<int(CDlgUDRecord&)> record = [](CDlgUDRecord&) { return int(QDialog::Rejected); };
    std::function<int(QDialog&)> other = [](QDialog&) { return int(QDialog::Rejected); };
    int sheetsShown = 0;

private:
    ModalOverride m_override{[this](QDialog& dialog) {
        if (auto* found = dynamic_cast<CSheetUD*>(&dialog)) {
            ++sheetsShown;
            // Closed through its buttons, as the user would.
            if (sheet(*found) == QDialog::Accepted)
                found->accept();
            else
                found->reject();
            return found->result();
        }
        if (auto* found = dynamic_cast<CDlgUDRecord*>(&dialog))
            return record(*found);
        return other(dialog);
    }};
};

SettingsDatabase loadFile(const std::filesystem::path& path)
{
    SettingsDatabase db;
    loadSettings(path, db);
    return db;
}

// The list page of that template, made the active page.
CPageUDList* showPage(CSheetUD& sheet, int templateId)
{
    auto* page = dynamic_cast<CPageUDList*>(sheet.pageOf(templateId));
    for (int i = 0; page && i < sheet.pageCount(); ++i)
        if (sheet.page(i) == page)
            sheet.selectPage(i);
    return page;
}

} // namespace

class SettingsSheetTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void pagesFollowTheLoginLevel()
    {
        const std::vector<int> supervisor = CSheetUD::pageTemplates(false);
        const std::vector<int> administrator = CSheetUD::pageTemplates(true);
        QVERIFY(std::find(supervisor.begin(), supervisor.end(), udres::kSecurityPage) == supervisor.end());
        // The Administrator's pages are the Supervisor's, in the same order, and more.
        std::vector<int> common;
        for (int id : administrator)
            if (std::find(supervisor.begin(), supervisor.end(), id) != supervisor.end())
                common.push_back(id);
        QCOMPARE(common, supervisor);
        const std::vector<int> listPages = {udres::kUserPage, udres::kTrunkPage, udres::kContactPage,
                                            udres::kProjectPage};
        QVERIFY(std::search(supervisor.begin(), supervisor.end(), listPages.begin(), listPages.end())
                != supervisor.end());

        TestHome home;
        home.writeIni("[LastPage]\nSettings=2\n");
        TestFrame frame(home);
        frame->session().setLoginLevel(login::kSupervisor);
        QVERIFY(frame->isCommandEnabled(cmd::kSettings));
        FakeDialogs dialogs;
        dialogs.sheet = [&](CSheetUD& sheet) {
            [&] {
                QCOMPARE(sheet.pageCount(), int(supervisor.size()));
                QCOMPARE(sheet.activeIndex(), 2);
            }();
            return int(QDialog::Rejected);
        };
        frame->runCommand(cmd::kSettings);
        QCOMPARE(dialogs.sheetsShown, 1);
        frame->session().setLoginLevel(login::kManager);
        QVERIFY(!frame->isCommandEnabled(cmd::kSettings));
    }

    void cancelKeepsTheSettingsButStoresTheLayout()
    {
        TestHome home;
        TestFrame frame(home);
        const SettingsDatabase before = loadFile(home / "brisel.dat");
        FakeDialogs dialogs;
        dialogs.sheet = [&](CSheetUD& sheet) {
            CPageUDList* page = showPage(sheet, udres::kContactPage);
            page->selectAllRows();
            page->deleteSelected(); // asks, the log answers Yes
            showPage(sheet, udres::kUserPage)->sortBy(2);
            return int(QDialog::Rejected);
        };
        MessageLog log;
        frame->runCommand(cmd::kSettings);
        QVERIFY(log.has(sid::kDeleteSelectedRecords));
        QCOMPARE(frame->session().settings().contacts.size(), before.contacts.size());
        QVERIFY(encodeSettings(loadFile(home / "brisel.dat")) == encodeSettings(before));
        IniProfile ini(home / "quantorix.ini");
        QVERIFY(!ini.find("LastPage", "Settings"));
        QVERIFY(!ini.hasSection("ListUser"));
        QVERIFY(ini.find("UDSheet_Layout", "Width"));
        QVERIFY(!std::filesystem::exists(home / "lock.dat") || std::filesystem::file_size(home / "lock.dat") == 0);
    }

    void okRatesTheCallsAgain()
    {
        TestHome home;
        TestFrame frame(home);
        QVERIFY(frame->openFiles({home.writeCalls("ok.bsl", 3000)}));
        const SettingsDatabase& live = frame->session().settings();
        // A call of an employee without a cost modifier, and what it costs now.
        std::size_t callIndex = 0;
        std::int32_t extension = -1;
        for (std::size_t i = 0; i < frame->session().calls().count() && extension == -1; ++i) {
            const CallRecord& call = frame->session().calls().call(i);
            if (call.directoryIndex >= 0 && call.cost > 0.5
                && live.directory[std::size_t(call.directoryIndex)].costModifier == 100) {
                callIndex = i;
                extension = live.directory[std::size_t(call.directoryIndex)].extension;
            }
        }
        QVERIFY(extension != -1);
        const double before = frame->session().calls().call(callIndex).cost;

        FakeDialogs dialogs;
        int userPage = -1;
        dialogs.sheet = [&](CSheetUD& sheet) {
            auto* page = dynamic_cast<CPageUDUser*>(showPage(sheet, udres::kUserPage));
            userPage = sheet.activeIndex();
            for (std::size_t row = 0; row < page->records().size(); ++row)
                if (page->records()[row].extension == extension)
                    page->list()->selectRow(int(row));
            page->editSelected();
            return int(QDialog::Accepted);
        };
        dialogs.record = [](CDlgUDRecord& dialog) {
            dialog.edit(udres::kCostModifierEdit)->setText(QStringLiteral("200"));
            return int(QDialog::Accepted);
        };
        frame->runCommand(cmd::kSettings);
        QVERIFY(std::abs(frame->session().calls().call(callIndex).cost - 2 * before) < 0.011);
        const SettingsDatabase saved = loadFile(home / "brisel.dat");
        const auto entry = std::find_if(saved.directory.begin(), saved.directory.end(),
                                        [&](const DirectoryEntry& e) { return e.extension == extension; });
        QVERIFY(entry != saved.directory.end());
        QCOMPARE(entry->costModifier, 200);
        IniProfile ini(home / "quantorix.ini");
        QCOMPARE(ini.readInt("LastPage", "Settings", -1), userPage);
        QVERIFY(ini.find("ListUser", "ColWidth0"));
    }

    void duplicatesAreRefused_data()
    {
        QTest::addColumn<int>("page");
        QTest::addColumn<int>("field");
        QTest::addColumn<int>("message");
        QTest::newRow("extension") << udres::kUserPage << int(udres::kExtensionEdit) << sid::kDuplicateExtension;
        QTest::newRow("account code") << udres::kUserPage << int(udres::kAccountCodeEdit) << sid::kDuplicateAccountCode;
        QTest::newRow("trunk") << udres::kTrunkPage << int(udres::kTrunkEdit) << sid::kDuplicateTrunk;
        QTest::newRow("contact") << udres::kContactPage << int(udres::kPhoneEdit) << sid::kDuplicateNumber;
        QTest::newRow("project") << udres::kProjectPage << int(udres::kAccountCodeEdit) << sid::kDuplicateAccountCode;
    }

    void duplicatesAreRefused()
    {
        QFETCH(int, page);
        QFETCH(int, field);
        QFETCH(int, message);
        TestHome home;
        TestFrame frame(home);
        FakeDialogs dialogs;
        int countBefore = -1, countAfter = -1;
        QString existing;
        dialogs.sheet = [&](CSheetUD& sheet) {
            CPageUDList* list = showPage(sheet, page);
            // The first record that has the field filled in.
            list->list()->selectRow(0);
            dialogs.record = [&](CDlgUDRecord& dialog) {
                for (int row = 0; existing.isEmpty() && row < list->recordCount(); ++row) {
                    list->list()->selectRow(row);
                    const int column = field == udres::kAccountCodeEdit && page == udres::kUserPage ? 1 : 0;
                    existing = list->model()->index(row, column).data().toString();
                }
                dialog.edit(field)->setText(existing);
                return int(QDialog::Accepted);
            };
            countBefore = list->recordCount();
            list->addRecord();
            countAfter = list->recordCount();
            return int(QDialog::Rejected);
        };
        MessageLog log;
        frame->runCommand(cmd::kSettings);
        QVERIFY(!existing.isEmpty());
        QVERIFY(log.has(message));
        QCOMPARE(countAfter, countBefore);
    }

    void listPageCommands()
    {
        TestHome home;
        TestFrame frame(home);
        FakeDialogs dialogs;
        MessageLog log;
        dialogs.sheet = [&](CSheetUD& sheet) {
            CPageUDList* page = showPage(sheet, udres::kUserPage);
            QHeaderView* header = page->list()->horizontalHeader();
            // The same header twice: descending, with the arrow turned.
            page->sortBy(0);
            page->sortBy(2);
            page->sortBy(2);
            [&] {
                QCOMPARE(header->sortIndicatorSection(), 2);
                QCOMPARE(header->sortIndicatorOrder(), Qt::DescendingOrder);
                QVERIFY(Locale::current().compare(page->cellText(0, 2), page->cellText(page->recordCount() - 1, 2))
                        >= 0);
                QCOMPARE(page->total()->text(), QString::number(page->recordCount()));

                // Quick find: a character that leaves no match is refused.
                const QString first = QString::fromStdString(page->cellText(3, 2)).left(2);
                page->quickFind()->setText(first);
                const int found = page->quickFindRow();
                QVERIFY(found >= 0);
                page->quickFind()->setText(first + QStringLiteral("\x01"));
                QCOMPARE(page->quickFind()->text(), first);
                QCOMPARE(page->selectedRows(), std::vector<int>{found});

                // Two records of different departments: the department stays each one's own.
                int other = 1;
                while (page->cellText(other, 3) == page->cellText(0, 3))
                    ++other;
                const std::string department0 = page->cellText(0, 3), departmentOther = page->cellText(other, 3);
                page->list()->clearSelection();
                page->list()->selectionModel()->select(page->model()->index(0, 0),
                                                       QItemSelectionModel::Select | QItemSelectionModel::Rows);
                page->list()->selectionModel()->select(page->model()->index(other, 0),
                                                       QItemSelectionModel::Select | QItemSelectionModel::Rows);
                QString shownDepartment = QStringLiteral("unset");
                bool keyEnabled = true;
                dialogs.record = [&](CDlgUDRecord& dialog) {
                    shownDepartment = dialog.combo(udres::kDepartmentEdit)->currentText();
                    keyEnabled = dialog.edit(udres::kExtensionEdit)->isEnabled();
                    dialog.edit(udres::kNameEdit)->setText(QStringLiteral("Same Name"));
                    return int(QDialog::Accepted);
                };
                const std::size_t before = log.shown().size();
                page->editSelected();
                QCOMPARE(shownDepartment, QString());
                QVERIFY(!keyEnabled);
                int count = 0;
                bool departmentsKept = false, otherKept = false;
                for (int row = 0; row < page->recordCount(); ++row)
                    if (page->cellText(row, 2) == "Same Name") {
                        ++count;
                        departmentsKept |= page->cellText(row, 3) == department0;
                        otherKept |= page->cellText(row, 3) == departmentOther;
                    }
                QCOMPARE(count, 2);
                QVERIFY(departmentsKept && otherKept);
                QCOMPARE(log.shown().size(), before); // no duplicate check in multi mode

                // One record goes without asking, two are asked about.
                const int total = page->recordCount();
                page->list()->selectRow(0);
                page->deleteSelected();
                QCOMPARE(page->recordCount(), total - 1);
                QVERIFY(!log.has(sid::kDeleteSelectedRecords));
                page->selectAllRows();
                page->deleteSelected();
                QVERIFY(log.has(sid::kDeleteSelectedRecords));
                QCOMPARE(page->recordCount(), 0);
            }();
            return int(QDialog::Rejected);
        };
        frame->runCommand(cmd::kSettings);
        QCOMPARE(dialogs.sheetsShown, 1);
    }

    void importThenCancelLeavesTheLiveList()
    {
        TestHome home;
        TestFrame frame(home);
        std::string text;
        for (int i = 0; i < 100000; ++i)
            text += std::to_string(200000000 + i) + ";Imported " + std::to_string(i % 997) + "\r\n";
        TestHome::writeBytes(home / "contacts.csv", text.data(), text.size());
        const TextFileChooserOverride chooser(
            [&](TextTableMode, const std::filesystem::path&) { return home / "contacts.csv"; });
        const SettingsDatabase before = loadFile(home / "brisel.dat");
        FakeDialogs dialogs;
        dialogs.other = [](QDialog& options) {
            options.accept(); // the options as they are
            return options.result();
        };
        QString total;
        dialogs.sheet = [&](CSheetUD& sheet) {
            CPageUDList* page = showPage(sheet, udres::kContactPage);
            page->button(udres::kImport)->click();
            total = page->total()->text();
            return int(QDialog::Rejected);
        };
        MessageLog log;
        frame->runCommand(cmd::kSettings);
        QVERIFY(log.has(sid::kRecordsImported));
        QCOMPARE(total.toULongLong(), before.contacts.size() + 100000);
        QCOMPARE(frame->session().settings().contacts.size(), before.contacts.size());
        QVERIFY(encodeSettings(loadFile(home / "brisel.dat")) == encodeSettings(before));
    }

    void lockedSettingsAreNotOpened()
    {
        TestHome home;
        TestFrame frame(home);
        SettingsLock other;
        QCOMPARE(other.acquire(home.folder()), SettingsLock::Result::Acquired);
        FakeDialogs dialogs;
        MessageLog log;
        frame->runCommand(cmd::kSettings);
        QCOMPARE(dialogs.sheetsShown, 0);
        QVERIFY(log.has(sid::kSettingsLocked));
    }

    void changeOnDiskIsNotOverwritten()
    {
        TestHome home;
        TestFrame frame(home);
        SettingsDatabase theirs = loadFile(home / "brisel.dat");
        theirs.projects.clear();
        FakeDialogs dialogs;
        dialogs.sheet = [&](CSheetUD& sheet) {
            showPage(sheet, udres::kContactPage)->selectAllRows();
            showPage(sheet, udres::kContactPage)->deleteSelected();
            // Someone who ignores the lock saves meanwhile.
            saveSettings(home / "brisel.dat", theirs);
            return int(QDialog::Accepted);
        };
        MessageLog log;
        frame->runCommand(cmd::kSettings);
        QVERIFY(log.has(sid::kSettingsModified));
        const SettingsDatabase onDisk = loadFile(home / "brisel.dat");
        QVERIFY(onDisk.projects.empty());
        QVERIFY(!onDisk.contacts.empty());
        QVERIFY(frame->session().settings().projects.empty()); // reloaded
        QVERIFY(!frame->session().settings().contacts.empty());
    }

    void addEditEmployeeProposesTheAccountCodeElseTheExtension()
    {
        TestHome home;
        TestFrame frame(home);
        CallRecord withCode = makeCall("0221555");
        withCode.extension = 201;
        fixedtext::store(withCode.accountCode, "417");
        CallRecord withoutCode = withCode;
        fixedtext::store(withoutCode.accountCode, "");
        QVERIFY(frame->openFiles({home.writeRecords("two.bsl", {withCode, withoutCode})}));
        const auto before = std::filesystem::last_write_time(home / "brisel.dat");
        FakeDialogs dialogs;
        QStringList proposed;
        dialogs.record = [&](CDlgUDRecord& dialog) {
            proposed << dialog.edit(udres::kExtensionEdit)->text() + QLatin1Char('/')
                            + dialog.edit(udres::kAccountCodeEdit)->text();
            return int(QDialog::Rejected);
        };
        for (std::int64_t call : {0, 1}) {
            frame->session().setCurrentCall(call);
            frame->runCommand(cmd::kAddEditEmployee);
        }
        QCOMPARE(proposed, QStringList({QStringLiteral("/417"), QStringLiteral("201/")}));
        QCOMPARE(std::filesystem::last_write_time(home / "brisel.dat"), before); // Cancel changes nothing
    }

    void addContactFromTheCall()
    {
        TestHome home;
        TestFrame frame(home);
        QVERIFY(frame->openFiles({home.writeRecords("one.bsl", {makeCall("0-22-123")})}));
        QVERIFY(!frame->isCommandEnabled(cmd::kAddContact)); // no current call
        frame->session().setCurrentCall(0);
        QVERIFY(frame->isCommandEnabled(cmd::kAddContact));
        FakeDialogs dialogs;
        QString proposed;
        dialogs.record = [&](CDlgUDRecord& dialog) {
            proposed = dialog.edit(udres::kPhoneEdit)->text();
            dialog.combo(udres::kNameEdit)->setEditText(QStringLiteral("New contact"));
            return int(QDialog::Accepted);
        };
        frame->runCommand(cmd::kAddContact);
        QCOMPARE(proposed, QStringLiteral("022123"));
        const CallRecord& call = frame->session().calls().call(0);
        QVERIFY(call.contactIndex >= 0);
        const SettingsDatabase saved = loadFile(home / "brisel.dat");
        QVERIFY(std::any_of(saved.contacts.begin(), saved.contacts.end(),
                            [](const ContactEntry& e) { return e.number.view() == "022123"; }));
        QVERIFY(!frame->isCommandEnabled(cmd::kAddContact)); // the call has its contact now
    }
};

QTEST_MAIN(SettingsSheetTest)
#include "SettingsSheetTest.moc"
