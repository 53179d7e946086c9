#include "lang/TranslationDraft.h"

#include <algorithm>

TranslationDraft::TranslationDraft(const LanguageTable& base, const LanguageTable& edited)
    : m_base(base.entries())
{
    m_texts.reserve(m_base.size());
    for (const LanguageEntry& entry : m_base) {
        const std::string* text = edited.find(entry.key);
        m_texts.push_back(text ? *text : std::string());
    }
}

const std::string& TranslationDraft::shownText(std::size_t line) const
{
    return translated(line) ? m_texts[line] : m_base[line].text;
}

void TranslationDraft::store(std::size_t line, std::string_view typed)
{
    std::string text;
    text.reserve(typed.size());
    std::copy_if(typed.begin(), typed.end(), std::back_inserter(text), [](char c) { return c != '\r'; });
    const bool blank = std::all_of(text.begin(), text.end(),
                                   [](char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f'; });
    if (blank || text == m_base[line].text)
        text.clear();
    m_texts[line] = std::move(text);
}

std::size_t TranslationDraft::translatedCount() const
{
    return static_cast<std::size_t>(
        std::count_if(m_texts.begin(), m_texts.end(), [](const std::string& t) { return !t.empty(); }));
}

LanguageTable TranslationDraft::table() const
{
    LanguageTable table;
    for (std::size_t line = 0; line < m_texts.size(); ++line)
        if (!m_texts[line].empty())
            table.add(m_base[line].key, m_texts[line]);
    return table;
}

std::string TranslationDraft::lineLabel(std::string_view baseText)
{
    std::string_view first = baseText.substr(0, baseText.find_first_of("\r\n"));
    if (first.size() > 25)
        return std::string(first.substr(0, 23)) + "...";
    return std::string(first);
}
