#include "settings/CarrierRecords.h"

// Each field table tiles its record: no gap, no overlap, nothing past the end.
static_assert(fieldcodec::coversExactly<RatePeriod>());
static_assert(fieldcodec::coversExactly<RateBlock>());
static_assert(fieldcodec::coversExactly<CurrencyBlock>());
static_assert(fieldcodec::coversExactly<CarrierBlock>());
