#pragma once
// The working texts of the translation editor: one per entry of the base
// language file, in its file order, each the edited translation's text for
// that key or empty (not translated). Texts are raw language-file texts
// (Windows-1252, "\t" as backslash and t, line breaks as LF).

#include "lang/LanguageFile.h"

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

class TranslationDraft
{
public:
    TranslationDraft(const LanguageTable& base, const LanguageTable& edited);

    std::size_t size() const { return m_texts.size(); }
    std::uint32_t key(std::size_t line) const { return m_base[line].key; }
    const std::string& baseText(std::size_t line) const { return m_base[line].text; }
    const std::string& text(std::size_t line) const { return m_texts[line]; }
    bool translated(std::size_t line) const { return !m_texts[line].empty(); }
    // What the "Translation" box shows: the working text, or the base text when there is none.
    const std::string& shownText(std::size_t line) const;

    // Takes what was typed for a line: CRs are dropped; a text that is blank or
    // equal to the base text leaves the line untranslated.
    void store(std::size_t line, std::string_view typed);
    void reset(std::size_t line) { m_texts[line].clear(); }

    std::size_t translatedCount() const;
    // The translation to write: one entry per translated line, in base order.
    LanguageTable table() const;

    // The list's line for a base text: up to its first line break, cut to 23
    // characters and "..." when longer than 25.
    static std::string lineLabel(std::string_view baseText);

private:
    std::vector<LanguageEntry> m_base;
    std::vector<std::string> m_texts;
};
