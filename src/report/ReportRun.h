#pragma once
// One report run: the stored choices with the request's overrides, the report
// filter, the template, the selection of calls, the evaluation and the report
// file. The "Reports..." command, the quick report, its settings and report
// tasks all run through runReport; what only the window adds (the "Create
// report" dialog, the report window, the status bar, the Escape key) comes in
// through ReportHooks, whose defaults are those of an unattended run.

#include "calls/CallSession.h"
#include "core/LocaleTexts.h"
#include "prefs/CallColumns.h"
#include "report/ReportChoices.h"
#include "report/ReportContext.h"

#include <cstddef>
#include <filesystem>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

class IniProfile;
class Progress;
class SettingsDatabase;
struct Preferences;

struct ReportRequest
{
    bool generate = true;                            // off: only show and store the dialog's choices
    bool ask = false;                                // show the "Create report" dialog first
    bool display = false;                            // open the written file in the report window
    bool quick = false;                              // section "QuickReport"; filter period = loaded calls
    std::optional<std::string> templateName;         // replaces the stored template
    std::optional<std::string> output;               // the report file's name; none: an automatic name
    std::optional<std::filesystem::path> outputPath; // the same as a path (any character); replaces `output`
    int kind = -1;                                   // -1 keeps the stored kind
    std::optional<std::string> detail;               // replaces every stored individual
};

class ReportHooks
{
public:
    virtual ~ReportHooks() = default;
    // Whether the report window can show reports at all (checked before a display).
    virtual bool canDisplay() { return true; }
    // The "Create report" dialog over the choices and the period; false: Cancel.
    virtual bool ask(ReportChoices& choices, ReportContext& context, const std::vector<std::string>& templates,
                     bool quick)
    {
        (void)choices, (void)context, (void)templates, (void)quick;
        return true;
    }
    // Shows the written file; true when the user opened it in the browser, which
    // keeps the file (otherwise it is deleted after display).
    virtual bool display(const std::filesystem::path& file)
    {
        (void)file;
        return false;
    }
    // Status bar text: sid::kStatusCreating, sid::kStatusDisplayingReport, or
    // sid::kIdleMessage when the run is over.
    virtual void status(int textId) { (void)textId; }
    // The Escape check: true cancels the run without a message.
    virtual bool cancelRequested() { return false; }
};

// What a run works on; everything is the caller's and must outlive the run.
struct ReportEnvironment
{
    const CallSession& calls;
    const SettingsDatabase& settings;
    const Preferences& prefs;
    const CallColumns& columns;
    SortKeys sortKeys;                         // the calls list's current order
    std::span<const std::size_t> selectedRows; // rows selected in the calls list (kind 9)
    IniProfile& ini;                           // the stored choices
    std::filesystem::path programFolder;       // holds "Reports/"
    ReportContext& context;
    Progress& progress;
    ReportHooks& hooks;
    // The local clock; empty: the system's local time.
    std::function<DateTimeFields()> clock = {};
};

// True when a report was produced and its file written (or the request only edited
// the choices), false otherwise. Every failure has shown its message by then, except
// a cancel, which shows none. `written` receives the report file's path when one
// was written (and kept).
bool runReport(const ReportRequest& request, ReportEnvironment& env, std::filesystem::path* written = nullptr);

// "Reports/" in the program folder.
std::filesystem::path reportTemplatesFolder(const std::filesystem::path& programFolder);

// The titles of the ".xml" files of `folder` (Windows-1252), ascending and
// without duplicates; empty when there is none or the folder cannot be read.
std::vector<std::string> listTemplates(const std::filesystem::path& folder);

// Where the report file goes. A name with a folder is used as it is, one
// without is placed in the templates folder; a name without extension gets
// "." and `extension`. Without a name: the templates folder, the creation
// moment as "YYYYMMDD_hhmmss" and the extension.
std::filesystem::path reportOutputPath(const std::filesystem::path& templatesFolder,
                                       const std::optional<std::string>& output, std::string_view extension,
                                       const DateTimeFields& created);

// The same for a name that is a path already.
std::filesystem::path reportOutputFile(const std::filesystem::path& templatesFolder, std::filesystem::path output,
                                       std::string_view extension, const DateTimeFields& created);

// A file name as a report task or request writes it (Windows-1252, either
// kind of slash between folders) as a path.
std::filesystem::path reportPathFromText(std::string_view text);
// A file name of UTF-8 text (a command line, a task), either kind of slash between folders.
std::filesystem::path reportPathFromUtf8(std::string_view text);

// The local time now.
DateTimeFields localNow();
