#include "rating/PatternIndex.h"

#include <algorithm>
#include <array>
#include <bit>
#include <map>
#include <utility>

namespace {

std::uint32_t starMask(std::string_view pattern)
{
    std::uint32_t mask = 0;
    for (std::size_t k = 0; k < pattern.size(); ++k) {
        if (pattern[k] == '*')
            mask |= std::uint32_t{1} << k;
    }
    return mask;
}

bool matches(std::string_view pattern, std::string_view text)
{
    if (pattern.size() != text.size())
        return false;
    for (std::size_t k = 0; k < text.size(); ++k) {
        if (pattern[k] != text[k] && pattern[k] != '*' && text[k] != '*')
            return false;
    }
    return true;
}

} // namespace

void PatternIndex::clear()
{
    m_count = 0;
    m_text.clear();
    m_offsets.assign(1, 0);
    m_byLength.clear();
}

std::uint64_t PatternIndex::hashOf(std::string_view text, std::uint32_t mask)
{
    std::uint64_t h = 0xcbf29ce484222325u;
    for (std::size_t k = 0; k < text.size(); ++k) {
        if (!(mask >> k & 1u))
            h = (h ^ static_cast<unsigned char>(text[k])) * 0x100000001b3u;
    }
    return h ^ (h >> 29);
}

bool PatternIndex::sameKey(int position, std::string_view text, std::uint32_t mask) const
{
    const std::string_view p = pattern(position);
    for (std::size_t k = 0; k < text.size(); ++k) {
        if (!(mask >> k & 1u) && p[k] != text[k])
            return false;
    }
    return true;
}

void PatternIndex::build(const std::vector<std::string_view>& patterns)
{
    clear();
    m_count = patterns.size();
    m_byLength.resize(kMaxLength);
    std::map<std::pair<std::size_t, std::uint32_t>, std::vector<int>> groups;
    for (std::size_t i = 0; i < patterns.size(); ++i) {
        const std::string_view p = patterns[i];
        m_text += p;
        m_offsets.push_back(static_cast<std::uint32_t>(m_text.size()));
        if (!p.empty() && p.size() < kMaxLength)
            groups[{p.size(), starMask(p)}].push_back(static_cast<int>(i));
    }
    for (const auto& [key, members] : groups) {
        Group g{key.first, key.second, std::popcount(key.second), {}, {}};
        fill(g, members);
        m_byLength[key.first].push_back(std::move(g));
    }
    for (auto& list : m_byLength) {
        std::stable_sort(list.begin(), list.end(), [](const Group& a, const Group& b) { return a.stars < b.stars; });
    }
}

// Members come in list order; a key met again keeps the earlier position.
void PatternIndex::fill(Group& group, const std::vector<int>& members)
{
    const std::size_t size = std::bit_ceil(members.size() * 2 + 2);
    group.slots.assign(size, Slot{0, -1});
    group.filter.assign(std::bit_ceil((members.size() + 3) / 4), 0);
    for (const int position : members) {
        const std::string_view p = pattern(position);
        const std::uint64_t h = hashOf(p, group.mask);
        group.filter[filterWord(group, h)] |= filterBits(h);
        const auto tag = static_cast<std::uint32_t>(h >> 32);
        for (std::size_t at = h & (size - 1);; at = (at + 1) & (size - 1)) {
            Slot& slot = group.slots[at];
            if (slot.position < 0) {
                slot = {tag, position};
                break;
            }
            if (slot.tag == tag && sameKey(slot.position, p, group.mask))
                break;
        }
    }
}

int PatternIndex::probe(const Group& group, std::string_view text, std::uint64_t h) const
{
    const std::size_t size = group.slots.size();
    if (const std::uint64_t bits = filterBits(h); (group.filter[filterWord(group, h)] & bits) != bits)
        return -1;
    const auto tag = static_cast<std::uint32_t>(h >> 32);
    for (std::size_t at = h & (size - 1);; at = (at + 1) & (size - 1)) {
        const Slot& slot = group.slots[at];
        if (slot.position < 0)
            return -1;
        if (slot.tag == tag && sameKey(slot.position, text, group.mask))
            return slot.position;
    }
}

int PatternIndex::find(std::string_view text) const
{
    if (text.empty() || text.size() >= kMaxLength || m_count == 0)
        return -1;
    if (text.find('*') != std::string_view::npos)
        return scan(text);
    // The filter words of the first groups are fetched together, so that their
    // cache misses overlap rather than follow one another.
    const std::vector<Group>& groups = m_byLength[text.size()];
    constexpr std::size_t kAhead = 8;
    std::array<std::uint64_t, kAhead> hashes;
    const std::size_t ahead = std::min(groups.size(), kAhead);
    for (std::size_t i = 0; i < ahead; ++i) {
        hashes[i] = hashOf(text, groups[i].mask);
        __builtin_prefetch(&groups[i].filter[filterWord(groups[i], hashes[i])]);
    }
    int best = -1;
    int bestStars = 0;
    for (std::size_t i = 0; i < groups.size(); ++i) {
        const Group& g = groups[i];
        if (best >= 0 && g.stars > bestStars)
            break;
        const int found = probe(g, text, i < ahead ? hashes[i] : hashOf(text, g.mask));
        if (found >= 0 && (best < 0 || found < best)) {
            best = found;
            bestStars = g.stars;
        }
    }
    return best;
}

int PatternIndex::scan(std::string_view text) const
{
    int best = -1;
    int bestStars = 0;
    for (std::size_t i = 0; i < m_count; ++i) {
        const std::string_view p = pattern(static_cast<int>(i));
        if (!matches(p, text))
            continue;
        const int stars = static_cast<int>(std::count(p.begin(), p.end(), '*'));
        if (best < 0 || stars < bestStars) {
            best = static_cast<int>(i);
            bestStars = stars;
        }
    }
    return best;
}
