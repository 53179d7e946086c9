#pragma once
// Fixed-size, zero-terminated single-byte texts as the stored records hold them.
// A field is always read bounded by its size: a field filled to the last byte
// without a terminator yields all of its bytes and never more.

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace fixedtext {

// The text of a field of `size` bytes at p: up to the first zero byte or the field's end.
inline std::string_view view(const char* p, std::size_t size)
{
    const char* end = std::find(p, p + size, '\0');
    return {p, static_cast<std::size_t>(end - p)};
}

inline std::string_view view(const std::uint8_t* p, std::size_t size)
{
    return view(reinterpret_cast<const char*>(p), size);
}

// Writes text into a field of `size` bytes, cut to size - 1 characters, zero-filled to the end.
inline void store(char* p, std::size_t size, std::string_view text)
{
    if (size == 0)
        return;
    const std::size_t n = std::min(text.size(), size - 1);
    std::copy_n(text.data(), n, p);
    std::fill(p + n, p + size, '\0');
}

inline void store(std::uint8_t* p, std::size_t size, std::string_view text)
{
    store(reinterpret_cast<char*>(p), size, text);
}

template <std::size_t N> std::string_view view(const std::array<char, N>& field) { return view(field.data(), N); }
template <std::size_t N> void store(std::array<char, N>& field, std::string_view text) { store(field.data(), N, text); }

} // namespace fixedtext
