#include "calls/KeySort.h"

#include <array>
#include <bit>
#include <cstring>

namespace keysort {

void radixSort(std::span<Item> items, std::span<Item> scratch, unsigned bits)
{
    const std::size_t n = items.size();
    if (n < 2 || bits == 0)
        return;
    const unsigned digits = std::min(8u, (bits + 7) / 8);
    // All histograms in one pass over the items.
    std::vector<std::array<std::uint32_t, 256>> counts(digits);
    for (auto& c : counts)
        c.fill(0);
    for (const Item& item : items) {
        std::uint64_t key = item.key;
        for (unsigned d = 0; d < digits; ++d, key >>= 8)
            ++counts[d][key & 0xFF];
    }
    Item* from = items.data();
    Item* to = scratch.data();
    for (unsigned d = 0; d < digits; ++d) {
        std::array<std::uint32_t, 256>& c = counts[d];
        // A digit all keys share moves nothing.
        if (c[(from[0].key >> (8 * d)) & 0xFF] == n)
            continue;
        std::uint32_t sum = 0;
        for (std::uint32_t& bucket : c) {
            const std::uint32_t here = bucket;
            bucket = sum;
            sum += here;
        }
        const unsigned shift = 8 * d;
        for (std::size_t i = 0; i < n; ++i) {
            const Item item = from[i];
            to[c[(item.key >> shift) & 0xFF]++] = item;
        }
        std::swap(from, to);
    }
    if (from != items.data())
        std::memcpy(static_cast<void*>(items.data()), from, n * sizeof(Item));
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
    std::vector<Item> items(n), scratch(n);
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
    std::vector<std::uint32_t> sorted(n);
    for (std::size_t i = 0; i < n; ++i)
        sorted[i] = rows[items[i].at];
    std::copy(sorted.begin(), sorted.end(), rows.begin());
}

} // namespace keysort
