#include "core/ProgramFolder.h"

#include "core/SaveFile.h"

#include <atomic>
#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <map>
#include <sstream>
#include <system_error>
#include <unistd.h>

namespace fs = std::filesystem;

namespace programfolder {

namespace {

std::string variable(const char* name)
{
    const char* value = std::getenv(name);
    return value ? value : "";
}

bool isFile(const fs::path& path)
{
    std::error_code ec;
    return fs::is_regular_file(path, ec);
}

// Copies `from` to `to` unless `to` exists; never replaces a file that appears
// while copying.
bool copyMissing(const fs::path& from, const fs::path& to)
{
    static std::atomic<unsigned> counter{0};
    std::error_code ec;
    if (fs::exists(fs::symlink_status(to, ec)))
        return false;
    const fs::path temporary = to.parent_path()
                               / ("." + to.filename().string() + ".new-" + std::to_string(::getpid()) + "-"
                                  + std::to_string(counter++));
    if (!fs::copy_file(from, temporary, fs::copy_options::overwrite_existing, ec))
        return false;
    fs::create_hard_link(temporary, to, ec); // fails when `to` exists by now
    std::error_code ignored;
    fs::remove(temporary, ignored);
    return !ec;
}

// What a file held when it was copied from the shared defaults: size and a
// 64-bit FNV-1a hash of the content, as text "SIZE-HASH". "" when unreadable.
std::string fingerprint(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return {};
    std::uint64_t hash = 14695981039346656037ull;
    std::uintmax_t size = 0;
    char buffer[65536];
    while (in.read(buffer, sizeof buffer) || in.gcount() > 0) {
        for (std::streamsize i = 0; i < in.gcount(); ++i)
            hash = (hash ^ static_cast<unsigned char>(buffer[i])) * 1099511628211ull;
        size += static_cast<std::uintmax_t>(in.gcount());
    }
    if (in.bad())
        return {};
    std::ostringstream text;
    text << size << '-' << std::hex << hash;
    return text.str();
}

// The record of shipped files in a per-user folder: "FINGERPRINT PATH" per line.
using Shipped = std::map<std::string, std::string>; // relative path -> fingerprint

Shipped readShipped(const fs::path& file)
{
    Shipped shipped;
    std::ifstream in(file, std::ios::binary);
    std::string line;
    while (std::getline(in, line)) {
        const auto blank = line.find(' ');
        if (blank != std::string::npos && blank > 0 && blank + 1 < line.size())
            shipped[line.substr(blank + 1)] = line.substr(0, blank);
    }
    return shipped;
}

void writeShipped(const fs::path& file, const Shipped& shipped)
{
    std::string text;
    for (const auto& [relative, print] : shipped)
        text += print + ' ' + relative + '\n';
    saveFileAtomically(file, text);
}

// Replaces `to` by `from` through a temporary file and a rename.
bool replaceWith(const fs::path& from, const fs::path& to)
{
    std::ifstream in(from, std::ios::binary);
    std::stringstream content;
    content << in.rdbuf();
    return in.good() || in.eof() ? saveFileAtomically(to, content.str()) : false;
}

} // namespace

fs::path executableFolder()
{
    std::error_code ec;
    const auto exe = fs::read_symlink("/proc/self/exe", ec);
    if (ec)
        return fs::current_path();
    return exe.parent_path();
}

fs::path sharedDefaultsFolder(const fs::path& executableFolder)
{
    return (executableFolder / ".." / "share" / "quantorix").lexically_normal();
}

Choice choose(const Inputs& inputs)
{
    Choice choice;
    choice.defaults = sharedDefaultsFolder(inputs.executableFolder);
    if (!inputs.homeOption.empty()) {
        choice.folder = fs::absolute(inputs.homeOption);
        choice.source = Source::Option;
    } else if (!inputs.homeVariable.empty()) {
        choice.folder = fs::absolute(inputs.homeVariable);
        choice.source = Source::Environment;
    } else if (isFile(inputs.executableFolder / kIniName) || isFile(inputs.executableFolder / kSettingsName)) {
        choice.folder = inputs.executableFolder;
        choice.source = Source::Portable;
    } else {
        // A relative XDG_DATA_HOME is invalid and ignored; without any home the
        // executable's folder is all there is.
        fs::path dataHome;
        if (!inputs.xdgDataHome.empty() && fs::path(inputs.xdgDataHome).is_absolute())
            dataHome = inputs.xdgDataHome;
        else if (!inputs.userHome.empty())
            dataHome = fs::path(inputs.userHome) / ".local" / "share";
        if (dataHome.empty()) {
            choice.folder = inputs.executableFolder;
            choice.source = Source::Portable;
        } else {
            choice.folder = dataHome / "quantorix";
            choice.source = Source::PerUser;
        }
    }
    return choice;
}

Choice locate(const std::string& homeOption)
{
    return choose(
        {homeOption, variable("QUANTORIX_HOME"), variable("XDG_DATA_HOME"), variable("HOME"), executableFolder()});
}

fs::path resolve(const std::string& homeOption) { return locate(homeOption).folder; }

Choice prepare(const std::string& homeOption)
{
    Choice choice = locate(homeOption);
    if (choice.source != Source::PerUser)
        return choice;
    std::error_code ec;
    const bool isNew = !fs::exists(choice.folder, ec);
    fs::create_directories(choice.folder, ec);
    if (ec)
        return choice;
    if (isNew) // the user's settings (with the login passwords) are theirs alone
        fs::permissions(choice.folder, fs::perms::owner_all, ec);
    fillFromDefaults(choice.defaults, choice.folder, isNew);
    return choice;
}

int fillFromDefaults(const fs::path& defaults, const fs::path& folder, bool withCalls)
{
    std::error_code ec;
    if (!fs::is_directory(defaults, ec))
        return 0;
    const fs::path record = folder / kShippedRecordName;
    Shipped shipped = readShipped(record);
    const Shipped before = shipped;
    int copied = 0;
    fs::recursive_directory_iterator it(defaults, fs::directory_options::skip_permission_denied, ec);
    for (const fs::recursive_directory_iterator end; !ec && it != end; it.increment(ec)) {
        const fs::path relative = it->path().lexically_relative(defaults);
        if (!withCalls && it.depth() == 0 && relative == kCallsFolderName) {
            it.disable_recursion_pending();
            continue;
        }
        const fs::path target = folder / relative;
        std::error_code entryError;
        if (it->is_directory(entryError)) {
            fs::create_directories(target, entryError);
            continue;
        }
        if (!it->is_regular_file(entryError))
            continue;
        const std::string key = relative.generic_string();
        const std::string print = fingerprint(it->path());
        if (copyMissing(it->path(), target)) {
            ++copied;
            shipped[key] = print;
            continue;
        }
        // A newer shipped file replaces the copy of an older one only when the
        // user never changed that copy.
        const auto known = shipped.find(key);
        if (known != shipped.end() && known->second != print && fingerprint(target) == known->second
            && replaceWith(it->path(), target)) {
            ++copied;
            known->second = print;
        }
    }
    if (shipped != before)
        writeShipped(record, shipped);
    return copied;
}

const char* describe(Source source)
{
    switch (source) {
    case Source::Option:
        return "named by --home";
    case Source::Environment:
        return "named by QUANTORIX_HOME";
    case Source::Portable:
        return "the executable's folder (portable installation)";
    case Source::PerUser:
        return "the per-user folder under the XDG data home";
    }
    return "";
}

} // namespace programfolder
