#include "editor/CPageUDRateRules.h"

#include "core/Locale.h"

#include <algorithm>
#include <cmath>

namespace raterules {

namespace {

long long scaled(double amount) { return static_cast<long long>(amount * 10000.0); }

int compareScaled(double a, double b)
{
    const long long x = scaled(a), y = scaled(b);
    return x < y ? -1 : (y < x ? 1 : 0);
}

RateBlock& rateOf(DestinationEntry& d, int carrier) { return d.rates[static_cast<std::size_t>(carrier)]; }

} // namespace

int compareRates(const RateBlock& a, const RateBlock& b)
{
    if (const int c = compareScaled(a.initialCharge, b.initialCharge))
        return c;
    for (std::size_t n = 0; n < a.periods.size(); ++n)
        if (const int c = compareScaled(a.periods[n].rate, b.periods[n].rate))
            return c;
    return 0;
}

std::vector<std::string> countries(const std::vector<DestinationEntry>& list)
{
    std::vector<std::string> out;
    for (const DestinationEntry& d : list)
        if (!d.country.view().empty())
            out.push_back(d.country.str());
    const Locale& locale = Locale::current();
    std::sort(out.begin(), out.end(),
              [&](const std::string& a, const std::string& b) { return locale.compare(a, b) < 0; });
    out.erase(std::unique(out.begin(), out.end()), out.end());
    return out;
}

RateEdit editOf(const std::vector<DestinationEntry>& list, const std::vector<int>& rows, int carrier)
{
    RateEdit edit;
    const DestinationEntry& first = list[static_cast<std::size_t>(rows.front())];
    edit.rates = first.rates[static_cast<std::size_t>(carrier)];
    edit.country = first.country.str();
    edit.city = first.city.str();
    edit.countries = countries(list);
    if (rows.size() == 1) {
        edit.code = first.code.str();
        return edit;
    }
    edit.codeEnabled = false;
    for (int row : rows) {
        const DestinationEntry& d = list[static_cast<std::size_t>(row)];
        if (d.country.view() != edit.country)
            edit.country.clear();
        if (d.city.view() != edit.city)
            edit.city.clear();
    }
    return edit;
}

bool codeIsFree(const std::vector<DestinationEntry>& list, std::string_view code, int own)
{
    if (code.empty())
        return false;
    for (std::size_t i = 0; i < list.size(); ++i)
        if (static_cast<int>(i) != own && list[i].code.view() == code)
            return false;
    return true;
}

bool storeEdit(std::vector<DestinationEntry>& list, const std::vector<int>& rows, int carrier, const RateEdit& edit)
{
    bool stored = true;
    if (rows.size() == 1) {
        DestinationEntry& d = list[static_cast<std::size_t>(rows.front())];
        if (codeIsFree(list, edit.code, rows.front())) {
            d.code.assign(edit.code);
            d.country.assign(edit.country);
            d.city.assign(edit.city);
        } else {
            stored = false;
        }
        rateOf(d, carrier) = edit.rates;
        return stored;
    }
    for (int row : rows) {
        DestinationEntry& d = list[static_cast<std::size_t>(row)];
        rateOf(d, carrier) = edit.rates;
        if (!edit.country.empty())
            d.country.assign(edit.country);
        if (!edit.city.empty())
            d.city.assign(edit.city);
    }
    return stored;
}

DestinationEntry destinationOf(DestinationEntry base, int carrier, const RateEdit& edit)
{
    base.code.assign(edit.code);
    base.country.assign(edit.country);
    base.city.assign(edit.city);
    rateOf(base, carrier) = edit.rates;
    return base;
}

} // namespace raterules
