#pragma once
// The calls list's filter state: the current filter and its matcher, whether
// rows are hidden by hand, the undo stack (each entry with the rows it returns
// to), the saved filters of "filter.dat" and the default filter's name.
// MainSession applies it to the calls.

#include "filter/FilterMatcher.h"
#include "filter/FilterRecord.h"
#include "filter/SavedFilters.h"
#include "prefs/CallColumns.h"

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

class SettingsDatabase;

// Row count, duration sum (seconds) and cost sum of the rows shown.
struct CallTotals
{
    std::size_t rows = 0;
    std::uint64_t duration = 0;
    double cost = 0.0;
};

// The rows an undo entry returns to: the list before its filter was applied,
// kept while nothing but filters changed it.
struct UndoRows
{
    bool valid = false;
    bool inTableOrder = false; // sorted by `keys` from table order
    SortKeys keys;
    std::uint64_t generation = 0;
    FilterRecord filter; // the filter that made these rows
    std::vector<std::uint32_t> rows;
    CallTotals totals;
};

class FilterState
{
public:
    // `programFolder` holds "filter.dat". The filter starts neutral, nothing saved.
    explicit FilterState(std::filesystem::path programFolder)
        : m_programFolder(std::move(programFolder))
    { }

    const FilterRecord& current() const { return m_filter; }
    void setCurrent(const FilterRecord& filter) { m_filter = filter; }
    void reset() { m_filter.reset(); }
    const FilterMatcher& matcher() const { return m_matcher; }
    // The matcher made again for the current filter; `updateActive` takes its
    // verdict on whether the filter is active.
    void rebuildMatcher(const SettingsDatabase& settings, bool updateActive);
    bool active() const { return m_active; }
    bool rowsHidden() const { return m_rowsHidden; }
    void setRowsHidden(bool hidden) { m_rowsHidden = hidden; }

    // Newest first.
    const std::vector<FilterRecord>& undoStack() const { return m_undo; }
    bool canUndo() const { return !m_undo.empty() || m_rowsHidden; }
    // The current filter is remembered for Undo with the rows it replaced.
    void push(UndoRows kept);
    // Drops the newest entry: the current filter becomes the one applied before
    // it (the default filter after the first). Returns the rows it replaced.
    UndoRows pop();
    void clearUndo();

    const SavedFilterList& saved() const { return m_saved; }
    void setSaved(SavedFilterList saved) { m_saved = std::move(saved); }
    void loadSaved();
    bool saveSaved(std::string* error) const;
    // The first saved filter of that name (locale collation), if any.
    const SavedFilter* find(std::string_view name) const;
    const std::string& defaultName() const { return m_defaultName; }
    void setDefaultName(std::string name) { m_defaultName = std::move(name); }
    // The current filter becomes the default filter, or the neutral filter when
    // no saved filter has its name.
    void loadDefault();

private:
    std::filesystem::path m_programFolder;
    FilterRecord m_filter;
    FilterMatcher m_matcher;
    bool m_active = false;
    bool m_rowsHidden = false;
    std::vector<FilterRecord> m_undo;
    std::vector<UndoRows> m_undoRows; // beside m_undo, entry for entry
    SavedFilterList m_saved;
    std::string m_defaultName;
};
