#pragma once
// Comparing texts without regard to letter case, in the two rules the files use:
// - ASCII: only A-Z fold. INI section and key names and the words of report
//   templates and report tasks are ASCII by definition.
// - Windows-1252: also the accented capitals 0xC0-0xDE (not the multiplication
//   sign 0xD7) and the capitals the code page keeps at 0x8A, 0x8C, 0x8E and 0x9F.
//   Names people type (languages, list field words) follow this rule.
// Neither depends on the C library's locale.

#include <string>
#include <string_view>

namespace textcase {

constexpr char lowerAscii(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }
std::string lowerAscii(std::string_view text);
bool equalAscii(std::string_view a, std::string_view b);

unsigned char lowerCp1252(unsigned char c);
bool equalCp1252(std::string_view a, std::string_view b);
// Byte order of the lower-case forms.
bool lessCp1252(std::string_view a, std::string_view b);

} // namespace textcase
