#include "editor/EditorIds.h"

#include "ui/ResourceText.h"

void udres::registerResources()
{
    registerResourceTextOnce(
#include "editor/Resources.inc"
    );
}
