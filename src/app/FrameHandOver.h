#pragma once
// The hand-over of a command line to the running main window (from a second
// start or this program's own start): a ".bsl" file opens in place of the
// open files, anything else runs as a report task over the window.

#include "report/ReportContext.h"

#include <QString>

#include <optional>

class CMainFrame;
class IniProfile;

class FrameHandOver
{
public:
    FrameHandOver(CMainFrame& frame, IniProfile& ini);

    // As CMainFrame::receiveCommandLine.
    std::optional<bool> receive(int origin, const QString& text);

private:
    void runReportTask(const QString& task, int origin);

    CMainFrame& m_frame;
    IniProfile& m_ini;
    ReportContext m_reportContext;
};
