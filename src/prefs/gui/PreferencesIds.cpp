#include "prefs/gui/PreferencesIds.h"

#include "ui/ResourceText.h"

void pfres::registerResources()
{
    registerResourceTextOnce(
#include "prefs/gui/Resources.inc"
    );
}
