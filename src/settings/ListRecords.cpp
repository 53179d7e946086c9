#include "settings/ListRecords.h"

// Each field table tiles its record: no gap, no overlap, nothing past the end.
static_assert(fieldcodec::coversExactly<DestinationEntry>());
static_assert(fieldcodec::coversExactly<DirectoryEntry>());
static_assert(fieldcodec::coversExactly<TrunkEntry>());
static_assert(fieldcodec::coversExactly<PrefixEntry>());
static_assert(fieldcodec::coversExactly<HolidayEntry>());
static_assert(fieldcodec::coversExactly<ContactEntry>());
static_assert(fieldcodec::coversExactly<ProjectEntry>());
static_assert(fieldcodec::coversExactly<ExchangeRateEntry>());
