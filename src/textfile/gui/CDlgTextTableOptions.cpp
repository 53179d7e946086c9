#include "textfile/gui/CDlgTextTableOptions.h"

#include "lang/StringIds.h"
#include "lang/StringTable.h"
#include "lang/gui/QtTranslate.h"
#include "textfile/gui/TextTableIds.h"
#include "ui/DialogButtonRow.h"
#include "ui/PageControls.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace {

QRadioButton* makeRadio(QWidget* parent, int id)
{
    auto* radio = new QRadioButton(parent);
    setControlId(radio, id);
    return radio;
}

} // namespace

CDlgTextTableOptions::CDlgTextTableOptions(TextTableMode mode, const TextTableOptions& options,
                                           std::vector<std::string> titles, QWidget* parent)
    : QDialog(parent)
    , m_mode(mode)
    , m_options(options)
    , m_titles(std::move(titles))
{
    ttres::registerResources();
    const bool import = mode == TextTableMode::Import;

    QLabel* fieldsLabel = makeLabel(this, ttres::kFields);
    m_fields = new QListWidget(this);
    fieldsLabel->setBuddy(m_fields);
    auto* fieldButtons = new QGridLayout;
    const int buttonIds[] = {ttres::kUp,       ttres::kDown,     ttres::kSkipLess,
                             ttres::kSkipMore, ttres::kNarrower, ttres::kWider};
    for (int i = 0; i < 6; ++i)
        fieldButtons->addWidget(makeButton(this, buttonIds[i]), i / 2, i % 2);
    fieldButtons->setRowStretch(3, 1);

    QGroupBox* separatorGroup = makeGroupBox(this, ttres::kSeparatorGroup);
    m_tab = makeRadio(separatorGroup, ttres::kTab);
    m_other = makeRadio(separatorGroup, ttres::kOther);
    m_fixed = makeRadio(separatorGroup, ttres::kFixedWidth);
    m_separator = makeEditableCombo(separatorGroup, 1);
    setControlId(m_separator, ttres::kSeparator);
    m_separator->addItems({QStringLiteral(";"), QStringLiteral(":"), QStringLiteral(","), QStringLiteral(" ")});
    m_separator->setMaximumWidth(60);
    auto* separatorLayout = new QGridLayout(separatorGroup);
    separatorLayout->addWidget(m_tab, 0, 0);
    separatorLayout->addWidget(m_other, 1, 0);
    separatorLayout->addWidget(m_separator, 1, 1);
    separatorLayout->addWidget(m_fixed, 2, 0);

    QGroupBox* optionsGroup = makeGroupBox(this, ttres::kOptionsGroup);
    m_firstLine = makeCheckBox(optionsGroup, ttres::kFirstLine);
    m_trim = makeCheckBox(optionsGroup, ttres::kTrim);
    m_deleteAll = makeCheckBox(optionsGroup, ttres::kDeleteAll);
    m_add = makeCheckBox(optionsGroup, ttres::kAdd);
    m_update = makeCheckBox(optionsGroup, ttres::kUpdate);
    auto* optionsLayout = new QVBoxLayout(optionsGroup);
    for (QCheckBox* box : {m_firstLine, m_trim, m_deleteAll, m_add, m_update})
        optionsLayout->addWidget(box);
    m_add->setVisible(import);
    m_update->setVisible(import);

    QDialogButtonBox* buttons = addOkCancelHelp(this, ttres::kOptionsDialog);

    auto* top = new QHBoxLayout;
    auto* left = new QVBoxLayout;
    left->addWidget(fieldsLabel);
    left->addWidget(m_fields);
    top->addLayout(left, 1);
    top->addLayout(fieldButtons);
    auto* right = new QVBoxLayout;
    right->addWidget(separatorGroup);
    right->addWidget(optionsGroup);
    right->addStretch(1);
    top->addLayout(right);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(buttons);

    TranslateDialog(ttres::kOptionsDialog, this);
    setWindowTitle(qtText(LoadText(import ? sid::kImportOptions : sid::kExportOptions)));
    if (!import) {
        m_trim->setText(qtText(LoadText(sid::kExportSelectedRecords)));
        m_deleteAll->setText(qtText(LoadText(sid::kUseExcelFriendlyFormat)));
    }

    // The values into the controls.
    (m_options.separatorType == SeparatorType::Tab          ? m_tab
     : m_options.separatorType == SeparatorType::FixedWidth ? m_fixed
                                                            : m_other)
        ->setChecked(true);
    m_separator->setCurrentText(QString::fromLatin1(m_options.separator.substr(0, 1)));
    m_firstLine->setChecked(m_options.firstLineIsHeader);
    m_trim->setChecked(import ? m_options.trim : m_options.selection);
    m_deleteAll->setChecked(import ? m_options.deleteAll : m_options.excel);
    m_add->setChecked(m_options.add);
    m_update->setChecked(m_options.update);
    showPositions();
    if (m_fields->count() > 0)
        m_fields->setCurrentRow(0);
    updateEnabling();

    connect(m_fields, &QListWidget::itemChanged, this, &CDlgTextTableOptions::fieldChanged);
    auto clicked = [this](int id, auto action) {
        connect(static_cast<QPushButton*>(control(id)), &QPushButton::clicked, this, action);
    };
    clicked(ttres::kUp, [this] { moveSelected(true); });
    clicked(ttres::kDown, [this] { moveSelected(false); });
    clicked(ttres::kSkipMore, [this] { editSelected(&TextTableOptions::changeSkip, 1); });
    clicked(ttres::kSkipLess, [this] { editSelected(&TextTableOptions::changeSkip, -1); });
    clicked(ttres::kWider, [this] { editSelected(&TextTableOptions::changeSize, 1); });
    clicked(ttres::kNarrower, [this] { editSelected(&TextTableOptions::changeSize, -1); });
    for (QAbstractButton* box : {static_cast<QAbstractButton*>(m_tab), static_cast<QAbstractButton*>(m_other),
                                 static_cast<QAbstractButton*>(m_fixed), static_cast<QAbstractButton*>(m_deleteAll)})
        connect(box, &QAbstractButton::toggled, this, [this] {
            takeFlags();
            showPositions();
            updateEnabling();
        });
    setMinimumSize(560, 360);
}

