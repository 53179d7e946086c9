// Opening a large call file in the main window: the time from the choice of
// the file to the first rows painted, and how many cells the list formats for
// that first picture. Run offscreen: QT_QPA_PLATFORM=offscreen bench_gui_open [calls]
#include "GuiBench.h"

#include "app/AppResources.h"
#include "app/CMainFrame.h"
#include "app/CallsListController.h"
#include "app/CallsModel.h"
#include "app/CallsView.h"
#include "app/Commands.h"
#include "core/DebugLog.h"
#include "core/IniProfile.h"
#include "lang/gui/QtMessageSink.h"
#include "session/MainSession.h"
#include "settings/SettingsFile.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QHeaderView>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <memory>

int main(int argc, char** argv)
{
    QApplication application(argc, argv);
    const std::size_t count = argc > 1 ? std::strtoull(argv[1], nullptr, 10) : 1000000;

    const std::filesystem::path file = guibench::makeHome("gui-open", count);
    const std::filesystem::path home = file.parent_path().parent_path();

    QtMessageSink messages;
    appres::registerResources();
    debuglog::setProgramFolder(home);
    IniProfile ini(home / "quantorix.ini");
    auto window = std::make_unique<CMainFrame>(home, ini);
    CMainFrame& frame = *window;
    if (!guibench::startFrame(frame))
        return 1;

    QElapsedTimer clock;
    clock.start();
    double processor = guibench::processorMs();
    const bool opened = frame.openFiles({file});
    const qint64 loaded = clock.elapsed();
    frame.model()->takeFormatCount();
    frame.view()->viewport()->repaint();
    const qint64 shown = clock.elapsed();
    const std::uint64_t cells = frame.model()->takeFormatCount();
    const int rowsOnScreen = frame.view()->viewport()->height() / frame.view()->verticalHeader()->defaultSectionSize()
                             + 1;

    std::printf("open %zu calls: %s, loaded, rated and sorted in %lld ms, first rows painted after %lld ms "
                "(processor %.0f ms)\n",
                count, opened ? "ok" : "FAILED", static_cast<long long>(loaded), static_cast<long long>(shown),
                guibench::processorMs() - processor);
    std::printf("first picture: %llu cells formatted for %d rows x %d columns on screen\n",
                static_cast<unsigned long long>(cells), rowsOnScreen, frame.model()->columnCount());

    // The same open without the window, in fresh memory of its own: what the engine needs.
    {
        MainSession engine(home);
        loadSettings(home / "brisel.dat", engine.settings());
        engine.settings().rebuildIndexes();
        NoProgress quiet;
        engine.settingsChanged(quiet);
        engine.start(ini);
        QElapsedTimer engineClock;
        engineClock.start();
        engine.openFiles(std::span(&file, 1), quiet);
        std::printf("the engine alone (load, rate, filter, sort): %lld ms\n",
                    static_cast<long long>(engineClock.elapsed()));
    }

    clock.restart();
    frame.callsList().columnClicked(5); // Duration
    frame.view()->viewport()->repaint();
    std::printf("re-sort by Duration and repaint: %lld ms\n", static_cast<long long>(clock.elapsed()));

    // A quick filter on the first row's extension, then its Undo.
    frame.session().setCurrentCall(frame.session().calls().visible()[0]);
    const auto timeUndo = [&](const char* how) {
        frame.runCommand(cmd::kQuickExtension);
        frame.view()->viewport()->repaint();
        clock.restart();
        processor = guibench::processorMs();
        frame.runCommand(cmd::kUndoFilter);
        frame.view()->viewport()->repaint();
        std::printf("undo of a quick filter %s (%zu rows back) and repaint: %lld ms (processor %.0f ms)\n", how,
                    frame.session().calls().visible().size(), static_cast<long long>(clock.elapsed()),
                    guibench::processorMs() - processor);
    };
    timeUndo("after a re-sort, sorted again");
    // Again, now that the rows are as a filter gives them: they come back as kept.
    timeUndo("with the rows kept");

    // Closing the program with the calls loaded: the window closes and goes.
    clock.restart();
    frame.close();
    window.reset();
    std::printf("close with %zu calls loaded: %lld ms\n", count, static_cast<long long>(clock.elapsed()));
    std::filesystem::remove_all(home);
    return opened ? 0 : 1;
}
