#pragma once
// Writing free texts (names, report texts, a separator character) into the INI
// file so that they read back exactly. The private-profile reader trims white
// space around a value and drops one pair of surrounding quotes, so a text that
// would lose something that way is written inside one extra pair of double
// quotes; any other text is written as it is, as older versions did.

#include "core/IniProfile.h"

#include <string>
#include <string_view>

namespace profiletext {

// The value as it must be written for `text` to read back unchanged. A line
// break cannot live in an INI value: each CR or LF becomes a blank.
std::string encode(std::string_view text);

bool write(IniProfile& ini, std::string_view section, std::string_view key, std::string_view text);

} // namespace profiletext
