#include "core/IniProfile.h"

#include "core/InputFile.h"
#include "core/SaveFile.h"
#include "core/TextCase.h"

#include <algorithm>
#include <cctype>
#include <fstream>
#include <sstream>

namespace {

std::string_view trim(std::string_view s)
{
    while (!s.empty() && std::isspace(static_cast<unsigned char>(s.front())))
        s.remove_prefix(1);
    while (!s.empty() && std::isspace(static_cast<unsigned char>(s.back())))
        s.remove_suffix(1);
    return s;
}

// The name of a "[name]" line, or nullopt for any other line.
std::optional<std::string_view> sectionName(std::string_view line)
{
    line = trim(line);
    if (line.empty() || line.front() != '[')
        return std::nullopt;
    line.remove_prefix(1);
    const auto close = line.find(']');
    return trim(close == std::string_view::npos ? line : line.substr(0, close));
}

// Splits "key = value" into its trimmed key and raw value part.
bool splitKey(std::string_view line, std::string_view& key, std::string_view& value)
{
    const auto eq = line.find('=');
    if (eq == std::string_view::npos)
        return false;
    key = trim(line.substr(0, eq));
    value = line.substr(eq + 1);
    return true;
}

std::string unquote(std::string_view value)
{
    value = trim(value);
    if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') && value.back() == value.front())
        value = value.substr(1, value.size() - 2);
    return std::string(value);
}

} // namespace

IniProfile::IniProfile(std::filesystem::path path)
    : m_path(std::move(path))
{
    InputFile file(m_path);
    std::istream& in = file.stream();
    std::string line;
    while (file.isOpen() && std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        m_lines.push_back(line);
    }
}

IniProfile::Position IniProfile::locate(std::string_view section, std::string_view key) const
{
    Position pos;
    for (std::size_t i = 0; i < m_lines.size(); ++i) {
        const auto name = sectionName(m_lines[i]);
        if (pos.section == npos) {
            if (name && textcase::equalAscii(*name, section))
                pos.section = i;
            continue;
        }
        if (name) {
            pos.end = i;
            return pos;
        }
        std::string_view k, v;
        if (pos.key == npos && !key.empty() && splitKey(m_lines[i], k, v) && textcase::equalAscii(k, key))
            pos.key = i;
    }
    if (pos.section != npos)
        pos.end = m_lines.size();
    return pos;
}

std::optional<std::string> IniProfile::find(std::string_view section, std::string_view key) const
{
    const Position pos = locate(section, key);
    if (pos.key == npos)
        return std::nullopt;
    std::string_view k, v;
    splitKey(m_lines[pos.key], k, v);
    return unquote(v);
}

bool IniProfile::hasSection(std::string_view section) const { return locate(section, {}).section != npos; }

std::string IniProfile::readString(std::string_view section, std::string_view key, std::string_view fallback) const
{
    auto value = find(section, key);
    return value ? *value : std::string(fallback);
}

int IniProfile::parseInt(std::string_view text, int fallback)
{
    text = trim(text);
    if (text.empty())
        return fallback;
    bool negative = false;
    std::size_t i = 0;
    if (text[0] == '+' || text[0] == '-') {
        negative = text[0] == '-';
        ++i;
    }
    std::uint32_t value = 0;
    for (; i < text.size() && std::isdigit(static_cast<unsigned char>(text[i])); ++i)
        value = value * 10 + static_cast<std::uint32_t>(text[i] - '0'); // wraps like the 32-bit reader
    if (negative)
        value = 0u - value;
    return static_cast<int>(value);
}

int IniProfile::readInt(std::string_view section, std::string_view key, int fallback) const
{
    const auto value = find(section, key);
    return value ? parseInt(*value, fallback) : fallback;
}

bool IniProfile::writeString(std::string_view section, std::string_view key, std::string_view value)
{
    std::string line;
    line.reserve(key.size() + 1 + value.size());
    line.append(key).append(1, '=').append(value);
    const Position pos = locate(section, key);
    if (pos.key != npos) {
        if (m_lines[pos.key] == line)
            return true;
        m_lines[pos.key] = std::move(line);
    } else if (pos.section != npos) {
        // After the section's last non-blank line, so blank separators stay below it.
        std::size_t at = pos.end;
        while (at > pos.section + 1 && trim(m_lines[at - 1]).empty())
            --at;
        m_lines.insert(m_lines.begin() + static_cast<std::ptrdiff_t>(at), std::move(line));
    } else {
        std::string header;
        header.reserve(section.size() + 2);
        header.append(1, '[').append(section).append(1, ']');
        m_lines.push_back(std::move(header));
        m_lines.push_back(std::move(line));
    }
    return changed();
}

bool IniProfile::writeInt(std::string_view section, std::string_view key, int value)
{
    return writeString(section, key, std::to_string(value));
}

bool IniProfile::removeKey(std::string_view section, std::string_view key)
{
    const Position pos = locate(section, key);
    if (pos.key == npos)
        return true;
    m_lines.erase(m_lines.begin() + static_cast<std::ptrdiff_t>(pos.key));
    return changed();
}

bool IniProfile::removeSection(std::string_view section)
{
    const Position pos = locate(section, {});
    if (pos.section == npos)
        return true;
    m_lines.erase(m_lines.begin() + static_cast<std::ptrdiff_t>(pos.section),
                  m_lines.begin() + static_cast<std::ptrdiff_t>(pos.end));
    return changed();
}

bool IniProfile::changed()
{
    if (m_deferred > 0) {
        m_dirty = true;
        return true;
    }
    return save();
}

bool IniProfile::save() const
{
    if (m_path.empty())
        return true;
    std::string text;
    for (const std::string& line : m_lines) {
        text += line;
        text += "\r\n";
    }
    return saveFileAtomically(m_path, text);
}

IniProfile::Batch::~Batch()
{
    if (--m_profile.m_deferred == 0 && m_profile.m_dirty) {
        m_profile.m_dirty = false;
        m_profile.save();
    }
}
