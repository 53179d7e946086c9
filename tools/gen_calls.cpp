// gen_calls: writes seeded call database files (".bsl") of realistic office calls.
//
//   gen_calls [--seed N] [--count N | --per-day N] [--start YYYY-MM-DD] [--days N | --months N]
//             [--append] [--pace-ms N] [--monthly] FILE
//
// --months N puts the calls on the N whole months before the current one and
// the current month up to yesterday (local time). --per-day gives the count per
// day of the period instead of in all. --monthly takes FILE as a folder and
// writes each call into the file of its month, "YYYY_MM.bsl", as the exchange's
// data collector names them. --append adds to an existing file; without --start
// the new calls then begin on the day of the file's last call. --pace-ms writes
// one record at a time with that pause between records, as the collector does
// (for trying auto-refresh).

#include "calls/CallGenerator.h"
#include "core/LittleEndian.h"
#include "core/LocaleTexts.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <string>
#include <thread>
#include <vector>

namespace {

int usage()
{
    std::fprintf(stderr, "usage: gen_calls [--seed N] [--count N | --per-day N] [--start YYYY-MM-DD] "
                         "[--days N | --months N] [--append] [--pace-ms N] [--monthly] FILE\n");
    return 2;
}

bool parseDate(const std::string& text, CallDate& date)
{
    int y = 0, m = 0, d = 0;
    if (std::sscanf(text.c_str(), "%d-%d-%d", &y, &m, &d) != 3)
        return false;
    date = {static_cast<std::uint16_t>(y), static_cast<std::uint8_t>(m), static_cast<std::uint8_t>(d), 0, 0};
    return date.isValid();
}

// The day of the last call in an existing file, if it has one.
bool lastCallDay(const std::string& path, CallDate& day)
{
    std::FILE* f = std::fopen(path.c_str(), "rb");
    if (!f)
        return false;
    CallFileRecord record;
    bool found = false;
    if (std::fseek(f, -static_cast<long>(CallFileRecord::kSize), SEEK_END) == 0
        && std::fread(record.bytes.data(), 1, record.bytes.size(), f) == record.bytes.size()) {
        day = CallDate::decode(record.bytes.data() + CallFileRecord::kStartAt).dateOnly();
        found = day.isValid();
    }
    std::fclose(f);
    return found;
}

// The first day of the month `months` before the current one, and the number
// of days from there to yesterday.
void recentMonths(int months, CallGeneratorOptions& options)
{
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    int year = local.tm_year + 1900;
    int month = local.tm_mon + 1 - months;
    for (; month < 1; month += 12)
        --year;
    const std::int64_t first = daysFromCivil(year, month, 1);
    options.firstDay = {static_cast<std::uint16_t>(year), static_cast<std::uint8_t>(month), 1, 0, 0};
    options.days = static_cast<int>(daysFromCivil(local.tm_year + 1900, local.tm_mon + 1, local.tm_mday) - first);
}

std::string monthlyName(const CallFileRecord& record)
{
    const CallDate start = CallDate::decode(record.bytes.data() + CallFileRecord::kStartAt);
    char name[32];
    std::snprintf(name, sizeof name, "%04d_%02d.bsl", start.year, start.month);
    return name;
}

} // namespace

int main(int argc, char** argv)
{
    CallGeneratorOptions options;
    bool append = false;
    bool startGiven = false;
    bool monthly = false;
    long paceMs = 0;
    int months = -1;
    std::size_t perDay = 0;
    std::string path;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        const bool hasValue = i + 1 < argc;
        if (arg == "--seed" && hasValue)
            options.seed = std::strtoull(argv[++i], nullptr, 10);
        else if (arg == "--count" && hasValue)
            options.count = std::strtoull(argv[++i], nullptr, 10);
        else if (arg == "--per-day" && hasValue)
            perDay = std::strtoull(argv[++i], nullptr, 10);
        else if (arg == "--days" && hasValue)
            options.days = std::atoi(argv[++i]);
        else if (arg == "--months" && hasValue)
            months = std::atoi(argv[++i]);
        else if (arg == "--pace-ms" && hasValue)
            paceMs = std::atol(argv[++i]);
        else if (arg == "--start" && hasValue) {
            if (!parseDate(argv[++i], options.firstDay))
                return usage();
            startGiven = true;
        } else if (arg == "--append")
            append = true;
        else if (arg == "--monthly")
            monthly = true;
        else if (!arg.empty() && arg[0] != '-' && path.empty())
            path = arg;
        else
            return usage();
    }
    if (months >= 0) {
        if (startGiven)
            return usage();
        recentMonths(months, options);
        startGiven = true;
    }
    if (path.empty() || options.days < 1)
        return usage();
    if (perDay > 0)
        options.count = perDay * static_cast<std::size_t>(options.days);
    if (append && !startGiven && !monthly)
        lastCallDay(path, options.firstDay);

    // The file being written and its name; with --monthly a new one for each month.
    std::FILE* out = nullptr;
    std::string outPath;
    bool ok = true;
    const auto fileFor = [&](const CallFileRecord& record) -> std::FILE* {
        const std::string wanted = monthly ? (std::filesystem::path(path) / monthlyName(record)).string() : path;
        if (out && wanted == outPath)
            return out;
        if (out)
            ok = std::fclose(out) == 0 && ok;
        outPath = wanted;
        out = std::fopen(outPath.c_str(), append ? "ab" : "wb");
        return out;
    };
    CallGenerator generator(options);
    CallFileRecord record;
    while (ok && generator.next(record)) {
        std::FILE* file = fileFor(record);
        ok = ok && file && std::fwrite(record.bytes.data(), 1, record.bytes.size(), file) == record.bytes.size();
        if (ok && paceMs > 0) {
            ok = std::fflush(file) == 0;
            std::this_thread::sleep_for(std::chrono::milliseconds(paceMs));
        }
    }
    if (!out && !monthly && ok)
        out = std::fopen(path.c_str(), append ? "ab" : "wb"); // no calls: an empty file
    if (out)
        ok = std::fclose(out) == 0 && ok;
    if (!ok || (!out && !monthly)) {
        std::perror(outPath.empty() ? path.c_str() : outPath.c_str());
        return 1;
    }
    return 0;
}
