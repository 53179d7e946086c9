#include "textfile/WildcardKeyIndex.h"

#include "textfile/ListFieldText.h"

#include <algorithm>

void WildcardKeyIndex::add(std::string_view key, int position)
{
    m_exact.try_emplace(std::string(key), position);
    if (key.find('*') != std::string_view::npos)
        m_starred[key.size()].push_back({std::string(key), position});
    m_all[key.size()].push_back({std::string(key), position});
}

int WildcardKeyIndex::firstMatch(const std::vector<Key>& keys, std::string_view key)
{
    for (const Key& k : keys) {
        if (listtext::wildcardEqual(k.text, key))
            return k.position;
    }
    return -1;
}

int WildcardKeyIndex::find(std::string_view key) const
{
    const auto inLength = [&](const auto& byLength) {
        const auto it = byLength.find(key.size());
        return it == byLength.end() ? -1 : firstMatch(it->second, key);
    };
    if (key.find('*') != std::string_view::npos)
        return inLength(m_all); // the keys are in list order: the first match is the smallest
    const auto exact = m_exact.find(key);
    const int plain = exact == m_exact.end() ? -1 : exact->second;
    const int starred = inLength(m_starred);
    if (plain < 0 || starred < 0)
        return std::max(plain, starred);
    return std::min(plain, starred);
}

void WildcardKeyIndex::clear()
{
    m_exact.clear();
    m_starred.clear();
    m_all.clear();
}
