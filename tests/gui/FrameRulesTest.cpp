// The main window's rules that need no window: layout keys, search history,
// row colours, the login rule, the command table and the hand-over request.
#include "GuiTestSupport.h"

#include "app/CommandTable.h"
#include "app/FindHistory.h"
#include "app/FrameLayout.h"
#include "app/InstanceLink.h"
#include "settings/LoginRule.h"
#include "app/RowColors.h"
#include "core/IniProfile.h"
#include "core/Locale.h"
#include "settings/SettingsHeader.h"

#include <QtTest>

class FrameRulesTest : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() { Locale::pin("en_US"); }

    void layoutDefaultsWithoutIniFile()
    {
        TempDir dir;
        const IniProfile ini(dir / "quantorix.ini");
        const ListLayout list = ListLayout::read(ini);
        QCOMPARE(list.columns, 14);
        QCOMPARE(list.sort.primary.type, ColumnType::Date);
        QCOMPARE(list.sort.secondary.type, ColumnType::Ext);
        QVERIFY(!list.sort.primary.descending && !list.sort.secondary.descending);
        QCOMPARE(list.typeAt(5), ColumnType::Duration);
        QCOMPARE(list.widthOf(ColumnType::DialedNumber), 160);
        QCOMPARE(list.widthOf(ColumnType::Cd), 48);

        // Made for a 6-pixel average character; a wider font scales them.
        QCOMPARE(ListLayout::defaultWidths()[static_cast<int>(ColumnType::Date)], 64);
        QCOMPARE(ListLayout::defaultWidths(9)[static_cast<int>(ColumnType::Date)], 96);
        QCOMPARE(ListLayout::defaultWidths(7)[static_cast<int>(ColumnType::Employee)], 93);

        const WindowLayout window = WindowLayout::read(ini, 10, 20, 1000, 700);
        QCOMPARE(window.left, 10);
        QCOMPARE(window.top, 20);
        QCOMPARE(window.width, 1000);
        QCOMPARE(window.height, 700);
        QVERIFY(window.maximize);
    }

    void layoutRoundTripAndDamagedValues()
    {
        TempDir dir;
        IniProfile ini(dir / "quantorix.ini");
        ListLayout list;
        list.columns = 3;
        std::swap(list.types[0], list.types[5]);
        list.widths[static_cast<int>(ColumnType::Cost)] = 77;
        list.sort.primary = {ColumnType::Duration, true};
        list.sort.secondary = {ColumnType::Date, false};
        list.write(ini);

        const ListLayout back = ListLayout::read(IniProfile(dir / "quantorix.ini"));
        QCOMPARE(back.columns, 3);
        QCOMPARE(back.typeAt(0), ColumnType::Duration);
        QCOMPARE(back.typeAt(5), ColumnType::Date);
        QCOMPARE(back.widthOf(ColumnType::Cost), 77);
        QCOMPARE(back.sort.primary.type, ColumnType::Duration);
        QVERIFY(back.sort.primary.descending);
        QCOMPARE(back.positionOf(ColumnType::Duration), 0);
        QCOMPARE(back.positionOf(ColumnType::Cost), -1);  // not among the three shown

        // A column type twice, a type outside the 19, a count of 0, a bad sort type:
        // each falls back to its default rather than showing a column that does not exist.
        ini.writeInt("List", "Type1", 0);
        ini.writeInt("List", "Columns", 0);
        ini.writeInt("CallsSort0", "Type", 19);
        ini.writeInt("List", "Width3", -5);
        const ListLayout damaged = ListLayout::read(ini);
        QCOMPARE(damaged.columns, 14);
        for (int i = 0; i < kColumnTypeCount; ++i)
            QCOMPARE(static_cast<int>(damaged.typeAt(i)), i);
        QCOMPARE(damaged.sort.primary.type, ColumnType::Date);
        QCOMPARE(damaged.widthOf(ColumnType::DialedNumber), 160);
    }

    void windowIsPutOnAScreenThatExists()
    {
        const QList<QRect> screens = {QRect(0, 0, 1280, 800), QRect(1280, 0, 1024, 768)};
        // Title bar on a screen (also the second one): kept.
        QCOMPARE(WindowLayout::placeOnScreens(QRect(100, 100, 800, 600), screens, 30), QRect(100, 100, 800, 600));
        QCOMPARE(WindowLayout::placeOnScreens(QRect(1400, 50, 500, 400), screens, 30), QRect(1400, 50, 500, 400));
        // The full-screen rectangle of a window never shown: its title bar lay above the screen.
        QCOMPARE(WindowLayout::placeOnScreens(QRect(0, 0, 1280, 800), screens, 30), QRect(0, 30, 1280, 770));
        // A screen that is gone: onto the first one.
        QCOMPARE(WindowLayout::placeOnScreens(QRect(3000, 200, 600, 400), screens, 30), QRect(680, 200, 600, 400));
        // Mostly on the second screen, title bar off it: onto the second one.
        QCOMPARE(WindowLayout::placeOnScreens(QRect(1500, -200, 400, 500), screens, 30), QRect(1500, 30, 400, 500));
    }

    void searchHistoryKeepsSixteenAndPlaces()
    {
        TempDir dir;
        IniProfile ini(dir / "quantorix.ini");
        FindHistory history;
        for (int i = 0; i < 16; ++i)
            QVERIFY(history.add(std::to_string(1000 + i)));
        QVERIFY(history.write(ini));
        FindHistory back = FindHistory::read(IniProfile(dir / "quantorix.ini"));
        QCOMPARE(back.entries().size(), std::size_t{16});
        QCOMPARE(back.entries().front(), std::string("1015"));

        QVERIFY(!back.add("1007"));  // present: keeps its place
        QCOMPARE(back.entries()[8], std::string("1007"));
        QVERIFY(back.add("555"));
        QCOMPARE(back.entries().size(), std::size_t{16});
        QCOMPARE(back.entries().front(), std::string("555"));
        QCOMPARE(back.entries().back(), std::string("1001"));  // "1000" dropped out
        QVERIFY(back.write(ini));
        QCOMPARE(ini.readInt("MRU", "Size", 0), 16);
        QCOMPARE(ini.readString("MRU", "Str0"), std::string("555"));

        // A damaged size is bounded by what the history can hold.
        ini.writeInt("MRU", "Size", 100000);
        QCOMPARE(FindHistory::read(ini).entries().size(), std::size_t{16});
    }

    void rowColours()
    {
        const Preferences prefs;
        CallRecord local = makeCall("1234567");
        local.localFlag = 1;
        local.callType = 0;
        RowColors colors = rowColors(local, prefs);
        QCOMPARE(colors.text, prefs.colorOut[0]);
        QVERIFY(!colors.background);  // white is the list's own background

        CallRecord unknown = makeCall("0099912345");
        unknown.callType = 2;
        unknown.destinationIndex = -1;
        QCOMPARE(rowColors(unknown, prefs).text, ColorRef{0x0000DC});
        unknown.destinationIndex = 4;
        QCOMPARE(rowColors(unknown, prefs).text, ColorRef{0xC8C800});

        CallRecord incoming = makeCall("", 60, 3, 1);
        QCOMPARE(rowColors(incoming, prefs).text, ColorRef{0x008000});

        Preferences tinted;
        tinted.backUser[1] = 0x00FFEE;
        CallRecord user = makeCall("123");
        user.callType = 4;
        user.destinationIndex = 0;
        colors = rowColors(user, tinted);
        QCOMPARE(colors.text, tinted.colorUser[1]);
        QCOMPARE(colors.background.value_or(0), ColorRef{0x00FFEE});
    }

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
        QCOMPARE(login::levelFor(header, "same"), std::optional<int>(1));  // the more privileged level wins
        QCOMPARE(login::levelFor(header, "Admin"), std::nullopt);          // case-sensitive
        QCOMPARE(login::levelFor(header, "admi"), std::nullopt);           // same length needed
        QCOMPARE(login::levelFor(header, ""), std::nullopt);               // Operator is not enabled
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
        table.add({.id = 200, .level = login::kSupervisor, .enabled = [&](int) { return rule; }, .run = [&](int id) { ran = id; },
                   .checked = [](int id) { return id == 200; }});
        table.add({.id = 300});  // its window does not exist yet

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
