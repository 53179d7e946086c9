#pragma once
// The cell texts of a rate block as the Rates page shows them, in the
// language in force: the "General" column and the "Rate #n" columns.

#include "settings/CarrierRecords.h"

#include <string>

class SettingsDatabase;

namespace ratetext {

// ">= 10 sec $1.00 / 60 sec ($0.50) [30 sec]": the minimum duration, the
// initial charge and time unit, the minimum cost and the rounding, each only
// when it applies, joined by single blanks.
std::string general(const RateBlock& rates, const SettingsDatabase& db);
// "$0.10 / min, Weekdays, 8:00 AM - 6:00 PM"; empty for an inactive period.
std::string period(const RatePeriod& period, bool alternativeCurrency, const SettingsDatabase& db);
// A time of day in the locale's time format.
std::string timeOfDay(int hour, int minute);

} // namespace ratetext
