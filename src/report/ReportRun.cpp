#include "report/ReportRun.h"

#include "calls/CallPrefetch.h"
#include "calls/Progress.h"
#include "core/Cp1252.h"
#include "core/InputFile.h"
#include "core/SaveFile.h"
#include "filter/FilterMatcher.h"
#include "lang/StringTable.h"
#include "prefs/Preferences.h"
#include "report/ReportEngine.h"
#include "report/ReportTemplate.h"
#include "settings/SettingsDatabase.h"

#include <algorithm>
#include <cstdio>
#include <ctime>
#include <fstream>
#include <iterator>
#include <sstream>
#include <system_error>

namespace fs = std::filesystem;

namespace {

// A report of this many characters or more may be too big for the report window.
constexpr std::size_t kDisplayWarningSize = 1'000'000;

// A template larger than this is not one.
constexpr std::uint64_t kTemplateLimit = 64 << 20;

bool isXml(const fs::path& path)
{
    std::string extension = path.extension().string();
    std::transform(extension.begin(), extension.end(), extension.begin(),
                   [](unsigned char c) { return static_cast<char>(c >= 'A' && c <= 'Z' ? c + 32 : c); });
    return extension == ".xml";
}

// The calls a report is made of, as call-table indices in list order: the rows
// of the calls list that pass the report filter and whose destination is known
// or not needed, or (kind 9) the selected rows. The engine that will run over
// them takes each call of the list as it is picked.
std::vector<std::uint32_t> selectCalls(const ReportEnvironment& env, const FilterRecord& filter, int kind,
                                       const ReportTemplate& report, ReportEngine& engine)
{
    const std::span<const std::uint32_t> visible = env.calls.visible();
    std::vector<std::uint32_t> selected;
    if (kind == ReportSelectedRecords) {
        std::vector<std::size_t> rows(env.selectedRows.begin(), env.selectedRows.end());
        std::sort(rows.begin(), rows.end());
        rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
        for (std::size_t row : rows) {
            if (row < visible.size())
                selected.push_back(visible[row]);
        }
        return selected;
    }
    const FilterMatcher matcher(filter, env.settings);
    const std::size_t destinations = env.settings.destinations.size();
    selected.reserve(visible.size());
    engine.expectCalls(report, visible.size());
    for (std::size_t i = 0; i < visible.size(); ++i) {
        // The list's order is not the table's: each call is fetched ahead of its test.
        if (i + kCallPrefetchDistance < visible.size())
            prefetchCall(env.calls.call(visible[i + kCallPrefetchDistance]));
        const std::uint32_t index = visible[i];
        const CallRecord& call = env.calls.call(index);
        const bool knownOrNotNeeded = call.direction != 0 || call.localFlag != 0
                                      || (call.destinationIndex >= 0
                                          && static_cast<std::size_t>(call.destinationIndex) < destinations);
        if (knownOrNotNeeded && matcher.accept(call)) {
            selected.push_back(index);
            engine.takeCall(index);
        }
    }
    return selected;
}

void showParseError(const CReportException& error)
{
    const std::string text = reportErrorMessage(error);
    if (!text.empty())
        ShowMessage(text, mb::kOk | mb::kIconStop, reportErrorMessageId(error.code()));
}

} // namespace

DateTimeFields localNow()
{
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    return {local.tm_year + 1900, local.tm_mon + 1, local.tm_mday, local.tm_hour, local.tm_min, local.tm_sec};
}

fs::path reportTemplatesFolder(const fs::path& programFolder) { return programFolder / "Reports"; }

std::vector<std::string> listTemplates(const fs::path& folder)
{
    std::vector<std::string> names;
    std::error_code error;
    for (fs::directory_iterator it(folder, error), end; !error && it != end; it.increment(error)) {
        std::error_code typeError;
        if (isXml(it->path()) && !it->is_directory(typeError))
            names.push_back(cp1252::fromUtf8(it->path().stem().string()));
    }
    std::sort(names.begin(), names.end());
    names.erase(std::unique(names.begin(), names.end()), names.end());
    return names;
}

fs::path reportOutputPath(const fs::path& templatesFolder, const std::optional<std::string>& output,
                          std::string_view extension, const DateTimeFields& created)
{
    if (!output || output->empty()) {
        char name[64];
        std::snprintf(name, sizeof name, "%04d%02d%02d_%02d%02d%02d.", created.year, created.month, created.day,
                      created.hour, created.minute, created.second);
        return templatesFolder / (name + cp1252::toUtf8(extension));
    }
    return reportOutputFile(templatesFolder, reportPathFromText(*output), extension, created);
}

fs::path reportOutputFile(const fs::path& templatesFolder, fs::path path, std::string_view extension,
                          const DateTimeFields& created)
{
    if (path.empty())
        return reportOutputPath(templatesFolder, std::nullopt, extension, created);
    if (!path.has_extension())
        path += "." + cp1252::toUtf8(extension);
    if (path.has_root_path() || path.has_parent_path())
        return path;
    return templatesFolder / path;
}

fs::path reportPathFromText(std::string_view text) { return reportPathFromUtf8(cp1252::toUtf8(text)); }

fs::path reportPathFromUtf8(std::string_view text)
{
    std::string utf8(text);
    std::replace(utf8.begin(), utf8.end(), '\\', '/');
    return fs::path(utf8);
}

