#include "lang/LanguageBuilder.h"

#include "core/Cp1252.h"
#include "lang/LanguageKeys.h"
#include "lang/LanguageService.h"

#include <algorithm>
#include <charconv>
#include <set>
#include <unordered_map>

namespace {

void note(std::vector<std::string>* problems, std::string what)
{
    if (problems)
        problems->push_back(std::move(what));
}

std::string keyName(std::uint32_t key)
{
    const char* kind = langkey::kindOf(key) == langkey::Kind::Menu     ? "menu"
                       : langkey::kindOf(key) == langkey::Kind::Dialog ? "dialog"
                                                                       : "string";
    return std::string(kind) + " key " + std::to_string(key >> 16) + ":" + std::to_string(key & 0xFFFF);
}

// Collects (key, text) pairs in order, refusing a second, different text for a key.
class EntryCollector
{
public:
    explicit EntryCollector(std::vector<std::string>* problems)
        : m_problems(problems)
    { }

    void add(std::uint32_t key, const std::string& text)
    {
        const std::string escaped = escapeTabs(text);
        const auto [it, inserted] = m_texts.emplace(key, escaped);
        if (inserted)
            m_order.push_back(key);
        else if (it->second != escaped)
            note(m_problems, keyName(key) + " has two texts: \"" + it->second + "\" and \"" + escaped + "\"");
    }

    std::vector<std::uint32_t>& order() { return m_order; }
    const std::string& text(std::uint32_t key) const { return m_texts.at(key); }

private:
    std::vector<std::string>* m_problems;
    std::vector<std::uint32_t> m_order;
    std::unordered_map<std::uint32_t, std::string> m_texts;
};

bool sameStructure(const std::vector<MenuItem>& a, const std::vector<MenuItem>& b)
{
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (a[i].type != b[i].type || a[i].commandId != b[i].commandId || !sameStructure(a[i].items, b[i].items))
            return false;
    return true;
}

// What a text fills in: its printf conversions in order ("%d", "%s", ...) and
// its numbered inserts ("%1", ...) in order of number. A translation must fill
// in the same, or the program's values land in the wrong places.
std::string fillIns(std::string_view text)
{
    std::string conversions;
    std::string inserts;
    for (std::size_t i = 0; i + 1 < text.size(); ++i) {
        if (text[i] != '%')
            continue;
        std::size_t j = i + 1;
        if (text[j] == '%') {
            i = j;
            continue;
        }
        if (text[j] >= '1' && text[j] <= '9') {
            inserts += text[j];
            continue;
        }
        while (j < text.size() && std::string_view("-+ #0123456789.hlI").find(text[j]) != std::string_view::npos)
            ++j;
        if (j < text.size() && std::string_view("diuxXcsfeEgG").find(text[j]) != std::string_view::npos)
            conversions += text[j];
        i = j;
    }
    std::sort(inserts.begin(), inserts.end());
    return conversions + "|" + inserts;
}

std::string unescape(std::string_view text, std::string& error)
{
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '\\') {
            out += text[i];
            continue;
        }
        const char next = i + 1 < text.size() ? text[i + 1] : '\0';
        if (next == 'n')
            out += '\n';
        else if (next == 't')
            out += '\t';
        else if (next == '\\')
            out += '\\';
        else
            error = "unknown escape after a backslash";
        ++i;
    }
    return out;
}

} // namespace

LanguageTable buildBaseTable(const ResourceSet& resources, std::span<const BuiltInString> strings,
                             std::vector<std::string>* problems)
{
    EntryCollector collector(problems);
    for (const MenuTemplate& menu : resources.menus)
        for (const LanguageEntry& entry : keyedTexts(menu))
            collector.add(entry.key, entry.text);

    std::vector<KeyMapping> mappings;
    std::unordered_map<std::string, std::uint32_t> firstControlWithText;
    for (const DialogTemplate& dialog : resources.dialogs) {
        for (const LanguageEntry& entry : keyedTexts(dialog)) {
            const bool control = (entry.key & 0xFFFF) != 0;
            if (control) {
                const auto [it, first] = firstControlWithText.emplace(entry.text, entry.key);
                if (!first && (it->second >> 16) != (entry.key >> 16)) {
                    mappings.push_back({entry.key, it->second});
                    continue;
                }
            }
            collector.add(entry.key, entry.text);
        }
    }
    for (const BuiltInString& s : strings)
        collector.add(langkey::stringKey(s.id), std::string(s.text));

    LanguageTable table;
    for (const std::uint32_t key : collector.order())
        table.add(key, collector.text(key));
    table.setMappings(std::move(mappings));
    return table;
}

