#include "settings/NameList.h"

#include "core/Locale.h"

#include <algorithm>

// Inserting n names one by one with a linear scan costs n² comparisons; a
// stable sort followed by dropping collation-equal neighbours gives the same
// list in n log n.
void NameList::build(const std::vector<std::string_view>& names, const Locale& locale)
{
    std::vector<std::string_view> sorted = names;
    std::stable_sort(sorted.begin(), sorted.end(),
                     [&](std::string_view a, std::string_view b) { return locale.compare(a, b) < 0; });
    const auto end = std::unique(sorted.begin(), sorted.end(),
                                 [&](std::string_view a, std::string_view b) { return locale.compare(a, b) == 0; });
    m_names.assign(sorted.begin(), end);
}

int NameList::find(std::string_view name, const Locale& locale) const
{
    const auto it = std::lower_bound(m_names.begin(), m_names.end(), name,
                                     [&](const std::string& a, std::string_view b) {
                                         return locale.compare(a, b) < 0;
                                     });
    if (it == m_names.end() || locale.compare(*it, name) != 0)
        return -1;
    return static_cast<int>(it - m_names.begin());
}
