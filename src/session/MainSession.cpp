#include "session/MainSession.h"

#include "calls/CallPrefetch.h"
#include "core/DebugLog.h"
#include "core/IniProfile.h"
#include "report/ReportRun.h"

#include <algorithm>

// Rating, then the current filter: what every loaded or re-rated call goes through.
class MainSession::Pipeline final : public CallPipeline
{
public:
    explicit Pipeline(const MainSession& session)
        : m_session(session)
    { }
    void rate(CallRecord& call) override
    {
        if (m_session.m_rating)
            m_session.m_rating->rate(call);
    }
    bool accept(const CallRecord& call) const override { return m_session.m_filter.matcher().accept(call); }

private:
    const MainSession& m_session;
};

MainSession::MainSession(std::filesystem::path programFolder)
    : m_programFolder(programFolder)
    , m_ownRating(std::make_unique<RatingPipeline>(m_settings, m_prefs))
    , m_rating(m_ownRating.get())
    , m_pipeline(std::make_unique<Pipeline>(*this))
    , m_filter(std::move(programFolder))
{
    m_calls.setPipeline(m_pipeline.get());
    rebuildColumns();
}

MainSession::~MainSession() = default;

void MainSession::rebuildColumns()
{
    m_calls.setOrder({}); // the old order refers to the old columns
    m_columns = std::make_unique<CallColumns>(m_settings, m_prefs);
    m_calls.setOrder(m_columns->order(m_sortKeys), m_columns->sorter(m_sortKeys));
    m_filter.rebuildMatcher(m_settings, false);
}

void MainSession::setSortKeys(const SortKeys& keys)
{
    m_sortKeys = keys;
    m_calls.setOrder(m_columns->order(m_sortKeys), m_columns->sorter(m_sortKeys));
    m_calls.sortVisible(0);
    // Rows that tie on the new keys keep the order of the old ones, which a filter
    // applied again would not give them.
    m_rowsFromTableOrder = false;
}

void MainSession::settingsChanged(Progress& progress)
{
    m_ownRating->settingsChanged();
    m_ownRating->preferencesChanged(m_prefs);
    rebuildColumns();
    rowsChanged();
    m_filter.setRowsHidden(false);
    m_calls.clearVisible();
    m_calls.rerate(true, progress);
    m_rowsFilter = m_filter.current();
    m_rowsFromTableOrder = true;
    sumTotals();
}

void MainSession::start(const IniProfile& ini)
{
    m_filter.setDefaultName(ini.readString("File", "Filter"));
    loadSavedFilters();
    closeFiles();
}

bool MainSession::saveConfiguration(IniProfile& ini) const
{
    return ini.writeString("File", "Filter", m_filter.defaultName());
}

LoadOutcome MainSession::openFiles(std::span<const std::filesystem::path> paths, Progress& progress)
{
    // Every newly opened set of files starts with the default filter.
    if (m_calls.openFileCount() != 0 || callsLoaded())
        closeFiles();
    rowsChanged();
    const LoadOutcome outcome = m_calls.openFiles(paths, progress);
    m_rowsFilter = m_filter.current();
    m_rowsFromTableOrder = true;
    if (!outcome.ok())
        closeFiles();
    sumTotals();
    updateReportPeriod();
    return outcome;
}

ReloadOutcome MainSession::reload(Progress& progress)
{
    const std::size_t calls = m_calls.count();
    const ReloadOutcome outcome = m_calls.reload(progress);
    // New calls, even ones the current filter hides, may pass the filters Undo returns to.
    if (outcome.restarted || m_calls.count() != calls)
        rowsChanged();
    if (outcome.restarted)
        m_currentCall = m_focusedCall = -1; // table indexes of dropped calls
    if (outcome.visibleChanged)
        sumTotals();
    updateReportPeriod();
    return outcome;
}

void MainSession::closeFiles()
{
    m_calls.close();
    rowsChanged();
    m_filter.clearUndo();
    m_filter.loadDefault();
    m_currentCall = m_focusedCall = -1;
    NoProgress quiet;
    applyFilter(false, quiet);
}

void MainSession::applyFilter(const FilterRecord& filter, bool push, Progress& progress)
{
    m_filter.setCurrent(filter);
    applyFilter(push, progress);
}

void MainSession::applyFilter(bool push, Progress& progress)
{
    debuglog::write("CMainFrame::ApplyFilter()");
    m_filter.rebuildMatcher(m_settings, true);
    const bool wasHidden = m_filter.rowsHidden();
    m_filter.setRowsHidden(false);
    if (callsLoaded()) {
        if (m_filter.active() && push) {
            // The rows shown now are what Undo returns to (hidden rows aside).
            UndoRows kept;
            if (!wasHidden) {
                kept.valid = true;
                kept.inTableOrder = m_rowsFromTableOrder;
                kept.keys = m_sortKeys;
                kept.generation = m_generation;
                kept.filter = m_rowsFilter;
                kept.rows.assign(m_calls.visible().begin(), m_calls.visible().end());
                kept.totals = m_totals;
            }
            m_filter.push(std::move(kept));
        }
        refilter(progress);
    } else {
        m_calls.clearVisible();
        sumTotals();
    }
    updateReportPeriod();
}

void MainSession::refilter(Progress& progress)
{
    // Contact-less calls sort by their name texts: ranked once, not collated per comparison.
    if (m_sortKeys.primary.type == ColumnType::Contact || m_sortKeys.secondary.type == ColumnType::Contact)
        m_columns->rankCallNames(m_calls.calls());
    m_calls.clearVisible();
    m_calls.rerate(false, progress);
    m_rowsFilter = m_filter.current();
    m_rowsFromTableOrder = true;
    sumTotals();
}

