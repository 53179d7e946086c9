#pragma once
// What the window benchmarks share: a program folder of their own with the
// demo settings and a generated call file of `count` calls over a year.

#include "app/CMainFrame.h"
#include "calls/CallGenerator.h"

#include <QApplication>

#include <ctime>
#include <filesystem>
#include <string>
#include <vector>

namespace guibench {

// The processor time of this process in milliseconds: on a busy machine closer
// to what an operation costs than the time on the clock.
inline double processorMs()
{
    timespec t{};
    ::clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return static_cast<double>(t.tv_sec) * 1e3 + static_cast<double>(t.tv_nsec) / 1e6;
}

// Makes (anew) the folder "qx-bench-<tag>" in the temporary folder with
// brisel.dat and Calls/big.bsl, and returns the call file's path.
inline std::filesystem::path makeHome(const std::string& tag, std::size_t count)
{
    const std::filesystem::path home = std::filesystem::temp_directory_path() / ("qx-bench-" + tag);
    std::filesystem::remove_all(home);
    std::filesystem::create_directories(home / "Calls");
    std::filesystem::copy_file(std::filesystem::path(QX_PROGRAM_DIR) / "brisel.dat", home / "brisel.dat");
    CallGeneratorOptions options;
    options.seed = 42;
    options.count = count;
    options.days = 365;
    const std::filesystem::path file = home / "Calls" / "big.bsl";
    CallGenerator::writeFile(options, file);
    return file;
}

// Shows the main window at a fixed size with its settings loaded and `files`
// open, its first paint done; false when the settings or a file do not load.
inline bool startFrame(CMainFrame& frame, const std::vector<std::filesystem::path>& files = {})
{
    frame.resize(1280, 800);
    if (!frame.loadSettings())
        return false;
    frame.show();
    if (!files.empty() && !frame.openFiles(files))
        return false;
    QApplication::processEvents();
    return true;
}

} // namespace guibench
