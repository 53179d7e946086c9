#pragma once
// Small settings and calls for the rating tests.

#include "calls/CallRecord.h"
#include "rating/CallRating.h"
#include "settings/SettingsDatabase.h"

#include <memory>
#include <string>

namespace ratingtest {

// An everyday period (no times) of `rate` per `unit` seconds.
inline RatePeriod everyday(double rate, std::int32_t unit = 60)
{
    RatePeriod p;
    p.rate = rate;
    p.unitLength = unit;
    p.flags = RatePeriod::kActive;
    return p;
}

inline RatePeriod timed(double rate, int fromHour, int fromMinute, int toHour, int toMinute, std::uint32_t extra = 0)
{
    RatePeriod p = everyday(rate);
    p.fromHour = static_cast<std::uint8_t>(fromHour);
    p.fromMinute = static_cast<std::uint8_t>(fromMinute);
    p.toHour = static_cast<std::uint8_t>(toHour);
    p.toMinute = static_cast<std::uint8_t>(toMinute);
    p.flags |= RatePeriod::kTimed | extra;
    return p;
}

inline RateBlock flatRate(double perMinute)
{
    RateBlock r;
    r.periods[0] = everyday(perMinute);
    return r;
}

inline PrefixEntry prefix(const char* digits, std::int32_t type, const char* code = "", std::int32_t changeTo = 0,
                          std::uint8_t flags = 0)
{
    PrefixEntry p;
    p.prefix.assign(digits);
    p.callType = type;
    p.internationalCode.assign(code);
    p.changeCarrierTo = changeTo;
    p.flags = flags;
    return p;
}

inline DestinationEntry destination(const char* code, const char* country, double perMinute = 0.0)
{
    DestinationEntry d;
    d.code.assign(code);
    d.country.assign(country);
    for (RateBlock& r : d.rates)
        r = flatRate(perMinute);
    return d;
}

inline ContactEntry contact(const char* number, const char* name)
{
    ContactEntry c;
    c.number.assign(number);
    c.name.assign(name);
    return c;
}

inline TrunkEntry trunk(std::uint32_t number, std::int32_t carrier, const char* group = "")
{
    TrunkEntry t;
    t.number = number;
    t.carrier = carrier;
    t.group.assign(group);
    return t;
}

inline DirectoryEntry employee(std::int32_t extension, const char* account, const char* name,
                               const char* department = "", std::int32_t modifier = 100)
{
    DirectoryEntry e;
    e.extension = extension;
    e.accountCode.assign(account);
    e.name.assign(name);
    e.department.assign(department);
    e.costModifier = modifier;
    return e;
}

// Six carriers that cost nothing and change nothing (modifier 100), money in two decimals.
inline SettingsDatabase plainSettings()
{
    SettingsDatabase db;
    for (CarrierBlock& c : db.carriers)
        c.costModifier = 100;
    db.header.exchangeRate = 1.0;
    db.header.overrideCurrency = 1;
    db.header.mainCurrency.symbol.assign("$");
    db.header.mainCurrency.decimalSymbol.assign(".");
    db.header.mainCurrency.digits = 2;
    return db;
}

// An outgoing call from extension 100 on trunk 1, 2025-03-05 (a Wednesday) 10:00.
inline CallRecord call(const char* number, std::uint32_t duration = 60)
{
    CallRecord c{};
    c.extension = 100;
    c.trunk = 1;
    fixedtext::store(c.dialedNumber, number);
    c.start = {2025, 3, 5, 10, 0};
    c.duration = duration;
    return c;
}

inline CallRecord callAt(const CallDate& start, std::uint32_t duration)
{
    CallRecord c = call("", duration);
    c.start = start;
    return c;
}

// Rebuilds the indexes and rates one call.
inline CallRecord rated(SettingsDatabase& db, CallRecord c, const RatingOptions& options = {})
{
    db.rebuildIndexes();
    CallRating rating(db, options);
    rating.classify(c);
    return c;
}

} // namespace ratingtest
