#include "prefs/RowColors.h"

namespace {

constexpr ColorRef kWhite = 0xFFFFFF;

RowColors make(ColorRef text, ColorRef background)
{
    RowColors colors;
    colors.text = text;
    if (background != kWhite)
        colors.background = background;
    return colors;
}

} // namespace

RowColors rowColors(const CallRecord& call, const Preferences& prefs)
{
    if (call.direction != 0)
        return make(prefs.colorIn, prefs.backIn);
    if (call.localFlag == 0 && call.destinationIndex < 0)
        return make(prefs.colorUnknown, prefs.backUnknown);
    const std::int32_t type = call.callType;
    if (type >= 3 && type < 3 + static_cast<std::int32_t>(prefs.colorUser.size()))
        return make(prefs.colorUser[static_cast<std::size_t>(type - 3)],
                    prefs.backUser[static_cast<std::size_t>(type - 3)]);
    // A type outside the known ones is shown as a local call.
    const std::size_t slot = type >= 0 && type < 3 ? static_cast<std::size_t>(type) : 0;
    return make(prefs.colorOut[slot], prefs.backOut[slot]);
}
