#include "editor/CPageUDRateText.h"

#include "core/LocaleTexts.h"
#include "lang/StringIds.h"
#include "lang/StringTable.h"
#include "settings/SettingsDatabase.h"

namespace ratetext {

namespace {

Currency currencyOf(bool alternative) { return alternative ? Currency::Alternative : Currency::Main; }

void join(std::string& out, const std::string& part)
{
    if (!out.empty())
        out += ' ';
    out += part;
}

std::string seconds(std::int32_t value) { return std::to_string(value) + ' ' + LoadText(sid::kUnitSec); }

} // namespace

std::string general(const RateBlock& rates, const SettingsDatabase& db)
{
    const Currency currency = currencyOf(rates.flags & RateBlock::kAlternativeCurrency);
    std::string out;
    if (rates.minDuration != 0)
        join(out, ">= " + seconds(rates.minDuration));
    if (rates.initialCharge > 0.0 || rates.initialUnit != 0)
        join(out, db.formatCurrency(rates.initialCharge, currency) + " / " + seconds(rates.initialUnit));
    if (rates.minCost > 0.0)
        join(out, '(' + db.formatCurrency(rates.minCost, currency) + ')');
    if (rates.roundTo != 0)
        join(out, '[' + seconds(rates.roundTo) + ']');
    return out;
}

std::string period(const RatePeriod& period, bool alternativeCurrency, const SettingsDatabase& db)
{
    if (!(period.flags & RatePeriod::kActive))
        return {};
    std::string out = db.formatCurrency(period.rate, currencyOf(alternativeCurrency)) + " / ";
    if (period.unitLength == 60)
        out += LoadText(sid::kUnitMin);
    else if (period.unitLength == 1)
        out += LoadText(sid::kUnitSec);
    else
        out += LoadText(sid::kUnitUnit) + " (" + seconds(period.unitLength) + ')';
    if (period.flags & RatePeriod::kByKindOfDay)
        out += ", " + LoadText(period.flags & RatePeriod::kHolidaysOnly ? sid::kRateHolidays : sid::kRateWeekdays);
    if (period.flags & RatePeriod::kTimed)
        out += ", " + timeOfDay(period.fromHour, period.fromMinute) + " - " + timeOfDay(period.toHour, period.toMinute);
    return out;
}

std::string timeOfDay(int hour, int minute)
{
    const LocaleTexts& texts = LocaleTexts::current();
    DateTimeFields when;
    when.year = 2000;
    when.month = 1;
    when.day = 1;
    when.hour = hour;
    when.minute = minute;
    return formatDateTime(texts.timeFormat, when, texts);
}

} // namespace ratetext
