// The Rates page of the settings sheet with many destinations: entering the
// page (the toll list shown), a click on a rate column (sorting by the rates
// of the carrier) and one quick-find keystroke that finds a code, each until
// the list is repainted. Run offscreen:
//   QT_QPA_PLATFORM=offscreen bench_gui_rates_page [destinations] [rounds]
#include "GuiBench.h"

#include "app/CMainFrame.h"
#include "app/Commands.h"
#include "core/DebugLog.h"
#include "core/IniProfile.h"
#include "editor/CPageUDRate.h"
#include "editor/CSheetUD.h"
#include "editor/TariffPageIds.h"
#include "lang/gui/QtMessageSink.h"
#include "settings/SettingsFile.h"
#include "textfile/TollRateColumns.h"
#include "ui/ModalRunner.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QTableView>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <vector>

namespace {

void report(const char* what, std::vector<qint64> times, std::size_t count)
{
    std::sort(times.begin(), times.end());
    std::printf("%s, %zu destinations: median %lld ms, worst %lld ms (target 100 ms)\n", what, count,
                static_cast<long long>(times[times.size() / 2]), static_cast<long long>(times.back()));
}

} // namespace

int main(int argc, char** argv)
{
    QApplication application(argc, argv);
    const std::size_t count = argc > 1 ? std::strtoull(argv[1], nullptr, 10) : 5000;
    const int rounds = argc > 2 ? std::atoi(argv[2]) : 5;

    const std::filesystem::path file = guibench::makeHome("rates-page", 10);
    const std::filesystem::path home = file.parent_path().parent_path();
    {
        // The demo settings with `count` destinations of random codes and rates.
        SettingsDatabase db;
        if (loadSettings(home / "brisel.dat", db) != SettingsLoadResult::Ok)
            return 1;
        std::mt19937 random(7);
        db.destinations.clear();
        for (std::size_t i = 0; i < count; ++i) {
            DestinationEntry d = tollrates::newDestination();
            d.code.assign(std::to_string(100000 + i * 7));
            d.country.assign("Country " + std::to_string(random() % 200));
            d.city.assign("City " + std::to_string(random() % 1000));
            for (RateBlock& r : d.rates) {
                r.initialCharge = (random() % 100) / 100.0;
                r.periods[0].flags = RatePeriod::kActive;
                r.periods[0].rate = (random() % 1000) / 1000.0;
            }
            db.destinations.push_back(d);
        }
        if (!saveSettings(home / "brisel.dat", db))
            return 1;
    }

    QtMessageSink messages;
    debuglog::setProgramFolder(home);
    IniProfile ini(home / "quantorix.ini");
    CMainFrame frame(home, ini);
    if (!guibench::startFrame(frame))
        return 1;

    QElapsedTimer clock;
    std::vector<qint64> opening, sorting, finding;
    for (int round = 0; round < rounds; ++round) {
        const ModalOverride handler([&](QDialog& dialog) {
            auto* sheet = qobject_cast<CSheetUD*>(&dialog);
            if (!sheet)
                return int(QDialog::Rejected);
            sheet->resize(1000, 700);
            sheet->show();
            QApplication::processEvents();
            auto* page = dynamic_cast<CPageUDRate*>(sheet->pageOf(tariffres::kRatePage));
            if (!page)
                return int(QDialog::Rejected);
            int index = 0;
            while (sheet->page(index) != page)
                ++index;
            clock.start();
            sheet->selectPage(index);
            page->list()->viewport()->repaint();
            opening.push_back(clock.elapsed());

            clock.start();
            page->sortBy(4 + round % 2); // "Rate #1" or "General": by the rates
            page->list()->viewport()->repaint();
            sorting.push_back(clock.elapsed());

            page->quickFind()->clear();
            const QString code = QString::number(100000 + (count / 2 + static_cast<std::size_t>(round)) * 7);
            clock.start();
            page->quickFind()->setText(code);
            page->list()->viewport()->repaint();
            finding.push_back(clock.elapsed());
            if (page->quickFindRow() < 0)
                std::printf("round %d: code %s not found\n", round + 1, qPrintable(code));
            sheet->selectPage(0);
            sheet->reject();
            return int(QDialog::Rejected);
        });
        frame.runCommand(cmd::kSettings);
    }
    report("Rates page entered, toll list painted", opening, count);
    report("Sort by rates, list repainted", sorting, count);
    report("Quick find of a code, list repainted", finding, count);
    return 0;
}
