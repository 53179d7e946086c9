#include "filter/gui/FilterEditorIds.h"

#include "ui/ResourceText.h"

void feres::registerResources()
{
    registerResourceTextOnce(
#include "filter/gui/Resources.inc"
    );
}
