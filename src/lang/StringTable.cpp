#include "lang/StringTable.h"

#include "lang/TextSource.h"

#include <algorithm>
#include <array>

namespace {

constexpr BuiltInString kStrings[] = {
#define QX_STRING(name, id, text) {id, #name, text},
#include "lang/StringTable.def"
#undef QX_STRING
};

constexpr bool idsAscending()
{
    for (std::size_t i = 1; i < std::size(kStrings); ++i)
        if (kStrings[i - 1].id >= kStrings[i].id)
            return false;
    return true;
}
static_assert(idsAscending(), "StringTable.def: ids must be unique and ascending");
static_assert(kStrings[0].id > 0 && kStrings[std::size(kStrings) - 1].id <= 0xFFFF, "string ids are 16-bit");

const TextSource* g_source = nullptr;

} // namespace

std::span<const BuiltInString> BuiltInStrings() { return kStrings; }

std::string_view BuiltInText(int id)
{
    const auto it = std::lower_bound(std::begin(kStrings), std::end(kStrings), id,
                                     [](const BuiltInString& s, int wanted) { return s.id < wanted; });
    return it != std::end(kStrings) && it->id == id ? it->text : std::string_view{};
}

bool HasBuiltInText(int id)
{
    const auto it = std::lower_bound(std::begin(kStrings), std::end(kStrings), id,
                                     [](const BuiltInString& s, int wanted) { return s.id < wanted; });
    return it != std::end(kStrings) && it->id == id;
}

const TextSource* installTextSource(const TextSource* source)
{
    const TextSource* previous = g_source;
    g_source = source;
    return previous;
}

std::string LoadText(int id)
{
    if (g_source)
        if (std::optional<std::string> text = g_source->stringText(id))
            return std::move(*text);
    return std::string(BuiltInText(id));
}

std::string LoadTextPrompt(int id)
{
    std::string text = LoadText(id);
    const std::size_t lineBreak = text.find('\n');
    if (lineBreak != std::string::npos)
        text.resize(lineBreak);
    return text;
}

std::string LoadTextTip(int id)
{
    const std::string text = LoadText(id);
    const std::size_t lineBreak = text.find('\n');
    return lineBreak == std::string::npos ? std::string{} : text.substr(lineBreak + 1);
}
