#pragma once
// A read-only map from 32-bit numbers to list positions in one flat array
// (open addressing), for the look-ups made for every call: extensions and
// trunk numbers. A few thousand entries fit in the cache, where the
// node-based maps of the settings cost a memory access or two per call.

#include <cstdint>
#include <utility>
#include <vector>

class FlatIntMap
{
public:
    // Keys met twice keep their last value. Values are >= 0.
    void build(const std::vector<std::pair<std::uint32_t, std::int32_t>>& entries);
    // The value of `key`, or -1.
    std::int32_t find(std::uint32_t key) const
    {
        for (std::size_t at = slotOf(key);; at = (at + 1) & m_mask) {
            const Slot& s = m_slots[at];
            if (s.value < 0 || s.key == key)
                return s.value;
        }
    }

private:
    struct Slot
    {
        std::uint32_t key;
        std::int32_t value; // -1 = free
    };
    std::size_t slotOf(std::uint32_t key) const
    {
        return static_cast<std::size_t>((std::uint64_t{key} * 0x9E3779B97F4A7C15u) >> 32) & m_mask;
    }

    std::vector<Slot> m_slots{Slot{0, -1}};
    std::size_t m_mask = 0;
};
