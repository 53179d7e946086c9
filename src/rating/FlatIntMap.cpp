#include "rating/FlatIntMap.h"

#include <bit>

void FlatIntMap::build(const std::vector<std::pair<std::uint32_t, std::int32_t>>& entries)
{
    const std::size_t size = std::bit_ceil(entries.size() * 2 + 2);
    m_slots.assign(size, Slot{0, -1});
    m_mask = size - 1;
    for (const auto& [key, value] : entries) {
        for (std::size_t at = slotOf(key);; at = (at + 1) & m_mask) {
            Slot& s = m_slots[at];
            if (s.value < 0 || s.key == key) {
                s = {key, value};
                break;
            }
        }
    }
}
