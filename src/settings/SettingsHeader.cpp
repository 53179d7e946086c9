#include "settings/SettingsHeader.h"

// Each field table tiles its record: no gap, no overlap, nothing past the end.
static_assert(fieldcodec::coversExactly<ListCounts>());
static_assert(fieldcodec::coversExactly<SettingsHeader>());
