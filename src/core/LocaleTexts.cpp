#include "core/LocaleTexts.h"

#include "core/CivilDate.h"
#include "core/Locale.h"

#include <algorithm>
#include <cstdio>
#include <memory>

namespace {

// Position of the first picture letter `letter` outside quoted literals, or npos.
std::size_t findUnquoted(std::string_view picture, std::string_view letters, std::size_t from = 0)
{
    bool quoted = false;
    for (std::size_t i = from; i < picture.size(); ++i) {
        if (picture[i] == '\'')
            quoted = !quoted;
        else if (!quoted && letters.find(picture[i]) != std::string_view::npos)
            return i;
    }
    return std::string_view::npos;
}

std::string_view trimTrailing(std::string_view s)
{
    while (!s.empty() && (s.back() == ' ' || s.back() == ','))
        s.remove_suffix(1);
    return s;
}

void appendNumber(std::string& out, int value, bool twoDigits)
{
    char buf[16];
    std::snprintf(buf, sizeof buf, twoDigits ? "%02d" : "%d", value);
    out += buf;
}

const std::string& nameAt(const std::array<std::string, 12>& names, int month)
{
    static const std::string none;
    return month >= 1 && month <= 12 ? names[month - 1] : none;
}

// Expands one run of `count` copies of the picture letter `c`.
void expand(std::string& out, char c, std::size_t count, const DateTimeFields& t, const LocaleTexts& texts)
{
    const bool two = count >= 2;
    switch (c) {
    case 'd':
        if (count <= 2) {
            appendNumber(out, t.day, two);
        } else {
            const int i = texts.dayIndex(t.year, t.month, t.day);
            if (i >= 0)
                out += count == 3 ? texts.dayAbbrevs[i] : texts.dayNames[i];
        }
        break;
    case 'M':
        if (count <= 2)
            appendNumber(out, t.month, two);
        else
            out += nameAt(count == 3 ? texts.monthAbbrevs : texts.monthNames, t.month);
        break;
    case 'y':
        if (count <= 2)
            appendNumber(out, t.year % 100, two);
        else
            appendNumber(out, t.year, false);
        break;
    case 'h':
        appendNumber(out, t.hour % 12 == 0 ? 12 : t.hour % 12, two);
        break;
    case 'H':
        appendNumber(out, t.hour, two);
        break;
    case 'm':
        appendNumber(out, t.minute, two);
        break;
    case 's':
        appendNumber(out, t.second, two);
        break;
    case 't': {
        const std::string& text = t.hour < 12 ? texts.amText : texts.pmText;
        out += two ? text : text.substr(0, 1);
        break;
    }
    default:
        out.append(count, c);
    }
}

std::unique_ptr<LocaleTexts>& slot()
{
    static std::unique_ptr<LocaleTexts> texts;
    return texts;
}

} // namespace

std::int64_t daysFromCivil(int year, int month, int day) { return civil::daysFromCivil(year, month, day); }

DateTimeFields civilFromDays(std::int64_t days)
{
    const civil::Date d = civil::civilFromDays(days);
    return {static_cast<int>(d.year), d.month, d.day, 0, 0, 0};
}

int daysInMonth(int year, int month) { return civil::daysInMonth(year, month); }

int weekday(int year, int month, int day)
{
    if (day < 1 || day > daysInMonth(year, month))
        return -1;
    return (civil::weekday(civil::daysFromCivil(year, month, day)) + 1) % 7;
}

std::string_view timeFormatFor(int hours24, int leadingZero)
{
    static constexpr std::array<std::string_view, 4> kFormats = {"h':'mm tt", "hh':'mm tt", "H':'mm", "HH':'mm"};
    const int index = 2 * std::max(hours24, 0) + std::max(leadingZero, 0);
    return kFormats[static_cast<std::size_t>(std::min(index, 3))];
}

std::string yearlessFormat(std::string_view format)
{
    const std::size_t year = findUnquoted(format, "y");
    if (year == std::string_view::npos)
        return std::string(trimTrailing(format));
    const std::string_view head = trimTrailing(format.substr(0, year));
    if (findUnquoted(head, "dM") != std::string_view::npos)
        return std::string(head);
    // The year leads: drop it with whatever separates it from the next day or month field.
    const std::size_t next = findUnquoted(format, "dM", year);
    if (next == std::string_view::npos)
        return std::string(head);
    return std::string(trimTrailing(std::string(head) + std::string(format.substr(next))));
}

std::string formatDateTime(std::string_view picture, const DateTimeFields& when, const LocaleTexts& texts)
{
    static constexpr std::string_view kLetters = "dMyhHmst";
    std::string out;
    for (std::size_t i = 0; i < picture.size();) {
        const char c = picture[i];
        if (c == '\'') {
            // Literal up to the closing quote; '' inside stands for one quote.
            for (++i; i < picture.size(); ++i) {
                if (picture[i] != '\'') {
                    out += picture[i];
                } else if (i + 1 < picture.size() && picture[i + 1] == '\'') {
                    out += '\'';
                    ++i;
                } else {
                    break;
                }
            }
            ++i;
            continue;
        }
        std::size_t run = 1;
        if (kLetters.find(c) != std::string_view::npos) {
            while (i + run < picture.size() && picture[i + run] == c)
                ++run;
        }
        expand(out, c, run, when, texts);
        i += run;
    }
    return out;
}

int LocaleTexts::dayIndex(int year, int month, int day) const
{
    const int w = weekday(year, month, day);
    return w < 0 ? -1 : (w - (firstDayOfWeek - 1) + 7) % 7;
}

LocaleTexts LocaleTexts::from(const LocaleData& data)
{
    LocaleTexts t;
    t.monthNames = data.monthNames;
    t.monthAbbrevs = data.monthAbbrevs;
    t.firstDayOfWeek = std::clamp(data.firstDayOfWeek, 1, 7);
    // LocaleData keeps Monday first; weekday w (0 = Sunday) is at (w + 6) % 7 there.
    for (int i = 0; i < 7; ++i) {
        const int w = (t.firstDayOfWeek - 1 + i) % 7;
        t.dayNames[i] = data.dayNames[(w + 6) % 7];
        t.dayAbbrevs[i] = data.dayAbbrevs[(w + 6) % 7];
    }
    const auto shortest = std::min_element(data.longDateFormats.begin(), data.longDateFormats.end(),
                                           [](const std::string& a, const std::string& b) {
                                               return a.size() < b.size();
                                           });
    t.longDateFormat = shortest == data.longDateFormats.end() ? data.shortDateFormat : *shortest;
    t.yearlessDateFormat = yearlessFormat(t.longDateFormat);
    t.shortDateFormat = data.shortDateFormat;
    t.timeFormat = std::string(timeFormatFor(data.time24 ? 1 : 0, data.timeLeadingZero ? 1 : 0));
    t.amText = data.amText;
    t.pmText = data.pmText;
    return t;
}

const LocaleTexts& LocaleTexts::current()
{
    auto& texts = slot();
    if (!texts)
        texts = std::make_unique<LocaleTexts>(from(Locale::current().data()));
    return *texts;
}

void LocaleTexts::refresh() { slot() = std::make_unique<LocaleTexts>(from(Locale::current().data())); }
