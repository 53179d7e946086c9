#include "prefs/ProfileText.h"

#include <algorithm>
#include <cctype>

namespace profiletext {

namespace {

bool isBlank(char c) { return std::isspace(static_cast<unsigned char>(c)) != 0; }

bool loosesOnReading(std::string_view text)
{
    if (text.empty())
        return false;
    if (isBlank(text.front()) || isBlank(text.back()))
        return true;
    return text.size() >= 2 && (text.front() == '"' || text.front() == '\'') && text.back() == text.front();
}

} // namespace

std::string encode(std::string_view text)
{
    std::string value(text);
    std::replace_if(
        value.begin(), value.end(), [](char c) { return c == '\r' || c == '\n'; }, ' ');
    if (loosesOnReading(value))
        return '"' + value + '"';
    return value;
}

bool write(IniProfile& ini, std::string_view section, std::string_view key, std::string_view text)
{
    return ini.writeString(section, key, encode(text));
}

} // namespace profiletext
