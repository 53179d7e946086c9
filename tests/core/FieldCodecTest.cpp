#include "core/FieldCodec.h"

#include <gtest/gtest.h>

namespace {

struct Inner
{
    std::uint16_t year = 0;
    std::uint8_t day = 0;
    static constexpr std::size_t kDiskSize = 3;
    template <class Field> static constexpr void fields(Field&& field)
    {
        field(0, &Inner::year);
        field(2, &Inner::day);
    }
};

struct Sample
{
    std::int32_t count = 0;
    double amount = 0.0; // unaligned at offset 4
    std::array<char, 3> text{};
    std::array<Inner, 2> inners{};
    std::uint32_t flags = 0;
    static constexpr std::size_t kDiskSize = 4 + 8 + 3 + 6 + 4;
    template <class Field> static constexpr void fields(Field&& field)
    {
        field(0, &Sample::count);
        field(4, &Sample::amount);
        field(12, &Sample::text);
        field(15, &Sample::inners);
        field(21, &Sample::flags);
    }
};

template <std::size_t GapAt, std::size_t Size> struct Broken
{
    std::int32_t a = 0;
    std::int32_t b = 0;
    static constexpr std::size_t kDiskSize = Size;
    template <class Field> static constexpr void fields(Field&& field)
    {
        field(0, &Broken::a);
        field(GapAt, &Broken::b);
    }
};

} // namespace

// A table with a gap, an overlap or a wrong total is refused at compile time.
static_assert(fieldcodec::coversExactly<Sample>());
static_assert(!fieldcodec::coversExactly<Broken<5, 9>>());  // gap
static_assert(!fieldcodec::coversExactly<Broken<3, 7>>());  // overlap
static_assert(!fieldcodec::coversExactly<Broken<4, 12>>()); // short of the record size

TEST(FieldCodecTest, EachKindAtItsOffsetLittleEndian)
{
    Sample s;
    s.count = -2;
    s.amount = 1.5;
    s.text = {'a', 'b', '\0'};
    s.inners = {Inner{0x07E9, 31}, Inner{0x0102, 1}};
    s.flags = 0x80000001;
    std::array<std::uint8_t, Sample::kDiskSize> bytes{};
    fieldcodec::encode(s, std::span(bytes));

    const std::array<std::uint8_t, Sample::kDiskSize> expected = {0xFE, 0xFF, 0xFF, 0xFF, 0,   0, 0,    0,    0,
                                                                  0,    0xF8, 0x3F, 'a',  'b', 0, 0xE9, 0x07, 31,
                                                                  0x02, 0x01, 1,    0x01, 0,   0, 0x80};
    EXPECT_EQ(bytes, expected);

    const Sample back = fieldcodec::decode<Sample>(bytes);
    EXPECT_EQ(back.count, -2);
    EXPECT_EQ(back.amount, 1.5);
    EXPECT_EQ(back.text, s.text);
    EXPECT_EQ(back.inners[0].year, 0x07E9);
    EXPECT_EQ(back.inners[1].day, 1);
    EXPECT_EQ(back.flags, 0x80000001u);
}
