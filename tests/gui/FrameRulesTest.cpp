// The main window's rules that need no window: the login rule, the command
// table and the hand-over request.
#include "GuiTestSupport.h"

#include "app/CommandTable.h"
#include "app/InstanceLink.h"
#include "core/IniProfile.h"
#include "core/Locale.h"
#include "settings/LoginRule.h"
#include "settings/SettingsHeader.h"

#include <QtTest>

class FrameRulesTest : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() { Locale::pin("en_US"); }

    void loginRule()
    {
        SettingsHeader header;
        QVERIFY(!login::required(header));
        header.loginRequired = 1;
        header.passwords[0].assign("admin");
        header.passwords[1].assign("same");
        header.passwords[2].assign("same");
        header.passwords[3].assign("");
        header.supervisorEnabled = 1;
        header.managerEnabled = 1;
        QCOMPARE(login::levelFor(header, "admin"), std::optional<int>(0));
        QCOMPARE(login::levelFor(header, "same"), std::optional<int>(1)); // the more privileged level wins
        QCOMPARE(login::levelFor(header, "Admin"), std::nullopt);         // case-sensitive
        QCOMPARE(login::levelFor(header, "admi"), std::nullopt);          // same length needed
        QCOMPARE(login::levelFor(header, ""), std::nullopt);              // Operator is not enabled
        header.operatorEnabled = 1;
        QCOMPARE(login::levelFor(header, ""), std::optional<int>(3));
        header.supervisorEnabled = 0;
        QCOMPARE(login::levelFor(header, "same"), std::optional<int>(2));
        QVERIFY(login::permits(1, 2) && login::permits(2, 2) && !login::permits(3, 2));
    }

    void commandTable()
    {
        CommandTable table;
        int ran = 0;
        bool rule = true;
        table.add({.id = 100, .count = 3, .run = [&](int id) { ran = id; }});
        table.add({.id = 200,
                   .level = login::kSupervisor,
                   .enabled = [&](int) { return rule; },
                   .run = [&](int id) { ran = id; },
                   .checked = [](int id) { return id == 200; }});
        table.add({.id = 300}); // its window does not exist yet

        // A range answers for each of its ids and for no other.
        QVERIFY(table.run(102, login::kOperator));
        QCOMPARE(ran, 102);
        QVERIFY(!table.find(103) && !table.run(103, login::kAdministrator));
        // The login level and the enabling rule both decide; a refused command does not run.
        ran = 0;
        QVERIFY(!table.enabled(200, login::kManager) && !table.run(200, login::kManager));
        QVERIFY(table.enabled(200, login::kSupervisor));
        rule = false;
        QVERIFY(!table.run(200, login::kAdministrator));
        QCOMPARE(ran, 0);
        QVERIFY(table.checkable(200) && table.checked(200) && !table.checkable(100));
        // A command without an action is never enabled.
        QVERIFY(table.find(300) && !table.enabled(300, login::kAdministrator));
    }

    void handOverRequest()
    {
        const QString path = QStringLiteral("\"/home/\u00e9l\u00e8ve/Calls/2025_01.BSL\"");
        const QByteArray wire = InstanceLink::encodeRequest(1, path);
        QCOMPARE(wire.size(), InstanceLink::kRequestSize);
        int origin = 0;
        QString text;
        QVERIFY(InstanceLink::decodeRequest(wire, origin, text));
        QCOMPARE(origin, 1);
        QCOMPARE(text, path);

        // 259 characters fit the buffer with its NUL; 260 are refused before anything is sent.
        const QString longest(InstanceLink::kMaxCommandLine, QLatin1Char('x'));
        QVERIFY(InstanceLink::decodeRequest(InstanceLink::encodeRequest(2, longest), origin, text));
        QCOMPARE(text.size(), 259);
        InstanceLink link(QStringLiteral("qx-test-no-such-instance"));
        QCOMPARE(link.handOver(longest + QLatin1Char('x'), 1), InstanceLink::HandOver::TooLong);

        // A buffer without its NUL, or with a wrong length, is not a request.
        QByteArray unterminated = wire;
        for (int i = 8; i < unterminated.size(); i += 2)
            unterminated[i] = 'y';
        QVERIFY(!InstanceLink::decodeRequest(unterminated, origin, text));
        QByteArray wrongLength = wire;
        wrongLength[4] = 1;
        QVERIFY(!InstanceLink::decodeRequest(wrongLength, origin, text));
        QVERIFY(!InstanceLink::decodeRequest(wire.left(100), origin, text));
    }

    void oneProgramPerDisplay()
    {
        TempDir temp;
        const QByteArray tmp = qgetenv("TMPDIR");
        qputenv("TMPDIR", QByteArray::fromStdString(temp.path().string()));
        const QByteArray wayland = qgetenv("WAYLAND_DISPLAY");
        const QByteArray x11 = qgetenv("DISPLAY");
        qunsetenv("WAYLAND_DISPLAY");
        const auto nameOn = [](const char* display) {
            qputenv("DISPLAY", display);
            return InstanceLink::defaultName();
        };
        QCOMPARE(nameOn(":1"), nameOn(":1.0"));
        QVERIFY(nameOn(":1") != nameOn(":2"));
        QVERIFY(nameOn("otherhost:1") != nameOn(":1"));
        QVERIFY(!nameOn("/x:1").contains(QLatin1Char('/')));

        // A start on another display is a first start of its own.
        qputenv("DISPLAY", ":1");
        InstanceLink first;
        QVERIFY(first.becomeFirst());
        qputenv("DISPLAY", ":2");
        InstanceLink other;
        QVERIFY(other.becomeFirst());
        qputenv("DISPLAY", ":1.0");
        InstanceLink second;
        QVERIFY(!second.becomeFirst());

        const auto restore = [](const char* name, const QByteArray& value) {
            if (value.isEmpty())
                qunsetenv(name);
            else
                qputenv(name, value);
        };
        restore("DISPLAY", x11);
        restore("WAYLAND_DISPLAY", wayland);
        restore("TMPDIR", tmp);
    }

    void aLockThatCannotBeMadeDoesNotStopTheProgram()
    {
        const QByteArray saved = qgetenv("TMPDIR");
        qputenv("TMPDIR", "/nonexistent-qx-folder/tmp");
        InstanceLink link(QStringLiteral("qx-test-unlockable"));
        const bool first = link.becomeFirst();
        qputenv("TMPDIR", saved);
        QVERIFY(first);
    }
};

QTEST_GUILESS_MAIN(FrameRulesTest)
#include "FrameRulesTest.moc"
