#include "prefs/FindHistory.h"

#include "core/IniProfile.h"

#include <algorithm>

namespace {

constexpr const char* kSection = "MRU";

std::string entryKey(std::size_t i) { return "Str" + std::to_string(i); }

} // namespace

FindHistory FindHistory::read(const IniProfile& ini)
{
    FindHistory history;
    const int size = std::clamp(ini.readInt(kSection, "Size", 0), 0, static_cast<int>(kMaxEntries));
    for (std::size_t i = 0; i < static_cast<std::size_t>(size); ++i) {
        std::string text = ini.readString(kSection, entryKey(i));
        if (!text.empty()
            && std::find(history.m_entries.begin(), history.m_entries.end(), text) == history.m_entries.end())
            history.m_entries.push_back(std::move(text));
    }
    return history;
}

bool FindHistory::write(IniProfile& ini) const
{
    IniProfile::Batch batch(ini);
    bool ok = ini.writeInt(kSection, "Size", static_cast<int>(m_entries.size()));
    for (std::size_t i = 0; i < kMaxEntries; ++i) {
        if (i < m_entries.size())
            ok = ini.writeString(kSection, entryKey(i), m_entries[i]) && ok;
        else if (ini.find(kSection, entryKey(i)))
            ok = ini.removeKey(kSection, entryKey(i)) && ok;
    }
    return ok;
}

bool FindHistory::add(std::string_view text)
{
    if (text.empty() || std::find(m_entries.begin(), m_entries.end(), text) != m_entries.end())
        return false;
    m_entries.insert(m_entries.begin(), std::string(text));
    if (m_entries.size() > kMaxEntries)
        m_entries.resize(kMaxEntries);
    return true;
}
