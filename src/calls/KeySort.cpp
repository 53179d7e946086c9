#include "calls/KeySort.h"

#include <array>
#include <bit>
#include <cstring>
#include <memory>

namespace keysort {

void radixSort(std::span<Item> items, std::span<Item> scratch, unsigned bits)
{
    constexpr unsigned kDigitBits = 11;
    constexpr std::size_t kBuckets = std::size_t{1} << kDigitBits;
    const std::size_t n = items.size();
    if (n < 2 || bits == 0)
        return;
    const unsigned digits = (std::min(bits, 64u) + kDigitBits - 1) / kDigitBits;
    // All histograms in one pass over the items.
    std::array<std::array<std::uint32_t, kBuckets>, (64 + kDigitBits - 1) / kDigitBits> counts;
    for (unsigned d = 0; d < digits; ++d)
        counts[d].fill(0);
    for (const Item& item : items) {
        std::uint64_t key = item.key;
        for (unsigned d = 0; d < digits; ++d, key >>= kDigitBits)
            ++counts[d][key & (kBuckets - 1)];
    }
    Item* from = items.data();
    Item* to = scratch.data();
    for (unsigned d = 0; d < digits; ++d) {
        std::array<std::uint32_t, kBuckets>& c = counts[d];
        const unsigned shift = kDigitBits * d;
        // A digit all keys share moves nothing.
        if (c[(from[0].key >> shift) & (kBuckets - 1)] == n)
            continue;
        std::uint32_t sum = 0;
        for (std::uint32_t& bucket : c) {
            const std::uint32_t here = bucket;
            bucket = sum;
            sum += here;
        }
        for (std::size_t i = 0; i < n; ++i) {
            const Item item = from[i];
            to[c[(item.key >> shift) & (kBuckets - 1)]++] = item;
        }
        std::swap(from, to);
    }
    if (from != items.data())
        std::memcpy(static_cast<void*>(items.data()), from, n * sizeof(Item));
}

TextPacking::TextPacking()
{
    for (std::size_t byte = 1; byte < code.size(); ++byte)
        code[byte] = static_cast<std::uint8_t>(byte);
}

TextPacking::TextPacking(std::string_view alphabet)
    : TextPacking([&] {
        std::array<bool, 256> present{};
        for (const char c : alphabet)
            present[static_cast<unsigned char>(c)] = true;
        return present;
    }())
{ }

TextPacking::TextPacking(const std::array<bool, 256>& present)
{
    unsigned next = 0;
    for (std::size_t byte = 1; byte < present.size(); ++byte) {
        if (present[byte])
            code[byte] = static_cast<std::uint8_t>(++next);
    }
    bits = std::max(1u, static_cast<unsigned>(std::bit_width(next)));
    chars = 64 / bits;
    pad = 64 - chars * bits;
}

namespace {

// Moves the keys to start at zero; returns the bits the largest needs.
unsigned normalise(std::vector<std::uint64_t>& keys)
{
    if (keys.empty())
        return 0;
    const auto [lo, hi] = std::minmax_element(keys.begin(), keys.end());
    const std::uint64_t low = *lo, range = *hi - *lo;
    if (low != 0) {
        for (std::uint64_t& key : keys)
            key -= low;
    }
    return static_cast<unsigned>(std::bit_width(range));
}

} // namespace

void sortRows(std::span<std::uint32_t> rows, std::vector<std::uint64_t>& primary, std::vector<std::uint64_t>* secondary)
{
    const std::size_t n = rows.size();
    if (n < 2)
        return;
    const auto buffer = std::make_unique_for_overwrite<Item[]>(2 * n);
    const std::span<Item> items(buffer.get(), n), scratch(buffer.get() + n, n);
    const unsigned bits1 = normalise(primary);
    const unsigned bits2 = secondary ? normalise(*secondary) : 0;
    if (bits1 + bits2 <= 64) {
        for (std::size_t i = 0; i < n; ++i) {
            const std::uint64_t low = bits2 ? (*secondary)[i] : 0;
            items[i] = Item{(bits2 < 64 ? primary[i] << bits2 : 0) | low, static_cast<std::uint32_t>(i), 0};
        }
        radixSort(items, scratch, bits1 + bits2);
    } else {
        // Too wide for one key: by the secondary key first, then stably by the primary.
        for (std::size_t i = 0; i < n; ++i)
            items[i] = Item{(*secondary)[i], static_cast<std::uint32_t>(i), 0};
        radixSort(items, scratch, bits2);
        for (Item& item : items)
            item.key = primary[item.at];
        radixSort(items, scratch, bits1);
    }
    // The rows in their new order, gathered where the keys were.
    for (Item& item : items)
        item.key = rows[item.at];
    for (std::size_t i = 0; i < n; ++i)
        rows[i] = static_cast<std::uint32_t>(items[i].key);
}

} // namespace keysort
