#pragma once
// The user's locale conventions behind one small seam. The program reads them
// once from the system (QLocale, QCollator); tests pin a named locale so their
// expectations do not depend on the machine's settings.
//
// Texts are Windows-1252 bytes like every other text of the engine. Date and
// time format pictures use the Windows picture letters (d dd ddd dddd, M MM MMM
// MMMM, y yy yyyy, h hh H HH, m mm, s ss, t tt, quoted literals in '...').

#include <array>
#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

struct LocaleData
{
    std::string name; // e.g. "en_US"

    std::array<std::string, 12> monthNames; // January first
    std::array<std::string, 12> monthAbbrevs;
    std::array<std::string, 7> dayNames; // Monday first (index 0 = Monday)
    std::array<std::string, 7> dayAbbrevs;
    int firstDayOfWeek = 2; // 1 = Sunday, 2 = Monday, ... 7 = Saturday

    std::string shortDateFormat;              // "M/d/yyyy"
    std::vector<std::string> longDateFormats; // "dddd, MMMM d, yyyy", ...
    bool time24 = false;                      // 24-hour clock
    bool timeLeadingZero = false;             // hours with a leading zero
    std::string amText = "AM";
    std::string pmText = "PM";

    // Monetary conventions, as the currency formatter takes them.
    std::string currencySymbol;
    std::string monetaryDecimal = ".";
    std::string monetaryGrouping = ",";
    int currencyPositiveOrder = 0; // 0 "$1", 1 "1$", 2 "$ 1", 3 "1 $"
    int currencyDigits = 2;
    int monetaryGroupSize = 3; // digits in a group, 0 = no grouping
    bool leadingZero = true;   // "0.5" rather than ".5"
};

class Locale
{
public:
    virtual ~Locale() = default;

    virtual const LocaleData& data() const = 0;
    // Collation of the user's locale, case-sensitive: <0, 0, >0.
    virtual int compare(std::string_view a, std::string_view b) const = 0;
    // The collation order of many texts at once, for sorting long lists: rank i
    // orders texts[i] among the others as compare() does (equal texts, equal
    // ranks). Much faster than sorting by compare().
    virtual std::vector<std::uint32_t> collationRanks(std::span<const std::string_view> texts) const;

    // The locale in force: the system's unless one was pinned.
    static const Locale& current();
    // Pins the named locale ("en_US", "de_DE", ...) for the rest of the process, or
    // until pinned again. pin("") returns to the system locale.
    static void pin(const std::string& name);
    static void install(std::unique_ptr<Locale> locale);

    // A locale built from QLocale and QCollator for `name` ("" = the system's).
    static std::unique_ptr<Locale> fromQt(const std::string& name);
};
