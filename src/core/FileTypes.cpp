#include "core/FileTypes.h"

namespace filetypes {
namespace {

constexpr std::array<std::string_view, 5> kEnglishNames = {"All files", "Text files", "CSV files",
                                                           "Call database files", "Language files"};

bool inTable(int index) { return index >= 0 && index < static_cast<int>(kExtensions.size()); }

} // namespace

std::string_view extension(int index) { return inTable(index) ? kExtensions[index] : std::string_view{}; }

std::string_view englishTypeName(int index) { return inTable(index) ? kEnglishNames[index] : std::string_view{}; }

std::string dialogFilter(std::initializer_list<int> indices, const TypeNames& names)
{
    std::string filter;
    int taken = 0;
    for (const int index : indices) {
        if (index == -1 || taken == 3)
            break;
        ++taken;
        if (!inTable(index))
            continue;
        const std::string name = names ? names(index) : std::string(englishTypeName(index));
        const std::string_view ext = kExtensions[index];
        filter.append(name).append(" (*").append(ext).append(")|*").append(ext).append("|");
    }
    return filter;
}

std::string qtDialogFilter(std::string_view filter)
{
    // Pairs of "label|pattern|"; Qt wants only the labels, which carry the pattern.
    std::string out;
    bool label = true;
    std::size_t start = 0;
    for (std::size_t bar = filter.find('|'); bar != std::string_view::npos; bar = filter.find('|', start)) {
        if (label) {
            if (!out.empty())
                out += ";;";
            out.append(filter.substr(start, bar - start));
        }
        label = !label;
        start = bar + 1;
    }
    return out;
}

} // namespace filetypes
