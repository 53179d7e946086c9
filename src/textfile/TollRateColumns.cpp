#include "textfile/TollRateColumns.h"

#include "settings/SettingsDatabase.h"
#include "textfile/ListFieldText.h"

namespace tollrates {

namespace {

constexpr int kMinTime = 3, kMinCost = 4, kInitialTime = 5, kInitialCost = 6, kAltCurrency = 7, kRoundTo = 8,
              kDiscardRemainder = 9, kFirstPeriodColumn = 10, kPeriodColumns = 6;
static_assert(kFirstPeriodColumn + 4 * kPeriodColumns == kColumnCount);

enum PeriodColumn : int { Active = 0, Rate, Unit, From, To, Apply };

constexpr std::uint32_t kApplyMask = RatePeriod::kByKindOfDay | RatePeriod::kHolidaysOnly;

bool inside(int carrier) { return carrier >= 0 && carrier < kCarrierCount; }

RateBlock& block(DestinationEntry& d, int carrier) { return d.rates[static_cast<std::size_t>(carrier)]; }
const RateBlock& block(const DestinationEntry& d, int carrier) { return d.rates[static_cast<std::size_t>(carrier)]; }

void setBits(std::uint32_t& flags, std::uint32_t mask, std::uint32_t bits) { flags = (flags & ~mask) | (bits & mask); }

void setCount(std::int32_t& field, std::string_view text)
{
    if (const auto value = listtext::readCount(text))
        field = *value;
}

void setFlag(std::uint32_t& flags, std::uint32_t bit, std::string_view text)
{
    if (const auto value = listtext::readFlag(text))
        setBits(flags, bit, *value ? bit : 0);
}

std::uint32_t applyBits(std::string_view text)
{
    if (listtext::equalIgnoringCase(text, "Holidays"))
        return RatePeriod::kByKindOfDay | RatePeriod::kHolidaysOnly;
    if (listtext::equalIgnoringCase(text, "Weekdays"))
        return RatePeriod::kByKindOfDay;
    return 0;
}

void appendFlag(std::string& out, bool value) { out += value ? '1' : '0'; }

} // namespace

std::vector<std::string> titles()
{
    std::vector<std::string> t = {"Code",         "Country",      "City",          "Min. time", "Min. cost",
                                  "Initial time", "Initial cost", "Alt. currency", "Round to",  "Discard remainder"};
    for (int n = 1; n <= 4; ++n) {
        const std::string rate = "Rate" + std::to_string(n) + "_";
        for (const char* name : {"Active", "Rate", "Unit", "From", "To", "Apply"})
            t.push_back(rate + name);
    }
    return t;
}

DestinationEntry newDestination()
{
    DestinationEntry d;
    for (RateBlock& rates : d.rates) {
        for (RatePeriod& period : rates.periods)
            period.unitLength = 60;
    }
    return d;
}

void setField(DestinationEntry& d, int carrier, int column, std::string_view text, const SettingsDatabase& db)
{
    switch (column) {
    case kCode:
        d.code.assign(listtext::leadingDigits(text, decltype(d.code)::kSize - 1));
        return;
    case kCountry:
        d.country.assign(text);
        return;
    case kCity:
        d.city.assign(text);
        return;
    default:
        break;
    }
    if (!inside(carrier))
        return;
    RateBlock& r = block(d, carrier);
    switch (column) {
    case kMinTime:
        setCount(r.minDuration, text);
        return;
    case kMinCost:
        r.minCost = db.parseAmount(text);
        return;
    case kInitialTime:
        setCount(r.initialUnit, text);
        return;
    case kInitialCost:
        r.initialCharge = db.parseAmount(text);
        return;
    case kAltCurrency:
        setFlag(r.flags, RateBlock::kAlternativeCurrency, text);
        return;
    case kRoundTo:
        setCount(r.roundTo, text);
        return;
    case kDiscardRemainder:
        setFlag(r.flags, RateBlock::kDiscardRemainder, text);
        return;
    default:
        break;
    }
    if (column < kFirstPeriodColumn || column >= kColumnCount)
        return;
    RatePeriod& p = r.periods[static_cast<std::size_t>((column - kFirstPeriodColumn) / kPeriodColumns)];
    switch ((column - kFirstPeriodColumn) % kPeriodColumns) {
    case Active:
        setFlag(p.flags, RatePeriod::kActive, text);
        return;
    case Rate:
        p.rate = db.parseAmount(text);
        return;
    case Unit:
        setCount(p.unitLength, text);
        return;
    case From:
        if (const auto time = listtext::readTimeOfDay(text)) {
            p.fromHour = time->hour;
            p.fromMinute = time->minute;
        }
        return;
    case To:
        if (const auto time = listtext::readTimeOfDay(text)) {
            p.toHour = time->hour;
            p.toMinute = time->minute;
        }
        return;
    case Apply:
        setBits(p.flags, kApplyMask, applyBits(text));
        return;
    default:
        return;
    }
}

void copyField(DestinationEntry& to, const DestinationEntry& from, int carrier, int column)
{
    switch (column) {
    case kCode:
        to.code = from.code;
        return;
    case kCountry:
        to.country = from.country;
        return;
    case kCity:
        to.city = from.city;
        return;
    default:
        break;
    }
    if (!inside(carrier))
        return;
    RateBlock& t = block(to, carrier);
    const RateBlock& f = block(from, carrier);
    switch (column) {
    case kMinTime:
        t.minDuration = f.minDuration;
        return;
    case kMinCost:
        t.minCost = f.minCost;
        return;
    case kInitialTime:
        t.initialUnit = f.initialUnit;
        return;
    case kInitialCost:
        t.initialCharge = f.initialCharge;
        return;
    case kAltCurrency:
        setBits(t.flags, RateBlock::kAlternativeCurrency, f.flags);
        return;
    case kRoundTo:
        t.roundTo = f.roundTo;
        return;
    case kDiscardRemainder:
        setBits(t.flags, RateBlock::kDiscardRemainder, f.flags);
        return;
    default:
        break;
    }
    if (column < kFirstPeriodColumn || column >= kColumnCount)
        return;
    const std::size_t n = static_cast<std::size_t>((column - kFirstPeriodColumn) / kPeriodColumns);
    RatePeriod& tp = t.periods[n];
    const RatePeriod& fp = f.periods[n];
    switch ((column - kFirstPeriodColumn) % kPeriodColumns) {
    case Active:
        setBits(tp.flags, RatePeriod::kActive, fp.flags);
        return;
    case Rate:
        tp.rate = fp.rate;
        return;
    case Unit:
        tp.unitLength = fp.unitLength;
        return;
    case From:
        tp.fromHour = fp.fromHour;
        tp.fromMinute = fp.fromMinute;
        return;
    case To:
        tp.toHour = fp.toHour;
        tp.toMinute = fp.toMinute;
        return;
    case Apply:
        setBits(tp.flags, kApplyMask, fp.flags);
        return;
    default:
        return;
    }
}

void cellText(const DestinationEntry& d, int carrier, int column, const SettingsDatabase& db, std::string& out)
{
    const auto amount = [&](double value) { out += db.formatCurrency(value, Currency::Main, true); };
    switch (column) {
    case kCode:
        out += d.code.view();
        if (!d.code.empty())
            out += listtext::kNoBreakSpace;
        return;
    case kCountry:
        out += d.country.view();
        return;
    case kCity:
        out += d.city.view();
        return;
    default:
        break;
    }
    if (!inside(carrier))
        return;
    const RateBlock& r = block(d, carrier);
    switch (column) {
    case kMinTime:
        listtext::appendInteger(out, r.minDuration);
        return;
    case kMinCost:
        amount(r.minCost);
        return;
    case kInitialTime:
        listtext::appendInteger(out, r.initialUnit);
        return;
    case kInitialCost:
        amount(r.initialCharge);
        return;
    case kAltCurrency:
        appendFlag(out, (r.flags & RateBlock::kAlternativeCurrency) != 0);
        return;
    case kRoundTo:
        listtext::appendInteger(out, r.roundTo);
        return;
    case kDiscardRemainder:
        appendFlag(out, (r.flags & RateBlock::kDiscardRemainder) != 0);
        return;
    default:
        break;
    }
    if (column < kFirstPeriodColumn || column >= kColumnCount)
        return;
    const RatePeriod& p = r.periods[static_cast<std::size_t>((column - kFirstPeriodColumn) / kPeriodColumns)];
    switch ((column - kFirstPeriodColumn) % kPeriodColumns) {
    case Active:
        appendFlag(out, (p.flags & RatePeriod::kActive) != 0);
        return;
    case Rate:
        amount(p.rate);
        return;
    case Unit:
        listtext::appendInteger(out, p.unitLength);
        return;
    case From:
        listtext::appendTimeOfDay(out, p.fromHour, p.fromMinute);
        return;
    case To:
        listtext::appendTimeOfDay(out, p.toHour, p.toMinute);
        return;
    case Apply:
        if ((p.flags & RatePeriod::kByKindOfDay) == 0)
            out += "Everyday";
        else
            out += (p.flags & RatePeriod::kHolidaysOnly) != 0 ? "Holidays" : "Weekdays";
        return;
    default:
        return;
    }
}

void normalisePeriods(RateBlock& rates)
{
    for (RatePeriod& p : rates.periods) {
        p.flags &= ~(RatePeriod::kTimed | RatePeriod::kCrossesMidnight);
        const int from = p.fromHour * 60 + p.fromMinute;
        const int to = p.toHour * 60 + p.toMinute;
        if (from != to)
            p.flags |= RatePeriod::kTimed;
        if (from > to)
            p.flags |= RatePeriod::kCrossesMidnight;
    }
}

} // namespace tollrates
