#include "textfile/TextTableOptions.h"

#include "prefs/ProfileText.h"

#include <algorithm>
#include <cstdio>

namespace {

std::string indexed(const char* key, std::size_t index) { return key + std::to_string(index); }

bool readFlag(const IniProfile& ini, std::string_view section, const char* key, bool def)
{
    return ini.readInt(section, key, def ? 1 : 0) != 0;
}

} // namespace

TextTableOptions::TextTableOptions(int fieldCount)
{
    positions.resize(static_cast<std::size_t>(std::max(fieldCount, 0)));
    for (std::size_t i = 0; i < positions.size(); ++i)
        positions[i].field = static_cast<int>(i);
}

void TextTableOptions::load(const IniProfile& ini, std::string_view section, int fieldCount)
{
    *this = TextTableOptions(fieldCount);
    file = ini.readString(section, "File");
    add = readFlag(ini, section, "Add", true);
    update = readFlag(ini, section, "Update", true);
    deleteAll = readFlag(ini, section, "DeleteAll", false);
    trim = readFlag(ini, section, "Trim", false);
    selection = readFlag(ini, section, "Selection", false);
    excel = readFlag(ini, section, "Excel", false);
    const int type = ini.readInt(section, "SepType", static_cast<int>(SeparatorType::Other));
    separatorType = type >= 0 && type <= 2 ? static_cast<SeparatorType>(type) : SeparatorType::Other;
    separator = ini.readString(section, "Separator", ";");
    firstLineIsHeader = readFlag(ini, section, "First", false);

    std::vector<bool> taken(positions.size(), false);
    for (std::size_t i = 0; i < positions.size(); ++i) {
        TextTablePosition& p = positions[i];
        p.active = ini.readInt(section, indexed("Active", i), 1) != 0;
        p.skip = std::clamp(ini.readInt(section, indexed("Skip", i), 0), 0, kMaxSkip);
        p.size = std::clamp(ini.readInt(section, indexed("Size", i), 16), kMinSize, kMaxSize);
        const int field = ini.readInt(section, indexed("Order", i), static_cast<int>(i));
        const bool sound = field >= 0 && field < fieldCount && !taken[static_cast<std::size_t>(field)];
        p.field = sound ? field : -1;
        if (sound)
            taken[static_cast<std::size_t>(field)] = true;
    }
    auto unused = taken.begin();
    for (TextTablePosition& p : positions) {
        if (p.field >= 0)
            continue;
        unused = std::find(unused, taken.end(), false);
        p.field = static_cast<int>(unused - taken.begin());
        *unused = true;
    }
}

bool TextTableOptions::save(IniProfile& ini, std::string_view section) const
{
    {
        IniProfile::Batch batch(ini);
        profiletext::write(ini, section, "File", file);
        ini.writeInt(section, "Add", add);
        ini.writeInt(section, "Update", update);
        ini.writeInt(section, "DeleteAll", deleteAll);
        ini.writeInt(section, "Trim", trim);
        ini.writeInt(section, "Selection", selection);
        ini.writeInt(section, "Excel", excel);
        ini.writeInt(section, "SepType", static_cast<int>(separatorType));
        profiletext::write(ini, section, "Separator", separator); // a blank separator must survive
        ini.writeInt(section, "First", firstLineIsHeader);
        for (std::size_t i = 0; i < positions.size(); ++i) {
            ini.writeInt(section, indexed("Active", i), positions[i].active);
            ini.writeInt(section, indexed("Order", i), positions[i].field);
            ini.writeInt(section, indexed("Skip", i), positions[i].skip);
            ini.writeInt(section, indexed("Size", i), positions[i].size);
        }
    }
    // The batch cannot report a failed write; check the outcome by writing once more.
    return ini.save();
}

char TextTableOptions::separatorChar() const
{
    if (separatorType == SeparatorType::Tab)
        return '\t';
    return separator.empty() ? ';' : separator.front();
}

int TextTableOptions::activeCount() const
{
    return static_cast<int>(std::count_if(positions.begin(), positions.end(), [](const auto& p) { return p.active; }));
}

int TextTableOptions::columnOf(std::size_t position) const
{
    int column = 0;
    for (std::size_t i = 0; i <= position && i < positions.size(); ++i) {
        if (positions[i].active)
            column += 1 + (fixedWidth() ? 0 : positions[i].skip);
    }
    return column;
}

std::string TextTableOptions::listLine(std::size_t position, const std::vector<std::string>& titles) const
{
    const TextTablePosition& p = positions.at(position);
    const std::size_t field = static_cast<std::size_t>(p.field);
    const std::string title = field < titles.size() ? titles[field] : std::string();
    if (!p.active)
        return title;
    std::string line = "#" + std::to_string(columnOf(position)) + " - " + title;
    if (fixedWidth())
        line += " [" + std::to_string(p.size) + "]";
    return line;
}

bool TextTableOptions::moveUp(std::size_t position)
{
    if (position == 0 || position >= positions.size())
        return false;
    std::swap(positions[position - 1], positions[position]);
    return true;
}

bool TextTableOptions::moveDown(std::size_t position) { return moveUp(position + 1); }

void TextTableOptions::setActive(std::size_t position, bool active)
{
    TextTablePosition& p = positions.at(position);
    p.active = active;
    if (!active)
        p.skip = 0;
}

void TextTableOptions::changeSkip(std::size_t position, int delta)
{
    TextTablePosition& p = positions.at(position);
    if (p.active)
        p.skip = std::clamp(p.skip + delta, 0, kMaxSkip);
}

void TextTableOptions::changeSize(std::size_t position, int delta)
{
    TextTablePosition& p = positions.at(position);
    if (p.active)
        p.size = std::clamp(p.size + delta, kMinSize, kMaxSize);
}

void TextTableOptions::confirm(TextTableMode mode)
{
    if (separator.empty())
        separator = ";";
    if (mode == TextTableMode::Import && fixedWidth())
        trim = true;
}
