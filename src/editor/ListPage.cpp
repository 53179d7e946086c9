#include "editor/ListPage.h"

#include "core/IniProfile.h"
#include "editor/CSheetUD.h"
#include "editor/EditorIds.h"
#include "editor/TextTable.h"
#include "lang/Message.h"
#include "lang/StringIds.h"
#include "lang/StringTable.h"
#include "lang/gui/QtTranslate.h"
#include "textfile/gui/ListTransfer.h"
#include "ui/PageControls.h"

#include <QGuiApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QVBoxLayout>
#include <algorithm>

#include <string>

namespace {

class WaitCursor
{
public:
    WaitCursor() { QGuiApplication::setOverrideCursor(Qt::WaitCursor); }
    ~WaitCursor() { QGuiApplication::restoreOverrideCursor(); }
    WaitCursor(const WaitCursor&) = delete;
    WaitCursor& operator=(const WaitCursor&) = delete;
};

std::string widthKey(int column) { return "ColWidth" + std::to_string(column); }

} // namespace

// --- ListModel ---

ListModel::ListModel(CPageUDList& page)
    : QAbstractTableModel(&page)
    , m_page(page)
{ }

int ListModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() || !m_live ? 0 : m_page.recordCount();
}

int ListModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(m_page.setup().columns.size());
}

QVariant ListModel::data(const QModelIndex& index, int role) const
{
    if (role != Qt::DisplayRole || !index.isValid() || !m_live || index.row() >= m_page.recordCount())
        return {};
    ++m_formatted;
    return qtText(m_page.cellText(index.row(), index.column()));
}

QVariant ListModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole || section < 0 || section >= columnCount())
        return QAbstractTableModel::headerData(section, orientation, role);
    const ListColumn& column = m_page.setup().columns[static_cast<std::size_t>(section)];
    QString title = qtText(LoadText(column.titleId));
    if (column.titleNumber)
        title.replace(QStringLiteral("%d"), QString::number(column.titleNumber));
    return title;
}

void ListModel::reset()
{
    beginResetModel();
    m_live = true;
    endResetModel();
}

// --- CPageUDList ---

CPageUDList::CPageUDList(CSheetUD& sheet, ListPageSetup setup, QWidget* parent)
    : CPropertyPage(setup.templateId, setup.helpTopic, parent)
    , m_sheet(sheet)
    , m_setup(std::move(setup))
{
    m_model = new ListModel(*this);
    m_list = new QTableView(this);
    setControlId(m_list, udres::kList);
    m_list->setModel(m_model);
    setUpRowView(m_list, QAbstractItemView::ExtendedSelection);
    QHeaderView* header = m_list->horizontalHeader();
    header->setSectionsClickable(true);
    header->setSortIndicatorShown(true);
    header->setStretchLastSection(false);
    m_list->installEventFilter(this);
    connect(header, &QHeaderView::sectionClicked, this, &CPageUDList::sortBy);
    connect(m_list, &QTableView::doubleClicked, this, [this](const QModelIndex&) { editSelected(); });

    const char* section = m_setup.iniSection;
    // A column without a stored width is at least as wide as its title.
    for (std::size_t i = 0; i < m_setup.columns.size(); ++i) {
        const int column = static_cast<int>(i);
        const int stored = ini().readInt(section, widthKey(column), -1);
        m_list->setColumnWidth(column, stored >= 0 ? stored
                                                   : std::max(m_setup.columns[i].defaultWidth,
                                                              header->sectionSizeHint(column)));
    }
    m_sortColumn = ini().readInt(section, "Sort", 0);
    if (m_sortColumn < 0 || m_sortColumn >= static_cast<int>(m_setup.columns.size()))
        m_sortColumn = 0;
    m_descending = ini().readInt(section, "Order", 0) != 0;

    m_quickFind = new QLineEdit(this);
    setControlId(m_quickFind, udres::kQuickFind);
    connect(m_quickFind, &QLineEdit::textChanged, this, &CPageUDList::quickFindChanged);
    QLabel* findLabel = makeLabel(this, udres::kQuickFindLabel);
    findLabel->setBuddy(m_quickFind);

    auto* side = new QVBoxLayout;
    side->addWidget(findLabel);
    side->addWidget(m_quickFind);
    side->addSpacing(6);
    const auto addButton = [&](int id, void (CPageUDList::*command)()) {
        QPushButton* button = makeButton(this, id);
        connect(button, &QPushButton::clicked, this, command);
        m_buttons.push_back(button);
        side->addWidget(button);
        return button;
    };
    addButton(udres::kEdit, &CPageUDList::editSelected);
    addButton(udres::kAdd, &CPageUDList::addRecord);
    addButton(udres::kDelete, &CPageUDList::deleteSelected);
    addButton(udres::kCopy, &CPageUDList::copySelected);
    side->addSpacing(6);
    for (int i = 0; i < m_setup.selectByButtons && i < 2; ++i) {
        QPushButton* button = makeButton(this, i == 0 ? udres::kSelectBy1 : udres::kSelectBy2);
        connect(button, &QPushButton::clicked, this, [this, i] { selectBy(i); });
        m_buttons.push_back(button);
        side->addWidget(button);
    }
    side->addSpacing(6);
    addButton(udres::kExport, &CPageUDList::exportList);
    addButton(udres::kImport, &CPageUDList::importList);
    side->addStretch(1);
    auto* totalRow = new QHBoxLayout;
    totalRow->addWidget(makeLabel(this, udres::kTotalLabel));
    m_total = makeLabel(this, udres::kTotal);
    m_total->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    totalRow->addWidget(m_total, 1);
    side->addLayout(totalRow);

    auto* body = new QHBoxLayout;
    body->addWidget(m_list, 1);
    body->addLayout(side);
    m_outer = new QVBoxLayout(this);
    m_outer->addLayout(body, 1);
    translate();
}

