#pragma once
// Texts in our files are single-byte Windows-1252. The engine keeps them as
// bytes in std::string; conversion happens only at the edges (windows, the
// command line's output, typed input).

#include <QString>
#include <string>
#include <string_view>

namespace cp1252 {

QString toQString(std::string_view bytes);
// Characters that Windows-1252 cannot hold become '?'.
std::string fromQString(const QString& text);

std::string toUtf8(std::string_view bytes);
std::string fromUtf8(std::string_view utf8);
// Whether `bytes` are well-formed UTF-8 (plain ASCII is).
bool isUtf8(std::string_view bytes);
// UTF-8 as it is; anything else taken as Windows-1252 and converted to UTF-8.
std::string asUtf8(std::string_view bytes);

} // namespace cp1252
