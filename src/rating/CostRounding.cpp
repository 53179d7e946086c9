#include "rating/CostRounding.h"

#include <array>
#include <cmath>
#include <cstdint>

namespace {

constexpr std::array<std::int64_t, 7> kPowers{1, 10, 100, 1000, 10000, 100000, 1000000};

} // namespace

std::optional<double> roundCostQuickly(double amount, int digits)
{
    // Below a million, amount x 10^6 is below 2^40: the product is off the exact
    // value by less than 2^-14, so only a product within 1/1024 of a half could
    // print differently from how it rounds here.
    if (!(amount >= 0.0 && amount < 1e6) || std::signbit(amount) || digits < 0 || digits > 9)
        return std::nullopt;
    const double scaled = amount * 1e6;
    const double whole = std::floor(scaled);
    const double fraction = scaled - whole;
    if (std::fabs(fraction - 0.5) < 1.0 / 1024)
        return std::nullopt;
    std::int64_t micros = static_cast<std::int64_t>(whole) + (fraction > 0.5 ? 1 : 0); // the six-decimal text
    if (digits >= 6)
        return static_cast<double>(micros) / 1e6;
    const std::int64_t unit = kPowers[static_cast<std::size_t>(6 - digits)];
    micros = (micros + unit / 2) / unit; // half away from zero, on the text's digits
    return static_cast<double>(micros) / static_cast<double>(kPowers[static_cast<std::size_t>(digits)]);
}
