#pragma once
// Classification and pricing written out step by step, with a linear scan
// wherever the rating uses an index and the C library's calendar for the time
// cursor: the reference the property test holds the fast rating against.

#include "calls/CallRecord.h"
#include "core/Locale.h"
#include "rating/CallRating.h"
#include "settings/SettingsDatabase.h"

#include <algorithm>
#include <ctime>
#include <string>

namespace ratingtest {

class PlainRating
{
public:
    PlainRating(const SettingsDatabase& settings, const RatingOptions& options)
        : db(settings)
        , o(options)
    { }

    void classify(CallRecord& c) const
    {
        identify(c);
        c.destinationIndex = -1;
        if (c.direction == 0 || (c.direction == 1 && !o.incomingLocal))
            route(c);
        if (o.usaFormat)
            usa(c);
        price(c);
    }

    static bool same(char a, char b) { return a == b || a == '*' || b == '*'; }

    // The map semantics of the database: the later entry of the list wins.
    template <class List, class Pred> static int lastWhere(const List& list, Pred pred)
    {
        int found = -1;
        for (std::size_t i = 0; i < list.size(); ++i) {
            if (pred(list[i]))
                found = static_cast<int>(i);
        }
        return found;
    }

    static int nameIndex(const NameList& names, std::string_view name)
    {
        for (int i = 0; i < names.size(); ++i) {
            if (Locale::current().compare(names[i], name) == 0)
                return i;
        }
        return -1;
    }

    int contactPosition(std::string_view number) const
    {
        int best = -1;
        long bestStars = 0;
        for (std::size_t i = 0; i < db.contacts.size(); ++i) {
            const std::string_view p = db.contacts[i].number.view();
            if (p.size() != number.size())
                continue;
            bool match = true;
            for (std::size_t k = 0; k < p.size() && match; ++k)
                match = same(p[k], number[k]);
            const long stars = std::count(p.begin(), p.end(), '*');
            if (match && (best < 0 || stars < bestStars)) {
                best = static_cast<int>(i);
                bestStars = stars;
            }
        }
        return best;
    }

private:
    void identify(CallRecord& c) const
    {
        const std::string_view account = c.account();
        const auto ext = static_cast<std::int32_t>(c.extension);
        const int byExtension = ext == -1 ? -1
                                          : lastWhere(db.directory, [&](const auto& e) { return e.extension == ext; });
        if (db.header.linkAccountCodes) {
            c.projectIndex = -1;
            for (std::size_t i = 0; i < db.projects.size() && !account.empty(); ++i) {
                if (db.projects[i].accountCode.view() == account) {
                    c.projectIndex = nameIndex(db.projectNames(), db.projects[i].name.view());
                    break;
                }
            }
            c.directoryIndex = byExtension;
        } else {
            c.projectIndex = -1;
            const int byAccount = account.empty() ? -1 : lastWhere(db.directory, [&](const auto& e) {
                return e.accountCode.view() == account;
            });
            c.directoryIndex = byAccount >= 0 ? byAccount : byExtension;
        }
        c.departmentIndex = c.directoryIndex < 0
                                ? -1
                                : nameIndex(db.departments(),
                                            db.directory[static_cast<std::size_t>(c.directoryIndex)].department.view());
        c.trunkIndex = lastWhere(db.trunks, [&](const auto& t) { return t.number == c.trunk; });
        if (c.trunkIndex >= 0) {
            const int k = db.trunks[static_cast<std::size_t>(c.trunkIndex)].carrier;
            if (k >= 0 && k <= 5)
                c.carrierIndex = k;
        }
        const std::string_view number = c.number();
        c.contactIndex = -1;
        if (!db.contacts.empty() && !number.empty()) {
            const int at = contactPosition(number);
            if (at >= 0)
                c.contactIndex = db.contacts.size() > 4000
                                     ? at
                                     : nameIndex(db.contactNames(),
                                                 db.contacts[static_cast<std::size_t>(at)].name.view());
        }
    }

    static void insertAt(CallRecord& c, std::size_t at)
    {
        std::string s(c.number());
        s.insert(at, 1, '-');
        fixedtext::store(c.dialedNumber, s);
    }

