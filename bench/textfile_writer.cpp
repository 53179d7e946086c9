// Writer and reader speed of the text table file: 1,000,000 lines of the 19
// calls-list fields (texts as the calls list shows them), delimited and fixed
// width, then reading them back. Prints seconds and lines per second.

#include "textfile/TextTableFile.h"

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

constexpr int kLines = 1'000'000;
constexpr int kFields = 19;

double secondsSince(std::chrono::steady_clock::time_point start)
{
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

std::vector<std::string> sampleRow(int i)
{
    char date[32], time[32], ext[16], number[32], duration[32], cost[32], ring[32];
    std::snprintf(date, sizeof date, "%d/%d/2024", 1 + i % 12, 1 + i % 28);
    std::snprintf(time, sizeof time, "%d:%02d %s", 1 + i % 12, i % 60, i % 2 ? "PM" : "AM");
    std::snprintf(ext, sizeof ext, "%03d", 100 + i % 900);
    std::snprintf(number, sizeof number, "00-44-20-7%07d", i % 10'000'000);
    std::snprintf(duration, sizeof duration, "%d:%02d:%02d", i % 3, i % 60, (i * 7) % 60);
    std::snprintf(cost, sizeof cost, "$%d.%02d", i % 50, i % 100);
    std::snprintf(ring, sizeof ring, "%d:%02d", i % 2, i % 60);
    return {date,
            time,
            ext,
            number,
            "United Kingdom - London",
            duration,
            cost,
            "Smith, John",
            "Sales",
            i % 3 ? "" : "ACME; Ltd.",
            "12",
            "Outside lines",
            "4711",
            "  ",
            "Outgoing",
            "International",
            "Carrier One",
            ring,
            "Project X"};
}

double exportLines(const std::filesystem::path& path, SeparatorType type,
                   const std::vector<std::vector<std::string>>& rows)
{
    TextTableFile file(TextTableMode::Export);
    file.options() = TextTableOptions(kFields);
    file.options().separatorType = type;
    const auto start = std::chrono::steady_clock::now();
    if (file.open(path) != TextTableFile::OpenResult::Ok)
        return -1;
    for (int i = 0; i < kLines; ++i) {
        const auto& row = rows[static_cast<std::size_t>(i) % rows.size()];
        file.beginLine();
        for (int field = file.nextField(); field != TextTableFile::kEndOfLine; field = file.nextField())
            file.writeField(row[static_cast<std::size_t>(field)], field != 0 && field != 5);
        file.endLine();
    }
    file.finish();
    return secondsSince(start);
}

double importLines(const std::filesystem::path& path, SeparatorType type, std::size_t& bytes)
{
    TextTableFile file(TextTableMode::Import);
    file.options() = TextTableOptions(kFields);
    file.options().separatorType = type;
    const auto start = std::chrono::steady_clock::now();
    if (file.open(path) != TextTableFile::OpenResult::Ok)
        return -1;
    bytes = 0;
    while (file.readLine()) {
        TextTableFile::Field field;
        while (file.readField(field))
            bytes += field.text.size();
        file.counters().processed += file.lineComplete();
    }
    file.finish();
    return secondsSince(start);
}

} // namespace

int main()
{
    std::vector<std::vector<std::string>> rows;
    for (int i = 0; i < 4096; ++i)
        rows.push_back(sampleRow(i));
    const std::filesystem::path path = std::filesystem::temp_directory_path()
                                       / ("qx-bench-textfile-" + std::to_string(::getpid()) + ".csv");

    for (auto [type, name] :
         {std::pair{SeparatorType::Other, "delimited"}, std::pair{SeparatorType::FixedWidth, "fixed width"}}) {
        const double written = exportLines(path, type, rows);
        const auto size = std::filesystem::file_size(path);
        std::size_t bytes = 0;
        const double read = importLines(path, type, bytes);
        std::printf("%-11s export %d lines x %d fields: %.3f s (%.0f lines/s, %.1f MB)\n", name, kLines, kFields,
                    written, kLines / written, static_cast<double>(size) / 1e6);
        std::printf("%-11s import %d lines x %d fields: %.3f s (%.0f lines/s)\n", name, kLines, kFields, read,
                    kLines / read);
    }
    std::filesystem::remove(path);
    return 0;
}
