#pragma once
// "Security" (the settings sheet's last tab, for the Administrator only):
// whether a password is asked at login, which of the three lower levels
// exist, and the four passwords. Every click goes straight into the sheet's
// working copy of the settings; they reach the live settings on OK.

#include "ui/PropertySheet.h"

#include <array>

class QCheckBox;
class QLabel;
class QPushButton;
class SettingsDatabase;

class CPageUDSecurity : public CPropertyPage
{
    Q_OBJECT
public:
    explicit CPageUDSecurity(SettingsDatabase& working, QWidget* parent = nullptr);

    void readRecord() override;

    QCheckBox* passwordRequired() const { return m_required; }
    // Supervisor, Manager, Operator (level 1-3).
    QCheckBox* levelBox(int level) const { return m_levels[static_cast<std::size_t>(level - 1)]; }
    QPushButton* changeButton(int level) const { return m_change[static_cast<std::size_t>(level)]; }

private:
    void updateEnabling();
    void levelClicked(int level);
    void changePassword(int level);

    SettingsDatabase& m_working;
    QCheckBox* m_required;
    QLabel* m_administrator;
    std::array<QCheckBox*, 3> m_levels{};
    std::array<QPushButton*, 4> m_change{};
};
