#include "lang/Resources.h"

#include "core/Cp1252.h"
#include "lang/LanguageKeys.h"

#include <algorithm>
#include <charconv>
#include <optional>
#include <set>

namespace {

constexpr std::string_view kBuiltInResources =
#include "lang/BuiltInResources.inc"
    ;

void walk(const std::vector<MenuItem>& items, langkey::MenuKeyWalker& walker, std::vector<LanguageEntry>& out)
{
    for (const MenuItem& item : items) {
        switch (item.type) {
        case MenuItem::Type::Separator:
            break;
        case MenuItem::Type::Popup: {
            const std::uint32_t key = walker.popup();
            if (!item.text.empty())
                out.push_back({key, item.text});
            walk(item.items, walker, out);
            break;
        }
        case MenuItem::Type::Command:
            if (!item.text.empty())
                out.push_back({walker.item(item.commandId), item.text});
            break;
        }
    }
}

// One line of resource text split into words and quoted texts.
struct Token
{
    std::string text;
    bool quoted = false;
};

class LineParser
{
public:
    explicit LineParser(std::string_view line)
        : m_line(line)
    { }

    // Splits the line; false with `error` set on a bad quoted text.
    bool split(std::vector<Token>& tokens, std::string& error)
    {
        while (true) {
            while (m_pos < m_line.size() && (m_line[m_pos] == ' ' || m_line[m_pos] == '\t' || m_line[m_pos] == '\r'))
                ++m_pos;
            if (m_pos >= m_line.size() || m_line[m_pos] == '#')
                return true;
            Token token;
            if (m_line[m_pos] == '"') {
                if (!quoted(token.text, error))
                    return false;
                token.quoted = true;
            } else {
                const std::size_t start = m_pos;
                while (m_pos < m_line.size() && m_line[m_pos] != ' ' && m_line[m_pos] != '\t' && m_line[m_pos] != '\r')
                    ++m_pos;
                token.text = std::string(m_line.substr(start, m_pos - start));
            }
            tokens.push_back(std::move(token));
        }
    }

private:
    bool quoted(std::string& out, std::string& error)
    {
        std::string utf8;
        for (++m_pos; m_pos < m_line.size(); ++m_pos) {
            const char c = m_line[m_pos];
            if (c == '"') {
                ++m_pos;
                out = cp1252::fromUtf8(utf8);
                return true;
            }
            if (c != '\\') {
                utf8 += c;
                continue;
            }
            if (++m_pos >= m_line.size())
                break;
            switch (m_line[m_pos]) {
            case 'n':
                utf8 += '\n';
                break;
            case 't':
                utf8 += '\t';
                break;
            case '"':
                utf8 += '"';
                break;
            case '\\':
                utf8 += '\\';
                break;
            default:
                error = "unknown escape \\" + std::string(1, m_line[m_pos]);
                return false;
            }
        }
        error = "text without closing quote";
        return false;
    }

    std::string_view m_line;
    std::size_t m_pos = 0;
};

std::optional<int> parseId(const Token& token, int minimum)
{
    int value = 0;
    const char* end = token.text.data() + token.text.size();
    const auto [ptr, ec] = std::from_chars(token.text.data(), end, value);
    if (token.quoted || ec != std::errc{} || ptr != end || value < minimum || value > 0xFFFF)
        return std::nullopt;
    return value;
}

// Builds templates statement by statement.
class ResourceParser
{
public:
    explicit ResourceParser(ResourceSet& out)
        : m_out(out)
    { }

    bool statement(const std::vector<Token>& t, std::string& error)
    {
        const std::string& word = t[0].text;
        if (t[0].quoted)
            return fail(error, "statement expected");
        if (m_menuDepth.empty() && !m_inDialog)
            return topLevel(word, t, error);
        if (m_inDialog)
            return dialogStatement(word, t, error);
        return menuStatement(word, t, error);
    }

    bool finish(std::string& error) const
    {
        return m_menuDepth.empty() && !m_inDialog ? true : fail(error, "END missing at end of text");
    }

private:
    static bool fail(std::string& error, std::string what)
    {
        error = std::move(what);
        return false;
    }

    bool topLevel(const std::string& word, const std::vector<Token>& t, std::string& error)
    {
        if (word == "MENU") {
            std::optional<int> id = t.size() == 2 ? parseId(t[1], 1) : std::nullopt;
            if (!id)
                return fail(error, "MENU needs an id");
            m_out.menus.push_back({*id, {}});
            m_menuDepth.push_back(0);
            return true;
        }
        if (word == "DIALOG" || word == "PAGE") {
            std::optional<int> id = t.size() == 3 && t[2].quoted ? parseId(t[1], 1) : std::nullopt;
            if (!id)
                return fail(error, word + " needs an id and a quoted title");
            m_out.dialogs.push_back({*id, t[2].text, {}, word == "PAGE"});
            m_inDialog = true;
            m_controlIds.clear();
            return true;
        }
        return fail(error, "MENU, DIALOG or PAGE expected, found " + word);
    }

