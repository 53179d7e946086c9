#pragma once
// The text and background colours of a row of the calls list, from the
// preferences: incoming calls; outgoing calls of the built-in and user-defined
// types; outgoing calls whose destination was not found. A local call (local
// flag) needs no destination and keeps its type's colours.

#include "calls/CallRecord.h"
#include "prefs/Preferences.h"

#include <optional>

struct RowColors
{
    ColorRef text = 0;
    // Empty for the list's own background: a stored background of exactly
    // white (0xFFFFFF) is not applied.
    std::optional<ColorRef> background;
};

RowColors rowColors(const CallRecord& call, const Preferences& prefs);
