#pragma once
// Where the settings live. A network installation shares one folder between
// workstations: the settings file "brisel.dat", its lock "lock.dat" and the
// "Calls" folder are found there. Otherwise the program folder is the data folder.
//
// INI section "Network": "Install" (integer, default 0; non-zero = network
// installation) and "Path" (text, default empty). The path is kept when
// "Install" is 0, just not used.
//
// Shared use (see SettingsLock.h for the lock itself) and the messages the
// program shows for it:
//  - opening the settings for editing takes the lock; SettingsLock::acquire
//    giving HeldByOther or NotWritable shows kLocked;
//  - when the file's SettingsStamp differs from the one taken at loading, the
//    file was saved by someone else: kModifiedByOther, then the settings are
//    reloaded (checked when the settings are opened for editing, after the
//    lock is taken, so the edit starts from the latest file);
//  - with a network installation, a network file that does not load
//    (loadSettings not Ok) at start-up shows kNetworkMissing with its path;
//    Yes loads the local "brisel.dat" of the program folder instead.

#include <cstdint>
#include <filesystem>
#include <string>

class IniProfile;

namespace settingsmessages {
inline constexpr const char* kLocked =
    "Settings database is locked!\n\nDatabase file is either being edited by another user\nor is not available "
    "for writing.";
inline constexpr const char* kModifiedByOther =
    "Settings database was modified by another user.\n\nClick OK to reload the database.";
inline constexpr const char* kNetworkMissing =
    "Networked settings database is missing or corrupt!\n\n%1\n\nContinue with local database?";
} // namespace settingsmessages

inline constexpr const char* kLockFileName = "lock.dat";

struct NetworkSettings
{
    bool install = false; // "Use network installation"
    std::string path;     // "Network path", Windows-1252 as in the INI file

    static NetworkSettings read(const IniProfile& ini);
    // Writes both keys; false when the INI file could not be written.
    bool write(IniProfile& ini) const;
};

// The network folder when the installation is networked and a path is set,
// else `programFolder`.
std::filesystem::path dataFolder(const NetworkSettings& network, const std::filesystem::path& programFolder);
// "brisel.dat" in a folder.
std::filesystem::path settingsFilePath(const std::filesystem::path& folder);
// The default folder of call files: the data folder's "Calls" sub-folder.
std::filesystem::path callsFolder(const std::filesystem::path& dataFolder);

// What identifies one saved state of the settings file. A save replaces the
// file through a rename, so the inode changes with every save even where the
// modification time is coarse; size and time catch in-place writers.
struct SettingsStamp
{
    bool exists = false;
    std::uint64_t device = 0;
    std::uint64_t inode = 0;
    std::uint64_t size = 0;
    std::int64_t mtimeNs = 0;

    // Taken just before the file is read, so a save during the read shows up
    // as a change later (a needless reload at worst, never a missed one).
    static SettingsStamp of(const std::filesystem::path& file);
    bool operator==(const SettingsStamp&) const = default;
};

// True when `file` is no longer the one `loaded` describes.
bool modifiedSince(const std::filesystem::path& file, const SettingsStamp& loaded);
