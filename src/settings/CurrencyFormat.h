#pragma once
// Money as text: the currency formatter of the user's platform, written out
// here so that every workstation formats the same amount the same way.
//
// An amount is first printed with six decimals and that decimal text is
// rounded half away from zero to the format's digits, so 0.125 with two
// digits is "0.13" and -0.125 is "(0.13)".

#include "settings/CarrierRecords.h"

#include <string>
#include <string_view>

struct LocaleData;
struct SettingsHeader;

struct CurrencyFormat
{
    int digits = 2;          // digits after the decimal symbol, 0-9
    bool leadingZero = true; // "0.50" rather than ".50"
    int groupSize = 3;       // 0 = no grouping, 1-9 = groups of that size, 32 = 3 then 2 ("12,34,567")
    std::string decimalSymbol = ".";
    std::string groupingSymbol = ",";
    int positiveOrder = 0; // 0 "$1", 1 "1$", 2 "$ 1", 3 "1 $"; negative amounts are always "($1)"
    std::string symbol;

    std::string format(double amount) const;
    // The number alone: sign, grouping and decimals, no symbol.
    std::string formatNumber(double amount) const;
};

enum class Currency { Main, Alternative };

// The derived currency formats of a settings database: rebuilt from its
// header and the locale, never stored.
class CurrencyFormats
{
public:
    // Fills an empty main or alternative block from the locale (the alternative
    // symbol then becomes "?"), then derives the formats.
    void rebuild(SettingsHeader& header, const LocaleData& locale);

    const CurrencyFormat& format(Currency which) const { return which == Currency::Main ? m_main : m_alternative; }
    // The locale's own conventions, as the editor shows them for "Override Windows settings" off.
    const CurrencyBlock& localeBlock() const { return m_localeBlock; }
    bool localeLeadingZero() const { return m_localeLeadingZero; }

    // Formats with the symbol; in plain mode (edit fields) prints the amount
    // with 8 decimals, cuts trailing zeros down to the format's digits (all of
    // them when it has none) and uses the format's decimal symbol, no symbol or grouping.
    std::string text(double amount, Currency which, bool plain = false) const;
    // Reads an amount typed by the user: the decimal symbol of the format
    // becomes "." and the text is read as a C number (leading blanks, sign,
    // digits; reading stops at the first other character; nothing readable is 0).
    double parse(std::string_view typed, Currency which) const;
    // The amount as the plain number format would print and read it back:
    // six decimals, then rounded half away from zero to the main currency's digits.
    double round(double amount) const;

private:
    CurrencyFormat m_main;
    CurrencyFormat m_alternative;
    int m_plainDigits = 2;
    CurrencyBlock m_localeBlock;
    bool m_localeLeadingZero = true;
};

// Rounds the decimal text of an amount ("-12.345678") half away from zero to
// `digits` decimals; the result has exactly that many decimals ("-12.35").
std::string roundDecimalText(std::string_view text, int digits);
// The amount printed with `decimals` decimals, independent of the C locale.
std::string fixedText(double amount, int decimals);
// Reads a C-style number ("  -1.5e3xyz" is -1500), independent of the C locale.
double readNumber(std::string_view text);
