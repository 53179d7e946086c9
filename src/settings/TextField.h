#pragma once
// A fixed text field of a stored settings record: N bytes holding a
// zero-terminated Windows-1252 text. The bytes are kept exactly as loaded
// (including whatever follows the terminator), so a loaded record is written
// back unchanged; the text is always read bounded by the field.

#include "core/FixedText.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>

template <std::size_t N> struct TextField
{
    static constexpr std::size_t kSize = N;

    std::array<char, N> bytes{};

    std::string_view view() const { return fixedtext::view(bytes); }
    std::string str() const { return std::string(view()); }
    bool empty() const { return bytes[0] == '\0'; }
    // Cuts the text to N - 1 bytes and zero-fills the rest of the field.
    void assign(std::string_view text) { fixedtext::store(bytes, text); }

    void load(const std::uint8_t* p) { std::memcpy(bytes.data(), p, N); }
    void store(std::uint8_t* p) const { std::memcpy(p, bytes.data(), N); }

    bool operator==(const TextField&) const = default;
};

// Reserved bytes of a record, kept as loaded.
template <std::size_t N> struct ReservedBytes
{
    static constexpr std::size_t kSize = N;

    std::array<std::uint8_t, N> bytes{};

    void load(const std::uint8_t* p) { std::memcpy(bytes.data(), p, N); }
    void store(std::uint8_t* p) const { std::memcpy(p, bytes.data(), N); }

    bool operator==(const ReservedBytes&) const = default;
};
