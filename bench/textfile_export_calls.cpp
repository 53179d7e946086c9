// File > Export... over 1,000,000 rated calls: all 19 fields with the calls
// list's texts, then with the Excel-friendly forms, then fixed width, each into
// a file on the temporary folder. Prints wall-clock seconds (the export must
// take at most 2 s), processor seconds (which a machine busy with other work
// does not inflate) and the file size.

#include "core/Locale.h"
#include "prefs/CallColumns.h"
#include "prefs/Preferences.h"
#include "settings/SettingsDatabase.h"
#include "textfile/CallsExport.h"

#include <QCoreApplication>

#include <chrono>
#include <cstdio>
#include <ctime>
#include <filesystem>
#include <numeric>
#include <random>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

constexpr std::size_t kCalls = 1'000'000;

SettingsDatabase makeSettings()
{
    SettingsDatabase db;
    for (int i = 0; i < 200; ++i) {
        DirectoryEntry e;
        e.extension = 100 + i;
        e.name.assign("Employee " + std::to_string(i));
        e.department.assign("Department " + std::to_string(i % 12));
        db.directory.push_back(e);
    }
    for (int i = 0; i < 1000; ++i) {
        DestinationEntry d;
        d.code.assign("00" + std::to_string(100 + i));
        d.country.assign("Country " + std::to_string(i / 10));
        d.city.assign(i % 4 ? "City " + std::to_string(i) : std::string());
        db.destinations.push_back(d);
    }
    for (int i = 0; i < 20; ++i) {
        TrunkEntry t;
        t.number = static_cast<std::uint32_t>(i);
        t.group.assign(i % 2 ? "Outside; lines" : "Mobile");
        db.trunks.push_back(t);
    }
    db.carriers[0].name.assign("Carrier One");
    db.rebuildIndexes();
    return db;
}

std::vector<CallRecord> makeCalls(const SettingsDatabase& db)
{
    std::mt19937 random(7);
    const auto below = [&](std::uint32_t n) { return static_cast<std::int32_t>(random() % n); };
    std::vector<CallRecord> calls(kCalls, CallRecord::empty());
    for (CallRecord& c : calls) {
        c.extension = static_cast<std::uint32_t>(100 + below(210));
        c.directoryIndex = db.findExtension(static_cast<std::int32_t>(c.extension));
        c.departmentIndex = db.departmentIndexOfEntry(c.directoryIndex);
        c.trunk = static_cast<std::uint32_t>(below(20));
        c.trunkIndex = db.findTrunk(c.trunk);
        const std::string number = "00" + std::to_string(100 + below(1000))
                                   + std::to_string(1'000'000 + below(8'000'000));
        std::copy(number.begin(), number.end(), c.dialedNumber.begin());
        c.start = {2025, static_cast<std::uint8_t>(1 + below(12)), static_cast<std::uint8_t>(1 + below(28)),
                   static_cast<std::uint8_t>(below(24)), static_cast<std::uint8_t>(below(60))};
        c.duration = static_cast<std::uint32_t>(below(5000));
        c.ringTime = static_cast<std::uint32_t>(below(120));
        c.callType = below(3);
        c.destinationIndex = below(1000);
        c.carrierIndex = 0;
        c.cost = below(200'000) / 1000.0;
    }
    return calls;
}

double cpuSeconds()
{
    timespec t{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_nsec) * 1e-9;
}

struct Seconds
{
    double wall = -1;
    double cpu = -1;
};

Seconds exportOnce(const std::filesystem::path& path, const std::vector<CallRecord>& calls,
                   const std::vector<std::uint32_t>& visible, const CallColumns& columns, const SettingsDatabase& db,
                   SeparatorType type, bool excel)
{
    const auto start = std::chrono::steady_clock::now();
    const double cpuStart = cpuSeconds();
    TextTableFile file(TextTableMode::Export);
    file.loadOptions(IniProfile(), callsexport::kSection, callsexport::kFieldCount);
    file.options().separatorType = type;
    file.options().excel = excel;
    file.options().firstLineIsHeader = true;
    if (file.open(path) != TextTableFile::OpenResult::Ok)
        return {};
    NoProgress progress;
    callsexport::write(file, calls, visible, {}, columns, db, progress);
    if (!file.finish().ok)
        return {};
    return {std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count(), cpuSeconds() - cpuStart};
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    Locale::pin("en_US");
    const SettingsDatabase db = makeSettings();
    const std::vector<CallRecord> calls = makeCalls(db);
    std::vector<std::uint32_t> visible(calls.size());
    std::iota(visible.begin(), visible.end(), 0u);
    const Preferences prefs;
    const CallColumns columns(db, prefs);
    const std::filesystem::path path = std::filesystem::temp_directory_path()
                                       / ("qx-bench-export-" + std::to_string(::getpid()) + ".csv");

    struct Run
    {
        const char* name;
        SeparatorType type;
        bool excel;
    };
    for (const Run& run : {Run{"list texts, delimited", SeparatorType::Other, false},
                           Run{"Excel friendly, delimited", SeparatorType::Other, true},
                           Run{"list texts, fixed width", SeparatorType::FixedWidth, false}}) {
        const Seconds seconds = exportOnce(path, calls, visible, columns, db, run.type, run.excel);
        std::error_code ec;
        const auto size = std::filesystem::file_size(path, ec);
        std::printf("export %zu calls x 19 fields, %-26s %.3f s wall, %.3f s processor  (%.1f MB)\n", calls.size(),
                    run.name, seconds.wall, seconds.cpu, static_cast<double>(ec ? 0 : size) / 1e6);
    }
    std::filesystem::remove(path);
    return 0;
}
