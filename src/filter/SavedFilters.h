#pragma once
// Saved filters and their file "filter.dat" in the program folder:
//
//   0  "FTFL"                         12  52 reserved bytes, written as zero, not read
//   4  version 0x00010001/0x00010002  64  n entries: 1024 bytes each in version 0x00010002,
//   8  n, the number of entries           832 (the first 832 bytes of one) in 0x00010001
//
// An entry is a SavedFilter: the name (at most 63 characters, zero-terminated,
// 64 bytes) and the 960-byte FilterRecord. Entries of the old version are
// widened with zeros, so their last 192 bytes, among them the include flags of
// the user-defined call types, read as zero. Files are written in the new version.

#include "filter/FilterRecord.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <span>
#include <string>
#include <string_view>
#include <vector>

struct SavedFilter
{
    static constexpr std::size_t kDiskSize = 1024;
    static constexpr std::size_t kNameSize = 64, kFilterAt = 64;
    static_assert(kFilterAt + FilterRecord::kDiskSize == kDiskSize);

    std::array<char, kNameSize> name{};
    FilterRecord filter;

    std::string_view nameText() const { return fixedtext::view(name); }
    void setName(std::string_view text) { fixedtext::store(name, text); } // cut to 63 characters

    static SavedFilter decode(std::span<const std::uint8_t, kDiskSize> in);
    void encode(std::span<std::uint8_t, kDiskSize> out) const;
};

using SavedFilterList = std::vector<SavedFilter>;

namespace savedfilters {

inline constexpr std::uint32_t kMagic = 0x4C465446; // "FTFL"
inline constexpr std::uint32_t kVersion1 = 0x00010001;
inline constexpr std::uint32_t kVersion2 = 0x00010002;
inline constexpr std::size_t kHeaderSize = 64;
inline constexpr std::size_t kVersion1EntrySize = 832;

// The saved filters held in the bytes of a "filter.dat". Anything that is not
// such a file (wrong magic, unknown version, shorter than the header) gives an
// empty list. The count is believed only as far as the data reaches: an entry
// that the data ends inside is completed with zero bytes, and entries wholly
// beyond the data are not made (so a huge count allocates nothing).
SavedFilterList read(std::span<const std::uint8_t> file);
// The file form of `filters`, always the new version.
std::vector<std::uint8_t> write(const SavedFilterList& filters);

// "filter.dat" in `programFolder`. A missing or unreadable file gives an empty
// list; no message is shown in any case.
SavedFilterList load(const std::filesystem::path& programFolder);
// Writes "filter.dat" through a temporary file and a rename, so a failed save
// leaves the old file. False (with `error` saying why) when it could not be written.
bool save(const std::filesystem::path& programFolder, const SavedFilterList& filters, std::string* error = nullptr);

std::filesystem::path pathIn(const std::filesystem::path& programFolder);

// The first saved filter whose name equals `name` under the locale's collation
// (case-sensitive), or nullptr.
const SavedFilter* find(const SavedFilterList& filters, std::string_view name);

} // namespace savedfilters
