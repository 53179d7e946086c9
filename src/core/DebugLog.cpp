#include "core/DebugLog.h"

#include "core/IniProfile.h"
#include "core/ProgramFolder.h"

#include <cstdarg>
#include <cstdio>
#include <ctime>
#include <mutex>
#include <optional>

namespace debuglog {
namespace {

struct State
{
    std::mutex mutex;
    std::optional<std::filesystem::path> folder; // unset: resolved on first use
    std::optional<bool> on;                      // unset: not read yet
};

State& state()
{
    static State s;
    return s;
}

// Caller holds the mutex.
bool readSwitch(State& s)
{
    if (!s.on) {
        if (!s.folder)
            s.folder = programfolder::resolve();
        const IniProfile ini(*s.folder / programfolder::kIniName);
        s.on = ini.readInt("Debug", "Log", 0) != 0;
    }
    return *s.on;
}

} // namespace

void setProgramFolder(const std::filesystem::path& folder)
{
    State& s = state();
    const std::lock_guard lock(s.mutex);
    s.folder = folder;
    s.on.reset();
}

bool enabled()
{
    State& s = state();
    const std::lock_guard lock(s.mutex);
    return readSwitch(s);
}

void write(const char* format, ...)
{
    State& s = state();
    const std::lock_guard lock(s.mutex);
    if (!readSwitch(s))
        return;
    std::FILE* file = std::fopen((*s.folder / programfolder::kDebugLogName).c_str(), "a");
    if (!file)
        return;
    const std::time_t now = std::time(nullptr);
    std::tm t{};
    localtime_r(&now, &t);
    std::fprintf(file, "%02d.%02d.%04d %02d:%02d:%02d - ", t.tm_mday, t.tm_mon + 1, t.tm_year + 1900, t.tm_hour,
                 t.tm_min, t.tm_sec);
    va_list args;
    va_start(args, format);
    std::vfprintf(file, format, args);
    va_end(args);
    std::fputc('\n', file);
    std::fclose(file);
}

} // namespace debuglog
