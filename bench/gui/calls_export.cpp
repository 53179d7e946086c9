// File > Export of 1,000,000 shown calls from the main window: from the
// command to the closing message, with every column of the list written
// (the options dialog and the save dialog answered at once).
// Run offscreen: QT_QPA_PLATFORM=offscreen bench_gui_calls_export [calls]
#include "GuiBench.h"

#include "app/AppResources.h"
#include "app/CMainFrame.h"
#include "app/Commands.h"
#include "core/DebugLog.h"
#include "core/IniProfile.h"
#include "lang/gui/QtMessageSink.h"
#include "textfile/gui/CDlgTextTableOptions.h"
#include "textfile/gui/QtTextTableFrontEnd.h"
#include "ui/ModalRunner.h"

#include <QApplication>
#include <QElapsedTimer>

#include <cstdio>
#include <cstdlib>
#include <string>

int main(int argc, char** argv)
{
    QApplication application(argc, argv);
    const std::size_t count = argc > 1 ? std::strtoull(argv[1], nullptr, 10) : 1000000;
    const std::filesystem::path file = guibench::makeHome("calls-export", count);
    const std::filesystem::path home = file.parent_path().parent_path();
    const std::filesystem::path out = home / "calls.csv";

    std::string message;
    QtMessageSink messages;
    messages.setHandler([&](int, const std::string& text, int) {
        message = text;
        return 1;
    });
    appres::registerResources();
    debuglog::setProgramFolder(home);
    IniProfile ini(home / "quantorix.ini");
    CMainFrame frame(home, ini);
    if (!guibench::startFrame(frame, {file}))
        return 1;

    const TextFileChooserOverride chooser([&](TextTableMode, const std::filesystem::path&) { return out; });
    const ModalOverride options([](QDialog& dialog) {
        dialog.accept();
        return dialog.result();
    });
    QElapsedTimer clock;
    clock.start();
    const double processor = guibench::processorMs();
    frame.runCommand(cmd::kExport);
    const qint64 elapsed = clock.elapsed();
    std::error_code error;
    std::printf("export %zu calls, 19 columns: %lld ms (processor %.0f ms), %llu bytes, \"%s\"\n", count,
                static_cast<long long>(elapsed), guibench::processorMs() - processor,
                static_cast<unsigned long long>(std::filesystem::file_size(out, error)), message.c_str());
    std::filesystem::remove_all(home, error);
    return 0;
}
