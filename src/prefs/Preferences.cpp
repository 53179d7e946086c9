#include "prefs/Preferences.h"

#include "prefs/ProfileText.h"

#include <algorithm>
#include <cstdio>

namespace {

constexpr ColorRef kWhite = 0xFFFFFF;

// An integer that indexes a list of `count` choices.
struct Choice
{
    int count;
};

enum class TextKind { Plain, LineBreaks };

struct TextRule
{
    std::size_t maxLength;
    TextKind kind;
};

std::string indexed(const char* key, int index) { return key + std::to_string(index); }

// Every preference with its INI key and default, one call of `v` per key. Used
// for the defaults, for loading and for saving, so the three cannot drift apart.
template <class Prefs, class Visitor> void forEachValue(Prefs& p, Visitor&& v)
{
    v("Ext", p.extensionFormat, 2, Choice{Preferences::kExtensionFormatCount});
    v("CO", p.trunkFormat, 1, Choice{Preferences::kTrunkFormatCount});
    v("Local", p.dashAfterLocalPrefix, false);
    v("Code", p.dashAfterCode, true);
    v("Toll", p.dashAfterTollPrefix, true);
    v("IncomingLocal", p.incomingLocal, true);
    v("USA", p.usaFormat, false);
    v("DestIntl", p.destinationIntl, Preferences::CountryAndCity, Choice{3});
    v("DestLD", p.destinationLongDistance, Preferences::CityOnly, Choice{3});
    v("DestUser", p.destinationUser, Preferences::CountryAndCity, Choice{3});
    constexpr ColorRef kColorOut[3] = {0x000000, 0xFF0000, 0xC8C800}; // black, blue, RGB(0, 200, 200)
    for (int i = 0; i < 3; ++i) {
        v(indexed("ColorOut", i), p.colorOut[i], kColorOut[i]);
        v(indexed("BackOut", i), p.backOut[i], kWhite);
    }
    v("ColorIn", p.colorIn, ColorRef{0x008000});
    v("BackIn", p.backIn, kWhite);
    v("ColorUnknown", p.colorUnknown, ColorRef{0x0000DC});
    v("BackUnknown", p.backUnknown, kWhite);
    for (int i = 0; i < 4; ++i) {
        v(indexed("UserCallType", i), p.userCallTypes[i], TextRule{Preferences::kUserCallTypeNameMax, TextKind::Plain});
        v(indexed("ColorUser", i), p.colorUser[i], ColorRef{0x808040});
        v(indexed("BackUser", i), p.backUser[i], kWhite);
    }
    v("Delimiters", p.delimiters, true);
    v("DelimiterColor", p.delimiterColor, ColorRef{0xC8C8C8});
    v("Refresh", p.refresh, true);
    for (int i = 0; i < 5; ++i)
        v(indexed("CustomText", i), p.customTexts[i], TextRule{Preferences::kCustomTextMax, TextKind::LineBreaks});
}

// The stored form of a line break is the two characters backslash and n.
std::string lineBreaksFromProfile(std::string_view stored)
{
    std::string text;
    text.reserve(stored.size());
    for (std::size_t i = 0; i < stored.size(); ++i) {
        if (stored[i] == '\\' && i + 1 < stored.size() && stored[i + 1] == 'n') {
            text += "\r\n";
            ++i;
        } else {
            text += stored[i];
        }
    }
    return text;
}

// CR LF, and a lone CR or LF too, are written as backslash n: a raw line break
// would end the INI line and lose the rest of the text.
std::string lineBreaksToProfile(std::string_view text)
{
    std::string stored;
    stored.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r' || text[i] == '\n') {
            stored += "\\n";
            if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n')
                ++i;
        } else {
            stored += text[i];
        }
    }
    return stored;
}

struct Reset
{
    void operator()(const std::string&, int& value, int def, Choice) const { value = def; }
    void operator()(const std::string&, bool& value, bool def) const { value = def; }
    void operator()(const std::string&, ColorRef& value, ColorRef def) const { value = def; }
    void operator()(const std::string&, std::string& value, TextRule) const { value.clear(); }
};

struct Load
{
    const IniProfile& ini;

    void operator()(const std::string& key, int& value, int def, Choice choice) const
    {
        value = ini.readInt(Preferences::kSection, key, def);
        if (value < 0 || value >= choice.count) // an index into the format lists: never past them
            value = def;
    }
    void operator()(const std::string& key, bool& value, bool def) const
    {
        value = ini.readInt(Preferences::kSection, key, def ? 1 : 0) != 0;
    }
    void operator()(const std::string& key, ColorRef& value, ColorRef def) const
    {
        value = static_cast<ColorRef>(ini.readInt(Preferences::kSection, key, static_cast<int>(def)));
    }
    void operator()(const std::string& key, std::string& value, TextRule rule) const
    {
        std::string stored = ini.readString(Preferences::kSection, key);
        if (stored.size() > rule.maxLength)
            stored.resize(rule.maxLength);
        value = rule.kind == TextKind::LineBreaks ? lineBreaksFromProfile(stored) : std::move(stored);
    }
};

struct Save
{
    IniProfile& ini;

    void operator()(const std::string& key, int value, int, Choice) const
    {
        ini.writeInt(Preferences::kSection, key, value);
    }
    void operator()(const std::string& key, bool value, bool) const
    {
        ini.writeInt(Preferences::kSection, key, value ? 1 : 0);
    }
    void operator()(const std::string& key, ColorRef value, ColorRef) const
    {
        ini.writeInt(Preferences::kSection, key, static_cast<int>(value));
    }
    void operator()(const std::string& key, const std::string& value, TextRule rule) const
    {
        profiletext::write(ini, Preferences::kSection, key,
                           rule.kind == TextKind::LineBreaks ? lineBreaksToProfile(value) : value);
    }
};

// `formatIndex` 0 is "%d", n is zero-padded to n + 1 digits.
std::string formatNumber(int number, int formatIndex, int formatCount)
{
    if (number == -1)
        return {};
    const int index = std::clamp(formatIndex, 0, formatCount - 1);
    char text[16];
    std::snprintf(text, sizeof text, "%0*d", index == 0 ? 0 : index + 1, number);
    return text;
}

} // namespace

Preferences::Preferences() { forEachValue(*this, Reset{}); }

void Preferences::load(const IniProfile& ini) { forEachValue(*this, Load{ini}); }

bool Preferences::save(IniProfile& ini) const
{
    {
        IniProfile::Batch batch(ini);
        forEachValue(*this, Save{ini});
    }
    // The batch cannot report a failed write; check the outcome by writing once more.
    return ini.save();
}

std::string Preferences::formatExtension(int extension) const
{
    return formatNumber(extension, extensionFormat, kExtensionFormatCount);
}

std::string Preferences::formatTrunk(int trunk) const { return formatNumber(trunk, trunkFormat, kTrunkFormatCount); }