    bool dialogStatement(const std::string& word, const std::vector<Token>& t, std::string& error)
    {
        if (word == "END" && t.size() == 1) {
            m_inDialog = false;
            return true;
        }
        if (word != "CONTROL")
            return fail(error, "CONTROL or END expected, found " + word);
        std::optional<int> id = t.size() == 3 && t[2].quoted ? parseId(t[1], 1) : std::nullopt;
        if (!id)
            return fail(error, "CONTROL needs an id from 1 to 65535 and a quoted text");
        if (!m_controlIds.insert(*id).second)
            return fail(error, "control id " + t[1].text + " used twice in one dialog");
        m_out.dialogs.back().controls.push_back({*id, t[2].text});
        return true;
    }

    std::vector<MenuItem>& currentItems()
    {
        std::vector<MenuItem>* items = &m_out.menus.back().items;
        for (std::size_t depth = 1; depth < m_menuDepth.size(); ++depth)
            items = &items->back().items; // every open pop-up is the last item of its parent
        return *items;
    }

    bool menuStatement(const std::string& word, const std::vector<Token>& t, std::string& error)
    {
        if (word == "END" && t.size() == 1) {
            m_menuDepth.pop_back();
            return true;
        }
        MenuItem item;
        if (word == "SEPARATOR" && t.size() == 1) {
            item.type = MenuItem::Type::Separator;
        } else if (word == "POPUP" && t.size() == 2 && t[1].quoted) {
            item.type = MenuItem::Type::Popup;
            item.text = t[1].text;
        } else if (word == "ITEM" && t.size() == 3 && t[2].quoted) {
            std::optional<int> id = parseId(t[1], 1);
            if (!id)
                return fail(error, "ITEM needs a command id from 1 to 65535");
            item.commandId = *id;
            item.text = t[2].text;
        } else {
            return fail(error, "POPUP \"text\", ITEM id \"text\", SEPARATOR or END expected, found " + word);
        }
        const bool popup = item.type == MenuItem::Type::Popup;
        currentItems().push_back(std::move(item));
        if (popup)
            m_menuDepth.push_back(0);
        return true;
    }

    ResourceSet& m_out;
    std::vector<int> m_menuDepth; // one element per open MENU or POPUP
    bool m_inDialog = false;
    std::set<int> m_controlIds;
};

template <class T> void addById(std::vector<T>& list, T item)
{
    const auto at = std::lower_bound(list.begin(), list.end(), item.id,
                                     [](const T& existing, int id) { return existing.id < id; });
    if (at != list.end() && at->id == item.id)
        *at = std::move(item);
    else
        list.insert(at, std::move(item));
}

template <class T> const T* findById(const std::vector<T>& list, int id)
{
    const auto at = std::lower_bound(list.begin(), list.end(), id,
                                     [](const T& existing, int wanted) { return existing.id < wanted; });
    return at != list.end() && at->id == id ? &*at : nullptr;
}

} // namespace

std::vector<LanguageEntry> keyedTexts(const MenuTemplate& menu)
{
    std::vector<LanguageEntry> out;
    langkey::MenuKeyWalker walker(menu.id);
    walk(menu.items, walker, out);
    return out;
}

std::vector<LanguageEntry> keyedTexts(const DialogTemplate& dialog)
{
    std::vector<LanguageEntry> out;
    if (!dialog.title.empty())
        out.push_back({langkey::dialogKey(dialog.id, 0), dialog.title});
    for (const DialogControl& control : dialog.controls)
        if (!control.text.empty())
            out.push_back({langkey::dialogKey(dialog.id, control.id), control.text});
    return out;
}

bool parseResourceText(std::string_view text, ResourceSet& out, std::string* error)
{
    ResourceSet parsed;
    ResourceParser parser(parsed);
    std::string what;
    std::size_t lineNumber = 0;
    while (!text.empty()) {
        ++lineNumber;
        const std::size_t end = text.find('\n');
        const std::string_view line = text.substr(0, end);
        text = end == std::string_view::npos ? std::string_view{} : text.substr(end + 1);
        std::vector<Token> tokens;
        if (!LineParser(line).split(tokens, what) || (!tokens.empty() && !parser.statement(tokens, what))) {
            if (error)
                *error = "line " + std::to_string(lineNumber) + ": " + what;
            return false;
        }
    }
    if (!parser.finish(what)) {
        if (error)
            *error = what;
        return false;
    }
    out.menus.insert(out.menus.end(), parsed.menus.begin(), parsed.menus.end());
    out.dialogs.insert(out.dialogs.end(), parsed.dialogs.begin(), parsed.dialogs.end());
    return true;
}

ResourceRegistry& ResourceRegistry::global()
{
    static ResourceRegistry registry = [] {
        ResourceRegistry r;
        ResourceSet builtIn;
        parseResourceText(kBuiltInResources, builtIn); // checked by the tests
        r.add(builtIn);
        return r;
    }();
    return registry;
}

void ResourceRegistry::add(MenuTemplate menu) { addById(m_menus, std::move(menu)); }
void ResourceRegistry::add(DialogTemplate dialog) { addById(m_dialogs, std::move(dialog)); }

void ResourceRegistry::add(const ResourceSet& set)
{
    for (const MenuTemplate& menu : set.menus)
        add(menu);
    for (const DialogTemplate& dialog : set.dialogs)
        add(dialog);
}

const MenuTemplate* ResourceRegistry::menu(int id) const { return findById(m_menus, id); }
const DialogTemplate* ResourceRegistry::dialog(int id) const { return findById(m_dialogs, id); }

std::string_view ResourceRegistry::builtInResourceText() { return kBuiltInResources; }
