#pragma once
// The INI file with private-profile semantics: section and key names compare
// case-insensitively, values are trimmed (and lose one pair of surrounding
// quotes), integers are read as the private-profile integer reader does, and a
// write changes only its own line, keeping every other line and its order.
// Values are single-byte Windows-1252 texts, kept as bytes.

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

class IniProfile
{
public:
    IniProfile() = default;
    // Reads the file when it exists; a missing file is an empty profile.
    explicit IniProfile(std::filesystem::path path);

    const std::filesystem::path& path() const { return m_path; }

    // The value, or `fallback` when the section or key is missing.
    std::string readString(std::string_view section, std::string_view key, std::string_view fallback = {}) const;
    // Optional sign, then leading digits; anything else ends the number ("12ab" is 12,
    // "abc" is 0). A missing key or an empty value gives `fallback`.
    int readInt(std::string_view section, std::string_view key, int fallback) const;
    std::optional<std::string> find(std::string_view section, std::string_view key) const;
    bool hasSection(std::string_view section) const;

    // Each write goes to disk at once (through a temporary file and a rename),
    // unless deferred with a Batch. Returns false when the file could not be written.
    bool writeString(std::string_view section, std::string_view key, std::string_view value);
    bool writeInt(std::string_view section, std::string_view key, int value);
    bool removeKey(std::string_view section, std::string_view key);
    bool removeSection(std::string_view section);

    // Writes the lines as they are now.
    bool save() const;

    // Defers writing to disk until the outermost Batch ends.
    class Batch
    {
    public:
        explicit Batch(IniProfile& profile)
            : m_profile(profile)
        {
            ++m_profile.m_deferred;
        }
        ~Batch();
        Batch(const Batch&) = delete;
        Batch& operator=(const Batch&) = delete;

    private:
        IniProfile& m_profile;
    };

    // The private-profile integer reader on a plain text.
    static int parseInt(std::string_view text, int fallback);

private:
    struct Position
    {
        std::size_t section = npos; // line of the [section] header
        std::size_t end = npos;     // first line after the section
        std::size_t key = npos;     // line of the key, if any
    };
    static constexpr std::size_t npos = static_cast<std::size_t>(-1);

    Position locate(std::string_view section, std::string_view key) const;
    bool changed();

    std::filesystem::path m_path;
    std::vector<std::string> m_lines;
    int m_deferred = 0;
    bool m_dirty = false;
};
