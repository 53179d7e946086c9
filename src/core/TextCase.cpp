#include "core/TextCase.h"

#include <algorithm>

namespace textcase {

std::string lowerAscii(std::string_view text)
{
    std::string lower(text);
    std::transform(lower.begin(), lower.end(), lower.begin(), [](char c) { return lowerAscii(c); });
    return lower;
}

bool equalAscii(std::string_view a, std::string_view b)
{
    return std::ranges::equal(a, b, [](char x, char y) { return lowerAscii(x) == lowerAscii(y); });
}

unsigned char lowerCp1252(unsigned char c)
{
    if ((c >= 'A' && c <= 'Z') || (c >= 0xC0 && c <= 0xDE && c != 0xD7))
        return static_cast<unsigned char>(c + 0x20);
    switch (c) {
    case 0x8A:
    case 0x8C:
    case 0x8E:
        return static_cast<unsigned char>(c + 0x10);
    case 0x9F:
        return 0xFF;
    default:
        return c;
    }
}

namespace {
unsigned char lowerByte(char c) { return lowerCp1252(static_cast<unsigned char>(c)); }
} // namespace

bool equalCp1252(std::string_view a, std::string_view b)
{
    return std::ranges::equal(a, b, [](char x, char y) { return lowerByte(x) == lowerByte(y); });
}

bool lessCp1252(std::string_view a, std::string_view b)
{
    return std::ranges::lexicographical_compare(a, b, [](char x, char y) { return lowerByte(x) < lowerByte(y); });
}

} // namespace textcase
