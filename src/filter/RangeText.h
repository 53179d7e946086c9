#pragma once
// The text form of extension and trunk range lists, as the filter editor's
// "Extension" and "Trunk" boxes show and take them: "100-199,205,-50,7-".
//
// Reading: comma-separated items, taken from the left until eight ranges are
// stored. "N" is N to N, "A-B" is A to B, "-B" is open to B, "A-" is A to open,
// "-" alone is open to open; an empty item and an item with more than one "-"
// are skipped, and items after the eighth range are lost. Numbers are decimal,
// read as far as they go ("12x" is 12, "" before or after the dash is open).
// Writing: the ranges joined by ",", equal bounds as one number, otherwise
// lower "-" upper with an open bound left out, each number in the given format.

#include "filter/FilterRecord.h"

#include <functional>
#include <string>
#include <string_view>

struct Preferences;

namespace rangetext {

using NumberFormat = std::function<std::string(int)>;

RangeList parse(std::string_view text);
std::string format(const RangeList& ranges, const NumberFormat& number);

// With the extension and trunk number formats of the preferences.
std::string formatExtensions(const RangeList& ranges, const Preferences& prefs);
std::string formatTrunks(const RangeList& ranges, const Preferences& prefs);

} // namespace rangetext
