// The pages of the settings sheet that price the calls, on a copy of the demo
// settings: the edit-rate sheet's stored periods, the rate cell texts, the
// weekly holiday boxes in the locale's week order, yearly holidays and the
// exchange-rate history. With QX_SCREENSHOT_DIR set, `screenshots` saves each
// page and the edit-rate sheet there (scripts/screenshot-check).
#include "GuiTestSupport.h"

#include "core/IniProfile.h"
#include "core/Locale.h"
#include "core/LocaleTexts.h"
#include "editor/CDlgUDExchangeRate.h"
#include "editor/CPageUDCurrency.h"
#include "editor/CPageUDERateCode.h"
#include "editor/CPageUDERatePeriods.h"
#include "editor/CPageUDHoliday.h"
#include "editor/CPageUDRateText.h"
#include "editor/CSheetUDERate.h"
#include "prefs/Preferences.h"
#include "settings/SettingsDatabase.h"
#include "settings/SettingsFile.h"
#include "ui/ModalRunner.h"

#include <QCalendarWidget>
#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QDir>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QTableView>
#include <QTimeEdit>
#include <QtTest>

namespace {

struct Working
{
    Working()
        : ini(home / "quantorix.ini")
    {
        Locale::pin("en_US");
        LocaleTexts::refresh();
        loadSettings(home / "brisel.dat", db);
        db.rebuildIndexes();
    }
    TariffContext context() { return {db, ini, prefs}; }

    TestHome home;
    IniProfile ini;
    SettingsDatabase db;
    Preferences prefs;
};

void shoot(QWidget& window, const QString& name)
{
    const QString dir = qEnvironmentVariable("QX_SCREENSHOT_DIR");
    if (dir.isEmpty())
        return;
    window.resize(window.sizeHint().expandedTo(QSize(640, 480)));
    window.show();
    QTest::qWait(50);
    QVERIFY(window.grab().save(QDir(dir).filePath(name + QStringLiteral(".png"))));
}

} // namespace

class TariffPagesTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // The normal form OK stores: a night period crosses midnight, equal times
    // mean the whole day, an inactive period is emptied, "min" is 60 seconds.
    void editRateSheetStoresPeriods()
    {
        Working w;
        RateEdit edit;
        edit.rates.periods[2].rate = 0.5; // inactive, with leftovers
        edit.rates.periods[2].fromHour = 7;
        CSheetUDERate sheet(edit, w.db, 0);
        QCOMPARE(sheet.pageCount(), 6);
        QCOMPARE(sheet.tabs()->tabText(2), QStringLiteral("Rate #1"));

        sheet.selectPage(2);
        CPageUDERatePeriods* night = sheet.periodPage(0);
        QVERIFY(!night->rate()->isEnabled());
        night->active()->setChecked(true);
        QVERIFY(night->rate()->isEnabled());
        night->weekdays()->setChecked(true);
        night->from()->setTime(QTime(22, 0));
        night->to()->setTime(QTime(6, 0));
        night->rate()->setText(QStringLiteral("0.12"));
        night->unit()->setCurrentIndex(CPageUDERatePeriods::kUnitMinute);
        Q_EMIT night->unit()->activated(CPageUDERatePeriods::kUnitMinute);
        QVERIFY(!night->unitSeconds()->isEnabled());

        sheet.selectPage(3);
        CPageUDERatePeriods* day = sheet.periodPage(1);
        day->active()->setChecked(true);
        day->holidays()->setChecked(true);
        day->unit()->setCurrentIndex(CPageUDERatePeriods::kUnitSeconds);
        Q_EMIT day->unit()->activated(CPageUDERatePeriods::kUnitSeconds);
        day->unitSeconds()->setValue(0);
        sheet.accept();

        const RateBlock& r = sheet.edit().rates;
        QCOMPARE(r.periods[0].flags, 0x8000u | 0x4u | 0x10u | 0x20u);
        QCOMPARE(r.periods[0].unitLength, 60);
        QCOMPARE(r.periods[0].rate, 0.12);
        QCOMPARE(r.periods[1].flags, 0x8000u | 0xCu); // 00:00-00:00: no times
        QCOMPARE(r.periods[1].unitLength, 60);        // a unit of 0 becomes 60
        RatePeriod empty;
        empty.unitLength = 60;
        QVERIFY(r.periods[2] == empty);
    }

    // Several rows: the code is disabled and empty.
    void editRateSheetForSeveralRows()
    {
        Working w;
        RateEdit edit;
        edit.codeEnabled = false;
        edit.countries = {"Austria", "Germany"};
        CSheetUDERate sheet(edit, w.db, 0);
        QVERIFY(!sheet.codePage()->code()->isEnabled());
        QCOMPARE(sheet.codePage()->country()->count(), 2);
        RateEdit local;
        local.withDestination = false;
        CSheetUDERate localSheet(local, w.db, 0);
        QVERIFY(!localSheet.codePage());
        QCOMPARE(localSheet.pageCount(), 5);
    }

    void generalTextOfTheWorkedExample()
    {
        Working w;
        RateBlock r;
        r.minDuration = 10;
        r.initialCharge = 1.0;
        r.initialUnit = 60;
        r.minCost = 0.5;
        r.roundTo = 30;
        const std::string one = w.db.formatCurrency(1.0), half = w.db.formatCurrency(0.5);
        QCOMPARE(ratetext::general(r, w.db), ">= 10 sec " + one + " / 60 sec (" + half + ") [30 sec]");
        RatePeriod p;
        p.flags = RatePeriod::kActive | RatePeriod::kByKindOfDay | RatePeriod::kTimed;
        p.unitLength = 30;
        p.rate = 0.5;
        p.fromHour = 8;
        p.toHour = 18;
        QCOMPARE(ratetext::period(p, false, w.db), half + " / unit (30 sec), Weekdays, 8:00 AM - 6:00 PM");
        QCOMPARE(ratetext::period(RatePeriod{}, false, w.db), std::string());
    }

    // The first box is the locale's first day of the week and sets that day's flag.
    void weekdayBoxesFollowTheLocale_data()
    {
        QTest::addColumn<QString>("locale");
        QTest::addColumn<QString>("firstBox");
        QTest::addColumn<int>("flag");
        QTest::newRow("Sunday first") << QStringLiteral("en_US") << QStringLiteral("Sunday") << 6;
        QTest::newRow("Monday first") << QStringLiteral("en_GB") << QStringLiteral("Monday") << 0;
    }

    void weekdayBoxesFollowTheLocale()
    {
        QFETCH(QString, locale);
        QFETCH(QString, firstBox);
        QFETCH(int, flag);
        Working w;
        Locale::pin(locale.toStdString());
        w.db.header.weeklyHolidays.fill(0);
        CPageUDHoliday page(w.context());
        page.readRecord();
        QCOMPARE(page.weekdayBox(0)->text(), firstBox);
        page.weekdayBox(0)->setChecked(true);
        page.writeRecord();
        std::array<std::int32_t, 7> expected{};
        expected[static_cast<std::size_t>(flag)] = 1;
        QVERIFY(w.db.header.weeklyHolidays == expected);
        Locale::pin("en_US");
    }

    // A yearly 29 February is added once, shows its day and moves the calendar there.
    void yearlyHolidayOn29February()
    {
        Working w;
        w.db.holidays.clear();
        CPageUDHoliday page(w.context());
        page.readRecord();
        page.yearly()->setChecked(true);
        page.calendar()->setSelectedDate(QDate(2024, 2, 29));
        page.add();
        page.add();
        QCOMPARE(w.db.holidays.size(), std::size_t(1));
        QVERIFY(w.db.holidays[0] == (HolidayEntry{0, 2, 29}));
        QCOMPARE(page.total()->text(), QStringLiteral("1"));
        const QString text = page.list()->model()->index(0, 0).data().toString();
        QVERIFY(text.contains(QStringLiteral("29")));
        QVERIFY(!text.contains(QStringLiteral("2000")));
        page.calendar()->setSelectedDate(QDate(2024, 5, 1));
        page.list()->clearSelection();
        page.list()->selectionModel()->select(page.list()->model()->index(0, 0),
                                              QItemSelectionModel::Select | QItemSelectionModel::Rows);
        const int year = QDate::currentDate().year();
        QCOMPARE(page.calendar()->selectedDate(), QDate(year, 2, QDate::isLeapYear(year) ? 29 : 28));
    }

    // The list shows the working copy: a header click reverses the order and
    // its indicator, Delete removes the selected rows, OK stores order and width.
    void holidayListOrderDeleteAndWidth()
    {
        Working w;
        w.db.holidays = {{2025, 3, 1}, {2025, 1, 1}, {2025, 2, 1}};
        w.ini.writeInt("ListHoliday", "ColWidth0", 150);
        MessageLog log;
        CPageUDHoliday page(w.context());
        page.readRecord();
        QTableView* list = page.list();
        const auto monthAt = [&](int row) { return w.db.holidays[static_cast<std::size_t>(row)].month; };
        QCOMPARE(list->model()->rowCount(), 3);
        QCOMPARE(monthAt(0), std::uint8_t(1));
        const QString first = list->model()->index(0, 0).data().toString();
        QTest::mouseClick(list->horizontalHeader()->viewport(), Qt::LeftButton, {},
                          QPoint(list->horizontalHeader()->sectionPosition(0) + 5, 5));
        QCOMPARE(list->horizontalHeader()->sortIndicatorOrder(), Qt::DescendingOrder);
        QCOMPARE(list->model()->index(2, 0).data().toString(), first);
        QVERIFY(list->columnWidth(0) >= 150);

        // Rows 0 and 1 of the reversed list are March and February.
        list->selectionModel()->select(list->model()->index(0, 0),
                                       QItemSelectionModel::Select | QItemSelectionModel::Rows);
        list->selectionModel()->select(list->model()->index(1, 0),
                                       QItemSelectionModel::Select | QItemSelectionModel::Rows);
        QTest::keyClick(list, Qt::Key_Delete);
        QCOMPARE(w.db.holidays.size(), std::size_t(1));
        QCOMPARE(monthAt(0), std::uint8_t(1));
        QCOMPARE(list->model()->rowCount(), 1);
        QCOMPARE(page.total()->text(), QStringLiteral("1"));

        list->setColumnWidth(0, 210);
        page.sheetAccepted();
        QCOMPARE(w.ini.readInt("ListHoliday", "Order", 0), 1);
        QCOMPARE(w.ini.readInt("ListHoliday", "ColWidth0", 0), list->columnWidth(0));
    }

    // Add through the dialog: a date already in the history gets the new rate.
    void exchangeRateForAKnownDateReplacesIt()
    {
        Working w;
        w.db.exchangeRates.clear();
        w.db.header.useRateHistory = 1;
        CPageUDCurrency page(w.context());
        page.readRecord();
        const auto addRate = [&](QDate date, const QString& rate) {
            const ModalOverride handler([&](QDialog& dialog) {
                auto& rateDialog = dynamic_cast<CDlgUDExchangeRate&>(dialog);
                rateDialog.starting()->setDate(date);
                rateDialog.rate()->setText(rate);
                return int(QDialog::Accepted);
            });
            page.addRate();
        };
        addRate(QDate(2025, 3, 1), QStringLiteral("1.5"));
        addRate(QDate(2025, 1, 1), QStringLiteral("1.25"));
        addRate(QDate(2025, 3, 1), QStringLiteral("2"));
        QCOMPARE(w.db.exchangeRates.size(), std::size_t(2));
        QCOMPARE(w.db.exchangeRates[0].month, std::uint8_t(1));
        QCOMPARE(w.db.exchangeRates[1].rate, 2.0);
        QCOMPARE(page.history()->model()->rowCount(), 2);
        QVERIFY(page.history()->selectionModel()->isRowSelected(1, {}));
        QCOMPARE(page.history()->currentIndex().row(), 1);

        page.useHistory()->setChecked(false);
        QVERIFY(!page.history()->isEnabled());
    }

    // Override off: the main currency's controls are disabled and keep their values;
    // a changed position is taken at once into the formats.
    void currencyChangesTakeEffectAtOnce()
    {
        Working w;
        w.db.header.overrideCurrency = 1;
        CPageUDCurrency page(w.context());
        page.readRecord();
        page.symbol()->setText(QStringLiteral("EUR"));
        Q_EMIT page.symbol()->textEdited(QStringLiteral("EUR"));
        page.position()->setCurrentIndex(3);
        const QString one = QString::fromStdString(w.db.formatCurrency(1.0));
        QVERIFY2(one.startsWith(QLatin1Char('1')) && one.endsWith(QStringLiteral(" EUR")), qPrintable(one));
        QCOMPARE(page.rateLine().mainAfter->text(), QStringLiteral("EUR"));
        page.override()->setChecked(false);
        QVERIFY(!page.symbol()->isEnabled());
        QCOMPARE(page.symbol()->text(), QStringLiteral("EUR"));
    }

    void screenshots()
    {
        if (qEnvironmentVariableIsEmpty("QX_SCREENSHOT_DIR"))
            QSKIP("QX_SCREENSHOT_DIR is not set");
        Working w;
        CPageUDHoliday holidays(w.context());
        holidays.readRecord();
        shoot(holidays, QStringLiteral("holidays"));
        CPageUDCurrency currency(w.context());
        currency.readRecord();
        shoot(currency, QStringLiteral("currency"));
        RateEdit edit;
        edit.code = "4930";
        edit.country = "Germany";
        edit.city = "Berlin";
        edit.rates.periods[0].flags = RatePeriod::kActive;
        edit.rates.periods[0].unitLength = 60;
        edit.rates.periods[0].rate = 0.09;
        for (int page : {0, 1, 2}) {
            CSheetUDERate sheet(edit, w.db, page);
            shoot(sheet, QStringLiteral("edit-rate-%1").arg(page + 1));
        }
    }
};

QTEST_MAIN(TariffPagesTest)
#include "TariffPagesTest.moc"