bool MainSession::restoreUndoRows(const UndoRows& kept)
{
    if (!kept.valid || kept.generation != m_generation || kept.filter != m_filter.current() || !callsLoaded())
        return false;
    // Rows sorted from table order by the current keys come back as they are; others
    // are put in table order and sorted, as a new application of the filter would.
    const bool asKept = kept.inTableOrder && kept.keys == m_sortKeys;
    if (!m_calls.restoreVisible(kept.rows, asKept))
        return false;
    debuglog::write("CMainFrame::ApplyFilter()");
    m_filter.rebuildMatcher(m_settings, true);
    m_filter.setRowsHidden(false);
    m_rowsFilter = m_filter.current();
    m_rowsFromTableOrder = true;
    m_totals = kept.totals;
    updateReportPeriod();
    return true;
}

void MainSession::undoLastFilter(Progress& progress)
{
    if (m_filter.rowsHidden()) {
        applyFilter(false, progress);
        return;
    }
    if (m_filter.undoStack().empty())
        return;
    const UndoRows kept = m_filter.pop();
    // Nothing but the filter changed since: the rows from before it come back as they were.
    if (!restoreUndoRows(kept))
        applyFilter(false, progress);
}

void MainSession::clearFilter(Progress& progress)
{
    m_filter.clearUndo();
    m_filter.reset();
    applyFilter(false, progress);
}

bool MainSession::hideRows(std::span<const std::size_t> rows)
{
    if (!canHideRows(rows.size()))
        return false;
    std::vector<std::size_t> hidden;
    for (const std::size_t row : rows) {
        if (row < m_calls.visible().size())
            hidden.push_back(row);
    }
    std::sort(hidden.begin(), hidden.end());
    hidden.erase(std::unique(hidden.begin(), hidden.end()), hidden.end());
    if (hidden.empty())
        return false;
    for (const std::size_t row : hidden) {
        const CallRecord& call = m_calls.visibleCall(row);
        m_totals.duration -= call.duration;
        m_totals.cost -= call.cost;
    }
    m_calls.removeVisibleRows(hidden);
    m_totals.rows = m_calls.visible().size();
    m_filter.setRowsHidden(true);
    return true;
}

bool MainSession::showOnlyCalls(std::span<const std::uint32_t> tableIndices)
{
    std::vector<std::uint32_t> keep(tableIndices.begin(), tableIndices.end());
    std::sort(keep.begin(), keep.end());
    std::vector<std::size_t> others;
    const auto visible = m_calls.visible();
    for (std::size_t row = 0; row < visible.size(); ++row) {
        if (!std::binary_search(keep.begin(), keep.end(), visible[row]))
            others.push_back(row);
    }
    if (others.empty())
        return false;
    m_calls.removeVisibleRows(others);
    sumTotals();
    m_filter.setRowsHidden(true);
    return true;
}

void MainSession::sumTotals()
{
    CallTotals totals;
    const std::span<const std::uint32_t> visible = m_calls.visible();
    for (std::size_t row = 0; row < visible.size(); ++row) {
        if (row + kCallPrefetchDistance < visible.size())
            prefetchCall(m_calls.call(visible[row + kCallPrefetchDistance]));
        const CallRecord& call = m_calls.call(visible[row]);
        totals.duration += call.duration;
        totals.cost += call.cost;
    }
    totals.rows = m_calls.visible().size();
    m_totals = totals;
}

void MainSession::updateReportPeriod()
{
    const DateRange loaded{m_calls.earliestDate().at(0, 0), m_calls.latestDate().at(23, 59)};
    const FilterRecord& filter = m_filter.current();
    m_reportPeriod.from = filter.fromOn ? filter.from : loaded.from;
    m_reportPeriod.to = filter.toOn ? filter.to : loaded.to;
}

const CallRecord* MainSession::currentCall() const
{
    if (m_currentCall < 0 || static_cast<std::size_t>(m_currentCall) >= m_calls.count())
        return nullptr;
    return &m_calls.call(static_cast<std::size_t>(m_currentCall));
}

std::size_t MainSession::focusedRow() const
{
    if (m_focusedCall < 0 || static_cast<std::size_t>(m_focusedCall) >= m_calls.count())
        return 0;
    return m_calls.rowOf(static_cast<std::uint32_t>(m_focusedCall)).value_or(0);
}

std::vector<SavedFilterMenuItem> MainSession::savedFilterMenu() const
{
    std::vector<SavedFilterMenuItem> items;
    const SavedFilterList& saved = m_filter.saved();
    for (std::size_t i = 0; i < saved.size() && i < kSavedFilterMenuMax; ++i)
        items.push_back({i, std::string(saved[i].nameText())});
    return items;
}

bool MainSession::canApplySavedFilter(std::size_t position) const
{
    return callsLoaded() && position < m_filter.saved().size() && position < kSavedFilterMenuMax;
}

bool MainSession::applySavedFilter(std::size_t position, Progress& progress)
{
    if (!canApplySavedFilter(position))
        return false;
    applyFilter(m_filter.saved()[position].filter, true, progress);
    return true;
}

ReportEnvironment MainSession::reportEnvironment(IniProfile& ini, const std::filesystem::path& programFolder,
                                                 ReportContext& context, Progress& progress, ReportHooks& hooks,
                                                 std::span<const std::size_t> selectedRows) const
{
    return ReportEnvironment{m_calls, m_settings,    m_prefs, *m_columns, m_sortKeys, selectedRows,
                             ini,     programFolder, context, progress,   hooks};
}
