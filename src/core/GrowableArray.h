#pragma once
// The growable array every list of the program uses (the call table, the
// visible list, the settings lists). Its growth rule is part of the program's
// behaviour, not an implementation detail: when a new size does not fit the
// allocation, the allocation grows by a step of (current size / 8) clamped to
// 4..1024 elements, or straight to the new size when that is larger. Slots that
// come into use are all zero bytes, whether freshly allocated or reused after a
// shrink.
//
// Elements are plain data (trivially copyable, all-zero bytes a valid value);
// they are moved with realloc, which lets large blocks grow without a copy.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <new>
#include <span>
#include <type_traits>
#include <utility>

#if defined(__linux__)
#include <sys/mman.h>
#endif

template <class T> class GrowableArray
{
    static_assert(std::is_trivially_copyable_v<T>, "GrowableArray holds plain data only");
    static_assert(alignof(T) <= alignof(std::max_align_t));

public:
    GrowableArray() = default;
    GrowableArray(const GrowableArray& other) { *this = other; }
    GrowableArray(GrowableArray&& other) noexcept { swap(other); }
    GrowableArray& operator=(const GrowableArray& other)
    {
        if (this != &other) {
            setSize(0);
            setSize(other.m_size);
            if (m_size != 0)
                std::memcpy(m_data, other.m_data, m_size * sizeof(T));
        }
        return *this;
    }
    GrowableArray& operator=(GrowableArray&& other) noexcept
    {
        GrowableArray gone(std::move(*this));
        swap(other);
        return *this;
    }
    ~GrowableArray() { std::free(m_data); }

    void swap(GrowableArray& other) noexcept
    {
        std::swap(m_data, other.m_data);
        std::swap(m_size, other.m_size);
        std::swap(m_allocation, other.m_allocation);
        std::swap(m_zeroFrom, other.m_zeroFrom);
    }

    std::size_t size() const { return m_size; }
    bool empty() const { return m_size == 0; }
    // Slots allocated; at least size().
    std::size_t allocation() const { return m_allocation; }

    // The allocation the growth rule gives for `requested` slots when `allocation`
    // slots are allocated and `size` are in use.
    static constexpr std::size_t grownAllocation(std::size_t allocation, std::size_t size, std::size_t requested)
    {
        if (requested <= allocation)
            return allocation;
        const std::size_t step = std::clamp<std::size_t>(size / 8, 4, 1024);
        return std::max(allocation + step, requested);
    }

    // Size 0 frees the allocation. A larger size zeroes the slots that come into use.
    // Throws std::bad_alloc when the allocation cannot grow; the array is then unchanged.
    void setSize(std::size_t newSize)
    {
        if (newSize == 0) {
            std::free(m_data);
            m_data = nullptr;
            m_size = m_allocation = m_zeroFrom = 0;
            return;
        }
        if (newSize > m_allocation)
            reallocate(grownAllocation(m_allocation, m_size, newSize));
        if (newSize > m_size) {
            const std::size_t dirtyEnd = std::max(m_size, std::min(newSize, m_zeroFrom));
            std::memset(static_cast<void*>(m_data + m_size), 0, (dirtyEnd - m_size) * sizeof(T));
            m_zeroFrom = std::max(m_zeroFrom, newSize);
        }
        m_size = newSize;
    }

    // Allocates room for `slots` without changing the size, so that growing up to
    // it later moves nothing (loading several files sizes the table once).
    void reserve(std::size_t slots)
    {
        if (slots > m_allocation)
            reallocate(slots);
    }

    T& add(const T& value)
    {
        const T copy = value; // value may live in this array
        setSize(m_size + 1);
        return m_data[m_size - 1] = copy;
    }

    void insertAt(std::size_t index, const T& value)
    {
        const T copy = value;
        const std::size_t old = m_size;
        setSize(std::max(old, index) + 1);
        if (index < old)
            std::memmove(static_cast<void*>(m_data + index + 1), m_data + index, (old - index) * sizeof(T));
        m_data[index] = copy;
    }

    void removeAt(std::size_t index, std::size_t count = 1)
    {
        if (index >= m_size)
            return;
        count = std::min(count, m_size - index);
        std::memmove(static_cast<void*>(m_data + index), m_data + index + count, (m_size - index - count) * sizeof(T));
        m_size -= count;
    }

    T& operator[](std::size_t i) { return m_data[i]; }
    const T& operator[](std::size_t i) const { return m_data[i]; }
    T* data() { return m_data; }
    const T* data() const { return m_data; }
    T* begin() { return m_data; }
    T* end() { return m_data + m_size; }
    const T* begin() const { return m_data; }
    const T* end() const { return m_data + m_size; }
    std::span<T> span() { return {m_data, m_size}; }
    std::span<const T> span() const { return {m_data, m_size}; }

private:
    void reallocate(std::size_t slots)
    {
        if (slots > static_cast<std::size_t>(-1) / sizeof(T))
            throw std::bad_alloc();
        // A first allocation comes zeroed from calloc, which for large blocks costs
        // nothing (fresh pages are zero); what realloc adds is of unknown content.
        void* p = m_data ? std::realloc(static_cast<void*>(m_data), slots * sizeof(T)) : std::calloc(slots, sizeof(T));
        if (!p)
            throw std::bad_alloc();
        m_zeroFrom = m_data ? slots : 0;
        m_data = static_cast<T*>(p);
        m_allocation = slots;
        adviseHugePages(p, slots * sizeof(T));
    }

    // A table of millions of calls faults in far fewer pages when the system backs
    // it with huge pages; the advice is only a hint and failure is harmless.
    static void adviseHugePages([[maybe_unused]] void* p, [[maybe_unused]] std::size_t bytes)
    {
#if defined(__linux__) && defined(MADV_HUGEPAGE)
        constexpr std::size_t kHuge = std::size_t{2} << 20;
        if (bytes < 4 * kHuge)
            return;
        const auto begin = (reinterpret_cast<std::uintptr_t>(p) + kHuge - 1) & ~(kHuge - 1);
        const auto end = (reinterpret_cast<std::uintptr_t>(p) + bytes) & ~(kHuge - 1);
        if (end > begin)
            ::madvise(reinterpret_cast<void*>(begin), end - begin, MADV_HUGEPAGE);
#endif
    }

    T* m_data = nullptr;
    std::size_t m_size = 0;
    std::size_t m_allocation = 0;
    std::size_t m_zeroFrom = 0; // slots from here to the allocation's end are known to be zero
};
