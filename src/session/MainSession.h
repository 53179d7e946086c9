#pragma once
// The main window's state without the window: the loaded calls (call table and
// visible list), the live settings database, the preference values, the current
// filter with its undo stack, the saved filters and the default filter name,
// the report period, the row totals, the current and focused call and the login
// level. The window routes its commands here and asks the enabling predicates
// below when it shows menus and the toolbar; it turns results into messages,
// the progress bar and the list's item count.
//
// Every call that is loaded or re-rated goes through one pipeline: rating
// (classification and pricing) and then the current filter. Applying a filter
// re-filters the whole table without re-rating and sorts the rows by the sort
// keys.

#include "calls/CallPipeline.h"
#include "calls/CallSession.h"
#include "prefs/CallColumns.h"
#include "prefs/Preferences.h"
#include "rating/RatingPipeline.h"
#include "session/FilterState.h"
#include "settings/LoginRule.h"
#include "settings/SettingsDatabase.h"

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <vector>

class IniProfile;
class ReportHooks;
struct ReportContext;
struct ReportEnvironment;

// The quick filters of the list's context menu, in their menu order.
enum class QuickFilter : int {
    Extension,
    Trunk,
    AccCode,
    Employee,
    Department,
    DialedNumber,
    Destination,
    Country,
    Contact,
    Date,
    Project,
};
inline constexpr int kQuickFilterCount = static_cast<int>(QuickFilter::Project) + 1;

// What the filter editor works on: copies of the current filter (with the date
// pre-sets), the saved list and the default filter name. The editor sets
// savedChanged when it changed the list.
struct FilterEditorState
{
    FilterRecord filter;
    SavedFilterList saved;
    std::string defaultFilterName;
    bool savedChanged = false;
};

// One item of a saved-filter menu.
struct SavedFilterMenuItem
{
    std::size_t position; // in the saved list
    std::string name;     // Windows-1252
};

class MainSession
{
public:
    // The saved-filter menus list at most this many, the first ones.
    static constexpr std::size_t kSavedFilterMenuMax = 30;
    static constexpr int kFilterSaveLevel = login::kManager; // "Save / Load" page and Hide selected records

    // `programFolder` holds "filter.dat". Nothing is read yet: the settings are
    // empty, the preferences their defaults, the filter neutral.
    explicit MainSession(std::filesystem::path programFolder);
    MainSession(const MainSession&) = delete;
    MainSession& operator=(const MainSession&) = delete;
    ~MainSession();

    // --- Settings, preferences, rating ---
    SettingsDatabase& settings() { return m_settings; }
    const SettingsDatabase& settings() const { return m_settings; }
    Preferences& prefs() { return m_prefs; }
    const Preferences& prefs() const { return m_prefs; }
    const CallColumns& columns() const { return *m_columns; }
    // The rating step of the pipeline: classification and pricing from the
    // settings and preferences above, unless replaced here (nullptr returns to
    // that). A replacement must outlive its use; it takes effect for calls rated
    // from now on.
    void setRating(CallPipeline* rating) { m_rating = rating ? rating : m_ownRating.get(); }
    // After the settings (indexes rebuilt) or the preferences changed: every call is
    // classified and priced again and the filter applied again (without push).
    void settingsChanged(Progress& progress);

    // --- Configuration ---
    // Reads the default filter name (section "File", key "Filter") and the saved
    // filters, then brings the filter state to that of no files open.
    void start(const IniProfile& ini);
    // Writes the default filter name back.
    bool saveConfiguration(IniProfile& ini) const;

    // --- Calls ---
    const CallSession& calls() const { return m_calls; }
    bool callsLoaded() const { return m_calls.count() != 0; }
    void setSortKeys(const SortKeys& keys);
    const SortKeys& sortKeys() const { return m_sortKeys; }
    // What a report over this session's calls runs on: the calls, settings,
    // preferences, columns and list order, with the caller's choices, period,
    // progress and hooks (which must outlive the environment).
    ReportEnvironment reportEnvironment(IniProfile& ini, const std::filesystem::path& programFolder,
                                        ReportContext& context, Progress& progress, ReportHooks& hooks,
                                        std::span<const std::size_t> selectedRows = {}) const;
    // Opens the files in place of the open ones (the current filter decides which
    // calls become rows); totals and report period follow.
    LoadOutcome openFiles(std::span<const std::filesystem::path> paths, Progress& progress);
    ReloadOutcome reload(Progress& progress);
    // Closes all files: no calls, an empty undo stack and the default filter.
    void closeFiles();
    const CallTotals& totals() const { return m_totals; }

