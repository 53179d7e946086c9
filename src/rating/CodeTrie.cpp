#include "rating/CodeTrie.h"

namespace {

constexpr std::array<std::int32_t, 11> kNoSlots{-1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1};

} // namespace

CodeTrie::CodeTrie(Duplicates duplicates)
    : m_duplicates(duplicates)
{
    clear();
}

void CodeTrie::clear()
{
    m_nodes.assign(1, Node{kNoSlots, kNone});
    m_others.clear();
}

std::int32_t CodeTrie::addChild(std::int32_t node, char c)
{
    if (const std::int32_t existing = child(node, c); existing != kNone)
        return existing;
    const auto added = static_cast<std::int32_t>(m_nodes.size());
    m_nodes.push_back(Node{kNoSlots, kNone});
    if (const int slot = slotOf(c); slot >= 0)
        m_nodes[static_cast<std::size_t>(node)].slots[static_cast<std::size_t>(slot)] = added;
    else
        m_others.emplace(otherKey(node, c), added);
    return added;
}

void CodeTrie::insert(std::string_view code, std::int32_t value)
{
    std::int32_t node = root();
    for (const char c : code)
        node = addChild(node, c);
    std::int32_t& slot = m_nodes[static_cast<std::size_t>(node)].value;
    if (slot == kNone || m_duplicates == Duplicates::KeepLast)
        slot = value;
}

std::int32_t CodeTrie::child(std::int32_t node, char c) const
{
    if (node == kNone)
        return kNone;
    if (const int slot = slotOf(c); slot >= 0)
        return m_nodes[static_cast<std::size_t>(node)].slots[static_cast<std::size_t>(slot)];
    const auto it = m_others.find(otherKey(node, c));
    return it == m_others.end() ? kNone : it->second;
}

std::int32_t CodeTrie::walk(std::int32_t node, std::string_view text) const
{
    for (const char c : text) {
        if (node == kNone)
            break;
        node = child(node, c);
    }
    return node;
}

template <class F> void CodeTrie::forEachChild(std::int32_t node, F f) const
{
    for (const std::int32_t next : m_nodes[static_cast<std::size_t>(node)].slots) {
        if (next != kNone)
            f(next);
    }
    const auto first = m_others.lower_bound(otherKey(node, '\0'));
    const auto last = m_others.upper_bound(otherKey(node, '\xff'));
    for (auto it = first; it != last; ++it)
        f(it->second);
}

// Depth first over every branch the text allows: its own character and "*";
// a "*" in the text follows every branch.
void CodeTrie::search(std::int32_t node, std::string_view text, std::size_t depth, Best& best) const
{
    const std::int32_t here = value(node);
    if (here != kNone) {
        const int length = static_cast<int>(depth);
        if (length > best.length || (length == best.length && here < best.value))
            best = {length, here};
    }
    if (depth == text.size())
        return;
    const char c = text[depth];
    if (c == '*') {
        forEachChild(node, [&](std::int32_t next) { search(next, text, depth + 1, best); });
        return;
    }
    if (const std::int32_t same = child(node, c); same != kNone)
        search(same, text, depth + 1, best);
    if (const std::int32_t any = m_nodes[static_cast<std::size_t>(node)].slots[10]; any != kNone)
        search(any, text, depth + 1, best);
}

std::int32_t CodeTrie::longestPrefix(std::string_view text, int* length) const
{
    Best best;
    search(root(), text, 0, best);
    if (length)
        *length = best.length;
    return best.value;
}
