#pragma once
// The main window's reports: "Reports..." (the "Create report" dialog, then the
// report window), "Quick report" and "Edit quick report". Each runs the report
// engine over the calls the window shows, with the report's progress on the
// status bar and Escape to cancel; the window keeps the report period, which
// follows the span of the loaded calls whenever other calls are loaded.

#include "report/ReportContext.h"
#include "report/ReportRun.h"

#include <filesystem>
#include <functional>
#include <vector>

class CMainFrame;
class IniProfile;

class FrameReports
{
public:
    FrameReports(CMainFrame& frame, IniProfile& ini);

    // Runs the report of command 10112, 11102 or 11104; the result of runReport.
    bool run(int commandId);

    const ReportContext& context()
    {
        syncPeriod();
        return m_context;
    }

    // Replace the dialog and the report window (tests and benchmarks): `ask` is
    // the "Create report" dialog's part, `display` the report window's.
    using AskSeam = std::function<bool(ReportChoices&, ReportContext&, const std::vector<std::string>&, bool quick)>;
    using DisplaySeam = std::function<bool(const std::filesystem::path&)>;
    static void setAskSeam(AskSeam seam);
    static void setDisplaySeam(DisplaySeam seam);

private:
    void syncPeriod();

    CMainFrame& m_frame;
    IniProfile& m_ini;
    ReportContext m_context;
    std::vector<std::filesystem::path> m_periodFiles; // the files the period was taken from
    DateRange m_periodRange{};
};
