#pragma once
// The rules of the Rates page on the destination list, apart from its
// windows: the comparison by rates, what the edit-rate sheet starts with for
// the chosen rows, and how its result is stored back.

#include "editor/CSheetUDERate.h"
#include "settings/ListRecords.h"

#include <string>
#include <vector>

namespace raterules {

// By the initial charge, then the rates of periods 1-4, each compared after
// multiplying by 10000 and truncating: <0, 0, >0.
int compareRates(const RateBlock& a, const RateBlock& b);

// The countries of the destinations, each once, in the locale's order.
std::vector<std::string> countries(const std::vector<DestinationEntry>& list);

// The edit-rate sheet's start for the rows `rows` (list positions, at least
// one): one row shows its code, country, city and its rate of `carrier`;
// several show no code, the country and city only where all rows agree, and
// the rate of the first row.
RateEdit editOf(const std::vector<DestinationEntry>& list, const std::vector<int>& rows, int carrier);

// Whether `code` may be stored at position `own` (-1 for a new destination):
// not empty and no other destination has it.
bool codeIsFree(const std::vector<DestinationEntry>& list, std::string_view code, int own);

// Stores the sheet's result into the rows. One row: the code, country and city
// when the code is free (else they stay and false is returned), the rate of
// `carrier` in any case. Several rows: the rate of `carrier`, and the country
// and city where they were filled in.
bool storeEdit(std::vector<DestinationEntry>& list, const std::vector<int>& rows, int carrier, const RateEdit& edit);

// A destination made from the sheet's result on `base` (a new or a copied one).
DestinationEntry destinationOf(DestinationEntry base, int carrier, const RateEdit& edit);

} // namespace raterules
