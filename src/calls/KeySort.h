#pragma once
// Sorting rows by keys computed once per row instead of a comparison per pair.
// Every key is an unsigned 64-bit number whose order is the order wanted; the
// rows are sorted by a stable radix sort on those keys, so rows with equal keys
// keep the order they had. Texts get their keys as dense ranks (equal texts,
// equal rank), computed by sorting the texts a packed key of characters at a
// time.

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <string_view>
#include <vector>

namespace keysort {

struct Item
{
    std::uint64_t key;
    std::uint32_t at;   // a position in the sequence being sorted
    std::uint32_t mark; // texts: 1 where a new text begins
};

// Sorts `items` stably by the low `bits` bits of their keys; `scratch` is as long.
void radixSort(std::span<Item> items, std::span<Item> scratch, unsigned bits);

// Permutes `rows` stably so that their keys ascend: `primary[i]` (and, when
// given, `secondary[i]` for rows that tie on it) belong to rows[i]. The key
// vectors are used up.
void sortRows(std::span<std::uint32_t> rows, std::vector<std::uint64_t>& primary,
              std::vector<std::uint64_t>* secondary);

// How texts are packed into keys: each byte of an alphabet becomes a code in
// byte order (0 ends the text), in as few bits as the alphabet's size needs,
// so a key holds 8 to 64 characters.
struct TextPacking
{
    std::array<std::uint8_t, 256> code{};
    unsigned bits = 8;  // per character
    unsigned chars = 8; // per key
    unsigned pad = 0;   // low bits left free

    // Every byte but zero, as itself.
    TextPacking();
    // The bytes that are `present` (zero never is).
    explicit TextPacking(const std::array<bool, 256>& present);
    // The bytes of `alphabet`.
    explicit TextPacking(std::string_view alphabet);
    // Whether every byte of `text` has a code.
    bool encodes(std::string_view text) const
    {
        for (const char c : text) {
            if (code[static_cast<unsigned char>(c)] == 0)
                return false;
        }
        return true;
    }
    // The characters from `offset` on, as a key that orders as the texts do.
    std::uint64_t key(std::string_view text, std::size_t offset) const
    {
        std::uint64_t key = 0;
        const std::size_t end = std::min(text.size(), offset + chars);
        std::size_t at = offset;
        for (; at < end; ++at)
            key = key << bits | code[static_cast<unsigned char>(text[at])];
        const std::size_t shift = bits * (offset + chars - at) + pad;
        return shift >= 64 ? 0 : key << shift;
    }
    // Whether texts with this key may go on past it.
    bool continues(std::uint64_t key) const { return ((key >> pad) & ((std::uint64_t{1} << bits) - 1)) != 0; }
};

namespace detail {
// Orders items by their texts from `offset` on and marks where each distinct text begins.
template <class TextOf>
void sortTexts(std::span<Item> items, std::span<Item> scratch, std::size_t offset, const TextPacking& packing,
               const TextOf& textOf, bool keysReady = false)
{
    auto rest = [&](const Item& item) {
        const std::string_view text = textOf(item.at);
        return text.substr(std::min(offset, text.size()));
    };
    if (items.size() < 512) {
        std::sort(items.begin(), items.end(), [&](const Item& a, const Item& b) { return rest(a) < rest(b); });
        for (std::size_t i = 0; i < items.size(); ++i)
            items[i].mark = i == 0 || rest(items[i]) != rest(items[i - 1]);
        return;
    }
    if (!keysReady) {
        for (Item& item : items)
            item.key = packing.key(textOf(item.at), offset);
    }
    radixSort(items, scratch, 64);
    for (std::size_t begin = 0; begin < items.size();) {
        std::size_t end = begin + 1;
        while (end < items.size() && items[end].key == items[begin].key)
            ++end;
        if (end - begin > 1 && packing.continues(items[begin].key)) {
            // Equal so far and going on: the next characters tell them apart.
            sortTexts(items.subspan(begin, end - begin), scratch.subspan(begin, end - begin), offset + packing.chars,
                      packing, textOf);
        } else {
            for (std::size_t i = begin; i < end; ++i)
                items[i].mark = i == begin;
        }
        begin = end;
    }
}
} // namespace detail

// Dense ranks in byte order of the texts textOf(0) .. textOf(count - 1), which
// hold no zero byte: equal texts share a rank, the smallest has rank 0. The
// texts are packed by `expected` when it encodes them all (the texts are then
// read once for the first key), else by the bytes they hold. With
// `representatives`, it receives for each rank the position of one text of it.
template <class TextOf>
std::vector<std::uint64_t> rankTexts(std::size_t count, const TextOf& textOf, const TextPacking& expected,
                                     std::vector<std::uint32_t>* representatives = nullptr)
{
    const auto buffer = std::make_unique_for_overwrite<Item[]>(2 * count);
    const std::span<Item> items(buffer.get(), count), scratch(buffer.get() + count, count);
    bool encoded = true;
    for (std::size_t i = 0; i < count; ++i) {
        const std::string_view text = textOf(i);
        encoded = encoded && expected.encodes(text);
        items[i] = Item{expected.key(text, 0), static_cast<std::uint32_t>(i), 0};
    }
    std::optional<TextPacking> found;
    if (!encoded) {
        std::array<bool, 256> present{};
        for (std::size_t i = 0; i < count; ++i) {
            for (const char c : textOf(i))
                present[static_cast<unsigned char>(c)] = true;
        }
        found.emplace(present);
        for (Item& item : items)
            item.key = found->key(textOf(item.at), 0);
    }
    detail::sortTexts(items, scratch, 0, found ? *found : expected, textOf, true);
    std::vector<std::uint64_t> ranks(count);
    if (representatives)
        representatives->clear();
    std::uint64_t rank = 0;
    for (std::size_t i = 0; i < count; ++i) {
        if (i > 0 && items[i].mark)
            ++rank;
        if (representatives && representatives->size() == rank)
            representatives->push_back(items[i].at);
        ranks[items[i].at] = rank;
    }
    return ranks;
}

} // namespace keysort
