#pragma once
// The 34 columns of a toll-rate file (section "ListRateToll"): a destination's
// code, country and city and, for one carrier, its rate block:
//
//   0 "Code"  1 "Country"  2 "City"  3 "Min. time"  4 "Min. cost"  5 "Initial time"
//   6 "Initial cost"  7 "Alt. currency"  8 "Round to"  9 "Discard remainder"
//   then for each period n = 1-4, from column 10 + 6 (n - 1): "Rate%d_Active",
//   "Rate%d_Rate", "Rate%d_Unit", "Rate%d_From", "Rate%d_To", "Rate%d_Apply".
//
// Times, units and round-to are whole seconds (a negative number is taken as
// 0), amounts use the main currency's decimal symbol, flags are true/false
// values, From and To are "HH:MM", and Apply is "Weekdays", "Holidays" or
// (anything else) every day.

#include "settings/ListRecords.h"

#include <string>
#include <string_view>
#include <vector>

class SettingsDatabase;

namespace tollrates {

inline constexpr int kColumnCount = 34;
inline constexpr int kCode = 0, kCountry = 1, kCity = 2;

// The column titles; they are file column names, the same in every language.
std::vector<std::string> titles();

// A destination as the rates page adds it: all zero, and every period of every
// carrier inactive with a unit of 60 seconds.
DestinationEntry newDestination();

// Converts a column's text into the destination (the code and names) or into
// the rate block of `carrier`; a text that cannot be read leaves the field.
void setField(DestinationEntry& d, int carrier, int column, std::string_view text, const SettingsDatabase& db);
// Copies one column's value from `from` into `to` (the update of an existing
// destination with the columns present in the file).
void copyField(DestinationEntry& to, const DestinationEntry& from, int carrier, int column);
// The text an export writes for a column.
void cellText(const DestinationEntry& d, int carrier, int column, const SettingsDatabase& db, std::string& out);

// Derives the time flags of the four periods from their times: a period whose
// From differs from its To has times (0x10), and crosses midnight (0x20) when
// From is later than To.
void normalisePeriods(RateBlock& rates);

} // namespace tollrates
