#include "editor/TextTable.h"

#include <QHeaderView>
#include <QItemSelectionModel>
#include <QTableView>

#include <algorithm>

TextTableModel::TextTableModel(QStringList titles, RowCount rows, CellText cell, QObject* parent)
    : QAbstractTableModel(parent)
    , m_titles(std::move(titles))
    , m_rows(std::move(rows))
    , m_cell(std::move(cell))
{ }

int TextTableModel::rowCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : m_rows(); }

int TextTableModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(m_titles.size());
}

QVariant TextTableModel::data(const QModelIndex& index, int role) const
{
    if (role != Qt::DisplayRole || !index.isValid() || index.row() >= m_rows() || index.column() >= columnCount())
        return {};
    return m_cell(index.row(), index.column());
}

QVariant TextTableModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole || section < 0 || section >= columnCount())
        return QAbstractTableModel::headerData(section, orientation, role);
    return m_titles[section];
}

void TextTableModel::reset()
{
    beginResetModel();
    endResetModel();
}

void TextTableModel::refreshTexts()
{
    if (rowCount() > 0 && columnCount() > 0)
        Q_EMIT dataChanged(index(0, 0), index(rowCount() - 1, columnCount() - 1), {Qt::DisplayRole});
}

QTableView* makeTextTable(QWidget* parent, TextTableModel* model, QAbstractItemView::SelectionMode mode,
                          bool clickableHeader)
{
    auto* view = new QTableView(parent);
    view->setModel(model);
    setUpRowView(view, mode);
    view->setTabKeyNavigation(false); // Tab leaves the list for the next control of the page
    view->horizontalHeader()->setSectionsClickable(clickableHeader);
    view->horizontalHeader()->setStretchLastSection(true);
    return view;
}

void setUpRowView(QTableView* view, QAbstractItemView::SelectionMode mode)
{
    view->setSelectionBehavior(QAbstractItemView::SelectRows);
    view->setSelectionMode(mode);
    view->setEditTriggers(QAbstractItemView::NoEditTriggers);
    view->setShowGrid(false);
    view->setWordWrap(false);
    view->verticalHeader()->hide();
    // Fixed row heights: the view never measures rows it does not show.
    view->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    view->verticalHeader()->setDefaultSectionSize(view->fontMetrics().height() + 4);
    QHeaderView* header = view->horizontalHeader();
    header->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    header->setHighlightSections(false);
}

std::vector<int> selectedRowsOf(const QTableView* view)
{
    std::vector<int> rows;
    const int count = view->model()->rowCount();
    for (int row = 0; row < count; ++row)
        if (view->selectionModel()->isRowSelected(row, {}))
            rows.push_back(row);
    return rows;
}

void selectRowOf(QTableView* view, int row)
{
    if (row < 0 || row >= view->model()->rowCount())
        return;
    const QModelIndex index = view->model()->index(row, 0);
    view->selectionModel()->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    view->scrollTo(index);
}

void widenToContents(QTableView* view, int column)
{
    const int width = view->columnWidth(column);
    view->resizeColumnToContents(column);
    view->setColumnWidth(column, std::max(width, view->columnWidth(column)));
}
