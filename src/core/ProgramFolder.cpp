#include "core/ProgramFolder.h"

#include <cstdlib>
#include <system_error>

namespace programfolder {

std::filesystem::path executableFolder()
{
    std::error_code ec;
    const auto exe = std::filesystem::read_symlink("/proc/self/exe", ec);
    if (ec)
        return std::filesystem::current_path();
    return exe.parent_path();
}

std::filesystem::path resolve(const std::string& homeOption)
{
    if (!homeOption.empty())
        return std::filesystem::absolute(homeOption);
    if (const char* env = std::getenv("QUANTORIX_HOME"); env && *env)
        return std::filesystem::absolute(env);
    return executableFolder();
}

} // namespace programfolder
