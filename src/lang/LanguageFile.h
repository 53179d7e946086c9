#pragma once
// Language files (the base file ".lna" and translations ".lng"), little-endian:
//   0   "LANG"
//   4   N, number of text entries
//   8   M, number of key-mapping entries
//   12  P, size of the text pool
//   16  48 reserved bytes, zero
//   64  N x (key, offset of the text in the pool)
//   ..  M x (key, key whose text it uses), ascending by the first key
//   ..  P bytes of NUL-terminated Windows-1252 texts
// A text with a tab shown before a menu shortcut holds the two characters
// backslash and "t"; the lookup turns them into a tab.

#include <cstdint>
#include <filesystem>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

struct LanguageEntry
{
    std::uint32_t key = 0;
    std::string text;

    bool operator==(const LanguageEntry&) const = default;
};

struct KeyMapping
{
    std::uint32_t key = 0;
    std::uint32_t target = 0; // the key whose text `key` uses

    bool operator==(const KeyMapping&) const = default;
};

// The texts of one language file: the entries in file order (the order the
// translation editor lists them in) with an index by key, and the key mapping.
class LanguageTable
{
public:
    const std::vector<LanguageEntry>& entries() const { return m_entries; }
    const std::vector<KeyMapping>& mappings() const { return m_mappings; }
    std::size_t size() const { return m_entries.size(); }
    bool empty() const { return m_entries.empty(); }

    // The text of `key`; with several entries for one key, the first in file order.
    const std::string* find(std::uint32_t key) const;
    // The key that `key` is mapped to, when the mapping has it.
    std::optional<std::uint32_t> mappedKey(std::uint32_t key) const;

    // Appends an entry. A text is cut at its first NUL (the file cannot hold more).
    void add(std::uint32_t key, std::string_view text);
    // Appends many entries in any key order, in time n log n (add() keeps the
    // index as it goes, which costs more for entries out of key order).
    void addAll(std::vector<LanguageEntry> entries);
    // Replaces the mapping; it is kept sorted by key (first of equal keys wins).
    void setMappings(std::vector<KeyMapping> mappings);
    void clear();

    bool operator==(const LanguageTable& other) const
    {
        return m_entries == other.m_entries && m_mappings == other.m_mappings;
    }

private:
    std::vector<LanguageEntry> m_entries;
    std::vector<std::uint32_t> m_byKey; // indices into m_entries, by key, then file order
    std::vector<KeyMapping> m_mappings;
};

enum class LanguageFileResult { Ok = 0, CannotOpen = 1, BadContent = 2 };

inline constexpr std::size_t kLanguageHeaderSize = 64;
inline constexpr std::size_t kLanguageTextAllowance = 64;

// Decodes a whole language file. Refused as BadContent, with `out` left empty:
// a file shorter than the header or without the magic; counts that ask for more
// bytes than the file has; an entry whose offset lies outside the pool; a text
// that runs to the end of the pool without its NUL. A file with N or P zero
// holds no texts (its mapping is still read). Bytes after the pool are ignored.
// Entries may share a text of the pool; a file whose shared texts would take
// more than kLanguageTextAllowance bytes per entry beyond the pool itself is
// refused too, so that a small file can never take a large amount of memory.
LanguageFileResult decodeLanguageFile(std::span<const std::uint8_t> bytes, LanguageTable& out);
LanguageFileResult readLanguageFile(const std::filesystem::path& path, LanguageTable& out);

// The file image of `table`: entries in order, the pool in entry order. The
// program writes translations without the key mapping (M = 0); the base file
// generator passes withMappings.
std::string encodeLanguageFile(const LanguageTable& table, bool withMappings = false);

// Writes `table` (without mapping) through a temporary file and a rename.
bool writeLanguageFile(const std::filesystem::path& path, const LanguageTable& table, std::string* error = nullptr);
// As writeLanguageFile; on failure shows message 25172 "Error saving file!" with the path.
bool saveLanguageFile(const std::filesystem::path& path, const LanguageTable& table);
