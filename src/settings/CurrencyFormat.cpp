#include "settings/CurrencyFormat.h"

#include "core/Locale.h"
#include "settings/SettingsHeader.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <charconv>
#include <cmath>
#include <vector>

namespace {

// A rounded decimal text split into its parts.
struct DecimalParts
{
    bool negative = false;
    std::string integer;  // at least one digit
    std::string fraction; // exactly the requested digits
};

DecimalParts splitRounded(double amount, int digits)
{
    if (!std::isfinite(amount))
        amount = 0.0;
    const std::string rounded = roundDecimalText(fixedText(amount, 6), digits);
    DecimalParts parts;
    std::string_view s = rounded;
    if (!s.empty() && s.front() == '-') {
        parts.negative = true;
        s.remove_prefix(1);
    }
    const auto dot = s.find('.');
    parts.integer = std::string(s.substr(0, dot));
    if (dot != std::string_view::npos)
        parts.fraction = std::string(s.substr(dot + 1));
    return parts;
}

std::string grouped(const std::string& integer, int groupSize, const std::string& separator)
{
    int first = groupSize;
    int rest = groupSize;
    if (groupSize == 32) {
        first = 3;
        rest = 2;
    }
    if (first <= 0 || first > 9 || static_cast<int>(integer.size()) <= first)
        return integer;
    std::string out;
    std::size_t end = integer.size();
    std::vector<std::string_view> groups;
    int size = first;
    while (end > 0) {
        const std::size_t begin = end > static_cast<std::size_t>(size) ? end - static_cast<std::size_t>(size) : 0;
        groups.emplace_back(integer.data() + begin, end - begin);
        end = begin;
        size = rest;
    }
    for (auto it = groups.rbegin(); it != groups.rend(); ++it) {
        if (!out.empty())
            out += separator;
        out += *it;
    }
    return out;
}

int clampDigits(std::uint32_t digits) { return static_cast<int>(std::min<std::uint32_t>(digits, 9)); }
int validOrder(std::uint32_t order) { return order <= 3 ? static_cast<int>(order) : 0; }
int validGroupSize(std::uint32_t size) { return size <= 9 || size == 32 ? static_cast<int>(size) : 0; }

void fillFromLocale(CurrencyBlock& block, const CurrencyBlock& locale)
{
    block.symbol = locale.symbol;
    block.decimalSymbol = locale.decimalSymbol;
    block.groupingSymbol = locale.groupingSymbol;
    block.symbolPosition = locale.symbolPosition;
    block.digits = locale.digits;
    block.groupSize = locale.groupSize;
}

} // namespace

std::string fixedText(double amount, int decimals)
{
    std::array<char, 400> buffer; // DBL_MAX has 309 integer digits
    const auto result = std::to_chars(buffer.data(), buffer.data() + buffer.size(), amount, std::chars_format::fixed,
                                      std::clamp(decimals, 0, 20));
    if (result.ec != std::errc())
        return "0";
    return std::string(buffer.data(), result.ptr);
}

std::string roundDecimalText(std::string_view text, int digits)
{
    digits = std::max(digits, 0);
    bool negative = false;
    if (!text.empty() && (text.front() == '-' || text.front() == '+')) {
        negative = text.front() == '-';
        text.remove_prefix(1);
    }
    const auto dot = text.find('.');
    std::string integer(text.substr(0, dot));
    std::string fraction(dot == std::string_view::npos ? std::string_view{} : text.substr(dot + 1));
    if (integer.empty())
        integer = "0";
    const bool roundUp = fraction.size() > static_cast<std::size_t>(digits)
                         && fraction[static_cast<std::size_t>(digits)] >= '5';
    fraction.resize(static_cast<std::size_t>(digits), '0');
    if (roundUp) {
        std::string all = integer + fraction;
        std::size_t i = all.size();
        while (i > 0 && all[i - 1] == '9')
            all[--i] = '0';
        if (i == 0)
            all.insert(all.begin(), '1');
        else
            ++all[i - 1];
        integer = all.substr(0, all.size() - fraction.size());
        fraction = all.substr(all.size() - fraction.size());
    }
    const bool zero = std::all_of(integer.begin(), integer.end(), [](char c) { return c == '0'; })
                      && std::all_of(fraction.begin(), fraction.end(), [](char c) { return c == '0'; });
    std::string out = negative && !zero ? "-" : "";
    out += integer;
    if (digits > 0)
        out += "." + fraction;
    return out;
}

