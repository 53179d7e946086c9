// The Security page on a working copy, "Change password", the login level of
// the guarded commands, and "Set database location" through the main window.
#include "FrameFixture.h"

#include "app/Commands.h"
#include "editor/CSheetUD.h"
#include "lang/StringIds.h"
#include "settings/SettingsFile.h"
#include "settings/gui/CDlgChangePassword.h"
#include "settings/gui/CDlgDatabaseLocation.h"
#include "settings/gui/CPageUDSecurity.h"
#include "settings/gui/SettingsGuiIds.h"
#include "ui/ModalRunner.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest>

class SecurityPageTest : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void pageWritesTheWorkingCopyAtOnce()
    {
        MessageLog messages;
        SettingsDatabase working;
        CPageUDSecurity page(working);
        page.readRecord();
        QVERIFY(!page.levelBox(1)->isEnabled() && !page.changeButton(0)->isEnabled());

        page.passwordRequired()->click();
        QCOMPARE(working.header.loginRequired, 1);
        QVERIFY(page.changeButton(0)->isEnabled() && page.levelBox(2)->isEnabled());
        QVERIFY(!page.changeButton(2)->isEnabled()); // Manager not enabled yet
        page.levelBox(2)->click();
        QCOMPARE(working.header.managerEnabled, 1);
        QVERIFY(page.changeButton(2)->isEnabled());

        // Two different texts keep the dialog open; equal ones become the password.
        bool stayedOpen = false;
        const ModalOverride handler([&](QDialog& dialog) {
            auto& change = dynamic_cast<CDlgChangePassword&>(dialog);
            change.enterEdit()->setText(QStringLiteral("secret"));
            change.confirmEdit()->setText(QStringLiteral("secrte"));
            change.accept();
            stayedOpen = change.result() != QDialog::Accepted && messages.has(sid::kPasswordsDontMatch);
            change.confirmEdit()->setText(QStringLiteral("secret"));
            change.accept();
            return change.result();
        });
        page.changeButton(2)->click();
        QVERIFY(stayedOpen);
        QCOMPARE(std::string(working.header.passwords[2].view()), std::string("secret"));

        // Unchecking a level keeps its password.
        page.levelBox(2)->click();
        QCOMPARE(working.header.managerEnabled, 0);
        QCOMPARE(std::string(working.header.passwords[2].view()), std::string("secret"));
    }

    void securityIsTheAdministratorsLastTab()
    {
        const std::vector<int> supervisor = CSheetUD::pageTemplates(false);
        const std::vector<int> administrator = CSheetUD::pageTemplates(true);
        QCOMPARE(administrator.size(), supervisor.size() + 1);
        QCOMPARE(administrator.back(), stres::kSecurityPage);
    }

    void guardedCommandsFollowTheLoginLevel()
    {
        TestHome home;
        MessageLog messages;
        TestFrame frame(home);
        QVERIFY(frame->openFiles({home.writeCalls("a.bsl", 20)}));
        // Highest level allowed: database location 0, preferences 1, export and save 2.
        const std::pair<int, int> commands[] = {{cmd::kDatabaseLocation, 0},
                                                {cmd::kPreferences, 1},
                                                {cmd::kExport, 2},
                                                {cmd::kSaveAs, 2}};
        for (int level = 0; level < 4; ++level) {
            frame->session().setLoginLevel(level);
            for (const auto& [id, allowed] : commands)
                QVERIFY2(frame->isCommandEnabled(id) == (level <= allowed), qPrintable(QString::number(id)));
        }
    }

    void databaseLocationReadsTheChosenFolder()
    {
        TestHome home;
        MessageLog messages;
        TestFrame frame(home);
        // A shared folder whose settings differ from the local ones: no contacts.
        const std::filesystem::path shared = home / "shared";
        std::filesystem::create_directories(shared);
        SettingsDatabase other;
        QCOMPARE(loadSettings(home / "brisel.dat", other), SettingsLoadResult::Ok);
        QVERIFY(!other.contacts.empty());
        other.contacts.clear();
        QVERIFY(saveSettings(shared / "brisel.dat", other));

        auto choose = [&](const std::filesystem::path& folder) {
            return ModalOverride([folder](QDialog& dialog) {
                auto& location = dynamic_cast<CDlgDatabaseLocation&>(dialog);
                location.useNetwork()->setChecked(true);
                location.pathEdit()->setText(QString::fromStdString(folder.string()));
                location.accept();
                return location.result();
            });
        };
        {
            const ModalOverride handler = choose(shared);
            frame->runCommand(cmd::kDatabaseLocation);
        }
        QCOMPARE(frame->dataFolder(), shared);
        QVERIFY(frame->session().settings().contacts.empty());
        QCOMPARE(frame.ini.readInt("Network", "Install", 0), 1);

        // A folder without settings, the local ones declined: the shared folder stays.
        QtMessageSink decline;
        decline.setHandler([](int, const std::string&, int) { return int(mb::kIdNo); });
        {
            const ModalOverride handler = choose(home / "missing");
            frame->runCommand(cmd::kDatabaseLocation);
        }
        QCOMPARE(frame->dataFolder(), shared);
        QVERIFY(frame->session().settings().contacts.empty());
        QCOMPARE(NetworkSettings::read(frame.ini).path, shared.string());
    }

    // For scripts/screenshot-check: with QX_SCREENSHOT_DIR set, the Security
    // page, "Change password" and "Set database location" are saved there.
    void screenshots()
    {
        const QString folder = qEnvironmentVariable("QX_SCREENSHOT_DIR");
        if (folder.isEmpty())
            QSKIP("QX_SCREENSHOT_DIR is not set");
        SettingsDatabase working;
        working.header.loginRequired = 1;
        working.header.supervisorEnabled = 1;
        CPageUDSecurity page(working);
        page.readRecord();
        page.resize(480, 300);
        CDlgChangePassword password("secret");
        CDlgDatabaseLocation location({true, "/srv/quantorix"});
        for (auto [window, name] : {std::pair<QWidget*, const char*>(&page, "security"),
                                    std::pair<QWidget*, const char*>(&password, "change-password"),
                                    std::pair<QWidget*, const char*>(&location, "database-location")}) {
            window->show();
            QVERIFY(QTest::qWaitForWindowExposed(window));
            QTest::qWait(100);
            QVERIFY(window->grab().save(folder + QLatin1Char('/') + QLatin1String(name) + QStringLiteral(".png")));
            window->close();
        }
    }
};

QTEST_MAIN(SecurityPageTest)
#include "SecurityPageTest.moc"
