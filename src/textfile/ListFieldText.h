#pragma once
// Reading the texts of imported list fields and writing exported ones. Imported
// texts are whatever a person or a spreadsheet put into a file, so every reader
// here is total: a text that cannot be read gives nothing (std::nullopt) and
// the caller keeps the field's default. Texts are Windows-1252 bytes.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace listtext {

// Appended to an exported number or code that a spreadsheet would otherwise
// take for a number and strip of its leading zeros: a no-break space.
inline constexpr char kNoBreakSpace = '\xA0';

// The leading run of digits (and "*" with `wildcards`) after any leading white
// space, cut to `maxLength` characters.
std::string_view leadingDigits(std::string_view text, std::size_t maxLength, bool wildcards = false);

// A decimal integer: white space, an optional sign, then digits; whatever
// follows the digits is ignored ("-5%" is -5). No digits: nothing. Values
// beyond the 32-bit range are clamped to it.
std::optional<std::int32_t> readInteger(std::string_view text);
// The same with a negative value taken as 0.
std::optional<std::int32_t> readCount(std::string_view text);

// A true/false value: "1", "true", "yes" (any case) or any non-zero integer is
// true; "0", "false", "no" or zero is false; anything else is nothing.
std::optional<bool> readFlag(std::string_view text);

// A time of day "H:MM" (or "H.MM"), hour 0-23, minute 0-59, or "24:00": the
// end of the day, as a rate period that lasts until midnight ends.
struct TimeOfDay
{
    std::uint8_t hour = 0;
    std::uint8_t minute = 0;
};
std::optional<TimeOfDay> readTimeOfDay(std::string_view text);

// Equal texts when letter case is disregarded (Windows-1252 letters).
bool equalIgnoringCase(std::string_view a, std::string_view b);

// Numbers and patterns where "*" stands for any one digit: equal length, and
// every position equal or "*" on either side.
bool wildcardEqual(std::string_view a, std::string_view b);

// "%d" into `out` (appended).
void appendInteger(std::string& out, long long value);
// "%02d:%02d" into `out` (appended).
void appendTimeOfDay(std::string& out, int hour, int minute);

} // namespace listtext
