#pragma once
// Filling in texts that may come from a translation file. A translated text is
// user data: it is never handed to printf as a format. These formatters accept
// any text, fill in what they can and never read past the arguments given.

#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>
#include <variant>

// The system message formatter's inserts: "%1".."%99" (an optional "!fmt!"
// after the number is skipped; the insert is used as a text), "%%" -> "%",
// "%n" -> line break, "%t" -> tab, "%0" ends the text, "% " "%." "%!" -> the
// character. An insert number beyond the inserts given becomes empty.
std::string FormatInserts(std::string_view text, std::initializer_list<std::string_view> inserts);

// One argument of FormatPrintf.
class FormatArg
{
public:
    FormatArg(int v)
        : m_value(static_cast<std::int64_t>(v))
    { }
    FormatArg(long v)
        : m_value(static_cast<std::int64_t>(v))
    { }
    FormatArg(long long v)
        : m_value(static_cast<std::int64_t>(v))
    { }
    FormatArg(unsigned v)
        : m_value(static_cast<std::int64_t>(v))
    { }
    FormatArg(unsigned long v)
        : m_value(static_cast<std::int64_t>(v))
    { }
    FormatArg(unsigned long long v)
        : m_value(static_cast<std::int64_t>(v))
    { }
    FormatArg(double v)
        : m_value(v)
    { }
    FormatArg(std::string_view v)
        : m_value(std::string(v))
    { }
    FormatArg(const char* v)
        : m_value(std::string(v ? v : ""))
    { }
    FormatArg(const std::string& v)
        : m_value(v)
    { }

    const std::variant<std::int64_t, double, std::string>& value() const { return m_value; }

private:
    std::variant<std::int64_t, double, std::string> m_value;
};

// printf-style formatting of a possibly translated text: "%d" "%i" "%u" "%x" "%X"
// "%c" "%s" "%f" "%e" "%g" with flags, width and precision ("%02d", "%-8s",
// "%.2f"; "*" is not supported and is copied as text), "%%". The arguments are
// used in order; each is converted to what its conversion asks for (a text for
// "%d" is read as a number, a number for "%s" is written in decimal); a
// conversion without an argument left gives nothing. Length modifiers (l, ll, h,
// I64) are accepted and ignored. Anything that is not a conversion is copied.
std::string FormatPrintf(std::string_view format, std::initializer_list<FormatArg> args);