bool parseStringsList(std::string_view utf8, std::map<int, std::string>& out, std::string* error)
{
    std::size_t lineNumber = 0;
    std::string what;
    while (!utf8.empty() && what.empty()) {
        ++lineNumber;
        const std::size_t end = utf8.find('\n');
        std::string_view line = utf8.substr(0, end);
        utf8 = end == std::string_view::npos ? std::string_view{} : utf8.substr(end + 1);
        if (!line.empty() && line.back() == '\r')
            line.remove_suffix(1);
        if (line.empty() || line.front() == '#')
            continue;
        const std::size_t tab = line.find('\t');
        int id = 0;
        const auto [ptr, ec] = std::from_chars(line.data(), line.data() + (tab == std::string_view::npos ? 0 : tab),
                                               id);
        if (tab == std::string_view::npos || ec != std::errc{} || ptr != line.data() + tab || id <= 0 || id > 0xFFFF) {
            what = "expected a string id, a tab and the text";
            break;
        }
        const std::string text = unescape(line.substr(tab + 1), what);
        if (!out.emplace(id, cp1252::fromUtf8(text)).second)
            what = "string " + std::to_string(id) + " given twice";
    }
    if (!what.empty() && error)
        *error = "line " + std::to_string(lineNumber) + ": " + what;
    return what.empty();
}

LanguageTable buildTranslationTable(const LanguageTable& base, const ResourceSet& baseResources,
                                    const TranslationSource& source, std::vector<std::string>& problems,
                                    std::vector<std::string>& missing)
{
    std::unordered_map<std::uint32_t, std::string> texts;
    auto put = [&](std::uint32_t key, const std::string& text) {
        if (const std::optional<std::uint32_t> mapped = base.mappedKey(key))
            key = *mapped;
        if (!base.find(key)) {
            problems.push_back("the base file has no " + keyName(key));
            return;
        }
        const std::string escaped = escapeTabs(text);
        if (fillIns(escaped) != fillIns(*base.find(key))) {
            problems.push_back(keyName(key) + ": \"" + escaped + "\" does not fill in what \"" + *base.find(key)
                               + "\" does");
            return;
        }
        texts[key] = escaped;
    };

    for (const auto& [id, text] : source.strings)
        put(langkey::stringKey(id), text);
    for (const MenuTemplate& menu : source.resources.menus) {
        const auto original = std::find_if(baseResources.menus.begin(), baseResources.menus.end(),
                                           [&](const MenuTemplate& m) { return m.id == menu.id; });
        if (original == baseResources.menus.end() || !sameStructure(original->items, menu.items)) {
            problems.push_back("menu " + std::to_string(menu.id) + " differs from the program's menu");
            continue;
        }
        for (const LanguageEntry& entry : keyedTexts(menu))
            put(entry.key, entry.text);
    }
    for (const DialogTemplate& dialog : source.resources.dialogs)
        for (const LanguageEntry& entry : keyedTexts(dialog))
            put(entry.key, entry.text);

    LanguageTable table;
    for (const LanguageEntry& entry : base.entries()) {
        const auto it = texts.find(entry.key);
        if (it == texts.end()) {
            if (langkey::kindOf(entry.key) != langkey::Kind::Dialog)
                missing.push_back(keyName(entry.key) + " \"" + entry.text + "\"");
            continue;
        }
        if (it->second != entry.text)
            table.add(entry.key, it->second);
    }
    return table;
}
