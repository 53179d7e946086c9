#pragma once
// The loaded calls and everything done to them as a whole: the call table (all
// calls of the open call files, load order), the visible list (table indices of
// the calls the filter lets through, display order), loading, incremental
// reload, close, re-rating, sorting, number search and saving. No windows here:
// the main window owns one session and turns its results into messages, the
// progress bar and the list view's item count.
//
// Results of loading are the codes of every file operation: 0 success,
// 1 "Error opening file!\n\n%1", 2 "Loading failed - file is corrupt!\n\n%1\n",
// with %1 the path in the outcome.

#include "calls/CallDate.h"
#include "calls/CallPipeline.h"
#include "calls/CallRecord.h"
#include "calls/Progress.h"
#include "core/GrowableArray.h"

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

// TooLarge: the calls of a file of legal size would not fit in memory.
enum class LoadResult : int { Ok = 0, CannotOpen = 1, Corrupt = 2, TooLarge = 3 };

struct LoadOutcome
{
    LoadResult result = LoadResult::Ok;
    std::filesystem::path path; // the file the result is about (the failing one)
    bool ok() const { return result == LoadResult::Ok; }
};

struct ReloadOutcome : LoadOutcome
{
    // The current file had become shorter: every call was dropped and the file read
    // again from its start (the selection totals are stale).
    bool restarted = false;
    // The visible list differs: the list's item count, title, status and totals need
    // updating. Also set after a failed reload that still added calls.
    bool visibleChanged = false;
};

enum class SaveResult : int {
    Ok = 0,
    RefusedOpenFile =
        1,           // "It's not allowed to overwrite primary calls database files!\n\nPlease choose some other name."
    WriteFailed = 2, // "Error saving file!\n\n%1"
};

struct DateRange
{
    CallDate from; // earliest call day at 00:00
    CallDate to;   // latest call day at 23:59
};

class CallSession
{
public:
    static constexpr std::size_t kBlock = 1024; // the table grows in whole blocks
    static constexpr std::size_t kProgressInterval = 500;
    static constexpr std::size_t kInsertionLimit = 100; // added rows kept in order by insertion
    // Visible-list entries are 32-bit table indices.
    static constexpr std::size_t kMaxCalls = 0xFFFFFFFFu - kBlock;

    // Sort order of the visible list: true when a sorts before b.
    using CallLess = std::function<bool(const CallRecord& a, const CallRecord& b)>;
    // The same order applied to many rows at once (stably, equal rows keeping their
    // order), which can be far faster than a comparison per pair.
    using RowSorter = std::function<void(std::span<const CallRecord> table, std::span<std::uint32_t> rows)>;

    CallSession();
    CallSession(const CallSession&) = delete;
    CallSession& operator=(const CallSession&) = delete;

    // The rating and filter seam; nullptr restores the default (unrated, all visible).
    // The pipeline must outlive its use by the session.
    void setPipeline(CallPipeline* pipeline);
    CallPipeline& pipeline() const { return *m_pipeline; }
    // The order the visible list is sorted in; empty keeps load order. A sorter, when
    // given, sorts whole lists in the order of `less`.
    void setOrder(CallLess less, RowSorter sorter = {});

    // File > Open and every hand-over of a call file: closes what is open, then loads
    // each file in turn. A failure closes everything again and names the failing file.
    // Sorts the whole visible list.
    LoadOutcome openFiles(std::span<const std::filesystem::path> paths, Progress& progress);
    LoadOutcome openFile(const std::filesystem::path& path, Progress& progress)
    {
        return openFiles(std::span(&path, 1), progress);
    }
    // Reads what was appended to the current file since the last load and sorts it in
    // (by insertion when at most 100 rows were added). A file that became shorter is
    // read again from its start, alone. While the collector is writing, the file may
    // end in part of a record: that part is left for the next reload. A failure keeps
    // the calls read before it. Nothing open: nothing happens.
    ReloadOutcome reload(Progress& progress);
    // Empties everything.
    void close();
    // Runs every call through the pipeline again in table order: with `reclassify`
    // each call is first written to its file form and read back (all rating fields and
    // dashes gone) and rated; without it only the filter is applied again. Rebuilds
    // and sorts the visible list and clears the search position.
    void rerate(bool reclassify, Progress& progress);

