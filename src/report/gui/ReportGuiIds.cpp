#include "report/gui/ReportGuiIds.h"

#include "ui/ResourceText.h"

void rptres::registerResources()
{
    registerResourceTextOnce(
#include "report/gui/Resources.inc"
    );
}
