#pragma once
// Rounding a cost to the smallest unit of the main currency without going
// through text. The rule is the settings' (SettingsDatabase::roundToCurrencyUnit):
// print with six decimals, round that text half away from zero to the currency's
// digits, read it back. Where the binary amount lies clearly between two
// six-decimal texts, integer arithmetic gives the same double; near a tie, or
// for amounts the shortcut does not cover, it answers nothing and the text decides.

#include <optional>

std::optional<double> roundCostQuickly(double amount, int digits);