    // Sorts the visible list, its first `inOrder` entries being in order already.
    // At most 100 added entries (and inOrder > 0) are inserted one by one, equal ones
    // staying behind; otherwise the whole list is sorted stably.
    void sortVisible(std::size_t inOrder = 0);

    // Number search over the visible list. A search starts after `afterRow`, or at the
    // first row when none; findNext() continues after the last hit. Without a hit up to
    // the end ("Number not found!") the last hit becomes the last row, so further
    // findNext() calls fail the same way until the search is reset.
    void resetSearch(std::optional<std::size_t> afterRow = std::nullopt) { m_lastFound = afterRow; }
    std::optional<std::size_t> findNext(std::string_view pattern, bool exact);
    std::optional<std::size_t> lastFound() const { return m_lastFound; }

    // "Save calls database to file": every call (or only the visible ones) in table
    // order, in the file form, through a temporary file. Refuses any open call file.
    SaveResult saveCalls(const std::filesystem::path& path, bool visibleOnly = false,
                         std::string* error = nullptr) const;

    // The call table.
    std::size_t count() const { return m_count; }
    std::size_t tableSize() const { return m_table.size(); } // slots; count..size are zero
    const CallRecord& call(std::size_t tableIndex) const { return m_table[tableIndex]; }
    std::span<const CallRecord> calls() const { return {m_table.data(), m_count}; }

    // The visible list, in display order.
    std::span<const std::uint32_t> visible() const { return {m_visible.data(), m_visibleLength}; }
    std::size_t visibleSize() const { return m_visible.size(); } // slots, equal to tableSize()
    const CallRecord& visibleCall(std::size_t row) const { return m_table[m_visible[row]]; }
    // Empties the visible list (a new filter is about to be applied).
    void clearVisible();
    // Makes `rows` (distinct table indices) the visible list again, as kept from an
    // earlier state of the same table: in their order when `inOrder`, else sorted
    // from table order. False, with nothing changed, when they cannot be from this table.
    bool restoreVisible(std::span<const std::uint32_t> rows, bool inOrder);
    // Drops the given rows (any order, duplicates allowed) from the visible list.
    void removeVisibleRows(std::span<const std::size_t> rows);
    // The row of a table index, if it is visible.
    std::optional<std::size_t> rowOf(std::uint32_t tableIndex) const;

    // Load state.
    std::size_t openFileCount() const { return m_openFiles.size(); }
    const std::vector<std::filesystem::path>& openFilePaths() const { return m_openFiles; }
    const std::filesystem::path& currentFile() const { return m_currentFile; }
    std::size_t recordsRead() const { return m_recordsRead; }
    // Smallest and largest call day (hour and minute 0); zero when nothing is loaded.
    CallDate earliestDate() const { return m_earliest; }
    CallDate latestDate() const { return m_latest; }
    // From the earliest day at 00:00 to the latest day at 23:59; zero when nothing is loaded.
    DateRange loadedRange() const { return m_range; }

private:
    LoadResult loadFile(const std::filesystem::path& path, bool incremental, Progress& progress,
                        bool* restarted = nullptr);
    void ensureSlots(std::size_t needed);
    void reserveFor(std::span<const std::filesystem::path> paths);
    void restartTable();
    void storeRecord(const std::uint8_t* bytes);
    void noteDate(const CallDate& start);
    void updateRange();

    CallPipeline* m_pipeline;
    CallLess m_less;
    RowSorter m_sorter;

    GrowableArray<CallRecord> m_table;
    std::size_t m_count = 0;
    GrowableArray<std::uint32_t> m_visible;
    std::size_t m_visibleLength = 0;
    // Every table index in sort order, kept from the last full sort of a list that
    // showed every call. Re-filtering without re-rating walks it instead of sorting
    // the new rows again (a stable sort of any subset is that subsequence). Dropped
    // whenever the table or the order changes.
    std::vector<std::uint32_t> m_sortedAll;
    bool m_sortedAllValid = false;

    std::vector<std::filesystem::path> m_openFiles;
    std::filesystem::path m_currentFile;
    std::size_t m_recordsRead = 0;
    CallDate m_earliest;
    CallDate m_latest;
    DateRange m_range;
    std::optional<std::size_t> m_lastFound;
};
