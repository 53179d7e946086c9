#include "app/CallsExportCommand.h"

#include "app/FrameProgress.h"
#include "lang/StringIds.h"
#include "session/MainSession.h"
#include "textfile/CallsExport.h"
#include "textfile/gui/QtTextTableFrontEnd.h"

bool exportShownCalls(QWidget* frame, StatusPanel& status, IniProfile& ini, const MainSession& session,
                      std::span<const std::size_t> selectedRows)
{
    const CallSession& calls = session.calls();
    if (calls.visible().empty())
        return false;
    TextTableFile file(TextTableMode::Export);
    QtTextTableFrontEnd frontEnd(frame);
    if (!file.openWithOptions(ini, callsexport::kSection, callsexport::kFieldCount, sid::kColumnTitleFirst, frontEnd))
        return false;
    TextTableFile::Outcome outcome;
    {
        FrameProgress progress(frame, status, sid::kStatusExporting);
        callsexport::write(file, calls.calls(), calls.visible(), selectedRows, session.columns(), session.settings(),
                           progress);
        outcome = file.finish();
    }
    showTextTableOutcome(outcome, sid::kRecordsExported);
    return outcome.ok;
}
