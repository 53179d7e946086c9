#include "calls/NumberPattern.h"

namespace {
bool isDigit(char c) { return c >= '0' && c <= '9'; }
} // namespace

bool matchDialedNumber(std::string_view number, std::string_view pattern, bool exact)
{
    std::size_t used = 0;
    std::size_t at = 0;
    for (; at < number.size() && used < pattern.size(); ++at) {
        if (!isDigit(number[at]))
            continue;
        const char p = pattern[used++];
        if (isDigit(p) && p != number[at])
            return false;
    }
    return used == pattern.size() && (!exact || at == number.size());
}

std::string dialedDigits(std::string_view number)
{
    std::string digits;
    for (const char c : number) {
        if (isDigit(c))
            digits += c;
    }
    return digits;
}