namespace {

// The choices a request runs with: the stored ones, asked for and changed as it
// says, and stored again when asked for. None when the run stops here.
std::optional<ReportChoices> requestedChoices(const ReportRequest& request, ReportEnvironment& env,
                                              const fs::path& folder, const std::vector<std::string>& templates)
{
    if (request.ask && templates.empty()) {
        MessageById(sid::kNoReportTemplates, mb::kOk | mb::kIconStop, {PathText(folder)});
        return std::nullopt;
    }
    const std::string_view section = request.quick ? ReportChoices::kQuickSection : ReportChoices::kSection;
    ReportChoices choices = ReportChoices::load(env.ini, section);
    if (request.ask && !env.hooks.ask(choices, env.context, templates, request.quick))
        return std::nullopt;
    if (request.templateName)
        choices.templateName = *request.templateName;
    if (request.kind != -1)
        choices.kind = request.kind;
    if (request.detail)
        choices.setDetail(*request.detail, env.settings);
    if (request.ask)
        choices.save(env.ini, section);
    if (choices.templateName.empty())
        return std::nullopt;
    return choices;
}

// The report filter, with the context's texts set from the choices. A quick report
// covers all loaded calls, while the period its fields print stays the context's.
FilterRecord prepareContext(const ReportRequest& request, ReportEnvironment& env, const ReportChoices& choices)
{
    ReportContext& context = env.context;
    const DateRange loaded = env.calls.loadedRange();
    const FilterRecord filter = request.quick ? choices.reportFilter(loaded.from, loaded.to)
                                              : choices.reportFilter(context.from, context.to);
    context.kind = choices.kind;
    context.detail = choices.detailText(env.prefs);
    context.pageBreak = choices.pageBreak;
    context.customTexts = env.prefs.customTexts;
    return filter;
}

// Evaluates the template over the calls the filter and kind select into `output`;
// false (with its message shown) when the template cannot be read or evaluated.
bool evaluateTemplate(ReportEnvironment& env, const fs::path& templatePath, const FilterRecord& filter, int kind,
                      ReportOutput& output, std::string& extension)
{
    std::optional<std::string> text = readRegularFile(templatePath, kTemplateLimit);
    if (!text) {
        MessageById(sid::kErrorOpeningFile, mb::kOk | mb::kIconStop, {PathText(templatePath)});
        return false;
    }
    ReportHooks& hooks = env.hooks;
    try {
        const ReportTemplate report = ReportTemplate::parse(std::move(*text));
        extension = report.outputExtension();
        env.context.created = env.clock ? env.clock() : localNow();
        const ReportData data{env.calls.calls(), env.settings, env.prefs, env.columns, env.sortKeys};
        ReportEngine engine(data, env.context, env.progress, [&hooks] { return hooks.cancelRequested(); });
        const std::vector<std::uint32_t> selected = selectCalls(env, filter, kind, report, engine);

        hooks.status(sid::kStatusCreating);
        env.progress.begin(selected.size());
        output = engine.run(report, selected);
    } catch (const CReportException& error) {
        env.progress.end();
        hooks.status(sid::kIdleMessage);
        showParseError(error);
        return false;
    }
    return true;
}

// Shows the written report when the request asks for it; whether the file is
// kept (a report not shown is removed again).
bool displayReport(ReportHooks& hooks, const fs::path& path, std::size_t size)
{
    const bool show = size < kDisplayWarningSize
                      || MessageById(sid::kReportTooBig, mb::kYesNo | mb::kIconQuestion) == mb::kIdYes;
    bool keep = false;
    if (show) {
        hooks.status(sid::kStatusDisplayingReport);
        keep = hooks.display(path);
    }
    if (!keep) {
        std::error_code removeError;
        fs::remove(path, removeError);
    }
    return keep;
}

} // namespace

bool runReport(const ReportRequest& request, ReportEnvironment& env, fs::path* written)
{
    ReportHooks& hooks = env.hooks;
    if (request.display && !hooks.canDisplay()) {
        MessageById(sid::kBrowserTooOld, mb::kOk | mb::kIconStop);
        return false;
    }
    const fs::path folder = reportTemplatesFolder(env.programFolder);
    const std::optional<ReportChoices> choices = requestedChoices(request, env, folder, listTemplates(folder));
    if (!choices)
        return false;
    if (!request.generate)
        return true;

    const FilterRecord filter = prepareContext(request, env, *choices);
    if (choices->kind == ReportSelectedRecords && env.selectedRows.empty()) {
        MessageById(sid::kNoSelectedRecords, mb::kOk | mb::kIconExclamation);
        return false;
    }
    ReportOutput output;
    std::string extension;
    const fs::path templatePath = folder / (cp1252::toUtf8(choices->templateName) + ".xml");
    if (!evaluateTemplate(env, templatePath, filter, choices->kind, output, extension))
        return false;

    // An output that cannot be written is an error, never a finished report.
    const DateTimeFields& created = env.context.created;
    const fs::path path = request.outputPath ? reportOutputFile(folder, *request.outputPath, extension, created)
                                             : reportOutputPath(folder, request.output, extension, created);
    std::string error;
    const bool saved = saveFileAtomically(
        path, [&output](std::ostream& out) { return output.writeTo(out); }, &error);
    env.progress.end();
    if (!saved) {
        hooks.status(sid::kIdleMessage);
        MessageById(sid::kErrorSavingFile, mb::kOk | mb::kIconStop, {PathText(path)});
        return false;
    }
    const bool keep = !request.display || displayReport(hooks, path, output.size());
    hooks.status(sid::kIdleMessage);
    if (written && keep)
        *written = path;
    return true;
}
