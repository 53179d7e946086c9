#pragma once
// A small read-only table of texts over a list the page owns: the model asks
// the page for its row count and for each cell's text when the view draws it,
// so the list is never copied. makeTextTable() sets a view up the way the
// small lists of the settings sheet look.

#include <QAbstractItemView>
#include <QAbstractTableModel>
#include <QStringList>

#include <functional>
#include <vector>

class QTableView;

class TextTableModel : public QAbstractTableModel
{
    Q_OBJECT
public:
    using RowCount = std::function<int()>;
    using CellText = std::function<QString(int row, int column)>;

    TextTableModel(QStringList titles, RowCount rows, CellText cell, QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

    // After rows were added, removed or moved: the view forgets its selection.
    void reset();
    // After texts changed in rows that stay where they are: the selection is kept.
    void refreshTexts();

private:
    QStringList m_titles;
    RowCount m_rows;
    CellText m_cell;
};

// A view of `model` selecting whole rows; the header is clickable only when asked.
QTableView* makeTextTable(QWidget* parent, TextTableModel* model, QAbstractItemView::SelectionMode mode,
                          bool clickableHeader = false);

// How every list of the settings sheet looks: whole rows selected in `mode`,
// no editing, grid or word wrap, no row numbers, rows of one fixed height,
// titles on the left.
void setUpRowView(QTableView* view, QAbstractItemView::SelectionMode mode);

// The selected rows of `view`, in ascending order.
std::vector<int> selectedRowsOf(const QTableView* view);

// Selects `row` as the current row and scrolls it into view (nothing for a row out of range).
void selectRowOf(QTableView* view, int row);

// Widens `column` to its longest text; it never gets narrower than it is.
void widenToContents(QTableView* view, int column);