CPageUDList::~CPageUDList() = default;

SettingsDatabase& CPageUDList::work() { return m_sheet.work(); }

const Preferences& CPageUDList::prefs() const { return m_sheet.prefs(); }

IniProfile& CPageUDList::ini() { return m_sheet.ini(); }

QPushButton* CPageUDList::button(int controlId) const
{
    for (QPushButton* each : m_buttons)
        if (controlIdOf(each) == controlId)
            return each;
    return nullptr;
}

void CPageUDList::addAbove(QWidget* control) { m_outer->insertWidget(m_outer->count() - 1, control); }

void CPageUDList::enableList(bool on)
{
    m_list->setEnabled(on);
    m_quickFind->setEnabled(on);
    for (QPushButton* each : m_buttons)
        each->setEnabled(on);
}

std::vector<int> CPageUDList::selectedRows() const
{
    std::vector<char> marked(static_cast<std::size_t>(recordCount()), 0);
    for (const QItemSelectionRange& range : m_list->selectionModel()->selection())
        for (int row = range.top(); row <= range.bottom() && row < recordCount(); ++row)
            marked[static_cast<std::size_t>(row)] = 1;
    std::vector<int> rows;
    for (std::size_t i = 0; i < marked.size(); ++i)
        if (marked[i])
            rows.push_back(static_cast<int>(i));
    return rows;
}

int CPageUDList::focusedRow() const
{
    const QModelIndex current = m_list->currentIndex();
    return current.isValid() && current.row() < recordCount() ? current.row() : -1;
}

void CPageUDList::selectOnly(int row)
{
    if (row < 0 || row >= recordCount())
        return;
    const QModelIndex index = m_model->index(row, 0);
    m_list->selectionModel()->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    m_list->scrollTo(index);
}

void CPageUDList::selectAllRows() { m_list->selectAll(); }

void CPageUDList::readRecord()
{
    m_shown = true;
    refresh();
}

void CPageUDList::sheetAccepted()
{
    if (m_shown)
        writeLayout();
}

void CPageUDList::writeLayout()
{
    IniProfile::Batch batch(ini());
    const char* section = m_setup.iniSection;
    ini().writeInt(section, "Sort", m_sortColumn);
    ini().writeInt(section, "Order", m_descending ? 1 : 0);
    for (int i = 0; i < m_model->columnCount(); ++i)
        ini().writeInt(section, widthKey(i), m_list->columnWidth(i));
}

