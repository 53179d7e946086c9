// The main window's calls list: opening, closing and refreshing files,
// rebuilding the rows through the session, sorting, hiding rows, the focused
// call and the context menu.
#include "app/CMainFrame.h"
#include "app/CallsModel.h"
#include "app/CallsView.h"
#include "app/Commands.h"
#include "app/FrameProgress.h"
#include "app/StatusPanel.h"
#include "lang/StringTable.h"
#include "lang/gui/QtTranslate.h"
#include "session/LoadFailure.h"

#include <QApplication>
#include <QMenu>
#include <QScrollBar>

namespace {

void showLoadFailure(const LoadOutcome& outcome)
{
    MessageById(loadFailureMessageId(outcome.result), mb::kOk | mb::kIconExclamation, {PathText(outcome.path)});
}

} // namespace

std::filesystem::path CMainFrame::dataFolder() const
{
    return ::dataFolder(m_network, m_programFolder);
}

std::filesystem::path CMainFrame::defaultCallsFolder() const
{
    if (!m_lastFile.empty() && !m_lastFile.parent_path().empty())
        return m_lastFile.parent_path();
    return callsFolder(dataFolder());
}

bool CMainFrame::openFiles(const std::vector<std::filesystem::path>& paths)
{
    m_refreshTimer.stop();
    LoadOutcome outcome;
    bool aborted = false;
    {
        m_model->setFrozen(true);
        m_status->clearCounts();
        FrameProgress progress(this, *m_status, sid::kStatusLoading);
        outcome = m_session->openFiles(paths, progress);
        aborted = progress.aborted();
    }
    m_model->setFrozen(false);
    afterListChange(false);
    if (!outcome.ok()) {
        // An abort by Escape is the user's own choice, not a damaged file: no message.
        if (!aborted)
            showLoadFailure(outcome);
        return false;
    }
    m_lastFile = paths.back();
    m_view->selectOnly(0);
    if (m_session->prefs().refresh && m_session->calls().openFileCount() == 1)
        m_refreshTimer.start();
    return true;
}

void CMainFrame::closeFiles()
{
    m_refreshTimer.stop();
    m_session->closeFiles();
    afterListChange(false);
}

void CMainFrame::refresh(bool byTimer)
{
    if (FrameProgress::busy())
        return;  // the next tick tries again
    rememberFocus();
    ReloadOutcome outcome;
    {
        FrameProgress progress(this, *m_status, sid::kStatusLoading, FrameProgress::Events::Hold);
        outcome = m_session->reload(progress);
    }
    if (outcome.visibleChanged) {
        m_model->reset();
        updateTitle();
        restoreFocus();
        updateSelectionTotals();
    }
    if (!outcome.ok()) {
        if (byTimer)
            m_refreshTimer.stop();
        else
            showLoadFailure(outcome);
    }
    updateCommandStates();
}

void CMainFrame::toggleAutoRefresh()
{
    if (m_refreshTimer.isActive())
        m_refreshTimer.stop();
    else if (m_session->calls().openFileCount() == 1)
        m_refreshTimer.start();
}

void CMainFrame::rebuildList(const std::function<void(Progress&)>& operation)
{
    rememberFocus();
    {
        m_model->setFrozen(true);
        m_status->clearCounts();
        FrameProgress progress(this, *m_status, sid::kStatusLoading);
        operation(progress);
    }
    m_model->setFrozen(false);
    afterListChange(true);
}

void CMainFrame::hideSelected()
{
    const std::vector<int> rows = m_view->selectedRowNumbers();
    const std::vector<std::size_t> hidden(rows.begin(), rows.end());
    const int scroll = m_view->verticalScrollBar()->value();
    if (!m_session->hideRows(hidden))
        return;
    m_view->clearSelection();
    m_model->reset();
    m_view->verticalScrollBar()->setValue(scroll);  // the rows above stay where they were
    updateSelectionTotals();
}

void CMainFrame::columnClicked(int column)
{
    if (column < 0 || column >= m_model->columnCount() || FrameProgress::busy())
        return;
    const ColumnType type = m_model->typeAt(column);
    SortKeys keys = m_session->sortKeys();
    if (keys.primary.type == type) {
        keys.primary.descending = !keys.primary.descending;
    } else {
        keys.secondary = keys.primary;
        keys.primary = {type, false};
    }
    rememberFocus();
    // Sorting a large list takes a moment: the busy cursor says so.
    QApplication::setOverrideCursor(Qt::WaitCursor);
    m_session->setSortKeys(keys);
    QApplication::restoreOverrideCursor();
    ListLayout layout = m_model->layout();
    layout.sort = keys;
    m_model->setLayout(layout);
    restoreFocus();
}

void CMainFrame::rememberFocus()
{
    const QModelIndex current = m_view->currentIndex();
    const bool shown = current.isValid() && !m_model->frozen() && current.row() < m_model->rowCount();
    m_session->setFocusedCall(shown ? static_cast<std::int64_t>(m_model->tableIndexAt(current.row())) : -1);
}

void CMainFrame::restoreFocus()
{
    m_view->selectOnly(static_cast<int>(m_session->focusedRow()));
}

void CMainFrame::afterListChange(bool keepFocus)
{
    m_model->reset();
    updateTitle();
    if (keepFocus)
        restoreFocus();
    updateSelectionTotals();
}

void CMainFrame::fillSavedFilterMenu(QMenu* menu)
{
    menu->clear();
    for (const SavedFilterMenuItem& item : m_session->savedFilterMenu()) {
        QAction* action = menu->addAction(qtText(item.name));
        const int id = cmd::kSavedFilterFirst + static_cast<int>(item.position);
        setCommandId(action, id);
        action->setEnabled(isCommandEnabled(id));
        connect(action, &QAction::triggered, this, [this, id] { runCommand(id); });
    }
}

QMenu* CMainFrame::prepareContextMenu(int row)
{
    const bool hit = row >= 0 && row < m_model->rowCount();
    m_session->setCurrentCall(hit ? static_cast<std::int64_t>(m_model->tableIndexAt(row)) : -1);
    updateCommandStates();
    return m_contextMenu;
}

void CMainFrame::showContextMenu(int row, const QPoint& globalPos)
{
    if (FrameProgress::busy())
        return;
    prepareContextMenu(row)->exec(globalPos);
}
