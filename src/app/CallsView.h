#pragma once
// The calls list view: full-row selection of many rows, no grid, fixed row
// height (a million rows cost nothing), the model's delimiter lines drawn
// under the rows they follow, header clicks, the context menu and the Delete
// key reported to the main window.

#include <QHeaderView>
#include <QTableView>

#include <cstddef>
#include <vector>

class CallsModel;

// The list's header: a title that does not fit beside the sort glyph is
// shortened with an ellipsis, rather than drawn over the glyph.
class CallsHeader final : public QHeaderView
{
public:
    using QHeaderView::QHeaderView;
    // The title as the section shows it.
    QString shownTitle(int logicalIndex) const;

protected:
    void initStyleOptionForIndex(QStyleOptionHeader* option, int logicalIndex) const override;
};

class CallsView : public QTableView
{
    Q_OBJECT
public:
    explicit CallsView(QWidget* parent = nullptr);

    void setCallsModel(CallsModel* model);
    void setDelimiterColor(const QColor& color) { m_delimiterColor = color; }

    // Rows selected now, ascending.
    std::vector<int> selectedRowNumbers() const;
    // The same as the session's row indexes.
    std::vector<std::size_t> selectedRows() const;
    int selectedRowCount() const;
    // Selects and focuses one row alone and scrolls it into view.
    void selectOnly(int row);

Q_SIGNALS:
    // A right click (or the menu key) over `row`, -1 when no row was hit.
    void contextMenuWanted(int row, const QPoint& globalPos);
    void deletePressed();
    void columnClicked(int column);

protected:
    void paintEvent(QPaintEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    QModelIndex moveCursor(CursorAction action, Qt::KeyboardModifiers modifiers) override;

private:
    CallsModel* m_calls = nullptr;
    QColor m_delimiterColor{200, 200, 200};
};
