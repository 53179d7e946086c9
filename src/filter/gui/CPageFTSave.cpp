#include "filter/gui/CPageFTSave.h"

#include "filter/gui/CDlgFTSaveAs.h"
#include "filter/gui/CSheetFE.h"
#include "filter/gui/FilterEditorIds.h"
#include "lang/Message.h"
#include "lang/StringIds.h"
#include "ui/ModalRunner.h"
#include "ui/PageControls.h"

#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

CPageFTSave::CPageFTSave(FilterEditorContext& context, QWidget* parent)
    : CPropertyPage(feres::kSavePage, feres::kSaveHelp, parent)
    , m_context(context)
{
    QLabel* loadLabel = makeLabel(this, feres::kLoadLabel);
    m_load = new QComboBox(this);
    loadLabel->setBuddy(m_load);
    m_saveAs = makeButton(this, feres::kSaveAs);
    m_delete = makeButton(this, feres::kDelete);
    m_reset = makeButton(this, feres::kReset);
    QLabel* defaultLabel = makeLabel(this, feres::kDefaultLabel);
    m_default = new QComboBox(this);
    defaultLabel->setBuddy(m_default);
    m_clear = makeButton(this, feres::kClear);

    auto* grid = new QGridLayout;
    grid->addWidget(loadLabel, 0, 0, 1, 3);
    grid->addWidget(m_load, 1, 0, 1, 3);
    grid->addWidget(m_saveAs, 2, 0);
    grid->addWidget(m_delete, 2, 1);
    grid->addWidget(m_reset, 2, 2);
    grid->setRowMinimumHeight(3, 16);
    grid->addWidget(defaultLabel, 4, 0, 1, 3);
    grid->addWidget(m_default, 5, 0, 1, 2);
    grid->addWidget(m_clear, 5, 2);
    grid->setColumnStretch(0, 1);
    grid->setColumnStretch(1, 1);
    grid->setColumnStretch(2, 1);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addStretch(1);

    connect(m_load, &QComboBox::activated, this, &CPageFTSave::load);
    connect(m_saveAs, &QPushButton::clicked, this, &CPageFTSave::saveAs);
    connect(m_delete, &QPushButton::clicked, this, &CPageFTSave::deleteChosen);
    connect(m_reset, &QPushButton::clicked, this, &CPageFTSave::reset);
    connect(m_default, &QComboBox::activated, this, &CPageFTSave::chooseDefault);
    connect(m_clear, &QPushButton::clicked, this, &CPageFTSave::clearDefault);
    translate();
}

void CPageFTSave::fillLists()
{
    const QSignalBlocker blockLoad(m_load);
    const QSignalBlocker blockDefault(m_default);
    const FilterEditorState& state = m_context.state;
    m_load->clear();
    m_default->clear();
    int loaded = -1;
    int chosenDefault = -1;
    for (std::size_t i = 0; i < state.saved.size(); ++i) {
        const SavedFilter& saved = state.saved[i];
        const QString name = controlText(saved.nameText());
        m_load->addItem(name);
        m_default->addItem(name);
        if (loaded < 0 && saved.filter == state.filter)
            loaded = static_cast<int>(i);
        if (chosenDefault < 0 && filtertext::equal(saved.nameText(), state.defaultFilterName))
            chosenDefault = static_cast<int>(i);
    }
    m_load->setCurrentIndex(loaded);
    m_default->setCurrentIndex(chosenDefault);
}

void CPageFTSave::load(int index)
{
    FilterEditorState& state = m_context.state;
    if (index < 0 || static_cast<std::size_t>(index) >= state.saved.size())
        return;
    // A saved filter without dates leaves the pickers on the loaded calls' days.
    const FilterRecord& saved = state.saved[static_cast<std::size_t>(index)].filter;
    FilterRecord next = saved;
    if (!saved.fromOn)
        next.from = state.filter.from;
    if (!saved.toOn)
        next.to = state.filter.to;
    state.filter = next;
}

void CPageFTSave::saveAs()
{
    CDlgFTSaveAs dialog(this);
    if (runModal(dialog) != QDialog::Accepted || dialog.name().isEmpty())
        return;
    FilterEditorState& state = m_context.state;
    SavedFilter entry;
    entry.setName(recordText(dialog.name()));
    entry.filter = state.filter;
    // A name that is taken is saved over: two entries of one name could not be told apart.
    bool replaced = false;
    for (SavedFilter& existing : state.saved)
        if (!replaced && filtertext::equal(existing.nameText(), entry.nameText())) {
            existing.filter = entry.filter;
            replaced = true;
        }
    if (!replaced)
        state.saved.push_back(entry);
    state.savedChanged = true;
    fillLists();
}

void CPageFTSave::deleteChosen()
{
    FilterEditorState& state = m_context.state;
    const int index = m_load->currentIndex();
    if (index < 0 || static_cast<std::size_t>(index) >= state.saved.size())
        return;
    if (MessageById(sid::kDeleteFilter, mb::kYesNo | mb::kIconQuestion) != mb::kIdYes)
        return;
    state.saved.erase(state.saved.begin() + index);
    state.savedChanged = true;
    fillLists();
}

void CPageFTSave::reset()
{
    m_context.state.filter.reset();
    fillLists();
}

void CPageFTSave::chooseDefault(int index)
{
    FilterEditorState& state = m_context.state;
    if (index >= 0 && static_cast<std::size_t>(index) < state.saved.size())
        state.defaultFilterName = std::string(state.saved[static_cast<std::size_t>(index)].nameText());
}

void CPageFTSave::clearDefault()
{
    m_context.state.defaultFilterName.clear();
    m_default->setCurrentIndex(-1);
}
