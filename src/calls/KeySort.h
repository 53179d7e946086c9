#pragma once
// Sorting rows by keys computed once per row instead of a comparison per pair.
// Every key is an unsigned 64-bit number whose order is the order wanted; the
// rows are sorted by a stable radix sort on those keys, so rows with equal keys
// keep the order they had. Texts get their keys as dense ranks (equal texts,
// equal rank), computed by sorting the texts in 8-byte chunks.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

namespace keysort {

struct Item
{
    std::uint64_t key;
    std::uint32_t at;     // a position in the sequence being sorted
    std::uint32_t spare;
};

// Sorts `items` stably by the low `bits` bits of their keys; `scratch` is as long.
void radixSort(std::span<Item> items, std::span<Item> scratch, unsigned bits);

// Permutes `rows` stably so that their keys ascend: `primary[i]` (and, when
// given, `secondary[i]` for rows that tie on it) belong to rows[i]. The key
// vectors are used up.
void sortRows(std::span<std::uint32_t> rows, std::vector<std::uint64_t>& primary,
              std::vector<std::uint64_t>* secondary);

// The first eight bytes of `text` from `offset`, zero-padded, as a number that
// orders as the bytes do (unsigned).
inline std::uint64_t chunk(std::string_view text, std::size_t offset)
{
    std::uint64_t key = 0;
    for (std::size_t i = 0; i < 8; ++i) {
        const std::size_t at = offset + i;
        key = key << 8 | (at < text.size() ? static_cast<unsigned char>(text[at]) : 0u);
    }
    return key;
}

namespace detail {
// Orders items by their texts from `offset` on; the texts hold no zero byte.
template <class TextOf> void sortTexts(std::span<Item> items, std::span<Item> scratch, std::size_t offset, const TextOf& textOf)
{
    if (items.size() < 64) {
        std::sort(items.begin(), items.end(), [&](const Item& a, const Item& b) {
            const std::string_view x = textOf(a.at), y = textOf(b.at);
            return x.substr(std::min(offset, x.size())) < y.substr(std::min(offset, y.size()));
        });
        return;
    }
    for (Item& item : items)
        item.key = chunk(textOf(item.at), offset);
    radixSort(items, scratch, 64);
    // Texts equal in this chunk that go on past it are told apart by the next one.
    for (std::size_t begin = 0; begin < items.size();) {
        std::size_t end = begin + 1;
        while (end < items.size() && items[end].key == items[begin].key)
            ++end;
        if (end - begin > 1 && (items[begin].key & 0xFF) != 0)
            sortTexts(items.subspan(begin, end - begin), scratch.subspan(begin, end - begin), offset + 8, textOf);
        begin = end;
    }
}
} // namespace detail

// Dense ranks in byte order of the texts textOf(0) .. textOf(count - 1), which
// hold no zero byte: equal texts share a rank, the smallest has rank 0. With
// `representatives`, it receives for each rank the position of one text of it.
template <class TextOf>
std::vector<std::uint64_t> rankTexts(std::size_t count, const TextOf& textOf,
                                     std::vector<std::uint32_t>* representatives = nullptr)
{
    std::vector<Item> items(count), scratch(count);
    for (std::size_t i = 0; i < count; ++i)
        items[i] = Item{0, static_cast<std::uint32_t>(i), 0};
    detail::sortTexts(std::span<Item>(items), std::span<Item>(scratch), 0, textOf);
    std::vector<std::uint64_t> ranks(count);
    if (representatives)
        representatives->clear();
    std::uint64_t rank = 0;
    for (std::size_t i = 0; i < count; ++i) {
        if (i > 0 && textOf(items[i].at) != textOf(items[i - 1].at))
            ++rank;
        if (representatives && representatives->size() == rank)
            representatives->push_back(items[i].at);
        ranks[items[i].at] = rank;
    }
    return ranks;
}

} // namespace keysort
