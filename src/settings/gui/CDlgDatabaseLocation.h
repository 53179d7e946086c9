#pragma once
// "Set database location": whether this is a network installation and its
// network folder (INI section "Network"), with a folder chooser for the path.
// The path is kept while the box is cleared, just not used.

#include "settings/SettingsLocation.h"

#include <QDialog>

class QCheckBox;
class QLineEdit;
class QPushButton;

class CDlgDatabaseLocation : public QDialog
{
    Q_OBJECT
public:
    explicit CDlgDatabaseLocation(const NetworkSettings& network, QWidget* parent = nullptr);

    NetworkSettings network() const;

    QCheckBox* useNetwork() const { return m_use; }
    QLineEdit* pathEdit() const { return m_path; }

private:
    void browse();
    void updateEnabling();

    QCheckBox* m_use;
    QLineEdit* m_path;
    QPushButton* m_browse;
};