    // --- Filter ---
    const FilterState& filterState() const { return m_filter; }
    const FilterRecord& currentFilter() const { return m_filter.current(); }
    bool filterActive() const { return m_filter.active(); }
    bool recordsHidden() const { return m_filter.rowsHidden(); }
    // Newest first.
    const std::vector<FilterRecord>& undoStack() const { return m_filter.undoStack(); }
    // The current filter becomes `filter` and is applied.
    void applyFilter(const FilterRecord& filter, bool push, Progress& progress);
    // ApplyFilter: re-filters every call with the current filter. With `push` an
    // active filter is remembered for Undo first; with no calls loaded only the
    // flags and the report period change.
    void applyFilter(bool push, Progress& progress);
    // Undo last filter: brings hidden rows back, or else returns to the filter
    // applied before the last one (the default filter after the first).
    void undoLastFilter(Progress& progress);
    // Clear filter: the neutral filter (not the default one), undo stack empty.
    void clearFilter(Progress& progress);
    // Hide selected records: drops the given rows (any order) from the list and
    // their durations and costs from the totals, until the next application.
    // Needs the login level for it and at least one row; false when nothing happened.
    bool hideRows(std::span<const std::size_t> rows);
    // Shows only the rows of the given table indices (a call check's calls):
    // the other rows are hidden as Hide selected records hides them, so Undo
    // brings them back. False when no row would go.
    bool showOnlyCalls(std::span<const std::uint32_t> tableIndices);
    // Apply saved filter: the one at `position`; false when it is not enabled.
    bool applySavedFilter(std::size_t position, Progress& progress);
    // Narrows the current filter with values of the current call and applies it
    // with push; false when the quick filter is not enabled.
    bool applyQuickFilter(QuickFilter which, Progress& progress);
    // The current filter with the quick filter's changes, or nothing when not enabled.
    std::optional<FilterRecord> quickFilter(QuickFilter which) const;

    // The filter editor's starting point: a disabled date From shows the earliest
    // loaded call day at 00:00, a disabled date To the latest at 23:59.
    FilterEditorState prepareFilterEditor() const;
    // OK of the filter editor: takes over the default filter name, the saved list
    // when it changed (and writes "filter.dat"), and with calls loaded applies the
    // edited filter with push. False when "filter.dat" could not be written.
    bool takeFilterEditorResult(const FilterEditorState& result, Progress& progress, std::string* error = nullptr);

    // Saved filters and the default filter.
    const SavedFilterList& savedFilters() const { return m_filter.saved(); }
    void loadSavedFilters() { m_filter.loadSaved(); }
    bool saveSavedFilters(std::string* error = nullptr) const { return m_filter.saveSaved(error); }
    const std::string& defaultFilterName() const { return m_filter.defaultName(); }
    void setDefaultFilterName(std::string name) { m_filter.setDefaultName(std::move(name)); }
    // The first saved filter of that name (locale collation), if any.
    const SavedFilter* findSavedFilter(std::string_view name) const { return m_filter.find(name); }
    // LoadDefaultFilter: the current filter becomes the default filter, or the
    // neutral filter when no saved filter has its name.
    void loadDefaultFilter() { m_filter.loadDefault(); }
    // The items of a saved-filter menu: the first 30 saved filters.
    std::vector<SavedFilterMenuItem> savedFilterMenu() const;

    // The period reports use by default: the filter's From and To when enabled,
    // else the earliest loaded call day at 00:00 and the latest at 23:59.
    DateRange reportPeriod() const { return m_reportPeriod; }

    // --- Current and focused call, login level ---
    // Call-table index of the row last right-clicked, or -1.
    void setCurrentCall(std::int64_t tableIndex) { m_currentCall = tableIndex; }
    const CallRecord* currentCall() const;
    // The focused call is kept across re-sorting and re-filtering.
    void setFocusedCall(std::int64_t tableIndex) { m_focusedCall = tableIndex; }
    // The row of the focused call, or row 0 when it is not shown.
    std::size_t focusedRow() const;
    void setLoginLevel(int level) { m_loginLevel = level; }
    int loginLevel() const { return m_loginLevel; }
    // A command of command level n is permitted at level n or lower (0 is the highest).
    bool permits(int commandLevel) const { return login::permits(m_loginLevel, commandLevel); }

    // --- Enabling rules ---
    bool canApplySavedFilter(std::size_t position) const;
    bool hasSavedFilters() const { return !m_filter.saved().empty(); } // the menus are grayed without
    bool canUndoFilter() const { return m_filter.canUndo(); }
    bool canClearFilter() const { return callsLoaded() && (m_filter.active() || m_filter.rowsHidden()); }
    bool canHideRows(std::size_t selectedRows) const { return permits(kFilterSaveLevel) && selectedRows > 0; }
    bool canQuickFilter(QuickFilter which) const;
    bool showsFilterSavePage() const { return permits(kFilterSaveLevel); }

private:
    class Pipeline;

    void rebuildColumns();
    void refilter(Progress& progress);
    // The calls or their rating changed: rows kept for Undo no longer apply.
    void rowsChanged() { ++m_generation; }
    bool restoreUndoRows(const UndoRows& kept);
    void sumTotals();
    void updateReportPeriod();

    std::filesystem::path m_programFolder;
    SettingsDatabase m_settings;
    Preferences m_prefs;
    std::unique_ptr<CallColumns> m_columns;
    SortKeys m_sortKeys;
    std::unique_ptr<RatingPipeline> m_ownRating;
    CallPipeline* m_rating = nullptr;
    std::unique_ptr<Pipeline> m_pipeline;
    CallSession m_calls;
    CallTotals m_totals;

    FilterState m_filter;
    std::uint64_t m_generation = 0;
    FilterRecord m_rowsFilter;         // the filter the visible list was last built with
    bool m_rowsFromTableOrder = false; // it is sorted from table order (ties in table order)
    DateRange m_reportPeriod;

    std::int64_t m_currentCall = -1;
    std::int64_t m_focusedCall = -1;
    int m_loginLevel = 0;
};
