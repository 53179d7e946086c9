#pragma once
// The main window's calls list: its model and view, its columns, and its rows
// as the session rebuilds them (opening, closing and refreshing files,
// filters, re-rating) with the focused call kept; sorting by a column, hiding
// the selected rows, the totals of the selection in the status bar and the
// refresh timer of an open file.

#include "prefs/FrameLayout.h"
#include "session/MainSession.h"

#include <QObject>
#include <QTimer>

#include <cstdint>
#include <filesystem>
#include <functional>
#include <span>
#include <vector>

class CallsModel;
class CallsView;
class IniProfile;
class QWidget;
class StatusPanel;

class CallsListController : public QObject
{
    Q_OBJECT
public:
    static constexpr int kRefreshIntervalMs = 5000;

    // Makes the model and the view (children of `window`, which shows the
    // progress of long operations) with the columns of the INI file's layout
    // keys. The session and the status bar must outlive the list.
    CallsListController(MainSession& session, StatusPanel& status, const IniProfile& ini, QWidget* window);
    // The model shows nothing from now on (it may outlive the session).
    ~CallsListController() override;

    CallsModel* model() const { return m_model; }
    CallsView* view() const { return m_view; }

    // The columns as they are now (widths as dragged, the sort keys), and new ones.
    ListLayout columns() const;
    void applyColumns(const ListLayout& layout);
    // A click on a column's header: it becomes the primary sort key, or its order
    // turns when it is already; the old primary key becomes the secondary one.
    void columnClicked(int column);

    // Opens the files in place of the open ones and selects the first row; a
    // failure shows its message (not after an abort by Escape) and returns false.
    bool openFiles(const std::vector<std::filesystem::path>& paths);
    void closeFiles();
    // Reads what was appended to the open file; by the timer a failure stops the
    // timer silently instead of showing the message.
    void refresh(bool byTimer);
    // Runs an operation that rebuilds the visible list ("Loading..." with the
    // progress bar, the list frozen meanwhile), then shows the new rows with the
    // focused call kept.
    void rebuild(const std::function<void(Progress&)>& operation);
    // Shows the session's rows as they are now, with the focused call kept or not.
    void showRows(bool keepFocus);
    // Drops the selected rows from the list; the rows above stay where they were.
    void hideSelected();
    // Shows only the rows of these calls (see MainSession::showOnlyCalls).
    void showOnlyCalls(std::span<const std::uint32_t> tableIndices);
    // A report task over the window: the timer stops and the list is frozen while
    // it runs; afterwards the list shows the rows it loaded, the first one selected.
    void beginTask();
    void endTask();

    bool autoRefreshRunning() const { return m_refreshTimer.isActive(); }
    // Starts the timer when exactly one file is open, or stops it.
    void toggleAutoRefresh();
    void stopAutoRefresh() { m_refreshTimer.stop(); }

    // The selected rows at the last check of the selection.
    int selectedCount() const { return m_selectedCount; }
    // Sums the selection again, then shows the totals.
    void updateSelectionTotals();
    // The status bar's counts: rows, duration and cost of the list, with those of
    // a selection of several rows in brackets.
    void showTotals();

Q_SIGNALS:
    // The rows were shown anew: the window's title follows the open files.
    void rowsShown();
    // What the commands' enabling rules ask may have changed.
    void commandStatesChanged();

private:
    // The default column widths for the list's font.
    ListLayout::Widths defaultColumnWidths() const;
    void rememberFocus();
    void restoreFocus();

    MainSession& m_session;
    StatusPanel& m_status;
    QWidget* m_window;
    CallsModel* m_model = nullptr;
    CallsView* m_view = nullptr;
    QTimer m_refreshTimer;

    // Totals of the selection at its last check.
    int m_selectedCount = 0;
    std::uint64_t m_selectedDuration = 0;
    double m_selectedCost = 0.0;
    bool m_selectionDirty = false;
};
