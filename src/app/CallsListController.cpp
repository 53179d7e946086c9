#include "app/CallsListController.h"

#include "app/CallsModel.h"
#include "app/CallsView.h"
#include "app/FrameProgress.h"
#include "app/StatusPanel.h"
#include "core/Cp1252.h"
#include "lang/StringTable.h"
#include "lang/gui/QtTranslate.h"
#include "session/LoadFailure.h"
#include "ui/ColorButton.h"

#include <QApplication>
#include <QFontMetrics>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QScrollBar>
#include <QStyle>

namespace {

void showLoadFailure(const LoadOutcome& outcome)
{
    MessageById(loadFailureMessageId(outcome.result), mb::kOk | mb::kIconExclamation, {PathText(outcome.path)});
}

QString durationText(std::uint64_t seconds)
{
    return qtText(FormatPrintf("%d:%02d:%02d", {static_cast<unsigned long long>(seconds / 3600),
                                                static_cast<unsigned long long>(seconds / 60 % 60),
                                                static_cast<unsigned long long>(seconds % 60)}));
}

QString bracketed(const QString& all, const QString& selected, bool show)
{
    return show ? qtText(FormatPrintf("%s (%s)", {cp1252::fromQString(all), cp1252::fromQString(selected)})) : all;
}

} // namespace

CallsListController::CallsListController(MainSession& session, StatusPanel& status, const IniProfile& ini,
                                         QWidget* window)
    : m_session(session)
    , m_status(status)
    , m_window(window)
{
    m_model = new CallsModel(window);
    m_model->setSession(&m_session);
    m_view = new CallsView(window);
    m_view->setCallsModel(m_model);
    const ListLayout layout = ListLayout::read(ini, defaultColumnWidths());
    m_session.setSortKeys(layout.sort);
    applyColumns(layout);

    connect(m_view, &CallsView::columnClicked, this, &CallsListController::columnClicked);
    // Selection totals are rebuilt when the user interface goes idle, once per burst of changes.
    connect(m_view->selectionModel(), &QItemSelectionModel::selectionChanged, this, [this] {
        if (m_selectionDirty)
            return;
        m_selectionDirty = true;
        QTimer::singleShot(0, this, &CallsListController::updateSelectionTotals);
    });
    m_refreshTimer.setInterval(kRefreshIntervalMs);
    connect(&m_refreshTimer, &QTimer::timeout, this, [this] { refresh(true); });
}

CallsListController::~CallsListController() { m_model->setSession(nullptr); }

ListLayout::Widths CallsListController::defaultColumnWidths() const
{
    // The average character width as the system measures a dialog font: over
    // the 52 letters, rounded.
    const QFontMetrics metrics(m_view->font());
    const int letters = metrics.horizontalAdvance(
        QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz"));
    ListLayout::Widths widths = ListLayout::defaultWidths((letters / 26 + 1) / 2);
    // Digits may be wider than the average letter: a whole date must fit.
    CallRecord call = CallRecord::empty();
    call.start = {2028, 12, 28, 23, 58};
    const QString date = qtText(m_session.columns().cellText(call, ColumnType::Date));
    const int margins = 2 * m_view->style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, m_view) + 8;
    int& dateWidth = widths[static_cast<std::size_t>(ColumnType::Date)];
    dateWidth = std::max(dateWidth, metrics.horizontalAdvance(date) + margins);
    return widths;
}

void CallsListController::applyColumns(const ListLayout& layout)
{
    m_model->setLayout(layout);
    for (int position = 0; position < layout.columns; ++position)
        m_view->horizontalHeader()->resizeSection(position, layout.widthOf(layout.typeAt(position)));
    m_view->setDelimiterColor(CColorButton::toQColor(m_session.prefs().delimiterColor));
}

ListLayout CallsListController::columns() const
{
    ListLayout list = m_model->layout();
    list.sort = m_session.sortKeys();
    for (int position = 0; position < list.columns; ++position)
        list.widths[static_cast<std::size_t>(list.typeAt(position))] = m_view->horizontalHeader()->sectionSize(
            position);
    return list;
}

bool CallsListController::openFiles(const std::vector<std::filesystem::path>& paths)
{
    m_refreshTimer.stop();
    LoadOutcome outcome;
    bool aborted = false;
    {
        m_model->setFrozen(true);
        m_status.clearCounts();
        FrameProgress progress(m_window, m_status, sid::kStatusLoading);
        outcome = m_session.openFiles(paths, progress);
        aborted = progress.aborted();
    }
    m_model->setFrozen(false);
    showRows(false);
    if (!outcome.ok()) {
        // An abort by Escape is the user's own choice, not a damaged file: no message.
        if (!aborted)
            showLoadFailure(outcome);
        return false;
    }
    m_view->selectOnly(0);
    if (m_session.prefs().refresh && m_session.calls().openFileCount() == 1)
        m_refreshTimer.start();
    return true;
}

void CallsListController::closeFiles()
{
    m_refreshTimer.stop();
    m_session.closeFiles();
    showRows(false);
}