    void route(CallRecord& c) const
    {
        c.localFlag = 1;
        int best = -1;
        int newCarrier = c.carrierIndex;
        std::string intl;
        const std::string_view number = c.number();
        for (const PrefixEntry& p : db.prefixes[static_cast<std::size_t>(c.carrierIndex)]) {
            const std::string_view text = p.prefix.view();
            const int n = static_cast<int>(text.size());
            if (n <= best || number.size() < text.size())
                continue;
            bool match = true;
            for (std::size_t k = 0; k < text.size() && match; ++k)
                match = same(text[k], number[k]);
            if (!match)
                continue;
            c.callType = p.callType;
            intl = p.internationalCode.str();
            newCarrier = p.changeCarrierTo > 0 && p.changeCarrierTo <= 6 ? p.changeCarrierTo - 1 : c.carrierIndex;
            c.localFlag = p.callType == 0 || (p.callType >= 3 && (p.flags & 1)) ? 1 : 0;
            c.freeFlag = (p.flags & 2) ? 1 : 0;
            best = n;
        }
        c.carrierIndex = newCarrier;
        int d = best;
        const int len = static_cast<int>(c.number().size());
        if (d > 0 && d < len - 1 && (c.localFlag ? o.dashAfterLocalPrefix : o.dashAfterTollPrefix)) {
            insertAt(c, static_cast<std::size_t>(d));
            d = d + 1;
        }
        if (c.localFlag != 0)
            return;
        std::string key = intl;
        const std::string dialled(c.number());
        const int L = static_cast<int>(dialled.size());
        int found = -1;
        for (int i = d; i <= L; ++i) {
            const int at = lastWhere(db.destinations, [&](const auto& e) { return e.code.view() == key; });
            if (at >= 0) {
                c.destinationIndex = at;
                found = i;
            }
            if (i < L - 1)
                key += dialled[static_cast<std::size_t>(i)];
        }
        if (o.dashAfterCode && found >= 0 && found - d > 0 && found < L)
            insertAt(c, static_cast<std::size_t>(found));
    }

    static void usa(CallRecord& c)
    {
        const std::string number(c.number());
        if (number.size() < 11 || number[0] != '1')
            return;
        std::string digits;
        for (char ch : number) {
            if (ch != '-')
                digits += ch;
        }
        if (digits.size() + 2 <= 29) // longer numbers stay as they are
            fixedtext::store(c.dialedNumber, digits.substr(0, 1) + "-" + digits.substr(1, 3) + "-" + digits.substr(4));
    }

public:
    // The C library's reading of a call start (timegm normalises as mktime does, in UTC).
    static std::time_t startOf(const CallDate& d)
    {
        std::tm t{};
        t.tm_year = d.year - 1900;
        t.tm_mon = d.month - 1;
        t.tm_mday = d.day;
        t.tm_hour = d.hour;
        t.tm_min = d.minute;
        return timegm(&t);
    }
    static std::tm fields(std::time_t t)
    {
        std::tm out{};
        gmtime_r(&t, &out);
        return out;
    }

    double exchangeRateAt(std::time_t moment) const
    {
        const std::tm d = fields(moment);
        const long y = d.tm_year + 1900L, m = d.tm_mon + 1L, day = d.tm_mday;
        if (db.header.useRateHistory && !db.exchangeRates.empty()) {
            for (std::size_t i = db.exchangeRates.size(); i-- > 0;) {
                const ExchangeRateEntry& e = db.exchangeRates[i];
                if (e.year < y || (e.year == y && (e.month < m || (e.month == m && e.day <= day))))
                    return e.rate;
            }
        }
        return db.header.exchangeRate;
    }

    bool isHoliday(std::time_t moment) const
    {
        const std::tm d = fields(moment);
        for (const HolidayEntry& h : db.holidays) {
            if ((h.year == d.tm_year + 1900 || h.year == 0) && h.month == d.tm_mon + 1 && h.day == d.tm_mday)
                return true;
        }
        return db.header.weeklyHolidays[static_cast<std::size_t>((d.tm_wday + 6) % 7)] != 0;
    }

