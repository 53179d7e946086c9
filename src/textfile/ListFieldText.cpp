#include "textfile/ListFieldText.h"

#include "core/TextCase.h"

#include <algorithm>
#include <charconv>
#include <limits>

namespace listtext {

namespace {

bool isBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\v' || c == '\f'; }
bool isDigit(char c) { return c >= '0' && c <= '9'; }

std::string_view skipBlanks(std::string_view text)
{
    while (!text.empty() && isBlank(text.front()))
        text.remove_prefix(1);
    return text;
}

} // namespace

std::string_view leadingDigits(std::string_view text, std::size_t maxLength, bool wildcards)
{
    text = skipBlanks(text);
    std::size_t n = 0;
    while (n < text.size() && n < maxLength && (isDigit(text[n]) || (wildcards && text[n] == '*')))
        ++n;
    return text.substr(0, n);
}

std::optional<std::int32_t> readInteger(std::string_view text)
{
    text = skipBlanks(text);
    bool negative = false;
    if (!text.empty() && (text.front() == '-' || text.front() == '+')) {
        negative = text.front() == '-';
        text.remove_prefix(1);
    }
    if (text.empty() || !isDigit(text.front()))
        return std::nullopt;
    constexpr long long kLimit = static_cast<long long>(std::numeric_limits<std::int32_t>::max()) + 1;
    long long value = 0;
    for (std::size_t i = 0; i < text.size() && isDigit(text[i]); ++i)
        value = std::min(value * 10 + (text[i] - '0'), kLimit);
    if (negative)
        value = -value;
    return static_cast<std::int32_t>(std::clamp<long long>(value, std::numeric_limits<std::int32_t>::min(),
                                                           std::numeric_limits<std::int32_t>::max()));
}

std::optional<std::int32_t> readCount(std::string_view text)
{
    const auto value = readInteger(text);
    if (!value)
        return std::nullopt;
    return std::max<std::int32_t>(*value, 0);
}

std::optional<bool> readFlag(std::string_view text)
{
    text = skipBlanks(text);
    while (!text.empty() && isBlank(text.back()))
        text.remove_suffix(1);
    if (equalIgnoringCase(text, "true") || equalIgnoringCase(text, "yes"))
        return true;
    if (equalIgnoringCase(text, "false") || equalIgnoringCase(text, "no"))
        return false;
    if (const auto value = readInteger(text))
        return *value != 0;
    return std::nullopt;
}

std::optional<TimeOfDay> readTimeOfDay(std::string_view text)
{
    text = skipBlanks(text);
    const std::size_t colon = text.find_first_of(":.");
    if (colon == std::string_view::npos)
        return std::nullopt;
    const auto hour = readInteger(text.substr(0, colon));
    const std::string_view minuteText = text.substr(colon + 1);
    const auto minute = !minuteText.empty() && isDigit(minuteText.front()) ? readInteger(minuteText) : std::nullopt;
    if (!hour || !minute || *hour < 0 || *minute < 0 || *minute > 59)
        return std::nullopt;
    if (*hour > 23 && !(*hour == 24 && *minute == 0))
        return std::nullopt;
    return TimeOfDay{static_cast<std::uint8_t>(*hour), static_cast<std::uint8_t>(*minute)};
}

bool equalIgnoringCase(std::string_view a, std::string_view b) { return textcase::equalCp1252(a, b); }

bool wildcardEqual(std::string_view a, std::string_view b)
{
    return a.size() == b.size()
           && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) { return x == y || x == '*' || y == '*'; });
}

void appendInteger(std::string& out, long long value)
{
    char text[24];
    const auto result = std::to_chars(text, text + sizeof text, value);
    out.append(text, result.ptr);
}

void appendTimeOfDay(std::string& out, int hour, int minute)
{
    const auto two = [&](int v) {
        out += static_cast<char>('0' + (v / 10) % 10);
        out += static_cast<char>('0' + v % 10);
    };
    two(hour);
    out += ':';
    two(minute);
}

} // namespace listtext
