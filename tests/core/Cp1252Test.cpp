#include "core/Cp1252.h"
#include "core/FixedText.h"
#include "core/LittleEndian.h"

#include <gtest/gtest.h>

TEST(Cp1252, ConvertsTheHighRangeBothWays)
{
    const std::string bytes = "M\xfcller \x80 \x9a"; // Müller € š
    EXPECT_EQ(cp1252::toUtf8(bytes), "M\u00fcller \u20ac \u0161");
    EXPECT_EQ(cp1252::fromUtf8("M\u00fcller \u20ac \u0161"), bytes);
    EXPECT_EQ(cp1252::fromUtf8("\u4e2d"), "?");
}

TEST(FixedText, ReadsBoundedByTheField)
{
    const char full[4] = {'a', 'b', 'c', 'd'};
    EXPECT_EQ(fixedtext::view(full, 4), "abcd"); // no terminator: never past the field
    char field[4];
    fixedtext::store(field, 4, "toolong");
    EXPECT_EQ(std::string(field), "too");
}

TEST(LittleEndian, UnalignedDoubleAndIntegers)
{
    std::uint8_t buf[16] = {};
    le::storeF64(buf + 4, 1.5);
    EXPECT_EQ(le::loadF64(buf + 4), 1.5);
    le::storeU32(buf, 0x53474455);
    EXPECT_EQ(buf[0], 'U');
    EXPECT_EQ(buf[3], 'S');
    le::storeU16(buf, 0xBEEF);
    EXPECT_EQ(le::loadU16(buf), 0xBEEF);
    EXPECT_EQ(le::loadI32(reinterpret_cast<const std::uint8_t*>("\xff\xff\xff\xff")), -1);
}