    void price(CallRecord& c) const
    {
        if (c.freeFlag)
            return;
        const CarrierBlock& cb = db.carriers[static_cast<std::size_t>(c.carrierIndex)];
        long long R = static_cast<std::int32_t>(c.duration);
        const std::time_t start = startOf(c.start);
        double cost = 0.0;
        if (cb.flags & (0x4 | 0x8)) {
            double amount = (cb.flags & 0x4) ? c.suppliedCost : c.pulses * cb.pulseValue;
            if (cb.flags & 0x1)
                amount = exchangeRateAt(start) * amount;
            c.cost = finish(c, cb, amount);
            return;
        }
        const RateBlock* rate;
        std::int32_t grace;
        if (c.direction == 1) {
            rate = &cb.incomingRate;
            grace = cb.graceIncoming;
        } else {
            if (c.localFlag)
                rate = &cb.localRate;
            else if (c.destinationIndex == -1)
                return;
            else
                rate = &db.destinations[static_cast<std::size_t>(c.destinationIndex)]
                            .rates[static_cast<std::size_t>(c.carrierIndex)];
            grace = c.callType == 0   ? cb.graceLocal
                    : c.callType == 1 ? cb.graceLongDistance
                    : c.callType == 2 ? cb.graceInternational
                                      : cb.graceUserDefined;
        }
        R = std::max(R - grace, 0LL);
        if (R <= rate->minDuration) {
            c.cost = finish(c, cb, 0.0);
            return;
        }
        const bool alt = rate->flags & 0x1;
        cost = alt ? rate->initialCharge * exchangeRateAt(start) : rate->initialCharge;
        std::time_t t = start;
        const long long u0 = rate->initialUnit;
        if (u0 != 0) {
            R -= u0;
            t += u0;
        }
        const long long q = rate->roundTo;
        if (R > 0 && q > 0 && R % q != 0)
            R = (rate->flags & 0x2) ? q * (R / q) : q * (R / q + 1);
        if (u0 != 0 && R <= u0)
            R = u0;
        while (R > 0) {
            long long next = 0;
            const RatePeriod* chosen = nullptr;
            long long s = 0;
            const std::tm now = fields(t);
            const auto until = [&](int h, int m) {
                return ((h - now.tm_hour) * 60LL + m - now.tm_min) * 60 - now.tm_sec;
            };
            for (const RatePeriod& p : rate->periods) {
                if (!(p.flags & 0x8000))
                    continue;
                if ((p.flags & 0x4) && isHoliday(t) != ((p.flags & 0x8) != 0))
                    continue;
                if (!(p.flags & 0x10)) {
                    chosen = &p;
                    s = until(24, 0);
                    break;
                }
                const long long f = until(p.fromHour, p.fromMinute), e = until(p.toHour, p.toMinute);
                if (p.flags & 0x20) {
                    if (f > 0 && e > 0) {
                        chosen = &p;
                        s = e;
                        break;
                    }
                    if (f > 0 && e <= 0) {
                        if (next == 0 || f < next)
                            next = f;
                    } else if (f <= 0 && e < 0) {
                        chosen = &p;
                        s = until(24, 0);
                        break;
                    }
                } else {
                    if (f > 0 && e > 0) {
                        if (next == 0 || f < next)
                            next = f;
                    } else if (f <= 0 && e > 0) {
                        chosen = &p;
                        s = e;
                        break;
                    } else if (f < 0 && e <= 0) {
                        if (next == 0 || f + 86400 < next)
                            next = f + 86400;
                    }
                }
            }
            if (chosen) {
                long long chunk = std::min(R, s);
                if (cb.flags & 0x100)
                    chunk = R;
                R -= chunk;
                if (R != 0)
                    t += chunk;
                if (chosen->unitLength != 0) {
                    double product = chunk * chosen->rate;
                    if (alt)
                        product = product * exchangeRateAt(start);
                    cost = cost + product / chosen->unitLength;
                }
            } else {
                if (next == 0)
                    break;
                const long long skip = std::min(R, next);
                R -= skip;
                t += skip;
            }
        }
        const double minimum = alt ? rate->minCost * exchangeRateAt(start) : rate->minCost;
        if (cost < minimum)
            cost = minimum;
        c.cost = finish(c, cb, cost);
    }

    double finish(const CallRecord& c, const CarrierBlock& cb, double cost) const
    {
        if (cb.costModifier != 100)
            cost = cb.costModifier * cost * 0.01;
        if (c.directoryIndex != -1) {
            const int m = db.directory[static_cast<std::size_t>(c.directoryIndex)].costModifier;
            if (m != 100)
                cost = m * cost * 0.01;
        }
        if (db.header.roundCost)
            cost = db.roundToCurrencyUnit(cost);
        return cost;
    }

private:
    const SettingsDatabase& db;
    RatingOptions o;
};

} // namespace ratingtest
