#pragma once
// A trie over short codes (dialling prefixes, destination codes), each code
// carrying a value (its position in its list). Digits and "*" take one array
// slot per node, so the common walk costs one load per character; other bytes
// go through a side table.
//
// Two readings of the same tree:
//  - exact: walk child() character by character; "*" is a character like any other;
//  - wildcard prefix: longestPrefix() treats "*" on either side as any one character.

#include <array>
#include <cstdint>
#include <map>
#include <string_view>
#include <vector>

class CodeTrie
{
public:
    static constexpr std::int32_t kNone = -1;

    // Which value a code keeps when it is inserted twice.
    enum class Duplicates { KeepFirst, KeepLast };

    explicit CodeTrie(Duplicates duplicates = Duplicates::KeepFirst);

    void clear();
    void insert(std::string_view code, std::int32_t value);

    static constexpr std::int32_t root() { return 0; }
    // The node after `c`, or kNone. kNone stays kNone.
    std::int32_t child(std::int32_t node, char c) const;
    // The node after all of `text`, or kNone.
    std::int32_t walk(std::int32_t node, std::string_view text) const;
    // The value of the code that ends at `node`, or kNone.
    std::int32_t value(std::int32_t node) const { return m_nodes[static_cast<std::size_t>(node)].value; }

    // Of the codes that match the beginning of `text` ("*" on either side matches
    // any one character), the longest; among equally long ones the smallest
    // value. Returns its value, or kNone; `length` receives its length.
    std::int32_t longestPrefix(std::string_view text, int* length = nullptr) const;

    std::size_t nodeCount() const { return m_nodes.size(); }

private:
    static constexpr int kSlots = 11; // '0'-'9' and '*'
    static int slotOf(char c)
    {
        if (c >= '0' && c <= '9')
            return c - '0';
        return c == '*' ? 10 : -1;
    }
    static std::uint32_t otherKey(std::int32_t node, char c)
    {
        return (static_cast<std::uint32_t>(node) << 8) | static_cast<unsigned char>(c);
    }

    struct Node
    {
        std::array<std::int32_t, kSlots> slots;
        std::int32_t value;
    };
    struct Best
    {
        int length = -1;
        std::int32_t value = kNone;
    };

    std::int32_t addChild(std::int32_t node, char c);
    void search(std::int32_t node, std::string_view text, std::size_t depth, Best& best) const;
    template <class F> void forEachChild(std::int32_t node, F f) const;

    Duplicates m_duplicates;
    std::vector<Node> m_nodes;
    std::map<std::uint32_t, std::int32_t> m_others; // (node, byte) -> child for bytes other than digits and "*"
};