void CallsListController::refresh(bool byTimer)
{
    if (FrameProgress::busy())
        return; // the next tick tries again
    rememberFocus();
    ReloadOutcome outcome;
    {
        FrameProgress progress(m_window, m_status, sid::kStatusLoading, FrameProgress::Events::Hold);
        outcome = m_session.reload(progress);
    }
    if (outcome.visibleChanged) {
        m_model->reset();
        Q_EMIT rowsShown();
        restoreFocus();
        updateSelectionTotals();
    }
    if (!outcome.ok()) {
        if (byTimer)
            m_refreshTimer.stop();
        else
            showLoadFailure(outcome);
    }
    Q_EMIT commandStatesChanged();
}

void CallsListController::toggleAutoRefresh()
{
    if (m_refreshTimer.isActive())
        m_refreshTimer.stop();
    else if (m_session.calls().openFileCount() == 1)
        m_refreshTimer.start();
}

void CallsListController::rebuild(const std::function<void(Progress&)>& operation)
{
    rememberFocus();
    {
        m_model->setFrozen(true);
        m_status.clearCounts();
        FrameProgress progress(m_window, m_status, sid::kStatusLoading);
        operation(progress);
    }
    m_model->setFrozen(false);
    showRows(true);
}

void CallsListController::hideSelected()
{
    const std::vector<std::size_t> hidden = m_view->selectedRows();
    const int scroll = m_view->verticalScrollBar()->value();
    if (!m_session.hideRows(hidden))
        return;
    m_view->clearSelection();
    m_model->reset();
    m_view->verticalScrollBar()->setValue(scroll); // the rows above stay where they were
    updateSelectionTotals();
}

void CallsListController::showOnlyCalls(std::span<const std::uint32_t> tableIndices)
{
    if (!m_session.showOnlyCalls(tableIndices))
        return;
    m_view->clearSelection();
    m_model->reset();
    updateSelectionTotals();
}

void CallsListController::beginTask()
{
    m_refreshTimer.stop();
    m_model->setFrozen(true);
}

void CallsListController::endTask()
{
    m_model->setFrozen(false);
    showRows(false);
    m_view->selectOnly(0);
}

void CallsListController::columnClicked(int column)
{
    if (column < 0 || column >= m_model->columnCount() || FrameProgress::busy())
        return;
    const ColumnType type = m_model->typeAt(column);
    SortKeys keys = m_session.sortKeys();
    if (keys.primary.type == type) {
        keys.primary.descending = !keys.primary.descending;
    } else {
        keys.secondary = keys.primary;
        keys.primary = {type, false};
    }
    rememberFocus();
    // Sorting a large list takes a moment: the busy cursor says so.
    QApplication::setOverrideCursor(Qt::WaitCursor);
    m_session.setSortKeys(keys);
    QApplication::restoreOverrideCursor();
    ListLayout layout = m_model->layout();
    layout.sort = keys;
    m_model->setLayout(layout);
    restoreFocus();
}

void CallsListController::rememberFocus()
{
    const QModelIndex current = m_view->currentIndex();
    const bool shown = current.isValid() && !m_model->frozen() && current.row() < m_model->rowCount();
    m_session.setFocusedCall(shown ? static_cast<std::int64_t>(m_model->tableIndexAt(current.row())) : -1);
}

void CallsListController::restoreFocus() { m_view->selectOnly(static_cast<int>(m_session.focusedRow())); }

void CallsListController::showRows(bool keepFocus)
{
    m_model->reset();
    Q_EMIT rowsShown();
    if (keepFocus)
        restoreFocus();
    updateSelectionTotals();
}

void CallsListController::showTotals()
{
    if (m_model->frozen()) {
        m_status.clearCounts(); // the rows are being rebuilt: their totals are not known yet
        return;
    }
    const bool selection = m_selectedCount > 1;
    const CallTotals& totals = m_session.totals();
    const auto rows = static_cast<unsigned long long>(totals.rows);
    const std::string count = selection ? FormatPrintf("%d (%d)", {rows, m_selectedCount}) : FormatPrintf("%d", {rows});
    const QString calls = qtText(FormatPrintf(LoadText(sid::kCallsCount), {count}));
    const SettingsDatabase& settings = m_session.settings();
    const QString duration = bracketed(durationText(totals.duration), durationText(m_selectedDuration), selection);
    const QString cost = bracketed(qtText(settings.formatCurrency(totals.cost)),
                                   qtText(settings.formatCurrency(m_selectedCost)), selection);
    m_status.setCounts(calls, duration, cost);
}

void CallsListController::updateSelectionTotals()
{
    m_selectionDirty = false;
    const std::vector<int> rows = m_view->selectedRowNumbers();
    m_selectedCount = static_cast<int>(rows.size());
    m_selectedDuration = 0;
    m_selectedCost = 0.0;
    if (m_selectedCount > 1 && !m_model->frozen()) {
        const CallSession& calls = m_session.calls();
        for (const int row : rows) {
            const CallRecord& call = calls.visibleCall(static_cast<std::size_t>(row));
            m_selectedDuration += call.duration;
            m_selectedCost += call.cost;
        }
    }
    showTotals();
    Q_EMIT commandStatesChanged();
}
