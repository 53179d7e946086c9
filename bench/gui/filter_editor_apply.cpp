// Applying a filter from the filter editor to a large set of loaded calls: the
// time from OK to the list repainted with the new rows (re-filtering the call
// table, sorting the rows, the first picture). Run offscreen:
//   QT_QPA_PLATFORM=offscreen bench_gui_filter_editor_apply [calls] [rounds]
#include "GuiBench.h"

#include "app/CMainFrame.h"
#include "app/CallsView.h"
#include "app/Commands.h"
#include "core/DebugLog.h"
#include "core/IniProfile.h"
#include "filter/gui/CPageFTLine.h"
#include "filter/gui/CPageFTType.h"
#include "filter/gui/CSheetFE.h"
#include "lang/gui/QtMessageSink.h"
#include "ui/ModalRunner.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QElapsedTimer>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <vector>

int main(int argc, char** argv)
{
    QApplication application(argc, argv);
    const std::size_t count = argc > 1 ? std::strtoull(argv[1], nullptr, 10) : 1000000;
    const int rounds = argc > 2 ? std::atoi(argv[2]) : 6;

    const std::filesystem::path file = guibench::makeHome("filter-editor", count);
    const std::filesystem::path home = file.parent_path().parent_path();

    QtMessageSink messages;
    debuglog::setProgramFolder(home);
    IniProfile ini(home / "quantorix.ini");
    CMainFrame frame(home, ini);
    if (!guibench::startFrame(frame, {file}))
        return 1;

    // Each round changes the filter: outgoing calls only, then those of a range
    // of extensions as well, then all calls again.
    QElapsedTimer clock;
    std::vector<qint64> times;
    std::vector<std::size_t> rows;
    for (int round = 0; round < rounds; ++round) {
        const ModalOverride handler([&](QDialog& dialog) {
            auto* sheet = qobject_cast<CSheetFE*>(&dialog);
            if (!sheet)
                return int(QDialog::Rejected);
            sheet->selectPage(0);
            sheet->typePage()->incoming()->setChecked(round % 3 == 2);
            sheet->selectPage(2);
            CPageFTLine* line = sheet->linePage();
            line->extensionOn()->setChecked(round % 3 == 1);
            line->extension()->setEditText(QStringLiteral("100-160,200-"));
            sheet->selectPage(0);
            clock.start(); // OK pressed
            sheet->accept();
            return sheet->result();
        });
        frame.runCommand(cmd::kFilter);
        frame.view()->viewport()->repaint();
        times.push_back(clock.elapsed());
        rows.push_back(frame.session().calls().visible().size());
    }
    for (std::size_t i = 0; i < times.size(); ++i)
        std::printf("round %zu: %zu of %zu calls shown, OK to list repainted in %lld ms\n", i + 1, rows[i], count,
                    static_cast<long long>(times[i]));
    std::vector<qint64> sorted = times;
    std::sort(sorted.begin(), sorted.end());
    std::printf("filter editor OK to list repainted, %zu calls: median %lld ms, worst %lld ms (target 150 ms)\n", count,
                static_cast<long long>(sorted[sorted.size() / 2]), static_cast<long long>(sorted.back()));

    // The same applications in the engine alone (no progress, no list): what the window adds is the rest.
    NoProgress quiet;
    FilterRecord outgoing;
    outgoing.includeIncoming = 0;
    for (int round = 0; round < 4; ++round) {
        clock.start();
        if (round % 2 == 0)
            frame.session().applyFilter(outgoing, true, quiet);
        else
            frame.session().clearFilter(quiet);
        std::printf("engine alone, %s: %lld ms\n", round % 2 == 0 ? "outgoing only" : "cleared",
                    static_cast<long long>(clock.elapsed()));
    }
    std::filesystem::remove_all(home);
    return 0;
}
