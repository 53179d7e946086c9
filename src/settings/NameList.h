#pragma once
// A sorted list of distinct names in the locale's collation order: the
// departments, contact names, trunk groups and project names that lists,
// filters and reports refer to by position.

#include <string>
#include <string_view>
#include <vector>

class Locale;

class NameList
{
public:
    // Builds the list from names in their list order. The result is what
    // inserting them one by one would give: sorted by `locale`, and of names the
    // collation finds equal only the first is kept.
    void build(const std::vector<std::string_view>& names, const Locale& locale);
    void clear() { m_names.clear(); }

    // The position of `name`, or -1 (a binary search in collation order).
    int find(std::string_view name, const Locale& locale) const;

    const std::vector<std::string>& names() const { return m_names; }
    int size() const { return static_cast<int>(m_names.size()); }
    const std::string& operator[](int i) const { return m_names[static_cast<std::size_t>(i)]; }

private:
    std::vector<std::string> m_names;
};
