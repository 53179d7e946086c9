#include "core/SaveFile.h"

#include <atomic>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <system_error>
#include <unistd.h>

namespace {

std::filesystem::path temporaryPath(const std::filesystem::path& path)
{
    static std::atomic<unsigned> counter{0};
    std::filesystem::path tmp = path;
    tmp += ".tmp" + std::to_string(::getpid()) + "-" + std::to_string(counter++);
    return tmp;
}

} // namespace

bool saveFileAtomically(const std::filesystem::path& path, const std::function<bool(std::ostream&)>& write,
                        std::string* error)
{
    const std::filesystem::path tmp = temporaryPath(path);
    auto fail = [&](const std::string& what) {
        std::error_code ignored;
        std::filesystem::remove(tmp, ignored);
        if (error)
            *error = what;
        return false;
    };
    {
        std::ofstream out(tmp, std::ios::binary | std::ios::trunc);
        if (!out)
            return fail(std::strerror(errno));
        if (!write(out))
            return fail("write failed");
        out.flush();
        if (!out)
            return fail(std::strerror(errno));
    }
    std::error_code ec;
    std::filesystem::rename(tmp, path, ec);
    if (ec)
        return fail(ec.message());
    return true;
}

bool saveFileAtomically(const std::filesystem::path& path, std::string_view bytes, std::string* error)
{
    return saveFileAtomically(
        path,
        [&](std::ostream& out) {
            out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
            return static_cast<bool>(out);
        },
        error);
}