QWidget* CDlgTextTableOptions::control(int id) const
{
    for (QWidget* child : findChildren<QWidget*>())
        if (controlIdOf(child) == id && !qobject_cast<QLabel*>(child))
            return child;
    return nullptr;
}

int CDlgTextTableOptions::selectedPosition() const { return m_fields->currentRow(); }

// Each line shows where its field lands in the file, so every change redraws them all.
void CDlgTextTableOptions::showPositions()
{
    m_filling = true;
    const int count = static_cast<int>(m_options.positions.size());
    while (m_fields->count() > count)
        delete m_fields->takeItem(m_fields->count() - 1);
    while (m_fields->count() < count) {
        auto* item = new QListWidgetItem(m_fields);
        item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
    }
    for (int i = 0; i < count; ++i) {
        const auto position = static_cast<std::size_t>(i);
        QListWidgetItem* item = m_fields->item(i);
        item->setText(qtText(m_options.listLine(position, m_titles)));
        item->setCheckState(m_options.positions[position].active ? Qt::Checked : Qt::Unchecked);
    }
    m_filling = false;
}

void CDlgTextTableOptions::updateEnabling()
{
    const bool fixed = m_fixed->isChecked();
    m_separator->setEnabled(m_other->isChecked());
    control(ttres::kNarrower)->setEnabled(fixed);
    control(ttres::kWider)->setEnabled(fixed);
    control(ttres::kSkipLess)->setEnabled(!fixed);
    control(ttres::kSkipMore)->setEnabled(!fixed);
    if (m_mode == TextTableMode::Import) {
        if (fixed)
            m_trim->setChecked(true);
        m_trim->setEnabled(!fixed);
        m_update->setEnabled(!m_deleteAll->isChecked());
    }
}

void CDlgTextTableOptions::takeFlags()
{
    m_options.separatorType = m_tab->isChecked()     ? SeparatorType::Tab
                              : m_fixed->isChecked() ? SeparatorType::FixedWidth
                                                     : SeparatorType::Other;
    m_options.separator = m_separator->currentText().left(1).toLatin1().toStdString();
    m_options.firstLineIsHeader = m_firstLine->isChecked();
    if (m_mode == TextTableMode::Import) {
        m_options.trim = m_trim->isChecked();
        m_options.deleteAll = m_deleteAll->isChecked();
        m_options.add = m_add->isChecked();
        m_options.update = m_update->isChecked();
    } else {
        m_options.selection = m_trim->isChecked();
        m_options.excel = m_deleteAll->isChecked();
    }
}

void CDlgTextTableOptions::moveSelected(bool up)
{
    const int row = selectedPosition();
    if (row < 0)
        return;
    const auto position = static_cast<std::size_t>(row);
    if (!(up ? m_options.moveUp(position) : m_options.moveDown(position)))
        return;
    showPositions();
    m_fields->setCurrentRow(up ? row - 1 : row + 1);
}

void CDlgTextTableOptions::editSelected(void (TextTableOptions::*change)(std::size_t, int), int delta)
{
    const int row = selectedPosition();
    if (row < 0)
        return;
    (m_options.*change)(static_cast<std::size_t>(row), delta);
    showPositions();
}

void CDlgTextTableOptions::fieldChanged(QListWidgetItem* item)
{
    if (m_filling)
        return;
    m_options.setActive(static_cast<std::size_t>(m_fields->row(item)), item->checkState() == Qt::Checked);
    showPositions();
}

void CDlgTextTableOptions::accept()
{
    takeFlags();
    QDialog::accept();
}
