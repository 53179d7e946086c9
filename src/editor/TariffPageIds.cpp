#include "editor/TariffPageIds.h"

#include "ui/ResourceText.h"

void tariffres::registerResources()
{
    registerResourceTextOnce(
#include "editor/Resources.inc"
    );
}
