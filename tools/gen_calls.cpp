// gen_calls: writes a seeded call database file (".bsl") of realistic office calls.
//
//   gen_calls [--seed N] [--count N] [--start YYYY-MM-DD] [--days N] [--append] [--pace-ms N] FILE
//
// --append adds to an existing file; without --start the new calls then begin on
// the day of the file's last call. --pace-ms writes one record at a time with that
// pause between records, as the exchange's collector does (for trying auto-refresh).

#include "calls/CallGenerator.h"
#include "core/LittleEndian.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <thread>
#include <vector>

namespace {

int usage()
{
    std::fprintf(stderr, "usage: gen_calls [--seed N] [--count N] [--start YYYY-MM-DD] [--days N] [--append] "
                         "[--pace-ms N] FILE\n");
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

} // namespace

int main(int argc, char** argv)
{
    CallGeneratorOptions options;
    bool append = false;
    bool startGiven = false;
    long paceMs = 0;
    std::string path;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        const bool hasValue = i + 1 < argc;
        if (arg == "--seed" && hasValue)
            options.seed = std::strtoull(argv[++i], nullptr, 10);
        else if (arg == "--count" && hasValue)
            options.count = std::strtoull(argv[++i], nullptr, 10);
        else if (arg == "--days" && hasValue)
            options.days = std::atoi(argv[++i]);
        else if (arg == "--pace-ms" && hasValue)
            paceMs = std::atol(argv[++i]);
        else if (arg == "--start" && hasValue) {
            if (!parseDate(argv[++i], options.firstDay))
                return usage();
            startGiven = true;
        } else if (arg == "--append")
            append = true;
        else if (!arg.empty() && arg[0] != '-' && path.empty())
            path = arg;
        else
            return usage();
    }
    if (path.empty() || options.days < 1)
        return usage();
    if (append && !startGiven)
        lastCallDay(path, options.firstDay);

    std::FILE* out = std::fopen(path.c_str(), append ? "ab" : "wb");
    if (!out) {
        std::perror(path.c_str());
        return 1;
    }
    CallGenerator generator(options);
    CallFileRecord record;
    bool ok = true;
    while (ok && generator.next(record)) {
        ok = std::fwrite(record.bytes.data(), 1, record.bytes.size(), out) == record.bytes.size();
        if (paceMs > 0) {
            ok = ok && std::fflush(out) == 0;
            std::this_thread::sleep_for(std::chrono::milliseconds(paceMs));
        }
    }
    ok = std::fclose(out) == 0 && ok;
    if (!ok) {
        std::perror(path.c_str());
        return 1;
    }
    return 0;
}
