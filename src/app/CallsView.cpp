#include "app/CallsView.h"

#include "app/CallsModel.h"

#include <QContextMenuEvent>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QKeyEvent>
#include <QPainter>
#include <QStyleOptionHeader>

#include <algorithm>

void CallsHeader::initStyleOptionForIndex(QStyleOptionHeader* option, int logicalIndex) const
{
    QHeaderView::initStyleOptionForIndex(option, logicalIndex);
    const int margin = style()->pixelMetric(QStyle::PM_HeaderMargin, option, this);
    int room = sectionSize(logicalIndex) - 2 * margin;
    if (!option->icon.isNull()) {
        const int extent = style()->pixelMetric(QStyle::PM_SmallIconSize, option, this);
        const QList<QSize> sizes = option->icon.availableSizes();
        room -= (sizes.isEmpty() ? extent : std::min(extent, sizes.first().width())) + margin;
    }
    option->text = option->fontMetrics.elidedText(option->text, Qt::ElideRight, std::max(room, 0));
}

QString CallsHeader::shownTitle(int logicalIndex) const
{
    QStyleOptionHeader option;
    initStyleOption(&option);
    initStyleOptionForIndex(&option, logicalIndex);
    return option.text;
}

CallsView::CallsView(QWidget* parent)
    : QTableView(parent)
{
    setHorizontalHeader(new CallsHeader(Qt::Horizontal, this));
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::ExtendedSelection);
    setShowGrid(false);
    setWordWrap(false);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
    setFrameShape(QFrame::StyledPanel);
    setFrameShadow(QFrame::Sunken);
    verticalHeader()->hide();
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 4);
    verticalHeader()->setMinimumSectionSize(1);
    horizontalHeader()->setHighlightSections(false);
    horizontalHeader()->setSectionsClickable(true);
    horizontalHeader()->setStretchLastSection(false);
    horizontalHeader()->setMinimumSectionSize(0);
    connect(horizontalHeader(), &QHeaderView::sectionClicked, this, &CallsView::columnClicked);
}

void CallsView::setCallsModel(CallsModel* model)
{
    m_calls = model;
    setModel(model);
}

std::vector<int> CallsView::selectedRowNumbers() const
{
    std::vector<int> rows;
    if (!selectionModel())
        return rows;
    for (const QItemSelectionRange& range : selectionModel()->selection())
        for (int row = range.top(); row <= range.bottom(); ++row)
            rows.push_back(row);
    std::sort(rows.begin(), rows.end());
    rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
    return rows;
}

std::vector<std::size_t> CallsView::selectedRows() const
{
    const std::vector<int> rows = selectedRowNumbers();
    return {rows.begin(), rows.end()};
}

int CallsView::selectedRowCount() const { return static_cast<int>(selectedRowNumbers().size()); }

void CallsView::selectOnly(int row)
{
    if (!model() || row < 0 || row >= model()->rowCount())
        return;
    const QModelIndex index = model()->index(row, 0);
    selectionModel()->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    scrollTo(index);
}

void CallsView::paintEvent(QPaintEvent* event)
{
    QTableView::paintEvent(event);
    if (!m_calls || m_calls->rowCount() == 0)
        return;
    const int first = rowAt(0);
    if (first < 0)
        return;
    int last = rowAt(viewport()->height() - 1);
    if (last < 0)
        last = m_calls->rowCount() - 1;
    const int right = std::min(viewport()->width(), horizontalHeader()->length() - horizontalOffset());
    QPainter painter(viewport());
    painter.setPen(m_delimiterColor);
    for (int row = first; row <= last; ++row) {
        if (!m_calls->delimiterAfter(row))
            continue;
        const int y = rowViewportPosition(row) + rowHeight(row) - 1;
        painter.drawLine(0, y, right - 1, y);
    }
}

void CallsView::contextMenuEvent(QContextMenuEvent* event)
{
    const int row = event->reason() == QContextMenuEvent::Mouse
                        ? rowAt(event->pos().y())
                        : (currentIndex().isValid() ? currentIndex().row() : -1);
    Q_EMIT contextMenuWanted(row, event->globalPos());
}

void CallsView::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Delete && event->modifiers() == Qt::NoModifier) {
        Q_EMIT deletePressed();
        return;
    }
    QTableView::keyPressEvent(event);
}

QModelIndex CallsView::moveCursor(CursorAction action, Qt::KeyboardModifiers modifiers)
{
    // A list of rows, not a grid of cells: Home and End go to the first and the
    // last row (with Shift they extend the selection there), as Ctrl+Home and
    // Ctrl+End do.
    if ((action == MoveHome || action == MoveEnd) && model() && model()->rowCount() > 0) {
        const int column = currentIndex().isValid() ? currentIndex().column() : 0;
        return model()->index(action == MoveHome ? 0 : model()->rowCount() - 1, column);
    }
    return QTableView::moveCursor(action, modifiers);
}
