#pragma once
// Whole-number wildcard patterns (contact numbers): a pattern matches a text of
// the same length when every position is equal or "*" on either side. Of the
// patterns that match, the one with the fewest "*" wins, then the one that
// comes first.
//
// Patterns are grouped by length and by the positions of their "*" (a mask);
// within a group a pattern is found by hashing its other characters, so a look-up
// costs one probe per group of the text's length, not a scan of the list. Real
// contact lists have few groups (whole numbers, numbers ending in "**", ...).

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

class PatternIndex
{
public:
    static constexpr std::size_t kMaxLength = 32; // longer patterns never match anything

    // Indexes the patterns; a pattern's value is its position in `patterns`.
    void build(const std::vector<std::string_view>& patterns);
    void clear();

    // The position of the best pattern for `text`, or -1.
    int find(std::string_view text) const;

    bool empty() const { return m_count == 0; }

private:
    struct Slot
    {
        std::uint32_t tag;     // high bits of the hash, to skip most wrong slots unread
        std::int32_t position; // -1 = free
    };
    struct Group
    {
        std::size_t length;
        std::uint32_t mask; // bit k: "*" at position k
        int stars;
        std::vector<Slot> slots; // open addressing, a power of two long
        // Two bits of one word per pattern, 16 bits per pattern (other bits of the
        // hash than the slot's): small enough to stay in the cache while the call
        // table streams past, it turns away almost every number that is no contact.
        std::vector<std::uint64_t> filter;
    };
    static std::uint64_t filterBits(std::uint64_t h)
    {
        return (std::uint64_t{1} << (h >> 20 & 63)) | (std::uint64_t{1} << (h >> 26 & 63));
    }
    static std::size_t filterWord(const Group& g, std::uint64_t h)
    {
        return static_cast<std::size_t>(h >> 32) & (g.filter.size() - 1);
    }

    static std::uint64_t hashOf(std::string_view text, std::uint32_t mask);
    bool sameKey(int position, std::string_view text, std::uint32_t mask) const;
    void fill(Group& group, const std::vector<int>& members);
    int probe(const Group& group, std::string_view text, std::uint64_t h) const;
    int scan(std::string_view text) const; // texts holding "*" themselves

    std::string_view pattern(int position) const
    {
        const auto p = static_cast<std::size_t>(position);
        return std::string_view(m_text).substr(m_offsets[p], m_offsets[p + 1] - m_offsets[p]);
    }

    std::size_t m_count = 0;
    std::string m_text;                         // all patterns, back to back
    std::vector<std::uint32_t> m_offsets;       // m_count + 1 offsets into m_text
    std::vector<std::vector<Group>> m_byLength; // by length; each sorted by "*" count
};
