#include "settings/gui/CDlgDatabaseLocation.h"

#include "lang/StringIds.h"
#include "lang/StringTable.h"
#include "lang/gui/QtTranslate.h"
#include "settings/gui/SettingsGuiIds.h"
#include "ui/DialogButtonRow.h"
#include "ui/PageControls.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

CDlgDatabaseLocation::CDlgDatabaseLocation(const NetworkSettings& network, QWidget* parent)
    : QDialog(parent)
{
    stres::registerResources();
    m_use = makeCheckBox(this, stres::kUseNetwork);
    m_use->setChecked(network.install);
    QLabel* label = makeLabel(this, stres::kNetworkPathLabel);
    m_path = new QLineEdit(controlText(network.path), this);
    label->setBuddy(m_path);
    m_browse = makeButton(this, stres::kBrowse);
    m_browse->setMaximumWidth(m_browse->fontMetrics().horizontalAdvance(QStringLiteral("....")) + 24);
    auto* pathRow = new QHBoxLayout;
    pathRow->addWidget(m_path, 1);
    pathRow->addWidget(m_browse);
    QDialogButtonBox* buttons = addOkCancelHelp(this, stres::kLocationDialog);
    connect(m_use, &QCheckBox::toggled, this, &CDlgDatabaseLocation::updateEnabling);
    connect(m_browse, &QPushButton::clicked, this, &CDlgDatabaseLocation::browse);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_use);
    layout->addWidget(label);
    layout->addLayout(pathRow);
    layout->addWidget(buttons);
    setMinimumWidth(420);
    TranslateDialog(stres::kLocationDialog, this);
    updateEnabling();
}

NetworkSettings CDlgDatabaseLocation::network() const
{
    return {m_use->isChecked(), recordText(m_path->text().trimmed())};
}

void CDlgDatabaseLocation::updateEnabling() { enableAll(m_use->isChecked(), {m_path, m_browse}); }

void CDlgDatabaseLocation::browse()
{
    const QString folder = QFileDialog::getExistingDirectory(this, qtText(LoadText(sid::kSelectNetworkFolder)),
                                                             m_path->text());
    if (!folder.isEmpty())
        m_path->setText(folder);
}