void CPageUDList::sortBy(int column)
{
    if (column < 0 || column >= m_model->columnCount())
        return;
    if (column == m_sortColumn) {
        m_descending = !m_descending;
    } else {
        m_sortColumn = column;
        m_descending = false;
    }
    const std::vector<int> rows = selectedRows();
    refreshSelecting(rows.empty() ? -1 : rows.front());
}

void CPageUDList::showRefreshed(int selectRow)
{
    WaitCursor wait;
    m_total->setText(QString::number(recordCount()));
    updateHeader();
    m_list->clearSelection();
    m_model->reset();
    selectOnly(selectRow);
    m_findText.clear();
    m_findRow = -1;
    m_writingFind = true;
    m_quickFind->clear();
    m_writingFind = false;
}

void CPageUDList::updateHeader()
{
    m_list->horizontalHeader()->setSortIndicator(m_sortColumn, m_descending ? Qt::DescendingOrder : Qt::AscendingOrder);
}

void CPageUDList::quickFindChanged(const QString& text)
{
    if (m_writingFind)
        return;
    m_list->clearSelection();
    const std::string typed = recordText(text);
    int found = -1;
    if (!typed.empty())
        for (int row = 0, count = recordCount(); row < count; ++row)
            if (quickFindHit(row, typed)) {
                found = row;
                break;
            }
    if (found >= 0) {
        m_findText = text;
        m_findRow = found;
    } else {
        if (text.isEmpty()) {
            m_findText.clear();
            m_findRow = -1;
        }
        // A character that leaves no match is refused: the text found last comes back.
        m_writingFind = true;
        m_quickFind->setText(m_findText);
        m_quickFind->setCursorPosition(static_cast<int>(m_findText.size()));
        m_writingFind = false;
    }
    if (m_findRow >= 0)
        selectOnly(m_findRow);
}

void CPageUDList::copySelected()
{
    const std::vector<int> rows = selectedRows();
    if (rows.empty())
        return;
    selectOnly(rows.front());
    addFrom(rows.front());
}

void CPageUDList::deleteSelected()
{
    const std::vector<int> rows = selectedRows();
    if (rows.empty())
        return;
    if (rows.size() > 1 && MessageById(sid::kDeleteSelectedRecords, mb::kYesNo | mb::kIconQuestion) != mb::kIdYes)
        return;
    {
        WaitCursor wait;
        std::vector<char> marked(static_cast<std::size_t>(recordCount()), 0);
        for (int row : rows)
            marked[static_cast<std::size_t>(row)] = 1;
        removeMarked(marked);
    }
    refresh();
}

void CPageUDList::exportList()
{
    const std::vector<int> rows = selectedRows();
    const std::vector<std::size_t> selected(rows.begin(), rows.end());
    listtransfer::exportFrom(this, ini(), work(), prefs(), m_setup.transfer, selected);
}

void CPageUDList::importList()
{
    ListImportHooks hooks;
    hooks.contactCount = [this](std::size_t count) { m_total->setText(QString::number(count)); };
    if (listtransfer::importInto(this, ini(), work(), prefs(), m_setup.transfer, hooks))
        refresh();
}

void CPageUDList::selectBy(int button)
{
    const int focused = focusedRow();
    if (focused < 0)
        return;
    QItemSelection selection;
    for (int row = 0, count = recordCount(); row < count;) {
        if (!sameOn(button, row, focused)) {
            ++row;
            continue;
        }
        int last = row;
        while (last + 1 < count && sameOn(button, last + 1, focused))
            ++last;
        selection.select(m_model->index(row, 0), m_model->index(last, m_model->columnCount() - 1));
        row = last + 1;
    }
    m_list->selectionModel()->select(selection, QItemSelectionModel::ClearAndSelect);
}

bool CPageUDList::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_list && event->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(event);
        switch (key->key()) {
        case Qt::Key_Return:
        case Qt::Key_Enter:
            editSelected();
            return true;
        case Qt::Key_Insert:
            addRecord();
            return true;
        case Qt::Key_Delete:
            deleteSelected();
            return true;
        case Qt::Key_A:
            if (key->modifiers() & Qt::ControlModifier) {
                selectAllRows();
                return true;
            }
            break;
        default:
            break;
        }
    }
    return CPropertyPage::eventFilter(watched, event);
}
