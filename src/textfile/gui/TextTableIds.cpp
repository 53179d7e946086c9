#include "textfile/gui/TextTableIds.h"

#include "ui/ResourceText.h"

void ttres::registerResources()
{
    registerResourceTextOnce(
#include "textfile/gui/Resources.inc"
    );
}
