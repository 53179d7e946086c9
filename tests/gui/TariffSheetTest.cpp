// The Carriers and Rates pages inside the settings sheet that the main window
// opens on the demo installation: a rate changed through the pages prices the
// loaded calls anew, the rows of several countries, duplicate codes and
// prefixes, and the toll-rate import through the page's button.
#include "FrameFixture.h"

#include "app/Commands.h"
#include "editor/CDlgUDPrefix.h"
#include "editor/CPageUDCarrier.h"
#include "editor/CPageUDERateCode.h"
#include "editor/CPageUDERateGeneral.h"
#include "editor/CPageUDERatePeriods.h"
#include "editor/CPageUDRate.h"
#include "editor/CSheetUD.h"
#include "editor/CSheetUDERate.h"
#include "editor/TariffPageIds.h"
#include "lang/StringIds.h"
#include "lang/StringTable.h"
#include "lang/gui/QtTranslate.h"
#include "rating/CallRating.h"
#include "settings/SettingsDatabase.h"
#include "textfile/TollRateColumns.h"
#include "textfile/gui/CDlgTextTableOptions.h"
#include "textfile/gui/QtTextTableFrontEnd.h"
#include "textfile/gui/TextTableIds.h"
#include "ui/ModalRunner.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QLineEdit>
#include <QSpinBox>
#include <QTabBar>
#include <QTableView>
#include <QtTest>

#include <fstream>
#include <functional>
#include <iterator>

namespace {

// Opens the settings sheet on the page of `templateId` through the main
// window's command, runs `work` on that page, then presses OK (or Cancel).
// Dialogs the page opens meanwhile go to `dialogs`.
template <class Page>
void onPage(CMainFrame& frame, int templateId, const std::function<void(Page&)>& work,
            const std::function<int(QDialog&)>& dialogs = {}, bool ok = true)
{
    bool reached = false;
    const ModalOverride handler([&](QDialog& dialog) {
        auto* sheet = qobject_cast<CSheetUD*>(&dialog);
        if (!sheet)
            return dialogs ? dialogs(dialog) : int(QDialog::Rejected);
        auto* page = dynamic_cast<Page*>(sheet->pageOf(templateId));
        if (!page)
            return int(QDialog::Rejected);
        for (int i = 0; i < sheet->pageCount(); ++i)
            if (sheet->page(i) == page)
                sheet->selectPage(i);
        reached = true;
        const ModalOverride inner(dialogs ? dialogs : [](QDialog&) { return int(QDialog::Rejected); });
        work(*page);
        if (ok)
            sheet->accept();
        else
            sheet->reject();
        return sheet->result();
    });
    frame.runCommand(cmd::kSettings);
    QVERIFY(reached);
}

int rowOfCode(CPageUDRate& page, std::string_view code)
{
    for (int r = 0; r < page.recordCount(); ++r)
        if (page.records()[static_cast<std::size_t>(r)].code.view() == code)
            return r;
    return -1;
}

void selectRows(QTableView* view, const std::vector<int>& rows)
{
    view->clearSelection();
    for (int r : rows)
        view->selectionModel()->select(view->model()->index(r, 0),
                                       QItemSelectionModel::Select | QItemSelectionModel::Rows);
    if (!rows.empty())
        view->selectionModel()->setCurrentIndex(view->model()->index(rows.front(), 0), QItemSelectionModel::NoUpdate);
}

// The calls of a call file as read, then classified and priced with `settings`.
std::vector<CallRecord> ratedCalls(const std::filesystem::path& file, const SettingsDatabase& settings,
                                   const Preferences& prefs)
{
    std::ifstream in(file, std::ios::binary);
    const std::vector<std::uint8_t> bytes{std::istreambuf_iterator<char>(in), {}};
    CallRating rating(settings, RatingOptions::from(prefs));
    rating.rebuild();
    std::vector<CallRecord> calls;
    for (std::size_t at = 0; at + CallFileRecord::kSize <= bytes.size(); at += CallFileRecord::kSize) {
        CallRecord call = CallRecord::empty();
        CallFileRecord::read(std::span<const std::uint8_t, CallFileRecord::kSize>(bytes.data() + at,
                                                                                  CallFileRecord::kSize),
                             call);
        rating.classify(call);
        rating.price(call);
        calls.push_back(call);
    }
    return calls;
}

} // namespace

class TariffSheetTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // Through the windows alone: the first period's rate of one destination
    // for one carrier changes, and exactly its calls are priced anew.
    void changedRatePricesTheLoadedCalls()
    {
        TestHome home;
        TestFrame frame(home);
        const std::filesystem::path file = home.writeCalls("rates.bsl", 3000);
        QVERIFY(frame->openFiles({file}));
        const CallSession& session = frame->session().calls();
        const std::vector<CallRecord> before(session.calls().begin(), session.calls().end());

        // The destination and carrier of the first priced call with an active first period.
        const SettingsDatabase& live = frame->session().settings();
        int carrier = -1;
        std::string code;
        // A first period for the whole of every day, when there is one, prices all its calls.
        for (const std::uint32_t wanted : {std::uint32_t(RatePeriod::kActive), std::uint32_t(0)}) {
            for (const CallRecord& call : before) {
                if (call.destinationIndex < 0 || call.cost <= 0.0 || call.carrierIndex < 0 || carrier >= 0)
                    continue;
                const DestinationEntry& d = live.destinations[static_cast<std::size_t>(call.destinationIndex)];
                const std::uint32_t flags = d.rates[static_cast<std::size_t>(call.carrierIndex)].periods[0].flags;
                if ((flags & RatePeriod::kActive) && (wanted == 0 || flags == wanted)) {
                    carrier = call.carrierIndex;
                    code = d.code.str();
                }
            }
        }
        QVERIFY(carrier >= 0);
        const double oldRate = live.destinations[static_cast<std::size_t>(live.findDestination(code))]
                                   .rates[static_cast<std::size_t>(carrier)]
                                   .periods[0]
                                   .rate;

        onPage<CPageUDRate>(
            *frame.window, tariffres::kRatePage,
            [&](CPageUDRate& page) {
                page.selectMode(CPageUDRate::kToll);
                page.selectCarrier(carrier);
                const int row = rowOfCode(page, code);
                QVERIFY(row >= 0);
                selectRows(page.list(), {row});
                page.editSelected();
            },
            [&](QDialog& dialog) {
                auto& rateSheet = dynamic_cast<CSheetUDERate&>(dialog);
                rateSheet.selectPage(rateSheet.pageCount() - 4);
                QLineEdit* rate = rateSheet.periodPage(0)->rate();
                rate->setText(
                    QString::number(oldRate * 3 + 0.5)
                        .replace(QLatin1Char('.'),
                                 QString::fromStdString(live.currency().format(Currency::Main).decimalSymbol)));
                rateSheet.accept();
                return rateSheet.result();
            });

        const SettingsDatabase& changed = frame->session().settings();
        const int at = changed.findDestination(code);
        QVERIFY(at >= 0);
        QVERIFY(std::abs(changed.destinations[static_cast<std::size_t>(at)]
                             .rates[static_cast<std::size_t>(carrier)]
                             .periods[0]
                             .rate
                         - (oldRate * 3 + 0.5))
                < 1e-9);
        const std::vector<CallRecord> expected = ratedCalls(file, changed, frame->session().prefs());
        QCOMPARE(session.count(), expected.size());
        int repriced = 0;
        for (std::size_t i = 0; i < expected.size(); ++i) {
            const CallRecord& now = session.call(i);
            const bool touched = now.destinationIndex >= 0 && now.carrierIndex == carrier
                                 && changed.destinations[static_cast<std::size_t>(now.destinationIndex)].code.view()
                                        == code;
            QCOMPARE(now.cost, expected[i].cost);
            if (touched)
                repriced += now.cost != before[i].cost;
            else
                QCOMPARE(now.cost, before[i].cost);
        }
        QVERIFY(repriced > 0);
    }

    // Three rows of three countries: the country box is empty and stays so,
    // each row keeps its own country and all get the edited rate.
    void editingRowsOfDifferentCountries()
    {
        TestHome home;
        TestFrame frame(home);
        std::vector<std::string> codes;
        onPage<CPageUDRate>(
            *frame.window, tariffres::kRatePage,
            [&](CPageUDRate& page) {
                page.selectMode(CPageUDRate::kToll);
                page.selectCarrier(0);
                std::vector<int> rows;
                std::vector<std::string> countries;
                for (int r = 0; r < page.recordCount() && rows.size() < 3; ++r) {
                    const std::string country = page.records()[static_cast<std::size_t>(r)].country.str();
                    if (std::find(countries.begin(), countries.end(), country) == countries.end()) {
                        countries.push_back(country);
                        rows.push_back(r);
                        codes.push_back(page.records()[static_cast<std::size_t>(r)].code.str());
                    }
                }
                QCOMPARE(rows.size(), std::size_t(3));
                selectRows(page.list(), rows);
                page.editSelected();
                for (std::size_t i = 0; i < 3; ++i) {
                    const DestinationEntry& d = page.records()[static_cast<std::size_t>(rowOfCode(page, codes[i]))];
                    QCOMPARE(d.country.str(), countries[i]);
                    QCOMPARE(d.rates[0].minDuration, 42);
                }
            },
            [](QDialog& dialog) {
                auto& rateSheet = dynamic_cast<CSheetUDERate&>(dialog);
                rateSheet.selectPage(0);
                CPageUDERateCode* code = rateSheet.codePage();
                if (code->code()->isEnabled() || !code->country()->currentText().isEmpty())
                    return int(QDialog::Rejected);
                rateSheet.selectPage(1);
                rateSheet.generalPage()->minDuration()->setValue(42);
                rateSheet.accept();
                return rateSheet.result();
            });
    }

    // An existing code is refused with its message, an empty one silently.
    void duplicateCodeIsRefused()
    {
        TestHome home;
        TestFrame frame(home);
        MessageLog log;
        std::string typed;
        const auto answer = [&](QDialog& dialog) {
            auto& rateSheet = dynamic_cast<CSheetUDERate&>(dialog);
            rateSheet.selectPage(0);
            rateSheet.codePage()->code()->setText(QString::fromStdString(typed));
            rateSheet.accept();
            return rateSheet.result();
        };
        onPage<CPageUDRate>(
            *frame.window, tariffres::kRatePage,
            [&](CPageUDRate& page) {
                page.selectMode(CPageUDRate::kToll);
                const int count = page.recordCount();
                typed = page.records()[0].code.str();
                page.addRecord();
                QCOMPARE(page.recordCount(), count);
                QVERIFY(log.has(sid::kDuplicateCode));
                log.clear();
                typed.clear();
                page.addRecord();
                QCOMPARE(page.recordCount(), count);
                QVERIFY(log.shown().empty());
            },
            answer, false);
    }

    // "Rate1_Apply" "holidays" in any letter case gives 0x800C for an active period.
    void importedApplyTextInAnyCase()
    {
        TestHome home;
        TestFrame frame(home);
        MessageLog log;
        const std::filesystem::path file = home / "rates.txt";
        {
            // All 34 columns; period 1 active on "HoLiDaYs", the other periods inactive.
            std::ofstream out(file, std::ios::binary);
            const std::vector<std::string> titles = tollrates::titles();
            static_assert(tollrates::kColumnCount == 34);
            std::vector<std::string> cells = {"99901", "Testland", "A", "0", "0", "0", "0", "0", "0", "0"};
            for (int n = 0; n < 4; ++n)
                cells.insert(cells.end(), {n == 0 ? "1" : "0", "0", "60", "00:00", "00:00", n == 0 ? "HoLiDaYs" : ""});
            const auto writeLine = [&](const std::vector<std::string>& line) {
                for (std::size_t i = 0; i < line.size(); ++i)
                    out << (i ? "\t" : "") << line[i];
                out << "\r\n";
            };
            writeLine(titles);
            writeLine(cells);
        }
        const TextFileChooserOverride chooser([&](TextTableMode, const std::filesystem::path&) { return file; });
        onPage<CPageUDRate>(
            *frame.window, tariffres::kRatePage,
            [&](CPageUDRate& page) {
                page.selectMode(CPageUDRate::kToll);
                page.selectCarrier(1);
                page.importList();
                const int row = rowOfCode(page, "99901");
                QVERIFY(row >= 0);
                QCOMPARE(page.records()[static_cast<std::size_t>(row)].rates[1].periods[0].flags, 0x800Cu);
            },
            [](QDialog& dialog) {
                auto* options = qobject_cast<CDlgTextTableOptions*>(&dialog);
                if (!options)
                    return int(QDialog::Rejected);
                qobject_cast<QAbstractButton*>(options->control(ttres::kTab))->click();
                options->accept();
                return options->result();
            },
            false);
    }

    // "12*" and "123" are the same prefix; "12" and "123" are not. Renaming a
    // carrier shows on its tab; OK keeps a name still being typed.
    void prefixesAndCarrierNames()
    {
        TestHome home;
        TestFrame frame(home);
        MessageLog log;
        QString typed;
        onPage<CPageUDCarrier>(
            *frame.window, tariffres::kCarrierPage,
            [&](CPageUDCarrier& page) {
                page.selectCarrier(1);
                page.name()->setText(QStringLiteral("Renamed"));
                page.selectCarrier(2);
                QCOMPARE(page.carrierTabs()->tabText(1), QStringLiteral("2. Renamed"));
                page.records().clear();
                page.refresh();
                for (const char* prefix : {"123", "12*", "12"}) {
                    typed = QString::fromLatin1(prefix);
                    page.addRecord();
                }
                QCOMPARE(page.recordCount(), 2);
                QVERIFY(log.has(sid::kDuplicatePrefix));
                page.name()->setText(QStringLiteral("Third"));
            },
            [&](QDialog& dialog) {
                auto& prefix = dynamic_cast<CDlgUDPrefix&>(dialog);
                prefix.prefix()->setText(typed);
                prefix.changeCarrier()->setChecked(true);
                prefix.carrier()->setCurrentIndex(2); // the carrier being edited: no change
                prefix.accept();
                return prefix.result();
            });
        const SettingsDatabase& live = frame->session().settings();
        QCOMPARE(live.carriers[2].name.str(), std::string("Third"));
        QCOMPARE(live.prefixes[2].size(), std::size_t(2));
        for (const PrefixEntry& p : live.prefixes[2])
            QCOMPARE(p.changeCarrierTo, 0);
    }

    // Local mode: the selection of the two-row list stays when the carrier
    // changes; a double-click edits the selected row of the carrier shown.
    void localRatesList()
    {
        TestHome home;
        TestFrame frame(home);
        const RateBlock outgoing = frame->session().settings().carriers[1].localRate;
        onPage<CPageUDRate>(
            *frame.window, tariffres::kRatePage,
            [&](CPageUDRate& page) {
                page.selectMode(CPageUDRate::kLocal);
                page.selectCarrier(0);
                QTableView* list = page.localList();
                QCOMPARE(list->model()->rowCount(), 2);
                selectRows(list, {1});
                page.selectCarrier(1);
                QVERIFY(list->selectionModel()->isRowSelected(1, {}));
                QVERIFY(!list->selectionModel()->isRowSelected(0, {}));
                QCOMPARE(list->model()->index(1, 0).data().toString(), qtText(LoadText(sid::kDirectionIncoming)));
                Q_EMIT list->doubleClicked(list->model()->index(1, 2));
                QVERIFY(list->model()->index(1, 2).data().toString().contains(QStringLiteral("7")));
            },
            [&](QDialog& dialog) {
                auto& rateSheet = dynamic_cast<CSheetUDERate&>(dialog);
                rateSheet.selectPage(rateSheet.pageCount() - 4);
                rateSheet.periodPage(0)->active()->setChecked(true);
                rateSheet.periodPage(0)->rate()->setText(QStringLiteral("7"));
                rateSheet.accept();
                return rateSheet.result();
            });
        const CarrierBlock& carrier = frame->session().settings().carriers[1];
        QCOMPARE(carrier.incomingRate.periods[0].rate, 7.0);
        QVERIFY(carrier.localRate == outgoing);
    }

    // For scripts/screenshot-check: with QX_SCREENSHOT_DIR set, the Carriers
    // page and the Rates page in its three modes, inside the sheet.
    void screenshots()
    {
        const QString dir = qEnvironmentVariable("QX_SCREENSHOT_DIR");
        if (dir.isEmpty())
            QSKIP("QX_SCREENSHOT_DIR is not set");
        TestHome home;
        TestFrame frame(home);
        const auto shoot = [&](QWidget* page, const QString& name) {
            QWidget* sheet = page->window();
            sheet->resize(900, 600);
            sheet->show();
            QTest::qWait(100);
            QVERIFY(sheet->grab().save(QDir(dir).filePath(name + QStringLiteral(".png"))));
        };
        onPage<CPageUDCarrier>(
            *frame.window, tariffres::kCarrierPage,
            [&](CPageUDCarrier& page) { shoot(&page, QStringLiteral("carriers")); }, {}, false);
        onPage<CPageUDRate>(
            *frame.window, tariffres::kRatePage,
            [&](CPageUDRate& page) {
                const char* names[] = {"rates-toll", "rates-local", "rates-cost"};
                for (int m = 0; m < 3; ++m) {
                    page.selectMode(static_cast<CPageUDRate::Mode>(m));
                    shoot(&page, QString::fromLatin1(names[m]));
                }
            },
            {}, false);
    }
};

QTEST_MAIN(TariffSheetTest)
#include "TariffSheetTest.moc"
