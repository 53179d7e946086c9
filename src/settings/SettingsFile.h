#pragma once
// The settings file "brisel.dat": the header, the six carrier blocks and the
// lists, block after block, little-endian, with no padding and no checksum.
// The four password fields (header bytes 24-151) are stored XORed with 0xA7.
//
//   offset 0     1024        header (list counts at 880-931)
//   1024         6 x 384     carriers 1-6
//   3328         D x 1024    destinations, then directory (x 192), trunks (x 96),
//                            contacts (x 128), holidays (x 4), exchange rates (x 32),
//                            the prefix lists of carriers 1-6 (x 96), projects (x 128)
//
// Bytes after the last list are ignored.

#include "settings/SettingsDatabase.h"

#include <cstdint>
#include <filesystem>
#include <istream>
#include <ostream>
#include <span>
#include <string>
#include <vector>

// The texts the program shows for the results below (%1 is the full path).
namespace settingsmessages {
inline constexpr const char* kMissingOrCorrupt =
    "Database is missing or corrupt.\n\n%1\n\nPlease reinstall the application!";
inline constexpr const char* kSaveFailed = "Error saving database!\n\n%1";
} // namespace settingsmessages

// OutOfMemory: the file is consistent but its lists would not fit in memory.
enum class SettingsLoadResult { Ok = 0, CannotOpen = 1, BadContent = 2, OutOfMemory = 3 };

inline constexpr std::uint8_t kPasswordScramble = 0xA7;
inline constexpr std::uint64_t kSettingsFixedSize = 3328; // header and carriers

// The file length the header's counts require (computed in 64 bits, so it cannot wrap).
std::uint64_t requiredSettingsSize(std::span<const std::uint8_t, SettingsHeader::kDiskSize> storedHeader);

// Reads settings from `in`, which holds `available` bytes from its current
// position. Every count is checked against `available` before anything is
// allocated, so a damaged count fails at once. A carrier whose global cost
// modifier is stored as 0 gets 100. On any result but Ok, `db` is left cleared.
SettingsLoadResult readSettings(std::istream& in, std::uint64_t available, SettingsDatabase& db);
SettingsLoadResult readSettings(std::span<const std::uint8_t> bytes, SettingsDatabase& db);
// Opens and reads the file; CannotOpen when it cannot be opened for reading or is
// not a regular file (a FIFO or a device is never waited on).
SettingsLoadResult loadSettings(const std::filesystem::path& path, SettingsDatabase& db);

// Writes the file image; the header's counts are written from the lengths of
// the lists (the in-memory header is not changed). False when `out` fails.
bool writeSettings(std::ostream& out, const SettingsDatabase& db);
std::vector<std::uint8_t> encodeSettings(const SettingsDatabase& db);
// Saves through a temporary file in the same folder and a rename, so a
// failure leaves the previous file as it was. False on failure, with `error`
// saying what failed.
bool saveSettings(const std::filesystem::path& path, const SettingsDatabase& db, std::string* error = nullptr);

// Replaces "%1" in a message text.
std::string withPath(std::string_view message, const std::string& path);
