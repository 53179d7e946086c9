#pragma once
// One field table for both directions of a stored record. A record lists its
// fields once, in offset order, as offset and member pointer:
//
//     template <class Field> static constexpr void fields(Field&& field)
//     {
//         field(kRateAt, &RatePeriod::rate);
//         field(kUnitAt, &RatePeriod::unitLength);
//     }
//
// and fieldcodec::decode and fieldcodec::encode walk that one list, so the two
// directions cannot drift apart. fieldcodec::coversExactly walks it at compile
// time: the fields must follow one another without gap or overlap and end at
// the record's kDiskSize.
//
// Field kinds, by member type:
// - std::uint8_t, std::uint16_t, std::int32_t, std::uint32_t, double: little-endian;
// - std::array<char, N>, std::array<std::uint8_t, N>: N bytes kept as they are;
// - std::array<T, N> of any other kind: N fields of kind T, one after another;
// - a type with kSize, load(p) and store(p) (texts, reserved bytes): its own copy;
// - a record with kDiskSize and fields(): its table, at the field's offset;
// - a type with kDiskSize, decode(p) and encode(p) (a call's date): its own codec.

#include "core/LittleEndian.h"

#include <array>
#include <concepts>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <span>
#include <type_traits>

namespace fieldcodec {

namespace detail {

template <class T> struct IsArray : std::false_type
{
};
template <class T, std::size_t N> struct IsArray<std::array<T, N>> : std::true_type
{
};

template <class T>
concept Table = requires
{
    T::kDiskSize;
    T::fields([](std::size_t, auto) {});
};
template <class T>
concept Bytes = requires(T t, const T c, std::uint8_t* p)
{
    T::kSize;
    t.load(p);
    c.store(p);
};
template <class T>
concept OwnCodec = requires(const T c, std::uint8_t* p)
{
    T::kDiskSize;
    {
        T::decode(static_cast<const std::uint8_t*>(p))
        } -> std::same_as<T>;
    c.encode(p);
};
template <class T>
concept RawBytes = IsArray<T>::value &&(
    std::is_same_v<typename T::value_type, char> || std::is_same_v<typename T::value_type, std::uint8_t>);

template <class T> constexpr std::size_t sizeOf()
{
    if constexpr (RawBytes<T>)
        return sizeof(T);
    else if constexpr (IsArray<T>::value)
        return std::tuple_size_v<T> * sizeOf<typename T::value_type>();
    else if constexpr (Bytes<T>)
        return T::kSize;
    else if constexpr (Table<T> || OwnCodec<T>)
        return T::kDiskSize;
    else {
        static_assert(
            std::is_same_v<
                T,
                std::
                    uint8_t> || std::is_same_v<T, std::uint16_t> || std::is_same_v<T, std::int32_t> || std::is_same_v<T, std::uint32_t> || std::is_same_v<T, double>,
            "not a stored field kind");
        return sizeof(T);
    }
}

template <class T> void load(const std::uint8_t* p, T& v);
template <class T> void store(std::uint8_t* p, const T& v);

template <class Rec> void loadTable(const std::uint8_t* p, Rec& r)
{
    Rec::fields([p, &r](std::size_t at, auto member) { load(p + at, r.*member); });
}

template <class Rec> void storeTable(std::uint8_t* p, const Rec& r)
{
    Rec::fields([p, &r](std::size_t at, auto member) { store(p + at, r.*member); });
}

template <class T> void load(const std::uint8_t* p, T& v)
{
    if constexpr (RawBytes<T>)
        std::memcpy(v.data(), p, sizeof(T));
    else if constexpr (IsArray<T>::value) {
        for (std::size_t i = 0; i < v.size(); ++i)
            load(p + i * sizeOf<typename T::value_type>(), v[i]);
    } else if constexpr (Bytes<T>)
        v.load(p);
    else if constexpr (Table<T>)
        loadTable(p, v);
    else if constexpr (OwnCodec<T>)
        v = T::decode(p);
    else if constexpr (std::is_same_v<T, std::uint8_t>)
        v = *p;
    else if constexpr (std::is_same_v<T, std::uint16_t>)
        v = le::loadU16(p);
    else if constexpr (std::is_same_v<T, std::int32_t>)
        v = le::loadI32(p);
    else if constexpr (std::is_same_v<T, std::uint32_t>)
        v = le::loadU32(p);
    else
        v = le::loadF64(p);
}

template <class T> void store(std::uint8_t* p, const T& v)
{
    if constexpr (RawBytes<T>)
        std::memcpy(p, v.data(), sizeof(T));
    else if constexpr (IsArray<T>::value) {
        for (std::size_t i = 0; i < v.size(); ++i)
            store(p + i * sizeOf<typename T::value_type>(), v[i]);
    } else if constexpr (Bytes<T>)
        v.store(p);
    else if constexpr (Table<T>)
        storeTable(p, v);
    else if constexpr (OwnCodec<T>)
        v.encode(p);
    else if constexpr (std::is_same_v<T, std::uint8_t>)
        *p = v;
    else if constexpr (std::is_same_v<T, std::uint16_t>)
        le::storeU16(p, v);
    else if constexpr (std::is_same_v<T, std::int32_t>)
        le::storeI32(p, v);
    else if constexpr (std::is_same_v<T, std::uint32_t>)
        le::storeU32(p, v);
    else
        le::storeF64(p, v);
}

template <class M, class Rec> M memberType(M Rec::*);

} // namespace detail

template <class Rec> Rec decode(std::span<const std::uint8_t, Rec::kDiskSize> in)
{
    Rec r;
    detail::loadTable(in.data(), r);
    return r;
}

template <class Rec> void encode(const Rec& r, std::span<std::uint8_t, Rec::kDiskSize> out)
{
    detail::storeTable(out.data(), r);
}

// Whether the table of Rec tiles its kDiskSize bytes exactly, in offset order.
template <class Rec> constexpr bool coversExactly()
{
    std::size_t next = 0;
    bool tiled = true;
    Rec::fields([&](std::size_t at, auto member) {
        tiled = tiled && at == next;
        next = at + detail::sizeOf<decltype(detail::memberType(member))>();
    });
    return tiled && next == Rec::kDiskSize;
}

} // namespace fieldcodec
