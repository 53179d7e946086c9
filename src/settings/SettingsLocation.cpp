#include "settings/SettingsLocation.h"

#include "core/Cp1252.h"
#include "core/IniProfile.h"
#include "core/ProgramFolder.h"

#include <sys/stat.h>

namespace {
constexpr const char* kSection = "Network";
} // namespace

NetworkSettings NetworkSettings::read(const IniProfile& ini)
{
    NetworkSettings n;
    n.install = ini.readInt(kSection, "Install", 0) != 0;
    n.path = ini.readString(kSection, "Path", "");
    return n;
}

bool NetworkSettings::write(IniProfile& ini) const
{
    IniProfile::Batch batch(ini);
    const bool a = ini.writeInt(kSection, "Install", install ? 1 : 0);
    const bool b = ini.writeString(kSection, "Path", path);
    return a && b;
}

std::filesystem::path dataFolder(const NetworkSettings& network, const std::filesystem::path& programFolder)
{
    if (network.install && !network.path.empty())
        return std::filesystem::path(cp1252::toUtf8(network.path));
    return programFolder;
}

std::filesystem::path settingsFilePath(const std::filesystem::path& folder)
{
    return folder / programfolder::kSettingsName;
}

std::filesystem::path callsFolder(const std::filesystem::path& folder) { return folder / "Calls"; }

SettingsStamp SettingsStamp::of(const std::filesystem::path& file)
{
    SettingsStamp s;
    struct stat st
    {
    };
    if (::stat(file.c_str(), &st) != 0)
        return s;
    s.exists = true;
    s.device = static_cast<std::uint64_t>(st.st_dev);
    s.inode = static_cast<std::uint64_t>(st.st_ino);
    s.size = static_cast<std::uint64_t>(st.st_size);
    s.mtimeNs = static_cast<std::int64_t>(st.st_mtim.tv_sec) * 1000000000 + st.st_mtim.tv_nsec;
    return s;
}

bool modifiedSince(const std::filesystem::path& file, const SettingsStamp& loaded)
{
    return SettingsStamp::of(file) != loaded;
}
