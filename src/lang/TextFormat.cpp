#include "lang/TextFormat.h"

#include <algorithm>
#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <vector>

namespace {

// Width and precision of a conversion are capped: a text from a file must not
// make us build a gigabyte of padding.
constexpr int kMaxFieldWidth = 256;

bool isDigit(char c) { return c >= '0' && c <= '9'; }

// Reads decimal digits at `pos`; returns -1 when there are none.
int readNumber(std::string_view text, std::size_t& pos)
{
    if (pos >= text.size() || !isDigit(text[pos]))
        return -1;
    long value = 0;
    while (pos < text.size() && isDigit(text[pos])) {
        value = std::min<long>(value * 10 + (text[pos] - '0'), 1'000'000);
        ++pos;
    }
    return static_cast<int>(value);
}

struct Spec
{
    std::string flags;
    int width = -1;
    int precision = -1;
    char conversion = 0;
};

std::string printfString(const char* format, ...) __attribute__((format(printf, 1, 2)));

std::string printfString(const char* format, ...)
{
    va_list args;
    va_start(args, format);
    va_list copy;
    va_copy(copy, args);
    const int needed = std::vsnprintf(nullptr, 0, format, copy);
    va_end(copy);
    std::string out;
    if (needed > 0) {
        out.resize(static_cast<std::size_t>(needed) + 1);
        std::vsnprintf(out.data(), out.size(), format, args);
        out.resize(static_cast<std::size_t>(needed));
    }
    va_end(args);
    return out;
}

std::string pattern(const Spec& spec, const char* length)
{
    std::string p = "%" + spec.flags;
    if (spec.width >= 0)
        p += std::to_string(std::min(spec.width, kMaxFieldWidth));
    if (spec.precision >= 0)
        p += "." + std::to_string(std::min(spec.precision, kMaxFieldWidth));
    p += length;
    p += spec.conversion;
    return p;
}

long long asInteger(const FormatArg& arg)
{
    if (const auto* i = std::get_if<std::int64_t>(&arg.value()))
        return *i;
    if (const auto* d = std::get_if<double>(&arg.value())) {
        if (!(*d == *d))
            return 0;
        return static_cast<long long>(std::clamp(*d, -9.2e18, 9.2e18));
    }
    return std::strtoll(std::get<std::string>(arg.value()).c_str(), nullptr, 10);
}

double asDouble(const FormatArg& arg)
{
    if (const auto* i = std::get_if<std::int64_t>(&arg.value()))
        return static_cast<double>(*i);
    if (const auto* d = std::get_if<double>(&arg.value()))
        return *d;
    return std::strtod(std::get<std::string>(arg.value()).c_str(), nullptr);
}

std::string asText(const FormatArg& arg)
{
    if (const auto* i = std::get_if<std::int64_t>(&arg.value()))
        return std::to_string(*i);
    if (const auto* d = std::get_if<double>(&arg.value()))
        return printfString("%g", *d);
    return std::get<std::string>(arg.value());
}

std::string convert(const Spec& spec, const FormatArg& arg)
{
    switch (spec.conversion) {
    case 'd':
    case 'i':
        return printfString(pattern(spec, "ll").c_str(), asInteger(arg));
    case 'u':
    case 'x':
    case 'X': {
        long long value = asInteger(arg);
        // A negative 32-bit value prints as its 32-bit pattern, as it would on the 32-bit original.
        const unsigned long long bits = value < 0 && value >= -2147483648LL
                                            ? static_cast<unsigned long long>(static_cast<std::uint32_t>(value))
                                            : static_cast<unsigned long long>(value);
        return printfString(pattern(spec, "ll").c_str(), bits);
    }
    case 'c': {
        const char c = std::holds_alternative<std::string>(arg.value())
                           ? (std::get<std::string>(arg.value()).empty() ? '\0' : std::get<std::string>(arg.value())[0])
                           : static_cast<char>(asInteger(arg));
        Spec charSpec = spec;
        charSpec.precision = -1;
        return c == '\0' ? std::string{} : printfString(pattern(charSpec, "").c_str(), c);
    }
    case 's': {
        const std::string text = asText(arg);
        return printfString(pattern(spec, "").c_str(), text.c_str());
    }
    default: // f e E g G
        return printfString(pattern(spec, "").c_str(), asDouble(arg));
    }
}

// Parses the conversion that starts after the '%' at `pos`. Returns false when
// the characters there are no conversion we know.
bool parseSpec(std::string_view format, std::size_t& pos, Spec& spec)
{
    while (pos < format.size() && std::string_view("-+ 0#").find(format[pos]) != std::string_view::npos)
        spec.flags += format[pos++];
    spec.width = readNumber(format, pos);
    if (pos < format.size() && format[pos] == '.') {
        ++pos;
        spec.precision = std::max(0, readNumber(format, pos));
    }
    if (format.substr(pos, 3) == "I64" || format.substr(pos, 3) == "I32")
        pos += 3;
    while (pos < format.size() && std::string_view("hlLqjzt").find(format[pos]) != std::string_view::npos)
        ++pos;
    if (pos >= format.size() || std::string_view("diuxXcsfeEgG").find(format[pos]) == std::string_view::npos)
        return false;
    spec.conversion = format[pos++];
    return true;
}

} // namespace

std::string FormatInserts(std::string_view text, std::initializer_list<std::string_view> inserts)
{
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '%' || i + 1 >= text.size()) {
            out += text[i];
            continue;
        }
        const char next = text[i + 1];
        if (next >= '1' && next <= '9') {
            std::size_t pos = i + 1;
            int number = next - '0';
            ++pos;
            if (pos < text.size() && isDigit(text[pos]))
                number = number * 10 + (text[pos++] - '0');
            if (pos < text.size() && text[pos] == '!') { // "!fmt!" printf spec of the insert
                const std::size_t close = text.find('!', pos + 1);
                if (close != std::string_view::npos)
                    pos = close + 1;
            }
            if (static_cast<std::size_t>(number) <= inserts.size())
                out += *(inserts.begin() + (number - 1));
            i = pos - 1;
            continue;
        }
        ++i;
        switch (next) {
        case '0':
            return out;
        case 'n':
            out += '\n';
            break;
        case 't':
            out += '\t';
            break;
        case 'r':
            out += '\r';
            break;
        default: // "%%", "% ", "%.", "%!" and anything else: the character itself
            out += next;
            break;
        }
    }
    return out;
}

std::string FormatPrintf(std::string_view format, std::initializer_list<FormatArg> args)
{
    std::string out;
    out.reserve(format.size() + 16);
    const FormatArg* nextArg = args.begin();
    for (std::size_t i = 0; i < format.size(); ++i) {
        if (format[i] != '%') {
            out += format[i];
            continue;
        }
        if (i + 1 < format.size() && format[i + 1] == '%') {
            out += '%';
            ++i;
            continue;
        }
        std::size_t pos = i + 1;
        Spec spec;
        if (!parseSpec(format, pos, spec)) {
            out += '%';
            continue;
        }
        if (nextArg != args.end())
            out += convert(spec, *nextArg++);
        i = pos - 1;
    }
    return out;
}
