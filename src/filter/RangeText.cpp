#include "filter/RangeText.h"

#include "prefs/Preferences.h"

#include <algorithm>
#include <cstdint>
#include <limits>

namespace rangetext {

namespace {

// Leading blanks, then decimal digits as far as they go; no digits read as 0.
// Values beyond the 32-bit range stop at its largest value.
std::int32_t readNumber(std::string_view text)
{
    std::size_t i = 0;
    while (i < text.size() && text[i] == ' ')
        ++i;
    std::int64_t value = 0;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i)
        value = std::min<std::int64_t>(value * 10 + (text[i] - '0'), std::numeric_limits<std::int32_t>::max());
    return static_cast<std::int32_t>(value);
}

// An empty side of a dash is an open bound.
std::int32_t readBound(std::string_view text)
{
    return text.find_first_not_of(' ') == std::string_view::npos ? RangeList::kOpen : readNumber(text);
}

} // namespace

RangeList parse(std::string_view text)
{
    RangeList ranges;
    std::size_t n = 0;
    while (n < RangeList::kMaxRanges) {
        const std::size_t comma = text.find(',');
        const std::string_view item = text.substr(0, comma);
        const std::size_t dashes = static_cast<std::size_t>(std::count(item.begin(), item.end(), '-'));
        if (!item.empty() && dashes <= 1) {
            if (dashes == 0) {
                ranges.low[n] = ranges.high[n] = readNumber(item);
            } else {
                const std::size_t dash = item.find('-');
                ranges.low[n] = readBound(item.substr(0, dash));
                ranges.high[n] = readBound(item.substr(dash + 1));
            }
            ++n;
        }
        if (comma == std::string_view::npos)
            break;
        text.remove_prefix(comma + 1);
    }
    ranges.count = static_cast<std::int32_t>(n);
    return ranges;
}

std::string format(const RangeList& ranges, const NumberFormat& number)
{
    std::string text;
    for (std::size_t i = 0; i < ranges.used(); ++i) {
        if (i != 0)
            text += ',';
        const std::int32_t low = ranges.low[i];
        const std::int32_t high = ranges.high[i];
        if (low == high && low != RangeList::kOpen) {
            text += number(low);
            continue;
        }
        if (low != RangeList::kOpen)
            text += number(low);
        text += '-';
        if (high != RangeList::kOpen)
            text += number(high);
    }
    return text;
}

std::string formatExtensions(const RangeList& ranges, const Preferences& prefs)
{
    return format(ranges, [&prefs](int n) { return prefs.formatExtension(n); });
}

std::string formatTrunks(const RangeList& ranges, const Preferences& prefs)
{
    return format(ranges, [&prefs](int n) { return prefs.formatTrunk(n); });
}

} // namespace rangetext
