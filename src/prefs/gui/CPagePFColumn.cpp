#include "prefs/gui/CPagePFColumn.h"

#include "lang/StringIds.h"
#include "lang/StringTable.h"
#include "lang/gui/QtTranslate.h"
#include "prefs/gui/CSheetPF.h"
#include "prefs/gui/PreferencesIds.h"
#include "ui/PageControls.h"

#include <QGridLayout>
#include <QHeaderView>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

#include <algorithm>
#include <utility>

namespace {

QTreeWidget* makeList(QWidget* parent, int controlId, int titleId)
{
    auto* list = new QTreeWidget(parent);
    setControlId(list, controlId);
    list->setColumnCount(1);
    list->setHeaderLabels({controlText(LoadText(titleId))});
    list->setRootIsDecorated(false);
    list->setSelectionMode(QAbstractItemView::SingleSelection);
    list->setSelectionBehavior(QAbstractItemView::SelectRows);
    list->setColumnWidth(0, 128);
    list->setMinimumWidth(160);
    list->setMinimumHeight(300);
    return list;
}

} // namespace

CPagePFColumn::CPagePFColumn(PreferencesEditorState& state, QWidget* parent)
    : CPropertyPage(pfres::kColumnPage, pfres::kColumnHelp, parent)
    , m_state(state)
{
    m_selected = makeList(this, pfres::kSelectedList, sid::kColumnsSelected);
    m_available = makeList(this, pfres::kAvailableList, sid::kColumnsAvailable);
    m_add = makeButton(this, pfres::kAdd);
    m_remove = makeButton(this, pfres::kRemove);
    m_up = makeButton(this, pfres::kUp);
    m_down = makeButton(this, pfres::kDown);

    auto* buttons = new QVBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(m_add);
    buttons->addWidget(m_remove);
    buttons->addSpacing(16);
    buttons->addWidget(m_up);
    buttons->addWidget(m_down);
    buttons->addStretch(1);
    auto* layout = new QGridLayout(this);
    layout->addWidget(m_selected, 0, 0);
    layout->addLayout(buttons, 0, 1);
    layout->addWidget(m_available, 0, 2);

    connect(m_add, &QPushButton::clicked, this, &CPagePFColumn::addColumn);
    connect(m_remove, &QPushButton::clicked, this, &CPagePFColumn::removeColumn);
    connect(m_up, &QPushButton::clicked, this, &CPagePFColumn::moveUp);
    connect(m_down, &QPushButton::clicked, this, &CPagePFColumn::moveDown);
    connect(m_available, &QTreeWidget::itemDoubleClicked, this, &CPagePFColumn::addColumn);
    connect(m_selected, &QTreeWidget::itemDoubleClicked, this, &CPagePFColumn::removeColumn);
    connect(m_selected, &QTreeWidget::itemSelectionChanged, this, &CPagePFColumn::updateButtons);
    connect(m_available, &QTreeWidget::itemSelectionChanged, this, &CPagePFColumn::updateButtons);
    translate();
}

int CPagePFColumn::currentRow(const QTreeWidget* list)
{
    const QList<QTreeWidgetItem*> chosen = list->selectedItems();
    return chosen.isEmpty() ? -1 : list->indexOfTopLevelItem(chosen.front());
}

void CPagePFColumn::rebuild(int selectedRow, int availableRow)
{
    m_selected->clear();
    m_available->clear();
    for (int i = 0; i < kColumnTypeCount; ++i) {
        const ColumnType type = m_state.order[static_cast<std::size_t>(i)];
        auto* item = new QTreeWidgetItem({controlText(columnTitle(type))});
        (i < m_state.shown ? m_selected : m_available)->addTopLevelItem(item);
    }
    const auto select = [](QTreeWidget* list, int row) {
        row = std::min(row, list->topLevelItemCount() - 1);
        if (row >= 0) {
            list->setCurrentItem(list->topLevelItem(row));
            list->topLevelItem(row)->setSelected(true);
        }
    };
    select(m_selected, selectedRow);
    select(m_available, availableRow);
    updateButtons();
}

void CPagePFColumn::updateButtons()
{
    const int shownRow = currentRow(m_selected);
    m_add->setEnabled(currentRow(m_available) >= 0);
    m_remove->setEnabled(shownRow >= 0 && m_state.shown > 1);
    m_up->setEnabled(shownRow > 0);
    m_down->setEnabled(shownRow >= 0 && shownRow + 1 < m_state.shown);
}

void CPagePFColumn::addColumn()
{
    const int row = currentRow(m_available);
    if (row < 0)
        return;
    // Moved through the order until it stands at the end of the shown part.
    for (int i = m_state.shown + row; i > m_state.shown; --i)
        std::swap(m_state.order[static_cast<std::size_t>(i)], m_state.order[static_cast<std::size_t>(i - 1)]);
    ++m_state.shown;
    rebuild(m_state.shown - 1, row);
}

void CPagePFColumn::removeColumn()
{
    const int row = currentRow(m_selected);
    if (row < 0 || m_state.shown <= 1)
        return; // the list keeps at least one column
    for (int i = row; i + 1 < m_state.shown; ++i)
        std::swap(m_state.order[static_cast<std::size_t>(i)], m_state.order[static_cast<std::size_t>(i + 1)]);
    --m_state.shown;
    rebuild(row, 0);
}

void CPagePFColumn::moveUp()
{
    const int row = currentRow(m_selected);
    if (row <= 0)
        return;
    std::swap(m_state.order[static_cast<std::size_t>(row)], m_state.order[static_cast<std::size_t>(row - 1)]);
    rebuild(row - 1, currentRow(m_available));
}

void CPagePFColumn::moveDown()
{
    const int row = currentRow(m_selected);
    if (row < 0 || row + 1 >= m_state.shown)
        return;
    std::swap(m_state.order[static_cast<std::size_t>(row)], m_state.order[static_cast<std::size_t>(row + 1)]);
    rebuild(row + 1, currentRow(m_available));
}
