#pragma once
// Dialed numbers against the patterns the user types (Find, the filter's number
// criterion): only the digits of the number count, dashes and other characters
// are skipped. Each digit pairs with the next pattern character; a pattern digit
// must equal it, any other pattern character ("*") matches any digit. The number
// matches when the whole pattern was used; with `exact` the walk must also have
// reached the end of the number. So "12" matches "1-234" but not exactly, "1*3"
// matches "123", an empty pattern matches every number (exactly: only "").

#include <string>
#include <string_view>

bool matchDialedNumber(std::string_view number, std::string_view pattern, bool exact);

// Only the decimal digits of a dialed number, in order.
std::string dialedDigits(std::string_view number);
