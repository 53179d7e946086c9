#pragma once
// Finds the first list entry whose key matches a text, where "*" in either
// stands for any one character (listtext::wildcardEqual): the contacts' phone
// numbers and the carriers' prefixes during an import. A look-up costs a hash
// probe plus a scan of the keys of the same length that hold "*"; only a text
// that itself holds "*" scans every key of its length. So importing many
// plain numbers into a long list stays linear.

#include <cstddef>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

class WildcardKeyIndex
{
public:
    // Entries are added in list order: each position is larger than the last.
    void add(std::string_view key, int position);
    // The smallest position whose key matches `key`, or -1.
    int find(std::string_view key) const;
    void clear();

private:
    struct Key
    {
        std::string text;
        int position;
    };
    struct TextHash
    {
        using is_transparent = void;
        std::size_t operator()(std::string_view s) const { return std::hash<std::string_view>{}(s); }
    };

    static int firstMatch(const std::vector<Key>& keys, std::string_view key);

    std::unordered_map<std::string, int, TextHash, std::equal_to<>> m_exact; // first position of each key
    std::unordered_map<std::size_t, std::vector<Key>> m_starred;             // by length: keys holding "*"
    std::unordered_map<std::size_t, std::vector<Key>> m_all;                 // by length: every key
};
