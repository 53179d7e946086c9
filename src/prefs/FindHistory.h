#pragma once
// The search history of "Find dialed number", newest first, in the INI
// section "MRU": "Size" (the number of entries) and "Str0".."Str15".

#include <string>
#include <string_view>
#include <vector>

class IniProfile;

class FindHistory
{
public:
    static constexpr std::size_t kMaxEntries = 16;

    // Entries beyond 16 and empty ones are dropped.
    static FindHistory read(const IniProfile& ini);
    // Writes Size and the entries; an entry beyond the new size is removed from the file.
    bool write(IniProfile& ini) const;

    // A text not yet in the history goes first (the oldest beyond 16 drops
    // out); one already present keeps its place. Returns whether it changed.
    bool add(std::string_view text);

    const std::vector<std::string>& entries() const { return m_entries; }

private:
    std::vector<std::string> m_entries;
};
