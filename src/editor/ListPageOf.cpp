#include "editor/ListPageOf.h"

#include "core/Locale.h"
#include "core/TextCase.h"

namespace listpage {

bool startsWith(std::string_view text, std::string_view typed, bool ignoreCase)
{
    if (typed.size() > text.size())
        return false;
    if (!ignoreCase)
        return text.substr(0, typed.size()) == typed;
    for (std::size_t i = 0; i < typed.size(); ++i)
        if (textcase::lowerCp1252(static_cast<unsigned char>(text[i]))
            != textcase::lowerCp1252(static_cast<unsigned char>(typed[i])))
            return false;
    return true;
}

int compareNames(std::string_view a, std::string_view b) { return Locale::current().compare(a, b); }

int compareBytes(std::string_view a, std::string_view b)
{
    const int order = a.compare(b);
    return order < 0 ? -1 : (order > 0 ? 1 : 0);
}

std::vector<std::uint32_t> collationRanks(std::span<const std::string_view> names)
{
    return Locale::current().collationRanks(names);
}

} // namespace listpage