double readNumber(std::string_view text)
{
    while (!text.empty()
           && (text.front() == ' ' || text.front() == '\t' || text.front() == '\n' || text.front() == '\r'
               || text.front() == '\v' || text.front() == '\f'))
        text.remove_prefix(1);
    bool negative = false;
    if (!text.empty() && (text.front() == '-' || text.front() == '+')) {
        negative = text.front() == '-';
        text.remove_prefix(1);
    }
    if (text.empty() || !(std::isdigit(static_cast<unsigned char>(text.front())) || text.front() == '.'))
        return 0.0;
    double value = 0.0;
    const auto result = std::from_chars(text.data(), text.data() + text.size(), value, std::chars_format::general);
    if (result.ec != std::errc() || !std::isfinite(value))
        return 0.0;
    return negative ? -value : value;
}

std::string CurrencyFormat::formatNumber(double amount) const
{
    const DecimalParts parts = splitRounded(amount, digits);
    std::string integer = parts.integer;
    if (integer == "0" && !leadingZero && digits > 0)
        integer.clear();
    std::string out = parts.negative ? "-" : "";
    out += grouped(integer, groupSize, groupingSymbol);
    if (digits > 0)
        out += decimalSymbol + parts.fraction;
    return out;
}

std::string CurrencyFormat::format(double amount) const
{
    const DecimalParts parts = splitRounded(amount, digits);
    std::string number = parts.integer;
    if (number == "0" && !leadingZero && digits > 0)
        number.clear();
    number = grouped(number, groupSize, groupingSymbol);
    if (digits > 0)
        number += decimalSymbol + parts.fraction;
    if (parts.negative)
        return "(" + symbol + number + ")";
    switch (positiveOrder) {
    case 1:
        return number + symbol;
    case 2:
        return symbol + " " + number;
    case 3:
        return number + " " + symbol;
    default:
        return symbol + number;
    }
}

void CurrencyFormats::rebuild(SettingsHeader& header, const LocaleData& locale)
{
    m_localeBlock = CurrencyBlock{};
    m_localeBlock.symbol.assign(locale.currencySymbol);
    m_localeBlock.decimalSymbol.assign(locale.monetaryDecimal);
    m_localeBlock.groupingSymbol.assign(locale.monetaryGrouping);
    m_localeBlock.symbolPosition = static_cast<std::uint32_t>(std::max(locale.currencyPositiveOrder, 0));
    m_localeBlock.digits = static_cast<std::uint32_t>(std::max(locale.currencyDigits, 0));
    m_localeBlock.groupSize = static_cast<std::uint32_t>(std::max(locale.monetaryGroupSize, 0));
    m_localeLeadingZero = locale.leadingZero;

    if (header.mainCurrency.symbol.empty())
        fillFromLocale(header.mainCurrency, m_localeBlock);
    if (header.alternativeCurrency.symbol.empty()) {
        fillFromLocale(header.alternativeCurrency, m_localeBlock);
        header.alternativeCurrency.symbol.assign("?");
    }

    // The block's own values count only with "Override Windows settings"; an
    // empty decimal symbol there would make amounts unreadable, so the locale's stands in.
    const CurrencyBlock& source = header.overrideCurrency ? header.mainCurrency : m_localeBlock;
    m_main = CurrencyFormat{};
    m_main.symbol = header.mainCurrency.symbol.str();
    m_main.decimalSymbol = source.decimalSymbol.empty() ? m_localeBlock.decimalSymbol.str()
                                                        : source.decimalSymbol.str();
    m_main.groupingSymbol = source.groupingSymbol.str();
    m_main.digits = clampDigits(source.digits);
    m_main.groupSize = validGroupSize(source.groupSize);
    m_main.positiveOrder = validOrder(source.symbolPosition);
    m_main.leadingZero = m_localeLeadingZero;

    m_alternative = m_main;
    m_alternative.symbol = header.alternativeCurrency.symbol.str();
    m_alternative.positiveOrder = validOrder(header.alternativeCurrency.symbolPosition);

    m_plainDigits = m_main.digits;
}

std::string CurrencyFormats::text(double amount, Currency which, bool plain) const
{
    const CurrencyFormat& f = format(which);
    if (!plain)
        return f.format(amount);
    std::string s = fixedText(std::isfinite(amount) && amount != 0.0 ? amount : 0.0, 8);
    const auto dot = s.find('.');
    std::size_t keep = dot + 1 + static_cast<std::size_t>(f.digits);
    while (s.size() > keep && s.back() == '0')
        s.pop_back();
    if (s.back() == '.')
        s.pop_back();
    else
        s.replace(dot, 1, f.decimalSymbol);
    return s;
}

double CurrencyFormats::parse(std::string_view typed, Currency which) const
{
    const std::string& decimal = format(which).decimalSymbol;
    std::string s(typed);
    if (!decimal.empty() && decimal != ".") {
        for (auto at = s.find(decimal); at != std::string::npos; at = s.find(decimal, at + 1))
            s.replace(at, decimal.size(), ".");
    }
    return readNumber(s);
}

double CurrencyFormats::round(double amount) const
{
    if (!std::isfinite(amount))
        return amount;
    return readNumber(roundDecimalText(fixedText(amount, 6), m_plainDigits));
}
