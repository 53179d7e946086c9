#include "settings/gui/CPageUDSecurity.h"

#include "settings/SettingsDatabase.h"
#include "settings/gui/CDlgChangePassword.h"
#include "settings/gui/SettingsGuiIds.h"
#include "ui/ModalRunner.h"
#include "ui/PageControls.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

std::int32_t* enabledFlag(SettingsHeader& header, int level)
{
    std::int32_t* flags[] = {&header.supervisorEnabled, &header.managerEnabled, &header.operatorEnabled};
    return flags[level - 1];
}

} // namespace

CPageUDSecurity::CPageUDSecurity(SettingsDatabase& working, QWidget* parent)
    : CPropertyPage(stres::kSecurityPage, stres::kSecurityHelp, parent)
    , m_working(working)
{
    stres::registerResources();
    m_required = makeCheckBox(this, stres::kPasswordRequired);
    QGroupBox* group = makeGroupBox(this, stres::kLevelsGroup);
    auto* grid = new QGridLayout(group);
    m_administrator = makeLabel(group, stres::kAdministratorLabel);
    grid->addWidget(m_administrator, 0, 0);
    for (int level = 0; level < 4; ++level) {
        if (level > 0) {
            QCheckBox* box = makeCheckBox(group, stres::kLevelBoxFirst + level - 1);
            m_levels[static_cast<std::size_t>(level - 1)] = box;
            grid->addWidget(box, level, 0);
            connect(box, &QCheckBox::clicked, this, [this, level] { levelClicked(level); });
        }
        QPushButton* change = makeButton(group, stres::kChangePasswordFirst + level);
        m_change[static_cast<std::size_t>(level)] = change;
        grid->addWidget(change, level, 1);
        connect(change, &QPushButton::clicked, this, [this, level] { changePassword(level); });
    }
    grid->setColumnStretch(0, 1);
    connect(m_required, &QCheckBox::clicked, this, [this](bool on) {
        m_working.header.loginRequired = on ? 1 : 0;
        updateEnabling();
    });
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_required);
    layout->addWidget(group);
    layout->addStretch(1);
    translate();
}

void CPageUDSecurity::readRecord()
{
    SettingsHeader& header = m_working.header;
    setChecked(m_required, header.loginRequired);
    for (int level = 1; level < 4; ++level)
        setChecked(levelBox(level), *enabledFlag(header, level));
    updateEnabling();
}

void CPageUDSecurity::updateEnabling()
{
    const bool on = m_required->isChecked();
    m_administrator->setEnabled(on);
    m_change[0]->setEnabled(on);
    for (int level = 1; level < 4; ++level) {
        levelBox(level)->setEnabled(on);
        changeButton(level)->setEnabled(on && levelBox(level)->isChecked());
    }
}

void CPageUDSecurity::levelClicked(int level)
{
    *enabledFlag(m_working.header, level) = levelBox(level)->isChecked() ? 1 : 0;
    updateEnabling();
}

void CPageUDSecurity::changePassword(int level)
{
    auto& password = m_working.header.passwords[static_cast<std::size_t>(level)];
    CDlgChangePassword dialog(std::string(password.view()), this);
    if (runModal(dialog) == QDialog::Accepted)
        password.assign(dialog.password());
}
