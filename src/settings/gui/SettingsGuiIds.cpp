#include "settings/gui/SettingsGuiIds.h"

#include "ui/ResourceText.h"

void stres::registerResources()
{
    registerResourceTextOnce(
#include "settings/gui/Resources.inc"
    );
}
